#pragma once
// Strain-plane solvers: for a section, optional added reinforcement layers and a target
// normal force N [kN, tension positive] and moment M [kNm about `reference_depth`,
// positive with tension below], find the strains at the top and the bottom edge for which
// `Integrate_Section_Forces` gives N and M. Strains are plain numbers, compression
// negative.
//
// `Solve_Strain_Plane_Hybrd` is the live solver (MINPACK's hybrid Powell method with
// retries and a bracketing fallback); the pattern and secant solvers and the dispatcher
// `GetEps1A` complete the library.
//
// All solvers take the added layers as `added_count` areas [m²] and depths [m]; the
// arrays are not read when the count is 0. `flag` is handed to the force integration
// (nonzero: every added layer takes `steel_law[2]`). The edge strains are always written.
// Not re-entrant: the force integration keeps its layer laws in a global.

#include <cstdio>

struct Section_Record;

// Method that `GetEps1A` uses next: 2 stepwise, 3 secant, 4 pattern, 5 (any other) hybrid;
// 2 at program start, cycling 2, 3, 4, 5, 2, ...
extern int strain_solver_method;

// Residual bound of the hybrid solver: N and M residuals with r_N² + r_M² at most this
// (0.0025²) count as solved.
constexpr double STRAIN_RESIDUAL_BOUND_SQ = 6.25e-6;

// iflag with which the residual callback ends an attempt whose residual is not a finite
// number (distinct from -1, the "solved" stop).
constexpr int STRAIN_RESIDUAL_NOT_FINITE = -2;

// Context of one hybrid solve, handed to the residual callback through the driver's
// context pointer. The callback keeps the point that met the bound: hybrd does not
// return it when the stop happens at a trial point.
struct Strain_Residual_Context {
    const Section_Record* section = nullptr;
    const double* added_areas = nullptr;
    const double* added_depths = nullptr;
    int added_count = 0;
    int flag = 0;
    double strain_target_N = 0.0;
    double strain_target_M = 0.0;
    double residual_bound_sq = STRAIN_RESIDUAL_BOUND_SQ;
    // Set by the callback when the residual met the bound: that point and its residuals.
    int accepted = 0;
    double accepted_x[2] = {0.0, 0.0};
    double accepted_fvec[2] = {0.0, 0.0};
    // Number of evaluations made for this context.
    int evaluations = 0;
};

// The residual callback: x[0] mean strain, x[1] half the difference of the edge strains
// (eps_top = x[0] - x[1], eps_bottom = x[0] + x[1]); fvec = (N - N_target, M - M_target).
// Sets *iflag to -1 when fvec[0]² + fvec[1]² <= residual_bound_sq (and records the point),
// to STRAIN_RESIDUAL_NOT_FINITE when a residual is not finite. `context` is a
// Strain_Residual_Context.
void Calc_Strain_Plane_Residual(int* n, double* x, double* fvec, int* iflag, void* context);

// Start values of the hybrid solver's first retry: the start plane (x[0] mean strain,
// x[1] half difference) is integrated and each value scaled by target / force. A value of
// 0 stays 0; a force of 0 against a nonzero value sends it to +-1e100 (by the sign of the
// target; kept when the target is 0 as well).
void Scale_Strain_Start_Values(const Section_Record* section, const double* added_areas,
                               const double* added_depths, int added_count, int flag, double N,
                               double M, double x[2]);

// Hybrid solve with up to five retries and the stepwise fallback, then the limit check.
// 0 solved within the limits; 1 not solved (the fallback failed too); 2 a plane was
// returned whose compressed edge or outermost steel lies beyond its limit (x 1.001).
int Solve_Strain_Plane_Hybrd(const Section_Record* section, const double* added_areas,
                             const double* added_depths, int added_count, double N, double M,
                             int flag, double* eps_top, double* eps_bottom);

// Bracketing search on the mean strain and the half difference (eps_top = m + d,
// eps_bottom = m - d). The flag's bit 0x10000 is taken off before the force integration;
// with it and added areas every scan runs through and keeps its last change of sign.
// 0 converged within the limits; 3 converged beyond a limit strain; 2 a scan found no
// change of sign; 1 more than 100000 evaluations; -1 (from 1, 2 or 3) when the failure
// search puts the forces on the failure envelope (load factor within 0.995 .. 1.005).
// After 1, 2 and 3 the failure state's strains are returned. Strains rounded to 10
// decimals.
int Solve_Strain_Plane_Stepwise(const Section_Record* section, const double* added_areas,
                                const double* added_depths, int added_count, double N, double M,
                                int flag, double* eps_top, double* eps_bottom);

// Compass search on (m, d) with eps_top = m - d, eps_bottom = m + d. 0 when the distance
// to the target is at most 0.0025; 1 after 100001 evaluations (last trial returned).
int Solve_Strain_Plane_Pattern(const Section_Record* section, const double* added_areas,
                               const double* added_depths, int added_count, double N, double M,
                               int flag, double* eps_top, double* eps_bottom);

// Secant steps on the mean strain m and the curvature k (eps_top = m - k h / 2,
// eps_bottom = m + k h / 2), started from the forces of uniform states and of a reference
// plane. 0 when both residuals are below 0.0025; 1 after 10001 evaluations.
int Solve_Strain_Plane_Secant(const Section_Record* section, const double* added_areas,
                              const double* added_depths, int added_count, double N, double M,
                              int flag, double* eps_top, double* eps_bottom);

// Writes "GetEps1A, v = <method>\n" to standard output, solves with the method of
// `strain_solver_method` and advances it.
void GetEps1A(const Section_Record* section, const double* added_areas, const double* added_depths,
              int added_count, double N, double M, int flag, double* eps_top, double* eps_bottom);

// Diagnostic picture of the residual landscape (nothing in the program calls it): both edge
// strains run over a grid of 101 x 101 planes from eps_cu up to the bottom strain of the
// plane with eps_cu at the top and the steel limit strain (as the hybrid solver takes it)
// at the outermost steel (the deepest added layer, else `lower_layer_depth`), in steps of
// 1 % of that range. For each plane the distance sqrt((N - N_plane)² + (M - M_plane)²)
// goes, as "%f %f %f\n", to mean_file with the mean strain and the strain difference
// (bottom - top), both per mille, and to edge_file with the two edge strains in per mille.
// Then the smallest and largest of the three values of mean_file go to standard output
// ("epsm (min/max)", "kappa (min/max)", "f2 (min/max)"). Nothing when either stream or the
// section is null.
void Dump_Strain_Scan(const Section_Record* section, const double* added_areas,
                      const double* added_depths, int added_count, double N, double M, int flag,
                      FILE* mean_file, FILE* edge_file);
