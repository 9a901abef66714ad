#pragma once
// The form layer: a current form context (the scroll area being filled, font, colours),
// labels measured with the in-band code byte 0xCE, value shadows through which integers,
// clamped and unit-scaled doubles are edited in the areas' number fields, a dialog runner
// that puts a property sheet with standard buttons around one scroll area and loops until
// the user confirms or cancels, and the hover machinery (tool tips, hover cells).
//
// Editable words of the adders (int*): 1 active; 0 inactive (grey, ignored); -1 (number
// fields, check boxes, text fields, choices) read-only: drawn in the text colour, not
// editable. Labels treat any nonzero word as active; a null word counts as active.
// With no current area (form_area -1) every adder draws nothing and returns 0.
//
// Limits: 16 nested dialogs, 99 entries in each shadow table, 20 hover areas, 100 hover
// cells and 100 tips; further registrations are refused with one line on standard error.
#include "toolkit/table_editor.h"

// ---- Context ------------------------------------------------------------------------------

extern int form_editable_yes;  // always 1
extern int form_editable_no;   // always 0
// Switches of the runner (initially 1): drop a level's integer shadows on close; move the
// pointer to the focus button when a dialog opens.
extern int form_drop_int_shadows;
extern int form_mouse_to_button;
// Requests a running dialog acts on at the end of its cycle: cancel (as the cancel
// button), OK (ends the cycles as OK does), one more build.
extern int form_cancel_request;
extern int form_ok_request;
extern int form_redraw_request;

void Form_Begin(int area);
int Form_Get_Area();
// Makes the area current without starting a new build (tips and hover cells stay).
void Form_Set_Area(int area);
// Counts the builds of an area (Form_Begin), for widgets that keep data per build.
unsigned Form_Build_Serial(int area);
void Form_Set_Font(int font);
int Form_Get_Font();
void Form_Set_Text_Colour(int colour);
int Form_Get_Text_Colour();
void Form_Set_Ground_Colour(int colour);
int Form_Get_Ground_Colour();
void Form_Set_Readonly_Ground(int colour);
// The ground of read-only fields: (220, 220, 220) unless set.
int Form_Get_Readonly_Ground();
// The grey of inactive texts (198, 195, 198).
int Form_Inactive_Colour();

// The last field added: its rectangle (area pixels) and editable word, for Form_Add_Tip.
struct Form_Last_Widget {
    int x1, x2, y1, y2;
    int editable;
};
extern Form_Last_Widget form_last_widget;
void Form_Set_Last_Widget(int x1, int y1, int x2, int y2, const int* editable);

// ---- Measuring ----------------------------------------------------------------------------

// Width in pixels in the current library font; a span opened by 0xCE and a code letter
// counts only for the letters B (its text) and C (its text after the first blank).
int Form_Text_Width(const char* text);
// Width of a label in a font word: text width + 3 (+2 with style bits 0x70000); empty
// text 0 (2 with style bits).
int Form_Label_Width(const char* text, int font);

// ---- Labels (each returns its width) ------------------------------------------------------

int Form_Label(int x, int y, const char* text, const int* editable);
int Form_Label_Printf(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
// valign 0: base line at y + 9, 4: at y + 5, other: at y; halign 1: right end at x,
// 4: centred on x, other: left end at x.
int Form_Label_Aligned(int x, int y, const char* text, int valign, int halign, const int* editable);
int Form_Label_Sub_Aligned(int x, int y, const char* text, const char* sub, int valign, int halign,
                           const int* editable);
// Centred in the area's width (the registered hover rectangle of the area, else the area).
int Form_Label_Centred(int y, const char* text, const int* editable);
int Form_Label_Shadow(int x, int y, const char* text, const int* editable);
int Form_Label_Shadow_Printf(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
int Form_Label_Small(int x, int y, const char* text, const int* editable);
int Form_Label_Small_Bold(int x, int y, const char* text, const int* editable);
// A label that, while active, stores value into *target when clicked.
int Form_Label_Click(int x, int y, const char* text, int value, int* target, const int* editable);
int Form_Label_Sub(int x, int y, const char* text, const char* sub, const int* editable);
int Form_Label_Sub_Bold(int x, int y, const char* text, const char* sub, const int* editable);
int Form_Label_Triple(int x, int y, const char* text, const char* sub, const char* sup, const int* editable);

// ---- Fields of the core -----------------------------------------------------------------

// The buffer is the caller's; its text length is the field's capacity.
int Form_Add_Text_Field(int x, int y, char* buffer, int* editable);
// Pads the buffer with blanks to width characters first (it must hold width + 1 bytes).
int Form_Add_Padded_Text_Field(int x, int y, char* buffer, int width, int* editable);
// Padded to max(width, length), edited up to length characters; returns 8 length + 19.
int Form_Add_Sized_Text_Field(int x, int y, char* buffer, int width, int length, int* editable);
int Form_Add_Radio(int x, int y, const char* text, int value, int* target, int* editable);
// The widest label width of count texts (stride bytes apart), down to a multiple of 8, + 33.
int Form_Choice_Width(const char* texts, int stride, int count, int font);
// A density in kg/m3, kept within 500 ... 2200; returns 79.
int Form_Add_Density_Field(int x, int y, double* value, int* editable);

// ---- Value shadows ------------------------------------------------------------------------

// The double through which the integer is edited in the current dialog level (registered
// with the integer's value on first use; later calls first write the shadow back, halves
// away from zero). Null when the table is full.
double* Form_Int_Shadow(int* target);
void Form_Set_Int(int* target, int value);
// The integer, or -99999999 when it has no shadow.
int Form_Get_Int(int* target);
// Shows the double multiplied by factor until the level's next close check divides it
// back; a value already scaled in this level is left alone. 0 when refused.
int Form_Unit_Scale(double* target, double factor);
// Keeps the double within min ... max after each edit (the field's check) in this level.
int Form_Register_Clamp(double* target, double min, double max);
// The check function that applies the registered clamp of the value.
double* Form_Clamp_Check(double* value);

// ---- Dialogs ------------------------------------------------------------------------------

struct Form_Dialog {
    int kind;             // 0..9: button layout and size mode
    int sheet_number;     // the sheet is defined with this number + 105
    char title[100];
    int content_height;
    int content_width;
    int margin_top, margin_bottom, margin_left, margin_right;
    int tab_height;       // register dialogs: <= 0 gives 30
    int tab_width;        // <= 0: the width shared out among the tabs
    char tab_bitmap[100]; // drawn over the tab row instead of the captions (empty: captions)
    char help_topic[52];  // empty: no help button
    void (*footer)(char* text);  // fills at most 200 bytes
    void (*after_define)(int x1, int y1, int x2, int y2);
    int (*event)(int code);      // nonzero: handled
    int (*close_check)();        // nonzero keeps the dialog open after OK
    int (*cancel_check)();       // nonzero keeps it open after cancel
    int (*page_change)(int old_page, int new_page);  // nonzero refuses the change
    void (*every_cycle)(int page);
    void (*on_close)();
    int last_page;
    int preset_result;    // -1: none; taken once instead of waiting
};

struct Form_Page {
    int kind;             // 1 active; 0 disabled (tab shown, page cannot stay); -2 no tab, no area
    char label[51];       // the tab's caption: label above name, or the name alone
    char name[53];
    int caption_colour;           // symbolic colours of the library (-9)
    int disabled_caption_colour;  // (-6)
    int x, y, width, height;  // inside the sheet; negative offset or size <= 0: whole sheet
    int hslider, vslider;
    int scroll_x, scroll_y;   // saved scroll position (-1: none)
    int row_size;
    int table_width;          // -1: up to the area's right edge less 10 and the slider
    int table_x1;
    int table_y;
    Table_Row_Function row_function;
    void (*after_create)(int table);
    void (*build)(int area, int table);  // null: no area
    int (*check)(int table);             // nonzero refuses OK
};

// Kind 0, sheet number 40, no title, content 150 x 200 (height x width), margins 8, no
// tabs' bitmap, no callbacks, last page and preset result -1.
void Form_Dialog_Defaults(Form_Dialog* dialog);
// Each page: kind 1, no captions, caption colours -9 and -6, filling the sheet, no
// sliders, no saved scroll, table editor at x1 30, y 10 without rows, no functions.
void Form_Page_Defaults(int count, Form_Page pages[]);

// One page (the first of pages). -> 1 confirmed, 0 cancelled.
int Form_Run_Dialog(Form_Dialog* dialog, Form_Page pages[]);
// One page of the defaults, named page_name and built by build, in a dialog of the
// defaults with the title and content size (height x width). -> as Form_Run_Dialog.
int Form_Run_Simple_Dialog(const char* title, int content_height, int content_width, const char* page_name,
                           void (*build)(int area, int table));
// n pages behind register tabs (none for one page); the tabs answer 1000 + page, the
// pages' areas 2000 + page. -> 1 confirmed, 0 cancelled (0 for n < 1).
int Form_Run_Register_Dialog(Form_Dialog* dialog, int n, Form_Page pages[]);
// The simpler register dialog of fixed geometry: its buttons answer 1 (cancel) and 2 (OK);
// no event function, requests or preset result.
int Form_Run_Page_Dialog(int content_height, int content_width, const char* title, int n, Form_Page pages[],
                         void (*footer)(char* text), const char* help_topic);
// Accessors for the pages' functions while the innermost dialog runs.
void Form_Select_Page(int page);
void Form_Set_Page_Kind(int page, int kind);
int Form_Get_Page_Kind(int page);
void Form_Set_Page_Table_Drawing(int page, int flag);
// The close checks of every open dialog, innermost first (shadows kept): 0 or the first
// nonzero page check.
int Form_Check_All_Levels();
// Top left corner of the last dialog sheet, moves included.
void Form_Get_Dialog_Origin(int* x, int* y);
void Form_Request_Cancel();
void Form_Request_OK();
void Form_Request_Redraw();
void Form_Set_Mouse_To_Button(int flag);
void Form_Mouse_To_Button_On();
void Form_Mouse_To_Button_Off();
// Divides back the level's unit scales, writes back (and drops) its integer shadows, asks
// the pages' checks: 0 or the first nonzero check.
int Form_Close_Checks(int level);
// The running dialog's level (0: none) and its current page.
int Form_Dialog_Level();
int Form_Current_Page();

// ---- Hover --------------------------------------------------------------------------------

// Between events: shows the tool tip and the hover image under the pointer.
void Form_Hover_Callback();
// Appends to the hover-area registry (the first installs the hover callback).
int Form_Register_Hover_Area(int escape, int area, int x1, int y1, int x2, int y2, int* dx, int* dy);
void Form_Unregister_Hover_Area();
void Form_Activate_Hover(int on);
// Whether the hover callback is installed (at least one hover area registered).
int Form_Hover_Installed();
// The hover area of the current context (-1: none).
int Form_Hover_Area();

// A hover cell: the hover image (and bold text) while the pointer is over the rectangle.
struct Form_Hover_Cell {
    int hover_area;
    char normal_image[260];
    char hover_image[260];
    int x1, x2, y1, y2;   // area pixels
    int key_colour;
    char text[100];
    int font;             // 0x10000: the text is drawn bold under the pointer
    int text_x, text_y;
    int text_colour;
};
// -> 1 when entered, 0 when the table is full.
int Form_Enter_Hover_Cell(const Form_Hover_Cell& cell);
int Form_Hover_Cell_Count();

// A tool tip over a rectangle of the hover area.
struct Form_Tip {
    int hover_area;
    int x1, x2, y1, y2;
    int lines;
    char text[5][100];
    int width, height;
    int placement;  // 0 above the widget, else below
    int alignment;  // 3: the box ends at the widget's centre, else starts there
};
int Form_Enter_Tip(const Form_Tip& tip);
int Form_Tip_Count();
const Form_Tip* Form_Get_Tip(int i);

namespace form_internal {
// Back to the state of the start (for tests): context, shadows, registry, cells, tips.
void Reset();
} // namespace form_internal
