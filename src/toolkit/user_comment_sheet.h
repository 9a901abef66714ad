#pragma once
// The user's comment (the preliminary remarks of a report): its edit sheet, and the
// comment as wrapped text items of a scroll area.

// Shows the sheet (600 x 400, narrower on small screens, titled as given) with the
// comment in a text box and the buttons "abbrechen", "Hilfe" and "bestätigen". Returns
// the edited comment as a new heap text (allocation layer) and frees the old one when
// confirmed; else (cancelled, closed, no screen) the old comment unchanged. The text box
// holds 4 times the comment's length, at least 5000 characters.
char* Edit_User_Comment(char* comment, const char* title);

// Adds the text to the area as text items in the font and colour, one per piece of the
// report's wrapping (Wrap_Comment_Pieces, base/string_helpers.h: cut at the last blank
// before a line grows wider than wrap_width pixels in the normal screen font). The
// pieces start at content (x, *y), *y growing by line_step per piece; an empty line
// takes a step. Returns the number of text items added.
int Add_Wrapped_Text_Items(int area, int x, int* y, const char* text, int wrap_width, int font, int colour,
                           int line_step);
