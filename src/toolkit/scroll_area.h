#pragma once
// Scroll areas: rectangles inside a property sheet of the screen library that show typed
// items (texts, lines, bitmaps, boxes, custom cells, check boxes, radio buttons, number and
// text fields, choice lists, click cells, bitmap buttons, multi-line text boxes) on a
// scrollable content plane, draw them, and change the caller's values in place on clicks
// and keys.
//
// An area is a slot of a fixed table of 20, named by its index. Every operation ignores an
// index out of range or a free slot (getters answer their failure value). A dialog uses an
// area so: Area_Create once after the sheet is defined; for each build Area_Clear, adders
// (and the setters acting on the item just added), Area_Update; Area_Handle_Event for every
// event the sheet reports for the area; Area_Delete before the sheet is undefined.
//
// Interactive items keep pointers to the caller's value and to an editable word (nonzero:
// the item reacts and is drawn active; 0: drawn inactive and ignored). Static texts are
// copied; the buffers of text fields and text boxes, the entry tables, image records and
// custom data stay the caller's and must outlive the item.
//
// Coordinates: sheet pixels for the area, content pixels for the items (y downward; for
// text-like items x is the left end and y the base line). Font arguments of the adders may
// carry style bits: 0x10000 bold (drawn twice, one pixel apart); for Area_Add_Text also
// 0x20000 and 0x40000, the two shadows.
#include "toolkit/text_box_lines.h"

#include <cstdint>

constexpr int AREA_COUNT = 20;
constexpr int AREA_RESERVED_HANDLE = 9999;  // a slot taken by Area_Reserve, no sheet area yet

// Item types.
enum Area_Item_Type {
    AREA_TEXT = 1,
    AREA_LINE = 2,
    AREA_BITMAP = 3,
    AREA_CUSTOM = 4,
    AREA_MASK_PICTURE = 5,
    AREA_ROTATED_TEXT = 6,
    AREA_CHECK_BOX = 7,
    AREA_RADIO_BUTTON = 8,
    AREA_CLICK_TEXT = 9,
    AREA_FLOAT_FIELD = 10,
    AREA_BOX = 11,
    AREA_CLICK_CELL = 12,
    AREA_MARK = 13,
    AREA_ICON = 14,
    AREA_TEXT_FIELD = 15,
    AREA_CHOICE = 16,
    AREA_PICTURE_CHOICE = 17,
    AREA_BITMAP_BUTTON = 18,
    AREA_TEXT_BOX = 19,
};

// One entry of a choice list: the colour of its text and the text.
struct Choice_Entry {
    int colour;
    const char* text;
};

// Check function of a number field: corrects the double in place, returns the pointer
// (the area ignores the result). A check that refuses the new value puts back
// Area_Value_Before_Edit().
using Field_Check_Callback = double* (*)(double*);
// Check function of a check box, radio button, choice list or picture choice: gets the
// new value (0 or 1, the button's value, the new index).
using Item_Check_Callback = void (*)(int);
// Check function of a text field: gets the text as typed; false refuses it (the function
// says why), and the field keeps its text.
using Text_Check_Callback = bool (*)(const char*);
// Draw function of a custom cell: its screen rectangle and the caller's data.
using Area_Draw_Function = void (*)(int x1, int y1, int x2, int y2, void* data);

struct Area_Item;

// Called when an edited field's value changed and the cursor would walk on to the next
// field; nonzero ends the walk there, so that the caller can rebuild what depends on it
// and then go on with Area_Walk_On.
using Area_Change_Hook = int (*)();

// The editing state of a multi-line text box, owned by its item.
struct Text_Box_State {
    int line_capacity = 50;     // entries of lines; a full table is replaced by one 4 times as large
    int line_count = 0;         // lines of the text as last broken (text lines + 1)
    int cursor_x = 0;           // screen position of the drawn cursor line; 0: none drawn
    int cursor_y = 0;
    int box_x1 = 0, box_y1 = 0, box_x2 = 0, box_y2 = 0;  // screen rectangle while edited
    int font = 4099;
    int ground_colour = 0;
    int text_colour = 0;
    int capacity = 0;           // characters the caller's buffer holds (it has capacity + 1 bytes)
    int length = 0;             // current text length
    int visible_lines = 0;
    int first_line = 0;
    char** lines = nullptr;     // starts of the lines in the text
    char* cursor = nullptr;     // cursor position in the text
    char* text = nullptr;       // the caller's buffer
    char* sel_start = nullptr;  // selection; equal pointers: none
    char* sel_end = nullptr;
    Area_Item* item = nullptr;  // the owning item
};

// One item of an area. Which words a type uses (see the adders):
//   text, text2   copied and owned, except the buffers of text fields (15) and boxes (19)
//   x2            far corner, or the style of text-like items (0 plain, 1 bold, 2/3 shadow)
//   data          custom data (4), mask picture (5), set-state image (7, 8)
//   data2         value of a click text or cell (9, 12, pointer-sized), clear-state image
//                 (7, 8), icon image (14), the text box's state (19)
//   target        int receiving the value (9, 12), pointer receiving it (pointer click
//                 cell), entry table (16)
struct Area_Item {
    int type = 0;
    int colour = 0;
    int font = 0;
    int aux = 0;
    int x1 = 0, y1 = 0;
    int x2 = 0, y2 = 0;
    int extra = 0;
    int* value_ptr = nullptr;
    int* editable = nullptr;
    double* number = nullptr;
    char* text = nullptr;
    char* text2 = nullptr;
    Area_Draw_Function draw_fn = nullptr;
    Field_Check_Callback check_fn = nullptr;     // number fields
    Item_Check_Callback check_int_fn = nullptr;  // check boxes, radio buttons, choices
    Text_Check_Callback check_text_fn = nullptr; // text fields
    void* data = nullptr;
    union {
        intptr_t value;
        const void* image;
        Text_Box_State* box;
    } data2 = {0};
    union {
        int* word;
        void** pointer;
        const Choice_Entry* entries;
    } target = {nullptr};
    bool pointer_value = false;  // a click cell storing a pointer (Area_Add_Click_Cell_Ptr)
    Area_Item* next = nullptr;
};

// One slot of the area table.
struct Scroll_Area {
    int x1 = 0, y1 = 0;          // visible part, sheet pixels
    int x2 = 0, y2 = 0;          // 17 pixels in from the requested edge per slider
    int background = 0;
    int frame_flag = 0;
    int content_width = 0;
    int content_height = 0;
    int scroll_x = 0;
    int scroll_y = 0;
    int handle = -1;             // negative: free; AREA_RESERVED_HANDLE: reserved
    int vslider = 0;             // 0: none
    int hslider = 0;
    int active = 0;              // the area redraws itself after a change only while 1
    int key_events = 0;          // tracking wait: any key ends it
    int wait_option = 0;         // tracking wait: the right button ends it
    int* stop_word = nullptr;    // tracking wait returns while *stop_word is nonzero
    int zone_on = 0;             // tracking wait tracks the zone (content pixels)
    int zone_x1 = 0, zone_y1 = 0, zone_x2 = 0, zone_y2 = 0;
    int esc_value = 0;
    int* esc_target = nullptr;   // null: the break short key is not armed
    int enter_value = 0;
    int* enter_target = nullptr;
    int help_value = 0;
    int* help_target = nullptr;
    Area_Item* first_item = nullptr;
    Area_Item* last_item = nullptr;  // the setters act on it
    Area_Change_Hook change_hook = nullptr;
    const void* walk_from = nullptr;  // the value of the field whose change ended the walk,
    int walk_from_place = -1;         // its place among the fields (-1: none), their number
    int walk_field_count = 0;
    int walk_step = 1;                // the way the walk went on from it: 1 on, -1 back
};

extern Scroll_Area scroll_areas[AREA_COUNT];

// The sheet short-key settings, read once by the first Area_Create (user settings
// "UseSheetJumpShortKey", ...Help..., ...Ok..., ...Break...; nonzero: on).
struct Sheet_Short_Keys {
    int jump;
    int help;
    int ok;
    int brk;
};
extern Sheet_Short_Keys sheet_short_keys;

// The text box being edited (null otherwise); its measuring reads it.
extern Text_Box_State* edited_text_box;

// ---- Areas -------------------------------------------------------------------------------

// -> the area, or -1 (and a line on standard output) when all 20 are in use.
int Area_Create(int x1, int y1, int x2, int y2, int hslider, int vslider);
// A slot without a sheet area (-1 when full); Area_Attach gives it one.
int Area_Reserve();
void Area_Attach(int area, int x1, int y1, int x2, int y2, int hslider, int vslider);
// Frees the items, extents to 0; keeps the slot and the scroll offsets.
void Area_Clear(int area);
// Hands extents and scroll position to the library and activates the area.
void Area_Update(int area);
void Area_Delete(int area);
void Area_Delete_All();
void Area_Set_Activity(int area, int state);
void Area_Reshape(int area, int x1, int y1, int x2, int y2);
void Area_Set_Background(int area, int colour);
int Area_Get_Background(int area);  // -1 for a bad or free slot
void Area_Set_Frame_Flag(int area, int flag);
void Area_Set_Key_Events(int area, int flag);
void Area_Set_Wait_Option(int area, int flag);
void Area_Set_Stop_Word(int area, int* word);
void Area_Set_Zone(int area, int x1, int y1, int x2, int y2);
// None (the default): the walk from field to field goes on after every change.
void Area_Set_Change_Hook(int area, Area_Change_Hook hook);
// After a walk the change hook ended and the items were built anew: walks on from the
// same field: the one at the same place among as many fields as before (a table built
// anew holds its rows elsewhere), else the one that edits the same value. 1: a value changed on
// the walk (what depends on it is to be rebuilt); 0: none did, or nothing to go on with.
int Area_Walk_On(int area);

// ---- Item adders ------------------------------------------------------------------------
// align 1: x is the right end of the text.

void Area_Add_Text(int area, int x, int y, const char* text, int font, int colour, int align);
void Area_Add_Line(int area, int x1, int y1, int x2, int y2, int colour);
void Area_Add_Bitmap(int area, const char* file, int x1, int y1, int x2, int y2, int key_colour);
void Area_Add_Custom(int area, int x1, int y1, int x2, int y2, void* data, Area_Draw_Function draw);
// picture: ints width, height, bytes per row, then the pointer to the rows.
struct Area_Mask_Picture {
    int width;
    int height;
    int bytes_per_row;
    const void* bits;
};
void Area_Add_Mask_Picture(int area, int x, int y, const Area_Mask_Picture* picture, int colour);
// angle 90, 180 or 270; any other: unrotated.
void Area_Add_Rotated_Text(int area, int x, int y, const char* text, int font, int colour, int angle);
void Area_Add_Check_Box(int area, int x, int y, const char* label, int font, int colour, int* value,
                        int* editable);
void Area_Add_Radio_Button(int area, int x, int y, const char* label, int font, int colour, int value, int* target,
                           int* editable);
void Area_Add_Click_Text(int area, int x, int y, const char* text, int font, int colour, int align,
                         int chosen_colour, int value, int* target);
void Area_Add_Float_Field(int area, int x, int y, double* value, const char* format, int font, int colour,
                          int* editable);
void Area_Add_Box(int area, int x1, int y1, int x2, int y2, int colour);
// A click stores value into *target.
void Area_Add_Click_Cell(int area, int x1, int y1, int x2, int y2, int value, int* target);
// The same for a pointer (a row of a table): a click stores value into *target.
void Area_Add_Click_Cell_Ptr(int area, int x1, int y1, int x2, int y2, void* value, void** target);
void Area_Add_Mark(int area, int id);
// image: a ZAV_TreeView_Image, drawn centred in the rectangle.
void Area_Add_Icon(int area, const void* image, int x1, int y1, int x2, int y2, int colour);
// The buffer's current text length is the field's capacity (at most 511).
void Area_Add_Text_Field(int area, int x, int y, char* buffer, int font, int colour, int* editable);
// An index outside the list is set to the first entry; with keep_unknown it stays as it is
// (a damaged file's value, which the data check names) and the field shows nothing until
// an entry is picked.
void Area_Add_Choice(int area, int x, int y, const Choice_Entry* entries, int font, int width_chars, int count,
                     int* index, int* editable, bool keep_unknown = false);
void Area_Add_Picture_Choice(int area, int x, int y, const char* file, int picture_width, int picture_height,
                             int count, int spare, int* index, int* editable);
void Area_Add_Bitmap_Button(int area, int x, int y, int w, int h, const char* file, int image_row, int key_colour,
                            int hover_cursor, const char* tip, int value, int* target, int* editable);
// buffer: capacity + 1 bytes, zero beyond its text.
void Area_Add_Text_Box(int area, int x1, int y1, int x2, int y2, char* buffer, int capacity, int text_colour,
                       int ground_colour, int frame, int* editable);

// ---- Setters on the last item (nothing when it has another type) --------------------

void Area_Set_Item_Check(int area, Field_Check_Callback check);  // number fields
void Area_Set_Item_Check(int area, Item_Check_Callback check);   // check boxes, radio buttons, choices
void Area_Set_Item_Check(int area, Text_Check_Callback check);   // text fields
void Area_Set_Click_Cursor(int area, int cursor);
void Area_Set_Click_Tip(int area, const char* text, int font, int colour, int align);
void Area_Set_Check_Images(int area, const void* set_image, const void* clear_image);
void Area_Fix_Last_Bitmap(int area);
void Area_Set_Text_Field_Length(int area, int n);
void Area_Set_Field_Idle_Text(int area, const char* text);
void Area_Set_Text_Box_Font(int area, int font);

// A new item appended to the list, nothing but next set.
Area_Item* Area_New_Item(Scroll_Area* slot);
// Removes the first mark with that id and every item after it.
void Area_Cut_At_Mark(int area, int id);
// Frees every item of the slot and empties its list.
void Area_Free_Items(Scroll_Area* slot);

// ---- Drawing and hover ------------------------------------------------------------------

// The draw function handed to the library: paints only while the slot is active (1).
void Area_Draw_Callback(int ignored, int scroll_x, int scroll_y, int left, int top, int right, int bottom,
                        void* slot);
void Area_Draw_Items(int scroll_x, int scroll_y, int left, int top, int right, int bottom, Scroll_Area* slot);
// Draws an area now as the library would (when it is active): for the editors' redraws.
void Area_Draw_Items(int area);
// Waits while the pointer rests over the area: hover pictures, cursors and tips.
void Area_Track_Wait(int area);
// first_line nonzero shows the bubble (font 0x1000, black on white); 0 hides it.
void Area_Tip_Bubble(const char* text, int first_line);
void Area_Set_Break_Key(int area, int value, int* target);
void Area_Set_Ok_Key(int area, int value, int* target);
void Area_Set_Help_Key(int area, int value, int* target);

// ---- Input and scrolling ----------------------------------------------------------------

// The value of the number field being edited as it was before the edit (what its check
// function may put back).
double Area_Value_Before_Edit();

// -> 1 when the event changed something (a value written, a field edited, a click text
// reset, a short key fired), else 0; also 0 after a text box was edited.
int Area_Handle_Event(int area);
void Area_Set_Scroll_Fraction(int area, double fx, double fy);  // negative: that direction stays
void Area_Get_Scroll_Fraction(int area, double* fx, double* fy);
// Moves the offsets within their ranges and writes back what was done; no redraw.
void Area_Scroll_By(int area, int* dx, int* dy);
// Brings a content rectangle into view in 10 steps of 30 ms.
void Area_Scroll_To(int area, int x1, int y1, int x2, int y2);
void Area_Query_Scroll(int area, int* x, int* y);
void Area_Sync_Scroll(int area);
void Area_Get_Origin(int area, int* x, int* y);
void Area_Get_Size(int area, int* w, int* h);
void Area_Get_Content_Size(int area, int* w, int* h);
void Area_Track(int area);

// Width in pixels of the first n characters in the current font.
int Text_Extent_Width(const char* text, int n);
// pxQTxX's extent, except that while a text box of font 0 is edited the width is 8n - 3.
void Text_Box_Text_Extent(const char* text, int n, int x, int y, int* xs, int* ys);

// ---- Choice pop-ups (choice_popups.cpp); the text-box lines: toolkit/text_box_lines.h ------

// x, y: screen position of the field's text. -> 1 when an entry was taken with Enter, 2
// when taken with a click (stored in *value_ptr), else 0.
int Area_Choice_Popup(int x, int y, Area_Item* item);
// x, y: the field's top left corner on the screen; limits: the area's top and bottom.
int Area_Picture_Choice_Popup(int limit_top, int limit_bottom, int x, int y, Area_Item* item);
