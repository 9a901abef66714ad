#include "report/notation_lists.h"

#include "report/cell_texts.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"
#include "report/text_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <string>
#include <vector>

int oli_notation_list_on = 1;
int oli_literature_list_on = 1;

namespace {

struct Notation {
    std::string symbol;   // at most OLI_NOTATION_SYMBOL_MAX characters
    std::string meaning;  // the formatted meaning, at most OLI_NOTATION_MEANING_MAX
    std::string text;     // "symbol╬r - meaning╬r", at most OLI_NOTATION_TEXT_MAX
};

std::vector<Notation> notations;
int notation_mark = 0;
std::vector<std::string> literature;
std::string symbol_font;

// The text cut to max characters; a control byte whose letter was cut off goes too.
std::string Cut(std::string text, int max)
{
    if (text.size() <= static_cast<size_t>(max)) return text;
    text.resize(static_cast<size_t>(max));
    size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) == OLI_Report_Format::control_byte && i + 1 == text.size()) {
            text.pop_back();
            break;
        }
        i += static_cast<unsigned char>(text[i]) == OLI_Report_Format::control_byte ? 2 : 1;
    }
    return text;
}

// printf into a string of any length; a failed format gives the empty text.
std::string Format_V(const char* format, va_list args)
{
    if (!format) return {};
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Format_V(format, args);
    va_end(args);
    return text;
}

// Adds a notation with its meaning already formatted; the first meaning of a symbol
// stays, and a full list drops the new one.
void Add_Formatted(const std::string& symbol_text, const std::string& meaning_text)
{
    std::string symbol = Cut(symbol_text, OLI_NOTATION_SYMBOL_MAX);
    for (const Notation& n : notations)
        if (n.symbol == symbol) return;
    if (static_cast<int>(notations.size()) >= OLI_MAX_NOTATIONS) return;
    Notation n;
    n.symbol = symbol;
    n.meaning = Cut(meaning_text, OLI_NOTATION_MEANING_MAX);
    n.text = Cut(symbol + OLI_SEQ_RESET " - " + n.meaning + OLI_SEQ_RESET, OLI_NOTATION_TEXT_MAX);
    notations.push_back(std::move(n));
}

// A cited notation: the meaning formatted with the literature entry's number.
void Add_Cited(const std::string& symbol, const char* meaning_format, const char* literature_text)
{
    int number = OLI_Add_Literature(literature_text);
    if (number <= 0) return;  // the entry could not be kept: cite nothing that is not listed
    Add_Formatted(symbol, Format(meaning_format, number));
}

// Characters of a line of running notations for the width right of the left margin.
int Notation_Line_Length()
{
    double width = OLI_Get_Text_Width();
    if (!(width > 0.0)) return OLI_NOTATION_LINE_MAX;
    double n = (width - OLI_Get_Left_Margin()) * OLI_NOTATION_LINE_MAX / width;
    if (!std::isfinite(n)) return OLI_NOTATION_LINE_MAX;
    n = std::clamp(n, -1.0e6, 1.0e6);
    return static_cast<int>(std::lround(n));
}

// The full texts laid into lines: each text followed by five blanks; a text that would
// make the running length (each text's length + 4) exceed the line length, or the line
// itself longer than 160 characters, starts a new line; three of the five blanks behind
// the last text of a line are cut. A single text longer than a line stands alone, whole.
std::vector<std::string> Lay_Out_Lines(int line_length)
{
    std::vector<std::string> lines;
    std::string line;
    long running = 0;
    for (const Notation& n : notations) {
        long len = static_cast<long>(n.text.size());
        bool line_full = running + len + 4 > line_length ||
                         static_cast<long>(line.size()) + len + 2 > OLI_NOTATION_LINE_MAX;
        if (!line.empty() && line_full) {
            line.resize(line.size() - 3);
            lines.push_back(line);
            line.clear();
            running = 0;
        }
        line += n.text;
        line += "     ";
        running += len + 4;
    }
    if (!line.empty()) {
        line.resize(line.size() - 3);
        lines.push_back(line);
    }
    return lines;
}

void Write_Notations_In_Mode(FILE* stream, int mode)
{
    if (!stream) return;
    if (!oli_notation_list_on) {
        OLI_setYPositionCM(stream, 1, 0.19f);
        return;
    }
    if (mode == 0) {
        for (const std::string& line : Lay_Out_Lines(Notation_Line_Length()))
            OLI_Write_Comment(stream, "%s", line.c_str());
        OLI_setYPositionCM(stream, 1, 0.4f);
        return;
    }
    int widest = 0;
    for (const Notation& n : notations) widest = std::max(widest, MT_String_Length(n.symbol.c_str()) + 1);
    int column_style = OLI_Get_Column_Style();
    OLI_Set_Column_Style(3);
    OLI_Begin_Columns_2(0.0, widest);
    for (const Notation& n : notations) {
        OLI_Write_Column_Cell(stream, "%s", n.symbol.c_str());
        OLI_Write_Column_Cell(stream, "%s", n.meaning.c_str());
    }
    OLI_End_Columns(stream);
    OLI_Set_Column_Style(column_style);
}

} // namespace

// ---------------------------------------------------------------------------------
// Notations

void OLI_Clear_Notations() { notations.clear(); }

int OLI_Count_Notations() { return static_cast<int>(notations.size()); }

void OLI_Mark_Notations() { notation_mark = OLI_Count_Notations(); }

void OLI_Back_To_Notation_Mark()
{
    if (notation_mark < OLI_Count_Notations()) notations.resize(static_cast<size_t>(std::max(notation_mark, 0)));
}

void OLI_Drop_Notations(int n)
{
    if (n <= 0) return;
    int count = std::max(OLI_Count_Notations() - n, 0);
    notations.resize(static_cast<size_t>(count));
}

void OLI_Add_Notation(const char* symbol, const char* meaning_format, ...)
{
    va_list args;
    va_start(args, meaning_format);
    std::string meaning = Format_V(meaning_format, args);
    va_end(args);
    Add_Formatted(symbol ? symbol : "", meaning);
}

void OLI_Add_Notation_Indexed(const char* symbol_format, const char* meaning_format, int index)
{
    Add_Formatted(Format(symbol_format, index), Format(meaning_format, index));
}

void OLI_Add_Notation_Cited(const char* symbol, const char* meaning_format, const char* literature_text)
{
    Add_Cited(symbol ? symbol : "", meaning_format, literature_text);
}

void OLI_Add_Notation_Cited_Indexed(const char* symbol_format, const char* meaning_format, int index,
                                    const char* literature_text)
{
    Add_Cited(Format(symbol_format, index), meaning_format, literature_text);
}

void OLI_Write_Notations(FILE* stream) { Write_Notations_In_Mode(stream, 0); }

void OLI_Write_Notation_Table(FILE* stream) { Write_Notations_In_Mode(stream, 1); }

// ---------------------------------------------------------------------------------
// Literature

void OLI_Clear_Literature() { literature.clear(); }

int OLI_Add_Literature(const char* text)
{
    if (!text) return 0;
    std::string entry = Cut(text, OLI_LITERATURE_TEXT_MAX);
    for (size_t i = 0; i < literature.size(); ++i)
        if (literature[i] == entry) return static_cast<int>(i) + 1;
    if (static_cast<int>(literature.size()) >= OLI_MAX_LITERATURE) return 0;
    literature.push_back(std::move(entry));
    return static_cast<int>(literature.size());
}

void OLI_Write_Literature(FILE* stream)
{
    if (!oli_literature_list_on || !stream || literature.empty()) return;
    int count = static_cast<int>(literature.size());
    OLI_reserveSpaceCM(stream, static_cast<float>((count + 3) * 0.286));
    std::fputs("#SHOWTABLE\n 0 1 0\n Literatur und Normen:\n", stream);
    std::fputs("0 0 -1 -1\n", stream);
    std::fputs("#END_OF_TEXT\n", stream);
    OLI_setYPositionCM(stream, 1, -0.8f);
    OLI_setConvertionFlags(stream, 1);
    std::fprintf(stream, "#SHOWTABLE\n 0 0 %d\n", count);
    for (int i = 0; i < count; ++i)
        std::fprintf(stream, "  [%d] %s\n", i + 1, literature[static_cast<size_t>(i)].c_str());
    std::fputs("0 0 -1 -1\n", stream);
    std::fputs("#END_OF_TEXT\n", stream);
    OLI_setConvertionFlags(stream, 0);
}

// ---------------------------------------------------------------------------------
// Symbol pictures

void OLI_Set_Symbol_Font(const char* name) { symbol_font = Cut(name ? name : "", OLI_SYMBOL_FONT_MAX); }

namespace {

void Write_Symbol_Head(FILE* stream, double width, double height)
{
    std::fputs("\n#SHOWGRAFIC\n 0 0 0\n 0 0 0\n", stream);
    std::fputs("-1\n", stream);
    std::fprintf(stream, "0 %.1lf 0 %.1lf\n", width, height);
}

void Write_Symbol_End(FILE* stream)
{
    std::fputs("-1\n", stream);
    OLI_setYPositionCM(stream, 1, -0.3f);
}

} // namespace

void OLI_Write_Symbol(FILE* stream, double width, double height, const char* glyph)
{
    if (!stream) return;
    Write_Symbol_Head(stream, width, height);
    std::fprintf(stream, " 27 0 %.1lf %%FONT%%\\%s%s\n", height, symbol_font.c_str(), glyph ? glyph : "");
    Write_Symbol_End(stream);
}

void OLI_Write_Symbol_Framed(FILE* stream, double width, double height, const char* symbol_file)
{
    if (!stream) return;
    Write_Symbol_Head(stream, width, height);
    std::fprintf(stream, " 27 0 %.1lf %%FONT%%\\%s\n", height, symbol_file ? symbol_file : "");
    const double w = width, h = height;
    std::fprintf(stream, " 1  %lf %lf %lf %lf\n", 0.0, 0.0, 0.0, h);
    std::fprintf(stream, " 1  %lf %lf %lf %lf\n", 0.0, h, w, h);
    std::fprintf(stream, " 1  %lf %lf %lf %lf\n", w, h, w, 0.0);
    std::fprintf(stream, " 1  %lf %lf %lf %lf\n", w, 0.0, 0.0, 0.0);
    Write_Symbol_End(stream);
}
