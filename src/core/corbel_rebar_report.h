#pragma once
// The block "Nachweis der Bewehrung" of the corbel report: every provided quantity of the
// chosen reinforcement against the required one, each line with its verdict. Concrete
// covers, the longitudinal bars of the supporting member and of a beam-end corbel, the
// main tie layer by layer with its mandrel diameter, anchorage and lap lengths, inclined
// bars, splitting and vertical stirrups, anchorage bars, axis distances and bar spacings.
//
// It only reports: the provided areas and lengths come from the data check and the
// anchorage check (Check_Corbel_Anchorage, which must have run), the required areas from
// the envelope of all load combinations.
//
// A verdict agrees with the numbers as printed: provided and required values are compared
// at the decimals the line shows them with. An envelope that lacks a combination gives
// lower bounds ("erf A >= ..." with the combinations named): a provided area below one is
// not enough, none is judged enough.
#include <cstdio>

struct Corbel_Model;

// Writes the block into the report (detail level 0 to 2, the report's effective one) and
// sets the model's chosen-reinforcement-failed flag (summary.rebar_failed) to 1 exactly when
// the block wrote a failed verdict; verdict_failed is reset first and left as the block set
// it. It also sets summary.axis_failed when a provided axis distance (d1k, e1) lies more
// than 0.05 cm beyond the printed design value: then the design's lever arm does not hold
// for the bars. Without a report stream only the three are reset; a null model resets
// verdict_failed.
// The block ends the open paragraph block.
void Report_Chosen_Reinforcement(Corbel_Model* model, FILE* report, int detail);

// The block's verdicts without writing: summary.rebar_failed and summary.axis_failed as
// the block would set them (verdict_failed with it). Null: nothing.
void Judge_Chosen_Reinforcement(Corbel_Model* model);
