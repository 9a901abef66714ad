#include "sheets/annex/nad_ec3_sheet.h"

#include "annex/nad_ec3.h"
#include "platform/screen/screen.h"
#include "../../annex/report_sandbox.h"
#include "shot_pixels.h"
#include "test_support.h"
#include "toolkit/scroll_area.h"
#include "toolkit/scroll_area_internal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A host sheet (100, 20)-(560, 740) with the pages' area from (110, 50) and an OK button
// at (110, 700): content (x, y) is on screen at (110 + x, 50 + y).
const char* const OK = "click 125 712\n";

int Run_Host(NAD_EC3_Params& part, int* editable, int* area_out = nullptr)
{
    Define_Prop_Sheet(100, 20, 560, 740, 1, 0, "EN 1993", 0, 1);
    Add_Single_Button_to_PS(110, 700, 0, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    const int area = Area_Create(110, 50, 550, 690, 0, 1);
    Activate_Prop_Sheet();
    NAD_EC3_Sheet(area, &part, editable);
    if (area_out) *area_out = area;
    int code = 0;
    do {
        code = Edit_Prop_Sheet();
        if (code == 1) Area_Handle_Event(area);
    } while (code == 1);
    return area;
}

bool Shows_Text(int area, const char* text)
{
    for (const Area_Item* item = scroll_areas[area].first_item; item; item = item->next)
        if (item->type == AREA_TEXT && item->text && std::strcmp(item->text, text) == 0) return true;
    return false;
}

class SteelPages : public ::testing::Test {
protected:
    void TearDown() override
    {
        Area_Delete_All();
        Undefine_Prop_Sheet();
        Screen_Reset_For_Tests();
    }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 1024, 768);
        Init_Prop_Sheets();
    }
};

} // namespace

TEST_F(SteelPages, ApplicationThirtyFourEditsThePartialFactorsOfBothSituations)
{
    Report_Sandbox sandbox(34);
    sandbox.Add_Profile(34, "#NADS 623\n");
    NAD_EC3_Params part;
    NAD_EC3_Defaults_NA_DE(&part);
    int editable = 1;

    // gamma_M1 of the persistent situation (content base line 207) becomes 1.2.
    Shot_Dir shots;
    Start("click 250 253\ntext \"1.2\"\nkey Enter\nkey Esc\nshot pages.png\n" + std::string(OK));
    const int area = Run_Host(part, &editable);
    EXPECT_DOUBLE_EQ(part.ec3_1.gamma_M[1], 1.2);
    EXPECT_DOUBLE_EQ(part.ec3_1.gamma_M[0], 1.0);
    EXPECT_DOUBLE_EQ(part.ec3_1.gamma_M_accidental[1], 1.0);

    // Only the 6.1(1) rows: both situations, without gamma_M2, nothing of the other parts.
    EXPECT_TRUE(Shows_Text(area, "au\xE1" "ergew\x94hnliche"));
    EXPECT_TRUE(Shows_Text(area, "M1"));
    EXPECT_FALSE(Shows_Text(area, "M2"));
    EXPECT_FALSE(Shows_Text(area, "EN 1993-1-2 (Eurocode 3, Brandfall)"));
    EXPECT_FALSE(Shows_Text(area, "EN 1993-1-8 (Eurocode 3, Anschl\x81sse)"));
    EXPECT_FALSE(Shows_Text(area, "Biegedrillknicken"));

    // The bands of the rows in both columns, none below the last row.
    const uint32_t band = 0xDEE4F0u;
    EXPECT_EQ(shots.Pixel("pages.png", 110 + 30, 50 + 176), band);
    EXPECT_EQ(shots.Pixel("pages.png", 110 + 380, 50 + 286), band);
    EXPECT_NE(shots.Pixel("pages.png", 110 + 30, 50 + 336), band);
}

TEST_F(SteelPages, WithoutProfileEveryPageShowsAndAReadOnlySheetKeepsItsValues)
{
    Report_Sandbox sandbox(127);
    NAD_EC3_Params part;
    NAD_EC3_Defaults(&part);
    int editable = 0;
    // A click on gamma_M0 (content base line 185 with every row) edits nothing.
    Start("click 250 231\ntext \"7\"\nkey Enter\nkey Esc\n" + std::string(OK));
    const int area = Run_Host(part, &editable);
    NAD_EC3_Params defaults;
    NAD_EC3_Defaults(&defaults);
    EXPECT_EQ(NAD_EC3_Compare(&part, &defaults), 0);
    for (const char* heading : {"EN 1993-1-1 (Eurocode 3, Grundnorm)", "EN 1993-1-2 (Eurocode 3, Brandfall)",
                                "EN 1993-1-8 (Eurocode 3, Anschl\x81sse)", "EN 1993-1-5 (Eurocode 3, Plattenbeulen)",
                                "EN 1993-1-9 (Eurocode 3, Erm\x81" "dung)", "EN 1993-6 (Eurocode 3, Kranbahnen)"})
        EXPECT_TRUE(Shows_Text(area, heading)) << heading;
    EXPECT_TRUE(Shows_Text(area, "M2"));
    EXPECT_TRUE(Shows_Text(area, "Knicklinie a0"));
    EXPECT_GT(scroll_areas[area].content_height, 640);

    // Every explanation ends inside the band of its row.
    int explanations = 0;
    for (const Area_Item* text = scroll_areas[area].first_item; text; text = text->next) {
        if (text->type != AREA_TEXT || text->x1 < 200 || !text->text || text->colour == DGREY_CI) continue;
        ++explanations;
        int right = 0;
        for (const Area_Item* band = scroll_areas[area].first_item; band; band = band->next)
            if (band->type == AREA_BOX && band->x1 == 200 && band->y1 <= text->y1 && text->y1 <= band->y2)
                right = band->x2;
        EXPECT_LE(text->x1 + Area_Text_Width(text->text, text->font), right) << text->text;
    }
    EXPECT_GT(explanations, 20);

    // lambda, beta, eta and chi as the sheet font's symbols; the clauses at x 10.
    for (const char* text : {"\xC5", "LT,0", "\xBB", "\xC1", "von \xDB" "LT, Allgemeiner Fall"})
        EXPECT_TRUE(Shows_Text(area, text)) << text;
    for (const Area_Item* item = scroll_areas[area].first_item; item; item = item->next) {
        if (item->type == AREA_TEXT && item->text && std::strcmp(item->text, "6.3.2.3(1)") == 0) {
            EXPECT_EQ(item->x1, 10);
        }
    }
}
