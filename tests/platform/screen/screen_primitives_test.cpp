#include "platform/screen/screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ScreenPrimitives : public testing::Test {
protected:
    void SetUp() override
    {
        Screen_Start_For_Tests("", 320, 240);
        pxFgc(0xFFFFFF);
        pxRect(0, 0, 319, 239);
    }
    void TearDown() override { Screen_Reset_For_Tests(); }

    static uint32_t At(int x, int y) { return Screen_Pixel_For_Tests(x, y); }

    // The pixels of colour c in the rectangle, as "x,y" strings in reading order.
    static std::vector<std::string> Pixels_Of(uint32_t c, int x1, int y1, int x2, int y2)
    {
        std::vector<std::string> out;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (At(x, y) == c) out.push_back(std::to_string(x) + "," + std::to_string(y));
        return out;
    }
    static int Count_Of(uint32_t c, int x1, int y1, int x2, int y2)
    {
        return static_cast<int>(Pixels_Of(c, x1, y1, x2, y2).size());
    }
};

TEST_F(ScreenPrimitives, RectanglesAreInclusiveInEitherCornerOrder)
{
    pxFgc(0x102030);
    pxRect(10, 10, 14, 12);
    EXPECT_EQ(Count_Of(0x102030, 0, 0, 40, 40), 5 * 3);
    EXPECT_EQ(At(14, 12), 0x102030u);
    EXPECT_EQ(At(15, 12), 0xFFFFFFu);

    pxFgc(0x405060);
    pxRect(24, 22, 20, 20);  // corners swapped
    EXPECT_EQ(Count_Of(0x405060, 0, 0, 40, 40), 5 * 3);
    EXPECT_EQ(At(20, 20), 0x405060u);
    EXPECT_EQ(At(24, 22), 0x405060u);

    pxFgc(0x708090);
    pxRect(30, 30, 30, 30);  // one pixel
    EXPECT_EQ(Pixels_Of(0x708090, 0, 0, 40, 40), std::vector<std::string>{"30,30"});
}

TEST_F(ScreenPrimitives, LinesDrawBothEndsAndPatternsRestart)
{
    pxFgc(0);
    pxLine(5, 5, 15, 5);
    EXPECT_EQ(Count_Of(0, 0, 0, 30, 10), 11);
    pxLine(20, 8, 20, 8);  // a point
    EXPECT_EQ(At(20, 8), 0u);
    pxLine(30, 0, 25, 5);  // drawn backwards: both ends
    EXPECT_EQ(At(30, 0), 0u);
    EXPECT_EQ(At(25, 5), 0u);

    // A user pattern starts afresh with every line.
    pxFgc(0x00FF00);
    pxSULn(0xAAAAAAAAu);
    pxLine(0, 20, 7, 20);
    pxLine(0, 21, 7, 21);
    pxSLn(0);
    EXPECT_EQ(Pixels_Of(0x00FF00, 0, 20, 10, 20), (std::vector<std::string>{"0,20", "2,20", "4,20", "6,20"}));
    EXPECT_EQ(Pixels_Of(0x00FF00, 0, 21, 10, 21), (std::vector<std::string>{"0,21", "2,21", "4,21", "6,21"}));
    // Solid again after pxSLn(0); the dashed style leaves gaps of 8.
    pxLine(0, 30, 31, 30);
    EXPECT_EQ(Count_Of(0x00FF00, 0, 30, 40, 30), 32);
    pxFgc(0x0000FF);
    pxSLn(2);
    pxLine(0, 40, 31, 40);
    pxSLn(0);
    EXPECT_EQ(Count_Of(0x0000FF, 0, 40, 40, 40), 16);
    EXPECT_EQ(At(7, 40), 0x0000FFu);
    EXPECT_EQ(At(8, 40), 0xFFFFFFu);
}

TEST_F(ScreenPrimitives, ClippingAtTheInclusiveViewportEdges)
{
    pxView(50, 50, 10, 10);  // corners in either order
    int v[4];
    pxQVwp(&v[0], &v[1], &v[2], &v[3]);
    EXPECT_EQ(std::vector<int>(v, v + 4), (std::vector<int>{10, 10, 50, 50}));
    pxFgc(0);
    pxRect(0, 0, 100, 100);
    EXPECT_EQ(Count_Of(0, 0, 0, 100, 100), 41 * 41);
    EXPECT_EQ(At(10, 10), 0u);
    EXPECT_EQ(At(50, 50), 0u);
    EXPECT_EQ(At(9, 30), 0xFFFFFFu);
    EXPECT_EQ(At(51, 30), 0xFFFFFFu);

    // The screen clips as well: nothing is written beyond it.
    pxView(0, 0, 10000, 10000);
    pxFgc(0x123456);
    pxLine(300, 239, 400, 239);
    pxRect(-20, -20, 2, 2);
    EXPECT_EQ(At(319, 239), 0x123456u);
    EXPECT_EQ(At(0, 0), 0x123456u);
}

TEST_F(ScreenPrimitives, PolygonsFillEvenOddWithTheirOutline)
{
    pxFgc(0x800000);
    const int x[4] = {10, 20, 20, 10}, y[4] = {10, 10, 20, 20};
    pxFill(4, x, y);
    EXPECT_EQ(Count_Of(0x800000, 0, 0, 40, 40), 11 * 11);  // corners inclusive
    // A self-crossing star leaves its centre (crossed twice) empty.
    pxFgc(0x008000);
    const int sx[5] = {100, 112, 81, 119, 88}, sy[5] = {60, 98, 74, 74, 98};
    pxFill(5, sx, sy);
    EXPECT_EQ(At(100, 80), 0xFFFFFFu);
    EXPECT_EQ(At(100, 64), 0x008000u);
}

TEST_F(ScreenPrimitives, MasksAreMostSignificantBitLeft)
{
    pxFgc(0);
    const unsigned char rows[] = {0x80, 0x01, 0x40, 0x00};  // two rows of two bytes
    pxMask(0, 0, 15, 1, rows, 2);
    EXPECT_EQ(Pixels_Of(0, 0, 0, 20, 3), (std::vector<std::string>{"0,0", "15,0", "1,1"}));
}

TEST_F(ScreenPrimitives, ExclusiveOrTwiceRestores)
{
    pxFgc(0x336699);
    pxRect(0, 0, 50, 50);
    pxSBop(3);
    pxFgc(1);  // the colour does not matter: every bit of red, green and blue turns
    pxRect(10, 10, 30, 30);
    EXPECT_EQ(At(20, 20), 0xCC9966u);
    pxRect(10, 10, 30, 30);
    pxLine(0, 5, 50, 5);
    pxLine(0, 5, 50, 5);
    // A polygon writes each pixel once even where fill and outline meet.
    const int x[3] = {5, 45, 5}, y[3] = {5, 5, 45};
    pxFill(3, x, y);
    EXPECT_EQ(At(5, 5), 0xCC9966u);
    pxFill(3, x, y);
    pxSBop(0);
    EXPECT_EQ(Count_Of(0x336699, 0, 0, 50, 50), 51 * 51);
}

TEST_F(ScreenPrimitives, SavedRectanglesNestAndOverlap)
{
    pxFgc(0x111111);
    pxRect(0, 0, 100, 100);
    ASSERT_EQ(Save_Screen_Rectangle(10, 10, 40, 40), 1);  // a pop-up
    pxFgc(0x222222);
    pxRect(10, 10, 40, 40);
    ASSERT_EQ(Save_Screen_Rectangle(30, 30, 60, 60), 1);  // a bubble over its corner
    pxFgc(0x333333);
    pxRect(30, 30, 60, 60);
    ASSERT_EQ(Save_Screen_Rectangle(35, 35, 38, 38), 1);  // a tip inside
    pxFgc(0x444444);
    pxRect(35, 35, 38, 38);

    EXPECT_EQ(Restore_Screen_Rectangle(38, 38, 35, 35), 1);  // corners in either order
    EXPECT_EQ(At(36, 36), 0x333333u);
    EXPECT_EQ(Restore_Screen_Rectangle(30, 30, 60, 60), 1);
    EXPECT_EQ(At(35, 35), 0x222222u);
    EXPECT_EQ(At(50, 50), 0x111111u);
    EXPECT_EQ(Restore_Screen_Rectangle(10, 10, 40, 40), 1);
    EXPECT_EQ(Count_Of(0x111111, 0, 0, 100, 100), 101 * 101);
    EXPECT_EQ(Restore_Screen_Rectangle(10, 10, 40, 40), 0);  // dropped once restored

    // The same rectangle saved twice: the latest comes back first.
    Save_Screen_Rectangle(0, 0, 5, 5);
    pxFgc(0x555555);
    pxRect(0, 0, 5, 5);
    Save_Screen_Rectangle(0, 0, 5, 5);
    pxFgc(0x666666);
    pxRect(0, 0, 5, 5);
    Restore_Screen_Rectangle(0, 0, 5, 5);
    EXPECT_EQ(At(2, 2), 0x555555u);
    Restore_Screen_Rectangle(0, 0, 5, 5);
    EXPECT_EQ(At(2, 2), 0x111111u);
}

TEST_F(ScreenPrimitives, ColoursAndSymbolicColours)
{
    EXPECT_EQ(Nearest_RGB_Color(255, 251, 240), 0xFFFBF0);
    EXPECT_EQ(Nearest_Color_Index(300, -5, 128), 0xFF0080);
    int r, g, b;
    pxQCR(-1, &r, &g, &b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{212, 208, 200}));
    pxQCR(-15, &r, &g, &b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{64, 64, 64}));
    pxFgc(-3);
    EXPECT_EQ(pxQFgc(), -3);  // kept as given, resolved when drawing
    pxRect(0, 0, 0, 0);
    EXPECT_EQ(At(0, 0), 0x808080u);
    EXPECT_EQ(GetZAVColor(-21), 0xFFFFFF);
}

TEST(ScreenWithoutFramebuffer, DrawingDoesNothingAndQueriesAnswer)
{
    Screen_Reset_For_Tests();
    pxFgc(0x123456);
    pxRect(0, 0, 10, 10);
    pxText(0, 10, "abc", 3);
    EXPECT_EQ(pxQFgc(), 0x123456);
    EXPECT_EQ(Save_Screen_Rectangle(0, 0, 5, 5), 0);
    EXPECT_EQ(Screen_Pixel_For_Tests(0, 0), 0u);
    int v[4];
    pxQVwp(&v[0], &v[1], &v[2], &v[3]);
    EXPECT_EQ(v[2], NPIXEL_X - 1);
    Screen_Reset_For_Tests();
}

} // namespace
