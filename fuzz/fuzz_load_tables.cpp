// The load tables' block of the position file, read into the model, with a
// write-read-write round trip of the tables that were read.
#include "fuzz_support.h"

#include "core/corbel_model.h"
#include "core/load_tables.h"

#include <string>

namespace {

std::string Write_Tables()
{
    Fuzz_Capture out;
    if (Write_Load_Tables(out.get(), &corbel_model) != 0) std::abort();
    return out.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    {
        Fuzz_Stream in(data, size);
        if (Read_Load_Tables(in.get(), &corbel_model) != 0) return 0;
    }
    Alloc_Load_Case_Results(&corbel_model);
    Load_Table_In_Use(&corbel_model, 0);
    Load_Table_In_Use(&corbel_model, 1);
    Count_Load_Cases(&corbel_model, 0);
    Count_Load_Cases(&corbel_model, 1);

    const std::string first = Write_Tables();
    Fuzz_Reset_Run();
    {
        Fuzz_Stream in(first);
        if (Read_Load_Tables(in.get(), &corbel_model) != 0)
            Fuzz_Fail("fuzz_load_tables", "the written tables do not read back", first, "");
    }
    const std::string second = Write_Tables();
    if (first != second) Fuzz_Fail("fuzz_load_tables", "write-read-write changed the tables", first, second);
    return 0;
}
