#include "report/plot_arrows.h"

#include "report/plot_state.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

class PlotArrows : public ::testing::Test {
protected:
    void SetUp() override { graphic_.Begin(0.0, 0.0, 10.0, 5.0, 1.0, 1.0, 0.0); }
    std::string Records() const { return graphic_.Records(); }
    void Clear() { graphic_.Skip(); }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
};

const std::string kOpen = " 30\n 52\n";
const std::string kClose = " 31\n 53\n";

// Shaft and head of an arrow at (2, 1) pointing along +x, 1 long, head 0.3 by 0.2.
const std::string kToTail = " 1  2.000000 1.000000 1.000000 1.000000\n";
const std::string kBaseToTail = " 1  1.700000 1.000000 1.000000 1.000000\n";

}  // namespace

TEST_F(PlotArrows, EachKindOfArrowSymbol)
{
    Plot_Draw_Arrow_Symbol(2, 1, 0.0, 1.0, 0.3, 0.2, PLOT_ARROW_OPEN);
    EXPECT_EQ(Records(), kOpen + kToTail +
                             " 1  2.000000 1.000000 1.700000 0.900000\n"
                             " 1  2.000000 1.000000 1.700000 1.100000\n" +
                             kClose);
    Clear();
    Plot_Draw_Arrow_Symbol(2, 1, 0.0, 1.0, 0.3, 0.2, PLOT_ARROW_OUTLINED);
    EXPECT_EQ(Records(), kOpen + kBaseToTail +
                             " 1  2.000000 1.000000 1.700000 0.900000\n"
                             " 1  1.700000 0.900000 1.700000 1.100000\n"
                             " 1  1.700000 1.100000 2.000000 1.000000\n" +
                             kClose);
    Clear();
    Plot_Draw_Arrow_Symbol(2, 1, 0.0, 1.0, 0.3, 0.2, PLOT_ARROW_FILLED);
    EXPECT_EQ(Records(), kOpen + " 20  55\n" + kBaseToTail +
                             " 18 3 2.000000 1.000000 1.700000 0.900000 1.700000 1.100000 \n" +
                             kClose);
    Clear();
    // Without colour output the filled arrow is its shaft alone.
    Plot_Set_Colour_Output(0);
    Plot_Draw_Arrow_Symbol(2, 1, 0.0, 1.0, 0.3, 0.2, PLOT_ARROW_FILLED);
    EXPECT_EQ(Records(), kOpen + " 20  0\n" + kBaseToTail + kClose);
    Clear();
    Plot_Draw_Arrow_Symbol(2, 1, 0.0, 1.0, 0.3, 0.2, 7);
    EXPECT_EQ(Records(), kOpen + kClose);
}

TEST_F(PlotArrows, ArrowPointsAlongItsAngleAndItsLabelStandsBeyondTheTail)
{
    // Pointing down: tail above the tip, the head corners 0.3 up and 0.1 to either side.
    Plot_Draw_Arrow_Symbol(5, 2, -1.5707963267948966, 1.0, 0.3, 0.2, PLOT_ARROW_OPEN);
    EXPECT_EQ(Records(), kOpen +
                             " 1  5.000000 2.000000 5.000000 3.000000\n"
                             " 1  5.000000 2.000000 4.900000 2.300000\n"
                             " 1  5.000000 2.000000 5.100000 2.300000\n" +
                             kClose);
    Clear();
    // Pointing up: the text hangs below the tail (anchor top centre, 0xE2).
    Plot_Draw_Labelled_Arrow(2, 2, 1.5707963267948966, 1.0, 0.3, 0.2, PLOT_ARROW_OPEN, 0.25, "P");
    EXPECT_NE(Records().find(kClose + " 13 0.250000\n 9 2.000000 1.000000 2.000000 1.000000 226 "
                                      "\xAEP\xAF\n"),
              std::string::npos);
}

TEST_F(PlotArrows, DimensionLineWithTextsOnBothSides)
{
    Plot_Draw_Dimension_Line(0, 0, 4, 0, " ", "12");
    EXPECT_EQ(Records(), kOpen + " 6 0.017000\n"
                                 " 1  0.000000 0.000000 2.000000 0.000000\n"
                                 " 1  2.000000 0.000000 4.000000 0.000000\n"
                                 " 1  0.332870 0.108156 0.000000 0.000000\n"
                                 " 1  0.332870 -0.108156 0.000000 0.000000\n"
                                 " 1  3.667130 -0.108156 4.000000 0.000000\n"
                                 " 1  3.667130 0.108156 4.000000 0.000000\n"
                                 " 13 0.250000\n"
                                 " 14 0.000000 0\n"
                                 " 10 2.000000 0.200000 2.000000 0.200000 210 \xAE \xAF\n"
                                 " 14 0.000000 0\n"
                                 " 10 2.000000 -0.200000 2.000000 -0.200000 210 \xAE" "12\xAF\n" +
                             kClose);
    EXPECT_EQ(plot_state.text_angle, 0.0);

    // An empty text: the line is broken around the middle and the second text stands there.
    Clear();
    Plot_Draw_Dimension_Line(0, 0, 4, 0, "", "12");
    const std::string bytes = Records();
    EXPECT_NE(bytes.find(" 1  0.000000 0.000000 1.875000 0.000000\n"
                         " 1  2.125000 0.000000 4.000000 0.000000\n"),
              std::string::npos);
    EXPECT_NE(bytes.find(" 10 2.000000 0.000000 2.000000 0.000000 210 \xAE" "12\xAF\n"),
              std::string::npos);

    // Degenerate points and null texts do not upset it.
    Clear();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Plot_Draw_Dimension_Line(1, 1, 1, 1, nullptr, nullptr);
    Plot_Draw_Dimension_Line(nan, 0, 1, 1, "a", "b");
    Plot_Draw_Arrow_Symbol(nan, 0, nan, 1.0, 0.3, 0.2, PLOT_ARROW_FILLED);
    EXPECT_EQ(plot_state.text_angle, 0.0);
}

TEST_F(PlotArrows, LoadArrowIsOneGroupWithItsTextBeyondTheTail)
{
    Plot_Draw_Load_Arrow_Down(2, 1, 1.0, "Q");
    EXPECT_EQ(Records(), kOpen + " 4 2\n 38 0   0\n 20  55\n"
                                 " 1  2.000000 1.150000 2.000000 2.000000\n"
                                 " 18 3 2.000000 1.000000 1.925000 1.150000 2.075000 1.150000 \n"
                                 " 13 0.220000\n 8 6\n"
                                 " 9 2.000000 2.225000 2.000000 2.225000 202 \xAEQ\xAF\n" +
                             kClose);
    Clear();
    // Lying: the tail to the right of the tip, the text starting beyond it (anchor 0xD1).
    Plot_Draw_Load_Arrow_Side(2, 1, 2.0, "H");
    EXPECT_NE(Records().find(" 1  2.300000 1.000000 4.000000 1.000000\n"), std::string::npos);
    EXPECT_NE(Records().find(" 9 4.450000 1.000000 4.450000 1.000000 209 \xAEH\xAF\n"), std::string::npos);

    // Where the window's y runs down the page the arrow still points down on the page:
    // its tail lies below the tip in drawing units.
    graphic_.Begin(0.0, 5.0, 10.0, 0.0, 1.0, 1.0, 0.0);
    Plot_Draw_Load_Arrow_Down(2, 3, 1.0, nullptr);
    EXPECT_NE(Records().find(" 1  2.000000 2.850000 2.000000 2.000000\n"), std::string::npos);
    EXPECT_EQ(Records().find(" 13 "), std::string::npos);  // no text, no text records
}

TEST_F(PlotArrows, RowsOfLoadArrowsAndDegenerateLoads)
{
    // 1 record unit wide: five arrows 0.25 apart, the line through the tails, the label box.
    Plot_Draw_Uniform_Load(1.0, 1.0, 2.0, 1.0, 0.5, 0.2, "q");
    std::string records = Records();
    EXPECT_EQ(Count_Of(records, " 4 2\n 38 0   0\n 20  55\n"), 5);
    EXPECT_NE(records.find(" 1  1.250000 1.075000 1.250000 1.500000\n"), std::string::npos);
    EXPECT_NE(records.find(" 1  1.000000 1.500000 2.000000 1.500000\n 13 0.200000\n"), std::string::npos);
    EXPECT_NE(records.find(" 210 \xAEq\xAF\n"), std::string::npos);
    // Narrow rows still have both end arrows; a varying load's tails lie on a slope.
    Clear();
    Plot_Draw_Varying_Load(1.0, 1.0, 1.1, 1.0, 0.5, 1.0, 0.2, nullptr);
    records = Records();
    EXPECT_EQ(Count_Of(records, " 20  55\n"), 2);
    EXPECT_NE(records.find(" 1  1.000000 1.500000 1.100000 2.000000\n"), std::string::npos);

    // Zero width and values that are not numbers draw nothing at all.
    Clear();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Plot_Draw_Uniform_Load(1.0, 1.0, 1.000001, 2.0, 0.5, 0.2, "q");
    Plot_Draw_Uniform_Load(1.0, 1.0, nan, 1.0, 0.5, 0.2, "q");
    Plot_Draw_Varying_Load(1.0, 1.0, 2.0, 1.0, 0.5, nan, 0.2, "q");
    Plot_Draw_Load_Arrow_Down(2, 1, nan, "Q");
    Plot_Draw_Line_Load_Normal(1.0, 1.0, 1.0, 1.0, 1.0, 1.0);
    Plot_Draw_Line_Load_X(1.0, 1.0, 2.0, 1.0, nan, 1.0);
    Plot_Draw_Axial_Line_Load(1.0, 1.0, 1.0, 1.0, 1.0, 1.0);
    EXPECT_EQ(Records(), "");
}

TEST_F(PlotArrows, LineLoadArrowsPointAtTheSegment)
{
    // Two intervals of 300: the value changes sign, so both arrows point at the middle.
    Plot_Draw_Axial_Line_Load(0.0, 0.0, 600.0, 0.0, 1.0, -1.0);
    std::string records = Records();
    const std::string segment = " 1  0.000000 0.000000 600.000000 0.000000\n";
    EXPECT_EQ(records.substr(0, segment.size()), segment);
    EXPECT_NE(records.find(" 1  300.000000 0.000000 0.000000 0.000000\n"), std::string::npos);
    EXPECT_NE(records.find(" 1  300.000000 0.000000 600.000000 0.000000\n"), std::string::npos);

    // Two intervals of 200, values 10 to 30 in y: the outline, and arrows of 15 and 25
    // from it down to the segment at the intervals' middles.
    Clear();
    Plot_Draw_Line_Load_Y(0.0, 0.0, 400.0, 0.0, 10.0, 30.0);
    records = Records();
    EXPECT_NE(records.find(" 1  0.000000 0.000000 0.000000 10.000000\n"
                           " 1  0.000000 10.000000 400.000000 30.000000\n"
                           " 1  400.000000 30.000000 400.000000 0.000000\n"),
              std::string::npos);
    EXPECT_NE(records.find(" 1  100.000000 0.000000 100.000000 15.000000\n"), std::string::npos);
    EXPECT_NE(records.find(" 1  300.000000 0.000000 300.000000 25.000000\n"), std::string::npos);
    EXPECT_EQ(Count_Of(records, " 30\n"), 2);

    // At right angles: to the left of a segment running in +y, so towards -x.
    Clear();
    Plot_Draw_Line_Load_Normal(0.0, 0.0, 0.0, 100.0, 5.0, 5.0);
    EXPECT_NE(Records().find(" 1  0.000000 50.000000 -5.000000 50.000000\n"), std::string::npos);
}
