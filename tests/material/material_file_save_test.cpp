// The material block on a disk that refuses it: the writer says so, and a host file
// written through Atomic_File keeps its older content.
#include "annex/annex_env.h"
#include "annex/nad_choice.h"
#include "file_size_limit.h"
#include "material/material_file.h"
#include "material/material_set.h"
#include "platform/atomic_file.h"
#include "test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(MaterialSave, RefusedWritesAreFailures)
{
    Temp_Dir data, dram, dir;
    Env_Override data_env("DATA", data.path().c_str());
    Env_Override dram_env("DRAM", dram.path().c_str());
    std::filesystem::create_directory(dram.file("NADS"));
    NAD_Forget_Choice();

    Material_Set set{};
    Clear_Material_Set(&set);
    ASSERT_EQ(Alloc_Material_Set(&set, 1, 2), 0);
    set.new_standard = set.en1992_1_1 = 1;

    // Unbuffered, the first refused write ends the writer.
    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    std::setvbuf(full, nullptr, _IONBF, 0);
    EXPECT_EQ(Write_Material_Set(full, &set), 1);
    std::fclose(full);

    // Buffered, the refusal shows at the commit, and the older host file stays.
    const std::string path = dir.file("POS_01.INP");
    const std::string older = "-20 0 1.500000 1.150000\n";
    ASSERT_TRUE(Write_File_Bytes(path, older));
    auto save = [&] {
        Atomic_File file(path.c_str());
        if (!file.Stream() || Write_Material_Set(file.Stream(), &set) != 0) return 2;
        return file.Commit() ? 0 : 1;
    };
    EXPECT_EQ(Run_With_File_Size_Limit(100, save), 1);
    EXPECT_EQ(Read_File_Bytes(path), older);
    EXPECT_EQ(Folder_Names(dir.path()), std::set<std::string>{"POS_01.INP"});

    // Without the limit the file holds exactly the block.
    File_Stream expected;
    ASSERT_EQ(Write_Material_Set(expected.get(), &set), 0);
    EXPECT_EQ(save(), 0);
    EXPECT_EQ(Read_File_Bytes(path), expected.bytes());

    Free_Material_Set(&set);
    NAD_Forget_Choice();
}
