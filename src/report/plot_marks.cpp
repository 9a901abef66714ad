#include "report/plot_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <string>

#include "base/point_arrays.h"
#include "report/drawing_file.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_symbol_records.h"
#include "report/plot_texts.h"
#include "report/report_layout.h"
#include "report/string_format.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = kPi / 2.0;
constexpr double kDegreesToRadians = 0.017453292519943295;

// Fill index of the dark fills of the marks.
constexpr int kDarkFill = 64;

// Width of a character of the labels laid out here, in text heights.
constexpr double kCharWidthFactor = 0.8;

// Cosine and sine, exact at the quarter turns so that an axis-parallel symbol keeps one
// scale per direction.
void Cos_Sin(double angle, double* c, double* s)
{
    const double quarters = angle / kHalfPi;
    const double nearest = std::nearbyint(quarters);
    if (std::fabs(quarters - nearest) < 1e-12 && std::fabs(nearest) < 1e9) {
        static const double cosines[4] = {1.0, 0.0, -1.0, 0.0};
        static const double sines[4] = {0.0, 1.0, 0.0, -1.0};
        long k = static_cast<long>(nearest) % 4;
        if (k < 0) k += 4;
        *c = cosines[k];
        *s = sines[k];
        return;
    }
    *c = std::cos(angle);
    *s = std::sin(angle);
}

// A symbol's frame: offsets (u, v) in record units as seen on the page, turned by the
// frame's angle, become drawing units about the symbol's point.
struct Page_Frame {
    double x0, y0;
    double c, s;
    double fx, fy;  // drawing units per record unit, with the window's turns

    Page_Frame(double x, double y, double angle = 0.0) : x0(x), y0(y)
    {
        Cos_Sin(angle, &c, &s);
        fx = (plot_state.x_direction == 1 ? 1.0 : -1.0) / plot_state.x_scale;
        fy = (plot_state.y_mirror_mode == 2 ? -1.0 : 1.0) / plot_state.y_scale;
    }

    double X(double u, double v) const { return x0 + (u * c - v * s) * fx; }
    double Y(double u, double v) const { return y0 + (u * s + v * c) * fy; }

    void Line(double u1, double v1, double u2, double v2) const
    {
        Plot_Draw_Line(X(u1, v1), Y(u1, v1), X(u2, v2), Y(u2, v2));
    }

    // Polygon of n offsets: filled while colour output is on (with the fill index
    // written first) and outlined when outline is set.
    void Polygon(int n, const double u[], const double v[], int fill_index, bool fill,
                 bool outline) const
    {
        double x[8], y[8];
        n = std::min(n, 8);
        for (int i = 0; i < n; ++i) {
            x[i] = X(u[i], v[i]);
            y[i] = Y(u[i], v[i]);
        }
        if (fill) {
            Plot_Set_Fill_Index(fill_index);
            Plot_Fill_Polygon_If_Colour(n, x, y);
        }
        if (outline) {
            for (int i = 0; i < n; ++i) {  // the fill turned the arrays in place
                x[i] = X(u[i], v[i]);
                y[i] = Y(u[i], v[i]);
            }
            Plot_Draw_Polyline(n, x, y);
        }
    }

    void Text_Plain(double u, double v, const std::string& text) const
    {
        if (!text.empty()) Plot_Write_Text_Plain(X(u, v), Y(u, v), text.c_str());
    }
};

std::string Text_Of(const char* text) { return text ? std::string(text) : std::string(); }

// The formatted text, at most 255 characters, without its trailing blanks.
std::string Format_Label(const char* format, va_list args)
{
    std::string text = Format_String_Cut(255, format, args);
    size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

// Opens the group of a label with a leader: pen class 1, solid lines, and the drawing
// file's state for such labels (all restored by the group's end).
void Begin_Leader_Label()
{
    Plot_Begin_Group();
    plot_records::Pen_Class(1);
    Plot_Set_Dash_Style(0);
    if (plot_state.plot_file_stream == nullptr) return;
    Plot_Set_Line_Type(0);
    Plot_Set_Pen(0);
    Plot_Set_Filling(5);
    Plot_Set_Font(4);
}

// ---------------------------------------------------------------------------------
// Level marks

// The level triangle, tip on the point, opening upwards on the page.
void Level_Triangle(const Page_Frame& f, double size, int fill_index)
{
    const double u[3] = {0.0, -0.16 * size, 0.16 * size};
    const double v[3] = {0.0, 0.22 * size, 0.22 * size};
    f.Polygon(3, u, v, fill_index, true, true);
}

void Level_Triangle_With_Text(double x, double y, const char* text, int filled, double size)
{
    Page_Frame f(x, y);
    Level_Triangle(f, size, filled ? kDarkFill : 0);
    plot_records::Text_Height(0.24 * size);
    f.Text_Plain(-0.14 * size, 0.33 * size, Text_Of(text));
}

// A level label and its subscript (after the control byte 0xCE and a backslash).
struct Level_Label {
    std::string label;
    std::string subscript;
    double length = 0.0;  // in characters
};

Level_Label Split_Level_Label(const char* text)
{
    Level_Label l;
    l.label = Text_Of(text);
    size_t at = l.label.find("\xCE\\");
    if (at != std::string::npos && at + 2 < l.label.size()) {
        l.subscript = l.label.substr(at + 2);
        l.label.erase(at);
    }
    l.length = MT_String_Length(l.label.c_str()) + 0.8 * MT_String_Length(l.subscript.c_str());
    return l;
}

// Writes the label in text style 0 and its subscript in style 3; *style holds the style
// last written (-1 for none yet).
void Write_Level_Label(const Page_Frame& f, double u, double v, const Level_Label& l,
                       double char_width, double height, int* style)
{
    auto use_style = [style](int wanted) {
        if (*style == wanted) return;
        plot_records::Text_Style(wanted);
        *style = wanted;
    };
    if (!l.label.empty()) {
        use_style(0);
        Plot_Write_Text(f.X(u, v), f.Y(u, v), l.label.c_str());
    }
    if (l.subscript.empty()) return;
    const double su = u + MT_String_Length(l.label.c_str()) * char_width;
    const double sv = v - 0.3 * height;
    use_style(3);
    Plot_Write_Text(f.X(su, sv), f.Y(su, sv), l.subscript.c_str());
}

// ---------------------------------------------------------------------------------
// Bearings

struct Bearing_Shape {
    double w, h;     // record units
    double flip;     // 1, or -1 for a hanging symbol
};

void Bearing_Quad(const Page_Frame& f, const Bearing_Shape& b, double u1, double v1,
                  double u2, double v2, int fill_index)
{
    const double u[4] = {u1 * b.w, u2 * b.w, u2 * b.w, u1 * b.w};
    const double v[4] = {v1 * b.h * b.flip, v1 * b.h * b.flip, v2 * b.h * b.flip,
                         v2 * b.h * b.flip};
    f.Polygon(4, u, v, fill_index, true, true);
}

void Bearing_Hexagon(const Page_Frame& f, const Bearing_Shape& b, double vc, double r)
{
    double u[6], v[6];
    for (int k = 0; k < 6; ++k) {
        u[k] = r * std::cos(k * kPi / 3.0);
        v[k] = vc * b.h * b.flip + r * std::sin(k * kPi / 3.0);
    }
    f.Polygon(6, u, v, 0, true, true);
}

// A roller: a disc of fill index 0 with its circle, centred at (u, v) record units.
void Bearing_Roller(const Page_Frame& f, double u, double v, double diameter)
{
    const double d = diameter / plot_state.x_scale;
    Plot_Set_Fill_Index(0);
    Plot_Fill_Disc(f.X(u, v), f.Y(u, v), d);
    Plot_Draw_Arc(f.X(u, v), f.Y(u, v), d, 0.0, 360.0);
}

void Sliding_Plane(const Page_Frame& f, const Bearing_Shape& b, double v)
{
    const double vv = v * b.h * b.flip;
    f.Line(-0.45 * b.w, vv, 0.45 * b.w, vv);
}

// ---------------------------------------------------------------------------------
// Leader labels

struct Leader_Geometry {
    double knee_x, knee_y;  // where the leader meets the shelf
    double dir;             // +1 when the shelf runs on from the knee the way the page's x runs
};

// Leader and shelf of length shelf (record units) from the second point; the leader goes
// to the shelf's far end when that end is nearer to the first point.
Leader_Geometry Draw_Leader(double x1, double y1, double x2, double y2, double shelf)
{
    const double page_x = plot_state.x_direction == 1 ? 1.0 : -1.0;
    const double far_x = x2 + page_x * shelf / plot_state.x_scale;
    Leader_Geometry g{x2, y2, 1.0};
    if (std::hypot(far_x - x1, y2 - y1) < std::hypot(x2 - x1, y2 - y1)) {
        g.knee_x = far_x;
        g.dir = -1.0;
    }
    Plot_Draw_Line(x1, y1, g.knee_x, g.knee_y);
    Plot_Draw_Line(x2, y2, far_x, y2);
    return g;
}

// The point at along (record units, from the knee along the shelf) and above (record units,
// upwards on the page) of the shelf.
void Shelf_Point(const Leader_Geometry& g, double along, double above, double* x, double* y)
{
    const double page_x = plot_state.x_direction == 1 ? 1.0 : -1.0;
    const double page_y = plot_state.y_backwards ? -1.0 : 1.0;
    *x = g.knee_x + g.dir * page_x * along / plot_state.x_scale;
    *y = g.knee_y + page_y * above / plot_state.y_scale;
}

// The text sitting on the shelf, anchored on the knee's side.
void Write_Shelf_Text(const Leader_Geometry& g, double along, double above,
                      const std::string& text)
{
    if (text.empty()) return;
    double x, y;
    Shelf_Point(g, along, above, &x, &y);
    // Horizontal code 3 anchors at the left of the text, 1 at its right.
    Plot_Write_Text_Anchored(x, y, 0, g.dir > 0.0 ? 3 : 1, "%s", text.c_str());
}

}  // namespace

// ---------------------------------------------------------------------------------

void Plot_Draw_Level_Pair(double x, double y, const char* text1, const char* text2,
                          double size, double angle)
{
    if (!plot_state.level_marks) return;
    Plot_Begin_Group();
    const Page_Frame f(x, y, angle);
    const double height = 0.18 / plot_state.larger_scale;
    const double char_width = kCharWidthFactor * height;
    const Level_Label first = Split_Level_Label(text1);
    const Level_Label second = Split_Level_Label(text2);

    // The upper mark open, the lower one filled, both tips on the reference line.
    const double u[3] = {0.0, -0.16 * size, 0.16 * size};
    const double up[3] = {0.0, 0.22 * size, 0.22 * size};
    const double down[3] = {0.0, -0.22 * size, -0.22 * size};
    f.Polygon(3, u, up, 0, false, true);
    f.Polygon(3, u, down, kDarkFill, true, true);
    const double label_u = 0.25 * size;
    const double longest = std::max(first.length, second.length) * char_width;
    f.Line(-0.25 * size, 0.0, label_u + longest + 0.1 * size, 0.0);

    Plot_Set_Text_Angle(angle * plot_state.orientation_sign);
    plot_records::Text_Height(height);
    int style = -1;
    Write_Level_Label(f, label_u, 0.05 * size, first, char_width, height, &style);
    Write_Level_Label(f, label_u, -0.05 * size - height, second, char_width, height, &style);
    if (style == 3) plot_records::Text_Style(0);  // the texts after the pair are not lowered
    Plot_End_Group();
}

void Plot_Draw_Section_Mark(double x, double y, double size, double angle, const char* text)
{
    Plot_Begin_Group();
    const Page_Frame f(x, y, angle);
    const double u[3] = {size, 0.8 * size, 0.8 * size};
    const double v[3] = {0.0, 0.06 * size, -0.06 * size};
    f.Polygon(3, u, v, kDarkFill, true, false);
    f.Line(0.0, 0.0, size, 0.0);
    f.Line(0.0, -0.25 * size, 0.0, 0.25 * size);
    const std::string t = Text_Of(text);
    if (!t.empty()) {
        plot_records::Text_Height(0.4 * size);
        Plot_Write_Text_Centred(f.X(1.25 * size, 0.0), f.Y(1.25 * size, 0.0), t.c_str());
    }
    Plot_End_Group();
}

void Plot_Draw_Level_Mark(double x, double y, double length, const char* text_above,
                          const char* text_below, int fill_index, double size)
{
    Plot_Begin_Group();
    const Page_Frame f(x, y);
    Level_Triangle(f, size, fill_index);
    plot_records::Record_6(0.035 * size);
    const double start = f.X(-0.17 * size, 0.0);
    const double page_x = plot_state.x_direction == 1 ? 1.0 : -1.0;
    Plot_Draw_Line(start, y, start + page_x * length, y);
    plot_records::Text_Height(0.24 * size);
    f.Text_Plain(-0.14 * size, 0.33 * size, Text_Of(text_above));
    plot_records::Text_Height(0.2 * size);
    plot_records::Record_8(0);
    plot_records::Record_6(0.02 * size);
    plot_records::Record_16(0.05 * size / plot_state.x_scale);
    f.Text_Plain(0.25 * size, 0.1 * size, Text_Of(text_below));
    Plot_End_Group();
}

void Plot_Draw_Level_Triangle(double x, double y, const char* text, int filled, double size)
{
    Plot_Begin_Group();
    Level_Triangle_With_Text(x, y, text, filled, size);
    Plot_End_Group();
}

void Plot_Draw_Level_Triangle_On_Ground(double x, double y, const char* text, double size)
{
    Plot_Begin_Group();
    Level_Triangle_With_Text(x, y, text, 1, size);
    const Page_Frame f(x, y);
    f.Line(-0.16 * size, -0.08 * size, 0.16 * size, -0.08 * size);
    f.Line(-0.1 * size, -0.16 * size, 0.1 * size, -0.16 * size);
    Plot_End_Group();
}

void Plot_Draw_Hinge_Support(double x, double y, double angle_deg, int fill_index,
                             int circle, int base, double size)
{
    Plot_Begin_Group();
    const Page_Frame f(x, y, -angle_deg * kDegreesToRadians);
    const double u[3] = {0.0, -0.08 * size, 0.08 * size};
    const double v[3] = {0.0, -0.15 * size, -0.15 * size};
    f.Polygon(3, u, v, fill_index, true, false);
    plot_records::Record_6(0.015 * size);
    f.Polygon(3, u, v, fill_index, false, true);
    if (base) f.Line(-0.12 * size, -0.19 * size, 0.12 * size, -0.19 * size);
    if (circle) {
        const double d = 0.065 * size / plot_state.x_scale;
        Plot_Set_Fill_Index(0);
        Plot_Fill_Disc(x, y, d);
        Plot_Draw_Arc(x, y, d, 0.0, 360.0);
    }
    Plot_End_Group();
}

void Plot_Draw_Fixed_Support(double x, double y, double angle_deg, double size)
{
    Plot_Begin_Group();
    const Page_Frame f(x, y, -angle_deg * kDegreesToRadians);
    f.Line(-0.15 * size, 0.0, 0.15 * size, 0.0);
    plot_records::Record_6(0.015 * size);
    plot_records::Pen_Class(1);
    const double step = 0.3 * size / 6.0;
    for (int k = 1; k <= 6; ++k) {
        const double u = -0.15 * size + k * step;
        f.Line(u, 0.0, u - step, -step);
    }
    Plot_End_Group();
}

void Plot_Draw_Grid_Axis(double x1, double y1, double x2, double y2, double offset,
                         const char* text1, const char* text2)
{
    constexpr double kCharWidth = 0.09259259259259259;
    Plot_Begin_Group();
    plot_records::Record_6(0.025);
    plot_records::Dash_Pattern(4, "0.2 0.07 0.008 0.07");

    const std::string texts[2] = {Text_Of(text1), Text_Of(text2)};
    double c, s;
    Cos_Sin(Get_Segment_Angle(x1, y1, x2, y2), &c, &s);
    double ex[2] = {x1, x2}, ey[2] = {y1, y2};
    const double outwards[2] = {-1.0, 1.0};
    for (int i = 0; i < 2; ++i) {
        if (texts[i].empty()) continue;
        ex[i] += outwards[i] * 2.0 * offset * c;
        ey[i] += outwards[i] * 2.0 * offset * s;
    }
    Plot_Draw_Line(ex[0], ey[0], ex[1], ey[1]);

    const double r = 0.26 / plot_state.larger_scale;
    for (int i = 0; i < 2; ++i) {
        if (texts[i].empty()) continue;
        const double cx = ex[i] + outwards[i] * r * c;
        const double cy = ey[i] + outwards[i] * r * s;
        Plot_Set_Dash_Style(0);
        Plot_Set_Fill_Index(kDarkFill);
        if (plot_state.colour_output) {
            for (int k = 0; k < 6; ++k) {
                double tx[3] = {cx, cx + r * std::cos(k * kPi / 3.0),
                                cx + r * std::cos((k + 1) * kPi / 3.0)};
                double ty[3] = {cy, cy + r * std::sin(k * kPi / 3.0),
                                cy + r * std::sin((k + 1) * kPi / 3.0)};
                Plot_Fill_Triangle(tx, ty);
            }
        }
        Plot_Draw_Arc(cx, cy, 2.0 * r, 0.0, 360.0);
        plot_records::Text_Height(0.25);
        plot_records::Record_8(6);
        const double half = 0.5 * static_cast<double>(texts[i].size()) * kCharWidth;
        const double page_x = plot_state.x_direction == 1 ? 1.0 : -1.0;
        Plot_Write_Text_Anchored(cx - page_x * half / plot_state.x_scale, cy, 4, 3, "%s",
                                 texts[i].c_str());
    }
    Plot_End_Group();
}

void Plot_Draw_Bearing_Symbol(int kind, int variant, double x, double y, double width,
                              double height)
{
    Plot_Begin_Group();
    const Page_Frame f(x, y);
    const Bearing_Shape b{width, height, (variant & PLOT_BEARING_HANGING) ? -1.0 : 1.0};
    if (plot_state.plot_file_stream != nullptr) {
        const bool mirrored = plot_state.y_mirror_mode == 2;
        Plot_Set_Pen(mirrored ? 1 : 8);
        Plot_Set_Filling(mirrored ? 2 : 5);
    }
    // Plates: the upper one under the point, the lower one at the symbol's foot.
    Bearing_Quad(f, b, -0.5, 0.0, 0.5, -0.2, kDarkFill);
    Bearing_Quad(f, b, -0.5, -0.8, 0.5, -1.0, kDarkFill);

    const double mid = -0.5 * b.h * b.flip;  // between the plates
    switch (kind) {
    case PLOT_BEARING_FIXED:
        Bearing_Quad(f, b, -0.3, -0.2, 0.3, -0.8, 0);
        break;
    case PLOT_BEARING_SLIDING_ONE:
        Bearing_Quad(f, b, -0.3, -0.2, 0.3, -0.6, 0);
        Sliding_Plane(f, b, -0.6);
        break;
    case PLOT_BEARING_SLIDING_ALL:
        Bearing_Quad(f, b, -0.3, -0.2, 0.3, -0.5, 0);
        Sliding_Plane(f, b, -0.5);
        Sliding_Plane(f, b, -0.65);
        break;
    case PLOT_BEARING_ROLLER:
        Bearing_Roller(f, 0.0, mid, 0.6 * b.h);
        break;
    case PLOT_BEARING_TWO_ROLLERS:
        Bearing_Roller(f, -0.2 * b.w, mid, 0.6 * b.h);
        Bearing_Roller(f, 0.2 * b.w, mid, 0.6 * b.h);
        break;
    case PLOT_BEARING_POT:
        Bearing_Hexagon(f, b, -0.5, 0.3 * std::min(b.w, b.h));
        break;
    case PLOT_BEARING_ELASTOMER:
        Bearing_Quad(f, b, -0.35, -0.2, 0.35, -0.8, 0);
        Sliding_Plane(f, b, -0.4);
        Sliding_Plane(f, b, -0.6);
        break;
    case PLOT_BEARING_POINT: {
        Bearing_Hexagon(f, b, -0.5, 0.3 * std::min(b.w, b.h));
        const double d = 0.1 * std::min(b.w, b.h) / plot_state.x_scale;
        Plot_Set_Fill_Index(kDarkFill);
        Plot_Fill_Disc(f.X(0.0, mid), f.Y(0.0, mid), d);
        break;
    }
    default:
        break;
    }
    if (variant & PLOT_BEARING_CENTRE_LINE) {
        Plot_Set_Dash_Style(3);
        f.Line(0.0, 0.2 * b.h * b.flip, 0.0, -1.2 * b.h * b.flip);
        Plot_Set_Dash_Style(0);
    }
    Plot_End_Group();
}

void Plot_Draw_Hatch_Band(double x1, double y1, double x2, double y2, double width, int side)
{
    Plot_Begin_Group();
    const double xs = plot_state.x_scale, ys = plot_state.y_scale;
    // Along the band in record units, so that the strokes stand at 45 degrees on the page.
    const double dx = (x2 - x1) * xs, dy = (y2 - y1) * ys;
    const double length = std::hypot(dx, dy);
    if (length > 1e-9 && width > 0.0) {
        const double c = dx / length, s = dy / length;
        double inner = -0.5 * width, outer = 0.5 * width;
        if (side == PLOT_HATCH_LEFT) {
            inner = 0.0;
            outer = width;
        } else if (side == PLOT_HATCH_RIGHT) {
            inner = -width;
            outer = 0.0;
        }
        // The point at t along the band and o to the left of it, in drawing units.
        auto px = [&](double t, double o) { return x1 + (t * c - o * s) / xs; };
        auto py = [&](double t, double o) { return y1 + (t * s + o * c) / ys; };
        double qx[4] = {px(0, inner), px(length, inner), px(length, outer), px(0, outer)};
        double qy[4] = {py(0, inner), py(length, inner), py(length, outer), py(0, outer)};
        Plot_Set_Fill_Index(0);
        if (plot_state.colour_output) Plot_Fill_Quad(qx, qy);
        Plot_Draw_Line(x1, y1, x2, y2);

        plot_records::Dash_Pattern(2, "0.01 0.55");
        if (plot_state.plot_file_stream != nullptr) Plot_Set_Line_Type(3);
        // Strokes a width apart, as many as fit; a band far longer than wide is hatched
        // over its first strokes only rather than flooding the report.
        constexpr int kMaxStrokes = 10000;
        for (int k = 0; k < kMaxStrokes; ++k) {
            const double t = k * width;
            if (t + width > length + 1e-9) break;
            Plot_Draw_Line(px(t, inner), py(t, inner), px(t + width, outer), py(t + width, outer));
        }
        Plot_Set_Dash_Style(0);
    }
    Plot_End_Group();
}

void Plot_Draw_Leader_Label(double x1, double y1, double x2, double y2, double size,
                            const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = Format_Label(format, args);
    va_end(args);
    const double n = static_cast<double>(text.size());

    Begin_Leader_Label();
    const Leader_Geometry g = Draw_Leader(x1, y1, x2, y2, (n + 1.0) * size);
    Write_Shelf_Text(g, 0.6 * size, 0.2 * size, text);
    Plot_End_Group();
}

void Plot_Draw_Flag_Label(double x1, double y1, double x2, double y2, int flag, double size,
                          const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = Format_Label(format, args);
    va_end(args);
    const double n = static_cast<double>(text.size());

    Begin_Leader_Label();
    const Leader_Geometry g = Draw_Leader(x1, y1, x2, y2, 0.82 * size * (n + 2.0));
    plot_records::Text_Height(size);
    Write_Shelf_Text(g, 0.1 * size, 0.2 * size, text);
    if (flag == 0) {
        const double end = 0.1 * size + 0.82 * size * n;
        const double along[3] = {end + 0.1 * size, end + 0.1 * size, end + 0.5 * size};
        const double above[3] = {0.15 * size, 0.65 * size, 0.4 * size};
        double tx[3], ty[3];
        for (int i = 0; i < 3; ++i) Shelf_Point(g, along[i], above[i], &tx[i], &ty[i]);
        Plot_Set_Fill_Index(1);
        if (plot_state.colour_output) Plot_Fill_Triangle(tx, ty);
        for (int i = 0; i < 3; ++i) Shelf_Point(g, along[i], above[i], &tx[i], &ty[i]);
        plot_records::Pen_Class(2);
        Plot_Draw_Polyline(3, tx, ty);
    }
    Plot_End_Group();
}
