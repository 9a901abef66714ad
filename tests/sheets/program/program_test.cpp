// The interactive part of the start-up: the screen set up from the position, and the
// frame's close callback.
#include "sheets/program/program.h"

#include "core/startup.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "test_support.h"

#include <cstdlib>
#include <utility>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

int Run_Main(std::vector<std::string> args) { return Call_Main(Corbel_Main, std::move(args)); }

} // namespace

TEST(ProgramStart, InteractiveSetUpTakesTheTitleAndEndsWithoutSaving)
{
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("B7_02.TXT"), "12a:Konsole Achse B\r\n"));
    ::setenv("EXEC", dir.path().c_str(), 1);
    ::setenv("ZAV_PRIVAT_DATAPATH", dir.path().c_str(), 1);
    // The position text is named from the first four characters of the identifier, so
    // the environment starts the program in the component's directory.
    std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.path());
    std::string id = "B7";
    // The main sheet opens; "Ende" (800 x 600: the bar's last button) and "beenden ohne
    // zu speichern" in the end dialog.
    ASSERT_TRUE(Write_File_Bytes(dir.file("end.txt"), "move 770 27\nwait 300\ndown\nup\nclick 330 315\nkey Enter\n"));
    ::setenv("ZAV_SCRIPT", dir.file("end.txt").c_str(), 1);
    ::setenv("ZAV_SCREEN_SIZE", "800x600", 1);

    EXPECT_EQ(Run_Main({id, "0", "2", "1", "-interaktiv"}), 0);
    ::unsetenv("ZAV_SCRIPT");
    ::unsetenv("ZAV_SCREEN_SIZE");
    EXPECT_EQ(position_number, "12a");
    EXPECT_EQ(Get_Screen_State().frame_title, "Position 12a: Konsole Achse B");
    EXPECT_EQ(Get_Screen_State().help_file, dir.path() + "\\RUVA_127.HLP");
    EXPECT_EQ(Get_Screen_State().sheet_base[2], NPIXEL_X - 10);
    EXPECT_EQ(private_data_path, dir.path());
    EXPECT_FALSE(File_Exists(dir.file("B7_02.INP")));
    EXPECT_FALSE(File_Exists(dir.file("B7_02.OLI")));

    std::filesystem::current_path(cwd);
    ::unsetenv("EXEC");
    ::unsetenv("ZAV_PRIVAT_DATAPATH");
}

TEST(ProgramStart, ConfirmCloseLetsTheFrameCloseOnlyOnYes)
{
    Clear_Shown_Messages();
    Init_Prop_Sheets();
    Set_Message_Answer(0);
    EXPECT_EQ(Confirm_Close(), 0);
    EXPECT_TRUE(Get_Screen_State().sheets_on);  // editing goes on untouched
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Aktuelle Bearbeitung abbrechen?");
    EXPECT_TRUE(Shown_Messages()[0].question);

    Set_Message_Answer(1);
    EXPECT_EQ(Confirm_Close(), 32768);
    EXPECT_FALSE(Get_Screen_State().sheets_on);
    Set_Message_Answer(0);
}

