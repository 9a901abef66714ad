#include "section/section_laws.h"

#include <algorithm>
#include <cmath>

#include "base/numeric.h"
#include "section/layer_area_design.h"
#include "section/section_design.h"

const double gauss5_abscissa[5] = {0.04691007703066802, 0.2307653449471585, 0.5,
                                   0.7692346550528415, 0.9530899229693319};
const double gauss5_weight[5] = {0.1184634425280945, 0.239314335249683, 0.2844444444444445,
                                 0.239314335249683, 0.1184634425280945};
const double gauss3_abscissa[3] = {0.11270166537926, 0.5, 0.88729833462074};
const double gauss3_weight[3] = {0.2777777777777778, 0.4444444444444444, 0.2777777777777778};

std::vector<Steel_Law> layer_law_work;

namespace {

// Below this strain the tension branch of the concrete counts as switched off inside the
// integration.
constexpr double kTensionBranchMinStrain = 1e-8;

int Clamp_Count(int n, int max)
{
    return n < 0 ? 0 : (n > max ? max : n);
}

// Constant stress sigma over [za, zb] of a part of width b0 + b1 z.
void Add_Constant_Stress(double sigma, double b0, double b1, double za, double zb, double* N,
                         double* M)
{
    const double za2 = za * za;
    const double zb2 = zb * zb;
    *N += sigma * (b0 * (zb - za) + b1 * (zb2 - za2) / 2.0);
    *M += sigma * (b0 * (zb2 - za2) / 2.0 + b1 * (zb2 * zb - za2 * za) / 3.0);
}

// Force and moment (about depth 0) of the section's own layers, law block 3, for the
// strain given by strain_at(z).
template <typename Strain_Fn>
void Own_Layer_Forces(const Section_Record* s, Strain_Fn strain_at, double* N, double* M)
{
    double n = 0.0;
    double m = 0.0;
    const int count = Clamp_Count(s->layer_count, SECTION_MAX_LAYERS);
    for (int i = 0; i < count; ++i) {
        const double z = s->layer_depth[i];
        const double f =
            Calc_Steel_Stress(&s->steel_law[3], &s->concrete_law, strain_at(z)) * s->layer_area[i];
        n += f;
        m += f * z;
    }
    *N = n;
    *M = m;
}

void Section_Concrete_Forces(const Section_Record* s, double eps1, double z1, double eps2,
                             double z2, double* N, double* M)
{
    Integrate_Concrete_Forces(&s->concrete_law, Clamp_Count(s->part_count, SECTION_MAX_PARTS),
                              s->part_top, s->part_bottom, s->width_slope, s->width_at_zero, eps1,
                              z1, eps2, z2, N, M);
}

void Layer_Areas_For_Plane(const Section_Record* s, double eps_u, double eps_l, double N_t,
                           double M_t, double* A_upper, double* A_lower, double* N_c_out,
                           double* M_c_out)
{
    const double z_u = s->upper_layer_depth;
    const double z_l = s->lower_layer_depth;
    const double z_ref = s->reference_depth;
    const double d = z_u - z_l;

    double sigma_u = Calc_Steel_Stress(&s->steel_law[0], &s->concrete_law, eps_u);
    double sigma_l = Calc_Steel_Stress(&s->steel_law[1], &s->concrete_law, eps_l);
    if (sigma_u == 0.0) sigma_u = 1e-10;
    if (sigma_l == 0.0) sigma_l = 1e-10;

    double N_c = 0.0;
    double M_c0 = 0.0;
    Section_Concrete_Forces(s, eps_u, z_u, eps_l, z_l, &N_c, &M_c0);
    const double z_c = (N_c == 0.0) ? 0.0 : M_c0 / N_c;

    double N_own = 0.0;
    double M_own0 = 0.0;
    Own_Layer_Forces(
        s, [&](double z) { return Strain_On_Line(z_u, eps_u, z_l, eps_l, z); }, &N_own, &M_own0);
    const double M_own = M_own0 - N_own * z_ref;

    const double a_u =
        ((M_t - M_own) + (N_own - N_t) * (z_l - z_ref) + (z_l - z_c) * N_c) / (sigma_u * d);
    const double a_l =
        ((M_own - M_t) + (z_c - z_u) * N_c + (z_ref - z_u) * (N_own - N_t)) / (d * sigma_l);

    if (A_upper) *A_upper = a_u;
    if (A_lower) *A_lower = a_l;
    if (N_c_out) *N_c_out = N_c;
    if (M_c_out) *M_c_out = M_c0 - N_c * z_ref;
}

double Uniform_Layer_Area(const Section_Record* s, int count, const Steel_Law* laws,
                          const double* depths, double eps_top, double eps_bottom,
                          double N_target, double* sum_sigma_out, double* sum_lever_out,
                          double* sum_abs_out, double* N_c_out, double* M_c_out, double* M_out,
                          double* A_out)
{
    const double h = s->height;
    const double z_ref = s->reference_depth;
    if (!laws || !depths) count = 0;

    double sum_sigma = 0.0;
    double sum_lever = 0.0;
    double sum_abs = 0.0;
    for (int i = 0; i < count; ++i) {
        const double z = depths[i];
        const double sigma = Calc_Steel_Stress(&laws[i], &s->concrete_law,
                                               Strain_At_Depth(eps_top, eps_bottom, h, z));
        sum_sigma += sigma;
        sum_lever += sigma * (z - z_ref);
        sum_abs += std::fabs(sigma) * std::fabs(z - z_ref);
    }

    double N_c = 0.0;
    double M_c0 = 0.0;
    Section_Concrete_Forces(s, eps_top, 0.0, eps_bottom, h, &N_c, &M_c0);
    const double M_c = M_c0 - N_c * z_ref;

    double N_own = 0.0;
    double M_own0 = 0.0;
    Own_Layer_Forces(
        s, [&](double z) { return Strain_At_Depth(eps_top, eps_bottom, h, z); }, &N_own, &M_own0);
    const double M_own = M_own0 - N_own * z_ref;

    double A = 0.0;
    if (sum_sigma != 0.0) A = (N_target - N_c - N_own) / sum_sigma;
    if (A < 0.0) A = 0.0;
    const double M = M_c + A * sum_lever + M_own;

    if (sum_sigma_out) *sum_sigma_out = sum_sigma;
    if (sum_lever_out) *sum_lever_out = sum_lever;
    if (sum_abs_out) *sum_abs_out = sum_abs;
    if (N_c_out) *N_c_out = N_c;
    if (M_c_out) *M_c_out = M_c;
    if (M_out) *M_out = M;
    if (A_out) *A_out = A;
    return N_target - N_c - (A * sum_sigma + N_own);
}

}  // namespace

double Calc_Nonlinear_Concrete_Law(double f, double k, double eta)
{
    return f * eta * (k - eta) / (eta * (k - 2.0) + 1.0);
}

double Calc_Parabola_Rectangle_Law(double f, double n, double eta)
{
    return f * (1.0 - Get_Power(1.0 - eta, n));
}

double Calc_Concrete_Stress(const Concrete_Law* law, double strain)
{
    if (!law) return 0.0;
    const double e = strain + law->eps_shift;
    const bool nonlinear = law->law_kind == 1;
    if (e > law->eps_t_limit) return 0.0;
    if (e == 0.0) return 0.0;
    if (e < 0.0) {
        if (e <= law->eps_peak) return -law->fc;
        const double eta = std::fabs(e / law->eps_peak);
        return nonlinear ? Calc_Nonlinear_Concrete_Law(-law->fc, law->exponent, eta)
                         : Calc_Parabola_Rectangle_Law(-law->fc, law->exponent, eta);
    }
    if (law->eps_t_limit <= 0.0) return 0.0;
    if (e >= law->eps_t_peak) return law->fct;
    const double eta = std::fabs(e / law->eps_t_peak);
    return nonlinear ? Calc_Nonlinear_Concrete_Law(law->fct, 1.0, eta)
                     : Calc_Parabola_Rectangle_Law(law->fct, 1.0, eta);
}

double Calc_Steel_Stress(const Steel_Law* law, const Concrete_Law* concrete, double strain)
{
    if (!law) return 0.0;
    const bool tension = strain > 0.0;
    const double fy = tension ? law->fy_t : law->fy_c;
    const double k = tension ? law->k_t : law->k_c;
    const double eps_u = std::fabs(tension ? law->eps_u_t : law->eps_u_c);
    const double E = tension ? law->E_t : law->E_c;

    double s = strain * E;
    if (Round_To_Decimals(std::fabs(s) - fy, 2) > 0.0) {
        const double eps_y = fy / E;
        double magnitude;
        if (eps_u == eps_y)
            magnitude = (k * fy == fy) ? fy : 1e100;
        else
            magnitude = fy + (k - 1.0) * fy / (eps_u - eps_y) * (std::fabs(strain) - eps_y);
        s = tension ? magnitude : -magnitude;
    }
    if (concrete && law->subtract_concrete) s -= Calc_Concrete_Stress(concrete, strain);
    return s;
}

void Integrate_Concrete_Curve_Gauss(int law_kind, double* N, double* M, double b0, double b1,
                                    double z_a, double z_b, double eps0, double gradient,
                                    double f, double peak_strain, double exponent)
{
    const bool nonlinear = law_kind == 1;
    const bool five = nonlinear || exponent > 2.5 || !(std::fabs(b1) <= 0.1 * b0);
    const double* x = five ? gauss5_abscissa : gauss3_abscissa;
    const double* w = five ? gauss5_weight : gauss3_weight;
    const int n = five ? 5 : 3;
    const double length = z_b - z_a;
    for (int i = 0; i < n; ++i) {
        const double z = z_a + x[i] * length;
        const double eta = std::fabs((eps0 + gradient * z) / peak_strain);
        const double sigma = nonlinear ? Calc_Nonlinear_Concrete_Law(-f, exponent, eta)
                                       : Calc_Parabola_Rectangle_Law(-f, exponent, eta);
        const double dN = sigma * length * w[i] * (b0 + b1 * z);
        *N += dN;
        *M += z * dN;
    }
}

void Integrate_Concrete_Forces(const Concrete_Law* law, int part_count, const double* part_top,
                               const double* part_bottom, const double* width_slope,
                               const double* width_at_zero, double eps1, double z1, double eps2,
                               double z2, double* N_out, double* M_out)
{
    double N = 0.0;
    double M = 0.0;
    const bool usable = law && part_top && part_bottom && width_slope && width_at_zero;
    if (!usable || !(z2 > 0.0)) {
        if (N_out) *N_out = 0.0;
        if (M_out) *M_out = 0.0;
        return;
    }
    part_count = Clamp_Count(part_count, SECTION_MAX_PARTS);

    const double e1 = eps1 + law->eps_shift;
    const double e2 = eps2 + law->eps_shift;
    double g = 0.0;
    if (z2 != z1) {
        g = (e2 - e1) / (z2 - z1);
    } else if (e1 != e2) {
        // Two different strains at one depth describe no plane.
        if (N_out) *N_out = 0.0;
        if (M_out) *M_out = 0.0;
        return;
    }

    const int kind = law->law_kind;
    const double fc = law->fc;
    const double fct = law->fct;
    const bool tension = law->eps_t_limit > kTensionBranchMinStrain;

    if (g == 0.0) {
        const double sigma = Calc_Concrete_Stress(law, eps1);
        for (int i = 0; i < part_count; ++i)
            Add_Constant_Stress(sigma, width_at_zero[i], width_slope[i], part_top[i], part_bottom[i],
                                &N, &M);
        if (N_out) *N_out = N;
        if (M_out) *M_out = M;
        return;
    }

    const double eps0 = e1 - g * z1;  // strain at depth 0
    const double z0 = -eps0 / g;
    const double z_pk = (law->eps_peak - eps0) / g;
    const double z_tp = (law->eps_t_peak - eps0) / g;
    const double z_tl = (law->eps_t_limit - eps0) / g;

    for (int i = 0; i < part_count; ++i) {
        const double top = part_top[i];
        const double bottom = part_bottom[i];
        const double b0 = width_at_zero[i];
        const double b1 = width_slope[i];
        if (g > 0.0) {
            // Compression above z0, tension below it.
            if (tension) {
                const double za = std::max(z0, top);
                const double zb = std::min(z_tl, bottom);
                if (zb > za) {
                    const double rise_end = std::min(z_tp, zb);
                    if (rise_end > za)
                        Integrate_Concrete_Curve_Gauss(kind, &N, &M, b0, b1, za, rise_end, eps0, g,
                                                       -fct, law->eps_t_peak, 1.0);
                    const double flat_start = std::max(z_tp, za);
                    if (zb > flat_start) Add_Constant_Stress(fct, b0, b1, flat_start, zb, &N, &M);
                }
            }
            const double za = top;
            const double zb = std::min(z0, bottom);
            if (zb > za) {
                const double flat_end = std::min(z_pk, zb);
                if (flat_end > za) Add_Constant_Stress(-fc, b0, b1, za, flat_end, &N, &M);
                const double curve_start = std::max(z_pk, za);
                if (zb > curve_start)
                    Integrate_Concrete_Curve_Gauss(kind, &N, &M, b0, b1, curve_start, zb, eps0, g, fc,
                                                   law->eps_peak, law->exponent);
            }
        } else {
            // Tension above z0, compression below it.
            if (tension) {
                const double za = std::max(z_tl, top);
                const double zb = std::min(z0, bottom);
                if (zb > za) {
                    const double flat_end = std::min(z_tp, zb);
                    if (flat_end > za) Add_Constant_Stress(fct, b0, b1, za, flat_end, &N, &M);
                    const double rise_start = std::max(z_tp, za);
                    if (zb > rise_start)
                        Integrate_Concrete_Curve_Gauss(kind, &N, &M, b0, b1, rise_start, zb, eps0, g,
                                                       -fct, law->eps_t_peak, 1.0);
                }
            }
            const double za = std::max(z0, top);
            const double zb = bottom;
            if (zb > za) {
                const double curve_end = std::min(z_pk, zb);
                if (curve_end > za)
                    Integrate_Concrete_Curve_Gauss(kind, &N, &M, b0, b1, za, curve_end, eps0, g, fc,
                                                   law->eps_peak, law->exponent);
                const double flat_start = std::max(z_pk, za);
                if (zb > flat_start) Add_Constant_Stress(-fc, b0, b1, flat_start, zb, &N, &M);
            }
        }
    }
    if (N_out) *N_out = N;
    if (M_out) *M_out = M;
}

long section_force_integrations = 0;

int Integrate_Section_Forces(const Section_Record* s, const double* area, const double* depth,
                             int count, double eps_top, double eps_bottom, int flag, double* N_out,
                             double* M_out)
{
    ++section_force_integrations;
    if (!s) {
        if (N_out) *N_out = 0.0;
        if (M_out) *M_out = 0.0;
        return 1;
    }
    const double h = s->height;
    if (!area || !depth || count < 0) count = 0;

    double N_s = 0.0;
    double M_s = 0.0;
    Own_Layer_Forces(
        s, [&](double z) { return Strain_At_Depth(eps_top, eps_bottom, h, z); }, &N_s, &M_s);

    double N_c = 0.0;
    double M_c = 0.0;
    Section_Concrete_Forces(s, eps_top, 0.0, eps_bottom, h, &N_c, &M_c);

    if (layer_law_work.size() < static_cast<size_t>(count)) layer_law_work.resize(count);
    if (flag == 0 && count == 2) {
        const int upper = (depth[0] < depth[1]) ? 0 : 1;
        layer_law_work[upper] = s->steel_law[0];
        layer_law_work[1 - upper] = s->steel_law[1];
    } else {
        for (int i = 0; i < count; ++i) layer_law_work[i] = s->steel_law[2];
    }

    double N_a = 0.0;
    double M_a = 0.0;
    for (int i = 0; i < count; ++i) {
        const double z = depth[i];
        const double f =
            Calc_Steel_Stress(&layer_law_work[i], &s->concrete_law,
                              Strain_At_Depth(eps_top, eps_bottom, h, z)) *
            area[i];
        N_a += f;
        M_a += f * z;
    }

    const double N = N_s + N_c + N_a;
    const double M = M_s + M_c + M_a - N * s->reference_depth;
    if (N_out) *N_out = N;
    if (M_out) *M_out = M;
    return 1;
}

void Integrate_Design_Layer_Forces(const Section_Record* s, double area_upper, double area_lower,
                                   double eps_top, double eps_bottom, int flag, double* N_out,
                                   double* M_out)
{
    // The two design layers as two added layers: the same laws by depth and flag.
    double depth[2] = {0.0, 0.0};
    if (s) {
        depth[0] = s->upper_layer_depth;
        depth[1] = s->lower_layer_depth;
    }
    const double area[2] = {area_upper, area_lower};
    Integrate_Section_Forces(s, area, depth, 2, eps_top, eps_bottom, flag, N_out, M_out);
}

void Calc_Uniform_Layer_Area(const Section_Record* s, int count, const Steel_Law* laws,
                             const double* depths, double eps_top, double eps_bottom,
                             double N_target, double* sum_sigma, double* sum_sigma_lever,
                             double* sum_abs_lever, double* N_c, double* M_c, double* M, double* A)
{
    if (!s) return;
    Uniform_Layer_Area(s, count, laws, depths, eps_top, eps_bottom, N_target, sum_sigma,
                       sum_sigma_lever, sum_abs_lever, N_c, M_c, M, A);
}

double Calc_Uniform_Layer_Area_Work(double eps_top, double eps_bottom, double N_target,
                                    double* sum_sigma, double* sum_sigma_lever,
                                    double* sum_abs_lever, double* N_c, double* M_c, double* M,
                                    double* A)
{
    const int count = Clamp_Count(layer_law_table.count, kMaxDesignLayers);
    return Uniform_Layer_Area(&section_work_copy, count, layer_law_table.law, layer_law_table.depth,
                              eps_top, eps_bottom, N_target, sum_sigma, sum_sigma_lever,
                              sum_abs_lever, N_c, M_c, M, A);
}

double Calc_Layer_Areas_For_Plane_Of_Section(const Section_Record* s, double eps_upper,
                                             double eps_lower, double N_target, double M_target,
                                             double* N_c, double* M_c, double* A_upper,
                                             double* A_lower)
{
    if (!s) return 1e10;
    double a_u = 0.0;
    double a_l = 0.0;
    Layer_Areas_For_Plane(s, eps_upper, eps_lower, N_target, M_target, &a_u, &a_l, N_c, M_c);
    if (A_upper) *A_upper = a_u;
    if (A_lower) *A_lower = a_l;
    if (a_l == 0.0) return 1e10;
    return a_u / a_l;
}

void Calc_Layer_Areas_For_Plane(double eps_upper, double eps_lower, double N_target,
                                double M_target, double* A_upper, double* A_lower, double* N_c,
                                double* M_c)
{
    Layer_Areas_For_Plane(&section_work_copy, eps_upper, eps_lower, N_target, M_target, A_upper,
                          A_lower, N_c, M_c);
}

void Calc_Layer_Areas_For_Plane_Mirrored(double eps_upper, double eps_lower, double N_target,
                                         double M_target, double* A_upper, double* A_lower,
                                         double* N_c, double* M_c)
{
    Layer_Areas_For_Plane(&mirrored_section, eps_upper, eps_lower, N_target, M_target, A_upper,
                          A_lower, N_c, M_c);
}

void Write_Stress_Strain_Plot(FILE* report, double layout_a, double layout_b,
                              const Concrete_Law* concrete, const Steel_Law* steel,
                              const char* name, double eps_lower, double eps_upper)
{
    if (!report) return;

    double lo = -0.02;
    double hi = 0.02;
    if (concrete) {
        lo = concrete->eps_cu - concrete->eps_shift;
        hi = concrete->eps_t_limit - concrete->eps_shift;
    } else if (steel) {
        lo = -steel->eps_u_t;
        hi = steel->eps_u_t;
    }
    if (eps_lower > lo) lo = eps_lower;
    if (eps_upper < hi) hi = eps_upper;

    // Samples at lo + k * step; a range that is empty or reversed gives the one sample lo.
    // A range of absurd width (a law without limits) is cut to a sane number of samples.
    constexpr double kMaxSamples = 100000.0;
    const double range = hi - lo;
    const double step = range > 0.5 ? 0.005 : range * 0.01;
    int samples = 1;
    if (range > 0.0 && step > 0.0)
        samples = static_cast<int>(std::min(std::floor(range / step + 1e-9), kMaxSamples)) + 1;

    auto stress_at = [&](double eps) {
        if (concrete) return Calc_Concrete_Stress(concrete, eps);
        if (steel) return Calc_Steel_Stress(steel, nullptr, eps);
        return 0.0;
    };
    std::vector<double> strain(samples);
    std::vector<double> stress(samples);
    double s_min = 0.0;
    double s_max = 0.0;
    for (int k = 0; k < samples; ++k) {
        strain[k] = (k > 0 && k == samples - 1) ? hi : lo + k * step;
        stress[k] = stress_at(strain[k]);
        if (k == 0 || stress[k] < s_min) s_min = stress[k];
        if (k == 0 || stress[k] > s_max) s_max = stress[k];
    }
    s_min *= 0.001;  // kN/m² -> MN/m²
    s_max *= 0.001;

    std::fprintf(report, "#SHOWXYPLOT\n0 1 0\n Spannungsdehnungslinie %s\n", name ? name : "");
    std::fprintf(report, "0 %.2f %.2f %.2f\n%d %lf %lf\n", 2.0, layout_a, layout_b, samples,
                 lo * 1000.0, hi * 1000.0);
    for (int k = 0; k < samples; ++k) {
        std::fprintf(report, "-1 %lf", strain[k] * 1000.0);
        std::fprintf(report, " -1 %lf\n", strain[k] * 1000.0);
    }
    std::fprintf(report, "%d %d\n", 64, 1);
    // Axis labels: sigma in MN/m² (squared as a superscript), epsilon in per mille.
    std::fprintf(report, "0 2 2\n");
    std::fprintf(report, "\xCC [MN/m\xCE" "/" "2\xCE" "r]\n");
    std::fprintf(report, "\xBE [\x89]\n");
    std::fprintf(report, " min\xCC = %.1lf\n", s_min);
    std::fprintf(report, " max\xCC = %.1lf\n", s_max);
    std::fprintf(report, "%d %d %lf %lf\n", 61, 1, s_min, s_max);
    std::fprintf(report, "0 0 0\n0\n");
    for (int k = 0; k < samples; ++k) {
        std::fprintf(report, "%lf", strain[k] * 1000.0);
        std::fprintf(report, " %lf\n", stress[k] * 0.001);
    }
}
