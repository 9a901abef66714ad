#include "report/plot_marks.h"

#include "report/plot_state.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// A graphic over the window (x1, y1)-(x2, y2) at scale 1, without a drawing file; the
// tests compare the records after the block's head.
class PlotMarks : public ::testing::Test {
protected:
    void Begin(double x1, double y1, double x2, double y2)
    {
        graphic_.Begin(x1, y1, x2, y2, 1.0, 1.0, 0.0);
        plot_state.plot_file_stream = nullptr;
        plot_state.colour_output = 1;
        plot_state.colour_records = 1;
        plot_state.level_marks = 1;
    }
    std::string Records() const { return graphic_.Records(); }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
};

}  // namespace

TEST_F(PlotMarks, LevelMarkGroupInOrder)
{
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Level_Mark(1.0, 2.0, 3.0, "+3.50", "OK", 5, 1.0);
    EXPECT_EQ(Records(), Cp850(" 30\n 52\n"
                               " 20  5\n"
                               " 18 3 1.000000 2.000000 0.840000 2.220000 1.160000 2.220000 \n"
                               " 1  1.000000 2.000000 0.840000 2.220000\n"
                               " 1  0.840000 2.220000 1.160000 2.220000\n"
                               " 1  1.160000 2.220000 1.000000 2.000000\n"
                               " 6 0.035000\n"
                               " 1  0.830000 2.000000 3.830000 2.000000\n"
                               " 13 0.240000\n"
                               " 2 0.860000 2.330000 «+3.50»\n"
                               " 13 0.200000\n"
                               " 8 0\n"
                               " 6 0.020000\n"
                               " 16 0.050000\n"
                               " 2 1.250000 2.100000 «OK»\n"
                               " 31\n 53\n"));

    // Without colour output the triangle is outlined only and its index is 0.
    Begin(0.0, 0.0, 10.0, 10.0);
    plot_state.colour_output = 0;
    Plot_Draw_Level_Mark(1.0, 2.0, 3.0, nullptr, "", 5, 1.0);
    const std::string records = Records();
    EXPECT_NE(records.find(" 20  0\n"), std::string::npos);
    EXPECT_EQ(records.find(" 18 "), std::string::npos);
    EXPECT_EQ(records.find(" 2 "), std::string::npos);  // no empty texts
}

TEST_F(PlotMarks, LevelTriangleKeepsItsLookInAMirroredWindow)
{
    Begin(0.0, 10.0, 10.0, 0.0);  // y runs downwards
    Plot_Draw_Level_Triangle(1.0, 2.0, "A", 1, 1.0);
    EXPECT_EQ(Records(), Cp850(" 30\n 52\n"
                               " 20  64\n"
                               " 18 3 1.000000 2.000000 0.840000 1.780000 1.160000 1.780000 \n"
                               " 1  1.000000 2.000000 0.840000 1.780000\n"
                               " 1  0.840000 1.780000 1.160000 1.780000\n"
                               " 1  1.160000 1.780000 1.000000 2.000000\n"
                               " 13 0.240000\n"
                               " 2 0.860000 1.670000 «A»\n"
                               " 31\n 53\n"));

    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Level_Triangle_On_Ground(1.0, 2.0, "", 1.0);
    EXPECT_NE(Records().find(" 1  0.840000 1.920000 1.160000 1.920000\n"
                             " 1  0.900000 1.840000 1.100000 1.840000\n 31\n"),
              std::string::npos);
}

TEST_F(PlotMarks, LevelPairObeysItsSwitchAndLowersTheSubscript)
{
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Set_Level_Marks(0);
    Plot_Draw_Level_Pair(1.0, 1.0, "OK", "UK", 1.0, 0.0);
    EXPECT_EQ(Records(), "");

    Plot_Set_Level_Marks(1);
    Plot_Draw_Level_Pair(1.0, 1.0, "OK\xCE\\D", "UK", 1.0, 0.0);
    const std::string records = Records();
    EXPECT_NE(records.find(Cp850(" 13 0.180000\n"
                                 " 7 0\n 14 0.000000 0\n 3 1.250000 1.050000 «OK»\n"
                                 " 7 3\n 14 0.000000 0\n 3 1.538000 0.996000 «D»\n"
                                 " 7 0\n 14 0.000000 0\n 3 1.250000 0.770000 «UK»\n"
                                 " 31\n")),
              std::string::npos);
    // The reference line reaches past the longer label (2 + 0.8 characters).
    EXPECT_NE(records.find(" 1  0.750000 1.000000 1.753200 1.000000\n"), std::string::npos);
    EXPECT_EQ(plot_state.text_angle, 0.0);
}

TEST_F(PlotMarks, GridAxisWithoutTextsIsTheLineAlone)
{
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Grid_Axis(0.0, 0.0, 0.0, 5.0, 0.5, nullptr, nullptr);
    EXPECT_EQ(Records(), " 30\n 52\n"
                         " 6 0.025000\n"
                         " 38 4 0.2 0.07 0.008 0.07 0\n"
                         " 1  0.000000 0.000000 0.000000 5.000000\n"
                         " 31\n 53\n");

    // A text extends the line by twice the offset and stands in its marker beyond.
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Grid_Axis(0.0, 0.0, 0.0, 5.0, 0.5, "A", nullptr);
    const std::string records = Records();
    EXPECT_NE(records.find(" 1  0.000000 -1.000000 0.000000 5.000000\n"), std::string::npos);
    EXPECT_NE(records.find(Cp850(" 13 0.250000\n 8 6\n"
                                 " 9 -0.046296 -1.260000 -0.046296 -1.260000 209 «A»\n")),
              std::string::npos);
}

TEST_F(PlotMarks, LeaderLabelShelfAndText)
{
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Leader_Label(0.0, 0.0, 2.0, 2.0, 0.2, "%s  ", "Pos 1");
    EXPECT_EQ(Records(), Cp850(" 30\n 52\n 4 1\n 38 0   0\n"
                               " 1  0.000000 0.000000 2.000000 2.000000\n"
                               " 1  2.000000 2.000000 3.200000 2.000000\n"
                               " 9 2.120000 2.040000 2.120000 2.040000 201 «Pos 1»\n"
                               " 31\n 53\n"));

    // Only blanks: a shelf of one size; a first point beyond the shelf takes the far end,
    // and the text is anchored on that side.
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Leader_Label(5.0, 0.0, 2.0, 2.0, 0.2, "   ");
    EXPECT_EQ(Records(), " 30\n 52\n 4 1\n 38 0   0\n"
                         " 1  5.000000 0.000000 2.200000 2.000000\n"
                         " 1  2.000000 2.000000 2.200000 2.000000\n"
                         " 31\n 53\n");
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Leader_Label(5.0, 0.0, 2.0, 2.0, 0.2, "AB");
    EXPECT_NE(Records().find(Cp850(" 9 2.480000 2.040000 2.480000 2.040000 204 «AB»\n")),
              std::string::npos);
}

TEST_F(PlotMarks, FlagLabelAddsItsTriangleUnlessFlagged)
{
    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Flag_Label(0.0, 0.0, 2.0, 2.0, 0, 0.2, "%c", 'F');
    const std::string records = Records();
    EXPECT_NE(records.find(" 1  2.000000 2.000000 2.492000 2.000000\n 13 0.200000\n"),
              std::string::npos);
    EXPECT_NE(records.find(" 20  1\n 18 3 "), std::string::npos);
    EXPECT_NE(records.find(" 4 2\n"), std::string::npos);

    Begin(0.0, 0.0, 10.0, 10.0);
    Plot_Draw_Flag_Label(0.0, 0.0, 2.0, 2.0, 1, 0.2, "%c", 'F');
    EXPECT_EQ(Records().find(" 18 "), std::string::npos);
}

TEST_F(PlotMarks, EverySymbolIsOneGroupAndRestoresTheState)
{
    Begin(0.0, 0.0, 10.0, 10.0);
    plot_state.text_angle = 0.5;
    auto check = [&](const char* what) {
        const std::string records = Records();
        EXPECT_EQ(records.substr(0, 8), " 30\n 52\n") << what;
        EXPECT_EQ(records.substr(records.size() - 8), " 31\n 53\n") << what;
        EXPECT_EQ(plot_state.text_angle, 0.5) << what;
        graphic_.Skip();
    };
    Plot_Draw_Section_Mark(1.0, 1.0, 1.0, 1.5707963267948966, "A");
    check("section");
    Plot_Draw_Hinge_Support(1.0, 1.0, 30.0, 3, 1, 1, 1.0);
    check("hinge");
    Plot_Draw_Fixed_Support(1.0, 1.0, 0.0, 1.0);
    check("fixed");
    for (int kind = -1; kind <= 8; ++kind) {
        Plot_Draw_Bearing_Symbol(kind, PLOT_BEARING_CENTRE_LINE | PLOT_BEARING_HANGING, 1.0, 1.0, 1.0, 0.5);
        check("bearing");
    }
    Plot_Draw_Hatch_Band(0.0, 0.0, 3.0, 0.0, 1.0, PLOT_HATCH_RIGHT);
    check("hatch");
    Plot_Draw_Hatch_Band(0.0, 0.0, 3.0, 0.0, 0.0, PLOT_HATCH_LEFT);  // no width: nothing inside
    EXPECT_EQ(Records(), " 30\n 52\n 31\n 53\n");
}

TEST_F(PlotMarks, SectionMarkOnAnAxisUsesOneScale)
{
    graphic_.Begin(0.0, 0.0, 10.0, 10.0, 2.0, 0.5, 0.0);
    plot_state.colour_output = 0;
    Plot_Draw_Section_Mark(1.0, 1.0, 1.0, 1.5707963267948966, nullptr);
    // Straight up: the arrow runs 1 record unit in y alone, the cut line in x alone.
    EXPECT_EQ(Records(), " 30\n 52\n 20  0\n"
                         " 1  2.000000 0.500000 2.000000 1.500000\n"
                         " 1  2.250000 0.500000 1.750000 0.500000\n"
                         " 31\n 53\n");
}
