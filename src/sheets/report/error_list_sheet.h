#pragma once
// The screen side of the error list: the sheet "Fehlermeldungen" showing the list file,
// the table sheet's colours, and two drawing helpers of sheets (a picture filling the
// work area, a titled area).
#include <cstdio>

#include "report/report_layout.h"

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

// No colour: a back or text colour of this value leaves the ground or the text out.
constexpr int TITLED_AREA_NO_COLOUR = -10000;

// An area (x1, y1)-(x2, y2) with an optional frame (kind > 0: the sheets' decorated
// frame, the area narrowed by 1 pixel for kinds 1 and 2, by 2 from kind 3), an optional
// ground and an optional text drawn with the alignment (pxBTxt modes), 3 pixels in from
// the left when framed, in the font when font >= 0. Colour, viewport and font are
// restored.
void Draw_Titled_Area(int x1, int y1, int x2, int y2, const char* text, int alignment, int frame_kind, int font,
                      int text_colour, int back_colour);
