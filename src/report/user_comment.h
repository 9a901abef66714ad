#pragma once
// A user's comment (the preliminary remarks) as running text of the report.
#include <cstdio>

// Writes the comment line by line, each line wrapped at the last blank before it grows
// wider than 600 pixels in the normal screen font (the comment's bytes are report text,
// code page 850); an empty line is written as " \n". An empty or null comment writes
// nothing.
void Write_User_Comment(FILE* stream, const char* comment);
// The same without a logo at 675 pixels, and after a graphic block with the logo
// ("27 0.0 0.0 %FONT%\UserCommentLogo.ocm") at 600 pixels. The wrapping is
// Wrap_Comment_Pieces (base/string_helpers.h).
void Write_User_Comment_Plain(FILE* stream, const char* comment);
void Write_User_Comment_With_Logo(FILE* stream, const char* comment);
