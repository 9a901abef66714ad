#include "core/beam_corbel_text.h"

#include "core/corbel_results.h"
#include "core/corbel_text_bytes.h"
#include "core/corbel_work.h"

#include <cmath>
#include <limits>
#include <string>

#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/report_symbols.h"
#include "report/string_format.h"
#include "report/verdicts.h"

namespace design_text {

float To_Float(double value)
{
    // Out of the float range the conversion is undefined; such values compare as
    // infinities (NaN stays NaN).
    const double max = std::numeric_limits<float>::max();
    if (value > max) return std::numeric_limits<float>::infinity();
    if (value < -max) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

const char* Relation(double acting, double limit) { return Get_Relation_Sign_Le(To_Float(acting), To_Float(limit)); }

Check_Text Judge(double acting, double limit, unsigned failed_checks, unsigned check)
{
    const bool failed = (failed_checks & check) != 0;
    return {Get_Relation_Sign_Le_Judged(To_Float(acting), To_Float(limit), failed),
            failed ? Get_Verdict_Not_Ok() : Get_Verdict_Ok()};
}

const char* Text_Or_Empty(const char* text) { return text ? text : ""; }

char Direction_Letter(const char* stirrup_text)
{
    return stirrup_text && stirrup_text[0] ? stirrup_text[0] : ' ';
}

double Safe_Ratio(double a, double b) { return b > 0.0 ? a / b : 0.0; }

double Clamp_01(double value)
{
    if (!(value > 0.0)) return 0.0;
    return value > 1.0 ? 1.0 : value;
}

double Concrete_Fck(const Material_Set* set)
{
    return set && set->concrete && set->n_concrete > 0 ? set->concrete[0].fck : 0.0;
}

bool Write_Whole_Load_Head(FILE* f, const char* p, double A, const char* unit, int whole_load_check)
{
    OLI_Printf(f, "%sNachweis f" UML_ue "r die Gesamtlast A = %.2lf kN%s:\n", p, A, unit);
    if (whole_load_check == 1) return true;
    OLI_Printf(f, "%sNachweis der Druckstrebe: Verfahren nicht anwendbar  %s\n", p, Get_Verdict_Not_Ok());
    return false;
}

} // namespace design_text

namespace {

using namespace design_text;

// Tab stops of the tie lines: the direction word, then the force.
const double tie_tab_positions[2] = {11.0, 19.0};

const char* const method_labels[6] = {
    "Stabwerkmodell (klassisch)",   // 0
    "Heft 399, DAfStb",             // 1
    "Heft 430, DAfStb",             // 2
    "Heft 600, DAfStb",             // 3
    "Stabwerkmodell (verfeinert)",  // 4
    "EC 2-1-1, 6.5",                // 5
};

// Section, plate, axis distances and method: the echo of detail level 2 and above.
void Write_Echo(FILE* f, const Beam_Corbel_Work& w, const char* p)
{
    switch (w.load_transfer) {
    case 0: OLI_Printf(f, "%s" OLI_SEQ_EMPH OLI_SEQ_STYLE "Variante 1\n", p); break;
    case 1: OLI_Printf(f, "%s" OLI_SEQ_EMPH OLI_SEQ_STYLE "Variante 2\n", p); break;
    case 2:
        OLI_Printf(f, "%s" OLI_SEQ_EMPH OLI_SEQ_STYLE "Tr" UML_ae "gerkonsole (Variante 1)\n", p);
        break;
    default: break;
    }
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Tr" UML_ae "gerquerschnitt\n", p);
    OLI_Printf(f, "%sBreite b = %.1f cm, H" UML_oe "he h = %.1f cm\n", p, w.width, w.beam_height);
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Konsolquerschnitt\n", p);
    OLI_Printf(f, "%s", p);
    OLI_Printf(f, "H" UML_oe "he h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm\n", w.corbel_height);
    if (w.bearing_length <= 0.01 || w.bearing_width <= 0.01) {
        OLI_Printf(f, "%sohne Lagerplatte (l" OLI_SEQ_SUB "1" OLI_SEQ_RESET " = b" OLI_SEQ_SUB "1" OLI_SEQ_RESET
                      " = 0)\n", p);
    } else {
        OLI_Printf(f, "%s" OLI_SEQ_EMPH "Lagerplatte\n", p);
        OLI_Printf(f, "%sL" UML_ae "nge l" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = %.1lf cm, Breite b" OLI_SEQ_SUB "p"
                      OLI_SEQ_RESET " = %.1lf cm\n", p, w.bearing_length, w.bearing_width);
    }
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Achsabst" UML_ae "nde\n", p);
    OLI_Printf(f, "%sd" OLI_SEQ_SUB "1" OLI_SEQ_RESET " = %.1f cm, d" OLI_SEQ_SUB "1k" OLI_SEQ_RESET " = %.1f cm (",
               p, w.beam_axis_distance, w.corbel_axis_distance);
    if (w.method_class == 2 || w.method_class == 4) {
        OLI_Printf(f, "z = %.1f cm  %s  z" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm)\n", w.z, ARROW, w.zk);
    } else if (w.method_class == 5 || std::fabs(w.zk - w.z) <= 0.001) {
        OLI_Printf(f, "z" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm, d" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm)\n",
                   w.zk, w.dk);
    } else {
        OLI_Printf(f, "z" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm, z" OLI_SEQ_SUB "Q" OLI_SEQ_RESET " = %.1f cm)\n",
                   w.zk, w.z);
    }
    OLI_Printf(f, "%se" OLI_SEQ_SUB "1" OLI_SEQ_RESET " = %.1f cm  %s  e = %sa + e" OLI_SEQ_SUB "1" OLI_SEQ_RESET
                  " = %.1f cm\n", p, w.load_distance_add, ARROW, DELTA, w.load_distance + w.load_distance_add);
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Bemessung nach %s" OLI_SEQ_RESET "\n", p,
               Beam_Corbel_Method_Label(w.method_class));
}

// The minimum corbel height (class 0) against the dimension the procedure compares it with:
// the depth dk under a direct load (the safe side), the height hk for the vertical hangers.
void Write_Min_Hk(FILE* f, const Beam_Corbel_Work& w, double compared_with)
{
    const Check_Text c = Judge(w.min_hk, compared_with, w.failed_checks, DESIGN_CHECK_MIN_HEIGHT);
    OLI_Printf(f, " min h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm %s h" OLI_SEQ_SUB "k" OLI_SEQ_RESET "  %s\n",
               w.min_hk, c.sign, c.verdict);
}

// The "mit xc" line under a compression-zone check.
void Write_Xc_Line(FILE* f, const Beam_Corbel_Work& w, const char* p)
{
    OLI_Printf(f, "%s  mit x" OLI_SEQ_SUB "c" OLI_SEQ_RESET " = %.2lf cm, " DELTA "a" OLI_SEQ_SUB "c" OLI_SEQ_RESET
                  " = %.1lf cm\n", p, w.x, w.delta_e);
}

// The compression zone of class 5 against its limit.
void Write_Zone_Check(FILE* f, const Beam_Corbel_Work& w, const char* p, int detail_level)
{
    OLI_Printf(f, "%sNachweis der Druckstrebe: x", p);
    if (detail_level >= 2) {
        if (Concrete_Fck(w.material_set) >= 50.001)
            OLI_Printf(f, " = x" OLI_SEQ_SUB "c" OLI_SEQ_RESET "/(1-f" OLI_SEQ_SUB "ck" OLI_SEQ_RESET "/250)");
        else
            OLI_Printf(f, " = x" OLI_SEQ_SUB "c" OLI_SEQ_RESET "/0.8");
    }
    const Check_Text c = Judge(w.xc, w.xc_limit, w.failed_checks, DESIGN_CHECK_ZONE);
    OLI_Printf(f, " = %.2lf cm %s zul x = 0.4%sd = %.2lf cm  %s" OLI_SEQ_RESET "\n", w.xc, c.sign,
               report_times_sign, w.xc_limit, c.verdict);
    if (detail_level >= 2) Write_Xc_Line(f, w, p);
}

// σd of the strut in the support node (class 2) against its permissible value.
void Write_Node_Strut_Check(FILE* f, const Beam_Corbel_Work& w, const char* p)
{
    const char* sigma = report_symbol_texts[REPORT_SYMBOL_SIGMA];
    const Check_Text c = Judge(w.sigma_strut, w.sigma_perm, w.failed_checks, DESIGN_CHECK_STRUT);
    OLI_Printf(f, "%sNachweis der Druckstrebe im Auflagerknoten:\n", p);
    OLI_Printf(f, "%s%s" OLI_SEQ_SUB "d" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET " (%s"
                  OLI_SEQ_SUB "A" OLI_SEQ_RESET " = %.1f" DEGREE ") %s zul %s" OLI_SEQ_SUB "d" OLI_SEQ_RESET
                  " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET "  %s\n",
               p, sigma, w.sigma_strut, THETA, w.theta, c.sign, sigma, w.sigma_perm, c.verdict);
}

// Hung-up load: the concrete check of classes 2 and 5 with the whole load, in the line of
// that check.
void Write_Whole_Load_Check(FILE* f, const Beam_Corbel_Work& w, const char* p, int detail_level)
{
    if (!Write_Whole_Load_Head(f, p, w.vertical_force, "", w.whole_load_check)) return;
    Beam_Corbel_Work shown = w;
    shown.failed_checks = w.whole_load_failed;
    if (w.method_class == 5) {
        shown.xc = w.whole_load_value;
        shown.xc_limit = w.whole_load_limit;
        shown.x = w.whole_load_x;
        shown.delta_e = 0.0;
        Write_Zone_Check(f, shown, p, detail_level);
    } else {
        shown.sigma_strut = w.whole_load_value;
        shown.sigma_perm = w.whole_load_limit;
        shown.theta = w.whole_load_theta;
        Write_Node_Strut_Check(f, shown, p);
    }
}

// Dimensions, anchorage of the tie and the class's own strut checks. Returns false when
// the text ends after it (beam-end corbel of class 1 or 3).
bool Write_Dimensions_And_Anchorage(FILE* f, const Beam_Corbel_Work& w, const char* p, int detail_level)
{
    const int cls = w.method_class;
    const int variant = w.load_transfer;

    if (cls == 0) {
        OLI_Printf(f, "%sAbmessungen der Tr" UML_ae "gernase:", p);
        if (variant == 0) {
            Write_Min_Hk(f, w, w.dk);
        } else if (variant == 1 || variant == 2) {
            OLI_Printf(f, "\n%s%.0f%%ige lotrechte Aufh" UML_ae "ngung:", p, 100.0 * w.distribution_number);
            Write_Min_Hk(f, w, w.corbel_height);
            OLI_Printf(f, "%s%.0f%%ige Schr" UML_ae "gaufh" UML_ae "ngung:", p,
                       100.0 * (1.0 - w.distribution_number));
            const Check_Text c = Judge(w.min_dk, w.dk, w.failed_checks, DESIGN_CHECK_MIN_DEPTH);
            OLI_Printf(f, " min d" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm %s d" OLI_SEQ_SUB "k" OLI_SEQ_RESET
                          "  %s\n", w.min_dk, c.sign, c.verdict);
        }
        const Check_Text c = Judge(w.min_b, w.width, w.failed_checks, DESIGN_CHECK_STRUT);
        OLI_Printf(f, "%sNachweis der Druckstrebe:", p);
        OLI_Printf(f, " min b = %.1f cm %s b  %s\n", w.min_b, c.sign, c.verdict);
    } else if (cls == 5) {
        if (variant != 2) {
            OLI_Printf(f, "%sVerankerung von A" OLI_SEQ_SUB "s,h" OLI_SEQ_RESET, p);
            OLI_Printf(f, " bei z" OLI_SEQ_SUB "3" OLI_SEQ_RESET " = %.1f cm f" UML_ue "r " THETA " = %.1lf" DEGREE "\n",
                       w.strut_length, w.theta);
        }
        Write_Zone_Check(f, w, p, detail_level);
    } else if (cls >= 1 && cls <= 4 && variant != 2) {
        OLI_Printf(f, "%sVerankerung von A" OLI_SEQ_SUB "s,h" OLI_SEQ_RESET ": Z" OLI_SEQ_SUB "V,1" OLI_SEQ_RESET
                      " = %.2f kN  " ARROW "  erf A" OLI_SEQ_SUB "s,v1" OLI_SEQ_RESET " = %.2f cm" SQUARE,
                   p, w.F_tie2, w.As_tie2);
        OLI_Printf(f, " bei z" OLI_SEQ_SUB "3" OLI_SEQ_RESET " = %.1f cm", w.strut_length);
        if (detail_level >= 2 && w.delta_e > 0.01)
            OLI_Printf(f, " mit " DELTA "a" OLI_SEQ_SUB "c" OLI_SEQ_RESET " = %.1lf cm", w.delta_e);
        OLI_Printf(f, "\n");
    }

    if (cls == 2) {
        Write_Node_Strut_Check(f, w, p);
    } else if (cls == 4) {
        OLI_Printf(f, "%sNachweis der Druckstrebe: ", p);
        bool t3_written = false;
        if (w.As_tie_02 > 0.001) {
            const Check_Text c = Judge(w.xc, w.xc_limit, w.failed_checks, DESIGN_CHECK_ZONE);
            OLI_Printf(f, "x = %.2lf cm %s zul x = %.2lf cm  %s" OLI_SEQ_RESET "\n", w.xc, c.sign, w.xc_limit,
                       c.verdict);
            if (detail_level >= 2) Write_Xc_Line(f, w, p);
            OLI_Printf(f, "%shorizontale B" UML_ue "gelbewehrung f" UML_ue "r ", p);
            OLI_Printf(f, "T" OLI_SEQ_SUB "3" OLI_SEQ_RESET " = 0.2%sA" OLI_SEQ_SUB "V" OLI_SEQ_RESET
                          " = %.2f kN  %s  erf A" OLI_SEQ_SUB "sb,h" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n",
                       report_times_sign, w.F_tie_02, ARROW, w.As_tie_02);
            t3_written = true;
        }
        if (w.shear_value > 0.001) {
            const Check_Text c = Judge(w.shear_value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR);
            if (t3_written) OLI_Printf(f, "%s", p);
            OLI_Printf(f, "Querkraft ");
            OLI_Printf(f, "V" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET " = %.2f kN %s V" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET
                          " = %.2f kN  %s\n", w.shear_value, c.sign, w.shear_limit, c.verdict);
        }
    }
    return !(variant == 2 && (cls == 1 || cls == 3));
}

// The splitting-tension stirrups of classes 1 to 4 (after the class's stirrup text).
void Write_Stirrup_Rule(FILE* f, const Beam_Corbel_Work& w, const char* p)
{
    const int cls = w.method_class;
    const char* sigma = report_symbol_texts[REPORT_SYMBOL_SIGMA];
    const char* text = Text_Or_Empty(w.stirrup_text);
    const double L = w.As_stirrup;
    // The stirrup text, then the rule on a line of its own when an area follows, else
    // on the same line.
    auto text_and_join = [&] {
        OLI_Printf(f, " %s", text);
        if (L >= 0.01)
            OLI_Printf(f, "\n%s", p);
        else
            OLI_Printf(f, " f" UML_ue "r ");
    };

    switch (cls) {
    case 1: {
        text_and_join();
        // Hung-up load: the stirrup rule compares the share of the vertical hangers.
        const bool hung_up = w.load_transfer == 1;
        const double tau = hung_up ? w.shear_value * w.distribution_number : w.shear_value;
        const std::string tau_part =
            hung_up ? Format_String(" = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET, tau) : std::string();
        if (w.ratio >= 0.501) {
            OLI_Printf(f, "%sa/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " > 0.5 und %s" OLI_SEQ_SUB "0" OLI_SEQ_RESET "%s %s %s"
                          OLI_SEQ_SUB "011" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET,
                       DELTA, sigma, tau_part.c_str(), Relation(tau, w.stirrup_value), sigma, w.stirrup_value);
        } else {
            OLI_Printf(f, "%sa/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " %s 0.5 und %s" OLI_SEQ_SUB "0" OLI_SEQ_RESET "%s %s %s"
                          OLI_SEQ_SUB "012" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET,
                       DELTA, Relation(w.ratio, 0.5), sigma, tau_part.c_str(), Relation(tau, w.stirrup_value), sigma,
                       w.stirrup_value);
        }
        break;
    }
    case 2:
        text_and_join();
        OLI_Printf(f, "Z' = %.2f kN (%s" OLI_SEQ_SUB "A" OLI_SEQ_RESET " = %.1f" DEGREE ")", w.stirrup_value, THETA,
                   w.theta);
        break;
    case 3:
        text_and_join();
        // The rule that chose the stirrups, by the load distance against half the corbel
        // height, with the limit it compared VEd with.
        if (w.long_span_stirrups) {
            // The limit is VRd,c, or VRd,max where that is the smaller.
            const char* limit = w.stirrup_value < w.shear_limit ? "Rd,c" : "Rd,max";
            OLI_Printf(f, "%sa/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " > 0.5 und V" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET " %s V"
                          OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.2f kN",
                       DELTA, Relation(w.shear_value, w.stirrup_value), limit, w.stirrup_value);
        } else {
            const double ratio = Safe_Ratio(w.load_distance, w.corbel_height);
            OLI_Printf(f, "%sa/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " %s 0.5 und V" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET
                          " %s 0.3%sV" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET " = %.2f kN",
                       DELTA, Get_Relation_Sign_Le_Judged(To_Float(ratio), 0.5f, 0),
                       Relation(w.shear_value, w.stirrup_value), report_times_sign, w.stirrup_value);
        }
        break;
    case 4:
        if (w.ratio <= 0.501) {
            OLI_Printf(f, " nicht erforderlich (cot %s" OLI_SEQ_SUB "A" OLI_SEQ_RESET " = %.2f < 0.5)\n", THETA,
                       w.ratio);
            return;
        }
        OLI_Printf(f, " %s\n", text);
        OLI_Printf(f, "%sF" OLI_SEQ_SUB "1" OLI_SEQ_RESET " = %.2f kN (cot %s" OLI_SEQ_SUB "A" OLI_SEQ_RESET
                      " = %.2f > 0.5)", p, w.stirrup_value, THETA, w.ratio);
        break;
    default: return;
    }
    if (L > 0.01)
        OLI_Printf(f, "  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2", ARROW,
                   Direction_Letter(w.stirrup_text), L);
    OLI_Printf(f, "\n");
}

// The stirrups of "EC 2-1-1, 6.5" by the slenderness a/h of the beam.
void Write_Stirrups_Class_5(FILE* f, const Beam_Corbel_Work& w, const char* p)
{
    const double a = w.load_distance;
    const double h = w.beam_height;
    const double ratio = Safe_Ratio(a, h);
    const double beta = Clamp_01(2.0 * ratio - 1.0);
    const char* text = Text_Or_Empty(w.stirrup_text);
    const double L = w.As_stirrup;

    if (a < 0.5 * h + 0.001) {
        OLI_Printf(f, " %s", text);
        OLI_Printf(f, " f" UML_ue "r " DELTA "a/h = %.2f " LESS_EQ " 0.5 (gedrungene Konsole)\n", ratio);
        if (L > 0.01)
            OLI_Printf(f, "%s  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = 0.3%sA" OLI_SEQ_SUB "s,h" OLI_SEQ_RESET
                          " = %.2f cm" SQUARE "\n", p, ARROW, Direction_Letter(w.stirrup_text), report_times_sign, L);
    } else if (a >= 1.5 * h + 0.001) {
        OLI_Printf(f, " %s\n", text);
    } else if (a >= h + 0.001) {
        OLI_Printf(f, " %s", text);
        OLI_Printf(f, " f" UML_ue "r 1.0 < " DELTA "a/h = %.2f " LESS_EQ " 1.5 (sehr schlanke Konsole)\n", ratio);
        if (L > 0.01) {
            OLI_Printf(f, "  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = " BETA "%sA/f" OLI_SEQ_SUB "yd"
                          OLI_SEQ_RESET " = %.2f cm" SQUARE, ARROW, Direction_Letter(w.stirrup_text),
                       report_times_sign, L);
            OLI_Printf(f, " (" BETA " = %.2lf)\n", beta);
        }
    } else {
        OLI_Printf(f, " %s", text);
        OLI_Printf(f, " f" UML_ue "r 0.5 < " DELTA "a/h = %.2f " LESS_EQ " 1.0 (schlanke Konsole)\n", ratio);
        OLI_Printf(f, "%s", p);
        const bool horizontal = L > 0.01;
        const bool vertical = w.stirrup_value > 0.01;
        if (horizontal)
            OLI_Printf(f, "horizontal: erf A" OLI_SEQ_SUB "sb,h" OLI_SEQ_RESET " = 0.3%s(1-" BETA ")%sA" OLI_SEQ_SUB
                          "s,h" OLI_SEQ_RESET " = %.2f cm" SQUARE, report_times_sign, report_times_sign, L);
        if (horizontal && vertical) OLI_Printf(f, ", ");
        if (vertical)
            OLI_Printf(f, "vertikal: erf A" OLI_SEQ_SUB "sb,v" OLI_SEQ_RESET " = " BETA "%sA/f" OLI_SEQ_SUB "yd"
                          OLI_SEQ_RESET " = %.2f cm" SQUARE, report_times_sign, w.stirrup_value);
        OLI_Printf(f, " (" BETA " = %.2lf)\n", beta);
    }
}

} // namespace

const char* Beam_Corbel_Method_Label(int method_class)
{
    if (method_class < 0 || method_class > 5) return "???";
    return method_labels[method_class];
}

void Write_Beam_Corbel_Design(int beam_end, FILE* f, int detail_level)
{
    if (!f) return;
    const Beam_Corbel_Work& w = beam_corbel_work;
    const char* p = report_line_prefix ? report_line_prefix : "";
    const char* unit = beam_end ? "/m" : "";
    const char* sigma = report_symbol_texts[REPORT_SYMBOL_SIGMA];
    const int cls = w.method_class;
    const int variant = w.load_transfer;

    OLI_Set_Tab_Stops(2, nullptr, tie_tab_positions, 2);

    if (detail_level >= 2) Write_Echo(f, w, p);

    // Design forces.
    OLI_Printf(f, "%sBemessungsgr" UML_oe UML_ss "en: A = A" OLI_SEQ_SUB "v" OLI_SEQ_RESET " = %.2lf kN%s (" DELTA
                  "a = %.1f cm)", p, w.vertical_force, unit, w.load_distance);
    if (std::fabs(w.horizontal_force) > 0.01)
        OLI_Printf(f, ", H = A" OLI_SEQ_SUB "h" OLI_SEQ_RESET " = %.2lf kN%s (" DELTA "h = %.1f cm)",
                   w.horizontal_force, unit, w.force_height);
    OLI_Printf(f, "\n");

    // A failed design has nothing more to show.
    if (w.As_tie < -0.1) return;

    if (w.sigma_bearing > 0.01) {
        const Check_Text c = Judge(w.sigma_bearing, w.sigma_perm, w.failed_checks, DESIGN_CHECK_BEARING);
        OLI_Printf(f, "%sLagerpressung (%s): %s" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2"
                      OLI_SEQ_RESET " %s %s" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET " ",
                   p, w.dry_joint ? "trockene Lagerfuge" : "Gleit-/Elastomerlager", sigma, w.sigma_bearing, c.sign,
                   sigma);
        OLI_Printf(f, "= %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET "  %s\n", w.sigma_perm, c.verdict);
    }

    if (w.theta > 0.01) OLI_Printf(f, "Druckstrebenwinkel " THETA " = %.1lf" DEGREE "\n", w.theta);

    // The strut check of classes 1, 3 and 5 (class 4 checks it with its compression zone).
    const auto shear = [&w] { return Judge(w.shear_value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR); };
    // The shear rules compare the value that H's strut force raised, named so.
    const bool with_H = w.shear_value_H > w.shear_value;
    if (cls == 1) {
        const double value = with_H ? w.shear_value_H : w.shear_value;
        const Check_Text c = Judge(value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR);
        OLI_Printf(f, "%sNachweis der Druckstrebe:", p);
        OLI_Printf(f, " %s" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET "%s %s %s"
                      OLI_SEQ_SUB "03" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET "  %s\n",
                   sigma, with_H ? "0,H" : "0", value, with_H ? " (mit H)" : "", c.sign, sigma, w.shear_limit,
                   c.verdict);
    } else if (cls == 3) {
        const double value = with_H ? w.shear_value_H : w.shear_value;
        const Check_Text c = Judge(value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR);
        OLI_Printf(f, "%sNachweis der Druckstrebe:", p);
        OLI_Printf(f, " V" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.1f kN%s %s V" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET
                      " = %.1f kN  %s\n", with_H ? "Ed,H" : "Ed", value, with_H ? " (mit H)" : "", c.sign,
                   w.shear_limit, c.verdict);
    } else if (cls == 5 && w.shear_limit > 0.01) {
        const Check_Text c = shear();
        OLI_Printf(f, "%sNachweis der Druckstrebe: V" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET " = %.1f kN %s V" OLI_SEQ_SUB
                      "Rd,max" OLI_SEQ_RESET " = %.1f kN  %s\n", p, w.shear_value, c.sign, w.shear_limit,
                   c.verdict);
    }

    if (variant == 1)
        OLI_Printf(f, "%sLastanteil der vertikalen Bewehrung A" OLI_SEQ_SUB "V" OLI_SEQ_RESET " = %.2lf%sA = %.2f kN\n",
                   p, w.distribution_number, report_times_sign, w.F_hung);

    OLI_Printf(f, "%sZugbewehrung " OLI_SEQ_TAB "horizontal: " OLI_SEQ_TAB "Z" OLI_SEQ_SUB "A+H" OLI_SEQ_RESET
                  " = %.2f kN  " ARROW "  erf A" OLI_SEQ_SUB "s,h" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n",
               p, w.Z, w.As_tie);
    OLI_Printf(f, "%s " OLI_SEQ_TAB "vertikal: " OLI_SEQ_TAB "Z" OLI_SEQ_SUB "V" OLI_SEQ_RESET " = %.2f kN  " ARROW
                  "  erf A" OLI_SEQ_SUB "s,v" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n",
               p, w.F_hanger, w.As_hanger);

    if (!Write_Dimensions_And_Anchorage(f, w, p, detail_level)) return;

    // The beam-end corbel has neither splitting-tension stirrups nor span reinforcement.
    if (variant == 2) return;

    OLI_Printf(f, "%sSpaltzugbewehrung:", p);
    if (cls == 0)
        OLI_Printf(f, " %s\n", Text_Or_Empty(w.stirrup_text));
    else if (cls >= 1 && cls <= 4)
        Write_Stirrup_Rule(f, w, p);
    else if (cls == 5)
        Write_Stirrups_Class_5(f, w, p);
    else
        OLI_Printf(f, "\n");

    if (variant == 1) {
        OLI_Printf(f, "%sLastanteil der schr" UML_ae "gen Bewehrung A" OLI_SEQ_SUB "S" OLI_SEQ_RESET
                      " = %.2f kN bei %s = %.1f" DEGREE "\n", p, w.F_rest, BETA, w.hanger_angle);
        OLI_Printf(f, "%sZugbewehrung schr" UML_ae "g: Z" OLI_SEQ_SUB "S" OLI_SEQ_RESET " = %.2f kN  " ARROW "  erf A"
                      OLI_SEQ_SUB "s,s" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n",
                   p, w.F_incl_hanger, w.As_incl_hanger);
        if (w.whole_load_check) Write_Whole_Load_Check(f, w, p, detail_level);
    }

    if (cls == 5)
        OLI_Printf(f, "%sVerankerung der Feldbewehrung: Z" OLI_SEQ_SUB "h1" OLI_SEQ_RESET " = %.2lf kN  " ARROW
                      "  erf A" OLI_SEQ_SUB "s,h1" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n",
                   p, w.F_tie_top, w.As_tie_top);
    else if (cls >= 1 && cls <= 4)
        OLI_Printf(f, "%sVerankerung der Feldbewehrung erf A" OLI_SEQ_SUB "s,h1" OLI_SEQ_RESET " = erf A" OLI_SEQ_SUB
                      "s,h" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n", p, w.As_tie_top);
}
