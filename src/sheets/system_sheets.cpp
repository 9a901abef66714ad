// Register page 1: system, materials, partial factors, exposure, geometry with the sketch
// and the required reinforcement. Screen texts are code page 850 bytes.
#include "sheets/system_sheets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "sheets/program/corbel_dialogs.h"
#include "core/corbel_calculation.h"
#include "core/corbel_fatigue.h"
#include "core/corbel_model.h"
#include "sheets/program/main_loop.h"
#include "material/material_set.h"
#include "platform/codepage.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "report/page_head.h"
#include "sheets/corbel_sketch.h"
#include "sheets/edit_buffer.h"
#include "sheets/register_pages.h"
#include "toolkit/scroll_area.h"

#if __has_include("sheets/program/safety_factor_fields.h")
#include "sheets/program/safety_factor_fields.h"
#define SHEETS_HAVE_SAFETY_FACTOR_FIELDS 1
#elif __has_include("core/safety_factor_sheet.h")
#include "core/safety_factor_sheet.h"
#define SHEETS_HAVE_SAFETY_FACTOR_FIELDS 1
#endif

namespace {

const Screen_Palette& P()
{
    return screen_palette;
}

// ---- choice lists (built once; the exposure texts are copied afresh at every build) ----

Choice_Entry code_entries[2];
Choice_Entry kind_entries[2];
Choice_Entry situation_entries[4];
Choice_Entry steel_entries[12];
Choice_Entry concrete_entries[34];
Choice_Entry corrosion_entries[12];
Choice_Entry attack_entries[11];
Choice_Entry system_entries[2];
Choice_Entry connection_entries[2];
// The annex's class names are five bytes without a guaranteed terminator: the list shows
// copies, refreshed at every build so that a change of annex shows at once.
char corrosion_texts[12][6];
bool system_lists_built = false;
bool geometry_lists_built = false;

void Build_System_Lists()
{
    if (system_lists_built) return;
    system_lists_built = true;
    NAD_Get_NA_DE_Flag();  // makes sure the active annex set is initialised
    code_entries[0] = {P().text_black, "EC 2 Hochbau     "};
    code_entries[1] = {P().text_black, "EC 2 Betonbr\x81" "cken"};
    kind_entries[0] = {P().text_black, "Einzelkonsole"};
    kind_entries[1] = {P().text_black, "Tr\x84gerkonsole"};
    situation_entries[0] = {P().text_black, "Grundkombination            "};
    situation_entries[1] = {P().text_black, "Erdbeben-Kombination        "};
    situation_entries[2] = {P().text_black, "au\xE1" "ergew\x94hnliche Kombination"};
    situation_entries[3] = {P().choice_free, "frei                        "};
    for (int i = 0; i < 3; ++i) steel_entries[i] = {P().frame_grey, din1045_steel_class_names[i]};
    for (int i = 0; i < 8; ++i)
        steel_entries[3 + i] = {i < 4 ? P().text_black : P().choice_green, steel_class_names[i]};
    steel_entries[11] = {P().choice_free, "frei"};
    for (int i = 0; i < 5; ++i)
        concrete_entries[i] = {P().frame_grey, din1045_concrete_class_names[i]};
    for (int i = 0; i < 15; ++i) concrete_entries[5 + i] = {P().text_black, concrete_class_names[i]};
    for (int i = 0; i < 13; ++i)
        concrete_entries[20 + i] = {P().choice_green, lightweight_concrete_class_names[i]};
    concrete_entries[33] = {P().choice_free, "frei"};
    static const char* const attack[11] = {"---", "XF1", "XF2", "XF3", "XF4", "XA1",
                                           "XA2", "XA3", "XM1", "XM2", "XM3"};
    for (int i = 0; i < 11; ++i) attack_entries[i] = {i == 0 ? P().warning_red : P().text_black, attack[i]};
}

void Refresh_Corrosion_Entries()
{
    const NAD_EC2_Params* params = NAD_Get_EC2_Params();
    for (int i = 0; i < 12; ++i) {
        std::memset(corrosion_texts[i], 0, sizeof corrosion_texts[i]);
        if (params) std::memcpy(corrosion_texts[i], params->exposure_class_name[i], 5);
        corrosion_entries[i] = {i == 0 ? P().warning_red : P().text_black, corrosion_texts[i]};
    }
}

void Build_Geometry_Lists()
{
    if (geometry_lists_built) return;
    geometry_lists_built = true;
    system_entries[0] = {P().text_black, "Lastkonsole"};
    system_entries[1] = {P().text_black, "Auflagerkonsole"};
    connection_entries[0] = {P().text_black, "Tr\x84ger"};
    connection_entries[1] = {P().text_black, "St\x81tze"};
}

// The corrosion and attack classes keep a copy beside them.
void Copy_Corrosion_Class(int value)
{
    corbel_model.exposure_second[0] = value;
}

void Copy_Attack_Class(int value)
{
    corbel_model.exposure_second[1] = value;
}

// The corbel's length: a negative one is refused with a box that names the field, and
// the field keeps what it had (a length from the file that is negative is still taken
// as 0 when the field is left unchanged).
double* Corbel_Length_Typed(double* value)
{
    const double old_value = Area_Value_Before_Edit();
    if (!(*value < 0.0) || *value == old_value) return Clamp_Non_Negative(value);
    const double kept = std::max(old_value, 0.0);
    char text[200];
    std::snprintf(text, sizeof text,
                  "Der Wert %g f\x81r lk wird nicht \x81" "bernommen:\n"
                  "zul\x84ssig ist Wert \xF2 0.\nDer bisherige Wert %g bleibt.",
                  *value, kept);
    PrintMessage(text);
    *value = kept;
    return value;
}

// ---- row helpers ----

void Text(int area, int x, int y, const char* text, int font = -1, int colour = -1, int align = 0)
{
    Area_Add_Text(area, x, y, text, font < 0 ? P().font_normal : font,
                  colour < 0 ? P().text_black : colour, align);
}

void Heading(int area, int x, int y, const char* text)
{
    Text(area, x, y, text, P().font_heading);
}

// A symbol with its index 6 pixels right and 2 lower.
void Symbol(int area, int x, int y, const char* symbol, const char* index)
{
    Text(area, x, y, symbol);
    if (index && *index) Text(area, x + 6 + (std::strlen(symbol) > 1 ? 6 : 0), y + 2, index, P().font_index);
}

void Number(int area, int x, int y, double* value, const char* format, int* cell,
            Field_Check_Callback check = Clamp_Non_Negative)
{
    Area_Add_Float_Field(area, x, y, value, format, P().font_normal, P().text_black, cell);
    if (check) Area_Set_Item_Check(area, check);
}

void Unit(int area, int x, int y, const char* unit)
{
    Text(area, x, y, unit, P().font_normal, P().unit_text);
}

// One labelled row of the material blocks: label, symbol, field, unit.
void Material_Row(int area, int x, int y, const char* label, const char* symbol,
                  const char* index, double* value, const char* format, const char* unit,
                  int* cell, bool modulus = false)
{
    Text(area, x, y, label);
    const int sx = modulus ? x + 213 : x + 245;
    Text(area, sx, y, symbol);
    if (index) Text(area, sx + (modulus ? 8 : 6), y + 2, index, P().font_index);
    Number(area, modulus ? x + 248 : x + 280, y, value, format, cell);
    if (unit) Unit(area, x + 345, y, unit);
}

// A geometry field: symbol at column + 180, field at + 210, "cm" at + 275.
void Dimension_Field(int area, int column, int y, const char* symbol, const char* index,
                     double* value, int* cell, Field_Check_Callback check = Clamp_Non_Negative)
{
    Symbol(area, column + 180, y, symbol, index);
    Number(area, column + 210, y, value, "%6.1f", cell, check);
    Unit(area, column + 275, y, "cm");
}

}  // namespace

void Format_Page_Title(char* out, int size)
{
    if (!out || size <= 0) return;
    char code[3] = {0, 0, 0};  // the page head writes two bytes and no terminator
    Get_Program_Code(code);
    std::snprintf(out, static_cast<size_t>(size), "Q7-EC2%s", code);
}

void Draw_System_Sheet(Corbel_Model* model, int area, int x, int* y, int step, int /*small*/,
                       int width)
{
    if (!model || !y) return;
    Corbel_Model& md = *model;
    Build_System_Lists();
    Refresh_Corrosion_Entries();
    const int y_start = *y;
    int32_t* on = Next_Widget_Value_Cell(P().cell_on);
    int yy = *y;

    Heading(area, x, yy, "Norm");
    Area_Add_Choice(area, x + 230, yy, code_entries, P().font_normal, 14, 2,
                    &corbel_edit_buffer.code_choice, on);
    yy += step;
    {
        char line[160];
        std::snprintf(line, sizeof line, "NA: %s", NAD_Get_Active_Name());
        Text(area, x + 225, yy, line, P().font_normal, P().info_blue);
    }
    yy += step;
    Heading(area, x, yy, "Material");
    yy += step;

    const bool user_steel = md.steel_class[0] >= steel_class_count;
    Text(area, x, yy, user_steel ? "Bewehrung (zugfestes Material)" : "Bewehrung");
    Area_Add_Choice(area, x + 230, yy, steel_entries, P().font_normal, 10, 12, &md.steel_class[0], on);
    if (user_steel) {
        yy += step;
        Material_Row(area, x, yy, "Streckgrenze", "f", "yk", &md.fyk[0], "%6.1f", "N/mm\xFD", on);
        yy += step;
        Material_Row(area, x, yy, "Zugfestigkeit", "f", "tk", &md.ftk[0], "%6.1f", "N/mm\xFD", on);
        yy += step;
        Material_Row(area, x, yy, "Bruchdehnung", "\xBE", "su", &md.euk[0], "%6.1f", "\x89", on);
        yy += step;
        Material_Row(area, x, yy, "Elastizit\x84tsmodul", "E", "s", &md.Es[0], "%10.1f",
                     "N/mm\xFD", on, true);
    }
    yy += step;

    const int concrete = md.concrete_class;
    const bool user_concrete = concrete >= concrete_class_count;
    const bool lightweight = concrete >= 20 && concrete <= 32;
    Text(area, x, yy,
         user_concrete ? "Beton (nicht zugfestes Material)"
                       : lightweight ? "Beton (Leichtbeton)" : "Beton");
    Area_Add_Choice(area, x + 230, yy, concrete_entries, P().font_normal, 10, 34, &md.concrete_class, on);
    if (lightweight && !user_concrete) {
        yy += step;
        Text(area, x, yy, "Trockenrohdichte");
        Text(area, x + 195, yy, "\xCB");
        Text(area, x + 201, yy + 2, "c", P().font_index);
        Number(area, x + 230, yy, &md.density, "%6.1f", on);
        Unit(area, x + 295, yy, "kg/m\xFA");
    }
    if (user_concrete) {
        yy += step;
        Material_Row(area, x, yy, "Trockenrohdichte", "\xCB", "c", &md.density, "%6.1f", "kg/m\xFA", on);
        yy += step;
        Material_Row(area, x, yy, "charakteristische Druckfestigkeit", "f", "ck", &md.fck, "%6.1f",
                     "N/mm\xFD", on);
        yy += step;
        Material_Row(area, x, yy, "Dehnung bei Erreichen der Festigkeit", "\xBE", "c2", &md.eps_c2,
                     "%6.2f", "\x89", on);
        yy += step;
        Material_Row(area, x, yy, "Bruchdehnung", "\xBE", "cu2", &md.eps_cu2, "%6.2f", "\x89", on);
        yy += step;
        Material_Row(area, x, yy, "Exponent der Parabel (EC 2, 3.1.7)", "n", "c2", &md.n_parabola,
                     "%6.2f", nullptr, on);
        yy += step;
        Material_Row(area, x, yy, "Elastizit\x84tsmodul", "E", "cm", &md.Ecm, "%10.1f", "N/mm\xFD",
                     on, true);
    }

    yy += step + 20;
    Heading(area, x, yy, "Materialsicherheitsbeiwerte");
    yy += step;
    Text(area, x, yy, "Bemessungssituation");
    Area_Add_Choice(area, x + 230, yy, situation_entries, P().font_normal, 22, 4,
                    &md.design_situation, on);
    yy += step;
#ifdef SHEETS_HAVE_SAFETY_FACTOR_FIELDS
    // The factor fields take their editable states from the page's ring and draw in the
    // sheets' fonts and colours.
    safety_factor_field_style.next_cell = Next_Widget_Value_Cell;
    safety_factor_field_style.font_normal = P().font_normal;
    safety_factor_field_style.font_index = P().font_index;
    safety_factor_field_style.text_colour = P().text_black;
    safety_factor_field_style.inactive_colour = P().frame_grey;
    Draw_Safety_Factor_Fields(&md.safety_factors, area, x, &yy, 1, 230, 15, 0);
#endif

    yy += 20;
    Area_Add_Check_Box(area, x + 20, yy, "Expositionsklasse", P().font_heading, P().text_black,
                       &md.cover_from_exposure, on);
    if (md.cover_from_exposure) {
        yy += step;
        Text(area, x + 20, yy, "f\x81r Bewehrungskorrosion");
        Area_Add_Choice(area, x + 230, yy, corrosion_entries, P().font_normal, 4, 12,
                        &md.exposure_first[0], on);
        Area_Set_Item_Check(area, Copy_Corrosion_Class);
        yy += step;
        Text(area, x + 20, yy, "f\x81r Betonangriff");
        Area_Add_Choice(area, x + 230, yy, attack_entries, P().font_normal, 4, 11,
                        &md.exposure_first[1], on);
        Area_Set_Item_Check(area, Copy_Attack_Class);
    }

    yy += step + 5;
    Area_Add_Line(area, 20, yy, width / 2 - 10, yy, P().frame_grey);
    yy += step;
    const int yb = yy;
    Area_Add_Box(area, x + 5, yb - 4, x + 140, yb + 15, P().highlight_band);
    Draw_Action_Button(area, x + 30, yb + 10, &export_request, "Daten exportieren", 0);
    Area_Add_Box(area, x + 185, yb - 4, x + 320, yb + 15, P().highlight_band);
    Draw_Action_Button(area, x + 210, yb + 10, &import_request, "Daten importieren", 0);

    *y = std::max(yb + step, y_start);
    Next_Widget_Value_Cell(P().cell_on);
}

void Draw_Geometry_Sheet(Corbel_Model* model, int area, int x, int* y, int step, int small,
                         int /*width*/)
{
    if (!model || !y) return;
    Corbel_Model& md = *model;
    Build_Geometry_Lists();
    const bool beam_end = md.execution == EXECUTION_BEAM_END;

    // The user's change of the system turns a beam-end corbel's section: its two
    // dimensions in the plane change places.
    int32_t& remembered = corbel_edit_buffer.remembered_system;
    if (remembered != -1 && remembered != md.system && beam_end) std::swap(md.h, md.beam_height);
    remembered = md.system;

    int32_t* on = Next_Widget_Value_Cell(P().cell_on);
    int yy = *y;
    Heading(area, x, yy, "System");
    Area_Add_Choice(area, x + 210, yy, system_entries, P().font_normal, 12, 2, &md.system, on);
    yy += step;
    Text(area, x, yy, "Ausf\x81hrung");
    Area_Add_Choice(area, x + 210, yy, kind_entries, P().font_normal, 10, 2, &md.execution, on);
    if (beam_end)
        Area_Add_Check_Box(area, x + 350, yy, "an einer Platte", P().font_normal, P().text_black,
                           &md.at_slab, on);
    yy += step;
    const bool load = md.system == SYSTEM_LOAD_CORBEL;
    if (load && !beam_end) {
        Text(area, x, yy, "Anschlusstyp");
        Area_Add_Choice(area, x + 210, yy, connection_entries, P().font_normal, 7, 2,
                        &md.connection, on);
        yy += step;
    }

    // The supporting member.
    const bool column = load && md.connection == CONNECTION_COLUMN;
    const bool slab = beam_end && md.at_slab;
    const char* heading = beam_end ? (slab ? "Platte:" : "Balken:") : (column ? "St\x81tze:" : "Tr\x84ger:");
    Heading(area, x, yy, heading);
    yy += small;
    Text(area, x, yy, !beam_end ? "H\x94he/Breite" : slab ? "Dicke" : "Breite/H\x94he");
    const int c1 = x, c2 = x + 140;
    if (!beam_end) {
        Dimension_Field(area, c1, yy, "h", nullptr, &md.h, on);
        Dimension_Field(area, c2, yy, "b", nullptr, &md.b, on);
    } else if (!slab) {
        Dimension_Field(area, c1, yy, "b", nullptr, column ? &md.h : &md.beam_height, on);
        Dimension_Field(area, c2, yy, "h", nullptr, column ? &md.beam_height : &md.h, on);
    } else {
        Dimension_Field(area, c1, yy, "h", nullptr, column ? &md.beam_height : &md.h, on);
        yy += step;
        Text(area, x, yy, "deckengleicher Unterzug:");
        yy += small;
        Text(area, x, yy, "Breite");
        Dimension_Field(area, c1, yy, "b", nullptr, column ? &md.h : &md.beam_height, on);
    }
    yy += step;
    if (!beam_end) {
        Text(area, x, yy, "Achsabst\x84nde");
        Dimension_Field(area, c1, yy, "d", "1", &md.d1, on);
        Dimension_Field(area, c2, yy, "e", "1", &md.e1, on);
    } else {
        Text(area, x, yy, "Achsabstand");
        Dimension_Field(area, c1, yy, "e", "1", &md.e1, on);
    }
    yy += step;

    Heading(area, x, yy, "Konsole:");
    yy += small;
    Text(area, x, yy, "H\x94he/L\x84nge");
    Dimension_Field(area, c1, yy, "h", "k", &md.hk, on);
    Dimension_Field(area, c2, yy, "l", "k", &md.lk, on, Corbel_Length_Typed);
    yy += step;
    if (column && !beam_end && md.load_transfer == LOAD_TRANSFER_DIRECT) {
        Area_Add_Check_Box(area, x + 20, yy, "abgeschr\x84gt", P().font_normal, P().text_black,
                           &corbel_edit_buffer.chamfer_box, on);
        if (corbel_edit_buffer.chamfer_box) Dimension_Field(area, c1, yy, "h'", "k", &md.hk_end, on);
        yy += step;
    }
    Text(area, x, yy, "Achsabstand");
    Dimension_Field(area, c1, yy, "d", "1k", &md.d1k, on);
    yy += step;
    // The load's position as the data check and the report name it: \xA3 is the sheet
    // font's Delta, which keeps it apart from the column's h above.
    Text(area, x, yy, "Lasteinleitung");
    Dimension_Field(area, c1, yy, "\xA3" "a", nullptr, &md.load_a, on);
    if (!(load && md.load_transfer == LOAD_TRANSFER_INDIRECT))
        Dimension_Field(area, c2, yy, "\xA3" "h", nullptr, &md.load_height, on);
    yy += step;
    if (!(column && md.load_transfer == LOAD_TRANSFER_INDIRECT)) {
        // The box stands left of its label: indented, it stays clear of the separator.
        Area_Add_Check_Box(area, x + 20, yy, "Lagerplatte", P().font_normal, P().text_black,
                           &corbel_edit_buffer.bearing_plate_box, on);
        if (corbel_edit_buffer.bearing_plate_box) {
            yy += small;
            Text(area, x, yy, beam_end ? "L\x84nge" : "L\x84nge/Breite");
            Dimension_Field(area, c1, yy, "l", "p", &md.lp, on);
            if (!beam_end) Dimension_Field(area, c2, yy, "b", "p", &md.bp, on, Plate_Width_Typed);
            const Corbel_Edit_Buffer& b = corbel_edit_buffer;
            if (!beam_end && b.plate_width_cut) {
                // The check cut the width to the column's: said, and given back when b allows.
                char note[96];
                std::snprintf(note, sizeof note, "Lagerplattenbreite auf b = %.1f cm gek\x81rzt (eingegeben: %.1f cm)",
                              b.plate_width_shown, b.plate_width_entered);
                yy += small;
                Text(area, x + 20, yy, note, P().font_index, P().note_brown);
            }
        }
        yy += step;
    }

    Add_Corbel_Sketch(area, &md, 0, x, &yy);
    *y = yy;
}

namespace {

// A report line of the data check on the screen: its index runs (the report's switches
// 0xCE '\\' on, 0xCE 'r' off) in the index font, 2 pixels lower.
void Report_Line(int area, int x, int y, const std::string& line, int colour)
{
    bool index = false;
    size_t from = 0;
    while (from < line.size()) {
        size_t at = line.find('\xCE', from);
        const std::string run = line.substr(from, at == std::string::npos ? std::string::npos : at - from);
        if (!run.empty()) {
            const int font = index ? P().font_index : P().font_normal;
            Text(area, x, index ? y + 2 : y, run.c_str(), font, colour);
            x += Font_Text_Width(run, font, Screen_Text_Code_Page(run));
        }
        if (at == std::string::npos || at + 1 >= line.size()) break;
        index = line[at + 1] == '\\';
        from = at + 2;
    }
}

// The errors of the data check where the results would stand: without them an input
// error leaves the page without results and without a word.
bool Draw_Input_Errors(const Corbel_Model& model, int area, int x, int* y, int step, int width)
{
    std::vector<std::string> errors;
    if (Corbel_Model_Errors(model, &errors) == 0) return false;
    int yy = *y;
    Area_Add_Line(area, x, yy, width - 10, yy, P().frame_grey);
    yy += step;
    Text(area, x + 5, yy, "Fehler in den Eingabedaten, keine Bemessung", P().font_heading, P().warning_red);
    int ex = x + 340;
    for (const std::string& e : errors) {
        Report_Line(area, ex, yy, e, P().warning_red);
        ex += 40 + Font_Text_Width(e, P().font_normal, Screen_Text_Code_Page(e));
        if (ex >= width - 174) {
            yy += step;
            ex = x + 340;
        }
    }
    *y = yy + step;
    return true;
}

// A fatigue check asked for and not made is said where the results stand, as the report
// says it: for a corbel it is not made for, a note; for one fatigue row, why it cannot be
// made (the failed check hides the results). Returns the y below it.
int Draw_Fatigue_Note(const Corbel_Model& model, int area, int x, int y, int step)
{
    if (const char* note = Fatigue_Check_Not_Made_Note(model)) {
        Text(area, x + 5, y, note, P().font_normal, P().note_brown);
        return y + step;
    }
    if (const char* reason = Fatigue_Check_Not_Possible_Reason(model)) {
        const std::string line = std::string("Erm\x81" "dungsnachweis: ") + reason;
        Text(area, x + 5, y, line.c_str(), P().font_heading, P().warning_red);
        return y + step;
    }
    return y;
}

} // namespace

void Draw_Required_Rebar_Panel(Corbel_Model* model, int area, int x, int* y, int step,
                               int /*small*/, int width)
{
    if (!model || !y) return;
    if (Draw_Input_Errors(*model, area, x, y, step, width)) return;
    const Corbel_Model& md = *model;
    if (!Results_Shown(md)) {
        if (md.online_calculation && results_valid && Fatigue_Check_Not_Possible_Reason(md)) {
            Area_Add_Line(area, x, *y, width - 10, *y, P().frame_grey);
            *y = Draw_Fatigue_Note(md, area, x, *y + step, step);
        }
        return;
    }

    int yy = *y;
    Area_Add_Line(area, x, yy, width - 10, yy, P().frame_grey);
    yy += step;
    if (md.summary.no_load) {
        // Nothing to design: the report's words, and no required value.
        Text(area, x + 5, yy, "keine Belastung vorhanden  \x88  Nachweis wird nicht gef\x81hrt", P().font_heading,
             P().note_brown);
        *y = yy + step;
        return;
    }
    yy = Draw_Fatigue_Note(md, area, x, yy, step);
    if (!Required_Values_Shown(md)) {
        // No combination could be designed: the required areas are unknown, and the
        // load table's column tells which combination failed.
        Text(area, x + 5, yy, "Bemessung gescheitert: keine Lastkombination bemessbar", P().font_heading,
             P().warning_red);
        Text(area, x + 360, yy, "siehe Lasttabelle (Seite \"Lasten\"): \"nicht ok, Lk anzeigen\"",
             P().font_normal, P().warning_red);
        *y = yy + step;
        return;
    }

    const Load_Case_Summary& s = md.summary;
    double* v = corbel_edit_buffer.required_panel;
    // The tie and the splitting stirrups as the fatigue check left them, as page 3 and the
    // report's summary require them: the envelope alone understates them.
    v[0] = s.final_As_h; v[1] = s.As_v; v[2] = s.As_s; v[3] = s.As_h1; v[4] = s.As_v1;
    v[5] = s.As_v2; v[6] = s.final_Asb_v; v[7] = s.final_Asb_h; v[8] = s.z3;
    static const char* const index[8] = {"s,h", "s,v", "s,s", "s,h1", "s,v1", "s,v2", "sb,v", "sb,h"};
    const char* unit = md.execution == EXECUTION_BEAM_END ? "cm\xFD/m" : "cm\xFD";
    const int brown = P().note_brown;

    int ex = x + 25;
    bool first = true;
    auto advance = [&](int used) {
        ex += used;
        if (ex >= width - 174) {
            yy += step;
            ex = x + 30;
        }
    };
    for (int i = 0; i < 8; ++i) {
        if (!(std::fabs(v[i]) > 0.01)) continue;
        const int at = ex;
        Text(area, at, yy, "erf", P().font_normal, brown, 1);
        Text(area, at + 4, yy, "A", P().font_normal, brown);
        Text(area, at + 12, yy + 2, index[i], P().font_index, brown);
        int used = 165;
        if (v[i] < -0.1) {
            Text(area, at + 40, yy, " XXX", P().font_heading, P().warning_red);
            used = 100;
        } else if (v[i] < -0.01 && (i == 0 || i == 3)) {
            // A small negative tie or anchorage area has no meaning of its own: label only.
        } else {
            Area_Add_Float_Field(area, at + 40, yy, &v[i], "%6.2f", P().font_normal, P().text_black,
                                 &screen_palette.cell_off);
            Unit(area, at + 105, yy, unit);
        }
        // The first entry stands at x + 25 and the second at x + 195.
        advance(first ? 170 : used);
        first = false;
        if (i == 4 && v[i] >= -0.1 && std::fabs(v[8]) > 0.01) {
            const int zt = ex;
            Text(area, zt, yy, "bei max", P().font_normal, brown);
            Text(area, zt + 55, yy, "z", P().font_normal, brown);
            Text(area, zt + 62, yy + 2, "3", P().font_index, brown);
            Area_Add_Float_Field(area, zt + 75, yy, &v[8], "%6.1f", P().font_normal, P().text_black,
                                 &screen_palette.cell_off);
            Unit(area, zt + 135, yy, "cm");
            // The next entry's "erf" ends at its x: room for the unit, a gap and that word.
            advance(135 + Font_Text_Width("cm", P().font_normal, Code_Page::Cp850_Symbols) + 15 +
                    Font_Text_Width("erf", P().font_normal, Code_Page::Cp850_Symbols));
        }
    }
    *y = yy + step;
}

void Draw_Design_Verdict(Corbel_Model* model, int area, int x, int* y, int step, int width, bool own_line)
{
    if (!model || !y) return;
    const Corbel_Model& md = *model;
    // The report's closing verdict, for a design that the report would close with one.
    if (!md.online_calculation || !results_valid || md.summary.no_load || Corbel_Model_Errors(md, nullptr) != 0)
        return;
    const std::vector<std::string> failed = Design_Verdict_Failures(md.summary);
    int yy = *y;
    if (own_line) {
        Area_Add_Line(area, x, yy, width - 10, yy, P().frame_grey);
        yy += step;
    }
    if (failed.empty()) {
        Text(area, x + 5, yy, "Bemessung erfolgreich", P().font_heading, P().info_blue);
        *y = yy + step;
        return;
    }
    const char* const headline = "Fehler bei der Bemessung !!";
    Text(area, x + 5, yy, headline, P().font_heading, P().warning_red);
    const int first = x + 25 + Font_Text_Width(headline, P().font_normal, Code_Page::Cp850_Symbols);
    int ex = first;
    for (const std::string& line : failed) {
        const int used = Font_Text_Width(line, P().font_normal, Screen_Text_Code_Page(line));
        if (ex > first && ex + used >= width - 10) {
            yy += step;
            ex = first;
        }
        Text(area, ex, yy, line.c_str(), P().font_normal, P().warning_red);
        ex += used + 25;
    }
    *y = yy + step;
}

void Compose_Register_Page_1(int area, int x0, int y0, int x1)
{
    Reset_Widget_Value_Ring();
    char title[32];
    Format_Page_Title(title, sizeof title);
    Area_Add_Text(area, x1 - 95, y0 + 10, title, P().font_index, P().frame_grey, 0);
    const int w = x1 - x0 - 40;
    const int h = w / 2;
    int y_left = y0 + 25;
    Draw_System_Sheet(&corbel_model, area, x0 + 20, &y_left, SHEET_LINE_STEP, SHEET_SMALL_STEP, w);
    int y_right = y0 + 25;
    Draw_Geometry_Sheet(&corbel_model, area, h + 20, &y_right, SHEET_LINE_STEP, SHEET_SMALL_STEP, w);
    int y = std::max(y_left, y_right);
    Area_Add_Line(area, h + 10, y0 + 13, h + 10, y, P().frame_grey);
    const int y_panel = y;
    Draw_Required_Rebar_Panel(&corbel_model, area, x0 + 20, &y, SHEET_LINE_STEP, SHEET_SMALL_STEP, w);
    // Below the required areas, or under a line of its own where the panel shows none.
    Draw_Design_Verdict(&corbel_model, area, x0 + 20, &y, SHEET_LINE_STEP, w, y == y_panel);
}
