#include "section/limit_strain_walk.h"

#include <cmath>

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "section/layer_area_design.h"
#include "section/section_laws.h"
#include "section/section_record.h"

Angle_Candidate_Table angle_candidate_table;

namespace {

double Round8(double x)
{
    return Round_To_Decimals(x, 8);
}

// The signed angle between the resultant (N, M) and the target (Nt, Mt); 1e100 ("no
// value") for a state whose strains or forces are not usable numbers.
double Force_Angle(double N, double M, double Nt, double Mt, double eps_top, double eps_bottom)
{
    if (!(std::fabs(eps_top) <= 5e99) || !(std::fabs(eps_bottom) <= 5e99)) return 1e100;
    if (!std::isfinite(N) || !std::isfinite(M)) return 1e100;
    const double angle = std::atan2(M * Nt - N * Mt, N * Nt + M * Mt);
    if (!std::isfinite(angle)) return 1e100;
    return angle;
}

// The pivots of the boundary for the compressed edge.
struct Pivot_Geometry {
    double z_a, z_s, z_b, z_c, eps_su, eps_c2, eps_cu;
};

Pivot_Geometry Factor_Geometry(const Section_Record* section, int compressed_top)
{
    Pivot_Geometry g{};
    const double h = section->height;
    const double eps_cu = section->concrete_law.eps_cu;
    const double eps_c2 = section->concrete_law.eps_peak;
    const double ratio = eps_cu != 0.0 ? eps_c2 / eps_cu : 0.0;
    if (compressed_top) {
        g.z_a = 0.0;
        g.z_b = h;
        g.z_s = section->lower_layer_depth;
        g.z_c = (1.0 - ratio) * h;
    } else {
        g.z_a = h;
        g.z_b = 0.0;
        g.z_s = section->upper_layer_depth;
        g.z_c = ratio * h;
    }
    g.eps_su = section->steel_law[2].eps_u_t;
    g.eps_c2 = eps_c2;
    g.eps_cu = eps_cu;
    return g;
}

// Moves the plane (top, bottom) by t along the boundary for the compressed edge.
void Move_Plane(double* eps_top, double* eps_bottom, int compressed_top, const Pivot_Geometry& g,
                double t)
{
    double ea = compressed_top ? *eps_top : *eps_bottom;
    double eb = compressed_top ? *eps_bottom : *eps_top;
    Advance_Limit_Strain_State(&ea, &eb, g.z_a, g.z_s, g.z_b, g.z_c, g.eps_su, g.eps_c2, g.eps_cu,
                               t);
    *eps_top = compressed_top ? ea : eb;
    *eps_bottom = compressed_top ? eb : ea;
}

// The plane of a factor callback moved by t, and the safety factor at its tension steel
// (the given factor when its magnitude is at least 1e-5).
struct Factor_Plane {
    double top, bottom, gamma;
};

Factor_Plane Move_Factor_Plane(const Section_Record* s, int compressed_top, double eps_top,
                               double eps_bottom, double given_gamma, double t)
{
    const Pivot_Geometry g = Factor_Geometry(s, compressed_top);
    Factor_Plane p{eps_top, eps_bottom, 0.0};
    Move_Plane(&p.top, &p.bottom, compressed_top, g, t);
    p.gamma = Layer_Design_Safety_Factor(Strain_At_Depth(p.top, p.bottom, s->height, g.z_s),
                                         given_gamma);
    return p;
}

}  // namespace

int Advance_Limit_Strain_State(double* eps_a, double* eps_b, double z_a, double z_s, double z_b,
                               double z_c, double eps_su, double eps_c2, double eps_cu, double t)
{
    if (eps_a == nullptr || eps_b == nullptr) return LIMIT_STATE_OFF_BOUNDARY;
    const double L = std::fabs(z_a - z_b);
    // Both edges at one depth: no plane can be turned.
    if (!(L > 0.0)) return LIMIT_STATE_OFF_BOUNDARY;
    double ea = *eps_a;
    double eb = *eps_b;

    // Leaves the second pivot for the third: the rest of the move (eb below 0) turns the
    // plane about (z_c, eps_c2).
    auto onto_third_pivot = [&]() {
        eb *= std::fabs(z_b - z_c) / L;
        ea = Strain_On_Line(z_c, eps_c2, z_b, eb, z_a);
    };

    // 1. The steel at its limit strain: rotation about the steel.
    const double es = Strain_On_Line(z_a, ea, z_b, eb, z_s);
    if (Round8(es - eps_su) == 0.0) {
        const double da = t * std::fabs(z_a - z_s) / L;
        const double lowered = t * std::fabs(z_b - z_s) / L;
        ea += da;
        eb -= lowered;
        if (ea > eps_su) {
            *eps_a = eps_su;
            *eps_b = eps_su;
            return LIMIT_STATE_PURE_TENSION;
        }
        if (ea < eps_cu) {
            double overshoot = ea - eps_cu;
            ea = eps_cu;
            // An overshoot equal to the change just made would put fibre b back where it
            // was and leave the walk standing.
            if (Round8(overshoot - lowered) == 0.0) overshoot *= 1.01;
            eb += overshoot;
            if (eb < 0.0) onto_third_pivot();
        }
        *eps_a = ea;
        *eps_b = eb;
        return LIMIT_STATE_MOVED;
    }

    // 2. The compressed edge at eps_cu, fibre b not compressed: rotation about the edge.
    if (Round8(ea - eps_cu) == 0.0 && eb >= 0.0) {
        eb += t;
        if (Strain_On_Line(z_a, ea, z_b, eb, z_s) > eps_su) {
            // Back onto the first pivot; the rest of the increment turns about the steel.
            const double eb_pivot = Strain_On_Line(z_a, eps_cu, z_s, eps_su, z_b);
            const double rest = eb - eb_pivot;
            ea = eps_cu + rest * std::fabs(z_a - z_s) / L;
            eb = eb_pivot - rest * std::fabs(z_b - z_s) / L;
            if (ea > eps_su) {
                *eps_a = eps_su;
                *eps_b = eps_su;
                return LIMIT_STATE_PURE_TENSION;
            }
        } else if (eb < 0.0) {
            onto_third_pivot();
        }
        *eps_a = ea;
        *eps_b = eb;
        return LIMIT_STATE_MOVED;
    }

    // 3. Fully compressed: the plane turns about (z_c, eps_c2).
    const double ec = Strain_On_Line(z_a, ea, z_b, eb, z_c);
    if (Round8(ec - eps_c2) != 0.0) return LIMIT_STATE_OFF_BOUNDARY;
    eb += t * std::fabs(z_b - z_c) / L;
    if (eb > 0.0) {
        ea = eps_cu;
    } else if (eb < eps_c2) {
        *eps_a = eps_c2;
        *eps_b = eps_c2;
        return LIMIT_STATE_PURE_COMPRESSION;
    } else {
        ea = Strain_On_Line(z_c, eps_c2, z_b, eb, z_a);
    }
    *eps_a = ea;
    *eps_b = eb;
    return LIMIT_STATE_MOVED;
}

double Calc_Angle_Residual(double t, void* context)
{
    auto* c = static_cast<Angle_Residual_Context*>(context);
    if (c == nullptr || c->section == nullptr) return 1e100;
    const Pivot_Geometry g{c->z_a, c->z_s, c->z_b, c->z_c, c->eps_su, c->eps_c2, c->eps_cu};
    double top = c->eps_top, bottom = c->eps_bottom;
    Move_Plane(&top, &bottom, c->compressed_top, g, t);
    double N = 0.0, M = 0.0;
    Integrate_Section_Forces(c->section, c->added_areas, c->added_depths, c->added_count, top,
                             bottom, c->flag, &N, &M);
    return Force_Angle(N, M, c->target_N, c->target_M, top, bottom);
}

void Reset_Angle_Candidates()
{
    angle_candidate_table = Angle_Candidate_Table{};
}

double Calc_Angle_Residual_Tracked(const Section_Record* section, const double* added_areas,
                                   const double* added_depths, int added_count, double target_N,
                                   double target_M, int flag, double eps_top, double eps_bottom,
                                   double aux)
{
    if (section == nullptr) return 1e100;
    double N = 0.0, M = 0.0;
    Integrate_Section_Forces(section, added_areas, added_depths, added_count, eps_top, eps_bottom,
                             flag, &N, &M);
    const double angle = Force_Angle(N, M, target_N, target_M, eps_top, eps_bottom);
    Angle_Candidate_Table& table = angle_candidate_table;
    const double previous_angle = table.previous_angle;
    table.previous_angle = angle;
    if (std::fabs(angle) > 5e99) return angle;

    const double target_sq = target_N * target_N + target_M * target_M;
    const double ratio = target_sq > 0.0 ? (N * target_N + M * target_M) / target_sq : 0.0;

    // A previous evaluation without a usable angle gives no bracket.
    if (!table.first_call && std::fabs(previous_angle) <= 5e99) {
        bool changed = false;
        if (previous_angle < 0.0 && angle >= 0.0)
            changed = !(angle == 0.0 && ratio == 0.0);
        else if (previous_angle >= 0.0 && angle < 0.0)
            changed = !(previous_angle == 0.0 && table.previous_force_ratio == 0.0);
        if (changed && ratio >= 0.0 && table.previous_force_ratio >= 0.0) {
            Angle_Candidate all[ANGLE_CANDIDATE_COUNT + 1];
            for (int i = 0; i < ANGLE_CANDIDATE_COUNT; ++i) all[i] = table.candidate[i];
            Angle_Candidate& filed = all[ANGLE_CANDIDATE_COUNT];
            filed.angle = previous_angle;
            filed.eps_top = table.previous_eps_top;
            filed.eps_bottom = table.previous_eps_bottom;
            filed.force_ratio = table.previous_force_ratio;
            filed.aux = aux;
            double keys[ANGLE_CANDIDATE_COUNT + 1];
            int order[ANGLE_CANDIDATE_COUNT + 1];
            for (int i = 0; i <= ANGLE_CANDIDATE_COUNT; ++i) keys[i] = std::fabs(all[i].angle);
            Sort_Index_By_Key(keys, order, ANGLE_CANDIDATE_COUNT + 1);
            for (int i = 0; i < ANGLE_CANDIDATE_COUNT; ++i) table.candidate[i] = all[order[i]];
            ++table.filing_count;
        }
    }
    table.previous_eps_top = eps_top;
    table.previous_eps_bottom = eps_bottom;
    table.previous_force_ratio = ratio;
    table.first_call = 0;
    return angle;
}

double Equal_Layer_Moment_Residual(double t, void* context)
{
    auto* c = static_cast<Equal_Layer_Factor_Context*>(context);
    if (c == nullptr || c->section == nullptr) return 1e100;
    const Factor_Plane p =
        Move_Factor_Plane(c->section, c->compressed_top, c->eps_top, c->eps_bottom, c->gamma, t);
    double M = 0.0;
    Calc_Uniform_Layer_Area(c->section, c->layer_count, c->layer_laws, c->layer_depths, p.top,
                            p.bottom, p.gamma * c->target_N, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &M, nullptr);
    return M - p.gamma * c->target_M;
}

double Calc_Total_Area_For_Strain(double t, void* context)
{
    auto* c = static_cast<Total_Area_Factor_Context*>(context);
    if (c == nullptr || c->section == nullptr) return 1e100;
    const Section_Record* s = c->section;
    const Factor_Plane p =
        Move_Factor_Plane(s, c->compressed_top, c->eps_top, c->eps_bottom, c->gamma, t);
    const double eps_upper = Strain_At_Depth(p.top, p.bottom, s->height, s->upper_layer_depth);
    const double eps_lower = Strain_At_Depth(p.top, p.bottom, s->height, s->lower_layer_depth);
    double A_upper = 0.0, A_lower = 0.0;
    Calc_Layer_Areas_For_Plane_Of_Section(s, eps_upper, eps_lower, p.gamma * c->target_N,
                                          p.gamma * c->target_M, nullptr, nullptr, &A_upper,
                                          &A_lower);
    return std::fabs(A_upper) + std::fabs(A_lower);
}
