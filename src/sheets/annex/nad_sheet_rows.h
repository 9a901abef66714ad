#pragma once
// What the annex part sheets share: their colours (made on first use), their fonts and
// the clause row of the tables with the columns "Kapitel", "Parameter", "Erläuterung".
//
// A sheet fills a scroll area ("toolkit/scroll_area.h") of its host; the area is named
// by its index.

constexpr int NAD_SHEET_HEAD_FONT = 0x11000;  // bold
constexpr int NAD_SHEET_TEXT_FONT = 0x1000;
constexpr int NAD_SHEET_SMALL_FONT = 0x1002;  // sub- and superscripts

struct NAD_Sheet_Colours {
    int cell;  // cells of a clause row, RGB (234, 255, 251)
    int band;  // heads of the sections, RGB (205, 254, 244)
    int rule;  // lines under the head rows, RGB (130, 130, 130)
};
const NAD_Sheet_Colours& NAD_Sheet_Colour_Set();

// A clause row whose top is at y: with a non-zero height the cells from x 4 to 56 and
// from x 200 to 382 in the cell colour, then the clause (x 10), the parameter (x 67) and
// the explanation (x 206) in black on the base line y + 13, each only when not empty.
// Returns the y below the row.
int NAD_Sheet_Clause_Row(int area, int y, int height, const char* clause, const char* parameter,
                         const char* explanation);

// The head row "Kapitel", "Parameter", "Erläuterung" with its rule line; returns the y
// below it.
int NAD_Sheet_Head_Row(int area, int y);

// A section head: a band from x 4 to 382 and a check box with the title on the open
// switch, usable also on a read-only sheet. Returns the y below it.
int NAD_Sheet_Section_Head(int area, int y, const char* title, int* open);

// A symbol with a subscript in the small font beside it, the symbol's base line at y.
void NAD_Sheet_Symbol(int area, int x, int y, const char* symbol, const char* subscript);
