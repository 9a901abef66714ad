#pragma once
// Text blocks: a free text of any length, line ends included, stored in line-oriented
// text files as a header line "TXB<length>" followed by chunks of at most 100
// characters, each between the bytes 0xAE and 0xAF on a line of its own, with every
// newline of the text written as the byte 0x01.
//
// Texts returned here are heap blocks of the allocation interface; release them with
// Free_If_Set.
#include <cstdio>

constexpr int TEXT_BLOCK_CHUNK = 100;
// The reader takes at most this many chunks, so no block holds more characters;
// a header announcing more marks a damaged file.
constexpr int TEXT_BLOCK_MAX_CHUNKS = 100000;
constexpr int TEXT_BLOCK_MAX_LENGTH = TEXT_BLOCK_CHUNK * TEXT_BLOCK_MAX_CHUNKS;

// Writes the block; a null or empty text writes only the header with length 0.
void Write_Text_Block(FILE* stream, const char* text);

// Reads a block: the text, or null when no block with a positive (and sane) length
// follows, when its chunks give no character, or memory is short. A block that ends
// early gives the part read.
char* Read_Text_Block(FILE* stream);

// A new zero-filled string of length + 1 bytes holding at most length characters of
// source; for a null source a string of one newline; null when memory is short or
// length is negative.
char* Dup_String_Bounded(const char* source, int length);

// String length + 1; 0 for null.
int Get_String_Size(const char* text);

// Frees the block unless it is null.
void Free_If_Set(void* block);
