#pragma once
// The editor page of the EN 1995 (timber) part of an annex set: sections over the bands
// of the picture "NAD\EC5GrobiNads.bmp" and the clause table, cut to the running
// application by the row flags of the part's report ("annex/nad_ec5_report.h"); the
// German-annex rows only when the part's NA-DE flag is set.
//
// The page fills a scroll area of its host ("toolkit/scroll_area.h", named by its index)
// and is called again by the host after every change the area reports. Fields and
// switches edit the record in place when editable is non-zero; the section heads open and
// close on a read-only page too.
struct NAD_EC5_Params;

// Whether each section is open, by row flag index (0..8); 1 at start, kept for the run.
extern int nad_ec5_sheet_open[9];

void NAD_EC5_Sheet(int area, NAD_EC5_Params* record, int editable);

// Draws band 1..9 of the picture with its top left corner at (x1, y1) (white left out);
// any other band number, or a null pointer, draws nothing. The custom-cell form of the
// scroll areas; x2 and y2 are not used.
void NAD_EC5_Draw_Picture(int x1, int y1, int x2, int y2, void* band);

// The band rectangles of the picture: top, width and height of band k at index k - 1.
struct NAD_EC5_Band {
    int top, width, height;
};
extern const NAD_EC5_Band nad_ec5_bands[9];
