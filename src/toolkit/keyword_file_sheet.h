#pragma once
// The small sheet that asks for the full path of a file to read or write, and the
// keyword-file operations that ask through it (base/keyword_files.h holds the readers
// and writers on open streams).
#include <cstdio>

struct Keyword_Block_Stop;

// Shows the sheet ("DATEI ÖFFNEN ZUM LESEN" for mode 0, "... SCHREIBEN" otherwise) with
// the name entered last in this run and a browse button; OK opens the file ("r" or "w").
// A file that cannot be opened is told ("Die Datei: %s kann nicht geöffnet werden.").
// The stream, or null after cancel or failure.
FILE* Open_File_By_Sheet(int mode);

// Asks for a file to read and reads block `letter` from its start (Read_Keyword_Block with
// a capacity of max_rows x stride doubles; stop as there). The reader's result; 1 with
// *rows unchanged when no file was opened.
int Import_Keyword_Block(double* values, int* rows, int columns, int stride, int max_rows, char* labels,
                         int label_width, int letter, Keyword_Block_Stop* stop = nullptr);

// Asks for a file to write and writes the section template into it (see
// Write_Section_Template_To). 1, or 0 when no file was opened or writing failed.
int Write_Section_Template(double r, double h, double c1, double c2, int line_flag, int n);
