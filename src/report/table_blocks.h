#pragma once
// Table blocks of the design report and the writer's table generators.
//
// Grammar of a table block (every line ends in "\n"):
//   #SHOWTABLE
//   a b n                      counts of the three kinds of counted lines (a leading blank
//                              may stand before a)
//   a + b + n counted lines    each beginning with a blank (titles, captions, comments)
//   p q r s [k]                column-format line; with k, the k widths (cm) follow on
//   [widths]                   the next line. " 0 0 0 0" is the compatibility form after
//                              which no body and no end line follow.
//   body lines                 each beginning with a blank, the column heads included
//   #END_OF_TEXT
// In-cell drawing groups inside body lines: " \xCE{\xCEL 0 -1 -1 %f %f }" a rule across
// the line (0.5 0.5 after a group of rows, 1.0 1.0 between rows, 0 0 under a sum row).
//
// Both generators end an open paragraph block of the text channel before they write.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// ---------------------------------------------------------------------------------
// OliTabelle: typed columns with marked rows, rules and notes

// One column as the caller describes it.
struct OliTabelle_Column {
    char upper_head[100];        // "" none; beginning with "=": shares the upper head and
                                 // the width entry of the column before
    char head[75];               // initially "Nr"
    char type[45];               // "TXT", "CHAR", "GEW", "ZZ" (initial), else the unit of a
                                 // number column
    int32_t width;               // characters, initially 4
    int32_t decimals;            // initially 0; in a text column the size of a text slot
    const void* values;          // one double per row, or the text slots, or bar records
    int32_t stride;              // bytes from one row's value to the next; -1 packed
    double factor;               // initially 1.0, applied to the values
    int32_t bold_marking;        // 0 none; 1 largest, -1 smallest, 2 largest absolute,
                                 // -2 smallest absolute, 3 largest and smallest
    int32_t underline_marking;   // the same for underlining
    const int32_t* row_notes;    // one note id per row, or null
    int32_t sum_flag;            // set: the sum row shows the column's sum
    int32_t further;             // initially 0
    int32_t separator;           // initially 1: counted in the format line
};

// The largest column count a table may have (initially 0). OliTabelle_Alloc_Columns sets
// it; a caller with its own column records sets it directly.
extern int32_t oli_table_declared_columns;

// Option bits of OliTabelle.
enum : int {
    OLI_TABLE_ONE_HEAD_LINE = 0x001,   // no second head line (units)
    OLI_TABLE_NO_STEPS = 0x004,        // no vertical steps before and after the block
    OLI_TABLE_CONTINUED_FORMAT = 0x008,// " 0 0 0 0 0 0 0 2" continues the format line
    OLI_TABLE_SELECT_ROWS = 0x010,     // only extremes, first and last, turning points
    OLI_TABLE_LAYOUT_FLAGS = 0x040,    // layout flags 0x280 before and 0x380 after
    OLI_TABLE_EXTREMES_ONLY = 0x100,   // only the rows of the extremes
    OLI_TABLE_KEEP_TOGETHER = 0x400,   // layout flags 0x380 before
};

// Writes one table block. Nothing for a null stream or no column or row. title_counts
// (a, b, n) and a + b + n title_lines, or null counts for none. row_filter (one per row,
// may be null): 0 removes the row. row_rules (one per row, may be null): non-zero asks
// for a rule after the row. selection: 0 (other codes are not used). further_lines are
// written as comment lines under the table.
// Returns 0; 1 when the table could not be built (more columns than declared: a message
// goes to the message sink and nothing is written).
int OliTabelle(FILE* stream, int column_count, int row_count, const OliTabelle_Column* columns,
               const int32_t* row_filter, const int32_t* row_rules, int selection, int options,
               const int32_t* title_counts, const char* const* title_lines, int further_count,
               const char* const* further_lines);

// (Re)allocates *array for count columns with their initial values and declares count.
// The block comes from the allocation layer (Free_And_Null gives it back).
void OliTabelle_Alloc_Columns(int count, OliTabelle_Column** array);
// Initial values of one column record.
void OliTabelle_Init_Column(OliTabelle_Column* column);

// 0 for the type codes "TXT", "CHAR", "GEW" and "ZZ", else 1 (a number column).
int Is_Text_Column(const OliTabelle_Column* column);

// Row marks of OliTabelle_Simple. The arrays come from the allocation layer and belong to
// the record (Free_Row_Marks gives them back); further_lines are the caller's.
struct OLI_Row_Marks {
    int32_t options;
    int32_t* row_marks;          // one per row, 1 = shown
    int32_t* row_rules;          // one per row or null: rule of weight 1.0 after the row
    int32_t* group_rules;        // one per row or null: rule of weight 0.5 after the row
    int32_t reference_column;    // -1 none
    int32_t further_count;
    const char* const* further_lines;
};
void Init_Row_Marks(OLI_Row_Marks* record, int rows);
void Free_Row_Marks(OLI_Row_Marks* record);

// OliTabelle without title, its options, filter, rules, group rules, reference column and
// further lines taken from the record (a fresh one when null).
int OliTabelle_Simple(FILE* stream, int row_count, int column_count, const OliTabelle_Column* columns,
                      const OLI_Row_Marks* marks);

// From this many rows on OliTabelle sets the layout flags 0x280 (initially 100).
void OLI_Set_Table_Row_Limit(int rows);

// ---------------------------------------------------------------------------------
// Table notes: cited by cells, printed under the table when used

constexpr int OLI_TABLE_NOTE_KEY_MAX = 9;
constexpr int OLI_TABLE_NOTE_TEXT_MAX = 199;

// Registers a note (key cut to 9, text to 199 characters) and returns the count; a note
// whose key or id is already registered adds nothing.
int OLI_Add_Table_Note(int id, const char* key, const char* text);
int OLI_Count_Table_Notes();
void OLI_Clear_Table_Notes();
// For the cell writer: the key of the note with that id (null when none), counting the
// use; and the length of the longest key.
const char* OLI_Use_Table_Note(int id);
int OLI_Widest_Table_Note_Key();

// ---------------------------------------------------------------------------------
// Row-wise table: one record per table row

struct OLI_Row_Table_Record {
    char name[45];
    char unit[15];               // also the cells' type code; "GEW": name underlined and
                                 // bold, no unit
    int32_t width;
    int32_t decimals;
    const double* values;        // one per cell
    double factor;
};

// Writes the records as one table block. Nothing for a null stream, no record or no cell.
void OLI_Write_Row_Table(FILE* stream, int record_count, int cell_count,
                         const OLI_Row_Table_Record* records);
