#include "section/section_laws.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "section/layer_area_design.h"
#include "section/section_design.h"
#include "test_support.h"

namespace {

Section_Record Rectangle(double h, double b)
{
    Section_Record s;
    Init_Section_Defaults(&s);
    s.part_bottom[0] = h;
    s.height = h;
    s.reference_depth = h / 2.0;
    s.width_top[0] = s.width_bottom[0] = s.width_at_zero[0] = b;
    return s;
}

Steel_Law Steel(double fy, double E, double k, double eps_u)
{
    return Steel_Law{fy, k, eps_u, fy / E, E, fy, k, eps_u, E, 0};
}

void Concrete(const Section_Record& s, double e1, double z1, double e2, double z2, double* N, double* M)
{
    Integrate_Concrete_Forces(&s.concrete_law, s.part_count, s.part_top, s.part_bottom, s.width_slope,
                              s.width_at_zero, e1, z1, e2, z2, N, M);
}

// ---- Reference values computed here, independently of the code under test.

// Concrete stress written out from the law's definition.
double Reference_Concrete_Stress(const Concrete_Law& c, double strain)
{
    const double e = strain + c.eps_shift;
    if (e > c.eps_t_limit || e == 0.0) return 0.0;
    if (e < 0.0 && e <= c.eps_peak) return -c.fc;
    if (e < 0.0 && c.law_kind == 1) {
        const double eta = e / c.eps_peak, k = c.exponent;
        return -c.fc * (k * eta - eta * eta) / (1.0 + (k - 2.0) * eta);
    }
    if (e < 0.0) return -c.fc * (1.0 - std::pow(1.0 - e / c.eps_peak, c.exponent));
    if (c.eps_t_limit <= 0.0) return 0.0;
    return e >= c.eps_t_peak ? c.fct : c.fct * e / c.eps_t_peak;
}

// N and M about depth 0 of the outline by Simpson's rule on every interval between the law's
// kinks (exact for the cubic integrands of the parabola on a trapezoid).
void Reference_Concrete_Forces(const Section_Record& s, double eps_top, double eps_bottom, double* N,
                               double* M)
{
    const Concrete_Law& c = s.concrete_law;
    const double g = (eps_bottom - eps_top) / s.height;
    *N = *M = 0.0;
    for (int i = 0; i < s.part_count; ++i) {
        std::vector<double> cuts = {s.part_top[i], s.part_bottom[i]};
        if (g != 0.0)
            for (double e : {0.0, c.eps_peak, c.eps_t_peak, c.eps_t_limit}) {
                const double z = (e - c.eps_shift - eps_top) / g;
                if (z > s.part_top[i] && z < s.part_bottom[i]) cuts.push_back(z);
            }
        std::sort(cuts.begin(), cuts.end());
        for (size_t k = 0; k + 1 < cuts.size(); ++k) {
            const int n = 400;
            const double step = (cuts[k + 1] - cuts[k]) / n;
            for (int j = 0; j <= n; ++j) {
                const double z = cuts[k] + j * step;
                const double w = (j == 0 || j == n) ? 1.0 : (j % 2 ? 4.0 : 2.0);
                // The law jumps at its tension limit: take the ends from inside the interval.
                const double z_in = j == 0 ? z + 1e-9 * step : (j == n ? z - 1e-9 * step : z);
                const double f = Reference_Concrete_Stress(c, eps_top + g * z_in) *
                                 (s.width_at_zero[i] + s.width_slope[i] * z) * w * step / 3.0;
                *N += f;
                *M += f * z;
            }
        }
    }
}

// Parabola-rectangle stress block (n = 2) of a rectangle for the edge strain eps_c in per
// mille (positive magnitude): fill factor alpha_R and depth ratio k_a of the resultant.
void Stress_Block(double e, double* alpha, double* ka)
{
    if (e <= 2.0) {
        *alpha = e / 12.0 * (6.0 - e);
        *ka = (8.0 - e) / (4.0 * (6.0 - e));
    } else {
        *alpha = (3.0 * e - 2.0) / (3.0 * e);
        *ka = (e * (3.0 * e - 4.0) + 2.0) / (2.0 * e * (3.0 * e - 2.0));
    }
}

// ---- Laws

TEST(SectionLawsTest, ConcreteLaw)
{
    Section_Record s = Rectangle(0.2, 1.0);
    Concrete_Law c = s.concrete_law;
    const struct { double strain, stress; } cases[] = {
        {-0.001, -13125.0}, {-0.002, -17500.0}, {-0.005, -17500.0}, {0.0, 0.0}, {0.0001, 0.0}};
    for (const auto& k : cases) EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, k.strain), k.stress) << k.strain;
    EXPECT_DOUBLE_EQ(Calc_Nonlinear_Concrete_Law(-10.0, 2.0, 0.3), -10.0 * 0.3 * 1.7);
    EXPECT_EQ(Calc_Parabola_Rectangle_Law(-10.0, 2.0, 1.5), -10.0);  // no descending branch

    // Tension branch with a shift: linear rise to fct, constant to the limit, then 0.
    c.fct = 2000.0;
    c.eps_t_peak = 0.0001;
    c.eps_t_limit = 0.00015;
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, 0.00015), 2000.0);  // the limit itself still carries
    c.eps_shift = -0.0001;
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, 0.00015), 1000.0);
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, 0.00024), 2000.0);
    EXPECT_EQ(Calc_Concrete_Stress(&c, 0.00026), 0.0);
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, -0.0009), -13125.0);
    c.law_kind = 1;
    c.exponent = 2.0;
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, -0.0009), -17500.0 * 0.5 * 1.5);
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, 0.00015), 1000.0);
    // With k = 2.5 the nonlinear law k eta - eta^2 over 1 + (k - 2) eta differs from the
    // parabola of exponent 2.5: at eta = 0.5, 1.0 / 1.25 against 1 - 0.5^2.5.
    c.exponent = 2.5;
    EXPECT_DOUBLE_EQ(Calc_Concrete_Stress(&c, -0.0009), -17500.0 * 0.5 * 2.0 / 1.25);
    c.law_kind = 0;
    EXPECT_NEAR(Calc_Concrete_Stress(&c, -0.0009), -17500.0 * (1.0 - std::pow(0.5, 2.5)), 1e-9);
}

TEST(SectionLawsTest, SteelLaw)
{
    Steel_Law law = Steel(500000.0, 2.1e8, 1.0, 0.005);
    const struct { double strain, stress; } plain[] = {
        {0.001, 210000.0}, {0.004, 500000.0}, {-0.004, -500000.0}, {0.0, 0.0}, {-0.001, -210000.0}};
    for (const auto& k : plain) EXPECT_DOUBLE_EQ(Calc_Steel_Stress(&law, nullptr, k.strain), k.stress);
    // Elastic overshoot hidden by rounding to 0.01 kN/m² stays elastic.
    const double eps = (500000.0 + 0.004) / 2.1e8;
    EXPECT_DOUBLE_EQ(Calc_Steel_Stress(&law, nullptr, eps), eps * 2.1e8);

    law.k_t = law.k_c = 1.08;
    law.eps_u_t = law.eps_u_c = 0.025;
    EXPECT_NEAR(Calc_Steel_Stress(&law, nullptr, 0.025), 540000.0, 1e-6);
    const double slope = 40000.0 / (0.025 - 500000.0 / 2.1e8);
    EXPECT_NEAR(Calc_Steel_Stress(&law, nullptr, 0.03), 540000.0 + 0.005 * slope, 1e-6);
    EXPECT_NEAR(Calc_Steel_Stress(&law, nullptr, -0.03), -540000.0 - 0.005 * slope, 1e-6);

    // Vertical branch: limit strain equal to the yield strain.
    law.eps_u_t = law.eps_u_c = 500000.0 / 2.1e8;
    EXPECT_EQ(Calc_Steel_Stress(&law, nullptr, 0.01), 1e100);
    EXPECT_EQ(Calc_Steel_Stress(&law, nullptr, -0.01), -1e100);
    law.k_t = law.k_c = 1.0;
    EXPECT_EQ(Calc_Steel_Stress(&law, nullptr, 0.01), 500000.0);

    // Displaced concrete.
    Concrete_Law c = Rectangle(0.2, 1.0).concrete_law;
    law.subtract_concrete = 1;
    EXPECT_DOUBLE_EQ(Calc_Steel_Stress(&law, &c, -0.001), -210000.0 + 13125.0);
    EXPECT_DOUBLE_EQ(Calc_Steel_Stress(&law, nullptr, -0.001), -210000.0);
}

// ---- Concrete integration against the reference over every kind of strain plane.

TEST(SectionLawsTest, ConcreteForcesMatchReference)
{
    Section_Record rect = Rectangle(0.6, 0.4);
    Section_Record trap = rect;   // trapezoid 0.2 -> 0.5 wide, shifted law with a tension branch
    trap.width_top[0] = trap.width_at_zero[0] = 0.2;
    trap.width_bottom[0] = trap.width_slope[0] = 0.5;
    Concrete_Law& t = trap.concrete_law;
    t.fct = 2900.0;
    t.eps_t_peak = 0.0001;
    t.eps_t_limit = 0.00015;
    t.eps_shift = -0.0002;
    Section_Record circle = rect;
    Set_Circular_Outline(&circle, 0.3, 0.1);
    Section_Record high = rect;   // C100-like: exponent 1.55 (three points, not exact)
    high.concrete_law.exponent = 1.55;
    high.concrete_law.eps_peak = high.concrete_law.eps_cu = -0.0022;
    Section_Record steep = rect;  // exponent > 2.5 takes five points
    steep.concrete_law.exponent = 3.0;
    Section_Record curved = rect;  // the nonlinear law, k = 2.2 (five points, not exact)
    curved.concrete_law.law_kind = 1;
    curved.concrete_law.exponent = 2.2;
    // C80/95 (exponent 1.4) on a width that widens by just over 0.1 b0 per m: five points
    // (within 1e-5; three would stray by 9e-5).
    Section_Record flared = rect;
    flared.concrete_law.exponent = 1.4;
    flared.concrete_law.eps_peak = -0.0025;
    flared.concrete_law.eps_cu = -0.0026;
    flared.width_slope[0] = 0.041;
    flared.width_bottom[0] = 0.4 + 0.6 * 0.041;

    const struct { const Section_Record* s; double rel; } sections[] = {
        {&rect, 1e-12}, {&trap, 1e-12}, {&circle, 1e-9}, {&high, 2e-4}, {&steep, 1e-6},
        {&curved, 1e-9}, {&flared, 2e-5}};
    const struct { double top, bottom; } planes[] = {
        {-0.0035, 0.025},  {-0.0035, 0.002},  {-0.001, 0.025},   {-0.0035, -0.0005},
        {-0.0025, -0.0015}, {-0.0020, -0.0020}, {0.025, -0.0035},  {0.0001, -0.0008},
        {-0.0001, 0.0003}, {0.001, 0.004},    {-0.0012, -0.0012}, {0.0, 0.0}};
    for (const auto& sec : sections)
        for (const auto& p : planes) {
            const Section_Record& s = *sec.s;
            double N, M, Nr, Mr;
            Concrete(s, p.top, 0.0, p.bottom, s.height, &N, &M);
            Reference_Concrete_Forces(s, p.top, p.bottom, &Nr, &Mr);
            const double scale = s.concrete_law.fc * s.height * 0.5;
            EXPECT_NEAR(N, Nr, sec.rel * scale) << p.top << " " << p.bottom;
            EXPECT_NEAR(M, Mr, sec.rel * scale * s.height) << p.top << " " << p.bottom;
        }

    // The strain line may be given at any two depths.
    double N1, M1, N2, M2;
    Concrete(rect, -0.0035, 0.0, 0.0025, 0.6, &N1, &M1);
    Concrete(rect, -0.0025, 0.1, 0.0015, 0.5, &N2, &M2);
    EXPECT_NEAR(N1, N2, 1e-9);
    EXPECT_NEAR(M1, M2, 1e-9);
    // Nothing unless z2 > 0, and nothing for two strains at one depth.
    Concrete(rect, -0.0035, 0.0, -0.003, 0.0, &N1, &M1);
    Concrete(rect, -0.0035, 0.3, -0.001, 0.3, &N2, &M2);
    EXPECT_EQ(N1, 0.0);
    EXPECT_EQ(M1 + N2 + M2, 0.0);
}

// Dimensionless bending values of a singly reinforced rectangle over strain domains 2 to
// 4, from the textbook parabola-rectangle stress block.
TEST(SectionLawsTest, DimensionlessDesignValuesOverStrainDomains)
{
    const double b = 0.3, h = 0.6, d = 0.55, fy = 434783.0, E = 2.0e8;
    Section_Record s = Rectangle(h, b);
    s.concrete_law.fc = 11333.0;
    s.layer_count = 0;
    const Steel_Law law = Steel(fy, E, 1.0, 0.025);
    const double fc = s.concrete_law.fc;
    const struct { double ec, es; } planes[] = {   // per mille
        {-0.5, 25.0}, {-1.0, 25.0}, {-2.0, 25.0}, {-3.0, 25.0}, {-3.5, 25.0}, {-3.5, 10.0},
        {-3.5, 5.0},  {-3.5, 2.174}, {-3.5, 1.5}, {-3.5, 0.5}};
    for (const auto& p : planes) {
        const double xi = -p.ec / (p.es - p.ec);
        double alpha, ka;
        Stress_Block(-p.ec, &alpha, &ka);
        const double sigma_s = std::min(p.es * 0.001 * E, fy);
        const double eps_top = p.ec * 0.001;
        const double eps_bottom = eps_top + (p.es - p.ec) * 0.001 * h / d;

        double sum_sigma, lever, abs_lever, N_c, M_c, M, A;
        Calc_Uniform_Layer_Area(&s, 1, &law, &d, eps_top, eps_bottom, 0.0, &sum_sigma, &lever,
                                &abs_lever, &N_c, &M_c, &M, &A);
        const double omega = A * sigma_s / (b * d * fc);
        const double mu = M / (b * d * d * fc);
        SCOPED_TRACE(testing::Message() << p.ec << " / " << p.es);
        EXPECT_NEAR(sum_sigma, sigma_s, 1e-6);
        EXPECT_NEAR(-N_c / (b * d * fc), alpha * xi, 1e-12);
        EXPECT_NEAR(omega, alpha * xi, 1e-12);
        EXPECT_NEAR(mu, alpha * xi * (1.0 - ka * xi), 1e-12);
        EXPECT_NEAR(mu / omega, 1.0 - ka * xi, 1e-12);  // zeta
    }
}

TEST(SectionLawsTest, PureCompressionAndTensionLimits)
{
    Section_Record s = Rectangle(0.2, 1.0);
    double N, M;
    Integrate_Section_Forces(&s, nullptr, nullptr, 0, -0.0035, -0.0035, 0, &N, &M);
    EXPECT_DOUBLE_EQ(N, -3500.0);
    EXPECT_NEAR(M, 0.0, 1e-9);

    s.layer_count = 2;
    s.layer_area[0] = s.layer_area[1] = 0.001;
    s.layer_depth[0] = 0.03;
    s.layer_depth[1] = 0.17;
    s.steel_law[3] = Steel(434783.0, 2.0e8, 1.0, 0.025);
    Integrate_Section_Forces(&s, nullptr, nullptr, 0, -0.0035, -0.0035, 0, &N, &M);
    EXPECT_NEAR(N, -3500.0 - 2 * 434.783, 1e-9);
    Integrate_Section_Forces(&s, nullptr, nullptr, 0, 0.025, 0.025, 0, &N, &M);
    EXPECT_NEAR(N, 2 * 434.783, 1e-9);
    EXPECT_NEAR(M, 0.0, 1e-9);
    s.steel_law[3].subtract_concrete = 1;   // displaced concrete under compression
    Integrate_Section_Forces(&s, nullptr, nullptr, 0, -0.0035, -0.0035, 0, &N, &M);
    EXPECT_NEAR(N, -3500.0 - 2 * (434.783 - 17.5), 1e-9);
}

// ---- Section forces: law blocks of the layers, moments about the reference axis.

TEST(SectionLawsTest, AddedLayerLawsAndMoments)
{
    Section_Record s = Rectangle(0.5, 0.3);
    s.concrete_law.fc = 0.0;  // steel only
    for (int k = 0; k < 4; ++k) s.steel_law[k] = Steel(100000.0 * (k + 1), 2.0e8, 1.0, 0.025);
    const double eps = 0.01;  // uniform tension: every layer at its yield strength
    const struct { std::vector<double> depth; int flag; std::vector<int> block; } cases[] = {
        {{0.05, 0.45}, 0, {0, 1}}, {{0.45, 0.05}, 0, {1, 0}}, {{0.2, 0.2}, 0, {1, 0}},
        {{0.05, 0.45}, 1, {2, 2}}, {{0.05, 0.25, 0.45}, 0, {2, 2, 2}}, {{0.3}, 0, {2}}};
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.depth.size());
        std::vector<double> area(n);
        double N_expected = 0.0, M_expected = 0.0;
        for (int i = 0; i < n; ++i) {
            area[i] = 0.001 * (i + 1);
            const double F = area[i] * 100000.0 * (c.block[i] + 1);
            N_expected += F;
            M_expected += F * (c.depth[i] - 0.25);
        }
        double N, M;
        EXPECT_EQ(Integrate_Section_Forces(&s, area.data(), c.depth.data(), n, eps, eps, c.flag, &N, &M), 1);
        EXPECT_NEAR(N, N_expected, 1e-9);
        EXPECT_NEAR(M, M_expected, 1e-9);
        for (int i = 0; i < n; ++i) EXPECT_EQ(layer_law_work[i].fy_t, 100000.0 * (c.block[i] + 1));
    }
    // The design layers: with equal depths the lower-layer slot takes block 0.
    s.upper_layer_depth = s.lower_layer_depth = 0.2;
    double N, M;
    Integrate_Design_Layer_Forces(&s, 0.001, 0.002, eps, eps, 0, &N, &M);
    EXPECT_NEAR(N, 0.001 * 200000.0 + 0.002 * 100000.0, 1e-9);
    s.upper_layer_depth = 0.05;
    s.lower_layer_depth = 0.45;
    Integrate_Design_Layer_Forces(&s, 0.001, 0.002, eps, eps, 0, &N, &M);
    EXPECT_NEAR(M, 100.0 * -0.2 + 400.0 * 0.2, 1e-9);
    Integrate_Design_Layer_Forces(&s, 0.001, 0.002, eps, eps, 1, &N, &M);
    EXPECT_NEAR(N, 0.003 * 300000.0, 1e-9);
}

// A zero-height section: own and added layers alike are at +-1e100 unless both edge
// strains agree; the added layers must not divide by the zero height (inf/NaN forces).
TEST(SectionLawsTest, ZeroHeightSectionLayers)
{
    Section_Record s = Rectangle(0.0, 0.3);
    s.steel_law[2] = s.steel_law[3] = Steel(500000.0, 2.0e8, 1.0, 0.025);
    s.layer_count = 1;
    s.layer_area[0] = 0.001;
    s.layer_depth[0] = 0.0;
    const double area[] = {0.002, 0.001}, depth[] = {0.0, -0.1};
    double N, M;
    Integrate_Section_Forces(&s, area, depth, 2, -0.002, 0.001, 1, &N, &M);
    ASSERT_TRUE(std::isfinite(N) && std::isfinite(M));
    // +1e100 at depth >= 0 (yield in tension), -1e100 above the top edge.
    EXPECT_NEAR(N, 500.0 + 1000.0 - 500.0, 1e-9);
    Integrate_Section_Forces(&s, area, depth, 2, 0.001, 0.001, 1, &N, &M);
    EXPECT_NEAR(N, 0.004 * 200000.0, 1e-9);
}

// ---- Balance family: the areas found carry the target forces when integrated back.

TEST(SectionLawsTest, LayerAreasForPlaneCarryTheTarget)
{
    Section_Record s = Rectangle(0.6, 0.3);
    s.upper_layer_depth = 0.05;
    s.lower_layer_depth = 0.55;
    s.steel_law[0] = Steel(434783.0, 2.0e8, 1.05, 0.025);
    s.steel_law[1] = Steel(400000.0, 1.95e8, 1.08, 0.025);
    s.steel_law[3] = Steel(434783.0, 2.0e8, 1.0, 0.025);
    s.layer_count = 1;
    s.layer_area[0] = 0.0005;
    s.layer_depth[0] = 0.3;
    const struct { double eu, el, N, M; } cases[] = {
        {-0.0030, 0.0100, -200.0, 250.0}, {-0.0035, 0.002, 100.0, 300.0}, {-0.0025, -0.0005, -2500.0, 150.0},
        {0.004, -0.0030, 50.0, -180.0}};
    for (const auto& c : cases) {
        double N_c, M_c, Au, Al;
        const double ratio = Calc_Layer_Areas_For_Plane_Of_Section(&s, c.eu, c.el, c.N, c.M, &N_c, &M_c, &Au, &Al);
        EXPECT_DOUBLE_EQ(ratio, Au / Al);
        const double area[] = {Au, Al}, depth[] = {0.05, 0.55};
        const double eps_top = c.eu - (c.el - c.eu) * 0.05 / 0.5;
        const double eps_bottom = c.el + (c.el - c.eu) * 0.05 / 0.5;
        double N, M;
        Integrate_Section_Forces(&s, area, depth, 2, eps_top, eps_bottom, 0, &N, &M);
        EXPECT_NEAR(N, c.N, 1e-8);
        EXPECT_NEAR(M, c.M, 1e-8);
        double Nc0, Mc0;
        Concrete(s, eps_top, 0.0, eps_bottom, 0.6, &Nc0, &Mc0);
        EXPECT_NEAR(N_c, Nc0, 1e-9);
        EXPECT_NEAR(M_c, Mc0 - Nc0 * 0.3, 1e-9);

        // The same through the design's work copy and its mirrored copy.
        section_work_copy = s;
        mirrored_section = s;
        double Au2, Al2, Au3, Al3;
        Calc_Layer_Areas_For_Plane(c.eu, c.el, c.N, c.M, &Au2, &Al2, nullptr, nullptr);
        Calc_Layer_Areas_For_Plane_Mirrored(c.eu, c.el, c.N, c.M, &Au3, &Al3, nullptr, nullptr);
        EXPECT_EQ(Au2, Au);
        EXPECT_EQ(Al3, Al);
    }
    // A layer at zero strain counts with 1e-10 instead of dividing by zero.
    s.layer_count = 0;
    double Au, Al;
    Calc_Layer_Areas_For_Plane_Of_Section(&s, 0.0, 0.0, 1e-10, 0.0, nullptr, nullptr, &Au, &Al);
    EXPECT_TRUE(std::isfinite(Au) && std::isfinite(Al));
    EXPECT_EQ(Calc_Layer_Areas_For_Plane_Of_Section(&s, 0.001, 0.002, 0.0, 0.0, nullptr, nullptr, &Au, &Al),
              1e10);  // nothing to carry: A_lower 0
}

TEST(SectionLawsTest, UniformLayerAreaCarriesTheNormalForce)
{
    Section_Record s = Rectangle(0.6, 0.3);
    s.steel_law[2] = Steel(434783.0, 2.0e8, 1.08, 0.025);
    const Steel_Law laws[] = {s.steel_law[2], s.steel_law[2], s.steel_law[2]};
    const double depth[] = {0.05, 0.3, 0.55};
    for (double N_target : {-1500.0, 0.0, 400.0}) {
        double sum_sigma, lever, abs_lever, N_c, M_c, M, A;
        const double eps_top = -0.0035, eps_bottom = 0.008;
        Calc_Uniform_Layer_Area(&s, 3, laws, depth, eps_top, eps_bottom, N_target, &sum_sigma, &lever,
                                &abs_lever, &N_c, &M_c, &M, &A);
        const double area[] = {A, A, A};
        double N, M_int;
        Integrate_Section_Forces(&s, area, depth, 3, eps_top, eps_bottom, 1, &N, &M_int);
        EXPECT_GE(A, 0.0);
        if (A > 0.0) {
            EXPECT_NEAR(N, N_target, 1e-8);
        }
        EXPECT_NEAR(M, M_int, 1e-8);

        // The work copy with the design's layer table gives the same, and its residual.
        section_work_copy = s;
        layer_law_table.count = 3;
        std::copy(laws, laws + 3, layer_law_table.law);
        std::copy(depth, depth + 3, layer_law_table.depth);
        double A2, M2;
        const double residual = Calc_Uniform_Layer_Area_Work(eps_top, eps_bottom, N_target, nullptr, nullptr,
                                                              nullptr, nullptr, nullptr, &M2, &A2);
        EXPECT_EQ(A2, A);
        EXPECT_EQ(M2, M);
        EXPECT_NEAR(residual, N_target - N, 1e-8);
    }
    // No layer stress: the area stays 0.
    double A = -1.0;
    Calc_Uniform_Layer_Area(&s, 3, laws, depth, 0.0, 0.0, 100.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &A);
    EXPECT_EQ(A, 0.0);
}

TEST(SectionLawsTest, StressStrainPlotBlock)
{
    Write_Stress_Strain_Plot(nullptr, 1.0, 2.0, nullptr, nullptr, "x", -1.0, 1.0);  // no report: nothing
    File_Stream out;
    const Section_Record s = Rectangle(0.2, 1.0);
    Write_Stress_Strain_Plot(out.get(), 3.5, 7.25, &s.concrete_law, nullptr, " C25/30", -1.0, 1.0);
    const std::string text = Stream_Bytes(out.get());
    EXPECT_EQ(text.rfind("#SHOWXYPLOT\n0 1 0\n Spannungsdehnungslinie  C25/30\n0 2.00 3.50 7.25\n101 -3.500000 0.000000\n", 0),
              0u);
    EXPECT_NE(text.find(" min\xCC = -17.5\n max\xCC = 0.0\n61 1 -17.500000 0.000000\n"), std::string::npos);
    // The axis marks in per mille, the first at -3.5, the last at 0; the samples in per
    // mille and MN/m2.
    EXPECT_NE(text.find("\n-3.500000 -17.500000\n"), std::string::npos);
    EXPECT_NE(text.find("\n0.000000 0.000000\n"), std::string::npos);
    EXPECT_NE(text.find("\n-1 -3.500000 -1 -3.500000\n"), std::string::npos);
    EXPECT_NE(text.find("\n-1 0.000000 -1 0.000000\n"), std::string::npos);
    // A law shifted by 1 per mille: its range moves against the shift, its stresses stay.
    Concrete_Law shifted = s.concrete_law;
    shifted.eps_shift = 0.001;
    File_Stream shifted_out;
    Write_Stress_Strain_Plot(shifted_out.get(), 3.5, 7.25, &shifted, nullptr, "S", -1.0, 1.0);
    const std::string shifted_text = Stream_Bytes(shifted_out.get());
    EXPECT_NE(shifted_text.find("\n101 -4.500000 -1.000000\n"), std::string::npos) << shifted_text;
    EXPECT_NE(shifted_text.find(" min\xCC = -17.5\n max\xCC = 0.0\n"), std::string::npos);
    // A steel law over +-5 per mille: stresses from -fy to fy, in MN/m2.
    File_Stream steel_out;
    const Steel_Law law = Steel(500000.0, 2.1e8, 1.0, 0.005);
    Write_Stress_Strain_Plot(steel_out.get(), 1.0, 1.0, nullptr, &law, "B", -1.0, 1.0);
    EXPECT_NE(Stream_Bytes(steel_out.get()).find(" min\xCC = -500.0\n max\xCC = 500.0\n61 1 -500.000000 500.000000\n"),
              std::string::npos);
    // Without a law: +-20 per mille in a hundred steps, no stress.
    File_Stream none;
    Write_Stress_Strain_Plot(none.get(), 1.0, 1.0, nullptr, nullptr, "-", -1.0, 1.0);
    EXPECT_NE(Stream_Bytes(none.get()).find("\n101 -20.000000 20.000000\n"), std::string::npos);
    // An empty range still gives one sample and ends.
    File_Stream out2;
    Write_Stress_Strain_Plot(out2.get(), 0.0, 0.0, nullptr, &s.steel_law[0], "B", 0.002, 0.001);
    EXPECT_NE(Stream_Bytes(out2.get()).find("\n1 2.000000 1.000000\n"), std::string::npos);
}

}  // namespace
