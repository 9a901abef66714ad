#pragma once
// Straight-line primitives of the drawing writer. Each writes graphic records into the
// open report graphic and, while a drawing file is open, line entities into that file,
// from the same call. Coordinates are drawing units; points are turned by the graphic's
// rotation and scaled for the record, and written turned but unscaled (y mirrored in
// mode 2) to the drawing file. Each primitive widens the bounding box by the points it is
// given, before turning.

// One straight line: record " 1  x1 y1 x2 y2" and a line entity.
void Plot_Draw_Line(double x1, double y1, double x2, double y2);

// Polyline through |n| points: n < 0 open, n > 0 closed (a last segment back to point 1);
// nothing when |n| < 2. Drawn segment by segment with Plot_Draw_Line.
void Plot_Draw_Polyline(int n, const double x[], const double y[]);

// Outline of a rectangle as four lines: (x1, y1) to (x1, y2) to (x2, y2) to (x2, y1) and
// back to (x1, y1).
void Plot_Draw_Rectangle(double x1, double y1, double x2, double y2);
// The same for the rectangle of that width and height centred on (x, y).
void Plot_Draw_Centred_Rectangle(double x, double y, double width, double height);

// An arrow pointing at (x1, y1), as one group of three lines: the shaft from (x1, y1) to
// (x2, y2) and the two sides of the head from (x1, y1) to the points a head length along
// the shaft and half the head width to either side of it.
void Plot_Draw_Arrow(double x1, double y1, double x2, double y2, double head_length,
                     double head_width);

// The line as a band of the given width: filled (Plot_Fill_Quad) while colour output is
// on, and outlined as a closed polyline when outline is set.
void Plot_Draw_Thick_Line(double x1, double y1, double x2, double y2, double width,
                          int outline);

// Report-only line record from (x + dx1, y + dy1) to (x + dx2, y + dy2): record 1,
// no drawing-file entity, no bounding box.
void Plot_Draw_Line_Record(double x, double y, double dx1, double dy1, double dx2,
                           double dy2);
