#pragma once
// A bar of bitmap buttons drawn straight onto the screen over a property sheet.
// Without its bitmap file each button is a plain button with its tool-tip's words.
//
// Each button shows one of four images cut from one bitmap file (normal, hover,
// inactive, pressed; the grey (192, 192, 192) is transparent), shows a tool-tip bubble
// once per hover, and returns its code when clicked. A button may carry a drop-down bar
// instead, which opens below it while the pointer is on it.
//
// The bar is no element of a sheet: its owner draws it (Icon_Bar_Draw) whenever it
// redraws the sheet, and hands the pointer to Icon_Bar_Track when the sheet reports that
// the pointer entered the bar's rectangle (an escape area reporting moves).

struct Icon_Bar;

// One button; images are the top left corners of equally sized parts of the bitmap.
struct Icon_Bar_Button {
    int width;
    int height;
    int normal_x, normal_y;
    int hover_x, hover_y;
    int inactive_x, inactive_y;
    int pressed_x, pressed_y;
    int offset_x, offset_y;   // top left corner relative to the bar's x1, y1
    int enabled;              // above 0 active; else drawn inactive, never hovered or clicked
    int code;                 // what Icon_Bar_Track returns for a click
    const char* tool_tip;     // '\n' starts a new line; null: no bubble
    Icon_Bar* drop_down;      // opens while hovered; such a button is never clicked itself
};

// The bar; the toolkit only reads it.
struct Icon_Bar {
    int button_count;         // below 1: nothing drawn, nothing hovered
    int x1, y1;               // the tracked rectangle, corners inclusive
    int x2, y2;
    const char* bitmap_file;  // all images of all buttons
    Icon_Bar_Button* buttons; // drawing and search order
};

// Draws every button in its resting image (normal, or inactive when disabled).
void Icon_Bar_Draw(const Icon_Bar* bar);

// Draws one button: state 2 hover, 3 inactive, 4 pressed, anything else normal; a
// disabled button always shows its inactive image.
void Icon_Bar_Draw_Button(const Icon_Bar* bar, const Icon_Bar_Button* button, int state);

// Follows the pointer over the bar until it leaves the bar's rectangle or a button is
// clicked, and returns the clicked button's code (also when released elsewhere), else 0.
// A press on a gap or a disabled button waits for the release and returns 0. A click on
// a button of an open drop-down returns that button's code at once. The library's timer
// is on for exactly the time of this call.
int Icon_Bar_Track(const Icon_Bar* bar);

// The width a plain button (bitmap missing) needs for the widest piece of its tool-tip's
// words, as it breaks them (at blanks and after a hyphen); 0 without a tool-tip.
int Icon_Bar_Text_Button_Width(const Icon_Bar_Button* button);

// When the bar's bitmap is missing: widens every button that its words do not fit to
// Icon_Bar_Text_Button_Width, moving the buttons after it to the right, and moves the
// bar's x1 to the left by as much, so that the bar keeps its right end. Nothing otherwise.
void Icon_Bar_Fit_Words(Icon_Bar* bar);

// When set, each button's rectangle is first filled with the face colour, so that its
// transparent pixels show the face instead of what lay on the screen.
void Icon_Bar_Set_Frame_Flag(int flag);
