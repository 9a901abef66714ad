#include "report/oli_attributes.h"
#include "report/oli_channel.h"

#include "test_support.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

class ReportChannel : public ::testing::Test {
protected:
    void SetUp() override { oli_channel_mode = OLI_MODE_UNINITIALISED; }
    File_Stream out;
};

const char* const OPEN_DEFAULT = "\n#SHOWPARA\n0x0\n4\n-1\n";

} // namespace

TEST_F(ReportChannel, ExampleBlockWithTabsSpaceAndEnd)
{
    OLI_Reset_Text_Attributes();
    const double tabs[] = {3.5, 7.0};
    OLI_Set_Tab_Stops(2, nullptr, tabs, 2);
    EXPECT_EQ(OLI_Printf(out.get(), "Zeile %d\n", 1), 0);
    OLI_Add_Paragraph_Space(0.3);
    EXPECT_EQ(OLI_Printf(out.get(), "%s" OLI_SEQ_TAB "%.2f\n", "Zeile 2", 2.5), 0);
    EXPECT_EQ(OLI_End_Text_Block(out.get()), 0);
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x40\n4\n0x0 2\n2 3.5\n2 7\n-1\n"
                           " Zeile 1\n"
                           "#END_OF_TEXT\n0x1004\n2 0.3\n0x40\n4\n0x0 2\n2 3.5\n2 7\n-1\n"
                           " Zeile 2\xCE" "t2.50\n"
                           "#END_OF_TEXT\n0x0\n-1\n");
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);
    EXPECT_EQ(oli_tab_stops.count, 0);
}

TEST_F(ReportChannel, BlockEndCarriesPendingSpaceAndEndsPendingLine)
{
    EXPECT_EQ(OLI_Printf(out.get(), "a"), 0);
    OLI_Add_Paragraph_Space(0.3);
    EXPECT_EQ(OLI_End_Text_Block(out.get()), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) + " a\n#END_OF_TEXT\n0x1000\n2 0.3\n-1\n");
    // The space was consumed with the block.
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) + " a\n#END_OF_TEXT\n0x1000\n2 0.3\n-1\n" +
                               OPEN_DEFAULT + " b\n");
}

TEST_F(ReportChannel, LinesPendingAndEmptyPieces)
{
    // Empty text in mode 1 still opens the block; inside it writes nothing.
    EXPECT_EQ(OLI_Printf(out.get(), "%s", ""), 0);
    EXPECT_EQ(out.bytes(), OPEN_DEFAULT);
    EXPECT_EQ(OLI_Printf(out.get(), "%s", ""), 0);
    EXPECT_EQ(out.bytes(), OPEN_DEFAULT);

    EXPECT_EQ(OLI_Printf(out.get(), "erste "), 0);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_LINE_PENDING);
    EXPECT_EQ(OLI_Printf(out.get(), "zweite\n"), 0);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_BLOCK_OPEN);
    EXPECT_EQ(OLI_Printf(out.get(), "\n\n"), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "x\ny"), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) + " erste zweite\n \n \n x\n y");

    // A paragraph change ends the pending line first.
    OLI_Set_Text_Style(5);
    EXPECT_EQ(OLI_Printf(out.get(), "z\n"), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) +
                               " erste zweite\n \n \n x\n y\n#END_OF_TEXT\n0x4\n0x0\n5\n-1\n z\n");
}

TEST_F(ReportChannel, SpaceBeforeFirstTextStandsInOpeningRecordOnly)
{
    OLI_Add_Paragraph_Space(0.3);
    EXPECT_EQ(OLI_Printf(out.get(), "a\n"), 0);
    OLI_Set_Text_Style(3);
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x10\n4\n2 0.3\n-1\n a\n"
                           "#END_OF_TEXT\n0x4\n0x0\n3\n-1\n b\n");
}

TEST_F(ReportChannel, ForcedBreaksAndTransitionBit100)
{
    EXPECT_EQ(OLI_Printf(out.get(), "a\n"), 0);
    OLI_Force_New_Paragraph();
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    OLI_Force_New_Paragraph();
    OLI_Add_Paragraph_Space(0.5);
    EXPECT_EQ(OLI_Printf(out.get(), "c\n"), 0);
    // Unchanged attributes: no further change.
    EXPECT_EQ(OLI_Printf(out.get(), "d\n"), 0);
    OLI_Force_New_Paragraph();
    EXPECT_EQ(OLI_End_Text_Block(out.get()), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) +
                               " a\n#END_OF_TEXT\n0x2004\n0x0\n4\n-1\n"
                               " b\n#END_OF_TEXT\n0x3004\n2 0.5\n0x0\n4\n-1\n"
                               " c\n d\n#END_OF_TEXT\n0x2000\n-1\n");

    // Bit 0x80 requested and in effect gives the transition bit 0x100.
    File_Stream second;
    OLI_Set_Paragraph_Flags(0x80);
    EXPECT_EQ(OLI_Printf(second.get(), "a\n"), 0);
    OLI_Add_Paragraph_Space(1.25);
    EXPECT_EQ(OLI_Printf(second.get(), "b\n"), 0);
    EXPECT_EQ(second.bytes(), "\n#SHOWPARA\n0x80\n4\n-1\n a\n"
                              "#END_OF_TEXT\n0x1104\n2 1.25\n0x80\n4\n-1\n b\n");
}

namespace {
int Extra_Part_A(FILE* s, void* ctx) { return std::fprintf(s, "A %s\n", static_cast<const char*>(ctx)) > 0; }
int Extra_Part_B(FILE* s, void*) { return std::fprintf(s, "B\n") > 0; }
int Failing_Part(FILE*, void*) { return 0; }
} // namespace

TEST_F(ReportChannel, ParagraphRecordPartsInOrderAndDerivedFlags)
{
    OLI_Text_Attributes a = OLI_DEFAULT_ATTRIBUTES;
    a.flags = 0x10u | 0x08u | 0x4000u;  // stored 0x10 without a space disappears
    a.extra_part_1 = Extra_Part_A;
    a.extra_part_2 = Extra_Part_B;
    a.context = const_cast<char*>("ctx");
    a.text_style = 7;
    a.first_indent = 0.5;
    a.first_indent_kind = 17;
    a.second_indent_kind = 50;
    a.line_factor = 1.15;
    a.space_after = 0.123456789;
    a.space_after_kind = 4;
    a.int_2 = -3;
    EXPECT_EQ(OLI_Write_Paragraph_Record(out.get(), &a, 0), 0);
    EXPECT_EQ(out.bytes(), "0x4e2b\nA ctx\nB\n7\n1 0.5 2 0\n1.15\n4 0.123457\n0 -3\n");

    // A failing part is a write error and nothing after it is written.
    File_Stream second;
    a.extra_part_2 = Failing_Part;
    EXPECT_EQ(OLI_Write_Paragraph_Record(second.get(), &a, 1), -1);
    EXPECT_EQ(second.bytes(), "\n#SHOWPARA\n0x4e2b\nA ctx\n");

    File_Stream third;
    OLI_Transition_Record t = {0x4 | 0x1000 | 0x20, 0.0, 2};  // 0x4 and 0x1000 are derived
    EXPECT_EQ(OLI_Write_Transition_Record(third.get(), &t, 1), 0);
    EXPECT_EQ(OLI_Write_Transition_Record(third.get(), nullptr, 0), 0);
    EXPECT_EQ(OLI_Write_Paragraph_Change(third.get(), nullptr, nullptr), 0);
    EXPECT_EQ(OLI_Write_Zero_Line(third.get()), 0);
    EXPECT_EQ(third.bytes(), "0x20\n-1\n0x4\n0x4\n0x0\n4\n0\n\n");
}

TEST_F(ReportChannel, TabListsAndGrid)
{
    double pos[101];
    for (int i = 0; i < 101; ++i) pos[i] = 0.5 * (i + 1);
    std::string hundred = "0x40\n4\n0x0 100\n";
    char line[32];
    for (int i = 0; i < 100; ++i) {
        std::snprintf(line, sizeof line, "2 %.6g\n", pos[i]);
        hundred += line;
    }

    OLI_Reset_Text_Attributes();
    OLI_Set_Tab_Stops(2, nullptr, pos, 100);
    EXPECT_EQ(OLI_Write_Paragraph_Record(out.get(), &oli_requested_attributes, 0), 0);
    EXPECT_EQ(out.bytes(), hundred);

    File_Stream cut;
    OLI_Set_Tab_Stops(2, nullptr, pos, 101);
    EXPECT_EQ(oli_tab_stops.count, 100);
    EXPECT_EQ(OLI_Write_Paragraph_Record(cut.get(), &oli_requested_attributes, 0), 0);
    EXPECT_EQ(cut.bytes(), hundred);

    // Own kinds: 17 has unit code 1, 50 code 2, 4 code 4; then an emptied list and a grid.
    File_Stream mixed;
    const int kinds[] = {17, 50, 4};
    const double at[] = {1.0, 2.25, 10.0};
    OLI_Set_Tab_Stops(2, kinds, at, 3);
    EXPECT_EQ(OLI_Write_Current_Tabs(mixed.get(), nullptr), 1);
    OLI_Clear_Tab_Stops();
    EXPECT_EQ(OLI_Write_Current_Tabs(mixed.get(), nullptr), 1);
    OLI_Set_Tab_Grid(2, 5.0);
    EXPECT_EQ(OLI_Write_Current_Tabs(mixed.get(), nullptr), 1);
    EXPECT_EQ(OLI_Write_Tab_Record(mixed.get(), 1, nullptr, at, -4), 1);
    EXPECT_EQ(mixed.bytes(), "0x0 3\n1 1\n2 2.25\n4 10\n0x0 0\n0x2\n2 5\n0x0 0\n");
}

TEST_F(ReportChannel, NullStream)
{
    EXPECT_EQ(OLI_Printf(nullptr, "text\n"), -1);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_UNINITIALISED);  // nothing done

    EXPECT_EQ(OLI_Printf(out.get(), "a"), 0);
    const double at[] = {2.0};
    OLI_Set_Tab_Stops(2, nullptr, at, 1);
    OLI_Set_Text_Style(6);
    EXPECT_EQ(OLI_End_Text_Block(nullptr), -1);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);
    EXPECT_EQ(oli_tab_stops.count, 0);
    EXPECT_TRUE(OLI_Same_Attributes(oli_requested_attributes, OLI_DEFAULT_ATTRIBUTES));

    EXPECT_EQ(OLI_Write_Paragraph_Record(nullptr, nullptr, 1), -1);
    EXPECT_EQ(OLI_Write_Transition_Record(nullptr, nullptr, 1), -1);
    EXPECT_EQ(OLI_Write_Minus_One(nullptr), -1);
    EXPECT_EQ(OLI_Write_End_Of_Text(nullptr), -1);
    EXPECT_EQ(OLI_Write_Tab_Record(nullptr, 2, nullptr, at, 1), 0);
    EXPECT_EQ(OLI_Write_Tab_Grid_Record(nullptr, 2, 1.0), 0);
}

TEST_F(ReportChannel, EndWithoutOpenBlock)
{
    // First use: initialised, change counter 1, still -1.
    EXPECT_EQ(OLI_End_Text_Block(out.get()), -1);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);
    EXPECT_EQ(oli_tab_stops.change_counter, 1);
    EXPECT_EQ(OLI_End_Text_Block(out.get()), -1);
    EXPECT_EQ(oli_tab_stops.change_counter, 2);
    EXPECT_EQ(out.bytes(), "");
}

TEST_F(ReportChannel, WriteFailureReturnsMinusOne)
{
    FILE* full = std::fopen("/dev/full", "w");
    if (!full) GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    EXPECT_EQ(OLI_Printf(full, "Text\n"), -1);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);  // the opening record failed
    EXPECT_EQ(OLI_Write_End_Of_Text(full), -1);
    EXPECT_EQ(OLI_Write_Tab_Grid_Record(full, 2, 1.0), 0);

    // A block opened elsewhere and ended on the full device.
    EXPECT_EQ(OLI_Printf(out.get(), "a\n"), 0);
    EXPECT_EQ(OLI_End_Text_Block(full), -1);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);
    std::fclose(full);
}

TEST_F(ReportChannel, LongTextsAreWrittenWhole)
{
    std::string t999(999, 'x'), t1000(1000, 'y'), t5000(5000, 'z');
    EXPECT_EQ(OLI_Printf(out.get(), "%s\n", t999.c_str()), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "%s", t1000.c_str()), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "%s|%d\n", t5000.c_str(), 42), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) + " " + t999 + "\n " + t1000 + t5000 + "|42\n");
}

TEST_F(ReportChannel, TextIsNeverAFormatAndControlBytesPass)
{
    EXPECT_EQ(OLI_Printf(out.get(), "%s", "100 % " OLI_SEQ_BOLD "fest" OLI_SEQ_RESET " \x81\n"), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "0x%x %.6g\n", 0u, 2.0 / 3.0), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) + " 100 % \xCE" "bfest\xCE" "r \x81\n 0x0 0.666667\n");
}

TEST_F(ReportChannel, ComparisonIsFieldByField)
{
    OLI_Text_Attributes a;
    std::memset(static_cast<void*>(&a), 0xAB, sizeof a);  // garbage in the padding
    a.flags = 0;
    a.extra_part_1 = a.extra_part_2 = nullptr;
    a.text_style = 4;
    a.space_before = a.space_after = 0.0;
    a.space_before_kind = a.space_after_kind = 2;
    a.first_indent = a.second_indent = 0.0;
    a.first_indent_kind = a.second_indent_kind = 2;
    a.line_factor = 1.0;
    a.int_1 = a.int_2 = 0;
    a.tab_callback = nullptr;
    a.context = nullptr;
    EXPECT_TRUE(OLI_Same_Attributes(a, OLI_DEFAULT_ATTRIBUTES));
    a.second_indent_kind = 1;
    EXPECT_FALSE(OLI_Same_Attributes(a, OLI_DEFAULT_ATTRIBUTES));

    // A NaN line factor changes the paragraph once, not at every text.
    EXPECT_EQ(OLI_Printf(out.get(), "a\n"), 0);
    OLI_Set_Line_Factor(std::nan(""));
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "c\n"), 0);
    EXPECT_EQ(out.bytes(), std::string(OPEN_DEFAULT) + " a\n#END_OF_TEXT\n0x4\n0x400\n4\nnan\n-1\n b\n c\n");
}

TEST(ReportPlainText, StripAndConvert)
{
    char colour[] = "rot: \xCE{C 1 230 0 0}Fehler\xCE{C 768} ende";
    OLI_Strip_Control_Codes(colour, 1, 0);
    EXPECT_STREQ(colour, "rot: Fehler ende");

    char index[] = "f\xCE\\yk\xCE" "r = 5 N/mm\xCE/2";
    OLI_Strip_Control_Codes(index, 1, 0);
    EXPECT_STREQ(index, "fyk = 5 N/mm2");

    char open_group[] = "a\xCE{C 1\nb\xCE";
    OLI_Strip_Control_Codes(open_group, 1, 0);
    EXPECT_STREQ(open_group, "a\nb");

    char cut_group[] = "a\xCE{L 0 1";
    OLI_Strip_Control_Codes(cut_group, 1, 0);
    EXPECT_STREQ(cut_group, "a");

    // Umlauts, box lines, shades, the dotless i, blank and the low specials.
    char convert[] = "\x81\x84\x94\xE1\x8E\xC4\xB3\xC9\xB0\xD5\xFF\xDF\x9F\x0F\x14\x15\xCE" "A";
    OLI_Strip_Control_Codes(convert, 0, 1);
    EXPECT_STREQ(convert, "\xFC\xE4\xF6\xDF\xC4-\xA6+_i \xB7\x83\xA4\xB6\xA7+A");

    OLI_Strip_Control_Codes(nullptr, 1, 1);
}
