#pragma once
// Stress-strain laws of concrete and reinforcing steel, and the normal force and moment
// that a linear strain state of a section carries.
//
// Conventions: depth z in m downward from the top fibre; strains plain, compression
// negative; stresses in kN/m², compression negative; N in kN, tension positive; M in kNm
// about the section's `reference_depth`, positive when it causes tension below the
// reference axis; areas in m². Where a strain cannot be interpolated (zero depth between
// the two points of a plane with different strains) it is +1e100 for a depth >= 0 and
// -1e100 below.
//
// Not re-entrant: `layer_law_work` is one table overwritten by every force integration.
#include <cstdio>
#include <vector>

#include "section/section_record.h"

// Strain at depth z on the line through (z1, e1) and (z2, e2); where the two points lie at
// one depth: the common strain when they agree, else +-1e100 by the sign of z.
inline double Strain_On_Line(double z1, double e1, double z2, double e2, double z)
{
    if (z1 == z2) {
        if (e1 == e2) return e1;
        return z >= 0.0 ? 1e100 : -1e100;
    }
    return e1 + (e2 - e1) * (z - z1) / (z2 - z1);
}

// Strain at depth z of the plane through eps_top at depth 0 and eps_bottom at `height`.
inline double Strain_At_Depth(double eps_top, double eps_bottom, double height, double z)
{
    return Strain_On_Line(0.0, eps_top, height, eps_bottom, z);
}

// Gauss-Legendre rules on the unit interval (weights sum to 1).
extern const double gauss5_abscissa[5];
extern const double gauss5_weight[5];
extern const double gauss3_abscissa[3];
extern const double gauss3_weight[3];

// The laws of the added layers of the last `Integrate_Section_Forces` (one per added
// layer) or `Integrate_Design_Layer_Forces` (two entries).
extern std::vector<Steel_Law> layer_law_work;

// f * eta * (k - eta) / (eta * (k - 2) + 1).
double Calc_Nonlinear_Concrete_Law(double f, double k, double eta);
// f * (1 - Get_Power(1 - eta, n)); Get_Power gives 0 for a base <= 0.
double Calc_Parabola_Rectangle_Law(double f, double n, double eta);

// Concrete stress at the strain (the law's eps_shift is added first). No descending
// branch: every strain beyond eps_peak gives -fc; eps_cu is no cut-off.
double Calc_Concrete_Stress(const Concrete_Law* law, double strain);

// Steel stress at the strain: elastic up to the yield strength (compared after rounding
// the excess to 0.01 kN/m²), then the hardening line, which is not cut at the limit
// strain; a vertical branch gives +-1e100. With a concrete law given and the law's
// `subtract_concrete` set, the concrete stress at the same strain is subtracted.
double Calc_Steel_Stress(const Steel_Law* law, const Concrete_Law* concrete, double strain);

// Adds the force of the curved concrete branch over [z_a, z_b] of one part, and its moment
// about depth 0, to *N and *M. The strain is eps0 + gradient * z; the stress is
// curve(-f, exponent, |strain / peak_strain|); the width b0 + b1 * z. Five Gauss points
// for the nonlinear law (law_kind 1) or an exponent above 2.5, else three points when
// |b1| <= 0.1 * b0 and five otherwise.
void Integrate_Concrete_Curve_Gauss(int law_kind, double* N, double* M, double b0, double b1,
                                    double z_a, double z_b, double eps0, double gradient,
                                    double f, double peak_strain, double exponent);

// Concrete force N and moment M about depth 0 of the outline parts for the strain line
// through (z1, eps1) and (z2, eps2) (strains as the section has them; the law's shift is
// applied here). N = M = 0 unless z2 > 0, and when z1 = z2 with differing strains.
void Integrate_Concrete_Forces(const Concrete_Law* law, int part_count, const double* part_top,
                               const double* part_bottom, const double* width_slope,
                               const double* width_at_zero, double eps1, double z1, double eps2,
                               double z2, double* N, double* M);

// Number of `Integrate_Section_Forces` calls since the start of the run: the unit in which
// the work of the strain-plane solvers and searches is measured.
extern long section_force_integrations;

// N and M (about `reference_depth`) of the concrete, the section's own layers (law block 3)
// and `count` added layers (areas [m²], depths [m]; not read when count is 0) for the
// strains at the top and the bottom edge. Added layers: with flag 0 and exactly two of
// them, the shallower takes `steel_law[0]` and the other `steel_law[1]` (equal depths: the
// second takes block 0); otherwise every added layer takes `steel_law[2]`. Returns 1.
int Integrate_Section_Forces(const Section_Record* section, const double* area,
                             const double* depth, int count, double eps_top, double eps_bottom,
                             int flag, double* N, double* M);

// As `Integrate_Section_Forces` with the two design layers (at `upper_layer_depth` and
// `lower_layer_depth`) in place of added layers: with flag 0 the higher takes `steel_law[0]`
// and the other `steel_law[1]` (equal depths: the layer at `lower_layer_depth` takes
// block 0); with a nonzero flag both take `steel_law[2]`.
void Integrate_Design_Layer_Forces(const Section_Record* section, double area_upper,
                                   double area_lower, double eps_top, double eps_bottom, int flag,
                                   double* N, double* M);

// ---- Balance family: reinforcement areas that let a given strain state carry the target.
// Concrete and own layers (law block 3) are integrated as above; N_c and M_c are the
// concrete's force and its moment about the reference axis.

// One common area A of the added layers (laws[i] at depths[i], i < count) for the strains
// at the top and the bottom edge, such that N = N_target: A = (N_target - N_c - N_own) /
// sum_sigma, never below 0, and 0 when sum_sigma is 0. Writes sum_sigma (the layers'
// stresses at unit area), sum_sigma_lever = sum sigma (z - z_ref), sum_abs_lever =
// sum |sigma| |z - z_ref|, N_c, M_c, the moment M = M_c + A sum_sigma_lever + M_own and A.
// Every output pointer may be null.
void Calc_Uniform_Layer_Area(const Section_Record* section, int count, const Steel_Law* laws,
                             const double* depths, double eps_top, double eps_bottom,
                             double N_target, double* sum_sigma, double* sum_sigma_lever,
                             double* sum_abs_lever, double* N_c, double* M_c, double* M,
                             double* A);

// The same on `section_work_copy` with the laws and depths of `layer_law_table` (both set
// up by the section design). Returns N_target - N_c - (A sum_sigma + N_own).
double Calc_Uniform_Layer_Area_Work(double eps_top, double eps_bottom, double N_target,
                                    double* sum_sigma, double* sum_sigma_lever,
                                    double* sum_abs_lever, double* N_c, double* M_c, double* M,
                                    double* A);

// Areas of the upper design layer (law block 0, at `upper_layer_depth`) and the lower one
// (block 1, at `lower_layer_depth`) for the plane through the strains eps_upper and
// eps_lower at those depths, such that N = N_target and M = M_target (equilibrium of
// moments about the lower and about the upper layer). A layer stress of exactly 0 counts
// as 1e-10. Returns A_upper / A_lower, 1e10 when A_lower is 0. Every output pointer may be
// null.
double Calc_Layer_Areas_For_Plane_Of_Section(const Section_Record* section, double eps_upper,
                                             double eps_lower, double N_target, double M_target,
                                             double* N_c, double* M_c, double* A_upper,
                                             double* A_lower);

// The same on `section_work_copy` and on `mirrored_section` (the upside-down work copy of
// the layer-area design).
void Calc_Layer_Areas_For_Plane(double eps_upper, double eps_lower, double N_target,
                                double M_target, double* A_upper, double* A_lower, double* N_c,
                                double* M_c);
void Calc_Layer_Areas_For_Plane_Mirrored(double eps_upper, double eps_lower, double N_target,
                                         double M_target, double* A_upper, double* A_lower,
                                         double* N_c, double* M_c);

// Writes one stress-strain plot block of the law (concrete when given, else steel) into
// the report; nothing when the report is null. layout_a and layout_b are written with
// "%.2f"; name is the law's name (code page 850); the strain range is narrowed to
// [eps_lower, eps_upper] where these are narrower than the law's own range.
void Write_Stress_Strain_Plot(FILE* report, double layout_a, double layout_b,
                              const Concrete_Law* concrete, const Steel_Law* steel,
                              const char* name, double eps_lower, double eps_upper);
