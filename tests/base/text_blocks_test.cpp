#include "base/text_blocks.h"

#include "base/alloc.h"

#include "test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A text line of a block.
std::string G(const std::string& text) { return In_Guillemets(text) + "\n"; }

struct Text_Deleter {
    void operator()(char* p) const { Free_If_Set(p); }
};
using Text = std::unique_ptr<char, Text_Deleter>;

std::string Written_Block(const char* text)
{
    File_Stream f;
    Write_Text_Block(f.get(), text);
    return f.bytes();
}

// Reads one block from the bytes; "<null>" when none was read.
std::string Read_Block(const std::string& bytes, std::string* rest = nullptr)
{
    File_Stream f(bytes);
    Text t(Read_Text_Block(f.get()));
    if (rest) {
        rest->clear();
        for (int c; (c = std::fgetc(f.get())) != EOF;) rest->push_back(static_cast<char>(c));
    }
    return t ? std::string(t.get()) : "<null>";
}

} // namespace

TEST(TextBlock, WrittenFormat)
{
    EXPECT_EQ(Written_Block("abc"), "TXB3\n" + G("abc"));
    EXPECT_EQ(Written_Block("a\nb\n"), "TXB4\n" + G("a\x01" "b\x01"));
    EXPECT_EQ(Written_Block(""), "TXB0\n");
    EXPECT_EQ(Written_Block(nullptr), "TXB0\n");

    const std::string hundred(100, 'h');
    EXPECT_EQ(Written_Block(hundred.c_str()), "TXB100\n" + G(hundred));
    const std::string more = hundred + "x";
    EXPECT_EQ(Written_Block(more.c_str()), "TXB101\n" + G(hundred) + G("x"));
    Write_Text_Block(nullptr, "abc");  // no stream: nothing happens
}

TEST(TextBlock, RoundTripsWithLfAndCrLf)
{
    const std::string texts[] = {
        "abc",
        std::string(100, 'a'),
        std::string(100, 'a') + "b",
        "Zeile 1\nZeile 2\n\nZeile \x84\n",
        std::string(99, 'z') + "\n" + std::string(150, 'y'),
        "\n",
    };
    for (const std::string& text : texts) {
        std::string lf = Written_Block(text.c_str());
        const std::string crlf = To_CRLF(lf);
        std::string rest;
        EXPECT_EQ(Read_Block(lf + "#EOC\n", &rest), text);
        EXPECT_EQ(rest, "\n#EOC\n");  // the reader stands behind the last chunk
        EXPECT_EQ(Read_Block("\r\n \n" + crlf + "#EOC\r\n", &rest), text);
        EXPECT_EQ(rest, "\r\n#EOC\r\n");
    }
}

TEST(TextBlock, MissingOrEmptyBlocksGiveNull)
{
    EXPECT_EQ(Read_Block("TXB0\n"), "<null>");
    EXPECT_EQ(Read_Block(""), "<null>");
    EXPECT_EQ(Read_Block("\tTXB3\n" + G("abc")), "<null>");  // a tab is not skipped
    EXPECT_EQ(Read_Block("TXB\n" + G("abc")), "<null>");
    EXPECT_EQ(Read_Block("TXB-3\n" + G("abc")), "<null>");
    // Announced but without a character: no text either (an owner would otherwise keep
    // an empty comment and write it back as a block of length 0, which reads as none).
    std::string rest;
    EXPECT_EQ(Read_Block("TXB9\n#EOC\n", &rest), "<null>");
    EXPECT_EQ(rest, "#EOC\n");
    EXPECT_EQ(Read_Block("TXB9\n\xAE\xAF\n"), "<null>");
    EXPECT_EQ(Read_Text_Block(nullptr), nullptr);
}

TEST(TextBlock, AbsurdLengthIsRefusedWithoutAllocating)
{
    EXPECT_EQ(Read_Block("TXB99999999999999999999\n" + G("abc")), "<null>");
    EXPECT_EQ(Read_Block("TXB4294967297\n" + G("abc")), "<null>");  // would wrap to 1
    EXPECT_EQ(Read_Block("TXB" + std::to_string(TEXT_BLOCK_MAX_LENGTH + 1) + "\n" + G("abc")), "<null>");
    EXPECT_EQ(Read_Block("TXB" + std::to_string(TEXT_BLOCK_MAX_LENGTH) + "\n" + G("abc")), "abc");
}

TEST(TextBlock, MalformedChunksAreCut)
{
    std::string rest;
    // Shorter than announced: the part read, the following line untouched.
    EXPECT_EQ(Read_Block("TXB50\n" + G("kurz") + "#ZXP_OBJECT_EOC\n", &rest), "kurz");
    EXPECT_EQ(rest, "#ZXP_OBJECT_EOC\n");
    // A chunk over 100 characters is cut to 100.
    EXPECT_EQ(Read_Block("TXB120\n" + G(std::string(120, 'a')) + G("bc")), std::string(100, 'a') + "bc");
    // A chunk beyond the 255 a guillemet text holds: still in step with the next one.
    EXPECT_EQ(Read_Block("TXB150\n" + G(std::string(300, 'a')) + G("bc")), std::string(100, 'a') + "bc");
    // No more than announced, even within a chunk.
    EXPECT_EQ(Read_Block("TXB3\n" + G("abcdef") + G("gh"), &rest), "abc");
    EXPECT_EQ(rest, "\n" + G("gh"));
    // Missing closing byte at the end of the file.
    EXPECT_EQ(Read_Block("TXB5\n\xAE" "ab\x01" "c"), "ab\nc");
    EXPECT_EQ(Read_Block("TXB5\n\xAE"), "<null>");  // nothing read: no text
}

TEST(TextBlock, StringHelpers)
{
    Text a(Dup_String_Bounded("abcdef", 3));
    ASSERT_TRUE(a);
    EXPECT_STREQ(a.get(), "abc");
    Text c(Dup_String_Bounded(nullptr, 5000));
    ASSERT_TRUE(c);
    EXPECT_STREQ(c.get(), "\n");
    Text d(Dup_String_Bounded(nullptr, 0));  // room for the newline even so
    ASSERT_TRUE(d);
    EXPECT_STREQ(d.get(), "\n");
    EXPECT_EQ(Dup_String_Bounded("x", -1), nullptr);

    EXPECT_EQ(Get_String_Size(""), 1);
    EXPECT_EQ(Get_String_Size("abc"), 4);
    EXPECT_EQ(Get_String_Size(nullptr), 0);
    Free_If_Set(nullptr);
}
