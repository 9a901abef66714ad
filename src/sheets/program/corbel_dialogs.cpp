#include "sheets/program/corbel_dialogs.h"

#include "base/component_files.h"
#include "base/run_globals.h"
#include "platform/environment.h"
#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr int FONT_NORMAL = 0x1000;
constexpr int FONT_SECOND = 0x1002;
constexpr int FONT_BOLD = 0x11000;
constexpr int HAND_CURSOR = 18;

// Room of one protocol piece: lines are read in pieces of at most 199 characters.
constexpr int PROTOCOL_PIECE = 200;

int Key_Colour()
{
    return Nearest_RGB_Color(255, 255, 255);
}

// The pointer cell of the labelled buttons: a click stores the flag's address here, and
// the button owning that flag raises it when it is composed next.
void* clicked_button_flag = nullptr;

// The up/down buttons' clicks, one cell per result word (node addresses stay put).
std::map<int*, int> up_down_cells;


// The content area of a box below its title (with a slider when it does not fit), its
// escape area answering 20, the sheet shown and the pointer on the button.
struct Box_Area {
    int area = -1;
    int escape = -1;
};

Box_Area Open_Box_Area(int x1, int y1, int content_w, int content_h, bool slider, int pointer_button)
{
    const int ax1 = x1 + 10, ay1 = y1 + 40;
    const int ax2 = ax1 + content_w + (slider ? 17 : 0), ay2 = ay1 + content_h;
    Box_Area b;
    b.area = Area_Create(ax1, ay1, ax2, ay2, 0, slider ? 1 : 0);
    b.escape = Add_Escape_Area_to_PS(ax1, ay1, ax2, ay2, 1, 20);
    Set_Escape_Area_to_MouseMoveEvent(b.escape, 1);
    Activate_Prop_Sheet();
    Move_Mouse_Cursor_to_Button_of_PS(pointer_button, 10, 10);
    return b;
}

// Shows the newly composed content and answers the sheet's next code; an event in the
// area (20) is handled here.
int Show_And_Wait(const Box_Area& b)
{
    Area_Set_Activity(b.area, 1);
    Area_Update(b.area);
    Change_Activity_PS(b.escape, 1);
    const int code = Edit_Prop_Sheet();
    if (code == 20) Area_Handle_Event(b.area);
    return code;
}

void Close_Box(Sheet_Centre& centre, int x1, int y1, int x2, int y2, const Box_Area& b)
{
    centre.Remember(x1, y1, x2, y2);
    Area_Delete(b.area);
    Undefine_Prop_Sheet();
}

Sheet_Centre end_dialog_centre;
Sheet_Centre query_box_centre;

void Take_Click(int* pressed)
{
    if (pressed && clicked_button_flag == pressed) {
        *pressed = 1;
        clicked_button_flag = nullptr;
    }
}

void Labelled_Button(int area, const char* bitmap, int x, int y, int* pressed, const char* label, bool show_label)
{
    Take_Click(pressed);
    Area_Add_Bitmap(area, bitmap, x - 20, y - 9, x - 7, y + 4, Key_Colour());
    int right = x - 7;
    if (show_label) {
        Area_Add_Text(area, x, y, label, FONT_NORMAL, BLACK_CI, 0);
        right = x + 6 * static_cast<int>(std::strlen(label));
    }
    Area_Add_Click_Cell_Ptr(area, x - 20, y - 9, right, y + 4, pressed, &clicked_button_flag);
    Area_Set_Click_Cursor(area, HAND_CURSOR);
    if (show_label) Area_Set_Click_Tip(area, label, FONT_NORMAL, BLACK_CI, 0);
}

} // namespace

double* Clamp_Non_Negative(double* value)
{
    if (value && *value < 0.0) *value = 0.0;
    return value;
}

double* Clamp_At_Least_One(double* value)
{
    if (value && *value < 1.0) *value = 1.0;
    return value;
}

double* Clamp_Unit_Interval(double* value)
{
    if (!value) return value;
    if (*value < 0.0) *value = 0.0;
    if (*value > 1.0) *value = 1.0;
    return value;
}

double* Clamp_Absolute(double* value)
{
    if (value && *value < 0.0) *value = std::fabs(*value);
    return value;
}

void Draw_Action_Button(int area, int x, int y, int* pressed, const char* label, int no_label)
{
    Labelled_Button(area, "act_but.bmp", x, y, pressed, label, label && *label && !no_label);
}

void Draw_Work_Button(int area, int x, int y, int* pressed, const char* label)
{
    Labelled_Button(area, "work_but.bmp", x, y, pressed, label, label && *label);
}

void Draw_Click_Cell(int area, int x0, int y0, int x1, int y1, int* pressed, const char* tip)
{
    Take_Click(pressed);
    Area_Add_Click_Cell_Ptr(area, x0, y0, x1, y1, pressed, &clicked_button_flag);
    Area_Set_Click_Cursor(area, HAND_CURSOR);
    if (tip && *tip) Area_Set_Click_Tip(area, tip, FONT_NORMAL, BLACK_CI, 0);
}

void Draw_Up_Down_Button(int area, int x, int y, int* result)
{
    if (!result) return;
    int& cell = up_down_cells[result];
    if (cell) {
        *result = cell;
        cell = 0;
    }
    Area_Add_Bitmap(area, "updown_but.bmp", x, y - 12, x + 15, y + 5, Key_Colour());
    Area_Add_Click_Cell(area, x, y - 12, x + 15, y - 3, 1, &cell);
    Area_Set_Click_Cursor(area, HAND_CURSOR);
    Area_Add_Click_Cell(area, x, y - 2, x + 15, y + 5, 2, &cell);
    Area_Set_Click_Cursor(area, HAND_CURSOR);
}

void Reset_Dialog_State()
{
    end_dialog_centre = Sheet_Centre{};
    query_box_centre = Sheet_Centre{};
    clicked_button_flag = nullptr;
    up_down_cells.clear();
}

int Ask_End_Of_Editing()
{
    const bool three = CurOb_Application_Number() == 166;
    const int W = std::min(NPIXEL_X, 280);
    int box_w = W - 20;
    int box_h = three ? 195 : 155;
    int content_w = W - 40;
    int content_h = three ? 110 : 70;
    bool slider = false;
    if (NPIXEL_Y - 104 <= content_h) {
        slider = true;
        box_h = NPIXEL_Y - 20;
        content_h = NPIXEL_Y - 105;
        content_w = W - 57;
    }
    end_dialog_centre.Ensure();
    int x1 = end_dialog_centre.x - box_w / 2;
    int y1 = end_dialog_centre.y - (slider ? box_h / 2 : (three ? 97 : 77));
    int x2 = x1 + box_w - 1, y2 = y1 + box_h - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);

    Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, "BEARBEITUNG BEENDEN", 40, 1);
    Add_Single_Button_to_PS(x1 + 30, y2 - 28, 1, 1, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    const int ok = Add_Single_Button_to_PS(x2 - 50, y2 - 28, 1, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    const Box_Area box = Open_Box_Area(x1, y1, content_w, content_h, slider, ok);
    const int area = box.area;

    int choice = 1;
    int editable = 1;
    int result = -1;
    for (;;) {
        Area_Clear(area);
        Area_Add_Text(area, 20, 20, "Bearbeitungszustand", FONT_BOLD, BLACK_CI, 0);
        if (three) {
            Area_Add_Radio_Button(area, 40, 38, "berechnen und speichern", FONT_NORMAL, BLACK_CI, 1, &choice,
                                  &editable);
            Area_Add_Text(area, 40, 50, "(Aktualisierung der Druckliste)", FONT_SECOND, BLACK_CI, 0);
            Area_Add_Radio_Button(area, 40, 68, "speichern ohne zu rechnen", FONT_NORMAL, BLACK_CI, 2, &choice,
                                  &editable);
            Area_Add_Text(area, 40, 80, "(Druckliste wird nicht neu erstellt)", FONT_SECOND, BLACK_CI, 0);
            Area_Add_Radio_Button(area, 40, 98, "nicht speichern", FONT_NORMAL, BLACK_CI, 0, &choice, &editable);
        } else {
            Area_Add_Radio_Button(area, 40, 38, "speichern und beenden", FONT_NORMAL, BLACK_CI, 1, &choice,
                                  &editable);
            Area_Add_Radio_Button(area, 40, 56, "beenden ohne zu speichern", FONT_NORMAL, BLACK_CI, 0, &choice,
                                  &editable);
        }
        const int code = Show_And_Wait(box);
        if (code == 2) {
            result = choice;
            break;
        }
        if (code == 1) break;
    }
    Close_Box(end_dialog_centre, x1, y1, x2, y2, box);
    return result;
}

int Show_Query_Box(int mode, int width, int height, const char* help_key, void* data, Query_Box_Callback draw)
{
    int content_w = std::min(width, NPIXEL_X - 40);
    int content_h = height;
    bool slider = false;
    if (NPIXEL_Y - 104 <= height) {
        slider = true;
        content_h = NPIXEL_Y - 105;
        content_w -= 17;
    }
    const int box_w = content_w + 20 + (slider ? 17 : 0);
    const int box_h = content_h + 85;
    query_box_centre.Ensure();
    int x1 = query_box_centre.x - box_w / 2, y1 = query_box_centre.y - box_h / 2;
    int x2 = x1 + box_w - 1, y2 = y1 + box_h - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);

    Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, mode < 0 ? "Info" : "Nachfrage", 40, 1);
    const int brk = Add_Single_Button_to_PS(x1 + 30, y2 - 28, 1, 1, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    int ok = -1;
    if (mode == 0 || mode == 1) ok = Add_Single_Button_to_PS(x2 - 50, y2 - 28, 1, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    if (help_key && *help_key) Add_Help_to_PS((x1 + x2) / 2 - 10, y2 - 28, help_key);
    const Box_Area box = Open_Box_Area(x1, y1, content_w, content_h, slider, mode == 1 ? ok : brk);
    const int area = box.area;

    int result = 0;
    for (;;) {
        Area_Clear(area);
        int y = 20;
        if (draw) draw(area, 20, &y, data);
        const int code = Show_And_Wait(box);
        if (code == 2 && ok >= 0) {
            result = 1;
            break;
        }
        if (code == 1) break;
    }
    Close_Box(query_box_centre, x1, y1, x2, y2, box);
    return result;
}

const char* Get_File_Id_Suffix()
{
    static char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%02d", file_id);
    return suffix;
}

FILE* Open_Export_Info_File(int remove, int read)
{
    const std::string name = std::string(Get_File_Id_Suffix()) + ".EXP";
    if (remove) {
        Remove_Component_File(name.c_str());
        return nullptr;
    }
    return Open_Component_File(name.c_str(), read ? "r" : "a+");
}

int Count_Export_Info_Lines()
{
    FILE* f = Open_Export_Info_File(0, 1);
    if (!f) return 0;
    char piece[PROTOCOL_PIECE];
    int n = 0;
    while (std::fgets(piece, sizeof piece, f))
        if (piece[0] != '\0') ++n;
    std::fclose(f);
    return n;
}

int* Draw_Export_Info_Lines(int area, int x, int* y, void*)
{
    FILE* f = Open_Export_Info_File(0, 1);
    if (!f) return y;
    Area_Add_Text(area, x, *y, "Schnittgr\x94\xE1" "enimport: Informationen zum exportierenden Bauteil:", FONT_NORMAL,
                  BLACK_CI, 0);
    *y += 22;
    char piece[PROTOCOL_PIECE];
    while (std::fgets(piece, sizeof piece, f)) {
        if (piece[0] != '\0') {
            // Only the line end goes: a last line without one, and the pieces of a long
            // line, keep every character.
            size_t n = std::strlen(piece);
            while (n > 0 && (piece[n - 1] == '\n' || piece[n - 1] == '\r')) piece[--n] = '\0';
            Area_Add_Text(area, x, *y, piece, FONT_NORMAL, BLACK_CI, 0);
        }
        *y += 18;
    }
    std::fclose(f);
    return y;
}
