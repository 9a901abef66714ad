#include "sheets/report/print_options_sheet.h"

#include "../../annex/annex_env.h"

#include "platform/screen/screen.h"
#include "sheet_script_test.h"
#include "shot_pixels.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class SteelPrintOptionsSheet : public Sheet_Script_Test {
protected:
    void SetUp() override
    {
        Sheet_Script_Test::SetUp();
        Init_Steel_Print_Options(&record);
    }
    void TearDown() override
    {
        Init_Steel_Print_Options(&record);
        Sheet_Script_Test::TearDown();
    }
    Steel_Print_Options record;
};

// On 1024 x 768 the sheet is (327, 92)-(696, 675) with its area from (337, 134): OK at
// (665, 654), break at (350, 654), the remarks button at (377, 177). The comment sheet's
// text box at (230, 275), its "bestätigen" at (787, 241).
const std::string OK = "click 665 654\n";
const std::string BREAK = "click 350 654\n";
std::string Remarks(const std::string& text)
{
    return "click 377 177\nclick 230 275\ntext \"" + text + "\"\nclick 787 241\n";
}

} // namespace

TEST_F(SteelPrintOptionsSheet, TabularLevelNumberedCombinationToleranceAndRemarks)
{
    Shot_Dir shots;
    Start("click 385 426\n"                         // "tabellarisch"
          "click 405 444\n"                         // "Ermüdung: maßgebender Kerbpunkt"
          "click 405 480\n"                         // "Lastkombination detailliert: Nr."
          "click 605 480\ntext \"4\"\nclick 650 340\n"  // its number
          "click 385 536\n"                         // "optimierte Tabelle (FEM-Ergebnisse)"
          "shot sheet.png\n"
          "click 605 606\ntext \"12\"\nclick 650 340\n" +  // the tolerance
          OK + Remarks("abcd") + Remarks("Neue Bemerkung") + BREAK);
    Edit_Steel_Print_Options(&record);
    EXPECT_EQ(record.switches[9], 3);
    EXPECT_EQ(record.switches[12], 1);
    EXPECT_EQ(record.switches[6], 0);
    EXPECT_EQ(record.switches[10], -4);
    EXPECT_DOUBLE_EQ(record.tolerance, 10.0);
    EXPECT_EQ(record.remarks, nullptr);
    EXPECT_EQ(shots.Pixel("sheet.png", 337 + 300, 134 + 10), 0xCBF8EBu);  // the heading band

    Edit_Steel_Print_Options(&record);
    ASSERT_NE(record.remarks, nullptr);
    EXPECT_STREQ(record.remarks, "Neue Bemerkung");
    EXPECT_EQ(record.switches[10], -4);
}

// A notch-point program: "maßgebender Kerbpunkt" (level 4) in the place of the tables, and
// the notch point beside the design values of the optimised table.
TEST_F(SteelPrintOptionsSheet, NotchPointProgramsOfferTheGoverningNotchPoint)
{
    Env_Override application("ZAV_APPLICATION_NUMBER", "156");
    Init_Steel_Print_Options(&record);
    Shot_Dir shots;
    Start("click 385 426\nshot notch.png\n" + OK);
    Edit_Steel_Print_Options(&record);
    EXPECT_EQ(record.switches[9], 4);
    // Right of "Bemessungsgrößen" (area row 326): "/ Kerbpunkt" in black.
    auto dark = [](uint32_t p) { return p == 0x000000u; };
    EXPECT_GT(shots.Count("notch.png", 337 + 190, 134 + 316, 337 + 300, 134 + 328, dark), 10);
}
