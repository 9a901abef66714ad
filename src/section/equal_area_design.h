#pragma once
// Reinforcement design with equal layer areas: every design layer gets the same area.
// Two layers (symmetric reinforcement) or any number of layers (bars distributed over a
// ring or an outline). Both walk along the ultimate strain envelope of `section_work_copy`,
// size the common area of each plane from the normal force and look for the plane whose
// moment matches the demand.
//
// Units of the section analysis: kN, m, kN/m², m²; compression negative. Not re-entrant.

struct Section_Design_Result;

// Design with two layers of equal area at `upper_layer_depth` and `lower_layer_depth`,
// both with `steel_law[2]`. gamma: a fixed global factor (|gamma| >= 1e-5) or 0 for the
// factor by steel strain. Result 0 when a design was found, 1 when none (the result then
// holds the last plane tried).
int Design_Symmetric_Two_Layers(Section_Design_Result* result, double N, double M, double gamma);

// Design with n layers of equal area at the depths of the design's layer table
// (`layer_law_table`, filled by the section design before the call), all with
// `steel_law[2]`. Result as above.
int Design_Equal_Layers(int n, Section_Design_Result* result, double N, double M, double gamma);

// Two equal layers (at the first two depths of the layer table) designed for 0.99 and for
// 1.01 times N and M, the two designs averaged value by value (strains, depths, areas,
// factor): the answer for forces at which the design itself finds no plane although its
// neighbours do. Result 0 when both neighbours were designed (the average is written), 1
// otherwise (the result is left as it was).
int Design_Equal_Layers_Averaged(Section_Design_Result* result, double N, double M, double gamma);
