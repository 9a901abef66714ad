#include "sheets/annex/nad_ec5_sheet.h"

#include "annex/nad_ec5.h"
#include "part_page_host.h"
#include "platform/screen/screen.h"
#include "../../annex/report_sandbox.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BAND = 0xCDFEF4;
using Host = Part_Page_Host;

class TimberPage : public ::testing::Test {
protected:
    NAD_EC5_Params ec5{};
    void SetUp() override { NAD_EC5_Defaults(&ec5); }
    void TearDown() override
    {
        for (int& open : nad_ec5_sheet_open) open = 1;
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    static int Fields_On(int area, const double* value)
    {
        int n = 0;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_FLOAT_FIELD && p->number == value) ++n;
        return n;
    }
};

} // namespace

// Without a profile every section: the heading, then the material section's head at 31
// and its first field (x 201) on base line 101. Closing the first four sections brings
// the crack factor section's head to 135: method buttons on base lines 201 and 267
// (x 30), the k_cr fields (x 187) on 223 and 245 between them.
TEST_F(TimberPage, TheCrackFactorMethodLocksAndFreesItsFields)
{
    Report_Sandbox sandbox;
    std::filesystem::create_directories(sandbox.dir().file("data/NAD"));
    std::filesystem::copy_file(CORBEL_SOURCE_DIR "/data/NAD/EC5GrobiNads.bmp",
                               sandbox.dir().file("data/NAD/EC5GrobiNads.bmp"));
    Forget_Bitmaps();
    ec5.crack_factor_method = 1;
    Shot_Dir shots;
    Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(201, 101, "1.4") + Host::Click(32, 41) +
                               Host::Click(32, 67) + Host::Click(32, 93) + Host::Click(32, 119) +
                               Host::Click(15, 263) + "shot method2.png\n" + Host::Type_Into(187, 223, "0.5") +
                               Host::Click(15, 197) + Host::Type_Into(187, 245, "0.8") + Host::OK,
                           1024, 768);
    Host::Run([&](int area) { NAD_EC5_Sheet(area, &ec5, 1); });
    EXPECT_DOUBLE_EQ(ec5.gamma_M_solid, 1.4);
    EXPECT_EQ(ec5.crack_factor_method, 1);
    EXPECT_NE(ec5.k_cr_solid_glulam, 0.5);
    EXPECT_DOUBLE_EQ(ec5.k_cr_other, 0.8);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 300, 20 + 35), BAND);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 203, 20 + 96), WHITE);
    // Band 5 of the picture from 57: its top rule, its ground left out.
    EXPECT_EQ(shots.Pixel("page.png", 20 + 100, 20 + 57), 0xA0A0A0u);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 100, 20 + 59), 0xFFFBF0u);
    EXPECT_NE(shots.Pixel("method2.png", 20 + 189, 20 + 218), WHITE);  // locked
    EXPECT_EQ(shots.Pixel("method2.png", 20 + 300, 20 + 139), BAND);
}

// gamma_M of solid timber, which the annex file keeps with two decimals, takes 1.755 as
// the file would give it back: 1.75 (1.7549... in binary), not a value that a save changes.
TEST_F(TimberPage, AFactorTheFileKeepsWithTwoDecimalsIsRoundedOnEntry)
{
    Report_Sandbox sandbox;
    Screen_Start_For_Tests(Host::Type_Into(201, 101, "1.755") + Host::OK, 1024, 768);
    Host::Run([&](int area) { NAD_EC5_Sheet(area, &ec5, 1); });
    EXPECT_EQ(ec5.gamma_M_solid, 1.75);
}

// Application 73 shows the clause table alone: its head at 6, the German k_cr box of
// clause 6.1.7 at (212, 569).
TEST_F(TimberPage, TheGermanKcrBoxSwitchesTheMethod)
{
    Report_Sandbox sandbox(73);
    sandbox.Add_Profile(73, "#NADS 623\n");
    NAD_EC5_Set_NA_DE_Flag(&ec5, 1);
    ec5.crack_factor_method = 1;
    Shot_Dir shots;
    int area = -1;
    Screen_Start_For_Tests(Host::Click(212, 569) + "shot ticked.png\n" + Host::OK, 1024, 768);
    Host::Run([&](int a) {
        area = a;
        NAD_EC5_Sheet(a, &ec5, 1);
    });
    EXPECT_EQ(ec5.crack_factor_method, 2);
    EXPECT_EQ(shots.Pixel("ticked.png", 20 + 300, 20 + 10), BAND);

    Area_Delete_All();
    Screen_Reset_For_Tests();
    Screen_Start_For_Tests(Host::Click(212, 569) + Host::OK, 1024, 768);
    Host::Run([&](int a) {
        NAD_EC5_Sheet(a, &ec5, 1);
        EXPECT_EQ(Fields_On(a, &ec5.k_shape_factor), 0);
        EXPECT_EQ(Fields_On(a, &ec5.gamma_M_material[NAD_EC5_PLASTERBOARD]), 1);
        EXPECT_EQ(Fields_On(a, &ec5.k_cr_other), 0);
    });
    EXPECT_EQ(ec5.crack_factor_method, 1);
}

TEST_F(TimberPage, OnlyBandsOneToNineAreDrawn)
{
    Report_Sandbox sandbox;
    std::filesystem::create_directories(sandbox.dir().file("data/NAD"));
    std::filesystem::copy_file(CORBEL_SOURCE_DIR "/data/NAD/EC5GrobiNads.bmp",
                               sandbox.dir().file("data/NAD/EC5GrobiNads.bmp"));
    Forget_Bitmaps();
    Screen_Start_For_Tests("", 640, 480);
    int band = 0;
    for (int k : {0, 10, -1}) {
        band = k;
        NAD_EC5_Draw_Picture(10, 10, 0, 0, &band);
    }
    NAD_EC5_Draw_Picture(10, 10, 0, 0, nullptr);
    EXPECT_NE(Screen_Pixel_For_Tests(100, 10), 0xA0A0A0u);
    band = 9;  // its top rule, from the picture's row 940
    NAD_EC5_Draw_Picture(10, 10, 0, 0, &band);
    EXPECT_EQ(Screen_Pixel_For_Tests(100, 10), 0xA0A0A0u);
    EXPECT_EQ(Screen_Pixel_For_Tests(100, 10 + 108), 0xA0A0A0u);
}

TEST_F(TimberPage, FrameProgramsAndTheGermanAnnexCutTheRows)
{
    for (int app : {220, 242}) {
        Report_Sandbox sandbox(app);
        sandbox.Add_Profile(app, "#NADS 623\n");
        Screen_Start_For_Tests(Host::OK, 1024, 768);
        Host::Run([&](int a) {
            NAD_EC5_Sheet(a, &ec5, 1);
            EXPECT_EQ(Fields_On(a, &ec5.k_shape_factor), app == 242 ? 1 : 0);
            EXPECT_EQ(Fields_On(a, &ec5.gamma_M_material[NAD_EC5_CONNECTIONS]), 0);
            EXPECT_EQ(Fields_On(a, &ec5.slenderness_factor), 1);
            EXPECT_EQ(Fields_On(a, &ec5.k_mod[4][2]), 1);
        });
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    Report_Sandbox sandbox;
    Screen_Start_For_Tests(Host::OK, 1024, 768);
    Host::Run([&](int a) {
        NAD_EC5_Sheet(a, &ec5, 0);  // NA-DE flag 0: no steel or plasterboard factor
        EXPECT_EQ(Fields_On(a, &ec5.gamma_M_material[NAD_EC5_STEEL_IN_CONNECTIONS]), 0);
        EXPECT_EQ(Fields_On(a, &ec5.gamma_M_material[NAD_EC5_CONNECTIONS]), 1);
        EXPECT_EQ(Fields_On(a, &ec5.k_cr_other), 2);
    });
}
