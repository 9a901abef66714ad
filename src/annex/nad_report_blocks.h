#pragma once
// Blocks that the reports of the annex parts share, written straight into the open report
// stream (report format, code page 850): the heading of a part, the title of a standard's
// table and the head of a clause table.
#include <cstdio>

// The name of the annex in force for a heading; "" when there is none.
const char* NAD_Report_Annex_Name();

// A heading block: the title line as given (its leading blank and LF included), then the
// annex name on a line of its own.
void NAD_Write_Heading_Block(FILE* stream, const char* title_line, const char* annex_name);

// The heading block "Ausgewählte Bemessungsparameter des nationalen Anhangs" with the
// name of the annex in force.
void NAD_Write_Annex_Heading(FILE* stream);

// The title block of a table: the designation of the standard of the norm code
// ("annex/norm_texts.h") and, for a non-null annex name, ", NA <name>".
void NAD_Write_Norm_Title(FILE* stream, int norm_code, const char* annex_name);

// Opens a table of clause, value and meaning and writes its head row; the meaning column
// starts after 44 visible characters.
void NAD_Open_Clause_Table(FILE* stream);
