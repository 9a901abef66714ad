#include "sheets/fastener_group.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "report/oli_channel.h"
#include "report/verdicts.h"

namespace {

// What the report channel writes before the first text of a report.
const std::string BLOCK_OPENING = "\n#SHOWPARA\n0x0\n4\n-1\n";
const std::string TIMES = "\xCE/.\xCEr";
const std::string PURPLE = "\xCE{C 1 165 75 165}";
const std::string RED = "\xCE{C 1 230 0 0}";
const std::string OFF = "\xCE{C 768}";

// The report text a writer produced: the block opening and the blank the channel puts
// in front of every line taken away.
template <typename Writer>
std::string Report_Text(Writer writer)
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
    if (bytes.empty()) return bytes;
    if (bytes.compare(0, BLOCK_OPENING.size(), BLOCK_OPENING) != 0) return "<no block>" + bytes;
    std::string text;
    bool line_start = true;
    for (char c : bytes.substr(BLOCK_OPENING.size())) {
        if (line_start && c == ' ') {
            line_start = false;
            continue;
        }
        text.push_back(c);
        line_start = c == '\n';
    }
    return text;
}

class FastenerGroup : public ::testing::Test {
protected:
    void SetUp() override
    {
        verdict_failed = 0;
        Set_Colours_Off(0);
    }
    void TearDown() override { verdict_failed = 0; }
};

} // namespace

TEST_F(FastenerGroup, PropertiesAboutCentroidOriginAndGivenPoint)
{
    const double y[] = {10.0, 30.0};
    const double z[] = {0.0, 40.0};
    const double w[] = {1.0, 3.0};
    double ys, zs, a, szz, syy, ip;
    // Weighted centroid (25, 30); second moments about it.
    Get_Fastener_Group_Properties(2, y, z, w, &ys, &zs, &a, &szz, &syy, &ip, 0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(a, 4.0);
    EXPECT_DOUBLE_EQ(ys, 25.0);
    EXPECT_DOUBLE_EQ(zs, 30.0);
    EXPECT_DOUBLE_EQ(syy, 225.0 + 3.0 * 25.0);
    EXPECT_DOUBLE_EQ(szz, 900.0 + 3.0 * 100.0);
    EXPECT_DOUBLE_EQ(ip, syy + szz);
    // About the origin; the centroid is still the centroid.
    Get_Fastener_Group_Properties(2, y, z, nullptr, &ys, &zs, &a, &szz, &syy, &ip, 1, 7.0, 7.0);
    EXPECT_DOUBLE_EQ(a, 2.0);
    EXPECT_DOUBLE_EQ(ys, 20.0);
    EXPECT_DOUBLE_EQ(syy, 100.0 + 900.0);
    EXPECT_DOUBLE_EQ(szz, 1600.0);
    // About a given point; null outputs are skipped.
    Get_Fastener_Group_Properties(2, y, z, nullptr, nullptr, nullptr, nullptr, &szz, &syy, nullptr,
                                  5, 10.0, 40.0);
    EXPECT_DOUBLE_EQ(syy, 400.0);
    EXPECT_DOUBLE_EQ(szz, 1600.0);
    // Weights that sum to nothing leave the plain sums.
    const double none[] = {0.0, 0.0};
    Get_Fastener_Group_Properties(2, y, z, none, &ys, &zs, &a, &szz, &syy, &ip, 0, 0.0, 0.0);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(ys, 0.0);
    // No fasteners: all zero.
    ys = zs = a = szz = syy = ip = 9.0;
    Get_Fastener_Group_Properties(0, y, z, w, &ys, &zs, &a, &szz, &syy, &ip, 0, 0.0, 0.0);
    EXPECT_EQ(ys + zs + a + szz + syy + ip, 0.0);
}

TEST_F(FastenerGroup, SymmetricGroupsOfFourAndSixUnderEccentricShear)
{
    // 2 x 2 at y = +-40, z = +-60; Vz = 20 kN at yF = 140: Ip = 20 800 mm2, M' = 2.8 kNm.
    const double y4[] = {-40.0, -40.0, 40.0, 40.0};
    const double z4[] = {-60.0, 60.0, -60.0, 60.0};
    double ty = 0, tz = 0, rest = 1;
    double t = Design_Fastener_Group(4, y4, z4, nullptr, 0.0, 20000.0, 0.0, 140.0, 0.0, -1, 0,
                                     &ty, &tz, &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 20800.0);
    EXPECT_DOUBLE_EQ(fastener_group_statics.area, 4.0);
    EXPECT_NEAR(t, std::hypot(8076.923, 10384.615), 0.01);
    EXPECT_NEAR(t, 13155.87, 0.01);
    EXPECT_EQ(rest, 0.0);
    // Each of the two outer fasteners, asked for by index, carries the same force.
    t = Design_Fastener_Group(4, y4, z4, nullptr, 0.0, 20000.0, 0.0, 140.0, 0.0, 2, 0, &ty, &tz,
                              &rest, nullptr, 0);
    EXPECT_NEAR(ty, 8076.923, 0.001);
    EXPECT_NEAR(tz, 10384.615, 0.001);
    t = Design_Fastener_Group(4, y4, z4, nullptr, 0.0, 20000.0, 0.0, 140.0, 0.0, 3, 0, &ty, &tz,
                              &rest, nullptr, 0);
    EXPECT_NEAR(ty, -8076.923, 0.001);
    EXPECT_NEAR(t, 13155.87, 0.01);
    // The report names the first of them.
    std::string text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(4, y4, z4, nullptr, 0.0, 20000.0, 0.0, 140.0, 0.0, -1, 0, nullptr,
                              nullptr, nullptr, s, 0);
    });
    EXPECT_EQ(text, "Maximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\3\xCEr = 13.16 kN  bei 4 "
                    "Schrauben\n");

    // 2 columns x 3 rows at y = +-50, z = -80, 0, 80; Vy = 30 kN, Vz = 60 kN at (100, 0):
    // Ip = 15 000 + 25 600, M' = 6 kNm; fastener (50, -80) takes
    // Ty = 5000 + 80 M'/Ip, Tz = 10 000 + 50 M'/Ip.
    const double y6[] = {-50.0, -50.0, -50.0, 50.0, 50.0, 50.0};
    const double z6[] = {-80.0, 0.0, 80.0, -80.0, 0.0, 80.0};
    t = Design_Fastener_Group(6, y6, z6, nullptr, 30000.0, 60000.0, 0.0, 100.0, 0.0, -1, 0, &ty,
                              &tz, &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 40600.0);
    EXPECT_NEAR(t, std::hypot(16822.660, 17389.163), 0.01);
    t = Design_Fastener_Group(6, y6, z6, nullptr, 30000.0, 60000.0, 0.0, 100.0, 0.0, 3, 0, &ty,
                              &tz, &rest, nullptr, 0);
    EXPECT_NEAR(ty, 16822.660, 0.001);
    EXPECT_NEAR(tz, 17389.163, 0.001);
    // The middle fastener of the loaded side gets the shear and Tz of the moment only.
    Design_Fastener_Group(6, y6, z6, nullptr, 30000.0, 60000.0, 0.0, 100.0, 0.0, 4, 0, &ty, &tz,
                          &rest, nullptr, 0);
    EXPECT_NEAR(ty, 5000.0, 1e-9);
    // Weights scale each fastener's share: doubling all of them changes nothing.
    const double w6[] = {2, 2, 2, 2, 2, 2};
    double tw = Design_Fastener_Group(6, y6, z6, w6, 30000.0, 60000.0, 0.0, 100.0, 0.0, -1, 0,
                                      nullptr, nullptr, nullptr, nullptr, 0);
    EXPECT_NEAR(tw, std::hypot(16822.660, 17389.163), 0.01);
}

TEST_F(FastenerGroup, TwoFastenersTheFirstOfEqualMaximaAndTheMomentPart)
{
    const double y[] = {-50.0, 50.0};
    const double z[] = {0.0, 0.0};
    double ty = 0, tz = 0, rest = 0;
    double t = Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 0.0, 0.0, 0.0, -1, 0, &ty,
                                     &tz, &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(t, 5000.0);
    std::string text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 0.0, 0.0, 0.0, -1, 0, nullptr,
                              nullptr, nullptr, s, 0);
    });
    EXPECT_NE(text.find("T\xCE\\1\xCEr = 5.00 kN  bei 2 Schrauben"), std::string::npos) << text;

    t = Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, 0, 0, &ty, &tz,
                              &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 5000.0);
    EXPECT_DOUBLE_EQ(tz, -5000.0);
    EXPECT_DOUBLE_EQ(t, 5000.0);
    t = Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, -1, 0, &ty, &tz,
                              &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(t, 15000.0);
    // No fastener chosen: the components are cleared.
    EXPECT_EQ(tz, 0.0);
    // A null component pointer or an index the group does not have asks for the largest.
    EXPECT_DOUBLE_EQ(Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, 0,
                                           0, nullptr, &tz, nullptr, nullptr, 0),
                     15000.0);
    EXPECT_DOUBLE_EQ(Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, 2,
                                           0, &ty, &tz, nullptr, nullptr, 0),
                     15000.0);
}

TEST_F(FastenerGroup, RowsUseTheirOwnPolarMomentAndGroupsWithoutOneCarryNoMoment)
{
    // A row along y: mode 1 takes Syy; Vz = 9 kN at yF = 200 gives M' = 1.8 kNm.
    const double y[] = {-100.0, 0.0, 100.0};
    const double z[] = {0.0, 0.0, 0.0};
    double ty = 0, tz = 0, rest = 0;
    double t = Design_Fastener_Group(3, y, z, nullptr, 0.0, 9000.0, 0.0, 200.0, 0.0, -1, 1, &ty,
                                     &tz, &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 20000.0);
    EXPECT_DOUBLE_EQ(t, 12000.0);
    EXPECT_EQ(rest, 0.0);
    // The same row as a row along z (mode 2) has no polar moment: shear only, the moment
    // M' is left over and the first of the equal forces is reported.
    std::string text = Report_Text([&](FILE* s) {
        t = Design_Fastener_Group(3, y, z, nullptr, 0.0, 9000.0, 0.0, 200.0, 0.0, -1, 2, &ty, &tz,
                                  &rest, s, 1);
    });
    EXPECT_DOUBLE_EQ(t, 3000.0);
    EXPECT_DOUBLE_EQ(rest, 1800000.0);
    EXPECT_EQ(text, "Maximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\1\xCEr = 3.00 kN  bei 3 "
                    "Schrauben\n" +
                        PURPLE +
                        "I\xCE\\p\xCEr' = 0: Das Exzentrizit\x84tsmoment M' = 1.80 kNm kann nicht "
                        "aufgenommen werden (n\xCE\\x\xCEr" +
                        TIMES + "n\xCE\\z\xCEr < 2) !" + OFF + "\n");

    // One fastener: Vy = 1000 N at its own place and Mx = 1000 Nmm.
    const double y1[] = {0.0};
    const double z1[] = {0.0};
    text = Report_Text([&](FILE* s) {
        t = Design_Fastener_Group(1, y1, z1, nullptr, 1000.0, 0.0, 1000.0, 0.0, 0.0, 0, 0, &ty, &tz,
                                  &rest, s, 0);
    });
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 0.0);
    EXPECT_DOUBLE_EQ(ty, 1000.0);
    EXPECT_DOUBLE_EQ(tz, 0.0);
    EXPECT_DOUBLE_EQ(t, 1000.0);
    EXPECT_DOUBLE_EQ(rest, 1000.0);
    EXPECT_NE(text.find("Punkt 1: \xCEt"), std::string::npos);
    EXPECT_NE(text.find("Exzentrizit\x84tsmoment M' = 0.00 kNm"), std::string::npos);
    // The moment an eccentric force alone brings counts as well.
    Design_Fastener_Group(1, y1, z1, nullptr, 0.0, 2000.0, 0.0, 50.0, 0.0, -1, 0, nullptr, nullptr,
                          &rest, nullptr, 0);
    EXPECT_DOUBLE_EQ(rest, 100000.0);
}

TEST_F(FastenerGroup, NoLoadOrNoFastenersGiveNothingAndVanishingForcesFailTheReport)
{
    const double y[] = {-50.0, 50.0};
    const double z[] = {0.0, 0.0};
    double ty = 7, tz = 7, rest = 7, t = 7;
    std::string text = Report_Text([&](FILE* s) {
        t = Design_Fastener_Group(2, y, z, nullptr, 0.0009, -0.0009, 0.0005, 0.0, 0.0, 1, 0, &ty,
                                  &tz, &rest, s, 1);
    });
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(ty, 0.0);
    EXPECT_EQ(tz, 0.0);
    EXPECT_EQ(rest, 0.0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(Design_Fastener_Group(0, y, z, nullptr, 1000.0, 0.0, 0.0, 0.0, 0.0, -1, 0, nullptr,
                                    nullptr, nullptr, nullptr, 0),
              0.0);

    // A moment so small that no fastener force reaches 0.001 N.
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 0.0, 0.0, 0.002, 0.0, 0.0, -1, 0, nullptr, nullptr,
                              nullptr, s, 0);
    });
    EXPECT_EQ(text, "Maximale Beanspruchung nicht ermittelbar " + RED + "\xCE" "H!!" + OFF + "\n");
    EXPECT_EQ(verdict_failed, 1);
}

TEST_F(FastenerGroup, ReportLinesOfTheGroupAndOfAChosenFastener)
{
    const double y[] = {-50.0, 50.0};
    const double z[] = {0.0, 0.0};
    const std::string head =
        "Schwerpunktskoordinaten  y\xCE\\s\xCEr' = 0.0 mm,  z\xCE\\s\xCEr' = 0.0 mm\n"
        "Querschnittsfl\x84" "che  A' = n\xCE\\x\xCEr" + TIMES + "n\xCE\\z\xCEr = 2,  polares "
        "Tr\x84" "gheitsmoment I\xCE\\p\xCEr' = \xB2y\xCE\\i\xCEr'\xFD + \xB2z\xCE\\i\xCEr'\xFD = "
        "50.00 cm\xFD\n"
        "Schnittgr\x94\xE1" "en im Schwerpunkt  V\xCE\\y\xCEr' = 0.0 kN,  V\xCE\\z\xCEr' = 10.0 kN,  "
        "M\xCE\\x\xCEr' = 1.00 kNm\n";
    const std::string plain =
        "Beanspruchung  T\xCE\\y,i\xCEr\xCEr = V\xCE\\y\xCEr'/A' - M\xCE\\x\xCEr'/I\xCE\\p\xCEr'" +
        TIMES + "z\xCE\\i\xCEr',  T\xCE\\z,i\xCEr\xCEr = V\xCE\\z\xCEr'/A' + M\xCE\\x\xCEr'/"
        "I\xCE\\p\xCEr'" + TIMES + "y\xCE\\i\xCEr',  T\xCE\\i\xCEr\xCEr = (T\xCE\\y,i\xCEr\xFD + "
        "T\xCE\\z,i\xCEr\xFD)\xCE/1/2\xCEr\n";
    std::string text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, -1, 0, nullptr,
                              nullptr, nullptr, s, 1);
    });
    EXPECT_EQ(text, head + plain +
                        "Maximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\2\xCEr = 15.00 kN  bei 2 "
                        "Schrauben\n");

    // With weights the formula carries f vt,i; with mode 1 no group lines at all.
    const double w[] = {1.0, 1.0};
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, w, 0.0, 10000.0, 1000000.0, 0.0, 0.0, -1, 0, nullptr,
                              nullptr, nullptr, s, 1);
    });
    EXPECT_NE(text.find("Beanspruchung  T\xCE\\y,i\xCEr\xCEr = f\xCE\\vt,i\xCEr " + TIMES +
                        " (V\xCE\\y\xCEr'/A' - M\xCE\\x\xCEr'/I\xCE\\p\xCEr'" + TIMES +
                        "z\xCE\\i\xCEr'),  T\xCE\\z,i\xCEr\xCEr = f\xCE\\vt,i\xCEr " + TIMES +
                        " (V\xCE\\z\xCEr'/A' + M\xCE\\x\xCEr'/I\xCE\\p\xCEr'" + TIMES +
                        "y\xCE\\i\xCEr'),  T\xCE\\i\xCEr\xCEr = (T\xCE\\y,i\xCEr\xFD + "
                        "T\xCE\\z,i\xCEr\xFD)\xCE/1/2\xCEr\n"),
              std::string::npos)
        << text;
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, -1, 1, nullptr,
                              nullptr, nullptr, s, 1);
    });
    EXPECT_EQ(text.find("Schwerpunkt"), std::string::npos);

    // A chosen fastener: its place relative to the centroid and the three forces ...
    double ty, tz;
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 0.0, 10000.0, 1000000.0, 0.0, 0.0, 1, 0, &ty, &tz,
                              nullptr, s, 0);
    });
    EXPECT_EQ(text, "Punkt 2: \xCEty\xCE\\2\xCEr' = 50.0 mm \xCEtz\xCE\\2\xCEr' = 0.0 mm \xCEt"
                    "T\xCE\\y,2\xCEr = 0.00 kN \xCEtT\xCE\\z,2\xCEr = 15.00 kN \xCEt"
                    "T\xCE\\2\xCEr = 15.00 kN\n");
    // ... only Vy acting: T = Ty ...
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 4000.0, 0.0, 0.0, 0.0, 0.0, 0, 0, &ty, &tz, nullptr,
                              s, 0);
    });
    EXPECT_EQ(text, "Punkt 1: \xCEty\xCE\\1\xCEr' = -50.0 mm \xCEtz\xCE\\1\xCEr' = 0.0 mm \xCEt"
                    "T\xCE\\1\xCEr = T\xCE\\y,1\xCEr = 2.00 kN\n");
    // ... only Vz through the centroid: T = Tz.
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, y, z, nullptr, 0.0, 4000.0, 0.0, 0.0, 0.0, 0, 0, &ty, &tz, nullptr,
                              s, 0);
    });
    EXPECT_NE(text.find("\xCEtT\xCE\\1\xCEr = T\xCE\\z,1\xCEr = 2.00 kN\n"), std::string::npos)
        << text;
}

TEST_F(FastenerGroup, SteelEpsilonAndItsExpression)
{
    double e = 0;
    std::string text = Report_Text([&](FILE* s) { e = Get_Steel_Epsilon(355.0, 0.0, s); });
    EXPECT_NEAR(e, 0.8136, 0.00005);
    EXPECT_EQ(text, "\xBE = (235/355)\xCE/0.5\xCEr = 0.814");
    text = Report_Text([&](FILE* s) { e = Get_Steel_Epsilon(355.0, 200000.0, s); });
    EXPECT_NEAR(e, 0.79401, 0.00001);
    EXPECT_EQ(text, "\xBE = (235/355" + TIMES + "200000/210000)\xCE/0.5\xCEr = 0.794");
    // A yield strength so high that 235/fy is below 0.1 drops its fraction.
    text = Report_Text([&](FILE* s) { e = Get_Steel_Epsilon(5000.0, 210000.0, s); });
    EXPECT_EQ(text, "\xBE = 0.217");
    text = Report_Text([&](FILE* s) { e = Get_Steel_Epsilon(5000.0, 100000.0, s); });
    EXPECT_EQ(text, "\xBE = (100000/210000)\xCE/0.5\xCEr = 0.150");
    text = Report_Text([&](FILE* s) { e = Get_Steel_Epsilon(0.0005, 210000.0, s); });
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(text, "");
}
