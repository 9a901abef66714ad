#pragma once
// File names reach us in the environment's Windows form ("C:\\Pos\\B1_01.INP",
// "Buttons.bmp" where the file is "buttons.bmp"). Every file the system opens by a
// composed name goes through here: '\\' becomes '/', and each component that does not
// exist as spelled is looked up case-insensitively in its directory.
#include <cstdio>
#include <string>

// The POSIX path for a Windows-style path. Components that cannot be found keep the
// spelling given (so a new file is created under the name the caller chose).
std::string Map_Path(const std::string& path);

// fopen on the mapped path; a mode that only reads opens as Fopen_Input does.
FILE* Fopen_Mapped(const char* path, const char* mode);

// Bounds of every file read from outside: far above any real position, annex or result
// file, so that only a damaged or endless input reaches them.
constexpr long INPUT_LINE_MAX = 64L * 1024;          // bytes of one line (text mode)
constexpr long INPUT_FILE_MAX = 64L * 1024 * 1024;   // bytes of a whole file

// Opens a file from outside (a POSIX path, not mapped). A mode that only reads ("r",
// "rb", "rt") takes regular files alone, and without waiting: a folder fails with EISDIR,
// a pipe, device or socket with ENODEV, a file of more than INPUT_FILE_MAX bytes with
// EOVERFLOW. While reading, the stream fails (error flag set, and from then on every
// read) as soon as more than INPUT_FILE_MAX bytes were read, or in text mode (no 'b')
// when a line runs past INPUT_LINE_MAX bytes; Input_Stream_Error then says EOVERFLOW.
// Any other mode opens as fopen does.
FILE* Fopen_Input(const std::string& path, const char* mode);

// The same with a bound of its own for the whole file (the viewer's, for the reports of
// every size the program writes).
FILE* Fopen_Input_Up_To(const std::string& path, const char* mode, long long most);

// The errno of the read that made a stream of Fopen_Input fail; 0 when none did (and for
// any other stream).
int Input_Stream_Error(FILE* stream);

// The descriptor behind a stream of Fopen_Input (to ask the file itself, not its name,
// what it is); -1 for any other stream.
int Input_Stream_Descriptor(FILE* stream);

// The folder of the running program ("" when it cannot be told): the programs and the
// window module of the installation lie beside each other.
std::string Program_Directory();
