#pragma once
// Shared inside the scroll-area modules (building, drawing, input).
#include "toolkit/scroll_area.h"

// Shown texts of number fields, text fields and choice lists are copied into buffers of
// this size: at most 511 characters are shown, measured and edited.
constexpr int AREA_SHOWN_TEXT_SIZE = 512;

// The slot of an area in use (reserved too), or null for a bad index or a free slot.
Scroll_Area* Area_Slot(int area);

// Width of a text in a font (0 for null); the current font is kept.
int Area_Text_Width(const char* text, int font);
// Prints the number with the format into out (AREA_SHOWN_TEXT_SIZE bytes), at most 511
// characters; when max_chars >= 0 and the printed number is wider, a true form of it that
// fits max_chars (fewer decimals, the exponent form, else "#" marks). Returns the length.
int Area_Format_Number(char* out, const char* format, double value, int max_chars);
// Width of a number field's current value as shown (printed with its format, fitted to the
// field), in its font.
int Area_Number_Width(const Area_Item* p);

// The sliders' activity after a change of extents or offsets.
void Area_Set_Slider_Activity(Scroll_Area* a);

// The area on the screen: its rectangle and the library's scroll offsets.
struct Area_Screen {
    int ax1, ay1, ax2, ay2;
    int sx0, sy0;
};
Area_Screen Area_Screen_Of(const Scroll_Area* a);

// Redraws the area (only while its active word is 1).
void Area_Redraw(Scroll_Area* a);

// Paints one column of a bitmap button's strip (0 inactive, 1 normal, 2 hover, 3 pressed)
// into the button's screen rectangle less a pixel on the right and at the bottom.
void Area_Draw_Button_Column(const Area_Item* p, int column, int sx1, int sy1, int sx2, int sy2);

// A dotted frame (each side's pattern starting afresh) in the current colour; solid lines after.
void Area_Dotted_Frame(int x1, int y1, int x2, int y2);

// Raised to the next even number (an odd number grows by one).
inline int Raise_To_Even(int n) { return n % 2 ? n + 1 : n; }

namespace area_test {
// Forgets the settings and colours read once per run.
void Reset_Settings();
// Forgets the cached colours and the tip bubble.
void Reset_Draw_State();
// Forgets the cursor colour and the edited text box.
void Reset_Input_State();
} // namespace area_test
