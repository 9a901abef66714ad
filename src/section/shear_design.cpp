// Shear and torsion design of a section by EN 1992-1-1 (recommended values or the German
// annex), EN 1992-2, DIN 1045-1 and ÖNORM B 4700.
#include <algorithm>
#include <cmath>

#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "base/plane_geometry.h"
#include "material/material_set.h"
#include "material/shear_vrdc.h"
#include "material/gross_section.h"
#include "section/resistance_formulas.h"
#include "section/shear_design_context.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180.0;
constexpr double kThreePiEighths = 3.0 * kPi / 8.0;
constexpr double kNoCap = 10000.0;

// An angle in degrees brought into a quarter turn: above 90 turned back, below 0 turned
// forward, by quarter turns.
double Fold_Angle(double a)
{
    if (a > 90.001) {
        if (a > 180.001) a -= 90.0 * std::ceil((a - 180.001) / 90.0);
        a -= 90.0;
    } else if (a < -0.001) {
        if (a < -90.001) a += 90.0 * std::ceil((-90.001 - a) / 90.0);
        a += 90.0;
    }
    return a;
}

// Inclination of the shear reinforcement: 90 degrees when not given or steeper than 89,
// at least 45 degrees. Written back to the record.
void Set_Reinforcement_Angle(Shear_Design_Context& c)
{
    double a = std::isfinite(c.r.alpha) ? Fold_Angle(c.r.alpha) : 90.0;
    if (a < 0.001 || a > 89.0) {
        c.r.alpha = 90.0;
        c.sin_a = 1.0;
        c.cos_a = 0.0;
        c.cot_a = 0.0;
        return;
    }
    if (a < 45.0) a = 45.0;
    c.r.alpha = a;
    c.sin_a = std::sin(a * kDegree);
    c.cos_a = std::cos(a * kDegree);
    c.cot_a = c.cos_a / c.sin_a;
}

// Dimensions of the record's section in the terms of the gross-section routines; the
// trapezoid and the box are taken as the rectangle of their web width.
struct Gross_Shape {
    int shape = GROSS_NO_SECTION;
    double d[6] = {0, 0, 0, 0, 0, 0};
};

Gross_Shape Gross_Shape_Of(const Calc_Work_Record& r)
{
    Gross_Shape g;
    g.shape = r.shape;
    switch (r.shape) {
    case 0:
        g.d[0] = r.height;
        g.d[1] = r.width_1;
        break;
    case 1:
    case 2:
        g.d[0] = r.height;
        g.d[1] = r.width_1;
        g.d[2] = r.thickness_1;
        g.d[3] = r.width_2;
        if (r.shape == 2) {
            g.d[4] = r.thickness_2;
            g.d[5] = r.width_3;
        }
        break;
    case 3:
        g.d[0] = r.thickness_1;
        g.d[2] = std::max(0.0, r.thickness_2);
        break;
    default:
        g.shape = GROSS_RECTANGLE;
        g.d[0] = r.height;
        g.d[1] = r.width_1;
        break;
    }
    return g;
}

bool Box_With_Four_Walls(const Calc_Work_Record& r)
{
    return r.shape == 4 && r.wall_1 > 0.0 && r.wall_2 > 0.0 && r.wall_3 > 0.0 && r.wall_4 > 0.0;
}

// Which kind of member the section is in the shear design.
enum class Member { Cracked, Tension, Compressed };

// The state of one design run besides the context.
struct Design_State {
    double k_b = 1.0;          // biaxial factor on VRd,max
    double k_d = 1.0;          // biaxial factor on the stirrups
    Member member = Member::Cracked;
    bool uncracked = false;    // the crack check found the section uncracked
    double lo = 1.0, hi = 2.5; // range of cot θ of this section
    // torsion
    bool torsion = false;      // a torsional moment acts
    bool torsion_core = false; // its core is usable
    double T = 0.0;            // [N·mm]
    double t_ef = 0.0, A_k = 0.0, u_k = 0.0;  // [mm], [mm²], [mm]
    double nu_t = 0.0;
    double zone_limit_1 = 1.0, zone_limit_2 = 1.0;
    bool needs_stirrups = false;
    bool shear_ended = false;  // the crushing check of 6.2.2(6) failed
};

double K_Theta_Raw(const Shear_Design_Context& c, double cot)
{
    if (c.cot_a >= 0.001) return (cot + c.cot_a) / (1.0 + cot * cot);
    return 1.0 / (cot + 1.0 / cot);
}

double K_Theta(const Shear_Design_Context& c, double cot)
{
    return std::min(K_Theta_Raw(c, cot), c.k_theta_cap);
}

double Theta_Degrees(double cot) { return std::atan(1.0 / cot) / kDegree; }

// VRd,max [N] at a strut angle.
double Web_VRd_Max(const Shear_Design_Context& c, const Design_State& s, double cot)
{
    double v = K_Theta(c, cot) * c.nu_w * c.eta1 * c.fcd * c.bw * c.z / s.k_b;
    // ÖNORM B 4700: a high compression lowers the strut capacity.
    if (c.oenorm && (s.member == Member::Compressed || s.uncracked) && c.r.N < -0.001) {
        const double ratio =
            (-10.0 * c.r.N - c.fywd * c.r.area_compression) / (c.fcd * c.Ac);
        if (ratio > 0.4011976047904191) v *= std::max(0.0, 1.67 * (1.0 - ratio));
    }
    return v;
}

// VRd,c [N] of the cracked section with a longitudinal reinforcement As [mm²]: the
// resistance of one web, with the minimum of the German annex, whose κ1 falls from 0.0525
// at d = 600 mm to 0.0375 at d = 800 mm.
double Cracked_VRd_c(const Shear_Design_Context& c, double As, bool with_minimum, int* flag)
{
    int vmin_flag = 0;
    double v = 1000.0 * Calc_VRd_c(&c.set, with_minimum, c.d, c.bw, As, c.sigma_cp, 1.0,
                                   &vmin_flag);
    if (with_minimum && c.german && !c.oenorm && c.d > 600.0) {
        const double plain = 1000.0 * Calc_VRd_c(&c.set, 0, c.d, c.bw, As, c.sigma_cp, 1.0,
                                                 nullptr);
        const double k = (200.0 / c.d > 1.0000000000000002) ? 2.0 : 1.0 + std::sqrt(200.0 / c.d);
        const double kappa1 = (c.d > 800.0) ? 0.0375 : 0.0525 - (c.d - 600.0) * 0.000075;
        const double k1 = c.lightweight ? c.annex.k_l1 : c.annex.k1_shear;
        const double v_min = kappa1 / c.gamma_c * std::sqrt(k * k * k * c.fck);
        const double minimum =
            std::max(0.0, (c.eta1 * v_min - k1 * c.sigma_cp) * c.bw * c.d);
        vmin_flag = (minimum > plain) ? CRd_c_shear_flag : 0;
        v = std::max(plain, minimum);
    }
    if (flag) *flag = vmin_flag;
    return v;
}

// VRd,c [N] of a section that stays uncracked in bending.
double Uncracked_VRd_c(const Shear_Design_Context& c)
{
    if (c.eurocode) {
        double p = c.fctd * c.fctd - c.sigma_cp * c.fctd;
        const double sigma_c_lim = c.fcd - 2.0 * std::sqrt(c.fctd * (c.fctd + c.fcd));
        if (-c.sigma_cp > sigma_c_lim) {
            const double half_excess = (-c.sigma_cp - sigma_c_lim) / 2.0;
            p -= half_excess * half_excess;
        }
        double ratio = c.annex.k_p;
        if (!(ratio > 0.0)) ratio = 1.5;
        const double I_bw_S = c.german ? c.bw * c.z : c.Ac * 100.0 / ratio;
        return I_bw_S * std::sqrt(std::max(0.0, p));
    }
    // DIN 1045-1: the tensile strength of the uncracked section is capped.
    const double gamma = c.din_2001 ? c.gamma_c
                                    : Get_Plain_Concrete_Gamma_C(c.set.situation_code, c.fck,
                                                                 c.gamma_c);
    const double fctd = std::min(c.fctd, 2.7 / gamma);
    return c.bw * c.z * std::sqrt(std::max(0.0, (fctd - c.sigma_cp) * fctd));
}

// CRd,c and k1 of the set's group, as the shear resistance without reinforcement takes them.
void Shear_Group_Of(const Shear_Design_Context& c, double& c_rd_c, double& k1)
{
    const NAD_EC2_Params& a = c.annex;
    if (c.bridge) {
        c_rd_c = a.bridge_c_rd_c / c.gamma_c;
        k1 = a.bridge_k1_shear;
    } else if (c.eurocode) {
        c_rd_c = a.c_rd_c / c.gamma_c;
        k1 = a.k1_shear;
    } else {
        c_rd_c = c.din_2001 ? 0.10 : a.c_rd_c / c.gamma_c;
        k1 = a.k1_shear;
    }
    if (c.lightweight) {
        k1 = a.k_l1;
        if (!(c.din && c.din_2001)) c_rd_c = a.c_lrd_c / c.gamma_c;
    }
}

// ρl for which VRd,c reaches V (slab-like members), kept in [0, 0.02].
double Designed_Rho_L(const Shear_Design_Context& c)
{
    const double v = c.V / (c.bw * c.d);
    double rho = 0.0;
    if (c.oenorm) {
        const double tau_rd = Get_Concrete_Tau_Rd(c.concrete.class_index, c.fck);
        rho = 0.025 * ((v + 0.15 * c.sigma_cp) / tau_rd - 1.2);
    } else {
        double c_rd_c = 0.0, k1 = 0.0;
        Shear_Group_Of(c, c_rd_c, k1);
        const double k = (200.0 / c.d > 1.0000000000000002) ? 2.0 : 1.0 + std::sqrt(200.0 / c.d);
        const double root = (v + k1 * c.sigma_cp) / (k * c_rd_c);
        rho = root * root * root * 0.01 / c.fck;
    }
    if (!(rho > 0.0)) return 0.0;
    return std::min(rho, 0.02);
}

double Rho_L_Percent(double As, double bw, double d)
{
    double rho = As / (bw * d);
    if (!(rho > 0.0)) rho = 0.0;
    return std::min(rho, 0.02) * 100.0;
}

// Steps of the web design at the strut angle in c.cot_theta: VRd,max (making the strut
// steeper where allowed), VRd,c, the required stirrups and the angle adapted to the
// chosen stirrups. Returns the bits of the shear design.
int Design_Web(Shear_Design_Context& c, Design_State& s, bool may_steepen)
{
    Calc_Work_Record& r = c.r;
    int bits = 0;
    s.shear_ended = false;
    s.needs_stirrups = false;

    // Crushing of the web under the Eurocodes, whatever the reinforcement.
    if (c.eurocode) {
        const double limit = 0.5 * c.bw * c.d * c.nu * c.fcd;
        if (c.V > limit) {
            bits |= SECTION_CHECK_SHEAR_EXCEEDED;
            c.VRd_max = limit;
            r.VRd_max = limit / 1000.0;
            s.shear_ended = true;
            return bits;
        }
    }

    c.VRd_max = Web_VRd_Max(c, s, c.cot_theta);
    if (c.V > c.VRd_max + 0.001) {
        bool steeper = false;
        if (may_steepen && c.angle_free && c.cot_a < 0.001 && !s.torsion &&
            c.cot_theta > 1.2 && K_Theta_Raw(c, c.cot_theta) < c.k_theta_cap) {
            const double full = c.nu_w * c.eta1 * c.fcd * c.bw * c.z / s.k_b;
            const double sin_2theta = 2.0 * c.V / full;
            const double theta = (sin_2theta > 1.0) ? 45.0 * kDegree : 0.5 * std::asin(sin_2theta);
            const double cot = 1.0 / std::tan(theta);
            const double v_max = Web_VRd_Max(c, s, cot);
            if (v_max + 0.001 >= c.V && cot >= c.cot_min && cot <= c.cot_max &&
                K_Theta_Raw(c, cot) <= c.k_theta_cap) {
                c.cot_theta = cot;
                c.VRd_max = v_max;
                bits |= SECTION_CHECK_THETA_STEEPER;
                steeper = true;
            }
        }
        if (!steeper) bits |= SECTION_CHECK_SHEAR_EXCEEDED;
    }

    auto write_strut_results = [&] {
        r.theta = Theta_Degrees(c.cot_theta);
        r.VRd_max = c.VRd_max / 1000.0;
        if (c.V < s.zone_limit_1 * c.VRd_max + 0.001)
            r.shear_zone = 1;
        else if (c.V <= s.zone_limit_2 * c.VRd_max + 0.001)
            r.shear_zone = 2;
        else
            r.shear_zone = 3;
        r.dFtd = std::max(0.0, 0.0005 * c.V * (c.cot_theta - c.cot_a));
    };
    write_strut_results();

    // Resistance without shear reinforcement.
    const double As = (s.member == Member::Compressed) ? 0.0 : r.As_long * 100.0;
    int vmin_flag = 0;
    double VRd_c = 0.0;
    if (s.uncracked && !c.oenorm)
        VRd_c = Uncracked_VRd_c(c);
    else
        VRd_c = Cracked_VRd_c(c, As, r.apply_vmin != 0, &vmin_flag);
    bits |= vmin_flag ? SECTION_CHECK_VMIN : 0;
    r.rho_l_percent = Rho_L_Percent(As, c.bw, c.d);
    VRd_c = std::clamp(VRd_c, 0.0, std::max(0.0, c.VRd_max));
    r.VRd_c = VRd_c / 1000.0;
    s.needs_stirrups = c.V > VRd_c + 0.001;

    // Slab-like members may meet V by their longitudinal reinforcement.
    if (s.needs_stirrups && r.member_kind >= 1 && r.check_option > 0 && !s.uncracked) {
        const double rho = Designed_Rho_L(c);
        VRd_c = Cracked_VRd_c(c, rho * c.bw * c.d, true, &vmin_flag);
        VRd_c = std::clamp(VRd_c, 0.0, std::max(0.0, c.VRd_max));
        r.VRd_c = VRd_c / 1000.0;
        r.rho_l_percent = rho * 100.0;
        bits |= SECTION_CHECK_RHO_L_DESIGNED;
        if (vmin_flag) bits |= SECTION_CHECK_VMIN;
        s.needs_stirrups = c.V > VRd_c + 0.001;
    }

    r.asw_req = 0.0;
    if (!s.needs_stirrups) return bits;
    if (r.no_shear_reinf) bits |= SECTION_CHECK_SHEAR_EXCEEDED | SECTION_CHECK_NO_STIRRUPS;

    const double ring = (r.shape == 3 && r.ring_factor >= 0.1 && r.ring_factor <= 1.0)
                            ? r.ring_factor
                            : 1.0;
    const double per_cot = 10.0 * c.V * s.k_d / (c.z * ring * c.fywd * c.sin_a);
    r.asw_req = per_cot / (c.cot_theta + c.cot_a);

    // The chosen stirrups allow a steeper strut (more VRd,max, less tie force).
    if (r.asw_chosen > r.asw_req && c.angle_free) {
        const double cot = std::max(per_cot / r.asw_chosen - c.cot_a, s.lo);
        if (cot < c.cot_theta) {
            c.cot_theta = cot;
            c.VRd_max = Web_VRd_Max(c, s, cot);
            write_strut_results();
            r.asw_req = per_cot / (c.cot_theta + c.cot_a);
            bits |= SECTION_CHECK_THETA_ADAPTED;
        }
    }
    return bits;
}

// The rules of the set and its material values.
void Set_Up_Rules(Shear_Design_Context& c)
{
    const Material_Set& set = c.set;
    c.old_standard = !set.new_standard;
    c.oenorm = set.new_standard && set.oenorm;
    c.bridge = !c.oenorm && set.new_standard && set.en1992_2;
    c.eurocode = !c.oenorm && set.new_standard && (set.en1992_2 || set.en1992_1_1);
    c.din = !c.oenorm && !c.eurocode;
    c.german = c.eurocode && c.annex.na_de_flag != 0;
    c.german_or_din = c.german || c.din;
    c.din_2001 = Get_DIN1045_1_Edition() != 0;
    c.lightweight = c.concrete.lightweight != 0;
    c.gamma_c = Material_Set_Factor(set.gamma_c);
    c.gamma_s = Material_Set_Factor(set.gamma_s);
    c.fck = c.concrete.fck;
    c.fctm = c.concrete.fctm;
    c.fcd = c.concrete.fcd;
    c.eta1 = c.concrete.eta1;

    if (c.oenorm)
        c.fctd = 0.7 * c.fctm / c.gamma_c;
    else if (c.eurocode)
        c.fctd = 0.85 * 0.7 * c.fctm / c.gamma_c;
    else if (!c.din_2001)
        c.fctd = 0.7 * c.fctm / Get_Plain_Concrete_Gamma_C(set.situation_code, c.fck, c.gamma_c);
    else
        c.fctd = 0.7 * c.fctm / c.gamma_c;
}

// Concrete area for the axial stress and the web width; the trapezoid takes its width at
// the depth of the compression zone. False for a section without area or web.
bool Set_Section_Values(Shear_Design_Context& c)
{
    Calc_Work_Record& r = c.r;
    switch (r.shape) {
    case 0:
    case 1:
    case 2:
        c.Ac = r.height * r.width_1;
        break;
    case 3: {
        const double ro = r.thickness_1, ri = std::max(0.0, r.thickness_2);
        c.Ac = kPi * (ro * ro - ri * ri);
        break;
    }
    case 4: {
        const double mean = 0.5 * (r.width_1 + r.width_2);
        c.Ac = mean * r.height;
        double bw = 0.0;
        if (Box_With_Four_Walls(r)) {
            const double inner_w = mean - r.wall_1 - r.wall_2;
            const double inner_h = r.height - r.wall_3 - r.wall_4;
            if (inner_w > 0.0 && inner_h > 0.0) c.Ac -= inner_w * inner_h;
            bw = r.wall_1 + r.wall_2;
        } else {
            const double lo = std::min(r.width_1, r.width_2), hi = std::max(r.width_1, r.width_2);
            bw = std::clamp(r.width_1 + (r.width_2 - r.width_1) * (1.0 - r.x_ratio), lo, hi);
            r.width_1 = bw;
            r.wall_1 = r.wall_2 = r.wall_3 = r.wall_4 = 0.0;
        }
        if (!(bw >= 0.001)) return false;
        c.bw = 10.0 * bw;
        break;
    }
    default:
        return false;
    }
    if (r.shape != 4) c.bw = 10.0 * r.width_1;
    return c.Ac >= 0.001;
}

// The acting shear [N]: |Vz|, or for a rectangle under biaxial shear the resultant, with
// an effective width and the factors on VRd,max and on the stirrups from the ratio of the
// components.
void Set_Acting_Shear(Shear_Design_Context& c, Design_State& s)
{
    const Calc_Work_Record& r = c.r;
    double shear = std::fabs(r.Vz);
    if (r.shape == 0 && std::fabs(r.Vy) > 0.001) {
        const double b = r.width_1, h = r.height;
        double r0 = 0.0, q = 0.0, w = 0.0;
        if (std::fabs(r.Vz) <= 0.001) {
            r0 = b / h;
            q = std::fabs(r.Vz / r.Vy) * r0;
            w = 10.0 * h;
        } else {
            r0 = h / b;
            q = std::fabs(r.Vy / r.Vz) * r0;
            w = 10.0 * b;
        }
        double r1 = 1.0 / r0, r2 = r0;
        if (q > 1.0) {
            q = 1.0 / q;
            w *= r0;
            std::swap(r1, r2);
        }
        const double root_q = std::sqrt(q);
        shear = std::hypot(r.Vz, r.Vy);
        c.bw = ((std::min(r2, 1.0) - 1.0) * root_q + 1.0) * w;
        s.k_b = 1.0 + 2.0 / 3.0 * root_q;
        const double r3 = (r1 < 1.0) ? r1 : r2;
        const double t = (2.0 / std::sqrt(r3 * r3 + 1.0) - 1.0) * root_q;
        s.k_d = (t < 0.0) ? 1.0 : (t <= 1.0 ? t + 1.0 : 2.0);
    }
    c.V = 1000.0 * shear;
}

void Set_Axial_Stress(Shear_Design_Context& c)
{
    c.sigma_cp = 10.0 * c.r.N / c.Ac;
    if (c.eurocode) c.sigma_cp = std::max(c.sigma_cp, -0.2 * c.fcd);
}

// Whether the section is cracked in bending (an uncracked one inside its compression
// depth keeps only the compression zone), and whether it is a tension or a fully
// compressed member. Returns bits.
int Classify_Member(Shear_Design_Context& c, Design_State& s)
{
    Calc_Work_Record& r = c.r;
    int bits = 0;
    const double x = (r.x_ratio * r.d >= 0.001) ? r.x_ratio * r.d : 0.0;
    double reference = r.crack_depth_d ? r.d : r.height;
    if (r.crack_check) {
        const Gross_Shape g = Gross_Shape_Of(r);
        double sigma1 = 0.0, sigma2 = 0.0, tau = 0.0, sum = 0.0;
        Calc_Section_Derived_Values(g.shape, g.d[0], g.d[1], g.d[2], g.d[3], g.d[4], g.d[5],
                                    r.N, r.M, r.Vz, &sigma1, &sigma2, &tau, &sum);
        double limit = 0.0;
        if (c.eurocode)
            limit = c.fctd;
        else if (c.din && !c.old_standard)
            limit = 1.0;
        s.uncracked = !(sigma1 >= limit + 0.001);
        if (s.uncracked) {
            if (x < 0.001 || x >= r.height) {
                bits |= SECTION_CHECK_UNCRACKED;
                reference = r.height;
            } else {
                if (r.shape == 3) {
                    const double ro = x / kPi, ri = std::max(0.0, r.thickness_2);
                    if (ro > ri) c.Ac = kPi * (ro * ro - ri * ri);
                } else {
                    c.Ac = x * c.bw / 10.0;
                }
                Set_Axial_Stress(c);
                bits |= SECTION_CHECK_REDUCED_DEPTH | SECTION_CHECK_UNCRACKED;
            }
        }
    }
    if (x < 0.001 || x >= reference - 0.001) {
        if (r.N > 0.001)
            s.member = Member::Tension;
        else if (r.N < -0.001)
            s.member = Member::Compressed;
    }
    if (r.member_kind >= 1 && r.N < -0.001) bits |= SECTION_CHECK_SLAB_COMPRESSION;
    return bits;
}

// Lever arm [mm] by the kind of member; false when the cover leaves no lever arm.
bool Set_Lever_Arm(Shear_Design_Context& c, const Design_State& s)
{
    Calc_Work_Record& r = c.r;
    const double ro = r.thickness_1, ri = std::max(0.0, r.thickness_2);
    switch (s.member) {
    case Member::Cracked:
        c.z = ((r.z_ratio >= 0.001) ? r.z_ratio : 0.9) * c.d;
        if (c.german_or_din && r.cover_long > 0.001) {
            const double cover = 10.0 * r.cover_long;
            const double limit = c.d - cover - std::min(cover, 30.0);
            if (limit < 0.001) return false;
            c.z = std::min(c.z, limit);
        }
        break;
    case Member::Tension:
        c.z = (r.shape == 3) ? kThreePiEighths * 10.0 * (ro - r.edge_bottom)
                             : 10.0 * (r.height - r.edge_top - r.edge_bottom);
        break;
    case Member::Compressed:
        if (r.shape != 3) {
            c.z = 2.0 / 3.0 * 10.0 * r.height;
        } else if (ri > 0.0) {
            const double ro3 = ro * ro * ro, ri3 = ri * ri * ri;
            c.z = kThreePiEighths * (ro3 * ro - ri3 * ri) / (ro3 - ri3) * 10.0;
        } else {
            c.z = kThreePiEighths * ro * 10.0;
        }
        break;
    }
    if (!(c.z >= 0.001) || !(c.bw >= 0.001)) return false;
    r.z = c.z / 10.0;
    return true;
}

// Effective wall thickness and core of the torsion section, the shear of the governing
// wall. Returns bits.
int Set_Torsion_Section(Shear_Design_Context& c, Design_State& s)
{
    Calc_Work_Record& r = c.r;
    s.torsion = std::fabs(r.T) > 1e-9;
    if (!s.torsion) return 0;
    s.T = std::fabs(r.T) * 1.0e6;
    const bool box = Box_With_Four_Walls(r);
    const double b = 10.0 * (box ? 0.5 * (r.width_1 + r.width_2) : r.width_1);
    const double h = 10.0 * r.height;
    const double radius = 10.0 * r.thickness_1;
    double t = 0.0;
    if (r.t_ef > 0.0)
        t = 10.0 * r.t_ef;
    else if (c.oenorm)
        t = (r.shape == 3) ? radius / 3.0 : std::min(b, h) / 6.0;
    else if (!c.german_or_din)
        t = (r.shape == 3) ? radius / 2.0 : b * h / (2.0 * (b + h));
    else
        t = (r.shape == 3) ? 20.0 * r.edge_bottom : 10.0 * (r.edge_top + r.edge_bottom);
    if (box) t = std::min(t, 10.0 * std::min({r.wall_1, r.wall_2, r.wall_3, r.wall_4}));
    s.t_ef = t;
    r.t_ef = t / 10.0;

    double wall = 0.0;
    if (r.shape == 3) {
        const double rk = radius - t / 2.0;
        s.A_k = (rk > 0.0) ? kPi * rk * rk : 0.0;
        s.u_k = (rk > 0.0) ? 2.0 * kPi * rk : 0.0;
        r.r_k = rk / 10.0;
        wall = s.u_k / 4.0;
    } else {
        double bk = b - t, hk = h - t;
        // DIN 1045-1: a wall thicker than half the smaller side reduces the larger only.
        if (c.din && t > 0.5 * std::min(b, h)) {
            bk = (b >= h) ? b - t : b;
            hk = (b >= h) ? h : h - t;
        }
        if (bk > 0.0 && hk > 0.0) {
            s.A_k = bk * hk;
            s.u_k = 2.0 * (bk + hk);
        }
        wall = hk;
    }
    s.torsion_core = s.A_k >= 0.001 && s.u_k >= 0.001;
    if (!s.torsion_core) return SECTION_CHECK_TORSION_EXCEEDED;
    r.V_wall = (s.T * wall / (2.0 * s.A_k) + t * c.V / c.bw) / 1000.0;
    return 0;
}

// The norm's range of cot θ, the range of this section and the angle in it. Returns bits.
int Choose_Strut_Angle(Shear_Design_Context& c, Design_State& s, double cot_given,
                       double theta_given)
{
    Calc_Work_Record& r = c.r;
    const NAD_EC2_Params& annex = c.annex;
    int bits = 0;
    c.cot_min = c.bridge ? annex.bridge_cot_theta_min : annex.cot_theta_min;
    c.cot_max = c.bridge ? annex.bridge_cot_theta_max : annex.cot_theta_max;
    if (c.set.din_2008_rules) {
        c.cot_min = 0.5714285714285714;
        c.cot_max = 1.75;
    }
    if (c.eurocode && c.german && r.alpha < 89.0) c.cot_min = 0.5773503;
    if (c.german && c.lightweight) c.cot_max = std::min(c.cot_max, 2.0);
    if (!(c.cot_min > 0.0)) c.cot_min = 1.0;
    if (!(c.cot_max >= c.cot_min)) c.cot_max = c.cot_min;

    s.lo = c.cot_min;
    s.hi = c.cot_max;
    const bool tension = s.member == Member::Tension;
    if (c.oenorm) {
        const double stress = r.steel_stress;
        if (s.torsion || std::fabs(stress) < 0.001 || stress >= c.fywd - 0.001) {
            s.lo = 0.625;
            s.hi = 1.6666666666666667;
        } else if (stress > 0.0) {
            Intersect_Segment_At_X(0.0, 0.4, c.fywd, 0.6, stress, &s.lo);
            Intersect_Segment_At_X(0.0, 2.5, c.fywd, 1.6, stress, &s.hi);
        } else {
            s.lo = 0.4;
            s.hi = 2.5;
        }
    } else if (c.german_or_din) {
        const double VRd_cc = 0.24 * c.eta1 * std::cbrt(c.fck) *
                              (1.0 + 1.2 * c.sigma_cp / c.fcd) * c.bw * c.z;
        if (c.V > VRd_cc + 0.001) {
            s.hi = std::clamp((1.2 - 1.4 * c.sigma_cp / c.fcd) / (1.0 - VRd_cc / c.V),
                              c.cot_min, c.cot_max);
        } else if (tension) {
            s.hi = c.cot_min;
            bits |= SECTION_CHECK_THETA_AT_LIMIT;
        }
    } else if (tension) {
        s.hi = c.cot_min;
        bits |= SECTION_CHECK_THETA_AT_LIMIT;
    }

    if (c.lattice)
        c.cot_theta = (cot_given >= 1.0) ? std::min(cot_given, s.hi) : 1.0;
    else
        c.cot_theta = std::clamp(cot_given, s.lo, std::max(s.lo, s.hi));
    if (r.theta_fixed && theta_given < 2.0) {
        c.cot_theta = 1.2;
        if (tension) {
            c.cot_theta = 1.0;
            bits |= SECTION_CHECK_THETA_AT_LIMIT;
        }
    }
    r.theta = Theta_Degrees(c.cot_theta);
    return bits;
}

// The reductions of the concrete strength for the crushing check, VRd,max and TRd,max, the
// cap of the angle factor and the zone limits of V/VRd,max.
void Set_Strength_Reduction(Shear_Design_Context& c, Design_State& s)
{
    const NAD_EC2_Params& annex = c.annex;
    const double k_hs = (c.german && c.fck >= 50.00000000000004) ? 1.1 - 0.002 * c.fck : 1.0;
    const double fck_term = 1.0 - c.fck / 250.0;
    c.k_theta_cap = c.oenorm ? 0.7 : kNoCap;
    if (c.oenorm) {
        s.zone_limit_1 = 0.2;
        s.zone_limit_2 = 2.0 / 3.0;
    } else if (c.german_or_din) {
        s.zone_limit_1 = 0.3;
        s.zone_limit_2 = 0.6;
    }
    if (c.eurocode) {
        const int nu_form = c.lightweight ? annex.nu_l_form : annex.nu_v_form;
        const double nu_term = (nu_form == 1) ? 1.0 : fck_term;
        c.nu = (c.lightweight ? annex.nu_l : annex.nu_v) * nu_term * k_hs;
        double nu_1 = annex.nu_1;
        int nu_1_form = annex.nu_1_form;
        if (c.lightweight) {
            nu_1 = annex.nu_1l;
            nu_1_form = annex.nu_1l_form;
        } else if (c.bridge) {
            nu_1 = annex.bridge_nu_1;
            nu_1_form = annex.bridge_nu_1_form;
        }
        const double alpha_cw = c.bridge ? annex.bridge_alpha_cw : annex.alpha_cw;
        c.nu_w = nu_1 * ((nu_1_form == 1) ? 1.0 : fck_term) * k_hs * alpha_cw;
        s.nu_t = (c.lightweight ? annex.nu_l_torsion : annex.nu_t) * nu_term * alpha_cw * k_hs;
    } else if (c.din) {
        c.nu_w = annex.nu_1 * annex.alpha_cw;
        c.nu = c.nu_w;
        s.nu_t = c.nu_w;
    } else {
        c.nu_w = (c.fcd > 26.666) ? 0.5 : 0.7 - 0.0075 * c.fcd;
        c.nu = c.nu_w;
        s.nu_t = c.nu_w;
    }
}

// Torsion below the limits of a member without torsion reinforcement (German annex,
// DIN 1045-1 and ÖNORM B 4700): true when it needs none.
bool Torsion_Needs_No_Reinforcement(Shear_Design_Context& c, const Design_State& s)
{
    Calc_Work_Record& r = c.r;
    const double VRd_c = r.VRd_c * 1000.0;
    double T_lim = 0.0, V_comb = 0.0;
    if (c.oenorm) {
        T_lim = 2.0 * s.nu_t * c.fctd * s.A_k * s.t_ef;
        V_comb = (T_lim > 0.0) ? c.V + s.T * VRd_c / T_lim : c.V;
    } else {
        T_lim = c.V * c.bw / 4.5;
        V_comb = c.V + 4.5 * s.T / c.bw;
    }
    r.T_limit = T_lim * 1.0e-6;
    r.V_combined = V_comb / 1000.0;
    return s.T <= T_lim + 0.01 && V_comb <= VRd_c + 0.001;
}

// TRd,max and the torsion reinforcement; where TRd,max falls short the strut is made
// steeper and the web designed again at that angle. Returns bits; web_bits receive the
// bits of the last web design.
int Design_Torsion(Shear_Design_Context& c, Design_State& s, int& web_bits)
{
    Calc_Work_Record& r = c.r;
    int bits = 0;
    const double per_k = 2.0 * c.fcd * s.nu_t * c.eta1 * s.A_k * s.t_ef * (c.din ? 0.7 : 1.0);
    double TRd_max = K_Theta(c, c.cot_theta) * per_k;
    if (s.T > TRd_max + 0.01) {
        bool steeper = false;
        if (c.angle_free && c.cot_a < 0.001 && c.cot_theta > 1.2 &&
            K_Theta_Raw(c, c.cot_theta) < c.k_theta_cap && TRd_max > 0.0) {
            const double sin_2theta = 2.0 * s.T * K_Theta(c, c.cot_theta) / TRd_max;
            const double theta = (sin_2theta > 1.0) ? 45.0 * kDegree : 0.5 * std::asin(sin_2theta);
            const double cot = 1.0 / std::tan(theta);
            const double T_new = K_Theta(c, cot) * per_k;
            if (T_new + 0.01 >= s.T && cot >= c.cot_min && cot <= c.cot_max &&
                K_Theta_Raw(c, cot) <= c.k_theta_cap) {
                c.cot_theta = cot;
                TRd_max = T_new;
                steeper = true;
                r.theta = Theta_Degrees(cot);
                web_bits = Design_Web(c, s, false) | SECTION_CHECK_THETA_STEEPER;
            }
        }
        if (!steeper) bits |= SECTION_CHECK_TORSION_EXCEEDED;
    }
    r.TRd_max = TRd_max * 1.0e-6;
    r.asw_torsion[0] = 10.0 * 0.5 * s.T / (c.fywd * s.A_k * c.cot_theta);
    r.asl_torsion[0] = r.asw_torsion[0] * c.cot_theta * c.cot_theta * s.u_k / 1000.0;
    return bits;
}

// The minimum shear reinforcement; returns its bit when it governs.
int Apply_Minimum_Reinforcement(Shear_Design_Context& c, const Design_State& s)
{
    Calc_Work_Record& r = c.r;
    const int norm = c.oenorm ? 3 : c.eurocode ? 4 : c.old_standard ? 0 : 1;
    const double rho = Calc_Min_Shear_Reinf_Ratio(norm, c.fck, c.fctm, c.fyk, &c.annex);
    double factor = 10.0;
    if (r.member_kind >= 1) {
        if (c.oenorm) {
            factor = 6.0;
        } else if (c.german_or_din) {
            // Slabs: the full minimum up to b/h = 4, 60 % from b/h = 5 on, none where no
            // shear reinforcement is needed.
            const double ratio = r.width_1 / r.height;
            double slab = 1.0;
            if (ratio >= 5.0)
                slab = 0.6;
            else if (ratio > 4.0)
                slab = 1.0 - 0.4 * (ratio - 4.0);
            factor = s.needs_stirrups ? 10.0 * slab : 0.0;
        }
    }
    r.asw_min = factor * c.bw * c.sin_a * rho;
    r.asw_total = r.asw_req;
    if (r.asw_req < r.asw_min) {
        r.asw_req = r.asw_min;
        return SECTION_CHECK_MIN_REINF;
    }
    return 0;
}

// Interaction of torsion and shear in each part; returns its bit from 1.01 on.
int Check_Interaction(Shear_Design_Context& c)
{
    Calc_Work_Record& r = c.r;
    const double V = std::max(c.V, 1000.0 * std::fabs(r.V));
    const double t_part = std::fabs(r.T) / r.TRd_max;
    const double v_part = V / c.VRd_max;
    const bool compact = !(r.shape == 3 && r.thickness_2 > 0.001) && !Box_With_Four_Walls(r);
    double ratio = (compact && c.german_or_din) ? t_part * t_part + v_part * v_part
                                                : t_part + v_part;
    if (!std::isfinite(ratio)) ratio = 1.0e10;
    int bits = 0;
    if (ratio >= 1.01)
        bits = SECTION_CHECK_INTERACTION;
    else if (ratio > 1.0)
        ratio = 1.0;
    r.interaction_1 = ratio;
    if (r.shape == 1 || r.shape == 2) r.interaction_2 = ratio;
    if (r.shape == 2) r.interaction_3 = ratio;
    return bits;
}

}  // namespace

int Calc_Shear_Torsion_Resistance(Calc_Work_Record* record)
{
    if (!record || !record->material) return SECTION_CHECK_UNUSABLE;
    Calc_Work_Record& r = *record;
    const Material_Set& set = *r.material;
    if (set.n_concrete < 1 || !set.concrete) return SECTION_CHECK_UNUSABLE;
    const NAD_EC2_Params& annex = Material_Set_Annex(set);

    Shear_Design_Context c{r, set, set.concrete[0], annex};
    Set_Up_Rules(c);
    // The web design also turns away a free steel without a design strength.
    if (!Shear_Reinforcement_Steel(set, r.steel_index, c.gamma_s, c.fywd, c.fyk) ||
        (r.steel_index == STEEL_FREE && !(c.fywd > 0.0)))
        return SECTION_CHECK_UNUSABLE;
    c.lattice = r.steel_index == STEEL_LATTICE_GIRDER;
    if (!(c.fcd > 0.0) || !(c.fck > 0.0)) return SECTION_CHECK_UNUSABLE;
    r.fctd = c.fctd;

    // A free strut angle is chosen inside the norm's range (its cot then stands at 57.29).
    double theta_given = 1.0, cot_given = 57.28996163075943;
    if (r.theta_given > 0.001) {
        theta_given = r.theta_given;
        cot_given = 1.0 / std::tan(theta_given * kDegree);
    }
    c.angle_free = !(r.theta_given >= 0.001);
    Set_Reinforcement_Angle(c);

    Design_State s;
    int bits = 0;
    if (!Set_Section_Values(c)) return SECTION_CHECK_UNUSABLE;
    if (r.x_ratio < 0.001 && r.z_ratio < 0.001) r.x_ratio = Get_Depth_Ratio_Limit(&set, 0.0);
    Set_Acting_Shear(c, s);
    c.d = 10.0 * r.d;
    Set_Axial_Stress(c);
    bits |= Classify_Member(c, s);
    if (!Set_Lever_Arm(c, s)) return bits | SECTION_CHECK_UNUSABLE;
    bits |= Set_Torsion_Section(c, s);
    bits |= Choose_Strut_Angle(c, s, cot_given, theta_given);
    Set_Strength_Reduction(c, s);

    int web_bits = Design_Web(c, s, true);
    bool torsion_design = s.torsion && s.torsion_core;
    if (torsion_design && !s.shear_ended && (c.german_or_din || c.oenorm) &&
        Torsion_Needs_No_Reinforcement(c, s)) {
        bits |= SECTION_CHECK_NO_REINF_NEEDED;
        torsion_design = false;
    }
    if (torsion_design) bits |= Design_Torsion(c, s, web_bits);
    bits |= web_bits;

    if (r.check_min_shear_reinf) bits |= Apply_Minimum_Reinforcement(c, s);
    if (torsion_design) bits |= Check_Interaction(c);
    if (r.shape == 1 || r.shape == 2) bits |= Design_Flange_Connections(c);
    if (r.interface_check) bits |= Design_Interface_Shear(c);

    if (bits & (SECTION_CHECK_SHEAR_EXCEEDED | SECTION_CHECK_TORSION_EXCEEDED |
                SECTION_CHECK_INTERACTION))
        bits |= SECTION_CHECK_FAILED;
    return bits;
}
