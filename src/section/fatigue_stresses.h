#pragma once
// Stresses of the cracked reinforced-concrete section under a list of load cases, and the
// stress ranges that the fatigue checks of EN 1992-1-1 6.8 need: the extreme steel
// stresses of the two reinforcement layers, the concrete check in compression (6.8.7) and,
// when asked, the shear links and struts. In its design mode the computation raises the
// two layer areas step by step until each layer's steel stress range is within the
// permissible range and no extreme stress reaches the design yield strength (a range cut
// at the yield strength is no stress range of the bars).
//
// Units at this border: lengths in cm, areas in cm², forces in kN, moments in kNm,
// stresses in N/mm². The section analysis underneath works in m, m², kN and kN/m².
//
// Not re-entrant: the work arrays and the area step are file-level statics.

struct Material_Set;

// Section shapes of the fatigue input. 5..7 are rectangles whose top layer takes the design
// yield strength of the second steel; 6 also skips the shear part.
enum Fatigue_Section_Shape {
    FATIGUE_RECTANGLE = 0,
    FATIGUE_T_SECTION = 1,       // flange at the top
    FATIGUE_I_SECTION = 2,       // flanges at top and bottom
    FATIGUE_CIRCLE = 3,          // ring or solid circle
    FATIGUE_NO_SECTION = 4,
    FATIGUE_RECTANGLE_5 = 5,
    FATIGUE_RECTANGLE_NO_SHEAR = 6,
    FATIGUE_RECTANGLE_7 = 7,
};

// Input and results of one computation. The caller owns it (usually a local) and clears it
// with Clear_Fatigue_Work_Record before filling it. Each array holds case_count values.
struct Fatigue_Stress_Input {
    int case_count;
    double* normal_force;        // N [kN], tension positive
    // M [kNm], positive stretches the bottom edge. The shear part sets a case's M to 0 in
    // place when it is below 0.001 in magnitude while N is above 0.001.
    double* moment;
    double* shear_force;         // V [kN]; may be null; read only with use_shear
    int shape;                   // Fatigue_Section_Shape
    int equal_layers;            // both layers get the larger area after each raise (not 3)
    double width;                // web width b
    double height;               // overall depth h; shape 3: outer radius R
    double top_flange_width;
    double top_flange_depth;     // shape 3: inner radius (0 for a solid circle)
    double bottom_flange_width;
    double bottom_flange_depth;
    double top_cover;            // axis of the top layer from the top edge (3: inner ring from the inner face)
    double bottom_cover;         // axis of the bottom layer from the bottom edge (3: outer ring from the outer face)
    // Concrete record 0, steel record 0 (bottom layer) and steel record 1 (top layer).
    Material_Set* material_set;
    double perm_steel_range;     // permissible stress range of the longitudinal steel
    double fcd_fat;              // design fatigue strength of the concrete
    double perm_link_range;      // permissible stress range of the links
    double link_angle;           // angle α of the links [degrees]
    double cover_long;           // cover of the longitudinal bars, for the shear checks
    // Non-zero: steel stresses unfactored and the concrete checked by the simplified rule
    // (EN 1992-1-1 6.77); 0: steel stresses times the annex's fatigue factor and the
    // damage-equivalent rule (6.72).
    int simplified_method;
    int design_steel;            // compute (and by design_mode design) the steel stresses
    int check_concrete;          // run the concrete checks
    int design_mode;             // 0 stresses only; 1 raise until the ranges fit; 2 one raise
    int use_shear;               // take V into account
    int member_kind;             // for the shear checks (2 for shapes 5 and 7)
    int link_steel_index;        // class index of the link steel
    int strut_angle;             // given strut angle θ in whole degrees, 0 free
    int theta_fixed;
    // Layer areas [cm²], in and out (shape 3: outer and inner ring); -1.0 after a failed
    // design.
    double area_bottom;
    double area_top;
    double link_area;            // [cm²], raised by the shear design; -1.0 after its failure
    // ---- results ----
    double steel_max_bottom;     // extreme steel stresses over all cases at the final areas
    double steel_max_top;
    double steel_min_bottom;
    double steel_min_top;
    double initial_max_bottom;   // the same at the areas given on entry
    double initial_max_top;
    double initial_min_bottom;
    double initial_min_top;
    double concrete_lower;       // compression magnitudes at the governing concrete point
    double concrete_upper;
    double compression_lower_max;  // at the areas given on entry: largest lower-level compression
    double compression_upper_max;  // and largest compression of any point
    double concrete_utilisation; // -1.0 when the limit rule fails
    double concrete_ratio;       // σc,max/fcd,fat (simplified) or the damage value
    double concrete_limit;       // 0.5 + 0.45 σc,min/fcd,fat (simplified) or 1.0
    double link_stress_max;
    double link_stress_min;
    double strut_lower;          // strut (or shear) values at the two levels of the
    double strut_upper;          //   governing check
    double strut_capacity_lower; // their resistances (members without links)
    double strut_capacity_upper;
    double strut_utilisation;    // -1.0 marks a failed check
    double strut_ratio;
    double strut_limit;
    int no_equilibrium;          // out: 1 when a case has no equilibrium that added area
                                 //   could reach (the design then failed at once)
    // in: the bottom layer is no layer to design (the member has no bars there beyond the
    // given area): it is never raised, and without area it has no stress of its own.
    int fixed_bottom;
    // out: 1 when an extreme stress of a layer reaches its design yield strength at the final
    // areas. A layer at yield has no elastic stress range: the design raises it as if its
    // range were exceeded, so this stays 0 after a completed design and marks a failed check.
    int steel_yields;
};

// Every field 0 or null, except design_mode 1 and link_angle 90.0. Null: nothing.
void Clear_Fatigue_Work_Record(Fatigue_Stress_Input* input);

// full 0: the steel part only; non-zero: also the concrete check and the shear part.
// Returns 1 when the design failed (both areas then -1.0 and the final steel stresses 0:
// unreadable input, fewer than two cases, glass-fibre bars, a refused section, the total
// area reaching the gross area, a case without equilibrium that added area cannot cure,
// 1000 passes) or the shear part failed (link_area -1.0); otherwise 0.
int Calc_Fatigue_Stresses(int full, Fatigue_Stress_Input* input);
