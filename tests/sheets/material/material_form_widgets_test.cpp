// The material widgets of the form layer: rows of a grade and the free-definition dialogs
// on a headless screen.
#include "sheets/material/material_form_widgets.h"

#include "platform/screen/screen.h"
#include "test_support.h"
#include "toolkit/form_core.h"
#include "toolkit/form_widgets.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

class FormWidgets : public testing::Test {
protected:
    void SetUp() override { form_internal::Reset(); }
    void TearDown() override
    {
        Area_Delete_All();
        form_internal::Reset();
        Screen_Reset_For_Tests();
    }
};

TEST_F(FormWidgets, GradeRowsByTheChosenEntry)
{
    ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1);
    Screen_Start_For_Tests("");
    Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
    Activate_Prop_Sheet();
    const int area = Area_Create(20, 20, 620, 460, 0, 0);
    Form_Begin(area);
    Concrete_Class_Data record{};
    Init_Concrete_Class_Record(&record, 3, 0, 2200.0);
    Grade_List* list = Concrete_Grade_List_Create(1, 2 | 4 | 8);
    int index = 50;  // beyond the list: only the alpha row
    EXPECT_EQ(Form_Add_Concrete_Choice(area, 75, 20, &record, list, &index), 23);
    EXPECT_EQ(index, 50);  // kept: the next build adds no rows of the first class either
    index = Grade_List_Find(list, 9, GRADE_LIGHTWEIGHT);  // density and alpha rows
    EXPECT_EQ(Form_Add_Concrete_Choice(area, 75, 80, &record, list, &index), 46);
    index = Grade_List_Find(list, 20, 0);  // the free grade: its parameters inline
    EXPECT_EQ(Form_Add_Concrete_Choice(area, 75, 200, &record, list, &index), 183);
    // The law's picture beside the parameters (from "tools\\bemop_fcd.bmp"): its strain
    // axis 170 pixels below the block's top at content y 166, screen (220, 186) + ...
    Area_Update(area);
    Area_Draw_Items(area);
    EXPECT_EQ(Screen_Pixel_For_Tests(300, 186 + 170), 0x000000u);
    EXPECT_EQ(Screen_Pixel_For_Tests(300, 186 + 100), 0xFFFBF0u);  // key colour left out
    ::unsetenv("EXEC");
    Form_Set_Material_Dialogs(1);  // or a link
    EXPECT_EQ(Form_Add_Concrete_Choice(area, 75, 420, &record, list, &index), 23);
    EXPECT_EQ(scroll_areas[area].last_item->type, AREA_CLICK_CELL);
    Form_Set_Material_Dialogs(0);
    Form_Close_Checks(0);
    Grade_List_Free(list);
}

TEST_F(FormWidgets, MaterialDialogsConfirmTheDefaultsAndCancelGivesTheRecordBack)
{
    Temp_Dir shots;
    ::setenv("ZAV_SHOT_DIR", shots.path().c_str(), 1);
    Screen_Start_For_Tests("shot beton.png\nkey Esc\nkey Enter\n");
    Concrete_Class_Data free_grade{};
    std::snprintf(free_grade.name, sizeof free_grade.name, "mein Beton");
    free_grade.fck = 41000.0;
    free_grade.density = 1900.0;
    const Concrete_Class_Data before = free_grade;
    EXPECT_EQ(Form_Define_Concrete_Dialog(&free_grade), 0);
    EXPECT_EQ(std::memcmp(&free_grade, &before, sizeof before), 0);
    EXPECT_TRUE(File_Exists(shots.file("beton.png")));
    ::unsetenv("ZAV_SHOT_DIR");

    // Confirmed: the defaults of the free grade, back in kN/m².
    EXPECT_EQ(Form_Define_Concrete_Dialog(&free_grade), 1);
    Concrete_Class_Data defaults{};
    Init_Concrete_Class_Record(&defaults, 3, 0, 2200.0);
    EXPECT_DOUBLE_EQ(free_grade.fck, defaults.fck);
    EXPECT_DOUBLE_EQ(free_grade.eps_c2, defaults.eps_c2);
    EXPECT_NEAR(free_grade.ecm, Calc_Concrete_Ecm_kN(defaults.fck), 1e-6);
    EXPECT_DOUBLE_EQ(free_grade.density, 2200.0);
}

} // namespace
