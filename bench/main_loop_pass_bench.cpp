// Speed of one pass of the main loop after an edit, with online calculation on and 20
// load combinations: the edit buffer applied, the data check, the silent calculation, the
// buffer filled again, and page 2 (design parameters and load tables) composed and drawn
// on a headless 1280 x 1024 screen. The calculation alone is measured beside it.
//
// Aims: under 5 ms for the calculation, under 16 ms (one frame) for the whole pass. Run
// the release build:
//
//     cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORBEL_BENCH=ON -DCORBEL_TESTS=OFF
//     cmake --build build/bench && build/bench/bench_main_loop_pass_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "annex/nad_choice.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "sheets/program/main_loop.h"
#include "platform/screen/screen.h"
#include "sheets/edit_buffer.h"
#include "sheets/register_pages.h"
#include "toolkit/scroll_area.h"

namespace {

struct Main_Sheet {
    std::filesystem::path folder;
    int area = -1;

    Main_Sheet()
    {
        folder = std::filesystem::temp_directory_path() / ("corbel_pass_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ::setenv("DRAM", folder.c_str(), 1);
        NAD_Select_By_Name("Deutschland");

        Corbel_Model& m = corbel_model;
        Set_Corbel_Defaults(&m);
        m.online_calculation = 1;
        Alloc_Load_Table(&m, 20, 0);
        for (int i = 0; i < 20; ++i) {
            std::snprintf(m.load_table[0][i].name, sizeof m.load_table[0][i].name, "Kombination %d", i + 1);
            m.load_table[0][i].A = 200000.0 + 2500.0 * i;
            m.load_table[0][i].H = 20000.0 + 1000.0 * i;
        }
        Alloc_Load_Case_Results(&m);

        Screen_Start_For_Tests("", 1280, 1024);
        Init_Prop_Sheets();
        Define_Prop_Sheet(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1, 0, 0, "", 120, 1);
        area = Area_Create(9, 55, NPIXEL_X - 14, NPIXEL_Y - 14, 1, 1);
        Activate_Prop_Sheet();
        Init_Screen_Palette();
        edit_buffer_hooks.fill = Fill_Edit_Buffer;
        edit_buffer_hooks.apply = Apply_Edit_Buffer;
        corbel_edit_buffer = Corbel_Edit_Buffer{};
        Fill_Edit_Buffer(&m);
        Compose_Register_Page_2(area, 0, 0, NPIXEL_X - 1);
        Area_Update(area);
    }
    ~Main_Sheet()
    {
        Apply_Edit_Buffer(&corbel_model);
        Area_Delete_All();
        Screen_Reset_For_Tests();
        edit_buffer_hooks = Edit_Buffer_Hooks{};
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void BM_Online_Calculation_Of_The_Pass(benchmark::State& state)
{
    Main_Sheet sheet;
    for (auto _ : state) Calculate_Corbel(&corbel_model, nullptr, 1);
    if (corbel_model.summary.governing_case < 1) state.SkipWithError("no combination designed");
}
BENCHMARK(BM_Online_Calculation_Of_The_Pass)->Unit(benchmark::kMicrosecond);

void BM_Pass_After_An_Edit(benchmark::State& state)
{
    Main_Sheet sheet;
    for (auto _ : state) {
        // The edit's tail as the loop runs it, then the next pass's calculation and page.
        results_valid = 0;
        Apply_Edit_Buffer(&corbel_model);
        Check_Corbel_Model(&corbel_model, nullptr, 0, 0);
        Fill_Edit_Buffer(&corbel_model);
        Apply_Edit_Buffer(&corbel_model);
        Calculate_Corbel(&corbel_model, nullptr, 1);
        Fill_Edit_Buffer(&corbel_model);
        results_valid = 1;
        Area_Clear(sheet.area);
        Compose_Register_Page_2(sheet.area, 0, 0, NPIXEL_X - 1);
        Area_Update(sheet.area);
    }
}
BENCHMARK(BM_Pass_After_An_Edit)->Unit(benchmark::kMillisecond);

} // namespace
