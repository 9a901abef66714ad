#include "sheets/screen_draw_extra.h"

#include <gtest/gtest.h>

#include "platform/screen.h"
#include "sheets/edit_buffer.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t RED = 0xFF0000;
constexpr uint32_t GREEN = 0x00A000;
constexpr uint32_t BLUE = 0x0000FF;
constexpr uint32_t BLACK = 0x000000;

class ScreenDrawExtra : public testing::Test {
protected:
    void SetUp() override
    {
        Screen_Start_For_Tests("", 320, 260);
        Init_Screen_Palette();
        pxFgc(0xFFFFFF);
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

TEST_F(ScreenDrawExtra, PolygonRingsLeaveTheirHoleAndKeepTheColour)
{
    Draw_Regular_Polygon_Ring(100, 100, 40, 20, 6, RED, -1, -1);
    EXPECT_EQ(At(100, 130), RED);    // between the radii
    EXPECT_EQ(At(100, 100), WHITE);  // the hole
    EXPECT_EQ(At(145, 100), WHITE);  // outside
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));

    // Without an inner radius inside the outer one the polygon is whole.
    Draw_Regular_Polygon_Ring(220, 100, 30, 40, 6, GREEN, 1, BLACK);
    EXPECT_EQ(At(220, 100), GREEN);
    EXPECT_EQ(At(250, 100), BLACK);  // corner 0 on the outline
    // Outline only; too many corners draw nothing.
    Draw_Regular_Polygon_Ring(100, 200, 30, 15, 4, -1, 1, RED);
    EXPECT_EQ(At(130, 200), RED);
    EXPECT_EQ(At(115, 200), RED);    // inner corner 0
    EXPECT_EQ(At(122, 200), WHITE);
    Draw_Regular_Polygon_Ring(220, 200, 30, 0, 65, RED, 1, RED);
    EXPECT_EQ(At(220, 200), WHITE);
    EXPECT_EQ(At(250, 200), WHITE);
}

TEST_F(ScreenDrawExtra, LabelsAlignRightByTheirFontsMeanWidth)
{
    const int font = Get_RFont();
    // Each font kind left-aligned and right-aligned at x = 100: the shift is the length
    // times 6.5 (normal), 4.5 (small) or 8 (fixed-pitch), truncated.
    struct Case {
        const char* text;
        int kind;
        int shift;
    };
    const Case cases[] = {{"ABC", 0, 19}, {"ABCD", 1, 18}, {"ABC", 2, 24}};
    int y = 30;
    for (const Case& c : cases) {
        Draw_Screen_Label(100, y, c.text, 0, RED, c.kind);
        Draw_Screen_Label(100, y + 35, c.text, 1, -1, c.kind);
        const int left = Leftmost_Ink(40, y - 16, 200, y + 2);
        ASSERT_GE(left, 100) << c.kind;
        EXPECT_EQ(Leftmost_Ink(40, y + 35 - 16, 200, y + 37), left - c.shift) << c.kind;
        y += 80;
    }
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));
    EXPECT_EQ(Get_RFont(), font);
}

TEST_F(ScreenDrawExtra, ArrowHeadsAndArrowsToAPoint)
{
    // Head with its tip at (100, 60), its base 15 pixels to the right, 10 wide.
    Draw_Arrow_Head(100, 60, 0.0);
    EXPECT_EQ(At(101, 60), BLUE);
    EXPECT_EQ(At(114, 64), BLUE);
    EXPECT_EQ(At(99, 60), WHITE);
    EXPECT_EQ(At(105, 64), WHITE);
    EXPECT_EQ(At(116, 60), WHITE);
    // Pointing down (angle pi/2): the base lies above the tip.
    Draw_Arrow_Head(200, 60, 1.5707963267948966);
    EXPECT_EQ(At(200, 50), BLUE);
    EXPECT_EQ(At(200, 62), WHITE);

    // L = 90 at angle 0: the line runs from (110, 150) to (200, 150); the head's tip lies
    // L/9 = 10 beyond its start, the head is 30 long and 20 wide.
    Draw_Arrow_To_Point(200, 150, 90, nullptr, 0.0);
    EXPECT_EQ(At(200, 150), BLUE);
    EXPECT_EQ(At(160, 150), BLUE);
    EXPECT_EQ(At(101, 150), BLUE);
    EXPECT_EQ(At(127, 158), BLUE);
    EXPECT_EQ(At(98, 150), WHITE);
    EXPECT_EQ(At(127, 162), WHITE);
    EXPECT_EQ(At(160, 155), WHITE);
    // The label stands beyond the tip.
    Draw_Arrow_To_Point(200, 220, 90, "F", 0.0);
    EXPECT_GE(Leftmost_Ink(60, 205, 99, 225), 60);
}

TEST_F(ScreenDrawExtra, CurvedArrowsBulgeToTheirSideWithTheHeadAtTheChosenEnd)
{
    // Angle 0, length 60 about (150, 120): chord ends (150, 90) and (150, 150), the half
    // ellipse (half axes 24 and 30) to the right.
    Draw_Curved_Arrow(150, 120, 60, 0, nullptr, 0.0);
    EXPECT_EQ(At(174, 120), BLUE);
    EXPECT_EQ(At(175, 120), BLUE);  // drawn a second time one pixel wider
    EXPECT_EQ(At(126, 120), WHITE);
    EXPECT_EQ(At(150, 120), WHITE);
    // Head at the upper end, its tip 5 pixels left of it.
    EXPECT_EQ(At(147, 89), BLUE);
    EXPECT_EQ(At(150, 150), BLUE);  // the arc's lower end, no head there
    EXPECT_EQ(At(145, 150), WHITE);

    // Angle pi/2 with the head flag set: bulging upward, the head at the right end.
    Draw_Curved_Arrow(150, 220, 40, 1, nullptr, 1.5707963267948966);
    EXPECT_EQ(At(150, 220 - 16), BLUE);
    EXPECT_EQ(At(150, 220 + 16), WHITE);
    EXPECT_EQ(At(170, 224), BLUE);
    EXPECT_EQ(At(130, 224), WHITE);
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));
}

TEST_F(ScreenDrawExtra, CornerFilletsFillBetweenTheSidesAndTheArc)
{
    // Quadrant 0 at (50, 150), r = 20: sides to the right and up, arc about (70, 130).
    Draw_Corner_Fillet(50, 150, 20, 0, GREEN, 1);
    EXPECT_EQ(At(53, 147), GREEN);
    EXPECT_EQ(At(60, 140), WHITE);   // inside the quarter circle
    EXPECT_EQ(At(60, 150), BLUE);    // a side, in the colour current at the call
    EXPECT_EQ(At(50, 140), BLUE);
    EXPECT_EQ(At(55, 144), BLACK);   // the arc (its point at 135 degrees)
    EXPECT_EQ(pxQFgc(), static_cast<int>(BLUE));
    // Quadrant 2 at (200, 100): sides to the left and down; no line width: fill only.
    Draw_Corner_Fillet(200, 100, 20, 2, GREEN, -1);
    EXPECT_EQ(At(197, 103), GREEN);
    EXPECT_EQ(At(190, 110), WHITE);
    EXPECT_EQ(At(203, 97), WHITE);
    // Other quadrants draw nothing.
    Draw_Corner_Fillet(250, 200, 20, 4, GREEN, 1);
    EXPECT_EQ(At(250, 200), WHITE);
}

TEST_F(ScreenDrawExtra, HingedLinesAndTheSketchBackground)
{
    Draw_Hinged_Line(20, 200, 120, 200, "AB", 0);
    EXPECT_EQ(At(70, 200), BLACK);
    EXPECT_EQ(At(20, 200), WHITE);   // the hinge's white dot
    EXPECT_EQ(At(22, 200), BLACK);   // its ring
    EXPECT_EQ(At(120, 198), BLACK);
    EXPECT_EQ(At(120, 200), WHITE);
    // The label stands centred above the start.
    const int left = Leftmost_Ink(40, 185, 110, 197);
    EXPECT_GE(left, 64);
    EXPECT_LE(left, 68);
    // It leaves text_black and the normal font set.
    EXPECT_EQ(pxQFgc(), screen_palette.text_black);
    EXPECT_EQ(Get_RFont(), 0x1000);

    Set_Sketch_Background_Colour(0x123456);
    EXPECT_EQ(screen_palette.sketch_background, 0x123456);
    Init_Screen_Palette();
}
