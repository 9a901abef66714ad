#include "sheets/edit_buffer.h"

#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class EditBuffer : public testing::Test {
protected:
    Corbel_Model model{};
    void SetUp() override
    {
        corbel_edit_buffer = Corbel_Edit_Buffer{};
        Set_Corbel_Defaults(&model);
    }
    void TearDown() override
    {
        for (Load_Combination*& t : model.load_table)
            if (t) MEM_FREE(t);
        if (model.results) MEM_FREE(model.results);
        corbel_edit_buffer = Corbel_Edit_Buffer{};
    }
};

TEST_F(EditBuffer, CountsGoBackRoundedUpFromATenthAndNormsAsTheTwoChoices)
{
    model.norm_code = CORBEL_NORM_BRIDGES;
    model.rebar.group[2].count = 4;
    Fill_Edit_Buffer(&model);
    Corbel_Edit_Buffer& b = corbel_edit_buffer;
    EXPECT_EQ(b.code_choice, 1);
    EXPECT_EQ(b.rebar_count[COUNT_HANGER_NUMBER], 4.0);

    b.rebar_count[COUNT_HANGER_NUMBER] = 2.95;
    b.rebar_count[COUNT_SPLIT_V_LEGS] = 1.89;
    b.rebar_count[COUNT_END_BOTTOM] = -0.5;
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.rebar.group[2].count, 3);
    EXPECT_EQ(model.rebar.group[0].legs, 1);
    EXPECT_EQ(model.rebar.end_count[1], 0);
    EXPECT_EQ(model.norm_code, CORBEL_NORM_BRIDGES);

    // Any norm other than the buildings' shows the second entry and is stored as 21.
    model.norm_code = 7;
    Fill_Edit_Buffer(&model);
    EXPECT_EQ(b.code_choice, 1);
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.norm_code, CORBEL_NORM_BRIDGES);
    b.code_choice = 0;
    b.edit_buffer_loaded = 1;
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.norm_code, CORBEL_NORM_BUILDINGS);
}

TEST_F(EditBuffer, AFillWhileLoadedAndAnApplyWhileNotLoadedDoNothing)
{
    model.lk = 30.0;
    Fill_Edit_Buffer(&model);
    corbel_edit_buffer.rebar_count[COUNT_MEMBER_TOP] = 5.0;
    Fill_Edit_Buffer(&model);  // keeps what was typed
    EXPECT_EQ(corbel_edit_buffer.rebar_count[COUNT_MEMBER_TOP], 5.0);
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.rebar.member_count[0], 5);
    model.rebar.member_count[0] = 7;
    Apply_Edit_Buffer(&model);  // not loaded: the model keeps its own value
    EXPECT_EQ(model.rebar.member_count[0], 7);
}

TEST_F(EditBuffer, ClearedCheckBoxesResetPlateLengthAndChamfer)
{
    model.system = SYSTEM_LOAD_CORBEL;
    model.execution = EXECUTION_SINGLE;
    model.connection = CONNECTION_COLUMN;
    model.load_transfer = LOAD_TRANSFER_DIRECT;
    model.hk_end = 20.0;
    model.lp = 15.0;
    model.bp = 10.0;
    Fill_Edit_Buffer(&model);
    EXPECT_EQ(corbel_edit_buffer.chamfer_box, 1);
    EXPECT_EQ(corbel_edit_buffer.bearing_plate_box, 1);
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.hk_end, 20.0);
    EXPECT_EQ(model.lp, 15.0);

    Fill_Edit_Buffer(&model);
    corbel_edit_buffer.chamfer_box = 0;
    corbel_edit_buffer.bearing_plate_box = 0;
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.lp, 0.0);
    EXPECT_EQ(model.bp, 10.0);  // the width stays
    EXPECT_EQ(model.hk_end, 0.0);
}

// The load share is taken over when the position had one, or once the user typed one.
TEST_F(EditBuffer, LoadShareCountsWhenGivenOrTyped)
{
    model.load_share = 0.0;
    Fill_Edit_Buffer(&model);
    EXPECT_EQ(corbel_edit_buffer.keep_load_share, 0);
    corbel_edit_buffer.load_share_pct = 40.0;
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.load_share, 0.0);

    Fill_Edit_Buffer(&model);
    corbel_edit_buffer.load_share_pct = 40.0;
    Mark_Load_Share_Edited();
    Apply_Edit_Buffer(&model);
    EXPECT_DOUBLE_EQ(model.load_share, 0.4);
    Fill_Edit_Buffer(&model);
    EXPECT_DOUBLE_EQ(corbel_edit_buffer.load_share_rest_pct, 60.0);
}

// The flags that stand for "value given" belong to the model they were derived from: a
// model loaded later (read, import, defaults) derives them afresh, and the remembered
// system is forgotten with it; the user's settings survive fills of the same model.
TEST_F(EditBuffer, ANewModelDerivesItsFlagsAgain)
{
    model.lp = 0.0;
    model.load_share = 0.0;
    model.system = SYSTEM_SUPPORT_CORBEL;
    Fill_Edit_Buffer(&model);
    EXPECT_EQ(corbel_edit_buffer.bearing_plate_box, 0);
    corbel_edit_buffer.remembered_system = SYSTEM_SUPPORT_CORBEL;
    Apply_Edit_Buffer(&model);
    Fill_Edit_Buffer(&model);
    EXPECT_EQ(corbel_edit_buffer.remembered_system, SYSTEM_SUPPORT_CORBEL);

    // An import replaces the model with one that has a plate and a load share.
    Apply_Edit_Buffer(&model);
    Set_Corbel_Defaults(&model);
    model.lp = 12.0;
    model.load_share = 0.5;
    Fill_Edit_Buffer(&model);
    EXPECT_EQ(corbel_edit_buffer.bearing_plate_box, 1);
    EXPECT_EQ(corbel_edit_buffer.keep_load_share, 1);
    EXPECT_EQ(corbel_edit_buffer.remembered_system, -1);
    Apply_Edit_Buffer(&model);
    EXPECT_EQ(model.lp, 12.0);
    EXPECT_DOUBLE_EQ(model.load_share, 0.5);
}

// The editable states of one page build never share a cell, however many widgets the
// page has (two load tables of 10,000 rows take some 80,000), and a reset makes every
// cell 0 and gives the first one again.
TEST(WidgetValueRing, NoTwoWidgetsOfABuildShareACell)
{
    Reset_Widget_Value_Ring();
    std::vector<int32_t*> cells;
    for (int k = 0; k < 80000; ++k) cells.push_back(Next_Widget_Value_Cell(k % 3 == 0));
    std::vector<int32_t*> sorted = cells;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(*cells[0], 1);
    EXPECT_EQ(*cells[79999], 0);
    Reset_Widget_Value_Ring();
    EXPECT_EQ(*cells[0], 0);
    EXPECT_EQ(Next_Widget_Value_Cell(1), cells[0]);
    Reset_Widget_Value_Ring();
}

} // namespace
