#pragma once
// Design shear resistance of one web without shear reinforcement, VRd,c: EN 1992-1-1
// 6.2.2(1) and 11.6.1(1) (lightweight concrete), EN 1992-2 6.2.2(101), DIN 1045-1 in its
// two editions (through the edition switch of the annex module) and ÖNORM B 4700.
//
// The coefficients come from the set's own copy of the EN 1992 annex values (CRd,c
// numerator, vmin coefficient stored times 1.5, k1 and the vmin mode, for normal-weight
// concrete, lightweight concrete and bridges); γc, the norm flags and the first concrete
// record (class index, lightweight flag, fck, η1) come from the set itself. A set without
// its annex record is computed with the Eurocode recommended values.

struct Material_Set;

// Bit stored in *flags when the minimum shear strength vmin governed.
constexpr int CRd_c_shear_flag = 0x10000;

// VRd,c [kN], never negative and never NaN.
//   with_minimum  non-zero: the shear strength is not taken below vmin (not under ÖNORM)
//   d, bw         effective depth and smallest web width [mm]; either not positive: 0.0
//   As            longitudinal tension reinforcement [mm²]; ρl = As/(bw d) in [0, 0.02]
//   sigma_cp      mean axial stress [N/mm²], tension positive
//   factor        multiplies the Eurocode and DIN 1045-1 resistance
//   flags         null, or receives 0 or CRd_c_shear_flag
// A null set, or one without a concrete record, gives 0.0.
double Calc_VRd_c(const Material_Set* set, int with_minimum, double d, double bw, double As,
                  double sigma_cp, double factor, int* flags);
