#pragma once
// Arc primitives of the drawing writer: arcs as chains of lines, filled sectors and
// slots. Angles are degrees, counter-clockwise from the x axis; coordinates are drawing
// units turned by the graphic's rotation (see plot_lines.h).

// Arc about (x, y) from start_deg through sweep_deg as a chain of lines
// (Plot_Draw_Line). Inner vertices lie on the fixed angles k * step (step pi/32 for a
// sweep up to 180 degrees, pi/16 above), the last segment ends on the exact end point.
// A negative sweep gives the complementary counter-clockwise arc. While a drawing file is
// open the chain is bracketed by "-opengroup" / "-closegroup".
void Plot_Draw_Arc(double x, double y, double diameter, double start_deg, double sweep_deg);
// The same chain written as report-only line records (no drawing-file entities).
void Plot_Draw_Arc_Record(double x, double y, double diameter, double start_deg,
                          double sweep_deg);

// Filled circular sector: record 18 of the centre and the arc points in steps of pi/16;
// in the drawing file a group with the area of the same points.
void Plot_Fill_Sector(double x, double y, double diameter, double start_deg,
                      double sweep_deg);

// Outline of a slot of that width and height centred on (x, y): two straight lines along
// the longer side and two half circles (steps of pi/16) at the shorter sides.
void Plot_Draw_Slot(double x, double y, double width, double height);
// The filled slot: record 18 of 34 points (and its area in the drawing file).
void Plot_Fill_Slot(double x, double y, double width, double height);
