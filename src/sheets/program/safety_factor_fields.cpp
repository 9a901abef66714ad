#include "sheets/program/safety_factor_fields.h"

#include "core/safety_factor_display.h"
#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <string>

Safety_Factor_Field_Style safety_factor_field_style;

namespace {

constexpr int ROW_STEP = 22;
constexpr int STEEL_COLUMN = 130;

// Cells of our own when the sheets give none: enough for every build of a page.
int32_t own_cells[300];
int own_cell = -1;

int32_t* Next_Cell(int32_t state)
{
    if (safety_factor_field_style.next_cell) return safety_factor_field_style.next_cell(state);
    own_cell = (own_cell + 1) % static_cast<int>(sizeof own_cells / sizeof own_cells[0]);
    own_cells[own_cell] = state;
    return &own_cells[own_cell];
}

int Or(int value, int fallback) { return value >= 0 ? value : fallback; }

double* Clamp_Non_Negative_Factor(double* value)
{
    if (*value < 0.0) *value = 0.0;
    return value;
}

struct Group {
    int bit;
    const char* word;   // "Tragfähigkeit", ...
    const char* title;  // the row's title when both factors stand in it
    double* concrete;
    double* steel;
    bool fatigue;
};

} // namespace

void Draw_Safety_Factor_Fields(NAD_Safety_Factors* record, int area, int x, int* y, int editable, int width,
                               int bits, int layout)
{
    if (!record || !y) return;
    const Safety_Factor_Field_Style& st = safety_factor_field_style;
    const int font = Or(st.font_normal, 0x1000);
    const int font_index = Or(st.font_index, 0x1002);
    const int text_colour = Or(st.text_colour, BLACK_CI);
    const int inactive_colour = Or(st.inactive_colour, Nearest_RGB_Color(130, 130, 130));

    const int on = editable && record->from_annex == 0 ? 1 : 0;
    Next_Cell(editable ? 1 : 0);
    int32_t* cell = Next_Cell(on);
    Next_Cell(editable ? 1 : 0);
    const int label_colour = on ? text_colour : inactive_colour;

    const bool concrete = bits == 0 || (bits & SAFETY_FACTOR_CONCRETE);
    const bool steel = bits == 0 || (bits & SAFETY_FACTOR_STEEL);
    const Group groups[] = {
        {SAFETY_FACTOR_ULS, "Tragf\x84higkeit", "Tragf\x84higkeit (GZT)", &record->gamma_c, &record->gamma_s, false},
        {SAFETY_FACTOR_SLS, "Gebrauchstauglichkeit", "Gebrauchstauglichkeit (GZG)", &record->gamma_c_sls,
         &record->gamma_s_sls, false},
        {SAFETY_FACTOR_FATIGUE, "Erm\x81" "dung", "Erm\x81" "dung", &record->gamma_c_fat, &record->gamma_s_fat, true},
    };
    const bool all_groups = (bits & (SAFETY_FACTOR_ULS | SAFETY_FACTOR_SLS | SAFETY_FACTOR_FATIGUE)) == 0;

    // One factor: symbol, index, field and the empty text behind it; dx shifts the item.
    auto item = [&](int dx, int row_y, double* value, bool is_steel, bool fatigue) {
        const int shift = fatigue ? 15 : 0;
        Area_Add_Text(area, x + dx + width - 30 - shift, row_y, "\xC0", font, label_colour, 0);
        const char* index = fatigue ? (is_steel ? "s,fat" : "c,fat") : (is_steel ? "s" : "c");
        Area_Add_Text(area, x + dx + width - 22 - shift, row_y + 2, index, font_index, label_colour, 0);
        Area_Add_Float_Field(area, x + dx + width, row_y, value, "%6.2f", font, text_colour, cell);
        Area_Set_Item_Check(area, Clamp_Non_Negative_Factor);
        Area_Add_Text(area, x + dx + width + 65, row_y, "", font, text_colour, 0);
    };

    int row_y = *y;
    for (const Group& g : groups) {
        if (!all_groups && !(bits & g.bit)) continue;
        const std::string concrete_label = std::string(g.word) + " Beton";
        const std::string steel_label = std::string(g.word) + " Bewehrung";
        if (layout) {
            if (concrete) {
                Area_Add_Text(area, x, row_y, concrete_label.c_str(), font, label_colour, 0);
                item(0, row_y, g.concrete, false, g.fatigue);
                row_y += ROW_STEP;
            }
            if (steel) {
                Area_Add_Text(area, x, row_y, steel_label.c_str(), font, label_colour, 0);
                item(0, row_y, g.steel, true, g.fatigue);
                row_y += ROW_STEP;
            }
        } else {
            const char* label = concrete && steel ? g.title : concrete ? concrete_label.c_str() : steel_label.c_str();
            Area_Add_Text(area, x, row_y, label, font, label_colour, 0);
            if (concrete) item(0, row_y, g.concrete, false, g.fatigue);
            if (steel) item(STEEL_COLUMN, row_y, g.steel, true, g.fatigue);
            row_y += ROW_STEP;
        }
    }
    *y = row_y;
}
