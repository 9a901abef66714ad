#pragma once
// The editor pages of the EN 1996 (masonry) and EN 1999 (aluminium) parts of an annex set:
// clause tables whose number fields edit the record in place.
//
// A page fills a scroll area of its host ("toolkit/scroll_area.h", named by its index):
// the host clears nothing itself, lets the area handle its events and calls the page
// again after a change (a section head opened or closed). The rows follow the current
// application profile as the part's report does ("annex/nad_report.h"). The number fields
// take any number; they and the radio buttons are editable only when editable is non-zero,
// the section heads always.
struct NAD_EC6_Params;
struct NAD_EC9_Params;

// Whether each page's section is open; 1 at start, kept for the run.
extern int nad_ec6_sheet_open;
extern int nad_ec9_sheet_open;

void NAD_EC6_Sheet(int area, NAD_EC6_Params* record, int editable);
void NAD_EC9_Sheet(int area, NAD_EC9_Params* record, int editable);
