#include "core/safety_factors.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "core/startup.h"
#include "platform/messages.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The annex in force with pairwise different factors; given back afterwards.
class SafetyFactors : public ::testing::Test {
protected:
    void SetUp() override
    {
        annex = NAD_Get_EC2_Params();
        saved = *annex;
        NAD_EC2_Defaults(annex);
        const double gc[4] = {1.5, 1.35, 1.45, 1.2}, gs[4] = {1.15, 1.05, 1.1, 1.0};
        const double bgc[4] = {1.6, 1.55, 1.4, 1.25}, bgs[4] = {1.2, 1.12, 1.08, 1.02};
        for (int i = 0; i < 4; ++i) {
            annex->gamma_c[i] = gc[i];
            annex->gamma_s[i] = gs[i];
            annex->bridge_gamma_c[i] = bgc[i];
            annex->bridge_gamma_s[i] = bgs[i];
        }
        annex->gamma_s_sls = 0.95;
        Clear_Shown_Messages();
    }
    void TearDown() override
    {
        *annex = saved;
        refresh_mode = 0;
    }
    NAD_EC2_Params* annex = nullptr;
    NAD_EC2_Params saved{};
};

NAD_Safety_Factors Filled(int norm, int k)
{
    NAD_Safety_Factors r;
    r.norm_code = norm;
    Fill_NAD_Safety_Factors(&r, k);
    return r;
}

void Expect_Pairs(const NAD_Safety_Factors& r, double c, double s, double c_sls, double s_sls, double c_fat,
                  double s_fat)
{
    const double got[6] = {r.gamma_c, r.gamma_s, r.gamma_c_sls, r.gamma_s_sls, r.gamma_c_fat, r.gamma_s_fat};
    const double want[6] = {c, s, c_sls, s_sls, c_fat, s_fat};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(got[i], want[i]) << "factor " << i;
}

} // namespace

TEST_F(SafetyFactors, FillByNormAndColumn)
{
    // The situation's column, the common serviceability pair, the fatigue column 1.
    Expect_Pairs(Filled(4, 0), 1.5, 1.15, 1.0, 0.95, 1.35, 1.05);
    Expect_Pairs(Filled(4, 3), 1.2, 1.0, 1.0, 0.95, 1.35, 1.05);
    // Bridges take the EN 1992-2 columns but the same serviceability pair.
    Expect_Pairs(Filled(21, 2), 1.4, 1.08, 1.0, 0.95, 1.55, 1.12);
    // Any other standard has no factors.
    Expect_Pairs(Filled(0, 0), 0, 0, 0, 0, 0, 0);

    // Column 1 keeps the situation's pair.
    NAD_Safety_Factors r;
    r.gamma_c = 2.5;
    r.gamma_s = 2.6;
    Fill_NAD_Safety_Factors(&r, 1);
    Expect_Pairs(r, 2.5, 2.6, 1.0, 0.95, 1.35, 1.05);

    // The user's own factors ("frei") survive every column; columns beyond the annex's four
    // change nothing.
    NAD_Safety_Factors own;
    own.from_annex = 0;
    own.gamma_c = 1.7;
    for (int k = -1; k <= 4; ++k) Fill_NAD_Safety_Factors(&own, k);
    Expect_Pairs(own, 1.7, 0, 0, 0, 0, 0);
    NAD_Safety_Factors outside;
    Fill_NAD_Safety_Factors(&outside, 4);
    Fill_NAD_Safety_Factors(&outside, -1);
    Expect_Pairs(outside, 0, 0, 0, 0, 0, 0);
}

TEST_F(SafetyFactors, CopyAndCompare)
{
    const NAD_Safety_Factors a = Filled(21, 2);
    NAD_Safety_Factors b = Filled(4, 0);
    Copy_NAD_Safety_Factors(&a, &b);
    EXPECT_EQ(Compare_NAD_Safety_Factors(&a, &b), 1);
    Copy_NAD_Safety_Factors(nullptr, &b);  // a missing source leaves the empty state
    EXPECT_EQ(b.norm_code, 4);
    Expect_Pairs(b, 0, 0, 0, 0, 0, 0);

    NAD_Safety_Factors c = a;
    c.gamma_s_fat += 0.005;
    EXPECT_EQ(Compare_NAD_Safety_Factors(&a, &c), 1);
    c.gamma_s_fat += 0.015;
    EXPECT_EQ(Compare_NAD_Safety_Factors(&a, &c), 0);
    c = a;
    c.from_annex = 0;
    EXPECT_EQ(Compare_NAD_Safety_Factors(&a, &c), 0);
    EXPECT_EQ(Compare_NAD_Safety_Factors(&a, nullptr), 0);
}

TEST_F(SafetyFactors, FileBlock)
{
    NAD_EC2_Defaults(annex);
    File_Stream out;
    NAD_Safety_Factors r = Filled(4, 0);
    ASSERT_EQ(Write_NAD_Safety_Factors(out.get(), &r), 0);
    EXPECT_EQ(out.bytes(), " 0\n 4 1 1.500000 1.150000 1.000000 1.000000 1.500000 1.150000\n");

    // The user's own bridge factors come back from LF and CR LF files, and the reader stops
    // right behind its block.
    const NAD_Safety_Factors own{0, 1.35, 1.125, 1.05, 1.0, 1.4, 1.1, 21};
    File_Stream own_out;
    ASSERT_EQ(Write_NAD_Safety_Factors(own_out.get(), &own), 0);
    for (const std::string& text : {own_out.bytes(), To_CRLF(own_out.bytes())}) {
        File_Stream in(text + " 77\n");
        NAD_Safety_Factors back = Filled(4, 0);
        ASSERT_EQ(Read_NAD_Safety_Factors(in.get(), &back), 0);
        EXPECT_EQ(back.norm_code, 21);
        EXPECT_EQ(back.from_annex, 0);
        Expect_Pairs(back, 1.35, 1.125, 1.05, 1.0, 1.4, 1.1);
        int next = 0;
        EXPECT_EQ(std::fscanf(in.get(), "%d", &next), 1);
        EXPECT_EQ(next, 77);
    }

    // A stream that cannot be written is a failed save.
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("ro"), ""));
    FILE* read_only = std::fopen(dir.file("ro").c_str(), "r");
    EXPECT_EQ(Write_NAD_Safety_Factors(read_only, &r), 1);
    std::fclose(read_only);
}

TEST_F(SafetyFactors, ReaderRefusesNewerAndShortBlocks)
{
    NAD_Safety_Factors r;
    File_Stream newer(" 1\n 4 1 1.5 1.15 1 1 1.5 1.15\n");
    EXPECT_EQ(Read_NAD_Safety_Factors(newer.get(), &r), 1);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_NE(Shown_Messages()[0].text.find("Die Eingabedatei ist aktueller"), std::string::npos);
    refresh_mode = 1;  // a refresh run refuses without a word
    File_Stream newer_refresh(" 5\n");
    EXPECT_EQ(Read_NAD_Safety_Factors(newer_refresh.get(), &r), 1);
    EXPECT_EQ(Shown_Messages().size(), 1u);

    File_Stream future(" 9999\n 21 0 1.5 1.15 1 1 1.5 1.15\n");
    EXPECT_EQ(Read_NAD_Safety_Factors(future.get(), &r), 0);
    EXPECT_EQ(r.norm_code, 21);

    // What was read before the gap stays; the rest is the empty state.
    File_Stream cut(" 0\n 21 0 1.4 1.1 1.0\n");
    EXPECT_EQ(Read_NAD_Safety_Factors(cut.get(), &r), 1);
    EXPECT_EQ(r.from_annex, 0);
    Expect_Pairs(r, 1.4, 1.1, 1.0, 0, 0, 0);
    File_Stream empty("");
    EXPECT_EQ(Read_NAD_Safety_Factors(empty.get(), &r), 1);
    EXPECT_EQ(Read_NAD_Safety_Factors(nullptr, &r), 1);
}
