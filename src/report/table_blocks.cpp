#include "report/table_blocks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/numeric.h"
#include "base/utilities.h"
#include "report/cell_texts.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"
#include "report/text_writer.h"
#include "base/message_sink.h"

int32_t oli_table_declared_columns = 0;

namespace {

// The table cannot be built: the caller declared fewer columns than it hands over. The
// table is left out; the report and the run go on.
constexpr const char* TOO_FEW_COLUMNS =
    "Fehler in Funktion 'OliTabelle': zu wenig Spalten allociert! -> Tabelle wird nicht ausgegeben";

constexpr size_t HEAD_LINE_MAX = 399;
constexpr int MAX_FIELD = 1000;  // characters of one column at most
constexpr int NOTE_GROWTH = 5;

int32_t table_row_limit = 100;

// Set by OliTabelle_Simple for the one call it makes.
const int32_t* writer_group_rules = nullptr;
int writer_reference_column = -1;

struct Table_Note {
    int32_t id;
    char key[OLI_TABLE_NOTE_KEY_MAX + 1];
    char text[OLI_TABLE_NOTE_TEXT_MAX + 1];
    int32_t uses;
};
Table_Note* notes = nullptr;
int note_count = 0;
int note_capacity = 0;

template <size_t N>
std::string Field_Text(const char (&text)[N]) {
    return std::string(text, strnlen(text, N));
}

void End_Open_Text_Block(FILE* stream) {
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);
}

std::string Format_Width(double width) {
    char text[64];
    std::snprintf(text, sizeof text, " %f", width);
    return text;
}

// A text written as one line of a block: line ends would break the block's line count.
std::string One_Line(const char* text) {
    std::string line = text != nullptr ? text : "";
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

// At most max_bytes of a report text without splitting a control sequence.
std::string Cut_Line(const std::string& text, size_t max_bytes) {
    if (text.size() <= max_bytes) return text;
    size_t whole = 0;
    while (whole < text.size()) {
        size_t unit = 1;
        if (static_cast<unsigned char>(text[whole]) == OLI_Report_Format::control_byte && whole + 1 < text.size())
            unit = 2;
        if (whole + unit > max_bytes) break;
        whole += unit;
    }
    return text.substr(0, whole);
}

std::string Centred(const char* text, int width) {
    const std::string t = text != nullptr ? One_Line(text) : std::string();
    const int visible = Visible_Text_Length(t.c_str());
    const int room = std::max(width - visible, 0);
    const int left = room / 2;
    return std::string(OLI_SEQ_RESET) + std::string(static_cast<size_t>(left), ' ') + t +
           std::string(static_cast<size_t>(room - left), ' ');
}

bool Is_Code(const OliTabelle_Column& c, const char* code) {
    return strncmp(c.type, code, sizeof c.type) == 0;
}

bool Is_Number_Column(const OliTabelle_Column& c) { return Is_Text_Column(&c) != 0; }

// Bytes of one text slot of a text column; 0 when the column tells none.
size_t Text_Slot(const OliTabelle_Column& c) {
    if (c.stride > 0) return static_cast<size_t>(c.stride);
    if (c.decimals > 0) return static_cast<size_t>(c.decimals);
    return Is_Code(c, "CHAR") ? 1 : 0;
}

// Address of the row's value in the caller's array, or null when there is none.
const void* Value_Address(const OliTabelle_Column& c, int row) {
    if (c.values == nullptr || Is_Code(c, "ZZ")) return nullptr;
    size_t step = 0;
    if (Is_Code(c, "TXT") || Is_Code(c, "CHAR"))
        step = Text_Slot(c);
    else if (c.stride > 0)
        step = static_cast<size_t>(c.stride);
    else
        step = Is_Code(c, "GEW") ? sizeof(OLI_Bar_Record) : sizeof(double);
    if (step == 0) return nullptr;
    return static_cast<const unsigned char*>(c.values) + static_cast<size_t>(row) * step;
}

double Raw_Value(const OliTabelle_Column& c, int row) {
    const void* address = Value_Address(c, row);
    if (address == nullptr) return OLI_MARK_EMPTY;
    double v = 0.0;
    std::memcpy(&v, address, sizeof v);
    return v;
}

bool Is_Marker_Value(double v) {
    return OLI_Is_Marker(v, OLI_MARK_INFINITY) || OLI_Is_Marker(v, OLI_MARK_MINUS_INFINITY) ||
           OLI_Is_Non_Number_Marker(v);
}

// The column's values with the factor applied (markers stay markers).
std::vector<double> Column_Values(const OliTabelle_Column& c, int rows) {
    std::vector<double> values(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const double v = Raw_Value(c, r);
        values[static_cast<size_t>(r)] = Is_Marker_Value(v) ? v : v * c.factor;
    }
    return values;
}

bool Is_Number(double v) { return !std::isnan(v) && !OLI_Is_Non_Number_Marker(v); }

int Sign_Of(double v) { return v > 0.0 ? 1 : (v < 0.0 ? -1 : 0); }

// Text by which two rows of the reference column are compared.
std::string Reference_Key(const OliTabelle_Column& c, int row) {
    if (Is_Number_Column(c)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", std::clamp(static_cast<int>(c.decimals), 0, 15),
                      Round_To_Decimals(Raw_Value(c, row), std::clamp(static_cast<int>(c.decimals), 0, 15)));
        return text;
    }
    if (Is_Code(c, "ZZ")) return std::to_string(row);
    const void* address = Value_Address(c, row);
    if (address == nullptr) return std::string();
    if (Is_Code(c, "GEW")) {
        OLI_Bar_Record bar{};
        std::memcpy(&bar, address, sizeof bar);
        return std::to_string(bar.count) + "/" + std::to_string(bar.per_bundle) + "/" +
               std::to_string(bar.diameter_index);
    }
    const size_t slot = Text_Slot(c);
    const char* s = static_cast<const char*>(address);
    return std::string(s, strnlen(s, slot > 0 ? slot : 1000));
}

// Step 4 of the generator: which rows are written.
std::vector<int> Mark_Rows(const std::vector<OliTabelle_Column>& columns, int rows, const int32_t* row_filter,
                           int options) {
    std::vector<int> marked(static_cast<size_t>(rows), 1);
    if (options & (OLI_TABLE_SELECT_ROWS | OLI_TABLE_EXTREMES_ONLY)) {
        std::fill(marked.begin(), marked.end(), 0);
        auto mark = [&](int r) {
            if (r >= 0 && r < rows) marked[static_cast<size_t>(r)] = 1;
        };
        const int reference = writer_reference_column;
        const bool with_reference = reference >= 0 && reference < static_cast<int>(columns.size());
        for (size_t ci = 0; ci < columns.size(); ++ci) {
            const OliTabelle_Column& c = columns[ci];
            if (!Is_Number_Column(c)) continue;
            const std::vector<double> values = Column_Values(c, rows);
            mark(Find_Flagged_Extreme(0, rows, values.data(), nullptr));
            mark(Find_Flagged_Extreme(1, rows, values.data(), nullptr));
            if (!(options & OLI_TABLE_SELECT_ROWS)) continue;

            // Turning points and changes of sign, at the column's decimals; rows holding a
            // marker are passed over.
            const int d = std::clamp(static_cast<int>(c.decimals), 0, 15);
            int previous = -1;
            int last_direction = 0;
            for (int r = 0; r < rows; ++r) {
                if (!Is_Number(values[static_cast<size_t>(r)])) continue;
                const double v = Round_To_Decimals(values[static_cast<size_t>(r)], d);
                if (previous >= 0) {
                    const double pv = Round_To_Decimals(values[static_cast<size_t>(previous)], d);
                    const int direction = v > pv ? 1 : (v < pv ? -1 : 0);
                    if (direction != 0) {
                        if (last_direction != 0 && direction != last_direction) mark(previous);
                        last_direction = direction;
                    }
                    if (Sign_Of(v) != Sign_Of(pv)) {
                        mark(previous);
                        mark(r);
                    }
                }
                previous = r;
            }

            if (with_reference && static_cast<int>(ci) != reference) {
                const OliTabelle_Column& ref = columns[static_cast<size_t>(reference)];
                for (int r = 1; r < rows; ++r) {
                    const double a = values[static_cast<size_t>(r - 1)];
                    const double b = values[static_cast<size_t>(r)];
                    if (!Is_Number(a) || !Is_Number(b)) continue;
                    if (Round_To_Decimals(a, d) == Round_To_Decimals(b, d)) continue;
                    if (Reference_Key(ref, r - 1) != Reference_Key(ref, r)) continue;
                    mark(r - 1);
                    mark(r);
                }
            }
        }
        if (options & OLI_TABLE_SELECT_ROWS) {
            mark(0);
            mark(rows - 1);
        }
    }
    if (row_filter != nullptr)
        for (int r = 0; r < rows; ++r)
            if (row_filter[r] == 0) marked[static_cast<size_t>(r)] = 0;
    return marked;
}

// The rows of a column's cells that carry the marking code (among the written rows).
std::vector<int> Marked_Extremes(const OliTabelle_Column& c, int code, int rows, const std::vector<int>& marked) {
    std::vector<int> cells(static_cast<size_t>(rows), 0);
    if (code == 0 || !Is_Number_Column(c)) return cells;
    const std::vector<double> values = Column_Values(c, rows);
    auto mark_mode = [&](int mode) {
        const int r = Find_Flagged_Extreme(mode, rows, values.data(), marked.data());
        if (r >= 0) cells[static_cast<size_t>(r)] = 1;
    };
    switch (code) {
        case 1: mark_mode(0); break;
        case -1: mark_mode(1); break;
        case 2: mark_mode(2); break;
        case -2: mark_mode(3); break;
        case 3: mark_mode(0); mark_mode(1); break;
        default: break;
    }
    return cells;
}

void Write_Text(FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

}  // namespace

// ---------------------------------------------------------------------------------
// Column records

void OliTabelle_Init_Column(OliTabelle_Column* column) {
    if (column == nullptr) return;
    *column = OliTabelle_Column{};
    std::strcpy(column->head, "Nr");
    std::strcpy(column->type, "ZZ");
    column->width = 4;
    column->decimals = 0;
    column->values = nullptr;
    column->stride = -1;
    column->factor = 1.0;
    column->row_notes = nullptr;
    column->separator = 1;
}

void OliTabelle_Alloc_Columns(int count, OliTabelle_Column** array) {
    if (array == nullptr || count < 1) return;
    *array = static_cast<OliTabelle_Column*>(
        Realloc_Or_Exit(*array, static_cast<size_t>(count) * sizeof(OliTabelle_Column), 1));
    for (int i = 0; i < count; ++i) OliTabelle_Init_Column(&(*array)[i]);
    oli_table_declared_columns = count;
}

int Is_Text_Column(const OliTabelle_Column* column) {
    if (column == nullptr) return 0;
    for (const char* code : {"TXT", "CHAR", "GEW", "ZZ"})
        if (Is_Code(*column, code)) return 0;
    return 1;
}

void OLI_Set_Table_Row_Limit(int rows) { table_row_limit = rows; }

// ---------------------------------------------------------------------------------
// The generator

int OliTabelle(FILE* stream, int column_count, int row_count, const OliTabelle_Column* caller_columns,
               const int32_t* row_filter, const int32_t* row_rules, int selection, int options,
               const int32_t* title_counts, const char* const* title_lines, int further_count,
               const char* const* further_lines) {
    (void)selection;  // every caller passes 0
    if (stream == nullptr || column_count < 1 || row_count < 1 || caller_columns == nullptr) return 0;
    if (column_count > oli_table_declared_columns) {
        Msg_Set_Mode(MSG_MODE_SHOW);
        Msg_Show("%s", TOO_FEW_COLUMNS);
        return 1;
    }
    const std::vector<OliTabelle_Column> columns(caller_columns, caller_columns + column_count);
    const int rows = row_count;
    const size_t n = columns.size();
    // The caller's texts, each read only within its array.
    std::vector<std::string> heads(n), uppers(n), types(n);
    for (size_t c = 0; c < n; ++c) {
        heads[c] = Field_Text(columns[c].head);
        uppers[c] = Field_Text(columns[c].upper_head);
        types[c] = Field_Text(columns[c].type);
    }

    End_Open_Text_Block(stream);

    // Layout flags.
    if (options & OLI_TABLE_KEEP_TOGETHER) {
        OLI_setFlags(stream, 0x380);
    } else {
        if (options & OLI_TABLE_LAYOUT_FLAGS) OLI_setFlags(stream, 0x280);
        if (rows >= table_row_limit) OLI_setFlags(stream, 0x280);
    }

    const std::vector<int> marked = Mark_Rows(columns, rows, row_filter, options);
    for (int i = 0; i < note_count; ++i) notes[i].uses = 0;

    // Widths: every cell is one blank and a field; a field is widened to its head texts,
    // so that heads and cells stay in line.
    const bool unit_line = !(options & OLI_TABLE_ONE_HEAD_LINE);
    const int note_width = OLI_Widest_Table_Note_Key();
    std::vector<int> field(n), cell(n);
    for (size_t c = 0; c < n; ++c) {
        int w = std::clamp(static_cast<int>(columns[c].width), 1, MAX_FIELD);
        w = std::max(w, Visible_Text_Length(heads[c].c_str()));
        if (unit_line && Is_Number_Column(columns[c])) w = std::max(w, Visible_Text_Length(types[c].c_str()));
        field[c] = std::min(w, MAX_FIELD);
    }
    auto notes_of = [&](size_t c) { return columns[c].row_notes != nullptr ? note_width : 0; };
    auto shares = [&](size_t c) { return c > 0 && uppers[c][0] == '='; };
    // Column groups under one upper head; the upper head widens the group's last column.
    std::vector<std::pair<size_t, size_t>> groups;  // first column, one past the last
    for (size_t c = 0; c < n; ++c) {
        if (shares(c))
            groups.back().second = c + 1;
        else
            groups.emplace_back(c, c + 1);
    }
    for (const auto& g : groups) {
        int width = 0;
        for (size_t c = g.first; c < g.second; ++c) width += field[c] + 1 + notes_of(c);
        const int upper = std::min(Visible_Text_Length(uppers[g.first].c_str()) + 1, MAX_FIELD);
        if (upper > width) field[g.second - 1] += upper - width;
    }
    for (size_t c = 0; c < n; ++c) cell[c] = field[c] + 1 + notes_of(c);

    // Opening and title lines.
    if (!(options & OLI_TABLE_NO_STEPS)) OLI_setYPositionCM(stream, 1, 0.1f);
    if (title_counts == nullptr) {
        std::fputs("#SHOWTABLE\n 0 0 0\n", stream);
    } else {
        const int a = std::max(title_counts[0], 0), b = std::max(title_counts[1], 0),
                  c = std::max(title_counts[2], 0);
        std::fprintf(stream, "#SHOWTABLE\n %d %d %d\n", a, b, c);
        for (int i = 0; i < a + b + c; ++i)
            std::fprintf(stream, " %s\n", One_Line(title_lines != nullptr ? title_lines[i] : nullptr).c_str());
    }

    // Column-format line and widths.
    int separated = 0;
    for (size_t c = 0; c + 1 < n; ++c)
        if (columns[c].separator) ++separated;
    std::fprintf(stream, " %d %d -1 -1", separated, unit_line ? 1 : 0);
    if (n > 1) std::fprintf(stream, " %d", static_cast<int>(groups.size()));
    if (options & OLI_TABLE_CONTINUED_FORMAT) std::fprintf(stream, " 0 0 0 0 0 0 0 %d", 2);
    std::fputs("\n", stream);
    if (n > 1) {
        std::string widths;
        for (const auto& g : groups) {
            int width = 0;
            for (size_t c = g.first; c < g.second; ++c) width += cell[c];
            widths += Format_Width(width);
        }
        Write_Text(stream, widths + "\n");
    }

    // Head lines: the line's leading blank stands in for the first cell's.
    auto head_line = [&](const std::string& pieces) {
        Write_Text(stream, Cut_Line(" " + pieces, HEAD_LINE_MAX) + "\n");
    };
    bool any_upper = false;
    for (size_t c = 0; c < n; ++c)
        if (!uppers[c].empty() && !shares(c)) any_upper = true;
    if (any_upper) {
        std::string pieces;
        for (const auto& g : groups) {
            int width = 0;
            for (size_t c = g.first; c < g.second; ++c) width += cell[c];
            if (g.first == 0) --width;
            pieces += Centred(uppers[g.first].c_str(), width);
        }
        head_line(pieces);
    }
    {
        std::string pieces;
        for (size_t c = 0; c < n; ++c) {
            pieces += Centred(heads[c].c_str(), cell[c] - (c == 0 ? 1 : 0));
        }
        head_line(pieces);
    }
    if (unit_line) {
        std::string pieces;
        for (size_t c = 0; c < n; ++c) {
            const std::string unit = Is_Number_Column(columns[c]) ? types[c] : std::string();
            pieces += Centred(unit.c_str(), cell[c] - (c == 0 ? 1 : 0));
        }
        head_line(pieces);
    }

    // Body.
    std::vector<std::vector<int>> bold(n), underline(n);
    for (size_t c = 0; c < n; ++c) {
        bold[c] = Marked_Extremes(columns[c], columns[c].bold_marking, rows, marked);
        underline[c] = Marked_Extremes(columns[c], columns[c].underline_marking, rows, marked);
    }
    int last_written = -1;
    for (int r = 0; r < rows; ++r)
        if (marked[static_cast<size_t>(r)]) last_written = r;
    for (int r = 0; r < rows; ++r) {
        if (!marked[static_cast<size_t>(r)]) continue;
        std::string line;
        for (size_t c = 0; c < n; ++c) {
            const OliTabelle_Column& col = columns[c];
            const bool text_column = !Is_Number_Column(col) && !Is_Code(col, "ZZ") && !Is_Code(col, "GEW");
            const int decimals = text_column ? static_cast<int>(Text_Slot(col)) : col.decimals;
            const int note = col.row_notes != nullptr ? col.row_notes[r] : OLI_NO_NOTE_ID;
            line += OLI_Format_Cell_Text(types[c].c_str(), Value_Address(col, r), r, field[c], decimals, col.factor,
                                         underline[c][static_cast<size_t>(r)], bold[c][static_cast<size_t>(r)],
                                         note);
        }
        Write_Text(stream, line);
        if (r != last_written) {
            if (writer_group_rules != nullptr && writer_group_rules[r]) OLI_Cell_Rule(stream, 0.5);
            if (row_rules != nullptr && row_rules[r]) OLI_Cell_Rule(stream, 1.0);
        }
        std::fputs("\n", stream);
    }

    // Sum row.
    bool any_sum = false;
    for (const OliTabelle_Column& c : columns)
        if (Is_Number_Column(c) && c.sum_flag) any_sum = true;
    if (any_sum) {
        std::string line;
        bool sign_placed = false;
        for (size_t c = 0; c < n; ++c) {
            const OliTabelle_Column& col = columns[c];
            if (Is_Number_Column(col) && col.sum_flag) {
                double sum = 0.0;
                bool undetermined = false;
                for (int r = 0; r < rows; ++r) {
                    const double v = Raw_Value(col, r);
                    if (OLI_Is_Marker(v, OLI_MARK_NOT_DETERMINED)) undetermined = true;
                    if (std::isnan(v) || OLI_Is_Non_Number_Marker(v)) continue;
                    sum += v * col.factor;
                }
                if (undetermined) sum = OLI_MARK_NOT_DETERMINED;
                std::string text =
                    OLI_Format_Cell_Text(types[c].c_str(), &sum, 0, field[c], col.decimals, 1.0, 0, 0, OLI_NO_NOTE_ID);
                text.append(static_cast<size_t>(notes_of(c)), ' ');
                line += text;
            } else {
                std::string blanks(static_cast<size_t>(cell[c]), ' ');
                if (!sign_placed) {
                    const size_t at = Is_Code(col, "ZZ") ? static_cast<size_t>(field[c]) : 1;
                    blanks[std::min(at, blanks.size() - 1)] = '\xB2';
                    sign_placed = true;
                }
                line += blanks;
            }
        }
        Write_Text(stream, line);
        OLI_Cell_Rule(stream, 0.0);
        std::fputs("\n", stream);
    }

    std::fputs("#END_OF_TEXT\n", stream);
    if (!(options & OLI_TABLE_NO_STEPS)) OLI_setYPositionCM(stream, 1, -0.4f);

    // Notes cited by the cells.
    if (note_count > 0) {
        OLI_reserveSpaceCM(stream, static_cast<float>(note_count * 0.286));
        OLI_setYPositionCM(stream, 1, -0.114f);
        const double margin = OLI_Get_Left_Margin();
        for (int i = 0; i < note_count; ++i)
            if (notes[i].uses > 0)
                OLI_Write_Comment(stream, OLI_SEQ_SUP "%s" OLI_SEQ_RESET " %s", notes[i].key, notes[i].text);
        OLI_setYPositionCM(stream, 1, 0.228f);
        OLI_Set_Left_Margin(stream, margin);
    }

    // Further lines.
    if (further_count > 0 && further_lines != nullptr) {
        OLI_reserveSpaceCM(stream, static_cast<float>(further_count * 0.286));
        OLI_setYPositionCM(stream, 1, -0.19f);
        for (int i = 0; i < further_count; ++i)
            OLI_Write_Comment(stream, "%s", further_lines[i] != nullptr ? further_lines[i] : "");
        OLI_setYPositionCM(stream, 1, 0.19f);
    }

    if (options & OLI_TABLE_LAYOUT_FLAGS) OLI_setFlags(stream, 0x380);
    return 0;
}

// ---------------------------------------------------------------------------------
// Row marks and the simple form

void Init_Row_Marks(OLI_Row_Marks* record, int rows) {
    if (record == nullptr) return;
    *record = OLI_Row_Marks{};
    if (rows > 0) {
        record->row_marks = static_cast<int32_t*>(Realloc_Or_Exit(nullptr, static_cast<size_t>(rows) * sizeof(int32_t), 0));
        for (int r = 0; r < rows; ++r) record->row_marks[r] = 1;
    }
    record->reference_column = -1;
}

void Free_Row_Marks(OLI_Row_Marks* record) {
    if (record == nullptr) return;
    Free_And_Null(reinterpret_cast<void**>(&record->row_marks));
    Free_And_Null(reinterpret_cast<void**>(&record->row_rules));
    Free_And_Null(reinterpret_cast<void**>(&record->group_rules));
    *record = OLI_Row_Marks{};
    record->reference_column = -1;
}

int OliTabelle_Simple(FILE* stream, int row_count, int column_count, const OliTabelle_Column* columns,
                      const OLI_Row_Marks* marks) {
    OLI_Row_Marks fresh{};
    const bool own = marks == nullptr;
    if (own) {
        Init_Row_Marks(&fresh, row_count);
        marks = &fresh;
    }
    writer_group_rules = marks->group_rules;
    writer_reference_column = marks->reference_column;
    const int result = OliTabelle(stream, column_count, row_count, columns, marks->row_marks, marks->row_rules, 0,
                                  marks->options, nullptr, nullptr, marks->further_count, marks->further_lines);
    writer_group_rules = nullptr;
    writer_reference_column = -1;
    if (own) Free_Row_Marks(&fresh);
    return result;
}

// ---------------------------------------------------------------------------------
// Table notes

int OLI_Add_Table_Note(int id, const char* key, const char* text) {
    char k[OLI_TABLE_NOTE_KEY_MAX + 1] = {};
    std::snprintf(k, sizeof k, "%s", key != nullptr ? key : "");
    for (int i = 0; i < note_count; ++i)
        if (notes[i].id == id || std::strcmp(notes[i].key, k) == 0) return note_count;
    if (note_count == note_capacity) {
        note_capacity += NOTE_GROWTH;
        notes = static_cast<Table_Note*>(
            Realloc_Or_Exit(notes, static_cast<size_t>(note_capacity) * sizeof(Table_Note), 0));
    }
    Table_Note& note = notes[note_count];
    note = Table_Note{};
    note.id = id;
    std::memcpy(note.key, k, sizeof k);
    std::snprintf(note.text, sizeof note.text, "%s", text != nullptr ? text : "");
    return ++note_count;
}

int OLI_Count_Table_Notes() { return note_count; }

void OLI_Clear_Table_Notes() {
    Free_And_Null(reinterpret_cast<void**>(&notes));
    note_count = 0;
    note_capacity = 0;
}

const char* OLI_Use_Table_Note(int id) {
    for (int i = 0; i < note_count; ++i) {
        if (notes[i].id == id) {
            ++notes[i].uses;
            return notes[i].key;
        }
    }
    return nullptr;
}

int OLI_Widest_Table_Note_Key() {
    int widest = 0;
    for (int i = 0; i < note_count; ++i) widest = std::max(widest, MT_String_Length(notes[i].key));
    return widest;
}

// ---------------------------------------------------------------------------------
// Row-wise table

void OLI_Write_Row_Table(FILE* stream, int record_count, int cell_count, const OLI_Row_Table_Record* records) {
    if (stream == nullptr || record_count < 1 || cell_count < 1 || records == nullptr) return;
    End_Open_Text_Block(stream);

    const size_t rn = static_cast<size_t>(record_count);
    const size_t cn = static_cast<size_t>(cell_count);
    std::vector<std::string> names(rn), units(rn);
    std::vector<std::vector<std::string>> cells(rn, std::vector<std::string>(cn));
    int N = 0, U = 0, W = 0;
    for (size_t i = 0; i < rn; ++i) {
        const OLI_Row_Table_Record& rec = records[i];
        const std::string name = One_Line(std::string(rec.name, strnlen(rec.name, sizeof rec.name)).c_str());
        const std::string unit = One_Line(std::string(rec.unit, strnlen(rec.unit, sizeof rec.unit)).c_str());
        const bool weight = unit == "GEW";
        names[i] = weight ? OLI_SEQ_UNDERLINE OLI_SEQ_BOLD + name + OLI_SEQ_RESET OLI_SEQ_UNDERLINE
                          : OLI_SEQ_BOLD + name + OLI_SEQ_RESET;
        units[i] = weight ? std::string() : unit;
        N = std::max(N, MT_String_Length(names[i].c_str()));
        U = std::max(U, MT_String_Length(units[i].c_str()));
        // A weight row holds plain numbers: its cells are written without unit.
        const char* type = weight ? "" : unit.c_str();
        for (size_t j = 0; j < cn; ++j) {
            double v = rec.values != nullptr ? rec.values[j] : OLI_MARK_EMPTY;
            cells[i][j] = OLI_Format_Cell_Text(type, &v, static_cast<int>(j), rec.width, rec.decimals, rec.factor,
                                               0, 0, OLI_NO_NOTE_ID);
            W = std::max(W, MT_String_Length(cells[i][j].c_str()));
        }
    }

    OLI_setYPositionCM(stream, 1, 0.1f);
    std::fprintf(stream, "#SHOWTABLE\n 0 0 0\n 0 0 -1 -1 %d\n", cell_count + 1);
    double position = N + 1;
    std::string widths = Format_Width(position);
    position = N + U + 3;
    widths += Format_Width(position);
    for (size_t j = 1; j < cn; ++j) {
        position += W + 1;
        widths += Format_Width(position);
    }
    Write_Text(stream, widths + "\n");

    for (size_t i = 0; i < rn; ++i) {
        std::string line = " " + names[i];
        line.append(static_cast<size_t>(N - MT_String_Length(names[i].c_str())), ' ');
        line += " " + units[i] + OLI_SEQ_RESET;
        line.append(static_cast<size_t>(U - MT_String_Length(units[i].c_str())), ' ');
        for (const std::string& c : cells[i]) line += c;
        Write_Text(stream, line);
        if (i + 1 < rn) OLI_Cell_Rule(stream, 1.0);
        std::fputs("\n", stream);
    }
    std::fputs("#END_OF_TEXT\n", stream);
}
