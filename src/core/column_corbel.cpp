#include "core/column_corbel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/beam_corbel.h"
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

namespace {

constexpr double kRadToDeg = 57.29577951308232;

// Message rows (code page 850: 0xF3 less-or-equal, 0x88 arrow, 0xD6 tau, 0xFD squared,
// 0xA3 delta; 0xCE opens the report's sub- and superscript sequences).
const char kVerticalNegative[] = " Vertikalkraft < 0 !";
const char kHorizontalNegative[] = " Horizontalkraft < 0 !";
const char kShareAboveOne[] = " Verteilungszahl > 1 !";
const char kLengthZero[] = " Konsoll\x84nge \xF3 0 !";
const char kWidthZero[] = " Konsolbreite \xF3 0 !";
const char kHeightZero[] = " Konsolh\x94he \xF3 0 !";
const char kHeightTooSmall[] = " Konsolh\x94he zu klein !";
const char kLoadDistanceZero[] = " Lastabstand \xF3 0 !";
const char kMaterialFault[] = " Fehler bei den Materialdaten";
const char kGradeChanged[] = " Betong\x81te ge\x84ndert !";
const char kDryJoint[] = " Hinweis (trockene Lagerfuge): H < 0.2 A !";

const char kRatioAcD[] = " \xA3" "a/dk = %.1lf/%.1lf = %.2lf";
const char kRatioAcHk[] = " \xA3" "a/hk = %.1lf/%.1lf = %.2lf";
const char kRatioAlZ[] = " al/z = %.1lf/%.1lf = %.2lf";
const char kRatioA1Z[] = " a'/z = %.1lf/%.1lf = %.2lf";
const char kRatioAcZk[] = " ac/zk = %.1lf/%.1lf = %.2lf";
const char kRatioAvZk[] = " av/zk = %.1lf/%.1lf = %.2lf";
const char kRatioAZ0[] = " a/z0 = %.1lf/%.1lf = %.2lf";
const char kRatioXD[] = " x/d = %.1lf/%.1lf = %.2lf";
const char kRatioXDk[] = " x/dk = %.1lf/%.1lf = %.2lf";
const char kBelow05[] = " < 0.5, Verfahren i.A. nicht zul\x84ssig !";
const char kBelow03[] = " < 0.3, Verfahren i.A. nicht zul\x84ssig !";
const char kCantilever1[] = " > 1.0, Kragarm !";
const char kCantilever2[] = " > 2.0, Kragarm !";
const char kAbove1NotAllowed[] = " > 1.0, i.A. nicht zul\x84ssig !";
const char kLeverArmRule[] = " < 0.4  \x88  z0 = 2.5 a";
const char kStrutCapacity[] = " > 0.4  \x88  Druckstrebentragf\x84higkeit \x81" "berschritten !";

const char kMinWidth[] = " Nachweis der Betondruckstrebe: min b > b !";
const char kShearTau[] = " Nachweis der Querkraft: \xD6_0 > \xD6_zul !";
const char kShearVRdMax[] = " Nachweis der Querkraft: VEd > VRd,max !";
const char kNotApplicable[] = " Bemessung nicht m\x94glich, Verfahren nicht anwendbar !";
const char kHorizontalBeyondBound[] = " Verfahren f\x81r H > 0.5 A nicht anwendbar !";
const char kCompressionSteel[] =
    " Achtung: Druckbewehrung (%.2lf cm\xFD) in der Nase erforderlich !";
const char kDesignZZero[] = " aus Bemessung: z \xF3 0.0, wird zu 0.9 h gesetzt !";
const char kDesignZLarge[] = " aus Bemessung: z > 0.9 h, wird zu 0.9 h gesetzt !";
const char kZZero[] = " z \xF3 0.0, Verfahren nicht anwendbar !";
const char kZkZero[] = " zk \xF3 0.0, Verfahren nicht anwendbar !";
const char kTieZero[] = " Zuggurtkraft \xF3 0.0, Verfahren nicht anwendbar !";
const char kBeamEndLeverArm[] = " Tr\x84gerkonsole: z > 0.85 dk, wird zu 0.85 dk gesetzt !";
const char kTieBelowMinimum[] = " Hinweis: Z < 0.4 A !";
const char kStrutPressure[] = " Strebenpressung \x81" "berschritten !";
const char kBearingPressure[] = " Betonpressung \x81" "berschritten !";
const char kBeamEndBearing1[] = " Tr\x84gerkonsole: Lagerpressung > 0.1 f\xCE\\cd\xCE" "r:";
const char kBeamEndBearing2[] =
    "   bei hochbeanspruchten Tr\x84gerkonsolen ist auf eine gute Ausbildung der "
    "Zuggurtbewehrung zu achten !";

// Stirrup lines; the first letter tells the caller the direction ("h", "v", or a blank for
// both).
const char kStirrupsNominal[] =
    "A\xCE\\sb,h\xCE" "r und A\xCE\\sb,v\xCE" "r konstruktiv";
const char kStirrupsVertical[] =
    "vertikale B\x81gelbewehrung (A\xCE\\sb,h\xCE" "r konstr.)";
const char kStirrupsHorizontal[] =
    "horizontale B\x81gelbewehrung (A\xCE\\sb,v\xCE" "r konstr.)";
const char kStirrupsVerticalShort[] = "vertikale B\x81gelbew. (A\xCE\\sb,h\xCE" "r konstr.)";
const char kStirrupsHorizontalShort[] = "horizontale B\x81gelbew. (A\xCE\\sb,v\xCE" "r konstr.)";
const char kStirrupsBoth[] = " B\x81gelbewehrung";

// Message rows of one run. A note is a message that the report's list of messages counts.
struct Message_Writer {
    FILE* stream;
    int Error(const char* text) const { return Write_Error_List_Row(stream, 1, text); }
    void Message(const std::string& text) const { Write_Error_List_Row(stream, 1, text.c_str()); }
    void Note(const std::string& text) const
    {
        Message(text);
        ++calc_note_count;
    }
    // A check that failed: its message, and the bit the text and the verdict read.
    void Failed(Column_Corbel_Work* w, unsigned check, const std::string& text) const
    {
        w->failed_checks |= check;
        Message(text);
    }
};

int Fail(Column_Corbel_Work* w)
{
    calc_note_count = 0;
    w->As_stirrup = -1.0;
    w->As_incl_hanger = -1.0;
    w->As_hanger = -1.0;
    w->As_tie = -1.0;
    return 1;
}

double Degrees(double radians) { return radians * kRadToDeg; }

// The stress-block depth x = d - sqrt(d² - 2 M/(fcd b k)) of the compression-zone methods,
// from the moment M about the tie and the block's strength per depth fcd b k; false when the
// load is too large for any compression block (negative radicand).
bool Stress_Block_Depth(double d, double M, double strength, double* x)
{
    const double radicand = d * d - 2.0 * M / strength;
    if (!(radicand >= 0.0)) return false;
    *x = d - std::sqrt(radicand);
    return true;
}

// The slenderness a/b, kept in w->ratio; below low or above high it is noted with its row
// (a and b in m, shown in cm).
double Slenderness(Column_Corbel_Work* w, const Message_Writer& out, const char* row, double a, double b,
                   double low, const char* below, double high, const char* above)
{
    const double ratio = a / b;
    w->ratio = ratio;
    if (ratio < low)
        out.Note(Format_String(row, a * 100.0, b * 100.0, ratio) + below);
    else if (ratio > high)
        out.Note(Format_String(row, a * 100.0, b * 100.0, ratio) + above);
    return ratio;
}

// A hung-up load reaches the column whole through the corbel's section at its face, whatever
// share of it the inclined bars carry: the concrete check of the method is made once more
// as if all of it hung at the top. Only that check is taken over, not its tie or hangers.
void Check_Whole_Load(Column_Corbel_Work* w, int method, const Message_Writer& out)
{
    bool designed = false;
    const Column_Corbel_Work whole =
        Design_With_Whole_Load(*w, [](Column_Corbel_Work* c) { return Design_Column_Corbel(1, c, nullptr); }, &designed);

    unsigned check = DESIGN_CHECK_STRUT;
    double theta = 0.0, x = 0.0;
    switch (method) {
    case 0:
        w->whole_load_value = whole.min_b;
        w->whole_load_limit = w->width;
        break;
    case 2:
    case 4:
        check = DESIGN_CHECK_SHEAR;
        w->whole_load_value = whole.shear_value;
        w->whole_load_limit = whole.shear_limit;
        break;
    case 3:
        w->whole_load_value = whole.sigma_strut;
        w->whole_load_limit = whole.sigma_perm;
        theta = whole.theta;
        break;
    default:
        check = DESIGN_CHECK_ZONE;
        w->whole_load_value = whole.xc;
        w->whole_load_limit = whole.xc_limit;
        x = whole.x;
        break;
    }
    w->whole_load_theta = theta;
    w->whole_load_x = x;
    if (Keep_Whole_Load_Outcome(w, designed, whole.failed_checks & check))
        out.Failed(w, DESIGN_CHECK_WHOLE_LOAD, kWholeLoadFailed);
}

}  // namespace

int Design_Column_Corbel(int variant, Column_Corbel_Work* w, FILE* stream)
{
    (void)variant;  // the design values already hold the partial factors
    if (!w) return 1;
    Material_Set* set = w->material_set;
    if (!set || set->n_concrete < 1 || !set->concrete || set->n_steel < 1 || !set->steel)
        return Fail(w);

    const Message_Writer out{stream};

    // Results not computed on every path start from zero.
    w->As_tie = 0.0;
    w->As_hanger = 0.0;
    w->As_incl_hanger = 0.0;
    w->As_nose = 0.0;
    w->As_stirrup = 0.0;
    w->shear_limit = 0.0;
    w->zk = 0.0;
    w->dk = 0.0;
    w->shear_value = 0.0;
    w->shear_value_H = 0.0;
    w->min_b = 0.0;
    w->Z = 0.0;
    w->Z_H = 0.0;
    w->theta2 = 0.0;
    w->sigma_strut = 0.0;
    w->sigma_bearing = 0.0;
    w->F_incl_hanger = 0.0;
    w->stirrup_value = 0.0;
    w->hanger_angle = 0.0;
    w->strut_slope = 0.0;
    w->theta = 0.0;
    w->sigma_perm = 0.0;
    w->ratio = 0.0;
    w->z = 0.0;
    w->failed_checks = 0;
    w->long_span_stirrups = 0;
    w->whole_load_check = 0;
    w->whole_load_failed = 0;

    const Concrete_Record& concrete = set->concrete[0];
    const double fck = concrete.fck;            // N/mm²
    const double fctm = concrete.fctm;          // N/mm², used as stored
    const double fcd = 1000.0 * concrete.fcd;   // kN/m²
    const double eta1 = concrete.eta1;
    const double fyd = set->steel[0].fyd;       // N/mm²: F [kN] / fyd * 10 = cm²
    const double gamma_c = set->gamma_c;

    // Load transfer: 0 hung up (the upper share alpha; no H, no bearing plate), 1 direct,
    // 2 beam-end corbel (per metre of length, always the compression-zone method).
    const int transfer = (w->load_transfer == 0 || w->load_transfer == 2) ? w->load_transfer : 1;
    int method = w->method_class;
    double b = w->width * 0.01;
    double alpha = 1.0, H = 0.0, aH = 0.0, lp = 0.0, bp = 0.0;
    if (transfer == 0) {
        alpha = w->distribution_number;
    } else {
        H = w->horizontal_force;
        aH = w->force_height * 0.01;
        lp = w->bearing_length * 0.01;
        bp = w->bearing_width * 0.01;
        if (transfer == 2) {
            method = 6;
            b = 1.0;
            bp = 1.0;
        }
    }
    const double A = w->vertical_force;
    const double ac = w->load_distance * 0.01;
    const double lk = w->corbel_length * 0.01;
    const double hk = w->corbel_height * 0.01;
    const double ak = w->corbel_axis_distance * 0.01;
    const double d = hk - ak;

    // Input checks: every finding is written before the design gives up.
    int errors = 0;
    if (transfer == 0) {
        if (A < -0.001) errors += out.Error(kVerticalNegative);
        if (alpha > 1.001) errors += out.Error(kShareAboveOne);
    } else {
        if (H < -0.001) errors += out.Error(kHorizontalNegative);
        if (A < -0.001) errors += out.Error(kVerticalNegative);
    }
    if (w->corbel_length < 0.1) errors += out.Error(kLengthZero);
    if (b < 0.001) errors += out.Error(kWidthZero);
    if (w->corbel_height < 0.1)
        errors += out.Error(kHeightZero);
    else if (d < 0.001)
        errors += out.Error(kHeightTooSmall);      // no effective depth left above the tie
    if (ac < 0.0001) errors += out.Error(kLoadDistanceZero);
    if (fcd <= 0.001 || fyd <= 0.001 || fck <= 0.001 || gamma_c <= 0.001)
        errors += out.Error(kMaterialFault);
    if (errors > 0) return Fail(w);

    // The two shear rules take the lever arm from the vertical load alone; they are used
    // only while H stays a minor part of the load (H at most 0.5 A), and their concrete
    // check takes the strut force that H adds. Beyond it another method has to design the
    // corbel.
    if ((method == 2 || method == 4) && H > 0.5 * A + 0.001) {
        out.Message(kHorizontalBeyondBound);
        return Fail(w);
    }

    // The shear rule of "Heft 399" is tabulated for the older grades only. A concrete weaker
    // than B 15 takes B 15, whose limits are the smallest.
    int grade = 0;
    if (method == 2) {
        if (concrete.class_index > 4) {
            grade = Get_Old_Grade_Table_Index(fck);
            out.Note(kGradeChanged);
        } else {
            grade = std::clamp(concrete.class_index, 0, OLD_GRADE_COUNT - 1);
        }
    }

    if (transfer != 0 && w->dry_joint && H < 0.2 * A - 0.001) out.Note(kDryJoint);

    const double alphaA = alpha * A;
    // The load share hung up at the top carries the compression-zone and stirrup terms that
    // divide by it; without a share they vanish.
    const bool share_loaded = alphaA > 0.001;

    double zk = 0.0;        // lever arm of the tie [m]
    double Z = 0.0;         // tie force from the vertical load [kN]
    double Z_H = 0.0;       // tie force from H [kN]
    double lambda = 0.0;    // shear-span ratio of the stirrup rule
    double c = 0.0;         // node or strut width [m]
    double a1 = 0.0;        // load distance at the compression zone [m] (classes 5, 6)
    double tau0 = 0.0;      // class 2
    double VRd_max = 0.0;   // class 4

    switch (method) {
    case 0: {
        Slenderness(w, out, kRatioAcD, ac, d, 0.499, kBelow05, 1.001, kCantilever1);
        zk = 0.8 * d;
        c = ac * zk / std::sqrt(ac * ac + zk * zk);
        const double min_b =
            1.0526315789473684 * (H * (aH + ak) + ac * alphaA) / c / (0.3 * d * fcd);
        if (b < min_b) out.Failed(w, DESIGN_CHECK_STRUT, kMinWidth);
        w->min_b = min_b * 100.0;
        w->z = zk * 100.0;
        Z = alphaA * ac / zk;
        lambda = ac / zk;
        break;
    }
    case 2: {
        const double ratio = Slenderness(w, out, kRatioAcD, ac, d, 0.299, kBelow03, 1.001, kCantilever1);
        const double z0 = ratio >= 0.5 ? 0.9 * d : 1.7999999999999998 * ac;
        tau0 = 0.001 * alphaA / (z0 * b);
        const double tau_limit = old_grade_tau_lever_arm[grade];
        const double tau0_H = 0.001 * (alphaA + H_Strut_Share(H, aH + ak, ac)) / (z0 * b);
        if (tau0_H > tau_limit) out.Failed(w, DESIGN_CHECK_SHEAR, kShearTau);
        w->shear_value = tau0;
        w->shear_value_H = tau0_H;
        w->shear_limit = tau_limit;
        w->z = z0 * 100.0;
        zk = (1.0 - 0.4 * tau0 / tau_limit) * d;
        // From 2.5 times the permissible shear stress on no lever arm is left: the
        // short-span rule below would take one that grows with the load.
        if (zk < 0.001) {
            out.Message(kZkZero);
            return Fail(w);
        }
        if (ac / zk < 0.399) {
            out.Note(Format_String(kRatioAZ0, ac * 100.0, zk * 100.0, ac / zk) + kLeverArmRule);
            zk = 2.5 * ac;
        }
        Z = alphaA * ac / zk;
        lambda = ac / zk;
        break;
    }
    case 3: {
        c = alphaA / (fcd * b);
        const double M_A = (c / 2.0 + ac) * alphaA;
        Section_Record section;
        Section_Design_Result result;
        const double hk_cm = w->corbel_height;
        const double ak_cm = w->corbel_axis_distance;
        if (!Setup_Section(&section, SECTION_RECTANGLE, hk_cm, b * 100.0, 0.0, 0.0, 0.0, 0.0,
                           ak_cm, ak_cm, hk_cm / 2.0, set) ||
            Design_Section(&section, H, -((hk / 2.0 + aH) * H + M_A), 1.0, 0, &result) != 0) {
            out.Message(kNotApplicable);
            return Fail(w);
        }
        // The moment hogs: the tie is the upper design layer, the lower one lies in the
        // compression zone at the corbel's nose.
        if (result.As_bottom > 1e-07) {
            w->As_nose = result.As_bottom * 10000.0;
            out.Note(Format_String(kCompressionSteel, w->As_nose));
        }
        double z = result.x_concrete - ak;
        if (z < 0.001 || z > 0.9 * d) {
            out.Note(z < 0.001 ? kDesignZZero : kDesignZLarge);
            z = 0.9 * d;
            Z = M_A / z;
            // The area holds H on its lever as well: keep that part, so that the tie
            // force reported beside the area is the force the area was designed for.
            Z_H = H + (aH + ak) * H / z;
            w->As_tie = (H + (aH + ak) * H / z + M_A / z) / fyd * 10.0;
        } else {
            w->As_tie = result.As_top * 10000.0;
            Z = w->As_tie * 0.1 * fyd;
        }
        const double a_l = ac - lp / 2.0;
        Slenderness(w, out, kRatioAlZ, a_l, z, 0.299, kBelow03, 2.001, kCantilever2);
        zk = z;
        w->z = z * 100.0;
        lambda = ac / z;
        break;
    }
    case 4: {
        Slenderness(w, out, kRatioAcHk, ac, hk, 0.299, kBelow03, 1.001, kCantilever1);
        w->z = 0.9 * d * 100.0;
        const double nu = fck <= 39.99999999999999 ? 0.7 - 0.005 * fck : 0.5;
        // Lightweight concrete carries its strut with eta1 less, as it bears with eta1 less.
        VRd_max = nu * eta1 * b * 500.0 * (fck / gamma_c) * 0.9 * d;
        const double VEd = alphaA;
        const double VEd_H = VEd + H_Strut_Share(H, aH + ak, ac);
        if (VEd_H > VRd_max) out.Failed(w, DESIGN_CHECK_SHEAR, kShearVRdMax);
        w->shear_value = VEd;
        w->shear_value_H = VEd_H;
        w->shear_limit = VRd_max;
        zk = (1.0 - 0.4 * VEd / VRd_max) * d;
        // From 2.5 VRd,max on no lever arm is left: the short-span rule below would take
        // one that grows with the load.
        if (zk < 0.001) {
            out.Message(kZkZero);
            return Fail(w);
        }
        if (ac / zk < 0.399) {
            out.Note(Format_String(kRatioAZ0, ac * 100.0, zk * 100.0, ac / zk) + kLeverArmRule);
            zk = 2.5 * ac;
            Z = 0.4 * VEd;
        } else {
            Z = VEd * ac / zk;
        }
        lambda = ac / zk;
        break;
    }
    case 5:
    case 6: {
        double lambda_block;    // height factor of the rectangular stress block
        double k;               // strength factor of the node
        if (method == 5) {
            lambda_block = fck <= 50.0 ? 0.8 : 1.0 - 0.004 * fck;
            k = fck <= 50.0 ? 0.95 : 1.05 - 0.002 * fck;
        } else {
            lambda_block = fck <= 50.001 ? 0.8 : 1.0 - 0.004 * fck;
            const double q = 0.4 * ac / hk;
            k = q < 0.09999999999999998 ? 0.65 : (q > 0.3999999999999999 ? 0.95 : 0.55 + q);
        }
        if (lambda_block <= 0.001 || k <= 0.001) {      // a strength beyond the rules
            out.Message(kNotApplicable);
            return Fail(w);
        }
        c = alphaA / (fcd * b * k);
        const double a0 = ac + ((method == 6 && transfer == 2) ? w->load_distance_add * 0.01 : c / 2.0);
        // The moment about the tie: the load on its lever and H on aH + ak. Taken as a product,
        // it keeps H's moment when no vertical load is left to carry it as an eccentricity.
        const double M = alphaA * a0 + H * (aH + ak);
        // The eccentricity H adds to the load's lever, shown and used by the slenderness and
        // stirrup rules; without a vertical load it has no finite value and they keep a0.
        const double delta_e = share_loaded ? H / alphaA * (aH + ak) : 0.0;
        a1 = delta_e + a0;
        double x = 0.0;
        if (!Stress_Block_Depth(d, M, fcd * b * k, &x)) {
            out.Message(method == 5 ? kZZero : kZkZero);
            return Fail(w);
        }
        if (x / (lambda_block * d) > 0.4)
            out.Failed(w, DESIGN_CHECK_ZONE,
                       Format_String(method == 5 ? kRatioXD : kRatioXDk, x * 100.0, lambda_block * d * 100.0,
                                     x / (lambda_block * d)) +
                           kStrutCapacity);
        w->xc = x / lambda_block * 100.0;
        w->xc_limit = (method == 5 ? 0.5 : 0.4) * d * 100.0;
        w->x = x * 100.0;
        w->delta_e = delta_e * 100.0;
        zk = d - x / 2.0;
        if (zk < 0.001) {
            out.Message(method == 5 ? kZZero : kZkZero);
            return Fail(w);
        }
        if (method == 5) {
            const double ratio = a1 / zk;
            w->ratio = ratio;
            if (ratio > 2.001)
                out.Note(Format_String(kRatioA1Z, a1 * 100.0, zk * 100.0, ratio) + kCantilever2);
        } else if (transfer == 2) {
            if (zk > 0.85 * d) {
                out.Note(kBeamEndLeverArm);
                zk = 0.85 * d;
            }
            const double ratio = a1 / zk;
            w->ratio = ratio;
            if (ratio > 1.001)
                out.Note(Format_String(kRatioAcZk, a1 * 100.0, zk * 100.0, ratio) + kAbove1NotAllowed);
        } else {
            const double ratio = a1 / zk;
            w->ratio = ratio;
            if (ratio > 2.001)
                out.Note(Format_String(kRatioAvZk, a1 * 100.0, zk * 100.0, ratio) + kCantilever2);
        }
        w->z = zk * 100.0;
        Z = M / zk;
        lambda = a1 / zk;
        break;
    }
    default:
        // No method of this program has this class.
        out.Message(kNotApplicable);
        return Fail(w);
    }

    // Tie force from H: its lever about the tie is aH + ak, except in the compression-zone
    // methods, which hold it in the load distance, and in the section design, whose tie
    // includes H (set above where the lever arm was cut).
    if (method == 0 || method == 2 || method == 4)
        Z_H = H + (aH + ak) * H / zk;
    else if (method == 5 || method == 6)
        Z_H = H;
    // A load that the model hangs on the tie but that leaves it without tension (or
    // pushes it) has no strut-and-tie model: nothing here is designed.
    if ((alphaA > 0.001 || H > 0.001) && !(Z + Z_H > 0.0)) {
        out.Message(kTieZero);
        return Fail(w);
    }
    if ((method == 0 || method == 2) && Z + Z_H < 0.4 * alphaA - 0.001) out.Note(kTieBelowMinimum);
    if (method != 3) w->As_tie = (Z + Z_H) / fyd * 10.0;
    w->Z = Z;
    w->Z_H = Z_H;
    w->zk = zk * 100.0;
    w->dk = d * 100.0;

    if (transfer != 2) {
        // Stirrups.
        switch (method) {
        case 0:
            w->stirrup_text = kStirrupsNominal;
            w->As_stirrup = 0.0;
            break;
        case 2: {
            double limit;
            if (ac >= d / 2.0) {
                limit = old_grade_tau_vertical[grade];
                if (ac > d / 2.0 && tau0 > limit) {
                    w->stirrup_text = kStirrupsVertical;
                    w->As_stirrup = 0.7 * alphaA / fyd * 10.0;
                } else {
                    w->stirrup_text = kStirrupsNominal;
                    w->As_stirrup = 0.0;
                }
            } else {
                limit = old_grade_tau_horizontal[grade];
                if (tau0 > limit) {
                    w->stirrup_text = kStirrupsHorizontal;
                    w->As_stirrup = 0.5 * w->As_tie;
                } else {
                    w->stirrup_text = kStirrupsNominal;
                    w->As_stirrup = 0.0;
                }
            }
            w->stirrup_value = limit;
            break;
        }
        case 3: {
            const double fcd_eff = 0.75 * eta1 * fcd;
            w->sigma_perm = fcd_eff / 1000.0;
            if (!share_loaded) {
                // Nothing hangs on the strut: no stirrup force and no strut pressure.
                w->stirrup_text = kStirrupsNominal;
                w->stirrup_value = 0.0;
                w->As_stirrup = 0.0;
                break;
            }
            // The concrete's tensile share R (fctm as stored) can exceed the load; the
            // stirrup factor then ends at 0 rather than turning the force round.
            const double R = b * zk * 0.6 * fctm;
            double F, theta, sigma;
            if (lambda >= 0.499) {
                w->stirrup_text = kStirrupsVerticalShort;
                const double k = std::max(0.0, 1.0 - R / alphaA);
                const double lk2 = (lambda * k) * (lambda * k);
                F = lk2 * alphaA;
                const double Z_prime = std::max(0.001, (1.0 - lk2 / 2.0) * Z);
                theta = std::max(0.001, std::atan(alphaA / Z_prime));
                sigma = alphaA /
                        (std::sin(theta) * b * (2.0 * ak * std::cos(theta) + c * std::sin(theta)));
                w->theta2 = Degrees(std::atan(k));
            } else {
                w->stirrup_text = kStirrupsHorizontalShort;
                const double a2 = ac + c / 2.0;
                const double wz = (zk - ak) - c * a2 / (2.0 * zk);
                const double u0 = std::tan(std::atan(3.0 * a2 / zk) / 2.0);
                const double u = std::max(0.0, 1.0 - R * u0 / alphaA) * u0;
                // A node so deep that no lever is left for the stirrups (w < 0) needs none;
                // the strut check reports the overload.
                F = std::max(0.0, wz * u * alphaA / zk);
                // a''/u <= w, written without dividing by u (u = 0 takes the second form).
                if (u > 0.0 && a2 <= wz * u)
                    theta = std::atan(2.0 / (2.0 * ak / a2 + 1.0 / u));
                else
                    theta = std::atan(a2 / ((1.0 - wz * u / (2.0 * a2)) * zk));
                sigma = Z / ((2.0 * ak * std::sin(theta) + c * std::cos(theta)) * b *
                             std::sin(theta));
                w->theta2 = Degrees(std::atan(u));
            }
            w->stirrup_value = F;
            w->As_stirrup = F / fyd * 10.0;
            if (sigma > fcd_eff) out.Failed(w, DESIGN_CHECK_STRUT, kStrutPressure);
            w->theta = Degrees(theta);
            w->sigma_strut = sigma / 1000.0;
            break;
        }
        case 4: {
            const double VRd_c = Calc_VRd_c(set, 1, d * 1000.0, b * 1000.0, w->As_tie * 100.0,
                                            H / (hk * b) / 1000.0, 1.0, nullptr);
            const double limit = std::min(VRd_c, VRd_max);
            const double VEd = alphaA;
            if (ac < hk / 2.0 + 0.001 && VEd > 0.3 * VRd_max + 0.001) {
                w->stirrup_text = kStirrupsHorizontal;
                w->As_stirrup = 0.5 * w->As_tie;
                w->stirrup_value = 0.3 * VRd_max;
            } else if (ac > hk / 2.0 - 0.001 && VEd > limit - 0.001) {
                w->stirrup_text = kStirrupsVertical;
                w->As_stirrup = 0.7 * VEd / fyd * 10.0;
                w->stirrup_value = limit;
                w->long_span_stirrups = 1;
            } else {
                w->stirrup_text = kStirrupsNominal;
                w->As_stirrup = 0.0;
                w->long_span_stirrups = ac <= hk / 2.0 ? 0 : 1;
                w->stirrup_value = w->long_span_stirrups ? limit : 0.3 * VRd_max;
            }
            break;
        }
        case 5: {
            double F;
            if (lambda >= 0.499) {
                // The tolerance band just below 0.5 needs no vertical stirrups; a negative
                // force there would read as a failed design.
                w->stirrup_text = kStirrupsVertical;
                F = A * (2.0 / 3.0) * std::max(0.0, lambda - 0.5) * alpha;
            } else {
                w->stirrup_text = kStirrupsHorizontal;
                F = 0.2 * alpha * A;
            }
            w->stirrup_value = F;
            w->As_stirrup = F / fyd * 10.0;
            w->theta2 = Degrees(std::atan(zk / a1));
            break;
        }
        case 6: {
            const double r = 2.0 * ac / hk;
            if (ac < hk / 2.0 + 0.001) {
                w->stirrup_text = kStirrupsHorizontal;
                w->As_stirrup = 0.3 * w->As_tie;
            } else if (ac < hk + 0.001) {
                w->stirrup_text = kStirrupsBoth;
                double f, F;
                if (r < 1.0) {
                    f = 1.0;
                    F = 0.0;
                } else if (r <= 2.0) {
                    f = 2.0 - r;
                    F = alphaA * (r - 1.0);
                } else {
                    f = 0.0;
                    F = alphaA;
                }
                w->As_stirrup = 0.3 * w->As_tie * f;
                w->stirrup_value = F / fyd * 10.0;
            } else if (ac < 1.5 * hk + 0.001) {
                w->stirrup_text = kStirrupsVertical;
                w->As_stirrup = alphaA * (r <= 2.0 ? r - 1.0 : 1.0) / fyd * 10.0;
            } else {
                w->stirrup_text = kStirrupsNominal;
                w->As_stirrup = 0.0;
            }
            break;
        }
        default:
            break;
        }

        if (transfer == 0) {
            // The upper share hangs on the vertical hangers, the lower one on the inclined
            // bars. The bars lie at the inclination entered for them (the one the drawing
            // and the anchorage take; without one, from the tie's corner to the opposite
            // face); the lower share's strut runs at the slope z/a. Whichever of the two is
            // flatter gives the larger force, and that one is designed for.
            w->F_hanger = alphaA;
            w->As_hanger = alphaA / fyd * 10.0;
            double bars = w->bars_inclination / kRadToDeg;
            if (!(w->bars_inclination > 0.001 && w->bars_inclination < 89.999)) {
                const double rise = hk - 2.0 * ak;
                const double run = lk - ak;
                bars = run != 0.0 ? std::atan(rise / run) : std::atan2(rise, 0.0);
            }
            const double strut = std::atan2(1.0, lambda);
            const double flatter = bars > 0.0 ? std::min(bars, strut) : strut;
            w->F_incl_hanger = (1.0 - alpha) * A / std::sin(flatter);
            w->As_incl_hanger = w->F_incl_hanger / fyd * 10.0;
            w->hanger_angle = Degrees(bars);
            w->strut_slope = Degrees(strut);
            if ((1.0 - alpha) * A > 0.001) Check_Whole_Load(w, method, out);
            return 0;
        }
    }

    // Bearing pressure under the plate.
    if (lp * bp > 0.001) {
        const double sigma = A / (lp * bp) / 1000.0;
        w->sigma_bearing = sigma;
        switch (method) {
        case 0:
        case 2:
            w->sigma_perm = 0.8 * fcd / 1000.0;
            break;
        case 4:
        case 6:
            w->sigma_perm = (w->dry_joint ? 0.4 : 0.85) * eta1 * fcd / 1000.0;
            break;
        case 5:
            w->sigma_perm = 0.75 * eta1 * fcd / 1000.0;
            break;
        default:
            break;      // class 3: the strut's permissible pressure
        }
        if (sigma > w->sigma_perm) {
            out.Failed(w, DESIGN_CHECK_BEARING, kBearingPressure);
        } else if (transfer == 2 && sigma > 0.1 * concrete.fcd + 0.001) {
            out.Message(kBeamEndBearing1);
            out.Note(kBeamEndBearing2);
        }
    }

    if (transfer == 2) {
        w->F_hanger = 2.0 * A * ((1.0 - zk / d) * 0.75 + 0.625) * alpha;
        w->As_hanger = w->F_hanger / fyd * 10.0;
    }
    return 0;
}
