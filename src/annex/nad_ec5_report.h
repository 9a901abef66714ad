#pragma once
// The report of the EN 1995 (timber) parameters of an annex, as table blocks of the report
// format written straight into the open report stream (code page 850).
//
// Nine row flags cut the report to the running application (from its profile,
// "annex/app_profiles.h"); the German-annex rows appear only when the part's NA-DE flag
// is set.
#include <cstdio>

struct NAD_EC5_Params;

// Row flags, index 0..8 = flag 1..9: application block (heading of the frame programs,
// slenderness factor, side-by-side layout), material factors, modification factors,
// deformation factors, deflection limits, crack factor, net final deflection, clause
// table, torsion factor. 1 = shown.
constexpr int NAD_EC5_ROW_FLAGS = 9;
extern int nad_ec5_row_flags[NAD_EC5_ROW_FLAGS];
// The indices of the row flags, shared by the report and the annex page's bands.
enum : int {
    NAD_EC5_FLAG_APPLICATION = 0,
    NAD_EC5_FLAG_MATERIAL,
    NAD_EC5_FLAG_MODIFICATION,
    NAD_EC5_FLAG_DEFORMATION,
    NAD_EC5_FLAG_DEFLECTION,
    NAD_EC5_FLAG_CRACK,
    NAD_EC5_FLAG_NET_DEFLECTION,
    NAD_EC5_FLAG_CLAUSES,
    NAD_EC5_FLAG_TORSION
};

// Sets the row flags from the application profile: rule strings of part 5 when they
// apply; all on without a profile; else by the application number (220 and 242 frame
// programs, 73 to 76 the clause table only).
void NAD_EC5_Set_Row_Filter();

// The report of the EN 1995 part of the annex in force (row filter first). Nothing for
// a null stream.
void NAD_EC5_Report(FILE* stream);

// The same report for a given record and annex name (null name: empty) with the row flags
// as they stand. Nothing for a null stream or record.
void NAD_EC5_Write_Report(FILE* stream, const NAD_EC5_Params* params, const char* annex_name);
