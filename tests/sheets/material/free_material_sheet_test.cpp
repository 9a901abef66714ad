#include "sheets/material/free_material_sheet.h"

#include "material/material_props.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "shot_pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// On 1024 x 768 the dialog is (287, 224)-(736, 543): cancel at (315, 512), the copy button
// at (390, 515), OK at (700, 512); the fields from (417, 286) at a 26-pixel pitch, the
// stress-block switch at (497, 394), "E-Modul berechnen" at (307, 474).
const char* const CANCEL = "click 315 512\n";
const char* const OK = "click 700 512\n";
const char* const COPY = "click 390 515\n";
std::string Type_Into_Row(int row, const char* value)
{
    return "click 440 " + std::to_string(296 + 26 * row) + "\ntext \"" + value + "\"\nkey Enter\nclick 340 250\n";
}

struct Law {
    double v[8] = {0, 30, 25.5, 2.0, 3.5, 2.0, 31000, 2.9};
    int Run(int code, double density = 2400, int concrete = 1)
    {
        return Show_Free_Material_Sheet(code, concrete, density, &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
    }
};

class FreeMaterialSheet : public ::testing::Test {
protected:
    void SetUp() override { Clear_Shown_Messages(); }
    void TearDown() override
    {
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

bool Has_Red(const Shot_Dir& shots, const std::string& shot, int x1, int y1, int x2, int y2)
{
    for (int y = y1; y <= y2; y += 2)
        for (int x = x1; x <= x2; ++x) {
            const uint32_t p = shots.Pixel(shot, x, y);
            if ((p >> 16) > 0xC0 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60) return true;
        }
    return false;
}

} // namespace

TEST(GoverningPair, KeepsTheLargestKeyAndANegativeKeyForGood)
{
    double key = 0.0, value = 0.0;
    Update_Governing_Pair(2.0, &key, 5.0, &value);
    EXPECT_EQ(key, 2.0);
    EXPECT_EQ(value, 5.0);
    Update_Governing_Pair(1.0, &key, 9.0, &value);  // smaller key: nothing
    EXPECT_EQ(value, 5.0);
    Update_Governing_Pair(2.0, &key, -7.0, &value);  // equal key, larger magnitude
    EXPECT_EQ(value, -7.0);
    Update_Governing_Pair(2.0, &key, 3.0, &value);
    EXPECT_EQ(value, -7.0);
    Update_Governing_Pair(0.0005, &key, 1.0, &value);  // counts as 0
    EXPECT_EQ(key, 2.0);
    Update_Governing_Pair(-0.5, &key, 4.0, &value);
    EXPECT_EQ(key, -1.0);
    EXPECT_EQ(value, 4.0);
    Update_Governing_Pair(10.0, &key, 8.0, &value);  // a negative key seen before stays
    EXPECT_EQ(key, -1.0);
    EXPECT_EQ(value, 4.0);

    double zero_key = -0.05, v = 1.0;  // above -0.1: a larger key still replaces it
    Update_Governing_Pair(0.0, &zero_key, 2.0, &v);
    EXPECT_EQ(zero_key, 0.0);
    EXPECT_EQ(v, 2.0);
}

TEST_F(FreeMaterialSheet, ChangedStrengthKeepsAlphaAndFillsAMissingModulus)
{
    Shot_Dir shots;
    Law law;
    law.v[6] = 0.0;
    Start("shot open.png\n" + Type_Into_Row(0, "70") + "shot changed.png\n" + COPY + OK);
    ASSERT_EQ(law.Run(1, 1800), 1);
    EXPECT_DOUBLE_EQ(law.v[1], 70.0);
    EXPECT_NEAR(law.v[2], 0.85 * 70.0, 1e-12);  // alpha 0.85 shown, times the new fck
    EXPECT_DOUBLE_EQ(law.v[6], Get_Concrete_Ecm(1, 30, 70.0, 1800, nullptr));
    EXPECT_EQ(Texts(), std::vector<std::string>{"E-Modul wird berechnet !"});
    // The red "??" beside the modulus of a lightweight concrete above C60 only after the change.
    EXPECT_FALSE(Has_Red(shots, "open.png", 542, 418, 560, 430));
    EXPECT_TRUE(Has_Red(shots, "changed.png", 542, 418, 560, 430));
}

TEST_F(FreeMaterialSheet, InvalidLawsAreRefusedAndCancelWritesNothing)
{
    struct Case {
        int code;
        int row;
        const char* value;
        const char* message;
    } cases[] = {
        {1, 0, "0", "Betondruckfestigkeit = 0 !"},
        {4, 3, "1.5", "Bruchdehnung < Dehnung beim Erreichen der Festigkeitsgrenze !"},
        {0, 1, "31", "Betondruckfestigkeit < seinem Rechenwert !"},
    };
    for (const Case& c : cases) {
        Clear_Shown_Messages();
        Law law;
        Start(Type_Into_Row(c.row, c.value) + OK + CANCEL);
        EXPECT_EQ(law.Run(c.code), 0) << c.message;
        EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
        const Law untouched;
        for (int k = 1; k <= 7; ++k) EXPECT_EQ(law.v[k], untouched.v[k]) << c.message << " value " << k;
    }
}

TEST_F(FreeMaterialSheet, StressBlockAndComputeSwitches)
{
    Law block;
    block.v[5] = 10000.0;  // opens with the switch on and the computed exponent
    Start(OK);
    ASSERT_EQ(block.Run(4), 1);
    EXPECT_EQ(block.v[5], 10000.0);
    EXPECT_DOUBLE_EQ(block.v[2], 25.5);

    // Switching the block off keeps the computed exponent.
    Start("click 502 399\n" + std::string(OK));
    ASSERT_EQ(block.Run(4), 1);
    EXPECT_DOUBLE_EQ(block.v[5], Get_Concrete_Exponent_N(4, 30, 30.0));

    // "E-Modul berechnen" switched on in a cancelled dialog stays on for the next one.
    Start("click 312 479\n" + std::string(CANCEL));
    Law law;
    law.v[6] = 0.0;
    ASSERT_EQ(law.Run(1), 0);
    EXPECT_EQ(law.v[6], 0.0);
    Start(OK);
    ASSERT_EQ(law.Run(1), 1);
    EXPECT_DOUBLE_EQ(law.v[6], Get_Concrete_Ecm(1, 30, 30.0, 2400, nullptr));
    EXPECT_TRUE(Shown_Messages().empty());
    Start("click 312 479\n" + std::string(CANCEL));  // off again for the other tests
    law.Run(1);
}

TEST_F(FreeMaterialSheet, SteelHandsItsLimitStrainBackTwice)
{
    double fyk = 500, ftk = 550, info = 25, eps_uk = 25, es = 200000, spare6 = 7, spare7 = 8;
    Start(Type_Into_Row(3, "50") + OK);
    ASSERT_EQ(Show_Free_Material_Sheet(1, 0, 2400, &fyk, &ftk, &info, &eps_uk, &es, &spare6, &spare7), 1);
    EXPECT_EQ(eps_uk, 50.0);
    EXPECT_EQ(info, 50.0);
    EXPECT_EQ(es, 200000.0);
    EXPECT_EQ(spare6, 7.0);
    EXPECT_EQ(spare7, 8.0);
}
