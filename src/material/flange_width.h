#pragma once
// Effective (co-operating) width of the flange of a T-beam section, by the rule of the
// design standard: EN 1992-1-1 and DIN 1045-1, ÖNORM B 4700, and the width-ratio tables
// of DIN 1045 (7.88).

// Span cases of a section (results of the classification, case argument of the width).
enum Flange_Span_Case {
    FLANGE_RIGHT_SUPPORT = -3,  // region over the right-hand support; the caller takes it
                                // as case 3 with the spans of that support
    FLANGE_END_SPAN = 0,        // field region of an end span
    FLANGE_INTERIOR_SPAN = 1,   // field region of an interior span
    FLANGE_CANTILEVER = 2,
    FLANGE_SUPPORT = 3,         // region over a support
    FLANGE_SINGLE_SPAN = 4,
};

// Kinds of the ends of a span.
enum Flange_End_Kind {
    FLANGE_END_FREE = 0,        // cantilever end
    FLANGE_END_SUPPORT = 1,     // end support
    FLANGE_END_CONTINUOUS = 2,  // continuous over the support
};

// The span case of a section at x in the span from x_start to x_end: both ends end
// supports 4, either end free 2; otherwise by the position in the span (the support
// regions reach 0.15 of the span, 0.2 under DIN 1045 (7.88), that is new_standard 0).
// End kinds other than 0, 1 and 2 give -1, which no width rule takes.
int Classify_Flange_Span_Case(int new_standard, double x, double x_start, int kind_start,
                              double x_end, int kind_end);

// Effective width bw + b_eff,1 + b_eff,2 of a flange with the web width bw, the spans l1
// and l2 next to the section, the distance l0 between the points of zero moment (below
// 0.001: derived from the span case and l1 + l2), the overhangs b1 and b2 (a negative one
// counts as 0), and the flange depth hf of a section of depth h (DIN 1045 (7.88) only).
// Norm_Code 3 ÖNORM B 4700, above 0 EN 1992-1-1 / DIN 1045-1, 0 and below DIN 1045 (7.88).
// Lengths in one consistent unit (the thresholds 0.001 are metres). bw comes back when
// there are no spans, when l0 cannot be had, and under DIN 1045 (7.88) when h is not
// positive.
double Calc_Effective_Flange_Width(int norm_code, double bw, double l1, double l2, double l0,
                                   int span_case, double b1, double b2, double hf, double h);
