#pragma once
// Layer-area design of a reinforced-concrete section: the areas of the two design layers
// (top and bottom) that carry a normal force N and a moment M about the reference axis at
// the ultimate limit state, with a given global safety factor or the strain-dependent one
// of DIN 1045 (1988) (1.75 at a steel strain of 0.003 or more, 2.1 at 0 and below).
//
// Units of the section analysis: kN, m, kN/m², m²; strains plain, compression negative.
// Not re-entrant: works on the design's work copy `section_work_copy` and on the statics
// below.

#include "section/section_record.h"

struct Section_Design_Result;

// The work copy turned upside down, on which a negative moment is designed. Rebuilt from
// `section_work_copy` whenever bit value 1 of the work copy's `option_bits` is clear (or
// its own layers have changed since); read by `Calc_Layer_Areas_For_Plane_Mirrored`.
extern Section_Record mirrored_section;

// Designs the two layers of `section_work_copy` for N and M (unfactored) with the safety
// factor `factor` (|factor| < 1e-5: by the steel strain). Writes the four strains, both
// areas, their total and the factor used into the result (which the caller has cleared;
// `x_concrete` and `x_tension` are left alone). 0 when the result holds a design, 1 when
// none was found.
int Design_Layer_Areas(Section_Design_Result* result, double N, double M, double factor);

// The strain-domain search of `Design_Layer_Areas` on a given section (no lever rule, no
// layer design, a negative moment searched with the compressed edge at the top of the
// section as it is). 0 when a design was found, 1 when none.
int Design_Layer_Areas_On_Section(Section_Record* section, double N, double M, double factor,
                                  Section_Design_Result* result);

// The global safety factor for the steel strain eps_s of the tension-side layer:
// 1.75 from 0.003 up, 2.1 below 0, linear in between; a given factor of magnitude 1e-5 or
// more is returned as it is.
double Layer_Design_Safety_Factor(double eps_s, double given_factor);
