#include "base/keyword_files.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace {

constexpr int piece_size = 255;  // characters of a line read at a time
constexpr int max_columns = 20;

bool Is_Separator(char c) { return c == ' ' || c == ';' || c == '\t'; }

// Reads the next piece of a line (at most 255 characters) without its line end; *ended
// tells whether the line ended with it. False at the end of the file.
bool Read_Piece(FILE* stream, char* piece, bool* ended)
{
    if (!std::fgets(piece, piece_size + 1, stream)) return false;
    size_t n = std::strlen(piece);
    *ended = n > 0 && piece[n - 1] == '\n';
    if (*ended) piece[--n] = '\0';
    else if (n < static_cast<size_t>(piece_size)) *ended = true;  // the file's last line
    // A carriage return of a CR LF line end would otherwise end up in labels.
    if (n > 0 && piece[n - 1] == '\r') piece[--n] = '\0';
    return true;
}

// Converts one value of a data line: the token up to the next separator, a comma taken as
// the decimal point, read as a single-precision float. False when it cannot be read (an
// infinite or undefined value counts as unreadable: no force may become one); *too_large
// then tells a number beyond single precision from text that is no number.
bool Convert_Value(const char* token, size_t length, double* value, bool* too_large)
{
    char text[piece_size + 1];
    std::memcpy(text, token, length);
    text[length] = '\0';
    for (char* p = text; *p; ++p)
        if (*p == ',') *p = '.';
    float f = 0.0f;
    *too_large = false;
    if (std::sscanf(text, "%f", &f) != 1 || !std::isfinite(f)) {
        // Digits and an exponent alone: a number, only too large (1e300), unlike "inf".
        *too_large = length > 0 && std::strspn(text, "0123456789+-.eE") == length &&
                     std::strpbrk(text, "0123456789") != nullptr;
        return false;
    }
    *value = static_cast<double>(f);
    return true;
}

// The length of text without a UTF-8 sequence that its end cuts off.
size_t Without_Cut_Sequence(const char* text, size_t n)
{
    size_t k = n;
    int continuation = 0;
    while (k > 0 && continuation < 3 && (static_cast<unsigned char>(text[k - 1]) & 0xC0) == 0x80) {
        --k;
        ++continuation;
    }
    if (k == 0) return n;
    const unsigned char lead = static_cast<unsigned char>(text[k - 1]);
    const int needed = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    return needed > continuation ? k - 1 : n;
}

// Stores the label of a row: the text from p to the piece's end (the line going on beyond
// the piece when cut), UTF-8 taken in code page 850, at most width - 1 bytes.
void Store_Label(char* label, int width, const char* p, bool cut)
{
    const size_t room = static_cast<size_t>(width - 1);
    size_t n = std::strlen(p);
    // Enough bytes for room characters of up to four bytes each.
    if (n > 4 * room) {
        n = 4 * room;
        cut = true;
    }
    const std::string_view raw(p, cut ? Without_Cut_Sequence(p, n) : n);
    std::string converted;
    const bool high = std::any_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const char* text = p;
    if (high && Utf8_To_Cp850(raw, &converted)) {
        text = converted.c_str();
        n = converted.size();
    }
    n = std::min(n, room);
    std::memcpy(label, text, n);
    label[n] = '\0';
}

// Counts the complete rows of one piece of a data line that the array has no room for:
// *column carries a row begun on an earlier line (without labels), *rows grows by each
// row completed. True when a value cannot be read, which ends the block.
bool Count_Rows(const char* p, int columns, bool with_labels, int* column, int* rows)
{
    for (;;) {
        while (Is_Separator(*p)) ++p;
        if (!*p) return false;
        const char* end = p;
        while (*end && !Is_Separator(*end)) ++end;
        double v = 0.0;
        bool too_large = false;
        if (!Convert_Value(p, static_cast<size_t>(end - p), &v, &too_large)) return true;
        p = end;
        if (++*column < columns) continue;
        *column = 0;
        ++*rows;
        if (with_labels) return false;  // the rest of the line is the label
    }
}

} // namespace

int Read_Keyword_Block(FILE* stream, double* values, int columns, int stride, int capacity, char* labels,
                       int label_width, int letter, int* rows, Keyword_Block_Stop* stop)
{
    if (!stream || !values || !rows || columns < 1 || columns > max_columns || stride < columns) return 0;
    if (stop) *stop = Keyword_Block_Stop{};
    if (columns >= capacity) {
        *rows = 0;
        return 0;
    }
    const bool with_labels = labels && label_width > 0;
    int count = 0;
    int base = 0;
    int column = 0;
    int current = -1;   // block of the lines read, none before the first keyword line
    bool begun = false;
    long after_block = std::ftell(stream);
    bool at_start = after_block == 0;
    bool full = false;
    int line = 1;          // line of the piece read
    bool ended = true;     // whether the piece read ended its line
    char piece[piece_size + 1];

    int beyond = 0;        // complete rows after the array was full, counted but not stored
    int beyond_column = 0;
    for (;; line += ended ? 1 : 0) {
        if (!Read_Piece(stream, piece, &ended)) break;
        if (at_start) {
            at_start = false;
            if (std::strncmp(piece, "\xEF\xBB\xBF", 3) == 0) std::memmove(piece, piece + 3, std::strlen(piece + 3) + 1);
        }
        if (piece[0] == '#') {
            if (begun) {
                if (after_block >= 0) std::fseek(stream, after_block, SEEK_SET);
                break;
            }
            current = static_cast<unsigned char>(piece[1]);
            continue;
        }
        if (current != letter) continue;
        begun = true;
        after_block = std::ftell(stream);
        if (full) {
            // The rest of the block is only counted, so that the caller can say how many
            // rows found no room; an unreadable value ends the count.
            if (Count_Rows(piece, columns, with_labels, &beyond_column, &beyond)) break;
            if (with_labels)
                while (!ended && Read_Piece(stream, piece, &ended)) {
                }
            after_block = std::ftell(stream);
            continue;
        }

        const char* p = piece;
        bool stop_line = false;
        while (!stop_line) {
            while (Is_Separator(*p)) ++p;
            if (!*p) break;
            const char* end = p;
            while (*end && !Is_Separator(*end)) ++end;
            double v = 0.0;
            bool too_large = false;
            if (!Convert_Value(p, static_cast<size_t>(end - p), &v, &too_large)) {
                // An unreadable value ends the block where it stands.
                if (stop) {
                    stop->line = line;
                    stop->row = count + 1;
                    stop->too_large = too_large;
                    const size_t n = std::min(static_cast<size_t>(end - p), sizeof stop->value - 1);
                    std::memcpy(stop->value, p, n);
                    stop->value[n] = '\0';
                }
                *rows = count;
                return count > 0 ? 1 : 0;
            }
            values[base + column] = v;
            p = end;
            if (++column < columns) continue;
            column = 0;
            if (with_labels) {
                while (Is_Separator(*p)) ++p;
                char* label = labels + static_cast<size_t>(count) * static_cast<size_t>(label_width);
                Store_Label(label, label_width, p, !ended);
                stop_line = true;  // the rest of the line is the label
                // A line longer than a piece: its rest belongs to the label too.
                while (!ended && Read_Piece(stream, piece, &ended)) {
                }
                after_block = std::ftell(stream);
            }
            ++count;
            base += stride;
            if (base + columns >= capacity) {
                full = true;
                stop_line = true;
            }
        }
        // Rows on the rest of a line without labels are counted as well.
        if (full && !with_labels && Count_Rows(p, columns, false, &beyond_column, &beyond)) break;
    }
    if (stop) stop->rows_beyond = beyond;
    *rows = count;
    return count > 0 ? 1 : 0;
}

int Read_Keyword_Columns(FILE* stream, double* x, double* y, double* z, int columns, int* rows, int max_rows,
                         int letter)
{
    if (!stream || !rows || columns < 1 || columns > 3 || max_rows < 1) return 0;
    std::vector<double> work(static_cast<size_t>(max_rows) * static_cast<size_t>(columns));
    int n = 0;
    int result = Read_Keyword_Block(stream, work.data(), columns, columns, max_rows * columns, nullptr, 0, letter, &n);
    double* targets[3] = {x, y, z};
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < columns; ++c)
            if (targets[c]) targets[c][i] = work[static_cast<size_t>(i) * static_cast<size_t>(columns) + c];
    *rows = n;
    return result;
}

int Write_Keyword_Block(FILE* stream, const double* x, const double* y, const double* z, int columns, int rows,
                        const char* keyword)
{
    if (!stream || !keyword || columns < 1 || columns > 3) return 0;
    const double* sources[3] = {x, y, z};
    const bool any = rows > 0;
    if (any)
        for (int c = 0; c < columns; ++c)
            if (!sources[c]) return 0;
    bool ok = std::fprintf(stream, "#%s\n", keyword) >= 0;
    for (int i = 0; ok && i < rows; ++i) {
        for (int c = 0; ok && c < columns; ++c) ok = std::fprintf(stream, " %f", sources[c][i]) >= 0;
        ok = ok && std::fputc('\n', stream) != EOF;
    }
    ok = ok && std::fputc('\n', stream) != EOF;
    return ok && !std::ferror(stream) ? 1 : 0;
}

int Write_Section_Template_To(FILE* stream, double r, double h, double c1, double c2, int line_flag, int n)
{
    if (!stream) return 0;
    if (n < 1) n = 32;
    const double two_pi = 2.0 * 3.14159265358979323846;
    bool ok = true;
    auto line = [&](const char* text) { ok = ok && std::fputs(text, stream) >= 0 && std::fputc('\n', stream) != EOF; };
    auto ring = [&](double rho) {
        for (int k = 0; ok && k < n; ++k) {
            double t = k * two_pi / n;
            ok = std::fprintf(stream, " %f %f\n", rho * std::cos(t), rho * std::sin(t)) >= 0;
        }
    };
    const char* group = line_flag ? "#Linienbewehrungszug" : "#Einzelbewehrungsgruppe";
    char heading[120];

    line("#Kommentar");
    line(" Die Daten sind steuerwortbezogen abzulegen. Die Steuerworte werden mit '#' am Anfang einer Zeile");
    line(" eingeleitet. Der Text im Anschluss an das Steuerwort wird ignoriert.");
    line(" In den folgenden Zeilen k\x94nnen bis zu 6 verschiedene Argumente folgen, die mittels eines Leerzeichens,");
    line(" Semikolons oder Zeilenumbruchs getrennt sind. Es wird bis zum n\x84" "chsten Steuerwort gelesen.");
    line("");
    line("#Berandung (je 2 Argumente: y-,z-Koordinate in cm)");
    ring(r);
    line("");
    std::snprintf(heading, sizeof heading, "%s 1 (je 2 Argumente: y-,z-Koordinate in cm)", group);
    line(heading);
    ring(r - c1);
    if (h > 0.01) {
        line("");
        line("#Aussparung (je 2 Argumente: y-,z-Koordinate in cm)");
        ring(h);
        line("");
        std::snprintf(heading, sizeof heading, "%s 2 (je 2 Argumente: y-,z-Koordinate in cm)", group);
        line(heading);
        ring(h + c2);
    }
    line("");
    return ok && !std::ferror(stream) ? 1 : 0;
}

const char* Read_Fixed_Line(FILE* stream, int width)
{
    static char text[piece_size + 1];
    std::memset(text, ' ', piece_size);
    text[piece_size] = '\0';
    int n = 0;
    if (stream && width > 0) {
        const int limit = width < piece_size ? width : piece_size;
        for (int c; n < limit && (c = std::fgetc(stream)) != EOF && c != '\n';) text[n++] = static_cast<char>(c);
    }
    text[n] = '\0';
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\r')) text[--n] = '\0';
    return text;
}
