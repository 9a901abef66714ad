// The verdict at the end of a report written by a refresh run: a check that the design
// marks "nicht ok" fails the position in every method and detail level, the table levels
// name the failing combinations, and a failed fatigue check still ends with the result.
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

// The report of an example position changed by `edit`, written by a refresh run.
std::string Refresh_Report(int example, const std::function<void(Corbel_Model&)>& edit)
{
    Run_Result r;
    const std::string report = Refreshed_Example_Report(example, [&edit](Corbel_Model& m) {
        // Only the design and its verdict: no graphic, no input echo, no literature.
        for (int s : {EC2_PRINT_GRAPHIC, EC2_PRINT_INPUT, EC2_PRINT_ANNEX, EC2_PRINT_STANDARDS})
            m.print_options.switches[s] = 0;
        edit(m);
    }, &r);
    EXPECT_EQ(r.err, "");
    return report;
}

constexpr int HEFT_399 = 1, HEFT_600 = 2, EC2_65 = 3, HEFT_430 = 4, CLASSIC = 0;

struct Verdict_Case {
    const char* what;
    int example;
    int method;
    int detail_level;
    std::vector<Load> loads;
    // Report lines (UTF-8 as code page 850 reads) that must and must not be there.
    std::vector<std::string> present;
    std::vector<std::string> absent;
    int load_transfer = LOAD_TRANSFER_DIRECT;
    double share = -1.0;    // upper share of a hung-up load; below 0 as the example has it
    double load_a = 0.0;    // cm; 0 as the example has it
    double lp = -1.0;       // bearing plate length, cm; below 0 as the example has it
};

}  // namespace

TEST(RefreshVerdict, AFailedCheckFailsThePositionInEveryMethod)
{
    const std::string failed = "Fehler bei der Bemessung !!";
    const std::string success = "Bemessung erfolgreich";
    const std::vector<Verdict_Case> cases = {
        {"Heft 600: bearing and VRd,max", 1, HEFT_600, 1, {{1000, 200}},
         {"V╬\\Ed,H╬r = 1109.1 kN (mit H) > V╬\\Rd,max╬r = 612.0 kN  {nok}", failed,
          "s. Bemessung: Lagerpressung, Druckstrebe\n"},
         {success}},
        // Beyond 2.5 VRd,max no lever arm is left: not designed, instead of less steel.
        {"Heft 600: no lever arm", 1, HEFT_600, 1, {{2000, 400}},
         {" zk ¾ 0.0, Verfahren nicht anwendbar !", "Bewehrung nicht ermittelbar", failed,
          "s. Ermittlung der erforderlichen Bewehrung\n"},
         {success, "A╬\\s,h╬r = "}},
        // A hung-up load: the upper share's strut is checked and shown as for a direct load.
        {"Heft 600: hung-up load", 1, HEFT_600, 1, {{1500, 0}},
         {"A╬\\oben╬r = 900.00 kN:\n Nachweis der Druckstrebe: V╬\\Ed╬r = 900.0 kN > V╬\\Rd,max╬r = 612.0 kN  {nok}",
          failed, "s. Bemessung: Druckstrebe\n"},
         {success}, LOAD_TRANSFER_INDIRECT},
        {"EC 2-1-1, 6.5: compression zone", 1, EC2_65, 0, {{700, 0}},
         {"x = 15.30 cm > zul x = 0.4╬/.╬rd = 13.60 cm  {nok}", failed, "Druckstrebe\n"}, {success}},
        {"Heft 430: strut and bearing", 1, HEFT_430, 2, {{1000, 200}},
         {"> zul ╠╬\\d╬r = 17.00 MN/m╬/2╬r  {nok}", failed, "s. Bemessung: Lagerpressung, Druckstrebe\n"},
         {success}},
        {"Heft 399: tau0", 1, HEFT_399, 1, {{600, 120}},
         {"> ╠╬\\03╬r = 4.00 MN/m╬/2╬r  {nok}", failed, "s. Bemessung: Lagerpressung, Druckstrebe\n"}, {success}},
        {"classic model: min b", 1, CLASSIC, 1, {{1000, 200}},
         {"Druckstrebe: min b = 59.1 cm > b  {nok}", failed}, {success}},
        // The table level designs the rows silently: the failing one is named, the other not.
        {"table level", 1, HEFT_600, 3, {{700, 0}, {450, 300}},
         {"Lk 1: Nachweis Lagerpressung, Druckstrebe  {nok}", failed}, {success, "Lk 2: Nachweis"}},
        // The support corbel's stirrups: the rule a ≤ 0.5 hk decided, with 0.3 VRd,max.
        {"Heft 600 stirrup rule", 2, HEFT_600, 1, {{260, 26}},
         {"úa/h╬\\k╬r < 0.5 und V╬\\Ed╬r > 0.3╬/.╬rV╬\\Rd,max╬r = 162.00 kN  ê  erf A╬\\sb,h╬r", success},
         {failed, "Rd,c"}, LOAD_TRANSFER_DIRECT, -1.0, 16.0},
        // At a = hk/2 either stirrup rule may decide; the line names the one that did.
        {"Heft 600 stirrups at a = hk/2 by VRd,ct", 1, HEFT_600, 1, {{150, 30}},
         {"für úa ‗ 0.5╬/.╬rh╬\\k╬r = 20.0 cm und V╬\\Ed╬r > V╬\\Rd,ct╬r = 50.0 kN  ê  erf A╬\\sb,v╬r", success},
         {failed}, LOAD_TRANSFER_DIRECT, -1.0, 20.0},
        {"Heft 600 stirrups at a = hk/2 by 0.3 VRd,max", 1, HEFT_600, 1, {{250, 30}},
         {"für úa ¾ 0.5╬/.╬rh╬\\k╬r = 20.0 cm und V╬\\Ed╬r > 0.3╬/.╬rV╬\\Rd,max╬r = 183.6 kN  ê  erf A╬\\sb,h╬r",
          success},
         {failed}, LOAD_TRANSFER_DIRECT, -1.0, 20.0},
        // Beyond 2.5 times the permissible shear stress no lever arm is left.
        {"Heft 399: no lever arm", 1, HEFT_399, 1, {{1000, 0}},
         {" zk ¾ 0.0, Verfahren nicht anwendbar !", "Bewehrung nicht ermittelbar", failed},
         {success, "a/z0", "A╬\\s,h╬r = "}},
        // A hung-up load reaches the column whole: the concrete is checked with all of it
        // too, whatever share the inclined bars carry.
        {"Heft 600: whole hung-up load", 1, HEFT_600, 1, {{800, 0}},
         {"V╬\\Ed╬r = 480.0 kN < V╬\\Rd,max╬r = 612.0 kN  {ok}",
          "Nachweis für die Gesamtlast A = 800.00 kN:\n"
          " Nachweis der Druckstrebe: V╬\\Ed╬r = 800.0 kN > V╬\\Rd,max╬r = 612.0 kN  {nok}",
          failed, "s. Bemessung: Druckstrebe\n"},
         {success}, LOAD_TRANSFER_INDIRECT},
        {"Heft 399: whole hung-up load", 1, HEFT_399, 1, {{5000, 0}},
         {"A╬\\s,s╬r = 162.63 cm╬/2\n Nachweis für die Gesamtlast A = 5000.00 kN:\n"
          " Nachweis der Druckstrebe: ╠╬\\0╬r = 56.12 N/mm╬/2╬r > ╠╬\\03╬r = 4.00 N/mm╬/2╬r  {nok}", failed},
         {success}, LOAD_TRANSFER_INDIRECT, 0.0},
        {"Heft 430: whole hung-up load", 1, HEFT_430, 1, {{5000, 0}},
         {"Gesamtlast A = 5000.00 kN:\n ╠╬\\d╬r = 59.87 MN/m╬/2╬r (░╬\\2╬r=33.4°) > zul ╠╬\\d╬r = 17.00 MN/m╬/2╬r  {nok}",
          failed},
         {success}, LOAD_TRANSFER_INDIRECT, 0.0},
        {"classic model: whole hung-up load", 1, CLASSIC, 1, {{5000, 0}},
         {"Gesamtlast A = 5000.00 kN:\n Druckstrebe: min b = 266.3 cm > b  {nok}", failed},
         {success}, LOAD_TRANSFER_INDIRECT, 0.0},
        {"EC 2-1-1, 6.5: whole hung-up load", 1, EC2_65, 1, {{5000, 0}},
         {"Gesamtlast A = 5000.00 kN:\n Nachweis der Druckstrebe: Verfahren nicht anwendbar  {nok}", failed},
         {success}, LOAD_TRANSFER_INDIRECT, 0.0},
        {"EC 2-1-1, 6.5: whole hung-up load carried", 1, EC2_65, 1, {{100, 0}},
         {"Gesamtlast A = 100.00 kN:\n Nachweis der Druckstrebe: x = 1.35 cm < zul x = 0.4╬/.╬rd = 13.60 cm  {ok}",
          success},
         {failed}, LOAD_TRANSFER_INDIRECT},
        {"EC 2-1-1, 6.5: whole hung-up load carried, detailed", 1, EC2_65, 2, {{100, 0}},
         {"x = x╬\\c╬r/0.8 = 1.35 cm < zul x = 0.4╬/.╬rd = 13.60 cm  {ok}╬r\n   mit x╬\\c╬r = 1.08 cm,"},
         {failed}, LOAD_TRANSFER_INDIRECT},
        // The support corbel's zone and node checks see only the vertical share; the whole
        // load is checked too (no bearing plate, so that nothing else fails).
        {"support corbel, EC 2-1-1, 6.5: whole hung-up load", 2, EC2_65, 1, {{5000, 0}},
         {"Gesamtlast A = 5000.00 kN:\n Nachweis der Druckstrebe: Verfahren nicht anwendbar  {nok}", failed,
          "s. Bemessung: Druckstrebe\n"},
         {success}, LOAD_TRANSFER_INDIRECT, 0.0, 0.0, 0.0},
        {"support corbel, Heft 430: whole hung-up load", 2, HEFT_430, 1, {{5000, 0}},
         {"Gesamtlast A = 5000.00 kN:\n Nachweis der Druckstrebe im Auflagerknoten:\n"
          " ╠╬\\d╬r = 110.37 N/mm╬/2╬r (░╬\\A╬r = 20.3°) > zul ╠╬\\d╬r = 17.00 N/mm╬/2╬r  {nok}",
          failed, "s. Bemessung: Druckstrebe\n"},
         {success}, LOAD_TRANSFER_INDIRECT, 0.0, 0.0, 0.0},
    };
    for (const Verdict_Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string report = Refresh_Report(c.example, [&c](Corbel_Model& m) {
            m.rebar_chosen = 0;
            m.method = c.method;
            m.load_transfer = c.load_transfer;
            m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = c.detail_level;
            if (c.share >= 0.0) m.load_share = c.share;
            if (c.load_a > 0.0) m.load_a = c.load_a;
            if (c.lp >= 0.0) m.lp = c.lp;
            Set_Loads(m, 0, c.loads);
        });
        for (const std::string& text : c.present) EXPECT_NE(report.find(Cp(text)), std::string::npos) << text;
        for (const std::string& text : c.absent) EXPECT_EQ(report.find(Cp(text)), std::string::npos) << text;
    }
}

// A fatigue check that fails leaves the report with its result and the failure verdict.
TEST(RefreshVerdict, AFailedFatigueCheckEndsWithTheFailureVerdict)
{
    const std::string report = Refresh_Report(4, [](Corbel_Model& m) {
        m.load_table[1][0].A = 400000.0;
        m.load_table[1][0].H = 80000.0;
    });
    const size_t check = report.find(Cp("0.61 > 0.56 < 0.9  {nok}"));
    const size_t result = report.find(Cp("Endergebnis"));
    ASSERT_NE(check, std::string::npos);
    ASSERT_NE(result, std::string::npos);
    EXPECT_LT(check, result);
    EXPECT_NE(report.find(Cp("Fehler bei der Bemessung !!"), result), std::string::npos);
    EXPECT_NE(report.find(Cp("s. Ermüdungsnachweis\n"), result), std::string::npos);

    // Uplift in both fatigue rows: the bound itself lies beyond 0.9 and the ratio beyond the
    // bound; the sign between them says so although no utilisation is left to judge by.
    const std::string beyond = Refresh_Report(1, [](Corbel_Model& m) {
        m.fatigue_check = 1;
        Set_Loads(m, 1, {{-42, 0}, {-34, 0}});
    });
    EXPECT_NE(beyond.find(Cp("1.42 > 1.03 > 0.9  {nok}")), std::string::npos);

    // Unloaded fatigue rows: their zero moment and stress carry no minus sign.
    const std::string unloaded = Refresh_Report(4, [](Corbel_Model& m) { Set_Loads(m, 1, {{0, 0}, {-41, 0}, {0, 0}}); });
    EXPECT_NE(unloaded.find(Cp("|╠╬\\c,min╬r| = 0.00")), std::string::npos);
    EXPECT_EQ(unloaded.find("= -0.00 "), std::string::npos);
}
