// The whole refresh run on a position input: the read, the calculation, the report and its
// drawing, each run writing into the scratch folder. Afterwards no temporary file may be
// left beside them.
#include "fuzz_support.h"

#include "base/component_files.h"
#include "core/startup.h"

#include <filesystem>
#include <string>
#include <system_error>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();
    const std::string folder = dirs.temp + "/refresh";
    Fuzz_Remove(folder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    component_id = folder + "/B1";
    Set_Component_Path(component_id.c_str());
    file_id = 1;
    inp_file_name = "_01.INP";
    oli_file_name = "_01.OLI";
    txt_file_name = "_01.TXT";
    spf_file_name = component_id + "0001.SPF";
    Fuzz_Write_File(folder + "/B1_01.INP", data, size);
    Fuzz_Write_File(folder + "/B1_01.TXT", "1.01:Konsole\n");

    refresh_mode = 1;
    Run_Refresh();
    refresh_mode = 0;

    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".tmp") != std::string::npos)
            Fuzz_Fail("fuzz_refresh_run", "a temporary file was left", name, "");
    }
    return 0;
}
