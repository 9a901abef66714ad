#include "report/collected_lists.h"

#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"
#include "report/text_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class CollectedLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        oli_channel_mode = OLI_MODE_UNINITIALISED;
        OLI_Reset_Text_Attributes();
        heading_state.left_margin = 0.0f;
        heading_state.right_margin = 0.0f;
        OLI_Free_All_Positions();
        oli_comment_switch = 1;
        Plot_Set_Report_Format_Level(PLOT_REPORT_FORMAT_LEVEL);
        for (int list = 0; list < COLLECTED_LIST_COUNT; ++list) {
            OLI_Open_Collected_List(list);
            OLI_Flush_Collected_List(list, 0, nullptr);  // closes, leaves the type at 1
        }
    }

    // Leaves the shared writer state as other suites expect it; the framed lists leave
    // their graphic stream behind, and the test's stream goes away.
    void TearDown() override
    {
        plot_state.plot_graphic_stream = nullptr;
        oli_comment_switch = 1;
        heading_state.left_margin = 0.0f;
        OLI_Free_All_Positions();
    }

    // List 4 with an entry, a continuation, a blank entry and a second entry.
    static void Fill_Sample()
    {
        OLI_Open_Collected_List(4);
        OLI_Add_To_Collected_List(4, "%s", "Erstens");
        OLI_Add_To_Collected_List(4, "+weiter");
        OLI_Add_To_Collected_List(4, "   ");
        OLI_Add_To_Collected_List(4, "Zweitens %d", 2);
    }

    File_Stream out;
};

const char* const TABLE_HEAD = "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n";

} // namespace

TEST_F(CollectedLists, TableModesWriteTheirLineForms)
{
    struct Case {
        int mode;
        const char* body;
    };
    const Case cases[] = {
        {0, " Erstens\n weiter\n \n Zweitens 2\n"},
        {1, " \xCE/o\xCEr Erstens\n   weiter\n \n \xCE/o\xCEr Zweitens 2\n"},
        {2, "  0 Erstens\n    weiter\n \n  3 Zweitens 2\n"},
        {3, " >>> Erstens !\n     weiter !\n \n >>> Zweitens 2 !\n"},
    };
    for (const Case& c : cases) {
        Fill_Sample();
        EXPECT_EQ(OLI_Collected_List_Size(4), 4);
        File_Stream s;
        OLI_Flush_Collected_List(4, c.mode, s.get());
        EXPECT_EQ(s.bytes(), std::string(TABLE_HEAD) + c.body + "#END_OF_TEXT\n") << "mode " << c.mode;
        EXPECT_EQ(OLI_Collected_List_Is_Open(4), 0);
        EXPECT_STREQ(OLI_Get_Collected_Entry(4, 0), "?????");
    }
}

TEST_F(CollectedLists, EmptyListIsAnEmptyTableAndClosedListsWriteNothing)
{
    OLI_Open_Collected_List(0);
    OLI_Flush_Collected_List(0, 1, out.get());
    EXPECT_EQ(out.bytes(), std::string(TABLE_HEAD) + "#END_OF_TEXT\n");
    OLI_Flush_Collected_List(0, 1, out.get());  // closed now
    OLI_Add_To_Collected_List(0, "nicht offen");
    EXPECT_EQ(OLI_Collected_List_Size(0), 0);
    EXPECT_EQ(out.bytes(), std::string(TABLE_HEAD) + "#END_OF_TEXT\n");
}

TEST_F(CollectedLists, TableBlockEndsAnOpenParagraphFirst)
{
    OLI_Printf(out.get(), "offen");
    OLI_Open_Collected_List(1);
    OLI_Add_To_Collected_List(1, "Hinweis");
    OLI_Flush_Collected_List(1, 0, out.get());
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x0\n4\n-1\n offen\n#END_OF_TEXT\n0x0\n-1\n"
                           "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n Hinweis\n#END_OF_TEXT\n");
}

TEST_F(CollectedLists, TextModesWriteCommentsOrPlainLines)
{
    Fill_Sample();
    OLI_Flush_Collected_List(4, 4, out.get());
    EXPECT_EQ(out.bytes(),
              "\n#SHOWPARA\n0x0\n3\n-1\n Erstens\n#END_OF_TEXT\n0x0\n-1\n"
              "\n#SHOWPARA\n0x0\n4\n-1\n \n"
              "#END_OF_TEXT\n0x4\n0x0\n3\n-1\n Zweitens 2\n#END_OF_TEXT\n0x0\n-1\n");

    Fill_Sample();
    File_Stream plain;
    OLI_Flush_Collected_List(4, 7, plain.get());
    OLI_End_Text_Block(plain.get());
    EXPECT_EQ(plain.bytes(), "\n#SHOWPARA\n0x0\n4\n-1\n Erstens\n weiter\n \n Zweitens 2\n#END_OF_TEXT\n0x0\n-1\n");
}

TEST_F(CollectedLists, LimitsOfListsAndEntries)
{
    OLI_Open_Collected_List(10);
    for (int i = 0; i < 101; ++i) OLI_Add_To_Collected_List(10, "Eintrag %d", i);
    EXPECT_EQ(OLI_Collected_List_Size(10), 100);
    EXPECT_STREQ(OLI_Get_Collected_Entry(10, 99), "Eintrag 99");
    EXPECT_STREQ(OLI_Get_Collected_Entry(10, 100), "?????");

    OLI_Open_Collected_List(3);
    std::string longer(400, 'w');
    OLI_Add_To_Collected_List(3, "%s", longer.c_str());
    EXPECT_EQ(std::string(OLI_Get_Collected_Entry(3, 0)), std::string(299, 'w'));
    OLI_Add_To_Collected_List(3, "%s", "");  // an empty entry is a blank one
    EXPECT_EQ(OLI_Collected_List_Size(3), 2);
    EXPECT_EQ(collected_lists.counts[3], 1);
    // Text after a long run of blanks is still an entry.
    OLI_Add_To_Collected_List(3, "%120sx", "");
    EXPECT_EQ(collected_lists.counts[3], 2);

    // List numbers outside 0..10 are ignored.
    OLI_Open_Collected_List(11);
    OLI_Add_To_Collected_List(11, "x");
    OLI_Flush_Collected_List(11, 0, out.get());
    EXPECT_EQ(OLI_Collected_List_Size(11), 0);
    EXPECT_EQ(out.bytes(), "");

    OLI_Drop_Collected_Entries(3, 5);
    EXPECT_EQ(collected_lists.counts[3], 0);
    EXPECT_EQ(OLI_Collected_List_Size(3), 1);
}

TEST_F(CollectedLists, ColumnListsAreWrittenInColumnsAndFallBackToPlain)
{
    OLI_Open_Collected_List_2(5, 0.0, 6.0);
    OLI_Add_To_Collected_List(5, "A");
    OLI_Add_To_Collected_List(5, "1");
    OLI_Add_To_Collected_List(5, " ");
    OLI_Add_To_Collected_List(5, "B");
    OLI_Add_To_Collected_List(5, "2");
    OLI_Flush_Collected_List(5, 0, out.get());
    const std::string bytes = out.bytes();
    EXPECT_NE(bytes.find(" A\xCEt" "1\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\n2 0.19\n"), std::string::npos) << bytes;  // the blank entry's space
    EXPECT_NE(bytes.find(" B\xCEt" "2\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("#SHOWTABLE"), std::string::npos);
    EXPECT_EQ(collected_lists.types[5], 1);

    // Opened again plainly, it stays a plain list.
    OLI_Open_Collected_List(5);
    OLI_Add_To_Collected_List(5, "C");
    File_Stream again;
    OLI_Flush_Collected_List(5, 0, again.get());
    EXPECT_EQ(again.bytes(), std::string(TABLE_HEAD) + " C\n#END_OF_TEXT\n");
}

TEST_F(CollectedLists, FramedListDrawsItsFrameAndIndentsTheLines)
{
    OLI_Open_Collected_List(8);
    OLI_Add_To_Collected_List(8, "Eins");
    OLI_Add_To_Collected_List(8, "Zwei");
    OLI_Write_Collected_List(out.get(), 8, 5.0);
    // Height (2 + 0.8) x 0.38 = 1.064 cm.
    EXPECT_EQ(out.bytes(),
              "#OLI_RESERVE 1.564\n"
              "#OLI_STORE_Y 0\n"
              "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n"
              "0.000000 5.000000 0.000000 1.064000\n"
              " 1  0.000000 0.000000 0.000000 1.064000\n"
              " 1  0.000000 1.064000 5.000000 1.064000\n"
              " 1  5.000000 1.064000 5.000000 0.000000\n"
              " 1  5.000000 0.000000 0.000000 0.000000\n"
              " -1\n"
              "#OLI_RESTORE_Y 0\n"
              "#OLI_YPOS 1 0.19\n"
              "#OLI_MARGINS 1 0.3 0\n"
              "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n Eins\n Zwei\n#END_OF_TEXT\n"
              "#OLI_MARGINS 1 0 0\n");
    EXPECT_EQ(oli_position_slots[0], 0);
    EXPECT_EQ(OLI_Collected_List_Is_Open(8), 0);
}

TEST_F(CollectedLists, CompactFramedListForcesCommentsAndTakesTheWidestEntry)
{
    oli_comment_switch = 0;
    OLI_Open_Collected_List(9);
    OLI_Add_To_Collected_List(9, "1234567890");
    OLI_Add_To_Collected_List(9, "+fort");
    OLI_Write_Collected_List_Compact(out.get(), 9, -1.0);
    const std::string bytes = out.bytes();
    // Height (2 + 0.8) x 0.286 = 0.8008 cm, width 10 x 0.18 = 1.8 cm.
    EXPECT_NE(bytes.find("#OLI_RESERVE 1.3008\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\n0.000000 1.800000 0.000000 0.800800\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\n#SHOWPARA\n0x0\n3\n-1\n 1234567890\n#END_OF_TEXT\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("fort"), std::string::npos);
    EXPECT_EQ(oli_comment_switch, 0);
}

