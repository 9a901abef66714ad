// The layout of the three register pages for the example positions, with the results of
// a calculation shown: no label runs into a number field, a choice, a check box or a
// picture, and no picture covers a field; in the drawn sketch no text runs into another or
// is struck through by an outline or extension line. The items are read back from the
// composed area and measured in their fonts.
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "sheets/program/main_loop.h"
#include "core/position_file.h"
#include "platform/fonts.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "sheets/corbel_sketch.h"
#include "sheets/edit_buffer.h"
#include "sheets/loads_page.h"
#include "sheets/rebar_sheet.h"
#include "sheets/register_pages.h"
#include "test_support.h"
#include "toolkit/scroll_area_internal.h"
#include "toolkit/table_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Box {
    int x1, y1, x2, y2;
    std::string what;
    int font = 0;
};

bool Overlap(const Box& a, const Box& b)
{
    return a.x1 <= b.x2 && b.x1 <= a.x2 && a.y1 <= b.y2 && b.y1 <= a.y2;
}

std::string Name(const Box& b)
{
    char at[48];
    std::snprintf(at, sizeof at, " (%d,%d)-(%d,%d)", b.x1, b.y1, b.x2, b.y2);
    return b.what + at;
}

struct PageLayout : ::testing::Test {
    int area = -1;
    void SetUp() override
    {
        ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1);
        Screen_Start_For_Tests("", 1280, 1024);
        Init_Prop_Sheets();
        Init_Screen_Palette();
        Define_Prop_Sheet(0, 0, 1279, 1023, 1, 0, "Konsole", 1, 1);
        area = Area_Create(10, 40, 1270, 1010, 0, 1);
        Activate_Prop_Sheet();
    }
    void TearDown() override
    {
        for (int& h : load_table_handles) h = -1;
        for (int& h : rebar_table_handles) h = -1;
        for (int i = 0; i < TABLE_EDITOR_COUNT; ++i) Table_Editor_Delete(i);
        Area_Delete_All();
        Screen_Reset_For_Tests();
        results_valid = 0;
        Clear_Corbel_Model(&corbel_model);
        corbel_edit_buffer = Corbel_Edit_Buffer{};
        ::unsetenv("EXEC");
    }

    // Labels (texts), the frames of the interactive items, and pictures.
    void Collect(std::vector<Box>& labels, std::vector<Box>& frames, std::vector<Box>& pictures)
    {
        for (const Area_Item* p = Area_Slot(area)->first_item; p; p = p->next) {
            const std::string text = p->text ? p->text : "";
            switch (p->type) {
            case AREA_TEXT:
            case AREA_CLICK_TEXT: {
                const int w = Area_Text_Width(p->text, p->font);
                if (w > 0)
                    labels.push_back({p->x1, p->y1 - Font_Ascent(p->font) + 1, p->x1 + w - 1, p->y1 + 1, "text " + text,
                                      p->font & 0xFFFF});
                break;
            }
            case AREA_FLOAT_FIELD: {
                const int w = Raise_To_Even(Area_Number_Width(p));
                frames.push_back({p->x1 - 7, p->y1 - 13, p->x1 + w + 7, p->y1 + 5, "field " + text});
                break;
            }
            case AREA_CHOICE: frames.push_back({p->x1 - 7, p->y1 - 13, p->x1 + p->aux + 18, p->y1 + 5, "choice"}); break;
            case AREA_CHECK_BOX:
                frames.push_back({p->x1 - 20, p->y1 - 10, p->x1 + Area_Text_Width(p->text, p->font), p->y1 + 2,
                                  "check box " + text});
                break;
            case AREA_BITMAP:
                if (text.rfind("EC2_konlasten0", 0) != 0 || text == "EC2_konlasten0_pic.bmp")
                    pictures.push_back({p->x1, p->y1, p->x2, p->y2, "picture " + text});
                break;
            case AREA_CUSTOM: pictures.push_back({p->x1, p->y1, p->x2, p->y2, "sketch"}); break;
            case AREA_BITMAP_BUTTON: pictures.push_back({p->x1, p->y1, p->x2, p->y2, "button " + text}); break;
            default: break;
            }
        }
    }

    // Draws the sketch items and checks their texts against each other and the lines.
    void Expect_Sketch_Readable(const char* position, int page)
    {
        auto box = [](const Sketch_Box& b) { return Box{b.x1, b.y1, b.x2, b.y2, "sketch text"}; };
        for (const Area_Item* p = Area_Slot(area)->first_item; p; p = p->next) {
            if (p->type != AREA_CUSTOM || !p->draw_fn) continue;
            p->draw_fn(p->x1, p->y1, p->x2, p->y2, p->data);
            const std::vector<Sketch_Box>& texts = Sketch_Texts();
            for (size_t i = 0; i < texts.size(); ++i) {
                for (size_t j = i + 1; j < texts.size(); ++j)
                    EXPECT_FALSE(Overlap(box(texts[i]), box(texts[j])))
                        << position << " page " << page << ": " << Name(box(texts[i])) << " on " << Name(box(texts[j]));
                // Lines along an axis, against the text less its edge pixels.
                const Box inner{texts[i].x1 + 1, texts[i].y1 + 1, texts[i].x2 - 1, texts[i].y2 - 1, ""};
                for (const Sketch_Box& l : Sketch_Strokes())
                    if (l.x1 == l.x2 || l.y1 == l.y2) {
                        EXPECT_FALSE(Overlap(inner, {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2),
                                                     std::max(l.y1, l.y2), ""}))
                            << position << " page " << page << ": line through " << Name(box(texts[i]));
                    }
            }
        }
    }

    // after: changes the results before the page is composed.
    void Expect_Clear(const char* position, int page, const std::function<void(Corbel_Model&)>& after = {})
    {
        std::FILE* f = std::fopen((std::string(CORBEL_SOURCE_DIR "/examples/") + position).c_str(), "r");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(Read_Corbel_Model(f, &corbel_model), 0);
        std::fclose(f);
        corbel_model.rebar_chosen = 1;  // page 3 shows its blocks only with the bars chosen
        corbel_edit_buffer = Corbel_Edit_Buffer{};
        Fill_Edit_Buffer(&corbel_model);
        Calculate_Corbel(&corbel_model, nullptr, 0);
        if (after) after(corbel_model);
        results_valid = 1;
        void (*compose[3])(int, int, int, int) = {Compose_Register_Page_1, Compose_Register_Page_2,
                                                  Compose_Register_Page_3};
        Area_Clear(area);
        compose[page - 1](area, 0, 0, 1250);
        std::vector<Box> labels, frames, pictures;
        Collect(labels, frames, pictures);
        // Labels in the normal font (an index may stand close to its symbol).
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j) {
                if (labels[i].font != 0x1002 && labels[j].font != 0x1002) {
                    EXPECT_FALSE(Overlap(labels[i], labels[j]))
                        << position << " page " << page << ": " << Name(labels[i]) << " on " << Name(labels[j]);
                }
            }
        for (const Box& l : labels) {
            for (const Box& f : frames) EXPECT_FALSE(Overlap(l, f)) << position << " page " << page << ": " << Name(l) << " on " << Name(f);
            for (const Box& p : pictures) EXPECT_FALSE(Overlap(l, p)) << position << " page " << page << ": " << Name(l) << " on " << Name(p);
        }
        for (const Box& f : frames)
            for (const Box& p : pictures) EXPECT_FALSE(Overlap(f, p)) << position << " page " << page << ": " << Name(f) << " on " << Name(p);
        Expect_Sketch_Readable(position, page);
        Apply_Edit_Buffer(&corbel_model);
    }
};

} // namespace

TEST_F(PageLayout, NoLabelRunsIntoAFieldOrAPicture)
{
    for (const char* position : {"B1_01.INP", "B1_02.INP", "B1_03.INP", "B1_04.INP", "B1_05.INP"})
        for (int page = 1; page <= 3; ++page) Expect_Clear(position, page);
}

// The results row of page 1 with the anchorage's z3 followed by another requirement, and
// the import buttons of page 2 with the component import tool at hand.
TEST_F(PageLayout, TheResultsRowAndTheImportButtonsLeaveRoom)
{
    import_tool_available = 1;
    Expect_Clear("B1_02.INP", 2);
    import_tool_available = -1;
    Expect_Clear("B1_02.INP", 1, [](Corbel_Model& m) {
        m.summary.As_v1 = 2.0;
        m.summary.z3 = 48.0;
        m.summary.Asb_h = 1.5;
    });
}
