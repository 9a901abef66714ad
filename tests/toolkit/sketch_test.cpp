// The sketch layer: transform and rounding, the line rule, dots, bands, arrow heads, the
// German dimension texts, a dimension line and the button palette on a headless screen.
#include "toolkit/sketch.h"

#include "platform/screen/screen.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr uint32_t WHITE = 0xFFFFFF, INK = 0x000000;

class Sketch : public testing::Test {
protected:
    void SetUp() override { sketch_internal::Reset(); }
    void TearDown() override
    {
        sketch_internal::Reset();
        pxSLn(0);
        Screen_Reset_For_Tests();
    }
    static void Start(const std::string& script = "")
    {
        Screen_Start_For_Tests(script);
        pxFgc(INK);
    }
    static bool Ink(int x, int y) { return Screen_Pixel_For_Tests(x, y) == INK; }
};

TEST_F(Sketch, TransformRoundsHalvesAwayAndInvertsItself)
{
    int px, py;
    Sketch_Pixel_Point(10.4, -3.5, &px, &py);
    EXPECT_EQ(px, 10);
    EXPECT_EQ(py, -4);
    Sketch_Pixel_Point(-2.5, 2.5, &px, &py);
    EXPECT_EQ(px, -3);
    EXPECT_EQ(py, 3);

    // A quarter turn about (1, 2) with scales 10 and -20, by hand: (3, 2) -> (0, 40).
    Sketch_Set_Transform(1.0, 2.0, M_PI / 2, 10.0, -20.0);
    double x = 3.0, y = 2.0;
    Sketch_World_To_Pixel(&x, &y);
    EXPECT_NEAR(x, 0.0, 1e-12);
    EXPECT_NEAR(y, 40.0, 1e-12);
    Sketch_Pixel_To_World(&x, &y);
    EXPECT_NEAR(x, 3.0, 1e-12);
    EXPECT_NEAR(y, 2.0, 1e-12);
    EXPECT_NEAR(Sketch_Pixel_Distance(1.0, 2.0, 4.0, 6.0), std::hypot(40.0, 60.0), 1e-9);
    double only_x = 2.0;
    EXPECT_DOUBLE_EQ(Sketch_Scale_To_Pixel(&only_x, nullptr), 20.0);
    double only_y = 2.0;
    Sketch_Scale_To_Pixel(nullptr, &only_y);
    EXPECT_DOUBLE_EQ(only_y, -40.0);
}

TEST_F(Sketch, DimensionTextsInCentimetresAndMetres)
{
    struct Case {
        double length;
        const char* main;
        const char* raised;
    } cases[] = {
        {0.375, "37", "5"}, {1.235, "1.23", "5"}, {1.238, "1.24", ""}, {0.40, "40", ""},
        {0.012, "1", ""},   {2.0, "2.00", ""},    {0.999, "100", ""},
    };
    for (const Case& c : cases) {
        char main[32], raised[8];
        EXPECT_EQ(Sketch_Dimension_Texts(c.length, main, raised), 1) << c.length;
        EXPECT_STREQ(main, c.main) << c.length;
        EXPECT_STREQ(raised, c.raised) << c.length;
    }
    char main[32], raised[8];
    EXPECT_EQ(Sketch_Dimension_Texts(0.005, main, raised), 0);
    EXPECT_STREQ(main, "");
}

TEST_F(Sketch, LinesDotsBandsAndArrowHeads)
{
    Start();
    // Width 3 with a dash style: three copies at y offsets 1, 0 and -1, each dashed anew.
    Sketch_Set_Line_Width(3);
    Sketch_Set_Line_Style(2);
    Sketch_Draw_Line(10, 20, 110, 30);
    EXPECT_TRUE(Ink(10, 21) && Ink(10, 20) && Ink(10, 19));
    EXPECT_FALSE(Ink(10, 22) || Ink(10, 18));
    Sketch_Set_Line_Style(0);
    Sketch_Set_Line_Width(0);
    Sketch_Draw_Line(10, 60, 110, 60);  // width 0: nothing
    EXPECT_FALSE(Ink(50, 60));

    // Dots: width 3 gives a disc of radius 2, width 2 a single pixel.
    Sketch_Set_Line_Width(3);
    Sketch_Draw_Dot(200, 50);
    EXPECT_TRUE(Ink(202, 50) && Ink(200, 48));
    EXPECT_FALSE(Ink(203, 50));
    Sketch_Set_Line_Width(2);
    Sketch_Draw_Dot(250, 50);
    EXPECT_TRUE(Ink(250, 50));
    EXPECT_FALSE(Ink(251, 50));

    // A horizontal band 20 wide around y = 100 and a vertical one around x = 400.
    Sketch_Fill_Band(10, 100, 60, 100, 20, nullptr);
    EXPECT_TRUE(Ink(30, 91) && Ink(30, 109));
    EXPECT_FALSE(Ink(30, 112) || Ink(30, 88));
    Sketch_Fill_Band(400, 100, 400, 160, 20, nullptr);
    EXPECT_TRUE(Ink(391, 130) && Ink(409, 130));
    EXPECT_FALSE(Ink(412, 130));
    // Through the stripe pattern only every fourth column is set.
    Sketch_Fill_Band(10, 300, 200, 300, 20, sketch_stripe_pattern);
    int set = 0;
    for (int x = 32; x < 48; ++x) set += Ink(x, 300);
    EXPECT_EQ(set, 4);
    Sketch_Fill_Band(10, 400, 200, 400, 20, nullptr);  // solid again afterwards
    EXPECT_TRUE(Ink(33, 400) && Ink(34, 400));

    // A head longer than the segment takes the segment's length: its base at the start.
    Sketch_Set_Line_Width(1);
    Sketch_Draw_Arrow(300, 250, 340, 250, 100, 100, 1);
    EXPECT_TRUE(Ink(302, 232) && Ink(302, 268));  // base 40 wide (W = L = 40)
    EXPECT_FALSE(Ink(298, 250) || Ink(302, 228));
}

TEST_F(Sketch, ADimensionLineWithItsTexts)
{
    Start();
    Sketch_Set_Transform(0.0, 0.0, 0.0, 100.0, 100.0);  // 100 pixels a metre
    Sketch_Draw_Dimension(2, 1.0, 2.0, 4.75, 2.0, 0.0);
    // The dimension line reaches 5 pixels beyond each end, the extension lines 5 above.
    EXPECT_TRUE(Ink(95, 200) && Ink(480, 200));
    EXPECT_FALSE(Ink(93, 200) || Ink(482, 200));
    EXPECT_TRUE(Ink(100, 195) && Ink(475, 195));
    // The text "3.75" sits below the middle (y grows downward with these scales).
    int ink = 0;
    for (int y = 200; y < 230; ++y)
        for (int x = 250; x < 330; ++x) ink += Screen_Pixel_For_Tests(x, y) != WHITE && y > 201;
    EXPECT_GT(ink, 10);
}

TEST_F(Sketch, TheRaisedFiveStandsAfterAndAboveTheMeasureWhicheverWayTheAxesRun)
{
    // "65" with a raised "5" along a horizontal line, world y down the screen and up it,
    // the line drawn both ways; the raised digit is what the second drawing adds.
    for (const double sy : {100.0, -100.0})
        for (const bool backwards : {false, true}) {
            auto ink = [&](const char* raised) {
                Start();
                Sketch_Set_Transform(0.0, sy > 0 ? 0.0 : 3.0, 0.0, 100.0, sy);
                const double xa = backwards ? 1.655 : 1.0, xb = backwards ? 1.0 : 1.655;
                Sketch_Draw_Dimension_Line(2, xa, 2.0, xb, 2.0, "65", raised, 0.0);
                std::vector<bool> set;
                for (int y = 60; y < 240; ++y)
                    for (int x = 80; x < 200; ++x) set.push_back(Screen_Pixel_For_Tests(x, y) != WHITE);
                Screen_Reset_For_Tests();
                return set;
            };
            const std::vector<bool> plain = ink(""), raised = ink("5");
            double mx = 0, my = 0, rx = 0, ry = 0;
            int m = 0, r = 0;
            for (size_t k = 0; k < plain.size(); ++k) {
                const int x = 80 + static_cast<int>(k % 120), y = 60 + static_cast<int>(k / 120);
                if (plain[k] && std::abs(y - (sy > 0 ? 200 : 100)) > 6) mx += x, my += y, ++m;  // the number
                if (raised[k] && !plain[k]) rx += x, ry += y, ++r;
            }
            ASSERT_GT(m, 10);
            ASSERT_GT(r, 5);
            EXPECT_GT(rx / r, mx / m + 4.0) << sy << backwards;  // after the number
            EXPECT_LT(ry / r, my / m - 2.0) << sy << backwards;  // above it
        }
}

TEST_F(Sketch, TheButtonPaletteAnswersTheButtonOrTheClickOutside)
{
    Temp_Dir shots;
    ::setenv("ZAV_SHOT_DIR", shots.path().c_str(), 1);
    // Three buttons 30 x 20 below a short title; the sheet at (100, 100).
    Start("shot palette.png\nclick 100 100\n");
    const char* tips[] = {"eins", "zwei", "drei"};
    const int first = Show_Button_Palette(50, 50, 100, 100, "Wahl", 30, 20, 3, tips, nullptr);
    EXPECT_TRUE(File_Exists(shots.file("palette.png")));
    ::unsetenv("ZAV_SHOT_DIR");
    EXPECT_EQ(first, 99);  // the click lands on the frame's escape area
    Screen_Reset_For_Tests();

    // A click on the second button answers 2; the pointer is remembered there.
    int x = 0, y = 0;
    const int line = RFONT_HEIGHT;
    const int bx = 100 + 7 + 30 + 5 + 15, by = 100 + line + 12 + 10;  // second button's middle
    Start("click " + std::to_string(bx) + " " + std::to_string(by) + "\n");
    EXPECT_EQ(Show_Button_Palette(50, 50, 100, 100, "Wahl", 30, 20, 3, tips, nullptr), 2);
    msStat(&x, &y);
    EXPECT_EQ(x, bx);
}

TEST_F(Sketch, TheButtonListAnswersTheButtonBesideItsText)
{
    // Buttons 30 x 20 at the right edge, rows 25 apart below the title.
    const char* texts[] = {"oben", "mitte", "unten"};
    Pop_RFont(0);
    const int line = RFONT_HEIGHT;
    int widest = 0;
    for (const char* t : texts) widest = std::max(widest, Get_Text_Width_Px(t));
    const int title = Get_Text_Width_Px("Liste");
    Push_RFont();
    const int W = std::max({30 + 16, title + 16, 30 + 21 + widest});
    const int bx = 100 + W - 8 - 15, by = 100 + line + 12 + 2 * 25 + 10;  // the third button's middle
    Start("click " + std::to_string(bx) + " " + std::to_string(by) + "\n");
    EXPECT_EQ(Show_Button_List(50, 50, 100, 100, "Liste", 30, 20, 3, texts, nullptr), 3);
    EXPECT_EQ(screen::Sheet_Count(), 0);
}

} // namespace
