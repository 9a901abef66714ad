#pragma once
// Opening and closing of a position's report, its page head, and the small writers of
// numbers in table cells, run-on lists and an embedded font glyph.
//
// Page head at the top of every report (after OLI_Open_Report):
//
//   #CONTENTS
//    POS. <number>: <title>          (" POS. <number>" without title, " <title>" without
//                                     number, an empty line with neither)
//   #OLI_STORE_Y 1                   version table in the right half of the first page,
//   #OLI_MARGINS 1 12 0              only when the program's version text can be read:
//   #SHOWTABLE
//   0 0 0
//   0 0 -1 -1
//    \xCES<version line>
//   #END_OF_TEXT
//   #OLI_RESTORE_Y 1
//   #OLI_MARGINS 1 0 0
//
// The version line is the first line of the file "VERSION" in the program's directory
// under "EXEC" with characters 7 and 8 replaced by the program's two-letter code; both
// are chosen by the environment's application number (CurOb_Application_Number).
//
// The cell writers and the page head write straight into the report stream (not through
// the text channel); the cells stand inside table blocks that the caller opens and closes.
// Every cell begins with a blank so that cells written one after the other stay apart.
#include <cstdio>

// Opens the position's report file (component path + oli_file_name) for writing, sets up
// the heading numbering (flat; numbering_off also drops the heading numbers), makes the
// text channel ready with default attributes without writing into the new file, writes
// "#NEWPAGE" unless continuing, reserves reserve_cm and writes the page head. Null when
// the file cannot be opened (then no report is written).
FILE* OLI_Open_Report(const char* number, const char* title, int continuing, double reserve_cm,
                      int numbering_off);

// Ends the open paragraph block and closes the report. 0 when everything reached the
// file; 1 after a write or close error, which is also said on standard error. A null
// stream does nothing and gives 0.
//
// The report is written into a temporary file beside it, which takes the report's place
// only when this close finds it whole: a report that could not be written completely
// leaves the earlier report as it was. A report opened and never closed is dropped when
// the next one is opened.
int OLI_Close_Report(FILE* stream);

// The same for a report and a file written with it (its drawing; null: none), opened as
// an Atomic_File (or the removal of an old drawing the report no longer has): both take
// their places only when both were written whole and both renames succeed; otherwise both
// old files stay as they were, and standard error says which could not be written and
// why, and that the other stays. Should an old file not come back, it says which of the
// two is new and which old. 0 when both are in place, 1 otherwise.
// A last file (the input the report was computed from; null: none) joins them: put in
// place after both, and none of the three replaced unless all three can be. Its own
// failure is left to the caller to say.
class Atomic_File;
int OLI_Close_Report_With(FILE* stream, Atomic_File* companion, Atomic_File* last = nullptr);

// The errno of the last failed opening or closing of a report (0 after a success).
int OLI_Last_Report_Error();

// Opens the report file without page head: "#NEWPAGE" unless continuing, flags 0x380,
// layout 0x1013 and the contents entry " POS. <number>: <title>". Not used by the corbel.
FILE* OLI_Open_Report_Plain(const char* number, const char* title, int continuing);

// A design value in a results table:
//   governing < -1.1             " %7.2lf" of the value (plain cell)
//   value <= -0.0001             red "  Fehler" (failed calculation)
//   |value| <= 0.0001            "    --- " (no value)
//   otherwise                    " " and "%7.2lf", underlined ("\xCEu" ... "\xCEr") when
//                                |governing - value| < 0.0001
void OLI_Write_Result_Cell(FILE* stream, double governing, double value);
// The same with three decimals ("   ---  " for no value); a value above 1.001 is red.
void OLI_Write_Utilisation_Cell(FILE* stream, double governing, double value);
// " " and "%8.2lf" ("%8.3lf"), underlined when within 0.001 (0.0001) of either governing
// value.
void OLI_Write_Cell_8_2_Marked(FILE* stream, double governing_1, double governing_2, double value);
void OLI_Write_Cell_8_3_Marked(FILE* stream, double governing_1, double governing_2, double value);
void OLI_Write_Cell_8_1(FILE* stream, double value);  // " %8.1lf"
void OLI_Write_Cell_7_1(FILE* stream, double value);  // " %7.1lf"
void OLI_Write_Cell_6_1(FILE* stream, double value);  // " %6.1lf"
void OLI_Write_Cell_4_1(FILE* stream, double value);  // " %4.1lf"
void OLI_Write_Cell_9_2(FILE* stream, double value);  // " %9.2lf"

// One item of a run-on list written through the text channel: for index > 0 a separator
// first ("\n" when index is a multiple of per_line, else ";  "), then the text literally.
// per_line <= 0 counts as 3; a null stream or an empty text writes nothing.
void OLI_Write_List_Item(FILE* stream, int index, int per_line, const char* text);

// One glyph of a symbol font as a small graphic block (record 27). Only with a stream, a
// font name, size >= 1.0 and height >= 0.5. The caller ends the open paragraph block first.
void OLI_Write_Font_Glyph_Graphic(FILE* stream, const char* font_name, double size, double height);

// Copies the file; 0 when copied, 1 when the source does not exist or one of the two
// files cannot be opened (or the copy could not be written whole: the destination then
// stays as it was). The copy replaces a link in the destination's place, never what the
// link names.
int Copy_File_If_Exists(const char* source_path, const char* destination_path);

// The two-letter program code of the page head by application number (125 to 128), "??"
// for any other. Writes exactly two characters, no terminator.
void Get_Program_Code(char out[2]);
// "0" and the digit of (number - 124) for the application numbers 125 to 128, "??"
// otherwise. Two characters, no terminator.
void Get_Program_Number_Code(char out[2]);
// Name of the program's directory under "EXEC" by application number ("Q7-EC203" for
// 127); null for a number outside the environment's program table.
const char* Get_Program_Directory_Name(int application_number);

// Drive and directory of the path's full form, ending in its separator; the empty text
// for a null or empty path. Static buffer, overwritten by the next call.
const char* Get_Path_Directory(const char* path);
