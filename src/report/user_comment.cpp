#include "report/user_comment.h"

#include "platform/fonts.h"
#include "report/oli_channel.h"

#include <array>
#include <string>

namespace {

constexpr int WRAP_WIDTH_PX = 600;

// Length of the first piece of a line: the whole line when its beginning up to the last
// character fits, else up to and including the last blank before the beginning that no
// longer fits (without such a blank, that beginning). A beginning's width is the sum of
// its bytes' widths, so it grows byte by byte.
size_t First_Piece_Length(const std::string& line)
{
    const std::array<int, 256>& widths = Font_Byte_Widths(FONT_CODE_NORMAL, Code_Page::Cp850);
    long width = 0;
    for (size_t k = 0; k < line.size(); ++k) {
        if (k > 0) width += widths[static_cast<unsigned char>(line[k - 1])];
        if (width <= WRAP_WIDTH_PX) {
            if (k + 1 == line.size()) return line.size();
            continue;
        }
        for (size_t b = k; b >= 1; --b)
            if (line[b] == ' ') return b + 1;
        return k;
    }
    return line.size();
}

} // namespace

void Write_User_Comment(FILE* stream, const char* comment)
{
    if (!comment || !*comment) return;
    std::string text = comment;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.empty()) {
            OLI_Printf(stream, "%s", " \n");
        }
        while (!line.empty()) {
            size_t n = First_Piece_Length(line);
            OLI_Printf(stream, "%s", (line.substr(0, n) + "\n").c_str());
            line.erase(0, n);
        }
        start = end + 1;
    }
}
