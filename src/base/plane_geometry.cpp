#include "base/plane_geometry.h"

#include "base/alloc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kEqualTol = 1e-6;   // equal coordinates, vanishing products
constexpr double kPointTol = 0.01;   // coinciding points in the polygon tests
constexpr double kParamLow = -1e-6;  // segment parameters count as on the segment
constexpr double kParamHigh = 1.000001;

// Scale numbers of the rounded drawing scales; above the last one used here (30) the
// next multiple of 5 is taken.
constexpr int kScaleSteps[] = {1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50, 75, 100, 125, 150, 175, 200};

void Reverse(int n, double x[], double y[])
{
    std::reverse(x, x + n);
    std::reverse(y, y + n);
}

bool Near_Point(double ax, double ay, double bx, double by, double tol)
{
    return std::fabs(ax - bx) < tol && std::fabs(ay - by) < tol;
}

// Work array of doubles through the allocation interface.
struct Work_Array {
    double* data = nullptr;
    explicit Work_Array(int count)
    {
        data = static_cast<double*>(MEM_CALLOC(static_cast<uint32_t>(count), sizeof(double)));
    }
    ~Work_Array() { MEM_FREE(data); }
    Work_Array(const Work_Array&) = delete;
    Work_Array& operator=(const Work_Array&) = delete;
};

}  // namespace

double Signed_Area(int n, const double x[], const double y[])
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        sum += x[i] * y[j] - x[j] * y[i];
    }
    return sum / 2.0;
}

int Intersect_Segment_At_X(double x1, double y1, double x2, double y2, double x, double* y)
{
    const double dx = x2 - x1;
    const double sx = x - x1;
    if (std::fabs(dx) >= kEqualTol) {
        *y = y1 + (sx / dx) * (y2 - y1);
    } else if (std::fabs(sx) < kEqualTol) {
        *y = (y1 + y2) / 2.0;
    } else if (std::fabs(y2 - y1) < kEqualTol) {
        *y = y1 + sx;
    } else {
        *y = 0.0;
        return 0;
    }
    return ((x2 - x) * sx >= -0.0001 * std::fabs(*y)) ? 1 : 0;
}

double Round_To_Step(double x, double step)
{
    const double k = (step == 0.0) ? 1.0 : 1.0 / step;
    const double s = (x < 0.0) ? -1.0 : 1.0;
    return s * std::trunc(std::fabs(x) * k + 0.5555555555555556) / k;
}

double Get_Square(double x) { return x * x; }

double Choose_Drawing_Scale(double width, double height, double room_x, double room_y,
                            int exact)
{
    const double a = (room_x > 0.999) ? 100.0 * width / room_x : 0.0;
    const double b = (room_y > 0.999) ? 100.0 * height / room_y : 0.0;
    double n = std::trunc(std::max(a, b) + 0.999);
    // Nothing to fit (no size, or no room given): full size rather than a division by 0.
    if (!(n >= 1.0)) n = 1.0;
    if (exact) return 100.0 / n;

    double step = n;
    if (n <= 1.0) {
        step = 1.0;
    } else if (n <= 30.0) {
        for (int s : kScaleSteps) {
            if (s >= n) {
                step = s;
                break;
            }
        }
    } else {
        step = std::ceil(n / 5.0) * 5.0;
    }
    return 100.0 / step;
}

int Point_In_Polygon_Tol(int n, const double x[], const double y[], double px, double py,
                         double tol)
{
    if (n < 1) return 0;
    bool inside = false;
    // From the closing edge on: edge (j, i) with j the vertex before i.
    for (int i = 0, j = n - 1; i < n; j = i++) {
        if (Near_Point(px, py, x[i], y[i], tol)) return 1;

        const double ylo = std::min(y[i], y[j]), yhi = std::max(y[i], y[j]);
        if (std::fabs(y[i] - py) < tol && std::fabs(y[j] - py) < tol) {
            // A horizontal edge at the point's height: on it, or no crossing at all.
            if (px >= std::min(x[i], x[j]) - tol && px <= std::max(x[i], x[j]) + tol) return 1;
            continue;
        }
        if (py < ylo - tol || py > yhi + tol) continue;

        // Edge taken upwards (a below b); cross < 0 means the edge passes to the right.
        const bool up = y[j] < y[i];
        const double xa = up ? x[j] : x[i], ya = up ? y[j] : y[i];
        const double xb = up ? x[i] : x[j], yb = up ? y[i] : y[j];
        const double cross = (yb - ya) * (px - xa) - (xb - xa) * (py - ya);
        if (std::fabs(cross) <= kEqualTol) return 1;

        // Half-open in y so that a vertex at the point's height is counted once.
        if (ya <= py && py < yb && cross < -kEqualTol) inside = !inside;
    }
    return inside ? 1 : 0;
}

int Point_In_Polygon(int n, const double x[], const double y[], double px, double py)
{
    return Point_In_Polygon_Tol(n, x, y, px, py, kPointTol);
}

int Get_Sign(double x)
{
    if (x < -kEqualTol) return -1;
    if (x > kEqualTol) return 1;
    return 0;
}

double Get_Cube(double x) { return x * x * x; }

double Get_Distance(double x1, double y1, double x2, double y2)
{
    const double d2 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
    return (d2 > 0.0) ? std::sqrt(d2) : 0.0;
}

double* Swap_Values(double* a, double* b)
{
    std::swap(*a, *b);
    return a;
}

int Solve_Quadratic(double p, double q, double* r1, double* r2)
{
    const double d = p * p / 4.0 - q;
    if (d < 0.0) {
        *r1 = 0.0;
        *r2 = 0.0;
        return 1;
    }
    const double w = std::sqrt(d);
    *r1 = -p / 2.0 + w;
    *r2 = -p / 2.0 - w;
    return 0;
}

double Integrate_Simpson(double a, double b, int n, const double y[])
{
    if (a == b || n < 1) return 0.0;
    // One sample: the value taken as constant over the interval.
    if (n == 1) return y[0] * (b - a);
    const double h = (b - a) / (n - 1);
    const int m = 2 * ((n - 1) / 2);  // intervals covered by Simpson's rule
    double sum = 0.0;
    if (m > 0) {
        sum = y[0] + y[m];
        for (int i = 1; i < m; ++i) sum += ((i % 2) ? 4.0 : 2.0) * y[i];
        sum *= h / 3.0;
    }
    // An odd number of intervals leaves the last one to the trapezoidal rule.
    if (m < n - 1) sum += h / 2.0 * (y[n - 2] + y[n - 1]);
    return sum;
}

int Are_Points_Collinear(double x1, double y1, double x2, double y2, double x3, double y3,
                         double tol)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const bool flat_x = std::fabs(dx) < tol, flat_y = std::fabs(dy) < tol;
    if (flat_x && flat_y) return 0;
    if (flat_x) return (std::fabs(x3 - x1) < tol) ? 1 : 0;
    if (flat_y) return (std::fabs(y3 - y1) < tol) ? 1 : 0;
    const double tx = (x3 - x1) / dx, ty = (y3 - y1) / dy;
    return (std::fabs(tx - ty) < tol * 0.01) ? 1 : 0;
}

int Is_Point_On_Segment(double x1, double y1, double x2, double y2, double px, double py,
                        double tol)
{
    const double len = Get_Distance(x1, y1, x2, y2);
    const double d1 = Get_Distance(x1, y1, px, py);
    if (!(d1 > tol) || !(d1 < len - tol)) return 0;
    if (!Are_Points_Collinear(x1, y1, x2, y2, px, py, tol)) return 0;
    const double dx = x2 - x1, dy = y2 - y1;
    // Parameters along the segment; an axis-parallel one has only the other coordinate.
    if (std::fabs(dx) >= tol) {
        const double t = (px - x1) / dx;
        if (t < kParamLow || t > kParamHigh) return 0;
    }
    if (std::fabs(dy) >= tol) {
        const double t = (py - y1) / dy;
        if (t < kParamLow || t > kParamHigh) return 0;
    }
    return 1;
}

int Get_Polygon_Outline_Values(int n, const double x[], const double y[], double* xs,
                               double* ys, double* area, double* perimeter)
{
    *xs = *ys = *area = *perimeter = 0.0;
    if (n < 1) return 0;
    Work_Array cx(n), cy(n);
    if (!cx.data || !cy.data) return 1;
    std::memcpy(cx.data, x, sizeof(double) * n);
    std::memcpy(cy.data, y, sizeof(double) * n);
    // One sense of rotation (counter-clockwise), so that the sums come out positive.
    if (Signed_Area(n, cx.data, cy.data) < 0.0) Reverse(n, cx.data, cy.data);

    double a = 0.0, sx = 0.0, sy = 0.0, len = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        const double c = cx.data[i] * cy.data[j] - cx.data[j] * cy.data[i];
        a += c;
        sx += (cx.data[i] + cx.data[j]) * c;
        sy += (cy.data[i] + cy.data[j]) * c;
        len += Get_Distance(cx.data[i], cy.data[i], cx.data[j], cy.data[j]);
    }
    a /= 2.0;
    *area = std::fabs(a);
    *perimeter = len;
    if (std::fabs(a) > kEqualTol) {
        *xs = sx / (6.0 * a);
        *ys = sy / (6.0 * a);
    }
    return 0;
}

int Offset_Polygon(int n, double x[], double y[], double distance)
{
    if (n < 1 || n > 50) return 1;
    const double a = Signed_Area(n, x, y);
    if (std::fabs(a) <= kEqualTol) return 1;
    bool all_equal = true;
    for (int i = 1; i < n && all_equal; ++i)
        all_equal = Near_Point(x[i], y[i], x[0], y[0], kEqualTol);
    if (all_equal) return 1;

    // Outwards is to the right of a counter-clockwise edge, to the left of a clockwise one.
    const double side = (a > 0.0) ? 1.0 : -1.0;
    std::vector<double> ex1(n), ey1(n), ex2(n), ey2(n);  // moved edge i: vertex i to i+1
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1 == n) ? 0 : i + 1;
        const double dx = x[j] - x[i], dy = y[j] - y[i];
        const double len = std::sqrt(dx * dx + dy * dy);
        if (len < kEqualTol) return 1;  // a repeated vertex gives an edge without direction
        const double nx = side * dy / len * distance, ny = -side * dx / len * distance;
        ex1[i] = x[i] + nx;
        ey1[i] = y[i] + ny;
        ex2[i] = x[j] + nx;
        ey2[i] = y[j] + ny;
    }
    std::vector<double> rx(n), ry(n);
    for (int i = 0; i < n; ++i) {
        const int p = (i == 0) ? n - 1 : i - 1;
        if (Intersect_Lines(ex1[p], ey1[p], ex2[p], ey2[p], ex1[i], ey1[i], ex2[i], ey2[i],
                            &rx[i], &ry[i]) != 0)
            return 1;
    }
    std::copy(rx.begin(), rx.end(), x);
    std::copy(ry.begin(), ry.end(), y);
    return 0;
}

int Intersect_Lines(double x1, double y1, double x2, double y2, double x3, double y3,
                    double x4, double y4, double* x, double* y)
{
    const double dx1 = x2 - x1, dy1 = y2 - y1, dx2 = x4 - x3, dy2 = y4 - y3;
    const double det = dx1 * dy2 - dy1 * dx2;
    if (std::fabs(det) < kEqualTol) {
        *x = 0.0;
        *y = 0.0;
        return 1;
    }
    const double t = ((x3 - x1) * dy2 - (y3 - y1) * dx2) / det;
    *x = x1 + t * dx1;
    *y = y1 + t * dy1;
    return 0;
}

namespace {

// Parameter of the point along the segment, from the coordinate in which the segment
// has extent (an axis-parallel segment from the other coordinate).
double Segment_Parameter(double x1, double y1, double x2, double y2, double px, double py)
{
    const double dx = x2 - x1, dy = y2 - y1;
    if (std::fabs(dx) >= std::fabs(dy)) return (px - x1) / dx;
    return (py - y1) / dy;
}

bool On_Parameter_Range(double t) { return t >= kParamLow && t <= kParamHigh; }

}  // namespace

int Intersect_Segments(double x1, double y1, double x2, double y2, double x3, double y3,
                       double x4, double y4, double* x, double* y)
{
    if (Intersect_Lines(x1, y1, x2, y2, x3, y3, x4, y4, x, y) != 0) return 1;
    const double t = Segment_Parameter(x1, y1, x2, y2, *x, *y);
    const double s = Segment_Parameter(x3, y3, x4, y4, *x, *y);
    return (On_Parameter_Range(t) && On_Parameter_Range(s)) ? 0 : -1;
}

double Get_Point_Segment_Distance(double x1, double y1, double x2, double y2, double px,
                                  double py)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    if (len2 > 0.0) {
        const double t = ((px - x1) * dx + (py - y1) * dy) / len2;
        if (t >= 0.0 && t <= 1.0) return std::fabs(dx * (py - y1) - dy * (px - x1)) / std::sqrt(len2);
    }
    return std::min(Get_Distance(x1, y1, px, py), Get_Distance(x2, y2, px, py));
}

int Intersect_Circles(double x1, double y1, double r1, double x2, double y2, double r2,
                      int side, double* x, double* y)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double d2 = dx * dx + dy * dy;
    if (d2 < 1e-12) {
        *x = dx / 2.0;
        *y = dy / 2.0;
        return 1;
    }
    const double d = std::sqrt(d2);
    const double a = (d2 + r1 * r1 - r2 * r2) / (2.0 * d);
    const double h2 = r1 * r1 - a * a;
    const double ux = dx / d, uy = dy / d;
    const double fx = x1 + a * ux, fy = y1 + a * uy;
    if (h2 < 0.0) {
        *x = fx;
        *y = fy;
        return 1;
    }
    const double h = side ? std::sqrt(h2) : -std::sqrt(h2);  // left: the normal (-uy, ux)
    *x = fx - h * uy;
    *y = fy + h * ux;
    return 0;
}

int Segments_Cross(double x1, double y1, double x2, double y2, double x3, double y3,
                   double x4, double y4)
{
    if (std::max(x1, x2) < std::min(x3, x4) - kEqualTol ||
        std::max(x3, x4) < std::min(x1, x2) - kEqualTol ||
        std::max(y1, y2) < std::min(y3, y4) - kEqualTol ||
        std::max(y3, y4) < std::min(y1, y2) - kEqualTol)
        return 0;
    double x, y;
    return (Intersect_Segments(x1, y1, x2, y2, x3, y3, x4, y4, &x, &y) == 0) ? 1 : 0;
}

int Interpolate_Between_Segments(double t1, double ax1, double ay1, double ax2, double ay2,
                                 double bx1, double by1, double bx2, double by2, double t2,
                                 double t, double* x, double* y, int mode)
{
    double va, vb;
    int on_a, on_b;
    if (mode == 1) {
        on_a = Intersect_Segment_At_X(ax1, ay1, ax2, ay2, *x, &va);
        on_b = Intersect_Segment_At_X(bx1, by1, bx2, by2, *x, &vb);
    } else {
        on_a = Intersect_Segment_At_X(ay1, ax1, ay2, ax2, *y, &va);
        on_b = Intersect_Segment_At_X(by1, bx1, by2, bx2, *y, &vb);
    }
    const double v = (t2 == t1) ? va : va + (vb - va) * (t - t1) / (t2 - t1);
    if (mode == 1)
        *y = v;
    else
        *x = v;
    return (on_a && on_b) ? 1 : 0;
}

namespace {

// One of the two polygons during the walk along the common outline.
struct Walk_Polygon {
    int n;
    const double* x;
    const double* y;
    const char* inside_other;  // vertex lies in the other polygon
};

}  // namespace

int Intersect_Polygons(int na, const double xa[], const double ya[], int nb,
                       const double xb[], const double yb[], double xo[], double yo[],
                       int* count, int capacity)
{
    const int na_ = std::max(na, 0), nb_ = std::max(nb, 0);
    const int size = std::max(std::max(na_ + nb_, capacity), 1);
    Work_Array ax(size), ay(size), bx(size), by(size), rx(size), ry(size);
    if (!ax.data || !ay.data || !bx.data || !by.data || !rx.data || !ry.data) return 1;

    for (int i = 0; i < capacity; ++i) xo[i] = yo[i] = 0.0;
    *count = 0;
    if (na_ < 1 || nb_ < 1 || capacity < 1) return 0;

    std::memcpy(ax.data, xa, sizeof(double) * na_);
    std::memcpy(ay.data, ya, sizeof(double) * na_);
    std::memcpy(bx.data, xb, sizeof(double) * nb_);
    std::memcpy(by.data, yb, sizeof(double) * nb_);
    // Both clockwise: the common outline then runs along both in their own sense.
    if (Signed_Area(na_, ax.data, ay.data) > kEqualTol) Reverse(na_, ax.data, ay.data);
    if (Signed_Area(nb_, bx.data, by.data) > kEqualTol) Reverse(nb_, bx.data, by.data);

    std::vector<char> a_in(na_), b_in(nb_);
    int a_count = 0, b_count = 0;
    for (int i = 0; i < na_; ++i) {
        a_in[i] = Point_In_Polygon(nb_, bx.data, by.data, ax.data[i], ay.data[i]) != 0;
        a_count += a_in[i];
    }
    for (int i = 0; i < nb_; ++i) {
        b_in[i] = Point_In_Polygon(na_, ax.data, ay.data, bx.data[i], by.data[i]) != 0;
        b_count += b_in[i];
    }

    auto emit = [&](int n, const double* px, const double* py) {
        const int k = std::min(n, capacity);
        std::copy(px, px + k, xo);
        std::copy(py, py + k, yo);
        *count = k;
    };
    if (b_count == nb_) {
        emit(nb_, bx.data, by.data);
        return 0;
    }
    if (a_count == na_) {
        emit(na_, ax.data, ay.data);
        return 0;
    }
    if (a_count == 0 && b_count == 0) return 0;

    Walk_Polygon poly[2] = {{na_, ax.data, ay.data, a_in.data()}, {nb_, bx.data, by.data, b_in.data()}};

    // Start at the first vertex of A inside B, else at the first vertex of B inside A.
    int cur = 0, start = -1;
    for (int i = 0; i < na_ && start < 0; ++i)
        if (a_in[i]) start = i;
    if (start < 0) {
        cur = 1;
        for (int i = 0; i < nb_ && start < 0; ++i)
            if (b_in[i]) start = i;
    }

    int collected = 0;
    bool closed = false;
    // Appends a point unless it repeats an earlier one: that closes the outline. A point
    // that merely repeats the one just taken (a crossing next to a vertex) is passed
    // over, so that the rest of the outline is not lost.
    auto append = [&](double px, double py) {
        if (collected > 0 &&
            Near_Point(px, py, rx.data[collected - 1], ry.data[collected - 1], kPointTol))
            return;
        for (int k = 0; k < collected; ++k) {
            if (Near_Point(px, py, rx.data[k], ry.data[k], kPointTol)) {
                closed = true;
                return;
            }
        }
        rx.data[collected] = px;
        ry.data[collected] = py;
        ++collected;
    };

    double cx = poly[cur].x[start], cy = poly[cur].y[start];
    append(cx, cy);
    int next = (start + 1) % poly[cur].n;
    int left_edge[2] = {0, 0};   // edge of each polygon where the walk last left it
    int entry_edge = -1;          // edge of the other polygon the current point came from

    // Every pass appends a point, or switches polygons at the current point (which is
    // not allowed twice in a row); the bound only guards against tolerance loops.
    const long max_passes = 4L * (na_ + nb_ + 2) * (na_ + nb_ + 2) + 2L * capacity;
    for (long pass = 0; !closed && collected < capacity && pass < max_passes; ++pass) {
        const Walk_Polygon& p = poly[cur];
        const Walk_Polygon& q = poly[1 - cur];
        const double nx = p.x[next], ny = p.y[next];
        if (p.inside_other[next]) {
            append(nx, ny);
            cx = nx;
            cy = ny;
            entry_edge = -1;
            next = (next + 1) % p.n;
            continue;
        }
        // The next vertex lies outside: find where this edge leaves the other polygon.
        int hit = -1;
        double hx = 0.0, hy = 0.0;
        for (int k = 0; k < q.n && hit < 0; ++k) {
            const int e = (left_edge[1 - cur] + k) % q.n;
            if (e == entry_edge) continue;
            const int f = (e + 1) % q.n;
            double sx, sy;
            if (Intersect_Segments(cx, cy, nx, ny, q.x[e], q.y[e], q.x[f], q.y[f], &sx, &sy) != 0)
                continue;
            hit = e;
            hx = sx;
            hy = sy;
        }
        if (hit < 0) break;  // touching outlines or a crossing lost to the tolerances

        const bool at_current = Near_Point(hx, hy, cx, cy, kPointTol);
        if (!at_current) append(hx, hy);
        left_edge[cur] = (next == 0) ? p.n - 1 : next - 1;
        cur = 1 - cur;
        cx = hx;
        cy = hy;
        entry_edge = left_edge[1 - cur];
        next = (hit + 1) % q.n;
        if (Near_Point(q.x[next], q.y[next], cx, cy, kPointTol)) next = (next + 1) % q.n;
    }

    for (int k = 0; k < collected; ++k) {
        xo[k] = rx.data[k];
        yo[k] = ry.data[k];
    }
    *count = collected;
    return 0;
}
