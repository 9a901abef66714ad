#pragma once
// Further resistance formulas that belong with the shear checks of a section: the minimum
// shear-reinforcement ratio, the shear resistance of an uncracked section without
// longitudinal tension reinforcement, the resistance of a given shear or interface
// reinforcement, a bar-area-per-spacing rule and a wrapper of the section stress function.
//
// They read the Material_Set of a section check, its annex record and the section's work
// record; none keeps state.

#include "section/section_checks.h"

struct Material_Set;
struct NAD_EC2_Params;

// Design yield strength fywd and characteristic strength fyk [N/mm²] of shear reinforcement
// of the steel class index: fyk / gamma_s for the classes, lattice girders (fyk 420) and
// the 1988 steels; for a free steel the set's first steel record gives fywd = fyd as it
// stands and fyk = fywd · gamma_s. False for a glass-fibre bar, an unknown index or a free
// steel without a usable first record (nothing is written then).
bool Shear_Reinforcement_Steel(const Material_Set& set, int index, double gamma_s, double& fywd,
                               double& fyk);

// ρw,min. Norm codes: 0 DIN 1045 (1988), 1 DIN 1045-1, 3 ÖNORM B 4700, 4 EN 1992-1-1,
// 21 EN 1992-2. 0 for code 0 or fyk below 0.001; ÖNORM 0.15 fctm/fyk; the Eurocodes
// c √fck/fyk, with the German annex 0.16 fctm/fyk; DIN 1045-1 c fctm/fyk; c is the annex's
// coefficient of 9.2.2(5) (0.08 when no annex record is given).
double Calc_Min_Shear_Reinf_Ratio(int norm_code, double fck, double fctm, double fyk,
                                  const NAD_EC2_Params* annex);

// VRd,c of a section without longitudinal tension reinforcement (As_long within
// −0.001 .. 0.00001) that stays uncracked under N, M and Vz. Writes VRd_c [kN], z [cm]
// and fctd [N/mm²]. Result 0, or SECTION_CHECK_REDUCED_DEPTH when the section was cut to
// the compression depth x_ratio · d; 9 with reinforcement or when the extreme tensile
// stress lies above the uncracked limit; SECTION_CHECK_UNUSABLE for a null record or
// material, or a section without area (nothing is written then).
int Calc_VRd_c_Uncracked(Calc_Work_Record* record);

// Resistance of a given reinforcement [cm²/m]: kind 0 the shear reinforcement, VRd,s [kN]
// with the record's z and theta; any other kind the interface reinforcement [kN/m] with the
// record's roughness class (DIN 1045-1, 2001 edition: with the interface strut angle
// theta_i). alpha is brought into 45..90 degrees and written back. −1.0 for a set of
// DIN 1045 (1988) or ÖNORM B 4700, an unusable steel (glass-fibre bar, unknown index) or a
// strut angle that was not given; 0.0 for an area below 0.001 in size.
double Calc_Given_Reinf_Resistance(Calc_Work_Record* record, double area, int kind);

// Bar area per length of a bar diameter ds [mm] over the lengths a and b: the bar term
// π ds²/32 (18π below ds 24; with the flag, 72π for ds above 28.001 and below 48) over the
// spacing (1.2 ds, or the first length when the smaller one exceeds it; at least 30;
// times 0.6 when the larger length reaches 100 c). Shape 3 takes b for all three lengths.
double Calc_Bar_Area_Per_Spacing(double ds, int flag, double a, double b, int shape, double c);

// The extreme stresses of a gross section under N, M and |V| (see gross_section.h:
// largest σ1, smallest σ2, largest τ, largest |σ1| + |σ2|) for the shape and its first four
// dimensions; the four unused values are not read. The outputs are zeroed first (a null
// output is skipped). 1 when the stresses were computed, 0 for shape 4 (no section).
int Get_Section_Stresses(int shape, double d1, double d2, double d3, double d4,
                         double unused_1, double unused_2, double unused_3, double unused_4,
                         double N, double M, double V, double* sigma1_max, double* sigma2_min,
                         double* tau_max, double* sum_abs_max);
