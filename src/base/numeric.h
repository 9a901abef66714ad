#pragma once
// Numeric tools: a one-dimensional minimiser, zero finders, the system-wide rounding
// to a number of decimals, a guarded power, guarded division, table interpolation,
// a digit count and extreme-value searches over arrays.
//
// 1e100 and -1e100 stand for an infinite result or for "no value".
#include <cstdint>

// A caller's function: takes x and the caller's context pointer (passed through
// untouched to every evaluation) and returns f(x).
using Numeric_Function = double (*)(double x, void* context);

// Exactly 1, 10, 100, ..., 1e18 (index i holds 10^i).
extern const double powers_of_ten[19];

// Results of the last extreme-value search (Get_Max_Value ... Get_Min_Index); every
// search first resets them to -1e100, 1e100, -1, -1.
extern double last_max_value;
extern double last_min_value;
extern int32_t last_max_index;
extern int32_t last_min_index;

// Minimum of f on [a, b] (either order) by golden-section and parabolic steps.
// A tolerance of 0 or below means 1e-6. Every out pointer may be null.
// status: 0 converged, 1 no function (x = midpoint, nothing evaluated),
// 2 step limit reached or max_steps < 1. Result 1 when converged, else 0.
int Find_Minimum_Brent(Numeric_Function f, void* context, double a, double b, double tolerance,
                       int max_steps, double* x_out, double* fx_out, double* width_out,
                       int* steps_out, int* status_out);

// Zero of f between a and b, given f(a) and f(b). status (must not be null):
// -3 no sign change at the ends (result 0.0), -2 pass limit reached or max_passes < 1
// (result 0.0), -1 bracket narrower than the x tolerance (result: the best point),
// 1 or more: the pass in which |f| fell to f_tolerance or below (result: the root).
// Callers must test the status: 0.0 is also a possible root.
double Find_Root_Bracketed(double a, double fa, double b, double fb, Numeric_Function f,
                           int max_passes, double x_tolerance, double f_tolerance,
                           void* context, int* status);
// As Find_Root_Bracketed, evaluating f(a) and then f(b) first.
double Find_Root(double a, double b, Numeric_Function f, int max_passes, double x_tolerance,
                 double f_tolerance, void* context, int* status);

// x rounded to n decimals (n >= 0), halves upwards: floor(x * 10^n + 0.5) / 10^n in
// extended precision for n up to 13; above 13 through a printed text of n decimals.
// Not reentrant above 13 decimals.
double Round_To_Decimals(double x, int n);

// 0.0 for x <= 0, x * x for y == 2, else x^y.
double Get_Power(double x, double y);

// a / b; when |b| rounded to n decimals is not above 0: -1e100 for a < 0, else 1e100.
double Safe_Divide_Places(double a, double b, int n);
double Safe_Divide(double a, double b);  // n = 10

// Linear interpolation in a table whose row k holds x at table[x_column + k * row_stride]
// and y at table[y_column + k * row_stride]; x ascending or descending. Without
// extrapolate an x more than 1e-5 beyond either end takes that end's y.
double Interpolate_Table_1D(const double table[], int rows, int row_stride, double x,
                            int x_column, int y_column, int extrapolate);
// Table of rows + 1 rows of columns + 1 doubles: row 0 holds the column keys in its places
// 1..columns, each further row its row key in place 0 and its values.
double Interpolate_Table_2D(const double table[], int rows, int columns, double row_key,
                            double column_key, int extrapolate);

// Number of decimal digits of n (1 for 0..9 and for negative n).
int Count_Digits(int n);

// Extreme values of values[0..n-1]; the first index wins on ties. With n < 1:
// -1e100, 1e100, -1, -1.
double Get_Max_Value(int n, const double values[]);
double Get_Min_Value(int n, const double values[]);
int Get_Max_Index(int n, const double values[]);
int Get_Min_Index(int n, const double values[]);

// Zero of g on [a, b] (a < b) by halving, at most 100 halvings; -1e100 when g(a) and
// g(b) do not differ in sign.
double Find_Root_Bisection(double (*g)(double), double a, double b, double tolerance);
