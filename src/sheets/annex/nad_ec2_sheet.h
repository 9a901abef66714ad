#pragma once
// The editor page of the EN 1992 part of an annex set: the clause table of all EN 1992
// parameters in three sections (EN 1992-1-1 buildings, EN 1992-1-2 fire, EN 1992-2
// bridges) with the rows of the report's row groups ("annex/nad_ec2_report.h").
//
// The page fills a scroll area of its host ("toolkit/scroll_area.h", named by its index)
// and is called again by the host after every change the area reports (a section opened
// or closed, a form flag switched). Number fields write the doubles, radio buttons the
// form flags and choices, in place.
struct NAD_EC2_Params;

// 1 while the page last drawn is editable; every field and button of the page points to
// it. The section heads are usable on a read-only page too.
extern int nad_ec2_sheet_editable;
// Whether EN 1992-1-1, EN 1992-1-2 and EN 1992-2 are open: 1, 0, 1 at start, kept for
// the run.
extern int nad_ec2_sheet_open[3];

void NAD_EC2_Sheet(int area, NAD_EC2_Params* record, int editable);

// One row of the table whose top is at y: with a non-zero height the cells of the
// "Kapitel" and "Erläuterung" columns, then the texts at x 10, 67 and 206, each when not
// empty. Returns the y below the row.
int NAD_EC2_Sheet_Row(int area, int y, int height, const char* clause, const char* parameter,
                      const char* explanation);
