#include "report/plot_arrows.h"

#include <cmath>
#include <cstring>

#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
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

FILE* Graphic() { return plot_state.plot_graphic_stream; }

const char* Or_Empty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

void Plot_Draw_Arrow_Symbol(double x, double y, double angle, double length,
                            double head_length, double head_width, int kind)
{
    Plot_Begin_Group();

    // Tip, the two head corners, tail and head base in the arrow's own frame (pointing
    // along +x), then turned by the angle and moved to the tip.
    enum { TIP, CORNER1, CORNER2, TAIL, BASE };
    double px[5] = {0.0, -head_length, -head_length, -length, -head_length};
    double py[5] = {0.0, -head_width / 2.0, head_width / 2.0, 0.0, 0.0};
    Untransform_Points(px, py, 5, 0.0, 0.0, angle, 1.0);
    Untransform_Points(px, py, 5, x, y, 0.0, 1.0);

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
