// Speed of the report viewer: a report of 20 A4 pages, written by the system's report
// writers (headings, paragraphs with sub- and superscripts and colours, tables, the corbel
// graphic), read, laid out and written as PDF; and the same laid-out report as PNG pages.
// Aim: the PDF in under 0.3 s on one core.
#include <benchmark/benchmark.h>

#include "../tests/viewer/sample_report.h"
#include "viewer/cairo_output.h"
#include "viewer/page_layout.h"
#include "viewer/report_document.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The bytes of a 20-page report, written once into a temporary folder.
const std::string& Twenty_Page_Report()
{
    static const std::string bytes = [] {
        char dir[] = "/tmp/corbel_viewer_bench_XXXXXX";
        if (!::mkdtemp(dir)) return std::string();
        const std::string name = sample::Write_Report(dir, 57);
        std::ifstream in(name, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        std::filesystem::remove_all(dir);
        return content.str();
    }();
    return bytes;
}

void Report_To_Pdf(benchmark::State& state)
{
    const std::string& report = Twenty_Page_Report();
    size_t pages = 0;
    for (auto _ : state) {
        FILE* out = std::tmpfile();
        const Laid_Out_Document doc = Lay_Out_Report(Read_Report(report));
        pages = doc.pages.size();
        if (!Write_Pdf_Stream(doc, out)) state.SkipWithError("PDF not written");
        std::fclose(out);
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(Report_To_Pdf)->Unit(benchmark::kMillisecond);

void Report_To_Png_Pages(benchmark::State& state)
{
    const Laid_Out_Document doc = Lay_Out_Report(Read_Report(Twenty_Page_Report()));
    for (auto _ : state) {
        for (const Page& page : doc.pages) {
            cairo_surface_t* image = Render_Page_Image(page, PNG_DEFAULT_DPI);
            benchmark::DoNotOptimize(cairo_image_surface_get_data(image));
            cairo_surface_destroy(image);
        }
    }
    state.counters["pages"] = static_cast<double>(doc.pages.size());
}
BENCHMARK(Report_To_Png_Pages)->Unit(benchmark::kMillisecond);

} // namespace
