// Layer forces and layer design. Equilibrium of every design is checked with forces
// computed in closed form (area_design_closed_form.h), not with the section code.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "area_design_closed_form.h"
#include "section/layer_design.h"
#include "section/section_record.h"

namespace {

constexpr double kH = 0.5, kB = 0.3, kZref = 0.25;
constexpr double kFy = 435000.0, kE = 2e8;

struct Layer_Design_Setup {
    Layer_Design_Outline outline{};
    Layer_Group top{}, bottom{};
    Concrete_Law concrete{};
    Steel_Law steel{};
    double limits[kLayerLimitCount] = {0.0, 0.0, -3.5, -2.0, 25.0, 25.0, 2.175, 2.0};

    Layer_Design_Setup() {
        outline.part_count = 1;
        outline.height = kH;
        outline.fcd = 17000.0;
        outline.part_top[0] = 0.0;
        outline.part_bottom[0] = kH;
        outline.width_top[0] = outline.width_bottom[0] = outline.width_at_zero[0] = kB;
        outline.reference_depth = kZref;
        concrete = Concrete_Law{17000.0, -0.0035, -0.002, 2.0, 0.0, 0.0, 0.0, 0.0, 0};
        steel = Steel_Law{kFy, 1.0, 0.025, 0.002175, kE, kFy, 1.0, 0.025, kE, 0};
        Fill_Group(&top, 0.05);
        Fill_Group(&bottom, 0.45);
    }
    static void Fill_Group(Layer_Group* g, double depth) {
        g->layer_count = 1;
        g->fyd = kFy;
        g->es = kE * 0.001;
        g->layer_flags = 1000000000;
        g->layer_value[0] = 0.1;
        g->depth[0] = depth;
        g->max_area[0] = 7853980.0;
    }
    int Design(double N, double M, double factor, std::vector<double>* result,
               int below_top = 1) const {
        result->assign(kLayerDesignResultSize, -9.0);
        return Design_Layer_Reinforcement(&outline, &top, &bottom, limits, &concrete, &steel,
                                          &steel, below_top, N, M, factor, 0, nullptr, nullptr,
                                          result->data());
    }
};

// N and M (about the reference axis) of concrete and steel for a design result: the plane
// from the two strains, the areas at the group depths. Couple-phase layers are taken with
// the linear elastic stress capped at fy, which the steel law gives as well.
void Design_Forces(const Layer_Design_Setup& d, const std::vector<double>& r, bool mirrored,
                   double* N, double* M) {
    const double z_edge = mirrored ? kH : 0.0;
    const double z_s = mirrored ? d.top.depth[0] : d.bottom.depth[0];
    const double e_edge = r[LAYER_RESULT_EPS_EDGE] * 0.001;
    const double e_s = r[LAYER_RESULT_EPS_STEEL] * 0.001;
    auto strain = [&](double z) { return e_edge + (e_s - e_edge) * (z - z_edge) / (z_s - z_edge); };
    const double area[2] = {r[LAYER_RESULT_SECOND_AREAS], r[LAYER_RESULT_FIRST_AREAS]};
    const double depth[2] = {d.top.depth[0], d.bottom.depth[0]};
    closed_form::Layer_Forces(closed_form::Rect{}, strain(0.0), strain(kH), area, depth, 2, N, M);
}

struct Design_Case {
    const char* name;
    double N, M;
    int expected;             // 1 tension steel alone, -1 with a force couple
    double edge, steel;       // expected strains (per mille); NaN: strictly between limits
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(LayerDesignTest, DesignsBalanceTheForcesInEveryRegime) {
    const Layer_Design_Setup d;
    const Design_Case cases[] = {
        {"concrete relieved, steel at its limit", 0.0, 60.0, 1, kNaN, 25.0},
        {"steel strain between yield and limit", 0.0, 150.0, 1, -3.5, kNaN},
        {"compression reinforcement needed", 0.0, 500.0, -1, -3.5, 2.175},
        {"with compression", -400.0, 150.0, 1, -3.5, kNaN},
        {"with tension", 200.0, 80.0, 1, kNaN, 25.0},
        {"hogging, concrete relieved", 0.0, -60.0, 1, kNaN, 25.0},
        {"hogging, compression reinforcement", -300.0, -450.0, -1, -3.5, 2.175},
    };
    for (const Design_Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> r;
        ASSERT_EQ(d.Design(c.N, c.M, 1.0, &r), c.expected);
        if (std::isnan(c.edge)) {
            EXPECT_GT(r[LAYER_RESULT_EPS_EDGE], -3.5);
            EXPECT_LT(r[LAYER_RESULT_EPS_EDGE], 0.0);
        } else {
            EXPECT_DOUBLE_EQ(r[LAYER_RESULT_EPS_EDGE], c.edge);
        }
        if (std::isnan(c.steel)) {
            EXPECT_GT(r[LAYER_RESULT_EPS_STEEL], 2.175);
            EXPECT_LT(r[LAYER_RESULT_EPS_STEEL], 25.0);
        } else {
            EXPECT_DOUBLE_EQ(r[LAYER_RESULT_EPS_STEEL], c.steel);
        }
        const bool mirrored = c.M < 0;
        const double tension = r[mirrored ? LAYER_RESULT_SECOND_AREAS : LAYER_RESULT_FIRST_AREAS];
        const double compression =
            r[mirrored ? LAYER_RESULT_FIRST_AREAS : LAYER_RESULT_SECOND_AREAS];
        EXPECT_GT(tension, 0.0);
        if (c.expected == 1)
            EXPECT_EQ(compression, 0.0);
        else
            EXPECT_GT(compression, 0.0);
        double N, M;
        Design_Forces(d, r, mirrored, &N, &M);
        EXPECT_NEAR(N, c.N, 1e-6);
        // The tolerance of the moment grows with the distance the search had to go
        // (1e-4 of it).
        EXPECT_NEAR(M, c.M, 0.02);
        // The lever is the depth of the concrete resultant below the top edge.
        const double lever = r[LAYER_RESULT_LEVER];
        EXPECT_TRUE(mirrored ? lever > kZref && lever < kH : lever > 0.0 && lever < kZref);
    }
}

TEST(LayerDesignTest, HoggingDesignMirrorsSaggingOnASymmetricSection) {
    const Layer_Design_Setup d;
    // The factor multiplies the forces.
    std::vector<double> a, b;
    ASSERT_EQ(d.Design(-100.0, 120.0, 1.5, &a), 1);
    ASSERT_EQ(d.Design(-150.0, 180.0, 1.0, &b), 1);
    EXPECT_NEAR(a[LAYER_RESULT_FIRST_AREAS], b[LAYER_RESULT_FIRST_AREAS], 1e-9);
    for (double M : {60.0, 150.0, 500.0}) {
        SCOPED_TRACE(M);
        std::vector<double> pos, neg;
        const int rp = d.Design(-200.0, M, 1.0, &pos);
        const int rn = d.Design(-200.0, -M, 1.0, &neg);
        ASSERT_EQ(rn, rp);
        EXPECT_NEAR(neg[LAYER_RESULT_EPS_EDGE], pos[LAYER_RESULT_EPS_EDGE], 1e-6);
        EXPECT_NEAR(neg[LAYER_RESULT_EPS_STEEL], pos[LAYER_RESULT_EPS_STEEL], 1e-6);
        EXPECT_NEAR(neg[LAYER_RESULT_SECOND_AREAS], pos[LAYER_RESULT_FIRST_AREAS], 1e-9);
        EXPECT_NEAR(neg[LAYER_RESULT_FIRST_AREAS], pos[LAYER_RESULT_SECOND_AREAS], 1e-9);
        EXPECT_NEAR(neg[LAYER_RESULT_LEVER], kH - pos[LAYER_RESULT_LEVER], 1e-9);
    }
}

// Fixed layers carry their share: a fixed layer beside the tension layer takes its own area
// off the designed one; on the hogging side its depth is mirrored with the section.
TEST(LayerDesignTest, FixedLayersTakeTheirShareOnEitherSide) {
    const Layer_Design_Setup d;
    auto tension_area = [&](double M, double fixed_depth) {
        const double fixed_area[1] = {0.0002};
        const double depth[1] = {fixed_depth};
        std::vector<double> r(kLayerDesignResultSize, -9.0);
        EXPECT_EQ(Design_Layer_Reinforcement(&d.outline, &d.top, &d.bottom, d.limits, &d.concrete, &d.steel,
                                             &d.steel, 1, 0.0, M, 1.0, 1, fixed_area, depth, r.data()),
                  1);
        return r[M < 0 ? LAYER_RESULT_SECOND_AREAS : LAYER_RESULT_FIRST_AREAS];
    };
    std::vector<double> plain;
    ASSERT_EQ(d.Design(0.0, 150.0, 1.0, &plain), 1);
    EXPECT_NEAR(tension_area(150.0, 0.45), plain[LAYER_RESULT_FIRST_AREAS] - 0.0002, 1e-9);
    EXPECT_NEAR(tension_area(-150.0, 0.15), tension_area(150.0, 0.35), 1e-9);
}

TEST(LayerDesignTest, ZeroMomentCases) {
    const Layer_Design_Setup d;
    std::vector<double> r;
    // Nothing to design: N rounds to 0 and |M| < 0.0001.
    EXPECT_EQ(d.Design(0.0004, 0.00009, 1.0, &r), 1);
    for (double v : r) EXPECT_EQ(v, 0.0);
    // A force on the axis: the second pass designs the group the flag names (here a
    // compression the group has to help with: a negative area, which the caller judges).
    // Without a positive moment the strains are read as bottom edge and top layer, whichever
    // side was designed.
    for (int below_top : {1, 0}) {
        SCOPED_TRACE(below_top);
        ASSERT_EQ(d.Design(-300.0, 0.0, 1.0, &r, below_top), 1);
        const int designed = below_top ? LAYER_RESULT_FIRST_AREAS : LAYER_RESULT_SECOND_AREAS;
        const int other = below_top ? LAYER_RESULT_SECOND_AREAS : LAYER_RESULT_FIRST_AREAS;
        EXPECT_LT(r[designed], 0.0);
        EXPECT_EQ(r[other], 0.0);
        double N, M;
        Design_Forces(d, r, true, &N, &M);
        EXPECT_NEAR(N, -300.0, 1e-6);
        EXPECT_NEAR(M, 0.0, 0.02);
    }
    // One layer cannot carry a centric tension: no plane balances it.
    EXPECT_EQ(d.Design(300.0, 0.0, 1.0, &r, 1), 0);
}

TEST(LayerDesignTest, AreasSpillIntoTheNextLayerAndBeyond) {
    Layer_Design_Setup d;
    std::vector<double> one;
    ASSERT_EQ(d.Design(0.0, 150.0, 1.0, &one), 1);
    const double needed = one[LAYER_RESULT_FIRST_AREAS];

    // Two layers at one depth, the first limited to a third of the need.
    d.bottom.layer_count = 2;
    d.bottom.depth[1] = 0.45;
    d.bottom.max_area[0] = needed / 3;
    d.bottom.max_area[1] = 1.0;
    std::vector<double> two;
    ASSERT_EQ(d.Design(0.0, 150.0, 1.0, &two), 1);
    EXPECT_DOUBLE_EQ(two[LAYER_RESULT_FIRST_AREAS], needed / 3);
    EXPECT_NEAR(two[LAYER_RESULT_FIRST_AREAS + 1], 2 * needed / 3, 1e-9);

    // More than every layer may hold: reported at the last layer, but no design.
    d.bottom.max_area[1] = needed / 3;
    ASSERT_EQ(d.Design(0.0, 150.0, 1.0, &two), 0);
    EXPECT_NEAR(two[LAYER_RESULT_FIRST_AREAS] + two[LAYER_RESULT_FIRST_AREAS + 1], needed, 1e-9);

    // The couple's compression spills the same way: the first compression layer takes its
    // limit, the next one the rest.
    {
        Layer_Design_Setup c;
        std::vector<double> single;
        ASSERT_EQ(c.Design(0.0, 500.0, 1.0, &single), -1);
        const double compression = single[LAYER_RESULT_SECOND_AREAS];
        ASSERT_GT(compression, 0.0);
        c.top.layer_count = 2;
        c.top.depth[1] = 0.05;
        c.top.max_area[0] = compression / 4;
        c.top.max_area[1] = 1.0;
        std::vector<double> split;
        ASSERT_EQ(c.Design(0.0, 500.0, 1.0, &split), -1);
        EXPECT_NEAR(split[LAYER_RESULT_SECOND_AREAS], compression / 4, 1e-12);
        EXPECT_NEAR(split[LAYER_RESULT_SECOND_AREAS] + split[LAYER_RESULT_SECOND_AREAS + 1], compression, 1e-9);
        EXPECT_NEAR(split[LAYER_RESULT_FIRST_AREAS], single[LAYER_RESULT_FIRST_AREAS], 1e-9);

        // And its tension: the spare room of the first tension layer limits the couple's
        // force, the next tension layer takes the rest.
        Layer_Design_Setup t;
        const double tension = single[LAYER_RESULT_FIRST_AREAS];
        t.bottom.layer_count = 2;
        t.bottom.depth[1] = 0.45;
        t.bottom.max_area[0] = 0.9 * tension;
        t.bottom.max_area[1] = 1.0;
        ASSERT_EQ(t.Design(0.0, 500.0, 1.0, &split), -1);
        EXPECT_NEAR(split[LAYER_RESULT_FIRST_AREAS], 0.9 * tension, 1e-12);
        EXPECT_NEAR(split[LAYER_RESULT_FIRST_AREAS] + split[LAYER_RESULT_FIRST_AREAS + 1], tension, 1e-9);
        EXPECT_NEAR(split[LAYER_RESULT_SECOND_AREAS], compression, 1e-9);
    }

    // A couple phase without room in the compression group finds nothing.
    d.bottom.max_area[1] = 1.0;
    d.top.max_area[0] = 1e-6;
    EXPECT_EQ(d.Design(0.0, 500.0, 1.0, &two), 0);

    // A "compression" layer that lies in the tension zone cannot form a couple.
    Layer_Design_Setup e;
    e.top.depth[0] = 0.44;
    EXPECT_EQ(e.Design(0.0, 500.0, 1.0, &two), 0);
    EXPECT_LE(two[LAYER_RESULT_SECOND_AREAS], 0.0);
}

TEST(LayerDesignTest, IntegratorPlacesTheRequiredForceInLayerOrder) {
    const Layer_Design_Setup d;
    Layer_Group g{};
    g.layer_count = 2;
    g.depth[0] = 0.45;
    g.depth[1] = 0.40;
    g.max_area[0] = 0.0004;
    g.max_area[1] = 0.0002;
    // Strain 2.5 per mille over the whole depth: every bar at fy.
    const double fixed_area[1] = {0.0001};
    const double fixed_depth[1] = {0.10};
    struct Case {
        double required;      // force the group must supply beyond the fixed layer
        double area, moment;  // expected area added and moment about the top edge
    } cases[] = {
        {0.0001 * kFy, 0.0001, 0.0001 * kFy * 0.45},
        {0.0005 * kFy, 0.0005, 0.0004 * kFy * 0.45 + 0.0001 * kFy * 0.40},
        // Beyond both layers: the rest stands at the last layer's depth.
        {0.0008 * kFy, 0.0008, 0.0004 * kFy * 0.45 + 0.0004 * kFy * 0.40},
    };
    for (const Case& c : cases) {
        double area = 1.0;  // accumulated onto what the caller holds
        const double F0 = -(c.required + 0.0001 * kFy);
        const double Ms = Integrate_Layer_Forces(&g, &d.concrete, &d.steel, F0, 2.5, 2.5, 0.45,
                                                 &area, 1, fixed_area, fixed_depth);
        EXPECT_NEAR(area - 1.0, c.area, 1e-12);
        EXPECT_NEAR(Ms, c.moment + 0.0001 * kFy * 0.10, 1e-9);
        // The same line given by two points.
        double area_line = 0.0;
        const double Ml = Integrate_Layer_Forces_Line(&g, &d.concrete, &d.steel, F0, 2.5, 2.5,
                                                      0.1, 0.3, &area_line, 1, fixed_area,
                                                      fixed_depth);
        EXPECT_NEAR(area_line, c.area, 1e-12);
        EXPECT_NEAR(Ml, Ms, 1e-9);
    }
}

// A hogging design whose tension group has layers at two depths (0.05 m, limited to a
// third of the need, and 0.10 m): the strains are those of the bottom edge and the first
// layer, and the plane through them balances the forces with both layers at their depths.
TEST(LayerDesignTest, HoggingTensionGroupAtTwoDepths) {
    Layer_Design_Setup d;
    std::vector<double> one;
    ASSERT_EQ(d.Design(0.0, -150.0, 1.0, &one), 1);
    d.top.layer_count = 2;
    d.top.depth[1] = 0.10;
    d.top.max_area[0] = one[LAYER_RESULT_SECOND_AREAS] / 3;
    d.top.max_area[1] = 1.0;
    std::vector<double> r;
    ASSERT_EQ(d.Design(0.0, -150.0, 1.0, &r), 1);
    EXPECT_DOUBLE_EQ(r[LAYER_RESULT_SECOND_AREAS], one[LAYER_RESULT_SECOND_AREAS] / 3);
    EXPECT_GT(r[LAYER_RESULT_SECOND_AREAS + 1], 2 * one[LAYER_RESULT_SECOND_AREAS] / 3);
    EXPECT_EQ(r[LAYER_RESULT_FIRST_AREAS], 0.0);
    const double e_edge = r[LAYER_RESULT_EPS_EDGE] * 0.001, e_s = r[LAYER_RESULT_EPS_STEEL] * 0.001;
    EXPECT_DOUBLE_EQ(r[LAYER_RESULT_EPS_EDGE], -3.5);
    auto strain = [&](double z) { return e_edge + (e_s - e_edge) * (z - kH) / (0.05 - kH); };
    const double area[2] = {r[LAYER_RESULT_SECOND_AREAS], r[LAYER_RESULT_SECOND_AREAS + 1]};
    const double depth[2] = {0.05, 0.10};
    double N, M;
    closed_form::Layer_Forces(closed_form::Rect{}, strain(0.0), strain(kH), area, depth, 2, &N, &M);
    EXPECT_NEAR(N, 0.0, 1e-6);
    EXPECT_NEAR(M, -150.0, 0.02);
}

// A tension group without layers works at its default depth: the plane is that of one
// layer there (whatever its unused first depth holds), sagging and hogging.
TEST(LayerDesignTest, GroupWithoutLayersWorksAtItsDefaultDepth) {
    const Layer_Design_Setup d;
    for (double M : {80.0, -80.0}) {
        SCOPED_TRACE(M);
        std::vector<double> one;
        ASSERT_EQ(d.Design(0.0, M, 1.0, &one), 1);
        Layer_Design_Setup e;
        Layer_Group& tension = M > 0 ? e.bottom : e.top;
        tension.default_depth = tension.depth[0];
        tension.layer_count = 0;
        tension.depth[0] = 0.30;
        std::vector<double> none;
        ASSERT_EQ(e.Design(0.0, M, 1.0, &none), 1);
        EXPECT_DOUBLE_EQ(none[LAYER_RESULT_EPS_EDGE], one[LAYER_RESULT_EPS_EDGE]);
        EXPECT_DOUBLE_EQ(none[LAYER_RESULT_EPS_STEEL], one[LAYER_RESULT_EPS_STEEL]);
        EXPECT_DOUBLE_EQ(none[LAYER_RESULT_LEVER], one[LAYER_RESULT_LEVER]);
    }
    // A force on the axis, designed with the bottom group, is read at the bottom edge and
    // the top layer: an empty top group gives the strain at its default depth.
    std::vector<double> one, none;
    ASSERT_EQ(d.Design(-300.0, 0.0, 1.0, &one, 1), 1);
    Layer_Design_Setup e;
    e.top.default_depth = e.top.depth[0];
    e.top.layer_count = 0;
    e.top.depth[0] = 0.30;
    ASSERT_EQ(e.Design(-300.0, 0.0, 1.0, &none, 1), 1);
    EXPECT_DOUBLE_EQ(none[LAYER_RESULT_EPS_EDGE], one[LAYER_RESULT_EPS_EDGE]);
    EXPECT_DOUBLE_EQ(none[LAYER_RESULT_EPS_STEEL], one[LAYER_RESULT_EPS_STEEL]);
}

TEST(LayerDesignTest, DegenerateInputGivesNoDesignAndNoNaN) {
    const Layer_Design_Setup d;
    std::vector<double> r(kLayerDesignResultSize, -9.0);
    EXPECT_EQ(Design_Layer_Reinforcement(nullptr, &d.top, &d.bottom, d.limits, &d.concrete,
                                         &d.steel, &d.steel, 1, 0.0, 50.0, 1.0, 0, nullptr,
                                         nullptr, r.data()),
              0);
    for (double v : r) EXPECT_EQ(v, 0.0);
    EXPECT_EQ(d.Design(std::numeric_limits<double>::quiet_NaN(), 50.0, 1.0, &r), 0);
    EXPECT_EQ(Design_Layer_Reinforcement(&d.outline, &d.top, &d.bottom, d.limits, &d.concrete,
                                         &d.steel, &d.steel, 1, 0.0, 50.0, 1.0, 0, nullptr,
                                         nullptr, nullptr),
              0);

    // A strain line through two points at one depth: strains +-1e100, finite results.
    Layer_Group g{};
    g.layer_count = 1;
    g.depth[0] = 0.45;
    g.max_area[0] = 1.0;
    double area = 0.0;
    const double Ms = Integrate_Layer_Forces(&g, &d.concrete, &d.steel, -100.0, -3.5, 25.0, 0.0,
                                             &area, 0, nullptr, nullptr);
    EXPECT_TRUE(std::isfinite(Ms));
    EXPECT_TRUE(std::isfinite(area));
    // No layer at all: the rest stands at the default depth.
    Layer_Group empty{};
    empty.default_depth = 0.3;
    area = 0.0;
    EXPECT_DOUBLE_EQ(Integrate_Layer_Forces(&empty, &d.concrete, &d.steel, -100.0, -3.5, 25.0,
                                            0.45, &area, 0, nullptr, nullptr),
                     30.0);
    EXPECT_EQ(area, 0.0);
    // With a fixed layer (all at fy) the rest is an area at the stress of that layer.
    const double fixed_area[1] = {0.0001}, fixed_depth[1] = {0.10};
    area = 0.0;
    EXPECT_NEAR(Integrate_Layer_Forces(&empty, &d.concrete, &d.steel, -0.0004 * kFy, 2.5, 2.5, 0.45, &area, 1,
                                       fixed_area, fixed_depth),
                0.0003 * kFy * 0.3 + 0.0001 * kFy * 0.1, 1e-9);
    EXPECT_NEAR(area, 0.0003, 1e-12);
}

}  // namespace
