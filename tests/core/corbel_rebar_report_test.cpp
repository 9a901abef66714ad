// The block "Nachweis der Bewehrung": the exact report bytes of a single corbel that
// passes, one that fails, a beam-end corbel and required areas that could not be
// determined; verdicts that follow the printed digits; the call without a report.
#include "core/corbel_rebar_report.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "base/alloc.h"
#include "core/corbel_model.h"
#include "corbel_text_support.h"
#include "detailing_support.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

using corbel_text_test::Cp;

// The expected text of report lines, written in UTF-8 as in corbel_text_support.h and with
// {ok}, {nok}, the purple marks {!!}, the red signs {<} and {>}, and {warn:...} for a
// warning line.
std::string Lines(const std::string& utf8)
{
    std::string text = Cp(utf8);
    const std::string red = "\xCE{C 1 230 0 0}", purple = "\xCE{C 1 165 75 165}", off = "\xCE{C 768}";
    const std::pair<std::string, std::string> marks[] = {
        {"{!!}", purple + "\xCEH!!" + off},
        {"{<}", red + "\xCEH<\xCEr" + off},
        {"{>}", red + "\xCEH>\xCEr" + off},
        {"{warn:", purple},
    };
    for (const auto& [mark, bytes] : marks)
        for (size_t at; (at = text.find(mark)) != std::string::npos;) {
            text.replace(at, mark.size(), bytes);
            if (mark == "{warn:") text.replace(text.find('}', at + bytes.size()), 1, " !" + off);
        }
    // Every text line of the channel starts with its blank.
    std::istringstream in(text);
    std::string out, line;
    while (std::getline(in, line)) out += " " + line + "\n";
    return out;
}

// The paragraph head with the block's three tab stops, the change to a paragraph 0.3 cm
// further down, and the block end.
const std::string HEAD = "\n#SHOWPARA\n0x40\n4\n0x0 3\n2 16\n2 22\n2 34\n-1\n";
const std::string SPACE = "#END_OF_TEXT\n0x1004\n2 0.3\n0x40\n4\n0x0 3\n2 16\n2 22\n2 34\n-1\n";
const std::string END = "#END_OF_TEXT\n0x0\n-1\n";

class CorbelRebarReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        annex.emplace("EC-Standardparameter");
        Set_Corbel_Defaults(&m);  // a single load corbel on a column, 2 loops of 14 mm
        m.concrete_class = 9;
        report_line_prefix = "";
        OLI_Reset_Channel();
        verdict_failed = 0;
    }
    void TearDown() override
    {
        for (Load_Combination* t : m.load_table)
            if (t) MEM_FREE(t);
        if (m.results) MEM_FREE(m.results);
        OLI_Reset_Channel();
        verdict_failed = 0;
    }
    void Check() { ASSERT_EQ(Check_Corbel_Model(&m, nullptr, 0, 0), 0); }
    std::string Report(int detail)
    {
        File_Stream out;
        Report_Chosen_Reinforcement(&m, out.get(), detail);
        return out.bytes();
    }
    Load_Case_Summary& s() { return m.summary; }
    Corbel_Rebar_Choice& r() { return m.rebar; }

    std::optional<Annex_In_Force> annex;
    Corbel_Model m{};
};

// Every provided value at least the required one; the detailed level names the bars the
// covers refer to and the dimensions of the loop in the column.
TEST_F(CorbelRebarReport, SingleCorbelThatPasses)
{
    Check();
    r().min_cover_v = 2.5;
    s().final_As_h = 5.0;
    s().final_Asb_v = 2.0;
    s().final_Asb_h = r().Asb_h;  // exactly the provided area
    s().l_req_main = 30.0;
    s().l_prov_main = 32.5;
    s().l_main_member = 45.0;
    r().anchorage[0] = 50.0;
    s().D_corbel = 5.6;
    r().anchorage[4] = 5.6;
    s().rebar_failed = 1;  // from an earlier calculation

    EXPECT_EQ(Report(2),
              HEAD + Lines("Betondeckung (Verlegemaß) zur vertikalen Bügelbewehrung: c╬\\v,v╬r = 3.0 cm  >  "
                           "c╬\\nom,v╬r = 2.50 cm  {ok}\n"
                           "Betondeckung (Verlegemaß) zur horizontalen Bügelbewehrung c╬\\v,h╬r = 3.0 cm\n"
                           "Stützenbew. links ╬t2î20, vorh A╬\\sl╬r = 6.28 cm²\n"
                           "Stützenbew. rechts ╬t2î20, vorh A╬\\sr╬r = 6.28 cm²\n"
                           "Hauptzugbewehrung ╬t2 î14, D╬\\min,k╬r = 5.6 cm\n"
                           "╬tvorh A╬\\s,h╬r = 6.16 cm²  >  erf A╬\\s,h╬r = 5.00 cm²  {ok}╬r\n"
                           "(Schlaufen, 2-schn.)  ╬tBiegerollendurchmesser: ╬tKonsole gew D = 5.6 cm  =  erf D = 5.6 cm  {ok}\n"
                           "╬tVerankerungslängen: ╬tKonsole erf l╬\\v╬r = 30.0 cm  <  vorh l╬\\v╬r = 32.5 cm  {ok}\n"
                           "╬t╬t╬tStütze gew l╬\\v╬r = 50.0 cm  >  erf l╬\\v╬r = 45.0 cm  {ok}\n"
                           "╬tAbmessungen der Schlaufe (1. Lage): l╬\\v,hor╬r = 59.2 cm, l╬\\v,ver╬r = 50.0 cm\n"
                           "Spaltzugbewehrung ╬thorizontal 3 î8 (Bügel, 2-schn.), vorh A╬\\sb,h╬r = 3.02 cm²  =  "
                           "erf A╬\\sb,h╬r = 3.02 cm²  {ok}\n"
                           "Spaltzugbewehrung ╬tvertikal 3 î8 (Bügel, 2-schn.), vorh A╬\\sb,v╬r = 3.02 cm²  >  "
                           "erf A╬\\sb,v╬r = 2.00 cm²  {ok}\n"
                           "Aufhängebewehrung ╬t4î14 (Bügel, 2-schn.), vorh A╬\\s,v╬r = 12.32 cm²\n"
                           "Verankerung horiz. ╬t2 î10 (Schlaufen, 2-schn.), vorh A╬\\s,h1╬r = 3.14 cm²\n"
                           "Verankerung vertikal ╬t2 î8 (Bügel, 2-schn.), vorh A╬\\sb,v1╬r = 2.01 cm²\n"
                           "Achsabstand ╬tvorh d╬\\1k╬r = 4.50 cm  <  clc d╬\\1k╬r = 6.0 cm  {ok}╬r\n") +
                  END);
    EXPECT_EQ(s().rebar_failed, 0);
    EXPECT_EQ(verdict_failed, 0);
}

// A support corbel with a short main tie, a short lap, too little area and a cover below the
// nominal one: "nicht ok" lines raise the failure flag; the anchor plate, the field bars
// anchored by the loops and the axis distance beyond the calculation model only warn.
TEST_F(CorbelRebarReport, SingleCorbelThatFails)
{
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.d1k = 4.0;
    r().loops = 0;
    r().layers = 2;
    r().layer_diameter[1] = 5;  // 12 mm
    Check();
    r().min_cover_v = 3.05;
    r().Asb_v = 2.005;  // prints as 2.00
    r().Asb_h = 2.015;  // prints as 2.02
    s().final_As_h = 5.0;
    s().final_Asb_v = 2.01;
    s().final_Asb_h = 2.01;
    s().As_h1 = 1.0;
    s().l_req_main = 30.0;
    s().l_prov_main = 20.0;
    s().short_main = 1;
    s().l_main_member = 45.0;
    r().anchorage[0] = 40.0;
    s().l_req_field = 40.0;
    s().l_prov_field = 20.0;
    s().l_req_anch = 30.0;
    s().l_prov_anch = 25.0;
    s().l_lap_anch = 40.0;
    r().anchorage[1] = 35.0;

    EXPECT_EQ(Report(1),
              HEAD + Lines("Betondeckung (Verlegemaß): c╬\\v,v╬r = 3.0 cm  {<}  c╬\\nom,v╬r = 3.05 cm  {nok}\n"
                           "Betondeckung (Verlegemaß) c╬\\v,h╬r = 3.0 cm\n"
                           "Feldbewehrung oben ╬tStabstahl, 2î20, vorh A╬\\so╬r = 6.28 cm²\n"
                           "Feldbewehrung unten ╬tStabstahl, 2î20, vorh A╬\\su╬r = 6.28 cm²\n"
                           "╬tVerankerungslänge: ╬terf l╬\\v╬r = 40.0 cm  >  vorh l╬\\v╬r = 20.0 cm  ê  "
                           "Verankerung A╬\\s,h1╬r erf. {!!}\n"
                           "Hauptzugbewehrung ╬t1. Lage:2 î14, D╬\\min,k╬r = 5.6 cm, vorh A╬\\s,h╬r = 3.08 cm²\n"
                           "╬t2. Lage:1 î12, D╬\\min,k╬r = 4.8 cm, vorh A╬\\s,h╬r = 1.13 cm², d╬\\v╬r = 3.3 cm\n"
                           "╬tvorh A╬\\s,h╬r = 4.21 cm²  {<}  erf A╬\\s,h╬r = 5.00 cm²  {nok}╬r\n"
                           "╬tVerankerungslängen: ╬tKonsole erf l╬\\v╬r = 30.0 cm  >  vorh l╬\\v╬r = 20.0 cm  "
                           "{warn:ê  Ankerplatte erf.}\n"
                           "╬t╬t╬tTräger gew l╬\\v╬r = 40.0 cm  {<}  erf l╬\\v╬r = 45.0 cm  {nok}\n"
                           "Spaltzugbewehrung ╬thorizontal 3 î8 (Schlaufen, 2-schn.), vorh A╬\\sb,h╬r = 2.02 cm²  >  "
                           "erf A╬\\sb,h╬r = 2.01 cm²  {ok}\n"
                           "Spaltzugbewehrung ╬tvertikal 3 î8 (Bügel, 2-schn.), vorh A╬\\sb,v╬r = 2.00 cm²  {<}  "
                           "erf A╬\\sb,v╬r = 2.01 cm²  {nok}\n"
                           "Vertikalbewehrung ╬t4î14 (Bügel, 2-schn.), vorh A╬\\s,v╬r = 12.32 cm²\n"
                           "Verankerung horiz. ╬t2 î10 (Schlaufen, 2-schn.), vorh A╬\\s,h1╬r = 3.14 cm²  >  "
                           "erf A╬\\s,h1╬r = 1.00 cm²  {ok}\n"
                           "╬tVerankerungslänge: ╬terf l╬\\v╬r = 30.0 cm  >  vorh l╬\\v╬r = 25.0 cm  {nok}╬r\n"
                           "╬tÜbergreifungslänge: ╬tgew l╬\\v╬r = 35.0 cm  {<}  erf l╬\\v╬r = 40.0 cm  {nok}\n"
                           "Verankerung vertikal ╬t2 î8 (Bügel, 2-schn.), vorh A╬\\sb,v1╬r = 2.01 cm²\n"
                           "Achsabstand ╬tvorh d╬\\1k╬r = 5.40 cm  {>}  clc d╬\\1k╬r = 4.0 cm  {!!}╬r\n"
                           "╬t  mit Mindest-Stababstand je Lage\n"
                           "Achsabstand ╬tvorh e╬\\1╬r = 9.80 cm  <  clc e╬\\1╬r = 12.0 cm  {ok}╬r\n"
                           "╬t╬r  mit Mindest-Stababstand\n") +
                  SPACE +
                  Lines("{warn:Achsabstand überprüfen, Berechnungsmodell entspricht nicht der Ausführung}\n"
                        "{warn:Ankerplatten sind gesondert zu bemessen}\n") +
                  END);
    EXPECT_EQ(s().rebar_failed, 1);

    // At the minimal level the warnings follow without the space.
    const std::string minimal = Report(0);
    EXPECT_EQ(minimal.find("0x1004"), std::string::npos);
    EXPECT_NE(minimal.find(Lines("{warn:Ankerplatten sind gesondert zu bemessen}\n") + END), std::string::npos);
}

// Beside a corbel on a column, the detailed level gives the main tie's length from the
// corbel's end (30 cm less 3 cm cover and the 8 mm splitting loops) through the chosen
// length in the member, before the hint on anchor bodies; nothing without a chosen length.
TEST_F(CorbelRebarReport, LengthOfTheMainTieBars)
{
    m.system = SYSTEM_SUPPORT_CORBEL;
    Check();
    s().final_As_h = 5.0;
    s().l_main_member = 35.0;
    s().short_anch = 1;
    s().D_corbel = 5.6;  // the mandrel line ends the line that names the bar's form
    r().anchorage[4] = 5.6;
    const std::string member = Lines("╬tVerankerungslänge: ╬tTräger gew l╬\\v╬r = 40.0 cm  >  erf l╬\\v╬r = 35.0 cm  {ok}\n");
    const std::string hint = Lines("{warn:ê  Trägerzugbewehrung mit Ankerkörpern verankern}\n");
    const struct {
        int loops;
        double chosen;
        std::string lines;
    } cases[] = {
        {1, 40.0, member + Lines("╬tLänge der Schlaufen: l╬\\s╬r = 66.2 cm\n") + hint},
        {0, 40.0, member + Lines("╬tLänge der Stäbe: l╬\\s╬r = 66.2 cm\n") + hint},
        {1, 0.0, Lines("╬tVerankerungslänge: ╬tTräger gew l╬\\v╬r = 0.0 cm\n") + hint},
    };
    for (const auto& c : cases) {
        r().loops = c.loops;
        r().anchorage[0] = c.chosen;
        const std::string report = Report(2);
        EXPECT_NE(report.find(c.lines), std::string::npos) << report;
        EXPECT_EQ(Report(1).find(Cp("Länge der")), std::string::npos);
    }
}

// Areas per metre, the corbel's own longitudinal bars, the bars of the beam and the mandrel
// diameters of the tie and the hangers.
TEST_F(CorbelRebarReport, BeamEndCorbel)
{
    m.execution = EXECUTION_BEAM_END;
    r().spacing[0] = 15.0;
    r().spacing[1] = 20.0;
    Check();
    s().final_As_h = 5.0;
    s().As_v = 3.0;
    s().D_corbel = 5.6;
    r().anchorage[4] = 6.0;
    s().D_vert = 5.6;
    r().anchorage[8] = 5.6;

    EXPECT_EQ(Report(1),
              HEAD + Lines("Betondeckung (Verlegemaß) c╬\\v,v╬r = 3.0 cm\n"
                           "Betondeckung (Verlegemaß) c╬\\v,h╬r = 3.0 cm\n"
                           "Trägerlängsbewehrung oben ╬t2î20, vorh A╬\\so╬r = 6.28 cm²\n"
                           "Trägerlängsbewehrung unten ╬t2î20, vorh A╬\\su╬r = 6.28 cm²\n"
                           "Konsollängsbewehrung oben ╬t1î20, vorh A╬\\sk,o╬r = 3.14 cm²\n"
                           "Konsollängsbewehrung unten ╬t1î20, vorh A╬\\sk,u╬r = 3.14 cm²\n"
                           "Hauptzugbewehrung ╬tî14/15.0 cm (Bügel, 2-schn.), vorh A╬\\s,h╬r = 20.53 cm²/m  >  "
                           "erf A╬\\s,h╬r = 5.00 cm²/m  {ok}╬r\n"
                           " ╬tBiegerollendurchmesser: ╬tKonsole gew D = 6.0 cm  >  erf D = 5.6 cm  {ok}\n"
                           "Aufhängebewehrung ╬tî14/20.0 cm (Bügel, 2-schn.), vorh A╬\\s,v╬r = 15.39 cm²/m  >  "
                           "erf A╬\\s,v╬r = 3.00 cm²/m  {ok}\n"
                           " ╬tBiegerollendurchmesser: ╬tgew D = 5.6 cm  =  erf D = 5.6 cm  {ok}\n"
                           "Achsabstand ╬tvorh d╬\\1k╬r = 3.70 cm  <  clc d╬\\1k╬r = 6.0 cm  {ok}╬r\n"
                           "Achsabstand ╬tvorh e╬\\1╬r = 3.70 cm  <  clc e╬\\1╬r = 12.0 cm  {ok}╬r\n") +
                  END);
    EXPECT_EQ(s().rebar_failed, 0);
}

// A required area of -1.0 could not be determined: the line names it as failed, whatever
// the bars provide, even for a group without bars. Covers of 0 give no cover lines.
TEST_F(CorbelRebarReport, RequiredAreasNotDeterminable)
{
    r().cover_v = 0.0;
    r().cover_h = 0.0;
    for (int g : {0, 1, 2, 4, 5}) r().group[g].count = 0;
    r().member_count[0] = r().member_count[1] = 0;
    Check();
    s().final_As_h = -1.0;
    s().As_s = -1.0;
    s().final_Asb_v = -1.0;

    EXPECT_EQ(Report(0),
              HEAD + Lines("Hauptzugbewehrung ╬t2 î14 (Schlaufen, 2-schn.), D╬\\min,k╬r = 5.6 cm\n"
                           "╬tvorh A╬\\s,h╬r = 6.16 cm², erf A╬\\s,h╬r = {nok}╬r\n"
                           "Schrägbewehrung ╬t1 î16 (Schlaufen, 2-schn.), vorh A╬\\s,s╬r = 4.02 cm², "
                           "erf A╬\\s,s╬r = {nok}\n"
                           "Spaltzugbewehrung ╬tvertikal 0 î8 (Bügel, 2-schn.), vorh A╬\\sb,v╬r = 0.00 cm², "
                           "erf A╬\\sb,v╬r = {nok}\n"
                           "Achsabstand ╬tvorh d╬\\1k╬r = 0.70 cm  <  clc d╬\\1k╬r = 6.0 cm  {ok}╬r\n") +
                  END);
    EXPECT_EQ(s().rebar_failed, 1);
}

// The sign and the verdict of a line follow its numbers as printed, never a value hidden
// behind the rounding.
TEST_F(CorbelRebarReport, VerdictsFollowThePrintedDigits)
{
    Check();
    // The whole report line that holds the text, as Lines writes it.
    const auto line_with = [](const std::string& bytes, const std::string& utf8) {
        const size_t at = bytes.find(Cp(utf8));
        if (at == std::string::npos) return std::string();
        const size_t start = bytes.rfind('\n', at) + 1;
        return bytes.substr(start, bytes.find('\n', at) + 1 - start);
    };
    // 44.96 cm prints as 45.0: the same as the required 45.0, so it is met.
    s().l_main_member = 45.0;
    r().anchorage[0] = 44.96;
    // 2.006 cm² prints as 2.01, the required area.
    r().Asb_v = 2.006;
    s().final_Asb_v = 2.01;
    // A provided axis distance of 6.004 prints as 6.00 against 6.0: no warning.
    r().tie_axis_required = 6.004;
    const std::string bytes = Report(1);
    EXPECT_EQ(line_with(bytes, "Stütze gew"),
              Lines("(Schlaufen, 2-schn.) ╬tVerankerungslänge: ╬tStütze gew l╬\\v╬r = 45.0 cm  =  erf l╬\\v╬r = 45.0 cm  {ok}"));
    EXPECT_EQ(line_with(bytes, "vertikal 3"),
              Lines("Spaltzugbewehrung ╬tvertikal 3 î8 (Bügel, 2-schn.), vorh A╬\\sb,v╬r = 2.01 cm²  =  "
                    "erf A╬\\sb,v╬r = 2.01 cm²  {ok}"));
    EXPECT_EQ(line_with(bytes, "Achsabstand"),
              Lines("Achsabstand ╬tvorh d╬\\1k╬r = 6.00 cm  =  clc d╬\\1k╬r = 6.0 cm  {ok}╬r"));
    EXPECT_EQ(line_with(bytes, "Achsabstand überprüfen"), "");
    EXPECT_EQ(s().rebar_failed, 0);
}

// Without a report only the failure flags are reset; nothing is written.
TEST_F(CorbelRebarReport, WithoutReportOnlyResetsTheFlags)
{
    Check();
    s().final_As_h = -1.0;
    s().rebar_failed = 1;
    verdict_failed = 1;
    Report_Chosen_Reinforcement(&m, nullptr, 2);
    EXPECT_EQ(s().rebar_failed, 0);
    EXPECT_EQ(verdict_failed, 0);
    Report_Chosen_Reinforcement(nullptr, nullptr, 2);  // no model: nothing to do
}

}  // namespace
