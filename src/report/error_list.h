#pragma once
// The error list: hint and error rows collected in a small table file next to the
// position's files, and copied into the report when a proof cannot be carried out; the
// guillemet fields of the program's text files; three fixed error messages.
//
// The error-list file is one table block of the report format:
//
//   #SHOWTABLE
//   0 0 0
//   0 0 -1 -1
//    first message            one row " %s\n" per message (Write_Error_List_Row)
//    ...
//
// Its closing "#END_OF_TEXT" is written when the list is copied or shown. Report bytes
// are code page 850. The block writers below write their bytes as they stand; a caller
// that has running text open in the report ends that paragraph block first.
#include <cstdio>

// Opens the error-list file named by the component path followed by the suffix (mode
// "w+") and writes the table head. Null when the file cannot be opened (or the name is
// too long) or the head cannot be written; the file is then closed again.
FILE* Open_Error_List(const char* suffix);

// Copies the lines of the error-list file, from its beginning, into the report (line
// ends as LF; a CR before a line end is dropped) and closes the table with
// "#END_OF_TEXT\n". 1 when either stream is missing or a write fails, else 0.
int Append_Error_List(FILE* report, FILE* list);

// Writes " ╬bDer Nachweis kann nicht geführt werden ==>╬r\n" and "#END_OF_TEXT\n", then,
// with a list, the list's lines and "#END_OF_TEXT\n" (as Append_Error_List). 1 for a
// null report or a failed write, else 0.
int Append_Failed_Proof(FILE* report, FILE* list);

// Guillemet field: at most 100 characters between the bytes 0xAE and 0xAF.
constexpr int GUILLEMET_FIELD_SIZE = 101;  // buffer size Read_Guillemet_Field expects

// Skips white space and reads one field " «text»" into buffer (GUILLEMET_FIELD_SIZE
// bytes, always terminated). A longer text is cut to 100 characters, but its rest is
// consumed up to the closing byte, so the fields behind it stay in step. 0 when a field
// of at least one character was read; 1 otherwise (null arguments, no opening byte,
// an empty field, end of file).
int Read_Guillemet_Field(FILE* stream, char* buffer);

// Writes "«text»\n" (0xAE, the text, 0xAF, line end). 0, or 1 for null arguments or a
// write error.
int Write_Guillemet_Field(FILE* stream, const char* text);

// Shows the text in the environment's message box (one OK).
void Show_Message_Text(const char* text);

// The fixed messages; each returns its error number after the message.
int Show_Read_Error();   // "Lesefehler !!!"   -> 101
int Show_Write_Error();  // "Schreibfehler !!!" -> 102
int Show_Data_Error();   // "Datenfehler !!!"  -> 103
