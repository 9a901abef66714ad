#pragma once
// Masonry: the characteristic compressive strength fk of masonry from a unit and a mortar,
// by EN 1996-1-1 with the national annex in force (fk = K · fb^α · fm^β) or, without an
// EN 1996 annex part or where it gives no value, from the tables of DIN 1053-100 (Tab. 4
// and Tab. 5); the further values of a masonry material record (modulus of elasticity,
// unit strengths, shear and flexural strengths, creep values, partial factor and design
// strength); and a text that explains the strength in the report (code page 850).
//
// All strengths in N/mm² (= MN/m²).
#include <string>

struct NAD_EC6_Params;

// ---------------------------------------------------------------------------------
// Module state, set by the caller before use

// The EN 1996 part of the annex set in force, or null: DIN 1053-100 values are used.
extern NAD_EC6_Params* masonry_ec6_params;
// Eurocode values are used when this is set or when the annex part follows the German
// annex (its first field).
extern int masonry_use_ec6_values;
// Set: the explanation text is written without the report's control sequences.
extern int masonry_plain_text;

// ---------------------------------------------------------------------------------
// Code tables

constexpr int MASONRY_STRENGTH_CLASS_COUNT = 12;  // "2" ... "60"
constexpr int MASONRY_MORTAR_GROUP_COUNT = 8;     // "I" ... "LM36"
constexpr int MASONRY_UNIT_MATERIAL_COUNT = 5;    // "Mauerziegel" ... "Porenbetonstein"
constexpr int MASONRY_UNIT_SHAPE_COUNT = 3;       // "Hohlblockstein", "Hochlochstein", "Vollstein"
constexpr int MASONRY_DENSITY_CLASS_COUNT = 14;   // "0.4" ... "2.4"

extern const char* const masonry_strength_class_texts[MASONRY_STRENGTH_CLASS_COUNT];
extern const char* const mortar_group_texts[MASONRY_MORTAR_GROUP_COUNT];
extern const char* const masonry_unit_material_texts[MASONRY_UNIT_MATERIAL_COUNT];
extern const char* const masonry_unit_shape_texts[MASONRY_UNIT_SHAPE_COUNT];
extern const char* const masonry_density_class_texts[MASONRY_DENSITY_CLASS_COUNT];

// Mortar groups by index.
enum : int {
    MORTAR_GROUP_I = 0,
    MORTAR_GROUP_II = 1,
    MORTAR_GROUP_IIA = 2,
    MORTAR_GROUP_III = 3,
    MORTAR_GROUP_IIIA = 4,
    MORTAR_GROUP_DM = 5,    // thin-bed mortar
    MORTAR_GROUP_LM21 = 6,  // lightweight mortars
    MORTAR_GROUP_LM36 = 7,
};
// Unit materials by index.
enum : int {
    MASONRY_CLAY = 0,             // Mauerziegel
    MASONRY_CALCIUM_SILICATE = 1, // Kalksandstein
    MASONRY_LIGHTWEIGHT_CONCRETE = 2,
    MASONRY_CONCRETE = 3,
    MASONRY_AERATED_CONCRETE = 4, // Porenbetonstein
};
// Unit shapes by index.
enum : int {
    MASONRY_HOLLOW_BLOCK = 0,  // Hohlblockstein
    MASONRY_PERFORATED = 1,    // Hochlochstein
    MASONRY_SOLID = 2,         // Vollstein
};

// Unit variants: a finer kind of unit within its material and shape, which the Eurocode
// strength selection tells apart. -1 (after a reset), 0 and every value not named here
// are the basic kind of the material and shape.
//   clay, perforated:        basic = perforation A or B
constexpr int MASONRY_VARIANT_CLAY_PERFORATION_C = 1;
constexpr int MASONRY_VARIANT_CLAY_PERFORATION_W = 2;   // thermal-insulation perforation
constexpr int MASONRY_VARIANT_CLAY_HORIZONTAL = 3;      // horizontally perforated
//   calcium silicate, solid: basic = solid unit (Vollstein)
constexpr int MASONRY_VARIANT_CS_BLOCK = 1;             // block units and large elements

// ---------------------------------------------------------------------------------
// The material record

constexpr int MASONRY_TEXT_SIZE = 20;

struct Masonry_Record {
    int user_defined;        // nonzero: fk, E_M and fbk are entered directly
    int unit_variant;        // finer unit kind (above); -1 after a reset
    int strength_class;      // 0..11
    int mortar_group;        // 0..7
    int unit_material;       // 0..4
    int unit_shape;          // 0..2
    int density_class;       // 0..13
    int longitudinal_joint;  // nonzero: K × 0.8 for general-purpose mortar
    double gamma_M0;
    double reduction_factor; // the factor in fd = factor · fk / γM
    double k0;
    double creep_value;      // both from the tables when creep_value is negative
    double deformation_value;
    double fk;
    double E_M;
    double fbk;
    double fbt;              // unit tensile strength
    double fvk0;
    double fxk1;             // flexural strength parallel to the bed joints
    double fxk2;             // flexural strength perpendicular to the bed joints
    char strength_class_text[MASONRY_TEXT_SIZE];  // "---" for user-defined values
    char mortar_group_text[MASONRY_TEXT_SIZE];
    char unit_material_text[MASONRY_TEXT_SIZE];
    char unit_shape_text[MASONRY_TEXT_SIZE];
    double gamma_M;          // k0 · gamma_M0
    double fd;               // reduction_factor · fk / gamma_M
};

// ---------------------------------------------------------------------------------
// Module switches

// Code 22 (EN 1996-1-1) takes the EN 1996 part of the annex set in force, any other code
// none (DIN 1053-100). Returns the part taken.
NAD_EC6_Params* Set_Masonry_Norm_Code(int code);
// Without an annex part: 1. With one: 1 when it follows the German annex, else mode.
// Returns the value set.
int Set_Masonry_Value_Mode(int mode);
void Set_Masonry_Plain_Text(int flag);

// ---------------------------------------------------------------------------------
// Records

// All numbers 0, texts empty, unit_variant -1. Nothing for a null record.
void Clear_Masonry_Record(Masonry_Record* record);
// The same; 1 for a null record, else 0.
int Reset_Masonry_Record(Masonry_Record* record);
// 1 when the record cannot be computed: a null record; a user-defined record with fk,
// E_M or fbk below 0.001; a table record with an index outside its table. Else 0.
int Check_Masonry_Record(const Masonry_Record* record);
// Fills the texts and values of the record; 1 when it cannot be computed (as the check,
// the record then stays as it was) or fk is 0, else 0.
int Calc_Masonry_Record(Masonry_Record* record);

// ---------------------------------------------------------------------------------
// Strength

// fk of masonry from the table indices. The explanation text (when text is given) is
// built anew: the formula with its values, notes on the unit strength used, or why the
// Eurocode gives no value and that DIN 1053-100 is used instead; in that last case
// *fallback (when given) is set to 1, else 0. Indices outside the tables give 0.0 and no
// text.
double Calc_Masonry_Strength(int strength_class, int mortar_group, int unit_material,
                             int unit_shape, int unit_variant, int halving, int longitudinal_joint,
                             std::string* text, int* fallback);

// ---------------------------------------------------------------------------------
// Values by index; each 0.0 for an index outside its table. Under an annex part the
// unit and mortar values are 0.0 while neither masonry_use_ec6_values nor the German
// annex is in force; the flexural strengths exist only then.

double Get_Masonry_Fbk(int strength_class);
double Get_Masonry_Fvk0(int mortar_group);
double Get_Masonry_Fxk1(int unit_material, int mortar_group);
double Get_Masonry_Fxk2(int unit_material, int mortar_group);
double Get_Masonry_Fbt(int unit_shape, double fbk, int unit_material);
double Get_Masonry_E_Modulus(double fk, int unit_material);
// Returns the creep value and writes the deformation value (when the pointer is given).
double Get_Masonry_Deformation_Values(int unit_material, int mortar_group, double* deformation_value);
// Situation 0..2: persistent / accidental / seismic; below 0: the serviceability factor
// of the annex part (1.0 without one); 3 and above: the given value.
double Get_Masonry_Gamma_M(int situation, double given);
// Situation 0..2 as above; any other situation: the given value.
double Get_Masonry_Reduction_Factor(int situation, double given);
// k0 by the wall area in m².
double Get_Masonry_K0(double wall_area);
// Unit weight by density class, 1 less for thin-bed and lightweight mortars with
// density classes below 1.6.
double Get_Masonry_Unit_Weight(int density_class, int mortar_group);
double Get_Masonry_Material_Factor(int unit_material);
// Table by code 17..25 and column 1..5; other arguments 0.0.
double Get_Masonry_Table_Value(int code, int column);
// Least vertical load on a basement wall, interpolated bilinearly in the wall thickness
// (mm, held to 240..490) and the height (m, held to 1.0..2.5).
double Get_Basement_Wall_Min_Load(double thickness, double height);
