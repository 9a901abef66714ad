#include "material/material_set.h"

#include "annex/nad_choice.h"
#include "annex/nad_sections.h"
#include "material/material_props.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A set owned for the length of a test; the DIN 1045-1 edition switch is put back.
struct Owned_Set {
    Material_Set set;
    int edition = Get_DIN1045_1_Edition();
    Owned_Set(int n_concrete, int n_steel)
    {
        Clear_Material_Set(&set);
        EXPECT_EQ(Alloc_Material_Set(&set, n_concrete, n_steel), 0);
    }
    ~Owned_Set()
    {
        Free_Material_Set(&set);
        Set_DIN1045_1_Edition(edition);
    }
    Material_Set* operator->() { return &set; }
    Material_Set* get() { return &set; }
};

// The corbel's kind of set under EN 1992-1-1 with the Eurocode annex values: C30/37 with
// alpha_cc 0.85, B500B.
void Fill_EN_Set(Material_Set* set)
{
    NAD_EC2_Defaults_For_Norm(4, set->annex);
    set->new_standard = set->en1992_1_1 = 1;
    set->situation_code = 2;
    set->gamma_c = 1.5;
    set->gamma_s = 1.15;
    for (int i = 0; i < set->n_concrete; ++i) {
        set->concrete[i].class_index = 9;
        set->concrete[i].density = 2200;
        set->concrete[i].alpha_cc = 0.85;
    }
    for (int i = 0; i < set->n_steel; ++i) set->steel[i].steel_index = 4;
}

TEST(MaterialSetTest, AllocResetCopyFree)
{
    Owned_Set s(1, 2);
    ASSERT_TRUE(s->concrete && s->steel && s->annex);
    EXPECT_DOUBLE_EQ(s->annex->alpha_cc, 0.85);   // DIN 1045-1 values to start with
    Fill_EN_Set(s.get());
    s->steel[1].steel_index = 7;
    s->stored_int_b = 1;
    s->concrete[0].tension_values[5] = 4.5;
    s->annex->alpha_cc = 0.9;
    s->stored_int_a = 3;
    s->law_choice = 3;
    s->modular_ratio = 7.5;
    Calc_Material_Set(s.get(), 0);
    s->nonlinear_analysis = 1;  // after the computation: it would rescale the set
    s->en1992_2 = 1;
    s->oenorm = 1;
    s->din_2008_rules = 1;

    Owned_Set dst(2, 0);
    Copy_Material_Set(s.get(), dst.get());
    ASSERT_EQ(dst->n_concrete, 1);
    ASSERT_EQ(dst->n_steel, 2);
    EXPECT_EQ(std::memcmp(dst->concrete, s->concrete, sizeof(Concrete_Record)), 0);
    EXPECT_EQ(std::memcmp(dst->steel, s->steel, 2 * sizeof(Steel_Record)), 0);
    EXPECT_EQ(dst->stored_int_b, 1);
    // Every scalar of the set comes along.
    EXPECT_EQ(std::vector<double>({dst->gamma_c, dst->gamma_s, dst->modular_ratio, dst->xi_limit}),
              std::vector<double>({s->gamma_c, s->gamma_s, 7.5, s->xi_limit}));
    EXPECT_EQ(std::vector<int>({dst->new_standard, dst->din_2008_rules, dst->oenorm, dst->en1992_1_1, dst->en1992_2,
                                dst->situation_code, dst->stored_int_a, dst->law_choice, dst->nonlinear_analysis}),
              std::vector<int>({1, 1, 1, 1, 1, 2, 3, 3, 1}));
    dst->concrete[0].fck = 99;
    dst->annex->alpha_cc = 0.5;
    EXPECT_DOUBLE_EQ(s->concrete[0].fck, 30);   // deep: nothing shared
    EXPECT_DOUBLE_EQ(s->annex->alpha_cc, 0.9);
    Copy_Material_Set(s.get(), s.get());        // onto itself: kept
    EXPECT_DOUBLE_EQ(s->concrete[0].fck, 30);

    Reset_Material_Set(s.get());
    EXPECT_EQ(s->concrete[0].name[0], '\0');
    EXPECT_DOUBLE_EQ(s->annex->alpha_cc, 0.9);   // counts, arrays and annex record stay

    // Freeing leaves the counts; nothing may then walk the missing arrays.
    Free_Material_Set(s.get());
    EXPECT_TRUE(!s->concrete && !s->steel && !s->annex);
    Reset_Material_Set(s.get());
    EXPECT_EQ(Calc_Material_Set(s.get(), 0), 0);
    EXPECT_EQ(Alloc_Material_Set(nullptr, 1, 1), 1);
    EXPECT_EQ(Calc_Material_Set(nullptr, 1), 0);
}

TEST(MaterialSetTest, FailedAllocationLeavesNoCountWithoutItsArray)
{
    Owned_Set s(1, 2);
    // A request too large for the allocation interface fails: what the set held is given
    // back and both counts are zero.
    EXPECT_EQ(Alloc_Material_Set(s.get(), 1, INT_MAX), 1);
    EXPECT_EQ(s->n_concrete + s->n_steel, 0);
    EXPECT_TRUE(!s->concrete && !s->steel && !s->annex);
    EXPECT_EQ(Calc_Material_Set(s.get(), 0), 0);
    EXPECT_EQ(Alloc_Material_Set(s.get(), -1, 2), 1);
    EXPECT_EQ(s->n_concrete + s->n_steel, 0);
}

TEST(MaterialSetTest, CheckCorrectsConcreteRecords)
{
    enum Norm { EN1, EN2, DIN08, OEN, OLDS };
    struct Case {
        const char* what;
        Norm norm;
        int class_index, lightweight;
        double density;
        int want_class, want_lightweight;
        double want_density;
    };
    const Case cases[] = {
        {"class above free", EN1, 35, 1, 1500, 7, 0, 2200},
        {"negative class", EN1, -3, 0, 2200, 0, 0, 2200},
        {"unmarked light", EN1, 9, 0, 1500, 9, 1, 1500},
        {"unmarked normal", EN1, 9, 0, 2100, 9, 0, 2200},
        {"just below 2001", EN1, 9, 0, 2000.5, 9, 1, 2000.5},
        {"marked, too dense", EN1, 9, 1, 2050, 9, 1, 2000},
        {"too light", EN1, 9, 0, 700, 9, 1, 800},
        {"heavy", EN1, 9, 1, 2400, 9, 0, 2200},
        {"bridges", EN2, 9, 1, 1500, 9, 0, 2200},
        {"DIN 2008 rules", DIN08, 9, 1, 1500, 9, 0, 2200},
        {"ONORM high class", OEN, 16, 0, 2200, 29, 0, 2200},
        {"ONORM above free", OEN, 31, 1, 1500, 22, 0, 2200},
        {"old standard", OLDS, 9, 1, 1500, 1, 0, 2200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Owned_Set s(1, 0);
        s->new_standard = c.norm != OLDS;
        s->en1992_1_1 = c.norm == EN1;
        s->en1992_2 = c.norm == EN2;
        s->din_2008_rules = c.norm == DIN08;
        s->oenorm = c.norm == OEN;
        s->concrete[0].class_index = c.class_index;
        s->concrete[0].lightweight = c.lightweight;
        s->concrete[0].density = c.density;
        EXPECT_EQ(Check_Material_Set(s.get()), 0);
        EXPECT_EQ(s->concrete[0].class_index, c.want_class);
        EXPECT_EQ(s->concrete[0].lightweight, c.want_lightweight);
        EXPECT_DOUBLE_EQ(s->concrete[0].density, c.want_density);
        if (c.norm == DIN08) {
            EXPECT_EQ(Get_DIN1045_1_Edition(), 0);
        }
    }
}

TEST(MaterialSetTest, CheckFillsFactorsAlphaAndSteels)
{
    // alpha_cc from the annex (Eurocode values: 1.0, lightweight 0.85, bridges 0.85).
    struct Alpha_Case {
        int en1, en2, oenorm, old_set, lightweight;
        double given, want;
    };
    const Alpha_Case alphas[] = {{1, 0, 0, 0, 0, 0.0, 1.0},  {1, 0, 0, 0, 1, 0.0, 0.85},
                                 {1, 0, 0, 0, 0, 0.9, 0.9},  {0, 1, 0, 0, 0, 0.0, 0.85},
                                 {0, 0, 0, 0, 0, 0.0, 0.85}, {0, 0, 1, 0, 0, 0.7, 1.0},
                                 {0, 0, 0, 1, 0, 0.7, 1.0}};
    for (const Alpha_Case& a : alphas) {
        Owned_Set s(1, 0);
        NAD_EC2_Defaults_For_Norm(4, s->annex);
        s->new_standard = !a.old_set;
        s->en1992_1_1 = a.en1;
        s->en1992_2 = a.en2;
        s->oenorm = a.oenorm;
        s->concrete[0].class_index = 9;
        s->concrete[0].lightweight = a.lightweight;
        s->concrete[0].density = a.lightweight ? 1800 : 2200;
        s->concrete[0].alpha_cc = a.given;
        Check_Material_Set(s.get());
        EXPECT_DOUBLE_EQ(s->concrete[0].alpha_cc, a.want) << a.en1 << a.en2 << a.oenorm << a.lightweight;
    }

    struct Steel_Case {
        int old_set, oenorm, situation, index, want_index, want_situation;
        double want_gamma_s;
    };
    const Steel_Case steels[] = {
        {0, 0, 2, -1, 0, 2, 1.15}, {1, 0, 0, 7, 2, 0, 1.0},   {0, 0, 2, 20, 3, 2, 1.15},
        {0, 1, 2, 20, 12, 2, 1.15}, {0, 1, 2, 6, 11, 2, 1.15}, {0, 0, 0, 5, 5, 2, 2.0},
        {0, 0, 1, 5, 5, 2, 2.0},   {0, 0, 2, 5, 5, 2, 1.15},   // glass fibre: own factor
    };
    for (const Steel_Case& c : steels) {
        Owned_Set s(0, 1);
        s->new_standard = !c.old_set;
        s->oenorm = c.oenorm;
        s->situation_code = c.situation;
        s->gamma_c = 1.5;
        s->gamma_s = 1.15;
        s->steel[0].steel_index = c.index;
        Check_Material_Set(s.get());
        EXPECT_EQ(s->steel[0].steel_index, c.want_index) << c.index;
        EXPECT_EQ(s->situation_code, c.want_situation) << c.index;
        EXPECT_DOUBLE_EQ(s->gamma_s, c.want_gamma_s) << c.index;
    }

    // Missing factors: the annex's serviceability factors under EN, else 1.0; a negative
    // new-standard flag makes an old-standard set.
    Owned_Set s(0, 0);
    NAD_EC2_Defaults_For_Norm(4, s->annex);
    s->annex->gamma_c_sls = 1.1;
    s->new_standard = 7;
    s->en1992_1_1 = 1;
    Check_Material_Set(s.get());
    EXPECT_EQ(s->new_standard, 1);
    EXPECT_DOUBLE_EQ(s->gamma_c, 1.1);
    EXPECT_DOUBLE_EQ(s->gamma_s, 1.0);
    // Outside EN 1992 the annex's factors do not count: 1.0.
    s->en1992_1_1 = 0;
    s->gamma_c = s->gamma_s = 0.0;
    Check_Material_Set(s.get());
    EXPECT_DOUBLE_EQ(s->gamma_c, 1.0);
    EXPECT_DOUBLE_EQ(s->gamma_s, 1.0);
    s->new_standard = -1;
    s->oenorm = 1;
    s->gamma_c = 1.5;
    Check_Material_Set(s.get());
    EXPECT_EQ(s->new_standard + s->en1992_1_1 + s->oenorm, 0);
    EXPECT_DOUBLE_EQ(s->gamma_c, 1.0);
}

TEST(MaterialSetTest, CalcEurocodeSet)
{
    Owned_Set s(1, 2);
    Fill_EN_Set(s.get());
    EXPECT_EQ(Calc_Material_Set(s.get(), 0), 0);
    const Concrete_Record& c = s->concrete[0];
    EXPECT_STREQ(c.name, " C30/37");
    EXPECT_NEAR(c.fcd, 17.0, 1e-12);
    EXPECT_DOUBLE_EQ(c.fcm, 38);
    EXPECT_NEAR(c.fctm, 2.896, 0.0005);
    EXPECT_NEAR(c.fctk005, 0.7 * c.fctm, 1e-12);
    EXPECT_NEAR(c.e_modulus, 32836.6, 0.05);
    EXPECT_DOUBLE_EQ(c.eps_c2, -2.0);
    EXPECT_DOUBLE_EQ(c.eps_cu, -3.5);
    EXPECT_DOUBLE_EQ(c.n_exp, 2.0);
    // B500B: the design law with 1.05 fyk and 25 per mille.
    const Steel_Record& st = s->steel[0];
    EXPECT_STREQ(st.name, " B500B    ");
    EXPECT_NEAR(st.fyd, 434.78, 0.005);
    EXPECT_DOUBLE_EQ(st.ftk, 525);
    EXPECT_NEAR(st.ftd, 456.52, 0.005);
    EXPECT_DOUBLE_EQ(st.eps_uk, 25);
    EXPECT_NEAR(st.eps_yd, 2.174, 0.0005);
    EXPECT_NEAR(s->xi_limit, 3.5 / (3.5 + 2.174), 0.0005);

    // The annex record: kept without take_active_annex, the annex in force with it, the
    // DIN 1045-1 values under DIN 1045-1.
    s->annex->alpha_cc = 0.77;
    Calc_Material_Set(s.get(), 0);
    EXPECT_DOUBLE_EQ(s->annex->alpha_cc, 0.77);
    Calc_Material_Set(s.get(), 1);
    EXPECT_EQ(NAD_EC2_Compare(s->annex, NAD_Get_EC2_Params()), 0);
    s->en1992_1_1 = 0;
    s->annex->alpha_lcc = 0.85;
    Calc_Material_Set(s.get(), 1);
    EXPECT_DOUBLE_EQ(s->annex->alpha_lcc, 0.75);

    // A negative new-standard flag turns the set old-standard in the check: the Eurocode
    // flag goes, and the annex record held for EN 1992 gets the DIN 1045-1 values back.
    s->en1992_1_1 = 1;
    s->new_standard = -1;
    s->annex->alpha_cc = 0.77;
    s->annex->delta_c_dev = 1.2;
    NAD_EC2_Params din = *s->annex;
    NAD_EC2_Defaults_For_Norm(1, &din);
    EXPECT_EQ(Calc_Material_Set(s.get(), 0), 0);
    EXPECT_EQ(s->new_standard, 0);
    EXPECT_EQ(s->en1992_1_1, 0);
    EXPECT_EQ(NAD_EC2_Compare(s->annex, &din), 0);
    EXPECT_DOUBLE_EQ(s->annex->delta_c_dev, 1.5);
    EXPECT_DOUBLE_EQ(s->annex->alpha_cc, 0.85);
}

// A set under DIN 1045-1 (a newer standard without a Eurocode flag): the DIN annex values
// (alpha_cc 0.85), Ecm = alpha_i 9500 fcm^(1/3) with alpha_i = 0.8 + fcm/440, and the
// tabulated laws of the standard, which above C50/60 differ from the Eurocode's formulas.
TEST(MaterialSetTest, CalcDin1045_1Set)
{
    Owned_Set s(2, 1);
    s->new_standard = 1;
    s->gamma_c = 1.5;
    s->gamma_s = 1.15;
    s->concrete[0].class_index = 9;   // C30/37
    s->concrete[1].class_index = 15;  // C60/75
    for (int i = 0; i < 2; ++i) s->concrete[i].density = 2200;
    s->steel[0].steel_index = 4;
    EXPECT_EQ(Material_Set_Norm_Code(s.get()), 1);
    EXPECT_EQ(Calc_Material_Set(s.get(), 1), 0);
    EXPECT_DOUBLE_EQ(s->annex->alpha_cc, 0.85);
    EXPECT_DOUBLE_EQ(s->annex->delta_c_dev, 1.5);
    const Concrete_Record& c = s->concrete[0];
    EXPECT_DOUBLE_EQ(c.alpha_cc, 0.85);
    EXPECT_NEAR(c.fcd, 0.85 * 30 / 1.5, 1e-12);
    EXPECT_DOUBLE_EQ(c.fcm, 38);
    EXPECT_NEAR(c.e_modulus, (0.8 + 38.0 / 440.0) * 9500.0 * std::cbrt(38.0), 1e-9);  // 28309
    EXPECT_NEAR(c.fctm, 0.3 * std::pow(30.0, 2.0 / 3.0), 1e-12);
    EXPECT_DOUBLE_EQ(c.eps_c2, -2.0);
    EXPECT_DOUBLE_EQ(c.eps_cu, -3.5);
    EXPECT_DOUBLE_EQ(c.n_exp, 2.0);
    EXPECT_DOUBLE_EQ(c.eta1, 1.0);
    const Concrete_Record& h = s->concrete[1];
    EXPECT_NEAR(h.fcd, 0.85 * 60 / 1.5, 1e-12);
    EXPECT_NEAR(h.e_modulus, (0.8 + 68.0 / 440.0) * 9500.0 * std::cbrt(68.0), 1e-9);
    EXPECT_DOUBLE_EQ(h.eps_c2, -2.06);
    EXPECT_DOUBLE_EQ(h.eps_cu, -2.7);
    EXPECT_DOUBLE_EQ(h.n_exp, 1.9);
    EXPECT_NEAR(h.fctm, 2.12 * std::log(1.0 + 68.0 / 10.0), 1e-12);
    // The steel as under the Eurocode; xi from the first concrete's ultimate strain.
    EXPECT_NEAR(s->steel[0].fyd, 500 / 1.15, 1e-12);
    EXPECT_NEAR(s->steel[0].eps_yd, 1000 * 500 / 1.15 / 200000, 1e-12);
    EXPECT_NEAR(s->xi_limit, 3.5 / (3.5 + 1000 * 500 / 1.15 / 200000), 1e-12);
}

TEST(MaterialSetTest, CalcSteelsAndDesignYieldStrain)
{
    struct Case {
        int index;
        double fyk, ftk, eps_uk, es, ftd;
    };
    // gamma_s 1.15, except the glass-fibre bar, which raises it to 2.0 (situation 0).
    const Case cases[] = {
        {1, 420, 420, 5.0, 210000, 420 / 1.15}, {3, 500, 525, 25, 200000, 525 / 1.15},
        {5, 580, 580, 4.8333333333333, 60000, 290}, {6, 420, 420, 25, 200000, 420 / 1.15},
        {10, 600, 630, 25, 200000, 630 / 1.15}, {11, 550, 550, 20, 200000, 550 / 1.15},
    };
    for (const Case& c : cases) {
        Owned_Set s(1, 1);
        Fill_EN_Set(s.get());
        s->situation_code = 0;
        s->steel[0].steel_index = c.index;
        EXPECT_EQ(Calc_Material_Set(s.get(), 0), 0);
        EXPECT_DOUBLE_EQ(s->steel[0].fyk, c.fyk) << c.index;
        EXPECT_NEAR(s->steel[0].ftk, c.ftk, 1e-9) << c.index;
        EXPECT_NEAR(s->steel[0].eps_uk, c.eps_uk, 1e-9) << c.index;
        EXPECT_DOUBLE_EQ(s->steel[0].es, c.es) << c.index;
        EXPECT_NEAR(s->steel[0].ftd, c.ftd, 1e-9) << c.index;
    }

    // Free steel: missing values from fyk; an entered yield strain raises the limit strain.
    Owned_Set s(1, 1);
    Fill_EN_Set(s.get());
    Steel_Record& f = s->steel[0];
    f.steel_index = 13;
    f.fyk = 450;
    f.fyk_c = 900;
    f.eps_uk = 10;
    f.eps_yd = 12;
    Calc_Material_Set(s.get(), 0);
    EXPECT_DOUBLE_EQ(f.es, 200000);
    EXPECT_DOUBLE_EQ(f.fyk_c, 450);
    EXPECT_DOUBLE_EQ(f.ftk, 450);
    EXPECT_DOUBLE_EQ(f.eps_uk, 12);

    // Design yield strain from a given depth ratio, cut to the limit strain.
    struct Xi_Case {
        double xi;
        int result;
        double eps_yd, xi_after;
    };
    const Xi_Case xis[] = {{0.2, 0, 14.0, 0.2},
                           {0.1, 1, 25.0, 3.5 / 28.5},
                           {0.999, 0, 3.5 / 0.999 - 3.5, 0.999},  // kept up to 0.999, 1 above
                           {1.5, 0, 0.0, 1.0}};
    for (const Xi_Case& x : xis) {
        f = Steel_Record{};
        f.steel_index = 4;
        s->xi_limit = x.xi;
        EXPECT_EQ(Calc_Material_Set(s.get(), 0), x.result) << x.xi;
        EXPECT_NEAR(f.eps_yd, x.eps_yd, 1e-12) << x.xi;
        EXPECT_NEAR(s->xi_limit, x.xi_after, 1e-12) << x.xi;
    }
}

TEST(MaterialSetTest, CalcOldStandardAndOenormSets)
{
    Owned_Set s(1, 1);
    s->en1992_1_1 = 1;
    s->gamma_c = 1.5;
    s->xi_limit = 0.3;
    s->concrete[0].class_index = 2;
    s->steel[0].steel_index = 1;
    EXPECT_EQ(Calc_Material_Set(s.get(), 1), 0);
    EXPECT_DOUBLE_EQ(s->gamma_c, 1.0);
    EXPECT_STREQ(s->concrete[0].name, " B35");
    EXPECT_DOUBLE_EQ(s->concrete[0].fcd, 23);
    EXPECT_DOUBLE_EQ(s->steel[0].fyd, 420);
    EXPECT_DOUBLE_EQ(s->steel[0].eps_yd, 3.0);
    EXPECT_DOUBLE_EQ(s->xi_limit, 0.0);
    // The grade under a newer standard takes its new-standard strength.
    s->new_standard = 1;
    s->gamma_c = 1.5;
    s->concrete[0].alpha_cc = 0.85;
    Calc_Material_Set(s.get(), 0);
    EXPECT_DOUBLE_EQ(s->concrete[0].fcm, 28 + 8);
    // ONORM B 4700: its own class table and steels, alpha_cc 1.0.
    s->oenorm = 1;
    s->concrete[0].class_index = 20;
    s->steel[0].steel_index = 12;
    Calc_Material_Set(s.get(), 0);
    EXPECT_STREQ(s->concrete[0].name, " \x99-B15");
    EXPECT_DOUBLE_EQ(s->concrete[0].e_modulus, 26000);
    EXPECT_NEAR(s->concrete[0].fcd, 11.3 / 1.5, 1e-12);
    EXPECT_DOUBLE_EQ(s->steel[0].eps_uk, 20);
}

TEST(MaterialSetTest, CalcFreeAndLightweightConcrete)
{
    Owned_Set s(2, 1);
    Fill_EN_Set(s.get());
    // Free concrete with only fck given: derived values, the strains as entered.
    Concrete_Record& f = s->concrete[0];
    f.class_index = 30;
    f.fck = 30;
    f.eps_c2 = -2.1;
    f.eps_cu = -3.4;
    // LC30/33 with density 1800 and alpha from the annex.
    Concrete_Record& lc = s->concrete[1];
    lc.lightweight = 1;
    lc.density = 1800;
    lc.alpha_cc = 0;
    Calc_Material_Set(s.get(), 0);
    EXPECT_NEAR(f.e_modulus, 32836.6, 0.05);
    EXPECT_NEAR(f.fctm, 2.90, 0.005);
    EXPECT_DOUBLE_EQ(f.fcm, 38);
    EXPECT_DOUBLE_EQ(f.n_exp, 2.0);
    EXPECT_NEAR(f.fcd, 17.0, 1e-12);
    EXPECT_DOUBLE_EQ(f.eps_c2, -2.1);   // as entered
    f.fctm = 2.5;
    f.n_exp = 1.8;
    Calc_Material_Set(s.get(), 0);
    EXPECT_DOUBLE_EQ(f.fctm, 2.5);   // entered values stand
    EXPECT_DOUBLE_EQ(f.n_exp, 1.8);

    const double eta1 = 0.4 + 0.6 * 1800.0 / 2200.0;
    EXPECT_NEAR(lc.eta1, eta1, 1e-12);
    EXPECT_DOUBLE_EQ(lc.alpha_cc, 0.85);
    EXPECT_NEAR(lc.fctm, eta1 * 0.3 * std::pow(30.0, 2.0 / 3.0), 1e-12);
    EXPECT_NEAR(lc.eps_cu, -3.5 * eta1, 1e-12);
    lc.class_index = 6;   // LC16/18: the mean strength below LC20
    Calc_Material_Set(s.get(), 0);
    EXPECT_DOUBLE_EQ(lc.fcm, 22.0);
    // The DIN 2008 rules admit no lightweight concrete.
    s->en1992_1_1 = 0;
    s->din_2008_rules = 1;
    Calc_Material_Set(s.get(), 0);
    EXPECT_EQ(lc.lightweight, 0);
    EXPECT_DOUBLE_EQ(lc.eta1, 1.0);
    // Nor do the ONORM rules, nor the older grades under any rules.
    s->din_2008_rules = 0;
    for (const int oenorm : {1, 0}) {
        s->oenorm = oenorm;
        s->en1992_1_1 = 1 - oenorm;
        lc.class_index = oenorm ? 6 : 2;
        lc.lightweight = 1;
        lc.density = 1800;
        Calc_Material_Set(s.get(), 0);
        EXPECT_EQ(lc.lightweight, 0) << oenorm;
        EXPECT_DOUBLE_EQ(lc.eta1, 1.0) << oenorm;
    }
}

TEST(MaterialSetTest, CalcNonlinearAnalysisRescales)
{
    Owned_Set s(1, 1);
    Fill_EN_Set(s.get());
    s->nonlinear_analysis = 1;   // situation 2: g = 1.1
    Calc_Material_Set(s.get(), 0);
    const double rc = 1.1 / 1.5;
    EXPECT_DOUBLE_EQ(s->gamma_s, 1.1);
    EXPECT_NEAR(s->concrete[0].fck, 30 * rc, 1e-12);
    EXPECT_NEAR(s->concrete[0].fcd, 30 * rc * 0.85 / 1.1, 1e-12);
    EXPECT_DOUBLE_EQ(s->concrete[0].eps_c2, Get_Concrete_Eps_C1(4, 9, 30 * rc, 2200, nullptr));
    EXPECT_NEAR(s->steel[0].fyk, 500 * 1.1 / 1.15, 1e-9);
    EXPECT_NEAR(s->steel[0].fyd, 500 / 1.15, 1e-9);
}

TEST(MaterialSetTest, ResistanceHelpers)
{
    EXPECT_DOUBLE_EQ(Get_Concrete_Tau_Rd(29, 45), 0.33);
    EXPECT_NEAR(Get_Concrete_Tau_Rd(9, 27), 0.27, 1e-12);
    EXPECT_NEAR(Get_Plain_Concrete_Gamma_C(1, 60, 1.5), 1.55 / 0.98, 1e-12);
    EXPECT_DOUBLE_EQ(Get_Plain_Concrete_Gamma_C(0, 600, 1.4), 1.4);

    Owned_Set s(1, 0);
    s->new_standard = 1;
    s->concrete[0].fck = 30;
    struct Case {
        int en2, lightweight;
        double fck, given, want;
    };
    const Case cases[] = {{0, 0, 30, 0.0, 0.45}, {0, 0, 30, 0.3, 0.3}, {0, 0, 30, 0.6, 0.45},
                          {0, 1, 30, 0.0, 0.35}, {1, 1, 30, 0.0, 0.23}, {1, 0, 30, 0.0, 0.30},
                          {1, 0, 55, 0.0, 0.23}, {0, 0, 55, 0.0, 0.35}};
    for (const Case& c : cases) {
        s->en1992_2 = c.en2;
        s->concrete[0].lightweight = c.lightweight;
        s->concrete[0].fck = c.fck;
        EXPECT_DOUBLE_EQ(Get_Depth_Ratio_Limit(s.get(), c.given), c.want);
    }
    s->new_standard = 0;
    EXPECT_DOUBLE_EQ(Get_Depth_Ratio_Limit(s.get(), 0.0), 0.0);
}

}  // namespace

TEST(MaterialSetTest, ConcreteLawUsableOnlyWithCompressiveStrainsInOrder)
{
    Concrete_Record sound{};
    sound.fck = 30.0;
    sound.fcd = 17.0;
    sound.eps_c2 = -2.0;
    sound.eps_cu = -3.5;
    sound.n_exp = 2.0;
    EXPECT_TRUE(Concrete_Law_Usable(sound));
    const double nan = std::nan("");
    const struct {
        double Concrete_Record::*field;
        double value;
        bool usable;
    } cases[] = {
        {&Concrete_Record::eps_cu, -2.0, true},   {&Concrete_Record::eps_cu, -20.0, true},
        {&Concrete_Record::eps_cu, -20.01, false}, {&Concrete_Record::eps_cu, -1.9, false},
        {&Concrete_Record::eps_c2, 0.0, false},   {&Concrete_Record::eps_c2, nan, false},
        {&Concrete_Record::eps_c2, -1e-20, false}, {&Concrete_Record::eps_c2, -0.099, false},
        {&Concrete_Record::eps_c2, -0.1, true},
        {&Concrete_Record::fck, 0.0, false},      {&Concrete_Record::fcd, 0.0, false},
        {&Concrete_Record::n_exp, 0.0, false},    {&Concrete_Record::n_exp, nan, false},
    };
    for (const auto& c : cases) {
        Concrete_Record r = sound;
        r.*c.field = c.value;
        EXPECT_EQ(Concrete_Law_Usable(r), c.usable) << c.value;
    }
}
