// Design of one load combination: the model's values reach the procedures, the outcome is
// stored and reported, faults end the design without a result.
#include "core/design_load_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "annex/nad_choice.h"
#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
// A printed "nan" or "inf" (a token, not part of a word).
bool Has_Non_Number(const std::string& text)
{
    for (const char* token : {"nan", "inf"})
        for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + 1))
            if (at > 0 && text[at - 1] != '\0' && std::strchr(" -(=", text[at - 1])) return true;
    return false;
}

// C30/37 and B500 under the German annex: fcd = 0.85·30/1.5 N/mm², fyd = 500/1.15 N/mm².
double Area(double force_kN) { return force_kN / (500.0 / 1.15) * 10.0; }

class DesignLoadCase : public ::testing::Test {
protected:
    void SetUp() override
    {
        params = NAD_Get_EC2_Params();
        saved = *params;
        params->na_de_flag = 1;
        Defaults();
    }
    void TearDown() override
    {
        *params = saved;
        Init_EC2_Print_Options(&m.print_options);
        for (Load_Combination* t : m.load_table)
            if (t) MEM_FREE(t);
        if (m.results) MEM_FREE(m.results);
        Free_Material_Set(&corbel_material_set);  // no set left for another test to overwrite
        corbel_material_set_ready = 0;
        OLI_Reset_Channel();
        verdict_failed = 0;
    }
    // Defaults with C30/37 (lk 30, hk 40, d1k 6, b 30, úa 16.5, úh 3, h 36, d1 6, e1 12 cm).
    void Defaults(int system = SYSTEM_LOAD_CORBEL)
    {
        Set_Corbel_Defaults(&m);
        m.concrete_class = 9;
        m.system = system;
    }
    // The data check as the calculation runs it, the partial factors it puts in use, one row.
    void Check(double A = 200000.0, double H = 20000.0)
    {
        Check_Corbel_Model(&m, nullptr, 0, 0);
        m.factors_in_use[0] = 1.5;
        m.factors_in_use[1] = 1.15;
        Alloc_Load_Table(&m, 1, 0);
        m.load_table[0][0].A = A;
        m.load_table[0][0].H = H;
        Alloc_Load_Case_Results(&m);
    }
    std::string Report(int level, int* result = nullptr)
    {
        File_Stream out;
        const int r = Design_Load_Case(&m, 0, out.get(), level);
        OLI_End_Text_Block(out.get());
        if (result) *result = r;
        return out.bytes();
    }
    Corbel_Model m{};
    NAD_EC2_Params* params = nullptr;
    NAD_EC2_Params saved{};
};

// Each mapped model value enters the hand formula of a closed-form class (A 200, H 20 kN).
TEST_F(DesignLoadCase, ModelValuesReachTheProcedures)
{
    const double A = 200, H = 20, ac = 0.165, aH = 0.03, ak = 0.06, d = 0.34, e = ac + 0.12, share = 0.6;
    // Column, classic model: z = 0.8 d.
    Check();
    m.method = 0;
    ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    EXPECT_NEAR(m.results[0].As_h, Area(A * ac / (0.8 * d) + H + (aH + ak) * H / (0.8 * d)), 1e-9);

    // Column, hung-up load ("Heft 600"): the upper share on the tie, H ignored.
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    m.method = 2;
    Check();
    ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    const double zk = (1 - 0.4 * share * A / (0.55 * 0.3 * 500 * 20 * 0.9 * d)) * d;
    EXPECT_NEAR(m.results[0].As_h, Area(share * A * ac / zk), 1e-9);
    EXPECT_NEAR(m.results[0].As_v, Area(share * A), 1e-9);
    // The inclined bars at their entered inclination or the strut's slope, the flatter.
    const double flatter = std::min(m.inclination * M_PI / 180.0, std::atan2(zk, ac));
    EXPECT_NEAR(m.results[0].As_s, Area((1 - share) * A / std::sin(flatter)), 1e-9);
    EXPECT_STREQ(column_corbel_work.method_name, "Heft 600, DAfStb");

    // Support corbel, classic model: h = 1.2 hk = 48 cm, e = úa + e1; hangers 0.35 h/hk A.
    Defaults(SYSTEM_SUPPORT_CORBEL);
    m.method = 0;
    Check();
    ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    const double z = 0.8 * d;
    EXPECT_NEAR(m.results[0].As_h, Area(e / z * A + (1 + (aH + ak) / z) * H), 1e-9);
    EXPECT_NEAR(m.results[0].As_v, Area(0.35 * 48 / 40 * A), 1e-9);

    // The addition e1 may exceed úa: the lever e = úa + e1 is what must not vanish.
    m.lp = 0.0;
    m.load_a = 5.0;
    Check();
    ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    EXPECT_NEAR(m.results[0].As_h, Area((0.05 + 0.12) / z * A + (1 + (aH + ak) / z) * H), 1e-9);
    m.lp = 15.0;
    m.load_a = 16.5;

    // Hung up on the beam by EC 2: the vertical share, the rest inclined at 45°.
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    m.method = 3;
    Check();
    ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    const double dp = d - 0.03, ep = e + (ak + aH) * H / A;
    const double zk5 = dp - (dp - std::sqrt(dp * dp - 2 * share * A / (0.3 * 17000 * 0.75) * ep)) / 2;
    EXPECT_NEAR(m.results[0].As_h, Area(e / zk5 * share * A + (1 + (aH + ak) / zk5) * H), 1e-9);
    EXPECT_NEAR(m.results[0].As_v, Area(share * A), 1e-9);
    EXPECT_NEAR(m.results[0].As_s, Area((1 - share) * A / std::sin(0.7853981633974483)), 1e-9);

    // Beam-end corbel on a column: "EC 2-1-1, 6.5" per metre, the load at úa + e1 + úac with
    // úac = (úh + d1k) H/A; node factor k = 0.55 + 0.4 úa/hk, lever arm cut to 0.85 d.
    Defaults();
    m.execution = EXECUTION_BEAM_END;
    Check();
    ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    const double k = 0.55 + 0.4 * ac / 0.4, dac = (aH + ak) * H / A, a1 = dac + ac + 0.12;
    const double c = A / (17000.0 * k), x = d - std::sqrt(d * d - 2 * c * a1);
    EXPECT_GT(d - x / 2, 0.85 * d);
    EXPECT_NEAR(m.results[0].As_h, Area(A * a1 / (0.85 * d) + H), 1e-9);
    EXPECT_NEAR(m.results[0].delta_ac, dac * 100.0, 1e-9);
}

// "EC 2-1-1, 6.5" between h/2 and h asks for both stirrup directions: both reach the results.
TEST_F(DesignLoadCase, SlenderBeamCorbelKeepsBothStirrupAreas)
{
    Defaults(SYSTEM_SUPPORT_CORBEL);
    m.method = 3;
    m.lk = 100.0;  // room for the load up to twice the corbel depth
    int both = 0;
    for (double a = 5.0; a <= 80.0; a += 2.5) {
        m.load_a = a;
        Check();
        if (Design_Load_Case(&m, 0, nullptr, 1) != 0) continue;  // beyond what the model carries
        const Beam_Corbel_Work& w = beam_corbel_work;
        if (w.stirrup_text && std::strcmp(w.stirrup_text, " B\x81gelbewehrung") == 0) {
            ++both;
            EXPECT_DOUBLE_EQ(m.results[0].Asb_h, w.As_stirrup) << a;
            EXPECT_DOUBLE_EQ(m.results[0].Asb_v, w.stirrup_value) << a;
        }
    }
    EXPECT_GT(both, 0);
}

// Across compact, slender and very slender corbels, loads the compression zone cannot take
// and H alone: finite results, areas or the failure mark, no "nan" in the report.
TEST_F(DesignLoadCase, EveryCorbelGivesAreasOrTheFailureMark)
{
    File_Stream out;
    for (int kind = 0; kind < 4; ++kind)
        for (int method = 0; method <= 5; ++method)
            for (int transfer = 0; transfer <= 1; ++transfer)
                for (double a_hk : {0.1, 0.3, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0})
                    for (auto [A, H] : {std::pair{150.0, 0.0}, {150.0, 30.0}, {150.0, 150.0}, {0.0, 30.0}, {2000.0, 0.0}}) {
                        Defaults(kind % 2);
                        m.execution = kind / 2;
                        m.load_transfer = transfer;
                        m.bed_joint = 1;
                        m.print_options.switches[EC2_PRINT_EXTRA_INFO] = 1;
                        m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
                        Check(A * 1000, H * 1000);
                        m.method = method;
                        m.load_a = a_hk * m.hk;
                        m.lk = std::max(m.lk, m.load_a + 5.0);
                        const int r = Design_Load_Case(&m, 0, out.get(), 2);
                        const std::string where = "kind " + std::to_string(kind) + " method " + std::to_string(method) +
                                                  " transfer " + std::to_string(transfer) + " a/hk " + std::to_string(a_hk) +
                                                  " A " + std::to_string(A) + " H " + std::to_string(H);
                        ASSERT_TRUE(r == 0 || r == 1) << where;
                        const Load_Case_Result& res = m.results[0];
                        double fields[15];
                        std::memcpy(fields, &res, sizeof fields);
                        for (double v : fields) EXPECT_TRUE(std::isfinite(v)) << where;
                        for (double area : {res.As_h, res.As_v, res.As_s, res.Asb_h, res.Asb_v, res.As_v1, res.As_v2, res.As_h1})
                            EXPECT_TRUE(area >= 0.0 || area == -1.0) << where << " area " << area;
                        EXPECT_TRUE(res.Ast == -1.0 || res.Ast == res.As_h + res.As_v + res.As_s) << where;
                    }
    OLI_End_Text_Block(out.get());
    EXPECT_FALSE(Has_Non_Number(out.bytes()));
}

TEST_F(DesignLoadCase, OnlyRowsWithALoadAboveOneKilonewtonAreDesigned)
{
    for (auto [A, H] : {std::pair{1000.0, 0.0}, {-50000.0, 900.0}, {500.0, -80000.0}}) {
        Check(A, H);
        m.results[0].As_h = 7.0;
        int result = -1;
        EXPECT_EQ(Report(2, &result), "");
        EXPECT_EQ(result, 0);
        EXPECT_EQ(m.results[0].As_h, 7.0);
        EXPECT_EQ(Design_Load_Case(&m, 1, nullptr, 1), 0);  // no such row
    }
    Check(1001.0, -5.0);
    EXPECT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    EXPECT_DOUBLE_EQ(m.results[0].A, 1001.0);
    EXPECT_EQ(m.results[0].H, 0.0);
}

TEST_F(DesignLoadCase, DryJointRaisesHOnlyOnABearingPlate)
{
    const std::string raised = "A  \x88  H = 0.2\xCE/.\xCEr" "A = 20.00 kN ";
    m.bed_joint = 1;
    Check(100000.0, 15000.0);
    EXPECT_TRUE(Has(Report(1), "Hinweis (trockene Lagerfuge): H = 15.00 kN < 0.2\xCE/.\xCEr" + raised));
    EXPECT_NEAR(m.results[0].H, 20000.0, 1e-6);
    EXPECT_NEAR(column_corbel_work.horizontal_force, 20.0, 1e-9);  // the procedure designs for it
    EXPECT_FALSE(Has(Report(0), "Lagerfuge): H"));  // no hint at level 0
    Check(100000.0, 19950.0);
    EXPECT_FALSE(Has(Report(1), "Lagerfuge): H"));  // raised by less than 0.1 kN: silently
    EXPECT_NEAR(m.results[0].H, 20000.0, 1e-6);

    m.system = SYSTEM_SUPPORT_CORBEL;
    Check(100000.0, 15000.0);
    EXPECT_TRUE(Has(Report(1), "Hinweis (trockene Lagerfuge): H < 0.2\xCE/.\xCEr" + raised));
    EXPECT_NEAR(beam_corbel_work.horizontal_force, 20.0, 1e-9);
    m.bp = 0.01;  // no bearing plate
    Design_Load_Case(&m, 0, nullptr, 1);
    EXPECT_NEAR(m.results[0].H, 15000.0, 1e-6);

    Defaults();
    m.bed_joint = 1;
    m.load_transfer = LOAD_TRANSFER_INDIRECT;  // a hung-up load bears on no plate
    Check(100000.0, 15000.0);
    Design_Load_Case(&m, 0, nullptr, 1);
    EXPECT_EQ(column_corbel_work.dry_joint + column_corbel_work.bearing_length, 0.0);
}

TEST_F(DesignLoadCase, FaultsEndTheDesignWithoutAResult)
{
    Check();
    m.results[0].As_h = 7.0;
    m.factors_in_use[0] = 0.0;  // γc entered as 0: no design strength to divide by
    int result = 0;
    std::string text = Report(1, &result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(Has(text, "Fehler bei den Materialdaten") && !Has(text, "Geometriedaten"));
    EXPECT_EQ(m.results[0].A, 0.0);

    m.factors_in_use[0] = 1.5;
    m.steel_class[0] = MODEL_FIRST_FREE_STEEL;  // a free steel without strength ...
    m.fyk[0] = 0.0;
    m.lk = 0.0;  // ... and no corbel length: both reported
    text = Report(1, &result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(Has(text, "Fehler bei den Materialdaten") && Has(text, "Fehler in den Geometriedaten"));
    EXPECT_EQ(m.results[0].As_h, 7.0);

    // A free concrete whose law is damaged (no peak strain) is refused the same way.
    Defaults();
    Check();
    EXPECT_EQ(Report(1, &result).find("Materialdaten"), std::string::npos);
    m.concrete_class = MODEL_FIRST_FREE_CONCRETE;
    m.eps_c2 = 0.0;
    m.results[0].As_h = 7.0;
    EXPECT_TRUE(Has(Report(1, &result), "Fehler bei den Materialdaten"));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(m.results[0].As_h, 7.0);

    Defaults(SYSTEM_SUPPORT_CORBEL);
    Check();
    m.results[0].As_h = 7.0;
    m.load_transfer = LOAD_TRANSFER_INDIRECT;  // hung up at an inclination of 0.001 degrees: accepted
    m.inclination = 0.001;
    EXPECT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0);
    m.inclination = 0.0005;
    EXPECT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 1);
    // A distribution number of 2 divides only a hung-up load: there it is a geometry fault,
    // a direct load is designed without it. Both procedures alike.
    for (int system : {SYSTEM_SUPPORT_CORBEL, SYSTEM_LOAD_CORBEL}) {
        SCOPED_TRACE(system);
        Defaults(system);
        Check();
        m.load_share = 2.0;
        m.inclination = 45.0;
        m.load_transfer = LOAD_TRANSFER_INDIRECT;
        m.results[0].As_h = 7.0;
        EXPECT_TRUE(Has(Report(1, &result), "Fehler in den Geometriedaten"));
        EXPECT_EQ(result, 1);
        EXPECT_EQ(m.results[0].As_h, 7.0);
        m.load_transfer = LOAD_TRANSFER_DIRECT;
        EXPECT_FALSE(Has(Report(1, &result), "Geometriedaten"));
        EXPECT_EQ(result, 0);
        EXPECT_GT(m.results[0].As_h, 0.0);
        EXPECT_NE(m.results[0].As_h, 7.0);
    }
    Defaults(SYSTEM_SUPPORT_CORBEL);
    Check();
    m.load_transfer = LOAD_TRANSFER_DIRECT;
    m.inclination = 45.0;
    m.results[0].As_h = 7.0;
    m.hk = m.d1k;  // no effective depth
    EXPECT_TRUE(Has(Report(1, &result), "Fehler in den Geometriedaten"));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(m.results[0].As_h, 7.0);

    // The least length is still a length: the corbel length and the load distance of
    // 0.001 cm are no geometry fault, a little less is one.
    for (int system : {SYSTEM_LOAD_CORBEL, SYSTEM_SUPPORT_CORBEL}) {
        for (const double length : {0.001, 0.0009}) {
            SCOPED_TRACE(length);
            Defaults(system);
            Check();
            m.e1 = 0.0;
            (system == SYSTEM_LOAD_CORBEL ? m.lk : m.load_a) = length;
            EXPECT_EQ(Has(Report(1, &result), "Fehler in den Geometriedaten"), length < 0.001);
        }
    }
}

TEST_F(DesignLoadCase, ProcedureFaultStoresTheForcesAndListsItsMessages)
{
    Check();
    m.results[0].As_h = 7.0;
    m.lk = 0.05;  // passes the geometry check, too short for the procedure
    int result = 0;
    const std::string text = Report(1, &result);
    EXPECT_EQ(result, 1);
    EXPECT_DOUBLE_EQ(m.results[0].A, 200000.0);
    EXPECT_EQ(m.results[0].As_h, 7.0);
    const size_t table = text.find("\xCE_Meldungen zur Berechnung\n");
    const size_t row = text.find(" Konsoll\x84nge \xF3 0 !", text.find("#SHOWTABLE\n0 0 0\n0 0 -1 -1\n", table));
    ASSERT_NE(row, std::string::npos) << text;
    EXPECT_NE(text.find("#END_OF_TEXT\n", row), std::string::npos);
}

TEST_F(DesignLoadCase, WarningsHintsAndMessagesByDetailLevel)
{
    m.method = 1;  // "Heft 399": outdated, shear rules of the DIN 1045 grades
    Check();
    std::string text = Report(0);
    EXPECT_TRUE(Has(text, "Verfahren nicht mehr Stand der Technik"));
    EXPECT_TRUE(Has(text, "Schubbemessung nur mit alten Betong\x81ten m\x94glich \x88  B25  "));
    EXPECT_FALSE(Has(text, "Gesamt"));
    m.concrete_class = 5;  // C12/15 is weaker than B 15: the weakest grade is named
    m.system = SYSTEM_SUPPORT_CORBEL;
    Check();
    EXPECT_TRUE(Has(Report(0), "\x88  B15  "));

    Defaults();
    m.method = 0;  // úa/dk below 0.5: a note
    m.print_options.switches[EC2_PRINT_EXTRA_INFO] = 1;
    m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
    Check();
    text = Report(2);
    EXPECT_TRUE(Has(text, "f\x81r den Beton: nach 3.1.7 (Bild 3.3) mit f\xCE\\cd\xCEr = \xBA\xCE\\c\xCEr\xCE/.\xCEr"
                          "f\xCE\\ck\xCEr/\xC0\xCE\\c\xCEr = 17.0 N/mm\xFD\n"));
    EXPECT_TRUE(Has(text, "(Bild 3.8) mit f\xCE\\yd\xCEr = f\xCE\\yk\xCEr/\xC0\xCE\\s\xCEr = 434.8 N/mm\xFD und f\xCE\\td"));
    EXPECT_TRUE(Has(text, "\xCEHMeldungen zur Berechnung\n") && Has(text, "#END_OF_TEXT\n#OLI_YPOS 1 -0.6\n"));
    EXPECT_EQ(Report(2), text);  // a second design writes the same
    File_Stream out;  // text after the messages table opens a block of its own
    Design_Load_Case(&m, 0, out.get(), 2);
    OLI_Printf(out.get(), "Danach\n");
    EXPECT_TRUE(Has(out.bytes(), "#OLI_YPOS 1 -0.6\n\n#SHOWPARA\n"));
    text = Report(1);
    EXPECT_TRUE(Has(text, "\xCE_Gesamt\xCEr: ") && Has(text, "\xCE_Meldungen zur Berechnung\n"));
    EXPECT_FALSE(Has(text, "Bild 3.3"));
    m.method = 3;
    m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 0;
    EXPECT_FALSE(Has(Report(2), "Meldungen") || Has(Report(2), "Stand der Technik"));

    // Only the classic model and "Heft 399" are outdated, on a column as on a beam.
    for (int system : {m.system, SYSTEM_SUPPORT_CORBEL}) {
        m.system = system;
        for (int method = 0; method < 6; ++method) {
            m.method = method;
            Check();
            EXPECT_EQ(Has(Report(0), "Stand der Technik"), method <= 1) << system << " " << method;
        }
    }
}

// The line of the report that begins with `start` ("" when there is none).
std::string Line_With(const std::string& text, const std::string& start)
{
    const size_t at = text.find(start);
    if (at == std::string::npos) return "";
    return text.substr(at, text.find('\n', at) - at);
}

// The bearing plate (lp x bp) reaches the bearing-pressure check of both procedures:
// sigma_p = A/(lp bp), against 0.85 fcd for "Heft 600" and 0.4 fcd on a dry joint.
TEST_F(DesignLoadCase, BearingPlateGivesTheBearingPressureCheck)
{
    const double fcd = 0.85 * 30.0 / 1.5;
    const std::string ok = Get_Verdict_Ok(), not_ok = Get_Verdict_Not_Ok();
    for (int system : {SYSTEM_SUPPORT_CORBEL, SYSTEM_LOAD_CORBEL}) {
        const std::string what = system == SYSTEM_SUPPORT_CORBEL ? "beam" : "column";
        const double& perm = system == SYSTEM_SUPPORT_CORBEL ? beam_corbel_work.sigma_perm
                                                             : column_corbel_work.sigma_perm;
        Defaults(system);
        m.method = 2;  // "Heft 600"
        m.lp = 15.0;
        m.bp = 20.0;
        Check(200000.0, 20000.0);
        std::string text = Report(1);
        EXPECT_NEAR(m.results[0].sigma_p, 200.0 / (15.0 * 20.0) * 10.0, 1e-9) << what;
        EXPECT_NEAR(perm, 0.85 * fcd, 1e-9) << what;
        std::string line = Line_With(text, "Lagerpressung (Gleit-/Elastomerlager)");
        EXPECT_TRUE(Has(line, "= 6.67 N/mm") && Has(line, " < ") && Has(line, "= 14.45 N/mm") && Has(line, ok))
            << what << ": " << line;

        // Half as wide a plate doubles the pressure; with 300 kN it exceeds 0.85 fcd.
        m.bp = 10.0;
        Check(300000.0, 20000.0);
        text = Report(1);
        EXPECT_NEAR(m.results[0].sigma_p, 20.0, 1e-9) << what;
        line = Line_With(text, "Lagerpressung (");
        EXPECT_TRUE(Has(line, "= 20.00 N/mm") && Has(line, " > ") && Has(line, not_ok)) << what << ": " << line;

        // A dry joint allows 0.4 fcd = 6.8 N/mm2: 200 kN on 15 x 20 cm still pass.
        m.bp = 20.0;
        m.bed_joint = 1;
        Check(200000.0, 50000.0);
        text = Report(1);
        EXPECT_NEAR(perm, 0.4 * fcd, 1e-9) << what;
        line = Line_With(text, "Lagerpressung (trockene Lagerfuge)");
        EXPECT_TRUE(Has(line, "= 6.67 N/mm") && Has(line, "= 6.80 N/mm") && Has(line, ok)) << what << ": " << line;

        // Without a plate there is no bearing check.
        m.lp = 0.0;
        Check(200000.0, 20000.0);
        text = Report(1);
        EXPECT_EQ(m.results[0].sigma_p, 0.0) << what;
        EXPECT_FALSE(Has(text, "Lagerpressung (")) << what;
    }
}

// A row whose procedure fails after a designed row takes nothing over from it: the work
// record holds only what the failure sets, the failed row only its forces, and the designed
// row, designed again, gives the same result.
TEST_F(DesignLoadCase, FailedRowAfterADesignedRowKeepsNoStaleValues)
{
    for (int system : {SYSTEM_SUPPORT_CORBEL, SYSTEM_LOAD_CORBEL}) {
        const std::string what = system == SYSTEM_SUPPORT_CORBEL ? "beam" : "column";
        Defaults(system);
        m.method = 3;  // "EC 2-1-1, 6.5": 2000 kN leave the stress block no real depth
        Check();
        Alloc_Load_Table(&m, 2, 0);
        m.load_table[0][0] = {};
        m.load_table[0][0].A = 200000.0;
        m.load_table[0][0].H = 20000.0;
        m.load_table[0][1] = {};
        m.load_table[0][1].A = 2000000.0;
        m.load_table[0][1].H = 30000.0;
        Alloc_Load_Case_Results(&m);

        ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0) << what;
        const Load_Case_Result good = m.results[0];
        ASSERT_GT(good.As_h, 0.0) << what;
        ASSERT_GT(good.sigma_p, 0.0) << what;
        EXPECT_NEAR(good.delta_ac, (3.0 + 6.0) * 20.0 / 200.0, 1e-9) << what;  // (úh + d1k) H/A

        ASSERT_EQ(Design_Load_Case(&m, 1, nullptr, 1), 1) << what;
        const Load_Case_Result& failed = m.results[1];
        EXPECT_EQ(failed.A, 2000000.0) << what;
        EXPECT_EQ(failed.H, 30000.0) << what;
        double fields[13];
        std::memcpy(fields, &failed.As_h, sizeof fields);
        for (double v : fields) EXPECT_EQ(v, 0.0) << what;

        if (system == SYSTEM_SUPPORT_CORBEL) {
            const Beam_Corbel_Work& w = beam_corbel_work;
            EXPECT_EQ(w.As_tie, -1.0);
            EXPECT_EQ(w.As_hanger, -1.0);
            for (double v : {w.Z, w.F_hanger, w.zk, w.dk, w.theta, w.z, w.sigma_perm, w.sigma_bearing, w.As_stirrup,
                             w.stirrup_value, w.F_tie_top, w.strut_length})
                EXPECT_EQ(v, 0.0);
            EXPECT_EQ(w.stirrup_text, nullptr);
        } else {
            const Column_Corbel_Work& w = column_corbel_work;
            EXPECT_EQ(w.As_tie, -1.0);
            EXPECT_EQ(w.As_hanger, -1.0);
            for (double v : {w.Z, w.Z_H, w.zk, w.dk, w.theta, w.z, w.sigma_perm, w.sigma_bearing, w.stirrup_value,
                             w.F_hanger, w.F_incl_hanger})
                EXPECT_EQ(v, 0.0);
            EXPECT_EQ(w.stirrup_text, nullptr);
        }
        EXPECT_EQ(std::memcmp(&m.results[0], &good, sizeof good), 0) << what;
        ASSERT_EQ(Design_Load_Case(&m, 0, nullptr, 1), 0) << what;
        EXPECT_EQ(std::memcmp(&m.results[0], &good, sizeof good), 0) << what;
    }
}

// The method index of the parameter sheet to the classes of both procedures; an index
// outside 0..5 is taken as the nearest.
TEST(DesignMethodClasses, TablesOfBothProceduresAndTheNearestIndex)
{
    const int beam[6] = {0, 1, 3, 5, 2, 4}, column[6] = {0, 2, 4, 6, 3, 5};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Beam_Corbel_Method_Class(i), beam[i]) << i;
        EXPECT_EQ(Column_Corbel_Method_Class(i), column[i]) << i;
    }
    for (int i : {6, 7, 1000}) {
        EXPECT_EQ(Beam_Corbel_Method_Class(i), 4) << i;
        EXPECT_EQ(Column_Corbel_Method_Class(i), 5) << i;
    }
    EXPECT_EQ(Beam_Corbel_Method_Class(-3), 0);
    EXPECT_EQ(Column_Corbel_Method_Class(-1), 0);
    EXPECT_STREQ(Column_Corbel_Method_Name(4), "Heft 600, DAfStb");
    EXPECT_STREQ(Column_Corbel_Method_Name(7), "???");
}

TEST(DesignResultBookkeeping, SmallNegativesAreNoneLargerOnesFailed)
{
    Column_Corbel_Work& c = *Clear_Column_Corbel_Work(&column_corbel_work);
    c.As_tie = 2.0;
    c.As_hanger = -0.005;
    c.As_incl_hanger = -0.01;
    c.As_stirrup = 0.6;
    c.stirrup_value = 0.4;
    c.stirrup_text = " B\x81gelbewehrung";  // both directions
    Load_Case_Result r{};
    Store_Design_Results(&r, 0);
    EXPECT_EQ(r.As_v + r.As_s, 0.0);
    EXPECT_EQ(r.Ast, 2.0);
    EXPECT_EQ(r.Asb_h, 0.6);
    EXPECT_EQ(r.Asb_v, 0.4);

    Beam_Corbel_Work& b = *Clear_Beam_Corbel_Work(&beam_corbel_work);
    b.As_tie = 2.0;
    b.As_hanger = -0.02;
    b.As_stirrup = 0.5;
    b.stirrup_text = "vertikale B\x81gelbewehrung";
    r = Load_Case_Result{};
    Store_Design_Results(&r, 1);
    EXPECT_EQ(r.As_v, -1.0);
    EXPECT_EQ(r.Ast, -1.0);
    EXPECT_EQ(r.Asb_v, 0.5);
    EXPECT_EQ(r.Asb_h, 0.0);
}

}  // namespace
