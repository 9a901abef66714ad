// Pages 1 and 3 of the main sheet built and drawn on a headless screen, probed for the
// colours that tell their parts apart.
#include "sheets/register_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "sheets/program/main_loop.h"
#include "platform/screen/screen.h"
#include "sheets/edit_buffer.h"
#include "sheets/rebar_sheet.h"
#include "sheets/system_sheets.h"
#include "toolkit/scroll_area.h"
#include "toolkit/table_editor.h"

namespace {

constexpr int kWidth = 1024, kHeight = 900;

uint32_t Rgb(int r, int g, int b)
{
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

int Count_Colour(uint32_t rgb, int x1 = 0, int y1 = 0, int x2 = kWidth - 1, int y2 = kHeight - 1)
{
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (Screen_Pixel_For_Tests(x, y) == rgb) ++n;
    return n;
}

class Pages : public testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1);
        Screen_Start_For_Tests("", kWidth, kHeight);
        Define_Prop_Sheet(0, 0, kWidth - 1, kHeight - 1, 0, 0, "", 1, 1);
        area_ = Area_Create(0, 30, kWidth - 1, kHeight - 1, 0, 1);
        Init_Screen_Palette();
        Set_Corbel_Defaults(&corbel_model);
        corbel_edit_buffer = Corbel_Edit_Buffer{};
        Fill_Edit_Buffer(&corbel_model);
    }
    void TearDown() override
    {
        Release_Rebar_Tables(nullptr);
        Area_Delete_All();
        Screen_Reset_For_Tests();
        results_valid = 0;
        ::unsetenv("EXEC");
    }
    void Show(void (*compose)(int, int, int, int))
    {
        Area_Clear(area_);
        compose(area_, 0, 0, kWidth - 20);
        Area_Update(area_);
        Activate_Prop_Sheet();
        Area_Draw_Items(area_);
    }
    // The reinforcement chosen: one layer of bars of 14 mm.
    static void Choose_One_Layer(int bars)
    {
        Corbel_Model& m = corbel_model;
        m.rebar_chosen = 1;
        m.rebar.layers = 1;
        m.rebar.layer_bars[0] = bars;
        m.rebar.layer_diameter[0] = 7;
    }
    int area_ = -1;
};

}  // namespace

TEST(PageTitle, ProgramCodeNeedsItsOwnTerminator)
{
    char title[32];
    std::memset(title, 'x', sizeof title);
    Format_Page_Title(title, sizeof title);
    EXPECT_EQ(std::strncmp(title, "Q7-EC2", 6), 0);
    EXPECT_EQ(std::strlen(title), 8u);  // two letters of the code and nothing behind them
    char tiny[4];
    Format_Page_Title(tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "Q7-");
}

TEST_F(Pages, PageOneShowsTheSketchTheLoadAndTheButtonBands)
{
    Show(Compose_Register_Page_1);
    EXPECT_GT(Count_Colour(Rgb(233, 233, 233)), 500);  // concrete of the sketch
    EXPECT_GT(Count_Colour(Rgb(177, 0, 0)), 20);       // load arrows
    EXPECT_GT(Count_Colour(Rgb(255, 255, 196)), 500);  // bands of the two data buttons
    EXPECT_GT(corbel_edit_buffer.sketch_area_height, 0);
}

TEST_F(Pages, SwitchingTheSystemOfABeamEndCorbelTurnsItsSectionOnce)
{
    corbel_model.execution = EXECUTION_BEAM_END;
    corbel_model.h = 30.0;
    corbel_model.beam_height = 60.0;
    Show(Compose_Register_Page_1);
    EXPECT_EQ(corbel_model.h, 30.0);  // first build: nothing to compare with
    corbel_model.system = 1 - corbel_model.system;
    Show(Compose_Register_Page_1);
    EXPECT_EQ(corbel_model.h, 60.0);
    EXPECT_EQ(corbel_model.beam_height, 30.0);
    Show(Compose_Register_Page_1);
    EXPECT_EQ(corbel_model.h, 60.0);  // no change of system: no swap
}

TEST_F(Pages, PageThreeShowsTheRebarSketchAndKeepsTheLayers)
{
    Corbel_Model& m = corbel_model;
    m.rebar_chosen = 1;
    m.online_calculation = 1;
    m.rebar.compute_anchorage = 1;
    m.rebar.layers = 2;
    m.rebar.layer_bars[0] = 3;
    m.rebar.layer_bars[1] = 2;
    m.rebar.layer_diameter[0] = 7;
    m.rebar.layer_diameter[1] = 8;
    Show(Compose_Register_Page_3);
    EXPECT_GT(Count_Colour(Rgb(233, 233, 233)), 500);
    EXPECT_GT(Count_Colour(Rgb(177, 0, 0)), 20);
    EXPECT_GT(Count_Colour(Rgb(255, 255, 196)), 500);  // band of the reset button
    ASSERT_GE(rebar_table_handles[0], 0);
    EXPECT_EQ(Table_Editor_Row_Count(rebar_table_handles[0]), 2);
    // A rebuild reads the rows back first; a release leaves them in the model.
    auto* row = static_cast<Bar_Choice_Row*>(Table_Editor_First_Row(rebar_table_handles[0]));
    row->count = 3.95;
    Show(Compose_Register_Page_3);
    Release_Rebar_Tables(&m);
    EXPECT_EQ(rebar_table_handles[0], -1);
    EXPECT_EQ(m.rebar.layers, 2);
    EXPECT_EQ(m.rebar.layer_bars[0], 4);
    EXPECT_EQ(m.rebar.layer_diameter[1], 8);
    // Without the switch the page ends after its check box.
    m.rebar_chosen = 0;
    Show(Compose_Register_Page_3);
    EXPECT_EQ(rebar_table_handles[0], -1);
}

TEST(RebarChecks, LegsBelowTwoBecomeTwo)
{
    double v[] = {1.0, 0.0, 3.0, 0.005, 1.99};
    for (double& x : v) Raise_Below_Two(&x);
    EXPECT_EQ(v[0], 2.0);
    EXPECT_EQ(v[1], 0.0);
    EXPECT_EQ(v[2], 3.0);
    EXPECT_EQ(v[3], 0.005);
    EXPECT_EQ(v[4], 2.0);
}

namespace {

// The items of an area whose text is the given one.
int Items_With_Text(int area, const char* text, int* colour = nullptr)
{
    int n = 0;
    for (Area_Item* it = scroll_areas[area].first_item; it; it = it->next)
        if (it->text && std::strcmp(it->text, text) == 0) {
            ++n;
            if (colour) *colour = it->colour;
        }
    return n;
}

}  // namespace

TEST_F(Pages, MaterialRowsFollowTheChosenClasses)
{
    Corbel_Model& m = corbel_model;
    m.steel_class[0] = steel_class_count;  // the user's steel
    m.concrete_class = 20;                 // LC12/13
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "Bewehrung (zugfestes Material)"), 1);
    EXPECT_EQ(Items_With_Text(area_, "Streckgrenze"), 1);
    EXPECT_EQ(Items_With_Text(area_, "Beton (Leichtbeton)"), 1);
    EXPECT_EQ(Items_With_Text(area_, "Trockenrohdichte"), 1);
    EXPECT_EQ(Items_With_Text(area_, "kg/m\xFA"), 1);  // superscript 3 in the sheet font
    m.steel_class[0] = 3;
    m.concrete_class = 19;  // C100/115
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "Streckgrenze"), 0);
    EXPECT_EQ(Items_With_Text(area_, "Beton"), 1);
    EXPECT_EQ(Items_With_Text(area_, "Trockenrohdichte"), 0);
}

TEST_F(Pages, RequiredReinforcementOnlyWithValidOnlineResults)
{
    Corbel_Model& m = corbel_model;
    // The areas as the fatigue check raised them are shown, not the envelope before it.
    m.summary.As_h = 1.0;
    m.summary.final_As_h = -1.0;  // failed
    m.summary.Asb_h = 1.0;
    m.summary.final_Asb_h = 2.5;
    m.online_calculation = 0;
    results_valid = 1;
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "erf"), 0);
    m.online_calculation = 1;
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "erf"), 2);
    int colour = -1;
    EXPECT_EQ(Items_With_Text(area_, " XXX", &colour), 1);
    EXPECT_EQ(colour, screen_palette.warning_red);
    EXPECT_EQ(corbel_edit_buffer.required_panel[7], 2.5);
    results_valid = 0;  // an edit since the calculation
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "erf"), 0);
}

TEST_F(Pages, ExposureClassesKeepTheirCopies)
{
    Corbel_Model& m = corbel_model;
    m.cover_from_exposure = 1;
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    int found = 0;
    for (Area_Item* it = scroll_areas[area_].first_item; it; it = it->next) {
        if (it->type != AREA_CHOICE || !it->check_int_fn) continue;
        if (it->value_ptr == &m.exposure_first[0]) {
            it->check_int_fn(5);
            EXPECT_EQ(m.exposure_second[0], 5);
            // The annex's five-byte names are shown terminated.
            EXPECT_LE(std::strlen(it->target.entries[1].text), 5u);
            ++found;
        } else if (it->value_ptr == &m.exposure_first[1]) {
            it->check_int_fn(3);
            EXPECT_EQ(m.exposure_second[1], 3);
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
}

TEST_F(Pages, PageThreeMarksRequirementsOnlyWithResults)
{
    Corbel_Model& m = corbel_model;
    Choose_One_Layer(2);
    m.summary.final_As_h = -1.0;
    m.summary.As_nose = 3.69;
    m.summary.l_main_member = 30.0;
    m.rebar.anchorage[0] = 10.0;
    m.online_calculation = 0;
    results_valid = 1;
    Area_Clear(area_);
    Compose_Register_Page_3(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "erf"), 1);  // the axis distance check only
    EXPECT_EQ(Items_With_Text(area_, "XXX"), 0);
    EXPECT_EQ(Items_With_Text(area_, "<"), 0);
    EXPECT_EQ(table_editors[rebar_table_handles[0]].max_rows, 10);  // an eleventh layer is refused
    // The nose's compression steel, which no bar of the page holds, stands with results only.
    EXPECT_EQ(Items_With_Text(area_, "s,Nase"), 0);
    m.online_calculation = 1;
    Area_Clear(area_);
    Compose_Register_Page_3(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "s,Nase"), 1);
    int colour = -1;
    EXPECT_EQ(Items_With_Text(area_, "XXX", &colour), 1);  // the failed tie
    EXPECT_EQ(colour, screen_palette.warning_red);
    EXPECT_EQ(Items_With_Text(area_, "<", &colour), 1);    // the anchorage length is short
    EXPECT_EQ(colour, screen_palette.warning_red);

    // The reset button takes over every computed length above 0.01 at the next build.
    m.summary.D_corbel = 8.4;
    m.summary.D_vert = 0.005;
    m.rebar.anchorage[8] = 3.0;
    corbel_edit_buffer.anchorage_reset_request = 1;
    Area_Clear(area_);
    Compose_Register_Page_3(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(corbel_edit_buffer.anchorage_reset_request, 0);
    EXPECT_EQ(m.rebar.anchorage[0], 30.0);
    EXPECT_EQ(m.rebar.anchorage[4], 8.4);
    EXPECT_EQ(m.rebar.anchorage[8], 3.0);
}

// Four looped 14 mm bars whose anchorage beyond the plate is too short (the report fails
// the chosen bars): page 3 shows the available length short of the required one. Page 1
// names the load position as the report does (Delta a, Delta h).
TEST_F(Pages, PageThreeShowsTheCorbelsShortAnchorage)
{
    Corbel_Model& m = corbel_model;
    m.hk = 45.0;
    m.load_a = 15.0;
    m.rebar.layer_bars[0] = 4;
    m.rebar.group[1] = {4, 2, 2};  // enough horizontal stirrups
    Alloc_Load_Table(&m, 1, 0);
    m.load_table[0][0].A = 420000.0;
    m.load_table[0][0].H = 84000.0;
    Calculate_Corbel(&m, nullptr, 0);
    results_valid = 1;
    Area_Clear(area_);
    Compose_Register_Page_3(area_, 0, 0, kWidth - 20);
    int colour = -1;
    EXPECT_EQ(Items_With_Text(area_, "Verankerung Konsole"), 1);
    EXPECT_EQ(Items_With_Text(area_, "<", &colour), 1);
    EXPECT_EQ(colour, screen_palette.warning_red);
    EXPECT_LT(m.summary.l_prov_main, m.summary.l_req_main);

    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "\xA3" "a") + Items_With_Text(area_, "\xA3" "h"), 2);
}

// A beam-end corbel on a slab: single-legged loops, and the member's bars above and below
// (whatever connection type the corbel keeps stored).
TEST_F(Pages, ABeamEndCorbelOnASlabHasSingleLeggedLoops)
{
    Corbel_Model& m = corbel_model;
    m.rebar_chosen = 1;
    m.execution = EXECUTION_BEAM_END;
    m.at_slab = 1;
    m.system = SYSTEM_LOAD_CORBEL;
    m.connection = CONNECTION_COLUMN;
    corbel_edit_buffer.rebar_count[COUNT_MAIN_TIE_LEGS] = 4.0;
    Area_Clear(area_);
    Compose_Register_Page_3(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "Schlaufen"), 1);
    EXPECT_EQ(Items_With_Text(area_, "oben") + Items_With_Text(area_, "unten"), 4);
    EXPECT_EQ(Items_With_Text(area_, "links") + Items_With_Text(area_, "rechts"), 0);
    EXPECT_EQ(corbel_edit_buffer.rebar_count[COUNT_MAIN_TIE_LEGS], 1.0);
    bool read_only = false;
    for (Area_Item* it = scroll_areas[area_].first_item; it; it = it->next)
        if (it->number == &corbel_edit_buffer.rebar_count[COUNT_MAIN_TIE_LEGS])
            read_only = *it->editable == 0;
    EXPECT_TRUE(read_only);
    EXPECT_EQ(rebar_table_handles[0], -1);  // no layer table
    EXPECT_EQ(Handle_Rebar_Page_Events(), 0);
}

// Results and their marks stand only for a design that ran: not while the data check
// rejects the input (the load beyond the corbel's end), nor after the design broke off.
// What stays is what the pages show without results (the axis distance check).
TEST_F(Pages, NoResultsOrMarksForARejectedOrAbortedDesign)
{
    Corbel_Model& m = corbel_model;
    Choose_One_Layer(4);
    m.summary.As_h = m.summary.final_As_h = 3.0;
    results_valid = 1;
    auto results_shown = [&] {
        int n = 0;
        for (auto compose : {Compose_Register_Page_1, Compose_Register_Page_3}) {
            Area_Clear(area_);
            compose(area_, 0, 0, kWidth - 20);
            n += Items_With_Text(area_, "erf") + Items_With_Text(area_, "\xF2");
        }
        return n;
    };
    m.online_calculation = 0;
    const int without = results_shown();
    m.online_calculation = 1;
    ASSERT_GT(results_shown(), without);

    const double lk = m.lk;
    m.load_a = lk + 5.0;
    ASSERT_EQ(Corbel_Model_Errors(m, nullptr), 1);
    EXPECT_EQ(results_shown(), without);
    // A bearing plate past the corbel's end: page 1 names the data check's error.
    ASSERT_GT(m.lp, 2.0);
    m.load_a = lk - m.lp / 2 + 1.0;
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "Fehler \xA3" "a: Lagerplatte reicht \x81" "ber das Konsolende (\xA3" "a + l"), 1);
    m.load_a = lk / 2;
    ASSERT_EQ(Corbel_Model_Errors(m, nullptr), 0);
    m.summary.fatigue_failed = 1;
    EXPECT_EQ(results_shown(), without);
}

// Page 1 closes with the report's verdict: bars whose axis distance lies beyond the design's
// fail it, named as the report names it.
TEST_F(Pages, PageOneVerdictNamesTheAxisDistance)
{
    Corbel_Model& m = corbel_model;
    Choose_One_Layer(4);
    m.d1k = 2.0;
    Alloc_Load_Table(&m, 1, 0);
    m.load_table[0][0].A = 200000.0;
    m.load_table[0][0].H = 20000.0;
    Calculate_Corbel(&m, nullptr, 0);
    m.online_calculation = 1;
    results_valid = 1;
    Area_Clear(area_);
    Compose_Register_Page_1(area_, 0, 0, kWidth - 20);
    EXPECT_EQ(Items_With_Text(area_, "Fehler bei der Bemessung !!"), 1);
    EXPECT_EQ(Items_With_Text(area_, "s. Achsabstand"), 1);
}
