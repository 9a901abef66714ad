#pragma once
// Cross-section values of a plane polygon: centroid, area, perimeter, first and second
// moments of area and the principal axes with an equivalent rectangle.
//
// A polygon is a count n and two parallel arrays x[n], y[n]; the closing edge from the
// last vertex back to the first is implied (the first vertex is not repeated). The
// signed sums (static moments, moments of inertia, product moment) are positive for
// counter-clockwise vertices (y upwards) and change sign for clockwise ones; area and
// perimeter are always returned as absolute values.

// A point of the plane.
struct Plane_Point {
    double x;
    double y;
};

// Centroid (xs, ys). Both are NaN for n < 1. For a polygon without area (all vertices
// on one line or on one point) the centroid is the mean of the vertices. Returns 0.
int Get_Polygon_Centroid(int n, const double x[], const double y[], double* xs, double* ys);
// The same, returned as one point.
Plane_Point Get_Polygon_Centroid_Point(int n, const double x[], const double y[]);

// |area|; 0 for n < 1.
double Get_Polygon_Area(int n, const double x[], const double y[]);
// Length of the closed outline (closing edge included); 0 for n < 1.
double Get_Polygon_Perimeter(int n, const double x[], const double y[]);
// Integral of y over the area (signed); 0 for n < 1.
double Get_Polygon_Static_Moment_X(int n, const double x[], const double y[]);
// Integral of x over the area (signed); 0 for n < 1.
double Get_Polygon_Static_Moment_Y(int n, const double x[], const double y[]);
// Integral of y^2 over the area (signed); 0 for n < 1.
double Get_Polygon_Inertia_X(int n, const double x[], const double y[]);
// Integral of x^2 over the area (signed); 0 for n < 1.
double Get_Polygon_Inertia_Y(int n, const double x[], const double y[]);
// Integral of x y over the area (signed); 0 for n < 1.
double Get_Polygon_Product_Moment(int n, const double x[], const double y[]);

// Moves the vertices onto the centroid (in place: they stay moved) and gives the
// principal direction angle (between -pi/4 and pi/4; an outline turned counter-clockwise
// by a small t gives -t) and the sides b and h of the
// rectangle with the polygon's area whose principal moments stand in the same ratio
// (for an axis-parallel rectangle: b its extent in x, h in y). Where every direction
// is principal (Ix = Iy, Ixy = 0) the angle is 0 and b = h; a polygon without area
// gives b = h = 0 and angle 0. All outputs NaN for n < 1. Returns 0.
int Get_Polygon_Principal_Axes(int n, double x[], double y[], double* b, double* h,
                               double* angle);
