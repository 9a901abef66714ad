#pragma once
// Symmetric layer-pair design by strain states: one area A, the same in the upper and the
// lower design layer of `section_work_copy`, with which the section carries N and M with
// the required safety. Tries the six boundary strain states in the order the load suggests
// and, in each, moves one edge strain until the resultant matches the factored forces.
// Runs on the module state that `Design_Section` set up for mode 1; not re-entrant.
#include "section/section_record.h"

struct Section_Design_Result;

// One law per design layer, each a copy of `steel_law[2]` of the work copy, refilled at
// every call.
extern Steel_Law symmetric_law_table[2];

// gamma: |gamma| >= 1e-5 fixed, else by the steel strain at the tension layer.
// Status: 0 solved; 1 nothing solved or retained (result unwritten); -2 an approximate
// state retained and written; -1 answered by the mode-0 fallback (areas made equal); the
// fallback's own status when it fails; 1 or 2 of the failure-load search when the
// plain-concrete branch fails.
int Design_Symmetric_Layer_Pair(Section_Design_Result* result, double N, double M, double gamma);

// ---- The strain-state walk shared with the strain-domain design of any number of equal
// layers ("section/symmetric_domains.h").

// What a plane carries when every design layer gets the common area A that balances the
// factored normal force.
struct Equal_Area_Plane {
    double A;              // [m²] per layer, never below 0
    double r_N;            // gamma N - N_c - N_own - A sum_sigma; exactly 0 when A balances
    double M_R;            // [kNm] moment about the reference axis
    double sum_sigma;      // layer stresses at unit area
    double sum_abs_lever;  // sum |sigma| |z - z_ref|
    double N_c;            // concrete force
    double M_c;            // concrete moment about the reference axis
};

// Sizes the common area for the plane (strains at the top and the bottom edge) and the
// factored normal force gamma_N.
using Equal_Area_Sizing = void (*)(double eps_top, double eps_bottom, double gamma_N,
                                   Equal_Area_Plane* out, void* context);

// The walk over the six boundary strain states of `section_work_copy` (the tension layer
// held at `eps_u_t` of `steel_law[2]`, the compressed edge at `eps_cu`, the pivot at
// `eps_peak`) for `n_layers` equal layers sized by `sizing`. `pair_fallback` allows the
// mode-0 fallback of a stalled walk in state 1 (two design layers only). Statuses and
// result as `Design_Symmetric_Layer_Pair`, with `As_total` = n_layers A.
int Design_By_Strain_States(int n_layers, Equal_Area_Sizing sizing, void* context,
                            bool pair_fallback, Section_Design_Result* result, double N, double M,
                            double gamma);
