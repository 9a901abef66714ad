// The form layer's graphics: the world transform, what the lines switch leaves out, tips
// and hover cells only under a running hover callback, filled polygons with their own
// outlines, discs, and factor rows.
#include "toolkit/form_graphics.h"

#include "platform/screen/screen.h"
#include "toolkit/form_core.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class FormGraphics : public testing::Test {
protected:
    void SetUp() override
    {
        form_internal::Reset();
        Form_Set_World(0.0, 0.0, 0.0, 1.0);
        Form_Set_World_Lines(1);
    }
    void TearDown() override
    {
        Area_Delete_All();
        form_internal::Reset();
        Form_Set_World(0.0, 0.0, 0.0, 1.0);
        Form_Set_World_Lines(1);
        Screen_Reset_For_Tests();
    }
    static int Start_Area()
    {
        Screen_Start_For_Tests("");
        Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
        Activate_Prop_Sheet();
        const int area = Area_Create(0, 0, 600, 440, 0, 0);
        Form_Begin(area);
        return area;
    }
    static int Count(int area, int type)
    {
        int n = 0;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next) n += p->type == type;
        return n;
    }
};

TEST_F(FormGraphics, WorldTransformAndItsInverse)
{
    // Scale 2, origin (10, 4), a quarter turn: (3, 5) -> u = -4, v = 6 -> (6, 4).
    Form_Set_World(10.0, 4.0, M_PI / 2, 2.0);
    double x = 3.0, y = 5.0;
    Form_World_To_Area(&x, &y);
    EXPECT_NEAR(x, 6.0, 1e-12);
    EXPECT_NEAR(y, 4.0, 1e-12);
    Form_Area_To_World(&x, &y);
    EXPECT_NEAR(x, 3.0, 1e-12);
    EXPECT_NEAR(y, 5.0, 1e-12);
    // Any turn and scale: there and back.
    Form_Set_World(-7.5, 3.25, 0.7, 1.75);
    for (double px : {-30.0, 0.0, 12.5})
        for (double py : {-4.0, 8.0}) {
            double u = px, v = py;
            Form_World_To_Area(&u, &v);
            Form_Area_To_World(&u, &v);
            EXPECT_NEAR(u, px, 1e-9);
            EXPECT_NEAR(v, py, 1e-9);
        }
    EXPECT_NEAR(Form_World_Distance(0, 0, 3, 4), 5 * 1.75, 1e-9);
}

TEST_F(FormGraphics, TheLinesSwitchLeavesOutLinesOnly)
{
    const int area = Start_Area();
    Form_Set_World_Lines(0);
    Form_World_Line(0, 0, 10, 10);
    Form_World_Rect(0, 0, 10, 10);
    Form_World_Circle(50, 50, 10);
    Form_World_Arc(50, 50, 10, 0.0, 1.0);
    Form_Label_Underlined(10, 10, "x", nullptr);
    EXPECT_EQ(Count(area, AREA_LINE), 0);
    Form_World_Box(0, 0, 10, 10);
    Form_World_Disc(100, 100, 5);  // r < 10: steps of pi/32 up to pi/2, 16 boxes
    const double x[3] = {0, 20, 0}, y[3] = {0, 0, 20};
    Form_World_Polygon(3, x, y);
    EXPECT_EQ(Count(area, AREA_BOX), 1 + 16);
    EXPECT_EQ(Count(area, AREA_CUSTOM), 1);
    Form_Set_World_Lines(1);
    Form_World_Circle(50, 50, 10);
    EXPECT_EQ(Count(area, AREA_LINE), 72);
    Form_World_Arc(50, 50, 10, 1.0, 1.0);  // an empty arc
    EXPECT_EQ(Count(area, AREA_LINE), 72);
}

TEST_F(FormGraphics, EachFilledPolygonKeepsItsOwnOutline)
{
    const int area = Start_Area();
    Area_Update(area);
    Form_Set_Ground_Colour(Nearest_RGB_Color(255, 0, 0));
    const double ax[3] = {10, 60, 10}, ay[3] = {10, 10, 60};
    Form_World_Polygon(3, ax, ay);
    Form_Set_Ground_Colour(Nearest_RGB_Color(0, 0, 255));
    const double bx[4] = {200, 260, 260, 200}, by[4] = {200, 200, 260, 260};
    Form_World_Polygon(4, bx, by);
    Area_Update(area);
    Area_Draw_Items(area);
    EXPECT_EQ(Screen_Pixel_For_Tests(15, 15), 0xFF0000u);
    EXPECT_NE(Screen_Pixel_For_Tests(55, 55), 0xFF0000u);  // beyond the triangle's edge
    EXPECT_EQ(Screen_Pixel_For_Tests(230, 230), 0x0000FFu);
    // No line runs from the area's origin to the polygon.
    EXPECT_NE(Screen_Pixel_For_Tests(100, 100), 0x0000FFu);
    EXPECT_NE(Screen_Pixel_For_Tests(5, 5), 0xFF0000u);
}

TEST_F(FormGraphics, TipsAndHoverCellsNeedTheHoverCallback)
{
    const int area = Start_Area();
    Form_Set_Last_Widget(10, 10, 50, 30, nullptr);
    Form_Add_Tip("eins", 0, 0);
    EXPECT_EQ(Form_Tip_Count(), 0);  // no dialog with a hover area runs
    int dx = 0, dy = 0;
    Form_Register_Hover_Area(77, area, 0, 0, 600, 440, &dx, &dy);
    Form_Begin(area);
    Form_Set_Last_Widget(10, 10, 50, 30, nullptr);
    Form_Add_Tip("1\n2\n3\n4\n5\n6\n7", 1, 3);
    ASSERT_EQ(Form_Tip_Count(), 1);
    const Form_Tip* tip = Form_Get_Tip(0);
    EXPECT_EQ(tip->lines, 5);
    EXPECT_EQ(tip->height, 12 * 5 + 6);
    EXPECT_EQ(tip->hover_area, 77);
    EXPECT_STREQ(tip->text[4], "5");
    const std::string longer(150, 'x');
    Form_Add_Tip(longer.c_str(), 0, 0);  // continues on a second line
    EXPECT_EQ(Form_Get_Tip(1)->lines, 2);
    EXPECT_EQ(std::string(Form_Get_Tip(1)->text[0]), longer.substr(0, 99));
    int off = 0;
    Form_Set_Last_Widget(10, 10, 50, 30, &off);
    Form_Add_Tip("inaktiv", 0, 0);
    EXPECT_EQ(Form_Tip_Count(), 2);

    int target = 0;
    Form_Add_Hover_Cell(area, 100, 100, 20, 40, 0, 0, "a.bmp", "a_i.bmp", nullptr, nullptr, WHITE_CI, 1, &target, 1);
    EXPECT_EQ(Form_Hover_Cell_Count(), 0);  // drawn, but no hover image
    EXPECT_EQ(Count(area, AREA_CLICK_CELL), 1);
    Form_Add_Text_Button(area, 300, 100, 80, 0, 4, "Weiter", 2, &target, 1);
    EXPECT_EQ(Form_Hover_Cell_Count(), 1);
    Form_Unregister_Hover_Area();
    Form_Add_Text_Button(area, 300, 150, 80, 0, 4, "Weiter", 2, &target, 1);
    EXPECT_EQ(Form_Hover_Cell_Count(), 1);
}

TEST_F(FormGraphics, FactorRowsPlaceTheirColumns)
{
    Factor_Row row;
    Factor_Entry* entries = nullptr;
    Factor_Row_Init_Into(&row, 2, &entries);
    ASSERT_EQ(entries, row.entries);
    EXPECT_EQ(entries[1].x, 68);
    EXPECT_STREQ(entries[0].name, "Welcher Faktor ?");
    EXPECT_EQ(Factor_Row_Width(&row), 8 + 2 * 68);
    Factor_Row_Add(&row, "Teilsicherheitsbeiwert", "\xE3", "M", "1.10", 2, 40, 6);
    EXPECT_EQ(row.count, 3);
    EXPECT_EQ(row.entries[2].x, 8 + 2 * 68);
    EXPECT_EQ(Factor_Row_Width(&row), 8 + 2 * 68 + 46);
    const std::string long_name(300, 'n');
    Factor_Row_Add(&row, long_name.c_str(), "s", "", "", 0, 10, 0);
    EXPECT_EQ(std::string(row.entries[3].name).size(), 100u);  // cut to its field
    Factor_Row_Free(&row);
    EXPECT_EQ(row.count, 0);
}

} // namespace
