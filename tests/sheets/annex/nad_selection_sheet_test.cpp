#include "sheets/annex/nad_selection_sheet.h"

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_file.h"
#include "annex/nad_set.h"
#include "../../annex/annex_env.h"
#include "base/run_globals.h"
#include "platform/messages.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/screen.h"
#include "sheets/annex/nad_editor.h"
#include "shot_pixels.h"
#include "test_support.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

namespace {

void Forget_Everything()
{
    NAD_Forget_Choice();
    NAD_Forget_App_Profiles();
    NAD_Set_Warning_Hook(nullptr);
    NAD_Set_Selection_Hook(nullptr);
    Clear_Shown_Messages();
    refresh_mode = 0;
}

// On 1024 x 768 the selection sheet is (367, 239)-(657, 528): list rows from y 314 (row k
// at 314 + 25 k when not scrolled), cancel at (390, 508), OK at (625, 508), the editor
// button of the strip at (632, 284).
const int ROW_X = 430;
int Row_Y(int k) { return 314 + 25 * k; }
const char* const CANCEL = "click 390 508\n";
const char* const OK = "click 625 508\n";

class NADSelectionSheet : public ::testing::Test {
protected:
    Temp_Dir data_, dram_, exec_;
    Env_Override data_env_{"DATA", data_.path().c_str()};
    Env_Override dram_env_{"DRAM", dram_.path().c_str()};
    Env_Override exec_env_{"EXEC", exec_.path().c_str()};

    void SetUp() override
    {
        std::filesystem::create_directory(data_.file("NAD"));
        std::filesystem::create_directory(dram_.file("NADS"));
        for (const char* name : {"EuroFlags.bmp", "Buttons.bmp"})
            std::filesystem::copy_file(std::string(CORBEL_SOURCE_DIR) + "/data/NAD/" + name, data_.file("NAD/") + name);
        Forget_Bitmaps();
        Forget_Everything();
    }
    void TearDown() override
    {
        Forget_Everything();
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 1024, 768);
        Init_Prop_Sheets();
    }
    static void Write_User_Annex(int n, const std::string& name, int code)
    {
        NAD_Set set;
        ASSERT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_STANDARD, &set));
        set.name = name;
        set.code = code;
        ASSERT_EQ(NAD_Save_Set(n, &set), 1);
    }
};

} // namespace

TEST_F(NADSelectionSheet, CancelKeepsTheAnnexInForceOkAppliesTheClickedOne)
{
    Write_User_Annex(1, "Schweden", 5);
    Shot_Dir shots;
    Start("shot list.png\nclick " + std::to_string(ROW_X) + " " + std::to_string(Row_Y(2)) + "\n" + CANCEL +
          "click " + std::to_string(ROW_X) + " " + std::to_string(Row_Y(2)) + "\n" + OK);
    EXPECT_STREQ(NAD_Get_Active_Name(), "Deutschland");

    NAD_Run_Selection_Sheet();
    EXPECT_EQ(active_nad_name, "Deutschland");
    EXPECT_EQ(active_nad_code, 18);
    // The German flag in row 1, black over red, and the frame of the chosen row.
    EXPECT_EQ(shots.Pixel("list.png", 396, 334), 0x000000u);
    EXPECT_EQ(shots.Pixel("list.png", 396, 340), 0xDD0000u);
    EXPECT_EQ(shots.Pixel("list.png", 381, 340), 0x000000u);
    EXPECT_EQ(shots.Pixel("list.png", 382, 340), 0xFFFFFFu);

    NAD_Run_Selection_Sheet();
    EXPECT_EQ(active_nad_name, "Schweden");
    EXPECT_EQ(active_nad_code, 5);
    EXPECT_EQ(active_nad_set.code, 5);
}

TEST_F(NADSelectionSheet, TheOlderEntryDrawsTheFlagOfTheAnnexInForce)
{
    Start("");
    active_nad_code = 18;
    pxFgc(0x808080);
    pxRect(0, 0, 1023, 767);
    NAD_Draw_Active_Flag(100, 100);
    NAD_Draw_Active_Flag_Alt(200, 100);
    bool black = false, red = false;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 26; ++x) {
            const uint32_t pixel = Screen_Pixel_For_Tests(100 + x, 100 + y);
            ASSERT_EQ(Screen_Pixel_For_Tests(200 + x, 100 + y), pixel) << x << ", " << y;
            black = black || pixel == 0x000000u;
            red = red || pixel == 0xDD0000u;
        }
    EXPECT_TRUE(black && red);  // the German flag
}

// The chosen annex's file is deleted while the program runs: the sheet says so on
// opening, OK does not apply another annex in its place, and cancel says which one
// stands in.
TEST_F(NADSelectionSheet, AChosenAnnexThatIsGoneIsSaidAndNothingIsAppliedSilently)
{
    Write_User_Annex(1, "Schweden", 5);
    NAD_Select_By_Name("Schweden");
    std::filesystem::remove(dram_.file("NADS/1.NAD"));
    Start(std::string(OK) + CANCEL);
    NAD_Run_Selection_Sheet();
    EXPECT_EQ(active_nad_name, "Deutschland");
    ASSERT_EQ(Shown_Messages().size(), 3u);
    EXPECT_EQ(Shown_Messages()[0].text, "Das gew\xE4hlte Anwendungsdokument \"Schweden\" gibt es nicht mehr.\n"
                                        "Bitte w\xE4hlen Sie eines aus der Liste.");
    EXPECT_EQ(Shown_Messages()[1].text, "Bitte w\xE4hlen Sie ein Anwendungsdokument aus der Liste.");
    EXPECT_EQ(Shown_Messages()[2].text, "Das Anwendungsdokument \"Schweden\" gibt es nicht mehr;\nes gilt \"Deutschland\".");
}

// A chosen annex whose file is damaged is refused (said), and the built-in annex that
// stands in is the one chosen: the list marks it when it opens again.
TEST_F(NADSelectionSheet, ARefusedAnnexLeavesTheAnnexInForceMarked)
{
    Write_User_Annex(1, "Schweden", 5);
    const std::string file = dram_.file("NADS/1.NAD");
    const std::string text = Read_File_Bytes(file);
    const size_t ec2 = text.find("\n\n#EC2\n"), ec3 = text.find("\n\n#EC3\n");
    ASSERT_NE(ec3, std::string::npos);
    ASSERT_TRUE(Write_File_Bytes(file, text.substr(0, ec2) + "\n\n#EC2\n 1 2\n" + text.substr(ec3)));
    Shot_Dir shots;
    Start("click " + std::to_string(ROW_X) + " " + std::to_string(Row_Y(2)) + "\n" + OK + "shot again.png\n" + OK);
    NAD_Run_Selection_Sheet();
    const std::string in_force = NAD_Get_Active_Name();
    EXPECT_NE(in_force, "Schweden");
    EXPECT_EQ(active_nad_name, in_force);
    NAD_Run_Selection_Sheet();
    EXPECT_EQ(active_nad_name, in_force);
    const int row = NAD_List_Index(in_force);
    EXPECT_EQ(shots.Pixel("again.png", 381, Row_Y(row) + 1), 0x000000u);
    EXPECT_NE(shots.Pixel("again.png", 381, Row_Y(2) + 1), 0x000000u);
}

TEST_F(NADSelectionSheet, ALongNameIsShownCutButAppliedWhole)
{
    const std::string name = "Ein sehr langer Name eines Anwendungsdokuments, der nicht in die Liste passt";
    Write_User_Annex(1, name, 3);
    Start("click " + std::to_string(ROW_X) + " " + std::to_string(Row_Y(2)) + "\n" + OK);
    NAD_Run_Selection_Sheet();
    EXPECT_EQ(active_nad_name, name);
    EXPECT_EQ(active_nad_code, 3);
}

// An editor program that is not there, or that cannot be executed, is said in a box.
TEST_F(NADSelectionSheet, AnEditorThatCannotBeStartedIsSaid)
{
    const std::string plain = exec_.file("corbel-annex");
    ASSERT_TRUE(Write_File_Bytes(plain, "#!/bin/sh\n"));
    const std::pair<std::string, const char*> cases[] = {{exec_.file("fehlt"), "nicht installiert"},
                                                         {plain, "nicht ausf\xFChrbar"}};
    for (const auto& [path, reason] : cases) {
        Clear_Shown_Messages();
        EXPECT_FALSE(NAD_Run_Editor_Program(path, "Deutschland"));
        ASSERT_EQ(Shown_Messages().size(), 1u) << path;
        EXPECT_NE(Shown_Messages()[0].text.find(reason), std::string::npos) << Shown_Messages()[0].text;
        EXPECT_NE(Shown_Messages()[0].text.find(path), std::string::npos);
    }
}

TEST_F(NADSelectionSheet, WarningSheetLeadsToTheSelectionSheetWhenAsked)
{
    Register_Annex_Sheets();
    // The warning sheet (382, 272)-(641, 495): its button at (585, 456); then the selection
    // sheet opens and is cancelled. The second time it is closed by its OK.
    Shot_Dir shots;
    Start("shot warning.png\nclick 585 456\n" + std::string(CANCEL) + "click 624 282\n");
    NAD_Select_By_Name("Verschwunden");
    EXPECT_EQ(active_nad_name, "Deutschland");
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_EQ(NAD_Run_Warning_Sheet("Verschwunden", "Deutschland"), 0);
    // The yellow box of the stored name (area from (392, 312)) and the button's flag.
    EXPECT_EQ(shots.Pixel("warning.png", 392 + 200, 312 + 30), 0xE8E800u);
    EXPECT_EQ(shots.Pixel("warning.png", 565 + 20, 436 + 14), 0xDD0000u);

    // A refresh run shows nothing.
    refresh_mode = 1;
    NAD_Select_By_Name("Verschwunden");
    EXPECT_EQ(active_nad_name, "Deutschland");
}
