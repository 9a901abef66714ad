#pragma once
// The report text writer: numbered headings with their bookmarks, stored vertical
// positions, margins and single formatted lines, written through the report text channel
// (report/oli_channel.h) and the report-layout library (report/report_layout.h).
//
// Headings: the page head of every report initialises the numbering
// (OLI_Init_Heading_Numbering, OLI_Set_Bookmark_Depth, OLI_Set_Bookmark_Group_Depth);
// every heading of level 1 to 6 advances its level's counter and clears the deeper
// ones. The heading text starts with the number marker (OLI_SEQ_NUMBER) and the number
// "1.2." unless numbers are off. Level-1 headings are plain lines in text style 5 with
// 0.1 cm of space after; deeper ones are emphasised lines in style 4. Level 0 is an
// emphasised line outside the numbering.
//
// A null stream makes every writing operation do nothing; headings still count.
// Lengths are centimetres. The state is global and serves one report at a time.
#include <cstdint>
#include <cstdio>

constexpr int OLI_HEADING_LEVELS = 6;
constexpr int OLI_POSITION_SLOT_COUNT = 10;
constexpr int OLI_HEADING_TEXT_MAX = 254;  // a heading or line text is cut to this many characters

// Numbering, bookmark and margin state of the headings.
struct Heading_State {
    int32_t level_counters[OLI_HEADING_LEVELS];    // levels 1..6
    double level_indents[OLI_HEADING_LEVELS];      // 0.28 for numbering style 1, else 0.48
    int32_t numbering_styles[OLI_HEADING_LEVELS];  // only select the indent of their level
    int32_t depth;                                 // deepest heading level in use
    int32_t flat;                                  // no indents, no margins, blank after the number
    int32_t no_numbers;                            // headings without number and marker
    int32_t open_bookmark_level;                   // -1: none
    int32_t bookmark_depth;                        // deepest level that gets a bookmark
    int32_t bookmark_group_depth;                  // deepest level whose bookmark opens a group
    int32_t output_switch;                         // 0 while a heading is only counted
    char last_number[100];                         // "2.1." of the last numbered heading
    double base_margin;                            // left margin of a level-1 heading
    float left_margin;                             // the margins last set by the writer
    float right_margin;
};

extern Heading_State heading_state;

// 1 = slot taken.
extern int32_t oli_position_slots[OLI_POSITION_SLOT_COUNT];

// Characters of a full text width per line style 0..10 (any other style: 96).
extern const int oli_chars_per_line[11];

// Switches of the single lines and the comment lines (both initially 1): while off,
// OLI_Write_Line and OLI_Write_Comment write nothing.
extern int32_t oli_line_switch;
extern int32_t oli_comment_switch;

// ---------------------------------------------------------------------------------
// Headings

// Clears the counters; depth := min(depth, 6); every level takes the numbering style
// (indent 0.28 cm for style 1, else 0.48 cm); flat := bit 0 of flags, no numbers := bit 1;
// no bookmark open.
void OLI_Init_Heading_Numbering(int depth, int numbering_style, int flags);
void OLI_Set_Bookmark_Depth(int level);
void OLI_Set_Bookmark_Group_Depth(int level);

// A heading with the bookkeeping of open bookmark groups. The text is formatted from
// format and arguments (at most 254 characters). A negative level does nothing.
void OLI_Write_Heading(FILE* stream, int level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// As OLI_Write_Heading without closing or opening bookmark groups; the bookmark, when the
// level gets one, carries the caller's mode (16 main sections, 0 subsections).
void OLI_Write_Heading_No_Bookmark(FILE* stream, int level, int bookmark_mode, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
// As OLI_Write_Heading_No_Bookmark but without a bookmark.
void OLI_Write_Heading_Unmarked(FILE* stream, int level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// Advances the numbering and the bookmarks as OLI_Write_Heading does but writes no
// heading (level 0 writes its line as usual).
void OLI_Count_Heading(FILE* stream, int level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The two forms of a numbered heading (level >= 1); the writers above choose by the
// report-format level of the plot state: text above 334, a graphic block up to 334.
void OLI_Write_Numbered_Heading(FILE* stream, int level, const char* title, int bookmark_flag, int mode);
void OLI_Write_Heading_Graphic(FILE* stream, int level, const char* title, int bookmark_flag, int mode);

// Closes as many bookmark groups as are open (the open level itself stays).
void OLI_Close_Bookmarks(FILE* stream);

// Counters of the levels (the level is clamped to 1..6).
int OLI_Get_Level_Counter(int level);
void OLI_Set_Level_Counter(int level, int value);
// Raises the level's counter by one and returns the new value.
int OLI_Next_Level_Counter(int level);
// One style per level in use (depth entries); each indent follows its style.
void OLI_Set_Numbering_Styles(const int* styles);
// The last number text ("2.1."), or null while numbers are off.
const char* OLI_Get_Heading_Number();
void OLI_Heading_Numbers_Off();
void OLI_Heading_Numbers_On();

// ---------------------------------------------------------------------------------
// Positions and margins

// Takes the lowest free slot and stores the vertical position in it; -1 (after a message
// on standard output) when all ten are taken.
int OLI_Store_Position(FILE* stream);
// Returns to the stored position and frees the slot (only a taken slot 0..9).
void OLI_Restore_Position(FILE* stream, int slot);
// Returns to the stored position and keeps the slot.
void OLI_Peek_Position(FILE* stream, int slot);
void OLI_Free_Position(int slot);
void OLI_Free_All_Positions();

// Each sets one margin and sends it with the other one unchanged.
void OLI_Set_Left_Margin(FILE* stream, double cm);
void OLI_Set_Right_Margin(FILE* stream, double cm);
double OLI_Get_Left_Margin();
double OLI_Get_Right_Margin();
double OLI_Get_Text_Width();
void OLI_Set_Text_Width(double cm);

// Characters per line of a line style for the width left of the left margin.
int OLI_Chars_Per_Line_Of(int line_style);
int OLI_Chars_Per_Line();

// Vertical steps: n lines of 0.38 cm moved or reserved, n small lines of 0.286 cm
// reserved, a move by cm, and the reset of the vertical position.
void OLI_Skip_Lines(FILE* stream, int n);
void OLI_Reserve_Lines(FILE* stream, int n);
void OLI_Reserve_Small_Lines(FILE* stream, int n);
void OLI_Move_Y(FILE* stream, double cm);
void OLI_Reset_Y_Position(FILE* stream);

// ---------------------------------------------------------------------------------
// Single lines

// Text style of the single lines (initially 7).
void OLI_Set_Line_Style(int style);
int OLI_Get_Line_Style();
// While on, decimal numbers of a line lose their trailing zeros (12.500 -> 12.5, 3.000 -> 3).
void OLI_Set_Number_Trimming(int on);
int OLI_Get_Number_Trimming();

// One line of report text (at most 254 characters formatted); the bytes 0xFD and 0xFA
// become raised 2 and 3, with the styles open there re-opened after them.
void OLI_Write_Line(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The text in the line style with one tab stop at tab_cm.
void OLI_Write_Tabbed_Text(FILE* stream, double tab_cm, const char* text);
void OLI_Write_Tabbed_Line(FILE* stream, double tab_cm, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// The text as a line; when ok is 0, a bold "!!" at the right edge of the same line.
void OLI_Write_Line_Flagged(FILE* stream, const char* text, int ok);
// A comment line in text style 3 (while the comment switch is on; _Always turns it on
// for the call).
void OLI_Write_Comment(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
void OLI_Write_Comment_Always(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
// A title line in text style 5.
void OLI_Write_Title_Line(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The program's version text of that directory as a comment at the right edge.
void OLI_Write_Version_Line(FILE* stream, const char* directory);

// Replaces each needle in text by the replacement followed by the codes of the styles
// open at that place ("\", "/", "_", "u", "b", "s" after the control byte, in this order).
// The result is cut to size - 2 characters. Returns the number of replacements.
int OLI_Replace_Reopen_Styles(char* text, const char* needle, const char* replacement, int size);
// 1 when the style of code (a control sequence such as OLI_SEQ_BOLD) is open at position
// of text: the code stands before it and no "\xCE" "r" ends it before the position.
int OLI_Style_Open_At(const char* text, const char* code, int position);
int OLI_Subscript_Open_At(const char* text, int position);
int OLI_Superscript_Open_At(const char* text, int position);
int OLI_Style_Run_Open_At(const char* text, int position);
int OLI_Bold_Open_At(const char* text, int position);
int OLI_S_Style_Open_At(const char* text, int position);

// Length of the text without its trailing blanks (0 for null).
int Trimmed_Length(const char* text);
