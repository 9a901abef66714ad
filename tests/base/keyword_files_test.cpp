#include "base/keyword_files.h"

#include "test_support.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Reads block letter with labels of 41 bytes from a file holding text; capacity in rows.
struct Block {
    std::vector<double> values;
    std::vector<char> labels;
    int rows = -7;
    int result = -7;
    Keyword_Block_Stop stop;
    std::string label(int i) const { return &labels[static_cast<size_t>(i) * 41]; }
};

Block Read(const std::string& text, int letter = 'S', int capacity_rows = 100, bool with_labels = true)
{
    File_Stream f(text);
    Block b;
    b.values.assign(static_cast<size_t>(capacity_rows) * 2, -1.0);
    b.labels.assign(static_cast<size_t>(capacity_rows) * 41, 'z');
    b.result = Read_Keyword_Block(f.get(), b.values.data(), 2, 2, capacity_rows * 2,
                                  with_labels ? b.labels.data() : nullptr, 41, letter, &b.rows, &b.stop);
    return b;
}

} // namespace

TEST(KeywordFile, RowsLabelsSeparatorsAndDecimalCommas)
{
    // CR LF lines, a comment before the first keyword, any word behind '#S'.
    Block b = Read(To_CRLF("12 13 vor dem Block\n#Schnittgroessen\n12,5;3\n\n 7  8 ;Kombination 2\n"));
    EXPECT_EQ(b.result, 1);
    ASSERT_EQ(b.rows, 2);
    EXPECT_EQ(b.values[0], 12.5);
    EXPECT_EQ(b.values[1], 3.0);
    EXPECT_EQ(b.label(0), "");
    EXPECT_EQ(b.values[2], 7.0);
    EXPECT_EQ(b.values[3], 8.0);
    EXPECT_EQ(b.label(1), "Kombination 2");  // no carriage return left behind

    // Values go through single precision; a label is cut to the width - 1.
    b = Read("#S\n0.1 0,2 " + std::string(60, 'L') + "\n");
    ASSERT_EQ(b.rows, 1);
    EXPECT_EQ(b.values[0], static_cast<double>(0.1f));
    EXPECT_NE(b.values[0], 0.1);
    EXPECT_EQ(b.label(0), std::string(40, 'L'));

    // Without labels rows run on over lines and a line holds several rows.
    b = Read("#S\n1 2 3\n4\n5 6 Text\n", 'S', 100, false);
    EXPECT_EQ(b.rows, 3);
    EXPECT_EQ(b.values[3], 4.0);
}

TEST(KeywordFile, BlockBoundsUnreadableValuesAndCapacity)
{
    // Only the first block S; the stream stands at the keyword line that ended it.
    File_Stream f("#A\n9 9\n#S\n1 2\n#T\n3 4\n#S\n5 6\n");
    double v[20];
    int rows = 0;
    EXPECT_EQ(Read_Keyword_Block(f.get(), v, 2, 2, 20, nullptr, 0, 'S', &rows), 1);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(Read_Fixed_Line(f.get(), 80), std::string("#T"));

    Block b = Read("#A\n1 2\n");
    EXPECT_EQ(b.result, 0);
    EXPECT_EQ(b.rows, 0);

    // An unreadable value ends the block; the incomplete row does not count.
    b = Read("#S\n5 6\n1 x 2\n7 8\n");
    EXPECT_EQ(b.rows, 1);
    b = Read("#S\nnan 1\ninf 2\n");  // no force may become undefined
    EXPECT_EQ(b.rows, 0);

    // A capacity of exactly n rows gives n - 1 of them; the rows without room are counted
    // up to the block's end, or without labels up to an unreadable value.
    std::string many = "#S\n";
    for (int i = 0; i < 12000; ++i) many += std::to_string(i) + " 1 L" + std::to_string(i) + "\n";
    b = Read(many + "#T\n1 2\n", 'S', 10000);
    EXPECT_EQ(b.rows, 9999);
    EXPECT_EQ(b.values[2 * 9998], 9998.0);
    EXPECT_EQ(b.label(9998), "L9998");
    EXPECT_EQ(b.stop.rows_beyond, 2001);
    EXPECT_EQ(b.stop.line, 0);
    b = Read("#S\n1 2 3 4 5 6\n7\n8\n9 x 10 11\n", 'S', 2, false);
    EXPECT_EQ(b.rows, 1);
    EXPECT_EQ(b.stop.rows_beyond, 3);
    EXPECT_EQ(Read("#S\n1 2\n3 4\n", 'S', 3).stop.rows_beyond, 0);

    // Impossible arguments leave the count alone.
    rows = 5;
    EXPECT_EQ(Read_Keyword_Block(nullptr, v, 2, 2, 20, nullptr, 0, 'S', &rows), 0);
    EXPECT_EQ(Read_Keyword_Block(f.get(), v, 21, 21, 20, nullptr, 0, 'S', &rows), 0);
    EXPECT_EQ(Read_Keyword_Block(f.get(), v, 2, 1, 20, nullptr, 0, 'S', &rows), 0);
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(Read_Keyword_Block(f.get(), v, 2, 2, 2, nullptr, 0, 'S', &rows), 0);
    EXPECT_EQ(rows, 0);
}

TEST(KeywordFile, TheValueThatEndsTheBlockIsToldAndUtf8LabelsAreTaken)
{
    File_Stream f("#Kopf\n#S\n1 2 eins\n3 4 zwei " + std::string(300, 'x') + "\n5 1e300 drei\n7 8\n");
    double v[20];
    char labels[10 * 41];
    int rows = 0;
    Keyword_Block_Stop stop;
    EXPECT_EQ(Read_Keyword_Block(f.get(), v, 2, 2, 20, labels, 41, 'S', &rows, &stop), 1);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(stop.line, 5);
    EXPECT_EQ(stop.row, 3);
    EXPECT_STREQ(stop.value, "1e300");
    EXPECT_TRUE(stop.too_large);
    File_Stream g("#S\n1 2\n3 inf\n");
    Read_Keyword_Block(g.get(), v, 2, 2, 20, nullptr, 0, 'S', &rows, &stop);
    EXPECT_EQ(stop.line, 3);
    EXPECT_FALSE(stop.too_large);

    // A byte order mark before "#S"; UTF-8 names in code page 850, cut by characters; a
    // name in code page 850 stays as it is.
    Block b = Read("\xEF\xBB\xBF#S\n1 2 Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC\n3 4 Gr\x94\xE1" "e\n5 6 " +
                   std::string(38, 'a') + "\xC3\xA4\xC3\xA4\n");
    ASSERT_EQ(b.rows, 3);
    EXPECT_EQ(b.label(0), "Gr\x94\xE1" "e ?");
    EXPECT_EQ(b.label(1), "Gr\x94\xE1" "e");
    EXPECT_EQ(b.label(2), std::string(38, 'a') + "\x84\x84");
}

TEST(KeywordFile, LongLinesAndMalformedInputDoNotOverrun)
{
    // Pieces of 255 characters: labels and values never run beyond their slots, and the
    // rest of a long line is a line of its own.
    std::string text = "#S\n1 2 " + std::string(200, 'x') + "\n" + std::string(600, ';') + "3\n4\n#\n\x01\xff\n#";
    text += std::string(3000, '9');
    Block b = Read(text, 'S', 4);
    EXPECT_EQ(b.rows, 2);
    EXPECT_EQ(b.label(0), std::string(40, 'x'));
    EXPECT_EQ(b.values[2], 3.0);
    EXPECT_EQ(b.values[3], 4.0);
    b = Read("#S\n1 2 " + std::string(300, 'x') + "\n3 4\n", 'S', 4);
    EXPECT_EQ(b.rows, 2);  // the rest of a long label is no value
    // Bytes of every value cannot confuse it.
    std::string noise = "#S\n";
    for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 7919) % 256);
    Read(noise, 'S', 50);
}

TEST(KeywordFile, WritersAndTheirReadBack)
{
    File_Stream f;
    const double x[] = {1.5, -2.0}, y[] = {3.0, 4.25};
    EXPECT_EQ(Write_Keyword_Block(f.get(), x, y, nullptr, 2, 2, "Punkte"), 1);
    EXPECT_EQ(Write_Keyword_Block(f.get(), x, y, nullptr, 2, 0, "Leer"), 1);
    EXPECT_EQ(f.bytes(), "#Punkte\n 1.500000 3.000000\n -2.000000 4.250000\n\n#Leer\n\n");
    EXPECT_EQ(Write_Keyword_Block(f.get(), x, nullptr, nullptr, 2, 2, "K"), 0);
    EXPECT_EQ(Write_Keyword_Block(nullptr, x, y, nullptr, 2, 2, "K"), 0);

    std::rewind(f.get());
    double a[4] = {}, c[4] = {};
    int rows = 0;
    EXPECT_EQ(Read_Keyword_Columns(f.get(), a, c, nullptr, 2, &rows, 4, 'P'), 1);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(a[1], -2.0);
    EXPECT_EQ(c[1], 4.25);

    File_Stream t;
    EXPECT_EQ(Write_Section_Template_To(t.get(), 30.0, 10.0, 5.0, 4.0, 1, 4), 1);
    const std::string s = t.bytes();
    EXPECT_EQ(s.rfind("#Kommentar\n", 0), 0u);
    EXPECT_NE(s.find("k\x94nnen bis zu 6"), std::string::npos);
    EXPECT_NE(s.find("#Berandung (je 2 Argumente: y-,z-Koordinate in cm)\n 30.000000 0.000000\n"), std::string::npos);
    EXPECT_NE(s.find("#Linienbewehrungszug 1 (je 2 Argumente: y-,z-Koordinate in cm)\n 25.000000 0.000000\n"),
              std::string::npos);
    EXPECT_NE(s.find("#Aussparung"), std::string::npos);
    EXPECT_NE(s.find("#Linienbewehrungszug 2 (je 2 Argumente: y-,z-Koordinate in cm)\n 14.000000 0.000000\n"),
              std::string::npos);
    // Each ring's points read back as its radius.
    std::rewind(t.get());
    double py[64], pz[64];
    EXPECT_EQ(Read_Keyword_Columns(t.get(), py, pz, nullptr, 2, &rows, 64, 'B'), 1);
    ASSERT_EQ(rows, 4);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(std::hypot(py[k], pz[k]), 30.0, 1e-5);

    File_Stream solid;
    Write_Section_Template_To(solid.get(), 30.0, 0.0, 5.0, 4.0, 0, 0);
    EXPECT_EQ(solid.bytes().find("#Aussparung"), std::string::npos);
    EXPECT_EQ(Count_Of(solid.bytes(), "\n "), 4 + 64);  // 32 points a ring
}

TEST(KeywordFile, FixedLines)
{
    File_Stream f("Kopf   \r\nabcdefghij\n\nrest");
    EXPECT_STREQ(Read_Fixed_Line(f.get(), 20), "Kopf");
    EXPECT_STREQ(Read_Fixed_Line(f.get(), 4), "abcd");
    EXPECT_STREQ(Read_Fixed_Line(f.get(), 20), "efghij");
    EXPECT_STREQ(Read_Fixed_Line(f.get(), 20), "");
    EXPECT_STREQ(Read_Fixed_Line(f.get(), 1000), "rest");
    EXPECT_STREQ(Read_Fixed_Line(nullptr, 10), "");
}
