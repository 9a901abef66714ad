#include "report/print_options.h"

#include "../annex/annex_env.h"
#include "core/startup.h"
#include "platform/messages.h"
#include "report/oli_channel.h"

#include "test_support.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// A record that frees its remarks when the test ends.
struct Options : Steel_Print_Options {
    Options() { Init_Steel_Print_Options(this); }
    ~Options() { Init_Steel_Print_Options(this); }
};

// Gives the record a copy of the text as its remarks; the other fields stay.
void Set_Remarks(Steel_Print_Options* record, const char* text)
{
    Steel_Print_Options source = *record;
    source.remarks = const_cast<char*>(text);
    Copy_Steel_Print_Options(&source, record);
}

const char* const V7_VALUES = " 7\n 1 0 1 1 1 0.0 0 1 1 1 1 1 0 0 0.0\n";

class PrintOptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        refresh_mode = 0;
        Clear_Shown_Messages();
    }
    void TearDown() override { Clear_Shown_Messages(); }
};

} // namespace

TEST_F(PrintOptions, WrittenAsVersionSevenBlockAndReadBack)
{
    Options o;
    File_Stream defaults;
    EXPECT_EQ(Write_Steel_Print_Options(defaults.get(), &o), 0);
    EXPECT_EQ(defaults.bytes(), " 7\n 1 0 1 1 1 0.000000 0 1 1 1 1 1 0 0 0.000000\n 0\n");
    EXPECT_EQ(Write_Steel_Print_Options(nullptr, &o), 1);

    for (int i = 0; i < STEEL_PRINT_SWITCH_COUNT; ++i) o.switches[i] = 100 + i;
    o.switches[10] = -3;
    o.scale = 50.0;
    o.tolerance = 2.5;
    const char* remarks = "Erste Zeile\nZweite  Zeile mit \x84";
    Set_Remarks(&o, remarks);
    File_Stream out;
    ASSERT_EQ(Write_Steel_Print_Options(out.get(), &o), 0);
    EXPECT_EQ(out.bytes(), " 7\n 100 101 102 103 109 50.000000 104 105 106 107 108 -3 111 112 2.500000\n"
                           " 31 Erste~Zeile\nZweite~~Zeile~mit~\x84\n");
    EXPECT_STREQ(o.remarks, remarks);  // blanks back in the record

    // Read back from the file as written and with its line ends turned into CR LF.
    for (const std::string& bytes : {out.bytes(), To_CRLF(out.bytes())}) {
        Options back;
        File_Stream in(bytes);
        ASSERT_EQ(Read_Steel_Print_Options(in.get(), &back), 0);
        EXPECT_EQ(std::memcmp(back.switches, o.switches, sizeof o.switches), 0);
        EXPECT_EQ(back.scale, 50.0);
        EXPECT_EQ(back.tolerance, 2.5);
        EXPECT_STREQ(back.remarks, remarks);
    }
}

TEST_F(PrintOptions, RemarksWithCarriageReturnsReadBackWithoutTheLineEnd)
{
    // A text box hands over CR LF line ends: the CRs stay out of the file, so that the
    // length counts what the reader takes back and the line end is not read as text.
    Options o;
    Set_Remarks(&o, "Erste\r\nZweite\r");
    File_Stream out;
    ASSERT_EQ(Write_Steel_Print_Options(out.get(), &o), 0);
    EXPECT_EQ(out.bytes(), " 7\n 1 0 1 1 1 0.000000 0 1 1 1 1 1 0 0 0.000000\n 12 Erste\nZweite\n");
    std::string rest = out.bytes() + " 42\n";
    File_Stream in(rest);
    Options back;
    ASSERT_EQ(Read_Steel_Print_Options(in.get(), &back), 0);
    EXPECT_STREQ(back.remarks, "Erste\nZweite");
    int next = 0;
    EXPECT_EQ(std::fscanf(in.get(), "%d", &next), 1);
    EXPECT_EQ(next, 42);
}

TEST_F(PrintOptions, DefaultsFollowTheApplicationNumber)
{
    const struct {
        const char* application;
        int level, fatigue_notch;
    } cases[] = {{"127", 1, 0}, {"125", 1, 0}, {"150", 3, 0}, {"152", 3, 1}, {"153", 3, 1}, {"156", 1, 0}};
    for (const auto& c : cases) {
        Env_Override application("ZAV_APPLICATION_NUMBER", c.application);
        Options o;
        EXPECT_EQ(o.switches[9], c.level) << c.application;
        EXPECT_EQ(o.switches[12], c.fatigue_notch) << c.application;
        EXPECT_EQ(o.switches[6], 1) << c.application;
    }
}

TEST_F(PrintOptions, OlderVersionsStopAfterTheirLastField)
{
    Options o;
    Set_Remarks(&o, "bleibt");
    o.switches[12] = 7;
    o.tolerance = 4.0;
    File_Stream v4(" 4\n 0 1 0 0 2 25.5 1 0 0 1 0 -2 1\n");
    EXPECT_EQ(Read_Steel_Print_Options(v4.get(), &o), 0);
    const int32_t expected[STEEL_PRINT_SWITCH_COUNT] = {0, 1, 0, 0, 1, 0, 0, 1, 0, 2, -2, 1, 7};
    EXPECT_EQ(std::memcmp(o.switches, expected, sizeof expected), 0);
    EXPECT_EQ(o.scale, 25.5);
    EXPECT_EQ(o.tolerance, 4.0);
    EXPECT_STREQ(o.remarks, "bleibt");

    File_Stream v5(" 5\n 1 1 1 1 1 0 1 1 1 1 1 1 0\n 0\n");  // length 0 keeps the remarks
    EXPECT_EQ(Read_Steel_Print_Options(v5.get(), &o), 0);
    EXPECT_EQ(o.switches[12], 7);
    EXPECT_STREQ(o.remarks, "bleibt");
    File_Stream v6(" 6\n 1 1 1 1 1 0 1 1 1 1 1 1 0 0\n 3 Neu\n");
    EXPECT_EQ(Read_Steel_Print_Options(v6.get(), &o), 0);
    EXPECT_EQ(o.switches[12], 0);
    EXPECT_STREQ(o.remarks, "Neu");

    File_Stream v8(" 8\n 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n 0\n");
    EXPECT_EQ(Read_Steel_Print_Options(v8.get(), &o), 1);
    EXPECT_EQ(o.switches[0], 1);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text.rfind("!! ACHTUNG !!\nDie Eingabedatei", 0), 0u);
    File_Stream v9999(" 9999\n 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n 0\n");  // never taken as newer
    EXPECT_EQ(Read_Steel_Print_Options(v9999.get(), &o), 0);
    EXPECT_EQ(o.switches[0], 0);
}

TEST_F(PrintOptions, DamagedBlocksRefusedAndRemarksKept)
{
    const std::string cases[] = {
        "",
        " 7\n 1 0 1 1 1 0.0 0 1\n",
        " 7\n 1 0 1 1 1 0.0 0 1 1 1 1 1 0 0\n",
        V7_VALUES,
        std::string(V7_VALUES) + " 20 nur~ein~Teil",  // cut short by the end of the file
        std::string(V7_VALUES) + " 5",
        std::string(V7_VALUES) + " 2147483647 x\n",  // beyond any remarks
    };
    for (const std::string& bytes : cases) {
        Options o;
        Set_Remarks(&o, "alte Bemerkung");
        File_Stream in(bytes);
        EXPECT_EQ(Read_Steel_Print_Options(in.get(), &o), 1) << bytes;
        EXPECT_STREQ(o.remarks, "alte Bemerkung") << bytes;
    }
}

TEST_F(PrintOptions, CopyIsDeepAndDefaultsFreeTheRemarks)
{
    Options a, b;
    a.switches[9] = 3;
    a.scale = 20.0;
    a.tolerance = 1.5;
    Set_Remarks(&a, "Text A");
    Set_Remarks(&b, "Text B");  // freed by the copy
    Copy_Steel_Print_Options(&a, &b);
    EXPECT_EQ(b.switches[9], 3);
    EXPECT_EQ(b.scale, 20.0);
    EXPECT_EQ(b.tolerance, 1.5);
    ASSERT_NE(b.remarks, a.remarks);
    EXPECT_STREQ(b.remarks, "Text A");
    Copy_Steel_Print_Options(&a, &a);  // onto itself
    EXPECT_STREQ(a.remarks, "Text A");
    Set_Remarks(&a, "");  // an empty text gives no remarks
    EXPECT_EQ(a.remarks, nullptr);

    double tolerance[] = {-1.0, 12.0, 5.5};
    for (double& t : tolerance) Clamp_0_10(&t);
    EXPECT_EQ(tolerance[0], 0.0);
    EXPECT_EQ(tolerance[1], 10.0);
    EXPECT_EQ(tolerance[2], 5.5);
}

TEST_F(PrintOptions, PreliminaryRemarksSection)
{
    oli_channel_mode = OLI_MODE_UNINITIALISED;
    File_Stream out;
    OLI_Write_Preliminary_Remarks(out.get(), "");
    OLI_Write_Preliminary_Remarks(out.get(), nullptr);
    OLI_Write_Preliminary_Remarks(nullptr, "Text");
    EXPECT_EQ(out.bytes(), "");

    OLI_Write_Preliminary_Remarks(out.get(), "Zeile 1\n\nZeile 3");
    OLI_End_Text_Block(out.get());
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x0\n4\n-1\n"
                           " \xCEHVorbemerkungen\n"
                           " Zeile 1\n  \n Zeile 3\n"
                           "#END_OF_TEXT\n0x1000\n2 0.3\n-1\n");
}

TEST(PrintOptionsRemarks, RemarksAreBrokenBeforeThe111thCharacter)
{
    std::string line;
    while (line.size() < 150) line += "Wort ";
    std::string text = line + "\n" + std::string(150, 'x') + "\n" + line;
    EXPECT_EQ(Wrap_Steel_Remarks(text.data()), 3);
    EXPECT_EQ(text.find('\n'), 109u);  // the blank at index 109 became the line end
    EXPECT_EQ(text.substr(151, 150), std::string(150, 'x'));
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), line);  // the last line stays whole
    EXPECT_EQ(Wrap_Steel_Remarks(nullptr), 0);
}
