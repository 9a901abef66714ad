#include "sheets/program/safety_factor_fields.h"

#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SafetyFactorFields : public testing::Test {
protected:
    void SetUp() override
    {
        Screen_Start_For_Tests("", 1024, 768);
        Init_Prop_Sheets();
        Define_Prop_Sheet(0, 0, 1023, 767, 1, 0, "", 1, 1);
        area = Area_Create(10, 30, 1000, 700, 0, 0);
        Area_Clear(area);
        record.from_annex = 0;
    }
    void TearDown() override
    {
        Area_Delete_All();
        Screen_Reset_For_Tests();
    }
    struct Field {
        int x, y;
        double* value;
        int editable;
    };
    std::vector<Field> Fields() const
    {
        std::vector<Field> out;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_FLOAT_FIELD) out.push_back({p->x1, p->y1, p->number, *p->editable});
        return out;
    }
    std::vector<std::string> Texts(int x) const
    {
        std::vector<std::string> out;
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_TEXT && p->x1 == x) out.push_back(p->text);
        return out;
    }
    int area = -1;
    NAD_Safety_Factors record;
};

} // namespace

TEST_F(SafetyFactorFields, GroupRowsWithTheSteelItemInTheSecondColumn)
{
    int y = 100;
    Draw_Safety_Factor_Fields(&record, area, 20, &y, 1, 230, 15, 0);
    EXPECT_EQ(y, 144);
    const std::vector<Field> f = Fields();
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].x, 250);
    EXPECT_EQ(f[1].x, 380);
    EXPECT_EQ(f[2].y, 122);
    EXPECT_EQ(f[0].value, &record.gamma_c);
    EXPECT_EQ(f[3].value, &record.gamma_s_sls);
    EXPECT_EQ(f[0].editable, 1);
    EXPECT_EQ(Texts(20), (std::vector<std::string>{"Tragf\x84higkeit (GZT)", "Gebrauchstauglichkeit (GZG)"}));

    // The fields correct a negative factor to 0.
    const Area_Item* p = scroll_areas[area].first_item;
    while (p && p->type != AREA_FLOAT_FIELD) p = p->next;
    ASSERT_NE(p, nullptr);
    record.gamma_c = -0.5;
    p->check_fn(&record.gamma_c);
    EXPECT_EQ(record.gamma_c, 0.0);
}

TEST_F(SafetyFactorFields, FactorsFromTheAnnexAreNotEditable)
{
    record.from_annex = 1;
    int y = 0;
    Draw_Safety_Factor_Fields(&record, area, 0, &y, 1, 230, 15, 0);
    for (const Field& f : Fields()) EXPECT_EQ(f.editable, 0);
    Area_Clear(area);
    record.from_annex = 0;
    y = 0;
    Draw_Safety_Factor_Fields(&record, area, 0, &y, 0, 230, 15, 0);
    for (const Field& f : Fields()) EXPECT_EQ(f.editable, 0);
}

TEST_F(SafetyFactorFields, OneRowPerFactorAndSingleFactorRows)
{
    int y = 0;
    Draw_Safety_Factor_Fields(&record, area, 0, &y, 1, 230, 16 | 1 | 2, 1);
    EXPECT_EQ(y, 44);
    EXPECT_EQ(Texts(0), (std::vector<std::string>{"Erm\x81" "dung Beton", "Erm\x81" "dung Bewehrung"}));
    // The fatigue symbol stands 15 pixels further left.
    EXPECT_EQ(Texts(230 - 30 - 15), (std::vector<std::string>{"\xC0", "\xC0"}));

    Area_Clear(area);
    y = 0;
    Draw_Safety_Factor_Fields(&record, area, 0, &y, 1, 230, 4 | 2, 0);  // ULS steel only
    EXPECT_EQ(y, 22);
    EXPECT_EQ(Texts(0), (std::vector<std::string>{"Tragf\x84higkeit Bewehrung"}));
    ASSERT_EQ(Fields().size(), 1u);
    EXPECT_EQ(Fields()[0].x, 230 + 130);
}
