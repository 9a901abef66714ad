#include "core/fastener_group.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "report/oli_channel.h"
#include "report/verdicts.h"

namespace {

const std::string BLOCK_OPENING = "\n#SHOWPARA\n0x0\n4\n-1\n";
const std::string TIMES = "\xCE/.\xCEr";

// The report text a writer produced, without the block opening and the blank the channel
// puts in front of every line.
template <typename Writer>
std::string Report_Text(Writer writer)
{
    FILE* stream = std::tmpfile();
    if (!stream) return "<no stream>";
    OLI_Reset_Channel();
    writer(stream);
    std::string bytes, text;
    std::rewind(stream);
    for (int c; (c = std::fgetc(stream)) != EOF;) bytes.push_back(static_cast<char>(c));
    std::fclose(stream);
    OLI_Reset_Channel();
    if (bytes.empty()) return bytes;
    if (bytes.compare(0, BLOCK_OPENING.size(), BLOCK_OPENING) != 0) return "<no block>" + bytes;
    bool line_start = true;
    for (char c : bytes.substr(BLOCK_OPENING.size())) {
        if (!(line_start && c == ' ')) text.push_back(c);
        line_start = c == '\n';
    }
    return text;
}

const double kPair_Y[] = {-50.0, 50.0};
const double kPair_Z[] = {0.0, 0.0};

// The two fasteners at y = -+50 under Vz = 10 kN through the centroid and Mx = 1 kNm.
double Pair(int index, int mode, double* ty, double* tz, FILE* report, int detail,
            const double* w = nullptr)
{
    return Design_Fastener_Group(2, kPair_Y, kPair_Z, w, 0.0, 10000.0, 1000000.0, 0.0, 0.0, index,
                                 mode, ty, tz, nullptr, report, detail);
}

} // namespace

TEST(FastenerGroup, PropertiesAboutTheCentroidAndTheOrigin)
{
    const double y[] = {10.0, 30.0}, z[] = {0.0, 40.0}, w[] = {1.0, 3.0};
    double ys, zs, a, szz, syy, ip;
    Get_Fastener_Group_Properties(2, y, z, w, &ys, &zs, &a, &szz, &syy, &ip, 0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(a, 4.0);
    EXPECT_DOUBLE_EQ(ys, 25.0);
    EXPECT_DOUBLE_EQ(zs, 30.0);
    EXPECT_DOUBLE_EQ(syy, 300.0);
    EXPECT_DOUBLE_EQ(ip, 300.0 + 1200.0);
    Get_Fastener_Group_Properties(2, y, z, nullptr, &ys, nullptr, &a, &szz, &syy, nullptr, 1, 7.0,
                                  7.0);
    EXPECT_DOUBLE_EQ(ys, 20.0);
    EXPECT_DOUBLE_EQ(syy, 1000.0);
    EXPECT_DOUBLE_EQ(szz, 1600.0);
}

TEST(FastenerGroup, SymmetricGroupsOfFourAndSixUnderEccentricShear)
{
    // 2 x 2 at y = +-40, z = +-60, Vz = 20 kN at yF = 140: Ip = 20 800 mm2, M' = 2.8 kNm;
    // both fasteners at y = +40 carry sqrt(8076.9^2 + 10384.6^2), the first is reported.
    const double y4[] = {-40.0, -40.0, 40.0, 40.0}, z4[] = {-60.0, 60.0, -60.0, 60.0};
    double ty, tz, rest = 1.0;
    std::string text = Report_Text([&](FILE* s) {
        EXPECT_NEAR(Design_Fastener_Group(4, y4, z4, nullptr, 0.0, 20000.0, 0.0, 140.0, 0.0, -1, 0,
                                          &ty, &tz, &rest, s, 0),
                    13155.87, 0.01);
    });
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 20800.0);
    EXPECT_EQ(rest, 0.0);
    EXPECT_EQ(text, "Maximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\3\xCEr = 13.16 kN  bei 4 "
                    "Schrauben\n");
    Design_Fastener_Group(4, y4, z4, nullptr, 0.0, 20000.0, 0.0, 140.0, 0.0, 3, 0, &ty, &tz, &rest,
                          nullptr, 0);
    EXPECT_NEAR(ty, -8076.923, 0.001);
    EXPECT_NEAR(tz, 10384.615, 0.001);

    // 2 x 3 at y = +-50, z = -80, 0, 80; Vy = 30 kN, Vz = 60 kN at (100, 0): Ip = 40 600,
    // M' = 6 kNm; fastener (50, -80) takes Ty = 5000 + 80 M'/Ip, Tz = 10000 + 50 M'/Ip.
    // Equal weights of 2 change nothing.
    const double y6[] = {-50, -50, -50, 50, 50, 50}, z6[] = {-80, 0, 80, -80, 0, 80};
    const double w6[] = {2, 2, 2, 2, 2, 2};
    for (const double* w : {static_cast<const double*>(nullptr), w6}) {
        double t = Design_Fastener_Group(6, y6, z6, w, 30000.0, 60000.0, 0.0, 100.0, 0.0, 3, 0, &ty,
                                         &tz, &rest, nullptr, 0);
        EXPECT_NEAR(ty, 16822.660, 0.001);
        EXPECT_NEAR(tz, 17389.163, 0.001);
        EXPECT_DOUBLE_EQ(Design_Fastener_Group(6, y6, z6, w, 30000.0, 60000.0, 0.0, 100.0, 0.0, -1,
                                               0, nullptr, nullptr, nullptr, nullptr, 0),
                         t);
    }
    EXPECT_DOUBLE_EQ(fastener_group_statics.ip, 2.0 * 40600.0);
}

TEST(FastenerGroup, GroupsWithoutPolarMomentCarryShearOnlyAndReportTheMomentLeft)
{
    // A row along y: as a row along y (mode 1) it takes M' = 1.8 kNm, as a row along z
    // (mode 2) it has no polar moment.
    const double y[] = {-100.0, 0.0, 100.0}, z[] = {0.0, 0.0, 0.0};
    double rest = 1.0;
    EXPECT_DOUBLE_EQ(Design_Fastener_Group(3, y, z, nullptr, 0.0, 9000.0, 0.0, 200.0, 0.0, -1, 1,
                                           nullptr, nullptr, &rest, nullptr, 0),
                     12000.0);
    EXPECT_EQ(rest, 0.0);
    std::string text = Report_Text([&](FILE* s) {
        EXPECT_DOUBLE_EQ(Design_Fastener_Group(3, y, z, nullptr, 0.0, 9000.0, 0.0, 200.0, 0.0, -1,
                                               2, nullptr, nullptr, &rest, s, 1),
                         3000.0);
    });
    EXPECT_DOUBLE_EQ(rest, 1800000.0);
    EXPECT_EQ(text, "Maximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\1\xCEr = 3.00 kN  bei 3 "
                    "Schrauben\n\xCE{C 1 165 75 165}I\xCE\\p\xCEr' = 0: Das Exzentrizit\x84tsmoment "
                    "M' = 1.80 kNm kann nicht aufgenommen werden (n\xCE\\x\xCEr" +
                        TIMES + "n\xCE\\z\xCEr < 2) !\xCE{C 768}\n");

    // One fastener, Vy = 1000 N and Mx = 1000 Nmm: Ty = 1000, the moment is left over.
    const double one[] = {0.0};
    double ty, tz;
    EXPECT_DOUBLE_EQ(Design_Fastener_Group(1, one, one, nullptr, 1000.0, 0.0, 1000.0, 0.0, 0.0, 0,
                                           0, &ty, &tz, &rest, nullptr, 0),
                     1000.0);
    EXPECT_DOUBLE_EQ(ty, 1000.0);
    EXPECT_DOUBLE_EQ(tz, 0.0);
    EXPECT_DOUBLE_EQ(rest, 1000.0);
}

TEST(FastenerGroup, NoLoadGivesNothingAndVanishingForcesFailTheReport)
{
    double ty = 7, tz = 7;
    std::string text = Report_Text([&](FILE* s) {
        EXPECT_EQ(Design_Fastener_Group(2, kPair_Y, kPair_Z, nullptr, 0.0009, -0.0009, 0.0005, 0.0,
                                        0.0, 1, 0, &ty, &tz, nullptr, s, 1),
                  0.0);
    });
    EXPECT_EQ(text, "");
    EXPECT_EQ(ty + tz, 0.0);
    verdict_failed = 0;
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, kPair_Y, kPair_Z, nullptr, 0.0, 0.0, 0.002, 0.0, 0.0, -1, 0,
                              nullptr, nullptr, nullptr, s, 0);
    });
    EXPECT_EQ(text, "Maximale Beanspruchung nicht ermittelbar \xCE{C 1 230 0 0}\xCEH!!\xCE{C 768}\n");
    EXPECT_EQ(verdict_failed, 1);
    verdict_failed = 0;
}

TEST(FastenerGroup, ReportLinesOfTheGroupAndOfAChosenFastener)
{
    // Ip = 5000, Tz = 5000 -+ 10000: the second fastener takes 15 kN.
    std::string text = Report_Text([](FILE* s) { Pair(-1, 0, nullptr, nullptr, s, 1); });
    EXPECT_EQ(text,
              "Schwerpunktskoordinaten  y\xCE\\s\xCEr' = 0.0 mm,  z\xCE\\s\xCEr' = 0.0 mm\n"
              "Querschnittsfl\x84" "che  A' = n\xCE\\x\xCEr" + TIMES + "n\xCE\\z\xCEr = 2,  polares "
              "Tr\x84" "gheitsmoment I\xCE\\p\xCEr' = \xB2y\xCE\\i\xCEr'\xFD + \xB2z\xCE\\i\xCEr'\xFD "
              "= 50.00 cm\xFD\n"
              "Schnittgr\x94\xE1" "en im Schwerpunkt  V\xCE\\y\xCEr' = 0.0 kN,  V\xCE\\z\xCEr' = 10.0 "
              "kN,  M\xCE\\x\xCEr' = 1.00 kNm\n"
              "Beanspruchung  T\xCE\\y,i\xCEr\xCEr = V\xCE\\y\xCEr'/A' - M\xCE\\x\xCEr'/I\xCE\\p\xCEr'" +
                  TIMES + "z\xCE\\i\xCEr',  T\xCE\\z,i\xCEr\xCEr = V\xCE\\z\xCEr'/A' + M\xCE\\x\xCEr'/"
                  "I\xCE\\p\xCEr'" + TIMES + "y\xCE\\i\xCEr',  T\xCE\\i\xCEr\xCEr = (T\xCE\\y,i\xCEr\xFD + "
                  "T\xCE\\z,i\xCEr\xFD)\xCE/1/2\xCEr\n"
                  "Maximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\2\xCEr = 15.00 kN  bei 2 "
                  "Schrauben\n");
    // Weights bring the factor f vt,i into the formula.
    const double w[] = {1.0, 1.0};
    text = Report_Text([&](FILE* s) { Pair(-1, 0, nullptr, nullptr, s, 1, w); });
    EXPECT_NE(text.find("T\xCE\\y,i\xCEr\xCEr = f\xCE\\vt,i\xCEr " + TIMES + " (V\xCE\\y\xCEr'/A'"),
              std::string::npos);

    double ty, tz;
    text = Report_Text([&](FILE* s) { Pair(1, 0, &ty, &tz, s, 0); });
    EXPECT_EQ(text, "Punkt 2: \xCEty\xCE\\2\xCEr' = 50.0 mm \xCEtz\xCE\\2\xCEr' = 0.0 mm \xCEt"
                    "T\xCE\\y,2\xCEr = 0.00 kN \xCEtT\xCE\\z,2\xCEr = 15.00 kN \xCEt"
                    "T\xCE\\2\xCEr = 15.00 kN\n");
    // Only Vy acting: T = Ty.
    text = Report_Text([&](FILE* s) {
        Design_Fastener_Group(2, kPair_Y, kPair_Z, nullptr, 4000.0, 0.0, 0.0, 0.0, 0.0, 0, 0, &ty,
                              &tz, nullptr, s, 0);
    });
    EXPECT_NE(text.find("\xCEtT\xCE\\1\xCEr = T\xCE\\y,1\xCEr = 2.00 kN\n"), std::string::npos);
    // An index the group does not have asks for the largest force.
    EXPECT_DOUBLE_EQ(Pair(2, 0, &ty, &tz, nullptr, 0), 15000.0);
}

TEST(FastenerGroup, SteelEpsilonAndItsExpression)
{
    double e = 0;
    std::string text = Report_Text([&](FILE* s) { e = Get_Steel_Epsilon(355.0, 0.0, s); });
    EXPECT_NEAR(e, 0.8136, 0.00005);
    EXPECT_EQ(text, "\xBE = (235/355)\xCE/0.5\xCEr = 0.814");
    text = Report_Text([](FILE* s) { Get_Steel_Epsilon(355.0, 200000.0, s); });
    EXPECT_EQ(text, "\xBE = (235/355" + TIMES + "200000/210000)\xCE/0.5\xCEr = 0.794");
    // 235/fy below 0.1 drops its fraction.
    text = Report_Text([](FILE* s) { Get_Steel_Epsilon(5000.0, 100000.0, s); });
    EXPECT_EQ(text, "\xBE = (100000/210000)\xCE/0.5\xCEr = 0.150");
    EXPECT_EQ(Get_Steel_Epsilon(0.0005, 210000.0, nullptr), 0.0);
}
