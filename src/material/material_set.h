#pragma once
// The concrete and reinforcing-steel materials of one design.
//
// A Material_Set holds the design standard (its norm flags), the two partial factors, one or
// more concrete and steel records with their characteristic values, design values and
// stress-strain law parameters, and the set's own copy of the EN 1992 annex values that the
// design formulas read. Strains are in per mille (compression negative), stresses and moduli
// in N/mm², densities in kg/m³. Names are code page 850 texts with a leading blank.
//
// Class indices:
//   concrete 0..4   DIN 1045 (1988) grades B15 .. B55
//            5..19  C12/15 .. C100/115 (LC12/13 .. LC80/88 for 5..17 under the lightweight flag)
//            20..29 the ONORM classes
//            30     free concrete (its values are entered)
//   steel    0..2   DIN 1045 (1988) steels
//            3..12  current steels (5 the glass-fibre bar, 6 the lattice-girder steel,
//                   11 and 12 the ONORM steels)
//            13     free steel
#include "annex/nad_ec2.h"

struct Concrete_Record {
    int class_index;
    int lightweight;            // LC class under the same index as its normal-weight class
    double fck;                 // DIN 1045 (1988): nominal strength betaWN
    double value_2;             // stored and copied only
    double eps_c2;              // peak strain of the law in use
    double eps_cu;              // ultimate strain of the law in use
    double n_exp;               // exponent n (k of the nonlinear law, 1.0 for the linear law)
    double e_modulus;           // Ecm (after the fatigue preparation the design modulus)
    double density;             // oven-dry density; 2200 for normal weight
    double fctm;
    double fcm;
    double strain_shift;        // added to every strain of the law (shrinkage)
    double law_value_a;         // stored and copied only
    double law_value_b;         // stored and copied only
    double creep_coeff;         // creep coefficient phi
    double shrink_strain;       // shrinkage strain (negative)
    int int_a;                  // stored and copied only
    int int_b;
    int int_c;
    double tension_values[6];   // stored and copied only
    char name[24];              // " C30/37", " B25", " frei"
    double fcd;                 // design strength (DIN 1045 (1988): betaR)
    double eta1;                // lightweight factor 0.40 + 0.60 rho/2200, else 1.0
    double fctk005;             // 0.7 fctm (DIN 1045 (1988): fctm)
    double value_29;            // stored and copied only
    double value_30;            // stored and copied only
    double alpha_cc;            // long-term factor of the design strength
    int law_kind;               // 0 parabola-rectangle (or linear), 1 nonlinear law
};

struct Steel_Record {
    int steel_index;
    double fyk_c;               // yield strength on the compression side
    double fyk;
    double ftk;                 // tensile strength of the design law
    double value_4;             // set to 0 by the computation
    double eps_uk;              // limit strain of the design law
    double eps_yd;              // design yield strain
    double es;
    double value_8;             // stored and copied only
    char name[24];              // " B500B    ", " BSt 420", " frei"
    double fyd;
    double ftd;
};

struct Material_Set {
    int new_standard;           // 0 DIN 1045 (1988), 1 a newer standard
    int din_2008_rules;         // DIN 1045-1 edition 8.08; no lightweight concrete
    int oenorm;                 // ONORM B 4700
    int en1992_1_1;             // EN 1992-1-1
    int en1992_2;               // EN 1992-2 (bridges)
    int situation_code;         // 0, 1 or 2 (the corbel sets 2)
    int stored_int_a;           // stored with the set, read by no computation
    int stored_int_b;
    double gamma_c;
    double gamma_s;
    int law_choice;             // law of the fatigue/serviceability analysis, 0..4
    double modular_ratio;       // Es/Ec for law_choice 3
    int n_concrete;
    int n_steel;
    Concrete_Record* concrete;  // n_concrete records, owned
    Steel_Record* steel;        // n_steel records, owned
    NAD_EC2_Params* annex;      // the set's own annex record, owned
    int nonlinear_analysis;     // non-zero: rescale the set for a nonlinear analysis
    double xi_limit;            // x/d at which the design yield strain is taken; 0 = derive
};

// Index scheme of the class tables.
constexpr int CONCRETE_FIRST_CLASS = 5;       // = number of DIN 1045 (1988) grades
constexpr int CONCRETE_CURRENT_COUNT = 25;    // C12/15 .. C100/115 and the ONORM classes
constexpr int CONCRETE_LC_COUNT = 13;
constexpr int CONCRETE_OENORM_COUNT = 10;
constexpr int CONCRETE_FIRST_OENORM = 20;
// The free classes follow the tables, and the special steels have their places among
// the current ones: the indices follow from the counts, so that a class added to a table
// moves them with it.
constexpr int CONCRETE_FREE = CONCRETE_FIRST_CLASS + CONCRETE_CURRENT_COUNT;  // 30
constexpr int STEEL_FIRST_CLASS = 3;          // = number of DIN 1045 (1988) steels
constexpr int STEEL_CURRENT_COUNT = 10;
constexpr int STEEL_GLASS_FIBRE_POS = 2;      // places among the current steels
constexpr int STEEL_LATTICE_GIRDER_POS = 3;
constexpr int STEEL_GLASS_FIBRE = STEEL_FIRST_CLASS + STEEL_GLASS_FIBRE_POS;        // 5
constexpr int STEEL_LATTICE_GIRDER = STEEL_FIRST_CLASS + STEEL_LATTICE_GIRDER_POS;  // 6
constexpr int STEEL_FIRST_OENORM = 11;
constexpr int STEEL_FREE = STEEL_FIRST_CLASS + STEEL_CURRENT_COUNT;  // 13

// The constants by which the design core and the input sheets lay out their choice lists.
struct Material_Class_Counts {
    int lc_classes;             // 13
    int oenorm_concretes;       // 10
    int current_concretes;      // 25
    int din1045_grades;         // 5 (= the first current class index)
    int lattice_girder_pos;     // 3 (among the current steels)
    int glass_fibre_pos;        // 2 (among the current steels)
    int oenorm_steels;          // 2
    int current_steels;         // 10
    int din1045_steels;         // 3 (= the first current steel index)
    int sheet_value_a;          // 4, laid out by the material sheet
    int sheet_value_b;          // 4
};
extern const Material_Class_Counts material_class_counts;

// Class tables (code page 850, leading blank, trailing blanks as the report expects).
// The current tables start with the first current class: concrete_class_names[0] is
// " C12/15" (class index 5), steel_class_names[0] " B500A    " (steel index 3).
extern const char* const concrete_class_names[CONCRETE_CURRENT_COUNT];
extern const char* const lightweight_concrete_class_names[CONCRETE_LC_COUNT];
extern const char* const din1045_concrete_class_names[CONCRETE_FIRST_CLASS];
extern const char* const steel_class_names[STEEL_CURRENT_COUNT];
extern const char* const din1045_steel_class_names[STEEL_FIRST_CLASS];

// One row of the current concrete classes (class index 5 + row).
struct Concrete_Class_Row {
    double fck;
    double fck_cube;
    double fctm;
    double ecm;                 // Ecm of DIN 1045-1 (ONORM: its own)
    double eps_c2;
    double eps_cu2;             // also eps_cu3
    double n;
    double eps_c3;
    double eps_c1;
    double eps_c1u;
};
extern const Concrete_Class_Row concrete_class_table[CONCRETE_CURRENT_COUNT];

// DIN 1045 (1988) grades 0..4.
extern const double old_grade_strengths[CONCRETE_FIRST_CLASS];      // betaWN 15 .. 55
extern const double old_grade_design_values[CONCRETE_FIRST_CLASS];  // betaR 10.5 .. 30
extern const double old_grade_moduli[CONCRETE_FIRST_CLASS];         // 26000 .. 39000
extern const double old_grade_new_fck[CONCRETE_FIRST_CLASS];        // 12, 20, 28, 33, 36

// One row of the current steels (steel index 3 + row).
struct Steel_Class_Row {
    double fyk;
    double ftk_ratio;           // ftk/fyk of the product
    double eps_uk;              // product limit strain, per mille
    double es;
    int ductility_b;            // 1: ductility class B
};
extern const Steel_Class_Row steel_class_table[STEEL_CURRENT_COUNT];
extern const double din1045_steel_fyk[STEEL_FIRST_CLASS];           // 220, 420, 500

// Norm_Code of a set: 0 DIN 1045 (1988), 4 EN 1992-1-1 or EN 1992-2, 3 ONORM B 4700,
// 1 DIN 1045-1. Null set: 0.
int Material_Set_Norm_Code(const Material_Set* set);

// The set's own annex record, or the Eurocode recommended values for a set without one.
const NAD_EC2_Params& Material_Set_Annex(const Material_Set& set);
// A partial factor of the set as the formulas divide by it: 1.0 when it is not given
// (below 0.001, or not a number).
double Material_Set_Factor(double gamma);

// Frees what the set holds, stores the counts, allocates zeroed records and the annex
// record (DIN 1045-1 values) and resets the set. 0 on success; 1 for a null set, negative
// counts or a failed allocation (the set then holds no arrays and both counts are 0).
int Alloc_Material_Set(Material_Set* set, int n_concrete, int n_steel);
// Zeroes every scalar of the set and every field of every record; counts, arrays and the
// annex record stay.
void Reset_Material_Set(Material_Set* set);
// For a set that owns nothing yet: counts 0, pointers null (nothing freed), then reset.
void Clear_Material_Set(Material_Set* set);
// Frees the three arrays and nulls the pointers; the counts stay.
void Free_Material_Set(Material_Set* set);
// Deep copy into dst (dst's own arrays are freed first). Null pointers: nothing.
void Copy_Material_Set(const Material_Set* src, Material_Set* dst);
// Field by field, the name included. Null pointers: nothing.
void Copy_Steel_Record(const Steel_Record* src, Steel_Record* dst);
// Corrects flags, factors, class indices, densities and alpha factors; returns 0.
int Check_Material_Set(Material_Set* set);
// Computes every derived value of the set. take_active_annex: copy the annex in force into
// the set's annex record under EN 1992. Returns 0, or 1 when a steel's design yield strain
// had to be cut to its limit strain by more than 0.001 per mille.
int Calc_Material_Set(Material_Set* set, int take_active_annex);
// The lightweight-concrete factor eta1 = 0.40 + 0.60 rho/2200 of a dry density rho.
double Lightweight_Eta1(double density);

// Whether the section laws can be computed with the concrete: finite strengths above zero
// and a parabola-rectangle law whose strains are compressive, the peak at 0.1 per mille or
// beyond, the ultimate one at or beyond the peak and within 20 per mille, with a finite
// exponent. A damaged free concrete fails
// here before any design work is done with it.
bool Concrete_Law_Usable(const Concrete_Record& concrete);

// tauRd [N/mm²]: the ONORM classes their fixed values, every other class 0.09 fck^(1/3).
double Get_Concrete_Tau_Rd(int class_index, double fck);
// Partial factor of plain concrete for the situation.
double Get_Plain_Concrete_Gamma_C(int situation, double fck, double gamma_c);
// Limit of x/d for the set's first concrete; a given value inside (0.001, limit] stays.
double Get_Depth_Ratio_Limit(const Material_Set* set, double given);
