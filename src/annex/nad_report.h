#pragma once
// Printers that echo the annex in force into a report part by part, the export of the
// annex in force, and further entry points of the annex code for other programs of the
// library (the corbel program itself calls none of them).
//
// Also here: the reports of the EN 1993, EN 1996 and EN 1999 parts, clause tables of the
// report format written straight into the open report stream (code page 850). Their rows follow the application profile of the
// running program ("annex/app_profiles.h"); without a profile every row is printed.
#include <cstdio>

struct NAD_EC3_Params;
struct NAD_EC3_1_Params;
struct NAD_EC3_8_Params;
struct NAD_EC6_Params;
struct NAD_EC9_Params;

// The EN 1990 load-factor report of the annex in force.
void NAD_Print_Load_Factor_Report(FILE* stream);
// The reports of the parts of the annex in force in the order EN 1992, EN 1993, EN 1995,
// EN 1996, EN 1999. Nothing for a null stream.
void NAD_Print_Part_Reports(FILE* stream);

// Writes the annex in force (choosing "Deutschland" first when nothing is chosen yet) as
// an annex set file named by the path stem followed by "_EC2.NAD". 1 when the file was
// written and closed without error; 0 when the stem is null, the file cannot be created
// or a write or the closing fails.
int NAD_Export_Active_Set(const char* path_stem);

// Called by the material-file reader when it meets an older annex block: does nothing.
int NAD_Legacy_Hook();

// Entries of the older interface, each doing exactly what the named operation does (the
// one that draws the flag of the annex in force draws on the screen and lives with the
// selection sheet: NAD_Draw_Active_Flag_Alt).
void NAD_Open_Selection_Sheet_Alt();                 // NAD_Open_Selection_Sheet
void NAD_Save_Choice_Alt(FILE* stream, int unused);  // NAD_Save_Choice
void NAD_Print_Load_Factors(FILE* stream);           // NAD_Print_Load_Factor_Report
void NAD_Print_Load_Factors_Alt(FILE* stream);       // NAD_Print_Load_Factor_Report
int NAD_Read_Legacy_Choice_Alt(FILE* stream);        // NAD_Read_Legacy_Choice

// EN 1993. Rules 0..10: 0 the partial factors of 6.1(1) (with 3 also EN 1993-1-8), 1 their
// gamma_M2, 2 the heading for steel and connections, 3 EN 1993-1-8, 4 the accidental
// situation, 5 lateral-torsional buckling, 6 EN 1993-1-5, 7 EN 1993-1-9, 8 EN 1993-6,
// 9 EN 1993-1-2 (fire), 10 bow imperfections. 1 = printed.
constexpr int NAD_EC3_ROW_RULES = 11;
extern int nad_ec3_row_visible[NAD_EC3_ROW_RULES];
void NAD_EC3_Set_Row_Filter();
// Heading of the annex in force, then the five tables (EN 1993-1-1/1-2, 1-8, 1-5, 1-9, 6)
// as their rules allow. Nothing for a null stream.
void NAD_EC3_Report(FILE* stream);
// The five tables for a given part and annex name, with the rules as they stand.
void NAD_EC3_Write_Report(FILE* stream, const NAD_EC3_Params* part, const char* annex_name);
// The five tables one by one: each writes its title and rows when its rules are set (rules
// as they stand), nothing otherwise. The one-argument forms print the annex in force after
// filling the rules from the running program's profile; nothing for a null stream.
void NAD_EC3_1_Report_Rows(FILE* stream, const NAD_EC3_1_Params& p, const char* annex_name);
void NAD_EC3_8_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name);
void NAD_EC3_1_5_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name);
void NAD_EC3_1_9_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name);
void NAD_EC3_6_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name);
void NAD_EC3_1_Report_Rows(FILE* stream);
void NAD_EC3_8_Report_Rows(FILE* stream);
void NAD_EC3_1_5_Report_Rows(FILE* stream);
void NAD_EC3_1_9_Report_Rows(FILE* stream);
void NAD_EC3_6_Report_Rows(FILE* stream);

// EN 1996. Rules: 0 the partial factors of 2.4.3/2.4.4, 1 their accidental and seismic
// rows.
constexpr int NAD_EC6_ROW_RULES = 2;
extern int nad_ec6_row_visible[NAD_EC6_ROW_RULES];
void NAD_EC6_Set_Row_Filter();
void NAD_EC6_Report(FILE* stream);
void NAD_EC6_Write_Report(FILE* stream, const NAD_EC6_Params* part);

// EN 1999. Rules: 0 sections and members, 1 the tensile-fracture row, 2 connections.
constexpr int NAD_EC9_ROW_RULES = 3;
extern int nad_ec9_row_visible[NAD_EC9_ROW_RULES];
void NAD_EC9_Set_Row_Filter();
void NAD_EC9_Report(FILE* stream);
void NAD_EC9_Write_Report(FILE* stream, const NAD_EC9_Params* part);
