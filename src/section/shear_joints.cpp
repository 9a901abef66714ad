// Shear between web and flanges and at the interface of concretes cast at different times,
// after the web of the section has been designed.
#include <algorithm>
#include <cmath>

#include "annex/nad_ec2.h"
#include "material/material_set.h"
#include "platform/environment.h"
#include "section/shear_design_context.h"

namespace {

constexpr double kDegree = 3.141592653589793 / 180.0;

// The environments' applications that keep a tensile stress across an interface.
bool Keeps_Interface_Tension()
{
    const int application = CurOb_Application_Number();
    return application == 50 || application == 125;
}

struct Flange {
    double width;       // [cm]
    double thickness;   // [cm]
    double* share;      // share of the flange force in the outstand
    bool compressed;    // the flange lies in the compression zone
    double* asf;
    double* VRd;
    double* F;
    double* cot_theta_f;
};

int Design_Flange(Shear_Design_Context& c, const Flange& f)
{
    Calc_Work_Record& r = c.r;
    if (*f.share < 0.0) *f.share = 0.3;
    if (!(f.thickness >= 0.001) || !(f.width >= 0.001)) return 0;
    const double hf = 10.0 * f.thickness;
    const double dx = 10.0 * r.flange_length;

    const double force = std::fabs(r.flange_dM) * 1.0e6 / c.z * *f.share;  // [N]
    const double v_Ed = force / (hf * dx);
    *f.F = c.eurocode ? force / dx : force / 1000.0;

    // A given strut angle holds for the flanges too; otherwise the annex's angle of a
    // compression or a tension flange.
    double cot = c.cot_theta;
    if (c.angle_free)
        cot = f.compressed ? c.annex.cot_theta_f_compression : c.annex.cot_theta_f_tension;
    if (!(cot > 0.0)) cot = 1.0;
    *f.cot_theta_f = cot;

    const double v_Rd_max = c.nu * c.fcd / (cot + 1.0 / cot);
    *f.VRd = c.eurocode ? v_Rd_max * hf : v_Rd_max * hf * dx / 1000.0;

    *f.asf = 0.0;
    if (v_Ed <= c.annex.k_flange * c.fctd) return 0;
    if (v_Ed > v_Rd_max) {
        *f.asf = -1.0;
        return SECTION_CHECK_FLANGE_STRUTS;
    }
    *f.asf = 10.0 * force / (c.fywd * dx * cot);
    return 0;
}

}  // namespace

int Design_Flange_Connections(Shear_Design_Context& c)
{
    Calc_Work_Record& r = c.r;
    if (!(r.flange_length > 0.001) || !(std::fabs(r.flange_dM) > 0.001)) return 0;
    // A sagging moment (tension below) puts the top flange into compression.
    const bool top_compressed = r.M >= 0.0;
    int bits = Design_Flange(c, {r.width_2, r.thickness_1, &r.flange_share_1, top_compressed,
                                 &r.asf_1, &r.flange_VRd_1, &r.F_flange_1, &r.cot_theta_f1});
    if (r.shape == 2)
        bits |= Design_Flange(c, {r.width_3, r.thickness_2, &r.flange_share_2, !top_compressed,
                                  &r.asf_2, &r.flange_VRd_2, &r.F_flange_2, &r.cot_theta_f2});
    return bits;
}

int Design_Interface_Shear(Shear_Design_Context& c)
{
    Calc_Work_Record& r = c.r;
    const NAD_EC2_Params& a = c.annex;
    int bits = 0;

    if (c.lattice) {
        r.interface_dynamic = 0;
        r.interface_beta = 1.0;
        r.interface_sigma_n = 0.0;
    }
    const double b_i = (r.interface_width >= 0.001) ? 10.0 * r.interface_width : c.bw;
    // Without a ratio the whole shear passes the interface.
    const double beta = (r.interface_beta >= 0.001) ? r.interface_beta : 1.0;
    const double v_Edi = beta * c.V / (c.z * b_i);

    r.roughness_class = std::clamp(r.roughness_class, 0, c.oenorm ? 2 : 3);
    const int k = r.roughness_class;
    double c_r = a.roughness_c[k];
    const double mu = a.roughness_mu[k];
    // Under fatigue or dynamic loading the German rules drop the cohesion, the
    // recommended values halve it.
    if (r.interface_dynamic) c_r = (c.german_or_din || c.oenorm) ? 0.0 : 0.5 * c_r;

    // Normal stress across the interface, compression positive.
    double sigma_n = std::min(-r.interface_sigma_n / b_i, 0.6 * c.fcd);
    if (sigma_n < 0.0 && !Keeps_Interface_Tension()) {
        sigma_n = 0.0;
        bits |= SECTION_CHECK_INTERFACE_TENSION;
    }

    const bool din_2001 = c.din && c.din_2001;
    const double cohesion = din_2001 ? 0.042 * c.eta1 * std::cbrt(c.fck) * c_r
                                     : c_r * c.fctd * c.eta1;
    const double v_Rdi = cohesion + mu * sigma_n;

    double nu = a.roughness_nu[k];
    if (c.eurocode && !c.german && a.nu_v_form != 1) nu *= 1.0 - c.fck / 250.0;
    double v_Rdi_max = 0.5 * nu * c.fcd;
    const double web_limit = c.VRd_max / (c.z * b_i);
    if (web_limit < v_Rdi_max) {
        v_Rdi_max = web_limit;
        bits |= SECTION_CHECK_INTERFACE_LIMITED;
    }

    // Inclination of the interface reinforcement: 90 when not given, at least 45 degrees.
    double alpha = r.interface_alpha;
    if (!(alpha >= 0.001) || alpha > 89.0) alpha = 90.0;
    alpha = std::max(alpha, 45.0);
    const double sin_a = (alpha == 90.0) ? 1.0 : std::sin(alpha * kDegree);
    const double cos_a = (alpha == 90.0) ? 0.0 : std::cos(alpha * kDegree);

    r.v_Edi = v_Edi;
    r.v_Rdi = v_Rdi;
    r.v_Rdi_max = v_Rdi_max;
    r.z_i = c.z / 10.0;
    r.asi_req = 0.0;

    if (v_Edi <= v_Rdi + 1.0e-9) {
        r.interface_zone = 1;
        return bits;
    }
    if (v_Edi > v_Rdi_max + 1.0e-9) {
        r.interface_zone = 3;
        r.asi_req = -1.0;
        return bits | SECTION_CHECK_SHEAR_EXCEEDED;
    }
    r.interface_zone = 2;

    double steel_factor = mu * sin_a + cos_a;
    if (c.lattice) {
        steel_factor = (alpha < 55.0) ? 0.25 : 0.3 * (1.0 + std::sin((alpha - 55.0) * kDegree));
    } else if (din_2001) {
        // DIN 1045-1 (2001): a strut at the interface, its angle from the stresses.
        double cot = (1.2 * mu + 1.4 * sigma_n / c.fcd) / (1.0 - v_Rdi / v_Edi);
        if (cot < 0.58) {
            cot = 0.58;
            bits |= SECTION_CHECK_INTERFACE_ANGLE;
        }
        cot = std::min(cot, 3.0);
        r.theta_i = std::atan(1.0 / cot) / kDegree;
        steel_factor = sin_a * (cot + cos_a / sin_a);
        // the cohesion is carried by the strut here
        r.asi_req = 10.0 * v_Edi * b_i / (c.fywd * steel_factor);
        if (r.no_shear_reinf) bits |= SECTION_CHECK_NO_STIRRUPS | SECTION_CHECK_SHEAR_EXCEEDED;
        return bits;
    }
    r.asi_req = 10.0 * (v_Edi - v_Rdi) * b_i / (c.fywd * steel_factor);
    if (r.no_shear_reinf) bits |= SECTION_CHECK_NO_STIRRUPS | SECTION_CHECK_SHEAR_EXCEEDED;
    return bits;
}
