#pragma once
// Fastener group under eccentric shear: the forces on the single fasteners (bolts) of a
// group loaded in its plane by two shear forces and a torsional moment, by the elastic
// method about the group's centroid, with optional report lines; the geometric
// properties of a group of points; and the steel factor epsilon with its report
// expression. A facility of the library: the corbel program itself does not call it.
//
// Coordinates y, z in mm, forces in N, moments in Nmm. Weights w (per fastener, the
// report's f vt,i) are optional: without them every fastener counts 1.
#include <cstdio>

// The last group's properties, overwritten by every run of Design_Fastener_Group that
// gets as far as computing them: centroid, weight sum, second moments about the
// centroid (Szz = sum w (z - zs)^2, Syy = sum w (y - ys)^2) and the polar moment used.
struct Fastener_Group_Statics {
    double ys;
    double zs;
    double area;
    double szz;
    double syy;
    double ip;
};
extern Fastener_Group_Statics fastener_group_statics;

// Properties of the group about a reference point: mode 0 the centroid, 1 the origin,
// any other mode (y0, z0). A = sum of weights (n without); the centroid is divided by A
// only when A > 0.001. Ip = Syy + Szz. Every output may be null; n < 1 (or a missing
// coordinate array) gives 0 in all six.
void Get_Fastener_Group_Properties(int n, const double* y, const double* z, const double* w,
                                   double* ys, double* zs, double* area, double* szz,
                                   double* syy, double* ip, int mode, double y0, double z0);

// Forces of the fasteners under Vy, Vz acting at (yF, zF) and Mx. The polar moment is
// Syy for mode 1 (a row along y), Szz for mode 2 (a row along z), Syy + Szz otherwise.
// index -1 asks for the largest fastener force (the first of equal maxima); index 0 ..
// n - 1 for that fastener, whose components go to Ty and Tz (both cleared first when
// given; an index out of range, or a null Ty or Tz, counts as -1). Mrest receives the moment the group cannot take: the
// moment about the centroid M' = Mx + Vy (zs - zF) + Vz (yF - ys) when the group has no
// polar moment, else 0. With a report stream the result lines are written (with detail
// > 0 and mode <= 0 the group's properties and formulas first); a largest force of 0.001
// or less is reported as not determinable and marks the report failed. Result: the
// force of the chosen or of the most stressed fastener in N; 0 when no load acts or the
// group is empty (nothing written then).
double Design_Fastener_Group(int n, const double* y, const double* z, const double* w,
                             double vy, double vz, double mx, double yf, double zf, int index,
                             int mode, double* ty, double* tz, double* mrest, FILE* report,
                             int detail);

// epsilon = sqrt(235 / fy * E / 210000) (E below 0.001 counts as 210000); 0 for fy below
// 0.001. With a report stream the expression is written, e.g. " = (235/355)^0.5 = 0.814"
// behind the epsilon sign.
double Get_Steel_Epsilon(double fy, double e, FILE* report);
