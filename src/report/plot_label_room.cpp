#include "report/plot_label_room.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdio_ext.h>

#include "report/plot_state.h"
#include "report/text_writer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kClearance = 0.04;        // cm between a label and anything else, to be seen
constexpr double kStep = 0.05;             // cm of each step of the search
constexpr double kFarthest = 2.5;          // cm a label may go
constexpr double kSmallPolygon = 1.0;      // cm: polygons up to this size are obstacles
constexpr double kPenClassWidth = 0.018;   // cm of line width per pen class (record 4)
// The report font's proportions (the viewer's faces): the advance of the fixed-pitch face
// and the capital height, per em; the mean advance of the proportional face's characters
// of a label, a little generous.
constexpr double kMonoAdvanceEm = 1233.0 / 2048.0;
constexpr double kCapEm = 1493.0 / 2048.0;
constexpr double kLabelAdvanceEm = 0.64;
constexpr double kTextWidthCm = 17.0;
constexpr double kFileCap = 0.2;           // cm: the capital height of the drawing file's texts

struct Point {
    double x = 0.0, y = 0.0;
};
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }
double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }

struct Segment {
    Point a, b;
    double half_width = 0.0;
    bool as_written = true;  // else a and b are still to be rounded as the record gives them back
};

// A text's box on the page (y up): from the corner o along u (its width) and v (its height).
struct Box {
    Point o, u, v;
    double w = 0.0, h = 0.0;
    bool in_file = false;  // where the drawing file puts the text, else the report
    Point Centre() const { return o + (w / 2.0) * u + (h / 2.0) * v; }
    Point Corner(int k) const
    {
        return o + ((k == 1 || k == 2) ? w : 0.0) * u + (k >= 2 ? h : 0.0) * v;
    }
    Point Local(Point p) const { return {Dot(p - o, u), Dot(p - o, v)}; }
};

double Point_Box_Distance(Point p, double w, double h)
{
    const double dx = std::max({0.0 - p.x, 0.0, p.x - w});
    const double dy = std::max({0.0 - p.y, 0.0, p.y - h});
    return std::hypot(dx, dy);
}

double Point_Segment_Distance(Point p, Point a, Point b)
{
    const Point d = b - a;
    const double l2 = Dot(d, d);
    const double t = l2 > 0.0 ? std::clamp(Dot(p - a, d) / l2, 0.0, 1.0) : 0.0;
    const Point q = a + t * d;
    return std::hypot(p.x - q.x, p.y - q.y);
}

// Does the segment p-q (local coordinates) meet the box [0, w] x [0, h]? (Liang-Barsky.)
bool Segment_Meets_Box(Point p, Point q, double w, double h)
{
    double t0 = 0.0, t1 = 1.0;
    const double d[2] = {q.x - p.x, q.y - p.y}, lo[2] = {0.0, 0.0}, hi[2] = {w, h}, s[2] = {p.x, p.y};
    for (int k = 0; k < 2; ++k) {
        if (std::fabs(d[k]) < 1e-12) {
            if (s[k] < lo[k] || s[k] > hi[k]) return false;
            continue;
        }
        double a = (lo[k] - s[k]) / d[k], b = (hi[k] - s[k]) / d[k];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1) return false;
    }
    return true;
}

// The distance between a segment and the box.
double Distance(const Box& box, Point a, Point b)
{
    const Point p = box.Local(a), q = box.Local(b);
    if (Segment_Meets_Box(p, q, box.w, box.h)) return 0.0;
    double d = std::min(Point_Box_Distance(p, box.w, box.h), Point_Box_Distance(q, box.w, box.h));
    for (int k = 0; k < 4; ++k) d = std::min(d, Point_Segment_Distance(box.Local(box.Corner(k)), p, q));
    return d;
}

double Distance(const Box& box, const Box& other)
{
    double d = 1e100;
    for (int k = 0; k < 4; ++k) {
        d = std::min(d, Distance(box, other.Corner(k), other.Corner((k + 1) % 4)));
        if (d <= 0.0) return 0.0;
    }
    // One inside the other.
    const Point c = other.Local(box.Centre());
    if (c.x >= 0.0 && c.x <= other.w && c.y >= 0.0 && c.y <= other.h) return 0.0;
    return d;
}

struct Label {
    std::vector<Box> boxes;  // the text and a raised text with it (none when blank)
    std::vector<size_t> texts;  // the texts that move with it (their indices)
    Point move;
};

// The value that a record gives back for v written with "%lf": v rounded to six decimals
// as printf rounds (to the nearest, a tie to even), read as strtod reads it, without
// writing it. v times a million is split exactly into p and the rest e; only a half
// between two integers asks which side e lies on.
double As_Written(double v)
{
    if (!(std::fabs(v) < 1e9)) {
        char text[400];
        std::snprintf(text, sizeof text, "%lf", v);
        return std::strtod(text, nullptr);
    }
    const double p = v * 1e6;
    const double e = std::fma(v, 1e6, -p);
    double n = std::nearbyint(p);
    const double d = p - n;
    if (d == 0.5 && e > 0.0)
        n += 1.0;
    else if (d == -0.5 && e < 0.0)
        n -= 1.0;
    return n == 0.0 ? std::copysign(0.0, v) : n / 1e6;
}

// A rectangle of the page along its axes.
struct Extent {
    double lo_x = 1e100, lo_y = 1e100, hi_x = -1e100, hi_y = -1e100;
    bool no_number = false;
    void Add(Point p)
    {
        no_number = no_number || std::isnan(p.x) || std::isnan(p.y);
        lo_x = std::min(lo_x, p.x), hi_x = std::max(hi_x, p.x);
        lo_y = std::min(lo_y, p.y), hi_y = std::max(hi_y, p.y);
    }
    void Add(const Extent& e)
    {
        Add(Point{e.lo_x, e.lo_y});
        Add(Point{e.hi_x, e.hi_y});
    }
    Extent Widened(double by) const { return {lo_x - by, lo_y - by, hi_x + by, hi_y + by, no_number}; }
    bool Finite() const
    {
        return !no_number && std::isfinite(lo_x) && std::isfinite(lo_y) && std::isfinite(hi_x) &&
               std::isfinite(hi_y) && lo_x <= hi_x && lo_y <= hi_y;
    }
    bool Inside(const Extent& e) const
    {
        return lo_x >= e.lo_x && hi_x <= e.hi_x && lo_y >= e.lo_y && hi_y <= e.hi_y;
    }
    bool Meets(const Extent& e) const
    {
        return lo_x <= e.hi_x && e.lo_x <= hi_x && lo_y <= e.hi_y && e.lo_y <= hi_y;
    }
};

Extent Extent_Of(const Box& box)
{
    Extent e;
    for (int k = 0; k < 4; ++k) e.Add(box.Corner(k));
    return e;
}

// The rectangle widened by what may touch it; the whole plane for one with a coordinate
// that is no number or no finite one.
Extent Reach(const Extent& e, double by)
{
    const Extent r = e.Widened(by);
    if (r.Finite()) return r;
    constexpr double kAll = std::numeric_limits<double>::infinity();
    return {-kAll, -kAll, kAll, kAll, false};
}

// Rounding room: whatever comes within the clearance by the exact measure lies within
// the clearance and this of the rectangles it is sorted by; a line not yet rounded as
// its record gives it back (by less than this) takes it twice.
constexpr double kSlack = 1e-6;

// The lines and polygon edges a label must keep clear of, and the labels placed so far (of
// the report and of the drawing file). The lines and polygons are sorted into a uniform
// grid of square cells over the room the labels may move in: a box asks the cells it
// meets, and measures only the edges whose rectangle, widened by their reach, meets its
// own. A box with a coordinate that is no number, or outside the grid, is measured
// against all of them.
class Obstacles {
public:
    void Add_Segment(Segment s)
    {
        groups_.push_back({segments_.size(), 1});
        segments_.push_back(s);
    }
    // A polygon's edges; not yet rounded as its record gives them back unless as_written.
    void Add_Polygon(const std::vector<Point>& polygon, bool as_written)
    {
        if (polygon.empty()) return;
        groups_.push_back({segments_.size(), polygon.size()});
        for (size_t k = 0; k < polygon.size(); ++k)
            segments_.push_back({polygon[k], polygon[(k + 1) % polygon.size()], 0.0, as_written});
    }

    void Index(const std::vector<Label>& labels)
    {
        reach_.clear();
        reach_.reserve(groups_.size());
        everywhere_.clear();
        for (const Group& g : groups_) {
            Extent e;
            for (size_t k = g.first; k < g.first + g.count; ++k) e.Add(segments_[k].a), e.Add(segments_[k].b);
            reach_.push_back(Reach(e, segments_[g.first].half_width + kClearance + 2.0 * kSlack));
        }
        Extent room;
        for (const Label& label : labels)
            for (const Box& box : label.boxes) {
                const Extent e = Extent_Of(box).Widened(kFarthest + kStep);
                if (e.Finite()) room.Add(e);
            }
        const double w = room.hi_x - room.lo_x, h = room.hi_y - room.lo_y;
        nx_ = ny_ = 0;
        if (room.Finite() && std::isfinite(w) && std::isfinite(h)) {
            room_ = room;
            cell_ = std::max({kCell, w / kMostCells, h / kMostCells});
            nx_ = static_cast<int>(w / cell_) + 1;
            ny_ = static_cast<int>(h / cell_) + 1;
        }
        // (cell, group) pairs, then sorted by cell.
        std::vector<std::pair<int, int>> pairs;
        pairs.reserve(2 * groups_.size());
        const double half_diagonal = cell_ * std::sqrt(0.5);
        for (size_t k = 0; k < groups_.size(); ++k) {
            const Group& g = groups_[k];
            const Segment& s = segments_[g.first];
            const int item = static_cast<int>(k);
            if (!reach_[k].Finite()) {
                everywhere_.push_back(item);
                continue;
            }
            int ix0, iy0, ix1, iy1;
            if (!Cells(reach_[k], ix0, iy0, ix1, iy1)) continue;
            // A line over more than a few cells is listed only in those whose centre lies
            // within the half diagonal and its reach of it.
            const bool all = g.count > 1 || (ix1 - ix0 + 1) * (iy1 - iy0 + 1) <= 4;
            const double r = half_diagonal + s.half_width + kClearance + 2.0 * kSlack;
            for (int iy = iy0; iy <= iy1; ++iy)
                for (int ix = ix0; ix <= ix1; ++ix) {
                    const Point c{room_.lo_x + (ix + 0.5) * cell_, room_.lo_y + (iy + 0.5) * cell_};
                    if (all || Squared_Distance(c, s.a, s.b) <= r * r * (1.0 + 1e-9)) pairs.push_back({iy * nx_ + ix, item});
                }
        }
        first_.assign(static_cast<size_t>(nx_) * static_cast<size_t>(ny_) + 1, 0);
        for (const auto& p : pairs) ++first_[static_cast<size_t>(p.first) + 1];
        for (size_t c = 1; c < first_.size(); ++c) first_[c] += first_[c - 1];
        items_.assign(pairs.size(), 0);
        std::vector<int> fill(first_.begin(), first_.end() - 1);
        for (const auto& p : pairs) items_[static_cast<size_t>(fill[static_cast<size_t>(p.first)]++)] = p.second;
        seen_.assign(groups_.size(), 0);
        stamp_ = 0;
    }

    void Place(const Box& box) { placed_.push_back({box, Reach(Extent_Of(box), kClearance + kSlack)}); }

    bool Clear(const Box& box)
    {
        const Extent e = Extent_Of(box);
        auto group_hit = [&](size_t k) {
            if (e.Finite() && !reach_[k].Meets(e)) return false;
            const Group& g = groups_[k];
            for (size_t i = g.first; i < g.first + g.count; ++i) {
                const Segment& s = Rounded(segments_[i]);
                if (g.count > 1 && e.Finite()) {
                    Extent edge;
                    edge.Add(s.a);
                    edge.Add(s.b);
                    if (!Reach(edge, s.half_width + kClearance + kSlack).Meets(e)) continue;
                }
                if (Distance(box, s.a, s.b) < kClearance + s.half_width) return true;
            }
            return false;
        };
        for (const Placed& other : placed_)
            if (other.box.in_file == box.in_file && (!e.Finite() || other.reach.Meets(e)) &&
                Distance(box, other.box) < kClearance)
                return false;
        int ix0, iy0, ix1, iy1;
        if (!e.Finite() || !e.Inside(room_) || !Cells(e, ix0, iy0, ix1, iy1)) {
            for (size_t k = 0; k < groups_.size(); ++k)
                if (group_hit(k)) return false;
            return true;
        }
        for (int item : everywhere_)
            if (group_hit(static_cast<size_t>(item))) return false;
        if (++stamp_ == 0) std::fill(seen_.begin(), seen_.end(), 0), stamp_ = 1;
        for (int iy = iy0; iy <= iy1; ++iy)
            for (int ix = ix0; ix <= ix1; ++ix) {
                const size_t cell = static_cast<size_t>(iy) * static_cast<size_t>(nx_) + static_cast<size_t>(ix);
                for (int k = first_[cell]; k < first_[cell + 1]; ++k) {
                    const size_t item = static_cast<size_t>(items_[static_cast<size_t>(k)]);
                    if (seen_[item] == stamp_) continue;
                    seen_[item] = stamp_;
                    if (group_hit(item)) return false;
                }
            }
        return true;
    }

private:
    static constexpr double kCell = 1.0;         // cm
    static constexpr double kMostCells = 256.0;  // along each axis

    struct Placed {
        Box box;
        Extent reach;
    };
    // A line, or the edges of a polygon, in segments_.
    struct Group {
        size_t first, count;
    };
    std::vector<Segment> segments_;
    std::vector<Group> groups_;
    std::vector<Extent> reach_;  // of each group: its rectangle widened by what may touch it
    std::vector<int> everywhere_;  // groups with a coordinate that is no number
    std::vector<Placed> placed_;
    Extent room_;
    double cell_ = kCell;
    int nx_ = 0, ny_ = 0;
    std::vector<int> first_;  // of each cell, its first group in items_ (and one past the last)
    std::vector<int> items_;
    std::vector<unsigned> seen_;  // the stamp of the last box that measured the group
    unsigned stamp_ = 0;

    // The segment as its record gives it back, rounded when first measured.
    static const Segment& Rounded(Segment& s)
    {
        if (!s.as_written) {
            s.a = {As_Written(s.a.x), As_Written(s.a.y)};
            s.b = {As_Written(s.b.x), As_Written(s.b.y)};
            s.as_written = true;
        }
        return s;
    }

    static double Squared_Distance(Point p, Point a, Point b)
    {
        const Point d = b - a;
        const double l2 = Dot(d, d);
        const double t = l2 > 0.0 ? std::clamp(Dot(p - a, d) / l2, 0.0, 1.0) : 0.0;
        const Point q = a + t * d;
        return Dot(p - q, p - q);
    }

    // The cells a rectangle meets, within the grid; false when it meets none.
    bool Cells(const Extent& e, int& ix0, int& iy0, int& ix1, int& iy1) const
    {
        if (nx_ < 1 || ny_ < 1 || !e.Meets(room_)) return false;
        auto index = [&](double v, double origin, int n) {
            return static_cast<int>(std::clamp(std::floor((v - origin) / cell_), 0.0, n - 1.0));
        };
        ix0 = index(e.lo_x, room_.lo_x, nx_), ix1 = index(e.hi_x, room_.lo_x, nx_);
        iy0 = index(e.lo_y, room_.lo_y, ny_), iy1 = index(e.hi_y, room_.lo_y, ny_);
        return true;
    }
};

Box Moved(Box box, Point by)
{
    box.o = box.o + by;
    return box;
}

bool Clear(const Label& label, Point by, Obstacles& o)
{
    for (const Box& box : label.boxes)
        if (!o.Clear(Moved(box, by))) return false;
    return true;
}

// The least move that clears the label; none when nothing within reach does.
Point Least_Move(const Label& label, Obstacles& o)
{
    if (label.boxes.empty() || Clear(label, {}, o)) return {};
    const Box& box = label.boxes[0];
    // Up, down, along, back, the diagonals, then the directions between them.
    static const double turns[] = {90,   270,   0,     180,   45,    135,   225,  315,
                                   67.5, 112.5, 247.5, 292.5, 22.5, 157.5, 202.5, 337.5};
    static const auto directions = [] {
        std::vector<Point> d;
        for (double t : turns) d.push_back({std::cos(t * kPi / 180.0), std::sin(t * kPi / 180.0)});
        return d;
    }();
    for (double r = kStep; r <= kFarthest + 1e-9; r += kStep)
        for (const Point& d : directions) {
            // (Whole nanometres: no sine's rest of a right angle makes a "-0.000000".)
            Point by = r * (d.x * box.u + d.y * box.v);
            by = {std::round(by.x * 1e9) / 1e9, std::round(by.y * 1e9) / 1e9};
            if (Clear(label, by, o)) return by;
        }
    return {};
}

// Whether strtod might read on after digits at this byte (exponent, hexadecimal, more).
bool Continues_Number(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.';
}

// The number that strtod reads at p in the record's head [p, end), and where it ends (p
// when there is none). The records' own plain decimals of up to 15 digits are read here:
// their digits divided by the power of ten is the double nearest to them, as strtod gives
// it. Every other form is left to strtod.
double Number(const char* p, const char* end, const char** after)
{
    static const double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* start = p;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\v' || *p == '\f')) ++p;
    if (p == end) {
        *after = start;  // blanks only
        return 0.0;
    }
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '-' || *q == '+')) ++q;
    uint64_t digits = 0;
    int count = 0, decimals = 0;
    for (; q < end && *q >= '0' && *q <= '9'; ++q, ++count) digits = digits * 10 + static_cast<uint64_t>(*q - '0');
    if (q < end && *q == '.')
        for (++q; q < end && *q >= '0' && *q <= '9'; ++q, ++count, ++decimals)
            digits = digits * 10 + static_cast<uint64_t>(*q - '0');
    const bool plain = count > 0 && count <= 15 && (q == end || !Continues_Number(*q));
    if (plain) {
        *after = q;
        const double v = static_cast<double>(digits) / powers[decimals];
        return negative ? -v : v;
    }
    const std::string rest(start, end);
    char* stop = nullptr;
    const double v = std::strtod(rest.c_str(), &stop);
    *after = start + (stop - rest.c_str());
    return v;
}

bool Is_End_Record(const char* p, const char* end)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (p < end && blank(*p)) ++p;
    while (end > p && blank(end[-1])) --end;
    return end - p == 2 && p[0] == '-' && p[1] == '1';
}

// A line record as its writer told it while labels were held: where it begins among the
// held records, and the values it writes.
struct Held_Line {
    long at;
    double x1, y1, x2, y2;
};

// A polygon record as its writer told it: where it begins and its values (x, y pairs).
struct Held_Polygon {
    long at;
    std::vector<double> values;
};

// The labels and obstacles of a graphic's records, on a page whose axes run as the signs
// say (-1: the window's axis runs against the page's).
class Reader {
public:
    Reader(double sx, double sy) : sx_(sx), sy_(sy) {}

    // Records, one a line, up to an end record or the end of the bytes. The line and
    // polygon records told, by where they begin from base, are taken as told.
    void Read(const char* p, const char* end, const char* base = nullptr, const std::vector<Held_Line>* lines = nullptr,
              const std::vector<Held_Polygon>* polygons = nullptr)
    {
        base_ = base;
        lines_ = lines;
        polygons_ = polygons;
        next_line_ = next_polygon_ = 0;
        while (p < end) {
            const char* line_end = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            if (!line_end) line_end = end;
            // A line told is taken without reading its record.
            if (!Told_Line(p)) {
                if (Is_End_Record(p, line_end)) return;
                Record(p, line_end);
            }
            p = line_end + 1;
        }
    }

    std::vector<Plot_Label_Move> Moves()
    {
        std::vector<Plot_Label_Move> moves(text_count_);
        obstacles_.Index(labels_);
        for (Label& label : labels_) {
            label.move = Least_Move(label, obstacles_);
            for (const Box& box : label.boxes) obstacles_.Place(Moved(box, label.move));
            for (size_t k : label.texts) moves[k] = {label.move.x * sx_, label.move.y * sy_};
        }
        return moves;
    }

private:
    double sx_, sy_;
    double width_ = kPenClassWidth;
    double cap_ = Style_Cap(4);
    double angle_ = 0.0;
    size_t text_count_ = 0;
    bool last_was_text_ = false;  // only height and angle records since the last text
    Obstacles obstacles_;
    std::vector<Label> labels_;
    std::vector<double> numbers_;  // of the record being read
    const char* base_ = nullptr;
    const std::vector<Held_Line>* lines_ = nullptr;
    const std::vector<Held_Polygon>* polygons_ = nullptr;
    size_t next_line_ = 0, next_polygon_ = 0;

    // The polygon record at line as its writer told it, if it did.
    bool Told_Polygon(const char* line)
    {
        if (!polygons_ || next_polygon_ >= polygons_->size() || (*polygons_)[next_polygon_].at != line - base_)
            return false;
        const Held_Polygon& told = (*polygons_)[next_polygon_++];
        std::vector<double>& n = numbers_;
        n.assign(1, static_cast<double>(told.values.size() / 2));
        n.insert(n.end(), told.values.begin(), told.values.end());
        Polygon(n, false);
        last_was_text_ = false;
        return true;
    }

    // The line record at line as its writer told it, if it did.
    bool Told_Line(const char* line)
    {
        if (!lines_ || next_line_ >= lines_->size() || (*lines_)[next_line_].at != line - base_) return false;
        const Held_Line& l = (*lines_)[next_line_++];
        obstacles_.Add_Segment({Page(l.x1, l.y1), Page(l.x2, l.y2), width_ / 2.0, false});
        last_was_text_ = false;
        return true;
    }

    // The records whose numbers tell where lines and texts are and how they look.
    static bool Has_Numbers(int code)
    {
        switch (code) {
        case PLOT_RECORD_LINE:
        case PLOT_RECORD_TEXT:
        case PLOT_RECORD_TEXT_ANGLED:
        case PLOT_RECORD_PEN_CLASS:
        case PLOT_RECORD_LINE_WIDTH:
        case PLOT_RECORD_TEXT_STYLE:
        case PLOT_RECORD_TEXT_ANCHORED:
        case PLOT_RECORD_TEXT_ANCHORED_ANGLED:
        case PLOT_RECORD_TEXT_HEIGHT:
        case PLOT_RECORD_TEXT_ANGLE:
        case PLOT_RECORD_POLYGON: return true;
        default: return false;
        }
    }

    static double Style_Cap(int style)
    {
        const int chars = style >= 0 && style <= 10 ? oli_chars_per_line[style] : 96;
        return kTextWidthCm / chars / kMonoAdvanceEm * kCapEm;
    }

    Point Page(double x, double y) const { return {x * sx_, y * sy_}; }

    // A record line: its code, its numbers before the text and the text (between 0xAE
    // and the last 0xAF). A line that opens with no number is passed over.
    void Record(const char* line, const char* end)
    {
        const char* p = nullptr;
        const double first = Number(line, end, &p);
        if (p == line) return;
        const int code = std::isfinite(first) && std::fabs(first) < 1e9 ? static_cast<int>(first) : 0;
        if (code == PLOT_RECORD_POLYGON && Told_Polygon(line)) return;
        const char* open = static_cast<const char*>(std::memchr(line, '\xAE', static_cast<size_t>(end - line)));
        const char* head_end = open ? open : end;
        std::vector<double>& n = numbers_;
        n.clear();
        if (Has_Numbers(code))
            for (const char* q = p;; q = p) {
                const double v = Number(q, head_end, &p);
                if (p == q) break;
                n.push_back(v);
            }
        std::string text;
        if (open && Has_Numbers(code)) {
            const char* close = end;
            while (close > open && close[-1] != '\xAF') --close;
            text.assign(open + 1, close > open ? close - 1 : end);
        }
        const bool keeps_group = code == PLOT_RECORD_TEXT_HEIGHT || code == PLOT_RECORD_TEXT_ANGLE || code == PLOT_RECORD_8;
        switch (code) {
        case PLOT_RECORD_LINE:
            if (n.size() >= 4) obstacles_.Add_Segment({Page(n[0], n[1]), Page(n[2], n[3]), width_ / 2.0});
            break;
        case PLOT_RECORD_PEN_CLASS:
            if (!n.empty() && n[0] >= 1.0 && n[0] <= 10.0) width_ = n[0] * kPenClassWidth;
            break;
        case PLOT_RECORD_LINE_WIDTH:
            if (!n.empty() && n[0] > 0.0) width_ = std::min(n[0], 1.0);
            break;
        case PLOT_RECORD_TEXT_STYLE:
            if (!n.empty()) cap_ = Style_Cap(static_cast<int>(n[0]));
            break;
        case PLOT_RECORD_TEXT_HEIGHT:
            if (!n.empty() && n[0] > 0.0) cap_ = n[0];
            break;
        case PLOT_RECORD_TEXT_ANGLE:
            if (!n.empty()) angle_ = n[0];
            break;
        case PLOT_RECORD_POLYGON: Polygon(n, true); break;
        case PLOT_RECORD_TEXT:
        case PLOT_RECORD_TEXT_ANGLED:
            if (n.size() >= 2) Text(Page(n[0], n[1]), code == PLOT_RECORD_TEXT ? 0.0 : angle_, -1, text,
                                    code == PLOT_RECORD_TEXT_ANGLED && last_was_text_);
            break;
        case PLOT_RECORD_TEXT_ANCHORED:
        case PLOT_RECORD_TEXT_ANCHORED_ANGLED:
            if (n.size() >= 5) {
                const int anchor = static_cast<int>(n[4]);
                double a = code == PLOT_RECORD_TEXT_ANCHORED ? 0.0 : angle_;
                if (anchor & PLOT_ANCHOR_UPRIGHT) a += 90.0;
                Text(Page(n[0], n[1]), a, anchor, text, false);
            }
            break;
        default: break;
        }
        if (!keeps_group) last_was_text_ = code == PLOT_RECORD_TEXT_ANCHORED || code == PLOT_RECORD_TEXT_ANCHORED_ANGLED;
    }

    // A polygon record's count and points; as_written: as the record gives them back, else
    // as told, to be rounded so when they are measured. Whether it is small is decided on
    // the rounded points where the points as told leave it in doubt.
    void Polygon(std::vector<double>& n, bool as_written)
    {
        const int count = n.empty() ? 0 : static_cast<int>(n[0]);
        if (count < 2 || n.size() < 1 + 2 * static_cast<size_t>(count)) return;
        auto small = [&](double margin) {
            double lo_x = 1e100, hi_x = -1e100, lo_y = 1e100, hi_y = -1e100;
            for (int k = 0; k < count; ++k) {
                const Point p = Page(n[1 + 2 * k], n[2 + 2 * k]);
                lo_x = std::min(lo_x, p.x), hi_x = std::max(hi_x, p.x);
                lo_y = std::min(lo_y, p.y), hi_y = std::max(hi_y, p.y);
            }
            return hi_x - lo_x <= kSmallPolygon + margin && hi_y - lo_y <= kSmallPolygon + margin;
        };
        constexpr double kDoubt = 4e-6;  // more than rounding moves a span
        if (!as_written && small(-kDoubt) != small(kDoubt)) {
            for (size_t k = 1; k < n.size(); ++k) n[k] = As_Written(n[k]);
            as_written = true;
        }
        if (!small(0.0)) return;
        std::vector<Point> points;
        for (int k = 0; k < count; ++k) points.push_back(Page(n[1 + 2 * k], n[2 + 2 * k]));
        obstacles_.Add_Polygon(points, as_written);
    }

    // The box of a text at the point: anchored by the code (in the report the rows follow
    // the window's y as the viewer sets them; the drawing file's keypad, on its plan whose
    // y runs up the page, does not turn them), or with its baseline starting there
    // (code < 0).
    Box Text_Box(Point at, double degrees, int anchor, size_t chars, double cap, bool in_file) const
    {
        const double a = degrees * kPi / 180.0;
        Box box;
        box.in_file = in_file;
        box.u = {std::cos(a), std::sin(a)};
        box.v = {-std::sin(a), std::cos(a)};
        box.h = cap;
        box.w = static_cast<double>(chars) * kLabelAdvanceEm * cap / kCapEm;
        double u = 0.0, v = 0.0;
        if (anchor >= 0) {
            if (anchor & PLOT_ANCHOR_COLUMN_CENTRE)
                u = box.w / 2.0;
            else if (anchor & PLOT_ANCHOR_COLUMN_RIGHT)
                u = box.w;
            int row = anchor & (PLOT_ANCHOR_ROW_TOP | PLOT_ANCHOR_ROW_MIDDLE | PLOT_ANCHOR_ROW_BOTTOM);
            if (!in_file && sy_ < 0.0 && row == PLOT_ANCHOR_ROW_TOP)
                row = PLOT_ANCHOR_ROW_BOTTOM;
            else if (!in_file && sy_ < 0.0 && row == PLOT_ANCHOR_ROW_BOTTOM)
                row = PLOT_ANCHOR_ROW_TOP;
            if (row == PLOT_ANCHOR_ROW_TOP)
                v = box.h;
            else if (row == PLOT_ANCHOR_ROW_MIDDLE)
                v = box.h / 2.0;
        }
        box.o = at - u * box.u - v * box.v;
        return box;
    }

    void Text(Point at, double degrees, int anchor, const std::string& text, bool raised)
    {
        const size_t index = text_count_++;
        const bool blank = text.find_first_not_of(' ') == std::string::npos;
        if (!raised || labels_.empty()) {
            labels_.emplace_back();
        }
        Label& label = labels_.back();
        label.texts.push_back(index);
        if (blank) return;
        label.boxes.push_back(Text_Box(at, degrees, anchor, text.size(), cap_, false));
        // The drawing file's fonts are at least this high.
        label.boxes.push_back(Text_Box(at, degrees, anchor, text.size(), std::max(cap_, kFileCap), true));
    }
};

// What is kept while labels are held: the memory streams that stand in for the graphic's
// and the drawing file's, and each text with the place of its bytes in them.
struct Held_Text {
    std::function<void(const Plot_Label_Move&)> write;
    Plot_State state;  // as the text was written
    long graphic_begin, graphic_end, file_begin, file_end;
};

// A stream that keeps what is written to it in memory: where it stands is the length of
// its bytes and of what waits in its buffer. Its bytes keep their room from one graphic
// to the next.
struct Memory_Stream {
    FILE* stream = nullptr;
    std::string bytes;

    bool Open(FILE* real)
    {
        bytes.clear();
        if (real == nullptr) return true;
        const cookie_io_functions_t io{nullptr, Keep, nullptr, nullptr};
        stream = fopencookie(this, "w", io);
        return stream != nullptr;
    }
    long Tell() const { return stream ? static_cast<long>(bytes.size() + __fpending(stream)) : 0; }
    void Close()
    {
        if (stream) std::fclose(stream);
        stream = nullptr;
    }

    static ssize_t Keep(void* self, const char* data, size_t size)
    {
        static_cast<Memory_Stream*>(self)->bytes.append(data, size);
        return static_cast<ssize_t>(size);
    }
};

struct Held_Labels {
    bool on = false;
    FILE* graphic = nullptr;  // the streams the records and entities go on to
    FILE* file = nullptr;
    Memory_Stream graphic_memory, file_memory;
    // What goes on to the streams, in one piece each, and a moved text's records and entity.
    std::string graphic_out, file_out;
    Memory_Stream moved_graphic, moved_file;
    double sx = 1.0, sy = 1.0;
    std::vector<Held_Text> texts;
    std::vector<Held_Line> lines;
    std::vector<Held_Polygon> polygons;
} held;

void Pass_On(std::string& out, const std::string& bytes, long& from, long to)
{
    if (to > from) out.append(bytes, static_cast<size_t>(from), static_cast<size_t>(to - from));
    from = std::max(from, to);
}

}  // namespace

std::vector<Plot_Label_Move> Plot_Find_Label_Moves(const std::string& records)
{
    const char* p = records.data();
    const char* const end = p + records.size();
    auto next_line = [&]() {
        const char* line = p;
        const char* line_end = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        p = line_end ? line_end + 1 : end;
        return std::make_pair(line, line_end ? line_end : end);
    };
    // Head: up to the "-1" before the window, then the window "x1 x2 y1 y2".
    while (p < end) {
        const auto [line, line_end] = next_line();
        if (Is_End_Record(line, line_end)) break;
    }
    double sx = 1.0, sy = 1.0;
    if (p < end) {
        const auto [line, line_end] = next_line();
        std::vector<double> w;
        for (const char *q = line, *after = line;; q = after) {
            const double v = Number(q, line_end, &after);
            if (after == q) break;
            w.push_back(v);
        }
        if (w.size() >= 4) {
            sx = w[1] >= w[0] ? 1.0 : -1.0;
            sy = w[3] >= w[2] ? 1.0 : -1.0;
        }
    }
    Reader reader(sx, sy);
    reader.Read(p, end);
    return reader.Moves();
}

void Plot_Hold_Labels()
{
    if (held.on) Plot_Place_Labels();
    Plot_State& s = plot_state;
    held.graphic = s.plot_graphic_stream;
    held.file = s.plot_file_stream;
    if (!held.graphic_memory.Open(held.graphic) || !held.file_memory.Open(held.file)) {
        held.graphic_memory.Close();
        held.file_memory.Close();
        return;  // the texts go where they are given
    }
    held.on = true;
    held.sx = s.x_direction == 1 ? 1.0 : -1.0;
    held.sy = s.y_backwards ? -1.0 : 1.0;
    s.plot_graphic_stream = held.graphic_memory.stream;
    s.plot_file_stream = held.file_memory.stream;
}

void Plot_Place_Labels()
{
    if (!held.on) return;
    held.on = false;
    Plot_State& s = plot_state;
    held.graphic_memory.Close();
    held.file_memory.Close();
    const std::string& graphic = held.graphic_memory.bytes;
    const std::string& file = held.file_memory.bytes;
    s.plot_graphic_stream = held.graphic;
    s.plot_file_stream = held.file;
    Reader reader(held.sx, held.sy);
    reader.Read(graphic.data(), graphic.data() + graphic.size(), graphic.data(), &held.lines, &held.polygons);
    const std::vector<Plot_Label_Move> moves = reader.Moves();

    std::string& graphic_out = held.graphic_out;
    std::string& file_out = held.file_out;
    graphic_out.clear();
    file_out.clear();
    long g = 0, f = 0;
    for (size_t k = 0; k < held.texts.size(); ++k) {
        Held_Text& text = held.texts[k];
        Pass_On(graphic_out, graphic, g, text.graphic_begin);
        Pass_On(file_out, file, f, text.file_begin);
        const Plot_Label_Move move = k < moves.size() ? moves[k] : Plot_Label_Move{};
        if (move.dx == 0.0 && move.dy == 0.0) continue;  // its bytes as they were
        if (!held.moved_graphic.Open(held.graphic) || !held.moved_file.Open(held.file)) {
            held.moved_graphic.Close();
            continue;  // (no memory) it stays where it was given
        }
        const Plot_State now = s;
        s = text.state;
        s.plot_graphic_stream = held.moved_graphic.stream;
        s.plot_file_stream = held.moved_file.stream;
        text.write(move);
        s = now;
        held.moved_graphic.Close();
        held.moved_file.Close();
        graphic_out += held.moved_graphic.bytes;
        file_out += held.moved_file.bytes;
        g = text.graphic_end;
        f = text.file_end;
    }
    Pass_On(graphic_out, graphic, g, static_cast<long>(graphic.size()));
    Pass_On(file_out, file, f, static_cast<long>(file.size()));
    if (held.graphic) std::fwrite(graphic_out.data(), 1, graphic_out.size(), held.graphic);
    if (held.file) std::fwrite(file_out.data(), 1, file_out.size(), held.file);
    held.texts.clear();
    held.lines.clear();
    held.polygons.clear();
}

void Plot_Hold_Line(double x1, double y1, double x2, double y2)
{
    if (held.on) held.lines.push_back({held.graphic_memory.Tell(), x1, y1, x2, y2});
}

void Plot_Hold_Polygon(int n, const double* values)
{
    if (held.on && n >= 0) held.polygons.push_back({held.graphic_memory.Tell(), std::vector<double>(values, values + 2 * n)});
}

void Plot_Write_Label(std::function<void(const Plot_Label_Move&)> write)
{
    if (!held.on) {
        write({});
        return;
    }
    Held_Text text{std::move(write), plot_state, held.graphic_memory.Tell(), 0, held.file_memory.Tell(), 0};
    text.write({});
    text.graphic_end = held.graphic_memory.Tell();
    text.file_end = held.file_memory.Tell();
    held.texts.push_back(std::move(text));
}
