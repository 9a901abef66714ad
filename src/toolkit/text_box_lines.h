#pragma once
// The inside of a multi-line text box of a scroll area (item type 19): breaking its
// text into lines that fit the box, painting the visible lines with the selection, the
// cursor line, moving the cursor by mouse, characters and lines, removing the selection,
// inserting a special character, and the two gauges shown while the box is edited.
//
// The state is the item's Text_Box_State (toolkit/scroll_area.h). Its buffer holds
// capacity + 1 bytes and is zero beyond the text. The text's last character works as a
// sentinel: the cursor never stands after it. Line starts: lines[0 .. line_count - 1], the
// last entry pointing at the terminating zero.

struct Area_Item;
struct Text_Box_State;

// The box being edited, or null; set and cleared by the area's event handler. While it
// is set and its font is 0, widths are those of the fixed 8-pixel cells.
extern Text_Box_State* edited_text_box;

// Breaks the item's text into lines (rewriting lines, line_count and visible_lines) and
// paints the box's inside; (x1, y1)-(x2, y2) is the box's screen rectangle.
void Text_Box_Draw(Area_Item* item, int x1, int y1, int x2, int y2);
// Removes the drawn cursor line and draws it at the cursor when that line is visible.
void Text_Box_Draw_Cursor(Text_Box_State* s);
// Puts the cursor where the pointer (M_XPOS, M_YPOS) is.
void Text_Box_Cursor_From_Mouse(Text_Box_State* s);
// Scrolls (first_line) so that the cursor's line is shown, repainting when it changes.
void Text_Box_Show_Cursor_Line(Text_Box_State* s);
// Moves the cursor by chars characters, then by lines lines; clears the selection.
void Text_Box_Move_Cursor(int chars, int lines, Text_Box_State* s);
// Removes the selected characters; the cursor stands where they began.
void Text_Box_Delete_Selection(Text_Box_State* s);
// The action of the box's context-menu entry "Sonderzeichen": lets the user choose a
// character and puts it in place of the selection at the cursor. 10 after an insertion,
// else 0.
int Text_Box_Insert_Special_Character();
// Draws the fill gauge and, when not all lines fit, the position gauge.
void Text_Box_Draw_Gauges(Text_Box_State* s);

// The line index of the cursor in the line table as last broken.
int Text_Box_Cursor_Line(const Text_Box_State* s);
