#pragma once
// Single material values of a concrete or steel class by design standard.
//
// Norm_Code: 0 DIN 1045 (1988), 1 DIN 1045-1, 3 ONORM B 4700, 4 EN 1992-1-1 (EN 1992-2 uses
// the same formulas); a negative code is taken as 4, any other code follows the DIN 1045-1
// branch unless said otherwise. Stresses and moduli in N/mm², strains in per mille with
// compression negative, densities in kg/m³. Lightweight concrete is recognised by a density
// below 2001; its factor is eta1 = 0.40 + 0.60 rho/2200.
//
// A free concrete (class index 30 or more) under codes 1 and 3 takes the table values of the
// class found by Find_Concrete_Class_Row. Class and steel indices outside the tables give
// the documented defaults (0.0 for table values).
#include "annex/nad_ec2.h"

// fck: new_standard non-zero: grades 0..4 12, 20, 28, 33, 36, classes 5..29 the table;
// new_standard 0: grades 0..4 betaWN 15 .. 55. Anything else 0.0.
double Get_Concrete_Strength(int new_standard, int class_index);
// fcm: fck below 12 as it is; code 0 fck + 5; lightweight below fck 20 under code 4 a
// rising increment from 5 to 8; otherwise fck + 8.
double Get_Concrete_Fcm(int norm_code, double fck, double density);
// Peak strain of the parabola-rectangle law; writes the ultimate strain (when not null).
double Get_Concrete_Eps_C2(int norm_code, int class_index, double fck, double density,
                           double* eps_cu2);
// Peak strain of the bilinear law; writes its ultimate strain (when not null).
double Get_Concrete_Eps_C3(int norm_code, int class_index, double fck, double density,
                           double* eps_cu3);
// Peak strain of the nonlinear law; writes its ultimate strain (when not null).
double Get_Concrete_Eps_C1(int norm_code, int class_index, double fck, double density,
                           double* eps_cu1);
// Ecm; writes the tangent modulus Ec when ec is not null.
double Get_Concrete_Ecm(int norm_code, int class_index, double fck, double density, double* ec);
// Mean tensile strength (times eta1 for lightweight concrete). given_fctm is used only for a
// class without its own value under code 0.
double Get_Concrete_Fctm(int norm_code, int class_index, double fck, double density,
                         double given_fctm);
// Exponent n of the parabola.
double Get_Concrete_Exponent_N(int norm_code, int class_index, double fck);
// 2.25 * 0.7 fctm (the lightweight factor included through fctm): the bond strength before
// the bond-condition factor and the division by gamma_c.
double Get_Bond_Strength_Basis(int norm_code, int class_index, double fck, double density,
                               double given_fctm);

// Steel index 0..2: 220, 420, 500; 3..12 the table; otherwise 0.0.
double Get_Steel_Fyk(int steel_index);
// 3..12: fyk times the product's ftk/fyk, writes the product's limit strain; 0..2: fyk,
// writes 5.0; otherwise fyk and nothing written.
double Get_Steel_Ftk(int steel_index, double fyk, double* eps_uk);
// 0..2: 210000; 3..12 the table; otherwise 0.0.
double Get_Steel_Es(int steel_index);
// 1.0 for B500B, B550B and B600B, else 0.0.
double Is_Steel_High_Ductility(int steel_index);

// Row 0..23 of the current class table that a free concrete of this fck takes: the row
// within 0.001, else the first row whose fck + 0.1 exceeds it; 24 when none fits.
int Find_Concrete_Class_Row(double fck);
// DIN 1045 (1988) grade 0..4 of a nominal strength.
int Find_DIN1045_Grade(double strength);
// alpha_i of DIN 1045-1 (code 1), 1/1.05 (code 4), else 1.0.
double Get_Modulus_Factor(int norm_code, double fcm);
// k of the nonlinear law from fcm, the modulus ec and eps_c1 (per mille), not below its floor.
double Calc_Nonlinear_Law_K(int norm_code, double fcm, double ec, double eps_c1);
// Tangent modulus of the concrete.
double Get_Concrete_Ec0(int norm_code, int class_index, double fck, double density);
// Partial factors of concrete and steel for the situation. Codes 4 and 21 (EN 1992-2) read
// the annex values when given.
void Get_Partial_Safety_Factors(int situation, double fck, int norm_code, double* gamma_c,
                                double* gamma_s, const NAD_EC2_Params* annex);
// 40000 (1 - exp(-x/2.7)).
double Calc_Modulus_Growth(double x);
// a zero: 2.6749687014126984; else 2.5 with b non-zero, 3.0 otherwise.
double Get_Factor_By_Kind(int a, int b);
// Unit weight in kN/m³: 24 (or density/100) plus 1 for reinforced concrete.
double Get_Unit_Weight(int plain, int from_density, double density);
