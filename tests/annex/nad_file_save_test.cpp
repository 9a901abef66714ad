// Saving annex files when the disk refuses the data: the older file stays whole.
#include "annex/nad_file.h"

#include "annex/nad_set.h"
#include "annex_env.h"
#include "file_size_limit.h"
#include "platform/messages.h"
#include "test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(AnnexSave, FailedSaveKeepsTheOlderFile)
{
    Temp_Dir dram;
    Env_Override dram_env("DRAM", dram.path().c_str());
    std::filesystem::create_directories(dram.file("NADS"));
    const std::string older = "NAD/Version 1\n\n 7 \xAE" "Schweden\xAF 0\n";
    ASSERT_TRUE(Write_File_Bytes(dram.file("NADS/5.NAD"), older));

    NAD_Set set;
    NAD_Build_Builtin_Set("Deutschland", &set);
    EXPECT_EQ(Run_With_File_Size_Limit(100, [&] { return NAD_Save_Set(5, &set); }), 0);
    EXPECT_EQ(Read_File_Bytes(dram.file("NADS/5.NAD")), older);
    EXPECT_EQ(Folder_Names(dram.file("NADS")), std::set<std::string>{"5.NAD"});
}

TEST(AnnexSave, FailedMigrationIsDoneAgainAtTheNextStart)
{
    Temp_Dir dram;
    Env_Override dram_env("DRAM", dram.path().c_str());
    const std::string list = "#NAD\n 5 \xAE" "Schweden\xAF\n";
    ASSERT_TRUE(Write_File_Bytes(dram.file("NADs-EC2.DEF"), list));

    const int child = Run_With_File_Size_Limit(100, [] {
        Clear_Shown_Messages();
        Safeguard_Proper_Version();
        return Shown_Messages().size() == 1 &&
                       Shown_Messages()[0].text.find("kann nicht \xFC" "bernommen werden: die Datei wird zu gro\xDF;\n"
                                                     "beim n\xE4" "chsten Start wird es erneut versucht.") !=
                           std::string::npos
                   ? 1
                   : 0;
    });
    EXPECT_EQ(child, 1);
    EXPECT_FALSE(File_Exists(dram.file("NADS")));
    EXPECT_EQ(Read_File_Bytes(dram.file("NADs-EC2.DEF")), list);

    Clear_Shown_Messages();
    Safeguard_Proper_Version();
    EXPECT_TRUE(Shown_Messages().empty());
    NAD_Set set;
    ASSERT_EQ(NAD_Load_Set(1, nullptr, &set), 1);
    EXPECT_EQ(set.name, "Schweden");
    EXPECT_EQ(set.code, 5);
}
