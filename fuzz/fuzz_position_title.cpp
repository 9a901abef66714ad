// Small readers of the program's text files: the position text (number and title), the picture information of
// the picture tool, and the line scanners (whole lines, numbers of a line or across
// lines, keyword and marker search, bounded line reads, counts).
#include "fuzz_support.h"

#include "annex/nad_sections.h"
#include "base/component_files.h"
#include "base/exchange_text.h"
#include "base/keyword_lines.h"
#include "base/text_lines.h"
#include "report/graphic_block.h"
#include "report/position_title.h"

#include <memory>
#include <string>

namespace {

constexpr int kMaxSteps = 512;

template <typename Step>
void Each(const uint8_t* data, size_t size, Step step)
{
    Fuzz_Stream in(data, size);
    for (int i = 0; i < kMaxSteps && !std::feof(in.get()); ++i)
        if (!step(in.get())) break;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();

    // The position text (into the globals of the start-up).
    const std::string path = dirs.temp + "/B1_01.TXT";
    Fuzz_Write_File(path, data, size);
    Read_Position_Title(path.c_str());
    Fuzz_Remove(path);

    {
        Fuzz_Stream in(data, size);
        OLI_GRAPHIC_Picture_Info info;
        OLI_Read_Picture_Info(in.get(), &info);
    }

    Each(data, size, [](FILE* f) {
        std::string line;
        return Read_Whole_Line(f, line);
    });
    Each(data, size, [](FILE* f) {
        double values[6];
        return Read_Line_Doubles(f, values, 6) == 1;
    });
    Each(data, size, [](FILE* f) {
        int32_t values[6];
        return Read_Line_Ints(f, values, 6) == 1;
    });
    Each(data, size, [](FILE* f) {
        double values[4];
        if (Scan_Doubles(f, values, 4) == 0) std::fgetc(f);
        return true;
    });
    Each(data, size, [](FILE* f) {
        int32_t values[4];
        if (Scan_Ints(f, values, 4) == 0) std::fgetc(f);
        return true;
    });
    static const int sizes[] = {1, 2, 3, 8, 100};
    for (int buffer_size : sizes) {
        Each(data, size, [buffer_size](FILE* f) {
            std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(buffer_size)]);
            const int n = ZXP_Read_Line(f, buffer.get(), buffer_size);
            if (n < 1 || n > buffer_size) std::abort();
            return true;
        });
    }
    Each(data, size, [](FILE* f) {
        int count = 0;
        if (!ZXP_Scan_Count(f, 1000, &count)) std::fgetc(f);
        return true;
    });
    {
        Fuzz_Stream in(data, size);
        int value = 0;
        Find_Keyword_Line("#NAD", in.get(), &value);
        Find_Keyword_Line("ACTIV_NADNAME", in.get(), nullptr);
        ZXP_Seek_Marker(in.get(), "#ZXP_OBJECTS", 1);
        ZXP_Seek_Marker(in.get(), "<ZXP", 0);
        ZXP_Skip_Line(in.get());
        std::rewind(in.get());
        NAD_Find_Section(in.get(), "#EC2", "#EC3", &value);
        NAD_Find_Section(in.get(), "#EC", nullptr, nullptr);
    }
    return 0;
}
