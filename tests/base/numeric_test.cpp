#include "base/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Counts the evaluations of a function through the context pointer and keeps the points.
struct Probe {
    int calls = 0;
    std::vector<double> points;
};

double Parabola_At_2(double x, void* context) {
    auto* probe = static_cast<Probe*>(context);
    if (probe) {
        ++probe->calls;
        probe->points.push_back(x);
    }
    return (x - 2) * (x - 2) + 1;
}

double Rising(double x, void*) { return x; }

double Square_Minus_2(double x, void* context) {
    if (auto* probe = static_cast<Probe*>(context)) {
        ++probe->calls;
        probe->points.push_back(x);
    }
    return x * x - 2;
}

double Plain_Square_Minus_2(double x) { return x * x - 2; }
double Plain_Minus_1(double x) { return x - 1; }

TEST(NumericRounding, HalvesGoUpForBothSigns) {
    EXPECT_EQ(Round_To_Decimals(2.5, 0), 3.0);
    EXPECT_EQ(Round_To_Decimals(-2.5, 0), -2.0);
    EXPECT_EQ(Round_To_Decimals(-2.6, 0), -3.0);
    EXPECT_EQ(Round_To_Decimals(0.125, 2), 0.13);
    EXPECT_EQ(Round_To_Decimals(-0.125, 2), -0.12);
    EXPECT_EQ(Round_To_Decimals(2.0 / 3.0, 8), 0.66666667);
}

TEST(NumericRounding, ThirteenDecimalsAndBeyond) {
    EXPECT_EQ(Round_To_Decimals(-7.77777777777777, 13), -7.7777777777778);
    EXPECT_EQ(Round_To_Decimals(0.12345678901234567, 15), 0.123456789012346);
    // A half of the last place goes up, for a negative value towards zero.
    EXPECT_EQ(Round_To_Decimals(5e-15, 14), 1e-14);
    EXPECT_EQ(Round_To_Decimals(-5e-15, 14), 0.0);
    // Long texts do not overflow anything.
    EXPECT_EQ(Round_To_Decimals(-1e300, 400), -1e300);
    EXPECT_TRUE(std::isnan(Round_To_Decimals(NAN, 20)));
}

TEST(NumericRounding, NegativeDecimalsRoundToTensAndHundreds) {
    EXPECT_EQ(Round_To_Decimals(1234.0, -2), 1200.0);
    EXPECT_EQ(Round_To_Decimals(1250.0, -2), 1300.0);
    EXPECT_EQ(Round_To_Decimals(5.0, -40), 0.0);
}

TEST(NumericGuards, PowerAndDivision) {
    EXPECT_EQ(Get_Power(0.0, 0.0), 0.0);
    EXPECT_EQ(Get_Power(-8.0, 1.0 / 3.0), 0.0);
    EXPECT_DOUBLE_EQ(Get_Power(2.0, 0.5), std::sqrt(2.0));

    EXPECT_EQ(Safe_Divide(0.0, 0.0), 1e100);
    EXPECT_EQ(Safe_Divide(-1.0, 1e-11), -1e100);  // 1e-11 is 0 at ten places
    EXPECT_EQ(Safe_Divide_Places(1.0, 0.004, 2), 1e100);
    EXPECT_EQ(Safe_Divide_Places(-1.0, -0.005, 2), 200.0);
}

TEST(NumericMinimum, FindsInteriorMinimumInEitherOrder) {
    for (auto [a, b] : {std::pair{0.0, 5.0}, std::pair{5.0, 0.0}}) {
        Probe probe;
        double x = 0, fx = 0, width = 0;
        int steps = 0, status = -1;
        EXPECT_EQ(Find_Minimum_Brent(Parabola_At_2, &probe, a, b, 1e-8, 100, &x, &fx, &width,
                                     &steps, &status),
                  1);
        EXPECT_EQ(status, 0);
        EXPECT_NEAR(x, 2.0, 1e-6);
        EXPECT_NEAR(fx, 1.0, 1e-12);
        EXPECT_LT(width, 1e-6);
        // Three or four evaluations set up the bracket, then one per step.
        EXPECT_GE(probe.calls, steps + 3);
        EXPECT_LE(probe.calls, steps + 4);
        for (double p : probe.points) {
            EXPECT_GE(p, 0.0);
            EXPECT_LE(p, 5.0);
        }
    }
}

TEST(NumericMinimum, ParabolicStepHitsTheVertexOfAParabola) {
    // Start triple on [0, 5]: x = 2.5, w = 0, v = 5. The parabola through them is f itself,
    // so the first step lands on its vertex; a golden-section step would go to 1.545.
    double x = 0, fx = 0;
    int steps = 0;
    EXPECT_EQ(Find_Minimum_Brent(Parabola_At_2, nullptr, 0.0, 5.0, 1e-8, 1, &x, &fx, nullptr,
                                 &steps, nullptr),
              0);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(x, 2.0);
    EXPECT_EQ(fx, 1.0);
}

TEST(NumericMinimum, MinimumAtTheEndAndDefaultTolerance) {
    double x = 0;
    int status = -1;
    EXPECT_EQ(Find_Minimum_Brent(Rising, nullptr, 3.0, 1.0, 0.0, 200, &x, nullptr, nullptr,
                                 nullptr, &status),
              1);
    EXPECT_EQ(status, 0);
    EXPECT_NEAR(x, 1.0, 1e-5);  // a tolerance of 0 means 1e-6
    EXPECT_GE(x, 1.0);
}

TEST(NumericMinimum, NoFunctionOrNoSteps) {
    double x = 0, fx = -1, width = 0;
    int steps = -1, status = -1;
    EXPECT_EQ(Find_Minimum_Brent(nullptr, nullptr, 4.0, 1.0, 1e-6, 50, &x, &fx, &width, &steps,
                                 &status),
              0);
    EXPECT_EQ(x, 2.5);
    EXPECT_EQ(fx, 0.0);
    EXPECT_EQ(width, 3.0);
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(status, 1);

    EXPECT_EQ(Find_Minimum_Brent(Parabola_At_2, nullptr, 0.0, 5.0, 1e-6, 0, &x, &fx, &width,
                                 &steps, &status),
              0);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(width, 5.0);

    EXPECT_EQ(Find_Minimum_Brent(Parabola_At_2, nullptr, 0.0, 5.0, 1e-12, 2, &x, &fx, &width,
                                 &steps, &status),
              0);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(steps, 2);
}

TEST(NumericRoots, FindsRootAndReportsThePass) {
    int status = 0;
    const double root = Find_Root(0.0, 2.0, Square_Minus_2, 100, 1e-12, 1e-12, nullptr, &status);
    EXPECT_GE(status, 1);
    EXPECT_NEAR(root, std::sqrt(2.0), 1e-10);

    // A zero at an end is found at once.
    EXPECT_EQ(Find_Root(0.0, 1.0, Rising, 10, 1e-9, 0.0, nullptr, &status), 0.0);
    EXPECT_EQ(status, 1);
}

TEST(NumericRoots, FailuresReportedThroughStatus) {
    int status = 0;
    EXPECT_EQ(Find_Root(3.0, 4.0, Square_Minus_2, 100, 1e-9, 1e-9, nullptr, &status), 0.0);
    EXPECT_EQ(status, -3);

    EXPECT_EQ(Find_Root(0.0, 2.0, Square_Minus_2, 0, 1e-9, 1e-9, nullptr, &status), 0.0);
    EXPECT_EQ(status, -2);

    // One pass evaluates once more and gives up.
    Probe probe;
    EXPECT_EQ(Find_Root_Bracketed(0.0, -2.0, 4.0, 14.0, Square_Minus_2, 1, 1e-9, 1e-9, &probe,
                                  &status),
              0.0);
    EXPECT_EQ(status, -2);
    EXPECT_EQ(probe.calls, 1);

    // A bracket already narrower than the x tolerance gives its better end.
    EXPECT_EQ(Find_Root_Bracketed(1.0, -1.0, 1.5, 0.25, Square_Minus_2, 10, 2.0, 1e-9, nullptr,
                                  &status),
              1.5);
    EXPECT_EQ(status, -1);
}

TEST(NumericRoots, FindRootEvaluatesTheFirstEndFirst) {
    Probe probe;
    int status = 0;
    Find_Root(-1.0, 3.0, Square_Minus_2, 50, 1e-9, 1e-9, &probe, &status);
    ASSERT_GE(probe.points.size(), 2u);
    EXPECT_EQ(probe.points[0], -1.0);
    EXPECT_EQ(probe.points[1], 3.0);
}

TEST(NumericTables, OneDimensionalBothDirections) {
    // Rows of (x, unused, y).
    const double rising[] = {0, 9, 0, 1, 9, 10, 2, 9, 30};
    EXPECT_DOUBLE_EQ(Interpolate_Table_1D(rising, 3, 3, 0.5, 0, 2, 0), 5.0);
    EXPECT_DOUBLE_EQ(Interpolate_Table_1D(rising, 3, 3, 1.5, 0, 2, 0), 20.0);
    EXPECT_EQ(Interpolate_Table_1D(rising, 3, 3, -1.0, 0, 2, 0), 0.0);
    EXPECT_EQ(Interpolate_Table_1D(rising, 3, 3, 5.0, 0, 2, 0), 30.0);
    EXPECT_DOUBLE_EQ(Interpolate_Table_1D(rising, 3, 3, -1.0, 0, 2, 1), -10.0);
    EXPECT_DOUBLE_EQ(Interpolate_Table_1D(rising, 3, 3, 3.0, 0, 2, 1), 50.0);

    const double falling[] = {2, 30, 1, 10, 0, 0};
    EXPECT_DOUBLE_EQ(Interpolate_Table_1D(falling, 3, 2, 1.5, 0, 1, 0), 20.0);
    EXPECT_EQ(Interpolate_Table_1D(falling, 3, 2, 7.0, 0, 1, 0), 30.0);

    const double step[] = {1, 0, 1, 5};  // two rows with one x and different y
    EXPECT_EQ(Interpolate_Table_1D(step, 2, 2, 1.0, 0, 1, 0), 1e100);
    EXPECT_EQ(Interpolate_Table_1D(step, 1, 2, 8.0, 0, 1, 0), 0.0);
    EXPECT_EQ(Interpolate_Table_1D(step, 0, 2, 8.0, 0, 1, 0), 0.0);
}

TEST(NumericTables, TwoDimensional) {
    // value = row key + 10 * column key
    const double table[] = {
        0, 0,  1,  2,   //
        0, 0,  10, 20,  //
        1, 1,  11, 21,  //
    };
    EXPECT_DOUBLE_EQ(Interpolate_Table_2D(table, 2, 3, 0.5, 1.5, 0), 15.5);
    EXPECT_DOUBLE_EQ(Interpolate_Table_2D(table, 2, 3, 9.0, 9.0, 0), 21.0);
    EXPECT_DOUBLE_EQ(Interpolate_Table_2D(table, 2, 3, 2.0, 3.0, 1), 32.0);
}

TEST(NumericCounts, DigitsAndExtremes) {
    EXPECT_EQ(Count_Digits(0), 1);
    EXPECT_EQ(Count_Digits(9), 1);
    EXPECT_EQ(Count_Digits(10), 2);
    EXPECT_EQ(Count_Digits(1000), 4);
    EXPECT_EQ(Count_Digits(2147483647), 10);
    EXPECT_EQ(Count_Digits(-42), 1);

    const double v[] = {3, 7, 1, 7, 1};
    EXPECT_EQ(Get_Max_Index(5, v), 1);
    EXPECT_EQ(last_min_index, 2);
    EXPECT_EQ(last_max_value, 7.0);
    EXPECT_EQ(Get_Max_Value(0, v), -1e100);
    EXPECT_EQ(last_min_value, 1e100);
    EXPECT_EQ(Get_Min_Index(0, v), -1);
    EXPECT_EQ(last_max_index, -1);
}

TEST(NumericRoots, Bisection) {
    EXPECT_NEAR(Find_Root_Bisection(Plain_Square_Minus_2, 0.0, 2.0, 1e-10), std::sqrt(2.0), 1e-9);
    EXPECT_EQ(Find_Root_Bisection(Plain_Minus_1, 0.0, 2.0, 1e-10), 1.0);
    EXPECT_EQ(Find_Root_Bisection(Plain_Square_Minus_2, 2.0, 3.0, 1e-10), -1e100);
    // A tolerance of 0 stops after 100 halvings.
    EXPECT_NEAR(Find_Root_Bisection(Plain_Square_Minus_2, 0.0, 2.0, 0.0), std::sqrt(2.0), 1e-12);
}

}  // namespace
