// The register dialogs: page changes over disabled pages and refusals, pages without a
// tab, the page dialog's own button codes, and a screenshot of the tabs.
#include "toolkit/form_core.h"

#include "platform/screen/screen.h"
#include "test_support.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<int> built;
int refusals = 0;

void Build_0(int, int) { built.push_back(0); Form_Label(10, 20, "Seite eins", nullptr); }
void Build_1(int, int) { built.push_back(1); }
void Build_2(int, int) { built.push_back(2); Form_Label(10, 20, "Seite drei", nullptr); }
void Build_3(int, int) { built.push_back(3); }
int Refuse_Once_Onto_2(int, int new_page) { return new_page == 2 && refusals++ == 0; }

class FormRegister : public testing::Test {
protected:
    void SetUp() override
    {
        form_internal::Reset();
        built.clear();
        refusals = 0;
    }
    void TearDown() override
    {
        Area_Delete_All();
        form_internal::Reset();
        Screen_Reset_For_Tests();
    }
    Form_Dialog dialog;
    Form_Page pages[4];
    void Fill()
    {
        Form_Dialog_Defaults(&dialog);
        std::snprintf(dialog.title, sizeof dialog.title, "Register");
        dialog.content_height = 200;
        dialog.content_width = 300;
        dialog.page_change = Refuse_Once_Onto_2;
        Form_Page_Defaults(4, pages);
        const char* names[] = {"Eins", "Zwei", "Drei", "Vier"};
        void (*builds[])(int, int) = {Build_0, Build_1, Build_2, Build_3};
        for (int i = 0; i < 4; ++i) {
            std::snprintf(pages[i].name, sizeof pages[i].name, "%s", names[i]);
            pages[i].build = builds[i];
        }
        pages[1].kind = 0;   // disabled
        pages[3].kind = -2;  // no tab, no area
    }
};

// On 640 x 480 the sheet is 336 x 326 from (152, 77); the three tabs are 106 wide from
// x 160, 107 apart, in the row y 118 ... 148.
TEST_F(FormRegister, DisabledPagesAndRefusalsKeepThePageShownBefore)
{
    Temp_Dir shots;
    ::setenv("ZAV_SHOT_DIR", shots.path().c_str(), 1);
    Screen_Start_For_Tests("shot register.png\nclick 317 135\nclick 424 135\nclick 424 135\nshot drei.png\nkey Esc\n");
    Fill();
    EXPECT_EQ(Form_Run_Register_Dialog(&dialog, 4, pages), 0);
    ::unsetenv("ZAV_SHOT_DIR");
    EXPECT_TRUE(File_Exists(shots.file("register.png")));
    EXPECT_EQ(built, (std::vector<int>{0, 0, 0, 2}));
    EXPECT_EQ(dialog.last_page, 2);
    EXPECT_EQ(Form_Dialog_Level(), 0);
    EXPECT_EQ(screen::Sheet_Count(), 0);

    // The next run opens on the page shown last.
    built.clear();
    Screen_Reset_For_Tests();
    Screen_Start_For_Tests("key Esc\n");
    EXPECT_EQ(Form_Run_Register_Dialog(&dialog, 4, pages), 0);
    EXPECT_EQ(built, (std::vector<int>{2}));
    EXPECT_EQ(Form_Run_Register_Dialog(&dialog, 0, pages), 0);  // no pages: nothing
}

// Pixels of a rectangle of the screen that match.
template <class Match>
int Screen_Count(int x1, int y1, int x2, int y2, Match match)
{
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) n += match(Screen_Pixel_For_Tests(x, y)) ? 1 : 0;
    return n;
}

TEST_F(FormRegister, PixelsOfTheTabsCaptionsAndFooter)
{
    Screen_Start_For_Tests("key Esc\n");
    Fill();
    dialog.footer = [](char* text) { std::snprintf(text, 200, "Hinweis"); };
    static uint32_t in_page = 0, face = 0, footer_top = 0, footer_bottom = 0;
    static int enabled_black = 0, disabled_black = 0, disabled_grey = 0;
    dialog.cancel_check = [] {
        in_page = Screen_Pixel_For_Tests(300, 300);
        face = Screen_Pixel_For_Tests(155, 390);
        // Captions on the base line 138: "Eins" from x 168, the disabled "Zwei" from 275.
        auto black = [](uint32_t c) { return c == 0u; };
        auto grey = [](uint32_t c) {
            const uint32_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
            return r == g && g == b && r >= 0x70 && r <= 0xA0;
        };
        enabled_black = Screen_Count(168, 126, 200, 138, black);
        disabled_black = Screen_Count(275, 126, 307, 138, black);
        disabled_grey = Screen_Count(275, 126, 307, 138, grey);
        // The footer (222, 377)-(437, 394) stands raised: light above, dark below.
        footer_top = Screen_Pixel_For_Tests(300, 377);
        footer_bottom = Screen_Pixel_For_Tests(300, 394);
        return 0;
    };
    EXPECT_EQ(Form_Run_Register_Dialog(&dialog, 4, pages), 0);
    EXPECT_EQ(in_page, 0xFFFBF0u);  // the areas' ground
    EXPECT_EQ(face, Resolve_Colour(ZAV_COLOUR_FACE));
    EXPECT_GT(enabled_black, 5);
    EXPECT_EQ(disabled_black, 0);
    EXPECT_GT(disabled_grey, 5);
    EXPECT_EQ(footer_top, Resolve_Colour(ZAV_COLOUR_LIGHT_EDGE));
    EXPECT_EQ(footer_bottom, Resolve_Colour(ZAV_COLOUR_DARK_EDGE));
}

TEST_F(FormRegister, OnePageHasNoTabsAndThePageDialogAnswersItsOwnCodes)
{
    // One page: a tab code is no page change (the preset answers act once each).
    Screen_Start_For_Tests("key Enter\n");
    Fill();
    dialog.preset_result = 1001;
    EXPECT_EQ(Form_Run_Register_Dialog(&dialog, 1, pages), 1);
    EXPECT_EQ(dialog.last_page, 0);

    Screen_Reset_For_Tests();
    Screen_Start_For_Tests("key Enter\nkey Esc\n");
    Fill();
    pages[1].kind = 1;
    EXPECT_EQ(Form_Run_Page_Dialog(120, 300, "Seiten", 2, pages, nullptr, ""), 1);
    EXPECT_EQ(Form_Run_Page_Dialog(120, 300, "Seiten", 1, pages, nullptr, ""), 0);
    EXPECT_EQ(Form_Run_Page_Dialog(120, 300, "Seiten", 0, pages, nullptr, ""), 0);
}

} // namespace
