#include "base/numeric.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

const double powers_of_ten[19] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18,
};

double last_max_value = -1e100;
double last_min_value = 1e100;
int32_t last_max_index = -1;
int32_t last_min_index = -1;

namespace {

constexpr double kInfinite = 1e100;
constexpr double kGolden = 0.3819660112501051;         // (3 - sqrt 5) / 2
constexpr double kRelativeTerm = 1.4901161193847656e-08;  // 2^-26
constexpr double kDefaultTolerance = 1e-6;
constexpr double kTableTolerance = 1e-5;

bool Same_Strict_Sign(double u, double v) { return (u > 0 && v > 0) || (u < 0 && v < 0); }

// The two rows that bracket x in a column of `count` keys read through key(k), ascending
// or descending. Without extrapolation a key more than 1e-5 beyond either end takes that
// end alone (i == j).
template <typename Key>
void Find_Bracket(int count, double x, int extrapolate, Key key, int& i, int& j) {
    const double first = key(0);
    const double last = key(count - 1);
    const bool ascending = first <= last;
    int k = count - 1;
    for (int r = 1; r < count; ++r) {
        if (ascending ? key(r) >= x : key(r) <= x) {
            k = r;
            break;
        }
    }
    i = k - 1;
    j = k;
    if (!extrapolate) {
        const bool before_first = ascending ? x < first - kTableTolerance : x > first + kTableTolerance;
        const bool after_last = ascending ? x > last + kTableTolerance : x < last - kTableTolerance;
        if (before_first) {
            i = j = 0;
        } else if (after_last) {
            i = j = count - 1;
        }
    }
}

// Straight line through (xi, yi) and (xj, yj) at x; the sentinels when the two keys
// coincide but the values differ.
double Interpolate_Pair(double xi, double yi, double xj, double yj, double x, double sign_key) {
    if (std::fabs(yi - yj) < kTableTolerance) return yi;
    if (xi == xj) return sign_key >= 0 ? kInfinite : -kInfinite;
    return yi + (yj - yi) / (xj - xi) * (x - xi);
}

void Reset_Extremes() {
    last_max_value = -kInfinite;
    last_min_value = kInfinite;
    last_max_index = -1;
    last_min_index = -1;
}

void Scan_Extremes(int n, const double values[]) {
    Reset_Extremes();
    if (n < 1 || values == nullptr) return;
    for (int k = 0; k < n; ++k) {
        if (values[k] < last_min_value) {
            last_min_value = values[k];
            last_min_index = k;
        }
        if (values[k] > last_max_value) {
            last_max_value = values[k];
            last_max_index = k;
        }
    }
}

}  // namespace

int Find_Minimum_Brent(Numeric_Function f, void* context, double a, double b, double tolerance,
                       int max_steps, double* x_out, double* fx_out, double* width_out,
                       int* steps_out, int* status_out) {
    double lo = std::min(a, b);
    double hi = std::max(a, b);
    double width = hi - lo;
    const double m = (a + b) / 2;
    int steps = 0;
    int status = 0;
    int result = 0;

    auto report = [&](double x, double fx) {
        if (x_out) *x_out = x;
        if (fx_out) *fx_out = fx;
        if (width_out) *width_out = width;
        if (steps_out) *steps_out = steps;
        if (status_out) *status_out = status;
        return result;
    };

    if (f == nullptr) {
        width = std::fabs(b - a);
        status = 1;
        return report(m, 0.0);
    }

    const double fm = f(m, context);
    if (tolerance <= 0) tolerance = kDefaultTolerance;
    const double flo = f(lo, context);

    double x, w, v, fx, fw, fv;
    if (fm > flo) {  // the minimum lies towards lo
        hi = m;
        const double u = m + kGolden * (lo - m);
        const double fu = f(u, context);
        if (fu < flo) {
            x = u, fx = fu, w = lo, fw = flo;
        } else {
            x = lo, fx = flo, w = u, fw = fu;
        }
        v = m, fv = fm;
    } else {
        const double fhi = f(hi, context);
        if (fm <= fhi) {
            x = m, fx = fm, w = hi, fw = fhi, v = lo, fv = flo;
        } else {  // towards hi
            lo = m;
            const double u = m + kGolden * (hi - m);
            const double fu = f(u, context);
            if (fu < fhi) {
                x = u, fx = fu, w = hi, fw = fhi, v = m, fv = fm;
            } else {
                x = hi, fx = fhi, w = m, fw = fm, v = u, fv = fu;
            }
        }
    }
    if (fw > fv) {
        std::swap(w, v);
        std::swap(fw, fv);
    }
    double e = w - v;
    double d = v - x;

    if (max_steps < 1) {
        width = std::fabs(b - a);
        status = 2;
        return report(x, fx);
    }

    for (;;) {
        const double xm = (lo + hi) / 2;
        const double tol1 = std::fabs(x) * kRelativeTerm + tolerance / 3;
        width = hi - lo;
        if (2 * std::fabs(x - xm) + (hi - lo) <= 4 * tol1) {
            status = 0;
            result = 1;
            break;
        }
        ++steps;

        const double e_golden = (x < xm ? hi : lo) - x;
        const double d_golden = kGolden * e_golden;
        bool parabolic = false;
        if (std::fabs(e) >= tol1) {
            const double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) {
                p = -p;
            } else {
                q = -q;
            }
            if (std::fabs(p) < std::fabs(0.5 * q * e) && q * (lo - x) < p && p < q * (hi - x)) {
                parabolic = true;
                e = d;
                d = p / q;
                if (x + d < lo + 2 * tol1) {
                    d = (lo - x) + 2 * tol1;
                } else if (x + d > hi - 2 * tol1) {
                    d = (hi - x) - 2 * tol1;
                }
            }
        }
        if (!parabolic) {
            d = d_golden;
            e = e_golden;
        }
        if (std::fabs(d) < tol1) d = d > 0 ? tol1 : -tol1;

        const double u = x + d;
        const double fu = f(u, context);
        if (fu <= fx) {
            if (u >= x) {
                lo = x;
            } else {
                hi = x;
            }
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
        } else {
            if (u >= x) {
                hi = u;
            } else {
                lo = u;
            }
            if (fu <= fw || w == x) {
                v = w, fv = fw;
                w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
        if (steps >= max_steps) {
            status = 2;
            result = 0;
            break;
        }
    }
    return report(x, fx);
}

double Find_Root_Bracketed(double a, double fa, double b, double fb, Numeric_Function f,
                           int max_passes, double x_tolerance, double f_tolerance,
                           void* context, int* status) {
    int dummy_status = 0;
    if (status == nullptr) status = &dummy_status;
    *status = -3;
    if (Same_Strict_Sign(fa, fb)) return 0.0;
    *status = -2;
    if (max_passes < 1 || f == nullptr) return 0.0;

    int pass = 1;
    double c = b, fc = fb;
    double d = 0, e = 0;
    for (;;) {
        if (Same_Strict_Sign(fb, fc)) {
            c = a, fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {  // keep the smaller |f| in b
            a = b, fa = fb;
            b = c, fb = fc;
            c = a, fc = fa;
        }
        if (std::fabs(fb) <= f_tolerance) {
            *status = pass;
            return b;
        }
        const double tol1 = 2e-12 * std::fabs(b) + x_tolerance / 2;
        const double xm = (c - b) / 2;
        if (std::fabs(xm) <= tol1) {
            *status = -1;
            return b;
        }

        double step = xm;
        bool interpolated = false;
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p, q;
            if (a == c) {  // secant
                p = 2 * xm * s;
                q = 1 - s;
            } else {  // inverse quadratic interpolation
                q = fa / fc;
                const double r = fb / fc;
                p = s * (2 * xm * q * (q - r) - (b - a) * (r - 1));
                q = (q - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < std::min(3 * xm * q - std::fabs(tol1 * q), std::fabs(e * q))) {
                interpolated = true;
                e = d;
                d = p / q;
                step = std::fabs(d) > tol1 ? d : (xm >= 0 ? tol1 : -tol1);
            }
        }
        if (!interpolated) {
            d = e = xm;
            step = xm;
        }

        ++pass;
        a = b, fa = fb;
        b = b + step;
        fb = f(b, context);
        if (pass > max_passes) {
            *status = -2;
            return 0.0;
        }
    }
}

double Find_Root(double a, double b, Numeric_Function f, int max_passes, double x_tolerance,
                 double f_tolerance, void* context, int* status) {
    if (f == nullptr) {
        if (status) *status = -2;
        return 0.0;
    }
    const double fa = f(a, context);
    const double fb = f(b, context);
    return Find_Root_Bracketed(a, fa, b, fb, f, max_passes, x_tolerance, f_tolerance, context,
                               status);
}

double Round_To_Decimals(double x, int n) {
    if (n < 0) {
        // Rounding to tens, hundreds, ...: the same rule with the power as divisor.
        const long double p = powers_of_ten[std::min(-n, 18)];
        return static_cast<double>(floorl(static_cast<long double>(x) / p + 0.5L) * p);
    }
    if (n <= 13) {
        const long double p = powers_of_ten[n];
        return static_cast<double>(floorl(static_cast<long double>(x) * p + 0.5L) / p);
    }
    // Beyond 13 decimals the product would lose the integer part's precision: round
    // through the printed text instead, nudged up by 10^(-6-n) so that halves go up.
    const long double nudge = powl(10.0L, -6.0L - static_cast<long double>(n));
    const double value = static_cast<double>(static_cast<long double>(x) + nudge);
    const int length = std::snprintf(nullptr, 0, "%.*f", n, value);
    if (length < 0) return x;
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::snprintf(text.data(), text.size(), "%.*f", n, value);
    return std::atof(text.data());
}

double Get_Power(double x, double y) {
    if (x <= 0) return 0.0;
    if (y == 2) return x * x;
    return std::pow(x, y);
}

double Safe_Divide_Places(double a, double b, int n) {
    if (Round_To_Decimals(std::fabs(b), n) > 0) return a / b;
    return a < 0 ? -kInfinite : kInfinite;
}

double Safe_Divide(double a, double b) { return Safe_Divide_Places(a, b, 10); }

double Interpolate_Table_1D(const double table[], int rows, int row_stride, double x,
                            int x_column, int y_column, int extrapolate) {
    if (table == nullptr || rows < 1) return 0.0;
    auto key = [&](int k) { return table[x_column + k * row_stride]; };
    auto value = [&](int k) { return table[y_column + k * row_stride]; };
    if (rows == 1) return value(0);
    int i, j;
    Find_Bracket(rows, x, extrapolate, key, i, j);
    return Interpolate_Pair(key(i), value(i), key(j), value(j), x, x);
}

double Interpolate_Table_2D(const double table[], int rows, int columns, double row_key,
                            double column_key, int extrapolate) {
    if (table == nullptr || rows < 1 || columns < 1) return 0.0;
    const int stride = columns + 1;
    auto column_at = [&](int k) { return table[1 + k]; };
    auto column_value = [&](int k) {
        return Interpolate_Table_1D(table + stride, rows, stride, row_key, 0, 1 + k, extrapolate);
    };
    if (columns == 1) return column_value(0);
    int i, j;
    Find_Bracket(columns, column_key, extrapolate, column_at, i, j);
    return Interpolate_Pair(column_at(i), column_value(i), column_at(j), column_value(j),
                            column_key, column_key);
}

int Count_Digits(int n) {
    double v = n;
    int count = 0;
    do {
        v = v * 0.1;
        ++count;
    } while (std::floor((v - 1) * 1e8 + 0.5) * 1e-8 >= 0);
    return count;
}

double Get_Max_Value(int n, const double values[]) {
    Scan_Extremes(n, values);
    return last_max_value;
}

double Get_Min_Value(int n, const double values[]) {
    Scan_Extremes(n, values);
    return last_min_value;
}

int Get_Max_Index(int n, const double values[]) {
    Scan_Extremes(n, values);
    return last_max_index;
}

int Get_Min_Index(int n, const double values[]) {
    Scan_Extremes(n, values);
    return last_min_index;
}

double Find_Root_Bisection(double (*g)(double), double a, double b, double tolerance) {
    if (g == nullptr) return -kInfinite;
    double ga = g(a);
    const double gb = g(b);
    if (ga * gb >= 0) return -kInfinite;
    for (int halvings = 0; b - a > tolerance && halvings < 100; ++halvings) {
        const double m = (a + b) / 2;
        const double gm = g(m);
        if (gm == 0) return m;
        if (ga * gm < 0) {
            b = m;
        } else {
            a = m;
            ga = gm;
        }
    }
    return (a + b) / 2;
}
