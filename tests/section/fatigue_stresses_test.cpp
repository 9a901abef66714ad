#include "section/fatigue_stresses.h"

#include <cmath>
#include <gtest/gtest.h>

#include "annex/nad_ec2.h"
#include "material/class_names.h"
#include "material/material_set.h"

namespace {

// A rectangle 30 x 50 cm with its bottom layer 5 cm above the bottom edge, under two
// sagging moments. The set is C30/37 and B500B turned into the serviceability set with a
// linear concrete law of modular ratio 15 (E'c = 200000/15), so the classic cracked-section
// formulas hold while the concrete stays below fck.
class FatigueStressTest : public testing::Test {
protected:
    Material_Set set{};
    Fatigue_Stress_Input in{};
    double N[3] = {0.0, 0.0, 0.0};
    double M[3] = {100.0, 50.0, 0.0};

    void SetUp() override
    {
        Clear_Material_Set(&set);
        ASSERT_EQ(Alloc_Material_Set(&set, 1, 2), 0);
        NAD_EC2_Defaults_For_Norm(4, set.annex);
        set.new_standard = set.en1992_1_1 = 1;
        set.situation_code = 2;
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        set.law_choice = 3;
        set.modular_ratio = 15.0;
        set.concrete[0].class_index = 9;
        set.concrete[0].density = 2200;
        set.steel[0].steel_index = set.steel[1].steel_index = 4;
        Calc_Material_Set(&set, 0);
        ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 0.0, 0.0, 1), 1);

        Clear_Fatigue_Work_Record(&in);
        in.case_count = 2;
        in.normal_force = N;
        in.moment = M;
        in.shape = FATIGUE_RECTANGLE;
        in.width = 30.0;
        in.height = 50.0;
        in.top_cover = 5.0;
        in.bottom_cover = 5.0;
        in.material_set = &set;
        in.perm_steel_range = 175.0;
        in.fcd_fat = 20.0;
        in.simplified_method = 1;
        in.design_steel = 1;
        in.check_concrete = 1;
        in.area_bottom = 10.0;
    }
    void TearDown() override
    {
        Restore_Material_Set(&set);
        Free_Material_Set(&set);
    }

    // Singly reinforced rectangle under M [kNm]: depth x of the compression zone [cm], lever
    // arm z [cm], steel stress and concrete edge stress [N/mm²].
    struct Cracked {
        double x, z, steel, concrete;
    };
    static Cracked Hand_Calculation(double M_kNm, double As, double b, double d, double n)
    {
        const double rho = As / (b * d);
        const double k = -n * rho + std::sqrt(n * rho * (n * rho + 2.0));
        Cracked c;
        c.x = k * d;
        c.z = d - c.x / 3.0;
        c.steel = M_kNm * 100.0 / (As * c.z) * 10.0;
        c.concrete = 2.0 * M_kNm * 100.0 / (b * c.x * c.z) * 10.0;
        return c;
    }
};

TEST_F(FatigueStressTest, CrackedRectangleAgainstHandCalculation)
{
    in.design_mode = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    const Cracked upper = Hand_Calculation(100.0, 10.0, 30.0, 45.0, 15.0);
    const Cracked lower = Hand_Calculation(50.0, 10.0, 30.0, 45.0, 15.0);
    EXPECT_NEAR(in.steel_max_bottom, upper.steel, 0.01 * upper.steel);
    EXPECT_NEAR(in.steel_min_bottom, lower.steel, 0.01 * lower.steel);
    EXPECT_NEAR(in.concrete_upper, upper.concrete, 0.01 * upper.concrete);
    EXPECT_NEAR(in.concrete_lower, lower.concrete, 0.01 * lower.concrete);
    // The empty top layer 5 cm below the top edge shows where the neutral axis lies:
    // n σc (x - 5)/x in compression.
    const double top = -15.0 * upper.concrete * (upper.x - 5.0) / upper.x;
    EXPECT_NEAR(in.steel_min_top, top, 0.01 * std::fabs(top));
    // Stresses only: the areas stay, the stresses at the given areas are the final ones.
    EXPECT_DOUBLE_EQ(in.area_bottom, 10.0);
    EXPECT_DOUBLE_EQ(in.area_top, 0.0);
    EXPECT_DOUBLE_EQ(in.initial_max_bottom, in.steel_max_bottom);
    EXPECT_DOUBLE_EQ(in.initial_max_top, 0.0);   // no area there
    EXPECT_NEAR(in.compression_upper_max, upper.concrete, 0.01 * upper.concrete);
    // EN 1992-1-1 6.77 on the top edge.
    EXPECT_NEAR(in.concrete_ratio, in.concrete_upper / 20.0, 1e-12);
    EXPECT_NEAR(in.concrete_limit, 0.5 + 0.45 * in.concrete_lower / 20.0, 1e-12);
    EXPECT_NEAR(in.concrete_utilisation, in.concrete_ratio / in.concrete_limit, 1e-12);
}

TEST_F(FatigueStressTest, TieIsRaisedUntilTheRangeFits)
{
    in.perm_steel_range = 80.0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    const double range = in.steel_max_bottom - in.steel_min_bottom;
    EXPECT_LE(range, 80.0 * 1.0000001192092896);
    // The range at the given area exceeded the permissible one; the raise stops soon after
    // the range fits (the range falls roughly with the area).
    EXPECT_GT(in.initial_max_bottom - in.initial_min_bottom, 80.0);
    EXPECT_GT(in.area_bottom, 10.0);
    EXPECT_LT(in.area_bottom, 10.0 * (in.initial_max_bottom - in.initial_min_bottom) / 80.0 * 1.1);
    EXPECT_DOUBLE_EQ(in.area_top, 0.0);

    // One raising step only.
    in.area_bottom = 10.0;
    in.design_mode = 2;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_NEAR(in.area_bottom, 11.0, 1e-12);   // first pass, range ratio above 1.21
}

TEST_F(FatigueStressTest, AnExtremeAtYieldCountsAsAnExceededRange)
{
    // 4.6 cm² yield under the upper moment; the range to the lower stress fits 400 only
    // because the upper stress is cut at fyd.
    const double fyd = set.steel[0].fyd;
    in.perm_steel_range = 400.0;
    in.area_bottom = 4.6;
    ASSERT_GT(Hand_Calculation(100.0, 4.6, 30.0, 45.0, 15.0).steel, fyd);
    in.design_mode = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_EQ(in.steel_yields, 1);
    EXPECT_DOUBLE_EQ(in.steel_max_bottom, fyd);
    EXPECT_LT(in.steel_max_bottom - in.steel_min_bottom, 400.0);

    // The design raises the tie until it is elastic, and not much beyond.
    in.design_mode = 1;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_EQ(in.steel_yields, 0);
    EXPECT_LT(in.steel_max_bottom, fyd);
    double elastic = 4.6;
    while (Hand_Calculation(100.0, elastic, 30.0, 45.0, 15.0).steel >= fyd) elastic += 0.01;
    EXPECT_GT(in.area_bottom, elastic - 0.05);
    EXPECT_LT(in.area_bottom, 1.11 * elastic);
    EXPECT_DOUBLE_EQ(in.area_top, 0.0);

    // A bottom layer that is not designed is never raised: without its bars a sagging
    // moment has no equilibrium.
    in.fixed_bottom = 1;
    in.area_bottom = 0.0;
    in.area_top = 10.0;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_EQ(in.no_equilibrium, 1);
}

TEST_F(FatigueStressTest, HoggingMomentWithoutSteelStartsTheTopLayer)
{
    M[0] = -100.0;
    M[1] = -40.0;
    in.area_bottom = 0.0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_GT(in.area_top, 0.1);
    EXPECT_LE(in.steel_max_top - in.steel_min_top, 175.0 * 1.0000001192092896);
    EXPECT_GT(in.steel_max_top, 0.0);
}

TEST_F(FatigueStressTest, NothingToDoAndUnreadableInput)
{
    M[1] = 100.0;   // the same forces in both cases: no range
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_DOUBLE_EQ(in.area_bottom, 10.0);
    EXPECT_DOUBLE_EQ(in.steel_max_bottom, 0.0);
    EXPECT_DOUBLE_EQ(in.concrete_utilisation, 0.0);

    M[1] = 50.0;
    in.case_count = 1;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_DOUBLE_EQ(in.area_bottom, -1.0);
    EXPECT_DOUBLE_EQ(in.area_top, -1.0);

    in.case_count = 2;
    in.area_bottom = 10.0;
    in.area_top = 0.0;
    set.steel[1].steel_index = STEEL_GLASS_FIBRE;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_DOUBLE_EQ(in.area_bottom, -1.0);
    set.steel[1].steel_index = 4;

    in.area_bottom = 10.0;
    in.area_top = 0.0;
    in.shape = FATIGUE_NO_SECTION;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_DOUBLE_EQ(in.area_top, -1.0);
}

TEST_F(FatigueStressTest, NoStressStateMarksFailure)
{
    // Stresses only, without steel: the first 0.1 cm² cannot carry the moment.
    in.design_mode = 0;
    in.area_bottom = 0.0;
    in.steel_max_bottom = 99.0;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_DOUBLE_EQ(in.area_bottom, -1.0);
    EXPECT_DOUBLE_EQ(in.area_top, -1.0);
    EXPECT_DOUBLE_EQ(in.steel_max_bottom, 0.0);
    EXPECT_DOUBLE_EQ(in.steel_min_bottom, 0.0);
}

// A case that the area cannot carry gets the least number of area steps with which it has
// an equilibrium; a case that no added area can balance gives up at once and says so.
TEST_F(FatigueStressTest, EquilibriumTakesTheLeastStepsOrNone)
{
    M[0] = 300.0;
    M[1] = 150.0;
    in.area_bottom = 0.1;
    in.perm_steel_range = 1.0e6;  // no raise for the range
    // One pass: the least steps to equilibrium leave the tie at yield, which raises it once
    // by a tenth.
    in.design_mode = 2;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_EQ(in.no_equilibrium, 0);
    EXPECT_EQ(in.steel_yields, 1);
    const double found = in.area_bottom / 1.1;
    ASSERT_GT(found, 1.0);
    in.area_bottom = found;
    in.design_mode = 0;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    in.area_bottom = found - 0.1;
    in.area_top = 0.0;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_EQ(in.no_equilibrium, 0);  // stresses only: no steps were tried

    // The layers the wrong way round: the hogging moment stretches the top edge, the steps
    // go to the "top" layer, which lies in the compressed lower half.
    in.design_mode = 1;
    in.top_cover = in.bottom_cover = 40.0;
    M[0] = -100.0;
    M[1] = -40.0;
    in.area_bottom = 0.0;
    in.area_top = 10.0;
    EXPECT_EQ(Calc_Fatigue_Stresses(1, &in), 1);
    EXPECT_EQ(in.no_equilibrium, 1);
    EXPECT_DOUBLE_EQ(in.area_top, -1.0);
    EXPECT_DOUBLE_EQ(in.concrete_utilisation, -1.0);  // nothing to check the concrete on
}

TEST_F(FatigueStressTest, SimplifiedConcreteRuleAndItsCap)
{
    // σc,max/fcd,fat ≤ 0.5 + 0.45 σc,min/fcd,fat ≤ 0.9 (fck ≤ 50) or 0.8 (fck > 50).
    in.design_mode = 0;
    const Cracked upper = Hand_Calculation(100.0, 10.0, 30.0, 45.0, 15.0);
    const Cracked lower = Hand_Calculation(50.0, 10.0, 30.0, 45.0, 15.0);
    // A strength at which the limit lies between the two caps.
    const double fcd_fat = 0.45 * lower.concrete / 0.35;
    in.fcd_fat = fcd_fat;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_NEAR(in.concrete_limit, 0.85, 0.01);
    EXPECT_GT(in.concrete_utilisation, 1.0);   // not satisfied, but the rule applies
    EXPECT_NEAR(in.concrete_ratio, upper.concrete / fcd_fat, 0.01 * upper.concrete / fcd_fat);

    set.concrete[0].fck = 55.0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_DOUBLE_EQ(in.concrete_utilisation, -1.0);   // 0.85 above the cap 0.8
    EXPECT_NEAR(in.concrete_limit, 0.85, 0.01);
    set.concrete[0].fck = 30.0;

    in.fcd_fat = 0.45 * lower.concrete / 0.41;   // limit 0.91 above the cap 0.9
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_DOUBLE_EQ(in.concrete_utilisation, -1.0);

    // Without a fatigue strength the concrete cannot be shown safe.
    in.fcd_fat = 0.0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_DOUBLE_EQ(in.concrete_utilisation, -1.0);
}

TEST_F(FatigueStressTest, DamageEquivalentConcreteRule)
{
    in.design_mode = 0;
    in.simplified_method = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    const double R = in.concrete_lower / in.concrete_upper;
    EXPECT_NEAR(R, 0.5, 0.01);
    EXPECT_NEAR(in.concrete_utilisation, in.concrete_upper / 20.0 + 3.0 / 7.0 * std::sqrt(1.0 - R), 1e-12);
    EXPECT_DOUBLE_EQ(in.concrete_limit, 1.0);
}

TEST_F(FatigueStressTest, CircularRingSection)
{
    // A ring of outer radius 30 cm and inner radius 10 cm, its bars 5 cm from the faces:
    // 32 outer bars with 10 cm², an inner ring of 16 bars with 5 cm².
    in.shape = FATIGUE_CIRCLE;
    in.height = 30.0;
    in.top_flange_depth = 10.0;
    in.area_bottom = 10.0;
    in.area_top = 5.0;
    in.design_mode = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_GT(in.steel_max_bottom, in.steel_min_bottom);
    EXPECT_GT(in.steel_max_bottom, 0.0);
    // The inner ring lies closer to the centre: a smaller range than the outer one.
    EXPECT_GT(in.steel_max_top - in.steel_min_top, 0.0);
    EXPECT_LT(in.steel_max_top - in.steel_min_top, in.steel_max_bottom - in.steel_min_bottom);

    // The design raises the rings by whole square centimetres at least.
    in.perm_steel_range = 0.5 * (in.steel_max_bottom - in.steel_min_bottom);
    in.design_mode = 1;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_GE(in.area_bottom, 11.0);
    EXPECT_LE(in.steel_max_bottom - in.steel_min_bottom, in.perm_steel_range * 1.0000001192092896);
}

// The shear part: links stressed by the shear range, struts and members without links.
TEST_F(FatigueStressTest, InclinedLinksCarryByTheirResistanceLever)
{
    double V[2] = {150.0, 60.0};
    in.shear_force = V;
    in.use_shear = 1;
    in.link_area = 5.0;            // cm²/m
    in.perm_link_range = 1000.0;   // no raise
    in.strut_angle = 45;
    in.link_steel_index = 4;
    in.design_mode = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    const double vertical = in.link_stress_max;
    ASSERT_GT(vertical, 0.0);
    EXPECT_NEAR(in.link_stress_min / vertical, 60.0 / 150.0, 1e-9);

    // Links at 45° under struts at 45°: the lever (cot θ + cot α) sin α z is √2 z against
    // z of vertical links.
    in.link_angle = 45.0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_NEAR(in.link_stress_max / vertical, 1.0 / std::sqrt(2.0), 1e-9);

    // Raising: the range of the links brought to the permissible one.
    in.link_angle = 90.0;
    in.design_mode = 1;
    const double range = 0.6 * vertical;   // the range at 5 cm²/m
    in.perm_link_range = 0.5 * range;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_NEAR(in.link_area, 10.0, 1e-9);
    EXPECT_NEAR(in.link_stress_max - in.link_stress_min, in.perm_link_range, 1e-9);
    // The struts by the simplified rule with fcd,fat reduced by ν.
    EXPECT_GT(in.strut_ratio, 0.0);
    EXPECT_NEAR(in.strut_limit, 0.5 + 0.45 * in.strut_ratio * 60.0 / 150.0, 1e-9);
}

TEST_F(FatigueStressTest, MembersWithoutLinksCheckTheShearRange)
{
    double V[2] = {40.0, 10.0};
    in.shear_force = V;
    in.use_shear = 1;
    in.design_mode = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    ASSERT_GT(in.strut_capacity_upper, 0.0);
    EXPECT_DOUBLE_EQ(in.strut_upper, 40.0);
    EXPECT_DOUBLE_EQ(in.strut_lower, 10.0);
    EXPECT_NEAR(in.strut_limit, 0.5 + 0.45 * 10.0 / in.strut_capacity_lower, 1e-12);
    EXPECT_NEAR(in.strut_utilisation, 40.0 / in.strut_capacity_upper / in.strut_limit, 1e-12);

    // Alternating shear: 0.5 − |V lower|/VRd,c.
    V[1] = -10.0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_DOUBLE_EQ(in.strut_lower, -10.0);
    EXPECT_NEAR(in.strut_limit, 0.5 - 10.0 / in.strut_capacity_lower, 1e-12);

    // The damage-equivalent method has no rule for members without links.
    in.simplified_method = 0;
    ASSERT_EQ(Calc_Fatigue_Stresses(1, &in), 0);
    EXPECT_DOUBLE_EQ(in.strut_utilisation, -1.0);
}

TEST(FatigueWorkRecordTest, ClearSetsTheStartValues)
{
    Fatigue_Stress_Input in;
    in.case_count = 7;
    in.area_top = 3.0;
    in.material_set = reinterpret_cast<Material_Set*>(&in);
    Clear_Fatigue_Work_Record(&in);
    EXPECT_EQ(in.case_count, 0);
    EXPECT_EQ(in.material_set, nullptr);
    EXPECT_DOUBLE_EQ(in.area_top, 0.0);
    EXPECT_EQ(in.design_mode, 1);
    EXPECT_DOUBLE_EQ(in.link_angle, 90.0);
}

}  // namespace
