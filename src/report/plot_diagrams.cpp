#include "report/plot_diagrams.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "report/oli_channel.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_symbol_records.h"
#include "report/plot_texts.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Fill index of the arrowheads and of the diagrams' areas.
constexpr int kArrowFill = 64;
constexpr int kAreaFill = 11;

// Ticks written at most on either side of 0, so that a step far below the range cannot
// flood the report.
constexpr long kMaxTicks = 1000;

// Width of a character of the labels, in text heights.
constexpr double kCharWidthFactor = 0.8;

// A graphic block must not open inside a paragraph block of the report text.
void End_Open_Paragraph(FILE* stream)
{
    if (stream == nullptr) return;
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);
}

double Page_X_Sign() { return plot_state.x_direction == 1 ? 1.0 : -1.0; }
double Page_Y_Sign() { return plot_state.y_mirror_mode == 2 ? -1.0 : 1.0; }

// "%.<decimals>f" (or "lf") built for a number of decimals.
std::string Decimals_Format(int decimals, const char* length = "")
{
    char format[16];
    std::snprintf(format, sizeof format, "%%.%d%sf", decimals, length);
    return format;
}

// Tick values of the step within [low, high]: 0 and the positive multiples first, then
// the negative ones, each side at most kMaxTicks.
std::vector<double> Tick_Values(double low, double high, double step)
{
    std::vector<double> ticks;
    const double eps = step * 1e-6;
    const double first = std::max(0.0, std::ceil((low - eps) / step));
    const double last = std::floor((high + eps) / step);
    for (double k = first, n = 0; k <= last && n < kMaxTicks; k += 1.0, ++n) ticks.push_back(k * step);
    const double first_neg = std::max(1.0, std::ceil(-(high + eps) / step));
    const double last_neg = std::floor(-(low - eps) / step);
    for (double k = first_neg, n = 0; k <= last_neg && n < kMaxTicks; k += 1.0, ++n)
        ticks.push_back(-k * step);
    return ticks;
}

// One axis of a diagram frame, along x (along_x set) or along y.
struct Axis {
    bool along_x;
    double low, high, step;
    double other_low, other_high;
    const std::string* caption;
    int grid;

    // (a along the axis, b across it) in drawing units.
    double X(double a, double b) const { return along_x ? a : b; }
    double Y(double a, double b) const { return along_x ? b : a; }
    // A length in record units along and across the axis, in drawing units, the way the
    // page runs.
    double Along(double length) const
    {
        return along_x ? length / plot_state.x_scale : length / plot_state.y_scale;
    }
    double Across(double length) const
    {
        return along_x ? Page_Y_Sign() * length / plot_state.y_scale
                       : Page_X_Sign() * length / plot_state.x_scale;
    }

    void Line(double a1, double b1, double a2, double b2) const
    {
        Plot_Draw_Line(X(a1, b1), Y(a1, b1), X(a2, b2), Y(a2, b2));
    }

    void Draw() const
    {
        plot_records::Pen_Class(1);
        Plot_Set_Dash_Style(0);
        Line(low, 0.0, high, 0.0);

        const double tip = high + Along(0.1);
        const double half = Across(0.04);
        double hx[3] = {X(tip, 0.0), X(high, half), X(high, -half)};
        double hy[3] = {Y(tip, 0.0), Y(high, half), Y(high, -half)};
        Plot_Set_Fill_Index(kArrowFill);
        if (plot_state.colour_output) {
            double fx[3] = {hx[0], hx[1], hx[2]}, fy[3] = {hy[0], hy[1], hy[2]};
            Plot_Fill_Triangle(fx, fy);
        }
        Plot_Draw_Polyline(3, hx, hy);
        if (!caption->empty()) {
            const double at = tip + Along(0.1);
            // The x caption on the right of the arrow, the y caption above it.
            Plot_Write_Text_Anchored(X(at, 0.0), Y(at, 0.0), along_x ? 4 : 0, along_x ? 3 : 4,
                                     "%s", caption->c_str());
        }

        if (!(step > 0.0)) return;
        const std::vector<double> ticks = Tick_Values(low, high, step);
        const int decimals = step < 0.1 ? 2 : (step < 1.0 ? 1 : 0);
        const std::string format = Decimals_Format(decimals);
        plot_records::Text_Height(0.2);
        for (double t : ticks) {
            const double b = -Across(0.12);
            char label[64];
            std::snprintf(label, sizeof label, format.c_str(), t);
            // Below the x axis, on the left of the y axis.
            Plot_Write_Text_Anchored(X(t, b), Y(t, b), along_x ? 2 : 4, along_x ? 4 : 1, "%s",
                                     label);
        }
        plot_records::Pen_Class(2);
        for (double t : ticks) Line(t, 0.0, t, -Across(0.08));
        if (grid) {
            plot_records::Pen_Class(1);
            Plot_Set_Dash_Style(2);
            for (double t : ticks) Line(t, other_low, t, other_high);
            Plot_Set_Dash_Style(0);
        }
    }
};

// The inner box of a curve diagram; false when too small.
struct Curve_Box {
    double x0, y0, x1, y1;  // inner box, drawing units
    double hx, hy;          // the text height in drawing units
    double outer_x0, outer_x1;
};

bool Make_Curve_Box(double x0, double y0, double x1, double y1, bool title, double height,
                    Curve_Box* box)
{
    box->hx = height / plot_state.x_scale;
    box->hy = height / plot_state.y_scale;
    box->outer_x0 = std::min(x0, x1);
    box->outer_x1 = std::max(x0, x1);
    box->x0 = box->outer_x0 + box->hx;
    box->x1 = box->outer_x1 - box->hx;
    box->y0 = std::min(y0, y1) + box->hy;
    box->y1 = std::max(y0, y1) - box->hy - (title ? 1.3 * box->hy : 0.0);
    return box->x1 - box->x0 + 0.04 >= 0.1 && box->y1 - box->y0 >= 0.1;
}

// Smallest and largest value, each range widened to include 0.
void Value_Range(int n, const double v[], double* low, double* high)
{
    *low = 0.0;
    *high = 0.0;
    for (int i = 0; i < n; ++i) {
        *low = std::min(*low, v[i]);
        *high = std::max(*high, v[i]);
    }
}

// Decimals of labels that follow the range of the values.
int Range_Decimals(double range)
{
    if (range >= 100.0) return 0;
    if (range >= 10.0) return 1;
    if (range >= 1.0) return 2;
    return 3;
}

std::string Value_Format(double range)
{
    const int decimals = Range_Decimals(range);
    return decimals == 0 ? std::string("%.0lf") : Decimals_Format(decimals, "l");
}

// The filled and outlined area of the points (closed by the zero line through the first
// and the last point).
void Draw_Area(std::vector<double>& x, std::vector<double>& y, bool only_with_colour)
{
    std::vector<double> fx = x, fy = y;
    const int n = static_cast<int>(x.size());
    Plot_Set_Fill_Index(kAreaFill);
    if (only_with_colour)
        Plot_Fill_Polygon_If_Colour(n, fx.data(), fy.data());
    else
        Plot_Fill_Polygon(n, fx.data(), fy.data());
    plot_records::Record_6(0.015);
    Plot_Draw_Polyline(n, x.data(), y.data());
}

bool Has_Text(const char* text) { return text != nullptr && text[0] != '\0'; }

}  // namespace

Diagram_Options* Diagram_Options_Defaults(Diagram_Options* o)
{
    if (o == nullptr) return nullptr;
    o->width = 5.0;
    o->height = 5.0;
    o->margin_top = o->margin_right = o->margin_bottom = o->margin_left = 0.5;
    o->x_min = 0.0;
    o->x_max = 100.0;
    o->y_min = 0.0;
    o->y_max = 100.0;
    o->x_direction = 1;
    o->y_direction = 0;
    o->x_tick_step = -1.0;
    o->y_tick_step = -1.0;
    o->grid = 0;
    o->x_caption.clear();
    o->y_caption.clear();
    return o;
}

void Plot_Draw_Diagram_Frame(FILE* stream, const Diagram_Options* o)
{
    plot_state.diagram_switch = 1;
    if (o == nullptr) {
        plot_state.diagram_switch = 0;
        return;
    }
    const double x_range = o->x_max - o->x_min;
    const double y_range = o->y_max - o->y_min;
    const double plot_width = o->width - o->margin_left - o->margin_right;
    const double plot_height = o->height - o->margin_top - o->margin_bottom;
    if (!(Round_To_Decimals(x_range, 3) > 0.0) || !(Round_To_Decimals(y_range, 3) > 0.0) ||
        !(plot_width > 0.0) || !(plot_height > 0.0)) {
        plot_state.diagram_switch = 0;
        return;
    }
    const double xs = plot_width / x_range;
    const double ys = plot_height / y_range;
    double wx1 = o->x_min - o->margin_left / xs, wx2 = o->x_max + o->margin_right / xs;
    double wy1 = o->y_min - o->margin_bottom / ys, wy2 = o->y_max + o->margin_top / ys;
    if (o->x_direction != 1) Swap_Doubles(&wx1, &wx2);
    if (o->y_direction != 0) Swap_Doubles(&wy1, &wy2);

    End_Open_Paragraph(stream);
    Plot_Begin_Graphic(stream, wx1, wy1, wx2, wy2, xs, ys, 0.0, nullptr);
    plot_records::Text_Height(0.25);
    plot_records::Record_16(2.0);
    const Axis x_axis{true, o->x_min, o->x_max, o->x_tick_step, o->y_min, o->y_max, &o->x_caption, o->grid};
    const Axis y_axis{false, o->y_min, o->y_max, o->y_tick_step, o->x_min, o->x_max, &o->y_caption, o->grid};
    x_axis.Draw();
    y_axis.Draw();
}

void Plot_End_Diagram()
{
    if (plot_state.diagram_switch) Plot_End_Graphic_Block();
}

void Plot_Write_Curve_Graphic(FILE* stream, int n, const double x[], const double y[],
                              int closed, const char* caption, double width, double height)
{
    (void)caption;
    if (!plot_state.diagram_switch || n < 1 || x == nullptr || y == nullptr) return;
    double x_low, x_high, y_low, y_high;
    Value_Range(n, x, &x_low, &x_high);
    Value_Range(n, y, &y_low, &y_high);
    const double x_range = x_high - x_low, y_range = y_high - y_low;
    if (!(x_range > 0.0) || !(y_range > 0.0) || !(width > 0.0) || !(height > 0.0)) return;

    End_Open_Paragraph(stream);
    Plot_Begin_Graphic(stream, x_low, y_low, x_high, y_high, width / x_range, height / y_range,
                       0.0, nullptr);
    Plot_Draw_Polyline(closed ? n : -n, x, y);
    Plot_End_Graphic_Block();
}

void Plot_Draw_Curve_Diagram(double x0, double y0, double x1, double y1,
                             const double positions[], const double values[], int n,
                             const char* axis_text, const char* title, double text_height)
{
    if (n < 2 || n > 100 || positions == nullptr || values == nullptr) return;
    const double p_low = *std::min_element(positions, positions + n);
    const double p_high = *std::max_element(positions, positions + n);
    if (!(p_high - p_low >= 0.1)) return;
    Curve_Box box;
    if (!Make_Curve_Box(x0, y0, x1, y1, Has_Text(title), text_height, &box)) return;
    double v_low, v_high;
    Value_Range(n, values, &v_low, &v_high);
    const double v_range = v_high - v_low > 0.0 ? v_high - v_low : 1.0;

    auto X = [&](double v) { return box.x0 + (v - v_low) / v_range * (box.x1 - box.x0); };
    auto Y = [&](double p) { return box.y0 + (p - p_low) / (p_high - p_low) * (box.y1 - box.y0); };

    Plot_Begin_Group();
    std::vector<double> ax, ay;
    ax.push_back(X(0.0));
    ay.push_back(Y(positions[0]));
    for (int i = 0; i < n; ++i) {
        ax.push_back(X(values[i]));
        ay.push_back(Y(positions[i]));
    }
    ax.push_back(X(0.0));
    ay.push_back(Y(positions[n - 1]));
    Draw_Area(ax, ay, true);

    plot_records::Record_6(0.04);
    Plot_Draw_Line(X(0.0), box.y0, X(0.0), box.y1);
    Plot_Draw_Line(box.x0, box.y0, box.x1, box.y0);

    // The extreme values marked on the bottom axis.
    std::vector<double> marks = {v_low};
    if (v_high != v_low) marks.push_back(v_high);
    if (v_low != 0.0 && v_high != 0.0) marks.push_back(0.0);
    const double below = Page_Y_Sign() * box.hy;
    plot_records::Record_6(0.01);
    for (double v : marks) Plot_Draw_Line(X(v), box.y0, X(v), box.y0 - 0.2 * below);
    plot_records::Record_8(6);
    plot_records::Text_Height(0.8 * text_height);
    const std::string format = Value_Format(v_high - v_low);
    for (double v : marks) {
        char label[64];
        std::snprintf(label, sizeof label, format.c_str(), v);
        Plot_Write_Text_Anchored(X(v), box.y0 - 0.25 * below, 2, 4, "%s", label);
    }

    plot_records::Text_Style(0);
    plot_records::Record_23(1, 0);
    plot_records::Text_Height(text_height);
    if (Has_Text(axis_text)) {
        Plot_Set_Text_Angle(kPi / 2.0);
        Plot_Write_Text_Centred_Angled(X(0.0) - Page_X_Sign() * 0.6 * box.hx,
                                       0.5 * (box.y0 + box.y1), axis_text);
    }
    if (Has_Text(title))
        Plot_Write_Text_Centred(0.5 * (box.outer_x0 + box.outer_x1), box.y1 + 0.8 * Page_Y_Sign() * box.hy,
                                title);
    Plot_End_Group();
}

void Plot_Draw_Curve_Diagram_Upright(double x0, double y0, double x1, double y1,
                                     double first_position, double last_position,
                                     const double values[], int n, int label_all,
                                     const char* title, double text_height)
{
    if (n < 2 || n > 100 || values == nullptr) return;
    const double span = last_position - first_position;
    if (!(std::fabs(span) >= 0.1)) return;
    Curve_Box box;
    if (!Make_Curve_Box(x0, y0, x1, y1, Has_Text(title), text_height, &box)) return;
    double v_low, v_high;
    Value_Range(n, values, &v_low, &v_high);
    const double v_range = v_high - v_low > 0.0 ? v_high - v_low : 1.0;

    // Positions run along the box's width from its left edge, values up its height.
    auto X = [&](int i) { return box.x0 + static_cast<double>(i) / (n - 1) * (box.x1 - box.x0); };
    auto Y = [&](double v) { return box.y0 + (v - v_low) / v_range * (box.y1 - box.y0); };

    Plot_Begin_Group();
    std::vector<double> ax, ay;
    ax.push_back(X(0));
    ay.push_back(Y(0.0));
    for (int i = 0; i < n; ++i) {
        ax.push_back(X(i));
        ay.push_back(Y(values[i]));
    }
    ax.push_back(X(n - 1));
    ay.push_back(Y(0.0));
    Draw_Area(ax, ay, false);

    plot_records::Record_6(0.04);
    Plot_Draw_Line(box.x0, Y(0.0), box.x1, Y(0.0));

    plot_records::Record_8(6);
    const double label_height = 0.8 * text_height;
    plot_records::Text_Height(label_height);
    const std::string format = Value_Format(v_high - v_low);
    const int i_max = Find_Extreme_Index(n, values, 1);
    const int i_min = Find_Extreme_Index(n, values, 0);
    for (int i = 0; i < n; ++i) {
        if (!label_all && i != i_max && i != i_min) continue;
        char label[64];
        std::snprintf(label, sizeof label, format.c_str(), values[i]);
        // The upright label stands beyond its value, clear of the curve.
        const double reach = 0.5 * std::strlen(label) * kCharWidthFactor * label_height + 0.1;
        const double outwards = values[i] < 0.0 ? -1.0 : 1.0;
        Plot_Write_Text_Upright(X(i), Y(values[i]) + outwards * Page_Y_Sign() * reach / plot_state.y_scale,
                                label);
    }
    if (Has_Text(title)) {
        plot_records::Text_Height(text_height);
        Plot_Write_Text_Centred(0.5 * (box.outer_x0 + box.outer_x1), box.y1 + 0.8 * Page_Y_Sign() * box.hy,
                                title);
    }
    Plot_End_Group();
}
