#include "report/plot_colours.h"

#include "report/plot_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

TEST(PlotColours, SetEntriesBecomeFillColoursAndNothingElseDoes)
{
    const Plot_State saved = plot_state;
    File_Stream out;
    plot_state.plot_graphic_stream = out.get();
    plot_state.colour_records = 1;
    plot_state.lightness_percent = 0.0;
    Init_Plot_Colour_Table_30();
    EXPECT_EQ(plot_colour_red, 4);
    EXPECT_EQ(plot_colour_paper, 29);
    EXPECT_EQ(plot_style_1, 59);
    EXPECT_EQ(plot_colour_background, 29);

    Set_Plot_Colour_30(0);
    Set_Plot_Colour_30(4);
    Set_Plot_Colour_30(14);
    Set_Plot_Colour_30(29);
    const std::string expected = "50 0 0 0\n50 255 50 50\n50 185 80 0\n50 252 250 236\n";
    EXPECT_EQ(out.bytes(), expected);

    // Outside the table, or an entry not set: nothing.
    Set_Plot_Colour_30(30);
    Set_Plot_Colour_30(-1);
    Set_Plot_Colour_30(-2147483647);
    const Plot_Colour_RGB kept = Plot_Colour_Table_30[7];
    Plot_Colour_Table_30[7].green = -1;
    Set_Plot_Colour_30(7);
    Plot_Colour_Table_30[7] = kept;
    EXPECT_EQ(out.bytes(), expected);
    EXPECT_EQ(plot_state.last_fill_colour[0], 252);

    plot_state = saved;
}
