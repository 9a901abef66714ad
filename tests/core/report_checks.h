#pragma once
// Checks on whole corbel reports shared by the report tests.
#include <cstdlib>
#include <string>

// Follows the bookmark keywords of a report: mode 16 opens a level, 17 closes the deepest
// one, 20 goes back to the top. "" when no level is closed that was not opened and none is
// left open at the end; otherwise what went wrong.
inline std::string Bookmark_Balance(const std::string& report)
{
    int depth = 0;
    size_t line_start = 0;
    int line = 1;
    while (line_start < report.size()) {
        size_t end = report.find('\n', line_start);
        if (end == std::string::npos) end = report.size();
        const std::string text = report.substr(line_start, end - line_start);
        int mode = -1;
        if (text.rfind("#OLI_BOOKMARK ", 0) == 0) mode = std::atoi(text.c_str() + 14);
        if (mode == 16) ++depth;
        if (mode == 17 && --depth < 0) return "line " + std::to_string(line) + ": closes a level that is not open";
        if (mode == 20) depth = 0;
        line_start = end + 1;
        ++line;
    }
    return depth == 0 ? "" : std::to_string(depth) + " level(s) left open";
}
