// Fatigue check of the corbel: which corbels it applies to, the fatigue strength of the
// concrete, the raise of the tie and the stirrups, failures and the report lines.
#include "core/corbel_fatigue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "material/creep_shrinkage.h"
#include "material/material_set.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "detailing_support.h"
#include "test_support.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CorbelFatigue : public ::testing::Test {
protected:
    void SetUp() override
    {
        params = NAD_Get_EC2_Params();
        saved = *params;
        Set_Corbel_Defaults(&m);
        m.concrete_class = 9;   // C30/37
        Check_Corbel_Model(&m, nullptr, 0, 0);
        m.safety_factors.gamma_c_sls = 1.0;
        m.safety_factors.gamma_s_sls = 1.0;
        m.safety_factors.gamma_c_fat = 1.5;
        m.safety_factors.gamma_s_fat = 1.15;
        m.factors_in_use[0] = 1.5;
        m.factors_in_use[1] = 1.15;
        m.fatigue_check = 1;
        Rows({{200000.0, 20000.0}, {50000.0, 5000.0}});
        // The envelope of the ultimate limit state.
        m.summary.As_h = m.summary.final_As_h = 5.0;
        m.summary.Asb_v = m.summary.final_Asb_v = 2.0;
        m.summary.Asb_h = m.summary.final_Asb_h = 3.0;
    }
    void TearDown() override
    {
        *params = saved;
        for (Load_Combination* t : m.load_table)
            if (t) MEM_FREE(t);
        if (m.results) MEM_FREE(m.results);
        Free_Material_Set(&corbel_material_set);
        corbel_material_set_ready = 0;
        OLI_Reset_Channel();
        verdict_failed = 0;
    }
    void Rows(std::initializer_list<std::pair<double, double>> rows)
    {
        Alloc_Load_Table(&m, static_cast<int>(rows.size()), 1);
        m.load_count[1] = static_cast<int>(rows.size());
        int i = 0;
        for (auto [A, H] : rows) {
            m.load_table[1][i].A = A;
            m.load_table[1][i].H = H;
            ++i;
        }
    }
    std::string Report(int level, int* result)
    {
        File_Stream out;
        *result = Check_Corbel_Fatigue(&m, out.get(), level);
        OLI_End_Text_Block(out.get());
        return out.bytes();
    }
    Corbel_Model m{};
    NAD_EC2_Params* params = nullptr;
    NAD_EC2_Params saved{};
};

TEST_F(CorbelFatigue, OnlySingleLoadCorbelsOnColumnsWithDirectTransferAreChecked)
{
    // Asked for and not made, the check leaves a note that names why.
    auto expect_not_checked = [&](const char* what, const char* note = nullptr) {
        m.summary.delta_sigma_s = m.summary.dAs_h_fat = m.summary.fatigue_utilisation = 9.0;
        EXPECT_EQ(Check_Corbel_Fatigue(&m, nullptr, 1), 1) << what;
        EXPECT_EQ(m.summary.delta_sigma_s, 0.0) << what;
        EXPECT_EQ(m.summary.dAs_h_fat, 0.0) << what;
        EXPECT_EQ(m.summary.fatigue_utilisation, 0.0) << what;
        EXPECT_EQ(m.summary.final_As_h, 5.0) << what;
        const char* made = Fatigue_Check_Not_Made_Note(m);
        const std::string expected =
            note ? std::string(note) + ": Erm\x81" "dungsnachweis ist gesondert zu f\x81hren" : "";
        EXPECT_EQ(made ? std::string(made) : "", expected) << what;
    };
    m.system = SYSTEM_SUPPORT_CORBEL;
    expect_not_checked("support corbel", "Auflagerkonsole");
    m.system = SYSTEM_LOAD_CORBEL;
    m.connection = CONNECTION_BEAM;
    expect_not_checked("on a beam", "Konsole an einem Tr\x84ger");
    m.connection = CONNECTION_COLUMN;
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    expect_not_checked("indirect", "Angeh\x84ngte Last");
    m.load_transfer = LOAD_TRANSFER_DIRECT;
    m.execution = EXECUTION_BEAM_END;
    expect_not_checked("beam-end corbel", "Tr\x84gerkonsole");
    m.execution = EXECUTION_SINGLE;
    m.fatigue_check = 0;
    expect_not_checked("switched off");
    m.fatigue_check = 1;
    m.load_count[1] = 0;
    expect_not_checked("no row");
    m.system = SYSTEM_SUPPORT_CORBEL;
    expect_not_checked("no row of a support corbel");
}

// EN 1992-1-1 (6.76) with fcd = alpha_cc fck / gamma_c,fat (3.1.6(1)), alpha_cc as the
// design values take it.
TEST_F(CorbelFatigue, FatigueStrengthOfTheConcrete)
{
    double t0 = 0.0;
    {
        // C30/37 at 28 days: 14.96 N/mm2 under both sets (alpha_cc 1.0 with k1 0.85, and
        // 0.85 with 1.0). The recommended bridge alpha_cc is 0.85: 0.85 * 0.85 * 20 * 0.88.
        Annex_In_Force annex("EC-Standardparameter");
        EXPECT_NEAR(Calc_Corbel_Fcd_Fat(&m, &t0), 14.96, 1e-9);
        EXPECT_EQ(t0, 28.0);
        m.norm_code = CORBEL_NORM_BRIDGES;
        EXPECT_NEAR(Calc_Corbel_Fcd_Fat(&m, nullptr), 12.716, 1e-9);
        m.norm_code = CORBEL_NORM_BUILDINGS;
    }
    Annex_In_Force annex("Deutschland");
    EXPECT_NEAR(Calc_Corbel_Fcd_Fat(&m, nullptr), 14.96, 1e-9);
    m.lightweight = 1;  // alpha_lcc 0.75
    EXPECT_NEAR(Calc_Corbel_Fcd_Fat(&m, nullptr), 0.75 * 20.0 * 0.88, 1e-9);
    m.lightweight = 0;

    // Early loading lowers it by the strength gain; no age given is 28 days.
    m.first_loading = 7.0;
    EXPECT_NEAR(Calc_Corbel_Fcd_Fat(&m, &t0), Get_Strength_Gain_Factor(0, 7.0) * 14.96, 1e-9);
    EXPECT_LT(Get_Strength_Gain_Factor(0, 7.0), 1.0);
    m.first_loading = 0.0;

    m.fck = 40.0;  // C40/50: 0.85 * 40 / 1.5 * 0.84
    EXPECT_NEAR(Calc_Corbel_Fcd_Fat(&m, &t0), 19.04, 1e-9);
    m.safety_factors.gamma_c_fat = 0.0;
    EXPECT_EQ(Calc_Corbel_Fcd_Fat(&m, nullptr), 0.0);
}

TEST_F(CorbelFatigue, TieRaisedAndStirrupsInProportion)
{
    const int result = Check_Corbel_Fatigue(&m, nullptr, 1);
    const Load_Case_Summary& s = m.summary;
    ASSERT_GT(s.dAs_h_fat, 1.0);
    EXPECT_LE(s.delta_sigma_s, 70.0 * 1.0000001192092896);
    EXPECT_GT(s.delta_sigma_s, 50.0);
    const double f = (5.0 + s.dAs_h_fat) / 5.0 - 1.0;
    EXPECT_NEAR(s.dAsb_v_fat, f * 2.0, 1e-12);
    EXPECT_NEAR(s.dAsb_h_fat, f * 3.0, 1e-12);
    EXPECT_NEAR(s.final_As_h, 5.0 + s.dAs_h_fat, 1e-12);
    EXPECT_NEAR(s.final_Asb_v, 2.0 + s.dAsb_v_fat, 1e-12);
    EXPECT_NEAR(s.final_Asb_h, 3.0 + s.dAsb_h_fat, 1e-12);
    EXPECT_EQ(s.As_h, 5.0);   // the envelope itself stays
    const bool concrete_ok = s.fatigue_utilisation >= -0.001 && s.fatigue_utilisation <= 1.001;
    EXPECT_EQ(result, concrete_ok ? 1 : 0);
    EXPECT_EQ(s.fatigue_failed, concrete_ok ? 0 : 1);
    // The material set is the ultimate-limit-state set again.
    EXPECT_DOUBLE_EQ(corbel_material_set.gamma_c, 1.5);

    // A tie that already keeps the range: no additions, the areas stay.
    Reset_Load_Case_Summary(&m.summary);
    m.summary.As_h = m.summary.final_As_h = 30.0;
    m.summary.Asb_v = m.summary.final_Asb_v = 2.0;
    Check_Corbel_Fatigue(&m, nullptr, 1);
    EXPECT_EQ(s.dAs_h_fat, 0.0);
    EXPECT_EQ(s.dAsb_v_fat, 0.0);
    EXPECT_EQ(s.final_As_h, 30.0);
    EXPECT_EQ(s.final_Asb_v, 2.0);
}

TEST_F(CorbelFatigue, NoEnvelopeTieGivesNoStirrupAdditions)
{
    m.summary.As_h = m.summary.final_As_h = 0.0;
    Check_Corbel_Fatigue(&m, nullptr, 1);
    const Load_Case_Summary& s = m.summary;
    EXPECT_GT(s.dAs_h_fat, 0.1);
    EXPECT_EQ(s.dAsb_v_fat, 0.0);
    EXPECT_EQ(s.dAsb_h_fat, 0.0);
    EXPECT_EQ(s.final_Asb_v, 2.0);
    EXPECT_NEAR(s.final_As_h, s.dAs_h_fat, 1e-12);
}

TEST_F(CorbelFatigue, NoStressStateFailsTheCheck)
{
    // Glass-fibre bars have no stress computation: no tie area.
    m.steel_class[0] = 5;
    int result = -1;
    const std::string text = Report(1, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(m.summary.fatigue_failed, 1);
    EXPECT_EQ(m.summary.dAs_h_fat, -1.0);
    EXPECT_EQ(m.summary.final_As_h, -1.0);
    EXPECT_EQ(m.summary.dAsb_v_fat, 0.0);
    EXPECT_EQ(m.summary.final_Asb_v, 2.0);
    // The check cannot be made: it says why, and shows no stresses and no comparison.
    EXPECT_TRUE(Has(text, "f\x81r Glasfaserbewehrung, Nachweis nicht m\x94glich")) << text;
    for (const char* shown : {"\xCC\xCE\\s,O\xCEr = ", "vorh \xA3\xCC", "Betondruckstrebe", "ok"})
        EXPECT_FALSE(Has(text, shown)) << shown;

    // A failed tie of the ultimate limit state is no start.
    m.steel_class[0] = 4;
    Free_Material_Set(&corbel_material_set);
    corbel_material_set_ready = 0;
    m.summary.fatigue_failed = 0;
    m.summary.As_h = m.summary.final_As_h = -1.0;
    EXPECT_EQ(Check_Corbel_Fatigue(&m, nullptr, 1), 0);
    EXPECT_EQ(m.summary.fatigue_failed, 1);
    EXPECT_EQ(m.summary.dAs_h_fat, -1.0);

    // Damaged material data (a free concrete without peak strain) are told before any stress
    // is searched for: no stress lines follow.
    m.concrete_class = MODEL_FIRST_FREE_CONCRETE;
    m.eps_c2 = 0.0;
    Free_Material_Set(&corbel_material_set);
    corbel_material_set_ready = 0;
    m.summary = {};
    m.summary.As_h = m.summary.final_As_h = 5.0;
    const std::string damaged = Report(1, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(m.summary.fatigue_failed, 1);
    EXPECT_EQ(m.summary.final_As_h, -1.0);
    EXPECT_TRUE(Has(damaged, "Fehler bei den Materialdaten")) << damaged;
    EXPECT_FALSE(Has(damaged, "s,h,fat")) << damaged;
}

TEST_F(CorbelFatigue, ReportLines)
{
    Rows({{100000.0, 20000.0}, {30000.0, 5000.0}});
    m.load_a = 15.0;
    m.hk = 40.0;
    m.load_height = 0.0;
    m.print_options.switches[EC2_PRINT_EXTRA_INFO] = 1;
    int result = -1;
    const std::string text = Report(2, &result);
    // A 100 kN, H 20 kN, úa 15 cm, hk 40 cm, úh 0: M = -19.00 kNm, N = 20.00 kN.
    EXPECT_TRUE(Has(text, "Lk 1: N\xCE\\Ed\xCEr = H = 20.00 kN, M\xCE\\Ed\xCEr = A\xCE/.\xCEr\xA3" "a+H\xCE/.\xCEr(h\xCE\\k\xCEr/2+\xA3h) = -19.00 kNm\n"))
        << text;
    EXPECT_TRUE(Has(text, "Nachweis im Grenzzustand der Gebrauchstauglichkeit mit den Spannungsdehnungslinien\n"));
    EXPECT_TRUE(Has(text, "f\x81r die Bewehrung: nach 3.2.7 (Bild 3.8) mit f\xCE\\y\xCEr = f\xCE\\yk\xCEr"));
    EXPECT_TRUE(Has(text, "Zuggurtbewehrung: zul \xA3\xCC\xCE\\s\xCEr = 70 N/mm\xCE/2\xCEr, vorh \xA3\xCC\xCE\\s\xCEr = "
                          "\xCC\xCE\\s,O\xCEr-\xCC\xCE\\s,U\xCEr = "));
    EXPECT_TRUE(Has(text, "  \x88  \xA3" "A\xCE\\s,h,fat\xCEr = "));
    EXPECT_TRUE(Has(text, "Betondruckstrebe (f\xCE\\cd,fat\xCEr = 14.96 N/mm\xCE/2\xCEr bei t\xCE\\0\xCEr = 28.0 d):\n"));
    EXPECT_TRUE(Has(text, " |\xCC\xCE\\c,max\xCEr|/f\xCE\\cd,fat\xCEr \xF3 0.5 + 0.45\xCE/.\xCEr|\xCC\xCE\\c,min\xCEr|/f\xCE\\cd,fat\xCEr \xF3 0.9 \x88 "));
    EXPECT_TRUE(Has(text, "Spaltzugbewehrung proportional zur Zuggurtbewehrung:\n"));
    EXPECT_TRUE(Has(text, " \xA3" "A\xCE\\sb,v,fat\xCEr = A\xCE\\sb,v\xCEr\xCE/.\xCEr((A\xCE\\s,h\xCEr+\xA3" "A\xCE\\s,h,fat\xCEr)/A\xCE\\s,h\xCEr-1) = "));
    EXPECT_TRUE(Has(text, "Gesamt"));

    // A high-strength concrete bounds the ratio by 0.8.
    Free_Material_Set(&corbel_material_set);
    corbel_material_set_ready = 0;
    m.concrete_class = 14;   // C55/67
    Check_Corbel_Model(&m, nullptr, 0, 0);
    m.summary.final_As_h = 5.0;
    EXPECT_TRUE(Has(Report(0, &result), "/f\xCE\\cd,fat\xCEr \xF3 0.8 \x88 "));
}

}  // namespace
