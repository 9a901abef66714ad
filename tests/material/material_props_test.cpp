#include "material/material_props.h"

#include "material/material_set.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int EN = 4, DIN = 1, OENORM = 3, OLD = 0;

// EN 1992-1-1 Table 3.1 (strains as magnitudes, per mille).
struct Table_3_1_Row {
    int class_index;
    double fck, fcm, fctm, ecm_gpa, eps_c1, eps_cu1, eps_c2, eps_cu2, n;
};
const Table_3_1_Row en_table_3_1[] = {
    {5, 12, 20, 1.6, 27, 1.8, 3.5, 2.0, 3.5, 2.0},     {6, 16, 24, 1.9, 29, 1.9, 3.5, 2.0, 3.5, 2.0},
    {7, 20, 28, 2.2, 30, 2.0, 3.5, 2.0, 3.5, 2.0},     {8, 25, 33, 2.6, 31, 2.1, 3.5, 2.0, 3.5, 2.0},
    {9, 30, 38, 2.9, 33, 2.2, 3.5, 2.0, 3.5, 2.0},     {10, 35, 43, 3.2, 34, 2.25, 3.5, 2.0, 3.5, 2.0},
    {11, 40, 48, 3.5, 35, 2.3, 3.5, 2.0, 3.5, 2.0},    {12, 45, 53, 3.8, 36, 2.4, 3.5, 2.0, 3.5, 2.0},
    {13, 50, 58, 4.1, 37, 2.45, 3.5, 2.0, 3.5, 2.0},   {14, 55, 63, 4.2, 38, 2.5, 3.2, 2.2, 3.1, 1.75},
    {15, 60, 68, 4.4, 39, 2.6, 3.0, 2.3, 2.9, 1.6},    {16, 70, 78, 4.6, 41, 2.7, 2.8, 2.4, 2.7, 1.45},
    {17, 80, 88, 4.8, 42, 2.8, 2.8, 2.5, 2.6, 1.4},    {18, 90, 98, 5.0, 44, 2.8, 2.8, 2.6, 2.6, 1.4},
};

TEST(MaterialPropsTest, EveryClassMatchesTable31OfEN1992_1_1)
{
    // The table rounds to 0.1 N/mm² (fctm), 1 GPa (Ecm) and 0.1 or 0.05 (strains, n).
    for (const Table_3_1_Row& r : en_table_3_1) {
        SCOPED_TRACE(r.class_index);
        const int idx = r.class_index;
        double cu1 = 0, cu2 = 0, ec = 0;
        EXPECT_DOUBLE_EQ(Get_Concrete_Strength(1, idx), r.fck);
        EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(EN, r.fck, 2200), r.fcm);
        EXPECT_NEAR(Get_Concrete_Fctm(EN, idx, r.fck, 2200, 0), r.fctm, 0.05);
        const double ecm = Get_Concrete_Ecm(EN, idx, r.fck, 2200, &ec);
        EXPECT_NEAR(ecm / 1000.0, r.ecm_gpa, 0.5);
        EXPECT_NEAR(ec, 1.05 * ecm, 1e-9);
        EXPECT_NEAR(Get_Concrete_Eps_C1(EN, idx, r.fck, 2200, &cu1), -r.eps_c1, 0.05);
        EXPECT_NEAR(cu1, -r.eps_cu1, 0.05);
        EXPECT_NEAR(Get_Concrete_Eps_C2(EN, idx, r.fck, 2200, &cu2), -r.eps_c2, 0.05);
        EXPECT_NEAR(cu2, -r.eps_cu2, 0.05);
        EXPECT_NEAR(Get_Concrete_Exponent_N(EN, idx, r.fck), r.n, 0.05);
    }
}

TEST(MaterialPropsTest, FormulasAtTheirLimits)
{
    double cu = 0, ec = 0;
    // eps_c2 capped at 2.6 (50^0.53 exceeds 0.6/0.085); eps_cu2 keeps rising above fck 90.
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C2(EN, 19, 100, 2200, &cu), -2.6);
    EXPECT_NEAR(cu, -2.6035, 1e-12);
    // Bilinear law: eps_c3 linear above fck 50 up to 2.4, eps_cu3 the constant 2.6.
    EXPECT_NEAR(Get_Concrete_Eps_C3(EN, 14, 55, 2200, &cu), -1.81875, 1e-12);
    EXPECT_DOUBLE_EQ(cu, -2.6);
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C3(EN, 9, 30, 2200, &cu), -1.75);
    EXPECT_DOUBLE_EQ(cu, -3.5);
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C3(EN, 19, 100, 2200, &cu), -2.4);
    // fctm takes the logarithmic formula from fck 54.9 on.
    EXPECT_NEAR(Get_Concrete_Fctm(EN, 13, 50, 2200, 0), 4.07, 0.005);
    EXPECT_NEAR(Get_Concrete_Fctm(EN, 30, 54.9, 2200, 0), 2.12 * std::log(7.29), 1e-12);
    EXPECT_NEAR(Get_Bond_Strength_Basis(EN, 9, 30, 2200, 0), 4.56, 0.005);
    // Moduli of C30/37: Eurocode, and DIN 1045-1 with alpha_i.
    EXPECT_NEAR(Get_Concrete_Ecm(EN, 9, 30, 2200, &ec), 32836.6, 0.05);
    EXPECT_NEAR(ec, 34478.4, 0.05);
    EXPECT_NEAR(Get_Concrete_Ecm(DIN, 9, 30, 2200, &ec), 28309.4, 0.05);
    EXPECT_NEAR(ec, 31938.8, 0.05);
    EXPECT_DOUBLE_EQ(Get_Concrete_Ecm(-1, 9, 30, 2200, nullptr), Get_Concrete_Ecm(EN, 9, 30, 2200, nullptr));
    // The DIN 1045-1 formula reproduces that standard's tabulated moduli.
    for (int idx = 5; idx <= 19; ++idx) {
        const Concrete_Class_Row& row = concrete_class_table[idx - 5];
        EXPECT_NEAR(Get_Concrete_Ecm(DIN, idx, row.fck, 2200, nullptr), row.ecm, 0.003 * row.ecm) << idx;
    }
    // EN 1992-1-1 3.1.5: k = 1.05 Ecm |eps_c1| / fcm, not below 1.05; no division by fcm 0.
    EXPECT_NEAR(Calc_Nonlinear_Law_K(EN, 38, 32836.6, -2.2), 1.05 * 32836.6 * 2.2 / 38 * 0.001, 1e-12);
    EXPECT_DOUBLE_EQ(Calc_Nonlinear_Law_K(EN, 38, 1000, -2.2), 1.05);
    EXPECT_DOUBLE_EQ(Calc_Nonlinear_Law_K(DIN, 0, 30000, -2.3), 1.25);
}

TEST(MaterialPropsTest, ClassTablesOfTheOtherStandards)
{
    double cu = 0;
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C2(DIN, 15, 60, 2200, &cu), -2.06);
    EXPECT_DOUBLE_EQ(cu, -2.7);
    EXPECT_DOUBLE_EQ(Get_Concrete_Exponent_N(DIN, 15, 60), 1.9);
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C1(DIN, 15, 60, 2200, &cu), -2.7);
    EXPECT_DOUBLE_EQ(cu, -3.3);
    EXPECT_DOUBLE_EQ(Get_Concrete_Ecm(OENORM, 22, 18.8, 2200, nullptr), 29000);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fctm(OENORM, 22, 18.8, 2200, 0), 2.2);
    // The bilinear law of DIN 1045 (1988): 1.35 and 3.5 per mille.
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C3(OLD, 2, 35, 2200, &cu), -1.35);
    EXPECT_DOUBLE_EQ(cu, -3.5);
    // A free concrete under ONORM: Ecm = Ec0 = 22000 (fcm/10)^0.3.
    EXPECT_NEAR(Get_Concrete_Ecm(OENORM, 30, 30, 2200, nullptr), 22000.0 * std::pow(3.8, 0.3), 1e-9);
    EXPECT_NEAR(Get_Concrete_Ec0(OENORM, 30, 30, 2200), 22000.0 * std::pow(3.8, 0.3), 1e-9);
    // DIN 1045 (1988): grade table, fctm 0.25 betaWN^(2/3), the given value otherwise.
    EXPECT_DOUBLE_EQ(Get_Concrete_Ecm(OLD, 2, 35, 2200, nullptr), 34000);
    EXPECT_DOUBLE_EQ(Get_Concrete_Ecm(OLD, 9, 30, 2200, nullptr), 0.0);
    EXPECT_NEAR(Get_Concrete_Fctm(OLD, 1, 0, 2200, 0), 0.25 * std::pow(25.0, 2.0 / 3.0), 1e-12);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fctm(OLD, 30, 30, 2200, 2.5), 2.5);
    // An old grade keeps that rule under ONORM only; EN 1992-1-1 takes B 35 as fck 28.
    EXPECT_NEAR(Get_Concrete_Fctm(OENORM, 2, 28, 2200, 0), 0.25 * std::pow(35.0, 2.0 / 3.0), 1e-12);
    EXPECT_NEAR(Get_Concrete_Fctm(EN, 2, 28, 2200, 0), 0.30 * std::pow(28.0, 2.0 / 3.0), 1e-12);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(OLD, 25, 2200), 30);
    EXPECT_DOUBLE_EQ(Get_Concrete_Strength(0, 2), 35);
    EXPECT_DOUBLE_EQ(Get_Concrete_Strength(1, 2), 28);
    EXPECT_DOUBLE_EQ(Get_Concrete_Strength(0, 9), 0.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Strength(1, 30), 0.0);
}

// The class table of DIN 1045-1 and ONORM B 4700, row by row: fck, fctm and Ecm (the
// tabulated values, which ONORM reads directly), the parabola-rectangle, bilinear and
// nonlinear laws of DIN 1045-1 (strains in per mille).
TEST(MaterialPropsTest, EveryRowOfTheDinAndOenormClassTable)
{
    struct Row {
        int idx;
        double fck, fctm, ecm, eps_c2, eps_cu2, n, eps_c3, eps_c1, eps_c1u;
    };
    const Row rows[] = {
        {5, 12, 1.6, 21800, -2.0, -3.5, 2.0, -1.35, -1.8, -3.5},
        {6, 16, 1.9, 23400, -2.0, -3.5, 2.0, -1.35, -1.9, -3.5},
        {7, 20, 2.2, 24900, -2.0, -3.5, 2.0, -1.35, -2.1, -3.5},
        {8, 25, 2.6, 26700, -2.0, -3.5, 2.0, -1.35, -2.2, -3.5},
        {9, 30, 2.9, 28300, -2.0, -3.5, 2.0, -1.35, -2.3, -3.5},
        {10, 35, 3.2, 29900, -2.0, -3.5, 2.0, -1.35, -2.4, -3.5},
        {11, 40, 3.5, 31400, -2.0, -3.5, 2.0, -1.35, -2.5, -3.5},
        {12, 45, 3.8, 32800, -2.0, -3.5, 2.0, -1.35, -2.55, -3.5},
        {13, 50, 4.1, 34300, -2.0, -3.5, 2.0, -1.35, -2.6, -3.5},
        {14, 55, 4.2, 35700, -2.03, -3.1, 2.0, -1.35, -2.65, -3.4},
        {15, 60, 4.4, 37000, -2.06, -2.7, 1.9, -1.4, -2.7, -3.3},
        {16, 70, 4.6, 39700, -2.1, -2.5, 1.8, -1.5, -2.8, -3.2},
        {17, 80, 4.8, 42300, -2.14, -2.4, 1.7, -1.6, -2.9, -3.1},
        {18, 90, 5.0, 43800, -2.17, -2.3, 1.6, -1.65, -2.95, -3.0},
        {19, 100, 5.2, 45200, -2.2, -2.2, 1.55, -1.7, -3.0, -3.0},
        {20, 11.3, 1.6, 26000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {21, 15.0, 1.9, 27500, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {22, 18.8, 2.2, 29000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {23, 22.5, 2.6, 30500, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {24, 27.8, 2.9, 32000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {25, 30.0, 3.0, 32500, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {26, 33.8, 3.3, 34000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {27, 37.5, 3.5, 35000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {28, 41.3, 3.8, 36000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
        {29, 45.0, 4.1, 37000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.idx);
        double cu = 0;
        EXPECT_DOUBLE_EQ(Get_Concrete_Strength(1, r.idx), r.fck);
        EXPECT_DOUBLE_EQ(Get_Concrete_Fctm(OENORM, r.idx, r.fck, 2200, 0), r.fctm);
        EXPECT_DOUBLE_EQ(Get_Concrete_Ecm(OENORM, r.idx, r.fck, 2200, nullptr), r.ecm);
        EXPECT_DOUBLE_EQ(Get_Concrete_Ec0(OENORM, r.idx, r.fck, 2200), r.ecm);
        EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C2(DIN, r.idx, r.fck, 2200, &cu), r.eps_c2);
        EXPECT_DOUBLE_EQ(cu, r.eps_cu2);
        EXPECT_DOUBLE_EQ(Get_Concrete_Exponent_N(DIN, r.idx, r.fck), r.n);
        EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C3(DIN, r.idx, r.fck, 2200, &cu), r.eps_c3);
        EXPECT_DOUBLE_EQ(cu, r.eps_cu2);
        EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C1(DIN, r.idx, r.fck, 2200, &cu), r.eps_c1);
        EXPECT_DOUBLE_EQ(cu, r.eps_c1u);
    }
    // The DIN 1045 (1988) grades: nominal strength, the fck taken for them by the newer
    // standards, and the modulus.
    const double beta_wn[] = {15, 25, 35, 45, 55}, new_fck[] = {12, 20, 28, 33, 36},
                 modulus[] = {26000, 30000, 34000, 37000, 39000};
    for (int g = 0; g < 5; ++g) {
        EXPECT_DOUBLE_EQ(Get_Concrete_Strength(0, g), beta_wn[g]) << g;
        EXPECT_DOUBLE_EQ(Get_Concrete_Strength(1, g), new_fck[g]) << g;
        EXPECT_DOUBLE_EQ(Get_Concrete_Ecm(OLD, g, beta_wn[g], 2200, nullptr), modulus[g]) << g;
    }
}

TEST(MaterialPropsTest, FreeConcreteFindsItsClassRow)
{
    struct Case {
        double fck;
        int row;
        double eps_c2, eps_cu2;
    };
    const Case cases[] = {
        {30.0, 4, -2.0, -3.5},   {30.0005, 4, -2.0, -3.5}, {47.0, 8, -2.0, -3.5},
        {50.05, 8, -2.0, -3.5},  {50.2, 9, -2.03, -3.1},   {11.3, 15, -2.0, -3.5},
        {45.0, 7, -2.0, -3.5},   {100.5, 24, -2.0, -3.5},  // nothing fits: defaults
    };
    for (const Case& c : cases) {
        double cu = 0;
        EXPECT_EQ(Find_Concrete_Class_Row(c.fck), c.row) << c.fck;
        EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C2(DIN, 30, c.fck, 2200, &cu), c.eps_c2) << c.fck;
        EXPECT_DOUBLE_EQ(cu, c.eps_cu2) << c.fck;
    }
    double cu = 0;
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C3(DIN, 30, 200, 2200, &cu), -2.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Exponent_N(DIN, 30, 72), 1.7);   // row C80/95
}

TEST(MaterialPropsTest, LightweightConcrete)
{
    const double eta1 = 0.4 + 0.6 * 1800.0 / 2200.0;   // 0.891
    // Mean strength: the increment rises from 5 (fck 12) to 8 (fck 20), under EN only.
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(EN, 16, 1800), 22.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(EN, 12, 1800), 17.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(EN, 20, 1800), 28.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(EN, 16, 2001), 24.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(DIN, 16, 1800), 24.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fcm(DIN, 10, 2200), 10.0);
    // fctm times eta1, Ecm times (rho/2200)²; density 2001 is normal weight.
    EXPECT_NEAR(Get_Concrete_Fctm(EN, 9, 30, 1800, 0) / Get_Concrete_Fctm(EN, 9, 30, 2200, 0), eta1, 1e-12);
    EXPECT_DOUBLE_EQ(Get_Concrete_Fctm(EN, 9, 30, 2001, 0), Get_Concrete_Fctm(EN, 9, 30, 2200, 0));
    const double ecm = Get_Concrete_Ecm(EN, 9, 30, 1800, nullptr);
    EXPECT_NEAR(ecm, 32836.6 * (1800.0 / 2200) * (1800.0 / 2200), 0.05);
    double cu = 0;
    // EN: eps_lcu2 = 3.5 eta1, never less than eps_lc2.
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C2(EN, 9, 30, 1800, &cu), -2.0);
    EXPECT_NEAR(cu, -3.5 * eta1, 1e-12);
    Get_Concrete_Eps_C2(EN, 9, 30, 500, &cu);
    EXPECT_DOUBLE_EQ(cu, -2.0);
    // DIN 1045-1: eps_cu2 raised to -3.5 eta1 only where that is less negative.
    Get_Concrete_Eps_C2(DIN, 9, 30, 1800, &cu);
    EXPECT_NEAR(cu, -3.5 * eta1, 1e-12);
    Get_Concrete_Eps_C2(DIN, 17, 80, 1800, &cu);
    EXPECT_DOUBLE_EQ(cu, -2.4);
    // Nonlinear law: eps_lc1 = -fcm/Ecm, the ultimate strain equal to it.
    EXPECT_NEAR(Get_Concrete_Eps_C1(EN, 9, 30, 1800, &cu), -38.0 / ecm * 1000.0, 1e-12);
    EXPECT_DOUBLE_EQ(cu, -38.0 / ecm * 1000.0);
    EXPECT_DOUBLE_EQ(Get_Concrete_Eps_C1(OLD, 2, 35, 1500, &cu), -2.0);   // no rule under code 0
    // A density of zero must not divide by a zero modulus.
    EXPECT_TRUE(std::isfinite(Get_Concrete_Eps_C1(EN, 9, 30, 0, &cu)) && std::isfinite(cu));
}

TEST(MaterialPropsTest, SteelValues)
{
    double e = -1;
    EXPECT_DOUBLE_EQ(Get_Steel_Ftk(4, 500, &e), 540);
    EXPECT_DOUBLE_EQ(e, 50);
    EXPECT_DOUBLE_EQ(Get_Steel_Ftk(1, 420, &e), 420);
    EXPECT_DOUBLE_EQ(e, 5.0);
    e = -1;
    EXPECT_DOUBLE_EQ(Get_Steel_Ftk(13, 500, &e), 500);
    EXPECT_DOUBLE_EQ(e, -1);
    struct Case {
        int idx;
        double fyk, es, ductile;
    };
    const Case cases[] = {{0, 220, 210000, 0}, {3, 500, 200000, 0}, {4, 500, 200000, 1},
                          {5, 580, 60000, 0},  {6, 420, 200000, 0}, {8, 550, 200000, 1},
                          {10, 600, 200000, 1}, {12, 600, 200000, 0}, {13, 0, 0, 0}, {-1, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Get_Steel_Fyk(c.idx), c.fyk) << c.idx;
        EXPECT_DOUBLE_EQ(Get_Steel_Es(c.idx), c.es) << c.idx;
        EXPECT_DOUBLE_EQ(Is_Steel_High_Ductility(c.idx), c.ductile) << c.idx;
    }
    // Every steel of the table: fyk, the product's ftk/fyk and limit strain, Es, class B.
    struct Steel_Row {
        int idx;
        double fyk, ratio, eps_uk, es, ductile;
    };
    const Steel_Row steels[] = {
        {3, 500, 1.05, 25, 200000, 0}, {4, 500, 1.08, 50, 200000, 1}, {5, 580, 1.0, 6.1, 60000, 0},
        {6, 420, 1.0, 25, 200000, 0},  {7, 550, 1.05, 25, 200000, 0}, {8, 550, 1.08, 50, 200000, 1},
        {9, 600, 1.05, 25, 200000, 0}, {10, 600, 1.08, 50, 200000, 1}, {11, 550, 1.0, 20, 200000, 0},
        {12, 600, 1.0, 20, 200000, 0},
    };
    for (const Steel_Row& r : steels) {
        e = -1;
        EXPECT_DOUBLE_EQ(Get_Steel_Fyk(r.idx), r.fyk) << r.idx;
        EXPECT_DOUBLE_EQ(Get_Steel_Ftk(r.idx, 100.0, &e), 100.0 * r.ratio) << r.idx;
        EXPECT_DOUBLE_EQ(e, r.eps_uk) << r.idx;
        EXPECT_DOUBLE_EQ(Get_Steel_Es(r.idx), r.es) << r.idx;
        EXPECT_DOUBLE_EQ(Is_Steel_High_Ductility(r.idx), r.ductile) << r.idx;
    }
    for (int idx = 0; idx < 3; ++idx) EXPECT_DOUBLE_EQ(Get_Steel_Es(idx), 210000) << idx;
    EXPECT_DOUBLE_EQ(Get_Steel_Fyk(1), 420);
    EXPECT_DOUBLE_EQ(Get_Steel_Fyk(2), 500);
}

TEST(MaterialPropsTest, PartialFactorsByStandardAndSituation)
{
    NAD_EC2_Params annex{};
    NAD_EC2_Defaults_For_Norm(4, &annex);
    annex.gamma_c[0] = 1.45;
    annex.gamma_c_sls = 1.05;
    struct Case {
        int situation;
        double fck;
        int code;
        bool with_annex;
        double gc, gs;
    };
    const Case cases[] = {
        {0, 30, 4, false, 1.5, 1.15},  {1, 30, 4, false, 1.2, 1.0},  {3, 30, 4, false, 1.0, 1.0},
        {0, 30, 21, true, 1.45, 1.15}, {1, 30, 4, true, 1.2, 1.0},   {7, 30, 4, true, 1.05, 1.0},
        {2, 30, 4, true, 9.0, 8.0},    {0, 30, 0, false, 1.0, 1.0},  {0, 60, 1, false, 1.5 / 0.98, 1.15},
        {1, 60, 3, false, 1.3 / 0.98, 1.0}, {2, 60, 1, false, 9.0 / 0.98, 8.0}, {0, 600, 1, false, 1.0, 1.0},
        {3, 30, 1, false, 1.0, 1.0},  // DIN serviceability
    };
    for (const Case& c : cases) {
        double gc = 9.0, gs = 8.0;
        Get_Partial_Safety_Factors(c.situation, c.fck, c.code, &gc, &gs, c.with_annex ? &annex : nullptr);
        EXPECT_NEAR(gc, c.gc, 1e-12) << c.situation << " " << c.code;
        EXPECT_NEAR(gs, c.gs, 1e-12) << c.situation << " " << c.code;
    }
}

}  // namespace
