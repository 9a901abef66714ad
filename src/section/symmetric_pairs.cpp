#include "section/symmetric_pairs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "section/failure_load_search.h"
#include "section/layer_area_design.h"
#include "section/section_design.h"
#include "section/section_laws.h"

Steel_Law symmetric_law_table[2];

namespace {

constexpr int kMaxIterations = 1000;
constexpr double kSolvedResidual = 0.0025;
constexpr double kTiny = 1e-5;
constexpr double kPlainConcreteAngle = 15.0 * std::numbers::pi / 180.0;

double Sign(double x)
{
    return (x > 0.0) ? 1.0 : ((x < 0.0) ? -1.0 : 0.0);
}

// Which edge is compressed: side T the top edge (fibre a at depth 0), side B the bottom.
struct Side {
    bool top;
    double z_a, z_b;   // compressed edge, opposite edge
    double z_s, z_s2;  // tension layer, compression layer
    double z_C;        // pivot of the fully compressed planes
};

Side Make_Side(const Section_Record& w, bool top)
{
    const double h = w.height;
    const double ratio = w.concrete_law.eps_peak / w.concrete_law.eps_cu;
    Side s;
    s.top = top;
    if (top) {
        s.z_a = 0.0;
        s.z_b = h;
        s.z_s = w.lower_layer_depth;
        s.z_s2 = w.upper_layer_depth;
        s.z_C = (1.0 - ratio) * h;
    } else {
        s.z_a = h;
        s.z_b = 0.0;
        s.z_s = w.upper_layer_depth;
        s.z_s2 = w.lower_layer_depth;
        s.z_C = ratio * h;
    }
    return s;
}

// A plane: the strains of fibre a and fibre b of its side, and the state it is in.
struct Plane {
    double eps_a = 0.0;
    double eps_b = 0.0;
    int state = 0;
};

struct Retained {
    bool present = false;
    Plane plane;
    bool top = true;
    double factor = 0.0;
    double A = 0.0;
    double r_N = 1e100;
};

struct Walk {
    const Section_Record& w = section_work_copy;
    int n_layers = 2;
    Equal_Area_Sizing sizing = nullptr;
    void* context = nullptr;
    bool pair_fallback = false;
    Section_Design_Result* result = nullptr;
    double N = 0.0, M = 0.0;  // M is taken as 0 for a pure normal force that leaves a moment
    double N_given = 0.0, M_given = 0.0;
    double gamma = 0.0;
    bool fixed = false;
    double eps_su = 0.0, eps_yd = 0.0, eps_cu = 0.0, eps_peak = 0.0, fy2 = 0.0;
    double e = 1e100;     // depth of the line of action
    bool inside = false;  // 0 < e < h
    Side side{};
    double gain = 0.1;
    bool plain_mark = false;
    Retained retained;

    double Strain(const Plane& p, double z) const
    {
        return Strain_On_Line(side.z_a, p.eps_a, side.z_b, p.eps_b, z);
    }
    double Top(const Plane& p) const { return side.top ? p.eps_a : p.eps_b; }
    double Bottom(const Plane& p) const { return side.top ? p.eps_b : p.eps_a; }

    // Fibre b of the plane through fibre a and the tension layer at eps_s.
    double Fibre_B_Through_Steel(double eps_a, double eps_s) const
    {
        return Strain_On_Line(side.z_a, eps_a, side.z_s, eps_s, side.z_b);
    }

    // The least strain fibre a may take: eps_cu, and for a compressed fibre b the strain of
    // the line through the pivot (z_C, eps_peak) and fibre b, where that is larger.
    double Limit_A(double eps_b) const
    {
        if (!(eps_b < 0.0)) return eps_cu;
        return std::max(eps_cu, Strain_On_Line(side.z_C, eps_peak, side.z_b, eps_b, side.z_a));
    }

    double Factor(const Plane& p) const
    {
        return Layer_Design_Safety_Factor(Strain(p, side.z_s), gamma);
    }

    void Evaluate(double eps_top, double eps_bottom, double g, Equal_Area_Plane* ev,
                  double* r_M) const
    {
        sizing(eps_top, eps_bottom, g * N, ev, context);
        // A common area that balances N leaves no normal-force residual but rounding.
        if (ev->A > 0.0) ev->r_N = 0.0;
        if (M != 0.0) {
            *r_M = std::fabs((g * M - ev->M_R) / (g * M));
        } else {
            *r_M = (std::fabs(ev->M_R) < kTiny) ? 0.0 : 1e100;
        }
    }

    void Write(const Plane& p, double A, double factor) const
    {
        Write_Strains(Top(p), Bottom(p));
        result->x_tension = 0.0;
        result->As_top = A;
        result->As_bottom = A;
        result->As_total = n_layers * A;
        result->gamma_used = factor;
    }

    void Write_Strains(double eps_top, double eps_bottom) const
    {
        result->eps_top = eps_top;
        result->eps_bottom = eps_bottom;
        result->eps_top_layer =
            Strain_On_Line(0.0, eps_top, w.height, eps_bottom, w.upper_layer_depth);
        result->eps_bottom_layer =
            Strain_On_Line(0.0, eps_top, w.height, eps_bottom, w.lower_layer_depth);
    }

    Plane Start_Plane(int state) const;
    void Reclassify(Plane* p) const;
    void Move(Plane* p, double amount) const;
    bool Plain_Concrete_Applies(const Equal_Area_Plane& ev, double g) const;
};

Plane Walk::Start_Plane(int state) const
{
    Plane p;
    switch (state) {
    case 0:
        p.eps_a = eps_su;
        p.eps_b = eps_su;
        p.state = 1;
        break;
    case 1:
        p.eps_a = 0.0;
        p.eps_b = Fibre_B_Through_Steel(p.eps_a, eps_su);
        p.state = 1;
        break;
    case 2:
        p.eps_a = 0.5 * eps_cu;
        p.eps_b = Fibre_B_Through_Steel(p.eps_a, eps_su);
        p.state = 2;
        break;
    case 3:
        p.eps_a = eps_cu;
        p.eps_b = 0.0;
        p.state = 4;
        break;
    case 4:
        p.eps_a = eps_cu;
        p.eps_b = Fibre_B_Through_Steel(p.eps_a, eps_yd);
        p.state = 4;
        break;
    default:
        p.eps_a = eps_peak;
        p.eps_b = eps_peak;
        p.state = 5;
        break;
    }
    return p;
}

// After a move: the state along the failure boundary that the free strain now lies in.
void Walk::Reclassify(Plane* p) const
{
    if (p->state <= 2) {
        // Fibre a free, the tension layer held at its limit.
        if (p->eps_a > eps_su) {
            p->eps_a = eps_su;
            p->state = 1;
        } else if (p->eps_a < 0.0) {
            const double lim = Limit_A(Fibre_B_Through_Steel(p->eps_a, eps_su));
            if (p->eps_a >= lim) {
                p->state = 2;
            } else {
                p->eps_a = lim;
                p->state = 3;
            }
        }
        p->eps_b = Fibre_B_Through_Steel(p->eps_a, eps_su);
        return;
    }
    // Fibre b free, fibre a at its limit.
    if (p->eps_b < eps_peak) p->eps_b = eps_peak;
    p->eps_a = Limit_A(p->eps_b);
    const double eps_s = Strain(*p, side.z_s);
    if (eps_s > eps_su) {
        p->state = 2;
        p->eps_b = Fibre_B_Through_Steel(p->eps_a, eps_su);
    } else if (eps_s >= eps_yd) {
        p->state = 3;
    } else if (p->eps_b >= 0.0) {
        p->state = 4;
    } else {
        p->state = 5;
    }
}

// A positive amount turns the plane towards more curvature: fibre a lower in states 1 and
// 2, fibre b higher in states 3 to 5.
void Walk::Move(Plane* p, double amount) const
{
    if (p->state <= 2) {
        p->eps_a -= amount;
    } else {
        p->eps_b += amount;
    }
    Reclassify(p);
}

bool Walk::Plain_Concrete_Applies(const Equal_Area_Plane& ev, double g) const
{
    const double gN = g * N;
    const double gM = g * M;
    if (plain_mark || !(gN < kTiny) || !inside) return false;
    if (ev.N_c * gN < 0.0 || std::fabs(gN) > std::fabs(ev.N_c)) return false;
    if (ev.M_c * gM < 0.0 || std::fabs(gM) > std::fabs(ev.M_c)) return false;
    const double angle = std::atan2(gM * ev.N_c - gN * ev.M_c, ev.M_c * gM + gN * ev.N_c);
    return std::fabs(angle) < kPlainConcreteAngle;
}

// The order in which the strain states are tried.
void Choose_Order(const Walk& k, int order[3])
{
    const Section_Record& w = k.w;
    auto set = [order](int a, int b, int c) {
        order[0] = a;
        order[1] = b;
        order[2] = c;
    };
    const double h = w.height;
    const int last = std::clamp(w.part_count, 1, SECTION_MAX_PARTS) - 1;
    if (k.e < w.part_top[0] || k.e > w.part_bottom[last]) {
        set(3, 2, 4);
    } else if (k.N <= 0.0) {
        if (std::fabs(k.M) < kTiny) {
            set(5, 4, 3);
        } else if (std::fabs(k.M / k.N) < 0.05) {
            set(3, 5, 4);
        } else {
            // Uniform compression at the peak strain: does the common area balance N and
            // leave a moment?
            const double g = k.fixed ? k.gamma : 2.1;
            Equal_Area_Plane ev{};
            double r_M = 0.0;
            k.Evaluate(k.eps_peak, k.eps_peak, g, &ev, &r_M);
            if (ev.r_N == 0.0 && ev.M_R >= kTiny) {
                set(3, 5, 4);
            } else {
                set(4, 3, 5);
            }
        }
    } else if (h == 0.0 || std::fabs(k.M / (k.N * h)) <= 0.01) {
        set(0, 1, 2);
    } else {
        const double d = std::min(std::fabs(k.e), std::fabs(h - k.e));
        if (d / h <= 0.3) {
            set(2, 1, 3);
        } else {
            set(1, 0, 2);
        }
    }
}

// Pure normal force: the uniform plane at the steel limit (tension) or at the peak strain
// (compression). Returns true when the result is written (status in *status).
bool Pure_Normal_Force(Walk& k, int* status)
{
    Section_Design_Result* r = k.result;
    if (k.N == 0.0) {
        k.Write_Strains(0.0, 0.0);
        r->x_tension = 0.0;
        r->As_top = 0.0;
        r->As_bottom = 0.0;
        r->As_total = 0.0;
        r->gamma_used = 1e100;
        *status = 0;
        return true;
    }
    const double eps = (k.N > 0.0) ? k.eps_su : k.eps_peak;
    double g = (k.N > 0.0) ? (k.fixed ? k.gamma : 1.75) : (k.fixed ? k.gamma : 2.1);
    Equal_Area_Plane ev{};
    double r_M = 0.0;
    k.Evaluate(eps, eps, g, &ev, &r_M);
    int s = 0;
    double A = ev.A;
    if (std::fabs(ev.r_N) >= kTiny) {
        if (k.N < 0.0 && ev.N_c <= g * k.N) {
            // The concrete alone carries the factored compression.
            g = ev.N_c / k.N;
            A = 0.0;
        } else {
            s = 1;
        }
    }
    if (std::fabs(ev.M_R) < kTiny) {
        k.Write(Plane{eps, eps, 0}, A, g);
        *status = s;
        return true;
    }
    k.M = 0.0;
    return false;
}

enum class Trial_End { next_trial, solved, fallback, plain_concrete };

struct Trial_Outcome {
    Trial_End end = Trial_End::next_trial;
    Plane plane;
    double A = 0.0;
    double factor = 0.0;
};

// One strain state, iterated until it is solved, stalls or the plain-concrete test stops it.
Trial_Outcome Iterate_State(Walk& k, int start_state)
{
    Trial_Outcome out;
    Plane p = k.Start_Plane(start_state);
    double step_m = 1e-4;
    double step_f = 1e-4;
    double dir = 1.0;
    double g = k.Factor(p);
    Equal_Area_Plane ev{};
    double r_M = 0.0;
    k.Evaluate(k.Top(p), k.Bottom(p), g, &ev, &r_M);
    bool have_prev = false;
    double prev_d = 0.0, prev_rN = 0.0;

    for (int i = 1; i <= kMaxIterations; ++i) {
        if (r_M <= kSolvedResidual && std::fabs(ev.r_N) <= kSolvedResidual) {
            out.end = Trial_End::solved;
            out.plane = p;
            out.A = ev.A;
            out.factor = g;
            return out;
        }
        if (i == 500) {
            step_m = 5e-5;
            step_f = 5e-5;
        } else if (i > 500) {
            const double cap = (kMaxIterations - i) * 1e-7;
            step_m = std::min(step_m, cap);
            step_f = std::min(step_f, cap);
        }
        const double d = g * k.M - ev.M_R;
        if (ev.r_N == 0.0) {
            if (k.pair_fallback && p.state == 1 && i > 500 && have_prev
                && std::fabs(d - prev_d) < kTiny) {
                out.end = Trial_End::fallback;
                return out;
            }
            if (have_prev && (Sign(d) != Sign(prev_d) || std::fabs(prev_rN) >= kTiny)) {
                step_m *= 0.5;
                k.gain *= 0.5;
            }
            double move = 0.0;
            if (k.M == 0.0) {
                if (std::fabs(ev.M_R) >= kTiny) move = Sign(ev.M_R) * step_m;
            } else if (std::fabs(ev.M_R) >= kTiny) {
                const double h = k.w.height;
                const double slope = (h != 0.0) ? (p.eps_b - p.eps_a) / h : Sign(p.eps_b - p.eps_a);
                const double s = (g * k.M / ev.M_R - 1.0) * slope * k.gain;
                const double size = (h != 0.0) ? std::fabs(s * h) : std::fabs(s);
                move = Sign(s) * std::max(std::min(size, step_m), 0.1 * step_m);
            } else {
                move = Sign(d) * step_m;
            }
            if (have_prev) {
                const bool worse = (k.M == 0.0) ? std::fabs(d) >= std::fabs(prev_d)
                                                : std::fabs(d) > std::fabs(prev_d);
                if (worse) {
                    dir = -dir;
                    step_m *= 0.75;
                }
            }
            const double product = Sign(move) * dir;
            if (product != 0.0) k.Move(&p, product * std::fabs(move));
        } else {
            if (have_prev && (Sign(ev.r_N) != Sign(prev_rN) || std::fabs(prev_rN) < kTiny))
                step_f *= 0.5;
            // Towards tension when the section is too much compressed, else towards
            // compression: fibre a up (states 1, 2) or fibre b up (states 3 to 5) is tension.
            const double towards_tension = (ev.r_N > 0.0) ? 1.0 : -1.0;
            k.Move(&p, (p.state <= 2 ? -1.0 : 1.0) * towards_tension * step_f);
        }
        have_prev = true;
        prev_d = d;
        prev_rN = ev.r_N;

        g = k.Factor(p);
        k.Evaluate(k.Top(p), k.Bottom(p), g, &ev, &r_M);

        // An area of about zero that misses the moment while the two layers' stresses
        // nearly cancel: the area that closes the moment by the couple of the layers.
        const bool misses = (k.M != 0.0) ? r_M >= kTiny : std::fabs(ev.M_R) >= kTiny;
        if (std::fabs(ev.A) < kTiny && misses && std::fabs(ev.sum_sigma) < 0.001 * k.fy2
            && ev.sum_abs_lever >= kTiny) {
            const double A = std::fabs(g * k.M - ev.M_R) / ev.sum_abs_lever;
            if (std::fabs(ev.r_N) < 0.5) {
                out.end = Trial_End::solved;
                out.plane = p;
                out.A = A;
                out.factor = g;
                return out;
            }
            if (std::fabs(ev.r_N) < k.retained.r_N) {
                k.retained.present = true;
                k.retained.plane = p;
                k.retained.top = k.side.top;
                k.retained.factor = g;
                k.retained.A = A;
                k.retained.r_N = std::fabs(ev.r_N);
            }
        }
        if (k.Plain_Concrete_Applies(ev, g)) {
            out.end = Trial_End::plain_concrete;
            return out;
        }
    }
    return out;
}

}  // namespace

int Design_By_Strain_States(int n_layers, Equal_Area_Sizing sizing, void* context,
                            bool pair_fallback, Section_Design_Result* result, double N, double M,
                            double gamma)
{
    if (result == nullptr || sizing == nullptr) return 1;
    const Section_Record& w = section_work_copy;
    const Steel_Law& law2 = w.steel_law[2];
    Walk k{};
    k.n_layers = n_layers;
    k.sizing = sizing;
    k.context = context;
    k.pair_fallback = pair_fallback;
    k.result = result;
    k.N = N;
    k.M = M;
    k.N_given = N;
    k.M_given = M;
    k.gamma = gamma;
    k.fixed = std::fabs(gamma) >= kTiny;
    k.eps_su = law2.eps_u_t;
    k.eps_yd = (law2.E_t != 0.0) ? law2.fy_t / law2.E_t : 0.0;
    k.eps_cu = w.concrete_law.eps_cu;
    k.eps_peak = w.concrete_law.eps_peak;
    k.fy2 = law2.fy_t;
    k.e = (N != 0.0) ? M / N + w.reference_depth : 1e100;
    k.side = Make_Side(w, M >= 0.0);
    k.inside = k.e > 0.0 && k.e < w.height;

    if (std::fabs(M) < kTiny) {
        int status = 0;
        if (Pure_Normal_Force(k, &status)) return status;
    }

    int order[3];
    Choose_Order(k, order);
    const bool first_top = k.M >= 0.0;
    const int trials = (w.part_count >= 2) ? 6 : 3;
    for (int trial = 0; trial < trials; ++trial) {
        k.side = Make_Side(w, (trial < 3) ? first_top : !first_top);
        const Trial_Outcome t = Iterate_State(k, order[trial % 3]);
        switch (t.end) {
        case Trial_End::solved:
            k.Write(t.plane, t.A, t.factor);
            return 0;
        case Trial_End::fallback: {
            const int s = Design_Section(&section_work_copy, k.N_given, k.M_given, gamma, 0, result);
            if (s != 0) return s;
            const double A = std::max(result->As_top, result->As_bottom);
            result->As_top = A;
            result->As_bottom = A;
            result->As_total = 2.0 * A;
            return -1;
        }
        case Trial_End::plain_concrete: {
            // The concrete alone may carry the load: the failure state of the section
            // without design layers decides.
            double lambda = 0.0, eps_t = 0.0, eps_b = 0.0;
            const int s = Find_Strain_Plane_For_Forces(&section_work_copy, nullptr, nullptr, 0, N,
                                                       k.M, 1, &lambda, &eps_t, &eps_b);
            k.Write_Strains(eps_t, eps_b);
            result->x_tension = 0.0;
            result->As_top = 0.0;
            result->As_bottom = 0.0;
            result->As_total = 0.0;
            result->gamma_used = lambda;
            if (s > 0) return s;
            const double eps_s = Strain_On_Line(0.0, eps_t, w.height, eps_b, k.side.z_s);
            if (lambda >= Layer_Design_Safety_Factor(eps_s, gamma)) return 0;
            k.plain_mark = true;
            --trial;  // the same trial again, without this branch
            break;
        }
        case Trial_End::next_trial:
            break;
        }
    }
    if (k.retained.present) {
        k.side = Make_Side(w, k.retained.top);
        k.Write(k.retained.plane, k.retained.A, k.retained.factor);
        return -2;
    }
    return 1;
}

namespace {

// The balance of the two design layers, worked out inline: own layers with `steel_law[3]`,
// the two layers at unit area with the laws of `symmetric_law_table`, the concrete.
void Size_Layer_Pair(double eps_top, double eps_bottom, double gamma_N, Equal_Area_Plane* out,
                     void* /*context*/)
{
    const Section_Record& w = section_work_copy;
    const double h = w.height;
    const double z_ref = w.reference_depth;
    double N_own = 0.0, M_own = 0.0;
    const int own = std::clamp(w.layer_count, 0, SECTION_MAX_LAYERS);
    for (int i = 0; i < own; ++i) {
        const double eps = Strain_On_Line(0.0, eps_top, h, eps_bottom, w.layer_depth[i]);
        const double F = w.layer_area[i] * Calc_Steel_Stress(&w.steel_law[3], &w.concrete_law, eps);
        N_own += F;
        M_own += F * (w.layer_depth[i] - z_ref);
    }
    const double z[2] = {w.upper_layer_depth, w.lower_layer_depth};
    double sum = 0.0, sum_lever = 0.0, sum_abs_lever = 0.0;
    for (int j = 0; j < 2; ++j) {
        const double eps = Strain_On_Line(0.0, eps_top, h, eps_bottom, z[j]);
        const double sigma = Calc_Steel_Stress(&symmetric_law_table[j], &w.concrete_law, eps);
        sum += sigma;
        sum_lever += sigma * (z[j] - z_ref);
        sum_abs_lever += std::fabs(sigma) * std::fabs(z[j] - z_ref);
    }
    double N_c = 0.0, M_c = 0.0;
    Integrate_Concrete_Forces(&w.concrete_law, w.part_count, w.part_top, w.part_bottom,
                              w.width_slope, w.width_at_zero, eps_top, 0.0, eps_bottom, h, &N_c,
                              &M_c);
    M_c -= N_c * z_ref;
    double A = (sum != 0.0) ? (gamma_N - N_c - N_own) / sum : 0.0;
    if (A < 0.0) A = 0.0;
    out->A = A;
    out->r_N = gamma_N - N_c - N_own - A * sum;
    out->M_R = M_c + M_own + A * sum_lever;
    out->sum_sigma = sum;
    out->sum_abs_lever = sum_abs_lever;
    out->N_c = N_c;
    out->M_c = M_c;
}

}  // namespace

int Design_Symmetric_Layer_Pair(Section_Design_Result* result, double N, double M, double gamma)
{
    symmetric_law_table[0] = section_work_copy.steel_law[2];
    symmetric_law_table[1] = section_work_copy.steel_law[2];
    return Design_By_Strain_States(2, Size_Layer_Pair, nullptr, true, result, N, M, gamma);
}
