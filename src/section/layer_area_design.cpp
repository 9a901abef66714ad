// Layer-area design of a section (the work of the section design's mode 0).
//
// Case split by the position of the resultant of N and M:
//   - tension between the two layers: shared by the lever rule, both layers at their
//     tension limit strains;
//   - compression between the layers: strain-domain search first, then the layer design;
//   - anything else: the layer design first, then the strain-domain search.
// A negative moment is searched on the section turned upside down and mapped back.
#include "section/layer_area_design.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/numeric.h"
#include "section/failure_load_search.h"
#include "section/layer_design.h"
#include "section/section_design.h"
#include "section/section_laws.h"

Section_Record mirrored_section;

namespace {

// Bits of the work copy's `option_bits` that mark the derived records as built.
constexpr int kMirroredBuilt = 1;
constexpr int kLayerInputBuilt = 2;

constexpr double kNoValue = 1e100;
constexpr double kSearchStep = 1e-4;      // strain step of the domain search
constexpr double kRefineStep = 1e-5;      // strain step of the refinement
constexpr int kRefineMaxSteps = 100;
constexpr int kDomain5MaxSteps = 100000;  // bound for a concrete law without a usable peak
constexpr double kAreaTolerance = 1e-6;   // areas above -1e-6 count as admissible
constexpr int kFactorMaxRounds = 20;      // repeats of the layer design at a raised factor

// The answer of a negative-moment search on the mirrored section, mapped back afterwards.
Section_Design_Result mirrored_design_result;

// The records exchanged with the layer design, built once per work copy.
struct Layer_Design_Input {
    Layer_Design_Outline outline;
    Layer_Group top;
    Layer_Group bottom;
    double strain_limits[kLayerLimitCount];
};
Layer_Design_Input layer_design_input;
double layer_design_output[kLayerDesignResultSize];

// Fills the four strains of the result from the strains at the two edges.
void Write_Edge_Plane(Section_Design_Result* result, const Section_Record* s, double eps_top,
                      double eps_bottom)
{
    result->eps_top = eps_top;
    result->eps_bottom = eps_bottom;
    result->eps_top_layer =
        Strain_On_Line(0.0, eps_top, s->height, eps_bottom, s->upper_layer_depth);
    result->eps_bottom_layer =
        Strain_On_Line(0.0, eps_top, s->height, eps_bottom, s->lower_layer_depth);
}

// One part turned upside down within a section of height h.
void Mirror_Part(const Section_Record& src, int j, double h, Section_Record* dst, int i)
{
    dst->part_top[i] = h - src.part_bottom[j];
    dst->part_bottom[i] = h - src.part_top[j];
    dst->width_top[i] = src.width_bottom[j];
    dst->width_bottom[i] = src.width_top[j];
    Set_Part_Width_Line(dst, i);
}

void Build_Mirrored_Section(const Section_Record& s)
{
    Section_Record m;
    std::memset(&m, 0, sizeof m);
    const double h = s.height;
    int parts = s.part_count;
    if (parts < 0) parts = 0;
    if (parts > SECTION_MAX_PARTS) parts = SECTION_MAX_PARTS;
    m.part_count = s.part_count;
    m.height = h;
    for (int i = 0; i < parts; ++i) Mirror_Part(s, parts - 1 - i, h, &m, i);
    m.reference_depth = h - s.reference_depth;
    m.upper_layer_depth = h - s.lower_layer_depth;
    m.lower_layer_depth = h - s.upper_layer_depth;
    m.concrete_law = s.concrete_law;
    m.steel_law[0] = s.steel_law[1];
    m.steel_law[1] = s.steel_law[0];
    m.steel_law[2] = s.steel_law[2];
    m.steel_law[3] = s.steel_law[3];
    for (int k = 0; k < 3; ++k) m.design_param[k] = s.design_param[k];
    int layers = s.layer_count;
    if (layers < 0) layers = 0;
    if (layers > SECTION_MAX_LAYERS) layers = SECTION_MAX_LAYERS;
    m.layer_count = s.layer_count;
    for (int i = 0; i < layers; ++i) {
        m.layer_area[i] = s.layer_area[i];
        m.layer_depth[i] = h - s.layer_depth[i];
    }
    m.option_bits = 0;
    mirrored_section = m;
}

// True when the mirrored section no longer carries the work copy's own layers (the
// section design drops them for its second attempt on the same work copy).
bool Mirrored_Layers_Stale(const Section_Record& s)
{
    const Section_Record& m = mirrored_section;
    if (m.layer_count != s.layer_count) return true;
    int layers = s.layer_count;
    if (layers > SECTION_MAX_LAYERS) layers = SECTION_MAX_LAYERS;
    for (int i = 0; i < layers; ++i) {
        if (m.layer_area[i] != s.layer_area[i]) return true;
        if (m.layer_depth[i] != s.height - s.layer_depth[i]) return true;
    }
    return false;
}

void Fill_Layer_Group(Layer_Group* g, const Steel_Law& law, double depth)
{
    std::memset(g, 0, sizeof *g);
    g->layer_count = 1;
    g->fyd = law.fy_t;
    g->es = law.E_t * 0.001;
    g->k_t = law.k_t;
    g->fy_c = law.fy_c;
    g->es_c = law.E_c * 0.001;
    g->k_c = law.k_c;
    g->layer_flags = 1000000000;
    g->layer_value[0] = 0.1;
    g->depth[0] = depth;
    g->max_area[0] = 7853980.0;
}

// The strain limits take the tension side from the sign of M at the time of building; the
// record is not rebuilt for later calls on the same work copy.
void Build_Layer_Design_Input(const Section_Record& s, double M)
{
    Layer_Design_Input& in = layer_design_input;
    std::memset(&in, 0, sizeof in);
    Layer_Design_Outline& o = in.outline;
    int parts = s.part_count;
    if (parts < 0) parts = 0;
    if (parts > kLayerOutlineMax) parts = kLayerOutlineMax;
    o.part_count = s.part_count;
    o.height = s.height;
    o.fcd = s.concrete_law.fc;
    o.fct = s.concrete_law.fct;
    for (int i = 0; i < parts; ++i) {
        o.part_top[i] = s.part_top[i];
        o.part_bottom[i] = s.part_bottom[i];
        o.width_top[i] = s.width_top[i];
        o.width_bottom[i] = s.width_bottom[i];
        o.width_slope[i] = s.width_slope[i];
        o.width_at_zero[i] = s.width_at_zero[i];
    }
    o.reference_depth = s.reference_depth;
    Fill_Layer_Group(&in.top, s.steel_law[0], s.upper_layer_depth);
    Fill_Layer_Group(&in.bottom, s.steel_law[1], s.lower_layer_depth);

    const Steel_Law& tension = M >= 0.0 ? s.steel_law[1] : s.steel_law[0];
    const Steel_Law& other = M >= 0.0 ? s.steel_law[0] : s.steel_law[1];
    double* lim = in.strain_limits;
    lim[LIMIT_CONCRETE_TENSION_1] = s.concrete_law.eps_t_limit * 1000.0;
    lim[LIMIT_CONCRETE_TENSION_2] = s.concrete_law.eps_t_peak * 1000.0;
    lim[LIMIT_EPS_CU] = s.concrete_law.eps_cu * 1000.0;
    lim[LIMIT_EPS_C2] = s.concrete_law.eps_peak * 1000.0;
    lim[LIMIT_EPS_SU] = tension.eps_u_t * 1000.0;
    lim[LIMIT_EPS_SU_OTHER] = other.eps_u_c * 1000.0;
    lim[LIMIT_EPS_YD] = tension.eps_y_t * 1000.0;
    lim[LIMIT_EXPONENT] = s.concrete_law.exponent;
}

// ---- The strain-domain search ----

// Which plane sizing serves the search.
enum class Sizing { work_copy, mirrored, given };

struct Plane {
    double eps_top = 0.0, eps_bottom = 0.0;        // edges
    double eps_upper = 0.0, eps_lower = 0.0;       // design layers
    double gamma = 0.0;
    double A_top = 0.0, A_bottom = 0.0;
    double Nc = 0.0, Mc = 0.0;
    bool admissible = false;
    double total() const { return A_top + A_bottom; }
};

enum class Search_Outcome { found, not_found, plain_concrete_unresolved };

enum Domain { kDomain34 = 0, kDomain5 = 1 };

struct Search {
    const Section_Record* s;
    Sizing sizing;
    double N, M;          // M >= 0 for the search (the mirrored section takes -M)
    double factor;        // the caller's factor
    double gamma_2;       // the factor of the fully compressed domain
    bool pos_inside;      // resultant inside the section's depth
    Section_Design_Result* out;
    bool plain_taken = false;
};

void Size_Plane(const Search& se, Plane* p)
{
    const double Nt = p->gamma * se.N;
    const double Mt = p->gamma * se.M;
    switch (se.sizing) {
    case Sizing::work_copy:
        Calc_Layer_Areas_For_Plane(p->eps_upper, p->eps_lower, Nt, Mt, &p->A_top, &p->A_bottom,
                                   &p->Nc, &p->Mc);
        break;
    case Sizing::mirrored:
        Calc_Layer_Areas_For_Plane_Mirrored(p->eps_upper, p->eps_lower, Nt, Mt, &p->A_top,
                                            &p->A_bottom, &p->Nc, &p->Mc);
        break;
    case Sizing::given:
        Calc_Layer_Areas_For_Plane_Of_Section(se.s, p->eps_upper, p->eps_lower, Nt, Mt, &p->Nc,
                                              &p->Mc, &p->A_top, &p->A_bottom);
        break;
    }
    p->admissible = p->A_top > -kAreaTolerance && p->A_bottom > -kAreaTolerance;
}

// Plane of domains 3 and 4: the top edge at eps_cu, the bottom edge at eps_b.
Plane Domain34_Plane(const Search& se, double eps_b)
{
    const Section_Record* s = se.s;
    const double h = s->height;
    Plane p;
    p.eps_top = s->concrete_law.eps_cu;
    p.eps_bottom = eps_b;
    p.eps_upper = Strain_On_Line(0.0, p.eps_top, h, eps_b, s->upper_layer_depth);
    p.eps_lower = Strain_On_Line(0.0, p.eps_top, h, eps_b, s->lower_layer_depth);
    p.gamma = Layer_Design_Safety_Factor(p.eps_lower, se.factor);
    Size_Plane(se, &p);
    return p;
}

// The same plane given by the strain at the bottom layer (the grid of the search).
Plane Domain34_Plane_By_Steel(const Search& se, double eps_s)
{
    const Section_Record* s = se.s;
    const double eps_cu = s->concrete_law.eps_cu;
    Plane p;
    p.eps_top = eps_cu;
    p.eps_bottom = Strain_On_Line(0.0, eps_cu, s->lower_layer_depth, eps_s, s->height);
    p.eps_upper = Strain_On_Line(0.0, eps_cu, s->lower_layer_depth, eps_s, s->upper_layer_depth);
    p.eps_lower = eps_s;
    p.gamma = Layer_Design_Safety_Factor(eps_s, se.factor);
    Size_Plane(se, &p);
    return p;
}

// Depth of the pivot of the fully compressed domain (strain eps_c2 there).
double Pivot_Depth(const Section_Record* s)
{
    return (1.0 - s->concrete_law.eps_peak / s->concrete_law.eps_cu) * s->height;
}

// Plane of domain 5: turning about the pivot, the bottom edge at eps_b; the top edge is
// not taken below eps_cu.
Plane Domain5_Plane(const Search& se, double eps_b)
{
    const Section_Record* s = se.s;
    const double h = s->height;
    const double eps_cu = s->concrete_law.eps_cu;
    const double eps_c2 = s->concrete_law.eps_peak;
    Plane p;
    p.eps_bottom = eps_b;
    p.eps_top = Strain_On_Line(Pivot_Depth(s), eps_c2, h, eps_b, 0.0);
    if (p.eps_top < eps_cu) p.eps_top = eps_cu;
    p.eps_upper = Strain_On_Line(0.0, p.eps_top, h, eps_b, s->upper_layer_depth);
    p.eps_lower = Strain_On_Line(0.0, p.eps_top, h, eps_b, s->lower_layer_depth);
    p.gamma = se.gamma_2;
    Size_Plane(se, &p);
    return p;
}

// A plane past the failure envelope (the bottom steel beyond its limit strain, or the
// bottom edge of a fully compressed plane beyond the peak strain) is no design plane.
bool Beyond_Envelope(const Search& se, int domain, const Plane& p)
{
    const Section_Record* s = se.s;
    if (domain == kDomain34)
        return Round_To_Decimals(p.eps_lower - s->steel_law[1].eps_u_t, 8) > 0.0;
    return Round_To_Decimals(s->concrete_law.eps_peak - p.eps_bottom, 8) > 0.0;
}

Plane Plane_Of_Domain(const Search& se, int domain, double eps_b)
{
    return domain == kDomain34 ? Domain34_Plane(se, eps_b) : Domain5_Plane(se, eps_b);
}

// Total area of a refinement trial; a plane that is not admissible counts as best + 999.
double Refine_Total(const Search& se, int domain, double eps_b, double best_total)
{
    const Plane p = Plane_Of_Domain(se, domain, eps_b);
    if (!p.admissible || Beyond_Envelope(se, domain, p)) return best_total + 999.0;
    return p.total();
}

void Write_Plane(Section_Design_Result* out, const Plane& p)
{
    out->eps_top = p.eps_top;
    out->eps_bottom = p.eps_bottom;
    out->eps_top_layer = p.eps_upper;
    out->eps_bottom_layer = p.eps_lower;
    out->As_top = p.A_top;
    out->As_bottom = p.A_bottom;
    out->As_total = p.A_top + p.A_bottom;
    out->gamma_used = p.gamma;
}

enum class Plain_Result { none, restart, designed, unresolved };

// The concrete alone carries the factored forces: the failure state of the section without
// design layers decides whether it needs any reinforcement.
Plain_Result Plain_Concrete_Branch(Search& se)
{
    se.plain_taken = true;
    double lambda = 0.0, eps_t = 0.0, eps_b = 0.0;
    const int status = Find_Strain_Plane_For_Forces(se.s, nullptr, nullptr, 0, se.N, se.M, 0,
                                                    &lambda, &eps_t, &eps_b);
    Write_Edge_Plane(se.out, se.s, eps_t, eps_b);
    se.out->gamma_used = lambda;
    const double required = Layer_Design_Safety_Factor(se.out->eps_bottom_layer, se.factor);
    if (required > lambda) return Plain_Result::restart;
    if (status == 0) {
        se.out->As_top = 0.0;
        se.out->As_bottom = 0.0;
        se.out->As_total = 0.0;
        return Plain_Result::designed;
    }
    return Plain_Result::unresolved;
}

// A plane that cannot carry the forces with the two layers, while the concrete alone
// carries at least the factored forces.
bool Plain_Concrete_Applies(const Search& se, const Plane& p)
{
    if (p.admissible || !se.pos_inside || se.plain_taken) return false;
    return p.Nc <= p.gamma * se.N && p.gamma * se.M <= p.Mc;
}

Search_Outcome Run_Domain_Search(Search& se)
{
    const Section_Record* s = se.s;
    const double eps_cu = s->concrete_law.eps_cu;
    const double eps_c2 = s->concrete_law.eps_peak;

    // Pure axial force: the whole section at the peak strain.
    if (std::fabs(se.M) < 1e-5) {
        Plane p;
        p.eps_top = p.eps_bottom = p.eps_upper = p.eps_lower = eps_c2;
        p.gamma = se.gamma_2;
        Size_Plane(se, &p);
        Write_Plane(se.out, p);
        if (p.A_top < 0.0 || p.A_bottom < 0.0) {
            // The plain section carries it: no areas, its own safety as the factor.
            se.out->As_top = se.out->As_bottom = se.out->As_total = 0.0;
            se.out->gamma_used = se.N != 0.0 ? p.Nc / se.N : kNoValue;
        }
        return Search_Outcome::found;
    }

    for (;;) {
        bool have_best = false;
        double best_total = 1e10;
        int best_domain = kDomain34;
        Plane best;
        bool restart = false;

        // Keeps an admissible plane when it is the cheapest so far; runs the plain-concrete
        // branch where it applies.
        auto offer = [&](int domain, const Plane& p) -> Plain_Result {
            if (p.admissible) {
                if (p.total() < best_total) {
                    best_total = p.total();
                    best_domain = domain;
                    best = p;
                    have_best = true;
                }
                return Plain_Result::none;
            }
            if (!Plain_Concrete_Applies(se, p)) return Plain_Result::none;
            return Plain_Concrete_Branch(se);
        };

        // Domains 3 and 4: the compressed edge at eps_cu, the bottom steel from its limit
        // strain downwards while the bottom edge stays in tension.
        const double eps_su = s->steel_law[1].eps_u_t;
        for (int k = 0;; ++k) {
            const double eps_s = eps_su - k * kSearchStep;
            // A real plane leaves tension at the bottom edge before the steel strain falls
            // to eps_cu; this bound ends the loop for a bottom layer at depth 0 as well.
            if (eps_s < eps_cu) break;
            const Plane p = Domain34_Plane_By_Steel(se, eps_s);
            if (!(p.eps_bottom > 0.0)) break;
            const Plain_Result r = offer(kDomain34, p);
            if (r == Plain_Result::restart) { restart = true; break; }
            if (r == Plain_Result::designed) return Search_Outcome::found;
            if (r == Plain_Result::unresolved) return Search_Outcome::plain_concrete_unresolved;
        }
        if (restart) continue;

        // Domain 5: the whole section compressed, turning about the pivot.
        if (eps_c2 < 5e-5) {
            for (int k = 0; k < kDomain5MaxSteps; ++k) {
                const double eps_b = -k * kSearchStep;
                if (!(eps_b > eps_c2 - 5e-5)) break;
                const Plane p = Domain5_Plane(se, eps_b);
                const Plain_Result r = offer(kDomain5, p);
                if (r == Plain_Result::restart) { restart = true; break; }
                if (r == Plain_Result::designed) return Search_Outcome::found;
                if (r == Plain_Result::unresolved) return Search_Outcome::plain_concrete_unresolved;
            }
            if (restart) continue;
        }

        if (!have_best) return Search_Outcome::not_found;

        // Refinement of the best plane by its bottom-edge strain.
        const double best_eps_b = best.eps_bottom;
        const double up = Refine_Total(se, best_domain, best_eps_b + kRefineStep, best_total);
        const double down = Refine_Total(se, best_domain, best_eps_b - kRefineStep, best_total);
        const double better = up <= down ? up : down;
        if (better < best_total) {
            const double dir = up <= down ? kRefineStep : -kRefineStep;
            double eps_b = best_eps_b + dir;
            double total = better;
            for (int i = 0; i < kRefineMaxSteps; ++i) {
                const double next = Refine_Total(se, best_domain, eps_b + dir, best_total);
                if (!(next < total)) break;
                eps_b += dir;
                total = next;
            }
            best = Plane_Of_Domain(se, best_domain, eps_b);
        }
        Write_Plane(se.out, best);
        return Search_Outcome::found;
    }
}

// The result of the design on the mirrored section, turned back.
void Map_Back_From_Mirrored(Section_Design_Result* result, const Section_Design_Result& m)
{
    result->eps_top = m.eps_bottom;
    result->eps_bottom = m.eps_top;
    result->eps_top_layer = m.eps_bottom_layer;
    result->eps_bottom_layer = m.eps_top_layer;
    result->As_top = m.As_bottom;
    result->As_bottom = m.As_top;
    result->As_total = m.As_total;
    result->gamma_used = m.gamma_used;
}

// ---- One call of the layer-area design ----

struct Design_Call {
    Section_Design_Result* result;
    double N, M, factor;
    double pos;
    double gamma_1, gamma_2;
    bool search_ran = false;
    bool search_failed = false;
    bool layer_design_failed = false;
};

int Run_Layer_Design(Design_Call& c);

int Run_Strain_Domain_Search(Design_Call& c)
{
    c.search_ran = true;
    Section_Record& w = section_work_copy;
    Search se;
    se.N = c.N;
    se.factor = c.factor;
    se.gamma_2 = c.gamma_2;
    se.pos_inside = c.N != 0.0 && c.pos > 0.0 && c.pos < w.height;
    Search_Outcome outcome;
    if (c.M >= 0.0) {
        se.s = &w;
        se.sizing = Sizing::work_copy;
        se.M = c.M;
        se.out = c.result;
        outcome = Run_Domain_Search(se);
    } else {
        if (!(w.option_bits & kMirroredBuilt) || Mirrored_Layers_Stale(w)) {
            Build_Mirrored_Section(w);
            w.option_bits |= kMirroredBuilt;
        }
        std::memset(&mirrored_design_result, 0, sizeof mirrored_design_result);
        se.s = &mirrored_section;
        se.sizing = Sizing::mirrored;
        se.M = -c.M;
        se.out = &mirrored_design_result;
        outcome = Run_Domain_Search(se);
        if (outcome == Search_Outcome::found)
            Map_Back_From_Mirrored(c.result, mirrored_design_result);
    }
    if (outcome == Search_Outcome::found) return 0;
    if (c.layer_design_failed) return 1;
    c.search_failed = true;
    return Run_Layer_Design(c);
}

int Run_Layer_Design(Design_Call& c)
{
    Section_Record& w = section_work_copy;
    if (!(w.option_bits & kLayerInputBuilt)) {
        Build_Layer_Design_Input(w, c.M);
        w.option_bits |= kLayerInputBuilt;
    }
    Section_Design_Result* r = c.result;
    const bool fixed = std::fabs(c.factor) >= 1e-5;
    double gamma = c.gamma_1;
    r->gamma_used = gamma;
    const int below_top = w.upper_layer_depth < c.pos ? 1 : 0;
    const Layer_Design_Input& in = layer_design_input;
    double A_top = 0.0, A_bottom = 0.0;
    for (int round = 0;; ++round) {
        const int status = Design_Layer_Reinforcement(
            &in.outline, &in.top, &in.bottom, in.strain_limits, &w.concrete_law,
            &w.steel_law[0], &w.steel_law[1], below_top, c.N, c.M, gamma, w.layer_count,
            w.layer_area, w.layer_depth, layer_design_output);
        A_top = layer_design_output[LAYER_RESULT_SECOND_AREAS];
        A_bottom = layer_design_output[LAYER_RESULT_FIRST_AREAS];
        if (A_top > -kAreaTolerance && A_top < 0.0) A_top = 0.0;
        if (A_bottom > -kAreaTolerance && A_bottom < 0.0) A_bottom = 0.0;
        const bool accepted = (A_top >= 0.0 && A_bottom >= 0.0) ||
                              (A_top < 0.0 && -A_top <= A_bottom) ||
                              (A_bottom < 0.0 && -A_bottom <= A_top);
        // A repeat at a raised factor that cannot be designed ends like a failed first call.
        if (status == 0 || (round > 0 && !accepted)) {
            c.layer_design_failed = true;
            if (!c.search_ran) return Run_Strain_Domain_Search(c);
            return 1;
        }
        if (!accepted) break;

        const double e0 = layer_design_output[LAYER_RESULT_EPS_EDGE] * 0.001;
        const double e1 = layer_design_output[LAYER_RESULT_EPS_STEEL] * 0.001;
        double eps_top, eps_bottom;
        if (c.M > 0.0) {
            // Top edge and bottom layer.
            eps_top = e0;
            eps_bottom = Strain_On_Line(0.0, e0, w.lower_layer_depth, e1, w.height);
        } else {
            // Bottom edge and top layer.
            eps_bottom = e0;
            eps_top = Strain_On_Line(w.height, e0, w.upper_layer_depth, e1, 0.0);
        }
        Write_Edge_Plane(r, &w, eps_top, eps_bottom);
        r->As_top = A_top;
        r->As_bottom = A_bottom;
        r->As_total = A_top + A_bottom;
        if (fixed) return 0;

        // The strain-dependent factor must fit the tie strain of the plane actually found:
        // a plane with the tie below 3 per mille asks more than the 1.75 the layer design
        // started with. Raise the factor to what the plane asks and design again; a larger
        // factor only deepens the compression zone, so the factor only rises.
        const double eps_s = c.M > 0.0 ? r->eps_bottom_layer : r->eps_top_layer;
        const double need = std::min(Layer_Design_Safety_Factor(eps_s, c.factor), 2.1);
        if (!(need > gamma + 1e-9)) return 0;
        if (round == kFactorMaxRounds) {
            // Still short of the factor its plane asks: no sound design at any factor tried.
            c.layer_design_failed = true;
            if (!c.search_ran) return Run_Strain_Domain_Search(c);
            return 1;
        }
        gamma = need;
        r->gamma_used = gamma;
    }

    // Both areas negative, or one beyond the other: the concrete carries the forces; the
    // failure state of the section tells the plane.
    double lambda = 0.0, eps_t = 0.0, eps_b = 0.0;
    int found = Find_Strain_Plane_For_Forces(&w, nullptr, nullptr, 0, c.N, c.M, 0, &lambda,
                                             &eps_t, &eps_b);
    if (found != 0) {
        const double areas[2] = {A_top > kAreaTolerance ? A_top : kAreaTolerance,
                                 A_bottom > kAreaTolerance ? A_bottom : kAreaTolerance};
        const double depths[2] = {w.upper_layer_depth, w.lower_layer_depth};
        found = Find_Strain_Plane_For_Forces(&w, areas, depths, 2, c.N, c.M, 0, &lambda, &eps_t,
                                             &eps_b);
    }
    if (found != 0) return 1;
    Write_Edge_Plane(r, &w, eps_t, eps_b);
    r->As_top = 0.0;
    r->As_bottom = 0.0;
    r->As_total = 0.0;
    return c.search_failed ? 1 : 0;
}

// Both layers at their tension limit strains, the force shared by the lever rule.
int Run_Lever_Rule(Design_Call& c)
{
    const Section_Record& w = section_work_copy;
    Section_Design_Result* r = c.result;
    const double gamma = c.gamma_1;
    const double eps_1 = w.steel_law[0].eps_u_t;
    const double eps_2 = w.steel_law[1].eps_u_t;
    const double sigma_1 = Calc_Steel_Stress(&w.steel_law[0], &w.concrete_law, eps_1);
    const double sigma_2 = Calc_Steel_Stress(&w.steel_law[1], &w.concrete_law, eps_2);
    const double sigma_f =
        Calc_Steel_Stress(&w.steel_law[3], &w.concrete_law, w.steel_law[3].eps_u_t);
    double F = 0.0, Mf = 0.0;
    const int layers = w.layer_count < SECTION_MAX_LAYERS ? w.layer_count : SECTION_MAX_LAYERS;
    for (int i = 0; i < layers; ++i) {
        F += w.layer_area[i] * sigma_f;
        Mf += (w.layer_depth[i] - w.reference_depth) * w.layer_area[i] * sigma_f;
    }
    const double N_r = gamma * c.N - F;
    const double pos_r =
        N_r != 0.0 ? (gamma * c.M - Mf) / N_r + w.reference_depth : 99999999.0;
    const double z_top = w.upper_layer_depth;
    const double z_bot = w.lower_layer_depth;
    const double A_top = (z_bot - pos_r) * (N_r / sigma_1) / (z_bot - z_top);
    const double A_bottom = (pos_r - z_top) * (N_r / sigma_2) / (z_bot - z_top);
    // Coincident layers or a law without strength leave no share to compute.
    if (!std::isfinite(A_top) || !std::isfinite(A_bottom)) return 1;
    r->gamma_used = gamma;
    r->eps_top = eps_1;
    r->eps_top_layer = eps_1;
    r->eps_bottom = eps_2;
    r->eps_bottom_layer = eps_2;
    r->As_top = A_top;
    r->As_bottom = A_bottom;
    r->As_total = A_top + A_bottom;
    return 0;
}

}  // namespace

double Layer_Design_Safety_Factor(double eps_s, double given_factor)
{
    if (std::fabs(given_factor) >= 1e-5) return given_factor;
    if (eps_s >= 0.003) return 1.75;
    if (eps_s < 0.0) return 2.1;
    return 1.75 + (0.003 - eps_s) * 116.66666666666666;
}

int Design_Layer_Areas(Section_Design_Result* result, double N, double M, double factor)
{
    if (result == nullptr) return 1;
    const Section_Record& w = section_work_copy;
    Design_Call c;
    c.result = result;
    c.N = N;
    c.M = M;
    c.factor = factor;
    const bool fixed = std::fabs(factor) >= 1e-5;
    c.gamma_1 = fixed ? factor : 1.75;
    c.gamma_2 = fixed ? factor : 2.1;
    if (N != 0.0)
        c.pos = w.reference_depth + M / N;
    else
        c.pos = M < 0.0 ? -kNoValue : kNoValue;

    const bool between = w.upper_layer_depth <= c.pos && c.pos <= w.lower_layer_depth;
    if (N > 0.0 && between) return Run_Lever_Rule(c);
    if (N < 0.0 && between) return Run_Strain_Domain_Search(c);
    return Run_Layer_Design(c);
}

int Design_Layer_Areas_On_Section(Section_Record* section, double N, double M, double factor,
                                  Section_Design_Result* result)
{
    if (section == nullptr || result == nullptr) return 1;
    const bool fixed = std::fabs(factor) >= 1e-5;
    double pos;
    if (N != 0.0)
        pos = section->reference_depth + M / N;
    else
        pos = M < 0.0 ? -kNoValue : kNoValue;
    Search se;
    se.s = section;
    se.sizing = Sizing::given;
    se.N = N;
    se.M = M;
    se.factor = factor;
    se.gamma_2 = fixed ? factor : 2.1;
    se.pos_inside = N != 0.0 && pos > 0.0 && pos < section->height;
    se.out = result;
    return Run_Domain_Search(se) == Search_Outcome::found ? 0 : 1;
}
