#include "report/user_comment.h"

#include "platform/fonts.h"
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
    // The comment is measured in the normal font as code page 850 bytes.
    const auto& widths = Font_Byte_Widths(FONT_CODE_NORMAL, Code_Page::Cp850);
    // n bytes of x fit into 600 pixels, n + 1 do not; the whole line is taken while its
    // beginning without the last character fits.
    const size_t n = 600 / widths['x'];
    ASSERT_GT(n, 40u);
    const std::string fits(n + 1, 'x');
    EXPECT_EQ(Written_Lines(fits.c_str()), " " + fits + "\n");

    const size_t a = n - 5;
    const std::string words = std::string(a, 'a') + " " + std::string(10, 'b');
    ASSERT_LE(static_cast<int>(a) * widths['a'] + widths[' '], 600);
    ASSERT_GT(static_cast<int>(a) * widths['a'] + widths[' '] + 10 * widths['b'], 600);
    EXPECT_EQ(Written_Lines(words.c_str()), " " + std::string(a, 'a') + " \n bbbbbbbbbb\n");

    // Without a blank the line is cut where it stops fitting.
    const std::string word(n + 5, 'x');
    EXPECT_EQ(Written_Lines(word.c_str()), " " + std::string(n + 1, 'x') + "\n xxxx\n");

    // Umlauts count with the width of the letter (0x84 is ä here, not the quote of 1252).
    const size_t u = 600 / widths[0x84];
    const std::string umlauts(u + 3, '\x84');
    EXPECT_EQ(Written_Lines(umlauts.c_str()), " " + std::string(u + 1, '\x84') + "\n \x84\x84\n");
}

TEST(UserComment, RunningTextWrapsInTheNormalFont)
{
    const char* comment =
        "Die Konsole tr\x84gt die Last des Unterzugs \x81" "ber eine kurze Kragl\x84nge in die St\x81tze "
        "ein. Die Bemessung erfolgt nach dem Stabwerkmodell mit Zugband und Druckstrebe; die "
        "Bewehrung wird als horizontale B\x81gel und geschlossene Schlaufen ausgebildet.";
    EXPECT_EQ(Written_Lines(comment),
              " Die Konsole tr\x84gt die Last des Unterzugs \x81" "ber eine kurze Kragl\x84nge in die St\x81tze "
              "ein. Die Bemessung erfolgt \n"
              " nach dem Stabwerkmodell mit Zugband und Druckstrebe; die Bewehrung wird als "
              "horizontale B\x81gel und \n"
              " geschlossene Schlaufen ausgebildet.\n");
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
}

TEST(UserComment, PlainAndWithLogo)
{
    const auto& widths = Font_Byte_Widths(FONT_CODE_NORMAL, Code_Page::Cp850);
    // A line too wide for 600 pixels fits into the plain form's 675.
    const std::string line((600 / widths['x']) + 5, 'x');
    ASSERT_LE(static_cast<int>(line.size() - 1) * widths['x'], 675);
    OLI_Reset_Channel();
    File_Stream plain;
    Write_User_Comment_Plain(plain.get(), line.c_str());
    OLI_End_Text_Block(plain.get());
    EXPECT_NE(plain.bytes().find(" " + line + "\n"), std::string::npos);
    EXPECT_EQ(Written_Lines(line.c_str()).find(" " + line + "\n"), std::string::npos);

    // The logo: a graphic block with the one record, before the comment's text.
    OLI_Reset_Channel();
    File_Stream logo;
    Write_User_Comment_With_Logo(logo.get(), "Vorbemerkung");
    OLI_End_Text_Block(logo.get());
    const std::string bytes = logo.bytes();
    const size_t block = bytes.find("#SHOWGRAFIC\n");
    const size_t record = bytes.find("\n27 0.0 0.0 %FONT%\\UserCommentLogo.ocm\n-1\n");
    const size_t text = bytes.find(" Vorbemerkung\n");
    ASSERT_NE(block, std::string::npos) << bytes;
    ASSERT_NE(record, std::string::npos) << bytes;
    ASSERT_NE(text, std::string::npos) << bytes;
    EXPECT_LT(block, record);
    EXPECT_LT(record, text);

    File_Stream nothing;
    Write_User_Comment_With_Logo(nothing.get(), "");
    EXPECT_EQ(nothing.bytes(), "");
}
