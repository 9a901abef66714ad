#pragma once
// Small building blocks of the report text writer: the text of one table cell by column
// type, comparison texts ("a < b") with their check marks, text in tab-separated
// columns, in-cell rules and rectangles, and the listing of load combinations with their
// factors.
//
// Report texts are code page 850 bytes; the control byte 0xCE starts an in-band
// sequence (report/oli_channel.h). Glyphs of the report font used here: 0xF7 the
// approximately-equal sign, 0xEC infinity, 0x8C the diameter sign, 0x88 the arrow that
// leads to a governing value.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// ---------------------------------------------------------------------------------
// Marker values in value arrays: never written as numbers. A value is a marker when it
// rounds to it at 2 decimals (OLI_Is_Marker).

constexpr double OLI_MARK_MINUS_INFINITY = -1.0e100;
constexpr double OLI_MARK_INFINITY = 1.0e100;
constexpr double OLI_MARK_NOT_DETERMINED = 2.0e100;  // "n.e."
constexpr double OLI_MARK_AUTOMATIC = 3.0e100;       // "auto"
constexpr double OLI_MARK_NONE = -2.0e100;           // "---"
constexpr double OLI_MARK_EMPTY = -3.0e100;          // blanks

// 1 when value stands for the marker.
int OLI_Is_Marker(double value, double marker);
// 1 for the markers +-2.0e100 and +-3.0e100, which take part in no search for extremes
// and in no sum.
int OLI_Is_Non_Number_Marker(double value);

// Glyph bytes of the report font.
#define OLI_GLYPH_APPROX "\xF7"
#define OLI_GLYPH_INFINITY "\xEC"
#define OLI_GLYPH_DIAMETER "\x8C"
#define OLI_GLYPH_ARROW "\x88"

// ---------------------------------------------------------------------------------
// Cell texts

// A bar designation as a "GEW" cell reads it.
struct OLI_Bar_Record {
    int32_t count;           // number of bars; negative: not applicable ("---")
    int32_t per_bundle;      // bars per bundle; 2 or more writes "%der Bnd."
    int32_t diameter_index;  // into oli_bar_diameters
};
constexpr int OLI_BAR_DIAMETER_COUNT = 12;
// Bar diameters in mm by index: 6, 8, 10, 12, 14, 16, 20, 25, 28, 32, 18, 22.
extern const double oli_bar_diameters[OLI_BAR_DIAMETER_COUNT];

// Note id of a cell in a column without table notes.
constexpr int OLI_NO_NOTE_ID = INT32_MIN;

// The text of one table cell into out (cut to out_size - 1 bytes, always ended).
//   type      the column's type code: "TXT", "CHAR", "GEW", "ZZ", or any other code for a
//             number column (the code is the column's unit, e.g. "cm" OLI_SEQ_SUP "2")
//   value     the row's value: its text slot ("TXT"; "CHAR": its first character), its
//             OLI_Bar_Record ("GEW"), its double (number columns); unused for "ZZ"; null
//             gives an empty cell
//   row       the row index (the row number of a "ZZ" cell is row + decimals, or row + 1
//             when decimals is not positive)
//   width     the field width in characters; every cell is one blank and the field
//   decimals, factor  of a number column (value x factor is written)
//   underline, bold   marks of the cell
//   note_id   the row's note id in a column with table notes (report/table_blocks.h):
//             a registered note's key follows the cell raised, and every cell of such a
//             column is padded to the widest note key; OLI_NO_NOTE_ID for none
// Returns the length of the text written.
int OLI_Format_Cell(const char* type, const void* value, int row, int width, int decimals,
                    double factor, int underline, int bold, char* out, size_t out_size, int note_id);
// The same as a string.
std::string OLI_Format_Cell_Text(const char* type, const void* value, int row, int width,
                                 int decimals, double factor, int underline, int bold, int note_id);

// Report-font width of a text: MT_String_Length less 0.2 for each character of a raised
// or lowered run, the reduction taken as a whole number. 0 for null.
int Visible_Text_Length(const char* text);

// Index of the flagged entry with mode 0 the largest value, 1 the smallest, 2 the largest
// absolute value, 3 the smallest absolute value; -1 when none. The markers +-2.0e100 and
// +-3.0e100 (and values that are not numbers) are skipped; ties keep the first. Without
// flags every entry counts as flagged.
int Find_Flagged_Extreme(int mode, int n, const double* values, const int* flags);

// ---------------------------------------------------------------------------------
// Comparisons

// '=' when a and b are equal at the decimals, '>' when a is the larger at the decimals,
// else '<'.
char Get_Compare_Sign(double a, double b, int decimals);
// As Get_Compare_Sign, but the approximately-equal sign 0xF7 (as the char value -9)
// instead of '<' when |a - b| - tolerance rounds to 0 or below.
char Get_Compare_Sign_Tol(double a, double b, int decimals, double tolerance);

// "a unit S b unit" (S from Get_Compare_Sign_Tol) and, with a label, "  \x88 label =
// value unit" when the governing case of the mode holds at the decimals: mode 2 a > b
// (value a), mode 3 a < b (value b), mode 4 a > b (value b), any other mode a < b
// (value a). unit null or empty: no units. A static text, valid until the next call.
const char* Format_Comparison(double a, double b, int decimals, double tolerance, int mode,
                              const char* label, const char* unit);

// 1 when "a relation b" holds at the decimals; relation "<=" or "=<", ">=" or "=>", "<"
// or ">". Any other relation text does not hold.
int OLI_Relation_Holds(double a, const char* relation, double b, int decimals);
// "a S b" (S the actual sign, Get_Compare_Sign) into out; when the relation does not hold,
// "  \x88  label = b" follows. Returns 1 when it holds.
int Format_Check_Text(const char* label, double a, const char* relation, double b, int decimals,
                      char* out, size_t out_size);
// The line "label [bold]a S b" OLI_SEQ_RESET " text [bold]ok-or-failed-text" written with
// OLI_Write_Line_Flagged (marked when the relation fails and a failed text is given).
// Returns 1 when the relation holds.
int OLI_Write_Check_Line(FILE* stream, const char* label, double a, const char* relation, double b,
                         int decimals, const char* text, const char* ok_text, const char* failed_text);

// ---------------------------------------------------------------------------------
// Columns: running text in tab-separated columns

// Text style of the column cells (initially 7).
void OLI_Set_Column_Style(int style);
int OLI_Get_Column_Style();
// Opens n columns at the positions (cm): a first position of 0 (at 2 decimals) puts the
// first column at the margin (n - 1 tab stops of kind 2), otherwise n tab stops. Columns
// begun while columns are open take effect after the open block is ended at the next
// cell.
void OLI_Begin_Columns(int n, const double* positions);
void OLI_Begin_Columns_2(double first, double second);
void OLI_Begin_Columns_3(double first, double second, double third);
// One cell (at most 254 characters) of the current column; the last column ends the line.
void OLI_Write_Column_Cell(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Three cells: the two texts and the formatted third.
void OLI_Write_Column_Row_3(FILE* stream, const char* first, const char* second, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
// Three cells, the third "a S b" from a's format, " %c " with the sign and b's format.
void OLI_Write_Compare_Row(FILE* stream, const char* first, const char* second, const char* format_a,
                           double a, char sign, const char* format_b, double b);
// As OLI_Write_Compare_Row; when ok is 0, the third cell is bold and followed by the text,
// and a bold "!!" stands at the right edge of the row.
void OLI_Write_Compare_Row_Marked(FILE* stream, const char* first, const char* second,
                                  const char* format_a, double a, char sign, const char* format_b,
                                  double b, int ok, const char* text);
// Paragraph space of lines x 0.38 cm before the next text.
void OLI_Add_Line_Space(FILE* stream, double lines);
// Ends the text block and closes the columns.
void OLI_End_Columns(FILE* stream);
// Whether columns are open (for the writers that share them).
int OLI_Columns_Open();

// ---------------------------------------------------------------------------------
// In-cell drawing, written into the current table body line (weights and the last two
// coordinates are clamped to 0..1)

void OLI_Cell_Rule(FILE* stream, double weight);         // " \xCE{\xCEL 0 -1 -1 %f %f }"
void OLI_Cell_Double_Rule(FILE* stream, double weight);  // two rules at weight -+ 0.1
void OLI_Cell_Line(FILE* stream, double x1, double y1, double a, double b);
void OLI_Cell_Rectangle(FILE* stream, int pattern, double x1, double y1, double a, double b);
void OLI_Cell_Fill(FILE* stream, int pattern);

// ---------------------------------------------------------------------------------
// Load combinations and their factors

struct OLI_Combination {
    int32_t situation;  // the caller's design situation of the combination
    int32_t further;    // the caller's
    double* factors_1;  // first factor of each load case (case_count entries, initially 1.0)
    double* factors_2;  // second factor of each load case (initially 1.0)
};

struct OLI_Combination_Record {
    int32_t case_count;         // load cases n
    int32_t flag;               // initially 1
    int32_t count;              // initially n
    int32_t* case_numbers;      // 1..n
    int32_t combination_count;
    OLI_Combination* combinations;
    int32_t compact;            // set: one head line only and the continued format line (options 9)
    int32_t hide_names;         // set: no column "Bezeichnung"
    int32_t hide_situations;    // set: no column "Bemessungssit."
};

// Text of a design situation, of a load case (null or empty: "Lf%d" with its number).
using OLI_Situation_Text_Function = const char* (*)(int combination, int situation);
using OLI_Case_Name_Function = const char* (*)(int load_case);

// Sets up the record for n load cases and m combinations (all factors 1.0); frees what it
// held before. Free_Combination_Record gives everything back and empties the record.
void Init_Combination_Record(int cases, int combinations, OLI_Combination_Record* record);
void Free_Combination_Record(OLI_Combination_Record* record);

// The caller's table of combination names: count entries of width bytes each (an entry
// need not be ended within its width). Null clears it.
void Set_Combination_Names(const char* names, int width, int count);
// Name of combination i (at most the entry's width), or "???" beyond the table.
const char* Get_Combination_Name(int i);

// The factor text of combination i ("1.35" OLI_SEQ_SUP "." OLI_SEQ_RESET "(Lf1+Lf2)+Lf3").
std::string OLI_Combination_Factor_Text(const OLI_Combination_Record* record, int i,
                                        OLI_Case_Name_Function case_name);
// The table of the combinations ("LK", "Bezeichnung", "Bemessungssit.", "Faktorisierung")
// written by OliTabelle. situation_text and case_name may be null.
void OLI_Write_Combination_Table(FILE* stream, const OLI_Combination_Record* record,
                                 OLI_Situation_Text_Function situation_text,
                                 OLI_Case_Name_Function case_name);
