#pragma once
// Marks, symbols and labels of structural drawings: level marks, supports, section and
// grid-axis marks, bearing symbols, hatch bands and labels with leader lines.
//
// Each is one group of the report graphic (records 30/31, with 52/53 while colour records
// are on; the text angle and the rotation, and with a drawing file the pen, filling, line
// type and font, are put back at its end) drawn through the primitives, so that it is also
// written into an open drawing file.
//
// Sizes: a symbol's size is in record units (centimetres on the page); its parts are the
// size times their factors, divided by the x scale for x components and by the y scale
// for y components. Offsets are laid out as seen on the page: in a window whose y runs
// backwards (y mirror mode 2) the y offsets are turned round, in one whose x runs
// backwards the x offsets, so that a symbol looks the same on the page. Filled triangles,
// quadrilaterals and polygons are drawn only while colour output is on; fill indices are
// written as 0 while it is off. Angles are radians unless a name says degrees.
//
// Texts are code page 850; a null text is the same as an empty one, and an empty text is
// not written.

// The level-mark switch (initially 1): while it is 0, Plot_Draw_Level_Pair draws nothing.
// Declared with the plot state: void Plot_Set_Level_Marks(int flag);

// Two level marks at (x, y) along the direction angle: a triangle above the reference line
// with the first label and one below it with the second, both tips on the point, each
// 0.32 * size wide and 0.22 * size high. Labels are written along the angle at a text
// height of 0.18 / larger scale, in text style 0 (record " 7 0"). A label may carry a
// subscript: the control byte 0xCE, a backslash and at least one further character split
// it; what follows the backslash is written lowered after the label in text style 3. The
// reference line reaches past the longer label; a label's length counts its visible
// characters (MT_String_Length) and 0.8 for each character of its subscript.
void Plot_Draw_Level_Pair(double x, double y, const char* text1, const char* text2,
                          double size, double angle);

// A section mark at (x, y): an arrow of length size (record units) in the direction angle
// with a filled head 0.2 * size long (colour output on) and a line at right angles through
// the point, and the text centred 0.25 * size beyond the arrow's tip at a text height of
// 0.4 * size. At the angles 0, pi/2, pi and 3 pi/2 the arrow runs along one axis exactly
// and so uses the x or the y scale alone.
void Plot_Draw_Section_Mark(double x, double y, double size, double angle, const char* text);

// A level mark: a triangle with its tip at the point, 0.32 * size wide and 0.22 * size
// high, filled with the fill index (colour output on) and outlined; record " 6" with
// 0.035 * size; the level line from 0.17 * size before the point over length (drawing
// units, the way the page's x runs); the text above at (-0.14, +0.33) * size with text
// height 0.24 * size; then text height 0.2 * size, record " 8 0", record " 6" with
// 0.02 * size, record " 16" with 0.05 * size / x scale and the text below at
// (+0.25, +0.1) * size.
void Plot_Draw_Level_Mark(double x, double y, double length, const char* text_above,
                          const char* text_below, int fill_index, double size);

// The triangle of the level mark, filled with index 64 when filled is set (0 otherwise),
// and the text above it at text height 0.24 * size.
void Plot_Draw_Level_Triangle(double x, double y, const char* text, int filled, double size);
// The filled level triangle standing on ground: two ground lines under the tip,
// +-0.16 * size wide at -0.08 * size and +-0.1 * size wide at -0.16 * size.
void Plot_Draw_Level_Triangle_On_Ground(double x, double y, const char* text, double size);

// A hinged support with its tip at (x, y): a triangle 0.16 * size wide and 0.15 * size
// high under the tip, turned clockwise by angle_deg, filled with the fill index (colour
// output on), record " 6" with 0.015 * size and its outline; with base set a base line
// 0.04 * size below the triangle; with circle set, fill index 0, a filled disc and a circle
// of diameter 0.065 * size at the tip.
void Plot_Draw_Hinge_Support(double x, double y, double angle_deg, int fill_index,
                             int circle, int base, double size);

// A fixed support at (x, y): a base line 0.3 * size wide turned clockwise by angle_deg,
// record " 6" with 0.015 * size, pen class 1 and six hatch strokes below it at steps of a
// sixth of its width.
void Plot_Draw_Fixed_Support(double x, double y, double angle_deg, double size);

// A grid axis from (x1, y1) to (x2, y2): record " 6 0.025", the dash-dot pattern
// "0.2 0.07 0.008 0.07", the axis line, extended by twice offset (drawing units) at each
// end that has a text, and at each such end a marker beyond the line's end: a disc of
// radius 0.26 / larger scale (filled with index 64 from six triangles while colour output
// is on, and circled) with the text centred in it (text height 0.25, record " 8 6",
// centred by a character width of 0.0926 record units).
void Plot_Draw_Grid_Axis(double x1, double y1, double x2, double y2, double offset,
                         const char* text1, const char* text2);

// Kinds of Plot_Draw_Bearing_Symbol.
enum Plot_Bearing_Kind {
    PLOT_BEARING_FIXED = 0,          // block between the plates
    PLOT_BEARING_SLIDING_ONE = 1,    // block and one sliding plane
    PLOT_BEARING_SLIDING_ALL = 2,    // block and two sliding planes
    PLOT_BEARING_ROLLER = 3,         // one roller
    PLOT_BEARING_TWO_ROLLERS = 4,    // two rollers side by side
    PLOT_BEARING_POT = 5,            // hexagonal pot
    PLOT_BEARING_ELASTOMER = 6,      // layered block
    PLOT_BEARING_POINT = 7,          // hexagon with a pin
};
// Variant bits of Plot_Draw_Bearing_Symbol.
constexpr int PLOT_BEARING_CENTRE_LINE = 1;  // a dash-dot centre line through the symbol
constexpr int PLOT_BEARING_HANGING = 2;      // the symbol turned upside down

// A bearing or support symbol whose top centre is (x, y), width and height in record
// units: an upper and a lower plate (filled quadrilaterals, fill index 64) with the kind's
// element between them (fill index 0): a block, sliding planes, rollers (discs), a
// hexagon. Centre lines use the pattern "0.28 0.05 0.04 0.05". With a drawing file the
// plates take pen 1 and filling 2 in y mirror mode 2, else pen 8 and filling 5. An
// unknown kind draws the plates alone.
void Plot_Draw_Bearing_Symbol(int kind, int variant, double x, double y, double width,
                              double height);

// Sides of Plot_Draw_Hatch_Band.
enum Plot_Hatch_Side {
    PLOT_HATCH_LEFT = 0,    // the band lies left of the direction from point 1 to point 2
    PLOT_HATCH_RIGHT = 1,   // right of it
    PLOT_HATCH_CENTRED = 2  // any other value: centred on the segment
};
// A band of the given width (record units) along the segment (x1, y1)-(x2, y2): filled
// with index 0 (Plot_Fill_Quad, colour output on), the segment as its edge line, and
// strokes at 45 degrees across it (each 1.41 widths long, one a width apart) in the dash
// pattern "0.01 0.55" (line type 3 in the drawing file).
void Plot_Draw_Hatch_Band(double x1, double y1, double x2, double y2, double width,
                          int side);

// A text with a leader: the text is formatted (at most 255 characters) and its trailing
// blanks cut; pen class 1, solid; the leader from the first to the second point and a
// shelf from the second point (x, the way the page's x runs) over (n + 1) * size for n
// characters; the leader goes to the shelf's far end instead when that end is nearer to
// the first point. The text stands 0.2 * size above the shelf on the page, 0.6 * size in
// from the end where the leader meets it, anchored on that side. In the drawing file:
// line type 0, pen 0, filling 5, font 4.
void Plot_Draw_Leader_Label(double x1, double y1, double x2, double y2, double size,
                            const char* format, ...) __attribute__((format(printf, 6, 7)));

// The same leader with a shelf 0.82 * size * (n + 2) long, text height size and the text
// 0.1 * size from the knee; when flag is 0 a small filled triangle (fill index 1, outlined
// with pen class 2) follows the text.
void Plot_Draw_Flag_Label(double x1, double y1, double x2, double y2, int flag, double size,
                          const char* format, ...) __attribute__((format(printf, 7, 8)));
