#pragma once
// Driver of MINPACK's hybrid Powell method (cminpack's double-precision hybrd) for a
// system of n nonlinear equations in n unknowns, f(x) = 0, with a forward-difference
// Jacobian. Unlike MINPACK's own simple driver the caller chooses the tolerance, the
// budget of function evaluations and the difference step.
//
// Fixed settings: band widths ml = mu = n - 1 (dense Jacobian), mode 2 with every scaling
// factor 1.0, initial step bound factor 100, no printing calls. The difference step is
// relative: h = sqrt(epsfcn) * |x_j|, or sqrt(epsfcn) when x_j is 0.
//
// Traps of hybrd that callers must know:
// - When the residual function stops the method (a negative iflag), hybrd returns that
//   value as info, but x is NOT the point at which the function stopped when the stop
//   happened at a trial point of the iteration: x keeps the previous iterate and fvec its
//   residuals. Only a stop inside the Jacobian leaves the perturbed point in x. A caller
//   that stops on "good enough" must remember that point itself.
// - info 5 (no progress in ten iterations) is reported as 4.
//
// Not re-entrant with respect to the caller's residual context only; the driver itself
// keeps no state between calls.

// Residual function in the MINPACK calling form: everything by pointer, no user pointer.
// Computes fvec from x; setting *iflag negative ends the solve with info = that value.
typedef void (*Hybrd_Residual_Fn)(int* n, double* x, double* fvec, int* iflag);

// The same with the caller's context pointer as the last argument (passed through
// untouched to every evaluation).
typedef void (*Hybrd_Residual_Context_Fn)(int* n, double* x, double* fvec, int* iflag,
                                          void* context);

// Minimum length of the work array for n unknowns: n (3n + 13) / 2 (19 for n = 2).
int Nonlinear_Work_Length(int n);

// Solves fcn(x) = 0.
//  n       number of equations and unknowns (in)
//  x       start values on entry, the solution on return (in/out)
//  fvec    residuals at the returned x (out, n doubles)
//  tol     relative tolerance between two consecutive iterates (xtol; in)
//  maxfev  budget of evaluations; below 1 it becomes 200, written back (in/out)
//  epsfcn  step of the forward differences; below 0 it becomes 0 (machine precision),
//          written back (in/out)
//  info    0 improper input (n < 1, tol < 0, lwa too short, a null argument: nothing is
//          evaluated, x and fvec untouched); 1 converged within tol; 2 maxfev reached;
//          3 tol too small for further improvement; 4 no good progress (also for
//          MINPACK's 5); a negative value set by fcn through iflag, passed through
//  wa      work array of lwa doubles, partitioned diag, qtf, four work vectors, r, fjac
//  lwa     length of wa, at least Nonlinear_Work_Length(n)
//  nfev    number of evaluations of fcn (out; 0 on improper input)
void Solve_Nonlinear_Equations(Hybrd_Residual_Fn fcn, int* n, double* x, double* fvec, double* tol,
                               int* maxfev, double* epsfcn, int* info, double* wa, int* lwa,
                               int* nfev);

// As above, with the caller's context handed to every evaluation of fcn.
void Solve_Nonlinear_Equations(Hybrd_Residual_Context_Fn fcn, void* context, int* n, double* x,
                               double* fvec, double* tol, int* maxfev, double* epsfcn, int* info,
                               double* wa, int* lwa, int* nfev);
