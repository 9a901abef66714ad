#include "base/string_helpers.h"

#include "platform/fonts.h"
#include "platform/messages.h"

#include <array>
#include <cstring>

namespace {

constexpr size_t BUFFER = STATIC_TEXT_MAX + 1;

// Copies at most 511 bytes of the text into the buffer, each through the map.
template <typename Map>
const char* Copy_Mapped(char* out, const char* text, Map map)
{
    size_t n = 0;
    for (const char* p = text ? text : ""; *p && n < STATIC_TEXT_MAX; ++p)
        out[n++] = static_cast<char>(map(static_cast<unsigned char>(*p)));
    out[n] = '\0';
    return out;
}

struct Letter {
    unsigned char ansi, oem;
    const char* entity;
};
const Letter german_letters[] = {
    {196, 142, "&Auml;"}, {214, 153, "&Ouml;"}, {220, 154, "&Uuml;"}, {223, 225, "&szlig;"},
    {228, 132, "&auml;"}, {246, 148, "&ouml;"}, {252, 129, "&uuml;"},
};

} // namespace

const char* Trim_Blanks_Static(const char* text)
{
    static char out[BUFFER];
    const char* p = text ? text : "";
    while (*p == ' ') ++p;
    Copy_Mapped(out, p, [](unsigned char c) { return c; });
    size_t n = std::strlen(out);
    while (n > 0 && out[n - 1] == ' ') out[--n] = '\0';
    return out;
}

const char* Pad_Blanks_Static(const char* text, int width)
{
    static char out[BUFFER];
    Copy_Mapped(out, text, [](unsigned char c) { return c; });
    size_t n = std::strlen(out);
    const size_t target = width < 0 ? 0 : std::min(static_cast<size_t>(width), static_cast<size_t>(STATIC_TEXT_MAX));
    while (n < target) out[n++] = ' ';
    out[n] = '\0';
    return out;
}

char* Read_Line_No_Newline(char* buffer, int size, FILE* stream)
{
    if (!buffer || size <= 0 || !stream) return nullptr;
    if (!std::fgets(buffer, size, stream)) return nullptr;
    size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] == '\n') buffer[--n] = '\0';
    if (n > 0 && buffer[n - 1] == '\r') buffer[--n] = '\0';
    return buffer;
}

int Skip_White_Space(FILE* stream)
{
    if (!stream) return EOF;
    int c;
    do c = std::fgetc(stream);
    while (c == ' ' || c == '\t' || c == '\n' || c == '\r');
    return c;
}

int Blanks_To_Question_Marks(char* text)
{
    if (!text) return 0;
    int n = 0;
    for (; text[n]; ++n)
        if (text[n] == ' ') text[n] = '?';
    return n;
}

int Question_Marks_To_Blanks(char* text)
{
    if (!text) return 0;
    int n = 0;
    for (; text[n]; ++n)
        if (text[n] == '?') text[n] = ' ';
    return n;
}

const char* Quote_To_Acute(const char* text)
{
    static char out[BUFFER];
    return Copy_Mapped(out, text, [](unsigned char c) { return c == '\'' ? 0xB4 : c; });
}

const char* Ansi_To_Oem_Umlauts(const char* text)
{
    static char out[BUFFER];
    return Copy_Mapped(out, text, [](unsigned char c) {
        for (const Letter& l : german_letters)
            if (c == l.ansi) return l.oem;
        return c;
    });
}

const char* Oem_To_Ansi_Umlauts(const char* text)
{
    static char out[BUFFER];
    return Copy_Mapped(out, text, [](unsigned char c) {
        for (const Letter& l : german_letters)
            if (c == l.oem) return l.ansi;
        return c;
    });
}

const char* Oem_Umlauts_To_Html(const char* text)
{
    static char out[BUFFER];
    size_t n = 0;
    for (const char* p = text ? text : ""; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        const char* piece = nullptr;
        char one[2] = {static_cast<char>(c), '\0'};
        for (const Letter& l : german_letters)
            if (c == l.oem) piece = l.entity;
        if (!piece) piece = one;
        const size_t len = std::strlen(piece);
        if (n + len > HTML_TEXT_MAX) break;
        std::memcpy(out + n, piece, len);
        n += len;
    }
    out[n] = '\0';
    return out;
}

int Check_File_Name(const char* name, int show_message)
{
    if (!name) return 0;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
        if (show_message) PrintMessage("Eine Datei darf weder '.' noch '..' hei\xDF" "en!");
        return 0;
    }
    if (std::strpbrk(name, "\\/:*?\"<>|")) {
        if (show_message) PrintMessage("Unzul\xE4ssige Zeichen (\\/:*?\"<>|) im Dateinamen!");
        return 0;
    }
    return 1;
}

std::vector<std::string> Wrap_Comment_Pieces(const char* comment, int wrap_width)
{
    std::vector<std::string> pieces;
    if (!comment || !*comment) return pieces;
    const std::array<int, 256>& widths = Font_Byte_Widths(FONT_CODE_NORMAL, Code_Page::Cp850_Symbols);
    const std::string text = comment;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.empty()) pieces.emplace_back();
        while (!line.empty()) {
            // The whole rest when its beginning up to the last character fits; else up
            // to the last blank before the first beginning that does not fit.
            size_t n = line.size();
            long width = 0;
            for (size_t k = 1; k < line.size(); ++k) {
                width += widths[static_cast<unsigned char>(line[k - 1])];
                if (width <= wrap_width) continue;
                n = k;
                for (size_t b = k; b >= 1; --b)
                    if (line[b] == ' ') {
                        n = b + 1;
                        break;
                    }
                break;
            }
            pieces.push_back(line.substr(0, n));
            line.erase(0, n);
        }
        start = end + 1;
    }
    return pieces;
}
