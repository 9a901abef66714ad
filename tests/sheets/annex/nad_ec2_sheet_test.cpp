#include "sheets/annex/nad_ec2_sheet.h"

#include "annex/nad_ec2.h"
#include "part_page_host.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "sheets/annex/nad_sheet_fields.h"
#include "../../annex/report_sandbox.h"
#include "platform/fonts.h"
#include "shot_pixels.h"
#include "toolkit/scroll_area_internal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BAND = 0xCDFEF4;
using Host = Part_Page_Host;

class ConcretePage : public ::testing::Test {
protected:
    NAD_EC2_Params ec2{};
    void SetUp() override { NAD_EC2_Defaults(&ec2); }
    void TearDown() override
    {
        nad_ec2_sheet_open[0] = 1;
        nad_ec2_sheet_open[1] = 0;
        nad_ec2_sheet_open[2] = 1;
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    // A profile whose EN 1992 rules are the building rows and the redistribution rows.
    static void Redistribution_Only(Report_Sandbox& sandbox)
    {
        std::string rules(33, '0');
        rules[7] = rules[30] = '1';
        sandbox.Add_Profile(151, "#NADS -1\n1 1 " + rules + " 1 1 1 1 1 1 1\n");
    }
    static int Items(int area, int type, const void* target)
    {
        int n = 0;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == type && (p->number == target || p->value_ptr == target)) ++n;
        return n;
    }
    static bool Has_Text(int area, const char* text)
    {
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_TEXT && p->text && std::strcmp(p->text, text) == 0) return true;
        return false;
    }
};

} // namespace

// With the redistribution rows alone: k2's plain line on base line 162 (radio at
// (60, 157), field x 136), its function line on 178 with the coefficient at x 156.
TEST_F(ConcretePage, SwitchingAFormFlagToPlainShowsThePlainField)
{
    Report_Sandbox sandbox(151);
    Redistribution_Only(sandbox);
    Shot_Dir shots;
    Screen_Start_For_Tests("shot function.png\n" + Host::Type_Into(156, 178, "0.8") + Host::Click(60, 157) +
                               "shot plain.png\n" + Host::OK,
                           1024, 768);
    bool note = false;
    int fire_heads = -1;
    Host::Run([&](int area) {
        NAD_EC2_Sheet(area, &ec2, 1);
        note = Has_Text(area, "(Funktion wird ignoriert)");
        fire_heads = Items(area, AREA_CHECK_BOX, &nad_ec2_sheet_open[1]);
    });
    EXPECT_EQ(ec2.k2_form, 1);
    EXPECT_DOUBLE_EQ(ec2.k2_redistribution, 0.8);
    EXPECT_TRUE(note);
    EXPECT_EQ(fire_heads, 0);  // row group 27 clear: no fire section at all
    EXPECT_EQ(shots.Pixel("function.png", 20 + 300, 20 + 10), BAND);
    EXPECT_EQ(shots.Pixel("function.png", 20 + 158, 20 + 173), WHITE);
    EXPECT_NE(shots.Pixel("function.png", 20 + 138, 20 + 157), WHITE);
    EXPECT_EQ(shots.Pixel("plain.png", 20 + 138, 20 + 157), WHITE);
}

// Without a profile: gamma_c of the persistent situation on base line 130 (x 76); the
// building head's box at (32, 17), the fire head below a closed building section at 31.
TEST_F(ConcretePage, AReadOnlyPageChangesNothingButItsSections)
{
    Report_Sandbox sandbox;
    const NAD_EC2_Params before = ec2;
    Shot_Dir shots;
    Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(76, 130, "9") + Host::Click(32, 17) +
                               Host::Click(32, 41) + Host::OK,
                           1024, 768);
    int fire_fields = -1;
    Host::Run([&](int area) {
        NAD_EC2_Sheet(area, &ec2, 0);
        fire_fields = Items(area, AREA_FLOAT_FIELD, &ec2.gamma_M_fi);
    });
    EXPECT_EQ(NAD_EC2_Compare(&ec2, &before), 0);
    EXPECT_EQ(nad_ec2_sheet_open[0], 0);
    EXPECT_EQ(nad_ec2_sheet_open[1], 1);
    EXPECT_EQ(fire_fields, 1);
    EXPECT_EQ(nad_ec2_sheet_editable, 0);
    EXPECT_NE(shots.Pixel("page.png", 20 + 80, 20 + 125), WHITE);  // the field drawn inactive
    EXPECT_EQ(shots.Pixel("page.png", 20 + 300, 20 + 10), BAND);
}

TEST_F(ConcretePage, EditableGammaAndTheGermanAnnexForms)
{
    {
        Report_Sandbox sandbox;
        Shot_Dir shots;
        Screen_Start_For_Tests("shot page.png\n" + Host::Type_Into(76, 130, "1.6") + Host::OK, 1024, 768);
        Host::Run([&](int area) { NAD_EC2_Sheet(area, &ec2, 1); });
        EXPECT_DOUBLE_EQ(ec2.gamma_c[0], 1.6);
        EXPECT_EQ(shots.Pixel("page.png", 20 + 80, 20 + 125), WHITE);
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    Report_Sandbox sandbox(151);
    Redistribution_Only(sandbox);
    NAD_EC2_Defaults_NA_DE(&ec2);
    ec2.k2_form = 2;
    ec2.k_hsc_section = 0.5;
    Screen_Start_For_Tests(Host::OK, 1024, 768);
    Host::Run([&](int area) {
        NAD_EC2_Sheet(area, &ec2, 1);
        EXPECT_TRUE(Has_Text(area, "s. NA-DE"));
        EXPECT_EQ(Items(area, AREA_FLOAT_FIELD, &ec2.k2_redistribution), 0);
        EXPECT_EQ(Items(area, AREA_RADIO_BUTTON, &ec2.k2_form), 2);
    });
    EXPECT_EQ(ec2.k_hsc_section, 1.0);
}

// Every symbol byte of the page has its glyph on the screen: no text of the page (all
// rows, fire section open) shows a box-drawing sign or a letter that code page 850 puts
// where the page means a Greek one (the rows of mu and nu, beta, lambda, cot theta).
TEST_F(ConcretePage, EveryTextShowsItsSymbols)
{
    Report_Sandbox sandbox;
    nad_ec2_sheet_open[1] = 1;
    Screen_Start_For_Tests(Host::OK, 1024, 768);
    std::vector<std::string> texts;
    Host::Run([&](int area) {
        texts.clear();
        NAD_EC2_Sheet(area, &ec2, 1);
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_TEXT && p->text) texts.push_back(Screen_Text_To_Utf8(p->text));
    });
    int greek = 0;
    for (const std::string& t : texts) {
        // U+2500 .. U+257F begin E2 94 / E2 95; U+00C3 is C3 83.
        EXPECT_EQ(t.find("\xE2\x94"), std::string::npos) << t;
        EXPECT_EQ(t.find("\xE2\x95"), std::string::npos) << t;
        EXPECT_EQ(t.find("\xC3\x83"), std::string::npos) << t;
        for (const char* g : {"\xCE\xB2", "\xCE\xBB", "\xCE\xBC", "\xCE\xBD"}) greek += t.find(g) != std::string::npos;
    }
    EXPECT_GE(greek, 4);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Rauhigkeitsbeiwerte c, \xCE\xBC und \xCE\xBD"), texts.end());
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "min cot \xCE\xB8"), 2);  // buildings and bridges
}

// gamma_c of the persistent situation (field at (76, 130)) typed as 0, 1e300, cleared and
// as letters and signs that make no number, then alpha_cc (x 136, base line 258) as 1.2:
// each is refused with a box (naming the field and its range where it is a number) and
// the old value stays; 1.45 is then taken.
TEST_F(ConcretePage, ValuesOutsideTheirRangeAreRefusedWithABox)
{
    Report_Sandbox sandbox;
    Clear_Shown_Messages();
    Screen_Start_For_Tests(Host::Type_Into(76, 130, "0") + Host::Type_Into(76, 130, "1e300") + Host::Click(80, 128) +
                               "key Ctrl+A\nkey Del\nkey Up\n" + Host::Type_Into(76, 130, "1e") +
                               Host::Type_Into(136, 258, "1.2") + Host::Type_Into(76, 130, "1.45") + Host::OK,
                           1024, 768);
    Host::Run([&](int area) { NAD_EC2_Sheet(area, &ec2, 1); });
    std::vector<std::string> boxes;
    for (const Shown_Message& m : Shown_Messages()) boxes.push_back(m.text);
    const std::string gamma_c = "f\x81r \xC0" "c, st\x84ndig und vor\x81" "bergehend (2.4.2.4 (1)) wird nicht \x81" "bernommen:\n"
                                "zul\x84ssig ist 0 < Wert \xF3 10.\nDer bisherige Wert 1.5 bleibt.";
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0], "Der Wert 0 " + gamma_c);
    EXPECT_EQ(boxes[1], "Der Wert 1e+300 " + gamma_c);
    EXPECT_EQ(boxes[2], "Ein leeres Feld ist keine Zahl und wird nicht \xFC" "bernommen;\nder bisherige Wert bleibt.");
    EXPECT_EQ(boxes[3], "Die Eingabe \"1e\" ist keine Zahl und wird nicht \xFC" "bernommen;\nder bisherige Wert bleibt.");
    EXPECT_EQ(boxes[4], "Der Wert 1.2 f\x81r \xBA" "cc (3.1.6 (1)P) wird nicht \x81" "bernommen:\n"
                        "zul\x84ssig ist 0 < Wert \xF3 1.\nDer bisherige Wert 1 bleibt.");
    EXPECT_DOUBLE_EQ(ec2.gamma_c[0], 1.45);
    EXPECT_DOUBLE_EQ(ec2.alpha_cc, 1.0);
}

// The page with every section open, for the recommended and the German values: no
// text runs into a number field or another text of its font, no field into another
// (the items measured in their fonts on their lines, a field with its frame's width).
TEST_F(ConcretePage, NoTextRunsIntoAFieldOrAnotherText)
{
    struct Box {
        int x1, y1, x2, y2, font;
        std::string what;
    };
    auto overlap = [](const Box& a, const Box& b) { return a.x1 <= b.x2 && b.x1 <= a.x2 && a.y1 <= b.y2 && b.y1 <= a.y2; };
    auto name = [](const Box& b) {
        char at[48];
        std::snprintf(at, sizeof at, " (%d,%d)-(%d,%d)", b.x1, b.y1, b.x2, b.y2);
        return Screen_Text_To_Utf8(b.what) + at;
    };
    Report_Sandbox sandbox;
    nad_ec2_sheet_open[1] = 1;
    Screen_Start_For_Tests("", 1280, 1024);
    for (const bool german : {false, true}) {
        if (german) NAD_EC2_Defaults_NA_DE(&ec2);
        const int area = Area_Create(20, 96, 720, 994, 1, 1);
        NAD_EC2_Sheet(area, &ec2, 1);
        std::vector<Box> texts, fields;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next) {
            if (p->type == AREA_TEXT && p->text && *p->text) {
                const int w = Area_Text_Width(p->text, p->font);
                texts.push_back({p->x1, p->y1 - Font_Ascent(p->font) + 1, p->x1 + w - 1, p->y1 + 1, p->font, p->text});
            } else if (p->type == AREA_FLOAT_FIELD) {
                const int w = Raise_To_Even(Area_Number_Width(p));
                fields.push_back({p->x1 - 7, p->y1 - Font_Ascent(p->font) + 1, p->x1 + w + 7, p->y1 + 1, 0, "field"});
            }
        }
        ASSERT_GT(fields.size(), 100u);
        for (size_t i = 0; i < fields.size(); ++i) {
            for (size_t j = i + 1; j < fields.size(); ++j)
                EXPECT_FALSE(overlap(fields[i], fields[j])) << name(fields[i]) << " on " << name(fields[j]);
            for (const Box& t : texts) EXPECT_FALSE(overlap(t, fields[i])) << name(t) << " under " << name(fields[i]);
        }
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                if (texts[i].font == texts[j].font) {
                    EXPECT_FALSE(overlap(texts[i], texts[j])) << name(texts[i]) << " on " << name(texts[j]);
                }
        Area_Delete(area);
    }
}

// The range of each kind at its edges, and the rounding to the decimals a file keeps.
TEST(AnnexFieldRanges, EdgesOfTheKindsAndTheKeptDecimals)
{
    struct Case {
        NAD_Value_Kind kind;
        int decimals;
        double typed;
        bool taken;
        double value;
    };
    const Case cases[] = {
        {NAD_PARTIAL_FACTOR, -1, 0.0, false, 1.5},      {NAD_PARTIAL_FACTOR, -1, 10.0, true, 10.0},
        {NAD_PARTIAL_FACTOR, -1, -1.5, false, 1.5},     {NAD_ACTION_FACTOR, 2, 0.0, true, 0.0},
        {NAD_ACTION_FACTOR, 2, 1.356, true, 1.36},      {NAD_SHARE, 2, 1.004, true, 1.0},
        {NAD_SHARE, 2, 1.006, false, 1.5},              {NAD_REDUCTION_FACTOR, -1, 0.0, false, 1.5},
        {NAD_COEFFICIENT, -1, 10.5, false, 1.5},        {NAD_POSITIVE_COEFFICIENT, 2, 0.004, false, 1.5},
        {NAD_COVER, -1, 20.0, true, 20.0},              {NAD_DIVISOR, 0, 0.6, true, 1.0},
        {NAD_DIVISOR, 0, 0.4, false, 1.5},              {NAD_SLENDERNESS_FACTOR, -1, 100.0, true, 100.0},
        {NAD_PARTIAL_FACTOR, 2, 1e300, false, 1.5},
    };
    for (const Case& c : cases) {
        double taken = 0;
        std::string refusal;
        EXPECT_EQ(NAD_Check_Typed_Value({c.kind, "x", c.decimals}, c.typed, 1.5, &taken, &refusal), c.taken)
            << c.kind << " " << c.typed;
        EXPECT_DOUBLE_EQ(taken, c.value) << c.kind << " " << c.typed;
        EXPECT_EQ(refusal.empty(), c.taken);
    }
}
