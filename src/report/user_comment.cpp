#include "report/user_comment.h"

#include "base/string_helpers.h"
#include "report/graphic_block.h"
#include "report/oli_channel.h"

#include <string>

namespace {

constexpr int WRAP_WIDTH_PX = 600;
constexpr int PLAIN_WRAP_WIDTH_PX = 675;

void Write_Wrapped(FILE* stream, const char* comment, int wrap_width)
{
    for (const std::string& piece : Wrap_Comment_Pieces(comment, wrap_width))
        OLI_Printf(stream, "%s", piece.empty() ? " \n" : (piece + "\n").c_str());
}

} // namespace

void Write_User_Comment(FILE* stream, const char* comment) { Write_Wrapped(stream, comment, WRAP_WIDTH_PX); }

void Write_User_Comment_Plain(FILE* stream, const char* comment)
{
    Write_Wrapped(stream, comment, PLAIN_WRAP_WIDTH_PX);
}

void Write_User_Comment_With_Logo(FILE* stream, const char* comment)
{
    if (!stream || !comment || !*comment) return;
    OLI_End_Text_Block(stream);
    if (OLI_Write_Graphic_Block(stream, nullptr) == 0) {
        std::fputs("27 0.0 0.0 %FONT%\\UserCommentLogo.ocm\n", stream);
        std::fputs("-1\n", stream);
    }
    Write_Wrapped(stream, comment, WRAP_WIDTH_PX);
}
