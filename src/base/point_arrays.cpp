#include "base/point_arrays.h"

#include "base/numeric.h"
#include "base/plane_geometry.h"
#include "base/polygon_props.h"
#include "base/utilities.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

const double* sort_key_array = nullptr;
const int* sort_int_key_array = nullptr;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKeyTol = 1e-5;
constexpr double kVerticalSlope = 1e100;

// Merge sort driven by a qsort-style comparison. The tolerant comparisons are not a
// strict ordering (a ~ b and b ~ c do not give a ~ c), which a library quicksort or
// introsort is entitled to punish with reads outside the array; merging never leaves
// its ranges, whatever the comparison answers.
template <class T>
void Merge_Sort(T* a, int n, int (*cmp)(const void*, const void*))
{
    if (n < 2) return;
    std::vector<T> tmp(static_cast<size_t>(n));
    T* src = a;
    T* dst = tmp.data();
    for (int width = 1; width < n; width *= 2) {
        for (int lo = 0; lo < n; lo += 2 * width) {
            const int mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            int i = lo, j = mid, k = lo;
            while (i < mid && j < hi) dst[k++] = (cmp(&src[j], &src[i]) < 0) ? src[j++] : src[i++];
            while (i < mid) dst[k++] = src[i++];
            while (j < hi) dst[k++] = src[j++];
        }
        std::swap(src, dst);
    }
    if (src != a) std::copy(src, src + n, a);
}

int Tolerant_Compare(double ka, double kb)
{
    const double d = ka - kb;
    if (d > -kKeyTol && d < kKeyTol) return 0;
    return (ka > kb) ? 1 : -1;
}

// Whether the two values agree when their difference is rounded to the decimals.
bool Same_At(double a, double b, int decimals)
{
    return Round_To_Decimals(std::fabs(a - b), decimals) == 0.0;
}

bool Same_Point_5(double ax, double ay, double bx, double by)
{
    return Same_At(ax, bx, 5) && Same_At(ay, by, 5);
}

// Rounds half away from zero into the int range (NaN gives 0).
int Round_To_Int(double v)
{
    if (!(v == v)) return 0;
    const double r = std::round(v);
    if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(r);
}

// Adds whole turns of `turn` while the value, rounded to the decimals, is negative.
// Values far below zero are first brought near it in one step.
double Raise_While_Negative(double a, double turn, int decimals)
{
    if (!std::isfinite(a)) return a;
    if (a < -1e6 * turn) a = std::fmod(a, turn);
    while (Round_To_Decimals(a, decimals) < 0.0) a += turn;
    return a;
}

double Slope(double dx, double dy) { return (dx == 0.0) ? kVerticalSlope : dy / dx; }

bool Is_Vertical(double m) { return m >= kVerticalSlope; }

// Crossing of the line through (ax, ay) with slope ma and the one through (bx, by) with
// slope mb; the slopes must differ.
void Cross_Slope_Lines(double ax, double ay, double ma, double bx, double by, double mb,
                       double* x, double* y)
{
    if (Is_Vertical(ma)) {
        *x = ax;
        *y = by + mb * (ax - bx);
    } else if (Is_Vertical(mb)) {
        *x = bx;
        *y = ay + ma * (bx - ax);
    } else {
        const double ca = ay - ma * ax, cb = by - mb * bx;
        *x = (cb - ca) / (ma - mb);
        *y = ma * *x + ca;
    }
}

bool Parallel_Slopes(double ma, double mb) { return std::fabs(ma - mb) < kKeyTol; }

// The point lies within the segment's box (judged at 5 decimals).
bool In_Box_5(double x1, double y1, double x2, double y2, double px, double py)
{
    return Round_To_Decimals(px - std::min(x1, x2), 5) >= 0.0 &&
           Round_To_Decimals(std::max(x1, x2) - px, 5) >= 0.0 &&
           Round_To_Decimals(py - std::min(y1, y2), 5) >= 0.0 &&
           Round_To_Decimals(std::max(y1, y2) - py, 5) >= 0.0;
}

}  // namespace

// ---------------------------------------------------------------------------------
// Sorting

int Compare_Key_Ascending(const void* a, const void* b)
{
    const int ia = *static_cast<const int*>(a), ib = *static_cast<const int*>(b);
    return Tolerant_Compare(sort_key_array[ia], sort_key_array[ib]);
}

int Compare_Key_Descending(const void* a, const void* b) { return Compare_Key_Ascending(b, a); }

int Compare_Int_Key_Ascending(const void* a, const void* b)
{
    const int ka = sort_int_key_array[*static_cast<const int*>(a)];
    const int kb = sort_int_key_array[*static_cast<const int*>(b)];
    return (ka > kb) - (ka < kb);
}

int Compare_Int_Key_Descending(const void* a, const void* b)
{
    return Compare_Int_Key_Ascending(b, a);
}

int Compare_Doubles_Ascending(const void* a, const void* b)
{
    return Tolerant_Compare(*static_cast<const double*>(a), *static_cast<const double*>(b));
}

int Compare_Doubles_Descending(const void* a, const void* b)
{
    return Compare_Doubles_Ascending(b, a);
}

void Sort_Index_By_Key(const double keys[], int idx[], int n)
{
    Sort_Index_Dir(n, keys, idx, 1);
}

void Sort_Index_Dir(int n, const double keys[], int idx[], int ascending)
{
    if (n < 1) return;
    sort_key_array = keys;
    for (int i = 0; i < n; ++i) idx[i] = i;
    Merge_Sort(idx, n, ascending ? Compare_Key_Ascending : Compare_Key_Descending);
}

void Sort_Index_By_Int_Key(int n, const int keys[], int idx[], int ascending)
{
    if (n < 1) return;
    sort_int_key_array = keys;
    for (int i = 0; i < n; ++i) idx[i] = i;
    Merge_Sort(idx, n, ascending ? Compare_Int_Key_Ascending : Compare_Int_Key_Descending);
}

void Sort_Doubles(int n, double values[], int ascending)
{
    if (n < 2) return;
    Merge_Sort(values, n, ascending ? Compare_Doubles_Ascending : Compare_Doubles_Descending);
}

int Sort_Unique_Doubles(int n, double values[], int ascending, int decimals)
{
    if (n < 1) return 0;
    double* work = static_cast<double*>(Realloc_Or_Exit(nullptr, sizeof(double) * n, 0));
    std::memcpy(work, values, sizeof(double) * n);
    Sort_Doubles(n, work, ascending);
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        if (kept > 0 && Same_At(work[i], values[kept - 1], decimals)) continue;
        values[kept++] = work[i];
    }
    Free_And_Null(reinterpret_cast<void**>(&work));
    return kept;
}

void Sort_Points_By_X(int n, double x[], int ascending, double y[], int by_y, int decimals)
{
    if (n < 2) return;
    std::vector<int> idx(n);
    Sort_Index_Dir(n, x, idx.data(), ascending);
    std::vector<double> sx(n), sy(n);
    for (int i = 0; i < n; ++i) {
        sx[i] = x[idx[i]];
        sy[i] = y[idx[i]];
    }
    std::copy(sx.begin(), sx.end(), x);
    std::copy(sy.begin(), sy.end(), y);
    if (by_y <= 0) return;

    for (int lo = 0; lo < n;) {
        int hi = lo + 1;
        while (hi < n && Same_At(x[hi], x[hi - 1], decimals)) ++hi;
        if (hi - lo > 1) {
            std::vector<int> run(hi - lo);
            Sort_Index_Dir(hi - lo, y + lo, run.data(), 1);
            std::vector<double> rx(hi - lo), ry(hi - lo);
            for (int k = 0; k < hi - lo; ++k) {
                rx[k] = x[lo + run[k]];
                ry[k] = y[lo + run[k]];
            }
            std::copy(rx.begin(), rx.end(), x + lo);
            std::copy(ry.begin(), ry.end(), y + lo);
        }
        lo = hi;
    }
}

void Swap_Doubles(double* a, double* b) { std::swap(*a, *b); }

void Swap_Floats(float* a, float* b) { std::swap(*a, *b); }

int Find_Extreme_Index(int n, const double v[], int largest)
{
    if (n < 2) return 0;
    int best = 0;
    for (int i = 1; i < n; ++i) {
        if (largest ? (v[i] > v[best]) : (v[i] < v[best])) best = i;
    }
    return best;
}

// ---------------------------------------------------------------------------------
// Frames and directions

void Transform_Points(double x[], double y[], int n, double x0, double y0, double angle,
                      double scale)
{
    if (n < 1) return;
    const double c = std::cos(angle), s = std::sin(angle);
    for (int i = 0; i < n; ++i) {
        const double dx = x[i] - x0, dy = y[i] - y0;
        x[i] = (dx * c + dy * s) * scale;
        y[i] = (-dx * s + dy * c) * scale;
    }
}

void Untransform_Points(double x[], double y[], int n, double x0, double y0, double angle,
                        double scale)
{
    if (n < 1) return;
    const double c = std::cos(angle), s = std::sin(angle);
    const double f = 1.0 / scale;
    for (int i = 0; i < n; ++i) {
        const double u = x[i] * f, v = y[i] * f;
        x[i] = u * c - v * s + x0;
        y[i] = u * s + v * c + y0;
    }
}

void Transform_Points_To_Int(const double x[], const double y[], int n, double x0,
                             double y0, double angle, double scale, int xi[], int yi[])
{
    if (n < 1) return;
    std::vector<double> tx(x, x + n), ty(y, y + n);
    Transform_Points(tx.data(), ty.data(), n, x0, y0, angle, scale);
    for (int i = 0; i < n; ++i) {
        xi[i] = Round_To_Int(tx[i]);
        yi[i] = Round_To_Int(ty[i]);
    }
}

double Get_Segment_Angle(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    if (dx > -kKeyTol && dx < kKeyTol) return (y2 > y1) ? 1.5707963267948966 : 4.71238898038469;
    double a = std::atan((y2 - y1) / dx);
    if (x1 > x2) a += kPi;
    return a;
}

double Get_Segment_Angle_2Pi(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1, dy = y2 - y1;
    if (std::fabs(dx) < kKeyTol) return (dy > 0.0) ? kPi / 2.0 : 1.5 * kPi;
    if (std::fabs(dy) < kKeyTol) return (dx > 0.0) ? 0.0 : kPi;
    double a = std::atan2(dy, dx);
    if (a < 0.0) a += 2.0 * kPi;
    return a;
}

double Get_Angle_Between_Segments(double ax1, double ay1, double ax2, double ay2,
                                  double bx1, double by1, double bx2, double by2)
{
    const double ux = ax2 - ax1, uy = ay2 - ay1, vx = bx2 - bx1, vy = by2 - by1;
    const double lu = std::sqrt(ux * ux + uy * uy), lv = std::sqrt(vx * vx + vy * vy);
    if (lu == 0.0 || lv == 0.0) return 0.0;
    const double c = std::clamp((ux * vx + uy * vy) / (lu * lv), -1.0, 1.0);
    return std::acos(c);
}

double Get_Mid_Angle_Deg(double a, double b)
{
    a = Raise_While_Negative(a, 360.0, 3);
    b = Raise_While_Negative(b, 360.0, 3);
    double m = (a + b) / 2.0;
    if (Round_To_Decimals(std::max(a, b) - std::min(a, b), 3) > 180.0) m -= 180.0;
    return Raise_While_Negative(m, 360.0, 3);
}

double Get_Mid_Angle(double a, double b)
{
    return Get_Mid_Angle_Deg(a * 57.29577951308232, b * 57.29577951308232) *
           0.017453292519943295;
}

double Normalize_Angle(double a) { return Raise_While_Negative(a, 2.0 * kPi, 4); }

// ---------------------------------------------------------------------------------
// Orientation

void Set_Polygon_Orientation(int n, double x[], double y[], int wanted)
{
    if (n < 3) return;
    const double a = Signed_Area(n, x, y);
    if ((a > 0.0 && wanted <= 0) || (a < 0.0 && wanted > 0)) {
        std::reverse(x, x + n);
        std::reverse(y, y + n);
    }
}

void Make_Polygon_Positive(int n, double x[], double y[]) { Set_Polygon_Orientation(n, x, y, 1); }

void Make_Polygon_Negative(int n, double x[], double y[]) { Set_Polygon_Orientation(n, x, y, 0); }

void Mirror_Points_In_Y(int n, const double x[], const double y[], double h, double xo[],
                        double yo[])
{
    if (n < 1) return;
    const double a = Signed_Area(n, x, y);
    std::vector<double> mx(x, x + n), my(n);
    for (int i = 0; i < n; ++i) my[i] = h - y[i];
    if (a != 0.0) Set_Polygon_Orientation(n, mx.data(), my.data(), a > 0.0 ? 1 : 0);
    std::copy(mx.begin(), mx.end(), xo);
    std::copy(my.begin(), my.end(), yo);
}

// ---------------------------------------------------------------------------------
// Points, lines and segments

void Get_Point_Along_Line(double x1, double y1, double x2, double y2, double d,
                          int from_second, double* x, double* y)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double bx = from_second ? x2 : x1, by = from_second ? y2 : y1;
    if (len == 0.0) {
        *x = bx;
        *y = by;
        return;
    }
    *x = bx + d * dx / len;
    *y = by + d * dy / len;
}

int Get_Point_On_Segment_At(double x1, double y1, double x2, double y2, double d, double* x,
                            double* y)
{
    const double len = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    if (d > 0.0)
        Get_Point_Along_Line(x1, y1, x2, y2, d, 0, x, y);
    else
        Get_Point_Along_Line(x1, y1, x2, y2, d, 1, x, y);
    return (std::fabs(d) > len) ? 1 : 0;
}

int Is_Point_On_Line(double x1, double y1, double x2, double y2, double x, double y,
                     int decimals)
{
    if (std::fabs(x2 - x1) < kKeyTol) return Same_At(x, x1, decimals) ? 1 : 0;
    const double yl = y1 + (x - x1) * (y2 - y1) / (x2 - x1);
    return Same_At(yl, y, decimals) ? 1 : 0;
}

void Offset_Segment(double* x1, double* y1, double* x2, double* y2, double d)
{
    const double dx = *x2 - *x1, dy = *y2 - *y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0.0) return;
    const double nx = -dy / len * d, ny = dx / len * d;
    *x1 += nx;
    *y1 += ny;
    *x2 += nx;
    *y2 += ny;
}

double Get_Projected_Width(int n, const double x[], const double y[], double angle)
{
    if (n < 1) return 2e100;
    const double c = std::cos(angle), s = std::sin(angle);
    double lo = 1e100, hi = -1e100;
    for (int i = 0; i < n; ++i) {
        const double p = x[i] * c + y[i] * s;
        lo = std::min(lo, p);
        hi = std::max(hi, p);
    }
    return hi - lo;
}

void Project_Points_On_Line(int n, double x[], double y[], double x1, double y1, double x2,
                            double y2)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0) return;
    for (int i = 0; i < n; ++i) {
        const double t = ((x[i] - x1) * dx + (y[i] - y1) * dy) / len2;
        x[i] = x1 + t * dx;
        y[i] = y1 + t * dy;
    }
}

double Get_Point_Line_Distance(double x1, double y1, double x2, double y2, double px,
                               double py)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0.0) return std::sqrt((px - x1) * (px - x1) + (py - y1) * (py - y1));
    return std::fabs(dx * (py - y1) - dy * (px - x1)) / len;
}

double Get_Mirror_Value(double a, double m) { return 2.0 * m - a; }

// ---------------------------------------------------------------------------------
// Circles

double Get_Circle_Overlap_Area(double r1, double r2, double d)
{
    double a = 0.0, b, c;
    Get_Circle_Overlap_Values(r1, r2, d, &a, &b, &c);
    return a;
}

int Get_Circle_Overlap_Values(double r1, double r2, double d, double* a, double* b,
                              double* c)
{
    *a = *b = *c = 0.0;
    r1 = std::fabs(r1);
    r2 = std::fabs(r2);
    d = std::fabs(d);
    if (d >= r1 + r2 || r1 == 0.0 || r2 == 0.0) return 0;
    const double rmin = std::min(r1, r2);
    if (d <= std::fabs(r1 - r2)) {
        *a = kPi * rmin * rmin;
        *c = 2.0 * rmin;
        return 1;
    }
    // Half the angle each circle's centre sees the common chord under.
    const double c1 = std::clamp((d * d + r1 * r1 - r2 * r2) / (2.0 * d * r1), -1.0, 1.0);
    const double c2 = std::clamp((d * d + r2 * r2 - r1 * r1) / (2.0 * d * r2), -1.0, 1.0);
    const double al1 = std::acos(c1), al2 = std::acos(c2);
    *a = (2.0 * al1 - std::sin(2.0 * al1)) * r1 * r1 / 2.0 +
         (2.0 * al2 - std::sin(2.0 * al2)) * r2 * r2 / 2.0;
    *b = 2.0 * r1 * std::sin(al1);
    *c = r1 + r2 - d;
    return 1;
}

void Make_Regular_Polygon(double r, double cx, double cy, int n, double x[], double y[])
{
    if (n < 3) return;
    const double phi = 2.0 * kPi / n;
    const double rc = r * std::sqrt(phi / std::sin(phi));
    for (int i = 0; i < n; ++i) {
        x[i] = cx + rc * std::cos(i * phi);
        y[i] = cy + rc * std::sin(i * phi);
    }
}

int Locate_Point_To_Circle(double cx, double cy, double r, double px, double py)
{
    const double d = std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy));
    if (Same_At(d, r, 5)) return 2;
    return (d < r) ? 1 : 0;
}

// ---------------------------------------------------------------------------------
// Polygons

void Make_Rectangle(double x1, double y1, double x2, double y2, double x[4], double y[4])
{
    x[0] = x1;
    y[0] = y1;
    x[1] = x2;
    y[1] = y1;
    x[2] = x2;
    y[2] = y2;
    x[3] = x1;
    y[3] = y2;
}

void Get_Bounding_Box(int n, const double x[], const double y[], double* xmin, double* ymin,
                      double* xmax, double* ymax)
{
    *xmin = *ymin = 1e100;
    *xmax = *ymax = -1e100;
    for (int i = 0; i < n; ++i) {
        *xmin = std::min(*xmin, x[i]);
        *ymin = std::min(*ymin, y[i]);
        *xmax = std::max(*xmax, x[i]);
        *ymax = std::max(*ymax, y[i]);
    }
}

void Scale_Polygon(int n, double x[], double y[], double factor)
{
    if (n < 1) return;
    double xs, ys;
    Get_Polygon_Centroid(n, x, y, &xs, &ys);
    for (int i = 0; i < n; ++i) {
        x[i] = xs + (x[i] - xs) * factor;
        y[i] = ys + (y[i] - ys) * factor;
    }
}

void Shrink_Polygon(int n, double x[], double y[], double dx, double dy)
{
    if (n < 1) return;
    double xs, ys;
    Get_Polygon_Centroid(n, x, y, &xs, &ys);
    for (int i = 0; i < n; ++i) {
        if (x[i] > xs)
            x[i] -= dx;
        else if (x[i] < xs)
            x[i] += dx;
        if (y[i] > ys)
            y[i] -= dy;
        else if (y[i] < ys)
            y[i] += dy;
    }
}

int Remove_Reflex_Vertices(int n, double x[], double y[])
{
    if (n < 3) return std::max(n, 0);
    // The turn is judged against the outline's own sense of rotation.
    const double sense = (Signed_Area(n, x, y) < 0.0) ? -1.0 : 1.0;
    std::vector<char> keep(n);
    for (int i = 0; i < n; ++i) {
        const int p = (i == 0) ? n - 1 : i - 1, q = (i + 1 == n) ? 0 : i + 1;
        const double cross = (x[i] - x[p]) * (y[q] - y[i]) - (y[i] - y[p]) * (x[q] - x[i]);
        keep[i] = sense * cross >= 0.0;
    }
    int k = 0;
    for (int i = 0; i < n; ++i) {
        if (!keep[i]) continue;
        x[k] = x[i];
        y[k] = y[i];
        ++k;
    }
    return k;
}

int Remove_Repeated_Vertices(int n, double x[], double y[])
{
    if (n < 2) return std::max(n, 0);
    int k = 0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        if (Same_Point_5(x[i], y[i], x[j], y[j])) continue;
        x[k] = x[i];
        y[k] = y[i];
        ++k;
    }
    // All vertices on one point: that point stays.
    if (k == 0) k = 1;
    return k;
}

namespace {

// Proper crossing of segment p-q with segment a-b (orientation tests).
bool Segments_Cross_Strictly(double px, double py, double qx, double qy, double ax, double ay,
                             double bx, double by)
{
    auto orient = [](double ox, double oy, double ux, double uy, double vx, double vy) {
        const double c = (ux - ox) * (vy - oy) - (uy - oy) * (vx - ox);
        return (c > 0.0) - (c < 0.0);
    };
    const int o1 = orient(px, py, qx, qy, ax, ay), o2 = orient(px, py, qx, qy, bx, by);
    const int o3 = orient(ax, ay, bx, by, px, py), o4 = orient(ax, ay, bx, by, qx, qy);
    return o1 * o2 < 0 && o3 * o4 < 0;
}

double Point_Segment_Distance(double x1, double y1, double x2, double y2, double px,
                              double py)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    double t = (len2 > 0.0) ? ((px - x1) * dx + (py - y1) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double fx = x1 + t * dx - px, fy = y1 + t * dy - py;
    return std::sqrt(fx * fx + fy * fy);
}

}  // namespace

int Locate_Point_In_Polygon(int n, const double x[], const double y[], double px,
                            double py)
{
    if (!x || !y || n < 1) return -1;
    if (n < 3) return 0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        if (Point_Segment_Distance(x[i], y[i], x[j], y[j], px, py) <= kKeyTol) return 2;
    }
    double mx = x[0], my = y[0];
    for (int i = 1; i < n; ++i) {
        mx = std::max(mx, x[i]);
        my = std::max(my, y[i]);
    }
    double fx = (mx <= 0.5) ? 1.0 : 2.0 * mx;
    double fy = (my <= 0.5) ? 1.0 : 2.0 * my;

    // A ray through a vertex cannot be counted; the far point is moved and the count
    // repeated.
    for (int attempt = 0; attempt <= 5; ++attempt) {
        bool meets_vertex = false;
        for (int i = 0; i < n && !meets_vertex; ++i)
            meets_vertex = Point_Segment_Distance(px, py, fx, fy, x[i], y[i]) <= kKeyTol;
        if (!meets_vertex) {
            int crossings = 0;
            for (int i = 0; i < n; ++i) {
                const int j = (i + 1 == n) ? 0 : i + 1;
                if (Segments_Cross_Strictly(px, py, fx, fy, x[i], y[i], x[j], y[j])) ++crossings;
            }
            return crossings % 2;
        }
        if (attempt % 2 == 0)
            fx *= 1.5;
        else
            fy *= 1.5;
    }
    return 0;
}

void Offset_Polyline(double x[], double y[], int n, double d)
{
    const bool closed = n > 0;
    const int m = std::abs(n);
    if (m < 2 || m > 99) return;
    const int edges = closed ? m : m - 1;

    struct Moved_Edge {
        double sx, sy, ex, ey, slope;
        bool has_length;
    };
    std::vector<Moved_Edge> e(edges);
    for (int i = 0; i < edges; ++i) {
        const int j = (i + 1 == m) ? 0 : i + 1;
        const double dx = x[j] - x[i], dy = y[j] - y[i];
        const double len = std::sqrt(dx * dx + dy * dy);
        const double nx = (len > 0.0) ? -dy / len * d : 0.0;
        const double ny = (len > 0.0) ? dx / len * d : 0.0;
        e[i] = {x[i] + nx, y[i] + ny, x[j] + nx, y[j] + ny, Slope(dx, dy), len > 0.0};
    }

    std::vector<double> rx(m), ry(m);
    for (int i = 0; i < m; ++i) {
        int prev = i - 1, next = i;
        if (closed && prev < 0) prev = edges - 1;
        if (!closed && i == 0) {
            rx[i] = e[0].sx;
            ry[i] = e[0].sy;
            continue;
        }
        if (!closed && i == m - 1) {
            rx[i] = e[edges - 1].ex;
            ry[i] = e[edges - 1].ey;
            continue;
        }
        const Moved_Edge& a = e[prev];
        const Moved_Edge& b = e[next];
        if (!a.has_length || !b.has_length || Parallel_Slopes(a.slope, b.slope)) {
            rx[i] = (a.ex + b.sx) / 2.0;
            ry[i] = (a.ey + b.sy) / 2.0;
        } else {
            Cross_Slope_Lines(a.sx, a.sy, a.slope, b.sx, b.sy, b.slope, &rx[i], &ry[i]);
        }
    }
    std::copy(rx.begin(), rx.end(), x);
    std::copy(ry.begin(), ry.end(), y);
}

int Count_Self_Crossings(int n, const double x[], const double y[], int closed)
{
    if (n < 2) return 0;
    const int edges = closed ? n : n - 1;
    int count = 0;
    for (int i = 0; i < edges; ++i) {
        const int i2 = (i + 1) % n;
        for (int j = i + 2; j < edges; ++j) {
            if (closed && i == 0 && j == edges - 1) continue;  // joined by the closing vertex
            const int j2 = (j + 1) % n;
            const double ux = x[i2] - x[i], uy = y[i2] - y[i];
            const double vx = x[j2] - x[j], vy = y[j2] - y[j];
            if ((ux == 0.0 && uy == 0.0) || (vx == 0.0 && vy == 0.0)) continue;
            if (Parallel_Slopes(Slope(ux, uy), Slope(vx, vy))) continue;
            const double det = ux * vy - uy * vx;
            if (det == 0.0) continue;
            const double t = ((x[j] - x[i]) * vy - (y[j] - y[i]) * vx) / det;
            const double s = ((x[j] - x[i]) * uy - (y[j] - y[i]) * ux) / det;
            if (Round_To_Decimals(t, 5) > 0.0 && Round_To_Decimals(1.0 - t, 5) > 0.0 &&
                Round_To_Decimals(s, 5) > 0.0 && Round_To_Decimals(1.0 - s, 5) > 0.0)
                ++count;
        }
    }
    return count;
}

int Cut_Polygon_At_Line(int n, const double x[], const double y[], double x1, double y1,
                        double x2, double y2, int* count, double xo[], double yo[],
                        int capacity)
{
    if (n < 1) {
        *count = 0;
        return 0;
    }
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    std::vector<double> side(n);
    for (int i = 0; i < n; ++i) {
        // Signed distance from the line, left positive; no line keeps everything.
        const double s = (len > 0.0) ? (dx * (y[i] - y1) - dy * (x[i] - x1)) / len : 0.0;
        side[i] = Round_To_Decimals(s, 4) == 0.0 ? 0.0 : s;
    }
    bool left = false, right = false;
    for (double s : side) {
        left = left || s > 0.0;
        right = right || s < 0.0;
    }

    std::vector<double> rx, ry;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        if (side[i] >= 0.0) {
            rx.push_back(x[i]);
            ry.push_back(y[i]);
        }
        if ((side[i] > 0.0 && side[j] < 0.0) || (side[i] < 0.0 && side[j] > 0.0)) {
            const double t = side[i] / (side[i] - side[j]);
            rx.push_back(x[i] + t * (x[j] - x[i]));
            ry.push_back(y[i] + t * (y[j] - y[i]));
        }
    }
    if (static_cast<int>(rx.size()) > capacity) return -1;
    std::copy(rx.begin(), rx.end(), xo);
    std::copy(ry.begin(), ry.end(), yo);
    *count = static_cast<int>(rx.size());
    return (left && right) ? 1 : 0;
}

// ---------------------------------------------------------------------------------
// Crossings

int Intersect_Lines_Slope(double x1, double y1, double x2, double y2, double x3, double y3,
                          double x4, double y4, double* x, double* y)
{
    const double ma = Slope(x2 - x1, y2 - y1), mb = Slope(x4 - x3, y4 - y3);
    if (Parallel_Slopes(ma, mb)) return 0;
    Cross_Slope_Lines(x1, y1, ma, x3, y3, mb, x, y);
    return 1;
}

int Intersect_Segments_Slope(double x1, double y1, double x2, double y2, double x3,
                             double y3, double x4, double y4, double xo[2], double yo[2])
{
    const double ma = Slope(x2 - x1, y2 - y1), mb = Slope(x4 - x3, y4 - y3);
    if (!Parallel_Slopes(ma, mb)) {
        double x, y;
        Cross_Slope_Lines(x1, y1, ma, x3, y3, mb, &x, &y);
        if (!In_Box_5(x1, y1, x2, y2, x, y) || !In_Box_5(x3, y3, x4, y4, x, y)) return 0;
        xo[0] = x;
        yo[0] = y;
        return 1;
    }
    // Parallel: only segments on one line have points in common.
    if (!Same_At(Get_Point_Line_Distance(x1, y1, x2, y2, x3, y3), 0.0, 5) ||
        !Same_At(Get_Point_Line_Distance(x1, y1, x2, y2, x4, y4), 0.0, 5))
        return 0;
    // Common part measured along the coordinate in which the line has its extent.
    const bool along_x = !Is_Vertical(ma) && std::fabs(ma) <= 1.0;
    auto key = [&](double px, double py) { return along_x ? px : py; };
    double ax = x1, ay = y1, bx = x2, by = y2, cx = x3, cy = y3, ex = x4, ey = y4;
    if (key(ax, ay) > key(bx, by)) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    if (key(cx, cy) > key(ex, ey)) {
        std::swap(cx, ex);
        std::swap(cy, ey);
    }
    const double lox = (key(ax, ay) >= key(cx, cy)) ? ax : cx;
    const double loy = (key(ax, ay) >= key(cx, cy)) ? ay : cy;
    const double hix = (key(bx, by) <= key(ex, ey)) ? bx : ex;
    const double hiy = (key(bx, by) <= key(ex, ey)) ? by : ey;
    const double gap = Round_To_Decimals(key(hix, hiy) - key(lox, loy), 5);
    if (gap < 0.0) return 0;
    xo[0] = lox;
    yo[0] = loy;
    if (gap == 0.0) return 1;
    xo[1] = hix;
    yo[1] = hiy;
    return 2;
}

namespace {

// Crossings of the circle with the line through the two points, ordered along the
// line's direction, with their distances from point 1 along it.
int Circle_Line_Points(double cx, double cy, double r, double x1, double y1, double x2,
                       double y2, double xo[2], double yo[2], double t[2])
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0.0) return 0;
    const double ux = dx / len, uy = dy / len;
    const double t0 = (cx - x1) * ux + (cy - y1) * uy;
    const double fx = x1 + t0 * ux, fy = y1 + t0 * uy;
    const double dist2 = (fx - cx) * (fx - cx) + (fy - cy) * (fy - cy);
    const double h2 = r * r - dist2;
    if (Round_To_Decimals(std::fabs(h2), 5) == 0.0 || Same_At(std::sqrt(dist2), std::fabs(r), 5)) {
        xo[0] = fx;
        yo[0] = fy;
        t[0] = t0;
        return 1;
    }
    if (h2 < 0.0) return 0;
    const double h = std::sqrt(h2);
    xo[0] = fx - h * ux;
    yo[0] = fy - h * uy;
    t[0] = t0 - h;
    xo[1] = fx + h * ux;
    yo[1] = fy + h * uy;
    t[1] = t0 + h;
    return 2;
}

}  // namespace

int Intersect_Circle_Line(double cx, double cy, double r, double x1, double y1, double x2,
                          double y2, double xo[2], double yo[2])
{
    double t[2];
    return Circle_Line_Points(cx, cy, r, x1, y1, x2, y2, xo, yo, t);
}

int Intersect_Circle_Segment(double cx, double cy, double r, double x1, double y1,
                             double x2, double y2, double xo[2], double yo[2])
{
    double px[2], py[2], t[2];
    const int k = Circle_Line_Points(cx, cy, r, x1, y1, x2, y2, px, py, t);
    const double len = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    int found = 0;
    for (int i = 0; i < k; ++i) {
        if (Round_To_Decimals(t[i], 5) < 0.0 || Round_To_Decimals(len - t[i], 5) < 0.0) continue;
        xo[found] = px[i];
        yo[found] = py[i];
        ++found;
    }
    return found;
}

namespace {

// Collects crossing points, dropping one that repeats the point before it.
class Point_Collector {
public:
    // Growing arrays through the counted allocation wrappers.
    Point_Collector(double** xo, double** yo) : grow_x_(xo), grow_y_(yo) {}
    // Caller arrays with room for `room` points.
    Point_Collector(double* xo, double* yo, int room) : fixed_x_(xo), fixed_y_(yo), room_(room) {}

    void Add(double x, double y)
    {
        if (count_ > 0 && Same_Point_5(x, y, last_x_, last_y_)) return;
        if (grow_x_) {
            const size_t bytes = sizeof(double) * static_cast<size_t>(count_ + 1);
            *grow_x_ = static_cast<double*>(Realloc_Or_Exit(*grow_x_, bytes, 0));
            *grow_y_ = static_cast<double*>(Realloc_Or_Exit(*grow_y_, bytes, 0));
            (*grow_x_)[count_] = x;
            (*grow_y_)[count_] = y;
        } else {
            if (count_ >= room_) return;
            fixed_x_[count_] = x;
            fixed_y_[count_] = y;
        }
        last_x_ = x;
        last_y_ = y;
        ++count_;
    }
    // A closed outline ends where it began: a last point repeating the first goes.
    void Finish(bool closed)
    {
        if (!closed || count_ < 2) return;
        const double fx = grow_x_ ? (*grow_x_)[0] : fixed_x_[0];
        const double fy = grow_y_ ? (*grow_y_)[0] : fixed_y_[0];
        if (Same_Point_5(fx, fy, last_x_, last_y_)) --count_;
    }
    int Count() const { return count_; }

private:
    double** grow_x_ = nullptr;
    double** grow_y_ = nullptr;
    double* fixed_x_ = nullptr;
    double* fixed_y_ = nullptr;
    int room_ = 0;
    int count_ = 0;
    double last_x_ = 0.0, last_y_ = 0.0;
};

// Calls f(x1, y1, x2, y2) for every edge of the polyline in order.
template <class F>
void For_Each_Edge(int n, const double x[], const double y[], int closed, F f)
{
    if (n < 2) return;
    const int edges = (closed && n > 2) ? n : n - 1;
    for (int i = 0; i < edges; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        f(x[i], y[i], x[j], y[j]);
    }
}

void Collect_Circle(Point_Collector& out, int n, const double x[], const double y[],
                    int closed, double cx, double cy, double r)
{
    For_Each_Edge(n, x, y, closed, [&](double ax, double ay, double bx, double by) {
        double px[2], py[2];
        const int k = Intersect_Circle_Segment(cx, cy, r, ax, ay, bx, by, px, py);
        for (int i = 0; i < k; ++i) out.Add(px[i], py[i]);
    });
}

void Collect_Line(Point_Collector& out, int n, const double x[], const double y[], int closed,
                  double x1, double y1, double x2, double y2)
{
    For_Each_Edge(n, x, y, closed, [&](double ax, double ay, double bx, double by) {
        const double ma = Slope(bx - ax, by - ay), mb = Slope(x2 - x1, y2 - y1);
        if (Parallel_Slopes(ma, mb)) return;
        double px, py;
        Cross_Slope_Lines(ax, ay, ma, x1, y1, mb, &px, &py);
        if (In_Box_5(ax, ay, bx, by, px, py)) out.Add(px, py);
    });
}

void Collect_Segment(Point_Collector& out, int n, const double x[], const double y[],
                     int closed, double x1, double y1, double x2, double y2)
{
    For_Each_Edge(n, x, y, closed, [&](double ax, double ay, double bx, double by) {
        double px[2], py[2];
        const int k = Intersect_Segments_Slope(ax, ay, bx, by, x1, y1, x2, y2, px, py);
        for (int i = 0; i < k; ++i) out.Add(px[i], py[i]);
    });
}

void Collect_Polyline(Point_Collector& out, int n, const double x[], const double y[],
                      int closed, int m, const double u[], const double v[], int closed2)
{
    For_Each_Edge(n, x, y, closed, [&](double ax, double ay, double bx, double by) {
        For_Each_Edge(m, u, v, closed2, [&](double cx, double cy, double dx, double dy) {
            double px[2], py[2];
            const int k = Intersect_Segments_Slope(ax, ay, bx, by, cx, cy, dx, dy, px, py);
            for (int i = 0; i < k; ++i) out.Add(px[i], py[i]);
        });
    });
}

}  // namespace

int Intersect_Polyline_Circle(int n, const double x[], const double y[], int closed,
                              double cx, double cy, double r, double** xo, double** yo)
{
    Point_Collector out(xo, yo);
    Collect_Circle(out, n, x, y, closed, cx, cy, r);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polyline_Line(int n, const double x[], const double y[], int closed,
                            double x1, double y1, double x2, double y2, double** xo,
                            double** yo)
{
    Point_Collector out(xo, yo);
    Collect_Line(out, n, x, y, closed, x1, y1, x2, y2);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polyline_Segment(int n, const double x[], const double y[], int closed,
                               double x1, double y1, double x2, double y2, double** xo,
                               double** yo)
{
    Point_Collector out(xo, yo);
    Collect_Segment(out, n, x, y, closed, x1, y1, x2, y2);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polylines(int n, const double x[], const double y[], int closed, int m,
                        const double u[], const double v[], int closed2, double** xo,
                        double** yo)
{
    Point_Collector out(xo, yo);
    Collect_Polyline(out, n, x, y, closed, m, u, v, closed2);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polyline_Circle_Max10(int n, const double x[], const double y[], int closed,
                                    double cx, double cy, double r, double xo[10],
                                    double yo[10])
{
    Point_Collector out(xo, yo, 10);
    Collect_Circle(out, n, x, y, closed, cx, cy, r);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polyline_Line_Max10(int n, const double x[], const double y[], int closed,
                                  double x1, double y1, double x2, double y2, double xo[10],
                                  double yo[10])
{
    Point_Collector out(xo, yo, 10);
    Collect_Line(out, n, x, y, closed, x1, y1, x2, y2);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polyline_Segment_Max10(int n, const double x[], const double y[], int closed,
                                     double x1, double y1, double x2, double y2,
                                     double xo[10], double yo[10])
{
    Point_Collector out(xo, yo, 10);
    Collect_Segment(out, n, x, y, closed, x1, y1, x2, y2);
    out.Finish(closed);
    return out.Count();
}

int Intersect_Polylines_Max10(int n, const double x[], const double y[], int closed, int m,
                              const double u[], const double v[], int closed2,
                              double xo[10], double yo[10])
{
    Point_Collector out(xo, yo, 10);
    Collect_Polyline(out, n, x, y, closed, m, u, v, closed2);
    out.Finish(closed);
    return out.Count();
}
