#pragma once
// The annex editor's pages of the EN 1993 part: EN 1993-1-1/1-2 and EN 1993-1-8/1-5/1-9/6
// on a scroll area (toolkit/scroll_area.h), showing only the rules of the running
// program's profile (NAD_EC3_Set_Row_Filter). The fields edit the records in place; the
// editable word (kept by the caller while the items live) is handed to every field.
struct NAD_EC3_Params;
struct NAD_EC3_1_Params;
struct NAD_EC3_8_Params;

// Clears the area, adds both pages from y = 20 downward and updates the area.
void NAD_EC3_Sheet(int area, NAD_EC3_Params* part, int* editable);
// Add their rows from *y on and advance *y below them. Each fills the row flags first.
void NAD_EC3_1_Sheet(int area, int* y, NAD_EC3_1_Params* record, int* editable);
void NAD_EC3_8_Sheet(int area, int* y, NAD_EC3_8_Params* record, int* editable);
