#include "base/string_helpers.h"

#include "platform/messages.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(StringHelpers, CopiesAreCutAt511Characters)
{
    for (size_t n : {510u, 511u, 512u, 1000u}) {
        const std::string text(n, 'a');
        const size_t expected = std::min<size_t>(n, 511);
        EXPECT_EQ(std::strlen(Trim_Blanks_Static(text.c_str())), expected) << n;
        EXPECT_EQ(std::strlen(Quote_To_Acute(text.c_str())), expected) << n;
        EXPECT_EQ(std::strlen(Ansi_To_Oem_Umlauts(text.c_str())), expected) << n;
        EXPECT_EQ(std::strlen(Oem_To_Ansi_Umlauts(text.c_str())), expected) << n;
        EXPECT_EQ(std::strlen(Pad_Blanks_Static(text.c_str(), static_cast<int>(n) + 5)), 511u) << n;
        EXPECT_EQ(std::strlen(Pad_Blanks_Static("x", static_cast<int>(n))), expected) << n;
    }
    EXPECT_STREQ(Trim_Blanks_Static("   Konsole B1  "), "Konsole B1");
    EXPECT_STREQ(Trim_Blanks_Static(nullptr), "");
    EXPECT_STREQ(Pad_Blanks_Static("ab", 5), "ab   ");
    EXPECT_STREQ(Pad_Blanks_Static("abcdef", 3), "abcdef");
    EXPECT_STREQ(Quote_To_Acute("l'x'"), "l\xB4x\xB4");
}

TEST(StringHelpers, GermanLettersBetweenCodePagesAndHtml)
{
    EXPECT_STREQ(Ansi_To_Oem_Umlauts("\xC4\xD6\xDC\xDF\xE4\xF6\xFC-\x84"), "\x8E\x99\x9A\xE1\x84\x94\x81-\x84");
    EXPECT_STREQ(Oem_To_Ansi_Umlauts("\x8E\x99\x9A\xE1\x84\x94\x81"), "\xC4\xD6\xDC\xDF\xE4\xF6\xFC");
    EXPECT_STREQ(Oem_Umlauts_To_Html("Tr\x84ger \xE1 \x9A"), "Tr&auml;ger &szlig; &Uuml;");
    // The output stops after 503 characters, and an entity is never cut.
    const std::string fits = std::string(497, 'a') + "\x84" + "b";
    EXPECT_EQ(std::string(Oem_Umlauts_To_Html(fits.c_str())), std::string(497, 'a') + "&auml;");
    const std::string too_long = std::string(498, 'a') + "\x84" + "b";
    EXPECT_EQ(std::string(Oem_Umlauts_To_Html(too_long.c_str())), std::string(498, 'a'));
    for (size_t n : {510u, 511u, 512u, 1000u})
        EXPECT_EQ(std::strlen(Oem_Umlauts_To_Html(std::string(n, '\x81').c_str())), 498u) << n;  // 83 entities
    EXPECT_EQ(std::strlen(Oem_Umlauts_To_Html(std::string(1000, 'x').c_str())), 503u);
}

TEST(StringHelpers, LinesAndWhiteSpaceFromWindowsFiles)
{
    File_Stream in("erste Zeile\r\nzweite\nletzte\r");
    char line[64];
    ASSERT_NE(Read_Line_No_Newline(line, sizeof line, in.get()), nullptr);
    EXPECT_STREQ(line, "erste Zeile");
    Read_Line_No_Newline(line, sizeof line, in.get());
    EXPECT_STREQ(line, "zweite");
    Read_Line_No_Newline(line, sizeof line, in.get());
    EXPECT_STREQ(line, "letzte");
    EXPECT_EQ(Read_Line_No_Newline(line, sizeof line, in.get()), nullptr);

    File_Stream blanks(" \t\r\n\r\n  x y");
    EXPECT_EQ(Skip_White_Space(blanks.get()), 'x');
    EXPECT_EQ(Skip_White_Space(blanks.get()), 'y');
    EXPECT_EQ(Skip_White_Space(blanks.get()), EOF);

    char text[] = "a b  c";
    EXPECT_EQ(Blanks_To_Question_Marks(text), 6);
    EXPECT_STREQ(text, "a?b??c");
    EXPECT_EQ(Question_Marks_To_Blanks(text), 6);
    EXPECT_STREQ(text, "a b  c");
}

TEST(StringHelpers, FileNames)
{
    Clear_Shown_Messages();
    EXPECT_EQ(Check_File_Name("Konsole_B1.txt", 1), 1);
    for (const char* bad : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"})
        EXPECT_EQ(Check_File_Name(bad, 0), 0) << bad;
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_EQ(Check_File_Name(".", 1), 0);
    EXPECT_EQ(Check_File_Name("..", 1), 0);
    EXPECT_EQ(Check_File_Name("...", 0), 1);
    EXPECT_EQ(Check_File_Name("x|y", 1), 0);
    EXPECT_EQ(Check_File_Name(nullptr, 1), 0);
    ASSERT_EQ(Shown_Messages().size(), 3u);
    EXPECT_EQ(Shown_Messages()[0].text, "Eine Datei darf weder '.' noch '..' hei\xDF" "en!");
    EXPECT_EQ(Shown_Messages()[2].text, "Unzul\xE4ssige Zeichen (\\/:*?\"<>|) im Dateinamen!");
    Clear_Shown_Messages();
}

TEST(StringHelpers, CommentPiecesShareTheWrapping)
{
    const auto pieces = Wrap_Comment_Pieces("Erste Zeile\n\nDritte", 600);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1], "");
    EXPECT_TRUE(Wrap_Comment_Pieces(nullptr, 600).empty());
    // A narrower width breaks at the last blank before it.
    const auto narrow = Wrap_Comment_Pieces("aaaa bbbb cccc", 60);
    ASSERT_GE(narrow.size(), 2u);
    EXPECT_EQ(narrow[0].back(), ' ');
}

} // namespace
