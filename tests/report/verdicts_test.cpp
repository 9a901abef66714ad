#include "report/verdicts.h"

#include "report/oli_channel.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string RED = "\xCE{C 1 230 0 0}";
const std::string BLUE = "\xCE{C 1 40 140 255}";
const std::string PURPLE = "\xCE{C 1 165 75 165}";
const std::string GREY = "\xCE{C 1 110 110 110}";
const std::string OFF = "\xCE{C 768}";
const std::string EMPH = "\xCE" "H";
// What the channel writes before the first text of a report.
const std::string BLOCK_OPENING = "\n#SHOWPARA\n0x0\n4\n-1\n";

// Runs the writer on a fresh stream with a ready channel; the bytes it wrote.
template <typename Writer>
std::string Written(Writer writer)
{
    FILE* stream = std::tmpfile();
    if (!stream) return "<no stream>";
    OLI_Reset_Channel();
    writer(stream);
    std::string bytes;
    std::rewind(stream);
    for (int c; (c = std::fgetc(stream)) != EOF;) bytes.push_back(static_cast<char>(c));
    std::fclose(stream);
    OLI_Reset_Channel();
    return bytes;
}

class Verdicts : public ::testing::Test {
protected:
    void SetUp() override
    {
        verdict_failed = 0;
        Set_Colours_Off(0);
    }
    void TearDown() override
    {
        verdict_failed = 0;
        Set_Colours_Off(0);
    }
};

} // namespace

TEST_F(Verdicts, WordsAndWhichOnesRaiseTheFailureFlag)
{
    struct Case {
        const char* (*word)();
        std::string text;
        int raises;
    };
    const Case cases[] = {
        {Get_Verdict_Ok, BLUE + EMPH + "ok" + OFF, 0},
        {Get_Verdict_Not_Ok, RED + EMPH + "nicht ok !!" + OFF, 1},
        {Get_Verdict_Red_Marks, RED + EMPH + "!!" + OFF, 1},
        {Get_Verdict_Purple_Marks, PURPLE + EMPH + "!!" + OFF, 0},
        {Get_Verdict_Purple_Ok, PURPLE + "ok" + OFF, 0},
        {Get_Verdict_EC3_Condition, PURPLE + "EC 3-Bedingung !!" + OFF, 0},
    };
    for (int off = 0; off <= 1; ++off) {
        Set_Colours_Off(off);
        for (const Case& c : cases) {
            verdict_failed = 0;
            EXPECT_EQ(c.word(), off ? std::string() : c.text) << c.text;
            // A failure is a failure whether it is shown in colour or not.
            EXPECT_EQ(verdict_failed, c.raises) << c.text;
        }
    }
    Set_Colours_Off(0);
    // One buffer per function: two calls in one line give the same text twice.
    char line[200];
    std::snprintf(line, sizeof line, "%s|%s", Get_Verdict_Ok(), Get_Verdict_Ok());
    EXPECT_EQ(std::string(line), BLUE + EMPH + "ok" + OFF + "|" + BLUE + EMPH + "ok" + OFF);
}

TEST_F(Verdicts, ColouredTextsOfAnyLengthStayColouredAndAreNoFailure)
{
    for (size_t length : {size_t(0), size_t(12), size_t(200), size_t(201), size_t(5000)}) {
        const std::string text(length, 'x');
        for (int off = 0; off <= 1; ++off) {
            Set_Colours_Off(off);
            verdict_failed = 0;
            EXPECT_EQ(Colour_Text_Grey(text.c_str()), GREY + text + OFF) << length;
            EXPECT_EQ(Colour_Text_Purple(text.c_str()), PURPLE + text + OFF) << length;
            EXPECT_EQ(verdict_failed, 0) << length;
            EXPECT_EQ(Colour_Text_Red_Marked(text.c_str()), RED + EMPH + text + " !!" + OFF) << length;
            EXPECT_EQ(verdict_failed, 1) << length;
        }
    }
}

TEST_F(Verdicts, RelationSignsUseTheirToleranceAndNeverRaise)
{
    const std::string red_gt = RED + EMPH + ">" + "\xCE" "r" + OFF;
    const std::string red_lt = RED + EMPH + "<" + "\xCE" "r" + OFF;
    EXPECT_EQ(Get_Relation_Sign_Max(10.0005, 10.0), std::string("="));
    EXPECT_EQ(Get_Relation_Sign_Max(10.002, 10.0), red_gt);
    EXPECT_EQ(Get_Relation_Sign_Max(9.998, 10.0), std::string("<"));
    EXPECT_EQ(Get_Relation_Sign_Min(9.9995, 10.0), std::string("="));
    EXPECT_EQ(Get_Relation_Sign_Min(9.998, 10.0), red_lt);
    EXPECT_EQ(Get_Relation_Sign_Min(10.002, 10.0), std::string(">"));

    // Single precision: values that differ only beyond it are equal.
    const double a = 1.0, b = 1.0 + 1e-12;
    EXPECT_STREQ(Get_Relation_Sign_Le(static_cast<float>(a), static_cast<float>(b)), "\xF3");
    EXPECT_STREQ(Get_Relation_Sign_Le(1.0f, 2.0f), "<");
    EXPECT_STREQ(Get_Relation_Sign_Le(2.0f, 1.0f), ">");
    EXPECT_STREQ(Get_Relation_Sign_Ge(2.0f, 2.0f), "\xF2");
    EXPECT_STREQ(Get_Relation_Sign_Ge(1.0f, 2.0f), "<");

    Set_Colours_Off(1);
    EXPECT_EQ(Get_Relation_Sign_Max(11.0, 10.0), red_gt);
    EXPECT_EQ(verdict_failed, 0);
}

TEST_F(Verdicts, FailedAndWarningLinesInBothColourModes)
{
    std::string failed = Written([](FILE* s) { OLI_Write_Failed_Line(s, "As zu klein"); });
    EXPECT_EQ(failed, BLOCK_OPENING + " " + RED + "As zu klein" + OFF + " " + RED + EMPH + "!!" + OFF + "\n");
    EXPECT_EQ(verdict_failed, 1);

    verdict_failed = 0;
    Set_Colours_Off(1);
    failed = Written([](FILE* s) { OLI_Write_Failed_Line(s, "As zu klein"); });
    EXPECT_EQ(failed, BLOCK_OPENING + " " + RED + "As zu klein" + OFF + " \n");
    EXPECT_EQ(verdict_failed, 1);  // the mark is not shown, the failure still counts

    for (int off = 0; off <= 1; ++off) {
        Set_Colours_Off(off);
        verdict_failed = 0;
        std::string warning = Written([](FILE* s) { OLI_Write_Warning_Line(s, "B\x81" "gel pr\x81" "fen"); });
        EXPECT_EQ(warning, BLOCK_OPENING + " " + PURPLE + "B\x81" "gel pr\x81" "fen !" + OFF + "\n");
        EXPECT_EQ(verdict_failed, 0);
    }

    // A null stream writes nothing and reports nothing.
    verdict_failed = 0;
    OLI_Write_Failed_Line(nullptr, "x");
    EXPECT_EQ(verdict_failed, 0);
}

TEST_F(Verdicts, NotCalculatedLineWithAndWithoutAName)
{
    EXPECT_EQ(Written([](FILE* s) { OLI_Write_Not_Calculated_Line(s, "Erm\x81" "dung"); }),
              BLOCK_OPENING + " Erm\x81" "dung: Berechnung nicht durchgef\x81" "hrt " + PURPLE + EMPH + "!!" + OFF + "\n");
    for (const char* name : {"", static_cast<const char*>(nullptr)})
        EXPECT_EQ(Written([name](FILE* s) { OLI_Write_Not_Calculated_Line(s, name); }),
                  BLOCK_OPENING + " Berechnung nicht durchgef\x81" "hrt " + PURPLE + EMPH + "!!" + OFF + "\n");
    EXPECT_EQ(verdict_failed, 0);  // a note, not a failed check
    OLI_Write_Not_Calculated_Line(nullptr, "x");
}
