#pragma once
// The material partial factors a corbel position keeps with itself: the pair of the chosen
// ultimate-limit-state design situation, the serviceability pair and the fatigue pair,
// each (concrete, reinforcing steel). They are taken from the active national annex unless
// the user chose the situation "frei" and entered his own.
#include <cstdio>

struct NAD_Safety_Factors {
    int from_annex = 1;          // 1: refilled from the annex; 0: the user's own, never overwritten
    double gamma_c = 0.0;        // chosen ultimate-limit-state situation
    double gamma_s = 0.0;
    double gamma_c_sls = 0.0;    // serviceability
    double gamma_s_sls = 0.0;
    double gamma_c_fat = 0.0;    // fatigue
    double gamma_s_fat = 0.0;
    int norm_code = 4;           // 4 EN 1992-1-1, 21 EN 1992-2; any other code: zero factors
};

// Block version written and the newest one read.
constexpr int NAD_SAFETY_FACTORS_VERSION = 0;

// Fills the record from the active annex with annex column k (0 "ständig/veränderlich",
// 1 "Ermüdung", 2 "Erdbeben", 3 "außergewöhnlich"). Nothing happens for k > 3 (or k < 0),
// a null record or a record whose from-annex flag is 0. k = 1 leaves the ULS pair as it
// is. A norm code other than 4 and 21 gives zero factors.
void Fill_NAD_Safety_Factors(NAD_Safety_Factors* record, int k);

// Empty state: norm code 4, from-annex flag 1, all factors 0.0. Returns the record (null
// for null).
NAD_Safety_Factors* Init_NAD_Safety_Factors(NAD_Safety_Factors* record);

// The destination gets the empty state, then every field of a non-null source. A null
// destination does nothing.
void Copy_NAD_Safety_Factors(const NAD_Safety_Factors* source, NAD_Safety_Factors* destination);

// 1 when both are given, flags and norm codes are equal and every factor differs by no
// more than 0.01; else 0.
int Compare_NAD_Safety_Factors(const NAD_Safety_Factors* a, const NAD_Safety_Factors* b);

// Position-file block:
//   " 0\n"
//   " %d %d %lf %lf %lf %lf %lf %lf\n"   norm code, from-annex flag, ULS, SLS, fatigue pairs
// 0, or 1 for a null argument or a failed write.
int Write_NAD_Safety_Factors(FILE* stream, const NAD_Safety_Factors* record);

// Sets the empty state, then reads the block. 0 on success; 1 for a null argument, a newer
// block version (9999 and above count as not newer) or a value that cannot be read (the
// values read so far stay).
int Read_NAD_Safety_Factors(FILE* stream, NAD_Safety_Factors* record);
