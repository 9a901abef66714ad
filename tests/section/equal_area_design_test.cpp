// Designs with equal layer areas: the plane found lies on the ultimate strain envelope and
// carries the factored forces (checked by closed-form integrals of the rectangle), every
// layer gets the same area, and the plain-concrete and give-up answers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "area_design_closed_form.h"
#include "section/equal_area_design.h"
#include "section/section_design.h"

namespace {

// Bars inside the concrete area: with both layers yielded in opposite senses their stresses
// do not cancel, so the common area stays defined along the whole envelope.
struct Rect : closed_form::Rect {
    Rect() { subtract = true; }
};

Section_Design_Result Cleared()
{
    Section_Design_Result r;
    std::memset(&r, 0, sizeof r);
    return r;
}

// Tolerances of the design's acceptance test.
double Tol_N(const Rect& g, double N)
{
    return std::fmax(0.003, std::fmin(0.005 * g.h, 0.001 * N));
}
double Tol_M(const Rect& g, double M)
{
    return std::fmax(0.003, std::fmin(0.025 * g.h * g.h, 0.001 * M));
}

// Forces about the reference axis of concrete and equal layers of area a at the depths.
void Forces(const Rect& g, double et, double eb, double a, const std::vector<double>& depths,
            double* N, double* M)
{
    const std::vector<double> areas(depths.size(), a);
    closed_form::Layer_Forces(g, et, eb, areas.data(), depths.data(),
                              static_cast<int>(depths.size()), N, M);
}

// The plane (top edge compressed) lies on the envelope: the compressed edge at eps_cu, the
// tension steel at eps_su, or the pivot of the fully compressed section at eps_c2.
bool On_Envelope(const Rect& g, double et, double eb)
{
    const double steel = closed_form::Strain_At(g, et, eb, g.z_bot);
    const double pivot = closed_form::Strain_At(g, et, eb, (1.0 - g.eps_c2 / g.eps_cu) * g.h);
    const double tol = 1e-8;
    if (std::fabs(et - g.eps_cu) < tol && steel <= g.eps_su + tol) return true;
    if (std::fabs(steel - g.eps_su) < tol && et >= g.eps_cu - tol) return true;
    return eb < 0.0 && std::fabs(pivot - g.eps_c2) < tol;
}

struct Case { double N, M, factor; };
const Case kCases[] = {
    {0.0, 150.0, 1.0},    {-1000.0, 200.0, 1.0}, {-3000.0, 150.0, 1.0},
    {400.0, 60.0, 1.0},   {-500.0, 300.0, 1.0},  {0.0, 150.0, 0.0},
    {-1500.0, 250.0, 0.0},
};

// Both signs of the moment (a negative one compresses the bottom edge), outlines of one and
// two parts, and a section with an own layer that takes its share of the forces.
TEST(EqualAreaDesign, TwoLayerPlanesCarryForcesOnEnvelope)
{
    Rect g;
    for (int variant = 0; variant < 3; ++variant) {
        Section_Record s =
            variant == 1 ? closed_form::Make_Two_Part_Section(g) : closed_form::Make_Section(g);
        const double own_area = variant == 2 ? 0.0008 : 0.0, own_z = 0.40;
        s.layer_count = variant == 2 ? 1 : 0;
        s.layer_area[0] = own_area;
        s.layer_depth[0] = own_z;
        for (const Case& c : kCases) {
            for (double sign : {1.0, -1.0}) {
                const double M = sign * c.M;
                section_work_copy = s;
                Section_Design_Result r = Cleared();
                ASSERT_EQ(Design_Symmetric_Two_Layers(&r, c.N, M, c.factor), 0) << c.N << " " << M;
                EXPECT_EQ(r.As_top, r.As_bottom);
                EXPECT_EQ(r.As_total, 2.0 * r.As_top);
                EXPECT_GE(r.As_top, 0.0);
                EXPECT_EQ(r.x_tension, -1.0);
                if (c.factor != 0.0) {
                    EXPECT_EQ(r.gamma_used, c.factor);
                }
                // Seen from the compressed edge, the plane lies on the envelope.
                if (M >= 0.0) {
                    EXPECT_TRUE(On_Envelope(g, r.eps_top, r.eps_bottom)) << c.N << " " << M;
                } else {
                    EXPECT_TRUE(On_Envelope(g, r.eps_bottom, r.eps_top)) << c.N << " " << M;
                }
                EXPECT_NEAR(r.eps_top_layer,
                            closed_form::Strain_At(g, r.eps_top, r.eps_bottom, g.z_top), 1e-12);
                EXPECT_NEAR(r.eps_bottom_layer,
                            closed_form::Strain_At(g, r.eps_top, r.eps_bottom, g.z_bot), 1e-12);
                double Nr, Mr;
                Forces(g, r.eps_top, r.eps_bottom, r.As_top, {g.z_top, g.z_bot}, &Nr, &Mr);
                const double F_own = own_area * closed_form::Steel_Stress(
                    g, closed_form::Strain_At(g, r.eps_top, r.eps_bottom, own_z));
                Nr += F_own;
                Mr += F_own * (own_z - g.z_ref);
                EXPECT_NEAR(Nr, r.gamma_used * c.N, Tol_N(g, c.N) + 1e-9) << c.N << " " << M;
                EXPECT_NEAR(Mr, r.gamma_used * M, Tol_M(g, M) + 1e-9) << c.N << " " << M;
            }
        }
    }
}

TEST(EqualAreaDesign, ManyLayersShareOneArea)
{
    Rect g;
    const Section_Record s = closed_form::Make_Two_Part_Section(g);
    for (int n : {2, 4, 7}) {
        std::vector<double> depths;
        layer_law_table.count = n;
        for (int i = 0; i < n; ++i) {
            const double z = g.z_top + (g.z_bot - g.z_top) * i / (n - 1);
            depths.push_back(z);
            layer_law_table.depth[i] = z;
            layer_law_table.law[i] = s.steel_law[2];
            layer_law_table.area[i] = 0.0;
        }
        for (const Case& c : kCases) {
            section_work_copy = s;
            Section_Design_Result r = Cleared();
            ASSERT_EQ(Design_Equal_Layers(n, &r, c.N, c.M, c.factor), 0) << n << " " << c.M;
            EXPECT_EQ(r.As_top, r.As_bottom);
            EXPECT_EQ(r.As_total, r.As_top * n);
            EXPECT_EQ(r.x_tension, -1.0);
            EXPECT_TRUE(On_Envelope(g, r.eps_top, r.eps_bottom)) << n << " " << c.M;
            double Nr, Mr;
            Forces(g, r.eps_top, r.eps_bottom, r.As_top, depths, &Nr, &Mr);
            EXPECT_NEAR(Nr, r.gamma_used * c.N, Tol_N(g, c.N) + 1e-9) << n << " " << c.M;
            EXPECT_NEAR(Mr, r.gamma_used * c.M, Tol_M(g, c.M) + 1e-9) << n << " " << c.M;
        }
    }
}

// The answer from the neighbouring designs (0.99 and 1.01 times the forces), averaged. A
// centric tension needs gamma N / (2 fy) per layer at the steel's limit strain, whatever the
// neighbours. Under compression and bending with the factor by steel strain, the averaged
// plane is still a plane, its factor follows the rule at the averaged tension-steel strain
// (the rule is linear there) and it carries the forces about as well as its neighbours.
TEST(EqualAreaDesign, AveragedNeighboursAnswer)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    layer_law_table.count = 2;
    layer_law_table.depth[0] = g.z_top;
    layer_law_table.depth[1] = g.z_bot;
    for (int i = 0; i < 2; ++i) layer_law_table.law[i] = s.steel_law[2];

    for (double factor : {1.3, 0.0}) {
        section_work_copy = s;
        Section_Design_Result r = Cleared();
        ASSERT_EQ(Design_Equal_Layers_Averaged(&r, 600.0, 0.0, factor), 0) << factor;
        const double gamma = factor != 0.0 ? factor : 1.75;
        EXPECT_NEAR(r.gamma_used, gamma, 1e-12);
        EXPECT_NEAR(r.As_top, gamma * 600.0 / (2.0 * g.fy), 1e-12);
        EXPECT_NEAR(r.As_bottom, r.As_top, 1e-15);
        EXPECT_NEAR(r.As_total, 2.0 * r.As_top, 1e-15);
        for (double e : {r.eps_top, r.eps_bottom, r.eps_top_layer, r.eps_bottom_layer})
            EXPECT_NEAR(e, g.eps_su, 1e-12);
        EXPECT_EQ(r.x_tension, -1.0);
    }

    section_work_copy = s;
    Section_Design_Result r = Cleared();
    const double N = -1500.0, M = 250.0;
    ASSERT_EQ(Design_Equal_Layers_Averaged(&r, N, M, 0.0), 0);
    EXPECT_NEAR(r.eps_top_layer, closed_form::Strain_At(g, r.eps_top, r.eps_bottom, g.z_top), 1e-12);
    EXPECT_NEAR(r.eps_bottom_layer, closed_form::Strain_At(g, r.eps_top, r.eps_bottom, g.z_bot), 1e-12);
    ASSERT_GT(r.eps_bottom_layer, 0.0);
    ASSERT_LT(r.eps_bottom_layer, 0.003);
    EXPECT_NEAR(r.gamma_used, 1.75 + (0.003 - r.eps_bottom_layer) * 350.0 / 3.0, 1e-9);
    EXPECT_NEAR(r.As_total, 2.0 * r.As_top, 1e-15);
    double Nr, Mr;
    Forces(g, r.eps_top, r.eps_bottom, r.As_top, {g.z_top, g.z_bot}, &Nr, &Mr);
    // The neighbours' planes differ a little: the average is off by second-order terms only.
    EXPECT_NEAR(Nr, r.gamma_used * N, 1e-4 * std::fabs(r.gamma_used * N));
    EXPECT_NEAR(Mr, r.gamma_used * M, 1e-4 * std::fabs(r.gamma_used * M));

    // Layers without strength: the neighbours find no plane either; the result stays.
    Section_Record weak = s;
    weak.steel_law[2].fy_t = weak.steel_law[2].fy_c = 0.0;
    weak.steel_law[2].E_t = weak.steel_law[2].E_c = 0.0;
    weak.steel_law[2].subtract_concrete = 0;
    section_work_copy = weak;
    layer_law_table.law[0] = layer_law_table.law[1] = weak.steel_law[2];
    r = Cleared();
    EXPECT_EQ(Design_Equal_Layers_Averaged(&r, 300.0, 20.0, 1.0), 1);
    EXPECT_EQ(r.As_total, 0.0);
    EXPECT_EQ(r.gamma_used, 0.0);
}

// A compressive force the concrete carries with margin: the failure state of the section
// with a tiny area in each layer, its load factor as the factor; never an area of zero.
TEST(EqualAreaDesign, PlainConcreteGivesTinyArea)
{
    Rect g;
    const Section_Record s = closed_form::Make_Section(g);
    struct Row { double N, M, factor; };
    const Row rows[] = {{-1000.0, 0.0, 0.0}, {-1000.0, 0.0, 1.0}, {-1200.0, 15.0, 1.0}};
    for (const Row& row : rows) {
        section_work_copy = s;
        Section_Design_Result r = Cleared();
        ASSERT_EQ(Design_Symmetric_Two_Layers(&r, row.N, row.M, row.factor), 0) << row.N;
        EXPECT_GT(r.As_top, 0.0);
        EXPECT_LE(r.As_total, 100 * 5e-7 + 1e-15);
        EXPECT_EQ(r.As_total, 2.0 * r.As_top);
        EXPECT_GE(r.gamma_used, row.factor != 0.0 ? row.factor : 1.745);
        // The failure state carries lambda times the forces (the tiny areas aside).
        double Nr, Mr;
        Forces(g, r.eps_top, r.eps_bottom, r.As_top, {g.z_top, g.z_bot}, &Nr, &Mr);
        EXPECT_NEAR(Nr, r.gamma_used * row.N, 2e-3 * std::fabs(r.gamma_used * row.N));
        if (row.M == 0.0) {
            EXPECT_NEAR(r.gamma_used, g.fc * g.b * g.h / -row.N, 1e-4);
        }
    }
}

// Layers without strength can carry no tension: the walk uses its budget and gives up with
// the last plane; an outline of one part is never turned.
TEST(EqualAreaDesign, GivesUpWithLastPlane)
{
    Rect g;
    for (bool two_parts : {false, true}) {
        Section_Record s =
            two_parts ? closed_form::Make_Two_Part_Section(g) : closed_form::Make_Section(g);
        s.steel_law[2].fy_t = s.steel_law[2].fy_c = 0.0;
        s.steel_law[2].E_t = s.steel_law[2].E_c = 0.0;
        s.steel_law[2].subtract_concrete = 0;
        section_work_copy = s;
        Section_Design_Result r = Cleared();
        EXPECT_EQ(Design_Symmetric_Two_Layers(&r, 300.0, 20.0, 1.0), 1);
        EXPECT_EQ(r.x_tension, -1.0);
        EXPECT_EQ(r.As_total, 2.0 * r.As_top);
        EXPECT_EQ(r.gamma_used, 1.0);
        EXPECT_FALSE(std::isnan(r.eps_top));
        EXPECT_FALSE(std::isnan(r.eps_bottom));
    }
}

}  // namespace
