#pragma once
// Work records of the two corbel design procedures, the corbel's material set, the mapping
// of the model's class lists onto the material module's class indices, helpers on the
// chosen bars, and the clearers of the calculation module's records.
//
// Lengths in cm, forces in kN, areas in cm², stresses in N/mm², angles in degrees.
#include "core/corbel_results.h"
#include "material/material_set.h"

struct Corbel_Model;
struct Corbel_Rebar_Choice;
struct NAD_EC2_Params;
struct Calc_Work_Record;

// Work record of the beam-side procedure (support corbel, or a corbel on a beam). The input
// fields are filled from the model for each load combination; the procedure writes the
// results. Symbols in the comments are those of the design text.
struct Beam_Corbel_Work {
    int load_transfer;          // 0 direct ("Variante 1"), 1 hung up ("Variante 2"), 2 beam-end
    int method_class;           // 0..5
    int dry_joint;              // 1: dry bearing joint, H at least 0.2 A
    Material_Set* material_set; // concrete and steels of the design
    double width;               // b
    double beam_height;         // h
    double beam_axis_distance;  // d1
    double corbel_height;       // hk
    double corbel_axis_distance;  // d1k
    double hanger_angle;        // inclination of the inclined hangers (β)
    double distribution_number; // share of A carried by the vertical hangers (0..1)
    double vertical_force;      // A
    double load_distance;       // a
    double load_distance_add;   // e1; e = a + e1
    double horizontal_force;    // H, after the dry-joint rule
    double force_height;        // the height of H above the corbel
    double bearing_length;      // lp
    double bearing_width;       // bp
    double strut_angle;         // the model's strut angle θ
    double As_tie;              // As,h
    double As_hanger;           // As,v
    double As_tie2;             // As,v1, the hanger area anchoring As,h
    double As_tie_02;           // the stirrup area for T3
    double As_tie_top;          // As,h1, anchorage of the span reinforcement
    double As_incl_hanger;      // As,s
    double As_nose;             // compression steel the nose needs (no chosen bar holds it)
    double Z;                   // ZA+H
    double F_hanger;            // ZV
    double shear_value;         // acting value of the strut check (σ0 or VEd)
    double shear_limit;         // its limit (σ03 or VRd,max)
    double F_tie2;              // ZV,1
    double F_tie_02;            // T3
    double F_tie_top;           // Zh1
    double F_hung;              // AV, the vertical load share
    double F_rest;              // AS, the inclined load share
    double F_incl_hanger;       // ZS
    double min_hk;
    double min_b;
    double min_dk;
    double zk;                  // lever arm of the corbel
    double dk;                  // effective depth of the corbel
    double theta;               // strut angle at the support node (θA)
    double sigma_strut;         // strut stress σd
    double z;                   // lever arm z (also written zQ)
    double sigma_perm;          // σRd,max of the bearing, permissible σd
    double sigma_bearing;       // bearing pressure σp
    double As_stirrup;          // stirrup area of the stirrup section
    double stirrup_value;       // F1, Z' or the vertical stirrup value, by class
    double ratio;               // a/hk, a/dk or cot θA, by class
    double strut_length;        // written as z3 in the anchorage line
    double xc;                  // written as x
    double xc_limit;            // written as zul x
    double x;                   // written as xc
    double delta_e;             // written as the load distance at the compression zone
    const char* stirrup_text;   // stirrup line; first letter "h" or "v" gives the direction
    unsigned failed_checks;     // Design_Check_Bit of the checks that failed
    int long_span_stirrups;     // "Heft 600": 1 when the stirrups followed the rule for a > 0.5 hk
    // The concrete check of a method that checks only the vertical share of a hung-up load
    // (the compression zone, σd in the support node), made once more with the whole load:
    // 0 not made, 1 made, 2 the method found no design for the whole load.
    int whole_load_check;
    unsigned whole_load_failed; // Design_Check_Bit of that check
    double whole_load_value;    // x or σd
    double whole_load_limit;    // zul x or permissible σd
    double whole_load_theta;    // θA of the strut (σd)
    double whole_load_x;        // depth of the stress block (x)
    // The shear rules' compared value (σ0 or VEd) raised by the strut force that H adds
    // through its moment; shear_value where H is 0 or the method has no such check.
    double shear_value_H;
};

// Work record of the column-side procedure (load corbel on a column).
struct Column_Corbel_Work {
    int load_transfer;          // 0 hung up (indirect), 1 direct, 2 beam-end corbel
    int method_class;           // 0..6
    int unused_int;             // cleared, never set
    int dry_joint;
    double corbel_length;       // lk
    double corbel_height;       // hk
    double width;               // bk
    double corbel_axis_distance;  // d1k
    double load_distance_add;   // the model's e1
    double bearing_length;      // lp
    double bearing_width;       // bp
    double unused_double;       // set to 0.0
    double vertical_force;      // A
    double horizontal_force;    // H, after the dry-joint rule
    double load_distance;       // a
    double force_height;        // the height of H above the corbel
    double distribution_number; // the upper share of A (indirect load transfer)
    double bars_inclination;    // inclination entered for the inclined bars (hung up), degrees
    Material_Set* material_set;
    double As_tie;              // As,h
    double As_hanger;           // As,v
    double As_incl_hanger;      // As,s
    double As_nose;             // compression steel the nose needs (no chosen bar holds it)
    double As_stirrup;          // stirrup area (the horizontal part when both are set)
    double shear_limit;         // σ03, VRd,max or VRd,ct by class (class 5, hung up: stirrups for T3)
    double zk;                  // zA+H, the lever arm of the tie
    double dk;
    double shear_value;         // σ0 or VEd (class 5, hung up: the force T3)
    double min_b;               // minimum width
    double Z;                   // ZA
    double Z_H;                 // ZH
    double theta2;              // angle written with Z' and F1
    double sigma_strut;         // σd, MN/m²
    double sigma_bearing;       // σp
    double F_incl_hanger;       // ZS
    double F_hanger;            // ZV
    double stirrup_value;       // T3, Z', F1 or the vertical stirrup area, by class
    double hanger_angle;        // β of the inclined bars, written with the lower load share
    double strut_slope;         // slope of the lower share's strut (hung up), degrees
    double theta;               // θ2
    double sigma_perm;          // σRd,max of the bearing, permissible σd
    double ratio;               // a/z
    double z;                   // zV, the lever arm of the shear rule
    double unused_doubles[2];   // never written
    double xc;                  // written as x
    double xc_limit;            // written as zul x
    double x;                   // written as xc
    double delta_e;             // written as the load distance at the compression zone
    const char* method_name;    // printed after "Verfahren nach"
    const char* stirrup_text;   // "h", "v" or a text beginning with a blank (both areas)
    unsigned failed_checks;     // Design_Check_Bit of the checks that failed
    int long_span_stirrups;     // "Heft 600": 1 when the stirrups followed the rule for a > 0.5 hk
    // The method's concrete check made once more with the whole load, where a share of a
    // hung-up load is carried by the inclined bars: 0 not made, 1 made, 2 the method found
    // no design for the whole load.
    int whole_load_check;
    unsigned whole_load_failed; // Design_Check_Bit of that check
    double whole_load_value;    // min b, σ0, σd, VEd or x, by class
    double whole_load_limit;    // bk, σ03, permissible σd, VRd,max or zul x
    double whole_load_theta;    // θ2 of the strut (σd)
    double whole_load_x;        // depth of the stress block (x)
    // The shear rules' compared value (σ0 or VEd) raised by the strut force that H adds
    // through its moment; shear_value where H is 0 or the method has no such check.
    double shear_value_H;
};

extern Beam_Corbel_Work beam_corbel_work;
extern Column_Corbel_Work column_corbel_work;

// The material set of the corbel calculation (one concrete, two steels): allocated on the
// first design of a combination (corbel_material_set_ready then 1), refilled for every
// combination, kept for the whole run.
extern Material_Set corbel_material_set;
extern int corbel_material_set_ready;

// Model class lists: concrete 0..4 DIN 1045 grades, 5..19 current classes, 20..32
// lightweight classes, 33 and above a free concrete; steel 0..10 listed, 11 and above free.
constexpr int MODEL_FIRST_LIGHTWEIGHT_CLASS = 20;
constexpr int MODEL_FIRST_FREE_CONCRETE = 33;
constexpr int MODEL_FIRST_FREE_STEEL = 11;

// Fills corbel_material_set from the model (its arrays must exist): norm flags, annex
// parameters, the concrete by the model's class (setting the model's lightweight flag),
// the two steels, the partial factors in use; then computes the set with the active annex.
// Null model or a set without records: nothing.
void Fill_Corbel_Material_Set(Corbel_Model* model);
// Calc_Material_Set for the corbel's set, keeping eta1 of a lightweight bridge concrete.
int Calc_Corbel_Material_Set(const Corbel_Model& model, Material_Set* set, int take_active_annex);

// Material-module class index of a model concrete class. The lightweight flag is written
// when the pointer is given: 1 for classes 20..32 and for a free concrete with a density
// below 2000.001, else 0.
int Map_Concrete_Class_Index(int model_class, int* lightweight, double density);
// Material-module steel index of a model steel: 0..10 unchanged, else 13 (free steel).
int Map_Steel_Class_Index(int model_steel);

// Least axis spacing required by the chosen bars (cm): with the stirrup flag that of the
// hanger stirrups (group 3) among themselves, otherwise the largest over the main-tie
// layers (0.0 without layers). Null choice: 0.0.
double Get_Required_Bar_Spacing(const Corbel_Rebar_Choice* rebar, int stirrup_flag,
                                const NAD_EC2_Params* options);
// Axis spacing of the bars in the drawings (cm): kind 0 between main-tie layers i and j,
// kind 1 between the rows of group 3; a stored spacing of at least 0.01 is taken as it is.
// Other kinds, or a layer outside 0..9: 0.0.
double Get_Bar_Axis_Spacing(const Corbel_Rebar_Choice* rebar, int layer_i, int layer_j,
                            int kind, const NAD_EC2_Params* options);
// Axis distance (cm, rounded to 0.1 up from 0.0444...) that the chosen bars need: kind 0
// the corbel tie, kind 1 the rows of the hanger stirrups, kind 2 the inclined bars; other
// kinds 0.0. execution points at the model's execution ("Ausführung"; 1 beam-end corbel);
// the system code is not read.
double Calc_Rebar_Axis_Distance(const Corbel_Rebar_Choice* rebar, const int* execution, int kind,
                                int system, const NAD_EC2_Params* options);

// Clearers: every int and double 0, every pointer null, except the start values named.
Beam_Corbel_Work* Clear_Beam_Corbel_Work(Beam_Corbel_Work* work);
Column_Corbel_Work* Clear_Column_Corbel_Work(Column_Corbel_Work* work);
// Start values of the section-check work record: everything 0 or null except apply_vmin 1,
// roughness_class 2 and the first three doubles (width_1 90.0, width_2 300.0, width_3 1.0),
// which a caller overwrites with its section. Null record: nothing.
void Clear_Calc_Work_Record(Calc_Work_Record* record);
