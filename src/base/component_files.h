#pragma once
// The component path: the identifier the environment hands over as first argument, a
// directory and file stem to which every position file of the component is named by
// appending a suffix ("_01.INP", "_01.OLI", "_TMP.EXP", ...). Set once at start-up.
//
// Names stay within the limits of the environment: the path keeps at most 260
// characters, and a composed name of 261 characters or more is never used (the
// operation fails instead).
#include <cstdint>
#include <cstdio>

constexpr int COMPONENT_NAME_MAX = 260;  // longest usable name, without terminator

extern char component_path[COMPONENT_NAME_MAX + 1];
extern int component_path_len;
// Directory part of the path (text before the last backslash, or the drive with its
// colon), or the working directory when the identifier names none.
extern char component_dir[COMPONENT_NAME_MAX + 1];

// Keeps the identifier (null: empty; longer than 260 characters: its first 260) and
// finds its directory. Returns component_path.
const char* Set_Component_Path(const char* identifier);
const char* Get_Component_Path();
const char* Get_Component_Dir();

// The component path followed by the suffix (null: nothing) in the caller's buffer of
// the given size. Returns the buffer when the whole name fit; otherwise the name is cut
// to size - 1 characters and null is returned. Null for a null buffer or a size below 1.
char* Make_Component_File_Name(char* buffer, const char* suffix, int size);

// fopen (mapped) of the component path followed by the suffix; null when it cannot be
// opened or the name would reach 261 characters.
FILE* Open_Component_File(const char* suffix, const char* mode);

// The composed name in a buffer shared by the calls of this module (overwritten by the
// next call); null when too long.
const char* Get_Component_File_Name(const char* suffix);
bool Component_File_Exists(const char* suffix);
// 0 when the file was removed, 1 otherwise.
int Remove_Component_File(const char* suffix);
bool Copy_Component_File(const char* source_suffix, const char* destination_suffix, int flag);
bool Rename_Component_File(const char* old_suffix, const char* new_suffix);
// Removes every file matching the component path followed by the wildcard pattern;
// the number removed, or -1 when the pattern name is too long.
int Remove_Component_Files(const char* suffix_pattern);

// A unique file name in the directory of the environment variable "TEMP" (the file
// itself is not left behind). The buffer needs at least 261 bytes. Null for a null
// buffer or when no name could be made.
char* Make_Temp_File_Name(char* buffer);
// Opens a new temporary file (at most five at a time); null when none is free or no
// name could be made.
FILE* Open_Temp_File(const char* mode);
// Closes a stream from Open_Temp_File and removes its file. True when the stream was
// one of them and closed without error.
bool Close_Temp_File(FILE* stream);

// Reads one line and converts up to n white-space separated values from its start; a
// word that does not begin with a number ends the conversion. Places not filled are
// set to zero. 1 when a line was read, 0 at end of file (array then all zero).
int Read_Line_Doubles(FILE* stream, double* values, int n);
int Read_Line_Ints(FILE* stream, int32_t* values, int n);
// Reads up to n values across lines, stopping at the first that cannot be converted;
// the rest of the array is zeroed. The number read.
int Scan_Doubles(FILE* stream, double* values, int n);
int Scan_Ints(FILE* stream, int32_t* values, int n);
// Reads one integer as "%d" reads it (white space, an optional sign, digits), but a number
// beyond the range of an int, which "%d" would silently wrap, is not taken: false then, as
// when no number can be read (the value is left as it was).
bool Scan_Int(FILE* stream, int* value);
