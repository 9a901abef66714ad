// The material file blocks: the material block of every layout (with the annex it names
// and the recomputation of the set), the masonry block and the older class records in
// the versioned data-file form. A set that was read is written again and read back, so
// that what the reader let through is something the writer and a second read can handle.
#include "fuzz_support.h"

#include "material/masonry.h"
#include "material/material_file.h"
#include "material/material_set.h"
#include "material/old_class_records.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    {
        Material_Set set;
        std::memset(&set, 0, sizeof set);
        Clear_Material_Set(&set);
        Fuzz_Stream in(data, size);
        if (Read_Material_Set(in.get(), &set) == 0) {
            Fuzz_Capture out;
            Write_Material_Set(out.get(), &set);
            Fuzz_Stream again(out.bytes());
            Read_Material_Set(again.get(), &set);
        }
        Free_Material_Set(&set);
    }
    {
        Masonry_Record record;
        Clear_Masonry_Record(&record);
        Fuzz_Stream in(data, size);
        if (Read_Masonry_Record(in.get(), &record) == 0) {
            Fuzz_Capture out;
            Write_Masonry_Record(out.get(), &record);
        }
    }
    {
        Fuzz_Stream in(data, size);
        for (int i = 0; i < 8 && !std::feof(in.get()); ++i) {
            Concrete_Class_Data concrete;
            Init_Concrete_Class_Record(&concrete, 4, 0, 2200.0);
            Steel_Class_Data steel;
            Init_B500_Steel_Record(&steel, 1);
            const int c = Read_Concrete_Class_Data(in.get(), &concrete);
            const int s = Read_Steel_Class_Data(in.get(), &steel);
            if (c != 0 && s != 0) std::fgetc(in.get());
        }
    }
    return 0;
}
