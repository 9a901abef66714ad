// A sample sheet of the screen library: the main sheet's ground with its header band, a
// register of three pages, a scrollable area with both sliders, a few fields and buttons.
// Headless (the default) it follows the script in ZAV_SCRIPT and ends with exit code 90
// and final.png when the script runs out; with ZAV_SCREEN=window it opens a window.
//
// Usage: EXEC=data screen_sample
#include "platform/messages.h"
#include "platform/screen/screen.h"

#include <cstdio>
#include <string>

namespace {

int page = 1;
double number = 12.5;
int check = 1;
int choice = 2;
int list_index = 1;
char text[41] = "Konsole am Auflager                     ";

void Draw_Page(int, int sx, int sy, int left, int top, int right, int bottom, void*)
{
    const int state = pxBuff(-1);
    pxView(left, top, right, bottom);
    pxFgc(Nearest_RGB_Color(255, 251, 240));
    pxRect(left, top, right, bottom);
    Pop_RFont(0x1000);
    for (int row = 0; row < 60; ++row) {
        char line[80];
        std::snprintf(line, sizeof line, "Seite %d, Zeile %d: Tr\x84gerkonsole \x8C 12 mm, \xF3 100 N/mm\xFD", page,
                      row + 1);
        pxFgc(row % 5 == 0 ? Nearest_RGB_Color(128, 64, 0) : 0);
        pxText(left + 20 - sx, top + 30 + 22 * row - sy, line, -1);
    }
    Push_RFont();
    pxDrawPartialTransparentDIB("Buttons.bmp", 1, 51, 436, 201, left + 520 - sx, top + 20 - sy, left + 955 - sx,
                                top + 170 - sy, 201, -1, 192, 192, 192);
    pxBuff(state);
}

} // namespace

int main()
{
    Init_RFont();
    Init_Grafik_Mode();
    Init_Prop_Sheets();
    ZAVSetFrameTitle("Position 1: Beispielblatt");
    const int X = NPIXEL_X, Y = NPIXEL_Y;
    Init_Mouse_Move_Restriction(0, 0, X - 1, Y - 1);
    Init_Mouse_Position(X / 2, Y / 2);
    Set_Prop_Sheet_Screen_Base(2, 2, X - 10, Y - 10);

    Set_NoFrameFlag_to_Next_PropSheet();
    Define_Prop_Sheet(0, 0, X - 1, Y - 1, 0, 0, "", 120, 1);
    pxFgc(GetZAVColor(-1));
    pxRect(0, 0, X - 1, Y - 1);
    pxDrawPartialTransparentDIB("buttons.bmp", 0, 0, 635, 47, 6, 7, 641, 54, 201, -1, 219, 213, 203);
    const int reg = Add_Register_to_PS(4, 6, X - 6, Y - 6, 50);
    Add_Member_to_Register(reg, 4, 74, 1, 10001);
    Add_Member_to_Register(reg, 75, 145, 1, 10002);
    Add_Member_to_Register(reg, 146, 216, 1, 10003);
    Set_Selected_Register_Member(reg, 10001);
    const int bar = Add_Escape_Area_to_PS(X - 321, 3, X - 6, 42, 1, 1);
    Set_Escape_Area_to_MouseMoveEvent(bar, 1);
    const int area = Add_Scrollable_Area_to_PS(9, 55, X - 14 - 17 - 200, Y - 14 - 17 - 60, 1, 0, 10, 10, Draw_Page,
                                               nullptr, 100);
    const int vs = Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
    Set_VSlider_Speed(vs, 0.1, 0.0);
    Add_HSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
    Resize_Origin_of_Scrollable_Area_PS(area, 1100, 60 * 22 + 40);

    const int fx = X - 200;
    Draw_Funny_Text_to_PS(fx, 80, "Zahl", 0x1000, 0, 0);
    Add_Float_to_PS(fx, 88, 8, "%.2lf", &number, 11);
    const int box = Add_Logical_Button_to_PS(fx, 124, 12, &check, CHBOX_BUTTON_LAYOUT);
    Add_Aligned_Connected_Text_to_Button_of_PS(box, "Bewehrung w\xE4hlen", 0x1000, 0, 0);
    for (int k = 0; k < 3; ++k) {
        const int r = Add_Alternativ_Button_to_PS(fx, 150 + 20 * k, 1, 13, 1, k + 1, 0, RADIO_BUTTON_LAYOUT, &choice);
        static const char* const labels[] = {"Lastkonsole", "Auflagerkonsole", "frei"};
        Add_Aligned_Connected_Text_to_Button_of_PS(r, labels[k], 0x1000, 0, 0);
    }
    const int list = Add_Stringlist_to_PS(fx, 220, 12, 3, &list_index, 14);
    Fill_Stringlist_of_PS(list, 0, "C20/25");
    Fill_Stringlist_of_PS(list, 1, "C30/37");
    Fill_Stringlist_of_PS(list, 2, "C35/45");
    Add_String_to_PS(fx, 250, 14, text, 40, 15);
    Draw_Funny_Area_to_PS(4, fx - 6, 70, X - 12, 280, 0);
    Add_Single_Button_to_PS(fx, Y - 60, 1, 7, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS(fx + 60, Y - 60, "BEISPIEL");
    const int ok = Add_Single_Button_to_PS(fx + 120, Y - 60, 1, 8, nullptr, SYMBOLIC_OK_RASTER, 0);
    Set_Comment_to_Button_PS(ok, "best\xE4tigen");
    Activate_Prop_Sheet();

    for (;;) {
        const int r = Edit_Prop_Sheet();
        if (r >= 10001 && r <= 10003) {
            page = r - 10000;
            Set_Selected_Register_Member(reg, r);
            Change_Activity_PS(area, 1);
        } else if (r == 7) {
            Init_Message();
            Fill_Message("Beispiel beenden?");
            if (Answer_is_Yes(1)) break;
        } else if (r == 8) {
            PrintMessage("Eingaben \xFC" "bernommen.");
        }
    }
    Undefine_Prop_Sheet();
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return 0;
}
