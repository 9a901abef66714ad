#include "report/user_comment.h"

#include "report/oli_channel.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// The running text the channel received, one report line per text line (the channel
// writes each line behind a blank).
std::string Written_Lines(const char* comment)
{
    OLI_Reset_Channel();
    File_Stream out;
    Write_User_Comment(out.get(), comment);
    OLI_End_Text_Block(out.get());
    std::string bytes = out.bytes();
    size_t begin = bytes.find("\n-1\n");
    size_t end = bytes.find("#END_OF_TEXT");
    if (begin == std::string::npos || end == std::string::npos) return bytes;
    return bytes.substr(begin + 4, end - begin - 4);
}

} // namespace

TEST(UserComment, LinesWrapAtTheLastBlankBeforeTheWrapWidth)
{
    // 600 pixels hold 75 characters of the fixed-pitch font; the whole line is taken
    // while its beginning without the last character fits.
    const std::string fits(76, 'x');
    EXPECT_EQ(Written_Lines(fits.c_str()), " " + fits + "\n");

    const std::string words = std::string(70, 'a') + " " + std::string(10, 'b');
    EXPECT_EQ(Written_Lines(words.c_str()), " " + std::string(70, 'a') + " \n bbbbbbbbbb\n");

    // Without a blank the line is cut where it stops fitting.
    const std::string word(80, 'w');
    EXPECT_EQ(Written_Lines(word.c_str()), " " + std::string(76, 'w') + "\n wwww\n");
}

TEST(UserComment, ParagraphsAndEmptyComments)
{
    EXPECT_EQ(Written_Lines("Erster Absatz\n\nZweiter Absatz"), " Erster Absatz\n  \n Zweiter Absatz\n");
    EXPECT_EQ(Written_Lines("Zeile\n"), " Zeile\n");

    OLI_Reset_Channel();
    File_Stream out;
    Write_User_Comment(out.get(), "");
    Write_User_Comment(out.get(), nullptr);
    EXPECT_EQ(out.bytes(), "");
    EXPECT_EQ(Get_Text_Width_Px(nullptr), 0);
}
