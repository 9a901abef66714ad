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
