#include "section/strain_plane_solvers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "area_design_closed_form.h"
#include "base/numeric.h"
#include "section/failure_load_search.h"
#include "section/nonlinear_driver.h"
#include "section/section_laws.h"
#include "section/section_record.h"

namespace {

// The rectangle of the closed forms (parabola-rectangle law, n = 2, no tension) with two
// own reinforcement layers at the design-layer depths and a bilinear steel of hardening
// ratio k.
struct Rect : closed_form::Rect {
    double A_up = 6e-4, A_lo = 12e-4;
    double k = 1.0;
};

Section_Record Make_Section(const Rect& r)
{
    Section_Record s = closed_form::Make_Section(r);
    for (Steel_Law& l : s.steel_law) l.k_t = l.k_c = r.k;
    s.layer_count = 2;
    s.layer_area[0] = r.A_up;
    s.layer_depth[0] = r.z_top;
    s.layer_area[1] = r.A_lo;
    s.layer_depth[1] = r.z_bot;
    return s;
}

// Closed-form forces of the rectangle: the concrete in closed form, the own layers with the
// hardening of their steel.
void Closed_Form(const Rect& r, double top, double bottom, double* N, double* M)
{
    closed_form::Concrete_Forces(r, top, bottom, N, M);
    for (const auto& [z, A] : {std::pair{r.z_top, r.A_up}, std::pair{r.z_bot, r.A_lo}}) {
        const double e = closed_form::Strain_At(r, top, bottom, z), ey = r.fy / r.E;
        double sigma = r.E * e;
        if (std::fabs(e) > ey)
            sigma =
                std::copysign(r.fy + (r.k - 1) * r.fy / (r.eps_su - ey) * (std::fabs(e) - ey), e);
        *N += sigma * A;
        *M += sigma * A * z;
    }
    *M -= *N * r.z_ref;
}

// What every "solved" answer must satisfy: the hybrid solver stops at r_N² + r_M² <= 0.0025²,
// the other solvers at |r_N|, |r_M| < 0.0025 each (the stepwise strains then rounded to 10
// decimals, worth some 1e-4 kN here).
const double BOUND = 0.0025;
bool Carries(const Section_Record& s, double N, double M, double top, double bottom,
             const double* areas = nullptr, const double* depths = nullptr, int n = 0, int flag = 0)
{
    double Nr = 0.0, Mr = 0.0;
    Integrate_Section_Forces(&s, areas, depths, n, top, bottom, flag, &Nr, &Mr);
    return std::fabs(Nr - N) < BOUND + 2e-4 && std::fabs(Mr - M) < BOUND + 2e-4;
}

double Forces_Of(const Section_Record& s, double top, double bottom, double* M)
{
    double N = 0.0;
    Integrate_Section_Forces(&s, nullptr, nullptr, 0, top, bottom, 0, &N, M);
    return N;
}

// Planes across the strain domains, with either edge compressed.
const double PLANES[][2] = {
    {0.0, 0.012},      {-0.001, 0.02},   {-0.0035, 0.02},    {-0.0035, 0.005},
    {-0.0035, 0.0015}, {-0.0035, 0.0},   {-0.003, -0.0005},  {-0.0025, -0.0015},
    {-0.0005, 0.001},  {-0.001, 0.0003}, {0.005, -0.0035},   {0.0, -0.0035},
    {-0.0005, -0.003}, {0.02, -0.0035},  {-0.0021, -0.0019}, {0.0001, 0.0002},
};

}  // namespace

TEST(StrainPlaneSolverTest, HybridFindsPlanesForClosedFormForces)
{
    const Rect r;
    const Section_Record s = Make_Section(r);
    for (const auto& p : PLANES) {
        double N = 0.0, M = 0.0, Mi = 0.0;
        Closed_Form(r, p[0], p[1], &N, &M);
        ASSERT_NEAR(Forces_Of(s, p[0], p[1], &Mi), N, 1e-6 * (1 + std::fabs(N)));
        ASSERT_NEAR(Mi, M, 1e-6 * (1 + std::fabs(M)));
        double top = 99.0, bottom = 99.0;
        EXPECT_EQ(Solve_Strain_Plane_Hybrd(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom), 0)
            << p[0] << " " << p[1];
        double Nc = 0.0, Mc = 0.0;
        Closed_Form(r, top, bottom, &Nc, &Mc);
        EXPECT_LT(std::fabs(Nc - N), BOUND + 2e-4) << p[0] << " " << p[1];
        EXPECT_LT(std::fabs(Mc - M), BOUND + 2e-4) << p[0] << " " << p[1];
    }

    // Added layers instead of own ones, with the laws chosen by the flag.
    Rect bare_r = r;
    bare_r.A_up = bare_r.A_lo = 0.0;
    Section_Record bare = Make_Section(bare_r);
    bare.steel_law[0].fy_t = bare.steel_law[0].fy_c = 300000.0;
    bare.steel_law[2].fy_t = bare.steel_law[2].fy_c = 500000.0;
    const double areas[3] = {6e-4, 12e-4, 4e-4}, depths[3] = {0.05, 0.45, 0.25};
    for (int n : {2, 3})
        for (int flag : {0, 1})
            for (const auto& p : PLANES) {
                double N = 0.0, M = 0.0, top = 0.0, bottom = 0.0;
                Integrate_Section_Forces(&bare, areas, depths, n, p[0], p[1], flag, &N, &M);
                const int status =
                    Solve_Strain_Plane_Hybrd(&bare, areas, depths, n, N, M, flag, &top, &bottom);
                EXPECT_LE(status, 2);
                EXPECT_TRUE(Carries(bare, N, M, top, bottom, areas, depths, n, flag))
                    << n << " " << flag << " " << p[0] << " " << p[1] << " status " << status;
            }
}

TEST(StrainPlaneSolverTest, SolvedMeansTheReturnedPlaneCarriesTheTarget)
{
    const Rect r;
    const Section_Record s = Make_Section(r);
    double M = 0.0;
    const double N = Forces_Of(s, -0.0035, -0.0009, &M);

    // hybrd, stopped by the residual at a trial point, keeps its previous iterate in x: the
    // residual itself records the point that met the bound.
    Strain_Residual_Context c;
    c.section = &s;
    c.strain_target_N = N;
    c.strain_target_M = M;
    int n = 2, lwa = 19, maxfev = 1000, info = 0, nfev = 0;
    double x[2] = {0.01 * r.eps_cu, -0.02 * r.eps_cu}, fvec[2], wa[19];
    double tol = 2.452036887407303e-06, epsfcn = 1e-4;
    Solve_Nonlinear_Equations(Calc_Strain_Plane_Residual, &c, &n, x, fvec, &tol, &maxfev, &epsfcn,
                              &info, wa, &lwa, &nfev);
    ASSERT_EQ(info, -1);
    ASSERT_EQ(c.accepted, 1);
    EXPECT_EQ(c.evaluations, nfev);
    const double top_a = c.accepted_x[0] - c.accepted_x[1],
                 bottom_a = c.accepted_x[0] + c.accepted_x[1];
    double Ma = 0.0;
    const double Na = Forces_Of(s, top_a, bottom_a, &Ma);
    EXPECT_LE(std::hypot(Na - N, Ma - M), BOUND);
    // The solver returns exactly that point.
    double top = 0.0, bottom = 0.0;
    EXPECT_EQ(Solve_Strain_Plane_Hybrd(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom), 0);
    EXPECT_EQ(top, top_a);
    EXPECT_EQ(bottom, bottom_a);

    // Over a grid of planes every "solved" answer carries its target.
    int solved = 0, total = 0;
    for (double t = -0.0035; t <= 0.02; t += 0.0011)
        for (double b = -0.0035; b <= 0.02; b += 0.0013) {
            double Mt = 0.0;
            const double Nt = Forces_Of(s, t, b, &Mt);
            ++total;
            if (Solve_Strain_Plane_Hybrd(&s, nullptr, nullptr, 0, Nt, Mt, 0, &top, &bottom) != 0)
                continue;
            ++solved;
            EXPECT_TRUE(Carries(s, Nt, Mt, top, bottom)) << t << " " << b;
        }
    EXPECT_GT(solved, total * 9 / 10);
}

TEST(StrainPlaneSolverTest, NonFiniteNumbersEndAnAttemptInsteadOfSpreading)
{
    Rect sym;
    sym.A_up = sym.A_lo = 9e-4;
    const Section_Record s = Make_Section(sym);
    Rect plain;
    plain.A_up = plain.A_lo = 0.0;
    const Section_Record concrete = Make_Section(plain);

    // The residual ends the attempt on a point that is no number.
    Strain_Residual_Context c;
    c.section = &s;
    c.strain_target_N = -500.0;
    int n = 2;
    const double nan = std::nan(""), inf = INFINITY;
    for (const auto& p : {std::pair{nan, 0.0}, std::pair{0.0, nan}, std::pair{inf, 0.0}}) {
        double x[2] = {p.first, p.second}, f[2];
        int iflag = 1;
        Calc_Strain_Plane_Residual(&n, x, f, &iflag, &c);
        EXPECT_EQ(iflag, STRAIN_RESIDUAL_NOT_FINITE);
    }
    int iflag = 1;
    double x[2] = {-0.001, 0.0005}, f[2];
    Calc_Strain_Plane_Residual(&n, x, f, &iflag, nullptr);
    EXPECT_EQ(iflag, STRAIN_RESIDUAL_NOT_FINITE);

    // First-retry start values: a zero value stays zero (on the symmetric section the start
    // plane carries no moment, and 0 * 0 / 0 would be NaN); a start plane without force
    // sends the value to +-1e100 by the target's sign.
    const struct {
        const Section_Record* s;
        double x0, x1, N, M, expect0, expect1;
    } starts[] = {
        {&s, -0.000035, 0.0, -4000.0, 0.0, NAN, 0.0},
        {&s, 0.0, 0.0, 500.0, 20.0, 0.0, 0.0},
        {&concrete, 0.00025, 0.0, 100.0, 0.0, 1e100, 0.0},
        {&concrete, 0.00025, 0.0001, -100.0, -5.0, -1e100, -1e100},
        {&concrete, 0.00025, 0.0001, 0.0, 5.0, 0.00025, 1e100},
    };
    for (const auto& st : starts) {
        double v[2] = {st.x0, st.x1};
        Scale_Strain_Start_Values(st.s, nullptr, nullptr, 0, 0, st.N, st.M, v);
        double M0 = 0.0;
        const double N0 = Forces_Of(*st.s, st.x0 - st.x1, st.x0 + st.x1, &M0);
        EXPECT_EQ(v[0], std::isnan(st.expect0) ? st.x0 * st.N / N0 : st.expect0) << st.x0;
        EXPECT_EQ(v[1], st.expect1) << st.x0;
    }

    // Targets that cannot be carried come back as failures, with finite strains.
    const struct {
        const Section_Record* s;
        double N, M;
    } hopeless[] = {
        {&s, -4000.0, 0.0}, {&s, 1000.0, 0.0}, {&concrete, 100.0, 0.0}, {&s, 0.0, 800.0}};
    for (const auto& h : hopeless) {
        double top = 0.0, bottom = 0.0;
        const int status =
            Solve_Strain_Plane_Hybrd(h.s, nullptr, nullptr, 0, h.N, h.M, 0, &top, &bottom);
        EXPECT_TRUE(status == 1 || status == 2) << h.N << " " << h.M << " status " << status;
        EXPECT_TRUE(std::isfinite(top) && std::isfinite(bottom)) << h.N << " " << h.M;
    }
}

TEST(StrainPlaneSolverTest, HybridReportsPlanesBeyondTheLimits)
{
    const Rect r;
    const Section_Record s = Make_Section(r);
    Rect hard = r;
    hard.k = 1.08;
    hard.A_up = hard.A_lo = 10e-4;
    const Section_Record sh = Make_Section(hard);
    const double fy_A = hard.fy * (hard.A_up + hard.A_lo);
    double M1 = 0.0, M2 = 0.0;
    const double N1 = Forces_Of(s, -0.006, 0.004, &M1), N2 = Forces_Of(s, 0.004, -0.006, &M2);
    const struct {
        const char* what;
        const Section_Record* s;
        double N, M;
        int status;
    } cases[] = {
        {"no load", &s, 0.0, 0.0, 0},
        {"pure tension", &s, 300.0, 0.0, 0},
        {"hardening steel within its limit", &sh, 1.05 * fy_A, 0.0, 0},
        {"hardening steel beyond its limit", &sh, 1.1 * fy_A, 0.0, 2},
        {"top edge beyond eps_cu", &s, N1, M1, 2},
        {"bottom edge beyond eps_cu", &s, N2, M2, 2},
    };
    for (const auto& c : cases) {
        double top = 1.0, bottom = 1.0;
        EXPECT_EQ(Solve_Strain_Plane_Hybrd(c.s, nullptr, nullptr, 0, c.N, c.M, 0, &top, &bottom),
                  c.status)
            << c.what;
        EXPECT_TRUE(Carries(*c.s, c.N, c.M, top, bottom)) << c.what;
    }
    // A fully compressed plane whose less compressed edge lies beyond eps_c2 may not be
    // more compressed at the other edge: the pivot at 3/7 h from that edge holds eps_c2.
    // Steel hardening in compression keeps the forces of each such plane its own.
    for (const auto& [t, b, status] : {std::tuple{-0.0021, -0.0028, 2}, std::tuple{-0.0028, -0.0021, 2},
                                       std::tuple{-0.0005, -0.0030, 0}, std::tuple{-0.0030, -0.0005, 0}}) {
        double M = 0.0, top = 1.0, bottom = 1.0;
        const double N = Forces_Of(sh, t, b, &M);
        EXPECT_EQ(Solve_Strain_Plane_Hybrd(&sh, nullptr, nullptr, 0, N, M, 0, &top, &bottom), status)
            << t << " " << b;
        EXPECT_TRUE(Carries(sh, N, M, top, bottom)) << t << " " << b;
    }
    double top = 1.0, bottom = 1.0;
    EXPECT_EQ(Solve_Strain_Plane_Hybrd(nullptr, nullptr, nullptr, 0, 1.0, 1.0, 0, &top, &bottom),
              1);
    EXPECT_EQ(top, 0.0);
    EXPECT_EQ(bottom, 0.0);
}

// A target on which the first two attempts make no progress (hardening steel, a plane with
// the top edge at 0 and the lower steel near its limit): the third attempt starts from the
// failure state of the forces scaled back to them and solves within a couple of hundred
// integrations.
TEST(StrainPlaneSolverTest, HybridRetryFromTheFailureState)
{
    Rect r;
    r.k = 1.08;
    const Section_Record s = Make_Section(r);
    double M = 0.0;
    const double N = Forces_Of(s, 2.1684043449710089e-19, 0.019900000000000004, &M);  // as a grid left it
    double top = 1.0, bottom = 1.0;
    const long before = section_force_integrations;
    EXPECT_EQ(Solve_Strain_Plane_Hybrd(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom), 0);
    EXPECT_LE(section_force_integrations - before, 200);
    EXPECT_TRUE(Carries(s, N, M, top, bottom));
}

TEST(StrainPlaneSolverTest, StepwiseSearchConvergesOrDefersToTheFailureSearch)
{
    const Rect r;
    const Section_Record s = Make_Section(r);
    Rect bare_r = r;
    bare_r.A_up = bare_r.A_lo = 0.0;
    const Section_Record bare = Make_Section(bare_r);
    const double areas[2] = {r.A_up, r.A_lo}, depths[2] = {r.z_top, r.z_bot};
    const struct {
        const Section_Record* s;
        const double *areas, *depths;
        int n, flag;
    } setups[] = {{&s, nullptr, nullptr, 0, 0},
                  {&bare, areas, depths, 2, 0},
                  {&bare, areas, depths, 2, 0x10000}};  // every scan run through
    const double planes[][2] = {{-0.0035, 0.02},  {-0.0035, 0.002},  {0.0, -0.0035},
                                {-0.001, 0.0005}, {-0.003, -0.0005}, {0.02, -0.0035}};
    for (const auto& u : setups)
        for (const auto& p : planes) {
            double N = 0.0, M = 0.0, top = 0.0, bottom = 0.0;
            Integrate_Section_Forces(u.s, u.areas, u.depths, u.n, p[0], p[1], 0, &N, &M);
            const int result = Solve_Strain_Plane_Stepwise(u.s, u.areas, u.depths, u.n, N, M,
                                                           u.flag, &top, &bottom);
            // 0, or -1 for a target on the failure envelope.
            EXPECT_TRUE(result == 0 || result == -1) << u.flag << " " << p[0] << " " << p[1];
            EXPECT_EQ(top, Round_To_Decimals(top, 10));
            if (result == 0) {
                EXPECT_TRUE(Carries(*u.s, N, M, top, bottom, u.areas, u.depths, u.n))
                    << u.flag << " " << p[0] << " " << p[1];
            }
        }

    // The full-scan bit only changes the scans: the two added layers keep the laws of blocks
    // 0 and 1 (here different from block 2).
    {
        Section_Record odd = bare;
        odd.steel_law[2].fy_t = odd.steel_law[2].fy_c = 300000.0;
        double N = 0.0, M = 0.0, top = 0.0, bottom = 0.0;
        Integrate_Section_Forces(&odd, areas, depths, 2, -0.0035, 0.002, 0, &N, &M);
        EXPECT_EQ(Solve_Strain_Plane_Stepwise(&odd, areas, depths, 2, N, M, 0x10000, &top, &bottom), 0);
        EXPECT_TRUE(Carries(odd, N, M, top, bottom, areas, depths, 2, 0));
    }

    // The lower design layer's limit strain: that of block 1 for two added layers without
    // the flag, that of block 2 with it. Block 1 ends at 5 per mille here; a plane with
    // 10 per mille there lies beyond it only without the flag (the laws have no hardening,
    // so both flags give the same forces).
    {
        Section_Record brittle = bare;
        brittle.steel_law[1].eps_u_t = 0.005;
        const double bottom = -0.0035 + (0.01 + 0.0035) * r.h / r.z_bot;
        double N = 0.0, M = 0.0, top = 0.0, bot = 0.0;
        Integrate_Section_Forces(&brittle, areas, depths, 2, -0.0035, bottom, 0, &N, &M);
        EXPECT_EQ(Solve_Strain_Plane_Stepwise(&brittle, areas, depths, 2, N, M, 0, &top, &bot), 3);
        EXPECT_EQ(Solve_Strain_Plane_Stepwise(&brittle, areas, depths, 2, N, M, 1, &top, &bot), 0);
        EXPECT_TRUE(Carries(brittle, N, M, top, bot, areas, depths, 2, 1));
    }

    // Beyond the resistance no scan changes sign; the failure state of the forces comes
    // back, and the hybrid solver reports the fallback's failure.
    double top = 0.0, bottom = 0.0, lambda = 0.0, ft = 0.0, fb = 0.0;
    EXPECT_EQ(Solve_Strain_Plane_Stepwise(&s, nullptr, nullptr, 0, -4000.0, 0.0, 0, &top, &bottom),
              2);
    ASSERT_EQ(
        Find_Strain_Plane_For_Forces(&s, nullptr, nullptr, 0, -4000.0, 0.0, 0, &lambda, &ft, &fb),
        0);
    EXPECT_LT(lambda, 0.995);
    EXPECT_EQ(top, Round_To_Decimals(ft, 10));
    EXPECT_EQ(bottom, Round_To_Decimals(fb, 10));
    EXPECT_EQ(Solve_Strain_Plane_Hybrd(&s, nullptr, nullptr, 0, -4000.0, 0.0, 0, &top, &bottom), 1);
}

// The limit checks of the converged plane, each at a limit no other check reaches first:
// a fully compressed plane turns about the point 3/7 h from the more compressed edge (where
// eps_c2 lies on the failure plane -3.5/0 per mille); the upper design layer ends at the
// limit strain of its own law (block 0, block 2 with the flag); forces just beyond the
// failure state (the factor within 0.995..1.005) lie on the failure envelope (-1).
TEST(StrainPlaneSolverTest, StepwiseLimitsOfTheConvergedPlane)
{
    const Rect r;
    const Section_Record s = Make_Section(r);
    auto solve = [](const Section_Record& sec, double t, double b, const double* areas, const double* depths,
                    int n, int flag) {
        double N = 0.0, M = 0.0, top = 0.0, bottom = 0.0;
        Integrate_Section_Forces(&sec, areas, depths, n, t, b, flag, &N, &M);
        return Solve_Strain_Plane_Stepwise(&sec, areas, depths, n, N, M, flag, &top, &bottom);
    };
    // -3.5/-1.0 per mille has -2.43 at 3/7 h (beyond -2): never returned as solved; -2.2/-1.6
    // has -1.94 there. The less compressed edge stays below eps_c2 in both.
    EXPECT_NE(solve(s, -0.0035, -0.0010, nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(solve(s, -0.0022, -0.0016, nullptr, nullptr, 0, 0), 0);

    Rect bare_r = r;
    bare_r.A_up = bare_r.A_lo = 0.0;
    Section_Record brittle = Make_Section(bare_r);
    brittle.steel_law[0].eps_u_t = 0.005;
    const double areas[2] = {r.A_up, r.A_lo}, depths[2] = {r.z_top, r.z_bot};
    // 10 per mille at the upper layer, the lower edge at -3.5.
    const double k = r.z_top / r.h, top = (0.01 + 0.0035 * k) / (1.0 - k);
    EXPECT_EQ(solve(brittle, top, -0.0035, areas, depths, 2, 0), 3);
    EXPECT_EQ(solve(brittle, top, -0.0035, areas, depths, 2, 1), 0);

    // Beyond the resistance: the forces of a failure plane, raised by 1/0.9955 and 1/0.9945.
    double lambda = 0.0, ft = 0.0, fb = 0.0;
    ASSERT_EQ(Find_Strain_Plane_For_Forces(&s, nullptr, nullptr, 0, 0.0, 1000.0, 0, &lambda, &ft, &fb), 0);
    double Nf = 0.0, Mf = 0.0;
    Integrate_Section_Forces(&s, nullptr, nullptr, 0, ft, fb, 0, &Nf, &Mf);
    for (const auto& [f, expected] : {std::pair{0.9955, -1}, std::pair{0.9945, 1}}) {
        double t = 0.0, b = 0.0;
        EXPECT_EQ(Solve_Strain_Plane_Stepwise(&s, nullptr, nullptr, 0, Nf / f, Mf / f, 0, &t, &b), expected) << f;
    }
}

// A deep, large section: 60 x 250 cm (Ac = 1.5 m2), 20 and 100 cm2 at 10 cm from the edges.
Rect Deep_Rect()
{
    Rect r;
    r.b = 0.6;
    r.h = 2.5;
    r.z_ref = 1.25;
    r.z_top = 0.1;
    r.z_bot = 2.4;
    r.A_up = 20e-4;
    r.A_lo = 100e-4;
    return r;
}

// Planes of the deep section from a lightly strained lower steel up to its limit strain,
// with the edge at several compressions: the hybrid solver finds each within a few dozen
// force integrations, the stepwise search (own layers, or the same bars as added layers)
// within its bracket, whose upper end lies at the steel's limit strain over the lever.
TEST(StrainPlaneSolverTest, DeepSectionPlanesUpToTheSteelLimitStrain)
{
    const Rect r = Deep_Rect();
    const Section_Record s = Make_Section(r);
    Rect bare_r = r;
    bare_r.A_up = bare_r.A_lo = 0.0;
    const Section_Record bare = Make_Section(bare_r);
    const double areas[2] = {r.A_up, r.A_lo}, depths[2] = {r.z_top, r.z_bot};
    long hybrid_total = 0;
    int solves = 0;
    for (double top : {-0.0035, -0.002, -0.0012})
        for (double share : {0.1, 0.5, 0.95, 0.999}) {
            // The lower steel at share x eps_su.
            const double bottom = top + (share * r.eps_su - top) * r.h / r.z_bot;
            double N = 0.0, M = 0.0;
            Closed_Form(r, top, bottom, &N, &M);
            const std::string where = std::to_string(top) + " " + std::to_string(share);
            double t = 0.0, b = 0.0;
            const long before = section_force_integrations;
            EXPECT_EQ(Solve_Strain_Plane_Hybrd(&s, nullptr, nullptr, 0, N, M, 0, &t, &b), 0) << where;
            const long used = section_force_integrations - before;
            EXPECT_LE(used, 100) << where;
            hybrid_total += used;
            ++solves;
            EXPECT_TRUE(Carries(s, N, M, t, b)) << where;
            EXPECT_NEAR(t, top, 1e-6) << where;
            EXPECT_NEAR(b, bottom, 1e-5) << where;

            // On the failure envelope (edge at eps_cu or steel at eps_su) the failure search
            // may give the answer.
            if (share == 0.999 || top == r.eps_cu) continue;
            EXPECT_EQ(Solve_Strain_Plane_Stepwise(&s, nullptr, nullptr, 0, N, M, 0, &t, &b), 0) << where;
            EXPECT_TRUE(Carries(s, N, M, t, b)) << where;
            EXPECT_EQ(Solve_Strain_Plane_Stepwise(&bare, areas, depths, 2, N, M, 0, &t, &b), 0) << where;
            EXPECT_TRUE(Carries(bare, N, M, t, b, areas, depths, 2)) << where;
        }
    // A typical solve takes some 40 integrations.
    EXPECT_LE(hybrid_total, 60 * solves);

    // Hardening steel (k = 1.08): the lower steel just within 1.001 eps_su passes, beyond
    // it the plane is reported.
    Rect hard_r = r;
    hard_r.k = 1.08;
    const Section_Record hard = Make_Section(hard_r);
    for (const auto& [share, status] : {std::pair{1.0005, 0}, std::pair{1.003, 2}}) {
        const double top = -0.002, bottom = top + (share * r.eps_su - top) * r.h / r.z_bot;
        double N = 0.0, M = 0.0, t = 0.0, b = 0.0;
        Closed_Form(hard_r, top, bottom, &N, &M);
        EXPECT_EQ(Solve_Strain_Plane_Hybrd(&hard, nullptr, nullptr, 0, N, M, 0, &t, &b), status) << share;
        EXPECT_TRUE(Carries(hard, N, M, t, b)) << share;
    }
}

// Plain concrete without a tension branch: planes in tension carry nothing. A trial with
// N and M both 0 makes the scan's steps ten times finer (down to thousandths of the rest of
// the bracket) before the search gives up on a tension it cannot carry.
TEST(StrainPlaneSolverTest, StepwiseScanRefinesThroughPlanesWithoutForces)
{
    Rect plain_r;
    plain_r.A_up = plain_r.A_lo = 0.0;
    const Section_Record plain = Make_Section(plain_r);
    double top = 1.0, bottom = 1.0;
    const long before = section_force_integrations;
    EXPECT_EQ(Solve_Strain_Plane_Stepwise(&plain, nullptr, nullptr, 0, 100.0, 0.0, 0, &top, &bottom), 2);
    EXPECT_GT(section_force_integrations - before, 1000);
    // A small compression is found.
    EXPECT_EQ(Solve_Strain_Plane_Stepwise(&plain, nullptr, nullptr, 0, -100.0, 0.0, 0, &top, &bottom), 0);
    EXPECT_TRUE(Carries(plain, -100.0, 0.0, top, bottom));
}

// A law whose residual jumps across the target: the concrete's tension branch ends at
// 30 per mille, where 4350 kN of tension vanish at once. Without the full-scan bit the first
// change of sign, on the rising branch, gives the plane. With it every scan keeps its last
// change of sign, the jump, whose bracket narrows to two neighbouring numbers; the scan
// settles on the end with the smaller residual. For 3000 kN the next rounds still reach the
// rising branch; for 1000 kN (87 kN of steel beyond the jump) the search stays at the jump
// until its budget is spent, and the failure state of the forces (uniform 25 per mille,
// 4437 kN) comes back.
TEST(StrainPlaneSolverTest, StepwiseSearchSettlesOnAJumpOfTheLaw)
{
    Rect bare_r = Deep_Rect();
    bare_r.A_up = bare_r.A_lo = 0.0;
    Section_Record s = Make_Section(bare_r);
    s.concrete_law.fct = 2900.0;
    s.concrete_law.eps_t_peak = 0.0001;
    s.concrete_law.eps_t_limit = 0.03;
    const double areas[2] = {1e-4, 1e-4}, depths[2] = {0.1, 2.4};
    // Uniform tension e on the rising (linear) branch: 2900 e/0.0001 x 1.5 + 2e8 e x 2e-4.
    auto uniform_force = [](double e) { return 2900.0 * e / 0.0001 * 1.5 + 4e4 * e; };
    for (double N : {1000.0, 3000.0})
        for (int flag : {0, 0x10000}) {
            const std::string where = std::to_string(N) + " " + std::to_string(flag);
            double t = 0.0, b = 0.0;
            const int result = Solve_Strain_Plane_Stepwise(&s, areas, depths, 2, N, 0.0, flag, &t, &b);
            if (N == 1000.0 && flag != 0) {
                EXPECT_EQ(result, 1) << where;
                EXPECT_EQ(t, 0.025) << where;
                EXPECT_EQ(b, 0.025) << where;
                continue;
            }
            EXPECT_EQ(result, 0) << where;
            EXPECT_NEAR(t, b, 1e-9) << where;
            // The strains rounded to 10 decimals are worth some 0.002 kN on this slope.
            EXPECT_NEAR(uniform_force(0.5 * (t + b)), N, 0.005) << where;
        }
}

// Every solver, on added layers whose laws the flag chooses (planes where the two choices
// give other forces): the plane it returns as solved carries both forces of those layers
// and laws. The compass search is weak: it is held to a single plane.
TEST(StrainPlaneSolverTest, EverySolverCarriesTheForcesOfTheAddedLayers)
{
    using Solver = int (*)(const Section_Record*, const double*, const double*, int, double, double, int,
                           double*, double*);
    Rect bare_r;
    bare_r.A_up = bare_r.A_lo = 0.0;
    Section_Record bare = Make_Section(bare_r);
    bare.steel_law[0].fy_t = bare.steel_law[0].fy_c = 300000.0;
    bare.steel_law[2].fy_t = bare.steel_law[2].fy_c = 500000.0;
    const double areas[2] = {6e-4, 12e-4}, depths[2] = {0.05, 0.45};
    for (const Solver solve : {Solve_Strain_Plane_Hybrd, Solve_Strain_Plane_Stepwise, Solve_Strain_Plane_Pattern,
                               Solve_Strain_Plane_Secant}) {
        for (int flag : {0, 1}) {
            int solved = 0;
            for (const auto& p : {std::pair{-0.0035, 0.005}, std::pair{-0.002, 0.01}, std::pair{0.0, 0.0025}}) {
                double N = 0.0, M = 0.0, top = 0.0, bottom = 0.0;
                Integrate_Section_Forces(&bare, areas, depths, 2, p.first, p.second, flag, &N, &M);
                if (solve(&bare, areas, depths, 2, N, M, flag, &top, &bottom) != 0) continue;
                ++solved;
                EXPECT_TRUE(Carries(bare, N, M, top, bottom, areas, depths, 2, flag)) << flag << " " << p.first;
            }
            EXPECT_GE(solved, solve == Solve_Strain_Plane_Pattern ? flag : 3) << flag;
        }
    }
}

TEST(StrainPlaneSolverTest, PatternSecantAndTheDispatcher)
{
    const Section_Record s = Make_Section(Rect{});
    for (const auto& p :
         {std::pair{-0.0035, 0.002}, std::pair{-0.001, 0.0005}, std::pair{-0.0035, 0.0}}) {
        double M = 0.0, top = 0.0, bottom = 0.0;
        const double N = Forces_Of(s, p.first, p.second, &M);
        const long before = section_force_integrations;
        EXPECT_EQ(Solve_Strain_Plane_Secant(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom), 0);
        EXPECT_LE(section_force_integrations - before, 30) << p.first << " " << p.second;  // some 25
        EXPECT_TRUE(Carries(s, N, M, top, bottom)) << p.first << " " << p.second;
        if (Solve_Strain_Plane_Pattern(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom) == 0) {
            EXPECT_TRUE(Carries(s, N, M, top, bottom)) << p.first << " " << p.second;
        }
    }
    // The compass search from m = d = 0 with steps of 1 % (m) and 2 % (d) of eps_su - eps_cu:
    // a target one step of d away is met by the first round of four trials, exactly.
    {
        const Rect r;
        const double step_d = 0.02 * (r.eps_su - r.eps_cu);
        double M = 0.0, top = 1.0, bottom = 1.0;
        const double N = Forces_Of(s, -step_d, step_d, &M);
        const long before = section_force_integrations;
        EXPECT_EQ(Solve_Strain_Plane_Pattern(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom), 0);
        EXPECT_EQ(section_force_integrations - before, 4);
        EXPECT_EQ(top, -step_d);
        EXPECT_EQ(bottom, step_d);
        // And one step of d the other way.
        const double N2 = Forces_Of(s, step_d, -step_d, &M);
        EXPECT_EQ(Solve_Strain_Plane_Pattern(&s, nullptr, nullptr, 0, N2, M, 0, &top, &bottom), 0);
        EXPECT_EQ(top, step_d);
        EXPECT_EQ(bottom, -step_d);
    }

    // Beyond the resistance both give up within their budgets, strains still written.
    double top = 0.0, bottom = 0.0;
    EXPECT_EQ(Solve_Strain_Plane_Secant(&s, nullptr, nullptr, 0, -4000.0, 100.0, 0, &top, &bottom),
              1);
    EXPECT_EQ(Solve_Strain_Plane_Pattern(&s, nullptr, nullptr, 0, -4000.0, 100.0, 0, &top, &bottom),
              1);
    EXPECT_TRUE(std::isfinite(top) && std::isfinite(bottom));

    // The dispatcher announces and cycles 2, 3, 4, 5, 2, ...
    double M = 0.0;
    const double N = Forces_Of(s, -0.0035, 0.002, &M);
    const int saved = strain_solver_method;
    strain_solver_method = 2;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 5; ++i) {
        GetEps1A(&s, nullptr, nullptr, 0, N, M, 0, &top, &bottom);
        EXPECT_TRUE(Carries(s, N, M, top, bottom)) << "call " << i;
    }
    EXPECT_EQ(
        testing::internal::GetCapturedStdout(),
        "GetEps1A, v = 2\nGetEps1A, v = 3\nGetEps1A, v = 4\nGetEps1A, v = 5\nGetEps1A, v = 2\n");
    EXPECT_EQ(strain_solver_method, 3);
    strain_solver_method = saved;
}

namespace {

std::vector<std::string> Lines_Of(FILE* f)
{
    std::vector<std::string> lines;
    std::rewind(f);
    char buffer[200];
    while (std::fgets(buffer, sizeof buffer, f)) lines.emplace_back(buffer);
    return lines;
}

}  // namespace

TEST(StrainPlaneSolverTest, ScanOfTheResidualLandscape)
{
    const Rect r;
    const Section_Record s = Make_Section(r);
    // The grid ends at the bottom strain of the plane with eps_cu at the top and eps_su at
    // the lower layer: -3.5 + 28.5 * 0.5 / 0.45 = 28.166667 per mille, 1 % of the range a step.
    const double end = r.eps_cu + (r.eps_su - r.eps_cu) * r.h / r.z_bot;
    const double step = 0.01 * (end - r.eps_cu);
    double M = 0.0;
    const double N = Forces_Of(s, r.eps_cu + 20 * step, r.eps_cu + 60 * step, &M);

    FILE* mean_file = std::tmpfile();
    FILE* edge_file = std::tmpfile();
    ASSERT_TRUE(mean_file && edge_file);
    testing::internal::CaptureStdout();
    Dump_Strain_Scan(&s, nullptr, nullptr, 0, N, M, 0, mean_file, edge_file);
    const std::string summary = testing::internal::GetCapturedStdout();
    const std::vector<std::string> means = Lines_Of(mean_file), edges = Lines_Of(edge_file);
    ASSERT_EQ(means.size(), 101u * 101u);
    ASSERT_EQ(edges.size(), 101u * 101u);
    EXPECT_EQ(edges.front().substr(0, 20), "-3.500000 -3.500000 ");
    EXPECT_EQ(edges.back().substr(0, 20), "28.166667 28.166667 ");
    // The target's own plane lies on the grid (top outer, bottom inner) at distance 0.
    const size_t hit = 20 * 101 + 60;
    EXPECT_EQ(edges[hit], "2.833333 15.500000 0.000000\n");
    EXPECT_EQ(means[hit], "9.166667 12.666667 0.000000\n");
    EXPECT_EQ(summary.substr(0, summary.find("f2")),
              "epsm (min/max)    -3.500000   28.166667\n"
              "kappa (min/max)   -31.666667   31.666667\n");
    const std::string f2 = "f2 (min/max)      0.000000   ";
    EXPECT_EQ(summary.substr(summary.find("f2"), f2.size()), f2);
    std::fclose(mean_file);
    std::fclose(edge_file);

    // A deeper added layer is the outermost steel: the grid then ends at eps_su at 0.5 m.
    {
        const double area = 5e-4, depth = 0.5;
        FILE* a = std::tmpfile();
        FILE* b = std::tmpfile();
        testing::internal::CaptureStdout();
        Dump_Strain_Scan(&s, &area, &depth, 1, N, M, 0, a, b);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(Lines_Of(b).back().substr(0, 20), "25.000000 25.000000 ");
        std::fclose(a);
        std::fclose(b);
    }

    // Without both streams nothing is scanned or announced.
    FILE* only = std::tmpfile();
    testing::internal::CaptureStdout();
    Dump_Strain_Scan(&s, nullptr, nullptr, 0, N, M, 0, only, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(Lines_Of(only).empty());
    std::fclose(only);
}
