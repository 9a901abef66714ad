// The partial factors in the report, the closing headlines and the sibling program probe.
#include "core/safety_factor_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/safety_factors.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

// The text lines the channel wrote (its block records left out).
std::string Lines(const NAD_Safety_Factors& record, int bits)
{
    File_Stream out;
    Write_Safety_Factor_Lines(&record, out.get(), bits);
    OLI_End_Text_Block(out.get());
    std::string text, bytes = out.bytes();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        if (bytes[start] == ' ') text += bytes.substr(start + 1, end - start - 1) + "\n";
        start = end + 1;
    }
    return text;
}

#define GC "\xC0" OLI_SEQ_SUB "c" OLI_SEQ_RESET
#define GS "\xC0" OLI_SEQ_SUB "s" OLI_SEQ_RESET

TEST(SafetyFactorDisplay, LinesByPartBits)
{
    NAD_Safety_Factors f;
    f.gamma_c = 1.5;
    f.gamma_s = 1.15;
    f.gamma_c_sls = 1.0;
    f.gamma_s_sls = 1.0;
    f.gamma_c_fat = 1.5;
    f.gamma_s_fat = 1.15;

    EXPECT_EQ(Lines(f, 7), "Tragf\x84higkeit:  Beton " GC " = 1.50,  Bewehrung " GS " = 1.15\n");
    EXPECT_EQ(Lines(f, 5), "Tragf\x84higkeit Beton " GC " = 1.50\n");
    EXPECT_EQ(Lines(f, 2 | 8), "Gebrauchstauglichkeit Bewehrung " GS " = 1.00\n");
    EXPECT_EQ(Lines(f, 15), "Tragf\x84higkeit:  Beton " GC " = 1.50,  Bewehrung " GS " = 1.15\n"
                            "Gebrauchstauglichkeit:  Beton " GC " = 1.00,  Bewehrung " GS " = 1.00\n");
    EXPECT_EQ(Lines(f, 1 | 2 | 16), "Erm\x81" "dung:  Beton \xC0" OLI_SEQ_SUB "c,fat" OLI_SEQ_RESET " = 1.50,  Bewehrung \xC0"
                                    OLI_SEQ_SUB "s,fat" OLI_SEQ_RESET " = 1.15\n");
    EXPECT_EQ(Lines(f, 32 | 3), "Beton " GC " = 1.50,  Bewehrung " GS " = 1.15\n");
    EXPECT_EQ(Lines(f, 0), "Tragf\x84higkeit \nGebrauchstauglichkeit \nErm\x81" "dung \n");

    // Nothing without a record or a stream.
    File_Stream out;
    Write_Safety_Factor_Lines(nullptr, out.get(), 7);
    Write_Safety_Factor_Lines(&f, nullptr, 7);
    EXPECT_EQ(out.bytes(), "");
}

TEST(SafetyFactorDisplay, HeadlinesKeepABufferEach)
{
    const char* ok = Get_Design_Ok_Headline();
    const char* failed = Get_Design_Failed_Headline();
    EXPECT_EQ(std::string(ok), std::string(Get_Blue_Colour_Code()) + "Bemessung erfolgreich" + Get_Colour_Off_Code());
    EXPECT_EQ(std::string(failed),
              std::string(Get_Red_Colour_Code()) + "Fehler bei der Bemessung !!" + Get_Colour_Off_Code());
    EXPECT_EQ(Get_Design_Ok_Headline(), ok);
    EXPECT_EQ(Get_Design_Failed_Headline(), failed);
}

TEST(SafetyFactorDisplay, SiblingProgramIsFoundUnderExec)
{
    const char* exec = std::getenv("EXEC");
    const std::string saved = exec ? exec : "";
    Temp_Dir dir;
    ::setenv("EXEC", dir.path().c_str(), 1);
    EXPECT_EQ(Sibling_Program_Installed(), 0);
    std::filesystem::create_directories(dir.file("q7-varko"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("q7-varko/VARKO.EXE"), "MZ"));
    EXPECT_EQ(Sibling_Program_Installed(), 1);  // names are found regardless of case
    ::setenv("EXEC", std::string(5000, 'x').c_str(), 1);
    EXPECT_EQ(Sibling_Program_Installed(), 0);
    ::unsetenv("EXEC");
    EXPECT_EQ(Sibling_Program_Installed(), 0);
    if (exec) ::setenv("EXEC", saved.c_str(), 1);
}

}  // namespace
