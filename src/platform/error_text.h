#pragma once
#include <string>

// Telling the user, on standard error and in German, which file could not be read or
// written and why. Used where nothing may be shown on the screen (a refresh run) but a
// failure must not pass without a word.

// A German description of a system error number (errno), code page 1252; a number
// without its own text gives "Systemfehler <number>". Static text for the known numbers,
// a buffer of its own (overwritten by the next call) otherwise.
const char* German_Error_Text(int error_number);

// The text of a message box about a file that could not be written: the headline, the
// file on a line of its own and, for an error number other than 0, "Grund: " and its
// reason (code page 1252).
std::string File_Failure_Message(const char* headline, const std::string& path, int error_number);

// Writes one line to standard error: "<subject> <path> <problem>: <reason>." with the
// reason of the error number (no reason for 0). Texts in code page 1252 are written as
// UTF-8; the path as it is.
void Tell_File_Error(const char* subject, const char* path, const char* problem, int error_number);

// The same with a reason of the caller's own (code page 1252; null or empty: none).
void Tell_File_Problem(const char* subject, const char* path, const char* problem, const char* reason);
