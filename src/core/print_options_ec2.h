#pragma once
// Print options of the corbel report: which input sections are echoed, the graphic and its
// scale, the detail level of the results, the combination shown in detail, suppressed
// section numbers and a free text of preliminary remarks.
#include <cstdio>

constexpr int EC2_PRINT_SWITCH_COUNT = 13;
constexpr int EC2_PRINT_OPTIONS_VERSION = 0;

// Longest remarks text a file block may announce; a longer one is refused as damaged.
constexpr int EC2_PRINT_REMARKS_MAX = 1000000;

// Indices of switches[].
enum EC2_Print_Switch : int {
    EC2_PRINT_GRAPHIC = 0,          // "Grafik": longitudinal-section graphic
    EC2_PRINT_EXTRA_INFO = 1,       // "zusätzliche Informationen"
    EC2_PRINT_SAFETY_FACTORS = 2,   // "Materialsicherheitsbeiwerte" (stored only)
    EC2_PRINT_INPUT = 3,            // "Eingabeparameter": input echo
    EC2_PRINT_ANNEX = 4,            // "Parameter des nationalen Anhangs"
    EC2_PRINT_STANDARDS = 5,        // "Vorschriften"
    EC2_PRINT_SWITCH_6 = 6,         // no sheet item; stored only
    EC2_PRINT_INTERMEDIATE = 7,     // "Zwischenergebnisse"
    EC2_PRINT_SKETCHES = 8,         // "Erläuterungsskizzen"
    EC2_PRINT_DETAIL_LEVEL = 9,     // 0 minimal, 1 standard, 2 ausführlich, 3 tabellarisch,
                                    // 4 governing combination only, 5 one chosen combination
    EC2_PRINT_DETAIL_CASE = 10,     // 1 governing one, 0 none, -n combination n
    EC2_PRINT_NO_NUMBERING = 11,    // "Abschnittsnummerierung unterdrücken"
    EC2_PRINT_RESERVED = 12,        // stored only
};

struct EC2_Print_Options {
    int switches[EC2_PRINT_SWITCH_COUNT] = {};
    double scale = 0.0;        // graphic 1 : scale; 0 fits the graphic into its box
    char* remarks = nullptr;   // owned (allocation interface); null or at least 5 characters
};

// Defaults: switches 1 0 1 1 0 1 1 1 1 3 1 0 1, scale 0.0, no remarks (the record's text
// is freed; a fresh record has none).
void Init_EC2_Print_Options(EC2_Print_Options* record);

// The destination gets the defaults (its remarks freed), then every switch and the scale
// of the source and a fresh copy of non-empty remarks. Source and destination may be the
// same record. Null arguments do nothing.
void Copy_EC2_Print_Options(const EC2_Print_Options* source, EC2_Print_Options* destination);

// Position-file block:
//   " 0\n"
//   " %d %d %d %d %d %lf %d %d %d %d %d %d %d %d\n"   switches 0 1 2 3 9, scale,
//                                                      switches 4 5 6 7 8 10 11 12
//   " %d" remarks length, then when not 0 " %s" with the remarks (blanks as '~'), "\n"
// Carriage returns in the remarks are not written (the file has LF line ends only).
// Afterwards a '~' of the remarks in memory reads as a blank, as it will after reading the
// file back. 0, or 1 for a null argument or a failed write.
int Write_EC2_Print_Options(FILE* stream, EC2_Print_Options* record);

// Reads the block. A remarks length below 1 ends the block and leaves the record's remarks
// as they were; a length above EC2_PRINT_REMARKS_MAX or beyond the end of the file is
// refused (1, remarks unchanged). A switch outside its range (the detail level 0 to 5, the
// combination choice -LOAD_TABLE_MAX_ROWS to 1, every other switch 0 or 1) gets its
// default. CR LF inside the remarks reads as LF. Every '~' of the
// text becomes a blank. 0 on success; 1 for a null argument, a newer block version or a
// value that cannot be read (the values read so far stay).
int Read_EC2_Print_Options(FILE* stream, EC2_Print_Options* record);

// The remarks section: heading "╬HVorbemerkungen\n", the text wrapped by the user-comment
// writer, 0.3 cm of space before the next paragraph. Nothing for a null stream or an empty
// text.
void Write_Print_Remarks(FILE* report, const char* text);

// Wraps the remarks in place as the sheet shows them: a line of 111 characters or more
// that ends with a line end is broken at its last blank at or before the 110th character.
// Returns the number of line ends in the text (0 for null).
int Wrap_Print_Remarks(char* text);
