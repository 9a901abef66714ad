// The export file "Q7-DI2ZE#export.dat" in the TEMP directory, read by the import
// request (with its data check, its messages and the annex named in the file).
#include "fuzz_support.h"

#include "core/position_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();
    std::string path;
    if (!Make_Export_Path(dirs.temp.c_str(), &path)) std::abort();
    // The name is in the environment's form; the file lies where the mapping puts it.
    Fuzz_Write_File(dirs.temp + "/Q7-DI2ZE#export.dat", data, size);
    Import_Corbel_Data();
    return 0;
}
