// The EN 1991 tables: the definition file "WUSL-Tabs.def" and the value files (built-in
// "WUSL-Tabs.val", the user's "WUSL-NADs.def"), each from the same bytes, then the value
// block reader on its own, the value writer, copy and compare of what was read.
#include "fuzz_support.h"

#include "annex/nad_ec1_tables.h"
#include "annex/nad_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();
    Fuzz_Write_File(dirs.data + "/NAD/WUSL-Tabs.def", data, size);
    Fuzz_Write_File(dirs.data + "/NAD/WUSL-Tabs.val", data, size);
    Fuzz_Write_File(dirs.dram + "/WUSL-NADs.def", data, size);

    NAD_EC1_Tables tables;
    NAD_EC1_Read_Definitions(&tables);
    NAD_EC1_Tables defaults = tables;
    NAD_EC1_Defaults(&defaults);
    NAD_EC1_Load(0, "Deutschland", &tables);
    NAD_EC1_Load(1, "EC-Standardparameter", &tables);
    {
        Fuzz_Stream in(data, size);
        NAD_EC1_Read(in.get(), &tables);
    }
    NAD_EC1_Set_NA_DE_Flag(&tables, 1);
    NAD_EC1_Set_NA_DE_Flag(&tables, 0);
    {
        Fuzz_Capture out;
        NAD_EC1_Write_Values(out.get(), &tables);
        out.bytes();
    }
    NAD_EC1_Compare(&tables, &defaults);
    NAD_EC1_Copy(&defaults, &tables);
    NAD_EC1_Compare(&tables, &defaults);

    // The set in force reads the definitions at its first reset.
    NAD_Fill_Builtin_Defaults();
    NAD_EC1_Load_Base_Tables();

    Fuzz_Remove(dirs.data + "/NAD/WUSL-Tabs.def");
    Fuzz_Remove(dirs.data + "/NAD/WUSL-Tabs.val");
    Fuzz_Remove(dirs.dram + "/WUSL-NADs.def");
    return 0;
}
