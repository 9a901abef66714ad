// Whole reports of the example positions, written by refresh runs of the program at the
// detail levels minimal, standard, detailed and tabular, compared byte for byte with the
// reports kept in tests/core/golden/ (each read through once by eye when it was made).
//
// After an intended change of the report, make them again with
//
//     CORBEL_UPDATE_GOLDEN=1 build/test/test_core --gtest_filter='GoldenReports.*'
//
// and read the differences (git diff) before committing them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "example_input.h"
#include "report_checks.h"
#include "test_support.h"

namespace {

const std::string golden_dir = CORBEL_SOURCE_DIR "/tests/core/golden/";

bool Updating()
{
    const char* value = std::getenv("CORBEL_UPDATE_GOLDEN");
    return value && *value && std::string(value) != "0";
}

// The example position's input with the detail level changed.
std::string Input_At_Level(const std::string& input, int level)
{
    return Changed_Example_Input(input,
                                 [level](Corbel_Model& m) { m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = level; });
}

struct Level {
    int value;
    const char* name;
};
const Level levels[] = {{0, "minimal"}, {1, "standard"}, {2, "ausfuehrlich"}, {3, "tabellarisch"}};

TEST(GoldenReports, ExamplePositionsAtEveryDetailLevel)
{
    for (int position = 1; position <= 5; ++position) {
        char stem[16];
        std::snprintf(stem, sizeof stem, "B1_%02d", position);
        const std::string input = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/" + std::string(stem) + ".INP");
        const std::string title = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/" + std::string(stem) + ".TXT");
        ASSERT_FALSE(input.empty()) << stem;
        for (const Level& level : levels) {
            SCOPED_TRACE(std::string(stem) + " " + level.name);
            Temp_Dir dir;
            ASSERT_TRUE(Write_File_Bytes(dir.file(stem + std::string(".INP")), Input_At_Level(input, level.value)));
            ASSERT_TRUE(Write_File_Bytes(dir.file(stem + std::string(".TXT")), title));
            const std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" CORBEL_SOURCE_DIR "/data",
                                               "DRAM=" + dir.path(), "TEMP=" + dir.path(),
                                               "ZAV_PRIVAT_DATAPATH=" + dir.path(), "ZAV_APPLICATION_NUMBER"};
            const std::string id = std::to_string(position);
            const Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", id, id, "-refresh"}, dir.path(), env);
            EXPECT_EQ(r.exit_code, 1);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, "");

            const std::string report = Read_File_Bytes(dir.file(stem + std::string(".OLI")));
            ASSERT_FALSE(report.empty());
            EXPECT_EQ(Bookmark_Balance(report), "");
            const std::string golden = golden_dir + stem + "_" + level.name + ".OLI";
            if (Updating()) {
                ASSERT_TRUE(Write_File_Bytes(golden, report)) << golden;
                continue;
            }
            const std::string expected = Read_File_Bytes(golden);
            ASSERT_FALSE(expected.empty()) << golden << " is missing; make it with CORBEL_UPDATE_GOLDEN=1";
            if (report != expected) {
                size_t at = 0;
                while (at < report.size() && at < expected.size() && report[at] == expected[at]) ++at;
                const size_t from = at > 200 ? at - 200 : 0;
                ADD_FAILURE() << golden << " differs from byte " << at << ":\n--- expected\n"
                              << expected.substr(from, 400) << "\n--- written\n" << report.substr(from, 400);
            }
        }
    }
}

}  // namespace
