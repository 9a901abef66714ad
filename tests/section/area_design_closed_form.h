#pragma once
// Closed-form forces of a rectangular reinforced-concrete section for the tests of the
// section analysis and designs: the parabola-rectangle law (exponent 2) integrated in strain
// space, the bilinear steel law without hardening, and the stress-block coefficients of the
// rectangular stress diagram. None of it calls the code under test.
#include <algorithm>
#include <cmath>

#include "section/section_record.h"

namespace closed_form {

// A rectangular section b x h, the reference axis at z_ref, two design layers, and the
// materials of a C30/37 with B500 (design values in kN/m²).
struct Rect {
    double b = 0.3, h = 0.5, z_ref = 0.25, z_top = 0.05, z_bot = 0.45;
    double fc = 17000.0, eps_c2 = -0.002, eps_cu = -0.0035;
    double fy = 435000.0, E = 2.0e8, eps_su = 0.025;
    bool subtract = false;  // the bars displace concrete (its stress is subtracted)
};

inline Section_Record Make_Section(const Rect& r)
{
    Section_Record s;
    Init_Section_Defaults(&s);
    s.part_count = 1;
    s.height = r.h;
    s.part_top[0] = 0.0;
    s.part_bottom[0] = r.h;
    s.width_top[0] = s.width_bottom[0] = r.b;
    s.width_slope[0] = 0.0;
    s.width_at_zero[0] = r.b;
    s.reference_depth = r.z_ref;
    s.upper_layer_depth = r.z_top;
    s.lower_layer_depth = r.z_bot;
    s.concrete_law.fc = r.fc;
    s.concrete_law.eps_cu = r.eps_cu;
    s.concrete_law.eps_peak = r.eps_c2;
    s.concrete_law.exponent = 2.0;
    for (Steel_Law& law : s.steel_law) {
        law.fy_t = law.fy_c = r.fy;
        law.k_t = law.k_c = 1.0;
        law.eps_u_t = law.eps_u_c = r.eps_su;
        law.eps_y_t = r.fy / r.E;
        law.E_t = law.E_c = r.E;
        law.subtract_concrete = r.subtract ? 1 : 0;
    }
    s.layer_count = 0;
    s.option_bits = 0;
    return s;
}

// The same outline split into two parts at half depth (an outline that may be turned).
inline Section_Record Make_Two_Part_Section(const Rect& r)
{
    Section_Record s = Make_Section(r);
    s.part_count = 2;
    s.part_bottom[0] = r.h / 2;
    s.part_top[1] = r.h / 2;
    s.part_bottom[1] = r.h;
    s.width_top[1] = s.width_bottom[1] = r.b;
    s.width_slope[1] = 0.0;
    s.width_at_zero[1] = r.b;
    return s;
}

inline double Concrete_Stress(const Rect& r, double eps)
{
    if (eps >= 0.0) return 0.0;
    if (eps <= r.eps_c2) return -r.fc;
    const double u = eps / r.eps_c2;
    return -r.fc * (2.0 * u - u * u);
}

// Integrals of the concrete stress over the strain from 0 to eps: of sigma, and of sigma * eps.
inline double P1(const Rect& r, double eps)
{
    if (eps >= 0.0) return 0.0;
    const double e = std::max(eps, r.eps_c2);
    const double u = e / r.eps_c2;
    double v = -r.fc * r.eps_c2 * (u * u - u * u * u / 3.0);
    if (eps < r.eps_c2) v += -r.fc * (eps - r.eps_c2);
    return v;
}
inline double P2(const Rect& r, double eps)
{
    if (eps >= 0.0) return 0.0;
    const double e = std::max(eps, r.eps_c2);
    const double u = e / r.eps_c2;
    double v = -r.fc * r.eps_c2 * r.eps_c2 * (2.0 * u * u * u / 3.0 - u * u * u * u / 4.0);
    if (eps < r.eps_c2) v += -r.fc * (eps * eps - r.eps_c2 * r.eps_c2) / 2.0;
    return v;
}

// Concrete force and its moment about the TOP edge for edge strains et (top), eb (bottom).
inline void Concrete_Forces(const Rect& r, double et, double eb, double* N, double* M0)
{
    if (et == eb) {
        *N = Concrete_Stress(r, et) * r.b * r.h;
        *M0 = *N * r.h / 2.0;
        return;
    }
    const double g = (eb - et) / r.h;
    const double i1 = P1(r, eb) - P1(r, et);
    const double i2 = P2(r, eb) - P2(r, et);
    *N = r.b / g * i1;
    *M0 = r.b / (g * g) * (i2 - et * i1);
}

inline double Steel_Stress(const Rect& r, double eps)
{
    const double s = std::clamp(r.E * eps, -r.fy, r.fy);
    return r.subtract ? s - Concrete_Stress(r, eps) : s;
}

inline double Strain_At(const Rect& r, double et, double eb, double z)
{
    return et + (eb - et) * z / r.h;
}

// N and M (about the reference axis) of concrete and n layers of the given areas and depths.
inline void Layer_Forces(const Rect& r, double et, double eb, const double* area,
                         const double* depth, int n, double* N, double* M)
{
    double N_sum, M_top;  // M_top: about the top edge
    Concrete_Forces(r, et, eb, &N_sum, &M_top);
    for (int i = 0; i < n; ++i) {
        const double F = area[i] * Steel_Stress(r, Strain_At(r, et, eb, depth[i]));
        N_sum += F;
        M_top += F * depth[i];
    }
    *N = N_sum;
    *M = M_top - N_sum * r.z_ref;
}

// N and M (about the reference axis) of concrete and the two design layers.
inline void Section_Forces(const Rect& r, double et, double eb, double A_top, double A_bot,
                           double* N, double* M)
{
    const double area[2] = {A_top, A_bot};
    const double depth[2] = {r.z_top, r.z_bot};
    Layer_Forces(r, et, eb, area, depth, 2, N, M);
}

// Rectangular stress-block coefficients of the parabola-rectangle law (eps_c2 -2, eps_cu
// -3.5 per mille) for the magnitude e of the edge strain in per mille: the fill ratio
// alpha_R and the depth ratio k_a of the resultant.
inline double Alpha_R(double e)
{
    if (e <= 2.0) return e / 2.0 - e * e / 12.0;
    return (3.0 * e - 2.0) / (3.0 * e);
}
inline double K_a(double e)
{
    if (e <= 2.0) return (8.0 - e) / (4.0 * (6.0 - e));
    return (e * (3.0 * e - 4.0) + 2.0) / (2.0 * e * (3.0 * e - 2.0));
}

}  // namespace closed_form
