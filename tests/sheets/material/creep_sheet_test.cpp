#include "sheets/material/creep_sheet.h"

#include "material/creep_shrinkage.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// On 1024 x 768 the sheet is (357, 205)-(666, 563): cancel at (385, 540), OK at (630, 540),
// the switches at (372, 237) and (372, 257), the radio button "h0 entered" at (372, 411).
const char* const CANCEL = "click 385 540\n";
const char* const OK = "click 630 540\n";

// The field standing in a label's blank run starts after the label's prefix.
std::string Click_Field(int x, int base, const char* prefix)
{
    const Scoped_Screen_Code_Page cp850(Code_Page::Cp850_Symbols);
    const int fx = x + Get_Text_Width_In_Font(prefix, 0x1000) + 2;
    return "click " + std::to_string(fx + 12) + " " + std::to_string(base - 6) + "\n";
}
const std::string RH_FIELD = Click_Field(372, 329, "relative Luftfeuchte 40% \xF3");

struct Inputs {
    double phi = 2.5, eps = 0.4;
    int creep = 1, shrinkage = 1, cls = 2;
    double rh = 50, area = 1200, u = 140, h0 = -1.0, t0 = 28, ratio = 1.0;
    int Run(int mode, double fcm = 38, double fck = 30)
    {
        return Show_Creep_Shrinkage_Sheet(mode, &phi, &eps, &creep, &shrinkage, &cls, &rh, &area, &u, &h0, &t0,
                                          &ratio, fcm, fck);
    }
};

class CreepSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clear_Shown_Messages();
        Set_Creep_Norm_Code(4);
    }
    void TearDown() override
    {
        Clear_Shown_Messages();
        Set_Creep_Norm_Code(1);
        Screen_Reset_For_Tests();
    }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 1024, 768);
        Init_Prop_Sheets();
    }
};

} // namespace

TEST_F(CreepSheet, HumidityIsClampedComputedWithAndHandedBackOnOk)
{
    Shot_Dir shots;
    Inputs in;
    in.rh = 30;  // shown and used as 40
    Start("shot open.png\n" + RH_FIELD + "text \"120\"\nkey Enter\nclick 500 230\nshot changed.png\n" + OK);
    ASSERT_EQ(in.Run(0), 1);
    const double h0_mm = 10.0 * 2.0 * 1200 / 140;
    EXPECT_DOUBLE_EQ(in.rh, 100.0);
    EXPECT_DOUBLE_EQ(in.h0, -1.0);  // still to be computed from A and u
    EXPECT_NEAR(in.phi, Calc_Creep_Coefficient(100, 2, h0_mm, 28, 25550, 38, nullptr), 1e-12);
    EXPECT_NEAR(in.eps, -Calc_Shrinkage_Strain(2, nullptr, 100, h0_mm, 0, 25550, 38, 30), 1e-12);
    EXPECT_GT(in.eps, 0.0);
    EXPECT_TRUE(Shown_Messages().empty());

    // Both switches checked (a dark mark in the box), the ground of the sheet elsewhere,
    // and the humidity field drawn anew after the change.
    EXPECT_NE(shots.Pixel("open.png", 378, 243), shots.Pixel("open.png", 470, 300));
    EXPECT_EQ(shots.Pixel("open.png", 378, 243), shots.Pixel("open.png", 378, 263));
    EXPECT_NE(shots.Pixel("open.png", 0, 0), 0xFF000000u);
}

TEST_F(CreepSheet, NoPerimeterGivesZeroResultsRefusesOkAndCancelHandsNothingBack)
{
    Inputs in;
    in.u = 0;
    // OK refused, then cancel: the sheet ends with 0 and does not act as OK.
    Start(std::string(OK) + CANCEL);
    EXPECT_EQ(in.Run(0), 0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Querschnittsangaben \x81" "berpr\x81" "fen !");
    EXPECT_DOUBLE_EQ(in.phi, 2.5);
    EXPECT_DOUBLE_EQ(in.eps, 0.4);
    EXPECT_DOUBLE_EQ(in.rh, 50);
    EXPECT_DOUBLE_EQ(in.h0, -1.0);

    // With h0 entered instead, the same values are accepted: h0 = 0 gives zero results.
    Clear_Shown_Messages();
    Screen_Reset_For_Tests();
    Start("click 377 416\n" + std::string(OK));
    in.h0 = -1.0;
    EXPECT_EQ(in.Run(0), 1);
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_DOUBLE_EQ(in.h0, 0.0);
    EXPECT_DOUBLE_EQ(in.phi, 0.0);
    EXPECT_DOUBLE_EQ(in.eps, 0.0);
}

TEST_F(CreepSheet, ModesComputeOnlyTheirResult)
{
    Inputs shrink_only;
    Start(OK);
    ASSERT_EQ(shrink_only.Run(2), 1);
    EXPECT_EQ(shrink_only.creep, 0);
    EXPECT_DOUBLE_EQ(shrink_only.phi, 2.5);  // kept
    EXPECT_GT(shrink_only.eps, 0.1);

    Screen_Reset_For_Tests();
    Inputs creep_only;
    creep_only.ratio = 0.5;
    creep_only.t0 = 99999;  // limited to the final age: no creep left
    Start(OK);
    ASSERT_EQ(creep_only.Run(1), 1);
    EXPECT_EQ(creep_only.shrinkage, 0);
    EXPECT_DOUBLE_EQ(creep_only.eps, 0.4);
    EXPECT_DOUBLE_EQ(creep_only.phi, 0.0);
    EXPECT_DOUBLE_EQ(creep_only.t0, 99999);

    Screen_Reset_For_Tests();
    Inputs young;
    young.ratio = 0.5;
    Start(OK);
    ASSERT_EQ(young.Run(1), 1);
    EXPECT_NEAR(young.phi, 0.5 * Calc_Creep_Coefficient(50, 2, 10.0 * 2400 / 140, 28, 25550, 38, nullptr), 1e-12);
}
