#pragma once
// The number fields in which the user sees or enters a position's partial safety factors
// on the input sheet.
#include "core/safety_factors.h"

#include <cstdint>

// Adds the factor items chosen by the bits (Safety_Factor_Bits: groups 4 ULS, 8 SLS, 16
// fatigue, factors 1 concrete, 2 steel; 0 means all) to the scroll area from (x, *y) on
// and moves *y below them (rows 22 pixels apart). Each item: its label, the symbol γ with
// its index at x + width - 30 (15 pixels further left for the fatigue pair), the field
// "%6.2f" at x + width (never below 0). layout 1: one row per factor; 0: one row per
// group, the steel item 130 pixels right of the concrete one. The fields are editable
// only when editable is set and the factors are the user's own (not from the annex);
// otherwise their labels are drawn in the inactive colour.
void Draw_Safety_Factor_Fields(NAD_Safety_Factors* record, int area, int x, int* y, int editable, int width,
                               int bits, int layout);

// How the sheets style the fields: the cells that hold the editable states (the sheets'
// ring, reset with every page build; null: cells of this module), fonts and colours
// (negative: the defaults 0x1000, 0x1002, black, grey 130).
struct Safety_Factor_Field_Style {
    int32_t* (*next_cell)(int32_t state) = nullptr;
    int font_normal = -1;
    int font_index = -1;
    int text_colour = -1;
    int inactive_colour = -1;
};
extern Safety_Factor_Field_Style safety_factor_field_style;
