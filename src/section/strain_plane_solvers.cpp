#include "section/strain_plane_solvers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "section/failure_load_search.h"
#include "section/nonlinear_driver.h"
#include "section/section_laws.h"
#include "section/section_record.h"

int strain_solver_method = 2;

namespace {

// Settings of the hybrid solve.
constexpr double HYBRD_TOLERANCE = 2.452036887407303e-06;
constexpr int HYBRD_MAX_EVALUATIONS = 1000;
constexpr double HYBRD_EPSFCN = 0.0001;
constexpr int HYBRD_RETRIES = 5;

// The target residual of the other solvers (kN, kNm).
constexpr double RESIDUAL_BOUND = 0.0025;

// Budgets of the stepwise search.
constexpr long STEPWISE_MAX_EVALUATIONS = 100000;
constexpr long STEPWISE_ROUND_EVALUATIONS = 50000;
constexpr int STEPWISE_FULL_SCAN_BIT = 0x10000;

// The steel limit strain of the start values: block 2 for a nonzero flag, else the larger
// of the blocks of the two design layers.
double Steel_Limit_Strain(const Section_Record* s, int flag)
{
    if (flag != 0) return s->steel_law[2].eps_u_t;
    return std::max(s->steel_law[0].eps_u_t, s->steel_law[1].eps_u_t);
}

// The added layers that can be read: none for a count below 1 or a missing array.
struct Added_Layers {
    int count;
    const double* areas;
    const double* depths;
};

Added_Layers Usable_Layers(int count, const double* areas, const double* depths)
{
    if (count <= 0 || areas == nullptr || depths == nullptr) return {0, nullptr, nullptr};
    return {count, areas, depths};
}

void Write_Strains(double* eps_top, double* eps_bottom, double top, double bottom)
{
    if (eps_top != nullptr) *eps_top = top;
    if (eps_bottom != nullptr) *eps_bottom = bottom;
}

// The answer of a solver called without a section: zero strains, status 1.
int No_Section(double* eps_top, double* eps_bottom)
{
    Write_Strains(eps_top, eps_bottom, 0.0, 0.0);
    return 1;
}

// Limit check of a returned plane: 2 when the compressed edge lies beyond its limit or the
// outermost steel beyond 1.001 eps_u_t of block 0, else the given status.
int Check_Plane_Limits(const Section_Record* s, const double* depths, int count, double top,
                       double bottom, int status)
{
    const double h = s->height;
    const double eps_cu = s->concrete_law.eps_cu;
    const double eps_peak = s->concrete_law.eps_peak;
    const double ratio = eps_cu != 0.0 ? eps_peak / eps_cu : 0.0;
    double limit = eps_cu;
    double edge = 0.0;
    double z_steel = 0.0;
    if (bottom > top) {
        z_steel = count > 0 ? depths[Find_Extreme_Index(count, depths, 1)] : s->lower_layer_depth;
        const double z_pivot = (1.0 - ratio) * h;
        if (!(bottom > eps_peak) && z_pivot != h)
            limit = Strain_On_Line(h, bottom, z_pivot, eps_peak, 0.0);
        edge = top;
    } else {
        z_steel = count > 0 ? depths[Find_Extreme_Index(count, depths, 0)] : s->upper_layer_depth;
        const double z_pivot = ratio * h;
        if (!(top > eps_peak) && z_pivot != 0.0)
            limit = Strain_On_Line(0.0, top, z_pivot, eps_peak, h);
        edge = bottom;
    }
    limit *= 1.001;
    const double eps_steel = Strain_At_Depth(top, bottom, h, z_steel);
    if (edge < limit || eps_steel > 1.001 * s->steel_law[0].eps_u_t) return 2;
    return status;
}

}  // namespace

// A zero start value stays zero: scaling it would give 0 * t / 0 = NaN when the start plane
// carries no moment (or no normal force), and a NaN start only wastes an attempt.

void Scale_Strain_Start_Values(const Section_Record* section, const double* added_areas,
                               const double* added_depths, int added_count, int flag, double N,
                               double M, double start[2])
{
    if (section == nullptr || start == nullptr) return;
    const auto [count, areas, depths] = Usable_Layers(added_count, added_areas, added_depths);
    const Section_Record* s = section;
    double N0 = 0.0, M0 = 0.0;
    Integrate_Section_Forces(s, areas, depths, count, start[0] - start[1], start[0] + start[1],
                             flag, &N0, &M0);
    auto scaled = [](double x, double target, double force, double far) {
        if (x == 0.0) return 0.0;
        if (force == 0.0) return target == 0.0 ? x : far;
        const double v = x * target / force;
        if (!std::isfinite(v)) return v < 0.0 ? -1e100 : 1e100;
        return v;
    };
    start[0] = scaled(start[0], N, N0, N < 0.0 ? -1e100 : 1e100);
    start[1] = scaled(start[1], M, M0, M < 0.0 ? -1e100 : 1e100);
}

void Calc_Strain_Plane_Residual(int* n, double* x, double* fvec, int* iflag, void* context)
{
    auto* c = static_cast<Strain_Residual_Context*>(context);
    if (iflag == nullptr) return;
    if (c == nullptr || c->section == nullptr || n == nullptr || *n < 2 || x == nullptr ||
        fvec == nullptr) {
        *iflag = STRAIN_RESIDUAL_NOT_FINITE;
        return;
    }
    const double top = x[0] - x[1];
    const double bottom = x[0] + x[1];
    double N = 0.0, M = 0.0;
    Integrate_Section_Forces(c->section, c->added_areas, c->added_depths, c->added_count, top,
                             bottom, c->flag, &N, &M);
    ++c->evaluations;
    fvec[0] = N - c->strain_target_N;
    fvec[1] = M - c->strain_target_M;
    if (!std::isfinite(fvec[0]) || !std::isfinite(fvec[1]) || !std::isfinite(top) ||
        !std::isfinite(bottom)) {
        *iflag = STRAIN_RESIDUAL_NOT_FINITE;
        return;
    }
    if (fvec[0] * fvec[0] + fvec[1] * fvec[1] <= c->residual_bound_sq) {
        // hybrd does not hand back a trial point at which it was stopped: keep it here.
        c->accepted = 1;
        c->accepted_x[0] = x[0];
        c->accepted_x[1] = x[1];
        c->accepted_fvec[0] = fvec[0];
        c->accepted_fvec[1] = fvec[1];
        *iflag = -1;
    }
}

int Solve_Strain_Plane_Hybrd(const Section_Record* section, const double* added_areas,
                             const double* added_depths, int added_count, double N, double M,
                             int flag, double* eps_top, double* eps_bottom)
{
    if (section == nullptr) return No_Section(eps_top, eps_bottom);
    const auto [count, areas, depths] = Usable_Layers(added_count, added_areas, added_depths);
    const double eps_cu = section->concrete_law.eps_cu;

    double start[2];
    if (N > 0.0 && M == 0.0) {
        start[0] = 0.01 * Steel_Limit_Strain(section, flag);
        start[1] = 0.0;
    } else {
        start[0] = 0.01 * eps_cu;
        start[1] = M == 0.0 ? 0.0 : (M < 0.0 ? 0.02 * eps_cu : -0.02 * eps_cu);
    }

    // The solve's context goes to the residual through the driver's context pointer, so the
    // failure search that a retry runs cannot disturb it.
    Strain_Residual_Context strain_residual_context;
    strain_residual_context.section = section;
    strain_residual_context.added_areas = areas;
    strain_residual_context.added_depths = depths;
    strain_residual_context.added_count = count;
    strain_residual_context.flag = flag;
    strain_residual_context.strain_target_N = N;
    strain_residual_context.strain_target_M = M;
    strain_residual_context.residual_bound_sq = STRAIN_RESIDUAL_BOUND_SQ;

    double top = 0.0, bottom = 0.0;
    int status = 1;
    bool solved = false;
    double factor = 1.0;
    for (int retry = 0;;) {
        int n = 2;
        double x[2] = {start[0], start[1]};
        double fvec[2] = {0.0, 0.0};
        double wa[19];
        int lwa = 19;
        int maxfev = HYBRD_MAX_EVALUATIONS;
        double tol = HYBRD_TOLERANCE;
        double epsfcn = factor * HYBRD_EPSFCN;
        int info = 0;
        int nfev = 0;
        strain_residual_context.accepted = 0;
        Solve_Nonlinear_Equations(Calc_Strain_Plane_Residual, &strain_residual_context, &n, x, fvec,
                                  &tol, &maxfev, &epsfcn, &info, wa, &lwa, &nfev);
        if (info == -1 && strain_residual_context.accepted) {
            // The point that met the bound, not hybrd's x (its previous iterate when the
            // stop came at a trial point).
            const double* xa = strain_residual_context.accepted_x;
            top = xa[0] - xa[1];
            bottom = xa[0] + xa[1];
            status = 0;
            solved = true;
            break;
        }
        // No progress, or a residual that is no number: the next retry.
        if ((info == 4 || info == STRAIN_RESIDUAL_NOT_FINITE) && retry < HYBRD_RETRIES) {
            ++retry;
            if (retry == 1) {
                Scale_Strain_Start_Values(section, areas, depths, count, flag, N, M, start);
            } else if (retry == 2) {
                double lambda = 0.0, t = 0.0, b = 0.0;
                Find_Strain_Plane_For_Forces(section, areas, depths, count, N, M, flag, &lambda, &t,
                                             &b);
                if (!(lambda > 0.0) || !std::isfinite(lambda)) break;
                start[1] = (b - t) / lambda;
                start[0] = (b + t) * 0.5 / lambda;
            } else {
                factor = retry == 3 ? 10.0 : (retry == 4 ? 100.0 : 1000.0);
            }
            continue;
        }
        break;
    }

    if (!solved) {
        const int fallback =
            Solve_Strain_Plane_Stepwise(section, areas, depths, count, N, M, flag, &top, &bottom);
        status = fallback > 0 ? 1 : 0;
    }

    status = Check_Plane_Limits(section, depths, count, top, bottom, status);
    Write_Strains(eps_top, eps_bottom, top, bottom);
    return status;
}

namespace {

// The bracketing search of Solve_Strain_Plane_Stepwise. The unknowns are the mean strain m
// and the half difference d with eps_top = m + d, eps_bottom = m - d.
class Stepwise_Search {
public:
    enum Scan_Result { SCAN_DONE, SCAN_NO_CHANGE, SCAN_BUDGET };

    Stepwise_Search(const Section_Record* s, const double* areas, const double* depths, int count,
                    int flag, double N, double M, bool keep_last_change)
        : s_(s), areas_(areas), depths_(depths), count_(count), flag_(flag), N_t_(N), M_t_(M),
          keep_last_(keep_last_change)
    {
    }

    // One evaluation at (m, d); false when the budget is used up.
    bool Evaluate(double m, double d)
    {
        if (evaluations_ >= STEPWISE_MAX_EVALUATIONS) {
            budget_out_ = true;
            return false;
        }
        ++evaluations_;
        double N = 0.0, M = 0.0;
        Integrate_Section_Forces(s_, areas_, depths_, count_, m + d, m - d, flag_, &N, &M);
        m_ = m;
        d_ = d;
        r_N_ = N - N_t_;
        r_M_ = M - M_t_;
        zero_forces_ = Round_To_Decimals(N, 5) == 0.0 && Round_To_Decimals(M, 5) == 0.0;
        return true;
    }

    // Scan of m (which 0, residual r_N) or of d (which 1, residual r_M) across the whole
    // bracket from a to b in ten equal steps, shrinking the bracket to a change of sign and
    // scanning it again, until the residual meets its tolerance.
    Scan_Result Scan_Full(int which, double a, double b)
    {
        double r_a = 0.0;
        if (!Evaluate_Var(which, a)) return SCAN_BUDGET;
        if (Scan_Tolerance_Met(which)) return SCAN_DONE;
        r_a = Residual(which);
        for (;;) {
            const double step = (b - a) / 10.0;
            double prev_v = a, prev_r = r_a;
            bool found = false;
            double found_a = a, found_b = b, found_ra = r_a;
            for (int i = 1; i <= 10; ++i) {
                const double v = i == 10 ? b : a + i * step;
                if (!Evaluate_Var(which, v)) return SCAN_BUDGET;
                if (Scan_Tolerance_Met(which)) return SCAN_DONE;
                const double r = Residual(which);
                if ((r < 0.0) != (prev_r < 0.0)) {
                    found = true;
                    found_a = prev_v;
                    found_b = v;
                    found_ra = prev_r;
                    if (!keep_last_) break;
                }
                prev_v = v;
                prev_r = r;
            }
            if (!found) return SCAN_NO_CHANGE;
            if (!Can_Split(found_a, found_b)) return Settle(which, found_a, found_b);
            a = found_a;
            b = found_b;
            r_a = found_ra;
        }
    }

    // Scan from the current value towards the end of [lo, hi] on which the residual can
    // change its sign (N grows with m, M falls with d), in steps of a tenth of the rest of
    // the bracket; a trial whose N and M are both 0 at 5 decimals makes the steps ten times
    // finer from the last point. A change of sign narrows the bracket and the scan repeats.
    Scan_Result Scan_From_Current(int which, double lo, double hi)
    {
        if (Scan_Tolerance_Met(which)) return SCAN_DONE;
        double v = which == 0 ? m_ : d_;
        double r = Residual(which);
        const bool up = which == 0 ? r_N_ < 0.0 : r_M_ > 0.0;
        double end = up ? hi : lo;
        for (;;) {
            if (v == end || (up ? v > end : v < end)) return SCAN_NO_CHANGE;
            int steps = 10;
            double base = v;
            double step = (end - base) / steps;
            if (!Can_Split(v, end)) return Settle(which, v, end);
            bool changed = false;
            for (int i = 1; i <= steps;) {
                const double vn = i == steps ? end : base + i * step;
                if (!Evaluate_Var(which, vn)) return SCAN_BUDGET;
                if (Scan_Tolerance_Met(which)) return SCAN_DONE;
                const double rn = Residual(which);
                if (zero_forces_ && steps < 1000) {
                    steps *= 10;
                    base = v;
                    step = (end - base) / steps;
                    i = 1;
                    continue;
                }
                if ((rn < 0.0) != (r < 0.0)) {
                    end = vn;
                    changed = true;
                    break;
                }
                v = vn;
                r = rn;
                ++i;
            }
            if (!changed) return SCAN_NO_CHANGE;
            // The next pass scans [v, end] from v; put the state back there.
            if (!Evaluate_Var(which, v)) return SCAN_BUDGET;
            if (Scan_Tolerance_Met(which)) return SCAN_DONE;
            r = Residual(which);
        }
    }

    bool Converged() const
    {
        return std::fabs(r_N_) < RESIDUAL_BOUND && std::fabs(r_M_) < RESIDUAL_BOUND;
    }

    // The correction stage: small shifts and turns of the plane against the residuals.
    // false when the budget ran out or the plane cannot be turned (zero height).
    bool Correct()
    {
        const double h = s_->height;
        const double z_ref = s_->reference_depth;
        double top = m_ + d_;
        double bottom = m_ - d_;
        auto eval_plane = [&](double t, double b) {
            return Evaluate((t + b) * 0.5, (t - b) * 0.5);
        };
        while (!Converged()) {
            if (!std::isfinite(r_N_) || !std::isfinite(r_M_)) return false;
            if (std::fabs(r_N_) >= RESIDUAL_BOUND) {
                double s = std::min(4e-5 * std::fabs(r_N_), 0.0015);
                while (std::fabs(r_N_) >= RESIDUAL_BOUND) {
                    const double r_old = r_N_;
                    const double shift = r_N_ > 0.0 ? -s : s;
                    top += shift;
                    bottom += shift;
                    if (!eval_plane(top, bottom)) return false;
                    if ((r_N_ < 0.0) != (r_old < 0.0))
                        s *= std::fabs(r_N_) / (std::fabs(r_old) + std::fabs(r_N_));
                    if (!(s > 0.0)) break;
                }
            }
            if (std::fabs(r_M_) >= RESIDUAL_BOUND) {
                if (!(h > 0.0)) return false;
                double s = std::min(4e-5 * std::fabs(r_M_), 0.0015);
                while (std::fabs(r_M_) >= RESIDUAL_BOUND) {
                    const double r_old = r_M_;
                    // Tension above the reference axis lowers M.
                    const double turn = r_M_ > 0.0 ? s : -s;
                    top += turn * z_ref / h;
                    bottom -= turn * (h - z_ref) / h;
                    if (!eval_plane(top, bottom)) return false;
                    if ((r_M_ < 0.0) != (r_old < 0.0))
                        s *= std::fabs(r_M_) / (std::fabs(r_old) + std::fabs(r_M_));
                    if (!(s > 0.0)) break;
                }
            }
            if (budget_out_) return false;
        }
        return true;
    }

    double m() const { return m_; }
    double d() const { return d_; }
    long evaluations() const { return evaluations_; }

private:
    bool Evaluate_Var(int which, double v)
    {
        return which == 0 ? Evaluate(v, d_) : Evaluate(m_, v);
    }
    double Residual(int which) const { return which == 0 ? r_N_ : r_M_; }
    bool Scan_Tolerance_Met(int which) const
    {
        if (which == 0) return std::fabs(r_N_) < std::max(0.005 * std::fabs(r_M_), RESIDUAL_BOUND);
        return std::fabs(r_M_) < std::max(0.005 * std::fabs(r_N_), RESIDUAL_BOUND);
    }
    // Whether a tenth of [a, b] is still a step in double precision.
    static bool Can_Split(double a, double b)
    {
        const double step = (b - a) / 10.0;
        return step != 0.0 && a + step != a && std::isfinite(step);
    }
    // A bracket too narrow to split (the residual jumps there): the scan ends at the end
    // with the smaller residual.
    Scan_Result Settle(int which, double a, double b)
    {
        if (!Evaluate_Var(which, a)) return SCAN_BUDGET;
        const double r_a = std::fabs(Residual(which));
        if (!Evaluate_Var(which, b)) return SCAN_BUDGET;
        if (r_a < std::fabs(Residual(which)) && !Evaluate_Var(which, a)) return SCAN_BUDGET;
        return SCAN_DONE;
    }

    const Section_Record* s_;
    const double* areas_;
    const double* depths_;
    int count_;
    int flag_;
    double N_t_, M_t_;
    bool keep_last_;
    long evaluations_ = 0;
    bool budget_out_ = false;
    double m_ = 0.0, d_ = 0.0;
    double r_N_ = 0.0, r_M_ = 0.0;
    bool zero_forces_ = false;
};

// Limit checks of the stepwise search's converged plane: 3 when a steel strain at a design
// layer or the compressed concrete lies beyond its limit (differences at 8 decimals).
int Stepwise_Limit_Result(const Section_Record* s, int flag, double top, double bottom)
{
    const double h = s->height;
    const double eps_cu = s->concrete_law.eps_cu;
    const double eps_peak = s->concrete_law.eps_peak;
    const double su_upper = flag != 0 ? s->steel_law[2].eps_u_t : s->steel_law[0].eps_u_t;
    const double su_lower = flag != 0 ? s->steel_law[2].eps_u_t : s->steel_law[1].eps_u_t;
    const double e_upper = Strain_At_Depth(top, bottom, h, s->upper_layer_depth);
    const double e_lower = Strain_At_Depth(top, bottom, h, s->lower_layer_depth);
    if (Round_To_Decimals(e_upper - su_upper, 8) > 0.0) return 3;
    if (Round_To_Decimals(e_lower - su_lower, 8) > 0.0) return 3;
    const bool top_compressed = top <= bottom;
    const double edge = top_compressed ? top : bottom;
    const double other = top_compressed ? bottom : top;
    if (other < 0.0) {
        const double ratio = eps_cu != 0.0 ? eps_peak / eps_cu : 0.0;
        const double from_edge = (1.0 - ratio) * h;
        const double z = top_compressed ? from_edge : h - from_edge;
        if (Round_To_Decimals(Strain_At_Depth(top, bottom, h, z) - eps_peak, 8) < 0.0) return 3;
    } else if (Round_To_Decimals(edge - eps_cu, 8) < 0.0) {
        return 3;
    }
    return 0;
}

}  // namespace

int Solve_Strain_Plane_Stepwise(const Section_Record* section, const double* added_areas,
                                const double* added_depths, int added_count, double N, double M,
                                int flag, double* eps_top, double* eps_bottom)
{
    if (section == nullptr) return No_Section(eps_top, eps_bottom);
    const auto [count, areas, depths] = Usable_Layers(added_count, added_areas, added_depths);
    const bool full_scan_bit = (flag & STEPWISE_FULL_SCAN_BIT) != 0;
    flag &= ~STEPWISE_FULL_SCAN_BIT;

    double area_sum = 0.0;
    for (int i = 0; i < count; ++i) area_sum += areas[i];
    const bool with_areas = Round_To_Decimals(std::fabs(area_sum), 7) != 0.0;

    const double h = section->height;
    const double eps_cu = section->concrete_law.eps_cu;
    const double eps_su = Steel_Limit_Strain(section, flag);
    const double lever = std::max(h - section->lower_layer_depth, h - section->upper_layer_depth);
    const double m_lo = 10.0 * eps_cu;
    double m_hi;
    if (lever != 0.0)
        m_hi = 10.0 * (eps_cu + (eps_su - eps_cu) * h / lever);
    else if (eps_su == eps_cu)
        m_hi = 10.0 * eps_cu;
    else
        m_hi = h >= 0.0 ? 1e101 : -1e101;

    Stepwise_Search search(section, areas, depths, count, flag, N, M, full_scan_bit && with_areas);
    int result = 0;
    double top = 0.0, bottom = 0.0;
    bool converged = false;

    if (!search.Evaluate(m_lo, 0.0)) {
        result = 1;
    } else {
        // What ends the search after a scan: the budget (1), a scan without a change of sign
        // (2), or convergence.
        auto search_ends = [&](Stepwise_Search::Scan_Result r) {
            if (r == Stepwise_Search::SCAN_BUDGET)
                result = 1;
            else if (r == Stepwise_Search::SCAN_NO_CHANGE)
                result = 2;
            else if (search.Converged())
                converged = true;
            else
                return false;
            return true;
        };
        int round = 0;
        for (;;) {
            // Scan of m with d fixed.
            const double d = search.d();
            const double lo = m_lo + std::fabs(d), hi = m_hi - std::fabs(d);
            Stepwise_Search::Scan_Result r =
                with_areas ? search.Scan_Full(0, lo, hi) : search.Scan_From_Current(0, lo, hi);
            if (search_ends(r)) break;

            // Scan of d with m fixed.
            const double m = search.m();
            const double w = std::max(0.0, std::min(m - m_lo, m_hi - m));
            if (with_areas)
                r = M >= 0.0 ? search.Scan_Full(1, -w, w) : search.Scan_Full(1, w, -w);
            else
                r = search.Scan_From_Current(1, -w, w);
            if (search_ends(r)) break;

            ++round;
            const bool again =
                with_areas ? round < 2 : search.evaluations() < STEPWISE_ROUND_EVALUATIONS;
            if (again) continue;
            if (search.Correct()) {
                converged = true;
            } else {
                result = 1;
            }
            break;
        }
    }

    if (converged) {
        top = search.m() + search.d();
        bottom = search.m() - search.d();
        result = Stepwise_Limit_Result(section, flag, top, bottom);
    }
    if (result > 0) {
        double lambda = 0.0, t = 0.0, b = 0.0;
        const int found = Find_Strain_Plane_For_Forces(section, areas, depths, count, N, M, flag,
                                                       &lambda, &t, &b);
        if (found < 1 && lambda > 0.995 && lambda < 1.005) result = -1;
        top = t;
        bottom = b;
    }
    Write_Strains(eps_top, eps_bottom, Round_To_Decimals(top, 10), Round_To_Decimals(bottom, 10));
    return result;
}

int Solve_Strain_Plane_Pattern(const Section_Record* section, const double* added_areas,
                               const double* added_depths, int added_count, double N, double M,
                               int flag, double* eps_top, double* eps_bottom)
{
    if (section == nullptr) return No_Section(eps_top, eps_bottom);
    const auto [count, areas, depths] = Usable_Layers(added_count, added_areas, added_depths);
    const double range = Steel_Limit_Strain(section, flag) - section->concrete_law.eps_cu;
    double step_m = 0.01 * range;
    double step_d = 0.02 * range;
    double m = 0.0, d = 0.0;
    double distance = std::sqrt(N * N + M * M);
    if (distance <= RESIDUAL_BOUND) {
        Write_Strains(eps_top, eps_bottom, 0.0, 0.0);
        return 0;
    }
    long evaluations = 0;
    const double dm[4] = {1.0, -1.0, 0.0, 0.0};
    const double dd[4] = {0.0, 0.0, 1.0, -1.0};
    for (;;) {
        int best = -1;
        double best_distance = distance;
        for (int k = 0; k < 4; ++k) {
            const double mt = m + dm[k] * step_m;
            const double dt = d + dd[k] * step_d;
            double Nc = 0.0, Mc = 0.0;
            Integrate_Section_Forces(section, areas, depths, count, mt - dt, mt + dt, flag, &Nc,
                                     &Mc);
            ++evaluations;
            const double dist = std::sqrt((N - Nc) * (N - Nc) + (M - Mc) * (M - Mc));
            if (dist < best_distance) {
                best_distance = dist;
                best = k;
            }
            if (evaluations >= 100001) {
                Write_Strains(eps_top, eps_bottom, mt - dt, mt + dt);
                return 1;
            }
        }
        if (best >= 0) {
            m += dm[best] * step_m;
            d += dd[best] * step_d;
            distance = best_distance;
            if (distance <= RESIDUAL_BOUND) {
                Write_Strains(eps_top, eps_bottom, m - d, m + d);
                return 0;
            }
        } else {
            step_m *= 0.5;
            step_d *= 0.5;
        }
    }
}

int Solve_Strain_Plane_Secant(const Section_Record* section, const double* added_areas,
                              const double* added_depths, int added_count, double N, double M,
                              int flag, double* eps_top, double* eps_bottom)
{
    if (section == nullptr) return No_Section(eps_top, eps_bottom);
    const auto [count, areas, depths] = Usable_Layers(added_count, added_areas, added_depths);
    const double h = section->height;
    const double eps_cu = section->concrete_law.eps_cu;
    const double eps_peak = section->concrete_law.eps_peak;
    const double eps_su = Steel_Limit_Strain(section, flag);

    long evaluations = 0;
    double r_N = 0.0, r_M = 0.0;
    double top = 0.0, bottom = 0.0;
    auto plane = [&](double m, double k) {
        top = m - k * h * 0.5;
        bottom = m + k * h * 0.5;
    };
    // Structured bindings are captured by init-capture (not every compiler takes them
    // in a default capture).
    auto forces = [&, areas = areas, depths = depths, count = count](double t, double b, double* Nc,
                                                                     double* Mc) {
        Integrate_Section_Forces(section, areas, depths, count, t, b, flag, Nc, Mc);
        ++evaluations;
    };
    auto evaluate = [&](double m, double k) {
        plane(m, k);
        double Nc = 0.0, Mc = 0.0;
        forces(top, bottom, &Nc, &Mc);
        r_N = Nc - N;
        r_M = Mc - M;
        if (!std::isfinite(r_N)) r_N = 1e100;
        if (!std::isfinite(r_M)) r_M = 1e100;
    };

    // Start from the forces of uniform states and of a reference plane.
    double m;
    if (std::fabs(N) < 1e-5) {
        m = -0.001 * (eps_su - eps_cu);
    } else if (N < 0.0) {
        double Nu = 0.0, Mu = 0.0;
        forces(eps_cu, eps_cu, &Nu, &Mu);
        m = 0.5 * (eps_cu + eps_peak);
        if (Nu < 0.0) m *= N / Nu;
    } else {
        double Nu = 0.0, Mu = 0.0;
        forces(eps_su, eps_su, &Nu, &Mu);
        m = Nu > 0.0 ? eps_su * N / Nu : 0.001 * (eps_su - eps_cu);
    }
    double k = 0.0;
    if (h > 0.0 && M != 0.0) {
        const double t_ref = M >= 0.0 ? eps_cu : eps_su;
        const double b_ref = M >= 0.0 ? eps_su : eps_cu;
        double Nr = 0.0, Mr = 0.0;
        forces(t_ref, b_ref, &Nr, &Mr);
        const double k_ref = (b_ref - t_ref) / h;
        k = Mr != 0.0 ? k_ref * M / Mr : k_ref;
        if (!std::isfinite(k)) k = k_ref;
    }

    evaluate(m, k);

    // Secant steps on both unknowns at once (Broyden's update of the slopes of N and M
    // over m and k). A step that does not shrink the residual is reversed and halved; where
    // the slopes vanish (both steels yielded, the concrete in its plateau) they are measured
    // afresh with doubled differences. Steps are bounded so that a flat stretch of the laws
    // cannot throw the plane far outside the admissible strains.
    const double first_step = 0.001 * (eps_su - eps_cu);
    const double max_step = 0.1 * std::fabs(eps_su - eps_cu);
    const double k_scale = h > 0.0 ? 1.0 / h : 0.0;
    double J[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
    double difference = first_step;
    auto measure_slopes = [&]() {
        const double m0 = m, k0 = k, rN0 = r_N, rM0 = r_M;
        evaluate(m0 + difference, k0);
        J[0][0] = (r_N - rN0) / difference;
        J[1][0] = (r_M - rM0) / difference;
        if (h > 0.0) {
            const double dk = difference * k_scale;
            evaluate(m0, k0 + dk);
            J[0][1] = (r_N - rN0) / dk;
            J[1][1] = (r_M - rM0) / dk;
        } else {
            J[0][1] = 0.0;
            J[1][1] = 1.0;
        }
        m = m0;
        k = k0;
        r_N = rN0;
        r_M = rM0;
        plane(m, k);
    };
    auto norm = [](double a, double b) { return std::sqrt(a * a + b * b); };
    measure_slopes();
    while (evaluations < 10001) {
        if (std::fabs(r_N) < RESIDUAL_BOUND && std::fabs(r_M) < RESIDUAL_BOUND) {
            Write_Strains(eps_top, eps_bottom, top, bottom);
            return 0;
        }
        const double det = J[0][0] * J[1][1] - J[0][1] * J[1][0];
        double dm = 0.0, dk = 0.0;
        if (det != 0.0 && std::isfinite(det)) {
            dm = (-r_N * J[1][1] + r_M * J[0][1]) / det;
            dk = (-r_M * J[0][0] + r_N * J[1][0]) / det;
        }
        if (h <= 0.0) dk = 0.0;
        if (!std::isfinite(dm) || !std::isfinite(dk) || (dm == 0.0 && dk == 0.0)) {
            // No usable slopes (a flat stretch of the laws): N grows with m and M with k, so
            // step out against the residuals with a growing difference and measure again.
            difference = std::min(2.0 * difference, max_step);
            if (std::fabs(r_N) >= RESIDUAL_BOUND) m += r_N > 0.0 ? -difference : difference;
            if (h > 0.0 && std::fabs(r_M) >= RESIDUAL_BOUND)
                k += (r_M > 0.0 ? -difference : difference) * k_scale;
            evaluate(m, k);
            measure_slopes();
            continue;
        }
        const double size = std::max(std::fabs(dm), std::fabs(dk) * h);
        if (size > max_step) {
            dm *= max_step / size;
            dk *= max_step / size;
        }
        const double m0 = m, k0 = k, rN0 = r_N, rM0 = r_M;
        m = m0 + dm;
        k = k0 + dk;
        evaluate(m, k);
        if (norm(r_N, r_M) >= norm(rN0, rM0)) {
            // Reversed and halved: half-way back.
            dm *= 0.5;
            dk *= 0.5;
            m -= dm;
            k -= dk;
            evaluate(m, k);
            dm = m - m0;
            dk = k - k0;
        }
        // Broyden's update of the slopes with the step actually made.
        const double sq = dm * dm + dk * dk * h * h;
        if (sq > 0.0) {
            const double fN = (r_N - rN0) - (J[0][0] * dm + J[0][1] * dk);
            const double fM = (r_M - rM0) - (J[1][0] * dm + J[1][1] * dk);
            J[0][0] += fN * dm / sq;
            J[0][1] += fN * dk * h * h / sq;
            J[1][0] += fM * dm / sq;
            J[1][1] += fM * dk * h * h / sq;
        }
        if (norm(r_N, r_M) >= norm(rN0, rM0)) {
            difference = first_step;
            measure_slopes();
        }
    }
    Write_Strains(eps_top, eps_bottom, top, bottom);
    return 1;
}

void GetEps1A(const Section_Record* section, const double* added_areas, const double* added_depths,
              int added_count, double N, double M, int flag, double* eps_top, double* eps_bottom)
{
    std::printf("GetEps1A, v = %d\n", strain_solver_method);
    std::fflush(stdout);
    switch (strain_solver_method) {
    case 3:
        Solve_Strain_Plane_Secant(section, added_areas, added_depths, added_count, N, M, flag,
                                  eps_top, eps_bottom);
        break;
    case 4:
        Solve_Strain_Plane_Pattern(section, added_areas, added_depths, added_count, N, M, flag,
                                   eps_top, eps_bottom);
        break;
    case 2:
        Solve_Strain_Plane_Stepwise(section, added_areas, added_depths, added_count, N, M, flag,
                                    eps_top, eps_bottom);
        break;
    default:
        Solve_Strain_Plane_Hybrd(section, added_areas, added_depths, added_count, N, M, flag,
                                 eps_top, eps_bottom);
        break;
    }
    ++strain_solver_method;
    if (strain_solver_method > 5) strain_solver_method = 2;
}

void Dump_Strain_Scan(const Section_Record* section, const double* added_areas,
                      const double* added_depths, int added_count, double N, double M, int flag,
                      FILE* mean_file, FILE* edge_file)
{
    if (section == nullptr || mean_file == nullptr || edge_file == nullptr) return;
    const auto [count, areas, depths] = Usable_Layers(added_count, added_areas, added_depths);
    const double eps_cu = section->concrete_law.eps_cu;
    const double z_steel =
        count > 0 ? depths[Find_Extreme_Index(count, depths, 1)] : section->lower_layer_depth;
    // A steel layer at the top edge gives no plane: the scan then stays on eps_cu.
    const double end = z_steel != 0.0 ? Strain_On_Line(0.0, eps_cu, z_steel,
                                                       Steel_Limit_Strain(section, flag),
                                                       section->height)
                                      : eps_cu;
    const double step = 0.01 * (end - eps_cu);
    double low[3] = {0.0, 0.0, 0.0}, high[3] = {0.0, 0.0, 0.0};
    bool first = true;
    for (int i = 0; i <= 100; ++i) {
        const double top = eps_cu + i * step;
        for (int j = 0; j <= 100; ++j) {
            const double bottom = eps_cu + j * step;
            double Nc = 0.0, Mc = 0.0;
            Integrate_Section_Forces(section, areas, depths, count, top, bottom, flag, &Nc, &Mc);
            const double v[3] = {500.0 * (top + bottom), 1000.0 * (bottom - top),
                                 std::sqrt((N - Nc) * (N - Nc) + (M - Mc) * (M - Mc))};
            std::fprintf(mean_file, "%f %f %f\n", v[0], v[1], v[2]);
            std::fprintf(edge_file, "%f %f %f\n", 1000.0 * top, 1000.0 * bottom, v[2]);
            for (int k = 0; k < 3; ++k) {
                if (first || v[k] < low[k]) low[k] = v[k];
                if (first || v[k] > high[k]) high[k] = v[k];
            }
            first = false;
        }
    }
    std::printf("epsm (min/max)    %f   %f\n", low[0], high[0]);
    std::printf("kappa (min/max)   %f   %f\n", low[1], high[1]);
    std::printf("f2 (min/max)      %f   %f\n", low[2], high[2]);
}
