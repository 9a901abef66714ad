#include "base/exchange_text.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {
bool Is_White(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
} // namespace

int ZXP_Trim(char* text, int flags)
{
    if (!text) return 0;
    size_t len = std::strlen(text);
    if (flags & ZXP_TRIM_TRAILING) {
        while (len > 0 && Is_White(text[len - 1])) --len;
        text[len] = '\0';
    }
    if (flags & ZXP_TRIM_LEADING) {
        size_t start = 0;
        while (start < len && Is_White(text[start])) ++start;
        if (start > 0) {
            std::memmove(text, text + start, len - start + 1);
            len -= start;
        }
    }
    return static_cast<int>(len);
}

int ZXP_Copy_Trimmed(const char* source, char* destination, int size, int flags)
{
    if (!destination || size < 1) return 0;
    const char* src = source ? source : "";
    size_t n = ::strnlen(src, static_cast<size_t>(size - 1));
    std::memcpy(destination, src, n);
    destination[n] = '\0';
    int len = static_cast<int>(n);
    if (flags & (ZXP_TRIM_LEADING | ZXP_TRIM_TRAILING)) len = ZXP_Trim(destination, flags & 3);
    if (flags & ZXP_PAD_BLANKS) {
        while (len < size - 1) destination[len++] = ' ';
        destination[len] = '\0';
    }
    return len;
}

int ZXP_Seek_Marker(FILE* stream, const char* marker, int rewind)
{
    if (!stream || !marker || !marker[0]) return 0;
    const size_t mlen = ::strnlen(marker, 100);
    if (rewind) std::rewind(stream);
    std::string head;
    for (;;) {
        // The beginning of the line, as long as the marker (or up to the line end).
        head.clear();
        int c = 0;
        while (head.size() < mlen) {
            c = std::fgetc(stream);
            if (c == EOF || c == '\n') break;
            head.push_back(static_cast<char>(c));
        }
        if (head.size() == mlen) {
            ZXP_Skip_Line(stream);
            if (std::memcmp(head.data(), marker, mlen) == 0) return 1;
        } else if (c == EOF) {
            return 0;
        }
        // A shorter line has been passed over with its line end.
        if (std::feof(stream)) return 0;
    }
}

void ZXP_Skip_Line(FILE* stream)
{
    if (!stream) return;
    int c;
    do {
        c = std::fgetc(stream);
    } while (c != EOF && c != '\n');
}

int ZXP_Read_Line(FILE* stream, char* buffer, int size)
{
    if (!buffer || size < 1) return -1;
    buffer[0] = '\0';
    if (!stream) return 1;
    int len = 0;
    for (;;) {
        if (len == size - 1) {
            // Full: the rest of the line, line end included, is passed over.
            buffer[len] = '\0';
            ZXP_Skip_Line(stream);
            return size;
        }
        int c = std::fgetc(stream);
        if (c == EOF || c == '\n') break;
        if (c == '\r') {
            int next = std::fgetc(stream);
            if (next == '\n' || next == EOF) break;  // CR LF (or a CR ending the file)
            std::ungetc(next, stream);
        }
        buffer[len++] = static_cast<char>(c);
    }
    buffer[len] = '\0';
    return len + 1;
}

int ZXP_Scan_Count(FILE* stream, int max_value, int* value)
{
    if (!stream || !value) return 0;
    int c;
    do {
        c = std::fgetc(stream);
    } while (c != EOF && Is_White(static_cast<char>(c)));
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = (c == '-');
        c = std::fgetc(stream);
    }
    long long n = 0;
    int digits = 0;
    while (c >= '0' && c <= '9') {
        if (n <= max_value) n = n * 10 + (c - '0');  // stops growing once too large
        ++digits;
        c = std::fgetc(stream);
    }
    if (c != EOF) std::ungetc(c, stream);
    if (digits == 0) return 0;
    if (negative && n != 0) return 0;
    if (n > max_value) return 0;
    *value = static_cast<int>(n);
    return 1;
}
