#include "report/table_blocks.h"

#include "base/utilities.h"
#include "platform/messages.h"
#include "report/cell_texts.h"
#include "report/oli_channel.h"
#include "base/message_sink.h"

#include "test_support.h"

#include <cstring>
#include <malloc.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class TableBlocks : public ::testing::Test {
protected:
    void SetUp() override {
        oli_channel_mode = OLI_MODE_UNINITIALISED;
        OLI_Clear_Table_Notes();
        OLI_Set_Table_Row_Limit(100);
        saved_declared = oli_table_declared_columns;
        oli_table_declared_columns = 10;
    }
    void TearDown() override {
        OLI_Clear_Table_Notes();
        OLI_Set_Table_Row_Limit(100);
        oli_table_declared_columns = saved_declared;
    }

    static OliTabelle_Column Column(const char* head, const char* type, int width, int decimals, const void* values) {
        OliTabelle_Column c;
        OliTabelle_Init_Column(&c);
        std::snprintf(c.head, sizeof c.head, "%s", head);
        std::snprintf(c.type, sizeof c.type, "%s", type);
        c.width = width;
        c.decimals = decimals;
        c.values = values;
        return c;
    }

    int32_t saved_declared = 0;
    File_Stream out;
};

const char BAR_NAMES[3][8] = {"S1", "S2", "S3"};
const double FORCES[3] = {12.5, -3.25, 7.0};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The body lines of a table block: the lines after the head lines up to "#END_OF_TEXT".
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace

TEST_F(TableBlocks, TypedTableWithTitleRuleMarkAndSum) {
    OliTabelle_Column columns[2] = {Column("Stab", "TXT", 6, 8, BAR_NAMES), Column("N", "kN", 7, 2, FORCES)};
    columns[1].sum_flag = 1;
    columns[1].bold_marking = 1;
    const int32_t rules[3] = {0, 1, 0};
    const int32_t counts[3] = {1, 0, 0};
    const char* titles[1] = {"Stabkr\x84" "fte"};
    EXPECT_EQ(OliTabelle(out.get(), 2, 3, columns, nullptr, rules, 0, 0, counts, titles, 0, nullptr), 0);
    EXPECT_EQ(out.bytes(),
              "#OLI_YPOS 1 0.1\n"
              "#SHOWTABLE\n 1 0 0\n Stabkr\x84" "fte\n"
              " 1 1 -1 -1 2\n"
              " 7.000000 8.000000\n"
              " \xCE" "r Stab \xCE" "r   N    \n"
              " \xCE" "r      \xCE" "r   kN   \n"
              "  S1    \xCE" "b  12.50\xCE" "r\n"
              "  S2      -3.25 \xCE{\xCEL 0 -1 -1 1.000000 1.000000 }\n"
              "  S3       7.00\n"
              " \xB2        16.25 \xCE{\xCEL 0 -1 -1 0.000000 0.000000 }\n"
              "#END_OF_TEXT\n"
              "#OLI_YPOS 1 -0.4\n");
}

TEST_F(TableBlocks, OneColumnWritesNoWidthsAndNoStepsWithOption4) {
    OliTabelle_Column column = Column("N", "kN", 5, 1, FORCES);
    EXPECT_EQ(OliTabelle(out.get(), 1, 2, &column, nullptr, nullptr, 0, 0x4 | 0x1 | 0x8, nullptr, nullptr, 0, nullptr),
              0);
    EXPECT_EQ(out.bytes(),
              "#SHOWTABLE\n 0 0 0\n"
              " 0 0 -1 -1 0 0 0 0 0 0 0 2\n"
              " \xCE" "r  N  \n"
              "  12.5\n"
              "  -3.2\n"
              "#END_OF_TEXT\n");
}

TEST_F(TableBlocks, BodilessTables) {
    // Every row filtered out: the heads stand alone before the end line.
    OliTabelle_Column column = Column("N", "kN", 5, 1, FORCES);
    const int32_t filter[3] = {0, 0, 0};
    EXPECT_EQ(OliTabelle(out.get(), 1, 3, &column, filter, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_EQ(out.bytes(),
              "#SHOWTABLE\n 0 0 0\n"
              " 0 1 -1 -1\n"
              " \xCE" "r  N  \n"
              " \xCE" "r kN  \n"
              "#END_OF_TEXT\n");

    // No stream, no column or no row: nothing at all.
    File_Stream nothing;
    EXPECT_EQ(OliTabelle(nullptr, 1, 3, &column, nullptr, nullptr, 0, 0, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_EQ(OliTabelle(nothing.get(), 0, 3, &column, nullptr, nullptr, 0, 0, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_EQ(OliTabelle(nothing.get(), 1, 0, &column, nullptr, nullptr, 0, 0, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_EQ(nothing.bytes(), "");
}

TEST_F(TableBlocks, TooFewDeclaredColumnsLeavesTheTableOutAndGoesOn) {
    Clear_Shown_Messages();
    Msg_Enable();
    OliTabelle_Column columns[3] = {Column("a", "kN", 4, 0, FORCES), Column("b", "kN", 4, 0, FORCES),
                                    Column("c", "kN", 4, 0, FORCES)};
    oli_table_declared_columns = 2;
    EXPECT_EQ(OliTabelle(out.get(), 3, 3, columns, nullptr, nullptr, 0, 0x40, nullptr, nullptr, 0, nullptr), 1);
    EXPECT_EQ(out.bytes(), "");
    ASSERT_FALSE(Shown_Messages().empty());
    EXPECT_NE(Shown_Messages().back().text.find("Fehler in Funktion 'OliTabelle': zu wenig Spalten allociert!"),
              std::string::npos);
    EXPECT_EQ(Shown_Messages().back().text.find("Programmabbruch"), std::string::npos);

    // The next table of the same report is written as usual.
    oli_table_declared_columns = 3;
    EXPECT_EQ(OliTabelle(out.get(), 3, 3, columns, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_EQ(out.bytes().rfind("#SHOWTABLE", 0), 0u);
    Clear_Shown_Messages();
}

TEST_F(TableBlocks, LayoutFlags) {
    OliTabelle_Column column = Column("N", "kN", 5, 1, FORCES);
    EXPECT_EQ(OliTabelle(out.get(), 1, 3, &column, nullptr, nullptr, 0, 0x40 | 0x4, nullptr, nullptr, 0, nullptr), 0);
    std::string text = out.bytes();
    EXPECT_EQ(text.rfind("#OLI_FLAGS 0x280\n#SHOWTABLE", 0), 0u);
    const std::string tail = "\n#END_OF_TEXT\n#OLI_FLAGS 0x380\n";
    ASSERT_GT(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

    File_Stream keep;
    OliTabelle(keep.get(), 1, 3, &column, nullptr, nullptr, 0, 0x400 | 0x40 | 0x4, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(keep.bytes().rfind("#OLI_FLAGS 0x380\n#SHOWTABLE", 0), 0u);

    // From the row limit on, the flags 0x280 come without the option.
    std::vector<double> many(100, 1.0);
    OliTabelle_Column long_column = Column("N", "kN", 5, 1, many.data());
    File_Stream hundred;
    OliTabelle(hundred.get(), 1, 100, &long_column, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(hundred.bytes().rfind("#OLI_FLAGS 0x280\n#SHOWTABLE", 0), 0u);
    File_Stream ninety_nine;
    OliTabelle(ninety_nine.get(), 1, 99, &long_column, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(ninety_nine.bytes().find("#OLI_FLAGS"), std::string::npos);
    OLI_Set_Table_Row_Limit(3);
    File_Stream three;
    OliTabelle(three.get(), 1, 3, &column, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(three.bytes().rfind("#OLI_FLAGS 0x280\n", 0), 0u);
}

TEST_F(TableBlocks, SelectedRows) {
    //                       0    1    2    3    4    5    6    7    8
    const double values[9] = {1.0, 2.0, 3.0, 9.0, 4.0, 2.0e100, 5.0, -1.0, 0.5};
    OliTabelle_Column columns[2] = {Column("Nr", "ZZ", 2, 0, nullptr), Column("M", "kNm", 4, 1, values)};

    // Option 0x100: only the rows of the extremes (the marker takes no part).
    OliTabelle(out.get(), 2, 9, columns, nullptr, nullptr, 0, 0x100 | 0x4 | 0x1, nullptr, nullptr, 0, nullptr);
    std::vector<std::string> lines = Lines(out.bytes());
    ASSERT_EQ(lines.size(), 8u);  // opening 2, format and widths 2, head 1, two rows, end
    EXPECT_EQ(lines[5], "  4  9.0");
    EXPECT_EQ(lines[6], "  8 -1.0");

    // Option 0x10: also first and last row, turning points and changes of sign.
    File_Stream selected;
    OliTabelle(selected.get(), 2, 9, columns, nullptr, nullptr, 0, 0x10 | 0x4 | 0x1, nullptr, nullptr, 0, nullptr);
    lines = Lines(selected.bytes());
    std::vector<std::string> rows(lines.begin() + 5, lines.end() - 1);
    EXPECT_EQ(rows, (std::vector<std::string>{"  1  1.0", "  4  9.0", "  5  4.0", "  7  5.0", "  8 -1.0",
                                              "  9  0.5"}));

    // A zero in the row filter removes a row even when it holds an extreme.
    const int32_t filter[9] = {1, 1, 1, 0, 1, 1, 1, 1, 1};
    File_Stream filtered;
    OliTabelle(filtered.get(), 2, 9, columns, filter, nullptr, 0, 0x10 | 0x4 | 0x1, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(filtered.bytes().find("  4  9.0"), std::string::npos);
    EXPECT_NE(filtered.bytes().find("  1  1.0"), std::string::npos);
    EXPECT_NE(filtered.bytes().find("  9  0.5"), std::string::npos);
}

TEST_F(TableBlocks, SharedUpperHeadsAndCountedLines) {
    const double a[2] = {1.0, 2.0};
    OliTabelle_Column columns[3] = {Column("Nr", "ZZ", 2, 0, nullptr), Column("x", "m", 5, 2, a),
                                    Column("y", "m", 5, 2, a)};
    std::snprintf(columns[1].upper_head, sizeof columns[1].upper_head, "Koordinaten");
    std::snprintf(columns[2].upper_head, sizeof columns[2].upper_head, "=");
    columns[1].separator = 0;  // the last column never counts
    const int32_t counts[3] = {0, 1, 3};
    const char* titles[4] = {"Titel", "eins", nullptr, "drei\nzeilen"};
    OliTabelle(out.get(), 3, 2, columns, nullptr, nullptr, 0, 0x4, counts, titles, 0, nullptr);
    EXPECT_EQ(out.bytes(),
              "#SHOWTABLE\n 0 1 3\n Titel\n eins\n \n drei zeilen\n"
              " 1 1 -1 -1 2\n"
              " 3.000000 12.000000\n"
              " \xCE" "r  \xCE" "rKoordinaten \n"
              " \xCE" "rNr\xCE" "r  x   \xCE" "r  y   \n"
              " \xCE" "r  \xCE" "r  m   \xCE" "r  m   \n"
              "  1  1.00  1.00\n"
              "  2  2.00  2.00\n"
              "#END_OF_TEXT\n");
}

// An upper head "=" shares the head of the column before it; the first column has none to
// share, so its "=" stands as a head of its own.
TEST_F(TableBlocks, EqualsHeadOverTheFirstColumnStandsAlone) {
    const double a[2] = {1.0, 2.0};
    OliTabelle_Column columns[2] = {Column("x", "m", 5, 2, a), Column("y", "m", 5, 2, a)};
    std::snprintf(columns[0].upper_head, sizeof columns[0].upper_head, "=");
    EXPECT_EQ(OliTabelle(out.get(), 2, 2, columns, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_NE(out.bytes().find("  1.00  1.00\n  2.00  2.00\n#END_OF_TEXT\n"), std::string::npos) << out.bytes();
}

// Bold marking -2 marks the value of the smallest magnitude: -3.25 of {12.5, -3.25, 7.0}.
TEST_F(TableBlocks, BoldMarkingOfTheSmallestMagnitude) {
    OliTabelle_Column columns[2] = {Column("Stab", "TXT", 6, 8, BAR_NAMES), Column("N", "kN", 7, 2, FORCES)};
    columns[1].bold_marking = -2;
    EXPECT_EQ(OliTabelle(out.get(), 2, 3, columns, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_NE(out.bytes().find("  S2    \xCE" "b  -3.25\xCE" "r\n"), std::string::npos) << out.bytes();
    EXPECT_EQ(Count(out.bytes(), "\xCE" "b"), 1u);
}

TEST_F(TableBlocks, NotesAndFurtherLinesFollowTheTable) {
    ASSERT_EQ(OLI_Add_Table_Note(1, "1)", "nach Heft 399"), 1);
    ASSERT_EQ(OLI_Add_Table_Note(2, "2)", "nicht zitiert"), 2);
    EXPECT_EQ(OLI_Add_Table_Note(3, "1)", "gleicher Schl\x81ssel"), 2);  // key taken
    EXPECT_EQ(OLI_Add_Table_Note(2, "9)", "gleiche Nummer"), 2);       // id taken
    EXPECT_EQ(OLI_Add_Table_Note(4, "langer Schluessel", std::string(300, 't').c_str()), 3);
    EXPECT_EQ(OLI_Widest_Table_Note_Key(), 9);
    for (int i = 10; i < 22; ++i) OLI_Add_Table_Note(i, std::to_string(i).c_str(), "weitere");
    EXPECT_EQ(OLI_Count_Table_Notes(), 15);
    OLI_Clear_Table_Notes();
    EXPECT_EQ(OLI_Count_Table_Notes(), 0);
    const std::string long_note = "nach Heft 399 " + std::string(250, '-');  // kept to 199 characters
    ASSERT_EQ(OLI_Add_Table_Note(1, "1)", long_note.c_str()), 1);
    ASSERT_EQ(OLI_Add_Table_Note(2, "2)", "nicht zitiert"), 2);

    OliTabelle_Column column = Column("N", "kN", 5, 1, FORCES);
    const int32_t notes[3] = {0, 1, 0};
    column.row_notes = notes;
    const char* further[2] = {"Zeile A", "Zeile B"};
    OliTabelle(out.get(), 1, 3, &column, nullptr, nullptr, 0, 0x4 | 0x1, nullptr, nullptr, 2, further);
    const std::string text = out.bytes();
    EXPECT_NE(text.find("  12.5  \n  -3.2" OLI_SEQ_SUP "1)" OLI_SEQ_RESET "\n   7.0  \n#END_OF_TEXT\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("#OLI_RESERVE 0.572\n#OLI_YPOS 1 -0.114\n"), std::string::npos);
    EXPECT_NE(text.find(OLI_SEQ_SUP "1)" OLI_SEQ_RESET " " + long_note.substr(0, 199) + "\n"), std::string::npos);
    EXPECT_EQ(text.find("nicht zitiert"), std::string::npos);
    EXPECT_NE(text.find("#OLI_YPOS 1 0.228\n"), std::string::npos);
    const size_t a = text.find("Zeile A"), b = text.find("Zeile B");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(text.find("#OLI_YPOS 1 -0.19\n"), a);
    EXPECT_GT(text.rfind("#OLI_YPOS 1 0.19\n"), b);
}

TEST_F(TableBlocks, OpenParagraphBlockIsEndedBeforeTheTable) {
    OLI_Printf(out.get(), "Text davor");
    OliTabelle_Column column = Column("N", "kN", 5, 1, FORCES);
    OliTabelle(out.get(), 1, 1, &column, nullptr, nullptr, 0, 0x4 | 0x1, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(out.bytes(),
              "\n#SHOWPARA\n0x0\n4\n-1\n Text davor\n#END_OF_TEXT\n0x0\n-1\n"
              "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n \xCE" "r  N  \n  12.5\n#END_OF_TEXT\n");
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);
}

TEST_F(TableBlocks, TextCharacterAndBarColumnsWithStrides) {
    struct Row {
        char code;
        char text[7];
        OLI_Bar_Record bar;
        double value;
    };
    const Row rows[2] = {{'A', "eins", {4, 1, 6}, 1.25}, {'B', "zwei", {0, 1, 0}, 2.5}};
    OliTabelle_Column columns[4] = {Column("C", "CHAR", 3, 0, &rows[0].code), Column("Text", "TXT", 6, 0, rows[0].text),
                                    Column("As", "GEW", 8, 0, &rows[0].bar), Column("v", "m", 5, 2, &rows[0].value)};
    for (OliTabelle_Column& c : columns) c.stride = sizeof(Row);
    columns[2].underline_marking = 1;  // text columns take no marks
    columns[3].underline_marking = -1;
    OliTabelle(out.get(), 4, 2, columns, nullptr, nullptr, 0, 0x4 | 0x1, nullptr, nullptr, 0, nullptr);
    const std::vector<std::string> lines = Lines(out.bytes());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], "  A   eins    " OLI_SEQ_BOLD "4 \x8C 20" OLI_SEQ_RESET " " OLI_SEQ_UNDERLINE " 1.25" OLI_SEQ_RESET);
    EXPECT_EQ(lines[6], "  B   zwei            2.50");
}

TEST_F(TableBlocks, SimpleFormWithGroupRulesAndReferenceColumn) {
    //                         0    1    2    3    4
    const double storey[5] = {1.0, 1.0, 2.0, 2.0, 2.0};
    const double force[5] = {5.0, 5.0, 5.0, 6.0, 6.0};
    OliTabelle_Column columns[2] = {Column("G", "-", 3, 0, storey), Column("N", "kN", 4, 0, force)};
    OLI_Row_Marks marks;
    Init_Row_Marks(&marks, 5);
    EXPECT_EQ(marks.options, 0);
    EXPECT_EQ(marks.reference_column, -1);
    EXPECT_EQ(marks.row_marks[4], 1);
    marks.group_rules = static_cast<int32_t*>(Realloc_Or_Exit(nullptr, 5 * sizeof(int32_t), 1));
    marks.group_rules[1] = 1;
    marks.group_rules[4] = 1;  // after the last row: no rule
    OliTabelle_Simple(out.get(), 5, 2, columns, &marks);
    std::string text = out.bytes();
    EXPECT_EQ(Count(text, " \xCE{\xCEL 0 -1 -1 0.500000 0.500000 }"), 1u);
    EXPECT_NE(text.find("\n   1    5 \xCE{\xCEL 0 -1 -1 0.500000 0.500000 }\n   2    5\n"), std::string::npos);

    // With option 0x10 and the reference column: a change of N within one storey stays.
    marks.options = 0x10 | 0x4 | 0x1;
    marks.reference_column = 0;
    Free_And_Null(reinterpret_cast<void**>(&marks.group_rules));
    File_Stream selected;
    OliTabelle_Simple(selected.get(), 5, 2, columns, &marks);
    const std::vector<std::string> lines = Lines(selected.bytes());
    const std::vector<std::string> rows(lines.begin() + 5, lines.end() - 1);
    EXPECT_EQ(rows, (std::vector<std::string>{"   1    5", "   2    5", "   2    6", "   2    6"}));

    // A change of N together with a change of storey is no change within a storey.
    const double storey3[3] = {1.0, 1.0, 2.0}, force3[3] = {5.0, 5.0, 6.0};
    const OliTabelle_Column columns3[2] = {Column("G", "-", 3, 0, storey3), Column("N", "kN", 4, 0, force3)};
    File_Stream three;
    OliTabelle_Simple(three.get(), 3, 2, columns3, &marks);
    const std::vector<std::string> lines3 = Lines(three.bytes());
    EXPECT_EQ(std::vector<std::string>(lines3.begin() + 5, lines3.end() - 1),
              (std::vector<std::string>{"   1    5", "   2    6"}));

    // Without a record every row is written.
    File_Stream fresh;
    EXPECT_EQ(OliTabelle_Simple(fresh.get(), 5, 2, columns, nullptr), 0);
    EXPECT_EQ(Count(fresh.bytes(), "\n   "), 5u);
    Free_Row_Marks(&marks);
    EXPECT_EQ(marks.row_marks, nullptr);
}

// The record the simple form makes for itself is given back: the heap in use is the same
// after a table as before it (a first table warms up what the writer and the stream keep).
TEST_F(TableBlocks, SimpleFormGivesBackTheRecordItMadeForItself) {
    const std::vector<double> values(4000, 1.0);
    const OliTabelle_Column column = Column("N", "kN", 5, 1, values.data());
    FILE* sink = std::fopen("/dev/null", "w");
    ASSERT_NE(sink, nullptr);
    OliTabelle_Simple(sink, 4000, 1, &column, nullptr);
    const size_t before = mallinfo2().uordblks;
    OliTabelle_Simple(sink, 4000, 1, &column, nullptr);
    EXPECT_EQ(mallinfo2().uordblks, before);
    std::fclose(sink);
}

TEST_F(TableBlocks, ColumnRecords) {
    OliTabelle_Column* columns = nullptr;
    OliTabelle_Alloc_Columns(3, &columns);
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(oli_table_declared_columns, 3);
    EXPECT_STREQ(columns[2].head, "Nr");
    EXPECT_STREQ(columns[2].type, "ZZ");
    EXPECT_STREQ(columns[2].upper_head, "");
    EXPECT_EQ(columns[2].width, 4);
    EXPECT_EQ(columns[2].stride, -1);
    EXPECT_EQ(columns[2].factor, 1.0);
    EXPECT_EQ(columns[2].separator, 1);
    EXPECT_EQ(Is_Text_Column(&columns[0]), 0);
    for (const char* code : {"TXT", "CHAR", "GEW"}) {
        std::snprintf(columns[0].type, sizeof columns[0].type, "%s", code);
        EXPECT_EQ(Is_Text_Column(&columns[0]), 0) << code;
    }
    std::snprintf(columns[0].type, sizeof columns[0].type, "kN/m");
    EXPECT_EQ(Is_Text_Column(&columns[0]), 1);
    Free_And_Null(reinterpret_cast<void**>(&columns));
}

TEST_F(TableBlocks, CallerTextsFillingTheirArraysAndHugeWidthsStayBounded) {
    OliTabelle_Column column = Column("N", "kN", 5, 1, FORCES);
    std::memset(column.head, 'H', sizeof column.head);
    std::memset(column.upper_head, 'U', sizeof column.upper_head);
    std::memset(column.type, 'T', sizeof column.type);
    column.width = 2000000000;
    EXPECT_EQ(OliTabelle(out.get(), 1, 1, &column, nullptr, nullptr, 0, 0x4, nullptr, nullptr, 0, nullptr), 0);
    const std::vector<std::string> lines = Lines(out.bytes());
    ASSERT_EQ(lines.size(), 8u);
    for (int i = 3; i < 6; ++i) EXPECT_EQ(lines[i].size(), 399u) << i;  // head lines are cut
    ASSERT_EQ(lines[6].size(), 1001u);  // the field is 1000 wide at most
    EXPECT_EQ(lines[6].substr(997), "12.5");
}

TEST_F(TableBlocks, RowWiseTableGolden) {
    const double areas[2] = {1.5, 2.25};
    const double weights[2] = {10.0, 20.0};
    OLI_Row_Table_Record records[2] = {};
    std::snprintf(records[0].name, sizeof records[0].name, "As");
    std::snprintf(records[0].unit, sizeof records[0].unit, "cm" OLI_SEQ_SUP "2");
    records[0].width = 6;
    records[0].decimals = 2;
    records[0].values = areas;
    records[0].factor = 1.0;
    std::snprintf(records[1].name, sizeof records[1].name, "Gewicht");
    std::snprintf(records[1].unit, sizeof records[1].unit, "GEW");
    records[1].width = 6;
    records[1].decimals = 1;
    records[1].values = weights;
    records[1].factor = 1.0;
    OLI_Write_Row_Table(out.get(), 2, 2, records);
    EXPECT_EQ(out.bytes(),
              "#OLI_YPOS 1 0.1\n"
              "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1 3\n"
              " 8.000000 13.000000 21.000000\n"
              " \xCE" "bAs\xCE" "r      cm\xCE/2\xCE" "r   1.50   2.25 \xCE{\xCEL 0 -1 -1 1.000000 1.000000 }\n"
              " \xCEu\xCE" "bGewicht\xCE" "r\xCEu \xCE" "r      10.0   20.0\n"
              "#END_OF_TEXT\n");

    // One record: no rule after it; N = 2, U = 3, W = 7.
    File_Stream one;
    OLI_Write_Row_Table(one.get(), 1, 2, records);
    EXPECT_EQ(one.bytes(),
              "#OLI_YPOS 1 0.1\n"
              "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1 3\n"
              " 3.000000 8.000000 16.000000\n"
              " \xCE" "bAs\xCE" "r cm\xCE/2\xCE" "r   1.50   2.25\n"
              "#END_OF_TEXT\n");

    File_Stream nothing;
    OLI_Write_Row_Table(nothing.get(), 0, 2, records);
    OLI_Write_Row_Table(nothing.get(), 2, 0, records);
    OLI_Write_Row_Table(nullptr, 2, 2, records);
    EXPECT_EQ(nothing.bytes(), "");
}
