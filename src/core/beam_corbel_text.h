#pragma once
// Report text of the design of one load combination by the beam-side procedure (support
// corbel, or a load corbel on a beam).
#include <cstdio>

// Writes the design held in beam_corbel_work (after the procedure has run) into the
// report: section echo (detail level 2 and above), design forces, bearing pressure, strut
// checks, ties, dimensions and anchorage, splitting-tension stirrups and the anchorage of
// the span reinforcement. beam_end is set for a beam-end corbel ("Trägerkonsole"): forces
// are then per metre. A null stream writes nothing. Nothing is stored.
void Write_Beam_Corbel_Design(int beam_end, FILE* stream, int detail_level);

// The method label printed after "Bemessung nach" for a beam method class 0..5;
// "???" for any other class.
const char* Beam_Corbel_Method_Label(int method_class);

// ---------------------------------------------------------------------------------
// Small pieces shared by the two design texts.
#include <string>

struct Material_Set;

namespace design_text {

// The value as a float; beyond the float range the infinity of its sign.
float To_Float(double value);
// Relation sign between an acting value and its limit, compared as floats.
const char* Relation(double acting, double limit);
// "nicht ok !!" (raising verdict_failed) when the acting value reaches the limit plus the
// tolerance, else "ok".
const char* Verdict(double acting, double limit, double tolerance = 0.01);
const char* Text_Or_Empty(const char* text);
// First letter of a stirrup text ("h" or "v"); a blank for a null or empty text.
char Direction_Letter(const char* stirrup_text);
// a/b, or 0 when b is not positive.
double Safe_Ratio(double a, double b);
// The value limited to 0..1 (NaN gives 0).
double Clamp_01(double value);
// fck of the set's first concrete; 0 without one.
double Concrete_Fck(const Material_Set* set);

} // namespace design_text
