#pragma once
// The national annex parameter set: every nationally determined parameter of one annex,
// one part per Eurocode, and the set in force.
//
// A NAD_Set is a value: copying one copies every part, the EN 1991 tables included
// (nothing is shared between two sets). Copy it by assignment, never byte-wise.
#include "annex/nad_ec0.h"
#include "annex/nad_ec1_tables.h"
#include "annex/nad_ec2.h"
#include "annex/nad_ec3.h"
#include "annex/nad_ec5.h"
#include "annex/nad_ec6_ec9.h"

#include <string>

// Codes of the built-in annexes (also the rows of their flags in the flag bitmap).
enum {
    NAD_CODE_LOCAL = 17,     // local definitions of an older position; unknown flags
    NAD_CODE_GERMANY = 18,   // "Deutschland"
    NAD_CODE_STANDARD = 19,  // the built-in standard values
};

struct NAD_Set {
    int code = -1;        // the annex's code (its flag row); user annexes: as in their file
    int user_flag = -1;   // 1 when loaded from a numbered user annex file
    int na_de_flag = -1;  // 1 when the rules of the German annex apply
    std::string name;     // the set's own name as stored in its file, kept whole
    NAD_EC0_Params ec0{};  // EN 1990 load factors
    NAD_EC1_Tables ec1{};  // EN 1991 numeric tables
    NAD_EC2_Params ec2{};  // EN 1992 concrete structures
    NAD_EC3_Params ec3{};  // EN 1993 steel structures
    NAD_EC5_Params ec5{};  // EN 1995 timber structures
    NAD_EC6_Params ec6{};  // EN 1996 masonry
    NAD_EC9_Params ec9{};  // EN 1999 aluminium structures
};

// The set in force. It starts never filled (code, user flag and NA-DE flag -1) and lives
// for the run at the same address; the choice of an annex resets and reloads it.
extern NAD_Set active_nad_set;

// 1 once the set in force was reset (and perhaps loaded). Kept apart from the code,
// because an annex file may carry any code, a negative one included.
extern int active_nad_set_filled;

// 1 until the first reset has read the EN 1991 table definitions (once per run).
extern int nad_ec1_definitions_pending;

// The built-in reset of `active_nad_set`: the EN 1991 table definitions on the first call,
// then code 19, user flag 0, NA-DE flag 0, name "EC-Standard" and every part's built-in
// values.
void NAD_Fill_Builtin_Defaults();

// Code 19, user flag 0, NA-DE flag 0, name "EC-Standard" and the built-in values of every
// part an annex file carries: all but the EN 1991 tables, which stay as they are. Null:
// nothing happens.
void NAD_Reset_Set_Parts(NAD_Set* set);

// Start-up hook of the annex module; there is nothing to prepare at start-up (the
// argument is not used).
void NAD_Startup(int unused);

// Puts the set in force back to never filled, with the EN 1991 definitions to be read
// again. For tests; a run never needs it.
void NAD_Forget_Active_Set();
