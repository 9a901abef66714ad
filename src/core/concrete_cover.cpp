#include "core/concrete_cover.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "material/material_props.h"
#include "material/material_set.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"

#include <algorithm>
#include <cstring>
#include <string>

// Report symbols of the report font (code page 850 positions), kept apart so that a letter
// after them is never taken into a hex escape.
#define COVER_ARROW "\x88"
#define COVER_DELTA "\xA3"
#define COVER_DIAMETER "\x8C"
#define COVER_SQUARED "\xFD"
#define SUB(text) OLI_SEQ_SUB text OLI_SEQ_RESET

const char* const attack_class_names[ATTACK_CLASS_COUNT] = {"---", "XF1", "XF2", "XF3",
                                                            "XF4", "XA1", "XA2", "XA3"};

namespace {

// Least strength class by exposure class, as an index of concrete_class_names.
constexpr int least_class_corrosion[CORROSION_CLASS_COUNT] = {0, 0, 1, 1, 2, 3, 4, 5, 5, 4, 5, 5};
constexpr int least_class_attack[ATTACK_CLASS_COUNT] = {0, 3, 5, 5, 4, 3, 5, 5};

// Index of the current concrete classes in the material tables' class index.
constexpr int CURRENT_CLASS_OFFSET = 5;

// Lengths are worked in mm; a negative (or undefined) length counts as none.
double To_Mm(double cm) { return cm > 0.0 ? cm * 10.0 : 0.0; }

// The derivation, in mm.
struct Cover_Work {
    bool has_long = false;       // longitudinal bars given
    bool has_stirrups = false;   // stirrups given
    bool cv_given = false;       // a laid cover is given
    double c_min = 0.0;          // durability minimum cover
    double delta_c = 0.0;        // allowance for deviation (durability)
    double c_dur = 0.0;          // c_min + delta_c
    double delta_c_bond = 0.0;   // allowance for deviation (bond)
    double c_nom_b = 0.0;        // stirrups: phi_sb + delta_c_bond
    double c_nom_l = 0.0;        // longitudinal bars: phi_s + delta_c_bond
    double c_implied = 0.0;      // stirrup cover that c_nom_l demands
    double c_nom = 0.0;          // governing nominal cover
    double cover_used = 0.0;     // laid cover, or c_nom
    double min_d = 0.0;          // least axis distance of the main tie
};

// "c nom = .. mm", the laid cover with its verdict, and the line end.
void Write_Cover_Result(FILE* report, const Cover_Work& w, double cv_mm)
{
    OLI_Printf(report, "c" SUB("nom") " = %.0lf mm", w.c_nom);
    if (w.cv_given) {
        const bool ok = cv_mm > w.c_nom - 0.001;
        const char* sign = Get_Relation_Sign_Le_Judged(static_cast<float>(w.c_nom), static_cast<float>(cv_mm), !ok);
        OLI_Printf(report, " %s c" SUB("v") " = %.0lf mm  %s", sign, cv_mm,
                   ok ? Get_Verdict_Ok() : Get_Verdict_Not_Ok());
    }
    OLI_Printf(report, "\n");
}

// The lines of the corrosion class: durability, bond and the governing cover.
void Write_Corrosion_Lines(FILE* report, const Cover_Work& w, const char* class_name, int least_class, double phi_s_mm,
                           double phi_sb_mm, double cv_mm, int level)
{
    const char* p = report_line_prefix;
    OLI_Printf(report, "%s  infolge Bewehrungskorrosion %s  " COVER_ARROW " %s", p, class_name,
               concrete_class_names[least_class]);
    if (level >= 2) {
        OLI_Printf(report, ", c" SUB("min") " = %.0lf mm", w.c_min);
        OLI_Printf(report, ", " COVER_DELTA "c = %.0lf mm", w.delta_c);
        OLI_Printf(report, ", c" SUB("nom") " = c" SUB("min") "+" COVER_DELTA "c = %.0lf mm", w.c_dur);
        OLI_Printf(report, "\n");
    } else if (level == 1) {
        OLI_Printf(report, ", c" SUB("nom") " = %.0lf mm", w.c_dur);
    }
    if (!w.has_long && !w.has_stirrups) {
        OLI_Printf(report, "\n");
        return;
    }

    if (level >= 2) {
        OLI_Printf(report, "%szur Sicherstellung des Verbunds\n", p);
        if (w.has_stirrups) {
            OLI_Printf(report, "%sf\x81r die B\x81gelbewehrung:", p);
            OLI_Printf(report, " c" SUB("min,b") " = " COVER_DIAMETER SUB("sb") " = %.0lf mm", phi_sb_mm);
            OLI_Printf(report, ", " COVER_DELTA "c = %.0lf mm", w.delta_c_bond);
            OLI_Printf(report, ", c" SUB("nom,b") " = c" SUB("min,b") "+" COVER_DELTA "c = %.0lf mm", w.c_nom_b);
            OLI_Printf(report, "\n");
        }
        if (w.has_long) {
            OLI_Printf(report, "%sf\x81r die L\x84ngsbewehrung:", p);
            OLI_Printf(report, " c" SUB("min,l") " = " COVER_DIAMETER SUB("s") " = %.0lf mm", phi_s_mm);
            OLI_Printf(report, ", " COVER_DELTA "c = %.0lf mm", w.delta_c_bond);
            OLI_Printf(report, ", c" SUB("nom,l") " = c" SUB("min,l") "+" COVER_DELTA "c = %.0lf mm", w.c_nom_l);
            OLI_Printf(report, "\n");
            if (w.has_stirrups)
                OLI_Printf(report,
                           "%s  " COVER_ARROW " c" SUB("nom,b") " = c" SUB("nom,l") "-" COVER_DIAMETER SUB(
                               "sb") " = %.0lf mm\n",
                           p, w.c_implied);
        }
        OLI_Printf(report, "%sBetondeckung", p);
        if (w.has_stirrups) OLI_Printf(report, " zur B\x81gelbewehrung");
        OLI_Printf(report, ": ");
    } else if (level == 1) {
        if (w.has_stirrups) OLI_Printf(report, ", c" SUB("nom,b") " = %.0lf mm", w.c_nom_b);
        if (w.has_long) OLI_Printf(report, ", c" SUB("nom,l") " = %.0lf mm", w.c_nom_l);
        if (w.has_stirrups && w.has_long) OLI_Printf(report, "\n%s", p);
        OLI_Printf(report, " " COVER_ARROW " ");
    } else {
        OLI_Printf(report, ", ");
    }
    Write_Cover_Result(report, w, cv_mm);
}

} // namespace

int Get_Least_Class_Corrosion(int corrosion_class)
{
    return corrosion_class >= 0 && corrosion_class < CORROSION_CLASS_COUNT ? least_class_corrosion[corrosion_class] : 0;
}

int Get_Least_Class_Attack(int attack_class)
{
    return attack_class >= 0 && attack_class < ATTACK_CLASS_COUNT ? least_class_attack[attack_class] : 0;
}

double Check_Concrete_Cover(int corrosion_class, int attack_class, int second_layer, double phi_s, double phi_sb,
                            double d, double fck, double cv, const char* label, FILE* report, int detail_level)
{
    if (corrosion_class == 0 && attack_class == 0) return 0.0;
    if (corrosion_class < 0 || corrosion_class >= CORROSION_CLASS_COUNT || attack_class < 0 ||
        attack_class >= ATTACK_CLASS_COUNT) {
        if (report) OLI_Write_Failed_Line(report, "Unbekannte Expositionsklasse");
        return -1.0;
    }

    const NAD_EC2_Params* annex = NAD_Get_EC2_Params();
    const bool na_de = annex && annex->na_de_flag != 0;
    const double phi_s_mm = To_Mm(phi_s);
    const double phi_sb_mm = To_Mm(phi_sb);
    const double d_mm = To_Mm(d);
    const double cv_mm = To_Mm(cv);

    Cover_Work w;
    w.has_long = phi_s_mm > 0.01;
    w.has_stirrups = phi_sb_mm > 0.01;
    w.cv_given = cv_mm > 0.1;

    if (corrosion_class > 0 && annex) {
        const int k = corrosion_class;
        const double c_min_dur =
            annex->c_min_dur[k] + annex->delta_c_dur_gamma[k] - (annex->delta_c_dur_st + annex->delta_c_dur_add);
        w.c_min = c_min_dur < 1.0 ? 10.0 : 10.0 * c_min_dur;
        w.delta_c = 10.0 * annex->delta_c_dev;
        if (na_de && (k == 1 || k == 2)) w.delta_c = 10.0;  // X0 and XC1
        w.c_dur = w.c_min + w.delta_c;

        w.delta_c_bond = na_de ? 10.0 : w.delta_c;
        w.c_nom = w.c_dur;
        if (w.has_stirrups) {
            w.c_nom_b = phi_sb_mm + w.delta_c_bond;
            w.c_nom = std::max(w.c_nom, w.c_nom_b);
        }
        if (w.has_long) {
            w.c_nom_l = phi_s_mm + w.delta_c_bond;
            // The stirrups lie outside the longitudinal bars: their cover is the bars'
            // cover less the stirrup diameter.
            w.c_implied = w.c_nom_l - phi_sb_mm;
            w.c_nom = std::max(w.c_nom, w.has_stirrups ? w.c_implied : w.c_nom_l);
        }
        w.cover_used = w.cv_given ? cv_mm : w.c_nom;
        w.min_d = w.cover_used + phi_s_mm / 2.0 + phi_sb_mm + (second_layer ? phi_s_mm : 0.0);
    }

    const int least_corrosion = Get_Least_Class_Corrosion(corrosion_class);
    const int least_attack = Get_Least_Class_Attack(attack_class);
    const int least = std::max(least_corrosion, least_attack);
    const double fck_least = Get_Concrete_Strength(4, least + CURRENT_CLASS_OFFSET);
    const bool fck_given = fck > 0.01;
    const bool fck_ok = !fck_given || !(fck < fck_least - 0.001);
    const bool d_ok = !(w.has_long && d_mm > 0.01) || !(d_mm < w.min_d - 0.001);

    if (report) {
        const char* p = report_line_prefix;
        std::string label_prefix;
        if (label && std::strlen(label) >= 2) label_prefix = std::string(OLI_SEQ_STYLE) + label + OLI_SEQ_RESET ": ";
        OLI_Printf(report, "%s%sMindestfestigkeitsklasse", p, label_prefix.c_str());
        if (corrosion_class > 0) OLI_Printf(report, ", Betondeckung");
        OLI_Printf(report, "\n");

        if (corrosion_class > 0 && annex)
            Write_Corrosion_Lines(report, w, annex->exposure_class_name[corrosion_class], least_corrosion, phi_s_mm,
                                  phi_sb_mm, cv_mm, detail_level);

        if (attack_class > 0) {
            OLI_Printf(report, "%s  infolge Betonangriff %s  %s %s", p, attack_class_names[attack_class], COVER_ARROW,
                       concrete_class_names[least_attack]);
            OLI_Printf(report, "\n");
        }

        OLI_Printf(report, "%sMindestbetong\x81te %s", p, concrete_class_names[least]);
        if (fck_given)
            OLI_Printf(report,
                       " mit f" SUB("ck") " = %.1lf N/mm" COVER_SQUARED " %s vorh f" SUB(
                           "ck") " = %.1lf N/mm" COVER_SQUARED "  %s",
                       fck_least,
                       Get_Relation_Sign_Le_Judged(static_cast<float>(fck_least), static_cast<float>(fck), !fck_ok),
                       fck, fck_ok ? Get_Verdict_Ok() : Get_Verdict_Not_Ok());
        OLI_Printf(report, "\n");

        if (phi_s_mm > 0.1 && d_mm > 0.1) {
            OLI_Printf(report, "%sMindestachsabstand (f\x81r nur eine Bewehrungslage) min d", p);
            if (detail_level >= 2) {
                OLI_Printf(report, "%s", w.cv_given ? " = c" SUB("v") : " = c" SUB("nom"));
                if (second_layer) OLI_Printf(report, "+" COVER_DIAMETER SUB("sl"));
                if (w.has_stirrups) OLI_Printf(report, "+" COVER_DIAMETER SUB("sb"));
                OLI_Printf(report, "+" COVER_DIAMETER SUB("sl") "/2");
            }
            OLI_Printf(report, " = %.1lf mm", w.min_d);
            OLI_Printf(report, "\n");
        }
    }

    if (!fck_ok || !d_ok) return -1.0;
    return w.c_nom * 0.1;
}
