#include "core/section_graphic.h"

#include <cmath>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "base/plane_geometry.h"
#include "base/run_globals.h"
#include "base/utilities.h"
#include "core/corbel_model.h"
#include "report/drawing_file.h"
#include "report/oli_channel.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_arrows.h"
#include "report/plot_dimensions.h"
#include "report/plot_label_room.h"
#include "report/plot_state.h"
#include "report/plot_texts.h"
#include "report/report_layout.h"
#include "report/string_format.h"
#include "core/corbel_extents.h"
#include "core/corbel_plot.h"
#include "core/section_graphic_parts.h"

double graphic_width_cm = 16.0;
double graphic_height_cm = 16.0;
int section_plot_pens[SECTION_PEN_COUNT];

namespace {

constexpr double kBoxCm = 16.0;            // the box a fitted graphic fills
constexpr double kSideAllowance = 2.0;     // 1 cm of paper left and right
constexpr double kTopAllowance = 0.8;      // 0.4 cm above and 0.4 cm below the margin
constexpr double kBeamMargin = 1.2;        // bottom margin of a load corbel on a beam
constexpr double kMargin = 0.6;            // every other bottom margin
constexpr int kBarFill = 64;
constexpr double kDimensionSize = 0.1;
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kPi = 3.141592653589793;
constexpr int kPen2 = 2;
constexpr int kPen1 = 1;
constexpr int kStrutMethod = 3;  // "EC 2-1-1, 6.5"
const char* const kJointDash = "0.03 0.05";
const char* const kStrutDash = "0.1 0.1";

// The most a graphic at a given scale may take: the text area's width, and its height
// less the room for a heading and the reinforcement section's lines kept with the graphic.
constexpr double kPageWidthCm = 17.0;
constexpr double kPageHeightCm = 22.0;
constexpr double kCommonScales[] = {1, 2, 5, 10, 15, 20, 25, 30, 40, 50, 75, 100, 125, 150, 200, 250};

struct Sizing {
    double N = 0.0;  // scale 1:N
    double f = 0.0;  // paper cm per model cm
    double w = 0.0, h = 0.0;
    double m = 0.0;  // bottom margin
};

FILE* Graphic()
{
    return plot_state.plot_graphic_stream;
}

void Fill_Pens()
{
    section_plot_pens[SECTION_CONCRETE_COLOUR] = plot_light_grey;
    section_plot_pens[SECTION_CONCRETE_FILL] = plot_fill_style_a;
    section_plot_pens[SECTION_REBAR_COLOUR] = plot_dark_blue;
    section_plot_pens[SECTION_REBAR_FILL] = kBarFill;
    section_plot_pens[SECTION_REBAR2_COLOUR] = plot_green;
    section_plot_pens[SECTION_REBAR2_FILL] = kBarFill;
    section_plot_pens[SECTION_PLATE_COLOUR] = plot_grey;
    section_plot_pens[SECTION_PLATE_FILL] = plot_fill_style_b;
}

// The first common scale 1:N with N at least the one given.
double Common_Scale_Above(double N)
{
    for (double c : kCommonScales)
        if (c >= N) return c;
    return std::ceil(N / 100.0) * 100.0;
}

// Scale and size of the graphic in the box graphic_width_cm x graphic_height_cm. False when
// the drawing has no size to speak of (nothing changed but the pens).
bool Size_Graphic(const Corbel_Model& md, int mode, double scale, Sizing* s)
{
    s->m = md.system == SYSTEM_LOAD_CORBEL && md.connection == CONNECTION_BEAM ? kBeamMargin
                                                                                : kMargin;
    Init_Plot_Colours();
    Fill_Pens();
    Get_Corbel_Extents(&md, mode, &s->w, &s->h);
    if (!(s->w >= 1.0) || !(s->h >= 1.0) || !std::isfinite(s->w) || !std::isfinite(s->h))
        return false;
    if (scale > 0.001 && std::isfinite(scale)) {
        // A drawing that would not fit the page at the scale asked for is drawn at the
        // next common scale at which it does: the label names the scale it is drawn at.
        const double needed = std::fmax(s->w / (kPageWidthCm - kSideAllowance),
                                        s->h / (kPageHeightCm - kTopAllowance - s->m));
        s->N = scale >= needed ? scale : Common_Scale_Above(needed);
        s->f = 1.0 / s->N;
    } else {
        s->f = Choose_Drawing_Scale(s->w, s->h, graphic_width_cm - kSideAllowance,
                                    graphic_height_cm - kTopAllowance - s->m, 1);
        s->N = 1.0 / s->f;
    }
    graphic_width_cm = s->w * s->f + kSideAllowance;
    graphic_height_cm = s->h * s->f + kTopAllowance + s->m;
    return true;
}

Section_Figure Figure_Of(const Corbel_Model& md, int mode, const Sizing& s, bool file)
{
    Section_Figure f{};
    f.model = &md;
    f.params = NAD_Get_EC2_Params();
    f.rebar = mode == 1 && md.rebar_chosen != 0;
    f.drawing_file = file;
    f.N = s.N;
    f.w = s.w;
    f.h = s.h;
    f.m = s.m;
    f.b1 = md.h;
    f.b2 = md.beam_height;
    f.lk = md.lk;
    f.hk = md.hk;
    f.hk2 = md.hk_end;
    f.d1k = md.d1k;
    f.d1 = md.d1;
    f.e1 = md.e1;
    f.lp = md.lp;
    f.a = md.load_a;
    f.ah = md.load_height;
    f.t = Snap_Unit_Values(std::tan(md.inclination * kRadiansPerDegree));
    f.support = md.system == SYSTEM_SUPPORT_CORBEL;
    f.load = md.system == SYSTEM_LOAD_CORBEL;
    f.beam_end = md.execution == EXECUTION_BEAM_END;
    f.on_beam = md.connection == CONNECTION_BEAM;
    f.at_slab = md.at_slab != 0;
    f.indirect = md.load_transfer == LOAD_TRANSFER_INDIRECT;
    return f;
}

void Line(double x1, double y1, double x2, double y2, int colour, int pen = kPen2)
{
    Plot_Coloured_Line(x1, y1, x2, y2, colour, pen);
}

void Dashed_Line(double x1, double y1, double x2, double y2, int colour, int pen,
                 const char* pattern)
{
    Section_Dash_Begin(pattern);
    Line(x1, y1, x2, y2, colour, pen);
    Section_Dash_End();
}

void Dimension(double x1, double y1, double x2, double y2)
{
    Plot_Draw_Length_Dimension(x1, y1, x2, y2, kDimensionSize, 0);
}

// A filled polygon in the concrete colour.
void Fill_Concrete(int n, double x[], double y[])
{
    Set_Plot_Colour(section_plot_pens[SECTION_CONCRETE_COLOUR]);
    Plot_Set_Fill_Index(section_plot_pens[SECTION_CONCRETE_FILL]);
    Plot_Fill_Polygon_If_Colour(n, x, y);
}

// A slab or downstand beam filled beside the member, its far side dashed.
void Fill_Slab(double x1, double y1, double x2, double y2)
{
    Set_Plot_Colour(plot_off_white);
    Plot_Set_Fill_Index(plot_fill_style_d);
    Plot_Fill_Rectangle(x1, y1, x2, y2);
}

// The bearing plate from xa to xb and ya to yb: filled, edged, its length dimensioned on
// the row dim_y.
void Bearing_Plate(double xa, double xb, double ya, double yb, double dim_y)
{
    const double x[4] = {xa, xb, xb, xa};
    const double y[4] = {ya, ya, yb, yb};
    double fx[4] = {xa, xb, xb, xa};
    double fy[4] = {ya, ya, yb, yb};
    Set_Plot_Colour(section_plot_pens[SECTION_PLATE_COLOUR]);
    Plot_Set_Fill_Index(section_plot_pens[SECTION_PLATE_FILL]);
    Plot_Fill_Polygon_If_Colour(4, fx, fy);
    for (int i = 0; i < 4; ++i) Line(x[i], y[i], x[(i + 1) % 4], y[(i + 1) % 4], plot_black);
    Set_Plot_Colour(plot_black);
    Dimension(xa, dim_y, xb, dim_y);
}

// Plate thickness: the load height, or a tenth of the plate's length without one.
double Plate_Thickness(const Section_Figure& f)
{
    return f.ah > 0.01 ? f.ah : 0.1 * f.lp;
}

// A load arrow with its tip at (x, y) in the current colour, its shaft to the tail and its letter.
void Load_Arrow(double x, double y, double angle, double tail_x, double tail_y, double N,
                double text_x, double text_y, int vertical, int horizontal, const char* letter)
{
    Plot_Draw_Arrow_Symbol(x, y, angle, 0.6 * N, 0.3 * N, 0.2 * N, 2);
    Line(x, y, tail_x, tail_y, plot_crimson);
    Plot_Write_Text_Anchored(text_x, text_y, vertical, horizontal, "%s", letter);
}

// The angle mark of an inclination: a horizontal line of 0.4 N from the point (to the
// left when dir is -1) and the angle at its end.
void Angle_Mark(double x, double y, double dir, double N, double degrees, int vertical,
                int horizontal)
{
    Line(x, y, x + dir * 0.4 * N, y, plot_black, kPen1);
    const std::string text = Format_String("%.1lf\xF8", degrees);
    Plot_Write_Text_Anchored(x + dir * 0.4 * N, y, vertical, horizontal, "%s", text.c_str());
}

// ---- load corbel (system 0) ----------------------------------------------------------

void Place_Load_Corbel(Section_Figure& f)
{
    const Corbel_Rebar_Choice& rb = f.model->rebar;
    if (f.on_beam) {
        f.y0 = f.b1 - f.hk;
        if (!f.indirect) {
            f.x0 = 1.5 * f.b1;
            f.xe = f.x0 + f.lk;
        } else {
            const double ev = f.rebar ? rb.cover_v : f.d1k;
            const double eh = f.rebar ? rb.cover_h : f.d1k;
            if (f.t != 0.0) {
                const double s = (f.hk - ev) / f.t;
                if (s < f.lk - eh) f.y0 = std::fmax(f.y0, (f.lk - s) * f.t + ev);
            }
            f.x0 = f.w - f.lk;
            f.xe = f.w;
        }
        if (f.ah > 0.01) f.y0 = std::fmax(f.y0, f.ah + 0.6 * f.N);
        return;
    }
    // On a column the load height of a suspended load does not count.
    if (f.indirect) f.ah = 0.0;
    double u;
    if (!f.beam_end) {
        f.x0 = f.b1;
        u = 0.5 * f.hk;
    } else {
        f.x0 = f.at_slab ? 2.0 * f.b2 : f.b1;
        u = f.b2 - (f.ah + f.hk);
    }
    if (!f.indirect) {
        f.y0 = u + f.ah;
    } else {
        const double ev = f.rebar ? rb.cover_v + rb.anchorage[3] : f.d1k;
        const double eh = f.rebar ? rb.cover_h : f.d1k;
        const double v = (ev - f.hk) + (f.x0 + f.lk - 2.0 * eh) * f.t;
        f.y0 = std::fmax(u, v) + f.ah;
    }
    f.xe = f.x0 + f.lk;
}

void Draw_Load_Corbel(const Section_Figure& f)
{
    const double x0 = f.x0, y0 = f.y0, xe = f.xe, N = f.N, h = f.h, w = f.w;
    const bool column = !f.on_beam;
    const bool hung = column && f.indirect;  // load hung below the corbel on a column
    double X[8] = {x0, xe, xe, x0}, Y[8] = {y0, y0, y0 + f.hk - f.hk2, y0 + f.hk};
    int n;
    if (column) {
        X[4] = x0, Y[4] = h;
        X[5] = 0.0, Y[5] = h;
        X[6] = 0.0, Y[6] = 0.0;
        X[7] = x0, Y[7] = 0.0;
        n = 8;
    } else {
        X[4] = 0.0, Y[4] = y0 + f.hk;
        X[5] = 0.0, Y[5] = y0 + f.hk - f.b1;
        X[6] = x0, Y[6] = y0 + f.hk - f.b1;
        n = 7;
    }
    // The polygon may come back turned in its last bits: the edges use a copy.
    const double PX[8] = {X[0], X[1], X[2], X[3], X[4], X[5], X[6], X[7]};
    const double PY[8] = {Y[0], Y[1], Y[2], Y[3], Y[4], Y[5], Y[6], Y[7]};
    Fill_Concrete(n, X, Y);

    if (hung) {
        const double xc = xe + 2.0 * (f.a - f.lk);
        Fill_Slab(xc, y0, xe, y0 + f.hk - f.hk2);
        Line(xc, y0, xc, y0 + f.hk - f.hk2, plot_black);
    }
    if (column && f.beam_end && f.at_slab) {
        Fill_Slab(x0, h, x0 - f.b1, 0.0);
        Dashed_Line(x0 - f.b1, 0.0, x0 - f.b1, h, plot_black, kPen2, kJointDash);
    }

    auto edge = [&](int i, int j) { Line(PX[i], PY[i], PX[j], PY[j], plot_black); };
    edge(0, 1);
    edge(1, 2);
    edge(2, 3);
    edge(3, 4);
    if (!column) {
        if (!f.at_slab) edge(5, 6);
        edge(6, 0);
    } else if (!f.beam_end) {
        edge(5, 6);
        edge(7, 0);
    } else {
        if (!f.at_slab) edge(5, 6);
        edge(4, 5);
        edge(6, 7);
        edge(7, 0);
    }
    Dashed_Line(PX[0], PY[0], PX[3], PY[3], plot_grey, kPen2, kJointDash);
    Set_Plot_Colour(plot_black);

    // Dimensions of the outline.
    const double right = w + 0.6 * N;
    Dimension(right, PY[1], right, PY[2]);
    if (f.hk2 > 0.1) Dimension(right, PY[2], right, PY[3]);
    const double below = h + f.m * N;
    Dimension(xe, below, x0, below);
    if (!column) {
        Dimension(-0.6 * N, y0 + f.hk - f.b1, -0.6 * N, y0 + f.hk);
    } else {
        Dimension(x0, below, f.at_slab ? x0 - f.b1 : 0.0, below);
        if (f.beam_end) Dimension(-0.6 * N, y0 + f.hk - f.b2, -0.6 * N, y0 + f.hk);
    }

    // Bearing plate and loads.
    double px = x0 + f.a, py;
    if (hung) {
        py = y0 + f.hk + 0.3 * N;
    } else {
        if (f.lp > 0.01)
            Bearing_Plate(px - f.lp / 2.0, px + f.lp / 2.0, y0 - Plate_Thickness(f), y0, 0.6 * N);
        py = y0 - f.ah;
    }
    Set_Plot_Colour(plot_crimson);
    Load_Arrow(px, py, kHalfPi, px, py - 0.6 * N, N, px, py - 0.6 * N, 2, 4, "A");
    if (!hung) Load_Arrow(px, py, 0.0, px - 0.6 * N, py, N, px - 0.7 * N, py, 4, 1, "H");
    Set_Plot_Colour(plot_black);
    if (!hung) Dimension(right, py, right, y0);
    const double row = f.beam_end ? 1.2 * N : h + (f.on_beam ? 1.0 : 0.0) * 0.6 * N;
    Dimension(px, row, x0, row);
}

// The strut-and-tie lines of mode 0.
void Draw_Load_Corbel_Ties(const Section_Figure& f)
{
    const double x0 = f.x0, y0 = f.y0, lk = f.lk, hk = f.hk, d1k = f.d1k, b1 = f.b1, N = f.N;
    const int tie = section_plot_pens[SECTION_REBAR_COLOUR];
    Line(x0 + lk - d1k, y0 + d1k, f.on_beam ? x0 - 0.7 * b1 : x0 + d1k - b1, y0 + d1k, tie);
    if (f.beam_end) {
        Line(x0 - f.e1, y0 + hk - f.b2 + f.e1, x0 - f.e1, y0 + hk - f.e1, tie);
    } else if (f.on_beam) {
        // The offsets of the beam's ties are model cm.
        Line(x0 - 4.0, y0 + hk - b1 + f.d1, 0.0, y0 + hk - b1 + f.d1, plot_light_blue);
        Line(x0 - f.e1, y0 + hk - b1 + f.d1 - 2.0, x0 - f.e1, y0 + hk - 3.0, tie);
    }
    if (f.indirect && f.t != 0.0) {
        const double t = f.t;
        const double s = (hk - d1k) / t;
        if (s < lk - d1k) {
            double X[3] = {x0, x0 + lk - s, x0}, Y[3] = {y0, y0, y0 - (lk - s) * t};
            const double PX[3] = {X[0], X[1], X[2]}, PY[3] = {Y[0], Y[1], Y[2]};
            Fill_Concrete(3, X, Y);
            for (int i = 0; i < 3; ++i)
                Line(PX[i], PY[i], PX[(i + 1) % 3], PY[(i + 1) % 3], plot_black);
        }
        const double sx = x0 + lk - d1k, sy = y0 + hk - d1k;
        if (f.on_beam)
            Line(sx, sy, sx - (b1 - 2.0 * d1k) / t, y0 + hk - b1 + d1k, tie);
        else
            Line(sx, sy, x0 + d1k - b1, sy - (b1 + lk - 2.0 * d1k) * t, tie);
        Angle_Mark(sx, sy, -1.0, N, f.model->inclination, 2, 1);
    }
    Set_Plot_Colour(plot_black);
    Dimension(x0 + f.a, y0, x0 + f.a, y0 + d1k);
    if (f.on_beam && !f.beam_end) {
        Dimension(0.0, y0 + hk - b1, 0.0, y0 + hk - b1 + f.d1);
        Dimension(x0, f.h + 0.6 * N, x0 - f.e1, f.h + 0.6 * N);
    } else if (f.beam_end) {
        Dimension(x0, f.h - 0.6 * N, x0 - f.e1, f.h - 0.6 * N);
    }
}

// ---- support corbel (system 1) -------------------------------------------------------

double Support_Far_Edge(const Section_Figure& f)
{
    if (!f.beam_end) return f.w;
    return f.lk + (f.at_slab ? 2.0 * f.b2 : f.b2);
}

void Draw_Support_Corbel(const Section_Figure& f)
{
    const double lk = f.lk, hk = f.hk, b1 = f.b1, N = f.N, w = f.w, h = f.h;
    const double X = Support_Far_Edge(f);
    double PX[6] = {lk, 0.0, 0.0, X, X, lk}, PY[6] = {hk, hk, 0.0, 0.0, b1, b1};
    double FX[6], FY[6];
    for (int i = 0; i < 6; ++i) FX[i] = PX[i], FY[i] = PY[i];
    Fill_Concrete(6, FX, FY);
    if (f.beam_end && f.at_slab) {
        const double r = Round_To_Int32(f.b2);
        Fill_Slab(lk, b1, lk + r, 0.0);
        Dashed_Line(lk + r, 0.0, lk + r, b1, plot_black, kPen2, kJointDash);
    }
    auto edge = [&](int i, int j) { Line(PX[i], PY[i], PX[j], PY[j], plot_black); };
    edge(0, 1);
    edge(1, 2);
    edge(2, 3);
    if (f.beam_end && !f.at_slab) edge(3, 4);
    edge(4, 5);
    edge(5, 0);
    Dashed_Line(lk, hk, lk, 0.0, plot_grey, kPen2, kJointDash);
    Set_Plot_Colour(plot_black);

    Dimension(-0.6 * N, 0.0, -0.6 * N, hk);
    Dimension(w + 0.6 * N, 0.0, w + 0.6 * N, b1);
    Dimension(lk, h + 0.6 * N, 0.0, h + 0.6 * N);
    if (f.beam_end) Dimension(f.at_slab ? lk + f.b2 : X, h + 0.6 * N, lk, h + 0.6 * N);

    const double px = lk - f.a, py = hk + f.ah;
    // The plate hangs below the corbel; its length is dimensioned one row above the load
    // position's row.
    if (f.lp > 0.01)
        Bearing_Plate(px - f.lp / 2.0, px + f.lp / 2.0, hk, hk + Plate_Thickness(f), h - 1.2 * N);
    Set_Plot_Colour(plot_crimson);
    Load_Arrow(px, py, -kHalfPi, px, py + 0.6 * N, N, px, py + 0.6 * N, 0, 4, "A");
    if (!(!f.on_beam && f.indirect))
        Load_Arrow(px, py, kPi, px + 0.6 * N, py, N, px + 0.7 * N, py, 4, 3, "H");
    Set_Plot_Colour(plot_black);
    Dimension(-0.6 * N, hk, -0.6 * N, py);
    Dimension(lk, h - 0.6 * N, px, h - 0.6 * N);
}

void Draw_Support_Corbel_Ties(const Section_Figure& f)
{
    const double lk = f.lk, hk = f.hk, d1k = f.d1k, b1 = f.b1, b2 = f.b2, N = f.N, w = f.w;
    const int tie = section_plot_pens[SECTION_REBAR_COLOUR];
    double end;
    if (f.beam_end)
        end = f.at_slab ? lk + 1.5 * b2 : lk + b2 - d1k;
    else
        end = 3.0 * lk;  // reaches twice the nib's length past the joint
    Line(d1k, hk - d1k, std::fmin(end, w), hk - d1k, tie);
    if (!f.beam_end) {
        Line(lk + d1k, b1 - f.d1, w, b1 - f.d1, plot_light_blue);
        Line(lk + f.e1, b1 - f.d1 + 2.0, lk + f.e1, d1k - 2.0, tie);
    } else {
        Line(lk + f.e1, b1 - f.e1, lk + f.e1, f.e1, tie);
    }
    if (f.indirect && f.t != 0.0) {
        const double t = f.t;
        const double s = (hk - d1k) / t;
        if (s < lk - d1k) {
            double X[3] = {lk, s, lk}, Y[3] = {hk, hk, hk + (lk - s) * t};
            const double PX[3] = {X[0], X[1], X[2]}, PY[3] = {Y[0], Y[1], Y[2]};
            Fill_Concrete(3, X, Y);
            for (int i = 0; i < 3; ++i)
                Line(PX[i], PY[i], PX[(i + 1) % 3], PY[(i + 1) % 3], plot_black);
        }
        Line(d1k, d1k, d1k + (b1 - 2.0 * d1k) / t, b1 - d1k, tie);
        Angle_Mark(d1k, d1k, 1.0, N, f.model->inclination, 0, 3);
    }
    Set_Plot_Colour(plot_black);
    Dimension(lk - f.a, hk - d1k, lk - f.a, hk);
    if (!f.beam_end) {
        Dimension(w, b1 - f.d1, w, b1);
        Dimension(lk, f.h + 0.6 * N, lk + f.e1, f.h + 0.6 * N);
    } else {
        Dimension(lk, f.h - 0.6 * N, lk + f.e1, f.h - 0.6 * N);
    }
}

// ---- strut line ---------------------------------------------------------------------

void Draw_Strut_Line(const Section_Figure& f)
{
    const Corbel_Model& md = *f.model;
    if (f.beam_end || md.method != kStrutMethod) return;
    if (!(f.support || (f.load && f.on_beam))) return;
    const double d = f.rebar ? md.rebar.tie_axis_given : f.d1k;
    const double e = f.rebar ? md.rebar.member_axis_given : f.e1;
    const double T = std::tan(md.strut_angle * kRadiansPerDegree);
    // A flat strut never meets the tie: there is no line to draw.
    if (!(std::fabs(T) >= 0.001)) return;
    const double N = f.N;
    double n0x, n0y, n1x, n1y, dir;
    if (f.support) {
        n0x = f.lk + e;
        n0y = f.b1 - f.d1;
        n1x = n0x + (f.b1 - f.d1 - d) / T;
        n1y = d;
        if (n1x > f.w) {
            n1x = f.w;
            n1y = n0y + (n0x - f.w) * T;
        }
        dir = 1.0;
    } else {
        n0x = f.x0 - e;
        n0y = f.y0 + f.hk + f.d1 - f.b1;
        n1x = n0x - (f.b1 - f.d1 - d) / T;
        n1y = f.y0 + f.hk - d;
        if (n1x < 0.0) {
            n1x = 0.0;
            n1y = n0y + n0x * T;
        }
        dir = -1.0;
    }
    Dashed_Line(n0x, n0y, n1x, n1y, plot_grey, kPen1, kStrutDash);
    Line(n0x, n0y, n0x + dir * 0.4 * N, n0y - dir * 0.4 * N * T, plot_black, kPen1);
    if (f.support)
        Angle_Mark(n0x, n0y, dir, N, md.strut_angle, 2, 3);
    else
        Angle_Mark(n0x, n0y, dir, N, md.strut_angle, 0, 1);
}

}  // namespace

void Section_Dash_Begin(const char* pattern)
{
    Write_If_Open(Graphic(), " 38 %d %s %d\n", 2, pattern, 0);
}

void Section_Dash_End()
{
    Write_If_Open(Graphic(), " 38 %d %s %d\n", 0, " ", 0);
}

namespace {

// The graphic block of the figure into the report stream and, when file is set, the
// drawing file, in which bars get their axis lines. The figure is drawn with its labels
// held: each is then written where it crosses no line and no other label.
void Draw_Figure(const Corbel_Model& model, FILE* report, bool file, bool scale_given, int mode, const Sizing& s)
{
    const double x1 = -s.N, y1 = s.h + (s.m + 0.4) * s.N, x2 = s.w + s.N, y2 = -0.4 * s.N;
    Plot_Begin_Graphic(report, x1, y1, x2, y2, s.f, s.f, 0.0, nullptr);
    Plot_Set_Colour_Sections(1);
    Plot_Begin_Group();
    // The drawing writer owns the file from here on and closes it; the user's earlier
    // drawing is replaced only by a drawing written whole. Whether it could be opened
    // does not change the report's graphic: that depends on the drawing being asked for.
    if (file)
        Plot_Open_Drawing_File_Named(spf_file_name.c_str(), x1, y1, x2, y2, s.f, 0.0, "%s: %s, L\x84ngsschnitt",
                                     position_number.c_str(), position_title.c_str());
    Plot_Hold_Labels();

    Write_If_Open(Graphic(), " 8 %d\n", 6);
    Write_If_Open(Graphic(), " 7 %d\n", 9);
    Write_If_Open(Graphic(), " 4 %d\n", 1);
    Section_Dash_End();
    Plot_Set_Dimension_Options(24);
    Set_Plot_Colour(plot_black);
    if (file) {
        Plot_Set_Font(0);
        Plot_Set_Layer(0);
        Plot_Set_Line_Type(0);
        Plot_Set_Pen(0);
        Plot_Set_Filling(-1);
    }
    if (scale_given) {
        // Any stored scale may come here, so the label is built to the length it needs.
        const std::string label = Format_String("Ma\xE1stab 1:%.1lf", s.N);
        Set_Plot_Colour(section_plot_pens[SECTION_REBAR2_COLOUR]);
        Plot_Write_Text_Anchored(-0.6 * s.N, 0.0, 2, 3, "%s", label.c_str());
        Set_Plot_Colour(plot_black);
    }
    if (file) Plot_Set_Pen(1);

    Section_Figure f = Figure_Of(model, mode, s, file);
    if (f.load) {
        Place_Load_Corbel(f);
        Draw_Load_Corbel(f);
        if (f.rebar)
            Draw_Section_Rebar(f);
        else
            Draw_Load_Corbel_Ties(f);
        Draw_Strut_Line(f);
    } else if (f.support) {
        Draw_Support_Corbel(f);
        if (f.rebar)
            Draw_Section_Rebar(f);
        else
            Draw_Support_Corbel_Ties(f);
        Draw_Strut_Line(f);
    }

    Plot_End_Group();
    Plot_Place_Labels();
    Plot_End_Graphic_Block();
}

}  // namespace

double Draw_Section_Plot(const Corbel_Model* model, FILE* report, int plot_file, double scale,
                         int mode)
{
    if (!model) return 0.0;
    Sizing s;
    if (!Size_Graphic(*model, mode, scale, &s)) return 0.0;
    if (!report) return s.N;
    const bool scale_given = scale > 0.001 && std::isfinite(scale);
    const bool file = plot_file != 0;
    Draw_Figure(*model, report, file, scale_given, mode, s);
    // A drawing that could not be written whole is said by the report's writer, which
    // then keeps the old report and drawing as they were; the graphic itself is complete.
    if (file) (void)Plot_Close_Drawing_File();
    return s.N;
}

double Place_Section_Graphic(const Corbel_Model* model, double scale, FILE* report,
                             int plot_file, int mode)
{
    if (!model) return 0.0;
    if (mode == 1 && !model->rebar_chosen) return 0.0;
    graphic_width_cm = graphic_height_cm = kBoxCm;
    Sizing s;
    Size_Graphic(*model, mode, scale, &s);
    // A height query has no report: the channel's open block and the layout stay as they are.
    if (report) {
        OLI_End_Text_Block(report);
        OLI_reserveSpaceCM(report, static_cast<float>(graphic_height_cm));
        OLI_storeYPosition(report, 2);
    }
    graphic_width_cm = graphic_height_cm = kBoxCm;
    const double used = Draw_Section_Plot(model, report, plot_file, scale, mode);
    if (report) OLI_setMarginsCM(report, 1, 0.0f, 0.0f);
    return used;
}

double Get_Section_Graphic_Height(const Corbel_Model* model, double scale, int mode)
{
    graphic_width_cm = graphic_height_cm = kBoxCm;
    Place_Section_Graphic(model, scale, nullptr, 0, mode);
    return graphic_height_cm;
}
