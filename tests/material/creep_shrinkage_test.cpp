#include "material/creep_shrinkage.h"

#include "report/oli_channel.h"

#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

// Every test sets the code it needs and puts the one of a fresh run back afterwards.
class CreepShrinkage : public ::testing::Test {
protected:
    void SetUp() override { OLI_Reset_Channel(); }
    void TearDown() override
    {
        Set_Creep_Norm_Code(1);
        OLI_Reset_Channel();
    }
};

const char* const OPEN_BLOCK = "\n#SHOWPARA\n0x0\n4\n-1\n";
const char* const CLOSE_BLOCK = "#END_OF_TEXT\n0x0\n-1\n";

} // namespace

TEST_F(CreepShrinkage, StrengthGainByCodeAndCementGroup)
{
    const double cases[][4] = {
        // code, cement class, t, βcc
        {4, 0, 28, 1.0},  {1, 5, 28, 1.0},   {21, 3, 28, 1.0},
        {4, 0, 7, 0.684}, {4, 2, 7, 0.779},  {21, 5, 7, 0.819},  // groups S, N, R
        {1, 0, 7, 0.819}, {0, 0, 7, 0.819},                      // DIN 1045-1: s = 0.2
        {4, 0, 112, std::exp(0.19)},                             // not capped above 1
        {4, 0, 0, 0.0},   {4, 0, -5, 0.0},                       // no age: no NaN
        {4, -3, 7, 0.684}, {4, 99, 7, 0.819},                    // nearest class, no read outside
    };
    for (const auto& c : cases) {
        Set_Creep_Norm_Code(static_cast<int>(c[0]));
        EXPECT_NEAR(Get_Strength_Gain_Factor(static_cast<int>(c[1]), c[2]), c[3], 0.0005)
            << "code " << c[0] << " class " << c[1] << " t " << c[2];
    }
}

// εcd,0 of EN 1992-1-1 Table 3.2 (cement class N, per mille, two decimals). fck 10 leaves
// the autogenous part out; a small h0 and the final age make kh and βds practically 1.
TEST_F(CreepShrinkage, EurocodeDryingShrinkageMatchesNominalTable)
{
    const double cases[][3] = {
        // fcm, RH, εcd,0
        {28, 40, 0.58}, {28, 60, 0.49}, {28, 80, 0.30}, {28, 90, 0.17}, {28, 100, 0.00},
        {48, 40, 0.46}, {48, 60, 0.38}, {48, 80, 0.24}, {48, 90, 0.13},
        {68, 40, 0.36}, {68, 60, 0.30}, {68, 80, 0.19}, {88, 60, 0.24}, {88, 90, 0.08},
    };
    Set_Creep_Norm_Code(4);
    for (const auto& c : cases)
        EXPECT_NEAR(-Calc_Shrinkage_Strain(1, nullptr, c[1], 10.0, 0.0, 25550.0, c[0], 10.0), c[2], 0.006)
            << "fcm " << c[0] << " RH " << c[1];
}

// kh of EN 1992-1-1 Table 3.3 over the notional size, the thick members included: at the
// final age the drying shrinkage scales with kh·βds (fck 10 leaves the autogenous part out).
TEST_F(CreepShrinkage, EurocodeShrinkageFollowsKhOverTheNotionalSize)
{
    Set_Creep_Norm_Code(4);
    const double t = 25550.0;
    auto beta_ds = [t](double h0) { return t / (t + 0.04 * std::pow(h0, 1.5)); };
    const double at_100 = Calc_Shrinkage_Strain(1, nullptr, 60.0, 100.0, 0.0, t, 38.0, 10.0) / beta_ds(100.0);
    ASSERT_LT(at_100, 0.0);
    for (const auto& [h0, kh] : {std::pair{150.0, 0.925}, {200.0, 0.85}, {300.0, 0.75}, {400.0, 0.725},
                                 {500.0, 0.70}, {800.0, 0.70}})
        EXPECT_NEAR(Calc_Shrinkage_Strain(1, nullptr, 60.0, h0, 0.0, t, 38.0, 10.0) / beta_ds(h0) / at_100, kh, 1e-9)
            << h0;
}

// Hand calculations by EN 1992-1-1 Annex B and DIN 1045-1 (values to 1e-12).
TEST_F(CreepShrinkage, ShrinkageAndCreepHandCalculations)
{
    const double autogenous_28 = -0.05 * (1.0 - std::exp(-0.2 * std::sqrt(28.0)));
    const double autogenous_365 = -0.05 * (1.0 - std::exp(-0.2 * std::sqrt(365.0)));
    struct Case {
        int code, cement_class;
        double RH, h0, ts, t, fcm, fck, shrinkage;
    } shrinkage[] = {
        {4, 2, 50, 200, 7, 365, 38, 30, -0.36037668484014945},   // C30/37, kh 0.85
        {4, 0, 50, 150, 3, 25550, 38, 30, -0.40684054298395733},  // final state
        {4, 0, 50, 150, 3, 1.0e6, 38, 30, -0.40684054298395733},
        {4, 1, 100, 200, 0, 28, 38, 30, autogenous_28},           // no drying at RH 100
        {4, 1, 50, 200, 400, 365, 38, 30, autogenous_365},         // cured beyond t
        {4, 1, 50, 0, 7, 365, 38, 30, autogenous_365},             // no size: no drying
        {4, 1, 50, 0, 365, 365, 38, 30, autogenous_365},           // ... and no NaN
        {4, 1, 50, 200, 0, -10, 38, 30, 0.0},
        {1, 2, 50, 200, 7, 365, 38, 30, -0.32012424141460033},
        {0, 2, 50, 200, 7, 365, 38, 90, -0.32012424141460033},    // fck not used
        {1, 3, 70, 300, 3, 25550, 48, 40, -0.5543232999998203},
        {1, 3, 70, 300, 3, 1.0e6, 48, 40, -0.5543232999998203},
        {1, 1, 99.5, 200, 7, 365, 38, 30, -0.11129514301747256},  // humidity factor 0.25
        {1, 1, 50, 0, 7, 7, 38, 30, -0.7 * std::pow(38.0 / 98.0, 2.5) * (1 - std::exp(-0.2 * std::sqrt(7.0)))},
    };
    for (const Case& c : shrinkage) {
        Set_Creep_Norm_Code(c.code);
        EXPECT_NEAR(Calc_Shrinkage_Strain(c.cement_class, nullptr, c.RH, c.h0, c.ts, c.t, c.fcm, c.fck),
                    c.shrinkage, 1e-12)
            << "code " << c.code << " RH " << c.RH << " h0 " << c.h0 << " ts " << c.ts << " t " << c.t;
    }
    Set_Creep_Norm_Code(4);
    EXPECT_EQ(Get_Shrinkage_Strain(50, 1, 0.001, 7, 365, 38, 30, nullptr), 0.0);
    EXPECT_NEAR(Get_Shrinkage_Strain(50, 2, 200, 7, 365, 38, 30, nullptr), -0.36037668484014945, 1e-12);

    struct Creep {
        int code, cement_class;
        double RH, h0, t0, t, fcm, phi;
    } creep[] = {
        {4, 1, 50, 200, 28, 25550, 38, 2.3459971751340793},  // fcm > 35: α factors apply
        {4, 0, 80, 100, 7, 365, 28, 2.475600970920736},      // fcm < 35: α = 1
        {21, 0, 80, 100, 7, 365, 28, 2.475600970920736},
        {1, 0, 80, 100, 7, 365, 28, 2.6920064204378606},     // DIN: α factors at any fcm
        {4, 5, 60, 500, 3, 1000, 48, 1.621940525052923},
        // Degenerate input gives 0, never NaN.
        {4, 1, 50, 0.001, 28, 365, 38, 0.0}, {1, 1, 50, -20, 28, 365, 38, 0.0},
        {4, 1, 50, 200, 400, 365, 38, 0.0},                  // loaded after t
        {4, 1, 50, 200, 28, 365, 0.0, 0.0}, {1, 1, 50, 200, 28, 28, 0.0, 0.0},
        {4, 1, 50, 200, -5, -1, 38, 0.0},
    };
    for (const Creep& c : creep) {
        Set_Creep_Norm_Code(c.code);
        EXPECT_NEAR(Calc_Creep_Coefficient(c.RH, c.cement_class, c.h0, c.t0, c.t, c.fcm, nullptr), c.phi, 1e-12)
            << "code " << c.code << " h0 " << c.h0 << " t0 " << c.t0 << " t " << c.t << " fcm " << c.fcm;
    }
    // An age at loading below zero counts as zero.
    EXPECT_EQ(Calc_Creep_Coefficient(50, 1, 200, -5, 365, 38, nullptr),
              Calc_Creep_Coefficient(50, 1, 200, 0, 365, 38, nullptr));
}

TEST_F(CreepShrinkage, EurocodeShrinkageReportLines)
{
    Set_Creep_Norm_Code(4);
    File_Stream out;
    Calc_Shrinkage_Strain(2, out.get(), 50, 200, 7, 365, 38, 30);
    OLI_End_Text_Block(out.get());
    EXPECT_EQ(out.bytes(),
              std::string(OPEN_BLOCK) +
                  " \xCE_Schwindma\xE1\xCEr zum Zeitpunkt t = 8760 h: \xBE\xCE\\cst\xCEr = -(\xBE\xCE\\cas\xCEr+"
                  "\xBE\xCE\\cds\xCEr) = -0.360\x89  wobei\n"
                  "   autogenes Schwinden: \xBE\xCE\\cas\xCEr = \xBE\xCE\\cas,0\xCEr\xCE/.\xCEr\xBB\xCE\\as\xCEr = "
                  "0.049\x89  mit  \xBE\xCE\\cas,0\xCEr = 2.5\xCE/.\xCEr(f\xCE\\ck\xCEr-10) = 0.050\x89, \xBB\xCE\\as"
                  "\xCEr = 1-e\xCE/-0.2\xCE/.\xCEr\xCE/t\xCE/1/2\xCEr = 0.978\n"
                  "   Trocknungsschwinden: \xBE\xCE\\cds\xCEr = \xBE\xCE\\cds,0\xCEr\xCE/.\xCEr\xBB\xCE\\ds\xCEr\xCE/."
                  "\xCErk\xCE\\h\xCEr = 0.311\x89  mit  \xBE\xCE\\cds,0\xCEr = 0.85\xCE/.\xCEr((220+110\xCE/.\xCEr"
                  "\xBA\xCE\\ds1\xCEr)\xCE/.\xCEre\xCE/-\xBA\xCE\\ds2\xCEr\xCE/.\xCEr\xCE/f\xCE\\cm\xCEr\xCE//10\xCEr)"
                  "\xCE/.\xCEr\xBB\xCE\\RH\xCEr = 0.482\x89,\n"
                  "     k\xCE\\h\xCEr = 0.85 f\x81r h\xCE\\0\xCEr = 20.0 cm, \xBA\xCE\\ds1\xCEr = 4.0 und \xBA\xCE\\ds2"
                  "\xCEr = 0.12 f\x81r Zementgruppe N,\n"
                  "     \xBB\xCE\\RH\xCEr = 1.55\xCE/.\xCEr(1-(RH/100)\xCE/3\xCEr) = 1.356 f\x81r RH = 50%, \xBB\xCE\\ds"
                  "\xCEr = \xA3t/(\xA3t+0.04\xCE/.\xCEr(h\xCE\\0\xCEr\xCE/3\xCEr)\xCE/1/2\xCEr) = 0.760, \xA3t = t-t"
                  "\xCE\\s\xCEr = 358 d\n" +
                  CLOSE_BLOCK);

    // The final state has no time in hours; a short drying time has two decimals.
    File_Stream final_state;
    Calc_Shrinkage_Strain(0, final_state.get(), 50, 150, 25546, 30000, 38, 30);
    const std::string bytes = final_state.bytes();
    EXPECT_NE(bytes.find(" \xCE_Schwindma\xE1\xCEr: \xBE\xCE\\cs\xCEr = -("), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("f\x81r Zementgruppe S,\n"), std::string::npos);
    EXPECT_NE(bytes.find("\xA3t = t-t\xCE\\s\xCEr = 4.00 d\n"), std::string::npos) << bytes;

    // C55/67: 2.5 (55 - 10) / 1000 = 0.1125 per mille, written with three decimals.
    File_Stream c55;
    Calc_Shrinkage_Strain(2, c55.get(), 50, 200, 7, 365, 63, 55);
    EXPECT_NE(c55.bytes().find("(f\xCE\\ck\xCEr-10) = 0.113\x89, "), std::string::npos) << c55.bytes();

    // The DIN form writes no lines, nor does a creep coefficient without a notional size.
    Set_Creep_Norm_Code(1);
    File_Stream none;
    Calc_Shrinkage_Strain(2, none.get(), 50, 200, 7, 365, 38, 30);
    EXPECT_EQ(Calc_Creep_Coefficient(80, 0, 0.0, 7, 12, 28, none.get()), 0.0);
    EXPECT_EQ(none.bytes(), "");
}

TEST_F(CreepShrinkage, CreepReportLinesFinalState)
{
    Set_Creep_Norm_Code(4);
    File_Stream out;
    EXPECT_NEAR(Calc_Creep_Coefficient(50, 1, 200, 28, 30000, 38, out.get()), 2.3459971751340793, 1e-12);
    OLI_End_Text_Block(out.get());
    EXPECT_EQ(out.bytes(),
              std::string(OPEN_BLOCK) +
                  " \xCE_Kriechzahl\xCEr: \xDA\xCE\\\xEC\xCEr = \xDA\xCE\\0\xCEr\xCE/.\xCEr\xBB\xCE\\c\xCEr = 2.346  "
                  "mit  \xDA\xCE\\0\xCEr = \xDA\xCE\\RH\xCEr\xCE/.\xCEr\xBB\xCE\\fcm\xCEr\xCE/.\xCEr\xBB\xCE\\t0\xCEr = "
                  "2.361, \xDA\xCE\\RH\xCEr = (1+(1-RH/100)/(0.1\xCE/.\xCErh\xCE\\0\xCEr/100)\xCE/1/3\xCEr\xCE/.\xCEr"
                  "\xBA\xCE\\1\xCEr)\xCE/.\xCEr\xBA\xCE\\2\xCEr = 1.778,\n"
                  "   \xBB\xCE\\fcm\xCEr = 16.76/f\xCE\\cm\xCEr\xCE/1/2\xCEr = 2.719, \xBB\xCE\\t0\xCEr = 1/(0.1+t\xCE\\"
                  "0,eff\xCEr\xCE/0.2\xCEr) = 0.488, t\xCE\\0,eff\xCEr = t\xCE\\0\xCEr\xCE/.\xCEr(9/(2+t\xCE\\0\xCEr\xCE/"
                  "1.2\xCEr)+1)\xCE/\xBA\xCEr = 28.0 d \xF2 0.5 d,\n"
                  "   \xBA = 0 f\x81r Zementgruppe N, \xBA\xCE\\1\xCEr = f\xCE\\cm\xCEr\xCE/0.7\xCEr = 0.94, \xBA\xCE\\2"
                  "\xCEr = f\xCE\\cm\xCEr\xCE/0.2\xCEr = 0.98, \xBB\xCE\\c\xCEr = (\xA3t/(\xBB\xCE\\H\xCEr+\xA3t)\xCE/0.3"
                  "\xCEr = 0.994,\n"
                  "   \xA3t = t-t\xCE\\0\xCEr = 25522 d, \xBB\xCE\\H\xCEr = 150\xCE/.\xCEr(1+(1.2\xCE/.\xCErRH/100)\xCE/18"
                  "\xCEr\xCE/.\xCErh\xCE\\0\xCEr/100+250\xCE/.\xCEr\xBA\xCE\\3\xCEr) = 540 \xF3 1500\xCE/.\xCEr\xBA\xCE\\3"
                  "\xCEr, \xBA\xCE\\3\xCEr = f\xCE\\cm\xCEr\xCE/0.5\xCEr = 0.96\n" +
                  CLOSE_BLOCK);
}
