#include "sheets/program/print_options_sheet.h"

#include "base/alloc.h"
#include "sheets/program/corbel_dialogs.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "sheets/report/print_options_sheet.h"
#include "toolkit/scroll_area.h"
#include "toolkit/user_comment_sheet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const REMARKS_TAG = "ec2_oliprops";

Print_Options_Sheet_State sheet_state;
Sheet_Centre centre;

// The editable word of every item of the sheet.
int editable_on = 1;

// Choosing detail level 5 ("Lastkombination detailliert: Nr.") means a numbered combination.
void On_Detail_Level(int level)
{
    if (level == 5) sheet_state.mode = 2;
}

// The combination number: at least 1, and a number beyond the load table is refused
// (the report would show no combination in detail) with the numbers there are.
double* Check_Combination_Number(double* value)
{
    Clamp_At_Least_One(value);
    const int n = sheet_state.combinations;
    if (n < 1 || *value < n + 0.5) return value;
    const double old_value = std::min(Area_Value_Before_Edit(), static_cast<double>(n));
    char text[200];
    std::snprintf(text, sizeof text,
                  "Die Lastkombination Nr. %.0f gibt es nicht:\n"
                  "die Tabelle hat %d Lastkombination%s (Nr. 1 bis %d).\n"
                  "Es bleibt Nr. %.0f.",
                  *value, n, n == 1 ? "" : "en", n, std::max(old_value, 1.0));
    PrintMessage(text);
    *value = std::max(old_value, 1.0);
    return value;
}

char* New_Remarks(const char* text)
{
    const size_t n = std::strlen(text);
    auto* copy = static_cast<char*>(Mem_Calloc(__FILE__, __LINE__, REMARKS_TAG, static_cast<uint32_t>(n + 1), 1));
    if (!copy) Abort_Out_Of_Memory();
    std::memcpy(copy, text, n);
    return copy;
}

} // namespace

Print_Options_Sheet_State& Print_Options_Sheet() { return sheet_state; }

void Print_Options_Choice_From_Record(const EC2_Print_Options* record)
{
    const int choice = record->switches[EC2_PRINT_DETAIL_CASE];
    if (choice < 0) {
        sheet_state.mode = 2;
        sheet_state.number = -choice;
    } else {
        sheet_state.mode = choice != 0 ? 1 : 0;
        if (sheet_state.number < 0.1) sheet_state.number = 1.0;
    }
}

void Print_Options_Choice_To_Record(EC2_Print_Options* record)
{
    int& choice = record->switches[EC2_PRINT_DETAIL_CASE];
    if (sheet_state.mode == 1) choice = 1;
    else if (sheet_state.mode == 0) choice = 0;
    else choice = -static_cast<int>(sheet_state.number + 0.1);
}

int Edit_Print_Remarks(EC2_Print_Options* record)
{
    int result = 0;
    if (sheet_state.remarks_request) {
        Print_Options_Choice_To_Record(record);
        char* copy = New_Remarks(record->remarks ? record->remarks : "");
        if (record->remarks) Mem_Free(__FILE__, __LINE__, REMARKS_TAG, record->remarks);
        record->remarks = nullptr;
        char* edited = Edit_User_Comment(copy, "Vorbemerkungen");
        if (edited && std::strlen(edited) >= 5) record->remarks = New_Remarks(edited);
        if (edited) MEM_FREE(edited);
        Print_Options_Choice_From_Record(record);
        sheet_state.remarks_request = 0;
        result = 1;
    }
    sheet_state.remarks_lines = Remark_Line_Count(record->remarks, Wrap_Print_Remarks(record->remarks));
    return result;
}

void Build_Print_Options_Sheet(EC2_Print_Options* record, int area)
{
    int* s = record->switches;
    const int band = Nearest_RGB_Color(203, 248, 235);
    const int font = 0x1000;
    const int bold = 0x11000;
    const bool max_sign = CurOb_Application_Number() == 125 || CurOb_Application_Number() == 126;
    const char* governing = max_sign ? "ma\xE1gebende Lastkombination (max \xCB)" : "ma\xE1gebende Lastkombination";
    const char* governing_detail = max_sign ? "ma\xE1gebende Lastkombination (max \xCB) detailliert"
                                            : "ma\xE1gebende Lastkombination detailliert";
    const char* numbered = "Lastkombination detailliert: Nr.";

    Area_Clear(area);
    Area_Add_Box(area, 10, 5, 350, 25, band);
    Area_Add_Text(area, 35, 20, "Eingabeprotokoll", bold, BLACK_CI, 0);

    Area_Add_Box(area, 30, 33, 50, 52, band);
    Draw_Action_Button(area, 55, 47, &sheet_state.remarks_request, "Vorbemerkungen", 0);
    // The switches' indices are those of the steel programs' sheet.
    static_assert(EC2_PRINT_GRAPHIC == 0 && EC2_PRINT_INPUT == 3 && EC2_PRINT_SAFETY_FACTORS == 2 &&
                  EC2_PRINT_EXTRA_INFO == 1 && EC2_PRINT_ANNEX == 4 && EC2_PRINT_STANDARDS == 5);
    int y = Add_Print_Options_Inputs(area, s, &record->scale, sheet_state.remarks_lines);

    int* level = &s[EC2_PRINT_DETAIL_LEVEL];
    auto level_button = [&](int x, const char* label, int value) {
        Area_Add_Radio_Button(area, x, y, label, font, BLACK_CI, value, level, &editable_on);
        Area_Set_Item_Check(area, On_Detail_Level);
    };
    const struct {
        const char* label;
        int value;
    } levels[] = {{"ausf\x81hrlich", 2}, {"standard", 1}, {"minimal", 0}, {"tabellarisch", 3}};
    for (const auto& l : levels) {
        level_button(55, l.label, l.value);
        y += 18;
    }
    if (*level == 3) {
        Area_Add_Radio_Button(area, 75, y, governing_detail, font, BLACK_CI, 1, &sheet_state.mode, &editable_on);
        y += 18;
        Area_Add_Radio_Button(area, 75, y, numbered, font, BLACK_CI, 2, &sheet_state.mode, &editable_on);
        if (sheet_state.mode == 2) {
            Area_Add_Float_Field(area, 265, y, &sheet_state.number, "%4.0f", font, BLACK_CI, &editable_on);
            Area_Set_Item_Check(area, Check_Combination_Number);
        }
        y += 18;
        Area_Add_Radio_Button(area, 75, y, "keine detaillierte Ausgabe", font, BLACK_CI, 0, &sheet_state.mode,
                              &editable_on);
        y += 18;
    }
    level_button(55, governing, 4);
    y += 18;
    level_button(55, numbered, 5);
    if (*level == 5) {
        Area_Add_Float_Field(area, 265, y, &sheet_state.number, "%4.0f", font, BLACK_CI, &editable_on);
        Area_Set_Item_Check(area, Check_Combination_Number);
    }

    y += 27;
    Area_Add_Check_Box(area, 55, y, "Zwischenergebnisse", font, BLACK_CI, &s[EC2_PRINT_INTERMEDIATE], &editable_on);
    y += 22;
    Area_Add_Check_Box(area, 55, y, "Erl\x84uterungsskizzen", font, BLACK_CI, &s[EC2_PRINT_SKETCHES], &editable_on);
    y += 22;
    Area_Add_Check_Box(area, 55, y, "Abschnittsnummerierung unterdr\x81" "cken", font, BLACK_CI,
                       &s[EC2_PRINT_NO_NUMBERING], &editable_on);
    Area_Update(area);
}

int Edit_EC2_Print_Options(EC2_Print_Options* record, int combinations)
{
    sheet_state.combinations = combinations;
    if (!record || !Get_Screen_State().graphics_on) return 0;
    centre.Ensure();
    int x1 = centre.x - 190, x2 = centre.x + 189;
    int y1 = centre.y - 292, y2 = centre.y + 292;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    centre.x = (x1 + x2) / 2;
    centre.y = (y1 + y2) / 2;

    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Ausdrucksteuerung", 10, 1);
    const int break_button = Add_Single_Button_to_PS(x1 + 14, y2 - 29, 0, 9, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS((x1 + x2) / 2 - 10, y2 - 29, "ec2_ausdruck");
    Add_Single_Button_to_PS(x2 - 40, y2 - 29, 0, 8, nullptr, SYMBOLIC_OK_RASTER, 0);
    const int area = Area_Create(x1 + 10, y1 + 42, x2 - 10, y2 - 45, 0, 0);
    if (area < 0) {
        Undefine_Prop_Sheet();
        return 0;
    }
    const int escape = Add_Escape_Area_to_PS(x1 + 10, y1 + 42, x2 - 30, y2 - 45, 1, 1);
    Set_Escape_Area_to_MouseMoveEvent(escape, 1);
    Move_Mouse_Cursor_to_Button_of_PS(break_button, 0, 0);
    Activate_Prop_Sheet();

    Print_Options_Choice_From_Record(record);
    sheet_state.remarks_request = 0;
    Edit_Print_Remarks(record);

    for (;;) {
        Build_Print_Options_Sheet(record, area);
        if (Edit_Print_Remarks(record)) Build_Print_Options_Sheet(record, area);
        const int code = Edit_Prop_Sheet();
        if (code == 1) Area_Handle_Event(area);
        else if (code == 8 || code == 9) break;
    }

    centre.Follow_Move();
    Area_Delete(area);
    Undefine_Prop_Sheet();
    Print_Options_Choice_To_Record(record);
    return 0;
}
