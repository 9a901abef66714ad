#include "toolkit/table_editor.h"

#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Row {
    double a;
    double b;
};

int editable = 1;

// One number field per row, at content x + 100 on the row's base line y + 14.
int Draw_Row(int, int area, int x, int y, void* data)
{
    Area_Add_Float_Field(area, x + 100, y + 14, &static_cast<Row*>(data)->a, "%8.2f", 0x1000, BLACK_CI, &editable);
    return 0;
}

// A sheet over the whole 640 x 480 screen with an area whose content starts at (20, 50)
// on the screen; a table from content y 30, x 10 to 400, rows 20 high, delete icons 10
// and duplicate icons 30 right of the row's left end, the append icon below the rows.
class TableEditor : public testing::Test {
protected:
    int area = -1;
    int table = -1;

    void Start(const char* script, std::initializer_list<double> values)
    {
        Screen_Start_For_Tests(script, 640, 480);
        Init_Prop_Sheets();
        Define_Prop_Sheet(0, 0, 639, 479, 1, 0, "Tabelle", 1, 1);
        area = Area_Create(20, 50, 600, 450, 0, 1);
        Activate_Prop_Sheet();
        int ox = 0, oy = 0;
        Area_Get_Origin(area, &ox, &oy);
        ASSERT_EQ(ox, 20);
        ASSERT_EQ(oy, 50);
        table = Table_Editor_Create(area, 30, 10, 400, 20, sizeof(Row), Draw_Row);
        ASSERT_GE(table, 0);
        Table_Editor_Enable(table, 1, 10, 2);
        Table_Editor_Enable(table, 2, 30, 2);
        Table_Editor_Enable(table, 4, 0, 14);
        Table_Editor_Enable(table, 7, 0, 0);  // ignored
        for (double v : values) {
            Row r{v, -v};
            Table_Editor_Add_Row(table, &r);
        }
        Build();
    }
    void Build()
    {
        Area_Clear(area);
        Table_Editor_Draw(table);
        Area_Update(area);
    }
    std::vector<double> Values()
    {
        std::vector<double> out;
        for (void* d = Table_Editor_First_Row(table); d; d = Table_Editor_Next_Row(table))
            out.push_back(static_cast<Row*>(d)->a);
        return out;
    }
    void TearDown() override
    {
        for (int i = 0; i < TABLE_EDITOR_COUNT; ++i) Table_Editor_Delete(i);
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
};

TEST_F(TableEditor, SlotsAreLimitedAndTheLowestFreeOneIsReused)
{
    Screen_Start_For_Tests("");
    std::vector<int> made;
    for (int i = 0; i < TABLE_EDITOR_COUNT; ++i) made.push_back(Table_Editor_Create(0, 0, 0, 100, 20, 16, nullptr));
    EXPECT_EQ(made.front(), 0);
    EXPECT_EQ(made.back(), 54);
    EXPECT_EQ(Table_Editor_Create(0, 0, 0, 100, 20, 16, nullptr), -1);
    Table_Editor_Delete(7);
    Table_Editor_Delete(3);
    EXPECT_EQ(Table_Editor_Create(0, 0, 0, 100, 20, 16, nullptr), 3);
    // A free slot or a bad index: no effect, neutral answers.
    Table_Editor_Add_Row(7, nullptr);
    EXPECT_EQ(Table_Editor_Row_Count(7), 0);
    EXPECT_EQ(Table_Editor_First_Row(55), nullptr);
    EXPECT_EQ(Table_Editor_Handle_Event(-1), 0);
}

TEST_F(TableEditor, BandsIconsAndTheRowLimit)
{
    Start("", {1, 2, 3});
    Table_Editor_Enable(table, 3, 10, 2);
    auto items = [&](int type) {
        std::vector<const Area_Item*> out;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == type) out.push_back(p);
        return out;
    };
    Build();
    auto boxes = items(AREA_BOX);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0]->y1, 24);  // the first band starts 6 above the first row
    EXPECT_EQ(boxes[1]->y1, 50);
    EXPECT_EQ(boxes[3]->y1, 90);  // the append band, 5 short of a row
    EXPECT_EQ(boxes[3]->y2, 105);
    EXPECT_EQ(items(AREA_CLICK_CELL).size(), 7u);  // 3 delete, 3 duplicate, append
    const auto numbers = items(AREA_TEXT);
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_STREQ(numbers[2]->text, "3:");

    // Full: duplicates not allowed, no append band or icon.
    Table_Editor_Set_Max_Rows(table, 3);
    Build();
    EXPECT_EQ(items(AREA_BOX).size(), 3u);
    EXPECT_EQ(items(AREA_CLICK_CELL).size(), 3u);
    EXPECT_EQ(items(AREA_ICON).size(), 6u);
}

TEST_F(TableEditor, DeleteAndDuplicateActOnTheRowClicked)
{
    // Row 2's delete icon lies at (40, 102)-(53, 117) on the screen, its duplicate icon
    // 20 further right.
    Start("move 46 109\ndown\nup\n"
          "move 66 109\ndown\nup\n"
          "move 46 89\ndown\nup\nmove 46 89\ndown\nup\nmove 46 89\ndown\nup\n",
          {1, 2, 3});
    EXPECT_EQ(Table_Editor_Handle_Event(table), 2);
    EXPECT_EQ(Values(), (std::vector<double>{1, 3}));
    Build();
    // Duplicating the last row: the copy is the last row, its data a block of its own.
    EXPECT_EQ(Table_Editor_Handle_Event(table), 2);
    EXPECT_EQ(Values(), (std::vector<double>{1, 3, 3}));
    void* second = (Table_Editor_First_Row(table), Table_Editor_Next_Row(table));
    void* third = Table_Editor_Next_Row(table);
    EXPECT_NE(second, third);
    EXPECT_EQ(Table_Editor_Row_Number(table, third), 3);
    EXPECT_EQ(static_cast<Row*>(third)->b, -3);
    // Deleting the first row three times empties the table.
    for (int i = 0; i < 3; ++i) {
        Build();
        EXPECT_EQ(Table_Editor_Handle_Event(table), 2);
    }
    EXPECT_EQ(Table_Editor_Row_Count(table), 0);
    EXPECT_EQ(Table_Editor_First_Row(table), nullptr);
}

TEST_F(TableEditor, AppendCopiesTheTemplateOrZerosAndAZoneClickOnNothingIsHandled)
{
    // The append icon lies at (40, 142)-(74, 157) below three rows, 20 lower below four.
    Start("move 50 149\ndown\nup\n"
          "move 50 169\ndown\nup\n"
          "move 300 80\ndown\nup\n"
          "move 300 300\ndown\nup\n",
          {1, 2, 3});
    Table_Editor_Enable(table, 3, 10, 2);
    Build();
    EXPECT_EQ(Table_Editor_Handle_Event(table), 2);
    EXPECT_EQ(Values(), (std::vector<double>{1, 2, 3, 0}));
    Row model{42, 43};
    Table_Editor_Set_Template(table, &model);
    model.a = 0;  // the template is a copy
    Build();
    EXPECT_EQ(Table_Editor_Handle_Event(table), 2);
    EXPECT_EQ(Values(), (std::vector<double>{1, 2, 3, 0, 42}));
    Build();
    EXPECT_EQ(Table_Editor_Handle_Event(table), 1);  // the band of row 1, no item
    EXPECT_EQ(M_LEFT, 0);
    EXPECT_EQ(Table_Editor_Handle_Event(table), 0);  // below the table
}

TEST_F(TableEditor, DownAndUpLeaveAFieldForTheSameFieldOfTheNeighbouringRow)
{
    // Row n's field has its base line at screen y 74 + 20 n. Down from the last row
    // lands below the table.
    Start("move 140 90\ndown\nup\ntext \"7\"\nkey Down\ntext \"8\"\nkey Down\ntext \"9\"\nkey Down\n"
          "text \"6\"\nkey Down\n"
          "move 140 150\ndown\nup\ntext \"5\"\nkey Up\ntext \"4\"\nkey Up\ntext \"3\"\nkey Esc\n"
          "move 300 300\n",
          {1, 2, 3, 4});
    EXPECT_EQ(Table_Editor_Handle_Event(table), 0);
    EXPECT_EQ(Values(), (std::vector<double>{7, 8, 9, 6}));
    EXPECT_EQ(M_LEFT, 1);
    M_LEFT = 0;
    Build();
    // Up twice from row 4, then Esc (row 2 keeps its value): handled.
    EXPECT_EQ(Table_Editor_Handle_Event(table), 1);
    EXPECT_EQ(Values(), (std::vector<double>{7, 8, 4, 5}));
}

TEST_F(TableEditor, SortingMovesDataBlocksAndFillingWritesARange)
{
    Start("", {3, 1, 2});
    Table_Editor_Column* a = Table_Editor_Add_Column(table, 120, 10, 80, 3, nullptr, 0);
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->format, "%14.6f");
    void* first = Table_Editor_First_Row(table);
    Table_Editor_Set_Current_Column(table, a);
    Table_Editor_Sort_Ascending();
    EXPECT_EQ(Values(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Table_Editor_First_Row(table), first);  // nodes stay, data moves
    EXPECT_EQ(static_cast<Row*>(first)->b, -1);
    Table_Editor_Sort_Descending();
    EXPECT_EQ(Values(), (std::vector<double>{3, 2, 1}));
    // A column beyond the row is refused.
    Table_Editor_Column* outside = Table_Editor_Add_Column(table, 200, 10, 80, 1, "%5.1f", 12);
    Table_Editor_Set_Current_Column(table, outside);
    Table_Editor_Sort_Ascending();
    EXPECT_EQ(Values(), (std::vector<double>{3, 2, 1}));
    Table_Editor_Set_Current_Column(table, nullptr);
}

TEST_F(TableEditor, FillSheetWritesStartAndIncrementIntoTheChosenRows)
{
    // The sheet 326 x 238 around the screen centre: top left (157, 121).
    Start("click 272 193\n"                       // "Zeilenausschnitt"
          "click 255 220\ntext \"3\"\nkey Enter\n" // first row, then the last row
          "text \"5\"\nkey Enter\n"
          "text \"10\"\nkey Enter\n"               // start, increment
          "text \"2\"\nkey Enter\n"
          "click 450 339\n",                       // OK
          {1, 2, 3, 4, 5, 6});
    Table_Editor_Column* a = Table_Editor_Add_Column(table, 120, 10, 80, 2, "%6.1f", 0);
    Table_Editor_Set_Current_Column(table, a);
    Table_Editor_Fill_Column();
    Table_Editor_Set_Current_Column(table, nullptr);
    EXPECT_EQ(Values(), (std::vector<double>{1, 2, 10, 12, 14, 6}));
}

} // namespace
