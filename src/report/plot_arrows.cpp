#include "report/plot_arrows.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_labels.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_symbol_records.h"
#include "report/plot_texts.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

// Arrowheads of the dimension line: strokes of 0.35 record units at 18 degrees.
constexpr double kStrokeLength = 0.35;
constexpr double kStrokeAngle = kPi / 10.0;
// Half the gap per character of a text standing in the line, in record units.
constexpr double kGapPerCharacter = 0.0625;
// Distance of the texts from the line and their height, in record units.
constexpr double kTextDistance = 0.2;
constexpr double kTextHeight = 0.25;

// Load arrows: the head is 0.15 of the arrow long and 0.075 of it wide on either side; the
// text (height 0.22, after record 8 with 6) stands 1.5 head lengths beyond the tail.
constexpr double kLoadHeadLength = 0.15;
constexpr double kLoadHeadHalfWidth = 0.075;
constexpr double kLoadTextBeyond = 1.5;
constexpr double kLoadTextHeight = 0.22;
constexpr int kLoadTextRecord8 = 6;
// A row of load arrows: one per 0.2 record units of width, at least 2; nothing when the
// ends' x values lie closer than this.
constexpr double kLoadArrowSpacing = 0.2;
constexpr double kSameX = 1e-5;
// Line loads: intervals of the length divided by these (at least one); the arrowheads
// 0.35 and 0.22 of the arrow long and wide.
constexpr double kAxialInterval = 300.0;
constexpr double kLineLoadInterval = 200.0;
constexpr double kLineHeadLength = 0.35;
constexpr double kLineHeadWidth = 0.22;
// Arrows drawn at most in one row or along one line, so that a load far longer than its
// spacing cannot flood the report.
constexpr int kMaxLoadArrows = 1000;

FILE* Graphic() { return plot_state.plot_graphic_stream; }

const char* Or_Empty(const char* text) { return text != nullptr ? text : ""; }

// The five points of an arrow, in the order of the arrays below.
enum { TIP, CORNER1, CORNER2, TAIL, BASE };

// The lines and the head of an arrow of the kind from its five points, inside a group
// the caller has opened.
void Draw_Arrow_Parts(const double px[5], const double py[5], int kind)
{
    switch (kind) {
    case PLOT_ARROW_OPEN:
        Plot_Draw_Line(px[TIP], py[TIP], px[TAIL], py[TAIL]);
        Plot_Draw_Line(px[TIP], py[TIP], px[CORNER1], py[CORNER1]);
        Plot_Draw_Line(px[TIP], py[TIP], px[CORNER2], py[CORNER2]);
        break;
    case PLOT_ARROW_OUTLINED: {
        Plot_Draw_Line(px[BASE], py[BASE], px[TAIL], py[TAIL]);
        const double hx[3] = {px[TIP], px[CORNER1], px[CORNER2]};
        const double hy[3] = {py[TIP], py[CORNER1], py[CORNER2]};
        Plot_Draw_Polyline(3, hx, hy);
        break;
    }
    case PLOT_ARROW_FILLED:
        Plot_Set_Fill_Index(PLOT_ARROW_FILL_INDEX);
        Plot_Draw_Line(px[BASE], py[BASE], px[TAIL], py[TAIL]);
        if (plot_state.colour_output) {
            double hx[3] = {px[TIP], px[CORNER1], px[CORNER2]};
            double hy[3] = {py[TIP], py[CORNER1], py[CORNER2]};
            Plot_Fill_Triangle(hx, hy);
        }
        break;
    default:
        break;
    }
}

bool All_Finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// One load arrow as a group: pen class 2, solid lines, the filled arrow with its tip at
// (x, y) and its tail length away (towards +y when upright, else towards +x), and the
// text beyond the tail, anchored on the side away from the arrow (by the sign of the
// length as given: text_sign).
void Load_Arrow(double x, double y, double length, bool upright, double text_sign,
                const char* text)
{
    Plot_Begin_Group();
    plot_records::Pen_Class(2);
    Plot_Set_Dash_Style(0);
    const double h = kLoadHeadLength * length;
    const double w = kLoadHeadHalfWidth * std::fabs(length);
    // The same points as the arrow symbol pointing down (angle -pi/2) or left (angle pi).
    if (upright) {
        const double px[5] = {x, x - w, x + w, x, x};
        const double py[5] = {y, y + h, y + h, y + length, y + h};
        Draw_Arrow_Parts(px, py, PLOT_ARROW_FILLED);
    } else {
        const double px[5] = {x, x + h, x + h, x + length, x + h};
        const double py[5] = {y, y + w, y - w, y, y};
        Draw_Arrow_Parts(px, py, PLOT_ARROW_FILLED);
    }
    if (text != nullptr && text[0] != '\0') {
        const double beyond = length + kLoadTextBeyond * h;
        plot_records::Text_Height(kLoadTextHeight);
        plot_records::Record_8(kLoadTextRecord8);
        if (upright)
            Plot_Write_Text_Anchored(x, y + beyond, text_sign < 0.0 ? 2 : 0, 4, "%s", text);
        else
            Plot_Write_Text_Anchored(x + beyond, y, 4, text_sign < 0.0 ? 1 : 3, "%s", text);
    }
    Plot_End_Group();
}

// A downward load arrow's length in drawing units: turned where the window's y runs down
// the page, so that the arrow points down on the page.
double Downward(double length) { return plot_state.y_mirror_mode == 2 ? -length : length; }

// The row of downward load arrows of the uniform and the varying load.
void Load_Row(double x1, double y1, double x2, double y2, double length1, double length2,
              double text_height, const char* text)
{
    if (!All_Finite({x1, y1, x2, y2, length1, length2, text_height})) return;
    if (!(std::fabs(x2 - x1) >= kSameX)) return;
    const double slots = std::floor(std::fabs(x2 - x1) * plot_state.x_scale / kLoadArrowSpacing);
    int n = 2;
    if (slots >= kMaxLoadArrows)
        n = kMaxLoadArrows;
    else if (slots > 2.0)
        n = static_cast<int>(slots);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / (n - 1);
        const double length = length1 + (length2 - length1) * t;
        Load_Arrow(x1 + (x2 - x1) * t, y1 + (y2 - y1) * t, Downward(length), true, length, nullptr);
    }
    const double tx1 = x1, ty1 = y1 + Downward(length1);
    const double tx2 = x2, ty2 = y2 + Downward(length2);
    Plot_Draw_Line(tx1, ty1, tx2, ty2);
    if (text != nullptr && text[0] != '\0')
        Plot_Write_Sized_Label_Box((tx1 + tx2) / 2.0, (ty1 + ty2) / 2.0, text_height, text);
}

// Number of intervals of a line load: the length divided by the spacing, at least one.
int Load_Intervals(double length, double spacing)
{
    const double whole = std::floor(length / spacing);
    if (whole >= kMaxLoadArrows) return kMaxLoadArrows;
    return whole > 1.0 ? static_cast<int>(whole) : 1;
}

// A line load standing off the segment in the direction (dx, dy) (unit length).
void Line_Load(double x1, double y1, double x2, double y2, double value1, double value2,
               double dx, double dy)
{
    const double length = std::hypot(x2 - x1, y2 - y1);
    if (!All_Finite({x1, y1, x2, y2, value1, value2, length}) || !(length > 0.0)) return;
    Plot_Draw_Line(x1, y1, x2, y2);
    const double ox[4] = {x1, x1 + value1 * dx, x2 + value2 * dx, x2};
    const double oy[4] = {y1, y1 + value1 * dy, y2 + value2 * dy, y2};
    Plot_Draw_Polyline(-4, ox, oy);
    const int n = Load_Intervals(length, kLineLoadInterval);
    for (int i = 0; i < n; ++i) {
        const double t = (i + 0.5) / n;
        const double value = value1 + (value2 - value1) * t;
        if (value == 0.0) continue;  // no arrow to point
        const double tip_x = x1 + (x2 - x1) * t, tip_y = y1 + (y2 - y1) * t;
        const double size = std::fabs(value);
        Plot_Draw_Arrow(tip_x, tip_y, tip_x + value * dx, tip_y + value * dy,
                        kLineHeadLength * size, kLineHeadWidth * size);
    }
}

}  // namespace

void Plot_Draw_Arrow_Symbol(double x, double y, double angle, double length,
                            double head_length, double head_width, int kind)
{
    Plot_Begin_Group();
    // The points in the arrow's own frame (pointing along +x), then turned by the angle
    // and moved to the tip.
    double px[5] = {0.0, -head_length, -head_length, -length, -head_length};
    double py[5] = {0.0, -head_width / 2.0, head_width / 2.0, 0.0, 0.0};
    Untransform_Points(px, py, 5, 0.0, 0.0, angle, 1.0);
    Untransform_Points(px, py, 5, x, y, 0.0, 1.0);
    Draw_Arrow_Parts(px, py, kind);
    Plot_End_Group();
}

void Plot_Draw_Labelled_Arrow(double x, double y, double angle, double length,
                              double head_length, double head_width, int kind,
                              double text_height, const char* text)
{
    if (angle < 0.0) angle += kTwoPi;
    Plot_Draw_Arrow_Symbol(x, y, angle, length, head_length, head_width, kind);

    const double tail_x = x - length * std::cos(angle);
    const double tail_y = y - length * std::sin(angle);
    // Side codes (vertical: 0 bottom, 4 middle, 2 top; horizontal: 1 right, 4 centre,
    // 3 left) of the point of the text that sits on the tail.
    int vertical = 4, horizontal = 1;  // pointing right: the text ends at the tail
    if (angle >= kPi / 4.0 && angle < 3.0 * kPi / 4.0) {
        vertical = 2;  // pointing up: the text hangs below the tail
        horizontal = 4;
    } else if (angle >= 3.0 * kPi / 4.0 && angle < 5.0 * kPi / 4.0) {
        horizontal = 3;  // pointing left: the text starts at the tail
    } else if (angle >= 5.0 * kPi / 4.0 && angle < 7.0 * kPi / 4.0) {
        vertical = 0;  // pointing down: the text stands on the tail
        horizontal = 4;
    }
    Write_If_Open(Graphic(), " 13 %lf\n", text_height);
    Plot_Write_Text_Anchored(tail_x, tail_y, vertical, horizontal, "%s", Or_Empty(text));
}

void Plot_Draw_Arrow_Between(double x1, double y1, double x2, double y2, double head_length,
                             double head_width, int kind)
{
    const double length = std::hypot(x1 - x2, y1 - y2);
    const double angle = Get_Segment_Angle(x2, y2, x1, y1);
    Plot_Draw_Arrow_Symbol(x1, y1, angle, length, head_length, head_width, kind);
}

void Plot_Draw_Curved_Arrow(double x, double y, double radius, double start_angle,
                            double end_angle, double arrow_length, double head_width,
                            int kind, double text_height, const char* text)
{
    const double r = std::fabs(radius);
    const double degrees_per_radian = PLOT_DEGREES_PER_RADIAN;
    Plot_Draw_Arc(x, y, 2.0 * r, start_angle * degrees_per_radian,
                  (end_angle - start_angle) * degrees_per_radian);
    if (text == nullptr || text[0] == '\0') return;

    const double direction = end_angle + kPi / 2.0;
    const double tip_x = x + r * std::cos(end_angle) + arrow_length * std::cos(direction);
    const double tip_y = y + r * std::sin(end_angle) + arrow_length * std::sin(direction);
    Plot_Draw_Labelled_Arrow(tip_x, tip_y, direction, arrow_length, arrow_length, head_width,
                             kind, text_height, text);
}

void Plot_Draw_Dimension_Line(double x1, double y1, double x2, double y2, const char* text,
                              const char* second_text)
{
    const Plot_State& st = plot_state;
    text = Or_Empty(text);
    second_text = Or_Empty(second_text);

    Plot_Begin_Group();
    Write_If_Open(Graphic(), " 6 %lf\n", 0.017);

    const double a = Get_Segment_Angle(x1, y1, x2, y2);
    const double c = std::cos(a), s = std::sin(a);
    const double mx = (x1 + x2) / 2.0, my = (y1 + y2) / 2.0;
    const double scale = st.larger_scale;

    const double gap =
        text[0] == '\0' ? static_cast<double>(std::strlen(second_text)) * kGapPerCharacter / scale
                        : 0.0;
    Plot_Draw_Line(x1, y1, mx - gap * c, my - gap * s);
    Plot_Draw_Line(mx + gap * c, my + gap * s, x2, y2);

    // Two strokes at each end, drawn from inside the line out to its end point.
    const double stroke = kStrokeLength / scale;
    for (double turn : {kStrokeAngle, -kStrokeAngle})
        Plot_Draw_Line(x1 + stroke * std::cos(a + turn), y1 + stroke * std::sin(a + turn), x1, y1);
    for (double turn : {kStrokeAngle, -kStrokeAngle})
        Plot_Draw_Line(x2 - stroke * std::cos(a + turn), y2 - stroke * std::sin(a + turn), x2, y2);

    Plot_Set_Text_Angle(a);
    Write_If_Open(Graphic(), " 13 %lf\n", kTextHeight);

    const double e = kTextDistance / st.y_scale;
    Plot_Write_Text_Centred_Angled(mx - s * e, my + c * e, text);
    if (text[0] == '\0')
        Plot_Write_Text_Centred_Angled(mx, my, second_text);
    else
        Plot_Write_Text_Centred_Angled(mx + s * e, my - c * e, second_text);

    Plot_End_Group();
}

void Plot_Draw_Load_Arrow_Down(double x, double y, double length, const char* text)
{
    if (!All_Finite({x, y, length})) return;
    Load_Arrow(x, y, Downward(length), true, length, text);
}

void Plot_Draw_Load_Arrow_Side(double x, double y, double length, const char* text)
{
    if (!All_Finite({x, y, length})) return;
    Load_Arrow(x, y, length, false, length, text);
}

void Plot_Draw_Uniform_Load(double x1, double y1, double x2, double y2, double length,
                            double text_height, const char* text)
{
    Load_Row(x1, y1, x2, y2, length, length, text_height, text);
}

void Plot_Draw_Varying_Load(double x1, double y1, double x2, double y2, double length1,
                            double length2, double text_height, const char* text)
{
    Load_Row(x1, y1, x2, y2, length1, length2, text_height, text);
}

void Plot_Draw_Axial_Line_Load(double x1, double y1, double x2, double y2, double value1,
                               double value2)
{
    const double length = std::hypot(x2 - x1, y2 - y1);
    if (!All_Finite({x1, y1, x2, y2, value1, value2, length}) || !(length > 0.0)) return;
    Plot_Draw_Line(x1, y1, x2, y2);
    const int n = Load_Intervals(length, kAxialInterval);
    const double head = length / n;
    for (int i = 0; i < n; ++i) {
        const double a = static_cast<double>(i) / n, b = static_cast<double>(i + 1) / n;
        const double value = value1 + (value2 - value1) * (a + b) / 2.0;
        const double ax = x1 + (x2 - x1) * a, ay = y1 + (y2 - y1) * a;
        const double bx = x1 + (x2 - x1) * b, by = y1 + (y2 - y1) * b;
        if (value > 0.0)
            Plot_Draw_Arrow(bx, by, ax, ay, kLineHeadLength * head, kLineHeadWidth * head);
        else if (value < 0.0)
            Plot_Draw_Arrow(ax, ay, bx, by, kLineHeadLength * head, kLineHeadWidth * head);
    }
}

void Plot_Draw_Line_Load_X(double x1, double y1, double x2, double y2, double value1,
                           double value2)
{
    Line_Load(x1, y1, x2, y2, value1, value2, 1.0, 0.0);
}

void Plot_Draw_Line_Load_Y(double x1, double y1, double x2, double y2, double value1,
                           double value2)
{
    Line_Load(x1, y1, x2, y2, value1, value2, 0.0, 1.0);
}

void Plot_Draw_Line_Load_Normal(double x1, double y1, double x2, double y2, double value1,
                                double value2)
{
    const double length = std::hypot(x2 - x1, y2 - y1);
    if (!std::isfinite(length) || !(length > 0.0)) return;
    Line_Load(x1, y1, x2, y2, value1, value2, -(y2 - y1) / length, (x2 - x1) / length);
}
