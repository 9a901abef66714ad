#pragma once
// Small text helpers of the program's text files and the report, and the check that
// refuses a file written by a newer program version.

// 1 when a file of file_version may be read by a program of program_version: its
// version is not above the program's, or it is 9999 or more (such numbers are never taken
// as newer). Otherwise 0, after the "!! ACHTUNG !!" warning for the input file
// (is_import 0) or the import file; in a refresh run it refuses without a word.
int Check_File_Version(int file_version, int program_version, int is_import);

// Every blank becomes '~' in place, so that the text is written as one word. Returns 1.
int Replace_Blanks_With_Tildes(char* text);

// Every '~' becomes a blank in place. Returns 0 for an empty text and for a text made of
// '~' only (an empty value written as tildes), else 1.
int Replace_Tildes_With_Blanks(char* text);

// Removes trailing, then leading blanks in place (only ' ' counts). Returns 0 for an
// empty text, else 1 (also when nothing is left).
int Trim_Blanks(char* text);

// A text shorter than size - 1 is filled with blanks to size - 1 characters; the text is
// then ended at size - 1 in any case (a longer text is cut). Null or size < 1: nothing.
void Pad_With_Blanks(char* buffer, int size);

// Copies min(length of source, size - 1) characters and ends the destination after
// them. Nothing happens for an empty source or a size of 1 or less.
void Copy_String_Bounded(char* destination, const char* source, int size);

// Formats into one static buffer of 100 characters and returns it; a result longer than
// 99 characters, or a failed format, gives the empty text. The next call overwrites it.
char* Format_To_Static_Buffer(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Trims, then removes every blank inside the text. 0 for an empty text, else 1.
int Remove_All_Blanks(char* text);

// Every character to upper case in place; null does nothing.
void To_Upper_Case(char* text);
