#include "sheets/annex/nad_sheet_fields.h"

#include "platform/messages.h"
#include "toolkit/scroll_area.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The ranges of the kinds, in the order of NAD_Value_Kind: wide enough for every annex
// in use, narrow enough to catch a slip of the hand (a factor of 0 or 15, a cover of 40 cm).
const NAD_Value_Range RANGES[] = {
    {0.0, false, 10.0},    // partial factor
    {0.0, true, 10.0},     // action factor
    {0.0, true, 1.0},      // share
    {0.0, false, 1.0},     // reduction factor
    {0.0, true, 10.0},     // coefficient
    {0.0, false, 10.0},    // positive coefficient
    {0.0, true, 20.0},     // cover [cm]
    {1.0, true, 10000.0},  // divisor
    {0.0, false, 100.0},   // slenderness factor
};

// The fields of the pages built so far, by the value they edit (a page built again
// gives its fields anew).
struct Entry {
    const double* value;
    NAD_Field field;
};
std::vector<Entry> fields;

std::string Number_Text(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

double* Check_Field(double* value)
{
    if (!value) return value;
    for (const Entry& e : fields) {
        if (e.value != value) continue;
        const double old_value = Area_Value_Before_Edit();
        if (*value == old_value) return value;
        std::string refusal;
        double taken = old_value;
        if (!NAD_Check_Typed_Value(e.field, *value, old_value, &taken, &refusal)) {
            Init_Message();
            Set_Message_Title("Anwendungsdokument");
            Fill_Message(refusal.c_str());
            Draw_Message();
        }
        *value = taken;
        break;
    }
    return value;
}

} // namespace

const NAD_Value_Range& NAD_Range_Of(NAD_Value_Kind kind) { return RANGES[kind]; }

bool NAD_Check_Typed_Value(const NAD_Field& field, double typed, double old_value, double* taken,
                           std::string* refusal)
{
    double value = typed;
    if (field.decimals >= 0 && std::isfinite(value)) {
        // As the file writes it and reads it back.
        char kept[400];
        std::snprintf(kept, sizeof kept, "%.*f", field.decimals, value);
        value = std::strtod(kept, nullptr);
    }
    const NAD_Value_Range& r = NAD_Range_Of(field.kind);
    const bool fits = std::isfinite(value) && (r.low_allowed ? value >= r.low : value > r.low) && value <= r.high;
    if (fits) {
        *taken = value;
        return true;
    }
    *taken = old_value;
    // Code page 850 with the symbols: 0xF3 is the sign "less than or equal".
    *refusal = "Der Wert " + Number_Text(typed) + " f\x81r " + field.name + " wird nicht \x81" "bernommen:\n" +
               "zul\x84ssig ist " + Number_Text(r.low) + (r.low_allowed ? " \xF3 " : " < ") + "Wert \xF3 " +
               Number_Text(r.high) + ".\nDer bisherige Wert " + Number_Text(old_value) + " bleibt.";
    return false;
}

void NAD_Sheet_Number_Field(int area, int x, int y, double* value, const char* format, int font, int colour,
                            int* editable, const NAD_Field& field)
{
    if (!value) return;
    Area_Add_Float_Field(area, x, y, value, format, font, colour, editable);
    Area_Set_Item_Check(area, Check_Field);
    for (Entry& e : fields)
        if (e.value == value) {
            e.field = field;
            return;
        }
    fields.push_back({value, field});
}
