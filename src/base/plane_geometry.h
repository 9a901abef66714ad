#pragma once
// Plane geometry: points, segments, lines, circles and closed polygons (a count and two
// parallel arrays of x and y, the closing edge implied), a quadratic solver, Simpson
// integration, rounding to a step, the choice of a drawing scale and the common area
// of two polygons.
//
// Tolerances are absolute: 1e-6 for equal coordinates and vanishing products, 0.01 for
// coinciding points in the polygon tests and the clipper.

// Where the segment (x1, y1)-(x2, y2) crosses the vertical line at x: y is always
// stored; the result is 1 when x lies on the segment's x range (ends included, with a
// tolerance of 0.0001 |y|), else 0. A vertical segment on the line gives the mean of
// its y; a vertical segment off the line gives y = 0 and 0.
int Intersect_Segment_At_X(double x1, double y1, double x2, double y2, double x, double* y);

// x rounded to a multiple of step (a step of 0 means 1); a fraction of 4/9 of a step or
// more rounds away from zero.
double Round_To_Step(double x, double step);

double Get_Square(double x);

// Drawing length per unit of the object for an object width x height in a room
// room_x x room_y (the room in units one hundredth of the object's, e.g. metres in
// centimetres): 100 / n with n the whole scale number 1:n at which it fits. Without
// exact, n is raised to the next of 1, 2, 3, 4, 5, 10, 15, 20, 25, 30, and above 30 to
// the next multiple of 5. A room of 0.999 or less is not considered; when nothing is
// left to fit, n is 1.
double Choose_Drawing_Scale(double width, double height, double room_x, double room_y,
                            int exact);

// 1 when (px, py) lies inside the polygon or on its boundary (within 0.01), else 0
// (0 for n < 1).
int Point_In_Polygon(int n, const double x[], const double y[], double px, double py);
// As Point_In_Polygon with the caller's tolerance in place of 0.01.
int Point_In_Polygon_Tol(int n, const double x[], const double y[], double px, double py,
                         double tol);

// Signed area of the polygon (shoelace formula): positive when its vertices run
// counter-clockwise, negative when clockwise; 0 for n < 1.
double Signed_Area(int n, const double x[], const double y[]);

// -1 below -1e-6, 1 above 1e-6, else 0.
int Get_Sign(double x);
double Get_Cube(double x);
// Euclidean distance of the two points.
double Get_Distance(double x1, double y1, double x2, double y2);
// Exchanges the two values; returns a.
double* Swap_Values(double* a, double* b);

// Roots of x^2 + p x + q = 0: r1 = -p/2 + sqrt(D), r2 = -p/2 - sqrt(D) with
// D = p^2/4 - q, result 0; for D < 0 both roots 0 and result 1.
int Solve_Quadratic(double p, double q, double* r1, double* r2);

// Integral over [a, b] of n samples y[0..n-1] equally spaced from a to b (Simpson's
// rule; an even count takes its last interval as a trapezoid). 0 for a = b or n < 1.
double Integrate_Simpson(double a, double b, int n, const double y[]);

// 1 when point 3 lies on the line through points 1 and 2: its parameters along the line
// taken from x and from y agree within tol * 0.01, or, for a line whose extent in x (or
// y) is below tol, point 3 lies within tol of it in x (or y). 0 when points 1 and 2
// coincide within tol.
int Are_Points_Collinear(double x1, double y1, double x2, double y2, double x3, double y3,
                         double tol);
// 1 when (px, py) lies on the segment, farther than tol from both of its ends.
int Is_Point_On_Segment(double x1, double y1, double x2, double y2, double px, double py,
                        double tol);

// Centroid, |area| and outline length of the polygon. The centroid is 0, 0 when
// |area| <= 1e-6. Result 0; 1 (all outputs 0) when the work copies cannot be had.
int Get_Polygon_Outline_Values(int n, const double x[], const double y[], double* xs,
                               double* ys, double* area, double* perimeter);

// Moves every edge parallel by the distance (positive: outwards) and puts each vertex
// at the crossing of its two moved edges, in place. Result 0 when done; 1 (polygon
// unchanged) for n < 1, more than 50 vertices, an area of 1e-6 or less, all vertices
// equal, or two adjacent edges that are parallel.
int Offset_Polygon(int n, double x[], double y[], double distance);

// Crossing of the two infinite lines through (x1, y1)-(x2, y2) and (x3, y3)-(x4, y4).
// Result 0 with the point; 1 (point 0, 0) when they are parallel.
int Intersect_Lines(double x1, double y1, double x2, double y2, double x3, double y3,
                    double x4, double y4, double* x, double* y);
// Crossing of the two segments: 0 with the point when it lies on both; -1 when the
// crossing of the lines lies outside either segment (point stored); 1 (point 0, 0) when
// they are parallel.
int Intersect_Segments(double x1, double y1, double x2, double y2, double x3, double y3,
                       double x4, double y4, double* x, double* y);
// Distance of the point from the segment (to the nearer end when its foot lies outside).
double Get_Point_Segment_Distance(double x1, double y1, double x2, double y2, double px,
                                  double py);
// A crossing point of two circles: the one left of the line from centre 1 to centre 2
// when side is set, else the right one. Result 0 with the point; 1 when the centres
// coincide (the outputs then hold half the centre difference) or the circles do not
// meet (the outputs then hold the point on the centre line).
int Intersect_Circles(double x1, double y1, double r1, double x2, double y2, double r2,
                      int side, double* x, double* y);
// 1 when the two segments cross (ends included), else 0; parallel segments do not.
int Segments_Cross(double x1, double y1, double x2, double y2, double x3, double y3,
                   double x4, double y4);
// Mode 1: with *x given, finds y on both segments (as Intersect_Segment_At_X) and sets
// *y to the linear interpolation between them for the parameter t between t1 (first
// segment) and t2 (second). Other modes: the same with x and y exchanged. Result 1 when
// the point lies on both segments, else 0.
int Interpolate_Between_Segments(double t1, double ax1, double ay1, double ax2, double ay2,
                                 double bx1, double by1, double bx2, double by2, double t2,
                                 double t, double* x, double* y, int mode);

// Common area of two simple polygons A and B, written as an outline into xo, yo (room
// for capacity points) with its point count. Nothing lies in common when no vertex of
// either polygon lies in the other. Result 0; 1 when the work arrays cannot be had
// (then nothing is written, *count included).
int Intersect_Polygons(int na, const double xa[], const double ya[], int nb,
                       const double xb[], const double yb[], double xo[], double yo[],
                       int* count, int capacity);
