// Stresses of the cracked section under a list of load cases, the fatigue design of the two
// reinforcement layers and the fatigue checks of the concrete and the shear links.
#include "section/fatigue_stresses.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "annex/nad_ec2.h"
#include "material/material_set.h"
#include "material/gross_section.h"
#include "section/section_checks.h"
#include "section/section_laws.h"
#include "section/section_record.h"
#include "section/strain_plane_solvers.h"

namespace {

// The extremes start from the largest single-precision value, the strain tests use its
// epsilon: the computation was tuned with these and keeps them.
constexpr double kFloatMax = 3.4028234663852886e+38;
constexpr double kFloatEpsilon = 1.1920928955078125e-7;
// A layer is raised when its range exceeds the permissible one by more than this ratio.
constexpr double kRangeExceeded = 1.0000001192092896;
// Above this ratio (1.1²) the first pass raises a layer by 1.1 at least.
constexpr double kFirstPassRatio = 1.2100000000000004;
// Below this share of the area the step is too small to count; the area then grows by 0.1 %.
constexpr double kLeastStepShare = 0.0009999999999998899;
constexpr int kMaxPasses = 1000;

// Forces, moments and areas below this count as none.
constexpr double kNone = 0.001;
// An area below this marks a failed design.
constexpr double kFailedArea = -0.1;
// Inside the design loop a failure is marked so first; every failure ends as -1.0.
constexpr double kLoopFailure = -2.0;

constexpr int kMaxBars = 64;
constexpr int kBarsOuterRing = 32;
constexpr int kMaxPoints = 2 * SECTION_MAX_PARTS;

// Bars or layers handed to the strain-plane solver: area [m²] and depth below the top
// edge [m]; extreme steel stresses of each [N/mm²]; extreme concrete stresses at the upper
// and lower edge of each outline part [N/mm², compression negative].
double fatigue_layer_areas[kMaxBars];
double fatigue_layer_depths[kMaxBars];
double fatigue_steel_max[kMaxBars];
double fatigue_steel_min[kMaxBars];
double fatigue_concrete_max[kMaxPoints];
double fatigue_concrete_min[kMaxPoints];
// The area [cm²] by which a layer is started or raised.
double fatigue_area_step = 0.1;

void Zero_Outputs(Fatigue_Stress_Input& in)
{
    in.steel_max_bottom = in.steel_max_top = in.steel_min_bottom = in.steel_min_top = 0.0;
    in.initial_max_bottom = in.initial_max_top = in.initial_min_bottom = in.initial_min_top = 0.0;
    in.concrete_lower = in.concrete_upper = 0.0;
    in.compression_lower_max = in.compression_upper_max = 0.0;
    in.concrete_utilisation = in.concrete_ratio = in.concrete_limit = 0.0;
    in.link_stress_max = in.link_stress_min = 0.0;
    in.strut_lower = in.strut_upper = 0.0;
    in.strut_capacity_lower = in.strut_capacity_upper = 0.0;
    in.strut_utilisation = in.strut_ratio = in.strut_limit = 0.0;
    in.no_equilibrium = 0;
    in.steel_yields = 0;
}

int Fail(Fatigue_Stress_Input& in)
{
    in.area_bottom = -1.0;
    in.area_top = -1.0;
    in.steel_max_bottom = in.steel_max_top = in.steel_min_bottom = in.steel_min_top = 0.0;
    return 1;
}

double Shear_Of(const Fatigue_Stress_Input& in, int k)
{
    return in.use_shear && in.shear_force != nullptr ? in.shear_force[k] : 0.0;
}

// All cases the same as their cyclic neighbour: no range anywhere.
bool All_Cases_Equal(const Fatigue_Stress_Input& in)
{
    const int n = in.case_count;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        if (std::fabs(in.normal_force[i] - in.normal_force[j]) > kNone) return false;
        if (std::fabs(in.moment[i] - in.moment[j]) > kNone) return false;
        if (std::fabs(Shear_Of(in, i) - Shear_Of(in, j)) > kNone) return false;
    }
    return true;
}

bool Any_Case_Loaded(const Fatigue_Stress_Input& in)
{
    for (int i = 0; i < in.case_count; ++i)
        if (std::fabs(in.normal_force[i]) > kNone || std::fabs(in.moment[i]) > kNone ||
            std::fabs(Shear_Of(in, i)) > kNone)
            return true;
    return false;
}

bool Is_Plain_Rectangle(int shape)
{
    return shape == FATIGUE_RECTANGLE_5 || shape == FATIGUE_RECTANGLE_NO_SHEAR || shape == FATIGUE_RECTANGLE_7;
}

// The bars or layers of the section and where their areas come from.
struct Bar_Layout {
    bool circle = false;
    int count = 0;
    int inner_bars = 0;   // circle: bars 0 .. inner_bars-1 form the inner ring
};

// Two layers: 0 the bottom layer, 1 the top layer.
void Layout_Layers(const Section_Record& s, Bar_Layout& layout)
{
    layout.circle = false;
    layout.count = 2;
    layout.inner_bars = 0;
    fatigue_layer_depths[0] = s.lower_layer_depth;
    fatigue_layer_depths[1] = s.upper_layer_depth;
}

// The circle's rings, laid out once from the areas given on entry: 32 outer bars always, an
// inner ring only in a ring section that has a top area not larger than the bottom area.
void Layout_Rings(Section_Record& s, const Fatigue_Stress_Input& in, Bar_Layout& layout)
{
    const double centre = s.reference_depth;
    const double Ro = s.ring_radius_outer;
    const double Ri = s.ring_radius_inner;
    int n = 0;
    if (in.top_flange_depth > 0.0 && in.area_top > 1e-5 && in.area_bottom > in.area_top - 0.001) {
        const double share = in.area_bottom > 0.0 ? 32.0 * in.area_top / in.area_bottom : 32.0;
        n = static_cast<int>(std::min(share, 32.0));
    }
    for (int i = 0; i < n; ++i)
        fatigue_layer_depths[i] = centre + Ri * std::sin(2.0 * M_PI * i / n);
    for (int j = 0; j < kBarsOuterRing; ++j)
        fatigue_layer_depths[n + j] = centre + Ro * std::sin(j * M_PI / 16.0);
    s.upper_layer_depth = centre - Ro;
    s.lower_layer_depth = centre + Ro;
    layout.circle = true;
    layout.inner_bars = n;
    layout.count = n + kBarsOuterRing;
}

void Fill_Areas(const Fatigue_Stress_Input& in, const Bar_Layout& layout)
{
    if (!layout.circle) {
        fatigue_layer_areas[0] = in.area_bottom * 0.0001;
        fatigue_layer_areas[1] = in.area_top * 0.0001;
        return;
    }
    const int n = layout.inner_bars;
    for (int i = 0; i < n; ++i) fatigue_layer_areas[i] = in.area_top / n * 0.0001;
    for (int j = 0; j < kBarsOuterRing; ++j) fatigue_layer_areas[n + j] = in.area_bottom / kBarsOuterRing * 0.0001;
}

void Fold(double value, double& max, double& min)
{
    if (value > max) max = value;
    if (value < min) min = value;
}

// Extremes of one layer for the range rules.
struct Layer_Extremes {
    double max = 0.0;
    double min = 0.0;
};

// The bar of a ring with the largest range stands for its layer (the first one on ties).
Layer_Extremes Governing_Bar(int first, int count)
{
    Layer_Extremes e;
    double best = -1.0;
    for (int k = first; k < first + count; ++k) {
        const double range = fatigue_steel_max[k] - fatigue_steel_min[k];
        if (range > best) {
            best = range;
            e.max = fatigue_steel_max[k];
            e.min = fatigue_steel_min[k];
        }
    }
    return e;
}

// An extreme at the design yield strength (either sign) is no elastic stress: the range
// between it and the other extreme is no longer the stress range of the bars.
bool Reaches_Yield(const Layer_Extremes& e, double fyd)
{
    return e.max >= fyd || e.min <= -fyd;
}

// Stresses beyond the design yield strength are taken at it.
void Clamp_To_Yield(Layer_Extremes& e, double fyd)
{
    e.max = std::clamp(e.max, -fyd, fyd);
    e.min = std::clamp(e.min, -fyd, fyd);
    if (e.max < e.min) e.max = e.min = 0.0;
}

// The new area of a layer whose stress range exceeds the permissible one r times.
double Raised_Area(double area, double r, bool first_pass, double gross_area)
{
    const double step = fatigue_area_step;
    if (area < kNone) return step;
    const double s = std::sqrt(r);
    const double q = step / area;
    const double g = q >= kLeastStepShare ? q + 1.0 : 1.001;
    if (g > s) return area * g;
    if (first_pass && r > kFirstPassRatio) return area * 1.1;
    if (r > 2.25 && area > 0.001 * gross_area) return area * 1.5;
    return area * s;
}

// Ratio of a stress range to the permissible one; without a permissible range any range
// exceeds it.
double Range_Ratio(double range, double permissible)
{
    if (range <= 0.0) return 0.0;
    if (permissible <= 0.0) return kFloatMax;
    return range / permissible;
}

// A layer at yield counts as a range exceeded by 1.1² at least: it grows by a tenth (or a
// step) per pass until its stresses are elastic, where the range rule takes over.
constexpr double kYieldRatio = 1.21;

double Yield_Or_Range_Ratio(bool yields, double range, double permissible)
{
    const double r = Range_Ratio(range, permissible);
    return yields ? std::max(r, kYieldRatio) : r;
}

struct Design_State {
    Fatigue_Stress_Input* in;
    Section_Record* section;
    Bar_Layout layout;
    double gross_area;      // [cm²]
    double gross_I;         // [cm⁴]
    double gross_c;         // [cm] depth of the centroid
    double gross_height;    // [cm]
    double fyd_bottom;      // [N/mm²] limits of the layer stresses
    double fyd_top;
    bool has_shift;         // the concrete law carries a strain shift
    int passes = 0;
};

int Solve_With_Areas(Design_State& st, double N, double M, double& eps_top, double& eps_bottom)
{
    Fill_Areas(*st.in, st.layout);
    return Solve_Strain_Plane_Hybrd(st.section, fatigue_layer_areas, fatigue_layer_depths, st.layout.count, N,
                                    M, 0, &eps_top, &eps_bottom);
}

// The steps of area that a failed plane asks for: more steel where it stretches the
// section. false when it stretches neither edge.
struct Area_Steps {
    double top = 0.0;       // added to area_top per step
    double bottom = 0.0;    // added to area_bottom per step
};

bool Steps_For_Plane(const Design_State& st, double eps_top, double eps_bottom, Area_Steps& steps)
{
    const double step = fatigue_area_step;
    steps = Area_Steps{};
    if (eps_top > kFloatEpsilon) {
        if (st.layout.circle) {
            steps.bottom = step;
        } else {
            steps.top = step;
            if (eps_bottom > kFloatEpsilon) steps.bottom = step;
        }
    } else if (eps_bottom > kFloatEpsilon) {
        steps.bottom = step;
    } else if (st.has_shift && eps_top == 0.0 && eps_bottom == 0.0) {
        steps.bottom = step;
        if (!st.layout.circle) steps.top = step;
    } else {
        return false;
    }
    // A layer that is not designed takes no steps: equilibrium must come from the other one.
    if (st.in->fixed_bottom) steps.bottom = 0.0;
    return steps.top > 0.0 || steps.bottom > 0.0;
}

// After a failed solve: the least number of steps, as the failed plane asks for them, at
// which the case has an equilibrium, found by bisection between none and the most steps
// that the pass limit and the gross area leave. The areas then hold those steps and the
// passes count them. false when even the most steps give no equilibrium: the case has
// none that added area can reach (a load beyond what the concrete can balance, or layers
// lying the wrong way round, so that the steps go to the compressed side). A failed solve
// costs as much as hundreds of successful ones; stepping there one step at a time would
// take minutes before the pass limit ends it.
bool Steps_To_Equilibrium(Design_State& st, double N, double M, const Area_Steps& steps)
{
    Fatigue_Stress_Input& in = *st.in;
    const double start_bottom = in.area_bottom, start_top = in.area_top;
    const double per_step = steps.top + steps.bottom;
    const int by_passes = kMaxPasses - st.passes - 1;
    const double room = st.gross_area - (start_bottom + start_top);
    const int by_area = room > 0.0 ? static_cast<int>(std::min(std::ceil(room / per_step) - 1.0, 1.0e9)) : 0;
    const int most = std::min(by_passes, by_area);
    const auto solved_with = [&](int k) {
        in.area_bottom = start_bottom + k * steps.bottom;
        in.area_top = start_top + k * steps.top;
        double t = 0.0, b = 0.0;
        return Solve_With_Areas(st, N, M, t, b) <= 0;
    };
    if (most < 1 || !solved_with(most)) {
        in.area_bottom = start_bottom;
        in.area_top = start_top;
        return false;
    }
    int failed = 0, solved = most;
    while (solved - failed > 1) {
        const int k = failed + (solved - failed) / 2;
        if (solved_with(k))
            solved = k;
        else
            failed = k;
    }
    in.area_bottom = start_bottom + solved * steps.bottom;
    in.area_top = start_top + solved * steps.top;
    st.passes += solved;
    return true;
}

// Solves one case, adding area where no equilibrium can be found. false: the design failed.
bool Solve_Case(Design_State& st, double N, double M, double& eps_top, double& eps_bottom)
{
    Fatigue_Stress_Input& in = *st.in;
    for (;;) {
        const int status = Solve_With_Areas(st, N, M, eps_top, eps_bottom);
        if (status > 0) {
            if (in.design_mode == 0) return false;
            Area_Steps steps;
            if (!Steps_For_Plane(st, eps_top, eps_bottom, steps) || !Steps_To_Equilibrium(st, N, M, steps)) {
                in.no_equilibrium = 1;
                return false;
            }
            continue;
        }
        // A shrinking section without any steel yet: a stretched edge needs a first area.
        if (in.design_mode != 0 && st.has_shift && in.area_bottom + in.area_top < kNone) {
            // Only a stretched edge asks for steel here, by the same steps as a failed plane.
            const bool stretched = eps_top > kFloatEpsilon || eps_bottom > kFloatEpsilon;
            Area_Steps steps;
            if (!stretched || !Steps_For_Plane(st, eps_top, eps_bottom, steps)) return true;
            in.area_top += steps.top;
            in.area_bottom += steps.bottom;
            if (in.area_bottom + in.area_top >= st.gross_area) return false;
            continue;
        }
        return true;
    }
}

// Steel stress [N/mm²] of bar k for the plane.
double Bar_Stress(const Design_State& st, int k, double eps_top, double eps_bottom)
{
    const Section_Record& s = *st.section;
    const double eps = eps_top + (eps_bottom - eps_top) * fatigue_layer_depths[k] / s.height;
    // The top layer takes the top steel's law, the bottom layer the bottom steel's; the
    // bars of a circle the copy of the bottom steel's.
    const Steel_Law* law = st.layout.circle ? &s.steel_law[2] : (k == 1 ? &s.steel_law[0] : &s.steel_law[1]);
    return Calc_Steel_Stress(law, &s.concrete_law, eps) * 0.001;
}

void Fold_Case_Stresses(const Design_State& st, double eps_top, double eps_bottom)
{
    const Section_Record& s = *st.section;
    for (int k = 0; k < st.layout.count; ++k)
        Fold(Bar_Stress(st, k, eps_top, eps_bottom), fatigue_steel_max[k], fatigue_steel_min[k]);
    const double shift = s.concrete_law.eps_shift;
    for (int i = 0; i < s.part_count; ++i) {
        const double z[2] = {s.part_top[i], s.part_bottom[i]};
        for (int e = 0; e < 2; ++e) {
            const double eps = Strain_At_Depth(eps_top, eps_bottom, s.height, z[e]);
            const double sigma = Calc_Concrete_Stress(&s.concrete_law, eps - shift) * 0.001;
            Fold(sigma, fatigue_concrete_max[2 * i + e], fatigue_concrete_min[2 * i + e]);
        }
    }
}

void Reset_Extremes(const Design_State& st)
{
    for (int k = 0; k < st.layout.count; ++k) {
        fatigue_steel_max[k] = -kFloatMax;
        fatigue_steel_min[k] = kFloatMax;
    }
    for (int p = 0; p < 2 * st.section->part_count; ++p) {
        fatigue_concrete_max[p] = -kFloatMax;
        fatigue_concrete_min[p] = kFloatMax;
    }
}

// Extreme stresses of the bottom and the top layer of this pass.
void Layer_Extremes_Of_Pass(const Design_State& st, Layer_Extremes& bottom, Layer_Extremes& top)
{
    const Fatigue_Stress_Input& in = *st.in;
    if (st.layout.circle) {
        const int n = st.layout.inner_bars;
        top = n > 0 && in.area_top > kNone ? Governing_Bar(0, n) : Layer_Extremes{};
        bottom = in.area_bottom > kNone ? Governing_Bar(n, kBarsOuterRing) : Layer_Extremes{};
    } else {
        bottom = {fatigue_steel_max[0], fatigue_steel_min[0]};
        top = {fatigue_steel_max[1], fatigue_steel_min[1]};
    }
}

// One pass over all cases. false: the design failed.
bool Run_Cases(Design_State& st)
{
    Fatigue_Stress_Input& in = *st.in;
    const Section_Record& s = *st.section;
    for (int k = 0; k < in.case_count; ++k) {
        const double N = in.normal_force[k];
        const double M = in.moment[k];
        if (std::fabs(N) < kNone && std::fabs(M) < kNone) {
            for (int b = 0; b < st.layout.count; ++b) Fold(0.0, fatigue_steel_max[b], fatigue_steel_min[b]);
            for (int p = 0; p < 2 * s.part_count; ++p) Fold(0.0, fatigue_concrete_max[p], fatigue_concrete_min[p]);
            continue;
        }
        // No steel yet: the gross section's edge stresses tell which edge needs a first area.
        if (in.area_bottom + in.area_top < kNone && !st.has_shift) {
            const double sigma_top = 10.0 * N / st.gross_area - 1000.0 * st.gross_c * M / st.gross_I;
            const double sigma_bottom =
                10.0 * N / st.gross_area + 1000.0 * (st.gross_height - st.gross_c) * M / st.gross_I;
            if (sigma_top > 0.0) {
                if (!st.layout.circle)
                    in.area_top = fatigue_area_step;
                else if (!in.fixed_bottom)
                    in.area_bottom = fatigue_area_step;
            }
            if (sigma_bottom > 0.0 && !in.fixed_bottom) in.area_bottom = fatigue_area_step;
        }
        double eps_top = 0.0, eps_bottom = 0.0;
        if (!Solve_Case(st, N, M, eps_top, eps_bottom)) return false;
        Fold_Case_Stresses(st, eps_top, eps_bottom);
    }
    return true;
}

// ---- Shear part: links and struts under the range of the shear force.

constexpr double kSqrtPi = 1.7724538509055159;
// Below this a link angle counts as not given (90 degrees).
constexpr double kLeastLinkAngle = 0.057295779513082325;

// The cap of the concrete rules of 6.8.7: 0.9 up to C50/60, 0.8 above (with a margin).
double Concrete_Rule_Cap(double fck)
{
    return fck < 54.9 ? 0.901 : 0.801;
}

// The section as the shear checks see it: the circle as an equivalent square, an inverted
// T-section turned so that its wide part is the flange.
void Fill_Shear_Section(const Fatigue_Stress_Input& in, Calc_Work_Record& r)
{
    r.shape = in.shape;
    r.width_1 = in.width;
    r.width_2 = in.top_flange_width;
    r.width_3 = in.bottom_flange_width;
    r.height = in.height;
    r.thickness_1 = in.top_flange_depth;
    r.thickness_2 = in.bottom_flange_depth;
    r.edge_top = in.top_cover;
    r.edge_bottom = in.bottom_cover;
    if (in.shape == FATIGUE_CIRCLE) {
        const double R = in.height;
        const double inner = in.top_flange_depth;
        const double side = R * kSqrtPi;
        r.width_1 = inner > 0.001 ? std::min(side, 2.0 * R - 2.0 * inner) : side;
        r.height = side;
        r.edge_top = r.edge_bottom = in.bottom_cover * kSqrtPi;
    } else if (in.shape == FATIGUE_T_SECTION && in.top_flange_width < in.width) {
        std::swap(r.width_1, r.width_2);
        r.thickness_1 = in.height - in.top_flange_depth;
        std::swap(r.edge_top, r.edge_bottom);
    }
    if (in.shape == FATIGUE_CIRCLE || Is_Plain_Rectangle(in.shape)) {
        r.shape = 0;
        r.width_2 = r.width_3 = 0.0;
        r.thickness_1 = r.thickness_2 = 0.0;
    }
}

// The annex's strength reduction ν of 6.2.2(6) for the struts, times η1.
double Strut_Reduction(const Material_Set& set, double fck)
{
    double nu = 0.75;
    if ((set.en1992_1_1 || set.en1992_2) && set.annex != nullptr) {
        const NAD_EC2_Params& a = *set.annex;
        const int form = set.en1992_2 ? a.bridge_nu_1_form : a.nu_v_form;
        nu = set.en1992_2 ? a.bridge_nu_1 : a.nu_v;
        // Form 1 is the final value; otherwise the value is a coefficient of (1 − fck/250).
        if (form != 1) nu *= 1.0 - 0.004 * fck;
    }
    return nu * set.concrete[0].eta1;
}

// Members without links: the shear range against VRd,c (EN 1992-1-1 6.8.7(4)).
void Check_Shear_Without_Links(Fatigue_Stress_Input& in, const std::vector<double>& VRd_c, double fck)
{
    if (!in.simplified_method) {
        in.strut_utilisation = in.strut_ratio = in.strut_limit = -1.0;
        in.strut_lower = in.strut_upper = in.strut_capacity_lower = in.strut_capacity_upper = 0.0;
        return;
    }
    int k_min = 0, k_max = 0;
    for (int k = 1; k < in.case_count; ++k) {
        if (in.shear_force[k] < in.shear_force[k_min]) k_min = k;
        if (in.shear_force[k] > in.shear_force[k_max]) k_max = k;
    }
    double V_a = in.shear_force[k_max], V_b = in.shear_force[k_min];
    double R_a = VRd_c[k_max], R_b = VRd_c[k_min];
    if (V_a - V_b < kNone || (R_a < kNone && R_b < kNone)) return;
    if (R_a < kNone) R_a = R_b;
    if (R_b < kNone) R_b = R_a;
    if (std::fabs(V_b) > std::fabs(V_a)) {
        std::swap(V_a, V_b);
        std::swap(R_a, R_b);
    }
    // V_a is the upper value, V_b the lower one.
    const double rho = V_b / V_a;
    const double lower = std::fabs(V_b) / R_b;
    const double ratio = std::fabs(V_a) / R_a;
    double limit = 0.0;
    bool fails = false;
    if (rho < 0.0) {
        limit = 0.5 - lower;
        fails = lower > 0.499;
    } else if (rho < 0.999) {
        limit = 0.5 + 0.45 * lower;
        fails = limit > Concrete_Rule_Cap(fck);
    }
    in.strut_lower = V_b;
    in.strut_upper = V_a;
    in.strut_capacity_lower = R_b;
    in.strut_capacity_upper = R_a;
    in.strut_limit = limit;
    in.strut_ratio = limit > 0.0 ? ratio : 0.0;
    if (fails)
        in.strut_utilisation = -1.0;
    else
        in.strut_utilisation = limit > 0.0 ? ratio / limit : 0.0;
}

// Members with links: the link stress range (design_steel, raising the links by
// design_mode) and the struts by the simplified rule with fcd,fat reduced by ν.
void Check_Links_And_Struts(Fatigue_Stress_Input& in, const Material_Set& set, const std::vector<double>& link_factor,
                            const std::vector<double>& VRd_max, double factor, double fck)
{
    const double nu_eta = Strut_Reduction(set, fck);
    const double fcd = set.concrete[0].fcd;
    double link_max = -kFloatMax, link_min = kFloatMax;
    double strut_max = -kFloatMax, strut_min = kFloatMax;
    bool strut_unknown = false;
    for (int k = 0; k < in.case_count; ++k) {
        const double V = std::fabs(in.shear_force[k]);
        double link = 0.0, strut = 0.0;
        if (V >= kNone) {
            if (link_factor[k] > 0.0)
                link = 1000.0 * V / (link_factor[k] * in.link_area);
            else
                in.link_area = -1.0;   // no strut angle: the links cannot be stressed
            if (VRd_max[k] > kNone)
                strut = V / VRd_max[k] * fcd * nu_eta;
            else
                strut_unknown = true;
        }
        Fold(link, link_max, link_min);
        Fold(strut, strut_max, strut_min);
    }
    if (in.link_area < kFailedArea) return;

    if (in.design_steel) {
        in.link_stress_max = factor * link_max;
        in.link_stress_min = factor * link_min;
        if (in.design_mode) {
            const double range = in.link_stress_max - in.link_stress_min;
            const double k = Range_Ratio(range, in.perm_link_range);
            if (k >= kFloatMax) {
                in.link_area = -1.0;
            } else if (k > 1.0) {
                in.link_area *= k;
                in.link_stress_max /= k;
                in.link_stress_min /= k;
            }
        }
    }
    if (in.check_concrete) {
        const double strength = nu_eta * in.fcd_fat;
        in.strut_lower = strut_min;
        in.strut_upper = strut_max;
        if (strut_unknown || !(strength > kNone)) {
            in.strut_utilisation = -1.0;
            return;
        }
        in.strut_ratio = strut_max / strength;
        in.strut_limit = 0.5 + 0.45 * strut_min / strength;
        in.strut_utilisation =
            in.strut_limit > Concrete_Rule_Cap(fck) ? -1.0 : in.strut_ratio / in.strut_limit;
    }
}

// The shear checks of every case on a private copy of the material set, then the link and
// strut rules.
void Run_Shear_Part(Fatigue_Stress_Input& in, double factor, double A, double I, double c, double fck)
{
    Material_Set set{};
    Clear_Material_Set(&set);
    Copy_Material_Set(in.material_set, &set);

    Calc_Work_Record base{};
    Fill_Shear_Section(in, base);
    base.x_ratio = 0.0;
    base.z_ratio = 0.0;
    base.extra_1 = A;
    base.extra_2 = I;
    base.level_3 = c;
    base.cover_long = in.cover_long;
    base.alpha = in.link_angle;
    base.material = &set;
    base.member_kind = in.shape == FATIGUE_RECTANGLE_5 || in.shape == FATIGUE_RECTANGLE_7 ? 2 : in.member_kind;
    base.steel_index = in.link_steel_index;
    base.check_min_shear_reinf = 0;
    base.check_option = 0;
    base.crack_depth_d = 1;
    base.apply_vmin = 1;
    base.interface_check = 0;
    base.roughness_class = 2;
    base.theta_fixed = in.theta_fixed;
    base.theta_given = in.strut_angle;

    const double alpha_deg = in.link_angle < kLeastLinkAngle ? 90.0 : in.link_angle;
    const double alpha = alpha_deg * M_PI / 180.0;
    const int n = in.case_count;
    std::vector<double> link_factor(n, 0.0), VRd_c(n, 0.0), VRd_max(n, 0.0);
    for (int k = 0; k < n; ++k) {
        Calc_Work_Record r = base;
        const double N = in.normal_force[k];
        const double M = in.moment[k];
        const double V = std::fabs(in.shear_force[k]);
        r.N = N;
        r.M = M;
        r.Vz = r.V = V;
        r.T = 0.0;
        if (M > kNone) {
            r.As_long = in.area_bottom;
            r.d = r.height - r.edge_bottom;
        } else if (M < -kNone) {
            r.As_long = in.area_top;
            r.d = r.height - r.edge_top;
        } else if (N > kNone) {
            in.moment[k] = 0.0;
            r.M = 0.0;
            r.As_long = in.area_bottom + in.area_top;
            r.d = r.height - r.edge_top - r.edge_bottom;
        } else {
            r.As_long = 0.0;
            r.d = r.height;
        }
        if (Run_Shear_Torsion_Checks(1, &r) & SECTION_CHECK_FAILED) in.link_area = -1.0;

        double t = std::tan(r.theta * M_PI / 180.0);
        if (t <= 1e-6)
            t = 0.0;
        else if (t < 1.0)
            t = std::sqrt(t);
        // Resistance lever of inclined links: (cot θ + cot α) sin α z.
        link_factor[k] = t > 0.0 ? (std::sin(alpha) / t + std::cos(alpha)) * r.z : 0.0;
        VRd_c[k] = r.VRd_c;
        VRd_max[k] = r.VRd_max;
    }

    if (in.link_area <= kNone) {
        if (in.check_concrete) Check_Shear_Without_Links(in, VRd_c, fck);
    } else {
        Check_Links_And_Struts(in, set, link_factor, VRd_max, factor, fck);
    }
    Free_Material_Set(&set);
}

// The design loop: passes over all cases, raising the layer areas until the ranges fit.
// false: the design failed.
bool Run_Design_Loop(Design_State& st, int full, double factor)
{
    Fatigue_Stress_Input& in = *st.in;
    for (bool first_pass = true;; first_pass = false) {
        Reset_Extremes(st);
        if (in.area_bottom + in.area_top >= st.gross_area) return false;
        if (!Run_Cases(st)) return false;

        Layer_Extremes bottom, top;
        Layer_Extremes_Of_Pass(st, bottom, top);
        // A bottom layer that is not designed and has no area has no bars to stress.
        if (in.fixed_bottom && in.area_bottom < kNone) bottom = Layer_Extremes{};
        const bool bottom_yields = Reaches_Yield(bottom, st.fyd_bottom);
        const bool top_yields = Reaches_Yield(top, st.fyd_top);
        Clamp_To_Yield(bottom, st.fyd_bottom);
        Clamp_To_Yield(top, st.fyd_top);

        if (first_pass) {
            const bool has_bottom = in.area_bottom >= kNone;
            const bool has_top = in.area_top >= kNone;
            in.initial_max_bottom = has_bottom ? factor * bottom.max : 0.0;
            in.initial_min_bottom = has_bottom ? factor * bottom.min : 0.0;
            in.initial_max_top = has_top ? factor * top.max : 0.0;
            in.initial_min_top = has_top ? factor * top.min : 0.0;
            for (int p = 0; p < 2 * st.section->part_count; ++p) {
                in.compression_lower_max = std::max(in.compression_lower_max, -std::min(fatigue_concrete_max[p], 0.0));
                in.compression_upper_max = std::max(in.compression_upper_max, -std::min(fatigue_concrete_min[p], 0.0));
            }
        }

        if (full && !in.design_steel) return true;

        in.steel_max_bottom = factor * bottom.max;
        in.steel_min_bottom = factor * bottom.min;
        in.steel_max_top = factor * top.max;
        in.steel_min_top = factor * top.min;
        in.steel_yields = bottom_yields || top_yields ? 1 : 0;
        if (in.design_mode == 0) return true;

        bool raised = false;
        const double r_bottom =
            Yield_Or_Range_Ratio(bottom_yields, factor * (bottom.max - bottom.min), in.perm_steel_range);
        if (!in.fixed_bottom && r_bottom > kRangeExceeded) {
            in.area_bottom = Raised_Area(in.area_bottom, r_bottom, first_pass, st.gross_area);
            raised = true;
        }
        const double r_top = Yield_Or_Range_Ratio(top_yields, factor * (top.max - top.min), in.perm_steel_range);
        if (r_top > kRangeExceeded) {
            in.area_top = Raised_Area(in.area_top, r_top, first_pass, st.gross_area);
            raised = true;
        }
        if (in.equal_layers && !in.fixed_bottom && !st.layout.circle && in.area_bottom > kFailedArea)
            in.area_bottom = in.area_top = std::max(in.area_bottom, in.area_top);

        if (in.design_mode == 2 || !raised) return true;
        if (++st.passes >= kMaxPasses) return false;
    }
}

// EN 1992-1-1 6.8.7: the concrete in compression at every point of the outline, on the
// extremes of the last pass.
void Check_Concrete(Fatigue_Stress_Input& in, int points, double fck)
{
    if (!(in.fcd_fat > kNone)) {
        // Without a fatigue strength no compression can be shown to be safe.
        in.concrete_utilisation = -1.0;
        return;
    }
    const double fcd_fat = in.fcd_fat;
    if (in.simplified_method) {
        const double cap = Concrete_Rule_Cap(fck);
        double governing = 0.0;
        for (int p = 0; p < points; ++p) {
            const double lower = -std::min(fatigue_concrete_max[p], 0.0);
            const double upper = -std::min(fatigue_concrete_min[p], 0.0);
            const double ratio = upper / fcd_fat;
            const double limit = 0.5 + 0.45 * lower / fcd_fat;
            if (limit > cap) {
                in.concrete_utilisation = -1.0;
                in.concrete_ratio = ratio;
                in.concrete_limit = limit;
                in.concrete_lower = lower;
                in.concrete_upper = upper;
                return;
            }
            if (ratio / limit > governing) {
                governing = ratio / limit;
                in.concrete_utilisation = governing;
                in.concrete_ratio = ratio;
                in.concrete_limit = limit;
                in.concrete_lower = lower;
                in.concrete_upper = upper;
            }
        }
    } else {
        double governing = 0.0;
        for (int p = 0; p < points; ++p) {
            const double lower = -std::min(fatigue_concrete_max[p], 0.0);
            const double upper = -std::min(fatigue_concrete_min[p], 0.0);
            const double R = upper <= kNone ? 1.0 : lower / upper;
            const double E = upper / fcd_fat + 0.42857142857142855 * std::sqrt(std::max(1.0 - R, 0.0));
            if (E > governing) {
                governing = E;
                in.concrete_utilisation = E;
                in.concrete_ratio = E;
                in.concrete_limit = 1.0;
                in.concrete_lower = lower;
                in.concrete_upper = upper;
            }
        }
    }
    if (in.concrete_utilisation > 1.0 && in.concrete_utilisation <= 1.001) in.concrete_utilisation = 1.0;
}

}  // namespace

void Clear_Fatigue_Work_Record(Fatigue_Stress_Input* input)
{
    if (input == nullptr) return;
    *input = Fatigue_Stress_Input{};
    input->design_mode = 1;
    input->link_angle = 90.0;
}

int Calc_Fatigue_Stresses(int full, Fatigue_Stress_Input* input)
{
    if (input == nullptr) return 1;
    Fatigue_Stress_Input& in = *input;
    Zero_Outputs(in);
    fatigue_area_step = in.shape == FATIGUE_CIRCLE ? 0.1 * 10.0 : 0.1;

    Material_Set* set = in.material_set;
    if (in.normal_force == nullptr || in.moment == nullptr || in.case_count < 2 || set == nullptr ||
        set->concrete == nullptr || set->n_concrete < 1 || set->steel == nullptr || set->n_steel < 2)
        return Fail(in);
    if (All_Cases_Equal(in)) return 0;
    if (full && !in.design_steel && !in.check_concrete) return 0;

    const double factor = in.simplified_method || set->annex == nullptr ? 1.0 : set->annex->gamma_F_fat;
    const double fck = set->concrete[0].fck;

    // Glass-fibre bars have no fatigue rules here.
    if (set->steel[0].steel_index == STEEL_GLASS_FIBRE || set->steel[1].steel_index == STEEL_GLASS_FIBRE)
        return Fail(in);

    Design_State st;
    st.in = &in;
    st.fyd_bottom = set->steel[0].fyd;
    st.fyd_top = Is_Plain_Rectangle(in.shape) ? set->steel[1].fyd : set->steel[0].fyd;
    const int setup_shape = Is_Plain_Rectangle(in.shape) ? SECTION_RECTANGLE : in.shape;

    auto section = std::make_unique<Section_Record>();
    st.section = section.get();
    Init_Section_Defaults(st.section);
    // The bars are stressed as they are: no displaced concrete is taken off their stress.
    const int displaced = set->stored_int_b;
    set->stored_int_b = 0;
    const int accepted = Setup_Section(st.section, setup_shape, in.height, in.width, in.top_flange_depth,
                                       in.top_flange_width, in.bottom_flange_depth, in.bottom_flange_width,
                                       in.top_cover, in.bottom_cover, -1.0, set);
    set->stored_int_b = displaced;
    if (!accepted) return Fail(in);

    st.has_shift = std::fabs(st.section->concrete_law.eps_shift) > kFloatEpsilon;
    if (!st.has_shift && !Any_Case_Loaded(in)) return 0;

    // The gross section: its centroid is the reference axis of the moments.
    double A = 0.0, I = 0.0, c = 0.0;
    switch (in.shape) {
    case FATIGUE_RECTANGLE:
    case FATIGUE_RECTANGLE_5:
    case FATIGUE_RECTANGLE_NO_SHEAR:
    case FATIGUE_RECTANGLE_7:
        Calc_Gross_Section_Properties(GROSS_RECTANGLE, in.height, in.width, 0.0, 0.0, 0.0, 0.0, &A, &I, &c,
                                      nullptr, nullptr);
        break;
    case FATIGUE_T_SECTION:
    case FATIGUE_I_SECTION:
        Calc_Gross_Section_Properties(in.shape, in.height, in.width, in.top_flange_depth, in.top_flange_width,
                                      in.bottom_flange_depth, in.bottom_flange_width, &A, &I, &c, nullptr,
                                      nullptr);
        break;
    case FATIGUE_CIRCLE:
        Calc_Gross_Section_Properties(GROSS_CIRCLE, in.height, 0.0, in.top_flange_depth, 0.0, 0.0, 0.0, &A, &I,
                                      &c, nullptr, nullptr);
        break;
    default:
        return Fail(in);
    }
    if (!(A > 0.0) || !(I > 0.0)) return Fail(in);
    st.gross_area = A;
    st.gross_I = I;
    st.gross_c = c;
    if (in.shape == FATIGUE_CIRCLE) {
        st.gross_height = 2.0 * in.height;
        Layout_Rings(*st.section, in, st.layout);
    } else {
        st.gross_height = in.height;
        st.section->reference_depth = c * 0.01;
        Layout_Layers(*st.section, st.layout);
    }

    if (!Run_Design_Loop(st, full, factor)) in.area_bottom = in.area_top = kLoopFailure;
    const int points = 2 * st.section->part_count;
    section.reset();

    if (full) {
        // A case without equilibrium left no stresses of its own: the concrete cannot be
        // shown to hold.
        if (in.check_concrete) {
            if (in.no_equilibrium)
                in.concrete_utilisation = -1.0;
            else
                Check_Concrete(in, points, fck);
        }
        if (in.use_shear && in.shear_force != nullptr && in.shape != FATIGUE_RECTANGLE_NO_SHEAR &&
            in.area_bottom >= -kNone && in.link_area >= -kNone)
            Run_Shear_Part(in, factor, A, I, c, fck);
        if (in.strut_utilisation > 1.0 && in.strut_utilisation <= 1.001) in.strut_utilisation = 1.0;
    }

    int result = 0;
    if (in.area_bottom < kFailedArea) result = Fail(in);
    if (in.link_area < kFailedArea) {
        in.link_stress_max = in.link_stress_min = 0.0;
        result = 1;
    }
    return result;
}
