#pragma once
// The program's version text, read from the file "VERSION" in the program's directory
// under the installation directory ("EXEC").
//
// The first line is the version text; each '<' in a later line copies the two characters
// after it over the last two characters of that text (revision marks: a later line
// "<07" turns "... 1.00" into "... 1.07").
#include <string>

// Reads "%EXEC%\<directory_name>\VERSION" and returns its version text (at most 255
// characters, without its line end) in a static buffer that the next call overwrites.
// Null when "EXEC" is not set, the directory name is null or the file cannot be opened;
// an empty file gives the empty text.
const char* Get_Program_Version_Text(const char* directory_name);

// The version file's path in the environment's form: "<exec>\<directory_name>\VERSION".
std::string Program_Version_Path(const char* exec, const char* directory_name);
