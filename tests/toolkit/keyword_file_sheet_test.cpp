#include "toolkit/keyword_file_sheet.h"

#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "shot_pixels.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

// The file-name sheet on a 1280 x 1024 screen: its name field lies at (500, 518); Enter
// ends the field, a second Enter is OK, Esc cancels.
TEST(KeywordFileSheet, OpensTheNamedFileRemembersItAndTellsFailures)
{
    Temp_Dir dir;
    Write_File_Bytes(dir.file("a.txt"), "#S\n1 2 eins\n");
    const std::string wrong = dir.file("fehlt.txt");
    Clear_Shown_Messages();
    Screen_Start_For_Tests("click 500 518\ntext \"" + wrong + "\"\nkey Enter\nkey Enter\n"
                           "click 500 518\nkey End\nkey Backspace\nkey Backspace\nkey Backspace\nkey Backspace\n"
                           "key Backspace\nkey Backspace\nkey Backspace\nkey Backspace\nkey Backspace\n"
                           "text \"a.txt\"\nkey Enter\nkey Enter\n"
                           "key Enter\n"
                           "key Esc\n",
                           1280, 1024);
    Init_Prop_Sheets();
    EXPECT_EQ(Open_File_By_Sheet(0), nullptr);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Datei: " + wrong + " kann nicht ge\x94" "ffnet werden.");

    // The name entered last is offered again.
    FILE* f = Open_File_By_Sheet(0);
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    double v[4] = {};
    char labels[2 * 41] = {};
    int rows = 0;
    EXPECT_EQ(Import_Keyword_Block(v, &rows, 2, 2, 2, labels, 41, 'S'), 1);
    EXPECT_EQ(rows, 1);
    EXPECT_STREQ(labels, "eins");
    // Cancelled: no file, the row count as it was.
    rows = 7;
    EXPECT_EQ(Import_Keyword_Block(v, &rows, 2, 2, 2, labels, 41, 'S'), 1);
    EXPECT_EQ(rows, 7);
    Screen_Reset_For_Tests();
}

// With a long name typed, the field still ends before the browse button (at (822, 511),
// whose middle is not the field's white) and inside the sheet (whose right edge is x 855).
TEST(KeywordFileSheet, TheNameFieldLeavesTheBrowseButtonVisible)
{
    Shot_Dir shots;
    Screen_Start_For_Tests("click 500 518\ntext \"/home/user/projekte/konsolen/lasten.txt\"\nshot name.png\nkey Esc\nkey Esc\n",
                           1280, 1024);
    Init_Prop_Sheets();
    EXPECT_EQ(Open_File_By_Sheet(0), nullptr);
    EXPECT_NE(shots.Pixel("name.png", 830, 519), 0xFFFFFFu);
    EXPECT_NE(shots.Pixel("name.png", 853, 519), 0xFFFFFFu);
    Screen_Reset_For_Tests();
}
