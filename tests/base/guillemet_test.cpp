#include "base/exchange_text.h"
#include "base/guillemet.h"

#include "test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

TEST(GuillemetStrings, WritersReturnZeroOnSuccess)
{
    File_Stream f;
    EXPECT_EQ(ZXP_Write_String(f.get(), "Deutschland"), 0);
    EXPECT_EQ(ZXP_Write_String(f.get(), nullptr), 0);
    EXPECT_EQ(ZXP_Write_Delimited(f.get(), "x y", '<', '>'), 0);
    EXPECT_EQ(f.bytes(), In_Guillemets("Deutschland") + In_Guillemets("") + "<x y>");
    EXPECT_EQ(ZXP_Write_String(nullptr, "a"), 1);
}

TEST(GuillemetStrings, ReadersAcceptCrLfAndLfBetweenFields)
{
    File_Stream f(In_Guillemets("eins") + "\r\n" + In_Guillemets("zwei drei") + "\n\t " + In_Guillemets("") +
                  "\r\n" + In_Guillemets("vier") + "\r\n\r\n" + In_Guillemets("f\x81nf"));
    char small[ZXP_STRING_SIZE];
    char large[GUILLEMET_TEXT_SIZE];
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 4);
    EXPECT_STREQ(small, "eins");
    EXPECT_EQ(Read_Guillemet_Text(f.get(), large), 9);
    EXPECT_STREQ(large, "zwei drei");
    EXPECT_EQ(Read_Guillemet_Text(f.get(), large), 0);  // empty, not missing
    EXPECT_EQ(ZXP_Read_Delimited(f.get(), large, 50, 0xAE, 0xAF), 4);
    EXPECT_STREQ(large, "vier");
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 4);
    EXPECT_STREQ(small, "f\x81nf");
}

TEST(GuillemetStrings, OverLongTextIsCutButFollowingFieldsStayInStep)
{
    const std::string t300 = std::string(250, 'b') + std::string(50, 'c');
    File_Stream f(In_Guillemets(std::string(150, 'a')) + " " + In_Guillemets("next") + "\n" + In_Guillemets(t300) +
                  In_Guillemets("after") + "\n" + In_Guillemets("0123456789abc") + In_Guillemets("end"));
    char small[ZXP_STRING_SIZE];
    char large[GUILLEMET_TEXT_SIZE];
    char tiny[10];
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 99);
    EXPECT_EQ(std::string(small), std::string(99, 'a'));
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 4);
    EXPECT_STREQ(small, "next");
    EXPECT_EQ(Read_Guillemet_Text(f.get(), large), 255);
    EXPECT_EQ(std::string(large), t300.substr(0, 255));  // and terminated
    EXPECT_EQ(Read_Guillemet_Text(f.get(), large), 5);
    EXPECT_STREQ(large, "after");
    EXPECT_EQ(ZXP_Read_Delimited(f.get(), tiny, sizeof tiny, 0xAE, 0xAF), 9);
    EXPECT_STREQ(tiny, "012345678");
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 3);
    EXPECT_STREQ(small, "end");
}

TEST(GuillemetStrings, MissingClosingByteEndsTheTextAtEndOfFile)
{
    char small[ZXP_STRING_SIZE];
    char large[GUILLEMET_TEXT_SIZE];
    File_Stream a("\xAE" "abc");
    EXPECT_EQ(ZXP_Read_String(a.get(), small), 3);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(ZXP_Read_String(a.get(), small), 0);
    File_Stream b("\r\n\xAE" + std::string(400, 'z'));
    EXPECT_EQ(Read_Guillemet_Text(b.get(), large), 255);
    EXPECT_EQ(Read_Guillemet_Text(b.get(), large), -1);
}

TEST(GuillemetStrings, AnotherByteInPlaceOfTheOpeningOne)
{
    File_Stream f("  x" + In_Guillemets("a") + " y" + In_Guillemets("b") + " z");
    char small[ZXP_STRING_SIZE] = "old";
    char large[GUILLEMET_TEXT_SIZE];
    // The fixed-size readers consume the byte ...
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 0);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(ZXP_Read_String(f.get(), small), 1);
    EXPECT_EQ(Read_Guillemet_Text(f.get(), large), -1);
    EXPECT_EQ(Read_Guillemet_Text(f.get(), large), 1);
    // ... the general one leaves it for the next field.
    EXPECT_EQ(ZXP_Read_Delimited(f.get(), large, 50, 0xAE, 0xAF), 0);
    EXPECT_EQ(std::fgetc(f.get()), 'z');
    EXPECT_EQ(ZXP_Read_Delimited(f.get(), large, 0, 0xAE, 0xAF), -1);
    EXPECT_EQ(Read_Guillemet_Text(nullptr, large), -1);
}

TEST(ExchangeText, TrimAndBoundedCopy)
{
    char text[] = " \t ab c \r\n";
    EXPECT_EQ(ZXP_Trim(text, ZXP_TRIM_TRAILING), 7);
    EXPECT_EQ(ZXP_Trim(text, ZXP_TRIM_LEADING), 4);
    EXPECT_STREQ(text, "ab c");
    char dst[6];
    EXPECT_EQ(ZXP_Copy_Trimmed("  ab ", dst, sizeof dst, 7), 5);
    EXPECT_STREQ(dst, "ab   ");
    EXPECT_EQ(ZXP_Copy_Trimmed("abcd   xyz", dst, sizeof dst, 3), 4);  // only what fits is trimmed
    EXPECT_STREQ(dst, "abcd");
    EXPECT_EQ(ZXP_Copy_Trimmed("a", dst, 0, 0), 0);
}

TEST(ExchangeText, SeekMarkerAndReadLineWithCrLf)
{
    File_Stream f("#EO\r\nx #EOC\n#EOC\r\nnach eins\n#EOCweiter\r\n123456789\nabcdefghijk\r\nx\ry\n#EO");
    char line[10];
    EXPECT_EQ(ZXP_Seek_Marker(f.get(), "#EOC", 0), 1);
    EXPECT_EQ(ZXP_Read_Line(f.get(), line, sizeof line), 10);
    EXPECT_STREQ(line, "nach eins");
    EXPECT_EQ(ZXP_Seek_Marker(f.get(), "#EOC", 0), 1);
    // A full buffer passes over the rest of the line, its end included.
    EXPECT_EQ(ZXP_Read_Line(f.get(), line, sizeof line), 10);
    EXPECT_STREQ(line, "123456789");
    EXPECT_EQ(ZXP_Read_Line(f.get(), line, sizeof line), 10);
    EXPECT_STREQ(line, "abcdefghi");
    EXPECT_EQ(ZXP_Read_Line(f.get(), line, sizeof line), 4);  // a lone CR stays
    EXPECT_STREQ(line, "x\ry");
    EXPECT_EQ(ZXP_Seek_Marker(f.get(), "#EOC", 0), 0);  // a shorter last line does not match
    EXPECT_EQ(ZXP_Seek_Marker(f.get(), "#EOC", 1), 1);
    EXPECT_EQ(ZXP_Read_Line(f.get(), line, sizeof line), 10);
    EXPECT_STREQ(line, "nach eins");
    EXPECT_EQ(ZXP_Read_Line(nullptr, line, sizeof line), 1);
    EXPECT_EQ(ZXP_Read_Line(f.get(), line, 0), -1);
}
