#pragma once
// The system keeps texts as 8-bit bytes: report texts in code page 850, most screen
// texts in code page 1252. Conversion to UTF-8 happens only at the edge (terminal,
// screen, viewer).
#include <cstddef>
#include <string>
#include <string_view>

// Cp850_Symbols is code page 850 as the environment's fonts (screen and report) show it:
// twenty-four bytes carry symbols instead of their code page 850 characters (0x8C
// diameter sign, 0xF2 >=, 0xF3 <=, 0xBA alpha, 0xBB beta, 0xBE epsilon, 0xCB rho,
// 0xCC sigma, 0xA3 Delta, 0xB0 theta, 0xB2 Sigma, 0xC0 gamma, 0xC1 eta, 0xC5 lambda,
// 0xC6 mu, 0xC7 nu, 0xDA phi, 0xDB chi, 0xEC infinity, 0x89 per mille, 0x88 arrow,
// 0xF8 degree, 0xFA cubed, 0xFD squared). eta, phi and infinity are the report font's
// bytes; chi, which the report font lacks, takes the box byte after phi.
enum class Code_Page { Cp850, Cp1252, Cp850_Symbols };

// The Unicode character of one byte of the code page (U+FFFD for the five bytes that
// code page 1252 leaves undefined).
char16_t Code_Point(unsigned char byte, Code_Page page);

// The symbol that the environment's fonts show for a byte, 0 for a byte without one.
// The one symbol table of screen, report and viewer.
char16_t Symbol_Code_Point(unsigned char byte);

// The code page 850 byte of a Unicode character (German letters, the symbols above
// and the rest of code page 850), 0 when there is none.
unsigned char Cp850_Byte_Of(char32_t code_point);

std::string Cp850_To_Utf8(const std::string& bytes);
// Code page 850 bytes of UTF-8 text, a character that code page 850 lacks as '?'. False
// (and out untouched) when the text is not UTF-8: a stray or missing continuation byte,
// an overlong form or a code point beyond Unicode.
bool Utf8_To_Cp850(std::string_view text, std::string* out);
std::string Cp1252_To_Utf8(const std::string& bytes);

// Screen texts of the program carry either code page: a text is read as code page 850
// with the symbols above, or as code page 1252 when it holds a German letter of code
// page 1252 (E4 F6 FC C4 D6 DC DF) and none of code page 850 (81 84 8E 94 99 9A E1).
// While a Scoped_Screen_Code_Page lives, every screen text is read in its code page
// instead (for a text that the rule misreads).
std::string Screen_Text_To_Utf8(const std::string& bytes);
Code_Page Screen_Text_Code_Page(std::string_view bytes);

class Scoped_Screen_Code_Page {
public:
    explicit Scoped_Screen_Code_Page(Code_Page page);
    ~Scoped_Screen_Code_Page();
    Scoped_Screen_Code_Page(const Scoped_Screen_Code_Page&) = delete;
    Scoped_Screen_Code_Page& operator=(const Scoped_Screen_Code_Page&) = delete;

private:
    int previous_;
};

// UTF-8 of bytes in a code page.
std::string Code_Page_To_Utf8(const std::string& bytes, Code_Page page);

// UTF-8 of one code page 850 byte into out (at most 4 bytes, no terminator);
// returns the length. Allocates nothing, for the out-of-memory path.
size_t Cp850_Byte_To_Utf8(unsigned char c, char out[4]);
