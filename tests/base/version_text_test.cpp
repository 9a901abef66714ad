#include "base/version_text.h"

#include "annex/annex_env.h"
#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

// EXEC pointing at a fresh installation directory with the program directory "Q7-EC203"
// (spelled in lower case on disk: the name is found regardless of case).
class VersionText : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir_.file("q7-ec203")); }
    // The version text of a VERSION file with these bytes; "<null>" for none.
    std::string Of(const std::string& bytes)
    {
        Write_File_Bytes(dir_.file("q7-ec203/VERSION"), bytes);
        const char* text = Get_Program_Version_Text("Q7-EC203");
        return text ? text : "<null>";
    }

    Temp_Dir dir_;
    Env_Override exec_env_{"EXEC", dir_.path().c_str()};
};

} // namespace

TEST_F(VersionText, SameTextWhateverTheLineEnds)
{
    for (const char* bytes : {"Q7-EC203 Version 1.0.00\n", "Q7-EC203 Version 1.0.00\r\n",
                              "Q7-EC203 Version 1.0.00", "Q7-EC203 Version 1.0.00\r\nHistorie\r\n"}) {
        EXPECT_EQ(Of(bytes), "Q7-EC203 Version 1.0.00") << bytes;
    }
    EXPECT_EQ(Of(""), "");
    EXPECT_EQ(Of("\n<07\n"), "");  // nothing to patch in an empty text
    EXPECT_EQ(Of("V\n<07\n"), "V");
    // A line longer than the buffer is cut to 255 characters; its rest is no later line.
    const std::string long_line(300, 'a');
    EXPECT_EQ(Of(long_line + "<07\n"), std::string(255, 'a'));
}

TEST_F(VersionText, RevisionMarksOfLaterLines)
{
    EXPECT_EQ(Of("Q7-EC203 Version 1.0.00\n<07\n"), "Q7-EC203 Version 1.0.07");
    EXPECT_EQ(Of("Q7-EC203 Version 1.0.00\r\nStand <07\r\n<12 und <13\r\n"), "Q7-EC203 Version 1.0.13");
    // A mark needs two characters after it on its own line.
    EXPECT_EQ(Of("Q7-EC203 Version 1.0.00\n<7\n<\n"), "Q7-EC203 Version 1.0.00");
    EXPECT_EQ(Of("Q7-EC203 Version 1.0.00\r\n<7\r\n"), "Q7-EC203 Version 1.0.00");
    EXPECT_EQ(Of("Q7-EC203 Version 1.0.00\n<07"), "Q7-EC203 Version 1.0.07");
    EXPECT_EQ(Of("AB\n<CD\n"), "CD");
    // A mark in the first line is part of the version text.
    EXPECT_EQ(Of("Version <1.0\n"), "Version <1.0");
}

TEST_F(VersionText, NullWithoutFileOrInstallationDirectory)
{
    EXPECT_STREQ(Get_Program_Version_Text("Q7-EC201"), nullptr);
    EXPECT_STREQ(Get_Program_Version_Text(nullptr), nullptr);
    Of("Q7-EC203 Version 1.0.00\n");
    ::unsetenv("EXEC");
    EXPECT_STREQ(Get_Program_Version_Text("Q7-EC203"), nullptr);
}
