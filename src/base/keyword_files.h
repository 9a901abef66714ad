#pragma once
// Keyword text files: blocks of numbers, each opened by a keyword line that begins
// with '#'. Only the character right behind the '#' names the block ("#S", "#Schnitt"
// and "#Sonst" all open block S); the block ends at the next keyword line. Data lines
// hold values separated by blanks, tabs or semicolons, a comma standing for the decimal
// point; each value is read as a single-precision float and stored as a double. Lines are
// read in pieces of 255 characters; CR LF and LF line ends alike. Users write such files
// by hand to bring design forces into the load tables.
#include <cstdio>

// Reads block `letter` from the stream's present position into values: rows of
// `columns` values (1..20), row i starting at values[i * stride] (stride >= columns);
// capacity is the number of doubles the array holds, and reading stops as soon as the
// next row would reach it (a capacity of exactly n rows gives at most n - 1 rows); the
// rest of the block is then only counted (stop->rows_beyond, up to an unreadable value).
// With labels (a buffer and label_width > 0) each row's label is the text behind its last
// value on the same line, cut to label_width - 1 characters, at labels + row * label_width
// (the buffer holds capacity / stride labels); the rest of that line is not read for
// values. A label written in UTF-8 is taken in code page 850 (a character code page 850
// lacks as '?'); other labels stay the bytes they are. A byte order mark at the start of
// the file is passed over. Without labels a row may continue on the next line and a line
// may hold several rows. A value that cannot be read ends the block (the incomplete row
// does not count; stop, when given, tells where); the next keyword line ends it too, the
// stream then standing at that line.
// 1 when a row was read, else 0; *rows gets the row count, except for a null stream or
// an impossible column count or stride (then 0 and *rows untouched).
struct Keyword_Block_Stop {
    int line = 0;         // line of the file (from 1) holding the value; 0: no value ended the block
    int row = 0;          // the row it belongs to (from 1)
    bool too_large = false;  // a number beyond single precision, not merely no number
    char value[41] = "";  // the value as written, at most 40 characters
    int rows_beyond = 0;  // complete rows of the block that found no room in the array
};
int Read_Keyword_Block(FILE* stream, double* values, int columns, int stride, int capacity, char* labels,
                       int label_width, int letter, int* rows, Keyword_Block_Stop* stop = nullptr);

// Reads block `letter` without labels, at most max_rows rows of columns (1..3) values, and
// spreads the columns over x, y and z (a null array is skipped). The result of
// Read_Keyword_Block.
int Read_Keyword_Columns(FILE* stream, double* x, double* y, double* z, int columns, int* rows, int max_rows,
                         int letter);

// Writes "#keyword", then one line per row with the columns' values (1..3 of x, y, z) as
// " %f" each, then an empty line (only the empty line when there is no value). 1, or 0
// for a null stream or keyword, a column count outside 1..3, a missing array or a failed
// write.
int Write_Keyword_Block(FILE* stream, const double* x, const double* y, const double* z, int columns, int rows,
                        const char* keyword);

// Writes the template of a circular or ring-shaped section: comment block, outline at
// radius r, reinforcement ring 1 at r - c1 (the line flag names it a line reinforcement),
// and, when the hole radius h is above 0.01, the hole and ring 2 at h + c2; n points a
// ring (32 when n < 1), in cm. Texts in code page 850. 1, or 0 on a null stream or a
// failed write.
int Write_Section_Template_To(FILE* stream, double r, double h, double c1, double c2, int line_flag, int n);

// Reads at most min(width, 255) characters up to the line end (which is consumed and
// ends the text) and returns them, trailing blanks and a carriage return removed, in a
// static buffer that the next call overwrites. A null stream or width < 1 gives "".
const char* Read_Fixed_Line(FILE* stream, int width);
