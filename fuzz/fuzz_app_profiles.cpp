// Application display profiles "APP<n>.DEF" in a program directory below EXEC: the scan
// of the profiles and the questions the part sheets ask of the current one.
#include "fuzz_support.h"

#include "annex/app_profiles.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();
    const std::string program = dirs.exec + "/Q7-EC203";
    std::filesystem::create_directories(program);
    // The running program's number (127) and another one, which is listed but not used.
    Fuzz_Write_File(program + "/APP127.DEF", data, size);
    Fuzz_Write_File(program + "/APP0128.DEF", data, size);

    NAD_Scan_App_Profiles();
    NAD_Get_Current_App();
    NAD_Use_Rule_Strings();
    for (int part = -1; part <= 10; ++part)
        for (int rule = -1; rule <= 40; ++rule) NAD_Rule_Visible(part, rule);

    Fuzz_Remove(program);
    NAD_Forget_App_Profiles();
    return 0;
}
