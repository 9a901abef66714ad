// The corbel calculation and its report: design values, notes, the online calculation,
// the order and the heading levels of the report, the paths without a design, the edges of
// the input.
#include "core/corbel_calculation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <regex>
#include <sys/stat.h>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/alloc.h"
#include "base/component_files.h"
#include "base/run_globals.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/position_file.h"
#include "material/material_set.h"
#include "platform/messages.h"
#include "report/drawing_file.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "report_checks.h"
#include "test_support.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Position of the first occurrence, or npos.
size_t At(const std::string& text, const std::string& part) { return text.find(part); }

class CorbelCalculation : public ::testing::Test {
protected:
    void SetUp() override
    {
        NAD_Select_By_Name("Deutschland");
        saved_path_ = Get_Component_Path();
        saved_oli_ = oli_file_name;
        saved_spf_ = spf_file_name;
        Set_Component_Path(dir_.file("B1").c_str());
        oli_file_name = "_01.OLI";
        spf_file_name = dir_.file("B10001.SPF");  // the report's graphic writes the drawing
        Set_Corbel_Defaults(&m());
        Rows(0, {{"Volllast", 420000.0, 84000.0}, {"Schnee", 365000.0, 73000.0}});
    }
    void TearDown() override
    {
        Set_Corbel_Defaults(&m());
        Set_Component_Path(saved_path_.c_str());
        oli_file_name = saved_oli_;
        spf_file_name = saved_spf_;
        Free_Material_Set(&corbel_material_set);
        corbel_material_set_ready = 0;
        OLI_Reset_Channel();
        verdict_failed = 0;
        NAD_Select_By_Name("Deutschland");
    }
    static Corbel_Model& m() { return corbel_model; }

    struct Row {
        const char* name;
        double A, H;
    };
    void Rows(int k, const std::vector<Row>& rows)
    {
        Alloc_Load_Table(&m(), static_cast<int>(rows.size()), k);
        for (size_t i = 0; i < rows.size(); ++i) {
            std::snprintf(m().load_table[k][i].name, sizeof m().load_table[k][i].name, "%s", rows[i].name);
            m().load_table[k][i].A = rows[i].A;
            m().load_table[k][i].H = rows[i].H;
        }
        Alloc_Load_Case_Results(&m());
    }
    void Detail(int level, int choice = 1)
    {
        m().print_options.switches[EC2_PRINT_DETAIL_LEVEL] = level;
        m().print_options.switches[EC2_PRINT_DETAIL_CASE] = choice;
    }
    // The whole report file as the report writer leaves it.
    std::string Report()
    {
        EXPECT_EQ(Write_Corbel_Report(), 0);
        return Read_File_Bytes(dir_.file("B1_01.OLI"));
    }

    Temp_Dir dir_;
    std::string saved_path_, saved_oli_, saved_spf_;
};

// ---------------------------------------------------------------------------------
// Design values

// Switching on the fatigue check must not make the ultimate-limit-state design less strict:
// every design value stays that of the design situation; the fatigue check has its own.
TEST_F(CorbelCalculation, DesignValuesDoNotDependOnTheFatigueCheck)
{
    m().concrete_class = 9;  // C30/37
    Check_Corbel_Model(&m(), nullptr, 0, 0);
    m().safety_factors.gamma_c_fat = 1.0;  // a fatigue pair that differs from the ULS pair
    m().safety_factors.gamma_s_fat = 1.0;
    Derive_Design_Values(&m());
    const double fcd = m().fcd, fyd = m().fyd[0], ftd = m().ftd[0], xi = m().factors_in_use[2];
    EXPECT_NEAR(fcd, 0.85 * 30.0 / 1.5, 1e-9);
    EXPECT_NEAR(fyd, 500.0 / 1.15, 1e-9);
    EXPECT_NEAR(xi, 3.5 / (3.5 + 1000.0 * fyd / 200000.0), 1e-9);

    m().fatigue_check = 1;
    Rows(1, {{"Ober", 200000.0, 20000.0}, {"Unter", 100000.0, 10000.0}});
    Calculate_Corbel(&m(), nullptr, 0);
    EXPECT_DOUBLE_EQ(m().fcd, fcd);
    EXPECT_DOUBLE_EQ(m().fyd[0], fyd);
    EXPECT_DOUBLE_EQ(m().ftd[0], ftd);
    EXPECT_DOUBLE_EQ(m().factors_in_use[0], 1.5);
    EXPECT_DOUBLE_EQ(m().factors_in_use[1], 1.15);
    EXPECT_DOUBLE_EQ(m().factors_in_use[2], xi);

    // Bridges take the annex's bridge coefficient; a steel without modulus limits nothing.
    m().norm_code = CORBEL_NORM_BRIDGES;
    const NAD_EC2_Params saved = *NAD_Get_EC2_Params();
    NAD_Get_EC2_Params()->bridge_alpha_cc = 0.7;
    m().Es[0] = m().Es[1] = 0.0;
    Derive_Design_Values(&m());
    EXPECT_NEAR(m().fcd, 0.7 * 30.0 / 1.5, 1e-9);
    EXPECT_DOUBLE_EQ(m().factors_in_use[2], 1.0);
    *NAD_Get_EC2_Params() = saved;
}

// ---------------------------------------------------------------------------------
// Notes

TEST_F(CorbelCalculation, NotesAreCountedAndWrittenInTheirOrder)
{
    m().rebar_chosen = 0;
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 0);

    // Every lightweight class of the model under EN 1992-2 and the German annex, the first
    // one included.
    m().norm_code = CORBEL_NORM_BRIDGES;
    for (int cls : {20, 25, 32}) {
        m().concrete_class = cls;
        EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 1) << cls;
    }
    m().concrete_class = 19;
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 0);
    m().concrete_class = concrete_class_count;  // a user's concrete
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 0);
    m().concrete_class = 20;
    NAD_Select_By_Name("EC-Standardparameter");
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 0);
    NAD_Select_By_Name("Deutschland");
    m().norm_code = CORBEL_NORM_BUILDINGS;
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 0);
    m().norm_code = CORBEL_NORM_BRIDGES;

    // Uplift in either table; a hundredth of a newton below zero is not one.
    m().rebar_chosen = 1;
    Rows(0, {{"a", 100000.0, 0.0}, {"b", -0.005, 0.0}});
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 2);
    Rows(1, {{"a", 100000.0, 0.0}, {"b", -0.02, 0.0}});
    EXPECT_EQ(Write_Report_Notes(&m(), nullptr), 3);

    File_Stream out;
    EXPECT_EQ(Write_Report_Notes(&m(), out.get()), 3);
    OLI_End_Text_Block(out.get());
    const std::string text = out.bytes();
    const size_t light = At(text, "Leichtbeton: Die Zustimmung der Bauaufsichtsbeh\x94rde ist erforderlich.\n");
    const size_t rules = At(text, "Allgemeine Bewehrungsregeln sind nicht ber\x81" "cksichtigt.\n");
    const size_t uplift = At(text, "Negative Vertikallasten werden ignoriert.\n");
    ASSERT_NE(uplift, std::string::npos) << text;
    EXPECT_LT(light, rules);
    EXPECT_LT(rules, uplift);
}

// ---------------------------------------------------------------------------------
// Online calculation

TEST_F(CorbelCalculation, OnlineCalculationLeavesItsResultsAndWritesNothing)
{
    Detail(4, 1);
    Calculate_Corbel(&m(), nullptr, 0);
    EXPECT_EQ(m().summary.governing_case, 1);
    EXPECT_GT(m().summary.As_h, 1.0);
    EXPECT_EQ(m().summary.design_failed, 0);
    EXPECT_EQ(m().print_options.switches[EC2_PRINT_DETAIL_LEVEL], 4);

    // An input error: nothing designed, the governing row stays unknown.
    m().load_a = m().lk + 5.0;
    Calculate_Corbel(&m(), nullptr, 0);
    EXPECT_EQ(m().summary.design_failed, 1);
    EXPECT_EQ(m().summary.governing_case, -1);
    EXPECT_EQ(m().results[0].As_h, 0.0);
}

// A row whose design cannot be carried out leaves the required reinforcement undetermined:
// the report must not close with the success headline.
TEST_F(CorbelCalculation, RowsThatCannotBeDesignedFailTheDesign)
{
    m().design_situation = SITUATION_FREE;
    m().safety_factors.from_annex = 0;
    m().safety_factors.gamma_c = 0.0;  // the user's own factor: no concrete strength
    Calculate_Corbel(&m(), nullptr, 0);
    EXPECT_EQ(m().summary.design_failed, 1);

    Detail(1);
    const std::string report = Report();
    EXPECT_TRUE(Has(report, "Fehler bei der Bemessung" + std::string(Get_Colour_Off_Code()))) << report;
    EXPECT_TRUE(Has(report, "Bewehrung nicht ermittelbar"));
    EXPECT_TRUE(Has(report, "Fehler bei der Bemessung !!"));
    EXPECT_TRUE(Has(report, "s. Ermittlung der erforderlichen Bewehrung"));
    EXPECT_FALSE(Has(report, "Bemessung erfolgreich"));
}

// ---------------------------------------------------------------------------------
// The report

// A combination name is the user's text: a '%' in it is printed, never read as a format.
TEST_F(CorbelCalculation, CombinationNamesAreTextNotFormats)
{
    Rows(0, {{"Lk 3: 100% Schnee %s%n%d", 420000.0, 84000.0}, {"   ", 365000.0, 73000.0}});
    m().print_options.switches[EC2_PRINT_INPUT] = 0;  // the echo lists the rows too
    for (int level : {1, 5}) {
        Detail(level, -1);
        const std::string report = Report();
        EXPECT_TRUE(Has(report, "Lk 1: " + std::string(Colour_Text_Grey("Lk 3: 100% Schnee %s%n%d")))) << level;
    }
    // A name of blanks only gives the number alone.
    Detail(5, -2);
    const std::string report = Report();
    EXPECT_TRUE(Has(report, "Lk 2" OLI_SEQ_RESET "\n")) << report;
    EXPECT_FALSE(Has(report, "Lk 2: "));
}

// The sections stand in their fixed order, and every bookmark level opened is closed, at
// every detail level and on every way through the report.
TEST_F(CorbelCalculation, SectionOrderAndHeadingLevels)
{
    m().fatigue_check = 1;
    Rows(1, {{"Ober", 260000.0, 52000.0}, {"Unter", 120000.0, 24000.0}});
    m().print_options.switches[EC2_PRINT_ANNEX] = 1;
    m().print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
    for (int level = 0; level <= 5; ++level) {
        Detail(level, level == 5 ? -2 : 1);
        const std::string report = Report();
        EXPECT_EQ(Bookmark_Balance(report), "") << level;
        EXPECT_EQ(m().print_options.switches[EC2_PRINT_DETAIL_LEVEL], level);
        std::vector<std::string> order = {"Bemessung einer Lastkonsole", "Eingabeprotokoll", "Hinweis",
                                          "Bemessung\n", "Erm\x81" "dungsnachweis",
                                          "Endergebnis", "Gew\x84hlte Bewehrung", OLI_SEQ_BETWEEN,
                                          "Ausgew\x84hlte Bemessungsparameter", "Vorschriften"};
        if (level == 3 || level == 4) order.insert(order.begin() + 4, "Lk 1 (ma\xE1gebend");
        size_t last = 0;
        for (const std::string& part : order) {
            const size_t at = report.find(part, last);
            EXPECT_NE(at, std::string::npos) << "level " << level << ": " << part;
            if (at != std::string::npos) last = at;
        }
    }

    // Input error: "Datencheck", then the verdict and the closing sections.
    m().load_a = m().lk + 5.0;
    Detail(1);
    std::string report = Report();
    EXPECT_EQ(Bookmark_Balance(report), "");
    EXPECT_LT(At(report, "Datencheck"), At(report, "Fehler in den Eingabedaten"));
    EXPECT_LT(At(report, "Fehler in den Eingabedaten"), At(report, "Fehler bei der Bemessung !!"));
    EXPECT_LT(At(report, "Fehler bei der Bemessung !!"), At(report, "Vorschriften"));
    EXPECT_FALSE(Has(report, "Endergebnis"));
}

// Without any load above 1 N nothing is designed: the no-load line, no result, no verdict.
TEST_F(CorbelCalculation, NoLoadWritesItsLineAndNoVerdict)
{
    Rows(0, {{"leer", 1.0, -0.5}});
    m().rebar_chosen = 0;
    Detail(1);
    const std::string report = Report();
    EXPECT_TRUE(Has(report, "keine Belastung vorhanden  \x88  Nachweis wird nicht gef\x81hrt ")) << report;
    EXPECT_FALSE(Has(report, "Endergebnis"));
    EXPECT_FALSE(Has(report, "Bemessung erfolgreich"));
    EXPECT_FALSE(Has(report, "Fehler bei der Bemessung"));
    EXPECT_TRUE(Has(report, "Vorschriften"));
    EXPECT_EQ(Bookmark_Balance(report), "");
    EXPECT_EQ(m().summary.governing_case, -1);

    // Online: nothing evaluated either, and said so.
    Calculate_Corbel(&m(), nullptr, 0);
    EXPECT_EQ(m().summary.governing_case, -1);
    EXPECT_EQ(m().summary.design_failed, 0);
    EXPECT_EQ(m().summary.no_load, 1);
}

// The online calculation judges the design as the report's closing verdict does, so that
// the screen can show it: the same failed parts, in the same words, also those that only
// the report's echo (cover) and its reinforcement block (the chosen bars) decide.
TEST_F(CorbelCalculation, OnlineVerdictIsTheReports)
{
    struct Case {
        const char* name;
        std::function<void(Corbel_Model&)> set;
        std::vector<std::string> failed;
    };
    const std::vector<Case> cases = {
        {"no bars chosen", [](Corbel_Model& c) { c.rebar_chosen = 0; }, {}},
        // Four looped 14 mm bars whose anchorage beyond the plate is too short.
        {"short anchorage",
         [](Corbel_Model& c) {
             c.hk = 45.0;
             c.load_a = 15.0;
             c.rebar.layer_bars[0] = 4;
             c.rebar.group[1] = {4, 2, 2};
             c.rebar.member_diameter[0] = 8;
             c.rebar.member_diameter[1] = 10;
         },
         {"s. gew\x84hlte Bewehrung"}},
        // Also too weak for the bearing pressure and for the strut that H adds to.
        {"concrete below the exposure's",
         [](Corbel_Model& c) {
             c.rebar_chosen = 0;
             c.cover_from_exposure = 1;
             c.exposure_first[0] = 8;  // XD3 asks for C35/45
             c.concrete_class = 8;     // C25/30
         },
         {"s. Dauerhaftigkeit und Betondeckung", "s. Bemessung: Lagerpressung, Druckstrebe"}},
        // The cover is judged also when the echo that shows it is not printed.
        {"concrete below the exposure's, without the echo",
         [](Corbel_Model& c) {
             c.rebar_chosen = 0;
             c.cover_from_exposure = 1;
             c.exposure_first[0] = 8;
             c.concrete_class = 8;
             c.print_options.switches[EC2_PRINT_INPUT] = 0;
         },
         {"s. Dauerhaftigkeit und Betondeckung", "s. Bemessung: Lagerpressung, Druckstrebe"}},
    };
    for (const Case& c : cases) {
        Set_Corbel_Defaults(&m());
        Rows(0, {{"Volllast", 420000.0, 84000.0}, {"Schnee", 365000.0, 73000.0}});
        c.set(m());
        Check_Corbel_Model(&m(), nullptr, 0, 0);
        Calculate_Corbel(&m(), nullptr, 0);
        EXPECT_EQ(Design_Verdict_Failures(m().summary), c.failed) << c.name;
        // The report's verdict lines: the headline, then one " s. ..." line per part.
        const std::string report = Report();
        const size_t at = report.find("Fehler bei der Bemessung !!");
        EXPECT_EQ(at != std::string::npos, !c.failed.empty()) << c.name;
        EXPECT_EQ(Has(report, "Bemessung erfolgreich"), c.failed.empty()) << c.name;
        std::vector<std::string> lines;
        for (size_t from = report.find('\n', at); at != std::string::npos && report.compare(from, 4, "\n s.") == 0;
             from = report.find('\n', from + 1))
            lines.push_back(report.substr(from + 2, report.find('\n', from + 1) - from - 2));
        EXPECT_EQ(lines, c.failed) << c.name;
    }
}

// The single-row detail levels: the chosen row only when it exists; the table level writes
// rows without text.
TEST_F(CorbelCalculation, SingleRowLevelsWriteOnlyARowThatExists)
{
    Rows(0, {{"a", 100000.0, 10000.0}, {"b", 0.5, 0.0}, {"c", 300000.0, 30000.0}, {"d", 2.0, 0.0},
             {"e", 50000.0, 5000.0}});
    m().print_options.switches[EC2_PRINT_INPUT] = 0;  // the echo lists the rows too
    Detail(5, -7);
    std::string report = Report();
    EXPECT_FALSE(Has(report, "Lk ")) << report;
    EXPECT_FALSE(Has(report, "Ergebnistabelle"));
    EXPECT_TRUE(Has(report, "Endergebnis"));

    Detail(5, -3);
    report = Report();
    EXPECT_TRUE(Has(report, "Lk 3: "));
    EXPECT_FALSE(Has(report, "Lk 1"));

    // Level 1: rows 1 (always), 3, 4 (above 1 N) and 5 get headings; row 2 does not.
    Detail(1);
    report = Report();
    for (const char* heading : {"Lk 1: ", "Lk 3: ", "Lk 4: ", "Lk 5: "}) EXPECT_TRUE(Has(report, heading)) << heading;
    EXPECT_FALSE(Has(report, "Lk 2: "));
    EXPECT_EQ(m().summary.governing_case, 3);
}

}  // namespace

namespace {

// A position of 1000 combinations, every one written in full, runs clean under the
// sanitizers of the test build: the refresh run says nothing and leaves a whole report.
// The drawing the report's graphic writes takes its place with the report: one that cannot
// be written keeps both old files, and the editor's user is told which and why.
TEST_F(CorbelCalculation, ReportAndDrawingArePutInPlaceTogether)
{
    m().print_options.switches[EC2_PRINT_GRAPHIC] = 1;
    Report();
    EXPECT_TRUE(Has(Read_File_Bytes(spf_file_name), "*EOI\n"));

    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.OLI"), "alter Bericht"));
    std::remove(spf_file_name.c_str());
    ASSERT_EQ(::mkdir(spf_file_name.c_str(), 0755), 0);
    Clear_Shown_Messages();
    EXPECT_EQ(Write_Corbel_Report(), 1);
    EXPECT_EQ(Read_File_Bytes(dir_.file("B1_01.OLI")), "alter Bericht");
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_TRUE(Has(Shown_Messages()[0].text,
                    "Die Zeichnung " + spf_file_name + " kann nicht geschrieben werden: der Name bezeichnet einen Ordner"))
        << Shown_Messages()[0].text;

}

TEST_F(CorbelCalculation, ThousandCombinationsRunClean)
{
    std::vector<Row> rows;
    std::vector<std::string> names(1000);
    for (int i = 0; i < 1000; ++i) {
        names[i] = "Kombination " + std::to_string(i + 1) + (i % 7 == 0 ? " 50% %s" : "");
        rows.push_back({names[i].c_str(), 100000.0 + 300.0 * i, 10000.0 + 90.0 * (i % 50)});
    }
    Rows(0, rows);
    m().fatigue_check = 1;
    Rows(1, {{"Ober", 260000.0, 52000.0}, {"Unter", 120000.0, 24000.0}});
    Detail(2);
    FILE* f = std::fopen(dir_.file("B1_01.INP").c_str(), "w");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(Write_Corbel_Model(f, &m()), 0);
    NAD_Write_Active_Name(f);
    ASSERT_EQ(std::fclose(f), 0);

    const Run_Result r =
        Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(),
                    {"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" CORBEL_SOURCE_DIR "/data", "DRAM=" + dir_.path(),
                     "TEMP=" + dir_.path(), "ZAV_PRIVAT_DATAPATH=" + dir_.path()});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    const std::string report = Read_File_Bytes(dir_.file("B1_01.OLI"));
    EXPECT_EQ(Bookmark_Balance(report), "");
    size_t designed = 0;
    for (size_t at = report.find(OLI_SEQ_STYLE "Gesamt"); at != std::string::npos;
         at = report.find(OLI_SEQ_STYLE "Gesamt", at + 1))
        ++designed;
    EXPECT_GE(designed, 1000u);  // and the fatigue check's own line
    EXPECT_TRUE(Has(report, "Vorschriften"));
}

// ---------------------------------------------------------------------------------
// The edges of the input: a tie axis at or below mid-height, values too large to be shown,
// a fatigue load without equilibrium in the cracked section. None may end in a success,
// and no report shows a number that is not one.

TEST_F(CorbelCalculation, NoSuccessAndNoNonNumberAtTheEdges)
{
    struct Case {
        const char* what;
        std::function<void(Corbel_Model&)> set;
        std::string shows;
    };
    const std::vector<Case> cases = {
        {"tie axis below mid-height, fatigue",
         [&](Corbel_Model& c) {
             c.hk = 10.0;
             c.d1k = 8.0;
             c.fatigue_check = 1;
             Rows(1, {{"Ober", 6550.0, 126680.0}, {"Unter", 3000.0, 60000.0}});
         },
         "Fehler d\xCE\\1k\xCEr \xF2 h\xCE\\k\xCEr/2"},
        {"hk of 1e308", [](Corbel_Model& c) { c.hk = 1e308; }, "Fehler h\xCE\\k\xCEr: ung\x81ltiger Zahlenwert"},
        {"lk of 1e308", [](Corbel_Model& c) { c.lk = 1e308; }, "Fehler l\xCE\\k\xCEr: ung\x81ltiger Zahlenwert"},
        // A length that the number formats would still print, but no corbel has: 500 m deep.
        {"hk of 500 m, fatigue",
         [&](Corbel_Model& c) {
             c.hk = 50000.0;
             c.fatigue_check = 1;
             Rows(1, {{"Ober", 280000.0, 56000.0}, {"Unter", 100000.0, 20000.0}});
         },
         "Fehler h\xCE\\k\xCEr: ung\x81ltiger Zahlenwert"},
        {"load of 1e12 kN in row 2", [](Corbel_Model& c) { c.load_table[0][1].A = 1e15; },
         "Fehler Lk 2: A\xCE\\Ed\xCEr: ung\x81ltiger Zahlenwert"},
        {"fatigue load the cracked section cannot balance",
         [&](Corbel_Model& c) {
             c.fatigue_check = 1;
             Rows(1, {{"Ober", 280000.0, 56000.0}, {"Unter", 1e8, 2e7}});
         },
         "kein Gleichgewicht im gerissenen Querschnitt"},
    };
    const std::regex non_number("(^|[^A-Za-z])(nan|inf)([^A-Za-z]|$)|[0-9]{16}", std::regex::icase);
    for (const Case& c : cases) {
        Set_Corbel_Defaults(&m());
        Rows(0, {{"Volllast", 420000.0, 84000.0}, {"Schnee", 365000.0, 73000.0}});
        c.set(m());
        const std::string report = Report();
        EXPECT_TRUE(Has(report, c.shows)) << c.what << "\n" << report;
        EXPECT_FALSE(Has(report, "Bemessung erfolgreich")) << c.what;
        EXPECT_FALSE(std::regex_search(report, non_number)) << c.what << "\n" << report;
    }
}

// The steels that bridges do not take become the bridge steel under every annex, not only
// under the German one (whose own rules on concrete and ductility stay its own).
TEST_F(CorbelCalculation, BridgeSteelMappingUnderEveryAnnex)
{
    for (const char* annex : {"Deutschland", "EC-Standardparameter"}) {
        for (int steel : {5, 6}) {
            NAD_Select_By_Name(annex);
            m().norm_code = CORBEL_NORM_BRIDGES;
            m().steel_class[0] = steel;
            const std::string report = Report();
            EXPECT_EQ(m().steel_class[0], 4) << annex << " " << steel;
            EXPECT_TRUE(Has(report, "Bewehrung: B500B")) << annex << " " << steel;
            // The echo and the check's messages name the steel chosen and the one designed.
            EXPECT_TRUE(Has(report, " nicht zugelassen, bemessen mit B500B\n")) << annex << " " << steel;
        }
    }
    EXPECT_TRUE(Has(Report(), "Betonbr\x81" "cken: Gittertr\x84ger nicht zugelassen, bemessen mit B500B\n"));
    Clear_Shown_Messages();
    Check_Corbel_Model(&m(), nullptr, 0, 1);
    ASSERT_FALSE(Shown_Messages().empty());
    EXPECT_EQ(Shown_Messages().back().text, "Betonbr\xFC" "cken: Gittertr\xE4ger nicht zugelassen, bemessen mit B500B");
    // A building keeps its steel, and a bridge steel chosen as such is not said.
    m().norm_code = CORBEL_NORM_BUILDINGS;
    m().steel_class[0] = 5;
    Check_Corbel_Model(&m(), nullptr, 0, 0);
    EXPECT_EQ(m().steel_class[0], 5);
    EXPECT_FALSE(Has(Report(), "nicht zugelassen, bemessen mit"));
}

}  // namespace
