#include "base/keyword_lines.h"

#include "base/text_lines.h"

#include <cstring>
#include <string>

int Find_Keyword_Line(const char* keyword, FILE* stream, int* value)
{
    if (!keyword || !stream) return 0;
    std::rewind(stream);
    const size_t n = std::strlen(keyword);
    std::string line;
    while (Read_Whole_Line(stream, line)) {
        if (line.compare(0, n, keyword, n) != 0) continue;
        if (value) {
            int v = 0;
            if (std::sscanf(line.c_str() + n, "%d", &v) == 1) *value = v;
        }
        return 1;
    }
    return 0;
}
