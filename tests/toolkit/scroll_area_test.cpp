#include "toolkit/scroll_area.h"

#include "platform/screen/screen.h"
#include "platform/screen/editors.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area_internal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr uint32_t GROUND = 0xFFFBF0;  // the areas' default ground
constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t GREY = 0xBEBEBE;
constexpr uint32_t BLACK = 0x000000;

class Areas : public testing::Test {
protected:
    void SetUp() override
    {
        area_test::Reset_Settings();
        area_test::Reset_Draw_State();
        area_test::Reset_Input_State();
        ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1);
    }
    void TearDown() override
    {
        Area_Delete_All();
        Screen_Reset_For_Tests();
        ::unsetenv("EXEC");
        for (const char* name : {"UseSheetBreakShortKey", "UseSheetOkShortKey", "UseSheetHelpShortKey",
                                 "UseSheetJumpShortKey"})
            ::unsetenv((std::string("ZAV_USER_") + name).c_str());
    }
    // A full-screen sheet, shown, for areas added afterwards.
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script);
        Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
        Activate_Prop_Sheet();
    }
    // The press that the sheet reports for the area, then the area's handling.
    static int Click(int area)
    {
        EXPECT_EQ(Edit_Prop_Sheet(), 1);
        return Area_Handle_Event(area);
    }
    static uint32_t At(int x, int y) { return Screen_Pixel_For_Tests(x, y); }
    static std::string Line(int x, int y) { return std::to_string(x) + " " + std::to_string(y) + "\n"; }
};

int Width(const char* text, int font) { return Get_Text_Width_In_Font(text, font); }

TEST_F(Areas, TheTableHasTwentySlotsAndReusesTheLowestFree)
{
    Start("");
    for (int i = 0; i < AREA_COUNT; ++i) EXPECT_EQ(Area_Create(10, 10, 100, 100, 0, 0), i);
    testing::internal::CaptureStdout();
    EXPECT_EQ(Area_Create(10, 10, 100, 100, 0, 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "maximale Anzahl Scrollable_View_Areas erreicht\n");
    Area_Delete(7);
    Area_Delete(3);
    EXPECT_EQ(Area_Create(10, 20, 210, 120, 1, 1), 3);
    // Each slider takes 17 pixels of the visible part.
    EXPECT_EQ(scroll_areas[3].x2, 193);
    EXPECT_EQ(scroll_areas[3].y2, 103);
    // Bad and free slots are ignored.
    Area_Add_Text(7, 0, 0, "frei", 0x1000, 0, 0);
    Area_Add_Text(AREA_COUNT, 0, 0, "zu gross", 0x1000, 0, 0);
    EXPECT_EQ(scroll_areas[7].first_item, nullptr);
    EXPECT_EQ(Area_Get_Background(7), -1);
    EXPECT_EQ(Area_Get_Background(-1), -1);
    EXPECT_EQ(Area_Get_Background(3), static_cast<int>(GROUND));
}

TEST_F(Areas, AddersRaiseTheExtentsAndSplitTheStyles)
{
    Start("");
    const int a = Area_Create(0, 0, 300, 200, 0, 1);
    Scroll_Area& s = scroll_areas[a];
    Area_Add_Box(a, 10, 10, 300, 40, 0);
    EXPECT_EQ(s.content_width, 300);
    EXPECT_EQ(s.content_height, 40);
    Area_Add_Text(a, 300, 50, "Text", 0x1000, 0, 0);
    EXPECT_EQ(s.content_width, 300 + Width("Text", 0x1000) + 10);
    EXPECT_EQ(s.content_height, 60);
    Area_Add_Text(a, 200, 70, "Breite", 0x1000 | 0x10000, 0, 1);
    EXPECT_EQ(s.last_item->x1, 200 - Width("Breite", 0x1000));
    EXPECT_EQ(s.last_item->x2, 1);
    Area_Add_Text(a, 0, 80, "Schatten", 0x1000 | 0x20000 | 0x40000, 0, 0);
    EXPECT_EQ(s.last_item->x2, 2);
    EXPECT_EQ(s.last_item->font, 0x1000);

    // Unlabelled buttons measure 0; the setters act only on their own types.
    int v = 0, on = 1;
    Area_Clear(a);
    EXPECT_EQ(s.content_width, 0);
    EXPECT_EQ(s.first_item, nullptr);
    Area_Add_Check_Box(a, 500, 20, nullptr, 0x1000, 0, &v, &on);
    EXPECT_EQ(s.content_width, 510);
    Area_Add_Text(a, 0, 0, "x", 0x1000, 0, 0);
    Area_Set_Item_Check(a, +[](double* d) { return d; });
    EXPECT_EQ(s.last_item->check_fn, nullptr);
    double d = 0;
    Area_Add_Float_Field(a, 0, 30, &d, "%8.2f", 0x1000, 0, &on);
    EXPECT_EQ(s.last_item->font, 0);
    EXPECT_EQ(s.last_item->aux, 8);
    Area_Set_Item_Check(a, +[](int) {});
    EXPECT_EQ(s.last_item->check_int_fn, nullptr);
    Area_Set_Item_Check(a, +[](double* x) { return x; });
    EXPECT_NE(s.last_item->check_fn, nullptr);

    // A choice index out of range starts at 0.
    const Choice_Entry entries[5] = {{0, "a"}, {0, "b"}, {0, "c"}, {0, "d"}, {0, "e"}};
    int seven = 7, minus = -1;
    Area_Add_Choice(a, 10, 100, entries, 0x1000, 10, 5, &seven, &on);
    Area_Add_Choice(a, 10, 130, entries, 0x1000, 10, 5, &minus, &on);
    EXPECT_EQ(seven, 0);
    EXPECT_EQ(minus, 0);
    Pop_RFont(0);
    EXPECT_EQ(s.last_item->aux, 10 * (RFONT_SPACE + RFONT_WIDTH));
    Push_RFont();

    // A cut at a mark removes it and everything after it.
    Area_Add_Mark(a, 4);
    Area_Add_Box(a, 0, 0, 1, 1, 0);
    Area_Cut_At_Mark(a, 4);
    EXPECT_EQ(s.last_item->type, AREA_CHOICE);
    EXPECT_EQ(s.last_item->next, nullptr);
}

TEST_F(Areas, ShortKeySettingsAreReadOnceAsOneInteger)
{
    ::setenv("ZAV_USER_UseSheetOkShortKey", "1", 1);
    ::setenv("ZAV_USER_UseSheetBreakShortKey", "abc", 1);
    Start("");
    Area_Create(0, 0, 10, 10, 0, 0);
    EXPECT_EQ(sheet_short_keys.ok, 1);
    EXPECT_EQ(sheet_short_keys.brk, 0);
    EXPECT_EQ(sheet_short_keys.help, 0);
    ::setenv("ZAV_USER_UseSheetHelpShortKey", "1", 1);
    Area_Create(0, 0, 10, 10, 0, 0);
    EXPECT_EQ(sheet_short_keys.help, 0);
}

// Thirty lines of text, 900 pixels high.
void Build_Lines(int a)
{
    for (int k = 0; k < 30; ++k) Area_Add_Text(a, 10, 20 + 30 * k, "Zeile", 0x1000, 0, 0);
}

TEST_F(Areas, ScrollPositionSurvivesRebuildsAndFractions)
{
    Start("");
    const int a = Area_Create(100, 100, 400, 300, 1, 1);  // visible 283 x 183
    Scroll_Area& s = scroll_areas[a];
    Build_Lines(a);
    Area_Add_Box(a, 0, 0, 983, 10, 0);
    Area_Update(a);
    Set_Scrollable_Area_PS(s.handle, 0, 250);  // the user's slider
    Area_Clear(a);
    EXPECT_EQ(s.content_height, 0);
    Build_Lines(a);
    Area_Add_Box(a, 0, 0, 983, 10, 0);
    Area_Update(a);
    int x = -1, y = -1;
    Area_Query_Scroll(a, &x, &y);
    EXPECT_EQ(y, 250);
    double fx = -1, fy = -1;
    Area_Get_Scroll_Fraction(a, &fx, &fy);
    EXPECT_DOUBLE_EQ(fy, 250.0 / (900 - 183));
    EXPECT_DOUBLE_EQ(fx, 0.0);

    Area_Set_Scroll_Fraction(a, 2.0, -1.0);
    EXPECT_EQ(s.scroll_x, 983 - 283);
    EXPECT_EQ(s.scroll_y, 250);

    int dx = -5000, dy = 1000;
    Area_Scroll_By(a, &dx, &dy);  // the library still has x 0, y 250
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 900 - 183 - 250);
    EXPECT_EQ(s.scroll_y, 900 - 183);

    // Already in view: at once; else ten pauses of 30 ms.
    Area_Update(a);
    const double t0 = Library_Clock_Seconds();
    Area_Scroll_To(a, 10, 800, 50, 820);
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds(), t0);
    Area_Scroll_To(a, 10, 30, 50, 50);
    EXPECT_NEAR(Library_Clock_Seconds() - t0, 0.3, 1e-9);
    Area_Query_Scroll(a, &x, &y);
    EXPECT_EQ(y, 30);
}

TEST_F(Areas, HitZonesOfButtonsAndClickTexts)
{
    // Check box text at screen (150, 150): 15 pixels left toggles, 21 does not.
    Start("click 135 145\nclick 129 145\nclick 230 145\n"
          "click 152 175\nclick 152 205\nclick 300 280\nclick 300 280\n");
    const int a = Area_Create(100, 100, 400, 300, 0, 0);
    int v = 0, off = 0, on = 1, w = 0, t1 = 0, t2 = 0;
    Area_Add_Check_Box(a, 50, 50, "Haken", 0x1000, 0, &v, &on);
    Area_Add_Check_Box(a, 130, 50, "aus", 0x1000, 0, &w, &off);
    Area_Add_Click_Text(a, 50, 75, "eins", 0x1000, 0, 0, 0xFF0000, 1, &t1);
    Area_Add_Click_Text(a, 50, 105, "zwei", 0x1000, 0, 0, 0xFF0000, 2, &t2);
    Area_Update(a);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(Click(a), 0);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(Click(a), 0);  // the inactive box
    EXPECT_EQ(w, 0);
    // The second click text resets the first.
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(t1, 1);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(t1, 0);
    EXPECT_EQ(t2, 2);
    // Empty space resets the chosen one (1), then there is nothing to reset (0).
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(t2, 0);
    EXPECT_EQ(Click(a), 0);
}

TEST_F(Areas, ClickCellsStoreIntsAndWholePointers)
{
    Start("click 115 115\nclick 115 145\nclick 115 175\n");
    const int a = Area_Create(100, 100, 400, 300, 0, 0);
    struct Row {
        double load;
    } rows[2] = {{1.0}, {2.0}};
    int chosen = 0;
    void* row = nullptr;
    void* wide = nullptr;
    void* const high = reinterpret_cast<void*>(~static_cast<uintptr_t>(0) - 0xFF);
    Area_Add_Click_Cell(a, 10, 10, 30, 30, 5, &chosen);
    Area_Add_Click_Cell_Ptr(a, 10, 40, 30, 60, &rows[1], &row);
    Area_Add_Click_Cell_Ptr(a, 10, 70, 30, 90, high, &wide);
    Area_Update(a);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(chosen, 5);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(row, &rows[1]);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(wide, high);
}

TEST_F(Areas, FieldsNearTheTopAreIgnoredAndAnEditWalksOnToTheNextField)
{
    Start("click 112 108\n"                          // base line 10 below the top: ignored
          "click 112 110\ntext \"3\"\nkey Enter\n"  // 12 below: edited, nothing follows
          "click 112 138\ntext \"5\"\nkey Enter\ntext \"7\"\nkey Up\n"
          "click 112 138\ntext \"4\"\nkey Enter\nkey Esc\n"                     // the walk on leaves far
          "click 112 138\ntext \"3\"\nkey Enter\ntext \"2\"\nkey Enter\n");  // and changes it
    const int a = Area_Create(100, 100, 400, 300, 0, 1);
    Scroll_Area& s = scroll_areas[a];
    double top = 1, first = 1, passed = 1, far = 1;
    int on = 1, off = 0;
    Area_Add_Float_Field(a, 10, 30, &top, "%5.1f", 0x1000, 0, &on);
    Area_Add_Box(a, 0, 0, 10, 600, 0);
    Area_Update(a);
    Set_Scrollable_Area_PS(s.handle, 0, 20);
    EXPECT_EQ(Click(a), 0);
    EXPECT_EQ(top, 1);
    Set_Scrollable_Area_PS(s.handle, 0, 18);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(top, 3);

    Area_Clear(a);
    Area_Add_Float_Field(a, 10, 40, &first, "%5.1f", 0x1000, 0, &on);
    Area_Add_Float_Field(a, 10, 70, &passed, "%5.1f", 0x1000, 0, &off);
    Area_Add_Text(a, 10, 100, "dazwischen", 0x1000, 0, 0);
    Area_Add_Float_Field(a, 10, 400, &far, "%5.1f", 0x1000, 0, &on);
    Area_Set_Item_Check(a, +[](double* x) {
        if (*x > 6) *x = 6;
        return x;
    });
    Set_Scrollable_Area_PS(s.handle, 0, 0);
    s.scroll_y = 0;
    Area_Update(a);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(passed, 1);
    EXPECT_EQ(far, 6);  // 7, corrected by the check
    EXPECT_EQ(s.scroll_y, 100 + 400 + 5 - 300);
    int x = 0, y = 0;
    Area_Query_Scroll(a, &x, &y);
    EXPECT_EQ(y, 205);

    // With a change hook a change ends the walk; walked on, the walk tells whether a value
    // changed on it, so that nothing is rebuilt after a walk that changed nothing.
    static int hooks;
    hooks = 0;
    Area_Set_Change_Hook(a, +[] { return ++hooks; });
    for (const auto& [value, far_value, walked] : {std::tuple{4.0, 6.0, 0}, std::tuple{3.0, 2.0, 1}}) {
        Set_Scrollable_Area_PS(s.handle, 0, 0);
        s.scroll_y = 0;
        Area_Update(a);
        const int before = hooks;
        EXPECT_EQ(Click(a), 1);
        EXPECT_EQ(first, value);
        EXPECT_EQ(hooks, before + 1);
        EXPECT_EQ(Area_Walk_On(a), walked);
        EXPECT_EQ(far, far_value);
        EXPECT_EQ(hooks, before + 1 + walked);
    }
}

TEST_F(Areas, WideNumbersAndLongTextFieldsStayInsideTheirCopies)
{
    std::string script = "click 115 125\nkey Esc\nclick 115 165\nkey End\nkey Backspace\ntext \"Z\"\nkey Enter\n";
    Start(script);
    const int a = Area_Create(100, 100, 600, 300, 1, 1);
    double huge = 1e200;
    int on = 1;
    std::string buffer(600, 'a');
    Area_Add_Float_Field(a, 10, 25, &huge, "%8.2f", 0x1000, 0, &on);
    EXPECT_EQ(scroll_areas[a].last_item->aux, 8);
    EXPECT_LT(scroll_areas[a].content_width, 200);  // shown in its 8 characters, "1.00e200"
    Area_Add_Text_Field(a, 10, 65, buffer.data(), 0x1000, 0, &on);
    Area_Update(a);
    EXPECT_EQ(Click(a), 1);
    EXPECT_EQ(huge, 1e200);
    EXPECT_EQ(Click(a), 1);
    // The first 511 characters were edited; the rest of the field is untouched.
    EXPECT_EQ(buffer.size(), 600u);
    EXPECT_EQ(std::strlen(buffer.c_str()), 600u);
    EXPECT_EQ(buffer[509], 'a');
    EXPECT_EQ(buffer[510], 'Z');
    EXPECT_EQ(buffer[511], 'a');
}

// A number wider than its field is shown in a true form that fits: fewer decimals, then
// the exponent form, else marks; never its printed digits cut off.
TEST(AreaNumbers, WideNumbersTakeATrueFormThatFits)
{
    const auto shown = [](const char* format, double v, int chars) {
        char out[AREA_SHOWN_TEXT_SIZE];
        Area_Format_Number(out, format, v, chars);
        return std::string(out);
    };
    EXPECT_EQ(shown("%6.1f", 16.5, 6), "  16.5");
    EXPECT_EQ(shown("%8.1f", 1000000.0, 8), " 1000000");
    EXPECT_EQ(shown("%8.1f", 99999999999.0, 8), "1.000e11");
    EXPECT_EQ(shown("%8.2f", 920000003.0, 8), "9.2000e8");
    EXPECT_EQ(shown("%6.2f", 920000003.0, 6), "9.20e8");
    EXPECT_EQ(shown("%6.2f", -0.000012345, 6), " -0.00");  // fits as printed
    EXPECT_EQ(shown("%4.1f", -12345.0, 4), "-1e4");
    EXPECT_EQ(shown("%-5.1f cm", 123456.0, 8), "1.2e5 cm");
    EXPECT_EQ(shown("%2.0f", 100.0, 2), "##");
}

TEST_F(Areas, DrawPassLooks)
{
    Start("");
    const int a = Area_Create(100, 100, 400, 300, 0, 1);
    Scroll_Area& s = scroll_areas[a];
    int on = 1, off = 0, t = 0;
    double v = 12.5, w = 3.0;
    const int key = Nearest_RGB_Color(192, 192, 192);
    Area_Add_Text(a, 20, -1, "gjpqy", 0x1000, 0, 0);     // base line above the top
    Area_Add_Text(a, 120, 0, "gjpqy", 0x1000, 0, 0);     // base line on the top
    Area_Add_Float_Field(a, 20, 40, &v, "%6.2f", 0x1000, 0, &on);
    Area_Add_Float_Field(a, 120, 40, &w, "%6.2f", 0x1000, 0, &off);
    Area_Add_Bitmap_Button(a, 20, 70, 36, 36, "Glory3.bmp", 0, key, 0, nullptr, 1, &t, &on);
    Area_Add_Bitmap_Button(a, 70, 70, 36, 36, "Glory3.bmp", 0, key, 0, nullptr, 1, &t, &off);
    Area_Add_Bitmap(a, "Glory3.bmp", 150, 70, 185, 105, key);
    Area_Fix_Last_Bitmap(a);
    const Choice_Entry entries[] = {{0xFF0000, "Ein langer Eintrag"}};
    int index = 0;
    Area_Add_Choice(a, 20, 140, entries, 0x1000, 2, 1, &index, &on);
    Area_Add_Box(a, 0, 0, 10, 1000, 0x00FF00);
    Area_Update(a);

    auto dark_in_rows = [](int x1, int x2, int y1, int y2) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (At(x, y) != GROUND) return true;
        return false;
    };
    EXPECT_FALSE(dark_in_rows(120, 170, 100, 104));
    EXPECT_TRUE(dark_in_rows(220, 270, 100, 104));

    // Active field: white ground, black dotted frame; inactive: ground and grey.
    EXPECT_EQ(At(121, 128), WHITE);
    EXPECT_EQ(At(113, 127), BLACK);
    EXPECT_EQ(At(221, 128), GROUND);
    EXPECT_EQ(At(213, 127), GREY);

    // Bitmap buttons: column 1 when editable, column 0 when not.
    const Screen_Image* strip = Load_Bitmap("Glory3.bmp");
    ASSERT_NE(strip, nullptr);
    int px = -1, py = -1;
    for (int y = 0; y < 35 && px < 0; ++y)
        for (int x = 0; x < 35; ++x)
            if (strip->At(x, y) != 0xC0C0C0 && strip->At(36 + x, y) != 0xC0C0C0 &&
                strip->At(x, y) != strip->At(36 + x, y)) {
                px = x;
                py = y;
                break;
            }
    ASSERT_GE(px, 0);
    EXPECT_EQ(At(120 + px, 170 + py), strip->At(36 + px, py));
    EXPECT_EQ(At(170 + px, 170 + py), strip->At(px, py));

    // The choice's text is cut where its box ends.
    Area_Item* choice = s.first_item;
    while (choice->type != AREA_CHOICE) choice = choice->next;
    const int cut = 120 + Raise_To_Even(choice->aux) + 6;
    for (int y = 230; y <= 241; ++y)
        for (int x = cut + 1; x <= cut + 3; ++x) EXPECT_EQ(At(x, y), WHITE) << x << " " << y;

    // A fixed bitmap stays where it is while the content scrolls.
    int fx = -1, fy = -1;
    for (int y = 170; y < 206 && fx < 0; ++y)
        for (int x = 250; x < 286; ++x)
            if (At(x, y) != GROUND) {
                fx = x;
                fy = y;
                break;
            }
    ASSERT_GE(fx, 0);
    const uint32_t before = At(fx, fy);
    Set_Scrollable_Area_PS(s.handle, 0, 50);
    Change_Activity_PS(s.handle, 1);
    EXPECT_EQ(At(fx, fy), before);
    EXPECT_EQ(At(105, 150), 0x00FF00u);

    // An inactive area paints nothing, not even its ground.
    Area_Set_Activity(a, 0);
    pxFgc(0x0000FF);
    pxRect(100, 100, 383, 300);
    Area_Draw_Callback(0, 0, 0, 100, 100, 383, 300, &s);
    EXPECT_EQ(At(300, 290), 0x0000FFu);
    Area_Set_Activity(a, 1);
    Area_Draw_Callback(0, 0, 0, 100, 100, 383, 300, &s);
    EXPECT_EQ(At(300, 290), GROUND);
}

// Samples of the screen while the library waits (the script's "wait").
std::vector<uint32_t> probes;
int probe_x = 0, probe_y = 0;
void Probe() { probes.push_back(Screen_Pixel_For_Tests(probe_x, probe_y)); }

TEST_F(Areas, HoverShowsTheTipAndAClickAfterItIsNotLost)
{
    Start("move 115 115\nwait 200\nmove 150 150\nclick 115 115\n");
    const int a = Area_Create(100, 100, 400, 300, 0, 0);
    int chosen = 0;
    Area_Add_Click_Cell(a, 10, 10, 30, 30, 3, &chosen);
    Area_Set_Click_Cursor(a, 18);
    Area_Set_Click_Tip(a, "Zeile l\x94schen", 0x1000, 0, 0);
    Area_Update(a);
    probes.clear();
    probe_x = 117;
    probe_y = 137;  // inside the bubble below the pointer
    const uint32_t under = At(probe_x, probe_y);
    Set_Clock_Stepper(Probe, 50);
    EXPECT_EQ(Area_Handle_Event(a), 1);
    Set_Clock_Stepper(nullptr, 0);
    EXPECT_EQ(chosen, 3);
    ASSERT_FALSE(probes.empty());
    EXPECT_EQ(probes.front(), WHITE);
    EXPECT_EQ(At(probe_x, probe_y), under);  // hidden again
}

TEST_F(Areas, TipBubbleKeepsNinePixelsFromTheScreenEdge)
{
    Start("");
    pxFgc(0x808080);
    pxRect(0, 0, 639, 479);
    M_XPOS = 630;
    M_YPOS = 470;
    const uint32_t before = At(630, 470);
    Area_Tip_Bubble("zwei\nZeilen\n", 1);
    EXPECT_EQ(At(640 - 9, 480 - 9), BLACK);  // the frame's far corner
    EXPECT_EQ(At(640 - 10, 480 - 10), WHITE);
    Pop_RFont(0x1000);
    const int height = 3 * RFONT_HEIGHT + 5;  // a trailing line feed makes a line too
    Push_RFont();
    EXPECT_EQ(At(620, 480 - 9 - height), BLACK);
    EXPECT_EQ(At(620, 480 - 10 - height), 0x808080u);
    Area_Tip_Bubble("zwei\nZeilen\n", 0);
    EXPECT_EQ(At(630, 470), before);
}

TEST_F(Areas, KeysEndTheWaitOnlyAsShortKeys)
{
    ::setenv("ZAV_USER_UseSheetOkShortKey", "1", 1);
    Start("move 150 150\nkey Enter\nmove 151 150\nmove 152 150\nkey Esc\nclick 300 290\n");
    const int a = Area_Create(100, 100, 400, 300, 0, 0);
    int target = 0;
    Area_Update(a);
    // Enter ends the wait, but the OK key is not armed: 0, the key stays queued.
    EXPECT_EQ(Area_Handle_Event(a), 0);
    EXPECT_EQ(hitkey(), 13);
    Area_Set_Ok_Key(a, 42, &target);
    EXPECT_EQ(Area_Handle_Event(a), 1);
    EXPECT_EQ(target, 42);
    EXPECT_EQ(hitkey(), -1);
    // Esc is no short key here: the wait goes on until the click and drops it, so that
    // no later read takes it.
    EXPECT_EQ(Area_Handle_Event(a), 0);
    EXPECT_EQ(hitkey(), -1);
}

TEST_F(Areas, KeysDoNotEndTheWaitWithoutShortKeys)
{
    Start("move 150 150\nkey Enter\nclick 115 115\n");
    const int a = Area_Create(100, 100, 400, 300, 0, 0);
    int chosen = 0;
    Area_Add_Click_Cell(a, 10, 10, 30, 30, 9, &chosen);
    Area_Update(a);
    EXPECT_EQ(Area_Handle_Event(a), 1);
    EXPECT_EQ(chosen, 9);
    EXPECT_EQ(hitkey(), -1);  // dropped, not held for the next read
}

TEST_F(Areas, TextExtents)
{
    Start("");
    Pop_RFont(0x1000);
    EXPECT_EQ(Text_Extent_Width("Breite", 3), Get_Text_Width_Px("Bre"));
    int xs[4], ys[4];
    Text_Box_State s;
    s.font = 0;
    edited_text_box = &s;
    Text_Box_Text_Extent("Breite", 3, 10, 20, xs, ys);
    EXPECT_EQ(xs[1] - xs[0], 21);
    Text_Box_Text_Extent("Breite", 0, 10, 20, xs, ys);
    EXPECT_EQ(xs[1] - xs[0], 0);
    edited_text_box = nullptr;
    Text_Box_Text_Extent("Breite", 3, 10, 20, xs, ys);
    EXPECT_EQ(xs[1] - xs[0], Get_Text_Width_Px("Bre"));
    Push_RFont();
}

} // namespace

namespace {

// A box buffer of capacity + 1 bytes, zero beyond the text.
std::vector<char> Box_Buffer(const char* text, int capacity)
{
    std::vector<char> b(static_cast<size_t>(capacity) + 1, '\0');
    std::memcpy(b.data(), text, std::strlen(text));
    return b;
}

TEST_F(Areas, TextBoxEditorKeysKeepTheLastCharacterAndTheCapacity)
{
    Start("click 200 200\nkey Ctrl+Home\nkey Backspace\ntext \"XY\"\nkey Ctrl+End\nkey Del\n"
          "key Ctrl+A\ntext \"Q\"\nclick 50 450\n"
          "click 200 200\ntext \"Z\"\nkey Ctrl+End\nkey Backspace\ntext \"Z\"\nclick 50 450\n");
    const int a = Area_Create(100, 100, 500, 400, 0, 0);
    std::vector<char> text = Box_Buffer("abc\n", 20);
    std::vector<char> full = Box_Buffer("abc\n", 4);
    int on = 1;
    Area_Add_Text_Box(a, 10, 10, 300, 150, text.data(), 20, 0, 0xFFFFFF, 1, &on);
    Area_Update(a);
    EXPECT_EQ(Click(a), 0);
    EXPECT_STREQ(text.data(), "Q\n");
    EXPECT_EQ(edited_text_box, nullptr);
    EXPECT_EQ(text[20], '\0');

    Area_Clear(a);
    Area_Add_Text_Box(a, 10, 10, 300, 150, full.data(), 4, 0, 0xFFFFFF, 1, &on);
    Area_Update(a);
    EXPECT_EQ(Click(a), 0);
    EXPECT_STREQ(full.data(), "abZ\n");  // the first Z did not fit
}

TEST_F(Areas, PastingTakesAtMost5000CharactersAndOneLineBreakPerCrLf)
{
    Start("click 200 200\nkey Ctrl+V\nclick 50 450\n"
          "click 200 200\nkey Ctrl+V\nclick 50 450\n"
          "click 200 200\nkey Ctrl+V\nclick 50 450\n");
    const int a = Area_Create(100, 100, 500, 400, 0, 0);
    int on = 1;
    std::vector<char> crlf = Box_Buffer("\n", 100);
    Area_Add_Text_Box(a, 10, 10, 300, 150, crlf.data(), 100, 0, 0xFFFFFF, 1, &on);
    Area_Update(a);
    ZAVSetClipboardText("a\r\nb\rc\nd");
    EXPECT_EQ(Click(a), 0);
    EXPECT_STREQ(crlf.data(), "a\nb\nc\nd\n");

    const std::string many(6000, 'x');
    ZAVSetClipboardText(many.c_str());
    std::vector<char> big = Box_Buffer("\n", 5500);
    Area_Clear(a);
    Area_Add_Text_Box(a, 10, 10, 300, 150, big.data(), 5500, 0, 0xFFFFFF, 1, &on);
    Area_Update(a);
    EXPECT_EQ(Click(a), 0);
    EXPECT_EQ(std::strlen(big.data()), 5001u);

    std::vector<char> small = Box_Buffer("\n", 300);
    Area_Clear(a);
    Area_Add_Text_Box(a, 10, 10, 300, 150, small.data(), 300, 0, 0xFFFFFF, 1, &on);
    Area_Update(a);
    EXPECT_EQ(Click(a), 0);
    EXPECT_EQ(std::strlen(small.data()), 300u);
    EXPECT_EQ(small[299], '\n');
}

} // namespace
