#pragma once
// A user's comment (the preliminary remarks) as running text of the report.
#include <cstdio>

// Writes the comment line by line, each line wrapped at the last blank before it grows
// wider than 600 pixels in the normal screen font (the comment's bytes are report text,
// code page 850); an empty line is written as " \n". An empty or null comment writes
// nothing.
void Write_User_Comment(FILE* stream, const char* comment);

// Width in pixels of a screen text in the current font (the normal font 0x1000), and in
// the given font code (style bits ignored); 0 for null. Screen texts carry their umlauts
// in code page 1252 or 850; the umlaut bytes of the text decide which.
int Get_Text_Width_Px(const char* text);
int Get_Text_Width_In_Font(const char* text, int font);
