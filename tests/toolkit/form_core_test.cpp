// The form layer's core: label widths with in-band codes, alignments, value shadows and
// unit scales, and the dialog runner on a headless screen.
#include "toolkit/form_core.h"

#include "platform/screen/screen.h"
#include "test_support.h"
#include "toolkit/form_graphics.h"
#include "toolkit/form_widgets.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class FormCore : public testing::Test {
protected:
    void SetUp() override { form_internal::Reset(); }
    void TearDown() override
    {
        Area_Delete_All();
        form_internal::Reset();
        Screen_Reset_For_Tests();
    }
    // A shown full-screen sheet with one area as the form context.
    static int Start_Area(const std::string& script = "")
    {
        Screen_Start_For_Tests(script);
        Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
        Activate_Prop_Sheet();
        const int area = Area_Create(20, 20, 420, 320, 0, 0);
        Form_Begin(area);
        return area;
    }
    static const Area_Item* Last(int area) { return scroll_areas[area].last_item; }
};

int W(const char* text) { return Get_Text_Width_In_Font(text, 0x1000); }

TEST_F(FormCore, CodedSpansCountByTheirLetter)
{
    Screen_Start_For_Tests("");
    Set_RFont(0x1000);
    EXPECT_EQ(Form_Text_Width("Stahl"), W("Stahl"));
    // B: the span's text; C: only what follows its first blank; other letters: nothing.
    EXPECT_EQ(Form_Text_Width("ab\xCE" "Bxyz\xCE" "bcd"), W("ab") + W("xyz") + W("cd"));
    EXPECT_EQ(Form_Text_Width("a\xCE" "cfoo bar\xCE" "cde"), W("a") + W("bar") + W("de"));
    EXPECT_EQ(Form_Text_Width("a\xCE" "Xfoo\xCE" "Xde"), W("a") + W("de"));
    // A blank at the span's end leaves nothing to measure; a span without its end closes.
    EXPECT_EQ(Form_Text_Width("a\xCE" "Cfoo \xCE" "C"), W("a"));
    EXPECT_EQ(Form_Text_Width("a\xCE" "bfoo"), W("a") + W("foo"));

    EXPECT_EQ(Form_Label_Width("abc", 0x1000), W("abc") + 3);
    EXPECT_EQ(Form_Label_Width("abc", 0x11000), W("abc") + 5);
    EXPECT_EQ(Form_Label_Width("", 0x1000), 0);
    EXPECT_EQ(Form_Label_Width("", 0x21000), 2);

    const char names[3][9] = {"C12/15", "C100/115", "B25"};
    const int widest = W("C100/115") + 3;
    EXPECT_EQ(Form_Choice_Width(names[0], 9, 3, 0x1000), widest / 8 * 8 + 33);
    EXPECT_EQ(Form_Choice_Width(names[0], 9, 0, 0x1000), 33);
}

TEST_F(FormCore, LabelsAlignCentreAndGreyOutInactive)
{
    const int area = Start_Area();
    const int w = Form_Label_Width("Breite", 0x1000);
    EXPECT_EQ(Form_Label_Aligned(100, 50, "Breite", 0, 1, nullptr), w);
    EXPECT_EQ(Last(area)->x1, 100 - w);
    EXPECT_EQ(Last(area)->y1, 59);
    Form_Label_Aligned(100, 50, "Breite", 4, 4, nullptr);
    EXPECT_EQ(Last(area)->x1, 100 - (w + 1) / 2);  // half the width, halves away from zero
    EXPECT_EQ(Last(area)->y1, 55);
    Form_Label_Aligned(100, 50, "Breite", 2, 0, nullptr);
    EXPECT_EQ(Last(area)->x1, 100);
    EXPECT_EQ(Last(area)->y1, 50);

    // Centred in the area (400 wide) when no hover rectangle is registered.
    Form_Label_Centred(30, "Mitte", nullptr);
    EXPECT_EQ(Last(area)->x1, 200 - Form_Label_Width("Mitte", 0x1000) / 2);

    // With a hover rectangle: its middle, in the area's coordinates.
    int dx = 0, dy = 0;
    Form_Register_Hover_Area(5, area, 40, 20, 240, 320, &dx, &dy);
    Form_Begin(area);
    Form_Label_Centred(30, "Mitte", nullptr);
    EXPECT_EQ(Last(area)->x1, 100 - Form_Label_Width("Mitte", 0x1000) / 2);
    Form_Unregister_Hover_Area();

    int off = 0;
    Form_Label(5, 5, "aus", &off);
    EXPECT_EQ(Last(area)->colour, Nearest_RGB_Color(198, 195, 198));
    int target = 0;
    const int items_before = [&] {
        int n = 0;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next) ++n;
        return n;
    }();
    Form_Label_Click(5, 40, "klick", 7, &target, &off);  // inactive: no click cell
    EXPECT_EQ(Last(area)->type, AREA_TEXT);
    Form_Label_Click(5, 40, "klick", 7, &target, nullptr);
    EXPECT_EQ(Last(area)->type, AREA_CLICK_CELL);
    (void)items_before;

    // Without a current area nothing is added.
    Form_Begin(-1);
    EXPECT_EQ(Form_Label(0, 0, "x", nullptr), 0);
}

TEST_F(FormCore, ShadowsRoundHalvesAwayAndScalesDivideBack)
{
    int a = 4, b = -1;
    double* sa = Form_Int_Shadow(&a);
    double* sb = Form_Int_Shadow(&b);
    ASSERT_TRUE(sa && sb);
    EXPECT_EQ(*sa, 4.0);
    *sa = 2.5;
    *sb = -2.5;
    EXPECT_EQ(Form_Int_Shadow(&a), sa);  // the same shadow, written back first
    EXPECT_EQ(a, 3);
    EXPECT_EQ(Form_Get_Int(&a), 3);
    int c = 0;
    EXPECT_EQ(Form_Get_Int(&c), -99999999);
    Form_Set_Int(&a, 9);
    EXPECT_EQ(*sa, 9.0);

    double fck = 30000.0;
    Form_Unit_Scale(&fck, 0.001);
    Form_Unit_Scale(&fck, 0.001);  // scaled once per level
    EXPECT_DOUBLE_EQ(fck, 30.0);
    EXPECT_EQ(Form_Close_Checks(0), 0);
    EXPECT_DOUBLE_EQ(fck, 30000.0);
    EXPECT_EQ(b, -3);
    EXPECT_EQ(Form_Get_Int(&a), -99999999);  // dropped with the level

    double rho = 2500.0;
    Form_Register_Clamp(&rho, 500.0, 2200.0);
    EXPECT_EQ(*Form_Clamp_Check(&rho), 2200.0);

    // The tables refuse further entries instead of overrunning.
    std::vector<int> many(120, 0);
    int taken = 0;
    testing::internal::CaptureStderr();
    for (int& v : many) taken += Form_Int_Shadow(&v) != nullptr;
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(taken, 99);
    EXPECT_NE(err.find("voll"), std::string::npos);
    int dx = 0, dy = 0, registered = 0;
    testing::internal::CaptureStderr();
    for (int i = 0; i < 25; ++i) registered += Form_Register_Hover_Area(i, 0, 0, 0, 10, 10, &dx, &dy);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(registered, 20);
    EXPECT_EQ(Form_Hover_Installed(), 1);
    for (int i = 0; i < 25; ++i) Form_Unregister_Hover_Area();
    EXPECT_EQ(Form_Hover_Installed(), 0);
}

// The dialog of the runner tests: one page with a unit-scaled strength, an integer edited
// through its shadow, and a page check that refuses the first OK.
double strength = 0.0;
int count = 0;
int checks = 0;
std::vector<double> shown;
double* count_shadow = nullptr;

void Build_Page(int area, int)
{
    Form_Unit_Scale(&strength, 0.001);
    shown.push_back(strength);
    Form_Label(10, 20, "fck", nullptr);
    Area_Add_Float_Field(area, 60, 20, &strength, "%8.2f", 0x1000, BLACK_CI, &form_editable_yes);
    count_shadow = Form_Int_Shadow(&count);
    Area_Add_Float_Field(area, 60, 50, count_shadow, "%8.0f", 0x1000, BLACK_CI, &form_editable_yes);
}
int Refuse_Once(int) { return ++checks == 1; }

struct Dialog_Run {
    Form_Dialog dialog;
    Form_Page page;
    Dialog_Run()
    {
        Form_Dialog_Defaults(&dialog);
        std::snprintf(dialog.title, sizeof dialog.title, "Formular");
        dialog.content_height = 200;
        dialog.content_width = 300;
        Form_Page_Defaults(1, &page);
        page.build = Build_Page;
        page.check = Refuse_Once;
        strength = 30000.0;
        count = 2;
        checks = 0;
        shown.clear();
        count_shadow = nullptr;
    }
};

TEST_F(FormCore, ARefusedOkKeepsTheDialogAndShowsTheScaleAgain)
{
    Temp_Dir shots;
    ::setenv("ZAV_SHOT_DIR", shots.path().c_str(), 1);
    // The sheet (316 x 276) lies around the screen's centre: area from (170, 143).
    Screen_Start_For_Tests("shot form.png\nclick 240 158\ntext \"25\"\nkey Enter\nkey Enter\nkey Enter\nkey Enter\n");
    Dialog_Run run;
    EXPECT_EQ(Form_Run_Dialog(&run.dialog, &run.page), 1);
    ::unsetenv("ZAV_SHOT_DIR");
    EXPECT_TRUE(File_Exists(shots.file("form.png")));
    EXPECT_EQ(checks, 2);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_DOUBLE_EQ(shown[0], 30.0);
    EXPECT_DOUBLE_EQ(shown.back(), 25.0);  // scaled again after the refusal
    EXPECT_DOUBLE_EQ(strength, 25000.0);    // the edit, divided back
    EXPECT_EQ(Form_Dialog_Level(), 0);
    EXPECT_EQ(screen::Sheet_Count(), 0);
}

TEST_F(FormCore, CancelDividesBackAndWritesTheIntegersBack)
{
    Screen_Start_For_Tests("key Esc\n");
    Dialog_Run run;
    run.dialog.preset_result = -1;
    // An edit of the integer's shadow, as a field would make it.
    run.dialog.every_cycle = [](int) {
        if (count_shadow) *count_shadow = 6.5;
    };
    EXPECT_EQ(Form_Run_Dialog(&run.dialog, &run.page), 0);
    EXPECT_DOUBLE_EQ(strength, 30000.0);
    EXPECT_EQ(count, 2);  // the shadow was made in the build after the cycle's edit
    EXPECT_EQ(checks, 0);

    // Preset results act once instead of the user; a second cycle sees the shadow's edit.
    Screen_Reset_For_Tests();
    Screen_Start_For_Tests("key Esc\n");
    Dialog_Run again;
    again.dialog.preset_result = 2000 + 7;  // an event nobody handles
    again.dialog.every_cycle = [](int) {
        if (count_shadow) *count_shadow = 6.5;
    };
    EXPECT_EQ(Form_Run_Dialog(&again.dialog, &again.page), 0);
    EXPECT_EQ(count, 7);  // cancel writes the shadows back as OK does
}

TEST_F(FormCore, PixelsOfTheDialog)
{
    Screen_Start_For_Tests("key Esc\n");
    Dialog_Run run;
    static int probed = 0;
    probed = 0;
    run.dialog.cancel_check = [] {
        // The area's ground, and the label's ink at content (10, 20), screen (180, 163).
        const uint32_t ground = Resolve_Colour(Area_Get_Background(0));
        EXPECT_EQ(Screen_Pixel_For_Tests(300, 300), ground);
        int ink = 0;
        for (int y = 152; y <= 165; ++y)
            for (int x = 180; x <= 200; ++x) ink += Screen_Pixel_For_Tests(x, y) != ground;
        EXPECT_GT(ink, 5);
        // The sheet's face around the area.
        EXPECT_EQ(Screen_Pixel_For_Tests(165, 300), Resolve_Colour(ZAV_COLOUR_FACE));
        ++probed;
        return 0;
    };
    EXPECT_EQ(Form_Run_Dialog(&run.dialog, &run.page), 0);
    EXPECT_EQ(probed, 1);
}

// A tip shows while the pointer rests on its widget (a white box with a dark frame above
// it) and goes when the pointer leaves.
TEST_F(FormCore, TheTipShowsWhileThePointerRestsOnTheField)
{
    const int area = Start_Area();  // from (20, 20)
    int dx = 0, dy = 0;
    Form_Register_Hover_Area(9, area, 20, 20, 420, 320, &dx, &dy);
    Form_Begin(area);
    double value = 1.5;
    Form_Add_Float_Field(60, 50, &value, 8, 2, nullptr);  // (60, 37)-(139, 55)
    Form_Add_Tip("Hilfe zum Feld", 0, 0);
    Area_Update(area);
    const uint32_t ground = Screen_Pixel_For_Tests(122, 52);
    // The box starts at the field's centre x 99 -> 119 and ends 5 above it, y 32 -> 52.
    M_XPOS = 130;
    M_YPOS = 67;
    Form_Hover_Callback();
    EXPECT_EQ(Screen_Pixel_For_Tests(122, 45), 0xFFFFFFu);
    EXPECT_EQ(Screen_Pixel_For_Tests(122, 52), 0x404040u);
    M_XPOS = 400;
    Form_Hover_Callback();
    EXPECT_EQ(Screen_Pixel_For_Tests(122, 52), ground);
    Form_Unregister_Hover_Area();
    EXPECT_EQ(Form_Hover_Installed(), 0);
}

} // namespace
