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
// Relation sign between an acting value and its limit, compared as floats (for the lines
// that state which rule applies, not for checks).
const char* Relation(double acting, double limit);
// Relation sign and verdict of a check, both from whether the procedure found the check
// failed (its bit set in failed_checks): ">" and "nicht ok !!" (raising verdict_failed), else
// "<" or the less-or-equal sign, compared as floats, and "ok".
struct Check_Text {
    const char* sign;
    const char* verdict;
};
Check_Text Judge(double acting, double limit, unsigned failed_checks, unsigned check);
const char* Text_Or_Empty(const char* text);
// First letter of a stirrup text ("h" or "v"); a blank for a null or empty text.
char Direction_Letter(const char* stirrup_text);
// a/b, or 0 when b is not positive.
double Safe_Ratio(double a, double b);
// The value limited to 0..1 (NaN gives 0).
double Clamp_01(double value);
// fck of the set's first concrete; 0 without one.
double Concrete_Fck(const Material_Set* set);
// The heading of the concrete check with the whole hung-up load A (kN, unit after it);
// false, after the check's failed line, when the method found no design for that load
// (whole_load_check of the work record other than 1).
bool Write_Whole_Load_Head(FILE* f, const char* p, double A, const char* unit, int whole_load_check);

} // namespace design_text
