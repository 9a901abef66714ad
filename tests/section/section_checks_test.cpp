// The driver of the section checks, the compression-stress check, the torsion constants
// and the DIN 1045 (1988) design.
#include <gtest/gtest.h>

#include "section/section_checks.h"
#include "shear_check_case.h"

namespace {

TEST(SectionChecks, InvalidRecordsReportTheirForces)
{
    Shear_Check_Case c;
    c.r.height = 0.0;
    const double Vz[] = {0.0, 10.0, 0.0, -10.0};
    const double T[] = {0.0, 0.0, 5.0, 5.0};
    const int expected[] = {1, 9, 33, 105};
    for (int i = 0; i < 4; ++i) {
        c.r.Vz = Vz[i];
        c.r.T = T[i];
        c.r.VRd_c = 7.0;
        c.r.z = 12.0;
        EXPECT_EQ(Run_Shear_Torsion_Checks(1, &c.r), expected[i]) << i;
        // the results keep their start values
        EXPECT_EQ(c.r.VRd_c, -1.0);
        EXPECT_EQ(c.r.z, 12.0);
    }
    EXPECT_EQ(Run_Shear_Torsion_Checks(1, nullptr), 1);

    Shear_Check_Case e;
    e.r.extra_2 = 0.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(1, &e.r), 1);
    // a circle needs no top edge distance
    Shear_Check_Case ring;
    ring.r.shape = 3;
    ring.r.thickness_1 = 30.0;
    ring.r.edge_top = 0.0;
    ring.r.Vz = 100.0;
    ring.r.As_long = 20.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(1, &ring.r) & SECTION_CHECK_FAILED, 0);

    // The 1988 design knows only its own steels and concretes.
    Shear_Check_Case old(Shear_Check_Case::DIN1045_1988);
    old.r.Vz = 10.0;
    old.r.steel_index = 4;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &old.r), 9);
    old.r.steel_index = 13;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &old.r) & SECTION_CHECK_FAILED, 0);
    old.concrete.class_index = 5;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &old.r), 9);
}

TEST(SectionChecks, TSectionWithTheWideWebIsMirrored)
{
    Shear_Check_Case c;
    c.r.shape = 1;
    c.r.width_1 = 100.0;
    c.r.width_2 = 30.0;
    c.r.thickness_1 = 45.0;
    c.r.level_3 = 20.0;
    c.r.edge_top = 4.0;
    c.r.wall_1 = 1.0;
    c.r.wall_3 = 3.0;
    c.r.Vz = 100.0;
    c.r.As_long = 15.0;
    Run_Shear_Torsion_Checks(1, &c.r);
    EXPECT_EQ(c.r.width_1, 30.0);
    EXPECT_EQ(c.r.width_2, 100.0);
    EXPECT_EQ(c.r.thickness_1, 15.0);
    EXPECT_EQ(c.r.level_3, 40.0);
    EXPECT_EQ(c.r.edge_top, 5.0);
    EXPECT_EQ(c.r.edge_bottom, 4.0);
    EXPECT_EQ(c.r.wall_2, 1.0);
    EXPECT_EQ(c.r.wall_4, 3.0);
    EXPECT_EQ(c.r.wall_1, 0.0);
}

TEST(SectionChecks, CompressionStressCheck)
{
    // N = −1000 kN, M = 100 kNm on 30 × 60: −5.556 − 5.556 = −11.111 N/mm² at the top.
    Shear_Check_Case c;
    c.r.check_option = -1;
    c.r.N = -1000.0;
    c.r.M = 100.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(1, &c.r), 0);
    EXPECT_NEAR(c.r.dFtd, 100.0 / 9.0, 1e-9);
    EXPECT_NEAR(c.r.VRd_max, 20.0, 1e-12);

    c.r.stress_factor = 0.5;
    EXPECT_EQ(Run_Shear_Torsion_Checks(1, &c.r), 9);
    // just above the limit: reported as the limit
    c.r.stress_factor = (100.0 / 9.0 - 0.005) / 20.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(1, &c.r), 0);
    EXPECT_NEAR(c.r.dFtd, c.r.VRd_max, 1e-12);

    // The 1988 standard allows βR/2.1.
    Shear_Check_Case old(Shear_Check_Case::DIN1045_1988);
    old.r.check_option = -1;
    old.r.N = -1000.0;
    Run_Shear_Torsion_Checks(0, &old.r);
    EXPECT_NEAR(old.r.VRd_max, 17.5 / 2.1, 1e-12);
}

TEST(SectionChecks, TorsionConstantsOfRectangles)
{
    double Wt = 0.0, It = 0.0;
    Calc_Torsion_Constants(1.0, 1.0, &Wt, &It);
    EXPECT_DOUBLE_EQ(Wt, 0.208);
    EXPECT_DOUBLE_EQ(It, 0.14);
    Calc_Torsion_Constants(2.0, 3.5, &Wt, &It);  // h/b = 1.75
    EXPECT_NEAR(Wt, 0.2385 * 3.5 * 4.0, 1e-12);
    EXPECT_NEAR(It, 0.2125 * 3.5 * 8.0, 1e-12);
    Calc_Torsion_Constants(1.0, 20.0, &Wt, &It);
    EXPECT_NEAR(Wt, 0.333 * 20.0, 1e-12);
    EXPECT_NEAR(It, 0.333 * 20.0, 1e-12);
    Calc_Torsion_Constants(2.0, 1.0, &Wt, &It);  // below 1: the row of 1
    EXPECT_NEAR(Wt, 0.208 * 4.0, 1e-12);
}

// DIN 1045 (1988), B25 with BSt 420: V = 350/1.75 = 200 kN at service,
// τ0 = 10 · 200/(30 · 0.875 · 55) = 1.385 N/mm² between τ012 = 0.75 and τ02 = 1.8:
// reduced coverage τ = τ0²/τ02 = 1.066, Asw/s = τ b/(βS/1.75) = 13.33 cm²/m.
TEST(SectionChecks, ShearByDin1045Of1988)
{
    Shear_Check_Case c(Shear_Check_Case::DIN1045_1988);
    c.r.Vz = 350.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &c.r), 0);
    EXPECT_NEAR(c.r.z, 48.125, 1e-12);
    EXPECT_NEAR(c.r.VRd_c, 1.3852813852813852, 1e-12);
    EXPECT_NEAR(c.r.rho_l_percent, 1.0661136202261743, 1e-12);
    EXPECT_NEAR(c.r.VRd_max, 1.8, 1e-12);
    EXPECT_NEAR(c.r.theta, 37.58190826711542, 1e-9);
    EXPECT_NEAR(c.r.asw_req, 13.326420252827178, 1e-9);
    EXPECT_EQ(c.r.shear_zone, 2);

    // Zone 1 of a beam: 0.4 τ0, θ = 21.8°.
    c.r.Vz = 100.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &c.r), SECTION_CHECK_THETA_AT_LIMIT);
    EXPECT_NEAR(c.r.theta, 21.80140948635181, 1e-9);
    // Above τ03 = 3.0 the section fails.
    c.r.Vz = 800.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &c.r),
              SECTION_CHECK_SHEAR_EXCEEDED | SECTION_CHECK_FAILED);
    // Torsion beyond τ02: Wt = 0.246 · 60 · 30² cm³ reaches 1.8 N/mm² at 23.9 kNm service,
    // 41.8 kNm design.
    c.r.Vz = 0.0;
    c.r.T = 40.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &c.r) & SECTION_CHECK_FAILED, 0);
    c.r.T = 50.0;
    EXPECT_EQ(Run_Shear_Torsion_Checks(0, &c.r) & (SECTION_CHECK_TORSION_EXCEEDED | 1),
              SECTION_CHECK_TORSION_EXCEEDED | 1);
    EXPECT_NEAR(c.r.TRd_max, 1.8 * 0.246 * 60.0 * 900.0 * 1.75 / 1000.0, 1e-9);
}

}  // namespace
