#pragma once

#include "platform/screen/framebuffer.h"

// Property sheets: modal windows on a sheet stack, with their elements (buttons, help,
// number, text and choice fields, check boxes and radio buttons, texts, framed areas,
// registers, escape areas, scrollable areas with sliders).
//
// Coordinates are screen pixels. Sheets do not move: the displacement is always (0, 0).
// Every element gets a handle (a positive number, unique for the run); operations on a
// handle that names no element of a defined sheet do nothing.
//
// A sheet is used in this order: Define_Prop_Sheet (the pixels under the sheet are
// kept), elements added, Activate_Prop_Sheet (the sheet, its elements and its active
// scrollable areas are drawn), Edit_Prop_Sheet as often as wanted, Undefine_Prop_Sheet
// (the kept pixels come back; no area is painted again).
//
// A scrollable area's draw function is called only from Activate_Prop_Sheet of its
// sheet, Change_Activity_PS(area, 1) and Edit_Prop_Sheet of its sheet while that sheet is
// on top (sliders, wheel) - never from Undefine_Prop_Sheet, another sheet, a message box
// or a window expose, because the items it paints may already be gone.

// A one-bit picture of a button (bytes_per_row bytes a row, most significant bit left).
struct ZAV_Raster {
    int width;
    int height;
    int bytes_per_row;
    const unsigned char* bits;
};
// The library's symbolic buttons: OK (a green tick), break (a red cross), help ("?").
extern const ZAV_Raster* SYMBOLIC_OK_RASTER;
extern const ZAV_Raster* SYMBOLIC_BREAK_RASTER;
extern const ZAV_Raster* SYMBOLIC_HELP_RASTER;
// Layout words of check boxes and radio buttons (passed back unchanged).
extern int CHBOX_BUTTON_LAYOUT;
extern int RADIO_BUTTON_LAYOUT;

// ---- Sheets -----------------------------------------------------------------------

// The next sheet is drawn without frame and title bar.
void Set_NoFrameFlag_to_Next_PropSheet();
// A new sheet on top of the stack; frame 1 draws the sheet's face, frame and title bar
// (22 pixels high) when it is activated, frame 0 leaves the sheet's ground to the caller.
// The other words are kept and have no meaning here. Returns the sheet's handle.
int Define_Prop_Sheet(int x1, int y1, int x2, int y2, int frame, int moveable, const char* title, int number,
                      int flags);
void Activate_Prop_Sheet();
// Waits for an event of the top sheet and returns its code: a button's code (pressed and
// released on it); a register member's id; the code of a field, check box, radio button
// or choice list after it changed; an escape area's code at a left press in it (M_LEFT
// still 1), or at any move in it when it reports moves; the code of a scrollable area
// for a press that no escape area covers; the click-outside code for a press outside the
// sheet. Sliders and the wheel scroll the area under them and repaint it without
// returning; a wheel step that a wait of the program took in (M_SCROLL still set) is
// carried out over the area under the pointer first. Esc gives the code of the break
// button, Enter that of the OK button, F1 opens the help of the help button. A pending
// close request of the frame asks the close callback first (platform/environment.h).
// Without a sheet: 0.
int Edit_Prop_Sheet();
void Undefine_Prop_Sheet();
// Moves the rectangle into the sheets' screen base (Set_Prop_Sheet_Screen_Base; else the
// screen), keeping its size where it fits.
void Check_Prop_Sheet_Frames(int* x1, int* y1, int* x2, int* y2);
void Prop_Sheet_Displacement(int* dx, int* dy);
void Inquire_Prop_Sheet_Displacement(int* dx, int* dy);

// Where a movable sheet stands: the screen's centre until Remember, then where the user
// left the sheet.
struct Sheet_Centre {
    bool known = false;
    int x = 0, y = 0;
    // Sets the screen's centre the first time.
    void Ensure();
    // The centre of the sheet (x1, y1)-(x2, y2) as the user moved it.
    void Remember(int x1, int y1, int x2, int y2);
    // Moves the centre by as much as the user moved the sheet being edited.
    void Follow_Move();
};
// A press outside the sheet returns this code (0: ignored).
void Set_ClickOutsideEvent_to_PS(int code);
// After a number field was left with Tab or Enter, the next Edit_Prop_Sheet of this
// sheet first edits the following number field.
void Set_Prop_Sheet_Edit_Float_Auto_Mode();
// A function the top sheet's Edit_Prop_Sheet calls between events (always), and one it
// calls every 100 ms while nothing happens (sometimes); null removes it.
void Define_Call_Allways_Function(void (*function)());
void Activate_Call_Allways_Function(int on);
void Set_CallSometimesFunc_to_PS(void (*function)());

// ---- Elements -------------------------------------------------------------------------

// A button with its top left corner at (x, y): with a raster (ZAV_Raster, image_kind 0)
// or a tree-view image (ZAV_TreeView_Image, image_kind 1) it is the picture's size plus
// 10 by 8 pixels; with a text alone it fits the text. With image_kind 2 the image is the
// name of a bitmap file (platform/screen/bitmaps.h) and the button is that picture, its
// own size; while the file is missing the text stands on a plain button instead. kind is
// not used.
int Add_Single_Button_to_PS(int x, int y, int kind, int code, const char* text, const void* image, int image_kind);
// The help button: opens the topic (Helpview) and returns nothing.
int Add_Help_to_PS(int x, int y, const char* topic);
// A number field of width_chars characters edited in place (Short_Edit_Float).
int Add_Float_to_PS(int x, int y, int width_chars, const char* format, double* value, int code);
// A text field of width_chars characters over the caller's buffer (room for capacity
// characters and the terminator); longer texts scroll in the field.
int Add_String_to_PS(int x, int y, int width_chars, char* buffer, int capacity, int code);
// A check box (13 x 13) on the int 0/1.
int Add_Logical_Button_to_PS(int x, int y, int code, int* value, int layout);
// A radio button (12 x 12): a click stores value into *target.
int Add_Alternativ_Button_to_PS(int x, int y, int group, int code, int state, int value, int flags, int layout,
                                int* target);
// A choice list of width_chars characters over count entries (Fill_Stringlist_of_PS).
int Add_Stringlist_to_PS(int x, int y, int width_chars, int count, int* index, int code);
// An entry's text and the colour it is drawn in, in the field and in the opened list;
// an inactive list draws all entries grey.
void Fill_Stringlist_of_PS(int list, int entry, const char* text, int colour = BLACK_CI);
// A text beside a button (alignment 1: left of it, else right), clicking it is clicking
// the button.
int Add_Aligned_Connected_Text_to_Button_of_PS(int button, const char* text, int font, int colour, int alignment);
// A text at (x, y) (base line) in the font and colour; mode 1 bold, 2 engraved.
void Draw_Funny_Text_to_PS(int x, int y, const char* text, int font, int colour, int mode);
// A frame: kind 1 raised, 2 raised twice, 3 etched, 4 sunken (two pixels each side).
void Draw_Funny_Area_to_PS(int kind, int x1, int y1, int x2, int y2, int flag);
// A rectangle that ends Edit_Prop_Sheet with its code (state 0: inactive).
int Add_Escape_Area_to_PS(int x1, int y1, int x2, int y2, int state, int code);
void Set_Escape_Area_to_MouseMoveEvent(int area, int on);
// A register: its pages' frame below the tab row that ends at tab_bottom; members are
// tabs from x0 to x1 (state 1 active, 0 empty, -1 inactive) returning their id.
int Add_Register_to_PS(int x1, int y1, int x2, int y2, int tab_bottom);
int Add_Member_to_Register(int reg, int x0, int x1, int state, int id);
void Set_Selected_Register_Member(int reg, int id);

// Activity of any element: 1 active (an area is painted at once), 0 inactive, -1 off
// (drawn disabled; a slider without its thumb).
void Change_Activity_PS(int element, int state);
// Whether a button acts on clicks (0: it is drawn but does nothing).
void Change_Action_State_PS(int button, int state);
// The tool-tip of a button, shown while the pointer rests on it.
void Set_Comment_to_Button_PS(int button, const char* text);
// The button is drawn without its raised frame.
void Reset_Button_Frame(int button);
// The button's look becomes what the screen shows at its place now (a picture drawn
// over it); it is drawn so from then on, sunk by a pixel while pressed.
void Snap_Colored_Layout_of_Single_Button(int button);
void Move_Mouse_Cursor_to_Button_of_PS(int button, int dx, int dy);

// ---- Scrollable areas -------------------------------------------------------------------

// Paints the area: (unused, scroll x, scroll y, left, top, right, bottom, data).
using Scroll_Area_Draw_Function = void (*)(int, int, int, int, int, int, int, void*);
// The visible part is exactly (x1, y1)-(x2, y2); a press in it returns code. The words
// frame, a, b, c are kept and have no meaning here.
int Add_Scrollable_Area_to_PS(int x1, int y1, int x2, int y2, int frame, int a, int b, int c,
                              Scroll_Area_Draw_Function draw, void* data, int code);
// Sliders in the 17-pixel strip right of (below) the area. Returns the slider's handle.
int Add_VSlider_to_Scrollable_Area(int area, int a, int b, int c, int d);
int Add_HSlider_to_Scrollable_Area(int area, int a, int b, int c, int d);
// A wheel step or an arrow click scrolls by this fraction of the visible size.
void Set_VSlider_Speed(int slider, double fraction, double unused);
void Set_HSlider_Speed(int slider, double fraction, double unused);
// The content's size, and the scroll offsets (limited to 0 ... max(0, content - visible),
// visible = right - left resp. bottom - top).
void Resize_Origin_of_Scrollable_Area_PS(int area, int width, int height);
void Set_Scrollable_Area_PS(int area, int x, int y);
void Inquire_Scrollable_Area_PS(int area, int* x, int* y);
void Set_Scrollable_Area_PS_Frameflag(int area, int flag);
void Reshape_Scrollable_Area_PS(int area, int x1, int y1, int x2, int y2, int a, int b, int c, int d);

namespace screen {
// A white box framed in black (a field or an opened list), corners inclusive; the
// drawing colour is black afterwards.
void Draw_White_Box(int x1, int y1, int x2, int y2);
// Forgets every sheet (their pixels are not put back).
void Reset_Sheets();
// Number of defined sheets.
int Sheet_Count();
} // namespace screen
