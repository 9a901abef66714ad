#include "report/plot_label_room.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

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

struct Obstacles {
    std::vector<Segment> segments;
    std::vector<std::vector<Point>> polygons;
};

bool Clear(const Box& box, const Obstacles& o, const std::vector<Box>& placed)
{
    const double reach = std::hypot(box.w, box.h) + 0.2;
    const Point c = box.Centre();
    for (const Segment& s : o.segments) {
        if (Point_Segment_Distance(c, s.a, s.b) > reach + s.half_width) continue;
        if (Distance(box, s.a, s.b) < kClearance + s.half_width) return false;
    }
    for (const auto& polygon : o.polygons)
        for (size_t k = 0; k < polygon.size(); ++k) {
            const Point a = polygon[k], b = polygon[(k + 1) % polygon.size()];
            if (Point_Segment_Distance(c, a, b) > reach) continue;
            if (Distance(box, a, b) < kClearance) return false;
        }
    for (const Box& other : placed)
        if (other.in_file == box.in_file &&
            std::hypot(other.Centre().x - c.x, other.Centre().y - c.y) < reach + std::hypot(other.w, other.h) &&
            Distance(box, other) < kClearance)
            return false;
    return true;
}

Box Moved(Box box, Point by)
{
    box.o = box.o + by;
    return box;
}

bool Clear(const Label& label, Point by, const Obstacles& o, const std::vector<Box>& placed)
{
    for (const Box& box : label.boxes)
        if (!Clear(Moved(box, by), o, placed)) return false;
    return true;
}

// The least move that clears the label; none when nothing within reach does.
Point Least_Move(const Label& label, const Obstacles& o, const std::vector<Box>& placed)
{
    if (label.boxes.empty() || Clear(label, {}, o, placed)) return {};
    const Box& box = label.boxes[0];
    // Up, down, along, back, the diagonals, then the directions between them.
    static const double turns[] = {90,   270,   0,     180,   45,    135,   225,  315,
                                   67.5, 112.5, 247.5, 292.5, 22.5, 157.5, 202.5, 337.5};
    for (double r = kStep; r <= kFarthest + 1e-9; r += kStep)
        for (double t : turns) {
            const double a = t * kPi / 180.0;
            // (Whole nanometres: no sine's rest of a right angle makes a "-0.000000".)
            Point by = r * (std::cos(a) * box.u + std::sin(a) * box.v);
            by = {std::round(by.x * 1e9) / 1e9, std::round(by.y * 1e9) / 1e9};
            if (Clear(label, by, o, placed)) return by;
        }
    return {};
}

// Reads a record line: its code, numbers and text (between 0xAE and 0xAF).
bool Parse(const std::string& line, int& code, std::vector<double>& numbers, std::string& text, bool& has_text)
{
    numbers.clear();
    text.clear();
    const size_t open = line.find('\xAE');
    has_text = open != std::string::npos;
    if (has_text) {
        const size_t close = line.rfind('\xAF');
        text = line.substr(open + 1, close == std::string::npos || close < open ? std::string::npos : close - open - 1);
    }
    const std::string head = line.substr(0, open);
    const char* p = head.c_str();
    char* end = nullptr;
    const double first = std::strtod(p, &end);
    if (end == p) return false;
    code = static_cast<int>(first);
    for (p = end;; p = end) {
        const double v = std::strtod(p, &end);
        if (end == p) break;
        numbers.push_back(v);
    }
    return true;
}

class Reader {
public:
    explicit Reader(const std::string& records)
    {
        std::istringstream in(records);
        std::string line;
        // Head: up to the "-1" before the window, then the window "x1 x2 y1 y2".
        while (std::getline(in, line) && Trim(line) != "-1") {
        }
        if (std::getline(in, line)) {
            std::vector<double> w;
            std::istringstream numbers(line);
            for (double v; numbers >> v;) w.push_back(v);
            if (w.size() >= 4) {
                sx_ = w[1] >= w[0] ? 1.0 : -1.0;
                sy_ = w[3] >= w[2] ? 1.0 : -1.0;
            }
        }
        while (std::getline(in, line) && Trim(line) != "-1") Record(line);
    }

    std::vector<Plot_Label_Move> Moves()
    {
        std::vector<Box> placed;  // of the report and of the drawing file
        std::vector<Plot_Label_Move> moves(text_count_);
        for (Label& label : labels_) {
            label.move = Least_Move(label, obstacles_, placed);
            for (const Box& box : label.boxes) placed.push_back(Moved(box, label.move));
            for (size_t k : label.texts) moves[k] = {label.move.x * sx_, label.move.y * sy_};
        }
        return moves;
    }

private:
    double sx_ = 1.0, sy_ = 1.0;
    double width_ = kPenClassWidth;
    double cap_ = Style_Cap(4);
    double angle_ = 0.0;
    size_t text_count_ = 0;
    bool last_was_text_ = false;  // only height and angle records since the last text
    Obstacles obstacles_;
    std::vector<Label> labels_;

    static std::string Trim(const std::string& s)
    {
        const size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
        return a == std::string::npos ? "" : s.substr(a, b - a + 1);
    }

    static double Style_Cap(int style)
    {
        const int chars = style >= 0 && style <= 10 ? oli_chars_per_line[style] : 96;
        return kTextWidthCm / chars / kMonoAdvanceEm * kCapEm;
    }

    Point Page(double x, double y) const { return {x * sx_, y * sy_}; }

    void Record(const std::string& line)
    {
        int code = 0;
        std::vector<double> n;
        std::string text;
        bool has_text = false;
        if (!Parse(line, code, n, text, has_text)) return;
        const bool keeps_group = code == PLOT_RECORD_TEXT_HEIGHT || code == PLOT_RECORD_TEXT_ANGLE || code == PLOT_RECORD_8;
        switch (code) {
        case PLOT_RECORD_LINE:
            if (n.size() >= 4) obstacles_.segments.push_back({Page(n[0], n[1]), Page(n[2], n[3]), width_ / 2.0});
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
        case PLOT_RECORD_POLYGON: Polygon(n); break;
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

    void Polygon(const std::vector<double>& n)
    {
        const int count = n.empty() ? 0 : static_cast<int>(n[0]);
        if (count < 2 || n.size() < 1 + 2 * static_cast<size_t>(count)) return;
        std::vector<Point> points;
        double lo_x = 1e100, hi_x = -1e100, lo_y = 1e100, hi_y = -1e100;
        for (int k = 0; k < count; ++k) {
            points.push_back(Page(n[1 + 2 * k], n[2 + 2 * k]));
            lo_x = std::min(lo_x, points.back().x), hi_x = std::max(hi_x, points.back().x);
            lo_y = std::min(lo_y, points.back().y), hi_y = std::max(hi_y, points.back().y);
        }
        if (hi_x - lo_x <= kSmallPolygon && hi_y - lo_y <= kSmallPolygon) obstacles_.polygons.push_back(std::move(points));
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

std::vector<Plot_Label_Move> label_moves;  // empty: no text moves
size_t next_label = 0;

}  // namespace

std::vector<Plot_Label_Move> Plot_Find_Label_Moves(const std::string& records)
{
    return Reader(records).Moves();
}

void Plot_Set_Label_Moves(std::vector<Plot_Label_Move> moves)
{
    label_moves = std::move(moves);
    next_label = 0;
}

void Plot_Clear_Label_Moves()
{
    Plot_Set_Label_Moves({});
}

Plot_Label_Move Plot_Next_Label_Move()
{
    const size_t k = next_label++;
    return k < label_moves.size() ? label_moves[k] : Plot_Label_Move{};
}
