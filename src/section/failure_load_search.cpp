#include "section/failure_load_search.h"

#include <algorithm>
#include <cmath>

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "section/limit_strain_walk.h"
#include "section/section_laws.h"
#include "section/section_record.h"

namespace {

constexpr double kNoValue = 1e100;
constexpr double kZeroForce = 1e-5;

struct Search_Input {
    const Section_Record* section;
    const double* area;
    const double* depth;
    int n;
    double N, M;
    int use_law_2;
};

void Integrate(const Search_Input& in, double top, double bottom, double* NR, double* MR) {
    *NR = 0.0;
    *MR = 0.0;
    Integrate_Section_Forces(in.section, in.area, in.depth, in.n, top, bottom, in.use_law_2, NR,
                             MR);
}

// ---------------------------------------------------------------------------------------
// Angle search (N and M both non-zero)

// Geometry of one compressed side for the angle search and its refinement.
struct Angle_Side {
    bool top_compressed;
    double z_a, z_b, z_s, z_c;
    double eps_lim;
};

Angle_Side Angle_Side_Geometry(const Search_Input& in, bool top_compressed) {
    const Section_Record* s = in.section;
    const Concrete_Law& c = s->concrete_law;
    const double ratio = c.eps_cu != 0.0 ? c.eps_peak / c.eps_cu : 0.0;
    Angle_Side g{};
    g.top_compressed = top_compressed;
    if (top_compressed) {
        g.z_a = 0.0;
        g.z_b = s->height;
        g.z_s = in.n > 0 ? in.depth[Find_Extreme_Index(in.n, in.depth, 1)]
                         : s->lower_layer_depth;
        g.eps_lim = in.use_law_2 ? s->steel_law[2].eps_u_t : s->steel_law[1].eps_u_t;
        g.z_c = (1.0 - ratio) * s->height;
    } else {
        g.z_a = s->height;
        g.z_b = 0.0;
        g.z_s = in.n > 0 ? in.depth[Find_Extreme_Index(in.n, in.depth, 0)]
                         : s->upper_layer_depth;
        g.eps_lim = in.use_law_2 ? s->steel_law[2].eps_u_t : s->steel_law[0].eps_u_t;
        g.z_c = ratio * s->height;
    }
    return g;
}

double Tracked_Angle(const Search_Input& in, const Angle_Side& g, double eps_a, double eps_b,
                     double aux) {
    const double top = g.top_compressed ? eps_a : eps_b;
    const double bottom = g.top_compressed ? eps_b : eps_a;
    return Calc_Angle_Residual_Tracked(in.section, in.area, in.depth, in.n, in.N, in.M,
                                       in.use_law_2, top, bottom, aux);
}

// A walk at one step size can take many steps when the step has shrunk; none takes more
// than this, whatever its boundary.
constexpr long kMaxWalkSteps = 20000000;

// Twice the steps a walk of step t takes along the whole boundary, and some: its three
// stretches (the steel at its limit, the edge at its ultimate strain, the plane about the
// peak's pivot), each the strain it travels over what one step moves it. A stretch that a
// step cannot move along (a pivot at the edge: a law with a peak strain near zero) adds
// nothing, so that a walk that stands or runs away there ends soon.
long Walk_Step_Bound(const Angle_Side& g, const Concrete_Law& c, double t)
{
    const double L = std::fabs(g.z_a - g.z_b);
    const double step = std::fabs(t);
    double steps = 0.0;
    const auto add = [&](double distance, double moved_per_step) {
        const double n = distance / moved_per_step;
        if (std::isfinite(n)) steps += n;
    };
    const double steel_share = std::fabs(g.z_a - g.z_s) / L;
    add(std::fabs(g.eps_lim - c.eps_cu), step * steel_share);
    add(std::fabs(c.eps_cu) + std::fabs(g.eps_lim - c.eps_cu) / steel_share, step);
    add(std::fabs(c.eps_peak), step * std::fabs(g.z_b - g.z_c) / L);
    const double bound = 2.0 * steps + 10000.0;
    return bound < static_cast<double>(kMaxWalkSteps) ? static_cast<long>(bound) : kMaxWalkSteps;
}

enum class Angle_Result { found, start_failed, none };

Angle_Result Angle_Search(const Search_Input& in, double t_phi, double t_min, bool have_areas,
                          double* lambda, double* top_out, double* bottom_out) {
    const Section_Record* s = in.section;
    const Concrete_Law& c = s->concrete_law;
    Reset_Angle_Candidates();
    bool top_compressed = in.M >= 0.0;
    const double e = in.use_law_2 ? s->steel_law[2].eps_u_t
                                  : std::min(s->steel_law[0].eps_u_t, s->steel_law[1].eps_u_t);
    double t = (c.eps_cu - e) / 2.0;
    bool mark = false;
    Angle_Candidate_Table& table = angle_candidate_table;

    for (;;) {
        const Angle_Side g = Angle_Side_Geometry(in, top_compressed);
        table.first_call = 1;
        table.filing_count = 0;

        double ea, eb;
        if (in.n > 0) {
            // Uniform tension at the steel limit: the start of the boundary.
            ea = eb = g.eps_lim;
            Tracked_Angle(in, g, ea, eb, t);
        } else {
            // Start search: a state on the steel pivot whose angle has settled.
            double step = std::max(std::fabs(0.01 * t), 1e-7);
            if (t < 0.0) step = -step;
            ea = step;
            double previous = kNoValue;
            bool had_usable = false;
            int left = 1002;
            for (;;) {
                if (left <= 0) return Angle_Result::start_failed;
                if (g.z_a == g.z_s)
                    eb = ea == g.eps_lim ? ea : (g.z_b < 0.0 ? -kNoValue : kNoValue);
                else
                    eb = Strain_On_Line(g.z_a, ea, g.z_s, g.eps_lim, g.z_b);
                const double phi = Tracked_Angle(in, g, ea, eb, step);
                if (std::fabs(phi) > 5e99) {
                    ea += step;
                    previous = phi;
                } else if (!had_usable) {
                    had_usable = true;  // look at the same state once more
                } else if ((phi > 0.95 * previous && phi < 1.05 * previous) ||
                           (phi < 0.95 * previous && phi > 1.05 * previous) ||
                           phi == previous) {
                    if (left == 1) return Angle_Result::start_failed;
                    break;
                } else {
                    step /= 2.0;
                    ea -= step;
                    previous = phi;
                }
                --left;
            }
        }

        // Walk the boundary from tension towards uniform compression; a step that leaves
        // the plane where it was ends the walk.
        const long step_bound = Walk_Step_Bound(g, c, t);
        for (long steps = 0; steps < step_bound; ++steps) {
            const double was_a = ea, was_b = eb;
            const int moved = Advance_Limit_Strain_State(&ea, &eb, g.z_a, g.z_s, g.z_b, g.z_c,
                                                         g.eps_lim, c.eps_peak, c.eps_cu, t);
            Tracked_Angle(in, g, ea, eb, t);
            if (moved == LIMIT_STATE_PURE_COMPRESSION || moved == LIMIT_STATE_OFF_BOUNDARY)
                break;
            if (ea == was_a && eb == was_b) break;
        }

        if (table.filing_count > 0) {
            const int count = std::min(table.filing_count, ANGLE_CANDIDATE_COUNT);
            // Refinement of each bracket by a root of the angle along the boundary.
            for (int k = 0; k < count; ++k) {
                Angle_Candidate& cand = table.candidate[k];
                if (!(std::fabs(cand.angle) < kNoValue) || std::fabs(cand.angle) < t_phi)
                    continue;
                const Angle_Side cg = Angle_Side_Geometry(in, cand.eps_bottom > cand.eps_top);
                Angle_Residual_Context ctx;
                ctx.eps_top = cand.eps_top;
                ctx.eps_bottom = cand.eps_bottom;
                ctx.compressed_top = cg.top_compressed ? 1 : 0;
                ctx.z_a = cg.z_a;
                ctx.z_s = cg.z_s;
                ctx.z_b = cg.z_b;
                ctx.z_c = cg.z_c;
                ctx.eps_su = cg.eps_lim;
                ctx.eps_c2 = c.eps_peak;
                ctx.eps_cu = c.eps_cu;
                ctx.section = s;
                ctx.added_areas = in.area;
                ctx.added_depths = in.depth;
                ctx.added_count = in.n;
                ctx.target_N = in.N;
                ctx.target_M = in.M;
                ctx.flag = in.use_law_2;
                int status = 0;
                const double root =
                    Find_Root(0.0, cand.aux, Calc_Angle_Residual, 1000, 1e-15, t_phi, &ctx, &status);
                if (status <= 0) {
                    cand.angle = kNoValue;
                    continue;
                }
                double ca = cg.top_compressed ? cand.eps_top : cand.eps_bottom;
                double cb = cg.top_compressed ? cand.eps_bottom : cand.eps_top;
                Advance_Limit_Strain_State(&ca, &cb, cg.z_a, cg.z_s, cg.z_b, cg.z_c, cg.eps_lim,
                                           c.eps_peak, c.eps_cu, root);
                cand.eps_top = cg.top_compressed ? ca : cb;
                cand.eps_bottom = cg.top_compressed ? cb : ca;
                double NR, MR;
                Integrate(in, cand.eps_top, cand.eps_bottom, &NR, &MR);
                const double dot = in.N * NR + in.M * MR;
                const double lam = dot / (in.N * in.N + in.M * in.M);
                const double phi = std::atan2(in.N * MR - in.M * NR, dot);
                if (!std::isfinite(lam) || !std::isfinite(phi) || std::fabs(lam) < 1e-5) {
                    cand.angle = kNoValue;
                    continue;
                }
                cand.force_ratio = lam;
                cand.angle = phi;
            }

            // The qualifying candidate with the smallest load factor.
            int best = -1;
            for (int k = 0; k < count; ++k) {
                const Angle_Candidate& cand = table.candidate[k];
                if (!(std::fabs(cand.angle) < t_phi) || !(cand.force_ratio < kNoValue)) continue;
                if (best < 0 || cand.force_ratio < table.candidate[best].force_ratio) best = k;
            }
            if (best >= 0) {
                *lambda = table.candidate[best].force_ratio;
                *top_out = table.candidate[best].eps_top;
                *bottom_out = table.candidate[best].eps_bottom;
                return Angle_Result::found;
            }
        }

        // Retry on the other side; with added areas each step size is tried on both sides
        // before it shrinks.
        table.filing_count = 0;
        top_compressed = !top_compressed;
        if (!mark && have_areas) {
            mark = true;
            continue;
        }
        t *= 0.1;
        if (std::fabs(t) < t_min) return Angle_Result::none;
        mark = false;
    }
}

// ---------------------------------------------------------------------------------------
// Strain-domain walk (a pure moment or a pure normal force)

struct Domain_Side {
    bool top_compressed;
    double z_a, z_b;        // compressed edge (fibre a), opposite edge (fibre b)
    double z_s, z_s2;       // tension steel, steel on the compressed side
    double z_c;             // pivot depth of the fully compressed planes
    double eps_lim;         // limit strain of the tension steel
    double eps_lim2;        // limit strain of the steel on the compressed side
    double eps_yd;          // yield strain of the tension steel
    double eps_cu, eps_c2;
};

Domain_Side Domain_Side_Geometry(const Search_Input& in, bool top_compressed) {
    const Section_Record* s = in.section;
    const Concrete_Law& c = s->concrete_law;
    const double ratio = c.eps_cu != 0.0 ? c.eps_peak / c.eps_cu : 0.0;
    Domain_Side d{};
    d.top_compressed = top_compressed;
    d.eps_cu = c.eps_cu;
    d.eps_c2 = c.eps_peak;
    const Steel_Law* tension;
    const Steel_Law* other;
    if (top_compressed) {
        d.z_a = 0.0;
        d.z_b = s->height;
        d.z_s = s->lower_layer_depth;
        d.z_s2 = s->upper_layer_depth;
        d.z_c = (1.0 - ratio) * s->height;
        tension = &s->steel_law[1];
        other = &s->steel_law[0];
    } else {
        d.z_a = s->height;
        d.z_b = 0.0;
        d.z_s = s->upper_layer_depth;
        d.z_s2 = s->lower_layer_depth;
        d.z_c = ratio * s->height;
        tension = &s->steel_law[0];
        other = &s->steel_law[1];
    }
    if (in.use_law_2) tension = other = &s->steel_law[2];
    d.eps_lim = tension->eps_u_t;
    d.eps_lim2 = other->eps_u_t;
    d.eps_yd = tension->E_t != 0.0 ? tension->fy_t / tension->E_t : 0.0;
    return d;
}

struct Domain_State {
    int domain;
    double a, b;            // strains of fibre a and fibre b
};

// Events of one stage that change the direction rules of the walk.
struct Walk_Marks {
    bool held_at_cu_or_lim = false;  // left domain 2 at eps_cu, or domains 3..5 at eps_lim
    bool held_at_lim2 = false;       // fibre a held at the compressed side's limit strain
};

double Fibre_B_From_Steel(const Domain_Side& d, double a) {
    return Strain_On_Line(d.z_a, a, d.z_s, d.eps_lim, d.z_b);
}

// Moves the parameter of the state's domain by the signed step and derives the domain
// again from the new strains.
void Move_State(const Domain_Side& d, Domain_State* st, double step, Walk_Marks* marks) {
    if (st->domain <= 2) {
        st->a += step;
        if (st->a > d.eps_lim2) {
            st->a = d.eps_lim2;
            st->domain = 1;
            marks->held_at_lim2 = true;
        } else if (st->a < 0.0) {
            st->domain = 2;
            if (st->a < d.eps_cu) {
                st->a = d.eps_cu;
                st->domain = 3;
                marks->held_at_cu_or_lim = true;
            }
        }
        st->b = Fibre_B_From_Steel(d, st->a);
        return;
    }
    st->b += step;
    const double steel = Strain_On_Line(d.z_a, st->a, d.z_b, st->b, d.z_s);
    if (steel > d.eps_lim) {
        st->b = Fibre_B_From_Steel(d, st->a);
        st->domain = 2;
        marks->held_at_cu_or_lim = true;
    } else if (st->b < 0.0) {
        st->domain = 5;
        st->b = std::max(st->b, d.eps_c2);
        st->a = std::max(Strain_On_Line(d.z_b, st->b, d.z_c, d.eps_c2, d.z_a), d.eps_cu);
    } else {
        // Domains 3 and 4 hold the compressed edge at the ultimate strain (a walk coming
        // back from domain 5 ends up there).
        st->a = d.eps_cu;
        st->domain = steel < d.eps_yd ? 4 : 3;
    }
}

Domain_State Start_State(const Search_Input& in, const Domain_Side& d, int stage) {
    const Section_Record* s = in.section;
    const double e = in.N == 0.0 ? kNoValue : in.M / in.N + s->reference_depth;
    const int last = std::clamp(s->part_count, 1, SECTION_MAX_PARTS) - 1;
    auto domain_2 = [&]() {
        Domain_State st{2, d.eps_cu / 2.0, 0.0};
        st.b = Fibre_B_From_Steel(d, st.a);
        return st;
    };
    auto uniform_peak = [&]() { return Domain_State{5, d.eps_c2, d.eps_c2}; };
    auto cu_and_zero = [&]() { return Domain_State{5, d.eps_cu, 0.0}; };

    if (e > s->part_bottom[last] || e < s->part_top[0]) return domain_2();
    if (in.N <= 0.0) {
        if (in.M == 0.0) return uniform_peak();
        const double ratio = std::fabs(in.M / in.N);
        if (ratio >= 0.001) {
            if (stage == 2 || ratio >= 1.0) {
                Domain_State st{4, d.eps_cu, 0.0};
                st.b = Strain_On_Line(d.z_a, d.eps_cu, d.z_s, d.eps_yd, d.z_b);
                return st;
            }
            return cu_and_zero();
        }
        return stage <= 1 ? uniform_peak() : cu_and_zero();
    }
    if (stage == 2 && std::fabs(in.M) < kZeroForce) return domain_2();
    // Both steels at their limit strains.
    Domain_State st{1, 0.0, 0.0};
    st.a = Strain_On_Line(d.z_s, d.eps_lim, d.z_s2, d.eps_lim2, d.z_a);
    st.b = Strain_On_Line(d.z_s, d.eps_lim, d.z_s2, d.eps_lim2, d.z_b);
    return st;
}

void Integrate_State(const Search_Input& in, const Domain_Side& d, const Domain_State& st,
                     double* NR, double* MR) {
    const double top = d.top_compressed ? st.a : st.b;
    const double bottom = d.top_compressed ? st.b : st.a;
    Integrate(in, top, bottom, NR, MR);
}

enum class Stage_Result { converged, carries_nothing, out_of_steps };

// One stage of the walk for a pure moment. On convergence writes the load ratio and the
// state.
Stage_Result Walk_Pure_Moment(const Search_Input& in, const Domain_Side& d, int stage,
                              double step, int budget, double* ratio, Domain_State* found) {
    Domain_State st = Start_State(in, d, stage);
    double NR, MR;
    Integrate_State(in, d, st, &NR, &MR);
    double r = MR / in.M;
    double previous_change = 1.0;  // the first previous change counts as positive
    Walk_Marks marks;
    for (int i = 0; i < budget; ++i) {
        // Direction of the step: + means more tension, - more compression.
        double dir;
        if (i > 0 && std::fabs(NR) >= kZeroForce) {
            dir = NR <= 0.0 ? 1.0 : -1.0;
        } else {
            // On equilibrium of the normal force: turn the plane (fibre a more compressed
            // in domains 1 and 2, fibre b more stretched in domains 3 to 5).
            const bool turn = r < -1e-5 || !marks.held_at_cu_or_lim;
            if (turn) {
                dir = st.domain <= 2 ? -1.0 : 1.0;
            } else {
                dir = in.N >= 0.0 ? -1.0 : 1.0;
            }
        }
        Move_State(d, &st, dir * step, &marks);
        Integrate_State(in, d, st, &NR, &MR);
        const double r_new = MR / in.M;
        const double change = r - r_new;
        const bool change_positive = change >= 0.0;
        if (change_positive != (previous_change >= 0.0)) step /= 2.0;
        previous_change = change;
        r = r_new;
        if (!std::isfinite(r)) return Stage_Result::out_of_steps;
        if (std::fabs(NR) < kZeroForce && r >= -0.0001 && std::fabs(change) <= 0.0001) {
            *ratio = r;
            *found = st;
            return std::fabs(r) <= 1e-5 ? Stage_Result::carries_nothing : Stage_Result::converged;
        }
    }
    return Stage_Result::out_of_steps;
}

// One stage of the walk for a pure normal force.
Stage_Result Walk_Pure_Normal_Force(const Search_Input& in, const Domain_Side& d, int stage,
                                    double start_step, int budget, double* ratio,
                                    Domain_State* found) {
    Domain_State st = Start_State(in, d, stage);
    double NR, MR;
    Integrate_State(in, d, st, &NR, &MR);
    double r = NR / in.N;
    double residual = std::fabs(MR) < kZeroForce ? 0.0 : kNoValue;
    auto converged = [&]() { return std::fabs(residual) <= 0.0001 && r >= -0.0001; };
    auto finish = [&]() {
        *ratio = r;
        *found = st;
        return std::fabs(r) <= 1e-5 ? Stage_Result::carries_nothing : Stage_Result::converged;
    };
    if (converged()) return finish();

    double step = start_step;
    Walk_Marks marks;
    bool remembered = false;
    Domain_State memory{};
    double memory_r = 0.0, memory_residual = 0.0;
    const int half = budget / 2;
    for (int used = 1; used <= budget; ++used) {
        // Raise (+) or lower (-) the parameter of the domain.
        double dir;
        if (r < -1e-5)
            dir = NR > 0.0 ? -1.0 : 1.0;
        else if (in.N >= 0.0 && !marks.held_at_lim2)
            dir = 1.0;
        else
            dir = -1.0;
        const int domain_before = st.domain;
        Move_State(d, &st, dir * step, &marks);
        Integrate_State(in, d, st, &NR, &MR);
        r = NR / in.N;
        if (!std::isfinite(r) || !std::isfinite(MR)) return Stage_Result::out_of_steps;
        const double previous_residual = residual;
        residual = std::fabs(MR) < kZeroForce ? 0.0 : MR;
        // A change of sign of the moment: reverse and halve.
        if ((previous_residual < 0.0) != (residual < 0.0)) step *= -0.5;
        if (std::fabs(MR) >= std::fabs(previous_residual) && st.domain == domain_before) {
            if (used < half) {
                if (!remembered) {
                    remembered = true;
                    memory = st;
                    memory_r = r;
                    memory_residual = residual;
                }
            } else {
                step = -step;
            }
        }
        if (converged()) return finish();
        if (used == half && remembered) {
            st = memory;
            r = memory_r;
            residual = memory_residual;
            Integrate_State(in, d, st, &NR, &MR);
            step = -start_step;
        }
    }
    return Stage_Result::out_of_steps;
}

int Domain_Walk(const Search_Input& in, double* lambda, double* top_out, double* bottom_out) {
    const bool pure_moment = std::fabs(in.N) < kZeroForce;
    bool top_compressed = in.M >= 0.0;
    double step = 0.0001;
    int budget = 2000;
    Stage_Result last = Stage_Result::out_of_steps;
    for (int stage = 0; stage < 4; ++stage) {
        if (stage == 1) {
            budget *= 10;
            step *= 0.1;
        }
        if (stage > 0) top_compressed = !top_compressed;
        const Domain_Side d = Domain_Side_Geometry(in, top_compressed);
        double r = 0.0;
        Domain_State st{};
        last = pure_moment ? Walk_Pure_Moment(in, d, stage, step, budget, &r, &st)
                           : Walk_Pure_Normal_Force(in, d, stage, step, budget, &r, &st);
        if (last == Stage_Result::converged) {
            const double top = d.top_compressed ? st.a : st.b;
            const double bottom = d.top_compressed ? st.b : st.a;
            *lambda = Round_To_Decimals(r, 5);
            *top_out = Round_To_Decimals(top, 10);
            *bottom_out = Round_To_Decimals(bottom, 10);
            return 0;
        }
    }
    *lambda = 0.0;
    *top_out = 0.0;
    *bottom_out = 0.0;
    return last == Stage_Result::out_of_steps ? 1 : 0;
}

}  // namespace

int Find_Strain_Plane_For_Forces(const Section_Record* section, const double* area,
                                 const double* depth, int n, double N, double M,
                                 int use_law_2, double* load_factor, double* eps_top,
                                 double* eps_bottom) {
    double lambda_local, top_local, bottom_local;
    if (load_factor == nullptr) load_factor = &lambda_local;
    if (eps_top == nullptr) eps_top = &top_local;
    if (eps_bottom == nullptr) eps_bottom = &bottom_local;
    *load_factor = 0.0;
    *eps_top = 0.0;
    *eps_bottom = 0.0;
    if (section == nullptr || !std::isfinite(N) || !std::isfinite(M)) return 1;
    if (n < 0 || (n > 0 && (area == nullptr || depth == nullptr))) n = 0;

    if (std::fabs(N) < kZeroForce && std::fabs(M) < kZeroForce) {
        *load_factor = kNoValue;
        return 0;
    }

    double area_sum = 0.0;
    for (int i = 0; i < n; ++i) area_sum += area[i];
    const bool have_areas = Round_To_Decimals(std::fabs(area_sum), 7) != 0.0;
    const double t_phi = have_areas ? 0.0001 : 0.0004;
    const double t_min = have_areas ? 1e-6 : 1e-7;

    const Search_Input in{section, area, depth, n, N, M, use_law_2};
    if (std::fabs(N) >= kZeroForce && std::fabs(M) >= kZeroForce) {
        double lambda = 0.0, top = 0.0, bottom = 0.0;
        switch (Angle_Search(in, t_phi, t_min, have_areas, &lambda, &top, &bottom)) {
        case Angle_Result::found:
            *load_factor = lambda;
            *eps_top = top;
            *eps_bottom = bottom;
            return 0;
        case Angle_Result::start_failed: return 1;
        case Angle_Result::none: return 2;
        }
        return 2;
    }
    return Domain_Walk(in, load_factor, eps_top, eps_bottom);
}
