// The further resistance formulas against hand calculations.
#include <gtest/gtest.h>

#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "material/material_set.h"
#include "section/resistance_formulas.h"

namespace {

constexpr double kPi = 3.141592653589793;

struct Edition_Guard {
    int saved = Get_DIN1045_1_Edition();
    explicit Edition_Guard(int edition) { Set_DIN1045_1_Edition(edition); }
    ~Edition_Guard() { Set_DIN1045_1_Edition(saved); }
};

// C30/37 (fctm 2.9, fcd 17.0), γc 1.5, γs 1.15, B500B; a 30 × 60 rectangle, d 55, z 45, θ 45°.
struct Section_Case {
    Material_Set set{};
    Concrete_Record concrete{};
    Steel_Record steel{};
    NAD_EC2_Params annex{};
    Calc_Work_Record r{};
    enum Standard { EUROCODE, DIN1045_1, OENORM, DIN1045_1988 };

    explicit Section_Case(Standard standard)
    {
        set.new_standard = standard != DIN1045_1988;
        set.en1992_1_1 = standard == EUROCODE;
        set.oenorm = standard == OENORM;
        set.situation_code = 2;
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        NAD_EC2_Defaults_For_Norm(standard == EUROCODE ? 4 : 1, &annex);
        set.annex = &annex;
        set.n_concrete = set.n_steel = 1;
        set.concrete = &concrete;
        set.steel = &steel;
        concrete.fck = 30.0, concrete.fctm = 2.9, concrete.fcd = 17.0, concrete.eta1 = 1.0;
        steel.steel_index = 4;
        r.width_1 = 30.0, r.height = 60.0, r.d = 55.0, r.z = 45.0, r.theta = 45.0;
        r.material = &set;
        r.steel_index = 4;
        r.roughness_class = 2;
        r.VRd_c = -1.0;
    }
};

TEST(MinShearReinfRatio, ByStandardAndAnnex)
{
    NAD_EC2_Params ec{}, din{};
    NAD_EC2_Defaults_For_Norm(4, &ec);
    NAD_EC2_Defaults_For_Norm(1, &din);
    NAD_EC2_Params german = ec;
    german.na_de_flag = 1;
    EXPECT_NEAR(Calc_Min_Shear_Reinf_Ratio(4, 30, 2.9, 500, &ec), 0.0008763560920082658, 1e-15);
    EXPECT_NEAR(Calc_Min_Shear_Reinf_Ratio(21, 30, 2.9, 500, nullptr), 0.0008763560920082658, 1e-15);
    EXPECT_NEAR(Calc_Min_Shear_Reinf_Ratio(4, 30, 2.9, 500, &german), 0.16 * 2.9 / 500, 1e-15);
    EXPECT_NEAR(Calc_Min_Shear_Reinf_Ratio(1, 30, 2.9, 500, &din), 0.16 * 2.9 / 500, 1e-15);
    EXPECT_NEAR(Calc_Min_Shear_Reinf_Ratio(3, 30, 2.9, 500, &ec), 0.15 * 2.9 / 500, 1e-15);
    EXPECT_EQ(Calc_Min_Shear_Reinf_Ratio(0, 30, 2.9, 500, &ec), 0.0);
    EXPECT_EQ(Calc_Min_Shear_Reinf_Ratio(4, 30, 2.9, 0.0, &ec), 0.0);
}

TEST(VRdcUncracked, Eurocode)
{
    // fctd = 0.85 · 0.7 · 2.9/1.5 = 1.1503; VRd,c = √(fctd² − σ fctd) Ac/1.5, reduced beyond
    // σc,lim = fcd − 2 √(fctd (fctd + fcd)) = 7.861.
    Section_Case c(Section_Case::EUROCODE);
    const double N[] = {0.0, -1000.0, -2000.0};
    const double kN[] = {138.04, 333.2892261485011, 406.3101374968922};
    for (int i = 0; i < 3; ++i) {
        c.r.N = N[i];
        EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
        EXPECT_NEAR(c.r.VRd_c, kN[i], 1e-9) << N[i];
    }
    EXPECT_NEAR(c.r.fctd, 1.1503333333333332, 1e-12);
    EXPECT_EQ(c.r.z, 0.0);
    c.r.N = 0.0;
    c.r.x_ratio = 0.5;  // cut to 27.5 cm
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), SECTION_CHECK_REDUCED_DEPTH);
    EXPECT_NEAR(c.r.VRd_c, 63.268333333333324, 1e-9);
    c.r.x_ratio = 0.0;
    // T-section h 60, bw 30, flange 10 × 100 (Ac 2500): Ac/1.5, with the German annex bw z.
    c.r.shape = 1, c.r.thickness_1 = 10.0, c.r.width_2 = 100.0;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
    EXPECT_NEAR(c.r.VRd_c, 1.1503333333333332 * 0.1 * 2500 / 1.5, 1e-9);
    c.annex.na_de_flag = 1;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
    EXPECT_NEAR(c.r.VRd_c, 1.1503333333333332 * 0.001 * 300 * 400, 1e-9);
}

TEST(VRdcUncracked, OtherStandards)
{
    Section_Case c(Section_Case::DIN1045_1);
    {
        // 2001: fctd = 0.7 fctm/γc, capped at 2.7/γc; bw z √((fctd − σ) fctd), z = 2/3 h
        Edition_Guard edition(1);
        EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
        EXPECT_NEAR(c.r.VRd_c, 162.4, 1e-9);
        EXPECT_NEAR(c.r.z, 40.0, 1e-12);
        c.r.N = -500.0;
        EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
        EXPECT_NEAR(c.r.VRd_c, 283.7377192643469, 1e-9);
        c.concrete.fctm = 5.0;
        EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
        EXPECT_NEAR(c.r.fctd, 1.8, 1e-12);
        c.r.N = 0.0, c.concrete.fctm = 2.9;
    }
    {
        Edition_Guard edition(0);  // 2008: γc,plain = 1.2 γc in situation 2
        EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
        EXPECT_NEAR(c.r.VRd_c, 135.33333333333331, 1e-9);
    }
    // Ring and solid circle lever arms: (3π/8)(ro⁴ − ri⁴)/(ro³ − ri³) and (3π/8) r.
    c.r.shape = 3, c.r.height = 100.0, c.r.thickness_1 = 50.0, c.r.thickness_2 = 40.0;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
    EXPECT_NEAR(c.r.z, 71.26522679352256, 1e-9);
    c.r.thickness_2 = 0.0;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 0);
    EXPECT_NEAR(c.r.z, 58.90486225480862, 1e-9);
    // DIN 1045 (1988) and ÖNORM: plain concrete carries no tension here.
    for (auto standard : {Section_Case::DIN1045_1988, Section_Case::OENORM}) {
        Section_Case o(standard);
        EXPECT_EQ(Calc_VRd_c_Uncracked(&o.r), 0);
        EXPECT_EQ(o.r.VRd_c, 0.0);
        o.r.M = 1.0;
        EXPECT_EQ(Calc_VRd_c_Uncracked(&o.r), 9);
    }
}

TEST(VRdcUncracked, RefusedCases)
{
    Section_Case c(Section_Case::EUROCODE);
    c.r.As_long = 2.0;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 9);
    c.r.As_long = 0.0, c.r.M = 100.0;  // 5.56 N/mm² tension: cracked
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), 9);
    c.r.M = 0.0, c.r.shape = 4;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), SECTION_CHECK_UNUSABLE);
    c.r.shape = 0, c.r.width_1 = 0.0;
    EXPECT_EQ(Calc_VRd_c_Uncracked(&c.r), SECTION_CHECK_UNUSABLE);
    EXPECT_EQ(c.r.VRd_c, -1.0);
    EXPECT_EQ(Calc_VRd_c_Uncracked(nullptr), SECTION_CHECK_UNUSABLE);
}

TEST(GivenReinfResistance, ShearAndInterface)
{
    Section_Case c(Section_Case::EUROCODE);
    // VRd,s = fywd z a (cot α + cot θ) sin α with 10 cm²/m: α 0 is vertical, 30 is raised to 45.
    c.r.alpha = 0.0;
    EXPECT_NEAR(Calc_Given_Reinf_Resistance(&c.r, 10.0, 0), 195.65217391304347, 1e-9);
    EXPECT_EQ(c.r.alpha, 90.0);
    c.r.alpha = 30.0;
    EXPECT_NEAR(Calc_Given_Reinf_Resistance(&c.r, 10.0, 0), 276.6939578556055, 1e-9);
    EXPECT_EQ(c.r.alpha, 45.0);
    c.r.alpha = 90.0;
    c.r.steel_index = 6;  // lattice girder: 420/γs
    EXPECT_NEAR(Calc_Given_Reinf_Resistance(&c.r, 10.0, 0), 164.34782608695656, 1e-9);
    c.r.steel_index = 4;
    // Interface, roughness 2 (μ 0.6): fywd a (cos α + μ sin α); German annex times 1.2.
    EXPECT_NEAR(Calc_Given_Reinf_Resistance(&c.r, 10.0, 1), 260.8695652173913, 1e-9);
    c.annex.na_de_flag = 1;
    EXPECT_NEAR(Calc_Given_Reinf_Resistance(&c.r, 10.0, 1), 313.04347826086956, 1e-9);
    Section_Case din(Section_Case::DIN1045_1);
    din.r.alpha = 90.0, din.r.theta_i = 45.0;
    Edition_Guard edition(1);  // 2001: fywd a sin α (cot α + cot θi)
    EXPECT_NEAR(Calc_Given_Reinf_Resistance(&din.r, 10.0, 1), 434.78260869565224, 1e-9);
}

TEST(GivenReinfResistance, Refusals)
{
    Section_Case c(Section_Case::EUROCODE);
    for (int unusable : {5, 14, -1}) {
        c.r.steel_index = unusable;
        EXPECT_EQ(Calc_Given_Reinf_Resistance(&c.r, 10.0, 0), -1.0) << unusable;
    }
    c.r.steel_index = 13;  // free: steel record 0, unless that is a glass-fibre bar
    c.steel.steel_index = 5;
    EXPECT_EQ(Calc_Given_Reinf_Resistance(&c.r, 10.0, 0), -1.0);
    c.r.steel_index = 4;
    EXPECT_EQ(Calc_Given_Reinf_Resistance(&c.r, 0.0005, 0), 0.0);
    c.r.theta = 0.0;  // no strut angle given
    EXPECT_EQ(Calc_Given_Reinf_Resistance(&c.r, 10.0, 0), -1.0);
    for (auto standard : {Section_Case::DIN1045_1988, Section_Case::OENORM}) {
        Section_Case o(standard);
        EXPECT_EQ(Calc_Given_Reinf_Resistance(&o.r, 10.0, 0), -1.0);
    }
}

TEST(BarAreaPerSpacing, BarTermAndSpacing)
{
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(24, 0, 20, 20, 0, 10), 18 * kPi / 30, 1e-12);  // π 24²/32
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(10, 0, 20, 20, 0, 10), 18 * kPi / 30, 1e-12);  // ds ≥ 12
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(32, 1, 20, 20, 0, 10), 72 * kPi / 38.4, 1e-12);
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(32, 0, 20, 20, 0, 10), 32 * kPi / 38.4, 1e-12);
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(24, 0, 100, 200, 0, 10), 18 * kPi / 100, 1e-12);
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(24, 0, 20, 20, 0, 0.1), 18 * kPi / 18, 1e-12);  // × 0.6
    EXPECT_NEAR(Calc_Bar_Area_Per_Spacing(24, 0, 20, 200, 3, 10), 18 * kPi / 200, 1e-12);
}

TEST(SectionStresses, ResultTellsWhetherComputed)
{
    double s1 = -1, s2 = -1, tau = -1, sum = -1;
    // 30 × 60 under V = −100 kN: |V| is taken, τmax = 1.5 · 10 V/A.
    EXPECT_EQ(Get_Section_Stresses(0, 60, 30, 0, 0, 7, 7, 7, 7, 0, 0, -100, &s1, &s2, &tau, &sum), 1);
    EXPECT_NEAR(tau, 1.5 * 10 * 100 / 1800.0, 1e-9);
    EXPECT_EQ(Get_Section_Stresses(4, 60, 30, 0, 0, 0, 0, 0, 0, 0, 0, 100, &s1, &s2, &tau, &sum), 0);
    EXPECT_EQ(tau, 0.0);
}

}  // namespace
