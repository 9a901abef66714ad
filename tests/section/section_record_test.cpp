#include "section/section_record.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>

#include "material/material_set.h"
#include "section/section_laws.h"

namespace {

Steel_Record Make_Steel(double fyd, double ftd, double eps_uk, double eps_yd, double es)
{
    Steel_Record r{};
    r.fyd = fyd;
    r.ftd = ftd;
    r.eps_uk = eps_uk;
    r.eps_yd = eps_yd;
    r.es = es;
    return r;
}

// A set on the stack (set-up only reads it); the two steels differ so that the law blocks
// can be told apart.
struct Test_Materials {
    Material_Set set{};
    Concrete_Record concrete{};
    Steel_Record steel[2] = {Make_Steel(434.78, 466.0, 25.0, 2.174, 200000.0),
                             Make_Steel(365.0, 365.0, 20.0, 1.8, 195000.0)};
    Test_Materials()
    {
        concrete.fcd = 17.0;
        concrete.eps_c2 = -2.0;
        concrete.eps_cu = -3.5;
        concrete.n_exp = 2.0;
        concrete.strain_shift = -0.25;
        concrete.fctm = 2.9;
        concrete.value_29 = 0.15;   // tension limit strain
        concrete.value_30 = 0.1;    // tension peak strain
        set.n_concrete = 1;
        set.n_steel = 2;
        set.concrete = &concrete;
        set.steel = steel;
    }
};

Section_Record Defaults()
{
    Section_Record s;
    std::memset(&s, 0x5a, sizeof s);
    Init_Section_Defaults(&s);
    return s;
}

TEST(SectionRecordTest, RectangleFromCentimetresAndMaterials)
{
    Test_Materials m;
    m.set.stored_int_b = 1;
    Section_Record s = Defaults();
    s.option_bits = 7;
    ASSERT_EQ(Setup_Section(&s, 0, 60, 40, 0, 0, 0, 0, 5, 5, 30, &m.set), 1);
    EXPECT_EQ(s.part_count, 1);
    EXPECT_DOUBLE_EQ(s.part_bottom[0], 0.6);
    EXPECT_DOUBLE_EQ(s.width_at_zero[0], 0.4);
    EXPECT_DOUBLE_EQ(s.reference_depth, 0.3);
    EXPECT_DOUBLE_EQ(s.upper_layer_depth, 0.05);
    EXPECT_DOUBLE_EQ(s.lower_layer_depth, 0.55);
    EXPECT_EQ(s.layer_count, 2);
    EXPECT_DOUBLE_EQ(s.layer_depth[0], 0.55);
    EXPECT_DOUBLE_EQ(s.layer_depth[1], 0.05);
    EXPECT_EQ(s.layer_area[0] + s.layer_area[1] + s.option_bits + s.design_param[2], 0.0);

    const Concrete_Law& c = s.concrete_law;
    const double got[] = {c.fc, c.eps_cu, c.eps_peak, c.eps_shift, c.fct, c.eps_t_limit, c.eps_t_peak};
    const double want[] = {17000.0, -0.0035, -0.002, -0.00025, 2900.0, 0.00015, 0.0001};
    for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(got[i], want[i]) << i;

    // Block 0 serves the top reinforcement (steel record 1), blocks 1..3 the bottom one.
    EXPECT_DOUBLE_EQ(s.steel_law[0].fy_t, 365000.0);
    EXPECT_DOUBLE_EQ(s.steel_law[0].E_c, 1.95e8);
    for (int k = 1; k < 4; ++k) {
        const Steel_Law& law = s.steel_law[k];
        EXPECT_DOUBLE_EQ(law.fy_c, 434780.0);
        EXPECT_DOUBLE_EQ(law.k_t, 466.0 / 434.78);
        EXPECT_DOUBLE_EQ(law.eps_u_c, 0.025);
        EXPECT_DOUBLE_EQ(law.eps_y_t, 0.002174);
        EXPECT_DOUBLE_EQ(law.E_t, 2.0e8);
    }
    for (const Steel_Law& law : s.steel_law) EXPECT_EQ(law.subtract_concrete, 1);
}

TEST(SectionRecordTest, FlangedOutlinesAndRefusedShape)
{
    Section_Record s = Defaults();
    ASSERT_EQ(Setup_Section(&s, 2, 100, 20, 15, 80, 10, 50, 4, 6, 40, nullptr), 1);
    ASSERT_EQ(s.part_count, 3);
    const double top[] = {0.0, 0.15, 0.9}, bottom[] = {0.15, 0.9, 1.0}, width[] = {0.8, 0.2, 0.5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(s.part_top[i], top[i]);
        EXPECT_DOUBLE_EQ(s.part_bottom[i], bottom[i]);
        EXPECT_DOUBLE_EQ(s.width_at_zero[i], width[i]);
    }
    EXPECT_DOUBLE_EQ(s.concrete_law.fc, 17500.0);  // no material set: the laws stay

    const Section_Record before = s;
    EXPECT_EQ(Setup_Section(&s, 4, 60, 40, 0, 0, 0, 0, 5, 5, 30, nullptr), 0);
    EXPECT_EQ(Setup_Section(&s, -1, 60, 40, 0, 0, 0, 0, 5, 5, 30, nullptr), 0);
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
}

TEST(SectionRecordTest, CircleAndRingPolygons)
{
    const double pi = std::numbers::pi;
    const double r = 0.5, R = CIRCLE_POLYGON_FACTOR * r;
    EXPECT_NEAR(CIRCLE_POLYGON_FACTOR, std::sqrt(pi / (64.0 * std::sin(pi / 64.0))), 1e-15);
    auto area = [](const Section_Record& s) {
        double a = 0.0;
        for (int i = 0; i < s.part_count; ++i)
            a += (s.width_top[i] + s.width_bottom[i]) / 2.0 * (s.part_bottom[i] - s.part_top[i]);
        return a;
    };
    Test_Materials m;
    Section_Record s = Defaults();
    ASSERT_EQ(Setup_Section(&s, 3, 50, 0, 0, 0, 0, 0, 4, 6, 30, &m.set), 1);
    EXPECT_EQ(s.part_count, 64);
    EXPECT_DOUBLE_EQ(s.height, 2.0 * R);
    EXPECT_DOUBLE_EQ(s.reference_depth, R);
    EXPECT_NEAR(area(s), pi * r * r, 1e-12);
    EXPECT_EQ(s.part_top[0] + s.width_top[0] + s.width_bottom[63], 0.0);
    EXPECT_DOUBLE_EQ(s.ring_radius_outer, 0.44);
    EXPECT_DOUBLE_EQ(s.ring_radius_inner, 0.04);
    EXPECT_EQ(s.design_param[2], -1.0);
    EXPECT_EQ(s.upper_layer_depth + s.lower_layer_depth + s.layer_depth[0] + s.layer_depth[1], 0.0);
    EXPECT_DOUBLE_EQ(circle_radius_excess, R - r);
    EXPECT_NEAR(Calc_Outline_Centroid(&s), R, 1e-12);
    for (int i = 0; i < 64; ++i)  // the width line reproduces both edges of every part
        EXPECT_NEAR(s.width_at_zero[i] + s.width_slope[i] * s.part_bottom[i], s.width_bottom[i], 1e-12);

    // Ring: the hole's chord is cut only at the levels strictly inside it.
    Set_Circular_Outline(&s, 0.5, 0.3);
    const double Ri = CIRCLE_POLYGON_FACTOR * 0.3;
    EXPECT_NEAR(area(s), pi * (0.25 - 0.09), 2e-3);
    EXPECT_NEAR(s.width_top[32], 2.0 * (R - Ri), 1e-12);  // level 32 is the centre
    for (int i = 0; i < 64; ++i) {
        EXPECT_GE(s.width_top[i], -1e-12);
        if (s.part_top[i] <= R - Ri || s.part_top[i] >= R + Ri) {
            EXPECT_NEAR(s.width_top[i], 2.0 * R * std::sin(i * pi / 64.0), 1e-12);
        }
    }
}

// A circle leaves its polygon excess behind; a later non-circular set-up must clear it,
// else the tension resultant of that section would be shifted by it.
TEST(SectionRecordTest, NonCircularSetupClearsCircleExcess)
{
    Section_Record s = Defaults();
    Setup_Section(&s, 3, 50, 0, 0, 0, 0, 0, 5, 5, 0, nullptr);
    EXPECT_GT(circle_radius_excess, 0.0);
    Setup_Section(&s, 0, 60, 40, 0, 0, 0, 0, 5, 5, 30, nullptr);
    EXPECT_EQ(circle_radius_excess, 0.0);
}

TEST(SectionRecordTest, ConcreteWithoutTensileStrengthKeepsTensionBranch)
{
    Test_Materials m;
    m.concrete.fctm = 0.001;
    Section_Record s = Defaults();
    s.concrete_law.fct = 1234.0;
    s.concrete_law.eps_t_limit = 0.0002;
    s.concrete_law.eps_t_peak = 0.0001;
    Setup_Section(&s, 0, 60, 40, 0, 0, 0, 0, 5, 5, 30, &m.set);
    EXPECT_EQ(s.concrete_law.fct, 1234.0);
    EXPECT_EQ(s.concrete_law.eps_t_limit, 0.0002);
    EXPECT_EQ(s.concrete_law.eps_t_peak, 0.0001);
}

// A steel whose design strengths are unset (fyd 0) must not get an infinite hardening
// ratio: every stress of its law would be NaN.
TEST(SectionRecordTest, UnsetSteelStrengthGivesFiniteLaw)
{
    Test_Materials m;
    m.steel[0] = Make_Steel(0.0, 0.0, 25.0, 0.0, 200000.0);
    m.steel[1] = Make_Steel(0.0, 500.0, 25.0, 0.0, 200000.0);
    Section_Record s = Defaults();
    Setup_Section(&s, 0, 60, 40, 0, 0, 0, 0, 5, 5, 30, &m.set);
    for (const Steel_Law& law : s.steel_law) {
        EXPECT_EQ(law.k_t + law.k_c, 2.0);
        for (double eps : {-0.03, -0.001, 0.001, 0.02}) EXPECT_EQ(Calc_Steel_Stress(&law, nullptr, eps), 0.0);
    }
}

TEST(SectionRecordTest, CentroidAndFlangedOutline)
{
    Section_Record s = Defaults();
    EXPECT_DOUBLE_EQ(Calc_Outline_Centroid(&s), 0.1);
    Set_Flanged_Outline(&s, 0.6, 0.15, 0.8, 0.2);  // flange 0.8 x 0.15 over a web 0.2 x 0.45
    const double expected = (0.12 * 0.075 + 0.09 * 0.375) / 0.21;
    EXPECT_NEAR(s.reference_depth, expected, 1e-15);
    EXPECT_NEAR(Calc_Outline_Centroid(&s), expected, 1e-15);
    Set_Flanged_Outline(&s, 0.0, 0.0, 0.8, 0.2);
    EXPECT_EQ(s.reference_depth, 0.0);
    s.part_count = 0;
    EXPECT_EQ(Calc_Outline_Centroid(&s), 0.0);
}

}  // namespace
