#include "sheets/program/drawing_scale_sheet.h"

#include "platform/screen/screen.h"
#include "sheet_script_test.h"
#include "shot_pixels.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// On 1024 x 768 the step bitmap stands at (560, 364): clicks at (571, 371) go up and
// (571, 381) down, the number field at (536, 375), break at (450, 412), OK at (556, 412).
const std::string UP = "click 571 371\n";
const std::string DOWN = "click 571 381\n";
const std::string FIELD = "click 536 375\n";
const std::string BREAK = "click 450 412\n";
const std::string OK = "click 556 412\n";

class DrawingScaleSheet : public Sheet_Script_Test {};

} // namespace

TEST_F(DrawingScaleSheet, StepsByFiveWithinFiveTo200TypedValuesWithin0To200)
{
    Start(UP + UP + OK +                                     // 50 -> 60
          DOWN + DOWN + OK +                                 // 7 -> 5, stays 5
          FIELD + "text \"250\"\nkey Enter\n" + UP + OK +    // 250 -> 200, stays 200
          FIELD + "text \"2\"\nkey Enter\n" + OK +           // typed 2 is kept
          "shot scale.png\n" + UP + BREAK);          // break keeps the old scale
    Shot_Dir shots;
    int scale = 50;
    EXPECT_EQ(Edit_Drawing_Scale(&scale), 1);
    EXPECT_EQ(scale, 60);
    scale = 7;
    EXPECT_EQ(Edit_Drawing_Scale(&scale), 1);
    EXPECT_EQ(scale, 5);
    EXPECT_EQ(Edit_Drawing_Scale(&scale), 1);
    EXPECT_EQ(scale, 200);
    EXPECT_EQ(Edit_Drawing_Scale(&scale), 1);
    EXPECT_EQ(scale, 2);
    scale = 80;
    EXPECT_EQ(Edit_Drawing_Scale(&scale), 0);
    EXPECT_EQ(scale, 80);
    EXPECT_EQ(shots.Pixel("scale.png", 567, 369), 0x000000u);  // the up button's arrow
    EXPECT_EQ(shots.Pixel("scale.png", 562, 366), 0xD4D0C8u);  // and its face
}

TEST_F(DrawingScaleSheet, WithoutAScreenNothingChanges)
{
    int scale = 33;
    EXPECT_EQ(Edit_Drawing_Scale(&scale), 0);
    EXPECT_EQ(scale, 33);
}
