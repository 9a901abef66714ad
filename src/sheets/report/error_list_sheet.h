#pragma once
// The screen side of the error list: the sheet "Fehlermeldungen" showing the list file,
// the table sheet's colours, and a drawing helper of sheets (a picture filling the work
// area; the titled area is the toolkit's, Draw_Titled_Area).
#include <cstdio>

#include "report/report_layout.h"
#include "toolkit/ui_utilities.h"

// The table sheet: shows the table's rows (the lines after its two layout lines) in a
// sheet with a scroll area and a close button, at the display's place and size, rows on
// the first two table colours; returns 0 when it is closed. Nothing without a screen or
// a table.
int OLITablePropSheet(const char* title, int mode, OLI_Table* table, const OLI_Table_Display* display);
// The table sheet's colours (OLI_TABLE_COLOUR_COUNT colour indices); non-zero when
// they were obtained.
int getOLITableColours(int* colours);
void setOLITableColours(const int* colours);

// Closes the list's table (appends "#END_OF_TEXT\n"), reads it from its beginning and
// shows its rows in the table sheet "Fehlermeldungen" over nearly the whole screen.
// Nothing for a null stream.
void Show_Error_List_Sheet(FILE* list);

// Once per run: the table sheet's first two colours become light grey (240, 240, 240),
// its fifth the button colour.
void Init_Table_Colours();

// Fills the screen's work area (7, 42)-(width - 8, height - 8) in a pale green and draws
// the picture <name>.BMP of the private data path centred into it, or else the RPC
// picture <name>.RPC; the name is written grey in the lower right corner.
void Draw_Picture_Or_RPC(const char* name, int a, int b);

