#pragma once
// EN 1995 (timber) part of a national annex set: material partial factors, modification
// and deformation factors, deflection limits and the switches that choose between the
// Eurocode rule and the rule of the German national annex for single clauses.
//
// Switches are 1 = on. Clause numbers are those of EN 1995-1-1 and its German annex.
#include <cstdio>

constexpr int NAD_EC5_BLOCK_VERSION = 17;  // the version the writer puts into every block
constexpr int NAD_EC5_MATERIALS = 10;      // gamma_M per material, Tab. 2.3
constexpr int NAD_EC5_LOAD_DURATIONS = 5;  // permanent, long, medium, short, very short term
constexpr int NAD_EC5_SERVICE_CLASSES = 3;

// Materials of gamma_M_material, in this order.
enum {
    NAD_EC5_LVL_PLYWOOD_OSB = 0,
    NAD_EC5_PARTICLE_BOARD,
    NAD_EC5_HARD_FIBREBOARD,
    NAD_EC5_MEDIUM_FIBREBOARD,
    NAD_EC5_MDF_FIBREBOARD,
    NAD_EC5_SOFT_FIBREBOARD,
    NAD_EC5_CONNECTIONS,
    NAD_EC5_PUNCHED_PLATES,
    NAD_EC5_STEEL_IN_CONNECTIONS,
    NAD_EC5_PLASTERBOARD
};

// Checks of the deflection limits (outer index) and span kind (inner index).
enum { NAD_EC5_W_INST = 0, NAD_EC5_W_FIN = 1, NAD_EC5_W_NET_FIN = 2 };
enum { NAD_EC5_SPAN = 0, NAD_EC5_CANTILEVER = 1 };

struct NAD_EC5_Params {
    int na_de_flag;              // 1: the set follows the German annex
    int version;                 // version of the block last read
    int load_duration_table;     // 2.3.1.2(2)P: "Tabelle NA.1 anwenden"
    int penetration_depth_rule;  // 8.3.1.2: "NA.11 anwenden" (penetration depths > 4 d)
    double gamma_M_material[NAD_EC5_MATERIALS];
    int kmod_table;              // 3.1.3: "Tabelle NA.4 anwenden"
    int profiled_nail_table;     // 8.3.2: "Tabelle NA.15 anwenden"
    int threaded_rods;           // 8.5.3(2): threaded rods by the German annex
    int lateral_torsional_buckling;  // 6.3.3(7): check by the German annex
    int fasteners_simplified;    // 8.2.4(1): simplified method of the German annex
    int kmod_na1_b;              // German table NA.1 index (b)
    int fire_line_flag;          // kept in the file beside the fire factor only
    double gamma_M_solid;        // persistent and transient, solid timber
    double gamma_M_glulam;       // glued laminated timber
    double gamma_M_accidental;   // accidental situation, all kinds
    double gamma_M_fire;         // fire design, all kinds
    double k_mod[NAD_EC5_LOAD_DURATIONS][NAD_EC5_SERVICE_CLASSES];
    double k_def[NAD_EC5_SERVICE_CLASSES];
    double deflection_limits[3][2];  // divisors n of the span (limit l/n)
    // 1: k_cr 0.67 for solid and glued laminated timber, 1.00 otherwise (the two fields
    // below); 2: the German annex (2.0/f_v,k softwood, 0.67 hardwood, 2.5/f_v,k glulam).
    int crack_factor_method;
    // 1: w_net,fin from the characteristic combination, EC5 7.2 (2.2) to (2.5);
    // 2: from the quasi-permanent combination, German amendment A1 (NA.A1).
    int net_deflection_combination;
    double k_cr_solid_glulam;
    double k_cr_other;
    int wall_diaphragm_reduction;  // 9.2.4.2: "NA.20 anwenden"
    int sill_pressure_increase;    // "NA.21 anwenden"
    int tension_joints;            // "NA.8.1.6 anwenden"
    int steel_part_drilling;       // "NA.8.6 (NA.7) anwenden"
    double k_shape_factor;         // torsion: k_shape = 1 + factor * h/b
    double k_shape_max;            // upper bound of k_shape
    double slenderness_factor;     // NCI to 6.3.3(2), glued laminated timber only
    double gamma_M_clt;            // cross-laminated timber
};

// Every field to its built-in value (version 17, NA-DE flag 0). Nothing for null.
void NAD_EC5_Defaults(NAD_EC5_Params* record);

// Stores the set's NA-DE flag in the part (called for every part when a set is loaded).
void NAD_EC5_Set_NA_DE_Flag(NAD_EC5_Params* record, int flag);

// Writes the block in the newest layout; nothing when the stream or record is null;
// stops at the first write that fails.
void NAD_EC5_Write(FILE* stream, const NAD_EC5_Params* record);

// Resets the record to the built-in values, then reads a block over them. in_set_file 1:
// the stream stands at the block (behind "#EC5"); 0: an older annex list, where the
// section " EC5 Parameter" is searched first (up to the next "#NAD"). Older blocks are
// completed by the NA-DE flag read from the block. A failed conversion ends reading with
// the fields read so far (built-in values for the rest); it and a missing section are
// noted with NAD_Note_Read_Failure ("annex/nad_sections.h").
void NAD_EC5_Read(FILE* stream, NAD_EC5_Params* record, int in_set_file);

// 1 when the records differ (exact comparison), else 0. Records of which either carries
// a version of 9 or less are taken as equal. The NA-DE flag, the version, the fire-line
// flag and the fire factor are not compared.
int NAD_EC5_Compare(const NAD_EC5_Params* a, const NAD_EC5_Params* b);

// Copies every field but the version. Nothing when a pointer is null.
void NAD_EC5_Copy(NAD_EC5_Params* destination, const NAD_EC5_Params* source);
