// The input echo and the results table of the corbel report, byte for byte.
#include "core/corbel_input_echo.h"
#include "core/corbel_results_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/corbel_results.h"
#include "core/corbel_work.h"
#include "core/position_file.h"
#include "corbel_text_support.h"
#include "platform/messages.h"
#include "report/oli_channel.h"
#include "report/text_writer.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

using corbel_text_test::Contains;
using corbel_text_test::Cp;

class CorbelReportParts : public ::testing::Test {
protected:
    Corbel_Model m{};
    NAD_EC2_Params* params = nullptr;
    NAD_EC2_Params saved{};

    void SetUp() override
    {
        params = NAD_Get_EC2_Params();
        saved = *params;
        Clear_Shown_Messages();
        OLI_Reset_Channel();
        OLI_Init_Heading_Numbering(3, 0, 0);
        heading_state.output_switch = 1;
        report_line_prefix = "";
        report_heading_level = 2;
        Set_Corbel_Defaults(&m);
    }
    void TearDown() override
    {
        *params = saved;
        Init_EC2_Print_Options(&m.print_options);
        for (Load_Combination* t : m.load_table)
            if (t) MEM_FREE(t);
        if (m.results) MEM_FREE(m.results);
        Clear_Shown_Messages();
        OLI_Reset_Channel();
        report_heading_level = 1;
        verdict_failed = 0;
    }
    void Rows(int count)
    {
        Alloc_Load_Table(&m, count, 0);
        Alloc_Load_Case_Results(&m);
    }
    void Check() { Check_Corbel_Model(&m, nullptr, 0, 0); }

    // A single load corbel on a column at the defaults, one loaded row.
    void Single_Corbel_Defaults()
    {
        Rows(1);
        m.load_table[0][0].A = 250000.0;
        m.load_table[0][0].H = 50000.0;
        Check();
    }
    // A beam-end load corbel at a slab, accidental situation, covers from the exposure
    // classes, five rows in N (the table form of the loads), details by intermediate results.
    void Beam_End_At_Slab()
    {
        Rows(5);
        m.execution = EXECUTION_BEAM_END;
        m.at_slab = 1;
        m.design_situation = SITUATION_ACCIDENTAL;
        m.cover_from_exposure = 1;
        m.exposure_first[0] = 4;  // XC3
        m.exposure_first[1] = 1;  // XF1
        m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
        m.print_options.switches[EC2_PRINT_SKETCHES] = 0;
        m.unit_switch = LOAD_UNIT_N_NM;
        for (int i = 0; i < 5; ++i) m.load_table[0][i].A = 100000.0 * (i + 1);
        std::snprintf(m.load_table[0][2].name, sizeof(m.load_table[0][2].name), "%s", "Schnee 100%");
        Check();
    }
    // A single support corbel with the user's own concrete, steel and partial factors,
    // indirect load transfer, the strut angle of the beam's shear design; no load.
    void User_Classes()
    {
        m.system = SYSTEM_SUPPORT_CORBEL;
        m.concrete_class = MODEL_FIRST_FREE_CONCRETE;
        m.fck = 27.0;
        m.eps_c2 = -2.1;
        m.eps_cu2 = -3.4;
        m.steel_class[0] = MODEL_FIRST_FREE_STEEL;
        m.fyk[0] = 450.0;
        m.ftk[0] = 500.0;
        m.euk[0] = 40.0;
        m.Es[0] = 195000.0;
        m.method = 3;
        m.strut_angle_mode = 0;
        m.load_transfer = LOAD_TRANSFER_INDIRECT;
        m.design_situation = SITUATION_FREE;
        Check();
    }
    // Three rows: one designed, one failed in the tie, one without load.
    void Three_Results()
    {
        Rows(3);
        Load_Case_Result* r = m.results;
        // A, H, As_h, As_v, As_s, Asb_h, Asb_v, As_v1, As_v2, As_h1, z3, theta_A, delta_ac, sigma_p, Ast, failed_checks, As_nose
        r[0] = {250000.0, 50000.0, 5.5, 0.0, 0.0, 1.2, 0.0, 0.0, 2.0, 0.0, 30.0, 40.0, 0.0, 0.0, 5.5, 0, 0.0};
        r[1] = {300000.0, 0.0, -1.0, 0.0, 0.0, 1.4, 0.0, 0.0, 0.0, 0.0, 30.0, 40.0, 0.0, 0.0, -1.0, 0, 0.0};
        Evaluate_Load_Case_Results(&m);
    }

    std::string Echo(int detail_level)
    {
        File_Stream f;
        Write_Corbel_Input_Echo(&m, f.get(), detail_level);
        return f.bytes();
    }
    std::string Table()
    {
        File_Stream f;
        Write_Corbel_Results_Table(&m, f.get());
        OLI_End_Text_Block(f.get());
        return f.bytes();
    }
};

TEST_F(CorbelReportParts, EchoOfASingleCorbelOnAColumnWithDefaults)
{
    // Minimal detail: the listed materials on one line, the ULS factors, the loads as a
    // list after the sign sketch.
    Single_Corbel_Defaults();
    EXPECT_EQ(Echo(0), Cp(R"x(
#SHOWPARA
0x0
4
-1
 ╬HQuerschnitt╬r (Einzelkonsole)
 Konsole an einer Stütze
 Stütze: b = 30.0 cm, h = 36.0 cm
 Konsole: l╬\k╬r = 30.0 cm, h╬\k╬r = 40.0 cm, Achsabstand (Bemessung): d╬\1k╬r = 6.0 cm
 Lagerplatte: l╬\p╬r = 15.0 cm, b╬\p╬r = 20.0 cm
#END_OF_TEXT
0x4
0x40
4
0x0 1
2 22
-1
 ╬HMaterialkennwerte
 Beton: C40/50, Bewehrung: B500A
#END_OF_TEXT
0x4
0x40
4
0x0 0
-1
 ╬HMaterialsicherheitsbeiwerte
 Bemessungssituation: Grundkombination
 Tragfähigkeit:  Beton └╬\c╬r = 1.50,  Bewehrung └╬\s╬r = 1.15
 ╬HParameter
 Lastangriff bei úa = 16.5 cm, úh = 3.0 cm
 Bemessungsverfahren n. Heft 600, DAfStb
 Lastkonsole, direkte Lasteinleitung
 Lagerpressung: Lagerfuge Gleit-/Elastomerlager
#END_OF_TEXT
0x0
-1
#OLI_STORE_Y 1
#OLI_MARGINS 1 14 0
#OLI_YPOS 1 -0.5
#SHOWGRAFIC
0 0 0
0 0 0
-1
0 3.000000 0 2.500000
27 0 2.500000 %FONT%\schnittgroessen.ocm
-1
#OLI_RESTORE_Y 1
#OLI_MARGINS 1 0 0
#OLI_FLAGS 0x280

#SHOWPARA
0x0
4
-1
 ╬HBemessungsgrößen (GZT)
#END_OF_TEXT
0x4
0x40
4
0x2
2 5
-1
 Lk 1: ╬tA╬\Ed╬r = 250.0 kN, H╬\Ed╬r = 50.0 kN
#END_OF_TEXT
0x0
-1
)x"));
}

TEST_F(CorbelReportParts, EchoOfABeamEndCorbelAtASlabWithDurability)
{
    // Standard detail with intermediate results shows the material values; a load corbel at
    // a slab reads slab thickness, then the width of the downstand beam; the cover rule runs
    // once per cover with the main tie's bar.
    Beam_End_At_Slab();
    EXPECT_EQ(Echo(1), Cp(R"x(
#SHOWPARA
0x0
4
-1
 ╬HQuerschnitt╬r (Trägerkonsole an einer Platte)
 Platte: h = 120.0 cm, deckengleicher Unterzug: b = 36.0 cm, Achsabstand (Bemessung): e╬\1╬r = 12.0 cm
 Konsole: l╬\k╬r = 30.0 cm, h╬\k╬r = 40.0 cm, Achsabstand (Bemessung): d╬\1k╬r = 6.0 cm
 Lagerplatte: l╬\p╬r = 15.0 cm
#END_OF_TEXT
0x4
0x40
4
0x0 1
2 22
-1
 ╬HMaterialkennwerte
 Beton n. EC 2, 3.1.7(1): ╬tC40/50, ¥╬\c2╬r = -2.00ë, ¥╬\cu2╬r = -3.50ë, f╬\cd╬r = 26.15 N/mm²
 Bewehrung n. EC 2, 3.2.7(2a): ╬tB500A, ¥╬\uk╬r = 25.0ë, f╬\yd╬r = 500.00 N/mm², f╬\td╬r = 525.00 N/mm², E╬\s╬r = 200000.0 N/mm²
#END_OF_TEXT
0x4
0x40
4
0x0 0
-1
 ╬HMaterialsicherheitsbeiwerte
 Bemessungssituation: außergewöhnliche Kombination
 Tragfähigkeit:  Beton └╬\c╬r = 1.30,  Bewehrung └╬\s╬r = 1.00
 ╬HParameter
 Lastangriff bei úa = 16.5 cm, úh = 3.0 cm
 Bemessungsverfahren n. EC 2-1-1, 6.5
 Lastkonsole, direkte Lasteinleitung
 Lagerpressung: Lagerfuge Gleit-/Elastomerlager
#END_OF_TEXT
0x0
-1
#OLI_FLAGS 0x280

#SHOWPARA
0x0
4
-1
 ╬HBemessungsgrößen (GZT)
#END_OF_TEXT
0x0
-1
#SHOWTABLE
0 0 0
1 1 -1 -1 3
4.4 4.6 13.5
 Lk       A╬\Ed╬r 
          N/m 
 1    100000.0
 2    200000.0
 3    300000.0 Schnee 100%
 4    400000.0
 5    500000.0
#END_OF_TEXT
#OLI_YPOS 1 -0.5
#OLI_FLAGS 0x380
#OLI_RESERVE 3
#OLI_MARGINS 1 0 0
#OLI_YPOS 1 0.254
#OLI_RESERVE 3
#OLI_BOOKMARK 0 «╬@0.1. Dauerhaftigkeit und Betondeckung»

#SHOWPARA
0x40
4
0x0 1
1 1.74
-1
 ╬H╬@0.1.╬tDauerhaftigkeit und Betondeckung╬r
#END_OF_TEXT
0x0
-1
#OLI_MARGINS 1 1.74 0

#SHOWPARA
0x0
4
-1
 ╬_vertikal╬r: Mindestfestigkeitsklasse, Betondeckung
   infolge Bewehrungskorrosion XC3  ê  C20/25, c╬\nom╬r = 35 mm, c╬\nom,l╬r = 24 mm ê c╬\nom╬r = 35 mm > c╬\v╬r = 30 mm  ╬{C 1 230 0 0}╬Hnicht ok !!╬{C 768}
   infolge Betonangriff XF1  ê  C25/30
 Mindestbetongüte  C25/30 mit f╬\ck╬r = 25.0 N/mm² < vorh f╬\ck╬r = 40.0 N/mm²  ╬{C 1 40 140 255}╬Hok╬{C 768}
 ╬_horizontal╬r: Mindestfestigkeitsklasse, Betondeckung
   infolge Bewehrungskorrosion XC3  ê  C20/25, c╬\nom╬r = 35 mm, c╬\nom,l╬r = 24 mm ê c╬\nom╬r = 35 mm > c╬\v╬r = 30 mm  ╬{C 1 230 0 0}╬Hnicht ok !!╬{C 768}
   infolge Betonangriff XF1  ê  C25/30
 Mindestbetongüte  C25/30 mit f╬\ck╬r = 25.0 N/mm² < vorh f╬\ck╬r = 40.0 N/mm²  ╬{C 1 40 140 255}╬Hok╬{C 768}
#END_OF_TEXT
0x0
-1
)x"));
    EXPECT_EQ(m.summary.cover_failed, 0);  // a cover laid too small is a verdict, not a failure
}

TEST_F(CorbelReportParts, EchoOfUserDefinedClassesAlwaysShowsTheirValues)
{
    // The strut-angle line has no line end of its own; with no load the block ends it.
    User_Classes();
    EXPECT_EQ(Echo(0), Cp(R"x(
#SHOWPARA
0x0
4
-1
 ╬HQuerschnitt╬r (Einzelkonsole)
 Träger: b = 30.0 cm, h = 48.0 cm, Achsabstand (Bemessung): d╬\1╬r = 6.0 cm, e╬\1╬r = 12.0 cm
 Konsole: l╬\k╬r = 30.0 cm, h╬\k╬r = 40.0 cm, Achsabstand (Bemessung): d╬\1k╬r = 6.0 cm
 Lagerplatte: l╬\p╬r = 15.0 cm, b╬\p╬r = 20.0 cm
#END_OF_TEXT
0x4
0x40
4
0x0 1
2 22
-1
 ╬HMaterialkennwerte
 Beton: frei, ¥╬\c2╬r = -2.10ë, ¥╬\cu2╬r = -3.40ë, f╬\cd╬r = 15.30 N/mm²
 Bewehrung: frei, ¥╬\uk╬r = 40.0ë, f╬\yd╬r = 391.30 N/mm², f╬\td╬r = 434.78 N/mm², E╬\s╬r = 195000.0 N/mm²
#END_OF_TEXT
0x4
0x40
4
0x0 0
-1
 ╬HMaterialsicherheitsbeiwerte
 ╬Sunabhängig von den Vorgaben des Eurocodes
 Tragfähigkeit:  Beton └╬\c╬r = 1.50,  Bewehrung └╬\s╬r = 1.15
 ╬HParameter
 Lastangriff bei úa = 16.5 cm, úh = 3.0 cm
 Bemessungsverfahren n. EC 2-1-1, 6.5
 Auflagerkonsole, Lasteinleitung mit Variante 2
 Verteilungszahl 0.60 (Lastanteil der vertikalen Bewehrung)
 Neigungswinkel der Schrägbewehrung 45.0°
 Lagerpressung: Lagerfuge Gleit-/Elastomerlager
 aus Schubbemessung des Trägers: Druckstrebenwinkel ░ = 18.4° (minimal)
#END_OF_TEXT
0x0
-1
)x"));
}

TEST_F(CorbelReportParts, ResultsTableHidesEmptyColumnsAndMarksFailures)
{
    Three_Results();
    EXPECT_EQ(Table(), Cp(R"x(#OLI_RESERVE 3
#OLI_MARGINS 1 0 0
#OLI_YPOS 1 0.254
#OLI_RESERVE 3
#OLI_BOOKMARK 0 «╬@0.1. Ergebnistabelle»

#SHOWPARA
0x40
4
0x0 1
1 1.74
-1
 ╬H╬@0.1.╬tErgebnistabelle╬r
#END_OF_TEXT
0x0
-1
#OLI_MARGINS 1 1.74 0
#OLI_YPOS 1 0.3
#OLI_FLAGS 0x280

#SHOWPARA
0x0
4
-1
 ╬HBemessungsgrößen und erforderliche Bewehrung
#END_OF_TEXT
0x0
-1
#SHOWTABLE
0 0 0
1 1 -1 -1 5
4.4 4.6 24.5 40.5 48.5
 Lk        A╬\Ed╬r       H╬\Ed╬r    A╬\s,h╬r    A╬\sb,h╬r   ▓A╬\st╬r 
           kN        kN      cm²     cm²     cm² 
 1       250.00     50.00    5.50    1.20    5.50
 2       300.00      0.00╬{C 1 230 0 0}  Fehler╬{C 768} ╬u   1.40╬r╬{C 1 230 0 0}  Fehler╬{C 768}
 3         0.00      0.00    ---     ---     --- 
#END_OF_TEXT
#OLI_YPOS 1 -0.5
#OLI_FLAGS 0x380

#SHOWPARA
0x0
3
-1
 A╬\Ed╬r, H╬\Ed╬r: Bemessungsgrößen, A╬\s,h╬r: Zugbewehrung, A╬\sb,h╬r: Spaltzugbewehrung;  ▓A╬\st╬r: Summe der Zugbewehrung
#END_OF_TEXT
0x0
-1
)x"));
}

TEST_F(CorbelReportParts, EchoOfTheFatigueCaseNamesItsMaterialsFactorsAndParameters)
{
    Single_Corbel_Defaults();
    m.fatigue_check = 1;
    m.safety_factors.gamma_s_sls = 1.25;
    const std::string detailed = Echo(2);
    EXPECT_TRUE(Contains(detailed, "\n ╬HErmüdung\n Beton n. EC 2, 3.1.5(1): ╬tC40/50, ¥╬\\c1╬r = "));
    EXPECT_TRUE(Contains(detailed, "\n Bewehrung n. EC 2, 3.2.7(2a): ╬tB500A, ¥╬\\uk╬r = 25.0ë, f╬\\yd╬r = 400.00 N/mm², "
                                   "f╬\\td╬r = 420.00 N/mm², E╬\\s╬r = 200000.0 N/mm²\n"));
    EXPECT_TRUE(Contains(detailed, "\n Gebrauchstauglichkeit:  Beton └╬\\c╬r = "));
    EXPECT_TRUE(Contains(detailed, "\n Ermüdungsnachweis n. 6.8.6(2) + 6.8.7(2) (vereinfachtes Verfahren)\n"
                                   "   Spannungsdifferenz der Bewehrung ú╠╬\\s╬r = 70.0 N/mm²,  Erstbelastung des "
                                   "Betons nach t╬\\0╬r = 28 d\n"));
    EXPECT_TRUE(Contains(detailed, "Bemessungsgrößen (Ermüdungsnachweis, GZG)"));

    // Another class: the data check renews the strains of the nonlinear law, in the echo and
    // in the position file. C55/67: fcm 63, eps_c1 = -0.7 x 63^0.31 = -2.528678,
    // eps_cu1 = -(2.8 + 27 x 0.35^4) = -3.205169.
    m.concrete_class = 14;
    Check();
    EXPECT_TRUE(Contains(Echo(2), "\n ╬HErmüdung\n Beton n. EC 2, 3.1.5(1): ╬tC55/67, ¥╬\\c1╬r = -2.53ë, "
                                  "¥╬\\cu1╬r = -3.21ë, f╬\\cm╬r = 63.00 N/mm²\n"));
    File_Stream saved;
    ASSERT_EQ(Write_Corbel_Model(saved.get(), &m), 0);
    EXPECT_TRUE(Contains(saved.bytes(), " 63.000000 ")) << saved.bytes();
    EXPECT_TRUE(Contains(saved.bytes(), " -2.528678 -3.205169 ")) << saved.bytes();
    m.concrete_class = 11;
    Check();

    // Without details the fatigue materials are left out, the factors and parameters stay;
    // a missing serviceability factor gives no design strength.
    m.safety_factors.gamma_s_sls = 0.0;
    const std::string standard = Echo(1);
    EXPECT_FALSE(Contains(standard, "╬HErmüdung\n"));
    EXPECT_TRUE(Contains(standard, "Gebrauchstauglichkeit"));
    EXPECT_TRUE(Contains(standard, "Spannungsdifferenz"));
    EXPECT_TRUE(Contains(Echo(2), "f╬\\yd╬r = 0.00 N/mm², f╬\\td╬r = 0.00 N/mm²"));

    // A beam-end corbel is never the fatigue case.
    m.execution = EXECUTION_BEAM_END;
    EXPECT_FALSE(Contains(Echo(2), "Ermüdung"));
}

TEST_F(CorbelReportParts, EchoEdgesOfNamesProceduresAndLoadTransfer)
{
    Single_Corbel_Defaults();
    // Names that are empty after trimming read "???"; details stay off on one line.
    m.concrete_class = -1;
    m.steel_class[0] = -1;
    EXPECT_TRUE(Contains(Echo(0), "\n Beton: ???, Bewehrung: ???\n"));

    // The strut angle of the beam's shear design belongs to corbels at a beam only.
    m.method = 3;
    EXPECT_FALSE(Contains(Echo(0), "Druckstrebenwinkel"));
    m.method = 5;
    EXPECT_TRUE(Contains(Echo(0), "\n Bemessungsverfahren n. Stabwerk verfeinert\n"));
    m.method = 9;  // not a procedure
    EXPECT_TRUE(Contains(Echo(0), "\n Bemessungsverfahren n. ???\n"));

    // Indirect load transfer on a column: the hanger share, no bearing pressure.
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    m.bed_joint = 1;
    const std::string indirect = Echo(0);
    EXPECT_TRUE(Contains(indirect, "\n Lastkonsole, indirekte Lasteinleitung\n Verteilungszahl 0.60 (Lastanteil der "
                                   "Aufhängebewehrung)\n Neigungswinkel der Schrägbewehrung 45.0°\n"));
    EXPECT_FALSE(Contains(indirect, "Lagerpressung"));
    m.load_transfer = LOAD_TRANSFER_DIRECT;
    m.hk_end = 25.0;
    const std::string direct = Echo(0);
    EXPECT_TRUE(Contains(direct, "\n Lagerpressung: Lagerfuge trocken\n"));
    EXPECT_TRUE(Contains(direct, ", h╬\\k╬r' = 25.0 cm, Achsabstand"));

    // The seismic situation, and a beam-end support corbel's beam.
    m.design_situation = SITUATION_SEISMIC;
    m.execution = EXECUTION_BEAM_END;
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.lp = 0.0;
    const std::string beam = Echo(0);
    EXPECT_TRUE(Contains(beam, "\n Bemessungssituation: Erdbeben-Kombination\n"));
    EXPECT_TRUE(Contains(beam, "\n Balken: b = 120.0 cm, h = 36.0 cm, Achsabstand (Bemessung): e╬\\1╬r = 12.0 cm\n"));
    EXPECT_TRUE(Contains(beam, "\n Auflagerkonsole, Lasteinleitung mit Variante 1\n"));
    // No plate: the dry joint stays in the input, unused, and is said so.
    EXPECT_FALSE(Contains(beam, "Lagerplatte: l"));
    EXPECT_TRUE(Contains(beam, "\n Lagerfuge trocken: ohne Lagerplatte nicht angesetzt\n"));
}

TEST_F(CorbelReportParts, DurabilityRunsTheCoverRuleByTheChosenBars)
{
    Single_Corbel_Defaults();
    m.cover_from_exposure = 1;
    m.exposure_first[0] = 5;  // XC4, least class C25/30
    // Without chosen bars: one unlabelled rule.
    m.rebar_chosen = 0;
    std::string text = Echo(1);
    EXPECT_TRUE(Contains(text, "Dauerhaftigkeit und Betondeckung"));
    EXPECT_TRUE(Contains(text, "\n Mindestfestigkeitsklasse, Betondeckung\n"));
    EXPECT_EQ(m.summary.cover_failed, 0);

    // Chosen bars without a main-tie layer: the heading alone.
    m.rebar_chosen = 1;
    m.rebar.layers = 0;
    text = Echo(1);
    EXPECT_TRUE(Contains(text, "Dauerhaftigkeit und Betondeckung"));
    EXPECT_FALSE(Contains(text, "Mindestfestigkeitsklasse"));

    // A concrete too weak for the exposure class fails the rule.
    m.rebar.layers = 1;
    m.fck = 20.0;
    text = Echo(1);
    EXPECT_TRUE(Contains(text, "╬_vertikal╬r: Mindest"));
    EXPECT_TRUE(Contains(text, "╬_horizontal╬r: Mindest"));
    EXPECT_EQ(m.summary.cover_failed, 1);

    // Without the cover switch no section at all.
    m.summary.cover_failed = 0;
    m.cover_from_exposure = 0;
    EXPECT_FALSE(Contains(Echo(1), "Dauerhaftigkeit"));
    EXPECT_EQ(m.summary.cover_failed, 0);
}

TEST_F(CorbelReportParts, ResultsTableWithoutForcesIsOnlyItsHeading)
{
    Rows(2);
    m.results[0].A = 9.0;  // 0.009 kN
    m.results[0].As_h = 3.0;
    const std::string text = Table();
    EXPECT_TRUE(Contains(text, "Ergebnistabelle"));
    EXPECT_EQ(text.find("#SHOWTABLE"), std::string::npos);
    EXPECT_FALSE(Contains(text, "Bemessungsgrößen"));
    EXPECT_EQ(text.substr(text.size() - 17), "\n#OLI_YPOS 1 0.3\n");
}

TEST_F(CorbelReportParts, ResultsTableUnitsLongTablesAndLegend)
{
    // 25 rows in N with H only: the viewer repeats the head; A still leads the legend.
    Rows(25);
    m.unit_switch = LOAD_UNIT_N_NM;
    for (int i = 0; i < 25; ++i) m.results[i].H = 0.5 * (i + 1);
    m.results[3].As_v1 = 0.8;
    m.results[3].Ast = 0.8;
    Evaluate_Load_Case_Results(&m);
    std::string text = Table();
    EXPECT_TRUE(Contains(text, "#SHOWTABLE\n0 0 0\n1 1 -1 -1 5 0 0 0 0 0 0 0 2\n4.4 4.6 14.5 22.5 30.5\n"
                               " Lk        H╬\\Ed╬r    A╬\\s,v1╬r   ▓A╬\\st╬r \n"
                               "           N       cm²     cm² \n 1         0.50    ---     --- \n"));
    EXPECT_TRUE(Contains(text, "\n 4         2.00 ╬u   0.80╬r ╬u   0.80╬r\n"));
    EXPECT_TRUE(Contains(text, "\n 25       12.50    ---     --- \n#END_OF_TEXT\n"));
    EXPECT_TRUE(Contains(text, "\n A╬\\Ed╬r, H╬\\Ed╬r: Bemessungsgrößen, A╬\\s,v1╬r: Verankerung;  ▓A╬\\st╬r: Summe "
                               "der Zugbewehrung\n"));

    // An unknown unit switch shows the stored values without a unit; no areas, no total.
    Rows(1);
    m.unit_switch = -1;
    m.results[0].A = 3.0;
    text = Table();
    EXPECT_TRUE(Contains(text, "\n4.4 4.6 14.5 14.5 14.5\n Lk        A╬\\Ed╬r \n               \n 1         3.00\n"));
    EXPECT_TRUE(Contains(text, "\n A╬\\Ed╬r: Bemessungsgrößen\n"));
}

TEST_F(CorbelReportParts, NothingWithoutModelOrStream)
{
    File_Stream f;
    Write_Corbel_Input_Echo(nullptr, f.get(), 1);
    Write_Corbel_Results_Table(nullptr, f.get());
    Write_Corbel_Input_Echo(&m, nullptr, 1);
    Write_Corbel_Results_Table(&m, nullptr);
    EXPECT_EQ(f.bytes(), "");
}

} // namespace
