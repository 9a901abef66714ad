#pragma once
// Rules of reinforcement detailing: least axis spacing of two bars, mandrel diameters
// of bent bars, stirrups and loops, bond strength and anchorage length; and the tables
// of standard welded meshes. Lengths in cm, stresses in N/mm2.
#include <cstdio>

struct NAD_EC2_Params;

// Least axis distance of two parallel bars of diameters d1 and d2 (cm): a clear distance
// of max(k1 * dmax, 2.0 cm) plus half of each bar. Without annex parameters k1 = 1.0.
double Calc_Min_Bar_Spacing(double d1, double d2, const NAD_EC2_Params* params);

// Kinds of bend for Calc_Mandrel_Diameter.
constexpr int MANDREL_KIND_STIRRUP = 0;  // stirrups and loops (any kind other than 1)
constexpr int MANDREL_KIND_BAR = 1;      // bent longitudinal bars

// Mandrel diameter of a bend, in the caller's unit. phi and cover are in the caller's
// unit; unit_factor converts them to mm (below 0.001: they are mm already). With a
// report stream the derivation is written as report lines.
double Calc_Mandrel_Diameter(int norm_code, int lightweight, int kind, double phi, double cover,
                             double unit_factor, FILE* report);

// Design anchorage length lbd (cm), or -1.0 on bad input. bar_position holds the depth
// of concrete below (h1) and above (h2) the bar, cm. The lowest bit of *flags is set for
// a medium bond condition. kind 0 is an anchorage, kind 1 a lap; any other
// kind gives 0. The length is scaled by As,req/As,prov taken at most 1 (the bar's stress
// never exceeds fyd). With a report stream the derivation is written.
double Calc_Anchorage_Length(int norm_code, int bar_index, double fyk, double gamma_s,
                             int class_index, double fck, double density, double fctm,
                             double gamma_c, const double bar_position[2], double phi,
                             double as_req, double as_prov, double alpha_i, double k,
                             double* lb_rqd, double* lb_min, int kind,
                             const NAD_EC2_Params* params, int* flags, FILE* report);

// ---- Welded meshes (classes 0..10: Q188 .. Q636, R188 .. R524) ----
constexpr int MESH_CLASS_COUNT = 11;

// Area of a mesh class (cm2/m); a class above 10 gives -1.0. A negative class chooses the
// first Q mesh whose area exceeds max(a1, a2) and stores it in *mesh_class.
double Get_Mesh_Area_Or_Choose(int* mesh_class, double a1, double a2);
double Get_Mesh_Length_Value(int mesh_class);
int Get_Mesh_Diameter_Index(int mesh_class);
double Get_Mesh_Bar_Spacing(int mesh_class);
double Get_Mesh_Area(int mesh_class);
int Get_Mesh_Bar_Count(int mesh_class);
double Get_Mesh_Usable_Width(int mesh_class);
double Get_Mesh_Weight(int mesh_class);
double Get_Mesh_Length();
// The class name in a shared buffer; "  ??  " outside 0..10.
const char* Get_Mesh_Name(int mesh_class);

// Area of count bars of d mm (cm2); a negative count asks for the least count that
// covers as_req and stores it. -1.0 on bad input.
double Count_Bars_For_Area(int* count, double d, double as_req);

// Area per unit of count bars of d; a negative *n asks for the unit count. -1.0 on bad
// input.
double Bar_Area_Per_Unit(double* n, double d, int count, double as_req);

// Forwards to Choose_Drawing_Scale (same arguments and result).
double Choose_Drawing_Scale_Alias(double width, double height, double room_x, double room_y,
                                  int exact);

// A cover value of an exposure class from the annex's two cover values less its
// reductions.
double Calc_Cover_Sum(int flag, int exposure_class, double v1, double v2,
                      const NAD_EC2_Params* params);
