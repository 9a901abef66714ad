// Class mappings, the corbel's material set and the helpers on the chosen bars.
#include "core/corbel_work.h"

#include <gtest/gtest.h>

#include "core/corbel_model.h"
#include "section/section_checks.h"

namespace {

// Diameter indices of the bar table.
constexpr int kD8 = 2;
constexpr int kD10 = 4;
constexpr int kD14 = 6;
constexpr int kD16 = 7;
constexpr int kD20 = 8;
constexpr int kD25 = 9;
constexpr int kFreeDiameter = 12;

// Covers 3.0 cm, one layer of 2 bars of 14 mm, no bar groups, no stored spacings.
Corbel_Rebar_Choice One_Layer_Choice()
{
    Corbel_Rebar_Choice r{};
    r.cover_v = 3.0;
    r.cover_h = 3.0;
    r.layers = 1;
    r.layer_bars[0] = 2;
    r.layer_diameter[0] = kD14;
    return r;
}

// Axis distance of a kind for a single corbel or (execution 1) a beam-end corbel.
double Axis(const Corbel_Rebar_Choice& r, int kind, int execution = 0)
{
    return Calc_Rebar_Axis_Distance(&r, &execution, kind, 0, nullptr);
}

TEST(CorbelClassMapping, ModelClassesToMaterialIndices)
{
    int light = -1;
    EXPECT_EQ(Map_Concrete_Class_Index(19, &light, 1500.0), 19);
    EXPECT_EQ(light, 0);
    EXPECT_EQ(Map_Concrete_Class_Index(25, &light, 1800.0), 10);  // lightweight class
    EXPECT_EQ(light, 1);
    // Free concrete: lightweight below 2000.001 kg/m³.
    EXPECT_EQ(Map_Concrete_Class_Index(33, &light, 2000.0), 30);
    EXPECT_EQ(light, 1);
    EXPECT_EQ(Map_Concrete_Class_Index(33, &light, 2100.0), 30);
    EXPECT_EQ(light, 0);
    EXPECT_EQ(Map_Concrete_Class_Index(25, nullptr, 1800.0), 10);
    EXPECT_EQ(Map_Steel_Class_Index(10), 10);
    EXPECT_EQ(Map_Steel_Class_Index(11), 13);
}

// The material set of the design, filled from a model.
class CorbelMaterialSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clear_Material_Set(&corbel_material_set);
        ASSERT_EQ(Alloc_Material_Set(&corbel_material_set, 1, 2), 0);
        model.norm_code = 4;
        model.concrete_class = 9;  // C30/37
        model.density = 2400.0;
        model.steel_class[0] = model.steel_class[1] = 3;
        model.factors_in_use[0] = 1.5;
        model.factors_in_use[1] = 1.15;
    }
    void TearDown() override { Free_Material_Set(&corbel_material_set); }

    Corbel_Model model{};
    const Concrete_Record& concrete() const { return corbel_material_set.concrete[0]; }
    const Steel_Record& steel(int k) const { return corbel_material_set.steel[k]; }
};

TEST_F(CorbelMaterialSet, ListedAndLightweightClassesComeFromTheTables)
{
    Fill_Corbel_Material_Set(&model);
    EXPECT_EQ(corbel_material_set.en1992_1_1, 1);
    EXPECT_EQ(concrete().class_index, 9);
    EXPECT_DOUBLE_EQ(concrete().density, 2200.0);
    EXPECT_DOUBLE_EQ(concrete().fck, 30.0);
    EXPECT_DOUBLE_EQ(steel(0).fyd, 500.0 / 1.15);

    model.concrete_class = 25;
    model.density = 1800.0;
    Fill_Corbel_Material_Set(&model);
    EXPECT_EQ(concrete().class_index, 10);
    EXPECT_EQ(concrete().lightweight, 1);
    EXPECT_EQ(model.lightweight, 1);
    EXPECT_DOUBLE_EQ(concrete().density, 1800.0);

    model.norm_code = 21;  // bridges: the fifth norm flag instead of the fourth
    Fill_Corbel_Material_Set(&model);
    EXPECT_EQ(corbel_material_set.en1992_1_1, 0);
    EXPECT_EQ(corbel_material_set.en1992_2, 1);
}

TEST_F(CorbelMaterialSet, FreeMaterialsKeepTheModelValuesAndRefillLeavesNothingBehind)
{
    model.concrete_class = 33;
    model.fck = 42.0;
    model.Ecm = 33000.0;
    model.density = 2100.0;
    model.steel_class[0] = 11;
    model.fyk[0] = 550.0;
    model.Es[0] = 195000.0;
    model.lightweight = 1;  // left from an earlier set-up
    Fill_Corbel_Material_Set(&model);
    EXPECT_EQ(concrete().class_index, 30);
    EXPECT_DOUBLE_EQ(concrete().fck, 42.0);
    EXPECT_DOUBLE_EQ(concrete().e_modulus, 33000.0);
    EXPECT_DOUBLE_EQ(concrete().density, 2200.0);  // 2100 is normal weight
    EXPECT_EQ(model.lightweight, 0);
    EXPECT_EQ(steel(0).steel_index, 13);
    EXPECT_DOUBLE_EQ(steel(0).es, 195000.0);
    EXPECT_DOUBLE_EQ(steel(0).fyd, 550.0 / 1.15);

    // The same set refilled for listed classes: no free value survives.
    model.concrete_class = 7;
    model.steel_class[0] = 3;
    Fill_Corbel_Material_Set(&model);
    EXPECT_DOUBLE_EQ(concrete().fck, 20.0);
    EXPECT_DOUBLE_EQ(steel(0).fyk, 500.0);

    // Without records nothing is touched.
    Free_Material_Set(&corbel_material_set);
    Clear_Material_Set(&corbel_material_set);
    Fill_Corbel_Material_Set(&model);
    EXPECT_EQ(corbel_material_set.concrete, nullptr);
}

TEST(CorbelAxisDistance, MainTieRoundingStirrupsAndLayers)
{
    Corbel_Rebar_Choice r = One_Layer_Choice();
    r.cover_v = 2.74;  // 2.74 + 1.4/2 = 3.44
    EXPECT_DOUBLE_EQ(Axis(r, 0), 3.4);
    r.cover_v = 2.745;  // 3.445 rounds up by the 5/9 rule
    EXPECT_DOUBLE_EQ(Axis(r, 0), 3.5);
    r.cover_v = 3.0;
    r.group[0] = {3, kD8, 2};  // vertical splitting stirrups enclose the tie
    EXPECT_DOUBLE_EQ(Axis(r, 0), 4.5);
    r.group[0].legs = 1;  // a single leg does not
    EXPECT_DOUBLE_EQ(Axis(r, 0), 3.7);

    // Two layers of 20 mm at the least spacing max(2.0, 2.0) + 2.0 = 4.0: 3.0 + 1.0 + 2.0;
    // a stored spacing of 5.0 instead; 3 bars against 1 at 4.0 weigh the mean to 1.0.
    Corbel_Rebar_Choice two{};
    two.cover_v = 3.0;
    two.layers = 2;
    two.layer_bars[0] = two.layer_bars[1] = 2;
    two.layer_diameter[0] = two.layer_diameter[1] = kD20;
    EXPECT_DOUBLE_EQ(Axis(two, 0), 6.0);
    two.spacing[2] = 5.0;
    EXPECT_DOUBLE_EQ(Axis(two, 0), 6.5);
    two.spacing[2] = 4.0;
    two.layer_bars[0] = 3;
    two.layer_bars[1] = 1;
    EXPECT_DOUBLE_EQ(Axis(two, 0), 5.0);

    // A beam-end tie given by spacing has no bar count but still its half diameter.
    r = One_Layer_Choice();
    r.layer_bars[0] = 0;
    r.spacing[0] = 15.0;
    r.beam_end_legs = 2;
    EXPECT_DOUBLE_EQ(Axis(r, 0, 1), 3.7);
    EXPECT_DOUBLE_EQ(Axis(r, 0, 0), 3.0);
}

TEST(CorbelAxisDistance, HangerRowsAndInclinedBars)
{
    Corbel_Rebar_Choice r = One_Layer_Choice();
    r.group[5] = {2, kD10, 2};  // horizontal anchorage loops outside the hangers
    r.group[2] = {4, kD14, 2};  // four rows of hanger stirrups
    // 3.0 + 1.0 + 0.7 + (4 - 1)/2 * (max(1.4, 2.0) + 1.4)
    EXPECT_DOUBLE_EQ(Axis(r, 1), 9.8);
    r.spacing[3] = 5.0;
    EXPECT_DOUBLE_EQ(Axis(r, 1), 12.2);

    // Inclined bars: half their diameter inside the hanger stirrups.
    r.group[3] = {1, kD16, 1};
    EXPECT_DOUBLE_EQ(Axis(r, 2), 5.2);
    r.group[2].legs = 1;
    EXPECT_DOUBLE_EQ(Axis(r, 2), 3.8);
    EXPECT_DOUBLE_EQ(Axis(r, 3), 0.0);
}

TEST(CorbelAxisDistance, LayerCountBeyondTheRecordReadsOnlyItsTenLayers)
{
    Corbel_Rebar_Choice r{};
    r.cover_v = 3.0;
    r.layers = 1000;
    for (int k = 0; k < CORBEL_MAX_LAYERS; ++k) {
        r.layer_bars[k] = 1;
        r.layer_diameter[k] = kD20;
    }
    r.spacing[2] = 4.0;
    // Ten equal layers 4.0 apart: mean offset 18.0 -> 3.0 + 1.0 + 18.0.
    EXPECT_DOUBLE_EQ(Axis(r, 0), 22.0);
    EXPECT_DOUBLE_EQ(Get_Required_Bar_Spacing(&r, 0, nullptr), 4.0);
    r.layers = -3;
    EXPECT_DOUBLE_EQ(Get_Required_Bar_Spacing(&r, 0, nullptr), 0.0);
}

TEST(CorbelBarSpacing, RequiredAndDrawnSpacings)
{
    Corbel_Rebar_Choice r = One_Layer_Choice();
    r.layers = 2;
    r.layer_diameter[1] = kD25;
    r.group[2] = {4, kD14, 2};
    // Largest least spacing of a layer with itself (25 mm: 2.5 + 2.5); hangers 2.0 + 1.4.
    EXPECT_DOUBLE_EQ(Get_Required_Bar_Spacing(&r, 0, nullptr), 5.0);
    EXPECT_DOUBLE_EQ(Get_Required_Bar_Spacing(&r, 1, nullptr), 3.4);

    // Between layers of 14 and 25 mm: max(2.5, 2.0) + (1.4 + 2.5)/2; stored ones win.
    EXPECT_DOUBLE_EQ(Get_Bar_Axis_Spacing(&r, 0, 1, 0, nullptr), 4.45);
    EXPECT_DOUBLE_EQ(Get_Bar_Axis_Spacing(&r, 0, 0, 1, nullptr), 3.4);
    EXPECT_DOUBLE_EQ(Get_Bar_Axis_Spacing(&r, -1, 10, 0, nullptr), 0.0);
    r.spacing[2] = 6.0;
    r.spacing[3] = 7.5;
    EXPECT_DOUBLE_EQ(Get_Bar_Axis_Spacing(&r, 0, 1, 0, nullptr), 6.0);
    EXPECT_DOUBLE_EQ(Get_Bar_Axis_Spacing(&r, 0, 0, 1, nullptr), 7.5);

    // A free diameter gives no bar: the least spacing of two absent bars is 2.0.
    r.group[2].diameter = kFreeDiameter;
    EXPECT_DOUBLE_EQ(Get_Required_Bar_Spacing(&r, 1, nullptr), 2.0);
}

}  // namespace

TEST(CorbelWorkRecords, SectionCheckRecordStartValues)
{
    Calc_Work_Record r;
    r.shape = 3;
    r.alpha = 45.0;
    r.VRd_max = 7.0;
    r.material = reinterpret_cast<Material_Set*>(&r);
    r.interface_zone = 5;
    Clear_Calc_Work_Record(&r);
    EXPECT_EQ(r.apply_vmin, 1);
    EXPECT_EQ(r.roughness_class, 2);
    EXPECT_EQ(r.width_1, 90.0);
    EXPECT_EQ(r.width_2, 300.0);
    EXPECT_EQ(r.width_3, 1.0);
    EXPECT_EQ(r.shape, 0);
    EXPECT_EQ(r.alpha, 0.0);
    EXPECT_EQ(r.VRd_max, 0.0);
    EXPECT_EQ(r.material, nullptr);
    EXPECT_EQ(r.interface_zone, 0);
    Clear_Calc_Work_Record(nullptr);
}
