#include "report/text_writer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <string>

#include "base/trace.h"
#include "base/utilities.h"
#include "base/version_text.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"
#include "report/report_layout.h"

Heading_State heading_state = {
    {0, 0, 0, 0, 0, 0},
    {0.28, 0.28, 0.28, 0.28, 0.28, 0.28},
    {1, 1, 1, 1, 1, 1},
    3,      // depth
    0,      // flat
    0,      // no numbers
    -1,     // open bookmark level
    2,      // bookmark depth
    3,      // bookmark group depth
    1,      // output switch
    "???",  // last number text
    0.0,    // base margin
    0.0f,   // left margin
    0.0f,   // right margin
};

int32_t oli_position_slots[OLI_POSITION_SLOT_COUNT] = {};

const int oli_chars_per_line[11] = {106, 106, 165, 125, 96, 73, 106, 106, 132, 132, 165};

int32_t oli_line_switch = 1;
int32_t oli_comment_switch = 1;

namespace {

double text_width = 17.0;
int32_t line_style = 7;
int32_t number_trimming = 0;

// The writer's line buffer; it grows with the longest line and lives for the run.
char* line_buffer = nullptr;
size_t line_buffer_size = 0;

// Report-format level from which headings and lines are running text.
constexpr int TEXT_FORM_LEVEL = 335;

constexpr const char* STYLE_CODES[] = {OLI_SEQ_SUB, OLI_SEQ_SUP, OLI_SEQ_STYLE,
                                       OLI_SEQ_UNDERLINE, OLI_SEQ_BOLD, OLI_SEQ_S};
constexpr size_t STYLE_CODE_COUNT = sizeof STYLE_CODES / sizeof STYLE_CODES[0];

int Clamp_Level(int level) { return std::clamp(level, 1, OLI_HEADING_LEVELS); }

double Indent_For_Style(int style) { return style == 1 ? 0.28 : 0.48; }

// Formats at most OLI_HEADING_TEXT_MAX characters (the rest is cut).
std::string Format_Cut(const char* format, va_list args)
{
    char text[OLI_HEADING_TEXT_MAX + 1];
    if (!format) return std::string();
    int n = std::vsnprintf(text, sizeof text, format, args);
    if (n < 0) return std::string();
    return std::string(text);
}

// A table or graphic block must not stand inside an open paragraph block.
void End_Open_Paragraph(FILE* stream)
{
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);
}

bool Text_Form() { return Plot_Get_Report_Format_Level() >= TEXT_FORM_LEVEL; }

bool Ends_In_Newline(const std::string& text) { return !text.empty() && text.back() == '\n'; }

// The number "1.2." of the levels 1 to L.
std::string Number_Text(int L)
{
    std::string number;
    char part[16];
    for (int i = 0; i < L; ++i) {
        std::snprintf(part, sizeof part, "%d.", heading_state.level_counters[i]);
        number += part;
    }
    return number;
}

void Remember_Number(const std::string& number)
{
    size_t n = std::min(number.size(), sizeof heading_state.last_number - 1);
    std::memcpy(heading_state.last_number, number.data(), n);
    heading_state.last_number[n] = '\0';
}

// Indent of the heading text: the level indents in use plus a little room for the number.
double Heading_Indent()
{
    const Heading_State& h = heading_state;
    if (h.flat || h.no_numbers) return 0.0;
    if (h.depth < 1) return 0.35;
    double indent = 0.0;
    int depth = std::min(h.depth, OLI_HEADING_LEVELS);
    for (int i = 0; i < depth; ++i) indent += h.level_indents[i];
    switch (h.depth) {
    case 3: indent += 0.3; break;
    case 4: indent += 0.2; break;
    default: indent += 0.35; break;
    }
    return indent;
}

// Steps 1 and 2 common to both heading forms: depth, counters, base margin.
int Count_Level(int level)
{
    int L = std::min(level, OLI_HEADING_LEVELS);
    Heading_State& h = heading_state;
    h.depth = std::max({h.depth, 1, L});
    ++h.level_counters[L - 1];
    for (int i = L; i < OLI_HEADING_LEVELS; ++i) h.level_counters[i] = 0;
    if (L == 1) h.base_margin = 0.0;
    return L;
}

// Level 0: an emphasised line outside the numbering.
void Write_Level_Zero(FILE* stream, const std::string& text)
{
    if (!stream) return;
    OLI_setYPositionCM(stream, 1, 0.114f);
    int previous = OLI_Get_Text_Style();
    OLI_Set_Text_Style(4);
    OLI_Printf(stream, OLI_SEQ_EMPH "%s" OLI_SEQ_RESET "\n", text.c_str());
    OLI_End_Text_Block(stream);
    if (previous != 4) OLI_Set_Text_Style(previous);
}

void Write_Heading_Form(FILE* stream, int level, const std::string& text, int bookmark_flag, int mode)
{
    if (Plot_Get_Report_Format_Level() > 334)
        OLI_Write_Numbered_Heading(stream, level, text.c_str(), bookmark_flag, mode);
    else
        OLI_Write_Heading_Graphic(stream, level, text.c_str(), bookmark_flag, mode);
}

// The heading with the bookkeeping of open bookmark groups.
void Heading_With_Bookmarks(FILE* stream, int level, const std::string& text)
{
    if (level < 0) return;
    if (level == 0) {
        Write_Level_Zero(stream, text);
        return;
    }
    Heading_State& h = heading_state;
    int G = std::min(h.bookmark_depth - 1, h.bookmark_group_depth);
    int mode = 0;
    if (level <= G) {
        int closes = 0;
        if (h.open_bookmark_level == level) closes = 1;
        else if (h.open_bookmark_level > level) closes = h.open_bookmark_level - level + 1;
        for (int i = 0; i < closes; ++i) OLI_setBookmark(stream, 17, nullptr);
        h.open_bookmark_level = level;
        mode = 16;
    }
    Write_Heading_Form(stream, level, text, 1, mode);
    if (level == 1) OLI_setYPositionCM(stream, 1, -0.19f);
}

// Heading of a level without the bookkeeping of bookmark groups.
void Heading_Plain(FILE* stream, int level, const std::string& text, int bookmark_flag, int mode)
{
    if (level < 0) return;
    if (level == 0) {
        Write_Level_Zero(stream, text);
        return;
    }
    Write_Heading_Form(stream, level, text, bookmark_flag, mode);
    if (level == 1) OLI_setYPositionCM(stream, 1, -0.19f);
}

void Send_Margins(FILE* stream)
{
    OLI_setMarginsCM(stream, 1, heading_state.left_margin, heading_state.right_margin);
}

// Grows the line buffer to at least size bytes.
void Reserve_Line_Buffer(size_t size)
{
    if (size <= line_buffer_size) return;
    line_buffer = static_cast<char*>(Realloc_Or_Exit(line_buffer, size, 0));
    line_buffer_size = size;
}

bool Is_Digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Trailing zeros after a decimal point that follows a digit are dropped, and the point
// itself when only zeros follow it.
void Trim_Number_Zeros(char* text)
{
    size_t length = std::strlen(text);
    size_t out = 0;
    for (size_t i = 0; i < length;) {
        if (text[i] == '.' && i > 0 && Is_Digit(text[i - 1]) && i + 1 < length && Is_Digit(text[i + 1])) {
            size_t end = i + 1;
            while (end < length && Is_Digit(text[end])) ++end;
            size_t last = end;  // one past the last non-zero digit
            while (last > i + 1 && text[last - 1] == '0') --last;
            if (last == i + 1) {
                // only zeros: the point goes too
            } else {
                for (size_t k = i; k < last; ++k) text[out++] = text[k];
            }
            i = end;
            continue;
        }
        text[out++] = text[i++];
    }
    text[out] = '\0';
}

size_t Count_Bytes(const char* text, unsigned char byte)
{
    size_t n = 0;
    for (const char* p = text; *p; ++p)
        if (static_cast<unsigned char>(*p) == byte) ++n;
    return n;
}

// A line in the table form of the older report format.
void Write_Line_As_Table(FILE* stream, const char* text)
{
    bool style_run = std::strstr(text, OLI_SEQ_STYLE) != nullptr;
    size_t length = std::strlen(text);
    End_Open_Paragraph(stream);
    std::fputs("#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n", stream);
    std::fprintf(stream, " %s%s", text, length > 0 && text[length - 1] == '\n' ? "" : "\n");
    if (style_run) std::fputs(" \n", stream);
    std::fputs("#END_OF_TEXT\n", stream);
    if (style_run) OLI_setYPositionCM(stream, 1, -0.38f);
    OLI_setYPositionCM(stream, 1, -0.60113335f);
}

void Write_Line_Text(FILE* stream, const char* text)
{
    // Each 0xFD or 0xFA becomes five bytes plus the codes of up to six open styles; the
    // buffer is sized for that so that no tail of the line is lost.
    size_t length = std::strlen(text);
    size_t raised_signs = Count_Bytes(text, 0xFD) + Count_Bytes(text, 0xFA);
    size_t reopen = STYLE_CODE_COUNT * 2;
    size_t size = length + 20 + raised_signs * (std::strlen(OLI_SEQ_SUP "2" OLI_SEQ_RESET) + reopen);
    Reserve_Line_Buffer(size);
    std::memcpy(line_buffer, text, length + 1);
    if (number_trimming) Trim_Number_Zeros(line_buffer);
    int limit = static_cast<int>(std::min<size_t>(line_buffer_size, 0x7fffffff));
    OLI_Replace_Reopen_Styles(line_buffer, "\xFD", OLI_SEQ_SUP "2" OLI_SEQ_RESET, limit);
    OLI_Replace_Reopen_Styles(line_buffer, "\xFA", OLI_SEQ_SUP "3" OLI_SEQ_RESET, limit);
    if (!oli_line_switch || !stream) return;
    if (Text_Form()) {
        OLI_Set_Text_Style(line_style);
        size_t n = std::strlen(line_buffer);
        bool newline = n > 0 && line_buffer[n - 1] == '\n';
        OLI_Printf(stream, "%s%s", line_buffer, newline ? "" : "\n");
        OLI_End_Text_Block(stream);
    } else {
        Write_Line_As_Table(stream, line_buffer);
    }
}

// A comment or title line: text style 3 or 5, or a small table block in the older format.
void Write_Styled_Line(FILE* stream, const std::string& text, int style, const char* table_head, float step)
{
    if (!stream) return;
    const char* newline = Ends_In_Newline(text) ? "" : "\n";
    if (Text_Form()) {
        OLI_Set_Text_Style(style);
        OLI_Printf(stream, "%s%s", text.c_str(), newline);
        OLI_End_Text_Block(stream);
    } else {
        End_Open_Paragraph(stream);
        std::fputs(table_head, stream);
        std::fprintf(stream, " %s%s", text.c_str(), newline);
        std::fputs(" 0 0 0 0\n", stream);
        OLI_setYPositionCM(stream, 1, step);
    }
}

void Write_Comment_Text(FILE* stream, const std::string& text)
{
    if (!oli_comment_switch) return;
    Write_Styled_Line(stream, text, 3, "#SHOWTABLE\n 0 0 1\n", -0.85f);
}

// Position of the last occurrence of code that lies wholly before position, or npos.
size_t Last_Before(const std::string& text, const char* code, size_t position)
{
    size_t length = std::strlen(code);
    if (position < length) return std::string::npos;
    return text.rfind(code, position - length);
}

} // namespace

// ---------------------------------------------------------------------------------
// Headings

void OLI_Init_Heading_Numbering(int depth, int numbering_style, int flags)
{
    Heading_State& h = heading_state;
    for (int i = 0; i < OLI_HEADING_LEVELS; ++i) {
        h.level_counters[i] = 0;
        h.numbering_styles[i] = numbering_style;
        h.level_indents[i] = Indent_For_Style(numbering_style);
    }
    h.depth = std::min(depth, OLI_HEADING_LEVELS);
    h.flat = flags & 1;
    h.no_numbers = (flags >> 1) & 1;
    h.open_bookmark_level = -1;
}

void OLI_Set_Bookmark_Depth(int level) { heading_state.bookmark_depth = level; }

void OLI_Set_Bookmark_Group_Depth(int level) { heading_state.bookmark_group_depth = level; }

void OLI_Write_Heading(FILE* stream, int level, const char* format, ...)
{
    if (level < 0) return;
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    Heading_With_Bookmarks(stream, level, text);
}

void OLI_Write_Heading_No_Bookmark(FILE* stream, int level, int bookmark_mode, const char* format, ...)
{
    if (level < 0) return;
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    Heading_Plain(stream, level, text, 1, bookmark_mode);
}

void OLI_Write_Heading_Unmarked(FILE* stream, int level, const char* format, ...)
{
    if (level < 0) return;
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    Heading_Plain(stream, level, text, 0, 0);
}

void OLI_Count_Heading(FILE* stream, int level, const char* format, ...)
{
    if (level < 0) return;
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    int32_t previous = heading_state.output_switch;
    if (level > 0) heading_state.output_switch = 0;
    Heading_With_Bookmarks(stream, level, text);
    heading_state.output_switch = previous;
}

void OLI_Write_Numbered_Heading(FILE* stream, int level, const char* title, int bookmark_flag, int mode)
{
    if (level < 1) return;
    if (!title) title = "";
    Heading_State& h = heading_state;
    int L = Count_Level(level);
    int style = L == 1 ? 5 : 4;
    bool space_after = L == 1;
    if (!stream) return;

    if (h.output_switch) {
        if (!h.flat) OLI_Set_Left_Margin(stream, h.base_margin);
        OLI_setYPositionCM(stream, 1, 0.254f);
        OLI_reserveSpaceCM(stream, 3.0f);
    }

    std::string text, bookmark;
    double indent = 0.0;
    if (h.no_numbers) {
        text = bookmark = title;
    } else {
        std::string number = Number_Text(L);
        Remember_Number(number);
        std::string head = std::string(OLI_SEQ_NUMBER) + number;
        text = head + (h.flat ? " " : OLI_SEQ_TAB) + title;
        bookmark = head + " " + title;
        indent = Heading_Indent();
    }

    if (bookmark_flag && L <= h.bookmark_depth) OLI_setBookmark(stream, mode, bookmark.c_str());
    if (!h.output_switch) return;

    OLI_Set_Text_Style(style);
    if (indent != 0.0) OLI_Set_Tab_Stops(17, nullptr, &indent, 1);
    if (L == 1)
        OLI_Printf(stream, "%s\n", text.c_str());
    else
        OLI_Printf(stream, OLI_SEQ_EMPH "%s" OLI_SEQ_RESET "\n", text.c_str());

    if (space_after) {
        OLI_Add_Paragraph_Space(0.1);
        OLI_End_Text_Block(stream);
        OLI_setYPositionCM(stream, 1, 0.1f);
    } else {
        OLI_End_Text_Block(stream);
    }
    if (!h.flat) OLI_Set_Left_Margin(stream, indent + h.base_margin);
}

void OLI_Write_Heading_Graphic(FILE* stream, int level, const char* title, int bookmark_flag, int mode)
{
    if (level < 1) return;
    if (!title) title = "";
    Heading_State& h = heading_state;
    int L = Count_Level(level);
    double height = L == 1 ? 0.8 : 0.7;
    double baseline = L == 1 ? 0.2 : 0.1;
    int style = L == 1 ? 5 : 4;
    if (!stream) return;

    std::string bookmark = title;
    double indent = 0.0;
    std::string number;
    if (!h.no_numbers) {
        number = Number_Text(L);
        Remember_Number(number);
        indent = Heading_Indent();
        if (h.flat) bookmark = number + " " + title;
    }

    if (h.output_switch) {
        End_Open_Paragraph(stream);
        OLI_Set_Left_Margin(stream, h.base_margin);
        OLI_reserveSpaceCM(stream, 3.0f);
        std::fputs("#SHOWGRAFIC\n 0 0 0\n 0 0 0\n", stream);
        std::fprintf(stream, "%d\n", -1);
        std::fprintf(stream, " %lf %lf %lf %lf\n", 0.0, 17.0, 0.0, height);
        std::fprintf(stream, " 7 %d\n", style);
        // Levels 2 and 3 are drawn bold: each text four times, shifted by 0.01 cm.
        int copies = (L == 2 || L == 3) ? 4 : 1;
        static const double shift_x[4] = {0.0, 0.01, 0.0, 0.01};
        static const double shift_y[4] = {0.0, 0.0, 0.01, 0.01};
        auto put_text = [&](double x, const std::string& t) {
            for (int c = 0; c < copies; ++c)
                std::fprintf(stream, " 2 %lf %lf \xAE%s\xAF\n", x + shift_x[c], baseline + shift_y[c], t.c_str());
        };
        if (h.no_numbers) {
            put_text(0.0, title);
        } else if (h.flat) {
            put_text(0.0, number + " " + title);
        } else {
            char part[16];
            for (int i = 0; i < L; ++i) {
                std::snprintf(part, sizeof part, "%d.", h.level_counters[i]);
                put_text(i * h.level_indents[i], part);
            }
            put_text(indent, title);
        }
        std::fputs(" -1\n", stream);
    }

    if (bookmark_flag && L <= h.bookmark_depth) {
        OLI_setBookmark(stream, mode, bookmark.c_str());
        OLI_setBookmark(stream, 15, "");
    }
    if (!h.output_switch) return;
    OLI_setYPositionCM(stream, 1, -0.6f);
    OLI_Set_Left_Margin(stream, h.flat ? 0.0 : indent);
}

void OLI_Close_Bookmarks(FILE* stream)
{
    for (int i = 0; i < heading_state.open_bookmark_level; ++i) OLI_setBookmark(stream, 17, nullptr);
}

int OLI_Get_Level_Counter(int level) { return heading_state.level_counters[Clamp_Level(level) - 1]; }

void OLI_Set_Level_Counter(int level, int value) { heading_state.level_counters[Clamp_Level(level) - 1] = value; }

int OLI_Next_Level_Counter(int level) { return ++heading_state.level_counters[Clamp_Level(level) - 1]; }

void OLI_Set_Numbering_Styles(const int* styles)
{
    if (!styles) return;
    int depth = std::min(heading_state.depth, OLI_HEADING_LEVELS);
    for (int i = 0; i < depth; ++i) {
        heading_state.numbering_styles[i] = styles[i];
        heading_state.level_indents[i] = Indent_For_Style(styles[i]);
    }
}

const char* OLI_Get_Heading_Number()
{
    return heading_state.no_numbers ? nullptr : heading_state.last_number;
}

void OLI_Heading_Numbers_Off() { heading_state.no_numbers = 1; }

void OLI_Heading_Numbers_On() { heading_state.no_numbers = 0; }

// ---------------------------------------------------------------------------------
// Positions and margins

int OLI_Store_Position(FILE* stream)
{
    for (int slot = 0; slot < OLI_POSITION_SLOT_COUNT; ++slot) {
        if (oli_position_slots[slot]) continue;
        oli_position_slots[slot] = 1;
        OLI_storeYPosition(stream, slot);
        return slot;
    }
    Trace_Printf("Fehler in 'rodedod': Kein Positionierungsindex mehr frei!\n");
    std::fflush(nullptr);
    return -1;
}

void OLI_Restore_Position(FILE* stream, int slot)
{
    if (slot < 0 || slot >= OLI_POSITION_SLOT_COUNT || !oli_position_slots[slot]) return;
    OLI_restoreYPosition(stream, slot);
    oli_position_slots[slot] = 0;
}

void OLI_Peek_Position(FILE* stream, int slot)
{
    if (slot < 0 || slot >= OLI_POSITION_SLOT_COUNT || !oli_position_slots[slot]) return;
    OLI_restoreYPosition(stream, slot);
}

void OLI_Free_Position(int slot)
{
    if (slot < 0 || slot >= OLI_POSITION_SLOT_COUNT) return;
    oli_position_slots[slot] = 0;
}

void OLI_Free_All_Positions()
{
    for (int slot = 0; slot < OLI_POSITION_SLOT_COUNT; ++slot) oli_position_slots[slot] = 0;
}

void OLI_Set_Left_Margin(FILE* stream, double cm)
{
    if (!stream) return;
    heading_state.left_margin = static_cast<float>(cm);
    Send_Margins(stream);
}

void OLI_Set_Right_Margin(FILE* stream, double cm)
{
    if (!stream) return;
    heading_state.right_margin = static_cast<float>(cm);
    Send_Margins(stream);
}

double OLI_Get_Left_Margin() { return heading_state.left_margin; }

double OLI_Get_Right_Margin() { return heading_state.right_margin; }

double OLI_Get_Text_Width() { return text_width; }

void OLI_Set_Text_Width(double cm) { text_width = cm; }

int OLI_Chars_Per_Line_Of(int style)
{
    int full = (style >= 0 && style <= 10) ? oli_chars_per_line[style] : 96;
    if (text_width == 0.0) return full;
    double chars = full * (text_width - static_cast<double>(heading_state.left_margin)) / text_width;
    return static_cast<int>(std::round(chars));
}

int OLI_Chars_Per_Line() { return OLI_Chars_Per_Line_Of(line_style); }

void OLI_Skip_Lines(FILE* stream, int n) { OLI_setYPositionCM(stream, 1, static_cast<float>(n * 0.38)); }

void OLI_Reserve_Lines(FILE* stream, int n) { OLI_reserveSpaceCM(stream, static_cast<float>(n * 0.38)); }

void OLI_Reserve_Small_Lines(FILE* stream, int n) { OLI_reserveSpaceCM(stream, static_cast<float>(n * 0.286)); }

void OLI_Move_Y(FILE* stream, double cm) { OLI_setYPositionCM(stream, 1, static_cast<float>(cm)); }

void OLI_Reset_Y_Position(FILE* stream) { OLI_setYPositionCM(stream, 4, 0.0f); }

// ---------------------------------------------------------------------------------
// Single lines

void OLI_Set_Line_Style(int style) { line_style = style; }

int OLI_Get_Line_Style() { return line_style; }

void OLI_Set_Number_Trimming(int on) { number_trimming = on; }

int OLI_Get_Number_Trimming() { return number_trimming; }

void OLI_Write_Line(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    Write_Line_Text(stream, text.c_str());
}

void OLI_Write_Tabbed_Text(FILE* stream, double tab_cm, const char* text)
{
    if (!stream) return;
    OLI_Set_Text_Style(line_style);
    OLI_Set_Tab_Stops(50, nullptr, &tab_cm, 1);
    OLI_Printf(stream, "%s", text ? text : "");
    OLI_Clear_Tab_Stops();
    OLI_End_Text_Block(stream);
}

void OLI_Write_Tabbed_Line(FILE* stream, double tab_cm, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    OLI_Write_Tabbed_Text(stream, tab_cm, text.c_str());
}

void OLI_Write_Line_Flagged(FILE* stream, const char* text, int ok)
{
    if (!stream) return;
    OLI_reserveSpaceCM(stream, 0.76f);
    OLI_Write_Line(stream, "%s", text ? text : "");
    if (ok) return;
    OLI_setYPositionCM(stream, 1, -0.38f);
    double left = heading_state.left_margin;
    OLI_Set_Left_Margin(stream, text_width);
    OLI_Write_Line(stream, OLI_SEQ_BOLD "!!");
    OLI_Set_Left_Margin(stream, left);
}

void OLI_Write_Comment(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    Write_Comment_Text(stream, text);
}

void OLI_Write_Comment_Always(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    int32_t previous = oli_comment_switch;
    oli_comment_switch = 1;
    Write_Comment_Text(stream, text);
    oli_comment_switch = previous;
}

void OLI_Write_Title_Line(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Format_Cut(format, args);
    va_end(args);
    Write_Styled_Line(stream, text, 5, "#SHOWTABLE\n 1 0 0\n", -0.9f);
}

void OLI_Write_Version_Line(FILE* stream, const char* directory)
{
    if (!stream) return;
    std::string text;
    const char* version = Get_Program_Version_Text(directory);
    if (version) {
        text = version;
    } else {
        std::string name = directory ? directory : "";
        if (name.size() > 98) name.resize(98);
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        text = name + " Version: ???";
        if (text.size() > 99) text.resize(99);
    }
    if (text.empty()) return;
    double left = heading_state.left_margin;
    OLI_Set_Left_Margin(stream, (left - 0.13333 * static_cast<double>(text.size())) + (1.0 + text_width));
    OLI_Write_Comment_Always(stream, "%s", text.c_str());
    OLI_Set_Left_Margin(stream, left);
}

int OLI_Style_Open_At(const char* text, const char* code, int position)
{
    if (!text || !code || !*code || position <= 0) return 0;
    std::string t(text);
    size_t pos = std::min(static_cast<size_t>(position), t.size());
    size_t code_at = Last_Before(t, code, pos);
    if (code_at == std::string::npos) return 0;
    size_t reset_at = Last_Before(t, OLI_SEQ_RESET, pos);
    if (reset_at == std::string::npos) return 1;
    return code_at + std::strlen(code) > reset_at + 2 ? 1 : 0;
}

int OLI_Subscript_Open_At(const char* text, int position) { return OLI_Style_Open_At(text, OLI_SEQ_SUB, position); }

int OLI_Superscript_Open_At(const char* text, int position) { return OLI_Style_Open_At(text, OLI_SEQ_SUP, position); }

int OLI_Style_Run_Open_At(const char* text, int position) { return OLI_Style_Open_At(text, OLI_SEQ_STYLE, position); }

int OLI_Bold_Open_At(const char* text, int position) { return OLI_Style_Open_At(text, OLI_SEQ_BOLD, position); }

int OLI_S_Style_Open_At(const char* text, int position) { return OLI_Style_Open_At(text, OLI_SEQ_S, position); }

int OLI_Replace_Reopen_Styles(char* text, const char* needle, const char* replacement, int size)
{
    if (!text || !needle || !*needle || !replacement || size < 2) return 0;
    size_t needle_length = std::strlen(needle);
    std::string out;
    int count = 0;
    for (size_t i = 0; text[i];) {
        if (std::strncmp(text + i, needle, needle_length) == 0) {
            out += replacement;
            for (const char* code : STYLE_CODES)
                if (OLI_Style_Open_At(text, code, static_cast<int>(i))) out += code;
            i += needle_length;
            ++count;
        } else {
            out += text[i++];
        }
    }
    if (count == 0) return 0;
    size_t keep = std::min(out.size(), static_cast<size_t>(size) - 2);
    std::memcpy(text, out.data(), keep);
    text[keep] = '\0';
    return count;
}

int Trimmed_Length(const char* text)
{
    if (!text) return 0;
    size_t n = std::strlen(text);
    while (n > 0 && text[n - 1] == ' ') --n;
    return static_cast<int>(n);
}
