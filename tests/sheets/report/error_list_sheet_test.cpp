#include "sheets/report/error_list_sheet.h"

#include "base/run_globals.h"
#include "platform/screen/screen.h"
#include "report/report_layout.h"
#include "shot_pixels.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

class ErrorListSheet : public testing::Test {
protected:
    void TearDown() override
    {
        Screen_Reset_For_Tests();
        Forget_Bitmaps();
        ::unsetenv("EXEC");
    }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 640, 480);
        Init_Prop_Sheets();
    }
};

} // namespace

TEST_F(ErrorListSheet, ListIsClosedAndShownOnLightGreyRowsUntilClosed)
{
    Shot_Dir shots;
    // The sheet covers (5, 5)-(632, 472); its close button at (600, 447).
    Start("shot list.png\nclick 600 447\n");
    FILE* list = std::tmpfile();
    ASSERT_NE(list, nullptr);
    std::fputs("#SHOWTABLE\n0 0 0\n0 0 -1 -1\n Hinweis: H < 0.2 A !\n Auflagerkraft < 0 !\n", list);
    Show_Error_List_Sheet(list);
    EXPECT_EQ(Stream_Bytes(list).substr(Stream_Bytes(list).size() - 13), "#END_OF_TEXT\n");
    std::fclose(list);

    int colours[OLI_TABLE_COLOUR_COUNT];
    ASSERT_TRUE(getOLITableColours(colours));
    EXPECT_EQ(colours[0], Nearest_RGB_Color(240, 240, 240));
    EXPECT_EQ(colours[4], BUTTON_CI);
    // Rows from (15, 37): the first one's ground and its text, nothing below the second.
    EXPECT_EQ(shots.Pixel("list.png", 400, 38), 0xF0F0F0u);
    bool ink = false;
    for (int x = 15; x < 150; ++x)
        for (int y = 40; y < 52; ++y) ink = ink || shots.Pixel("list.png", x, y) == 0x000000u;
    EXPECT_TRUE(ink);
    EXPECT_EQ(shots.Pixel("list.png", 400, 100), 0xF0F0F0u);
    Show_Error_List_Sheet(nullptr);
}

TEST_F(ErrorListSheet, PictureFromTheBitmapOrNothingFromAnRpcFile)
{
    Temp_Dir dir;
    const std::string old_path = private_data_path;
    private_data_path = dir.path();
    Start("");
    testing::internal::CaptureStderr();
    Draw_Picture_Or_RPC("Bild", 0, 0);
    Draw_Picture_Or_RPC("Bild", 0, 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("RPC"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);  // said once
    EXPECT_EQ(Screen_Pixel_For_Tests(300, 200), 0xEBF5E1u);

    std::filesystem::copy_file(CORBEL_SOURCE_DIR "/data/work_but.bmp", dir.file("Bild.BMP"));
    Draw_Picture_Or_RPC("Bild", 0, 0);
    EXPECT_NE(Screen_Pixel_For_Tests(320, 240), 0xEBF5E1u);
    private_data_path = old_path;
}

TEST_F(ErrorListSheet, TitledAreaFramesFillsAndRestoresTheViewport)
{
    Start("");
    pxView(0, 0, 300, 300);
    pxFgc(BLACK_CI);
    Draw_Titled_Area(50, 50, 200, 80, "Titel", 0xC0 | 0x10 | 0x01, 3, 0x1000, BLACK_CI, Nearest_RGB_Color(0, 0, 255));
    EXPECT_EQ(Screen_Pixel_For_Tests(190, 55), 0x0000FFu);     // the ground inside the frame
    EXPECT_NE(Screen_Pixel_For_Tests(50, 50), 0x0000FFu);      // the frame
    EXPECT_EQ(Screen_Pixel_For_Tests(210, 55), 0xFFFFFFu);     // nothing outside
    int x1, y1, x2, y2;
    pxQVwp(&x1, &y1, &x2, &y2);
    EXPECT_EQ(x2, 300);
    EXPECT_EQ(pxQFgc(), BLACK_CI);
    // Without colours nothing but the frame.
    Draw_Titled_Area(250, 50, 290, 80, "x", 0, 0, -1, TITLED_AREA_NO_COLOUR, TITLED_AREA_NO_COLOUR);
    EXPECT_EQ(Screen_Pixel_For_Tests(270, 65), 0xFFFFFFu);
}
