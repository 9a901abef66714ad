#pragma once
// The creep and shrinkage sheet: a small modal sheet that computes the final effective
// creep coefficient and the final shrinkage strain of a concrete from cement class,
// relative humidity, notional size and age at loading.
//
// The caller's values are changed only by OK:
//   phi_eff        effective creep coefficient
//   eps_cs         final shrinkage strain in per mille, as a positive number
//   compute_creep, compute_shrinkage   the two switches (0/1)
//   cement_class   0..5 (cement_class_texts)
//   rh             relative humidity in %, kept within 40..100
//   area, perimeter  section area A in cm² and perimeter exposed to drying u in cm
//   h0             notional size in cm; -1.0 when it is computed as 2 A / u
//   t0             age at loading in days
//   ratio          factor from the final creep coefficient to the effective one
// fcm and fck (N/mm²) are given by value. A stored A, u or h0 below -0.1 starts as 0.
//
// mode 0 offers both computations, mode 1 only the creep coefficient (the shrinkage
// switch is cleared), mode 2 only the shrinkage strain (the creep switch is cleared).
// Result: 1 after OK, 0 after cancel (nothing handed back).
int Show_Creep_Shrinkage_Sheet(int mode, double* phi_eff, double* eps_cs, int* compute_creep,
                               int* compute_shrinkage, int* cement_class, double* rh, double* area,
                               double* perimeter, double* h0, double* t0, double* ratio, double fcm,
                               double fck);
