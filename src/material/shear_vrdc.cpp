#include "material/shear_vrdc.h"

#include <cmath>

#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "material/material_set.h"

namespace {

// One group of the annex's shear coefficients: numerator c of CRd,c = c/γc, the vmin
// coefficient A (stored times 1.5), k1 of the axial stress and the vmin mode (1: A is vmin
// itself, otherwise A/γc · k^(3/2) · fck^(1/2)).
struct Shear_Group {
    double c;
    double A;
    double k1;
    int mode;
};

enum class Rules { Eurocode, Din2001, Din2008 };

// κ1 of the minimum shear strength of DIN 1045-1 (2008), interpolated in mm between
// 600 and 800 mm effective depth.
double Din2008_Kappa1(double d)
{
    if (d <= 600.0) return 0.0525;
    if (d > 800.0) return 0.0375;
    return 0.0525 - (d - 600.0) * 0.000075;
}

// A resistance is never negative; anything that is not a finite number (NaN from a NaN
// input, an infinite stress) is no resistance at all.
double Usable_Resistance(double v) { return (std::isfinite(v) && v > 0.0) ? v : 0.0; }

}  // namespace

double Calc_VRd_c(const Material_Set* set, int with_minimum, double d, double bw, double As,
                  double sigma_cp, double factor, int* flags)
{
    if (flags) *flags = 0;
    const bool din_2001 = Get_DIN1045_1_Edition() != 0;

    if (!set || set->n_concrete < 1 || !set->concrete) return 0.0;
    // A web without width or depth carries nothing; the test also turns away NaN sizes
    // before they reach the ratio and the size factor.
    if (!(d > 0.0) || !(bw > 0.0)) return 0.0;

    const Concrete_Record& concrete = set->concrete[0];
    const double fck = concrete.fck;

    double rho_l = As / (bw * d);
    if (!(rho_l > 0.0))
        rho_l = 0.0;  // negative or NaN
    else if (rho_l > 0.02)
        rho_l = 0.02;

    if (set->oenorm) {
        const double tau_rd = Get_Concrete_Tau_Rd(concrete.class_index, fck);
        const double v = (tau_rd * (1.2 + 40.0 * rho_l) - 0.15 * sigma_cp) * bw * d * 0.001;
        return Usable_Resistance(v);
    }

    const NAD_EC2_Params& annex = Material_Set_Annex(*set);
    const double gamma_c = Material_Set_Factor(set->gamma_c);

    const Shear_Group normal{annex.c_rd_c, annex.v_min_factor, annex.k1_shear, annex.v_min_form};
    const Shear_Group lightweight{annex.c_lrd_c, annex.v_l_min_factor, annex.k_l1,
                                  annex.v_l_min_form};
    const Shear_Group bridge{annex.bridge_c_rd_c, annex.bridge_v_min_factor,
                             annex.bridge_k1_shear, annex.bridge_v_min_form};

    Shear_Group group = normal;
    Rules rules = Rules::Eurocode;
    double c_rd_c = 0.0;
    if (set->en1992_2) {
        group = bridge;
        c_rd_c = bridge.c / gamma_c;
    } else if (set->en1992_1_1) {
        c_rd_c = normal.c / gamma_c;
    } else {
        // DIN 1045-1, also for a set of the 1988 standard.
        rules = din_2001 ? Rules::Din2001 : Rules::Din2008;
        c_rd_c = din_2001 ? 0.10 : normal.c / gamma_c;
    }
    if (concrete.lightweight) {
        group.A = lightweight.A;
        group.k1 = lightweight.k1;
        group.mode = lightweight.mode;
        if (rules != Rules::Din2001) c_rd_c = lightweight.c / gamma_c;
    }

    const double depth_ratio = 200.0 / d;
    const double k = (depth_ratio > 1.0000000000000002) ? 2.0 : 1.0 + std::sqrt(depth_ratio);

    const double v_rd = c_rd_c * k * std::cbrt(100.0 * rho_l * fck);
    double v = v_rd;
    if (with_minimum) {
        double v_min = 0.0;
        switch (rules) {
        case Rules::Eurocode:
            v_min = (group.mode == 1) ? group.A : (group.A / gamma_c) * k * std::sqrt(k * fck);
            break;
        case Rules::Din2001:
            v_min = (0.0525 / gamma_c) * k * std::sqrt(k * fck);
            break;
        case Rules::Din2008:
            v_min = (Din2008_Kappa1(d) / gamma_c) * std::sqrt(k * k * k * fck);
            break;
        }
        if (v_min > v_rd) {
            v = v_min;
            if (flags) *flags = CRd_c_shear_flag;
        }
    }

    const double resistance =
        (concrete.eta1 * v - group.k1 * sigma_cp) * factor * 0.001 * bw * d;
    return Usable_Resistance(resistance);
}
