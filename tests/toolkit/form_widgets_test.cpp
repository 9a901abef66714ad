// Input widgets of the form layer: grade lists, the limit check, unit scales, choices on
// separators, the hints page, and the the look of read-only choices.
#include "toolkit/form_widgets.h"

#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "test_support.h"
#include "toolkit/form_core.h"
#include "base/message_sink.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class FormWidgets : public testing::Test {
protected:
    void SetUp() override
    {
        form_internal::Reset();
        Msg_Set_Mode(MSG_MODE_SHOW);
        Clear_Shown_Messages();
    }
    void TearDown() override
    {
        Area_Delete_All();
        form_internal::Reset();
        Clear_Shown_Messages();
        Screen_Reset_For_Tests();
    }
    static int Start_Area(const std::string& script = "")
    {
        Screen_Start_For_Tests(script);
        Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
        Activate_Prop_Sheet();
        const int area = Area_Create(20, 20, 620, 460, 0, 0);
        Form_Begin(area);
        return area;
    }
    static std::vector<std::string> Texts(int area)
    {
        std::vector<std::string> out;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_TEXT || p->type == AREA_BITMAP_BUTTON) out.push_back(p->type == AREA_TEXT ? p->text : p->text2);
        return out;
    }
};

std::string Name(const Grade_List* l, int i) { return l->names + i * l->entry_size; }

TEST_F(FormWidgets, GradeListsInTheirOrderWithSeparators)
{
    Grade_List* c = Concrete_Grade_List_Create(1, 1 | 2 | 4 | 8);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->count, 5 + 1 + 15 + 1 + 11 + 1 + 1);
    EXPECT_EQ(c->alpha_option, 1);
    EXPECT_EQ(Name(c, 0), "B15");
    EXPECT_EQ(Name(c, 5), "-------");
    EXPECT_EQ(Name(c, 20), "C100/115");
    EXPECT_EQ(Name(c, 22), "LC12/13");
    EXPECT_EQ(c->codes[32], 15);  // LC60/66: the lightweight codes run 5 .. 15
    EXPECT_EQ(Name(c, 34), "frei");
    EXPECT_EQ(c->codes[34], 20);
    // C30/37 and LC30/33 share code 9: the flag mask tells them apart.
    EXPECT_EQ(Grade_List_Find(c, 9, 0), 10);
    EXPECT_EQ(Grade_List_Find(c, 9, GRADE_LIGHTWEIGHT), 26);
    EXPECT_EQ(Grade_List_Find(c, 99, 0), 0);
    int code = 0, flags = 0;
    Grade_List_Get(c, 21, &code, &flags);  // the separator before the lightweight classes
    EXPECT_EQ(code, 19);
    EXPECT_EQ(flags, 0);
    Grade_List_Get(c, 35, &code, &flags);
    EXPECT_EQ(code, -1);
    Grade_List_Free(c);

    Grade_List* short_form = Concrete_Grade_List_Create(0, 1 | 2 | 4);
    EXPECT_EQ(short_form->count, 5);
    Grade_List_Free(short_form);

    Grade_List* s0 = Steel_Grade_List_Create(0);
    Grade_List* s2 = Steel_Grade_List_Create(2);
    EXPECT_EQ(s0->count, 3);
    EXPECT_EQ(s2->count, 8);
    EXPECT_EQ(Name(s2, 4), "B500A");
    EXPECT_EQ(s2->codes[7], 5);
    EXPECT_EQ(s2->flags[7], GRADE_FREE_STEEL);
    Grade_List_Free(s0);
    Grade_List_Free(s2);
}

TEST_F(FormWidgets, LimitsScalesAndChoices)
{
    const int area = Start_Area("answer ok\n");
    // 10.004 at two decimals is not beyond 10: no hint, only the clamp.
    double v = 10.004;
    EXPECT_EQ(Form_Add_Float_Field_Limited(0, 20, &v, 1.0, 6, 2, 0.0, 10.0, "Wert", nullptr), 63);
    EXPECT_DOUBLE_EQ(v, 10.0);
    EXPECT_TRUE(Shown_Messages().empty());
    // A '%' in the name is printed as it stands.
    double w = 12.0;
    Form_Add_Float_Field_Limited(0, 40, &w, 1.0, 6, 2, 0.0, 10.0, "Anteil %s in %d", nullptr);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_NE(Shown_Messages()[0].text.find("Anteil %s in %d darf den Wert 10.00 nicht \x81" "berschreiten"),
              std::string::npos);
    EXPECT_DOUBLE_EQ(w, 10.0);

    // 30000 kN/m² shown as 30.00 MN/m², stored back when the level closes.
    double fck = 30000.0;
    Form_Add_Scaled_Field(0, 60, &fck, 0.001, 8, 2, nullptr);
    EXPECT_DOUBLE_EQ(fck, 30.0);
    Form_Close_Checks(0);
    EXPECT_DOUBLE_EQ(fck, 30000.0);

    // An integer field limited when built.
    int n = 40;
    Form_Add_Int_Field_Limited(0, 80, &n, 4, 1, 25, nullptr);
    EXPECT_EQ(n, 25);
    EXPECT_EQ(Form_Add_Float_Field(0, 80, &fck, 0, 2, nullptr), 0);  // width below 1

    // A choice on a separator shows the entry before it; beyond the list it stays.
    Grade_List* c = Concrete_Grade_List_Create(1, 1 | 2);
    int index = 5;
    Form_Add_Grade_Choice(0, 100, c, &index, nullptr);
    EXPECT_EQ(index, 4);
    index = 99;
    Form_Add_Grade_Choice(0, 100, c, &index, nullptr);
    EXPECT_EQ(index, 99);
    // Read-only: a grey ground under the choice, then the choice in the list's colours.
    int ro = -1;
    index = 0;
    const int width = Form_Add_Grade_Choice(0, 120, c, &index, &ro);
    const Area_Item* last = scroll_areas[area].last_item;
    EXPECT_EQ(last->type, AREA_CHOICE);
    EXPECT_EQ(last->editable, &form_editable_no);
    EXPECT_EQ(last->target.entries[0].colour, c->colours[0]);
    EXPECT_EQ(last->target.entries[c->count - 1].colour, c->colours[c->count - 1]);
    EXPECT_EQ(width % 8, 33 % 8);
    Grade_List_Free(c);
}

TEST_F(FormWidgets, TheHintsPageCountsTheSuppressedHints)
{
    const int area = Start_Area();
    int flags[4] = {1, 0, 0, 1};
    Form_Add_Hints_Page(area, flags);
    const std::vector<std::string> texts = Texts(area);
    auto has = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(has("Von insgesamt vier m\x94glichen Programmhinweisen sind"));
    EXPECT_TRUE(has("zwei deaktiviert."));
    EXPECT_TRUE(has("2 Hinweise wieder aktivieren"));
    EXPECT_TRUE(has("Programmhinweise"));

    // The button's click asks for all hints back at the next build.
    const Area_Item* button = scroll_areas[area].last_item;
    ASSERT_EQ(button->type, AREA_BITMAP_BUTTON);
    *button->value_ptr = button->font;
    Area_Clear(area);
    Form_Begin(area);
    Form_Add_Hints_Page(area, flags);
    EXPECT_EQ(flags[1] + flags[2], 2);
    EXPECT_EQ(*scroll_areas[area].last_item->editable, 0);  // nothing left to reactivate
    const std::vector<std::string> after = Texts(area);
    EXPECT_NE(std::find(after.begin(), after.end(), "keiner deaktiviert."), after.end());
}

TEST_F(FormWidgets, TheRemarkDialogReplacesTheTextOnlyOnOk)
{
    // The sheet (456 x 296) from (92, 92): the box from (110, 143), OK at (517, 359).
    // The click outside the box that ends its editing also hits the button.
    Screen_Start_For_Tests("click 300 160\ntext \"neu\"\nclick 527 368\n"
                           "click 300 160\ntext \"weg\"\nclick 107 368\n");
    char* remark = static_cast<char*>(std::malloc(6));
    std::memcpy(remark, "Alt 1", 6);
    EXPECT_EQ(Form_Edit_Remark(&remark), 1);
    const std::string edited = remark;
    EXPECT_NE(edited.find("neu"), std::string::npos);
    EXPECT_NE(edited.find("Alt"), std::string::npos);
    EXPECT_EQ(Form_Edit_Remark(&remark), 0);
    EXPECT_EQ(std::string(remark), edited);
    std::free(remark);
    EXPECT_EQ(Form_Edit_Remark(nullptr), 0);
}

} // namespace
