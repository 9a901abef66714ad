// VRd,c against hand calculations by EN 1992-1-1 6.2.2, EN 1992-2, DIN 1045-1 (both
// editions) and ÖNORM B 4700; sets filled by hand so that every coefficient is known.
#include <gtest/gtest.h>

#include <limits>

#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "material/material_set.h"
#include "material/shear_vrdc.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One concrete (fck 30 unless given) and the annex record of the standard.
struct Shear_Set {
    Material_Set set{};
    Concrete_Record concrete{};
    NAD_EC2_Params annex{};
    enum Standard { EN1992_1_1, EN1992_2, BOTH_EUROCODES, DIN1045_1, OENORM };

    explicit Shear_Set(Standard standard, double gamma_c = 1.5)
    {
        set.new_standard = 1;
        set.gamma_c = gamma_c;
        set.en1992_1_1 = standard == EN1992_1_1 || standard == BOTH_EUROCODES;
        set.en1992_2 = standard == EN1992_2 || standard == BOTH_EUROCODES;
        set.oenorm = standard == OENORM;
        NAD_EC2_Defaults_For_Norm(standard == DIN1045_1 || standard == OENORM ? 1 : 4, &annex);
        set.annex = &annex;
        set.n_concrete = 1;
        set.concrete = &concrete;
        concrete.class_index = 9;
        concrete.fck = 30.0;
        concrete.eta1 = 1.0;
    }
    void Make_Lightweight()  // density 1800: η1 = 0.8909
    {
        concrete.lightweight = 1;
        concrete.eta1 = 0.40 + 0.60 * 1800.0 / 2200.0;
    }
    double VRdc(double d, double As, double sigma_cp = 0.0, int with_minimum = 1, int* flags = nullptr)
    {
        return Calc_VRd_c(&set, with_minimum, d, 300.0, As, sigma_cp, 1.0, flags);
    }
};

struct Edition_Guard {
    int saved = Get_DIN1045_1_Edition();
    explicit Edition_Guard(int edition) { Set_DIN1045_1_Edition(edition); }
    ~Edition_Guard() { Set_DIN1045_1_Edition(saved); }
};

// EN 1992-1-1 recommended values, C30/37, γc 1.5, bw 300 mm: CRd,c = 0.12,
// vmin = 0.035 k^1.5 √fck, k1 = 0.15.
TEST(VRdcEurocode, HandCalculations)
{
    const struct {
        const char* what;
        double d, As, sigma_cp;
        int with_minimum;
        double kN;
        int flag;
    } cases[] = {
        {"rho 1 %, k 1.6325: vRd 0.6087 > vmin 0.3998", 500, 1500, 0.0, 1, 91.30354008586629, 0},
        {"d 200: k = 2.0", 200, 600, 0.0, 1, 44.74414808573556, 0},
        {"d 150: k capped at 2.0", 150, 450, 0.0, 1, 33.55811106430167, 0},
        {"d 800: k = 1.5", 800, 2400, 0.0, 1, 134.23244425720665, 0},
        {"rho 3 % taken as 2 %", 500, 4500, 0.0, 1, 115.0352520841033, 0},
        {"As 0 with minimum: vmin governs", 500, 0, 0.0, 1, 59.97661770532893, CRd_c_shear_flag},
        {"As 0 without minimum", 500, 0, 0.0, 0, 0.0, 0},
        {"negative As is rho 0", 500, -1500, 0.0, 0, 0.0, 0},
        {"compression 2 N/mm2 adds k1 |scp| bw d", 500, 1500, -2.0, 1, 136.30354008586627, 0},
        {"tension 1 N/mm2", 500, 1500, 1.0, 1, 68.80354008586629, 0},
        {"tension 5 N/mm2: not below 0", 500, 1500, 5.0, 1, 0.0, 0},
    };
    Shear_Set s(Shear_Set::EN1992_1_1);
    for (const auto& c : cases) {
        int flags = -1;
        EXPECT_NEAR(s.VRdc(c.d, c.As, c.sigma_cp, c.with_minimum, &flags), c.kN, 1e-9) << c.what;
        EXPECT_EQ(flags, c.flag) << c.what;
    }
    EXPECT_NEAR(Calc_VRd_c(&s.set, 1, 500, 300, 1500, 0.0, 0.5, nullptr), 91.30354008586629 / 2, 1e-9);
    s.set.annex = nullptr;  // no annex record: the recommended values
    EXPECT_NEAR(s.VRdc(500, 1500), 91.30354008586629, 1e-9);
}

TEST(VRdcEurocode, AnnexGroups)
{
    // vmin mode 1: the stored coefficient is vmin itself, not divided by γc.
    Shear_Set s(Shear_Set::EN1992_1_1);
    s.annex.v_min_form = 1;
    s.annex.v_min_factor = 0.5;
    EXPECT_NEAR(s.VRdc(500, 0), 75.0, 1e-9);

    // EN 1992-2 group, also when both Eurocode flags are set.
    for (auto standard : {Shear_Set::EN1992_2, Shear_Set::BOTH_EUROCODES}) {
        Shear_Set b(standard);
        b.annex.bridge_c_rd_c = 0.15;   // CRd,c = 0.10: vRd = 0.5072
        b.annex.bridge_k1_shear = 0.10;
        EXPECT_NEAR(b.VRdc(500, 1500, -2.0), 76.08628340488859 + 30.0, 1e-9);
    }

    // Lightweight: ClRd,c = 0.15/1.5, vl,min = 0.028 k^1.5 √fck, kl1; η1 scales vmin too.
    Shear_Set l(Shear_Set::EN1992_1_1);
    l.Make_Lightweight();
    int flags = -1;
    EXPECT_NEAR(l.VRdc(500, 1500, 0.0, 1, &flags), 67.78596157890074, 1e-9);
    EXPECT_EQ(flags, 0);
    EXPECT_NEAR(l.VRdc(500, 0, 0.0, 1, &flags), 42.746971164525355, 1e-9);
    EXPECT_EQ(flags, CRd_c_shear_flag);
    l.annex.k_l1 = 0.3;
    EXPECT_NEAR(l.VRdc(500, 1500, -1.0), 67.78596157890074 + 45.0, 1e-9);
}

TEST(VRdcDin1045_1, Editions)
{
    Shear_Set s(Shear_Set::DIN1045_1, 1.3);  // annex: c 0.15, k1 0.12
    {
        // 2001: CRd,c = 0.10 whatever γc, vmin = 0.0525/γc k √(k fck)
        Edition_Guard edition(1);
        EXPECT_NEAR(s.VRdc(500, 1500, -1.0), 76.08628340488859 + 18.0, 1e-9);
        EXPECT_NEAR(s.VRdc(500, 0), 69.20378965999492, 1e-9);
        s.set.new_standard = 0;  // a set of the 1988 standard is computed the same way
        EXPECT_NEAR(s.VRdc(500, 0), 69.20378965999492, 1e-9);
        s.set.new_standard = 1;
    }
    Edition_Guard edition(0);
    // 2008: CRd,c = 0.15/γc; vmin = κ1/γc √(k³ fck), κ1 0.0525 to 600 mm, 0.0375 beyond
    // 800 mm, interpolated between (d 700: 0.045).
    EXPECT_NEAR(s.VRdc(500, 1500), 87.79186546717912, 1e-9);
    Shear_Set t(Shear_Set::DIN1045_1);
    EXPECT_NEAR(t.VRdc(500, 0), 59.97661770532893, 1e-9);
    EXPECT_NEAR(t.VRdc(700, 0), 65.59353865639478, 1e-9);
    EXPECT_NEAR(t.VRdc(900, 0), 65.98762979725065, 1e-9);
}

TEST(VRdcDin1045_1, LightweightConcrete)
{
    // 2001 keeps CRd,c = 0.10 and scales by η1; 2008 takes ClRd,c/γc (here 0.12/1.5).
    Shear_Set s(Shear_Set::DIN1045_1);
    s.Make_Lightweight();
    s.annex.c_lrd_c = 0.12;
    {
        Edition_Guard edition(1);
        EXPECT_NEAR(s.VRdc(500, 1500), 67.78596157890074, 1e-9);
    }
    Edition_Guard edition(0);
    EXPECT_NEAR(s.VRdc(500, 1500, 0.0, 0), 0.8 * 67.78596157890074, 1e-9);
}

TEST(VRdcOenorm, NoMinimumFactorOrFlag)
{
    // Ö-C30/37: τRd 0.27; VRd,c = [τRd (1.2 + 40 ρl) − 0.15 σcp] bw d; the ÖNORM flag wins.
    Shear_Set s(Shear_Set::OENORM);
    s.set.en1992_1_1 = 1;
    s.concrete.class_index = 24;
    for (int with_minimum : {0, 1})
        for (double factor : {1.0, 0.5}) {
            int flags = -1;
            EXPECT_NEAR(Calc_VRd_c(&s.set, with_minimum, 500, 300, 1500, 0.0, factor, &flags), 64.8, 1e-9);
            EXPECT_EQ(flags, 0);
            EXPECT_NEAR(Calc_VRd_c(&s.set, with_minimum, 500, 300, 0, -1.0, factor, &flags), 71.1, 1e-9);
        }
    s.concrete.class_index = 30;  // other classes: τRd = 0.09 fck^(1/3)
    EXPECT_NEAR(s.VRdc(500, 1500), 67.11622212860334, 1e-9);
}

TEST(VRdcDegenerateInput, NoResistanceAndNoNaN)
{
    Shear_Set s(Shear_Set::EN1992_1_1);
    const double sizes[][2] = {{500, 0}, {500, -300}, {0, 300}, {-500, 300}, {kNaN, 300}, {500, kNaN}};
    for (const auto& size : sizes) {
        int flags = 12345;
        EXPECT_EQ(Calc_VRd_c(&s.set, 1, size[0], size[1], 1500, -2.0, 1.0, &flags), 0.0)
            << size[0] << " " << size[1];
        EXPECT_EQ(flags, 0);
    }
    EXPECT_EQ(s.VRdc(500, 1500, kNaN), 0.0);
    int flags = 0;
    EXPECT_NEAR(s.VRdc(500, kNaN, 0.0, 1, &flags), 59.97661770532893, 1e-9);  // NaN area: none
    EXPECT_EQ(flags, CRd_c_shear_flag);
    s.concrete.fck = kNaN;
    EXPECT_EQ(s.VRdc(500, 1500), 0.0);
    Material_Set empty{};
    EXPECT_EQ(Calc_VRd_c(&empty, 1, 500, 300, 1500, 0.0, 1.0, nullptr), 0.0);
    EXPECT_EQ(Calc_VRd_c(nullptr, 1, 500, 300, 1500, 0.0, 1.0, nullptr), 0.0);
}

}  // namespace
