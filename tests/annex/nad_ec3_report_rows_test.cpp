#include "annex/nad_ec3.h"
#include "annex/nad_report.h"
#include "report_sandbox.h"
#include "written_text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The German annex's values with kc and f given, every rule on: all five tables.
const char* const golden_all_tables =
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1993-1-1 (EC 3, Hochbau), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 5.3.2(3)b)   e\316\\0\316r/L   elastisch  plastisch   eingepr\204gte Vorkr\201mmung von Bauteilen\n"
    "              a0     1/600      1/600\n"
    "              a      1/550      1/550\n"
    "              b      1/350      1/350\n"
    "              c      1/250      1/250\n"
    "              d      1/150      1/150\n"
    " 6.1(1)       st\204ndige/vor\201berg. Situation  Teilsicherheitsbeiwerte f\201r Baustahl\n"
    "                                            bzw. Beanspruchbarkeit von Schrauben,\n"
    "                                            Schwei\341naht, Blech auf Lochleibung\n"
    "              \300\316\\M0\316r     = 1.00                Querschnittsversagen                    \n"
    "              \300\316\\M1\316r     = 1.10                Stabilit\204tsversagen                     \n"
    "              \300\316\\M2\316r     = 1.25                Bruchversagen infolge Zug               \n"
    "              au\341ergew\224hnliche Situation\n"
    "              \300\316\\M0\316r     = 1.00                Querschnittsversagen                    \n"
    "              \300\316\\M1\316r     = 1.00                Stabilit\204tsversagen                     \n"
    "              \300\316\\M2\316r     = 1.15                Bruchversagen infolge Zug               \n"
    " 6.3.2.2(2)   Faktor f nicht ansetzen       Allgemeiner Fall: Faktor f zur Modifizierung\n"
    " 6.3.2.3(1)   \305\316\\LT,0\316r   = 0.400               Schlankheitsgrad Gl. (6.57)             \n"
    "              \273       = 0.75                Korrekturfaktor Gl. (6.57)              \n"
    " 6.3.2.3(2)   k\316\\c\316r      = 1.000               Korrekturbeiwert                        \n"
    "              f       = 1.00                Faktor f zur Modifizierung              \n"
    " 2.3(1)       \300\316\\M,fi\316r   = 1.00                Brandfall: Teilsicherheitsbeiwert f\201r   \n"
    "                                                       mechanisches Versagen\n"
    "#END_OF_TEXT\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1993-1-8 (EC 3, Anschl\201sse), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 2.2(2)                                     Teilsicherheitsbeiwerte f\201r Anschl\201sse\n"
    "              \300\316\\M2\316r     = 1.25                Schrauben, Bolzen, Schwei\341n\204hte, Bleche \n"
    "              \300\316\\M3\316r     = 1.00                Gleitfestigkeit (Kat.C, GZT)            \n"
    "              \300\316\\M3,ser\316r = 1.00                Gleitfestigkeit (Kat.B, GZG)            \n"
    "              \300\316\\M4\316r     = 1.00                Hohlprofile in Fachwerken               \n"
    "              \300\316\\M5\316r     = 1.10                Bolzen (GZG)                            \n"
    "              \300\316\\M7\316r     = 1.10                Vorspannung hochfester Schrauben        \n"
    "#END_OF_TEXT\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1993-1-5 (EC 3, Plattenbeulen), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 3.1(1)       Anmerkung 3                   zur Ber\201cksichtigung der Schubverzerrungen\n"
    " 5.1(2)       \301       = 1.20                Beiwert zur Berechnung des Schubbeulens \n"
    "#END_OF_TEXT\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1993-1-9 (EC 3, Erm\201dung), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 3(7)         Schadensfolgen                Teilsicherheitsbeiwert f\201r Erm\201dung\n"
    "              niedrig   hoch\n"
    "              1.00      1.15                Schadenstoleranz\n"
    "              1.15      1.35                Versagen ohne Vorank\201ndigung\n"
    "#END_OF_TEXT\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1993-6 (EC 3, Kranbahnen), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 7.5(1)       \300\316\\M,ser\316r  = 1.00                Teilsicherheitsbeiwert (GZG)            \n"
    "#END_OF_TEXT\n";

// Application 34 (a parts mask only): the heading and the 6.1(1) factors of both situations.
const char* const golden_application_34 =
    "#OLI_FLAGS 0x380\n"
    "#OLI_MARGINS 1 0 0\n"
    "#OLI_RESERVE 6\n"
    "#SHOWTABLE\n"
    "1 1 0\n"
    " Ausgew\204hlte Bemessungsparameter des nationalen Anhangs\n"
    " Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1993-1-1 (EC 3, Hochbau), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 6.1(1)       st\204ndige/vor\201berg. Situation  Teilsicherheitsbeiwerte f\201r Baustahl\n"
    "              \300\316\\M0\316r     = 1.00                Querschnittsversagen                    \n"
    "              \300\316\\M1\316r     = 1.10                Stabilit\204tsversagen                     \n"
    "              au\341ergew\224hnliche Situation\n"
    "              \300\316\\M0\316r     = 1.00                Querschnittsversagen                    \n"
    "              \300\316\\M1\316r     = 1.00                Stabilit\204tsversagen                     \n"
    "#END_OF_TEXT\n";

NAD_EC3_Params Given_Values()
{
    NAD_EC3_Params ec3;
    NAD_EC3_Defaults_NA_DE(&ec3);
    ec3.ec3_1.kc_flag = 1;
    ec3.ec3_1.f_flag = 0;
    ec3.ec3_1.f_modification_flag = 0;
    return ec3;
}

} // namespace

TEST(SteelReportRows, TheFiveTablesMakeTheWholeReport)
{
    const NAD_EC3_Params ec3 = Given_Values();
    for (int& rule : nad_ec3_row_visible) rule = 1;
    const std::string tables[5] = {
        Output([&](FILE* f) { NAD_EC3_1_Report_Rows(f, ec3.ec3_1, "Deutschland"); }),
        Output([&](FILE* f) { NAD_EC3_8_Report_Rows(f, ec3.ec3_8, "Deutschland"); }),
        Output([&](FILE* f) { NAD_EC3_1_5_Report_Rows(f, ec3.ec3_8, "Deutschland"); }),
        Output([&](FILE* f) { NAD_EC3_1_9_Report_Rows(f, ec3.ec3_8, "Deutschland"); }),
        Output([&](FILE* f) { NAD_EC3_6_Report_Rows(f, ec3.ec3_8, "Deutschland"); }),
    };
    const char* const titles[5] = {" EN 1993-1-1 ", " EN 1993-1-8 ", " EN 1993-1-5 ", " EN 1993-1-9 ", " EN 1993-6 "};
    std::string joined;
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(tables[k].rfind(std::string("#SHOWTABLE\n0 0 1\n") + titles[k], 0), 0u) << k;
        EXPECT_EQ(tables[k].find("#SHOWTABLE\n0 0 1\n", 1), std::string::npos) << k;
        joined += tables[k];
    }
    EXPECT_EQ(joined, golden_all_tables);
    EXPECT_EQ(Output([&](FILE* f) { NAD_EC3_Write_Report(f, &ec3, "Deutschland"); }), golden_all_tables);
}

TEST(SteelReportRows, ApplicationThirtyFourSeesTheFactorsOfBothSituationsOnly)
{
    Report_Sandbox sandbox(34);
    sandbox.Add_Profile(34, "#NADS 623\n");
    EXPECT_EQ(Output(NAD_EC3_Report), golden_application_34);

    // Each table of the annex in force fills the rules itself.
    for (int& rule : nad_ec3_row_visible) rule = 1;
    const std::string first = Output([](FILE* f) { NAD_EC3_1_Report_Rows(f); });
    EXPECT_NE(first.find(" 6.1(1) "), std::string::npos);
    EXPECT_EQ(first.find("5.3.2(3)b)"), std::string::npos);
    EXPECT_EQ(std::string(golden_application_34).find(first), std::string(golden_application_34).size() - first.size());
    for (int& rule : nad_ec3_row_visible) rule = 1;
    for (void (*table)(FILE*) : {static_cast<void (*)(FILE*)>(NAD_EC3_8_Report_Rows),
                                 static_cast<void (*)(FILE*)>(NAD_EC3_1_5_Report_Rows),
                                 static_cast<void (*)(FILE*)>(NAD_EC3_1_9_Report_Rows),
                                 static_cast<void (*)(FILE*)>(NAD_EC3_6_Report_Rows)})
        EXPECT_EQ(Output(table), "");
    NAD_EC3_1_Report_Rows(nullptr);
}
