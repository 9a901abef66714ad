#include "material/masonry.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec6_ec9.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// Each test chooses the value set it needs; the module switches are put back afterwards.
class Masonry : public ::testing::Test {
protected:
    void SetUp() override
    {
        NAD_EC6_Defaults(&standard);
        NAD_EC6_Defaults_NA_DE(&german);
        Use_Din();
    }
    void TearDown() override { Use_Din(); }
    static void Use(NAD_EC6_Params* params, int use_values)
    {
        masonry_ec6_params = params;
        masonry_use_ec6_values = use_values;
        masonry_plain_text = 0;
    }
    void Use_Din() { Use(nullptr, 0); }
    void Use_German() { Use(&german, 0); }
    void Use_Standard(int use_values) { Use(&standard, use_values); }

    NAD_EC6_Params standard;
    NAD_EC6_Params german;
};

// Index names of the tests.
enum { SFK2, SFK4, SFK6, SFK8, SFK10, SFK12, SFK16, SFK20, SFK28, SFK36, SFK48, SFK60 };
enum { MG_I, MG_II, MG_IIA, MG_III, MG_IIIA, MG_DM, MG_LM21, MG_LM36 };
enum { CLAY, CS, LWC, CONC, AAC };
enum { HOLLOW, PERFORATED, SOLID };

const std::string CANNOT = " Die Druckfestigkeit von Mauerwerk kann nach EC 6 nicht bestimmt werden, da\n";
const std::string NOT_PROVIDED = " nicht vorgesehen ist.\n";
const std::string DIN_INSTEAD = " Die Druckfestigkeit wird daher DIN 1053-100, Tab. 4 bzw. Tab. 5 entnommen.\n";
const std::string HEADING = " Berechnung der charakteristischen Druckfestigkeit von Mauerwerk mit M\x94rtel:\n";

double Strength(int sfk, int mg, int material, int shape, int variant = -1, std::string* text = nullptr,
                int* fallback = nullptr)
{
    return Calc_Masonry_Strength(sfk, mg, material, shape, variant, 0, 0, text, fallback);
}

Masonry_Record Table_Record(int sfk, int mg, int material, int shape)
{
    Masonry_Record record;
    Reset_Masonry_Record(&record);
    record.strength_class = sfk;
    record.mortar_group = mg;
    record.unit_material = material;
    record.unit_shape = shape;
    return record;
}

} // namespace

TEST_F(Masonry, DinTableWithTheRulesOfItsNotes)
{
    const int cases[][4] = {
        {SFK2, MG_I, CLAY, SOLID},      {SFK60, MG_IIIA, CS, SOLID},   {SFK36, MG_II, CLAY, SOLID},
        {SFK2, MG_III, CLAY, SOLID},
        // Thin-bed mortar: solid calcium-silicate and aerated-concrete units keep their own
        // column, every other unit takes that of group III.
        {SFK20, MG_DM, CS, SOLID},      {SFK12, MG_DM, AAC, SOLID},    {SFK20, MG_DM, CLAY, HOLLOW},
        {SFK20, MG_DM, CS, PERFORATED}, {SFK20, MG_DM, AAC, PERFORATED}, {SFK2, MG_DM, LWC, SOLID},
        // Weak units with lightweight mortar.
        {SFK2, MG_LM36, CLAY, SOLID},   {SFK2, MG_LM36, CS, SOLID},    {SFK4, MG_LM21, CLAY, PERFORATED},
        {SFK4, MG_LM36, CLAY, PERFORATED}, {SFK4, MG_LM36, CS, SOLID}, {SFK4, MG_LM36, LWC, SOLID},
    };
    const double expected[] = {0.9, 15.5, 0.0, 0.0, 10.0, 6.9, 7.5, 7.5, 7.5, 0.0, 1.2, 1.5, 1.5, 2.2, 2.2, 2.5};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const int* c = cases[i];
        std::string text = "alt";
        int fallback = 7;
        EXPECT_DOUBLE_EQ(Strength(c[0], c[1], c[2], c[3], -1, &text, &fallback), expected[i]) << "case " << i;
        EXPECT_EQ(text, "");
        EXPECT_EQ(fallback, 0);
    }
    // The Eurocode factors do not touch the DIN values.
    EXPECT_DOUBLE_EQ(Calc_Masonry_Strength(SFK20, MG_III, CLAY, SOLID, -1, 1, 1, nullptr, nullptr), 7.5);
}

TEST_F(Masonry, EurocodeFormulaValues)
{
    Use_German();
    struct Case {
        int sfk, mg, material, shape, variant;
        double expected;
    } cases[] = {
        {SFK20, MG_III, CLAY, SOLID, -1, 9.068146137257884},
        {SFK28, MG_III, CLAY, PERFORATED, MASONRY_VARIANT_CLAY_PERFORATION_C, 6.586337720745199},  // fb 35 -> 25
        {SFK12, MG_IIA, CS, PERFORATED, 0, 3.9068664836468825},
        {SFK4, MG_II, LWC, HOLLOW, -1, 2.483389308358073},
        {SFK12, MG_II, CONC, SOLID, -1, 4.466457581574581},
        {SFK4, MG_DM, AAC, SOLID, -1, 3.0093313723938993},
        {SFK12, MG_DM, AAC, HOLLOW, -1, 5.061071926713142},   // fb 15 -> 10
        {SFK2, MG_DM, LWC, SOLID, -1, 3.0732942808190318},    // fb 2.5 -> 7.5
        {SFK28, MG_DM, LWC, SOLID, -1, 6.282057997762399},    // fb 35 -> 25
        {SFK48, MG_DM, CS, SOLID, MASONRY_VARIANT_CS_BLOCK, 15.966575881284236},  // fb 60 -> 35
        {SFK2, MG_LM21, CLAY, PERFORATED, -1, 1.1269020883393759},
        {SFK16, MG_LM21, AAC, SOLID, -1, 2.8074427370166286},  // fb 20 -> 15
        {SFK60, MG_LM36, CLAY, SOLID, -1, 3.021268335472453},  // fb 75 -> 10
    };
    for (const Case& c : cases) {
        std::string text;
        int fallback = 7;
        EXPECT_NEAR(Strength(c.sfk, c.mg, c.material, c.shape, c.variant, &text, &fallback), c.expected, 1e-12)
            << "SFK index " << c.sfk << " MG " << c.mg << " material " << c.material << " shape " << c.shape;
        EXPECT_EQ(fallback, 0);
        EXPECT_NE(text.find(HEADING), std::string::npos) << text;
    }
    // The user's own choice of the Eurocode values gives the same numbers.
    Use_Standard(1);
    EXPECT_NEAR(Strength(SFK20, MG_III, CLAY, SOLID), 9.068146137257884, 1e-12);
}

TEST_F(Masonry, ExplanationTextsAndNotes)
{
    Use_German();
    std::string text;
    Strength(SFK20, MG_III, CLAY, SOLID, -1, &text);
    EXPECT_EQ(text, HEADING +
                        " f\xCE\\k\xCEr = K\xCE/.\xCErf\xCE\\bk\xCEr\xCE/\xBA\xCEr\xCE/.\xCErf\xCE\\m\xCEr\xCE/\xBB\xCEr"
                        " = 9.07 MN/m\xFD, K = 0.95, \xBA = 0.585, f\xCE\\bk\xCEr = 25.00 MN/m\xFD, \xBB = 0.162, "
                        "f\xCE\\m\xCEr = 10.00 MN/m\xFD\n");
    // A unit strength held to the limit of a class of its own is pointed out.
    Strength(SFK12, MG_DM, AAC, SOLID, -1, &text);
    EXPECT_EQ(text, HEADING +
                        " f\xCE\\k\xCEr = K\xCE/.\xCErf\xCE\\bk\xCEr\xCE/\xBA\xCEr = 5.06 MN/m\xFD, K = 0.90, \xBA = 0.750, "
                        "f\xCE\\bk\xCEr = 10.00 MN/m\xFD\n"
                        " Hinweis: f\xCE\\bk\xCEr(SFK 12) = 15.00 MN/m\xFD > max f\xCE\\bk\xCEr(SFK 8) = 10.00 MN/m\xFD\n");
    // Concrete units take the values of lightweight-concrete units and say so.
    Strength(SFK12, MG_II, CONC, SOLID, -1, &text);
    EXPECT_EQ(text.rfind(" Es werden \x84hnliche Festigkeiten verwendet.\n" + HEADING, 0), 0u) << text;

    Set_Masonry_Plain_Text(1);
    Strength(SFK20, MG_III, CLAY, SOLID, -1, &text);
    EXPECT_EQ(text, HEADING +
                        " fk = K*fbk^\xBA*fm^\xBB = 9.07 MN/m\xFD, K = 0.95, \xBA = 0.585, fbk = 25.00 MN/m\xFD, "
                        "\xBB = 0.162, fm = 10.00 MN/m\xFD\n");
    Strength(SFK60, MG_LM36, CLAY, SOLID, -1, &text);
    EXPECT_EQ(text, HEADING + " fk = K*fbk^\xBA = 3.02 MN/m\xFD, K = 1.05, \xBA = 0.459, fbk = 10.00 MN/m\xFD\n" +
                        " Hinweis: fbk(SFK 60) = 75.00 MN/m\xFD > max fbk(SFK 8) = 10.00 MN/m\xFD\n");
    // At the limit itself, and at limits that are no class of their own, no note.
    Strength(SFK8, MG_LM36, CLAY, SOLID, -1, &text);
    EXPECT_EQ(text.find("Hinweis"), std::string::npos);
    Strength(SFK60, MG_III, CLAY, SOLID, -1, &text);  // held to 60
    EXPECT_EQ(text.find("Hinweis"), std::string::npos);

    // K halved, and times 0.8 for a longitudinal joint with general-purpose mortar only.
    const double base = 9.068146137257884;
    EXPECT_NEAR(Calc_Masonry_Strength(SFK20, MG_III, CLAY, SOLID, -1, 1, 0, nullptr, nullptr), 0.5 * base, 1e-12);
    EXPECT_NEAR(Calc_Masonry_Strength(SFK20, MG_III, CLAY, SOLID, -1, 1, 1, &text, nullptr), 0.4 * base, 1e-12);
    EXPECT_NE(text.find(", K = 0.38, "), std::string::npos) << text;
    EXPECT_NEAR(Calc_Masonry_Strength(SFK4, MG_DM, AAC, SOLID, -1, 0, 1, nullptr, nullptr), 3.0093313723938993,
                1e-12);
}

TEST_F(Masonry, CombinationsWithoutEurocodeValueFallBackToDin)
{
    Use_German();
    struct Case {
        int sfk, mg, material, shape;
        const char* line;
        double din;
    } cases[] = {
        {SFK12, MG_I, CLAY, SOLID, " ** M\x94rtelgruppe I ** \n", 2.5},
        {SFK36, MG_II, CLAY, HOLLOW, " ** Mauerziegel als Hohlblockstein ** \n", 0.0},
        {SFK8, MG_III, LWC, PERFORATED, " ** Leichtbeton- und Betonstein als Hochlochstein ** \n", 4.4},
        {SFK8, MG_DM, CONC, PERFORATED, " ** Leichtbeton- und Betonstein als Hochlochstein ** \n", 4.4},
        {SFK20, MG_DM, CLAY, PERFORATED, " ** Mauerziegel mit D\x81nnbettm\x94rtel ** \n", 7.5},
        {SFK12, MG_DM, CONC, SOLID, " ** Leichtbeton- und Betonstein mit D\x81nnbettm\x94rtel ** \n", 5.6},
        {SFK12, MG_DM, LWC, HOLLOW, " ** Leichtbeton- und Betonstein mit D\x81nnbettm\x94rtel ** \n", 5.6},
        {SFK4, MG_LM21, CS, SOLID, " ** diese Kombination aus Stein und M\x94rtel ** \n", 1.5},
        {SFK4, MG_LM36, CONC, SOLID, " ** diese Kombination aus Stein und M\x94rtel ** \n", 2.5},
        {SFK20, MG_III, AAC, SOLID, " ** diese Kombination aus Stein und M\x94rtel ** \n", 7.5},
    };
    std::string text;
    int fallback = 7;
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Strength(c.sfk, c.mg, c.material, c.shape, -1, &text, &fallback), c.din);
        EXPECT_EQ(text, CANNOT + c.line + NOT_PROVIDED + (c.din > 0.0 ? DIN_INSTEAD : ""));
        EXPECT_EQ(fallback, c.din > 0.0 ? 1 : 0);
    }
    // An annex whose Eurocode values are not in use.
    Use_Standard(0);
    EXPECT_DOUBLE_EQ(Strength(SFK20, MG_III, CLAY, SOLID, -1, &text, &fallback), 7.5);
    EXPECT_EQ(text, CANNOT + " kein entsprechender nationaler Anhang vorgegeben ist.\n" + DIN_INSTEAD);
    EXPECT_EQ(fallback, 1);
    // Indices outside the tables: nothing, negative ones included.
    const int bad[][4] = {{12, 1, 0, 2}, {-1, 1, 0, 2}, {5, 8, 0, 2}, {5, -1, 0, 2},
                          {5, 1, 5, 2},  {5, 1, -1, 2}, {5, 1, 0, 3}, {5, 1, 0, -1}};
    for (const auto& b : bad) {
        EXPECT_EQ(Strength(b[0], b[1], b[2], b[3], -1, &text, &fallback), 0.0);
        EXPECT_EQ(text, "");
        EXPECT_EQ(fallback, 0);
    }
}

TEST_F(Masonry, ValuesBySetAndFactors)
{
    double deformation = -1;
    const double din[] = {Get_Masonry_Fbk(SFK60), Get_Masonry_Fvk0(MG_I), Get_Masonry_Fbt(PERFORATED, 12.0, CLAY),
                          Get_Masonry_E_Modulus(5.0, LWC), Get_Masonry_Fxk1(CLAY, MG_II),
                          Get_Masonry_Deformation_Values(AAC, MG_DM, &deformation), deformation,
                          Get_Masonry_Gamma_M(1, 0.7), Get_Masonry_Reduction_Factor(0, 0.7), Get_Masonry_K0(0.05)};
    const double din_expected[] = {60.0, 0.02, 0.033 * 12.0, 8000.0, 0.0, 1.5, 10.0, 1.3, 0.85, 1.25};
    for (int i = 0; i < 10; ++i) EXPECT_DOUBLE_EQ(din[i], din_expected[i]) << i;

    // Eurocode values, by the German annex or by the user's choice.
    for (int chosen = 0; chosen < 2; ++chosen) {
        if (chosen) Use_Standard(1); else Use_German();
        EXPECT_EQ(Get_Masonry_Fbk(SFK60), 75.0);
        EXPECT_EQ(Get_Masonry_Fvk0(MG_I), 0.0);
        EXPECT_DOUBLE_EQ(Get_Masonry_Fbt(SOLID, 4.0, AAC), 0.0656 * 4.0 / (0.7 + 0.4));
        EXPECT_DOUBLE_EQ(Get_Masonry_E_Modulus(5.0, AAC), 2750.0);
        EXPECT_EQ(Get_Masonry_Fxk1(CLAY, MG_II), 0.0);
        EXPECT_EQ(Get_Masonry_Gamma_M(3, 0.7), 0.7);
        EXPECT_EQ(Get_Masonry_Reduction_Factor(0, 0.7), chosen ? 1.0 : 0.85);
    }
    EXPECT_EQ(Get_Masonry_Deformation_Values(AAC, MG_III, &deformation), 0.5);
    EXPECT_EQ(deformation, 15.0);
    Use_German();
    german.gamma_M_ser = 1.1;
    EXPECT_EQ(Get_Masonry_Gamma_M(-1, 0.7), 1.1);
    EXPECT_EQ(Get_Masonry_Gamma_M(2, 0.7), 1.2);
    EXPECT_DOUBLE_EQ(Get_Masonry_K0(0.05), 1.0 / 0.85);
    EXPECT_EQ(Get_Masonry_K0(0.001), 1.0);
    EXPECT_EQ(Get_Masonry_Deformation_Values(CS, MG_III, &deformation), 1.5);
    EXPECT_EQ(deformation, 12.0);
    EXPECT_EQ(Get_Masonry_Deformation_Values(CLAY, MG_LM21, &deformation), 2.0);
    EXPECT_EQ(deformation, 10.0);

    // An annex part whose values are not in use: unit values 0, flexural strengths given.
    Use_Standard(0);
    EXPECT_EQ(Get_Masonry_Fbk(SFK20) + Get_Masonry_Fbt(SOLID, 20.0, CLAY) + Get_Masonry_E_Modulus(5.0, CLAY) +
                  Get_Masonry_Deformation_Values(CLAY, MG_III, &deformation),
              0.0);
    EXPECT_EQ(Get_Masonry_Fxk1(CLAY, MG_DM), 0.15);
    EXPECT_EQ(Get_Masonry_Fxk1(CS, MG_LM21), 0.0);
    EXPECT_EQ(Get_Masonry_Fxk2(LWC, MG_LM36), 0.15);
    // Indices outside the tables, negative ones included.
    EXPECT_EQ(Get_Masonry_Fxk2(0, -1) + Get_Masonry_Fbk(-1) + Get_Masonry_Fbt(3, 10.0, CLAY) +
                  Get_Masonry_Unit_Weight(14, MG_III) + Get_Masonry_Deformation_Values(7, MG_II, &deformation),
              0.0);
    EXPECT_EQ(deformation, 0.0);
}

TEST_F(Masonry, BasementWallLoad)
{
    const double loads[][3] = {
        {240, 1.0, 6},  {490, 2.5, 30}, {300, 2.0, 30}, {200, 0.5, 6}, {600, 3.0, 30}, {240, 3.0, 75},
        {270, 1.25, (6 + 20 + 3 + 15) / 4.0}, {427.5, 2.25, (25 + 40 + 15 + 30) / 4.0}, {332.5, 1.0, 1.5},
    };
    for (const auto& l : loads)
        EXPECT_NEAR(Get_Basement_Wall_Min_Load(l[0], l[1]), l[2], 1e-12) << l[0] << " " << l[1];
    EXPECT_EQ(Get_Basement_Wall_Min_Load(std::nan(""), std::nan("")), 6.0);
    EXPECT_EQ(Get_Masonry_Unit_Weight(8, MG_LM21), 15.0);  // lighter below 1.6
    EXPECT_EQ(Get_Masonry_Unit_Weight(9, MG_DM), 16.0);
}

TEST_F(Masonry, ResetAndCheckRecords)
{
    Masonry_Record record;
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_EQ(Reset_Masonry_Record(&record), 0);
    EXPECT_EQ(record.unit_variant, -1);
    EXPECT_EQ(record.fd, 0.0);
    EXPECT_STREQ(record.unit_shape_text, "");
    EXPECT_EQ(Reset_Masonry_Record(nullptr), 1);
    EXPECT_EQ(Check_Masonry_Record(nullptr), 1);
    EXPECT_EQ(Calc_Masonry_Record(nullptr), 1);
    EXPECT_EQ(Check_Masonry_Record(&record), 0);

    // Every index outside its table, negative ones included; such a record stays as it was.
    int Masonry_Record::*fields[] = {&Masonry_Record::strength_class, &Masonry_Record::mortar_group,
                                     &Masonry_Record::unit_material, &Masonry_Record::unit_shape,
                                     &Masonry_Record::density_class};
    const int above[] = {12, 8, 5, 3, 14};
    for (int i = 0; i < 5; ++i) {
        for (int value : {above[i], -1}) {
            Masonry_Record bad = record;
            bad.*fields[i] = value;
            const Masonry_Record before = bad;
            EXPECT_EQ(Check_Masonry_Record(&bad), 1) << i << " " << value;
            EXPECT_EQ(Calc_Masonry_Record(&bad), 1) << i << " " << value;
            EXPECT_EQ(std::memcmp(&before, &bad, sizeof bad), 0);
        }
    }

    // A user-defined record needs fk, E_M and fbk; its indices are not looked at.
    Masonry_Record user = record;
    user.user_defined = 1;
    user.strength_class = 99;
    user.fk = user.E_M = 4.0;
    EXPECT_EQ(Check_Masonry_Record(&user), 1);
    user.fbk = 12.0;
    EXPECT_EQ(Check_Masonry_Record(&user), 0);
}

TEST_F(Masonry, CalcRecordsBySet)
{
    Masonry_Record din = Table_Record(SFK12, MG_II, CS, PERFORATED);
    din.creep_value = -1.0;
    EXPECT_EQ(Calc_Masonry_Record(&din), 0);
    EXPECT_STREQ(din.unit_material_text, "Kalksandstein");
    const double din_values[] = {din.fk, din.E_M, din.fbk, din.fvk0, din.creep_value, din.deformation_value,
                                 din.gamma_M0, din.k0, din.reduction_factor, din.gamma_M, din.fd};
    const double din_expected[] = {3.7, 950 * 3.7, 12.0, 0.08, 1.5, 10.0, 1.5, 1.25, 0.85, 1.875, 0.85 * 3.7 / 1.875};
    for (int i = 0; i < 11; ++i) EXPECT_DOUBLE_EQ(din_values[i], din_expected[i]) << i;
    // No strength in the table: failure.
    Masonry_Record none = Table_Record(SFK36, MG_II, CLAY, SOLID);
    EXPECT_EQ(Calc_Masonry_Record(&none), 1);

    Use_German();
    Masonry_Record ec = Table_Record(SFK20, MG_III, CLAY, SOLID);
    ec.creep_value = -1.0;
    ec.longitudinal_joint = 1;
    ec.gamma_M0 = 2.0;  // entered factors stay
    EXPECT_EQ(Calc_Masonry_Record(&ec), 0);
    const double ec_values[] = {ec.fk, ec.E_M / ec.fk, ec.fbk, ec.fbt, ec.fvk0, ec.creep_value,
                                ec.deformation_value, ec.k0, ec.reduction_factor, ec.fd};
    const double ec_expected[] = {0.8 * 9.068146137257884, 1100, 25.0, 0.8, 0.22, 1.0, 15.0, 1.0, 0.85,
                                  0.85 * 0.8 * 9.068146137257884 / 2.0};
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(ec_values[i], ec_expected[i], 1e-12) << i;

    Masonry_Record user;
    Reset_Masonry_Record(&user);
    user.user_defined = 1;
    user.fk = 4.0;
    user.E_M = 3500.0;
    user.fbk = 12.0;
    EXPECT_EQ(Calc_Masonry_Record(&user), 0);
    EXPECT_STREQ(user.strength_class_text, "---");
    EXPECT_EQ(user.creep_value, 1.5);
    EXPECT_EQ(user.deformation_value, 15.0);  // 10 without an annex part
    EXPECT_DOUBLE_EQ(user.fd, 0.85 * 4.0 / 1.5);

    // Standard annex, Eurocode values not in use: DIN strength, flexural strengths, γM of
    // the annex, reduction factor 1.0; an annex without γM gives no design strength.
    Use_Standard(0);
    standard.gamma_M = 1.7;
    Masonry_Record plain = Table_Record(SFK20, MG_III, CLAY, SOLID);
    EXPECT_EQ(Calc_Masonry_Record(&plain), 0);
    const double plain_values[] = {plain.fk, plain.E_M, plain.fxk1, plain.reduction_factor, plain.fd};
    const double plain_expected[] = {7.5, 0.0, 0.1, 1.0, 7.5 / 1.7};
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(plain_values[i], plain_expected[i]) << i;
    standard.gamma_M = 0.0;
    plain = Table_Record(SFK20, MG_III, CLAY, SOLID);
    EXPECT_EQ(Calc_Masonry_Record(&plain), 0);
    EXPECT_EQ(plain.fd, 0.0);
}

TEST_F(Masonry, ModuleSwitches)
{
    EXPECT_EQ(Set_Masonry_Norm_Code(22), NAD_Get_EC6_Params());
    EXPECT_EQ(masonry_ec6_params, NAD_Get_EC6_Params());
    EXPECT_EQ(Set_Masonry_Norm_Code(4), nullptr);
    EXPECT_EQ(masonry_ec6_params, nullptr);

    EXPECT_EQ(Set_Masonry_Value_Mode(0), 1);  // DIN set: always 1
    Use_German();
    EXPECT_EQ(Set_Masonry_Value_Mode(0), 1);  // German annex: always 1
    Use_Standard(1);
    EXPECT_EQ(Set_Masonry_Value_Mode(0), 0);
    EXPECT_EQ(masonry_use_ec6_values, 0);
    EXPECT_EQ(Set_Masonry_Value_Mode(1), 1);
}
