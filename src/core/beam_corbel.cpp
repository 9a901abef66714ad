// Strut-and-tie design of a corbel carried by a beam or carrying a beam.
//
// Inside the procedure lengths are in m (the record holds cm), forces in kN and fcd in
// kN/m²; fck, fctm and fyd enter the formulas as the material set holds them (N/mm²).
// Results go back in cm, cm², kN, MN/m² and degrees.
#include "core/beam_corbel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/corbel_results.h"
#include "core/corbel_work.h"
#include "core/design_load_case.h"
#include "core/whole_load_check.h"
#include "material/material_set.h"
#include "material/shear_vrdc.h"
#include "report/position_title.h"
#include "report/string_format.h"
#include "section/section_design.h"
#include "section/section_record.h"

const double old_grade_tau_lever_arm[OLD_GRADE_COUNT] = {2.0, 3.0, 4.0, 4.5, 5.0};
const double old_grade_tau_horizontal[OLD_GRADE_COUNT] = {0.5, 0.75, 1.0, 1.1, 1.25};
const double old_grade_tau_vertical[OLD_GRADE_COUNT] = {0.35, 0.5, 0.6, 0.7, 0.8};

std::string calc_message_buffer;

namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr double kRadPerDeg = 0.017453292519943295;
constexpr double kCotThree = 18.43494882292201;  // strut angle with tan = 1/3
constexpr double kMinAngleRad = 0.001;

// Message texts (code page 850 with the channel's control byte 0xCE).
const char* const kHorizontalNegative = " Horizontalkraft < 0 !";
const char* const kVerticalNegative = " Auflagerkraft < 0 !";
const char* const kShareAboveOne = " Verteilungszahl > 1 !";
const char* const kNoWidth = " Breite \xF3 0 !";
const char* const kNoBeamHeight = " H\x94he Tr\x84ger \xF3 0 !";
const char* const kNoCorbelHeight = " H\x94he Konsole \xF3 0 !";
const char* const kNoBeamAxis = " Achsabstand Tr\x84ger \xF3 0 !";
const char* const kNoCorbelAxis = " Achsabstand Konsole \xF3 0 !";
const char* const kNoLever = " e \xF3 0 !";
const char* const kCorbelTooLow = " Konsolh\x94he zu klein !";
const char* const kBeamTooLow = " Tr\x84gerh\x94he zu klein !";
const char* const kDryJointNote = " Hinweis: H < 0.2 A !";
const char* const kMinWidth = " Nachweis der Betondruckstrebe: min b > b !";
const char* const kGradeChanged = " Betong\x81te ge\x84ndert !";
const char* const kTauExceeded = " Nachweis der Querkraft \xD6_0 > \xD6_zul !";
const char* const kNoCorbelLever = " zk \xF3 0.0, Verfahren nicht anwendbar !";
const char* const kLeverRatio = " e/zk = %.1lf/%.1lf = %.2lf";
const char* const kLeverCut = " < 0.4  \x88  zk = 2.5 e";
const char* const kShearExceeded = " Nachweis der Querkraft: VEd > VRd,max !";
const char* const kLeverAboveBeam = " zk > 0.9 h, wird zu 0.9 hk gesetzt !";
const char* const kZoneRatio = " xc/(d-cnom-ds,b\x81) = %.1lf/%.1lf = %.2lf";
const char* const kZoneExceeded = " > 0.4  \x88  Druckstrebentragf\x84higkeit \x81" "berschritten !";
const char* const kBeamEndLeverCut = " Tr\x84gerkonsole: zk > 0.85 d, wird zu 0.85 d gesetzt !";
const char* const kNoDesign = " Bemessung nicht m\x94glich, Verfahren nicht anwendbar !";
const char* const kHorizontalBeyondBound = " Verfahren f\x81r H > 0.5 A nicht anwendbar !";
const char* const kNoTie = " Zuggurtkraft \xF3 0.0, Verfahren nicht anwendbar !";
const char* const kDesignLeverZero = " aus Bemessung: zk \xF3 0.0, wird zu 0.9 hk gesetzt !";
const char* const kDesignLeverHigh = " aus Bemessung: zk > 0.9 hk, wird zu 0.9 hk gesetzt !";
const char* const kCompressionSteel =
    " Achtung: Druckbewehrung (%.2lf cm\xFD) in der Nase erforderlich !";
const char* const kNoBeamLever = " z \xF3 0.0, Verfahren nicht anwendbar !";
const char* const kBeamLeverCut = " z > 0.9 h, wird zu 0.9 h gesetzt !";
const char* const kBearingRatio = " a1/zk = %.1lf/%.1lf = %.2lf";
const char* const kMethodTooCompact = " < 0.3, Verfahren i.A. nicht zul\x84ssig !";
const char* const kCantilever2 = " > 2.0, Kragarm !";
const char* const kVerticalHangers = " lotrechte Aufh\x84ngung: min hk > hk !";
const char* const kInclinedHangers = " Schr\x84gaufh\x84ngung: min dk > dk !";
const char* const kMinHeight = " min hk > hk !";
const char* const kStrutExceeded = " Strebenpressung \x81" "berschritten !";
const char* const kBearingExceeded = " Lagerpressung \x81" "berschritten !";
const char* const kBeamEndBearing1 = " Tr\x84gerkonsole: Lagerpressung > 0.1 f\xCE\\cd\xCEr:";
const char* const kBeamEndBearing2 =
    "   bei hochbeanspruchten Tr\x84gerkonsole ist auf eine gute Ausbildung der "
    "Zuggurtbewehrung zu achten !";
const char* const kBeamEndRatio = " ac/zk = %.1lf/%.1lf = %.2lf";
const char* const kBeamEndTooSlender = " > 1.0, i.A. nicht zul\x84ssig !";
const char* const kCotTooSmall = " cot \xB0" "A < 0.25, i.A. nicht zul\x84ssig !";
const char* const kCotTooLarge = " cot \xB0" "A > 2.0, Kragarm !";
const char* const kRatioHk = " \xA3" "a/hk = %.1lf/%.1lf = %.2lf";
const char* const kRatioDk = " \xA3" "a/dk = %.1lf/%.1lf = %.2lf";
const char* const kTooCompact = " < 0.3, i.A. nicht zul\x84ssig !";
const char* const kCantilever1 = " > 1.0, Kragarm !";

// Stirrup texts: the first letter tells the caller the direction ("h" or "v").
const char* const kStirrupsNominal = "A\xCE\\sb,h\xCEr und A\xCE\\sb,v\xCEr konstruktiv";
const char* const kStirrupsVertical = "vertikale B\x81gelbewehrung (A\xCE\\sb,h\xCEr konstr.)";
const char* const kStirrupsHorizontal = "horizontale B\x81gelbewehrung (A\xCE\\sb,v\xCEr konstr.)";
const char* const kStirrupsVerticalShort = "vertikale B\x81gelbew. (A\xCE\\sb,h\xCEr konstr.)";
const char* const kStirrupsHorizontalShort = "horizontale B\x81gelbew. (A\xCE\\sb,v\xCEr konstr.)";
const char* const kStirrupsVerticalPlain = "vertikale B\x81gelbewehrung";
const char* const kStirrupsHorizontalNominal = " (A\xCE\\sb,v\xCEr konstr.)";
const char* const kStirrupsBoth = " B\x81gelbewehrung";

// Area [cm²] of a tie force F [kN] with fyd [N/mm²].
double Area(double force, double fyd)
{
    return force / fyd * 10.0;
}

// Everything one run of the procedure works with. Lengths in m.
struct Beam_Design {
    Beam_Corbel_Work* w;
    FILE* stream;

    // material
    int class_index = 0;
    double fck = 0.0, fctm = 0.0, fcd_n = 0.0, eta1 = 1.0, gamma_c = 1.0, fyd = 0.0;
    double fcd = 0.0;  // kN/m²

    // input
    bool hung = false;      // load hung up by vertical and inclined hangers
    bool beam_end = false;  // beam-end corbel, per metre
    int cls = 0;
    double b = 0, h = 0, a = 0, hk = 0, ak = 0, beta = 0, alpha = 1.0;
    double A = 0, ac = 0, e = 0, H = 0, aH = 0, lp = 0, bp = 0;

    // derived
    double dk = 0, d = 0, b500 = 0;
    double zk = 0, z = 0;
    double t = 0;           // strut slope (class 4, class 2)
    double vrd_max = 0;     // class 3 (and the check of class 4)
    double tau0 = 0;        // class 1
    int grade = 0;          // class 1
    double fcd_eff = 0;     // class 2: 0.75 eta1 fcd [kN/m²]
    double c = 0;           // class 2: width of the node [m]
    bool strut_free = false;  // class 2: no strut of the hung-up share to check
    double theta = 0;       // radians; 0 while no strut angle is known
    double Z = 0;
    double moment_e = 0;    // class 4: e A + (aH + ak) H, the moment about the tie [kNm]

    void Message(const std::string& text)
    {
        calc_message_buffer = text;
        Write_Error_List_Row(stream, 1, calc_message_buffer.c_str());
    }
    void Note(const std::string& text)
    {
        Message(text);
        ++calc_note_count;
    }
    // A check that failed: its message, and the bit the text and the verdict read.
    void Failed(unsigned check, const std::string& text)
    {
        w->failed_checks |= check;
        Message(text);
    }
    int Fail()
    {
        calc_note_count = 0;
        w->shear_value = -1.0;
        w->shear_value_H = -1.0;
        w->As_tie_top = -1.0;
        w->As_tie2 = -1.0;
        w->As_incl_hanger = -1.0;
        w->As_hanger = -1.0;
        w->As_tie = -1.0;
        return 1;
    }
    int Fail(const char* text)
    {
        Message(text);
        return Fail();
    }

    void Read_Input();
    int Check_Input();
    int Lever_Arm();
    void Class_3_Vrd_Max();
    void Shear_Check(double v_ed, double v_ed_H = -1.0);
    void Cut_To_Shear_Span();
    void Strut_Angle_Class_5();
    void Hung_Up_Load();
    void Direct_Load();
    void Strut_Of_Class(double load, bool check_struts);
    void Strut_Step();
    bool Bearing();
    int Stirrups();
    void Closing_Ratio();
    void Check_Whole_Load();
    int Run();
};

void Beam_Design::Read_Input()
{
    const Concrete_Record& concrete = w->material_set->concrete[0];
    class_index = concrete.class_index;
    fck = concrete.fck;
    fctm = concrete.fctm;
    fcd_n = concrete.fcd;
    eta1 = concrete.eta1;
    gamma_c = w->material_set->gamma_c;
    fyd = w->material_set->steel[0].fyd;
    fcd = 1000.0 * fcd_n;

    cls = w->method_class;
    b = w->width * 0.01;
    h = w->beam_height * 0.01;
    a = w->beam_axis_distance * 0.01;
    hk = w->corbel_height * 0.01;
    ak = w->corbel_axis_distance * 0.01;
    beta = w->hanger_angle;
    A = w->vertical_force;
    ac = w->load_distance * 0.01;
    e = ac + w->load_distance_add * 0.01;
    H = w->horizontal_force;
    aH = w->force_height * 0.01;
    lp = w->bearing_length * 0.01;
    bp = w->bearing_width * 0.01;
    alpha = 1.0;

    if (w->load_transfer == 1) {
        hung = beta >= 1.0 && beta <= 89.0;
        if (hung) alpha = w->distribution_number;
    } else if (w->load_transfer == 2) {
        // Per metre of length, always by EC 2-1-1, 6.5; the load acts at ac itself.
        beam_end = true;
        cls = 5;
        w->method_class = 5;
        b = 1.0;
        bp = 1.0;
        e = ac;
    }
}

int Beam_Design::Check_Input()
{
    int errors = 0;
    if (H < -0.001) errors += Write_Error_List_Row(stream, 1, kHorizontalNegative);
    if (A < -0.001) errors += Write_Error_List_Row(stream, 1, kVerticalNegative);
    if (alpha > 1.001) errors += Write_Error_List_Row(stream, 1, kShareAboveOne);
    if (b < 0.001) errors += Write_Error_List_Row(stream, 1, kNoWidth);
    if (w->beam_height < 0.1) errors += Write_Error_List_Row(stream, 1, kNoBeamHeight);
    if (w->corbel_height < 0.1) errors += Write_Error_List_Row(stream, 1, kNoCorbelHeight);
    if (w->beam_axis_distance < 0.1) errors += Write_Error_List_Row(stream, 1, kNoBeamAxis);
    if (w->corbel_axis_distance < 0.1) errors += Write_Error_List_Row(stream, 1, kNoCorbelAxis);
    if (e < 0.001) errors += Write_Error_List_Row(stream, 1, kNoLever);
    if (hk < ak + 0.001) errors += Write_Error_List_Row(stream, 1, kCorbelTooLow);
    if (h < a + 0.001) errors += Write_Error_List_Row(stream, 1, kBeamTooLow);
    return errors;
}

void Beam_Design::Class_3_Vrd_Max()
{
    const double nu = fck <= 39.99999999999999 ? 0.7 - 0.005 * fck : 0.5;
    // Lightweight concrete carries its strut with eta1 less, as it bears with eta1 less.
    vrd_max = fck / gamma_c * (0.9 * dk) * b500 * nu * eta1;
}

// The VRd,max check of the shear rule with VEd = A; v_ed_H, when given, is the value
// compared (VEd raised by H's strut force).
void Beam_Design::Shear_Check(double v_ed, double v_ed_H)
{
    if (v_ed_H < 0.0) v_ed_H = v_ed;
    w->shear_limit = vrd_max;
    w->shear_value = v_ed;
    w->shear_value_H = v_ed_H;
    if (vrd_max < v_ed_H) Failed(DESIGN_CHECK_SHEAR, kShearExceeded);
}

// The lever arm of the shear rules may not exceed 2.5 e.
void Beam_Design::Cut_To_Shear_Span()
{
    if (zk > 2.5 * e + 0.001) {
        Note(Format_String(kLeverRatio, e * 100.0, zk * 100.0, e / zk) + kLeverCut);
        zk = 2.5 * e;
    }
}

void Beam_Design::Strut_Angle_Class_5()
{
    double deg = w->strut_angle;
    if (deg < 15.0)
        deg = kCotThree;
    else if (deg > 50.0)
        deg = 45.0;
    theta = deg * kRadPerDeg;
    w->strut_length = (d - dk) * 100.0 / std::tan(theta);
}

int Beam_Design::Lever_Arm()
{
    // The two shear rules take the lever arm from the vertical load alone; they are used only
    // while H stays a minor part of the load (H at most 0.5 A), and their concrete check
    // takes the strut force that H adds. Beyond it another method has to design the corbel.
    if ((cls == 1 || cls == 3) && H > 0.5 * A + 0.001) return Fail(kHorizontalBeyondBound);
    if (cls == 1) {
        if (class_index >= 0 && class_index < OLD_GRADE_COUNT) {
            grade = class_index;
        } else {
            grade = Get_Old_Grade_Table_Index(fck);
            Note(kGradeChanged);
        }
    }
    if (w->dry_joint && H < 0.2 * A - 0.001) Note(kDryJointNote);

    switch (cls) {
    case 0: {
        z = 0.8 * dk;
        const double min_b = 1.0526315789473684 * std::sqrt(e * e + z * z) *
                             ((ak + aH) * H + alpha * e * A) / (e * z) / (0.3 * dk * fcd);
        if (b < min_b) Failed(DESIGN_CHECK_STRUT, kMinWidth);
        w->min_b = min_b * 100.0;
        zk = z;
        w->z = z * 100.0;
        break;
    }
    case 1: {
        const double z0 = 0.9 * dk;
        tau0 = 0.001 * A / (b * z0);
        const double limit = old_grade_tau_lever_arm[grade];
        const double tau0_H = 0.001 * (A + H_Strut_Share(H, aH + ak, e)) / (b * z0);
        if (tau0_H > limit) Failed(DESIGN_CHECK_SHEAR, kTauExceeded);
        w->shear_value = tau0;
        w->shear_value_H = tau0_H;
        w->shear_limit = limit;
        w->z = z0 * 100.0;
        zk = dk * (1.0 - 0.4 * tau0 / limit);
        if (zk < 0.001) return Fail(kNoCorbelLever);
        Cut_To_Shear_Span();
        break;
    }
    case 3: {
        z = 0.9 * dk;
        Class_3_Vrd_Max();
        Shear_Check(A, A + H_Strut_Share(H, aH + ak, e));
        w->z = z * 100.0;
        zk = dk * (1.0 - 0.4 * A / vrd_max);
        if (zk < 0.001) return Fail(kNoCorbelLever);
        Cut_To_Shear_Span();
        break;
    }
    case 4: {
        z = 0.9 * d;
        zk = z + a + dk - h;
        if (zk < 0.001) return Fail(kNoCorbelLever);
        if (zk > 0.9 * dk) {
            Note(kLeverAboveBeam);
            zk = 0.9 * dk;
        }
        w->z = z * 100.0;
        // The slope and the stirrup rule take H's moment as an eccentricity of the load,
        // which has no finite value without a vertical load; the tie takes the moment itself
        // (moment_e).
        const double delta_e = A > 0.001 ? (aH + ak) * H / A : 0.0;
        moment_e = e * A + (aH + ak) * H;
        e += delta_e;
        w->delta_e = delta_e * 100.0;
        t = zk / e;
        break;
    }
    case 5: {
        // H's moment enters the compression block as a product with its lever, so that it
        // stays when no vertical load is left to carry it as an eccentricity; the shown
        // eccentricity has no finite value then.
        const double delta_e = A > 0.001 ? (ak + aH) * H / A : 0.0;
        const double M = alpha * (e * A + (ak + aH) * H);
        w->delta_e = delta_e * 100.0;
        double lambda = 0.8, eta = 0.75;
        if (fck > 50.001) {
            lambda = 1.0 - 0.004 * fck;
            eta = 0.75 * (1.1 - 0.002 * fck);
        }
        const double d1 = dk - 0.03;
        // A load too large for the compression block leaves no real depth of it.
        const double radicand = d1 * d1 - 2.0 * M / (b * fcd * eta);
        if (radicand < 0.0) return Fail(kNoCorbelLever);
        double x = d1 - std::sqrt(radicand);
        if (x < 0.001) {
            x = 0.0;
            zk = d1;
        } else {
            zk = d1 - x / 2.0;
        }
        const double xc = x / lambda;
        if (xc > 0.4 * d1)
            Failed(DESIGN_CHECK_ZONE, Format_String(kZoneRatio, x * 100.0, lambda * d1 * 100.0, x / (lambda * d1)) +
                                          kZoneExceeded);
        w->xc = xc * 100.0;
        w->xc_limit = 0.4 * d1 * 100.0;
        w->x = x * 100.0;
        if (zk < 0.001) return Fail(kNoCorbelLever);
        if (beam_end && zk > 0.85 * d1) {
            Note(kBeamEndLeverCut);
            zk = 0.85 * d1;
        }
        break;
    }
    case 2: {
        Section_Record section{};
        Section_Design_Result result{};
        const double M = alpha * A * e + (hk / 2.0 + aH) * H;
        if (!Setup_Section(&section, SECTION_RECTANGLE, w->corbel_height, b * 100.0, 0.0, 0.0,
                           0.0, 0.0, w->corbel_axis_distance, w->corbel_axis_distance,
                           w->corbel_height / 2.0, w->material_set) ||
            Design_Section(&section, H, M, 1.0, 0, &result) != 0)
            return Fail(kNoDesign);
        zk = hk - ak - result.x_concrete;
        const double limit = 0.9 * dk;
        if (zk < 0.001 || zk > limit) {
            Note(zk < 0.001 ? kDesignLeverZero : kDesignLeverHigh);
            zk = limit;
            Z = alpha * A * e / zk + H + (aH + ak) * H / zk;
            w->As_tie = Area(Z, fyd);
        } else {
            w->As_tie = result.As_bottom * 10000.0;
            Z = w->As_tie * 0.1 * fyd;
            if (result.As_top > 1e-07) {
                w->As_nose = result.As_top * 10000.0;
                Message(Format_String(kCompressionSteel, w->As_nose));
            }
        }
        z = ak + zk + d - hk;
        if (z < 0.001) return Fail(kNoBeamLever);
        if (z > 0.9 * d) {
            Note(kBeamLeverCut);
            z = 0.9 * d;
        }
        w->z = z * 100.0;
        const double a1 = ac - lp / 2.0;
        const double ratio = a1 / zk;
        w->ratio = ratio;
        if (ratio < 0.299)
            Note(Format_String(kBearingRatio, a1 * 100.0, zk * 100.0, ratio) + kMethodTooCompact);
        else if (ratio > 2.001)
            Note(Format_String(kBearingRatio, a1 * 100.0, zk * 100.0, ratio) + kCantilever2);
        fcd_eff = 0.75 * eta1 * fcd;
        const double hung_share = alpha * A;
        c = hung_share / (b * fcd_eff);
        // The concrete's tension R takes part of the hung-up share; once it would take
        // all of it (or there is none) the slope has no meaning and no strut is checked.
        const double rest = hung_share > 0.001 ? 1.0 - b * zk * 0.6 * fctm / hung_share : 0.0;
        strut_free = rest <= 0.0;
        t = strut_free ? 0.0 : 2.0 / (c / zk + 1.0 / rest);
        break;
    }
    default:
        return Fail(kNoDesign);
    }
    return 0;
}

void Beam_Design::Hung_Up_Load()
{
    const double hung_share = alpha * A;
    const double rest = A - hung_share;
    const double ZH = H + (aH + ak) * H / zk;
    const double lambda_e = e / zk;
    double hanger = hung_share;

    if (cls == 0) {
        // Each minimum against the dimension it names (and the report prints beside it).
        const double min_hk = 4.0 * hung_share / (b * fcd);
        if (min_hk > hk) Failed(DESIGN_CHECK_MIN_HEIGHT, kVerticalHangers);
        const double min_dk = 4.0 * rest / (b * fcd * std::tan(beta * kRadPerDeg));
        if (min_dk > dk) Failed(DESIGN_CHECK_MIN_DEPTH, kInclinedHangers);
        w->min_hk = min_hk * 100.0;
        w->min_dk = min_dk * 100.0;
        Z = (std::min(1.0, 0.25 * h / hk) * rest + hung_share) * lambda_e + ZH;
        hanger = std::min(1.0, 0.35 * h / hk) * hung_share;
    } else {
        if (cls == 4)
            Z = alpha * moment_e / zk + H;
        else if (cls != 2)
            Z = lambda_e * hung_share + ZH;
        switch (cls) {
        case 1:
        case 3: {
            // A corbel as high as the beam leaves no inclined strut into the beam.
            const double k = std::max(0.0, 1.0 - hk / h);
            theta = std::asin(k);
            w->F_tie2 = k * Z;
            w->strut_length = k > 1e-9 ? (d - dk) * 100.0 / std::tan(theta) : 0.0;
            break;
        }
        default:
            // A hung-up load checks the struts only beyond a shear-span ratio of 0.5.
            Strut_Of_Class(hung_share, lambda_e > 0.5);
            break;
        }
    }
    if (cls != 2) w->As_tie = Area(Z, fyd);
    w->F_hanger = hanger;
    w->F_hung = hung_share;
    w->F_rest = rest;
    w->F_incl_hanger = rest / std::sin(beta * kRadPerDeg);
    w->As_incl_hanger = Area(w->F_incl_hanger, fyd);
}

void Beam_Design::Direct_Load()
{
    const double lambda_e = e / zk;
    if (cls == 4)
        Z = H + moment_e / zk;
    else if (cls != 2)
        Z = lambda_e * A + (1.0 + (aH + ak) / zk) * H;

    double hanger = A;
    if (cls == 0) {
        hanger = std::min(1.0, 0.35 * h / hk) * A;
    } else if (cls == 1) {
        const double r = 4.0 * hk / h;
        const double s = r < 1.0 ? 0.0 : (r <= 2.0 ? hk * (r - 1.0) : hk);
        hanger = A + s / h * A;
    } else if (cls == 2) {
        hanger = A + Z * (1.0 - zk / z);
    }
    if (beam_end) hanger = 2.0 * A * ((1.0 - zk / dk) * 0.75 + 0.625);

    if (!beam_end) {
        switch (cls) {
        case 0: {
            const double min_hk = 4.0 * A / (b * fcd);
            if (dk < min_hk) Failed(DESIGN_CHECK_MIN_HEIGHT, kMinHeight);
            w->min_hk = min_hk * 100.0;
            break;
        }
        case 1:
        case 3: {
            const double k = std::max(0.0, 1.0 - hk / h);
            w->F_tie2 = k * Z;
            theta = std::atan(k);
            w->strut_length = k > 1e-9 ? (d - dk) * 100.0 / k : 0.0;
            break;
        }
        default:
            Strut_Of_Class(A, lambda_e >= 0.5);
            break;
        }
    }
    if (cls != 2) w->As_tie = Area(Z, fyd);
    w->F_hanger = hanger;
}

// The strut of classes 2, 4 and 5 for the load carried by the tie (the hung-up share or
// the whole load). Class 4 checks the struts when check_struts is set, else it takes the
// 0.2 tie of a short shear span.
void Beam_Design::Strut_Of_Class(double load, bool check_struts)
{
    switch (cls) {
    case 2:
        Strut_Step();
        break;
    case 4:
        w->F_tie2 = load;
        w->strut_length = (d - dk) * 100.0 / t;
        if (check_struts) {
            Class_3_Vrd_Max();
            Shear_Check(A);
        } else {
            w->F_tie_02 = 0.2 * load;
            w->As_tie_02 = Area(w->F_tie_02, fyd);
            theta = std::atan(t);
        }
        break;
    case 5:
        Strut_Angle_Class_5();
        break;
    default:
        break;
    }
}

// Class 2: the strut from the support node.
void Beam_Design::Strut_Step()
{
    // z below zk (beam lever cut to 0.9 d) leaves no strut length.
    const double spread = (z - zk) * zk;
    const double length = spread > 0.0 ? 1.5 * std::sqrt(spread) : 0.0;
    w->strut_length = length * 100.0;
    w->F_tie2 = Z * (4.0 / 9.0) * length / z;
    w->sigma_perm = fcd_eff / 1000.0;
    if (strut_free) {
        theta = 0.0;
        w->sigma_strut = 0.0;
        return;
    }
    theta = std::max(std::atan(t), kMinAngleRad);
    const double sigma =
        A / (std::sin(theta) * b * (c * std::sin(theta) + 2.0 * ak * std::cos(theta)));
    if (sigma > fcd_eff) Failed(DESIGN_CHECK_STRUT, kStrutExceeded);
    w->sigma_strut = sigma / 1000.0;
}

// Bearing pressure. Returns true when the beam-end corbel with a bearing plate is done
// with its stirrup-free path.
bool Beam_Design::Bearing()
{
    if (lp * bp <= 0.001) return false;
    const double sigma = A / (lp * bp) / 1000.0;
    double perm = 0.0;
    switch (cls) {
    case 0:
    case 1:
        perm = 0.8 * fcd;
        break;
    case 3:
    case 5:
        perm = (w->dry_joint ? 0.4 : 0.85) * eta1 * fcd;
        break;
    case 4:
        perm = 0.75 * eta1 * fcd;
        break;
    default:
        perm = fcd_eff;
        break;
    }
    perm /= 1000.0;
    w->sigma_bearing = sigma;
    w->sigma_perm = perm;
    if (sigma > perm) {
        Failed(DESIGN_CHECK_BEARING, kBearingExceeded);
    } else if (beam_end && sigma > 0.1 * fcd_n + 0.001) {
        Message(kBeamEndBearing1);
        Note(kBeamEndBearing2);
    }
    return beam_end;
}

// Returns 1 when the procedure ends here (class 2).
int Beam_Design::Stirrups()
{
    const double lambda_a = ac / dk;
    const double lambda_e = e / zk;
    w->ratio = lambda_a;
    switch (cls) {
    case 0:
        w->stirrup_text = kStirrupsNominal;
        w->As_stirrup = 0.0;
        break;
    case 1: {
        const double tau = alpha * tau0;
        const double bound = dk / 2.0 + 0.001;
        double limit;
        w->stirrup_text = kStirrupsNominal;
        w->As_stirrup = 0.0;
        if (ac >= bound) {
            limit = old_grade_tau_vertical[grade];
            if (ac > bound && tau > limit + 0.001) {
                w->stirrup_text = kStirrupsVertical;
                w->As_stirrup = Area(0.7 * alpha * A, fyd);
            }
        } else {
            limit = old_grade_tau_horizontal[grade];
            if (tau > limit - 0.001) {
                w->stirrup_text = kStirrupsHorizontal;
                w->As_stirrup = 0.5 * w->As_tie;
            }
        }
        w->stirrup_value = limit;
        w->F_tie_top = Z;
        w->As_tie_top = w->As_tie;
        break;
    }
    case 2: {
        const double hung_share = alpha * A;
        double F = 0.0;
        if (hung_share <= 0.001) {
            // Nothing hung up: no stirrups follow from the load.
            w->stirrup_text = kStirrupsNominal;
        } else {
            const double R = b * zk * 0.6 * fctm;
            if (ac >= dk / 2.0 + 0.001) {
                w->stirrup_text = kStirrupsVerticalShort;
                const double share = std::max(0.0, 1.0 - R / hung_share) * lambda_e;
                F = share * share * hung_share;
            } else {
                w->stirrup_text = kStirrupsHorizontalShort;
                const double u = std::tan(std::atan(3.0 * e / zk) / 2.0);
                F = std::max(0.0, 1.0 - u * R / hung_share) * (hung_share / zk) *
                    (lambda_e * (ac - e) + zk - ak) * u;
            }
            F = std::max(0.0, F);
        }
        w->stirrup_value = F;
        w->As_stirrup = Area(F, fyd);
        w->F_tie_top = Z;
        w->As_tie_top = w->As_tie;
        return 1;
    }
    case 3: {
        const double vrd_c = Calc_VRd_c(w->material_set, 1, dk * 1000.0, b * 1000.0,
                                        w->As_tie * 100.0, H / (h * b) / 1000.0, 1.0, nullptr);
        const double bound = hk / 2.0 + 0.001;
        double limit;
        w->stirrup_text = kStirrupsNominal;
        w->As_stirrup = 0.0;
        w->long_span_stirrups = ac >= bound ? 1 : 0;
        if (ac >= bound) {
            limit = std::min(vrd_c, vrd_max);
            if (ac > bound && A > limit - 0.001) {
                w->stirrup_text = kStirrupsVertical;
                w->As_stirrup = Area(0.7 * A, fyd);
            }
        } else {
            limit = 0.3 * vrd_max;
            if (A > limit + 0.001) {
                w->stirrup_text = kStirrupsHorizontal;
                w->As_stirrup = 0.5 * w->As_tie;
            }
        }
        w->stirrup_value = limit;
        w->F_tie_top = Z;
        w->As_tie_top = w->As_tie;
        break;
    }
    case 4:
        if (lambda_e >= 0.499) {
            w->stirrup_text = kStirrupsVerticalPlain;
            // Between 0.499 and 0.5 the rule gives a slightly negative force: none.
            w->stirrup_value = std::max(0.0, A * (2.0 / 3.0) * (lambda_e - 0.5) * alpha);
            w->As_stirrup = Area(w->stirrup_value, fyd);
        } else {
            w->stirrup_text = kStirrupsHorizontalNominal;
        }
        w->ratio = lambda_e;
        theta = std::atan(1.0 / lambda_e);
        w->F_tie_top = Z;
        w->As_tie_top = w->As_tie;
        break;
    case 5: {
        const double r = 2.0 * ac / h;
        if (ac < h / 2.0 + 0.001) {
            w->stirrup_text = kStirrupsHorizontal;
            w->As_stirrup = 0.3 * w->As_tie;
        } else if (ac < h + 0.001) {
            double f = 1.0, F = 0.0;
            if (r > 2.0) {
                f = 0.0;
                F = A;
            } else if (r >= 1.0) {
                f = 2.0 - r;
                F = A * (r - 1.0);
            }
            w->stirrup_text = kStirrupsBoth;
            w->As_stirrup = 0.3 * w->As_tie * f;
            w->stirrup_value = Area(F, fyd);
        } else if (ac < 1.5 * h + 0.001) {
            w->stirrup_text = kStirrupsVertical;
            w->As_stirrup = Area(r > 2.0 ? A : A * (r - 1.0), fyd);
        } else {
            w->stirrup_text = kStirrupsNominal;
            w->As_stirrup = 0.0;
        }
        // The beam-end corbel has no strut angle of its own: no tie at the top from it.
        if (!beam_end) {
            w->F_tie_top = 0.5 * A / std::tan(theta);
            w->As_tie_top = Area(w->F_tie_top, fyd);
        } else {
            w->F_tie_top = 0.0;
            w->As_tie_top = 0.0;
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

void Beam_Design::Closing_Ratio()
{
    const double lambda_a = ac / dk;
    if (beam_end) {
        const double ratio = w->ratio;
        // With a bearing plate the ratio is e/zk; without, the stirrup rule's ac/dk.
        const std::string line = lp * bp > 0.001
                                     ? Format_String(kBeamEndRatio, e * 100.0, zk * 100.0, ratio)
                                     : Format_String(kBeamEndRatio, ac * 100.0, dk * 100.0, ratio);
        if (ratio > 1.001)
            Note(line + kBeamEndTooSlender);
        else
            Message(line);
        return;
    }
    if (cls == 4) {
        if (w->ratio < 0.249)
            Note(kCotTooSmall);
        else if (w->ratio > 2.001)
            Note(kCotTooLarge);
        return;
    }
    const char* format = cls <= 1 ? kRatioHk : kRatioDk;
    if (lambda_a < 0.299)
        Note(Format_String(format, ac * 100.0, dk * 100.0, lambda_a) + kTooCompact);
    else if (lambda_a > 1.001)
        Note(Format_String(format, ac * 100.0, dk * 100.0, lambda_a) + kCantilever1);
}

// The compression zone of "EC 2-1-1, 6.5" and the support node of "Heft 430" see only the
// vertical share of a hung-up load, yet all of it passes through the nose's concrete: that
// check is made once more as if the whole load hung vertically. Ties and hangers stay.
void Beam_Design::Check_Whole_Load()
{
    bool designed = false;
    const Beam_Corbel_Work whole =
        Design_With_Whole_Load(*w, [](Beam_Corbel_Work* c) { return Beam_Design{c, nullptr}.Run(); }, &designed);

    const unsigned check = cls == 5 ? DESIGN_CHECK_ZONE : DESIGN_CHECK_STRUT;
    w->whole_load_value = cls == 5 ? whole.xc : whole.sigma_strut;
    w->whole_load_limit = cls == 5 ? whole.xc_limit : whole.sigma_perm;
    w->whole_load_theta = whole.theta;
    w->whole_load_x = whole.x;
    if (Keep_Whole_Load_Outcome(w, designed, whole.failed_checks & check))
        Failed(DESIGN_CHECK_WHOLE_LOAD, kWholeLoadFailed);
}

int Beam_Design::Run()
{
    // Results that every run writes afresh.
    w->As_tie = w->As_hanger = w->As_tie2 = w->As_tie_top = w->As_incl_hanger = 0.0;
    w->As_nose = 0.0;
    w->Z = w->F_hanger = w->shear_value = w->shear_value_H = w->shear_limit = 0.0;
    w->F_tie2 = w->F_tie_top = w->F_hung = w->F_rest = w->F_incl_hanger = 0.0;
    w->min_hk = w->min_b = w->min_dk = 0.0;
    w->zk = w->dk = w->theta = w->sigma_strut = w->z = w->sigma_perm = 0.0;
    w->strut_length = 0.0;
    w->failed_checks = 0;
    w->long_span_stirrups = 0;
    w->whole_load_check = 0;
    w->whole_load_failed = 0;

    Read_Input();
    if (Check_Input() > 0) return Fail();

    // Design strengths of zero (partial factors entered as 0) leave nothing to design with.
    if (fcd_n <= 0.001 || fyd <= 0.001 || gamma_c <= 0.001) return Fail(kNoDesign);

    dk = hk - ak;
    d = h - a;
    b500 = 500.0 * b;

    if (Lever_Arm() != 0) return 1;

    w->zk = zk * 100.0;
    w->dk = dk * 100.0;

    if (hung)
        Hung_Up_Load();
    else
        Direct_Load();
    // A load that leaves the tie without tension (or pushes it) has no strut-and-tie model.
    if ((alpha * A > 0.001 || H > 0.001) && !(Z > 0.0)) return Fail(kNoTie);
    w->Z = Z;
    w->As_hanger = Area(w->F_hanger, fyd);
    w->As_tie2 = Area(w->F_tie2, fyd);
    if (hung && (cls == 5 || cls == 2) && A - alpha * A > 0.001) Check_Whole_Load();

    const bool beam_end_done = Bearing();
    if (!beam_end_done) {
        if (Stirrups() != 0) {
            w->theta = theta * kDegPerRad;
            return 0;
        }
    } else {
        w->ratio = e / zk;
    }
    w->theta = theta * kDegPerRad;
    Closing_Ratio();
    return 0;
}

}  // namespace

int Get_Old_Grade_Index(double fck)
{
    for (int i = 0; i < OLD_GRADE_COUNT; ++i)
        if (old_grade_strengths[i] + 0.001 > fck) return i - 1;
    return OLD_GRADE_COUNT - 1;
}

int Get_Old_Grade_Table_Index(double fck)
{
    return std::clamp(Get_Old_Grade_Index(fck), 0, OLD_GRADE_COUNT - 1);
}

double H_Strut_Share(double H, double lever, double load_distance)
{
    return H > 0.0 ? H * lever / load_distance : 0.0;
}

int Design_Beam_Corbel(int /*variant*/, Beam_Corbel_Work* work, FILE* stream)
{
    if (work == nullptr) return 1;
    const Material_Set* set = work->material_set;
    if (set == nullptr || set->concrete == nullptr || set->steel == nullptr ||
        set->n_concrete < 1 || set->n_steel < 1) {
        Beam_Design{work, nullptr}.Fail();
        return 1;
    }
    Beam_Design design{work, stream};
    return design.Run();
}
