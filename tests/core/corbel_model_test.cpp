#include "core/corbel_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/alloc.h"
#include "base/rebar.h"
#include "core/corbel_work.h"
#include "material/material_props.h"
#include "platform/messages.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

double Area(double d_cm) { return d_cm * d_cm * 0.7853981633974483; }
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A model at its defaults under the German annex; the annex values are restored after.
class CorbelModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        params = NAD_Get_EC2_Params();
        saved = *params;
        params->na_de_flag = 1;
        Clear_Shown_Messages();
        Set_Corbel_Defaults(&m);
    }
    void TearDown() override
    {
        *params = saved;
        Init_EC2_Print_Options(&m.print_options);  // the program never frees its model
        for (Load_Combination* t : m.load_table)
            if (t) MEM_FREE(t);
        if (m.results) MEM_FREE(m.results);
        Clear_Shown_Messages();
    }
    int Check(int show_messages = 0) { return Check_Corbel_Model(&m, nullptr, 0, show_messages); }
    // The check with a report stream; *written gets the report's bytes.
    int Check_Reported(std::string* written, int show_messages = 0)
    {
        File_Stream report;
        OLI_Reset_Channel();
        const int r = Check_Corbel_Model(&m, report.get(), 0, show_messages);
        *written = report.bytes();
        OLI_Reset_Channel();
        verdict_failed = 0;
        return r;
    }

    Corbel_Model m{};
    NAD_EC2_Params* params = nullptr;
    NAD_EC2_Params saved{};
};

}  // namespace

TEST_F(CorbelModel, DefaultsAreAValidPositionWithDerivedValues)
{
    EXPECT_EQ(Check(), 0);
    EXPECT_DOUBLE_EQ(m.safety_factors.gamma_c, params->gamma_c[0]);
    EXPECT_DOUBLE_EQ(m.fck, Get_Concrete_Strength(4, Map_Concrete_Class_Index(11, nullptr, 2200.0)));
    EXPECT_DOUBLE_EQ(m.fcd, params->alpha_cc * m.fck / params->gamma_c[0]);
    // The laws of a class up to C50/60 by EN 1992-1-1 Table 3.1: parabola-rectangle 2.0 and
    // 3.5 per mille, n = 2, bilinear 1.75 and 3.5 per mille.
    ASSERT_LE(m.fck, 50.0);
    EXPECT_DOUBLE_EQ(m.eps_c2, -2.0);
    EXPECT_DOUBLE_EQ(m.eps_cu2, -3.5);
    EXPECT_DOUBLE_EQ(m.n_parabola, 2.0);
    EXPECT_DOUBLE_EQ(m.eps_c3, -1.75);
    EXPECT_DOUBLE_EQ(m.eps_cu3, -3.5);
    EXPECT_DOUBLE_EQ(m.fcm, m.fck + 8.0);
    EXPECT_DOUBLE_EQ(m.fyd[1], Get_Steel_Fyk(3) / params->gamma_s[0]);
    EXPECT_DOUBLE_EQ(m.print_options.scale, 10.0);
    EXPECT_EQ(m.print_options.switches[EC2_PRINT_INTERMEDIATE], 0);
    ASSERT_NE(m.results, nullptr);
    // Provided areas by hand: tie 2 x 14 mm as loops; groups 1..6: 3x2x8, 3x2x8, 4x2x14,
    // 1x2x16 (inclined loops), 2x2x8, 2x2x10; members 2 x 20.
    const Corbel_Rebar_Choice& r = m.rebar;
    EXPECT_NEAR(r.As_h, 4 * Area(1.4), 1e-12);
    EXPECT_NEAR(r.Asb_v, 6 * Area(0.8), 1e-12);
    EXPECT_NEAR(r.As_v, 8 * Area(1.4), 1e-12);
    EXPECT_NEAR(r.As_s, 2 * Area(1.6), 1e-12);
    EXPECT_NEAR(r.As_v1, 4 * Area(0.8), 1e-12);
    EXPECT_NEAR(r.As_h1, 4 * Area(1.0), 1e-12);
    EXPECT_NEAR(r.As_member[1], 2 * Area(2.0), 1e-12);
    EXPECT_DOUBLE_EQ(r.spacing[0], 0.0);  // a single corbel keeps no tie spacing
    EXPECT_DOUBLE_EQ(r.member_axis_required, 0.0);  // column corbel, direct load
    EXPECT_GT(r.tie_axis_required, 0.0);

    // A second check changes nothing.
    const Corbel_Model once = m;
    EXPECT_EQ(Check(), 0);
    EXPECT_DOUBLE_EQ(m.rebar.As_h, once.rebar.As_h);
    EXPECT_DOUBLE_EQ(m.rebar.tie_axis_required, once.rebar.tie_axis_required);
}

TEST_F(CorbelModel, EmptyStateResultsAndLoadCounts)
{
    m.safety_factors.gamma_c = 1.7;
    m.cover_from_exposure = 1;
    m.input_read_failed = 1;
    m.print_options.remarks = MEM_STRDUP("Vorbemerkung");
    Alloc_Load_Table(&m, 3, 1);
    Clear_Corbel_Model(&m);
    EXPECT_DOUBLE_EQ(m.safety_factors.gamma_c, 1.7);  // left as it was
    EXPECT_EQ(m.cover_from_exposure, 1);
    EXPECT_EQ(m.input_read_failed, 1);
    EXPECT_DOUBLE_EQ(m.lk, 0.0);
    EXPECT_EQ(m.print_options.remarks, nullptr);
    EXPECT_EQ(m.load_table[1], nullptr);

    // The result array follows the ULS rows and starts zeroed with a fresh summary.
    Alloc_Load_Table(&m, 5, 0);
    Alloc_Load_Case_Results(&m);
    m.results[4].Ast = 7.0;
    m.summary.governing_case = 5;
    Alloc_Load_Case_Results(&m);
    EXPECT_DOUBLE_EQ(m.results[4].Ast, 0.0);
    EXPECT_EQ(m.summary.governing_case, -1);

    // Only rows beyond 1 N count; every fatigue row counts.
    m.load_table[0][0].A = 1.0;
    m.load_table[0][1].A = 1.01;
    m.load_table[0][2].H = -2.0;
    EXPECT_EQ(Count_Load_Cases(&m, 0), 2);
    EXPECT_EQ(Count_Load_Cases(&m, 1), 0);
    Alloc_Load_Table(&m, 3, 1);
    EXPECT_EQ(Count_Load_Cases(&m, 1), 3);
    EXPECT_EQ(Count_Load_Cases(&m, 2), 0);
}

TEST_F(CorbelModel, StrutAngleLimitsWithAndWithoutGermanAnnex)
{
    struct Case {
        int german, mode;
        double theta, expected;
    };
    const Case cases[] = {
        {1, 1, 10.0, 18.43494882292201}, {0, 1, 10.0, 21.80140948635181},
        {1, 1, 20.0, 20.0},              {0, 1, 20.0, 21.80140948635181},
        {1, 1, 50.0, 45.0},              {0, 1, 45.0, 45.0},
        {1, 1, 0.0, 18.43494882292201},  {0, 1, -10.0, 45.0},
        {0, 0, 40.0, 18.43494882292201}, {1, 0, 50.0, 18.43494882292201},
    };
    for (const Case& c : cases) {
        params->na_de_flag = c.german;
        m.strut_angle_mode = c.mode;
        m.strut_angle = c.theta;
        Check();
        EXPECT_DOUBLE_EQ(m.strut_angle, c.expected) << c.german << " " << c.mode << " " << c.theta;
    }
}

TEST_F(CorbelModel, BeamEndCorbelsForceTheirValues)
{
    m.execution = EXECUTION_BEAM_END;
    m.connection = CONNECTION_BEAM;
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    m.method = 0;
    m.hk_end = 5.0;
    m.rebar.spacing[0] = 15.0;  // cleared by the single corbel's check
    m.rebar.spacing[1] = 20.0;
    Check();
    EXPECT_EQ(m.connection, CONNECTION_COLUMN);
    EXPECT_EQ(m.load_transfer, LOAD_TRANSFER_DIRECT);
    EXPECT_EQ(m.method, 3);
    EXPECT_DOUBLE_EQ(m.bp, 100.0);
    EXPECT_DOUBLE_EQ(m.hk_end, 0.0);
    // Per metre: legs x 100 x bar / spacing; the single-corbel groups are switched off.
    const Corbel_Rebar_Choice& r = m.rebar;
    EXPECT_NEAR(r.As_h, 2 * 100.0 * Area(1.4) / 15.0, 1e-12);
    EXPECT_NEAR(r.As_v, 2 * 100.0 * Area(1.4) / 20.0, 1e-12);
    EXPECT_NEAR(r.As_end[0], Area(2.0), 1e-12);
    EXPECT_EQ(r.group[2].count, 1);
    for (int k : {0, 1, 3, 4, 5}) EXPECT_EQ(r.group[k].count, 0) << k;
    EXPECT_GT(r.member_axis_required, 0.0);
    EXPECT_DOUBLE_EQ(r.member_axis_required, Calc_Rebar_Axis_Distance(&r, &m.execution, 1, m.system, params));
    // A spacing of 0.01 cm or less is none: no area per metre from it.
    m.rebar.spacing[0] = 0.01;
    m.rebar.spacing[1] = 0.01;
    Check();
    EXPECT_EQ(r.As_h, 0.0);
    EXPECT_EQ(r.As_v, 0.0);
    m.rebar.spacing[0] = 15.0;
    m.rebar.spacing[1] = 20.0;
    Check();

    // Support corbel at a slab: on a beam, one leg, support raised to 1.2 hk; a slab
    // thinner than 2 e1 is an error.
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.at_slab = 1;
    m.h = 30.0;
    m.beam_height = 20.0;
    std::string written;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_EQ(m.connection, CONNECTION_BEAM);
    EXPECT_DOUBLE_EQ(m.h, 48.0);
    EXPECT_EQ(m.rebar.beam_end_legs, 1);
    EXPECT_TRUE(Has(written, "Fehler b"));
}

TEST_F(CorbelModel, SingleCorbelKindsAndMethod)
{
    m.load_transfer = LOAD_TRANSFER_INDIRECT;  // column corbel with hung-up load
    m.hk_end = 10.0;
    m.inclination = 80.0;
    m.load_a = 5.0;
    m.method = 5;
    Check();
    EXPECT_DOUBLE_EQ(m.hk_end, 0.0);
    EXPECT_DOUBLE_EQ(m.inclination, 70.0);
    EXPECT_DOUBLE_EQ(m.load_a, 15.0);  // at least lk / 2
    EXPECT_EQ(m.method, 4);
    EXPECT_DOUBLE_EQ(m.rebar.inclined_axis_required, 0.0);

    m.system = SYSTEM_SUPPORT_CORBEL;
    m.h = 40.0;
    m.method = -3;  // only a damaged file holds it; the procedures index by it
    Check();
    EXPECT_EQ(m.connection, CONNECTION_BEAM);
    EXPECT_DOUBLE_EQ(m.h, 48.0);
    EXPECT_EQ(m.method, 0);
    // Inclined bars with hung-up load: cv,v 3.0 + 1.6/2 + hanger 1.4.
    EXPECT_NEAR(m.rebar.inclined_axis_required, 5.2, 1e-9);
}

TEST_F(CorbelModel, BearingPlateChamferAndGeometryErrors)
{
    m.load_a = 5.0;  // plate 15 on a corbel of 30
    EXPECT_EQ(Check(), 0);
    EXPECT_DOUBLE_EQ(m.load_a, 7.5);
    // A plate past the corbel's end is refused, not moved toward the support.
    m.load_a = 29.0;
    m.bp = 45.0;
    std::string past;
    EXPECT_EQ(Check_Reported(&past), 1);
    EXPECT_TRUE(Has(past, "Fehler \xA3" "a: Lagerplatte reicht \x81" "ber das Konsolende"));
    EXPECT_DOUBLE_EQ(m.load_a, 29.0);
    EXPECT_DOUBLE_EQ(m.bp, 30.0);
    m.load_a = 22.5;  // flush with the end
    EXPECT_EQ(Check(), 0);
    // A plate of 0.01 cm length is none: neither a nor bp is bound by it.
    m.lp = 0.01;
    m.load_a = 29.0;
    m.bp = 45.0;
    Check();
    EXPECT_DOUBLE_EQ(m.load_a, 29.0);
    EXPECT_DOUBLE_EQ(m.bp, 45.0);
    // Just beyond that it is one.
    m.lp = 0.015;
    m.load_a = 0.0;
    Check();
    EXPECT_DOUBLE_EQ(m.load_a, 0.0075);
    EXPECT_DOUBLE_EQ(m.bp, 30.0);
    m.lp = 15.0;
    m.load_a = 22.5;
    m.bp = 30.0;

    m.load_a = 16.5;  // D = 34: (a/lk) h'k = 19.25 > 17 cuts h'k
    m.hk_end = 35.0;
    Check();
    EXPECT_DOUBLE_EQ(m.hk_end, 30.0 * 0.5 * 34.0 / 16.5);

    std::string written;
    m.lk = 12.0;  // shorter than the plate: a stays as entered
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler l\xCE\\p\xCE" "r"));
    EXPECT_DOUBLE_EQ(m.load_a, 16.5);

    m.lk = 30.0;  // load at the face without a plate: error, no division by zero
    m.lp = 0.0;
    m.load_a = 0.0;
    m.hk_end = 35.0;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler \xA3" "a"));
    EXPECT_DOUBLE_EQ(m.hk_end, 35.0);

    m.system = SYSTEM_SUPPORT_CORBEL;  // supporting member less deep than the corbel
    m.lp = 15.0;
    m.load_a = 16.5;
    m.d1k = 4.0;
    m.h = 48.0;
    m.d1 = 15.0;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler h-d\xCE\\1\xCE" "r bzw. h\xCE\\k\xCE" "r-d\xCE\\1k\xCE" "r"));
    EXPECT_FALSE(Has(written, "Fehler d\xCE\\1"));
    m.hk = 5.0;
    m.d1k = 6.0;
    m.h = 4.0;
    m.d1 = 6.0;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler d\xCE\\1k\xCE" "r"));
    EXPECT_TRUE(Has(written, "Fehler d\xCE\\1\xCE" "r"));
    EXPECT_EQ(Check(1), 1);  // geometry never shows a message box
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(CorbelModel, BridgesUnderTheGermanAnnex)
{
    int strong = -1, class_a = -1;
    for (int c = 5; c < 20 && strong < 0; ++c)
        if (Get_Concrete_Strength(4, Map_Concrete_Class_Index(c, nullptr, 2200.0)) > 55.0) strong = c;
    for (int s = 3; s < 11 && class_a < 0; ++s)
        if (s != 5 && s != 6 && Is_Steel_High_Ductility(Map_Steel_Class_Index(s)) < 0.5) class_a = s;
    ASSERT_GE(strong, 0);
    ASSERT_GE(class_a, 0);
    params->bridge_gamma_c[0] = 1.6;  // apart from the buildings' factor
    m.norm_code = CORBEL_NORM_BRIDGES;
    m.concrete_class = strong;
    m.steel_class[0] = class_a;
    std::string written;
    EXPECT_EQ(Check_Reported(&written, 1), 1);
    EXPECT_TRUE(Has(written, "Betonbr\x81" "cken: hochfester Beton (\xF2 C55/67) nicht zugelassen"));
    EXPECT_TRUE(Has(written, "Betonbr\x81" "cken: normalduktiler Stahl (Klasse A) nicht zugelassen"));
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text, "Betonbr\x81" "cken: Beton \xF2 C55/67 nicht zugelassen");
    EXPECT_EQ(Shown_Messages()[1].text, "Betonbr\x81" "cken: Betonstahl Klasse A nicht zugelassen");
    EXPECT_DOUBLE_EQ(m.safety_factors.gamma_c, 1.6);
    Check();  // the material set-up uses the factors the previous check left
    EXPECT_DOUBLE_EQ(m.fcd, params->bridge_alpha_cc * m.fck / params->bridge_gamma_c[0]);

    params->na_de_flag = 0;  // another annex accepts both
    EXPECT_EQ(Check(1), 0);
    params->na_de_flag = 1;
    // Classes 5 and 6 become class 4 and hold its values after the same check (not those
    // of the class replaced until the model is checked again).
    const int b500b = Map_Steel_Class_Index(4);
    double euk_b500b = 0.0;
    const double ftk_b500b = Get_Steel_Ftk(b500b, Get_Steel_Fyk(b500b), &euk_b500b);
    for (int s : {5, 6}) {
        m.concrete_class = 11;
        m.steel_class[0] = s;
        Check();
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(m.steel_class[i], 4) << s;
            EXPECT_DOUBLE_EQ(m.fyk[i], Get_Steel_Fyk(b500b)) << s;
            EXPECT_DOUBLE_EQ(m.ftk[i], ftk_b500b) << s;
            EXPECT_DOUBLE_EQ(m.euk[i], euk_b500b) << s;
            EXPECT_DOUBLE_EQ(m.fyd[i], m.fyk[i] / m.safety_factors.gamma_s) << s;
        }
    }
}

TEST_F(CorbelModel, MaterialsAndPartialFactors)
{
    m.concrete_class = 25;  // lightweight: density within 800..2200
    m.density = 500.0;
    Check();
    EXPECT_EQ(m.lightweight, 1);
    EXPECT_DOUBLE_EQ(m.density, 800.0);
    EXPECT_DOUBLE_EQ(m.fcd, params->alpha_lcc * m.fck / m.safety_factors.gamma_c);

    // From C55/67 on the parabola's exponent falls below 2 (EN 1992-1-1 Table 3.1).
    for (const double fck : {55.0, 90.0}) {
        for (m.concrete_class = 0; m.concrete_class < concrete_class_count; ++m.concrete_class) {
            m.lightweight = 0;
            Check();
            if (m.fck == fck && !m.lightweight) break;
        }
        ASSERT_LT(m.concrete_class, concrete_class_count) << fck;
        EXPECT_NEAR(m.n_parabola, 1.4 + 23.4 * std::pow((90.0 - fck) / 100.0, 4), 1e-12) << fck;
    }

    m.concrete_class = 40;  // free concrete and steel keep what was entered
    m.fck = 33.3;
    m.density = 2100.0;
    m.steel_class[0] = 11;
    m.fyk[0] = 450.0;
    Check();
    const double fcd_persistent = m.fcd;
    // One check computes with the situation's own column (here a seismic one of its own).
    params->gamma_c[2] = 1.3;
    params->gamma_s[2] = 1.05;
    m.design_situation = SITUATION_SEISMIC;
    Check();
    EXPECT_DOUBLE_EQ(m.safety_factors.gamma_c, 1.3);
    EXPECT_NEAR(m.fcd * 1.3, fcd_persistent * params->gamma_c[0], 1e-12);
    EXPECT_DOUBLE_EQ(m.fyd[1], 450.0 / 1.05);
    m.design_situation = SITUATION_ACCIDENTAL;
    Check();
    EXPECT_DOUBLE_EQ(m.safety_factors.gamma_s, params->gamma_s[3]);
    EXPECT_DOUBLE_EQ(m.fck, 33.3);
    EXPECT_EQ(m.lightweight, 0);
    EXPECT_DOUBLE_EQ(m.fyd[1], 450.0 / params->gamma_s[3]);

    m.design_situation = SITUATION_FREE;  // own factors survive; zero ones give no division
    m.safety_factors.gamma_c = 0.0;
    m.safety_factors.gamma_s = 1.1;
    Check();
    EXPECT_EQ(m.safety_factors.from_annex, 0);
    EXPECT_DOUBLE_EQ(m.safety_factors.gamma_s, 1.1);
    EXPECT_DOUBLE_EQ(m.fcd, 0.0);
}

TEST_F(CorbelModel, ChosenBarsDiametersLayersAndCovers)
{
    Corbel_Rebar_Choice& r = m.rebar;
    r.layer_diameter[0] = 0;
    r.layers = 3;
    r.layer_bars[1] = 3;
    r.layer_diameter[1] = 5;
    r.layer_bars[2] = -2;  // no bars: ignored
    r.layer_diameter[2] = REBAR_FREE_INDEX;
    r.loops = 0;
    r.inclined_loops = 0;
    Check();
    EXPECT_NEAR(r.As_h, 2 * Area(0.6) + 3 * Area(1.2), 1e-12);
    EXPECT_NEAR(r.As_s, Area(1.6), 1e-12);

    r.layers = 50;  // more layers than the record holds: the ten are read
    for (int i = 0; i < CORBEL_MAX_LAYERS; ++i) r.layer_bars[i] = 1, r.layer_diameter[i] = 0;
    Check();
    EXPECT_NEAR(r.As_h, 10 * Area(0.6), 1e-12);

    m.rebar_chosen = 0;  // bars not chosen: left as they are
    r.layer_diameter[0] = REBAR_FREE_INDEX;
    Check();
    EXPECT_EQ(r.layer_diameter[0], REBAR_FREE_INDEX);

    // XC1 under the German annex: Δc = 10 mm. cv,h from the 14 mm tie: 24 mm; cv,v with the
    // 8 mm stirrups of group 1: 18 mm and 24 - 7 - 8 mm, so durability stands.
    m.rebar_chosen = 1;
    r.layers = 1;
    r.layer_diameter[0] = 6;
    EXPECT_DOUBLE_EQ(r.min_cover_v, 0.0);
    m.cover_from_exposure = 1;
    Check();
    const double dur = std::max(10.0, 10.0 * (params->c_min_dur[2] + params->delta_c_dur_gamma[2] -
                                              params->delta_c_dur_st - params->delta_c_dur_add)) + 10.0;
    EXPECT_NEAR(r.min_cover_h, std::max(dur, 24.0) * 0.1, 1e-9);
    EXPECT_NEAR(r.min_cover_v, std::max(dur, 18.0) * 0.1, 1e-9);
    // Split stirrups without bars cover nothing: cv,v is then the tie's, as cv,h.
    r.group[0].count = 0;
    Check();
    EXPECT_NEAR(r.min_cover_v, r.min_cover_h, 1e-9);
}

TEST_F(CorbelModel, BarCountsAndLegsBeyondWhatACorbelHoldsAreRefused)
{
    const std::string line = "Bewehrung: Anzahl oder Schnittigkeit > 99 nicht zugelassen";
    Corbel_Rebar_Choice& r = m.rebar;
    const double bar = Area(Get_Rebar_Diameter_Cm(r.group[0].diameter, 0.0));

    // 99 bars with 99 legs is the most a group may have.
    r.group[0].count = 99;
    r.group[0].legs = 99;
    std::string written;
    EXPECT_EQ(Check_Reported(&written, 1), 0);
    EXPECT_NEAR(r.Asb_v, 9801 * bar, 1e-9);
    EXPECT_TRUE(Shown_Messages().empty());

    // count x legs beyond 2^31: refused, and the area is still the true product.
    r.group[0].count = 65536;
    r.group[0].legs = 65536;
    EXPECT_EQ(Check_Reported(&written, 1), 1);
    EXPECT_TRUE(Has(written, line));
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, line);
    EXPECT_NEAR(r.Asb_v, 65536.0 * 65536.0 * bar, 1.0);

    // Legs of a group without bars, and groups and layer counts a beam-end corbel sets
    // itself, are not counted.
    r.group[0].count = 0;
    EXPECT_EQ(Check(), 0);
    r.group[0].count = 100;
    r.layer_bars[0] = 100;
    m.execution = EXECUTION_BEAM_END;
    r.spacing[0] = r.spacing[1] = 15.0;  // a single corbel's check cleared them
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(r.group[0].count, 0);
    EXPECT_EQ(r.layer_bars[0], 1);
    r.beam_end_legs = 100;
    EXPECT_EQ(Check(), 1);

    m.execution = EXECUTION_SINGLE;  // a layer or a face of the supporting member
    r.beam_end_legs = 2;
    r.layer_bars[0] = 100;
    EXPECT_EQ(Check(), 1);
    r.layer_bars[0] = 2;
    r.member_count[1] = 100;
    EXPECT_EQ(Check(), 1);
    r.member_count[1] = 8;
    EXPECT_EQ(Check(), 0);

    // A count below 0 is an input error named by its field, not a failed design.
    r.layer_bars[0] = -1;
    r.group[1].count = INT_MIN;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler Hauptzugbewehrung: Anzahl < 0")) << written;
    EXPECT_TRUE(Has(written, "Fehler Spaltzugbewehrung horizontal: Anzahl < 0")) << written;
    r.layer_bars[0] = 2;
    r.group[1].count = 2;
    r.group[1].legs = -2;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler Spaltzugbewehrung horizontal: Schnittigkeit < 0")) << written;
    r.group[1].legs = 2;
    EXPECT_EQ(Check(), 0);

    // A beam-end corbel's bars are per metre of their spacing: none is no spacing.
    m.execution = EXECUTION_BEAM_END;
    r.spacing[1] = 15.0;
    EXPECT_EQ(Check_Reported(&written), 1);
    EXPECT_TRUE(Has(written, "Fehler Hauptzugbewehrung: Stababstand s \xF3 0")) << written;
    r.spacing[0] = 15.0;
    EXPECT_EQ(Check(), 0);
}

// A diameter index outside the table (a damaged file) is an input error named by its field,
// and stays as it was; a row without bars needs no diameter.
TEST_F(CorbelModel, ADiameterOutsideTheTableIsAnInputErrorNamedByItsField)
{
    Corbel_Rebar_Choice& r = m.rebar;
    const std::pair<std::string, int*> fields[] = {{"Spaltzugbewehrung horizontal", &r.group[1].diameter},
                                                   {"St\x81tzenbew. rechts", &r.member_diameter[1]}};
    for (const auto& [name, field] : fields)
        for (int index : {-5, REBAR_STANDARD_COUNT, INT_MAX}) {
            *field = index;
            std::string written;
            EXPECT_EQ(Check_Reported(&written), 1);
            EXPECT_TRUE(Has(written, "Fehler " + name + ": Durchmesser unbekannt")) << written;
            EXPECT_EQ(*field, index);
            *field = 0;
        }
    r.member_count[1] = 0;
    r.member_diameter[1] = 1000;
    EXPECT_EQ(Check(), 0);
}

// A value that the position only stores need only be a number; a code outside its set
// (only a damaged file holds one) is refused by the name of its field, and the report
// neither shows nor computes with it.
TEST_F(CorbelModel, StoredValuesNeedOnlyBeNumbersCodesOutsideTheirSetAreRefused)
{
    m.fatigue_value = 2e6;  // a number of cycles
    m.steel_fifth[0] = -1e300;
    EXPECT_EQ(Check(), 0);
    m.stress_range = 2e6;  // used by the design: bounded
    EXPECT_EQ(Check(), 1);

    const std::pair<const char*, void (*)(Corbel_Model&)> cases[] = {
        {"Bemessungssituation", [](Corbel_Model& c) { c.design_situation = INT_MAX; }},
        {"Bemessungssituation", [](Corbel_Model& c) { c.design_situation = -1; }},
        {"Betonfestigkeitsklasse", [](Corbel_Model& c) { c.concrete_class = INT_MIN; }},
        {"Stahlsorte", [](Corbel_Model& c) { c.steel_class[0] = -1; }},
        {"Last\x81" "bertragung", [](Corbel_Model& c) { c.load_transfer = INT_MAX; }},
    };
    for (const auto& [field, set] : cases) {
        Set_Corbel_Defaults(&m);
        set(m);
        std::string written;
        EXPECT_EQ(Check_Reported(&written), 1) << field;
        EXPECT_TRUE(Has(written, std::string("Fehler ") + field + ": ung\x81ltiger Zahlenwert")) << written;
        EXPECT_FALSE(Corbel_Values_Representable(m)) << field;
    }
}

// The editor asks for the check's lines without a report: each error is one line, and the
// model itself is left as it was.
TEST_F(CorbelModel, ErrorLinesAreCollectedForTheScreen)
{
    m.d1k = m.hk;
    std::vector<std::string> errors;
    EXPECT_EQ(Corbel_Model_Errors(m, &errors), 1);
    EXPECT_EQ(errors, std::vector<std::string>{"Fehler d\xCE\\1k\xCE" "r"});
    EXPECT_EQ(m.d1k, m.hk);
}
