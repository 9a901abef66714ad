#pragma once
// Presentation of a position's partial safety factors in the report, the two headlines
// that close a corbel design, and the probe for the sibling concrete program.
#include <cstdio>

struct NAD_Safety_Factors;

// Part bits of the factor lines (and of the sheet's factor fields).
enum Safety_Factor_Bits : int {
    SAFETY_FACTOR_CONCRETE = 1,     // γc
    SAFETY_FACTOR_STEEL = 2,        // γs
    SAFETY_FACTOR_ULS = 4,          // group "Tragfähigkeit"
    SAFETY_FACTOR_SLS = 8,          // group "Gebrauchstauglichkeit"
    SAFETY_FACTOR_FATIGUE = 16,     // group "Ermüdung"
    SAFETY_FACTOR_ULS_PLAIN = 32,   // one line of the ULS pair without a group title
};

// Report lines of the factors chosen by the bits, written through the report text channel:
//   bit 32        "Beton γc = 1.50,  Bewehrung γs = 1.15" (ULS pair, the chosen factors)
//   no bits       the three group titles alone
//   otherwise     one line per group bit, in the order ULS, SLS, fatigue:
//                 "Tragfähigkeit: Beton γc = 1.50,  Bewehrung γs = 1.15"
//                 (": " only when both factors are shown; the fatigue pair as γc,fat, γs,fat)
// Nothing without a record or a stream. The corbel report passes 7, or 15 for a single
// load corbel on a column with direct load transfer and the fatigue check on.
void Write_Safety_Factor_Lines(const NAD_Safety_Factors* record, FILE* report, int bits);

// The closing headline of a design that met every check: "Bemessung erfolgreich" in blue;
// and of one that did not: "Fehler bei der Bemessung !!" in red. Each returns a buffer of
// its own that its next call overwrites.
const char* Get_Design_Ok_Headline();
const char* Get_Design_Failed_Headline();

// 1 when the sibling concrete program is installed under the environment's installation
// directory ("EXEC" followed by "\Q7-VARKO\varko.exe"), else 0 (also without "EXEC" or
// with a path longer than the platform allows).
int Sibling_Program_Installed();
