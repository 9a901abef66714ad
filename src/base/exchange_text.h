#pragma once
// Small text utilities of the exchange library: trimming, bounded copies, marker
// lines and line reading. Readers accept CR LF and LF line ends.
#include <cstdio>

constexpr int ZXP_TRIM_LEADING = 1;
constexpr int ZXP_TRIM_TRAILING = 2;
constexpr int ZXP_PAD_BLANKS = 4;

// Removes trailing (flag 2) and/or leading (flag 1) white space in place; returns
// the new length (0 for a null or empty text).
int ZXP_Trim(char* text, int flags);

// Copies at most size - 1 characters of source (null = empty) into destination,
// trims as ZXP_Trim for flags & 3 and with flag 4 pads with blanks to size - 1
// characters; the destination is always terminated. Returns its length; 0 for a
// null destination or a size below 1.
int ZXP_Copy_Trimmed(const char* source, char* destination, int size, int flags);

// Searches line by line (from the start when rewind is set) for a line that begins
// with the marker (its first 100 characters count); 1 with the stream at the start
// of the following line, 0 at the end of the file or for a null/empty marker.
int ZXP_Seek_Marker(FILE* stream, const char* marker, int rewind);

// Skips the rest of the current line and its line end.
void ZXP_Skip_Line(FILE* stream);

// Reads one line into buffer (line end not stored, a CR before the LF dropped),
// keeping at most size - 1 characters. Returns the text's length + 1; when size - 1
// characters were taken without meeting the line end, the rest of the line is
// skipped and size returned. -1 for a null buffer or a size below 1; a null stream
// gives an empty text and 1.
int ZXP_Read_Line(FILE* stream, char* buffer, int size);

// Reads a count written as a decimal integer (leading white space skipped, as " %d"
// does, without its overflow). 1 and the value when it lies in 0 .. max_value;
// 0 for a missing, negative or larger number (the byte behind the digits stays unread).
int ZXP_Scan_Count(FILE* stream, int max_value, int* value);
