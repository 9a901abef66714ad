#include "report/plot_state.h"

#include "platform/messages.h"
#include "test_support.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// Keeps the run-wide plot state as it was before each test.
class PlotState : public ::testing::Test {
protected:
    void SetUp() override { saved_ = plot_state; }
    void TearDown() override { plot_state = saved_; }
    File_Stream out_;

private:
    Plot_State saved_{};
};

constexpr double kPi = 3.141592653589793;
const std::string kHead = "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n";

}  // namespace

TEST_F(PlotState, HeadWindowLineAndOrientation)
{
    plot_state.dimension_toggle = 1;
    plot_state.text_angle = 1.0;
    Plot_Begin_Graphic(out_.get(), 0.0, 10.0, 20.0, 0.0, 0.5, 0.5, 0.0, nullptr);
    EXPECT_EQ(out_.bytes(), kHead + "0.000000 10.000000 5.000000 0.000000\n");
    EXPECT_EQ(plot_state.plot_graphic_stream, out_.get());
    EXPECT_EQ(plot_state.mirror_sum, 10.0);
    EXPECT_EQ(plot_state.dimension_toggle, 0);
    EXPECT_EQ(plot_state.text_angle, 0.0);
    EXPECT_DOUBLE_EQ(plot_state.small_text_length, 0.6);

    Plot_Begin_Graphic(nullptr, 0.0, 0.0, 4.0, 2.0, 2.0, 0.25, 0.0, nullptr);
    EXPECT_EQ(plot_state.smaller_scale, 0.25);
    EXPECT_DOUBLE_EQ(plot_state.small_text_length, 0.15);  // from the larger scale

    struct Case {
        double x1, y1, x2, y2;
        int x_direction, y_backwards, y_mirror;
        double sign;
    };
    const Case cases[] = {
        {0, 0, 10, 5, 1, 0, 0, 1.0},   // both axes forwards
        {0, 5, 10, 0, 1, 1, 2, -1.0},  // y backwards
        {10, 0, 0, 5, 3, 0, 0, -1.0},  // x backwards
        {10, 5, 0, 0, 3, 1, 2, 1.0},   // both backwards: no mirror image
        {0, 3, 10, 3, 1, 1, 2, -1.0},  // a flat window counts as y backwards
    };
    for (const Case& c : cases) {
        Plot_Begin_Graphic(nullptr, c.x1, c.y1, c.x2, c.y2, 1.0, 1.0, 0.0, nullptr);
        EXPECT_EQ(plot_state.x_direction, c.x_direction) << c.x1 << " " << c.y1;
        EXPECT_EQ(plot_state.y_backwards, c.y_backwards) << c.x1 << " " << c.y1;
        EXPECT_EQ(plot_state.y_mirror_mode, c.y_mirror) << c.x1 << " " << c.y1;
        EXPECT_EQ(plot_state.orientation_sign, c.sign) << c.x1 << " " << c.y1;
    }
}

TEST_F(PlotState, CaptionLinesAreFlaggedAndWrittenAsTheyStand)
{
    Plot_Captions captions;
    std::memset(&captions, 0, sizeof captions);
    std::strcpy(captions.line[0], "L\x84ngsschnitt");
    std::strcpy(captions.line[2], "M 1:50");
    // Line 5 fills all 80 characters without a terminator: it is cut there.
    std::memset(captions.line[4], 'x', PLOT_CAPTION_WIDTH);
    std::strcpy(captions.line[5], "Ende");
    Plot_Begin_Graphic_Uniform(out_.get(), 0.0, 0.0, 1.0, 1.0, 2.0, 0.0, &captions);
    EXPECT_EQ(out_.bytes(), "#SHOWGRAFIC\n 1 0 1\n L\x84ngsschnitt\n M 1:50\n 0 1 1\n " +
                                std::string(80, 'x') + "\n Ende\n-1\n"
                                "0.000000 2.000000 0.000000 2.000000\n");
}

TEST_F(PlotState, RotationTurnsTheWindowAndEveryPoint)
{
    // A quarter turn: x' = y, y' = -x; each axis keeps its direction.
    Plot_Begin_Graphic(out_.get(), 0.0, 0.0, 20.0, 10.0, 1.0, 1.0, kPi / 2, nullptr);
    EXPECT_EQ(out_.bytes(), kHead + "0.000000 10.000000 -20.000000 0.000000\n");
    EXPECT_EQ(plot_state.y_mirror_mode, 0);
    File_Stream backwards;
    Plot_Begin_Graphic(backwards.get(), 20.0, 10.0, 0.0, 0.0, 2.0, 4.0, kPi / 2, nullptr);
    EXPECT_EQ(backwards.bytes(), kHead + "20.000000 0.000000 0.000000 -80.000000\n");
    EXPECT_EQ(plot_state.x_direction, 3);

    double rx = 0, ry = 0;
    Plot_Point_To_Record(1.0, 3.0, &rx, &ry);  // turned (3, -1), scaled by 2 and 4
    EXPECT_NEAR(rx, 6.0, 1e-12);
    EXPECT_NEAR(ry, -4.0, 1e-12);
    Plot_To_Record_Units(0.3, &rx, &ry);
    EXPECT_DOUBLE_EQ(rx, 0.15);
    EXPECT_DOUBLE_EQ(ry, 0.075);

    // 0.0004 rad is 0 at three decimals: the window stays, the points still turn.
    File_Stream tiny;
    Plot_Begin_Graphic(tiny.get(), 0.0, 0.0, 10.0, 5.0, 2.0, 2.0, 0.0004, nullptr);
    EXPECT_EQ(tiny.bytes(), kHead + "0.000000 20.000000 0.000000 10.000000\n");
    Plot_Point_To_Record(10.0, 0.0, &rx, &ry);
    EXPECT_DOUBLE_EQ(ry, -20.0 * std::sin(0.0004));
}

TEST_F(PlotState, TextAngleFollowsTheOrientationAndStaysBelowATurn)
{
    plot_state.orientation_sign = 1.0;
    Plot_Set_Text_Angle(7.0);
    EXPECT_DOUBLE_EQ(Plot_Get_Text_Angle(), 7.0 - 2 * kPi);
    Plot_Set_Text_Angle(-7.0);
    EXPECT_EQ(Plot_Get_Text_Angle(), -7.0);
    plot_state.orientation_sign = -1.0;
    Plot_Set_Text_Angle(7.0);
    EXPECT_EQ(Plot_Get_Text_Angle(), -7.0);

    // Angles that turn-by-turn subtraction would never bring down.
    plot_state.orientation_sign = 1.0;
    Plot_Set_Text_Angle(1e300);
    EXPECT_LE(Plot_Get_Text_Angle(), 2 * kPi);
    Plot_Set_Text_Angle(INFINITY);
    EXPECT_EQ(Plot_Get_Text_Angle(), 0.0);
}

TEST_F(PlotState, GroupsBracketRecordsAndRestoreTheState)
{
    plot_state.plot_graphic_stream = out_.get();
    plot_state.plot_file_stream = nullptr;
    plot_state.colour_records = 1;
    plot_state.pen = 3;
    plot_state.text_angle = 0.5;
    plot_state.rotation = 0.25;
    Plot_Begin_Group();
    plot_state.pen = 9;
    plot_state.text_angle = 1.5;
    plot_state.rotation = 1.25;
    Plot_End_Group();
    EXPECT_EQ(plot_state.text_angle, 0.5);
    EXPECT_EQ(plot_state.rotation, 0.25);
    EXPECT_EQ(plot_state.pen, 9);  // no drawing file: the pen is not the group's

    File_Stream drawing;
    plot_state.plot_file_stream = drawing.get();
    Plot_Set_Colour_Sections(0);
    plot_state.filling = -1;
    plot_state.font = 7;
    Plot_Begin_Group();
    plot_state.pen = 41;
    plot_state.filling = 17;
    plot_state.font = 11;
    Plot_End_Group();
    EXPECT_EQ(out_.bytes(), " 30\n 52\n 31\n 53\n 30\n 31\n");
    EXPECT_EQ(plot_state.pen, 9);
    EXPECT_EQ(plot_state.filling, -1);
    EXPECT_EQ(plot_state.font, 7);
}

TEST_F(PlotState, RedirectedGraphicComesBackOnce)
{
    File_Stream other;
    plot_state.plot_graphic_stream = out_.get();
    plot_state.graphic_redirected = 0;
    Plot_Restore_Graphic();  // nothing redirected: the stream stays
    EXPECT_EQ(plot_state.plot_graphic_stream, out_.get());
    Plot_Redirect_Graphic(other.get());
    Plot_Begin_Group();
    Plot_Restore_Graphic();
    EXPECT_EQ(plot_state.plot_graphic_stream, out_.get());
    EXPECT_EQ(out_.bytes(), "");
    EXPECT_NE(other.bytes(), "");
    // A second restore does not bring back a stream of long ago.
    plot_state.plot_graphic_stream = other.get();
    Plot_Restore_Graphic();
    EXPECT_EQ(plot_state.plot_graphic_stream, other.get());
}

TEST_F(PlotState, ScaleChoiceTakesTheFirstFittingScale)
{
    const double scales[] = {20.0, 50.0, 100.0};
    Clear_Shown_Messages();
    EXPECT_EQ(Plot_Choose_Scale_Index(2.0, 1.0, 20.0, 10.0, 3, scales), 0);   // ratio 0.1
    EXPECT_EQ(Plot_Choose_Scale_Index(0.3, 5.0, 20.0, 10.0, 3, scales), 2);   // the smaller ratio
    EXPECT_EQ(Plot_Choose_Scale_Index(0.4, 10.0, 20.0, 10.0, 3, scales), 2);  // 1/50 is not above
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_EQ(Plot_Choose_Scale_Index(0.1, 0.1, 20.0, 10.0, 3, scales), -1);
    EXPECT_EQ(Plot_Choose_Scale_Index(2.0, 1.0, 20.0, 10.0, 0, scales), -1);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text,
              "Ben\xF6tigter Ma\xDF" "stab f\xFCr Darstellung in der Druckliste zu klein!\n"
              "  -> Geometriedaten \xFC" "berpr\xFC" "fen und korrigieren.");
    Clear_Shown_Messages();
}

TEST_F(PlotState, FillColourThroughTheLightness)
{
    plot_state.plot_graphic_stream = out_.get();
    plot_state.colour_records = 1;
    plot_state.lightness_percent = 0.0;
    Plot_Set_Fill_Colour_RGB(255, 0, 0);  // hue of a whole turn
    Plot_Set_Fill_Colour_RGB(30, 150, 30);
    plot_state.colour_records = 0;        // nothing written, still remembered
    Plot_Set_Fill_Colour_RGB(1, 2, 3);
    EXPECT_EQ(plot_state.last_fill_colour[2], 3);
    plot_state.colour_records = 1;
    plot_state.lightness_percent = -50.0;
    Plot_Set_Fill_Colour_RGB(255, 0, 0);  // 127.5 rounds away from zero
    EXPECT_EQ(out_.bytes(), "50 255 0 0\n50 30 150 30\n50 128 0 0\n");

    // At zero percent every colour comes back as given.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                int ro = -1, go = -1, bo = -1;
                Plot_Lighten_RGB(r, g, b, 0.0, &ro, &go, &bo);
                ASSERT_TRUE(ro == r && go == g && bo == b) << r << " " << g << " " << b;
            }
    int r = 0, g = 0, b = 0;
    Plot_Lighten_RGB(100, 100, 100, 50.0, &r, &g, &b);
    EXPECT_TRUE(r == 150 && g == 150 && b == 150);
    Plot_Lighten_RGB(255, 100, 100, -100.0, &r, &g, &b);  // no lightness left: black
    EXPECT_TRUE(r == 0 && g == 0 && b == 0);
    // Beyond white every channel stops at 255; a senseless percent gives no senseless value.
    Plot_Lighten_RGB(200, 200, 200, 100.0, &r, &g, &b);
    EXPECT_TRUE(r == 255 && g == 255 && b == 255);
    Plot_Lighten_RGB(30, 150, 30, 1e300, &r, &g, &b);
    EXPECT_TRUE(r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255);
}
