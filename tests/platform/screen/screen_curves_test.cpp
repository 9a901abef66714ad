#include "platform/screen/curves.h"

#include <gtest/gtest.h>

#include "platform/screen/screen.h"

namespace {

int Drawn(int x1, int y1, int x2, int y2)
{
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) n += Screen_Pixel_For_Tests(x, y) != 0xFFFFFF;
    return n;
}

} // namespace

TEST(ScreenCurves, CirclesAndArcs)
{
    Screen_Start_For_Tests("", 200, 200);
    pxFgc(0xFFFFFF);
    pxRect(0, 0, 199, 199);
    pxFgc(0x000000);
    // A closed ring of 28 pixels, each written once: exclusive-or takes it away again.
    pxCrcl(50, 50, 5);
    EXPECT_EQ(Drawn(40, 40, 60, 60), 28);
    EXPECT_EQ(Drawn(46, 53, 46, 53), 1);
    pxSBop(3);
    pxCrcl(50, 50, 5);
    pxSBop(0);
    EXPECT_EQ(Drawn(40, 40, 60, 60), 0);

    // From the top of the ellipse (half axes 20, 30) to its bottom: clockwise (1) by the
    // right, counter-clockwise by the left, a connected chain either way.
    pxArc(20, 30, 60, 100, 60, 70, 60, 130, 1);
    EXPECT_EQ(Drawn(80, 100, 80, 100), 1);
    EXPECT_EQ(Drawn(30, 70, 59, 130), 0);
    pxArc(20, 30, 140, 100, 140, 70, 140, 130, 0);
    EXPECT_EQ(Drawn(141, 70, 170, 130), 0);
    for (int y = 70; y <= 130; ++y) EXPECT_GT(Drawn(120, y, 140, y), 0) << y;
    Screen_Reset_For_Tests();
}
