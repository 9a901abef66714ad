#pragma once
// Symmetric reinforcement by strain domains: one steel area, the same in every design layer,
// with which `section_work_copy` carries N and M, found by trying boundary strain states
// (strain domains) one after another. The last resort of mode 1 of the section design; works
// on the module state that `Design_Section` set up (work copy, depths of the layer table).
// Units of the section analysis; not re-entrant.

struct Section_Design_Result;

// n_layers design layers (mode 1 passes 2), all with `steel_law[2]` of the work copy.
// gamma: |gamma| >= 1e-5 fixed, else by the steel strain at the tension layer.
// Status: 0 solved; 1 nothing found (result unwritten); -2 an approximate state written;
// -1 answered by the mode-0 fallback; a positive status of that fallback when it fails.
int Design_Symmetric_Section(int n_layers, Section_Design_Result* result, double N, double M,
                             double gamma);
