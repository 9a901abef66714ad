#pragma once
// Register page 2 of the main sheet: the design parameters with the corbel sketch, and
// the load tables - design forces of the ultimate limit state (table 0) and, for a load
// corbel on a column with fatigue check, the forces of the fatigue and serviceability
// checks (table 1) - as table editors with buttons to import forces from a text file or
// from another component and to clear a table.
//
// The tables hold the model's rows while the page is shown: each build of the page reads
// the old table back into the model (in the unit it was made with, so a change of the
// unit switch converts) and makes a new one; Apply_Edit_Buffer releases them.
#include "core/load_tables.h"
#include "toolkit/scroll_area.h"

#include <cstdint>

struct Corbel_Model;

// One row of both tables: forces in the unit shown.
struct Load_Table_Row {
    char name[41];        // at most 40 characters, blank-padded to 40, terminated
    double first_force;   // H
    double second_force;  // A
    double utilisation;   // of the last calculation; -1.0 when below -0.1 or a check failed
    int32_t governing;    // 1 on the governing combination's row
};

// What the row function reads; set before each table is built.
struct Load_Editor_State {
    int x = 0;
    int row_height = 22;
    int area = -1;
    int unit_switch = 0;
    int results = 0;              // table 0 shows the utilisations (Results_Shown)
    int first_column_locked = 0;  // load corbel with indirect load transfer: H not editable
    int table = 0;
    int table_y = 0;
    int governing_button = 0;     // set by the governing row's button
};

extern Load_Editor_State load_editor_state;
extern int load_table_handles[2];       // table-editor handles, -1 when none
extern int load_table_requests[2][4];   // per table: clear, text import, component import, protocol
enum { LOAD_REQUEST_CLEAR = 0, LOAD_REQUEST_TEXT = 1, LOAD_REQUEST_COMPONENT = 2, LOAD_REQUEST_PROTOCOL = 3 };
extern int import_tool_available;       // -1 until tested, then Check_Force_Selection_Tool()

// Field checks: a percentage into 0..100; a loading age below 0.01 days becomes 28.
double* Clamp_Percentage(double* value);
double* Default_Loading_Age(double* value);

void Draw_Parameter_Sheet(Corbel_Model* model, int area, int x, int* y, int line_step, int small_step, int width);
void Put_Load_Table_Panel(Corbel_Model* model, int area, int x, int* y, int width, int k);
int Create_Load_Table(int area, int y, int x1, int x2, int row_height, const Corbel_Model* model, int k);
int Draw_Load_Table_Row(int mode, int area, int x, int y, void* row);
// Rebuilds a model table from table k's rows (at least one row) in the unit the table
// was made with. Nothing when table k does not exist.
void Read_Back_Load_Table(int* count, Load_Combination** array, int k);
// Reads both tables back into the model and deletes them.
void Release_Load_Tables(Corbel_Model* model);
// Serves the page's buttons (-1) or passes the event to the tables (the table editor's
// code: 1 handled, 2 rows changed), else to the page's area, serving a button the click
// set at once: -1 when the area took the event, 3 when nobody did.
int Handle_Loads_Page_Events();

// Adds rows taken from a text file or an import to table k. Text rows: forces as they
// stand (display unit) and names; the component import's rows go in order over leading
// rows whose forces are both within 0.01 of zero, the rest is appended.
void Append_Text_Rows(int k, const double* values, const char* names, int name_width, int rows);
void Merge_Imported_Rows(int k, const Load_Table_Row* rows, int n);
// Row `number` (from 1) of a component import: the two values (kN) snapped to 0.01, then
// shown in the unit of the switch; named "Import Lk <number>".
Load_Table_Row Make_Imported_Row(int number, float first, float second, int unit_switch);

int* Draw_Component_Import_Info(int area, int x, int* y, void* info);
int* Draw_Text_File_Import_Info(int area, int x, int* y, void* info);
