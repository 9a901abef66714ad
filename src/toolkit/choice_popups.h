#pragma once
// Drop-down lists of the choice fields of a scroll area: a text choice (item type 16)
// and a picture choice (item type 17). A pop-up is painted straight onto the screen over
// the sheet; the screen below it is saved and given back when it closes, the pointer is
// confined to it while it is open and returns to where it was afterwards.
//
// The items are the scroll area's records (toolkit/scroll_area.h); a text choice's entry
// table is an array of Choice_Entry (a colour value and a text).

struct Area_Item;
struct Choice_Entry;

// Opens the list of a text choice whose text stands at the screen position (x, y) (base
// line), waits until the user takes an entry or leaves, and closes. 1 when an entry was
// taken with Enter, 2 when it was taken with a click (its index is then stored through
// the item's value pointer), else 0.
int Area_Choice_Popup(int x, int y, Area_Item* item);

// The same for a picture choice whose top left corner is at (x, y); limit_top and
// limit_bottom are the screen top and bottom of the area that shows the field.
int Area_Picture_Choice_Popup(int limit_top, int limit_bottom, int x, int y, Area_Item* item);

// Paints a text drop-down: box (x1, top)-(x1 + W, top + H), texts from text_x in the
// font, rows 13 pixels high; highlight is the row (0 .. n - 1) to highlight, any other
// value none; entries points to the first entry shown; thumb 0 = no slider, else the
// thumb's length and thumb_pos its offset below the up arrow.
void Area_Draw_Choice_List(int x1, int text_x, int W, int top, int H, int font, int highlight, int n,
                           int thumb, int thumb_pos, const Choice_Entry* entries);

// Paints a picture drop-down of the item's bitmap strip: entries first .. first + n - 1;
// selected is the entry framed as current (-1 or any entry not shown: none).
void Area_Draw_Picture_List(int x1, int W, int top, int H, int selected, int first, int n, int thumb,
                            int thumb_pos, const Area_Item* item);
