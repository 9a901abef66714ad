// Designs with equal layer areas. The walk follows the ultimate strain envelope from
// uniform tension at the steel limit strain towards uniform compression; each plane gets
// the common layer area that balances the factored normal force, and the plane whose
// moment matches the factored moment is the design. Brackets of a sign change are refined
// by the root finder, the walk itself by passes of ten times finer steps.
#include "section/equal_area_design.h"

#include <cmath>
#include <optional>

#include "base/numeric.h"
#include "section/failure_load_search.h"
#include "section/layer_area_design.h"
#include "section/limit_strain_walk.h"
#include "section/section_design.h"
#include "section/section_laws.h"

namespace {

constexpr int kMaxEqualLayers = kMaxDesignLayers;
constexpr int kEvaluationsPerOrientation = 5002;
constexpr double kPi = 3.14159265358979323846;

// The law of every equal layer (`steel_law[2]`), refilled at every call.
Steel_Law equal_layer_law_table[kMaxEqualLayers];

// One plane of the walk, evaluated.
struct Equal_Plane {
    double eps_a = 0.0, eps_b = 0.0;   // compressed edge, opposite edge
    double gamma = 0.0;
    double area = 0.0;                 // common area of one layer
    double R = 0.0;                    // normal-force residual
    double D = 0.0;                    // moment residual
    double Nc = 0.0, Mc = 0.0;         // concrete force and moment about the reference
};

// Geometry of one orientation of the envelope.
struct Orientation {
    bool top_compressed = true;
    double z_a = 0.0, z_s = 0.0, z_b = 0.0, z_c = 0.0;
};

struct Equal_Design {
    int n = 0;                              // number of equal layers
    bool two_layers = false;                // sizing inline on the two design layers
    double depths[kMaxEqualLayers] = {};
    double N = 0.0, M = 0.0, factor = 0.0;
    double tol_N = 0.0, tol_M = 0.0;
    double eps_su = 0.0, eps_c2 = 0.0, eps_cu = 0.0;
    bool pos_inside = false;
    bool plain_closed = false;
    Section_Design_Result* result = nullptr;
    Equal_Plane last;                       // last plane evaluated
    Orientation last_orientation;
};

Orientation Make_Orientation(const Section_Record& s, bool top_compressed)
{
    Orientation o;
    o.top_compressed = top_compressed;
    const double h = s.height;
    const double ratio = s.concrete_law.eps_peak / s.concrete_law.eps_cu;
    if (top_compressed) {
        o.z_a = 0.0;
        o.z_b = h;
        o.z_s = s.lower_layer_depth;
        o.z_c = (1.0 - ratio) * h;
    } else {
        o.z_a = h;
        o.z_b = 0.0;
        o.z_s = s.upper_layer_depth;
        o.z_c = ratio * h;
    }
    return o;
}

void Edge_Strains(const Orientation& o, double eps_a, double eps_b, double* eps_top,
                  double* eps_bottom)
{
    *eps_top = o.top_compressed ? eps_a : eps_b;
    *eps_bottom = o.top_compressed ? eps_b : eps_a;
}

// Force of the section's own layers (law block 3) for the plane.
double Own_Layer_Force(const Section_Record& s, double eps_top, double eps_bottom)
{
    double F = 0.0;
    const int layers = s.layer_count < SECTION_MAX_LAYERS ? s.layer_count : SECTION_MAX_LAYERS;
    for (int i = 0; i < layers; ++i) {
        const double e = Strain_On_Line(0.0, eps_top, s.height, eps_bottom, s.layer_depth[i]);
        F += s.layer_area[i] * Calc_Steel_Stress(&s.steel_law[3], &s.concrete_law, e);
    }
    return F;
}

// Evaluates the plane (eps_a, eps_b) of the orientation. The moment residual is taken
// against the unfactored moment for the first plane of a pass.
Equal_Plane Evaluate_Plane(Equal_Design& d, const Orientation& o, double eps_a, double eps_b,
                           bool first_of_pass)
{
    const Section_Record& s = section_work_copy;
    Equal_Plane p;
    p.eps_a = eps_a;
    p.eps_b = eps_b;
    const double eps_steel = Strain_On_Line(o.z_a, eps_a, o.z_b, eps_b, o.z_s);
    p.gamma = Layer_Design_Safety_Factor(eps_steel, d.factor);
    double eps_top, eps_bottom;
    Edge_Strains(o, eps_a, eps_b, &eps_top, &eps_bottom);
    const double gN = p.gamma * d.N;
    double M_total = 0.0;
    if (d.two_layers) {
        double sum_sigma = 0.0;
        Calc_Uniform_Layer_Area(&s, 2, equal_layer_law_table, d.depths, eps_top, eps_bottom, gN,
                                &sum_sigma, nullptr, nullptr, &p.Nc, &p.Mc, &M_total, &p.area);
        p.R = gN - p.Nc - p.area * sum_sigma - Own_Layer_Force(s, eps_top, eps_bottom);
    } else {
        p.R = Calc_Uniform_Layer_Area_Work(eps_top, eps_bottom, gN, nullptr, nullptr, nullptr,
                                           &p.Nc, &p.Mc, &M_total, &p.area);
    }
    p.D = M_total - (first_of_pass ? d.M : p.gamma * d.M);
    d.last = p;
    d.last_orientation = o;
    return p;
}

bool Accepted(const Equal_Design& d, const Equal_Plane& p)
{
    return std::fabs(p.R) < d.tol_N && std::fabs(p.D) < d.tol_M;
}

void Write_Design(const Equal_Design& d, const Orientation& o, double eps_a, double eps_b,
                  double gamma, double area)
{
    const Section_Record& s = section_work_copy;
    Section_Design_Result* r = d.result;
    double eps_top, eps_bottom;
    Edge_Strains(o, eps_a, eps_b, &eps_top, &eps_bottom);
    r->eps_top = eps_top;
    r->eps_bottom = eps_bottom;
    r->eps_top_layer = Strain_On_Line(0.0, eps_top, s.height, eps_bottom, s.upper_layer_depth);
    r->eps_bottom_layer = Strain_On_Line(0.0, eps_top, s.height, eps_bottom, s.lower_layer_depth);
    r->x_tension = -1.0;
    r->As_top = area;
    r->As_bottom = area;
    r->As_total = area * d.n;
    r->gamma_used = gamma;
}

void Write_Plane(const Equal_Design& d, const Orientation& o, const Equal_Plane& p)
{
    Write_Design(d, o, p.eps_a, p.eps_b, p.gamma, p.area);
}

// True when the concrete alone carries about the factored forces in their direction.
bool Plain_Concrete_Applies(const Equal_Design& d, const Equal_Plane& p)
{
    if (!d.pos_inside || d.plain_closed) return false;
    const double gN = p.gamma * d.N;
    const double gM = p.gamma * d.M;
    if (!(gN < 1e-5 && p.Nc < 1e-5)) return false;
    if (std::fabs(p.Nc) < 0.95 * std::fabs(gN)) return false;
    if (std::fabs(p.Mc) < 0.95 * std::fabs(gM)) return false;
    const double angle = std::atan2(std::fabs(gN * p.Mc - gM * p.Nc), gN * p.Nc + gM * p.Mc);
    return angle < 15.0 * kPi / 180.0;
}

// The failure state of the section with equal layers of a tiny, growing area: the first
// try without layers, then with the layers at their depths. True when a try carries the
// forces with the reference safety (the answer is written); otherwise the branch closes.
bool Plain_Concrete_Answer(Equal_Design& d)
{
    const Section_Record& s = section_work_copy;
    const double reference = std::fabs(d.factor) >= 1e-5 ? d.factor : 1.75;
    const Orientation top = Make_Orientation(s, true);
    for (int i = 1; i <= 100; ++i) {
        const double area = i * 5e-7 / d.n;
        double areas[kMaxEqualLayers];
        for (int k = 0; k < d.n; ++k) areas[k] = area;
        const int count = i == 1 ? 0 : d.n;
        double lambda = 0.0, eps_top = 0.0, eps_bottom = 0.0;
        const int status = Find_Strain_Plane_For_Forces(&s, areas, d.depths, count, d.N, d.M, 1,
                                                        &lambda, &eps_top, &eps_bottom);
        if (status == 0 && Round_To_Decimals(lambda - reference, 2) >= 0.0) {
            Write_Design(d, top, eps_top, eps_bottom, lambda, area);
            return true;
        }
    }
    d.plain_closed = true;
    return false;
}

enum class Walk_Outcome { designed, limit_reached };

// Refines a bracket that starts at `from` with the step t: the zero of the moment residual
// along the envelope. True when the plane at the root is accepted (the answer is written).
bool Refine_Bracket(Equal_Design& d, const Orientation& o, const Equal_Plane& from, double t,
                    int* evaluations)
{
    const Section_Record& s = section_work_copy;
    Equal_Layer_Factor_Context ctx;
    Edge_Strains(o, from.eps_a, from.eps_b, &ctx.eps_top, &ctx.eps_bottom);
    ctx.section = &s;
    ctx.layer_laws = equal_layer_law_table;
    ctx.layer_depths = d.depths;
    ctx.layer_count = d.n;
    ctx.gamma = d.factor;
    ctx.target_N = d.N;
    ctx.target_M = d.M;
    ctx.compressed_top = o.top_compressed ? 1 : 0;
    int status = 0;
    const double root =
        Find_Root(0.0, t, Equal_Layer_Moment_Residual, 1000, 1e-20, 0.1 * d.tol_M, &ctx, &status);
    if (status <= 0) return false;
    double eps_a = from.eps_a, eps_b = from.eps_b;
    Advance_Limit_Strain_State(&eps_a, &eps_b, o.z_a, o.z_s, o.z_b, o.z_c, d.eps_su, d.eps_c2,
                               d.eps_cu, root);
    const Equal_Plane p = Evaluate_Plane(d, o, eps_a, eps_b, false);
    ++*evaluations;
    if (!Accepted(d, p)) return false;
    Write_Plane(d, o, p);
    return true;
}

bool Bracketed(const Equal_Plane& prev, const Equal_Plane& cur)
{
    const bool d_changed = (prev.D < 0.0) != (cur.D < 0.0);
    const bool r_changed = (prev.R < 0.0) != (cur.R < 0.0);
    const bool one_small = std::fabs(prev.R) < 1e-5 || std::fabs(cur.R) < 1e-5;
    const bool both_large = std::fabs(prev.R) >= 1e-5 && std::fabs(cur.R) >= 1e-5;
    return (d_changed && one_small) || (r_changed && both_large);
}

// Walks the envelope in one orientation, pass after pass, until a plane is accepted or the
// evaluation budget is used up.
Walk_Outcome Walk_Orientation(Equal_Design& d, const Orientation& o, int steps)
{
    // Far-edge strain of the plane with eps_cu at the compressed edge and eps_su at the
    // tension steel; the path length follows from it.
    const double e = Strain_On_Line(o.z_a, d.eps_cu, o.z_s, d.eps_su, o.z_b);
    const double path = 1.1 * std::fabs((d.eps_c2 + d.eps_cu) - 2.0 * e);

    int evaluations = 0;
    // What ends the walk after an evaluation: the budget, an accepted plane (written) or the
    // answer of the plain concrete.
    auto walk_end = [&](const Equal_Plane& p) -> std::optional<Walk_Outcome> {
        if (++evaluations >= kEvaluationsPerOrientation) return Walk_Outcome::limit_reached;
        if (Accepted(d, p)) {
            Write_Plane(d, o, p);
            return Walk_Outcome::designed;
        }
        if (Plain_Concrete_Applies(d, p) && Plain_Concrete_Answer(d))
            return Walk_Outcome::designed;
        return std::nullopt;
    };

    double start_a = d.eps_su, start_b = d.eps_su;
    double length = path;
    for (;;) {
        const double t = -length / steps;
        bool have_bracket = false;
        double bracket_a = 0.0, bracket_b = 0.0, bracket_length = 0.0;

        Equal_Plane prev = Evaluate_Plane(d, o, start_a, start_b, true);
        if (const auto end = walk_end(prev)) return *end;

        for (int i = 0; i < steps; ++i) {
            double eps_a = prev.eps_a, eps_b = prev.eps_b;
            const int moved = Advance_Limit_Strain_State(&eps_a, &eps_b, o.z_a, o.z_s, o.z_b,
                                                         o.z_c, d.eps_su, d.eps_c2, d.eps_cu, t);
            if (moved == LIMIT_STATE_OFF_BOUNDARY) break;
            const Equal_Plane cur = Evaluate_Plane(d, o, eps_a, eps_b, false);
            if (const auto end = walk_end(cur)) return *end;
            if (Bracketed(prev, cur)) {
                if (Refine_Bracket(d, o, prev, t, &evaluations)) return Walk_Outcome::designed;
                if (evaluations >= kEvaluationsPerOrientation) return Walk_Outcome::limit_reached;
                have_bracket = true;
                bracket_a = prev.eps_a;
                bracket_b = prev.eps_b;
                bracket_length = std::fabs(t);
            }
            if (moved == LIMIT_STATE_PURE_COMPRESSION) break;
            prev = cur;
        }

        if (have_bracket) {
            start_a = bracket_a;
            start_b = bracket_b;
            length = bracket_length;
        } else {
            start_a = start_b = d.eps_su;
            length = path;
        }
        // The budget ends the walk long before this bound; it only keeps the count finite
        // when passes end early at the end of the envelope.
        if (steps < 100000000) steps *= 10;
    }
}

int Run_Equal_Design(Equal_Design& d)
{
    const Section_Record& s = section_work_copy;
    const double h = s.height;
    d.tol_N = std::fmax(0.003, std::fmin(0.005 * h, 0.001 * d.N));
    d.tol_M = std::fmax(0.003, std::fmin(0.025 * h * h, 0.001 * d.M));
    d.eps_su = s.steel_law[2].eps_u_t;
    d.eps_c2 = s.concrete_law.eps_peak;
    d.eps_cu = s.concrete_law.eps_cu;
    if (d.N != 0.0) {
        const double pos = s.reference_depth + d.M / d.N;
        d.pos_inside = pos > 0.0 && pos < h;
    }
    for (int i = 0; i < d.n; ++i) equal_layer_law_table[i] = s.steel_law[2];

    const bool top_first = d.M >= 0.0;
    d.last_orientation = Make_Orientation(s, top_first);
    struct Attempt {
        bool top_compressed;
        int steps;
    };
    const Attempt attempts[3] = {{top_first, 5}, {!top_first, 5}, {top_first, 100}};
    const int attempt_count = s.part_count > 1 ? 3 : 1;
    for (int a = 0; a < attempt_count; ++a) {
        const Orientation o = Make_Orientation(s, attempts[a].top_compressed);
        if (Walk_Orientation(d, o, attempts[a].steps) == Walk_Outcome::designed) return 0;
    }
    // No design: the result holds the last plane with its common area.
    Write_Plane(d, d.last_orientation, d.last);
    return 1;
}

}  // namespace

int Design_Symmetric_Two_Layers(Section_Design_Result* result, double N, double M, double gamma)
{
    if (result == nullptr) return 1;
    Equal_Design d;
    d.n = 2;
    d.two_layers = true;
    d.depths[0] = section_work_copy.upper_layer_depth;
    d.depths[1] = section_work_copy.lower_layer_depth;
    d.N = N;
    d.M = M;
    d.factor = gamma;
    d.result = result;
    return Run_Equal_Design(d);
}

int Design_Equal_Layers(int n, Section_Design_Result* result, double N, double M, double gamma)
{
    if (result == nullptr || n < 1) return 1;
    if (n > kMaxEqualLayers) n = kMaxEqualLayers;
    Equal_Design d;
    d.n = n;
    d.two_layers = false;
    for (int i = 0; i < n; ++i) d.depths[i] = layer_law_table.depth[i];
    d.N = N;
    d.M = M;
    d.factor = gamma;
    d.result = result;
    return Run_Equal_Design(d);
}

int Design_Equal_Layers_Averaged(Section_Design_Result* r, double N, double M, double gamma)
{
    if (r == nullptr) return 1;
    Section_Design_Result lower{}, upper{};
    if (Design_Equal_Layers(2, &lower, 0.99 * N, 0.99 * M, gamma) != 0
        || Design_Equal_Layers(2, &upper, 1.01 * N, 1.01 * M, gamma) != 0)
        return 1;
    r->eps_top = 0.5 * (lower.eps_top + upper.eps_top);
    r->eps_bottom = 0.5 * (lower.eps_bottom + upper.eps_bottom);
    r->eps_top_layer = 0.5 * (lower.eps_top_layer + upper.eps_top_layer);
    r->eps_bottom_layer = 0.5 * (lower.eps_bottom_layer + upper.eps_bottom_layer);
    r->x_concrete = 0.5 * (lower.x_concrete + upper.x_concrete);
    r->x_tension = 0.5 * (lower.x_tension + upper.x_tension);
    r->As_top = 0.5 * (lower.As_top + upper.As_top);
    r->As_bottom = 0.5 * (lower.As_bottom + upper.As_bottom);
    r->As_total = 0.5 * (lower.As_total + upper.As_total);
    r->gamma_used = 0.5 * (lower.gamma_used + upper.gamma_used);
    r->ring_share = 0.5 * (lower.ring_share + upper.ring_share);
    return 0;
}
