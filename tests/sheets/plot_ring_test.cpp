#include "sheets/corbel_plot.h"

#include <gtest/gtest.h>

#include <string>

#include "report/plot_state.h"
#include "test_support.h"

namespace {

class PlotRing : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = plot_state;
        Init_Plot_Colours();
        Plot_Set_Colour_Sections(0);
        Plot_Set_Colour_Output(1);
        Plot_Begin_Graphic(out_.get(), 0.0, 0.0, 10.0, 10.0, 1.0, 1.0, 0.0, nullptr);
        head_ = out_.bytes().size();
    }
    void TearDown() override
    {
        plot_state = saved_;
        Init_Plot_Colours();
    }
    std::string Drawn() const { return out_.bytes().substr(head_); }

    File_Stream out_;

private:
    Plot_State saved_{};
    size_t head_ = 0;
};

} // namespace

TEST_F(PlotRing, RingsCloseOuterAndInnerCornersIntoOnePolygon)
{
    // A square ring: 4 + 1 outer and 4 + 1 inner corners; outlined with pen 2, the four
    // outer and the four inner sides.
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 4, plot_grey, 34, 1, plot_black);
    std::string ring = Drawn();
    EXPECT_NE(ring.find(" 18 10 7.000000 5.000000 "), std::string::npos) << ring;
    EXPECT_NE(ring.find(" 4 2\n"), std::string::npos);
    EXPECT_EQ(Count_Of(ring, " 1  "), 8);
    // An inner radius not inside the outer one gives the plain polygon; without an
    // outline only the fill.
    size_t mark = Drawn().size();
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 3.0, 6, plot_grey, 34, -1, plot_black);
    std::string plain = Drawn().substr(mark);
    EXPECT_NE(plain.find(" 18 6 "), std::string::npos);
    EXPECT_EQ(Count_Of(plain, " 1  "), 0);
    // No fill colour, too many corners, or neither pen nor outline colour: nothing.
    mark = Drawn().size();
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 4, -1, 34, 1, plot_black);
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 65, plot_grey, 34, 1, plot_black);
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 4, plot_grey, 34, -1, -1);
    EXPECT_EQ(Drawn().substr(mark), "");
}

TEST_F(PlotRing, BackgroundAndForegroundLastUntilTheColoursAreSetUpAgain)
{
    Set_Plot_Background_Foreground(plot_light_grey, plot_dark_blue);
    EXPECT_EQ(plot_background, 15);
    EXPECT_EQ(plot_foreground, 7);
    Init_Plot_Colours();
    EXPECT_EQ(plot_background, 1);
    EXPECT_EQ(plot_foreground, 0);
}
