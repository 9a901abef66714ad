// Anchorage, lap lengths and mandrel diameters of the chosen bars: lengths against
// EN 1992-1-1 8.4 by hand, the lap factor alpha_6, the mandrel limits, the bond position of
// each bar, the fill-in of the user's values and the report section.
#include "core/corbel_anchorage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "annex/nad_ec2.h"
#include "base/alloc.h"
#include "base/rebar.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "core/corbel_work.h"
#include "core/position_file.h"
#include "material/material_set.h"
#include "corbel_text_support.h"
#include "detailing_support.h"
#include "report/oli_channel.h"
#include "test_support.h"

namespace {

using corbel_text_test::Cp;
using corbel_text_test::Running_Text;

// Stored lengths are rounded to 0.1 cm up from 0.0444...
constexpr double ROUNDED = 0.0556;
// Indices of the bar table.
constexpr int D12 = 5, D14 = 6, D16 = 7, D20 = 8, D25 = 9;

// Design anchorage and lap lengths by hand, recommended rules (EN 1992-1-1 (8.4), (8.6),
// (8.10), (8.11)); the German annex gives the laps the same bounds with k = 15.
double Hand_Anchorage(double phi, double fck, double eta1, double alpha, double r)
{
    const double lb = Hand_Lb_Rqd(phi, fck, 500.0, eta1);
    return std::max(alpha * r * lb, std::max({10.0 * phi, 10.0, 0.3 * lb}));
}
double Hand_Lap(double phi, double fck, double eta1, double alpha6, double r)
{
    const double lb = Hand_Lb_Rqd(phi, fck, 500.0, eta1);
    return std::max(alpha6 * r * lb, std::max({0.3 * alpha6 * lb, 15.0 * phi, 20.0}));
}

class CorbelAnchorage : public ::testing::Test {
protected:
    // A default corbel (C30/37, B500, a load corbel on a column, 2 loops of 14 mm) under the
    // named annex.
    void Start(const char* annex_name)
    {
        annex.reset();
        annex.emplace(annex_name);
        Set_Corbel_Defaults(&m);
        m.concrete_class = 9;
        Check();
    }
    void TearDown() override
    {
        Init_EC2_Print_Options(&m.print_options);
        for (Load_Combination* t : m.load_table)
            if (t) MEM_FREE(t);
        if (m.results) MEM_FREE(m.results);
        OLI_Reset_Channel();
    }
    // The data check with the partial factors of the calculation, and an envelope that needs
    // exactly the chosen areas.
    void Check()
    {
        Check_Corbel_Model(&m, nullptr, 0, 0);
        m.factors_in_use[0] = 1.5;
        m.factors_in_use[1] = 1.15;
        s().final_As_h = m.rebar.As_h;
        s().As_s = m.rebar.As_s;
        s().As_h1 = m.rebar.As_h1;
        s().final_Asb_h = m.rebar.Asb_h;
    }
    void Main_Tie(int diameter, int loops)
    {
        m.rebar.layer_diameter[0] = diameter;
        m.rebar.loops = loops;
        Check();
    }
    Load_Case_Summary& s() { return m.summary; }
    void Run() { Check_Corbel_Anchorage(&m, nullptr, 0); }
    // The running text of one check with a report.
    std::string Report(int detail = 2)
    {
        m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
        File_Stream out;
        OLI_Reset_Channel();
        Check_Corbel_Anchorage(&m, out.get(), detail);
        OLI_End_Text_Block(out.get());
        return Running_Text(out.bytes());
    }

    std::optional<Annex_In_Force> annex;
    Corbel_Model m{};
};

}  // namespace

TEST(CorbelLapFactor, Alpha6ByLappedShare)
{
    // EN 1992-1-1 Table 8.3: up to 25 % lapped 1.0, 33 % 1.15, 50 % 1.4, over 50 % 1.5.
    const double recommended[][2] = {{0.2, 1.0}, {0.25, 1.0}, {0.33, 1.149}, {0.36, 1.2},
                                     {0.5, 1.414}, {0.5625, 1.5}, {0.8, 1.5}};
    for (const auto& [r, alpha6] : recommended) EXPECT_NEAR(Calc_Lap_Factor_Alpha6(r, 1.6, 1.6, 0), alpha6, 0.001) << r;
    // German annex: 1.2 / 1.4 below 16 mm, 1.4 / 2.0 from 16 mm, the larger from 33 %,
    // weighted by the shares of the lapped and the member bars.
    EXPECT_DOUBLE_EQ(Calc_Lap_Factor_Alpha6(0.33, 1.2, 1.2, 1), 1.2);
    EXPECT_DOUBLE_EQ(Calc_Lap_Factor_Alpha6(0.331, 1.2, 1.2, 1), 1.4);
    EXPECT_DOUBLE_EQ(Calc_Lap_Factor_Alpha6(0.25, 1.6, 1.6, 1), 1.4);
    EXPECT_DOUBLE_EQ(Calc_Lap_Factor_Alpha6(1.0, 1.6, 1.2, 1), 2.0);
    EXPECT_NEAR(Calc_Lap_Factor_Alpha6(0.5, 2.0, 1.2, 1), 1.7, 1e-12);

    // 14 and 20 mm lapped with 20 mm member bars. More required than the member bars provide
    // is a full lap, never less: no extrapolation of the mean beyond a share of 1.
    const double shares[] = {0.2, 0.5, 1.0, 1.5, 3.11};
    const struct {
        double phi;
        double alpha6[5];
    } lapped[] = {{1.4, {1.36, 1.7, 1.4, 1.4, 1.4}}, {2.0, {1.4, 2.0, 2.0, 2.0, 2.0}}};
    for (const auto& [phi, alpha6] : lapped) {
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(Calc_Lap_Factor_Alpha6(shares[i], phi, 2.0, 1), alpha6[i], 1e-12) << phi << " " << shares[i];
        EXPECT_NEAR(Calc_Lap_Factor_Alpha6(1.0 - 1e-9, phi, 2.0, 1), Calc_Lap_Factor_Alpha6(1.0 + 1e-9, phi, 2.0, 1),
                    1e-8);
    }
}

// The main tie behind the bearing plate, straight and as loops, in good and medium bond, per
// concrete class and bar diameter.
TEST_F(CorbelAnchorage, MainTieInTheCorbelAgainstHandValues)
{
    Start("EC-Standardparameter");
    ASSERT_EQ(m.fyk[0], 500.0);
    m.rebar.cover_v = 8.0;  // loops of every diameter well covered: alpha_1 = 0.7
    const double concretes[][2] = {{7, 20.0}, {9, 30.0}, {13, 50.0}};
    for (const auto& [model_class, fck] : concretes)
        for (int d : {D12, D16, D20, D25})
            for (int loops : {0, 1})
                for (int bond : {1, 2}) {
                    m.concrete_class = static_cast<int>(model_class);
                    m.rebar.bond_conditions = bond;
                    Main_Tie(d, loops);
                    ASSERT_EQ(m.fck, fck);
                    Run();
                    const double phi = rebar_diameters_cm[d];
                    EXPECT_NEAR(s().l_req_main, Hand_Anchorage(phi, fck, bond == 1 ? 1.0 : 0.7, loops ? 0.7 : 1.0, 1.0),
                                ROUNDED)
                        << "C" << fck << " phi " << phi << " loops " << loops << " bond " << bond;
                }
    // The textbook value of 16 mm in C30/37, good bond: 57.2 cm. A failed design does not
    // know its area: the tie counts as fully used.
    m.concrete_class = 9;
    m.rebar.bond_conditions = 1;
    Main_Tie(D16, 0);
    Run();
    EXPECT_DOUBLE_EQ(s().l_req_main, 57.2);
    s().final_As_h = -1.0;
    Run();
    EXPECT_DOUBLE_EQ(s().l_req_main, 57.2);
}

// "berechnen" by the tie's position: at the top of a 40 cm load corbel medium bond, at the
// bottom of a support corbel good bond; in the beam the nib's tie lies
// hk - (cv,v + phi_sb,v + phi/2) below the top.
TEST_F(CorbelAnchorage, BondPositionOfTheTie)
{
    Start("EC-Standardparameter");
    Main_Tie(D16, 0);
    const double good = Hand_Anchorage(1.6, 30.0, 1.0, 1.0, 1.0);
    const double medium = Hand_Anchorage(1.6, 30.0, 0.7, 1.0, 1.0);
    Run();
    EXPECT_NEAR(s().l_req_main, medium, ROUNDED);
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.h = 80.0;
    Check();
    Run();
    EXPECT_NEAR(s().l_req_main, good, ROUNDED);
    m.hk = 33.0;  // 28.4 cm below the top of a 70 cm beam: medium
    m.h = 70.0;
    Check();
    Run();
    EXPECT_NEAR(s().l_main_member, medium, ROUNDED);
    m.hk = 37.0;  // 32.4 cm: good
    Check();
    Run();
    EXPECT_NEAR(s().l_main_member, good, ROUNDED);
}

// German annex: a directly supported single corbel may take 2/3 of the length, not below
// lb,min = max(0.3 alpha_1 lb,rqd, 20/3 phi); an indirect support may not.
TEST_F(CorbelAnchorage, DirectSupportUnderTheGermanAnnex)
{
    Start("Deutschland");
    ASSERT_EQ(NAD_Get_EC2_Params()->na_de_flag, 1);
    m.rebar.bond_conditions = 1;
    Main_Tie(D16, 0);
    const double lb = Hand_Lb_Rqd(1.6, 30.0, 500.0, 1.0);
    Run();
    EXPECT_NEAR(s().l_req_main, 2.0 / 3.0 * lb, ROUNDED);
    s().final_As_h = 0.1 * m.rebar.As_h;
    Run();
    EXPECT_NEAR(s().l_req_main, 0.3 * lb, ROUNDED);
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    Check();
    Run();
    EXPECT_NEAR(s().l_req_main, lb, ROUNDED);
}

// What the geometry offers behind the bearing plate, and the flag when it falls short.
TEST_F(CorbelAnchorage, AvailableLengthOfTheTie)
{
    Start("EC-Standardparameter");
    m.rebar.bond_conditions = 1;
    Main_Tie(D16, 0);
    Run();  // lk - cv,h + lp/2 - a = 30 - 3 + 7.5 - 16.5 = 18 cm < 57.2 cm
    EXPECT_DOUBLE_EQ(s().l_prov_main, 18.0);
    EXPECT_EQ(s().short_main, 1);
    s().final_As_h = 0.1 * m.rebar.As_h;  // 17.2 cm needed
    Run();
    EXPECT_EQ(s().short_main, 0);
    s().delta_ac = 2.0;  // less the load's offset at the node
    Run();
    EXPECT_DOUBLE_EQ(s().l_prov_main, 16.0);
    EXPECT_EQ(s().short_main, 1);
    // Loops are never short; they get their mandrel instead.
    Main_Tie(D16, 1);
    Run();
    EXPECT_GT(s().l_req_main, s().l_prov_main);
    EXPECT_EQ(s().short_main, 0);
    EXPECT_DOUBLE_EQ(s().D_corbel, 6.4);
}

// The tie lapped with the column's bars at 25, 33, 50 and over 50 % lapped.
TEST_F(CorbelAnchorage, LapInTheColumn)
{
    Start("EC-Standardparameter");
    Main_Tie(D16, 0);
    m.rebar.As_h = 10.0;
    m.rebar.As_member[0] = 16.0;
    const double laps[][2] = {{0.25, 1.0}, {0.33, std::sqrt(1.32)}, {0.5, std::sqrt(2.0)}, {0.6, 1.5}};
    for (const auto& [share, alpha6] : laps) {
        s().final_As_h = share * 16.0;
        Run();
        EXPECT_NEAR(s().l_main_member, Hand_Lap(1.6, 30.0, 1.0, alpha6, s().final_As_h / 10.0), ROUNDED) << share;
    }
    std::string text = Report();
    EXPECT_NE(text.find(Cp("Abminderungsbeiwert für ╦╬\\1╬r = erf A╬\\s,h╬r / vorh A╬\\so╬r = 0.600: "
                           "║╬\\i╬r = ║╬\\1╬r╬/.╬r║╬\\6╬r = 1.50, ║╬\\1╬r = 1, ║╬\\6╬r = 1.50\n")),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(Cp("Mindestübergreifungslänge")), std::string::npos);
    // No column bars: alpha_6 = 1.0 and no factor line.
    m.rebar.As_member[0] = 0.0;
    text = Report();
    EXPECT_NEAR(s().l_main_member, Hand_Lap(1.6, 30.0, 1.0, 1.0, 0.96), ROUNDED);
    EXPECT_EQ(text.find("Abminderungsbeiwert"), std::string::npos);

    // German annex: 20 mm lapped with 12 mm at 50 %: 0.5 * 2.0 + 0.5 * 1.4 = 1.7.
    Start("Deutschland");
    m.rebar.member_diameter[0] = D12;
    Main_Tie(D20, 0);
    m.rebar.As_h = 10.0;
    m.rebar.As_member[0] = 16.0;
    s().final_As_h = 8.0;
    text = Report();
    EXPECT_NEAR(s().l_main_member, Hand_Lap(2.0, 30.0, 1.0, 1.7, 0.8), ROUNDED);
    EXPECT_NE(text.find(Cp("= 0.500, î╬\\s,h╬r = 20 mm, î╬\\so╬r = 12 mm:\n"
                           "  ║╬\\i╬r = ║╬\\1╬r╬/.╬r║╬\\6╬r = 1.70, ║╬\\1╬r = 1, ║╬\\6╬r = 1.70\n")),
              std::string::npos)
        << text;
}

// The example column corbel under an ever greater load A: the tie's lap in the column never
// gets shorter, also once the tie needs more steel than the column bars provide (up to the
// load that leaves the method no lever arm, 2.5 VRd,max).
TEST(CorbelLapInTheColumn, NeverShorterUnderAGreaterLoad)
{
    Annex_In_Force annex("Deutschland");
    File_Stream in(Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP"));
    Corbel_Model m{};
    ASSERT_EQ(Read_Corbel_Model(in.get(), &m), 0);
    double last = 0.0;
    for (double A = 250.0; A <= 1500.0; A += 50.0) {  // H at most 0.5 A in every row
        for (int i = 0; i < m.load_count[0]; ++i) m.load_table[0][i].A = 1000.0 * A;
        Calculate_Corbel(&m, nullptr, 0);
        ASSERT_EQ(m.summary.design_failed, 0) << A;
        EXPECT_GE(m.summary.l_main_member, last) << "A = " << A << " kN";
        last = m.summary.l_main_member;
    }
    EXPECT_GT(m.summary.final_As_h, 2.0 * m.rebar.As_member[0]);
    for (Load_Combination* t : m.load_table)
        if (t) MEM_FREE(t);
    if (m.results) MEM_FREE(m.results);
    if (m.print_options.remarks) MEM_FREE(m.print_options.remarks);
    Free_Material_Set(&corbel_material_set);
    corbel_material_set_ready = 0;
}

// Mandrels at the 16 and 20 mm limits: loops 4 phi below 20 mm; bars into the column 4 phi
// below 16 mm without the German annex, by the cover with it.
TEST_F(CorbelAnchorage, MandrelDiametersAtTheLimits)
{
    Start("EC-Standardparameter");
    const double without_annex[][3] = {{D14, 5.6, 5.6}, {D16, 6.4, 11.2}, {D20, 14.0, 14.0}};
    for (const auto& [d, corbel, column] : without_annex) {
        Main_Tie(static_cast<int>(d), 1);
        Run();
        EXPECT_DOUBLE_EQ(s().D_corbel, corbel) << d;
        EXPECT_DOUBLE_EQ(s().D_column, column) << d;
    }
    Start("Deutschland");
    ASSERT_EQ(NAD_Get_NA_DE_Flag(), 1);
    // Cover at right angles to the bend: max(phi_su, phi_sb,v) + cv,h + phi_sb,h = 58 mm,
    // above 50 mm and 3 phi for 16 mm (15 phi), not for 20 mm (20 phi).
    const double with_annex[][3] = {{D16, 6.4, 24.0}, {D20, 14.0, 40.0}};
    for (const auto& [d, corbel, column] : with_annex) {
        Main_Tie(static_cast<int>(d), 1);
        Run();
        EXPECT_DOUBLE_EQ(s().D_corbel, corbel) << d;
        EXPECT_DOUBLE_EQ(s().D_column, column) << d;
    }
    // Without splitting loops the cover is cv,v + phi_sb,v = 38 mm: 20 phi.
    m.rebar.group[1].count = 0;
    Main_Tie(D16, 1);
    Run();
    EXPECT_DOUBLE_EQ(s().D_column, 32.0);
}

// A load corbel hung on the bottom of a 60 cm beam: the beam's top bars and the loops beside
// them lie near the beam's top, in medium bond, however shallow the corbel.
TEST_F(CorbelAnchorage, FieldBarsAndLoopsOfABeam)
{
    Start("EC-Standardparameter");
    m.connection = CONNECTION_BEAM;
    m.hk = 25.0;
    m.h = 60.0;
    Check();
    const double A_so = m.rebar.As_member[0];
    s().As_h1 = A_so;
    Run();
    EXPECT_NEAR(s().l_req_field, Hand_Anchorage(2.0, 30.0, 0.7, 1.0, 1.0), ROUNDED);
    EXPECT_DOUBLE_EQ(s().l_prov_field, Round_To_Tenth(m.rebar.member_axis_required - 3.0));
    // Not anchored from e: the loops to the corbel edge (cover cv,v + phi_so = 5 cm > 3 phi:
    // alpha_1 0.7), too short, so not lapped. They are asked for more than their area, so
    // they are fully used, not stressed beyond fyd.
    ASSERT_GT(A_so, m.rebar.As_h1);
    EXPECT_NEAR(s().l_req_anch, Hand_Anchorage(1.0, 30.0, 0.7, 0.7, 1.0), ROUNDED);
    EXPECT_EQ(s().short_anch, 1);
    EXPECT_DOUBLE_EQ(s().l_lap_anch, 0.0);
    // Room enough from e: the loops are lapped with the top bars at 50 %.
    m.rebar.member_axis_required = 200.0;
    s().As_h1 = 0.5 * A_so;
    Run();
    EXPECT_DOUBLE_EQ(s().l_req_anch, 0.0);
    EXPECT_NEAR(s().l_lap_anch, Hand_Lap(2.0, 30.0, 0.7, std::sqrt(2.0), 0.5), ROUNDED);
    m.rebar.bond_conditions = 1;  // "immer gut"
    Run();
    EXPECT_NEAR(s().l_lap_anch, Hand_Lap(2.0, 30.0, 1.0, std::sqrt(2.0), 0.5), ROUNDED);
}

// Nothing without chosen bars or the switch; lines only at detail levels 1 and 2 with
// "Zwischenergebnisse"; the values never depend on the report.
TEST_F(CorbelAnchorage, SwitchesAndReportLevels)
{
    Start("EC-Standardparameter");
    Main_Tie(D16, 0);
    Run();
    const Load_Case_Summary silent = s();
    ASSERT_EQ(silent.short_main, 1);
    EXPECT_EQ(Report(0), "");
    EXPECT_NE(Report(1), "");
    EXPECT_EQ(std::memcmp(&silent, &s(), sizeof silent), 0);
    m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 0;
    File_Stream out;
    Check_Corbel_Anchorage(&m, out.get(), 2);
    EXPECT_EQ(out.bytes(), "");

    const double filled = m.rebar.anchorage[0];
    m.rebar.compute_anchorage = 0;
    EXPECT_EQ(Report(), "");
    EXPECT_EQ(s().l_req_main, 0.0);
    EXPECT_EQ(s().l_main_member, 0.0);
    EXPECT_EQ(s().D_column, 0.0);
    EXPECT_EQ(s().short_main, 0);
    EXPECT_EQ(m.rebar.anchorage[0], filled);
    m.rebar.compute_anchorage = 1;
    m.rebar_chosen = 0;
    EXPECT_EQ(Report(), "");
    EXPECT_EQ(s().l_req_main, 0.0);
}

// Only empty values (below 0.01) take the computed ones, and only those not negative;
// nothing is filled in while the load table holds no load.
TEST_F(CorbelAnchorage, FillsTheUsersEmptyValues)
{
    Start("EC-Standardparameter");
    m.rebar.anchorage[5] = 12.5;
    m.rebar.anchorage[6] = 0.005;
    Run();
    const Corbel_Rebar_Choice& r = m.rebar;
    EXPECT_GT(s().l_main_member, 0.0);
    EXPECT_EQ(r.anchorage[0], 0.0);
    EXPECT_EQ(r.anchorage[4], 0.0);
    Alloc_Load_Table(&m, 1, 0);
    m.load_table[0][0].A = 100000.0;
    Run();
    EXPECT_EQ(r.anchorage[0], s().l_main_member);
    EXPECT_GT(r.anchorage[0], 0.0);
    EXPECT_EQ(r.anchorage[4], s().D_corbel);
    EXPECT_EQ(r.anchorage[5], 12.5);
    EXPECT_EQ(r.anchorage[6], 0.0);  // nothing computed: 0
    // A value once filled in stays, even when the check computes another.
    m.rebar.layer_diameter[0] = D20;
    Check();
    Run();
    EXPECT_NE(r.anchorage[4], s().D_corbel);
    // A length that cannot be computed (no partial factors) is not filled in.
    m.rebar.anchorage[0] = 0.0;
    m.factors_in_use[0] = 0.0;
    Run();
    EXPECT_EQ(s().l_main_member, -1.0);
    EXPECT_EQ(r.anchorage[0], 0.0);
}

// A support corbel with a hung-up load under the German annex: every kind of bar.
TEST_F(CorbelAnchorage, ReportOfASupportCorbel)
{
    Start("Deutschland");
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    m.h = 60.0;
    m.rebar.cover_v = 5.0;
    Check();
    s().delta_ac = 1.5;
    s().As_h1 = 0.5 * m.rebar.As_member[1];
    const std::string text = Report();
    const std::string expected = Cp(
        "╬HMinimale Verankerungs-, Übergreifungslängen und Biegerollendurchmesser\n"
        "╬_Verankerungslänge der Hauptzugbewehrung in der Konsole\n"
        "Abminderungsbeiwert (Schlaufen) für min c = c╬\\v,v╬r+î╬\\sb,v╬r = 5.8 cm, D = 5.6 cm: ║╬\\i╬r = ║╬\\1╬r = 0.70\n"
        "  mit min c ‗ 3╬/.╬rî╬\\s,h╬r = 4.2 cm und D < 15╬/.╬rî╬\\s,h╬r = 21.0 cm\n"
        "Verbundbereich für h = 40.0 cm, h╬\\z╬r = 33.50 cm: gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 14.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 50.04 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 6.7╬/.╬rî╬\\s╬r) = 10.51 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 0.70: l╬\\b╬r = ║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 35.03 cm\n"
        "direkte Lagerung: l╬\\b╬r╬/.╬r║╬\\5╬r = l╬\\b╬r╬/.╬r2/3 = 23.35 cm\n"
        "erf. Verankerungslänge ab Lagerplattenrand: erf l╬\\v╬r = l╬\\b╬r = 23.4 cm\n"
        "vorh. Verankerungslänge ab Lagerplattenrand: vorh l╬\\v╬r = l╬\\k╬r-úa+l╬\\p╬r/2-c╬\\v,h╬r-ú╬\\c,max╬r = 16.5 cm\n"
        "Biegerollendurchmesser für Bügel/Schlaufen: D = 4╬/.╬rî╬\\s╬r = 5.6 cm für î╬\\s╬r = 14 mm < 20 mm\n"
        "╬_Verankerungslänge der Hauptzugbewehrung im Träger\n"
        "Verbundbereich für h = 60.0 cm, h╬\\z╬r = 33.50 cm: gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 14.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 50.04 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 10.0╬/.╬rî╬\\s╬r) = 15.01 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 1.00: l╬\\b╬r = ║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 50.04 cm\n"
        "╬_Verankerungslänge der Schrägbewehrung in der Konsole\n"
        "Abminderungsbeiwert (Schlaufen) für min c = c╬\\v,h╬r+î╬\\sb,v╬r = 3.8 cm, D = 6.4 cm: ║╬\\i╬r = ║╬\\1╬r = 1.00\n"
        "  mit min c < 3╬/.╬rî╬\\s,h╬r = 4.8 cm\n"
        "Verbundbereich gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 16.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 57.18 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 10.0╬/.╬rî╬\\s╬r) = 17.16 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 1.00: l╬\\b╬r = ║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 57.18 cm\n"
        "erf. Verankerungslänge ab Lagerplattenrand: erf l╬\\v╬r = l╬\\b╬r = 57.2 cm\n"
        "vorh. Verankerungslänge ab Lagerplattenrand: vorh l╬\\v╬r = (l╬\\k╬r-úa+l╬\\p╬r/2-c╬\\v,h╬r)/cos(║) = 25.5 cm\n"
        "Biegerollendurchmesser für Bügel/Schlaufen: D = 4╬/.╬rî╬\\s╬r = 6.4 cm für î╬\\s╬r = 16 mm < 20 mm\n"
        "╬_Übergreifungslänge der Schrägbewehrung im Träger\n"
        "Abminderungsbeiwert für ╦╬\\1╬r = erf A╬\\s,s╬r / vorh A╬\\su╬r = 0.640, î╬\\s,s╬r = 16 mm, î╬\\su╬r = 20 mm:\n"
        "  ║╬\\1╬r╬/.╬r║╬\\6╬r = 2.00, ║╬\\1╬r = 1, ║╬\\6╬r = 2.00\n"
        "Verbundbereich für h = 60.0 cm, h╬\\z╬r = 53.20 cm: gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 20.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 71.48 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 15.0╬/.╬rî╬\\s╬r; 20 cm) = 42.89 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 2.00, A╬\\s,erf╬r = 4.02 cm², A╬\\s,vorh╬r = 6.28 cm²:\n"
        "  l╬\\b╬r = A╬\\s,erf╬r/A╬\\s,vorh╬r╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 91.49 cm\n"
        "╬_Biegerollendurchmesser der Schrägbewehrung im Träger\n"
        "Biegerollendurchmesser für Stäbe: D = 15╬/.╬rî╬\\s╬r = 24.0 cm für min c = 58.0 mm > 50 mm und > 3╬/.╬rî╬\\s╬r = 48 mm\n"
        "╬_Verankerungslänge der Feldbewehrung im Träger unten\n"
        "Verbundbereich für h = 60.0 cm, h╬\\z╬r = 53.20 cm: gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 20.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 71.48 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 10.0╬/.╬rî╬\\s╬r) = 21.44 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 1.00, A╬\\s,erf╬r = 3.14 cm², A╬\\s,vorh╬r = 6.28 cm²:\n"
        "  l╬\\b╬r = A╬\\s,erf╬r/A╬\\s,vorh╬r╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 35.74 cm\n"
        "erf. Verankerungslänge ab e: erf l╬\\v╬r = l╬\\b╬r = 35.7 cm\n"
        "vorh. Verankerungslänge ab e: vorh l╬\\v╬r = e╬\\1╬r-c╬\\v,h╬r = 6.8 cm\n"
        "╬_Verankerungslänge der Verankerungsbewehrung zum Konsolrand\n"
        "Abminderungsbeiwert (Schlaufen) für min c = c╬\\v,v╬r+î╬\\su╬r = 7.0 cm, D = 15.0 cm: ║╬\\i╬r = ║╬\\1╬r = 0.50\n"
        "  mit min c ‗ 3╬/.╬rî╬\\s,h╬r = 3.0 cm und D ‗ 15╬/.╬rî╬\\s,h╬r = 15.0 cm\n"
        "Verbundbereich für h = 60.0 cm, h╬\\z╬r = 50.70 cm: gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 10.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 35.74 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 10.0╬/.╬rî╬\\s╬r) = 10.00 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 0.50: l╬\\b╬r = ║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 17.87 cm\n"
        "erf. Verankerungslänge zum Konsolrand: erf l╬\\v╬r = l╬\\b╬r = 17.9 cm\n"
        "vorh. Verankerungslänge zum Konsolrand: vorh l╬\\v╬r = e╬\\1╬r-c╬\\v,h╬r+((n╬\\s,v╬r-1)╬/.╬rd╬\\v╬r+î╬\\s,v╬r)/2 = 12.6 cm\n"
        "╬_Verankerungslänge der horizontalen Spaltzugbewehrung\n"
        "Verbundbereich gut\n"
        "Bemessungswert der Verbundfestigkeit für f╬\\ck╬r = 30.0 N/mm², î╬\\s╬r = 8.0 mm: f╬\\bd╬r = 3.04 N/mm²\n"
        "Grundwert der Verankerungslänge für f╬\\yd╬r = 434.8 N/mm²: l╬\\b,rqd╬r = 0.25╬/.╬rî╬\\s╬r╬/.╬rf╬\\yd╬r/f╬\\bd╬r = 28.59 cm\n"
        "Mindestverankerungslänge l╬\\b,min╬r = max(0.3╬/.╬r║╬\\i╬r╬/.╬rl╬\\b,rqd╬r; 10.0╬/.╬rî╬\\s╬r) = 8.58 cm\n"
        "Bemessungswert der Verankerungslänge für ║╬\\i╬r = 1.00: l╬\\b╬r = ║╬\\i╬r╬/.╬rl╬\\b,rqd╬r = 28.59 cm\n");
    EXPECT_EQ(text, expected);
}
