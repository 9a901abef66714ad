// The corbel sketch on screen. Lengths are cm of the model; a length v becomes R(s v)
// pixels (Round_To_Int32), and sums are rounded term by term, so that neighbouring
// elements built from the same terms meet on the same pixel.
#include "sheets/corbel_sketch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "annex/nad_choice.h"
#include "base/rebar.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/detailing.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"
#include "core/corbel_extents.h"
#include "core/corbel_plot.h"
#include "sheets/edit_buffer.h"
#include "core/rebar_layers.h"
#include "sheets/sketch_screen.h"
#include "toolkit/scroll_area.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kPresent = 0.01;
constexpr int kStrutMethod = 3;
constexpr int kFar = 20000;       // pixels: far beyond any screen
constexpr int kMaxDrawn = 100;    // bars of one group drawn at most
constexpr int kAnchorageRowPx = 20;
constexpr int kLabelPx = 36;      // width of a dimension's label
// A label moved off another keeps this far from texts beside it on its line (closer, the
// two would read as one), and moves at most this much further beyond its line's end.
constexpr int kTextsApartPx = 8;
constexpr int kFurthestPx = 40;

// What the last drawing wrote and where its outline and extension lines ran.
std::vector<Sketch_Box> sketch_texts;
std::vector<Sketch_Box> sketch_strokes;
// Places of texts drawn later that the dimension labels keep clear of (the loads' letters).
std::vector<Sketch_Box> sketch_reserved;

// The reinforcement sketch dimensions the tie's node distance and max z3 in a row of
// their own below the others: in a row with the member's width they would read as part of
// that chain, and beside the load distance their labels would meet at the face.
int Anchorage_Row_Height(const Corbel_Model& md, int mode)
{
    const bool drawn = mode == 1 && md.rebar_chosen != 0 &&
                       (md.system == SYSTEM_LOAD_CORBEL || md.system == SYSTEM_SUPPORT_CORBEL);
    return drawn && md.rebar.member_axis_given > kPresent ? kAnchorageRowPx : 0;
}

// The member of a load corbel at the end of a slab's flush downstand beam, drawn beside
// the corbel: twice the slab's thickness; a downstand beam wider than that is drawn
// whole, with one slab thickness of slab beyond it. 0 for every other corbel.
double Slab_Member_Width(const Corbel_Model& md)
{
    const bool slab_member = md.system == SYSTEM_LOAD_CORBEL && md.connection != CONNECTION_BEAM &&
                             md.execution == EXECUTION_BEAM_END && md.at_slab != 0;
    if (!slab_member) return 0.0;
    const double slab = md.beam_height, beam = md.h;
    return beam > 2.0 * slab ? beam + slab : 2.0 * slab;
}

// Groups of the reinforcement choice and entries of its lengths.
constexpr int kSplitV = 0, kSplitH = 1, kHangers = 2, kInclined = 3, kAnchorV = 4, kAnchorH = 5;
constexpr int kMainAnchorage = 0, kLap = 1, kSplitAnchorage = 2, kInclinedAnchorage = 3;
constexpr int kMandrelLoops = 4, kMandrelMain = 5, kMandrelHangers = 8;
constexpr int kBeamEndSpacing = 0, kBeamEndHangerSpacing = 1, kHangerRowSpacing = 3;

// Colours taken from the palette on the first drawing of the run.
int sketch_colours_ready = 0;
int sketch_fill_colour = 0;     // concrete
int sketch_plate_colour = 0;    // bearing plate
int sketch_tie_colour = 0;      // ties, loops, inclined bars, strut-and-tie lines
int sketch_stirrup_colour = 0;  // stirrups and hangers

double Diameter(int index)
{
    return Get_Rebar_Diameter_Cm(index, -1.0);
}

bool Group_Present(const Bar_Group& g)
{
    return g.count > 0 && g.legs > 0;
}

class Sketch {
public:
    Sketch(int x0, int y0, int x1, int y1, const Corbel_Model& md, int mode);
    void Draw();

private:
    // Lengths the sketch is not scaled to (a typed plate or load distance of any size)
    // are kept within a range whose sums still fit an int; the screen clips them.
    int R(double v) const { return std::clamp(Round_To_Int32(s_ * v), -kFar, kFar); }

    // Lines in the current colour.
    void Line(int xa, int ya, int xb, int yb, int width = 1) { pxTkLn(xa, ya, xb, yb, width); }
    void Black_Line(int xa, int ya, int xb, int yb);
    void Dashed(int xa, int ya, int xb, int yb, int colour);
    void Text(int x, int y, const char* text);
    // The box a text at (x, y) takes on the screen, as Text records it.
    static Sketch_Box Text_Box(int x, int y, const char* text);
    // Whether a box keeps clear of the texts drawn so far, by mx pixels across and my
    // pixels up and down, and (with lines) of the outline and extension lines.
    static bool Box_Clear(const Sketch_Box& b, int mx, int my, bool lines);
    // The value's label from x, or ending at x when ends_at is set.
    void Label_Value(int x, int y, const char* format, double v, bool ends_at = false);
    // A line in the current colour that labels must keep clear of.
    void Stroke(int xa, int ya, int xb, int yb);
    // Dimension lines: a horizontal one at y with its extension lines from ext_a to ext_b
    // and its label at label_y; a vertical one at column x with the label at label_x.
    // A dimension too short to hold its label between its ends takes the label beyond its
    // right end (short_side > 0) or its left end, whichever side its neighbours leave free.
    void Dim_H(int xa, int xb, int y, int ext_a, int ext_b, int label_y, double value, int gap,
               int short_side = 1);
    // A horizontal line from xa to xb (xa <= xb) that leaves out, 2 pixels either side, the
    // texts drawn or kept free before it that it would strike through (a load's letter on a
    // row).
    void H_Line_Around_Texts(int xa, int xb, int y);
    // Where a row's label that meets another may stand beyond the row's ends (starting at
    // right_x, or at left_x, which ends it before the left end): the nearest free place into
    // x_out; false when there is none.
    static bool Free_Beyond_Ends(int right_x, int left_x, int short_side, int y, const char* text,
                                 int* x_out);
    // Row 0 is the anchorage row of the reinforcement sketch, below row 1.
    void Dim_Row(int row, int xa, int xb, double value, int gap = -1, int short_side = 1);
    // A dimension too short to hold its label between its ends takes the label beyond one
    // end: above (short_side < 0) or below it.
    // avoid: heights of other lines that cross the column's label (another column's
    // extension lines); the label moves along its line clear of them.
    void Dim_Column(int column, int ya, int yb, double value, int gap = -1, int short_side = 1,
                    std::initializer_list<int> avoid = {});
    // The x of a dimension column, and where its labels begin: 15 pixels left of it,
    // across the line's gap.
    int Column_X(int column) const;
    int Column_Label_X(int column) const { return Column_X(column) - 15; }
    void Plate(int xc, int edge, int dir);

    void Support_Corbel();
    void Load_Corbel();
    void Strut_Line(int xs, int ys, int dir, int y_end);

    // ---- reinforcement (mode 1) ----
    void Rebar();
    // Frame of the reinforcement: u from the face into the corbel, v from the tie face
    // (the loaded edge) into the corbel, both cm; to pixels term by term.
    int U(double u) const { return xf_ + dir_ * R(u); }
    int V(double v) const { return edge_ + vdir_ * R(v); }
    int U_Sum(std::initializer_list<double> terms) const;
    int V_Sum(std::initializer_list<double> terms) const;
    void Bar(int xa, int ya, int xb, int yb) { Line(xa, ya, xb, yb, 2); }
    void Bend(int cx, int cy, int r, double start);
    // A closed bar bent round the rectangle's corners with the radius r.
    void Loop(int xl, int yt, int xr, int yb, int r)
    {
        Bar(xl + r, yt, xr - r, yt);
        Bar(xr, yt + r, xr, yb - r);
        Bar(xr - r, yb, xl + r, yb);
        Bar(xl, yb - r, xl, yt + r);
        Bend(xr - r, yt + r, r, 180.0);
        Bend(xr - r, yb - r, r, 90.0);
        Bend(xl + r, yb - r, r, 0.0);
        Bend(xl + r, yt + r, r, 270.0);
    }
    void Section(int x, int y, double d, int colour);
    // Depth of a beam-end corbel's beam as the layout drew it.
    double Member_Depth() const
    {
        return md_.system == SYSTEM_SUPPORT_CORBEL || md_.connection == CONNECTION_BEAM
                   ? md_.h
                   : md_.beam_height;
    }

    int x0_, y0_, x1_, y1_;
    int top_;     // of the rectangle; y0_ below it by what the drawing puts above y0_ + 10
    int bottom_;  // of the rectangle; y1_ above it by the anchorage row
    const Corbel_Model& md_;
    const Corbel_Rebar_Choice& rb_;
    const NAD_EC2_Params* params_;
    int mode_;
    double s_;
    double lh_;
    bool beam_end_, at_slab_, column_, indirect_;
    int ground_;
    // Set by the layout: face, free end, corbel top and bottom, member edges.
    int xf_ = 0, xe_ = 0, yt_ = 0, yb_ = 0;
    int dir_ = 1;       // +1: the corbel runs right of the face (load corbel)
    int edge_ = 0;      // tie face of the corbel (pixels)
    int vdir_ = 1;      // +1: into the corbel is downward
    int member_top_ = 0, member_bottom_ = 0;  // extent of the member (pixels)
};

Sketch::Sketch(int x0, int y0, int x1, int y1, const Corbel_Model& md, int mode)
    : x0_(x0), y0_(y0), x1_(x1), y1_(y1), md_(md), rb_(md.rebar), params_(nullptr),
      mode_(mode)
{
    s_ = corbel_edit_buffer.sketch_scale_x;
    if (!(s_ > 0.0) || !std::isfinite(s_)) s_ = 0.0;
    beam_end_ = md.execution == EXECUTION_BEAM_END;
    at_slab_ = md.at_slab != 0;
    column_ = md.system == SYSTEM_LOAD_CORBEL && md.connection != CONNECTION_BEAM;
    indirect_ = md.load_transfer == LOAD_TRANSFER_INDIRECT;
    lh_ = md.load_height;
    if (column_ && indirect_) lh_ = 0.0;
    if (mode_ == 1 && md.rebar_chosen == 0) mode_ = 0;
    bottom_ = y1_;
    y1_ -= Anchorage_Row_Height(md, mode_);
    top_ = y0_;
    y0_ += Sketch_Top_Overflow(&md, s_);
    ground_ = screen_palette.sketch_background;
}

void Sketch::Black_Line(int xa, int ya, int xb, int yb)
{
    pxFgc(screen_palette.text_black);
    pxTkLn(xa, ya, xb, yb, 1);
    sketch_strokes.push_back({xa, ya, xb, yb});
}

void Sketch::Stroke(int xa, int ya, int xb, int yb)
{
    pxLine(xa, ya, xb, yb);
    sketch_strokes.push_back({xa, ya, xb, yb});
}

void Sketch::Dashed(int xa, int ya, int xb, int yb, int colour)
{
    pxFgc(colour);
    pxSLn(2);
    pxLine(xa, ya, xb, yb);
    pxSLn(0);
}

void Sketch::Text(int x, int y, const char* text)
{
    pxText(x, y, text, static_cast<int>(std::strlen(text)));
    sketch_texts.push_back(Text_Box(x, y, text));
}

Sketch_Box Sketch::Text_Box(int x, int y, const char* text)
{
    int xs[4], ys[4];
    pxQTxX(text, static_cast<int>(std::strlen(text)), x, y, xs, ys);
    // Digits, points and capitals: nothing below the base line.
    return {xs[0], ys[2], xs[1] - 1, y};
}

bool Sketch::Box_Clear(const Sketch_Box& b, int mx, int my, bool lines)
{
    for (const auto* texts : {&sketch_texts, &sketch_reserved})
        for (const Sketch_Box& t : *texts)
            if (b.x1 - mx <= t.x2 && b.x2 + mx >= t.x1 && b.y1 - my <= t.y2 && b.y2 + my >= t.y1)
                return false;
    if (lines) {
        for (const Sketch_Box& k : sketch_strokes)
            if (b.x1 <= std::max(k.x1, k.x2) && b.x2 >= std::min(k.x1, k.x2) &&
                b.y1 <= std::max(k.y1, k.y2) && b.y2 >= std::min(k.y1, k.y2))
                return false;
    }
    return true;
}

void Sketch::Label_Value(int x, int y, const char* format, double v, bool ends_at)
{
    // A sum of values too large for any corbel (the data check names them) is no number:
    // no label.
    if (!std::isfinite(v)) return;
    // A slot per label, wide enough for any value the user may type.
    char slot[64] = {};
    std::snprintf(slot, sizeof slot, format, v);
    Text(ends_at ? x - Get_Text_Width_Px(slot) : x, y, slot);
}

void Sketch::Dim_H(int xa, int xb, int y, int ext_a, int ext_b, int label_y, double value,
                   int gap, int short_side)
{
    const int lo = std::min(xa, xb), hi = std::max(xa, xb);
    pxFgc(screen_palette.text_black);
    H_Line_Around_Texts(lo - 10, hi + 10, y);
    Stroke(xa, ext_a, xa, ext_b);
    Stroke(xb, ext_a, xb, ext_b);
    const int mid = (xa + xb) / 2;
    char text[64] = {};
    std::snprintf(text, sizeof text, "%.1lf", value);
    const int width = Get_Text_Width_Px(text);
    // Beyond the right end the label starts 14 pixels off it, beyond the left end it ends
    // there.
    const int right_x = hi + 14, left_x = lo - 14 - width;
    int label_x = mid - 15;
    bool inside = hi - lo >= kLabelPx;
    // A label that would meet one drawn before it (a load's letter standing on the line, a
    // neighbour's label) moves along its line: within its ends when it stays a character's
    // width off the other text, nearest to the middle first; else beyond an end where that
    // is free, or else where it was.
    if (inside && !Box_Clear(Text_Box(label_x, label_y, text), 0, 0, false)) {
        auto fits = [&](int x) {
            const Sketch_Box b = Text_Box(x, label_y, text);
            return b.x1 > lo && b.x2 < hi && Box_Clear(b, kTextsApartPx, 2, true);
        };
        inside = false;
        for (int k = 1; k <= hi - lo && !inside; ++k) {
            for (int x : {mid - 15 - k, mid - 15 + k}) {
                if (fits(x)) {
                    label_x = x;
                    inside = true;
                    break;
                }
            }
        }
        if (!inside) {
            int x = 0;
            inside = !Free_Beyond_Ends(right_x, left_x, short_side, label_y, text, &x);
            if (!inside) {
                Label_Value(x, label_y, "%.1lf", value);
                return;
            }  // no end is free: it stays
        }
    }
    // Between ends less than a label wide apart the extension lines would strike the
    // label through: it goes beyond the line's end instead, and the line keeps its middle.
    if (!inside) {
        int x = short_side > 0 ? right_x : left_x;
        if (!Box_Clear(Text_Box(x, label_y, text), 0, 0, false))
            Free_Beyond_Ends(right_x, left_x, short_side, label_y, text, &x);
        Label_Value(x, label_y, "%.1lf", value);
        return;
    }
    pxFgc(gap >= 0 ? gap : ground_);
    pxTkLn(std::max(label_x, lo + 1), y, std::min(label_x + 30, hi - 1), y, 2);
    pxFgc(screen_palette.text_black);
    Label_Value(label_x, label_y, "%.1lf", value);
}

bool Sketch::Free_Beyond_Ends(int right_x, int left_x, int short_side, int y, const char* text,
                              int* x_out)
{
    // Beyond the short side's end first, then the other's, each further off by a pixel.
    const int first = short_side > 0 ? right_x : left_x, second = short_side > 0 ? left_x : right_x;
    const int away = short_side > 0 ? 1 : -1;
    for (int k = 0; k <= kFurthestPx; ++k)
        for (int x : {first + away * k, second - away * k})
            if (Box_Clear(Text_Box(x, y, text), kTextsApartPx, 2, true)) {
                *x_out = x;
                return true;
            }
    return false;
}

void Sketch::H_Line_Around_Texts(int xa, int xb, int y)
{
    std::vector<std::pair<int, int>> cuts;
    for (const auto* texts : {&sketch_texts, &sketch_reserved})
        for (const Sketch_Box& t : *texts)
            if (t.y1 <= y && t.y2 >= y && t.x2 + 2 >= xa && t.x1 - 2 <= xb)
                cuts.push_back({t.x1 - 2, t.x2 + 2});
    std::sort(cuts.begin(), cuts.end());
    int from = xa;
    for (const auto& [a, b] : cuts) {
        if (a > from) pxLine(from, y, a - 1, y);
        from = std::max(from, b + 1);
    }
    if (from <= xb) pxLine(from, y, xb, y);
}

void Sketch::Dim_Row(int row, int xa, int xb, double value, int gap, int short_side)
{
    const int y = y1_ - 20 * row;
    Dim_H(xa, xb, y, y + 10, y - 10, y + 3, value, gap, short_side);
}

int Sketch::Column_X(int column) const
{
    // Columns 1, 2 at the left edge, 3, 4 at the right edge.
    switch (column) {
    case 1: return x0_ + 20;
    case 2: return x0_ + 40;
    case 3: return x1_ - 20;
    default: return x1_ - 40;
    }
}

void Sketch::Dim_Column(int column, int ya, int yb, double value, int gap, int short_side,
                        std::initializer_list<int> avoid)
{
    const int x = Column_X(column), label_x = Column_Label_X(column);
    const int lo = std::min(ya, yb), hi = std::max(ya, yb);
    pxFgc(screen_palette.text_black);
    pxLine(x, lo - 10, x, hi + 10);
    Stroke(x - 10, ya, x + 10, ya);
    Stroke(x - 10, yb, x + 10, yb);
    const int mid = (ya + yb) / 2;
    char text[64] = {};
    std::snprintf(text, sizeof text, "%.1lf", value);
    // A label drawn before (another column's, a row's, a load's) keeps this one off: it
    // moves as from a line to avoid, to a place 2 pixels off other texts.
    auto meets_text = [&](int y, int margin, bool lines) {
        return !Box_Clear(Text_Box(label_x, y, text), margin, margin, lines);
    };
    // A label at y covers y - 11 to y + 2, its end lines and the lines to avoid kept out.
    auto clear = [&](int y) {
        if (y - 11 <= lo || y + 2 >= hi) return false;
        for (int a : avoid)
            if (a >= y - 11 && a <= y + 2) return false;
        return !meets_text(y, y == mid + 3 ? 0 : 2, false);
    };
    int label_y = mid + 3;
    if (hi - lo >= 24 && !clear(label_y)) {
        // Nearest to the middle first.
        for (int k = 1; k <= hi - lo; ++k) {
            if (clear(mid + 3 - k)) {
                label_y = mid + 3 - k;
                break;
            }
            if (clear(mid + 3 + k)) {
                label_y = mid + 3 + k;
                break;
            }
        }
    }
    // Between ends less than two label heights apart (or with no room clear of the lines
    // to avoid) the end lines would strike the label through: it goes beyond the line's
    // end instead, and the line keeps its middle. Where that end holds an earlier label, it
    // takes the other end when that is free of texts and lines.
    if (hi - lo < 24 || !clear(label_y)) {
        const int first = short_side < 0 ? lo - 13 : hi + 22;
        const int second = short_side < 0 ? hi + 22 : lo - 13;
        const int away = short_side < 0 ? -1 : 1;
        int y = first;
        // The other end, then further off either end, nearest first.
        for (int k = 0; k <= kFurthestPx && meets_text(y, 0, false); ++k) {
            for (int c : {second - away * k, first + away * (k + 1)}) {
                if (!meets_text(c, 2, true)) {
                    y = c;
                    break;
                }
            }
        }
        Label_Value(label_x, y, "%.1lf", value);
        return;
    }
    pxFgc(gap >= 0 ? gap : ground_);
    pxTkLn(x, label_y - 9, x, label_y + 3, 2);
    pxFgc(screen_palette.text_black);
    Label_Value(label_x, label_y, "%.1lf", value);
}

void Sketch::Plate(int xc, int edge, int dir)
{
    const double t = lh_ > kPresent ? lh_ : 0.1 * md_.lp;
    const int xa = xc - R(md_.lp / 2.0), xb = xc + R(md_.lp / 2.0);
    const int far = edge + dir * Bearing_Plate_Depth_Px(R(t));
    Fill_Screen_Rect(xa, edge, xb, far, sketch_plate_colour);
    pxFgc(screen_palette.text_black);
    pxLine(xa, edge, xb, edge);
    pxLine(xb, edge, xb, far);
    pxLine(xb, far, xa, far);
    pxLine(xa, far, xa, edge);
}

void Sketch::Draw()
{
    pxFgc(ground_);
    pxRect(x0_, top_, x1_, bottom_);
    if (md_.system == SYSTEM_SUPPORT_CORBEL)
        Support_Corbel();
    else if (md_.system == SYSTEM_LOAD_CORBEL)
        Load_Corbel();
    pxSLn(0);
}

// The strut line of the strut-and-tie model: from its start at the strut angle towards the
// height y_end (dir +1 rising to the right, -1 falling to the left), cut at the margin.
void Sketch::Strut_Line(int xs, int ys, int dir, int y_end)
{
    const double tan_s = std::tan(md_.strut_angle * kRadiansPerDegree);
    // A flat strut never reaches the tie's level: no line.
    if (!(std::fabs(tan_s) >= 0.001) || !std::isfinite(tan_s)) return;
    double dx = std::fabs(static_cast<double>(ys - y_end)) / std::fabs(tan_s);
    int xe = Round_To_Int32(xs + dir * dx);
    int ye = y_end;
    const int margin = dir > 0 ? x1_ - 10 : x0_ + 10;
    if ((dir > 0 && xe > margin) || (dir < 0 && xe < margin)) {
        xe = margin;
        const double run = std::fabs(static_cast<double>(margin - xs));
        ye = Round_To_Int32(ys + (y_end < ys ? -1.0 : 1.0) * run * std::fabs(tan_s));
    }
    ye = std::clamp(ye, -kFar, kFar);
    pxFgc(screen_palette.frame_grey);
    pxSLn(4);
    pxLine(xs, ys, xe, ye);
    pxSLn(0);
    // Its first 20 pixels, measured along x, solid in black.
    const int run20 = std::min(20, std::abs(xe - xs));
    const double slope = xe != xs ? static_cast<double>(ye - ys) / (xe - xs) : 0.0;
    pxFgc(screen_palette.text_black);
    pxLine(xs, ys, xs + dir * run20,
           std::clamp(Round_To_Int32(ys + slope * dir * run20), -kFar, kFar));
    if (dir < 0) pxLine(xs, ys, xs - 20, ys);
    if (dir > 0)
        Label_Value(xs + 12, ys - 2, "%.1lf\xF8", md_.strut_angle);
    else
        Label_Value(xs - 42, ys + 8, "%.1lf\xF8", md_.strut_angle);
}

void Sketch::Support_Corbel()
{
    const Corbel_Model& md = md_;
    const double m1 = md.h, m2 = md.beam_height, lk = md.lk, hk = md.hk;
    const double la = md.load_a;
    const double bw = at_slab_ ? 2.0 * m2 : m2;

    int xn = x0_ + 50;
    xf_ = x0_ + 50 + R(lk);
    if (beam_end_ && !at_slab_) {
        const int half = (x1_ - 10 - (x0_ + 50)) / 2;
        if (R(lk) <= half && R(bw) <= half) {
            xf_ = (x0_ + 50 + x1_ - 10) / 2;
            xn = xf_ - R(lk);
        }
    }
    yt_ = y0_ + 10;
    yb_ = yt_ + R(hk);
    const int ym = yt_ + R(m1);
    const int far = beam_end_ ? xn + R(lk) + R(bw) : x1_ - 10;
    xe_ = xn;
    dir_ = -1;
    edge_ = yb_;
    vdir_ = -1;
    member_top_ = yt_;
    member_bottom_ = ym;

    {
        const int px[6] = {xf_, xn, xn, far, far, xf_};
        const int py[6] = {yb_, yb_, yt_, yt_, ym, ym};
        pxFgc(sketch_fill_colour);
        pxFill(6, px, py);
    }
    if (beam_end_ && at_slab_) {
        pxFgc(screen_palette.slab_fill);
        pxRect(xf_, yt_, xf_ + R(m2), ym);
        Dashed(xf_ + R(m2), yt_, xf_ + R(m2), ym, screen_palette.text_black);
    }
    Black_Line(xn, yb_, xf_, yb_);
    Black_Line(xn, yb_, xn, yt_);
    Black_Line(xn, yt_, far, yt_);
    if (beam_end_ && !at_slab_) Black_Line(far, yt_, far, ym);
    Black_Line(xf_, ym, far, ym);
    Black_Line(xf_, yb_, xf_, ym);
    Dashed(xf_, yb_, xf_, yt_, screen_palette.frame_grey);

    // The loads' letters are drawn after the dimensions beside them: their places are
    // kept free.
    const int xl = xf_ - R(la), yl = yb_ + R(lh_);
    // "H" beside its arrow, or below it where the arrow runs along the corbel's bottom line.
    const int a_x = xl + 4, a_y = yl + 44, h_x = xl + 22, h_y = yl < yb_ + 10 ? yb_ + 14 : yl + 4;
    sketch_reserved = {Text_Box(a_x, a_y, "A"), Text_Box(h_x, h_y, "H")};

    Dim_Column(1, yt_, yb_, hk);
    Dim_Column(3, yt_, ym, m1, sketch_fill_colour);
    Dim_Row(1, xn, xf_, lk);
    if (beam_end_) Dim_Row(1, xf_, xf_ + R(m2), m2);

    if (md.lp > kPresent) {
        Plate(xf_ - R(la), yb_, 1);
        // Short labels left of their dimensions: right of them the face's line runs down
        // past row 3, and e1 stands in row 2.
        Dim_Row(3, xf_ - R(la) - R(md.lp / 2.0), xf_ - R(la) + R(md.lp / 2.0), md.lp, -1, -1);
    }

    pxFgc(screen_palette.load_arrow_red);
    Draw_Arrow(xl, yl + 24, 32, 0, "", kPi / 2.0);
    Draw_Arrow(xl, yl, 32, 1, "", 0.0);
    Text(a_x, a_y, "A");
    Text(h_x, h_y, "H");
    sketch_reserved.clear();
    if (lh_ > kPresent) Dim_Column(1, yl, yb_, lh_);
    Dim_Row(2, xl, xf_, la, -1, -1);

    if (mode_ == 1) {
        Rebar();
    } else {
        const double d1k = md.d1k, d1 = md.d1, e1 = md.e1;
        pxFgc(sketch_tie_colour);
        int tie_end;
        if (beam_end_ && !at_slab_)
            tie_end = xf_ + R(m2) - R(d1k);
        else if (beam_end_)
            tie_end = xf_ + R(m2) + R(m2 / 2.0);
        else
            tie_end = xf_ + R(2.0 * lk);
        tie_end = std::min(tie_end, x1_ - 10);
        Line(xn + R(d1k), yb_ - R(d1k), tie_end, yb_ - R(d1k), 2);
        if (beam_end_) {
            Line(xf_ + R(e1), ym - R(e1), xf_ + R(e1), yt_ + R(e1), 2);
        } else {
            pxFgc(screen_palette.member_bar_blue);
            Line(xf_ + R(d1k), ym - R(d1), x1_ - 10, ym - R(d1), 2);
            pxFgc(sketch_tie_colour);
            Line(xf_ + R(e1), ym - R(d1) + R(2.0), xf_ + R(e1), yt_ + R(d1k) - R(2.0), 2);
        }
        const double t = std::tan(md.inclination * kRadiansPerDegree);
        // The data check keeps the inclination within its range, but the page is drawn
        // before it runs: without a usable tangent there is no inclined geometry.
        if (indirect_ && std::fabs(t) >= 0.001 && std::isfinite(t)) {
            if ((hk - d1k) / t < lk - d1k) {
                const double L = lk - (hk - d1k) / t;
                const int px[3] = {xf_, xf_ - R(L), xf_};
                const int py[3] = {yb_, yb_, yb_ + R(L * t)};
                pxFgc(sketch_fill_colour);
                pxFill(3, px, py);
                pxFgc(screen_palette.text_black);
                for (int i = 0; i < 3; ++i) pxLine(px[i], py[i], px[(i + 1) % 3], py[(i + 1) % 3]);
            }
            const int sx = xn + R(d1k), sy = yt_ + R(d1k);
            const double height = m1 - d1 - d1k;
            pxFgc(sketch_tie_colour);
            Line(sx, sy, sx + R(height / t), sy + R(height), 2);
            Black_Line(sx, sy, sx + 10, sy);
            Label_Value(sx + 12, sy + 8, "%.1lf\xF8", md.inclination);
        }
        Dim_Column(2, yb_ - R(d1k), yb_, d1k);
        if (beam_end_) {
            Dim_Row(2, xf_, xf_ + R(e1), e1);
        } else {
            Dim_Column(4, ym - R(d1), ym, d1, sketch_fill_colour);
            Dim_Row(1, xf_, xf_ + R(e1), e1);
        }
    }

    if (!beam_end_ && md.method == kStrutMethod) {
        const double e = mode_ == 1 ? rb_.member_axis_given : md.e1;
        const double d = mode_ == 1 ? rb_.tie_axis_given : md.d1k;
        const int ys = ym - R(md.d1);
        const int y_end = Round_To_Int32(yb_ - s_ * hk + s_ * d);
        Strut_Line(xf_ + R(e), ys, 1, y_end);
    }
}

void Sketch::Load_Corbel()
{
    const Corbel_Model& md = md_;
    const double m1 = md.h, m2 = md.beam_height, lk = md.lk, hk = md.hk;
    const double la = md.load_a, d1k = md.d1k;
    const bool con0 = md.connection == CONNECTION_BEAM;
    const double bm = (beam_end_ && at_slab_ && !con0) ? Slab_Member_Width(md) : m1;
    const int xm = x0_ + 10;
    xf_ = xm + R(bm);
    if (con0) xf_ += R(m1 / 2.0);
    if (!con0) {
        const int half = (x1_ - 10 - (x0_ + 10)) / 2;
        if (R(bm) <= half && R(lk) <= half) xf_ = (x0_ + x1_) / 2;
    }

    const bool rebar = mode_ == 1;
    const double g = rebar ? rb_.cover_v : d1k;
    const double c = rebar ? rb_.cover_h : d1k;
    const double ts = Snap_Unit_Values(std::tan(md.inclination * kRadiansPerDegree));
    const bool inclined = indirect_ && ts != 0.0 && std::isfinite(ts);
    if (con0) {
        double D = m1 - hk;
        if (inclined && (hk - g) / ts < lk - c) {
            D = std::max(D, g + (lk - (hk - g) / ts) * ts);
            xf_ = x1_ - 50 - R(lk);
        }
        if (lh_ > kPresent && s_ > 0.0) D = std::max(D, 40.0 / s_ + lh_);
        yt_ = y0_ + 10 + R(D);
    } else {
        double e = beam_end_ ? m2 - hk - lh_ : hk / 2.0;
        if (inclined) {
            const double gi = rebar ? rb_.anchorage[kInclinedAnchorage] + rb_.cover_v : d1k;
            e = std::max(e, (gi - hk) + (bm + lk - 2.0 * c) * ts);
        }
        yt_ = y0_ + 10 + R(lh_) + R(e);
    }
    xe_ = xf_ + R(lk);
    const int y_end_bottom = yt_ + R(hk) - R(md.hk_end);
    yb_ = yt_ + R(hk);
    dir_ = 1;
    edge_ = yt_;
    vdir_ = 1;
    const int top = y0_ + 10, bottom = y1_ - 50;
    member_top_ = con0 ? yb_ - R(m1) : top;
    member_bottom_ = con0 ? yb_ : bottom;

    if (con0) {
        const int px[7] = {xf_, xe_, xe_, xf_, xm, xm, xf_};
        const int py[7] = {yt_, yt_, y_end_bottom, yb_, yb_, yb_ - R(m1), yb_ - R(m1)};
        pxFgc(sketch_fill_colour);
        pxFill(7, px, py);
    } else {
        const int xb = xf_ - R(bm);
        const int px[8] = {xf_, xe_, xe_, xf_, xf_, xb, xb, xf_};
        const int py[8] = {yt_, yt_, y_end_bottom, yb_, bottom, bottom, top, top};
        pxFgc(sketch_fill_colour);
        pxFill(8, px, py);
    }
    if (!con0 && indirect_) {
        const int xa = xe_ - R(2.0 * (lk - la));
        pxFgc(screen_palette.slab_fill);
        pxRect(xa, yt_, xe_, y_end_bottom);
        Black_Line(xa, yt_, xa, y_end_bottom);
    }
    if (!con0 && beam_end_ && at_slab_) {
        pxFgc(screen_palette.slab_fill);
        pxRect(xf_ - R(m1), top, xf_, bottom);
        Dashed(xf_ - R(m1), top, xf_ - R(m1), bottom, screen_palette.text_black);
    }

    // Outline: the corbel, then the member without its cuts.
    Black_Line(xf_, yt_, xe_, yt_);
    Black_Line(xe_, yt_, xe_, y_end_bottom);
    Black_Line(xe_, y_end_bottom, xf_, yb_);
    if (con0) {
        Black_Line(xf_, yt_, xf_, yb_ - R(m1));
        Black_Line(xf_, yb_ - R(m1), xm, yb_ - R(m1));
        Black_Line(xf_, yb_, xm, yb_);
    } else {
        const int xb = xf_ - R(bm);
        Black_Line(xf_, top, xf_, yt_);
        Black_Line(xf_, yb_, xf_, bottom);
        if (!(beam_end_ && at_slab_)) Black_Line(xb, top, xb, bottom);
        if (beam_end_) {
            Black_Line(xb, top, xf_, top);
            Black_Line(xb, bottom, xf_, bottom);
        }
    }
    Dashed(xf_, yt_, xf_, yb_, screen_palette.frame_grey);

    // The loads' letters are drawn after the dimensions beside them: their places are
    // kept free. A load that hangs below has no horizontal force.
    const bool hanging = !con0 && indirect_;
    const int xl = xf_ + R(la);
    const int yl = hanging ? yt_ + 20 + R(hk) : yt_ - R(lh_);
    const int a_y = md.load_transfer == LOAD_TRANSFER_DIRECT ? yl - 32 : yl + 2;
    sketch_reserved = {Text_Box(xl + 4, a_y, "A")};
    if (!hanging) sketch_reserved.push_back(Text_Box(xl + 22, yl - 2, "H"));

    // The right-hand chain stands off the free end: extension lines lead to it from the
    // corbel's top and free-end bottom.
    pxFgc(screen_palette.frame_grey);
    for (int y : {yt_, y_end_bottom}) pxLine(xe_ + 3, y, Column_X(3) + 10, y);
    // Without reinforcement d1k stands in the next column: its extension line reaches
    // under these labels.
    const int d1k_end = mode_ == 1 ? yt_ : yt_ + R(d1k);
    Dim_Column(3, yt_, y_end_bottom, hk - md.hk_end, -1, 1, {d1k_end});
    if (md.hk_end > 0.1) Dim_Column(3, y_end_bottom, yb_, md.hk_end, -1, 1, {d1k_end});
    Dim_Row(1, xf_, xe_, lk);
    if (con0) {
        Dim_Column(1, yb_ - R(m1), yb_, m1);
    } else {
        Dim_Row(1, xf_, xf_ - R(m1), m1);
        if (beam_end_) Dim_Column(1, yb_, yb_ - R(m2), m2);
    }

    if (md.lp > kPresent && !(!con0 && indirect_)) {
        Plate(xf_ + R(la), yt_, -1);
        const int xc = xf_ + R(la);
        Dim_H(xc - R(md.lp / 2.0), xc + R(md.lp / 2.0), top_ + 20, top_ + 30, top_ + 10, top_ + 23,
              md.lp, -1);
    }

    pxFgc(screen_palette.load_arrow_red);
    Draw_Arrow(xl, yl - 24, 32, 1, "", kPi / 2.0);
    Text(xl + 4, a_y, "A");
    sketch_reserved.clear();
    if (!hanging) {
        pxFgc(screen_palette.load_arrow_red);
        Draw_Arrow(xl, yl, 32, 0, "", 0.0);
        Text(xl + 22, yl - 2, "H");
        if (lh_ > kPresent) Dim_Column(3, yl, yt_, lh_, -1, -1);
    }
    Dim_Row(2, xl, xf_, la);

    if (mode_ == 1) {
        Rebar();
    } else {
        const double d1 = md.d1, e1 = md.e1;
        pxFgc(sketch_tie_colour);
        const int tie_end = con0 ? xf_ - R(0.7 * m1) : xf_ - R(m1) + R(d1k);
        Line(xe_ - R(d1k), yt_ + R(d1k), tie_end, yt_ + R(d1k), 2);
        if (beam_end_) {
            Line(xf_ - R(e1), yb_ - R(m2) + R(e1), xf_ - R(e1), yb_ - R(e1), 2);
        } else if (con0) {
            const int y_tie = yb_ - R(m1) + R(d1);
            pxFgc(screen_palette.member_bar_blue);
            Line(xf_ - R(d1), y_tie, xm, y_tie, 2);
            pxFgc(sketch_tie_colour);
            Line(xf_ - R(e1), y_tie - R(2.0), xf_ - R(e1), yb_ - R(d1k), 2);
        }
        const double t = std::tan(md.inclination * kRadiansPerDegree);
        if (indirect_ && std::fabs(t) >= 0.001 && std::isfinite(t)) {
            if ((hk - d1k) / t < lk - d1k) {
                const double L = lk - (hk - d1k) / t;
                const int px[3] = {xf_, xf_ + R(L), xf_};
                const int py[3] = {yt_, yt_, yt_ - R(L * t)};
                pxFgc(sketch_fill_colour);
                pxFill(3, px, py);
                pxFgc(screen_palette.text_black);
                for (int i = 0; i < 3; ++i) pxLine(px[i], py[i], px[(i + 1) % 3], py[(i + 1) % 3]);
            }
            const int sx = xe_ - R(d1k), sy = yb_ - R(d1k);
            double w, h;
            if (con0) {
                h = m1 - d1 - d1k;
                w = h / t;
            } else {
                w = m1 + lk - 2.0 * d1k;
                h = w * t;
            }
            pxFgc(sketch_tie_colour);
            Line(sx, sy, sx - R(w), sy - R(h), 2);
            Black_Line(sx, sy, sx - 10, sy);
            Label_Value(sx - 42, sy - 2, "%.1lf\xF8", md.inclination);
        }
        // A short d1k's label below its line would stand on a free end reaching under the
        // label: then it goes above the corbel's top.
        const int label_x = Column_Label_X(4);
        const bool free_end_under = xe_ >= label_x - 1 && xe_ <= label_x + kLabelPx;
        Dim_Column(4, yt_, yt_ + R(d1k), d1k, -1, free_end_under ? -1 : 1);
        // e1 stands left of the face, la right of it: a short e1 keeps its label left.
        if (beam_end_) {
            Dim_Row(2, xf_ - R(e1), xf_, e1, -1, -1);
        } else if (con0) {
            Dim_Column(2, yb_ - R(m1), yb_ - R(m1) + R(d1), d1, sketch_fill_colour);
            Dim_Row(2, xf_ - R(e1), xf_, e1, -1, -1);
        }
    }

    if (!beam_end_ && con0 && md.method == kStrutMethod) {
        const double e = mode_ == 1 ? rb_.member_axis_given : md.e1;
        const double d = mode_ == 1 ? rb_.tie_axis_given : d1k;
        Strut_Line(xf_ - R(e), yb_ - R(m1) + R(md.d1), -1, yb_ - R(d));
    }
}

// ---------------------------------------------------------------------------------------
// Reinforcement (mode 1)

int Sketch::U_Sum(std::initializer_list<double> terms) const
{
    int p = 0;
    for (double t : terms) p += R(t);
    return xf_ + dir_ * p;
}

int Sketch::V_Sum(std::initializer_list<double> terms) const
{
    int p = 0;
    for (double t : terms) p += R(t);
    return edge_ + vdir_ * p;
}

void Sketch::Bend(int cx, int cy, int r, double start)
{
    Draw_Arc_Band(cx, cy, r, start, 90.0, -1, pxQFgc(), 2);
}

void Sketch::Section(int x, int y, double d, int colour)
{
    Draw_Regular_Polygon(x, y, R(d / 2.0), 6, colour, 1, colour);
}

void Sketch::Rebar()
{
    params_ = NAD_Get_EC2_Params();
    const Corbel_Model& md = md_;
    const double lk = md.lk, hk = md.hk, m1 = md.h, m2 = md.beam_height;
    const double cv = rb_.cover_v, ch = rb_.cover_h;
    const double node = rb_.member_axis_given, z3 = md.summary.z3;
    const bool support = md.system == SYSTEM_SUPPORT_CORBEL;
    const int margin = dir_ > 0 ? x0_ + 10 : x1_ - 10;  // on the member's side
    // Depth of the member measured across the joint (along u, away from the corbel).
    const double B1 = support ? (beam_end_ ? (at_slab_ ? 2.0 * m2 : m2) : 1.5 * m1)
                              : (beam_end_ ? m1 : m1);

    const int layers = std::clamp(rb_.layers, 0, CORBEL_MAX_LAYERS);
    double d_m = 0.0;
    if (beam_end_) {
        if (rb_.spacing[kBeamEndSpacing] > kPresent && rb_.beam_end_legs > 0)
            d_m = Diameter(rb_.layer_diameter[0]);
    } else {
        for (int i = 0; i < layers; ++i) d_m = std::max(d_m, Diameter(rb_.layer_diameter[i]));
    }
    const Bar_Group* g = rb_.group;
    const double d_sv = Group_Present(g[kSplitV]) ? Diameter(g[kSplitV].diameter) : 0.0;
    const double d_sh = Group_Present(g[kSplitH]) ? Diameter(g[kSplitH].diameter) : 0.0;
    double d_hg = Group_Present(g[kHangers]) ? Diameter(g[kHangers].diameter) : 0.0;
    if (beam_end_ && !(rb_.spacing[kBeamEndHangerSpacing] > kPresent)) d_hg = 0.0;
    const double d_av = Group_Present(g[kAnchorV]) ? Diameter(g[kAnchorV].diameter) : 0.0;
    const double d_ah = Group_Present(g[kAnchorH]) ? Diameter(g[kAnchorH].diameter) : 0.0;
    const double d_b1 = rb_.member_count[0] > 0 ? Diameter(rb_.member_diameter[0]) : 0.0;
    const double d_b2 = rb_.member_count[1] > 0 ? Diameter(rb_.member_diameter[1]) : 0.0;
    const double lift = column_ ? std::max(d_sv, d_hg) : d_sv;

    // Member longitudinal bars.
    pxFgc(screen_palette.member_bar_blue);
    if (beam_end_) {
        const double span = B1 - 2.0 * ch - 2.0 * std::max(d_m, d_hg);
        auto row = [&](int n, double d, double v) {
            if (!(d > kPresent) || n <= 0) return;
            const double p = n < 2 ? 0.0 : (span - d) / (n - 1);
            for (int i = 0; i < n && i < kMaxDrawn; ++i)
                Section(U_Sum({-ch, -d_hg, -d / 2.0, -i * p}), V(v), d,
                        screen_palette.member_bar_blue);
        };
        const double depth = Member_Depth();
        row(rb_.member_count[0], d_b1, hk - depth + cv + d_hg + d_b1 / 2.0);
        row(rb_.member_count[1], d_b2, hk - cv - std::max(d_m, d_hg) - d_b2 / 2.0);
        auto end_row = [&](int n, int index, double v_of(double)) {
            const double d = n > 0 ? Diameter(index) : 0.0;
            if (!(d > kPresent)) return;
            const double p = n < 2 ? 0.0 : (lk - d - d_m) / (n - 1);
            for (int i = 0; i < n && i < kMaxDrawn; ++i)
                Section(U_Sum({lk, -ch, -d_m, -d / 2.0, -i * p}), V(v_of(d)), d,
                        screen_palette.member_bar_blue);
        };
        static double top_cv, bottom_v, dm_s;
        top_cv = cv;
        bottom_v = hk - cv;
        dm_s = d_m;
        end_row(rb_.end_count[0], rb_.end_diameter[0],
                [](double d) { return top_cv + dm_s + d / 2.0; });
        end_row(rb_.end_count[1], rb_.end_diameter[1],
                [](double d) { return bottom_v - dm_s - d / 2.0; });
    } else if (!column_) {
        if (d_b1 > kPresent) {
            const int y = V_Sum({hk, -m1, cv, d_hg, d_b1 / 2.0});
            int start = U(-ch);
            if (md.summary.short_anch) {
                start = xf_;
                Bar(start, y - R(2.0 * d_b1), start, y + R(2.0 * d_b1));
            }
            Bar(start, y, margin, y);
        }
        if (d_b2 > kPresent) {
            const int y = V_Sum({hk, -cv, -d_hg, -d_b2 / 2.0});
            Bar(U_Sum({lk, -ch}), y, margin, y);
        }
    } else {
        if (d_b1 > kPresent) {
            const int x = U_Sum({-m1, ch, d_sh, d_b1 / 2.0});
            Bar(x, y0_ + 10, x, y1_ - 50);
        }
        if (d_b2 > kPresent) {
            const int x = U_Sum({-ch, -d_b2 / 2.0});
            Bar(x, y0_ + 10, x, y1_ - 50);
        }
    }

    // Main tie.
    pxFgc(sketch_tie_colour);
    if (beam_end_) {
        if (d_m > kPresent) {
            const double d = d_m;
            const double Dk = rb_.anchorage[kMandrelLoops];
            const int r = R(Dk >= 0.01 ? Dk / 2.0 : 2.0 * d);
            const int ua = U_Sum({lk, -ch, -d / 2.0}), ub = U_Sum({-B1, ch, d / 2.0});
            const int va = V_Sum({cv, d / 2.0}), vb = V_Sum({hk, -cv, -d / 2.0});
            const int xl = std::min(ua, ub), xr = std::max(ua, ub);
            const int yt = std::min(va, vb), yb = std::max(va, vb);
            Loop(xl, yt, xr, yb, r);
            const int legs = rb_.beam_end_legs;
            if (legs > 2) {
                for (int k = 1; k <= legs - 2 && k < kMaxDrawn; ++k) {
                    const int y = yt + static_cast<int>(static_cast<double>(yb - yt) * k / (legs - 1));
                    Bar(xl, y, xr, y);
                }
            }
        }
    } else {
        const double L = rb_.anchorage[kMainAnchorage] >= 0.01 ? rb_.anchorage[kMainAnchorage]
                                                               : 2.0 * node;
        const double Ds = rb_.anchorage[kMandrelMain];
        for (int k = 0; k < layers; ++k) {
            const double d = Diameter(rb_.layer_diameter[k]);
            if (!(d > kPresent)) continue;
            const double offset = Main_Tie_Layer_Offset(&rb_, k, params_);
            const int y = V_Sum({cv, d / 2.0, offset, lift});
            int start = U_Sum({lk, -ch});
            if (md.summary.short_main) {
                start = U(lk);
                Bar(start, y - R(2.0 * d), start, y + R(2.0 * d));
            }
            const double r_cm = Ds >= 0.01 ? Ds / 2.0 : 7.5 * d;
            if (column_) {
                const int end = U_Sum({-m1, ch, d_b1, d / 2.0, r_cm, offset});
                const int r = R(r_cm);
                Bar(start, y, end, y);
                Bend(end, y + r, r, 270.0);
                const int leg_end = std::min(y + r + R(L), y1_ - 50);
                Bar(end - r, y + r, end - r, leg_end);
            } else {
                int end = z3 > 0.01 ? U_Sum({-node, -z3, -L / 2.0})
                                    : U_Sum({-node, -L, support ? -md.e1 : 0.0});
                end = dir_ > 0 ? std::max(end, margin) : std::min(end, margin);
                Bar(start, y, end, y);
            }
        }
    }

    // Inclined bars.
    const double t = Snap_Unit_Values(std::tan(md.inclination * kRadiansPerDegree));
    const double d_in = Group_Present(g[kInclined]) ? Diameter(g[kInclined].diameter) : 0.0;
    if (md.load_transfer != LOAD_TRANSFER_DIRECT && md.load_transfer != 2 && t != 0.0 &&
        std::isfinite(t) && d_in > kPresent) {
        const double limit = support ? lk - ch : lk - 2.0 * ch;
        if ((hk - cv) / t < limit) {
            const double L = lk - (hk - cv) / t;
            const int px[3] = {xf_, U(L), xf_};
            const int py[3] = {edge_, edge_, V(-L * t)};
            pxFgc(sketch_fill_colour);
            pxFill(3, px, py);
            pxFgc(screen_palette.text_black);
            for (int i = 0; i < 3; ++i) pxLine(px[i], py[i], px[(i + 1) % 3], py[(i + 1) % 3]);
        }
        pxFgc(sketch_tie_colour);
        const double us = lk - ch, vs = hk - cv;
        double ue, ve;
        if (column_) {
            ue = -m1 + ch + d_in / 2.0;
            ve = vs - (us - ue) * t;
        } else {
            ve = hk - m1 + rb_.inclined_axis_required;
            ue = us - (vs - ve) / t;
        }
        Bar(U(us), V(vs), U(ue), V(ve));
        const double m = rb_.anchorage[kInclinedAnchorage];
        if (m > kPresent) {
            if (column_)
                Bar(U(ue), V(ve), U(ue), std::max(V(ve - m), y0_ + 10));
            else
                Bar(U(ue), V(ve), U(ue - m), V(ve));
        }
        if (md.summary.short_incl) {
            const double len = std::hypot(1.0, t);
            const double nu = t / len * 2.0 * d_in, nv = -1.0 / len * 2.0 * d_in;
            Bar(U(us - nu), V(vs - nv), U(us + nu), V(vs + nv));
        }
    }

    // Vertical splitting stirrups.
    pxFgc(sketch_stirrup_colour);
    {
        double pos[64];
        const int n = Sketch_Split_Stirrup_Positions(&md, pos, 64);
        const double pitch = n > 1 ? (pos[0] - pos[n - 1]) / (n - 1) : 0.0;
        const bool chamfered = md.hk_end > kPresent && lk > 0.0;
        for (int i = 0; i < n; ++i) {
            const int x = U(pos[i]);
            int bottom = V_Sum({hk, -cv});
            if (chamfered)
                bottom -= vdir_ * (R(md.hk_end) - R(i * pitch * md.hk_end / lk));
            Bar(x, V(cv), x, bottom);
        }
    }

    // Horizontal splitting stirrups.
    if (d_sh > kPresent && !beam_end_) {
        const int n = g[kSplitH].count;
        const double d = d_sh;
        const int start = U_Sum({lk, -ch});
        const double d_first = layers >= 1 ? Diameter(rb_.layer_diameter[0]) : 0.0;
        const double d_last = layers >= 1 ? Diameter(rb_.layer_diameter[layers - 1]) : 0.0;
        const double span = layers >= 1 ? Main_Tie_Layer_Offset(&rb_, layers - 1, params_) : 0.0;
        if (!column_) {
            const double va = cv + lift + d_first / 2.0 + span;
            const double vb = hk - cv - d_b2 / 2.0 - d_hg;
            int end;
            if (rb_.anchorage[kSplitAnchorage] >= 0.1) {
                end = U_Sum({-ch, -d_ah, -rb_.anchorage[kSplitAnchorage]});
            } else {
                const int hangers = d_hg > kPresent ? g[kHangers].count : 0;
                double sp = rb_.spacing[kHangerRowSpacing];
                if (sp < 0.01 && hangers > 0) sp = Calc_Min_Bar_Spacing(d_hg, d_hg, params_);
                end = U_Sum({-ch, -d_ah, -d_hg, -std::max(hangers - 1, 0) * sp, -d});
            }
            end = dir_ > 0 ? std::max(end, margin) : std::min(end, margin);
            for (int j = 1; j <= n && j < kMaxDrawn; ++j) {
                const int y = V(va + j * (vb - va) / (n + 1));
                Bar(start, y, end, y);
            }
        } else {
            // Spread over the depth at the face; under a chamfer a stirrup ends where the
            // sloping bottom leaves it its cover (above the free end's depth they would
            // all crowd into the shallow end).
            const double bottom_v = hk - cv - lift - d / 2.0;
            const double top_v = cv + lift + span + (d_first + d_last) / 2.0 + std::max(d, 2.0);
            const double pitch = n > 1 ? (bottom_v - top_v) / (n - 1) : 0.0;
            const int end = U_Sum({-m1, ch});
            for (int i = 0; i < n && i < kMaxDrawn; ++i) {
                const double v = bottom_v - i * pitch;
                const double reach = Chamfer_Reach(lk - ch, bottom_v - v, lk, md.hk_end);
                const int y = V(v);
                Bar(reach < lk - ch ? U(reach) : start, y, end, y);
            }
        }
    }

    // Hangers.
    if (d_hg > kPresent) {
        const double d = d_hg;
        const Bar_Group& hg = g[kHangers];
        if (beam_end_) {
            pxFgc(sketch_stirrup_colour);
            const double D = rb_.anchorage[kMandrelHangers];
            const int r = R(D >= 0.01 ? D / 2.0 : 2.0 * d);
            const double depth = Member_Depth();
            const int ua = U_Sum({-ch, -d / 2.0}), ub = U_Sum({-B1, ch, d / 2.0});
            const int va = V_Sum({hk, -depth, cv, d / 2.0}), vb = V_Sum({hk, -cv, -d / 2.0});
            const int xl = std::min(ua, ub), xr = std::max(ua, ub);
            const int yt = std::min(va, vb), yb = std::max(va, vb);
            Loop(xl, yt, xr, yb, r);
            if (hg.legs > 2)
                for (int k = 1; k <= hg.legs - 2 && k < kMaxDrawn; ++k) {
                    const int x = xl + static_cast<int>(static_cast<double>(xr - xl) * k / (hg.legs - 1));
                    Bar(x, yt, x, yb);
                }
        } else if (!column_) {
            pxFgc(sketch_tie_colour);
            const int n = hg.count;
            const double sp = Get_Bar_Axis_Spacing(&rb_, 0, 0, 1, params_);
            for (int i = 0; i < n && i < kMaxDrawn; ++i) {
                const int x = U(-node + (n - 1) * sp / 2.0 - i * sp);
                Bar(x, V_Sum({hk, -m1, cv}), x, V_Sum({hk, -cv}));
            }
        } else if (indirect_) {
            pxFgc(screen_palette.label_brown);
            const int xa = U_Sum({lk, -ch, -d / 2.0});
            const int xb = U_Sum({lk, -2.0 * (lk - md.load_a), ch, d / 2.0});
            const int ya = V_Sum({cv, d / 2.0}), yb = V_Sum({hk, -md.hk_end, -cv, -d / 2.0});
            Bar(xa, ya, xb, ya);
            Bar(xb, ya, xb, yb);
            Bar(xb, yb, xa, yb);
            Bar(xa, yb, xa, ya);
        }
    }

    // Anchorage stirrups of the member (in the colour the hangers left).
    if (!column_ && !beam_end_) {
        if (d_ah > kPresent && !md.summary.short_anch) {
            const int n = g[kAnchorH].count;
            const double L = rb_.anchorage[kLap] >= 0.01 ? rb_.anchorage[kLap] : 3.0 * node;
            const int start = U(-ch);
            int end = U_Sum({-ch, -L});
            end = dir_ > 0 ? std::max(end, margin) : std::min(end, margin);
            const double s0 = Calc_Min_Bar_Spacing(d_ah, d_b1, params_);
            const double sp = Calc_Min_Bar_Spacing(d_ah, d_ah, params_);
            for (int i = 0; i < n && i < kMaxDrawn; ++i) {
                const int y = V(hk - m1 + cv + d_b1 / 2.0 + d_hg + s0 + i * sp);
                Bar(start, y, end, y);
            }
        }
        if (d_av > kPresent) {
            const int n = g[kAnchorV].count;
            const double sp = Calc_Min_Bar_Spacing(d_av, d_av, params_);
            double first = -(node + z3) + (n / 2) * sp;
            if (n % 2 == 0) first -= sp / 2.0;
            for (int i = 0; i < n && i < kMaxDrawn; ++i) {
                const int x = U(first - i * sp);
                Bar(x, V_Sum({hk, -m1, cv}), x, V_Sum({hk, -cv}));
            }
        }
    }

    // The tie's anchorage: node distance and max z3 from the face, in the anchorage row;
    // a short node distance takes its label towards the corbel, a short z3 away from it.
    if (node > kPresent) {
        Dim_Row(0, xf_, U(-node), node, -1, dir_);
        if (z3 > kPresent) {
            int end = U_Sum({-node, -z3});
            end = dir_ > 0 ? std::max(end, margin) : std::min(end, margin);
            Dim_Row(0, U(-node), end, z3, -1, -dir_);
        }
    }
}

}  // namespace

const std::vector<Sketch_Box>& Sketch_Texts()
{
    return sketch_texts;
}

const std::vector<Sketch_Box>& Sketch_Strokes()
{
    return sketch_strokes;
}

int Bearing_Plate_Depth_Px(int px)
{
    return px < 6 ? 2 : px - 5;
}

void Draw_Corbel_Sketch(int x0, int y0, int x1, int y1, const Corbel_Model* model, int mode)
{
    if (!model) return;
    if (!sketch_colours_ready) {
        sketch_fill_colour = screen_palette.concrete_fill;
        sketch_plate_colour = screen_palette.frame_grey;
        sketch_tie_colour = screen_palette.info_blue;
        sketch_stirrup_colour = screen_palette.choice_green;
        sketch_colours_ready = 1;
    }
    const int saved = pxQFgc();
    sketch_texts.clear();
    sketch_strokes.clear();
    sketch_reserved.clear();
    // Whatever a shape draws beyond the width its scale allowed for stays inside the
    // frame instead of running over the page beside the sketch.
    int vx1 = 0, vy1 = 0, vx2 = 0, vy2 = 0;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    pxView(std::max(vx1, x0), vy1, std::min(vx2, x1), vy2);
    Sketch(x0, y0, x1, y1, *model, mode).Draw();
    pxView(vx1, vy1, vx2, vy2);
    pxFgc(saved);
}

void Draw_Sketch_Geometry_Cb(int x0, int y0, int x1, int y1, void* model)
{
    Draw_Corbel_Sketch(x0, y0, x1, y1, static_cast<const Corbel_Model*>(model), 0);
}

void Draw_Sketch_Rebar_Cb(int x0, int y0, int x1, int y1, void* model)
{
    Draw_Corbel_Sketch(x0, y0, x1, y1, static_cast<const Corbel_Model*>(model), 1);
}

int Compute_Sketch_Layout(const Corbel_Model* model, int mode, double* scale)
{
    double w = 0.0, h = 0.0;
    Get_Corbel_Extents(model, mode, &w, &h);
    if (model) w = std::max(w, Slab_Member_Width(*model) + model->lk);
    if (scale) *scale = 0.0;
    if (!(w >= 0.001) || !(h >= 0.001) || !std::isfinite(w) || !std::isfinite(h)) return 0;
    double s = 370.0 / w;
    if (240.0 / h <= s) s = 240.0 / h;
    if (scale) *scale = s;
    const double height = h * s + 60.0;
    return height > 0.0 && height < 100000.0
               ? static_cast<int>(height) + Anchorage_Row_Height(*model, mode)
               : 0;
}

int Sketch_Top_Overflow(const Corbel_Model* model, double s)
{
    if (!model || !(s > 0.0)) return 0;
    const Corbel_Model& md = *model;
    const bool hanging = md.load_transfer == LOAD_TRANSFER_INDIRECT;
    if (md.system != SYSTEM_LOAD_CORBEL || md.connection == CONNECTION_BEAM || hanging) return 0;
    const double lh = md.load_height;
    const double e = md.execution == EXECUTION_BEAM_END ? md.beam_height - md.hk - lh : md.hk / 2.0;
    // The arrow's top: y0 + 10 + R(e) - 41; the plate's dimension row takes the top 30
    // pixels of the rectangle and stays clear of the arrow.
    const int r = std::clamp(Round_To_Int32(s * e), -100000, 100000);
    const int room = md.lp > kPresent ? 30 : 0;
    return std::max(0, room + 31 - r);
}

void Add_Corbel_Sketch(int area, const Corbel_Model* model, int mode, int x, int* y)
{
    double s = 0.0;
    const int height = Compute_Sketch_Layout(model, mode, &s);
    corbel_edit_buffer.sketch_area_height = height;
    corbel_edit_buffer.sketch_scale_x = corbel_edit_buffer.sketch_scale_y = s;
    if (height <= 0) return;
    // The rectangle holds what is drawn above the corbel too: the drawing starts that much
    // lower in it.
    const int top = Sketch_Top_Overflow(model, s);
    Area_Add_Custom(area, x, *y, x + 430, *y + top + height, const_cast<Corbel_Model*>(model),
                    mode == 1 ? Draw_Sketch_Rebar_Cb : Draw_Sketch_Geometry_Cb);
    *y += top + height;
}

double Sketch_Layer_Depth_Cm(const Corbel_Model* model, int layer)
{
    if (!model) return 0.0;
    const Corbel_Rebar_Choice& rb = model->rebar;
    const Bar_Group* g = rb.group;
    const bool column =
        model->system == SYSTEM_LOAD_CORBEL && model->connection != CONNECTION_BEAM;
    const double d_sv = Group_Present(g[kSplitV]) ? Diameter(g[kSplitV].diameter) : 0.0;
    const double d_hg = Group_Present(g[kHangers]) ? Diameter(g[kHangers].diameter) : 0.0;
    const double lift = column ? std::max(d_sv, d_hg) : d_sv;
    const int k = std::clamp(layer, 0, CORBEL_MAX_LAYERS - 1);
    return rb.cover_v + Diameter(rb.layer_diameter[k]) / 2.0 +
           Main_Tie_Layer_Offset(&rb, k, NAD_Get_EC2_Params()) + lift;
}

int Sketch_Split_Stirrup_Positions(const Corbel_Model* model, double* x, int max)
{
    if (!model || !x || max <= 0) return 0;
    const Corbel_Model& md = *model;
    const Corbel_Rebar_Choice& rb = md.rebar;
    const Bar_Group& sv = rb.group[kSplitV];
    if (!Group_Present(sv)) return 0;
    const double d = Diameter(sv.diameter);
    if (!(d > kPresent)) return 0;
    const int n = std::min(sv.count, max);
    const double lk = md.lk, la = md.load_a;
    const double keep = std::max(d, 2.0) + d / 2.0;  // the last leg's distance from the face
    if (n == 1) {
        x[0] = la / 2.0;
        return 1;
    }
    const bool column = md.system == SYSTEM_LOAD_CORBEL && md.connection != CONNECTION_BEAM;
    const bool suspended = column && md.load_transfer == LOAD_TRANSFER_INDIRECT;
    double first;
    if (suspended) {
        first = lk - 2.0 * (lk - la) - keep;
    } else if (md.lp > kPresent) {
        first = la + md.lp / 2.0;
    } else {
        double d_m = 0.0;
        for (int i = 0; i < std::clamp(rb.layers, 0, CORBEL_MAX_LAYERS); ++i)
            d_m = std::max(d_m, Diameter(rb.layer_diameter[i]));
        const double d_sh =
            Group_Present(rb.group[kSplitH]) ? Diameter(rb.group[kSplitH].diameter) : 0.0;
        first = lk - rb.cover_h - std::max(d_m, d_sh) - d / 2.0;
    }
    const double pitch = (first - keep) / (n - 1);
    for (int i = 0; i < n; ++i) x[i] = first - i * pitch;
    return n;
}
