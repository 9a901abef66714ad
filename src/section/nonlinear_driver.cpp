#include "section/nonlinear_driver.h"

#include <cminpack.h>

namespace {

// What cminpack hands back to the adapter through its user pointer: the caller's residual
// in one of the two forms and its context.
struct Residual_Adapter {
    Hybrd_Residual_Fn plain = nullptr;
    Hybrd_Residual_Context_Fn with_context = nullptr;
    void* context = nullptr;
};

// cminpack's callback form -> the MINPACK form. cminpack passes x as const, but every x it
// passes is one of its own writable arrays (the caller's x, a trial vector or the point
// perturbed for the Jacobian), so handing it on as writable is sound. The value set into
// iflag is returned; a negative one makes hybrd stop and return it as info.
int Adapter_Callback(void* p, int n, const double* x, double* fvec, int iflag)
{
    auto* adapter = static_cast<Residual_Adapter*>(p);
    int nn = n;
    int flag = iflag;
    double* xw = const_cast<double*>(x);
    if (adapter->with_context != nullptr)
        adapter->with_context(&nn, xw, fvec, &flag, adapter->context);
    else
        adapter->plain(&nn, xw, fvec, &flag);
    return flag;
}

void Run_Hybrd(Residual_Adapter* adapter, int* n, double* x, double* fvec, double* tol, int* maxfev,
               double* epsfcn, int* info, double* wa, int* lwa, int* nfev)
{
    if (nfev != nullptr) *nfev = 0;
    if (info != nullptr) *info = 0;
    if (adapter->plain == nullptr && adapter->with_context == nullptr) return;
    if (n == nullptr || x == nullptr || fvec == nullptr || tol == nullptr || maxfev == nullptr ||
        epsfcn == nullptr || info == nullptr || wa == nullptr || lwa == nullptr)
        return;
    const int nn = *n;
    if (nn <= 0 || !(*tol >= 0.0) || *lwa < Nonlinear_Work_Length(nn)) return;
    if (*maxfev < 1) *maxfev = 200;
    if (*epsfcn < 0.0) *epsfcn = 0.0;

    const int ml = nn - 1;
    const int mu = nn - 1;
    const int mode = 2;
    const double factor = 100.0;
    const int nprint = 0;
    const int ldfjac = nn;
    const int lr = nn * (nn + 1) / 2;

    double* diag = wa;
    double* qtf = wa + nn;
    double* wa1 = wa + 2 * nn;
    double* wa2 = wa + 3 * nn;
    double* wa3 = wa + 4 * nn;
    double* wa4 = wa + 5 * nn;
    double* r = wa + 6 * nn;
    double* fjac = wa + 6 * nn + lr;
    for (int i = 0; i < nn; ++i) diag[i] = 1.0;

    int evaluations = 0;
    int result =
        hybrd(Adapter_Callback, adapter, nn, x, fvec, *tol, *maxfev, ml, mu, *epsfcn, diag, mode,
              factor, nprint, &evaluations, fjac, ldfjac, r, lr, qtf, wa1, wa2, wa3, wa4);
    if (result == 5) result = 4;
    *info = result;
    if (nfev != nullptr) *nfev = evaluations;
}

}  // namespace

int Nonlinear_Work_Length(int n)
{
    if (n <= 0) return 0;
    return n * (3 * n + 13) / 2;
}

void Solve_Nonlinear_Equations(Hybrd_Residual_Fn fcn, int* n, double* x, double* fvec, double* tol,
                               int* maxfev, double* epsfcn, int* info, double* wa, int* lwa,
                               int* nfev)
{
    Residual_Adapter adapter;
    adapter.plain = fcn;
    Run_Hybrd(&adapter, n, x, fvec, tol, maxfev, epsfcn, info, wa, lwa, nfev);
}

void Solve_Nonlinear_Equations(Hybrd_Residual_Context_Fn fcn, void* context, int* n, double* x,
                               double* fvec, double* tol, int* maxfev, double* epsfcn, int* info,
                               double* wa, int* lwa, int* nfev)
{
    Residual_Adapter adapter;
    adapter.with_context = fcn;
    adapter.context = context;
    Run_Hybrd(&adapter, n, x, fvec, tol, maxfev, epsfcn, info, wa, lwa, nfev);
}
