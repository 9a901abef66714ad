#include "base/rebar.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "base/numeric.h"

const int rebar_diameters_mm[REBAR_STANDARD_COUNT] = {6, 7, 8, 9, 10, 12, 14, 16, 20, 25, 28, 32};
const double rebar_diameters_cm[REBAR_STANDARD_COUNT] = {0.6, 0.7, 0.8, 0.9, 1.0, 1.2,
                                                         1.4, 1.6, 2.0, 2.5, 2.8, 3.2};

const double metre_bar_diameters[METRE_BAR_COUNT] = {0.006, 0.008, 0.01,  0.012, 0.014,
                                                     0.016, 0.02,  0.025, 0.028, 0.032};

namespace {

// Added before truncating: a fraction of 4/9 or more of the last unit rounds up.
constexpr double kRoundUp = 0.5555555555555556;
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kFourOverPi = 1.2732395447351628;
constexpr double kPi = 3.141592653589793;
// Free diameters at or below this count as not given.
constexpr double kLeastFreeDiameter = 0.01;
// No bar search goes beyond this many bars: a larger answer is no answer.
constexpr int kMostBarsSearched = 100000;

// A count computed in double, made an int without leaving the int range:
// no value (NaN) gives 0, values beyond the range the nearest end.
int To_Count(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

double Sign_Of(double x) { return x < 0 ? -1.0 : 1.0; }

}  // namespace

int Get_Rebar_Diameter_Mm(int index, double free_diameter_mm) {
    if (index >= 0 && index < REBAR_STANDARD_COUNT) return rebar_diameters_mm[index];
    if (index == REBAR_FREE_INDEX && free_diameter_mm > kLeastFreeDiameter) {
        return To_Count(std::trunc(std::fabs(free_diameter_mm) + kRoundUp));
    }
    return 0;
}

double Get_Rebar_Diameter_Cm(int index, double free_diameter_mm) {
    if (index >= 0 && index < REBAR_STANDARD_COUNT) return rebar_diameters_cm[index];
    if (index == REBAR_FREE_INDEX && free_diameter_mm > kLeastFreeDiameter) {
        return free_diameter_mm * 0.1;
    }
    return 0.0;
}

const char* Get_Rebar_Diameter_Text(int index, double free_diameter_mm) {
    static char text[16];
    std::snprintf(text, sizeof text, "%d", Get_Rebar_Diameter_Mm(index, free_diameter_mm));
    return text;
}

double Get_Circle_Area(double d) { return d * d * kQuarterPi; }

double Round_To_Tenth(double x) {
    return Sign_Of(x) * std::trunc(std::fabs(x) * 10 + kRoundUp) * 0.1;
}

double Round_To_Integer(double x) { return Sign_Of(x) * std::trunc(std::fabs(x) + kRoundUp); }

double Round_To_Half(double x) {
    const double tenths = std::trunc(std::fabs(x) * 10 + kRoundUp);
    const double last_digit = std::fmod(tenths, 10.0);
    if (last_digit >= 3 && last_digit <= 7) {
        return Sign_Of(x) * (std::trunc(tenths / 10) + 0.5);
    }
    return Round_To_Integer(x);
}

double Get_Lower_Bar_Diameter(double d) {
    double lower = -1.0;
    for (double listed : metre_bar_diameters) {
        if (listed < d) lower = listed;
    }
    return lower;
}

double Get_Bar_Axis_Offset(double a, double b, int n, double d) {
    return n < 2 ? a + b + d / 2 : a + b + d;
}

int Get_Bar_Count_For_Area(double area, double d) {
    return To_Count(std::ceil(kFourOverPi * area / (d * d)));
}

int Get_Bar_Count_Per_Group(double area, double d, int n, double area0) {
    return To_Count(std::ceil((area - area0) * kFourOverPi / (std::fabs(static_cast<double>(n)) * d * d)));
}

double Get_Bar_Spacing_For_Area(double area_per_length, double d) {
    if (std::fabs(area_per_length) < 1e-8) return 0.0;
    const double v = 100 * kQuarterPi * d * d / area_per_length;
    const double whole = std::floor(v);
    return v - whole <= 0.4999 ? 0.01 * whole : 0.01 * (whole + 0.5);
}

int Find_Bar_Diameter_Index(double area, int n, double m) {
    for (int i = 0; i < METRE_BAR_COUNT; ++i) {
        const double d = metre_bar_diameters[i];
        const double bars = Round_To_Decimals(d * d * n * kQuarterPi, 6);
        if (Round_To_Decimals(bars * m - area, 6) >= 0) return i;
    }
    return -1;
}

int Find_Bar_Count_And_Diameter(double area, int first_count, int first_index, int last_index,
                                double m, int* count, int* index) {
    if (first_index < 0) first_index = 0;
    if (last_index > METRE_BAR_COUNT - 1) last_index = METRE_BAR_COUNT - 1;
    if (first_index <= last_index && first_count <= kMostBarsSearched) {
        for (int n = first_count; n <= kMostBarsSearched; ++n) {
            for (int i = first_index; i <= last_index; ++i) {
                const double d = metre_bar_diameters[i];
                if (Round_To_Decimals(d * d * n * kQuarterPi, 6) * m >= area) {
                    if (count) *count = n;
                    if (index) *index = i;
                    return n;
                }
            }
        }
    }
    if (count) *count = 0;
    if (index) *index = -1;
    return 0;
}

double Get_Bars_Area(int n, double d) { return Round_To_Decimals(n * kQuarterPi * d * d, 6); }

double Get_Bundles_Area(int n, int m, double d) {
    if (m < 0) return 0.0;
    const double bundle = d * std::sqrt(static_cast<double>(m));
    const double area = n * kQuarterPi * bundle * bundle;
    return area > 0 ? area : 0.0;
}

double Get_Area_For_Spacing(double s, double d) {
    if (std::fabs(s) < 1e-8) return 0.0;
    return Round_To_Decimals(kQuarterPi * d * d / s, 6);
}

int Get_Bar_Count_For_Length(double l, double s) {
    const int n = To_Count(std::trunc(l / s + 1));
    return n > 2 ? n : 2;
}

int Get_Gap_Count(double l, double c, double a, double d) {
    const double free_length = l - d - 2 * c;
    const double pitch = d + a;
    // A pitch of zero or less places no gaps (it would give an endless count).
    if (pitch <= 0 || pitch > free_length) return 0;
    return To_Count(std::trunc(free_length / pitch));
}

double Get_Spacing_On_Circle(int n, double r) {
    if (n < 1) return 1e100;
    return 2 * r * std::sin(kPi / n);
}

double Get_Spacing_For_Count(int n, double l) {
    if (n < 2) return 1e100;
    return l / (n - 1);
}

int Get_Bar_Count_On_Circle(double s, double r) {
    const double x = s / (2 * r);
    return To_Count(std::trunc(kPi / std::atan(x / std::sqrt(1 - x * x))));
}
