#pragma once
// Bending design of a reinforced-concrete section: for a normal force N and a moment M about
// the section's reference axis, the strain plane and the areas of the two design layers with
// which the section carries N and M with the required safety, and the depth of the concrete
// compression resultant (the corbel's lever arm comes from it).
//
// Units of the section analysis: kN, m, kN/m², areas in m²; strains plain, compression
// negative; depths downward from the top edge.
//
// Module state (one instance each, overwritten by every design; nothing here is re-entrant):
// `section_work_copy` is the section every routine of the design works on, `layer_law_table`
// the design layers (laws, depths, areas) of the current mode.
#include "section/section_record.h"

struct Section_Design_Result {
    double eps_top;             // strain at the top edge (depth 0)
    double eps_bottom;          // strain at the bottom edge (depth `height`)
    double eps_top_layer;       // strain at the upper design layer
    double eps_bottom_layer;    // strain at the lower design layer
    double x_concrete;          // [m] depth of the concrete compression resultant; 0.0 without one
    double x_tension;           // [m] depth of the resultant of the tensile steel forces; -1.0 without
    double As_top;              // [m²] area of the upper design layer
    double As_bottom;           // [m²] area of the lower design layer
    double As_total;            // [m²] sum of the areas of all design layers
    double gamma_used;          // global safety factor of the design
    double ring_share;          // modes 2 and 3: share n/32 of the inner ring; else 0.0
    int layer_count;            // own layers reported below; 0 when none
    double layer_As[50];        // [m²] own layer areas as the design used them
    double layer_z[50];         // [m] own layer depths
    int flags;                  // value 2: mode 1 fell back to a mode-0 design
};

// The design layers of the current design: mode 0 two layers (`steel_law[0]` at
// `upper_layer_depth`, `steel_law[1]` at `lower_layer_depth`), mode 1 the same depths with
// `steel_law[2]`, modes 2 and 3 the bars of the ring.
constexpr int kMaxDesignLayers = 64;
struct Layer_Law_Table {
    int count;
    Steel_Law law[kMaxDesignLayers];
    double depth[kMaxDesignLayers];     // [m]
    double area[kMaxDesignLayers];      // [m²]
};

extern Section_Record section_work_copy;
extern Layer_Law_Table layer_law_table;
extern Section_Design_Result second_design_result;   // answer of mode 0's attempt without own layers

// Route of mode 1: 1 (the value it always holds) runs the two-layer and equal-layer designs
// and the strain-domain design; 0 the layer-pair design by strain states.
extern int symmetric_design_route;

// Designs `section` for N [kN] and M [kNm].
//   gamma: |gamma| >= 1e-5 a fixed global factor; below, the strain-dependent factor of
//          DIN 1045 (1988) (1.75 from a steel strain of 0.003, 2.1 below 0, linear between).
//   mode:  0 (and every value other than 1..3) two design layers with their own laws;
//          1 symmetric reinforcement with `steel_law[2]`; 2 a ring of 32 bars; 3 a ring with an
//          iterated inner ring. Modes 2 and 3 write the ring into `section`.
// Status: 0 designed; 3 designed below the required safety; -3 designed only after the
// section's own layers were dropped; -4 the minimum reinforcement could not be applied;
// -1 / -2 mode 1 answered by its mode-0 fallback / an approximate state; any other positive
// value: no design (the result then carries the failure fill: strains and gamma_used 0.0,
// depths and areas -1.0). Callers treat every status other than 0 as failure.
int Design_Section(Section_Record* section, double N, double M, double gamma, int mode,
                   Section_Design_Result* result);

// Raises `count` added layers (areas in and out [m²], depths [m]) to the minimum
// reinforcement ratio `design_param[0]` (percent of the gross concrete area) of the section,
// scaled by the safety factor required at the failure state over the load factor reached.
// The raise goes to the layers in proportion to their areas; without areas, for mode 0, all
// of it to layer `second` (M > 0) or `first` (M < 0), equal shares for M = 0 and for modes
// 1 to 3. After a raise the failure state of the new areas goes into the result (strains,
// its load factor as `gamma_used`, flags bit 1).
// Result: 0 when the minimum is met or no raise is needed; 1 when the failure state of
// the minimum could not be found; else the status of the final failure-load search.
int Apply_Minimum_Reinforcement(Section_Record* section, double* areas, const double* depths,
                                int first, int second, int count, double N, double M, int mode,
                                double gamma, Section_Design_Result* result);
