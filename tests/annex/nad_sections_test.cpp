#include "annex/nad_sections.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The rest of the stream from where it stands.
std::string Rest(FILE* stream)
{
    std::string rest;
    for (int c = std::getc(stream); c != EOF; c = std::getc(stream)) rest += static_cast<char>(c);
    return rest;
}

const char* const list_file =
    "Kopf\n"
    "#NAD \xAE" "Deutschland\xAF\n"
    " EC2 Parameter\n"
    " Lastfaktoren 4\n"
    "#NAD \xAE" "Zweite\xAF\n"
    " EC5 Parameter\n";

} // namespace

TEST(NADFindSection, FoundStandsBehindTheLineWithItsVersion)
{
    for (const std::string& bytes : {std::string(list_file), To_CRLF(list_file)}) {
        File_Stream file(bytes);
        int version = -1;
        ASSERT_EQ(NAD_Find_Section(file.get(), "#NAD", "#NAD", &version), 1);
        EXPECT_EQ(version, -1); // no number behind the keyword: unchanged
        ASSERT_EQ(NAD_Find_Section(file.get(), " Lastfaktoren", "#NAD", &version), 1);
        EXPECT_EQ(version, 4);
        const std::string rest = Rest(file.get());
        EXPECT_EQ(rest.substr(0, 4), "#NAD") << "stream must stand behind the keyword line";
    }
}

TEST(NADFindSection, StopTagOrEndLeaveTheStreamWhereTheSearchBegan)
{
    File_Stream file(list_file);
    ASSERT_EQ(NAD_Find_Section(file.get(), "#NAD", "#NAD", nullptr), 1);
    const long start = std::ftell(file.get());

    // The EC5 section belongs to the next annex: the search stops at its "#NAD".
    EXPECT_EQ(NAD_Find_Section(file.get(), " EC5 Parameter", "#NAD", nullptr), 2);
    EXPECT_EQ(std::ftell(file.get()), start);

    EXPECT_EQ(NAD_Find_Section(file.get(), " EC9 Parameter", "#NAD", nullptr), 2);
    EXPECT_EQ(std::ftell(file.get()), start);

    // Without a stop tag the search runs to the end and comes back, ready to read on.
    EXPECT_EQ(NAD_Find_Section(file.get(), " EC9 Parameter", nullptr, nullptr), 0);
    EXPECT_EQ(std::ftell(file.get()), start);
    EXPECT_EQ(NAD_Find_Section(file.get(), " EC5 Parameter", nullptr, nullptr), 1);
    EXPECT_EQ(Rest(file.get()), "");

    EXPECT_EQ(NAD_Find_Section(nullptr, "#NAD", nullptr, nullptr), 0);
    EXPECT_EQ(NAD_Find_Section(file.get(), nullptr, nullptr, nullptr), 0);
}

TEST(NADFindSection, LongLinesAreOneLineAndTraceShowsSkippedLines)
{
    // The tail of an over-long line is no line of its own.
    std::string bytes = std::string(299, 'x') + "#EC2\n#EC2 7\n";
    File_Stream file(bytes);
    int version = 0;

    testing::internal::CaptureStdout();
    nad_trace = 1;
    const int found = NAD_Find_Section(file.get(), "#EC2", nullptr, &version);
    nad_trace = 0;
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(found, 1);
    EXPECT_EQ(version, 7);
    EXPECT_EQ(out, "***** Spooling *****: " + std::string(299, 'x') + "#EC2\n");
}

TEST(NADReadStatus, CollectsFailedPartsUntilCleared)
{
    NAD_Clear_Read_Failures();
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "");
    NAD_Note_Read_Failure("EC2");
    NAD_Note_Read_Failure("EC5");
    EXPECT_EQ(NAD_Read_Failure_Count(), 2);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC2, EC5");
    NAD_Clear_Read_Failures();
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
}
