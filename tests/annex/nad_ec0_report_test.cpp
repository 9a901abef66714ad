#include "annex/nad_ec0_report.h"

#include "annex/nad_ec0.h"
#include "nad_part_report_support.h"
#include "report/report_layout.h"
#include "test_support.h"
#include "written_text.h"

#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

NAD_EC0_Params Defaults() {
    NAD_EC0_Params p;
    NAD_EC0_Defaults(&p);
    return p;
}

std::string Report(const NAD_EC0_Params& p) {
    return Output([&](FILE* f) { NAD_EC0_Write_Report(f, &p, "Deutschland"); });
}

std::string Row(const char* format, const char* label, double a, double b, double c = 0) {
    char line[200];
    std::snprintf(line, sizeof line, format, label, a, b, c);
    return line;
}

// Every value row of the table has the same visible length (markup takes no room).
void Expect_Aligned_Rows(const std::string& table, int visible_length) {
    int rows = 0;
    for (size_t pos = 0, end; (end = table.find('\n', pos)) != std::string::npos; pos = end + 1) {
        const std::string line = table.substr(pos, end - pos);
        if (line.size() > 2 && line[0] == ' ' && !std::isdigit(static_cast<unsigned char>(line[1])) &&
            std::isdigit(static_cast<unsigned char>(line.back()))) {
            EXPECT_EQ(MT_String_Length(line.c_str()), visible_length) << line;
            ++rows;
        }
    }
    EXPECT_GT(rows, 0);
}

TEST(EC0Report, BlocksTablesAndRows) {
    Profile_Sandbox sandbox;  // no profile: both blocks
    NAD_EC0_Params p = Defaults();
    p.rail_psi[0][1] = 0.55;  // whatever the record holds, LM 71 prints the letter a
    p.rail_alpha[1] = 0.75;
    const std::string r = Report(p);
    EXPECT_NE(r.find("#SHOWTABLE\n1 1 0\n Lastfaktoren (Hochbau) des nationalen Anhangs\n"
                     " Deutschland\n0 0 -1 -1\n#END_OF_TEXT\n"),
              std::string::npos);
    EXPECT_NE(r.find(" Lastfaktoren (Br\x81" "ckenbau) des nationalen Anhangs\n"), std::string::npos);
    EXPECT_EQ(r.find("Nationale Anh\x84nge"), std::string::npos);  // only with a profile
    EXPECT_EQ(Count_Of(r, "#SHOWTABLE\n"), 7 + 9);
    EXPECT_EQ(Count_Of(r, "#END_OF_TEXT\n"), 7 + 9);
    EXPECT_EQ(r.find('\xC3'), std::string::npos);  // no UTF-8 umlaut
    EXPECT_NE(r.find("#OLI_RESTORE_Y 4\n#OLI_MARGINS 65537 9.5 0\n"), std::string::npos);

    // The seismic table never shows the accidental action, and the other way round.
    const char* pair = " %-33s %5.2f %5.2f\n";
    const std::string accidental = Table_Holding(r, "der au\xE1" "ergew\x94hnlichen Bemessungs");
    const std::string seismic = Table_Holding(r, "der Erdbebenbemessungssituation");
    EXPECT_NE(accidental.find(Row(pair, "au\xE1" "ergew\x94hnliche Einwirkungen", 1, 1)), std::string::npos);
    EXPECT_EQ(accidental.find(" Erdbeben "), std::string::npos);
    EXPECT_NE(seismic.find(Row(pair, "Erdbeben", 1, 1)), std::string::npos);
    EXPECT_EQ(seismic.find("ergew\x94hnliche Einwirkungen"), std::string::npos);
    // Bridge tables: actions 1 to 11 and 13, never 12 (heading, positions, head, rows).
    const std::string bridge = Table_Holding(r, "Schienenverkehr Lastgr. 16");
    EXPECT_EQ(bridge.find("Bauausf"), std::string::npos);
    EXPECT_EQ(Count_Of(bridge, "\n "), 2 + 1 + 1 + 12);

    const std::string rail = Table_Holding(r, "Kombinationsbeiwerte Eisenbahnbr");
    const char* marked = " %-34s %5.2f   a   %5.2f\n";
    EXPECT_NE(rail.find(Row(marked, "LM 71", 0.8, 0)), std::string::npos);
    EXPECT_NE(rail.find(Row(marked, "Horizontaler Erddruck infolge", 0.8, 0) +
                        " \x9A" "berschreitung der Verkehrslasten \n"),
              std::string::npos);
    EXPECT_EQ(rail.find("0.55"), std::string::npos);
    Expect_Aligned_Rows(rail, 1 + 34 + 18);
    Expect_Aligned_Rows(Table_Holding(r, "Kombinationsbeiwerte Fu\xE1g"), 1 + 33 + 18);
    EXPECT_EQ(Table_Holding(r, "wenn nur 1 Gleis"),
              "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n"
              " \xCEHa \xCEr 0.80 wenn nur 1 Gleis belastet wird\n"
              "    0.75 wenn 2 Gleise gleichzeitg belastet werden\n"
              "    0.60 wenn 3 oder mehrere Gleise gleichzeitig\n"
              "    belastet werden\n#END_OF_TEXT\n");
}

TEST(EC0Report, ProfileRulesChooseTheBlocks) {
    Profile_Sandbox sandbox;
    sandbox.Use_Profile(127, "-1\n10 1 1 1 1 1 1 1 1 1");
    std::string r = Report(Defaults());
    EXPECT_NE(r.find("Lastfaktoren (Hochbau)"), std::string::npos);
    EXPECT_EQ(r.find("ckenbau)"), std::string::npos);

    sandbox.Use_Profile(127, "-1\n01 1 1 1 1 1 1 1 1 1");
    r = Report(Defaults());
    EXPECT_EQ(r.find("Lastfaktoren (Hochbau)"), std::string::npos);
    EXPECT_NE(r.find("#SHOWTABLE\n1 0 0\n Nationale Anh\x84nge zu den Eurocodes\n0 0 -1 -1\n"
                     "#END_OF_TEXT\n#SHOWTABLE\n1 1 0\n Lastfaktoren (Br\x81" "ckenbau)"),
              std::string::npos);

    File_Stream out;
    NAD_EC0_Write_Report(out.get(), nullptr, "x");
    NAD_EC0_Report(nullptr);
    EXPECT_EQ(out.bytes(), "");
}

}  // namespace
