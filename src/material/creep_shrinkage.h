#pragma once
// Time-dependent concrete properties: the strength gain of concrete with its age, the
// shrinkage strain and the creep coefficient, each in the Eurocode form (EN 1992-1-1,
// Annex B) and in the DIN 1045-1 form. One module-wide design-standard code chooses the
// form: 4 (EN 1992-1-1) and 21 (EN 1992-2) the Eurocode forms, every other code DIN 1045-1.
//
// Units: ages and times in days, the notional size h0 = 2 A / u in mm, the relative
// humidity RH in percent, fcm and fck in N/mm². A time is capped at 25550 days (70 years),
// which stands for the final state. Strains are returned in per mille, negative for
// shortening.
//
// Report lines (code page 850) go through the report text channel when a report stream is
// given; with a null stream nothing is written.
#include <cstdio>

// The design-standard code of the formulas; 1 (DIN 1045-1) until it is first set.
extern int creep_norm_code;

// Cement strength classes 0..5 ("32.5 N" ... "52.5 R") and the letters of their cement
// groups ("S", "N", "R") as the report writes them. Classes 0..5 belong to the groups
// 0, 1, 1, 2, 2, 2.
constexpr int CEMENT_CLASS_COUNT = 6;
constexpr int CEMENT_GROUP_COUNT = 3;
extern const char* const cement_class_texts[CEMENT_CLASS_COUNT];
extern const char* const cement_group_letters[CEMENT_GROUP_COUNT];

// The age that stands for the final state (70 years).
constexpr double CREEP_FINAL_AGE_DAYS = 25550.0;

// Stores the design-standard code for the formulas below.
void Set_Creep_Norm_Code(int code);

// The cement group 0..2 (S, N, R) of a cement class; a class outside 0..5 as the nearest.
int Get_Cement_Group(int cement_class);

// The exponent s of the strength gain below for a cement class.
double Get_Strength_Gain_Exponent(int cement_class);

// Strength-gain factor βcc(t) = exp(s (1 − √(28 / t))) at the age t (days); not capped.
// s is 0.2 under DIN 1045-1, else that of the cement group. An age of 0 or less gives 0.0
// (the limit of the formula), never a NaN.
double Get_Strength_Gain_Factor(int cement_class, double t);

// Shrinkage strain εcs(t) in per mille; ts is the age at the end of curing. The Eurocode
// form writes its report lines when a report stream is given; the DIN form writes none.
double Calc_Shrinkage_Strain(int cement_class, FILE* report, double RH, double h0, double ts,
                             double t, double fcm, double fck);

// 0.0 when h0 is 0.001 mm or less, else Calc_Shrinkage_Strain with the same values.
double Get_Shrinkage_Strain(double RH, int cement_class, double h0, double ts, double t,
                            double fcm, double fck, FILE* report);

// Creep coefficient φ(t, t0); t0 is the age at loading. 0.0 (and no report lines) when h0
// is 0.001 mm or less.
double Calc_Creep_Coefficient(double RH, int cement_class, double h0, double t0, double t,
                              double fcm, FILE* report);
