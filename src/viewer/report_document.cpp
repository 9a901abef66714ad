#include "viewer/file_numbers.h"
#include "viewer/report_document.h"

#include "viewer/graphic_records.h"

#include "report/oli_channel.h"
#include "report/report_layout.h"

#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>

namespace {

constexpr char GUILLEMET_OPEN = '\xAE';
constexpr char GUILLEMET_CLOSE = '\xAF';

// Paragraph flag bits that announce parts of the record.
constexpr uint32_t PARA_EXTRA_1 = 0x01, PARA_EXTRA_2 = 0x02, PARA_SPACE_BEFORE = 0x10,
                   PARA_INDENTS = 0x20, PARA_TABS = 0x40, PARA_INTEGERS = 0x200,
                   PARA_LINE_FACTOR = 0x400, PARA_SPACE_AFTER = 0x800;
// Transition bits: a paragraph record follows / a space follows.
constexpr uint32_t TRANSITION_CHANGE = 0x4, TRANSITION_SPACE = 0x1000;
// Graphic head flag: a second window precedes the window.
constexpr uint32_t HEAD_SECOND_WINDOW = 0x10000;

bool Is_Keyword(const std::string& line) { return !line.empty() && line[0] == '#'; }

std::string Keyword_Of(const std::string& line)
{
    const size_t blank = line.find_first_of(" \t");
    return line.substr(0, blank);
}

// The numbers of a line, as many as stand at its start ("0x.." words are hexadecimal).
std::vector<double> Numbers(std::string_view text, size_t* consumed = nullptr)
{
    std::vector<double> out;
    std::string copy(text);
    const char* begin = copy.c_str();
    const char* p = begin;
    while (true) {
        const char* q = p;
        while (*q == ' ' || *q == '\t') ++q;
        if (!*q) {
            p = q;
            break;
        }
        char* end = nullptr;
        const double value = std::strtod(q, &end);
        if (end == q || (*end && *end != ' ' && *end != '\t') || !std::isfinite(value)) break;
        out.push_back(value);
        p = end;
    }
    if (consumed) *consumed = static_cast<size_t>(p - begin);
    return out;
}

bool Is_Minus_One(const std::string& line)
{
    const std::vector<double> n = Numbers(line);
    return n.size() == 1 && n[0] == -1.0 && line.find_first_not_of(" \t-1") == std::string::npos;
}

// The line without the channel's leading blank.
std::string Without_Blank(const std::string& line) { return !line.empty() && line[0] == ' ' ? line.substr(1) : line; }

// The text between the first 0xAE and the last 0xAF of the line (to the end when the
// closing byte is missing); npos position when there is none.
bool Guillemet_Text(const std::string& line, size_t& open, std::string& text)
{
    open = line.find(GUILLEMET_OPEN);
    if (open == std::string::npos) return false;
    size_t close = line.rfind(GUILLEMET_CLOSE);
    if (close == std::string::npos || close < open) close = line.size();
    text = line.substr(open + 1, close - open - 1);
    return true;
}

// A record line that changes nothing on the page ("30" and the like), told at a glance
// by its number alone: a graphic may hold millions of them.
bool Plain_Record_Without_Effect(const std::string& line)
{
    size_t k = line.find_first_not_of(" \t");
    int code = 0, digits = 0;
    for (; k < line.size() && line[k] >= '0' && line[k] <= '9' && digits < 4; ++k, ++digits)
        code = code * 10 + (line[k] - '0');
    return digits > 0 && (k >= line.size() || line[k] == ' ' || line[k] == '\t') && Graphic_Record_Changes_Nothing(code);
}

} // namespace

class Report_Reader::Impl {
public:
    explicit Impl(const std::string& bytes) : src_(bytes) {}
    explicit Impl(FILE* file) : src_(file) {}
    explicit Impl(const Report_Document& doc)
        : src_(NO_BYTES), queue_(doc.items.begin(), doc.items.end()), counts_(doc.counts)
    {
    }

    const Report_Item* Peek(size_t k)
    {
        while (queue_.size() <= k && Step()) {
        }
        return k < queue_.size() ? &queue_[k] : nullptr;
    }

    bool Next(Report_Item& item)
    {
        if (!Peek(0)) return false;
        item = std::move(queue_.front());
        queue_.pop_front();
        return true;
    }

    Read_Counts Counts() const
    {
        Read_Counts c = counts_;
        c.malformed_lines += src_.Cut_Lines();
        return c;
    }
    const Line_Source& Source() const { return src_; }

private:
    static inline const std::string NO_BYTES;
    Line_Source src_;
    std::deque<Report_Item> queue_;
    Read_Counts counts_;
    bool in_paragraph_ = false;

    bool At_End() const { return src_.At_End(); }
    const std::string& Line() const { return src_.Line(); }

    template <typename T>
    void Add(T item)
    {
        queue_.emplace_back(std::move(item));
    }

    // Reads what comes next (one line of a paragraph block, or a whole other block);
    // false at the end.
    bool Step()
    {
        if (in_paragraph_) {
            Paragraph_Line();
            return true;
        }
        if (At_End()) return false;
        Top_Level();
        return true;
    }

    void Top_Level()
    {
        const std::string& line = Line();
        if (line.empty()) {
            src_.Advance();
            return;
        }
        if (!Is_Keyword(line)) {
            ++counts_.stray_lines;
            Add(Stray_Line{Without_Blank(line)});
            src_.Advance();
            return;
        }
        const std::string keyword = Keyword_Of(line);
        if (keyword == OLI_Report_Format::show_para) {
            src_.Advance();
            Paragraph_Block();
        } else if (keyword == OLI_Report_Format::show_table) {
            src_.Advance();
            Table();
        } else if (keyword == OLI_Report_Format::show_grafic) {
            src_.Advance();
            Graphic();
        } else if (keyword == OLI_Report_Format::show_xyplot) {
            src_.Advance();
            while (!At_End() && !Is_Keyword(Line())) src_.Advance();
            Add(Left_Out{"xy-plot"});
        } else if (keyword == OLI_Report_Format::contents) {
            src_.Advance();
            Contents_Entry entry;
            if (!At_End() && !Is_Keyword(Line())) entry.text = Without_Blank(src_.Take());
            Add(std::move(entry));
        } else if (keyword == OLI_Report_Format::new_page) {
            src_.Advance();
            Add(New_Page{});
        } else if (!Layout_Line()) {
            // "#END_OF_TEXT" out of place and every unknown keyword line.
            ++counts_.unknown_keywords;
            src_.Advance();
        }
    }

    // A layout keyword line at the current line: read, added, true.
    bool Layout_Line()
    {
        const std::string& line = Line();
        const std::string keyword = Keyword_Of(line);
        static const char* const known[] = {
            OLI_KEYWORD_FLAGS,     OLI_KEYWORD_RESERVE,    OLI_KEYWORD_YPOS,   OLI_KEYWORD_MARGINS,
            OLI_KEYWORD_STORE_Y,   OLI_KEYWORD_RESTORE_Y,  OLI_KEYWORD_BOOKMARK, OLI_KEYWORD_LAYOUT,
            OLI_KEYWORD_CONVERSION, OLI_KEYWORD_MARGINS_CHAR, OLI_KEYWORD_RESET_MAX_MARGIN};
        bool is_known = false;
        for (const char* k : known) is_known = is_known || keyword == k;
        if (!is_known) return false;
        Layout_Command command;
        command.keyword = keyword;
        std::string rest = line.substr(keyword.size());
        size_t open = 0;
        if (Guillemet_Text(rest, open, command.text)) {
            command.has_text = true;
            rest.resize(open);
        }
        command.numbers = Numbers(rest);
        Add(std::move(command));
        src_.Advance();
        return true;
    }

    // One line "U G" (unit code and length): the length.
    bool Length_Line(double& value, int count_of_pairs = 1, double* second = nullptr)
    {
        if (At_End()) return false;
        const std::vector<double> n = Numbers(Line());
        if (static_cast<int>(n.size()) < 2 * count_of_pairs) return false;
        value = n[1];
        if (second && count_of_pairs > 1) *second = n[3];
        src_.Advance();
        return true;
    }

    bool Single_Line(std::vector<double>& n, size_t least)
    {
        if (At_End()) return false;
        n = Numbers(Line());
        if (n.size() < least) return false;
        src_.Advance();
        return true;
    }

    // A paragraph record up to and including its "-1".
    bool Para_Record(Para_Attributes& a)
    {
        std::vector<double> n;
        if (!Single_Line(n, 1)) return false;
        a.flags = File_Flags(n[0]);
        if (a.flags & (PARA_EXTRA_1 | PARA_EXTRA_2)) return false;  // parts never written
        if (!Single_Line(n, 1)) return false;
        a.style = File_Int(n[0]);
        if ((a.flags & PARA_SPACE_BEFORE) && !Length_Line(a.space_before)) return false;
        if ((a.flags & PARA_INDENTS) && !Length_Line(a.first_indent, 2, &a.second_indent)) return false;
        if (a.flags & PARA_TABS) {
            if (!Single_Line(n, 1)) return false;
            if (File_Int(n[0]) == 2) {
                double spacing = 0.0;
                if (!Length_Line(spacing)) return false;
                a.tab_grid = true;
                a.tabs = {spacing};
            } else {
                const int count = n.size() > 1 ? File_Int(n[1]) : 0;
                for (int k = 0; k < count; ++k) {
                    double position = 0.0;
                    if (!Length_Line(position)) return false;
                    a.tabs.push_back(position);
                }
            }
        }
        if ((a.flags & PARA_LINE_FACTOR)) {
            if (!Single_Line(n, 1)) return false;
            a.line_factor = n[0];
        }
        if ((a.flags & PARA_SPACE_AFTER) && !Length_Line(a.space_after)) return false;
        if ((a.flags & PARA_INTEGERS) && !Single_Line(n, 2)) return false;
        if (At_End() || !Is_Minus_One(Line())) return false;
        src_.Advance();
        return true;
    }

    // Skips what is left of a record that could not be read: up to its "-1" or the next
    // keyword line.
    void Skip_Bad_Record()
    {
        ++counts_.malformed_lines;
        while (!At_End() && !Is_Keyword(Line())) {
            const bool end = Is_Minus_One(Line());
            src_.Advance();
            if (end) return;
        }
    }

    void Begin_Paragraph()
    {
        Para_Attributes a;
        if (!Para_Record(a)) {
            Skip_Bad_Record();
            a = Para_Attributes{};
        }
        Add(Para_Begin{a});
    }

    void Paragraph_Block()
    {
        Begin_Paragraph();
        in_paragraph_ = true;
    }

    // One line of the open paragraph block; ends the block at its end, at the end of the
    // bytes or at another block's keyword (a block that lacked its end).
    void Paragraph_Line()
    {
        if (At_End()) {
            End_Paragraph();
            return;
        }
        const std::string& line = Line();
        if (!Is_Keyword(line)) {
            Add(Text_Line{Without_Blank(line)});
            src_.Advance();
            return;
        }
        if (Keyword_Of(line) == OLI_Report_Format::end_of_text) {
            src_.Advance();
            if (!Transition()) in_paragraph_ = false;  // the block's end
            return;
        }
        if (!Layout_Line()) End_Paragraph();
    }

    void End_Paragraph()
    {
        Add(Para_End{});
        in_paragraph_ = false;
    }

    // A transition record after "#END_OF_TEXT"; true when a paragraph change follows.
    bool Transition()
    {
        std::vector<double> n;
        if (!Single_Line(n, 1)) {
            Skip_Bad_Record();
            Add(Para_End{});
            return false;
        }
        const auto kind = File_Flags(n[0]);
        double space = 0.0;
        if ((kind & TRANSITION_SPACE) && !Length_Line(space)) {
            Skip_Bad_Record();
            Add(Para_End{});
            return false;
        }
        if (kind & TRANSITION_CHANGE) {
            if (space != 0.0) Add(Para_Space{space});
            Begin_Paragraph();
            return true;
        }
        if (At_End() || !Is_Minus_One(Line()))
            Skip_Bad_Record();
        else
            src_.Advance();
        Add(Para_End{});
        if (space != 0.0) Add(Para_Space{space});
        return false;
    }

    // Counted lines: text lines, the channel's blank removed; a keyword line ends them.
    void Counted(std::vector<std::string>& out, int count)
    {
        for (int k = 0; k < count && !At_End() && !Is_Keyword(Line()); ++k) out.push_back(Without_Blank(src_.Take()));
    }

    void Table()
    {
        Table_Block table;
        std::vector<double> n;
        if (!Single_Line(n, 3)) {
            ++counts_.malformed_lines;
            return;
        }
        for (int k = 0; k < 3; ++k) table.counts[k] = std::max(0, File_Int(n[k]));
        Counted(table.titles, table.counts[0]);
        Counted(table.captions, table.counts[1]);
        Counted(table.comments, table.counts[2]);
        if (!Single_Line(n, 4)) {
            // No format line: what was read stands as a table without body.
            ++counts_.malformed_lines;
            table.compat = true;
            Add(std::move(table));
            return;
        }
        for (int k = 0; k < 4; ++k) table.format[k] = File_Int(n[k]);
        const int width_count = n.size() > 4 ? File_Int(n[4]) : 0;
        table.compat = table.format[2] == 0 && table.format[3] == 0;
        if (!table.compat) {
            if (width_count > 0 && !At_End() && !Is_Keyword(Line())) table.widths = Numbers(src_.Take());
            while (!At_End() && !Is_Keyword(Line())) table.body.push_back(Without_Blank(src_.Take()));
            if (!At_End() && Keyword_Of(Line()) == OLI_Report_Format::end_of_text) src_.Advance();
            if (table.format[0] != 0)
                table.head_lines = std::min(static_cast<int>(table.body.size()), std::clamp(table.format[1], 0, 1) + 1);
        }
        Add(std::move(table));
    }

    // One caption group: the flags line and a line per set flag.
    bool Captions(Graphic_Block& g, int first)
    {
        std::vector<double> n;
        if (!Single_Line(n, 3)) return false;
        for (int k = 0; k < 3; ++k) {
            if (n[k] == 0.0) continue;
            if (At_End() || Is_Keyword(Line())) return false;
            g.captions[first + k] = Without_Blank(src_.Take());
        }
        return true;
    }

    bool Graphic_Head(Graphic_Block& g)
    {
        if (!Captions(g, 0) || !Captions(g, 3)) return false;
        std::vector<double> n;
        if (!Single_Line(n, 1)) return false;
        uint32_t flags = 0;
        if (n[0] == -999.0 && n.size() >= 3) {
            flags = File_Flags(n[1]);
            g.kind = File_Int(n[2]);
        } else {
            g.kind = File_Int(n[0]);
        }
        if (g.kind != -1 && (flags & HEAD_SECOND_WINDOW) && !Single_Line(n, 4)) return false;
        if (!Single_Line(n, 4)) return false;
        for (int k = 0; k < 4; ++k) g.window[k] = n[k];
        g.window_read = true;
        if (g.kind == 3 && !Single_Line(n, 1)) return false;
        return true;
    }

    void Graphic()
    {
        Graphic_Block g;
        if (!Graphic_Head(g)) ++counts_.malformed_lines;
        while (!At_End() && !Is_Keyword(Line())) {
            if (Plain_Record_Without_Effect(Line())) {
                src_.Advance();
                continue;
            }
            const std::string line = src_.Take();
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            if (Is_Minus_One(line)) break;
            const size_t first = line.find_first_not_of(" \t");
            if (line[first] == '{') {
                // An embedded image's bytes, up to the closing brace.
                if (line.find('}') != std::string::npos) continue;
                while (!At_End()) {
                    const bool closed = Line().find('}') != std::string::npos;
                    src_.Advance();
                    if (closed) break;
                }
                continue;
            }
            Graphic_Record record;
            if (!Record(line, record)) {
                ++counts_.malformed_lines;
                continue;
            }
            if (!Graphic_Record_Changes_Nothing(record.code)) g.records.push_back(std::move(record));
        }
        Add(std::move(g));
    }

    static bool Record(const std::string& line, Graphic_Record& r)
    {
        size_t open = 0;
        std::string head = line;
        if (Guillemet_Text(line, open, r.text)) {
            r.has_text = true;
            head.resize(open);
        }
        size_t consumed = 0;
        std::vector<double> n = Numbers(head, &consumed);
        if (n.empty()) return false;
        r.code = File_Int(n[0]);
        if (static_cast<double>(r.code) != n[0]) return false;
        r.numbers.assign(n.begin() + 1, n.end());
        if (!r.has_text) {
            // A field that is no number (record 27's font reference) runs to the line's end.
            const size_t start = head.find_first_not_of(" \t", consumed);
            if (start != std::string::npos) {
                r.text = head.substr(start);
                r.has_text = true;
            }
        }
        return true;
    }
};

Report_Reader::Report_Reader(const std::string& bytes) : impl_(std::make_unique<Impl>(bytes)) {}
Report_Reader::Report_Reader(FILE* file) : impl_(std::make_unique<Impl>(file)) {}
Report_Reader::Report_Reader(const Report_Document& doc) : impl_(std::make_unique<Impl>(doc)) {}
Report_Reader::~Report_Reader() = default;
const Report_Item* Report_Reader::Peek(size_t k) { return impl_->Peek(k); }
bool Report_Reader::Next(Report_Item& item) { return impl_->Next(item); }
Read_Counts Report_Reader::Counts() const { return impl_->Counts(); }
int Report_Reader::Read_Error() const { return impl_->Source().Read_Error(); }
bool Report_Reader::Holds_Nul() const { return impl_->Source().Holds_Nul(); }

Report_Document Read_Report(const std::string& bytes)
{
    Report_Reader reader(bytes);
    Report_Document doc;
    for (Report_Item item; reader.Next(item);) doc.items.push_back(std::move(item));
    doc.counts = reader.Counts();
    return doc;
}
