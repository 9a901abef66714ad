#include "sheets/material/material_sheet.h"

#include "annex/nad_choice.h"
#include "annex/nad_sections.h"
#include "sheets/annex/nad_selection_sheet.h"
#include "annex/norm_texts.h"
#include "sheets/material/creep_sheet.h"
#include "material/creep_shrinkage.h"
#include "sheets/material/free_material_sheet.h"
#include "material/material_file.h"
#include "material/material_props.h"
#include "material/material_report.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int SHEET_WIDTH = 620;
constexpr int SHEET_HEIGHT = 380;

enum Code {
    CODE_OK = 1,
    CODE_CANCEL = 2,
    CODE_CONCRETE = 4,
    CODE_STEEL_TOP = 5,
    CODE_SITUATION = 7,
    CODE_GAMMA_C = 8,
    CODE_GAMMA_S = 15,
    CODE_STANDARD = 16,
    CODE_FREE_CONCRETE = 18,
    CODE_FREE_STEEL_TOP = 19,
    CODE_STEEL_BOTTOM = 20,
    CODE_FREE_STEEL_BOTTOM = 22,
    CODE_DENSITY = 24,
    CODE_KIND = 28,
    CODE_LAW = 46,
    CODE_RATIO = 49,
    CODE_CREEP_SWITCH = 51,
    CODE_CREEP_SHEET = 52,
    CODE_PHI = 55,
    CODE_EPS = 56,
    CODE_ALPHA = 60,
    CODE_EXPOSURE_SWITCH = 61,
    CODE_EXPOSURE = 62,
    CODE_ANNEX = 838,
};

// Standard list positions.
enum Standard { DIN_1988 = 0, DIN_2001 = 1, DIN_FB_102 = 2, OENORM = 3, EC2 = 4, DIN_2008 = 5, EC2_2 = 6 };
constexpr int STANDARD_COUNT = 7;
const int standard_norm_codes[STANDARD_COUNT] = {0, 1, 1, 3, 4, 1, 21};
// The designation of each entry (the two DIN 1045-1 entries are one standard in two
// editions); the first entry's text is fixed.
const int standard_designations[STANDARD_COUNT] = {0, 1, 2, 3, 4, 1, 21};

std::string Standard_Text(int position)
{
    if (position == DIN_1988) return "DIN 1045 (7.88)";
    const int edition = Get_DIN1045_1_Edition();
    if (position == DIN_2001) Set_DIN1045_1_Edition(1);
    if (position == DIN_2008) Set_DIN1045_1_Edition(0);
    std::string text = Get_Norm_Designation(standard_designations[position], 1, 1);
    Set_DIN1045_1_Edition(edition);
    return text;
}

Sheet_Centre material_sheet_origin;

struct Free_Steel {
    double fyk = 500, ftk = 550, eps_uk = 25, es = 200000;
};

// The sheet's working values.
struct Work {
    int mode = 1, concrete_editable = 1, steel_editable = 1, two_layers = 0;
    int standard = 0;
    int concrete = 0, lightweight = 0, kind = 0;
    double density = 2200, alpha = 0.85;
    int steel_top = 0, steel_bottom = 0;  // class indices
    int situation = 0;
    double gamma_c = 1.5, gamma_s = 1.15, user_gamma_c = 1.5, user_gamma_s = 1.15;
    int law = 0, law_negative = 0;
    double ratio = 15;
    int creep_switch = 0, compute_creep = 0, compute_shrinkage = 0, cement_class = 1;
    double phi = 0, eps = 0, rh = 50, ac = 0, u = 0, h0 = 0, t0 = 28, creep_factor = 1;
    int exposure_switch = 0, exposure = 0;
    double free_c[8] = {0, 30, 25.5, 2.0, 3.5, 2.0, 0, 0};
    Free_Steel free_top, free_bottom;
    int ok_tried = 0;
    // List positions as the lists show them.
    int pos_top = 0, pos_bottom = 0, shown_law = 0;
};

int Norm(const Work& w) { return standard_norm_codes[w.standard]; }

// With one steel list both layers take its steel; the bottom entry is hidden and keeps
// what the sheet opened with, so every check reads the bottom layer through this.
int Bottom_Steel(const Work& w) { return w.two_layers ? w.steel_bottom : w.steel_top; }
bool Either_Steel(const Work& w, int index) { return w.steel_top == index || Bottom_Steel(w) == index; }
bool Newer(const Work& w) { return w.standard != DIN_1988; }
bool Is_Ec2(const Work& w) { return w.standard == EC2 || w.standard == EC2_2; }
bool High_Strength(int cls) { return cls >= 14 && cls <= 19; }

double Work_Fck(const Work& w)
{
    if (w.concrete >= CONCRETE_FREE) return w.free_c[1];
    return Get_Concrete_Strength(Newer(w) ? 1 : 0, w.concrete);
}

std::string Concrete_Name(const Work& w, int cls)
{
    if (cls < CONCRETE_FIRST_CLASS) return din1045_concrete_class_names[cls];
    if (cls >= CONCRETE_FREE) return " frei";
    if (w.lightweight && cls - CONCRETE_FIRST_CLASS < CONCRETE_LC_COUNT)
        return lightweight_concrete_class_names[cls - CONCRETE_FIRST_CLASS];
    return concrete_class_names[cls - CONCRETE_FIRST_CLASS];
}

std::string Steel_Name(int index)
{
    if (index < STEEL_FIRST_CLASS) return din1045_steel_class_names[index];
    if (index >= STEEL_FREE) return " frei";
    return steel_class_names[index - STEEL_FIRST_CLASS];
}

// Entry colours: grey for what the chosen standard does not admit, blue and green for
// the bridge and Austrian standards, red for the entries the user defines.
int Grey() { return DGREY_CI; }
int Blue() { return Nearest_RGB_Color(0, 0, 255); }
int Green() { return Nearest_RGB_Color(0, 128, 0); }
int Red() { return Nearest_RGB_Color(255, 0, 0); }

int Standard_Colour(int position)
{
    if (position == DIN_1988 || position == DIN_2001) return Grey();
    if (position == DIN_FB_102) return Blue();
    if (position == OENORM) return Green();
    return BLACK_CI;
}

int Concrete_Colour(const Work& w, int cls)
{
    if (cls >= CONCRETE_FREE) return Red();
    if (cls < CONCRETE_FIRST_CLASS) return w.standard == DIN_1988 ? BLACK_CI : Grey();
    if (cls >= CONCRETE_FIRST_OENORM) return w.standard == OENORM ? BLACK_CI : Grey();
    return w.standard == DIN_1988 ? Grey() : BLACK_CI;
}

int Steel_Colour(const Work& w, int index)
{
    if (index >= STEEL_FREE) return Red();
    if (index >= STEEL_FIRST_OENORM) return w.standard == OENORM ? BLACK_CI : Grey();
    return BLACK_CI;
}

int Concrete_Count(const Work& w)
{
    if (w.mode == 0) return CONCRETE_FIRST_CLASS;
    return Newer(w) ? CONCRETE_FREE + 1 : CONCRETE_FREE;
}

int Steel_Count(const Work& w)
{
    if (w.mode == 0) return STEEL_FIRST_CLASS;
    const int listed = w.mode == 2 ? STEEL_FREE : STEEL_FREE - 4;
    return Newer(w) ? listed + 1 : listed;
}

bool Kind_Choosable(const Work& w)
{
    return (w.standard == DIN_2001 || w.standard == EC2 || w.standard == DIN_2008) &&
           ((w.concrete >= CONCRETE_FIRST_CLASS && w.concrete <= 17) || w.concrete == CONCRETE_FREE);
}

bool Density_Editable(const Work& w)
{
    return (w.lightweight && w.concrete >= CONCRETE_FIRST_CLASS && w.concrete <= 17) || w.concrete == CONCRETE_FREE;
}

void Message_With(const char* format, const std::string& name)
{
    char text[256];
    std::snprintf(text, sizeof text, format, name.c_str());
    PrintMessage(text);
}

void Propose_Concrete(Work& w, const char* format, int cls)
{
    w.concrete = cls;
    w.lightweight = 0;
    Message_With(format, Concrete_Name(w, cls));
}

void Concrete_Checks(Work& w)
{
    if (w.mode == 0) return;
    if (w.standard == DIN_1988 && w.concrete >= CONCRETE_FIRST_CLASS)
        Propose_Concrete(w, "Nur Betong\x81ten nach DIN 1045 (7.88) zul\x84ssig!\nVorschlag: %s",
                         Propose_Concrete_Class(1, w.concrete));
    else if (w.standard == OENORM && w.concrete < CONCRETE_FIRST_CLASS)
        Propose_Concrete(w, "Betong\x81ten nach DIN 1045 (7.88) nicht zul\x84ssig!\nVorschlag: %s", w.concrete + 5);
    else if (Newer(w) && w.standard != OENORM && w.concrete >= CONCRETE_FIRST_OENORM && w.concrete < CONCRETE_FREE)
        Propose_Concrete(w, "Betong\x81ten nach \x99N B 4700 nicht zul\x84ssig!\nVorschlag: %s", w.concrete - 15);
    else if (w.mode == 1 && Newer(w) && w.standard != OENORM && w.concrete < CONCRETE_FIRST_CLASS) {
        PrintMessage("Betong\x81te nicht zul\x84ssig !");
        w.concrete = CONCRETE_FIRST_CLASS;
        w.lightweight = 0;
    }
}

void Steel_Checks(Work& w, int& steel)
{
    if (w.mode == 0) return;
    const char* const oenorm_refusal = "Betonstahlg\x81te nach \x99N B 4700 nicht zul\x84ssig!\nVorschlag: %s";
    if (w.standard == DIN_1988 && steel >= STEEL_FIRST_CLASS) {
        steel = Propose_Steel_Class(1, steel);
        Message_With("Nur Betonstahlsorten nach DIN 1045 (7.88) zul\x84ssig!\nVorschlag: %s", Steel_Name(steel));
    }
    if (steel == STEEL_GLASS_FIBRE && w.situation < 2) {
        PrintMessage("GFK-Bewehrung (Sch\x94" "ck ComBAR) erfordert einen normenunabh\x84ngigen "
                     "Material-Sicherheitsbeiwert !");
        w.user_gamma_c = w.gamma_c;
        w.situation = 2;
        w.gamma_s = w.user_gamma_s = 1.3;
    }
    if (w.standard == OENORM && steel == STEEL_LATTICE_GIRDER) {
        steel = STEEL_FIRST_OENORM;
        Message_With(oenorm_refusal, Steel_Name(steel));
    } else if (w.standard != OENORM && (steel == 11 || steel == 12)) {
        steel -= 8;
        Message_With(oenorm_refusal, Steel_Name(steel));
    }
}

void Creep_Recompute(Work& w)
{
    if (!w.creep_switch) return;
    Set_Creep_Norm_Code(Norm(w));
    const double fck = Work_Fck(w);
    const double fcm = Get_Concrete_Fcm(Norm(w), fck, w.density);
    if (w.h0 < 0.001 && w.u > 0.001) w.h0 = 2.0 * w.ac / w.u;
    if (w.compute_creep)
        w.phi = Calc_Creep_Coefficient(w.rh, w.cement_class, 10.0 * w.h0, std::min(w.t0, CREEP_FINAL_AGE_DAYS),
                                       CREEP_FINAL_AGE_DAYS, fcm, nullptr) *
                w.creep_factor;
    if (w.compute_shrinkage)
        w.eps = std::fabs(
            Get_Shrinkage_Strain(w.rh, w.cement_class, 10.0 * w.h0, 0.0, CREEP_FINAL_AGE_DAYS, fcm, fck, nullptr));
}

// The values that depend on the standard and the classes, as the sheet shows them.
void Settle(Work& w)
{
    if (w.standard == DIN_2001) Set_DIN1045_1_Edition(1);
    if (w.standard == DIN_2008) Set_DIN1045_1_Edition(0);
    if (!Kind_Choosable(w)) w.lightweight = 0;
    w.kind = w.lightweight;
    if (w.lightweight && (w.concrete >= CONCRETE_FIRST_CLASS && w.concrete <= 17))
        w.density = std::clamp(w.density, 800.0, 2000.0);
    if (!Density_Editable(w)) w.density = 2200.0;
    if (w.standard == DIN_1988 || w.standard == OENORM) w.alpha = 1.0;
    else if (Is_Ec2(w)) w.alpha = 0.0;
    w.alpha = w.alpha < 0.001 ? 0.0 : std::min(w.alpha, 1.0);
    if (w.standard == OENORM && w.law == 1) w.law = 2;
    if (!Newer(w)) {
        w.gamma_c = w.gamma_s = 1.0;
    } else if (w.situation == 2) {
        w.gamma_c = w.user_gamma_c;
        w.gamma_s = w.user_gamma_s;
    }
    w.pos_top = Material_Sheet_Steel_Position(w.mode, w.steel_top);
    w.pos_bottom = Material_Sheet_Steel_Position(w.mode, w.steel_bottom);
}

void Display_Factors(Work& w, const NAD_EC2_Params* annex)
{
    if (!Newer(w) || w.situation == 2) return;
    double fck = 12.0;
    if (w.concrete >= CONCRETE_FIRST_CLASS && w.concrete < CONCRETE_FREE)
        fck = concrete_class_table[w.concrete - CONCRETE_FIRST_CLASS].fck;
    else if (w.concrete >= CONCRETE_FREE)
        fck = w.free_c[1];
    Get_Partial_Safety_Factors(w.situation, fck, Norm(w), &w.gamma_c, &w.gamma_s, annex);
}

int Add_List(int x, int y, int width, int count, int* index, int code, const char* label)
{
    const int list = Add_Stringlist_to_PS(x, y, width, count, index, code);
    if (label) Add_Aligned_Connected_Text_to_Button_of_PS(list, label, 0x1000, BLACK_CI, 1);
    return list;
}

// The label left of the modular ratio field (its right end at right, the first base
// line at y): the law's name on two lines, or for the linear laws the ratio Es/Ec.
void Draw_Ratio_Label(int right, int y, int law)
{
    constexpr int normal = 0x1000, small = 0x1002;
    if (law >= 2) {
        // The gap of two blanks after the first E takes its subscript.
        const char* const text = "E  /E";
        const int x = right - Get_Text_Width_In_Font(text, normal) - 1 - Get_Text_Width_In_Font("c", small);
        Draw_Funny_Text_to_PS(x, y + 7, text, normal, BLACK_CI, 0);
        Draw_Funny_Text_to_PS(x + Get_Text_Width_In_Font("E", normal) + 1, y + 10, "s", small, BLACK_CI, 0);
        Draw_Funny_Text_to_PS(x + Get_Text_Width_In_Font(text, normal) + 1, y + 10, "c", small, BLACK_CI, 0);
        return;
    }
    const char* const first = law == 1 ? "wirklich-" : "Parabel-";
    const char* const second = law == 1 ? "keitsnah" : "Rechteck";
    const int x = right - std::max(Get_Text_Width_In_Font(first, small), Get_Text_Width_In_Font(second, small));
    Draw_Funny_Text_to_PS(x, y, first, small, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x, y + 10, second, small, BLACK_CI, 0);
}

void Build_Sheet(Work& w, const Material_Set& set, int x1, int y1, const char* title)
{
    const int x2 = x1 + SHEET_WIDTH - 1, y2 = y1 + SHEET_HEIGHT - 1;
    char name[160];
    if (title && *title) std::snprintf(name, sizeof name, "MATERIAL (%s)", title);
    else std::snprintf(name, sizeof name, "MATERIAL");
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, name, 0, 0);
    const int x = x1 + 130;
    const int newer = Newer(w) ? 1 : 0;

    // Standard and annex.
    const int standards = Add_List(x, y1 + 32, 18, w.mode == 0 ? 1 : STANDARD_COUNT, &w.standard, CODE_STANDARD,
                                   "Vorschrift");
    for (int k = 0; k < (w.mode == 0 ? 1 : STANDARD_COUNT); ++k) Fill_Stringlist_of_PS(standards, k, Standard_Text(k).c_str(), Standard_Colour(k));
    Draw_Funny_Text_to_PS(x1 + 430, y1 + 46, "NA:", 0x1000, BLACK_CI, 0);
    const int annex = Add_Single_Button_to_PS(x1 + 500, y1 + 30, 0, CODE_ANNEX, "...", nullptr, 0);
    Set_Comment_to_Button_PS(annex, "ausgew\x84hlte Parameter des\nnationalen Anhangs bearbeiten");
    Change_Activity_PS(annex, Is_Ec2(w) ? 1 : 0);
    Change_Action_State_PS(annex, Is_Ec2(w) ? 1 : 0);

    // Concrete.
    const int concrete_state = w.concrete_editable ? 1 : 0;
    const int concretes = Add_List(x, y1 + 62, 10, Concrete_Count(w), &w.concrete, CODE_CONCRETE, "BETON");
    for (int k = 0; k < Concrete_Count(w); ++k) Fill_Stringlist_of_PS(concretes, k, Concrete_Name(w, k).c_str(), Concrete_Colour(w, k));
    Change_Activity_PS(concretes, concrete_state);
    const int free_concrete = Add_Single_Button_to_PS(x + 130, y1 + 62, 0, CODE_FREE_CONCRETE, "...", nullptr, 0);
    const int free_on = w.concrete == CONCRETE_FREE && w.concrete_editable ? 1 : 0;
    Change_Activity_PS(free_concrete, free_on);
    Change_Action_State_PS(free_concrete, free_on);
    const int kinds = Add_List(x + 250, y1 + 62, 11, Kind_Choosable(w) ? 2 : 1, &w.kind, CODE_KIND, nullptr);
    Fill_Stringlist_of_PS(kinds, 0, "Normalbeton");
    if (Kind_Choosable(w)) Fill_Stringlist_of_PS(kinds, 1, "Leichtbeton");
    Change_Activity_PS(kinds, concrete_state);
    const int density = Add_Float_to_PS(x, y1 + 90, 5, "%4.0f", &w.density, CODE_DENSITY);
    Add_Aligned_Connected_Text_to_Button_of_PS(density, "Rohdichte", 0x1000, BLACK_CI, 1);
    Add_Aligned_Connected_Text_to_Button_of_PS(density, "kg/m\xFA", 0x1000, BLACK_CI, 0);
    Change_Activity_PS(density, Density_Editable(w) && w.concrete_editable ? 1 : 0);
    const int alpha = Add_Float_to_PS(x + 250, y1 + 90, 5, "%5.3f", &w.alpha, CODE_ALPHA);
    Add_Aligned_Connected_Text_to_Button_of_PS(alpha, "\xBA", 0x1000, BLACK_CI, 1);
    if (Is_Ec2(w)) Add_Aligned_Connected_Text_to_Button_of_PS(alpha, "s. NA", 0x1000, BLACK_CI, 0);
    Change_Activity_PS(alpha, w.standard == DIN_1988 || w.standard == OENORM || Is_Ec2(w) || !w.concrete_editable ? 0 : 1);

    // Steels.
    const int steel_state = w.steel_editable ? 1 : 0;
    const int top = Add_List(x, y1 + 122, 12, Steel_Count(w), &w.pos_top, CODE_STEEL_TOP,
                             w.two_layers ? "BEWEHRUNG OBEN" : "BEWEHRUNG");
    for (int k = 0; k < Steel_Count(w); ++k)
        Fill_Stringlist_of_PS(top, k, Steel_Name(Material_Sheet_Steel_Index(w.mode, k)).c_str(),
                              Steel_Colour(w, Material_Sheet_Steel_Index(w.mode, k)));
    Change_Activity_PS(top, steel_state);
    const int free_top = Add_Single_Button_to_PS(x + 140, y1 + 122, 0, CODE_FREE_STEEL_TOP, "...", nullptr, 0);
    const int top_free = w.steel_top == STEEL_FREE && w.steel_editable ? 1 : 0;
    Change_Activity_PS(free_top, top_free);
    Change_Action_State_PS(free_top, top_free);
    if (w.two_layers) {
        const int bottom = Add_List(x, y1 + 150, 12, Steel_Count(w), &w.pos_bottom, CODE_STEEL_BOTTOM,
                                    "BEWEHRUNG UNTEN");
        for (int k = 0; k < Steel_Count(w); ++k)
            Fill_Stringlist_of_PS(bottom, k, Steel_Name(Material_Sheet_Steel_Index(w.mode, k)).c_str(),
                                  Steel_Colour(w, Material_Sheet_Steel_Index(w.mode, k)));
        Change_Activity_PS(bottom, steel_state);
        const int free_bottom =
            Add_Single_Button_to_PS(x + 140, y1 + 150, 0, CODE_FREE_STEEL_BOTTOM, "...", nullptr, 0);
        const int bottom_free = w.steel_bottom == STEEL_FREE && w.steel_editable ? 1 : 0;
        Change_Activity_PS(free_bottom, bottom_free);
        Change_Action_State_PS(free_bottom, bottom_free);
    }

    // Situation and factors.
    const int situations = Add_List(x, y1 + 186, 26, 3, &w.situation, CODE_SITUATION, "Bemessungssituation");
    Fill_Stringlist_of_PS(situations, 0, "Grundkombination");
    Fill_Stringlist_of_PS(situations, 1, "au\xE1" "ergew\x94hnliche Kombination");
    Fill_Stringlist_of_PS(situations, 2, "benutzerdefiniert");
    Change_Activity_PS(situations, newer);
    const int user = newer && w.situation == 2 ? 1 : 0;
    const int gc = Add_Float_to_PS(x1 + 440, y1 + 186, 4, "%4.2f", &w.gamma_c, CODE_GAMMA_C);
    Add_Aligned_Connected_Text_to_Button_of_PS(gc, "\xC0" "c", 0x1000, BLACK_CI, 1);
    Change_Activity_PS(gc, user);
    const int gs = Add_Float_to_PS(x1 + 530, y1 + 186, 4, "%4.2f", &w.gamma_s, CODE_GAMMA_S);
    Add_Aligned_Connected_Text_to_Button_of_PS(gs, "\xC0s", 0x1000, BLACK_CI, 1);
    Change_Activity_PS(gs, user);

    // Laws.
    const char* uls = Is_Ec2(w) ? "3.1.7" : w.standard == OENORM ? "Bild 7" : w.standard == DIN_FB_102 ? "A: 4.2" : "9.1.6";
    const char* realistic = Is_Ec2(w) ? "3.1.5" : w.standard == OENORM ? " ---  " : w.standard == DIN_FB_102 ? "A: 4.1" : "9.1.5";
    Draw_Funny_Text_to_PS(x1 + 15, y1 + 230, "Tragf\x84higkeit", 0x1000, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x, y1 + 230, newer ? uls : "", 0x1000, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x + 70, y1 + 224, "Parabel-", 0x1002, BLACK_CI, 0);
    Draw_Funny_Text_to_PS(x + 70, y1 + 234, "Rechteck", 0x1002, BLACK_CI, 0);
    w.shown_law = w.law_negative && w.law < 0 ? 0 : w.law;
    const int laws = Add_List(x + 250, y1 + 218, 7, newer ? 4 : 2, &w.shown_law, CODE_LAW, "Gebrauchszustand");
    Fill_Stringlist_of_PS(laws, 0, newer ? uls : "");
    Fill_Stringlist_of_PS(laws, 1, newer ? realistic : "");
    if (newer) {
        Fill_Stringlist_of_PS(laws, 2, "linear");
        Fill_Stringlist_of_PS(laws, 3, "linear", Red());
    }
    Change_Activity_PS(laws, newer);
    const int ratio = Add_Float_to_PS(x1 + 530, y1 + 218, 4, "%4.1f", &w.ratio, CODE_RATIO);
    Draw_Ratio_Label(x1 + 524, y1 + 224, w.shown_law);
    Change_Activity_PS(ratio, newer && w.shown_law == 3 ? 1 : 0);

    // Creep and shrinkage.
    const int creep_allowed = newer && w.standard != OENORM ? 1 : 0;
    const int creep = Add_Logical_Button_to_PS(x1 + 15, y1 + 262, CODE_CREEP_SWITCH, &w.creep_switch, CHBOX_BUTTON_LAYOUT);
    Add_Aligned_Connected_Text_to_Button_of_PS(creep, "Kriechen und Schwinden", 0x1000, BLACK_CI, 0);
    Change_Activity_PS(creep, creep_allowed);
    const int creep_button = Add_Single_Button_to_PS(x + 60, y1 + 258, 0, CODE_CREEP_SHEET, "...", nullptr, 0);
    Set_Comment_to_Button_PS(creep_button, "Kriechzahl/Schindma\xE1\nberechnen");
    const int creep_on = creep_allowed && w.creep_switch ? 1 : 0;
    Change_Activity_PS(creep_button, creep_on);
    Change_Action_State_PS(creep_button, creep_on);
    const int phi = Add_Float_to_PS(x1 + 440, y1 + 258, 5, "%5.3f", &w.phi, CODE_PHI);
    Add_Aligned_Connected_Text_to_Button_of_PS(phi, "\xDA", 0x1000, BLACK_CI, 1);
    Change_Activity_PS(phi, creep_on && !w.compute_creep ? 1 : 0);
    const int eps = Add_Float_to_PS(x1 + 530, y1 + 258, 5, "%5.3f", &w.eps, CODE_EPS);
    Add_Aligned_Connected_Text_to_Button_of_PS(eps, "\xBE -", 0x1000, BLACK_CI, 1);
    Change_Activity_PS(eps, creep_on && !w.compute_shrinkage ? 1 : 0);

    // Exposure class.
    const int exposure = Add_Logical_Button_to_PS(x1 + 15, y1 + 296, CODE_EXPOSURE_SWITCH, &w.exposure_switch,
                                                  CHBOX_BUTTON_LAYOUT);
    Add_Aligned_Connected_Text_to_Button_of_PS(exposure, "Expositionsklasse", 0x1000, BLACK_CI, 0);
    Change_Activity_PS(exposure, newer);
    const int exposures = Add_List(x + 60, y1 + 292, 5, 11, &w.exposure, CODE_EXPOSURE, nullptr);
    const NAD_EC2_Params& params = Material_Set_Annex(set);
    for (int k = 0; k < 11; ++k) Fill_Stringlist_of_PS(exposures, k, params.exposure_class_name[k + 1]);
    Change_Activity_PS(exposures, newer && w.exposure_switch ? 1 : 0);

    Add_Single_Button_to_PS(x1 + 15, y2 - 44, 0, CODE_CANCEL, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS(x1 + SHEET_WIDTH / 2 - 12, y2 - 44, "CALC_MATERIAL");
    Add_Single_Button_to_PS(x2 - 50, y2 - 44, 0, CODE_OK, nullptr, SYMBOLIC_OK_RASTER, 0);
    Activate_Prop_Sheet();
    NAD_Draw_Flag(x1 + 460, y1 + 32, x1 + 485, y1 + 51, 201, NAD_Get_Active_Code());
}

void Load(Work& w, const Material_Set& set)
{
    const Concrete_Record& c = set.concrete[0];
    if (!set.new_standard) w.standard = DIN_1988;
    else if (set.din_2008_rules) w.standard = DIN_FB_102;
    else if (set.oenorm) w.standard = OENORM;
    else if (set.en1992_1_1) w.standard = EC2;
    else if (set.en1992_2) w.standard = EC2_2;
    else w.standard = Get_DIN1045_1_Edition() == 1 ? DIN_2001 : DIN_2008;
    if (w.mode == 0) w.standard = DIN_1988;
    w.concrete = std::clamp(c.class_index, 0, CONCRETE_FREE);
    w.lightweight = c.lightweight ? 1 : 0;
    w.density = c.density > 0.0 ? c.density : 2200.0;
    w.alpha = c.value_2 >= 0.001 ? c.value_2 : c.alpha_cc;
    w.steel_bottom = std::clamp(set.steel[0].steel_index, 0, STEEL_FREE);
    w.steel_top = w.two_layers ? std::clamp(set.steel[1].steel_index, 0, STEEL_FREE) : w.steel_bottom;
    w.situation = std::clamp(set.situation_code, 0, 2);
    w.gamma_c = w.user_gamma_c = set.gamma_c;
    w.gamma_s = w.user_gamma_s = set.gamma_s;
    w.law_negative = set.law_choice < 0;
    w.law = std::clamp(set.law_choice, 0, 3);
    if (w.standard == OENORM && w.law == 1) w.law = 0;
    w.ratio = set.modular_ratio;
    w.compute_creep = c.int_a;
    w.compute_shrinkage = c.int_b;
    w.cement_class = c.int_c;
    w.phi = c.creep_coeff;
    w.eps = std::fabs(c.shrink_strain);
    w.rh = c.tension_values[CREEP_INPUT_RH];
    w.ac = c.tension_values[CREEP_INPUT_AC];
    w.u = c.tension_values[CREEP_INPUT_U];
    w.h0 = c.tension_values[CREEP_INPUT_H0];
    w.t0 = c.tension_values[CREEP_INPUT_T0];
    w.creep_factor = c.tension_values[CREEP_INPUT_FACTOR];
    w.creep_switch = Newer(w) && w.standard != OENORM &&
                     (std::fabs(w.phi) > 0.001 || w.eps > 0.001 || w.compute_creep || w.compute_shrinkage);
    w.exposure_switch = Newer(w) && set.stored_int_a >= 1;
    w.exposure = std::clamp(set.stored_int_a - 1, 0, 10);
    if (w.concrete == CONCRETE_FREE) {
        w.free_c[1] = c.fck;
        w.free_c[2] = w.alpha * c.fck;
        w.free_c[3] = std::fabs(c.eps_c2);
        w.free_c[4] = std::fabs(c.eps_cu);
        w.free_c[5] = c.n_exp;
        w.free_c[6] = c.e_modulus;
        w.free_c[7] = c.fctm;
    }
    auto load_steel = [](Free_Steel& f, const Steel_Record& s) {
        if (s.steel_index != STEEL_FREE) return;
        f.fyk = s.fyk;
        f.ftk = s.ftk;
        f.eps_uk = s.eps_uk;
        f.es = s.es;
    };
    load_steel(w.free_bottom, set.steel[0]);
    load_steel(w.free_top, w.two_layers ? set.steel[1] : set.steel[0]);
}

// The checks of OK in their order; false when one refuses.
bool Validate(const Work& w, const Material_Set& set)
{
    const bool glass = Either_Steel(w, STEEL_GLASS_FIBRE);
    const bool ductility_a = Either_Steel(w, 3);
    const bool high = High_Strength(w.concrete);
    if (w.standard == EC2_2 && w.concrete_editable) {
        if (w.lightweight) {
            PrintMessage("Achtung: Leichtbeton nach EC2-2 wird nicht unterst\x81tzt !\n");
            return false;
        }
        if (high) PrintMessage("Hinweis: Hochfester Beton nach EC2-2 ist nicht erlaubt !\nWird hier aber zugelassen.");
        if (ductility_a)
            PrintMessage("Hinweis: Normalduktiler Stahl nach EC2-2 ist nicht erlaubt !\nWird hier aber zugelassen.");
    }
    if (w.standard == OENORM && w.concrete_editable) {
        if (w.lightweight) {
            PrintMessage("Hinweis: Leichtbeton kann nach \x99N B 4700 nicht bemessen werden !\n");
            return false;
        }
        if (high) {
            PrintMessage("Hinweis: Hochfester Beton kann nach \x99N B 4700 nicht bemessen werden !\n");
            return false;
        }
    }
    if (w.standard == DIN_FB_102 && w.concrete_editable) {
        if (w.lightweight) {
            PrintMessage("Achtung: Leichtbeton nach DIN Fachbericht 102 ist nicht erlaubt !\n");
            return false;
        }
        if (high)
            PrintMessage("Hinweis: Hochfester Beton nach DIN Fachbericht 102 ist nicht erlaubt !\nWird hier aber "
                         "zugelassen.");
        if (ductility_a)
            PrintMessage("Hinweis: Normalduktiler Stahl nach DIN Fachbericht 102 ist nicht erlaubt !\nWird hier "
                         "aber zugelassen.");
    }
    if (w.steel_editable && glass) {
        if (w.lightweight) {
            PrintMessage("Achtung: Leichtbeton mit GFK-Bewehrung (Sch\x94" "ck ComBAR) ist nicht erlaubt !");
            return false;
        }
        if (high) {
            PrintMessage("Achtung: Hochfester Beton mit GFK-Bewehrung (Sch\x94" "ck ComBAR) ist nicht erlaubt !");
            return false;
        }
    }
    if (w.steel_editable && w.standard == OENORM && Either_Steel(w, STEEL_LATTICE_GIRDER)) {
        PrintMessage("Achtung: Betonstahlg\x81te ist nicht erlaubt !");
        return false;
    }
    if ((Newer(w) ? 1 : 0) != (set.new_standard ? 1 : 0))
        PrintMessage("! ACHTUNG !\n\x8E" "nderung der Vorschriften:\nDas Nachweisniveau unterscheidet sich ggf.\n"
                     "\x9A" "berpr\x81" "fen Sie bitte unbedingt die Lasteingabe!\n");
    return true;
}

void Store(const Work& w, Material_Set& set)
{
    Concrete_Record& c = set.concrete[0];
    set.new_standard = Newer(w) ? 1 : 0;
    set.din_2008_rules = w.standard == DIN_FB_102;
    set.oenorm = w.standard == OENORM;
    set.en1992_1_1 = w.standard == EC2;
    set.en1992_2 = w.standard == EC2_2;
    if (Newer(w)) {
        c.int_c = w.cement_class;
        c.tension_values[CREEP_INPUT_RH] = w.rh;
        c.tension_values[CREEP_INPUT_AC] = w.ac;
        c.tension_values[CREEP_INPUT_U] = w.u;
        c.tension_values[CREEP_INPUT_H0] = w.h0;
        c.tension_values[CREEP_INPUT_T0] = w.t0;
        c.tension_values[CREEP_INPUT_FACTOR] = w.creep_factor;
    }
    if (Newer(w) && w.standard != OENORM && w.creep_switch) {
        c.int_a = w.compute_creep;
        c.int_b = w.compute_shrinkage;
        c.creep_coeff = w.phi;
        c.shrink_strain = -std::fabs(w.eps);
    } else {
        c.int_a = c.int_b = 0;
        c.creep_coeff = c.shrink_strain = 0.0;
    }
    set.stored_int_a = Newer(w) && w.exposure_switch ? w.exposure + 1 : 0;
    c.density = w.density;
    c.class_index = w.concrete;
    c.lightweight = w.lightweight;
    const double alpha = Work_Fck(w) < 0.001 ? 0.85 : w.alpha;
    c.value_2 = c.alpha_cc = alpha;
    set.steel[0].steel_index = Bottom_Steel(w);
    set.steel[1].steel_index = w.steel_top;
    set.gamma_c = w.gamma_c;
    set.situation_code = w.situation;
    set.gamma_s = w.gamma_s;
    if (w.concrete == CONCRETE_FREE)
        Set_Free_Material_Values(&set, 0, 0, w.free_c[1], w.free_c[2], -w.free_c[3], -w.free_c[4], w.free_c[5],
                                 w.free_c[6], w.free_c[7]);
    for (int k = 0; k < 2; ++k) {
        if (set.steel[k].steel_index != STEEL_FREE) continue;
        const Free_Steel& f = (k == 0 && w.two_layers) ? w.free_bottom : w.free_top;
        Set_Free_Material_Values(&set, 1, k, f.fyk, f.ftk, f.eps_uk, f.eps_uk, f.es, 0.0, 0.0);
    }
    if (!w.law_negative || w.shown_law != 0) set.law_choice = Newer(w) ? w.law : 0;
    const int norm = Norm(w);
    if (w.law <= 2) {
        const Free_Steel& f = w.two_layers ? w.free_bottom : w.free_top;
        const int first = set.steel[0].steel_index;
        const double es = first == STEEL_FREE ? f.es : Get_Steel_Es(first);
        const double ecm = w.concrete == CONCRETE_FREE
                               ? w.free_c[6]
                               : Get_Concrete_Ecm(norm, w.concrete, Work_Fck(w), w.density, nullptr);
        set.modular_ratio = ecm > 0.001 ? es / ecm : w.ratio;
    } else {
        set.modular_ratio = w.ratio;
    }
    Calc_Material_Set(&set, 1);
}

} // namespace

int Propose_Concrete_Class(int to_old, int class_index)
{
    if (to_old) {
        if (class_index <= 6) return 0;
        if (class_index <= 8) return 1;
        if (class_index == 9) return 2;
        if (class_index <= 11) return 3;
        return 4;
    }
    switch (class_index) {
    case 0: return 5;
    case 1: return 7;
    case 2: return 9;
    case 3: return 10;
    default: return 12;
    }
}

int Propose_Steel_Class(int to_old, int class_index)
{
    if (to_old) return 2;
    return class_index == 2 ? 4 : 3;
}

int Material_Sheet_Steel_Position(int mode, int steel_index)
{
    if (mode != 1 || steel_index < 7) return steel_index;
    if (steel_index >= 11) return steel_index - 4;
    return Propose_Steel_Class(0, steel_index);  // B550/B600 are not offered here
}

int Material_Sheet_Steel_Index(int mode, int position)
{
    if (mode != 1 || position < 7) return position;
    return position + 4;
}

int Show_Material_Sheet(Material_Set* set, int mode, int concrete_editable, int steel_editable, int two_layers,
                        const char* title)
{
    if (!set || !set->concrete || !set->steel || set->n_concrete < 1 || set->n_steel < 2) return 0;
    const Scoped_Screen_Code_Page cp850(Code_Page::Cp850_Symbols);
    const int edition_at_opening = Get_DIN1045_1_Edition();
    Work w;
    w.mode = std::clamp(mode, 0, 2);
    w.concrete_editable = concrete_editable;
    w.steel_editable = steel_editable;
    w.two_layers = two_layers;
    Load(w, *set);

    material_sheet_origin.Ensure();
    int x1 = material_sheet_origin.x - SHEET_WIDTH / 2, y1 = material_sheet_origin.y - SHEET_HEIGHT / 2;
    int x2 = x1 + SHEET_WIDTH - 1, y2 = y1 + SHEET_HEIGHT - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    const NAD_EC2_Params* annex = &Material_Set_Annex(*set);

    int result = -1;
    int code = 0;
    while (result < 0) {
        Settle(w);
        Display_Factors(w, annex);
        const int buffer = pxBuff(-1);
        Build_Sheet(w, *set, x1, y1, title);
        pxBuff(buffer);
        code = Edit_Prop_Sheet();
        int dx = 0, dy = 0;
        Prop_Sheet_Displacement(&dx, &dy);
        x1 += dx;
        y1 += dy;

        switch (code) {
        case CODE_CANCEL:
            // Once an OK was refused, the user has seen what stands in the way and may
            // have mended it: cancel then confirms like OK, checks included, so that the
            // mended values are not thrown away.
            if (!w.ok_tried) {
                result = 0;
                break;
            }
            [[fallthrough]];
        case CODE_OK:
            if (Validate(w, *set)) result = 1;
            else w.ok_tried = 1;
            break;
        case CODE_STANDARD:
            Settle(w);
            Creep_Recompute(w);
            Concrete_Checks(w);
            Steel_Checks(w, w.steel_top);
            if (w.two_layers) Steel_Checks(w, w.steel_bottom);
            break;
        case CODE_CONCRETE: Concrete_Checks(w); break;
        case CODE_KIND:
        case CODE_DENSITY:
            w.lightweight = w.kind;
            if (w.lightweight) w.density = std::clamp(w.density, 800.0, 2000.0);
            Creep_Recompute(w);
            Concrete_Checks(w);
            break;
        case CODE_STEEL_TOP:
            w.steel_top = Material_Sheet_Steel_Index(w.mode, w.pos_top);
            Steel_Checks(w, w.steel_top);
            break;
        case CODE_STEEL_BOTTOM:
            w.steel_bottom = Material_Sheet_Steel_Index(w.mode, w.pos_bottom);
            Steel_Checks(w, w.steel_bottom);
            break;
        case CODE_FREE_CONCRETE:
            Show_Free_Material_Sheet(Norm(w), 1, w.density, &w.free_c[1], &w.free_c[2], &w.free_c[3], &w.free_c[4],
                                     &w.free_c[5], &w.free_c[6], &w.free_c[7]);
            break;
        case CODE_FREE_STEEL_TOP:
        case CODE_FREE_STEEL_BOTTOM: {
            Free_Steel& f = code == CODE_FREE_STEEL_TOP ? w.free_top : w.free_bottom;
            double unused = 0.0;
            Show_Free_Material_Sheet(Norm(w), 0, w.density, &f.fyk, &f.ftk, &f.eps_uk, &f.eps_uk, &f.es, &f.es,
                                     &unused);
            break;
        }
        case CODE_SITUATION: {
            if (Either_Steel(w, STEEL_GLASS_FIBRE) && w.situation < 2) {
                PrintMessage("GFK-Bewehrung (Sch\x94" "ck ComBAR) erfordert einen DIN-unabh\x84ngigen "
                             "Material-Sicherheitsbeiwert !");
                w.situation = 2;
            }
            break;
        }
        case CODE_GAMMA_C:
        case CODE_GAMMA_S:
            if (w.situation == 2) {
                w.user_gamma_c = w.gamma_c;
                w.user_gamma_s = w.gamma_s;
            }
            break;
        case CODE_ALPHA: w.alpha = w.alpha < 0.001 ? 0.0 : std::min(w.alpha, 1.0); break;
        case CODE_LAW: w.law = w.shown_law; break;
        case CODE_CREEP_SHEET: {
            Set_Creep_Norm_Code(Norm(w));
            const double fck = Work_Fck(w);
            Show_Creep_Shrinkage_Sheet(0, &w.phi, &w.eps, &w.compute_creep, &w.compute_shrinkage, &w.cement_class,
                                       &w.rh, &w.ac, &w.u, &w.h0, &w.t0, &w.creep_factor,
                                       Get_Concrete_Fcm(Norm(w), fck, w.density), fck);
            break;
        }
        case CODE_ANNEX: NAD_Open_Selection_Sheet(); break;
        default: break;
        }
        // Messages and dialogs of the event stand over the sheet; then it is built anew.
        Undefine_Prop_Sheet();
    }
    material_sheet_origin.x = x1 + SHEET_WIDTH / 2;
    material_sheet_origin.y = y1 + SHEET_HEIGHT / 2;

    Set_DIN1045_1_Edition(edition_at_opening);
    if (result == 1) {
        if (w.standard == DIN_2001) Set_DIN1045_1_Edition(1);
        if (w.standard == DIN_2008) Set_DIN1045_1_Edition(0);
        Store(w, *set);
    }
    return result;
}
