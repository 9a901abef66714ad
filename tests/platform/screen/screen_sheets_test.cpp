#include "platform/screen/screen.h"

#include "base/periodic_callbacks.h"
#include "platform/environment.h"
#include "platform/messages.h"

#include "test_support.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Paint {
    int sx, sy, left, top, right, bottom;
};

struct Painted {
    std::vector<Paint> calls;
    bool forbidden = false;  // a paint now fails the test
};

void Record_Paint(int, int sx, int sy, int left, int top, int right, int bottom, void* data)
{
    auto* p = static_cast<Painted*>(data);
    EXPECT_FALSE(p->forbidden) << "the area was painted when it must not be";
    p->calls.push_back({sx, sy, left, top, right, bottom});
    pxFgc(0xFFFBF0);
    pxRect(left, top, right, bottom);
}

class ScreenSheets : public testing::Test {
protected:
    void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 640, 480);
        Init_RFont();
        Init_Prop_Sheets();
        pxFgc(0x404040);
        pxRect(0, 0, 639, 479);
    }
    void TearDown() override { Screen_Reset_For_Tests(); }
};

TEST_F(ScreenSheets, EscapeAreasRegistersButtonsAndAreasEndTheEdit)
{
    Start("move 20 320\n"     // an escape area without the move flag: nothing
          "move 350 150\n"    // one with the move flag: 100
          "click 100 40\n"    // a register member: its id
          "click 50 350\n"    // an escape area: 55 at the press
          "click 500 200\n"   // the scrollable area, no escape area over it: 7
          "move 30 440\ndown\nmove 200 200\nup\n"  // pressed on the button, released elsewhere
          "click 30 440\n"    // the button: 9
          "key Esc\n"         // the break button: 1
          "click 5 5\n");     // outside the sheet: the click-outside code
    Define_Prop_Sheet(0, 0, 639, 470, 0, 0, "", 1, 1);
    const int reg = Add_Register_to_PS(4, 6, 635, 465, 50);
    Add_Member_to_Register(reg, 4, 74, 1, 10001);
    Add_Member_to_Register(reg, 75, 145, 1, 10002);
    Set_Selected_Register_Member(reg, 10001);
    const int esc = Add_Escape_Area_to_PS(300, 100, 400, 200, 1, 100);
    Set_Escape_Area_to_MouseMoveEvent(esc, 1);
    Add_Escape_Area_to_PS(10, 300, 100, 400, 1, 55);
    Painted painted;
    Add_Scrollable_Area_to_PS(450, 100, 600, 300, 1, 0, 10, 10, Record_Paint, &painted, 7);
    Add_Single_Button_to_PS(20, 430, 1, 9, "Ende", nullptr, 0);
    Add_Single_Button_to_PS(120, 430, 1, 1, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Activate_Prop_Sheet();
    ASSERT_EQ(painted.calls.size(), 1u);
    EXPECT_EQ(painted.calls[0].left, 450);
    EXPECT_EQ(painted.calls[0].bottom, 300);

    EXPECT_EQ(Edit_Prop_Sheet(), 100);
    EXPECT_EQ(Edit_Prop_Sheet(), 10002);
    EXPECT_EQ(Edit_Prop_Sheet(), 55);
    EXPECT_EQ(M_LEFT, 1);
    EXPECT_EQ(Edit_Prop_Sheet(), 7);
    EXPECT_EQ(Edit_Prop_Sheet(), 9);  // only the second press counts
    EXPECT_EQ(Edit_Prop_Sheet(), 1);
    Undefine_Prop_Sheet();

    Define_Prop_Sheet(200, 200, 400, 300, 1, 0, "Klein", 1, 1);
    Set_ClickOutsideEvent_to_PS(99);
    Activate_Prop_Sheet();
    EXPECT_EQ(Edit_Prop_Sheet(), 99);
    Undefine_Prop_Sheet();
    EXPECT_EQ(painted.calls.size(), 1u);  // nothing since the activation
}

TEST_F(ScreenSheets, SlidersAndWheelScrollThroughTheDrawFunction)
{
    Start("wheel -2\n"              // at the pointer, over the area
          "click 309 195\n"         // the down arrow: one step
          "click 309 170\n"         // the track below the thumb: a page
          "move 150 150\nkey Enter\n");
    Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
    Painted painted;
    const int area = Add_Scrollable_Area_to_PS(100, 100, 300, 200, 1, 0, 10, 10, Record_Paint, &painted, 3);
    const int vs = Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
    Set_VSlider_Speed(vs, 0.1, 0.0);
    Resize_Origin_of_Scrollable_Area_PS(area, 200, 1000);
    Add_Single_Button_to_PS(500, 400, 1, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    msStCu(150, 150);
    Activate_Prop_Sheet();

    EXPECT_EQ(Edit_Prop_Sheet(), 2);  // Enter: the OK button; the rest scrolled on the way
    ASSERT_EQ(painted.calls.size(), 4u);
    EXPECT_EQ(painted.calls[1].sy, 20);   // two wheel steps of a tenth of 100 pixels
    EXPECT_EQ(painted.calls[2].sy, 30);
    EXPECT_EQ(painted.calls[3].sy, 130);  // a page
    EXPECT_EQ(painted.calls[3].top, 100);
    int x, y;
    Inquire_Scrollable_Area_PS(area, &x, &y);
    EXPECT_EQ(y, 130);

    // Offsets are limited to 0 ... content - visible; setting them paints nothing.
    Set_Scrollable_Area_PS(area, 50, 5000);
    Inquire_Scrollable_Area_PS(area, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 900);
    Set_Scrollable_Area_PS(area, -5, -5);
    Inquire_Scrollable_Area_PS(area, &x, &y);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(painted.calls.size(), 4u);
    Change_Activity_PS(area, 1);
    EXPECT_EQ(painted.calls.size(), 5u);
    Change_Activity_PS(area, 0);
    EXPECT_EQ(painted.calls.size(), 5u);
    Undefine_Prop_Sheet();
}

TEST_F(ScreenSheets, AWheelStepTakenByAWaitIsCarriedOutByTheNextEdit)
{
    Start("key Enter\n");
    Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
    Painted painted;
    const int area = Add_Scrollable_Area_to_PS(100, 100, 300, 200, 1, 0, 10, 10, Record_Paint, &painted, 3);
    Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
    Resize_Origin_of_Scrollable_Area_PS(area, 200, 1000);
    Set_Scrollable_Area_PS(area, 0, 500);
    Add_Single_Button_to_PS(500, 400, 1, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    Activate_Prop_Sheet();
    msStCu(150, 150);
    M_SCROLL = 1;  // a wait of the program took a wheel step up
    EXPECT_EQ(Edit_Prop_Sheet(), 2);
    EXPECT_EQ(M_SCROLL, 0);
    ASSERT_EQ(painted.calls.size(), 2u);
    EXPECT_EQ(painted.calls[1].sy, 490);
}

TEST_F(ScreenSheets, UndefineRestoresThePixelsWithoutPaintingAnything)
{
    Start("answer ok\n");
    Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
    Painted painted;
    Add_Scrollable_Area_to_PS(100, 100, 300, 200, 1, 0, 10, 10, Record_Paint, &painted, 3);
    Activate_Prop_Sheet();
    std::vector<uint32_t> before;
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 7) before.push_back(Screen_Pixel_For_Tests(x, y));

    painted.forbidden = true;
    Define_Prop_Sheet(50, 50, 350, 250, 1, 0, "Nachfrage", 1, 1);
    Add_Single_Button_to_PS(64, 221, 1, 1, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Draw_Funny_Text_to_PS(70, 90, "Sollen wirklich alle Lastkollektive ausgedruckt werden ?", 0x1000, 0, 0);
    Activate_Prop_Sheet();
    EXPECT_NE(Screen_Pixel_For_Tests(60, 60), before[0]);
    PrintMessage("Hinweis");  // a box over both sheets paints no area either
    Undefine_Prop_Sheet();
    std::vector<uint32_t> after;
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 7) after.push_back(Screen_Pixel_For_Tests(x, y));
    EXPECT_EQ(after, before);
    EXPECT_EQ(screen::Sheet_Count(), 1);
    Undefine_Prop_Sheet();
    EXPECT_EQ(screen::Sheet_Count(), 0);
}

TEST_F(ScreenSheets, NumberFieldsAreEditedInPlace)
{
    Start("click 110 110\ntext \"1,5\"\nkey Enter\n"       // the field on the sheet
          "text \"1e999\"\nkey Enter\n"                     // refused
          "text \"nan\"\nkey Tab\n"                         // refused (letters are not typed)
          "text \"7\"\nkey Shift+Tab\n"
          "text \"-3.25\"\nkey Up\n"
          "text \"9\"\nkey Esc\n"
          "text \"42\"\nclick 600 400\n");                 // a click elsewhere ends it
    Define_Prop_Sheet(0, 0, 639, 479, 1, 0, "Zahlen", 1, 1);
    double value = 12.0;
    const int field = Add_Float_to_PS(100, 100, 8, "%.2lf", &value, 4);
    Activate_Prop_Sheet();
    EXPECT_EQ(Edit_Prop_Sheet(), 4);
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_EQ(LAST_SHEET_EDIT_KEY, 13);
    (void)field;

    EXPECT_NE(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_NE(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_EQ(LAST_SHEET_EDIT_KEY, 9);
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_EQ(Short_Edit_Float(100, 100, "%.2lf", &value), -1);  // taken, back to the field before
    EXPECT_DOUBLE_EQ(value, 7.0);
    // Up and Down take the value but do not go on (0), and say which key it was.
    EXPECT_EQ(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_EQ(LAST_SHEET_EDIT_KEY, ZAV_KEY_UP);
    EXPECT_DOUBLE_EQ(value, -3.25);
    EXPECT_EQ(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_EQ(LAST_SHEET_EDIT_KEY, 27);
    EXPECT_DOUBLE_EQ(value, -3.25);
    EXPECT_EQ(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_EQ(LAST_SHEET_EDIT_KEY, 0);
    EXPECT_DOUBLE_EQ(value, 42.0);
    EXPECT_EQ(M_LEFT, 1);  // the click stays for the caller
    Undefine_Prop_Sheet();
}

// A field left as offered keeps its value, though the format rounds it or it is too long
// for the editor.
TEST_F(ScreenSheets, AFieldLeftAsOfferedKeepsItsValue)
{
    Start("key Enter\nkey Enter\n");
    Define_Prop_Sheet(0, 0, 639, 479, 1, 0, "Zahlen", 1, 1);
    Activate_Prop_Sheet();
    double value = 1.23456;
    EXPECT_NE(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_EQ(value, 1.23456);
    value = 1e60;
    EXPECT_NE(Short_Edit_Float(100, 100, "%.2lf", &value), 0);
    EXPECT_EQ(value, 1e60);
    Undefine_Prop_Sheet();
}

// A count field of "%2.0f" is edited in a box as narrow as the field, so that the word
// beside it stays visible; a longer number scrolls in it and is taken whole.
TEST_F(ScreenSheets, ANarrowFieldIsEditedInANarrowBox)
{
    static uint32_t beside = 0;
    Start("wait 2\ntext \"12345\"\nkey Enter\n");
    Set_Clock_Stepper([] { beside = Screen_Pixel_For_Tests(135, 105); }, 1);
    double value = 3.0;
    EXPECT_NE(Short_Edit_Float(100, 100, "%2.0f", &value), 0);
    Set_Clock_Stepper(nullptr, 0);
    EXPECT_EQ(beside, 0x404040u);
    EXPECT_EQ(value, 12345.0);
}

// A text field is edited in a box that ends where its characters do (a name field of a
// table does not run over the column beside it).
TEST_F(ScreenSheets, ATextFieldIsEditedInABoxOfItsLength)
{
    static uint32_t beside = 0;
    static int right = 0;
    Start("wait 2\nkey Enter\n");
    right = 100 + 10 * Get_Text_Width_Px("X") + 16;  // the box holds its text inset 8 on either side
    Set_Clock_Stepper([] { beside = Screen_Pixel_For_Tests(right + 4, 105); }, 1);
    char field[11] = "abc       ";
    EXPECT_NE(Short_Edit_Text(100, 100, field, 10, 0), 0);
    Set_Clock_Stepper(nullptr, 0);
    EXPECT_EQ(beside, 0x404040u);
    EXPECT_STREQ(field, "abc       ");
}

TEST_F(ScreenSheets, TextFieldsKeepTheirLengthAndScroll)
{
    Start("text \"xy\"\nkey Enter\n"
          "key End\ntext \"abcdefghijk\"\nkey Enter\n"
          "key Backspace\nkey Esc\n"
          "key End\ntext \"XYZ\"\nkey Enter\n");
    char field[7] = "abc   ";
    EXPECT_NE(Short_Edit_Text(10, 10, field, 6, 0), 0);
    EXPECT_STREQ(field, "xy    ");
    char wide[11] = "12";
    Set_Short_Edit_Text_Scrollmode(10);
    Short_Edit_Text(10, 10, wide, 4, 0);
    EXPECT_STREQ(wide, "12abcdefgh");  // at most the capacity
    Short_Edit_Text(10, 10, wide, 4, 0);
    EXPECT_STREQ(wide, "12abcdefgh");  // Esc keeps the text as it was
    Short_Edit_Text(10, 10, wide, 4, 0);
    EXPECT_STREQ(wide, "12ab");  // the mode held for one call only: four characters
}

int Menu_Action_One() { return 11; }
int Menu_Action_Two() { return 22; }

TEST_F(ScreenSheets, MenusCharactersClipboardAndSettings)
{
    Start("move 105 135\nclick 105 135\n"   // second entry of the menu at (100, 100)
          "click 105 115\n"                 // first entry: a sub-menu
          "click 230 105\n"                 // its entry, beside the menu
          "key Esc\n"
          "click 115 215\n");               // the special-character grid's first cell
    const ZAV_Menu_Entry sub[] = {{"Eins", 1, nullptr, Menu_Action_One}, {nullptr, 0, nullptr, nullptr}};
    const ZAV_Menu_Entry menu[] = {{"Sonderzeichen", 1, sub, nullptr},
                                   {"Zwei", 1, nullptr, Menu_Action_Two},
                                   {"aus", 0, nullptr, Menu_Action_One},
                                   {nullptr, 0, nullptr, nullptr}};
    pxFgc(0x123456);
    pxRect(90, 90, 400, 300);
    EXPECT_EQ(Menue_Manager(menu, 100, 100), 22);
    EXPECT_EQ(Screen_Pixel_For_Tests(110, 110), 0x123456u);  // the menu is gone
    EXPECT_EQ(Menue_Manager(menu, 100, 100), 11);
    EXPECT_EQ(Menue_Manager(menu, 100, 100), -1);
    msStCu(110, 210);
    EXPECT_EQ(Get_UserSelected_SpecialCharacter(), 0x8C);

    ZAVSetClipboardText("Tr\x84ger");
    char buffer[5];
    EXPECT_EQ(ZAVGetClipboardText(buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "Tr\x84g");

    ::setenv("ZAV_USER_UseSheetOkShortKey", "1", 1);
    char setting[21] = "unchanged";
    EXPECT_EQ(ZAVGetUserString("UseSheetOkShortKey", setting, sizeof setting), 1);
    EXPECT_STREQ(setting, "1");
    ::unsetenv("ZAV_USER_UseSheetOkShortKey");
    EXPECT_EQ(ZAVGetUserString("UseSheetOkShortKey", setting, sizeof setting), 0);
}

TEST_F(ScreenSheets, FileNameSheetHasOnePathField)
{
    // The sheet is centred: its field at (72, 230) on this screen, OK at (560, 271).
    Start("click 80 238\ntext \"/tmp/lasten.txt  \"\nkey Enter\n"
          "key Esc\n");
    InitZAVGetFileNameEx("Dateiname", "alle Dateien (*.*)", "C:\\", 0x1009);
    char name[262] = "";
    ASSERT_EQ(ZAVGetFileNameEx(name, sizeof name), 1);
    EXPECT_STREQ(name, "/tmp/lasten.txt");  // trailing blanks removed
    EXPECT_EQ(ZAVGetFileNameEx(name, sizeof name), 0);  // cancelled
    EXPECT_STREQ(name, "/tmp/lasten.txt");
    EXPECT_EQ(screen::Sheet_Count(), 0);
}

TEST_F(ScreenSheets, ChecksRadiosListsAndFramesOfTheFrame)
{
    // A close request while the list is open is asked about at once (the list on the
    // screen); "no" goes on with the list. A click beside the open list closes it and
    // still acts where it lands (the check box).
    Start("click 105 105\nclick 250 106\nclick 110 150\nclose\nclick 110 185\nclick 110 150\nclick 105 105\n");
    static uint32_t under_question = 0;
    ZAVSetCloseFct([]() {
        under_question = Screen_Pixel_For_Tests(150, 175);
        return 0;
    });
    int x1 = -50, y1 = 400, x2 = 250, y2 = 700;
    Set_Prop_Sheet_Screen_Base(2, 2, 630, 470);
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);  // moved into the base, size kept
    EXPECT_EQ(x1, 2);
    EXPECT_EQ(x2, 302);
    EXPECT_EQ(y2, 470);
    EXPECT_EQ(y1, 170);
    Set_Prop_Sheet_Screen_Base(0, 0, 0, 0);

    Define_Prop_Sheet(0, 0, 639, 479, 1, 0, "Elemente", 1, 1);
    int check = 0, choice = 1, index = 7;
    const int box = Add_Logical_Button_to_PS(100, 100, 5, &check, CHBOX_BUTTON_LAYOUT);
    const int radio = Add_Alternativ_Button_to_PS(180, 100, 1, 6, 1, 2, 0, RADIO_BUTTON_LAYOUT, &choice);
    Add_Aligned_Connected_Text_to_Button_of_PS(radio, "Auflagerkonsole", 0x1000, 0, 0);
    const int list = Add_Stringlist_to_PS(100, 140, 10, 2, &index, 8);
    EXPECT_EQ(index, 0);  // out of range: the first entry
    Fill_Stringlist_of_PS(list, 0, "C20/25");
    Fill_Stringlist_of_PS(list, 1, "C30/37");
    Activate_Prop_Sheet();
    EXPECT_EQ(Edit_Prop_Sheet(), 5);
    EXPECT_EQ(check, 1);
    EXPECT_EQ(Edit_Prop_Sheet(), 6);  // through the connected text
    EXPECT_EQ(choice, 2);
    EXPECT_EQ(Edit_Prop_Sheet(), 8);  // opens the list; the next click takes "C30/37"
    EXPECT_EQ(index, 1);
    EXPECT_EQ(Edit_Prop_Sheet(), 8);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(Edit_Prop_Sheet(), 5);
    EXPECT_EQ(check, 0);
    ZAVSetCloseFct(nullptr);
    EXPECT_NE(under_question, 0u);
    EXPECT_NE(under_question, Screen_Pixel_For_Tests(150, 175));
    Change_Activity_PS(box, 0);
    Undefine_Prop_Sheet();
}

TEST_F(ScreenSheets, ScreenshotOfASheetWithAnAreaTextAndBitmap)
{
    Temp_Dir shots;
    ::setenv("ZAV_SHOT_DIR", shots.path().c_str(), 1);
    ::setenv("EXEC", (std::string(CORBEL_SOURCE_DIR) + "/data").c_str(), 1);
    Start("shot sheet.png\nkey Enter\n");
    Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
    pxFgc(GetZAVColor(-1));
    pxRect(0, 0, 639, 479);
    pxDrawPartialTransparentDIB("buttons.bmp", 0, 0, 635, 47, 2, 2, 637, 49, 201, -1, 219, 213, 203);
    Painted painted;
    Add_Scrollable_Area_to_PS(20, 100, 400, 300, 1, 0, 10, 10, Record_Paint, &painted, 3);
    Draw_Funny_Area_to_PS(4, 18, 98, 402, 302, 0);
    Draw_Funny_Text_to_PS(30, 330, "Bewehrung w\xE4hlen", 0x1000, 0, 0);
    Add_Single_Button_to_PS(500, 400, 1, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    Activate_Prop_Sheet();
    EXPECT_EQ(Edit_Prop_Sheet(), 2);
    ::unsetenv("ZAV_SHOT_DIR");
    ::unsetenv("EXEC");

    cairo_surface_t* png = cairo_image_surface_create_from_png(shots.file("sheet.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png));
    const int stride = cairo_image_surface_get_stride(png) / 4;
    auto at = [&](int x, int y) { return data[y * stride + x] & 0xFFFFFFu; };
    EXPECT_EQ(at(600, 200), 0xD4D0C8u);  // the ground
    EXPECT_EQ(at(18, 200), 0x808080u);   // the sunken frame's outer line
    EXPECT_EQ(at(19, 200), 0x404040u);   // and its inner line
    EXPECT_EQ(at(200, 200), 0xFFFBF0u);  // the area, painted by its draw function
    EXPECT_EQ(at(2, 2), 0xD4D0C8u);      // a key pixel of the band shows the ground
    EXPECT_NE(at(300, 35), 0xD4D0C8u);   // the band's title bar
    bool ink = false;
    for (int x = 30; x < 120; ++x) ink = ink || at(x, 326) != 0xD4D0C8u;
    EXPECT_TRUE(ink);                     // the text
    cairo_surface_destroy(png);
}

TEST(ScreenSample, ScriptedRunEndsWithNinetyAndFinalPng)
{
    Temp_Dir dir;
    const std::string exe = std::string(CORBEL_EXE);
    const std::string sample = exe.substr(0, exe.rfind('/')) + "/screen_sample";
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "move 300 300\r\nwheel -3\r\nclick 110 30\r\nshot mitte.png\r\n"));
    const Run_Result r = Run_Program(sample, {}, dir.path(),
                                     {"EXEC=" + std::string(CORBEL_SOURCE_DIR) + "/data", "ZAV_SCRIPT=s.txt",
                                      "ZAV_SHOT_DIR=" + dir.path(), "ZAV_SCREEN", "ZAV_SCREEN_SIZE=800x600"});
    EXPECT_EQ(r.exit_code, 90) << r.err;
    EXPECT_TRUE(File_Exists(dir.file("final.png")));
    EXPECT_TRUE(File_Exists(dir.file("mitte.png")));
}

int ticks_a = 0, ticks_b = 0;

TEST_F(ScreenSheets, PeriodicCallbacksAreInstalledInTheOpenSheet)
{
    Start("wait 250\nkey Esc\nwait 250\nkey Esc\nwait 250\nkey Esc\n");
    Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
    Add_Single_Button_to_PS(10, 440, 0, 9, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Activate_Prop_Sheet();
    Push_Periodic_Callback([] { ++ticks_a; });
    Push_Periodic_Callback([] { ++ticks_b; });
    EXPECT_EQ(Edit_Prop_Sheet(), 9);
    EXPECT_EQ(ticks_a, 0);
    EXPECT_GT(ticks_b, 0);
    Pop_Periodic_Callback();  // the caller's callback comes back
    EXPECT_EQ(Edit_Prop_Sheet(), 9);
    EXPECT_GT(ticks_a, 0);
    Suspend_Periodic_Callback();
    const int a = ticks_a, b = ticks_b;
    EXPECT_EQ(Edit_Prop_Sheet(), 9);
    EXPECT_EQ(ticks_a + ticks_b, a + b);
    Clear_Periodic_Callbacks();
    Undefine_Prop_Sheet();
}

using ScreenSheetsDeathTest = ScreenSheets;

TEST_F(ScreenSheetsDeathTest, ClosingTheFrameEndsTheProcessWhenTheCallbackAgrees)
{
    EXPECT_EXIT(
        {
            Start("close\n");
            ZAVSetCloseFct([] { return 32768; });
            Define_Prop_Sheet(0, 0, 639, 479, 0, 0, "", 1, 1);
            Activate_Prop_Sheet();
            Edit_Prop_Sheet();
            std::exit(5);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
