#pragma once
// Notation and literature lists of a report: notations (a symbol, a dash and its
// meaning) and numbered literature entries collected while the report is written and
// printed at its end; a notation may cite a literature entry by its number. Also small
// pictures from a symbol font placed in the text as graphic blocks.
//
// Report bytes are code page 850 (control byte 0xCE). The lists are static state for
// the whole run. Both lists are bounded: entries beyond OLI_MAX_NOTATIONS or
// OLI_MAX_LITERATURE are dropped, and every text is cut to its width.
#include <cstdio>

constexpr int OLI_MAX_NOTATIONS = 500;
constexpr int OLI_MAX_LITERATURE = 200;
constexpr int OLI_NOTATION_SYMBOL_MAX = 25;    // characters kept of a symbol
constexpr int OLI_NOTATION_MEANING_MAX = 200;  // of a formatted meaning
constexpr int OLI_NOTATION_TEXT_MAX = 235;     // of a full text "symbol╬r - meaning╬r"
constexpr int OLI_LITERATURE_TEXT_MAX = 200;   // of a literature text
constexpr int OLI_SYMBOL_FONT_MAX = 99;        // of the symbol font's name
constexpr int OLI_NOTATION_LINE_MAX = 160;     // characters of a line of running notations

// Switches, both initially 1: print the notation list, print the literature list.
extern int oli_notation_list_on;
extern int oli_literature_list_on;

// Notations.
void OLI_Clear_Notations();
int OLI_Count_Notations();
void OLI_Mark_Notations();         // saves the count
void OLI_Back_To_Notation_Mark();  // the list as it was at the mark (never grows)
void OLI_Drop_Notations(int n);    // drops the last n (not below none; n <= 0: nothing)

// Adds a notation unless one with the same symbol (as kept, cut to 25 characters) is
// there; the first meaning stays. The meaning is formatted with the arguments (printf
// conventions); the symbol is taken as text.
void OLI_Add_Notation(const char* symbol, const char* meaning_format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// The symbol format is formatted with the index (A%d with 1 gives A1), the meaning
// format with the index too; then added as OLI_Add_Notation.
void OLI_Add_Notation_Indexed(const char* symbol_format, const char* meaning_format, int index);

// The literature text is looked up (OLI_Add_Literature: appended when absent); the
// meaning format is formatted with the entry's number; then the notation is added. When
// the literature list is full and the text is not in it, the notation is dropped too.
void OLI_Add_Notation_Cited(const char* symbol, const char* meaning_format, const char* literature);
void OLI_Add_Notation_Cited_Indexed(const char* symbol_format, const char* meaning_format, int index,
                                    const char* literature);

// The notations as running comment lines, several to a line, then a step of 0.4 cm.
void OLI_Write_Notations(FILE* stream);
// The notations as a two-column table (symbol, meaning) in text style 3.
void OLI_Write_Notation_Table(FILE* stream);

// Literature.
void OLI_Clear_Literature();
// The number (from 1) of the text: an equal text (compared as kept, cut to 200
// characters) gives its number, a new one is appended. 0 when the text is null or the
// list is full.
int OLI_Add_Literature(const char* text);
// The caption table "Literatur und Normen:" and the numbered table "  [n] text"; nothing
// with the literature switch off, a null stream or an empty list.
void OLI_Write_Literature(FILE* stream);

// Symbol pictures.
void OLI_Set_Symbol_Font(const char* name);  // at most 99 characters; null: empty
// A graphic block with one glyph of the symbol font (width and height in cm), then a
// step back of 0.3 cm. Nothing for a null stream.
void OLI_Write_Symbol(FILE* stream, double width, double height, const char* glyph);
// The same with a symbol file and a frame around the picture.
void OLI_Write_Symbol_Framed(FILE* stream, double width, double height, const char* symbol_file);
