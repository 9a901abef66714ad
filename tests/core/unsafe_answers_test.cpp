// Answers a checking engineer would reject: a nib minimum judged against another dimension
// than the one it names, a load moved toward the support to fit its bearing plate, a
// horizontal force beyond what the shear rules look at. Each position gives the line that
// says what became of it and the verdict that follows; a neighbouring position still passes.
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

constexpr int CLASSIC = 0, HEFT_399 = 1, HEFT_600 = 2;

struct Answer_Case {
    const char* what;
    int example;
    std::function<void(Corbel_Model&)> edit;
    double A, H;  // kN, the only load combination
    // Report lines (UTF-8 as code page 850 reads) that must and must not be there.
    std::vector<std::string> present;
    std::vector<std::string> absent;
    bool passes;
};

void No_Plate(Corbel_Model& m) { m.lp = m.bp = 0.0; }

}  // namespace

TEST(UnsafeAnswers, EachNowShowsItsLineAndVerdict)
{
    const std::string success = "Bemessung erfolgreich";
    const std::string failed = "Fehler bei der Bemessung !!";
    const std::vector<Answer_Case> cases = {
        // The classic model's nib under a hung-up load: min dk against dk, min hk against hk.
        {"hung-up load, inclined share", 2,
         [](Corbel_Model& m) {
             m.method = CLASSIC;
             m.load_transfer = LOAD_TRANSFER_INDIRECT;
             m.load_share = 0.0;
             m.inclination = 45.0;
             No_Plate(m);
         },
         590, 0,
         {"100%ige Schrägaufhängung: min d╬\\k╬r = 34.7 cm > d╬\\k╬r  {nok}",
          "s. Bemessung: Abmessungen der Trägernase\n"},
         {},
         false},
        // Under a direct load the procedure keeps its depth dk as the bound (the safe side).
        {"direct load, min hk between dk and hk", 2,
         [](Corbel_Model& m) {
             m.method = CLASSIC;
             m.load_a = 1.0;
             m.e1 = 0.5;
             No_Plate(m);
         },
         544, 0, {"Abmessungen der Trägernase: min h╬\\k╬r = 32.0 cm > h╬\\k╬r  {nok}"}, {}, false},
        // The bearing plate past the corbel's end, or longer than the corbel: refused, a as entered.
        {"plate past the end", 1, [](Corbel_Model& m) { m.load_a = 28.0; }, 300, 30,
         {"Lastangriff bei úa = 28.0 cm",
          "Fehler úa: Lagerplatte reicht über das Konsolende (úa + l╬\\p╬r/2 > l╬\\k╬r)"},
         {"Zuggurtbewehrung"},
         false},
        {"corbel shorter than its plate", 1,
         [](Corbel_Model& m) {
             m.lk = 1.0;
             m.load_a = 0.2;
         },
         300, 30, {"Lastangriff bei úa = 0.2 cm", "Fehler l╬\\p╬r"}, {"úa = -", "Konsolende"}, false},
        // The two shear rules with H above half of A: not applicable; at half of A designed as before.
        {"Heft 399, H far above A", 1, [](Corbel_Model& m) { m.method = HEFT_399; }, 10, 5000,
         {" Verfahren für H > 0.5 A nicht anwendbar !", "Bewehrung nicht ermittelbar"}, {}, false},
        {"Heft 600, H far above A", 1, [](Corbel_Model& m) { m.method = HEFT_600; }, 10, 5000,
         {" Verfahren für H > 0.5 A nicht anwendbar !", "Bewehrung nicht ermittelbar"}, {}, false},
        {"support corbel, Heft 600, H far above A", 2, [](Corbel_Model& m) { m.method = HEFT_600; }, 10, 5000,
         {" Verfahren für H > 0.5 A nicht anwendbar !"}, {}, false},
        {"Heft 600, H = 0.5 A", 1, [](Corbel_Model& m) { m.method = HEFT_600; }, 300, 150,
         {"Zuggurtbewehrung: Z╬\\A+H╬r = 380.5 kN  ê  erf A╬\\s,h╬r = 8.75 cm²"}, {"Verfahren für"}, true},
    };
    for (const Answer_Case& c : cases) {
        SCOPED_TRACE(c.what);
        Run_Result run;
        const std::string report = Refreshed_Example_Report(c.example, [&c](Corbel_Model& m) {
            for (int s : {EC2_PRINT_GRAPHIC, EC2_PRINT_ANNEX, EC2_PRINT_STANDARDS}) m.print_options.switches[s] = 0;
            m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = 1;
            m.rebar_chosen = 0;
            c.edit(m);
            Alloc_Load_Table(&m, 1, 0);
            m.load_table[0][0].A = 1000.0 * c.A;
            m.load_table[0][0].H = 1000.0 * c.H;
        }, &run);
        EXPECT_EQ(run.err, "");
        for (const std::string& text : c.present) EXPECT_NE(report.find(Cp(text)), std::string::npos) << text;
        for (const std::string& text : c.absent) EXPECT_EQ(report.find(Cp(text)), std::string::npos) << text;
        EXPECT_NE(report.find(Cp(c.passes ? success : failed)), std::string::npos);
        EXPECT_EQ(report.find(Cp(c.passes ? failed : success)), std::string::npos);
    }
}
