// Failure-load search: the load factor and the failure plane found for given forces are
// checked against forces computed in closed form (area_design_closed_form.h), not against
// the section code's own integration.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "base/numeric.h"
#include "area_design_closed_form.h"
#include "section/failure_load_search.h"
#include "section/section_laws.h"
#include "section/section_record.h"

namespace {

constexpr double kEpsCu = -0.0035;
constexpr double kEpsSu = 0.025;

// 0.3 x 0.5 m rectangle, C30-like parabola-rectangle law, B500-like steel without
// hardening; design layers at 0.05 and 0.45 m.
Section_Record Test_Section() {
    Section_Record s;
    Init_Section_Defaults(&s);
    s.height = 0.5;
    s.part_bottom[0] = 0.5;
    s.width_top[0] = s.width_bottom[0] = s.width_at_zero[0] = 0.3;
    s.reference_depth = 0.25;
    s.upper_layer_depth = 0.05;
    s.lower_layer_depth = 0.45;
    s.concrete_law.fc = 17000.0;
    for (Steel_Law& l : s.steel_law) {
        l.fy_t = l.fy_c = 435000.0;
        l.E_t = l.E_c = 2e8;
        l.eps_u_t = l.eps_u_c = kEpsSu;
        l.eps_y_t = 0.002175;
    }
    return s;
}

// Closed-form forces of the test section with layers of the given areas at the depths.
struct Reference {
    const double* area;
    const double* depth;
    int n;
    void Forces(double top, double bottom, double* N, double* M) const {
        closed_form::Layer_Forces(closed_form::Rect{}, top, bottom, area, depth, n, N, M);
    }
};

struct Search_Answer {
    int status;
    double lambda, top, bottom;
};

Search_Answer Search(const Section_Record& s, const double* area, const double* depth, int n,
                     double N, double M, int flag = 0) {
    Search_Answer a{-99, -7.0, -7.0, -7.0};  // garbage: every output must be written
    a.status = Find_Strain_Plane_For_Forces(&s, area, depth, n, N, M, flag, &a.lambda, &a.top,
                                            &a.bottom);
    return a;
}

// A failure plane given by the strain of the compressed edge and of the tension steel, or
// (domain 5) by the strain of the less compressed edge.
struct Failure_State {
    const char* name;
    bool top_compressed;
    double edge;    // strain of the compressed edge (domains 1..4)
    double steel;   // strain at the tension layer (domains 1..4)
    double far;     // domain 5: strain of the other edge (NaN otherwise)
    double scale;   // the load handed to the search is scale · (N_R, M_R)
    bool unique = true;  // false where both steels yield: the envelope is flat there
};

void Edge_Strains(const Failure_State& f, double* top, double* bottom) {
    const double h = 0.5;
    const double z_s = f.top_compressed ? 0.45 : 0.05;
    if (!std::isnan(f.far)) {
        // Plane through the pivot (z_C, eps_c2) and the far edge.
        const double z_c = f.top_compressed ? (1 - (-0.002) / kEpsCu) * h : (-0.002 / kEpsCu) * h;
        const double z_far = f.top_compressed ? h : 0.0;
        const double z_edge = h - z_far;
        const double edge = -0.002 + (f.far - -0.002) * (z_edge - z_c) / (z_far - z_c);
        *top = f.top_compressed ? edge : f.far;
        *bottom = f.top_compressed ? f.far : edge;
        return;
    }
    const double z_edge = f.top_compressed ? 0.0 : h;
    const double far = f.edge + (f.steel - f.edge) * (h - z_edge - z_edge) / (z_s - z_edge);
    *top = f.top_compressed ? f.edge : far;
    *bottom = f.top_compressed ? far : f.edge;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FailureLoadSearchTest, AngleSearchFindsTheFailurePlaneOfEveryDomain) {
    const double area[2] = {0.0006, 0.0012};
    const double depth[2] = {0.05, 0.45};
    const Reference ref{area, depth, 2};
    const Failure_State states[] = {
        {"domain 1, tension", true, 0.004, kEpsSu, kNaN, 0.8, false},
        {"domain 2", true, -0.0015, kEpsSu, kNaN, 0.8},
        {"domain 2/3 corner", true, kEpsCu, kEpsSu, kNaN, 0.8},
        {"domain 3", true, kEpsCu, 0.010, kNaN, 0.8},
        {"domain 4", true, kEpsCu, 0.001, kNaN, 0.8},
        {"domain 5", true, kNaN, kNaN, -0.001, 0.8},
        {"domain 3 overloaded", true, kEpsCu, 0.006, kNaN, 1.6},
        {"domain 3, bottom compressed", false, kEpsCu, 0.008, kNaN, 0.8},
        {"domain 4, bottom compressed", false, kEpsCu, 0.0015, kNaN, 0.5},
        {"domain 5, bottom compressed", false, kNaN, kNaN, -0.0012, 0.8},
    };
    // The layers added to the search, or the same layers as the section's own (then the
    // search begins with its start search and works to the coarser angle tolerance).
    for (bool own : {false, true}) {
        Section_Record s = Test_Section();
        if (own) {
            s.layer_count = 2;
            for (int i = 0; i < 2; ++i) {
                s.layer_area[i] = area[i];
                s.layer_depth[i] = depth[i];
            }
        }
        const double tol = own ? 2e-3 : 2e-4;
        for (const Failure_State& f : states) {
            SCOPED_TRACE(f.name);
            SCOPED_TRACE(own ? "own layers" : "added layers");
            double top, bottom, N0, M0;
            Edge_Strains(f, &top, &bottom);
            ref.Forces(top, bottom, &N0, &M0);
            const double N = f.scale * N0, M = f.scale * M0;
            const Search_Answer a = own ? Search(s, nullptr, nullptr, 0, N, M)
                                        : Search(s, area, depth, 2, N, M);
            ASSERT_EQ(a.status, 0);
            EXPECT_NEAR(a.lambda, 1.0 / f.scale, tol / f.scale);
            if (f.unique) {
                EXPECT_NEAR(a.top, top, 100 * tol * 1e-3);
                EXPECT_NEAR(a.bottom, bottom, 100 * tol * 1e-3);
            }
            // The plane found carries lambda times the load.
            double NR, MR;
            ref.Forces(a.top, a.bottom, &NR, &MR);
            const double size = std::hypot(N, M) * a.lambda;
            EXPECT_NEAR(NR, a.lambda * N, tol * size);
            EXPECT_NEAR(MR, a.lambda * M, tol * size);
            // The angle search leaves its results unrounded.
            EXPECT_NE(a.lambda, Round_To_Decimals(a.lambda, 5));
        }
    }
}

TEST(FailureLoadSearchTest, NegativeMomentOnASymmetricSectionMirrorsThePlane) {
    const Section_Record s = Test_Section();
    const double area[2] = {0.001, 0.001};
    const double depth[2] = {0.05, 0.45};
    const Search_Answer pos = Search(s, area, depth, 2, -600.0, 150.0);
    const Search_Answer neg = Search(s, area, depth, 2, -600.0, -150.0);
    ASSERT_EQ(pos.status, 0);
    ASSERT_EQ(neg.status, 0);
    EXPECT_NEAR(neg.lambda, pos.lambda, 1e-5);
    EXPECT_NEAR(neg.top, pos.bottom, 1e-6);
    EXPECT_NEAR(neg.bottom, pos.top, 1e-6);
    EXPECT_LT(pos.top, pos.bottom);  // top edge compressed under the positive moment
}

TEST(FailureLoadSearchTest, PureMomentWalksTheStrainDomains) {
    // Singly reinforced: with the steel yielding, Fc = As fy fixes the depth x of the
    // compression zone (stress-block factors 17/21 and 99/238 at eps_cu).
    const Section_Record s = Test_Section();
    const double area[2] = {0.0, 0.001};
    const double depth[2] = {0.05, 0.45};
    const double alpha = 17.0 / 21.0, ka = 99.0 / 238.0;
    const double x = 0.001 * 435000.0 / (alpha * 0.3 * 17000.0);
    const double MRd = 0.001 * 435000.0 * (0.45 - ka * x);
    const double eps_s = -kEpsCu * (0.45 - x) / x;
    ASSERT_GT(eps_s, 0.002175);  // the steel yields: domain 3
    for (double N : {0.0, 0.000009, -0.000009}) {
        SCOPED_TRACE(N);
        const Search_Answer a = Search(s, area, depth, 2, N, 0.8 * MRd);
        ASSERT_EQ(a.status, 0);
        EXPECT_NEAR(a.lambda, 1.25, 1e-3);
        EXPECT_NEAR(a.top, kEpsCu, 1e-6);
        EXPECT_NEAR(a.top + (a.bottom - a.top) * 0.9, eps_s, 2e-4);
        // The strain-domain walk rounds: lambda to 5 decimals, strains to 10.
        EXPECT_DOUBLE_EQ(a.lambda, Round_To_Decimals(a.lambda, 5));
        EXPECT_DOUBLE_EQ(a.top, Round_To_Decimals(a.top, 10));
        EXPECT_DOUBLE_EQ(a.bottom, Round_To_Decimals(a.bottom, 10));
    }
    // A hogging moment compresses the bottom edge; the strains stay top, bottom.
    const double mirrored_area[2] = {0.001, 0.0};
    const Search_Answer b = Search(s, mirrored_area, depth, 2, 0.0, -0.8 * MRd);
    ASSERT_EQ(b.status, 0);
    EXPECT_NEAR(b.lambda, 1.25, 1e-3);
    EXPECT_NEAR(b.bottom, kEpsCu, 1e-6);
}

TEST(FailureLoadSearchTest, PureNormalForce) {
    const Section_Record s = Test_Section();
    const double area[2] = {0.001, 0.001};
    const double depth[2] = {0.05, 0.45};
    const Reference ref{area, depth, 2};
    struct Case {
        double N, M, eps;  // the symmetric section settles on its start state
    } cases[] = {
        {-2000.0, 0.0, -0.002},     // uniform compression at the peak strain
        {-2000.0, 0.000009, -0.002},
        {500.0, 0.0, kEpsSu},       // both steels at their limit strain
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.N);
        double NR, MR;
        ref.Forces(c.eps, c.eps, &NR, &MR);
        const Search_Answer a = Search(s, area, depth, 2, c.N, c.M);
        ASSERT_EQ(a.status, 0);
        EXPECT_DOUBLE_EQ(a.lambda, Round_To_Decimals(NR / c.N, 5));
        EXPECT_DOUBLE_EQ(a.top, c.eps);
        EXPECT_DOUBLE_EQ(a.bottom, c.eps);
    }
    // Unequal layers: the plane turns until the moment vanishes.
    const double uneven[2] = {0.0005, 0.0015};
    const Reference uref{uneven, depth, 2};
    const Search_Answer a = Search(s, uneven, depth, 2, -1000.0, 0.0);
    ASSERT_EQ(a.status, 0);
    double NR, MR;
    uref.Forces(a.top, a.bottom, &NR, &MR);
    EXPECT_NEAR(MR, 0.0, 0.05);
    EXPECT_NEAR(a.lambda, NR / -1000.0, 1e-4);
    EXPECT_GT(a.lambda, 1.0);
}

TEST(FailureLoadSearchTest, ZeroLoadsAndUnusableInput) {
    const Section_Record s = Test_Section();
    const double area[2] = {0.001, 0.001};
    const double depth[2] = {0.05, 0.45};

    Search_Answer a = Search(s, area, depth, 2, 0.000009, -0.000009);
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.lambda, 1e100);
    EXPECT_EQ(a.top, 0.0);
    EXPECT_EQ(a.bottom, 0.0);

    // A plain concrete section carries nothing of a pure moment.
    a = Search(s, nullptr, nullptr, 0, 0.0, 50.0);
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.lambda, 0.0);
    EXPECT_EQ(a.top, 0.0);
    EXPECT_EQ(a.bottom, 0.0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double N : {nan, std::numeric_limits<double>::infinity()}) {
        a = Search(s, area, depth, 2, N, 50.0);
        EXPECT_EQ(a.status, 1);
        EXPECT_EQ(a.lambda, 0.0);
        EXPECT_EQ(a.top, 0.0);
    }
    double lambda = -1, top = -1, bottom = -1;
    EXPECT_EQ(Find_Strain_Plane_For_Forces(nullptr, area, depth, 2, -500, 50, 0, &lambda, &top,
                                           &bottom),
              1);
    EXPECT_EQ(lambda, 0.0);
    // Layers announced without arrays count as none; null outputs are allowed.
    const Search_Answer none = Search(s, nullptr, nullptr, 0, -500.0, 50.0);
    const Search_Answer missing = Search(s, nullptr, nullptr, 2, -500.0, 50.0);
    EXPECT_EQ(missing.status, none.status);
    EXPECT_EQ(missing.lambda, none.lambda);
    EXPECT_EQ(Find_Strain_Plane_For_Forces(&s, area, depth, 2, -500, 50, 0, nullptr, nullptr,
                                           nullptr),
              0);

    // A law whose peak strain is next to nothing: the walk about its pivot cannot move,
    // and the search ends at once rather than after minutes.
    Section_Record flat = Test_Section();
    flat.concrete_law.eps_peak = -1e-23;
    const auto start = std::chrono::steady_clock::now();
    Search(flat, nullptr, nullptr, 0, 52.0, -54.86);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(FailureLoadSearchTest, LawBlockTwoServesEveryLayerWithTheFlag) {
    // Block 2 twice as strong: with the flag the yielding section carries more of the same
    // (bending-dominated) load.
    Section_Record s = Test_Section();
    s.steel_law[2].fy_t = s.steel_law[2].fy_c = 870000.0;
    const double area[2] = {0.0006, 0.0012};
    const double depth[2] = {0.05, 0.45};
    const Search_Answer plain = Search(s, area, depth, 2, 50.0, 120.0, 0);
    const Search_Answer law2 = Search(s, area, depth, 2, 50.0, 120.0, 1);
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(law2.status, 0);
    EXPECT_GT(law2.lambda, plain.lambda * 1.5);
    double N, M;
    Integrate_Section_Forces(&s, area, depth, 2, law2.top, law2.bottom, 1, &N, &M);
    EXPECT_NEAR(N, law2.lambda * 50.0, 0.05);
    EXPECT_NEAR(M, law2.lambda * 120.0, 0.05);
}

}  // namespace
