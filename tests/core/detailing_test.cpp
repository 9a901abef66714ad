#include "core/detailing.h"

#include "annex/nad_ec2.h"
#include "detailing_support.h"
#include "report/oli_channel.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

// Report lines of one call, without the channel's block records.
template <typename Call>
std::string Lines_Of(Call call)
{
    File_Stream f;
    OLI_Reset_Channel();
    call(f.get());
    OLI_End_Text_Block(f.get());
    OLI_Reset_Channel();
    std::string all = f.bytes();
    std::string text;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find('\n', pos);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(pos, end - pos);
        if (!line.empty() && line[0] == ' ') text += line.substr(1) + "\n";
        pos = end + 1;
    }
    return text;
}

const std::string DOT = "\xCE/.\xCEr";
const std::string PHI_S = "\x8C\xCE\\s\xCEr";

NAD_EC2_Params Params(int na_de)
{
    NAD_EC2_Params p{};
    NAD_EC2_Defaults(&p);
    p.na_de_flag = na_de;
    return p;
}

struct Anchorage {
    int norm = 4;
    double fck = 30.0;
    double pos[2] = {0.0, 40.0};  // bar at the bottom: good bond
    double phi = 1.6;
    double as_req = 5.0, as_prov = 5.0, alpha = 1.0, k = 10.0;
    int kind = 0;
    int flags = 0;
    double lb_rqd = -9.0, lb_min = -9.0;
    double Run(const NAD_EC2_Params* p, FILE* report = nullptr)
    {
        return Calc_Anchorage_Length(norm, 1, 500.0, 1.15, 9, fck, 2200.0, 0.0, 1.5, pos, phi, as_req, as_prov,
                                     alpha, k, &lb_rqd, &lb_min, kind, p, &flags, report);
    }
};

} // namespace

TEST(Detailing, MinimumBarSpacing)
{
    NAD_EC2_Params p = Params(0);
    EXPECT_DOUBLE_EQ(Calc_Min_Bar_Spacing(2.0, 2.0, &p), 4.0);
    p.k1_bar_spacing = 1.5;
    EXPECT_DOUBLE_EQ(Calc_Min_Bar_Spacing(2.0, 2.0, &p), 5.0);
    // One diameter missing takes the other's.
    EXPECT_DOUBLE_EQ(Calc_Min_Bar_Spacing(0.0, 2.5, nullptr), 2.5 + 2.5);
    EXPECT_DOUBLE_EQ(Calc_Min_Bar_Spacing(0.0, 0.0, &p), 2.0);
}

TEST(Detailing, MandrelDiametersOfStirrupsAndBarsByDiameter)
{
    Annex_In_Force annex("EC-Standardparameter");
    ASSERT_EQ(NAD_Get_NA_DE_Flag(), 0);
    // Stirrups and loops (EN 1992-1-1 Table 8.1N): 4 phi below 20 mm, 7 phi from 20 mm.
    EXPECT_DOUBLE_EQ(Calc_Mandrel_Diameter(4, 0, 0, 2.0, 3.0, 10.0, nullptr), 14.0);
    EXPECT_NEAR(Calc_Mandrel_Diameter(4, 0, 0, 1.999, 3.0, 10.0, nullptr), 4 * 1.999, 1e-12);
    // Bars under the recommended rule: the limit is 16 mm.
    EXPECT_NEAR(Calc_Mandrel_Diameter(4, 0, 1, 1.6, 3.0, 10.0, nullptr), 11.2, 1e-12);
    EXPECT_NEAR(Calc_Mandrel_Diameter(21, 0, 1, 1.599, 3.0, 10.0, nullptr), 4 * 1.599, 1e-12);
    // Older codes (DIN 1045-1, and DIN 1045 of 1988 with code 0): 20 mm.
    EXPECT_NEAR(Calc_Mandrel_Diameter(1, 0, 1, 1.6, 3.0, 10.0, nullptr), 6.4, 1e-12);
    EXPECT_NEAR(Calc_Mandrel_Diameter(1, 0, 1, 2.0, 3.0, 10.0, nullptr), 14.0, 1e-12);
    EXPECT_NEAR(Calc_Mandrel_Diameter(0, 0, 1, 1.6, 3.0, 10.0, nullptr), 6.4, 1e-12);
    EXPECT_NEAR(Calc_Mandrel_Diameter(0, 0, 1, 2.0, 3.0, 10.0, nullptr), 14.0, 1e-12);
    // Without a unit factor the values are millimetres.
    EXPECT_DOUBLE_EQ(Calc_Mandrel_Diameter(4, 0, 0, 20.0, 30.0, 0.0, nullptr), 140.0);

    EXPECT_EQ(Lines_Of([](FILE* s) { Calc_Mandrel_Diameter(4, 0, 0, 2.0, 3.0, 10.0, s); }),
              "Biegerollendurchmesser f\x81r B\x81gel/Schlaufen: D = 7" + DOT + PHI_S + " = 14.0 cm f\x81r " +
                  PHI_S + " = 20 mm \xF2 20 mm\n");
    EXPECT_EQ(Lines_Of([](FILE* s) { Calc_Mandrel_Diameter(4, 1, 1, 1.2, 3.0, 10.0, s); }),
              "Biegerollendurchmesser f\x81r St\x84" "be: D = 4" + DOT + PHI_S + " = 4.8 cm f\x81r " + PHI_S +
                  " = 12 mm < 16 mm\nLeichtbeton 1.5" + DOT + "D = 7.2 cm\n");
}

// Bars under the German annex (and older negative codes): by the cover at right angles to
// the plane of the bend, DIN EN 1992-1-1/NA Table 8.1DE.
TEST(Detailing, MandrelDiametersOfBarsByCover)
{
    Annex_In_Force annex("Deutschland");
    ASSERT_EQ(NAD_Get_NA_DE_Flag(), 1);
    // c > 100 mm and c > 7 phi: 10 phi.
    EXPECT_NEAR(Calc_Mandrel_Diameter(4, 0, 1, 1.0, 12.0, 10.0, nullptr), 10.0, 1e-12);
    // Exactly 100 mm is the row of 50 mm: c > 3 phi gives 15 phi.
    EXPECT_NEAR(Calc_Mandrel_Diameter(4, 0, 1, 1.0, 10.0, 10.0, nullptr), 15.0, 1e-12);
    // c > 100 mm but not above 7 phi: falls back to 15 phi.
    EXPECT_NEAR(Calc_Mandrel_Diameter(21, 0, 1, 2.0, 12.0, 10.0, nullptr), 30.0, 1e-12);
    // c above 50 mm but not above 3 phi, and c up to 50 mm: 20 phi.
    EXPECT_NEAR(Calc_Mandrel_Diameter(4, 0, 1, 2.0, 6.0, 10.0, nullptr), 40.0, 1e-12);
    // A negative code uses the cover rule; stirrups keep their own rule.
    EXPECT_NEAR(Calc_Mandrel_Diameter(-1, 0, 1, 1.0, 12.0, 10.0, nullptr), 10.0, 1e-12);
    EXPECT_NEAR(Calc_Mandrel_Diameter(4, 0, 0, 1.0, 12.0, 10.0, nullptr), 4.0, 1e-12);

    EXPECT_EQ(Lines_Of([](FILE* s) { Calc_Mandrel_Diameter(4, 0, 1, 1.0, 10.0, 10.0, s); }),
              "Biegerollendurchmesser f\x81r St\x84" "be: D = 15" + DOT + PHI_S +
                  " = 15.0 cm f\x81r min c = 100.0 mm > 50 mm und > 3" + DOT + PHI_S + " = 30 mm\n");
    EXPECT_EQ(Lines_Of([](FILE* s) { Calc_Mandrel_Diameter(4, 0, 1, 1.0, 12.0, 10.0, s); }),
              "Biegerollendurchmesser f\x81r St\x84" "be: D = 10" + DOT + PHI_S +
                  " = 10.0 cm f\x81r min c = 120.0 mm > 100 mm und > 7" + DOT + PHI_S + " = 70 mm\n");
}

TEST(Detailing, AnchorageLengthsAgainstHandValues)
{
    NAD_EC2_Params p = Params(0);
    // phi 16, C30/37, B500, good bond, full utilisation.
    Anchorage a;
    double lb = Hand_Lb_Rqd(1.6, 30.0, 500.0, 1.0);
    EXPECT_NEAR(lb, 57.2, 0.1);  // the textbook value (fbd close to 3.0 N/mm2)
    EXPECT_NEAR(a.Run(&p), lb, 1e-9);
    EXPECT_NEAR(a.lb_rqd, lb, 1e-9);
    EXPECT_NEAR(a.lb_min, std::max(0.3 * lb, 16.0), 1e-9);
    EXPECT_EQ(a.flags, 0);

    // Half the area needed: lbd = lb,rqd * As,req/As,prov, the minimum stays from lb,rqd;
    // the lb,rqd output then carries the reduction.
    Anchorage half;
    half.as_req = 2.5;
    EXPECT_NEAR(half.Run(&p), 0.5 * lb, 1e-9);
    EXPECT_NEAR(half.lb_rqd, 0.5 * lb, 1e-9);
    half.as_req = 0.5;
    EXPECT_NEAR(half.Run(&p), std::max(16.0, 0.3 * lb), 1e-9);

    // Medium bond (eta1 = 0.7): top bars of a 70 cm deep member.
    Anchorage top;
    top.pos[0] = 65.0;
    top.pos[1] = 5.0;
    top.flags = 4;
    EXPECT_NEAR(top.Run(&p), Hand_Lb_Rqd(1.6, 30.0, 500.0, 0.7), 1e-9);
    EXPECT_EQ(top.flags, 5);  // bit 1 added, the caller's bits kept

    // The bond strength grows no further beyond C60: a stronger concrete anchors as C60 does.
    Anchorage c60, stronger;
    c60.fck = 60.0;
    const double l60 = c60.Run(&p);
    EXPECT_NEAR(l60, 38.0347, 1e-4);
    for (double fck : {60.1, 90.0}) {
        stronger.fck = fck;
        EXPECT_NEAR(stronger.Run(&p), l60, 1e-9) << fck;
    }

    // phi 40: fbd reduced to (132 - 40)/100 = 92 %.
    Anchorage thick;
    thick.phi = 4.0;
    EXPECT_NEAR(thick.Run(&p), Hand_Lb_Rqd(4.0, 30.0, 500.0, 1.0) / 0.92, 1e-9);

    // German annex: lb,min = max(0.3 alpha lb,rqd, k phi) and the lower bound applies to
    // the reduced length.
    NAD_EC2_Params de = Params(1);
    Anchorage na;
    na.as_req = 1.25;
    EXPECT_NEAR(na.Run(&de), std::max(0.3 * lb, 16.0), 1e-9);
    EXPECT_NEAR(na.lb_rqd, lb, 1e-9);
    na.kind = 1;  // laps and loops: at least 20 cm
    na.phi = 0.6;
    na.k = 15.0;
    EXPECT_NEAR(na.Run(&de), 20.0, 1e-9);
    na.kind = 2;
    EXPECT_EQ(na.Run(&de), 0.0);
    EXPECT_EQ(na.lb_min, 0.0);
}

// A bar never carries more than fyd: a required area 3.17 times the provided one gives the
// length (and the report) of a fully used bar, under both forms of the rule, anchored
// straight or as loops and lapped; half the area still halves the length (20 mm, C30/37:
// every half stays above its minimum).
TEST(Detailing, LengthsOfAnUnderProvidedBarAreThoseOfAFullyUsedOne)
{
    for (int na_de : {0, 1}) {
        const NAD_EC2_Params p = Params(na_de);
        const struct {
            int kind;
            double k, alpha;
        } uses[] = {{0, 10.0, 1.0}, {0, 10.0, 0.7}, {1, 15.0, 1.4}, {1, 15.0, 2.0}};
        for (const auto& [kind, k, alpha] : uses) {
            SCOPED_TRACE("annex " + std::to_string(na_de) + " kind " + std::to_string(kind) + " alpha " +
                         std::to_string(alpha));
            Anchorage a;
            a.phi = 2.0;
            a.kind = kind;
            a.k = k;
            a.alpha = alpha;
            const double full = a.Run(&p);
            const std::string full_lines = Lines_Of([&](FILE* s) { a.Run(&p, s); });
            a.as_req = 3.17 * a.as_prov;
            EXPECT_DOUBLE_EQ(a.Run(&p), full);
            EXPECT_EQ(Lines_Of([&](FILE* s) { a.Run(&p, s); }), full_lines);
            a.as_req = 0.5 * a.as_prov;
            EXPECT_NEAR(a.Run(&p), 0.5 * full, 1e-9);
        }
    }
    // The older rule likewise.
    double pos[2] = {10.0, 10.0};
    const auto old_rule = [&](double as_req) {
        return Calc_Anchorage_Length(0, 1, 420, 1.75, 2, 0, 0, 0, 1.5, pos, 1.6, as_req, 4.0, 1.0, 10.0, nullptr,
                                     nullptr, 0, nullptr, nullptr, nullptr);
    };
    EXPECT_DOUBLE_EQ(old_rule(3.17 * 4.0), old_rule(4.0));
    // Good bond up to 25 cm of height, or within 25 cm of the bottom of a member at least
    // 55 cm high; above, half the bond stress.
    pos[1] = 15.0;
    const double good = old_rule(4.0);
    pos[1] = 15.05;
    EXPECT_NEAR(old_rule(4.0), 2.0 * good, 1e-9);
    pos[0] = 25.0;
    pos[1] = 30.0;
    EXPECT_NEAR(old_rule(4.0), good, 1e-9);
}

// Laps without the German annex rules (EN 1992-1-1 (8.11)): at least 0.3 alpha_6 lb,rqd,
// 15 phi and 20 cm; anchorages keep max(10 phi, 10 cm, 0.3 lb,rqd).
TEST(Detailing, LapMinimumLength)
{
    NAD_EC2_Params p = Params(0);
    const double lb = Hand_Lb_Rqd(1.6, 30.0, 500.0, 1.0);
    Anchorage lap;
    lap.kind = 1;
    lap.k = 15.0;
    lap.alpha = 1.5;
    EXPECT_NEAR(lap.Run(&p), 1.5 * lb, 1e-9);  // fully used: alpha_6 lb,rqd
    lap.as_req = 0.5;                            // a tenth used: the minimum governs
    EXPECT_NEAR(lap.Run(&p), 0.3 * 1.5 * lb, 1e-9);
    EXPECT_NEAR(lap.lb_min, 0.3 * 1.5 * lb, 1e-9);
    lap.alpha = 1.0;  // 0.3 lb,rqd = 17.2 cm < 15 phi = 24 cm
    EXPECT_NEAR(lap.Run(&p), 24.0, 1e-9);
    lap.phi = 0.8;    // 15 phi = 12 cm: 20 cm
    EXPECT_NEAR(lap.Run(&p), 20.0, 1e-9);

    Anchorage anchorage;  // the same small share anchored: 0.3 lb,rqd > 10 phi
    anchorage.as_req = 0.5;
    EXPECT_NEAR(anchorage.Run(&p), 0.3 * lb, 1e-9);
    anchorage.phi = 0.6;  // 10 cm
    EXPECT_NEAR(anchorage.Run(&p), 10.0, 1e-9);

    lap.phi = 1.6;
    lap.alpha = 1.5;
    const std::string lines = Lines_Of([&](FILE* s) { lap.Run(&p, s); });
    EXPECT_NE(lines.find("Mindest\x81" "bergreifungsl\x84nge l\xCE\\0,min\xCEr = max(0.3" + DOT + "\xBA\xCE\\i\xCEr" +
                         DOT + "l\xCE\\b,rqd\xCEr; 15" + DOT + PHI_S + "; 20 cm) = 25.73 cm\n"),
              std::string::npos)
        << lines;
    Anchorage quiet;
    EXPECT_EQ(Lines_Of([&](FILE* s) { quiet.Run(&p, s); }).find("Mindest"), std::string::npos);
}

TEST(Detailing, BondConditionsByDepth)
{
    NAD_EC2_Params en = Params(0), de = Params(1);
    struct Case {
        double h1, h2;
        const NAD_EC2_Params* p;
        int norm;
        int medium;
    } cases[] = {
        {0.0, 80.0, &en, 4, 0},   // at the bottom
        {30.0, 0.0, &en, 4, 1},   // at the top face
        {10.0, 15.0, &en, 4, 0},  // h = 25 cm: good everywhere
        {15.0, 15.0, &en, 4, 0},  // h = 30 cm: the lowest 25 cm are good
        {27.0, 3.0, &en, 4, 1},
        {25.03, 0.02, &en, 4, 1}, // h = 25.05 cm: the top 0.2 mm lie above the lowest 25 cm
        {27.0, 3.0, &de, 4, 0},   // ... 30 cm under the German annex
        {35.0, 5.0, &de, 21, 1},
        {40.0, 30.0, &en, 4, 0},  // h > 60 cm: 30 cm below the top is good
        {45.0, 25.0, &en, 4, 1},
        {22.0, 18.0, &en, 3, 1},  // code 3: the upper half of 25..60 cm
        {20.0, 25.0, &en, 3, 0},
        {25.0, 20.0, &en, 2, 0},  // others: the lowest 30 cm
        {35.0, 20.0, &en, 2, 1},
    };
    for (const Case& c : cases) {
        Anchorage a;
        a.norm = c.norm;
        a.pos[0] = c.h1;
        a.pos[1] = c.h2;
        a.Run(c.p);
        EXPECT_EQ(a.flags, c.medium) << c.h1 << " " << c.h2 << " code " << c.norm;
    }
}

TEST(Detailing, AnchorageBadInputAndOlderRule)
{
    NAD_EC2_Params p = Params(0);
    Anchorage a;
    a.as_prov = 0.0;
    EXPECT_EQ(Lines_Of([&](FILE* s) { EXPECT_EQ(a.Run(&p, s), -1.0); }), "");
    EXPECT_EQ(a.lb_rqd, 0.0);
    EXPECT_EQ(a.lb_min, 0.0);
    Anchorage b;
    EXPECT_EQ(b.Run(nullptr), -1.0);  // a Eurocode without annex parameters
    EXPECT_EQ(Calc_Anchorage_Length(4, -1, 500, 1.15, 9, 30, 2200, 0, 1.5, b.pos, 1.6, 1, 1, 1, 10, nullptr,
                                    nullptr, 0, &p, nullptr, nullptr),
              -1.0);
    // A free concrete without a tensile strength has no bond strength: refused, not infinite.
    EXPECT_EQ(Calc_Anchorage_Length(4, 1, 500, 1.15, 30, 0.0, 2200, 0, 1.5, b.pos, 1.6, 1, 1, 1, 10, nullptr,
                                    nullptr, 0, &p, nullptr, nullptr),
              -1.0);

    // Older rule: bond stress 2.2 N/mm2 (bar index 1, class 2), fyk 420, gamma_s 1.75.
    double lb_rqd = 0, lb_min = 0;
    double pos[2] = {10.0, 10.0};
    double lb = 420.0 * 0.25 / (1.75 * 2.2) * 1.6;
    EXPECT_NEAR(Calc_Anchorage_Length(0, 1, 420, 1.75, 2, 0, 0, 0, 1.5, pos, 1.6, 2.0, 4.0, 1.0, 10.0, &lb_rqd,
                                      &lb_min, 0, nullptr, nullptr, nullptr),
                0.5 * lb, 1e-9);
    EXPECT_NEAR(lb_rqd, lb, 1e-9);
    EXPECT_DOUBLE_EQ(lb_min, 16.0);
    // Poor position halves the bond stress; kind 1 is at least 20 cm.
    pos[0] = 30.0;
    EXPECT_NEAR(Calc_Anchorage_Length(0, 1, 420, 1.75, 2, 0, 0, 0, 1.5, pos, 0.6, 1.0, 1.0, 0.5, 10.0, &lb_rqd,
                                      &lb_min, 1, nullptr, nullptr, nullptr),
                std::max(0.5 * 2.0 * 420.0 * 0.25 / (1.75 * 2.2) * 0.6, 20.0), 1e-9);
    // ... and alpha lb where that is longer.
    pos[0] = 10.0;
    EXPECT_NEAR(Calc_Anchorage_Length(0, 1, 420, 1.75, 2, 0, 0, 0, 1.5, pos, 1.6, 1.0, 1.0, 1.0, 10.0, &lb_rqd,
                                      &lb_min, 1, nullptr, nullptr, nullptr),
                lb, 1e-9);
    EXPECT_EQ(Calc_Anchorage_Length(0, 3, 420, 1.75, 2, 0, 0, 0, 1.5, pos, 1.6, 1, 1, 1, 10, nullptr, nullptr, 0,
                                    nullptr, nullptr, nullptr),
              -1.0);
}

TEST(Detailing, AnchorageReportLines)
{
    NAD_EC2_Params de = Params(1);
    Anchorage a;
    a.pos[0] = 20.0;
    a.pos[1] = 20.0;
    a.as_req = 2.5;
    std::string lines = Lines_Of([&](FILE* s) { a.Run(&de, s); });
    EXPECT_NE(lines.find("Verbundbereich f\x81r h = 40.0 cm, h\xCE\\z\xCEr = 20.00 cm: gut\n"), std::string::npos);
    EXPECT_NE(lines.find("Bemessungswert der Verbundfestigkeit f\x81r f\xCE\\ck\xCEr = 30.0 N/mm\xFD, " + PHI_S +
                         " = 16.0 mm: f\xCE\\bd\xCEr = 3.04 N/mm\xFD\n"),
              std::string::npos);
    EXPECT_NE(lines.find(", A\xCE\\s,erf\xCEr = 2.50 cm\xFD, A\xCE\\s,vorh\xCEr = 5.00 cm\xFD:\n"), std::string::npos);
    EXPECT_NE(lines.find("l\xCE\\b\xCEr = A\xCE\\s,erf\xCEr/A\xCE\\s,vorh\xCEr" + DOT + "\xBA\xCE\\i\xCEr" + DOT +
                         "l\xCE\\b,rqd\xCEr = 28.59 cm\n"),
              std::string::npos);
    EXPECT_NE(lines.find("Mindestverankerungsl\x84nge"), std::string::npos);

    // As much provided as required: the design length follows without the ratio.
    a.as_req = 5.0;
    lines = Lines_Of([&](FILE* s) { a.Run(&de, s); });
    EXPECT_EQ(lines.find("A\xCE\\s,erf"), std::string::npos);
    EXPECT_NE(lines.find(": l\xCE\\b\xCEr = \xBA\xCE\\i\xCEr" + DOT + "l\xCE\\b,rqd\xCEr = 57.18 cm\n"), std::string::npos)
        << lines;
}

TEST(Detailing, MeshChoiceAndBarCounts)
{
    int c = -1;
    EXPECT_DOUBLE_EQ(Get_Mesh_Area_Or_Choose(&c, 2.0, 3.35), 4.24);  // an equal area takes the next
    EXPECT_EQ(c, 3);
    EXPECT_EQ(Get_Mesh_Area_Or_Choose(&(c = -1), 7.0, 1.0), -1.0);   // above Q636: none
    EXPECT_EQ(c, -1);
    EXPECT_EQ(Get_Mesh_Area_Or_Choose(&(c = 11), 0, 0), -1.0);
    EXPECT_STREQ(Get_Mesh_Name(11), "  ??  ");
    EXPECT_DOUBLE_EQ(Get_Mesh_Usable_Width(5), 230.0);
    // The bar diameter (index 0 to 4 for 6 to 10 mm) is the one whose area at the mesh's
    // spacing gives its area per metre.
    for (int k = 0; k < 11; ++k) {
        const double phi_mm = std::sqrt(4.0 * Get_Mesh_Area(k) * Get_Mesh_Bar_Spacing(k) / M_PI);
        EXPECT_EQ(Get_Mesh_Diameter_Index(k), std::lround(phi_mm) - 6) << k;
    }

    // The least count of 16 mm bars for 6.1 cm2 is 4; a huge requirement stops at 99 + 1.
    int n = -1;
    EXPECT_NEAR(Count_Bars_For_Area(&n, 16.0, 6.1), 4 * 2.0106193, 1e-6);
    EXPECT_EQ(n, 4);
    EXPECT_NEAR(Count_Bars_For_Area(&(n = -1), 16.0, 1e6), 100 * 2.0106193, 1e-4);
    EXPECT_DOUBLE_EQ(Count_Bars_For_Area(&(n = 3), 16.0, 6.0), 6.0);  // within 0.05: the requirement
    double units = -1.0;
    EXPECT_NEAR(Bar_Area_Per_Unit(&units, 1.0, 4, 1.0), M_PI / 3.0, 1e-12);
    EXPECT_EQ(units, 3.0);
    EXPECT_EQ(Bar_Area_Per_Unit(&(units = -1.0), 1.0, 1, 5.0), 0.0);  // not even one unit
}

// The cover sum: c_min,dur of the class less the reductions, at least 1 cm and the bar
// diameters, plus the allowance for deviation (1 cm for X0 and XC1 under the German annex);
// without annex values 0 and 1.5 cm; with the flag in millimetres.
TEST(Detailing, CoverSum)
{
    NAD_EC2_Params ec = Params(0);
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 4, 0.0, 0.0, &ec), 2.5 + 1.0);  // XC3
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 4, 2.8, 1.0, &ec), 2.8 + 1.0);  // the bar governs
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 4, 1.0, 3.2, &ec), 3.2 + 1.0);
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(1, 4, 0.0, 0.0, &ec), 35.0);
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 1, 0.0, 0.0, &ec), 1.0 + 1.0);  // X0
    ec.delta_c_dur_st = 0.5;
    ec.delta_c_dur_add = 0.5;
    ec.delta_c_dur_gamma[8] = 1.0;
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 8, 0.0, 0.0, &ec), 4.5 + 1.0 - 1.0 + 1.0);  // XD3
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 2, 0.0, 0.0, &ec), 1.0 + 1.0);  // 1.5 - 1.0 is below 1 cm

    NAD_EC2_Params de{};
    NAD_EC2_Defaults_NA_DE(&de);
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 1, 0.0, 0.0, &de), 1.0 + 1.0);   // X0
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 2, 0.0, 0.0, &de), 1.0 + 1.0);   // XC1
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 3, 0.0, 0.0, &de), 2.0 + 1.5);   // XC2
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 6, 0.0, 0.0, &de), 4.0 + 1.0 + 1.5);  // XD1

    for (int cls : {-1, 12}) EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, cls, 0.0, 0.0, &ec), 1.0 + 1.5) << cls;
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(0, 4, 2.0, 0.0, nullptr), 2.0 + 1.5);
    EXPECT_DOUBLE_EQ(Calc_Cover_Sum(1, 4, 0.0, 0.0, nullptr), 25.0);
}
