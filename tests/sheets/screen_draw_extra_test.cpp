#include "sheets/screen_draw_extra.h"

#include <gtest/gtest.h>

#include "platform/screen/screen.h"
#include "sheets/edit_buffer.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF, RED = 0xFF0000, GREEN = 0x00A000, BLUE = 0x0000FF;
constexpr uint32_t BLACK = 0x000000;

class ScreenDrawExtra : public testing::Test {
protected:
    void SetUp() override
    {
        Screen_Start_For_Tests("", 320, 260);
        Init_Screen_Palette();
        pxFgc(WHITE);
        pxRect(0, 0, 319, 259);
        pxFgc(BLUE);
    }
    void TearDown() override { Screen_Reset_For_Tests(); }

    static uint32_t At(int x, int y) { return Screen_Pixel_For_Tests(x, y); }
    // Leftmost column in the rectangle holding anything but white; -1 for none.
    static int Leftmost_Ink(int x1, int y1, int x2, int y2)
    {
        for (int x = x1; x <= x2; ++x)
            for (int y = y1; y <= y2; ++y)
                if (At(x, y) != WHITE) return x;
        return -1;
    }
};

} // namespace

TEST_F(ScreenDrawExtra, PolygonRingsAndLabels)
{
    Draw_Regular_Polygon_Ring(100, 60, 40, 20, 6, RED, 1, BLACK);
    EXPECT_EQ(At(100, 90), RED);     // between the radii
    EXPECT_EQ(At(100, 60), WHITE);   // the hole
    EXPECT_EQ(At(120, 60), BLACK);   // inner corner 0
    // An inner radius outside the outer one gives the whole polygon; 65 corners nothing.
    Draw_Regular_Polygon_Ring(220, 60, 30, 40, 6, GREEN, -1, BLACK);
    EXPECT_EQ(At(220, 60), GREEN);
    Draw_Regular_Polygon_Ring(220, 60, 30, 0, 65, RED, 1, RED);
    EXPECT_EQ(At(220, 60), GREEN);
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));

    // Right-aligned labels move left by the length times 6.5 (normal font) or 8 (fixed).
    const int font = Get_RFont();
    Draw_Screen_Label(100, 140, "ABC", 0, RED, 0);
    Draw_Screen_Label(100, 170, "ABC", 1, -1, 0);
    Draw_Screen_Label(100, 200, "ABC", 0, -1, 2);
    Draw_Screen_Label(100, 230, "ABC", 1, -1, 2);
    EXPECT_EQ(Leftmost_Ink(40, 155, 200, 172), Leftmost_Ink(40, 125, 200, 142) - 19);
    EXPECT_EQ(Leftmost_Ink(40, 215, 200, 232), Leftmost_Ink(40, 185, 200, 202) - 24);
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));
    EXPECT_EQ(Get_RFont(), font);
}

TEST_F(ScreenDrawExtra, StraightAndCurvedArrows)
{
    // A head with its tip at (100, 40), its base 15 pixels to the right, 10 wide.
    Draw_Arrow_Head(100, 40, 0.0);
    EXPECT_EQ(At(101, 40), BLUE);
    EXPECT_EQ(At(114, 44), BLUE);
    EXPECT_EQ(At(105, 44), WHITE);
    EXPECT_EQ(At(99, 40), WHITE);

    // L = 90 at angle 0: the line from (110, 100) to (200, 100); the head's tip L/9 beyond
    // its start, the head 30 long and 20 wide.
    Draw_Arrow_To_Point(200, 100, 90, nullptr, 0.0);
    EXPECT_EQ(At(160, 100), BLUE);
    EXPECT_EQ(At(127, 108), BLUE);
    EXPECT_EQ(At(127, 112), WHITE);
    EXPECT_EQ(At(98, 100), WHITE);

    // Angle 0, length 60 about (150, 190): chord ends (150, 160) and (150, 220), the half
    // ellipse (half axes 24 and 30) to the right, the head at the upper end.
    Draw_Curved_Arrow(150, 190, 60, 0, nullptr, 0.0);
    EXPECT_EQ(At(174, 190), BLUE);
    EXPECT_EQ(At(175, 190), BLUE);  // drawn again one pixel wider
    EXPECT_EQ(At(126, 190), WHITE);
    EXPECT_EQ(At(147, 159), BLUE);  // the head, its tip 5 pixels left of the upper end
    EXPECT_EQ(At(145, 220), WHITE);
    // Angle pi/2, head flag set: bulging upward, the head at the right end.
    Draw_Curved_Arrow(250, 190, 40, 1, nullptr, 1.5707963267948966);
    EXPECT_EQ(At(250, 174), BLUE);
    EXPECT_EQ(At(250, 206), WHITE);
    EXPECT_EQ(At(270, 194), BLUE);
    EXPECT_EQ(At(230, 194), WHITE);
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));
}

TEST_F(ScreenDrawExtra, CornerFilletsAndHingedLines)
{
    // Quadrant 0 at (50, 150), r = 20: sides to the right and up, arc about (70, 130).
    Draw_Corner_Fillet(50, 150, 20, 0, GREEN, 1);
    EXPECT_EQ(At(53, 147), GREEN);
    EXPECT_EQ(At(60, 140), WHITE);   // inside the quarter circle
    EXPECT_EQ(At(60, 150), BLUE);    // a side, in the colour current at the call
    EXPECT_EQ(At(55, 144), BLACK);   // the arc, in text_black
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));
    // Quadrant 2 at (200, 100): sides to the left and down.
    Draw_Corner_Fillet(200, 100, 20, 2, GREEN, -1);
    EXPECT_EQ(At(197, 103), GREEN);
    EXPECT_EQ(At(203, 97), WHITE);

    Draw_Hinged_Line(20, 220, 120, 220, "AB", 0);
    EXPECT_EQ(At(70, 220), BLACK);
    EXPECT_EQ(At(20, 220), WHITE);   // the hinge's white dot
    EXPECT_EQ(At(22, 220), BLACK);   // its ring
    const int left = Leftmost_Ink(40, 205, 110, 217);  // label centred above the start
    EXPECT_GE(left, 64);
    EXPECT_LE(left, 68);
    EXPECT_EQ(pxQFgc(), screen_palette.text_black);
    EXPECT_EQ(Get_RFont(), 0x1000);
}
