#include "sheets/program/corbel_dialogs.h"

#include "base/component_files.h"
#include "base/run_globals.h"
#include "platform/screen/screen.h"
#include "test_support.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CorbelDialogs : public testing::Test {
protected:
    void TearDown() override
    {
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 800, 600);
        Init_Prop_Sheets();
    }
};

struct Box_Record {
    int calls = 0;
    int bottom = 0;
    int vslider = 0;
};

int* Record_Box(int area, int, int* y, void* data)
{
    Box_Record* r = static_cast<Box_Record*>(data);
    ++r->calls;
    r->bottom = scroll_areas[area].y2;
    r->vslider = scroll_areas[area].vslider;
    Area_Add_Text(area, 20, *y, "Frage", 0x1000, BLACK_CI, 0);
    return y;
}

// OK only where the mode offers it; Esc breaks. A box taller than the screen scrolls.
TEST_F(CorbelDialogs, QueryBoxModes)
{
    Start("key Enter\nkey Enter\nkey Esc\nkey Esc\n");
    Box_Record r;
    EXPECT_EQ(Show_Query_Box(1, 390, 115, nullptr, &r, Record_Box), 1);
    EXPECT_EQ(r.vslider, 0);
    // Mode 2 has no OK button: Enter does not end it, only break does.
    EXPECT_EQ(Show_Query_Box(2, 390, 115, nullptr, &r, Record_Box), 0);
    r = Box_Record{};
    EXPECT_EQ(Show_Query_Box(0, 390, 1000, nullptr, &r, Record_Box), 0);
    EXPECT_NE(r.vslider, 0);
    EXPECT_LT(r.bottom, 600);
}

// The end dialog starts with "speichern und beenden" every time it opens.
TEST_F(CorbelDialogs, EndDialogStartsWithSavingEveryTime)
{
    // 800 x 600: the dialog's content starts at (280, 263); "beenden ohne zu speichern"
    // is its second radio button.
    Start("click 330 315\nkey Esc\nkey Enter\nclick 330 315\nkey Enter\n");
    EXPECT_EQ(Ask_End_Of_Editing(), -1);
    EXPECT_EQ(Ask_End_Of_Editing(), 1);
    EXPECT_EQ(Ask_End_Of_Editing(), 0);
}

// The import protocol: lines counted and shown whole (only their line ends go), pieces
// of long lines included; without a protocol nothing.
TEST_F(CorbelDialogs, ImportProtocolLinesAreCountedAndShownWhole)
{
    Start("");
    Define_Prop_Sheet(0, 0, 799, 599, 1, 0, "", 1, 1);
    Temp_Dir dir;
    Set_Component_Path((dir.path() + "/B1").c_str());
    file_id = 3;
    EXPECT_EQ(std::string(Get_File_Id_Suffix()), "_03");
    EXPECT_EQ(Count_Export_Info_Lines(), 0);

    const std::string long_line(250, 'x');
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_03.EXP"), "Bauteil 7\r\nPos 12\n" + long_line + "\nletzte"));
    EXPECT_EQ(Count_Export_Info_Lines(), 5);  // the long line in two pieces

    const int area = Area_Create(0, 0, 700, 500, 0, 0);
    int y = 20;
    Draw_Export_Info_Lines(area, 20, &y, nullptr);
    std::vector<std::string> texts;
    for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next) texts.push_back(p->text);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1], "Bauteil 7");
    EXPECT_EQ(texts[2], "Pos 12");
    EXPECT_EQ(texts[3] + texts[4], long_line);
    EXPECT_EQ(texts[5], "letzte");
    EXPECT_EQ(y, 20 + 22 + 5 * 18);
    Area_Delete(area);
    Undefine_Prop_Sheet();

    EXPECT_EQ(Open_Export_Info_File(1, 0), nullptr);
    EXPECT_FALSE(File_Exists(dir.file("B1_03.EXP")));
    file_id = 0;
}

TEST(Clamps, ValuesAtTheBoundStay)
{
    double v = -0.5;
    EXPECT_EQ(*Clamp_Non_Negative(&v), 0.0);
    v = 0.5;
    EXPECT_EQ(*Clamp_At_Least_One(&v), 1.0);
    v = 1.0;
    EXPECT_EQ(*Clamp_At_Least_One(&v), 1.0);
    v = 1.5;
    EXPECT_EQ(*Clamp_Unit_Interval(&v), 1.0);
    v = -2.0;
    EXPECT_EQ(*Clamp_Absolute(&v), 2.0);
}

} // namespace
