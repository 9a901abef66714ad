#include "section/section_design.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/numeric.h"
#include "section/equal_area_design.h"
#include "section/failure_load_search.h"
#include "section/layer_area_design.h"
#include "section/section_laws.h"
#include "section/symmetric_domains.h"
#include "section/symmetric_pairs.h"

Section_Record section_work_copy;
Layer_Law_Table layer_law_table;
Section_Design_Result second_design_result;
int symmetric_design_route = 1;

namespace {

// Share of the inner ring of the last ring built (modes 2 and 3).
double last_ring_share = 0.0;

constexpr int kRingBuiltBit = 4;      // option bit: the ring layers are in the section
constexpr int kOuterRingBars = 32;

bool Is_Fixed_Factor(double gamma)
{
    return std::fabs(gamma) >= 1e-5;
}

// The eleven doubles from eps_top to ring_share, the layer count and the flags.
void Clear_Result(Section_Design_Result* r)
{
    r->eps_top = 0.0;
    r->eps_bottom = 0.0;
    r->eps_top_layer = 0.0;
    r->eps_bottom_layer = 0.0;
    r->x_concrete = 0.0;
    r->x_tension = 0.0;
    r->As_top = 0.0;
    r->As_bottom = 0.0;
    r->As_total = 0.0;
    r->gamma_used = 0.0;
    r->ring_share = 0.0;
    r->layer_count = 0;
    r->flags = 0;
}

// A failed design: no strains, no factor, -1.0 for the depths and the areas. The layer
// arrays keep what was put there.
void Failure_Fill(Section_Design_Result* r)
{
    r->eps_top = 0.0;
    r->eps_bottom = 0.0;
    r->eps_top_layer = 0.0;
    r->eps_bottom_layer = 0.0;
    r->x_concrete = -1.0;
    r->x_tension = -1.0;
    r->As_top = -1.0;
    r->As_bottom = -1.0;
    r->As_total = -1.0;
    r->gamma_used = 0.0;
}

// The factor the design must reach: the rule of DIN 1045 (1988) less 0.005, or the fixed
// factor less 0.005, so that a design that meets the factor up to rounding passes.
double Required_Safety(double gamma, double eps_s)
{
    if (Is_Fixed_Factor(gamma)) return gamma - 0.005;
    if (eps_s >= 0.003) return 1.745;
    if (eps_s < 0.0) return 2.095;
    return 1.745 + (0.003 - eps_s) * 116.66666666666666;
}

void Build_Two_Layer_Table(const Section_Record* s, int upper_law, int lower_law)
{
    layer_law_table.count = 2;
    layer_law_table.law[0] = s->steel_law[upper_law];
    layer_law_table.depth[0] = s->upper_layer_depth;
    layer_law_table.area[0] = 0.0;
    layer_law_table.law[1] = s->steel_law[lower_law];
    layer_law_table.depth[1] = s->lower_layer_depth;
    layer_law_table.area[1] = 0.0;
}

// Inner bars of a ring for the fraction f of 32 (modes 3 only), at most 32.
int Inner_Ring_Bars(int mode, double f)
{
    if (mode != 3 || !(f > 0.0)) return 0;
    const double n = std::floor(f * kOuterRingBars + 0.5);
    return static_cast<int>(std::min(n, static_cast<double>(kOuterRingBars)));
}

// The layer table of a ring: n inner bars of `steel_law[0]` first, then the 32 outer bars
// of `steel_law[1]`. With `into_section` the ring is built into the section (radii in
// order, design-layer depths at the outer ring, ring bit set) and its share remembered.
void Build_Ring(Section_Record* s, int mode, bool into_section)
{
    if (into_section && s->ring_radius_outer < s->ring_radius_inner)
        std::swap(s->ring_radius_outer, s->ring_radius_inner);
    const int n = Inner_Ring_Bars(mode, s->design_param[3]);
    const double z0 = s->reference_depth;
    const double two_pi = 2.0 * std::numbers::pi;
    int k = 0;
    for (int i = 0; i < n; ++i, ++k) {
        layer_law_table.law[k] = s->steel_law[0];
        layer_law_table.depth[k] = z0 + s->ring_radius_inner * std::sin(i * two_pi / n);
        layer_law_table.area[k] = 0.0;
    }
    for (int i = 0; i < kOuterRingBars; ++i, ++k) {
        layer_law_table.law[k] = s->steel_law[1];
        layer_law_table.depth[k] = z0 + s->ring_radius_outer * std::sin(i * two_pi / kOuterRingBars);
        layer_law_table.area[k] = 0.0;
    }
    layer_law_table.count = k;
    if (into_section) {
        last_ring_share = n * 0.03125;
        s->upper_layer_depth = z0 - s->ring_radius_outer;
        s->lower_layer_depth = z0 + s->ring_radius_outer;
        s->option_bits |= kRingBuiltBit;
    }
}

void Copy_Into_Work(const Section_Record* s)
{
    if (s != &section_work_copy) section_work_copy = *s;
}

// Depth of the concrete compression resultant of the result's plane: the concrete alone,
// without its tension branch.
double Concrete_Resultant_Depth(const Section_Design_Result* r)
{
    const Section_Record& w = section_work_copy;
    Concrete_Law law = w.concrete_law;
    law.fct = 0.0;
    law.eps_t_limit = 0.0;
    law.eps_t_peak = 0.0;
    double Fc = 0.0, Mc = 0.0;
    Integrate_Concrete_Forces(&law, w.part_count, w.part_top, w.part_bottom, w.width_slope,
                              w.width_at_zero, r->eps_top, 0.0, r->eps_bottom, w.height, &Fc, &Mc);
    return (std::fabs(Fc) < 1e-5) ? 0.0 : Mc / Fc;
}

enum class Finish_Kind { whole, last_integration };

// The finish of every successful design: minimum reinforcement, the depth of the tensile
// steel resultant and the depth of the concrete resultant. `ring` spreads As_total over
// all layers of the table; otherwise the two design layers carry As_top and As_bottom.
int Finish_Design(double N, double M, double gamma, int mode, bool ring,
                  Section_Design_Result* r, int status, Finish_Kind kind)
{
    Layer_Law_Table& t = layer_law_table;
    if (kind == Finish_Kind::whole) {
        const Section_Record& w = section_work_copy;
        const double x = Concrete_Resultant_Depth(r);
        if (ring) {
            for (int i = 0; i < t.count; ++i) t.area[i] = r->As_total / t.count;
        } else {
            t.area[0] = r->As_top;
            t.area[1] = r->As_bottom;
        }
        if (Round_To_Decimals(x, 5) > 0.0 && Round_To_Decimals(w.design_param[0], 6) > 0.0
            && (std::fabs(N) >= 1e-5 || std::fabs(M) >= 1e-5)) {
            const int rc = Apply_Minimum_Reinforcement(&section_work_copy, t.area, t.depth, 0, 1,
                                                       t.count, N, M, mode, gamma, r);
            if (ring) {
                double sum = 0.0;
                for (int i = 0; i < t.count; ++i) sum += t.area[i];
                r->As_total = sum;
            } else {
                r->As_top = t.area[0];
                r->As_bottom = t.area[1];
                r->As_total = t.area[0] + t.area[1];
            }
            if (rc != 0) status = -4;
        }
        // Resultant of the tensile steel forces of the design layers.
        double sum_F = 0.0, sum_Fz = 0.0;
        for (int i = 0; i < t.count; ++i) {
            const double eps = Strain_At_Depth(r->eps_top, r->eps_bottom, w.height, t.depth[i]);
            const double F = t.area[i] * Calc_Steel_Stress(&t.law[i], &w.concrete_law, eps);
            if (F > 0.0) {
                sum_F += F;
                sum_Fz += F * t.depth[i];
            }
        }
        // The polygon of a circular outline lies outside the true circle by the excess;
        // other outlines have no excess, whatever a circular set-up left behind.
        const double excess = (w.design_param[2] == -1.0) ? circle_radius_excess : 0.0;
        r->x_tension = (std::fabs(sum_F) >= 1e-10) ? sum_Fz / sum_F - excess : -1.0;
    }
    r->x_concrete = Concrete_Resultant_Depth(r);
    return status;
}

void Set_Own_Layers(Section_Design_Result* r, int count, const double* area, const double* depth,
                    bool dropped)
{
    r->layer_count = count;
    for (int i = 0; i < count; ++i) {
        r->layer_As[i] = dropped ? 0.0 : area[i];
        r->layer_z[i] = depth[i];
    }
}

// Mode 0: the two design layers with their own laws (block 0 upper, block 1 lower).
int Design_Two_Layers(double N, double M, double gamma, int mode, Section_Design_Result* r)
{
    // The section's own layers as the caller gave them (the work copy drops them below).
    const int own_count = std::clamp(section_work_copy.layer_count, 0, SECTION_MAX_LAYERS);
    double own_area[SECTION_MAX_LAYERS];
    double own_depth[SECTION_MAX_LAYERS];
    for (int i = 0; i < own_count; ++i) {
        own_area[i] = section_work_copy.layer_area[i];
        own_depth[i] = section_work_copy.layer_depth[i];
    }
    const bool own = own_count > 0;

    enum class Next { fill, without_own, finish, last_integration };
    Next next;
    int status;
    int s = Design_Layer_Areas(r, N, M, gamma);
    if (s > 0) {
        status = s;
        next = own ? Next::without_own : Next::fill;
    } else if (r->As_top >= -1e-6 && r->As_bottom >= -1e-6) {
        status = 0;
        next = own ? Next::without_own : Next::finish;
    } else {
        // One area is negative: redesign at the factor the section reaches with the
        // difference of the two areas in the larger layer.
        double area[2];
        const double depth[2] = {section_work_copy.upper_layer_depth,
                                 section_work_copy.lower_layer_depth};
        if (r->As_bottom <= r->As_top) {
            area[0] = r->As_top - r->As_bottom;
            area[1] = 0.0;
        } else {
            area[0] = 0.0;
            area[1] = r->As_bottom - r->As_top;
        }
        double lambda = 0.0, eps_t = 0.0, eps_b = 0.0;
        Find_Strain_Plane_For_Forces(&section_work_copy, area, depth, 2, N, M, mode, &lambda,
                                     &eps_t, &eps_b);
        s = (r->gamma_used <= lambda) ? Design_Layer_Areas(r, N, M, lambda) : 0;
        const bool acceptable =
            (std::fabs(r->As_top) <= 1e-6 && r->As_bottom >= -1e-6)
            || (r->As_top > 1e-6 && std::fabs(r->As_bottom) <= 1e-6);
        if (!acceptable && s == 0) {
            Failure_Fill(r);
            return 1;
        }
        if (Required_Safety(gamma, r->eps_bottom_layer) > r->gamma_used) {
            status = 3;
            next = own ? Next::without_own : Next::last_integration;
        } else {
            status = s;
            next = own ? Next::without_own : (s > 0 ? Next::fill : Next::finish);
        }
    }

    if (next == Next::without_own) {
        // Second attempt without the section's own layers.
        section_work_copy.layer_count = 0;
        second_design_result = Section_Design_Result{};
        const int s2 = Design_Layer_Areas(&second_design_result, N, M, gamma);
        if (s2 > 0) {
            Set_Own_Layers(r, own_count, own_area, own_depth, false);
            next = (status == 3) ? Next::last_integration
                                 : (status > 0 ? Next::fill : Next::finish);
        } else if (status > 0 || second_design_result.As_total < r->As_total) {
            status = (status > 0) ? -3 : 0;
            *r = second_design_result;
            Set_Own_Layers(r, own_count, own_area, own_depth, true);
            next = Next::finish;
        } else {
            Set_Own_Layers(r, own_count, own_area, own_depth, false);
            next = Next::finish;
        }
    }

    switch (next) {
    case Next::fill:
        Failure_Fill(r);
        return status;
    case Next::last_integration:
        return Finish_Design(N, M, gamma, mode, false, r, status, Finish_Kind::last_integration);
    default:
        return Finish_Design(N, M, gamma, mode, false, r, status, Finish_Kind::whole);
    }
}

// The mode-0 design that answers mode 1 when its own designs gave no exact answer: a copy
// of the work copy, without minimum reinforcement. s is the status of the mode-1 design
// that failed (negative: an approximate answer is in the result).
int Symmetric_Mode_0_Fallback(double N, double M, double gamma, int mode, int s,
                              Section_Design_Result* r)
{
    const Section_Design_Result kept = *r;
    Section_Record copy = section_work_copy;
    copy.design_param[0] = 0.0;
    const int s0 = Design_Section(&copy, N, M, gamma, 0, r);
    r->As_total = r->As_top + r->As_bottom;
    r->flags = 2;
    int status;
    if (s < 0 && r->As_total > kept.As_total) {
        *r = kept;
        status = s;
    } else if (s0 <= 0) {
        status = -1;
    } else {
        status = s0;
        if (s0 != 3) {
            Failure_Fill(r);
            return status;
        }
    }
    return Finish_Design(N, M, gamma, mode, false, r, status, Finish_Kind::whole);
}

// Mode 1: symmetric reinforcement, both design layers with `steel_law[2]`.
int Design_Symmetric(double N, double M, double gamma, Section_Design_Result* r)
{
    const int mode = 1;
    if (symmetric_design_route == 0) {
        const Section_Record& w = section_work_copy;
        if (std::fabs(N) < 0.0001 * std::fabs(M) || (N < 0.0 && std::fabs(M / N) > w.height)) {
            Section_Record copy = w;
            copy.design_param[0] = 0.0;
            const int s0 = Design_Section(&copy, N, M, gamma, 0, r);
            r->As_total = r->As_top + r->As_bottom;
            r->flags = 2;
            if (s0 <= 0) return Finish_Design(N, M, gamma, mode, false, r, -1, Finish_Kind::whole);
            if (s0 != 3) Failure_Fill(r);
            return s0;
        }
        const int s = Design_Symmetric_Layer_Pair(r, N, M, gamma);
        if (s == 0) return Finish_Design(N, M, gamma, mode, false, r, 0, Finish_Kind::whole);
        return Symmetric_Mode_0_Fallback(N, M, gamma, mode, s, r);
    }

    int s = Design_Symmetric_Two_Layers(r, N, M, gamma);
    if (s == 0) return Finish_Design(N, M, gamma, mode, false, r, 0, Finish_Kind::whole);

    // Equal layers for slightly smaller and slightly larger forces, averaged.
    if (Design_Equal_Layers_Averaged(r, N, M, gamma) == 0)
        return Finish_Design(N, M, gamma, mode, false, r, 0, Finish_Kind::whole);

    s = Design_Symmetric_Section(2, r, N, M, gamma);
    if (s == 0) return Finish_Design(N, M, gamma, mode, false, r, 0, Finish_Kind::whole);
    return Symmetric_Mode_0_Fallback(N, M, gamma, mode, s, r);
}

// Modes 2 and 3: a ring of 32 bars, in mode 3 with an inner ring whose share grows until
// the outer ring stays within the area limit design_param[2].
int Design_Ring(Section_Record* section, double N, double M, double gamma, int mode,
                Section_Design_Result* r)
{
    for (;;) {
        Build_Ring(section, mode, (section->option_bits & kRingBuiltBit) == 0);
        Copy_Into_Work(section);
        section_work_copy.layer_count = 0;
        r->ring_share = last_ring_share;
        const int s = Design_Equal_Layers(layer_law_table.count, r, N, M, gamma);

        const double share = r->ring_share;
        const double outer =
            (share == 0.0) ? r->As_total : r->As_total - r->As_total / (1.0 / share + 1.0);
        const double f = section->design_param[3];
        const double limit = section->design_param[2];
        if (mode == 3 && limit > 0.0 && f <= 1.0 && outer > limit) {
            const double grown = std::max((r->As_total - limit) / limit, f + 0.005);
            section->design_param[3] = grown;
            section->option_bits &= ~kRingBuiltBit;
            if (grown > 1.0) {
                Failure_Fill(r);
                return 2;
            }
            continue;
        }
        r->As_top = 0.0;
        r->As_bottom = 0.0;
        if (s > 0) {
            Failure_Fill(r);
            return s;
        }
        return Finish_Design(N, M, gamma, mode, true, r, 0, Finish_Kind::whole);
    }
}

}  // namespace

int Apply_Minimum_Reinforcement(Section_Record* section, double* areas, const double* depths,
                                int first, int second, int count, double N, double M, int mode,
                                double gamma, Section_Design_Result* result)
{
    if (section == nullptr || count < 1 || areas == nullptr || depths == nullptr) return 0;
    count = std::min(count, kMaxDesignLayers);
    const double rho_min = 0.01 * section->design_param[0];
    double A_c = 0.0;
    const int parts = std::clamp(section->part_count, 0, SECTION_MAX_PARTS);
    for (int i = 0; i < parts; ++i)
        A_c += 0.5 * (section->width_top[i] + section->width_bottom[i])
               * (section->part_bottom[i] - section->part_top[i]);
    double A_added = 0.0;
    for (int i = 0; i < count; ++i) A_added += areas[i];
    double A_own = 0.0;
    const int own = std::clamp(section->layer_count, 0, SECTION_MAX_LAYERS);
    for (int i = 0; i < own; ++i) A_own += section->layer_area[i];
    // Without a concrete area there is no ratio to meet.
    if (!(A_c > 0.0) || (A_added + A_own) / A_c >= rho_min) return 0;

    double share[kMaxDesignLayers];
    if (std::fabs(A_added) < 1e-5) {
        const bool symmetric = (mode >= 1 && mode <= 3) || M == 0.0;
        for (int i = 0; i < count; ++i) share[i] = symmetric ? 1.0 / count : 0.0;
        if (!symmetric) {
            const int layer = (M > 0.0) ? second : first;
            if (layer >= 0 && layer < count) share[layer] = 1.0;
        }
    } else {
        for (int i = 0; i < count; ++i) share[i] = areas[i] / A_added;
    }

    // Failure state with the minimum areas, and the factor the design requires there.
    double trial[kMaxDesignLayers];
    for (int i = 0; i < count; ++i) trial[i] = share[i] * (rho_min * A_c - A_own);
    double lambda = 0.0, eps_t = 0.0, eps_b = 0.0;
    const int found = Find_Strain_Plane_For_Forces(section, trial, depths, count, N, M, mode,
                                                   &lambda, &eps_t, &eps_b);
    double factor = gamma;
    if (!Is_Fixed_Factor(gamma)) {
        const double z = (M >= 0.0) ? section->lower_layer_depth : section->upper_layer_depth;
        const double eps_s = Strain_At_Depth(eps_t, eps_b, section->height, z);
        factor = Layer_Design_Safety_Factor(eps_s, gamma);
    }
    const bool failed = found > 0 || std::fabs(lambda) < 1e-5;
    const double rho_req = failed ? 0.0 : rho_min * factor / lambda;
    const double required = rho_req * A_c - A_own;
    if (required <= A_added) return failed ? 1 : 0;

    for (int i = 0; i < count; ++i) areas[i] = share[i] * required;
    if (failed) return 1;
    const int s = Find_Strain_Plane_For_Forces(section, areas, depths, count, N, M, mode, &lambda,
                                               &eps_t, &eps_b);
    if (result != nullptr) {
        result->gamma_used = lambda;
        result->eps_top = eps_t;
        result->eps_bottom = eps_b;
        result->eps_top_layer =
            Strain_At_Depth(eps_t, eps_b, section->height, section->upper_layer_depth);
        result->eps_bottom_layer =
            Strain_At_Depth(eps_t, eps_b, section->height, section->lower_layer_depth);
        result->flags |= 1;
    }
    return s;
}

int Design_Section(Section_Record* section, double N, double M, double gamma, int mode,
                   Section_Design_Result* result)
{
    if (result == nullptr) return 1;
    Clear_Result(result);
    if (section == nullptr) {
        Failure_Fill(result);
        return 1;
    }
    switch (mode) {
    case 1:
        Build_Two_Layer_Table(section, 2, 2);
        Copy_Into_Work(section);
        section_work_copy.layer_count = 0;
        return Design_Symmetric(N, M, gamma, result);
    case 2:
    case 3:
        return Design_Ring(section, N, M, gamma, mode, result);
    default:
        Build_Two_Layer_Table(section, 0, 1);
        Copy_Into_Work(section);
        return Design_Two_Layers(N, M, gamma, mode, result);
    }
}
