#include "material/class_names.h"

#include "material/material_props.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(ClassNamesTest, NamesByIndex)
{
    struct Case {
        int index;
        const char* name;
    };
    const Case concretes[] = {{0, " B15"},       {9, " C30/37"},    {19, " C100/115"}, {20, " \x99-B15"},
                              {29, " \x99-B60"}, {30, "frei"},      {31, ""},          {-1, ""}};
    for (const Case& c : concretes) EXPECT_STREQ(Get_Concrete_Class_Name(c.index), c.name) << c.index;
    const Case steels[] = {{0, " BSt 220/340"}, {4, " B500B    "}, {6, " Gittertr\x84" "ger"},
                           {12, " \x99-BSt 600"}, {14, ""},         {-1, ""}};
    for (const Case& c : steels) EXPECT_STREQ(Get_Steel_Class_Name(c.index, 1), c.name) << c.index;
    EXPECT_STREQ(Get_Steel_Class_Name(13, 1), "Biegebemessung");
    EXPECT_STREQ(Get_Steel_Class_Name(13, 0), "frei");
}

// A computed corbel set: EN 1992-1-1 with the Eurocode annex (serviceability factors 1.0),
// C30/37 with alpha_cc 0.85, B500B top and bottom.
class FatigueSetTest : public testing::Test {
protected:
    Material_Set set{};

    void SetUp() override
    {
        Clear_Material_Set(&set);
        ASSERT_EQ(Alloc_Material_Set(&set, 1, 2), 0);
        NAD_EC2_Defaults_For_Norm(4, set.annex);
        set.new_standard = set.en1992_1_1 = 1;
        set.situation_code = 2;
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        set.concrete[0].class_index = 9;
        set.concrete[0].density = 2200;
        set.concrete[0].alpha_cc = 0.85;
        set.steel[0].steel_index = set.steel[1].steel_index = 4;
        Calc_Material_Set(&set, 0);
    }
    void TearDown() override
    {
        Restore_Material_Set(&set);   // frees a backup that a failed test left behind
        Free_Material_Set(&set);
    }
    Concrete_Record& c() { return set.concrete[0]; }
};

TEST_F(FatigueSetTest, PrepareAndRestoreRoundTrip)
{
    Material_Set original{};
    Clear_Material_Set(&original);
    Copy_Material_Set(&set, &original);
    ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 0.0, 0.0, 1), 1);
    EXPECT_DOUBLE_EQ(c().alpha_cc, 1.0);
    EXPECT_DOUBLE_EQ(c().fcd, 30.0);
    EXPECT_EQ(c().class_index, CONCRETE_FREE);
    EXPECT_DOUBLE_EQ(set.gamma_c, 1.0);
    for (int i = 0; i < 2; ++i) {   // B500B with its product values
        EXPECT_DOUBLE_EQ(set.steel[i].fyd, 500);
        EXPECT_DOUBLE_EQ(set.steel[i].ftk, 540);
        EXPECT_DOUBLE_EQ(set.steel[i].eps_uk, 50);
        EXPECT_DOUBLE_EQ(set.steel[i].eps_yd, 2.5);
    }
    ASSERT_EQ(Restore_Material_Set(&set), 1);
    EXPECT_NEAR(c().fcd, 17.0, 1e-12);
    EXPECT_DOUBLE_EQ(set.gamma_c, 1.5);
    EXPECT_DOUBLE_EQ(set.steel[1].ftk, 525);
    EXPECT_EQ(std::memcmp(set.concrete, original.concrete, sizeof(Concrete_Record)), 0);
    EXPECT_EQ(Restore_Material_Set(&set), 0);   // nothing held any more
    Free_Material_Set(&original);
}

TEST_F(FatigueSetTest, SecondPrepareKeepsTheFirstBackup)
{
    c().creep_coeff = 2.0;
    ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 0.0, 0.0, 1), 1);
    const double eps_c2 = c().eps_c2, e_modulus = c().e_modulus;
    // Converting the converted set again would apply the creep twice and lose the
    // original values; a second call gives the same set as the first.
    ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 0.0, 0.0, 1), 1);
    EXPECT_DOUBLE_EQ(c().eps_c2, eps_c2);
    EXPECT_DOUBLE_EQ(c().e_modulus, e_modulus);
    ASSERT_EQ(Restore_Material_Set(&set), 1);
    EXPECT_EQ(c().class_index, 9);
    EXPECT_DOUBLE_EQ(c().alpha_cc, 0.85);
    EXPECT_DOUBLE_EQ(c().eps_c2, -2.0);
    EXPECT_NEAR(c().e_modulus, 32836.6, 0.05);
    EXPECT_DOUBLE_EQ(set.gamma_c, 1.5);
}

TEST_F(FatigueSetTest, CreepShrinkageAndTheStrainShift)
{
    c().creep_coeff = 1.5;
    c().shrink_strain = -0.3;
    c().strain_shift = 0.05;
    const double ecm = c().e_modulus;
    ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 1.0, 1.0, 0), 1);
    EXPECT_DOUBLE_EQ(c().eps_c2, -2.0 * 2.5);
    EXPECT_DOUBLE_EQ(c().eps_cu, -3.5 * 2.5);
    EXPECT_DOUBLE_EQ(c().e_modulus, ecm / 2.5);
    EXPECT_DOUBLE_EQ(c().strain_shift, 0.3);
    EXPECT_NEAR(c().fcd, 0.85 * 30, 1e-12);   // mode 0 keeps alpha_cc
    // The strain shift is saved and restored with the rest.
    ASSERT_EQ(Restore_Material_Set(&set), 1);
    EXPECT_DOUBLE_EQ(c().strain_shift, 0.05);
}

TEST_F(FatigueSetTest, LinearNonlinearAndFactorOnlyLaws)
{
    struct Case {
        int law;
        double modular_ratio, eps_c2, e_modulus;
    };
    const Case cases[] = {
        {3, 15, -2.25, 200000.0 / 15},            // modulus from the modular ratio
        {3, 40, -3.5, 5000},                      // peak strain stops at the ultimate strain
        {3, 0, -1.75, 30.0 / 1.75 * 1000},        // no modulus: the bilinear law
        {2, 0, -30.0 / 32836.6 * 1000, 32836.6},  // the concrete's own modulus
    };
    for (const Case& k : cases) {
        set.law_choice = k.law;
        set.modular_ratio = k.modular_ratio;
        ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 0.0, 0.0, 1), 1);
        EXPECT_NEAR(c().eps_c2, k.eps_c2, 1e-5) << k.law << " " << k.modular_ratio;
        EXPECT_NEAR(c().e_modulus, k.e_modulus, 0.05) << k.law << " " << k.modular_ratio;
        EXPECT_DOUBLE_EQ(c().n_exp, 1.0);
        ASSERT_EQ(Restore_Material_Set(&set), 1);
    }

    // Nonlinear law: fcd = fcm, the strains and k of EN 1992-1-1 3.1.5.
    set.law_choice = 1;
    const double ecm = c().e_modulus;
    ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 0.0, 0.0, 1), 1);
    const double eps_c1 = Get_Concrete_Eps_C1(4, 9, 30, 2200, nullptr);
    EXPECT_DOUBLE_EQ(c().fcd, 38);
    EXPECT_DOUBLE_EQ(c().eps_c2, eps_c1);
    EXPECT_NEAR(c().n_exp, 1.05 * ecm * -eps_c1 / 38 * 0.001, 1e-12);
    EXPECT_EQ(c().law_kind, 1);
    ASSERT_EQ(Restore_Material_Set(&set), 1);
    EXPECT_EQ(c().law_kind, 0);

    // law_choice 4 keeps the laws and sets only the factors.
    set.law_choice = 4;
    const Concrete_Record before = c();
    ASSERT_EQ(Prepare_Fatigue_Material_Set(&set, 1.3, 1.1, 0), 1);
    EXPECT_DOUBLE_EQ(set.gamma_c, 1.3);
    EXPECT_DOUBLE_EQ(set.gamma_s, 1.1);
    EXPECT_DOUBLE_EQ(c().fcd, before.fcd);
    EXPECT_DOUBLE_EQ(set.steel[0].ftk, 525);
}

TEST(FatigueSetEdgeTest, NullAndUnheldCalls)
{
    EXPECT_EQ(Prepare_Fatigue_Material_Set(nullptr, 1.0, 1.0, 1), 0);
    EXPECT_EQ(Restore_Material_Set(nullptr), 0);
    Material_Set set{};
    Clear_Material_Set(&set);
    ASSERT_EQ(Alloc_Material_Set(&set, 1, 0), 0);
    set.new_standard = 1;
    set.concrete[0].class_index = 9;
    set.concrete[0].density = 2200;
    Calc_Material_Set(&set, 0);
    EXPECT_EQ(Restore_Material_Set(&set), 0);
    // A set without steels converts and restores too.
    EXPECT_EQ(Prepare_Fatigue_Material_Set(&set, 1.0, 1.0, 1), 1);
    EXPECT_EQ(Restore_Material_Set(&set), 1);
    EXPECT_EQ(set.concrete[0].class_index, 9);
    Free_Material_Set(&set);
}

}  // namespace
