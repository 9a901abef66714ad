#include "platform/codepage.h"

#include <utility>

namespace {

// Unicode of the bytes 0x80 to 0xFF.
const char16_t cp850_high[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};
const char16_t cp1252_high[128] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

size_t Encode(char16_t u, char out[4])
{
    if (u < 0x80) {
        out[0] = static_cast<char>(u);
        return 1;
    }
    if (u < 0x800) {
        out[0] = static_cast<char>(0xC0 | (u >> 6));
        out[1] = static_cast<char>(0x80 | (u & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | (u >> 12));
    out[1] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (u & 0x3F));
    return 3;
}

std::string Convert(const std::string& bytes, const char16_t* high)
{
    std::string out;
    out.reserve(bytes.size());
    char buf[4];
    for (unsigned char c : bytes) {
        char16_t u = c < 0x80 ? c : high[c - 0x80];
        out.append(buf, Encode(u, buf));
    }
    return out;
}

struct Symbol {
    unsigned char byte;
    char16_t code_point;
};
const Symbol symbols[] = {
    {0x88, 0x2192}, // arrow
    {0x89, 0x2030}, // per mille
    {0x8C, 0x00D8}, // diameter sign
    {0xA3, 0x0394}, // Delta
    {0xB0, 0x03B8}, // theta
    {0xB2, 0x03A3}, // Sigma
    {0xBA, 0x03B1}, // alpha
    {0xBB, 0x03B2}, // beta
    {0xBE, 0x03B5}, // epsilon
    {0xC0, 0x03B3}, // gamma
    {0xC1, 0x03B7}, // eta
    {0xC5, 0x03BB}, // lambda
    {0xC6, 0x03BC}, // mu
    {0xC7, 0x03BD}, // nu
    {0xCB, 0x03C1}, // rho
    {0xCC, 0x03C3}, // sigma
    {0xDA, 0x03C6}, // phi
    {0xDB, 0x03C7}, // chi
    {0xEC, 0x221E}, // infinity
    {0xF2, 0x2265}, // greater or equal
    {0xF3, 0x2264}, // less or equal
    {0xF8, 0x00B0}, // degree
    {0xFA, 0x00B3}, // cubed
    {0xFD, 0x00B2}, // squared
};

// -1: no override; else the Code_Page as int.
int screen_page_override = -1;

} // namespace

char16_t Symbol_Code_Point(unsigned char byte)
{
    for (const Symbol& s : symbols)
        if (s.byte == byte) return s.code_point;
    return 0;
}

char16_t Code_Point(unsigned char byte, Code_Page page)
{
    if (byte < 0x80) return byte;
    if (page == Code_Page::Cp850_Symbols) {
        if (char16_t s = Symbol_Code_Point(byte)) return s;
        return cp850_high[byte - 0x80];
    }
    return (page == Code_Page::Cp850 ? cp850_high : cp1252_high)[byte - 0x80];
}

unsigned char Cp850_Byte_Of(char32_t code_point)
{
    if (code_point == 0) return 0;
    if (code_point < 0x80) return static_cast<unsigned char>(code_point);
    for (const Symbol& s : symbols)
        if (s.code_point == code_point) return s.byte;
    for (int i = 0; i < 128; ++i)
        if (cp850_high[i] == code_point) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

bool Utf8_To_Cp850(std::string_view text, std::string* out)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int n = 0;
        char32_t cp = c;
        char32_t least = 0;
        if (c >= 0x80) {
            if ((c & 0xE0) == 0xC0) {
                n = 1, cp = c & 0x1F, least = 0x80;
            } else if ((c & 0xF0) == 0xE0) {
                n = 2, cp = c & 0x0F, least = 0x800;
            } else if ((c & 0xF8) == 0xF0) {
                n = 3, cp = c & 0x07, least = 0x10000;
            } else {
                return false;
            }
        }
        if (text.size() - i <= static_cast<size_t>(n)) return false;
        for (int k = 1; k <= n; ++k) {
            const unsigned char d = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF) return false;
        const unsigned char b = Cp850_Byte_Of(cp);
        bytes += cp == 0 ? '\0' : b ? static_cast<char>(b) : '?';
        i += static_cast<size_t>(n) + 1;
    }
    *out = std::move(bytes);
    return true;
}

Scoped_Screen_Code_Page::Scoped_Screen_Code_Page(Code_Page page) : previous_(screen_page_override)
{
    screen_page_override = static_cast<int>(page);
}

Scoped_Screen_Code_Page::~Scoped_Screen_Code_Page() { screen_page_override = previous_; }

std::string Code_Page_To_Utf8(const std::string& bytes, Code_Page page)
{
    std::string out;
    out.reserve(bytes.size());
    char buf[4];
    for (unsigned char c : bytes) out.append(buf, Encode(Code_Point(c, page), buf));
    return out;
}

size_t Cp850_Byte_To_Utf8(unsigned char c, char out[4])
{
    return Encode(c < 0x80 ? c : cp850_high[c - 0x80], out);
}

std::string Cp850_To_Utf8(const std::string& bytes) { return Convert(bytes, cp850_high); }
std::string Cp1252_To_Utf8(const std::string& bytes) { return Convert(bytes, cp1252_high); }

Code_Page Screen_Text_Code_Page(std::string_view bytes)
{
    if (screen_page_override >= 0) return static_cast<Code_Page>(screen_page_override);
    bool cp1252_umlaut = false, cp850_umlaut = false;
    for (unsigned char c : bytes) {
        switch (c) {
        case 0xC4: case 0xD6: case 0xDC: case 0xE4: case 0xF6: case 0xFC: case 0xDF:
            cp1252_umlaut = true;
            break;
        case 0x81: case 0x84: case 0x8E: case 0x94: case 0x99: case 0x9A: case 0xE1:
            cp850_umlaut = true;
            break;
        default:
            break;
        }
    }
    return cp1252_umlaut && !cp850_umlaut ? Code_Page::Cp1252 : Code_Page::Cp850_Symbols;
}

std::string Screen_Text_To_Utf8(const std::string& bytes)
{
    return Code_Page_To_Utf8(bytes, Screen_Text_Code_Page(bytes));
}
