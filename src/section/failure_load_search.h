#pragma once
// Failure-load search: the factor lambda by which a pair of internal forces (N, M about the
// section's reference axis) can be multiplied before the section fails, with the strain
// plane of that failure state. A failure state is a strain plane at which a material
// reaches its limit: the tension steel its limit strain, the compressed edge the ultimate
// concrete strain, or the concrete at the pivot depth the peak strain.
//
// Units of the section analysis: kN, m, kN/m², m²; strains plain (compression negative);
// depths downward from the top edge; M positive when it causes tension below the
// reference axis.
//
// Not re-entrant: the search runs on the candidate table of the limit-strain walk
// (module storage shared with `Calc_Angle_Residual_Tracked`).

struct Section_Record;

// Searches the failure state whose resultant (N_R, M_R) points in the direction of (N, M)
// and writes lambda = (N·N_R + M·M_R) / (N² + M²) with the strains of the top and the
// bottom edge of that plane (outputs only; nothing is read from them).
//   area, depth: n added reinforcement layers (m², m) integrated with the section's own
//                layers; not read when n is 0.
//   use_law_2:   non-zero takes the limit and yield strains of `steel_law[2]` and gives every
//                added layer that law in the force integration.
// Return: 0 found (also for a zero load: lambda 1e100, strains 0.0; and for a pure moment or
// pure normal force the section carries nothing of: lambda 0.0, strains 0.0);
// 1 the start search or the strain-domain walk ran out of steps; 2 no failure state found
// down to the smallest step. On 1 and 2 the three outputs are 0.0.
// When both |N| and |M| are 1e-5 or more the angle search runs (results not rounded);
// otherwise the strain-domain walk (lambda rounded to 5 decimals, strains to 10).
int Find_Strain_Plane_For_Forces(const Section_Record* section, const double* area,
                                 const double* depth, int n, double N, double M,
                                 int use_law_2, double* load_factor, double* eps_top,
                                 double* eps_bottom);
