// Shear and torsion design by the current standards against hand calculations of
// EN 1992-1-1 6.2.3, 6.2.4 and 6.3.2.
#include <gtest/gtest.h>

#include <cmath>

#include "section/section_checks.h"
#include "shear_check_case.h"

namespace {

constexpr int kCurrentStandards = 1;

// ν = 0.6 (1 − 30/250) = 0.528, fcd 20, fywd 434.78, z = 0.9 d = 495 mm:
// VRd,max at cot θ = 2.5 is 0.528 · 20 · 300 · 495/(2.5 + 0.4) = 540.745 kN;
// VRd,c with ρl = 1500/(300 · 550): 0.12 · 1.603 · 27.27^(1/3) · 300 · 550 = 95.54 kN.
TEST(ShearDesign, RectangleByTheRecommendedValues)
{
    Shear_Check_Case c;
    c.r.Vz = 400.0;
    c.r.As_long = 15.0;
    c.r.check_min_shear_reinf = 1;
    const int bits = Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    EXPECT_EQ(bits, 0);
    EXPECT_NEAR(c.r.z, 49.5, 1e-12);
    EXPECT_NEAR(c.r.theta, 21.801409486351812, 1e-9);
    EXPECT_NEAR(c.r.VRd_max, 540.744827586207, 1e-9);
    EXPECT_NEAR(c.r.VRd_c, 95.53907881428718, 1e-9);
    EXPECT_NEAR(c.r.rho_l_percent, 0.9090909090909091, 1e-12);
    EXPECT_NEAR(c.r.asw_req, 7.434343434343433, 1e-9);
    EXPECT_NEAR(c.r.asw_total, 7.434343434343433, 1e-9);
    EXPECT_NEAR(c.r.asw_min, 2.6290682760247974, 1e-9);
    EXPECT_NEAR(c.r.dFtd, 500.0, 1e-9);
    EXPECT_EQ(c.r.shear_zone, 1);
    EXPECT_NEAR(c.r.fctd, 0.85 * 0.7 * 2.9 / 1.5, 1e-12);
    EXPECT_EQ(c.r.TRd_max, -1.0);
    EXPECT_EQ(c.r.interaction_1, 0.0);

    // A small shear needs only the minimum.
    c.r.Vz = 80.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_MIN_REINF);
    EXPECT_EQ(c.r.asw_total, 0.0);
    EXPECT_NEAR(c.r.asw_req, 2.6290682760247974, 1e-9);

    // Without any longitudinal reinforcement vmin = 0.389 N/mm² governs.
    c.r.As_long = 0.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r) & SECTION_CHECK_VMIN,
              SECTION_CHECK_VMIN);
    EXPECT_NEAR(c.r.VRd_c, 0.3890793447450052 * 300 * 550 / 1000, 1e-9);
}

TEST(ShearDesign, StrutMadeSteeperWhenVRdMaxFallsShort)
{
    // 700 kN > 540.7 kN: sin 2θ = 2 · 700000/(0.528 · 20 · 300 · 495), θ = 31.61°.
    Shear_Check_Case c;
    c.r.Vz = 700.0;
    c.r.As_long = 15.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_THETA_STEEPER);
    EXPECT_NEAR(c.r.theta, 31.611455736401354, 1e-9);
    EXPECT_NEAR(c.r.VRd_max, 700.0, 1e-6);
    EXPECT_NEAR(c.r.asw_req, 20.018634343665088, 1e-9);
    EXPECT_NEAR(c.r.dFtd, 568.6620869540387, 1e-9);

    // A given angle is kept: the web fails.
    c.r.theta_given = 21.8;
    int bits = Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    EXPECT_EQ(bits, SECTION_CHECK_SHEAR_EXCEEDED | SECTION_CHECK_FAILED);

    // Beyond 0.5 bw d ν fcd = 871.2 kN nothing helps and the web design ends.
    c.r.theta_given = 0.0;
    c.r.Vz = 900.0;
    bits = Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    EXPECT_EQ(bits, SECTION_CHECK_SHEAR_EXCEEDED | SECTION_CHECK_FAILED);
    EXPECT_NEAR(c.r.VRd_max, 871.2, 1e-9);
    EXPECT_EQ(c.r.VRd_c, -1.0);
}

TEST(ShearDesign, ReinforcementAngleAndSteel)
{
    Shear_Check_Case c;
    c.r.Vz = 400.0;
    c.r.As_long = 15.0;
    const double given[] = {0.0, 30.0, 95.0, 60.0, 89.5};
    const double used[] = {90.0, 45.0, 45.0, 60.0, 90.0};
    for (int i = 0; i < 5; ++i) {
        c.r.alpha = given[i];
        Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
        EXPECT_EQ(c.r.alpha, used[i]) << given[i];
    }
    // Inclined links at 60°: Asw/s = V/(z fywd (cot θ + cot α) sin α).
    c.r.alpha = 60.0;
    Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    const double cot_a = 1.0 / std::tan(60.0 * M_PI / 180.0);
    EXPECT_NEAR(c.r.asw_req,
                10.0 * 400000.0 / ((2.5 + cot_a) * 495.0 * (500.0 / 1.15) * std::sin(M_PI / 3.0)),
                1e-9);
    EXPECT_NEAR(c.r.dFtd, 0.5 * 400.0 * (2.5 - cot_a), 1e-9);

    // Glass-fibre bars and unknown steels are no shear reinforcement.
    c.r.alpha = 0.0;
    c.r.steel_index = 5;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_UNUSABLE);
    c.r.steel_index = 14;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_UNUSABLE);
    c.r.steel_index = 13;
    c.steel.steel_index = 5;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_UNUSABLE);
}

TEST(ShearDesign, TensionMemberAndAxialStress)
{
    // x = 0 with N > 0: a tension member, z = h − both edge distances, cot θ at its minimum.
    Shear_Check_Case c;
    c.r.Vz = 200.0;
    c.r.N = 500.0;
    c.r.As_long = 15.0;
    c.r.z_ratio = 0.9;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_THETA_AT_LIMIT);
    EXPECT_NEAR(c.r.z, 50.0, 1e-12);
    EXPECT_NEAR(c.r.theta, 45.0, 1e-12);

    // σcp is taken at most −0.2 fcd = −4 N/mm² into VRd,c: k1 · 4 · 300 · 550 = 99 kN more
    // than without the force.
    Shear_Check_Case p;
    p.r.Vz = 50.0;
    p.r.As_long = 15.0;
    Run_Shear_Torsion_Checks(kCurrentStandards, &p.r);
    const double plain = p.r.VRd_c;
    p.r.N = -3000.0;
    Run_Shear_Torsion_Checks(kCurrentStandards, &p.r);
    EXPECT_NEAR(p.r.VRd_c - plain, 99.0, 1e-9);
}

// German annex: cot θ ≤ 1.2/(1 − VRd,cc/VEd), VRd,cc = 0.24 fck^(1/3) bw z, with the lever
// arm limited by the cover: z ≤ d − c − min(c, 30 mm) = 485 mm.
TEST(ShearDesign, StrutAngleOfTheGermanAnnex)
{
    Shear_Check_Case c(Shear_Check_Case::GERMAN_ANNEX);
    c.r.Vz = 400.0;
    c.r.As_long = 15.0;
    c.r.cover_long = 3.5;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), 0);
    EXPECT_NEAR(c.r.z, 48.5, 1e-12);
    EXPECT_NEAR(c.r.theta, 31.269563442178903, 1e-9);
    EXPECT_NEAR(c.r.asw_req, 11.519579279240721, 1e-9);
    // 0.3 VRd,max < V ≤ 0.6 VRd,max
    EXPECT_EQ(c.r.shear_zone, 2);
}

TEST(ShearDesign, BiaxialShearOfASquare)
{
    // Vz = Vy on a 40 × 40 square: bw = 400 mm, VRd,max divided by 1 + 2/3, the stirrups
    // for the resultant times 2/√2 = 1.414.
    Shear_Check_Case c;
    c.r.width_1 = c.r.height = 40.0;
    c.r.d = 35.0;
    c.r.Vz = c.r.Vy = 100.0;
    c.r.As_long = 10.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), 0);
    EXPECT_NEAR(c.r.VRd_max, 275.288275862069, 1e-9);
    EXPECT_NEAR(c.r.asw_req, 5.841269841269842, 1e-9);
}

// EN 1992-1-1 6.3.2 for the 30 × 60 rectangle with T = 30 kNm and V = 100 kN:
// tef = A/u = 100 mm, Ak = 200 · 500 mm², uk = 1400 mm,
// TRd,max = 2 · 0.528 · 20 · Ak · tef/(2.5 + 0.4) = 72.83 kNm.
TEST(ShearDesign, TorsionOfARectangle)
{
    Shear_Check_Case c;
    c.r.Vz = c.r.V = 100.0;
    c.r.As_long = 15.0;
    c.r.T = 30.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), 0);
    EXPECT_NEAR(c.r.t_ef, 10.0, 1e-12);
    EXPECT_NEAR(c.r.TRd_max, 72.82758620689656, 1e-9);
    EXPECT_NEAR(c.r.asw_torsion[0], 1.38, 1e-9);
    EXPECT_NEAR(c.r.asl_torsion[0], 12.075, 1e-9);
    EXPECT_NEAR(c.r.asw_req, 1.8585858585858583, 1e-9);
    EXPECT_NEAR(c.r.interaction_1, 0.5968619273543515, 1e-9);
    EXPECT_EQ(c.r.interaction_2, 0.0);
    EXPECT_NEAR(c.r.V_wall, 108.33333333333334, 1e-9);

    // An interaction of 1.005 is reported as 1.0; from 1.01 on it fails.
    c.r.T = 59.723710669917565;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), 0);
    EXPECT_EQ(c.r.interaction_1, 1.0);
    c.r.T = 60.09;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r),
              SECTION_CHECK_INTERACTION | SECTION_CHECK_FAILED);
    EXPECT_GT(c.r.interaction_1, 1.01);

    // Above TRd,max at the flattest strut the strut is made steeper until TRd,max = T.
    c.r.T = 80.0;
    const int bits = Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    EXPECT_TRUE(bits & SECTION_CHECK_THETA_STEEPER);
    EXPECT_NEAR(c.r.TRd_max, 80.0, 1e-6);
    EXPECT_LT(c.r.theta, 45.0);
    EXPECT_GT(c.r.theta, 21.9);
}

// EN 1992-1-1 6.2.4: a T-section, hf 15 cm, ΔM = 200 kNm over Δx = 1 m, one outstand
// carrying 35 % of the flange force: ΔFd = 200e6/495 · 0.35 = 141.4 kN,
// vEd = 0.943 N/mm² > k fctd; cot θf = 1.2 in the compression flange:
// Asf/sf = ΔFd/(Δx fyd cot θf) = 2.71 cm²/m.
TEST(ShearDesign, FlangeOfATSection)
{
    Shear_Check_Case c;
    c.r.shape = 1;
    c.r.width_2 = 100.0;
    c.r.thickness_1 = 15.0;
    c.r.Vz = 300.0;
    c.r.M = 300.0;
    c.r.As_long = 15.0;
    c.r.flange_length = 100.0;
    c.r.flange_dM = 200.0;
    c.r.flange_share_1 = 0.35;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), 0);
    EXPECT_NEAR(c.r.cot_theta_f1, 1.2, 1e-12);
    EXPECT_NEAR(c.r.F_flange_1, 141.4141414141414, 1e-9);
    EXPECT_NEAR(c.r.asf_1, 2.71043771043771, 1e-9);
    EXPECT_NEAR(c.r.flange_VRd_1, 779.016393442623, 1e-9);
    EXPECT_EQ(c.r.asf_2, 0.0);
    // The web is designed as the rectangle of its width.
    EXPECT_NEAR(c.r.VRd_max, 540.744827586207, 1e-9);

    // A thin flange crushes.
    c.r.thickness_1 = 1.0;
    c.r.flange_dM = 4000.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_FLANGE_STRUTS);
    EXPECT_EQ(c.r.asf_1, -1.0);

    // A negative share is taken as 0.3.
    c.r.thickness_1 = 15.0;
    c.r.flange_dM = 200.0;
    c.r.flange_share_1 = -1.0;
    Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    EXPECT_EQ(c.r.flange_share_1, 0.3);
    EXPECT_NEAR(c.r.asf_1, 2.71043771043771 * 0.3 / 0.35, 1e-9);
}

// EN 1992-1-1 6.2.5 with the recommended values, rough interface (c 0.4, μ 0.7):
// vEdi = V/(z bi) = 300000/(495 · 300) = 2.0202, vRdi = 0.4 fctd = 0.4601,
// Asi = (vEdi − vRdi) bi/(fyd (μ sin α + cos α)) = 15.37 cm²/m. The upper limit
// 0.5 ν fcd = 5.28 N/mm² lies above what the web's struts carry, VRd,max/(z bi) = 3.64.
TEST(ShearDesign, InterfaceBetweenConcretesOfTwoAges)
{
    Shear_Check_Case c;
    c.r.Vz = 300.0;
    c.r.As_long = 15.0;
    c.r.interface_check = 1;
    c.r.roughness_class = 1;
    c.r.interface_beta = 1.0;
    c.r.interface_width = 30.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r), SECTION_CHECK_INTERFACE_LIMITED);
    const double fctd = 0.85 * 0.7 * 2.9 / 1.5;
    const double v_Edi = 300000.0 / (495.0 * 300.0);
    EXPECT_NEAR(c.r.v_Edi, v_Edi, 1e-12);
    EXPECT_NEAR(c.r.v_Rdi, 0.4 * fctd, 1e-12);
    EXPECT_NEAR(c.r.v_Rdi_max, 540744.827586207 / (495.0 * 300.0), 1e-9);
    EXPECT_NEAR(c.r.asi_req, 10.0 * (v_Edi - 0.4 * fctd) * 300.0 / ((500.0 / 1.15) * 0.7), 1e-9);
    EXPECT_EQ(c.r.interface_zone, 2);
    EXPECT_NEAR(c.r.z_i, 49.5, 1e-12);

    // A tensile force across the interface is not counted.
    c.r.interface_sigma_n = 30.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(kCurrentStandards, &c.r),
              SECTION_CHECK_INTERFACE_TENSION | SECTION_CHECK_INTERFACE_LIMITED);
    EXPECT_NEAR(c.r.v_Rdi, 0.4 * fctd, 1e-12);

    // No stirrups where the interface needs them.
    c.r.interface_sigma_n = 0.0;
    c.r.no_shear_reinf = 1;
    c.r.Vz = 90.0;  // the web alone would need none (VRd,c = 95.5 kN)
    const int bits = Run_Shear_Torsion_Checks(kCurrentStandards, &c.r);
    EXPECT_TRUE(bits & SECTION_CHECK_NO_STIRRUPS);
    EXPECT_TRUE(bits & SECTION_CHECK_FAILED);
    EXPECT_EQ(c.r.asw_req, 0.0);
    EXPECT_EQ(c.r.interface_zone, 2);
}

}  // namespace
