#include "section/resistance_formulas.h"

#include <algorithm>
#include <cmath>

#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "material/gross_section.h"
#include "material/material_set.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180.0;

// Which rules a set follows, tested in the order ÖNORM B 4700, the Eurocodes, DIN 1045-1.
enum class Rules { Din1045_1988, Oenorm, Eurocode, Din1045_1 };

Rules Rules_Of(const Material_Set& set)
{
    if (!set.new_standard) return Rules::Din1045_1988;
    if (set.oenorm) return Rules::Oenorm;
    if (set.en1992_2 || set.en1992_1_1) return Rules::Eurocode;
    return Rules::Din1045_1;
}

// The record's section in the dimensions of the gross-section functions.
struct Gross_Dimensions {
    int shape = GROSS_NO_SECTION;
    double d[6] = {0, 0, 0, 0, 0, 0};
};

bool Gross_Dimensions_Of(const Calc_Work_Record& r, Gross_Dimensions& g)
{
    g.shape = r.shape;
    switch (r.shape) {
    case GROSS_RECTANGLE:
        g.d[0] = r.height;
        g.d[1] = r.width_1;
        return true;
    case GROSS_T_SECTION:
    case GROSS_I_SECTION:
        g.d[0] = r.height;
        g.d[1] = r.width_1;
        g.d[2] = r.thickness_1;
        g.d[3] = r.width_2;
        if (r.shape == GROSS_I_SECTION) {
            g.d[4] = r.thickness_2;
            g.d[5] = r.width_3;
        }
        return true;
    case GROSS_CIRCLE:
        g.d[0] = r.thickness_1;
        g.d[2] = r.thickness_2;
        return true;
    default:
        return false;  // trapezoid and box sections have no gross properties here
    }
}

// Cuts the section to the depth of its compression zone (measured from the top edge).
// A ring becomes one of outer radius depth/π; where that does not reach beyond the inner
// radius the whole ring stays (there would be no area left). True when it was cut.
bool Cut_To_Depth(Gross_Dimensions& g, double depth)
{
    double* d = g.d;
    if (g.shape == GROSS_CIRCLE) {
        const double outer = depth / kPi;
        if (!(outer > d[2])) return false;
        d[0] = outer;
        return true;
    }
    const double height = d[0];
    if (g.shape == GROSS_I_SECTION) {
        // The bottom flange keeps only what lies above the new bottom edge.
        d[4] = std::max(0.0, depth - (height - d[4]));
    }
    if (g.shape != GROSS_RECTANGLE) d[2] = std::min(d[2], depth);
    d[0] = depth;
    return true;
}

// Lever arm of the uncracked section [mm]: 2/3 h, for a ring (3π/8)(ro⁴ − ri⁴)/(ro³ − ri³),
// for a solid circle (3π/8) r.
double Uncracked_Lever_Arm(const Gross_Dimensions& g)
{
    constexpr double three_pi_eighths = 3.0 * kPi / 8.0;
    if (g.shape == GROSS_CIRCLE) {
        const double ro = g.d[0], ri = g.d[2];
        if (ri > 0.0) {
            const double ro3 = ro * ro * ro, ri3 = ri * ri * ri;
            return three_pi_eighths * (ro3 * ro - ri3 * ri) / (ro3 - ri3) * 10.0;
        }
        return three_pi_eighths * ro * 10.0;
    }
    return 2.0 / 3.0 * g.d[0] * 10.0;
}

// cot of an angle in degrees that must lie in (0, 90]; false when it does not.
bool Cot_Of_Given_Angle(double degrees, double& cot)
{
    if (!(degrees > 0.001 && degrees <= 90.0)) return false;
    cot = (degrees == 90.0) ? 0.0 : 1.0 / std::tan(degrees * kDegree);
    return true;
}

}  // namespace

bool Shear_Reinforcement_Steel(const Material_Set& set, int index, double gamma_s, double& fywd,
                               double& fyk)
{
    if (index >= 0 && index < STEEL_FIRST_CLASS) {
        fyk = din1045_steel_fyk[index];
    } else if (index == STEEL_GLASS_FIBRE) {
        return false;
    } else if (index == STEEL_LATTICE_GIRDER) {
        fyk = 420.0;
    } else if (index >= STEEL_FIRST_CLASS && index < STEEL_FREE) {
        fyk = steel_class_table[index - STEEL_FIRST_CLASS].fyk;
    } else if (index == STEEL_FREE) {
        if (set.n_steel < 1 || !set.steel || set.steel[0].steel_index == STEEL_GLASS_FIBRE)
            return false;
        fywd = set.steel[0].fyd;
        fyk = fywd * gamma_s;
        return true;
    } else {
        return false;
    }
    fywd = fyk / gamma_s;
    return true;
}

double Calc_Min_Shear_Reinf_Ratio(int norm_code, double fck, double fctm, double fyk,
                                  const NAD_EC2_Params* annex)
{
    if (norm_code == 0 || !(fyk >= 0.001)) return 0.0;
    const double c = annex ? annex->rho_w_min_factor : 0.08;
    switch (norm_code) {
    case 3:
        return 0.15 * fctm / fyk;
    case 4:
    case 21:
        if (annex && annex->na_de_flag) return 0.16 * fctm / fyk;
        return c * std::sqrt(fck) / fyk;
    default:
        return c * fctm / fyk;
    }
}

int Calc_VRd_c_Uncracked(Calc_Work_Record* record)
{
    if (!record || !record->material) return SECTION_CHECK_UNUSABLE;
    Calc_Work_Record& r = *record;
    const Material_Set& set = *r.material;
    if (set.n_concrete < 1 || !set.concrete) return SECTION_CHECK_UNUSABLE;
    if (!(r.As_long >= -0.001 && r.As_long <= 0.00001)) return 9;

    Gross_Dimensions section;
    if (!Gross_Dimensions_Of(r, section) || !(r.width_1 >= 0.001)) return SECTION_CHECK_UNUSABLE;

    const Concrete_Record& concrete = set.concrete[0];
    const Rules rules = Rules_Of(set);
    const double gamma_c = Material_Set_Factor(set.gamma_c);

    // Design tensile strength and the largest tensile stress at which the section counts
    // as uncracked. Neither the 1988 standard nor ÖNORM B 4700 lets plain concrete carry
    // tension here.
    double fctd = 0.0;
    double limit = 0.001;
    if (rules == Rules::Din1045_1) {
        const double gamma_plain = (Get_DIN1045_1_Edition() != 0)
                                       ? gamma_c
                                       : Get_Plain_Concrete_Gamma_C(set.situation_code,
                                                                    concrete.fck, gamma_c);
        fctd = std::min(0.7 * concrete.fctm / gamma_plain, 2.7 / gamma_plain);
        limit = 1.001;
    } else if (rules == Rules::Eurocode) {
        fctd = 0.85 * 0.7 * concrete.fctm / gamma_c;
        limit = 0.7 * concrete.fctm / gamma_c + 0.001;
    }

    double sigma1 = 0.0, sigma2 = 0.0, tau = 0.0, sum = 0.0;
    Calc_Section_Derived_Values(section.shape, section.d[0], section.d[1], section.d[2],
                                section.d[3], section.d[4], section.d[5], r.N, r.M, r.Vz,
                                &sigma1, &sigma2, &tau, &sum);
    if (sigma1 > limit) return 9;

    int bits = 0;
    const double depth = r.x_ratio * r.d;
    if (depth >= 0.001 && depth < r.height - 0.001 && Cut_To_Depth(section, depth))
        bits |= SECTION_CHECK_REDUCED_DEPTH;

    double Ac = 0.0;
    Calc_Gross_Section_Properties(section.shape, section.d[0], section.d[1], section.d[2],
                                  section.d[3], section.d[4], section.d[5], &Ac, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!(Ac > 0.0)) return SECTION_CHECK_UNUSABLE;

    const double sigma = 10.0 * r.N / Ac;
    const double bw = 10.0 * r.width_1;       // mm
    const double z = Uncracked_Lever_Arm(section);  // mm

    if (rules != Rules::Eurocode) {
        const double p = std::max(0.0, (fctd - sigma) * fctd);
        r.VRd_c = 0.001 * bw * std::sqrt(p) * z;
        r.z = z / 10.0;
        r.fctd = fctd;
        return bits;
    }

    const NAD_EC2_Params& annex = Material_Set_Annex(set);
    const double fcd = concrete.fcd;
    double p = fctd * fctd - sigma * fctd;
    const double sigma_c_lim = fcd - 2.0 * std::sqrt(fctd * (fctd + fcd));
    if (-sigma > sigma_c_lim) {
        const double excess = (-sigma - sigma_c_lim) / 2.0;
        p -= excess * excess;
    }
    // Ac over I bw/S: 1.5 for a rectangle by the recommended values; the German annex
    // takes I/S as the lever arm.
    double ratio = annex.na_de_flag ? Ac * 100.0 / (z * bw) : annex.k_p;
    if (!(ratio > 0.0)) ratio = 1.5;
    r.VRd_c = std::sqrt(std::max(0.0, p)) * 0.1 * Ac / ratio;
    r.z = 0.0;
    r.fctd = fctd;
    return bits;
}

double Calc_Given_Reinf_Resistance(Calc_Work_Record* record, double area, int kind)
{
    if (!record || !record->material) return -1.0;
    Calc_Work_Record& r = *record;
    const Material_Set& set = *r.material;
    const Rules rules = Rules_Of(set);
    if (rules == Rules::Din1045_1988 || rules == Rules::Oenorm) return -1.0;
    if (!(std::fabs(area) >= 0.001)) return 0.0;

    double fywd = 0.0, fyk = 0.0;
    if (!Shear_Reinforcement_Steel(set, r.steel_index, Material_Set_Factor(set.gamma_s), fywd, fyk) ||
        fywd < 0.0)
        return -1.0;

    // Inclination of the reinforcement: 90 degrees when not given or steeper than 89,
    // at least 45 degrees.
    if (!(r.alpha >= 0.001) || r.alpha > 89.0)
        r.alpha = 90.0;
    else if (r.alpha < 45.0)
        r.alpha = 45.0;
    double sin_a = 1.0, cos_a = 0.0, cot_a = 0.0;
    if (r.alpha != 90.0) {
        sin_a = std::sin(r.alpha * kDegree);
        cos_a = std::cos(r.alpha * kDegree);
        cot_a = cos_a / sin_a;
    }

    if (kind == 0) {
        double cot_t = 0.0;
        if (!Cot_Of_Given_Angle(r.theta, cot_t)) return -1.0;
        return fywd * r.z * 0.001 * area * (cot_a + cot_t) * sin_a;
    }

    const bool din_2001 = Get_DIN1045_1_Edition() != 0;
    if (rules == Rules::Din1045_1 && din_2001) {
        double cot_t = 0.0;
        if (!Cot_Of_Given_Angle(r.theta_i, cot_t)) return -1.0;
        return fywd * area * 0.1 * sin_a * (cot_a + cot_t);
    }
    const NAD_EC2_Params& annex = Material_Set_Annex(set);
    const double mu = annex.roughness_mu[std::clamp(r.roughness_class, 0, 3)];
    double german = 1.0;
    if (rules == Rules::Din1045_1)
        german = 1.2;  // 2008 edition
    else if (!set.en1992_2 && annex.na_de_flag)
        german = 1.2;
    return fywd * area * 0.1 * (cos_a + sin_a * mu) * german;
}

double Calc_Bar_Area_Per_Spacing(double ds, int flag, double a, double b, int shape, double c)
{
    if (!(ds >= 12.0)) ds = 12.0;
    double first = a, smaller = std::min(a, b), larger = std::max(a, b);
    if (shape == 3) first = smaller = larger = b;

    double bar_term = kPi * ds * ds / 32.0;
    if (flag && ds > 28.001 && ds < 48.0)
        bar_term = 72.0 * kPi;
    else if (ds < 24.0)
        bar_term = 18.0 * kPi;

    double spacing = 1.2 * ds;
    if (smaller > 1.2 * ds) spacing = first;
    if (!(spacing >= 30.0)) spacing = 30.0;
    if (larger + 0.001 > 100.0 * c) spacing *= 0.6;
    return bar_term / spacing;
}

int Get_Section_Stresses(int shape, double d1, double d2, double d3, double d4,
                         double /*unused_1*/, double /*unused_2*/, double /*unused_3*/,
                         double /*unused_4*/, double N, double M, double V, double* sigma1_max,
                         double* sigma2_min, double* tau_max, double* sum_abs_max)
{
    double s1 = 0.0, s2 = 0.0, tau = 0.0, sum = 0.0;
    for (double* out : {sigma1_max, sigma2_min, tau_max, sum_abs_max})
        if (out) *out = 0.0;
    const int computed = Calc_Section_Derived_Values(shape, d1, d2, d3, d4, 0.0, 0.0, N, M,
                                                     std::fabs(V), &s1, &s2, &tau, &sum);
    if (sigma1_max) *sigma1_max = s1;
    if (sigma2_min) *sigma2_min = s2;
    if (tau_max) *tau_max = tau;
    if (sum_abs_max) *sum_abs_max = sum;
    return computed ? 1 : 0;
}
