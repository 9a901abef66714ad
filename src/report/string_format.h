#pragma once
// printf into a std::string of whatever length the values need ("C" locale, as the whole
// program runs). A failed or empty format gives the empty text.
#include <string>

std::string Format_String(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
