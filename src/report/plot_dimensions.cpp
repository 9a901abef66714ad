#include "report/plot_dimensions.h"

#include <cmath>
#include <cstring>
#include <string>

#include "base/numeric.h"
#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/drawing_file.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_label_room.h"
#include "report/plot_state.h"
#include "report/plot_texts.h"
#include "report/string_format.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Tick half length per size: 1.5 times 0.4 * sqrt(2).
constexpr double kTickFactor = 1.5 * 0.5656854249492381;
// Diameter of the end dots in record units, whatever the size.
constexpr double kDotDiameter = 0.075;

// Offsets of the text from the line, in units of 2 * size.
constexpr double kTextOffset = 0.8;
constexpr double kStaggerNear = 2.8;
constexpr double kStaggerFar = 4.0;
// What the staggered offsets report back to the caller.
constexpr double kExtraNear = 2.0;
constexpr double kExtraFar = 3.2;

FILE* Graphic() { return plot_state.plot_graphic_stream; }
bool File_Open() { return plot_state.plot_file_stream != nullptr; }

const char* Or_Empty(const char* text) { return text != nullptr ? text : ""; }

// Extension mark at right angles to the line through (x, y): 4 * size on the left of
// the line's direction (the text side), 2 * size on the right.
void Draw_Extension_Mark(double x, double y, double c, double s, double size)
{
    const Plot_State& st = plot_state;
    Plot_Draw_Line(x - 4.0 * s * size / st.x_scale, y + 4.0 * c * size / st.y_scale,
                   x + 2.0 * s * size / st.x_scale, y - 2.0 * c * size / st.y_scale);
}

void Draw_Dot(double x, double y)
{
    const double diameter = kDotDiameter / plot_state.x_scale;
    Plot_Fill_Disc(x, y, diameter);
    Plot_Draw_Arc(x, y, diameter, 0.0, 360.0);
}

void Draw_Tick(double x, double y, double tx, double ty)
{
    Plot_Draw_Line(x - tx, y - ty, x + tx, y + ty);
}

// Which placement and fit width a number writer hands to the core: codes -2 and 2 decide
// between the middle and their side by whether the text fits (then no staggering),
// -1 and 1 stay, every other code becomes the middle.
void Resolve_Placement(int placement, bool fits, double width, int* core_placement,
                       double* fit_width)
{
    if (placement == PLOT_DIM_MIDDLE_OR_BEFORE || placement == PLOT_DIM_MIDDLE_OR_AFTER) {
        *core_placement = fits ? PLOT_DIM_MIDDLE : placement / 2;
        *fit_width = 0.0;
    } else if (placement == PLOT_DIM_BEFORE_FIRST || placement == PLOT_DIM_AFTER_SECOND) {
        *core_placement = placement;
        *fit_width = width;
    } else {
        *core_placement = PLOT_DIM_MIDDLE;
        *fit_width = width;
    }
}

double Distance(double x1, double y1, double x2, double y2)
{
    return std::hypot(x2 - x1, y2 - y1);
}

// The raised text after a centred dimension text of n characters and height h at (x, y):
// 0.4 h per character along the text from its centre and a quarter of h above it, as the
// text reads on the page. A text whose angle on the page lies between a quarter and three
// quarters of a turn is read turned by half a turn (the main text, centred, stays where
// it is), so the raised text goes along and above the turned reading: after the number
// and above it whichever way the window's axes run. Written with its baseline at the
// point, in the reading direction (record 14 and 3; in the drawing file keypad 1).
void Write_Raised_Text(double x, double y, double n, double h, const char* text)
{
    const Plot_State& st = plot_state;
    double turns = std::fmod(st.text_angle, 2.0 * kPi);
    if (turns < 0.0) turns += 2.0 * kPi;
    constexpr double kTurnTolerance = 1e-8;
    const bool turned = turns > kPi / 2.0 + kTurnTolerance && turns < 1.5 * kPi - kTurnTolerance;
    // A text that reads as written keeps its angle as the main text has it.
    const double angle = turned ? turns - kPi + 0.0 : st.text_angle;
    // On the page (x right, y up), then in drawing units along the window's axes.
    const double along = 0.4 * n * h, up = 0.25 * h;
    const double page_x = along * std::cos(angle) - up * std::sin(angle);
    const double page_y = along * std::sin(angle) + up * std::cos(angle);
    const double sign_x = st.x_direction == 1 ? 1.0 : -1.0;
    const double sign_y = st.y_backwards ? -1.0 : 1.0;
    const std::string clean = Plot_Clean_Text(text);
    Plot_Write_Label([=](const Plot_Label_Move& move) {
        const Plot_State& s = plot_state;
        const double rx = x + sign_x * page_x / s.x_scale + move.dx / s.x_scale;
        const double ry = y + sign_y * page_y / s.y_scale + move.dy / s.y_scale;
        Write_If_Open(Graphic(), " 14 %lf 0\n", angle * PLOT_DEGREES_PER_RADIAN);
        Write_If_Open(Graphic(), " 3 %lf %lf \xAE%s\xAF\n", rx * s.x_scale, ry * s.y_scale, clean.c_str());
        Plot_File_Text(rx, ry, 1, PLOT_FILE_TEXT_ANGLE, angle * PLOT_DEGREES_PER_RADIAN, clean.c_str());
    });
}

}  // namespace

double Plot_Draw_Dimension(double x1, double y1, double x2, double y2, double size,
                           const char* text, const char* raised_text, double fit_width,
                           int placement)
{
    Plot_State& st = plot_state;
    text = Or_Empty(text);
    raised_text = Or_Empty(raised_text);

    Plot_Begin_Group();

    // The dimension is drawn in turned coordinates with rotation 0, so that its marks and
    // text offsets stand square to the line on the page.
    double px[2] = {x1, x2}, py[2] = {y1, y2};
    Transform_Points(px, py, 2, 0.0, 0.0, st.rotation, 1.0);
    x1 = px[0]; y1 = py[0];
    x2 = px[1]; y2 = py[1];
    st.rotation = 0.0;

    const double length = Round_To_Decimals(Distance(x1, y1, x2, y2), 2);
    if (!(length >= 0.01) || !std::isfinite(length)) {
        Plot_End_Group();
        return 0.0;
    }

    const double xs = st.x_scale, ys = st.y_scale;
    const int options = st.dimension_options;

    Write_If_Open(Graphic(), " 4 %d\n", 1);
    if (File_Open()) Plot_Set_Pen(1);
    Write_If_Open(Graphic(), " 38 %d %s %d\n", 0, " ", 0);
    if (File_Open()) Plot_Set_Line_Type(0);

    const double a = Get_Segment_Angle(x1, y1, x2, y2);
    const double c = std::cos(a), s = std::sin(a);
    Plot_Draw_Line(x1 - c * size / xs, y1 - s * size / ys, x2 + c * size / xs,
                   y2 + s * size / ys);

    const bool mark_first = (options & PLOT_DIM_NO_FIRST_MARK) == 0;
    const bool mark_second = (options & PLOT_DIM_NO_SECOND_MARK) == 0;
    if (mark_first) Draw_Extension_Mark(x1, y1, c, s, size);
    if (mark_second) Draw_Extension_Mark(x2, y2, c, s, size);

    if (options & PLOT_DIM_DOTS) {
        Plot_Set_Fill_Index(0);
        if (mark_first) Draw_Dot(x1, y1);
        if (mark_second) Draw_Dot(x2, y2);
    } else {
        const double tx = kTickFactor * size * std::cos(a + kPi / 4.0) / xs;
        double ty = kTickFactor * size * std::sin(a + kPi / 4.0) / ys;
        if (st.y_backwards) ty = -ty;
        if (mark_first) Draw_Tick(x1, y1, tx, ty);
        if (mark_second) Draw_Tick(x2, y2, tx, ty);
    }

    // Texts read along the line; in a window whose y runs downwards they are turned by
    // half a turn so that they stand upright on the page.
    Plot_Set_Text_Angle(st.y_backwards ? a + kPi : a);

    if (File_Open()) Plot_Set_Font(2);
    const double height = 2.1 * size;
    Write_If_Open(Graphic(), " 13 %lf\n", height);
    Write_If_Open(Graphic(), " 8 %d\n", 6);

    const double n = static_cast<double>(std::strlen(text));
    const bool is_short = fit_width > length && placement == PLOT_DIM_MIDDLE;
    double k = kTextOffset;
    double extra = 0.0;
    bool beside_middle = true;
    if (!is_short) {
        st.dimension_toggle = 0;
        beside_middle = placement != PLOT_DIM_BEFORE_FIRST && placement != PLOT_DIM_AFTER_SECOND;
    } else if (st.dimension_flag && st.dimension_toggle != 0) {
        k = kStaggerFar;
        extra = kExtraFar;
        st.dimension_toggle = 0;
    } else {
        k = kStaggerNear;
        extra = kExtraNear;
        st.dimension_toggle = 1;
    }
    const double d = 2.0 * size * k / ys;
    double tx, ty;
    if (beside_middle) {
        tx = (x1 + x2) / 2.0 - s * d;
        ty = (y1 + y2) / 2.0 + c * d;
    } else if (placement == PLOT_DIM_BEFORE_FIRST) {
        tx = x1 - s * d - c * n * size / xs;
        ty = y1 + c * d - s * n * size / ys;
    } else {
        tx = x2 - s * d + c * n * size / xs;
        ty = y2 + c * d + s * n * size / ys;
    }

    Plot_Write_Text_Centred_Angled(tx, ty, text);
    if (raised_text[0] != '\0') {
        Write_If_Open(Graphic(), " 13 %lf\n", 0.75 * height);
        Write_Raised_Text(tx, ty, n, height, raised_text);
    }

    Plot_End_Group();
    return extra;
}

double Plot_Draw_Length_Dimension(double x1, double y1, double x2, double y2, double size,
                                  int placement)
{
    const double rounded = Round_To_Decimals(Distance(x1, y1, x2, y2), 1);
    const double whole = std::trunc(rounded + 0.0001);
    const double remainder = rounded - whole;

    const std::string raised = remainder < 0.05 ? std::string(" ")
                                                : Format_String("%.0lf", remainder * 10.0);
    const std::string main_text = Format_String("%.0f", whole);

    const double width =
        static_cast<double>(main_text.size()) * 2.0 * size / plot_state.larger_scale;
    int core_placement = PLOT_DIM_MIDDLE;
    double fit_width = 0.0;
    Resolve_Placement(placement, !(width > whole), width, &core_placement, &fit_width);
    return Plot_Draw_Dimension(x1, y1, x2, y2, size, main_text.c_str(), raised.c_str(),
                               fit_width, core_placement);
}

double Plot_Draw_Scaled_Dimension(int placement, double x1, double y1, double x2, double y2,
                                  double size, double unit_factor)
{
    // A negative factor would label the length with a negative number; its magnitude is
    // what converts the units.
    const double factor = std::fabs(unit_factor);
    if (!(factor >= 1e-5) || !std::isfinite(factor)) return 0.0;

    const double value = Round_To_Decimals(Distance(x1, y1, x2, y2) / factor, 1);
    double whole = std::trunc(value);
    const double remainder = value - whole;
    std::string raised;
    if (remainder >= 0.74999)
        whole += 1.0;
    else if (remainder >= 0.25)
        raised = "5";

    std::string text;
    if (whole < 100.0 || (plot_state.dimension_options & PLOT_DIM_PLAIN_UNITS) != 0)
        text = Format_String("%.0f", whole);
    else
        text = Format_String("%.2f", whole * 0.01);

    const double width =
        static_cast<double>(text.size()) * 2.0 * size / (factor * plot_state.larger_scale);
    int core_placement = PLOT_DIM_MIDDLE;
    double fit_width = 0.0;
    Resolve_Placement(placement, !(width > value), width * factor, &core_placement,
                      &fit_width);
    return Plot_Draw_Dimension(x1, y1, x2, y2, size, text.c_str(), raised.c_str(), fit_width,
                               core_placement);
}

double Plot_Draw_Scaled_Dimension_Checked(double x1, double y1, double x2, double y2,
                                          double size, double unit_factor, int placement)
{
    return Plot_Draw_Scaled_Dimension(placement, x1, y1, x2, y2, size, unit_factor);
}

double Plot_Draw_Metre_Dimension(double x1, double y1, double x2, double y2, double size)
{
    const double metres = Round_To_Decimals(Distance(x1, y1, x2, y2), 3);
    if (!(metres >= 0.01) || !std::isfinite(metres)) return 0.0;

    const double centimetres = metres * 100.0;
    double whole_cm = std::trunc(centimetres);
    const double remainder = Round_To_Decimals(centimetres - whole_cm, 2);
    const bool half = remainder >= 0.25 && remainder < 0.74999;

    std::string text;
    const std::string raised = half ? "5" : "";
    if (metres < 1.0 && (plot_state.dimension_options & PLOT_DIM_PLAIN_UNITS) == 0) {
        text = half ? Format_String("%d", static_cast<int>(whole_cm))
                    : Format_String("%.0f", centimetres);
    } else {
        if (remainder >= 0.75) whole_cm += 1.0;
        text = Format_String("%.2f", whole_cm / 100.0);
    }

    const double width = static_cast<double>(text.size()) * 1.68 * size / plot_state.x_scale;
    return Plot_Draw_Dimension(x1, y1, x2, y2, size, text.c_str(), raised.c_str(), width,
                               PLOT_DIM_MIDDLE);
}

double Plot_Draw_Offset_Dimension(double x1, double y1, double x2, double y2, double offset,
                                  double size, int placement)
{
    Offset_Segment(&x1, &y1, &x2, &y2, offset);
    return Plot_Draw_Length_Dimension(x1, y1, x2, y2, size, placement);
}
