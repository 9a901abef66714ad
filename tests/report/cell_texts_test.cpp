#include "report/cell_texts.h"

#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/table_blocks.h"
#include "report/text_writer.h"

#include "test_support.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Cell(const char* type, double value, int width, int decimals, double factor = 1.0, int underline = 0,
                 int bold = 0) {
    return OLI_Format_Cell_Text(type, &value, 0, width, decimals, factor, underline, bold, OLI_NO_NOTE_ID);
}

class CellTexts : public ::testing::Test {
protected:
    void SetUp() override {
        OLI_Clear_Table_Notes();
        oli_channel_mode = OLI_MODE_UNINITIALISED;
    }
    void TearDown() override {
        OLI_End_Columns(nullptr);
        OLI_Clear_Table_Notes();
        Set_Combination_Names(nullptr, 0, 0);
    }
};

}  // namespace

TEST_F(CellTexts, NumberCellsAndMarkers) {
    EXPECT_EQ(Cell("kN", 12.5, 7, 2), "   12.50");
    EXPECT_EQ(Cell("kN", 2.5, 7, 2, 4.0), "   10.00");          // the factor is applied
    EXPECT_EQ(Cell("kN", 12.4, 5, 0), "    12");               // no decimals
    EXPECT_EQ(Cell("kN", -0.001, 6, 2), "   0.00");            // no "-0.00"
    EXPECT_EQ(Cell("kN", 123456.0, 4, 1), " 123456.0");         // too wide: written in full
    EXPECT_EQ(Cell("kN", 1.5, 6, 2, 1.0, 0, 1), " \xCE" "b  1.50\xCE" "r");
    EXPECT_EQ(Cell("kN", 1.5, 6, 2, 1.0, 1, 0), " \xCE" "u  1.50\xCE" "r");

    // Markers are never numbers, whatever the factor.
    EXPECT_EQ(Cell("kN", 3.0e100, 7, 2, 2.0), "    auto");
    EXPECT_EQ(Cell("kN", 2.0e100, 7, 2), "   n.e. ");
    EXPECT_EQ(Cell("kN", -2.0e100, 7, 2), "     ---");
    EXPECT_EQ(Cell("kN", -3.0e100, 7, 2), "        ");
    EXPECT_EQ(Cell("kN", 1.0e100, 7, 2), "      \xEC ");
    EXPECT_EQ(Cell("kN", -1.0e100, 7, 2), "     -\xEC ");
    EXPECT_EQ(Cell("kN", 3.0e100, 2, 2), " auto");               // a marker wider than the field

    // Square centimetres: a zero area is a dash in the middle.
    EXPECT_EQ(Cell("cm" OLI_SEQ_SUP "2", 0.0, 7, 2), "    -   ");
    EXPECT_EQ(Cell("cm" OLI_SEQ_SUP "2", 1.0e-9, 6, 2), "    -  ");
    EXPECT_EQ(Cell("cm", 0.0, 7, 2), "    0.00");

    // No value at all gives an empty cell.
    EXPECT_EQ(OLI_Format_Cell_Text("kN", nullptr, 0, 5, 2, 1.0, 0, 0, OLI_NO_NOTE_ID), "      ");
}

TEST_F(CellTexts, RowNumberCells) {
    EXPECT_EQ(OLI_Format_Cell_Text("ZZ", nullptr, 4, 3, 0, 1.0, 0, 0, OLI_NO_NOTE_ID), "   5");
    EXPECT_EQ(OLI_Format_Cell_Text("ZZ", nullptr, 4, 3, 10, 1.0, 0, 0, OLI_NO_NOTE_ID), "  14");
    EXPECT_EQ(OLI_Format_Cell_Text("ZZ", nullptr, 0, 3, 0, 1.0, 1, 0, OLI_NO_NOTE_ID), " \xCE" "u  1\xCE" "r");
    EXPECT_EQ(OLI_Format_Cell_Text("ZZ", nullptr, 0, 3, 0, 1.0, 0, 1, OLI_NO_NOTE_ID), " \xCE" "b  1\xCE" "r");
}

TEST_F(CellTexts, TextAndCharacterCells) {
    auto text = [](const char* s, int width, int slot) {
        return OLI_Format_Cell_Text("TXT", s, 0, width, slot, 1.0, 0, 0, OLI_NO_NOTE_ID);
    };
    EXPECT_EQ(text("Stab", 8, 10), "  Stab   ");
    EXPECT_EQ(text("Stabkraefte", 6, 20), "  Stabk");
    // Control sequences take no room: the field stays five characters wide to the eye.
    EXPECT_EQ(text(OLI_SEQ_BOLD "ab" OLI_SEQ_RESET, 6, 20), "  " OLI_SEQ_BOLD "ab" OLI_SEQ_RESET "   ");
    // A cut never splits a sequence, and a cut style is ended.
    EXPECT_EQ(text(OLI_SEQ_BOLD "abcdef" OLI_SEQ_RESET, 4, 20), "  " OLI_SEQ_BOLD "abc" OLI_SEQ_RESET);
    // Line ends would break the table line.
    EXPECT_EQ(text("a\nb", 4, 20), "  a b");
    // A slot without its terminating zero is read only within the slot.
    const char slots[2][4] = {{'A', 'B', 'C', 'D'}, {'E', 'F', 0, 0}};
    EXPECT_EQ(text(slots[0], 7, 4), "  ABCD  ");
    // Texts of 1000 characters or more.
    const std::string long_text(1000, 'x');
    EXPECT_EQ(text(long_text.c_str(), 7, 0), "  ?????\x20");
    const std::string shorter(999, 'x');
    EXPECT_EQ(text(shorter.c_str(), 4, 0), "  xxx");

    const char c = 'Q';
    EXPECT_EQ(OLI_Format_Cell_Text("CHAR", &c, 0, 5, 1, 1.0, 0, 0, OLI_NO_NOTE_ID), "   Q  ");
    const char control = '\xCE';
    EXPECT_EQ(OLI_Format_Cell_Text("CHAR", &control, 0, 3, 1, 1.0, 0, 0, OLI_NO_NOTE_ID), "    ");
}

TEST_F(CellTexts, BarDesignationCells) {
    auto bar = [](int count, int bundle, int index, int width, int underline = 0) {
        const OLI_Bar_Record record{count, bundle, index};
        return OLI_Format_Cell_Text("GEW", &record, 0, width, 0, 1.0, underline, 0, OLI_NO_NOTE_ID);
    };
    EXPECT_EQ(bar(4, 1, 6, 9), "    " OLI_SEQ_BOLD "4 \x8C 20" OLI_SEQ_RESET);
    EXPECT_EQ(bar(3, 2, 9, 4), " " OLI_SEQ_BOLD "3 \x8C 32 2er Bnd." OLI_SEQ_RESET);
    EXPECT_EQ(bar(2, 1, 0, 6, 1), "  " OLI_SEQ_BOLD OLI_SEQ_UNDERLINE "2 \x8C 6" OLI_SEQ_RESET);
    EXPECT_EQ(bar(0, 1, 0, 4), "     ");
    EXPECT_EQ(bar(-1, 1, 0, 6), "  ---  ");
    // An index outside the diameter table is shown as unknown, never read.
    EXPECT_EQ(bar(2, 1, 12, 3), " " OLI_SEQ_BOLD "2 \x8C ???" OLI_SEQ_RESET);
    EXPECT_EQ(bar(2, 1, -1, 3), " " OLI_SEQ_BOLD "2 \x8C ???" OLI_SEQ_RESET);
}

TEST_F(CellTexts, NoteKeysFollowCellsAndKeepColumnsAligned) {
    ASSERT_EQ(OLI_Add_Table_Note(7, "a", "erste Anmerkung"), 1);
    ASSERT_EQ(OLI_Add_Table_Note(8, "bb", "zweite"), 2);
    const double v = 1.0;
    EXPECT_EQ(OLI_Format_Cell_Text("kN", &v, 0, 4, 1, 1.0, 0, 0, 7), "  1.0" OLI_SEQ_SUP "a" OLI_SEQ_RESET " ");
    EXPECT_EQ(OLI_Format_Cell_Text("kN", &v, 0, 4, 1, 1.0, 0, 0, 8), "  1.0" OLI_SEQ_SUP "bb" OLI_SEQ_RESET);
    EXPECT_EQ(OLI_Format_Cell_Text("kN", &v, 0, 4, 1, 1.0, 0, 0, 99), "  1.0  ");
    EXPECT_EQ(OLI_Format_Cell_Text("kN", &v, 0, 4, 1, 1.0, 0, 0, OLI_NO_NOTE_ID), "  1.0");

    // The C form cuts to the buffer without leaving a control byte alone.
    char out[8];
    EXPECT_EQ(OLI_Format_Cell("kN", &v, 0, 4, 1, 1.0, 0, 0, out, sizeof out, 8), 7);
    EXPECT_STREQ(out, "  1.0" OLI_SEQ_SUP);
    char odd[7];
    EXPECT_EQ(OLI_Format_Cell("kN", &v, 0, 4, 1, 1.0, 0, 0, odd, sizeof odd, 8), 5);
    EXPECT_STREQ(odd, "  1.0");
    char wide[32];
    EXPECT_EQ(OLI_Format_Cell("kN", &v, 0, 4, 1, 1.0, 0, 0, wide, sizeof wide, 7), 11);
    EXPECT_STREQ(wide, "  1.0" OLI_SEQ_SUP "a" OLI_SEQ_RESET " ");
}

TEST_F(CellTexts, VisibleLengthAndExtremes) {
    EXPECT_EQ(Visible_Text_Length(nullptr), 0);
    EXPECT_EQ(Visible_Text_Length("abc"), 3);
    EXPECT_EQ(Visible_Text_Length("cm" OLI_SEQ_SUP "2" OLI_SEQ_RESET), 3);  // 0.2 is no whole character
    EXPECT_EQ(Visible_Text_Length("x" OLI_SEQ_SUB "abcde" OLI_SEQ_RESET "y"), 6);
    EXPECT_EQ(Visible_Text_Length(OLI_SEQ_SUP "abcdefghij"), 8);

    const double values[] = {3.0, -7.0, 2.0e100, 7.0, 3.0e100, -0.5};
    EXPECT_EQ(Find_Flagged_Extreme(0, 6, values, nullptr), 3);
    EXPECT_EQ(Find_Flagged_Extreme(1, 6, values, nullptr), 1);
    EXPECT_EQ(Find_Flagged_Extreme(2, 6, values, nullptr), 1);  // |-7| = |7|: the first
    EXPECT_EQ(Find_Flagged_Extreme(3, 6, values, nullptr), 5);
    const int flags[] = {1, 0, 1, 0, 1, 0};
    EXPECT_EQ(Find_Flagged_Extreme(0, 6, values, flags), 0);
    const int none[] = {0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Find_Flagged_Extreme(0, 6, values, none), -1);
    const double markers[] = {2.0e100, -3.0e100, -2.0e100, NAN};
    EXPECT_EQ(Find_Flagged_Extreme(1, 4, markers, nullptr), -1);
    EXPECT_EQ(Find_Flagged_Extreme(7, 6, values, nullptr), -1);
}

TEST_F(CellTexts, CompareSignsAgreeWithThePrintedNumbers) {
    EXPECT_EQ(Get_Compare_Sign(1.004, 1.001, 2), '=');
    EXPECT_EQ(Get_Compare_Sign(2.0, 1.0, 2), '>');
    EXPECT_EQ(Get_Compare_Sign(1.0, 2.0, 2), '<');
    // Printed as 1.01 and 1.00: the sign must say so, although the difference rounds to 0.
    EXPECT_EQ(Get_Compare_Sign(1.006, 1.004, 2), '>');
    EXPECT_EQ(Get_Compare_Sign(1.004, 1.006, 2), '<');

    EXPECT_EQ(Get_Compare_Sign_Tol(1.0, 1.05, 2, 0.1), '\xF7');
    EXPECT_EQ(Get_Compare_Sign_Tol(1.0, 1.5, 2, 0.1), '<');
    EXPECT_EQ(Get_Compare_Sign_Tol(1.5, 1.0, 2, 1.0), '>');  // only '<' turns into 0xF7
    EXPECT_EQ(static_cast<int>(Get_Compare_Sign_Tol(1.0, 1.05, 2, 0.1)), -9);
}

TEST_F(CellTexts, ComparisonTexts) {
    EXPECT_STREQ(Format_Comparison(1.5, 2.0, 2, 0.0, 0, nullptr, "kN"), "1.50 kN < 2.00 kN");
    EXPECT_STREQ(Format_Comparison(1.5, 2.0, 1, 0.0, 0, nullptr, nullptr), "1.5 < 2.0");
    EXPECT_STREQ(Format_Comparison(1.5, 2.0, 2, 0.0, 0, "VEd", "kN"),
                 "1.50 kN < 2.00 kN  \x88 VEd = 1.50 kN");
    EXPECT_STREQ(Format_Comparison(1.5, 2.0, 2, 0.0, 3, "max", "kN"), "1.50 kN < 2.00 kN  \x88 max = 2.00 kN");
    EXPECT_STREQ(Format_Comparison(2.5, 2.0, 2, 0.0, 2, "a", ""), "2.50 > 2.00  \x88 a = 2.50 ");
    EXPECT_STREQ(Format_Comparison(2.5, 2.0, 2, 0.0, 4, "b", nullptr), "2.50 > 2.00  \x88 b = 2.00 ");
    // The governing case does not hold: nothing follows.
    EXPECT_STREQ(Format_Comparison(2.5, 2.0, 2, 0.0, 0, "a", "kN"), "2.50 kN > 2.00 kN");
    EXPECT_STREQ(Format_Comparison(2.0, 2.04, 1, 0.0, 3, "a", "kN"), "2.0 kN = 2.0 kN");
    EXPECT_STREQ(Format_Comparison(1.0, 1.05, 2, 0.1, 0, nullptr, nullptr), "1.00 \xF7 1.05");
    // A per-cent sign in the label or unit is text, not a conversion.
    EXPECT_STREQ(Format_Comparison(1.0, 2.0, 0, 0.0, 0, "%s", "%"), "1 % < 2 %  \x88 %s = 1 %");

    char out[64];
    EXPECT_EQ(Format_Check_Text("zul", 1.5, "<=", 2.0, 2, out, sizeof out), 1);
    EXPECT_STREQ(out, "1.50 < 2.00");
    EXPECT_EQ(Format_Check_Text("zul", 2.5, "=<", 2.0, 2, out, sizeof out), 0);
    EXPECT_STREQ(out, "2.50 > 2.00  \x88  zul = 2.00");
    EXPECT_EQ(Format_Check_Text("min", 2.001, ">=", 2.0, 2, out, sizeof out), 1);
    EXPECT_STREQ(out, "2.00 = 2.00");
    EXPECT_EQ(Format_Check_Text("x", 2.0, "<", 2.0, 2, out, sizeof out), 0);
    char tiny[5];
    EXPECT_EQ(Format_Check_Text("x", 2.0, ">", 1.0, 2, tiny, sizeof tiny), 1);
    EXPECT_STREQ(tiny, "2.00");

    EXPECT_EQ(OLI_Relation_Holds(1.0, "=>", 1.0, 2), 1);
    EXPECT_EQ(OLI_Relation_Holds(1.0, ">", 0.5, 2), 1);
    EXPECT_EQ(OLI_Relation_Holds(1.0, "==", 1.0, 2), 0);  // no relation this writer knows
    EXPECT_EQ(OLI_Relation_Holds(1.0, nullptr, 1.0, 2), 0);
}

TEST_F(CellTexts, CheckLineMarksAFailedRelation) {
    File_Stream out;
    EXPECT_EQ(OLI_Write_Check_Line(out.get(), "VEd", 1.0, "<=", 2.0, 2, "VRd", "ok", "nicht ok"), 1);
    const std::string held = out.bytes();
    EXPECT_NE(held.find("VEd 1.00 < 2.00" OLI_SEQ_RESET " VRd ok"), std::string::npos) << held;
    EXPECT_EQ(held.find("!!"), std::string::npos);

    File_Stream failed;
    EXPECT_EQ(OLI_Write_Check_Line(failed.get(), "VEd", 3.0, "<=", 2.0, 2, "VRd", "ok", "nicht ok"), 0);
    const std::string text = failed.bytes();
    EXPECT_NE(text.find("VEd " OLI_SEQ_BOLD "3.00 > 2.00" OLI_SEQ_RESET " VRd " OLI_SEQ_BOLD "nicht ok"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(OLI_SEQ_BOLD "!!"), std::string::npos);

    // Without a failed text the line is not marked.
    File_Stream unmarked;
    EXPECT_EQ(OLI_Write_Check_Line(unmarked.get(), "a", 3.0, "<", 2.0, 1, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(unmarked.bytes().find("!!"), std::string::npos);
    EXPECT_EQ(OLI_Write_Check_Line(nullptr, "a", 1.0, "<", 2.0, 1, "", "", ""), 1);
}

TEST_F(CellTexts, ColumnsWriteTabSeparatedCells) {
    File_Stream out;
    OLI_Begin_Columns_3(0.0, 4.0, 9.0);
    EXPECT_EQ(OLI_Columns_Open(), 1);
    OLI_Write_Column_Cell(out.get(), "%s", "a");
    OLI_Write_Column_Cell(out.get(), "%d", 2);
    OLI_Write_Column_Cell(out.get(), "%.1f", 3.25);
    OLI_Write_Column_Row_3(out.get(), "x", "y", "%s", "z");
    OLI_End_Columns(out.get());
    EXPECT_EQ(OLI_Columns_Open(), 0);
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x40\n7\n0x0 2\n2 4\n2 9\n-1\n"
                           " a" OLI_SEQ_TAB "2" OLI_SEQ_TAB "3.2\n"
                           " x" OLI_SEQ_TAB "y" OLI_SEQ_TAB "z\n"
                           "#END_OF_TEXT\n0x0\n-1\n");

    // Without a first position at the margin every cell follows a tab code.
    File_Stream tabbed;
    OLI_Set_Column_Style(3);
    OLI_Begin_Columns_2(1.0, 5.0);
    OLI_Write_Column_Cell(tabbed.get(), "A");
    OLI_Write_Column_Cell(tabbed.get(), "B");
    OLI_End_Columns(tabbed.get());
    OLI_Set_Column_Style(7);
    EXPECT_EQ(tabbed.bytes(), "\n#SHOWPARA\n0x40\n3\n0x0 2\n2 1\n2 5\n-1\n"
                              " " OLI_SEQ_TAB "A" OLI_SEQ_TAB "B\n"
                              "#END_OF_TEXT\n0x0\n-1\n");

    // Cells without a stream or open columns write nothing.
    File_Stream nothing;
    OLI_Write_Column_Cell(nothing.get(), "lost");
    OLI_Write_Column_Cell(nullptr, "lost");
    EXPECT_EQ(nothing.bytes(), "");
}

TEST_F(CellTexts, ColumnsBegunAnewKeepTheirTabStops) {
    File_Stream out;
    OLI_Begin_Columns_2(0.0, 3.0);
    OLI_Write_Column_Cell(out.get(), "a");
    OLI_Write_Column_Cell(out.get(), "b");
    OLI_Begin_Columns_2(0.0, 6.0);
    OLI_Write_Column_Cell(out.get(), "c");
    OLI_Write_Column_Cell(out.get(), "d");
    OLI_End_Columns(out.get());
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x40\n7\n0x0 1\n2 3\n-1\n"
                           " a" OLI_SEQ_TAB "b\n"
                           "#END_OF_TEXT\n0x0\n-1\n"
                           "\n#SHOWPARA\n0x40\n7\n0x0 1\n2 6\n-1\n"
                           " c" OLI_SEQ_TAB "d\n"
                           "#END_OF_TEXT\n0x0\n-1\n");
}

TEST_F(CellTexts, CompareRows) {
    File_Stream out;
    OLI_Begin_Columns_3(0.0, 2.0, 6.0);
    OLI_Write_Compare_Row(out.get(), "a", "b", "%.2f", 1.0, '<', "%.1f kN", 2.0);
    OLI_Write_Compare_Row_Marked(out.get(), "c", "d", "%.2f", 3.0, '>', "%.1f", 2.0, 0, "!");
    OLI_End_Columns(out.get());
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x40\n7\n0x0 2\n2 2\n2 6\n-1\n"
                           " a" OLI_SEQ_TAB "b" OLI_SEQ_TAB "1.00 < 2.0 kN\n"
                           " c" OLI_SEQ_TAB "d" OLI_SEQ_TAB OLI_SEQ_BOLD "3.00" OLI_SEQ_BOLD " > " OLI_SEQ_BOLD
                           "2.0" OLI_SEQ_BOLD "  !\n"
                           "#END_OF_TEXT\n0x1004\n2 -0.38\n0x60\n7\n2 17 2 0\n0x0 2\n2 2\n2 6\n-1\n"
                           " " OLI_SEQ_BOLD "!!\n"
                           "#END_OF_TEXT\n0x0\n-1\n");
}

TEST_F(CellTexts, InCellDrawing) {
    File_Stream out;
    OLI_Cell_Rule(out.get(), 0.5);
    OLI_Cell_Rule(out.get(), 7.0);
    OLI_Cell_Rule(out.get(), NAN);
    OLI_Cell_Double_Rule(out.get(), 0.05);
    OLI_Cell_Line(out.get(), 1.0, 2.0, -1.0, 0.25);
    OLI_Cell_Rectangle(out.get(), 3, 0.5, 0.5, 0.9, 0.2);
    OLI_Cell_Fill(out.get(), 4);
    OLI_Cell_Rule(nullptr, 0.5);
    EXPECT_EQ(out.bytes(), " \xCE{\xCEL 0 -1 -1 0.500000 0.500000 }"
                           " \xCE{\xCEL 0 -1 -1 1.000000 1.000000 }"
                           " \xCE{\xCEL 0 -1 -1 0.000000 0.000000 }"
                           " \xCE{\xCEL 0 -1 -1 0.000000 0.000000 } "
                           " \xCE{\xCEL 0 -1 -1 0.150000 0.150000 } "
                           " \xCE{\xCEL 0 1.000000 2.000000 0.000000 0.250000 } "
                           " \xCE{\xCER 3 0.500000 0.500000 0.200000 0.900000 } "
                           " \xCE{\xCER 4 -1 -1 -1 -1} ");
}

TEST_F(CellTexts, CombinationFactorTexts) {
    OLI_Combination_Record record{};
    Init_Combination_Record(4, 3, &record);
    ASSERT_EQ(record.case_count, 4);
    ASSERT_EQ(record.flag, 1);
    EXPECT_EQ(record.case_numbers[3], 4);
    // All factors 1.0: the load cases joined by "+".
    EXPECT_EQ(OLI_Combination_Factor_Text(&record, 0, nullptr), "Lf1+Lf2+Lf3+Lf4");

    // Equal factor pairs are gathered behind their common factors.
    OLI_Combination& c = record.combinations[1];
    c.factors_1[0] = 1.35;
    c.factors_1[1] = 1.5;
    c.factors_1[3] = 1.5;
    c.factors_2[1] = 0.7;
    c.factors_2[3] = 0.7;
    EXPECT_EQ(OLI_Combination_Factor_Text(&record, 1, nullptr),
              "1.35" OLI_SEQ_SUP "." OLI_SEQ_RESET "Lf1+1.5" OLI_SEQ_SUP "." OLI_SEQ_RESET "0.7" OLI_SEQ_SUP
              "." OLI_SEQ_RESET "(Lf2+Lf4)+Lf3");

    // The caller's names; a factor printed as 1 is no factor.
    record.combinations[2].factors_1[2] = 1.001;
    record.combinations[2].factors_2[0] = 0.123456;
    auto names = [](int n) -> const char* { return n == 1 ? "G" : (n == 2 ? "" : nullptr); };
    EXPECT_EQ(OLI_Combination_Factor_Text(&record, 2, names), "0.12" OLI_SEQ_SUP "." OLI_SEQ_RESET "G+Lf2+Lf3+Lf4");
    EXPECT_EQ(OLI_Combination_Factor_Text(&record, 3, nullptr), "");

    Free_Combination_Record(&record);
    EXPECT_EQ(record.combinations, nullptr);
    EXPECT_EQ(record.combination_count, 0);
    Free_Combination_Record(&record);  // twice is harmless
}

TEST_F(CellTexts, CombinationNames) {
    EXPECT_STREQ(Get_Combination_Name(0), "???");
    const char table[3][6] = {{'L', 'K', ' ', '1', 0, 0}, {'A', 'B', 'C', 'D', 'E', 'F'}, {'x', 0, 0, 0, 0, 0}};
    Set_Combination_Names(&table[0][0], 6, 3);
    EXPECT_STREQ(Get_Combination_Name(0), "LK 1");
    EXPECT_STREQ(Get_Combination_Name(1), "ABCDEF");  // a full entry without its zero
    EXPECT_STREQ(Get_Combination_Name(3), "???");
    EXPECT_STREQ(Get_Combination_Name(-1), "???");
}

TEST_F(CellTexts, CombinationTableGolden) {
    OLI_Combination_Record record{};
    Init_Combination_Record(2, 2, &record);
    record.combinations[1].factors_1[0] = 1.35;
    record.combinations[1].factors_1[1] = 1.5;
    const char names[2][12] = {"Eigenlast", "Grundkomb."};
    Set_Combination_Names(&names[0][0], 12, 2);
    auto situation = [](int i, int) -> const char* { return i == 0 ? "st\x84ndig" : "vor\x81" "b."; };
    const int32_t declared = oli_table_declared_columns;
    oli_table_declared_columns = 0;

    File_Stream out;
    OLI_Write_Combination_Table(out.get(), &record, situation, nullptr);
    EXPECT_EQ(out.bytes(),
              "#OLI_YPOS 1 0.1\n"
              "#SHOWTABLE\n 0 0 0\n"
              " 3 0 -1 -1 4\n"
              " 4.000000 12.000000 15.000000 18.000000\n"
              " \xCE" "rLK \xCE" "rBezeichnung \xCE" "rBemessungssit. \xCE" "r  Faktorisierung  \n"
              "   1  Eigenlast   st\x84ndig        Lf1+Lf2         \n"
              "   2  Grundkomb.  vor\x81" "b.         1.35\xCE/.\xCErLf1+1.5\xCE/.\xCErLf2\n"
              "#END_OF_TEXT\n"
              "#OLI_YPOS 1 -0.4\n"
              "#OLI_FLAGS 0x380\n");
    EXPECT_EQ(oli_table_declared_columns, 7);
    oli_table_declared_columns = declared;
    Free_Combination_Record(&record);
}
