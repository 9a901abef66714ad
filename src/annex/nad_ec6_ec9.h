#pragma once
// EN 1996 (masonry) and EN 1999 (aluminium) parts of a national annex set: the partial
// factors an annex fixes, their built-in values, the German-annex values, the text blocks
// of the sections "#EC6" and "#EC9" of an annex set file, compare and copy.
//
// Every operation does nothing when a pointer it is given is null.
#include <cstdio>

struct NAD_EC6_Params {
    int na_de_flag = 0;               // 1 when the set follows the German annex
    double gamma_M = 0.0;             // 2.4.3, persistent and transient design situation
    double gamma_M_accidental = 0.0;  // 2.4.3, accidental design situation
    double gamma_M_seismic = 0.0;     // 2.4.3, seismic design situation
    double gamma_M_ser = 0.0;         // 2.4.4, serviceability limit state
};

struct NAD_EC9_Params {
    int na_de_flag = 0;           // 1 when the set follows the German annex
    int version = 0;              // version of the block last read (5 in the defaults)
    double gamma_M0 = 0.0;        // 6.1.3(1), cross-section failure
    double gamma_M1 = 0.0;        // 6.1.3(1), instability
    double gamma_M2 = 0.0;        // 6.1.3(1), tensile fracture
    double gamma_Mp = 0.0;        // 8.1.1(2), bolted connections
    double gamma_Mw = 0.0;        // 8.1.1(2), welded connections
    double gamma_Ms_ser = 0.0;    // 8.1.1(2), slip resistance, serviceability limit state
    double gamma_Ms_ult = 0.0;    // 8.1.1(2), slip resistance, ultimate limit state
    double gamma_Ma = 0.0;        // 8.1.1(2), adhesive bonded connections
    double gamma_Mp_ser = 0.0;    // 8.1.1(2), pins at the serviceability limit state
    double C = 0.0;               // 6.2.1(5), constant C of equation 6.15
};

// Built-in values (the ones the reset of a set uses).
void NAD_EC6_Defaults(NAD_EC6_Params* record);
void NAD_EC9_Defaults(NAD_EC9_Params* record);
// German-annex values; each returns its argument.
NAD_EC6_Params* NAD_EC6_Defaults_NA_DE(NAD_EC6_Params* record);
NAD_EC9_Params* NAD_EC9_Defaults_NA_DE(NAD_EC9_Params* record);

void NAD_EC6_Set_NA_DE_Flag(NAD_EC6_Params* record, int flag);
void NAD_EC9_Set_NA_DE_Flag(NAD_EC9_Params* record, int flag);

// Write the block (six decimals); stop at the first write that fails.
void NAD_EC6_Write(FILE* stream, const NAD_EC6_Params* record);
void NAD_EC9_Write(FILE* stream, const NAD_EC9_Params* record);

// Read the block at the stream's position (behind the tag line of the annex set file).
// Both start from the built-in values, so a block that breaks off leaves the fields
// behind the break at those values; a break is noted with NAD_Note_Read_Failure
// ("EC6" / "EC9").
void NAD_EC6_Read(FILE* stream, NAD_EC6_Params* record);
void NAD_EC9_Read(FILE* stream, NAD_EC9_Params* record);

// 1 when both are given, the NA-DE flags are equal and every factor differs by 0.0001 or
// less; otherwise 0. The version of an EN 1999 part is not compared.
int NAD_EC6_Equal(const NAD_EC6_Params* a, const NAD_EC6_Params* b);
int NAD_EC9_Equal(const NAD_EC9_Params* a, const NAD_EC9_Params* b);

// Copy the NA-DE flag and all factors (not the version of an EN 1999 part).
void NAD_EC6_Copy(NAD_EC6_Params* destination, const NAD_EC6_Params* source);
void NAD_EC9_Copy(NAD_EC9_Params* destination, const NAD_EC9_Params* source);
