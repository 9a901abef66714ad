// Speed of the screen library where the dialogs lean on it: measuring a text (a table sum
// per byte; the user comment measures growing beginnings of every line), and filling
// the screen and drawing 200 texts (a page of the main sheet), and opening and closing a
// sheet over the whole screen (the screen under it is kept and put back).
#include <benchmark/benchmark.h>

#include "platform/screen/screen.h"

namespace {

const char* const text40 = "Tr\x84gerkonsole, Auflager \x8C 12 mm, a = 15.0 cm";  // 40 bytes

void Measure_Text(benchmark::State& state)
{
    Init_RFont();
    for (auto _ : state) benchmark::DoNotOptimize(Get_Text_Width_Px(text40));
}
BENCHMARK(Measure_Text);

void Fill_Screen_And_Draw_Texts(benchmark::State& state)
{
    Screen_Start_For_Tests("", 1280, 1024);
    Init_RFont();
    for (auto _ : state) {
        const int buffered = pxBuff(-1);
        pxFgc(0xD4D0C8);
        pxRect(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        pxFgc(0);
        for (int i = 0; i < 200; ++i) pxText(20 + (i % 4) * 300, 30 + (i / 4) * 19, text40, -1);
        pxBuff(buffered);
    }
    Screen_Reset_For_Tests();
}
BENCHMARK(Fill_Screen_And_Draw_Texts)->Unit(benchmark::kMillisecond);

void Open_And_Close_Full_Screen_Sheet(benchmark::State& state)
{
    Screen_Start_For_Tests("", 1280, 1024);
    Init_Prop_Sheets();
    for (auto _ : state) {
        Define_Prop_Sheet(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1, 0, 0, "", 120, 1);
        Undefine_Prop_Sheet();
    }
    Screen_Reset_For_Tests();
}
BENCHMARK(Open_And_Close_Full_Screen_Sheet)->Unit(benchmark::kMillisecond);

} // namespace
