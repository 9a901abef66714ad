#include "viewer/file_numbers.h"
#include "viewer/drawing_document.h"

#include "report/drawing_file.h"
#include "viewer/graphic_records.h"
#include "viewer/line_source.h"
#include "viewer/report_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string_view>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double MM = 0.1;                    // cm per millimetre
constexpr double MARGIN = 1.5;
constexpr double TITLE_BASELINE = 1.2;
constexpr double TITLE_SIZE = 0.45;
constexpr double AREA_TOP = 1.8;
constexpr double SOLID_SPACING_MM = 0.05;
constexpr double ARC_STEP = PI / 32.0;

struct Pen {
    double width_mm = 0.25;
    int colour = 0;
};
struct Font {
    double height_mm = 2.5;
    bool italic = false;
};
struct Filling {
    double angle = 0.0;
    int families = 1;
    double spacing_mm = 1.0;
    int pen = 0;
};

struct Line_Entity {
    int from = 0, to = 0;  // point numbers
    int pen = 0, line_type = 0;
};
struct Edge {
    int from = 0, to = 0;
    double radius = 0.0;
    int pen = 0;
};
struct Area_Entity {
    int filling = 0;
    std::vector<std::vector<Edge>> contours;
};
struct Text_Entity {
    int font = 0, keypad = 7;
    double x = 0.0, y = 0.0, angle = 0.0;
    std::string bytes;
};

struct Numbered_Point {
    int number = 0;
    Page_Point at;
};

// The points of the entities by their numbers, kept as a list while the file is read
// (a drawing has hundreds of thousands) and sorted once: a number given twice names the
// point given last.
class Point_Table {
public:
    void Set(int number, Page_Point at) { points_.push_back({number, at}); }

    void Sort()
    {
        // The writer numbers its points as it goes: mostly they are in order already.
        const auto before = [](const Numbered_Point& a, const Numbered_Point& b) { return a.number < b.number; };
        if (std::adjacent_find(points_.begin(), points_.end(), [&](const Numbered_Point& a, const Numbered_Point& b) {
                return !before(a, b);
            }) == points_.end())
            return;
        std::stable_sort(points_.begin(), points_.end(), before);
        size_t kept = 0;
        for (size_t k = 0; k < points_.size(); ++k) {
            if (k + 1 < points_.size() && points_[k + 1].number == points_[k].number) continue;
            points_[kept++] = points_[k];
        }
        points_.resize(kept);
        points_.shrink_to_fit();
    }

    // After Sort: the point of the number, (0, 0) for one not given.
    Page_Point Find(int number) const
    {
        const auto found = std::lower_bound(points_.begin(), points_.end(), number,
                                            [](const Numbered_Point& p, int n) { return p.number < n; });
        return found == points_.end() || found->number != number ? Page_Point{} : found->at;
    }

    const std::vector<Numbered_Point>& All() const { return points_; }

private:
    std::vector<Numbered_Point> points_;
};

struct Drawing {
    std::string title;
    double factor = 0.0;  // of the coordinate system: paper = coordinate * 100 / factor
    std::map<int, Rgb> colours;
    std::map<int, Pen> pens;
    std::map<int, std::vector<double>> line_types;  // dash lengths in mm
    std::map<int, Font> fonts;
    std::map<int, Filling> fillings;
    Point_Table points;
    std::vector<Line_Entity> lines;
    std::vector<Area_Entity> areas;
    std::vector<Text_Entity> texts;
};

// The words of a line, as views into it.
void Tokens(std::string_view text, std::vector<std::string_view>& out)
{
    out.clear();
    size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t\n\v\f\r", at);
        if (at == std::string_view::npos) return;
        const size_t end = std::min(text.find_first_of(" \t\n\v\f\r", at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end;
    }
}

bool Number(std::string_view token, double& value)
{
    const std::string copy(token);
    char* end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    return end != copy.c_str() && *end == '\0' && std::isfinite(value);
}

// The numbers of a text (tokens that are not numbers are passed over).
std::vector<double> Numbers(std::string_view text)
{
    std::vector<std::string_view> tokens;
    Tokens(text, tokens);
    std::vector<double> out;
    for (std::string_view t : tokens) {
        double v = 0.0;
        if (Number(t, v)) out.push_back(v);
    }
    return out;
}

// The parts of a row before the first 0xAE and after the last 0xAF (the text between
// them is not wanted by the tables read here).
std::string Outside_Guillemets(const std::string& line)
{
    const size_t open = line.find('\xAE');
    if (open == std::string::npos) return line;
    const size_t close = line.rfind('\xAF');
    return line.substr(0, open) + " " + (close == std::string::npos || close < open ? "" : line.substr(close + 1));
}

// "@12" or "#12": 12; false for anything else.
bool Reference(std::string_view token, char mark, int& value)
{
    if (token.size() < 2 || token[0] != mark) return false;
    double v = 0.0;
    if (!Number(token.substr(1), v)) return false;
    value = File_Int(v);
    return true;
}

// A line that ends the rows of a table or an area: the next table or entity, or a section
// mark.
bool Ends_Rows(const std::string& line) { return !line.empty() && (line[0] == '-' || line[0] == '*'); }

// The rows of an area, " 0 ( @E ( @P x y ) #R pen a b r )" (the count of rows stands before
// the first), read as a stream of words that may run over lines: each edge is read as soon
// as its words are there, so that only a few words wait at a time.
class Area_Rows {
public:
    Area_Rows(Area_Entity& area, Point_Table& points, View_Counts& counts)
        : area_(area), points_(points), counts_(counts)
    {
    }

    void Add(const std::vector<std::string_view>& tokens)
    {
        for (std::string_view t : tokens) words_.emplace_back(t);
        Read(false);
    }

    void Finish()
    {
        Read(true);
        if (!contour_.empty()) area_.contours.push_back(std::move(contour_));
    }

private:
    static constexpr size_t EDGE_WORDS = 13;  // ( @E ( @P x y ) #R pen a b r )
    Area_Entity& area_;
    Point_Table& points_;
    View_Counts& counts_;
    std::vector<std::string> words_;
    std::vector<Edge> contour_;
    int first_ = 0;

    // Reads the edges the words hold; at the end (last) also those cut short.
    void Read(bool last)
    {
        size_t k = 0;
        for (; k < words_.size(); ++k) {
            if (words_[k] != "(") continue;
            if (k + 1 >= words_.size() || (!last && k + EDGE_WORDS > words_.size())) {
                if (last) continue;
                break;  // wait for the rest of the edge's words
            }
            if (words_[k + 1][0] != '@') continue;
            Edge e;
            double x = 0.0, y = 0.0, pen = 0.0, radius = 0.0;
            if (k + 11 >= words_.size() || words_[k + 2] != "(" || !Reference(words_[k + 3], '@', e.from) ||
                !Number(words_[k + 4], x) || !Number(words_[k + 5], y) || words_[k + 6] != ")" ||
                !Reference(words_[k + 7], '#', e.to) || !Number(words_[k + 8], pen) || !Number(words_[k + 11], radius)) {
                ++counts_.malformed_lines;
                continue;
            }
            points_.Set(e.from, {x, y});
            e.pen = File_Int(pen);
            e.radius = radius;
            if (contour_.empty()) first_ = e.from;
            contour_.push_back(e);
            if (e.to == first_) {
                area_.contours.push_back(std::move(contour_));
                contour_.clear();
            }
            k += EDGE_WORDS - 1;
        }
        words_.erase(words_.begin(), words_.begin() + static_cast<long>(std::min(k, words_.size())));
    }
};

class Reader {
public:
    Reader(Line_Source& source, View_Counts& counts) : src_(source), counts_(counts) {}

    Drawing Run()
    {
        if (!src_.At_End()) src_.Advance();  // the file's first line
        if (!src_.At_End()) d_.title = src_.Take();
        while (!src_.At_End() && src_.Line() != "*TABLES") src_.Advance();
        while (!src_.At_End() && src_.Line() != "*EOT") {
            const std::string line = src_.Take();
            if (line.empty() || line[0] != '-') continue;
            Tokens(line, tokens_);
            const std::string name(tokens_[0]);
            for (; !src_.At_End() && !Ends_Rows(src_.Line()); src_.Advance())
                if (!src_.Line().empty()) Table_Row(name, src_.Line());
        }
        while (!src_.At_End() && src_.Line() != "*ENTITIES") src_.Advance();
        if (!src_.At_End()) src_.Advance();
        while (!src_.At_End() && src_.Line() != "*EOI") Entity();
        counts_.malformed_lines += src_.Cut_Lines();
        d_.points.Sort();
        return std::move(d_);
    }

private:
    Line_Source& src_;
    View_Counts& counts_;
    Drawing d_;
    std::vector<std::string_view> tokens_;

    void Table_Row(const std::string& table, const std::string& row)
    {
        const std::vector<double> n = Numbers(Outside_Guillemets(row));
        if (n.empty()) return;
        const int k = File_Int(n[0]);
        if (table == "-colors" && n.size() >= 4) {
            d_.colours[k] = {n[1] / 255.0, n[2] / 255.0, n[3] / 255.0};
        } else if (table == "-pens" && n.size() >= 3) {
            d_.pens[k] = {n[1], File_Int(n[2])};
        } else if (table == "-linetypes" && n.size() >= 3) {
            // number pairs 0 dash gap ...: the count of pairs is only believed as far as the
            // row gives them (a count near the end of an int would overflow twice over).
            const int pairs = File_Int(n[1]);
            const size_t given = n.size() - 3;
            const size_t taken = pairs <= 0 ? 0 : std::min(given, 2 * static_cast<size_t>(pairs));
            d_.line_types[k] = std::vector<double>(n.begin() + 3, n.begin() + 3 + static_cast<long>(taken));
        } else if (table == "-fonts" && n.size() >= 7) {
            // number « name » 0 flag height 0.7 3.0 slant 1
            d_.fonts[k] = {n[3], n[6] != 0.0};
        } else if (table == "-fillings" && n.size() >= 6) {
            d_.fillings[k] = {n[1], File_Int(n[2]), n[4], File_Int(n[5])};
        } else if (table == "-coordinates" && n.size() >= 2) {
            if (d_.factor == 0.0) d_.factor = n[1];
        }
    }

    // The entity at the current line, with the lines that belong to it.
    void Entity()
    {
        Tokens(src_.Line(), tokens_);
        // A line of blanks is as empty as an empty one.
        if (tokens_.empty()) {
            src_.Advance();
            return;
        }
        const std::string_view kind = tokens_[0];
        if (kind == "-area") {
            Area();
            return;
        }
        if (kind == "-text") {
            Text();
            return;
        }
        if (kind == "-line") {
            Line();
        } else if (kind == "-point") {
            int p = 0;
            double x = 0.0, y = 0.0;
            if (tokens_.size() >= 4 && Reference(tokens_[1], '@', p) && Number(tokens_[2], x) && Number(tokens_[3], y))
                d_.points.Set(p, {x, y});
            else
                ++counts_.malformed_lines;
        } else if (kind == "-opengroup" || kind == "-closegroup" || kind == "-setlayer" || kind == "-setcoorsys") {
            // Groups, layers and the coordinate system change nothing on the page.
        } else if (kind[0] == '-') {
            ++counts_.unknown_records;
        } else {
            ++counts_.malformed_lines;
        }
        src_.Advance();
    }

    // "-line @E ( @P x y ) #R pen type 1 0.0"
    void Line()
    {
        const std::vector<std::string_view>& t = tokens_;
        Line_Entity l;
        double x = 0.0, y = 0.0, pen = 0.0, type = 0.0;
        if (t.size() >= 10 && t[2] == "(" && Reference(t[3], '@', l.from) && Number(t[4], x) && Number(t[5], y) &&
            t[6] == ")" && Reference(t[7], '#', l.to) && Number(t[8], pen) && Number(t[9], type)) {
            d_.points.Set(l.from, {x, y});
            l.pen = File_Int(pen);
            l.line_type = File_Int(type);
            d_.lines.push_back(l);
            ++counts_.lines;
        } else {
            ++counts_.malformed_lines;
        }
    }

    // "-area / kind filling", then its rows up to the next entity.
    void Area()
    {
        Area_Entity area;
        std::vector<double> head;
        for (size_t k = 2; k < tokens_.size(); ++k) {
            double v = 0.0;
            if (Number(tokens_[k], v)) head.push_back(v);
        }
        area.filling = head.size() >= 2 ? File_Int(head[1]) : 0;
        src_.Advance();
        Area_Rows rows(area, d_.points, counts_);
        for (; !src_.At_End() && !Ends_Rows(src_.Line()); src_.Advance()) {
            Tokens(src_.Line(), tokens_);
            rows.Add(tokens_);
        }
        rows.Finish();
        d_.areas.push_back(std::move(area));
        ++counts_.areas;
    }

    // "-text / 1 length font 2 1 keypad x y angle 1.2 0. 0." and the line "    «text»".
    void Text()
    {
        const std::vector<std::string_view>& t = tokens_;
        Text_Entity text;
        double font = 0.0, keypad = 0.0;
        if (t.size() < 11 || !Number(t[4], font) || !Number(t[7], keypad) || !Number(t[8], text.x) ||
            !Number(t[9], text.y) || !Number(t[10], text.angle)) {
            ++counts_.malformed_lines;
            src_.Advance();
            return;
        }
        text.font = File_Int(font);
        text.keypad = File_Int(keypad);
        src_.Advance();
        if (!src_.At_End()) {
            const std::string& line = src_.Line();
            const size_t open = line.find('\xAE');
            if (open != std::string::npos && line.find_first_not_of(' ') == open) {
                size_t close = line.rfind('\xAF');
                if (close == std::string::npos || close < open) close = line.size();
                text.bytes = line.substr(open + 1, close - open - 1);
                src_.Advance();
            }
        }
        d_.texts.push_back(std::move(text));
        ++counts_.texts;
    }
};

// ---------------------------------------------------------------------------------
// Layout

class Placer {
public:
    Placer(const Drawing& d, Page& page) : d_(d), page_(page) {}

    void Run()
    {
        unit_ = d_.factor > 0.0 ? 100.0 / d_.factor : 1.0;
        Bounds();
        page_.width = max_x_ - min_x_ > max_y_ - min_y_ ? 29.7 : 21.0;
        page_.height = page_.width > 21.0 ? 21.0 : 29.7;
        const double room_w = page_.width - 2 * MARGIN;
        const double room_h = page_.height - AREA_TOP - MARGIN;
        const double w = (max_x_ - min_x_) * unit_, h = (max_y_ - min_y_) * unit_;
        fit_ = 1.0;
        if (w > room_w) fit_ = room_w / w;
        if (h * fit_ > room_h) fit_ = room_h / h;
        left_ = MARGIN + (room_w - w * fit_) / 2.0;
        top_ = AREA_TOP + (room_h - h * fit_) / 2.0;

        Title();
        for (const Area_Entity& a : d_.areas) Area(a);
        for (const Line_Entity& l : d_.lines) Line(l);
        for (const Text_Entity& t : d_.texts) Text(t);
    }

private:
    const Drawing& d_;
    Page& page_;
    double unit_ = 1.0, fit_ = 1.0, left_ = 0.0, top_ = 0.0;
    double min_x_ = 0.0, min_y_ = 0.0, max_x_ = 0.0, max_y_ = 0.0;
    // The pen and line type of the line before and how they draw.
    bool pen_set_ = false;
    Line_Entity pen_;
    double width_ = 0.0;
    Rgb colour_;
    std::vector<double> dashes_;

    void Bounds()
    {
        bool any = false;
        auto widen = [&](double x, double y) {
            if (!any) {
                min_x_ = max_x_ = x;
                min_y_ = max_y_ = y;
                any = true;
            }
            min_x_ = std::min(min_x_, x);
            max_x_ = std::max(max_x_, x);
            min_y_ = std::min(min_y_, y);
            max_y_ = std::max(max_y_, y);
        };
        for (const Numbered_Point& p : d_.points.All()) widen(p.at.x, p.at.y);
        for (const Text_Entity& t : d_.texts) widen(t.x, t.y);
    }

    Page_Point Map(Page_Point p) const
    {
        return {left_ + (p.x - min_x_) * unit_ * fit_, top_ + (max_y_ - p.y) * unit_ * fit_};
    }

    Page_Point Point(int number) const { return d_.points.Find(number); }

    Rgb Pen_Colour(int pen) const
    {
        const auto p = d_.pens.find(pen);
        if (p == d_.pens.end()) return {};
        const auto c = d_.colours.find(p->second.colour);
        return c == d_.colours.end() ? Rgb{} : c->second;
    }

    double Pen_Width(int pen) const
    {
        const auto p = d_.pens.find(pen);
        return std::clamp(p == d_.pens.end() ? 0.25 : p->second.width_mm, 0.0, 10.0) * MM;
    }

    void Title()
    {
        if (d_.title.empty()) return;
        Page_Text t;
        t.face = {Face_Family::Sans, false, false};
        t.size = TITLE_SIZE;
        t.x = MARGIN;
        t.y = TITLE_BASELINE;
        t.utf8 = Report_Bytes_To_Utf8(d_.title);
        page_.items.emplace_back(std::move(t));
    }

    void Line(const Line_Entity& l)
    {
        if (!pen_set_ || l.pen != pen_.pen || l.line_type != pen_.line_type) {
            pen_set_ = true;
            pen_.pen = l.pen;
            pen_.line_type = l.line_type;
            width_ = Pen_Width(l.pen);
            colour_ = Pen_Colour(l.pen);
            dashes_.clear();
            const auto type = d_.line_types.find(l.line_type);
            if (type != d_.line_types.end())
                for (double mm : type->second) dashes_.push_back(mm * MM);
            // Dashes too short to print (or none at all) make a solid line.
            for (double d : dashes_)
                if (d < 0.005) {
                    dashes_.clear();
                    break;
                }
        }
        Add_Line(page_, Map(Point(l.from)), Map(Point(l.to)), width_, colour_, dashes_);
    }

    // The points of an edge after its start: the end alone, or the arc's points.
    void Edge_Points(const Edge& e, std::vector<Page_Point>& out) const
    {
        const Page_Point a = Point(e.from), b = Point(e.to);
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        const double r = std::fabs(e.radius);
        if (e.radius == 0.0 || chord == 0.0) {
            out.push_back(Map(b));
            return;
        }
        const double half = std::min(chord / 2.0, r);
        const double rise = std::sqrt(std::max(0.0, r * r - half * half));
        // Counter-clockwise for a positive radius: the centre lies left of a -> b.
        const double side = e.radius > 0.0 ? 1.0 : -1.0;
        const double mx = (a.x + b.x) / 2.0, my = (a.y + b.y) / 2.0;
        const double cx = mx - side * (b.y - a.y) / chord * rise, cy = my + side * (b.x - a.x) / chord * rise;
        double start = std::atan2(a.y - cy, a.x - cx), end = std::atan2(b.y - cy, b.x - cx);
        if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(r)) {
            out.push_back(Map(b));
            return;
        }
        if (side > 0.0)
            while (end <= start) end += 2.0 * PI;
        else
            while (end >= start) end -= 2.0 * PI;
        const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(end - start) / ARC_STEP)));
        for (int k = 1; k < steps; ++k) {
            const double t = start + (end - start) * k / steps;
            out.push_back(Map({cx + r * std::cos(t), cy + r * std::sin(t)}));
        }
        out.push_back(Map(b));
    }

    void Area(const Area_Entity& a)
    {
        Page_Fill fill;
        for (const std::vector<Edge>& contour : a.contours) {
            std::vector<Page_Point> points;
            for (const Edge& e : contour) {
                if (points.empty()) points.push_back(Map(Point(e.from)));
                Edge_Points(e, points);
            }
            fill.contours.push_back(std::move(points));
        }
        const auto f = d_.fillings.find(a.filling);
        const Filling filling = f == d_.fillings.end() ? Filling{0.0, 1, 0.0, 0} : f->second;
        fill.colour = Pen_Colour(filling.pen);
        if (filling.spacing_mm <= SOLID_SPACING_MM) {
            fill.kind = Fill_Kind::Solid;
        } else {
            fill.kind = filling.families >= 2 ? Fill_Kind::Cross : Fill_Kind::Hatch;
            fill.hatch_angle = filling.angle;
            fill.hatch_spacing = filling.spacing_mm * MM;
            fill.hatch_width = Pen_Width(filling.pen);
        }
        page_.items.emplace_back(std::move(fill));
    }

    void Text(const Text_Entity& e)
    {
        Page_Text t;
        const auto f = d_.fonts.find(e.font);
        const Font font = f == d_.fonts.end() ? Font{} : f->second;
        t.face = {Face_Family::Sans, false, font.italic};
        const double cap = std::clamp(font.height_mm, 0.0, 200.0) * MM * fit_;
        t.size = cap / SANS_CAP_HEIGHT_EM;
        t.angle = e.angle;
        t.utf8 = Report_Bytes_To_Utf8(e.bytes);
        const double width = Text_Advance_Em(t.face, t.utf8) * t.size;
        const int key = std::clamp(e.keypad, 1, 9);
        const int column = (key - 1) % 3;  // 0 left, 1 centre, 2 right
        const int row = (key - 1) / 3;     // 0 bottom, 1 middle, 2 top
        Place_Text(t, Map({e.x, e.y}), column * width / 2.0, row * cap / 2.0, width, cap);
        page_.items.emplace_back(std::move(t));
    }
};

} // namespace

bool Is_Drawing_File(const std::string& bytes)
{
    const std::string magic = PLOT_FILE_MAGIC;
    if (bytes.compare(0, magic.size(), magic) != 0) return false;
    return bytes.size() == magic.size() || bytes[magic.size()] == '\n' || bytes[magic.size()] == '\r';
}

bool Lay_Out_Drawing(const std::string& bytes, Laid_Out_Document& out)
{
    if (!Is_Drawing_File(bytes)) return false;
    Line_Source lines(bytes);
    Lay_Out_Drawing(lines, out);
    return true;
}

void Lay_Out_Drawing(Line_Source& lines, Laid_Out_Document& out)
{
    out = Laid_Out_Document{};
    const Drawing drawing = Reader(lines, out.counts).Run();
    out.title = Report_Bytes_To_Utf8(drawing.title);
    out.pages.emplace_back();
    Placer(drawing, out.pages.back()).Run();
    out.page_count = 1;
}
