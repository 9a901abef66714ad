#include "base/polygon_props.h"

#include <cmath>
#include <limits>

namespace {

// Twice the signed area of the triangle of edge i with the origin.
inline double Edge_Term(const double x[], const double y[], int i, int j)
{
    return x[i] * y[j] - x[j] * y[i];
}

// Signed area and the sum of the magnitudes of the edge terms; the latter tells how
// large the area could have been, so that a vanishing area can be told from rounding.
void Signed_Area(int n, const double x[], const double y[], double* area, double* scale)
{
    double sum = 0.0, mag = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        const double c = Edge_Term(x, y, i, j);
        sum += c;
        mag += std::fabs(c);
    }
    *area = sum / 2.0;
    *scale = mag / 2.0;
}

// An outline whose area is lost in the rounding of its own edge terms (collinear or
// coincident vertices) has no centroid by the area formulas.
bool Has_No_Area(double area, double scale)
{
    return area == 0.0 || std::fabs(area) <= 1e-12 * scale;
}

}  // namespace

int Get_Polygon_Centroid(int n, const double x[], const double y[], double* xs, double* ys)
{
    *xs = 0.0;
    *ys = 0.0;
    if (n < 1) {
        *xs = std::numeric_limits<double>::quiet_NaN();
        *ys = std::numeric_limits<double>::quiet_NaN();
        return 0;
    }
    double area, scale;
    Signed_Area(n, x, y, &area, &scale);
    if (Has_No_Area(area, scale)) {
        // The area formulas would divide by zero; the mean of the vertices still lies on
        // the degenerate outline and is what a caller can sensibly go on with.
        double sx = 0.0, sy = 0.0;
        for (int i = 0; i < n; ++i) {
            sx += x[i];
            sy += y[i];
        }
        *xs = sx / n;
        *ys = sy / n;
        return 0;
    }
    double sx = 0.0, sy = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        const double c = Edge_Term(x, y, i, j);
        sx += (x[i] + x[j]) * c;
        sy += (y[i] + y[j]) * c;
    }
    *xs = sx / 6.0 / area;
    *ys = sy / 6.0 / area;
    return 0;
}

Plane_Point Get_Polygon_Centroid_Point(int n, const double x[], const double y[])
{
    Plane_Point p{0.0, 0.0};
    Get_Polygon_Centroid(n, x, y, &p.x, &p.y);
    return p;
}

double Get_Polygon_Area(int n, const double x[], const double y[])
{
    if (n < 1) return 0.0;
    double area, scale;
    Signed_Area(n, x, y, &area, &scale);
    return std::fabs(area);
}

double Get_Polygon_Perimeter(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        const double dx = x[j] - x[i], dy = y[j] - y[i];
        sum += std::sqrt(dx * dx + dy * dy);
    }
    return sum;
}

double Get_Polygon_Static_Moment_X(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        sum += Edge_Term(x, y, i, j) * (y[i] + y[j]) / 6.0;
    }
    return sum;
}

double Get_Polygon_Static_Moment_Y(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        sum += Edge_Term(x, y, i, j) * (x[i] + x[j]) / 6.0;
    }
    return sum;
}

double Get_Polygon_Inertia_X(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        sum += Edge_Term(x, y, i, j) * (y[i] * y[i] + y[i] * y[j] + y[j] * y[j]) / 12.0;
    }
    return sum;
}

double Get_Polygon_Inertia_Y(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        sum += Edge_Term(x, y, i, j) * (x[i] * x[i] + x[i] * x[j] + x[j] * x[j]) / 12.0;
    }
    return sum;
}

double Get_Polygon_Product_Moment(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        sum += Edge_Term(x, y, i, j) *
               (2.0 * x[i] * y[i] + x[i] * y[j] + x[j] * y[i] + 2.0 * x[j] * y[j]) / 24.0;
    }
    return sum;
}

int Get_Polygon_Principal_Axes(int n, double x[], double y[], double* b, double* h,
                               double* angle)
{
    if (n < 1) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        *b = nan;
        *h = nan;
        *angle = nan;
        return 0;
    }
    double xs, ys;
    Get_Polygon_Centroid(n, x, y, &xs, &ys);
    for (int i = 0; i < n; ++i) {
        x[i] -= xs;
        y[i] -= ys;
    }

    double signed_area, scale;
    Signed_Area(n, x, y, &signed_area, &scale);
    const double area = std::fabs(signed_area);
    if (Has_No_Area(signed_area, scale)) {
        *b = 0.0;
        *h = 0.0;
        *angle = 0.0;
        return 0;
    }
    const double ix = Get_Polygon_Inertia_X(n, x, y);
    const double iy = Get_Polygon_Inertia_Y(n, x, y);
    const double ixy = Get_Polygon_Product_Moment(n, x, y);

    // Every direction is principal when both differences vanish; 0/0 would give NaN.
    const double a = (ix - iy == 0.0 && ixy == 0.0) ? 0.0 : std::atan(2.0 * ixy / (ix - iy)) / 2.0;
    const double co = std::cos(2.0 * a), si = std::sin(2.0 * a);
    const double i1 = (ix + iy) / 2.0 + (ix - iy) * co / 2.0 + ixy * si;
    const double i2 = (ix + iy) / 2.0 - (ix - iy) * co / 2.0 - ixy * si;

    const double hh = std::sqrt(area * std::sqrt(i1 / i2));
    *angle = a;
    *h = hh;
    *b = area / hh;
    return 0;
}
