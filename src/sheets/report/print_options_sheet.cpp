#include "sheets/report/print_options_sheet.h"

#include "base/alloc.h"
#include "platform/environment.h"
#include "platform/screen/screen.h"
#include "toolkit/form_core.h"
#include "toolkit/scroll_area.h"
#include "toolkit/user_comment_sheet.h"

#include <cstring>

namespace {

Sheet_Centre centre;
int editable_on = 1;
int mode = 1;
double number = 1.0;
int remarks_request = 0;
int remarks_lines = 0;

double* Clamp_Not_Below_Zero(double* v)
{
    if (*v < 0.0) *v = 0.0;
    return v;
}
double* Clamp_Not_Below_One(double* v)
{
    if (*v < 1.0) *v = 1.0;
    return v;
}
double* Clamp_Tolerance(double* v)
{
    Clamp_0_10(v);
    return v;
}

void Add_Action_Button(int area, int x, int y, int* pressed, const char* label)
{
    Area_Add_Bitmap(area, "act_but.bmp", x - 20, y - 9, x - 7, y + 4, Nearest_RGB_Color(255, 255, 255));
    Area_Add_Text(area, x, y, label, 0x1000, BLACK_CI, 0);
    Area_Add_Click_Cell(area, x - 20, y - 9, x + 6 * static_cast<int>(std::strlen(label)), y + 4, 1, pressed);
    Area_Set_Click_Cursor(area, 18);
}

void Compose_Steel_Print_Options(Steel_Print_Options* r, int area)
{
    int32_t* s = r->switches;
    const int band = Nearest_RGB_Color(203, 248, 235);
    const int font = 0x1000, bold = 0x11000;
    Area_Clear(area);
    Area_Add_Box(area, 10, 5, 350, 25, band);
    Area_Add_Text(area, 35, 20, "Eingabeprotokoll", bold, BLACK_CI, 0);
    Area_Add_Box(area, 30, 33, 50, 52, band);
    Add_Action_Button(area, 55, 47, &remarks_request, "Vorbemerkungen");
    const bool notch_points = Steel_Program_By_Notch_Points(CurOb_Application_Number());
    int y = Add_Print_Options_Inputs(area, s, &r->scale, remarks_lines, notch_points);
    const struct {
        const char* label;
        int value;
    } levels[] = {{"ausf\x81hrlich", 2}, {"standard", 1}, {"minimal", 0}};
    for (const auto& l : levels) {
        Area_Add_Radio_Button(area, 55, y, l.label, font, BLACK_CI, l.value, &s[9], &editable_on);
        y += 18;
    }
    if (notch_points) {
        Area_Add_Radio_Button(area, 55, y, "ma\xE1gebender Kerbpunkt", font, BLACK_CI, 4, &s[9], &editable_on);
        y += 18;
    } else {
        Area_Add_Radio_Button(area, 55, y, "tabellarisch", font, BLACK_CI, 3, &s[9], &editable_on);
        y += 18;
    }
    if (!notch_points && s[9] == 3) {
        Area_Add_Check_Box(area, 75, y, "Erm\x81" "dung: ma\xE1gebender Kerbpunkt", font, BLACK_CI, &s[12],
                           &editable_on);
        y += 18;
        Area_Add_Radio_Button(area, 75, y, "ma\xE1gebende Lastkombination detailliert", font, BLACK_CI, 1, &mode,
                              &editable_on);
        y += 18;
        Area_Add_Radio_Button(area, 75, y, "Lastkombination detailliert: Nr.", font, BLACK_CI, 2, &mode, &editable_on);
        if (mode == 2) {
            Area_Add_Float_Field(area, 265, y, &number, "%4.0f", font, BLACK_CI, &editable_on);
            Area_Set_Item_Check(area, Clamp_Not_Below_One);
        }
        y += 18;
        Area_Add_Radio_Button(area, 75, y, "keine detaillierte Ausgabe", font, BLACK_CI, 0, &mode, &editable_on);
        y += 18;
    }
    if (!notch_points) {
        Area_Add_Radio_Button(area, 55, y, "ma\xE1gebende Lastkombination", font, BLACK_CI, 4, &s[9], &editable_on);
        y += 18;
    }
    // Rows a little closer than in the corbel's sheet: with the tables' choices open they
    // all fit the sheet's height.
    y += 2;
    Area_Add_Check_Box(area, 55, y, "optimierte Tabelle (FEM-Ergebnisse)", font, BLACK_CI, &s[6], &editable_on);
    y += 14;
    Area_Add_Text(area, 75, y, "Bemessungsgr\x94\xE1" "en", font, BLACK_CI, 0);
    if (notch_points || s[12])
        Area_Add_Text(area, 76 + Form_Label_Width("Bemessungsgr\x94\xE1" "en", font), y, "/ Kerbpunkt", font, BLACK_CI,
                      0);
    y += 20;
    Area_Add_Check_Box(area, 55, y, "Zwischenergebnisse", font, BLACK_CI, &s[7], &editable_on);
    y += 18;
    Area_Add_Check_Box(area, 55, y, "Erl\x84uterungsskizzen", font, BLACK_CI, &s[8], &editable_on);
    y += 18;
    Area_Add_Text(area, 55, y, "Toleranz im Endergebnis", font, BLACK_CI, 0);
    Area_Add_Float_Field(area, 265, y, &r->tolerance, "%4.1f", font, BLACK_CI, &editable_on);
    Area_Set_Item_Check(area, Clamp_Tolerance);
    y += 18;
    Area_Add_Check_Box(area, 55, y, "Abschnittsnummerierung unterdr\x81" "cken", font, BLACK_CI, &s[11], &editable_on);
    Area_Update(area);
}

// Runs the comment editor when its button was pressed; 1 when the remarks changed.
int Apply_Steel_Print_Options(Steel_Print_Options* r)
{
    int result = 0;
    if (remarks_request) {
        remarks_request = 0;
        char* copy = MEM_STRDUP(r->remarks ? r->remarks : "");
        if (!copy) Abort_Out_Of_Memory();
        char* edited = Edit_User_Comment(copy, "Vorbemerkungen");
        if (r->remarks) MEM_FREE(r->remarks);
        r->remarks = nullptr;
        if (edited && std::strlen(edited) >= 5)
            r->remarks = edited;
        else if (edited)
            MEM_FREE(edited);
        result = 1;
    }
    remarks_lines = Remark_Line_Count(r->remarks, Wrap_Steel_Remarks(r->remarks));
    return result;
}

} // namespace

int Remark_Line_Count(const char* remarks, int line_ends)
{
    const size_t n = remarks ? std::strlen(remarks) : 0;
    return line_ends + (n > 0 && remarks[n - 1] != '\n' ? 1 : 0);
}

int Add_Print_Options_Inputs(int area, int* switches, double* scale, int remarks_lines, bool design_forces)
{
    const int band = Nearest_RGB_Color(203, 248, 235);
    const int font = 0x1000, bold = 0x11000;
    char lines[32];
    std::snprintf(lines, sizeof lines, "(%d Zeilen)", remarks_lines);
    Area_Add_Text(area, 175, 47, lines, font, BLACK_CI, 0);
    Area_Add_Check_Box(area, 55, 69, "Grafik", font, BLACK_CI, &switches[0], &editable_on);
    if (switches[0]) {
        Area_Add_Text(area, 95, 69, "im Ma\xE1stab  1 :", font, BLACK_CI, 0);
        Area_Add_Float_Field(area, 195, 69, scale, "%5.1f", font, BLACK_CI, &editable_on);
        Area_Set_Item_Check(area, Clamp_Not_Below_Zero);
    }
    const struct {
        const char* label;
        int index;
    } inputs[] = {{"Eingabeparameter", 3},
                  {design_forces ? "Bemessungskr\x84" "fte" : "Materialsicherheitsbeiwerte", 2},
                  {"zus\x84tzliche Informationen", 1},
                  {"Parameter des nationalen Anhangs", 4},
                  {"Vorschriften", 5}};
    int y = 91;
    for (const auto& i : inputs) {
        Area_Add_Check_Box(area, 55, y, i.label, font, BLACK_CI, &switches[i.index], &editable_on);
        y += 22;
    }
    Area_Add_Box(area, 10, 196, 350, 216, band);
    Area_Add_Text(area, 35, 211, "Ergebnisse", bold, BLACK_CI, 0);
    return 238;
}

void Edit_Steel_Print_Options(Steel_Print_Options* record)
{
    if (!record || !Get_Screen_State().graphics_on) return;
    centre.Ensure();
    int x1 = centre.x - 185, x2 = centre.x + 184;
    int y1 = centre.y - 292, y2 = centre.y + 291;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Ausdrucksteuerung", 10, 1);
    Add_Single_Button_to_PS(x1 + 14, y2 - 29, 0, 9, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS((x1 + x2) / 2 - 10, y2 - 29, "ec301_ausdruck");
    Add_Single_Button_to_PS(x2 - 40, y2 - 29, 0, 8, nullptr, SYMBOLIC_OK_RASTER, 0);
    const int area = Area_Create(x1 + 10, y1 + 42, x2 - 10, y2 - 45, 0, 0);
    if (area < 0) {
        Undefine_Prop_Sheet();
        return;
    }
    Activate_Prop_Sheet();

    const int choice = record->switches[10];
    if (choice < 0) {
        mode = 2;
        number = -choice;
    } else {
        mode = choice != 0 ? 1 : 0;
        if (number < 1.0) number = 1.0;
    }
    remarks_request = 0;
    Apply_Steel_Print_Options(record);
    for (;;) {
        Compose_Steel_Print_Options(record, area);
        if (Apply_Steel_Print_Options(record)) Compose_Steel_Print_Options(record, area);
        const int code = Edit_Prop_Sheet();
        if (code == 1) Area_Handle_Event(area);
        else if (code == 8 || code == 9 || code == 0) break;
    }
    centre.Remember(x1, y1, x2, y2);
    Area_Delete(area);
    Undefine_Prop_Sheet();
    if (mode == 1) record->switches[10] = 1;
    else if (mode == 0) record->switches[10] = 0;
    else record->switches[10] = -static_cast<int>(number + 0.1);
}
