#pragma once
// The report of the EN 1990 load factors of an annex: building and bridge factors as table
// blocks of the report format, written straight into the open report stream (code page
// 850), with the layout calls of the report-layout library between the tables.
//
// Which blocks appear follows the application profile of the running program
// ("annex/app_profiles.h"): rule 0 of part 0 the building factors, rule 1 the bridge
// factors; without a profile both.
#include <cstdio>

struct NAD_EC0_Params;

// The report of the EN 1990 part of the annex in force. Nothing for a null stream.
void NAD_EC0_Report(FILE* stream);

// The same report for a given record and annex name (null name: empty). Nothing for a
// null stream or record.
void NAD_EC0_Write_Report(FILE* stream, const NAD_EC0_Params* params, const char* annex_name);
