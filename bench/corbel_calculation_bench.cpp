// Speed of the corbel calculation as the program runs it: the refresh run's calculation and
// report of a position with 1, 20 and 1000 load combinations (every combination written in
// full, and the tabular form), the silent online calculation of 20 combinations, and three
// positions of 20 combinations at the edge of what can be designed.
//
// Aims: under 0.1 s for the report of 1000 combinations on one core, growing linearly with
// the count; under 5 ms for the online calculation of 20. Run the release build:
//
//     cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORBEL_BENCH=ON -DCORBEL_TESTS=OFF
//     cmake --build build/bench && build/bench/bench_corbel_calculation
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "annex/nad_choice.h"
#include "base/component_files.h"
#include "base/run_globals.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"

namespace {

// The default single load corbel on a column with n combinations, its fatigue check on,
// reported into a temporary folder as the refresh run does it (with the section graphic).
struct Position {
    std::filesystem::path folder;

    Position(int n, int detail_level)
    {
        folder = std::filesystem::temp_directory_path() / ("corbel_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ::setenv("DRAM", folder.c_str(), 1);
        NAD_Select_By_Name("Deutschland");
        Set_Component_Path((folder / "B1").c_str());
        oli_file_name = "_01.OLI";
        spf_file_name = (folder / "B10001.SPF").string();

        Corbel_Model& m = corbel_model;
        Set_Corbel_Defaults(&m);
        m.fatigue_check = 1;
        m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = detail_level;
        Alloc_Load_Table(&m, n, 0);
        for (int i = 0; i < n; ++i) {
            std::snprintf(m.load_table[0][i].name, sizeof m.load_table[0][i].name, "Kombination %d", i + 1);
            m.load_table[0][i].A = 200000.0 + 250.0 * (i % 400);
            m.load_table[0][i].H = 20000.0 + 100.0 * (i % 90);
        }
        Alloc_Load_Table(&m, 2, 1);
        m.load_table[1][0].A = 260000.0;
        m.load_table[1][0].H = 52000.0;
        m.load_table[1][1].A = 120000.0;
        m.load_table[1][1].H = 24000.0;
        Alloc_Load_Case_Results(&m);
    }
    ~Position()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void BM_Refresh_Report(benchmark::State& state)
{
    Position position(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        if (Write_Corbel_Report() != 0) state.SkipWithError("report not written");
    }
    state.SetLabel(state.range(1) == 3 ? "tabellarisch" : "jede Kombination ausfuehrlich");
}
BENCHMARK(BM_Refresh_Report)
    ->ArgsProduct({{1, 20, 1000}, {2, 3}})
    ->Unit(benchmark::kMillisecond);

void BM_Online_Calculation(benchmark::State& state)
{
    Position position(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) Calculate_Corbel(&corbel_model, nullptr, 0);
}
BENCHMARK(BM_Online_Calculation)->Arg(20)->Unit(benchmark::kMicrosecond);

// Positions at the edge of what can be designed, with 20 combinations and the fatigue check
// on: 0, a fatigue combination that the cracked section cannot balance with any tie (the
// stress routine gives up); 1, the tie 8 cm deep in a corbel of 10 cm under "Heft 430" with
// a horizontal load far above the vertical one (the data check refuses it); 2, a free
// concrete whose material data are damaged (no peak strain). Aim: each report well under
// 1 s (the first two once took 20 to 30 s, the third minutes).
void BM_Refresh_Report_At_The_Edge(benchmark::State& state)
{
    Position position(20, 2);
    Corbel_Model& m = corbel_model;
    if (state.range(0) == 0) {
        m.load_table[1][1].A = 1.0e8;
        m.load_table[1][1].H = 2.0e7;
    } else if (state.range(0) == 2) {
        m.concrete_class = MODEL_FIRST_FREE_CONCRETE;
        m.eps_c2 = 0.0;
    } else {
        m.method = 4;
        m.hk = 10.0;
        m.d1k = 8.0;
        m.lk = 120.0;
        m.load_a = 61.1;
        m.lp = 5.0;
        for (int k = 0; k < 2; ++k) {
            m.load_table[k][0].A = 6550.0;
            m.load_table[k][0].H = 126680.0;
        }
    }
    for (auto _ : state) {
        if (Write_Corbel_Report() != 0) state.SkipWithError("report not written");
    }
    static const char* const labels[] = {"kein Gleichgewicht", "Zugband unter halber Hoehe", "beschaedigter Beton"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_Refresh_Report_At_The_Edge)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
