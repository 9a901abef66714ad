// Fatigue check of the corbel tie and of the concrete strut under the fatigue load table.
#include "core/corbel_fatigue.h"

#include <cmath>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/rebar.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/corbel_text_bytes.h"
#include "core/corbel_work.h"
#include "core/design_load_case.h"
#include "core/required_areas_line.h"
#include "material/class_names.h"
#include "material/creep_shrinkage.h"
#include "material/material_props.h"
#include "material/material_set.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/report_symbols.h"
#include "report/string_format.h"
#include "report/verdicts.h"
#include "section/fatigue_stresses.h"

namespace {

// Report bytes (code page 850): 0xCC the stress sign σ, 0xBE ε and 0xBA α of the report
// font.
#define SIGMA "\xCC"
#define EPSILON "\xBE"
#define ALPHA "\xBA"
#define SUB OLI_SEQ_SUB
#define SUP OLI_SEQ_SUP
#define RST OLI_SEQ_RESET
#define MM2 "N/mm" SQUARE

// The moment of the row forces about the root section, N·cm to kNm (−0.00001 less one unit
// in the last place; the sign makes the tie the top layer).
constexpr double kMomentFactor = -9.999999999999999e-06;
// Below this a value marks a failed design; above it an area counts.
constexpr double kFailed = -0.001;
constexpr double kLeastArea = 0.001;
// Extra areas of at least this magnitude are added and reported.
constexpr double kShownArea = 0.01;
// Age at first loading when none is given [days].
constexpr double kStandardAge = 28.0;
// The strength-gain factor of the check is that of cement class index 0 (class S).
constexpr int kCementClass = 0;

bool Rows_Entered(const Corbel_Model& m)
{
    return m.fatigue_check != 0 && m.load_count[1] >= 1 && m.load_table[1] != nullptr;
}

bool Corbel_Checked(const Corbel_Model& m)
{
    return m.system == SYSTEM_LOAD_CORBEL && m.connection == CONNECTION_COLUMN &&
           m.load_transfer == LOAD_TRANSFER_DIRECT && m.execution == EXECUTION_SINGLE;
}

bool Check_Applies(const Corbel_Model& m)
{
    return Corbel_Checked(m) && Rows_Entered(m);
}

// The stress range lies between the fatigue rows: one row gives none.
const char* const TEXT_ONE_ROW =
    "nur eine Lastkombination (Ober- und Unterlast erforderlich), Nachweis nicht m" UML_oe "glich";

double Age_Used(const Corbel_Model& m)
{
    return m.first_loading <= 0.01 ? kStandardAge : m.first_loading;
}

// The corbel's material set as the design of the combinations uses it; made when no
// combination has been designed yet. null when it cannot be had.
Material_Set* Corbel_Material_Set(Corbel_Model* model)
{
    Material_Set& set = corbel_material_set;
    if (!corbel_material_set_ready || set.concrete == nullptr || set.n_concrete < 1 || set.steel == nullptr ||
        set.n_steel < 2) {
        if (Alloc_Material_Set(&set, 1, 2) != 0) return nullptr;
        corbel_material_set_ready = 1;
        Fill_Corbel_Material_Set(model);
    }
    return &set;
}

// Stirrup addition in proportion to the tie: f = tie area found / As,h − 1.
double Stirrup_Addition(double envelope_area, double tie_found, double As_h)
{
    if (envelope_area <= -0.1) return -1.0;
    // Without a tie area in the envelope there is nothing to scale from.
    if (As_h <= kLeastArea) return 0.0;
    const double addition = (tie_found / As_h - 1.0) * envelope_area;
    return addition < kLeastArea ? 0.0 : addition;
}

// A final area takes an addition above 0.01 and a failure mark; a failed area stays failed.
void Raise_Final_Area(double& final_area, double addition)
{
    if (final_area <= kFailed) return;
    if (addition > kShownArea)
        final_area += addition;
    else if (addition < kFailed)
        final_area = addition;
}

bool Utilisation_Fails(double u)
{
    return u < kFailed || u > 1.001;
}

// What the report needs beyond the summary.
struct Fatigue_Report_Values {
    double fcd_fat;
    double t0;
    const std::vector<double>* N;
    const std::vector<double>* M;
    const Fatigue_Stress_Input* record;
    // Why the stress routine found no stresses (a failed line of the report); null when it did.
    const char* not_possible;
    // The tie's stresses at the final area still reach fyd: no elastic range to judge.
    bool steel_yields;
};

// The reason of a check that found no stresses, as the report's failed line says it.
const char* Not_Possible_Text(bool startable, const Material_Set& set, const Fatigue_Stress_Input& record)
{
    if (record.case_count < 2) return TEXT_ONE_ROW;
    if (!startable) return "Zuggurtbewehrung nicht ermittelbar, Nachweis nicht m" UML_oe "glich";
    for (int i = 0; i < 2; ++i)
        if (set.steel[i].steel_index == STEEL_GLASS_FIBRE)
            return "keine Erm" UML_ue "dungsregeln f" UML_ue "r Glasfaserbewehrung, Nachweis nicht m" UML_oe "glich";
    if (record.no_equilibrium)
        return "kein Gleichgewicht im gerissenen Querschnitt, Nachweis nicht m" UML_oe "glich";
    return "keine Zuggurtbewehrung im gerissenen Querschnitt gefunden, Nachweis nicht m" UML_oe "glich";
}

void Write_Material_Laws(FILE* out, const Corbel_Model& m, const Material_Set& set)
{
    OLI_Set_Text_Style(3);
    OLI_Printf(out, "%sNachweis im Grenzzustand der Gebrauchstauglichkeit", report_line_prefix);
    if (set.law_choice >= 0) {
        OLI_Printf(out, " mit den Spannungsdehnungslinien\n");
        OLI_Printf(out, "%sf" UML_ue "r Beton: ", report_line_prefix);
        const Concrete_Record& c = set.concrete[0];
        const double gamma_c = m.safety_factors.gamma_c_sls;
        if (set.law_choice == 0) {
            OLI_Printf(out, "nach ");
            OLI_Printf(out, "%s mit f" SUB "cd" RST " = " ALPHA "%sf" SUB "ck" RST " = %.1lf " MM2, "3.1.7 (Bild 3.3)",
                       report_times_sign, gamma_c > 0.001 ? m.fck / gamma_c : 0.0);
        } else if (set.law_choice == 1) {
            OLI_Printf(out, "nach ");
            OLI_Printf(out, "%s mit f" SUB "c" RST " = f" SUB "cm" RST " = %.1lf " MM2, "3.1.5 (Bild 3.2)",
                       Get_Concrete_Fcm(Material_Set_Norm_Code(&set), c.fck, c.density));
        } else if (set.law_choice == 2 || set.modular_ratio <= 0.001) {
            const double ratio = c.e_modulus > 0.001 ? set.steel[0].es / c.e_modulus : 0.0;
            OLI_Printf(out, "linear mit %s" SUB "E" RST " = E" SUB "s" RST "/E" SUB "c" RST " = %.2lf",
                       report_symbol_texts[REPORT_SYMBOL_MODULAR], ratio);
        } else {
            OLI_Printf(out, "linear mit %s" SUB "E" RST " = %.1lf ", report_symbol_texts[REPORT_SYMBOL_MODULAR],
                       set.modular_ratio);
        }
        OLI_Printf(out, "\n");
        OLI_Printf(out, "%sf" UML_ue "r die Bewehrung: nach ", report_line_prefix);
        OLI_Printf(out, "%s mit f" SUB "y" RST " = f" SUB "yk" RST, "3.2.7 (Bild 3.8)");
        const Steel_Record& s = set.steel[0];
        double eps_uk = s.eps_uk;
        const double ft = s.steel_index == 4 ? Get_Steel_Ftk(4, s.fyd * set.gamma_s, &eps_uk) : s.ftd * set.gamma_s;
        OLI_Printf(out, ", f" SUB "t" RST " = %.1lf " MM2 " und " EPSILON SUB "uk" RST " = %.0lf%s", ft, eps_uk,
                   report_symbol_texts[REPORT_SYMBOL_EPS_UK]);
    }
    OLI_Printf(out, "\n");
    OLI_Set_Text_Style(4);
}

void Write_Row_Forces(FILE* out, const Fatigue_Report_Values& v)
{
    OLI_Printf(out, "%sBemessungsgr" UML_oe UML_ss "en / Erm" UML_ue "dungsspannungen bei endg" UML_ue
               "ltiger Bewehrung:\n",
               report_line_prefix);
    for (size_t i = 0; i < v.N->size(); ++i) {
        OLI_Printf(out, "%sLk %d: ", report_line_prefix, static_cast<int>(i) + 1);
        OLI_Printf(out, "N" SUB "Ed" RST " = H = %.2lf kN", (*v.N)[i]);
        OLI_Printf(out, ", M" SUB "Ed" RST " = ");
        OLI_Printf(out, "A%s" DELTA "a", report_times_sign);
        OLI_Printf(out, "+H%s(h" SUB "k" RST "/2+" DELTA "h)", report_times_sign);
        OLI_Printf(out, " = %.2lf kNm", (*v.M)[i] + 0.0);  // + 0.0: no "-0.00" for no moment
        OLI_Printf(out, "\n");
    }
}

void Write_Stresses(FILE* out, const Fatigue_Stress_Input& r)
{
    OLI_Printf(out, "%s", report_line_prefix);
    OLI_Printf(out, SIGMA SUB "s,O" RST " = %.2lf " MM2 ", ", r.steel_max_top);
    OLI_Printf(out, SIGMA SUB "s,U" RST " = %.2lf " MM2 ", ", r.steel_min_top);
    // Magnitudes: an unloaded point's zero is shown without the sign it may carry.
    OLI_Printf(out, "|" SIGMA SUB "c,max" RST "| = %.2lf " MM2 ", ", std::fabs(r.concrete_upper));
    OLI_Printf(out, "|" SIGMA SUB "c,min" RST "| = %.2lf " MM2, std::fabs(r.concrete_lower));
    OLI_Printf(out, "\n");
}

void Write_Tie_Line(FILE* out, const Corbel_Model& m, const Fatigue_Report_Values& v)
{
    const char* delta = report_symbol_texts[REPORT_SYMBOL_DELTA];
    const char* sigma = report_symbol_texts[REPORT_SYMBOL_SIGMA];
    const Load_Case_Summary& s = m.summary;
    OLI_Printf(out, "%sZuggurtbewehrung: ", report_line_prefix);
    OLI_Printf(out, "zul %s%s" SUB "s" RST " = %.0lf N/mm" SUP "2" RST ", ", delta, sigma, m.stress_range);
    OLI_Printf(out, "vorh %s%s" SUB "s" RST " = %s" SUB "s,O" RST "-%s" SUB "s,U" RST " = %.2f N/mm" SUP "2" RST,
               delta, sigma, sigma, sigma, s.delta_sigma_s);
    if (s.dAs_h_fat > kLeastArea)
        OLI_Printf(out, "  %s  %sA" SUB "s,h,fat" RST " = %.2f cm" SQUARE, report_symbol_texts[REPORT_SYMBOL_ARROW],
                   delta, s.dAs_h_fat);
    else if (s.dAs_h_fat < kFailed)
        OLI_Printf(out, "  %s  A" SUB "s,h,fat" RST " Fehler", report_symbol_texts[REPORT_SYMBOL_ARROW]);
    OLI_Printf(out, "\n");
    if (v.steel_yields)
        OLI_Printf(out, "%sStahlspannung erreicht f" SUB "yd" RST " unter den Erm" UML_ue "dungslasten  %s\n",
                   report_line_prefix, Get_Verdict_Not_Ok());
}

void Write_Concrete_Check(FILE* out, const Corbel_Model& m, const Fatigue_Report_Values& v, double c_max)
{
    const char* sigma = report_symbol_texts[REPORT_SYMBOL_SIGMA];
    const char* less_equal = report_symbol_texts[REPORT_SYMBOL_LESS_EQUAL];
    OLI_Printf(out, "%sBetondruckstrebe (f" SUB "cd,fat" RST " = %.2lf N/mm" SUP "2" RST " bei t" SUB "0" RST
               " = %.1lf d):\n",
               report_line_prefix, v.fcd_fat, v.t0);
    // The cement is no input: the class behind βcc(t0) is an assumption the reader must see
    // (above 28 days class S gives the largest gain).
    OLI_Printf(out, "%s " BETA SUB "cc" RST "(t" SUB "0" RST ") = %.3lf (Zementklasse %s angenommen: s = %.2lf)\n",
               report_line_prefix, Get_Strength_Gain_Factor(kCementClass, v.t0),
               cement_group_letters[Get_Cement_Group(kCementClass)], Get_Strength_Gain_Exponent(kCementClass));
    OLI_Printf(out, "%s |%s" SUB "c,max" RST "|/f" SUB "cd,fat" RST " %s 0.5 + 0.45%s|%s" SUB "c,min" RST
               "|/f" SUB "cd,fat" RST " %s %.1lf",
               report_line_prefix, sigma, less_equal, report_times_sign, sigma, less_equal, c_max);
    const double bound = v.record->concrete_limit;
    double ratio = v.record->concrete_ratio;
    // The sign between ratio and bound says what the verdict says: above the bound exactly
    // when the utilisation is; a ratio within 0.01 of the bound that is met is shown equal.
    const double utilisation = m.summary.fatigue_utilisation;
    // A bound beyond c_max fails the check by itself and leaves no utilisation: the sign
    // then compares the two numbers as they are shown.
    const bool above_bound = utilisation < kFailed ? std::round(100.0 * ratio) > std::round(100.0 * bound)
                                                   : utilisation > 1.001;
    if (!above_bound && std::fabs(ratio - bound) < 0.01) ratio = bound;
    const char* ratio_sign =
        Get_Relation_Sign_Le_Judged(static_cast<float>(ratio), static_cast<float>(bound), above_bound);
    const std::string relation = Format_String(
        " %s %.1f", Get_Relation_Sign_Le(static_cast<float>(bound), static_cast<float>(c_max)), c_max);
    const char* verdict = Utilisation_Fails(utilisation) ? Get_Verdict_Not_Ok() : Get_Verdict_Ok();
    OLI_Printf(out, " %s %.2f %s %.2f%s  %s\n", report_symbol_texts[REPORT_SYMBOL_ARROW], ratio, ratio_sign, bound,
               relation.c_str(), verdict);
}

// The line of one direction's addition ("v" or "h") when it is shown.
void Write_Stirrup_Addition(FILE* out, const char* direction, double addition, int detail_level)
{
    if (!(std::fabs(addition) > kShownArea)) return;
    OLI_Printf(out, "%s " DELTA "A" SUB "sb,%s,fat" RST, report_line_prefix, direction);
    if (detail_level >= 2)
        OLI_Printf(out, " = A" SUB "sb,%s" RST "%s((A" SUB "s,h" RST "+" DELTA "A" SUB "s,h,fat" RST ")/A" SUB
                   "s,h" RST "-1)",
                   direction, report_times_sign);
    OLI_Printf(out, " = %.2f cm" SQUARE "\n", addition);
}

void Write_Stirrup_Additions(FILE* out, const Load_Case_Summary& s, int detail_level)
{
    if (std::fabs(s.dAsb_v_fat) <= kShownArea && std::fabs(s.dAsb_h_fat) <= kShownArea) return;
    OLI_Printf(out, "%sSpaltzugbewehrung proportional zur Zuggurtbewehrung:\n", report_line_prefix);
    Write_Stirrup_Addition(out, "v", s.dAsb_v_fat, detail_level);
    Write_Stirrup_Addition(out, "h", s.dAsb_h_fat, detail_level);
}

void Write_Fatigue_Report(FILE* out, Corbel_Model* model, const Material_Set& set, const Fatigue_Report_Values& v,
                          int detail_level)
{
    const Corbel_Model& m = *model;
    const double c_max = set.concrete[0].fck >= 54.9 ? 0.8 : 0.9;
    if (detail_level >= 2) {
        if (m.print_options.switches[EC2_PRINT_EXTRA_INFO]) Write_Material_Laws(out, m, set);
        Write_Row_Forces(out, v);
    } else if (detail_level == 1) {
        OLI_Printf(out, "%sErm" UML_ue "dungsspannungen bei endg" UML_ue "ltiger Bewehrung:\n", report_line_prefix);
    }
    // Without stresses for every combination (no equilibrium, no tie area, bars without
    // fatigue rules) the check cannot be made: no stress, no comparison and no verdict of it
    // is shown, only why.
    if (v.not_possible) {
        OLI_Write_Failed_Line(out, v.not_possible);
    } else {
        if (detail_level >= 1) Write_Stresses(out, *v.record);
        Write_Tie_Line(out, m, v);
        Write_Concrete_Check(out, m, v, c_max);
    }
    Write_Stirrup_Additions(out, m.summary, detail_level);
    const Load_Case_Summary& s = m.summary;
    if (std::fabs(s.dAs_h_fat) > kShownArea || std::fabs(s.dAsb_v_fat) > kShownArea ||
        std::fabs(s.dAsb_h_fat) > kShownArea)
        Write_Required_Areas_Line(model, -1, out, OLI_SEQ_STYLE "Gesamt" OLI_SEQ_RESET, 1);
}

}  // namespace

double Calc_Corbel_Fcd_Fat(const Corbel_Model* model, double* t0)
{
    if (model == nullptr) return 0.0;
    const Corbel_Model& m = *model;
    const NAD_EC2_Params* annex = NAD_Get_EC2_Params();
    const double k1 = m.norm_code == CORBEL_NORM_BRIDGES ? annex->bridge_k1_fatigue : annex->k1_fatigue;
    const double age = Age_Used(m);
    if (t0 != nullptr) *t0 = age;
    const double beta_cc = Get_Strength_Gain_Factor(kCementClass, age);
    // fcd = αcc fck / γc with the αcc of the design values and the fatigue partial factor of
    // the concrete.
    const double gamma_c = m.safety_factors.gamma_c_fat;
    const double fcd = gamma_c > 0.001 ? Corbel_Alpha_Cc(m) * m.fck / gamma_c : 0.0;
    return beta_cc * k1 * (1.0 - 0.004 * m.fck) * fcd;
}

int Check_Corbel_Fatigue(Corbel_Model* model, FILE* report, int detail_level)
{
    if (model == nullptr) return 1;
    Corbel_Model& m = *model;
    Load_Case_Summary& s = m.summary;
    s.delta_sigma_s = 0.0;
    s.dAs_h_fat = 0.0;
    s.dAsb_v_fat = 0.0;
    s.dAsb_h_fat = 0.0;
    s.fatigue_utilisation = 0.0;
    if (!Check_Applies(m)) return 1;
    // Without the required reinforcement of every combination there is no tie to check;
    // the areas stay as the envelope has them.
    if (s.design_failed) {
        if (report != nullptr)
            OLI_Write_Failed_Line(report, "Bewehrung nicht ermittelbar, Nachweis nicht m" UML_oe "glich");
        s.fatigue_failed = 1;
        return 0;
    }

    Material_Set* set = Corbel_Material_Set(model);
    // Damaged material data are told at once: the stress search is not run on them.
    const bool damaged = set != nullptr && !Corbel_Material_Usable(m, *set);
    if (set == nullptr || damaged) {
        if (damaged && report != nullptr) OLI_Write_Failed_Line(report, "Fehler bei den Materialdaten");
        s.dAs_h_fat = -1.0;
        Raise_Final_Area(s.final_As_h, s.dAs_h_fat);
        s.fatigue_failed = 1;
        return 0;
    }
    // A failed tie of the ultimate limit state is no area to start from.
    const double As_h = s.As_h;
    const bool startable = As_h >= kFailed;

    Fatigue_Report_Values values{};
    values.fcd_fat = Calc_Corbel_Fcd_Fat(model, &values.t0);

    const int rows = m.load_count[1];
    std::vector<double> N(rows), M(rows), V(rows, 0.0);
    for (int i = 0; i < rows; ++i) {
        const Load_Combination& row = m.load_table[1][i];
        N[i] = row.H * 0.001;
        M[i] = (row.A * m.load_a + row.H * (m.hk / 2.0 + m.load_height)) * kMomentFactor;
    }
    values.N = &N;
    values.M = &M;

    Fatigue_Stress_Input record;
    Clear_Fatigue_Work_Record(&record);
    record.case_count = rows;
    record.normal_force = N.data();
    record.moment = M.data();
    record.shear_force = V.data();
    record.shape = FATIGUE_RECTANGLE;
    record.width = m.b;
    record.height = m.hk;
    record.top_cover = m.d1k;
    record.bottom_cover = m.d1k;
    record.material_set = set;
    record.perm_steel_range = m.stress_range;
    record.fcd_fat = values.fcd_fat;
    record.link_angle = 90.0;
    record.simplified_method = 1;
    record.design_steel = 1;
    record.check_concrete = 1;
    record.link_steel_index = STEEL_FREE;
    record.strut_angle = static_cast<int>(Round_To_Integer(m.strut_angle));
    // The corbel has bars only in its tie: the other layer is never raised, so the stresses
    // are those of the tie area that the report states.
    record.area_bottom = 0.0;
    record.fixed_bottom = 1;
    record.area_top = As_h;
    values.record = &record;

    Prepare_Fatigue_Material_Set(set, 0.0, 0.0, 1);
    // A failure return means that no stress state was found: no tie area.
    const int failed = startable && rows >= 2 ? Calc_Fatigue_Stresses(1, &record) : 1;

    s.delta_sigma_s = record.steel_max_top - record.steel_min_top;
    const double tie_found = failed ? -1.0 : record.area_top;
    const double addition = tie_found - As_h;
    if (failed || addition < -0.1) {
        s.dAs_h_fat = -1.0;
    } else {
        s.dAs_h_fat = addition;
        s.dAsb_v_fat = Stirrup_Addition(s.Asb_v, tie_found, As_h);
        s.dAsb_h_fat = Stirrup_Addition(s.Asb_h, tie_found, As_h);
    }
    s.fatigue_utilisation = record.concrete_utilisation;
    if (failed) values.not_possible = Not_Possible_Text(startable, *set, record);
    // The design raises a tie at yield until it is elastic; stresses that still reach fyd
    // show a tie that yields under the fatigue loads.
    values.steel_yields = !failed && record.steel_yields != 0;

    Raise_Final_Area(s.final_As_h, s.dAs_h_fat);
    Raise_Final_Area(s.final_Asb_v, s.dAsb_v_fat);
    Raise_Final_Area(s.final_Asb_h, s.dAsb_h_fat);

    const bool check_failed = s.final_As_h < kFailed || s.final_Asb_v < kFailed ||
                              Utilisation_Fails(s.fatigue_utilisation) || s.final_Asb_h < kFailed ||
                              values.steel_yields;
    if (check_failed) s.fatigue_failed = 1;

    if (report != nullptr) Write_Fatigue_Report(report, model, *set, values, detail_level);
    Restore_Material_Set(set);
    return check_failed ? 0 : 1;
}

const char* Fatigue_Check_Not_Made_Note(const Corbel_Model& m)
{
    if (!Rows_Entered(m) || Corbel_Checked(m)) return nullptr;
    const char* const rest = ": Erm" UML_ue "dungsnachweis ist gesondert zu f" UML_ue "hren";
    static std::string note;
    if (m.execution == EXECUTION_BEAM_END)
        note = "Tr" UML_ae "gerkonsole";
    else if (m.system == SYSTEM_SUPPORT_CORBEL)
        note = "Auflagerkonsole";
    else if (m.connection == CONNECTION_BEAM)
        note = "Konsole an einem Tr" UML_ae "ger";
    else
        note = "Angeh" UML_ae "ngte Last";
    note += rest;
    return note.c_str();
}

const char* Fatigue_Check_Not_Possible_Reason(const Corbel_Model& m)
{
    return Check_Applies(m) && m.load_count[1] < 2 ? TEXT_ONE_ROW : nullptr;
}
