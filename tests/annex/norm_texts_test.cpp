#include "annex/norm_texts.h"

#include "annex/nad_choice.h"
#include "annex/nad_sections.h"
#include "cp850_notation.h"
#include "report_sandbox.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Sets the three edition switches for one test and puts back their start values.
class Editions {
public:
    Editions(int din1045_1, int en1992_1_2, int en1993)
    {
        Set_DIN1045_1_Edition(din1045_1);
        Set_EN1992_1_2_Edition(en1992_1_2);
        Set_EN1993_Edition(en1993);
    }
    ~Editions()
    {
        Set_DIN1045_1_Edition(1);
        Set_EN1992_1_2_Edition(0);
        Set_EN1993_Edition(0);
    }
};

std::vector<std::string> Literature(int code)
{
    const char* lines[NORM_LITERATURE_MAX_LINES] = {};
    int n = Get_Norm_Literature(code, lines);
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.push_back(lines[i]);
    return out;
}

std::string Designation(int code, int with_edition, int short_form)
{
    return Get_Norm_Designation(code, with_edition, short_form);
}

} // namespace

TEST(NormDesignations, FourFormsPerCode)
{
    Editions start(1, 0, 0);
    struct Row {
        int code;
        const char *plain, *with_edition, *short_form, *short_with_edition;
    } rows[] = {
        {1, "DIN 1045-1", "DIN 1045-1 (7.01) mit Ber.2 (6.05)", "DIN 1045-1", "DIN 1045-1 (7.01)"},
        {3, "{OE}NORM B 4700", "{OE}NORM B 4700 (6.01)", "{OE}N B 4700", "{OE}N B 4700 (6.01)"},
        {4, "EN 1992-1-1 (EC 2, Hochbau)", "EN 1992-1-1 (EC 2, Hochbau, 1.11)", "EC 2", "EC 2 (1.11)"},
        {13, "EN 1993-1-8 (EC 3, Anschl{ue}sse)", "EN 1993-1-8 (EC 3, Anschl{ue}sse, 12.10)", "EC 3-1-8",
         "EC 3-1-8 (12.10)"},
        {21, "EN 1992-2 (EC 2, Betonbr{ue}cken)", "EN 1992-2 (EC 2, Betonbr{ue}cken, 12.10)", "EC 2-2",
         "EC 2-2 (12.10)"},
        {34, "EN 1992-4 (EC 2, Verankerungen)", "EN 1992-4 (EC 2, Verankerungen, 4.19)", "EC 2-4", "EC 2-4 (4.19)"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Designation(r.code, 0, 0), Cp850(r.plain)) << r.code;
        EXPECT_EQ(Designation(r.code, 1, 0), Cp850(r.with_edition)) << r.code;
        EXPECT_EQ(Designation(r.code, 0, 1), Cp850(r.short_form)) << r.code;
        EXPECT_EQ(Designation(r.code, 1, 1), Cp850(r.short_with_edition)) << r.code;
    }
    for (int code : {14, 15, 17, 18, 19, 20, 28, 30, 35, -1, 1000}) {
        EXPECT_EQ(Designation(code, 1, 0), "") << code;
        EXPECT_EQ(Designation(code, 0, 1), "") << code;
    }
}

TEST(NormDesignations, EditionSwitches)
{
    {
        Editions newer_din(0, 0, 0);
        EXPECT_EQ(Designation(1, 1, 0), "DIN 1045-1 (8.08)");
        EXPECT_EQ(Designation(1, 1, 1), "DIN 1045-1 (8.08)");
        EXPECT_EQ(Designation(1, 0, 0), "DIN 1045-1");
        EXPECT_EQ(Designation(2, 1, 0), "DIN-Fachbericht 102 (3.09)");
        EXPECT_EQ(Designation(5, 1, 1), "DIN-Fb 101 (3.09)");
        EXPECT_EQ(Designation(7, 1, 0), "DIN-Fachbericht 104 (3.09)");
        EXPECT_EQ(Designation(7, 0, 0), "DIN-Fachbericht 104");
    }
    {
        Editions newer_steel(1, 0, 1);
        EXPECT_EQ(Designation(12, 1, 0), "EN 1993-1-1 (EC 3, Hochbau, 04.25)");
        EXPECT_EQ(Designation(12, 1, 1), "EC 3-1-1 (04.25)");
        EXPECT_EQ(Designation(13, 1, 1), "EC 3-1-8 (04.25)");
        EXPECT_EQ(Designation(12, 0, 0), "EN 1993-1-1 (EC 3, Hochbau)");
        EXPECT_EQ(Designation(2, 1, 1), "DIN-Fb 102 (3.03)");
    }
    // Each call overwrites the text of the last one.
    const char* first = Get_Norm_Designation(4, 0, 0);
    Get_Norm_Designation(11, 0, 1);
    EXPECT_STREQ(first, "EC 0");
}

TEST(NormLiterature, GermanAnnexLineFollowsTheAnnexName)
{
    Report_Sandbox sandbox;
    Editions start(1, 0, 0);

    // "Deutschland" is chosen on first use.
    std::vector<std::string> ec2 = Literature(4);
    ASSERT_EQ(ec2.size(), 4u);
    EXPECT_EQ(ec2[0], "EN 1992-1-1, Eurocode 2: Bemessung und Konstruktion von Stahlbeton- und Spannbetonbauteilen -");
    EXPECT_EQ(ec2[1], Cp850("  Teil 1-1: Allgemeine Bemessungsregeln und Regeln f{ue}r den Hochbau;"));
    EXPECT_EQ(ec2[2], "  Deutsche Fassung EN 1992-1-1:2004 + AC:2010, Ausgabe Januar 2011");
    EXPECT_EQ(ec2[3], "EN 1992-1-1/NA, Nationaler Anhang zur EN 1992-1-1, Ausgabe April 2013");
    std::vector<std::string> ec0 = Literature(11);
    ASSERT_EQ(ec0.size(), 3u);
    EXPECT_EQ(ec0[2], "EN 1990/NA, Nationaler Anhang zur EN 1990, Ausgabe Dezember 2010");
    // The German annex of EN 1995 brings two more lines with it.
    std::vector<std::string> ec5 = Literature(19);
    ASSERT_EQ(ec5.size(), 6u);
    EXPECT_EQ(ec5[5], Cp850("  Teil 10: Erg{ae}nzende Bestimmungen, Ausgabe Mai 2012"));
    EXPECT_EQ(Literature(29).back(), Cp850("EN 1999-1-1/NA - A1:2014 + A2:2015 + A3:2015, {AE}nderungen"));

    // Any other annex in force: the standard's lines alone.
    NAD_Select_By_Name("EC-Standardparameter");
    ASSERT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");
    EXPECT_EQ(Literature(4).size(), 3u);
    EXPECT_EQ(Literature(11).size(), 2u);
    EXPECT_EQ(Literature(19).size(), 3u);
    EXPECT_EQ(Literature(29).size(), 3u);
    EXPECT_EQ(Literature(33).size(), 3u);  // no German annex at all
}

TEST(NormLiterature, EntriesByCodeAndEdition)
{
    Report_Sandbox sandbox;
    {
        Editions start(1, 0, 0);
        EXPECT_EQ(Literature(6).size(), 0u);
        EXPECT_EQ(Literature(7).size(), 0u);
        for (int code : {36, 100, -1}) EXPECT_EQ(Literature(code), std::vector<std::string>{""}) << code;
        std::vector<std::string> din = Literature(1);
        ASSERT_EQ(din.size(), 4u);
        EXPECT_EQ(din[1], "  Ausgabe Juli 2001.  Berichtigung 2 zur DIN 1045-1 (7.01), Juni 2005");
        EXPECT_EQ(din[3], "Berichtigung 1 zum DAfStb-Heft 525, Mai 2005");
        EXPECT_EQ(Literature(3).at(1), Cp850("  {OE}sterreichisches Normungsinstitut, Ausgabe: 2001-06-01"));
        EXPECT_EQ(Literature(35)[1], Cp850("  Teil 1-13: Tr{ae}ger mit gro{ss}en Steg{oe}ffnungen;"));
        std::vector<std::string> steel = Literature(12);
        ASSERT_EQ(steel.size(), 5u);
        EXPECT_EQ(steel[3], Cp850("  EN 1993-1-1/A1, Erg{ae}nzungen zur EN 1993-1-1, Ausgabe Juli 2014"));
        EXPECT_EQ(steel[4], "EN 1993-1-1/NA, Nationaler Anhang zur EN 1993-1-1, Ausgabe Oktober 2022");
    }
    {
        Editions newer(0, 1, 1);
        std::vector<std::string> din = Literature(1);
        ASSERT_EQ(din.size(), 3u);
        EXPECT_EQ(din[1], "  Ausgabe August 2008");
        EXPECT_EQ(din[2], Cp850("Erl{ae}uterungen zu DIN 1045-1, Heft 525, Deutscher Ausschuss f{ue}r Stahlbeton, "
                                "Beuth Verlag GmbH, 2010"));
        std::vector<std::string> fire = Literature(10);
        ASSERT_EQ(fire.size(), 4u);
        EXPECT_EQ(fire[0], "ENV 1992-1-2, Eurocode 2 (Vornorm): Planung von Stahlbeton- und Spannbetontragwerken -");
        EXPECT_EQ(fire[3], "ENV 1992-1-2/NA, Nationaler Anhang zur DIN V ENV 1992-1-2, DIN-Fachbericht 92, 2000");
        std::vector<std::string> steel = Literature(12);
        ASSERT_EQ(steel.size(), 4u);
        EXPECT_EQ(steel[2], "  Deutsche Fassung EN 1993-1-1:2022, Ausgabe April 2025");
        std::vector<std::string> joints = Literature(13);
        ASSERT_EQ(joints.size(), 3u);
        EXPECT_EQ(joints[1],
                  Cp850("  Teil 1-8: Bemessung von Anschl{ue}ssen;  Deutsche Fassung EN 1993-1-8:2024, Ausgabe April 2025"));
    }
    // Every entry fits the caller's array and is plain code page 850 (no UTF-8 lead bytes),
    // whatever the editions; a null array only counts.
    for (int din : {0, 1})
        for (int other : {0, 1}) {
            Editions e(din, other, other);
            for (int code = -2; code <= 40; ++code) {
                std::vector<std::string> lines = Literature(code);
                EXPECT_LE(lines.size(), static_cast<size_t>(NORM_LITERATURE_MAX_LINES));
                EXPECT_EQ(Get_Norm_Literature(code, nullptr), static_cast<int>(lines.size()));
                for (const std::string& line : lines) EXPECT_EQ(line.find('\xC3'), std::string::npos) << code;
            }
        }
}

TEST(NormDesignations, ResettingTheEditionSwitchCitesTheOlderSteelEditionsAgain)
{
    const std::string older = [] {
        Editions e(0, 1, 0);
        return Designation(12, 1, 0) + Designation(13, 1, 0) + Designation(1, 1, 0);
    }();
    Editions e(0, 1, 1);
    EXPECT_NE(Designation(12, 1, 0) + Designation(13, 1, 0) + Designation(1, 1, 0), older);
    Reset_Edition_Switch();
    EXPECT_EQ(Get_EN1993_Edition(), 0);
    EXPECT_EQ(Get_DIN1045_1_Edition(), 0);
    EXPECT_EQ(Get_EN1992_1_2_Edition(), 1);
    EXPECT_EQ(Designation(12, 1, 0) + Designation(13, 1, 0) + Designation(1, 1, 0), older);
}
