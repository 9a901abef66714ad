#include "core/concrete_cover.h"

#include "material/material_set.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum { NONE = 0, X0 = 1, XC1 = 2, XC3 = 4, XC4 = 5, XD1 = 6, XD2 = 7, XD3 = 8, XS1 = 9, XS2 = 10 };
enum { XF1 = 1, XF2 = 2, XA1 = 5 };

// The annex in force set to the Eurocode recommended values for the test, given back
// afterwards.
class ConcreteCover : public ::testing::Test {
protected:
    void SetUp() override
    {
        annex = NAD_Get_EC2_Params();
        saved = *annex;
        NAD_EC2_Defaults(annex);
        verdict_failed = 0;
    }
    void TearDown() override
    {
        *annex = saved;
        verdict_failed = 0;
    }
    NAD_EC2_Params* annex = nullptr;
    NAD_EC2_Params saved{};
};

double Cover(int corrosion, double phi_s = 0, double phi_sb = 0, double d = 0, int second_layer = 0, double cv = 0)
{
    return Check_Concrete_Cover(corrosion, NONE, second_layer, phi_s, phi_sb, d, 0.0, cv, "", nullptr, 2);
}

// The running-text lines written into a report (without the channel's leading blank).
std::vector<std::string> Report_Lines(const std::function<void(FILE*)>& write)
{
    File_Stream out;
    OLI_Reset_Channel();
    write(out.get());
    OLI_End_Text_Block(out.get());
    std::vector<std::string> lines;
    const std::string bytes = out.bytes();
    size_t start = 0;
    for (size_t end = bytes.find('\n'); end != std::string::npos; end = bytes.find('\n', start)) {
        if (end > start && bytes[start] == ' ') lines.push_back(bytes.substr(start + 1, end - start - 1));
        start = end + 1;
    }
    return lines;
}

#define SUB(text) "\xCE\\" text "\xCEr"
const std::string ARROW = "\x88", DELTA = "\xA3", DIAM = "\x8C";

} // namespace

// EN 1992-1-1, 4.4.1 with the recommended values (class S4, delta c_dev = 10 mm):
// c_nom = max(c_min,b; c_min,dur + delta c_dur,gamma - delta c_dur,st - delta c_dur,add;
//             10 mm) + delta c_dev.
TEST_F(ConcreteCover, EurocodeHandValues)
{
    EXPECT_DOUBLE_EQ(Cover(XC1, 2.0), 3.0);  // bar 20 mm governs over c_min,dur 15 mm
    EXPECT_DOUBLE_EQ(Cover(XC1, 1.0), 2.5);
    EXPECT_DOUBLE_EQ(Cover(XC3, 1.6), 3.5);
    EXPECT_DOUBLE_EQ(Cover(XC4), 4.0);
    EXPECT_DOUBLE_EQ(Cover(XD3), 5.5);
    EXPECT_DOUBLE_EQ(Cover(XS1), 4.5);
    EXPECT_DOUBLE_EQ(Cover(X0), 2.0);  // the 10 mm floor

    annex->delta_c_dur_st = 0.5;
    EXPECT_DOUBLE_EQ(Cover(XC4), 3.5);
    EXPECT_DOUBLE_EQ(Cover(X0), 2.0);  // 10 - 5 mm is below the floor
    annex->delta_c_dur_st = 0.0;
    annex->delta_c_dur_add = 0.5;
    annex->delta_c_dur_gamma[XS2] = 1.0;
    EXPECT_DOUBLE_EQ(Cover(XS2), 5.5);  // 40 + 10 - 5 + 10
    annex->delta_c_dur_add = 0.0;
    annex->delta_c_dev = 0.5;
    EXPECT_DOUBLE_EQ(Cover(XC1, 2.5), 3.0);  // 25 + 5
    EXPECT_DOUBLE_EQ(Cover(XC1, -2.5), 2.0);  // a negative diameter counts as none
}

TEST_F(ConcreteCover, GermanAnnexRules)
{
    NAD_EC2_Defaults_NA_DE(annex);
    // delta c_dev 15 mm, but 10 mm for X0 and XC1 and for bond.
    EXPECT_DOUBLE_EQ(Cover(XC1), 2.0);
    EXPECT_DOUBLE_EQ(Cover(XC3), 3.5);
    EXPECT_DOUBLE_EQ(Cover(XD1), 6.5);  // 40 + 10 + 15
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.8), 3.8);
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.5), 3.5);
}

TEST_F(ConcreteCover, StirrupsAndAxisDistance)
{
    // X0, a 28 mm main bar inside 8 mm stirrups: the bar needs 38 mm, the stirrups outside
    // it 30 mm. Stirrups do not let the bar come closer to the surface: min d stays
    // 38 + 14 = 52 mm with and without them.
    EXPECT_DOUBLE_EQ(Cover(X0, 2.8, 0.8), 3.0);
    EXPECT_DOUBLE_EQ(Cover(X0, 2.8, 0.0, 5.2), 3.8);
    EXPECT_DOUBLE_EQ(Cover(X0, 2.8, 0.0, 5.1), -1.0);
    EXPECT_DOUBLE_EQ(Cover(X0, 2.8, 0.8, 5.2), 3.0);
    EXPECT_DOUBLE_EQ(Cover(X0, 2.8, 0.8, 5.1), -1.0);
    EXPECT_DOUBLE_EQ(Cover(X0, 0.0, 1.2), 2.2);  // stirrups alone: 12 + 10
    EXPECT_DOUBLE_EQ(Cover(XD2, 2.8, 0.8), 5.0);  // durability governs

    // XC3, 20 mm bars, 10 mm stirrups: min d = 35 + 10 + 10 = 55 mm (tolerance 0.001 mm),
    // a second layer adds 20 mm, a laid cover of 30 mm replaces c_nom in it.
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 1.0, 5.4999), 3.5);
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 1.0, 5.49), -1.0);
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 1.0, 7.4, 1), -1.0);
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 1.0, 7.5, 1), 3.5);
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 1.0, 5.0, 0, 3.0), 3.5);
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 1.0, 4.9, 0, 3.0), -1.0);
}

TEST_F(ConcreteCover, LeastStrengthClass)
{
    auto check = [](int corrosion, int attack, double fck) {
        return Check_Concrete_Cover(corrosion, attack, 0, 0, 0, 0, fck, 0, "", nullptr, 0);
    };
    EXPECT_DOUBLE_EQ(check(XC4, NONE, 20.0), -1.0);  // needs C25/30
    EXPECT_DOUBLE_EQ(check(XC4, NONE, 24.9995), 4.0);
    EXPECT_DOUBLE_EQ(check(XC4, NONE, 0.0), 4.0);  // no concrete given: not checked
    EXPECT_DOUBLE_EQ(check(XC1, XF2, 30.0), -1.0);  // the stricter class: C35/45
    EXPECT_DOUBLE_EQ(check(XC1, XF2, 35.0), 2.5);
    EXPECT_DOUBLE_EQ(check(NONE, XF1, 20.0), -1.0);  // attack alone: no cover, class counts
    EXPECT_DOUBLE_EQ(check(NONE, XF1, 30.0), 0.0);
    EXPECT_DOUBLE_EQ(check(NONE, NONE, 5.0), 0.0);

    // A class index out of range must not pass as durable.
    EXPECT_DOUBLE_EQ(check(12, NONE, 30.0), -1.0);
    EXPECT_DOUBLE_EQ(check(XC1, 8, 30.0), -1.0);
    const auto lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(-1, 0, 0, 0, 0, 0, 0, 0, "", f, 2); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Unbekannte Expositionsklasse"), std::string::npos);
}

// The least strength class of every exposure class (indices of C12/15 .. C35/45): the
// corrosion classes X0, XC1 .. XC4, XD1 .. XD3, XS1 .. XS3 and the attack classes XF1 .. XF4,
// XA1 .. XA3; the check passes the class's own fck and refuses anything below it.
TEST_F(ConcreteCover, LeastStrengthClassOfEveryExposureClass)
{
    const double class_fck[6] = {12, 16, 20, 25, 30, 35};
    const int corrosion_least[CORROSION_CLASS_COUNT] = {0, 0, 1, 1, 2, 3, 4, 5, 5, 4, 5, 5};
    const int attack_least[ATTACK_CLASS_COUNT] = {0, 3, 5, 5, 4, 3, 5, 5};
    for (int k = 0; k < CORROSION_CLASS_COUNT; ++k) {
        EXPECT_EQ(Get_Least_Class_Corrosion(k), corrosion_least[k]) << k;
        if (k == 0) continue;
        const double fck = class_fck[corrosion_least[k]];
        EXPECT_GT(Check_Concrete_Cover(k, NONE, 0, 0, 0, 0, fck, 0, "", nullptr, 0), 0.0) << k;
        EXPECT_EQ(Check_Concrete_Cover(k, NONE, 0, 0, 0, 0, fck - 0.01, 0, "", nullptr, 0), -1.0) << k;
    }
    for (int k = 0; k < ATTACK_CLASS_COUNT; ++k) {
        EXPECT_EQ(Get_Least_Class_Attack(k), attack_least[k]) << k;
        if (k == 0) continue;
        const double fck = class_fck[attack_least[k]];
        EXPECT_EQ(Check_Concrete_Cover(NONE, k, 0, 0, 0, 0, fck, 0, "", nullptr, 0), 0.0) << k;
        EXPECT_EQ(Check_Concrete_Cover(NONE, k, 0, 0, 0, 0, fck - 0.01, 0, "", nullptr, 0), -1.0) << k;
        // With X0 (which asks for nothing) the attack class alone decides.
        EXPECT_EQ(Check_Concrete_Cover(X0, k, 0, 0, 0, 0, fck - 0.01, 0, "", nullptr, 0), -1.0) << k;
    }
    for (int k : {-1, CORROSION_CLASS_COUNT}) EXPECT_EQ(Get_Least_Class_Corrosion(k), 0);
    for (int k : {-1, ATTACK_CLASS_COUNT}) EXPECT_EQ(Get_Least_Class_Attack(k), 0);
    // The report names the class of each side and the stricter one.
    const auto lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XD1, 4, 0, 0, 0, 0, 0, 0, "", f, 0); });
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "  infolge Bewehrungskorrosion XD1  " + ARROW + "  C30/37");
    EXPECT_EQ(lines[2], "  infolge Betonangriff XF4  " + ARROW + "  C30/37");
    EXPECT_EQ(lines[3], "Mindestbetong\x81te  C30/37");
}

// The nominal cover of every corrosion class without bars: c_min,dur (at least 10 mm) plus
// the allowance, by the Eurocode recommended values (Table 4.4N, S4, 10 mm) and by the German
// annex (c_min,dur with delta c_dur,gamma, 15 mm, but 10 mm for X0 and XC1).
TEST_F(ConcreteCover, NominalCoverOfEveryCorrosionClass)
{
    const double ec_mm[CORROSION_CLASS_COUNT] = {0, 20, 25, 35, 35, 40, 45, 50, 55, 45, 50, 55};
    const double de_mm[CORROSION_CLASS_COUNT] = {0, 20, 20, 35, 35, 40, 65, 60, 55, 65, 60, 55};
    const char* const names[CORROSION_CLASS_COUNT] = {"---", "X0 ", "XC1", "XC2", "XC3", "XC4",
                                                      "XD1", "XD2", "XD3", "XS1", "XS2", "XS3"};
    for (int k = 1; k < CORROSION_CLASS_COUNT; ++k) {
        EXPECT_DOUBLE_EQ(Cover(k), ec_mm[k] / 10.0) << names[k];
        const auto lines = Report_Lines([k](FILE* f) { Check_Concrete_Cover(k, NONE, 0, 0, 0, 0, 0, 0, "", f, 1); });
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[1], std::string("  infolge Bewehrungskorrosion ") + names[k] + "  " + ARROW + " " +
                                concrete_class_names[Get_Least_Class_Corrosion(k)] + ", c" SUB("nom") " = " +
                                std::to_string(static_cast<int>(ec_mm[k])) + " mm");
    }
    NAD_EC2_Defaults_NA_DE(annex);
    for (int k = 1; k < CORROSION_CLASS_COUNT; ++k) EXPECT_DOUBLE_EQ(Cover(k), de_mm[k] / 10.0) << names[k];
}

TEST_F(ConcreteCover, DetailedReport)
{
    const std::string ok = Get_Verdict_Ok();
    const auto lines = Report_Lines([](FILE* f) {
        EXPECT_DOUBLE_EQ(Check_Concrete_Cover(XC3, XF1, 0, 2.0, 1.0, 7.0, 30.0, 4.0, "vertikal", f, 2), 3.5);
    });
    const std::vector<std::string> expected = {
        "\xCE_vertikal\xCEr: Mindestfestigkeitsklasse, Betondeckung",
        "  infolge Bewehrungskorrosion XC3  " + ARROW + "  C20/25, c" SUB("min") " = 25 mm, " + DELTA +
            "c = 10 mm, c" SUB("nom") " = c" SUB("min") "+" + DELTA + "c = 35 mm",
        "zur Sicherstellung des Verbunds",
        "f\x81r die B\x81gelbewehrung: c" SUB("min,b") " = " + DIAM + SUB("sb") " = 10 mm, " + DELTA +
            "c = 10 mm, c" SUB("nom,b") " = c" SUB("min,b") "+" + DELTA + "c = 20 mm",
        "f\x81r die L\x84ngsbewehrung: c" SUB("min,l") " = " + DIAM + SUB("s") " = 20 mm, " + DELTA +
            "c = 10 mm, c" SUB("nom,l") " = c" SUB("min,l") "+" + DELTA + "c = 30 mm",
        "  " + ARROW + " c" SUB("nom,b") " = c" SUB("nom,l") "-" + DIAM + SUB("sb") " = 20 mm",
        "Betondeckung zur B\x81gelbewehrung: c" SUB("nom") " = 35 mm < c" SUB("v") " = 40 mm  " + ok,
        "  infolge Betonangriff XF1  " + ARROW + "  C25/30",
        "Mindestbetong\x81te  C25/30 mit f" SUB("ck") " = 25.0 N/mm\xFD < vorh f" SUB("ck") " = 30.0 N/mm\xFD  " + ok,
        "Mindestachsabstand (f\x81r nur eine Bewehrungslage) min d = c" SUB("v") "+" + DIAM + SUB("sb") "+" + DIAM +
            SUB("sl") "/2 = 60.0 mm",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(verdict_failed, 0);
}

TEST_F(ConcreteCover, ShortReportsAndVerdicts)
{
    // Standard level: bond values join the durability line; with both kinds of bars the
    // result follows on a line of its own.
    auto lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XC3, NONE, 0, 2.0, 1.0, 0, 0, 0, "x", f, 1); });
    std::vector<std::string> expected = {
        "Mindestfestigkeitsklasse, Betondeckung",
        "  infolge Bewehrungskorrosion XC3  " + ARROW + "  C20/25, c" SUB("nom") " = 35 mm, c" SUB(
            "nom,b") " = 20 mm, c" SUB("nom,l") " = 30 mm",
        " " + ARROW + " c" SUB("nom") " = 35 mm",
        "Mindestbetong\x81te  C20/25",
    };
    EXPECT_EQ(lines, expected);
    // Minimal level: the result right behind the class.
    lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XC3, NONE, 0, 2.8, 0, 0, 0, 0, "", f, 0); });
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "  infolge Bewehrungskorrosion XC3  " + ARROW + "  C20/25, c" SUB("nom") " = 38 mm");
    // Without bars, detailed: the durability line and an empty line.
    lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(X0, NONE, 0, 0, 0, 0, 0, 0, "", f, 2); });
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "");
    // A label of two characters already heads the block; one character does not.
    lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XC3, NONE, 0, 0, 0, 0, 0, 0, "oben", f, 0); });
    EXPECT_EQ(lines[0], "\xCE_oben\xCEr: Mindestfestigkeitsklasse, Betondeckung");
    lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XC3, NONE, 0, 0, 0, 0, 0, 0, "ob", f, 0); });
    EXPECT_EQ(lines[0], "\xCE_ob\xCEr: Mindestfestigkeitsklasse, Betondeckung");
    lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XC3, NONE, 0, 0, 0, 0, 0, 0, "o", f, 0); });
    EXPECT_EQ(lines[0], "Mindestfestigkeitsklasse, Betondeckung");
    // Both classes none: nothing.
    EXPECT_TRUE(Report_Lines([](FILE* f) { Check_Concrete_Cover(NONE, NONE, 0, 2, 1, 5, 30, 3, "x", f, 2); }).empty());

    // A laid cover of 30 mm where 35 mm are needed is marked not ok (only with a report);
    // the result stays c_nom and min d comes from the laid cover.
    EXPECT_DOUBLE_EQ(Cover(XC3, 2.0, 0.0, 4.0, 0, 3.0), 3.5);
    EXPECT_EQ(verdict_failed, 0);
    lines = Report_Lines([](FILE* f) { Check_Concrete_Cover(XC3, NONE, 0, 2.0, 0.0, 4.0, 0, 3.0, "", f, 2); });
    EXPECT_EQ(verdict_failed, 1);
    const std::string not_ok = Get_Verdict_Not_Ok();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "Betondeckung: c" SUB("nom") " = 35 mm > c" SUB("v") " = 30 mm  " + not_ok);
    EXPECT_EQ(lines[6], "Mindestachsabstand (f\x81r nur eine Bewehrungslage) min d = c" SUB("v") "+" + DIAM +
                            SUB("sl") "/2 = 40.0 mm");
}
