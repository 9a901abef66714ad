#pragma once
// A user's comment (the preliminary remarks) as running text of the report.
#include <cstdio>

// Writes the comment line by line, each line wrapped at the last blank before it grows
// wider than 600 pixels in the current font; an empty line is written as " \n". An empty
// or null comment writes nothing.
void Write_User_Comment(FILE* stream, const char* comment);

// Width of the text in pixels in the current font; 0 for null.
int Get_Text_Width_Px(const char* text);
