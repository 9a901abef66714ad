#pragma once
// The older material library: records of one concrete class or one reinforcing steel in
// kN and m units, their initialisers (DIN 1045-1 classes C12/15 to C100/115 and
// LC12/13 to LC60/66, the DIN 1045 (7.88) grades and steels, BSt 500 (A) and (B)), a few
// single-value formulas, a cache of the annex's partial factors, and the records' file
// form in the versioned data-file format.
//
// Stresses and moduli in kN/m², strains as plain numbers (not per mille, compression
// negative), densities in kg/m³. Names are ASCII.
#include <cstdio>

struct Concrete_Class_Data {
    char name[56];     // "C30/37", "LC25/28" or "B25 (nicht mehr genormt!)"
    double fck;        // characteristic strength
    double alpha;      // long-term factor: 0.85 normal weight, 0.8 lightweight
    double eps_c1;     // peak strain of the nonlinear law
    double eps_c1u;    // ultimate strain of the nonlinear law
    double eps_c2;     // peak strain of the parabola-rectangle law
    double eps_c2u;    // ultimate strain of the parabola-rectangle law
    double n;          // exponent of the parabola
    int lightweight;
    double density;    // 2200 for normal weight
    int law_flag;      // 1: the modulus follows from fck (set by the initialisers)
    double ecm;        // modulus of elasticity
};

struct Steel_Class_Data {
    char name[56];
    double fyk;
    double ftk;
    double eps_uk;     // limit strain
    double es;
};

// A DIN 1045 (7.88) concrete grade: nominal strength, design value, the five further
// stress values of the grade's table rows, modulus.
struct DIN1045_Grade_Data {
    char name[24];     // "B15" ... "B55"
    double beta_wn;
    double beta_r;
    double stress_1;   // 250 ... 550
    double stress_2;   // 350 ... 800
    double stress_3;   // 1200 ... 3000
    double stress_4;   // 1400 ... 3000
    double stress_5;   // 700 ... 1500
    double modulus;
};

// A DIN 1045 (7.88) reinforcing steel.
struct DIN1045_Steel_Data {
    char name[24];     // "BSt 220/340", "BSt 420 S", "BSt 500 S"
    double fyk;
    double strain;     // 0.005
    double factor;     // 1.01, 1.3, 1.4
    double es;
};

// Concrete class 0..14 (C12/15 ... C100/115; lightweight LC12/13 ... LC60/66 for 0..10).
// A class outside the list, a lightweight class without an LC grade, or a lightweight
// density that is not positive leaves the record as it was. Normal weight takes density
// 2200. Modulus and strains by DIN 1045-1; lightweight: modulus times (density/2200)² and
// the nonlinear strains −fcm/Ecm.
void Init_Concrete_Class_Record(Concrete_Class_Data* rec, int class_index, int lightweight,
                                double density);
// The same with the Eurocode forms of the modulus and the strains.
void Init_Concrete_Class_Record_EN(Concrete_Class_Data* rec, int class_index, int lightweight,
                                   double density);

// Grade 0..4 (B15 ... B55; others are taken as the nearest of them); returns grade + 5.
int Init_DIN1045_Grade(DIN1045_Grade_Data* grade_data, int grade);
// A concrete record "<grade> (nicht mehr genormt!)" with the grade's nominal strength as
// fck and modulus, the DIN 1045-1 parabola and the nonlinear strains interpolated from fck.
void Init_Obsolete_DIN1045_Concrete(Concrete_Class_Data* rec, int grade);
// Says on standard output that a free DIN 1045 (7.88) concrete is not possible and fills B25.
void Init_Free_DIN1045_Concrete(DIN1045_Grade_Data* grade_data);
// Steel 0..2 (an index above 2 counts as 2, a negative one as 0).
void Init_DIN1045_Steel(DIN1045_Steel_Data* steel, int index);
void Init_Obsolete_DIN1045_Steel(Steel_Class_Data* steel, int index);
// Says on standard output that a free DIN 1045 (7.88) steel is not possible and fills
// "BSt 500 S".
void Init_Free_DIN1045_Steel(DIN1045_Steel_Data* steel);
// 0 "BSt 500 (A)", otherwise "BSt 500 (B)".
void Init_BSt500_Steel_Record(Steel_Class_Data* steel, int kind);
// The same values named "B500A" and "B500B".
void Init_B500_Steel_Record(Steel_Class_Data* steel, int kind);

// Field by field; the name up to 50 characters. Null pointers: nothing.
void Copy_Concrete_Class_Data(Concrete_Class_Data* dst, const Concrete_Class_Data* src);

// Strains of the nonlinear law for fck [kN/m²], linear between the rows of the class
// table: up to 12000 the C12/15 values, above 100000 −0.003 and −0.003.
void Interpolate_Nonlinear_Strains(double* eps_c1, double* eps_c1u, double fck);

// Versioned data-file form (structure version 1.2 for concrete, 1.0 for steel; records of
// the older form without a structure version are read too). Readers change the record
// only when the whole structure was read; 0 on success, 1 when a field cannot be read or
// written or the structure is of a newer version.
int Write_Concrete_Class_Data(FILE* stream, const Concrete_Class_Data* rec);
int Read_Concrete_Class_Data(FILE* stream, Concrete_Class_Data* rec);
int Write_Steel_Class_Data(FILE* stream, const Steel_Class_Data* steel);
int Read_Steel_Class_Data(FILE* stream, Steel_Class_Data* steel);

// 0.4 + 0.6 density/2200.
double Calc_Lightweight_Factor(double density);
// Mean tensile strength and its 5 % fractile [kN/m²] for fck [kN/m²].
double Calc_Fctm_kN(double fck, double density);
double Calc_Fctk_kN(double fck, double density);
// 9.5e6 (0.001 fck + 8)^(1/3).
double Calc_Concrete_Ec0_kN(double fck);
// Calc_Concrete_Ec0_kN times αi = 0.8 + fcm/440 (1.0 from fck 80000 on).
double Calc_Concrete_Ecm_kN(double fck);
// 2.2e7 ((0.001 fck + 8)/10)^0.3.
double Calc_Concrete_Ecm_EN_kN(double fck);
// 1.3 (situation 1), 1.0 (situation 4) or 1.5, times max(1/(1.1 − 2e-6 fck), 1.0).
double Get_Concrete_Gamma_C_kN(double fck, int situation);
// 1.0 for situation 1, else 1.15.
double Get_Steel_Gamma_S(int situation);
// exp(s (1 − √(28/t))) for an age t between 0 and 28 days (s 0.38, 0.25, 0.20 for the
// cement classes 1, 2, 3, else 0.21); 1.0 at any other age.
double Calc_Strength_Development(int cement_class, double t);
// −b·a/c, 0 when c lies within ±1e-5.
double Calc_Ratio_Guarded(double a, double b, double c);

// Partial factors of the annex in force, copied on first use and kept for the run.
// Index 0..3 of the factors: the design situations of the annex; index 4: serviceability.
struct Annex_Factor_Block {
    int na_de_flag;
    double gamma_c[5];
    double gamma_s[5];
    double alpha_cc;
};
const Annex_Factor_Block* Get_Annex_Factor_Block();
int Get_Annex_Factor_Flag();
// The factor of the index; 1.0 for an index outside 0..4.
double Get_Annex_Gamma_C(int index);
double Get_Annex_Gamma_S(int index);
// value · αcc / γc of the situation (a factor not above 0.001 counts as 1.0).
double Get_Annex_Design_Strength(double value, int situation);
