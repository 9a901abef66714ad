#include "base/keyword_lines.h"

#include <cstring>
#include <string>

namespace {

// The next line without its line end; false at the end of the stream. A whole line is
// taken, however long, so that the rest of a long line is never mistaken for a line of
// its own.
bool Read_Line(FILE* stream, std::string& line)
{
    line.clear();
    int c = std::getc(stream);
    if (c == EOF) return false;
    while (c != EOF && c != '\n') {
        line += static_cast<char>(c);
        c = std::getc(stream);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

} // namespace

int Find_Keyword_Line(const char* keyword, FILE* stream, int* value)
{
    if (!keyword || !stream) return 0;
    std::rewind(stream);
    const size_t n = std::strlen(keyword);
    std::string line;
    while (Read_Line(stream, line)) {
        if (line.compare(0, n, keyword, n) != 0) continue;
        if (value) {
            int v = 0;
            if (std::sscanf(line.c_str() + n, "%d", &v) == 1) *value = v;
        }
        return 1;
    }
    return 0;
}
