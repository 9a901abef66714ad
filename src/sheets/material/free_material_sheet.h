#pragma once
// The free material dialog: the stress-strain law of a user-defined concrete or
// reinforcing steel, edited in place through pointers.
//
//   value  concrete                               steel
//   1      fck (MN/m²)                            fyk
//   2      design value alpha fck                 ftk
//   3      eps_c2 (per mille, positive)           a strain shown for information
//   4      eps_cu2 (per mille, positive)          eps_uk (per mille)
//   5      exponent n (10000: stress block)       Es
//   6      Ecm                                    -
//   7      fctm                                   -
//
// Under DIN 1045 (7.88) (norm code 0) value 2 is edited as alpha fck; under the newer
// standards it is shown as alpha = value 2 / fck, under EN 1992-1-1 and EN 1992-2 (codes 4
// and 21) as "s. NA". A concrete below 2200 kg/m³ is lightweight.
// Result: 1 after OK (values written back; a steel's eps_uk goes into values 3 and 4, its Es
// into value 5), 0 after cancel (nothing written).
int Show_Free_Material_Sheet(int norm_code, int is_concrete, double density, double* value1, double* value2,
                             double* value3, double* value4, double* value5, double* value6, double* value7);

// Keeps the largest key seen with its value. A key below 0.001 in magnitude counts as 0; a
// key of -0.001 or less sets the current key to -1.0 and takes the value; a larger key
// replaces key and value unless a negative key was seen before (current key -0.1 or lower);
// an equal key takes the value only when its magnitude is larger. Returns 0.
int Update_Governing_Pair(double key, double* current_key, double value, double* current_value);
