#include "report/string_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string Format_String(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        text.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return text;
}

std::string Format_String_Cut(size_t max, const char* format, va_list args)
{
    if (format == nullptr) return "";
    std::vector<char> buffer(max + 1, '\0');
    if (std::vsnprintf(buffer.data(), buffer.size(), format, args) < 0) return "";
    return buffer.data();
}

std::string Blank_Control_Bytes(std::string text)
{
    for (char& c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0xCE) c = ' ';
    }
    return text;
}
