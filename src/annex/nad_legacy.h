#pragma once
// The older annex list "NADs-EC2.DEF" (in the "DRAM" directory) and the position-file
// block "ACTIV_NAD_EC2", both read only.
//
// Before annex set files existed, all user annexes stood in that one list file, and a
// corbel position kept the parameters of its annex itself. An older position opens with
// the annex of the list whose parameters equal the stored ones; when none does, with the
// name "lokale Definitionen" (which the choice by name turns into "Deutschland").
//
// A block of the list file:
//   a line beginning with "#NAD", then " <code> «name»",
//   the EN 1992 part (as the "#EC2" section), the EN 1993 part in its older form, the
//   EN 1995 part behind " EC5 Parameter", and the load-factor block:
//   "Lastfaktoren" <version>, 7 pairs, (version >= 1) 21 more pairs, 12 triples.
// The block "ACTIV_NAD_EC2" of a position file is the keyword line followed by the parts
// and the load-factor block of a list block.
#include <cstdio>

#include "annex/nad_ec2.h"
#include "annex/nad_ec3.h"
#include "annex/nad_ec5.h"

// The older EN 1990 block: four groups (design situations) of seven pairs (action rows:
// unfavourable, favourable value), then twelve triples (psi0, psi1, psi2 of twelve
// action categories).
struct NAD_Legacy_Load_Factors {
    double pairs[4][7][2];
    double triples[12][3];
};

// Origins of a node.
enum {
    NAD_LEGACY_BUILTIN = 0,  // the built-in standard node
    NAD_LEGACY_FILE = 1,     // read from the list file
    NAD_LEGACY_LOCAL = 2     // the local definitions of a position
};

// Longest name kept from the list file.
constexpr int NAD_LEGACY_NAME_MAX = 25;

struct NAD_Legacy_Node {
    int code;      // flag row: 19 standard values, 18 "Deutschland", 17 local definitions
    int origin;    // NAD_LEGACY_BUILTIN, NAD_LEGACY_FILE or NAD_LEGACY_LOCAL
    char name[32]; // at most 25 characters
    NAD_EC2_Params ec2;
    NAD_EC3_Params ec3;
    NAD_EC5_Params ec5;
    NAD_Legacy_Load_Factors load_factors;
    NAD_Legacy_Node* previous;
    NAD_Legacy_Node* next;
};

// The list: read once per run (on the first NAD_Read_Legacy_Choice); nodes live until the
// end of the run.
struct NAD_Legacy_List {
    NAD_Legacy_Node* head;
    NAD_Legacy_Node* tail;
    int count;
    int loaded;
    NAD_Legacy_Node* active;
};
extern NAD_Legacy_List legacy_nad_list;

// The built-in values of the older load-factor block.
void NAD_Legacy_Default_Load_Factors(NAD_Legacy_Load_Factors* factors);

// Reads the list: the built-in node first (origin 0), then every "#NAD" block of
// %DRAM%\NADs-EC2.DEF. The active node is the first with code 18, else the head.
void NAD_Legacy_Load_List();

// Appends a node with the built-in values (code 19, origin 1, "EC-Standardparameter",
// the EN 1992, EN 1993 and EN 1995 defaults and the built-in load factors) and makes it
// active; null when no memory is left.
NAD_Legacy_Node* NAD_Legacy_New_Node();

// Reads a load-factor block into the factors. When the first word is not "Lastfaktoren"
// nothing more is read; a block of version 0 holds only the first seven pairs. Values
// that are not read keep what they held.
void NAD_Legacy_Read_Load_Factors(FILE* stream, NAD_Legacy_Load_Factors* factors);

// Reads the parameters stored behind "ACTIV_NAD_EC2" (the stream standing behind that
// line) into a new local node and makes the first list node with equal parameters active,
// dropping the local node; when none matches the local node ("lokale Definitionen") stays
// active. Returns 1.
int NAD_Legacy_Activate(FILE* stream);

// Reads the older list on first use; when the position file has a line beginning with
// "ACTIV_NAD_EC2" (searched from its start), the result of NAD_Legacy_Activate, else 0.
int NAD_Read_Legacy_Choice(FILE* stream);

// The active node's name, or "*** unbekannt ***" when there is none.
const char* NAD_Get_Legacy_Name();

// Frees every node and marks the list unread, so that the next NAD_Read_Legacy_Choice
// reads it again (for tests; a run keeps its list to the end).
void NAD_Legacy_Free_List();
