#pragma once
// Drawing the records of a report graphic block onto a page.
//
// A record point (x, y) lies (x - X1) * sign(X2 - X1) to the right of the frame's left
// edge and (y - Y1) * sign(Y2 - Y1) above its bottom edge (the window is "X1 X2 Y1 Y2"),
// times the frame's scale; record units are centimetres. Records may lie outside the
// window (labels): nothing is clipped.
//
// How the records look (the format leaves it open; the state runs through the block,
// groups do not scope it):
//   1  line, in the current colour, width and dash pattern (the lines of one pen that
//      follow one another are drawn as one run)
//   2  text, its baseline starting at the point
//   3  the same along the text angle (record 14)
//   4  line weight class n: width n * 0.018 cm (1 thin, 2 thicker)
//   6  line width in cm
//   7  text style: sets the text height to that style's capital height until a record 13
//   9  text anchored at the point by its code (rows 0x20 top, 0x10 middle, 0x08 bottom;
//      columns 0x01 left, 0x02 centre, 0x04 right; 0x100 turned by 90 degrees)
//   10 the same along the text angle
//   13 text height: the height of the capital letters, in cm
//   14 text angle in degrees, counter-clockwise on the page
//   18 filled polygon, 24 filled axis-parallel rectangle "xa yb xb ya": no outline; fill
//      index 0 is the paper (white, so labels stand on a clear box), any other index the
//      current colour (a mid grey while no record 50 came)
//   20 fill index       38 dash pattern (lengths in cm, count 0: solid; a length below
//                          0.005 cm makes the line solid)
//   50 current colour of fills, lines and texts (black until the first record 50)
//   8, 16, 23, 30, 31, 51, 52, 53, 59 to 62: no effect on the page
//   27 (symbol-font glyph) and 75 (image): left out and counted
// Texts use the proportional face; in-band sequences in them are dropped. Anchor rows
// follow the window's y: in a window whose y runs down the page (Y1 > Y2) a top anchor
// puts the text on the side of the smaller y, above the point on the page. A text that
// would read upside down (an angle between 90 and 270 degrees) is turned by half a turn
// about the middle of its box, so that it reads from the left or from below.
#include "report/plot_state.h"
#include "viewer/page_model.h"
#include "viewer/report_document.h"

struct Graphic_Frame {
    double left = 0.0;    // page x of the window's left edge
    double bottom = 0.0;  // page y of the window's bottom edge
    double scale = 1.0;   // page cm per record unit
};

// The records of the list above that have no effect on the page: the reader need not
// keep them (a graphic of a million group brackets takes no memory).
bool Graphic_Record_Changes_Nothing(int code);

// Width and height of the window in record units.
double Graphic_Width(const Graphic_Block& graphic);
double Graphic_Height(const Graphic_Block& graphic);

void Draw_Graphic(const Graphic_Block& graphic, const Graphic_Frame& frame, Page& page, View_Counts& counts);

// Adds the line from a to b to the page: to the run of lines at the page's end when that
// has the same pen and is not yet long, else as a new run. Shared with drawings.
void Add_Line(Page& page, Page_Point a, Page_Point b, double width, const Rgb& colour, const std::vector<double>& dashes);

// Places a text of the given width and capital height so that the point (u along, v up
// in the text's own frame) lies at "at", for text.angle; an upside-down text is turned
// by half a turn about its box's middle (text.angle changes then). Shared with drawings.
void Place_Text(Page_Text& text, Page_Point at, double u, double v, double width, double cap);
