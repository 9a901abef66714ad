#include "base/rebar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

TEST(RebarTable, StandardDiametersInBothUnits) {
    const int expected[] = {6, 7, 8, 9, 10, 12, 14, 16, 20, 25, 28, 32};
    for (int i = 0; i < REBAR_STANDARD_COUNT; ++i) {
        EXPECT_EQ(Get_Rebar_Diameter_Mm(i, 99.0), expected[i]) << i;
        EXPECT_DOUBLE_EQ(Get_Rebar_Diameter_Cm(i, 99.0), expected[i] / 10.0) << i;
        EXPECT_EQ(std::string(Get_Rebar_Diameter_Text(i, 0.0)), std::to_string(expected[i]));
    }
    for (int index : {-1, 13, INT_MIN, INT_MAX}) {
        EXPECT_EQ(Get_Rebar_Diameter_Mm(index, 16.0), 0) << index;
        EXPECT_EQ(Get_Rebar_Diameter_Cm(index, 16.0), 0.0) << index;
    }
}

TEST(RebarTable, FreeDiameter) {
    // Millimetres are rounded for texts, centimetres for the design are not.
    EXPECT_EQ(Get_Rebar_Diameter_Mm(REBAR_FREE_INDEX, 15.5), 16);
    EXPECT_DOUBLE_EQ(Get_Rebar_Diameter_Cm(REBAR_FREE_INDEX, 15.5), 1.55);
    EXPECT_EQ(Get_Rebar_Diameter_Mm(REBAR_FREE_INDEX, 15.4), 15);
    EXPECT_STREQ(Get_Rebar_Diameter_Text(REBAR_FREE_INDEX, 15.5), "16");
    // A free diameter of 0.01 mm or less, or none at all, is no bar.
    for (double none : {0.0, 0.01, -20.0, std::nan("")}) {
        EXPECT_EQ(Get_Rebar_Diameter_Mm(REBAR_FREE_INDEX, none), 0) << none;
        EXPECT_EQ(Get_Rebar_Diameter_Cm(REBAR_FREE_INDEX, none), 0.0) << none;
    }
    EXPECT_DOUBLE_EQ(Get_Rebar_Diameter_Cm(REBAR_FREE_INDEX, 0.02), 0.002);
    EXPECT_EQ(Get_Rebar_Diameter_Mm(REBAR_FREE_INDEX, 0.02), 0);
    // Nonsense sizes stay within the int range.
    EXPECT_EQ(Get_Rebar_Diameter_Mm(REBAR_FREE_INDEX, 1e30), INT_MAX);
    EXPECT_EQ(Get_Rebar_Diameter_Mm(REBAR_FREE_INDEX, INFINITY), INT_MAX);
}

TEST(RebarRounding, FourNinthsRoundUp) {
    EXPECT_EQ(Round_To_Integer(2.45), 3.0);
    EXPECT_EQ(Round_To_Integer(2.4445), 3.0);
    EXPECT_EQ(Round_To_Integer(2.4444), 2.0);
    EXPECT_EQ(Round_To_Integer(-2.45), -3.0);
    EXPECT_EQ(Round_To_Integer(-2.44), -2.0);

    EXPECT_DOUBLE_EQ(Round_To_Tenth(0.445), 0.5);
    EXPECT_DOUBLE_EQ(Round_To_Tenth(0.444), 0.4);
    EXPECT_DOUBLE_EQ(Round_To_Tenth(0.04445), 0.1);
    EXPECT_DOUBLE_EQ(Round_To_Tenth(-12.345), -12.4);
}

TEST(RebarRounding, HalfUnits) {
    EXPECT_EQ(Round_To_Half(2.2), 2.0);
    EXPECT_EQ(Round_To_Half(2.25), 2.5);
    EXPECT_EQ(Round_To_Half(2.3), 2.5);
    EXPECT_EQ(Round_To_Half(2.7), 2.5);
    EXPECT_EQ(Round_To_Half(2.8), 3.0);
    EXPECT_EQ(Round_To_Half(2.84), 3.0);
    EXPECT_EQ(Round_To_Half(-2.3), -2.5);
}

TEST(RebarRounding, ZeroKeepsAPositiveSign) {
    for (double r : {Round_To_Integer(0.0), Round_To_Tenth(0.0), Round_To_Half(0.0)}) {
        EXPECT_EQ(r, 0.0);
        EXPECT_FALSE(std::signbit(r));
    }
}

TEST(RebarMetres, DiametersAndCounts) {
    EXPECT_EQ(Get_Lower_Bar_Diameter(0.012), 0.01);
    EXPECT_EQ(Get_Lower_Bar_Diameter(0.013), 0.012);
    EXPECT_EQ(Get_Lower_Bar_Diameter(0.05), 0.032);
    EXPECT_EQ(Get_Lower_Bar_Diameter(0.006), -1.0);

    const double three_12 = 3 * M_PI / 4 * 0.012 * 0.012;
    EXPECT_EQ(Get_Bar_Count_For_Area(three_12 * 0.999, 0.012), 3);
    EXPECT_EQ(Get_Bar_Count_For_Area(three_12 * 1.001, 0.012), 4);
    EXPECT_EQ(Get_Bar_Count_Per_Group(three_12 * 2 * 0.999 + 1e-4, 0.012, -2, 1e-4), 3);

    EXPECT_EQ(Find_Bar_Diameter_Index(three_12, 3, 1.0), 3);  // 0.012 m
    EXPECT_EQ(Find_Bar_Diameter_Index(three_12, 3, 0.5), 6);  // twice the area: 0.02 m
    EXPECT_EQ(Find_Bar_Diameter_Index(1.0, 3, 1.0), -1);

    int count = 0, index = 0;
    EXPECT_EQ(Find_Bar_Count_And_Diameter(three_12, 1, 0, 9, 1.0, &count, &index), 1);
    EXPECT_EQ(index, 7);  // one bar of 0.025 m covers three of 0.012 m
    // Bar areas are compared at 6 decimals (m²): 0.000339 for three bars of 0.012 m.
    EXPECT_EQ(Find_Bar_Count_And_Diameter(three_12, 1, 0, 3, 1.0, &count, &index), 4);
    EXPECT_EQ(Find_Bar_Count_And_Diameter(0.000339, 1, 0, 3, 1.0, &count, &index), 3);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(index, 3);

    EXPECT_DOUBLE_EQ(Get_Bars_Area(4, 0.01), 0.000314);
    EXPECT_DOUBLE_EQ(Get_Bundles_Area(2, 3, 0.01), 6 * M_PI / 4 * 1e-4);
    EXPECT_EQ(Get_Bundles_Area(-2, 3, 0.01), 0.0);
}

TEST(RebarMetres, UnreachableSearchesEnd) {
    int count = 7, index = 7;
    // No bars reach an area when they count for nothing, and reversed or foreign
    // index ranges hold no bars at all.
    EXPECT_EQ(Find_Bar_Count_And_Diameter(1e-4, 1, 0, 9, 0.0, &count, &index), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(Find_Bar_Count_And_Diameter(1e-4, 1, 5, 2, 1.0, &count, &index), 0);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(Find_Bar_Count_And_Diameter(1e-4, 1, 20, 30, 1.0, &count, &index), 0);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(Find_Bar_Count_And_Diameter(1e9, 1, 0, 9, 1.0, &count, &index), 0);
    EXPECT_EQ(index, -1);
}

TEST(RebarMetres, Spacings) {
    EXPECT_EQ(Get_Bar_Spacing_For_Area(0.0, 0.01), 0.0);
    // 10 mm bars for 7.85 cm²/m: 10 cm.
    EXPECT_DOUBLE_EQ(Get_Bar_Spacing_For_Area(M_PI / 4 * 1e-4 * 10, 0.01), 0.1);
    // 13.7 cm rounds down to 13.5 cm, 13.4 cm to 13 cm.
    EXPECT_DOUBLE_EQ(Get_Bar_Spacing_For_Area(M_PI / 4 * 1e-4 * 100 / 13.7, 0.01), 0.135);
    EXPECT_DOUBLE_EQ(Get_Bar_Spacing_For_Area(M_PI / 4 * 1e-4 * 100 / 13.4, 0.01), 0.13);

    EXPECT_EQ(Get_Area_For_Spacing(0.0, 0.01), 0.0);
    EXPECT_DOUBLE_EQ(Get_Area_For_Spacing(0.1, 0.01), 0.000785);

    EXPECT_EQ(Get_Bar_Count_For_Length(1.0, 0.25), 5);
    EXPECT_EQ(Get_Bar_Count_For_Length(0.1, 0.25), 2);
    EXPECT_EQ(Get_Bar_Count_For_Length(1.0, -0.25), 2);
    EXPECT_EQ(Get_Bar_Count_For_Length(0.0, 0.0), 2);
    EXPECT_EQ(Get_Bar_Count_For_Length(1.0, 0.0), INT_MAX);

    EXPECT_EQ(Get_Gap_Count(1.0, 0.05, 0.08, 0.02), 8);  // 0.88 / 0.1, truncated
    EXPECT_EQ(Get_Gap_Count(0.1, 0.05, 0.08, 0.02), 0);
    EXPECT_EQ(Get_Gap_Count(1.0, 0.05, -0.02, 0.02), 0);  // no pitch, no gaps

    EXPECT_EQ(Get_Spacing_On_Circle(0, 1.0), 1e100);
    EXPECT_EQ(Get_Spacing_For_Count(2, 0.3), 0.3);  // two bars: one gap
    EXPECT_EQ(Get_Spacing_For_Count(1, 0.3), 1e100);
    EXPECT_EQ(Get_Bar_Count_On_Circle(0.9, 1.0), 6);
    EXPECT_EQ(Get_Bar_Count_On_Circle(2.0, 1.0), 2);
    EXPECT_EQ(Get_Bar_Count_On_Circle(3.0, 1.0), 0);  // spacing beyond the diameter
}

}  // namespace
