#pragma once
// Filled primitives of the drawing writer: polygons, axis-parallel rectangles, discs and
// areas of several contours. Each writes its record into the open report graphic and,
// while a drawing file is open and the current filling is 0 or more, an area entity into
// that file. Coordinates are drawing units, turned by the graphic's rotation (see
// plot_lines.h).

// Filled polygon of n points: record " 18 n x y ... " and an area of n straight edges.
// Nothing for n < 1. The arrays are turned in place and turned back before the call
// returns; their last bits may change.
void Plot_Fill_Polygon(int n, double x[], double y[]);
// The same for exactly three and four points.
void Plot_Fill_Triangle(double x[3], double y[3]);
void Plot_Fill_Quad(double x[4], double y[4]);
// Plot_Fill_Polygon only while colour output is on.
void Plot_Fill_Polygon_If_Colour(int n, double x[], double y[]);

// Filled axis-parallel rectangle given by two opposite corners: record
// " 24  xa yb xb ya", where (xa, ya) is the corner on the side of the window's first
// corner; area of four edges.
void Plot_Fill_Rectangle(double x1, double y1, double x2, double y2);
// The same for the rectangle of that width and height centred on (x, y).
void Plot_Fill_Centred_Rectangle(double x, double y, double width, double height);
// A filled rectangle that writes its own fill index record (" 20  index", 0 while colour
// output is off) and whose drawing-file area is of the given kind ("-area / kind filling").
void Plot_Fill_Area_Pattern(double x1, double y1, double x2, double y2, int fill_index,
                            int area_kind);

// Filled disc: record 18 of 32 points on the circle, and in the drawing file a group with
// an area of two half-circle edges.
void Plot_Fill_Disc(double x, double y, double diameter);
// Twin of Plot_Fill_Disc.
void Plot_Fill_Circle_Area(double x, double y, double diameter);
// Filled ring between two circles about (x, y): record 18 of the outer circle and back
// along the inner one; in the drawing file a group with the area "-area / 1 filling" of
// two circular contours, each " 2" and its two half-circle edges.
void Plot_Fill_Ring(double x, double y, double outer_diameter, double inner_diameter);
// Filled area of several polygon contours: counts[i] points each, one after another in x
// and y. Record 18 of every contour; one drawing-file area of all of them
// ("-area / <contours - 1> filling", then per contour " count" and its rows). Nothing for
// no contour or a contour of no point. The arrays are turned in place and back, as
// Plot_Fill_Polygon does.
void Plot_Fill_Contours(int contours, const int counts[], double x[], double y[]);
