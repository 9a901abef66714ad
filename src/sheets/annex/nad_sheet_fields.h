#pragma once
// The number fields of the annex pages. Each field holds one kind of value, and each kind
// has its range (one table for all pages): a typed value outside it is refused with a box
// that names the field and the range, and the field keeps its old value. A field whose
// value the annex file keeps with fewer decimals takes the typed value rounded to them,
// so that saving changes nothing the page shows.
#include <string>

enum NAD_Value_Kind {
    NAD_PARTIAL_FACTOR,     // partial factor of a material, a resistance or the fatigue loads
    NAD_ACTION_FACTOR,      // partial factor of an action (0 for a favourable one)
    NAD_SHARE,              // a combination factor, a share: 0 to 1
    NAD_REDUCTION_FACTOR,   // a reduction of a strength: above 0, at most 1
    NAD_COEFFICIENT,        // any other dimensionless coefficient
    NAD_POSITIVE_COEFFICIENT,  // a coefficient that cannot be 0 (cot theta, k_mod, ...)
    NAD_COVER,              // a concrete cover or its allowance [cm]
    NAD_DIVISOR,            // n of a limit 1/n or l/n
    NAD_SLENDERNESS_FACTOR, // the factor of the slenderness limit
};

struct NAD_Value_Range {
    double low;
    bool low_allowed;  // false: the value must lie above low
    double high;       // the highest value allowed
};
const NAD_Value_Range& NAD_Range_Of(NAD_Value_Kind kind);

// What a field is, for its check: the kind, the name the box gives it (screen bytes, code
// page 850 with the symbols) and the decimals the annex file keeps (-1: all).
struct NAD_Field {
    NAD_Value_Kind kind;
    std::string name;
    int decimals = -1;
};

// A number field of an annex page (Area_Add_Float_Field) with the check of its kind.
void NAD_Sheet_Number_Field(int area, int x, int y, double* value, const char* format, int font, int colour,
                            int* editable, const NAD_Field& field);

// The check of a typed value: the value the field takes (rounded to the kept decimals),
// or nothing, with the text of the box in refusal (lines separated by '\n').
bool NAD_Check_Typed_Value(const NAD_Field& field, double typed, double old_value, double* taken,
                           std::string* refusal);
