#include "core/corbel_plot.h"

#include <gtest/gtest.h>

#include <string>

#include "report/plot_state.h"
#include "test_support.h"

TEST(PlotRing, RingsCloseOuterAndInnerCornersIntoOnePolygon)
{
    const Plot_State saved = plot_state;
    File_Stream out;
    Init_Plot_Colours();
    Plot_Set_Colour_Sections(0);
    Plot_Set_Colour_Output(1);
    Plot_Begin_Graphic(out.get(), 0.0, 0.0, 10.0, 10.0, 1.0, 1.0, 0.0, nullptr);
    const size_t head = out.bytes().size();
    // A square ring: 4 + 1 outer and 4 + 1 inner corners; the outline with pen 2 has
    // four outer and four inner sides.
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 4, plot_grey, 34, 1, plot_black);
    const std::string ring = out.bytes().substr(head);
    EXPECT_NE(ring.find(" 18 10 7.000000 5.000000 "), std::string::npos) << ring;
    EXPECT_NE(ring.find(" 4 2\n"), std::string::npos);
    EXPECT_EQ(Count_Of(ring, " 1  "), 8);
    // No fill colour, or neither pen nor outline colour: nothing.
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 4, -1, 34, 1, plot_black);
    Plot_Regular_Polygon_Ring(5.0, 5.0, 2.0, 1.0, 4, plot_grey, 34, -1, -1);
    EXPECT_EQ(out.bytes().substr(head), ring);
    plot_state = saved;
}
