#include "annex/nad_report.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec0_report.h"
#include "annex/nad_ec2_report.h"
#include "annex/nad_ec3.h"
#include "annex/nad_ec5_report.h"
#include "annex/nad_ec6_ec9.h"
#include "annex/nad_file.h"
#include "annex/nad_legacy.h"
#include "annex/nad_set.h"
#include "cp850_notation.h"
#include "report_sandbox.h"
#include "written_text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const golden_ec9_report =
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1999-1-1 (EC 9)\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 6.1.3(1)     Teilsicherheitsbeiwerte f{ue}r   Querschnitte / Bauteile \n"
    "              {g}_[M0]     = 1.10                Querschnittsversagen                    \n"
    "              {g}_[M1]     = 1.10                Stabilit{ae}tsversagen                     \n"
    "              {g}_[M2]     = 1.25                Bruchversagen infolge Zug               \n"
    " 6.2.1(5)     Beanspruchbark. d. Querschn.\n"
    "              C       = 1.20                Konstante, ANMERKUNG 2                  \n"
    " 8.1.1(2)     Teilsicherheitsbeiwerte f{ue}r   Anschl{ue}sse\n"
    "              {g}_[Mp]     = 1.25                Bolzenverbindungen                      \n"
    "              {g}_[Mw]     = 1.25                Schwei{ss}verbindungen                     \n"
    "              {g}_[Ms,ser] = 1.10                Gleitwiderstand im GZ d. Gebrauchst.    \n"
    "              {g}_[Ms,ult] = 1.25                Gleitwiderstand im GZ d. Tragf.         \n"
    "              {g}_[Ma]     = 3.00                Geklebte Verbindungen                   \n"
    "              {g}_[Mp,ser] = 1.00                Bolzen im GZ d. Gebrauchst.             \n"
    "#END_OF_TEXT\n";

const char* const golden_ec6_table =
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1996-1-1 (EC 6)\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#OLI_MARGINS 1 0 0\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 2.4.3                                      Teilsicherheitsbeiwerte f{ue}r Mauerwerk\n"
    "                                            im Grenzzustand der Tragf{ae}higkeit f{ue}r die\n"
    "              {g}_[M]      = 1.50                - st{ae}ndige und vor{ue}bergehende Bemessungssituation\n"
    "              {g}_[M]      = 1.50                - au{ss}ergew{oe}hnliche Bemessungssituation  \n"
    "              {g}_[M]      = 1.50                - Erdbeben-Bemessungssituation          \n"
    " 2.4.4        {g}_[M]      = 1.00                im Grenzzustand der Gebrauchstauglichkeit\n"
    "#END_OF_TEXT\n";

// What a line shows on the page: in-band sequences take no room.
std::string Visible(const std::string& line)
{
    std::string shown;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\xCE') {
            ++i;
            continue;
        }
        shown += line[i];
    }
    return shown;
}

// Every table line that reaches into the meaning column starts its meaning there: a blank
// before column 44 and text at it (continuation lines, blank up to there, excepted).
void Expect_Meaning_Column(const std::string& report)
{
    bool in_table = false;
    size_t start = 0;
    for (size_t end; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = report.substr(start, end - start);
        if (line == " Kapitel      Wert                          Bedeutung") in_table = true;
        if (line == "#END_OF_TEXT") in_table = false;
        std::string shown = Visible(line);
        if (!in_table || shown.size() <= 44) continue;
        if (shown.find_first_not_of(' ') >= 44) continue;
        EXPECT_EQ(shown[43], ' ') << shown;
        EXPECT_NE(shown[44], ' ') << shown;
    }
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST(PartReports, MasonryAndAluminiumTables)
{
    NAD_EC9_Params ec9;
    NAD_EC9_Defaults(&ec9);
    for (int& rule : nad_ec9_row_visible) rule = 1;
    std::string aluminium = Output([&](FILE* f) { NAD_EC9_Write_Report(f, &ec9); });
    EXPECT_EQ(aluminium, Cp850(golden_ec9_report));

    // Without tensile fracture no gamma_M2; without connections no 8.1.1(2); the constant C
    // stays even without the sections.
    nad_ec9_row_visible[1] = 0;
    nad_ec9_row_visible[2] = 0;
    aluminium = Output([&](FILE* f) { NAD_EC9_Write_Report(f, &ec9); });
    EXPECT_TRUE(Contains(aluminium, " 6.1.3(1) "));
    EXPECT_FALSE(Contains(aluminium, Cp850("{g}_[M2]")));
    EXPECT_FALSE(Contains(aluminium, " 8.1.1(2) "));
    nad_ec9_row_visible[0] = 0;
    nad_ec9_row_visible[2] = 1;
    aluminium = Output([&](FILE* f) { NAD_EC9_Write_Report(f, &ec9); });
    EXPECT_FALSE(Contains(aluminium, " 6.1.3(1) "));
    EXPECT_FALSE(Contains(aluminium, " 8.1.1(2) "));
    EXPECT_TRUE(Contains(aluminium, "              C       = 1.20  "));

    NAD_EC6_Params ec6;
    NAD_EC6_Defaults(&ec6);
    for (int& rule : nad_ec6_row_visible) rule = 1;
    EXPECT_EQ(Output([&](FILE* f) { NAD_EC6_Write_Report(f, &ec6); }), Cp850(golden_ec6_table));
    nad_ec6_row_visible[1] = 0;
    std::string masonry = Output([&](FILE* f) { NAD_EC6_Write_Report(f, &ec6); });
    EXPECT_FALSE(Contains(masonry, "Erdbeben"));
    EXPECT_TRUE(Contains(masonry, " 2.4.4 "));
    nad_ec6_row_visible[0] = 0;
    masonry = Output([&](FILE* f) { NAD_EC6_Write_Report(f, &ec6); });
    EXPECT_FALSE(Contains(masonry, " 2.4."));

    EXPECT_EQ(Output([](FILE* f) { NAD_EC6_Write_Report(f, nullptr); }), "");
    EXPECT_EQ(Output([](FILE* f) { NAD_EC9_Write_Report(f, nullptr); }), "");
    NAD_EC6_Write_Report(nullptr, &ec6);
    NAD_EC9_Write_Report(nullptr, &ec9);
}

TEST(PartReports, SteelTablesByRule)
{
    NAD_EC3_Params ec3;
    NAD_EC3_Defaults(&ec3);
    for (int& rule : nad_ec3_row_visible) rule = 1;
    std::string all = Output([&](FILE* f) { NAD_EC3_Write_Report(f, &ec3, "Deutschland"); });
    for (const char* title : {" EN 1993-1-1 (EC 3, Hochbau), NA Deutschland\n",
                              " EN 1993-1-8 (EC 3, Anschl{ue}sse), NA Deutschland\n",
                              " EN 1993-1-5 (EC 3, Plattenbeulen), NA Deutschland\n",
                              " EN 1993-1-9 (EC 3, Erm{ue}dung), NA Deutschland\n",
                              " EN 1993-6 (EC 3, Kranbahnen), NA Deutschland\n"})
        EXPECT_TRUE(Contains(all, Cp850(title))) << title;
    EXPECT_TRUE(Contains(all, Cp850(" 6.1(1)       st{ae}ndige/vor{ue}berg. Situation  Teilsicherheitsbeiwerte f{ue}r "
                                    "Baustahl\n")));
    EXPECT_TRUE(Contains(all, " 3.1(1)       Anmerkung "));
    EXPECT_TRUE(Contains(all, " 3(7)         Schadensfolgen                Teilsicherheitsbeiwert f\x81r Erm\x81" "dung\n"));
    Expect_Meaning_Column(all);

    // Rules 0 and 4 only: the partial factors of both situations, nothing else.
    for (int& rule : nad_ec3_row_visible) rule = 0;
    nad_ec3_row_visible[0] = nad_ec3_row_visible[4] = 1;
    std::string factors = Output([&](FILE* f) { NAD_EC3_Write_Report(f, &ec3, "Deutschland"); });
    EXPECT_TRUE(Contains(factors, Cp850("              au{ss}ergew{oe}hnliche Situation\n")));
    for (const char* absent : {"\xC0\xCE\\M2", "5.3.2(3)b)", "EN 1993-1-8", "6.3.2.3", "Lochleibung"})
        EXPECT_FALSE(Contains(factors, absent)) << absent;

    // EN 1993-1-8 needs rule 0 besides rule 3.
    for (int& rule : nad_ec3_row_visible) rule = 0;
    nad_ec3_row_visible[3] = 1;
    EXPECT_EQ(Output([&](FILE* f) { NAD_EC3_Write_Report(f, &ec3, "x"); }), "");
}

TEST(PartReports, RowFiltersFollowTheProfile)
{
    {   // No profile: every rule of every part.
        Report_Sandbox sandbox(127);
        NAD_EC3_Set_Row_Filter();
        NAD_EC6_Set_Row_Filter();
        NAD_EC9_Set_Row_Filter();
        for (int rule : nad_ec3_row_visible) EXPECT_EQ(rule, 1);
        for (int rule : nad_ec6_row_visible) EXPECT_EQ(rule, 1);
        for (int rule : nad_ec9_row_visible) EXPECT_EQ(rule, 1);
    }
    {   // A parts mask: EN 1993 by application number, EN 1996 accidental and seismic rows
        // for 100 and 94 only, EN 1999 all.
        Report_Sandbox sandbox(34);
        sandbox.Add_Profile(34, "#NADS 623\n");
        NAD_EC3_Set_Row_Filter();
        NAD_EC6_Set_Row_Filter();
        NAD_EC9_Set_Row_Filter();
        for (int k = 0; k < NAD_EC3_ROW_RULES; ++k) EXPECT_EQ(nad_ec3_row_visible[k], k == 0 || k == 4) << k;
        EXPECT_EQ(nad_ec6_row_visible[0], 1);
        EXPECT_EQ(nad_ec6_row_visible[1], 0);
        for (int rule : nad_ec9_row_visible) EXPECT_EQ(rule, 1);
    }
    {   // Rule strings decide.
        Report_Sandbox sandbox(151);
        sandbox.Add_Profile(151, "#NADS -1\n1 1 1 00000000011 0 1 10 0 0 101\n");
        NAD_EC3_Set_Row_Filter();
        NAD_EC6_Set_Row_Filter();
        NAD_EC9_Set_Row_Filter();
        for (int k = 0; k < NAD_EC3_ROW_RULES; ++k) EXPECT_EQ(nad_ec3_row_visible[k], k >= 9) << k;
        EXPECT_EQ(nad_ec6_row_visible[0], 1);
        EXPECT_EQ(nad_ec6_row_visible[1], 0);
        EXPECT_EQ(nad_ec9_row_visible[0], 1);
        EXPECT_EQ(nad_ec9_row_visible[1], 0);
        EXPECT_EQ(nad_ec9_row_visible[2], 1);
    }
}

TEST(PartReports, PrintersOfTheAnnexInForce)
{
    Report_Sandbox sandbox(127);
    std::string parts = Output(NAD_Print_Part_Reports);

    // The five parts in the order EN 1992, EN 1993, EN 1995, EN 1996, EN 1999, each as its
    // own report prints it.
    std::string expected = Output(NAD_EC2_Report) + Output(NAD_EC3_Report) + Output(NAD_EC5_Report) +
                           Output(NAD_EC6_Report) + Output(NAD_EC9_Report);
    EXPECT_EQ(parts, expected);
    size_t at = 0;
    for (const char* mark : {" EN 1992-1-1 (EC 2, Hochbau), NA Deutschland", " EN 1993-1-1 (EC 3, Hochbau), NA Deutschland",
                             "EN 1995-1-1", " EN 1996-1-1 (EC 6)", " EN 1999-1-1 (EC 9)"}) {
        size_t found = parts.find(mark, at);
        ASSERT_NE(found, std::string::npos) << mark;
        at = found;
    }
    Expect_Meaning_Column(Output(NAD_EC3_Report) + Output(NAD_EC6_Report) + Output(NAD_EC9_Report));

    // The heading of each part names the annex in force.
    EXPECT_EQ(Output(NAD_EC6_Report).rfind("#OLI_FLAGS 0x380\n#OLI_RESERVE 6\n#SHOWTABLE\n1 1 0\n"
                                           " Ausgew\x84hlte Bemessungsparameter des nationalen Anhangs\n"
                                           " Deutschland\n",
                                           0),
              0u);
    EXPECT_EQ(Output(NAD_EC9_Report).rfind("#OLI_FLAGS 0x380\n#OLI_RESERVE 6\n#SHOWTABLE\n0 0 1\n EN 1999-1-1 (EC 9)\n", 0),
              0u);

    // The load factors, through every entry.
    std::string load_factors = Output(NAD_EC0_Report);
    EXPECT_NE(load_factors, "");
    EXPECT_EQ(Output(NAD_Print_Load_Factor_Report), load_factors);
    EXPECT_EQ(Output(NAD_Print_Load_Factors), load_factors);
    EXPECT_EQ(Output(NAD_Print_Load_Factors_Alt), load_factors);

    NAD_Print_Part_Reports(nullptr);
}

TEST(PartReports, ExportTellsSuccessFromFailure)
{
    Report_Sandbox sandbox(127);
    const std::string stem = sandbox.dir().file("export/Pos7");
    std::filesystem::create_directories(sandbox.dir().file("export"));

    // Nothing chosen yet: the export chooses "Deutschland" and writes the whole set.
    ASSERT_EQ(NAD_Export_Active_Set(stem.c_str()), 1);
    EXPECT_STREQ(NAD_Get_Active_Name(), "Deutschland");
    std::string expected = Output([](FILE* f) { NAD_Write_Set(f, &active_nad_set); });
    EXPECT_EQ(Read_File_Bytes(stem + "_EC2.NAD"), expected);
    EXPECT_EQ(expected.rfind("NAD/Version 1\n\n", 0), 0u);

    // A file that cannot be created, or no stem: 0.
    EXPECT_EQ(NAD_Export_Active_Set(sandbox.dir().file("missing/Pos7").c_str()), 0);
    std::filesystem::create_directories(sandbox.dir().file("blocked_EC2.NAD"));
    EXPECT_EQ(NAD_Export_Active_Set(sandbox.dir().file("blocked").c_str()), 0);
    EXPECT_EQ(NAD_Export_Active_Set(nullptr), 0);
}

TEST(PartReports, FurtherEntryPoints)
{
    Report_Sandbox sandbox(127);
    EXPECT_EQ(NAD_Legacy_Hook(), 0);

    std::string saved = Output([](FILE* f) { NAD_Save_Choice_Alt(f, 0); });
    EXPECT_EQ(saved, "\n\nACTIV_NADNAME\n\xAE" "Deutschland\xAF\n");
    EXPECT_EQ(saved, Output(NAD_Write_Active_Name));

    NAD_Select_By_Name("EC-Standardparameter");
    NAD_Open_Selection_Sheet_Alt();  // headless: the chosen annex stays in force
    EXPECT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");

    File_Stream position("Position 1\nohne Anhang\n");
    EXPECT_EQ(NAD_Read_Legacy_Choice_Alt(position.get()), NAD_Read_Legacy_Choice(position.get()));
    EXPECT_EQ(NAD_Read_Legacy_Choice_Alt(position.get()), 0);
    NAD_Legacy_Free_List();
}
