#pragma once
// Forces of a rectangular reinforced-concrete section computed independently of the
// section code: the parabola-rectangle law (exponent 2) integrated in closed form over
// the strain, and elastic-perfectly plastic steel. Units of the section analysis (m, kN,
// kN/m², plain strains, compression negative); moments about the reference depth.
#include <algorithm>
#include <cmath>
#include <vector>

struct Closed_Form_Rectangle {
    double b = 0.3, h = 0.5, z_ref = 0.25;
    double fc = 17000.0, eps_c2 = -0.002;
    double fy = 435000.0, E = 2e8;
    std::vector<double> area, depth;

    double Steel_Stress(double eps) const { return std::clamp(E * eps, -fy, fy); }

    // Antiderivatives over the strain of sigma(eps) and sigma(eps)·eps on the parabola
    // sigma = -fc (2 u - u²), u = eps / eps_c2.
    double P(double e) const { return -fc * (e * e / eps_c2 - e * e * e / (3 * eps_c2 * eps_c2)); }
    double Q(double e) const {
        return -fc * (2 * e * e * e / (3 * eps_c2) - e * e * e * e / (4 * eps_c2 * eps_c2));
    }
    double Concrete_Stress(double e) const {
        if (e >= 0) return 0.0;
        if (e <= eps_c2) return -fc;
        const double u = e / eps_c2;
        return -fc * (2 * u - u * u);
    }

    // Concrete force and moment about depth 0 for the strains at the top and bottom edges.
    void Concrete(double top, double bottom, double* N, double* M0) const {
        const double g = (bottom - top) / h;
        if (g == 0.0) {
            const double s = Concrete_Stress(top);
            *N = s * b * h;
            *M0 = *N * h / 2;
            return;
        }
        const double lo = std::min(top, bottom), hi = std::max(top, bottom);
        double I0 = 0, I1 = 0;  // integrals of sigma and sigma·eps over [lo, hi]
        const double a1 = lo, a2 = std::min(hi, eps_c2);
        if (a2 > a1) {
            I0 += -fc * (a2 - a1);
            I1 += -fc * (a2 * a2 - a1 * a1) / 2;
        }
        const double p1 = std::max(lo, eps_c2), p2 = std::min(hi, 0.0);
        if (p2 > p1) {
            I0 += P(p2) - P(p1);
            I1 += Q(p2) - Q(p1);
        }
        // z = (eps - top) / g; dz = deps / g (the sign of g turns the range around).
        const double s = 1.0 / std::fabs(g);
        *N = b * s * I0;
        *M0 = b * s * (I1 - top * I0) / g;
    }

    // N and M about the reference depth of concrete and steel.
    void Forces(double top, double bottom, double* N, double* M) const {
        double Nc, Mc;
        Concrete(top, bottom, &Nc, &Mc);
        double Ns = 0, Ms = 0;
        for (size_t i = 0; i < area.size(); ++i) {
            const double e = top + (bottom - top) * depth[i] / h;
            const double F = area[i] * Steel_Stress(e);
            Ns += F;
            Ms += F * depth[i];
        }
        *N = Nc + Ns;
        *M = Mc + Ms - *N * z_ref;
    }

    double Strain(double top, double bottom, double z) const { return top + (bottom - top) * z / h; }
};
