#include "sheets/annex/nad_display_options_sheet.h"

#include "annex/app_profiles.h"
#include "platform/screen/screen.h"
#include "../../annex/report_sandbox.h"
#include "shot_pixels.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// On 1024 x 768 with two profiles the sheet is (352, 301)-(671, 466): the radio buttons
// "alle Regeln darstellen" at (367, 329), "Darstellung optimieren fuer" at (367, 343), the
// profiles' at (385, 359 + 18 k); cancel at (372, 421), ok at (611, 421).
const char* const ALL_RULES = "click 372 334\n";
const char* const FIRST_PROFILE = "click 390 364\n";
const char* const CANCEL = "click 385 434\n";
const char* const OK = "click 624 434\n";

class DisplayOptionsSheet : public ::testing::Test {
protected:
    Report_Sandbox sandbox_{34};

    void SetUp() override
    {
        sandbox_.Add_Profile(150, "#NADS -1\n1 1 1 0111 0 1 1 0 0 1\n#NAME\n\xAEStahlbau\xAF\n", "A-PROG");
        sandbox_.Add_Profile(34, "#NADS 623\n#SERVICE\n\xAE" "Konsole\xAF\n", "B-PROG");
    }
    void TearDown() override { Screen_Reset_For_Tests(); }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 1024, 768);
        Init_Prop_Sheets();
    }
};

} // namespace

TEST_F(DisplayOptionsSheet, CancelRestoresTheOpeningChoiceOkAppliesTheNewOne)
{
    Shot_Dir shots;
    Start(std::string("shot options.png\n") + ALL_RULES + "shot all.png\n" + CANCEL + FIRST_PROFILE + OK + ALL_RULES + OK);

    // The running program's profile is current when the sheet opens.
    EXPECT_EQ(NAD_Display_Options_Sheet(), 0);
    EXPECT_EQ(nad_profile_current, 1);
    EXPECT_EQ(nad_profile_index, 1);
    EXPECT_EQ(nad_no_profile, 0);
    EXPECT_EQ(NAD_Get_Current_App(), 34);
    // The title bar, the face, and the dot that moved from the second radio to the first.
    EXPECT_EQ(shots.Pixel("options.png", 600, 310), 0x0A246Au);
    EXPECT_EQ(shots.Pixel("options.png", 600, 400), 0xD4D0C8u);
    EXPECT_EQ(shots.Pixel("options.png", 372, 334), 0xFFFFFFu);
    EXPECT_NE(shots.Pixel("options.png", 372, 348), 0xFFFFFFu);
    EXPECT_EQ(shots.Pixel("all.png", 372, 334), shots.Pixel("options.png", 372, 348));
    EXPECT_EQ(shots.Pixel("all.png", 372, 348), 0xFFFFFFu);

    // Another profile: its rules, mask and number are in force.
    EXPECT_EQ(NAD_Display_Options_Sheet(), 1);
    EXPECT_EQ(nad_profile_index, 0);
    EXPECT_EQ(NAD_Get_Current_App(), 150);
    EXPECT_EQ(nad_profile_mask, 0b1001101111);
    EXPECT_EQ(NAD_Rule_Visible(3, 0), 0);
    EXPECT_EQ(NAD_Rule_Visible(3, 1), 1);

    // Every rule.
    EXPECT_EQ(NAD_Display_Options_Sheet(), 1);
    EXPECT_EQ(nad_profile_current, 0);
    EXPECT_EQ(nad_no_profile, 1);
    EXPECT_EQ(NAD_Get_Current_App(), 0);
    EXPECT_EQ(nad_profile_mask, NAD_ALL_PARTS_MASK);
    EXPECT_EQ(NAD_Rule_Visible(3, 0), 1);
}

// Without any profile "Darstellung optimieren für" is greyed and says why, a click on it
// changes nothing; the radio circles are whole (mirror images left and right).
TEST(DisplayOptionsSheetWithoutProfiles, OffersNothingToOptimiseFor)
{
    Report_Sandbox sandbox(34);
    Shot_Dir shots;
    // The sheet is (352, 319)-(671, 448): the radios at (367, 347) and (367, 361).
    Screen_Start_For_Tests("click 372 366\nshot none.png\nclick 624 416\n", 1024, 768);
    Init_Prop_Sheets();
    EXPECT_EQ(NAD_Display_Options_Sheet(), 1);
    EXPECT_EQ(nad_profile_current, 0);
    EXPECT_EQ(nad_no_profile, 1);
    EXPECT_GT(shots.Count("none.png", 385, 370, 600, 386, [](uint32_t p) { return p == 0x969696u; }), 20);
    std::vector<uint32_t> radios;
    shots.Count("none.png", 367, 347, 378, 372, [&](uint32_t p) { return radios.push_back(p), true; });
    ASSERT_EQ(radios.size(), 12u * 26u);
    for (size_t y = 0; y < 26; ++y)
        for (size_t k = 0; k < 6; ++k) EXPECT_EQ(radios[y * 12 + k], radios[y * 12 + 11 - k]) << k << " " << y;
    Screen_Reset_For_Tests();
}
