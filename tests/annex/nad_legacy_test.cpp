#include "annex/nad_legacy.h"

#include "annex_env.h"
#include "test_support.h"
#include "written_text.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// The parameters an older list block or an "ACTIV_NAD_EC2" block stores.
struct Stored {
    NAD_EC2_Params ec2;
    NAD_EC3_Params ec3;
    NAD_EC5_Params ec5;
    NAD_Legacy_Load_Factors factors;
    int ec3_na_de = 0;
    int factor_version = 1;

    Stored()
    {
        NAD_EC2_Defaults(&ec2);
        NAD_EC3_Defaults(&ec3);
        NAD_EC5_Defaults(&ec5);
        NAD_Legacy_Default_Load_Factors(&factors);
    }

    // Items 3 to 6 of a list block.
    std::string Text() const
    {
        std::string text = Text_Of(NAD_EC2_Write, ec2);
        text += " EC3 Parameter\n " + std::to_string(ec3_na_de) + "\n";
        text += Text_Of(NAD_EC3_Write, ec3);
        text += " EC5 Parameter\n";
        text += Text_Of(NAD_EC5_Write, ec5);
        text += " Lastfaktoren " + std::to_string(factor_version) + "\n";
        char line[96];
        for (int g = 0; g < (factor_version >= 1 ? 4 : 1); ++g)
            for (int i = 0; i < 7; ++i) {
                std::snprintf(line, sizeof line, " %.6f %.6f\n", factors.pairs[g][i][0],
                              factors.pairs[g][i][1]);
                text += line;
            }
        for (int i = 0; i < 12; ++i) {
            std::snprintf(line, sizeof line, " %.6f %.6f %.6f\n", factors.triples[i][0],
                          factors.triples[i][1], factors.triples[i][2]);
            text += line;
        }
        return text;
    }
};

std::string List_Block(int code, const std::string& name, const Stored& stored)
{
    return "#NAD\n " + std::to_string(code) + " " + In_Guillemets(name) + "\n" + stored.Text();
}

std::string Position(const Stored& stored)
{
    return "Q7-EC203 20\n 1 2 3\n\nACTIV_NAD_EC2\n" + stored.Text() + "\nENDE\n";
}

// DRAM pointing at a fresh directory; the older list forgotten before and after.
class LegacyList : public ::testing::Test {
protected:
    void SetUp() override { NAD_Legacy_Free_List(); }
    void TearDown() override { NAD_Legacy_Free_List(); }
    void Write_List(const std::string& text)
    {
        ASSERT_TRUE(Write_File_Bytes(dram_.file("NADs-EC2.DEF"), text));
    }
    // The name the position opens with; "<0>" when it has no older block.
    std::string Choice_Of(const std::string& position)
    {
        File_Stream file(position);
        if (!NAD_Read_Legacy_Choice(file.get())) return "<0>";
        return NAD_Get_Legacy_Name();
    }

    Temp_Dir dram_;
    Env_Override dram_env_{"DRAM", dram_.path().c_str()};
};

} // namespace

TEST_F(LegacyList, ReadsBlocksCutsNamesAndActivatesGermany)
{
    EXPECT_STREQ(NAD_Get_Legacy_Name(), "*** unbekannt ***");
    ::unsetenv("DRAM");  // no list file: the built-in node alone, active
    NAD_Legacy_Load_List();
    ASSERT_EQ(legacy_nad_list.count, 1);
    EXPECT_EQ(legacy_nad_list.head->origin, NAD_LEGACY_BUILTIN);
    EXPECT_STREQ(NAD_Get_Legacy_Name(), "EC-Standardparameter");

    NAD_Legacy_Free_List();
    ::setenv("DRAM", dram_.path().c_str(), 1);
    Stored stored;
    Write_List(To_CRLF("Liste\n" + List_Block(7, "Schweden", stored) +
                       List_Block(18, std::string(30, 'D'), stored) + List_Block(18, "Zweites", stored)));
    NAD_Legacy_Load_List();
    ASSERT_EQ(legacy_nad_list.count, 4);
    const NAD_Legacy_Node* second = legacy_nad_list.head->next;
    EXPECT_EQ(second->code, 7);
    EXPECT_EQ(second->origin, NAD_LEGACY_FILE);
    EXPECT_STREQ(second->name, "Schweden");
    EXPECT_EQ(legacy_nad_list.active, second->next);  // the first with code 18
    EXPECT_STREQ(NAD_Get_Legacy_Name(), std::string(25, 'D').c_str());
}

TEST_F(LegacyList, PositionOpensWithTheAnnexOfEqualParameters)
{
    Stored schweden;
    schweden.ec2.alpha_cc = 0.9;
    schweden.factors.pairs[0][0][0] = 1.4;
    Stored norwegen;
    norwegen.ec5.k_def[1] = 0.9;
    Write_List(List_Block(7, "Schweden", schweden) + List_Block(8, "Norwegen", norwegen));

    EXPECT_EQ(Choice_Of("Q7-EC203 20\n 1 2 3\n"), "<0>");
    EXPECT_EQ(legacy_nad_list.count, 3);  // the list is read on first use

    EXPECT_EQ(Choice_Of(To_CRLF(Position(norwegen))), "Norwegen");
    EXPECT_EQ(Choice_Of(Position(Stored())), "EC-Standardparameter");
    Stored close = schweden;  // load factors within 1e-4
    close.factors.pairs[0][0][0] = 1.40005;
    close.factors.triples[11][2] = 0.50008;
    EXPECT_EQ(Choice_Of(Position(close)), "Schweden");
    EXPECT_EQ(legacy_nad_list.count, 3);  // each matched position's own node was dropped

    Stored apart = schweden;
    apart.factors.triples[0][0] = 0.7002;
    EXPECT_EQ(Choice_Of(Position(apart)), "lokale Definitionen");
    EXPECT_EQ(legacy_nad_list.count, 4);
    EXPECT_EQ(legacy_nad_list.tail->code, 17);
    EXPECT_EQ(legacy_nad_list.tail->origin, NAD_LEGACY_LOCAL);
    apart = schweden;
    apart.ec2.alpha_cc = 0.9002;
    EXPECT_EQ(Choice_Of(Position(apart)), "lokale Definitionen");
}

TEST_F(LegacyList, GermanAnnexFlagMatchesWhateverTheValues)
{
    Stored list_de;
    list_de.ec3_na_de = 1;
    Stored other;
    other.ec2.gamma_c[0] = 1.6;
    Write_List(List_Block(5, "Anders", other) + List_Block(18, "DE", list_de));

    Stored position;
    position.ec2.alpha_cc = 0.7;  // matches nothing by value
    position.ec3_na_de = 1;       // but both say German annex in the EN 1993 part
    EXPECT_EQ(Choice_Of(Position(position)), "DE");
    position.ec3_na_de = 0;
    EXPECT_EQ(Choice_Of(Position(position)), "lokale Definitionen");
}

TEST_F(LegacyList, LoadFactorBlocks)
{
    NAD_Legacy_Load_Factors factors;
    NAD_Legacy_Default_Load_Factors(&factors);
    EXPECT_DOUBLE_EQ(factors.pairs[0][0][0], 1.35);
    EXPECT_DOUBLE_EQ(factors.pairs[2][6][1], 1.0);
    EXPECT_DOUBLE_EQ(factors.triples[11][2], 0.5);

    // Version 0: only the first situation; the other pairs keep what they held.
    std::string text = " Lastfaktoren 0\n";
    for (int i = 0; i < 7; ++i) text += " 2.0 3.0\n";
    for (int i = 0; i < 12; ++i) text += " 0.1 0.2 0.3\n";
    File_Stream v0(text);
    NAD_Legacy_Read_Load_Factors(v0.get(), &factors);
    EXPECT_DOUBLE_EQ(factors.pairs[0][6][1], 3.0);
    EXPECT_DOUBLE_EQ(factors.pairs[1][0][0], 1.0);
    EXPECT_DOUBLE_EQ(factors.triples[11][2], 0.3);

    // Another word: nothing is read.
    NAD_Legacy_Default_Load_Factors(&factors);
    File_Stream other(" Lastfaktor 1\n 9 9\n");
    NAD_Legacy_Read_Load_Factors(other.get(), &factors);
    EXPECT_DOUBLE_EQ(factors.pairs[0][0][0], 1.35);

    // A block that breaks off keeps the values behind the break.
    File_Stream cut(" Lastfaktoren 1\n 1.5 0.9\n 1.6");
    NAD_Legacy_Read_Load_Factors(cut.get(), &factors);
    EXPECT_DOUBLE_EQ(factors.pairs[0][0][0], 1.5);
    EXPECT_DOUBLE_EQ(factors.pairs[0][1][0], 1.5);
}
