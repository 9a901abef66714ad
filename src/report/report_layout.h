#pragma once
// Stand-in for the environment's report-layout library.
//
// The real library lays out the report file for preview and print. Here each layout call
// writes ONE keyword line of its own into the report stream, so that our report viewer
// can apply it later; nothing is read back. A null stream writes nothing. When the text
// channel has a line pending in the same stream, that line is ended first so that the
// keyword stands in the first column.
//
// Keyword lines written (all end in "\n"; <cm> is the single-precision argument printed
// with "%.6g" of its double value, e.g. 0.114f -> "0.114", 12.0f -> "12",
// -0.60113335f -> "-0.601133"; <int> is "%d"; <hex> is "0x%x" of the value as unsigned):
//
//   OLI_setFlags(s, flags)                  #OLI_FLAGS <hex>               e.g. #OLI_FLAGS 0x380
//   OLI_reserveSpaceCM(s, cm)               #OLI_RESERVE <cm>              e.g. #OLI_RESERVE 3
//   OLI_setYPositionCM(s, mode, cm)         #OLI_YPOS <int> <cm>           e.g. #OLI_YPOS 1 -0.19
//   OLI_setMarginsCM(s, mode, left, right)  #OLI_MARGINS <int> <cm> <cm>   e.g. #OLI_MARGINS 1 12 0
//   OLI_storeYPosition(s, slot)             #OLI_STORE_Y <int>             e.g. #OLI_STORE_Y 1
//   OLI_restoreYPosition(s, slot)           #OLI_RESTORE_Y <int>           e.g. #OLI_RESTORE_Y 1
//   OLI_setBookmark(s, mode, text)          #OLI_BOOKMARK <int> \xAE<text>\xAF  e.g. #OLI_BOOKMARK 16 \xAEBemessung\xAF
//                                           #OLI_BOOKMARK <int>            (null text, e.g. mode 17)
//   OLI_setLayout(s, layout)                #OLI_LAYOUT <hex>              e.g. #OLI_LAYOUT 0x1013
//   OLI_setConvertionFlags(s, flags)        #OLI_CONVERSION <int>          e.g. #OLI_CONVERSION 1
//   OLI_setMarginsChar(s, mode, l, r)       #OLI_MARGINS_CHAR <int> <int> <int>
//   OLI_resetMaxMargin(s)                   #OLI_RESET_MAX_MARGIN
//
// The bookmark text stands between the bytes 0xAE and 0xAF (code page 850 guillemets),
// as code page 850 bytes; it runs to the last 0xAF of the line. Line ends inside the
// text are written as blanks so that the keyword stays one line. An empty text gives
// the two bytes alone.
//
// Meaning, for the viewer: flags and layout words are passed on as the writers give them;
// YPOS mode 1 moves the write position by cm (negative takes space back), mode 4 resets
// it; MARGINS mode 1 sets left and right margins; STORE_Y/RESTORE_Y use slots 0 to 9;
// BOOKMARK modes 0, 15, 16 set a bookmark (16 opens a group), 17 closes the deepest open
// group; CONVERSION 1 and 0 switch the plain-text conversion of tables on and off.
#include <cstdio>
#include <string>
#include <vector>

// The keywords, shared by the writer below and the report viewer that reads them.
#define OLI_KEYWORD_FLAGS "#OLI_FLAGS"
#define OLI_KEYWORD_RESERVE "#OLI_RESERVE"
#define OLI_KEYWORD_YPOS "#OLI_YPOS"
#define OLI_KEYWORD_MARGINS "#OLI_MARGINS"
#define OLI_KEYWORD_STORE_Y "#OLI_STORE_Y"
#define OLI_KEYWORD_RESTORE_Y "#OLI_RESTORE_Y"
#define OLI_KEYWORD_BOOKMARK "#OLI_BOOKMARK"
#define OLI_KEYWORD_LAYOUT "#OLI_LAYOUT"
#define OLI_KEYWORD_CONVERSION "#OLI_CONVERSION"
#define OLI_KEYWORD_MARGINS_CHAR "#OLI_MARGINS_CHAR"
#define OLI_KEYWORD_RESET_MAX_MARGIN "#OLI_RESET_MAX_MARGIN"

// Bookmark modes: 16 opens a group, 17 (without text) closes the deepest open group.
constexpr int OLI_BOOKMARK_GROUP = 16;
constexpr int OLI_BOOKMARK_CLOSE = 17;
// Vertical-position modes: 1 moves by cm, 4 resets.
constexpr int OLI_YPOS_MOVE = 1;
constexpr int OLI_YPOS_RESET = 4;

void OLI_setFlags(FILE* stream, int flags);
void OLI_reserveSpaceCM(FILE* stream, float cm);
void OLI_setYPositionCM(FILE* stream, int mode, float cm);
void OLI_setMarginsCM(FILE* stream, int mode, float left, float right);
void OLI_storeYPosition(FILE* stream, int slot);
void OLI_restoreYPosition(FILE* stream, int slot);
void OLI_setBookmark(FILE* stream, int mode, const char* text);
void OLI_setLayout(FILE* stream, int layout);
void OLI_setConvertionFlags(FILE* stream, int flags);
void OLI_setMarginsChar(FILE* stream, int mode, int left, int right);
void OLI_resetMaxMargin(FILE* stream);

// Visible length of a report text in characters: control sequences (0xCE and its
// character, groups up to their '}') and line ends do not count. 0 for a null text.
int MT_String_Length(const char* text);

// A table block of the report (shown by the table sheet of the screen).
struct OLI_Table {
    std::vector<std::string> lines;  // the lines between "#SHOWTABLE" and "#END_OF_TEXT"
};
// Display parameters of a table sheet (screen pixels).
struct OLI_Table_Display {
    int flags = 0;
    int x = 0, y = 0;
    int width = 0, height = 0;
    int half_width = 0, half_height = 0;
    int further[4] = {0, 0, 0, 0};
};
constexpr int OLI_TABLE_COLOUR_COUNT = 6;

// Reads the table block at or after the stream's position; null when the stream holds
// no "#SHOWTABLE". The library owns the table until deleteOLITable; reading another
// table frees the previous one.
OLI_Table* readOLITableFromFILE(FILE* stream);
// Frees the table last read (the pointer, when given, must be that table; another one
// is ignored).
void deleteOLITable(OLI_Table* table = nullptr);
