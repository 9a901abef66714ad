#pragma once
// The system keeps texts as 8-bit bytes: report texts in code page 850, most screen
// texts in code page 1252. Conversion to UTF-8 happens only at the edge (terminal,
// screen, viewer).
#include <cstddef>
#include <string>
#include <string_view>

enum class Code_Page { Cp850, Cp1252 };

// The Unicode character of one byte of the code page (U+FFFD for the five bytes that
// code page 1252 leaves undefined).
char16_t Code_Point(unsigned char byte, Code_Page page);

std::string Cp850_To_Utf8(const std::string& bytes);
std::string Cp1252_To_Utf8(const std::string& bytes);

// Screen messages of the program carry either code page; this picks the one that the
// umlaut bytes of the text point to (1252 unless only code page 850 umlauts occur).
std::string Screen_Text_To_Utf8(const std::string& bytes);
Code_Page Screen_Text_Code_Page(std::string_view bytes);

// UTF-8 of one code page 850 byte into out (at most 4 bytes, no terminator);
// returns the length. Allocates nothing, for the out-of-memory path.
size_t Cp850_Byte_To_Utf8(unsigned char c, char out[4]);
