#pragma once
// Search for a line that begins with a keyword in a text file.
#include <cstdio>

// Rewinds the stream and reads it line by line (CR LF or LF). Answers 1 at the first line
// that begins with the keyword, the stream then standing behind that line; with a value
// pointer, an integer right behind the keyword is stored there when one can be read (else
// the value stays as it was). No such line: 0, with the stream at its end. A null keyword
// or stream answers 0.
int Find_Keyword_Line(const char* keyword, FILE* stream, int* value);
