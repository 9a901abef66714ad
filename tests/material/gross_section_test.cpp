#include "material/gross_section.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double pi = 3.141592653589793;

struct Dims {
    double d[6];
};
const Dims kRect{{60, 30, 0, 0, 0, 0}};
const Dims kTee{{60, 30, 10, 100, 0, 0}};
const Dims kIBeam{{100, 20, 20, 60, 20, 60}};
const Dims kRing{{50, 0, 40, 0, 0, 0}};
const Dims kDisc{{10, 0, 0, 0, 0, 0}};

struct Props {
    int result;
    double A, I, c, Iz, zero;
};
Props Gross(int shape, const Dims& s)
{
    Props p{0, -1, -1, -1, -1, -1};
    p.result = Calc_Gross_Section_Properties(shape, s.d[0], s.d[1], s.d[2], s.d[3], s.d[4], s.d[5],
                                             &p.A, &p.I, &p.c, &p.Iz, &p.zero);
    return p;
}

struct Derived {
    int result;
    double s1, s2, tau, sum;
};
Derived Stresses(int shape, const Dims& s, double N, double M, double V)
{
    Derived r{};
    r.result = Calc_Section_Derived_Values(shape, s.d[0], s.d[1], s.d[2], s.d[3], s.d[4], s.d[5],
                                           N, M, V, &r.s1, &r.s2, &r.tau, &r.sum);
    return r;
}

}  // namespace

TEST(GrossSectionProperties, HandCalculatedAndDegenerateShapes)
{
    struct Case {
        const char* what;
        int shape;
        Dims dims;
        int result;
        double A, I, c, Iz;
    } cases[] = {
        {"rectangle 30 x 60", 0, kRect, 1, 1800, 540000, 30, 135000},
        {"T-section", 1, kTee, 1, 2500, 860833.3333, 23.0, 1e7 / 12 + 50 * 27000 / 12.0},
        // flanges 60 x 20 at the depths 10 and 90, web 20 x 60 at 50
        {"symmetric I-section", 2, kIBeam, 1, 3600, 4280000, 50, 760000},
        {"ring R 50, r 40", 3, kRing, 1, 2827.4334, 2898119.2229, 50, 2898119.2229},
        {"solid circle R 10", 3, kDisc, 1, 100 * pi, pi / 4 * 1e4, 10, pi / 4 * 1e4},
        {"no section", 4, kRect, 0, 0, 0, 0, 0},
        {"unknown code", 7, kRect, 1, 0, 0, 0, 0},
        {"rectangle without width", 0, {{60, 0, 0, 0, 0, 0}}, 1, 0, 0, 0, 0},
        {"rectangle with both sizes negative", 0, {{-60, -30, 0, 0, 0, 0}}, 1, 0, 0, 0, 0},
        {"ring with inner radius beyond outer", 3, {{40, 0, 50, 0, 0, 0}}, 1, 0, 0, 0, 0},
        // a flange deeper than the section: the web of negative depth takes nothing away
        {"flange deeper than the section", 1, {{10, 30, 20, 100, 0, 0}}, 1, 2000, 2000 * 400 / 12.0, 10, 20 * 1e6 / 12},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const Props p = Gross(k.shape, k.dims);
        EXPECT_EQ(p.result, k.result);
        EXPECT_NEAR(p.A, k.A, 1e-3);
        EXPECT_NEAR(p.I, k.I, 1e-3);
        EXPECT_NEAR(p.c, k.c, 1e-9);
        EXPECT_NEAR(p.Iz, k.Iz, 1e-3);
        EXPECT_EQ(p.zero, 0.0);
    }
}

TEST(GrossSectionStresses, RectangleAndFlangedSections)
{
    // V alone: 1.5 times the mean shear stress at the centroid fibre; a negative shear
    // force gives the same magnitude.
    const double tau = 1.5 * 10.0 * 90 / 1800;
    for (double V : {90.0, -90.0}) {
        const Derived r = Stresses(0, kRect, 0, 0, V);
        EXPECT_EQ(r.result, 1);
        EXPECT_NEAR(r.tau, tau, 1e-12);
        EXPECT_NEAR(r.s1, tau, 1e-12);
        EXPECT_NEAR(r.s2, -tau, 1e-12);
        EXPECT_NEAR(r.sum, 2 * tau, 1e-12);
    }
    // M alone: ±M/W at the edges (W = 18000 cm³); compression alone leaves σ1 at 0.
    Derived r = Stresses(0, kRect, 0, 100, 0);
    EXPECT_NEAR(r.s1, 100e3 / 18000, 1e-9);
    EXPECT_NEAR(r.s2, -100e3 / 18000, 1e-9);
    r = Stresses(0, kRect, -180, 0, 0);
    EXPECT_EQ(r.s1, 0.0);
    EXPECT_NEAR(r.s2, -1.0, 1e-12);

    // T-section (c = 23): largest τ at the web fibre 24 cm deep, S = 1000·18 + 30·14·6.
    EXPECT_NEAR(Stresses(1, kTee, 0, 0, 100).tau, 1000.0 * 20520 / (860833.3333333 * 30), 1e-9);
    // I-section at its centroid: S = 1200·40 + 20·30·15.
    EXPECT_NEAR(Stresses(2, kIBeam, 0, 0, 100).tau, 1000.0 * 57000 / (4280000.0 * 20), 1e-9);
}

TEST(GrossSectionStresses, CircleShearFollowsTheRadius)
{
    const double A = 100 * pi, I = pi / 4 * 1e4;
    // Solid circle: 1.5 times, ring: twice the mean shear stress at the centre.
    EXPECT_NEAR(Stresses(3, kDisc, 0, 0, 50).tau, 15.0 * 50 / A, 1e-12);
    EXPECT_NEAR(Stresses(3, kRing, 0, 0, 50).tau, 20.0 * 50 / (pi * 900), 1e-12);

    // Shear and a moment that gives tension τ0 at the top edge: the largest σ1 lies
    // 0.3 R above the centre, where τ = 0.91 τ0 and σ = 0.3 τ0.
    const double V = 50, tau0 = 15.0 * V / A;
    const Derived r = Stresses(3, kDisc, 0, -tau0 * I / (1000.0 * 10), V);
    const double s = 0.3 * tau0, t = 0.91 * tau0;
    EXPECT_NEAR(r.s1, (s + std::sqrt(s * s + 4 * t * t)) / 2, 1e-12);
}

TEST(GrossSectionStresses, NoSectionAndDegenerateSections)
{
    const Derived none = Stresses(4, kRect, 10, 10, 10);
    EXPECT_EQ(none.result, 0);
    EXPECT_EQ(none.s1 + none.s2 + none.tau + none.sum, 0.0);
    // Unknown code, no width, a T without web: result 1, finite values.
    for (const Derived& d : {Stresses(9, kRect, 10, 10, 10),
                             Stresses(0, {{60, 0, 0, 0, 0, 0}}, 10, 10, 10),
                             Stresses(1, {{60, 0, 10, 100, 0, 0}}, 10, 10, 100)}) {
        EXPECT_EQ(d.result, 1);
        EXPECT_TRUE(std::isfinite(d.s1) && std::isfinite(d.s2) && std::isfinite(d.tau) &&
                    std::isfinite(d.sum));
    }
}

TEST(GrossSectionEdgeStress, AxialForceAndTwoMoments)
{
    double sigma = -1;
    // Rectangle 30 x 60: N/A = -1, M/W at the bottom edge, M2/Wz at the side.
    EXPECT_EQ(Calc_Section_Edge_Stress(0, 60, 30, 0, 0, 0, 0, -180, 100, 0, 0, 60, &sigma), 1);
    EXPECT_NEAR(sigma, -1.0 + 100e3 / 18000, 1e-9);
    Calc_Section_Edge_Stress(0, 60, 30, 0, 0, 0, 0, 0, 0, 9, 15, 30, &sigma);
    EXPECT_NEAR(sigma, -1000.0 * 9 * 15 / 135000, 1e-12);

    for (int shape : {4, 8}) {
        EXPECT_EQ(Calc_Section_Edge_Stress(shape, 60, 30, 0, 0, 0, 0, 10, 10, 10, 1, 1, &sigma), 0);
        EXPECT_EQ(sigma, 0.0);
    }
    EXPECT_EQ(Calc_Section_Edge_Stress(0, 60, 0, 0, 0, 0, 0, 10, 10, 10, 1, 1, &sigma), 1);
    EXPECT_EQ(sigma, 0.0);
}
