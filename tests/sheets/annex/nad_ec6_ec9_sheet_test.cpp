#include "sheets/annex/nad_ec6_ec9_sheet.h"

#include "annex/nad_ec6_ec9.h"
#include "annex/nad_report.h"
#include "part_page_host.h"
#include "../../annex/report_sandbox.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;    // the ground of an editable field
constexpr uint32_t BAND = 0xCDFEF4;     // section heads
constexpr uint32_t CELL = 0xEAFFFB;     // clause and explanation cells
using Host = Part_Page_Host;

class PartPages : public ::testing::Test {
protected:
    void TearDown() override
    {
        nad_ec6_sheet_open = 1;
        nad_ec9_sheet_open = 1;
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
};

} // namespace

// Masonry page: persistent gamma_M on base line 120, accidental 138, seismic 156 (fields
// at x 106); the section's check box at (32, 17).
TEST_F(PartPages, MasonryPageEditsTheFactorAndClosesItsSection)
{
    Report_Sandbox sandbox;
    NAD_EC6_Params ec6;
    NAD_EC6_Defaults_NA_DE(&ec6);
    const double seismic = ec6.gamma_M_seismic;
    Shot_Dir shots;
    Screen_Start_For_Tests("shot open.png\n" + Host::Type_Into(106, 120, "1.7") + Host::Click(32, 17) +
                               "shot closed.png\n" + Host::OK,
                           1024, 768);
    EXPECT_EQ(Host::Run([&](int area) { NAD_EC6_Sheet(area, &ec6, 1); }), 3);
    EXPECT_DOUBLE_EQ(ec6.gamma_M, 1.7);
    EXPECT_EQ(ec6.gamma_M_seismic, seismic);
    EXPECT_EQ(nad_ec6_sheet_open, 0);
    EXPECT_EQ(shots.Pixel("open.png", 20 + 300, 20 + 10), BAND);
    EXPECT_EQ(shots.Pixel("open.png", 20 + 20, 20 + 60), CELL);
    EXPECT_EQ(shots.Pixel("open.png", 20 + 108, 20 + 151), WHITE);  // the seismic field
    EXPECT_EQ(shots.Pixel("closed.png", 20 + 300, 20 + 10), BAND);
    EXPECT_NE(shots.Pixel("closed.png", 20 + 20, 20 + 60), CELL);
    EXPECT_NE(shots.Pixel("closed.png", 20 + 108, 20 + 151), WHITE);
}

TEST_F(PartPages, MasonryPageShowsAccidentalAndSeismicRowsOnlyWhereTheProfileLetsIt)
{
    for (int app : {34, 100}) {
        Report_Sandbox sandbox(app);
        sandbox.Add_Profile(app, "#NADS 623\n");
        NAD_EC6_Params ec6;
        NAD_EC6_Defaults(&ec6);
        Shot_Dir shots;
        Screen_Start_For_Tests("shot page.png\n" + std::string(Host::OK), 1024, 768);
        Host::Run([&](int area) { NAD_EC6_Sheet(area, &ec6, 1); });
        EXPECT_EQ(nad_ec6_row_visible[1], app == 100 ? 1 : 0);
        // The accidental field, or the serviceability clause moved up into its place.
        if (app == 100)
            EXPECT_EQ(shots.Pixel("page.png", 20 + 108, 20 + 133), WHITE);
        else
            EXPECT_NE(shots.Pixel("page.png", 20 + 108, 20 + 133), WHITE);
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
}

TEST_F(PartPages, AReadOnlyMasonryPageTakesNoInputButStillOpensAndCloses)
{
    Report_Sandbox sandbox;
    NAD_EC6_Params ec6;
    NAD_EC6_Defaults(&ec6);
    const double persistent = ec6.gamma_M;
    Shot_Dir shots;
    Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(106, 120, "9") + Host::Click(32, 17) + Host::OK,
                           1024, 768);
    Host::Run([&](int area) { NAD_EC6_Sheet(area, &ec6, 0); });
    EXPECT_EQ(ec6.gamma_M, persistent);
    EXPECT_EQ(nad_ec6_sheet_open, 0);
    EXPECT_NE(shots.Pixel("page.png", 20 + 108, 20 + 115), WHITE);
}

// Aluminium page: gamma_M0 on base line 120, M1 138, M2 156, C 196 (with M2) or 178,
// fields at x 136.
TEST_F(PartPages, AluminiumPageEditsTheConstantAndHidesTheTensileFractureRow)
{
    {
        Report_Sandbox sandbox;
        NAD_EC9_Params ec9;
        NAD_EC9_Defaults(&ec9);
        Shot_Dir shots;
        Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(136, 196, "0.25") + Host::OK, 1024, 768);
        Host::Run([&](int area) { NAD_EC9_Sheet(area, &ec9, 1); });
        EXPECT_DOUBLE_EQ(ec9.C, 0.25);
        EXPECT_EQ(shots.Pixel("page.png", 20 + 138, 20 + 151), WHITE);
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    {   // Rule strings: part 9 "101" hides the tensile fracture row, not the connections.
        Report_Sandbox sandbox(151);
        sandbox.Add_Profile(151, "#NADS -1\n1 1 1 1 1 1 1 1 1 101\n");
        NAD_EC9_Params ec9;
        NAD_EC9_Defaults(&ec9);
        Shot_Dir shots;
        Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(136, 178, "0.5") + Host::OK, 1024, 768);
        Host::Run([&](int area) { NAD_EC9_Sheet(area, &ec9, 1); });
        EXPECT_DOUBLE_EQ(ec9.C, 0.5);
        EXPECT_NE(shots.Pixel("page.png", 20 + 138, 20 + 151), WHITE);
        EXPECT_EQ(shots.Pixel("page.png", 20 + 138, 20 + 173), WHITE);
    }
}
