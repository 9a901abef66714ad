#include "section/limit_strain_walk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/numeric.h"
#include "section/section_laws.h"
#include "section/section_record.h"

namespace {

// A rectangle 0.3 x 0.5 m, design layers at 0.05 and 0.45 m, no own layers.
constexpr double H = 0.5, Z_UP = 0.05, Z_LO = 0.45;
constexpr double EPS_CU = -0.0035, EPS_C2 = -0.002, EPS_SU = 0.025;

Section_Record Walk_Section()
{
    Section_Record s;
    Init_Section_Defaults(&s);
    s.height = s.part_bottom[0] = H;
    s.width_top[0] = s.width_bottom[0] = s.width_at_zero[0] = 0.3;
    s.reference_depth = H / 2;
    s.upper_layer_depth = Z_UP;
    s.lower_layer_depth = Z_LO;
    s.concrete_law.fc = 17000.0;
    s.concrete_law.eps_cu = EPS_CU;
    s.concrete_law.eps_peak = EPS_C2;
    for (Steel_Law& l : s.steel_law)
        l = Steel_Law{435000.0, 1.0, EPS_SU, 0.002175, 2e8, 435000.0, 1.0, EPS_SU, 2e8, 0};
    return s;
}

// Boundary geometry: fibre a the top (z_a = 0) or the bottom edge.
struct Geometry {
    double z_a, z_s, z_b, z_c;
};
const Geometry TOP = {0.0, Z_LO, H, (1.0 - EPS_C2 / EPS_CU) * H};
const Geometry BOTTOM = {H, Z_UP, 0.0, (EPS_C2 / EPS_CU) * H};

double Line(double z1, double e1, double z2, double e2, double z)
{
    return e1 + (e2 - e1) * (z - z1) / (z2 - z1);
}

int Advance(const Geometry& g, double* ea, double* eb, double t)
{
    return Advance_Limit_Strain_State(ea, eb, g.z_a, g.z_s, g.z_b, g.z_c, EPS_SU, EPS_C2, EPS_CU,
                                      t);
}

struct State {
    double ea, eb;
};

// The boundary from uniform tension to uniform compression in steps of t.
std::vector<State> Walk(const Geometry& g, double t, int* last)
{
    std::vector<State> states{{EPS_SU, EPS_SU}};
    double ea = EPS_SU, eb = EPS_SU;
    do {
        *last = Advance(g, &ea, &eb, t);
        states.push_back({ea, eb});
    } while (*last == LIMIT_STATE_MOVED && states.size() < 100000);
    return states;
}

}  // namespace

TEST(LimitStrainWalkTest, WalkStaysOnTheBoundaryFromTensionToCompression)
{
    const Section_Record s = Walk_Section();
    int last = 0;
    const std::vector<State> states = Walk(TOP, -0.0001, &last);
    EXPECT_EQ(last, LIMIT_STATE_PURE_COMPRESSION);
    EXPECT_EQ(states.back().ea, EPS_C2);
    EXPECT_EQ(states.back().eb, EPS_C2);
    EXPECT_GT(states.size(), 300u);  // about 0.0285 + 0.025 + 0.002 of path
    EXPECT_LT(states.size(), 900u);

    double previous_N = 1e100;
    int branch_count[3] = {0, 0, 0};
    for (const State& st : states) {
        const double e_s = Line(0.0, st.ea, H, st.eb, Z_LO);
        const double e_c = Line(0.0, st.ea, H, st.eb, TOP.z_c);
        // Never beyond the envelope, always on one of its three branches.
        EXPECT_GE(st.ea, EPS_CU - 1e-12);
        EXPECT_LE(e_s, EPS_SU + 1e-12);
        EXPECT_GE(e_c, EPS_C2 - 1e-12);
        const bool steel = std::fabs(e_s - EPS_SU) < 1e-9;
        const bool edge = std::fabs(st.ea - EPS_CU) < 1e-9 && st.eb >= -1e-12;
        const bool pivot = std::fabs(e_c - EPS_C2) < 1e-9;
        EXPECT_TRUE(steel || edge || pivot) << st.ea << " " << st.eb;
        ++branch_count[steel ? 0 : edge ? 1 : 2];
        // The resistance moves steadily from tension to compression.
        double N = 0.0, M = 0.0;
        Integrate_Section_Forces(&s, nullptr, nullptr, 0, st.ea, st.eb, 0, &N, &M);
        EXPECT_LE(N, previous_N + 1e-9);
        previous_N = N;
    }
    for (int count : branch_count) EXPECT_GT(count, 5);

    // With the bottom edge compressed the walk is the mirror image on this layout.
    const std::vector<State> mirror = Walk(BOTTOM, -0.0001, &last);
    EXPECT_EQ(last, LIMIT_STATE_PURE_COMPRESSION);
    ASSERT_EQ(mirror.size(), states.size());
    for (size_t i = 0; i < states.size(); ++i) {
        EXPECT_NEAR(mirror[i].ea, states[i].ea, 1e-12);
        EXPECT_NEAR(mirror[i].eb, states[i].eb, 1e-12);
    }
}

TEST(LimitStrainWalkTest, EndsTransitionsAndStatesOffTheBoundary)
{
    const struct {
        const char* what;
        double ea, eb, t;
        int result;
        double ea_after, eb_after;
    } cases[] = {
        {"tension pushed on", EPS_SU, EPS_SU, 1e-4, LIMIT_STATE_PURE_TENSION, EPS_SU, EPS_SU},
        {"compression pushed on", EPS_C2, EPS_C2, -1e-4, LIMIT_STATE_PURE_COMPRESSION, EPS_C2,
         EPS_C2},
        {"inside the envelope", -0.001, 0.001, -1e-4, LIMIT_STATE_OFF_BOUNDARY, -0.001, 0.001},
    };
    for (const auto& c : cases) {
        double ea = c.ea, eb = c.eb;
        EXPECT_EQ(Advance(TOP, &ea, &eb, c.t), c.result) << c.what;
        EXPECT_EQ(ea, c.ea_after) << c.what;
        EXPECT_EQ(eb, c.eb_after) << c.what;
    }
    // Both edges at one depth: nothing turns and nothing is divided by zero.
    double ea = EPS_SU, eb = EPS_SU;
    EXPECT_EQ(Advance(Geometry{0.2, 0.1, 0.2, 0.2}, &ea, &eb, -1e-3), LIMIT_STATE_OFF_BOUNDARY);
    EXPECT_EQ(Advance(TOP, nullptr, &eb, -1e-3), LIMIT_STATE_OFF_BOUNDARY);

    // Fibre a passing eps_cu on the steel pivot: the rest turns the plane about the edge.
    // An overshoot that equals the change of fibre b would put fibre b back where it was;
    // it is taken 1.01 times so that the walk never stands still.
    const double t = -0.0002, lowered = t * (H - Z_LO) / H;
    for (double ea0 : {EPS_CU + 0.0001, EPS_CU - t * (Z_LO - (H - Z_LO)) / H}) {
        double a = ea0, b = Line(0.0, ea0, Z_LO, EPS_SU, H);
        const double b0 = b;
        double overshoot = ea0 + t * Z_LO / H - EPS_CU;
        if (std::fabs(overshoot - lowered) < 1e-15) overshoot *= 1.01;
        EXPECT_EQ(Advance(TOP, &a, &b, t), LIMIT_STATE_MOVED);
        EXPECT_EQ(a, EPS_CU);
        EXPECT_NEAR(b, b0 - lowered + overshoot, 1e-15);
        EXPECT_NE(b, b0);
    }
    // Edge pivot, fibre b turning compressive: on to the pivot (z_c, eps_c2).
    ea = EPS_CU;
    eb = 0.0001;
    EXPECT_EQ(Advance(TOP, &ea, &eb, -0.0003), LIMIT_STATE_MOVED);
    EXPECT_NEAR(eb, -0.0002 * (H - TOP.z_c) / H, 1e-15);
    EXPECT_NEAR(Line(0.0, ea, H, eb, TOP.z_c), EPS_C2, 1e-15);
}

TEST(LimitStrainWalkTest, FactorCallbacksUseTheStrainDependentSafetyFactor)
{
    const Section_Record s = Walk_Section();
    const double N = -300.0, M = 150.0;
    const Steel_Law laws[2] = {s.steel_law[2], s.steel_law[2]};
    const double depths[2] = {Z_UP, Z_LO};
    // Tension steel strain, given factor, factor expected.
    const double cases[][3] = {{0.004, 0.0, 1.75},    {0.003, 0.0, 1.75},  {0.0015, 0.0, 1.925},
                               {0.0, 0.0, 2.1},       {-0.0005, 0.0, 2.1}, {0.0015, 1.3, 1.3},
                               {0.0015, -1e-6, 1.925}};
    for (const Geometry& g : {TOP, BOTTOM}) {
        const int top_compressed = g.z_a == 0.0;
        for (const auto& c : cases) {
            // The compressed edge at eps_cu, the tension-side design layer at the strain.
            const double far = Line(g.z_a, EPS_CU, g.z_s, c[0], g.z_b);
            const double top = top_compressed ? EPS_CU : far,
                         bottom = top_compressed ? far : EPS_CU;
            const double gamma = c[2];

            Total_Area_Factor_Context a{top, bottom, &s, c[1], N, M, top_compressed};
            double A_up = 0.0, A_lo = 0.0;
            Calc_Layer_Areas_For_Plane_Of_Section(&s, Line(0, top, H, bottom, Z_UP),
                                                  Line(0, top, H, bottom, Z_LO), gamma * N,
                                                  gamma * M, nullptr, nullptr, &A_up, &A_lo);
            EXPECT_NEAR(Calc_Total_Area_For_Strain(0.0, &a), std::fabs(A_up) + std::fabs(A_lo),
                        1e-12)
                << c[0] << " " << c[1] << " top " << top_compressed;

            Equal_Layer_Factor_Context e{top, bottom, &s, laws, depths,
                                         2,   c[1],   N,  M,    top_compressed};
            double M_r = 0.0;
            Calc_Uniform_Layer_Area(&s, 2, laws, depths, top, bottom, gamma * N, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, &M_r, nullptr);
            EXPECT_NEAR(Equal_Layer_Moment_Residual(0.0, &e), M_r - gamma * M, 1e-9)
                << c[0] << " " << c[1] << " top " << top_compressed;
        }
    }
    EXPECT_EQ(Calc_Total_Area_For_Strain(0.0, nullptr), 1e100);
    EXPECT_EQ(Equal_Layer_Moment_Residual(0.0, nullptr), 1e100);
}

TEST(LimitStrainWalkTest, ResidualCallbacksVanishAtTheFailurePlaneOfTheirTarget)
{
    const Section_Record s = Walk_Section();
    const double areas[2] = {6e-4, 6e-4}, depths[2] = {Z_UP, Z_LO};
    // A plane on the edge pivot (lower steel elastic at 0.0015, upper steel yielded), and
    // a start one step before it.
    const double step = -0.0004;
    const double ea = EPS_CU, eb = Line(0.0, EPS_CU, Z_LO, 0.0015, H);
    double N = 0.0, M = 0.0;
    Integrate_Section_Forces(&s, areas, depths, 2, ea, eb, 1, &N, &M);

    // The angle to a target along the plane's resultant: 0 there, opposite signs on either
    // side, and the root finder finds the plane again.
    Angle_Residual_Context a{ea,      eb - step, 1,       TOP.z_a, TOP.z_s, TOP.z_b,
                             TOP.z_c, EPS_SU,    EPS_C2,  EPS_CU,  &s,      areas,
                             depths,  2,         0.8 * N, 0.8 * M, 1};
    EXPECT_NEAR(Calc_Angle_Residual(step, &a), 0.0, 1e-12);
    EXPECT_LT(Calc_Angle_Residual(0.5 * step, &a) * Calc_Angle_Residual(1.5 * step, &a), 0.0);
    int status = 0;
    double root = Find_Root(0.0, 2 * step, Calc_Angle_Residual, 1000, 1e-15, 1e-10, &a, &status);
    EXPECT_GT(status, 0);
    EXPECT_NEAR(root, step, 1e-9);
    EXPECT_EQ(Calc_Angle_Residual(0.0, nullptr), 1e100);

    // Equal layers with a given factor 1.0: at the plane, the common area that carries N is
    // the one the plane was integrated with, so the moment residual vanishes there.
    const Steel_Law laws[2] = {s.steel_law[2], s.steel_law[2]};
    Equal_Layer_Factor_Context e{ea, eb - step, &s, laws, depths, 2, 1.0, N, M, 1};
    EXPECT_NEAR(Equal_Layer_Moment_Residual(step, &e), 0.0, 1e-6);
    root = Find_Root(0.0, 2 * step, Equal_Layer_Moment_Residual, 1000, 1e-20, 1e-6, &e, &status);
    EXPECT_GT(status, 0);
    EXPECT_NEAR(root, step, 1e-8);
}

TEST(LimitStrainWalkTest, TrackedAngleFilesBracketsSortedByAngle)
{
    const Section_Record s = Walk_Section();
    const double areas[2] = {6e-4, 12e-4}, depths[2] = {Z_UP, Z_LO};
    int last = 0;
    const double t = -0.0005;
    const std::vector<State> states = Walk(TOP, t, &last);
    const State& target = states[states.size() / 2];
    double N = 0.0, M = 0.0;
    Integrate_Section_Forces(&s, areas, depths, 2, target.ea, target.eb, 0, &N, &M);
    auto track = [&](double sign, const State& st) {
        return Calc_Angle_Residual_Tracked(&s, areas, depths, 2, sign * 0.8 * N, sign * 0.8 * M, 0,
                                           st.ea, st.eb, t);
    };

    Reset_Angle_Candidates();
    EXPECT_EQ(angle_candidate_table.filing_count, -1);
    angle_candidate_table.filing_count = 0;
    std::vector<double> angles;
    for (const State& st : states) angles.push_back(track(1.0, st));
    int changes = 0;
    for (size_t i = 1; i < angles.size(); ++i)
        changes += (angles[i - 1] < 0.0) != (angles[i] < 0.0);
    ASSERT_GE(changes, 1);
    EXPECT_GE(angle_candidate_table.filing_count, 1);
    EXPECT_LE(angle_candidate_table.filing_count, changes);
    const int filed = angle_candidate_table.filing_count;

    // Sorted by |angle|, empties last; each candidate is the earlier state of a bracket.
    const Angle_Candidate* c = angle_candidate_table.candidate;
    ASSERT_LT(c[0].angle, 1e100);
    for (int i = 0; i < ANGLE_CANDIDATE_COUNT; ++i) {
        if (i > 0) { EXPECT_LE(std::fabs(c[i - 1].angle), std::fabs(c[i].angle) + 1e-5); }
        if (!(c[i].angle < 1e100)) continue;
        EXPECT_EQ(c[i].aux, t);
        EXPECT_GE(c[i].force_ratio, 0.0);
        size_t k = 0;
        while (k + 1 < states.size() &&
               !(states[k].ea == c[i].eps_top && states[k].eb == c[i].eps_bottom))
            ++k;
        ASSERT_LT(k + 1, states.size());
        EXPECT_EQ(c[i].angle, angles[k]);
        EXPECT_NE(angles[k] < 0.0, angles[k + 1] < 0.0);
    }

    // The opposite load: negative force ratios, nothing is filed.
    Reset_Angle_Candidates();
    angle_candidate_table.filing_count = 0;
    for (const State& st : states) track(-1.0, st);
    EXPECT_EQ(angle_candidate_table.filing_count, 0);

    // A state without a plane (a strain of 1e100) has no angle and makes no bracket.
    Reset_Angle_Candidates();
    angle_candidate_table.filing_count = 0;
    track(1.0, states.front());
    EXPECT_EQ(track(1.0, State{1e100, 0.0}), 1e100);
    for (const State& st : states) track(1.0, st);
    EXPECT_EQ(angle_candidate_table.filing_count, filed);
}
