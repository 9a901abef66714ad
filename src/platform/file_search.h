#pragma once
// Stand-ins for the few Windows runtime and environment file functions that the
// component file helpers rely on. Names arrive in the environment's Windows form
// ("C:\\Pos\\B1_*.TMP"); every one goes through Map_Path before it reaches the file
// system, so '\\' separates directories and each component is found whatever its case.
#include <cstddef>

// One running file search. The record begins with the name of the current match (the
// file name alone, spelled as it is on disk); the rest belongs to the search.
struct DOS_Find_Record {
    const char* name = nullptr;
    void* state = nullptr;
};

// Starts a search for the regular files matching the pattern's last component (wildcards
// '*' and '?', letters compared without regard to case) in the directory the pattern
// names (the working directory when it names none). 0 when a match was found (its name
// is then in the record), non-zero when there is none. The matches are taken when the
// search starts, so files may be removed while the search runs.
int DOSFindFirstFile(const char* pattern, DOS_Find_Record* record);
// The next match: 0 when there is one, non-zero at the end.
int DOSFindNext(DOS_Find_Record* record);
// Ends the search and gives back what it held; safe on a record without a search.
void DOSFindClose(DOS_Find_Record* record);

// Whether the name matches the wildcard pattern ('*' any run of characters, '?' exactly
// one; ASCII letters without regard to case; "*.*" matches every name, also one without
// a dot).
bool Wildcard_Match(const char* pattern, const char* name);

// Makes a new empty file with a unique name "<dir>\\<prefix><hhhh>.TMP" (at most three
// characters of the prefix, hhhh four hex digits) and writes its name into the buffer.
// Answers the unique number (1 to 0xFFFF), or 0 when no file could be made or the name
// does not fit the buffer. Two calls in one run never hand out the same number for the
// same directory and prefix, even when the caller removes the file in between.
unsigned Get_Temp_File_Name(const char* dir, const char* prefix, char* buffer, size_t size);

// The absolute form of the path in the buffer of the given size: a relative path is
// taken from the working directory, "." and ".." components are resolved. Null when the
// path or buffer is missing, the working directory is unknown or the result does not
// fit (its length must stay below size).
char* _fullpath(char* buffer, const char* path, size_t size);

// 0 when the file exists and allows the access asked for (0 existence, 2 write, 4 read,
// 6 both; 1 asks for nothing beyond existence, as on Windows), else -1.
int _access(const char* path, int mode);

// Copies the source file to the destination. With a non-zero flag an existing
// destination is left alone and the copy fails. Non-zero on success, 0 on failure.
int ZAVCopyFile(const char* source, const char* destination, int fail_if_exists);
