#include "core/column_corbel_text.h"

#include "core/beam_corbel_text.h"
#include "core/corbel_results.h"
#include "core/corbel_text_bytes.h"
#include "core/corbel_work.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/report_symbols.h"
#include "report/string_format.h"
#include "report/verdicts.h"

#include <cmath>
#include <string>

namespace {

using namespace design_text;

const double text_tab_position = 2.0;

// Everything the lines below share.
struct Column_Text {
    FILE* f;
    const Column_Corbel_Work& w;
    const char* p;       // report_line_prefix
    const char* unit;    // "/m" for a beam-end corbel
    int detail_level;
    const char* sigma;
};

void Write_Echo(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;
    const int variant = w.load_transfer;

    switch (variant) {
    case 0: OLI_Printf(f, "%s" OLI_SEQ_EMPH OLI_SEQ_STYLE "Indirekte Lasteinleitung\n", p); break;
    case 1: OLI_Printf(f, "%s" OLI_SEQ_EMPH OLI_SEQ_STYLE "Direkte Lasteinleitung\n", p); break;
    case 2:
        OLI_Printf(f, "%s" OLI_SEQ_EMPH OLI_SEQ_STYLE "Tr" UML_ae "gerkonsole (direkte Lasteinleitung)\n", p);
        break;
    default: break;
    }
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Konsolquerschnitt\n", p);
    if (t.unit[0]) {
        OLI_Printf(f, "%sL" UML_ae "nge l" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm, H" UML_oe "he h" OLI_SEQ_SUB "k"
                      OLI_SEQ_RESET " = %.1f cm\n", p, w.corbel_length, w.corbel_height);
        if (w.bearing_length > 0.001)
            OLI_Printf(f, "%sLagerplatte:  L" UML_ae "nge l" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = %.1lf cm\n", p,
                       w.bearing_length);
        else
            OLI_Printf(f, "%sohne Lagerplatte (l" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = 0)\n", p);
    } else {
        OLI_Printf(f, "%sL" UML_ae "nge l" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm, Breite b" OLI_SEQ_SUB "k"
                      OLI_SEQ_RESET " = %.1f cm, H" UML_oe "he h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm\n",
                   p, w.corbel_length, w.width, w.corbel_height);
        if (variant == 1) {
            if (w.bearing_length <= 0.001 || w.bearing_width <= 0.001)
                OLI_Printf(f, "%sohne Lagerplatte (l" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = b" OLI_SEQ_SUB "p" OLI_SEQ_RESET
                              " = 0)\n", p);
            else
                OLI_Printf(f, "%sLagerplatte: L" UML_ae "nge l" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = %.1lf cm, Breite b"
                              OLI_SEQ_SUB "p" OLI_SEQ_RESET " = %.1lf cm\n", p, w.bearing_length, w.bearing_width);
        }
    }
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Achsabstand\n", p);
    OLI_Printf(f, "%sd" OLI_SEQ_SUB "1k" OLI_SEQ_RESET " = %.1f cm  %s  d" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm", p,
               w.corbel_axis_distance, ARROW, w.dk);
    if (std::fabs(w.z - w.zk) <= 0.001)
        OLI_Printf(f, " (z" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1f cm)\n", w.zk);
    else
        OLI_Printf(f, " (z" OLI_SEQ_SUB "V" OLI_SEQ_RESET " = %.1f cm, z" OLI_SEQ_SUB "A+H" OLI_SEQ_RESET " = %.1f cm)\n",
                   w.z, w.zk);
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Belastung", p);
    OLI_Printf(f, "\n");
    if (variant == 2) {
        OLI_Printf(f, "%sA" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.1f kN/m bei %sa = %.1f cm", p, "", w.vertical_force,
                   DELTA, w.load_distance);
        if (std::fabs(w.horizontal_force) > 0.01)
            OLI_Printf(f, ", H" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.1f kN/m bei %sh = %.1f cm", "", w.horizontal_force,
                       DELTA, w.force_height);
    } else {
        OLI_Printf(f, "%sA" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.1f kN%s bei %sa = %.1f cm", p, "", w.vertical_force,
                   t.unit, DELTA, w.load_distance);
        if (variant == 1 && std::fabs(w.horizontal_force) > 0.01)
            OLI_Printf(f, ", H" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.1f kN%s bei %sh = %.1f cm", "",
                       w.horizontal_force, t.unit, DELTA, w.force_height);
        if (variant == 0)
            OLI_Printf(f, ", Aufteilung der Last A%s zu A" OLI_SEQ_SUB "oben" OLI_SEQ_RESET " = %.2f%sP und A" OLI_SEQ_SUB
                          "unten" OLI_SEQ_RESET " = %.2f%sP", "", w.distribution_number, report_times_sign,
                       1.0 - w.distribution_number, report_times_sign);
    }
    OLI_Printf(f, "\n");
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Verfahren nach %s" OLI_SEQ_RESET "\n", p,
               w.method_name ? w.method_name : "???");
}

// σ0 against σ03 in the unit given ("N/mm" or "MN/m").
void Write_Sigma0_Line(const Column_Text& t, const char* unit)
{
    const Column_Corbel_Work& w = t.w;
    // With H the value compared is the one its strut force raised, named so.
    const bool with_H = w.shear_value_H > w.shear_value;
    const double value = with_H ? w.shear_value_H : w.shear_value;
    const Check_Text c = Judge(value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR);
    OLI_Printf(t.f, "%sNachweis der Druckstrebe: %s" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.2f %s" OLI_SEQ_SUP "2"
                    OLI_SEQ_RESET "%s %s %s" OLI_SEQ_SUB "03" OLI_SEQ_RESET " = %.2f %s" OLI_SEQ_SUP "2" OLI_SEQ_RESET
                    "  %s\n", t.p, t.sigma, with_H ? "0,H" : "0", value, unit, with_H ? " (mit H)" : "", c.sign,
               t.sigma, w.shear_limit, unit, c.verdict);
}

void Write_Shear_Strut_Line(const Column_Text& t)
{
    const Column_Corbel_Work& w = t.w;
    const bool with_H = w.shear_value_H > w.shear_value;
    const double value = with_H ? w.shear_value_H : w.shear_value;
    const Check_Text c = Judge(value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR);
    OLI_Printf(t.f, "%sNachweis der Druckstrebe: V" OLI_SEQ_SUB "%s" OLI_SEQ_RESET " = %.1f kN%s%s %s V" OLI_SEQ_SUB
                    "Rd,max" OLI_SEQ_RESET " = %.1f kN%s  %s\n", t.p, with_H ? "Ed,H" : "Ed", value, t.unit,
               with_H ? " (mit H)" : "", c.sign, w.shear_limit, t.unit, c.verdict);
}

// The compression-zone check of classes 5 and 6.
void Write_Zone_Line(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const int cls = w.method_class;
    OLI_Printf(f, "%sNachweis der Druckstrebe: x", t.p);
    if (cls == 6 && t.detail_level >= 2) {
        if (Concrete_Fck(w.material_set) >= 50.001)
            OLI_Printf(f, " = x" OLI_SEQ_SUB "c" OLI_SEQ_RESET "/(1-f" OLI_SEQ_SUB "ck" OLI_SEQ_RESET "/250)");
        else
            OLI_Printf(f, " = x" OLI_SEQ_SUB "c" OLI_SEQ_RESET "/0.8");
    }
    const Check_Text c = Judge(w.xc, w.xc_limit, w.failed_checks, DESIGN_CHECK_ZONE);
    if (cls == 5)
        OLI_Printf(f, " = %.2lf cm %s zul x = %.2lf cm  %s" OLI_SEQ_RESET "\n", w.xc, c.sign, w.xc_limit, c.verdict);
    else
        OLI_Printf(f, " = %.2lf cm %s zul x = 0.4%sd = %.2lf cm  %s" OLI_SEQ_RESET "\n", w.xc, c.sign,
                   report_times_sign, w.xc_limit, c.verdict);
    if (t.detail_level >= 2)
        OLI_Printf(f, "%s  mit x" OLI_SEQ_SUB "c" OLI_SEQ_RESET " = %.2lf cm, " DELTA "a" OLI_SEQ_SUB "c" OLI_SEQ_RESET
                      " = %.1lf cm\n", t.p, w.x, w.delta_e);
}

// Direct load and beam-end corbel: bearing, the class's strut check, hanger and tie.
void Write_Direct_Load_Checks(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;
    const int cls = w.method_class;

    if (w.sigma_bearing > 0.01) {
        const Check_Text c = Judge(w.sigma_bearing, w.sigma_perm, w.failed_checks, DESIGN_CHECK_BEARING);
        OLI_Printf(f, "%sLagerpressung (%s): %s" OLI_SEQ_SUB "p" OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2"
                      OLI_SEQ_RESET " %s ", p, w.dry_joint ? "trockene Lagerfuge" : "Gleit-/Elastomerlager", t.sigma,
                   w.sigma_bearing, c.sign);
        OLI_Printf(f, "%s" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET, t.sigma);
        OLI_Printf(f, " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET, w.sigma_perm);
        OLI_Printf(f, "  %s\n", c.verdict);
    }

    if (cls == 2) {
        Write_Sigma0_Line(t, "MN/m");
    } else if (cls == 4) {
        Write_Shear_Strut_Line(t);
    } else if (cls == 5 || cls == 6) {
        Write_Zone_Line(t);
        if (w.shear_limit > 0.01) {
            if (cls == 6) {
                Write_Shear_Strut_Line(t);
            } else {
                const Check_Text s = Judge(w.shear_value, w.shear_limit, w.failed_checks, DESIGN_CHECK_SHEAR);
                OLI_Printf(f, "%sNachweis der Druckstrebe f" UML_ue "r a/z = %.2lf > 0.5: V" OLI_SEQ_SUB "Ed"
                              OLI_SEQ_RESET " = %.1f kN%s %s V" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET
                              " = %.1f kN%s  %s\n", p, w.ratio, w.shear_value, t.unit, s.sign, w.shear_limit, t.unit,
                           s.verdict);
            }
        }
    }

    if (w.load_transfer == 2)
        OLI_Printf(f, "%sAufh" UML_ae "ngebewehrung: Z" OLI_SEQ_SUB "V" OLI_SEQ_RESET " = %.2lf kN%s  %s  erf A"
                      OLI_SEQ_SUB "s,v" OLI_SEQ_RESET " = %.2f cm" SQUARE "%s\n", p, w.F_hanger, t.unit, ARROW,
                   w.As_hanger, t.unit);
    OLI_Printf(f, "%sZuggurtbewehrung: Z" OLI_SEQ_SUB "A+H" OLI_SEQ_RESET " = %.1lf kN%s  %s  erf A" OLI_SEQ_SUB "s,h"
                  OLI_SEQ_RESET " = %.2f cm" SQUARE "%s\n", p, w.Z + w.Z_H, t.unit, ARROW, w.As_tie, t.unit);
}

// Hung-up load: the checks of the upper load share.
void Write_Upper_Share_Checks(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;

    OLI_Printf(f, "%sNachweise f" UML_ue "r den Lastanteil A" OLI_SEQ_SUB "oben" OLI_SEQ_RESET " = %.2lf kN%s:\n", p,
               w.distribution_number * w.vertical_force, t.unit);
    // The strut checks that decide the verdict for the upper share as for a direct load.
    if (w.method_class == 2) Write_Sigma0_Line(t, "N/mm");
    if (w.method_class == 4) Write_Shear_Strut_Line(t);
    if (w.method_class == 6) Write_Zone_Line(t);
    OLI_Printf(f, "%sZuggurtbewehrung: Z" OLI_SEQ_SUB "A" OLI_SEQ_RESET " = %.2lf kN%s  %s  erf A" OLI_SEQ_SUB "s,h"
                  OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n", p, w.Z, t.unit, ARROW, w.As_tie);
    if (w.method_class == 5) {
        // Here the strut fields hold T3 and its stirrup area.
        OLI_Printf(f, "%sNachweis der Druckstrebe: horizontale B" UML_ue "gelbewehrung\n", p);
        OLI_Printf(f, "%sT" OLI_SEQ_SUB "3" OLI_SEQ_RESET " = 0.2%sA" OLI_SEQ_SUB "oben" OLI_SEQ_RESET
                      " = %.2lf kN%s  %s  erf A" OLI_SEQ_SUB "sb,h" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n",
                   p, report_times_sign, w.shear_value, t.unit, ARROW, w.shear_limit);
    }
}

// The stirrups of "EC 2-1-1, 6.5" by the slenderness a/hk.
void Write_Stirrups_Class_6(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;
    const double a = w.load_distance;
    const double hk = w.corbel_height;
    const double ratio = Safe_Ratio(a, hk);
    const double beta = Clamp_01(2.0 * ratio - 1.0);
    const char* text = Text_Or_Empty(w.stirrup_text);
    const double L = w.As_stirrup;
    const char* letter_text = w.stirrup_text;

    if (a < 0.5 * hk + 0.001) {
        OLI_Printf(f, " %s", text);
        OLI_Printf(f, " f" UML_ue "r " DELTA "a/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.2f " LESS_EQ
                      " 0.5 (gedrungene Konsole)\n", ratio);
        if (L > 0.01)
            OLI_Printf(f, "%s  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = 0.3%sA" OLI_SEQ_SUB "s,h" OLI_SEQ_RESET
                          " = %.2f cm" SQUARE "%s\n", p, ARROW, Direction_Letter(letter_text), report_times_sign, L,
                       t.unit);
    } else if (a < hk + 0.001) {
        OLI_Printf(f, " %s", text);
        OLI_Printf(f, " f" UML_ue "r 0.5 < " DELTA "a/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.2f " LESS_EQ
                      " 1.0 (schlanke Konsole)\n", ratio);
        OLI_Printf(f, "%s ", p);
        const bool horizontal = L > 0.01;
        const bool vertical = w.stirrup_value > 0.01;
        if (horizontal)
            OLI_Printf(f, "horizontal: erf A" OLI_SEQ_SUB "sb,h" OLI_SEQ_RESET " = 0.3%s(1-" BETA ")%sA%s" OLI_SEQ_SUB
                          "s,h" OLI_SEQ_RESET " = %.2f cm" SQUARE "%s", report_times_sign, report_times_sign, "", L,
                       t.unit);
        if (horizontal && vertical) OLI_Printf(f, ", ");
        if (vertical)
            OLI_Printf(f, "vertikal: erf A" OLI_SEQ_SUB "sb,v" OLI_SEQ_RESET " = " BETA "%sA/f" OLI_SEQ_SUB "yd"
                          OLI_SEQ_RESET " = %.2f cm" SQUARE "%s", report_times_sign, w.stirrup_value, t.unit);
        OLI_Printf(f, " (" BETA " = %.3lf)\n", beta);
    } else if (a < 1.5 * hk + 0.001) {
        OLI_Printf(f, " %s", text);
        OLI_Printf(f, " f" UML_ue "r 1.0 < " DELTA "a/h" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.2f " LESS_EQ
                      " 1.5 (sehr schlanke Konsole)\n", ratio);
        if (L > 0.01) {
            OLI_Printf(f, "  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = " BETA "%sA%s/f" OLI_SEQ_SUB "yd"
                          OLI_SEQ_RESET " = %.2f cm" SQUARE "%s", ARROW, Direction_Letter(letter_text),
                       report_times_sign, w.load_transfer == 0 ? OLI_SEQ_SUB "oben" OLI_SEQ_RESET : "", L, t.unit);
            OLI_Printf(f, " (" BETA " = %.3lf)\n", beta);
        }
    } else {
        OLI_Printf(f, " %s\n", text);
    }
}

// Splitting-tension stirrups (hung-up and direct load).
void Write_Stirrups(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;
    const int cls = w.method_class;
    const char* text = Text_Or_Empty(w.stirrup_text);

    OLI_Printf(f, "%sSpaltzugbewehrung:", p);
    switch (cls) {
    case 0: OLI_Printf(f, " %s\n", text); return;
    case 1:
        OLI_Printf(f, " Z" OLI_SEQ_SUB "b" OLI_SEQ_RESET " = Z" OLI_SEQ_SUB "A" OLI_SEQ_RESET "/3 %s erf A" OLI_SEQ_SUB
                      "sb,h" OLI_SEQ_RESET " = %.2f cm" SQUARE "%s\n", ARROW, w.As_stirrup, t.unit);
        return;
    case 2: {
        OLI_Printf(f, " %s\n", text);
        // The stirrup rule compares σ0 of the load share; shown as a value for hung-up load.
        const std::string sigma0_part =
            w.load_transfer == 0 ? Format_String(" = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET, w.shear_value)
                                 : std::string();
        if (w.ratio >= 0.501)
            OLI_Printf(f, "%s " DELTA "a>0.5%sh und %s" OLI_SEQ_SUB "0" OLI_SEQ_RESET "%s %s %s" OLI_SEQ_SUB "011"
                          OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET, p, report_times_sign, t.sigma,
                       sigma0_part.c_str(), Relation(w.shear_value, w.stirrup_value), t.sigma, w.stirrup_value);
        else
            OLI_Printf(f, "%s " DELTA "a%s0.5%sh und %s" OLI_SEQ_SUB "0" OLI_SEQ_RESET "%s %s %s" OLI_SEQ_SUB "012"
                          OLI_SEQ_RESET " = %.2f N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET, p, Relation(w.ratio, 0.5),
                       report_times_sign, t.sigma, sigma0_part.c_str(), Relation(w.shear_value, w.stirrup_value),
                       t.sigma, w.stirrup_value);
        break;
    }
    case 3:
        OLI_Printf(f, " %s\n", text);
        OLI_Printf(f, "%s Z' = %.1f kN%s (%s = %.1f" DEGREE ")", p, w.stirrup_value, t.unit, THETA, w.theta2);
        break;
    case 4:
        OLI_Printf(f, " %s\n", text);
        // The rule that decided, with the limit it compared VEd with; the two rules meet at
        // a = 0.5 hk, where either may decide.
        if (w.long_span_stirrups)
            OLI_Printf(f, "%s f" UML_ue "r " DELTA "a %s 0.5%sh" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1lf cm und V"
                          OLI_SEQ_SUB "Ed" OLI_SEQ_RESET "%s %s V" OLI_SEQ_SUB "Rd,ct" OLI_SEQ_RESET " = %.1f kN%s",
                       p, To_Float(w.ratio) > 0.5f ? ">" : GREATER_EQ, report_times_sign, 0.5 * w.corbel_height, "",
                       Relation(w.shear_value, w.stirrup_value), w.stirrup_value, t.unit);
        else
            OLI_Printf(f, "%s f" UML_ue "r " DELTA "a %s 0.5%sh" OLI_SEQ_SUB "k" OLI_SEQ_RESET " = %.1lf cm und V"
                          OLI_SEQ_SUB "Ed" OLI_SEQ_RESET "%s %s 0.3%sV" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET
                          " = %.1f kN%s", p, To_Float(w.ratio) < 0.5f ? "<" : LESS_EQ, report_times_sign,
                       0.5 * w.corbel_height, "", Relation(w.shear_value, w.stirrup_value), report_times_sign,
                       w.stirrup_value, t.unit);
        break;
    case 5:
        OLI_Printf(f, " %s\n", text);
        if (w.ratio >= 0.501) {
            OLI_Printf(f, "%sa/z = %.2lf > 0.5 (lange Konsole): ", p, w.ratio);
            OLI_Printf(f, "F" OLI_SEQ_SUB "1" OLI_SEQ_RESET " = %.2lf kN%s (%s = %.1f" DEGREE ")", w.stirrup_value,
                       t.unit, THETA, w.theta2);
        } else {
            OLI_Printf(f, "%sa/z = %.2lf " LESS_EQ " 0.5 (kurze Konsole): ", p, w.ratio);
            OLI_Printf(f, "T" OLI_SEQ_SUB "3" OLI_SEQ_RESET " = 0.2%sA = %.2lf kN%s", report_times_sign,
                       w.stirrup_value, t.unit);
        }
        break;
    case 6: Write_Stirrups_Class_6(t); return;
    default: OLI_Printf(f, "\n"); return;
    }
    // Classes 2 to 5: the area of the stirrups.
    if (w.As_stirrup > 0.01)
        OLI_Printf(f, cls == 4 ? "  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = %.2lf cm" SQUARE "%s\n"
                               : "  %s  erf A" OLI_SEQ_SUB "sb,%c" OLI_SEQ_RESET " = %.2f cm" SQUARE "%s\n",
                   ARROW, Direction_Letter(w.stirrup_text), w.As_stirrup, t.unit);
    else
        OLI_Printf(f, "\n");
}

// σd of "Heft 430" against its permissible value.
void Write_Strut_Pressure_Line(const Column_Text& t)
{
    const Column_Corbel_Work& w = t.w;
    const Check_Text c = Judge(w.sigma_strut, w.sigma_perm, w.failed_checks, DESIGN_CHECK_STRUT);
    OLI_Printf(t.f, "%s%s" OLI_SEQ_SUB "d" OLI_SEQ_RESET " = %.2f MN/m" OLI_SEQ_SUP "2" OLI_SEQ_RESET " (%s"
                    OLI_SEQ_SUB "2" OLI_SEQ_RESET "=%.1f" DEGREE ") %s zul %s" OLI_SEQ_SUB "d" OLI_SEQ_RESET
                    " = %.2f MN/m" OLI_SEQ_SUP "2" OLI_SEQ_RESET "  %s\n", t.p, t.sigma, w.sigma_strut, THETA,
               w.theta, c.sign, t.sigma, w.sigma_perm, c.verdict);
}

// The closing check of classes 0, 1 and 3.
void Write_Class_Closing(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;

    switch (w.method_class) {
    case 0: {
        // The line says only whether min b stays within b: ">" or the less-or-equal sign.
        const Check_Text c = Judge(w.min_b, w.width, w.failed_checks, DESIGN_CHECK_STRUT);
        const bool failed = (w.failed_checks & DESIGN_CHECK_STRUT) != 0;
        OLI_Printf(f, "%sDruckstrebe: min b = %.1f cm %s b  %s\n", p, w.min_b, failed ? ">" : LESS_EQ, c.verdict);
        break;
    }
    case 1: Write_Sigma0_Line(t, "MN/m"); break;
    case 3:
        OLI_Printf(f, "%sNachweis der Druckstrebe (a" OLI_SEQ_SUB "l" OLI_SEQ_RESET "/z=%.2lf %s 0.5):\n", p, w.ratio,
                   Relation(w.ratio, 0.5));
        Write_Strut_Pressure_Line(t);
        break;
    default: break;
    }
}

// Hung-up load: the lower load share carried by the inclined bars.
void Write_Lower_Share(const Column_Text& t)
{
    FILE* f = t.f;
    const Column_Corbel_Work& w = t.w;
    const char* p = t.p;

    OLI_Printf(f, "%sNachweis f" UML_ue "r den Lastanteil A" OLI_SEQ_SUB "unten" OLI_SEQ_RESET, p);
    if (w.distribution_number < 1.0) {
        OLI_Printf(f, " = %.1f kN%s (%s = %.1f" DEGREE, (1.0 - w.distribution_number) * w.vertical_force, t.unit, BETA,
                   w.hanger_angle);
        // A strut flatter than the bars gives the force.
        if (w.strut_slope > 0.0 && w.strut_slope < w.hanger_angle)
            OLI_Printf(f, ", ma" UML_ss "gebend Druckstrebe %.1f" DEGREE, w.strut_slope);
        OLI_Printf(f, "):\n");
        OLI_Printf(f, "%sSchr" UML_ae "gbewehrung: Z" OLI_SEQ_SUB "S" OLI_SEQ_RESET " = %.1f kN%s  %s  erf A" OLI_SEQ_SUB
                      "s,s" OLI_SEQ_RESET " = %.2f cm" OLI_SEQ_SUP "2\n", p, w.F_incl_hanger, t.unit, ARROW,
                   w.As_incl_hanger);
    } else {
        OLI_Printf(f, " nicht erforderlich\n");
    }
}

// Hung-up load: the method's concrete check with the whole load, in the line of that check.
void Write_Whole_Load_Check(const Column_Text& t)
{
    const Column_Corbel_Work& w = t.w;
    if (!Write_Whole_Load_Head(t.f, t.p, w.vertical_force, t.unit, w.whole_load_check)) return;
    Column_Corbel_Work shown = w;
    shown.failed_checks = w.whole_load_failed;
    const Column_Text whole{t.f, shown, t.p, t.unit, t.detail_level, t.sigma};
    switch (w.method_class) {
    case 0:
        shown.min_b = w.whole_load_value;
        Write_Class_Closing(whole);
        break;
    case 2:
    case 4:
        shown.shear_value = w.whole_load_value;
        shown.shear_value_H = w.whole_load_value;
        shown.shear_limit = w.whole_load_limit;
        if (w.method_class == 2)
            Write_Sigma0_Line(whole, "N/mm");
        else
            Write_Shear_Strut_Line(whole);
        break;
    case 3:
        shown.sigma_strut = w.whole_load_value;
        shown.sigma_perm = w.whole_load_limit;
        shown.theta = w.whole_load_theta;
        Write_Strut_Pressure_Line(whole);
        break;
    default:
        shown.xc = w.whole_load_value;
        shown.xc_limit = w.whole_load_limit;
        shown.x = w.whole_load_x;
        shown.delta_e = 0.0;
        Write_Zone_Line(whole);
        break;
    }
}

} // namespace

void Write_Column_Corbel_Design(int beam_end, FILE* f, int detail_level)
{
    if (!f) return;
    const Column_Corbel_Work& w = column_corbel_work;
    const bool per_metre = beam_end || w.load_transfer == 2;
    const Column_Text t{f, w, report_line_prefix ? report_line_prefix : "", per_metre ? "/m" : "", detail_level,
                        report_symbol_texts[REPORT_SYMBOL_SIGMA]};
    const int variant = w.load_transfer;

    OLI_Set_Tab_Stops(2, nullptr, &text_tab_position, 1);

    if (detail_level >= 2)
        Write_Echo(t);
    else if (variant == 0 && std::fabs(w.horizontal_force) > 0.01)
        // A hung-up load takes no horizontal force.
        OLI_Printf(f, "%sBemessungsgr" UML_oe UML_ss "en: A = %.2lf kN%s, H = %.2lf kN%s (nicht angesetzt)\n", t.p,
                   w.vertical_force, t.unit, w.horizontal_force, t.unit);
    else
        OLI_Printf(f, "%sBemessungsgr" UML_oe UML_ss "en: A = %.2lf kN%s, H = %.2lf kN%s\n", t.p, w.vertical_force,
                   t.unit, w.horizontal_force, t.unit);

    // A failed design has nothing more to show.
    if (w.As_tie < -0.1) return;

    // Without a significant upper share only the lower share and the whole load are left
    // to show.
    const bool upper = variant != 0 || w.distribution_number * w.vertical_force > 0.01;
    if (variant == 1 || variant == 2)
        Write_Direct_Load_Checks(t);
    else if (upper)
        Write_Upper_Share_Checks(t);

    if (upper) {
        if (variant == 0 || variant == 1) Write_Stirrups(t);
        Write_Class_Closing(t);
    }
    if (variant == 0) {
        Write_Lower_Share(t);
        if (w.whole_load_check) Write_Whole_Load_Check(t);
    }
}
