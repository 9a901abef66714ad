#pragma once
// The table editor: rows of fixed byte size shown as bands in a scroll area, with small
// icons to delete, duplicate and append rows, row numbers, Up and Down between the rows'
// fields, and for tables that declare columns a menu to sort a column or fill it with a
// series of numbers ("Tabellenspalte belegen").
//
// The rows' contents are opaque: the caller's row function adds a row's items (fields
// pointing into the row's data) to the area. A dialog rebuilds its area so: Area_Clear,
// Table_Editor_Draw and its other items, Area_Update. Table_Editor_Handle_Event answers 2
// when rows were deleted, duplicated or appended: every item pointer into row data is
// then stale and the area must be rebuilt before the next event.
//
// Tables are slots of a fixed table of 55, named by their index; every operation ignores
// an index out of range or a free slot (getters answer 0 or null).

constexpr int TABLE_EDITOR_COUNT = 55;

// Adds the items of one row at content position (x, y); the first argument is always 1,
// the result is not used.
using Table_Row_Function = int (*)(int first, int area, int x, int y, void* row);

struct Table_Editor_Row {
    void* data;  // row_size bytes owned by the row
    Table_Editor_Row* prev;
    Table_Editor_Row* next;
};

// A column of a table with column facilities: the double at offset in every row.
struct Table_Editor_Column {
    char format[36];  // printf format of the column's numbers
    int x, y;         // content position of the header icon's centre
    int width;
    int offset;       // byte offset of the double inside a row
    int sortable;
    int fillable;
    Table_Editor_Column* next;
};

struct Table_Editor {
    int in_use;
    int area;
    int row_count;
    int row_size;
    int y;                 // content y of the first row
    int x1, x2;            // content x range of the bands
    int row_height;
    int append_target;     // set by the append icon's click cell
    int max_rows;          // duplicate and append only below this count; 0: no limit
    int delete_on, delete_dx, delete_dy;
    int dup_on, dup_dx, dup_dy;
    int append_on, append_dx, append_dy;
    int numbers_on, numbers_dx, numbers_dy;
    // Set by the icons' click cells: the row (a Table_Editor_Row*) or column concerned.
    // Pointer-sized, so that a row's address survives the click whole.
    void* delete_target;
    void* dup_target;
    Table_Row_Function draw_row;
    Table_Editor_Column* first_column;
    Table_Editor_Column* last_column;
    void* column_target;
    Table_Editor_Row* template_row;  // copied into appended rows; null until set
    Table_Editor_Row* first_row;
    Table_Editor_Row* last_row;
    Table_Editor_Row* cursor;
};

extern Table_Editor table_editors[TABLE_EDITOR_COUNT];

// -> the table, or -1 when all 55 are in use. All icons and numbers off, no rows.
int Table_Editor_Create(int area, int y, int x1, int x2, int row_height, int row_size, Table_Row_Function draw_row);
// kind 1 delete icon, 2 duplicate icon, 3 append icon, 4 row numbers, at offset (dx, dy)
// from (x1, the row's y); other kinds are ignored.
void Table_Editor_Enable(int table, int kind, int dx, int dy);
void Table_Editor_Set_Max_Rows(int table, int n);
// Copies row_size bytes into the template of appended rows. An append without a
// template appends a zero-filled row.
void Table_Editor_Set_Template(int table, const void* row);
// Appends a copy of row_size bytes; nothing when memory is short.
void Table_Editor_Add_Row(int table, const void* row);
// flags: bit 0 sortable, bit 1 fillable; a null format gives "%14.6f".
Table_Editor_Column* Table_Editor_Add_Column(int table, int x, int y, int width, int flags, const char* format,
                                             int offset);
// Adds the table's items to its area.
void Table_Editor_Draw(int table);
// For an event the sheet reported for the table's area: 0 nothing of the table was hit,
// 1 handled (a field edited, the column menu run, a click on nothing), 2 rows changed.
int Table_Editor_Handle_Event(int table);
void* Table_Editor_First_Row(int table);
void* Table_Editor_Next_Row(int table);
int Table_Editor_Row_Count(int table);
// 1-based number of the row with that data, 0 when none.
int Table_Editor_Row_Number(int table, const void* data);
void Table_Editor_Clear_Rows(int table);
// Moves the table to content y and x1 (x2 and the columns move along).
void Table_Editor_Move(int table, int y, int x1);
void Table_Editor_Delete(int table);
void Table_Editor_Delete_For_Area(int area);
// The column menu's actions on the table and column whose menu runs.
int Table_Editor_Sort_Ascending();
int Table_Editor_Sort_Descending();
int Table_Editor_Fill_Column();

// For tests: makes the table and column current as while their menu runs (null: none).
void Table_Editor_Set_Current_Column(int table, Table_Editor_Column* column);
