#pragma once
// Layer forces and layer design: the areas of a tension reinforcement group (and, where the
// tension steel alone cannot carry the moment, of a compression group) that balance a
// design normal force and moment with the concrete and steel at their strain limits.
//
// Units: depths in m downward from the top edge, areas in m², forces in kN, moments in kNm,
// stresses in kN/m². Strains are handed in and out in PER MILLE and multiplied by 0.001
// before a stress law is evaluated; the group moduli `es` are the moduli × 0.001, so that
// es · strain [per mille] is a stress in kN/m².
//
// Moments of this module are taken about the TOP EDGE (depth 0), not the reference axis.

struct Concrete_Law;
struct Steel_Law;

constexpr int kLayerGroupMax = 64;      // layers per group
constexpr int kLayerOutlineMax = 64;    // outline parts

// A group of reinforcement layers whose areas are to be found. The section design keeps
// two, one per design layer (count 1, `max_area` 7853980.0, practically unbounded).
struct Layer_Group {
    int layer_count;            // n, at most 64
    double fyd;                 // [kN/m²] tension strength, used by the couple phase
    double es;                  // modulus × 0.001 (stress per per mille), couple phase
    double k_t;                 // tension hardening ratio (carried along, not read here)
    double fy_c;                // compression strength (carried along)
    double es_c;                // compression modulus × 0.001 (carried along)
    double k_c;                 // compression hardening ratio (carried along)
    int layer_flags;            // the section design passes 1000000000 (carried along)
    double layer_value[kLayerGroupMax];  // first entry 0.1 from the section design (carried along)
    double default_depth;       // [m] lever of a remaining force when the group has no layer
    double depth[kLayerGroupMax];        // [m] depth of layer i
    double max_area[kLayerGroupMax];     // [m²] largest area layer i may receive
};

// The concrete outline as the section record holds it, with the concrete strengths and
// the reference-axis depth (the lever that turns M into a moment about the top edge).
struct Layer_Design_Outline {
    int part_count;
    double height;              // [m]
    double fcd;                 // [kN/m²] design compressive strength
    double fct;                 // [kN/m²] tensile strength
    double part_top[kLayerOutlineMax];
    double part_bottom[kLayerOutlineMax];
    double width_top[kLayerOutlineMax];
    double width_bottom[kLayerOutlineMax];
    double width_slope[kLayerOutlineMax];
    double width_at_zero[kLayerOutlineMax];
    double reference_depth;     // [m]
};

// Strain-limit record (per mille), kLayerLimitCount entries.
enum Layer_Strain_Limit_Index {
    LIMIT_CONCRETE_TENSION_1 = 0,   // concrete tension strains (passed along)
    LIMIT_CONCRETE_TENSION_2 = 1,
    LIMIT_EPS_CU = 2,               // ultimate concrete strain (negative)
    LIMIT_EPS_C2 = 3,               // peak strain of the concrete law
    LIMIT_EPS_SU = 4,               // limit strain of the tension steel
    LIMIT_EPS_SU_OTHER = 5,         // compression limit strain of the other law (passed along)
    LIMIT_EPS_YD = 6,               // design yield strain of the tension steel
    LIMIT_EXPONENT = 7,             // the concrete law's exponent, unscaled (passed along)
    kLayerLimitCount = 8
};

// Result array of the layer design (doubles).
enum Layer_Design_Result_Index {
    // The two strains of the plane found, by the sign of the M handed in (whichever side
    // the design worked on): for M > 0 the strain at the top edge and at the first group's
    // first layer, otherwise at the bottom edge and at the second group's first layer.
    LAYER_RESULT_EPS_EDGE = 0,      // [per mille] strain at that edge
    LAYER_RESULT_EPS_STEEL = 1,     // [per mille] strain at that layer
    LAYER_RESULT_LEVER = 2,         // [m] |Mc / Nc|: depth of the concrete resultant below the top edge
    LAYER_RESULT_FIRST_AREAS = 3,   // [m²] 64 areas of the first (bottom) group
    LAYER_RESULT_SECOND_AREAS = 67, // [m²] 64 areas of the second (top) group
    kLayerDesignResultSize = 131
};

// Steel forces of a strain line ε(z) = (eps_top + (eps_ref − eps_top) · z / h_ref) · 0.001
// (strains in per mille): the fixed layers (m areas and depths) with the steel law, then the
// group's layers in order, each taking at most `max_area` · σ until the required force
// R = −(F0 + F_fixed) is placed; a rest goes to the last layer's depth. The areas placed are
// ADDED to *area (the caller zeroes it). Returns the moment of all steel forces about the
// top edge.
double Integrate_Layer_Forces(const Layer_Group* group, const Concrete_Law* concrete,
                              const Steel_Law* steel, double F0, double eps_top, double eps_ref,
                              double h_ref, double* area, int m, const double* fixed_areas,
                              const double* fixed_depths);

// The same for the strain line through (z1, eps1) and (z2, eps2) (per mille).
double Integrate_Layer_Forces_Line(const Layer_Group* group, const Concrete_Law* concrete,
                                   const Steel_Law* steel, double F0, double eps1, double eps2,
                                   double z1, double z2, double* area, int m,
                                   const double* fixed_areas, const double* fixed_depths);

// Designs the areas of the two groups for N, M (about the outline's reference axis) and the
// safety factor (forces multiplied by it). `top` is the second group (tension steel for
// M < 0), `bottom` the first (tension steel for M > 0); their laws follow. strain_limits:
// kLayerLimitCount values in per mille (see the index names). below_top: 1 when the
// resultant of the forces lies below the top layer (a second pass then designs the bottom
// group again). m fixed layers (areas, depths) are included but not changed.
// result: kLayerDesignResultSize doubles (see the index names), cleared first.
// Return: 1 balanced by the tension group (or nothing to design), -1 balanced with a force
// couple (compression reinforcement), 0 no design found.
int Design_Layer_Reinforcement(const Layer_Design_Outline* outline, const Layer_Group* top,
                               const Layer_Group* bottom, const double* strain_limits,
                               const Concrete_Law* concrete, const Steel_Law* top_law,
                               const Steel_Law* bottom_law, int below_top, double N, double M,
                               double factor, int m, const double* fixed_areas,
                               const double* fixed_depths, double* result);
