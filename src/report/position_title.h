#pragma once
// The component position's number and title, read once at start-up from the position
// text, and the start-up registration of the program with the environment's library.
#include <cstdio>

// Reads the position text into position_number and position_title: the identifier's
// folder (none: the working directory), the first four characters of its last name and
// txt_file_name ("..\B1" reads "..\B1_01.TXT", "sub\Konsole" "sub\Kons_01.TXT"). Both
// stay empty when it cannot be read.
void Load_Position_Title(const char* component_identifier);

// Reads the position text at path. Two forms (CR LF or LF line ends):
//   one line   "number:title" - the number is what stands before the first ':' (a line
//              without ':' is all number), the title what follows it;
//   three lines - the first is not used, the second is the number, the third the title.
// Lines are read whole; then the number is cut to 6 and the title to 50 characters.
// Returns 0 when read; 1 when the file cannot be opened, is empty, or the title line of
// the three-line form is missing (the number is kept).
int Read_Position_Title(const char* path);

// Hands the program's stdio table to the environment's library and switches the mouse
// wheel on. Called once at start-up, before any report is written.
void Install_Stdio_And_Mouse_Wheel();
// The same, answering what switching the wheel on answered (the setting before).
int Install_Stdio_And_Mouse_Wheel_Result();

// Writes the text as one row " %s\n" of the report when the stream is given; returns the
// code unchanged (callers add the results up to count their rows).
int Write_Error_List_Row(FILE* stream, int code, const char* text);
