#pragma once
// Sorting of double arrays (index sorts with tolerant comparison, duplicate removal,
// extreme values) and geometry on point arrays given as parallel x and y arrays
// (coordinate frames, directions, lines, circles, polylines and polygons).
//
// Keys within 1e-5 of each other compare as equal; their order after a sort is not
// defined. Polygons are closed implicitly (the last vertex joins the first). Angles are
// in radians unless a name says degrees.

// ---------------------------------------------------------------------------------
// Sorting

// Key arrays of the index sort in progress (the comparisons see only two indices).
// Set by each index sort before it sorts; the sorts are therefore not reentrant.
extern const double* sort_key_array;
extern const int* sort_int_key_array;

// Comparisons in the manner of qsort. The index comparisons take pointers to two int
// indices into sort_key_array / sort_int_key_array; the double comparisons take
// pointers to two doubles. Tolerant ones answer 0 for values within 1e-5.
int Compare_Key_Ascending(const void* a, const void* b);
int Compare_Key_Descending(const void* a, const void* b);
int Compare_Int_Key_Ascending(const void* a, const void* b);
int Compare_Int_Key_Descending(const void* a, const void* b);
int Compare_Doubles_Ascending(const void* a, const void* b);
int Compare_Doubles_Descending(const void* a, const void* b);

// idx receives 0..n-1 ordered by ascending keys[idx[i]]. Nothing for n < 1.
void Sort_Index_By_Key(const double keys[], int idx[], int n);
// The index sort in either direction (ascending set: ascending).
void Sort_Index_Dir(int n, const double keys[], int idx[], int ascending);
// The index sort on integer keys (exact comparison).
void Sort_Index_By_Int_Key(int n, const int keys[], int idx[], int ascending);
// Sorts the values in place.
void Sort_Doubles(int n, double values[], int ascending);
// Sorts, then keeps a value only when its difference from the value kept before it,
// rounded to the decimals, is not 0; the kept values are written back from the front.
// Returns their count (0 for n < 1).
int Sort_Unique_Doubles(int n, double values[], int ascending, int decimals);
// Reorders the point pairs by x; with by_y above 0 each run of points whose x agree at
// the decimals is ordered by ascending y.
void Sort_Points_By_X(int n, double x[], int ascending, double y[], int by_y, int decimals);
void Swap_Doubles(double* a, double* b);
void Swap_Floats(float* a, float* b);

// Index of the largest (largest set) or smallest value of v[0..n-1]; the first of
// equal extremes wins. 0 when n < 2.
int Find_Extreme_Index(int n, const double v[], int largest);

// ---------------------------------------------------------------------------------
// Frames and directions

// Into the local frame, in place: shift by (x0, y0), rotate by -angle, scale.
// Nothing for n < 1.
void Transform_Points(double x[], double y[], int n, double x0, double y0, double angle,
                      double scale);
// The inverse of Transform_Points, in place.
void Untransform_Points(double x[], double y[], int n, double x0, double y0, double angle,
                        double scale);
// As Transform_Points, leaving x and y alone and writing the results rounded half away
// from zero into xi and yi.
void Transform_Points_To_Int(const double x[], const double y[], int n, double x0,
                             double y0, double angle, double scale, int xi[], int yi[]);

// Direction from point 1 to point 2, between -pi/2 and 3 pi/2 (3 pi/2 for equal points).
double Get_Segment_Angle(double x1, double y1, double x2, double y2);
// Direction from point 1 to point 2 in 0..2 pi.
double Get_Segment_Angle_2Pi(double x1, double y1, double x2, double y2);
// Angle between the directions of two segments, 0..pi (0 when one has no length).
double Get_Angle_Between_Segments(double ax1, double ay1, double ax2, double ay2,
                                  double bx1, double by1, double bx2, double by2);
// Mean direction of two directions in degrees, in 0..360.
double Get_Mid_Angle_Deg(double a, double b);
// Get_Mid_Angle_Deg for two directions in radians.
double Get_Mid_Angle(double a, double b);
// a raised by whole turns until it is not negative (judged at 4 decimals).
double Normalize_Angle(double a);

// ---------------------------------------------------------------------------------
// Orientation

// Reverses the vertex order when the sign of the signed area does not match wanted
// (above 0: counter-clockwise, else clockwise). A polygon without area stays as it is.
void Set_Polygon_Orientation(int n, double x[], double y[], int wanted);
void Make_Polygon_Positive(int n, double x[], double y[]);
void Make_Polygon_Negative(int n, double x[], double y[]);
// Copies the polygon mirrored at the horizontal line y = h/2 (x, h - y) into xo, yo,
// running the same way round as the original.
void Mirror_Points_In_Y(int n, const double x[], const double y[], double h, double xo[],
                        double yo[]);

// ---------------------------------------------------------------------------------
// Points, lines and segments

// The point at distance d from point 1 (or from point 2 with from_second set), in the
// direction from point 1 to point 2.
void Get_Point_Along_Line(double x1, double y1, double x2, double y2, double d,
                          int from_second, double* x, double* y);
// For d > 0 the point d from point 1 towards point 2, else |d| back from point 2.
// Result 1 when |d| exceeds the segment's length, else 0.
int Get_Point_On_Segment_At(double x1, double y1, double x2, double y2, double d, double* x,
                            double* y);
// 1 when the line's y at x differs from y by 0 when rounded to the decimals (for a
// vertical line: its x and x).
int Is_Point_On_Line(double x1, double y1, double x2, double y2, double x, double y,
                     int decimals);
// Moves the segment parallel by d to the left of its direction, in place.
void Offset_Segment(double* x1, double* y1, double* x2, double* y2, double d);
// Extent of the points along the direction angle; 2e100 for n < 1.
double Get_Projected_Width(int n, const double x[], const double y[], double angle);
// Moves every point to its foot on the line through the two points.
void Project_Points_On_Line(int n, double x[], double y[], double x1, double y1, double x2,
                            double y2);
// Distance of the point from the infinite line (from point 1 when the two coincide).
double Get_Point_Line_Distance(double x1, double y1, double x2, double y2, double px,
                               double py);
double Get_Mirror_Value(double a, double m);  // 2 m - a

// ---------------------------------------------------------------------------------
// Circles

// Area common to two circles of radii r1, r2 at centre distance d.
double Get_Circle_Overlap_Area(double r1, double r2, double d);
// Common area (a), length of the common chord (b) and width of the lens on the centre
// line (c) of two circles. Result 1 when they meet, 0 (all 0) when not.
int Get_Circle_Overlap_Values(double r1, double r2, double d, double* a, double* b,
                              double* c);
// The n vertices of the regular polygon around (cx, cy) with the area of the circle of
// radius r, the first at angle 0. Nothing for n < 3.
void Make_Regular_Polygon(double r, double cx, double cy, int n, double x[], double y[]);
// 2 when the point lies on the circle (at 5 decimals), 1 inside, 0 outside.
int Locate_Point_To_Circle(double cx, double cy, double r, double px, double py);

// ---------------------------------------------------------------------------------
// Polygons

// Corners (x1, y1), (x2, y1), (x2, y2), (x1, y2).
void Make_Rectangle(double x1, double y1, double x2, double y2, double x[4], double y[4]);
// Extremes of the points; 1e100 and -1e100 when n < 1.
void Get_Bounding_Box(int n, const double x[], const double y[], double* xmin, double* ymin,
                      double* xmax, double* ymax);
// Scales the polygon about its centroid.
void Scale_Polygon(int n, double x[], double y[], double factor);
// Moves each vertex towards the centroid by dx in x and dy in y.
void Shrink_Polygon(int n, double x[], double y[], double dx, double dy);
// Keeps, in place, the vertices where the outline does not turn against its sense of
// rotation; returns the count kept.
int Remove_Reflex_Vertices(int n, double x[], double y[]);
// Drops every vertex equal (at 5 decimals) to its successor, the closing edge included
// (one vertex always stays); returns the new count.
int Remove_Repeated_Vertices(int n, double x[], double y[]);
// -1 for a missing array or n < 1, 0 for n < 3; 2 on the boundary (within 1e-5),
// 1 inside, 0 outside.
int Locate_Point_In_Polygon(int n, const double x[], const double y[], double px,
                            double py);
// Moves every edge by d to the left of its direction and puts each vertex at the
// crossing of its two moved edges, in place. n > 0: closed outline of n vertices;
// n < 0: open polyline of |n| vertices whose ends move by d alone. Nothing unless
// 2 <= |n| <= 99.
void Offset_Polyline(double x[], double y[], int n, double d);
// Crossings between non-adjacent edges of the polyline (the closing edge included when
// closed is set), away from the edges' ends.
int Count_Self_Crossings(int n, const double x[], const double y[], int closed);
// The part of the polygon left of the directed line (x1, y1)->(x2, y2) (vertices on the
// line kept), with the crossings of the edges inserted, into xo, yo (room for capacity
// points; may be x, y themselves) and *count. Result 1 when the line cuts the polygon,
// 0 when it does not; -1 (nothing written) when the result would not fit.
int Cut_Polygon_At_Line(int n, const double x[], const double y[], double x1, double y1,
                        double x2, double y2, int* count, double xo[], double yo[],
                        int capacity);

// ---------------------------------------------------------------------------------
// Crossings (slope form; a vertical line takes the slope 1e100; slopes within 1e-5
// are parallel)

// Crossing of two infinite lines: 1 with the point, 0 when parallel.
int Intersect_Lines_Slope(double x1, double y1, double x2, double y2, double x3, double y3,
                          double x4, double y4, double* x, double* y);
// Common points of two segments into xo[2], yo[2]: 0, 1 (crossing or touching) or 2
// (collinear segments: the ends of their common part).
int Intersect_Segments_Slope(double x1, double y1, double x2, double y2, double x3,
                             double y3, double x4, double y4, double xo[2], double yo[2]);
// Crossings of a circle with the infinite line (0, 1 when touching, or 2).
int Intersect_Circle_Line(double cx, double cy, double r, double x1, double y1, double x2,
                          double y2, double xo[2], double yo[2]);
// Crossings of a circle with the segment (ends judged at 5 decimals).
int Intersect_Circle_Segment(double cx, double cy, double r, double x1, double y1,
                             double x2, double y2, double xo[2], double yo[2]);

// Crossings of a polyline of n vertices (closed set: with its closing edge) with a
// circle, a line, a segment or a second polyline, in edge order; a point that repeats
// the one before it (at 5 decimals) is dropped. The growing forms (re)allocate *xo and
// *yo (null or earlier blocks of these routines; the caller frees them with
// Free_And_Null) and return the count. The _Max10 forms fill caller arrays with at most
// 10 points and return the count.
int Intersect_Polyline_Circle(int n, const double x[], const double y[], int closed,
                              double cx, double cy, double r, double** xo, double** yo);
int Intersect_Polyline_Line(int n, const double x[], const double y[], int closed,
                            double x1, double y1, double x2, double y2, double** xo,
                            double** yo);
int Intersect_Polyline_Segment(int n, const double x[], const double y[], int closed,
                               double x1, double y1, double x2, double y2, double** xo,
                               double** yo);
int Intersect_Polylines(int n, const double x[], const double y[], int closed, int m,
                        const double u[], const double v[], int closed2, double** xo,
                        double** yo);
int Intersect_Polyline_Circle_Max10(int n, const double x[], const double y[], int closed,
                                    double cx, double cy, double r, double xo[10],
                                    double yo[10]);
int Intersect_Polyline_Line_Max10(int n, const double x[], const double y[], int closed,
                                  double x1, double y1, double x2, double y2, double xo[10],
                                  double yo[10]);
int Intersect_Polyline_Segment_Max10(int n, const double x[], const double y[], int closed,
                                     double x1, double y1, double x2, double y2,
                                     double xo[10], double yo[10]);
int Intersect_Polylines_Max10(int n, const double x[], const double y[], int closed, int m,
                              const double u[], const double v[], int closed2,
                              double xo[10], double yo[10]);
