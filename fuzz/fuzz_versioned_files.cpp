// Versioned data files: the file and structure versions and every field reader, driven
// over the input in several fixed orders (each pass from the start of the input), so that
// each reader meets every kind of field.
#include "fuzz_support.h"

#include "base/alloc.h"
#include "base/versioned_files.h"

#include <memory>
#include <string>

namespace {

constexpr double kProgramVersion = 2.0;
constexpr int kOps = 12;
constexpr int kMaxSteps = 2000;

void Step(int op)
{
    switch (op) {
    case 0: Begin_Data_Struct_Read(kProgramVersion); break;
    case 1: {
        char c = 0;
        Read_Data_Field(&c, 'c', 1.0, 0.0);
        break;
    }
    case 2: {
        double d = 0.0;
        Read_Data_Field(&d, 'd', 1.1, -1.0);
        break;
    }
    case 3: {
        int i = 0;
        Read_Data_Field(&i, 'i', 0.0, 2.5);
        break;
    }
    case 4: {
        // Exactly the size the readers promise to stay within.
        std::unique_ptr<char[]> text(new char[DATA_TEXT_MAX + 1]);
        Read_Data_Field(text.get(), 's', 1.0, 0.0);
        Read_Data_Field(text.get(), 't', 0.5, 0.0);
        break;
    }
    case 5: {
        std::string text;
        Read_Data_Text(&text, 1.0, "vorgegeben");
        break;
    }
    case 6: {
        char* text = nullptr;
        Read_Data_Long_Text(&text, 1.0, "vorgegeben");
        if (text) MEM_FREE(text);
        break;
    }
    case 7: Read_Data_Int_Since(1.5, 3.5); break;
    case 8: {
        int i = 0;
        Read_Data_Int(&i);
        break;
    }
    case 9: Skip_Data_Field("cdist"[static_cast<unsigned>(Get_Data_Read_Pos()) % 5]); break;
    case 10: End_Data_Struct_Read(); break;
    case 11: {
        const long at = Get_Data_Read_Pos();
        Get_Data_Struct_Version();
        if (at >= 0) Set_Data_Read_Pos(at);
        break;
    }
    default: break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    for (int pass = 0; pass < kOps; pass += 3) {
        Fuzz_Stream in(data, size);
        Begin_Data_File_Read(in.get(), kProgramVersion);
        Get_Data_File_Version();
        for (int i = 0; i < kMaxSteps && !std::feof(in.get()); ++i) Step((i + pass) % kOps);
    }
    // The module must not keep the closed stream.
    Begin_Data_File_Read(nullptr, kProgramVersion);
    return 0;
}
