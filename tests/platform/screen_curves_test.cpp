#include "platform/screen/curves.h"

#include <gtest/gtest.h>

#include "platform/screen.h"

namespace {

class ScreenCurves : public testing::Test {
protected:
    void SetUp() override
    {
        Screen_Start_For_Tests("", 200, 200);
        pxFgc(0xFFFFFF);
        pxRect(0, 0, 199, 199);
        pxFgc(0x000000);
    }
    void TearDown() override { Screen_Reset_For_Tests(); }
    static uint32_t At(int x, int y) { return Screen_Pixel_For_Tests(x, y); }
    static int Drawn(int x1, int y1, int x2, int y2)
    {
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) n += At(x, y) != 0xFFFFFF;
        return n;
    }
};

} // namespace

TEST_F(ScreenCurves, CirclesAreClosedRingsWrittenOncePerPixel)
{
    pxCrcl(50, 50, 5);
    EXPECT_EQ(At(55, 50), 0u);
    EXPECT_EQ(At(50, 45), 0u);
    EXPECT_EQ(At(46, 53), 0u);  // between the axes
    EXPECT_EQ(At(50, 50), 0xFFFFFFu);
    EXPECT_EQ(Drawn(40, 40, 60, 60), 28);
    // In exclusive-or mode a second circle takes the first away again.
    pxSBop(3);
    pxCrcl(50, 50, 5);
    pxSBop(0);
    EXPECT_EQ(Drawn(40, 40, 60, 60), 0);
    pxCrcl(100, 100, 0);
    EXPECT_EQ(Drawn(99, 99, 101, 101), 1);
}

TEST_F(ScreenCurves, ArcsRunClockwiseForDirectionOneAndCounterClockwiseElse)
{
    // From the top of the ellipse (half axes 20, 30) about (60, 100) to its bottom.
    pxArc(20, 30, 60, 100, 60, 70, 60, 130, 1);
    EXPECT_EQ(At(80, 100), 0u);
    EXPECT_EQ(At(40, 100), 0xFFFFFFu);
    EXPECT_EQ(At(60, 70), 0u);
    EXPECT_EQ(At(60, 130), 0u);
    pxArc(20, 30, 140, 100, 140, 70, 140, 130, 0);
    EXPECT_EQ(At(120, 100), 0u);
    EXPECT_EQ(At(160, 100), 0xFFFFFFu);
    // The arc is a connected chain: every row between its ends holds a pixel.
    for (int y = 71; y < 130; ++y) EXPECT_GT(Drawn(120, y, 140, y), 0) << y;
    // Equal ends give the whole ellipse.
    pxFgc(0xFF0000);
    pxArc(10, 10, 100, 30, 110, 30, 110, 30, 1);
    EXPECT_EQ(At(90, 30), 0xFF0000u);
    EXPECT_EQ(At(100, 20), 0xFF0000u);
}
