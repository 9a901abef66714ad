#include "viewer/report_text.h"

#include "platform/codepage.h"
#include "report/oli_channel.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr unsigned char CONTROL = OLI_Report_Format::control_byte;

// The bytes that the report font draws differently from code page 850.
char32_t Report_Font_Override(unsigned char byte)
{
    switch (byte) {
    case 0x0F: return U'\u00A4';  // ¤
    case 0x14: return U'\u00B6';  // ¶
    case 0x15: return U'\u00A7';  // §
    case 0x88: return U'\u21D2';  // ⇒
    case 0x89: return U'\u2030';  // ‰
    case 0x8C: return U'\u2300';  // ⌀
    case 0xA3: return U'\u0394';  // Δ
    case 0xB0: return U'\u03B8';  // θ
    case 0xB2: return U'\u03A3';  // Σ
    case 0xB8: return U'\u03C8';  // ψ
    case 0xBA: return U'\u03B1';  // α
    case 0xBB: return U'\u03B2';  // β
    case 0xBE: return U'\u03B5';  // ε
    case 0xC0: return U'\u03B3';  // γ
    case 0xC1: return U'\u03B7';  // η
    case 0xC5: return U'\u03BB';  // λ
    case 0xC6: return U'\u03BC';  // μ
    case 0xC7: return U'\u03BD';  // ν
    case 0xCB: return U'\u03C1';  // ρ
    case 0xCC: return U'\u03C3';  // σ
    case 0xD6: return U'\u03C4';  // τ
    case 0xDA: return U'\u03C6';  // φ
    case 0xE0: return U'\u03B1';  // α
    case 0xEC: return U'\u221E';  // ∞
    case 0xF2: return U'\u2265';  // ≥
    case 0xF3: return U'\u2264';  // ≤
    case 0xF7: return U'\u2248';  // ≈
    case 0xFA: return U'\u00B3';  // ³
    default: return 0;
    }
}

// Numbers of a group's text after its letter; false when one is not a number.
bool Group_Numbers(std::string_view text, std::vector<double>& numbers)
{
    std::string copy(text);
    const char* p = copy.c_str();
    while (true) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) return true;
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p || !std::isfinite(value)) return false;
        numbers.push_back(value);
        p = end;
    }
}

class Splitter {
public:
    Splitter(std::string_view line, int* unknown) : line_(line), unknown_(unknown) {}

    std::vector<Text_Piece> Run()
    {
        for (size_t i = 0; i < line_.size();) {
            const auto c = static_cast<unsigned char>(line_[i]);
            if (c == '\r' || c == '\n') {
                ++i;
                continue;
            }
            if (c != CONTROL) {
                text_ += line_[i++];
                continue;
            }
            if (i + 1 >= line_.size()) {  // a lone control byte at the end
                Unknown();
                break;
            }
            const char code = line_[i + 1];
            i += 2;
            if (code == '{') {
                const size_t close = line_.find('}', i);
                const size_t end = close == std::string_view::npos ? line_.size() : close;
                Group(line_.substr(i, end - i));
                i = close == std::string_view::npos ? line_.size() : close + 1;
                continue;
            }
            Sequence(code);
        }
        Flush();
        return std::move(pieces_);
    }

private:
    std::string_view line_;
    int* unknown_;
    std::vector<Text_Piece> pieces_;
    std::string text_;
    Run_Style style_;

    void Unknown()
    {
        if (unknown_) ++*unknown_;
    }

    void Flush()
    {
        if (text_.empty()) return;
        Text_Piece piece;
        piece.bytes = std::move(text_);
        piece.style = style_;
        if (piece.style.shift > 0 && piece.bytes == ".") {
            // The writers' multiplication sign: a dot on the middle of the line.
            piece.style.shift = 0;
            piece.style.times_dot = true;
        }
        pieces_.push_back(std::move(piece));
        text_.clear();
    }

    void Set_Style(Run_Style style)
    {
        if (style == style_) return;
        Flush();
        style_ = style;
    }

    void Add(Piece_Kind kind)
    {
        Flush();
        Text_Piece piece;
        piece.kind = kind;
        piece.style = style_;
        pieces_.push_back(piece);
    }

    void Sequence(char code)
    {
        Run_Style s = style_;
        switch (code) {
        case 'r': {
            const bool coloured = s.coloured;
            const Rgb colour = s.colour;
            s = Run_Style{};
            s.coloured = coloured;
            s.colour = colour;
            break;
        }
        case '\\': s.shift = -1; break;
        case '/': s.shift = 1; break;
        case 'H':
        case 'b': s.bold = true; break;
        case 'u':
        case '_': s.underline = true; break;
        case 's': s.italic = true; break;
        case 't': Add(Piece_Kind::Tab); return;
        case 'S':
        case 'B': Add(Piece_Kind::Gap); return;
        case '@': return;
        default: Unknown(); return;
        }
        Set_Style(s);
    }

    void Group(std::string_view body)
    {
        size_t start = 0;
        while (start < body.size() && body[start] == ' ') ++start;
        body.remove_prefix(start);
        if (!body.empty() && body[0] == 'C') {
            std::vector<double> n;
            if (!Group_Numbers(body.substr(1), n) || n.empty()) return Unknown();
            Run_Style s = style_;
            if (n.size() >= 4 && n[0] != 768) {
                s.coloured = true;
                s.colour = {n[1] / 255.0, n[2] / 255.0, n[3] / 255.0};
            } else if (n[0] == 768 || n.size() == 1) {
                s.coloured = false;
            } else {
                return Unknown();
            }
            return Set_Style(s);
        }
        if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == CONTROL &&
            (body[1] == 'L' || body[1] == 'R')) {
            std::vector<double> n;
            if (!Group_Numbers(body.substr(2), n) || n.size() < 5) return Unknown();
            Flush();
            Text_Piece piece;
            piece.kind = body[1] == 'L' ? Piece_Kind::Line : Piece_Kind::Box;
            piece.style = style_;
            for (int k = 0; k < 5; ++k) piece.values[k] = n[k];
            pieces_.push_back(piece);
            return;
        }
        Unknown();
    }
};

} // namespace

std::vector<Text_Piece> Split_Report_Text(std::string_view line, int* unknown)
{
    return Splitter(line, unknown).Run();
}

char32_t Report_Code_Point(unsigned char byte)
{
    if (const char32_t c = Report_Font_Override(byte)) return c;
    return Code_Point(byte, Code_Page::Cp850);
}

void Append_Utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Report_Bytes_To_Utf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (unsigned char c : bytes) {
        // Other control characters have no glyph on a page.
        const char32_t code = Report_Code_Point(c);
        Append_Utf8(out, code < 0x20 || code == 0x7F ? U' ' : code);
    }
    return out;
}

std::string Run_Text_Utf8(std::string_view bytes, const Run_Style& style)
{
    return style.times_dot ? std::string("\u00B7") : Report_Bytes_To_Utf8(bytes);
}

std::string Report_Plain_Text(std::string_view line)
{
    std::string text;
    for (const Text_Piece& piece : Split_Report_Text(line)) {
        if (piece.kind == Piece_Kind::Text)
            text += Run_Text_Utf8(piece.bytes, piece.style);
        else if (piece.kind == Piece_Kind::Tab || piece.kind == Piece_Kind::Gap)
            text += ' ';
    }
    return text;
}
