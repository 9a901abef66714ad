#include "base/text_lines.h"

bool Read_Whole_Line(FILE* stream, std::string& line)
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
