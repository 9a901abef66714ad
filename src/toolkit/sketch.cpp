#include "toolkit/sketch.h"

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "platform/screen/screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFiveDegrees = 5.0 * kPi / 180.0;

struct Transform {
    double x0 = 0.0, y0 = 0.0, angle = 0.0, sx = 1.0, sy = 1.0;
    int width = 1;
    int style = 0;
} tf;

// Remembered pointer positions of the two pop-ups, relative to their corner (0, 0: unset).
int palette_pointer[2] = {0, 0};
int list_pointer[2] = {0, 0};

int Round_Px(double v) { return static_cast<int>(v < 0.0 ? v - 0.5 : v + 0.5); }

void Pixel(double x, double y, int* px, int* py)
{
    Sketch_World_To_Pixel(&x, &y);
    *px = Round_Px(x);
    *py = Round_Px(y);
}

// The line rule on pixel ends.
void Pixel_Line(int x1, int y1, int x2, int y2)
{
    if (tf.width <= 0) return;
    if (tf.width == 1) {
        pxLine(x1, y1, x2, y2);
        return;
    }
    if ((tf.width == 2 || tf.width == 3) && tf.style != 0) {
        // Copies side by side across the line's main direction, each dash pattern anew.
        const bool shift_y = (x2 - x1) > (y2 - y1);
        for (int k = 1; k >= 2 - tf.width; --k) {
            pxSLn(tf.style);
            if (shift_y)
                pxLine(x1, y1 + k, x2, y2 + k);
            else
                pxLine(x1 + k, y1, x2 + k, y2);
        }
        return;
    }
    pxTkLn(x1, y1, x2, y2, tf.width);
}

void Fill_Pixels(int n, const double x[], const double y[])
{
    if (n < 1) return;
    std::vector<int> px(n), py(n);
    for (int i = 0; i < n; ++i) Pixel(x[i], y[i], &px[i], &py[i]);
    pxFill(n, px.data(), py.data());
}

void Circle_Points(double cx, double cy, double r, double x[72], double y[72])
{
    for (int k = 0; k < 72; ++k) {
        x[k] = cx + r * std::cos(kFiveDegrees * k);
        y[k] = cy + r * std::sin(kFiveDegrees * k);
    }
}

void Text_At(int x, int y, const char* text, int font, bool bold)
{
    if (!text) return;
    Pop_RFont(font);
    pxText(x, y, text, static_cast<int>(std::strlen(text)));
    if (bold) pxText(x + 1, y, text, static_cast<int>(std::strlen(text)));
    Push_RFont();
}

} // namespace

// ---- Transform --------------------------------------------------------------------------

void Sketch_Set_Transform(double x0, double y0, double angle, double scale_x, double scale_y)
{
    tf.x0 = x0;
    tf.y0 = y0;
    tf.angle = angle;
    tf.sx = scale_x;
    tf.sy = scale_y;
}

double Sketch_Get_Scale_X() { return tf.sx; }
double Sketch_Get_Scale_Y() { return tf.sy; }

void Sketch_World_To_Pixel(double* x, double* y)
{
    if (!x || !y) return;
    const double c = std::cos(tf.angle), s = std::sin(tf.angle);
    const double px = ((*x - tf.x0) * c + (*y - tf.y0) * s) * tf.sx;
    const double py = ((*y - tf.y0) * c + (tf.x0 - *x) * s) * tf.sy;
    *x = px;
    *y = py;
}

double Sketch_Scale_To_Pixel(double* x, double* y)
{
    if (x && y) Sketch_World_To_Pixel(x, y);
    else if (x) *x *= tf.sx;
    else if (y) *y *= tf.sy;
    return x ? *x : 0.0;
}

void Sketch_Pixel_To_World(double* x, double* y)
{
    if (!x || !y) return;
    const double u = *x / tf.sx, v = *y / tf.sy;
    const double c = std::cos(tf.angle), s = std::sin(tf.angle);
    *x = u * c + tf.x0 - v * s;
    *y = u * s + v * c + tf.y0;
}

double Sketch_Pixel_Distance(double x1, double y1, double x2, double y2)
{
    Sketch_World_To_Pixel(&x1, &y1);
    Sketch_World_To_Pixel(&x2, &y2);
    return std::hypot(x2 - x1, y2 - y1);
}

void Sketch_Pixel_Point(double x, double y, int* px, int* py) { Pixel(x, y, px, py); }
void Sketch_Set_Line_Width(int width) { tf.width = width; }
int Sketch_Get_Line_Width() { return tf.width; }
void Sketch_Set_Line_Style(int style)
{
    tf.style = style;
    pxSLn(style);
}
int Sketch_Get_Line_Style() { return tf.style; }

// ---- Patterns -----------------------------------------------------------------------------

const uint32_t sketch_dot_pattern[16] = {0x5555, 0, 0x5555, 0, 0x5555, 0, 0x5555, 0,
                                         0x5555, 0, 0x5555, 0, 0x5555, 0, 0x5555, 0};
const uint32_t sketch_hatch_pattern[16] = {0x0810, 0x0660, 0x9189, 0x6006, 0x0810, 0x0660, 0x9189, 0x6006,
                                           0x0810, 0x0660, 0x9189, 0x6006, 0x0810, 0x0660, 0x9189, 0x6006};
const uint32_t sketch_stripe_pattern[16] = {0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111,
                                            0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111};

void Sketch_Use_Dot_Pattern() { pxSUFA(sketch_dot_pattern); }
void Sketch_Use_Hatch_Pattern() { pxSUFA(sketch_hatch_pattern); }
void Sketch_Use_Stripe_Pattern() { pxSUFA(sketch_stripe_pattern); }

// ---- World drawing ------------------------------------------------------------------------

void Sketch_Draw_Line(double x1, double y1, double x2, double y2)
{
    int a, b, c, d;
    Pixel(x1, y1, &a, &b);
    Pixel(x2, y2, &c, &d);
    Pixel_Line(a, b, c, d);
}

void Sketch_Draw_Polygon(int n, const double x[], const double y[])
{
    if (n < 1 || !x || !y) return;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        Sketch_Draw_Line(x[i], y[i], x[j], y[j]);
    }
}

void Sketch_Fill_Polygon(int n, const double x[], const double y[])
{
    if (!x || !y) return;
    Fill_Pixels(n, x, y);
}

void Sketch_Fill_Band(double x1, double y1, double x2, double y2, double width, const uint32_t* pattern)
{
    double sa = 1.0, ca = 0.0;
    if (std::fabs(x2 - x1) >= 1e-5) {
        const double a = std::atan((y2 - y1) / (x2 - x1));
        sa = std::sin(a);
        ca = std::cos(a);
    }
    const double s = sa * width / 2.0, c = ca * width / 2.0;
    const double x[4] = {x1 - s, x2 - s, x2 + s, x1 + s};
    const double y[4] = {y1 + c, y2 + c, y2 - c, y1 - c};
    if (pattern) pxSUFA(pattern);
    Fill_Pixels(4, x, y);
    if (pattern) pxSFA(0);
}

void Sketch_Draw_Dot(double x, double y)
{
    int px, py;
    Pixel(x, y, &px, &py);
    const int r = Round_Px(tf.width * 0.5);
    if (r < 2) {
        pxPoint(px, py);
        return;
    }
    int xs[72], ys[72];
    for (int k = 0; k < 72; ++k) {
        xs[k] = Round_Px(px + r * std::cos(kFiveDegrees * k));
        ys[k] = Round_Px(py + r * std::sin(kFiveDegrees * k));
    }
    pxFill(72, xs, ys);
}

void Sketch_Draw_Circle(double cx, double cy, double r)
{
    double x[72], y[72];
    Circle_Points(cx, cy, r, x, y);
    for (int k = 1; k < 72; ++k) Sketch_Draw_Line(x[k - 1], y[k - 1], x[k], y[k]);
    Sketch_Draw_Line(x[71], y[71], x[0], y[0]);
}

void Sketch_Fill_Circle(double cx, double cy, double r)
{
    double x[72], y[72];
    Circle_Points(cx, cy, r, x, y);
    Fill_Pixels(72, x, y);
}

void Sketch_Draw_Rect(double x1, double y1, double x2, double y2)
{
    Sketch_Draw_Line(x1, y1, x2, y1);
    Sketch_Draw_Line(x2, y1, x2, y2);
    Sketch_Draw_Line(x2, y2, x1, y2);
    Sketch_Draw_Line(x1, y2, x1, y1);
}

void Sketch_Draw_Rect_Centred(double cx, double cy, double w, double h)
{
    Sketch_Draw_Rect(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2);
}

void Sketch_Pixel_Rect(double x1, double y1, double x2, double y2)
{
    int a, b, c, d;
    Pixel(x1, y1, &a, &b);
    Pixel(x2, y2, &c, &d);
    pxRect(a, b, c, d);
}

void Sketch_Pixel_Rect_Centred(double cx, double cy, double w, double h)
{
    Sketch_Pixel_Rect(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2);
}

void Sketch_Erase_Rect(double x1, double y1, double x2, double y2)
{
    const int colour = pxQFgc();
    pxFgc(-1);
    Sketch_Pixel_Rect(x1, y1, x2, y2);
    pxFgc(colour);
}

void Sketch_Draw_Arrow(double x1, double y1, double x2, double y2, double head_length, double head_width,
                       int filled)
{
    const double d = std::hypot(x2 - x1, y2 - y1);
    const double L = std::min(head_length, d);
    const double W = std::min(L, head_width);
    const double a = Get_Segment_Angle(x1, y1, x2, y2);
    double tx[1] = {x2}, ty[1] = {y2};
    Transform_Points(tx, ty, 1, 0.0, 0.0, a, 1.0);
    double hx[3] = {tx[0], tx[0] - L, tx[0] - L}, hy[3] = {ty[0], ty[0] - W / 2, ty[0] + W / 2};
    Transform_Points(hx, hy, 3, 0.0, 0.0, -a, 1.0);
    Sketch_Draw_Line(x1, y1, x2, y2);
    if (filled == 1) {
        Fill_Pixels(3, hx, hy);
    } else {
        Sketch_Draw_Line(hx[1], hy[1], x2, y2);
        Sketch_Draw_Line(hx[2], hy[2], x2, y2);
    }
}

void Sketch_Draw_Axes(double x0, double y0, const char* label_x, const char* label_y, double length_x,
                      double length_y, double angle, double scale)
{
    if (scale == 0.0) return;
    const double h = 10.0 / scale;
    double x[2] = {0.0, length_x / scale}, y[2] = {0.0, length_y / scale};
    Untransform_Points(x, y, 2, x0, y0, angle, 1.0);
    Sketch_Draw_Arrow(x[0], y[0], x[1], y[0], h, 0.8 * h, 1);
    Sketch_Draw_Arrow(x[0], y[0], x[0], y[1], h, 0.8 * h, 1);
    int px, py;
    Pixel(x[0] + 0.6 * h, y[1], &px, &py);
    Text_At(px, py, label_y, 0x1000, false);
    Pixel(x[1], y[0] - 0.6 * h, &px, &py);
    Text_At(px, py, label_x, 0x1000, false);
}

void Sketch_Draw_Axes_Ex(double x0, double y0, const char* label_x, const char* label_y, int, int, double length_x,
                         double length_y, double angle, double scale)
{
    Sketch_Draw_Axes(x0, y0, label_x, label_y, length_x, length_y, angle, scale);
}

int Sketch_Dimension_Texts(double length, char main_text[32], char raised_text[8])
{
    main_text[0] = raised_text[0] = 0;
    const double L = Round_To_Decimals(length, 3);
    if (L < 0.01) return 0;
    const double c = 100.0 * L;
    const int n = static_cast<int>(c + 0.0001);
    const double f = Round_To_Decimals(c - n, 2);
    const bool half = f >= 0.25 && f < 0.74999;
    if (L < 1.0) {
        if (half)
            std::snprintf(main_text, 32, "%d", n);
        else
            std::snprintf(main_text, 32, "%.0f", c);
    } else {
        const double m = Round_To_Decimals(c - 0.75 - n, 2) >= 0.0 ? (n + 1) * 0.01 : n * 0.01;
        std::snprintf(main_text, 32, "%.2f", m);
    }
    if (half) std::snprintf(raised_text, 8, "5");
    return 1;
}

void Sketch_Draw_Dimension(int mode, double x1, double y1, double x2, double y2, double offset)
{
    char main_text[32], raised_text[8];
    if (!Sketch_Dimension_Texts(std::hypot(x2 - x1, y2 - y1), main_text, raised_text)) return;
    Sketch_Draw_Dimension_Line(mode, x1, y1, x2, y2, main_text, raised_text, offset);
}

void Sketch_Draw_Dimension_Line(int mode, double x1, double y1, double x2, double y2, const char* main_text,
                                const char* raised_text, double offset)
{
    if (!main_text) main_text = "";
    if (!raised_text) raised_text = "";
    pxExpF(0.7);
    pxSpac(0.1);
    pxOrnt(0.0, 0.0);
    double w_main = 0.0, w_raised = 0.0;
    pxChH(12.0);
    pxQGTX(main_text, -1, &w_main, nullptr);
    pxChH(8.4);
    pxQGTX(raised_text, -1, &w_raised, nullptr);

    if (mode == 0) {
        double u = 0.0;
        Sketch_Pixel_To_World(&u, &y1);
        u = 0.0;
        Sketch_Pixel_To_World(&u, &y2);
    } else if (mode == 1) {
        double v = 0.0;
        Sketch_Pixel_To_World(&x1, &v);
        v = 0.0;
        Sketch_Pixel_To_World(&x2, &v);
    }
    const double a = Get_Segment_Angle(x1, y1, x2, y2);
    double ex[2] = {x1, x2}, ey[2] = {y1, y2};
    Transform_Points(ex, ey, 2, 0.0, 0.0, a, 1.0);
    const double X1 = ex[0], Y1 = ey[0], X2 = ex[1], Y2 = ey[1];
    const double asx = std::fabs(tf.sx), asy = std::fabs(tf.sy);
    double t = 5.0 / asx;
    const double e = offset / asy;
    if (X2 - X1 < 0) t = -t;
    double px[9], py[9];
    px[2] = X1, py[2] = Y1 - 5.0 / asx;
    px[3] = X1 - t, py[3] = Y1;
    px[4] = X1, py[4] = Y1 + e;
    px[5] = X2, py[5] = Y2 - 5.0 / asx;
    px[6] = X2 + t, py[6] = Y2;
    px[7] = X2, py[7] = Y2 + e;
    px[8] = (X1 + X2) / 2.0, py[8] = Y1 + 10.0 / asy;
    Transform_Points(px + 2, py + 2, 7, 0.0, 0.0, -a, 1.0);
    int ix[9], iy[9];
    for (int i = 2; i < 9; ++i) Pixel(px[i], py[i], &ix[i], &iy[i]);
    pxLine(ix[3], iy[3], ix[6], iy[6]);
    pxLine(ix[2], iy[2], ix[4], iy[4]);
    pxLine(ix[5], iy[5], ix[7], iy[7]);
    // The texts read along the line on the screen, never upside down (a line between a
    // quarter and three quarters of a turn is read from its other end), whichever way the
    // transform's axes run; the raised text follows the measure and stands above it.
    double turn = std::atan2(static_cast<double>(iy[3] - iy[6]), static_cast<double>(ix[6] - ix[3]));
    if (turn > kPi / 2.0 + 1e-9) turn -= kPi;
    if (turn <= -kPi / 2.0 + 1e-9) turn += kPi;
    pxOrnt(turn, 0.0);
    if (*main_text) {
        pxChH(12.0);
        pxGBTt(ix[8], iy[8], ix[8], iy[8], main_text, static_cast<int>(std::strlen(main_text)), 0xD2);
    }
    if (*raised_text) {
        // Along the reading direction and up from it, in pixels (y down on the screen).
        const double along = w_main / 2.0 + w_raised / 2.0 + 1.0, up = 5.0;
        const int rx = static_cast<int>(std::lround(ix[8] + along * std::cos(turn) - up * std::sin(turn)));
        const int ry = static_cast<int>(std::lround(iy[8] - along * std::sin(turn) - up * std::cos(turn)));
        pxChH(8.4);
        pxGBTt(rx, ry, rx, ry, raised_text, static_cast<int>(std::strlen(raised_text)), 0xD2);
    }
}

// ---- Texts --------------------------------------------------------------------------------

void Sketch_Draw_Text(double x, double y, const char* text, int font, int bold)
{
    int px, py;
    Pixel(x, y, &px, &py);
    Text_At(px, py, text, font, bold != 0);
}

void Sketch_Draw_Text_Plain(double x, double y, const char* text, int font) { Sketch_Draw_Text(x, y, text, font, 0); }
void Sketch_Draw_Text_Bold(double x, double y, const char* text, int font) { Sketch_Draw_Text(x, y, text, font, 1); }

void Sketch_Draw_Text_Right(double x, double y, const char* text, int font)
{
    if (!text) return;
    int px, py;
    Pixel(x, y, &px, &py);
    Text_At(px - (Sketch_Text_Width(text, font) - 5), py, text, font, false);
}

void Sketch_Draw_Text_Anchored(double x, double y, const char* text, int font, int horizontal, int vertical)
{
    if (!text) return;
    int px, py;
    Pixel(x, y, &px, &py);
    const int h = horizontal == 0 ? 0x08 : horizontal == 4 ? 0x10 : 0x20;
    const int v = vertical == 1 ? 0x04 : vertical == 4 ? 0x02 : 0x01;
    Pop_RFont(font);
    pxBTxt(px - 5, py - 5, px + 5, py + 5, text, static_cast<int>(std::strlen(text)), 0xC0 + h + v);
    Push_RFont();
}

int Sketch_Text_Width(const char* text, int font)
{
    if (!text) return 0;
    int extra = 0;
    if (font & 0x10000) {
        font &= ~0x10000;
        extra = 2;
    }
    return Get_Text_Width_In_Font(text, font) + 3 + extra;
}

// ---- Pixel helpers ------------------------------------------------------------------------

void Sketch_Frame_Text_Field(int x, int y, double characters, int colour)
{
    pxFgc(colour);
    pxRect(x - 1, y + 3, static_cast<int>(x + 8 * characters), y - 10);
}

void Sketch_Clear_Text_Field(int x, int y, double characters)
{
    const int colour = pxQFgc();
    Sketch_Frame_Text_Field(x, y, characters, GetZAVColor(-1));
    pxFgc(colour);
}

void Sketch_Draw_Coloured_Text(int x, int y, const char* text, int font, int colour)
{
    const int saved = pxQFgc();
    pxFgc(colour);
    Text_At(x, y, text, font, false);
    pxFgc(saved);
}

void Sketch_Draw_State_Text(int x, int y, const char* text, int font, int state)
{
    const int colour = state == -1 ? ZAV_COLOUR_DISABLED_TEXT : state == 0 ? ZAV_COLOUR_FACE : ZAV_COLOUR_TEXT;
    Sketch_Draw_Coloured_Text(x, y, text, font, colour);
}

int Init_Blank_Raster(Sketch_Raster* r, int width, int height)
{
    if (!r) return 0;
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int bytes = (width + 7) / 8;
    // Every row is present (and clear), whatever the library reads.
    r->bits.assign(static_cast<size_t>(bytes) * height, 0);
    r->raster = {width, height, bytes, r->bits.data()};
    return 0;
}

// ---- Pop-ups and buttons ------------------------------------------------------------------

namespace {

struct Popup_Layout {
    int W, H;
    int title_x, title_y;
    int button_x, button_y;  // offset of the first button
    int dx, dy;              // step from one button to the next
};

int Run_Popup(int click_x, int click_y, int sheet_x, int sheet_y, const char* title, int w, int h, int n,
              const char* const texts[], const char* bitmap, const Popup_Layout& lay, bool list, int pointer[2])
{
    Sketch_Raster symbol;
    Init_Blank_Raster(&symbol, w, h);
    int x1 = sheet_x, y1 = sheet_y, x2 = sheet_x + lay.W, y2 = sheet_y + lay.H;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Sketch_Zoom_Rect(click_x, click_y, click_x + lay.W / 2, click_y + lay.H / 2, x1, y1, x2, y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 0, 0, "", n, 0);
    pxFgc(BUTTON_CI);
    pxRect(x1, y1, x2, y2);
    pxFgc(BLACK_CI);
    pxLine(x1, y1, x2, y1);
    pxLine(x2, y1, x2, y2);
    pxLine(x2, y2, x1, y2);
    pxLine(x1, y2, x1, y1);
    Pop_RFont(0);
    if (title) {
        pxText(x1 + lay.title_x, y1 + lay.title_y, title, -1);
        pxText(x1 + lay.title_x - 1, y1 + lay.title_y, title, -1);
    }
    Push_RFont();
    std::vector<int> buttons;
    for (int k = 1; k <= n; ++k) {
        const int bx = x1 + lay.button_x + (k - 1) * lay.dx, by = y1 + lay.button_y + (k - 1) * lay.dy;
        const int b = Add_Single_Button_to_PS(bx, by, 1, k, nullptr, &symbol.raster, 0);
        // The buttons keep their action state: in this screen library state 0 means a
        // button that ignores clicks, and then no entry of the palette could be chosen.
        Reset_Button_Frame(b);
        if (!list && texts && texts[k - 1]) Set_Comment_to_Button_PS(b, texts[k - 1]);
        if (list && texts && texts[k - 1]) {
            pxFgc(BLACK_CI);
            pxText(x1 + 8, by + 1 + (RFONT_HEIGHT + h) / 2, texts[k - 1], -1);
        }
        buttons.push_back(b);
    }
    const int rx2 = list ? x1 + lay.button_x + w - 1 : x1 + lay.button_x + n * w + 5 * (n - 1) - 1;
    const int ry2 = list ? y1 + lay.button_y + n * h + 5 * (n - 1) - 1 : y1 + lay.button_y + h - 1;
    if (bitmap) pxDrawTransparentDIB(bitmap, x1 + lay.button_x, y1 + lay.button_y, rx2, ry2, 201, -1, 192, 192, 192);
    // The buttons take the bitmap's look.
    for (int b : buttons) Snap_Colored_Layout_of_Single_Button(b);
    Add_Escape_Area_to_PS(x1, y1, x2, y2, 1, 99);
    Set_ClickOutsideEvent_to_PS(99);
    if (pointer[0] == 0 && pointer[1] == 0) {
        pointer[0] = list ? static_cast<int>(w / 2.0 + 8) : lay.button_x + w / 2;
        pointer[1] = list ? static_cast<int>(RFONT_HEIGHT + 12 + h / 2.0) : lay.button_y + h / 2;
    }
    msStCu(x1 + pointer[0], y1 + pointer[1]);
    Activate_Prop_Sheet();
    pxBuff(pxBuff(-1));
    const int r = Edit_Prop_Sheet();
    // The press that ended the edit is let go before the sheet closes.
    if (M_LEFT) GetZAVMessage(ZAV_MSG_LEFT_UP, nullptr);
    int mx = 0, my = 0;
    msStat(&mx, &my);
    pointer[0] = mx - x1;
    pointer[1] = my - y1;
    Undefine_Prop_Sheet();
    return r == n + 1 ? -1 : r;
}

} // namespace

int Show_Button_Palette(int click_x, int click_y, int sheet_x, int sheet_y, const char* title, int w, int h, int n,
                        const char* const tips[], const char* bitmap)
{
    Pop_RFont(0);
    const int tw = title ? Get_Text_Width_Px(title) : 0;
    const int line = RFONT_HEIGHT;
    Push_RFont();
    Popup_Layout lay{};
    const int bw = n * w + 5 * (n - 1);
    if (tw > bw + 16) {
        lay.W = tw + 16;
        lay.title_x = 8;
        lay.button_x = (lay.W - bw) / 2 - 1;
    } else {
        lay.W = bw + 16;
        lay.button_x = 7;
        lay.title_x = (lay.W - tw) / 2;
    }
    lay.H = line + h + 20;
    lay.title_y = line + 6;
    lay.button_y = line + 12;
    lay.dx = w + 5;
    lay.dy = 0;
    return Run_Popup(click_x, click_y, sheet_x, sheet_y, title, w, h, n, tips, bitmap, lay, false, palette_pointer);
}

int Show_Button_List(int click_x, int click_y, int sheet_x, int sheet_y, const char* title, int w, int h, int n,
                     const char* const texts[], const char* bitmap)
{
    Pop_RFont(0);
    const int tw = title ? Get_Text_Width_Px(title) : 0;
    int widest = 0;
    for (int k = 0; texts && k < n; ++k)
        if (texts[k]) widest = std::max(widest, Get_Text_Width_Px(texts[k]));
    const int line = RFONT_HEIGHT;
    Push_RFont();
    Popup_Layout lay{};
    lay.W = std::max({w + 16, tw + 16, w + 21 + widest});
    lay.H = line + 12 + n * h + 8 + 5 * (n - 1);
    lay.title_x = 9;  // drawn at 9 and again at 8
    lay.title_y = line + 6;
    lay.button_x = lay.W - 8 - w;
    lay.button_y = line + 12;
    lay.dx = 0;
    lay.dy = h + 5;
    return Run_Popup(click_x, click_y, sheet_x, sheet_y, title, w, h, n, texts, bitmap, lay, true, list_pointer);
}

namespace {

// A 35 x 20 eye: the lids as two arcs, the iris as a ring, the pupil filled.
const ZAV_Raster* Eye_Raster()
{
    static unsigned char bits[20 * 5];
    static ZAV_Raster raster = {35, 20, 5, bits};
    static bool made = false;
    if (made) return &raster;
    made = true;
    auto set = [](int x, int y) {
        if (x >= 0 && x < 35 && y >= 0 && y < 20) bits[y * 5 + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
    };
    for (int x = 2; x <= 32; ++x) {
        const double u = (x - 17) / 15.0;
        const int dy = static_cast<int>(std::lround(8.0 * (1.0 - u * u)));
        set(x, 10 - dy);
        set(x, 10 + dy);
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 35; ++x) {
            const double r = std::hypot(x - 17.0, y - 10.0);
            if ((r >= 4.5 && r <= 5.5) || r <= 2.5) set(x, y);
        }
    return &raster;
}

} // namespace

int Add_Optical_Check_Button(int x, int y, int code)
{
    const int b = Add_Single_Button_to_PS(x, y, 1, code, nullptr, Eye_Raster(), 0);
    Reset_Button_Frame(b);
    Set_Comment_to_Button_PS(b, "optische Kontrolle");
    return b;
}

void Sketch_Zoom_Rect(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2)
{
    const int colour = pxQFgc();
    pxFgc(1);
    pxSBop(3);
    const float s1 = static_cast<float>(bx1 - ax1) / 6, s2 = static_cast<float>(by1 - ay1) / 6;
    const float s3 = static_cast<float>(bx2 - ax2) / 6, s4 = static_cast<float>(by2 - ay2) / 6;
    for (int i = 0; i <= 6; ++i) {
        const int x1 = static_cast<int>(ax1 + i * s1), y1 = static_cast<int>(ay1 + i * s2);
        const int x2 = static_cast<int>(ax2 + i * s3), y2 = static_cast<int>(ay2 + i * s4);
        for (int pass = 0; pass < 2; ++pass) {
            pxLine(x1, y1, x2, y1);
            pxLine(x2, y1, x2, y2);
            pxLine(x2, y2, x1, y2);
            pxLine(x1, y2, x1, y1);
            if (pass == 0) {
                pxFlsh();
                ZAVSleep(10);
            }
        }
    }
    pxFgc(colour);
    pxSBop(0);
}

namespace sketch_internal {
void Reset()
{
    tf = Transform();
    palette_pointer[0] = palette_pointer[1] = 0;
    list_pointer[0] = list_pointer[1] = 0;
}
} // namespace sketch_internal
