#pragma once
// The echo of the EN 1992 annex parameters in a design report: one table of clause, value
// and meaning per standard (EN 1992-1-1, EN 1992-1-2, EN 1992-2), written as table blocks
// of the report format straight into the open report stream (code page 850).
//
// Which rows appear is decided by 33 row groups, derived from the application profile of
// the running program ("annex/app_profiles.h"); without a profile every group is shown.
// A parameter that an annex gives either as a plain value or as the coefficient of its
// clause's function is printed in the form its form flag names (1 plain, anything else
// the function form); under the German annex rules some rows print "s. NA-DE".
#include <cstdio>

struct NAD_EC2_Params;

constexpr int NAD_EC2_ROW_GROUPS = 33;

// Row groups 0..32; 1 = printed (the EN 1992 sheet reads them too). Group 27 is the
// EN 1992-1-2 table, 30 the building rows of EN 1992-1-1, 31 the EN 1992-2 table.
extern int nad_ec2_row_visible[NAD_EC2_ROW_GROUPS];

// Fills nad_ec2_row_visible from the application profile of the running program.
void NAD_EC2_Set_Row_Filter();

// The EN 1992-1-1 heading and table of the annex in force (the corbel report's echo).
void NAD_EC2_Report_Rows(FILE* stream);
// The EN 1992-1-2 table of the annex in force, when group 27 is set.
void NAD_EC2_Report_Fire_Rows(FILE* stream);
// The EN 1992-2 table of the annex in force, when group 31 is set.
void NAD_EC2_Report_Bridge_Rows(FILE* stream);
// The whole echo: heading block, then the three tables as their groups allow. A null
// stream writes nothing.
void NAD_EC2_Report(FILE* stream);

// The same tables for a given record and annex name, with the row groups as they stand
// (nad_ec2_row_visible is not recomputed). The entries above fill the groups and pass
// the record and name of the annex in force. Nothing for a null stream or record; a
// null name is taken as the empty name.
void NAD_EC2_Write_Rows(FILE* stream, const NAD_EC2_Params* params, const char* annex_name);
void NAD_EC2_Write_Fire_Rows(FILE* stream, const NAD_EC2_Params* params);
void NAD_EC2_Write_Bridge_Rows(FILE* stream, const NAD_EC2_Params* params);
