#include "sheets/screen_draw_extra.h"

#include <cmath>
#include <cstring>

#include "platform/screen/curves.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"
#include "core/corbel_plot.h"
#include "sheets/edit_buffer.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kMaxCorners = 64;
constexpr double kTenDegrees = 0.17453292519943295;

// Pixel integers by truncation; values far off the screen are held at a distance that
// still clips instead of overflowing.
int Trunc(double v)
{
    if (!(v == v)) return 0;
    if (v > 1e6) return 1000000;
    if (v < -1e6) return -1000000;
    return static_cast<int>(v);
}

int Text_Length(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

// A head with its tip at (tx, ty) and its base centre at (bx, by), half_width to either
// side across the direction (c, s).
void Head(int tx, int ty, double bx, double by, double c, double s, double half_width)
{
    pxTri(tx, ty, Trunc(bx + half_width * s), Trunc(by + half_width * c),
          Trunc(bx - half_width * s), Trunc(by - half_width * c));
}

} // namespace

void Set_Sketch_Background_Colour(int colour) { screen_palette.sketch_background = colour; }

void Draw_Regular_Polygon_Ring(int x, int y, int R, int r, int n, int fill_colour,
                               int line_width, int outline_colour)
{
    if (n < 1 || n > kMaxCorners) return;
    const bool ring = (r > 0 && r < R) || (r < 0 && r > R);
    const double step = 2.0 * kPi / n;
    int ox[kMaxCorners + 1], oy[kMaxCorners + 1], ix[kMaxCorners + 1], iy[kMaxCorners + 1];
    for (int i = 0; i <= n; ++i) {
        ox[i] = Trunc(x + R * std::cos(step * i));
        oy[i] = Trunc(y + R * std::sin(step * i));
        ix[i] = Trunc(x + r * std::cos(step * i));
        iy[i] = Trunc(y + r * std::sin(step * i));
    }
    const int saved = pxQFgc();
    if (fill_colour >= 0) {
        pxFgc(fill_colour);
        if (ring) {
            // Outer corners round, then the inner ones back: one outline with a seam at
            // angle 0 that the even-odd fill leaves open.
            int px[2 * kMaxCorners + 2], py[2 * kMaxCorners + 2];
            int count = 0;
            for (int i = 0; i <= n; ++i, ++count) {
                px[count] = ox[i];
                py[count] = oy[i];
            }
            for (int i = n; i >= 0; --i, ++count) {
                px[count] = ix[i];
                py[count] = iy[i];
            }
            pxFill(count, px, py);
        } else {
            pxFill(n, ox, oy);
        }
    }
    if (line_width >= 0 && outline_colour >= 0) {
        pxFgc(outline_colour);
        for (int i = 0; i < n; ++i) {
            pxTkLn(ox[i], oy[i], ox[i + 1], oy[i + 1], line_width);
            if (ring) pxTkLn(ix[i], iy[i], ix[i + 1], iy[i + 1], line_width);
        }
    }
    pxFgc(saved);
}

void Draw_Screen_Label(int x, int y, const char* text, int right_align, int colour,
                       int font_kind)
{
    if (!text) return;
    const int saved = pxQFgc();
    if (colour >= 0) pxFgc(colour);
    int font = 0x1000;
    double width = 6.5;
    if (font_kind == 1) {
        font = 0x1002;
        width = 4.5;
    } else if (font_kind == 2) {
        font = 0x1001;
        width = 8.0;
    }
    const int length = Text_Length(text);
    if (right_align == 1) x -= Trunc(length * width);
    Pop_RFont(font);
    pxBTxt(x, y, x, y, text, length, 17);
    Push_RFont();
    if (colour >= 0) pxFgc(saved);
}

void Draw_Arrow_Head(int x, int y, double angle)
{
    const double c = Snap_Unit_Values(std::cos(angle));
    const double s = Snap_Unit_Values(std::sin(angle));
    Head(x, y, x + 15.0 * c, y - 15.0 * s, c, s, 5.0);
}

void Draw_Arrow_To_Point(int x, int y, int length, const char* label, double angle)
{
    const double c = Snap_Unit_Values(std::cos(angle));
    const double s = Snap_Unit_Values(std::sin(angle));
    const int x0 = Trunc(x - length * c), y0 = Trunc(y + length * s);
    pxTkLn(x0, y0, x, y, 2);
    const int beyond = length / 9, head_length = length / 3, head_width = 2 * length / 9;
    const int tx = Trunc(x0 - beyond * c), ty = Trunc(y0 + beyond * s);
    Head(tx, ty, tx + head_length * c, ty - head_length * s, c, s, head_width / 2.0);
    // The label stands beyond the tip, on the side the head points to.
    const int n = Text_Length(label);
    if (n > 0) {
        const int lx = c > 0.0 ? tx - 8 * n - 2 : tx + 2;
        const int ly = s > 0.0 ? ty + 12 : ty - 2;
        pxText(lx, ly, label, n);
    }
}

void Draw_Curved_Arrow(int x, int y, int length, int head_flag, const char* label,
                       double angle)
{
    const double c = Snap_Unit_Values(std::cos(angle));
    const double s = Snap_Unit_Values(std::sin(angle));
    const int h = length / 2;
    const int e1x = Trunc(x - h * s), e1y = Trunc(y - h * c);
    const int e2x = Trunc(x + h * s), e2y = Trunc(y + h * c);
    // Half axes of the ellipse through both chord ends: their lengths stay h sqrt(1.64)
    // together, the share of each following the angle.
    const double k = h * std::sqrt(1.64 / (1.64 + 3.2 * s * c));
    const int bx = Trunc(k * (0.8 * c + s)), by = Trunc(k * (0.8 * s + c));
    pxArc(bx, by, x, y, e1x, e1y, e2x, e2y, 1);
    pxArc(bx + 1, by, x, y, e1x, e1y, e2x, e2y, 1);
    pxArc(bx, by - 1, x, y, e1x, e1y, e2x, e2y, 1);

    const double turned = head_flag == 0 ? angle - kTenDegrees : angle + kTenDegrees;
    const double c2 = Snap_Unit_Values(std::cos(turned));
    const double s2 = Snap_Unit_Values(std::sin(turned));
    const int ex = head_flag == 0 ? e1x : e2x, ey = head_flag == 0 ? e1y : e2y;
    const int tx = Trunc(ex - 5.0 * c2), ty = Trunc(ey + 5.0 * s2);
    Head(tx, ty, tx + 15.0 * c2, ty - 15.0 * s2, c2, s2, 5.0);
    const int n = Text_Length(label);
    if (n > 0) {
        const int lx = head_flag == 0 ? tx : tx + 3;
        pxBTxt(lx, ty, lx, ty, label, n, 18);
    }
}

void Draw_Corner_Fillet(int x, int y, int r, int quadrant, int fill_colour, int line_width)
{
    // Centre of the quarter circle and the angle of its first point, per quadrant.
    static const int centre_sign[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    static const double first_angle[4] = {90.0, 0.0, 270.0, 180.0};
    if (quadrant < 0 || quadrant > 3) return;
    const double cx = x + centre_sign[quadrant][0] * r;
    const double cy = y + centre_sign[quadrant][1] * r;
    int px[10], py[10];
    px[0] = x;
    py[0] = y;
    for (int k = 0; k <= 8; ++k) {
        const double t = (first_angle[quadrant] + 11.25 * k) * kPi / 180.0;
        px[k + 1] = Trunc(cx + r * std::cos(t));
        py[k + 1] = Trunc(cy + r * std::sin(t));
    }
    const int saved = pxQFgc();
    if (fill_colour >= 0) {
        pxFgc(fill_colour);
        pxFill(10, px, py);
        pxFgc(saved);
    }
    if (line_width >= 0) {
        pxTkLn(x, y, px[1], py[1], line_width);
        pxTkLn(x, y, px[9], py[9], line_width);
        pxFgc(screen_palette.text_black);
        for (int k = 2; k <= 9; ++k) pxTkLn(px[k - 1], py[k - 1], px[k], py[k], line_width);
    }
    pxFgc(saved);
}

void Draw_Hinged_Line(int x1, int y1, int x2, int y2, const char* label, int place)
{
    static const unsigned char dot[5] = {0x70, 0xF8, 0xF8, 0xF8, 0x70};
    pxFgc(screen_palette.text_black);
    Set_RFont(0x1000);
    pxTkLn(x1, y1, x2, y2, 1);
    const int ends[2][2] = {{x1, y1}, {x2, y2}};
    for (const auto& e : ends) {
        pxFgc(screen_palette.white);
        pxMask(e[0] - 2, e[1] - 2, e[0] + 2, e[1] + 2, dot, 1);
        pxFgc(screen_palette.text_black);
        pxCrcl(e[0], e[1], 2);
    }
    const int n = Text_Length(label);
    if (n == 0) return;
    if (place == 0)
        pxText((x1 + x2) / 2 - 3 * n, y1 - 2, label, n);
    else if (place == 1)
        pxText(x1 + 4, (y1 + y2) / 2 + 3, label, n);
    else if (place == 2)
        pxText((x1 + x2) / 2 - 3 * n, (y1 + y2) / 2 + 10, label, n);
}
