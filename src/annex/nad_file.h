#pragma once
// Annex set files "NAD/Version 1": one text file holds a whole annex set, a header line
// and one section per Eurocode part ("#EC0", "#EC2", "#EC3", "#EC5", "#EC6", "#EC9").
//
//   built-in annexes (file number 0):  %DATA%\NAD\<file name>.NAD  ("Standard", "Deutschland")
//   user annexes (file number n > 0):  %DRAM%\NADS\<n>.NAD
//
// The EN 1991 tables are not kept in these files (they live in table files of their own
// and are found by the annex name). The file carries no user flag: the loader derives it
// from where the file came from.
//
// Also here: the built-in German EN 1992 values for the material sets, the content of
// the two built-in annex files as compiled into the program (used when a built-in file
// cannot be read), and the first-start migration of the older annex list.
#include <cstdio>
#include <string>
#include <vector>

struct NAD_Set;
struct NAD_EC2_Params;

// The built-in annex "Deutschland" as loaded for the material sets (filled on the first
// call of NAD_EC2_Get_Deutschland and kept for the run) and its flag (0 at start).
extern NAD_Set german_nad_set;
extern int german_nad_set_loaded;

// File names of the two built-in annexes below %DATA%\NAD.
extern const char* const NAD_FILE_STANDARD;  // "Standard"
extern const char* const NAD_FILE_GERMANY;   // "Deutschland"

// Writes the whole file: "NAD/Version 1\n\n", the header " <code> «name» <NA-DE flag>\n"
// and the six sections, each opened by "\n\n#ECk\n". LF line ends, "C" locale numbers.
// Nothing for a null stream or set.
void NAD_Write_Set(FILE* stream, const NAD_Set* set);

// Reads a file into the set over the values it holds: 0 when the first line is not
// "NAD/Version 1" (the set untouched; a file of another version is not read, its layout is
// unknown), else the header and every section found (each searched from the start of the
// file, so their order is free) and 1. Names of any length up to 99 characters are kept
// whole. A damaged header or section, and a missing section (noted as "EC6 fehlt"), do
// not change the result: they are noted in the read status of "annex/nad_sections.h" (see
// NAD_Load_Set); the part of a missing section stays as it was.
int NAD_Read_Set(FILE* stream, NAD_Set* set);

// Opens the annex file (n = 0: the built-in file name below %DATA%\NAD; n > 0: user file
// n below %DRAM%\NADS), reads it over the set, sets the user flag (1 for n > 0), loads the
// EN 1991 table values of the name read from the file and hands the set's NA-DE flag to
// every part. Does not reset the set first.
//
// Only a whole file is taken: one that cannot be read, whose first line is not
// "NAD/Version 1", that has a line far too long, or whose header or any section is damaged
// or missing, changes nothing in the set. Except: a user file that lacks nothing but
// sections of parts the corbel's design does not read (EC3, EC5, EC6, EC9) is taken, those
// parts keep the values the set held (NAD_Last_Load_Problem names them). A built-in file
// that is not whole ("Standard" or "Deutschland") is replaced by the content compiled into
// the program (the same bytes as the shipped file) and the load succeeds; a damaged one is
// said once per run (message box, in a refresh run a line on standard error). Any other
// user file is refused: 0, and NAD_Last_Load_Problem says why.
//
// 1 on success; 0 for a refused user file, an unknown built-in name or a null set.
// The part read status ("annex/nad_sections.h") is cleared at the start; after a
// successful load it can only hold what the EN 1991 table files lacked.
int NAD_Load_Set(int n, const char* name, NAD_Set* set);

// Why the last NAD_Load_Set refused its file or replaced it by the compiled-in content;
// problem empty when it took the file (or found none to replace).
struct NAD_Load_Problem {
    std::string path;     // the file as the file system names it (empty without one)
    std::string problem;  // code page 1252, to follow "die Datei <path>": "ist besch\xE4digt: der Teil EC2 ..."
    // For a refused user file: true when its values are to be replaced by the built-in
    // "Deutschland" (its header says the German rules apply, or cannot be read), false for
    // the built-in standard values (its header says they do not).
    bool german_rules = true;
    // For a user file that was taken without the sections of these parts ("EC9"): they
    // kept the values the set held before (the reset's). Empty otherwise.
    std::vector<std::string> reset_parts;
};
const NAD_Load_Problem& NAD_Last_Load_Problem();

// "der Teil EC9 fehlt", "die Teile EC3 und EC9 fehlen"; empty for no part.
std::string NAD_Missing_Parts_Clause(const std::vector<std::string>& parts);

// Tells the user about an annex file: in a refresh run the pieces as one line on standard
// error (joined by blanks, each piece as UTF-8 of its code page, except the piece at
// path_piece, a file's path, which is written as it is), else a message box titled
// "Nationaler Anhang" with one line per piece.
void NAD_Tell(const std::vector<std::string>& pieces, int path_piece = -1);

// NAD_Tell, but each message (the same pieces) only once per run.
void NAD_Tell_Once(const std::vector<std::string>& pieces, int path_piece = -1);

// Reads the header of an annex file: its code and name. Empty when both were read, else
// what makes the file unusable (code page 1252, to follow "die Datei <path>"): it cannot
// be read, is empty, its first line is not "NAD/Version <number>", or its code or name
// cannot be read (an empty name counts as none). Neither the version number nor the
// sections are looked at: NAD_Load_Set judges those.
std::string NAD_Read_File_Header(const std::string& path, int& code, std::string& name);

// Writes user file n (%DRAM%\NADS\<n>.NAD) with NAD_Write_Set; a null set deletes that
// file instead. 1 on success; 0 when "DRAM" is not set (or empty), the file cannot be
// created, a write or the closing fails, or the file cannot be deleted (errno then says
// why, where the system gave a reason).
int NAD_Save_Set(int n, const NAD_Set* set);

// The EN 1992 part of the built-in annex "Deutschland", copied into the record with
// NAD_EC2_Copy (a null record only makes sure the annex is loaded). The annex is loaded
// once per run; without a readable file the compiled-in content gives the same values,
// so the record never receives zeros.
void NAD_EC2_Get_Deutschland(NAD_EC2_Params* record);

// The first-start migration: when %DRAM%\NADS does not exist yet, creates it and converts
// every annex of the older list %DRAM%\NADs-EC2.DEF into the user files 1.NAD, 2.NAD, ...
// (parts the older list lacks carry their built-in values). Without "DRAM" there is
// nothing to convert and nothing is said. A list of more than NAD_MIGRATION_MAX annexes
// counts as damaged: nothing of it is converted (the directory stays, so this is said
// once). When the directory cannot be made, or an annex file cannot be written (then the
// files of this conversion and the directory are removed again, so that the next start
// converts the list anew), the user is told in German (NAD_Tell), once per run.
void Safeguard_Proper_Version();
// Far above any real list of annexes.
constexpr int NAD_MIGRATION_MAX = 200;

// The two built-in annexes as the program builds them: the set of a built-in file name
// ("Standard": code 19, "EC-Standardparameter", the built-in values; "Deutschland": code
// 18, NA-DE flag 1, the values of the German annex). false for any other name or a null
// set. The EN 1991 part is not touched.
bool NAD_Build_Builtin_Set(const char* file_name, NAD_Set* set);

// The bytes of the built-in annex file of that name, as NAD_Write_Set writes the set of
// NAD_Build_Builtin_Set. These are the bytes shipped in %DATA%\NAD and the compiled-in
// fallback. false for any other name.
bool NAD_Builtin_File_Text(const char* file_name, std::string& text);

// The bytes NAD_Write_Set writes for the set; false when they cannot be made.
bool NAD_Set_Text(const NAD_Set& set, std::string& text);

// The user annex file of number n below the DRAM folder, "<dram>\NADS\<n>.NAD".
std::string NAD_User_File_Path(const char* dram, int n);
