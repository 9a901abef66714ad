#include "toolkit/choice_popups.h"

#include "platform/environment.h"
#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr uint32_t GREY = 0x646464;
constexpr uint32_t GROUND = 0xEBFFFF;     // (235, 255, 255)
constexpr uint32_t HIGHLIGHT = 0x005096;  // (0, 80, 150)
constexpr uint32_t TRACK = 0xC9EDED;      // (201, 237, 237)
constexpr uint32_t RED = 0xFF0000;

// The screen and the pointer as they were at the last tick of the library clock: the
// pop-ups are modal, so the tests look at them through the script's "wait" lines.
struct Snapshot {
    int px = -1, py = -1;
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};
Snapshot snap;

void Take_Snapshot()
{
    screen::True_Pointer(&snap.px, &snap.py, nullptr, nullptr);
    snap.w = NPIXEL_X;
    snap.h = NPIXEL_Y;
    snap.pixels.resize(static_cast<size_t>(snap.w) * snap.h);
    for (int y = 0; y < snap.h; ++y)
        for (int x = 0; x < snap.w; ++x) snap.pixels[static_cast<size_t>(y) * snap.w + x] = Screen_Pixel_For_Tests(x, y);
}

struct Rect {
    int x1, y1, x2, y2;
};

// The painted rectangle around a point of the snapshot (the screen is grey elsewhere).
Rect Painted_Around(int x, int y)
{
    Rect r{x, y, x, y};
    while (r.x1 > 0 && snap.At(r.x1 - 1, y) != GREY) --r.x1;
    while (r.x2 < snap.w - 1 && snap.At(r.x2 + 1, y) != GREY) ++r.x2;
    while (r.y1 > 0 && snap.At(x, r.y1 - 1) != GREY) --r.y1;
    while (r.y2 < snap.h - 1 && snap.At(x, r.y2 + 1) != GREY) ++r.y2;
    return r;
}

std::vector<Choice_Entry> Entries(int count)
{
    static std::vector<std::string> texts;
    texts.clear();
    for (int i = 0; i < count; ++i) texts.push_back("Eintrag " + std::to_string(i));
    std::vector<Choice_Entry> e;
    for (int i = 0; i < count; ++i) e.push_back({Nearest_RGB_Color(0, 0, 0), texts[i].c_str()});
    return e;
}

class ChoicePopup : public testing::Test {
protected:
    std::vector<Choice_Entry> entries;
    Area_Item item;
    int index = 0;

    void TearDown() override { Screen_Reset_For_Tests(); }

    void Start(const std::string& script, int width, int height)
    {
        Screen_Start_For_Tests(script, width, height);
        pxFgc(static_cast<int>(GREY));
        pxRect(0, 0, width - 1, height - 1);
        snap = Snapshot{};
        Set_Clock_Stepper(Take_Snapshot, 1);
        msStCu(400, 100);
    }

    // A choice list of count entries, box 100 pixels wide, showing entry current.
    void Choice(int count, int current)
    {
        entries = Entries(count);
        item = Area_Item{};
        item.type = AREA_CHOICE;
        item.font = 0x1000;
        item.aux = 100;
        item.extra = count;
        index = current;
        item.value_ptr = &index;
        item.target.entries = entries.data();
    }

    void Picture_Choice(int count, int pw, int ph, int current)
    {
        item = Area_Item{};
        item.type = AREA_PICTURE_CHOICE;
        item.x2 = pw;
        item.y2 = ph;
        item.extra = count;
        index = current;
        item.value_ptr = &index;
        item.text = const_cast<char*>("keine_bilder.bmp");
    }
};

// The field's text at x = 100, so the list spans x 93 .. 225 (100 + 32 pixels wide).
constexpr int X = 100, X1 = 93, X2 = 225;

TEST_F(ChoicePopup, ShortListOpensBelowWithoutSliderAndGivesEverythingBack)
{
    Start("wait 2\nkey Enter\n", 640, 480);
    Choice(3, 1);
    EXPECT_EQ(Area_Choice_Popup(X, 200, &item), 1);
    EXPECT_EQ(index, 1);
    // Below the field, 13 x 3 + 6 high; the pointer on the current row.
    const Rect r = Painted_Around(150, 215);
    EXPECT_EQ(r.x1, X1);
    EXPECT_EQ(r.x2, X2);
    EXPECT_EQ(r.y1, 205);
    EXPECT_EQ(r.y2, 250);
    EXPECT_EQ(snap.px, X1 + 66);
    EXPECT_EQ(snap.py, 205 + 6 + 13);
    EXPECT_EQ(snap.At(X1 + 3, 205 + 26 - 5), HIGHLIGHT);
    EXPECT_NE(snap.At(X2 - 9, 205 + 20), TRACK);
    // Afterwards: the screen under it restored, the open marker left, the pointer back.
    EXPECT_EQ(Screen_Pixel_For_Tests(150, 230), GREY);
    EXPECT_EQ(Screen_Pixel_For_Tests(X2 - 9, 200 - 4), RED);
    int px, py;
    screen::True_Pointer(&px, &py, nullptr, nullptr);
    EXPECT_EQ(px, 400);
    EXPECT_EQ(py, 100);
}

TEST_F(ChoicePopup, NearTheBottomOpensOverTheField)
{
    Start("wait 2\nkey Esc\n", 640, 480);
    Choice(3, 0);
    EXPECT_EQ(Area_Choice_Popup(X, 460, &item), 0);
    const Rect r = Painted_Around(150, 430);
    EXPECT_EQ(r.y2, 460 - 13);
    EXPECT_EQ(r.y1, 460 - 13 - 45);
}

TEST_F(ChoicePopup, LongListShowsWhatFitsWithTheCurrentEntryInTheMiddle)
{
    // 300 pixels below, less above: (300 - 48) / 13 = 19 rows.
    Start("wait 2\n"
          "key Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\n"
          "key Down\nwait 2\nkey Enter\n"
          // Down on the last entry keeps it.
          "key Down\nkey Enter\n",
          640, 480);
    Choice(40, 20);
    EXPECT_EQ(Area_Choice_Popup(X, 180, &item), 1);
    EXPECT_EQ(index, 30);
    const int top = 185;
    const Rect r = Painted_Around(150, 200);
    EXPECT_EQ(r.y1, top);
    EXPECT_EQ(r.y2, top + 19 * 13 + 6);
    EXPECT_EQ(snap.At(X2 - 9, top + 20), TRACK);
    EXPECT_EQ(snap.py, top + 6 + 13 * 9);  // put on entry 20 in row 9 (keys leave it)
    // The tenth Down went past the last shown row: the list scrolled by one, the
    // highlight on its last row.
    EXPECT_EQ(snap.At(X1 + 3, top + 13 + 13 * 18 - 5), HIGHLIGHT);

    Choice(40, 39);
    EXPECT_EQ(Area_Choice_Popup(X, 180, &item), 1);
    EXPECT_EQ(index, 39);
}

TEST_F(ChoicePopup, HoldingTheUpArrowScrollsEvery100ms)
{
    // current 20 shown in row 9 of 19, first 11; the up arrow at the slider's top.
    std::string script = "move 216 193\ndown\n";
    for (int i = 0; i < 15; ++i) script += "move 216 193\n";
    script += "up\nkey Enter\n";
    Start(script, 640, 480);
    Set_Clock_Stepper(nullptr, 0);  // no snapshots while the clock runs on
    Choice(40, 20);
    const double t0 = Library_Clock_Seconds();
    EXPECT_EQ(Area_Choice_Popup(X, 180, &item), 1);
    EXPECT_EQ(index, 9);  // 11 steps up, then the first entry was shown
    EXPECT_NEAR(Library_Clock_Seconds() - t0, 1.6, 1e-9);
}

TEST_F(ChoicePopup, TrackClickAboveTheThumbJumpsToTheFirstPageOnTheSameRow)
{
    Start("click 216 205\nwait 2\nkey Enter\n", 640, 480);
    Choice(40, 20);
    EXPECT_EQ(Area_Choice_Popup(X, 180, &item), 1);
    EXPECT_EQ(index, 9);
    EXPECT_EQ(snap.At(X1 + 3, 185 + 13 + 13 * 9 - 5), HIGHLIGHT);
}

TEST_F(ChoicePopup, ClickOutsideOrOnTheBorderTakesNothing)
{
    // Rows at 205 + 13 i. Over row 2, then out of the list (the pointer is held on its
    // border) and a click there; then the same onto the left border itself.
    for (const char* leave : {"move 150 236\nmove 400 400\nwait 2\nclick 400 400\n",
                              "move 150 236\nmove 93 211\nwait 2\nclick 93 211\n"}) {
        Start(leave, 640, 480);
        Choice(3, 0);
        EXPECT_EQ(Area_Choice_Popup(X, 200, &item), 0) << leave;
        EXPECT_EQ(index, 0);
        EXPECT_EQ(snap.At(X1 + 3, 205 + 39 - 5), GROUND);  // nothing highlighted at the click
        Screen_Reset_For_Tests();
    }
}

TEST_F(ChoicePopup, OtherKeysCloseWithoutChangeAndWheelStepsAreUsedUp)
{
    Start("text \"a\"\nwheel -1\nkey Enter\n", 640, 480);
    Choice(40, 20);
    EXPECT_EQ(Area_Choice_Popup(X, 180, &item), 0);
    EXPECT_EQ(index, 20);
    EXPECT_EQ(Area_Choice_Popup(X, 180, &item), 1);
    EXPECT_EQ(index, 21);
    EXPECT_EQ(M_SCROLL, 0);
}

TEST_F(ChoicePopup, TightSpaceKeepsOneRowAndAThumbWithoutRoomDoesNotDrag)
{
    // 150 pixels high, the field in the middle: (75 - 48) / 13 = 2 rows, no room for the
    // thumb to travel. Dragging it up must not move the list.
    Start("move 216 97\ndown\nmove 216 85\nup\nkey Enter\n", 640, 150);
    Choice(10, 0);
    EXPECT_EQ(Area_Choice_Popup(X, 75, &item), 1);
    EXPECT_EQ(index, 0);

    // 100 pixels high: no full row fits; one is shown all the same.
    Screen_Reset_For_Tests();
    Start("wait 2\nkey Down\nkey Enter\n", 640, 100);
    Choice(10, 3);
    EXPECT_EQ(Area_Choice_Popup(X, 50, &item), 1);
    EXPECT_EQ(index, 4);
    const Rect r = Painted_Around(150, 60);
    EXPECT_EQ(r.y2 - r.y1, 13 + 6);
}

TEST_F(ChoicePopup, ScreenOf200PixelsStillDragsItsThumb)
{
    // (100 - 48) / 13 = 4 rows of 40; thumb 6 pixels at 121 .. 127, step 20 / 36.
    Start("move 216 123\ndown\nmove 216 133\nup\nkey Enter\n", 640, 200);
    Choice(40, 0);
    EXPECT_EQ(Area_Choice_Popup(X, 100, &item), 1);
    EXPECT_EQ(index, 17);  // (10 - 0.5) * 36 / 20, truncated
}

TEST_F(ChoicePopup, PictureListInAFortyPixelAreaShowsOneRow)
{
    Start("wait 2\nkey Down\nkey Enter\n", 640, 300);
    Picture_Choice(5, 30, 20, 2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Area_Picture_Choice_Popup(250, 290, 100, 255, &item), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(index, 3);
    // Row height 24: the list starts under the field (26 high) and keeps one row.
    const Rect r = Painted_Around(105, 285);
    EXPECT_EQ(r.y1, 255 + 26);
    EXPECT_EQ(r.y2, 299);  // 255 + 26 + 30 lies beyond the screen's edge
    // The open marker beside the field.
    EXPECT_EQ(Screen_Pixel_For_Tests(100 + 50 - 9, 255 + 9), RED);
}

TEST_F(ChoicePopup, PictureThumbWithoutTravelDoesNotDrag)
{
    // Pictures 12 high (rows of 16), 70 pixels above the field in the area: 2 rows of
    // 8 over the field; the thumb's travel (38 - 32 - 6) is 0.
    Start("move 141 390\ndown\nmove 141 400\nup\nkey Enter\n", 640, 480);
    Picture_Choice(8, 30, 12, 5);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Area_Picture_Choice_Popup(340, 460, 100, 410, &item), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(index, 5);
}

TEST_F(ChoicePopup, PicturePainterFramesTheSelectedEntry)
{
    Start("", 640, 480);
    Picture_Choice(4, 30, 20, 0);
    testing::internal::CaptureStderr();
    Area_Draw_Picture_List(50, 52, 100, 54, 2, 1, 2, 0, 0, &item);
    testing::internal::GetCapturedStderr();
    // Entry 2 is the second row shown, at 100 + 24.
    const int r = 124;
    EXPECT_EQ(Screen_Pixel_For_Tests(51, r + 1), HIGHLIGHT);
    EXPECT_EQ(Screen_Pixel_For_Tests(50 + 30 + 4, r + 20 + 4), HIGHLIGHT);
    EXPECT_EQ(Screen_Pixel_For_Tests(60, r + 10), 0xFFFFFFu);
    EXPECT_EQ(Screen_Pixel_For_Tests(60, 100 + 10), GROUND);
}

} // namespace

// The frame's close request is asked about while the list is open (the list on the
// screen); "no" goes on with the list, which then takes its entry.
TEST_F(ChoicePopup, ACloseRequestIsAskedWhileTheListIsOpen)
{
    static uint32_t under_question = 0;
    Start("wait 2\nclose\nkey Down\nkey Enter\n", 640, 480);
    ZAVSetCloseFct([]() {
        under_question = Screen_Pixel_For_Tests(150, 230);
        return 0;  // "no"
    });
    Choice(3, 0);
    EXPECT_EQ(Area_Choice_Popup(X, 200, &item), 1);
    ZAVSetCloseFct(nullptr);
    EXPECT_EQ(under_question, GROUND);
    EXPECT_EQ(index, 1);
}
