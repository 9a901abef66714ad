#include "toolkit/ui_utilities.h"

#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "platform/screen/images.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class UiUtilities : public testing::Test {
protected:
    void SetUp() override { ::setenv("EXEC", (std::string(CORBEL_SOURCE_DIR) + "/data").c_str(), 1); }
    void TearDown() override
    {
        Screen_Reset_For_Tests();
        ::unsetenv("EXEC");
    }
    void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 320, 240);
        pxFgc(0x2468AC);
        pxRect(0, 0, 319, 239);
        pxFgc(0xFF0000);
        pxLine(0, 0, 319, 239);  // something to be put back
    }
    static std::vector<uint32_t> Pixels(int x1, int y1, int x2, int y2)
    {
        std::vector<uint32_t> out;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) out.push_back(Screen_Pixel_For_Tests(x, y));
        return out;
    }
};

// The deadline runs on the library clock: a script's wait passes it, the processor time
// spent meanwhile does not matter.
TEST_F(UiUtilities, DeadlinePassesWithTheScriptsWaits)
{
    Start("wait 999\nmove 1 1\nwait 1\nmove 2 2\n");
    Set_Deadline(1.0);
    EXPECT_EQ(Is_Deadline_Passed(), 0);
    ZAV_Message m;
    InitZAVMessage(&m);
    GetZAVMessage(ZAV_MSG_MOVE, &m);
    EXPECT_EQ(Is_Deadline_Passed(), 0);
    GetZAVMessage(ZAV_MSG_MOVE, &m);
    EXPECT_EQ(Is_Deadline_Passed(), 1);
}

TEST_F(UiUtilities, BusyAnimationFollowsTheClockAndLeavesNoResidue)
{
    Start("wait 500\nmove 1 1\n");
    const std::vector<uint32_t> before = Pixels(0, 0, 319, 239);
    Screen_Image frames;
    ASSERT_TRUE(Make_Library_Bitmap("Anima2.bmp", frames));
    auto frame = [&](int k) {
        std::vector<uint32_t> out;
        for (int y = 0; y < 84; ++y)
            for (int x = 0; x < 84; ++x) out.push_back(frames.At(1 + 85 * k + x, y));
        return out;
    };
    Start_Busy_Animation(20, 30);
    EXPECT_EQ(Pixels(20, 30, 103, 113), frame(0));
    ZAVSleep(99);
    EXPECT_EQ(Pixels(20, 30, 103, 113), frame(0));
    ZAVSleep(1);
    EXPECT_EQ(Pixels(20, 30, 103, 113), frame(1));
    ZAVSleep(250);
    EXPECT_EQ(Pixels(20, 30, 103, 113), frame(3));
    ZAV_Message m;
    InitZAVMessage(&m);
    GetZAVMessage(ZAV_MSG_MOVE, &m);  // waits through the script's 500 ms
    EXPECT_EQ(Pixels(20, 30, 103, 113), frame(8));
    Stop_Busy_Animation();
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
    ZAVSleep(500);  // stopped: nothing is drawn any more
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);

    Start_Busy_Animation(-1, -1);  // the screen's centre less 41
    EXPECT_EQ(Pixels(160 - 41, 120 - 41, 160 + 42, 120 + 42), frame(0));
    Stop_Busy_Animation();
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
}

TEST_F(UiUtilities, ProgressBarsKeepTheirOwnGround)
{
    Start("");
    const std::vector<uint32_t> before = Pixels(0, 0, 319, 239);
    const int a = Create_Progress_Bar(40, 40, 100, 1);
    const int b = Create_Progress_Bar(60, 50, 100, 1);  // over the first one
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);
    Set_Progress_Value(a, 2.0);
    EXPECT_EQ(Screen_Pixel_For_Tests(40 + 10, 40 + 8), 0x2060C0u);  // full
    Set_Progress_Value(b, -1.0);
    EXPECT_EQ(Screen_Pixel_For_Tests(62, 58), 0xFFFBF0u);  // empty
    Remove_Progress_Bar(b);
    Remove_Progress_Bar(a);
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
    // Bars apart from each other may go in any order.
    const int c = Create_Progress_Bar(20, 20, 60, 1);
    const int d = Create_Progress_Bar(20, 150, 60, 1);
    Remove_Progress_Bar(c);
    Remove_Progress_Bar(d);
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Create_Progress_Bar(0, 200, 20, 0), i);
    EXPECT_EQ(Create_Progress_Bar(0, 200, 20, 0), -1);
    for (int i = 0; i < 6; ++i) Remove_Progress_Bar(i);
}

TEST_F(UiUtilities, SandClockStepsOnTheDeadline)
{
    Start("");
    const std::vector<uint32_t> before = Pixels(0, 0, 319, 239);
    Screen_Image frames;
    ASSERT_TRUE(Make_Library_Bitmap("animsandclock.bmp", frames));
    // A pixel that changes from the first frame to the second (the upper sand).
    int px = -1, py = -1;
    for (int y = 0; y < 61 && px < 0; ++y)
        for (int x = 0; x < 31; ++x)
            if (frames.At(x, y) != frames.At(31 + x, y) && frames.At(31 + x, y) != 0xC0C0C0u) {
                px = x;
                py = y;
                break;
            }
    ASSERT_GE(px, 0);
    Start_Sand_Clock(100, 100);
    const uint32_t first = Screen_Pixel_For_Tests(100 + px, 100 + py);
    Step_Sand_Clock();  // before the deadline: nothing
    EXPECT_EQ(Screen_Pixel_For_Tests(100 + px, 100 + py), first);
    ZAVSleep(50);
    Step_Sand_Clock();
    EXPECT_EQ(Screen_Pixel_For_Tests(100 + px, 100 + py), frames.At(31 + px, py));
    Stop_Sand_Clock();
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
}

TEST_F(UiUtilities, ZoomDragAndSavedRectangleLeaveTheScreenAsItWas)
{
    Start("move 200 150\ndown\nmove 220 170\nmove 250 190\nup\n");
    const std::vector<uint32_t> before = Pixels(0, 0, 319, 239);
    Set_Zoom_Animation(4, 10);
    const double t0 = Library_Clock_Seconds();
    Zoom_Rectangle(10, 10, 20, 20, 100, 100, 300, 200);
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds() - t0, 0.05);  // five stages of 10 ms
    Set_Zoom_Animation(-1, 0);
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);

    ZAV_Message m;
    InitZAVMessage(&m);
    GetZAVMessage(ZAV_MSG_LEFT_DOWN, &m);
    int x = 0, y = 0;
    Drag_Rectangle(50, 60, &x, &y);
    EXPECT_EQ(x, 250);
    EXPECT_EQ(y, 190);
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);

    Save_And_Fill_Rectangle(10, 10, 50, 50, 0x00FF00);
    EXPECT_EQ(Screen_Pixel_For_Tests(30, 30), 0x00FF00u);
    Restore_Saved_Rectangle();
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
}

TEST_F(UiUtilities, BitmapSheetShowsThePictureUntilOk)
{
    Temp_Dir shots;
    ::setenv("ZAV_SHOT_DIR", shots.path().c_str(), 1);
    Start("shot bild.png\nkey Enter\n");
    const std::vector<uint32_t> before = Pixels(0, 0, 319, 239);
    Show_Bitmap_Sheet("Bild", "act_but.bmp", 14, 14);
    ::unsetenv("ZAV_SHOT_DIR");
    EXPECT_TRUE(File_Exists(shots.file("bild.png")));
    EXPECT_EQ(Pixels(0, 0, 319, 239), before);
}

TEST(UiHitTolerance, WidenedBoxAndZeroLengthSegments)
{
    EXPECT_EQ(Get_Hit_Tolerance(), 3);
    EXPECT_EQ(Is_Near_Segment(23, 10, 10, 10, 20, 10), 1);  // on the widened box's edge
    EXPECT_EQ(Is_Near_Segment(24, 10, 10, 10, 20, 10), 0);
    EXPECT_EQ(Is_Near_Segment(15, 13, 10, 10, 20, 10), 1);
    EXPECT_EQ(Is_Near_Segment(15, 14, 10, 10, 20, 10), 0);
    EXPECT_EQ(Is_Near_Segment(5, 5, 5, 5, 5, 5), 0);  // a segment of no length
    // A diagonal: the perpendicular distance counts, not the box.
    EXPECT_EQ(Is_Near_Segment(12, 8, 0, 0, 20, 20), 1);
    EXPECT_EQ(Is_Near_Segment(14, 6, 0, 0, 20, 20), 0);
    Set_Hit_Tolerance(0);
    EXPECT_EQ(Is_Near_Segment(15, 10, 10, 10, 20, 10), 1);
    EXPECT_EQ(Is_Near_Segment(15, 11, 10, 10, 20, 10), 0);
    Set_Hit_Tolerance(3);
}

TEST(UiShowImage, MissingViewerOrDirectoryIsReported)
{
    Clear_Shown_Messages();
    ::unsetenv("EXEC");
    Show_Image("bild.bmp");
    Temp_Dir dir;
    ::setenv("EXEC", dir.path().c_str(), 1);
    Show_Image("bild.bmp");
    ::unsetenv("EXEC");
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].title, "Installationsfehler");
    EXPECT_EQ(Shown_Messages()[1].text, "Das ZAV-Werkzeug\n- VANDRILO -\nist nicht installiert!");
    Clear_Shown_Messages();
}

} // namespace
