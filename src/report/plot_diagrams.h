#pragma once
// Diagrams with axes: a diagram frame that begins a graphic block of its own, a curve
// graphic block, and two curve diagrams of values over positions drawn into the open
// graphic.
//
// The diagram switch of the plot state (initially 1) is set by each diagram frame and
// cleared by one that has nothing to show; the curve graphic and the end of the diagram
// are written only while it is set.
#include <cstdio>
#include <string>

// Options of a diagram frame (Diagram_Options_Defaults gives the values in brackets).
// Lengths are record units (centimetres on the page).
struct Diagram_Options {
    double width;            // of the whole diagram (5.0)
    double height;           // (5.0)
    double margin_top;       // (0.5 each)
    double margin_right;
    double margin_bottom;
    double margin_left;
    double x_min, x_max;     // value ranges (0 and 100)
    double y_min, y_max;     // (0 and 100)
    int x_direction;         // 1: x grows to the right; otherwise it runs round (1)
    int y_direction;         // 0: y grows upwards; otherwise it runs round (0)
    double x_tick_step;      // no ticks unless above 0 (-1.0)
    double y_tick_step;      // (-1.0)
    int grid;                // grid lines at the ticks (0)
    std::string x_caption;   // written after the x axis' arrow ("")
    std::string y_caption;   // written after the y axis' arrow ("")
};

// Sets the defaults and returns the record.
Diagram_Options* Diagram_Options_Defaults(Diagram_Options* options);

// Sets the diagram switch and begins the diagram's graphic block on the stream (ending an
// open report paragraph first): the scales are (width - left and right margin) / x range
// and (height - top and bottom margin) / y range, the window is the value ranges widened
// by the margins (its ends exchanged for an axis that runs round). Then text height 0.25,
// record " 16 2.0", and for each axis (x along y = 0, then y along x = 0): pen class 1 and
// the solid axis line over the value range with an arrowhead 0.1 record units beyond its
// end (filled while colour output is on) and the caption there; with a tick step above 0
// tick labels at text height 0.2 from 0 outwards both ways (2 decimals for steps below
// 0.1, 1 below 1.0, else none), the tick marks with pen class 2 and, with grid set, grid
// lines over the other range with pen class 1 in the pattern "0.03 0.05".
// When either value range rounded to 3 decimals is not above 0, or the margins leave no
// room, the switch is cleared and nothing is drawn. Curves are drawn afterwards with the
// primitives in the value units; Plot_End_Diagram ends the block.
void Plot_Draw_Diagram_Frame(FILE* stream, const Diagram_Options* options);

// Ends the diagram's graphic block (" -1", after which the graphic stream is cleared)
// while the diagram switch is set.
void Plot_End_Diagram();

// While the diagram switch is set, and for n of at least 1 with both ranges above 0:
// a graphic block of its own on the stream (ending an open report paragraph first) over
// the smallest and largest x and y (each range widened to include 0), at the scales
// width / x range and height / y range (record units), with the curve through the n
// points as lines (closed back to the first point when closed is set) and the block's end.
// The block carries the curve alone; the caption is not drawn.
void Plot_Write_Curve_Graphic(FILE* stream, int n, const double x[], const double y[],
                              int closed, const char* caption, double width, double height);

// A diagram of n values (2 to 100; nothing otherwise) over their positions in the box
// (x0, y0)-(x1, y1), drawing units, as one group of the open graphic: the positions span
// the box's height (nothing when they span less than 0.1), the values its width, inside a
// margin of one text height (text height in record units; 1.3 text heights more at the
// top for a title); nothing when the remaining box is smaller than 0.1 either way
// (0.04 added to the width). The area between the zero line and the values is filled with
// fill index 11 (colour output on) and outlined; records " 6" with 0.015, 0.04 and 0.01
// come before the outline, the axis lines and the ticks. The extreme values are marked on
// the bottom axis and labelled with decimals that follow the value range, after record
// " 8 6" and text height 0.8 * text height; then record " 7 0", record " 23 1 0" and the
// axis text written turned by pi/2 beside the zero line; the title centred above.
void Plot_Draw_Curve_Diagram(double x0, double y0, double x1, double y1,
                             const double positions[], const double values[], int n,
                             const char* axis_text, const char* title, double text_height);

// The same kind of diagram lying along the box: n values (2 to 100) at equal spacing from
// the first to the last position (nothing when they lie less than 0.1 apart) span the
// box's width, the values its height; the area is filled with Plot_Fill_Polygon (fill
// index 11); labels are written upright (turned by 90 degrees) and centred: every value's
// label when label_all is set, else those of the extreme values.
void Plot_Draw_Curve_Diagram_Upright(double x0, double y0, double x1, double y1,
                                     double first_position, double last_position,
                                     const double values[], int n, int label_all,
                                     const char* title, double text_height);
