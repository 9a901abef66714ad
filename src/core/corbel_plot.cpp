#include "core/corbel_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/utilities.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_labels.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_texts.h"
#include "report/string_format.h"

// Zero-initialised: before the first Init_Plot_Colours every entry reads as black, and
// entry 29, which Init_Plot_Colours leaves alone, stays black for the whole run.
Plot_Colour_Entry plot_colour_table[PLOT_COLOUR_TABLE_SIZE];

int32_t plot_black = 0;
int32_t plot_foreground = 0;
int32_t plot_white = 1;
int32_t plot_background = 1;
int32_t plot_grey = 2;
int32_t plot_light_red = 3;
int32_t plot_red = 4;
int32_t plot_light_blue = 5;
int32_t plot_blue = 6;
int32_t plot_dark_blue = 7;
int32_t plot_light_green = 8;
int32_t plot_dark_green = 9;
int32_t plot_green = 10;
int32_t plot_light_yellow = 11;
int32_t plot_yellow = 12;
int32_t plot_brown = 13;
int32_t plot_brown_alt = 13;
int32_t plot_olive = 14;
int32_t plot_light_grey = 15;
int32_t plot_slate = 16;
int32_t plot_pale_grey = 17;
int32_t plot_off_white = 18;
int32_t plot_purple = 19;
int32_t plot_crimson = 20;

int32_t plot_fill_style_a = 34;
int32_t plot_fill_style_b = 43;
int32_t plot_fill_style_c = 26;
int32_t plot_fill_style_d = 59;

namespace {

constexpr double kStepsPerDegree = 0.08888888888888889;  // 16/180: steps of pi/16
constexpr double kStep = 0.19634954084936207;             // pi/16
constexpr int kArcFillIndex = 64;
constexpr int kMaxPolygonCorners = 64;
constexpr int kMaxArcSteps = 32;  // one full turn in steps of pi/16

// The fixed values of entries 0 .. 20.
constexpr Plot_Colour_Entry kColours[] = {
    {0, 0, 0},       {255, 255, 255}, {110, 110, 110}, {255, 100, 100}, {255, 50, 50},
    {125, 125, 255}, {30, 30, 255},   {30, 30, 150},   {100, 255, 100}, {0, 98, 0},
    {30, 150, 30},   {255, 255, 100}, {255, 255, 50},  {128, 64, 0},    {128, 128, 0},
    {224, 224, 224}, {72, 69, 126},   {233, 233, 233}, {250, 250, 250}, {165, 75, 165},
    {171, 12, 36},
};
constexpr int kFixedColours = sizeof(kColours) / sizeof(kColours[0]);
constexpr int kUntouchedEntry = 29;

bool Is_Set(int k)
{
    if (k < 0 || k >= PLOT_COLOUR_TABLE_SIZE) return false;
    const Plot_Colour_Entry& e = plot_colour_table[k];
    return e.red >= 0 && e.green >= 0 && e.blue >= 0;
}

void Pen_Record(int pen)
{
    Write_If_Open(plot_state.plot_graphic_stream, " 4 %d\n", pen);
}

}  // namespace

void Init_Plot_Colours()
{
    for (int k = 0; k < PLOT_COLOUR_TABLE_SIZE; ++k) {
        if (k == kUntouchedEntry) continue;
        plot_colour_table[k] = k < kFixedColours ? kColours[k] : Plot_Colour_Entry{-1, -1, -1};
    }
    plot_black = plot_foreground = 0;
    plot_white = plot_background = 1;
    plot_grey = 2;
    plot_light_red = 3;
    plot_red = 4;
    plot_light_blue = 5;
    plot_blue = 6;
    plot_dark_blue = 7;
    plot_light_green = 8;
    plot_dark_green = 9;
    plot_green = 10;
    plot_light_yellow = 11;
    plot_yellow = 12;
    plot_brown = plot_brown_alt = 13;
    plot_olive = 14;
    plot_light_grey = 15;
    plot_slate = 16;
    plot_pale_grey = 17;
    plot_off_white = 18;
    plot_purple = 19;
    plot_crimson = 20;
    plot_fill_style_a = 34;
    plot_fill_style_b = 43;
    plot_fill_style_c = 26;
    plot_fill_style_d = 59;
}

void Set_Plot_Colour(int k)
{
    if (!Is_Set(k)) return;
    const Plot_Colour_Entry& e = plot_colour_table[k];
    Plot_Set_Fill_Colour_RGB(e.red, e.green, e.blue);
}

int Get_Plot_Colour(int k, int* red, int* green, int* blue)
{
    if (red) *red = 0;
    if (green) *green = 0;
    if (blue) *blue = 0;
    if (!Is_Set(k)) return 1;
    if (red) *red = plot_colour_table[k].red;
    if (green) *green = plot_colour_table[k].green;
    if (blue) *blue = plot_colour_table[k].blue;
    return 0;
}

void Set_Plot_Background_Foreground(int background, int foreground)
{
    plot_background = background;
    plot_foreground = foreground;
}

void Plot_Coloured_Line(double x1, double y1, double x2, double y2, int colour, int pen)
{
    if (colour < 0 || pen < 0) return;
    Plot_Begin_Group();
    Set_Plot_Colour(colour);
    Pen_Record(pen);
    Plot_Draw_Line(x1, y1, x2, y2);
    Plot_End_Group();
}

void Plot_Circle_With_Outline(double x, double y, double r, int fill_colour, int fill_index,
                              int pen, int outline_colour)
{
    Plot_Begin_Group();
    if (fill_colour >= 0) {
        Set_Plot_Colour(fill_colour);
        Plot_Set_Fill_Index(fill_index);
        Plot_Fill_Disc(x, y, 2.0 * r);
    }
    if (pen >= 0) {
        Pen_Record(pen);
        Set_Plot_Colour(outline_colour);
    }
    Plot_Draw_Arc(x, y, 2.0 * r, 0.0, 360.0);
    Plot_End_Group();
}

void Plot_Band(double x1, double y1, double x2, double y2, double width, int line_flag)
{
    if (std::fabs(width) < 0.01) {
        Plot_Draw_Line(x1, y1, x2, y2);
        return;
    }
    const double a = std::atan2(y2 - y1, x2 - x1);
    const double h = width / 2.0;
    const double hs = h * std::sin(a);
    const double hc = h * std::cos(a);
    if (line_flag != 0) Plot_Draw_Line(x1, y1, x2, y2);
    double x[4] = {x1 - hs, x2 - hs, x2 + hs, x1 + hs};
    double y[4] = {y1 + hc, y2 + hc, y2 - hc, y1 - hc};
    Plot_Fill_Polygon_If_Colour(4, x, y);
}

void Plot_Coloured_Arc(double cx, double cy, double r, double start_deg, double sweep_deg,
                       int fill_colour, int fill_index, int line_colour, double band_width,
                       int line_flag)
{
    if (!(sweep_deg >= 0.001)) return;
    Plot_Begin_Group();
    const int i0 = Round_To_Int32(start_deg * kStepsPerDegree);
    int i1 = Round_To_Int32((start_deg + sweep_deg) * kStepsPerDegree);
    // A sweep of up to 360 degrees gives at most 33 points; a longer one is drawn as one
    // full turn.
    if (static_cast<long long>(i1) - i0 > kMaxArcSteps) i1 = i0 + kMaxArcSteps;
    std::vector<double> x, y;
    for (long long k = i0; k <= i1; ++k) {
        x.push_back(cx - r * std::cos(static_cast<double>(k) * kStep));
        y.push_back(cy + r * std::sin(static_cast<double>(k) * kStep));
    }
    const int count = static_cast<int>(x.size());
    if (fill_colour >= 0) {
        Set_Plot_Colour(fill_colour);
        Plot_Set_Fill_Index(fill_index);
        if (count > 0) Plot_Fill_Polygon_If_Colour(count, x.data(), y.data());
    }
    if (line_colour >= 0) {
        Set_Plot_Colour(line_colour);
        Plot_Set_Fill_Index(kArcFillIndex);
        for (int k = 1; k < count; ++k)
            Plot_Band(x[k - 1], y[k - 1], x[k], y[k], band_width, line_flag);
    }
    Plot_End_Group();
}

void Plot_Bar_Label(double x, double y, int count, double diameter, double spacing)
{
    if (!(diameter >= 0.001)) return;
    const bool spaced = spacing > 0.01;
    if (count <= 0 && !spaced) return;
    const double mm = 10.0 * diameter;
    const int m = Round_To_Int32(mm);
    const bool whole = std::fabs(m - mm) < 0.01;

    // The values are unbounded (a spacing of any size may be entered), so the text is
    // built to whatever length they need.
    std::string text;
    const char* blanks;
    if (count > 0) {
        if (spaced) {
            text = whole ? Format_String("%d\x8C%d/%.0lf", count, m, spacing)
                         : Format_String("%d\x8C%.1lf/%.1lf", count, mm, spacing);
            blanks = whole ? "    " : "     ";
        } else {
            text = whole ? Format_String("%d\x8C%d", count, m)
                         : Format_String("%d\x8C%.1lf", count, mm);
            blanks = whole ? "   " : "    ";
        }
    } else {
        text = whole ? Format_String("\x8C%d/%.0lf", m, spacing)
                     : Format_String("\x8C%.1lf/%.1lf", mm, spacing);
        blanks = whole ? "   " : "    ";
    }
    Plot_Begin_Group();
    Plot_Write_Sized_Label_Box(x, y, 0.2, blanks);
    Set_Plot_Colour(plot_black);
    Plot_Write_Text_Centred(x, y, text.c_str());
    Plot_End_Group();
}

void Plot_Regular_Polygon_Ring(double x, double y, double R, double r, int n, int fill_colour,
                               int fill_index, int pen_flag, int outline_colour)
{
    if (fill_colour < 0 || n > kMaxPolygonCorners || n < 1) return;
    if (pen_flag < 0 && outline_colour < 0) return;
    const bool ring = (r > 0.0 && r < R) || (r < 0.0 && r > R);
    const double step = 2.0 * M_PI / n;
    std::vector<double> px, py;
    for (int i = 0; i <= (ring ? n : n - 1); ++i) {
        px.push_back(x + R * std::cos(step * i));
        py.push_back(y + R * std::sin(step * i));
    }
    if (ring) {
        for (int i = n; i >= 0; --i) {
            px.push_back(x + r * std::cos(step * i));
            py.push_back(y + r * std::sin(step * i));
        }
    }
    Plot_Begin_Group();
    Set_Plot_Colour(fill_colour);
    Plot_Set_Fill_Index(fill_index);
    Plot_Fill_Polygon_If_Colour(static_cast<int>(px.size()), px.data(), py.data());
    if (pen_flag >= 0 && outline_colour >= 0) {
        Set_Plot_Colour(outline_colour);
        Pen_Record(2);
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            Plot_Draw_Line(x + R * std::cos(step * i), y + R * std::sin(step * i),
                           x + R * std::cos(step * j), y + R * std::sin(step * j));
            if (ring)
                Plot_Draw_Line(x + r * std::cos(step * i), y + r * std::sin(step * i),
                               x + r * std::cos(step * j), y + r * std::sin(step * j));
        }
    }
    Plot_End_Group();
}

int32_t Round_To_Int32(double x)
{
    if (std::isnan(x)) return 0;
    const double v = std::trunc(std::fabs(x) + 0.5555555555555556);
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    if (x >= 0.0) return v >= kMax ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(v);
    return v >= kMax + 1.0 ? std::numeric_limits<int32_t>::min() : -static_cast<int32_t>(v);
}

double Snap_Unit_Values(double x)
{
    if (std::fabs(x) < 0.001) return 0.0;
    if (std::fabs(x - 1.0) < 0.001) return 1.0;
    if (std::fabs(x + 1.0) < 0.001) return -1.0;
    return x;
}

double Chamfer_Reach(double full, double rise, double lk, double hk2)
{
    if (!(hk2 > 0.01) || !(lk > 0.0)) return full;
    return std::clamp(rise * lk / hk2, 0.0, full);
}
