#pragma once
// Drawing helpers of the corbel graphics, plot side: the plot colour table with its named
// colour numbers and fill styles, coloured lines, circles, bands (thick lines), arcs and
// bar labels drawn through the drawing writer, so that each reaches the report graphic
// and, while one is open, the drawing file; and the two number helpers that the sketch on
// screen and the section graphic share.
//
// "Apply colour k" below means: when k lies in 0 .. 29 and entry k is set (none of its
// parts negative), write the fill colour record of that entry (Plot_Set_Fill_Colour_RGB);
// otherwise the current colour stays.
#include <cstdint>

constexpr int PLOT_COLOUR_TABLE_SIZE = 30;

struct Plot_Colour_Entry {
    int32_t red;    // 0 .. 255; -1 in all three marks an unset entry
    int32_t green;
    int32_t blue;
};

// The table lives for the whole run. Init_Plot_Colours fills entries 0 .. 28 (21 .. 28
// unset); entry 29 keeps its start value 0, 0, 0 and so counts as set (black).
extern Plot_Colour_Entry plot_colour_table[PLOT_COLOUR_TABLE_SIZE];

// Named colour numbers (the entry each name stands for).
extern int32_t plot_black;         // 0   0,   0,   0
extern int32_t plot_foreground;    // 0
extern int32_t plot_white;         // 1   255, 255, 255
extern int32_t plot_background;    // 1
extern int32_t plot_grey;          // 2   110, 110, 110
extern int32_t plot_light_red;     // 3   255, 100, 100
extern int32_t plot_red;           // 4   255,  50,  50
extern int32_t plot_light_blue;    // 5   125, 125, 255
extern int32_t plot_blue;          // 6    30,  30, 255
extern int32_t plot_dark_blue;     // 7    30,  30, 150
extern int32_t plot_light_green;   // 8   100, 255, 100
extern int32_t plot_dark_green;    // 9     0,  98,   0
extern int32_t plot_green;         // 10   30, 150,  30
extern int32_t plot_light_yellow;  // 11  255, 255, 100
extern int32_t plot_yellow;        // 12  255, 255,  50
extern int32_t plot_brown;         // 13  128,  64,   0
extern int32_t plot_brown_alt;     // 13
extern int32_t plot_olive;         // 14  128, 128,   0
extern int32_t plot_light_grey;    // 15  224, 224, 224
extern int32_t plot_slate;         // 16   72,  69, 126
extern int32_t plot_pale_grey;     // 17  233, 233, 233
extern int32_t plot_off_white;     // 18  250, 250, 250
extern int32_t plot_purple;        // 19  165,  75, 165
extern int32_t plot_crimson;       // 20  171,  12,  36

// Fill indices of the drawing writer (Plot_Set_Fill_Index).
extern int32_t plot_fill_style_a;  // 34
extern int32_t plot_fill_style_b;  // 43
extern int32_t plot_fill_style_c;  // 26
extern int32_t plot_fill_style_d;  // 59

// Fills the table, the named colour numbers and the fill styles. Run before each section
// graphic and each report, so that Set_Plot_Background_Foreground lasts until then only.
void Init_Plot_Colours();

// Applies colour k (nothing for k outside 0 .. 29 or an unset entry).
void Set_Plot_Colour(int k);

// R, G, B of entry k: all three outputs 0 first; 1 when k lies outside 0 .. 29 or the
// entry is unset, else the entry's values and 0. Null outputs are skipped.
int Get_Plot_Colour(int k, int* red, int* green, int* blue);

// Stores the two colour numbers into plot_background and plot_foreground.
void Set_Plot_Background_Foreground(int background, int foreground);

// A line in colour k written as one group: the colour, the pen record " 4 <pen>" (report
// graphic only; the drawing file has no pen record) and the line. Nothing at all when k
// or the pen is negative.
void Plot_Coloured_Line(double x1, double y1, double x2, double y2, int colour, int pen);

// One group: when the fill colour is not negative the disc of radius r in it with the
// fill index; when the pen is not negative the pen record and the outline colour; in
// every case the outline circle (with a negative pen in the current pen and colour).
void Plot_Circle_With_Outline(double x, double y, double r, int fill_colour, int fill_index,
                              int pen, int outline_colour);

// A straight band of the given width along the segment (a thick line), drawn only while
// colour output is on; with the line flag also its centre line. A width below 0.01 in
// magnitude draws the centre line alone, whatever the flag. No group of its own.
void Plot_Band(double x1, double y1, double x2, double y2, double width, int line_flag);

// Circular arc about (cx, cy) through the points k * pi/16 from Round_To_Int32(start *
// 16/180) to Round_To_Int32((start + sweep) * 16/180), angle 0 at (cx - r, cy). When the
// fill colour is not negative the segment closed by its chord is filled; when the line
// colour is not negative the arc is drawn as a chain of bands of the band width (fill
// index 64). One group; a sweep below 0.001 degrees draws nothing.
void Plot_Coloured_Arc(double cx, double cy, double r, double start_deg, double sweep_deg,
                       int fill_colour, int fill_index, int line_colour, double band_width,
                       int line_flag);

// Bar label centred at (x, y) on a framed blank box: count, the diameter in mm (ten times
// the diameter in cm, whole or with one decimal) and, when above 0.01, the spacing, with
// the drawing font's diameter sign (byte 0x8C), e.g. "4\x8C" "16/15". Nothing for a
// diameter below 0.001, nor for a count of 0 or less without a spacing.
void Plot_Bar_Label(double x, double y, int count, double diameter, double spacing);

// A regular polygon of n corners about (x, y), outer radius R; with 0 < |r| < |R| a ring
// with the inner corners at radius r. Filled in the fill colour with the fill index and,
// when neither the pen flag nor the outline colour is negative, outlined with pen 2 in the
// outline colour. Nothing when the fill colour is negative, n > 64 or both of the last
// two arguments are negative.
void Plot_Regular_Polygon_Ring(double x, double y, double R, double r, int n, int fill_colour,
                               int fill_index, int pen_flag, int outline_colour);

// sign(x) * trunc(|x| + 5/9) as a 32-bit integer (the sign is + for x >= 0): 2.44 gives
// 2, 2.45 gives 3, -2.45 gives -3. Values beyond the 32-bit range give its ends, NaN 0.
int32_t Round_To_Int32(double x);

// 0 when |x| < 0.001, 1 when |x - 1| < 0.001, -1 when |x + 1| < 0.001, else x.
double Snap_Unit_Values(double x);

// How far from the face (at most full) a horizontal bar of a corbel of length lk with the
// chamfer hk2 may reach, when it lies rise above the lowest level a bar may take at the
// face: the sloping bottom leaves it the same cover there. full without a chamfer.
double Chamfer_Reach(double full, double rise, double lk, double hk2);
