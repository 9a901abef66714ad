#include "platform/file_search.h"

#include "test_support.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> Find_All(const std::string& pattern)
{
    std::vector<std::string> names;
    DOS_Find_Record r;
    for (int rc = DOSFindFirstFile(pattern.c_str(), &r); rc == 0; rc = DOSFindNext(&r)) names.push_back(r.name);
    DOSFindClose(&r);
    return names;
}

} // namespace

TEST(FileSearch, WildcardsIgnoreCase)
{
    EXPECT_TRUE(Wildcard_Match("*.TMP", "b1_01.tmp"));
    EXPECT_TRUE(Wildcard_Match("B1_??.INP", "b1_07.inp"));
    EXPECT_FALSE(Wildcard_Match("B1_??.INP", "B1_7.INP"));
    EXPECT_FALSE(Wildcard_Match("B1_??.INP", "B1_007.INP"));
    EXPECT_TRUE(Wildcard_Match("a*b*c", "aXXbYbc"));
    EXPECT_FALSE(Wildcard_Match("a*b*c", "aXbY"));
    EXPECT_TRUE(Wildcard_Match("*", ""));
    EXPECT_TRUE(Wildcard_Match("*.*", "README"));
    EXPECT_FALSE(Wildcard_Match("*.INP", "B1.INP.bak"));
    EXPECT_FALSE(Wildcard_Match(nullptr, "x"));
}

TEST(FileSearch, FindsFilesInMappedDirectory)
{
    Temp_Dir dir;
    std::filesystem::create_directory(dir.file("Pos"));
    for (const char* name : {"B1_02.TMP", "b1_01.tmp", "B1_01.INP"})
        ASSERT_TRUE(Write_File_Bytes(dir.file(std::string("Pos/") + name), "x"));
    std::filesystem::create_directory(dir.file("Pos/B1_03.TMP"));

    // Windows form with the directory in another case; directories are not matched.
    EXPECT_EQ(Find_All(dir.path() + "\\POS\\B1_*.TMP"), (std::vector<std::string>{"B1_02.TMP", "b1_01.tmp"}));
    EXPECT_TRUE(Find_All(dir.path() + "\\POS\\*.XYZ").empty());
    EXPECT_TRUE(Find_All(dir.path() + "\\missing\\*.TMP").empty());

    // Files removed during the search do not disturb it.
    DOS_Find_Record r;
    int n = 0;
    for (int rc = DOSFindFirstFile((dir.path() + "/Pos/*").c_str(), &r); rc == 0; rc = DOSFindNext(&r)) {
        std::filesystem::remove(dir.file(std::string("Pos/") + r.name));
        ++n;
    }
    EXPECT_EQ(n, 3);
    EXPECT_EQ(r.name, nullptr);
    DOSFindClose(&r);
    DOSFindClose(&r);  // twice is harmless

    DOS_Find_Record none;
    EXPECT_NE(DOSFindFirstFile(nullptr, &none), 0);
    EXPECT_NE(DOSFindNext(&none), 0);
    DOSFindClose(&none);
}

TEST(FileSearch, TempNamesAreUniqueAndReserved)
{
    Temp_Dir dir;
    std::set<std::string> names;
    for (int k = 0; k < 20; ++k) {
        char buf[261];
        unsigned u = Get_Temp_File_Name(dir.path().c_str(), "ZAVX", buf, sizeof buf);
        ASSERT_NE(u, 0u);
        std::string name = buf;
        EXPECT_EQ(name.rfind(dir.path() + "/ZAV", 0), 0u) << name;
        EXPECT_EQ(name.size(), dir.path().size() + 1 + 3 + 4 + 4);
        EXPECT_TRUE(File_Exists(name));
        // Removing the file does not make the name free for the next call.
        std::filesystem::remove(name);
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    char tiny[8];
    EXPECT_EQ(Get_Temp_File_Name(dir.path().c_str(), "ZAV", tiny, sizeof tiny), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    char buf[261];
    EXPECT_EQ(Get_Temp_File_Name((dir.path() + "/missing").c_str(), "ZAV", buf, sizeof buf), 0u);

    // A Windows-form directory gets a backslash.
    ASSERT_NE(Get_Temp_File_Name((dir.path() + "\\").c_str(), "Q", buf, sizeof buf), 0u);
    EXPECT_EQ(std::string(buf).rfind(dir.path() + "\\Q", 0), 0u);
}

TEST(FileSearch, FullPathAccessAndCopy)
{
    char buf[261];
    ASSERT_EQ(_fullpath(buf, "/x/./y/../z", sizeof buf), buf);
    EXPECT_STREQ(buf, "/x/z");
    ASSERT_EQ(_fullpath(buf, "\\x\\y\\..\\z", sizeof buf), buf);
    EXPECT_STREQ(buf, "\\x\\z");
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(_fullpath(buf, "a\\..\\b.txt", sizeof buf), buf);
    EXPECT_EQ(std::string(buf), std::string(cwd) + "/b.txt");
    EXPECT_EQ(_fullpath(buf, "/abcdef", 7), nullptr);  // no room for the terminator
    EXPECT_EQ(_fullpath(buf, "/abcdef", 8), buf);
    EXPECT_EQ(_fullpath(nullptr, "/a", 8), nullptr);

    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("Source.dat"), "abc"));
    EXPECT_EQ(_access((dir.path() + "\\SOURCE.DAT").c_str(), 0), 0);
    EXPECT_EQ(_access((dir.path() + "\\SOURCE.DAT").c_str(), 6), 0);
    EXPECT_EQ(_access(dir.file("none").c_str(), 0), -1);
    EXPECT_EQ(_access(nullptr, 0), -1);

    EXPECT_NE(ZAVCopyFile((dir.path() + "\\source.dat").c_str(), (dir.path() + "\\Copy.dat").c_str(), 1), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("Copy.dat")), "abc");
    ASSERT_TRUE(Write_File_Bytes(dir.file("Source.dat"), "new"));
    EXPECT_EQ(ZAVCopyFile(dir.file("Source.dat").c_str(), dir.file("Copy.dat").c_str(), 1), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("Copy.dat")), "abc");
    EXPECT_NE(ZAVCopyFile(dir.file("Source.dat").c_str(), dir.file("Copy.dat").c_str(), 0), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("Copy.dat")), "new");
    // A copy onto itself fails and keeps the file.
    EXPECT_EQ(ZAVCopyFile(dir.file("Copy.dat").c_str(), dir.file("copy.DAT").c_str(), 0), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("Copy.dat")), "new");
    EXPECT_EQ(ZAVCopyFile(dir.file("none").c_str(), dir.file("x").c_str(), 0), 0);
    EXPECT_FALSE(File_Exists(dir.file("x")));
}
