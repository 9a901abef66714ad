#pragma once
// Field editors, menus, the special-character grid, the clipboard, user settings and
// the file-name sheet of the screen library.

// The key that ended the last field editor (0 for a click elsewhere).
extern int LAST_SHEET_EDIT_KEY;

// Edits the number in place, in a box whose top left corner is (x, y) and whose text
// stands where a field's text at (x + 8, y + 14) stands, in the current font. The value
// starts as printed through the format (at most 40 characters); ',' counts as '.'. Only
// a finite number is taken; anything else leaves the value as it was, and so does a text
// typed longer than 40 characters (a message box says either). Esc puts the old value back.
// Result: 1 for Tab and Enter (go on to the next field), -1 for Shift+Tab (go back to the
// field before; the value is taken as with Tab), 0 for Esc, Up, Down and a click elsewhere (the click stays for the caller: M_LEFT is 1, and the
// next wait delivers the press again, so that it acts where it landed).
int Short_Edit_Float(int x, int y, const char* format, double* value);
// Edits the text (at most length characters shown and kept; after
// Set_Short_Edit_Text_Scrollmode(capacity) up to capacity characters, scrolling within
// length); the buffer keeps its length, padded with blanks. Results as above.
int Short_Edit_Text(int x, int y, char* buffer, int length, int flags);
void Set_Short_Edit_Text_Scrollmode(int capacity);

// A menu entry; a menu is an array ended by an entry whose text is null.
struct ZAV_Menu_Entry {
    const char* text;
    int enabled;
    const ZAV_Menu_Entry* submenu;  // opens beside the entry (may be null)
    int (*action)();                // called when the entry is chosen (may be null)
};
// Shows the menu at (x, y) (negative: at the pointer) and waits: an enabled entry with a
// sub-menu opens it, one with an action runs it and returns its result (0 without an
// action); Esc or a click outside returns -1. The screen under the menus comes back.
int Menue_Manager(const ZAV_Menu_Entry* menu, int x, int y);

// A grid of the special characters of the fonts (the symbol bytes and the German letters,
// code page 850) at the pointer: the chosen byte, or -1 when cancelled.
int Get_UserSelected_SpecialCharacter();

// The clipboard (code page 850 bytes): the window's in a window, else one of the
// process. Get copies at most size - 1 bytes and returns their number.
void ZAVSetClipboardText(const char* text);
int ZAVGetClipboardText(char* buffer, int size);

// A user setting: the environment variable ZAV_USER_<name>, copied (at most size - 1
// bytes); 1 when it is set, else 0 and the buffer untouched.
int ZAVGetUserString(const char* name, char* buffer, int size);

// The file-name sheet: one path field with OK and cancel. Init sets the title, the
// filter (shown) and the starting directory; the mode word (0x1009 reading, 0x2004
// writing) changes nothing here. ZAVGetFileNameEx shows the
// sheet with the name in the buffer (else the starting directory) and returns 1 with the
// entered name (at most size - 1 bytes, trailing blanks removed), 0 when cancelled.
void InitZAVGetFileNameEx(const char* title, const char* filter, const char* directory, int mode);
int ZAVGetFileNameEx(char* name, int size);
