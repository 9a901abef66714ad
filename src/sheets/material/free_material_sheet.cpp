#include "sheets/material/free_material_sheet.h"

#include "material/material_props.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int SHEET_WIDTH = 450;
constexpr int SHEET_HEIGHT = 320;

constexpr int CODE_OK = 1;
constexpr int CODE_CANCEL = 2;
constexpr int CODE_COPY = 3;
constexpr int CODE_FCK = 20;
constexpr int CODE_ECM_SWITCH = 80;
constexpr int CODE_FCTM_SWITCH = 83;
constexpr int CODE_BLOCK_SWITCH = 86;

constexpr int FREE_CONCRETE_CLASS = 30;
constexpr double STRESS_BLOCK_N = 10000.0;

Sheet_Centre free_sheet_origin;

// The two "berechnen" switches outlive the dialog.
int compute_ecm = 0;
int compute_fctm = 0;

bool Newer_Standard(int code) { return code != 0; }
bool Annex_Alpha(int code) { return code == 4 || code == 21; }

struct Concrete_Form {
    double v[8] = {};
    int block = 0;
    int ecm_field = 0, fctm_field = 0, n_field = 0;
    int mark_x = 0, mark_y = 0;
};

void Redraw_Concrete(Concrete_Form& f, int code, double density)
{
    if (f.v[5] < 1.0) f.v[5] = 1.0;
    if (compute_ecm) f.v[6] = Get_Concrete_Ecm(code, FREE_CONCRETE_CLASS, f.v[1], density, nullptr);
    if (compute_fctm) f.v[7] = Get_Concrete_Fctm(code, FREE_CONCRETE_CLASS, f.v[1], density, 0.0);
    Change_Activity_PS(f.ecm_field, compute_ecm ? 0 : 1);
    Change_Activity_PS(f.fctm_field, compute_fctm ? 0 : 1);
    Change_Activity_PS(f.n_field, f.block ? 0 : 1);
    // A lightweight concrete above C60 lies beyond the modulus formulas.
    const bool doubtful = density < 2200.0 && f.v[1] > 60.1;
    pxFgc(ZAV_COLOUR_FACE);
    pxRect(f.mark_x, f.mark_y - 12, f.mark_x + 16, f.mark_y + 3);
    if (doubtful) {
        Set_RFont(0x1000);
        pxFgc(0xFF0000);
        pxText(f.mark_x, f.mark_y, "??", -1);
    }
}

// Checks of a concrete law; the first failure's message, or null.
const char* Concrete_Refusal(int code, const Concrete_Form& f, double alpha_fck)
{
    if (code == 0 && f.v[1] < alpha_fck) return "Betondruckfestigkeit < seinem Rechenwert !";
    if (f.v[1] < 0.001) return "Betondruckfestigkeit = 0 !";
    if (f.v[4] < f.v[3]) return "Bruchdehnung < Dehnung beim Erreichen der Festigkeitsgrenze !";
    if (f.v[5] < 0.0) return "Daten \x81" "berpr\x81" "fen !";
    return nullptr;
}

int Field_Row(int x, int y, const char* label, const char* unit, double* value, const char* format, int width,
              int code)
{
    const int field = Add_Float_to_PS(x, y, width, format, value, code);
    Add_Aligned_Connected_Text_to_Button_of_PS(field, label, 0x1000, BLACK_CI, 1);
    if (unit) Add_Aligned_Connected_Text_to_Button_of_PS(field, unit, 0x1000, BLACK_CI, 0);
    return field;
}

} // namespace

int Update_Governing_Pair(double key, double* current_key, double value, double* current_value)
{
    if (std::fabs(key) < 0.001) key = 0.0;
    if (key <= -0.001) {
        *current_key = -1.0;
        *current_value = value;
    } else if (key > *current_key) {
        if (*current_key > -0.1) {
            *current_key = key;
            *current_value = value;
        }
    } else if (key == *current_key) {
        if (std::fabs(value) > std::fabs(*current_value)) *current_value = value;
    }
    return 0;
}

int Show_Free_Material_Sheet(int norm_code, int is_concrete, double density, double* value1, double* value2,
                             double* value3, double* value4, double* value5, double* value6, double* value7)
{
    const Scoped_Screen_Code_Page cp850(Code_Page::Cp850_Symbols);
    double* const out[8] = {nullptr, value1, value2, value3, value4, value5, value6, value7};
    Concrete_Form f;
    for (int k = 1; k <= 7; ++k) f.v[k] = out[k] ? *out[k] : 0.0;
    double alpha = 0.0;
    if (is_concrete) {
        if (f.v[5] > 1000.0) {
            f.block = 1;
            f.v[5] = Get_Concrete_Exponent_N(norm_code, FREE_CONCRETE_CLASS, f.v[1]);
        }
        if (Newer_Standard(norm_code)) alpha = f.v[1] > 0.001 ? f.v[2] / f.v[1] : 0.0;
    }

    free_sheet_origin.Ensure();
    int x1 = free_sheet_origin.x - SHEET_WIDTH / 2, y1 = free_sheet_origin.y - SHEET_HEIGHT / 2;
    int x2 = x1 + SHEET_WIDTH - 1, y2 = y1 + SHEET_HEIGHT - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);

    char title[64];
    std::snprintf(title, sizeof title, "FREI DEFINIERT (%s)",
                  !is_concrete ? "BEWEHRUNG" : density < 2200.0 ? "LEICHTBETON" : "NORMALBETON");
    const int buffer = pxBuff(-1);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, title, 0, 0);
    Draw_Funny_Text_to_PS(x1 + 15, y1 + 42,
                          is_concrete ? "Nicht zugfestes Material (Beton)" : "Zugfestes Material (Bewehrung)", 0x1000,
                          BLACK_CI, 1);
    Draw_Funny_Area_to_PS(3, x1 + 8, y1 + 52, x2 - 8, y2 - 48, 0);

    const int fx = x1 + 130;
    int y = y1 + 62;
    const char* const unit = "MN/m\xFD";
    if (is_concrete) {
        Field_Row(fx, y, "fck =", unit, &f.v[1], "%5.1f", 5, CODE_FCK);
        y += 26;
        if (!Newer_Standard(norm_code)) {
            Field_Row(fx, y, "\xBA fck =", unit, &f.v[2], "%5.1f", 5, 21);
        } else if (Annex_Alpha(norm_code)) {
            Draw_Funny_Text_to_PS(fx - 30, y + 14, "\xBA =", 0x1000, BLACK_CI, 0);
            Draw_Funny_Text_to_PS(fx + 8, y + 14, "s. NA", 0x1000, BLACK_CI, 0);
        } else {
            Change_Activity_PS(Field_Row(fx, y, "\xBA =", nullptr, &alpha, "%5.3f", 5, 21), 0);
        }
        y += 26;
        Field_Row(fx, y, "\xBE" "c2 =", "\x89", &f.v[3], "%5.2f", 5, 22);
        y += 26;
        Field_Row(fx, y, "\xBE" "cu2 =", "\x89", &f.v[4], "%5.2f", 5, 23);
        y += 26;
        f.n_field = Field_Row(fx, y, "n =", nullptr, &f.v[5], "%5.2f", 5, 24);
        const int block = Add_Logical_Button_to_PS(fx + 80, y + 4, CODE_BLOCK_SWITCH, &f.block, CHBOX_BUTTON_LAYOUT);
        Add_Aligned_Connected_Text_to_Button_of_PS(block, "Spannungsblock", 0x1000, BLACK_CI, 0);
        y += 26;
        f.ecm_field = Field_Row(fx, y, "Ecm =", unit, &f.v[6], "%8.1f", 8, 25);
        f.mark_x = fx + 125;
        f.mark_y = y + 14;
        const int ecm = Add_Logical_Button_to_PS(x1 + 20, y1 + 250, CODE_ECM_SWITCH, &compute_ecm, CHBOX_BUTTON_LAYOUT);
        Add_Aligned_Connected_Text_to_Button_of_PS(ecm, "E-Modul berechnen", 0x1002, BLACK_CI, 0);
        y += 26;
        f.fctm_field = Field_Row(fx, y, "fctm =", unit, &f.v[7], "%5.2f", 5, 26);
        const int fctm = Add_Logical_Button_to_PS(x1 + 180, y1 + 250, CODE_FCTM_SWITCH, &compute_fctm,
                                                  CHBOX_BUTTON_LAYOUT);
        Add_Aligned_Connected_Text_to_Button_of_PS(fctm, "fctm berechnen", 0x1002, BLACK_CI, 0);
    } else {
        Field_Row(fx, y, "fyk =", unit, &f.v[1], "%5.1f", 5, CODE_FCK);
        y += 26;
        Field_Row(fx, y, "ftk =", unit, &f.v[2], "%5.1f", 5, 21);
        y += 26;
        Change_Activity_PS(Field_Row(fx, y, "\xBE   =", "\x89", &f.v[3], "%5.2f", 5, 22), 0);
        y += 26;
        Field_Row(fx, y, "\xBEuk =", "\x89", &f.v[4], "%5.2f", 5, 23);
        y += 26;
        Field_Row(fx, y, "Es =", unit, &f.v[5], "%8.2f", 8, 24);
    }

    Add_Single_Button_to_PS(x1 + 15, y2 - 42, 0, CODE_CANCEL, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Single_Button_to_PS(x1 + 90, y2 - 36, 0, CODE_COPY, "kopieren", nullptr, 0);
    Add_Help_to_PS(x1 + 190, y2 - 42, "CALC_material");
    const int ok = Add_Single_Button_to_PS(x2 - 50, y2 - 42, 0, CODE_OK, nullptr, SYMBOLIC_OK_RASTER, 0);
    Activate_Prop_Sheet();
    // The picture of the law beside the fields (white is the ground).
    const char* picture = is_concrete ? (Newer_Standard(norm_code) ? "btn_mat3.bmp" : "btn_mat1.bmp")
                                      : (Newer_Standard(norm_code) ? "btn_mat4.bmp" : "btn_mat2.bmp");
    pxDrawTransparentDIB(picture, x1 + 325, y1 + 62, x1 + 434, y1 + 141, 201, -1, 255, 255, 255);
    if (is_concrete) Redraw_Concrete(f, norm_code, density);
    pxBuff(buffer);
    Move_Mouse_Cursor_to_Button_of_PS(ok, 0, 0);

    int result = -1;
    while (result < 0) {
        const int code = Edit_Prop_Sheet();
        if (code == CODE_CANCEL) {
            result = 0;
        } else if (code == CODE_OK) {
            if (!is_concrete) {
                result = 1;
                break;
            }
            const double alpha_fck = Newer_Standard(norm_code) ? alpha * f.v[1] : f.v[2];
            if (const char* refusal = Concrete_Refusal(norm_code, f, alpha_fck)) {
                PrintMessage(refusal);
                continue;
            }
            if (f.v[6] < 0.001) {
                PrintMessage("E-Modul wird berechnet !");
                f.v[6] = Get_Concrete_Ecm(norm_code, FREE_CONCRETE_CLASS, f.v[1], density, nullptr);
            }
            if (f.v[7] < 0.001) {
                PrintMessage("fctm wird berechnet !");
                f.v[7] = Get_Concrete_Fctm(norm_code, FREE_CONCRETE_CLASS, f.v[1], density, 0.0);
            }
            if (f.block) f.v[5] = STRESS_BLOCK_N;
            f.v[2] = alpha_fck;
            result = 1;
        } else if (code == CODE_COPY) {
            // The copy button has no effect of its own in this form.
        } else if (is_concrete) {
            const int state = pxBuff(-1);
            Redraw_Concrete(f, norm_code, density);
            pxBuff(state);
        }
    }
    free_sheet_origin.Follow_Move();
    Undefine_Prop_Sheet();

    if (result == 1) {
        if (is_concrete) {
            for (int k = 1; k <= 7; ++k)
                if (out[k]) *out[k] = f.v[k];
        } else {
            *value1 = f.v[1];
            *value2 = f.v[2];
            *value4 = f.v[4];
            *value3 = f.v[4];
            *value5 = f.v[5];
        }
    }
    return result;
}
