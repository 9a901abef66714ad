#include "annex/nad_ec5_report.h"

#include "annex/nad_ec5.h"
#include "nad_part_report_support.h"
#include "report/report_layout.h"
#include "test_support.h"
#include "written_text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

NAD_EC5_Params Part(int na_de_flag) {
    NAD_EC5_Params p;
    NAD_EC5_Defaults(&p);
    p.na_de_flag = na_de_flag;
    return p;
}

std::string Report(const NAD_EC5_Params& p) {
    return Output([&](FILE* f) { NAD_EC5_Write_Report(f, &p, "Deutschland"); });
}

void All_Rows_On() {
    for (int& f : nad_ec5_row_flags) f = 1;
}

std::vector<int> Flags() { return {std::begin(nad_ec5_row_flags), std::end(nad_ec5_row_flags)}; }

TEST(EC5Report, GermanRowsOnlyUnderTheGermanAnnex) {
    All_Rows_On();
    const std::string ec = Report(Part(0));
    const std::string de = Report(Part(1));
    for (const char* german : {"Stahl in Verbindungen", "Gipskarton, etc.", "(NA.20)", "(NA.21)",
                               "(NA.8.1.6)", "(NA.7)", " 8.3.1.2 ", " 3.1.3 "}) {
        EXPECT_EQ(ec.find(german), std::string::npos) << german;
        EXPECT_NE(de.find(german), std::string::npos) << german;
    }
    EXPECT_EQ(Count_Of(ec, "#SHOWTABLE\n"), Count_Of(ec, "#END_OF_TEXT\n"));
    EXPECT_EQ(de.find('\xC3'), std::string::npos);

    // Without the German annex a crack-factor table with the Eurocode values always
    // follows the clause table; under it only when the crack-factor rows are hidden.
    EXPECT_EQ(Count_Of(ec, " Rissfaktor\n"), 2);
    EXPECT_EQ(Count_Of(de, " Rissfaktor\n"), 1);
    nad_ec5_row_flags[5] = 0;
    NAD_EC5_Params german = Part(1);
    german.crack_factor_method = 1;
    const std::string crack = Table_Holding(Report(german), " Rissfaktor\n");
    EXPECT_NE(crack.find("2.5/f\xCE\\v,k\xCEr f\x81r Brettschichtholz"), std::string::npos);
    All_Rows_On();
}

TEST(EC5Report, ClauseTableMeaningColumnIsAlignedByVisibleWidth) {
    All_Rows_On();
    NAD_EC5_Params p = Part(1);
    p.threaded_rods = 1;
    p.wall_diaphragm_reduction = 1;
    const std::string table = Table_Holding(Report(p), " Kapitel      Wert");
    // Meaning texts and the visible column they must start in.
    for (const char* meaning : {"Bedeutung", "Zuordnung von", "Teilsicherheitsbeiwerte", "Vollholz",
                                "Gipskarton", "Einschlagtiefen", "Gewindestangen zulassen",
                                "f\xCE\\" "ax", "bei hor. Sto\xE1"}) {
        const size_t at = table.find(meaning);
        ASSERT_NE(at, std::string::npos) << meaning;
        const size_t line_start = table.rfind('\n', at) + 1;
        EXPECT_EQ(MT_String_Length(table.substr(line_start, at - line_start).c_str()), 44) << meaning;
    }
    EXPECT_NE(table.find(" 8.5.3 (2)    Gewindestangen nach NAD       Gewindestangen zulassen\n"),
              std::string::npos);
    EXPECT_NE(table.find(" 9.2.4.2      Abminderung der Tragf.        bei hor. Sto\xE1 und kurzen "
                         "Tafeln (NA.20)  \n"),
              std::string::npos);
    EXPECT_NE(table.find(" 9.2.4.2      Keine Erh\x94hung der char. Tragf. (NA.21)  \n"),
              std::string::npos);
}

TEST(EC5Report, TablesFollowTheRowFlags) {
    All_Rows_On();
    for (int& f : nad_ec5_row_flags) f = 0;
    nad_ec5_row_flags[7] = 1;  // clause table only
    std::string r = Report(Part(0));
    EXPECT_NE(r.find(" Ausgew\x84hlte Nachweisparameter"), std::string::npos);
    EXPECT_EQ(r.find("Materialsicherheitsbeiwerte"), std::string::npos);
    EXPECT_EQ(r.find("#OLI_STORE_Y"), std::string::npos);
    EXPECT_NE(r.find(" Kapitel "), std::string::npos);

    for (int& f : nad_ec5_row_flags) f = 0;
    nad_ec5_row_flags[8] = 1;  // torsion only: no heading either
    r = Report(Part(0));
    EXPECT_EQ(r.find("Ausgew"), std::string::npos);
    EXPECT_NE(r.find(" k\xCE\\shape\xCEr = 1 + 0.15 h/b, h\x94" "chstens 2.00\n"), std::string::npos);

    // The application block puts the material factors beside the next tables.
    All_Rows_On();
    r = Report(Part(0));
    EXPECT_NE(r.find("#END_OF_TEXT\n#OLI_RESTORE_Y 4\n#OLI_MARGINS 65537 11 0\n#SHOWTABLE\n0 1 0\n"
                     " Modifikationsbeiwerte\n"),
              std::string::npos);
    EXPECT_NE(r.find(" w\xCE\\net,fin\xCEr     l/300     l/150\n"), std::string::npos);
}

TEST(EC5Report, RowFilterFollowsTheApplication) {
    Profile_Sandbox sandbox;
    NAD_EC5_Set_Row_Filter();  // no profile: everything
    EXPECT_EQ(Flags(), std::vector<int>(9, 1));

    // Profiles without rule strings: the application number decides.
    sandbox.Use_Profile(242, "32");
    NAD_EC5_Set_Row_Filter();
    EXPECT_EQ(Flags(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 0, 1}));
    sandbox.Use_Profile(220, "32");
    NAD_EC5_Set_Row_Filter();
    EXPECT_EQ(Flags(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 0, 0}));
    sandbox.Use_Profile(74, "32");
    NAD_EC5_Set_Row_Filter();
    EXPECT_EQ(Flags(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1, 0}));

    // Rule strings: part 5's string, one character per flag.
    sandbox.Use_Profile(242, "-1\n1 1 1 1 1 010000001 1 1 1 1");
    NAD_EC5_Set_Row_Filter();
    EXPECT_EQ(Flags(), (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 1}));
    All_Rows_On();

    File_Stream out;
    NAD_EC5_Write_Report(out.get(), nullptr, "x");
    NAD_EC5_Report(nullptr);
    EXPECT_EQ(out.bytes(), "");
}

}  // namespace
