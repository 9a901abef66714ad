#include "material/flange_width.h"

#include <gtest/gtest.h>

TEST(FlangeSpanCase, PositionInTheSpanAndKindsOfItsEnds)
{
    struct Case {
        int new_standard;
        double x;
        int kind_start, kind_end;
        int expected;
    } cases[] = {
        // span 0 .. 10
        {1, 5, 1, 1, 4},   // single span
        {1, 5, 0, 2, 2},   // free end: cantilever
        {1, 5, 2, 0, 2},
        {1, 9, 2, 2, -3},  // interior span near the right support
        {1, 1, 2, 2, 3},   // ... near the left support
        {1, 5, 2, 2, 1},   // ... in the field
        {1, 1.8, 2, 2, 1}, // 0.15 of the span is the support region
        {0, 1.8, 2, 2, 3}, // 0.2 under DIN 1045 (7.88)
        {0, 8.2, 2, 2, -3},
        {1, 8.2, 2, 2, 1},
        {1, 5, 1, 2, 0},   // end span, continuous at the end
        {1, 9, 1, 2, -3},
        {1, 5, 2, 1, 0},   // end span, continuous at the start
        {1, 1, 2, 1, 3},
        {1, 5, 3, 1, -1},  // unknown end kinds
        {1, 5, 1, -1, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "x " << k.x << " kinds " << k.kind_start << ","
                                        << k.kind_end << " new " << k.new_standard);
        EXPECT_EQ(Classify_Flange_Span_Case(k.new_standard, k.x, 0.0, k.kind_start, 10.0, k.kind_end),
                  k.expected);
    }
}

TEST(EffectiveFlangeWidth, CurrentStandardsAndOenorm)
{
    struct Case {
        const char* what;
        int code;
        double l1, l2, l0;
        int span_case;
        double b1, b2;
        double expected;
    } cases[] = {
        {"no spans", 4, 0, 0, 10, 0, 3, 3, 0.3},
        {"both sides 0.2 b + 0.1 l0", 4, 10, 0, 10, 0, 3, 3, 0.3 + 3.2},
        {"side limited by its overhang", 1, 10, 0, 10, 0, 0.5, 3, 0.3 + 0.5 + 1.6},
        {"side limited by 0.2 l0", 4, 10, 0, 10, 0, 20, 0, 0.3 + 2.0},
        {"l0 from an interior span", 4, 5, 5, 0, 1, 20, 20, 0.3 + 2 * 1.4},
        {"l0 over a support", 4, 5, 5, 0, 3, 20, 20, 0.3 + 2 * 0.3},
        {"case outside 0..4 without l0", 4, 5, 5, 0, -3, 20, 20, 0.3},
        {"case outside 0..4 with l0", 4, 5, 5, 10, -3, 20, 20, 0.3 + 4.0},
        {"negative overhang counts as none", 4, 10, 0, 10, 0, -3, 3, 0.3 + 1.6},
        {"OENORM: 0.1 l0 per side", 3, 10, 0, 10, 0, 0.5, 3, 0.3 + 0.5 + 1.0},
        {"OENORM: l0 from a cantilever", 3, 2, 0, 0, 2, 5, 5, 0.3 + 2 * 0.3},
        {"OENORM: negative overhang", 3, 10, 0, 10, 0, -0.5, 0, 0.3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_NEAR(Calc_Effective_Flange_Width(k.code, 0.3, k.l1, k.l2, k.l0, k.span_case, k.b1,
                                                k.b2, 0.2, 1.0),
                    k.expected, 1e-12);
    }
}

TEST(EffectiveFlangeWidth, OldDinWidthRatioTables)
{
    struct Case {
        const char* what;
        int span_case;
        double b, hf_over_h;
        double ratio;  // effective width of the side over its overhang
    } cases[] = {
        {"column 1.0, row 0.15", 0, 10, 0.15, 0.20},
        {"column 0.05, row 0.30, support", 3, 0.5, 0.30, 0.97},
        {"cantilever, column 0.2, row 0.20", 2, 2, 0.20, 0.50},
        {"between columns 0.5 and 0.4", 1, 4.5, 0.20, 0.47},
        {"between rows 0.20 and 0.30", 4, 10, 0.25, 0.275},
        {"beyond row 0.30", 0, 10, 0.40, 0.44},
        {"below row 0.15", 0, 10, 0.10, 0.18},
        {"overhang beyond l0 counts as column 1.0", 0, 20, 0.15, 0.20},
        {"tiny overhang counts as column 0.05", 0, 0.1, 0.15, 1.00},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        // l0 = 10 given; the second side has no overhang.
        EXPECT_NEAR(Calc_Effective_Flange_Width(0, 0.3, 10, 0, 10, k.span_case, k.b, 0,
                                                k.hf_over_h * 2.0, 2.0),
                    0.3 + k.b * k.ratio, 1e-12);
    }
    // l0 of an end span under DIN 1045 (7.88): 0.8 (l1 + l2).
    EXPECT_NEAR(Calc_Effective_Flange_Width(0, 0.3, 10, 0, 0, 0, 8, 8, 0.3, 2.0),
                0.3 + 2 * 8 * 0.20, 1e-12);
    // Without a section depth the ratio table cannot be read: the web alone.
    EXPECT_EQ(Calc_Effective_Flange_Width(0, 0.3, 10, 0, 10, 0, 3, 3, 0.2, 0.0), 0.3);
    EXPECT_NEAR(Calc_Effective_Flange_Width(0, 0.3, 10, 0, 10, 0, -3, 0, 0.3, 2.0), 0.3, 1e-12);
}
