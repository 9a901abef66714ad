// Speed of the section analysis as the corbel uses it: the mode-0 design of the corbel's
// rectangular section under a typical normal force and moment, and one strain-plane solve
// of the cracked section with its tie (as the fatigue stresses do it).
#include <benchmark/benchmark.h>

#include <cstring>

#include "material/material_set.h"
#include "section/section_design.h"
#include "section/section_record.h"
#include "section/strain_plane_solvers.h"

namespace {

// C30/37 (fcd = 0.85 * 30 / 1.5 MN/m²) with B500B (fyd = 500 / 1.15, hardening to 1.08 fyd
// at 25 per mille), as the corbel's material set holds them.
struct Corbel_Materials {
    Concrete_Record concrete;
    Steel_Record steel[2];
    Material_Set set;

    Corbel_Materials()
    {
        std::memset(&concrete, 0, sizeof concrete);
        concrete.fck = 30.0;
        concrete.fcd = 17.0;
        concrete.eps_c2 = -2.0;
        concrete.eps_cu = -3.5;
        concrete.n_exp = 2.0;
        concrete.density = 2200.0;
        std::memset(steel, 0, sizeof steel);
        for (Steel_Record& s : steel) {
            s.fyk = 500.0;
            s.ftk = 540.0;
            s.fyd = 500.0 / 1.15;
            s.ftd = 1.08 * s.fyd;
            s.eps_uk = 25.0;
            s.es = 200000.0;
            s.eps_yd = s.fyd / s.es * 1000.0;
        }
        std::memset(&set, 0, sizeof set);
        set.new_standard = 1;
        set.en1992_1_1 = 1;
        set.n_concrete = 1;
        set.n_steel = 2;
        set.concrete = &concrete;
        set.steel = steel;
    }
};

// The corbel's section: hk = 60 cm, b = 40 cm, both layers 5 cm from their edges, the
// reference axis at half depth.
Section_Record Corbel_Section(const Corbel_Materials& m)
{
    Section_Record s;
    std::memset(&s, 0, sizeof s);
    Init_Section_Defaults(&s);
    Setup_Section(&s, 0, 60.0, 40.0, 0.0, 0.0, 0.0, 0.0, 5.0, 5.0, 30.0, &m.set);
    return s;
}

// Column corbel: H = 100 kN, M = -((hk/2 + aH) H + M_A) with M_A from a vertical load of
// 500 kN at 0.2 m.
constexpr double kN = 100.0;
constexpr double kM = -135.0;

void BM_DesignSectionMode0(benchmark::State& state)
{
    const Corbel_Materials materials;
    Section_Record section = Corbel_Section(materials);
    const double sign = (state.range(0) == 0) ? 1.0 : -1.0;  // 0 beam corbel, 1 column corbel
    Section_Design_Result result;
    int status = 0;
    for (auto _ : state) {
        status = Design_Section(&section, kN, sign * -kM, 1.0, 0, &result);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(result);
    }
    if (status != 0) state.SkipWithError("the design failed");
    state.counters["As_tie_cm2"] = 1e4 * ((sign > 0) ? result.As_bottom : result.As_top);
}
BENCHMARK(BM_DesignSectionMode0)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The cracked section with a tie of 12 cm² at the top under service forces.
void BM_SolveStrainPlane(benchmark::State& state)
{
    const Corbel_Materials materials;
    const Section_Record section = Corbel_Section(materials);
    const double area[2] = {12e-4, 0.0};
    const double depth[2] = {0.05, 0.55};
    double eps_top = 0.0, eps_bottom = 0.0;
    int status = 0;
    for (auto _ : state) {
        status = Solve_Strain_Plane_Hybrd(&section, area, depth, 2, 0.6 * kN, 0.6 * kM, 0, &eps_top,
                                          &eps_bottom);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(eps_top);
        benchmark::DoNotOptimize(eps_bottom);
    }
    if (status != 0) state.SkipWithError("the strain plane was not found");
    state.counters["eps_top_permille"] = 1e3 * eps_top;
    state.counters["eps_bottom_permille"] = 1e3 * eps_bottom;
}
BENCHMARK(BM_SolveStrainPlane)->Unit(benchmark::kMicrosecond);

}  // namespace
