#pragma once
// Guillemet strings: text fields of the environment's text files, written between
// the bytes 0xAE and 0xAF (the code page 850 guillemets « »). The text has no escape
// and cannot hold 0xAF. Readers skip leading white space (CR LF and LF line ends
// alike); a text without its closing byte ends at the end of the file.
//
// An over-long text is cut to the reader's buffer, but the reader still consumes the
// rest of it up to the closing byte, so that the fields after it stay in step.
#include <cstdio>

constexpr unsigned char GUILLEMET_OPEN = 0xAE;
constexpr unsigned char GUILLEMET_CLOSE = 0xAF;

// Buffer sizes the fixed-size readers expect of their callers.
constexpr int ZXP_STRING_SIZE = 100;      // ZXP_Read_String: at most 99 characters
constexpr int GUILLEMET_TEXT_SIZE = 256;  // Read_Guillemet_Text: at most 255 characters

// Skips tabs, line ends and blanks; when the next byte is 0xAE reads the text up to
// 0xAF into buffer (100 bytes, at most 99 characters kept) and returns its length.
// Any other byte is consumed and gives an empty text and 0. Null stream or buffer: 0.
int ZXP_Read_String(FILE* stream, char* buffer);

// Skips tabs, line ends and blanks; -1 when the next byte (consumed) is not 0xAE,
// else reads up to 0xAF into buffer (256 bytes, at most 255 characters kept, always
// terminated) and returns the number of characters stored. Null stream or buffer: -1.
int Read_Guillemet_Text(FILE* stream, char* buffer);

// Skips all white space; when the next byte is the opening byte reads up to the
// closing byte (or end of file), keeping at most size - 1 characters, and returns
// the number kept. Otherwise 0 with an empty buffer; that byte stays unread.
// -1 for a null stream or buffer or a size below 1.
int ZXP_Read_Delimited(FILE* stream, char* buffer, int size, int open_byte, int close_byte);

// Writes the text (null = empty) between 0xAE and 0xAF. 0 on success, 1 on failure
// or for a null stream.
int ZXP_Write_String(FILE* stream, const char* text);

// Writes the opening byte, the text (null = empty) and the closing byte.
// 0 on success, 1 on failure or for a null stream.
int ZXP_Write_Delimited(FILE* stream, const char* text, int open_byte, int close_byte);
