#pragma once
// Designations and literature entries of the design standards, by norm code.
//
// A norm code names a design standard (4 EN 1992-1-1, 11 EN 1990, 21 EN 1992-2, ...);
// designations exist for codes 0 to 34, literature entries for 0 to 35. The edition
// switches of "annex/nad_sections.h" choose between editions. All texts are report texts
// in code page 850.
//
// The program's version text is in "base/version_text.h".

// Most lines a literature entry can have; the caller's array needs this many pointers.
constexpr int NORM_LITERATURE_MAX_LINES = 10;

// The designation of a standard: long ("EN 1992-1-1 (EC 2, Hochbau)") or short ("EC 2"),
// with or without its edition ("EC 2 (1.11)"). Codes outside 0..34 and codes without an
// entry give the empty text. The text lives in a static buffer that the next call
// overwrites.
const char* Get_Norm_Designation(int norm_code, int with_edition, int short_form);

// Fills lines[0..n-1] with the lines of the standard's literature entry and returns n.
// Lines that continue an entry begin with two blanks. The line of the German national
// annex ("... /NA, Nationaler Anhang ...") is included only while the annex in force is
// named "Deutschland" (asking for that name may choose and load the annex on first use).
// Codes 6 and 7 give no line; codes above 35 and negative codes one empty line. The
// lines point into a static buffer that the next call overwrites; lines may be null (then
// only the count is returned).
int Get_Norm_Literature(int norm_code, const char* lines[NORM_LITERATURE_MAX_LINES]);
