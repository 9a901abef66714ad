#pragma once
// Version words: the last blank-separated word of a version text, such as
// "Version 2.07.a", read as first number, separator, second number, separator and a
// suffix of up to three characters.

// Outputs 0, 0 and "???" when nothing can be read; suffix gets 4 bytes, zero-filled.
void Parse_Version_Word(const char* text, int* first, int* second, char suffix[4]);
// Compares the second numbers, then the first numbers, then the suffixes:
// 1 when a is newer, -1 when older, 0 when equal.
int Compare_Version_Words(const char* a, const char* b);
// Second number of the version word in "<EXEC>\<directory>\VERSION"; the last value
// found is kept and returned again when no version text can be read (0 at first).
int Get_Program_Version_Number(const char* directory);
