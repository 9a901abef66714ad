// The older annex list "NADs-EC2.DEF" in DRAM: the list reader, the first-start
// migration into annex set files (and the annex list built from them), and the block
// "ACTIV_NAD_EC2" of an older position read from the same bytes.
#include "fuzz_support.h"

#include "annex/nad_choice.h"
#include "annex/nad_file.h"
#include "annex/nad_legacy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();
    Fuzz_Remove(dirs.dram + "/NADS");
    Fuzz_Write_File(dirs.dram + "/NADs-EC2.DEF", data, size);

    // The list, and the choice an older position makes with its stored parameters.
    {
        Fuzz_Stream in(data, size);
        if (NAD_Read_Legacy_Choice(in.get())) NAD_Select_By_Name(NAD_Get_Legacy_Name());
    }
    // The migration writes one annex file per block; the list shows them.
    Safeguard_Proper_Version();
    NAD_Build_List();
    for (int i = 2; i < nad_list_count && i < 6; ++i) {
        NAD_Select_By_Name(nad_list_names[static_cast<size_t>(i)].c_str());
        NAD_Get_EC2_Params();
    }

    // The load-factor block on its own.
    NAD_Legacy_Load_Factors factors;
    NAD_Legacy_Default_Load_Factors(&factors);
    Fuzz_Stream in(data, size);
    NAD_Legacy_Read_Load_Factors(in.get(), &factors);

    Fuzz_Remove(dirs.dram + "/NADs-EC2.DEF");
    return 0;
}
