#include "report/position_title.h"

#include "base/stdio_table.h"
#include "core/startup.h"
#include "platform/environment.h"
#include "report/oli_channel.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(PositionTitle, OneAndThreeLineForms)
{
    struct Case {
        std::string bytes;
        int result;
        std::string number, title;
    };
    const std::string long_title(120, 't');
    const Case cases[] = {
        {"12: Konsole an St\x81tze A\n", 0, "12", " Konsole an St\x81tze A"},  // cp850 bytes kept
        {"12:Konsole\r\n", 0, "12", "Konsole"},
        {"1234567:Titel\n", 0, "123456", "Titel"},
        {"Pos12345\n", 0, "Pos123", ""},  // no colon: all number
        {":Titel: mit Doppelpunkt\n", 0, "", "Titel: mit Doppelpunkt"},
        // An over-long line is one line: cut, and its rest is no second line.
        {"7:" + long_title + "\r\n", 0, "7", long_title.substr(0, 50)},
        {"Kopf\r\n12\r\nKonsole K1\r\n", 0, "12", "Konsole K1"},
        {"\n1234567890\n" + std::string(60, '\x94') + "\n", 0, "123456", std::string(50, '\x94')},
        {"x\n123456789012345\nTitel\n", 0, "123456", "Titel"},
        {"x\r\n12\r\n", 1, "12", ""},  // title line missing: number kept
        {"", 1, "", ""},
    };
    Temp_Dir dir;
    for (const Case& c : cases) {
        Write_File_Bytes(dir.file("B1_01.TXT"), c.bytes);
        position_number = position_title = "old";
        EXPECT_EQ(Read_Position_Title(dir.file("B1_01.TXT").c_str()), c.result) << c.bytes;
        EXPECT_EQ(position_number, c.number) << c.bytes;
        EXPECT_EQ(position_title, c.title) << c.bytes;
    }
}

TEST(PositionTitle, NamedFromComponentIdentifierInWorkingDirectory)
{
    Temp_Dir dir;
    char old_dir[4096];
    ASSERT_NE(::getcwd(old_dir, sizeof old_dir), nullptr);
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    std::string saved_name = txt_file_name;
    txt_file_name = "_03.TXT";

    Write_File_Bytes(dir.file("b1xy_03.txt"), "4a:Auflagerkonsole\r\n");
    Load_Position_Title("B1XYZ");
    EXPECT_EQ(position_number + "|" + position_title, "4a|Auflagerkonsole");
    Write_File_Bytes(dir.file("K_03.TXT"), "5:Kurz\n");  // fewer than four characters
    Load_Position_Title("K");
    EXPECT_EQ(position_number + "|" + position_title, "5|Kurz");
    Load_Position_Title("NONE");  // missing file: both empty
    EXPECT_EQ(position_number + "|" + position_title, "|");

    txt_file_name = saved_name;
    ASSERT_EQ(::chdir(old_dir), 0);
}

TEST(PositionTitle, StartupRegistrationAndErrorRows)
{
    Set_MouseWheel_Activity(0);
    Install_Stdio_And_Mouse_Wheel();
    EXPECT_EQ(ZAV_STDIO_FCT, &zav_stdio_table);
    EXPECT_EQ(Get_MouseWheel_Activity(), 1);
    // The twin answers the wheel's setting before it was switched on.
    EXPECT_EQ(Install_Stdio_And_Mouse_Wheel_Result(), 1);
    Set_MouseWheel_Activity(0);
    EXPECT_EQ(Install_Stdio_And_Mouse_Wheel_Result(), 0);
    EXPECT_EQ(Get_MouseWheel_Activity(), 1);

    EXPECT_EQ(Write_Error_List_Row(nullptr, 1, " Hinweis: H < 0.2 A !"), 1);
    Temp_Dir dir;
    FILE* f = std::fopen(dir.file("r.OLI").c_str(), "w");
    ASSERT_NE(f, nullptr);
    int hints = Write_Error_List_Row(f, 1, " Hinweis: H < 0.2 A !");
    hints += Write_Error_List_Row(f, 1, " Auflagerkraft < 0 !");
    std::fclose(f);
    EXPECT_EQ(hints, 2);
    // Rows of a table block: nothing of the text channel around them.
    EXPECT_EQ(Read_File_Bytes(dir.file("r.OLI")), "  Hinweis: H < 0.2 A !\n  Auflagerkraft < 0 !\n");
}
