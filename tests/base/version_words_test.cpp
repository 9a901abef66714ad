#include "base/version_words.h"

#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

// The version number comes from the program's version text exactly as the page head
// reads it: a last line without line end keeps its last character, marks apply.
TEST(VersionWordsNumber, ReadsTheProgramVersionText)
{
    std::optional<std::string> old_exec;
    if (const char* old = std::getenv("EXEC")) old_exec = old;
    Temp_Dir dir;
    std::filesystem::create_directories(dir.file("q7-ec206"));
    ::setenv("EXEC", dir.path().c_str(), 1);

    ASSERT_TRUE(Write_File_Bytes(dir.file("q7-ec206/VERSION"), "Version 1.23"));
    EXPECT_EQ(Get_Program_Version_Number("Q7-EC206"), 23);
    ASSERT_TRUE(Write_File_Bytes(dir.file("q7-ec206/VERSION"), "Version 1.23.00\r\n<45\r\n"));
    EXPECT_EQ(Get_Program_Version_Number("Q7-EC206"), 23);
    ASSERT_TRUE(Write_File_Bytes(dir.file("q7-ec206/VERSION"), "Version 1.30\n<45\n"));
    EXPECT_EQ(Get_Program_Version_Number("Q7-EC206"), 45);
    // A missing file keeps the last number found.
    EXPECT_EQ(Get_Program_Version_Number("Q7-FEHLT"), 45);

    if (old_exec)
        ::setenv("EXEC", old_exec->c_str(), 1);
    else
        ::unsetenv("EXEC");
}
