#pragma once
// Properties of the uncracked (gross) concrete section for the shapes that the shear,
// torsion and fatigue checks know, the principal stresses over its depth, and the normal
// stress at one point.
//
// Lengths in cm, forces in kN, moments in kNm, stresses in N/mm² (tension positive).
// Depths are measured downwards from the top edge; all parts are centred on the vertical
// axis. The six dimensions d1..d6 mean, by shape code:
//   0 rectangle           d1 depth h, d2 width b
//   1 T-section (flange at the top)
//                         d1 h, d2 web width bw, d3 flange depth hf, d4 flange width bf
//   2 I-section           as 1, and d5 bottom flange depth hf2, d6 bottom flange width bf2
//   3 circular ring       d1 outer radius R, d3 inner radius r (0: solid circle)
//   4 no section
// A part (rectangle) whose width or depth is not positive is left out; a ring whose inner
// radius is negative or not below the outer one has no properties.

enum Gross_Section_Shape {
    GROSS_RECTANGLE = 0,
    GROSS_T_SECTION = 1,
    GROSS_I_SECTION = 2,
    GROSS_CIRCLE = 3,
    GROSS_NO_SECTION = 4,
};

// Area A [cm²], second moment I about the horizontal centroidal axis [cm⁴], depth c of the
// centroid below the top edge [cm], second moment Iz about the vertical axis [cm⁴]; the
// fifth output is always 0. Every output is set to 0 first (a null output pointer is
// skipped). Result 0 for shape 4; 1 for the shapes 0..3 and for any other code (which
// leaves the outputs 0, as does a section without a part of positive area).
int Calc_Gross_Section_Properties(int shape, double d1, double d2, double d3, double d4,
                                  double d5, double d6, double* A, double* I, double* c,
                                  double* Iz, double* zero);

// Stresses at eleven fibres from the top edge downwards in steps of d1/10 under the normal
// force N [kN], moment M [kNm] (positive: tension below the centroid) and shear force V
// [kN]: the largest major principal stress, the smallest minor principal stress, the
// largest shear stress (in magnitude) and the largest |σ1| + |σ2|, each starting at 0.
// For the circle the fibres reach its centre only. Result 0 for shape 4 (outputs 0),
// else 1; a section without properties leaves the outputs 0.
int Calc_Section_Derived_Values(int shape, double d1, double d2, double d3, double d4,
                                double d5, double d6, double N, double M, double V,
                                double* sigma1_max, double* sigma2_min, double* tau_max,
                                double* sum_abs_max);

// Normal stress at the point at depth z below the top edge and horizontal distance y from
// the vertical axis under N [kN], M [kNm] about the horizontal axis and M2 [kNm] about the
// vertical axis (positive M2: compression for positive y):
// σ = 10 N/A + 1000 (M (z − c)/I − M2 y/Iz). Result 1 for the shapes 0..3 (σ = 0 when the
// section has no properties), 0 for shape 4 and for any other code (σ = 0).
int Calc_Section_Edge_Stress(int shape, double d1, double d2, double d3, double d4, double d5,
                             double d6, double N, double M, double M2, double y, double z,
                             double* sigma);
