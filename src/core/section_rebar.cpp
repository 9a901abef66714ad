// The chosen reinforcement in the longitudinal-section graphic (mode 1).
//
// Everything is laid out in the frame of a load corbel: the joint face at x = x0, the
// loaded edge at y = y0, the corbel running from x0 to x0 + lk and the member lying at
// x < x0. A support corbel is the same picture turned by half a turn (its nib points left
// and carries its load from below): it is laid out with x0 = y0 = 0 and each point is
// mapped to (lk - x, hk - y) on the way to the drawing writer.
#include <algorithm>
#include <cmath>
#include <string>

#include "base/rebar.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/detailing.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_arrows.h"
#include "report/plot_dimensions.h"
#include "report/plot_texts.h"
#include "report/string_format.h"
#include "core/corbel_plot.h"
#include "core/rebar_layers.h"
#include "core/section_graphic.h"
#include "core/section_graphic_parts.h"

namespace {

constexpr double kDimensionSize = 0.1;
constexpr double kHalfSqrt2 = 0.7071067811865475;
constexpr double kHalfDegree = 0.008726646259971648;  // radians in half a degree
constexpr int kPen1 = 1;
constexpr int kPen2 = 2;
constexpr int kBarFill = 64;
constexpr double kPresent = 0.01;  // a diameter, length or spacing above this counts

// Groups of the reinforcement choice.
constexpr int kSplitV = 0, kSplitH = 1, kHangers = 2, kInclined = 3, kAnchorV = 4, kAnchorH = 5;
// Entries of the page's anchorage lengths and mandrel diameters.
constexpr int kMainAnchorage = 0, kLap = 1, kSplitAnchorage = 2, kInclinedAnchorage = 3;
constexpr int kMandrelLoops = 4, kMandrelMain = 5, kMandrelInclined = 7, kMandrelHangers = 8;
// Main-tie spacing of a beam-end corbel, hanger spacing there, hanger row spacing.
constexpr int kBeamEndSpacing = 0, kBeamEndHangerSpacing = 1, kHangerRowSpacing = 3;

double Diameter(int index)
{
    // The free diameter has no value of its own here: it gives 0 (no bar).
    return Get_Rebar_Diameter_Cm(index, -1.0);
}

bool Group_Present(const Bar_Group& g)
{
    return g.count > 0 && g.legs > 0;
}

class Rebar_Drawing {
public:
    explicit Rebar_Drawing(const Section_Figure& f);
    void Draw();

private:
    // ---- output through the frame ----
    double X(double x, double /*y*/) const { return flip_ ? lk_ - x : x; }
    double Y(double y) const { return flip_ ? hk_ - y : y; }
    void Use(int colour, int fill);
    void Bar(double x1, double y1, double x2, double y2, double d);
    void Bend(double cx, double cy, double r, double start, double d);
    void Section_Circle(double x, double y, double d);
    void Label(double x, double y, int count, double d);
    void Mandrel(double cx, double cy, double D);
    void Dimension(double x1, double y1, double x2, double y2);
    void Text(double x, double y, int vertical, int horizontal, const std::string& text);
    void Line(double x1, double y1, double x2, double y2, int colour, int pen);
    void Haunch(double s, double t);

    // ---- the kinds ----
    void Member_Bars_Across();
    void Member_Bars_In_Plane();
    void Main_Tie();
    void Main_Tie_Loops();
    void Inclined_Bars();
    void Vertical_Splitting();
    void Horizontal_Splitting();
    void Hangers();
    void Anchorage_Bars();
    void Dimensions();

    double Layer_Offset(int layer) const;
    double Closed_Loop(double xl, double xr, double yt, double yb, double d, double r);

    const Section_Figure& f_;
    const Corbel_Model& md_;
    const Corbel_Rebar_Choice& rb_;
    bool flip_;
    double lk_, hk_;         // of the corbel, for the mapping
    double x0_, y0_;         // joint face and loaded edge in the frame
    double far_x_;           // far end of the member along x in the frame
    double B1_, B2_;         // member: extent across the joint (x) and, at a beam-end
                             // corbel, its depth (y)
    double cv_, ch_, e1_, z3_;
    bool column_;            // load corbel on a column
    bool labels_;
    int colour_ = 0, fill_ = 0;
    // Diameters of the kinds, 0 when absent.
    double d_m_ = 0, d_sv_ = 0, d_sh_ = 0, d_hg_ = 0, d_in_ = 0, d_av_ = 0, d_ah_ = 0;
    double d_b1_ = 0, d_b2_ = 0, d_k1_ = 0, d_k2_ = 0;
    // Main tie (single corbel): first and last layer diameter, layers drawn.
    double d_first_ = 0, d_last_ = 0;
    int layers_ = 0;
    double tie_end_x_ = 0;   // end of the first layer in a beam
};

Rebar_Drawing::Rebar_Drawing(const Section_Figure& f)
    : f_(f), md_(*f.model), rb_(f.model->rebar), flip_(f.support), lk_(f.lk), hk_(f.hk)
{
    if (flip_) {
        x0_ = y0_ = 0.0;
        far_x_ = f.lk - f.w;
        // A support corbel's member depth runs along y; at a beam-end corbel its width
        // (the beam height as stored) runs along x.
        B1_ = f.beam_end ? f.b2 : f.b1;
        B2_ = f.b1;
    } else {
        x0_ = f.x0;
        y0_ = f.y0;
        far_x_ = 0.0;
        B1_ = f.b1;
        B2_ = f.b2;
    }
    cv_ = rb_.cover_v;
    ch_ = rb_.cover_h;
    e1_ = rb_.member_axis_given;
    z3_ = md_.summary.z3;
    column_ = f.load && !f.on_beam;
    labels_ = md_.print_options.switches[EC2_PRINT_EXTRA_INFO] != 0;

    layers_ = std::clamp(rb_.layers, 0, CORBEL_MAX_LAYERS);
    if (f.beam_end) {
        if (rb_.spacing[kBeamEndSpacing] > kPresent && rb_.beam_end_legs > 0)
            d_m_ = Diameter(rb_.layer_diameter[0]);
        layers_ = 0;
    } else if (layers_ >= 1) {
        for (int i = 0; i < layers_; ++i) d_m_ = std::max(d_m_, Diameter(rb_.layer_diameter[i]));
        d_first_ = Diameter(rb_.layer_diameter[0]);
        d_last_ = Diameter(rb_.layer_diameter[layers_ - 1]);
    }
    const Bar_Group* g = rb_.group;
    if (Group_Present(g[kSplitV])) d_sv_ = Diameter(g[kSplitV].diameter);
    if (Group_Present(g[kSplitH])) d_sh_ = Diameter(g[kSplitH].diameter);
    if (Group_Present(g[kHangers]) &&
        (!f.beam_end || rb_.spacing[kBeamEndHangerSpacing] > kPresent))
        d_hg_ = Diameter(g[kHangers].diameter);
    if (Group_Present(g[kInclined])) d_in_ = Diameter(g[kInclined].diameter);
    if (Group_Present(g[kAnchorV])) d_av_ = Diameter(g[kAnchorV].diameter);
    if (Group_Present(g[kAnchorH])) d_ah_ = Diameter(g[kAnchorH].diameter);
    if (rb_.member_count[0] > 0) d_b1_ = Diameter(rb_.member_diameter[0]);
    if (rb_.member_count[1] > 0) d_b2_ = Diameter(rb_.member_diameter[1]);
    if (f.beam_end) {
        if (rb_.end_count[0] > 0) d_k1_ = Diameter(rb_.end_diameter[0]);
        if (rb_.end_count[1] > 0) d_k2_ = Diameter(rb_.end_diameter[1]);
    }

    // What the system leaves out, whatever the choice says.
    if (column_) d_av_ = d_ah_ = 0.0;
    if (!f.indirect || f.t == 0.0) d_in_ = 0.0;
    if (column_ && !f.indirect && !f.beam_end) d_hg_ = 0.0;
    if (md_.summary.short_anch) d_ah_ = 0.0;
}

void Rebar_Drawing::Use(int colour, int fill)
{
    colour_ = colour;
    fill_ = fill;
    Set_Plot_Colour(colour);
    Plot_Set_Fill_Index(fill);
}

void Rebar_Drawing::Bar(double x1, double y1, double x2, double y2, double d)
{
    Plot_Band(X(x1, y1), Y(y1), X(x2, y2), Y(y2), d, f_.drawing_file ? 1 : 0);
}

void Rebar_Drawing::Bend(double cx, double cy, double r, double start, double d)
{
    // Half a turn maps an angle to the opposite one.
    const double s = flip_ ? std::fmod(start + 180.0, 360.0) : start;
    Plot_Coloured_Arc(X(cx, cy), Y(cy), r, s, 90.0, -1, fill_, colour_, d,
                      f_.drawing_file ? 1 : 0);
}

void Rebar_Drawing::Section_Circle(double x, double y, double d)
{
    Plot_Circle_With_Outline(X(x, y), Y(y), d / 2.0, plot_light_blue, kBarFill, kPen1,
                             plot_light_blue);
}

void Rebar_Drawing::Label(double x, double y, int count, double d)
{
    if (!labels_) return;
    Plot_Bar_Label(X(x, y), Y(y), count, d, 0.0);
    Use(colour_, fill_);
}

void Rebar_Drawing::Mandrel(double cx, double cy, double D)
{
    if (!(D > kPresent)) return;
    const double x = X(cx, cy), y = Y(cy), k = kHalfSqrt2 * D / 2.0;
    Set_Plot_Colour(plot_black);
    Plot_Draw_Arc(x, y, D, 0.0, 360.0);
    const std::string text = Format_String("%.0lf", D);
    Plot_Draw_Dimension_Line(x - k, y - k, x + k, y + k, " ", text.c_str());
    Use(colour_, fill_);
}

void Rebar_Drawing::Dimension(double x1, double y1, double x2, double y2)
{
    // Turned by half a turn, the two ends swap so that the text keeps its side.
    if (flip_)
        Plot_Draw_Length_Dimension(X(x2, y2), Y(y2), X(x1, y1), Y(y1), kDimensionSize, 0);
    else
        Plot_Draw_Length_Dimension(x1, y1, x2, y2, kDimensionSize, 0);
}

void Rebar_Drawing::Text(double x, double y, int vertical, int horizontal,
                         const std::string& text)
{
    if (flip_) {
        // Bottom and top, left and right change places.
        vertical = vertical == 0 ? 2 : vertical == 4 ? 4 : 0;
        horizontal = horizontal == 1 ? 3 : horizontal == 4 ? 4 : 1;
    }
    Plot_Write_Text_Anchored(X(x, y), Y(y), vertical, horizontal, "%s", text.c_str());
}

void Rebar_Drawing::Line(double x1, double y1, double x2, double y2, int colour, int pen)
{
    Plot_Coloured_Line(X(x1, y1), Y(y1), X(x2, y2), Y(y2), colour, pen);
}

double Rebar_Drawing::Layer_Offset(int layer) const
{
    return Main_Tie_Layer_Offset(&rb_, layer, f_.params);
}

// A closed loop of four strips with rounded corners between the two legs xl < xr and
// yt < yb (axes of the legs). Returns the radius used.
double Rebar_Drawing::Closed_Loop(double xl, double xr, double yt, double yb, double d, double r)
{
    Bar(xl + r, yt, xr - r, yt, d);
    Bend(xr - r, yt + r, r, 180.0, d);
    Bar(xr, yt + r, xr, yb - r, d);
    Bend(xr - r, yb - r, r, 90.0, d);
    Bar(xr - r, yb, xl + r, yb, d);
    Bend(xl + r, yb - r, r, 0.0, d);
    Bar(xl, yb - r, xl, yt + r, d);
    Bend(xl + r, yt + r, r, 270.0, d);
    return r;
}

void Rebar_Drawing::Draw()
{
    if (f_.beam_end)
        Member_Bars_Across();
    else
        Member_Bars_In_Plane();
    if (f_.beam_end)
        Main_Tie_Loops();
    else
        Main_Tie();
    Inclined_Bars();
    Vertical_Splitting();
    Horizontal_Splitting();
    Hangers();
    Anchorage_Bars();
    Dimensions();
}

// Bars of a beam-end corbel's beam and of the corbel itself, cut across.
void Rebar_Drawing::Member_Bars_Across()
{
    const double x = x0_ - ch_ - d_hg_;
    const double span = B1_ - 2.0 * ch_ - 2.0 * std::max(d_m_, d_hg_);
    auto row = [&](int n, double d, double y) {
        if (!(d > kPresent) || n <= 0) return;
        const double p = n < 2 ? (span - d) / 2.0 : (span - d) / (n - 1);
        for (int i = 0; i < n; ++i) Section_Circle(x - d / 2.0 - i * p, y, d);
        Label(x - d / 2.0, y, n, d);
    };
    row(rb_.member_count[0], d_b1_, y0_ + f_.hk - B2_ + cv_ + d_hg_ + d_b1_ / 2.0);
    row(rb_.member_count[1], d_b2_, y0_ + f_.hk - cv_ - std::max(d_m_, d_hg_) - d_b2_ / 2.0);

    auto corbel_row = [&](int n, double d, double y) {
        if (!(d > kPresent) || n <= 0) return;
        const double p = n < 2 ? 0.0 : (f_.lk - d - d_m_) / (n - 1);
        const double first = x0_ + f_.lk - ch_ - d_m_ - d / 2.0;
        for (int i = 0; i < n; ++i) Section_Circle(first - i * p, y, d);
        Label(first, y, n, d);
    };
    corbel_row(rb_.end_count[0], d_k1_, y0_ + cv_ + d_m_ + d_k1_ / 2.0);
    corbel_row(rb_.end_count[1], d_k2_, y0_ + f_.hk - cv_ - d_m_ - d_k2_ / 2.0);
}

// Longitudinal bars of a single corbel's member, in the drawing plane.
void Rebar_Drawing::Member_Bars_In_Plane()
{
    Use(section_plot_pens[SECTION_REBAR_COLOUR], section_plot_pens[SECTION_REBAR_FILL]);
    const double hk = f_.hk;
    if (!column_) {
        if (d_b1_ > kPresent) {
            const double y = y0_ + hk - B1_ + cv_ + d_hg_ + d_b1_ / 2.0;
            double start = x0_ - ch_;
            if (md_.summary.short_anch) {
                start = x0_;
                Bar(x0_, y - 2.0 * d_b1_, x0_, y + 2.0 * d_b1_, d_b1_);
            }
            Bar(start, y, far_x_, y, d_b1_);
            Label(far_x_ + 0.2 * (start - far_x_), y, rb_.member_count[0], d_b1_);
        }
        if (d_b2_ > kPresent) {
            const double y = y0_ + hk - cv_ - d_hg_ - d_b2_ / 2.0;
            const double start = x0_ + f_.lk - ch_;
            Bar(start, y, far_x_, y, d_b2_);
            Label(far_x_ + 0.2 * (start - far_x_), y, rb_.member_count[1], d_b2_);
        }
        return;
    }
    const double h = f_.h;
    if (d_b1_ > kPresent) {
        const double x = x0_ - B1_ + ch_ + d_sh_ + d_b1_ / 2.0;
        Bar(x, 0.0, x, h, d_b1_);
        Label(x, 0.1 * h, rb_.member_count[0], d_b1_);
    }
    if (d_b2_ > kPresent) {
        const double x = x0_ - ch_ - d_b2_ / 2.0;
        Bar(x, 0.0, x, h, d_b2_);
        Label(x, 0.1 * h, rb_.member_count[1], d_b2_);
    }
}

// The main tie of a single corbel, layer by layer.
void Rebar_Drawing::Main_Tie()
{
    if (!(d_m_ > kPresent)) return;
    Use(section_plot_pens[SECTION_REBAR_COLOUR], section_plot_pens[SECTION_REBAR_FILL]);
    const double L = rb_.anchorage[kMainAnchorage] >= 0.01 ? rb_.anchorage[kMainAnchorage]
                                                           : 2.0 * e1_;
    const double D_s = rb_.anchorage[kMandrelMain];
    const double lift = column_ ? std::max(d_sv_, d_hg_) : d_sv_;
    for (int i = 0; i < layers_; ++i) {
        const double d = Diameter(rb_.layer_diameter[i]);
        const int n = rb_.layer_bars[i];
        if (!(d > kPresent)) continue;
        const double offset = Layer_Offset(i);
        const double r = D_s >= 0.01 ? D_s / 2.0 : 7.5 * d;
        const double y = y0_ + cv_ + d / 2.0 + offset + lift;
        double start = x0_ + f_.lk - ch_;
        if (md_.summary.short_main) {
            start = x0_ + f_.lk;
            Bar(start, y + 2.0 * d, start, y - 2.0 * d, d);
        }
        double end;
        if (column_) {
            end = x0_ - B1_ + ch_ + d_sh_ + r + d / 2.0 + offset;
            Bar(start, y, end, y, d);
            Bend(end, y + r, r, 270.0, d);
            const double leg_end = std::min(y + r + L, f_.h);
            Bar(end - r, y + r, end - r, leg_end, d);
            Mandrel(end, y + r, D_s);
        } else {
            end = z3_ > 0.01 ? x0_ - L / 2.0 - (z3_ + e1_) : x0_ - e1_ - L;
            end = std::max(end, far_x_);
            if (flip_) {
                // A support corbel's tie turns down into the member at its end.
                Bar(start, y, end, y, d);
                Bend(end, y - r, r, 0.0, d);
                const double leg_end = std::max(y - r - L, y0_ + f_.hk - f_.b1 + cv_);
                if (leg_end < y - r) Bar(end - r, y - r, end - r, leg_end, d);
                Mandrel(end, y - r, D_s);
            } else {
                Bar(start, y, end, y, d);
            }
        }
        if (i == 0) tie_end_x_ = end;
        // Labels of neighbouring layers are set apart along the bars.
        Label((start + end) / 2.0 - i * 1.5 * f_.N, y, n, d);
    }
}

// The main tie of a beam-end corbel: closed loops through corbel and beam.
void Rebar_Drawing::Main_Tie_Loops()
{
    if (!(d_m_ > kPresent)) return;
    Use(section_plot_pens[SECTION_REBAR_COLOUR], section_plot_pens[SECTION_REBAR_FILL]);
    const double d = d_m_;
    const double D_k = rb_.anchorage[kMandrelLoops];
    const double r = D_k >= 0.01 ? D_k / 2.0 : 2.0 * d;
    const double yt = y0_ + cv_ + d / 2.0, yb = y0_ + f_.hk - cv_ - d / 2.0;
    const double xr = x0_ + f_.lk - ch_ - d / 2.0, xl = x0_ - B1_ + ch_ + d / 2.0;
    Closed_Loop(xl, xr, yt, yb, d, r);
    const int legs = rb_.beam_end_legs;
    if (legs > 2) {
        const double pitch = (f_.hk - 2.0 * cv_ - d) / (legs - 1);
        for (int k = 1; k <= legs - 2; ++k) Bar(xl, yt + k * pitch, xr, yt + k * pitch, d);
    }
    Mandrel(xr - r, yt + r, D_k);
    Label((xl + xr) / 2.0, yt, legs, d);
}

// The triangle that an indirect load adds on the loaded side of the joint.
void Rebar_Drawing::Haunch(double s, double t)
{
    const double lk = f_.lk;
    const double px[3] = {x0_, x0_ + lk - s, x0_};
    const double py[3] = {y0_, y0_, y0_ - (lk - s) * t};
    double X3[3], Y3[3];
    for (int i = 0; i < 3; ++i) X3[i] = X(px[i], py[i]), Y3[i] = Y(py[i]);
    Set_Plot_Colour(section_plot_pens[SECTION_CONCRETE_COLOUR]);
    Plot_Set_Fill_Index(section_plot_pens[SECTION_CONCRETE_FILL]);
    Plot_Fill_Polygon_If_Colour(3, X3, Y3);
    for (int i = 0; i < 3; ++i)
        Line(px[i], py[i], px[(i + 1) % 3], py[(i + 1) % 3], plot_black, kPen2);
}

void Rebar_Drawing::Inclined_Bars()
{
    if (!(d_in_ > kPresent)) return;
    const double t = f_.t, lk = f_.lk, hk = f_.hk, d = d_in_;
    const double s = (hk - cv_) / t;
    if (s < lk - 2.0 * ch_) Haunch(s, t);
    Use(section_plot_pens[SECTION_REBAR_COLOUR], section_plot_pens[SECTION_REBAR_FILL]);

    const double xs = x0_ + lk - ch_, ys = y0_ + hk - ch_;
    const double z = rb_.inclined_axis_required;
    double xe, ye;
    if (column_) {
        xe = x0_ - B1_ + ch_ + d / 2.0;
        ye = ys - (xs - xe) * t;
    } else {
        ye = y0_ + hk - B1_ + z;
        xe = xs - (ys - ye) / t;
    }
    Bar(xs, ys, xe, ye, d);
    if (md_.summary.short_incl) {
        // A plate across the bar's start: 2 d to either side, at right angles to it.
        const double len = std::hypot(1.0, t);
        const double nx = t / len * 2.0 * d, ny = -1.0 / len * 2.0 * d;
        Bar(xs - nx, ys - ny, xs + nx, ys + ny, d);
    }
    const int n = rb_.group[kInclined].count;
    const double m = rb_.anchorage[kInclinedAnchorage];
    double leg_x = xe, leg_y = ye;
    if (column_) {
        leg_y = std::max(ye - m, 0.0);
        if (m > kPresent) Bar(xe, ye, xe, leg_y, d);
    } else {
        leg_x = xe - m;
        if (m > kPresent) Bar(xe, ye, leg_x, ye, d);
    }
    Label((xs + xe) / 2.0, (ys + ye) / 2.0, n, d);

    // The inclination at the upper end.
    Line(xe, ye, xe + 0.4 * f_.N, ye, plot_black, kPen1);
    Text(xe + 0.4 * f_.N, ye, 0, 3, Format_String("%.1lf\xF8", md_.inclination));
    Use(colour_, fill_);

    const double D = rb_.anchorage[kMandrelInclined];
    if (column_)
        Mandrel(xe + D / 2.0, ye - (D / 2.0) * std::tan((90.0 - md_.inclination) * kHalfDegree), D);
    else
        Mandrel(xe - (D / 2.0) / std::tan((180.0 - md_.inclination) * kHalfDegree), ye + D / 2.0,
                D);

    if (!column_ && z > 0.01) {
        Set_Plot_Colour(plot_black);
        const double x = leg_x - 0.6 * f_.N;
        Dimension(x, y0_ + hk - B1_, x, y0_ + hk - B1_ + z);
        Use(colour_, fill_);
    }
}

void Rebar_Drawing::Vertical_Splitting()
{
    if (!(d_sv_ > kPresent)) return;
    Use(section_plot_pens[SECTION_REBAR2_COLOUR], section_plot_pens[SECTION_REBAR2_FILL]);
    const int n = rb_.group[kSplitV].count;
    const double d = d_sv_, lk = f_.lk, hk = f_.hk;
    const double e = std::max(d, 2.0) + d / 2.0;
    double first, pitch = 0.0;
    if (!column_ || !f_.indirect) {
        if (n == 1) {
            first = x0_ + f_.a / 2.0;
        } else {
            first = f_.lp > 0.01 ? x0_ + f_.a + f_.lp / 2.0
                                 : x0_ + lk - d / 2.0 - std::max(d_m_, d_sh_) - ch_;
            pitch = (first - x0_ - e) / (n - 1);
        }
    } else {
        const double xr = 2.0 * (lk - f_.a);
        first = x0_ + lk - d / 2.0 - e - xr;
        if (n > 1) pitch = (lk - xr - d / 2.0 - 2.0 * e) / (n - 1);
    }
    const bool chamfered = f_.hk2 > 0.01 && lk > 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = first - i * pitch;
        double bottom = y0_ + hk - cv_;
        if (chamfered) bottom = y0_ + hk - cv_ - f_.hk2 + i * (f_.hk2 / lk) * pitch;
        Bar(x, y0_ + cv_, x, bottom, d);
        if (i == 0) Label(x, (y0_ + cv_ + bottom) / 2.0, n, d);
    }
}

void Rebar_Drawing::Horizontal_Splitting()
{
    if (!(d_sh_ > kPresent)) return;
    Use(section_plot_pens[SECTION_REBAR2_COLOUR], section_plot_pens[SECTION_REBAR2_FILL]);
    const int n = rb_.group[kSplitH].count;
    const double d = d_sh_, hk = f_.hk;
    const double start = x0_ + f_.lk - ch_;
    const double layers_span = layers_ >= 1 ? Layer_Offset(layers_ - 1) : 0.0;
    if (!column_) {
        const double ya = y0_ + cv_ + d_first_ / 2.0 + layers_span;
        const double yb = y0_ + hk - cv_ - d_b2_ / 2.0 - d_hg_;
        double end;
        if (rb_.anchorage[kSplitAnchorage] >= 0.1) {
            end = x0_ - d_ah_ - ch_ - rb_.anchorage[kSplitAnchorage];
        } else {
            const int hangers = d_hg_ > kPresent ? rb_.group[kHangers].count : 0;
            double s = rb_.spacing[kHangerRowSpacing];
            if (s < 0.01 && hangers > 0) s = Calc_Min_Bar_Spacing(d_hg_, d_hg_, f_.params);
            end = x0_ - ch_ - d - d_hg_ - std::max(hangers - 1, 0) * s - d_ah_;
        }
        for (int j = 1; j <= n; ++j) {
            const double y = ya + j * (yb - ya) / (n + 1);
            Bar(start, y, end, y, d);
            if (j == n) Label((start + end) / 2.0, y, n, d);
        }
        return;
    }
    // Spread over the depth at the face; under a chamfer a stirrup ends where the sloping
    // bottom leaves it its cover (above the free end's depth they would all crowd into the
    // shallow end).
    const double dv = std::max(d_sv_, d_hg_);
    const double usable = hk - dv - cv_ - (d_first_ + d_last_) / 2.0 - layers_span;
    const double first = y0_ + hk - (d / 2.0 + dv + cv_);
    const double pitch =
        n > 1 ? (usable - std::max(d, 2.0) - d - dv - cv_) / (n - 1) : 0.0;
    const double end = x0_ - B1_ + ch_;
    for (int i = 0; i < n; ++i) {
        const double y = first - i * pitch;
        const double reach = Chamfer_Reach(f_.lk - ch_, i * pitch, f_.lk, f_.hk2);
        const double from = reach < f_.lk - ch_ ? x0_ + reach : start;
        Bar(from, y, end, y, d);
        if (i == 0) Label((from + end) / 2.0, y, n, d);
    }
}

void Rebar_Drawing::Hangers()
{
    if (!(d_hg_ > kPresent)) return;
    const double d = d_hg_, hk = f_.hk;
    const Bar_Group& g = rb_.group[kHangers];
    if (f_.beam_end) {
        Use(section_plot_pens[SECTION_REBAR2_COLOUR], section_plot_pens[SECTION_REBAR2_FILL]);
        const double D = rb_.anchorage[kMandrelHangers];
        const double r = D >= 0.01 ? D / 2.0 : 2.0 * d;
        const double xr = x0_ - ch_ - d / 2.0, xl = x0_ - B1_ + ch_ + d / 2.0;
        const double yt = y0_ + hk - B2_ + cv_ + d / 2.0, yb = y0_ + hk - cv_ - d / 2.0;
        Closed_Loop(xl, xr, yt, yb, d, r);
        if (g.legs > 2) {
            const double pitch = (B1_ - 2.0 * ch_ - d) / (g.legs - 1);
            for (int k = 1; k <= g.legs - 2; ++k) Bar(xr - k * pitch, yt, xr - k * pitch, yb, d);
        }
        Mandrel(xr - r, yb - r, D);
        Label(xr, 0.3 * (yt + yb), g.count, d);
        return;
    }
    if (!column_) {
        Use(section_plot_pens[SECTION_REBAR_COLOUR], section_plot_pens[SECTION_REBAR_FILL]);
        const int n = g.count;
        const double s = Get_Bar_Axis_Spacing(&rb_, 0, 0, 1, f_.params);
        const double first = x0_ - e1_ + (n - 1) * s / 2.0;
        for (int i = 0; i < n; ++i) {
            const double x = first - i * s;
            Bar(x, y0_ + hk - B1_ + cv_, x, y0_ + hk - cv_, d);
            if (i == 0) Label(x, y0_ + hk - B1_ / 2.0, n, d);
        }
        return;
    }
    if (f_.indirect) {
        // One stirrup round the loaded end, through the suspended cross member.
        Use(plot_olive, kBarFill);
        const double xa = x0_ + f_.lk - ch_ - d_sh_ - d / 2.0;
        const double xb = x0_ + ch_ - 2.0 * (f_.lk - f_.a) + f_.lk + d / 2.0;
        const double ya = y0_ + cv_ + d / 2.0, yb = y0_ + hk - cv_ - d / 2.0;
        Bar(xa, ya, xb, ya, d);
        Bar(xb, ya, xb, yb, d);
        Bar(xb, yb, xa, yb, d);
        Bar(xa, yb, xa, ya, d);
        Label(xa, (ya + yb) / 2.0, g.count, d);
    }
}

// Anchorage bars of the member; they keep the colour of the stirrup family.
void Rebar_Drawing::Anchorage_Bars()
{
    if (column_) return;
    Use(section_plot_pens[SECTION_REBAR2_COLOUR], section_plot_pens[SECTION_REBAR2_FILL]);
    const double hk = f_.hk;
    if (d_ah_ > kPresent) {
        const int n = rb_.group[kAnchorH].count;
        const double L = rb_.anchorage[kLap] >= 0.01 ? rb_.anchorage[kLap] : 3.0 * e1_;
        const double start = x0_ - ch_;
        const double end = std::max(start - L, far_x_);
        const double s0 = Calc_Min_Bar_Spacing(d_ah_, d_b1_, f_.params);
        const double s = Calc_Min_Bar_Spacing(d_ah_, d_ah_, f_.params);
        const double first = y0_ + hk - B1_ + cv_ + d_b1_ / 2.0 + d_hg_ + s0;
        for (int i = 0; i < n; ++i) Bar(start, first + i * s, end, first + i * s, d_ah_);
        Label((start + end) / 2.0, first, n, d_ah_);
    }
    if (d_av_ > kPresent) {
        const int n = rb_.group[kAnchorV].count;
        const double s = Calc_Min_Bar_Spacing(d_av_, d_av_, f_.params);
        double first = x0_ - (e1_ + z3_) + (n / 2) * s;
        if (n % 2 == 0) first -= s / 2.0;
        for (int i = 0; i < n; ++i) {
            const double x = first - i * s;
            Bar(x, y0_ + hk - B1_ + cv_, x, y0_ + hk - cv_, d_av_);
        }
        Label(first, y0_ + hk - B1_ / 2.0, n, d_av_);
    }
}

void Rebar_Drawing::Dimensions()
{
    Set_Plot_Colour(plot_black);
    const double d1k = rb_.tie_axis_given;
    if (d1k > 0.01) Dimension(x0_ + f_.a, y0_, x0_ + f_.a, y0_ + d1k);
    const bool in_beam = !column_ && !f_.beam_end && d_m_ > kPresent;
    if (!in_beam) return;
    // The embedded length of the first layer, one row outside the member's edge, and
    // beside it on the edge the node distance and z3.
    const double edge = flip_ ? hk_ - f_.h : f_.h;
    const double row = flip_ ? edge - 0.6 * f_.N : edge + 0.6 * f_.N;
    Dimension(x0_, row, tie_end_x_, row);
    if (z3_ > 0.01) {
        Dimension(x0_, edge, x0_ - e1_, edge);
        Dimension(x0_ - e1_, edge, std::max(x0_ - e1_ - z3_, far_x_), edge);
    }
}

}  // namespace

void Draw_Section_Rebar(const Section_Figure& f)
{
    Rebar_Drawing(f).Draw();
}
