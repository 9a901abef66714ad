#pragma once
// The masonry material table of the design report: one masonry record as a table of its
// values, a legend and, for a table record under the Eurocode set, the explanation of its
// compressive strength.
#include <cstdio>

struct Masonry_Record;

// Writes the table blocks into the report stream (ending an open paragraph block of the
// text channel first). Nothing when the stream or the record is missing.
void Write_Masonry_Report_Table(FILE* stream, const Masonry_Record* record);
