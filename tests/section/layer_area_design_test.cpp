// Layer-area design: the lever rule, the layer design's answers turned into planes, the
// strain-domain search (on the section and turned upside down), the plain-concrete answers
// and the factor rule. Expected values come from closed-form integrals of the rectangle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "area_design_closed_form.h"
#include "section/layer_area_design.h"
#include "section/section_design.h"
#include "section/section_laws.h"

namespace {

using closed_form::Rect;

Section_Design_Result Cleared()
{
    Section_Design_Result r;
    std::memset(&r, 0, sizeof r);
    return r;
}

int Design(const Section_Record& s, double N, double M, double factor, Section_Design_Result* r)
{
    section_work_copy = s;
    *r = Cleared();
    return Design_Layer_Areas(r, N, M, factor);
}

// The design carries gamma (N, M) by the closed-form forces of its plane and areas.
void Expect_Equilibrium(const Rect& g, const Section_Design_Result& r, double N, double M,
                        double tol)
{
    double Nr, Mr;
    closed_form::Section_Forces(g, r.eps_top, r.eps_bottom, r.As_top, r.As_bottom, &Nr, &Mr);
    EXPECT_NEAR(Nr, r.gamma_used * N, tol);
    EXPECT_NEAR(Mr, r.gamma_used * M, tol);
}

TEST(LayerAreaDesign, TensionBetweenLayersIsSharedByLeverRule)
{
    Rect g;
    struct Row { double N, M, factor, own_area, own_depth; };
    const Row rows[] = {
        {870.0, 0.0, 1.0, 0.0, 0.0},     // centric: equal areas 0.001
        {870.0, 87.0, 1.0, 0.0, 0.0},    // resultant at 0.35 m
        {500.0, -50.0, 0.0, 0.0, 0.0},   // factor 1.75 by the limit strain
        {900.0, 45.0, 1.0, 0.0005, 0.25},  // an own layer at the axis takes its share first
        {900.0, 45.0, 1.0, 0.0004, 0.40},  // ... and below it, with its moment
    };
    for (const Row& row : rows) {
        Section_Record s = closed_form::Make_Section(g);
        if (row.own_area > 0.0) {
            s.layer_count = 1;
            s.layer_area[0] = row.own_area;
            s.layer_depth[0] = row.own_depth;
        }
        Section_Design_Result r;
        ASSERT_EQ(Design(s, row.N, row.M, row.factor, &r), 0) << row.N << " " << row.M;
        const double gamma = row.factor != 0.0 ? row.factor : 1.75;
        const double F = row.own_area * g.fy;
        const double Nr = gamma * row.N - F;
        const double pos = (gamma * row.M - F * (row.own_depth - g.z_ref)) / Nr + g.z_ref;
        const double d = g.z_bot - g.z_top;
        EXPECT_NEAR(r.As_top, (g.z_bot - pos) * Nr / g.fy / d, 1e-12);
        EXPECT_NEAR(r.As_bottom, (pos - g.z_top) * Nr / g.fy / d, 1e-12);
        EXPECT_DOUBLE_EQ(r.As_total, r.As_top + r.As_bottom);
        EXPECT_EQ(r.gamma_used, gamma);
        EXPECT_EQ(r.eps_top, g.eps_su);
        EXPECT_EQ(r.eps_bottom, g.eps_su);
        EXPECT_EQ(r.eps_top_layer, g.eps_su);
        EXPECT_EQ(r.eps_bottom_layer, g.eps_su);
    }
    // With equal laws a centric force gives equal areas.
    Section_Design_Result r;
    ASSERT_EQ(Design(closed_form::Make_Section(g), 870.0, 0.0, 1.0, &r), 0);
    EXPECT_NEAR(r.As_top, 0.001, 1e-12);
    EXPECT_NEAR(r.As_bottom, 0.001, 1e-12);
}

// Both layers at one depth leave the lever rule without a lever: no design instead of
// areas of NaN reported as a design.
TEST(LayerAreaDesign, LeverRuleWithCoincidentLayersFailsCleanly)
{
    Rect g;
    Section_Record s = closed_form::Make_Section(g);
    s.upper_layer_depth = s.lower_layer_depth = 0.25;
    Section_Design_Result r;
    EXPECT_EQ(Design(s, 500.0, 0.0, 1.0, &r), 1);
    EXPECT_FALSE(std::isnan(r.As_top));
    EXPECT_FALSE(std::isnan(r.As_bottom));
    // A law without strength gives no share either.
    s = closed_form::Make_Section(g);
    s.steel_law[0].fy_t = 0.0;
    EXPECT_EQ(Design(s, 500.0, 0.0, 1.0, &r), 1);
    EXPECT_FALSE(std::isnan(r.As_top));
}

// Pure bending goes to the layer design; its plane (edge and steel strain) and areas must
// carry the moment, and the singly reinforced rows match the stress-block values.
TEST(LayerAreaDesign, PureBendingPlanesMatchStressBlock)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    const double d = g.z_bot;
    for (double M : {40.0, 120.0, 200.0, 280.0, 330.0, 420.0}) {
        Section_Design_Result r;
        ASSERT_EQ(Design(s, 0.0, M, 1.0, &r), 0) << M;
        EXPECT_EQ(r.gamma_used, 1.0);
        // The layer design's secant stops within 1e-4 of its first moment difference.
        Expect_Equilibrium(g, r, 0.0, M, 1e-4 * M);
        EXPECT_GE(r.eps_top, g.eps_cu - 1e-9) << M;
        EXPECT_LE(r.eps_bottom_layer, g.eps_su + 1e-9) << M;
        EXPECT_NEAR(r.eps_bottom_layer,
                    r.eps_top + (r.eps_bottom - r.eps_top) * g.z_bot / g.h, 1e-12);
        EXPECT_NEAR(r.eps_top_layer, r.eps_top + (r.eps_bottom - r.eps_top) * g.z_top / g.h,
                    1e-12);
        EXPECT_NEAR(r.As_total, r.As_top + r.As_bottom, 1e-15);
        const double ec = -r.eps_top * 1000.0;
        const double es = r.eps_bottom_layer * 1000.0;
        const double xi = ec / (ec + es);
        const double mu = M / (g.b * d * d * g.fc);
        if (r.As_top <= 1e-9 && es >= 1000.0 * g.fy / g.E) {
            const double omega = r.As_bottom * g.fy / (g.b * d * g.fc);
            EXPECT_NEAR(omega, closed_form::Alpha_R(ec) * xi, 1e-4) << M;
            EXPECT_NEAR(mu, closed_form::Alpha_R(ec) * xi * (1.0 - closed_form::K_a(ec) * xi),
                        1e-4)
                << M;
        } else {
            EXPECT_GT(mu, 0.3) << M;  // only a large moment needs compression steel
        }
    }
}

// A negative moment on a section symmetric about its axis gives the areas and strains of
// the positive one, top and bottom exchanged.
TEST(LayerAreaDesign, NegativeMomentMirrorsPositive)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    struct Row { double N, M; };
    const Row rows[] = {{0.0, 150.0}, {-200.0, 250.0}, {-3000.0, 300.0}, {-1500.0, 250.0}};
    for (const Row& row : rows) {
        Section_Design_Result p, n;
        ASSERT_EQ(Design(s, row.N, row.M, 1.0, &p), 0) << row.N;
        ASSERT_EQ(Design(s, row.N, -row.M, 1.0, &n), 0) << row.N;
        EXPECT_NEAR(n.As_top, p.As_bottom, 1e-9) << row.N;
        EXPECT_NEAR(n.As_bottom, p.As_top, 1e-9) << row.N;
        EXPECT_NEAR(n.eps_top, p.eps_bottom, 1e-7) << row.N;
        EXPECT_NEAR(n.eps_bottom, p.eps_top, 1e-7) << row.N;
        EXPECT_NEAR(n.eps_top_layer, p.eps_bottom_layer, 1e-7) << row.N;
        EXPECT_NEAR(n.eps_bottom_layer, p.eps_top_layer, 1e-7) << row.N;
        EXPECT_EQ(n.gamma_used, p.gamma_used);
    }
}

// Total area of the plane with the top edge at eps_cu and the bottom edge at eb, from
// equilibrium about the two layers; a large value when an area is negative.
double Closed_Form_Total(const Rect& g, double eb, double N, double M)
{
    const double et = g.eps_cu;
    double Nc, M0;
    closed_form::Concrete_Forces(g, et, eb, &Nc, &M0);
    const double s_top = closed_form::Steel_Stress(g, closed_form::Strain_At(g, et, eb, g.z_top));
    const double s_bot = closed_form::Steel_Stress(g, closed_form::Strain_At(g, et, eb, g.z_bot));
    // Moments about the top edge.
    const double T = M + N * g.z_ref;
    const double A_top = ((N - Nc) * g.z_bot - (T - M0)) / (s_top * (g.z_bot - g.z_top));
    const double A_bot = ((T - M0) - (N - Nc) * g.z_top) / (s_bot * (g.z_bot - g.z_top));
    if (A_top <= -1e-6 || A_bot <= -1e-6) return 1e10;
    return A_top + A_bot;
}

// Compression with the resultant between the layers: the strain-domain search. The plane
// found carries the factored forces, stays inside the strain limits and is the cheapest
// of its neighbours.
TEST(LayerAreaDesign, CompressionBetweenLayersSearchesCheapestPlane)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    struct Row { double N, M, factor; };
    const Row rows[] = {
        {-1500.0, 250.0, 1.0}, {-2500.0, 400.0, 1.0}, {-3000.0, 300.0, 1.0},
        {-4000.0, 150.0, 1.0}, {-1500.0, 250.0, 0.0}, {-5000.0, 300.0, 1.0},
    };
    for (const Row& row : rows) {
        Section_Design_Result r;
        ASSERT_EQ(Design(s, row.N, row.M, row.factor, &r), 0) << row.N << " " << row.M;
        EXPECT_GT(r.As_top, -1e-6);
        EXPECT_GT(r.As_bottom, -1e-6);
        EXPECT_NEAR(r.As_total, r.As_top + r.As_bottom, 1e-15);
        Expect_Equilibrium(g, r, row.N, row.M, 0.01);
        EXPECT_GE(r.eps_top, g.eps_cu - 1e-12);
        EXPECT_LE(r.eps_bottom_layer, g.eps_su + 1e-12);
        if (row.factor == 0.0) {
            EXPECT_NEAR(r.gamma_used, Layer_Design_Safety_Factor(r.eps_bottom_layer, 0.0),
                        1e-12);
        } else {
            EXPECT_EQ(r.gamma_used, 1.0);
        }
        // The search on a given section is the same search for a positive moment.
        Section_Design_Result same = Cleared();
        EXPECT_EQ(Design_Layer_Areas_On_Section(&section_work_copy, row.N, row.M, row.factor,
                                                &same),
                  0);
        EXPECT_EQ(same.As_top, r.As_top);
        EXPECT_EQ(same.As_bottom, r.As_bottom);
        EXPECT_EQ(same.eps_top, r.eps_top);
        EXPECT_EQ(same.eps_bottom, r.eps_bottom);
        EXPECT_EQ(same.gamma_used, r.gamma_used);
        if (r.eps_top == g.eps_cu && r.eps_bottom > 0.0) {
            const double total = r.As_total;
            const double gN = r.gamma_used * row.N, gM = r.gamma_used * row.M;
            EXPECT_LE(total, Closed_Form_Total(g, r.eps_bottom + 1e-5, gN, gM) + 1e-9);
            EXPECT_LE(total, Closed_Form_Total(g, r.eps_bottom - 1e-5, gN, gM) + 1e-9);
        }
    }
}

// The refinement of the search moves the plane in steps of 1e-5 from the best grid plane.
// Below a steel strain of 0.003 the factor by strain falls as the strain grows, so a plane
// past the limit strain would need less steel: the refinement must stop at the limit.
TEST(LayerAreaDesign, SearchKeepsSteelWithinLimitStrain)
{
    Rect g;
    g.eps_su = 0.0025;
    const Section_Record s = closed_form::Make_Section(g);
    int searched = 0;
    for (double N = -300.0; N >= -3000.0; N -= 250.0) {
        for (int k = 1; k <= 20; ++k) {
            const double M = -N * 0.01 * k;
            Section_Design_Result r;
            if (Design(s, N, M, 0.0, &r) != 0 || r.As_top < -1e-6 || r.As_bottom < -1e-6)
                continue;
            ++searched;
            EXPECT_LE(r.eps_bottom_layer, g.eps_su + 1e-12) << N << " " << M;
            EXPECT_GE(r.eps_top, g.eps_cu - 1e-12) << N << " " << M;
            if (r.As_total > 0.0) Expect_Equilibrium(g, r, N, M, 0.01);
        }
    }
    EXPECT_GT(searched, 100);
}

TEST(LayerAreaDesign, PureCompressionUsesUniformPeakStrain)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    const double Fc = -g.fc * g.b * g.h;
    const double sigma = g.E * g.eps_c2;  // elastic at -0.002
    struct Row { double N, factor, gamma, area; };
    const Row rows[] = {
        {-3000.0, 1.0, 1.0, (-3000.0 - Fc) / (2.0 * sigma)},
        {-2000.0, 0.0, 2.1, (-4200.0 - Fc) / (2.0 * sigma)},
        // The concrete alone carries it: no areas, its own safety as factor.
        {-2000.0, 1.0, Fc / -2000.0, 0.0},
    };
    for (const Row& row : rows) {
        Section_Design_Result r;
        ASSERT_EQ(Design(s, row.N, 0.0, row.factor, &r), 0);
        EXPECT_EQ(r.eps_top, g.eps_c2);
        EXPECT_EQ(r.eps_bottom, g.eps_c2);
        EXPECT_EQ(r.eps_top_layer, g.eps_c2);
        EXPECT_EQ(r.eps_bottom_layer, g.eps_c2);
        EXPECT_NEAR(r.gamma_used, row.gamma, 1e-9);
        EXPECT_NEAR(r.As_top, row.area, 1e-9);
        EXPECT_NEAR(r.As_bottom, row.area, 1e-9);
        EXPECT_NEAR(r.As_total, 2.0 * row.area, 1e-9);
    }
}

// A small compressive force that the plain concrete carries: no areas; the factor is the
// load factor of the unreinforced section at failure, whose plane carries lambda (N, M).
TEST(LayerAreaDesign, PlainConcreteCarriesSmallCompression)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    struct Row { double N, M; };
    const Row rows[] = {{-500.0, 20.0}, {-800.0, -40.0}, {-1000.0, 10.0}};
    for (const Row& row : rows) {
        Section_Design_Result r;
        ASSERT_EQ(Design(s, row.N, row.M, 1.0, &r), 0) << row.N;
        EXPECT_EQ(r.As_top, 0.0);
        EXPECT_EQ(r.As_bottom, 0.0);
        EXPECT_EQ(r.As_total, 0.0);
        const double lambda = r.gamma_used;
        EXPECT_GT(lambda, 1.0);
        double Nc, M0;
        closed_form::Concrete_Forces(g, r.eps_top, r.eps_bottom, &Nc, &M0);
        const double Mc = M0 - Nc * g.z_ref;
        EXPECT_NEAR(Nc, lambda * row.N, 2e-3 * std::fabs(lambda * row.N)) << row.N;
        EXPECT_NEAR(Mc, lambda * row.M, 2e-3 * std::fabs(lambda * row.N) * g.h) << row.N;
    }
}

// The section design drops the own layers for its second attempt on the same work copy
// (the mirrored section's bit is still set): the mirrored section must not keep them.
TEST(LayerAreaDesign, MirroredSectionFollowsDroppedOwnLayers)
{
    Rect g;
    Section_Record with_layer = closed_form::Make_Section(g);
    with_layer.layer_count = 1;
    with_layer.layer_area[0] = 0.0015;
    with_layer.layer_depth[0] = 0.40;
    Section_Record without = with_layer;
    without.layer_count = 0;

    const double N = -3000.0, M = -300.0;  // compression between the layers, negative moment
    Section_Design_Result first, second, fresh;
    ASSERT_EQ(Design(with_layer, N, M, 1.0, &first), 0);
    ASSERT_NE(section_work_copy.option_bits & 1, 0);  // the mirrored section was built
    section_work_copy.layer_count = 0;
    second = Cleared();
    ASSERT_EQ(Design_Layer_Areas(&second, N, M, 1.0), 0);
    ASSERT_EQ(Design(without, N, M, 1.0, &fresh), 0);
    EXPECT_NE(first.As_total, fresh.As_total);
    EXPECT_EQ(second.As_top, fresh.As_top);
    EXPECT_EQ(second.As_bottom, fresh.As_bottom);
    EXPECT_EQ(second.eps_top, fresh.eps_top);
    EXPECT_EQ(second.eps_bottom, fresh.eps_bottom);
}

}  // namespace
