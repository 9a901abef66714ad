#pragma once
// General utilities shared by the drawing, report and dialog code: the null-checked
// formatted write, counted allocation wrappers that end the run when memory is
// exhausted, interpolation in unsorted points, the sibling section program check,
// string helpers, replacing a text in a file and file-time queries.
//
// Further utilities of the same family: number words and integer lists
// ("base/number_words.h"), version words ("base/version_words.h"), trace output and
// run-time measurement ("base/trace.h"), the periodic-callback stack
// ("base/periodic_callbacks.h").
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Formatted write to the stream; writes nothing and returns 0 when the stream is null.
int Write_If_Open(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Blocks handed out and not yet freed through the wrappers below (a diagnostic value:
// matrices and copied arrays count twice when new, freeing counts once).
extern int32_t alloc_block_count;
// Bytes added to every requested size (never negative).
extern int32_t alloc_padding;

void Reset_Alloc_Count();
int Get_Alloc_Count();
int Set_Alloc_Padding(int n);  // negative gives 0; returns the padding set

// Ends the run ("Speicher nicht aussreichend!", exit code 0) when p is null.
void Check_Alloc_Or_Exit(const void* p);
// (Re)allocates p to size + padding bytes; a total of 0 gives null (p is left alone).
// With zero set, the whole block is cleared. A new block (p null) is counted.
// Ends the run when memory is exhausted.
void* Realloc_Or_Exit(void* p, size_t size, int zero);
void* Calloc_Counted(size_t size);
// One block holding a table of row pointers followed by rows x columns doubles; row i
// starts at the doubles plus i x columns. Null for 0 rows or columns.
double** Alloc_Matrix(void* p, int rows, int columns);
char* Strdup_Counted(const char* text);
// (Re)allocates *out for n doubles and copies n values from source.
void Copy_Doubles_Alloc(int n, double** out, const double* source);
// Frees *p (when set) and sets it to null.
void Free_And_Null(void** p);

// y at x0 of the points (x[i], y[i]) taken in ascending x; the end intervals extend.
double Interpolate_Unsorted(int n, const double x[], const double y[], double x0);

// Whether the sibling cross-section program "<EXEC>\Q7-DRELM\DRELM.exe" exists;
// decided at the first call and kept.
int Is_Section_Program_Installed();

// Cuts trailing blanks (and a final newline behind them) in place.
void Trim_Right(char* text);
// Copies at most size - 1 characters and fills dst up to size with zeros.
char* Copy_String_Zero_Fill(char* dst, const char* src, size_t size);
// Copies src cut or blank-padded to exactly width characters; dst needs width + 1 bytes.
char* Copy_String_Pad(char* dst, const char* src, size_t width);

// Replaces every occurrence of old_text by new_text in the text file; the file is
// replaced only after the whole new version was written. Number of replacements,
// or -1 on any failure.
int Replace_String_In_File(const char* path, const char* old_text, const char* new_text);

// Modification time of the file, -1 when it cannot be queried.
int Get_File_Time(const char* path);
// Queries the file and answers 1 whatever the answer.
int Stat_File(const char* path);
