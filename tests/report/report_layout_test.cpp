#include "report/report_layout.h"
#include "report/oli_channel.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

TEST(ReportLayout, OneKeywordLinePerCall)
{
    oli_channel_mode = OLI_MODE_UNINITIALISED;
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    OLI_setFlags(f, 0x380);
    OLI_setFlags(f, 640);
    OLI_reserveSpaceCM(f, 3.0f);
    OLI_reserveSpaceCM(f, 16.0f);
    OLI_setYPositionCM(f, 1, 0.114f);
    OLI_setYPositionCM(f, 1, -0.19f);
    OLI_setYPositionCM(f, 1, -0.60113335f);
    OLI_setYPositionCM(f, 4, 0.0f);
    OLI_setMarginsCM(f, 1, 12.0f, 0.0f);
    OLI_storeYPosition(f, 1);
    OLI_restoreYPosition(f, 1);
    OLI_setBookmark(f, 16, "\xCE@2. Bemessung");
    OLI_setBookmark(f, 17, nullptr);
    OLI_setBookmark(f, 15, "");
    OLI_setBookmark(f, 0, "zwei\r\nZeilen");
    OLI_setLayout(f, 0x1013);
    OLI_setConvertionFlags(f, 1);
    OLI_setMarginsChar(f, 1, 10, 0);
    OLI_resetMaxMargin(f);
    EXPECT_EQ(Stream_Bytes(f), "#OLI_FLAGS 0x380\n"
                               "#OLI_FLAGS 0x280\n"
                               "#OLI_RESERVE 3\n"
                               "#OLI_RESERVE 16\n"
                               "#OLI_YPOS 1 0.114\n"
                               "#OLI_YPOS 1 -0.19\n"
                               "#OLI_YPOS 1 -0.601133\n"
                               "#OLI_YPOS 4 0\n"
                               "#OLI_MARGINS 1 12 0\n"
                               "#OLI_STORE_Y 1\n"
                               "#OLI_RESTORE_Y 1\n"
                               "#OLI_BOOKMARK 16 \xAE\xCE@2. Bemessung\xAF\n"
                               "#OLI_BOOKMARK 17\n"
                               "#OLI_BOOKMARK 15 \xAE\xAF\n"
                               "#OLI_BOOKMARK 0 \xAEzwei  Zeilen\xAF\n"
                               "#OLI_LAYOUT 0x1013\n"
                               "#OLI_CONVERSION 1\n"
                               "#OLI_MARGINS_CHAR 1 10 0\n"
                               "#OLI_RESET_MAX_MARGIN\n");
    std::fclose(f);

    // A null stream writes nothing and does not fail.
    OLI_setFlags(nullptr, 1);
    OLI_reserveSpaceCM(nullptr, 1.0f);
    OLI_setBookmark(nullptr, 16, "x");
    OLI_resetMaxMargin(nullptr);
}

TEST(ReportLayout, PendingTextLineIsEndedFirst)
{
    oli_channel_mode = OLI_MODE_UNINITIALISED;
    FILE* f = std::tmpfile();
    FILE* other = std::tmpfile();
    ASSERT_EQ(OLI_Printf(f, "Titel"), 0);
    OLI_setFlags(other, 896);  // another stream leaves the pending line alone
    OLI_reserveSpaceCM(f, 3.0f);
    ASSERT_EQ(OLI_Printf(f, "weiter\n"), 0);
    OLI_setYPositionCM(f, 1, 0.1f);  // no line pending: nothing added
    ASSERT_EQ(OLI_End_Text_Block(f), 0);
    EXPECT_EQ(Stream_Bytes(f), "\n#SHOWPARA\n0x0\n4\n-1\n Titel\n#OLI_RESERVE 3\n weiter\n"
                               "#OLI_YPOS 1 0.1\n#END_OF_TEXT\n0x0\n-1\n");
    EXPECT_EQ(Stream_Bytes(other), "#OLI_FLAGS 0x380\n");
    std::fclose(f);
    std::fclose(other);
}

TEST(ReportLayout, VisibleLength)
{
    EXPECT_EQ(MT_String_Length(nullptr), 0);
    EXPECT_EQ(MT_String_Length("N/mm\xCE/2\xCE" "r\n"), 5);
    EXPECT_EQ(MT_String_Length(" \xCE{C 1 230 0 0}rot\xCE{C 768}"), 4);
    EXPECT_EQ(MT_String_Length("ab\xCE"), 2);
}

TEST(ReportLayout, TableFileIsRead)
{
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("list.tab"),
                                 "vorher\r\n#SHOWTABLE\r\n0 0 0\r\n0 0 -1 -1\r\n Fehler 1\r\n\r\n#END_OF_TEXT\r\nrest\n"));
    FILE* f = std::fopen(dir.file("list.tab").c_str(), "r");
    ASSERT_NE(f, nullptr);
    OLI_Table* table = readOLITableFromFILE(f);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->lines, (std::vector<std::string>{"0 0 0", "0 0 -1 -1", " Fehler 1", ""}));
    deleteOLITable(table);

    // No table block left in the stream.
    EXPECT_EQ(readOLITableFromFILE(f), nullptr);
    EXPECT_EQ(readOLITableFromFILE(nullptr), nullptr);
    deleteOLITable();
    std::fclose(f);
}
