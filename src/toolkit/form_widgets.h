#pragma once
// Input widgets of the form layer: number fields (plain, integer, limited, unit-scaled,
// labelled), check boxes, choice lists, the grade lists of concrete and reinforcing steel
// with their rows, the remark dialog and the program-hints page. Each adds items to the
// current form area (toolkit/form_core.h) and returns the width or height it took.
//
// Editable words: 1 active; -1 read-only display (text lightened by 40 percent, a grey
// ground under number fields and choices, not editable); any other value inactive (grey).
// The widgets for material records are in sheets/material/material_form_widgets.h.

// ---- Number fields (width in characters; 8 width + 15 pixels; nothing below width 1) ----

int Form_Add_Float_Field(int x, int y, double* value, int width, int decimals, int* editable);
int Form_Add_Float_Field_Coloured(int x, int y, double* value, int width, int decimals, int colour, int* editable);
// Edited through the integer's shadow.
int Form_Add_Int_Field(int x, int y, int* value, int width, int* editable);
// The shadow is kept within min ... max when the field is built.
int Form_Add_Int_Field_Limited(int x, int y, int* value, int width, int min, int max, int* editable);
// Shown multiplied by factor (divided back when the dialog closes).
int Form_Add_Scaled_Field(int x, int y, double* value, double factor, int width, int decimals, int* editable);
// Scaled, then kept within min ... max (shown values); with a name, a value beyond a limit
// at the field's decimals is reported as a hint first.
int Form_Add_Float_Field_Limited(int x, int y, double* value, double factor, int width, int decimals, double min,
                                 double max, const char* name, int* editable);
// Label before the field, unit text 3 pixels behind it; the width from x to the unit's end.
int Form_Add_Float_Field_Labelled(int x, int y, const char* label, double* value, int width, int decimals,
                                  const char* unit, int* editable);
int Form_Add_Scaled_Field_Labelled(int x, int y, const char* label, const char* sub, double* value, double factor,
                                   int width, int decimals, const char* unit, int* editable);

// ---- Other widgets -----------------------------------------------------------------------

// 13 for an empty text, else the label width + 20.
int Form_Add_Check(int x, int y, const char* text, int* value, int* editable);
// count names stride bytes apart, colours per entry (in every state) or null (the state's
// text colour). An index beyond the list is left as it is. Returns the field's width in
// pixels; nothing when count < 1 or stride < 2.
int Form_Add_Choice(int x, int y, const char* names, const int* colours, int stride, int count, int* index,
                    int* editable);

// A choice list of material grades.
struct Grade_List {
    int long_form;     // steel: the variant 0, 1 or 2
    int alpha_option;  // concrete: a row for alpha below the choice
    int count;
    int entry_size;    // 9 concrete, 13 steel
    char* names;       // count x entry_size
    int* colours;
    int* flags;
    int* codes;
};
// Entry flags.
constexpr int GRADE_SEPARATOR = 0x1000;  // "-------", code -1, not selectable
constexpr int GRADE_OLD_CONCRETE = 1;
constexpr int GRADE_LIGHTWEIGHT = 2;
constexpr int GRADE_FREE_CONCRETE = 4;
constexpr int GRADE_OLD_STEEL = 16;
constexpr int GRADE_FREE_STEEL = 32;

// options: 1 the five old grades, 2 the lightweight classes, 4 "frei", 8 the alpha row.
// Without the long form only the old grades (or nothing).
Grade_List* Concrete_Grade_List_Create(int long_form, int options);
// variant 0: the three old steels; 1: and "BSt 500 (A)", "BSt 500 (B)", "frei";
// 2: "B500A", "B500B" instead.
Grade_List* Steel_Grade_List_Create(int variant);
void Grade_List_Free(Grade_List* list);
// The first entry with the code (and, with a nonzero mask, a flag in it); 0 when none.
int Grade_List_Find(const Grade_List* list, int code, int flag_mask);
// Code and flags of the nearest entry at or before the index that is no separator; beyond
// the list code -1 and flags 0.
void Grade_List_Get(const Grade_List* list, int index, int* code, int* flags);
// An index on a separator moves back to the entry before it.
int Form_Add_Grade_Choice(int x, int y, Grade_List* list, int* index, int* editable);
// "Betongüte" / "Stahlgüte" and the choice 75 pixels right; return 0.
int Form_Add_Concrete_Grade_Row(int x, int y, Grade_List* list, int* index);
int Form_Add_Steel_Grade_Row(int x, int y, Grade_List* list, int* index);

// Edits a remark (malloc'ed, may be replaced) of at most 5000 characters; the dialog's
// result, 0 for a null pointer.
int Form_Edit_Remark(char** text);
// The program-hints page: four hint switches (0: suppressed) and a button that switches
// them all on again.
void Form_Add_Hints_Page(int area, int flags[4]);
