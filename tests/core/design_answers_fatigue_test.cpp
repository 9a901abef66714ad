// Refresh runs of fatigue positions whose answer a checking engineer would reject: a tie
// that yields under the upper fatigue row shows a stress range cut at fyd, and stresses of
// a section with bars in a layer the corbel does not have. Each position gives the line that
// says what became of it and the verdict that follows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/corbel_model.h"
#include "corbel_text_support.h"
#include "edited_input.h"
#include "test_support.h"

namespace {

using corbel_text_test::Cp;

struct Fatigue_Answer {
    const char* what;
    int example;
    std::function<void(Corbel_Model&)> edit;
    // Report lines (UTF-8 as code page 850 reads) that must and must not be there.
    std::vector<std::string> present;
    std::vector<std::string> absent;
    bool passes;
};

const std::string kFailed = "Fehler bei der Bemessung !!";
const std::string kPassed = "Bemessung erfolgreich";

}  // namespace

TEST(DesignAnswersFatigue, EachPositionShowsItsLineAndVerdict)
{
    // 2 cm² of tie would carry the upper row only at fyd (elastic about 500 N/mm²): the tie
    // grows until it is elastic and then until the range fits.
    const auto yield_limit = [](Corbel_Model& m) {
        m.b = 60.0;
        m.hk = 150.0;
        m.d1k = 2.0;
        Set_Loads(m, 0, {{0.27, 0.0}});
        Set_Loads(m, 1, {{350.0, 4.1}, {227.0, 72.2}});
    };
    const std::vector<Fatigue_Answer> cases = {
        {"tie at the yield limit", 4, yield_limit,
         {"vorh ú╠╬\\s╬r = ╠╬\\s,O╬r-╠╬\\s,U╬r = 69.60 N/mm╬/2╬r  ê  úA╬\\s,h,fat╬r = 8.04 cm²",
          "╬_Gesamt╬r: ╬t╬tA╬\\s,h╬r = 8.04 cm²"},
         {"╠╬\\s,O╬r = 500.00 N/mm²"},
         true},
        // The example's chosen bars are judged against the raised tie.
        {"tie at the yield limit, chosen bars", 4,
         [&yield_limit](Corbel_Model& m) {
             yield_limit(m);
             m.rebar_chosen = 1;
         },
         {"erf A╬\\s,h╬r = 8.04 cm²  {nok}", "s. gewählte Bewehrung\n"},
         {},
         false},
        // H near A under Heft 600: the stresses are those of the one tie layer the report
        // states; no area is added in the compressed face, which has no bars.
        {"stresses of the stated tie only", 4,
         [](Corbel_Model& m) {
             m.concrete_class = 5;
             m.at_slab = 1;
             m.b = 30.0;
             m.h = 80.0;
             m.beam_height = 24.0;
             m.d1 = m.e1 = 5.0;
             m.lk = 120.0;
             m.hk = 25.0;
             m.hk_end = 0.0;
             m.d1k = 5.0;
             m.lp = 0.0;
             m.bp = 40.0;
             m.method = 2;
             m.load_share = 0.0;
             m.inclination = 10.0;
             m.load_a = 49.1;
             m.load_height = 3.0;
             m.bed_joint = 1;
             m.strut_angle_mode = 1;
             Set_Loads(m, 0, {{5.323472143, -37.040352224}});
             Set_Loads(m, 1, {{40.279897479, 39.404746599}, {94.826400948, 50.230643950}});
         },
         {"╠╬\\s,O╬r = 132.73 N/mm², ╠╬\\s,U╬r = 62.86 N/mm², |╠╬\\c,max╬r| = 11.98 N/mm²",
          "úA╬\\s,h,fat╬r = 29.83 cm²", "╬_Gesamt╬r: ╬t╬tA╬\\s,h╬r = 30.14 cm²\n", "s. Ermüdungsnachweis\n"},
         {},
         false},
    };
    for (const Fatigue_Answer& c : cases) {
        SCOPED_TRACE(c.what);
        Run_Result run;
        const std::string report = Refreshed_Example_Report(c.example, [&c](Corbel_Model& m) {
            for (int s : {EC2_PRINT_GRAPHIC, EC2_PRINT_ANNEX, EC2_PRINT_STANDARDS}) m.print_options.switches[s] = 0;
            m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = 1;
            m.rebar_chosen = 0;
            c.edit(m);
        }, &run);
        EXPECT_EQ(run.err, "");
        for (const std::string& text : c.present) EXPECT_NE(report.find(Cp(text)), std::string::npos) << text;
        for (const std::string& text : c.absent) EXPECT_EQ(report.find(Cp(text)), std::string::npos) << text;
        EXPECT_NE(report.find(Cp(c.passes ? kPassed : kFailed)), std::string::npos);
        EXPECT_EQ(report.find(Cp(c.passes ? kFailed : kPassed)), std::string::npos);
    }
}
