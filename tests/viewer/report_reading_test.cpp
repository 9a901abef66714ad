// Reading the report format: in-band sequences, report-font bytes, and the block grammar
// as the writers produce it and as a tolerant reader must take it.
#include "viewer/report_document.h"
#include "viewer/report_text.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

template <typename T>
std::vector<T> All(const Report_Document& doc)
{
    std::vector<T> out;
    for (const Report_Item& item : doc.items)
        if (const T* t = std::get_if<T>(&item)) out.push_back(*t);
    return out;
}

TEST(ReportText, StylesRunUntilResetAndEndWithTheLine)
{
    int unknown = 0;
    const auto pieces = Split_Report_Text("f\xCE\\ck\xCEr = 30 N/mm\xCE/2\xCEr \xCEH\xCE" "bfett\xCEu unter", &unknown);
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces[0].bytes, "f");
    EXPECT_EQ(pieces[1].bytes, "ck");
    EXPECT_EQ(pieces[1].style.shift, -1);
    EXPECT_EQ(pieces[2].bytes, " = 30 N/mm");
    EXPECT_EQ(pieces[2].style.shift, 0);
    EXPECT_EQ(pieces[3].style.shift, 1);
    EXPECT_EQ(pieces[4].style, Run_Style{});
    EXPECT_TRUE(pieces[5].style.bold);
    EXPECT_FALSE(pieces[5].style.underline);
    EXPECT_TRUE(pieces[6].style.bold && pieces[6].style.underline);
    EXPECT_EQ(unknown, 0);
    // A new line starts plain.
    EXPECT_FALSE(Split_Report_Text("x")[0].style.bold);
}

TEST(ReportText, ColourGroupsOutliveResetAndSwitchBack)
{
    const auto pieces = Split_Report_Text("\xCE{C 1 230 0 0}\xCEHnicht ok !!\xCEr rot\xCE{C 768} schwarz");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_TRUE(pieces[0].style.coloured && pieces[0].style.bold);
    EXPECT_NEAR(pieces[0].style.colour.r, 230.0 / 255.0, 1e-12);
    EXPECT_TRUE(pieces[1].style.coloured);
    EXPECT_FALSE(pieces[1].style.bold);
    EXPECT_FALSE(pieces[2].style.coloured);
    EXPECT_EQ(pieces[2].bytes, " schwarz");
}

TEST(ReportText, TabsMarksCellDrawingsAndWhatIsNotKnown)
{
    int unknown = 0;
    const auto pieces = Split_Report_Text(
        "\xCE@1.2.\xCEtA\xCE" "B B \xCE{\xCEL 0 -1 -1 1.000000 1.000000 }\xCE{\xCER 3 -1 -1 -1 -1}\xCEq\xCE{X 1}z\xCE",
        &unknown);
    std::vector<Piece_Kind> kinds;
    for (const auto& p : pieces) kinds.push_back(p.kind);
    EXPECT_EQ(kinds, (std::vector<Piece_Kind>{Piece_Kind::Text, Piece_Kind::Tab, Piece_Kind::Text, Piece_Kind::Gap,
                                              Piece_Kind::Text, Piece_Kind::Line, Piece_Kind::Box, Piece_Kind::Text}));
    EXPECT_EQ(pieces[0].bytes, "1.2.");  // the number mark is invisible
    EXPECT_EQ(pieces[5].values[1], -1.0);
    EXPECT_EQ(pieces[5].values[4], 1.0);
    EXPECT_EQ(pieces[6].values[0], 3.0);
    EXPECT_EQ(pieces[7].bytes, "z");
    EXPECT_EQ(unknown, 3);  // "q", the group "X 1" and the lone control byte at the end
    // A group without its brace runs to the end of the line.
    EXPECT_EQ(Report_Plain_Text("a\xCE{C 1 0 0 255 b"), "a");
}

// Every byte above 0x7F that a report writer puts into a text, with the character the
// report font prints for it; the example reports hold no other.
TEST(ReportText, TheGlyphTableCoversEveryByteTheWritersEmit)
{
    const std::vector<std::pair<unsigned char, std::string>> table = {
        {0x81, "ü"}, {0x84, "ä"}, {0x8E, "Ä"}, {0x94, "ö"}, {0x99, "Ö"}, {0x9A, "Ü"}, {0xE1, "ß"},
        {0xF8, "°"}, {0xFD, "²"}, {0xFA, "³"}, {0x88, "⇒"}, {0x89, "‰"}, {0x8C, "⌀"}, {0xA3, "Δ"},
        {0xB0, "θ"}, {0xB2, "Σ"}, {0xB8, "ψ"}, {0xBA, "α"}, {0xBB, "β"}, {0xBE, "ε"}, {0xC0, "γ"},
        {0xC1, "η"}, {0xC5, "λ"}, {0xC6, "μ"}, {0xC7, "ν"}, {0xCB, "ρ"}, {0xCC, "σ"}, {0xD6, "τ"},
        {0xDA, "φ"}, {0xE0, "α"}, {0xEC, "∞"}, {0xF2, "≥"}, {0xF3, "≤"}, {0xF7, "≈"},
    };
    std::string known;
    for (const auto& [byte, glyph] : table) {
        EXPECT_EQ(Report_Bytes_To_Utf8(std::string(1, static_cast<char>(byte))), glyph) << std::hex << int(byte);
        known += static_cast<char>(byte);
    }
    // The raised multiplication dot is the middle dot, also in the text of the line.
    EXPECT_EQ(Report_Plain_Text("0.5\xCE/.\xCErh\xCE\\k\xCEr und A\xCE\\s\xCEr\xCEt= 12 cm\xCE/2\xCEr"),
              "0.5·hk und As = 12 cm2");
    // The example reports at every detail level: text bytes besides the control byte and
    // the record quotes are all in the table.
    for (const char* level : {"minimal", "standard", "ausfuehrlich", "tabellarisch"})
        for (int n = 1; n <= 5; ++n) {
            const std::string name = std::string(CORBEL_SOURCE_DIR "/tests/core/golden/B1_0") + std::to_string(n) + "_" +
                                     level + ".OLI";
            for (unsigned char c : Read_File_Bytes(name)) {
                const bool text_byte = c >= 0x80 && c != 0xCE && c != 0xAE && c != 0xAF;
                EXPECT_TRUE(!text_byte || known.find(static_cast<char>(c)) != std::string::npos)
                    << name << " " << std::hex << int(c);
            }
        }
}

TEST(ReportReading, ParagraphRecordWithEveryPartAndItsChanges)
{
    const std::string report =
        "\n#SHOWPARA\n"
        "0xe79\n"  // every part (0x10 0x20 0x40 0x200 0x400 0x800), the passed bit 0x08, and 0x01
        "3\n"
        "2 0.3\n"
        "2 1.5 2 0.5\n"
        "0x0 2\n2 3.5\n1 7\n"
        "1.25\n"
        "2 0.2\n"
        "4 5\n"
        "-1\n"
        " erste Zeile\n"
        " -1\n"
        "\n"
        "#OLI_YPOS 1 -0.19\n"
        "#END_OF_TEXT\n0x1004\n2 0.6\n0x40\n4\n0x2\n2 1.25\n-1\n"
        " nach dem Wechsel\n"
        "#END_OF_TEXT\n0x1000\n2 0.3\n-1\n";
    // 0xe79 has bit 0x01 set: a part the writers never write; the record is skipped.
    Report_Document bad = Read_Report(report);
    EXPECT_EQ(bad.counts.malformed_lines, 1);

    std::string good = report;
    good.replace(good.find("0xe79"), 5, "0xe78");
    const Report_Document doc = Read_Report(good);
    EXPECT_EQ(doc.counts.malformed_lines, 0);
    const auto paras = All<Para_Begin>(doc);
    ASSERT_EQ(paras.size(), 2u);
    const Para_Attributes& a = paras[0].attributes;
    EXPECT_EQ(a.style, 3);
    EXPECT_DOUBLE_EQ(a.space_before, 0.3);
    EXPECT_DOUBLE_EQ(a.first_indent, 1.5);
    EXPECT_DOUBLE_EQ(a.second_indent, 0.5);
    EXPECT_EQ(a.tabs, (std::vector<double>{3.5, 7.0}));
    EXPECT_DOUBLE_EQ(a.line_factor, 1.25);
    EXPECT_DOUBLE_EQ(a.space_after, 0.2);
    EXPECT_TRUE(paras[1].attributes.tab_grid);
    EXPECT_EQ(paras[1].attributes.tabs, (std::vector<double>{1.25}));

    // " -1" is a text line, an empty line an empty text line, the layout line stays in place.
    std::vector<std::string> lines;
    for (const Text_Line& t : All<Text_Line>(doc)) lines.push_back(t.bytes);
    EXPECT_EQ(lines, (std::vector<std::string>{"erste Zeile", "-1", "", "nach dem Wechsel"}));
    const auto spaces = All<Para_Space>(doc);
    ASSERT_EQ(spaces.size(), 2u);
    EXPECT_DOUBLE_EQ(spaces[0].cm, 0.6);
    EXPECT_DOUBLE_EQ(spaces[1].cm, 0.3);
    EXPECT_EQ(All<Layout_Command>(doc).size(), 1u);
    EXPECT_EQ(All<Para_End>(doc).size(), 1u);
}

TEST(ReportReading, CrLfLinesReadAsLf)
{
    const std::string lf = "#CONTENTS\n POS. 1: Konsole\n\n#SHOWPARA\n0x0\n4\n-1\n Text\n#END_OF_TEXT\n0x0\n-1\n";
    const Report_Document a = Read_Report(lf), b = Read_Report(To_CRLF(lf));
    ASSERT_EQ(All<Text_Line>(b).size(), 1u);
    EXPECT_EQ(All<Text_Line>(b)[0].bytes, "Text");
    EXPECT_EQ(All<Contents_Entry>(b)[0].text, "POS. 1: Konsole");
    EXPECT_EQ(a.items.size(), b.items.size());
}

TEST(ReportReading, TableFormsAsTheWritersWriteThem)
{
    const std::string report =
        // page head: no widths, no heads
        "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n \xCESQ7 Version 1\n#END_OF_TEXT\n"
        // comment in the compatibility form: no body and no end line
        "#SHOWTABLE\n 0 0 1\n Bemerkung\n 0 0 0 0\n"
        // load table: two head lines, widths
        "#SHOWTABLE\n0 0 0\n1 1 -1 -1 3\n4.4 4.6 22.5\n Lk  A\n     kN\n 1   100.0\n#END_OF_TEXT\n"
        // counted lines of all kinds; a body that lacks its end line
        "#SHOWTABLE\n 1 1 1\n Titel\n Literatur:\n Hinweis\n 0 0 -1 -1 0\n a\n b\n#SHOWPARA\n0x0\n4\n-1\n x\n"
        "#END_OF_TEXT\n0x0\n-1\n";
    const Report_Document doc = Read_Report(report);
    const auto tables = All<Table_Block>(doc);
    ASSERT_EQ(tables.size(), 4u);
    EXPECT_EQ(tables[0].body, (std::vector<std::string>{"\xCESQ7 Version 1"}));
    EXPECT_EQ(tables[0].head_lines, 0);
    EXPECT_TRUE(tables[1].compat);
    EXPECT_EQ(tables[1].comments, (std::vector<std::string>{"Bemerkung"}));
    EXPECT_TRUE(tables[1].body.empty());
    EXPECT_EQ(tables[2].widths, (std::vector<double>{4.4, 4.6, 22.5}));
    EXPECT_EQ(tables[2].head_lines, 2);
    EXPECT_EQ(tables[2].body.size(), 3u);
    EXPECT_EQ(tables[3].titles[0], "Titel");
    EXPECT_EQ(tables[3].captions[0], "Literatur:");
    EXPECT_EQ(tables[3].body, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(All<Text_Line>(doc).size(), 1u);  // the paragraph after it is read whole
    EXPECT_EQ(doc.counts.malformed_lines + doc.counts.unknown_keywords, 0);
}

TEST(ReportReading, GraphicHeadsRecordsAndEnds)
{
    const std::string report =
        "#SHOWGRAFIC\n 1 0 1\n Oben 1\n Oben 3\n 0 1 0\n Unten\n-1\n-1.000000 7.600000 9.300000 -0.400000\n"
        " 13 0.210000\n"
        " 9 -0.600000 0.000000 -0.600000 0.000000 225 \xAEMa\xE1stab \xAE" "1:10\xAF\xAF\n"
        "27 0 2.5 %FONT%\\schnittgroessen.ocm\n"
        " 3 1 2 \xAE \xAF\n"
        "75 4096 1 2 \xAE" "png\xAF\n{\n89504e47\n}\n"
        "x 1 2 3\n"
        " -1\n"
        // the writer of picture heads: flags with a second window, kind 3 with its value
        "\n\n#SHOWGRAFIC\n0 0 0\n0 0 0\n-999 65536 3\n0 1 0 1\n0 10 0 5\n50\n 1 0 0 10 5\n-1\n"
        // a graphic cut short by the next block
        "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 17 0 1\n 2 0 0.2 \xAETitel\xAF\n#NEWPAGE\n";
    const Report_Document doc = Read_Report(report);
    const auto graphics = All<Graphic_Block>(doc);
    ASSERT_EQ(graphics.size(), 3u);
    const Graphic_Block& g = graphics[0];
    EXPECT_EQ(g.captions[0], "Oben 1");
    EXPECT_EQ(g.captions[1], "");
    EXPECT_EQ(g.captions[2], "Oben 3");
    EXPECT_EQ(g.captions[4], "Unten");
    EXPECT_DOUBLE_EQ(g.window[2], 9.3);
    ASSERT_EQ(g.records.size(), 5u);  // the image's bytes are skipped, "x 1 2 3" is no record
    EXPECT_EQ(g.records[1].code, 9);
    EXPECT_EQ(g.records[1].numbers.size(), 5u);
    EXPECT_EQ(g.records[1].text, "Ma\xE1stab \xAE" "1:10\xAF");  // first 0xAE to last 0xAF
    EXPECT_EQ(g.records[2].code, 27);
    EXPECT_EQ(g.records[2].text, "%FONT%\\schnittgroessen.ocm");
    EXPECT_EQ(g.records[3].text, " ");
    EXPECT_EQ(doc.counts.malformed_lines, 1);

    EXPECT_EQ(graphics[1].kind, 3);
    EXPECT_DOUBLE_EQ(graphics[1].window[1], 10.0);
    EXPECT_EQ(graphics[1].records.size(), 1u);
    EXPECT_EQ(graphics[2].records.size(), 1u);
    EXPECT_EQ(All<New_Page>(doc).size(), 1u);
}

TEST(ReportReading, StrayLinesUnknownKeywordsAndPlotsAreCounted)
{
    const Report_Document doc = Read_Report(
        "lose Zeile\n#FOO 1\n#END_OF_TEXT\n#SHOWXYPLOT\n1 2 3\n4 5\n#OLI_BOOKMARK 16 \xAE\xCE@1. Bemessung\xAF\n"
        "#OLI_FLAGS 0x380\n#OLI_BOOKMARK 17\n");
    EXPECT_EQ(doc.counts.stray_lines, 1);
    EXPECT_EQ(doc.counts.unknown_keywords, 2);
    EXPECT_EQ(All<Left_Out>(doc).size(), 1u);
    const auto commands = All<Layout_Command>(doc);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].numbers, (std::vector<double>{16}));
    EXPECT_EQ(commands[0].text, "\xCE@1. Bemessung");
    EXPECT_EQ(commands[1].numbers, (std::vector<double>{0x380}));
    EXPECT_FALSE(commands[2].has_text);
}

} // namespace
