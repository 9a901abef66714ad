// Keyword text files as users write them to bring design forces into the load tables:
// block S read as the load page reads it (two values and a name a row), then every block
// of the input without labels, and a line read to a fixed width.
#include "fuzz_support.h"

#include "base/keyword_files.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int kRows = 64;        // a small table: reading stops when it is full
constexpr int kNameWidth = 41;   // the load page's name field

void Check_Rows(int result, int rows, int capacity_rows)
{
    if (rows < 0 || rows >= capacity_rows || (result == 1) != (rows > 0))
        Fuzz_Fail("fuzz_keyword_files", "a row count the table cannot hold", std::to_string(rows).c_str(), "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    {
        // As the load page imports: labels behind the values, a stop that says where it ended.
        Fuzz_Stream in(data, size);
        std::vector<double> values(kRows * 2, 0.0);
        std::vector<char> names(static_cast<size_t>(kRows) * kNameWidth + 1, '\0');
        int rows = 0;
        Keyword_Block_Stop stop;
        const int result = Read_Keyword_Block(in.get(), values.data(), 2, 2, kRows * 2, names.data(), kNameWidth, 'S',
                                              &rows, &stop);
        Check_Rows(result, rows, kRows);
        for (int r = 0; r < rows; ++r) {
            if (!std::isfinite(values[static_cast<size_t>(r) * 2]) || !std::isfinite(values[static_cast<size_t>(r) * 2 + 1]))
                Fuzz_Fail("fuzz_keyword_files", "a value that is no number was taken", "", "");
            if (std::memchr(&names[static_cast<size_t>(r) * kNameWidth], '\0', kNameWidth) == nullptr)
                Fuzz_Fail("fuzz_keyword_files", "a name without its end", "", "");
        }
        if (std::memchr(stop.value, '\0', sizeof stop.value) == nullptr)
            Fuzz_Fail("fuzz_keyword_files", "a stop value without its end", "", "");
    }
    {
        // Every block letter without labels, rows across lines.
        Fuzz_Stream in(data, size);
        std::vector<double> x(kRows), y(kRows), z(kRows);
        for (int letter : {'S', 'A', 'P'}) {
            int rows = 0;
            const int result = Read_Keyword_Columns(in.get(), x.data(), y.data(), z.data(), 3, &rows, kRows, letter);
            Check_Rows(result, rows, kRows + 1);
        }
    }
    {
        Fuzz_Stream in(data, size);
        for (int i = 0; i < 16 && !std::feof(in.get()); ++i) {
            const char* line = Read_Fixed_Line(in.get(), 300);
            if (std::strlen(line) > 255) Fuzz_Fail("fuzz_keyword_files", "a line beyond its width", line, "");
        }
    }
    return 0;
}
