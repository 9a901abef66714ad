#include "toolkit/icon_bar.h"

#include "sheets/program/main_button_bar.h"
#include "platform/screen/screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t KEY = 0xC0C0C0;
constexpr uint32_t GROUND = 0x123456;

// Two buttons and a disabled one on a bar at (100, 50)-(300, 100): "drucken" (code 3)
// at (110, 56)-(151, 92), "Hilfe" (code 6) at (160, 56)-(201, 92), "Ende" disabled at
// (210, 56)-(251, 92).
Icon_Bar_Button Make_Button(int column, int offset_x, int code, const char* tip)
{
    return Icon_Bar_Button{42, 37, column, 51, column, 89, column, 127, column, 165, offset_x, 6, 1, code, tip, nullptr};
}

struct Test_Bar {
    Icon_Bar_Button buttons[3] = {Make_Button(1, 10, 3, "drucken"), Make_Button(130, 60, 6, "Hilfe"),
                                  Make_Button(173, 110, 7, "Ende")};
    Icon_Bar bar{3, 100, 50, 300, 100, "Buttons.bmp", buttons};
    Test_Bar() { buttons[2].enabled = 0; }
};

const Screen_Image& Buttons()
{
    const Screen_Image* image = Load_Bitmap("Buttons.bmp");
    EXPECT_NE(image, nullptr);
    static Screen_Image none;
    return image ? *image : none;
}

// A pixel of a button's column where two of its image rows differ, both opaque, within
// the first max_dy rows.
struct Spot {
    int dx = -1, dy = -1;
};
Spot Differing_Spot(int column, int row_a, int row_b, int max_dy = 30)
{
    const Screen_Image& b = Buttons();
    for (int dy = 2; dy < max_dy; ++dy)
        for (int dx = 2; dx < 40; ++dx) {
            const uint32_t a = b.At(column + dx, row_a + dy), c = b.At(column + dx, row_b + dy);
            if (a != c && a != KEY && c != KEY) return {dx, dy};
        }
    ADD_FAILURE() << "no differing pixel";
    return {};
}

// Which image of the column the screen shows at the button placed at (x, y).
int Shown_Row(int column, int x, int y, const Spot& s, int row_a, int row_b)
{
    const uint32_t p = Screen_Pixel_For_Tests(x + s.dx, y + s.dy);
    if (p == Buttons().At(column + s.dx, row_a + s.dy)) return row_a;
    if (p == Buttons().At(column + s.dx, row_b + s.dy)) return row_b;
    return -1;
}

// Pixels looked at while a wait of the toolkit runs (the clock stepper, every second of
// the script's time).
std::vector<std::vector<uint32_t>> probes;
std::vector<std::pair<int, int>> probe_points;
void Probe()
{
    std::vector<uint32_t> seen;
    for (auto [x, y] : probe_points) seen.push_back(Screen_Pixel_For_Tests(x, y));
    probes.push_back(seen);
}

class IconBar : public testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1);
        probes.clear();
        probe_points.clear();
    }
    void TearDown() override
    {
        Set_Clock_Stepper(nullptr, 0);
        Icon_Bar_Set_Frame_Flag(0);
        Screen_Reset_For_Tests();
        ::unsetenv("EXEC");
    }
    // A headless screen in the ground colour with the pointer at the script's first move.
    void Start(const char* script, int width = 640, int height = 480)
    {
        Screen_Start_For_Tests(script, width, height);
        pxFgc(GROUND);
        pxRect(0, 0, width - 1, height - 1);
        GetZAVMessage(ZAV_MSG_MOVE, nullptr);
    }
};

TEST_F(IconBar, DrawsRestingImagesAndAFaceUnderTheKeyWhenAsked)
{
    Start("move 0 0\n");
    Test_Bar t;
    Icon_Bar empty{0, 100, 50, 300, 100, "Buttons.bmp", t.buttons};
    Icon_Bar_Draw(&empty);
    EXPECT_EQ(Screen_Pixel_For_Tests(130, 70), GROUND);

    Icon_Bar_Draw(&t.bar);
    const Spot ni = Differing_Spot(173, 51, 127);
    EXPECT_EQ(Shown_Row(1, 110, 56, Differing_Spot(1, 51, 89), 51, 89), 51);
    EXPECT_EQ(Shown_Row(173, 210, 56, ni, 51, 127), 127);  // disabled: inactive image
    Icon_Bar_Draw_Button(&t.bar, &t.buttons[2], 2);
    EXPECT_EQ(Shown_Row(173, 210, 56, ni, 51, 127), 127);  // whatever the state

    // Transparent pixels show the screen, or the face with the frame flag.
    int kx = -1, ky = -1;
    for (int y = 0; y < 37 && kx < 0; ++y)
        for (int x = 0; x < 42 && kx < 0; ++x)
            if (Buttons().At(1 + x, 51 + y) == KEY) kx = x, ky = y;
    ASSERT_GE(kx, 0);
    EXPECT_EQ(Screen_Pixel_For_Tests(110 + kx, 56 + ky), GROUND);
    Icon_Bar_Set_Frame_Flag(1);
    Icon_Bar_Draw(&t.bar);
    EXPECT_EQ(Screen_Pixel_For_Tests(110 + kx, 56 + ky), Resolve_Colour(-1));
}

TEST_F(IconBar, HoverStartsStrictlyInsideLastsOnTheBorderAndShowsTheTipOnce)
{
    Start("move 105 70\n"
          "move 110 70\nwait 1000\n"   // the button's border: no hover
          "move 120 70\nwait 1000\n"   // inside: hover, tip at (120, 90)
          "move 125 72\nwait 1000\n"   // moving within: the tip stays
          "move 110 72\nwait 1000\n"   // back on the border: still hovered
          "move 105 72\nwait 1000\n"   // off the button, still on the bar
          "move 0 0\n");
    Test_Bar t;
    Icon_Bar_Draw(&t.bar);
    const Spot s = Differing_Spot(1, 51, 89);
    probe_points = {{110 + s.dx, 56 + s.dy}, {120, 100}, {122, 100}};
    Set_Clock_Stepper(Probe, 1000);
    EXPECT_EQ(Icon_Bar_Track(&t.bar), 0);
    ASSERT_EQ(probes.size(), 5u);
    const uint32_t normal = Buttons().At(1 + s.dx, 51 + s.dy), hover = Buttons().At(1 + s.dx, 89 + s.dy);
    const uint32_t black = Resolve_Colour(BLACK_CI), white = 0xFFFFFF;
    EXPECT_EQ(probes[0][0], normal);
    EXPECT_EQ(probes[0][1], GROUND);
    EXPECT_EQ(probes[1][0], hover);
    EXPECT_EQ(probes[1][1], black);  // the tip's left border
    EXPECT_EQ(probes[2][1], black);  // not moved with the pointer
    EXPECT_EQ(probes[2][2], white);
    EXPECT_EQ(probes[3][0], hover);
    EXPECT_EQ(probes[4][0], normal);
    EXPECT_EQ(probes[4][1], GROUND);  // gone with the hover
    EXPECT_EQ(Screen_Pixel_For_Tests(110 + s.dx, 56 + s.dy), normal);
}

TEST_F(IconBar, PressOnAGapADisabledButtonOrAnEmptyBarWaitsForTheReleaseAndGivesZero)
{
    Start("move 215 70\nwait 300\ndown\nup\n"
          "move 155 70\ndown\nwait 500\nup\n"
          "move 150 70\ndown\nup\n"
          "move 120 70\nmove 500 70\n");
    Test_Bar t;
    Icon_Bar_Draw(&t.bar);
    const Spot ni = Differing_Spot(173, 51, 127);
    EXPECT_EQ(Icon_Bar_Track(&t.bar), 0);
    EXPECT_EQ(M_LEFT, 0);
    EXPECT_EQ(Shown_Row(173, 210, 56, ni, 51, 127), 127);
    EXPECT_EQ(Icon_Bar_Track(&t.bar), 0);
    EXPECT_EQ(M_LEFT, 0);
    EXPECT_EQ(M_XPOS, 155);

    Icon_Bar empty{0, 100, 50, 300, 100, "Buttons.bmp", t.buttons};
    EXPECT_EQ(Icon_Bar_Track(&empty), 0);
    EXPECT_EQ(M_LEFT, 0);
    EXPECT_EQ(Icon_Bar_Track(&empty), 0);
    EXPECT_EQ(M_XPOS, 500);
    // Not over the bar: at once.
    EXPECT_EQ(Icon_Bar_Track(&empty), 0);
}

TEST_F(IconBar, ClickReturnsTheCodeWhereverReleasedAndShowsPressedUntilThen)
{
    Start("move 105 70\nmove 170 70\ndown\nmove 400 300\nwait 1000\nup\n");
    Test_Bar t;
    Icon_Bar_Draw(&t.bar);
    const Spot s = Differing_Spot(130, 51, 165);
    probe_points = {{160 + s.dx, 56 + s.dy}};
    Set_Clock_Stepper(Probe, 1000);
    EXPECT_EQ(Icon_Bar_Track(&t.bar), 6);
    ASSERT_EQ(probes.size(), 1u);
    EXPECT_EQ(probes[0][0], Buttons().At(130 + s.dx, 165 + s.dy));
    EXPECT_EQ(Shown_Row(130, 160, 56, s, 51, 165), 51);
    EXPECT_EQ(M_LEFT, 0);
}

TEST_F(IconBar, TipsKeepFivePixelsFromTheEdgesAndCountEveryLine)
{
    // A bar in the bottom right corner of a 640 x 480 screen; the button at (570, 436).
    Start("move 565 450\nmove 580 450\nwait 1000\nmove 0 0\n"
          "move 565 450\nmove 580 450\nwait 1000\nmove 0 0\n"
          "move 565 450\nmove 580 450\nwait 1000\nmove 0 0\n");
    Icon_Bar_Button b = Make_Button(1, 10, 3, "Online-Berechnung an/aus");
    Icon_Bar bar{1, 560, 430, 639, 479, "Buttons.bmp", &b};
    Pop_RFont(0x1000);
    const int w = Get_Text_Width_Px("Online-Berechnung an/aus") + 10;
    const int line = RFONT_HEIGHT;
    Push_RFont();
    // Moved in: right border at 635, bottom border at 475.
    const int one_line_top = 475 - (line + 5), two_lines_top = 475 - (2 * line + 5);
    probe_points = {{635, 470}, {636, 470}, {635 - w, 470}, {634 - w, 470}, {585, one_line_top}, {585, two_lines_top},
                    {585, two_lines_top - 1}};
    Set_Clock_Stepper(Probe, 1000);
    EXPECT_EQ(Icon_Bar_Track(&bar), 0);
    b.tool_tip = "A\nB";
    GetZAVMessage(ZAV_MSG_MOVE, nullptr);
    Icon_Bar_Track(&bar);
    b.tool_tip = "A\n";
    GetZAVMessage(ZAV_MSG_MOVE, nullptr);
    Icon_Bar_Track(&bar);
    ASSERT_EQ(probes.size(), 3u);
    const uint32_t black = Resolve_Colour(BLACK_CI);
    EXPECT_EQ(probes[0][0], black);
    EXPECT_NE(probes[0][1], black);
    EXPECT_EQ(probes[0][2], black);
    EXPECT_NE(probes[0][3], black);
    EXPECT_EQ(probes[0][4], black);  // one line: top border
    for (int i = 1; i < 3; ++i) {    // two lines, also with a trailing line feed
        EXPECT_EQ(probes[i][5], black) << i;
        EXPECT_NE(probes[i][6], black) << i;
    }
    EXPECT_EQ(Screen_Pixel_For_Tests(635, 470), GROUND);
}

TEST_F(IconBar, DropDownOpensOnHoverAndAClickInItReturnsAtOnce)
{
    // A drop-down bar of one button below the parent button at (110, 56)-(151, 92).
    Start("move 105 70\nmove 120 70\nwait 300\n"
          "move 120 100\nmove 120 115\nmove 121 115\ndown\nup\n");
    Test_Bar t;
    Icon_Bar_Button sub = Make_Button(216, 10, 2, "Vorschau");
    Icon_Bar drop{1, 100, 100, 200, 150, "Buttons.bmp", &sub};
    t.buttons[0].drop_down = &drop;
    Icon_Bar_Draw(&t.bar);
    const uint32_t under = Screen_Pixel_For_Tests(96, 140);
    EXPECT_EQ(Icon_Bar_Track(&t.bar), 2);
    // The drop-down is put back, pointer still over the parent bar.
    EXPECT_EQ(Screen_Pixel_For_Tests(96, 140), under);
    EXPECT_EQ(M_LEFT, 0);
}

TEST_F(IconBar, MainBarSitsInTheTopRightCornerAndItsOnlineButtonSwapsColumns)
{
    Start("move 330 20\nmove 335 25\ndown\nup\n", 640, 480);
    Main_Button_Bar_Place(640);
    EXPECT_EQ(main_button_bar.x1, 319);
    EXPECT_EQ(main_button_bar.x2, 634);
    Main_Button_Bar_Show_Online(1);
    Icon_Bar_Draw(&main_button_bar);
    // Each button shows its own column's normal image (the online button reaches 10
    // pixels left of the tracked rectangle).
    const int columns[7] = {345, 302, 259, 216, 1, 130, 173};
    const int left[7] = {309, 364, 409, 454, 499, 544, 589};
    for (int i = 0; i < 7; ++i) {
        const Spot s = Differing_Spot(columns[i], 51, 89);
        EXPECT_EQ(Shown_Row(columns[i], left[i], 9, s, 51, 89), 51) << i;
    }
    EXPECT_EQ(Icon_Bar_Track(&main_button_bar), 9);
    Main_Button_Bar_Show_Online(0);
    Icon_Bar_Draw(&main_button_bar);
    const Spot s = Differing_Spot(391, 51, 127);
    EXPECT_EQ(Shown_Row(391, 309, 9, s, 51, 127), 51);
}

// Without "Buttons.bmp" every plain button is as wide as its widest word (or part of a
// hyphenated word): none is cut ("Druckei", "Vorscha", "nationa"). The bar keeps its
// right end, the buttons keep their order and gaps, and with the bitmap back they are
// the bitmap's 42 pixels again.
TEST_F(IconBar, MainBarWithoutItsBitmapFitsTheWordsOfItsButtons)
{
    ::setenv("EXEC", "/nonexistent", 1);
    Forget_Bitmaps();
    Screen_Start_For_Tests("", 640, 480);
    Main_Button_Bar_Place(640);
    const Icon_Bar& bar = main_button_bar;
    for (int i = 0; i < bar.button_count; ++i) {
        const Icon_Bar_Button& b = bar.buttons[i];
        for (const char* word : {"Druckeinstellung", "Vorschau", "nationaler", "Berechnung", "drucken"}) {
            if (std::strstr(b.tool_tip, word)) {
                EXPECT_GE(b.width - 4, Get_Text_Width_In_Font(word, 0x1002)) << word;
            }
        }
        if (i > 0) {
            EXPECT_LE(bar.buttons[i - 1].offset_x + bar.buttons[i - 1].width, b.offset_x) << i;
        }
    }
    const Icon_Bar_Button& last = bar.buttons[bar.button_count - 1];
    EXPECT_EQ(bar.x1 + last.offset_x + last.width, 640 - 321 + 270 + 42);
    EXPECT_LT(bar.x1, 640 - 321);

    Screen_Reset_For_Tests();
    ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1);
    Forget_Bitmaps();
    Screen_Start_For_Tests("", 640, 480);
    Main_Button_Bar_Place(640);
    EXPECT_EQ(main_button_bar.x1, 319);
    EXPECT_EQ(main_button_bar.buttons[2].width, 42);
}

} // namespace
