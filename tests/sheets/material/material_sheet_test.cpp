#include "sheets/material/material_sheet.h"

#include "annex/nad_sections.h"
#include "material/creep_shrinkage.h"
#include "material/material_props.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// On 1024 x 768 the sheet is (202, 194)-(821, 573): the lists of the standard at y 236,
// the concrete at 266 (its kind at x 620), the density field at (350, 294), the steel at
// 326, the situation at 390; cancel at (230, 540), OK at (785, 540). A list opens under
// a click and takes the keys.
const char* const CANCEL = "click 230 540\n";
const char* const OK = "click 785 540\n";
std::string Choose(int x, int y, int steps)
{
    std::string s = "click " + std::to_string(x) + " " + std::to_string(y) + "\n";
    for (int k = 0; k < (steps < 0 ? -steps : steps); ++k) s += steps < 0 ? "key Up\n" : "key Down\n";
    return s + "key Enter\n";
}
std::string Standard(int steps) { return Choose(380, 236, steps); }
std::string Steel(int steps) { return Choose(380, 326, steps); }
std::string Situation(int steps) { return Choose(380, 390, steps); }
std::string Density(const char* value) { return "click 350 294\ntext \"" + std::string(value) + "\"\nkey Enter\nclick 700 480\n"; }

class MaterialSheet : public ::testing::Test {
protected:
    Material_Set set{};
    int edition_ = 1;

    void SetUp() override
    {
        edition_ = Get_DIN1045_1_Edition();
        Clear_Shown_Messages();
        Clear_Material_Set(&set);
        ASSERT_EQ(Alloc_Material_Set(&set, 1, 2), 0);
        set.new_standard = 1;
        set.concrete[0].class_index = 9;  // C30/37
        set.concrete[0].density = 2200;
        set.steel[0].steel_index = set.steel[1].steel_index = 4;  // B500B
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        set.concrete[0].tension_values[0] = 50;
        Set_DIN1045_1_Edition(1);
        Calc_Material_Set(&set, 0);
    }
    void TearDown() override
    {
        Free_Material_Set(&set);
        Set_DIN1045_1_Edition(edition_);
        Clear_Shown_Messages();
        Screen_Reset_For_Tests();
    }
    static void Start(const std::string& script)
    {
        Screen_Reset_For_Tests();
        Screen_Start_For_Tests(script, 1024, 768);
        Init_Prop_Sheets();
    }
    static std::vector<std::string> Texts()
    {
        std::vector<std::string> out;
        for (const auto& m : Shown_Messages()) out.push_back(m.text);
        return out;
    }
};

bool Differs(const Shot_Dir& shots, const std::string& a, const std::string& b, int x1, int y1, int x2, int y2)
{
    for (int y = y1; y <= y2; y += 2)
        for (int x = x1; x <= x2; x += 2)
            if (shots.Pixel(a, x, y) != shots.Pixel(b, x, y)) return true;
    return false;
}

// Text pixels by hue (the text is smoothed, so only its cores have the pure colour).
int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
bool Black_Text(uint32_t c) { return Channel(c, 16) < 0x30 && Channel(c, 8) < 0x30 && Channel(c, 0) < 0x30; }
bool Grey_Text(uint32_t c)
{
    return Channel(c, 16) == Channel(c, 8) && Channel(c, 8) == Channel(c, 0) && Channel(c, 0) >= 0x70 &&
           Channel(c, 0) <= 0xA0;
}
bool Blue_Text(uint32_t c) { return Channel(c, 0) >= 0xC0 && Channel(c, 16) < 0x60 && Channel(c, 8) < 0x60; }
bool Red_Text(uint32_t c) { return Channel(c, 16) >= 0xC0 && Channel(c, 8) < 0x60 && Channel(c, 0) < 0x60; }

} // namespace

TEST(MaterialSheetProposals, ClassesAndListPositions)
{
    const int old_of[][2] = {{5, 0}, {6, 0}, {7, 1}, {8, 1}, {9, 2}, {10, 3}, {11, 3}, {12, 4}, {19, 4}};
    for (const auto& c : old_of) EXPECT_EQ(Propose_Concrete_Class(1, c[0]), c[1]) << c[0];
    const int new_of[][2] = {{0, 5}, {1, 7}, {2, 9}, {3, 10}, {4, 12}};
    for (const auto& c : new_of) EXPECT_EQ(Propose_Concrete_Class(0, c[0]), c[1]) << c[0];
    EXPECT_EQ(Propose_Steel_Class(1, 9), 2);
    EXPECT_EQ(Propose_Steel_Class(0, 2), 4);
    EXPECT_EQ(Propose_Steel_Class(0, 1), 3);

    // Mode 1 lists no B550/B600 steels: the two ONORM steels and "frei" stand at 7, 8, 9.
    const int mapped[][2] = {{4, 4}, {6, 6}, {7, 11}, {8, 12}, {9, 13}};
    for (const auto& c : mapped) {
        EXPECT_EQ(Material_Sheet_Steel_Index(1, c[0]), c[1]);
        EXPECT_EQ(Material_Sheet_Steel_Position(1, c[1]), c[0]);
        EXPECT_EQ(Material_Sheet_Steel_Index(2, c[0]), c[0]);
    }
}

TEST_F(MaterialSheet, OldStandardProposesTheOldClassesAndStoresThemOnOk)
{
    Shot_Dir shots;
    Start("shot open.png\n" + Standard(-1) + "shot old.png\n" + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    const std::vector<std::string> texts = Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Nur Betong\x81ten nach DIN 1045 (7.88) zul\x84ssig!\nVorschlag:  B35");
    EXPECT_EQ(texts[1], "Nur Betonstahlsorten nach DIN 1045 (7.88) zul\x84ssig!\nVorschlag:  BSt 500");
    EXPECT_EQ(set.new_standard, 0);
    EXPECT_EQ(set.concrete[0].class_index, 2);
    EXPECT_EQ(set.steel[0].steel_index, 2);
    EXPECT_EQ(set.steel[1].steel_index, 2);
    // The concrete list shows the proposal; the factor fields show 1.0 in grey.
    EXPECT_TRUE(Differs(shots, "open.png", "old.png", 335, 258, 420, 274));
    EXPECT_NE(shots.Pixel("open.png", 210, 300), 0xFF000000u);
    // Both DIN 1045 entries are drawn grey in the standard field, the concrete C30/37
    // black under the newer standard.
    for (const char* shot : {"open.png", "old.png"}) {
        EXPECT_GT(shots.Count(shot, 336, 229, 468, 242, Grey_Text), 10) << shot;
        EXPECT_EQ(shots.Count(shot, 336, 229, 468, 242, Black_Text), 0) << shot;
    }
    EXPECT_GT(shots.Count("open.png", 336, 259, 400, 272, Black_Text), 10);
}

TEST_F(MaterialSheet, BridgeAndFreeEntriesShowTheirColours)
{
    // DIN-Fb 102 is drawn blue; the concrete list's last entry " frei" red.
    Shot_Dir shots;
    Start(Standard(1) + "click 380 266\nshot list.png\nkey Esc\nshot fb.png\n" + CANCEL);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 0);
    EXPECT_GT(shots.Count("fb.png", 336, 229, 468, 242, Blue_Text), 10);
    EXPECT_GT(shots.Count("list.png", 330, 0, 470, 767, Red_Text), 10);
}

TEST_F(MaterialSheet, GlassFibreSteelSwitchesToUserFactors)
{
    Start(Steel(1) + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, "Test"), 1);
    EXPECT_EQ(Texts().at(0), "GFK-Bewehrung (Sch\x94" "ck ComBAR) erfordert einen normenunabh\x84ngigen "
                             "Material-Sicherheitsbeiwert !");
    EXPECT_EQ(set.steel[0].steel_index, 5);
    EXPECT_EQ(set.situation_code, 2);  // "benutzerdefiniert"
    EXPECT_DOUBLE_EQ(set.gamma_s, 1.3);
    EXPECT_DOUBLE_EQ(set.gamma_c, 1.5);
}

TEST_F(MaterialSheet, LightweightDensityIsClampedAndStored)
{
    Start(Choose(620, 266, 1) + Density("2500") + Density("500") + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(set.concrete[0].lightweight, 1);
    EXPECT_DOUBLE_EQ(set.concrete[0].density, 800.0);

    Start(Density("2500") + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_DOUBLE_EQ(set.concrete[0].density, 2000.0);
}

TEST_F(MaterialSheet, OenormSteelIsStoredByItsClassIndexInMode1)
{
    set.oenorm = 1;
    set.concrete[0].class_index = 22;
    set.steel[0].steel_index = set.steel[1].steel_index = 11;
    Calc_Material_Set(&set, 0);
    // Shown at position 7; one step down is " Ö-BSt 600" (8), then "frei" (9).
    Start(Steel(1) + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(set.steel[0].steel_index, 12);
    EXPECT_EQ(set.steel[1].steel_index, 12);
    Start(Steel(1) + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(set.steel[0].steel_index, 13);
}

TEST_F(MaterialSheet, OneSteelListGivesBothLayersItsSteelInEveryCheck)
{
    // Glass-fibre bars with a high-strength concrete, user factors; one list.
    set.concrete[0].class_index = 14;
    set.steel[0].steel_index = set.steel[1].steel_index = 5;
    set.situation_code = 2;
    Calc_Material_Set(&set, 0);
    // B500B, then "Grundkombination": neither the situation nor OK sees glass fibre.
    Start(Steel(-1) + Situation(-2) + OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{});
    EXPECT_EQ(set.steel[0].steel_index, 4);
    EXPECT_EQ(set.steel[1].steel_index, 4);
    EXPECT_EQ(set.situation_code, 0);

    // Under ONORM a lattice girder replaced in the list is no longer refused.
    set.oenorm = 1;
    set.concrete[0].class_index = 22;
    Calc_Material_Set(&set, 0);
    set.steel[0].steel_index = set.steel[1].steel_index = 6;  // as a host may hand it over
    Start(Steel(1) + OK);  // " \x99-BSt 550"
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{});
    EXPECT_EQ(set.steel[0].steel_index, 11);
    EXPECT_EQ(set.steel[1].steel_index, 11);
}

TEST_F(MaterialSheet, CancelAfterARefusedOkChecksAndStoresLikeOk)
{
    set.concrete[0].class_index = 14;  // high strength: refused with glass-fibre bars
    set.steel[0].steel_index = set.steel[1].steel_index = 5;
    set.situation_code = 2;
    Calc_Material_Set(&set, 0);
    // OK refused; cancel refused again; B500B mends it, and cancel then stores.
    const std::string refusal = "Achtung: Hochfester Beton mit GFK-Bewehrung (Sch\x94" "ck ComBAR) ist nicht erlaubt !";
    Start(std::string(OK) + CANCEL + Steel(-1) + CANCEL);
    EXPECT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(set.steel[0].steel_index, 4);
    EXPECT_EQ(set.steel[1].steel_index, 4);

    // Without a refused OK cancel keeps the set, and the DIN 1045-1 edition that the
    // (8.08) entry switched while the sheet was open.
    Set_DIN1045_1_Edition(1);
    Start(Standard(4) + CANCEL);  // position 1 to 5
    EXPECT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 0);
    EXPECT_EQ(Get_DIN1045_1_Edition(), 1);
    EXPECT_EQ(set.new_standard, 1);
    EXPECT_EQ(set.steel[0].steel_index, 4);

    Start(Standard(4) + OK);
    EXPECT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(Get_DIN1045_1_Edition(), 0);
}

TEST_F(MaterialSheet, RatioLabelNamesEachServiceabilityLaw)
{
    // Every law's label has a second line or subscripts: ink on the rows just below the
    // one-line label's base line, left of the ratio field at (730, 412).
    auto Dark = [](uint32_t c) { return Channel(c, 16) < 0x90 && Channel(c, 8) < 0x90 && Channel(c, 0) < 0x90; };
    Shot_Dir shots;
    for (int law = 0; law < 4; ++law) {
        set.law_choice = law;
        const std::string shot = "law" + std::to_string(law) + ".png";
        Start("shot " + shot + "\n" + CANCEL);
        ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 0);
        EXPECT_GT(shots.Count(shot, 672, 426, 726, 429, Dark), 3) << law;
    }
}

TEST_F(MaterialSheet, FreeConcreteAndCreepDialogsFeedTheStoredValues)
{
    set.concrete[0].class_index = 30;  // free
    set.concrete[0].fck = 30;
    set.concrete[0].value_2 = 0.85;
    set.concrete[0].eps_c2 = -2.0;
    set.concrete[0].eps_cu = -3.5;
    set.concrete[0].n_exp = 2.0;
    set.concrete[0].tension_values[3] = 20.0;  // h0 in cm, entered
    set.concrete[0].tension_values[4] = 28.0;
    set.concrete[0].tension_values[5] = 1.0;
    // The free-concrete button, fck 45 in its dialog (opened at (287, 224)), OK; the creep
    // switch, the creep button, "Kriechzahl berechnen" in the creep sheet, OK; OK.
    Start("click 475 266\nclick 440 296\ntext \"45\"\nkey Enter\nclick 340 250\nclick 700 512\n"
          "click 222 461\nclick 405 462\nclick 377 242\nclick 630 540\n" + std::string(OK));
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(set.concrete[0].class_index, 30);
    EXPECT_DOUBLE_EQ(set.concrete[0].fck, 45.0);
    EXPECT_EQ(set.concrete[0].int_a, 1);
    Set_Creep_Norm_Code(1);
    const double expected = Calc_Creep_Coefficient(50, 0, 200, 28, 25550, Get_Concrete_Fcm(1, 45, 2200), nullptr);
    EXPECT_GT(expected, 0.5);
    EXPECT_NEAR(set.concrete[0].creep_coeff, expected, 1e-9);
}

TEST_F(MaterialSheet, AlphaUnderEurocodeIsLeftToTheAnnex)
{
    set.en1992_1_1 = 1;
    set.concrete[0].value_2 = 0.9;
    Calc_Material_Set(&set, 0);
    Start(OK);
    ASSERT_EQ(Show_Material_Sheet(&set, 1, 1, 1, 0, ""), 1);
    EXPECT_EQ(set.concrete[0].value_2, 0.0);
    EXPECT_EQ(set.en1992_1_1, 1);
}
