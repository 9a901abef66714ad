#pragma once
// printf into a std::string of whatever length the values need ("C" locale, as the whole
// program runs). A failed or empty format gives the empty text.
#include <cstdarg>
#include <cstddef>
#include <string>

std::string Format_String(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// printf of an argument list, cut at max characters. A null or failed format gives the
// empty text.
std::string Format_String_Cut(size_t max, const char* format, va_list args);

// A text from outside (the position's number and title) as it may stand in one line of
// the report or the drawing: control bytes (below 0x20 and 0x7F: ESC, BEL, CR, LF, ...)
// and the report's own control byte 0xCE become blanks, so that the text can neither
// start a style nor break the line.
std::string Blank_Control_Bytes(std::string text);
