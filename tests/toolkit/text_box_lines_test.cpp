#include "toolkit/text_box_lines.h"

#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t GROUND = 0xFFFFFF;
constexpr uint32_t SELECTION = 0x99B4D1;       // (153, 180, 209)
constexpr uint32_t FILL_GAUGE = 0xFF8C8C;      // (255, 140, 140)
constexpr uint32_t POSITION_GAUGE = 0x58C78F;  // (88, 199, 143)

// A box at (10, 10)-(110, 88) in the fixed font (cells of 8 pixels): lines wrap beyond
// 80 pixels, that is after 10 characters (8 x 11 - 3 = 85), and 4 + 1 lines are shown.
class TextBox : public testing::Test {
protected:
    std::vector<char> buffer;
    Area_Item item;
    Text_Box_State* s = nullptr;

    void SetUp() override { Screen_Start_For_Tests("", 640, 480); }
    void TearDown() override
    {
        Release();
        Screen_Reset_For_Tests();
    }

    void Release()
    {
        edited_text_box = nullptr;
        if (s) {
            delete[] s->lines;
            delete s;
            s = nullptr;
        }
    }

    void Make(const std::string& text, int capacity, int x2 = 110, int y2 = 88, const std::string& script = "")
    {
        Release();
        if (!script.empty()) Screen_Start_For_Tests(script, 640, 480);
        buffer.assign(static_cast<size_t>(capacity) + 1, '\0');
        std::memcpy(buffer.data(), text.data(), std::min<size_t>(text.size(), capacity));
        s = new Text_Box_State;
        s->lines = new char*[50];
        s->capacity = capacity;
        s->length = static_cast<int>(std::strlen(buffer.data()));
        s->font = 0;
        s->text = buffer.data();
        s->cursor = buffer.data();
        s->box_x1 = 10;
        s->box_y1 = 10;
        s->box_x2 = x2;
        s->box_y2 = y2;
        s->ground_colour = static_cast<int>(GROUND);
        item = Area_Item{};
        item.type = AREA_TEXT_BOX;
        item.x1 = 10;
        item.y1 = 10;
        item.x2 = x2;
        item.y2 = y2;
        item.colour = 0;
        item.extra = static_cast<int>(GROUND);
        item.text = buffer.data();
        item.data2.box = s;
        s->item = &item;
        edited_text_box = s;
        Draw();
    }

    void Draw() { Text_Box_Draw(&item, s->box_x1, s->box_y1, s->box_x2, s->box_y2); }
    long Line(int k) const { return s->lines[k] - s->text; }
    long Cursor() const { return s->cursor - s->text; }
    void Click(int x, int line)
    {
        M_XPOS = x;
        M_YPOS = 10 + 7 + 14 * line + 5;
        Text_Box_Cursor_From_Mouse(s);
    }
};

// Line 0 "abcdefghij\n"; line 1 "xx " broken at its blank; line 2 eleven z broken hard;
// line 3 "z\n"; the last entry at the terminating zero.
const char* const lines_text = "abcdefghij\nxx zzzzzzzzzzzz\n";

TEST_F(TextBox, BreaksAtNewlinesBlanksAndHardWithinTheWidth)
{
    Make("", 50);
    EXPECT_EQ(s->line_count, 1);
    EXPECT_EQ(Line(0), 0);
    EXPECT_EQ(s->visible_lines, 4);

    Make("abc\n", 50);
    EXPECT_EQ(s->line_count, 2);
    EXPECT_EQ(Line(1), 4);

    Make("aaaa bbbb cccc\n", 50);
    EXPECT_EQ(s->line_count, 3);
    EXPECT_EQ(Line(1), 10);  // after the blank

    Make(lines_text, 50);
    ASSERT_EQ(s->line_count, 5);
    EXPECT_EQ(Line(1), 11);
    EXPECT_EQ(Line(2), 14);
    EXPECT_EQ(Line(3), 25);
    EXPECT_EQ(Line(4), 27);

    std::string sixty;
    for (int i = 0; i < 60; ++i) sixty += "x\n";
    Make(sixty, 200);
    EXPECT_EQ(s->line_count, 61);
    EXPECT_EQ(s->line_capacity, 200);
    EXPECT_EQ(Line(60), 120);
}

TEST_F(TextBox, PaintsTheSelectionBehindItsCharacters)
{
    Make("aaaa bbbb cccc\n", 50);
    s->sel_start = s->text + 5;
    s->sel_end = s->text + 9;
    Draw();
    // From x + 1 + w(5) = 17 + 1 + 37 on the first line (base line 26).
    EXPECT_EQ(Screen_Pixel_For_Tests(55, 16), SELECTION);
    EXPECT_EQ(Screen_Pixel_For_Tests(54, 16), GROUND);
    EXPECT_EQ(Screen_Pixel_For_Tests(55, 16 + 14), GROUND);
}

TEST_F(TextBox, CursorFromTheMouse)
{
    Make(lines_text, 50);
    Click(17 + 20, 0);  // between boundaries 15 and 23: the nearer
    EXPECT_EQ(Cursor(), 3);
    Click(17 + 18, 0);
    EXPECT_EQ(Cursor(), 2);
    Click(200, 0);  // beyond the line's end: on its newline
    EXPECT_EQ(Cursor(), 10);
    Click(200, 1);  // beyond a line broken at its blank: its last character
    EXPECT_EQ(Cursor(), 13);
    Click(30, 9);  // below the text: its last character
    EXPECT_EQ(Cursor(), 26);
    Click(17 - 30, 2);
    EXPECT_EQ(Cursor(), 14);

    Make("", 50);
    Click(50, 0);
    EXPECT_EQ(Cursor(), 0);
}

TEST_F(TextBox, CursorMovesByCharactersAndLines)
{
    Make(lines_text, 50);
    s->cursor = s->text + 3;
    Text_Box_Move_Cursor(0, -1, s);  // up from the first line
    EXPECT_EQ(Cursor(), 3);
    Text_Box_Move_Cursor(-5, 0, s);  // never before the text
    EXPECT_EQ(Cursor(), 0);
    s->cursor = s->text + 25;
    Text_Box_Move_Cursor(0, 1, s);  // down from the last text line
    EXPECT_EQ(Cursor(), 25);
    Text_Box_Move_Cursor(5, 0, s);  // never beyond the last character
    EXPECT_EQ(Cursor(), 26);
    s->cursor = s->text + 12;
    Text_Box_Move_Cursor(0, 1, s);  // the column is kept
    EXPECT_EQ(Cursor(), 15);
    // Onto a line broken by width that is narrower than the cursor's offset: the
    // cursor ends on that line's last character, not in the line after it.
    s->cursor = s->text + 8;
    Text_Box_Move_Cursor(0, 1, s);
    EXPECT_EQ(Cursor(), 13);
    s->cursor = s->text + 14 + 9;
    Text_Box_Move_Cursor(0, -1, s);
    EXPECT_EQ(Cursor(), 13);
    // A page down past the end stops on the last character.
    s->cursor = s->text + 1;
    Text_Box_Move_Cursor(0, s->visible_lines, s);
    EXPECT_EQ(Cursor(), 26);
    EXPECT_EQ(s->sel_start, nullptr);
}

TEST_F(TextBox, CursorLineIsScrolledIntoViewAndDrawn)
{
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "x\n";
    Make(twenty, 100);
    s->cursor = s->text + 2 * 10;
    Text_Box_Show_Cursor_Line(s);
    EXPECT_EQ(s->first_line, 6);  // line 10 is the last of the 5 shown
    Text_Box_Draw_Cursor(s);
    EXPECT_EQ(s->cursor_x, 17);
    EXPECT_EQ(s->cursor_y, 26 + 14 * 4);
    EXPECT_EQ(Screen_Pixel_For_Tests(17, s->cursor_y), 0x0000FFu);
    s->cursor = s->text + 2 * 2 + 1;
    Text_Box_Show_Cursor_Line(s);
    EXPECT_EQ(s->first_line, 2);
    // The repaint covered the old cursor line.
    EXPECT_EQ(s->cursor_x, 0);
    EXPECT_EQ(Screen_Pixel_For_Tests(17, 26 + 14 * 4 + 4), GROUND);
}

TEST_F(TextBox, DeletingTheSelectionLeavesZerosBehindTheText)
{
    Make("aaaa bbbb cccc\n", 20);
    s->sel_start = s->text + 5;
    s->sel_end = s->text + 10;
    Text_Box_Delete_Selection(s);
    EXPECT_STREQ(s->text, "aaaa cccc\n");
    for (int i = 10; i <= 20; ++i) EXPECT_EQ(buffer[i], '\0') << i;
    EXPECT_EQ(Cursor(), 5);
    EXPECT_EQ(s->length, 10);
    EXPECT_EQ(s->sel_start, nullptr);
    EXPECT_EQ(s->sel_end, nullptr);
}

TEST_F(TextBox, SpecialCharacterReplacesTheSelectionOnlyWhenChosenAndRoomIsLeft)
{
    Make("aaaa bbbb\n", 10, 110, 88, "key Enter\nkey Enter\nkey Esc\nkey Enter\nkey Enter\n");
    const int c = Get_UserSelected_SpecialCharacter();
    ASSERT_GT(c, 0);
    // The box is full; the selection makes room.
    s->sel_start = s->text + 5;
    s->sel_end = s->text + 9;
    EXPECT_EQ(Text_Box_Insert_Special_Character(), 10);
    EXPECT_EQ(std::string(s->text), std::string("aaaa ") + static_cast<char>(c) + "\n");
    EXPECT_EQ(Cursor(), 6);
    EXPECT_EQ(s->length, 7);
    // Cancelled: nothing changes.
    EXPECT_EQ(Text_Box_Insert_Special_Character(), 0);
    EXPECT_EQ(s->length, 7);
    // Full without a selection: nothing is inserted.
    std::memcpy(s->text, "abcdefghi\n", 10);
    s->length = 10;
    s->cursor = s->text;
    Draw();
    EXPECT_EQ(Text_Box_Insert_Special_Character(), 0);
    EXPECT_STREQ(s->text, "abcdefghi\n");
    // Without a box being edited the choice is dropped.
    edited_text_box = nullptr;
    EXPECT_EQ(Text_Box_Insert_Special_Character(), 0);
}

TEST_F(TextBox, GaugesShowFillAndPositionAndSkipAZeroDivisor)
{
    Make("aaaa bbbb\n", 20);
    Text_Box_Draw_Gauges(s);
    // 10 of 20: (100 - 7) / 2 = 46 pixels from x 12.
    EXPECT_EQ(Screen_Pixel_For_Tests(12 + 46, 86), FILL_GAUGE);
    EXPECT_EQ(Screen_Pixel_For_Tests(12 + 47, 86), GROUND);
    EXPECT_EQ(Screen_Pixel_For_Tests(108, 40), GROUND);  // all lines fit

    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "x\n";
    Make(twenty, 100);
    s->first_line = 10;
    Draw();
    Text_Box_Draw_Gauges(s);
    // 21 lines, 10 .. 15 of 20 over 74 pixels: y 12 + 37 .. 12 + 55.
    EXPECT_EQ(Screen_Pixel_For_Tests(108, 49), POSITION_GAUGE);
    EXPECT_EQ(Screen_Pixel_For_Tests(108, 67), POSITION_GAUGE);
    EXPECT_EQ(Screen_Pixel_For_Tests(108, 48), GROUND);
    EXPECT_EQ(Screen_Pixel_For_Tests(108, 68), GROUND);

    // Capacity 0, and an empty text in a box lower than 36 pixels (no line fits): the
    // divisors are 0 and neither gauge is drawn.
    Make("", 0, 110, 40);
    Text_Box_Draw_Gauges(s);
    EXPECT_EQ(s->visible_lines, 0);
    for (int x = 11; x < 110; ++x) EXPECT_EQ(Screen_Pixel_For_Tests(x, 38), GROUND) << x;
    for (int y = 11; y < 40; ++y) EXPECT_EQ(Screen_Pixel_For_Tests(108, y), GROUND) << y;
}

} // namespace
