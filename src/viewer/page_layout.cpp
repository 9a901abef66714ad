#include "viewer/file_numbers.h"
#include "viewer/page_layout.h"

#include "report/cell_texts.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"
#include "viewer/graphic_records.h"
#include "viewer/report_styles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

constexpr double PAGE_BOTTOM = A4_HEIGHT - PAGE_BOTTOM_MARGIN;
constexpr double HEADER_BASELINE = 1.4;
constexpr int HEADER_STYLE = 3;
constexpr int TITLE_STYLE = 5;
constexpr int HEADLINE_STYLE = 5;            // first-level headings and title lines: bold
constexpr int COMMENT_STYLE = 3;
constexpr double EPS = 1e-9;
constexpr double RULE_WIDTH = 0.02;
constexpr double UNDERLINE_WIDTH = 0.015;
constexpr double SHIFTED_SIZE = 0.7;         // sub- and superscripts, of the style's size
constexpr double BASELINE_IN_LINE = 0.76;    // of the line height, from its top
constexpr int SLOT_COUNT = 10;
const Rgb CELL_SHADE{0.85, 0.85, 0.85};
const Rgb WHITE{1.0, 1.0, 1.0};

// One character cell of a text line, or a mark between cells.
struct Cell {
    enum Kind { Byte, Tab, Gap } kind = Byte;
    unsigned char byte = ' ';
    Run_Style style;
};

// Where the tab jumps of a line go: centimetres from the left margin.
struct Tab_Rule {
    const std::vector<double>* stops = nullptr;  // list (cm), or null
    double grid = 0.0;                            // grid spacing (cm), 0: none
    double column_char = 0.0;                     // table: cm per width unit
    const std::vector<double>* columns = nullptr; // table column boundaries (characters)

    // The next stop after x that lies within the width; else one character on.
    double Next(double x, double char_width, double width) const
    {
        double next = x + char_width;
        if (grid > 0.0) {
            next = (std::floor(x / grid + EPS) + 1.0) * grid;
        } else if (stops && !stops->empty() && stops->back() <= width + EPS) {
            for (double s : *stops)
                if (s > x + EPS) {
                    next = s;
                    break;
                }
        } else if (columns) {
            for (double c : *columns)
                if (c * column_char > x + EPS) {
                    next = c * column_char;
                    break;
                }
        }
        return next <= width + EPS ? next : x + char_width;
    }
};

// Horizontal geometry of a text line.
struct Line_Frame {
    double left = PAGE_LEFT;     // page x of the left margin
    double width = REPORT_TEXT_WIDTH;
    double indent = 0.0;         // first visual line
    double second_indent = 0.0;  // following visual lines
    int style = REPORT_NORMAL_STYLE;
    double line_factor = 1.0;
    bool wrap = true;
    bool force_bold = false;
    double table_left = PAGE_LEFT;   // span of in-cell lines and rectangles
    double table_width = REPORT_TEXT_WIDTH;
    Tab_Rule tabs;
};

struct Slot {
    bool set = false;
    size_t page = 0;
    double y = 0.0;
};

class Layout {
public:
    Layout(Report_Reader& reader, const Page_Sink* sink) : reader_(reader), sink_(sink) {}

    Laid_Out_Document Run()
    {
        for (Report_Item item; reader_.Next(item);) std::visit([this](const auto& i) { Item(i); }, item);
        Ensure_Page();
        Finish_Page();
        if (!sink_) Number_Pages();
        const Read_Counts c = reader_.Counts();
        doc_.counts.unknown_keywords = c.unknown_keywords;
        doc_.counts.malformed_lines = c.malformed_lines;
        doc_.counts.stray_lines = c.stray_lines;
        doc_.page_count = static_cast<int>(Page_Count());
        return std::move(doc_);
    }

private:
    Report_Reader& reader_;
    const Page_Sink* sink_;          // null: the pages stay in doc_.pages
    size_t pages_passed_ = 0;        // pages handed to the sink (doc_.pages holds the open one)
    bool sink_failed_ = false;
    Laid_Out_Document doc_;
    bool page_open_ = false;
    double y_ = PAGE_TOP;
    double floor_ = PAGE_TOP;        // bottom of what was drawn last
    double lowest_ = PAGE_TOP;       // lowest point drawn on the page
    double left_margin_ = 0.0, right_margin_ = 0.0;
    Para_Attributes para_;
    Slot slots_[SLOT_COUNT];
    std::vector<int> open_groups_;
    std::string contents_;           // the latest contents entry
    std::string page_contents_;      // the contents entry of the page being laid out
    std::vector<std::string> outline_numbers_;  // heading number of each outline entry ("" none)

    // A heading and what stands between it and its first block: moved to the next page
    // together with that block when the block does not fit below it.
    struct Keep {
        bool active = false;
        size_t page = 0;
        size_t item = 0;             // first item of the heading on its page
        double y = 0.0;              // where the heading begins
    } keep_;
    Keep last_line_;                 // where the block's previous text line began
    // How far in a line's first text begins: the tab jumps before it, then the blanks
    // after the last of them.
    struct Indent {
        int tabs = 0, blanks = 0;
        bool operator<(const Indent& o) const { return tabs < o.tabs || (tabs == o.tabs && blanks < o.blanks); }
    };
    Indent last_line_indent_;        // of the block's previous text line

    Page& Current() { return doc_.pages.back(); }
    size_t Page_Count() const { return pages_passed_ + doc_.pages.size(); }
    size_t Page_Index() const { return Page_Count() - 1; }

    void Ensure_Page()
    {
        if (page_open_) return;
        doc_.pages.emplace_back();
        doc_.pages.back().width = A4_WIDTH;
        doc_.pages.back().height = A4_HEIGHT;
        page_open_ = true;
        y_ = floor_ = lowest_ = PAGE_TOP;
        page_contents_ = contents_;
    }

    // A text of the page head, in the small style, at the left or ending at the right
    // edge of the text area.
    static Page_Text Head_Text(std::string utf8, bool right)
    {
        Page_Text head;
        head.size = Style_Font_Size(HEADER_STYLE);
        head.face = {Face_Family::Mono, false, false};
        head.x = right ? PAGE_LEFT + REPORT_TEXT_WIDTH - Text_Advance_Em(head.face, utf8) * head.size : PAGE_LEFT;
        head.y = HEADER_BASELINE;
        head.utf8 = std::move(utf8);
        return head;
    }

    void Finish_Page()
    {
        if (!page_open_) return;
        if (!page_contents_.empty()) Current().items.emplace_back(Head_Text(Report_Plain_Text(page_contents_), false));
        page_open_ = false;
        if (!sink_) return;
        // Laid out in pieces: the page goes at once, numbered when the count is known.
        if (sink_->page_total > 0) Current().items.emplace_back(Page_Number(Page_Count(), sink_->page_total));
        if (sink_->take && !sink_failed_) sink_failed_ = !sink_->take(Current());
        doc_.pages.pop_back();
        ++pages_passed_;
    }

    static Page_Text Page_Number(size_t page, size_t total)
    {
        return Head_Text("Seite " + std::to_string(page) + " von " + std::to_string(total), true);
    }

    // "Seite n von m" on the right of each page's head, once the count is known.
    void Number_Pages()
    {
        for (size_t k = 0; k < doc_.pages.size(); ++k)
            doc_.pages[k].items.emplace_back(Page_Number(k + 1, doc_.pages.size()));
    }

    void Break_Page()
    {
        Ensure_Page();
        Finish_Page();
        Ensure_Page();
    }

    bool At_Page_Top() const { return y_ <= PAGE_TOP + EPS; }

    // Breaks the page when the height does not fit below the position; a heading waiting
    // for its first block goes to the new page with it. A heading never ends a page: where
    // a new page would give the block no more room than it has below its heading (the
    // heading opens the page, or heading and block exceed any page), nothing breaks.
    void Fit(double height)
    {
        Ensure_Page();
        if (y_ + height > PAGE_BOTTOM + EPS && !At_Page_Top()) {
            // (Headings that fill half a page by themselves break where they stand.)
            const double kept = Kept_Height();
            if (kept <= 0.0 || kept >= (PAGE_BOTTOM - PAGE_TOP) / 2.0)
                Break_Page();
            else if (keep_.y > PAGE_TOP + EPS && kept + height <= PAGE_BOTTOM - PAGE_TOP + EPS)
                Break_Page_With_Kept();
        }
    }

    // The height of the heading lines that wait on this page for their first block; 0 when
    // none wait.
    double Kept_Height() const
    {
        return keep_.active && keep_.page == Page_Index() ? std::max(y_ - keep_.y, EPS) : 0.0;
    }

    void Break_Page_With_Kept()
    {
        std::vector<Page_Item>& items = Current().items;
        std::vector<Page_Item> moved(std::make_move_iterator(items.begin() + static_cast<long>(keep_.item)),
                                     std::make_move_iterator(items.end()));
        items.erase(items.begin() + static_cast<long>(keep_.item), items.end());
        const int old_page = static_cast<int>(Page_Index());
        const double top = keep_.y, below = y_ - keep_.y;
        Break_Page();
        const double dy = y_ - top;
        for (Page_Item& item : moved) {
            std::visit([dy](auto& i) { Shift(i, dy); }, item);
            Current().items.push_back(std::move(item));
        }
        for (Outline_Entry& e : doc_.outline)
            if (e.page == old_page && e.y >= top - EPS) {
                e.page = old_page + 1;
                e.y += dy;
            }
        Drawn_To(y_ + below);
        keep_ = {true, Page_Index(), 0, PAGE_TOP};
    }

    static void Shift(Page_Text& t, double dy) { t.y += dy; }
    static void Shift(Page_Line& l, double dy)
    {
        l.y1 += dy;
        l.y2 += dy;
    }
    static void Shift(std::vector<Page_Point>& points, double dy)
    {
        for (Page_Point& p : points) p.y += dy;
    }
    static void Shift(Page_Line_Run& run, double dy) { Shift(run.ends, dy); }
    static void Shift(Page_Fill& f, double dy)
    {
        for (auto& contour : f.contours) Shift(contour, dy);
    }

    void Drawn_To(double y)
    {
        y_ = y;
        floor_ = y;
        lowest_ = std::max(lowest_, y);
    }

    void Move(double cm)
    {
        Ensure_Page();
        y_ = cm < 0.0 ? std::max(y_ + cm, floor_) : y_ + cm;
    }

    double Text_Left() const { return PAGE_LEFT + left_margin_; }
    double Text_Width() const { return std::max(1.0, REPORT_TEXT_WIDTH - left_margin_ - right_margin_); }

    // ------------------------------------------------------------------ items

    void Item(const Para_Begin& p)
    {
        if (para_.space_after != 0.0) Move(para_.space_after);
        para_ = p.attributes;
        if (para_.space_before != 0.0) Move(para_.space_before);
    }

    void Item(const Text_Line& t)
    {
        Line_Frame frame = Paragraph_Frame();
        const bool heading = Is_Heading(t.bytes, frame.style);
        Ensure_Page();
        const Keep start{true, Page_Index(), Current().items.size(), y_};
        // A heading is kept from where its first line begins. The last line of a block (a
        // sum line) never stands alone on a new page, nor does a line that begins further
        // in than the line before it (more tab stops in, or more blanks: the values or the
        // rest that continue that line): the line before it goes along.
        const Indent indent = Indent_Of(t.bytes);
        if (!keep_.active) {
            if (heading)
                keep_ = start;
            else if (last_line_.active && last_line_.page == start.page &&
                     (last_line_indent_ < indent || Last_Line_Of_Block()))
                keep_ = last_line_;
        }
        Text(t.bytes, frame, heading);
        last_line_ = start;
        last_line_indent_ = indent;
    }

    bool Last_Line_Of_Block()
    {
        for (size_t k = 0;; ++k) {
            const Report_Item* item = reader_.Peek(k);
            if (!item) return true;
            if (std::holds_alternative<Text_Line>(*item)) return false;
            if (!std::holds_alternative<Para_Begin>(*item) && !std::holds_alternative<Para_Space>(*item) &&
                !std::holds_alternative<Layout_Command>(*item))
                return true;
        }
    }

    // How far in a line's first text begins.
    static Indent Indent_Of(const std::string& bytes)
    {
        Indent indent;
        for (const Text_Piece& p : Split_Report_Text(bytes)) {
            if (p.kind == Piece_Kind::Tab) {
                ++indent.tabs;
                indent.blanks = 0;
            } else if (p.kind == Piece_Kind::Text) {
                const size_t text = p.bytes.find_first_not_of(' ');
                indent.blanks += static_cast<int>(text == std::string::npos ? p.bytes.size() : text);
                if (text != std::string::npos) break;
            }
        }
        return indent;
    }
    // A numbered heading, a first-level heading or title line (style 5), or a line that is
    // bold or underlined from end to end (the labels over a group of lines, such as
    // "Biegerollendurchmesser in der Konsole" over its values).
    static bool Is_Heading(const std::string& bytes, int style)
    {
        if (bytes.find(OLI_SEQ_NUMBER) != std::string::npos) return true;
        bool visible = false;
        for (const Text_Piece& p : Split_Report_Text(bytes)) {
            if (p.kind != Piece_Kind::Text || p.bytes.find_first_not_of(' ') == std::string::npos) continue;
            if (style != HEADLINE_STYLE && !p.style.bold && !p.style.underline) return false;
            visible = true;
        }
        return visible;
    }

    void Item(const Para_Space& s) { Move(s.cm); }

    void Item(const Para_End&)
    {
        last_line_.active = false;
        if (para_.space_after != 0.0) Move(para_.space_after);
        para_ = Para_Attributes{};
    }

    void Item(const Stray_Line& s)
    {
        Line_Frame frame;
        frame.left = frame.table_left = Text_Left();
        frame.width = frame.table_width = Text_Width();
        Text(s.bytes, frame);
    }

    void Item(const Contents_Entry& c)
    {
        contents_ = c.text;
        if (doc_.title.empty()) doc_.title = Report_Plain_Text(c.text);
        if (page_open_ && page_contents_.empty()) page_contents_ = contents_;
    }

    void Item(const New_Page&)
    {
        keep_.active = last_line_.active = false;
        if (page_open_ && (Current().items.empty() && At_Page_Top())) return;
        if (!page_open_ && Page_Count() == 0) return;
        Break_Page();
    }

    void Item(const Left_Out& l) { doc_.counts.Leave_Out(l.what); }

    void Item(const Layout_Command& c)
    {
        auto n = [&](size_t k) { return k < c.numbers.size() ? c.numbers[k] : 0.0; };
        const std::string& k = c.keyword;
        if (k == OLI_KEYWORD_RESERVE) {
            Fit(n(0));
        } else if (k == OLI_KEYWORD_YPOS) {
            if (File_Int(n(0)) == OLI_YPOS_RESET) {
                Ensure_Page();
                y_ = std::max(y_, lowest_);
            } else {
                Move(n(1));
            }
        } else if (k == OLI_KEYWORD_MARGINS) {
            left_margin_ = n(1);
            right_margin_ = n(2);
        } else if (k == OLI_KEYWORD_MARGINS_CHAR) {
            left_margin_ = n(1) * Style_Char_Width(REPORT_NORMAL_STYLE);
            right_margin_ = n(2) * Style_Char_Width(REPORT_NORMAL_STYLE);
        } else if (k == OLI_KEYWORD_STORE_Y) {
            const int slot = File_Int(n(0));
            Ensure_Page();
            if (slot >= 0 && slot < SLOT_COUNT) slots_[slot] = {true, Page_Index(), y_};
        } else if (k == OLI_KEYWORD_RESTORE_Y) {
            const int slot = File_Int(n(0));
            Ensure_Page();
            if (slot >= 0 && slot < SLOT_COUNT && slots_[slot].set && slots_[slot].page == Page_Index()) {
                y_ = floor_ = slots_[slot].y;
                keep_.active = last_line_.active = false;
            }
        } else if (k == OLI_KEYWORD_BOOKMARK) {
            Bookmark(File_Int(n(0)), c);
        }
        // FLAGS, LAYOUT, CONVERSION, RESET_MAX_MARGIN: nothing on the page.
    }

    void Bookmark(int mode, const Layout_Command& c)
    {
        if (mode == OLI_BOOKMARK_CLOSE) {
            if (!open_groups_.empty()) open_groups_.pop_back();
            return;
        }
        if (!c.has_text) return;
        std::string title = Report_Plain_Text(c.text);
        const size_t first = title.find_first_not_of(' ');
        if (first == std::string::npos) return;
        title = title.substr(first, title.find_last_not_of(' ') - first + 1);
        Ensure_Page();
        Outline_Entry entry;
        entry.title = title;
        entry.page = static_cast<int>(Page_Index());
        entry.y = y_;
        if (mode == OLI_BOOKMARK_GROUP) open_groups_.clear();
        entry.parent = open_groups_.empty() ? -1 : open_groups_.back();
        // A numbered heading stands under the heading whose number begins its own (3.2.
        // under 3.), whatever group the writer had open.
        const std::string number = Heading_Number(title);
        if (!number.empty()) {
            entry.parent = -1;
            for (size_t k = outline_numbers_.size(); k-- > 0;) {
                const std::string& n = outline_numbers_[k];
                if (!n.empty() && n.size() < number.size() && number.compare(0, n.size(), n) == 0) {
                    entry.parent = static_cast<int>(k);
                    break;
                }
            }
        }
        doc_.outline.push_back(entry);
        outline_numbers_.push_back(number);
        if (mode == OLI_BOOKMARK_GROUP) open_groups_.push_back(static_cast<int>(doc_.outline.size()) - 1);
    }

    // The heading number at the start of a title ("3.2." of "3.2. Lk 1"), "" without one.
    static std::string Heading_Number(const std::string& title)
    {
        size_t k = 0;
        while (k < title.size() && std::isdigit(static_cast<unsigned char>(title[k]))) {
            while (k < title.size() && std::isdigit(static_cast<unsigned char>(title[k]))) ++k;
            if (k >= title.size() || title[k] != '.') return "";
            ++k;
        }
        return k > 0 && (k == title.size() || title[k] == ' ') ? title.substr(0, k) : "";
    }

    void Item(const Table_Block& t)
    {
        last_line_.active = false;
        Ensure_Page();
        if (!At_Page_Top()) Move(TABLE_SPACE);
        Line_Frame plain;
        plain.left = plain.table_left = Text_Left();
        plain.width = plain.table_width = Text_Width();
        plain.style = TITLE_STYLE;
        for (const std::string& line : t.titles) Text(line, plain);
        plain.style = REPORT_NORMAL_STYLE;
        for (const std::string& line : t.captions) Text(line, plain);
        plain.style = COMMENT_STYLE;
        for (const std::string& line : t.comments) Text(line, plain);

        if (!t.body.empty()) {
            Line_Frame body;
            body.left = body.table_left = Text_Left();
            body.wrap = false;
            double chars = t.widths.empty() ? 0.0 : *std::max_element(t.widths.begin(), t.widths.end());
            for (const std::string& line : t.body) chars = std::max(chars, static_cast<double>(Visible_Cells(line)));
            // Rows are never broken: a table wider than the text in the body's style is set
            // in the first narrower style its widest row fits (the writers count up to the
            // 106 characters of style 0 for a row).
            body.style = REPORT_NORMAL_STYLE;
            for (int narrower : {0, 3, 8, 2}) {
                if (chars * Style_Char_Width(body.style) <= Text_Width() + EPS) break;
                body.style = narrower;
            }
            const double cw = Style_Char_Width(body.style);
            body.tabs.columns = &t.widths;
            body.tabs.column_char = cw;
            body.width = Text_Width();
            body.table_width = std::min(chars * cw, Text_Width());
            for (size_t r = 0; r < t.body.size(); ++r) {
                const bool head = static_cast<int>(r) < t.head_lines;
                // The last row (a sum, a closing rule) never stands alone on a new page.
                if (r > 0 && r + 2 == t.body.size()) Fit(2.0 * Style_Line_Height(body.style));
                body.force_bold = head;
                Text(t.body[r], body);
                if (head && static_cast<int>(r) + 1 == t.head_lines) Rule(body.table_left, y_, body.table_width);
            }
        }
        Move(TABLE_SPACE);
    }

    void Item(const Graphic_Block& g)
    {
        last_line_.active = false;
        Ensure_Page();
        const double width = Graphic_Width(g), height = Graphic_Height(g);
        const double caption_height = Style_Line_Height(REPORT_NORMAL_STYLE);
        int above = 0, below = 0;
        for (int k = 0; k < 6; ++k)
            if (!g.captions[k].empty()) ++(k < 3 ? above : below);
        // The heading above the graphic stays with it on one page.
        const double room = PAGE_BOTTOM - PAGE_TOP - (above + below) * caption_height - Kept_Height();
        double scale = 1.0;
        if (width > Text_Width()) scale = Text_Width() / width;
        if (height * scale > room && height > 0.0) scale = std::max(room, 1.0) / height;
        // What the records draw may reach beyond the window (labels, load arrows): the
        // graphic takes the room of all it draws, from the flow position down, so that it
        // never covers what was written above it.
        Graphic_Frame frame;
        frame.left = Text_Left();
        frame.bottom = height * scale;
        frame.scale = scale;
        Page drawn;
        Draw_Graphic(g, frame, drawn, doc_.counts);
        double top = 0.0, bottom = frame.bottom;
        for (const Page_Item& item : drawn.items) std::visit([&](const auto& i) { Extent(i, top, bottom); }, item);
        const double reach_up = std::min(-top, std::max(0.0, room - height * scale));
        const double reach_down = std::min(bottom - frame.bottom, std::max(0.0, room - height * scale - reach_up));
        Fit(reach_up + height * scale + reach_down + (above + below) * caption_height);
        Line_Frame caption;
        caption.left = caption.table_left = Text_Left();
        caption.width = caption.table_width = Text_Width();
        for (int k = 0; k < 3; ++k)
            if (!g.captions[k].empty()) Text(g.captions[k], caption);
        const double dy = y_ + reach_up;
        for (Page_Item& item : drawn.items) {
            std::visit([dy](auto& i) { Shift(i, dy); }, item);
            Current().items.push_back(std::move(item));
        }
        Drawn_To(dy + frame.bottom + reach_down);
        keep_.active = false;
        for (int k = 3; k < 6; ++k)
            if (!g.captions[k].empty()) Text(g.captions[k], caption);
    }

    // Widens [top, bottom] by the page extent of an item (a text by its em box).
    static void Extent(const Page_Text& t, double& top, double& bottom)
    {
        const double a = t.angle * 3.14159265358979323846 / 180.0;
        const double w = Text_Advance_Em(t.face, t.utf8) * t.size;
        const double up = 0.8 * t.size, down = 0.2 * t.size;
        // Corners of the box along the text (u) and up from it (v), page y downwards.
        for (double u : {0.0, w})
            for (double v : {-down, up}) {
                const double y = t.y - u * std::sin(a) - v * std::cos(a);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    static void Extent(const Page_Line& l, double& top, double& bottom)
    {
        top = std::min({top, l.y1, l.y2});
        bottom = std::max({bottom, l.y1, l.y2});
    }
    static void Extent(const std::vector<Page_Point>& points, double& top, double& bottom)
    {
        for (const Page_Point& p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    static void Extent(const Page_Line_Run& run, double& top, double& bottom) { Extent(run.ends, top, bottom); }
    static void Extent(const Page_Fill& f, double& top, double& bottom)
    {
        for (const auto& contour : f.contours) Extent(contour, top, bottom);
    }

    // ------------------------------------------------------------------ text lines

    Line_Frame Paragraph_Frame() const
    {
        Line_Frame f;
        f.left = f.table_left = Text_Left();
        f.width = f.table_width = Text_Width();
        f.indent = para_.first_indent;
        f.second_indent = para_.second_indent;
        f.style = para_.style;
        f.line_factor = para_.line_factor > 0.0 ? para_.line_factor : 1.0;
        if (para_.tab_grid)
            f.tabs.grid = para_.tabs.empty() ? 0.0 : para_.tabs[0];
        else if (!para_.tabs.empty())
            f.tabs.stops = &para_.tabs;
        return f;
    }

    static bool Is_Break(const Cell& c) { return c.kind == Cell::Tab || (c.kind == Cell::Byte && c.byte == ' '); }

    static int Visible_Cells(const std::string& line)
    {
        int n = 0;
        for (const Text_Piece& p : Split_Report_Text(line)) n += static_cast<int>(p.bytes.size());
        return n;
    }

    void Rule(double x, double y, double width, Rgb colour = {})
    {
        Page_Line rule;
        rule.x1 = x;
        rule.x2 = x + width;
        rule.y1 = rule.y2 = y;
        rule.width = RULE_WIDTH;
        rule.colour = colour;
        Current().items.emplace_back(std::move(rule));
    }

    void Text(const std::string& bytes, const Line_Frame& frame, bool heading = false)
    {
        std::vector<Cell> cells;
        std::vector<Text_Piece> drawings;
        for (Text_Piece& piece : Split_Report_Text(bytes, &doc_.counts.unknown_sequences)) {
            switch (piece.kind) {
            case Piece_Kind::Text:
                for (unsigned char c : piece.bytes) cells.push_back({Cell::Byte, c, piece.style});
                break;
            case Piece_Kind::Tab: cells.push_back({Cell::Tab, ' ', piece.style}); break;
            case Piece_Kind::Gap: cells.push_back({Cell::Gap, ' ', piece.style}); break;
            case Piece_Kind::Line:
            case Piece_Kind::Box: drawings.push_back(std::move(piece)); break;
            }
        }
        const double cw = Style_Char_Width(frame.style);
        const double height = Style_Line_Height(frame.style) * frame.line_factor;
        // A line the writer counted to fit the width (each byte and tab jump one character)
        // is never broken: tab jumps that would push it over the edge shrink instead.
        std::vector<double> rest(cells.size() + 1, 0.0);  // room the cells from k on take
        for (size_t k = cells.size(); k-- > 0;) rest[k] = rest[k + 1] + (cells[k].kind == Cell::Gap ? cw / 2.0 : cw);
        const bool counted_to_fit = frame.indent + rest[0] <= frame.width + EPS;
        const std::vector<bool> breakable = Breakable(cells);
        size_t start = 0;
        bool first = true;
        std::vector<double> at(cells.size(), 0.0);
        std::vector<std::pair<size_t, size_t>> lines;  // the cells of each line drawn
        do {
            double x = first ? frame.indent : frame.second_indent;
            size_t end = start;
            for (; end < cells.size(); ++end) {
                const Cell& c = cells[end];
                if (c.kind == Cell::Tab) {
                    const double next = frame.tabs.Next(x, cw, frame.width);
                    x = counted_to_fit && next + rest[end + 1] > frame.width + EPS
                            ? std::max(x + cw, frame.width - rest[end + 1])
                            : next;
                    at[end] = x;
                    continue;
                }
                const double advance = c.kind == Cell::Gap ? cw / 2.0 : cw;
                if (frame.wrap && !counted_to_fit && c.kind == Cell::Byte && x + advance > frame.width + EPS &&
                    end > start) {
                    end = Break_Before(cells, breakable, start, end);
                    break;
                }
                at[end] = x;
                x += advance;
            }
            lines.emplace_back(start, end);
            start = end;
            while (start < cells.size() && Is_Break(cells[start])) ++start;
            first = false;
        } while (start < cells.size());
        // The lines of one wrapped line stay on one page: a verdict or a value never opens
        // the next page apart from what it belongs to.
        if (lines.size() > 1 && static_cast<double>(lines.size()) * height <= PAGE_BOTTOM - PAGE_TOP)
            Fit(static_cast<double>(lines.size()) * height);
        for (size_t k = 0; k < lines.size(); ++k) {
            Fit(height);
            Draw_Line_Cells(cells, at, lines[k].first, lines[k].second, frame,
                            k == 0 ? drawings : std::vector<Text_Piece>{}, height);
            Drawn_To(y_ + height);
            if (!heading) keep_.active = false;
        }
    }

    // Where a line that overflows at cell `end` breaks: at the last blank or tab jump that
    // parts two groups ("symbol = value unit", "value unit verdict"); else at the last one
    // at all; without one, right at the overflow.
    static size_t Break_Before(const std::vector<Cell>& cells, const std::vector<bool>& breakable, size_t start,
                               size_t end)
    {
        for (size_t k = end; k > start; --k)
            if (Is_Break(cells[k]) && breakable[k]) return k;
        for (size_t k = end; k > start; --k)
            if (Is_Break(cells[k])) return k;
        return end;
    }

    static bool Is_Relation(const std::string& w)
    {
        return w == "=" || w == "<" || w == ">" || w == "<=" || w == ">=" || w == "\xF2" || w == "\xF3" ||
               w == "\xF7";
    }
    static bool Is_Verdict(const std::string& w) { return w == "ok" || w == "ok!" || w == "nicht" || w == "!!"; }
    // Words that belong to the symbol after them ("erf A", "vorh l").
    static bool Is_Qualifier(const std::string& w)
    {
        return w == "erf" || w == "vorh" || w == "gew" || w == "zul" || w == "min" || w == "max" || w == "clc";
    }
    static bool Ends_Number(const std::string& w)
    {
        auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
        if (w.empty() || !digit(w.back())) return false;
        return digit(w[0]) || (w.size() > 1 && (w[0] == '-' || w[0] == '+' || w[0] == '(') && digit(w[1]));
    }

    // For each blank or tab jump: may the line break there? Not inside a group: not after
    // a relation sign, the arrow "⇒" or a qualifier nor before "=", not between a number
    // and the word after it (its unit, unless that word is a symbol followed by a relation),
    // not before a verdict after a unit or another verdict word, not before a comma or a
    // closing bracket.
    static std::vector<bool> Breakable(const std::vector<Cell>& cells)
    {
        std::vector<bool> out(cells.size(), true);
        struct Word {
            size_t begin, end;
            std::string text;
        };
        std::vector<Word> words;
        for (size_t k = 0; k < cells.size();) {
            if (Is_Break(cells[k])) {
                ++k;
                continue;
            }
            Word w{k, k, ""};
            for (; k < cells.size() && !Is_Break(cells[k]); ++k)
                if (cells[k].kind == Cell::Byte) w.text += static_cast<char>(cells[k].byte);
            w.end = k;
            words.push_back(std::move(w));
        }
        for (size_t i = 0; i + 1 < words.size(); ++i) {
            const std::string& a = words[i].text;
            const std::string& b = words[i + 1].text;
            const std::string c = i + 2 < words.size() ? words[i + 2].text : "";
            const bool a_is_unit = i > 0 && Ends_Number(words[i - 1].text) && !Ends_Number(a) && !Is_Relation(a);
            bool keep = Is_Relation(a) || Is_Qualifier(a) || a == OLI_GLYPH_ARROW || b == "=";
            keep = keep || (Ends_Number(a) && !b.empty() && !Ends_Number(b) && !Is_Relation(b) && c != "=");
            keep = keep || ((a_is_unit || Is_Verdict(a)) && Is_Verdict(b));
            keep = keep || (!b.empty() && (b[0] == ',' || b[0] == ';' || b[0] == ')'));
            if (keep)
                for (size_t k = words[i].end; k < words[i + 1].begin; ++k) out[k] = false;
        }
        return out;
    }

    // The cells [start, end) of one visual line at the current position.
    void Draw_Line_Cells(const std::vector<Cell>& cells, const std::vector<double>& at, size_t start, size_t end,
                         const Line_Frame& frame, const std::vector<Text_Piece>& drawings, double height)
    {
        Page& page = Current();
        const double top = y_;
        for (const Text_Piece& d : drawings) Cell_Drawing(d, frame, top, height);
        const double cw = Style_Char_Width(frame.style);
        const double size = Style_Font_Size(frame.style);
        const double baseline = top + BASELINE_IN_LINE * height;
        size_t k = start;
        while (k < end) {
            if (cells[k].kind != Cell::Byte) {
                ++k;
                continue;
            }
            // A run: cells of one style standing one after the other.
            const Run_Style style = cells[k].style;
            const double x0 = at[k];
            std::string bytes;
            size_t j = k;
            while (j < end && cells[j].kind == Cell::Byte && cells[j].style == style &&
                   std::fabs(at[j] - (x0 + (j - k) * cw)) < 1e-6) {
                bytes += static_cast<char>(cells[j].byte);
                ++j;
            }
            const size_t count = j - k;
            k = j;
            if (bytes.find_first_not_of(' ') == std::string::npos && !style.underline) continue;
            Page_Text text;
            text.face = {Face_Family::Mono, style.bold || frame.force_bold || frame.style == HEADLINE_STYLE, style.italic};
            text.size = style.shift != 0 ? size * SHIFTED_SIZE : size;
            text.x = frame.left + x0;
            text.y = baseline + (style.shift < 0 ? 0.25 * size : style.shift > 0 ? -0.4 * size : 0.0);
            text.colour = style.coloured ? style.colour : Rgb{};
            // Leading and trailing blanks are not drawn (the cells keep their places).
            const size_t lead = bytes.find_first_not_of(' ');
            if (lead != std::string::npos) {
                const size_t last = bytes.find_last_not_of(' ');
                text.x += lead * cw;
                text.utf8 = Run_Text_Utf8(std::string_view(bytes).substr(lead, last - lead + 1), style);
                page.items.emplace_back(text);
            }
            if (style.underline) {
                Page_Line line;
                line.x1 = frame.left + x0;
                line.x2 = line.x1 + count * cw;
                line.y1 = line.y2 = baseline + 0.12 * size;
                line.width = UNDERLINE_WIDTH;
                line.colour = text.colour;
                page.items.emplace_back(std::move(line));
            }
        }
    }

    // An in-cell line or rectangle of a text line whose box starts at top.
    void Cell_Drawing(const Text_Piece& d, const Line_Frame& frame, double top, double height)
    {
        double x1 = frame.table_left, x2 = frame.table_left + frame.table_width;
        if (!(d.values[1] < 0.0 && d.values[2] < 0.0)) {
            x1 = frame.table_left + std::max(0.0, d.values[1]);
            x2 = frame.table_left + std::max(0.0, d.values[2]);
        }
        double a = d.values[3], b = d.values[4];
        if (d.kind == Piece_Kind::Line) {
            Page_Line line;
            line.x1 = x1;
            line.x2 = x2;
            line.y1 = top + a * height;
            line.y2 = top + b * height;
            line.width = RULE_WIDTH;
            line.colour = d.style.coloured ? d.style.colour : Rgb{};
            Current().items.emplace_back(std::move(line));
            return;
        }
        if (a < 0.0 || b < 0.0) {
            a = 0.0;
            b = 1.0;
        }
        Page_Fill fill;
        fill.colour = File_Int(d.values[0]) == 0 ? WHITE : CELL_SHADE;
        fill.contours.push_back({{x1, top + a * height}, {x2, top + a * height}, {x2, top + b * height}, {x1, top + b * height}});
        Current().items.emplace_back(std::move(fill));
    }
};

} // namespace

Laid_Out_Document Lay_Out_Report(const Report_Document& report)
{
    Report_Reader reader(report);
    return Layout(reader, nullptr).Run();
}

Laid_Out_Document Lay_Out_Report_In_Pieces(Report_Reader& reader, const Page_Sink& sink)
{
    return Layout(reader, &sink).Run();
}
