#pragma once
// The corbel calculation and its design report: the data check, the material design
// values, the design of every ultimate-limit-state combination, the envelope with the
// governing combination, the fatigue check, the anchorage and the reinforcement report,
// written as one report into an open report stream, or run silently for the online
// calculation.
#include <cstdio>
#include <string>
#include <vector>

struct Corbel_Model;
struct Load_Case_Summary;

// Level handed to every heading of the report: 1 at the top, raised by a heading that
// opens a bookmark level and lowered when that level is closed.
extern int report_heading_level;

// Text sizes of the section graphic; both set to 8.0 by every calculation that passes the
// data check, before the design.
extern double section_graphic_text_sizes[2];

// The one entry of the corbel design. With a report stream the whole design report is
// written into it (the caller opens and closes the file); without one the calculation
// runs silently and only leaves its results in the model. show_messages is handed to the
// data check alone, which may then show message boxes for some input errors. Every call
// starts from a fresh result array; the print options' detail level is changed while one
// combination is written in detail and restored before the call returns. A report that
// designed a combination ends with the final verdict: the success headline only when no
// required value is missing and no check failed (cover, a combination's bearing, strut,
// dimensions, fatigue, chosen reinforcement, axis distances of the chosen bars), else the
// failure headline with a pointer to each failed part.
void Calculate_Corbel(Corbel_Model* model, FILE* report, int show_messages);

// The lines of the final verdict that name the failed parts ("s. gewählte Bewehrung", ...,
// report bytes), in the report's order; empty when the design met every check. The silent
// calculation judges the same parts as the report, so that the screen can show its verdict.
std::vector<std::string> Design_Verdict_Failures(const Load_Case_Summary& summary);

// The short notes that precede the design, counted (0 to 6) and, with a stream, written:
// the lightweight-concrete approval under EN 1992-2 with the German annex, the general
// detailing rules that are not checked when bars are chosen, ignored negative vertical
// loads, ignored negative horizontal loads of the design combinations, horizontal loads
// that a hung-up load does not take, and a fatigue check asked for a corbel it is not made
// for.
int Write_Report_Notes(const Corbel_Model* model, FILE* report);

// The annex's αcc that the design values take: its bridge value for EN 1992-2, its
// lightweight value for lightweight concrete, else its value for buildings; 1.0 without an
// annex in force.
double Corbel_Alpha_Cc(const Corbel_Model& model);

// The design values of the ultimate limit state that the design of every combination
// uses: γc and γs of the chosen design situation, fcd with the annex's αcc (its bridge
// value for EN 1992-2, its lightweight value for lightweight concrete), fyd and ftd of
// both steels, and the limiting depth ratio ξlim. Switching on the fatigue check changes
// none of them: that check takes its own partial factors.
void Derive_Design_Values(Corbel_Model* model);

// The report of the position ("_NN.OLI"), as the refresh run and the report buttons write
// it: opened as a continuation with 16 cm reserved when the graphic is printed (else 6 cm)
// and the section numbering as the print options say; the calculation writes into it and
// the file takes its place only when it was written whole. 0 when the report was written;
// 1 when it could not be, after saying on standard error which file and why (an older
// report then stays as it was).
int Write_Corbel_Report();

// The editor's save: the report and its drawing as Write_Corbel_Report writes them, and the
// position's input as the calculation leaves the model, take their places together or not
// at all, so that an input never stands beside a report computed from another. 0 saved;
// 1 the report or drawing could not be written (said on standard error); 2 the input could
// not be written (the user told). Unless 0, the three files are as they were.
int Save_Position_With_Report();

// Runs of one position follow each other: the environment may start a refresh while
// another is still at work, and the editor may save meanwhile. From before the input is
// read until its report and drawing are in place, a run holds an advisory lock on the
// position's input file (a missing input has none). A hold inside another of the same run
// shares it. Waiting is bounded (kPositionLockWait): then standard error says so and the
// run goes on without it.
class Position_Lock {
public:
    Position_Lock();
    ~Position_Lock();
    Position_Lock(const Position_Lock&) = delete;
    Position_Lock& operator=(const Position_Lock&) = delete;
    // Whether another holder kept the lock past the wait.
    bool Timed_Out() const;
};
