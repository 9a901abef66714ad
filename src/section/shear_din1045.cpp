// Shear and torsion by DIN 1045 (1988): nominal shear stresses at service level against the
// shear zones of the concrete grade, with the torsion constants of rectangles.
#include <algorithm>
#include <cmath>

#include "material/material_set.h"
#include "section/section_checks.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180.0;

// Shear-stress limits [N/mm²] of the grades B15 .. B55: beams τ012, τ02, τ03; slabs τ011
// (with the factor of unstaggered reinforcement), τ02, τ011 (staggered reinforcement).
const double shear_limits[CONCRETE_FIRST_CLASS][6] = {
    {0.5, 1.2, 2.0, 0.35, 1.2, 0.25},
    {0.75, 1.8, 3.0, 0.5, 1.8, 0.35},
    {1.0, 2.4, 4.0, 0.6, 2.4, 0.4},
    {1.1, 2.7, 4.5, 0.7, 2.7, 0.5},
    {1.25, 3.0, 5.0, 0.8, 3.0, 0.55},
};

// Side ratio h/b and the coefficients of the torsional moment of inertia (α) and of the
// torsional section modulus (β) of a rectangle.
const double ratio_rows[] = {1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0, 10.0};
const double alpha_rows[] = {0.14, 0.171, 0.196, 0.229, 0.263, 0.281, 0.299, 0.313};
const double beta_rows[] = {0.208, 0.221, 0.231, 0.246, 0.267, 0.282, 0.299, 0.313};

// Design forces to service forces: the global safety factor 1.75.
constexpr double kToService = 0.5714285714285714;
// Torsional moment [kNm] to service level and to N/mm² over a modulus in cm³.
constexpr double kTorsionToService = 571.4285714285714;

// The zone limits of one check.
struct Zone_Limits {
    double zone_1;   // up to it: no (slabs) or reduced (beams) shear reinforcement
    double tau_02;   // up to it: reduced coverage
    double tau_03;   // up to it: full coverage (beams); slabs end at τ02
};

Zone_Limits Limits_Of(int grade, int member_kind, double d_cm, bool interface)
{
    const double* row = shear_limits[grade];
    const double d_m = d_cm / 100.0;
    if (member_kind >= 1) {
        if (interface) return {0.0, 0.7 * row[3], 0.7 * row[3]};
        // Slabs: τ011 grows for thin slabs; member kind 2 and above has staggered
        // reinforcement.
        double zone_1 = 0.0;
        if (member_kind == 1)
            zone_1 = row[3] * std::clamp(0.2 / d_m + 0.33, 0.5, 1.0);
        else
            zone_1 = row[5] * std::clamp(0.12 / d_m + 0.6, 0.7, 1.0);
        return {zone_1, row[4], row[4]};
    }
    if (interface) return {0.7 * row[0], row[0], row[2]};
    return {row[0], row[1], row[2]};
}

// Design shear stress τ covered by reinforcement for a nominal τ0; 0 where none is needed.
double Covered_Stress(double tau0, const Zone_Limits& z, bool slab, int& zone, bool& at_floor)
{
    at_floor = false;
    if (tau0 <= z.zone_1) {
        zone = 1;
        if (slab) return 0.0;
        at_floor = true;
        return 0.4 * tau0;
    }
    if (tau0 <= z.tau_02 || slab) {
        zone = 2;
        const double tau = tau0 * tau0 / z.tau_02;
        at_floor = tau < 0.4 * tau0;
        return std::max(tau, 0.4 * tau0);
    }
    zone = 3;
    return tau0;
}

struct Torsion_Part {
    double b, h;     // [cm], b the shorter side
    double Wt, It;
};

Torsion_Part Rectangle_Part(double w, double t)
{
    Torsion_Part p{std::min(w, t), std::max(w, t), 0.0, 0.0};
    if (p.b > 0.0) Calc_Torsion_Constants(p.b, p.h, &p.Wt, &p.It);
    return p;
}

}  // namespace

void Calc_Torsion_Constants(double b, double h, double* Wt, double* It)
{
    const double r = h / b;
    double alpha = 0.333, beta = 0.333;
    if (!(r >= 10.0)) {
        if (!(r > 1.0)) {
            alpha = alpha_rows[0];
            beta = beta_rows[0];
        } else {
            int i = 0;
            while (ratio_rows[i + 1] <= r) ++i;
            const double f = (r - ratio_rows[i]) / (ratio_rows[i + 1] - ratio_rows[i]);
            alpha = alpha_rows[i] + f * (alpha_rows[i + 1] - alpha_rows[i]);
            beta = beta_rows[i] + f * (beta_rows[i + 1] - beta_rows[i]);
        }
    }
    if (Wt) *Wt = beta * h * b * b;
    if (It) *It = alpha * h * b * b * b;
}

int Calc_Section_Torsion_Values(Calc_Work_Record* record)
{
    if (!record || !record->material) return SECTION_CHECK_UNUSABLE;
    Calc_Work_Record& r = *record;
    const Material_Set& set = *r.material;
    if (set.n_concrete < 1 || !set.concrete) return SECTION_CHECK_UNUSABLE;
    const int grade = set.concrete[0].class_index;
    if (grade < 0 || grade >= CONCRETE_FIRST_CLASS) return SECTION_CHECK_UNUSABLE;

    // 1. Steel.
    double beta_s = 0.0;
    if (r.steel_index >= 0 && r.steel_index < STEEL_FIRST_CLASS)
        beta_s = din1045_steel_fyk[r.steel_index];
    else if (r.steel_index >= STEEL_FIRST_CLASS && r.steel_index < STEEL_FREE)
        beta_s = din1045_steel_fyk[STEEL_FIRST_CLASS - 1];
    else if (r.steel_index == STEEL_FREE && set.n_steel >= 1 && set.steel)
        beta_s = set.steel[0].fyk;
    if (!(beta_s > 0.0)) return SECTION_CHECK_UNUSABLE;
    const double sigma_perm = beta_s / 1.75;

    double alpha = r.alpha;
    if (!(alpha >= 0.001) || alpha > 89.0) alpha = 90.0;
    alpha = std::max(alpha, 45.0);
    r.alpha = alpha;
    const double inclination =
        (alpha == 90.0) ? 1.0 : std::sin(alpha * kDegree) + std::cos(alpha * kDegree);

    const bool slab = r.member_kind >= 1;
    const Zone_Limits limits = Limits_Of(grade, r.member_kind, r.d, r.interface_check != 0);
    int bits = 0;

    // 4. Lever arm [cm] and web width.
    double z = (r.z_ratio > 0.001 && r.z_ratio < 0.999) ? r.z_ratio * r.d : 0.875 * r.d;
    if (r.shape == 3 && !(r.z_ratio > 0.001 && r.z_ratio < 0.999))
        z = 3.0 * kPi / 8.0 * (r.thickness_1 - r.edge_bottom);
    if (!(z >= 0.001)) return SECTION_CHECK_UNUSABLE;
    r.z = z;
    const double b = r.width_1;

    // 2., 5. Shear at service level.
    const double V = std::fabs(r.Vz) * kToService;
    const bool torsion = std::fabs(r.T) > 1e-9;
    double tau0 = 0.0;
    bool shear_reinforced = false;
    if (V < 0.001) {
        r.VRd_c = r.rho_l_percent = r.VRd_max = 0.0;
        r.shear_zone = r.zone_2 = r.zone_3 = 1;
    } else {
        tau0 = 10.0 * V / (b * z);
        int zone = 1;
        bool at_floor = false;
        const double tau = Covered_Stress(tau0, limits, slab, zone, at_floor);
        const double upper = slab ? limits.tau_02 : limits.tau_03;
        if (tau0 > upper) bits |= SECTION_CHECK_SHEAR_EXCEEDED;
        r.VRd_c = tau0;
        r.rho_l_percent = tau;
        r.VRd_max = (zone == 1) ? limits.zone_1 : (zone == 2) ? limits.tau_02 : upper;
        if (tau0 > upper) r.VRd_max = upper;
        r.shear_zone = zone;
        if (tau > 0.0) {
            shear_reinforced = true;
            r.theta = std::atan(tau / tau0) / kDegree;
            if (at_floor) bits |= SECTION_CHECK_THETA_AT_LIMIT;
            r.asw_req = 100.0 * tau * b / (sigma_perm * inclination);
        }

        // Flanges: their share of the web's shear flow over their own thickness.
        auto flange = [&](double thickness, double share, double& tau0_f, double& tau_f,
                          double& asf) {
            if (!(thickness >= 0.001)) return;
            if (share < 0.0) share = 0.3;
            tau0_f = share * tau0 * b / thickness;
            int flange_zone = 1;
            bool floor = false;
            tau_f = Covered_Stress(tau0_f, limits, false, flange_zone, floor);
            if (tau0_f > limits.tau_03) {
                bits |= SECTION_CHECK_FLANGE_STRUTS;
                asf = -1.0;
                return;
            }
            asf = 100.0 * tau_f * thickness / sigma_perm;
        };
        if (r.shape == 1 || r.shape == 2)
            flange(r.thickness_1, r.flange_share_1, r.flange_VRd_1, r.cot_theta_f1, r.asf_1);
        if (r.shape == 2)
            flange(r.thickness_2, r.flange_share_2, r.flange_VRd_2, r.cot_theta_f2, r.asf_2);
    }

    // 6. Torsion.
    if (torsion) {
        double Wt = 0.0, tau_T = 0.0;
        const double T = std::fabs(r.T) * kTorsionToService;
        if (r.shape == 3) {
            const double ro = r.thickness_1, ri = std::max(0.0, r.thickness_2);
            const double polar = kPi * (ro * ro * ro * ro - ri * ri * ri * ri) / 2.0;
            Wt = (ro > 0.0) ? polar / ro : 0.0;
            tau_T = (Wt > 0.0) ? T / Wt : 0.0;
        } else {
            // The parts of the section share the moment by their stiffness.
            Torsion_Part parts[3];
            int n = 0;
            double web_height = r.height;
            if (r.shape == 1 || r.shape == 2) {
                parts[n++] = Rectangle_Part(r.width_2, r.thickness_1);
                web_height -= r.thickness_1;
            }
            if (r.shape == 2) {
                parts[n++] = Rectangle_Part(r.width_3, r.thickness_2);
                web_height -= r.thickness_2;
            }
            parts[n++] = Rectangle_Part(b, web_height);
            double It_sum = 0.0;
            for (int i = 0; i < n; ++i) It_sum += parts[i].It;
            for (int i = 0; i < n; ++i) {
                if (!(parts[i].Wt > 0.0) || !(It_sum > 0.0)) continue;
                const double tau = T * parts[i].It / It_sum / parts[i].Wt;
                if (tau > tau_T) {
                    tau_T = tau;
                    Wt = parts[i].Wt * It_sum / parts[i].It;
                }
            }
        }
        if (!(Wt > 0.0)) {
            bits |= SECTION_CHECK_TORSION_EXCEEDED;
        } else {
            r.TRd_max = limits.tau_02 * Wt / kTorsionToService;
            if (tau_T > limits.tau_02 * 1.0001) bits |= SECTION_CHECK_TORSION_EXCEEDED;
            // Shear and torsion together: τ0 + τT up to 1.3 τ02.
            double ratio = (tau0 + tau_T) / (1.3 * limits.tau_02);
            if (ratio >= 1.31 / 1.3)
                bits |= SECTION_CHECK_INTERACTION;
            else if (ratio > 1.0)
                ratio = 1.0;
            r.interaction_1 = ratio;

            // Reinforcement for the design moment, 45 degree struts, in the stirrup core.
            double A_k = 0.0, u_k = 0.0;
            if (r.shape == 3) {
                const double rk = r.thickness_1 - r.edge_bottom;
                if (rk > 0.0) {
                    A_k = kPi * rk * rk;
                    u_k = 2.0 * kPi * rk;
                }
            } else {
                const double edges = r.edge_top + r.edge_bottom;
                const double bk = b - edges, hk = r.height - edges;
                if (bk > 0.0 && hk > 0.0) {
                    A_k = bk * hk;
                    u_k = 2.0 * (bk + hk);
                }
            }
            if (!(A_k > 0.0)) {
                bits |= SECTION_CHECK_TORSION_EXCEEDED;
            } else {
                r.asw_torsion[0] = 10.0 * std::fabs(r.T) * 1.0e6 / (2.0 * A_k * 100.0 * beta_s);
                r.asl_torsion[0] = r.asw_torsion[0] * u_k / 100.0;
            }
        }
    }
    if (!shear_reinforced && !torsion) bits |= SECTION_CHECK_NO_REINF_NEEDED;

    if (bits & (SECTION_CHECK_SHEAR_EXCEEDED | SECTION_CHECK_TORSION_EXCEEDED |
                SECTION_CHECK_INTERACTION))
        bits |= SECTION_CHECK_FAILED;
    return bits;
}
