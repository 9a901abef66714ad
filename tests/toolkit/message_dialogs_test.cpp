// The message sink's dialogs on a headless screen: the list, the progress sheet and the
// busy notice; and that without a screen they block nothing and draw nothing.
#include "toolkit/message_dialogs.h"

#include "base/message_sink.h"

#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/colour_ramp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr uint32_t GROUND = 0x336699;
const char* const kCheck = "Diesen Hinweis nicht nochmal anzeigen";

class MessageDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        Install_Message_Dialogs();
        Reset();
    }
    void TearDown() override
    {
        Progress_Close();
        Busy_Stop();
        Reset();
        Screen_Reset_For_Tests();
    }
    static void Reset()
    {
        Msg_Enable();
        Msg_Set_Batch(0);
        Msg_Set_Mode(MSG_MODE_SHOW);
        for (int i = 0; i < MSG_CONTEXT_COUNT; ++i) Msg_Close_Context(i);
        Clear_Shown_Messages();
        Set_Message_Answer(0);
    }
    static void Start(const char* script)
    {
        Screen_Start_For_Tests(script, 640, 480);
        pxFgc(GROUND);
        pxRect(0, 0, 639, 479);
    }
    // A context holding the messages, current.
    static int Collect(std::initializer_list<const char*> texts)
    {
        const int c = Msg_Open_Context();
        Msg_Set_Context_Name(c, "Hinweise");
        for (const char* t : texts) Msg_Collect("%s", t);
        return c;
    }
};

// Where the list dialog of two short messages with the default check box lies on a
// 640 x 480 screen: a sheet 16 wider than the content around the screen centre, the
// area 8 in and 41 down, the check box 25 below the last line, the button 29 above the
// sheet's bottom and 50 left of its middle.
struct List_Geometry {
    int x1, y1, x2, y2, ax, ay, box_x, box_y, button_x, button_y;
};
List_Geometry List_Of_Two(const char* longest)
{
    const int messages = Get_Text_Width_In_Font(longest, 0x1000) + 3 + 40;
    const int check = std::max(245, 20 + Get_Text_Width_In_Font(kCheck, 0x1000) + 5);
    const int w = std::max(messages, check + 20);
    const int h = 16 * 2 + 70;
    List_Geometry g{};
    g.x1 = 320 - (w + 16) / 2;
    g.y1 = 240 - (h + 76) / 2;
    g.x2 = g.x1 + w + 16;
    g.y2 = g.y1 + h + 76;
    g.ax = g.x1 + 8;
    g.ay = g.y1 + 41;
    g.box_x = g.ax + (w - check + 1) / 2 + 6;  // the box's middle
    g.box_y = g.ay + 20 + 32 + 25 - 4;
    g.button_x = (g.x1 + g.x2) / 2 - 50 + 10;
    g.button_y = g.y2 - 29 + 8;
    return g;
}

TEST_F(MessageDialogs, ListShowsCodedLinesAndItsCheckBoxTellsShowOnce)
{
    // First run: "Weiter      " at once (the pointer waits on it): not ticked.
    // Second run: tick the box, then the button.
    const List_Geometry g = List_Of_Two("Zweite Zeile");
    const std::string script = "down\nup\n"
                               "move " + std::to_string(g.box_x) + " " + std::to_string(g.box_y) + "\ndown\nup\n"
                               "move " + std::to_string(g.button_x) + " " + std::to_string(g.button_y) + "\ndown\nup\n";
    Start(script.c_str());
    Collect({"^bErste", "Zweite \xCE" "C255 Zeile\xCE" "c"});
    EXPECT_EQ(Msg_Show_Current_Once(), 1);
    EXPECT_EQ(Msg_Show_Current_Once(), 0);
    // The dialog is gone: the screen is as before, nothing went to the box stand-in.
    EXPECT_EQ(Screen_Pixel_For_Tests(g.x1 + 3, g.y1 + 3), GROUND);
    EXPECT_TRUE(Shown_Messages().empty());
}

// Probes the list while its dialog waits (the clock stepper runs inside the waits).
List_Geometry probe_geometry;
bool saw_ground = false, saw_blue_run = false, saw_black_text = false;
void Probe_List()
{
    const List_Geometry& g = probe_geometry;
    saw_ground = Screen_Pixel_For_Tests(g.x2 - 30, g.ay + 40) == 0xFFF5DC;
    for (int y = g.ay + 8; y <= g.ay + 40; ++y)
        for (int x = g.ax + 15; x < g.ax + 150; ++x) {
            const uint32_t p = Screen_Pixel_For_Tests(x, y);
            const int r = (p >> 16) & 0xFF, gr = (p >> 8) & 0xFF, b = p & 0xFF;
            if (b > 150 && r < 90 && gr < 90 && y > g.ay + 24) saw_blue_run = true;
            if (r < 40 && gr < 40 && b < 40 && y < g.ay + 22) saw_black_text = true;
        }
}

TEST_F(MessageDialogs, ListDrawsOnItsGroundWithColouredRuns)
{
    probe_geometry = List_Of_Two("Zweite Zeile");
    saw_ground = saw_blue_run = saw_black_text = false;
    Start("wait 200\ndown\nup\n");
    Set_Clock_Stepper(Probe_List, 100);
    Collect({"^bErste", "Zweite \xCE" "C255 Zeile\xCE" "c"});
    EXPECT_EQ(Msg_Show_Current_Once(), 1);
    Set_Clock_Stepper(nullptr, 0);
    EXPECT_TRUE(saw_ground);
    EXPECT_TRUE(saw_black_text);
    EXPECT_TRUE(saw_blue_run);  // colour 255 is pure blue
}

TEST_F(MessageDialogs, WithoutAScreenOrInABatchNothingBlocksAndNothingIsDrawn)
{
    Collect({"Erste"});
    Set_Message_Answer(1);
    EXPECT_EQ(Msg_Show_Current_Once(), 0);  // the stand-in's question answered yes
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].title, "Hinweise");

    Progress_Descriptor d;
    Progress_Init(&d, 1);
    d.bars[0].total = 3;
    Progress_Open(&d);
    EXPECT_EQ(Progress_Is_Open(), 1);
    Progress_Step(0);
    EXPECT_EQ(Progress_Get_Value(0), 1);
    Progress_Close();
    EXPECT_EQ(Progress_Is_Open(), 0);

    Busy_Start("Schritt %d", 1);
    EXPECT_EQ(Busy_Is_Shown(), 1);
    Busy_Stop();
    EXPECT_EQ(Busy_Is_Shown(), 0);
    EXPECT_EQ(Shown_Messages().size(), 1u);  // no box for the busy notice
}

TEST_F(MessageDialogs, ProgressBarsLieInsideTheSheetWithTheDefaultWidth)
{
    Start("");
    Progress_Descriptor d;
    Progress_Init(&d, 2);
    ASSERT_EQ(d.width, -1);
    std::strcpy(d.title, "Berechnung");
    std::strcpy(d.bars[0].label, "Lastfall");
    d.bars[0].total = 10;
    std::strcpy(d.bars[1].label, "Schnitt");  // inactive: total 0
    Progress_Open(&d);
    ASSERT_EQ(Progress_Is_Open(), 1);
    // The sheet: 214 x 169 around the centre; the area 14 in, 42 down.
    const int ax = 320 - 107 + 14, ay = 240 - 84 + 42;
    const int bar_y = ay + 30, second_y = ay + 77;
    const uint32_t black = Resolve_Colour(BLACK_CI);
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 20, bar_y + 12), black);   // left end of the box
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 160, bar_y + 12), black);  // right end at W - 40
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 100, bar_y + 12), 0xFFFFE1u);

    Progress_Set_Value(0, 5);
    const int bar = Nearest_RGB_Color(0, 88, 176);
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 60, bar_y + 9), static_cast<uint32_t>(bar));
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 60, bar_y + 14), static_cast<uint32_t>(Lighten_Colour_Index(bar, 60)));
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 100, bar_y + 9), 0xFFFFE1u);  // 22 + 68 = 90 filled

    // More than the total: the filling stops inside the box, the frame stays.
    Progress_Set_Value(0, 25);
    EXPECT_EQ(Progress_Get_Value(0), 25);
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 158, bar_y + 9), static_cast<uint32_t>(bar));
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 160, bar_y + 12), black);
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 161, bar_y + 12), 0xE9F0F5u);

    // The inactive bar: an empty grey frame; steps leave it alone.
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 20, second_y + 12), 0x505050u);
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 60, second_y + 14), 0xE1E1E1u);
    Progress_Step(1);
    Progress_Step_Text(1, "weiter");
    Progress_Set_Value(1, 4);
    EXPECT_EQ(Progress_Get_Value(1), 0);
    EXPECT_EQ(Progress_Get_Value(5), -1);

    Progress_Close();
    EXPECT_EQ(Progress_Is_Open(), 0);
    EXPECT_EQ(Screen_Pixel_For_Tests(ax + 60, bar_y + 9), GROUND);
}

TEST_F(MessageDialogs, BusyNoticeShowsItsStatusLineAndPutsTheScreenBack)
{
    Start("");
    const int cx = 320, cy = 240;
    Busy_Start("Schritt %d von %d", 1, 3);
    EXPECT_EQ(Busy_Is_Shown(), 1);
    EXPECT_EQ(Screen_Pixel_For_Tests(cx - 130, cy + 48), Resolve_Colour(-1));
    // An update is due 100 ms after the last drawing, not before.
    EXPECT_EQ(Busy_Due(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(110));
    EXPECT_EQ(Busy_Due(), 1);
    Busy_Update("Schritt %d von %d", 2, 3);
    EXPECT_EQ(Busy_Due(), 0);
    EXPECT_EQ(Screen_Pixel_For_Tests(cx - 130, cy + 48), Resolve_Colour(-1));
    Busy_Stop();
    EXPECT_EQ(Busy_Due(), 0);
    EXPECT_EQ(Busy_Is_Shown(), 0);
    for (int x : {cx - 131, cx, cx + 123})
        for (int y : {cy - 40, cy, cy + 47, cy + 59}) EXPECT_EQ(Screen_Pixel_For_Tests(x, y), GROUND) << x << "," << y;
    // Update without a shown notice does nothing.
    Busy_Update("weg");
    EXPECT_EQ(Busy_Is_Shown(), 0);
    EXPECT_EQ(Screen_Pixel_For_Tests(cx - 130, cy + 48), GROUND);
}

} // namespace
