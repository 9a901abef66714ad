#include "material/flange_width.h"

#include <algorithm>

#include "base/plane_geometry.h"

namespace {

// Factor of l1 + l2 that gives l0 for a span case 0..4.
constexpr double kL0FactorOld[5] = {0.8, 0.6, 1.5, 0.2, 1.0};  // DIN 1045 (7.88)
constexpr double kL0FactorNew[5] = {0.85, 0.7, 1.5, 0.15, 1.0};

// DIN 1045 (7.88): effective width of one side over its overhang, by b_i/l0 (columns,
// falling) and hf/h (rows 0.15, 0.20, 0.30).
constexpr int kColumns = 9;
constexpr double kRatioColumns[kColumns] = {1.0, 0.8, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1, 0.05};
constexpr double kDepthRows[3] = {0.15, 0.20, 0.30};

// Field regions of end, interior and single spans.
constexpr double kTableA[3][kColumns] = {
    {0.20, 0.25, 0.33, 0.40, 0.49, 0.62, 0.78, 0.94, 1.00},
    {0.22, 0.27, 0.35, 0.42, 0.52, 0.64, 0.78, 0.94, 1.00},
    {0.33, 0.40, 0.50, 0.56, 0.63, 0.72, 0.83, 0.94, 1.00},
};
// Cantilevers and support regions.
constexpr double kTableB[3][kColumns] = {
    {0.12, 0.14, 0.19, 0.23, 0.30, 0.38, 0.50, 0.74, 0.97},
    {0.13, 0.15, 0.20, 0.25, 0.30, 0.38, 0.50, 0.74, 0.97},
    {0.22, 0.25, 0.31, 0.36, 0.40, 0.47, 0.57, 0.74, 0.97},
};

double Interpolate(double x1, double y1, double x2, double y2, double x)
{
    double y = 0.0;
    Intersect_Segment_At_X(x1, y1, x2, y2, x, &y);
    return y;
}

// Width ratio of one side with the overhang ratio r (clamped into 0.05..1.0) and the
// depth ratio t (extrapolated beyond the rows).
double Table_Ratio(const double (*table)[kColumns], double r, double t)
{
    r = std::clamp(r, kRatioColumns[kColumns - 1], kRatioColumns[0]);
    int j = kColumns - 1;  // r at the last column: the last pair
    for (int k = 0; k < kColumns; ++k) {
        if (r > kRatioColumns[k]) {
            j = k;
            break;
        }
    }
    const int row = (t < 0.2) ? 0 : 1;
    const double lower = Interpolate(kRatioColumns[j - 1], table[row][j - 1], kRatioColumns[j],
                                     table[row][j], r);
    const double upper = Interpolate(kRatioColumns[j - 1], table[row + 1][j - 1],
                                     kRatioColumns[j], table[row + 1][j], r);
    return Interpolate(kDepthRows[row], lower, kDepthRows[row + 1], upper, t);
}

}  // namespace

int Classify_Flange_Span_Case(int new_standard, double x, double x_start, int kind_start,
                              double x_end, int kind_end)
{
    const auto known = [](int kind) { return kind >= FLANGE_END_FREE && kind <= FLANGE_END_CONTINUOUS; };
    if (!known(kind_start) || !known(kind_end)) return -1;
    if (kind_start == FLANGE_END_SUPPORT && kind_end == FLANGE_END_SUPPORT) return FLANGE_SINGLE_SPAN;
    if (kind_start == FLANGE_END_FREE || kind_end == FLANGE_END_FREE) return FLANGE_CANTILEVER;

    const double a = x - x_start;
    const double b = x_end - x_start;
    const double t = b * (new_standard == 0 ? 0.8 : 0.85);
    const double s = b * (new_standard == 0 ? 0.2 : 0.15);
    if (kind_start == FLANGE_END_SUPPORT)  // end continuous
        return a < t ? FLANGE_END_SPAN : FLANGE_RIGHT_SUPPORT;
    if (kind_end == FLANGE_END_SUPPORT)  // start continuous
        return a > s ? FLANGE_END_SPAN : FLANGE_SUPPORT;
    if (a <= s) return FLANGE_SUPPORT;
    if (a >= t) return FLANGE_RIGHT_SUPPORT;
    return FLANGE_INTERIOR_SPAN;
}

double Calc_Effective_Flange_Width(int norm_code, double bw, double l1, double l2, double l0,
                                   int span_case, double b1, double b2, double hf, double h)
{
    if (l1 < 0.001 && l2 < 0.001) return bw;
    if (l0 < 0.001) {
        if (span_case < 0 || span_case > 4) return bw;
        const double factor = (norm_code == 0) ? kL0FactorOld[span_case] : kL0FactorNew[span_case];
        l0 = factor * (l1 + l2);
        if (l0 < 0.001) return bw;
    }
    // An overhang cannot be negative; taken as such it would cut into the web.
    b1 = std::max(b1, 0.0);
    b2 = std::max(b2, 0.0);

    if (norm_code == 3) return bw + std::min(b1, 0.1 * l0) + std::min(b2, 0.1 * l0);
    if (norm_code > 0) {
        const auto side = [l0](double b) { return std::min({0.2 * b + 0.1 * l0, 0.2 * l0, b}); };
        return bw + side(b1) + side(b2);
    }
    if (!(h > 0.0)) return bw;
    const double t = hf / h;
    const bool cantilever_or_support = (span_case == FLANGE_CANTILEVER || span_case == FLANGE_SUPPORT);
    const double (*table)[kColumns] = cantilever_or_support ? kTableB : kTableA;
    return bw + b1 * Table_Ratio(table, b1 / l0, t) + b2 * Table_Ratio(table, b2 / l0, t);
}
