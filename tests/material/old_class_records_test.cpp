#include "material/old_class_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "test_support.h"

namespace {

Concrete_Class_Data Filled_Concrete()
{
    Concrete_Class_Data rec;
    std::memset(&rec, 0x5A, sizeof rec);
    std::strcpy(rec.name, "alt");
    return rec;
}

bool Same_Bytes(const Concrete_Class_Data& a, const Concrete_Class_Data& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(OldConcreteClass, DinClassesWithModulusFromTheMeanStrength)
{
    // name, fck, eps_c1, eps_c1u, eps_c2, eps_c2u, n, Ecm [MN/m²] by 9500 αi fcm^(1/3)
    struct Case {
        int index;
        const char* name;
        double fck, e1, e1u, e2, e2u, n, ecm;
    } cases[] = {
        {0, "C12/15", 12000, -0.0018, -0.0035, -0.002, -0.0035, 2.0, 9.5e6 * (0.8 + 20 / 440.0) * std::cbrt(20.0)},
        {4, "C30/37", 30000, -0.0023, -0.0035, -0.002, -0.0035, 2.0, 28309.4e3},
        {9, "C55/67", 55000, -0.00265, -0.0034, -0.00203, -0.0031, 2.0, 9.5e6 * (0.8 + 63 / 440.0) * std::cbrt(63.0)},
        {12, "C80/95", 80000, -0.0029, -0.0031, -0.00214, -0.0024, 1.7, 9.5e6 * std::cbrt(88.0)},
        {14, "C100/115", 100000, -0.003, -0.003, -0.0022, -0.0022, 1.55, 9.5e6 * std::cbrt(108.0)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Concrete_Class_Data rec = Filled_Concrete();
        Init_Concrete_Class_Record(&rec, k.index, 0, 1234.0);
        EXPECT_STREQ(rec.name, k.name);
        EXPECT_EQ(rec.fck, k.fck);
        EXPECT_EQ(rec.alpha, 0.85);
        EXPECT_EQ(rec.eps_c1, k.e1);
        EXPECT_EQ(rec.eps_c1u, k.e1u);
        EXPECT_EQ(rec.eps_c2, k.e2);
        EXPECT_EQ(rec.eps_c2u, k.e2u);
        EXPECT_EQ(rec.n, k.n);
            EXPECT_NEAR(rec.ecm, k.ecm, 50.0);
    }
}

TEST(OldConcreteClass, LightweightClasses)
{
    Concrete_Class_Data rec = Filled_Concrete();
    Init_Concrete_Class_Record(&rec, 3, 1, 1800.0);
    const double ecm = 9.5e6 * 0.875 * std::cbrt(33.0) * (1800.0 / 2200) * (1800.0 / 2200);
    EXPECT_STREQ(rec.name, "LC25/28");
    EXPECT_EQ(rec.alpha, 0.8);
    EXPECT_EQ(rec.density, 1800.0);
    EXPECT_NEAR(rec.ecm, ecm, 1e-6);
    EXPECT_NEAR(rec.eps_c1, -33000.0 / ecm, 1e-15);
    EXPECT_EQ(rec.eps_c1u, rec.eps_c1);
    EXPECT_EQ(rec.eps_c2u, -0.0035);

    Init_Concrete_Class_Record(&rec, 10, 1, 1600.0);
    EXPECT_STREQ(rec.name, "LC60/66");

    // No LC grade above LC60/66, no class outside 0..14, no lightweight concrete without a
    // density: the record stays as it was.
    for (int index : {11, 14, 15, -1}) {
        SCOPED_TRACE(index);
        const Concrete_Class_Data before = Filled_Concrete();
        Concrete_Class_Data r = before;
        Init_Concrete_Class_Record(&r, index, index < 15 && index > 0, 1800.0);
        Init_Concrete_Class_Record_EN(&r, index, index < 15 && index > 0, 1800.0);
        EXPECT_TRUE(Same_Bytes(r, before));
    }
    const Concrete_Class_Data before = Filled_Concrete();
    Concrete_Class_Data r = before;
    Init_Concrete_Class_Record(&r, 3, 1, 0.0);
    Init_Concrete_Class_Record_EN(&r, 3, 1, -5.0);
    EXPECT_TRUE(Same_Bytes(r, before));
}

TEST(OldConcreteClass, EurocodeFormAgainstTable31)
{
    // EN 1992-1-1 Table 3.1 (per mille, rounded there): Ecm [GPa], εc1, εcu1, εc2, εcu2, n
    struct Case {
        int index;
        double ecm, e1, e1u, e2, e2u, n;
    } cases[] = {
        {0, 27, 1.8, 3.5, 2.0, 3.5, 2.0},  {4, 33, 2.2, 3.5, 2.0, 3.5, 2.0},
        {8, 37, 2.45, 3.5, 2.0, 3.5, 2.0}, {9, 38, 2.5, 3.2, 2.2, 3.1, 1.75},
        {10, 39, 2.6, 3.0, 2.3, 2.9, 1.6}, {11, 41, 2.7, 2.8, 2.4, 2.7, 1.45},
        {12, 42, 2.8, 2.8, 2.5, 2.6, 1.4}, {13, 44, 2.8, 2.8, 2.6, 2.6, 1.4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.index);
        Concrete_Class_Data rec = Filled_Concrete();
        Init_Concrete_Class_Record_EN(&rec, k.index, 0, 2200.0);
        EXPECT_NEAR(rec.ecm / 1e6, k.ecm, 0.5);
        EXPECT_NEAR(-1000 * rec.eps_c1, k.e1, 0.06);
        EXPECT_NEAR(-1000 * rec.eps_c1u, k.e1u, 0.06);
        EXPECT_NEAR(-1000 * rec.eps_c2, k.e2, 0.06);
        EXPECT_NEAR(-1000 * rec.eps_c2u, k.e2u, 0.06);
        EXPECT_NEAR(rec.n, k.n, 0.02);
    }
    // Above C90/105 the peak strain keeps its cap and the ultimate strain never falls
    // short of it.
    Concrete_Class_Data rec = Filled_Concrete();
    Init_Concrete_Class_Record_EN(&rec, 14, 0, 2200.0);
    EXPECT_NEAR(rec.eps_c2, -0.0026, 1e-15);
    EXPECT_NEAR(rec.eps_c2u, -0.0026035, 1e-12);
    EXPECT_NEAR(rec.ecm, 32836.6e3 * std::pow(108.0 / 38.0, 0.3), 100.0);
}

TEST(OldConcreteClass, DinGradesAndObsoleteRecords)
{
    DIN1045_Grade_Data g;
    EXPECT_EQ(Init_DIN1045_Grade(&g, 2), 7);
    EXPECT_STREQ(g.name, "B35");
    const double b35[] = {35000, 23000, 400, 600, 2400, 2200, 1100, 3.4e7};
    const double got[] = {g.beta_wn, g.beta_r, g.stress_1, g.stress_2, g.stress_3, g.stress_4, g.stress_5, g.modulus};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(got[k], b35[k]) << k;
    EXPECT_EQ(Init_DIN1045_Grade(&g, 9), 9);
    EXPECT_STREQ(g.name, "B55");

    Concrete_Class_Data rec = Filled_Concrete();
    Init_Obsolete_DIN1045_Concrete(&rec, 1);
    EXPECT_STREQ(rec.name, "B25 (nicht mehr genormt!)");
    EXPECT_EQ(rec.fck, 25000.0);
    EXPECT_EQ(rec.eps_c1, -0.0022);
    EXPECT_EQ(rec.eps_c1u, -0.0035);
    EXPECT_EQ(rec.ecm, 3.0e7);
    EXPECT_EQ(rec.density, 2200.0);

    testing::internal::CaptureStdout();
    Init_Free_DIN1045_Concrete(&g);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Freie Betondef. f\x81r DIN 1045 (7.88) nicht m\x94glich!\nIntialiesierung mit B25.");
    EXPECT_STREQ(g.name, "B25");
    EXPECT_EQ(g.beta_r, 17500.0);
}

TEST(OldConcreteClass, NonlinearStrainsBetweenTableRows)
{
    struct Case {
        double fck, e1, e1u;
    } cases[] = {
        {27500, -0.00225, -0.0035}, {57500, -0.002675, -0.00335}, {95000, -0.002975, -0.003},
        {12000, -0.0018, -0.0035},  {5000, -0.0018, -0.0035},     {100000, -0.003, -0.003},
        {150000, -0.003, -0.003},   {45000, -0.00255, -0.0035},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.fck);
        double e1 = 0, e1u = 0;
        Interpolate_Nonlinear_Strains(&e1, &e1u, k.fck);
        EXPECT_NEAR(e1, k.e1, 1e-15);
        EXPECT_NEAR(e1u, k.e1u, 1e-15);
    }
}

TEST(OldSteelClass, Initialisers)
{
    // An index beyond the old steels counts as the last, a negative one as the first.
    DIN1045_Steel_Data d;
    Init_DIN1045_Steel(&d, 7);
    EXPECT_STREQ(d.name, "BSt 500 S");
    EXPECT_EQ(d.factor, 1.4);
    Init_DIN1045_Steel(&d, -2);
    EXPECT_STREQ(d.name, "BSt 220/340");
    EXPECT_EQ(d.es, 2.1e8);
    testing::internal::CaptureStdout();
    Init_Free_DIN1045_Steel(&d);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Freie Stahldef. f\x81r DIN 1045 (7.88) nicht m\x94glich!\nIntialiesierung mit BSt 500 S.");
    EXPECT_STREQ(d.name, "BSt 500 S");

    Steel_Class_Data s;
    Init_Obsolete_DIN1045_Steel(&s, 0);
    EXPECT_STREQ(s.name, "BSt 220/340 (nicht mehr genormt!)");
    EXPECT_EQ(s.ftk, 340000.0);
    Init_B500_Steel_Record(&s, 1);
    EXPECT_STREQ(s.name, "B500B");
    EXPECT_EQ(s.ftk, 525000.0);
}

TEST(OldClassFile, ConcreteRecordRoundTripAndBytes)
{
    Concrete_Class_Data rec = Filled_Concrete();
    Init_Concrete_Class_Record(&rec, 4, 0, 2200);
    File_Stream file;
    ASSERT_EQ(Write_Concrete_Class_Data(file.get(), &rec), 0);
    EXPECT_EQ(file.bytes(),
              " 1.200000 # Strukturversionsnummer\n"
              " C30/37  3.000000e+04  8.500000e-01  -2.000000e-03  -3.500000e-03  2.000000e+00 "
              " 0  2.200000e+03  0.000000e+00  1 \n");

    // A lightweight record with a blank in its name follows in the same file.
    Concrete_Class_Data light = Filled_Concrete();
    Init_Concrete_Class_Record(&light, 3, 1, 1800);
    std::strcpy(light.name, "LC 25");
    ASSERT_EQ(Write_Concrete_Class_Data(file.get(), &light), 0);

    std::rewind(file.get());
    Concrete_Class_Data back{};
    ASSERT_EQ(Read_Concrete_Class_Data(file.get(), &back), 0);
    EXPECT_STREQ(back.name, "C30/37");
    EXPECT_EQ(back.fck, 30000.0);
    EXPECT_EQ(back.ecm, rec.ecm);  // recomputed from fck
    ASSERT_EQ(Read_Concrete_Class_Data(file.get(), &back), 0);
    EXPECT_STREQ(back.name, "LC 25");
    EXPECT_EQ(back.lightweight, 1);
    EXPECT_EQ(back.density, 1800.0);  // kept, not replaced by 2200
    EXPECT_NEAR(back.ecm, light.ecm, 1e-6);
    EXPECT_EQ(Read_Concrete_Class_Data(file.get(), &back), 1);  // end of file
}

TEST(OldClassFile, ConcreteReaderVersionsAndDamagedRecords)
{
    // Older form without a version, CR LF line ends and a comment line.
    File_Stream old("# Beton\r\nC20/25 2.0e4 0.85 -0.002 -0.0035 2 0 2200 0 1\r\n");
    Concrete_Class_Data rec{};
    ASSERT_EQ(Read_Concrete_Class_Data(old.get(), &rec), 0);
    EXPECT_STREQ(rec.name, "C20/25");
    EXPECT_EQ(rec.fck, 20000.0);
    EXPECT_NEAR(rec.ecm, 9.5e6 * (0.8 + 28 / 440.0) * std::cbrt(28.0), 1e-6);

    const char* refused[] = {
        " 1.3 # Strukturversionsnummer\n C30/37 3e4 0.85 -0.002 -0.0035 2 0 2200 0 1\n",
        " 1.2 # Strukturversionsnummer\n C30/37 3e4 0.85 -0.002 -0.0035 2 0 2200\n",
        " 1.2 # Strukturversionsnummer\n C30/37 3e4 0.85 -0.002 x -0.0035 2 0 2200 0 1\n",
        " 1.2 # Strukturversionsnummer\n C30/37 3e4 0.85 -0.002 -0.0035 2 0.5 2200 0 1\n",
        "",
    };
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        File_Stream f(text);
        const Concrete_Class_Data before = Filled_Concrete();
        Concrete_Class_Data r = before;
        EXPECT_EQ(Read_Concrete_Class_Data(f.get(), &r), 1);
        EXPECT_TRUE(Same_Bytes(r, before));
    }

    // An over-long name is cut to the record's field; the empty name has its marker.
    File_Stream longer(" 1.2\n " + std::string(300, 'N') + " 3e4 0.85 -0.002 -0.0035 2 0 2200 0 1\n");
    ASSERT_EQ(Read_Concrete_Class_Data(longer.get(), &rec), 0);
    EXPECT_EQ(std::string(rec.name), std::string(55, 'N'));
    rec.name[0] = '\0';
    File_Stream empty;
    ASSERT_EQ(Write_Concrete_Class_Data(empty.get(), &rec), 0);
    EXPECT_NE(empty.bytes().find(" \x21\xA7$%&/()=? "), std::string::npos);
    std::rewind(empty.get());
    std::strcpy(rec.name, "vorher");
    ASSERT_EQ(Read_Concrete_Class_Data(empty.get(), &rec), 0);
    EXPECT_STREQ(rec.name, "");
    EXPECT_EQ(Write_Concrete_Class_Data(nullptr, &rec), 1);
}

TEST(OldClassFile, SteelRecordRoundTripAndVersions)
{
    Steel_Class_Data s;
    Init_BSt500_Steel_Record(&s, 1);
    File_Stream file;
    ASSERT_EQ(Write_Steel_Class_Data(file.get(), &s), 0);
    EXPECT_EQ(file.bytes(), " 1.000000 # Strukturversionsnummer\n BSt\x8C" "500\x8C(B)  5.000000e+05 "
                            " 5.250000e+05  2.500000e-02  2.000000e+08 \n");
    std::rewind(file.get());
    Steel_Class_Data back{};
    ASSERT_EQ(Read_Steel_Class_Data(file.get(), &back), 0);
    EXPECT_STREQ(back.name, "BSt 500 (B)");
    EXPECT_EQ(back.ftk, 525000.0);

    File_Stream newer(" 1.1 # Strukturversionsnummer\n B500B 5e5 5.25e5 0.025 2e8\n");
    EXPECT_EQ(Read_Steel_Class_Data(newer.get(), &back), 1);
    EXPECT_STREQ(back.name, "BSt 500 (B)");
}

TEST(OldClassValues, SingleValueFormulas)
{
    // Tensile strength below and above 55 N/mm², with the lightweight factor.
    EXPECT_NEAR(Calc_Fctm_kN(30000, 2200), 300 * std::cbrt(900.0), 1e-9);
    EXPECT_NEAR(Calc_Fctk_kN(30000, 1800), 210 * std::cbrt(900.0) * (0.4 + 0.6 * 1800 / 2200), 1e-9);
    EXPECT_NEAR(Calc_Fctm_kN(60000, 2200), 2120 * std::log(7.8), 1e-9);
    EXPECT_EQ(Calc_Fctm_kN(-5000, 2200), 0.0);
    EXPECT_NEAR(Calc_Concrete_Ec0_kN(30000), 31938.8e3, 100);
    EXPECT_NEAR(Calc_Concrete_Ecm_kN(30000), 28309.4e3, 100);
    EXPECT_NEAR(Calc_Concrete_Ecm_EN_kN(30000), 32836.6e3, 100);

    struct Gamma {
        double fck;
        int situation;
        double expected;
    } gammas[] = {{30000, 0, 1.5}, {30000, 1, 1.3}, {30000, 4, 1.0},
                  {100000, 0, 1.5 / 0.9}, {600000, 0, 1.5}};
    for (const Gamma& g : gammas)
        EXPECT_NEAR(Get_Concrete_Gamma_C_kN(g.fck, g.situation), g.expected, 1e-12)
            << g.fck << " " << g.situation;

    EXPECT_NEAR(Calc_Strength_Development(1, 7), std::exp(-0.38), 1e-15);
    EXPECT_NEAR(Calc_Strength_Development(0, 7), std::exp(-0.21), 1e-15);
    for (double t : {28.0, 90.0, 0.0, -3.0}) EXPECT_EQ(Calc_Strength_Development(1, t), 1.0) << t;
}

TEST(OldClassValues, AnnexFactorCache)
{
    const NAD_EC2_Params* annex = NAD_Get_EC2_Params();
    ASSERT_NE(annex, nullptr);
    const Annex_Factor_Block* block = Get_Annex_Factor_Block();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Get_Annex_Factor_Block(), block);
    EXPECT_EQ(Get_Annex_Factor_Flag(), annex->na_de_flag);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Get_Annex_Gamma_C(k), annex->gamma_c[k]);
        EXPECT_EQ(Get_Annex_Gamma_S(k), annex->gamma_s[k]);
    }
    EXPECT_EQ(Get_Annex_Gamma_C(4), annex->gamma_c_sls);
    EXPECT_EQ(Get_Annex_Gamma_S(4), annex->gamma_s_sls);
    EXPECT_EQ(Get_Annex_Gamma_C(5), 1.0);
    EXPECT_EQ(Get_Annex_Gamma_S(-1), 1.0);
    EXPECT_NEAR(Get_Annex_Design_Strength(30, 0), 30 * annex->alpha_cc / annex->gamma_c[0], 1e-12);
    EXPECT_NEAR(Get_Annex_Design_Strength(30, 9), 30 * annex->alpha_cc, 1e-12);
}
