#pragma once
// Print options of the environment's steel-design programs: report switches, the
// graphic's scale, a tolerance and a free remarks text, with defaults, copy and a
// text-file block. The corbel keeps its own print options and uses only
// OLI_Write_Preliminary_Remarks, which writes the remarks section of a report.
#include <cstdint>
#include <cstdio>
#include <string>

constexpr int STEEL_PRINT_SWITCH_COUNT = 13;
constexpr int STEEL_PRINT_OPTIONS_VERSION = 7;

// Longest remarks text a file block may announce; a longer one is refused as damaged.
constexpr int STEEL_PRINT_REMARKS_MAX = 1000000;

struct Steel_Print_Options {
    // switch 6: the optimised table of finite-element results;
    // switch 9: detail level (2 "ausführlich", 1 "standard", 0 "minimal", 3
    // "tabellarisch", 4 governing notch point or load combination);
    // switch 10: load-combination choice (1 governing one in detail, 0 no detailed
    // output, -n combination n in detail);
    // switch 12: the tables also give the governing notch point of the fatigue check.
    int32_t switches[STEEL_PRINT_SWITCH_COUNT] = {};
    double scale = 0.0;       // graphic 1 : scale
    double tolerance = 0.0;   // 0 to 10 ("Toleranz im Endergebnis")
    char* remarks = nullptr;  // owned (allocation interface), null when none
};

// The programs of the environment differ by application number:
// - notch-point programs (fatigue of details, 156 and 157) give their results by notch
//   point: their sheet offers "maßgebender Kerbpunkt" where the others offer the tables,
//   and their input echo names the design forces ("Bemessungskräfte") where the others
//   name the partial safety factors;
// - the tables are the default detail level of every other program, except the four
//   concrete programs 125 to 128, which keep "standard";
// - two programs (152 and 153) also give the governing notch point of the fatigue check
//   in their tables by default (switch 12).
bool Steel_Program_By_Notch_Points(int application_number);
bool Steel_Program_Tables_By_Default(int application_number);
bool Steel_Program_Fatigue_Notch_By_Default(int application_number);

// Defaults: switches 1 0 1 1 0 1 1 1 1 1 1 0 0, scale 0, tolerance 0, no remarks (the
// record's remarks are freed; a fresh record has none); by the environment's application
// number the detail level 3 (tables) and switch 12 on, as above.
void Init_Steel_Print_Options(Steel_Print_Options* record);

// The destination gets the defaults (its remarks freed), then every field of the source,
// the remarks as a new copy when not empty. Source and destination may be the same.
void Copy_Steel_Print_Options(const Steel_Print_Options* source, Steel_Print_Options* destination);

// File block, version 7:
//   " 7\n"
//   " %d %d %d %d %d %lf %d %d %d %d %d %d %d %d %lf\n"  switches 0 1 2 3 9, scale,
//                                                         switches 4 5 6 7 8 10 11 12,
//                                                         tolerance
//   " %d" remarks length, then when not 0 " %s" with the remarks (blanks as '~'), "\n"
// 0, or 1 for a null argument or a write error. The record is not changed.
int Write_Steel_Print_Options(FILE* stream, const Steel_Print_Options* record);

// Reads a block of version 0 to 7 (a newer one is refused with the file-version warning;
// 9999 and above count as not newer). Fields missing from older versions keep their
// values. The remarks (from version 5) replace the record's only when the whole text was
// read: a length above STEEL_PRINT_REMARKS_MAX, or a text cut short by the end of the
// file, gives 1 and leaves the remarks as they were. A length of 0 or less leaves them
// too. CR LF line ends inside the remarks are read as LF. 0 on success, 1 on a refused
// version or a value that cannot be read (the values read so far stay).
int Read_Steel_Print_Options(FILE* stream, Steel_Print_Options* record);

// Check callback of the tolerance field: below 0 becomes 0, above 10 becomes 10.
void Clamp_0_10(double* value);

// The remarks section of a report: nothing for a null stream or an empty text; else the
// heading "╬HVorbemerkungen\n", the remarks as running text wrapped by the user-comment
// writer, and 0.3 cm of space before the next paragraph.
void OLI_Write_Preliminary_Remarks(FILE* report, const char* remarks);

// Reads a remarks text of the given length behind its separating character: '~' turns
// back into a blank, CR LF is taken as LF and not counted. False when the end of the file
// comes first.
bool Read_Remarks_Text(FILE* stream, int length, std::string& text);

// Breaks every remarks line that ends with a line end and is longer than 110 characters
// at its last blank among its first 110 characters; returns the number of line ends.
int Wrap_Steel_Remarks(char* text);
