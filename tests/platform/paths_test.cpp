#include "platform/paths.h"

#include "test_support.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
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

// Files from outside: regular files only, opened without waiting, and read within bounds;
// a line past the bound counts in text mode only, and a stream that failed stays failed.
TEST(InputFiles, RegularFilesWithinBounds)
{
    Temp_Dir dir;
    const std::string long_line = std::string(INPUT_LINE_MAX + 1, 'x') + "\nrest\n";
    ASSERT_TRUE(Write_File_Bytes(dir.file("long.txt"), long_line));

    FILE* binary = Fopen_Mapped(dir.file("long.txt").c_str(), "rb");
    ASSERT_NE(binary, nullptr);
    std::string bytes(long_line.size() + 10, '\0');
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), binary), long_line.size());
    EXPECT_EQ(Input_Stream_Error(binary), 0);
    std::fclose(binary);

    FILE* text = Fopen_Mapped(dir.file("long.txt").c_str(), "r");
    ASSERT_NE(text, nullptr);
    size_t read = 0;
    while (std::fgetc(text) != EOF) ++read;
    EXPECT_LE(read, static_cast<size_t>(INPUT_LINE_MAX));  // given up before the line's end
    EXPECT_TRUE(std::ferror(text));
    EXPECT_EQ(Input_Stream_Error(text), EOVERFLOW);
    std::rewind(text);
    EXPECT_EQ(std::fgetc(text), EOF);
    std::fclose(text);

    // Short lines read as always, and a seek back reads them again.
    ASSERT_TRUE(Write_File_Bytes(dir.file("short.txt"), " 4\r\n 7\n"));
    text = Fopen_Input(dir.file("short.txt"), "r");
    int a = 0, b = 0;
    ASSERT_EQ(std::fscanf(text, "%d%d", &a, &b), 2);
    std::rewind(text);
    ASSERT_EQ(std::fscanf(text, "%d", &b), 1);
    EXPECT_EQ(a + b, 8);
    EXPECT_EQ(Input_Stream_Error(text), 0);
    std::fclose(text);

    errno = 0;
    EXPECT_EQ(Fopen_Input(dir.path(), "r"), nullptr);
    EXPECT_EQ(errno, EISDIR);
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);  // nobody writes: no wait
    EXPECT_EQ(Fopen_Input(dir.file("pipe"), "r"), nullptr);
    EXPECT_EQ(errno, ENODEV);
    EXPECT_EQ(Fopen_Input("/dev/zero", "rb"), nullptr);
    EXPECT_EQ(errno, ENODEV);
}
