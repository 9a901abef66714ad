#include "report/text_writer.h"

#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"
#include "test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

// Every test starts from a fresh channel and the page head's heading set-up (flat,
// numbers on, bookmarks to level 6, groups at level 1) unless it sets up its own.
class TextWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        oli_channel_mode = OLI_MODE_UNINITIALISED;
        OLI_Reset_Text_Attributes();
        Page_Head_Numbering(1);
        heading_state.base_margin = 0.0;
        heading_state.left_margin = 0.0f;
        heading_state.right_margin = 0.0f;
        heading_state.output_switch = 1;
        OLI_Free_All_Positions();
        OLI_Set_Text_Width(17.0);
        OLI_Set_Line_Style(7);
        OLI_Set_Number_Trimming(0);
        oli_line_switch = 1;
        oli_comment_switch = 1;
        Plot_Set_Report_Format_Level(PLOT_REPORT_FORMAT_LEVEL);
    }
    void TearDown() override
    {
        Plot_Set_Report_Format_Level(PLOT_REPORT_FORMAT_LEVEL);
        OLI_Set_Number_Trimming(0);
        heading_state.left_margin = 0.0f;
        heading_state.right_margin = 0.0f;
        OLI_Free_All_Positions();
    }

    static void Page_Head_Numbering(int flags)
    {
        OLI_Init_Heading_Numbering(0, 0, flags);
        OLI_Set_Bookmark_Depth(6);
        OLI_Set_Bookmark_Group_Depth(1);
    }

    // The lines of the output that begin with prefix, each with its line end.
    std::string Lines_Starting(const std::string& prefix) const
    {
        std::istringstream in(out.bytes());
        std::string line, picked;
        while (std::getline(in, line))
            if (line.compare(0, prefix.size(), prefix) == 0) picked += line + "\n";
        return picked;
    }

    File_Stream out;
};

} // namespace

// ---------------------------------------------------------------------------------
// Headings as the corbel report writes them

TEST_F(TextWriter, PageHeadHeadingsFlatWithNumbersAndBookmarks)
{
    FILE* s = out.get();
    OLI_Write_Heading_No_Bookmark(s, 1, 16, "%s", "Eingabeprotokoll");
    OLI_Write_Heading_No_Bookmark(s, 2, 0, "System");
    OLI_Write_Heading_No_Bookmark(s, 2, 0, "Datencheck");
    OLI_Write_Heading_No_Bookmark(s, 1, 16, "Bemessung");
    EXPECT_EQ(out.bytes(),
              // 1. Eingabeprotokoll: plain line in style 5, group bookmark, space after
              "#OLI_YPOS 1 0.254\n#OLI_RESERVE 3\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@1. Eingabeprotokoll\xAF\n"
              "\n#SHOWPARA\n0x0\n5\n-1\n"
              " \xCE@1. Eingabeprotokoll\n"
              "#END_OF_TEXT\n0x1000\n2 0.1\n-1\n"
              "#OLI_YPOS 1 0.1\n#OLI_YPOS 1 -0.19\n"
              // 1.1. System: emphasised line in style 4, bookmark of mode 0
              "#OLI_YPOS 1 0.254\n#OLI_RESERVE 3\n"
              "#OLI_BOOKMARK 0 \xAE\xCE@1.1. System\xAF\n"
              "\n#SHOWPARA\n0x0\n4\n-1\n"
              " \xCEH\xCE@1.1. System\xCEr\n"
              "#END_OF_TEXT\n0x0\n-1\n"
              // 1.2. Datencheck
              "#OLI_YPOS 1 0.254\n#OLI_RESERVE 3\n"
              "#OLI_BOOKMARK 0 \xAE\xCE@1.2. Datencheck\xAF\n"
              "\n#SHOWPARA\n0x0\n4\n-1\n"
              " \xCEH\xCE@1.2. Datencheck\xCEr\n"
              "#END_OF_TEXT\n0x0\n-1\n"
              // 2. Bemessung: nothing is ever closed through this writer
              "#OLI_YPOS 1 0.254\n#OLI_RESERVE 3\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@2. Bemessung\xAF\n"
              "\n#SHOWPARA\n0x0\n5\n-1\n"
              " \xCE@2. Bemessung\n"
              "#END_OF_TEXT\n0x1000\n2 0.1\n-1\n"
              "#OLI_YPOS 1 0.1\n#OLI_YPOS 1 -0.19\n");
    EXPECT_STREQ(OLI_Get_Heading_Number(), "2.");
}

TEST_F(TextWriter, SuppressedNumbersLeaveNoMarkerInLineOrBookmark)
{
    Page_Head_Numbering(3);
    FILE* s = out.get();
    OLI_Write_Heading_No_Bookmark(s, 1, 16, "Bemessung");
    OLI_Write_Heading_No_Bookmark(s, 2, 0, "Zugband");
    EXPECT_EQ(Lines_Starting("#OLI_BOOKMARK"),
              "#OLI_BOOKMARK 16 \xAE" "Bemessung\xAF\n"
              "#OLI_BOOKMARK 0 \xAEZugband\xAF\n");
    EXPECT_EQ(Lines_Starting(" "), " Bemessung\n \xCEHZugband\xCEr\n");
    EXPECT_EQ(out.bytes().find("\xCE@"), std::string::npos);
    EXPECT_EQ(OLI_Get_Heading_Number(), nullptr);
    // The counters still run, so numbers switched on again continue.
    OLI_Heading_Numbers_On();
    OLI_Write_Heading_Unmarked(s, 2, "Druckstrebe");
    EXPECT_STREQ(OLI_Get_Heading_Number(), "1.2.");
}

TEST_F(TextWriter, DeeperGroupsAreClosedBackToTheNewLevel)
{
    OLI_Set_Bookmark_Depth(4);
    OLI_Set_Bookmark_Group_Depth(3);
    FILE* s = out.get();
    OLI_Write_Heading(s, 1, "a");  // opens
    OLI_Write_Heading(s, 2, "b");  // opens inside
    OLI_Write_Heading(s, 3, "c");  // opens inside
    OLI_Write_Heading(s, 2, "d");  // closes 3 and the sibling 2
    OLI_Write_Heading(s, 4, "e");  // below the groups: mode 0, nothing closed
    OLI_Write_Heading(s, 5, "f");  // deeper than the bookmark depth: no bookmark
    OLI_Write_Heading(s, 1, "g");  // closes 2 and the sibling 1
    OLI_Write_Heading(s, 1, "h");  // closes the sibling
    OLI_Close_Bookmarks(s);        // closes the one open group
    EXPECT_EQ(Lines_Starting("#OLI_BOOKMARK"),
              "#OLI_BOOKMARK 16 \xAE\xCE@1. a\xAF\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@1.1. b\xAF\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@1.1.1. c\xAF\n"
              "#OLI_BOOKMARK 17\n#OLI_BOOKMARK 17\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@1.2. d\xAF\n"
              "#OLI_BOOKMARK 0 \xAE\xCE@1.2.0.1. e\xAF\n"
              "#OLI_BOOKMARK 17\n#OLI_BOOKMARK 17\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@2. g\xAF\n"
              "#OLI_BOOKMARK 17\n"
              "#OLI_BOOKMARK 16 \xAE\xCE@3. h\xAF\n"
              "#OLI_BOOKMARK 17\n");
}

TEST_F(TextWriter, NumberingAcrossLevels)
{
    struct Step {
        int level;
        const char* number;
    };
    const Step steps[] = {{1, "1."}, {3, "1.0.1."}, {2, "1.1."}, {2, "1.2."}, {1, "2."},
                          {2, "2.1."}, {9, "2.1.0.0.0.1."}, {6, "2.1.0.0.0.2."}, {2, "2.2."}};
    for (const Step& step : steps) {
        OLI_Write_Heading(out.get(), step.level, "x");
        EXPECT_STREQ(OLI_Get_Heading_Number(), step.number) << "level " << step.level;
    }
    EXPECT_EQ(heading_state.depth, 6);
    // A negative level counts nothing and writes nothing; level 0 counts nothing; without
    // a stream the counters still run.
    const std::string before = out.bytes();
    OLI_Write_Heading(out.get(), -1, "nie");
    OLI_Write_Heading(nullptr, 0, "nie");
    EXPECT_STREQ(OLI_Get_Heading_Number(), "2.2.");
    EXPECT_EQ(out.bytes(), before);
    OLI_Write_Heading(nullptr, 2, "stumm");
    EXPECT_EQ(OLI_Get_Level_Counter(2), 3);
    EXPECT_EQ(OLI_Get_Level_Counter(0), 2);  // clamped to level 1
}

TEST_F(TextWriter, LevelZeroIsAnEmphasisedLineOutsideTheNumbering)
{
    OLI_Write_Heading(out.get(), 1, "Eins");
    OLI_Set_Text_Style(7);
    File_Stream second;
    OLI_Write_Heading(second.get(), 0, "Hinweis %d", 3);
    EXPECT_EQ(second.bytes(),
              "#OLI_YPOS 1 0.114\n"
              "\n#SHOWPARA\n0x0\n4\n-1\n"
              " \xCEHHinweis 3\xCEr\n"
              "#END_OF_TEXT\n0x0\n-1\n");
    EXPECT_EQ(OLI_Get_Text_Style(), 7);
    EXPECT_STREQ(OLI_Get_Heading_Number(), "1.");
    EXPECT_EQ(heading_state.open_bookmark_level, 1);
}

TEST_F(TextWriter, CountedHeadingAdvancesBookmarksButWritesNoText)
{
    FILE* s = out.get();
    OLI_Count_Heading(s, 1, "Stillschweigend");
    EXPECT_EQ(out.bytes(),
              "#OLI_BOOKMARK 16 \xAE\xCE@1. Stillschweigend\xAF\n"
              "#OLI_YPOS 1 -0.19\n");
    EXPECT_EQ(heading_state.output_switch, 1);
    EXPECT_EQ(heading_state.open_bookmark_level, 1);
}

TEST_F(TextWriter, IndentedHeadingSetsTabStopAndMargins)
{
    // Not flat: the number is followed by a tab to the title's indent, and the text under
    // the heading starts at that indent.
    OLI_Init_Heading_Numbering(3, 1, 0);
    OLI_Write_Heading_Unmarked(out.get(), 1, "Titel");
    EXPECT_EQ(out.bytes(),
              "#OLI_MARGINS 1 0 0\n"
              "#OLI_YPOS 1 0.254\n#OLI_RESERVE 3\n"
              "\n#SHOWPARA\n0x40\n5\n0x0 1\n1 1.14\n-1\n"
              " \xCE@1.\xCEtTitel\n"
              "#END_OF_TEXT\n0x1000\n2 0.1\n-1\n"
              "#OLI_YPOS 1 0.1\n"
              "#OLI_MARGINS 1 1.14 0\n"
              "#OLI_YPOS 1 -0.19\n");
    EXPECT_FLOAT_EQ(static_cast<float>(OLI_Get_Left_Margin()), 1.14f);
}

TEST_F(TextWriter, HeadingAsGraphicInTheOlderFormat)
{
    Plot_Set_Report_Format_Level(334);
    OLI_Write_Heading_No_Bookmark(out.get(), 2, 0, "Titel");
    const std::string bytes = out.bytes();
    EXPECT_EQ(bytes.find("\xCE@"), std::string::npos);
    EXPECT_EQ(bytes,
              "#OLI_MARGINS 1 0 0\n#OLI_RESERVE 3\n"
              "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n"
              " 0.000000 17.000000 0.000000 0.700000\n"
              " 7 4\n"
              " 2 0.000000 0.100000 \xAE" "0.1. Titel\xAF\n"
              " 2 0.010000 0.100000 \xAE" "0.1. Titel\xAF\n"
              " 2 0.000000 0.110000 \xAE" "0.1. Titel\xAF\n"
              " 2 0.010000 0.110000 \xAE" "0.1. Titel\xAF\n"
              " -1\n"
              "#OLI_BOOKMARK 0 \xAE" "0.1. Titel\xAF\n"
              "#OLI_BOOKMARK 15 \xAE\xAF\n"
              "#OLI_YPOS 1 -0.6\n"
              "#OLI_MARGINS 1 0 0\n");
}

// ---------------------------------------------------------------------------------
// Positions and margins

TEST_F(TextWriter, PositionSlotsRunOutWithMessage)
{
    FILE* s = out.get();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(OLI_Store_Position(s), i);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(OLI_Store_Position(s), -1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Fehler in 'rodedod': Kein Positionierungsindex mehr frei!\n");
    OLI_Restore_Position(s, 3);
    OLI_Restore_Position(s, 3);   // freed already: ignored
    OLI_Restore_Position(s, -1);  // never a slot
    OLI_Peek_Position(s, 5);
    EXPECT_EQ(OLI_Store_Position(s), 3);
    std::string bytes = out.bytes();
    EXPECT_EQ(bytes.substr(bytes.find("#OLI_STORE_Y 9\n") + 15),
              "#OLI_RESTORE_Y 3\n#OLI_RESTORE_Y 5\n#OLI_STORE_Y 3\n");
}

// ---------------------------------------------------------------------------------
// Single lines

TEST_F(TextWriter, LineWithManySuperscriptsKeepsItsWholeTail)
{
    // Each 0xFD grows to "\xCE/2\xCEr" and the open bold run is re-opened after it: far more
    // than the 20 spare bytes a line once had.
    std::string text = OLI_SEQ_BOLD;
    std::string expanded = OLI_SEQ_BOLD;
    for (int i = 0; i < 120; ++i) {
        text += "A\xFD";
        expanded += "A" OLI_SEQ_SUP "2" OLI_SEQ_RESET OLI_SEQ_BOLD;
    }
    text += "Ende";
    expanded += "Ende";
    ASSERT_LE(text.size(), 254u);
    OLI_Write_Line(out.get(), "%s", text.c_str());
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x0\n7\n-1\n " + expanded + "\n#END_OF_TEXT\n0x0\n-1\n");
}

TEST_F(TextWriter, NumberTrimming)
{
    OLI_Set_Number_Trimming(1);
    const char* cases[][2] = {
        {"2.50 m und 10.00 kN", "2.5 m und 10 kN"},
        {"12.500 / 3.000 / 0.05", "12.5 / 3 / 0.05"},
        {"v.0 bleibt", "v.0 bleibt"},
        {".50 vorn", ".50 vorn"},
        {"hinten 7.", "hinten 7."},
        {"1.0", "1"},
    };
    for (const auto& c : cases) {
        File_Stream s;
        OLI_Write_Line(s.get(), "%s", c[0]);
        std::string bytes = s.bytes();
        EXPECT_NE(bytes.find(std::string("\n ") + c[1] + "\n"), std::string::npos) << c[0] << " -> " << bytes;
    }
}

TEST_F(TextWriter, OlderFormatLinesAreSmallTables)
{
    Plot_Set_Report_Format_Level(334);
    OLI_Write_Line(out.get(), OLI_SEQ_STYLE "Gesamt" OLI_SEQ_RESET);
    OLI_Write_Comment(out.get(), "Anmerkung");
    OLI_Write_Title_Line(out.get(), "Titel");
    EXPECT_EQ(out.bytes(),
              "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n \xCE_Gesamt\xCEr\n \n#END_OF_TEXT\n"
              "#OLI_YPOS 1 -0.38\n#OLI_YPOS 1 -0.601133\n"
              "#SHOWTABLE\n 0 0 1\n Anmerkung\n 0 0 0 0\n#OLI_YPOS 1 -0.85\n"
              "#SHOWTABLE\n 1 0 0\n Titel\n 0 0 0 0\n#OLI_YPOS 1 -0.9\n");
}

TEST_F(TextWriter, FlaggedLineMarksAFailureAtTheRightEdge)
{
    OLI_Write_Line_Flagged(out.get(), "geht", 1);
    OLI_Write_Line_Flagged(out.get(), "geht nicht", 0);
    EXPECT_EQ(out.bytes(),
              "#OLI_RESERVE 0.76\n"
              "\n#SHOWPARA\n0x0\n7\n-1\n geht\n#END_OF_TEXT\n0x0\n-1\n"
              "#OLI_RESERVE 0.76\n"
              "\n#SHOWPARA\n0x0\n7\n-1\n geht nicht\n#END_OF_TEXT\n0x0\n-1\n"
              "#OLI_YPOS 1 -0.38\n#OLI_MARGINS 1 17 0\n"
              "\n#SHOWPARA\n0x0\n7\n-1\n \xCE" "b!!\n#END_OF_TEXT\n0x0\n-1\n"
              "#OLI_MARGINS 1 0 0\n");
}

TEST_F(TextWriter, VersionLineWithoutVersionFileNamesTheDirectory)
{
    const char* saved = std::getenv("EXEC");
    std::string saved_value = saved ? saved : "";
    unsetenv("EXEC");
    OLI_Write_Version_Line(out.get(), "q7-di2ze");
    if (saved) setenv("EXEC", saved_value.c_str(), 1);
    // Margin 0 - 0.13333 x 21 + 18 = 15.20007, the comment, and the margin back.
    EXPECT_EQ(out.bytes(),
              "#OLI_MARGINS 1 15.2001 0\n"
              "\n#SHOWPARA\n0x0\n3\n-1\n Q7-DI2ZE Version: ???\n#END_OF_TEXT\n0x0\n-1\n"
              "#OLI_MARGINS 1 0 0\n");
}

TEST_F(TextWriter, StylesAreReopenedAfterAReplacement)
{
    char text[64] = "\xCE" "b\xCE\\x\xFA y";
    EXPECT_EQ(OLI_Replace_Reopen_Styles(text, "\xFA", "\xCE/3\xCEr", sizeof text), 1);
    EXPECT_STREQ(text, "\xCE" "b\xCE\\x\xCE/3\xCEr\xCE\\\xCE" "b y");

    char closed[64] = "\xCEubis\xCEr und\xFD";
    OLI_Replace_Reopen_Styles(closed, "\xFD", "\xCE/2\xCEr", sizeof closed);
    EXPECT_STREQ(closed, "\xCEubis\xCEr und\xCE/2\xCEr");

    EXPECT_EQ(OLI_Style_Open_At("\xCEr\xCE" "bX", OLI_SEQ_BOLD, 4), 1);

    // The result is cut to size - 2 characters.
    char small[8] = "ab\xFD";
    OLI_Replace_Reopen_Styles(small, "\xFD", "\xCE/2\xCEr", sizeof small);
    EXPECT_STREQ(small, "ab\xCE/2\xCE");
}

