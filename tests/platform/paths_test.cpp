#include "platform/paths.h"

#include "test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(PathMapping, BackslashesAndCaseOfEachComponent)
{
    Temp_Dir dir;
    std::filesystem::create_directories(dir.file("Pos/Data"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("Pos/Data/buttons.bmp"), "x"));

    // Windows form, other case in the directory and the file name.
    EXPECT_EQ(Map_Path(dir.path() + "\\pos\\DATA\\Buttons.BMP"), dir.file("Pos/Data/buttons.bmp"));
    // Existing paths stay as they are.
    EXPECT_EQ(Map_Path(dir.file("Pos/Data/buttons.bmp")), dir.file("Pos/Data/buttons.bmp"));
    // A new file keeps the spelling given, inside the existing directory's real name.
    EXPECT_EQ(Map_Path(dir.path() + "\\POS\\B1_01.INP"), dir.file("Pos/B1_01.INP"));
    // Below a missing directory nothing is looked up.
    EXPECT_EQ(Map_Path(dir.path() + "\\none\\x.txt"), dir.file("none/x.txt"));

    FILE* f = Fopen_Mapped((dir.path() + "\\POS\\data\\BUTTONS.bmp").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::fgetc(f), 'x');
    std::fclose(f);
    EXPECT_EQ(Fopen_Mapped(nullptr, "r"), nullptr);
}

TEST(PathMapping, RelativePaths)
{
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.TXT"), "1: t\n"));
    std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.path());
    EXPECT_EQ(Map_Path("b1_01.txt"), "B1_01.TXT");
    EXPECT_EQ(Map_Path(".\\b1_01.TXT"), "./B1_01.TXT");
    std::filesystem::current_path(cwd);
}
