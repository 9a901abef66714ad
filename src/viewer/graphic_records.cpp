#include "viewer/file_numbers.h"
#include "viewer/graphic_records.h"

#include "viewer/report_styles.h"
#include "viewer/symbol_glyphs.h"

#include <cmath>

namespace {

constexpr double PEN_CLASS_WIDTH = 0.018;
// What a file may ask for that still makes sense on a page (beyond it: the limit).
constexpr double MAX_LINE_WIDTH = 1.0;
constexpr double MAX_CAP_HEIGHT = 20.0;
// A dash or gap shorter than this is no pattern a printer can show: the line is solid.
constexpr double MIN_DASH = 0.005;
constexpr double DEFAULT_LINE_WIDTH = 0.018;
const Rgb UNSET_FILL{0.75, 0.75, 0.75};
const Rgb PAPER{1.0, 1.0, 1.0};
constexpr double PI = 3.14159265358979323846;

double Sign(double from, double to) { return to >= from ? 1.0 : -1.0; }

} // namespace

void Add_Line(Page& page, Page_Point a, Page_Point b, double width, const Rgb& colour, const std::vector<double>& dashes)
{
    // Runs no longer than cairo strokes as fast as their lines one by one.
    constexpr size_t RUN_LINES = 64;
    auto* run = page.items.empty() ? nullptr : std::get_if<Page_Line_Run>(&page.items.back());
    if (!run || run->width != width || !(run->colour == colour) || run->dashes != dashes ||
        run->ends.size() >= 2 * RUN_LINES) {
        Page_Line_Run fresh;
        fresh.width = width;
        fresh.colour = colour;
        fresh.dashes = dashes;
        run = &std::get<Page_Line_Run>(page.items.emplace_back(std::move(fresh)));
    }
    run->ends.push_back(a);
    run->ends.push_back(b);
}

void Place_Text(Page_Text& text, Page_Point at, double u, double v, double width, double cap)
{
    const double a = text.angle * PI / 180.0;
    // Along the text and up from it, on a page whose y runs downwards.
    double ux = std::cos(a), uy = -std::sin(a), vx = -std::sin(a), vy = -std::cos(a);
    double x = at.x - u * ux - v * vx, y = at.y - u * uy - v * vy;
    double turns = std::fmod(text.angle, 360.0);
    if (turns < 0.0) turns += 360.0;
    if (turns > 90.0 + 1e-6 && turns < 270.0 - 1e-6) {
        // Upside down: half a turn about the middle of the text's box.
        const double cx = x + ux * width / 2.0 + vx * cap / 2.0, cy = y + uy * width / 2.0 + vy * cap / 2.0;
        text.angle = std::fmod(text.angle + 180.0, 360.0);
        ux = -ux, uy = -uy, vx = -vx, vy = -vy;
        x = cx - ux * width / 2.0 - vx * cap / 2.0;
        y = cy - uy * width / 2.0 - vy * cap / 2.0;
    }
    text.x = x;
    text.y = y;
}

namespace {

class Drawer {
public:
    Drawer(const Graphic_Block& g, const Graphic_Frame& frame, Page& page, View_Counts& counts)
        : g_(g), frame_(frame), page_(page), counts_(counts), sx_(Sign(g.window[0], g.window[1])),
          sy_(Sign(g.window[2], g.window[3]))
    {
    }

    void Run()
    {
        for (const Graphic_Record& r : g_.records) Record(r);
    }

private:
    const Graphic_Block& g_;
    Graphic_Frame frame_;
    Page& page_;
    View_Counts& counts_;
    double sx_, sy_;
    Rgb colour_;
    bool colour_set_ = false;
    double width_ = DEFAULT_LINE_WIDTH;
    std::vector<double> dashes_;
    int fill_index_ = -1;
    double cap_height_ = Style_Font_Size(REPORT_NORMAL_STYLE) * SANS_CAP_HEIGHT_EM;
    double text_angle_ = 0.0;

    Page_Point Map(double x, double y) const
    {
        return {frame_.left + (x - g_.window[0]) * sx_ * frame_.scale,
                frame_.bottom - (y - g_.window[2]) * sy_ * frame_.scale};
    }

    static double At(const Graphic_Record& r, size_t k) { return k < r.numbers.size() ? r.numbers[k] : 0.0; }

    bool Need(const Graphic_Record& r, size_t count)
    {
        if (r.numbers.size() >= count) return true;
        ++counts_.malformed_lines;
        return false;
    }

    void Record(const Graphic_Record& r)
    {
        switch (r.code) {
        case PLOT_RECORD_LINE:
            if (Need(r, 4)) Line(Map(At(r, 0), At(r, 1)), Map(At(r, 2), At(r, 3)));
            break;
        case PLOT_RECORD_TEXT:
            if (Need(r, 2)) Text(r, Map(At(r, 0), At(r, 1)), 0.0, 0);
            break;
        case PLOT_RECORD_TEXT_ANGLED:
            if (Need(r, 2)) Text(r, Map(At(r, 0), At(r, 1)), text_angle_, 0);
            break;
        case PLOT_RECORD_TEXT_ANCHORED:
        case PLOT_RECORD_TEXT_ANCHORED_ANGLED:
            if (Need(r, 5)) {
                const int code = File_Int(At(r, 4));
                double angle = r.code == PLOT_RECORD_TEXT_ANCHORED ? 0.0 : text_angle_;
                if (code & PLOT_ANCHOR_UPRIGHT) angle += 90.0;
                Text(r, Map(At(r, 0), At(r, 1)), angle, code);
            }
            break;
        case PLOT_RECORD_PEN_CLASS:
            if (Need(r, 1)) {
                const double n = At(r, 0);
                width_ = n >= 1.0 && n <= 10.0 ? n * PEN_CLASS_WIDTH : DEFAULT_LINE_WIDTH;
            }
            break;
        case PLOT_RECORD_LINE_WIDTH:
            if (Need(r, 1) && At(r, 0) > 0.0) width_ = std::min(At(r, 0), MAX_LINE_WIDTH);
            break;
        case PLOT_RECORD_TEXT_STYLE:
            if (Need(r, 1)) cap_height_ = Style_Font_Size(File_Int(At(r, 0))) * SANS_CAP_HEIGHT_EM;
            break;
        case PLOT_RECORD_TEXT_HEIGHT:
            if (Need(r, 1) && At(r, 0) > 0.0) cap_height_ = std::min(At(r, 0), MAX_CAP_HEIGHT);
            break;
        case PLOT_RECORD_TEXT_ANGLE:
            if (Need(r, 1)) text_angle_ = At(r, 0);
            break;
        case PLOT_RECORD_POLYGON:
            if (Need(r, 1)) Polygon(r);
            break;
        case PLOT_RECORD_RECTANGLE:
            if (Need(r, 4)) {
                const double xa = At(r, 0), yb = At(r, 1), xb = At(r, 2), ya = At(r, 3);
                Fill({Map(xa, ya), Map(xb, ya), Map(xb, yb), Map(xa, yb)});
            }
            break;
        case PLOT_RECORD_FILL_INDEX:
            if (Need(r, 1)) fill_index_ = File_Int(At(r, 0));
            break;
        case PLOT_RECORD_DASH:
            if (Need(r, 1)) Dash(r);
            break;
        case PLOT_RECORD_FILL_COLOUR:
            if (Need(r, 3)) {
                colour_ = {At(r, 0) / 255.0, At(r, 1) / 255.0, At(r, 2) / 255.0};
                colour_set_ = true;
            }
            break;
        case PLOT_RECORD_SYMBOL_GLYPH:
            if (const Symbol_Shape* symbol = Find_Symbol(r.text); symbol && Need(r, 2))
                Symbol(*symbol, Map(At(r, 0), At(r, 1)));
            else
                counts_.Leave_Out("Symbolzeichen " + Report_Plain_Text(r.text));
            break;
        case PLOT_RECORD_IMAGE:
            counts_.Leave_Out("Bild " + Report_Plain_Text(r.text));
            break;
        default:
            if (!Graphic_Record_Changes_Nothing(r.code)) ++counts_.unknown_records;
            break;
        }
    }

    void Line(Page_Point a, Page_Point b) { Add_Line(page_, a, b, width_, colour_, dashes_); }

    // A symbol of the viewer's own set, its top left corner at the point.
    void Symbol(const Symbol_Shape& symbol, Page_Point top_left)
    {
        auto at = [&](Page_Point p) {
            return Page_Point{top_left.x + p.x * frame_.scale, top_left.y + (symbol.height - p.y) * frame_.scale};
        };
        for (const auto& polyline : symbol.lines)
            for (size_t k = 0; k + 1 < polyline.size(); ++k) Line(at(polyline[k]), at(polyline[k + 1]));
        for (const auto& polygon : symbol.fills) {
            Page_Fill fill;
            fill.colour = colour_;
            fill.contours.emplace_back();
            for (Page_Point p : polygon) fill.contours.back().push_back(at(p));
            page_.items.emplace_back(std::move(fill));
        }
        for (const Symbol_Shape::Label& label : symbol.labels) {
            Page_Text text;
            text.utf8 = label.utf8;
            text.size = label.cap * frame_.scale / SANS_CAP_HEIGHT_EM;
            text.face = {Face_Family::Sans, false, false};
            text.colour = colour_;
            const Page_Point p = at(label.at);
            text.x = p.x;
            text.y = p.y;
            page_.items.emplace_back(std::move(text));
        }
    }

    void Fill(std::vector<Page_Point> points)
    {
        Page_Fill fill;
        fill.colour = fill_index_ == 0 ? PAPER : colour_set_ ? colour_ : UNSET_FILL;
        fill.contours.push_back(std::move(points));
        page_.items.emplace_back(std::move(fill));
    }

    void Polygon(const Graphic_Record& r)
    {
        const int n = File_Int(At(r, 0));
        if (n < 1 || r.numbers.size() < 1 + 2 * static_cast<size_t>(n)) {
            ++counts_.malformed_lines;
            return;
        }
        std::vector<Page_Point> points;
        for (int k = 0; k < n; ++k) points.push_back(Map(At(r, 1 + 2 * k), At(r, 2 + 2 * k)));
        Fill(std::move(points));
    }

    void Dash(const Graphic_Record& r)
    {
        dashes_.clear();
        const int n = File_Int(At(r, 0));
        for (int k = 0; k < n && 1 + static_cast<size_t>(k) < r.numbers.size(); ++k) {
            const double length = At(r, 1 + k) * frame_.scale;
            if (length < MIN_DASH) {
                dashes_.clear();
                return;
            }
            dashes_.push_back(length);
        }
    }

    void Text(const Graphic_Record& r, Page_Point at, double angle, int code)
    {
        Page_Text text;
        text.utf8 = Report_Plain_Text(r.text);
        if (text.utf8.find_first_not_of(' ') == std::string::npos) return;
        const double cap = cap_height_ * frame_.scale;
        text.size = cap / SANS_CAP_HEIGHT_EM;
        text.face = {Face_Family::Sans, false, false};
        text.colour = colour_;
        text.angle = angle;
        const double width = Text_Advance_Em(text.face, text.utf8) * text.size;
        double u = 0.0, v = 0.0;  // the anchor in the text's own frame (along, up)
        if (code & PLOT_ANCHOR_COLUMN_CENTRE)
            u = width / 2.0;
        else if (code & PLOT_ANCHOR_COLUMN_RIGHT)
            u = width;
        // Rows follow the window's y: where it runs down the page, top and bottom change.
        int row = code & (PLOT_ANCHOR_ROW_TOP | PLOT_ANCHOR_ROW_MIDDLE | PLOT_ANCHOR_ROW_BOTTOM);
        if (sy_ < 0.0 && row == PLOT_ANCHOR_ROW_TOP)
            row = PLOT_ANCHOR_ROW_BOTTOM;
        else if (sy_ < 0.0 && row == PLOT_ANCHOR_ROW_BOTTOM)
            row = PLOT_ANCHOR_ROW_TOP;
        if (row == PLOT_ANCHOR_ROW_TOP)
            v = cap;
        else if (row == PLOT_ANCHOR_ROW_MIDDLE)
            v = cap / 2.0;
        Place_Text(text, at, u, v, width, cap);
        page_.items.emplace_back(std::move(text));
    }
};

} // namespace

bool Graphic_Record_Changes_Nothing(int code)
{
    switch (code) {
    case PLOT_RECORD_8:
    case PLOT_RECORD_16:
    case PLOT_RECORD_23:
    case PLOT_RECORD_GROUP_BEGIN:
    case PLOT_RECORD_GROUP_END:
    case PLOT_RECORD_LINE_COLOUR:
    case PLOT_RECORD_COLOUR_SECTION_BEGIN:
    case PLOT_RECORD_COLOUR_SECTION_END:
    case PLOT_RECORD_COLOUR_STATE_BEGIN:
    case PLOT_RECORD_COLOUR_STATE_END:
    case PLOT_RECORD_COLOUR_STATE_RESET:
    case PLOT_RECORD_COLOUR_SLOT:
        return true;
    default:
        return false;
    }
}

double Graphic_Width(const Graphic_Block& g) { return std::fabs(g.window[1] - g.window[0]); }
double Graphic_Height(const Graphic_Block& g) { return std::fabs(g.window[3] - g.window[2]); }

void Draw_Graphic(const Graphic_Block& graphic, const Graphic_Frame& frame, Page& page, View_Counts& counts)
{
    Drawer(graphic, frame, page, counts).Run();
}
