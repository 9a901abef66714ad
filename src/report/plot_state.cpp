#include "report/plot_state.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "base/utilities.h"
#include "base/message_sink.h"

Plot_State plot_state = {
    nullptr,              // graphic stream
    nullptr,              // drawing file
    1.0, 1.0,             // x and y scale
    1.0, 1.0,             // smaller and larger scale
    0.3,                  // small-text length
    0.0,                  // rotation
    0.0,                  // text angle
    1.0,                  // orientation sign
    1,                    // x direction
    0,                    // y mirror mode
    0,                    // y backwards
    0.0,                  // mirror sum
    0,                    // dimension toggle
    0,                    // dimension options
    1,                    // dimension flag
    1,                    // colour records
    1,                    // colour output
    1,                    // level marks
    1,                    // diagram switch
    PLOT_REPORT_FORMAT_LEVEL,
    0.0,                  // lightness percent
    {0, 0, 0},            // last fill colour
    {0, 0, 0},            // last line colour
    0,                    // colour slot
    0.0,                  // line-colour factor
    0, -1, 0, 0,          // saved pen, filling, line type, font
    0.0, 0.0,             // saved text angle, rotation
    nullptr,              // remembered graphic stream
    0,                    // graphic redirected
    1e100, 1e100,         // bounding box minimum
    -1e100, -1e100,       // bounding box maximum
    5,                    // colour count
    0,                    // pen
    -1,                   // filling: none
    0,                    // line type
    0,                    // font
    1.0,                  // drawing scale
    1,                    // next point number
    1,                    // next entity number
};

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Beyond this many turns the angle is brought down in one step instead of turn by turn.
constexpr double kManyTurns = kTwoPi * 1.0e6;

FILE* Graphic() { return plot_state.plot_graphic_stream; }

// Length of a caption line that need not be terminated within its 80 characters.
size_t Caption_Length(const char* line)
{
    const void* end = std::memchr(line, 0, PLOT_CAPTION_WIDTH);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - line)
               : static_cast<size_t>(PLOT_CAPTION_WIDTH);
}

void Write_Caption_Group(const Plot_Captions& captions, int first)
{
    int set[3];
    for (int i = 0; i < 3; ++i) set[i] = captions.line[first + i][0] != 0 ? 1 : 0;
    Write_If_Open(Graphic(), " %d %d %d\n", set[0], set[1], set[2]);
    for (int i = 0; i < 3; ++i) {
        if (!set[i]) continue;
        const char* line = captions.line[first + i];
        Write_If_Open(Graphic(), " %.*s\n", static_cast<int>(Caption_Length(line)), line);
    }
}

// One colour channel (0 to 1) in 0 to 255, rounded half away from zero.
int To_Channel(double value)
{
    double v = std::round(value * 255.0);
    if (!(v >= 0.0)) return 0;  // NaN as well
    if (v > 255.0) return 255;
    return static_cast<int>(v);
}

}  // namespace

void Plot_Begin_Graphic(FILE* stream, double x1, double y1, double x2, double y2,
                        double x_scale, double y_scale, double angle,
                        const Plot_Captions* captions)
{
    Plot_State& s = plot_state;
    s.dimension_toggle = 0;
    s.plot_graphic_stream = stream;
    s.x_scale = x_scale;
    s.y_scale = y_scale;
    s.smaller_scale = std::min(x_scale, y_scale);
    s.larger_scale = std::max(x_scale, y_scale);
    s.small_text_length = 0.3 / s.larger_scale;
    s.rotation = angle;
    s.text_angle = 0.0;

    if (Round_To_Decimals(angle, 3) != 0.0) {
        // The window becomes the bounding rectangle of its turned corners; each axis
        // keeps the direction it had.
        double cx[4] = {x1, x2, x2, x1};
        double cy[4] = {y1, y1, y2, y2};
        Transform_Points(cx, cy, 4, 0.0, 0.0, angle, 1.0);
        const double xmin = *std::min_element(cx, cx + 4), xmax = *std::max_element(cx, cx + 4);
        const double ymin = *std::min_element(cy, cy + 4), ymax = *std::max_element(cy, cy + 4);
        const bool x_forwards = x2 > x1, y_forwards = y2 > y1;
        x1 = x_forwards ? xmin : xmax;
        x2 = x_forwards ? xmax : xmin;
        y1 = y_forwards ? ymin : ymax;
        y2 = y_forwards ? ymax : ymin;
    }

    s.mirror_sum = y1 + y2;
    s.y_mirror_mode = (y1 >= y2) ? 2 : 0;
    s.orientation_sign = 1.0;
    s.y_backwards = 0;
    if (x2 > x1) {
        s.x_direction = 1;
        if (!(y2 > y1)) {
            s.y_backwards = 1;
            s.orientation_sign = -1.0;
        }
    } else {
        s.x_direction = 3;
        if (y2 > y1)
            s.orientation_sign = -1.0;
        else
            s.y_backwards = 1;
    }

    if (captions == nullptr) {
        Write_If_Open(Graphic(), "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n");
    } else {
        Write_If_Open(Graphic(), "#SHOWGRAFIC\n");
        Write_Caption_Group(*captions, 0);
        Write_Caption_Group(*captions, 3);
    }
    Write_If_Open(Graphic(), "%d\n", -1);
    Write_If_Open(Graphic(), "%lf %lf %lf %lf\n", x1 * x_scale, x2 * x_scale, y1 * y_scale,
                  y2 * y_scale);
}

void Plot_Begin_Graphic_Uniform(FILE* stream, double x1, double y1, double x2, double y2,
                                double scale, double angle, const Plot_Captions* captions)
{
    Plot_Begin_Graphic(stream, x1, y1, x2, y2, scale, scale, angle, captions);
}

void Plot_End_Graphic_Block()
{
    Write_If_Open(Graphic(), " -1\n");
    plot_state.plot_graphic_stream = nullptr;
}

void Plot_Set_Text_Angle(double radians)
{
    double t = radians * plot_state.orientation_sign;
    if (std::isinf(t)) {
        t = 0.0;  // no direction at all; turning it down would never end
    } else if (t > kManyTurns) {
        t = std::fmod(t, kTwoPi);
    }
    while (t > kTwoPi) t -= kTwoPi;
    plot_state.text_angle = t;
}

double Plot_Get_Text_Angle() { return plot_state.text_angle; }

void Plot_Begin_Group()
{
    Plot_State& s = plot_state;
    Write_If_Open(Graphic(), " 30\n");
    if (s.colour_records) Write_If_Open(Graphic(), " 52\n");
    if (s.plot_file_stream != nullptr) {
        s.saved_pen = s.pen;
        s.saved_filling = s.filling;
        s.saved_line_type = s.line_type;
        s.saved_font = s.font;
    }
    s.saved_text_angle = s.text_angle;
    s.saved_rotation = s.rotation;
}

void Plot_End_Group()
{
    Plot_State& s = plot_state;
    Write_If_Open(Graphic(), " 31\n");
    if (s.colour_records) Write_If_Open(Graphic(), " 53\n");
    if (s.plot_file_stream != nullptr) {
        s.pen = s.saved_pen;
        s.filling = s.saved_filling;
        s.line_type = s.saved_line_type;
        s.font = s.saved_font;
    }
    s.text_angle = s.saved_text_angle;
    s.rotation = s.saved_rotation;
}

void Plot_Set_Colour_Sections(int flag) { plot_state.colour_records = flag; }
int Plot_Get_Colour_Sections() { return plot_state.colour_records; }
void Plot_Set_Colour_Output(int flag) { plot_state.colour_output = flag; }
int Plot_Get_Report_Format_Level() { return plot_state.report_format_level; }
void Plot_Set_Report_Format_Level(int level) { plot_state.report_format_level = level; }
void Plot_Set_Dimension_Options(int bits) { plot_state.dimension_options = bits; }
void Plot_Set_Dimension_Flag() { plot_state.dimension_flag = 1; }
void Plot_Clear_Dimension_Flag() { plot_state.dimension_flag = 0; }
void Plot_Set_Level_Marks(int flag) { plot_state.level_marks = flag; }

void Plot_Reset_Bounding_Box()
{
    plot_state.bbox_min_x = 1e100;
    plot_state.bbox_min_y = 1e100;
    plot_state.bbox_max_x = -1e100;
    plot_state.bbox_max_y = -1e100;
}

void Plot_Get_Bounding_Box(double* xmin, double* ymin, double* xmax, double* ymax)
{
    if (xmin) *xmin = plot_state.bbox_min_x;
    if (ymin) *ymin = plot_state.bbox_min_y;
    if (xmax) *xmax = plot_state.bbox_max_x;
    if (ymax) *ymax = plot_state.bbox_max_y;
}

void Plot_Widen_Bounding_Box(double x, double y)
{
    Plot_State& s = plot_state;
    s.bbox_min_x = std::min(s.bbox_min_x, x);
    s.bbox_min_y = std::min(s.bbox_min_y, y);
    s.bbox_max_x = std::max(s.bbox_max_x, x);
    s.bbox_max_y = std::max(s.bbox_max_y, y);
}

void Plot_Turn_Point(double* x, double* y)
{
    Transform_Points(x, y, 1, 0.0, 0.0, plot_state.rotation, 1.0);
}

void Plot_Point_To_Record(double x, double y, double* rx, double* ry)
{
    double px = x, py = y;
    Transform_Points(&px, &py, 1, 0.0, 0.0, plot_state.rotation, 1.0);
    if (rx) *rx = px * plot_state.x_scale;
    if (ry) *ry = py * plot_state.y_scale;
}

void Plot_To_Record_Units(double length, double* in_x, double* in_y)
{
    if (in_x) *in_x = length / plot_state.x_scale;
    if (in_y) *in_y = length / plot_state.y_scale;
}

void Plot_Redirect_Graphic(FILE* stream)
{
    plot_state.remembered_graphic_stream = plot_state.plot_graphic_stream;
    plot_state.graphic_redirected = 1;
    plot_state.plot_graphic_stream = stream;
}

void Plot_Restore_Graphic()
{
    if (!plot_state.graphic_redirected) return;
    plot_state.plot_graphic_stream = plot_state.remembered_graphic_stream;
    plot_state.remembered_graphic_stream = nullptr;
    plot_state.graphic_redirected = 0;
}

int Plot_Choose_Scale_Index(double a, double b, double c, double d, int n, const double scales[])
{
    if (scales != nullptr) {
        const double ratio = std::min(a / c, b / d);
        for (int i = 0; i < n; ++i)
            if (ratio > 1.0 / scales[i]) return i;
    }
    Msg_Set_Mode(MSG_MODE_SHOW);
    Msg_Show("%s",
             "Ben\xF6tigter Ma\xDF" "stab f\xFCr Darstellung in der Druckliste zu klein!\n"
             "  -> Geometriedaten \xFC" "berpr\xFC" "fen und korrigieren.");
    return -1;
}

void Plot_Lighten_RGB(int red, int green, int blue, double percent, int* red_out,
                      int* green_out, int* blue_out)
{
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double max = std::max(r, std::max(g, b));
    const double min = std::min(r, std::min(g, b));
    const double lightness = (max + min) / 2.0;
    const double d = max - min;

    double hue = 0.0, saturation = 0.0;
    if (lightness > 0.0 && d > 0.0) {
        saturation = (max + min <= 1.0) ? d / (max + min) : d / (2.0 - max - min);
        const double rc = (max - r) / d, gc = (max - g) / d, bc = (max - b) / d;
        if (r == max)
            hue = (g == min) ? 5.0 + bc : 1.0 - gc;
        else if (g == max)
            hue = (b == min) ? 1.0 + rc : 3.0 - bc;
        else
            hue = (r == min) ? 3.0 + gc : 5.0 - rc;
        hue /= 6.0;
    }

    const double l2 = lightness * (1.0 + percent * 0.01);
    const double m2 = (l2 <= 0.5) ? l2 * (1.0 + saturation) : l2 + saturation - l2 * saturation;
    double out[3] = {0.0, 0.0, 0.0};
    if (m2 > 0.0) {
        const double m1 = 2.0 * l2 - m2;
        const double h6 = hue * 6.0;
        const double whole = std::floor(h6);
        const double f = h6 - whole;
        // A hue of a whole turn (pure red comes out at 6/6) is the sector of hue 0.
        int sector = 0;
        if (whole >= 0.0 && whole < 6.0) sector = static_cast<int>(whole);
        const double rise = m1 + f * (m2 - m1);
        const double fall = m2 - f * (m2 - m1);
        switch (sector) {
        case 0: out[0] = m2; out[1] = rise; out[2] = m1; break;
        case 1: out[0] = fall; out[1] = m2; out[2] = m1; break;
        case 2: out[0] = m1; out[1] = m2; out[2] = rise; break;
        case 3: out[0] = m1; out[1] = fall; out[2] = m2; break;
        case 4: out[0] = rise; out[1] = m1; out[2] = m2; break;
        default: out[0] = m2; out[1] = m1; out[2] = fall; break;
        }
    }
    if (red_out) *red_out = To_Channel(out[0]);
    if (green_out) *green_out = To_Channel(out[1]);
    if (blue_out) *blue_out = To_Channel(out[2]);
}

void Plot_Set_Fill_Colour_RGB(int red, int green, int blue)
{
    Plot_State& s = plot_state;
    s.last_fill_colour[0] = red;
    s.last_fill_colour[1] = green;
    s.last_fill_colour[2] = blue;
    if (!s.colour_records) return;
    int r = 0, g = 0, b = 0;
    Plot_Lighten_RGB(red, green, blue, s.lightness_percent, &r, &g, &b);
    Write_If_Open(Graphic(), "50 %d %d %d\n", r, g, b);
}
