#include "material/material_props.h"

#include "material/material_set.h"

#include <cmath>

namespace {

constexpr int kLookupRows = 24;   // the last ONORM row is not searched by the free lookup

// A negative code is EN 1992-1-1.
int Effective_Code(int code) { return code < 0 ? 4 : code; }

bool Is_Lightweight(double density) { return density < 2001.0; }

// Lightweight factor of the concrete strengths (not the bond-condition factor).
double Lightweight_Factor(double density) { return density * (0.6 / 2200.0) + 0.4; }

// x^e for a positive base, 0 otherwise (no NaN from a negative strength).
double Pow_Positive(double x, double e) { return x > 0.0 ? std::pow(x, e) : 0.0; }

// fcm of the modulus and strain formulas: fck + 8 from fck 12 on.
double Plain_Fcm(double fck) { return fck < 12.0 ? fck : fck + 8.0; }

double Density_Factor(double density)
{
    const double r = density / 2200.0;
    return r * r;
}

bool Is_Grade(int idx) { return idx >= 0 && idx < CONCRETE_FIRST_CLASS; }
bool Is_Table_Class(int idx) { return idx >= CONCRETE_FIRST_CLASS && idx < CONCRETE_FREE; }

// Row of the class table that supplies the values of codes 1 and 3: the class's own row,
// the row found for a free concrete, or null (grades, no row found).
const Concrete_Class_Row* Table_Row(int idx, double fck)
{
    if (Is_Table_Class(idx)) return &concrete_class_table[idx - CONCRETE_FIRST_CLASS];
    if (idx >= CONCRETE_FREE) {
        const int row = Find_Concrete_Class_Row(fck);
        if (row < kLookupRows) return &concrete_class_table[row];
    }
    return nullptr;
}

bool Is_Current_Steel(int idx) { return idx >= STEEL_FIRST_CLASS && idx < STEEL_FREE; }

}  // namespace

double Get_Concrete_Strength(int new_standard, int class_index)
{
    if (Is_Grade(class_index))
        return new_standard ? old_grade_new_fck[class_index] : old_grade_strengths[class_index];
    if (new_standard && Is_Table_Class(class_index))
        return concrete_class_table[class_index - CONCRETE_FIRST_CLASS].fck;
    return 0.0;
}

double Get_Concrete_Fcm(int norm_code, double fck, double density)
{
    if (fck < 12.0) return fck;
    const int code = Effective_Code(norm_code);
    if (code == 0) return fck + 5.0;
    // Lightweight concrete below LC20: the increment rises from 5 at fck 12 to 8 at fck 20.
    if (code == 4 && Is_Lightweight(density) && fck < 20.0) {
        const double d = fck - 12.0;
        return fck + 5.0 + d * (0.125 + 0.03125 * d);
    }
    return fck + 8.0;
}

double Get_Concrete_Eps_C2(int norm_code, int class_index, double fck, double density,
                           double* eps_cu2)
{
    const int code = Effective_Code(norm_code);
    double ec2;
    double ecu2;
    if (code == 0) {
        ec2 = -2.0;
        ecu2 = -3.5;
    } else if (code == 4) {
        double e2 = 2.0;
        double eu = 3.5;
        if (fck > 50.0) {
            const double p = std::pow(fck - 50.0, 0.53);
            e2 = p > 0.6 / 0.085 ? 2.6 : 2.0 + 0.085 * p;
            eu = 2.6 + 35.0 * std::pow((90.0 - fck) / 100.0, 4);
        }
        if (Is_Lightweight(density)) eu *= Lightweight_Factor(density);
        if (eu < e2) eu = e2;
        ec2 = -e2;
        ecu2 = -eu;
    } else {
        ec2 = -2.0;
        ecu2 = -3.5;
        if (const Concrete_Class_Row* row = Table_Row(class_index, fck)) {
            ec2 = row->eps_c2;
            ecu2 = row->eps_cu2;
        }
        if (Is_Lightweight(density)) {
            const double limit = -3.5 * Lightweight_Factor(density);
            if (limit > ecu2) ecu2 = limit;
        }
    }
    if (eps_cu2) *eps_cu2 = ecu2;
    return ec2;
}

double Get_Concrete_Eps_C3(int norm_code, int class_index, double fck, double density,
                           double* eps_cu3)
{
    const int code = Effective_Code(norm_code);
    double ec3;
    double ecu3;
    if (code == 0) {
        ec3 = -1.35;
        ecu3 = -3.5;
    } else if (code == 4) {
        double e3 = 1.75;
        double eu = 3.5;
        if (fck > 50.0 + 0.65 / 0.01375) {
            e3 = 2.4;
            eu = 2.6;
        } else if (fck > 50.0) {
            e3 = 1.75 + 0.01375 * (fck - 50.0);
            eu = 2.6;
        }
        if (Is_Lightweight(density)) eu *= Lightweight_Factor(density);
        if (eu < e3) eu = e3;
        ec3 = -e3;
        ecu3 = -eu;
    } else {
        if (class_index >= CONCRETE_FREE) {
            ec3 = -2.0;
            ecu3 = -3.5;
        } else {
            ec3 = -1.35;
            ecu3 = -3.5;
        }
        if (const Concrete_Class_Row* row = Table_Row(class_index, fck)) {
            ec3 = row->eps_c3;
            ecu3 = row->eps_cu2;
        }
        if (Is_Lightweight(density)) {
            const double limit = -3.5 * Lightweight_Factor(density);
            if (limit > ecu3) ecu3 = limit;
        }
    }
    if (eps_cu3) *eps_cu3 = ecu3;
    return ec3;
}

double Get_Concrete_Eps_C1(int norm_code, int class_index, double fck, double density,
                           double* eps_cu1)
{
    const int code = Effective_Code(norm_code);
    double ec1 = -2.0;
    double ecu1 = -3.5;
    bool done = code == 0;
    if (!done && Is_Lightweight(density)) {
        // Lightweight: the peak strain follows from strength and modulus.
        const double fcm = Get_Concrete_Fcm(code, fck, density);
        const double ecm = Get_Concrete_Ecm(code, class_index, fck, density, nullptr);
        if (ecm > 0.0) {
            ec1 = -fcm / ecm * 1000.0;
            ecu1 = ec1;
            done = true;
        }
    }
    if (!done && code == 4) {
        const double fcm = Plain_Fcm(fck);
        const double p = Pow_Positive(fcm, 0.31);
        ec1 = p > 4.0 ? -2.8 : -0.7 * p;
        ecu1 = fck <= 50.0 ? -3.5 : -(2.8 + 27.0 * std::pow((98.0 - fcm) / 100.0, 4));
    } else if (!done) {
        if (const Concrete_Class_Row* row = Table_Row(class_index, fck)) {
            ec1 = row->eps_c1;
            ecu1 = row->eps_c1u;
        }
    }
    if (eps_cu1) *eps_cu1 = ecu1;
    return ec1;
}

double Get_Concrete_Ecm(int norm_code, int class_index, double fck, double density, double* ec)
{
    const int code = Effective_Code(norm_code);
    const double fcm = Plain_Fcm(fck);
    const double d = Density_Factor(density);
    double ecm = 0.0;
    double ec0 = 0.0;
    if (code == 0) {
        if (Is_Grade(class_index)) ecm = ec0 = old_grade_moduli[class_index];
    } else if (code == 3) {
        if (Is_Grade(class_index))
            ecm = ec0 = old_grade_moduli[class_index];
        else if (Is_Table_Class(class_index))
            ecm = ec0 = concrete_class_table[class_index - CONCRETE_FIRST_CLASS].ecm;
        else if (class_index >= CONCRETE_FREE)
            ecm = ec0 = 22000.0 * Pow_Positive(fcm / 10.0, 0.3);
    } else if (code == 4) {
        ecm = 22000.0 * Pow_Positive(fcm / 10.0, 0.3) * d;
        ec0 = 1.05 * ecm;
    } else if (code == 1) {
        ec0 = 9500.0 * d * std::cbrt(fcm);
        double alpha_i = 1.0;
        if (fcm <= 88.0) alpha_i = std::fmin(0.8 + fcm / 440.0, 1.0);
        ecm = alpha_i * ec0;
    } else {
        ecm = ec0 = 9500.0 * d * std::cbrt(fcm);
    }
    if (ec) *ec = ec0;
    return ecm;
}

double Get_Concrete_Fctm(int norm_code, int class_index, double fck, double density,
                         double given_fctm)
{
    const int code = Effective_Code(norm_code);
    double value;
    if ((code == 0 || code == 3) && Is_Grade(class_index)) {
        value = 0.25 * std::pow(old_grade_strengths[class_index], 2.0 / 3.0);
    } else if (code == 0) {
        value = given_fctm;
    } else if (code == 3 && Is_Table_Class(class_index)) {
        value = concrete_class_table[class_index - CONCRETE_FIRST_CLASS].fctm;
    } else if (fck < 54.9) {
        value = 0.30 * Pow_Positive(fck, 2.0 / 3.0);
    } else {
        value = 2.12 * std::log(1.0 + (fck + 8.0) / 10.0);
    }
    if (Is_Lightweight(density)) value *= Lightweight_Factor(density);
    return value;
}

double Get_Concrete_Exponent_N(int norm_code, int class_index, double fck)
{
    const int code = Effective_Code(norm_code);
    if (code == 0) return 2.0;
    if (code == 4) return fck <= 50.0 ? 2.0 : 1.4 + 23.4 * std::pow((90.0 - fck) / 100.0, 4);
    if (const Concrete_Class_Row* row = Table_Row(class_index, fck)) return row->n;
    return 2.0;
}

double Get_Bond_Strength_Basis(int norm_code, int class_index, double fck, double density,
                               double given_fctm)
{
    // 2.25 * fctk;0.05 with fctk;0.05 = 0.7 fctm; the lightweight factor comes with fctm.
    return 1.575 * Get_Concrete_Fctm(norm_code, class_index, fck, density, given_fctm);
}

double Get_Steel_Fyk(int steel_index)
{
    if (steel_index >= 0 && steel_index < STEEL_FIRST_CLASS) return din1045_steel_fyk[steel_index];
    if (Is_Current_Steel(steel_index)) return steel_class_table[steel_index - STEEL_FIRST_CLASS].fyk;
    return 0.0;
}

double Get_Steel_Ftk(int steel_index, double fyk, double* eps_uk)
{
    if (Is_Current_Steel(steel_index)) {
        const Steel_Class_Row& row = steel_class_table[steel_index - STEEL_FIRST_CLASS];
        if (eps_uk) *eps_uk = row.eps_uk;
        return fyk * row.ftk_ratio;
    }
    if (steel_index >= 0 && steel_index < STEEL_FIRST_CLASS && eps_uk) *eps_uk = 5.0;
    return fyk;
}

double Get_Steel_Es(int steel_index)
{
    if (steel_index >= 0 && steel_index < STEEL_FIRST_CLASS) return 210000.0;
    if (Is_Current_Steel(steel_index)) return steel_class_table[steel_index - STEEL_FIRST_CLASS].es;
    return 0.0;
}

double Is_Steel_High_Ductility(int steel_index)
{
    if (Is_Current_Steel(steel_index) && steel_class_table[steel_index - STEEL_FIRST_CLASS].ductility_b)
        return 1.0;
    return 0.0;
}

int Find_Concrete_Class_Row(double fck)
{
    for (int i = 0; i < kLookupRows; ++i)
        if (std::fabs(concrete_class_table[i].fck - fck) < 0.001) return i;
    for (int i = 0; i < kLookupRows; ++i)
        if (concrete_class_table[i].fck + 0.1 > fck) return i;
    return kLookupRows;
}

int Find_DIN1045_Grade(double strength)
{
    for (int i = 0; i < 4; ++i)
        if (std::fabs(old_grade_strengths[i] - strength) < 0.001) return i;
    for (int i = 0; i < 4; ++i)
        if (old_grade_strengths[i] + 0.1 > strength) return i;
    return 4;
}

double Get_Modulus_Factor(int norm_code, double fcm)
{
    const int code = Effective_Code(norm_code);
    if (code == 1) {
        if (fcm > 88.0) return 1.0;
        if (fcm < 0.0) return 0.8;
        return 0.8 + fcm / 440.0;
    }
    if (code == 4) return 1.0 / 1.05;
    return 1.0;
}

double Calc_Nonlinear_Law_K(int norm_code, double fcm, double ec, double eps_c1)
{
    const int code = Effective_Code(norm_code);
    double modulus = ec;
    double floor = 1.0;
    if (code == 1) {
        if (fcm > 88.0) {
            modulus = ec;
            floor = 1.0;
        } else if (fcm < 0.0) {
            modulus = 1.25 * ec;
            floor = 1.25;
        } else {
            const double alpha_i = 0.8 + fcm / 440.0;
            modulus = ec / alpha_i;
            floor = 1.0 / alpha_i;
        }
    } else if (code == 4) {
        modulus = 1.05 * ec;
        floor = 1.05;
    }
    if (fcm == 0.0) return floor;
    const double k = -modulus * eps_c1 / fcm * 0.001;
    return k >= floor ? k : floor;
}

double Get_Concrete_Ec0(int norm_code, int class_index, double fck, double density)
{
    const int code = Effective_Code(norm_code);
    const double fcm = Plain_Fcm(fck);
    if (code == 0) return Is_Grade(class_index) ? old_grade_moduli[class_index] : 0.0;
    if (code == 3) {
        if (Is_Grade(class_index)) return old_grade_moduli[class_index];
        if (Is_Table_Class(class_index))
            return concrete_class_table[class_index - CONCRETE_FIRST_CLASS].ecm;
        if (class_index >= CONCRETE_FREE) return 22000.0 * Pow_Positive(fcm / 10.0, 0.3);
        return 0.0;
    }
    if (code == 4) return 23100.0 * Density_Factor(density) * Pow_Positive(fcm / 10.0, 0.3);
    return 9500.0 * Density_Factor(density) * std::cbrt(fcm);
}

void Get_Partial_Safety_Factors(int situation, double fck, int norm_code, double* gamma_c,
                                double* gamma_s, const NAD_EC2_Params* annex)
{
    double gc = gamma_c ? *gamma_c : 1.0;
    double gs = gamma_s ? *gamma_s : 1.0;
    const int code = Effective_Code(norm_code);
    if (code == 4 || code == 21) {
        switch (situation) {
        case 0:
            gc = annex ? annex->gamma_c[0] : 1.5;
            gs = annex ? annex->gamma_s[0] : 1.15;
            break;
        case 1:   // accidental: the annex's last situation
            gc = annex ? annex->gamma_c[3] : 1.2;
            gs = annex ? annex->gamma_s[3] : 1.0;
            break;
        case 2:
            break;
        default:
            gc = annex ? annex->gamma_c_sls : 1.0;
            gs = annex ? annex->gamma_s_sls : 1.0;
            break;
        }
    } else if (code == 0 || fck > 549.5) {
        gc = 1.0;
        gs = 1.0;
    } else {
        const double kappa = fck < 50.0 ? 1.0 : 1.1 - 0.002 * fck;
        switch (situation) {
        case 0:
            gc = 1.5 / kappa;
            gs = 1.15;
            break;
        case 1:
            gc = 1.3 / kappa;
            gs = 1.0;
            break;
        case 2:
            gc /= kappa;
            break;
        default:
            gc = 1.0;
            gs = 1.0;
            break;
        }
    }
    if (gamma_c) *gamma_c = gc;
    if (gamma_s) *gamma_s = gs;
}

double Calc_Modulus_Growth(double x) { return 40000.0 * (1.0 - std::exp(-x / 2.7)); }

double Get_Factor_By_Kind(int a, int b)
{
    if (a == 0) return 2.6749687014126984;
    return b ? 2.5 : 3.0;
}

double Get_Unit_Weight(int plain, int from_density, double density)
{
    return (from_density ? 0.01 * density : 24.0) + (plain ? 0.0 : 1.0);
}
