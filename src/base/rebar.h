#pragma once
// Reinforcing-bar tables and bar arithmetic.
//
// A chosen bar diameter is stored as an index: 0..11 name the standard diameters
// 6, 7, 8, 9, 10, 12, 14, 16, 20, 25, 28, 32 mm; REBAR_FREE_INDEX names a free diameter
// whose value in millimetres is kept beside the index; any other index names no bar.
//
// The rounding rules of bar values add 5/9 before truncating the magnitude, so a
// fraction of 0.444... or more of the last unit rounds up.

constexpr int REBAR_STANDARD_COUNT = 12;
constexpr int REBAR_FREE_INDEX = 12;

extern const int rebar_diameters_mm[REBAR_STANDARD_COUNT];
extern const double rebar_diameters_cm[REBAR_STANDARD_COUNT];

int Get_Rebar_Diameter_Mm(int index, double free_diameter_mm);
double Get_Rebar_Diameter_Cm(int index, double free_diameter_mm);
// The millimetre diameter as text; one static buffer, overwritten by the next call.
const char* Get_Rebar_Diameter_Text(int index, double free_diameter_mm);
// Area of a circle of diameter d (cm gives cm²).
double Get_Circle_Area(double d);

double Round_To_Tenth(double x);
double Round_To_Integer(double x);
double Round_To_Half(double x);

// --- Bar arithmetic in metres (areas in m² or m²/m) --------------------------------
// Listed diameters 0.006, 0.008, 0.01, 0.012, 0.014, 0.016, 0.02, 0.025, 0.028, 0.032.
constexpr int METRE_BAR_COUNT = 10;
extern const double metre_bar_diameters[METRE_BAR_COUNT];

// Largest listed diameter strictly below d; -1.0 when d is 0.006 or less.
double Get_Lower_Bar_Diameter(double d);
double Get_Bar_Axis_Offset(double a, double b, int n, double d);
int Get_Bar_Count_For_Area(double area, double d);
int Get_Bar_Count_Per_Group(double area, double d, int n, double area0);
double Get_Bar_Spacing_For_Area(double area_per_length, double d);
// First listed diameter index whose n bars, times m, reach the area; -1 when none.
int Find_Bar_Diameter_Index(double area, int n, double m);
// First (count, index) from first_count upwards and first_index..last_index within each
// count whose bars, times m, reach the area; returns the count, or 0 (count 0, index -1)
// when no pair within a sane number of bars can reach it.
int Find_Bar_Count_And_Diameter(double area, int first_count, int first_index, int last_index,
                                double m, int* count, int* index);
double Get_Bars_Area(int n, double d);
double Get_Bundles_Area(int n, int m, double d);
double Get_Area_For_Spacing(double s, double d);
int Get_Bar_Count_For_Length(double l, double s);
int Get_Gap_Count(double l, double c, double a, double d);
double Get_Spacing_On_Circle(int n, double r);
double Get_Spacing_For_Count(int n, double l);
int Get_Bar_Count_On_Circle(double s, double r);
