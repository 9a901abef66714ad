// The position input "_NN.INP": the start-up read with its data check and the choice of
// the annex the file names, then a write-read-write round trip of the model that was
// read (the second write must repeat the first byte for byte).
#include "fuzz_support.h"

#include "annex/nad_choice.h"
#include "base/component_files.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "core/safety_factors.h"
#include "core/startup.h"

namespace {

// The position file as the program writes it: the body and the annex block.
std::string Write_Position()
{
    Fuzz_Capture out;
    if (Write_Corbel_Model(out.get(), &corbel_model) != 0) std::abort();
    NAD_Write_Active_Name(out.get());
    return out.bytes();
}

// What the start-up read does with a file: the annex it names, then the body.
void Read_Position(const std::string& bytes)
{
    Fuzz_Stream in(bytes);
    Read_Corbel_File(in.get(), &corbel_model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Fuzz_Dirs& dirs = Fuzz_Setup();
    Fuzz_Reset_Run();
    Set_Component_Path((dirs.temp + "/B1").c_str());
    file_id = 1;
    inp_file_name = "_01.INP";
    Fuzz_Write_File(dirs.temp + "/B1_01.INP", data, size);

    Read_Position_Input();

    // The second read starts from a new model; the annex it names is chosen anew.
    const std::string first = Write_Position();
    Clear_Corbel_Model(&corbel_model);
    Init_NAD_Safety_Factors(&corbel_model.safety_factors);
    corbel_model.cover_from_exposure = 0;
    Read_Position(first);
    const std::string second = Write_Position();
    if (first != second) Fuzz_Fail("fuzz_position_file", "write-read-write changed the file", first, second);
    return 0;
}
