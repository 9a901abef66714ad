#include "toolkit/bar_area_sheet.h"

#include "platform/screen/screen.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// On 640 x 480 the sheet is (190, 84)-(449, 395): the count field of row i at
// (275, 128 + 22 i), "abbrechen" at (222, 371), "übernehmen" at (379, 371).
const std::string TAKE = "click 379 371\n";
const std::string CANCEL = "click 222 371\n";

class BarAreaSheet : public testing::Test {
protected:
    void SetUp() override { Forget_Bar_Area_Counts_For_Tests(); }
    void TearDown() override
    {
        Forget_Bar_Area_Counts_For_Tests();
        Screen_Reset_For_Tests();
    }
};

} // namespace

TEST_F(BarAreaSheet, CountsGiveTheTotalAreaAndLastForTheRun)
{
    Shot_Dir shots;
    Screen_Start_For_Tests("click 275 194\ntext \"2\"\nclick 220 340\n"   // two bars of 12 mm
                           "click 275 282\ntext \"1\"\nclick 220 340\n"   // one of 25 mm
                           "shot bars.png\n" + TAKE + CANCEL + TAKE,
                           640, 480);
    Init_Prop_Sheets();
    const double total = Bar_Row_Area(0.012, 2) + Bar_Row_Area(0.025, 1);
    EXPECT_DOUBLE_EQ(Bar_Row_Area(0.012, 2), 0.000226);
    EXPECT_DOUBLE_EQ(Show_Bar_Area_Sheet(), total);
    EXPECT_DOUBLE_EQ(Show_Bar_Area_Sheet(), -1.0);
    EXPECT_DOUBLE_EQ(Show_Bar_Area_Sheet(), total);  // the counts were kept
    EXPECT_EQ(shots.Pixel("bars.png", 350, 320), 0x000000u);  // the line above the sum
}

TEST_F(BarAreaSheet, WithoutAScreenNothingIsTaken) { EXPECT_DOUBLE_EQ(Show_Bar_Area_Sheet(), -1.0); }
