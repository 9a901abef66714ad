#pragma once
// Reading a text file line by line.
#include <cstdio>
#include <string>

// The next line without its line end (LF or CR LF); false at the end of the stream with
// nothing read. The whole line is taken, however long, so that the rest of a long line
// is never mistaken for a line of its own. A last line without line end counts as a line.
bool Read_Whole_Line(FILE* stream, std::string& line);
