#pragma once
// The material sheet: a modal sheet in which the user edits one material set (design
// standard, concrete, one or two reinforcing steels, laws, design situation with its
// partial factors, creep and shrinkage, exposure class). It works on its own copies and
// writes them back, recomputing the set, only on an accepted OK.
#include "material/material_set.h"

// mode 0 offers only DIN 1045 (7.88); mode 1 adds the newer standards, classes and the
// first four current steels; mode 2 also the B550 and B600 steels. concrete_editable and
// steel_editable switch those fields between editable and shown only; two_layers shows a
// list for each steel layer. The set must hold one concrete and two steel records and its
// own annex record; title is shown beside the sheet's name when not empty.
// Result: 1 after OK (the set changed and recomputed), 0 after cancel (the set untouched).
int Show_Material_Sheet(Material_Set* set, int mode, int concrete_editable, int steel_editable, int two_layers,
                        const char* title);

// A permitted class in place of a refused one. to_old: towards the DIN 1045 (7.88) grades
// (up to C16/20 B15, C20/25 and C25/30 B25, C30/37 B35, C35/45 and C40/50 B45, higher B55);
// else B15 C12/15, B25 C20/25, B35 C30/37, B45 C35/45, anything else C45/55.
int Propose_Concrete_Class(int to_old, int class_index);
// to_old: BSt 500; else B500B for BSt 500 and B500A for any other steel.
int Propose_Steel_Class(int to_old, int class_index);

// The position of a steel in the sheet's list and back (mode 1 lists no B550/B600 steels,
// so the two ONORM steels and "frei" stand at 7, 8 and 9 there).
int Material_Sheet_Steel_Position(int mode, int steel_index);
int Material_Sheet_Steel_Index(int mode, int position);
