// Register page 3: the reinforcement choice. Screen texts are code page 850 bytes; the
// symbol bytes 0x8C (diameter), 0xF2 and 0xF3 (the marks of a sufficient value) belong to
// the environment's sheet font.
#include "sheets/rebar_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "annex/nad_choice.h"
#include "sheets/program/corbel_dialogs.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "sheets/program/main_loop.h"
#include "sheets/corbel_sketch.h"
#include "sheets/edit_buffer.h"
#include "sheets/register_pages.h"
#include "toolkit/scroll_area.h"
#include "toolkit/table_editor.h"

int rebar_table_handles[5] = {-1, -1, -1, -1, -1};

namespace {

constexpr double kPresent = 0.01;
constexpr const char* kDiameterSign = "\x8C";

const char* const rebar_diameter_texts[13] = {" 6", " 7", " 8", " 9", "10", "12", "14",
                                              "16", "20", "25", "28", "32", " 0"};
Choice_Entry diameter_entries[13];
bool diameter_list_built = false;

const Screen_Palette& P()
{
    return screen_palette;
}

void Build_Diameter_List()
{
    if (diameter_list_built) return;
    diameter_list_built = true;
    for (int i = 0; i < 13; ++i) diameter_entries[i] = {P().text_black, rebar_diameter_texts[i]};
}

// The computed anchorage lengths and mandrel diameters, in the order of the entered ones.
double Computed_Length(const Load_Case_Summary& s, int i)
{
    switch (i) {
    case 0: return s.l_main_member;
    case 1: return s.l_lap_anch;
    case 2: return s.l_split;
    case 3: return s.l_lap_incl;
    case 4: return s.D_corbel;
    case 5: return s.D_column;
    case 6: return s.D_incl_loop;
    case 7: return s.D_incl_member;
    default: return s.D_vert;
    }
}

class Rebar_Sheet {
public:
    Rebar_Sheet(Corbel_Model& md, int area, int x, int step, int small, int width)
        : md_(md), rb_(md.rebar), area_(area), x_(x), step_(step), small_(small), width_(width)
    {
        shown_ = Required_Values_Shown(md);
        missing_ = shown_ ? Undesigned_Combinations(md) : std::string();
        beam_end_ = md.execution == EXECUTION_BEAM_END;
        column_ = md.system == SYSTEM_LOAD_CORBEL && md.connection == CONNECTION_COLUMN;
        indirect_ = md.load_transfer == LOAD_TRANSFER_INDIRECT;
        on_beam_ = md.system == SYSTEM_SUPPORT_CORBEL || md.connection == CONNECTION_BEAM;
        unit_ = beam_end_ ? "cm\xFD/m" : "cm\xFD";
    }
    int Build(int y);

private:
    void Text(int x, int y, const char* t, int font = -1, int colour = -1, int align = 0)
    {
        Area_Add_Text(area_, x, y, t, font < 0 ? P().font_normal : font,
                      colour < 0 ? P().text_black : colour, align);
    }
    void Index(int x, int y, const char* t, int colour = -1) { Text(x, y + 2, t, P().font_index, colour); }
    void Field(int x, int y, double* v, const char* format, Field_Check_Callback check,
               int* cell = nullptr, int colour = -1)
    {
        Area_Add_Float_Field(area_, x, y, v, format, P().font_normal,
                             colour < 0 ? P().text_black : colour, cell ? cell : on_);
        if (check) Area_Set_Item_Check(area_, check);
    }
    void Diameter(int x, int y, int* index)
    {
        Text(x, y, kDiameterSign);
        Area_Add_Choice(area_, x + 20, y, diameter_entries, P().font_normal, 2, 12, index, on_, true);
    }
    void Hint(int x, int y, const char* t) { Text(x, y, t, P().font_index, P().note_brown); }
    // ", s" with its index and "=" before a spacing field 50 pixels on: the index between
    // the symbol and the sign, clear of both.
    void Spacing_Label(int x, int y, const char* index)
    {
        Text(x, y, ", s");
        Index(x + 15, y, index);
        Text(x + 26, y, "=");
    }
    void Heading(int x, int y, const char* t) { Text(x, y, t, P().font_heading); }
    double* Count(int i) { return &corbel_edit_buffer.rebar_count[i]; }

    // Rows; each returns the y below it.
    int Group_Row(int x, int y, int count, int legs, int* diameter, const char* word);
    int Area_Row(int x, int y, const char* index, double provided, double required,
                 const char* required_index = nullptr);
    int Length_Row(int x, int y, const char* label, const char* symbol, const char* index,
                   double* entered, double required, const char* required_index = nullptr);
    int Plate_Row(int x, int y, int flag, const char* text);
    int Corbel_Anchorage_Row(int x, int y, double required, double available);
    int Nose_Row(int x, int y, double required);

    int Left(int y);
    int Right(int y0, int sketch_height);
    int Spacing_Checks(int y);
    void Layer_Table(int y, int* y_out);

    Corbel_Model& md_;
    Corbel_Rebar_Choice& rb_;
    int area_, x_, step_, small_, width_;
    int32_t* on_ = nullptr;
    bool shown_, beam_end_, column_, indirect_, on_beam_;
    // Combinations missing from the envelope: its values are lower bounds, which only a
    // shortfall can be judged against (no mark of a sufficient value).
    std::string missing_;
    const char* unit_;
};

int Rebar_Sheet::Group_Row(int x, int y, int count, int legs, int* diameter, const char* word)
{
    int cx = x;
    if (count >= 0) {
        Field(cx, y, Count(count), "%2.0f", Clamp_Non_Negative);
        cx += 30;
    }
    Text(cx, y, word);
    cx += 65;
    if (legs >= 0) {
        Field(cx, y, Count(legs), "%2.0f", Raise_Below_Two);
        Text(cx + 100, y, "-schnittig,", -1, -1, 1);
        cx += 110;
    }
    Diameter(cx, y, diameter);
    return y + step_;
}

// "vorh" A with its index and the provided area; with results the mark and the requirement.
int Rebar_Sheet::Area_Row(int x, int y, const char* index, double provided, double required,
                          const char* required_index)
{
    static double provided_cells[16];
    static int next_cell = 0;
    // Read-only fields need a stable address for the life of the page.
    double* cell = &provided_cells[next_cell++ % 16];
    *cell = provided;
    Text(x + 40, y, "vorh", -1, -1, 1);
    Text(x + 44, y, "A");
    Index(x + 52, y, index);
    Field(x + 90, y, cell, "%6.2f", nullptr, &screen_palette.cell_off, P().info_blue);
    Text(x + 150, y, unit_, P().font_normal, P().unit_text);
    if (shown_) {
        const bool failed = required < -0.1;
        const bool short_of = !failed && provided < required - 0.01;
        if (!failed && !short_of && missing_.empty())
            Text(x + 215, y, "\xF2", -1, -1, 1);
        else if (short_of)
            Text(x + 215, y, "<", P().font_heading, P().warning_red, 1);
        Text(x + 245, y, "erf", -1, -1, 1);
        Text(x + 249, y, "A");
        Index(x + 257, y, required_index ? required_index : index);
        if (failed) {
            Text(x + 290, y, "XXX", P().font_heading, P().warning_red);
        } else {
            static double required_cells[16];
            static int next_required = 0;
            double* r = &required_cells[next_required++ % 16];
            *r = required;
            Field(x + 290, y, r, "%6.2f", nullptr, &screen_palette.cell_off,
                  short_of ? P().warning_red : P().note_brown);
        }
    }
    return y + step_;
}

int Rebar_Sheet::Length_Row(int x, int y, const char* label, const char* symbol,
                            const char* index, double* entered, double required, const char* required_index)
{
    if (!(std::fabs(required) > kPresent)) return y;
    if (label) Text(x, y, label);
    Text(x + 175, y, symbol);
    if (index) Index(x + 182, y, index);
    Field(x + 215, y, entered, "%6.1f", Clamp_Non_Negative);
    Text(x + 277, y, "cm", P().font_normal, P().unit_text);
    // A length that follows from an incomplete envelope is not known: nothing to compare.
    if (shown_ && !(!missing_.empty() && Required_Value_Unknown(required))) {
        const bool failed = required < -0.1;
        const bool short_of = !failed && !(*entered > required - 0.1);
        if (!failed && !short_of)
            Text(x + 312, y, "\xF2", -1, -1, 1);
        else if (short_of)
            Text(x + 312, y, "<", P().font_heading, P().warning_red, 1);
        Text(x + 342, y, "erf", -1, -1, 1);
        Text(x + 346, y, symbol);
        if (index) Index(x + 353, y, required_index ? required_index : index);
        if (failed) {
            Text(x + 382, y, "XXX", P().font_heading, P().warning_red);
        } else {
            static double cells[16];
            static int next = 0;
            double* r = &cells[next++ % 16];
            *r = required;
            Field(x + 382, y, r, "%6.1f", nullptr, &screen_palette.cell_off,
                  short_of ? P().warning_red : P().note_brown);
        }
    }
    return y + step_;
}

// The compression steel that the nose requires: no bar group of the page holds it, so it
// stands with its requirement alone and the hint that it is placed and checked apart.
int Rebar_Sheet::Nose_Row(int x, int y, double required)
{
    if (!shown_ || !(required > kPresent)) return y;
    static double cell;
    cell = required;
    Text(x, y, "Druckbewehrung in der Nase");
    Text(x + 245, y, "erf", -1, -1, 1);
    Text(x + 249, y, "A");
    Index(x + 257, y, "s,Nase");
    Field(x + 290, y, &cell, "%6.2f", nullptr, &screen_palette.cell_off, P().note_brown);
    Text(x + 350, y, unit_, P().font_normal, P().unit_text);
    y += small_;
    Hint(x + 20, y, "nicht in den gew\x84hlten St\x84" "ben: gesondert anordnen und nachweisen");
    return y + step_;
}

// The anchorage length that the corbel offers beyond the plate against the one the bars
// need, in the columns of the length rows, marked as the report judges it (at the tenth
// it shows).
int Rebar_Sheet::Corbel_Anchorage_Row(int x, int y, double required, double available)
{
    if (!shown_ || !(std::fabs(required) > kPresent)) return y;
    static double cells[2][2];
    static int next = 0;
    double* cell = cells[next++ % 2];
    cell[0] = available;
    cell[1] = required;
    const bool unknown = Required_Value_Unknown(required);
    const bool short_of = !unknown && available < required - 0.05;
    Text(x, y, "Verankerung Konsole");
    Text(x + 171, y, "vorh", -1, -1, 1);
    Text(x + 175, y, "l");
    Index(x + 182, y, "v");
    Field(x + 215, y, &cell[0], "%6.1f", nullptr, &screen_palette.cell_off, P().info_blue);
    Text(x + 277, y, "cm", P().font_normal, P().unit_text);
    if (!unknown && !short_of)
        Text(x + 312, y, "\xF2", -1, -1, 1);
    else if (short_of)
        Text(x + 312, y, "<", P().font_heading, P().warning_red, 1);
    Text(x + 342, y, "erf", -1, -1, 1);
    Text(x + 346, y, "l");
    Index(x + 353, y, "v");
    if (unknown)
        Text(x + 382, y, "XXX", P().font_heading, P().warning_red);
    else
        Field(x + 382, y, &cell[1], "%6.1f", nullptr, &screen_palette.cell_off,
              short_of ? P().warning_red : P().note_brown);
    return y + step_;
}

int Rebar_Sheet::Plate_Row(int x, int y, int flag, const char* text)
{
    if (!shown_ || !flag) return y;
    Text(x + 20, y, text, P().font_heading, P().warning_red);
    return y + step_;
}

void Rebar_Sheet::Layer_Table(int y, int* y_out)
{
    int& handle = rebar_table_handles[0];
    if (handle >= 0) {
        Release_Rebar_Tables(&md_);
    }
    handle = Table_Editor_Create(area_, y + 30, x_ + 20, x_ + 210, 22, sizeof(Bar_Choice_Row),
                                 Draw_Bar_Choice_Row);
    int rows = 0;
    if (handle >= 0) {
        release_rebar_tables_fn = Release_Rebar_Tables;
        const Bar_Choice_Row tmpl{0.0, 5, 1};
        Table_Editor_Set_Template(handle, &tmpl);
        Table_Editor_Enable(handle, 4, 10, 10);
        Table_Editor_Enable(handle, 1, 13, -2);
        Table_Editor_Enable(handle, 2, 32, -2);
        Table_Editor_Enable(handle, 3, 16, -2);
        Table_Editor_Set_Max_Rows(handle, CORBEL_MAX_LAYERS);
        const int layers = std::clamp(rb_.layers, 0, CORBEL_MAX_LAYERS);
        for (int i = 0; i < layers; ++i) {
            const Bar_Choice_Row row{static_cast<double>(rb_.layer_bars[i]), rb_.layer_diameter[i], 1};
            Table_Editor_Add_Row(handle, &row);
        }
        Table_Editor_Draw(handle);
        rows = Table_Editor_Row_Count(handle);
    }
    *y_out = y + 30 + 15 + 22 * rows + step_;
}

int Rebar_Sheet::Left(int y)
{
    const int x = x_;
    double* a = rb_.anchorage;
    const Load_Case_Summary& s = md_.summary;

    // Covers.
    y += 10;
    // The section picture of the covers and the layers stands left of the cover fields,
    // between the heading and the main tie's heading.
    if (!beam_end_) Area_Add_Bitmap(area_, "ec2_quer1i.bmp", x + 5, y + 6, x + 154, y + 61, P().white);
    Heading(x, y, "Betondeckung");
    y += step_;
    auto cover = [&](int yy, double* c, double minimum, const char* index) {
        Text(x + 165, yy, "c");
        Index(x + 171, yy, index);
        Field(x + 200, yy, c, "%6.1f", Clamp_Non_Negative);
        Text(x + 262, yy, "cm", P().font_normal, P().unit_text);
        if (minimum > kPresent) {
            const bool met = *c > minimum - 0.1;
            if (met)
                Text(x + 290, yy, "\xF2");
            else
                Text(x + 290, yy, "<", P().font_heading, P().warning_red);
            static double cells[2];
            double* m = &cells[index[2] == 'v' ? 0 : 1];
            *m = minimum;
            Field(x + 305, yy, m, "%4.1f", nullptr, &screen_palette.cell_off,
                  met ? P().note_brown : P().warning_red);
            Text(x + 350, yy, "cm", P().font_normal, P().unit_text);
        }
    };
    cover(y, &rb_.cover_v, rb_.min_cover_v, "v,v");
    y += step_;
    cover(y, &rb_.cover_h, rb_.min_cover_h, "v,h");
    y += step_ + 10;

    // Main tie.
    Heading(x, y, "Hauptzugbewehrung");
    const bool slab = beam_end_ && md_.at_slab;
    if (beam_end_) {
        Hint(x + 200, y, slab ? "Abstand = 0: keine Bewehrung"
                              : "Schnittigkeit oder Abstand = 0: keine Bewehrung");
        y += step_;
        if (slab) {
            *Count(COUNT_MAIN_TIE_LEGS) = 1.0;
            Text(x, y, "Schlaufen");
            Field(x + 65, y, Count(COUNT_MAIN_TIE_LEGS), "%2.0f", nullptr, &screen_palette.cell_off);
        } else {
            Text(x, y, "B\x81gel");
            Field(x + 65, y, Count(COUNT_MAIN_TIE_LEGS), "%2.0f", Raise_Below_Two);
        }
        Text(x + 165, y, "-schnittig,", -1, -1, 1);
        Diameter(x + 175, y, &rb_.layer_diameter[0]);
        Spacing_Label(x + 250, y, "h");
        Field(x + 300, y, &rb_.spacing[0], "%6.1f", Clamp_Non_Negative);
        Text(x + 362, y, "cm", P().font_normal, P().unit_text);
        y += step_;
    } else {
        Area_Add_Check_Box(area_, x + 170, y, "Schlaufen (2-schnittig)", P().font_normal,
                           P().text_black, &rb_.loops, on_);
        Layer_Table(y, &y);
    }
    y = Area_Row(x, y, "s,h", rb_.As_h, s.final_As_h);
    y = Plate_Row(x, y, s.short_main, "Ankerplatte erforderlich !");
    y = Corbel_Anchorage_Row(x, y, s.l_req_main, s.l_prov_main);
    const char* anchor_index = column_ ? "b,s" : "b,t";
    y = Length_Row(x, y, "Verankerungsl\x84nge", "l", anchor_index, &a[0], s.l_main_member);
    const int y_mandrel = y;
    y = Length_Row(x, y, "Biegerollendurchmesser", "D", "k", &a[4], s.D_corbel);
    y = Length_Row(x, y, y == y_mandrel ? "Biegerollendurchmesser" : nullptr, "D",
                   column_ ? "s" : "t", &a[5], s.D_column);
    y = Nose_Row(x, y, s.As_nose);

    // Inclined bars.
    if (indirect_) {
        y += 5;
        Heading(x, y, "Schr\x84gbewehrung");
        Area_Add_Check_Box(area_, x + 170, y, "Schlaufen (2-schnittig)", P().font_normal,
                           P().text_black, &rb_.inclined_loops, on_);
        y += step_;
        Field(x + 120, y, Count(COUNT_INCLINED_NUMBER), "%4.0f", Clamp_Non_Negative);
        Diameter(x + 175, y, &rb_.group[3].diameter);
        y += step_;
        y = Area_Row(x, y, "s,s", rb_.As_s, s.As_s);
        y = Plate_Row(x, y, s.short_incl, "Ankerplatte erforderlich !");
        y = Corbel_Anchorage_Row(x, y, s.l_req_incl, s.l_prov_incl);
        y = Length_Row(x, y, "Verankerungsl\x84nge", "l", anchor_index, &a[3], s.l_lap_incl);
        const int ym = y;
        y = Length_Row(x, y, "Biegerollendurchmesser", "D", "k", &a[6], s.D_incl_loop);
        y = Length_Row(x, y, y == ym ? "Biegerollendurchmesser" : nullptr, "D",
                       column_ ? "s" : "t", &a[7], s.D_incl_member);
    }

    // Splitting reinforcement.
    if (!beam_end_) {
        y += 5;
        Heading(x, y, "Spaltzugbewehrung");
        Hint(x + 180, y, "Anzahl oder Schnittigkeit = 0: keine Bewehrung");
        y += small_;
        Text(x, y, "vertikal");
        y = Group_Row(x + 80, y, COUNT_SPLIT_V_NUMBER, COUNT_SPLIT_V_LEGS, &rb_.group[0].diameter,
                      "B\x81gel");
        y = Area_Row(x, y, "sb,v", rb_.Asb_v, s.final_Asb_v);
        y += 5;
        Text(x, y, "horizontal");
        y = Group_Row(x + 80, y, COUNT_SPLIT_H_NUMBER, COUNT_SPLIT_H_LEGS, &rb_.group[1].diameter,
                      column_ ? "B\x81gel" : "Schlaufen");
        y = Area_Row(x, y, "sb,h", rb_.Asb_h, s.final_Asb_h);
        y = Length_Row(x, y, "Verankerungsl\x84nge", "l", "b,h", &a[2], s.l_split, "b,b");
    }

    // Hangers.
    if (on_beam_ || indirect_ || beam_end_) {
        y += 5;
        Heading(x, y, "Aufh\x84ngebewehrung");
        Hint(x + 180, y, beam_end_ ? "Schnittigkeit oder Abstand = 0: keine Bewehrung"
                                   : "Anzahl oder Schnittigkeit = 0: keine Bewehrung");
        y += small_;
        const int yr = y;
        y = Group_Row(x + 20, y, beam_end_ ? -1 : COUNT_HANGER_NUMBER, COUNT_HANGER_LEGS,
                      &rb_.group[2].diameter, "B\x81gel");
        if (beam_end_) {
            Spacing_Label(x + 270, yr, "v");
            Field(x + 320, yr, &rb_.spacing[1], "%6.1f", Clamp_Non_Negative);
            Text(x + 382, yr, "cm", P().font_normal, P().unit_text);
        }
        y = Area_Row(x, y, "s,v", rb_.As_v, s.As_v);
        y = Length_Row(x, y, "Biegerollendurchmesser", "D", nullptr, &a[8], s.D_vert);
    }
    return y;
}

int Rebar_Sheet::Right(int y0, int sketch_height)
{
    const int x = width_ - 450;
    const Load_Case_Summary& s = md_.summary;
    int y = y0 + 12 + sketch_height;
    const bool slab = beam_end_ && md_.at_slab;
    Heading(x, y, beam_end_ ? "Tr\x84gerl\x84ngsbewehrung" : column_ ? "St\x81tzenbewehrung" : "Feldbewehrung");
    Hint(x + 200, y, "Anzahl = 0: keine Bewehrung");
    y += step_;
    const char* unit_save = unit_;
    unit_ = slab ? "cm\xFD/m" : "cm\xFD";
    auto member_row = [&](const char* word, int count, int* diameter, const char* index,
                          double provided) {
        Text(x, y, word);
        Field(x + 60, y, Count(count), "%2.0f", Clamp_Non_Negative);
        Diameter(x + 90, y, diameter);
        const bool keep = shown_;
        shown_ = false;
        Area_Row(x + 150, y, index, provided, 0.0);
        shown_ = keep;
        y += step_;
    };
    // A column's bars lie left and right of the corbel; a beam's, slab's or the member
    // of a beam-end corbel (whatever connection it keeps stored) above and below.
    const bool sides = column_ && !beam_end_;
    member_row(sides ? "links" : "oben", COUNT_MEMBER_TOP, &rb_.member_diameter[0],
               sides ? "sl" : "so", rb_.As_member[0]);
    member_row(sides ? "rechts" : "unten", COUNT_MEMBER_BOTTOM, &rb_.member_diameter[1],
               sides ? "sr" : "su", rb_.As_member[1]);
    unit_ = "cm\xFD";
    if (beam_end_) {
        Heading(x, y, "Konsoll\x84ngsbewehrung");
        Hint(x + 200, y, "Anzahl = 0: keine Bewehrung");
        y += step_;
        member_row("oben", COUNT_END_TOP, &rb_.end_diameter[0], "sk,o", rb_.As_end[0]);
        member_row("unten", COUNT_END_BOTTOM, &rb_.end_diameter[1], "sk,u", rb_.As_end[1]);
    }
    unit_ = unit_save;
    if (!beam_end_ && on_beam_) {
        Heading(x, y, "Verankerung");
        Hint(x + 200, y, "Anzahl oder Schnittigkeit = 0: keine Bewehrung");
        y += small_;
        Text(x, y, "vertikal");
        y = Group_Row(x + 80, y, COUNT_ANCHOR_V_NUMBER, COUNT_ANCHOR_V_LEGS, &rb_.group[4].diameter,
                      "B\x81gel");
        y = Area_Row(x, y, "s,v1", rb_.As_v1, s.As_v1);
        if (shown_ && s.z3 > kPresent) {
            static double z3;
            z3 = s.z3;
            Text(x + 40, y, "bei  max", -1, -1, 1);
            Text(x + 44, y, "z");
            Index(x + 51, y, "3");
            Field(x + 90, y, &z3, "%6.1f", nullptr, &screen_palette.cell_off, P().note_brown);
            Text(x + 150, y, "cm", P().font_normal, P().unit_text);
            y += step_;
        }
        Text(x, y, "horizontal");
        y = Group_Row(x + 80, y, COUNT_ANCHOR_H_NUMBER, COUNT_ANCHOR_H_LEGS, &rb_.group[5].diameter,
                      "Schlaufen");
        y = Area_Row(x, y, "s,h1", rb_.As_h1, s.As_h1, "sb,h1");
        y = Plate_Row(x, y, s.short_anch, "Ankerplatte f\x81r Tr\x84gerzugbewehrung erforderlich !");
        y = Length_Row(x, y, "\x9A" "bergreifungsl\x84nge", "l", "b", &rb_.anchorage[1], s.l_lap_anch);
    }
    return y;
}

int Rebar_Sheet::Spacing_Checks(int y)
{
    const int x = x_;
    const bool two = !beam_end_ && on_beam_;
    Heading(x, y, two ? "erf. Achsabst\x84nde" : "erf. Achsabstand");
    y += step_;
    auto axis_row = [&](int yy, const char* symbol, const char* index, double* required,
                        double provided, int slot) {
        Text(x + 20, yy, "erf");
        Text(x + 45, yy, symbol);
        Index(x + 52, yy, index);
        Field(x + 70, yy, required, "%6.2f", nullptr, &screen_palette.cell_off, P().info_blue);
        Text(x + 132, yy, "cm", P().font_normal, P().unit_text);
        const bool met = provided > *required - 0.01;
        if (met)
            Text(x + 155, yy, "\xF3");
        else
            Text(x + 155, yy, ">", P().font_heading, P().warning_red);
        static double cells[2];
        cells[slot] = provided;
        Field(x + 177, yy, &cells[slot], "%6.1f", nullptr, &screen_palette.cell_off,
              met ? P().note_brown : P().warning_red);
        Text(x + 239, yy, "cm", P().font_normal, P().unit_text);
    };
    auto spacing_row = [&](int yy, const char* index, double* spacing, int flag, const char* hint) {
        Text(x + 265, yy, "mit dem Stababstand");
        Text(x + 402, yy, "s");
        Index(x + 409, yy, index);
        Field(x + 430, yy, spacing, "%6.1f", Clamp_Non_Negative);
        Text(x + 492, yy, "cm", P().font_normal, P().unit_text);
        if (*spacing >= 0.01) {
            double& req = corbel_edit_buffer.required_spacing[flag];
            req = Get_Required_Bar_Spacing(&rb_, flag, NAD_Get_EC2_Params());
            const bool met = *spacing > req - 0.01;
            if (met)
                Text(x + 515, yy, "\xF2");
            else
                Text(x + 515, yy, "<", P().font_heading, P().warning_red);
            Field(x + 530, yy, &req, "%6.1f", nullptr, &screen_palette.cell_off,
                  met ? P().note_brown : P().warning_red);
        } else {
            Hint(x + 515, yy, hint);
        }
    };
    axis_row(y, "d", "1k", &rb_.tie_axis_required, rb_.tie_axis_given, 0);
    if (rb_.layers > 1)
        spacing_row(y, "v", &rb_.spacing[2], 0, "Stababstand = 0: Mindestabstand je Lage wird berechnet");
    y += step_;
    if (on_beam_ || beam_end_) {
        axis_row(y, "e", "1", &rb_.member_axis_required, rb_.member_axis_given, 1);
        if (corbel_edit_buffer.rebar_count[COUNT_HANGER_NUMBER] > 1.0)
            spacing_row(y, "h", &rb_.spacing[3], 1, "Stababstand = 0: Mindestabstand wird berechnet");
        y += step_;
    }
    return y;
}

int Rebar_Sheet::Build(int y)
{
    Build_Diameter_List();
    on_ = Next_Widget_Value_Cell(P().cell_on);
    const int y0 = y;
    Area_Add_Check_Box(area_, x_ + 20, y, "Bewehrung w\x84hlen", P().font_heading, P().text_black,
                       &md_.rebar_chosen, on_);
    if (!md_.rebar_chosen) return y + step_;
    if (!missing_.empty())
        Text(x_ + 250, y, (missing_ + " nicht bemessbar: erf. Werte sind Mindestwerte").c_str(), P().font_heading,
             P().warning_red);

    int32_t& reset = corbel_edit_buffer.anchorage_reset_request;
    if (reset) {
        for (int i = 0; i < 9; ++i) {
            const double c = Computed_Length(md_.summary, i);
            if (c > kPresent) rb_.anchorage[i] = c;
        }
        reset = 0;
    }
    y += step_;
    Area_Add_Check_Box(area_, x_ + 40, y,
                       beam_end_ ? "Biegerollendurchmesser berechnen"
                                 : "Verankerungsl\x84ngen/Biegerollendurchmesser berechnen",
                       P().font_normal, P().text_black, &rb_.compute_anchorage, on_);
    if (!beam_end_ && rb_.compute_anchorage) {
        y += small_;
        Text(x_ + 40, y, "Verbundbedingungen");
        Area_Add_Radio_Button(area_, x_ + 205, y, "berechnen", P().font_normal, P().text_black, 0,
                              &rb_.bond_conditions, on_);
        Area_Add_Radio_Button(area_, x_ + 305, y, "gut", P().font_normal, P().text_black, 1,
                              &rb_.bond_conditions, on_);
        Area_Add_Radio_Button(area_, x_ + 365, y, "m\x84\xE1ig", P().font_normal, P().text_black, 2,
                              &rb_.bond_conditions, on_);
        if (md_.online_calculation) {
            y += step_;
            Area_Add_Box(area_, x_ + 35, y - 4, x_ + 420, y + 15, P().highlight_band);
            Draw_Action_Button(area_, x_ + 60, y + 10, &reset,
                               "Verankerungsl\x84ngen/Biegerollendurchmesser zur\x81" "cksetzen", 0);
        }
    }
    y += step_;
    const int left_bottom = Left(y);


    {
        const int sketch_top = y0 - 8;
        int sketch_bottom = sketch_top;
        Add_Corbel_Sketch(area_, &md_, 1, width_ - 440, &sketch_bottom);
        const int right_bottom = Right(y0, sketch_bottom - sketch_top);
        y = std::max(left_bottom, right_bottom) + 10;
    }
    y = Spacing_Checks(y);
    return y + 10;
}

}  // namespace

double* Raise_Below_Two(double* value)
{
    if (value && *value > 0.01 && *value < 2.0) *value = 2.0;
    return value;
}

int Draw_Bar_Choice_Row(int /*mode*/, int area, int x, int y, void* data)
{
    Build_Diameter_List();
    auto* row = static_cast<Bar_Choice_Row*>(data);
    if (!row) return 1;
    Area_Add_Float_Field(area, x + 77, y + 10, &row->count, "%4.0f", P().font_normal,
                         P().text_black, &screen_palette.cell_on);
    Area_Set_Item_Check(area, Clamp_Non_Negative);
    Area_Add_Text(area, x + 122, y + 10, kDiameterSign, P().font_normal, P().text_black, 0);
    Area_Add_Choice(area, x + 142, y + 10, diameter_entries, P().font_normal, 2, 12,
                    &row->diameter, row->editable ? &screen_palette.cell_on : &screen_palette.cell_off, true);
    return 1;
}

void Release_Rebar_Tables(Corbel_Model* model)
{
    const int first = rebar_table_handles[0];
    if (model && first >= 0 && Table_Editor_Row_Count(first) >= 0) {
        Corbel_Rebar_Choice& rb = model->rebar;
        rb.layers = 0;
        for (void* p = Table_Editor_First_Row(first); p && rb.layers < CORBEL_MAX_LAYERS;
             p = Table_Editor_Next_Row(first)) {
            const auto* row = static_cast<const Bar_Choice_Row*>(p);
            const double c = row->count + 0.1;
            rb.layer_bars[rb.layers] = c > 0.0 && c < 2e9 ? static_cast<int>(c) : 0;
            rb.layer_diameter[rb.layers] = row->diameter;
            ++rb.layers;
        }
    }
    for (int& h : rebar_table_handles) {
        if (h >= 0) Table_Editor_Delete(h);
        h = -1;
    }
}

int Handle_Rebar_Page_Events()
{
    int code = 0;
    for (int h : rebar_table_handles) {
        if (h < 0) continue;
        code = Table_Editor_Handle_Event(h);
        if (code == 2) return 2;
        if (code == 1) return -1;
    }
    return code;
}

void Draw_Rebar_Choice_Sheet(Corbel_Model* model, int area, int x, int* y, int step,
                             int small_step, int width)
{
    if (!model || !y) return;
    Rebar_Sheet sheet(*model, area, x, step, small_step, width);
    *y = sheet.Build(*y);
    Next_Widget_Value_Cell(P().cell_on);
}

void Compose_Register_Page_3(int area, int x0, int y0, int x1)
{
    Reset_Widget_Value_Ring();
    int y = y0 + 25;
    Draw_Rebar_Choice_Sheet(&corbel_model, area, x0 + 10, &y, SHEET_LINE_STEP, SHEET_SMALL_STEP,
                            x1 - x0 - 40);
}
