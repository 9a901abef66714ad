#include "core/corbel_plot.h"

#include <gtest/gtest.h>

#include <string>

#include "report/plot_state.h"
#include "test_support.h"

namespace {

// Each helper draws into a graphic of its own; the run-wide plot state is put back after.
class CorbelPlot : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = plot_state;
        Init_Plot_Colours();
        Plot_Set_Colour_Sections(1);
        Plot_Set_Colour_Output(1);
        Plot_Begin_Graphic(out_.get(), 0.0, 0.0, 10.0, 10.0, 1.0, 1.0, 0.0, nullptr);
        head_ = out_.bytes().size();
    }
    void TearDown() override { plot_state = saved_; }
    // What the helpers wrote after the graphic's head.
    std::string Drawn() const { return out_.bytes().substr(head_); }

    File_Stream out_;

private:
    Plot_State saved_{};
    size_t head_ = 0;
};

}  // namespace

TEST(CorbelPlotNumbers, RoundingAddsFiveNinthsAndSnappingCatchesUnitValues)
{
    EXPECT_EQ(Round_To_Int32(0.4444), 0);
    EXPECT_EQ(Round_To_Int32(0.4445), 1);
    EXPECT_EQ(Round_To_Int32(-0.4445), -1);
    EXPECT_EQ(Round_To_Int32(0.0), 0);
    EXPECT_EQ(Round_To_Int32(2.44), 2);
    EXPECT_EQ(Round_To_Int32(2.45), 3);
    EXPECT_EQ(Round_To_Int32(-2.5), -3);
    // Beyond the 32-bit range the ends are kept rather than wrapping.
    EXPECT_EQ(Round_To_Int32(1e12), 2147483647);
    EXPECT_EQ(Round_To_Int32(-1e12), -2147483647 - 1);

    EXPECT_EQ(Snap_Unit_Values(0.9995), 1.0);
    EXPECT_EQ(Snap_Unit_Values(0.998), 0.998);
    EXPECT_EQ(Snap_Unit_Values(-0.0009), 0.0);
    EXPECT_EQ(Snap_Unit_Values(-1.0005), -1.0);
}

TEST_F(CorbelPlot, ColoursOutsideTheTableOrUnsetWriteNothingAndEntry29IsBlack)
{
    Set_Plot_Colour(21);
    Set_Plot_Colour(30);
    Set_Plot_Colour(-1);
    EXPECT_EQ(Drawn(), "");
    Set_Plot_Colour(29);
    Set_Plot_Colour(plot_crimson);
    EXPECT_EQ(Drawn(), "50 0 0 0\n50 171 12 36\n");

    int r = 1, g = 1, b = 1;
    EXPECT_EQ(Get_Plot_Colour(15, &r, &g, &b), 0);
    EXPECT_EQ(r + g + b, 3 * 224);
    EXPECT_EQ(Get_Plot_Colour(25, &r, &g, &b), 1);
    EXPECT_EQ(r + g + b, 0);
}

TEST_F(CorbelPlot, LinesCirclesAndBands)
{
    // A negative pen or colour draws nothing at all, not even the line.
    Plot_Coloured_Line(0, 0, 1, 1, plot_black, -1);
    Plot_Coloured_Line(0, 0, 1, 1, -1, 2);
    EXPECT_EQ(Drawn(), "");
    Plot_Coloured_Line(0, 0, 1, 1, plot_grey, 2);
    EXPECT_EQ(Drawn(), " 30\n 52\n50 110 110 110\n 4 2\n 1  0.000000 0.000000 1.000000 1.000000\n"
                       " 31\n 53\n");

    // Without fill colour and pen the outline circle is still drawn.
    const size_t before = Drawn().size();
    Plot_Circle_With_Outline(5, 5, 1, -1, 64, -1, plot_black);
    const std::string circle = Drawn().substr(before);
    EXPECT_EQ(Count_Of(circle, " 18 "), 0);
    EXPECT_EQ(Count_Of(circle, " 4 "), 0);
    EXPECT_GT(Count_Of(circle, " 1  "), 8);

    // A band narrower than 0.01 is its centre line whatever the flag; a band is filled
    // only while colour output is on.
    const size_t mark = Drawn().size();
    Plot_Band(0, 0, 4, 0, 0.005, 0);
    EXPECT_EQ(Drawn().substr(mark), " 1  0.000000 0.000000 4.000000 0.000000\n");
    Plot_Band(0, 0, 4, 0, 2.0, 0);
    EXPECT_EQ(Drawn().substr(mark).find(" 18 4 0.000000 1.000000 4.000000 1.000000 4.000000 "
                                        "-1.000000 0.000000 -1.000000"),
              std::string(" 1  0.000000 0.000000 4.000000 0.000000\n").size());
    Plot_Set_Colour_Output(0);
    const size_t off = Drawn().size();
    Plot_Band(0, 0, 4, 0, 2.0, 1);
    EXPECT_EQ(Drawn().substr(off), " 1  0.000000 0.000000 4.000000 0.000000\n");
}

TEST_F(CorbelPlot, ArcsTakeOnePointPerSixteenthOfHalfATurn)
{
    Plot_Coloured_Arc(0, 0, 1, 0.0, 90.0, plot_black, 34, -1, 0.1, 0);
    EXPECT_NE(Drawn().find(" 18 9 "), std::string::npos);
    Plot_Coloured_Arc(0, 0, 1, 0.0, 360.0, plot_black, 34, -1, 0.1, 0);
    EXPECT_NE(Drawn().find(" 18 33 "), std::string::npos);
    // Angle 0 lies at (cx - r, cy).
    EXPECT_NE(Drawn().find(" 18 9 -1.000000 0.000000 "), std::string::npos);
    const size_t mark = Drawn().size();
    Plot_Coloured_Arc(0, 0, 1, 0.0, 0.0005, plot_black, 34, plot_black, 0.1, 1);
    EXPECT_EQ(Drawn().substr(mark), "");
    // As a line: eight bands between nine points, in one group.
    Plot_Coloured_Arc(0, 0, 1, 90.0, 90.0, -1, 34, plot_black, 0.1, 0);
    const std::string arc = Drawn().substr(mark);
    EXPECT_EQ(Count_Of(arc, " 18 4 "), 8);
    EXPECT_EQ(Count_Of(arc, " 30\n"), 1);
}

TEST_F(CorbelPlot, BarLabels)
{
    struct Case {
        int count;
        double diameter, spacing;
        const char* text;  // null: nothing drawn
    };
    const Case cases[] = {
        {4, 1.6, 15.0, "4\x8C" "16/15"},
        {4, 1.25, 15.0, "4\x8C" "12.5/15.0"},
        {0, 1.25, 15.0, "\x8C" "12.5/15.0"},
        {3, 2.0, 0.0, "3\x8C" "20"},
        {0, 1.6, 0.0, nullptr},
        {2, 0.0005, 10.0, nullptr},
        // Any spacing may be entered: the label takes the length it needs.
        {12, 1.6, 1e30, "12\x8C" "16/1000000000000000019884624838656"},
    };
    for (const Case& c : cases) {
        const size_t mark = Drawn().size();
        Plot_Bar_Label(5, 5, c.count, c.diameter, c.spacing);
        const std::string drawn = Drawn().substr(mark);
        if (!c.text) {
            EXPECT_EQ(drawn, "") << c.count << " " << c.diameter;
            continue;
        }
        EXPECT_NE(drawn.find(" 13 0.200000\n"), std::string::npos);
        EXPECT_NE(drawn.find(" 9 5.000000 5.000000 5.000000 5.000000 210 \xAE" + std::string(c.text) +
                             "\xAF\n"),
                  std::string::npos)
            << c.text;
    }
}
