#include "report/cell_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <vector>

#include "base/numeric.h"
#include "base/utilities.h"
#include "platform/format_number.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"
#include "report/table_blocks.h"
#include "report/text_writer.h"

const double oli_bar_diameters[OLI_BAR_DIAMETER_COUNT] = {6, 8, 10, 12, 14, 16, 20, 25, 28, 32, 18, 22};

namespace {

constexpr unsigned char CONTROL = OLI_Report_Format::control_byte;
constexpr int MAX_CELL_WIDTH = 1000;      // a field wider than this is taken as this wide
constexpr size_t LONG_TEXT = 1000;        // a text cell this long is written "?????"
constexpr size_t COLUMN_CELL_MAX = 254;   // characters of one column cell

std::string Vformat(const char* format, va_list args) {
    if (format == nullptr) return std::string();
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = Vformat(format, args);
    va_end(args);
    return text;
}

// A caller's printf format applied to one double.
std::string Format_Double(const char* format, double value) {
    if (format == nullptr) return std::string();
    const int length = std::snprintf(nullptr, 0, format, value);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<size_t>(length));
    return text;
}

int Safe_Decimals(int decimals) { return std::clamp(decimals, 0, 15); }

std::string Fixed(double value, int decimals) { return Format("%.*f", Safe_Decimals(decimals), value); }

double Clamp_Unit(double x) {
    if (!(x > 0.0)) return 0.0;  // also for a value that is not a number
    return x > 1.0 ? 1.0 : x;
}

int Visible(const std::string& text) { return MT_String_Length(text.c_str()); }

// Blanks before the text until it is `width` characters wide to the eye.
std::string Right_Align(const std::string& text, int width) {
    const int visible = Visible(text);
    if (visible >= width) return text;
    return std::string(static_cast<size_t>(width - visible), ' ') + text;
}

std::string Pad_Right(const std::string& text, int width) {
    const int visible = Visible(text);
    if (visible >= width) return text;
    return text + std::string(static_cast<size_t>(width - visible), ' ');
}

// Length in bytes of the unit of report text at p: a plain character, a control byte with
// its character, or a whole group "\xCE{ ... }" (a group that meets a line end or the end
// of the text ends there).
size_t Unit_Length(const char* p) {
    if (static_cast<unsigned char>(*p) != CONTROL) return 1;
    if (p[1] == '\0') return 1;
    if (p[1] != '{') return 2;
    size_t n = 2;
    while (p[n] != '\0' && p[n] != '}' && p[n] != '\n') ++n;
    if (p[n] == '}') ++n;
    return n;
}

bool Is_Visible_Unit(const char* p) {
    return static_cast<unsigned char>(*p) != CONTROL && *p != '\n' && *p != '\r';
}

// The first `visible` characters of a report text with its control sequences kept whole;
// when something was cut and a style may be open, "\xCE" "r" closes it.
std::string Take_Visible(const std::string& text, int visible) {
    std::string kept;
    const char* p = text.c_str();
    int count = 0;
    bool has_control = false;
    while (*p != '\0') {
        const size_t n = Unit_Length(p);
        if (Is_Visible_Unit(p)) {
            if (count >= visible) break;
            ++count;
        } else {
            has_control = true;
        }
        kept.append(p, n);
        p += n;
    }
    const bool cut = *p != '\0';
    if (cut && has_control) {
        const std::string reset = OLI_SEQ_RESET;
        if (kept.size() < reset.size() || kept.compare(kept.size() - reset.size(), reset.size(), reset) != 0)
            kept += reset;
    }
    return kept;
}

bool Type_Is(const char* type, const char* code) { return std::strcmp(type, code) == 0; }

double Read_Double(const void* value) {
    double v = 0.0;
    std::memcpy(&v, value, sizeof v);
    return v;
}

// The text of a marker right-aligned in the field, or "" when the value is no marker.
std::string Marker_Text(double v) {
    if (OLI_Is_Marker(v, OLI_MARK_MINUS_INFINITY)) return "-" OLI_GLYPH_INFINITY " ";
    if (OLI_Is_Marker(v, OLI_MARK_INFINITY)) return " " OLI_GLYPH_INFINITY " ";
    if (OLI_Is_Marker(v, OLI_MARK_NOT_DETERMINED)) return "n.e. ";
    if (OLI_Is_Marker(v, OLI_MARK_AUTOMATIC)) return "auto";
    if (OLI_Is_Marker(v, OLI_MARK_NONE)) return "---";
    if (OLI_Is_Marker(v, OLI_MARK_EMPTY)) return "   ";
    return std::string();
}

std::string Wrap_Number(const std::string& field, int underline, int bold) {
    if (bold && underline) return " " OLI_SEQ_BOLD OLI_SEQ_UNDERLINE + field + OLI_SEQ_RESET;
    if (bold) return " " OLI_SEQ_BOLD + field + OLI_SEQ_RESET;
    if (underline) return " " OLI_SEQ_UNDERLINE + field + OLI_SEQ_RESET;
    return " " + field;
}

std::string Text_Cell(const void* value, int width, int slot) {
    std::string text;
    if (value != nullptr) {
        const size_t limit = slot > 0 ? std::min(static_cast<size_t>(slot), LONG_TEXT) : LONG_TEXT;
        const char* s = static_cast<const char*>(value);
        const size_t length = strnlen(s, limit);
        if (length >= LONG_TEXT)
            text = "?????";
        else
            text.assign(s, length);
    }
    // A line end inside a cell would break the table's line structure.
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    const int field = std::max(width - 1, 0);
    return "  " + Pad_Right(Take_Visible(text, field), field);
}

std::string Char_Cell(const void* value, int width) {
    char c = value != nullptr ? *static_cast<const char*>(value) : ' ';
    if (c == '\0' || c == '\n' || c == '\r' || static_cast<unsigned char>(c) == CONTROL) c = ' ';
    const int room = std::max(width - 1, 0);
    const int left = room / 2;
    std::string cell(static_cast<size_t>(room) + 2, ' ');
    cell[static_cast<size_t>(left) + 1] = c;
    return cell;
}

std::string Bar_Cell(const void* value, int width, int underline) {
    std::string text;
    if (value != nullptr) {
        OLI_Bar_Record bar{};
        std::memcpy(&bar, value, sizeof bar);
        if (bar.count < 0) {
            text = "---  ";
        } else if (bar.count > 0) {
            const bool known = bar.diameter_index >= 0 && bar.diameter_index < OLI_BAR_DIAMETER_COUNT;
            const std::string diameter = known ? Fixed(oli_bar_diameters[bar.diameter_index], 0) : "???";
            const char* mark = underline ? OLI_SEQ_UNDERLINE : "";
            if (bar.per_bundle >= 2)
                text = Format(" " OLI_SEQ_BOLD "%s%d %s %s %der Bnd." OLI_SEQ_RESET, mark, bar.count,
                              OLI_GLYPH_DIAMETER, diameter.c_str(), bar.per_bundle);
            else
                text = Format(" " OLI_SEQ_BOLD "%s%d %s %s" OLI_SEQ_RESET, mark, bar.count,
                              OLI_GLYPH_DIAMETER, diameter.c_str());
        }
    }
    return Right_Align(text, width + 1);
}

std::string Number_Cell(const char* type, const void* value, int width, int decimals, double factor,
                        int underline, int bold) {
    std::string field;
    const double v = value != nullptr ? Read_Double(value) : OLI_MARK_EMPTY;
    const std::string marker = Marker_Text(v);
    if (!marker.empty()) {
        field = Right_Align(marker, width);
    } else {
        const double x = v * factor;
        if (std::fabs(x) < 1.0e-8 && std::strstr(type, "cm" OLI_SEQ_SUP "2") != nullptr) {
            field.assign(static_cast<size_t>(width), ' ');
            if (width > 0) field[static_cast<size_t>(width / 2)] = '-';
        } else {
            field = Format_Number_Text(x, width, decimals, 0, decimals == 0 ? FORMAT_NUMBER_TRIM_ZEROS : 0);
        }
    }
    return Wrap_Number(field, underline, bold);
}

}  // namespace

// ---------------------------------------------------------------------------------
// Markers

int OLI_Is_Marker(double value, double marker) {
    return Round_To_Decimals(value, 2) == Round_To_Decimals(marker, 2) ? 1 : 0;
}

int OLI_Is_Non_Number_Marker(double value) {
    return OLI_Is_Marker(value, OLI_MARK_NOT_DETERMINED) || OLI_Is_Marker(value, OLI_MARK_AUTOMATIC) ||
                   OLI_Is_Marker(value, OLI_MARK_NONE) || OLI_Is_Marker(value, OLI_MARK_EMPTY)
               ? 1
               : 0;
}

// ---------------------------------------------------------------------------------
// Cell texts

std::string OLI_Format_Cell_Text(const char* type, const void* value, int row, int width, int decimals,
                                 double factor, int underline, int bold, int note_id) {
    if (type == nullptr) type = "";
    width = std::clamp(width, 0, MAX_CELL_WIDTH);

    std::string cell;
    if (Type_Is(type, "TXT")) {
        cell = Text_Cell(value, width, decimals);
    } else if (Type_Is(type, "CHAR")) {
        cell = Char_Cell(value, width);
    } else if (Type_Is(type, "GEW")) {
        cell = Bar_Cell(value, width, underline);
    } else if (Type_Is(type, "ZZ")) {
        const long number = static_cast<long>(row) + (decimals > 0 ? decimals : 1);
        const std::string field =
            Format_Number_Text(static_cast<double>(number), width, 0, 0, FORMAT_NUMBER_TRIM_ZEROS);
        cell = underline ? " " OLI_SEQ_UNDERLINE + field + OLI_SEQ_RESET : Wrap_Number(field, 0, bold);
    } else {
        cell = Number_Cell(type, value, width, decimals, factor, underline, bold);
    }

    if (note_id != OLI_NO_NOTE_ID) {
        const char* key = OLI_Use_Table_Note(note_id);
        int key_width = 0;
        if (key != nullptr && *key != '\0') {
            cell += OLI_SEQ_SUP;
            cell += key;
            cell += OLI_SEQ_RESET;
            key_width = MT_String_Length(key);
        }
        const int widest = OLI_Widest_Table_Note_Key();
        if (widest > key_width) cell.append(static_cast<size_t>(widest - key_width), ' ');
    }
    return cell;
}

int OLI_Format_Cell(const char* type, const void* value, int row, int width, int decimals, double factor,
                    int underline, int bold, char* out, size_t out_size, int note_id) {
    const std::string cell =
        OLI_Format_Cell_Text(type, value, row, width, decimals, factor, underline, bold, note_id);
    if (out == nullptr || out_size == 0) return 0;
    size_t n = std::min(cell.size(), out_size - 1);
    // Never leave a control byte without its character at the cut.
    if (n < cell.size()) {
        size_t whole = 0;
        while (whole < n) {
            const size_t unit = Unit_Length(cell.c_str() + whole);
            if (whole + unit > n) break;
            whole += unit;
        }
        n = whole;
    }
    std::memcpy(out, cell.data(), n);
    out[n] = '\0';
    return static_cast<int>(n);
}

int Visible_Text_Length(const char* text) {
    if (text == nullptr) return 0;
    int shifted = 0;
    bool in_run = false;
    for (const char* p = text; *p != '\0';) {
        const size_t n = Unit_Length(p);
        if (static_cast<unsigned char>(*p) == CONTROL && n == 2) {
            if (p[1] == '/' || p[1] == '\\') in_run = true;
            else if (p[1] == 'r') in_run = false;
        } else if (in_run && Is_Visible_Unit(p)) {
            ++shifted;
        }
        p += n;
    }
    return MT_String_Length(text) - shifted / 5;
}

int Find_Flagged_Extreme(int mode, int n, const double* values, const int* flags) {
    if (values == nullptr || n < 1 || mode < 0 || mode > 3) return -1;
    int best = -1;
    double best_key = 0.0;
    for (int i = 0; i < n; ++i) {
        if (flags != nullptr && flags[i] == 0) continue;
        const double v = values[i];
        if (std::isnan(v) || OLI_Is_Non_Number_Marker(v)) continue;
        const double key = mode >= 2 ? std::fabs(v) : v;
        const bool larger = mode == 0 || mode == 2;
        if (best < 0 || (larger ? key > best_key : key < best_key)) {
            best = i;
            best_key = key;
        }
    }
    return best;
}

// ---------------------------------------------------------------------------------
// Comparisons

// Both values are rounded before they are compared, so that the sign always agrees with
// the numbers as they are printed.
char Get_Compare_Sign(double a, double b, int decimals) {
    const int d = Safe_Decimals(decimals);
    const double ra = Round_To_Decimals(a, d);
    const double rb = Round_To_Decimals(b, d);
    if (ra == rb) return '=';
    return ra > rb ? '>' : '<';
}

char Get_Compare_Sign_Tol(double a, double b, int decimals, double tolerance) {
    const char sign = Get_Compare_Sign(a, b, decimals);
    if (sign != '<') return sign;
    if (Round_To_Decimals(std::fabs(a - b) - tolerance, Safe_Decimals(decimals)) <= 0.0)
        return static_cast<char>(0xF7);
    return sign;
}

const char* Format_Comparison(double a, double b, int decimals, double tolerance, int mode, const char* label,
                              const char* unit) {
    static std::string text;
    const int d = Safe_Decimals(decimals);
    const char sign = Get_Compare_Sign_Tol(a, b, d, tolerance);
    const bool with_unit = unit != nullptr && *unit != '\0';
    if (with_unit)
        text = Format("%.*f %s %c %.*f %s", d, a, unit, sign, d, b, unit);
    else
        text = Format("%.*f %c %.*f", d, a, sign, d, b);

    if (label != nullptr && *label != '\0') {
        const double ra = Round_To_Decimals(a, d);
        const double rb = Round_To_Decimals(b, d);
        bool governs = false;
        double value = a;
        switch (mode) {
            case 2: governs = ra > rb; value = a; break;
            case 3: governs = ra < rb; value = b; break;
            case 4: governs = ra > rb; value = b; break;
            default: governs = ra < rb; value = a; break;
        }
        if (governs)
            text += Format("  " OLI_GLYPH_ARROW " %s = %.*f %s", label, d, value, with_unit ? unit : "");
    }
    return text.c_str();
}

int OLI_Relation_Holds(double a, const char* relation, double b, int decimals) {
    if (relation == nullptr) return 0;
    const int d = Safe_Decimals(decimals);
    const double ra = Round_To_Decimals(a, d);
    const double rb = Round_To_Decimals(b, d);
    if (!std::strcmp(relation, "<=") || !std::strcmp(relation, "=<")) return ra <= rb;
    if (!std::strcmp(relation, ">=") || !std::strcmp(relation, "=>")) return ra >= rb;
    if (!std::strcmp(relation, "<")) return ra < rb;
    if (!std::strcmp(relation, ">")) return ra > rb;
    return 0;
}

int Format_Check_Text(const char* label, double a, const char* relation, double b, int decimals, char* out,
                      size_t out_size) {
    const int d = Safe_Decimals(decimals);
    const int holds = OLI_Relation_Holds(a, relation, b, d);
    std::string text = Format("%.*f %c %.*f", d, a, Get_Compare_Sign(a, b, d), d, b);
    if (!holds) text += Format("  " OLI_GLYPH_ARROW "  %s = %.*f", label ? label : "", d, b);
    if (out != nullptr && out_size > 0) {
        const size_t n = std::min(text.size(), out_size - 1);
        std::memcpy(out, text.data(), n);
        out[n] = '\0';
    }
    return holds;
}

int OLI_Write_Check_Line(FILE* stream, const char* label, double a, const char* relation, double b,
                         int decimals, const char* text, const char* ok_text, const char* failed_text) {
    const int d = Safe_Decimals(decimals);
    const int holds = OLI_Relation_Holds(a, relation, b, d);
    const char* bold = holds ? "" : OLI_SEQ_BOLD;
    const std::string comparison = Format("%.*f %c %.*f", d, a, Get_Compare_Sign(a, b, d), d, b);
    const std::string line = Format("%s %s%s" OLI_SEQ_RESET " %s %s%s", label ? label : "", bold,
                                    comparison.c_str(), text ? text : "", bold,
                                    holds ? (ok_text ? ok_text : "") : (failed_text ? failed_text : ""));
    const bool ok = holds || failed_text == nullptr || *failed_text == '\0';
    OLI_Write_Line_Flagged(stream, line.c_str(), ok ? 1 : 0);
    return holds;
}

// ---------------------------------------------------------------------------------
// Columns

namespace {

struct Column_State {
    int32_t style = 7;
    int32_t count = 0;
    int32_t current = -1;
    int32_t first_at_margin = 0;
    int32_t open = 0;
    int32_t pending_close = 0;
    std::vector<double> positions;
};
Column_State columns;

// Text style and tab stops of the columns for the paragraphs that follow.
void Apply_Column_Layout() {
    OLI_Set_Text_Style(columns.style);
    const int n = columns.count;
    if (columns.first_at_margin)
        OLI_Set_Tab_Stops(2, nullptr, columns.positions.data() + 1, n - 1);
    else
        OLI_Set_Tab_Stops(2, nullptr, columns.positions.data(), n);
}

void Reset_Columns() {
    columns.count = 0;
    columns.current = -1;
    columns.first_at_margin = 0;
    columns.open = 0;
    columns.pending_close = 0;
    columns.positions.clear();
}

void Write_Cell_Text(FILE* stream, const std::string& text) {
    if (columns.pending_close) {
        // The columns were begun anew while the old ones were open: end the old block here,
        // where a stream is at hand, and give the new columns their tab stops again (the
        // block end cleared them).
        OLI_End_Text_Block(stream);
        columns.pending_close = 0;
        Apply_Column_Layout();
    }
    std::string cell = text.size() > COLUMN_CELL_MAX ? text.substr(0, COLUMN_CELL_MAX) : text;
    OLI_Set_Text_Style(columns.style);
    const bool at_margin = columns.current == 0 && columns.first_at_margin;
    const bool last = columns.current >= columns.count - 1;
    OLI_Printf(stream, "%s%s%s", at_margin ? "" : OLI_SEQ_TAB, cell.c_str(), last ? "\n" : "");
    columns.current = last ? 0 : columns.current + 1;
}

std::string Compare_Text(const char* format_a, double a, char sign, const char* format_b, double b) {
    return Format_Double(format_a, a) + Format(" %c ", sign) + Format_Double(format_b, b);
}

}  // namespace

void OLI_Set_Column_Style(int style) { columns.style = style; }

int OLI_Get_Column_Style() { return columns.style; }

int OLI_Columns_Open() { return columns.open; }

void OLI_Begin_Columns(int n, const double* positions) {
    if (n < 1 || positions == nullptr) return;
    n = std::min(n, OLI_Report_Format::max_tab_stops + 1);
    const bool was_open = columns.open != 0;
    columns.positions.assign(positions, positions + n);
    columns.count = n;
    columns.first_at_margin = Round_To_Decimals(positions[0], 2) == 0.0 ? 1 : 0;
    columns.open = 1;
    columns.current = 0;
    if (was_open)
        columns.pending_close = 1;
    else
        Apply_Column_Layout();
}

void OLI_Begin_Columns_2(double first, double second) {
    const double positions[2] = {first, second};
    OLI_Begin_Columns(2, positions);
}

void OLI_Begin_Columns_3(double first, double second, double third) {
    const double positions[3] = {first, second, third};
    OLI_Begin_Columns(3, positions);
}

void OLI_Write_Column_Cell(FILE* stream, const char* format, ...) {
    if (stream == nullptr || !columns.open) return;
    va_list args;
    va_start(args, format);
    const std::string text = Vformat(format, args);
    va_end(args);
    Write_Cell_Text(stream, text);
}

void OLI_Write_Column_Row_3(FILE* stream, const char* first, const char* second, const char* format, ...) {
    if (stream == nullptr || !columns.open) return;
    va_list args;
    va_start(args, format);
    const std::string third = Vformat(format, args);
    va_end(args);
    Write_Cell_Text(stream, first ? first : "");
    Write_Cell_Text(stream, second ? second : "");
    Write_Cell_Text(stream, third);
}

void OLI_Write_Compare_Row(FILE* stream, const char* first, const char* second, const char* format_a, double a,
                           char sign, const char* format_b, double b) {
    if (stream == nullptr || !columns.open) return;
    Write_Cell_Text(stream, first ? first : "");
    Write_Cell_Text(stream, second ? second : "");
    Write_Cell_Text(stream, Compare_Text(format_a, a, sign, format_b, b));
}

void OLI_Write_Compare_Row_Marked(FILE* stream, const char* first, const char* second, const char* format_a,
                                  double a, char sign, const char* format_b, double b, int ok, const char* text) {
    if (ok) {
        OLI_Write_Compare_Row(stream, first, second, format_a, a, sign, format_b, b);
        return;
    }
    if (stream == nullptr || !columns.open) return;
    const std::string third = OLI_SEQ_BOLD + Format_Double(format_a, a) + OLI_SEQ_BOLD + Format(" %c ", sign) +
                              OLI_SEQ_BOLD + Format_Double(format_b, b) + OLI_SEQ_BOLD + "  " + (text ? text : "");
    Write_Cell_Text(stream, first ? first : "");
    Write_Cell_Text(stream, second ? second : "");
    Write_Cell_Text(stream, third);
    // The bold "!!" stands at the right edge, on the row just written.
    OLI_Add_Paragraph_Space(-0.38);
    const double indent = OLI_Get_Text_Indent();
    OLI_Set_Text_Indent(OLI_Get_Text_Width());
    OLI_Printf(stream, "%s", OLI_SEQ_BOLD "!!\n");
    OLI_Set_Text_Indent(indent);
}

void OLI_Add_Line_Space(FILE* stream, double lines) {
    if (stream == nullptr) return;
    OLI_Add_Paragraph_Space(lines * 0.38);
}

void OLI_End_Columns(FILE* stream) {
    OLI_End_Text_Block(stream);
    Reset_Columns();
}

// ---------------------------------------------------------------------------------
// In-cell drawing

void OLI_Cell_Rule(FILE* stream, double weight) {
    const double w = Clamp_Unit(weight);
    Write_If_Open(stream, " " OLI_CTL "{" OLI_CTL "L 0 -1 -1 %f %f }", w, w);
}

void OLI_Cell_Double_Rule(FILE* stream, double weight) {
    const double w1 = Clamp_Unit(weight - 0.1);
    const double w2 = Clamp_Unit(weight + 0.1);
    Write_If_Open(stream, " " OLI_CTL "{" OLI_CTL "L 0 -1 -1 %f %f } ", w1, w1);
    Write_If_Open(stream, " " OLI_CTL "{" OLI_CTL "L 0 -1 -1 %f %f } ", w2, w2);
}

void OLI_Cell_Line(FILE* stream, double x1, double y1, double a, double b) {
    Write_If_Open(stream, " " OLI_CTL "{" OLI_CTL "L 0 %f %f %f %f } ", x1, y1, Clamp_Unit(a), Clamp_Unit(b));
}

void OLI_Cell_Rectangle(FILE* stream, int pattern, double x1, double y1, double a, double b) {
    a = Clamp_Unit(a);
    b = Clamp_Unit(b);
    if (a > b) std::swap(a, b);
    Write_If_Open(stream, " " OLI_CTL "{" OLI_CTL "R %d %f %f %f %f } ", pattern, x1, y1, a, b);
}

void OLI_Cell_Fill(FILE* stream, int pattern) {
    Write_If_Open(stream, " " OLI_CTL "{" OLI_CTL "R %d -1 -1 -1 -1} ", pattern);
}

// ---------------------------------------------------------------------------------
// Load combinations

namespace {

const char* combination_names = nullptr;
int combination_name_width = 0;
int combination_name_count = 0;

constexpr size_t NAME_SLOT = 30;        // names and situations: at most 29 characters
constexpr size_t FACTOR_SLOT = 76;      // factor texts: at most 75 characters
constexpr int COMBINATION_COLUMNS = 7;  // columns the combination table declares

template <typename T>
T* Alloc_Array(size_t n) {
    if (n == 0) return nullptr;
    return static_cast<T*>(Realloc_Or_Exit(nullptr, n * sizeof(T), 1));
}

std::string Factor_Text(double factor) {
    return Format_Number_Text(factor, 20, 2, 5, 0x372);
}

std::string Case_Name(const OLI_Combination_Record* record, int k, OLI_Case_Name_Function case_name) {
    const int number = record->case_numbers != nullptr ? record->case_numbers[k] : k + 1;
    const char* name = case_name != nullptr ? case_name(number) : nullptr;
    if (name != nullptr && *name != '\0') return name;
    return Format("Lf%d", number);
}

// At most max_bytes of a report text, its control sequences kept whole; a cut text ends
// every open style.
std::string Cut_Report_Text(const std::string& text, size_t max_bytes) {
    if (text.size() <= max_bytes) return text;
    const std::string reset = OLI_SEQ_RESET;
    const size_t room = max_bytes >= reset.size() ? max_bytes - reset.size() : 0;
    size_t whole = 0;
    while (whole < text.size()) {
        const size_t unit = Unit_Length(text.c_str() + whole);
        if (whole + unit > room) break;
        whole += unit;
    }
    return text.substr(0, whole) + (max_bytes >= reset.size() ? reset : std::string());
}

void Store_Slot(std::vector<char>& slots, size_t slot, int i, const std::string& text) {
    const std::string cut = Cut_Report_Text(text, slot - 1);
    std::memcpy(slots.data() + static_cast<size_t>(i) * slot, cut.c_str(), cut.size() + 1);
}

}  // namespace

void Init_Combination_Record(int cases, int combinations, OLI_Combination_Record* record) {
    if (record == nullptr) return;
    cases = std::max(cases, 0);
    combinations = std::max(combinations, 0);
    *record = OLI_Combination_Record{};
    record->case_count = cases;
    record->flag = 1;
    record->count = cases;
    record->case_numbers = Alloc_Array<int32_t>(static_cast<size_t>(cases));
    for (int k = 0; k < cases; ++k) record->case_numbers[k] = k + 1;
    record->combination_count = combinations;
    record->combinations = Alloc_Array<OLI_Combination>(static_cast<size_t>(combinations));
    for (int i = 0; i < combinations; ++i) {
        OLI_Combination& c = record->combinations[i];
        c.factors_1 = Alloc_Array<double>(static_cast<size_t>(cases));
        c.factors_2 = Alloc_Array<double>(static_cast<size_t>(cases));
        for (int k = 0; k < cases; ++k) c.factors_1[k] = c.factors_2[k] = 1.0;
    }
}

void Free_Combination_Record(OLI_Combination_Record* record) {
    if (record == nullptr) return;
    if (record->combinations != nullptr) {
        for (int i = 0; i < record->combination_count; ++i) {
            Free_And_Null(reinterpret_cast<void**>(&record->combinations[i].factors_1));
            Free_And_Null(reinterpret_cast<void**>(&record->combinations[i].factors_2));
        }
    }
    Free_And_Null(reinterpret_cast<void**>(&record->combinations));
    Free_And_Null(reinterpret_cast<void**>(&record->case_numbers));
    *record = OLI_Combination_Record{};
}

void Set_Combination_Names(const char* names, int width, int count) {
    combination_names = names;
    combination_name_width = names != nullptr ? std::max(width, 0) : 0;
    combination_name_count = names != nullptr ? std::max(count, 0) : 0;
}

const char* Get_Combination_Name(int i) {
    static std::string name;
    if (combination_names == nullptr || i < 0 || i >= combination_name_count || combination_name_width < 1)
        return "???";
    const char* entry = combination_names + static_cast<size_t>(i) * static_cast<size_t>(combination_name_width);
    name.assign(entry, strnlen(entry, static_cast<size_t>(combination_name_width)));
    return name.c_str();
}

std::string OLI_Combination_Factor_Text(const OLI_Combination_Record* record, int i,
                                        OLI_Case_Name_Function case_name) {
    if (record == nullptr || record->combinations == nullptr || i < 0 || i >= record->combination_count)
        return std::string();
    const OLI_Combination& c = record->combinations[i];
    const int n = record->case_count;
    if (n < 1 || c.factors_1 == nullptr || c.factors_2 == nullptr) return std::string();

    std::vector<std::string> f1(static_cast<size_t>(n)), f2(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        f1[static_cast<size_t>(k)] = Factor_Text(c.factors_1[k]);
        f2[static_cast<size_t>(k)] = Factor_Text(c.factors_2[k]);
    }
    // Factors are compared as they are printed; a factor of 1 is not written.
    auto factors = [&](int k) {
        std::string text;
        for (const std::string* f : {&f1[static_cast<size_t>(k)], &f2[static_cast<size_t>(k)]})
            if (*f != "1") text += *f + OLI_SEQ_SUP "." OLI_SEQ_RESET;
        return text;
    };

    std::vector<bool> done(static_cast<size_t>(n), false);
    std::string text;
    for (int k = 0; k < n; ++k) {
        if (done[static_cast<size_t>(k)]) continue;
        done[static_cast<size_t>(k)] = true;
        const std::string common = factors(k);
        if (common.empty()) {
            text += Case_Name(record, k, case_name) + "+";
            continue;
        }
        std::vector<int> group{k};
        for (int j = k + 1; j < n; ++j) {
            if (!done[static_cast<size_t>(j)] && f1[static_cast<size_t>(j)] == f1[static_cast<size_t>(k)] &&
                f2[static_cast<size_t>(j)] == f2[static_cast<size_t>(k)]) {
                done[static_cast<size_t>(j)] = true;
                group.push_back(j);
            }
        }
        text += common;
        if (group.size() > 1) {
            text += "(";
            for (size_t g = 0; g < group.size(); ++g) {
                if (g > 0) text += '+';
                text += Case_Name(record, group[g], case_name);
            }
            text += ")+";
        } else {
            text += Case_Name(record, k, case_name) + "+";
        }
    }
    if (!text.empty()) text.pop_back();
    return text;
}

void OLI_Write_Combination_Table(FILE* stream, const OLI_Combination_Record* record,
                                 OLI_Situation_Text_Function situation_text, OLI_Case_Name_Function case_name) {
    if (stream == nullptr || record == nullptr || record->combinations == nullptr || record->combination_count < 1)
        return;
    const int m = record->combination_count;
    std::vector<char> names(static_cast<size_t>(m) * NAME_SLOT, '\0');
    std::vector<char> situations(static_cast<size_t>(m) * NAME_SLOT, '\0');
    std::vector<char> factors(static_cast<size_t>(m) * FACTOR_SLOT, '\0');
    int name_width = 0, situation_width = 0, factor_width = 0;
    for (int i = 0; i < m; ++i) {
        Store_Slot(names, NAME_SLOT, i, Get_Combination_Name(i));
        const char* situation =
            situation_text != nullptr ? situation_text(i, record->combinations[i].situation) : nullptr;
        Store_Slot(situations, NAME_SLOT, i, situation != nullptr ? situation : "");
        Store_Slot(factors, FACTOR_SLOT, i, OLI_Combination_Factor_Text(record, i, case_name));
        name_width = std::max(name_width, MT_String_Length(&names[static_cast<size_t>(i) * NAME_SLOT]));
        situation_width =
            std::max(situation_width, MT_String_Length(&situations[static_cast<size_t>(i) * NAME_SLOT]));
        factor_width = std::max(factor_width, MT_String_Length(&factors[static_cast<size_t>(i) * FACTOR_SLOT]));
    }

    std::vector<OliTabelle_Column> table;
    auto add = [&](const char* head, const char* type, int width, int decimals, const void* values) {
        OliTabelle_Column column;
        OliTabelle_Init_Column(&column);
        std::snprintf(column.head, sizeof column.head, "%s", head);
        std::snprintf(column.type, sizeof column.type, "%s", type);
        column.width = width;
        column.decimals = decimals;
        column.values = values;
        table.push_back(column);
    };
    add("LK", "ZZ", 3, 0, nullptr);
    if (!record->hide_names) add("Bezeichnung", "TXT", name_width + 1, static_cast<int>(NAME_SLOT), names.data());
    if (!record->hide_situations)
        add("Bemessungssit.", "TXT", situation_width + 1, static_cast<int>(NAME_SLOT), situations.data());
    add("Faktorisierung", "TXT", factor_width + 1, static_cast<int>(FACTOR_SLOT), factors.data());

    oli_table_declared_columns = std::max(oli_table_declared_columns, static_cast<int32_t>(COMBINATION_COLUMNS));
    // The layout flags belong before the table block, not inside an open paragraph block.
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);
    if (m > 10) OLI_setFlags(stream, 0x280);
    OliTabelle(stream, static_cast<int>(table.size()), m, table.data(), nullptr, nullptr, 0,
               record->compact ? 9 : 1, nullptr, nullptr, 0, nullptr);
    OLI_setFlags(stream, 0x380);
}
