#include "sheets/sketch_screen.h"

#include <cmath>
#include <cstring>

#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"
#include "core/corbel_plot.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kPiBy16 = 0.19634954084936207;
constexpr double kStepsPerDegree = 0.08888888888888889;  // 16/180
constexpr int kMaxPolygonCorners = 64;

// The screen library takes pixel integers; a value far outside the screen is kept at a
// distance that still draws (clipped) instead of overflowing.
int Trunc(double v)
{
    if (!(v == v)) return 0;
    if (v > 1e6) return 1000000;
    if (v < -1e6) return -1000000;
    return static_cast<int>(v);
}

}  // namespace

int Compute_Regular_Polygon(int x, int y, int radius, int n, int* px, int* py)
{
    if (n < 1 || n > kMaxPolygonCorners) return 0;
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * kPi * i / n;
        px[i] = Trunc(x + radius * std::cos(a));
        py[i] = Trunc(y + radius * std::sin(a));
    }
    return n;
}

void Draw_Regular_Polygon(int x, int y, int radius, int n, int fill_colour, int line_width,
                          int outline_colour)
{
    int px[kMaxPolygonCorners], py[kMaxPolygonCorners];
    const int count = Compute_Regular_Polygon(x, y, radius, n, px, py);
    if (count == 0) return;
    const int saved = pxQFgc();
    if (fill_colour >= 0) {
        pxFgc(fill_colour);
        pxFill(count, px, py);
    }
    if (line_width >= 0 && outline_colour >= 0) {
        pxFgc(outline_colour);
        for (int i = 1; i <= count; ++i)
            pxTkLn(px[i - 1], py[i - 1], px[i % count], py[i % count], line_width);
    }
    pxFgc(saved);
}

void Fill_Screen_Rect(int x1, int y1, int x2, int y2, int colour)
{
    if (colour < 0) return;
    const int saved = pxQFgc();
    pxFgc(colour);
    const int px[4] = {x1, x1, x2, x2};
    const int py[4] = {y1, y2, y2, y1};
    pxFill(4, px, py);
    pxFgc(saved);
}

Arrow_Shape Compute_Arrow(int x, int y, int length, int head_flag, const char* label,
                          double angle)
{
    Arrow_Shape a{};
    double ang = angle;
    int flag = head_flag;
    // A bounded number of half turns: an absurd angle must not hang the drawing.
    for (int guard = 0; ang > kPi / 2.0 + 0.001 && guard < 1000; ++guard) {
        ang -= kPi;
        flag = flag == 0 ? 1 : 0;
    }
    const double c = Snap_Unit_Values(std::cos(ang));
    const double s = Snap_Unit_Values(std::sin(ang));
    const int h = length / 2;
    a.x1 = Trunc(x - h * c);
    a.y1 = Trunc(y + h * s);
    a.x2 = Trunc(x + h * c);
    a.y2 = Trunc(y - h * s);
    double k;
    if (flag == 0) {
        a.tx = Trunc(a.x2 + 5.0 * c);
        a.ty = Trunc(a.y2 - 5.0 * s);
        k = -15.0;
    } else {
        a.tx = Trunc(a.x1 - 5.0 * c);
        a.ty = Trunc(a.y1 + 5.0 * s);
        k = 15.0;
    }
    const double bx = k * c + a.tx;
    const double by = a.ty - s * k;
    a.bx1 = Trunc(bx + 5.0 * s);
    a.by1 = Trunc(by + 5.0 * c);
    a.bx2 = Trunc(bx - 5.0 * s);
    a.by2 = Trunc(by - 5.0 * c);
    const int len = label ? static_cast<int>(std::strlen(label)) : 0;
    a.label_y = a.ty + Trunc(8.0 * c);
    a.label_x = flag == 0 ? a.tx + 2 : a.tx + Trunc(-(8.0 * len + 5.0 * s));
    a.head_flag = flag;
    return a;
}

void Draw_Arrow(int x, int y, int length, int head_flag, const char* label, double angle)
{
    const Arrow_Shape a = Compute_Arrow(x, y, length, head_flag, label, angle);
    pxTkLn(a.x1, a.y1, a.x2, a.y2, 2);
    pxTri(a.tx, a.ty, a.bx1, a.by1, a.bx2, a.by2);
    if (label && label[0]) pxText(a.label_x, a.label_y, label, static_cast<int>(std::strlen(label)));
}

int Compute_Arc_Band(int x, int y, int r, double start_deg, double sweep_deg, int* px, int* py)
{
    if (!(sweep_deg >= 0.001)) return 0;
    const int i0 = Trunc((start_deg + 0.001) * kStepsPerDegree);
    const int i1 = Trunc((start_deg + 0.001 + sweep_deg) * kStepsPerDegree + 1.0);
    int count = i1 - i0;
    if (count > ARC_BAND_MAX_POINTS) count = ARC_BAND_MAX_POINTS;
    if (count < 0) count = 0;
    for (int j = 0; j < count; ++j) {
        const double t = (i0 + j) * kPiBy16;
        px[j] = x - Round_To_Int32(r * std::cos(t));
        py[j] = y + Round_To_Int32(r * std::sin(t));
    }
    return count;
}

void Draw_Arc_Band(int x, int y, int r, double start_deg, double sweep_deg, int fill_colour,
                   int line_colour, int line_width)
{
    int px[ARC_BAND_MAX_POINTS], py[ARC_BAND_MAX_POINTS];
    const int count = Compute_Arc_Band(x, y, r, start_deg, sweep_deg, px, py);
    if (count == 0) return;
    const int saved = pxQFgc();
    if (fill_colour >= 0) {
        pxFgc(fill_colour);
        pxFill(count, px, py);
    }
    if (line_colour >= 0 && line_width >= 0) {
        pxFgc(line_colour);
        for (int j = 1; j < count; ++j) pxTkLn(px[j - 1], py[j - 1], px[j], py[j], line_width);
    }
    pxFgc(saved);
}
