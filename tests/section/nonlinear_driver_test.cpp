#include "section/nonlinear_driver.h"

#include <cminpack.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

int calls = 0;

// x0² + x1² = 4 and x0 = x1: root (sqrt 2, sqrt 2).
void Circle_And_Line(int*, double* x, double* f, int*)
{
    ++calls;
    f[0] = x[0] * x[0] + x[1] * x[1] - 4.0;
    f[1] = x[0] - x[1];
}

// x0² + 1 = 0, x1 = 0: no root.
int No_Root_Raw(void*, int, const double* x, double* f, int)
{
    f[0] = x[0] * x[0] + 1.0;
    f[1] = x[1];
    return 0;
}
void No_Root(int*, double* x, double* f, int* iflag)
{
    No_Root_Raw(nullptr, 2, x, f, *iflag);
}

// Stops with `code` once |f| <= 1e-3, recording where.
struct Stop {
    int calls = 0, code = -1, stopped = 0;
    double x[2] = {0.0, 0.0};
};
void Circle_And_Line_Stopping(int* n, double* x, double* f, int* iflag, void* context)
{
    auto* s = static_cast<Stop*>(context);
    ++s->calls;
    Circle_And_Line(n, x, f, iflag);
    if (std::hypot(f[0], f[1]) <= 1e-3) {
        s->stopped = 1;
        s->x[0] = x[0];
        s->x[1] = x[1];
        *iflag = s->code;
    }
}

struct Call {
    int n = 2, maxfev = 1000, info = -99, lwa = 19, nfev = -99;
    double x[2] = {1.0, 0.5}, fvec[2] = {0.0, 0.0}, tol = 1e-10, epsfcn = 0.0, wa[40] = {};
    void Run(Hybrd_Residual_Fn f)
    {
        Solve_Nonlinear_Equations(f, &n, x, fvec, &tol, &maxfev, &epsfcn, &info, wa, &lwa, &nfev);
    }
    void Run(Hybrd_Residual_Context_Fn f, void* c)
    {
        Solve_Nonlinear_Equations(f, c, &n, x, fvec, &tol, &maxfev, &epsfcn, &info, wa, &lwa,
                                  &nfev);
    }
};

}  // namespace

TEST(NonlinearDriverTest, InputChecksAndDefaults)
{
    EXPECT_EQ(Nonlinear_Work_Length(1), 8);
    EXPECT_EQ(Nonlinear_Work_Length(2), 19);
    // Improper input: info 0, nothing evaluated, nothing written back.
    const struct {
        int n;
        double tol;
        int lwa;
    } refused[] = {{0, 1e-10, 19}, {-1, 1e-10, 19}, {2, -1e-10, 19}, {2, 1e-10, 18}, {1, 1e-10, 7}};
    for (const auto& c : refused) {
        Call call;
        call.n = c.n;
        call.tol = c.tol;
        call.lwa = c.lwa;
        call.maxfev = 0;
        call.epsfcn = -1.0;
        calls = 0;
        call.Run(Circle_And_Line);
        EXPECT_EQ(call.info, 0) << c.n << " " << c.tol << " " << c.lwa;
        EXPECT_EQ(call.nfev, 0);
        EXPECT_EQ(calls, 0);
        EXPECT_EQ(call.x[0], 1.0);
        EXPECT_EQ(call.maxfev, 0);
        EXPECT_EQ(call.epsfcn, -1.0);
    }
    Call none;
    none.Run(static_cast<Hybrd_Residual_Fn>(nullptr));
    EXPECT_EQ(none.info, 0);

    // A proper call: defaults written back, solved, evaluations counted.
    Call call;
    call.maxfev = 0;
    call.epsfcn = -1.0;
    calls = 0;
    call.Run(Circle_And_Line);
    EXPECT_EQ(call.info, 1);
    EXPECT_EQ(call.maxfev, 200);
    EXPECT_EQ(call.epsfcn, 0.0);
    EXPECT_NEAR(call.x[0], std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(call.x[1], std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(call.fvec[0], 0.0, 1e-9);
    EXPECT_EQ(call.nfev, calls);
}

TEST(NonlinearDriverTest, ResidualStopPassesThroughAsInfo)
{
    // Whatever negative value the residual sets comes back as info; the context is the
    // caller's, and the point where the residual stopped is the one it recorded.
    for (int code : {-1, -2, -7}) {
        Stop s;
        s.code = code;
        Call call;
        call.Run(Circle_And_Line_Stopping, &s);
        EXPECT_EQ(call.info, code);
        ASSERT_EQ(s.stopped, 1);
        EXPECT_EQ(call.nfev, s.calls);
        EXPECT_NEAR(s.x[0], std::sqrt(2.0), 1e-3);
    }
}

TEST(NonlinearDriverTest, NoProgressInTenIterationsIsReportedAsFour)
{
    // The library answers 5 for this system and start ...
    double x[2] = {0.5, 0.5}, fv[2], diag[2] = {1.0, 1.0}, fjac[4], r[3], qtf[2], w1[2], w2[2],
           w3[2], w4[2];
    int nfev = 0;
    ASSERT_EQ(hybrd(No_Root_Raw, nullptr, 2, x, fv, 1e-10, 1000, 1, 1, 0.0, diag, 2, 100.0, 0,
                    &nfev, fjac, 2, r, 3, qtf, w1, w2, w3, w4),
              5);
    // ... which the driver reports as 4.
    Call call;
    call.x[0] = call.x[1] = 0.5;
    call.Run(No_Root);
    EXPECT_EQ(call.info, 4);
    EXPECT_EQ(call.nfev, nfev);
}
