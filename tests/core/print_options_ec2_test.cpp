#include "core/print_options_ec2.h"

#include "base/alloc.h"
#include "test_support.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// A record that frees its remarks when the test ends.
struct Options {
    EC2_Print_Options r;
    Options() { Init_EC2_Print_Options(&r); }
    ~Options() { Init_EC2_Print_Options(&r); }
    void Set_Remarks(const std::string& text)
    {
        Init_EC2_Print_Options(&r);
        r.remarks = MEM_STRDUP(text.c_str());
    }
    std::string remarks() const { return r.remarks ? r.remarks : "<null>"; }
};

std::string Written(EC2_Print_Options* r)
{
    File_Stream out;
    EXPECT_EQ(Write_EC2_Print_Options(out.get(), r), 0);
    return out.bytes();
}

const std::string HEAD = " 0\n 1 0 1 1 3 0.000000 0 1 1 1 1 1 0 1\n";

} // namespace

TEST(PrintOptionsEc2, DefaultsAndSwitchOrder)
{
    Options o;
    EXPECT_EQ(Written(&o.r), HEAD + " 0\n");

    for (int i = 0; i < EC2_PRINT_SWITCH_COUNT; ++i) o.r.switches[i] = 100 + i;
    o.r.switches[EC2_PRINT_DETAIL_CASE] = -3;
    o.r.scale = 12.5;
    const std::string bytes = Written(&o.r);
    EXPECT_EQ(bytes, " 0\n 100 101 102 103 109 12.500000 104 105 106 107 108 -3 111 112\n 0\n");

    // Read back, each switch keeps its range: a value no sheet can store is the switch's
    // default (here all but the choice -3), the detail level is 0 to 5 and the choice
    // 1, 0 or a row the tables can hold.
    struct Case {
        std::string line;
        int expected[EC2_PRINT_SWITCH_COUNT];
    };
    const Case cases[] = {
        {bytes, {1, 0, 1, 1, 0, 1, 1, 1, 1, 3, -3, 0, 1}},
        {" 0\n 0 1 0 0 5 0 1 0 0 0 0 -100000 1 0\n 0\n", {0, 1, 0, 0, 1, 0, 0, 0, 0, 5, -100000, 1, 0}},
        {" 0\n 1 0 1 1 6 0 0 1 1 1 1 -100001 0 1\n 0\n", {1, 0, 1, 1, 0, 1, 1, 1, 1, 3, 1, 0, 1}},
        {" 0\n 1 0 1 1 3 0 0 1 1 1 1 -2147483648 0 1\n 0\n", {1, 0, 1, 1, 0, 1, 1, 1, 1, 3, 1, 0, 1}},
        {" 0\n 1 0 1 1 -1 0 0 1 1 1 1 2 0 1\n 0\n", {1, 0, 1, 1, 0, 1, 1, 1, 1, 3, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        Options back;
        File_Stream in(c.line);
        ASSERT_EQ(Read_EC2_Print_Options(in.get(), &back.r), 0) << c.line;
        for (int i = 0; i < EC2_PRINT_SWITCH_COUNT; ++i) EXPECT_EQ(back.r.switches[i], c.expected[i]) << c.line << i;
    }
    Options back;
    File_Stream in(bytes);
    ASSERT_EQ(Read_EC2_Print_Options(in.get(), &back.r), 0);
    EXPECT_EQ(back.r.scale, 12.5);

    // The defaults free the remarks (the sanitizer would report a leak).
    o.Set_Remarks("alte Vorbemerkung");
    Init_EC2_Print_Options(&o.r);
    EXPECT_EQ(o.r.remarks, nullptr);
    EXPECT_EQ(o.r.switches[EC2_PRINT_DETAIL_LEVEL], 3);
}

TEST(PrintOptionsEc2, RemarksRoundTrip)
{
    // Blanks travel as '~', line ends and tabs raw; a '~' of the text comes back as a blank,
    // in memory right after writing as well.
    const std::string text = "Lager  nach\tZeichnung 12~3\nzweite Zeile\n\n  einger\x81" "ckt";
    std::string expected = text;
    expected[expected.find('~')] = ' ';
    Options o;
    o.Set_Remarks(text);
    const std::string bytes = Written(&o.r);
    EXPECT_EQ(bytes, HEAD + " " + std::to_string(text.size()) + " Lager~~nach\tZeichnung~12~3\nzweite~Zeile\n\n~~einger\x81" "ckt\n");
    EXPECT_EQ(o.remarks(), expected);

    for (const std::string& file : {bytes, To_CRLF(bytes)}) {
        Options back;
        back.Set_Remarks("wird ersetzt");
        File_Stream in(file + " 42\n");
        ASSERT_EQ(Read_EC2_Print_Options(in.get(), &back.r), 0);
        EXPECT_EQ(back.remarks(), expected);
        int next = 0;  // the reader stops right behind the remarks
        EXPECT_EQ(std::fscanf(in.get(), "%d", &next), 1);
        EXPECT_EQ(next, 42);
    }

    // Carriage returns in memory are not written, so the length stays true.
    o.Set_Remarks("erste Zeile\r\nzweite\r\n");
    EXPECT_EQ(Written(&o.r), HEAD + " 19 erste~Zeile\nzweite\n\n");

    // A length below 1 ends the block and leaves the earlier remarks; the reader stops
    // right behind the length.
    for (const char* length : {" 0", " -3"}) {
        File_Stream none(HEAD + length + "\n 42\n");
        ASSERT_EQ(Read_EC2_Print_Options(none.get(), &o.r), 0) << length;
        EXPECT_EQ(o.remarks(), "erste Zeile\r\nzweite\r\n") << length;
        int next = 0;
        EXPECT_EQ(std::fscanf(none.get(), "%d", &next), 1);
        EXPECT_EQ(next, 42);
    }
}

TEST(PrintOptionsEc2, DamagedRemarksLengthIsRefused)
{
    // Absurdly large, longer than the file, or cut short by its end: a read error, no
    // huge allocation, the earlier remarks stay.
    for (const std::string& tail : {" " + std::to_string(INT_MAX) + " abc\n",
                                    std::string(" 1000001 abc\n"), std::string(" 50 nur~zehn~\n"),
                                    std::string(" 4 abc"), std::string(" 3")}) {
        Options o;
        o.Set_Remarks("vorher");
        File_Stream in(HEAD + tail);
        EXPECT_EQ(Read_EC2_Print_Options(in.get(), &o.r), 1) << tail;
        EXPECT_EQ(o.remarks(), "vorher") << tail;
    }
    // Exactly as many characters as announced, at the very end of the file.
    Options o;
    File_Stream exact(HEAD + " 5 a~b~c");
    EXPECT_EQ(Read_EC2_Print_Options(exact.get(), &o.r), 0);
    EXPECT_EQ(o.remarks(), "a b c");
}

TEST(PrintOptionsEc2, ReaderRefusesNewerVersionsAndMissingValues)
{
    Options o;
    File_Stream newer(" 1\n 1 0 1 1 3 0.0 0 1 1 1 1 1 0 1\n 0\n");
    EXPECT_EQ(Read_EC2_Print_Options(newer.get(), &o.r), 1);
    File_Stream future(" 9999\n 0 0 0 0 4 5.0 0 0 0 0 0 0 0 0\n 0\n");
    EXPECT_EQ(Read_EC2_Print_Options(future.get(), &o.r), 0);
    EXPECT_EQ(o.r.switches[EC2_PRINT_DETAIL_LEVEL], 4);

    File_Stream first_part(" 0\n 0 1 0 0 2 x\n");
    EXPECT_EQ(Read_EC2_Print_Options(first_part.get(), &o.r), 1);
    EXPECT_EQ(o.r.switches[EC2_PRINT_DETAIL_LEVEL], 2);  // read before the gap: stays
    File_Stream second_part(" 0\n 1 0 1 1 3 0.0 0 1 1 0 0\n");
    EXPECT_EQ(Read_EC2_Print_Options(second_part.get(), &o.r), 1);
    File_Stream no_length(HEAD);
    EXPECT_EQ(Read_EC2_Print_Options(no_length.get(), &o.r), 1);
}

TEST(PrintOptionsEc2, CopyIsDeep)
{
    Options source;
    source.Set_Remarks("Vorbemerkung zur Position");
    source.r.switches[EC2_PRINT_DETAIL_CASE] = -4;
    source.r.scale = 20.0;
    Options copy;
    copy.Set_Remarks("wird freigegeben");
    Copy_EC2_Print_Options(&source.r, &copy.r);
    EXPECT_EQ(copy.remarks(), "Vorbemerkung zur Position");
    EXPECT_NE(copy.r.remarks, source.r.remarks);
    EXPECT_EQ(copy.r.switches[EC2_PRINT_DETAIL_CASE], -4);
    EXPECT_EQ(copy.r.scale, 20.0);
    // Onto itself the text survives the freeing of the destination.
    Copy_EC2_Print_Options(&source.r, &source.r);
    EXPECT_EQ(source.remarks(), "Vorbemerkung zur Position");
    // Empty remarks are not copied as a text.
    source.Set_Remarks("");
    Copy_EC2_Print_Options(&source.r, &copy.r);
    EXPECT_EQ(copy.r.remarks, nullptr);
}

TEST(PrintOptionsEc2, RemarksAreWrappedForTheSheet)
{
    // A 150-character line with blanks is broken at its last blank up to index 109.
    std::string words;
    while (words.size() < 150) words += "Wort ";
    words.resize(150);
    std::string text = words + "\nkurz\n";
    EXPECT_EQ(Wrap_Print_Remarks(text.data()), 3);
    EXPECT_EQ(text.find('\n'), 109u);

    // Without a blank the line stays whole; so does a last line without a line end.
    std::string solid = std::string(150, 'x') + "\n" + words;
    const std::string solid_before = solid;
    EXPECT_EQ(Wrap_Print_Remarks(solid.data()), 1);
    EXPECT_EQ(solid, solid_before);

    // A 400-character line is broken three times; 110 characters are not broken, 111 are.
    std::string very_long;
    while (very_long.size() < 400) very_long += "abcdefghi ";
    very_long += "\n";
    EXPECT_EQ(Wrap_Print_Remarks(very_long.data()), 4);
    std::string edge = std::string(50, 'a') + " " + std::string(59, 'b') + "\n";
    EXPECT_EQ(Wrap_Print_Remarks(edge.data()), 1);
    edge.insert(52, "b");
    EXPECT_EQ(Wrap_Print_Remarks(edge.data()), 2);
    EXPECT_EQ(edge[50], '\n');
}
