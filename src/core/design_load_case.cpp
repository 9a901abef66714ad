// Design of one ultimate-limit-state load combination.
#include "core/design_load_case.h"

#include <cstring>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/beam_corbel.h"
#include "core/beam_corbel_text.h"
#include "core/column_corbel.h"
#include "core/column_corbel_text.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/required_areas_line.h"
#include "material/material_set.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"
#include "report/report_symbols.h"
#include "report/verdicts.h"

int calc_note_count = 0;

namespace {

// Report bytes (code page 850): 0x81 ü, 0x84 ä, 0x94 ö, 0x88 the arrow, 0xBA α and 0xC0 γ
// of the report font, 0xFD the raised 2.
#define MM2 "mm\xFD"
#define ARROW "\x88"

constexpr int kMethodCount = 6;
// Method index (row of the design procedures) to the class of each procedure.
constexpr int kBeamClassOfMethod[kMethodCount] = {0, 1, 3, 5, 2, 4};
constexpr int kColumnClassOfMethod[kMethodCount] = {0, 2, 4, 6, 3, 5};

// Beam class of the shear design with the older grades ("Heft 399"); column classes 1 and 2
// use them too.
constexpr int kBeamOldGradeClass = 1;

// The hint on old concrete grades, composed before it is written.
std::string old_grade_hint;

// Row forces below this (kN) count as none.
constexpr double kLeastForce = 0.001;
// Smallest length (cm) and design strength (N/mm²) the design can work with.
constexpr double kLeastValue = 0.001;

// A row force in kN; uplift, negligible forces and values that are no number count as none.
double Design_Force(double newton)
{
    const double kN = newton * 0.001;
    return std::isfinite(kN) && kN >= kLeastForce ? kN : 0.0;
}

// A support corbel, or a load corbel on a beam: designed by the beam procedure; every other
// corbel by the column procedure.
bool Uses_Beam_Procedure(const Corbel_Model& model)
{
    return model.system == SYSTEM_SUPPORT_CORBEL || model.connection == CONNECTION_BEAM;
}

bool Is_Beam_End(const Corbel_Model& model)
{
    return model.execution == EXECUTION_BEAM_END;
}

// The corbel's material set, allocated on the first use and reset for every later one.
// false when there is no set to design with.
bool Prepare_Material_Set()
{
    Material_Set& set = corbel_material_set;
    const bool usable = corbel_material_set_ready && set.concrete != nullptr && set.n_concrete >= 1 &&
                        set.steel != nullptr && set.n_steel >= 2;
    if (usable) {
        Reset_Material_Set(&set);
        return true;
    }
    if (Alloc_Material_Set(&set, 1, 2) != 0) return false;
    corbel_material_set_ready = 1;
    return true;
}

void Fill_Beam_Work(const Corbel_Model& model, Beam_Corbel_Work& w)
{
    Clear_Beam_Corbel_Work(&w);
    w.load_transfer = Is_Beam_End(model) ? 2 : model.load_transfer;
    w.method_class = Beam_Corbel_Method_Class(model.method);
    w.width = model.b;
    w.beam_height = model.h;
    w.beam_axis_distance = model.d1;
    w.corbel_height = model.hk;
    w.corbel_axis_distance = model.d1k;
    w.hanger_angle = model.inclination;
    w.distribution_number = model.load_share;
    w.load_distance = model.load_a;
    w.load_distance_add = model.e1;
    w.force_height = model.load_height;
    w.strut_angle = model.strut_angle;
    if (Has_Bearing_Plate(model)) {
        w.dry_joint = model.bed_joint;
        w.bearing_length = model.lp;
        w.bearing_width = model.bp;
    }
}

void Fill_Column_Work(const Corbel_Model& model, Column_Corbel_Work& w)
{
    Clear_Column_Corbel_Work(&w);
    if (Is_Beam_End(model))
        w.load_transfer = 2;
    else
        w.load_transfer = model.load_transfer == LOAD_TRANSFER_DIRECT ? 1 : 0;
    w.method_class = Column_Corbel_Method_Class(model.method);
    w.method_name = Column_Corbel_Method_Name(w.method_class);
    w.corbel_length = model.lk;
    w.corbel_height = model.hk;
    w.width = model.b;
    w.corbel_axis_distance = model.d1k;
    w.load_distance_add = model.e1;
    w.load_distance = model.load_a;
    w.force_height = model.load_height;
    w.distribution_number = model.load_share;
    w.bars_inclination = model.inclination;
    w.unused_double = 0.0;
    // A load hung up under the corbel has no bearing plate on it.
    if (Has_Bearing_Plate(model) && model.load_transfer != LOAD_TRANSFER_INDIRECT) {
        w.dry_joint = model.bed_joint;
        w.bearing_length = model.lp;
        w.bearing_width = model.bp;
    }
}

bool Beam_Geometry_Faulty(const Beam_Corbel_Work& w)
{
    if (w.width < kLeastValue || w.beam_height < kLeastValue || w.beam_axis_distance < kLeastValue ||
        w.corbel_height < kLeastValue || w.corbel_axis_distance < kLeastValue)
        return true;
    if (w.load_distance + w.load_distance_add < kLeastValue) return true;
    if (w.corbel_height < w.corbel_axis_distance + 0.001) return true;
    if (w.load_transfer == 1 && (w.hanger_angle < kLeastValue || w.distribution_number > 1.001)) return true;
    return false;
}

bool Column_Geometry_Faulty(const Column_Corbel_Work& w)
{
    if (w.corbel_length < kLeastValue || w.width < kLeastValue || w.corbel_height < kLeastValue) return true;
    // Only a hung-up load is divided by the distribution number.
    return w.load_transfer == 0 && w.distribution_number > 1.001;
}

// The material-law lines: which stress-strain laws the design uses, with the design strengths.
void Write_Material_Laws(FILE* stream, const Material_Set& set)
{
    OLI_Set_Text_Style(3);
    OLI_Printf(stream, "%sNachweise im Grenzzustand der Tragf\x84higkeit mit den Spannungsdehnungslinien\n",
               report_line_prefix);
    OLI_Printf(stream, "%sf\x81r den Beton: nach ", report_line_prefix);
    OLI_Printf(stream,
               "%s mit f" OLI_SEQ_SUB "cd" OLI_SEQ_RESET " = \xBA" OLI_SEQ_SUB "c" OLI_SEQ_RESET
               "%sf" OLI_SEQ_SUB "ck" OLI_SEQ_RESET "/%s" OLI_SEQ_SUB "c" OLI_SEQ_RESET " = %.1lf N/" MM2 "\n",
               "3.1.7 (Bild 3.3)", report_times_sign, "\xC0", set.concrete[0].fcd);
    OLI_Printf(stream, "%sf\x81r die Bewehrung: nach ", report_line_prefix);
    OLI_Printf(stream,
               "%s mit f" OLI_SEQ_SUB "yd" OLI_SEQ_RESET " = f" OLI_SEQ_SUB "yk" OLI_SEQ_RESET "/%s" OLI_SEQ_SUB
               "s" OLI_SEQ_RESET " = %.1lf N/" MM2,
               "3.2.7 (Bild 3.8)", "\xC0", set.steel[0].fyd);
    OLI_Printf(stream,
               " und f" OLI_SEQ_SUB "td" OLI_SEQ_RESET " = f" OLI_SEQ_SUB "tk" OLI_SEQ_RESET "/%s" OLI_SEQ_SUB
               "s" OLI_SEQ_RESET " = %.1lf N/" MM2,
               "\xC0", set.steel[0].ftd);
    OLI_Printf(stream, "\n");
    OLI_Set_Text_Style(4);
}

// Methods that are no longer state of the art, and the old-grade hint of the methods whose
// shear rules know only the DIN 1045 grades.
void Write_Method_Warnings(FILE* stream, bool beam, int method_class, const Material_Set& set)
{
    const bool outdated = beam ? method_class <= kBeamOldGradeClass : method_class <= 2;
    if (outdated) OLI_Write_Warning_Line(stream, "Verfahren nicht mehr Stand der Technik");

    const bool old_grade_rules = beam ? method_class == kBeamOldGradeClass
                                      : method_class == 1 || method_class == 2;
    if (!old_grade_rules || set.concrete[0].class_index < CONCRETE_FIRST_CLASS) return;
    // A concrete weaker than B 15 is named B 15: its shear limits are the smallest.
    const int grade = std::clamp(Get_Old_Grade_Index(set.concrete[0].fck), 0, CONCRETE_FIRST_CLASS - 1);
    old_grade_hint = std::string(report_line_prefix) +
                     "Hinweis: Schubbemessung nur mit alten Betong\x81ten m\x94glich " ARROW " " +
                     din1045_concrete_class_names[grade] + "  " + Get_Verdict_Purple_Marks() + "\n";
    OLI_Printf(stream, "%s", old_grade_hint.c_str());
}

void Write_Dry_Joint_Hint(FILE* stream, bool beam, double old_H, double new_H)
{
    if (beam)
        OLI_Printf(stream,
                   "%sHinweis (trockene Lagerfuge): H < 0.2%sA  " ARROW "  H = 0.2%sA = %.2lf kN %s\n",
                   report_line_prefix, report_times_sign, report_times_sign, new_H, Get_Verdict_Purple_Marks());
    else
        OLI_Printf(stream,
                   "%sHinweis (trockene Lagerfuge): H = %.2lf kN < 0.2%sA  " ARROW "  H = 0.2%sA = %.2lf kN %s\n",
                   report_line_prefix, old_H, report_times_sign, report_times_sign, new_H,
                   Get_Verdict_Purple_Marks());
}

int Run_Procedure(bool beam, FILE* stream)
{
    return beam ? Design_Beam_Corbel(1, &beam_corbel_work, stream)
                : Design_Column_Corbel(1, &column_corbel_work, stream);
}

// The procedure's messages as rows of a table block, the procedure run once more to write them.
void Write_Procedure_Messages(FILE* stream, bool beam)
{
    OLI_End_Text_Block(stream);
    std::fputs("#SHOWTABLE\n0 0 0\n0 0 -1 -1\n", stream);
    Run_Procedure(beam, stream);
    std::fputs("#END_OF_TEXT\n", stream);
}

// Stirrup area by the direction the procedure's stirrup text begins with.
void Store_Stirrups(Load_Case_Result& r, const char* text, double area, double vertical_of_both,
                    bool both_allowed)
{
    if (text == nullptr) return;
    if (text[0] == 'h') {
        r.Asb_h = area;
    } else if (text[0] == 'v') {
        r.Asb_v = area;
    } else if (both_allowed && text[0] == ' ') {
        r.Asb_h = area;
        r.Asb_v = vertical_of_both;
    }
}

// A required area below -0.01 is a failed design (-1.0); a slightly negative one is none. A
// value that is not a number is a failed design too.
double Book_Area(double area, bool& failed)
{
    if (!std::isfinite(area) || area < -0.01) {
        failed = true;
        return -1.0;
    }
    return area <= 0.0 ? 0.0 : area;
}

}  // namespace

bool Has_Bearing_Plate(const Corbel_Model& model)
{
    return model.lp > 0.01 && model.bp > 0.01;
}

bool Corbel_Material_Usable(const Corbel_Model& model, const Material_Set& set)
{
    if (model.factors_in_use[0] <= kLeastValue || model.factors_in_use[1] <= kLeastValue) return false;
    const double fcd = set.concrete[0].fcd;
    const double fyd = set.steel[0].fyd;
    return std::isfinite(fcd) && std::isfinite(fyd) && fcd > kLeastValue && fyd > kLeastValue &&
           Concrete_Law_Usable(set.concrete[0]);
}

bool Is_Hung_Up_Load(const Corbel_Model& model)
{
    // The column procedure's choice and its load transfer 0, as the design takes them.
    return !Uses_Beam_Procedure(model) && !Is_Beam_End(model) && model.load_transfer != LOAD_TRANSFER_DIRECT;
}

int Beam_Corbel_Method_Class(int method_index)
{
    return kBeamClassOfMethod[std::clamp(method_index, 0, kMethodCount - 1)];
}

int Column_Corbel_Method_Class(int method_index)
{
    return kColumnClassOfMethod[std::clamp(method_index, 0, kMethodCount - 1)];
}

const char* Column_Corbel_Method_Name(int method_class)
{
    // The column classes name the same methods as the beam classes, in another order;
    // class 1 is a model that no method index selects.
    switch (method_class) {
    case 0: return Beam_Corbel_Method_Label(0);
    case 1: return "Stabwerkmodell (erweitert)";
    case 2: return Beam_Corbel_Method_Label(1);
    case 3: return Beam_Corbel_Method_Label(2);
    case 4: return Beam_Corbel_Method_Label(3);
    case 5: return Beam_Corbel_Method_Label(4);
    case 6: return Beam_Corbel_Method_Label(5);
    default: return "???";
    }
}

void Store_Design_Results(Load_Case_Result* result, int beam)
{
    if (result == nullptr) return;
    Load_Case_Result& r = *result;
    if (beam) {
        const Beam_Corbel_Work& w = beam_corbel_work;
        r.As_h = w.As_tie;
        r.As_v = w.As_hanger;
        r.As_s = w.As_incl_hanger;
        r.As_nose = w.As_nose;
        // The slender range of "EC 2-1-1, 6.5" asks for horizontal and vertical stirrups at
        // once: both areas are kept, or the results table and envelope would lose them.
        const bool both = w.stirrup_text && std::strcmp(w.stirrup_text, " B\x81gelbewehrung") == 0;
        Store_Stirrups(r, w.stirrup_text, w.As_stirrup, w.stirrup_value, both);
        r.As_v1 = w.As_tie2;
        r.As_v2 = w.As_tie_02;
        r.As_h1 = w.As_tie_top;
        r.z3 = w.strut_length;
        r.theta_A = w.theta;
        r.delta_ac = w.delta_e;
        r.sigma_p = w.sigma_bearing;
        r.failed_checks = w.failed_checks;
    } else {
        const Column_Corbel_Work& w = column_corbel_work;
        r.As_h = w.As_tie;
        r.As_v = w.As_hanger;
        r.As_s = w.As_incl_hanger;
        r.As_nose = w.As_nose;
        Store_Stirrups(r, w.stirrup_text, w.As_stirrup, w.stirrup_value, true);
        r.delta_ac = w.delta_e;
        r.sigma_p = w.sigma_bearing;
        r.failed_checks = w.failed_checks;
    }

    bool failed = false;
    r.As_h = Book_Area(r.As_h, failed);
    r.As_v = Book_Area(r.As_v, failed);
    r.As_s = Book_Area(r.As_s, failed);
    r.Ast = failed ? -1.0 : r.As_h + r.As_v + r.As_s;
}

int Design_Load_Case(Corbel_Model* model, int index, FILE* report, int detail_level)
{
    if (model == nullptr) return 0;
    Corbel_Model& m = *model;
    const bool messages = detail_level >= 1 && m.print_options.switches[EC2_PRINT_INTERMEDIATE] != 0;

    if (index < 0 || index >= m.load_count[0] || m.load_table[0] == nullptr || m.results == nullptr) return 0;
    calc_note_count = 0;

    const Load_Combination& row = m.load_table[0][index];
    const double A = Design_Force(row.A);
    double H = Design_Force(row.H);
    if (!Is_Load_Nonzero(A, H)) return 0;

    const bool beam = Uses_Beam_Procedure(m);
    const bool have_set = Prepare_Material_Set();

    if (beam)
        Fill_Beam_Work(m, beam_corbel_work);
    else
        Fill_Column_Work(m, column_corbel_work);
    if (have_set) Fill_Corbel_Material_Set(model);
    Material_Set* set = have_set ? &corbel_material_set : nullptr;

    bool material_fault = !have_set;
    if (beam) {
        beam_corbel_work.material_set = set;
        beam_corbel_work.vertical_force = A;
        beam_corbel_work.horizontal_force = H;
    } else {
        column_corbel_work.material_set = set;
        column_corbel_work.vertical_force = A;
        column_corbel_work.horizontal_force = H;
    }
    if (have_set && (Calc_Corbel_Material_Set(m, set, 0) != 0 || !Corbel_Material_Usable(m, *set)))
        material_fault = true;
    if (material_fault) OLI_Write_Failed_Line(report, "Fehler bei den Materialdaten");

    Load_Case_Result& result = m.results[index];
    const bool geometry_fault =
        beam ? Beam_Geometry_Faulty(beam_corbel_work) : Column_Geometry_Faulty(column_corbel_work);
    if (geometry_fault) OLI_Write_Failed_Line(report, "Fehler in den Geometriedaten");
    if (geometry_fault || material_fault) {
        result.failed_checks = DESIGN_NOT_CARRIED_OUT;
        return 1;
    }

    const int method_class = beam ? beam_corbel_work.method_class : column_corbel_work.method_class;
    if (report != nullptr) {
        if (detail_level > 1 && m.print_options.switches[EC2_PRINT_EXTRA_INFO]) Write_Material_Laws(report, *set);
        Write_Method_Warnings(report, beam, method_class, *set);
    }

    // Dry joint: the horizontal force is at least a fifth of the vertical one.
    const int dry_joint = beam ? beam_corbel_work.dry_joint : column_corbel_work.dry_joint;
    if (dry_joint && 0.2 * A > H) {
        const double raised = 0.2 * A;
        if (report != nullptr && detail_level > 0 && H < raised - 0.1) Write_Dry_Joint_Hint(report, beam, H, raised);
        H = raised;
        if (beam)
            beam_corbel_work.horizontal_force = H;
        else
            column_corbel_work.horizontal_force = H;
    }

    const int fault = Run_Procedure(beam, nullptr);

    result.A = A * 1000.0;
    result.H = H * 1000.0;

    if (fault > 0) {
        result.failed_checks = DESIGN_NOT_CARRIED_OUT;
        if (report == nullptr) return 1;
        OLI_Printf(report, "%s" OLI_SEQ_STYLE "Meldungen zur Berechnung\n", report_line_prefix);
        Write_Procedure_Messages(report, beam);
        return 1;
    }

    Store_Design_Results(&result, beam ? 1 : 0);

    if (beam) {
        Write_Beam_Corbel_Design(Is_Beam_End(m) ? 1 : 0, report, detail_level);
    } else {
        if (report == nullptr) return 0;
        Write_Column_Corbel_Design(Is_Beam_End(m) ? 1 : 0, report, detail_level);
    }

    if (report != nullptr && detail_level >= 1) {
        Write_Required_Areas_Line(model, index, report, OLI_SEQ_STYLE "Gesamt" OLI_SEQ_RESET, 0);
        if (messages && calc_note_count >= 1) {
            OLI_Printf(report, "%s%s", report_line_prefix, detail_level == 1 ? OLI_SEQ_STYLE : OLI_SEQ_EMPH);
            OLI_Printf(report, "Meldungen zur Berechnung\n");
            Write_Procedure_Messages(report, beam);
            OLI_setYPositionCM(report, 1, -0.6f);
        }
    }
    return 0;
}
