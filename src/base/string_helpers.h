#pragma once
// Small text helpers of the environment's tools. The helpers that answer a copy return
// a static buffer of 512 bytes, overwritten by the next call of the same helper: longer
// inputs are cut (at 511 characters), never written beyond the buffer.
#include <cstdio>
#include <string>
#include <vector>

constexpr int STATIC_TEXT_MAX = 511;

// The text without leading and trailing blanks (of its first 511 characters after the
// leading blanks). Null gives "".
const char* Trim_Blanks_Static(const char* text);
// The text padded with blanks to width characters (at most 511; a longer text is kept
// as it is, up to 511 characters).
const char* Pad_Blanks_Static(const char* text, int width);

// fgets without the line end: a trailing "\n", "\r\n" or "\r" is removed. Null at the end
// of the stream (or for a null stream or buffer).
char* Read_Line_No_Newline(char* buffer, int size, FILE* stream);
// Reads up to the first byte that is not a blank, tab, carriage return or line feed and
// returns it (EOF at the end of the stream).
int Skip_White_Space(FILE* stream);

// Every blank becomes '?', and back, in place; the result is the text's length.
int Blanks_To_Question_Marks(char* text);
int Question_Marks_To_Blanks(char* text);

// A copy with every apostrophe replaced by the byte 0xB4.
const char* Quote_To_Acute(const char* text);
// Copies with the German letters converted between code page 1252 and code page 850:
// Ä 196/142, Ö 214/153, Ü 220/154, ß 223/225, ä 228/132, ö 246/148, ü 252/129.
const char* Ansi_To_Oem_Umlauts(const char* text);
const char* Oem_To_Ansi_Umlauts(const char* text);
// A copy with the code page 850 letters written as HTML entities (&auml; ... &szlig;);
// the output stops after 503 characters, and an entity that would not fit is left out
// whole.
const char* Oem_Umlauts_To_Html(const char* text);
constexpr int HTML_TEXT_MAX = 503;

// 0 for the names "." and ".." and for names holding \ / : * ? " < > |, else 1; with
// show_message the reason is shown in a message box. Null gives 0.
int Check_File_Name(const char* name, int show_message);

// The user's comment cut into the pieces of its report lines: line by line, each line
// cut where a beginning grows wider than wrap_width pixels in the normal screen font
// (code page 850 with the font's symbols) - at the last blank before it, blank included,
// or, without a blank, right there. An empty line gives an empty piece. Null or "" gives
// no piece.
std::vector<std::string> Wrap_Comment_Pieces(const char* comment, int wrap_width);
