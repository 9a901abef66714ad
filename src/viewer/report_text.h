#pragma once
// Reading the text of report lines: the in-band control sequences split a line into
// pieces of visible bytes with their style, tab jumps, small gaps and in-cell drawings;
// and the bytes of the report font become Unicode here, at the edge, and nowhere else.
//
// How the sequences are shown (the format leaves their look to the viewer):
//   0xCE 'r'        ends every open style (not the colour: colour groups switch back
//                   themselves)
//   0xCE '\' / '/'  subscript / superscript run
//   0xCE 'H', 'b'   bold
//   0xCE 'u', '_'   underline
//   0xCE 's'        italic
//   0xCE 't'        jump to the next tab stop
//   0xCE '@'        heading-number mark: invisible
//   0xCE 'S', 'B'   line-kind marks: half a character of space
//   0xCE '{' ... '}' a group up to the first '}':
//                   "C 1 r g b" text colour on, "C 768" back to the normal colour,
//                   0xCE "L k x1 x2 a b" a line, 0xCE "R p x1 x2 a b" a rectangle (in table
//                   cells; see viewer/page_layout.h for their geometry)
// Every style and the colour end at the end of the line. A sequence or group that is
// not one of these is left out and counted.
//
// The report font prints some bytes as other symbols than code page 850 shows: 0x88 ⇒,
// 0x89 ‰, 0x8C ⌀, 0xA3 Δ, 0xB0 θ, 0xB2 Σ, 0xB8 ψ, 0xBA α, 0xBB β, 0xBE ε, 0xC0 γ,
// 0xC1 η, 0xC5 λ, 0xC6 μ, 0xC7 ν, 0xCB ρ, 0xCC σ, 0xD6 τ, 0xDA φ, 0xE0 α, 0xEC ∞,
// 0xF2 ≥, 0xF3 ≤, 0xF7 ≈, 0xFA ³, and the DOS glyphs 0x0F ¤, 0x14 ¶, 0x15 §; every other
// byte is its code page 850 character (other control characters show as blanks). No
// German report writes the box-drawing or accented letters those Greek bytes stand for
// in code page 850 (Ó, Ã, ã, ┼ ...).
//
// The raised multiplication dot (0xCE '/' '.' 0xCE 'r') is a dot on the middle of the
// line: its text is "·" (Run_Text_Utf8, for the page layout and Report_Plain_Text).
#include <string>
#include <string_view>
#include <vector>

struct Rgb {
    double r = 0.0, g = 0.0, b = 0.0;  // 0 to 1
    bool operator==(const Rgb&) const = default;
};

struct Run_Style {
    bool bold = false;
    bool underline = false;
    bool italic = false;
    int shift = 0;           // -1 subscript, +1 superscript
    bool times_dot = false;  // a superscript "." alone: the multiplication dot "·"
    bool coloured = false;   // colour below is in force; else the normal (black) text
    Rgb colour;
    bool operator==(const Run_Style&) const = default;
};

enum class Piece_Kind {
    Text,  // bytes: visible report-font bytes in one style
    Tab,   // jump to the next tab stop
    Gap,   // half a character of space
    Line,  // values: kind, x1, x2, a, b
    Box,   // values: pattern, x1, x2, a, b
};

struct Text_Piece {
    Piece_Kind kind = Piece_Kind::Text;
    std::string bytes;
    Run_Style style;
    double values[5] = {0, 0, 0, 0, 0};
};

// The pieces of one line (without its line end). unknown, when given, grows by the
// number of sequences and groups left out.
std::vector<Text_Piece> Split_Report_Text(std::string_view line, int* unknown = nullptr);

// The Unicode character of a report-font byte, and UTF-8 of report-font bytes.
char32_t Report_Code_Point(unsigned char byte);
std::string Report_Bytes_To_Utf8(std::string_view bytes);
void Append_Utf8(std::string& out, char32_t c);
// UTF-8 of bytes of one run in its style: the multiplication dot "·" for the dot's run.
std::string Run_Text_Utf8(std::string_view bytes, const Run_Style& style);

// The visible text of a line as UTF-8: sequences and groups dropped, tab jumps and gaps
// as one blank. For outlines and for comparing with extracted text.
std::string Report_Plain_Text(std::string_view line);
