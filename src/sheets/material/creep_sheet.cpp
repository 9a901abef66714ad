#include "sheets/material/creep_sheet.h"

#include "material/creep_shrinkage.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"

#include <algorithm>
#include <string>

namespace {

constexpr int SHEET_WIDTH = 310;
constexpr int SHEET_HEIGHT = 359;

constexpr int CODE_OK = 1;
constexpr int CODE_CANCEL = 2;
constexpr int CODE_CREEP = 10;
constexpr int CODE_SHRINKAGE = 11;
constexpr int CODE_CLASS = 12;
constexpr int CODE_RH = 13;
constexpr int CODE_H0_COMPUTED = 14;
constexpr int CODE_H0_ENTERED = 15;
constexpr int CODE_AREA = 16;
constexpr int CODE_PERIMETER = 17;
constexpr int CODE_H0 = 18;
constexpr int CODE_T0 = 19;
constexpr int CODE_RATIO = 20;

// The sheet's centre, kept from one opening to the next.
Sheet_Centre creep_sheet_origin;

// The sheet's own copies of the caller's values.
struct Creep_Values {
    double phi = 0.0, eps = 0.0;
    int creep = 0, shrinkage = 0, cement_class = 0;
    double rh = 0.0, area = 0.0, perimeter = 0.0, h0 = 0.0, t0 = 0.0, ratio = 0.0;
    int h0_mode = 2;  // 1: h0 = 2 A / u, 2: h0 entered
};

// h0 from A and u, the clamps, then both results (in this order, so that a clamped input
// is the one computed with).
void Recompute(Creep_Values& v, double fcm, double fck)
{
    if (v.h0_mode == 1) v.h0 = v.perimeter > 0.001 ? 2.0 * v.area / v.perimeter : 0.0;
    v.rh = std::clamp(v.rh, 40.0, 100.0);
    if (v.t0 < -0.001) v.t0 = 0.0;
    if (v.ratio < -0.001) v.ratio = 0.0;
    v.cement_class = std::clamp(v.cement_class, 0, CEMENT_CLASS_COUNT - 1);
    if (v.creep)
        v.phi = Calc_Creep_Coefficient(v.rh, v.cement_class, 10.0 * v.h0, std::min(v.t0, CREEP_FINAL_AGE_DAYS),
                                       CREEP_FINAL_AGE_DAYS, fcm, nullptr) *
                v.ratio;
    if (v.shrinkage)
        v.eps = v.h0 <= 0.0001 ? 0.0
                               : -Calc_Shrinkage_Strain(v.cement_class, nullptr, v.rh, 10.0 * v.h0, 0.0,
                                                        CREEP_FINAL_AGE_DAYS, fcm, fck);
}

struct Handles {
    int cls = 0, rh = 0, area = 0, perimeter = 0, h0 = 0, t0 = 0, ratio = 0, phi = 0, eps = 0;
};

// A label whose blank run holds a number field: the field covers the text from the
// prefix's end. Returns the field.
int Label_With_Field(int x, int base, const char* label, int prefix_length, int width_chars, const char* format,
                     double* value, int code)
{
    Draw_Funny_Text_to_PS(x, base, label, 0x1000, BLACK_CI, 0);
    const std::string prefix(label, static_cast<size_t>(prefix_length));
    const int fx = x + Get_Text_Width_In_Font(prefix.c_str(), 0x1000) + 2;
    return Add_Float_to_PS(fx, base - 14, width_chars, format, value, code);
}

void Update_Activity(const Handles& h, const Creep_Values& v)
{
    const int any = v.creep || v.shrinkage ? 1 : 0;
    Change_Activity_PS(h.cls, any);
    Change_Activity_PS(h.rh, any);
    Change_Activity_PS(h.area, v.h0_mode == 1 ? 1 : 0);
    Change_Activity_PS(h.perimeter, v.h0_mode == 1 ? 1 : 0);
    Change_Activity_PS(h.h0, v.h0_mode == 2 ? 1 : 0);
    Change_Activity_PS(h.t0, v.creep ? 1 : 0);
    Change_Activity_PS(h.ratio, v.creep ? 1 : 0);
    // The results are shown, never edited.
    Change_Activity_PS(h.phi, 0);
    Change_Activity_PS(h.eps, 0);
}

} // namespace

int Show_Creep_Shrinkage_Sheet(int mode, double* phi_eff, double* eps_cs, int* compute_creep,
                               int* compute_shrinkage, int* cement_class, double* rh, double* area,
                               double* perimeter, double* h0, double* t0, double* ratio, double fcm,
                               double fck)
{
    const Scoped_Screen_Code_Page cp850(Code_Page::Cp850_Symbols);
    Creep_Values v;
    v.phi = *phi_eff;
    v.eps = *eps_cs;
    v.creep = *compute_creep ? 1 : 0;
    v.shrinkage = *compute_shrinkage ? 1 : 0;
    if (mode == 1) v.shrinkage = 0;
    if (mode == 2) v.creep = 0;
    v.cement_class = *cement_class;
    v.rh = *rh;
    v.area = *area < -0.1 ? 0.0 : *area;
    v.perimeter = *perimeter < -0.1 ? 0.0 : *perimeter;
    v.h0_mode = *h0 < -0.1 ? 1 : 2;
    v.h0 = *h0 < -0.1 ? 0.0 : *h0;
    v.t0 = *t0;
    v.ratio = *ratio;
    Recompute(v, fcm, fck);

    creep_sheet_origin.Ensure();
    int x1 = creep_sheet_origin.x - SHEET_WIDTH / 2, y1 = creep_sheet_origin.y - SHEET_HEIGHT / 2;
    int x2 = x1 + SHEET_WIDTH - 1, y2 = y1 + SHEET_HEIGHT - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);

    const char* title = mode == 1 ? "Endkriechzahl" : mode == 2 ? "Endschwindma\xE1" : "Kriechzahl und Schwindma\xE1";
    const int buffer = pxBuff(-1);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, title, 0, 0);

    Handles h;
    if (mode == 0) {
        const int c = Add_Logical_Button_to_PS(x1 + 15, y1 + 32, CODE_CREEP, &v.creep, CHBOX_BUTTON_LAYOUT);
        Add_Aligned_Connected_Text_to_Button_of_PS(c, "Kriechzahl berechnen", 0x1000, BLACK_CI, 0);
        const int s = Add_Logical_Button_to_PS(x1 + 15, y1 + 52, CODE_SHRINKAGE, &v.shrinkage, CHBOX_BUTTON_LAYOUT);
        Add_Aligned_Connected_Text_to_Button_of_PS(s, "Schwindma\xE1 berechnen", 0x1000, BLACK_CI, 0);
    } else {
        Draw_Funny_Text_to_PS(x1 + 15, y1 + 43, "Endkriechzahl berechnen", 0x1000, mode == 1 ? BLACK_CI : DGREY_CI,
                              mode == 1 ? 1 : 0);
        Draw_Funny_Text_to_PS(x1 + 15, y1 + 63, "Endschwindma\xE1 berechnen", 0x1000,
                              mode == 2 ? BLACK_CI : DGREY_CI, mode == 2 ? 1 : 0);
    }
    Draw_Funny_Area_to_PS(3, x1 + 8, y1 + 74, x2 - 8, y1 + 286, 0);

    h.cls = Add_Stringlist_to_PS(x1 + 180, y1 + 82, 6, CEMENT_CLASS_COUNT, &v.cement_class, CODE_CLASS);
    for (int k = 0; k < CEMENT_CLASS_COUNT; ++k) Fill_Stringlist_of_PS(h.cls, k, cement_class_texts[k]);
    Add_Aligned_Connected_Text_to_Button_of_PS(h.cls, "Zementfestigkeitsklasse", 0x1000, BLACK_CI, 1);
    h.rh = Label_With_Field(x1 + 15, y1 + 124, "relative Luftfeuchte 40% \xF3             %  \xF3 100%", 26, 3,
                            "%3.0f", &v.rh, CODE_RH);

    const int r1 = Add_Alternativ_Button_to_PS(x1 + 15, y1 + 140, 1, CODE_H0_COMPUTED, 1, 1, 0, RADIO_BUTTON_LAYOUT,
                                               &v.h0_mode);
    (void)r1;
    Draw_Funny_Text_to_PS(x1 + 35, y1 + 150, "Querschnittsfl\x84" "che", 0x1000, BLACK_CI, 0);
    h.area = Label_With_Field(x1 + 150, y1 + 150, "A  =                       cm\xFD", 4, 6, "%8.1f", &v.area,
                              CODE_AREA);
    Draw_Funny_Text_to_PS(x1 + 35, y1 + 172, "der Trocknung ausgesetzer", 0x1000, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x1 + 35, y1 + 186, "Querschnittsumfang", 0x1000, BLACK_CI, 0);
    h.perimeter = Label_With_Field(x1 + 150, y1 + 186, "u =                       cm", 3, 6, "%8.1f", &v.perimeter,
                                   CODE_PERIMETER);
    Add_Alternativ_Button_to_PS(x1 + 15, y1 + 206, 1, CODE_H0_ENTERED, 1, 2, 0, RADIO_BUTTON_LAYOUT, &v.h0_mode);
    h.h0 = Label_With_Field(x1 + 35, y1 + 218, "h   = 2  A  / u =                       cm", 17, 6, "%8.1f", &v.h0,
                            CODE_H0);
    Draw_Funny_Text_to_PS(x1 + 43, y1 + 221, "0", 0x1002, BLACK_CI, 0);

    Draw_Funny_Text_to_PS(x1 + 15, y1 + 248, "Belastungsbeginn", 0x1000, BLACK_CI, 0);
    h.t0 = Label_With_Field(x1 + 150, y1 + 248, "t    =              d", 6, 2, "%3.0f", &v.t0, CODE_T0);
    Draw_Funny_Text_to_PS(x1 + 157, y1 + 251, "0", 0x1002, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x1 + 15, y1 + 274, "effektive Kriechzahl", 0x1000, BLACK_CI, 0);
    h.ratio = Add_Float_to_PS(x1 + 215, y1 + 260, 4, "%4.2f", &v.ratio, CODE_RATIO);
    Draw_Funny_Text_to_PS(x1 + 150, y1 + 274, "\xDA(\xEC,t   )", 0x1000, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x1 + 173, y1 + 277, "0", 0x1002, BLACK_CI, 0);

    Draw_Funny_Area_to_PS(4, x1 + 8, y1 + 292, x2 - 8, y1 + 320, 0);
    h.phi = Label_With_Field(x1 + 15, y1 + 312, "\xDA     =", 7, 5, "%5.3f", &v.phi, 0);
    Draw_Funny_Text_to_PS(x1 + 23, y1 + 315, "eff", 0x1002, BLACK_CI, 0);
    h.eps = Label_With_Field(x1 + 150, y1 + 312, "\xBE    = -               \x89", 9, 3, "%5.3f", &v.eps, 0);
    Draw_Funny_Text_to_PS(x1 + 158, y1 + 315, "cs", 0x1002, BLACK_CI, 0);

    const int cancel = Add_Single_Button_to_PS(x1 + 15, y2 - 34, 0, CODE_CANCEL, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS(x1 + SHEET_WIDTH / 2 - 12, y2 - 34, "CALC_MATERIAL");
    const int ok = Add_Single_Button_to_PS(x2 - 50, y2 - 34, 0, CODE_OK, nullptr, SYMBOLIC_OK_RASTER, 0);
    (void)cancel;
    Update_Activity(h, v);
    Set_Prop_Sheet_Edit_Float_Auto_Mode();
    Activate_Prop_Sheet();
    pxBuff(buffer);
    Move_Mouse_Cursor_to_Button_of_PS(ok, 0, 0);

    int result = -1;
    while (result < 0) {
        const int code = Edit_Prop_Sheet();
        if (code == CODE_CANCEL) {
            result = 0;
        } else if (code == CODE_OK) {
            if ((v.creep || v.shrinkage) && v.h0_mode == 1 && (v.area < 0.001 || v.perimeter < 0.001)) {
                PrintMessage("Querschnittsangaben \x81" "berpr\x81" "fen !");
                continue;
            }
            result = 1;
        } else if (code >= CODE_CREEP && code <= CODE_RATIO) {
            // Redrawing the elements shows the recomputed values.
            const int state = pxBuff(-1);
            Recompute(v, fcm, fck);
            Update_Activity(h, v);
            pxBuff(state);
        }
    }
    creep_sheet_origin.Follow_Move();
    Undefine_Prop_Sheet();

    if (result == 1) {
        if (v.creep || v.shrinkage) {
            *cement_class = v.cement_class;
            *rh = v.rh;
            *perimeter = v.perimeter;
            *area = v.area;
            *h0 = v.h0_mode == 1 ? -1.0 : v.h0;
            if (v.creep) {
                *t0 = v.t0;
                *ratio = v.ratio;
            }
        }
        *compute_creep = v.creep;
        *compute_shrinkage = v.shrinkage;
        *phi_eff = v.phi;
        *eps_cs = v.eps;
    }
    return result;
}
