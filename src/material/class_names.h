#pragma once
// Report names of the concrete and steel classes, and the temporary conversion of a material
// set into the set of the fatigue and serviceability analysis of the cracked section.
#include "material/material_set.h"

// Name of a concrete class: grades 0..4 " B15" .. " B55", 5..29 the current classes (the
// normal-weight name for lightweight concrete too), 30 "frei", anything else "". The text
// lives in a buffer that the next call overwrites.
char* Get_Concrete_Class_Name(int class_index);
// Name of a steel: 0..12 the tables, 13 "Biegebemessung" (bending_design non-zero) or
// "frei", anything else "". The text lives in a buffer that the next call overwrites.
char* Get_Steel_Class_Name(int steel_index, int bending_design);

// Turns the set into the design values of the fatigue and serviceability analysis, keeping
// a backup of what it changes. mode 1 takes the factors from the set (the annex's
// serviceability factors under EN 1992) and sets alpha_cc of the first concrete to 1.0; any
// other mode uses the two factors given. Returns 1, or 0 for a null set or when the backup
// could not be allocated (the set is then unchanged).
// A second call before Restore_Material_Set keeps the first backup and converts from the
// saved original values again, so the set is the same as after one call.
int Prepare_Fatigue_Material_Set(Material_Set* set, double gamma_c, double gamma_s, int mode);
// Writes the backup back (the strain shift included), recomputes the set with its own annex
// record and frees the backup: 1. Without a backup (or for a null set): 0, nothing changes.
int Restore_Material_Set(Material_Set* set);
