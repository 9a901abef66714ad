#include "sheets/annex/nad_ec0_sheet.h"

#include "annex/nad_ec0.h"
#include "part_page_host.h"
#include "platform/screen/screen.h"
#include "../../annex/report_sandbox.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t HEAD = 0x53D9BE;  // (83, 217, 190)
using Host = Part_Page_Host;

class LoadFactorPage : public ::testing::Test {
protected:
    NAD_EC0_Params ec0{};
    void SetUp() override { NAD_EC0_Defaults(&ec0); }
    void TearDown() override
    {
        nad_ec0_sheet_open[0] = nad_ec0_sheet_open[1] = 1;
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    // The number fields of the area that edit the value.
    static int Fields_On(int area, const double* value)
    {
        int n = 0;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_FLOAT_FIELD && p->number == value) ++n;
        return n;
    }
};

} // namespace

// Building section: picture from y 32, field rows from 54 every 22 pixels (base line 16
// below), gamma_F,sup at x 262. Seismic rows from 340, the accidental action's row 450 empty.
TEST_F(LoadFactorPage, BuildingFactorsAreEditedInTheirRows)
{
    Report_Sandbox sandbox;
    std::filesystem::create_directories(sandbox.dir().file("data/NAD"));
    std::filesystem::copy_file(CORBEL_SOURCE_DIR "/data/NAD/NAD-Kbws.bmp", sandbox.dir().file("data/NAD/NAD-Kbws.bmp"));
    Forget_Bitmaps();
    Shot_Dir shots;
    Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(262, 70, "1.4") + Host::Type_Into(321, 356, "0.9") +
                               Host::OK,
                           1024, 768);
    Host::Run([&](int area) { NAD_EC0_Sheet(area, &ec0, 1); });
    EXPECT_DOUBLE_EQ(ec0.building_gamma[NAD_EC0_PERSISTENT][0][NAD_EC0_SUP], 1.4);
    EXPECT_DOUBLE_EQ(ec0.building_gamma[NAD_EC0_SEISMIC][0][NAD_EC0_INF], 0.9);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 300, 20 + 10), HEAD);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 264, 20 + 450 + 11), 0xFFFBF0u);  // no field, no picture
    EXPECT_EQ(shots.Pixel("page.png", 20 + 264, 20 + 472 + 11), WHITE);
    // The picture's heading rows lie between the field blocks: accidental from 164,
    // seismic from 318.
    EXPECT_EQ(shots.Pixel("page.png", 20 + 410, 20 + 170), 0xDCE6F0u);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 410, 20 + 324), 0xDCE6F0u);
    EXPECT_EQ(shots.Pixel("page.png", 20 + 410, 20 + 192), 0xFFFBF0u);
}

TEST_F(LoadFactorPage, ClosingTheBuildingSectionBringsUpTheBridgesEvenReadOnly)
{
    Report_Sandbox sandbox;
    NAD_EC0_Params before = ec0;
    // The building check box at (21, 16); then the bridge head at 32, its first field row 80.
    Screen_Start_For_Tests(Host::Click(21, 16) + Host::Type_Into(262, 96, "7") + Host::OK, 1024, 768);
    Host::Run([&](int area) { NAD_EC0_Sheet(area, &ec0, 0); });
    EXPECT_EQ(nad_ec0_sheet_open[0], 0);
    EXPECT_EQ(NAD_EC0_Compare(&ec0, &before), 0);
}

TEST_F(LoadFactorPage, BridgeFieldsLeaveOutTheConstructionStageAndTheRailwayAlphaRows)
{
    Report_Sandbox sandbox;
    Screen_Start_For_Tests(Host::Click(21, 16) + Host::Type_Into(262, 96, "1.5") + Host::OK, 1024, 768);
    int area = -1;
    Host::Run([&](int a) {
        NAD_EC0_Sheet(a, &ec0, 1);
        area = a;
        for (int s = 0; s < NAD_EC0_SITUATIONS; ++s) {
            EXPECT_EQ(Fields_On(a, &ec0.bridge_gamma[s][11][0]), 0);
            EXPECT_EQ(Fields_On(a, &ec0.bridge_gamma[s][0][1]), 1);
        }
        EXPECT_EQ(Fields_On(a, &ec0.bridge_gamma[NAD_EC0_ACCIDENTAL][13][0]), 1);
        EXPECT_EQ(Fields_On(a, &ec0.bridge_gamma[NAD_EC0_SEISMIC][13][0]), 0);
        EXPECT_EQ(Fields_On(a, &ec0.bridge_gamma[NAD_EC0_SEISMIC][14][0]), 1);
        for (int k = 0; k < NAD_EC0_RAIL_ACTIONS; ++k) {
            const bool alpha = k == 0 || k == 1 || k == 8;
            EXPECT_EQ(Fields_On(a, &ec0.rail_psi[k][1]), alpha ? 0 : 1) << k;
            EXPECT_EQ(Fields_On(a, &ec0.rail_psi[k][0]), 1) << k;
        }
        for (const double& alpha : ec0.rail_alpha) EXPECT_EQ(Fields_On(a, &alpha), 1);
    });
    EXPECT_GE(area, 0);
    EXPECT_DOUBLE_EQ(ec0.bridge_gamma[NAD_EC0_PERSISTENT][0][NAD_EC0_SUP], 1.5);
}

TEST_F(LoadFactorPage, AProfileWithoutBridgeRulesShowsTheBuildingSectionOnly)
{
    Report_Sandbox sandbox(151);
    sandbox.Add_Profile(151, "#NADS -1\n10 1 1 1 1 1 1 1 1 1\n");
    Shot_Dir shots;
    Screen_Start_For_Tests(Host::Click(21, 16) + "shot page.png\n" + Host::OK, 1024, 768);
    Host::Run([&](int area) { NAD_EC0_Sheet(area, &ec0, 1); });
    // Closed building section and no bridge head below it.
    EXPECT_EQ(shots.Pixel("page.png", 20 + 300, 20 + 10), HEAD);
    EXPECT_NE(shots.Pixel("page.png", 20 + 300, 20 + 36), HEAD);
}
