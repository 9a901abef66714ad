// Annex set files "NAD/Version 1": the whole-file reader over a stream, the load of a
// user annex file with the annex list, every part reader on its own (each in the form
// of the annex file and in the older form of the annex list), and a write-read-write
// round trip of the set that was read: the second write must repeat the first byte for
// byte, and reading the first write must note no damaged part.
#include "fuzz_support.h"

#include "annex/nad_choice.h"
#include "annex/nad_file.h"
#include "annex/nad_sections.h"
#include "annex/nad_set.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::string Write_Set(const NAD_Set& set)
{
    Fuzz_Capture out;
    NAD_Write_Set(out.get(), &set);
    return out.bytes();
}

// The value a number written "%.<decimals>f" reads back as.
void Round_As_Written(double& value, int decimals)
{
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    value = std::strtod(text, nullptr);
}

// The EN 1995 block writes several factors twice, the second time with two decimals,
// which the reader takes: by design the file keeps those factors to two decimals. Values
// read from the input with more are rounded so, as a second read would do, before the
// round trip compares.
void Round_EC5_As_Written(NAD_EC5_Params& p)
{
    for (double* v : {&p.gamma_M_solid, &p.gamma_M_glulam, &p.gamma_M_accidental, &p.k_cr_solid_glulam,
                      &p.k_cr_other, &p.gamma_M_fire})
        Round_As_Written(*v, 2);
    for (auto& row : p.k_mod)
        for (double& v : row) Round_As_Written(v, 2);
    for (double& v : p.k_def) Round_As_Written(v, 2);
    for (auto& row : p.deflection_limits)
        for (double& v : row) Round_As_Written(v, 0);
}

template <typename Params, typename Reader>
void Read_Part(const uint8_t* data, size_t size, Reader read)
{
    Params params{};
    Fuzz_Stream in(data, size);
    read(in.get(), &params);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();

    // The reader over the start values of a set and the round trip of what it read.
    NAD_Set set;
    NAD_Reset_Set_Parts(&set);
    NAD_Clear_Read_Failures();
    {
        Fuzz_Stream in(data, size);
        // Until two mends are in, such sets make no round trip: a damaged "#EC2" section
        // (its reader returns before the modes are checked, so a second read changes
        // them) and a name read across line ends (a line of it may look like a section).
        if (NAD_Read_Set(in.get(), &set)) {
            Round_EC5_As_Written(set.ec5);
            const std::string first = Write_Set(set);
            NAD_Set again;
            NAD_Reset_Set_Parts(&again);
            NAD_Clear_Read_Failures();
            Fuzz_Stream in_again(first);
            if (!NAD_Read_Set(in_again.get(), &again))
                Fuzz_Fail("fuzz_nad_file", "the written set is not an annex file", first, "");
            if (NAD_Read_Failure_Count() != 0)
                Fuzz_Fail("fuzz_nad_file", "the written set reads as damaged", first, NAD_Read_Failure_Parts());
            const std::string second = Write_Set(again);
            if (first != second) Fuzz_Fail("fuzz_nad_file", "write-read-write changed the file", first, second);
        }
    }

    // The same bytes as user annex 1: listed by the annex list, chosen and loaded.
    Fuzz_Remove(dirs.dram + "/NADS");
    std::filesystem::create_directories(dirs.dram + "/NADS");
    Fuzz_Write_File(dirs.dram + "/NADS/1.NAD", data, size);
    NAD_Build_List();
    for (int i = 2; i < nad_list_count; ++i) {
        NAD_Select_By_Name(nad_list_names[static_cast<size_t>(i)].c_str());
        NAD_Get_EC2_Params();
    }
    NAD_Set loaded;
    NAD_Reset_Set_Parts(&loaded);
    NAD_Load_Set(1, nullptr, &loaded);

    // Each part reader on the whole input, as if its section began there.
    Read_Part<NAD_EC0_Params>(data, size, [](FILE* f, NAD_EC0_Params* p) { NAD_EC0_Defaults(p); NAD_EC0_Read(f, p, 1); });
    Read_Part<NAD_EC0_Params>(data, size, [](FILE* f, NAD_EC0_Params* p) { NAD_EC0_Defaults(p); NAD_EC0_Read(f, p, 0); });
    Read_Part<NAD_EC2_Params>(data, size, [](FILE* f, NAD_EC2_Params* p) { NAD_EC2_Defaults(p); NAD_EC2_Read(f, p); });
    Read_Part<NAD_EC3_Params>(data, size, [](FILE* f, NAD_EC3_Params* p) { NAD_EC3_Defaults(p); NAD_EC3_Read(f, p, 1); });
    Read_Part<NAD_EC3_Params>(data, size, [](FILE* f, NAD_EC3_Params* p) { NAD_EC3_Defaults(p); NAD_EC3_Read(f, p, 0); });
    Read_Part<NAD_EC3_1_Params>(data, size, [](FILE* f, NAD_EC3_1_Params* p) { NAD_EC3_1_Defaults(p); NAD_EC3_1_Read(f, p); });
    Read_Part<NAD_EC3_8_Params>(data, size, [](FILE* f, NAD_EC3_8_Params* p) { NAD_EC3_8_Defaults(p); NAD_EC3_8_Read(f, p); });
    Read_Part<NAD_EC5_Params>(data, size, [](FILE* f, NAD_EC5_Params* p) { NAD_EC5_Defaults(p); NAD_EC5_Read(f, p, 1); });
    Read_Part<NAD_EC5_Params>(data, size, [](FILE* f, NAD_EC5_Params* p) { NAD_EC5_Defaults(p); NAD_EC5_Read(f, p, 0); });
    Read_Part<NAD_EC6_Params>(data, size, [](FILE* f, NAD_EC6_Params* p) { NAD_EC6_Defaults(p); NAD_EC6_Read(f, p); });
    Read_Part<NAD_EC9_Params>(data, size, [](FILE* f, NAD_EC9_Params* p) { NAD_EC9_Defaults(p); NAD_EC9_Read(f, p); });
    return 0;
}
