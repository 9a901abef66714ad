#include "section/layer_design.h"

#include <algorithm>
#include <cmath>

#include "base/numeric.h"
#include "section/section_laws.h"

namespace {

constexpr double kPerMille = 0.001;
constexpr double kTinyStress = 1e-5;
constexpr int kSecantSteps = 10000;
constexpr int kCoupleRounds = 10002;

// A strain line (per mille) through two points. Where the two depths coincide, a strain
// that cannot be interpolated is +-1e100 by the sign of the depth (as in the force
// integration of the section analysis).
struct Strain_Line {
    double z1, eps1, z2, eps2;

    double at(double z) const {
        if (z1 == z2) {
            if (eps1 == eps2) return eps1;
            return z >= 0 ? 1e100 : -1e100;
        }
        const double slope = (eps1 - eps2) / (z1 - z2);
        return eps1 + slope * (z - z1);
    }
};

int Group_Count(const Layer_Group* group) {
    if (group == nullptr) return 0;
    return std::clamp(group->layer_count, 0, kLayerGroupMax);
}

// The walk of both integrators: fixed layers first, then the group's layers in order until
// the required force is placed, a rest at the last layer's depth.
double Integrate_Along_Line(const Layer_Group* group, const Concrete_Law* concrete,
                            const Steel_Law* steel, double F0, const Strain_Line& line,
                            double* area, int m, const double* fixed_areas,
                            const double* fixed_depths) {
    double force = 0.0;
    double moment = 0.0;
    double last_sigma = 0.0;
    if (m > 0 && fixed_areas != nullptr && fixed_depths != nullptr) {
        for (int k = 0; k < m; ++k) {
            const double z = fixed_depths[k];
            const double sigma = Calc_Steel_Stress(steel, concrete, line.at(z) * kPerMille);
            force += fixed_areas[k] * sigma;
            moment += fixed_areas[k] * sigma * z;
            last_sigma = sigma;
        }
    }

    double rest = -(F0 + force);
    const int n = Group_Count(group);
    for (int i = 0; i < n; ++i) {
        const double z = group->depth[i];
        const double sigma = Calc_Steel_Stress(steel, concrete, line.at(z) * kPerMille);
        last_sigma = sigma;
        const double capacity = group->max_area[i] * sigma;
        if (capacity >= rest) {
            if (area != nullptr && std::fabs(sigma) >= kTinyStress) *area += rest / sigma;
            return z * rest + moment;
        }
        moment += z * capacity;
        if (area != nullptr && std::fabs(sigma) >= kTinyStress) *area += capacity / sigma;
        rest -= capacity;
    }

    // Every layer is full: the rest stands at the last layer's depth.
    const double z_last = n > 0 ? group->depth[n - 1]
                                : (group != nullptr ? group->default_depth : 0.0);
    if (area != nullptr && std::fabs(last_sigma) >= kTinyStress) *area += rest / last_sigma;
    return z_last * rest + moment;
}

// One side of the design: which group is in tension, and where the compressed edge is.
// `sign` turns the moments about the top edge into moments of the design's own sense
// (+1: compressed top edge, tension group below; -1: the section turned upside down), so
// that in both cases a larger value means more resistance.
struct Design_Side {
    const Layer_Design_Outline* outline;
    const Layer_Group* tension;
    const Layer_Group* other;
    const Steel_Law* law;
    const Concrete_Law* concrete;
    bool mirrored;
    double sign;
    double edge_depth;      // depth of the compressed edge
    double steel_depth;     // depth of the tension reference layer
    int m;
    const double* fixed_areas;
    const double* fixed_depths;
    double Nf;              // factored normal force
};

struct Plane_Forces {
    double moment;          // steel + concrete about the top edge, times `sign`
    double area;            // area of the tension group that balances N
    double lever;           // |Mc / Nc| (depth of the concrete resultant), 0 without concrete force
};

Strain_Line Side_Line(const Design_Side& side, double eps_edge, double eps_steel) {
    return Strain_Line{side.edge_depth, eps_edge, side.steel_depth, eps_steel};
}

Plane_Forces Evaluate_Plane(const Design_Side& side, double eps_edge, double eps_steel) {
    const Layer_Design_Outline* o = side.outline;
    const int parts = std::clamp(o->part_count, 0, kLayerOutlineMax);
    double Nc = 0.0, Mc = 0.0;
    if (!side.mirrored) {
        Integrate_Concrete_Forces(side.concrete, parts, o->part_top, o->part_bottom,
                                  o->width_slope, o->width_at_zero, eps_edge * kPerMille, 0.0,
                                  eps_steel * kPerMille, side.steel_depth, &Nc, &Mc);
    } else {
        Integrate_Concrete_Forces(side.concrete, parts, o->part_top, o->part_bottom,
                                  o->width_slope, o->width_at_zero, eps_steel * kPerMille,
                                  side.steel_depth, eps_edge * kPerMille, side.edge_depth, &Nc,
                                  &Mc);
    }
    Plane_Forces out{};
    double Ms;
    if (!side.mirrored) {
        Ms = Integrate_Layer_Forces(side.tension, side.concrete, side.law, Nc - side.Nf,
                                    eps_edge, eps_steel, side.steel_depth, &out.area, side.m,
                                    side.fixed_areas, side.fixed_depths);
    } else {
        Ms = Integrate_Layer_Forces_Line(side.tension, side.concrete, side.law, Nc - side.Nf,
                                         eps_edge, eps_steel, side.edge_depth,
                                         side.steel_depth, &out.area, side.m, side.fixed_areas,
                                         side.fixed_depths);
    }
    out.moment = side.sign * (Ms + Mc);
    out.lever = std::fabs(Nc) < 1e-5 ? 0.0 : std::fabs(Mc / Nc);
    return out;
}

enum class Secant_Variable { edge_strain, steel_strain };

// Regula falsi on one strain of the plane between x_a and x_b (moments M_a, M_b known)
// for the target T. Success when |T - M| < tol; gives up when the bracket's moments
// coincide, the step runs away or the step budget is spent.
bool Secant_Search(const Design_Side& side, Secant_Variable variable, double fixed_strain,
                   double x_a, double M_a, double x_b, double M_b, double T, double tol,
                   double* x_found, Plane_Forces* found) {
    double x_lo = x_a, M_lo = M_a, x_hi = x_b, M_hi = M_b;
    for (int step = 0; step < kSecantSteps; ++step) {
        if (std::fabs(M_hi - M_lo) < 1e-15) return false;
        const double x = (x_hi - x_lo) * (T - M_lo) / (M_hi - M_lo) + x_lo;
        if (!(std::fabs(x) <= 5e99)) return false;  // also catches a NaN step
        const Plane_Forces f = variable == Secant_Variable::edge_strain
                                   ? Evaluate_Plane(side, x, fixed_strain)
                                   : Evaluate_Plane(side, fixed_strain, x);
        if (std::fabs(T - f.moment) < tol) {
            *x_found = x;
            *found = f;
            return true;
        }
        // Replace the end whose moment lies on the same side of the target.
        if ((f.moment - T > 0) == (M_hi - T > 0)) {
            x_hi = x;
            M_hi = f.moment;
        } else {
            x_lo = x;
            M_lo = f.moment;
        }
    }
    return false;
}

double Grown_Tolerance(double tol, double T, double Mt) {
    const double wanted = 0.0001 * std::fabs(T - Mt);
    if (wanted > tol) return std::min(1000.0 * tol, wanted);
    return tol;
}

// Fills the group's layers in order, each up to its largest area; the part of the area
// that no layer can take is returned (0 when everything fits). Negative areas (the plane
// needs compression from the tension group) go to the first layer.
double Distribute_Area(const Layer_Group* group, double area, double* slots) {
    const int n = Group_Count(group);
    double remaining = area;
    for (int i = 0; i < n && remaining != 0.0; ++i) {
        const double take = std::min(remaining, group->max_area[i]);
        slots[i] += take;
        remaining -= take;
    }
    return remaining > 0.0 ? remaining : 0.0;
}

enum class Pass_Outcome { designed, designed_with_couple, failed, failed_final };

// One pass on one side. Writes strains, lever and areas into result on success.
Pass_Outcome Design_One_Side(const Design_Side& side, const double* limits, double T,
                             double* result) {
    const double eps_cu = limits[LIMIT_EPS_CU];
    const double eps_su = limits[LIMIT_EPS_SU];
    const double eps_yd = limits[LIMIT_EPS_YD];
    double* tension_slots =
        result + (side.mirrored ? LAYER_RESULT_SECOND_AREAS : LAYER_RESULT_FIRST_AREAS);
    double* other_slots =
        result + (side.mirrored ? LAYER_RESULT_FIRST_AREAS : LAYER_RESULT_SECOND_AREAS);
    double tol = 0.001;

    // Concrete at its ultimate strain, steel at its limit strain.
    const Plane_Forces limit_plane = Evaluate_Plane(side, eps_cu, eps_su);
    const double Mt = limit_plane.moment;

    auto finish = [&](double eps_edge, double eps_steel, const Plane_Forces& f) {
        result[LAYER_RESULT_EPS_EDGE] = eps_edge;
        result[LAYER_RESULT_EPS_STEEL] = eps_steel;
        result[LAYER_RESULT_LEVER] = f.lever;
        const double rest = Distribute_Area(side.tension, f.area, tension_slots);
        if (rest > 0.0) {
            // More steel than the group may hold: report it at the last layer, no design.
            const int n = Group_Count(side.tension);
            if (n > 0) tension_slots[n - 1] += rest;
            return Pass_Outcome::failed_final;
        }
        return Pass_Outcome::designed;
    };

    if (Mt > T) {
        // Too much resistance: relieve the concrete, the steel stays at its limit strain.
        const Plane_Forces zero_plane = Evaluate_Plane(side, 0.0, eps_su);
        tol = Grown_Tolerance(tol, T, Mt);
        double x = 0.0;
        Plane_Forces f{};
        if (!Secant_Search(side, Secant_Variable::edge_strain, eps_su, 0.0, zero_plane.moment,
                           eps_cu, Mt, T, tol, &x, &f))
            return Pass_Outcome::failed;
        return finish(x, eps_su, f);
    }

    // Concrete at its ultimate strain; the steel strain falls to the yield strain.
    const Plane_Forces yield_plane = Evaluate_Plane(side, eps_cu, eps_yd);
    if (yield_plane.moment <= T) {
        // The tension steel alone cannot carry the moment: add a force couple.
        result[LAYER_RESULT_EPS_EDGE] = eps_cu;
        result[LAYER_RESULT_EPS_STEEL] = eps_yd;
        result[LAYER_RESULT_LEVER] = yield_plane.lever;
        if (Distribute_Area(side.tension, yield_plane.area, tension_slots) > 0.0)
            return Pass_Outcome::failed;
        double remaining = T - yield_plane.moment;
        if (remaining <= 0.0) return Pass_Outcome::designed_with_couple;
        const Strain_Line line = Side_Line(side, eps_cu, eps_yd);
        const int n_t = Group_Count(side.tension);
        const int n_o = Group_Count(side.other);
        for (int round = 0; round < kCoupleRounds; ++round) {
            int i = 0;
            while (i < n_t && side.tension->max_area[i] - tension_slots[i] <= 0.0) ++i;
            int j = 0;
            while (j < n_o && side.other->max_area[j] - other_slots[j] <= 0.0) ++j;
            if (i >= n_t || j >= n_o) return Pass_Outcome::failed_final;
            const double z_i = side.tension->depth[i];
            const double z_j = side.other->depth[j];
            const double sigma_i = std::min(side.tension->es * line.at(z_i), side.tension->fyd);
            const double sigma_j = std::min(-side.other->es * line.at(z_j), side.other->fyd);
            // A layer that is not stressed the right way, or a pair without a lever,
            // cannot form a couple that adds resistance.
            if (!(sigma_i > 0.0) || !(sigma_j > 0.0)) return Pass_Outcome::failed_final;
            const double spare_i = side.tension->max_area[i] - tension_slots[i];
            const double spare_j = side.other->max_area[j] - other_slots[j];
            double F = std::min(spare_i * sigma_i, spare_j * sigma_j);
            const double couple = side.sign * (z_i - z_j) * F;
            if (!(couple > 0.0)) return Pass_Outcome::failed_final;
            if (couple >= remaining) {
                F *= remaining / couple;
                tension_slots[i] += F / sigma_i;
                other_slots[j] += F / sigma_j;
                return Pass_Outcome::designed_with_couple;
            }
            tension_slots[i] += F / sigma_i;
            other_slots[j] += F / sigma_j;
            remaining -= couple;
        }
        return Pass_Outcome::failed_final;
    }

    // The yield strain gives enough resistance: find the steel strain in between.
    tol = Grown_Tolerance(tol, T, Mt);
    double x = 0.0;
    Plane_Forces f{};
    if (!Secant_Search(side, Secant_Variable::steel_strain, eps_cu, eps_su, Mt, eps_yd,
                       yield_plane.moment, T, tol, &x, &f))
        return Pass_Outcome::failed;
    return finish(eps_cu, x, f);
}

}  // namespace

double Integrate_Layer_Forces(const Layer_Group* group, const Concrete_Law* concrete,
                              const Steel_Law* steel, double F0, double eps_top, double eps_ref,
                              double h_ref, double* area, int m, const double* fixed_areas,
                              const double* fixed_depths) {
    const Strain_Line line{0.0, eps_top, h_ref, eps_ref};
    return Integrate_Along_Line(group, concrete, steel, F0, line, area, m, fixed_areas,
                                fixed_depths);
}

double Integrate_Layer_Forces_Line(const Layer_Group* group, const Concrete_Law* concrete,
                                   const Steel_Law* steel, double F0, double eps1, double eps2,
                                   double z1, double z2, double* area, int m,
                                   const double* fixed_areas, const double* fixed_depths) {
    const Strain_Line line{z1, eps1, z2, eps2};
    return Integrate_Along_Line(group, concrete, steel, F0, line, area, m, fixed_areas,
                                fixed_depths);
}

int Design_Layer_Reinforcement(const Layer_Design_Outline* outline, const Layer_Group* top,
                               const Layer_Group* bottom, const double* strain_limits,
                               const Concrete_Law* concrete, const Steel_Law* top_law,
                               const Steel_Law* bottom_law, int below_top, double N, double M,
                               double factor, int m, const double* fixed_areas,
                               const double* fixed_depths, double* result) {
    if (result == nullptr) return 0;
    std::fill(result, result + kLayerDesignResultSize, 0.0);
    if (outline == nullptr || top == nullptr || bottom == nullptr || strain_limits == nullptr ||
        concrete == nullptr || top_law == nullptr || bottom_law == nullptr)
        return 0;
    if (!std::isfinite(N) || !std::isfinite(M) || !std::isfinite(factor)) return 0;
    if (m < 0 || (m > 0 && (fixed_areas == nullptr || fixed_depths == nullptr))) m = 0;

    // The caller reads the two strains by the sign of its moment; a second pass may have
    // designed the other side, so the plane is expressed in the caller's terms at the end.
    const bool report_top_compressed = M > 0.0;
    if (std::fabs(M) < 0.0001) M = 0.0;
    // Target moment about the top edge and target force, both factored.
    const double T = (outline->reference_depth * N + M) * factor;
    const double Nf = N * factor;

    auto make_side = [&](bool mirrored) {
        Design_Side side{};
        side.outline = outline;
        side.concrete = concrete;
        side.mirrored = mirrored;
        side.sign = mirrored ? -1.0 : 1.0;
        side.tension = mirrored ? top : bottom;
        side.other = mirrored ? bottom : top;
        side.law = mirrored ? top_law : bottom_law;
        side.edge_depth = mirrored ? outline->height : 0.0;
        side.steel_depth =
            Group_Count(side.tension) > 0 ? side.tension->depth[0] : side.tension->default_depth;
        side.m = m;
        side.fixed_areas = fixed_areas;
        side.fixed_depths = fixed_depths;
        side.Nf = Nf;
        return side;
    };

    for (int pass = 0; pass < 2; ++pass) {
        bool mirrored;
        if (pass == 0) {
            if (M == 0.0) {
                if (Round_To_Decimals(N, 3) == 0.0) return 1;  // nothing to design
                continue;
            }
            mirrored = M < 0.0;
        } else {
            mirrored = below_top == 0;
        }
        std::fill(result, result + kLayerDesignResultSize, 0.0);
        const Design_Side side = make_side(mirrored);
        const Pass_Outcome outcome = Design_One_Side(side, strain_limits, side.sign * T, result);
        if (outcome != Pass_Outcome::failed && mirrored == report_top_compressed) {
            const Strain_Line plane = Side_Line(side, result[LAYER_RESULT_EPS_EDGE],
                                                result[LAYER_RESULT_EPS_STEEL]);
            const Layer_Group* steel_group = report_top_compressed ? bottom : top;
            const double z_steel = Group_Count(steel_group) > 0 ? steel_group->depth[0]
                                                                : steel_group->default_depth;
            result[LAYER_RESULT_EPS_EDGE] = plane.at(report_top_compressed ? 0.0 : outline->height);
            result[LAYER_RESULT_EPS_STEEL] = plane.at(z_steel);
        }
        switch (outcome) {
        case Pass_Outcome::designed: return 1;
        case Pass_Outcome::designed_with_couple: return -1;
        case Pass_Outcome::failed_final: return 0;
        case Pass_Outcome::failed: break;
        }
    }
    return 0;
}
