#pragma once
// Where the layers of a single corbel's main tie lie, shared by the sketch on screen and
// the longitudinal-section graphic so that both place them alike.
struct Corbel_Rebar_Choice;
struct NAD_EC2_Params;

// Offset (cm) of layer k's axis from the axis of layer 0: 0 for layer 0 (and below), else
// the sum of the pitches of the neighbouring pairs (j - 1, j), j = 1 .. k, each from
// Get_Bar_Axis_Spacing (the chosen layer spacing, or the least spacing of the pair's two
// diameters), so that layers of different diameters keep different gaps.
double Main_Tie_Layer_Offset(const Corbel_Rebar_Choice* rebar, int layer,
                             const NAD_EC2_Params* params);
