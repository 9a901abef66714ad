#include "base/component_files.h"

#include "test_support.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

FILE* Open_Text(const Temp_Dir& dir, const std::string& bytes)
{
    std::string path = dir.file("lines.txt");
    Write_File_Bytes(path, bytes);
    return std::fopen(path.c_str(), "rb");
}

std::string Cwd()
{
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? buf : "";
}

} // namespace

TEST(ComponentPath, DirectoryRules)
{
    EXPECT_STREQ(Set_Component_Path("D:\\Pos\\Sub\\B1"), "D:\\Pos\\Sub\\B1");
    EXPECT_EQ(component_path_len, 13);
    EXPECT_STREQ(Get_Component_Dir(), "D:\\Pos\\Sub");

    Set_Component_Path("D:B1");
    EXPECT_STREQ(Get_Component_Dir(), "D:");

    // The forward slash does not separate: only the drive is found.
    Set_Component_Path("D:/Pos/Sub/B1");
    EXPECT_STREQ(Get_Component_Dir(), "D:");

    Set_Component_Path("B1");
    EXPECT_EQ(std::string(Get_Component_Dir()), Cwd());

    EXPECT_STREQ(Set_Component_Path(nullptr), "");
    EXPECT_EQ(component_path_len, 0);
    EXPECT_EQ(std::string(Get_Component_Dir()), Cwd());
    EXPECT_EQ(Get_Component_Path(), component_path);
}

TEST(ComponentPath, NameLimits)
{
    std::string id = "C:\\" + std::string(297, 'a');
    Set_Component_Path(id.c_str());
    EXPECT_EQ(component_path_len, 260);
    EXPECT_EQ(std::string(component_path), id.substr(0, 260));

    // Every suffix now makes the name too long; nothing reaches the file system.
    EXPECT_EQ(Open_Component_File("_01.INP", "w"), nullptr);
    EXPECT_EQ(Get_Component_File_Name("x"), nullptr);
    EXPECT_FALSE(Component_File_Exists("x"));
    EXPECT_EQ(Remove_Component_File("x"), 1);
    EXPECT_FALSE(Copy_Component_File("", "x", 0));
    EXPECT_FALSE(Rename_Component_File("", "x"));
    EXPECT_EQ(Remove_Component_Files("_*.TMP"), -1);
    ASSERT_NE(Get_Component_File_Name(nullptr), nullptr);
    EXPECT_EQ(std::strlen(Get_Component_File_Name(nullptr)), 260u);

    // 256 + 4 = 260 characters is the longest usable name, 261 is not.
    Set_Component_Path(std::string(256, 'b').c_str());
    ASSERT_NE(Get_Component_File_Name(".INP"), nullptr);
    EXPECT_EQ(std::strlen(Get_Component_File_Name(".INP")), 260u);
    EXPECT_EQ(Get_Component_File_Name("_.INP"), nullptr);
}

TEST(ComponentPath, MakeFileNameCutsAtSize)
{
    Set_Component_Path("C:\\Pos\\B1234");  // 12 characters
    char buf[64];
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(Make_Component_File_Name(buf, nullptr, 10), nullptr);
    EXPECT_STREQ(buf, "C:\\Pos\\B1");

    EXPECT_EQ(Make_Component_File_Name(buf, "_01.OLI", 20), buf);
    EXPECT_STREQ(buf, "C:\\Pos\\B1234_01.OLI");
    // Exactly one byte too few for the terminator.
    EXPECT_EQ(Make_Component_File_Name(buf, "_01.OLI", 19), nullptr);
    EXPECT_STREQ(buf, "C:\\Pos\\B1234_01.OL");

    EXPECT_EQ(Make_Component_File_Name(nullptr, "_01.OLI", 20), nullptr);
    EXPECT_EQ(Make_Component_File_Name(buf, "_01.OLI", 0), nullptr);
}

TEST(ComponentFiles, OpenCopyRenameRemove)
{
    Temp_Dir dir;
    Set_Component_Path((dir.path() + "\\B1").c_str());
    EXPECT_EQ(std::string(Get_Component_Dir()), dir.path());

    FILE* f = Open_Component_File("_01.INP", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("data\n", f);
    std::fclose(f);
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.INP")), "data\n");

    // Names are found whatever their case.
    EXPECT_TRUE(Component_File_Exists("_01.inp"));
    EXPECT_FALSE(Component_File_Exists("_02.INP"));
    EXPECT_EQ(Open_Component_File("_09.INP", "r"), nullptr);

    EXPECT_TRUE(Copy_Component_File("_01.INP", "_02.INP", 1));
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_02.INP")), "data\n");
    EXPECT_FALSE(Copy_Component_File("_01.INP", "_02.INP", 1));  // destination kept

    EXPECT_TRUE(Rename_Component_File("_02.INP", "_03.INP"));
    EXPECT_FALSE(File_Exists(dir.file("B1_02.INP")));
    EXPECT_TRUE(File_Exists(dir.file("B1_03.INP")));
    EXPECT_FALSE(Rename_Component_File("_02.INP", "_04.INP"));

    EXPECT_EQ(Remove_Component_File("_03.INP"), 0);
    EXPECT_EQ(Remove_Component_File("_03.INP"), 1);
    EXPECT_TRUE(File_Exists(dir.file("B1_01.INP")));
}

TEST(ComponentFiles, RemoveByWildcards)
{
    Temp_Dir dir;
    for (const char* name : {"B1_01.TMP", "b1_02.tmp", "B1_01.INP", "B2_01.TMP", "B1_ABC.TMP"})
        ASSERT_TRUE(Write_File_Bytes(dir.file(name), "x"));
    std::filesystem::create_directory(dir.file("B1_DIR.TMP"));

    Set_Component_Path((dir.path() + "\\B1").c_str());
    EXPECT_EQ(Remove_Component_Files("_??.TMP"), 2);
    EXPECT_FALSE(File_Exists(dir.file("B1_01.TMP")));
    EXPECT_FALSE(File_Exists(dir.file("b1_02.tmp")));
    EXPECT_TRUE(File_Exists(dir.file("B1_ABC.TMP")));
    EXPECT_TRUE(File_Exists(dir.file("B1_01.INP")));
    EXPECT_TRUE(File_Exists(dir.file("B2_01.TMP")));

    // Directories are not files; a pattern matching nothing removes nothing.
    EXPECT_EQ(Remove_Component_Files("_*.TMP"), 1);
    EXPECT_TRUE(File_Exists(dir.file("B1_DIR.TMP")));
    EXPECT_EQ(Remove_Component_Files("_*.TMP"), 0);

    // A path written with forward slashes removes in its own directory, never in the
    // working directory.
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_05.TMP"), "x"));
    Set_Component_Path((dir.path() + "/B1").c_str());
    EXPECT_EQ(Remove_Component_Files("_05.TMP"), 1);
    EXPECT_FALSE(File_Exists(dir.file("B1_05.TMP")));
}

TEST(TempFiles, UniqueNamesInTempDirectory)
{
    Temp_Dir dir;
    const char* old_temp = std::getenv("TEMP");
    std::string saved = old_temp ? old_temp : "";
    ::setenv("TEMP", dir.path().c_str(), 1);

    char a[261], b[261];
    ASSERT_EQ(Make_Temp_File_Name(a), a);
    ASSERT_EQ(Make_Temp_File_Name(b), b);
    EXPECT_STRNE(a, b);
    EXPECT_EQ(std::string(a).rfind(dir.path() + "/ZAV", 0), 0u) << a;
    // Only the name is kept: no file is left behind.
    EXPECT_FALSE(File_Exists(a));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(Make_Temp_File_Name(nullptr), nullptr);

    // Five temporary files at a time; closing one removes its file and frees its row.
    FILE* open[5];
    for (FILE*& f : open) {
        f = Open_Temp_File("w+");
        ASSERT_NE(f, nullptr);
    }
    EXPECT_EQ(Open_Temp_File("w+"), nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5);
    EXPECT_TRUE(Close_Temp_File(open[2]));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
    open[2] = Open_Temp_File("w+");
    ASSERT_NE(open[2], nullptr);
    for (FILE* f : open) EXPECT_TRUE(Close_Temp_File(f));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    FILE* other = std::tmpfile();
    EXPECT_FALSE(Close_Temp_File(other));
    std::fclose(other);
    EXPECT_FALSE(Close_Temp_File(nullptr));
    if (old_temp)
        ::setenv("TEMP", saved.c_str(), 1);
    else
        ::unsetenv("TEMP");
}

TEST(LineScanners, ReadLineStopsAtFirstNonNumber)
{
    Temp_Dir dir;
    std::string long_line = std::string(250, ' ') + "5\n";
    FILE* f = Open_Text(dir, "1,5 2 x 4\r\n7 0x1A 010 -3\r\n" + long_line + "6 99999999999\n");
    ASSERT_NE(f, nullptr);

    double d[4] = {9, 9, 9, 9};
    EXPECT_EQ(Read_Line_Doubles(f, d, 4), 1);
    EXPECT_EQ(d[0], 1.0);  // the comma ends the number, the rest of the word is skipped
    EXPECT_EQ(d[1], 2.0);
    EXPECT_EQ(d[2], 0.0);
    EXPECT_EQ(d[3], 0.0);

    int32_t i[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(Read_Line_Ints(f, i, 5), 1);  // CR LF line; bases as "%i" reads them
    EXPECT_EQ(i[0], 7);
    EXPECT_EQ(i[1], 26);
    EXPECT_EQ(i[2], 8);
    EXPECT_EQ(i[3], -3);
    EXPECT_EQ(i[4], 0);

    // A long line is taken whole: its value is found and nothing of it is left over.
    EXPECT_EQ(Read_Line_Ints(f, i, 1), 1);
    EXPECT_EQ(i[0], 5);
    EXPECT_EQ(Read_Line_Ints(f, i, 2), 1);
    EXPECT_EQ(i[0], 6);
    EXPECT_EQ(i[1], INT32_MAX);  // too large a number is held at the limit

    i[0] = 4;
    d[0] = 4;
    EXPECT_EQ(Read_Line_Ints(f, i, 2), 0);
    EXPECT_EQ(i[0], 0);
    EXPECT_EQ(Read_Line_Doubles(nullptr, d, 2), 0);
    EXPECT_EQ(d[0], 0.0);
    std::fclose(f);
}

TEST(LineScanners, ScanAcrossLines)
{
    Temp_Dir dir;
    FILE* f = Open_Text(dir, "3\r\n4\n  5");
    ASSERT_NE(f, nullptr);
    int32_t i[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(Scan_Ints(f, i, 5), 3);
    EXPECT_EQ(i[0], 3);
    EXPECT_EQ(i[2], 5);
    EXPECT_EQ(i[3], 0);
    EXPECT_EQ(i[4], 0);
    std::fclose(f);

    f = Open_Text(dir, "1.5 -2.5e1\n x 3");
    double d[3] = {9, 9, 9};
    EXPECT_EQ(Scan_Doubles(f, d, 3), 2);
    EXPECT_EQ(d[1], -25.0);
    EXPECT_EQ(d[2], 0.0);
    EXPECT_EQ(Scan_Doubles(f, d, 0), 0);
    EXPECT_EQ(Scan_Doubles(nullptr, d, 3), 0);
    EXPECT_EQ(Scan_Ints(f, nullptr, 3), 0);
    std::fclose(f);
}
