#include "sheets/annex/nad_selection_sheet.h"

#include "annex/nad_choice.h"
#include "annex/nad_selection.h"
#include "annex/nad_set.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheet_images.h"
#include "sheets/annex/nad_editor.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace {

const char* const FLAG_BITMAP = "NAD\\EuroFlags.bmp";
const char* const BUTTON_BITMAP = "NAD\\Buttons.bmp";

constexpr int ROW_PITCH = 25;
constexpr int CODE_CANCEL = 3;
constexpr int CODE_OK = 2;
constexpr int CODE_LIST = 1;
constexpr int CODE_STRIP = 4;

Sheet_Centre selection_centre, warning_centre;

// A click on a list row stores the row here; the next drawing of the list chooses it.
int pending_row = -1;
int editor_request = 0;
int active_word = 1;
int inactive_word = 0;

void Draw_Flag_Cell(int x1, int y1, void* data)
{
    NAD_Draw_List_Flag(x1, y1, x1 + 25, y1 + 18, static_cast<const int*>(data));
}

void Draw_Flag_Callback(int x1, int y1, int, int, void* data) { Draw_Flag_Cell(x1, y1, data); }

void Draw_List(int area)
{
    if (pending_row >= 0 && pending_row < nad_list_count) active_nad_name = nad_list_names[pending_row];
    pending_row = -1;

    static int builtin_colour = -1;
    if (builtin_colour < 0) builtin_colour = Nearest_RGB_Color(0, 100, 150);

    Area_Clear(area);
    int chosen = -1;
    for (int k = 0; k < nad_list_count; ++k) {
        const int y = 5 + ROW_PITCH * k;
        if (nad_list_names[k] == active_nad_name) {
            chosen = k;
            Area_Add_Box(area, 2, y - 1, 240, y + 23, BLACK_CI);
            Area_Add_Box(area, 3, y, 239, y + 22, WHITE_CI);
        }
    }
    for (int k = 0; k < nad_list_count; ++k) {
        const int y = 5 + ROW_PITCH * k;
        Area_Add_Custom(area, 5, y + 2, 220, y + 27, &nad_list_codes[k], Draw_Flag_Callback);
        const std::string shown = NAD_Shorten_List_Name(nad_list_names[k]);
        Area_Add_Text(area, 37, y + 14, shown.c_str(), NAD_LIST_FONT, k < 2 ? builtin_colour : BLACK_CI, 0);
        Area_Add_Click_Cell(area, 2, y - 1, 220, y + 23, k, &pending_row);
    }
    // Files that repeat a listed name, in grey with their file and no click cell: the
    // name stands for the annex above.
    static int duplicate_colour = -1;
    if (duplicate_colour < 0) duplicate_colour = Nearest_RGB_Color(128, 128, 128);
    const int rows = nad_list_count + static_cast<int>(nad_list_duplicates.size());
    for (int k = nad_list_count; k < rows; ++k) {
        NAD_List_Duplicate& d = nad_list_duplicates[static_cast<size_t>(k - nad_list_count)];
        const int y = 5 + ROW_PITCH * k;
        Area_Add_Custom(area, 5, y + 2, 220, y + 27, &d.code, Draw_Flag_Callback);
        const std::string note = " (doppelt: " + std::to_string(d.file_number) + ".NAD)";
        const std::string shown = NAD_Shorten_List_Name(d.name, NAD_LIST_NAME_WIDTH - NAD_List_Name_Width(note)) + note;
        Area_Add_Text(area, 37, y + 14, shown.c_str(), NAD_LIST_FONT, duplicate_colour, 0);
    }

    // Show the chosen row with 35 pixels around it, scrolling no more than needed.
    int w = 0, h = 0, sx = 0, sy = 0;
    Area_Get_Size(area, &w, &h);
    Area_Query_Scroll(area, &sx, &sy);
    const int content_height = 5 + ROW_PITCH * rows + 5;
    if (chosen >= 0) {
        const int bottom = 5 + ROW_PITCH * chosen + 23;
        const int band_top = bottom - 35, band_bottom = bottom + 35;
        if (band_top < sy) sy = band_top;
        if (band_bottom > sy + h) sy = band_bottom - h;
    }
    sy = std::clamp(sy, 0, std::max(0, content_height - h));
    scroll_areas[area].scroll_y = sy;
    Area_Update(area);
}

void Draw_Strip(int area)
{
    Area_Clear(area);
    Area_Add_Text(area, 3, 13, "Auswahl:", 0x1000, BLACK_CI, 0);
    Area_Add_Bitmap_Button(area, 188, 4, 42, 8, BUTTON_BITMAP, 577, -1, 0, nullptr, 0, nullptr, &inactive_word);
    // The button's picture lies below DATA: without it there is no button, and a click on
    // its place starts nothing.
    const int key = Nearest_RGB_Color(212, 208, 200);
    if (ZAVGetEnv("DATA"))
        Area_Add_Bitmap_Button(area, 236, 0, NAD_EDITOR_BUTTON_WIDTH, NAD_EDITOR_BUTTON_HEIGHT, BUTTON_BITMAP,
                               NAD_EDITOR_BUTTON_ROW, key, 18, "Anwendungs-\ndokumente\nbearbeiten", 1,
                               &editor_request, &active_word);
    Area_Update(area);
}

void Say(std::initializer_list<std::string> lines)
{
    Init_Message();
    Set_Message_Title("Nationale Anwendungsdokumente");
    for (const std::string& line : lines) Fill_Message(line.c_str());
    Draw_Message();
}

// Says that the chosen annex is no longer in the list (its file was deleted or damaged
// meanwhile): no row is marked, and OK waits for a row to be chosen.
void Say_If_Gone(const std::string& name)
{
    if (NAD_List_Index(name) < 0)
        Say({"Das gew\xE4hlte Anwendungsdokument \"" + name + "\" gibt es nicht mehr.",
             "Bitte w\xE4hlen Sie eines aus der Liste."});
}

// A chosen annex whose file was refused is not in force: the values of the built-in one
// that stands in are. The choice follows them, so that the list marks the annex in force
// and the position names it.
void Follow_Values_In_Force()
{
    const std::string in_force = NAD_Get_Active_Name();
    if (in_force != active_nad_name && NAD_List_Index(in_force) >= 0) active_nad_name = in_force;
}

} // namespace

int NAD_Draw_List_Flag(int x1, int y1, int, int, const int* code)
{
    if (!ZAVGetEnv("DATA") || !code) return 0;
    NAD_Draw_Flag(x1, y1, x1 + 25, y1 + 18, 201, *code);
    return 1;
}

void NAD_Draw_Active_Flag(int x, int y)
{
    const int code = active_nad_code;
    NAD_Draw_List_Flag(x, y, x + 25, y + 18, &code);
}

void NAD_Draw_Active_Flag_Alt(int x, int y) { NAD_Draw_Active_Flag(x, y); }

void NAD_Draw_Flag(int x1, int y1, int x2, int y2, int mode, int code)
{
    const NAD_Flag_Rect r = NAD_Flag_Source_Rect(code);
    pxDrawPartialTransparentDIB(FLAG_BITMAP, r.x1, r.y1, r.x2, r.y2, x1, y1, x2, y2, mode, -1, 255, 251, 240);
}

void NAD_Run_Selection_Sheet()
{
    NAD_Build_List();
    Follow_Values_In_Force();
    std::string kept = active_nad_name;
    if (!Get_Screen_State().graphics_on) {
        NAD_Apply_Active();
        return;
    }

    selection_centre.Ensure();
    int x1 = selection_centre.x - 145, x2 = selection_centre.x + 145;
    int y1 = selection_centre.y - 145, y2 = selection_centre.y + 144;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Nationale Anwendungsdokumente", 10, 1);
    const int cancel = Add_Single_Button_to_PS(x1 + 16, y1 + 261, 0, CODE_CANCEL, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS(x1 + 133, y1 + 261, "NAD_SELECTION_SHEET");
    Add_Single_Button_to_PS(x1 + 250, y1 + 261, 0, CODE_OK, nullptr, SYMBOLIC_OK_RASTER, 0);
    const int list = Area_Create(x1 + 12, y1 + 60, x1 + 275, y2 - 37, 0, 1);
    const int strip = Area_Create(x1 + 12, y1 + 35, x1 + 275, y1 + 50, 0, 0);
    if (list < 0 || strip < 0) {
        Area_Delete(list);
        Area_Delete(strip);
        Undefine_Prop_Sheet();
        NAD_Apply_Active();
        return;
    }
    Area_Set_Background(strip, ZAV_COLOUR_FACE);
    Area_Set_Frame_Flag(strip, 0);
    const int strip_events = Add_Escape_Area_to_PS(x1 + 12, y1 + 35, x1 + 275, y1 + 50, 1, CODE_STRIP);
    Set_Escape_Area_to_MouseMoveEvent(strip_events, 1);
    Activate_Prop_Sheet();

    pending_row = -1;
    editor_request = 0;
    Draw_Strip(strip);
    Draw_List(list);
    NAD_Tell_Left_Out_Files();
    Say_If_Gone(active_nad_name);
    Move_Mouse_Cursor_to_Button_of_PS(cancel, 0, 0);

    int result = 0;
    while (result == 0) {
        const int code = Edit_Prop_Sheet();
        if (code == CODE_LIST) {
            if (Area_Handle_Event(list) && pending_row >= 0) Draw_List(list);
        } else if (code == CODE_STRIP) {
            Area_Handle_Event(strip);
            if (editor_request) {
                // The editor may rename the annex: the choice, and the annex to go back
                // to on cancel, follow their files.
                const int chosen_file = NAD_List_File_Number(active_nad_name);
                const int kept_file = NAD_List_File_Number(kept);
                NAD_Run_Editor_Program(NAD_Editor_Program(), active_nad_name.c_str());
                NAD_Build_List();
                NAD_Follow_List_Entry(active_nad_name, chosen_file);
                NAD_Follow_List_Entry(kept, kept_file);
                Draw_List(list);
                NAD_Tell_Left_Out_Files();
                Say_If_Gone(active_nad_name);
                editor_request = 0;
            }
        } else if (code == CODE_OK) {
            if (NAD_List_Index(active_nad_name) >= 0)
                result = code;
            else
                Say({"Bitte w\xE4hlen Sie ein Anwendungsdokument aus der Liste."});
        } else if (code == CODE_CANCEL) {
            result = code;
        } else if (code == 0) {
            result = CODE_CANCEL;
        }
    }

    selection_centre.Follow_Move();
    Area_Delete(strip);
    Area_Delete(list);
    Undefine_Prop_Sheet();
    if (result == CODE_CANCEL) active_nad_name = kept;
    const std::string chosen = active_nad_name;
    NAD_Apply_Active();
    if (active_nad_name != chosen)
        Say({"Das Anwendungsdokument \"" + chosen + "\" gibt es nicht mehr;",
             "es gilt \"" + active_nad_name + "\"."});
    Follow_Values_In_Force();
}

int NAD_Run_Warning_Sheet(const char* stored_name, const char* name_in_force)
{
    if (!Get_Screen_State().graphics_on) return NAD_Show_Name_Warning(stored_name, name_in_force);
    warning_centre.Ensure();
    int x1 = warning_centre.x - 130, x2 = warning_centre.x + 129;
    int y1 = warning_centre.y - 112, y2 = warning_centre.y + 111;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Warnung", 10, 1);
    // The sheet's own OK, in its title bar.
    Add_Single_Button_to_PS(x2 - 32, y1 + 1, 0, CODE_OK, "OK", nullptr, 0);
    const int area = Area_Create(x1 + 10, y1 + 40, x2 - 10, y2 - 10, 0, 0);
    if (area < 0) {
        Undefine_Prop_Sheet();
        return 0;
    }
    Activate_Prop_Sheet();

    const int font = 3 | 0x40000;
    const int yellow = Nearest_RGB_Color(232, 232, 0);
    int request = 0;
    Area_Clear(area);
    Area_Add_Text(area, 10, 20, "Das mit dem Programm verkn\x81pfte NAD", font, BLACK_CI, 0);
    Area_Add_Box(area, 10, 27, 230, 42, yellow);
    Area_Add_Text(area, 14, 38, stored_name ? stored_name : "", 3 | 0x10000, BLACK_CI, 0);
    Area_Add_Text(area, 10, 56, "kann nicht gefunden werden.", font, BLACK_CI, 0);
    Area_Add_Text(area, 10, 79, "Um die Stabilit\x84t des Programms zu", font, BLACK_CI, 0);
    Area_Add_Text(area, 10, 95, "gew\x84hrleisten, wird auf das NAD", font, BLACK_CI, 0);
    Area_Add_Box(area, 10, 102, 230, 117, yellow);
    Area_Add_Text(area, 14, 113, name_in_force ? name_in_force : "", 3 | 0x10000, BLACK_CI, 0);
    Area_Add_Text(area, 10, 131, "umgeschaltet. Wenn Sie dies", font, BLACK_CI, 0);
    Area_Add_Text(area, 10, 147, "nicht w\x81nschen, w\x84hlen Sie", font, BLACK_CI, 0);
    Area_Add_Text(area, 10, 163, "bitte ein anderes NAD aus.", font, BLACK_CI, 0);
    Area_Add_Bitmap_Button(area, 173, 124, 40, 41, BUTTON_BITMAP, 598, -1, 18, "Anwendungs-\ndokument\nausw\x84hlen", 1,
                           &request, &active_word);
    Area_Update(area);

    for (;;) {
        const int code = Edit_Prop_Sheet();
        if (code == CODE_OK || code == 0) break;
        if (code == CODE_LIST) {
            Area_Handle_Event(area);
            if (request) break;
        }
    }
    warning_centre.Follow_Move();
    Area_Delete(area);
    Undefine_Prop_Sheet();
    return request ? 1 : 0;
}

void Register_Annex_Sheets()
{
    NAD_Set_Warning_Hook(NAD_Run_Warning_Sheet);
    NAD_Set_Selection_Hook(NAD_Run_Selection_Sheet);
}
