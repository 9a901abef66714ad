#pragma once
// The annex editor (the program corbel-annex): one annex set of the list on register
// pages, one page per Eurocode part the set file carries (EN 1990, 1992, 1993, 1995,
// 1996, 1999), the set's name in a field above them and the display options beside it.
// "Ende" asks whether to save a changed set; the frame's close button ends without
// saving after a question.
//
// Saving writes the set into the user's annex folder (%DRAM%\NADS\<n>.NAD): a user annex
// into its own file, a built-in annex ("EC-Standardparameter", "Deutschland") never over
// its own file but as a new user annex, under a number that no file of the folder uses
// (damaged ones included) and a name the user gives it. A name that is empty or another annex's is refused and the editing goes on,
// so does it after a failed save; nothing typed is lost.
#include <string>

// The whole program: corbel-annex NAME. The exit code: 1 after saving, 0 when the user
// ends without saving, 2 when the annex cannot be edited (a wrong command line, a name
// that is not in the list, an annex file that cannot be read; each said on the screen or
// standard error).
int NAD_Editor_Main(int argc, char** argv);

// The annex name of the command line in code page 850, the code page of the annex files:
// a name typed in a UTF-8 shell is converted, any other (the bytes the selection sheet
// hands over) is taken as it is.
std::string NAD_Editor_Name_Argument(const char* argument);

// The editor program as the selection sheet starts it: corbel-annex beside the running
// program (where the window module is found too).
std::string NAD_Editor_Program();

// Starts the editor program at path with the annex name and waits for it to end. An
// editor that is not there, cannot be executed or does not end normally is said in a
// message box. The editor's headless driver runs the script ZAV_ANNEX_SCRIPT (none when
// unset), never the script of the running program. Answers whether the editor ran.
bool NAD_Run_Editor_Program(const std::string& path, const char* annex_name);
