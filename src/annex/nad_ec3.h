#pragma once
// EN 1993 part of a national annex set (steel structures): EN 1993-1-1 and 1-2 in the
// first sub-record; EN 1993-1-8, 1-5, 1-9 and EN 1993-6 in the second. The corbel design
// does not read these values; the part keeps every annex set whole.
#include <cstdio>

// EN 1993-1-1 and EN 1993-1-2.
struct NAD_EC3_1_Params {
    int version = 0;                      // layout version (5 in the defaults; 0 = not read)
    double gamma_M[3] = {};               // 6.1(1) gamma_M0, M1, M2, persistent/transient
    double gamma_M_accidental[3] = {};    // 6.1(1) gamma_M0, M1, M2, accidental situation
    int f_modification_flag = 0;          // 6.3.2.2(2): 1 = factor f also in the general case
    double gamma_M_fi = 0.0;              // EN 1993-1-2, 2.3(1)
    double lambda_LT0 = 0.0;              // 6.3.2.3(1), Eq. (6.57)
    double beta = 0.0;                    // 6.3.2.3(1), Eq. (6.57)
    int kc_flag = 0;                      // 6.3.2.3(2): 1 = kc given, 0 = from Table 6.6
    double kc = 0.0;
    int f_flag = 0;                       // 6.3.2.3(2): 0 = the factor f is given
    double f = 0.0;
    double e0_elastic[5] = {};            // 5.3.2(3)b): 1/value for curves a0, a, b, c, d
    double e0_plastic[5] = {};
};

// EN 1993-1-8, EN 1993-1-5, EN 1993-1-9 and EN 1993-6.
struct NAD_EC3_8_Params {
    int version = 0;                      // layout version (5 in the defaults; 0 = not read)
    double gamma_M_connection[6] = {};    // EN 1993-1-8, 2.2(2), in the editor's order
    int shear_lag_note = 0;               // EN 1993-1-5, 3.1(1): number of the note
    double eta = 0.0;                     // EN 1993-1-5, 5.1(2)
    double gamma_Mf[4] = {};              // EN 1993-1-9, 3(7)
    double gamma_M_ser = 0.0;             // EN 1993-6, 7.5(1)
    double last_factor = 0.0;             // written and read after gamma_M,ser
};

struct NAD_EC3_Params {
    int na_de_flag = 0;
    NAD_EC3_1_Params ec3_1;
    NAD_EC3_8_Params ec3_8;
};

// Whole part. Every operation does nothing when a pointer it is given is null.
void NAD_EC3_Defaults(NAD_EC3_Params* part);
void NAD_EC3_Defaults_NA_DE(NAD_EC3_Params* part);
// The text form of the section "#EC3" (the NA-DE flag is not written).
void NAD_EC3_Write(FILE* stream, const NAD_EC3_Params* part);
// in_set_file 1: the stream stands in the section "#EC3" of an annex set file; 0: the
// older list file or a position's block, with its older section forms. Sections are
// searched up to the next "#NAD". A missing section or a short read leaves the rest at the
// built-in values, a sub-record that was not read with version 0 (it then compares equal
// to anything); a short read is noted with NAD_Note_Read_Failure("EC3").
void NAD_EC3_Read(FILE* stream, NAD_EC3_Params* part, int in_set_file);
void NAD_EC3_Set_NA_DE_Flag(NAD_EC3_Params* part, int flag);
// 1 when the NA-DE flags differ or either sub-record compares different; else 0.
int NAD_EC3_Compare(const NAD_EC3_Params* a, const NAD_EC3_Params* b);
// Copies both sub-records, not the NA-DE flag.
void NAD_EC3_Copy(NAD_EC3_Params* destination, const NAD_EC3_Params* source);

// Sub-records. The readers answer 0 on success and 1 on a short read. Compare: 0 (equal)
// when either version is below 2, else 1 when an int differs or a double by more than 1e-4.
void NAD_EC3_1_Defaults(NAD_EC3_1_Params* record);
void NAD_EC3_1_Defaults_NA_DE(NAD_EC3_1_Params* record);
void NAD_EC3_1_Write(FILE* stream, const NAD_EC3_1_Params* record);
int NAD_EC3_1_Read(FILE* stream, NAD_EC3_1_Params* record);
int NAD_EC3_1_Compare(const NAD_EC3_1_Params* a, const NAD_EC3_1_Params* b);
void NAD_EC3_1_Copy(NAD_EC3_1_Params* destination, const NAD_EC3_1_Params* source);

void NAD_EC3_8_Defaults(NAD_EC3_8_Params* record);
void NAD_EC3_8_Write(FILE* stream, const NAD_EC3_8_Params* record);
int NAD_EC3_8_Read(FILE* stream, NAD_EC3_8_Params* record);
int NAD_EC3_8_Compare(const NAD_EC3_8_Params* a, const NAD_EC3_8_Params* b);
void NAD_EC3_8_Copy(NAD_EC3_8_Params* destination, const NAD_EC3_8_Params* source);
