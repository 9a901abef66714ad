#include "sheets/program/print_options_sheet.h"

#include "base/alloc.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "sheet_script_test.h"
#include "shot_pixels.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class PrintOptionsSheet : public Sheet_Script_Test {
protected:
    void SetUp() override
    {
        Sheet_Script_Test::SetUp();
        Init_EC2_Print_Options(&record);
        Print_Options_Sheet() = Print_Options_Sheet_State{};
    }
    void TearDown() override
    {
        Init_EC2_Print_Options(&record);
        Sheet_Script_Test::TearDown();
    }
    // The comment sheet on 1024 x 768: its text box from (219, 268), "bestÃ¤tigen" at (787, 241).
    static std::string Type_Remarks(const std::string& text)
    {
        return "click 230 275\ntext \"" + text + "\"\nclick 787 241\n";
    }
    EC2_Print_Options record;
};

} // namespace

TEST_F(PrintOptionsSheet, RemarksEditorDropsShortTextsAndWrapsLongLines)
{
    const std::string words = "Dieser Text ist lang genug, um vor dem hundertzehnten Zeichen umbrochen zu werden, "
                              "denn er hat viele Worte und Blanks dazwischen bis zum Ende.";
    ASSERT_GT(words.size(), 120u);
    Start(Type_Remarks("abcd") + "click 230 275\ntext \"" + words + "\"\nkey Enter\nclick 787 241\n");

    Print_Options_Sheet().remarks_request = 1;
    EXPECT_EQ(Edit_Print_Remarks(&record), 1);
    EXPECT_EQ(record.remarks, nullptr);  // four characters: no remarks
    EXPECT_EQ(Print_Options_Sheet().remarks_lines, 0);
    EXPECT_EQ(Print_Options_Sheet().remarks_request, 0);

    // Without the request nothing is edited.
    EXPECT_EQ(Edit_Print_Remarks(&record), 0);

    Print_Options_Sheet().remarks_request = 1;
    EXPECT_EQ(Edit_Print_Remarks(&record), 1);
    ASSERT_NE(record.remarks, nullptr);
    const std::string text = record.remarks;
    const size_t first_break = text.find('\n');
    ASSERT_NE(first_break, std::string::npos);
    EXPECT_LE(first_break, 109u);
    EXPECT_EQ(text.substr(0, first_break), words.substr(0, first_break));
    EXPECT_EQ(words[first_break], ' ');
    EXPECT_EQ(Print_Options_Sheet().remarks_lines, 2);
}

TEST_F(PrintOptionsSheet, NumberedCombinationIsStoredNegativeAndBreakKeepsTheEdits)
{
    // Sheet (322, 92)-(701, 676), area from (332, 134). Detail level 3 shows the three
    // sub-choices, so "Lastkombination detailliert: Nr." of the level stands at content y 382;
    // after the click the sub-choices go and its number field stands at (265, 328).
    // A number beyond the six combinations of the table is refused with the range.
    Shot_Dir shots;
    Start("shot sheet.png\nclick 380 512\n"
          "click 600 458\ntext \"99\"\nclick 650 600\n"
          "click 600 458\ntext \"3\"\nclick 650 600\n"
          "click 345 655\n");  // break
    Clear_Shown_Messages();
    ASSERT_EQ(Edit_EC2_Print_Options(&record, 6), 0);
    EXPECT_EQ(record.switches[EC2_PRINT_DETAIL_LEVEL], 5);
    EXPECT_EQ(record.switches[EC2_PRINT_DETAIL_CASE], -3);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Lastkombination Nr. 99 gibt es nicht:\n"
                                        "die Tabelle hat 6 Lastkombinationen (Nr. 1 bis 6).\nEs bleibt Nr. 1.");
    EXPECT_EQ(shots.Pixel("sheet.png", 332 + 300, 134 + 10), 0xCBF8EBu);  // the bands 203, 248, 235
    EXPECT_EQ(shots.Pixel("sheet.png", 332 + 300, 134 + 206), 0xCBF8EBu);

    // Opened again, the number comes back from the record.
    Print_Options_Sheet() = Print_Options_Sheet_State{};
    Print_Options_Choice_From_Record(&record);
    EXPECT_EQ(Print_Options_Sheet().mode, 2);
    EXPECT_DOUBLE_EQ(Print_Options_Sheet().number, 3.0);
}

TEST_F(PrintOptionsSheet, OkKeepsTheCheckBoxesAndTheEditedRemarks)
{
    // "Grafik" at content (55, 69): its box left of the label; the remarks button at
    // (372, 177) opens the comment sheet; then OK.
    Start("click 380 199\nclick 372 177\n" + Type_Remarks("Neue Vorbemerkung") + "click 670 655\n");
    record.switches[EC2_PRINT_GRAPHIC] = 1;
    ASSERT_EQ(Edit_EC2_Print_Options(&record), 0);
    EXPECT_EQ(record.switches[EC2_PRINT_GRAPHIC], 0);
    EXPECT_EQ(record.switches[EC2_PRINT_DETAIL_CASE], 1);
    ASSERT_NE(record.remarks, nullptr);
    EXPECT_STREQ(record.remarks, "Neue Vorbemerkung");
    EXPECT_EQ(Print_Options_Sheet().remarks_lines, 1);  // one line, though without a line end
}

TEST_F(PrintOptionsSheet, WithoutAScreenNothingChanges)
{
    record.switches[EC2_PRINT_DETAIL_CASE] = -4;
    EXPECT_EQ(Edit_EC2_Print_Options(&record), 0);
    EXPECT_EQ(record.switches[EC2_PRINT_DETAIL_CASE], -4);
}
