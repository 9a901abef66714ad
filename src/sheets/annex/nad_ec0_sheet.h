#pragma once
// The editor page of the EN 1990 part of an annex set: number fields over pictures that
// carry the labels ("NAD\NAD-Kbws.bmp" for buildings, seven "NAD\NAD_bridge_*.bmp" for
// bridges), one field row every 22 pixels.
//
// The page fills a scroll area of its host ("toolkit/scroll_area.h", named by its index)
// and is called again by the host after every change the area reports (a section opened
// or closed). The building section shows with rule 0 of part 0 of the application profile,
// the bridge section with rule 1. The fields take any number and edit the record in place
// when editable is non-zero; the section heads open and close on a read-only page too.
struct NAD_EC0_Params;

// Whether the building and the bridge section are open; 1 at start, kept for the run.
extern int nad_ec0_sheet_open[2];

void NAD_EC0_Sheet(int area, NAD_EC0_Params* record, int editable);

// The pictures' rows, for the pictures that are drawn to match: every picture starts with
// one heading row, and field row k (from 0) of a picture lies in its row k + 1, from
// 22 (k + 1) to 22 (k + 2) - 1 below its top.
constexpr int NAD_EC0_ROW_PITCH = 22;
// Rows of the building picture: per situation a heading and its actions (the seismic
// block keeps an empty row for the accidental action), then the heading of the
// combination factors and the 12 categories with an empty row after 3 and after 6.
constexpr int NAD_EC0_BUILDING_PICTURE_ROWS = 42;
// Field rows of the seven bridge pictures, in the order of their names below.
constexpr int NAD_EC0_BRIDGE_PICTURES = 7;
extern const char* const nad_ec0_bridge_pictures[NAD_EC0_BRIDGE_PICTURES];
extern const int nad_ec0_bridge_picture_rows[NAD_EC0_BRIDGE_PICTURES];
