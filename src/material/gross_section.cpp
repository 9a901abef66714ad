#include "material/gross_section.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kOneTwelfth = 0.08333333333333333;
constexpr double kPi = 3.141592653589793;
constexpr double kPiQuarter = 0.7853981633974483;

// One rectangle of a shape: width, top and bottom depth below the top edge.
struct Part {
    double width;
    double top;
    double bottom;
};

struct Parts {
    Part part[3];
    int count = 0;
    void add(double width, double top, double depth)
    {
        // A part with a non-positive width or depth is no part: it would take area away
        // (or, with both negative, add a phantom one).
        if (width > 0.0 && depth > 0.0) part[count++] = {width, top, top + depth};
    }
};

// The rectangles of shapes 0..2; false for any other code.
bool Collect_Parts(int shape, double d1, double d2, double d3, double d4, double d5, double d6,
                   Parts& parts)
{
    switch (shape) {
    case GROSS_RECTANGLE:
        parts.add(d2, 0.0, d1);
        return true;
    case GROSS_T_SECTION:
        parts.add(d4, 0.0, d3);
        parts.add(d2, d3, d1 - d3);
        return true;
    case GROSS_I_SECTION:
        parts.add(d4, 0.0, d3);
        parts.add(d2, d3, d1 - d3 - d5);
        parts.add(d6, d1 - d5, d5);
        return true;
    default:
        return false;
    }
}

struct Properties {
    double A = 0.0;
    double I = 0.0;
    double c = 0.0;
    double Iz = 0.0;
};

bool Is_Ring_Usable(double R, double r) { return R > 0.0 && r >= 0.0 && r < R; }

// Properties of shapes 0..3; false for shape 4 and unknown codes (properties 0).
// A shape without usable parts keeps zero properties but counts as known.
bool Compute_Properties(int shape, double d1, double d2, double d3, double d4, double d5,
                        double d6, Properties& p)
{
    if (shape == GROSS_CIRCLE) {
        if (Is_Ring_Usable(d1, d3)) {
            p.A = kPi * (d1 * d1 - d3 * d3);
            p.I = kPiQuarter * (d1 * d1 * d1 * d1 - d3 * d3 * d3 * d3);
            p.Iz = p.I;
            p.c = d1;
        }
        return true;
    }
    Parts parts;
    if (!Collect_Parts(shape, d1, d2, d3, d4, d5, d6, parts)) return false;
    if (parts.count == 0) return true;

    double area = 0.0, moment = 0.0;
    for (int k = 0; k < parts.count; ++k) {
        const Part& q = parts.part[k];
        const double t = q.bottom - q.top;
        const double a = q.width * t;
        area += a;
        moment += a * (q.top + t / 2.0);
    }
    p.A = area;
    p.c = moment / area;
    for (int k = 0; k < parts.count; ++k) {
        const Part& q = parts.part[k];
        const double w = q.width;
        const double t = q.bottom - q.top;
        const double a = w * t;
        const double e = q.top + t / 2.0;
        p.I += w * t * t * t * kOneTwelfth + a * (p.c - e) * (p.c - e);
        p.Iz += t * w * w * w * kOneTwelfth;
    }
    return true;
}

void Set_If(double* out, double value)
{
    if (out) *out = value;
}

// First moment, about the centroid at depth c, of the parts above the depth y.
double First_Moment_Above(const Parts& parts, double c, double y)
{
    double S = 0.0;
    for (int k = 0; k < parts.count; ++k) {
        const Part& q = parts.part[k];
        if (y <= q.top) continue;
        const double lower = std::min(y, q.bottom);
        S += q.width * (lower - q.top) * (c - (q.top + lower) / 2.0);
    }
    return S;
}

// Shear stress [N/mm²] at the depth y (z = y − c) from V [kN].
double Shear_Stress_At(int shape, double d1, double d2, double d3, double d4, double d5,
                       double d6, const Properties& p, double V, double y, double z)
{
    switch (shape) {
    case GROSS_RECTANGLE:
        return 10.0 * V * y * (p.c - y / 2.0) / p.I;
    case GROSS_T_SECTION:
    case GROSS_I_SECTION: {
        Parts parts;
        Collect_Parts(shape, d1, d2, d3, d4, d5, d6, parts);
        double width = d2;
        if (y <= d3 + 0.0001)
            width = d4;
        else if (shape == GROSS_I_SECTION && y > d1 - d5 + 0.0001)
            width = d6;
        if (!(width > 0.0)) return 0.0;
        return 10.0 * V * First_Moment_Above(parts, p.c, y) / (p.I * width);
    }
    case GROSS_CIRCLE: {
        // Parabolic over the solid circle (1.5 times the mean at the centre), elliptic
        // over a ring (twice the mean), z taken relative to the radius or mean radius.
        if (d3 > 0.0002) {
            const double u = std::clamp(2.0 * z / (d1 + d3), -1.0, 1.0);
            return (20.0 * V / p.A) * std::sqrt(1.0 - u * u);
        }
        const double u = std::clamp(z / d1, -1.0, 1.0);
        return (15.0 * V / p.A) * (1.0 - u * u);
    }
    default:
        return 0.0;
    }
}

}  // namespace

int Calc_Gross_Section_Properties(int shape, double d1, double d2, double d3, double d4,
                                  double d5, double d6, double* A, double* I, double* c,
                                  double* Iz, double* zero)
{
    Set_If(A, 0.0);
    Set_If(I, 0.0);
    Set_If(c, 0.0);
    Set_If(Iz, 0.0);
    Set_If(zero, 0.0);
    if (shape == GROSS_NO_SECTION) return 0;

    Properties p;
    Compute_Properties(shape, d1, d2, d3, d4, d5, d6, p);
    Set_If(A, p.A);
    Set_If(I, p.I);
    Set_If(c, p.c);
    Set_If(Iz, p.Iz);
    return 1;
}

int Calc_Section_Derived_Values(int shape, double d1, double d2, double d3, double d4,
                                double d5, double d6, double N, double M, double V,
                                double* sigma1_max, double* sigma2_min, double* tau_max,
                                double* sum_abs_max)
{
    double s1 = 0.0, s2 = 0.0, tmax = 0.0, sum = 0.0;
    int result = 1;
    Properties p;
    if (shape == GROSS_NO_SECTION) {
        result = 0;
    } else if (Compute_Properties(shape, d1, d2, d3, d4, d5, d6, p) && p.A > 0.0 && p.I > 0.0) {
        const double step = d1 / 10.0;
        for (int k = 0; k <= 10; ++k) {
            const double y = step * k;
            const double z = y - p.c;
            const double sigma = 10.0 * N / p.A + 1000.0 * M * z / p.I;
            const double tau = Shear_Stress_At(shape, d1, d2, d3, d4, d5, d6, p, V, y, z);
            const double root = std::sqrt(sigma * sigma + 4.0 * tau * tau);
            const double sig1 = (sigma + root) / 2.0;
            const double sig2 = (sigma - root) / 2.0;
            s1 = std::max(s1, sig1);
            s2 = std::min(s2, sig2);
            tmax = std::max(tmax, std::fabs(tau));
            sum = std::max(sum, std::fabs(sig1) + std::fabs(sig2));
        }
    }
    Set_If(sigma1_max, s1);
    Set_If(sigma2_min, s2);
    Set_If(tau_max, tmax);
    Set_If(sum_abs_max, sum);
    return result;
}

int Calc_Section_Edge_Stress(int shape, double d1, double d2, double d3, double d4, double d5,
                             double d6, double N, double M, double M2, double y, double z,
                             double* sigma)
{
    Set_If(sigma, 0.0);
    Properties p;
    if (!Compute_Properties(shape, d1, d2, d3, d4, d5, d6, p)) return 0;
    if (p.A > 0.0 && p.I > 0.0 && p.Iz > 0.0)
        Set_If(sigma, 10.0 * N / p.A + 1000.0 * (M * (z - p.c) / p.I - M2 * y / p.Iz));
    return 1;
}
