#pragma once
// The record of one corbel position: the input that the sheets edit and the position file
// stores, the material values derived from it, the provided reinforcement areas derived
// from the chosen bars, and the results of the last calculation. The program keeps
// exactly one instance, corbel_model, for the whole run.
//
// Units: lengths cm, areas cm2, stresses N/mm2, strains per mille, angles degrees,
// density kg/m3, forces in the load tables N.
#include <cstdio>
#include <string>
#include <vector>

#include "core/corbel_results.h"
#include "core/load_tables.h"
#include "core/print_options_ec2.h"
#include "core/safety_factors.h"

// Norm codes of a corbel position.
constexpr int CORBEL_NORM_BUILDINGS = 4;  // EN 1992-1-1, "EC 2 Hochbau"
constexpr int CORBEL_NORM_BRIDGES = 21;   // EN 1992-2, "EC 2 Betonbrücken"

// Design situations (the fourth keeps the position's own partial factors).
constexpr int SITUATION_PERSISTENT = 0;  // "Grundkombination"
constexpr int SITUATION_SEISMIC = 1;     // "Erdbeben-Kombination"
constexpr int SITUATION_ACCIDENTAL = 2;  // "außergewöhnliche Kombination"
constexpr int SITUATION_FREE = 3;        // "frei"

// System: load corbel or support corbel.
constexpr int SYSTEM_LOAD_CORBEL = 0;     // "Lastkonsole"
constexpr int SYSTEM_SUPPORT_CORBEL = 1;  // "Auflagerkonsole"

// Execution: single corbel or beam-end corbel.
constexpr int EXECUTION_SINGLE = 0;    // "Einzelkonsole"
constexpr int EXECUTION_BEAM_END = 1;  // "Trägerkonsole"

// Connection to the supporting member.
constexpr int CONNECTION_BEAM = 0;    // "Träger"
constexpr int CONNECTION_COLUMN = 1;  // "Stütze"

// Load transfer.
constexpr int LOAD_TRANSFER_DIRECT = 0;    // "direkt"
constexpr int LOAD_TRANSFER_INDIRECT = 1;  // "indirekt (angehängte Last)"

// Number of main-tie layers the record holds.
constexpr int CORBEL_MAX_LAYERS = 10;

// One bar group: count, diameter index (0..11 into 6 .. 32 mm, 12 free), legs.
struct Bar_Group {
    int count;
    int diameter;
    int legs;
};

// The reinforcement choice of the reinforcement page ("Bewehrung wählen"), followed by the
// values the data check derives from it. The design and the bar helpers read it as one
// block in this order.
struct Corbel_Rebar_Choice {
    int compute_anchorage;       // "Verankerungslängen/Biegerollendurchmesser berechnen"
    int bond_conditions;         // 0 "berechnen", 1 "gut", 2 "mäßig"
    double cover_v;              // cv,v: cover of the vertical bars
    double cover_h;              // cv,h: cover of the horizontal bars
    int layers;                  // main-tie layers (A s,h), 0..10
    int loops;                   // main tie as loops ("Schlaufen (2-schnittig)"): doubles each layer
    int beam_end_legs;           // multiplier of the main tie of a beam-end corbel
    int inclined_loops;          // inclined bars as loops: legs of group 4 = 2, else 1
    int layer_bars[CORBEL_MAX_LAYERS];      // bars of each main-tie layer
    int layer_diameter[CORBEL_MAX_LAYERS];  // diameter index of each main-tie layer
    // Groups 1..6 (index 0..5): splitting-tension stirrups vertical (A sb,v), splitting-
    // tension loops horizontal (A sb,h), hanger stirrups (A s,v), inclined bars (A s,s),
    // anchorage stirrups vertical (A s,v1), anchorage loops horizontal (A s,h1).
    Bar_Group group[6];
    int member_count[2];      // groups 7 and 8: longitudinal bars of the supporting member
    int member_diameter[2];   // (top or left, bottom or right)
    int end_count[2];         // groups 9 and 10: longitudinal bars of a beam-end corbel
    int end_diameter[2];      // (top, bottom)
    // Spacing of the beam-end corbel tie, of group 3 at a beam-end corbel, layer spacing of
    // the main tie, row spacing of group 3.
    double spacing[4];
    double anchorage[9];      // anchorage lengths and mandrel diameters of the page

    // ---- derived by the data check (not stored in the file) ----
    double As_h;              // main tie (per metre at a beam-end corbel)
    double As_v;              // group 3 (per metre at a beam-end corbel)
    double As_s;              // group 4
    double Asb_v;             // group 1
    double Asb_h;             // group 2
    double As_v1;             // group 5
    double As_h1;             // group 6
    double As_member[2];      // groups 7 and 8
    double As_end[2];         // groups 9 and 10
    double min_cover_v;       // least cover for cv,v from the exposure classes (cm)
    double min_cover_h;       // least cover for cv,h
    double tie_axis_required;     // required axis distance of the corbel tie (case 0)
    double tie_axis_given;        // the corbel's d1k, copied beside it
    double member_axis_required;  // required axis distance of the supporting member (case 1)
    double member_axis_given;     // the model's e1, copied beside it
    double inclined_axis_required;  // third value for indirect load transfer (case 2)
};

struct Corbel_Model {
    // ---- head ----
    int norm_code;             // 4 EN 1992-1-1, 21 EN 1992-2
    int online_calculation;    // 1: recalculate after every change
    int design_situation;      // SITUATION_*
    int rebar_chosen;          // 1: the chosen bars enter check, design and report
    NAD_Safety_Factors safety_factors;
    int cover_from_exposure;   // non-zero: the check derives the minimum covers
    // Three pairs of exposure-class codes, first members then second members (the order
    // of the position file). exposure_first[0] is the corrosion class and exposure_first[1]
    // the attack class handed to the cover rule.
    int exposure_first[3];
    int exposure_second[3];
    int system;                // SYSTEM_*
    int concrete_class;        // at or above concrete_class_count: user-defined concrete

    // ---- concrete values (kept as entered for a user-defined class) ----
    double fck;
    double eps_c2;
    double eps_cu2;
    double n_parabola;
    double Ecm;
    double density;
    double fcm;
    double fctm;
    double eps_c1;
    double eps_cu1;
    double eps_c3;
    double eps_cu3;

    // ---- steels (main, second) and derived material values ----
    int steel_class[2];        // at or above steel_class_count: user-defined steel
    double fyk[2];
    double ftk[2];
    double euk[2];
    double Es[2];
    double steel_fifth[2];     // stored with the four above, never derived
    int bridge_steel_replaced;  // the class a bridge's check replaced by the bridge steel
                                // (5 or 6, 0 none); not stored, kept while that steel stands
    int materials_derived;
    int lightweight;           // set by Map_Concrete_Class_Index
    double fcd;
    double factors_in_use[3];  // γc, γs in use and ξlim, set by the calculation
    double fyd[2];
    double ftd[2];

    // ---- system and geometry ----
    int execution;             // EXECUTION_*
    int connection;            // CONNECTION_*
    int at_slab;               // beam-end corbel at a slab ("an einer Platte")
    double b;                  // width of the supporting member
    double h;                  // depth of the supporting member
    double d1;                 // axis distance of the supporting member's reinforcement
    double e1;                 // axis distance e1
    double beam_height;        // beam height, or slab thickness at a slab
    double lk;                 // corbel length
    double hk;                 // corbel depth
    double d1k;                // axis distance of the corbel tie
    double hk_end;             // h'k: depth at the outer end of a chamfered corbel, 0 none
    double lp;                 // bearing plate length, 0 none
    double bp;                 // bearing plate width

    // ---- design parameters ----
    int load_transfer;         // LOAD_TRANSFER_*
    int method;                // row of the design procedures, kept at 4 or less
    double load_share;         // vertical share of the load, 0..1
    double load_a;             // load position a from the face of the support
    double load_height;        // the second load-introduction value
    double inclination;        // inclined reinforcement, 20..70 degrees
    int fatigue_check;         // "Ermüdungsnachweis (vereinfachtes Verfahren)"
    double stress_range;       // "Spannungsdifferenz", N/mm2
    double fatigue_value;
    double first_loading;      // age at first loading, days
    int bed_joint;             // 1 dry joint, 0 sliding or elastomer bearing
    int strut_angle_mode;      // 0 minimal (cot θ = 3), 1 the given angle
    double strut_angle;        // θ

    // ---- reinforcement choice and its derived values ----
    Corbel_Rebar_Choice rebar;

    // ---- print options, loads and results ----
    EC2_Print_Options print_options;
    int load_count[2];              // rows of table 0 (ULS) and table 1 (fatigue/SLS)
    int unit_switch;                // Load_Unit_Switch
    Load_Combination* load_table[2];  // owned; re-made by Alloc_Load_Table only
    Load_Case_Result* results;      // one per ULS row, owned; Alloc_Load_Case_Results
    // Envelope, governing values and flags over all rows, and the governing row
    // (summary.governing_case, a number from 1, -1 for none).
    Load_Case_Summary summary;

    // Set by the position-file reader when the position's input file existed but could
    // not be read at start-up, so that a later save does not silently overwrite it.
    // Neither the empty state nor the defaults touch it.
    int input_read_failed;
};

// The one corbel position of the run. Starts with empty tables and no result array.
extern Corbel_Model corbel_model;

// Concrete classes below this count are listed classes (31 until the first data check,
// which sets it to 33); steel classes below steel_class_count (11) are listed steels.
extern int concrete_class_count;
extern int steel_class_count;
// Number of listed bar diameters (indices 0..11); 12 is the free diameter.
extern int bar_diameter_count;

// The empty state: norm code 4, every other number 0 (the partial factors, the cover
// switch and input_read_failed are left as they are), default print options, unit switch
// 0, both tables re-made with count 0, the result array re-made, the summary reset
// (governing case -1).
void Clear_Corbel_Model(Corbel_Model* model);

// The defaults of a new position, followed by a silent data check.
void Set_Corbel_Defaults(Corbel_Model* model);

// The data check with its derivations. Changes the model (clamps, mapped classes, derived
// areas and covers). Error lines go to the report only when a stream is given; the two
// bridge rules also show a message box when show_messages is set. The third argument is
// not read. 0 valid, 1 input error.
int Check_Corbel_Model(Corbel_Model* model, FILE* report, int unused, int show_messages);
// The errors the data check finds in the model as it stands, for the screen: the check
// runs silently on a copy (the model is not changed) and its error lines (report texts,
// code page 850 with the report's index switches) are appended to errors. 0 valid, 1
// input error (an error without a line of its own adds none).
int Corbel_Model_Errors(const Corbel_Model& model, std::vector<std::string>* errors);

// True when every real of the position's input is a finite number (the reader takes a
// "nan" or "inf" in a file for damage).
bool Corbel_Values_Finite(const Corbel_Model& model);
// True when every real of the input and of the derived design values is a finite number
// that the report can show (the data check refuses the position otherwise).
bool Corbel_Values_Representable(const Corbel_Model& model);

// The material set-up: derived concrete and steel values from the classes.
void Setup_Corbel_Materials(Corbel_Model* model);

// Frees and re-makes the result array for the current ULS row count (all fields 0),
// resets the summary (governing case -1). Running out of memory ends the run.
void Alloc_Load_Case_Results(Corbel_Model* model);

// 1 when |A| > 1.0 or |H| > 1.0 in whatever unit the caller passes, else 0.
int Is_Load_Nonzero(double A, double H);

// 1 when the two leading ints are equal and the first ten reals differ by no more than
// 0.01 each, else 0 (also for a null argument). Offered by the library; the program does
// not call it.
int Compare_Corbel_Records(const Corbel_Model* a, const Corbel_Model* b);

// Table 1: its row count. Table 0: the rows whose stored A or H exceeds 1.0 N in absolute
// value. 0 when the table is absent or empty (or k is not 0 or 1).
int Count_Load_Cases(const Corbel_Model* model, int k);
