#include "viewer/file_numbers.h"
#include "viewer/drawing_document.h"

#include "report/drawing_file.h"
#include "viewer/graphic_records.h"
#include "viewer/report_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

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

struct Drawing {
    std::string title;
    double factor = 0.0;  // of the coordinate system: paper = coordinate * 100 / factor
    std::map<int, Rgb> colours;
    std::map<int, Pen> pens;
    std::map<int, std::vector<double>> line_types;  // dash lengths in mm
    std::map<int, Font> fonts;
    std::map<int, Filling> fillings;
    std::map<int, Page_Point> points;
    std::vector<Line_Entity> lines;
    std::vector<Area_Entity> areas;
    std::vector<Text_Entity> texts;
};

std::vector<std::string> Split_Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

bool Number(const std::string& token, double& value)
{
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return end != token.c_str() && *end == '\0' && std::isfinite(value);
}

// The numbers of a text (tokens that are not numbers are passed over).
std::vector<double> Numbers(const std::string& text)
{
    std::vector<double> out;
    for (const std::string& t : Tokens(text)) {
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
bool Reference(const std::string& token, char mark, int& value)
{
    if (token.size() < 2 || token[0] != mark) return false;
    double v = 0.0;
    if (!Number(token.substr(1), v)) return false;
    value = File_Int(v);
    return true;
}

class Reader {
public:
    Reader(const std::string& bytes, View_Counts& counts) : lines_(Split_Lines(bytes)), counts_(counts) {}

    Drawing Run()
    {
        if (lines_.size() > 1) d_.title = lines_[1];
        size_t i = 2;
        while (i < lines_.size() && lines_[i] != "*TABLES") ++i;
        while (i < lines_.size() && lines_[i] != "*EOT") {
            const std::string& line = lines_[i++];
            if (line.empty() || line[0] != '-') continue;
            const std::string name = Tokens(line)[0];
            size_t end = i;
            while (end < lines_.size() && (lines_[end].empty() || (lines_[end][0] != '-' && lines_[end][0] != '*'))) ++end;
            for (; i < end; ++i)
                if (!lines_[i].empty()) Table_Row(name, lines_[i]);
        }
        while (i < lines_.size() && lines_[i] != "*ENTITIES") ++i;
        ++i;
        while (i < lines_.size() && lines_[i] != "*EOI") Entity(i);
        return std::move(d_);
    }

private:
    std::vector<std::string> lines_;
    View_Counts& counts_;
    Drawing d_;

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
            std::vector<double> dashes;
            const int pairs = File_Int(n[1]);
            for (int p = 0; p < 2 * pairs && 3 + static_cast<size_t>(p) < n.size(); ++p) dashes.push_back(n[3 + p]);
            d_.line_types[k] = dashes;
        } else if (table == "-fonts" && n.size() >= 7) {
            // number « name » 0 flag height 0.7 3.0 slant 1
            d_.fonts[k] = {n[3], n[6] != 0.0};
        } else if (table == "-fillings" && n.size() >= 6) {
            d_.fillings[k] = {n[1], File_Int(n[2]), n[4], File_Int(n[5])};
        } else if (table == "-coordinates" && n.size() >= 2) {
            if (d_.factor == 0.0) d_.factor = n[1];
        }
    }

    void Entity(size_t& i)
    {
        const std::string& line = lines_[i++];
        const std::vector<std::string> t = Tokens(line);
        // A line of blanks is as empty as an empty one.
        if (t.empty()) return;
        const std::string& kind = t[0];
        if (kind == "-line") {
            Line(t);
        } else if (kind == "-point") {
            int p = 0;
            double x = 0.0, y = 0.0;
            if (t.size() >= 4 && Reference(t[1], '@', p) && Number(t[2], x) && Number(t[3], y))
                d_.points[p] = {x, y};
            else
                ++counts_.malformed_lines;
        } else if (kind == "-area") {
            Area(t, i);
        } else if (kind == "-text") {
            Text(t, i);
        } else if (kind == "-opengroup" || kind == "-closegroup" || kind == "-setlayer" || kind == "-setcoorsys") {
            // Groups, layers and the coordinate system change nothing on the page.
        } else if (kind[0] == '-') {
            ++counts_.unknown_records;
        } else {
            ++counts_.malformed_lines;
        }
    }

    // "-line @E ( @P x y ) #R pen type 1 0.0"
    void Line(const std::vector<std::string>& t)
    {
        Line_Entity l;
        double x = 0.0, y = 0.0, pen = 0.0, type = 0.0;
        if (t.size() >= 10 && t[2] == "(" && Reference(t[3], '@', l.from) && Number(t[4], x) && Number(t[5], y) &&
            t[6] == ")" && Reference(t[7], '#', l.to) && Number(t[8], pen) && Number(t[9], type)) {
            d_.points[l.from] = {x, y};
            l.pen = File_Int(pen);
            l.line_type = File_Int(type);
            d_.lines.push_back(l);
            ++counts_.lines;
        } else {
            ++counts_.malformed_lines;
        }
    }

    // "-area / kind filling", then the rows " 0 ( @E ( @P x y ) #R pen a b r )" (the count
    // of rows stands before the first), up to the next entity.
    void Area(const std::vector<std::string>& t, size_t& i)
    {
        Area_Entity area;
        std::vector<double> head;
        for (size_t k = 2; k < t.size(); ++k) {
            double v = 0.0;
            if (Number(t[k], v)) head.push_back(v);
        }
        area.filling = head.size() >= 2 ? File_Int(head[1]) : 0;
        std::vector<std::string> rows;
        while (i < lines_.size() && (lines_[i].empty() || (lines_[i][0] != '-' && lines_[i][0] != '*'))) {
            for (std::string& token : Tokens(lines_[i])) rows.push_back(std::move(token));
            ++i;
        }
        std::vector<Edge> contour;
        int first = 0;
        for (size_t k = 0; k < rows.size(); ++k) {
            if (rows[k] != "(" || k + 1 >= rows.size() || rows[k + 1][0] != '@') continue;
            // ( @E ( @P x y ) #R pen a b r )
            Edge e;
            double x = 0.0, y = 0.0, pen = 0.0, radius = 0.0;
            if (k + 11 >= rows.size() || rows[k + 2] != "(" || !Reference(rows[k + 3], '@', e.from) ||
                !Number(rows[k + 4], x) || !Number(rows[k + 5], y) || rows[k + 6] != ")" ||
                !Reference(rows[k + 7], '#', e.to) || !Number(rows[k + 8], pen) || !Number(rows[k + 11], radius)) {
                ++counts_.malformed_lines;
                continue;
            }
            d_.points[e.from] = {x, y};
            e.pen = File_Int(pen);
            e.radius = radius;
            if (contour.empty()) first = e.from;
            contour.push_back(e);
            if (e.to == first) {
                area.contours.push_back(std::move(contour));
                contour.clear();
            }
            k += 12;
        }
        if (!contour.empty()) area.contours.push_back(std::move(contour));
        d_.areas.push_back(std::move(area));
        ++counts_.areas;
    }

    // "-text / 1 length font 2 1 keypad x y angle 1.2 0. 0." and the line "    «text»".
    void Text(const std::vector<std::string>& t, size_t& i)
    {
        Text_Entity text;
        double font = 0.0, keypad = 0.0;
        if (t.size() < 11 || !Number(t[4], font) || !Number(t[7], keypad) || !Number(t[8], text.x) ||
            !Number(t[9], text.y) || !Number(t[10], text.angle)) {
            ++counts_.malformed_lines;
            return;
        }
        text.font = File_Int(font);
        text.keypad = File_Int(keypad);
        if (i < lines_.size()) {
            const std::string& line = lines_[i];
            const size_t open = line.find('\xAE');
            if (open != std::string::npos && line.find_first_not_of(' ') == open) {
                size_t close = line.rfind('\xAF');
                if (close == std::string::npos || close < open) close = line.size();
                text.bytes = line.substr(open + 1, close - open - 1);
                ++i;
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
        for (const auto& [number, p] : d_.points) widen(p.x, p.y);
        for (const Text_Entity& t : d_.texts) widen(t.x, t.y);
    }

    Page_Point Map(Page_Point p) const
    {
        return {left_ + (p.x - min_x_) * unit_ * fit_, top_ + (max_y_ - p.y) * unit_ * fit_};
    }

    Page_Point Point(int number) const
    {
        const auto found = d_.points.find(number);
        return found == d_.points.end() ? Page_Point{} : found->second;
    }

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
        const Page_Point a = Map(Point(l.from)), b = Map(Point(l.to));
        Page_Line line;
        line.x1 = a.x;
        line.y1 = a.y;
        line.x2 = b.x;
        line.y2 = b.y;
        line.width = Pen_Width(l.pen);
        line.colour = Pen_Colour(l.pen);
        const auto type = d_.line_types.find(l.line_type);
        if (type != d_.line_types.end())
            for (double mm : type->second) line.dashes.push_back(mm * MM);
        // Dashes too short to print (or none at all) make a solid line.
        for (double d : line.dashes)
            if (d < 0.005) {
                line.dashes.clear();
                break;
            }
        page_.items.emplace_back(std::move(line));
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
    out = Laid_Out_Document{};
    const Drawing drawing = Reader(bytes, out.counts).Run();
    out.title = Report_Bytes_To_Utf8(drawing.title);
    out.pages.emplace_back();
    Placer(drawing, out.pages.back()).Run();
    out.page_count = 1;
    return true;
}
