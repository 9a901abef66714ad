#include "sheets/program/main_loop.h"

#include "base/component_files.h"
#include "base/run_globals.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "platform/report_viewer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// The tabular results view writes the report with its own options, shows it, and leaves
// the position's print options as they were.
TEST(ResultsViews, TableViewRestoresThePrintOptions)
{
    Temp_Dir dir;
    ::setenv("DRAM", dir.path().c_str(), 1);
    Set_Component_Path((dir.path() + "/B1").c_str());
    oli_file_name = "_01.OLI";
    spf_file_name = dir.file("B10001.SPF");  // the report's graphic writes the drawing
    FILE* f = std::fopen(CORBEL_SOURCE_DIR "/examples/B1_01.INP", "r");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(Read_Corbel_Model(f, &corbel_model), 0);
    std::fclose(f);
    const EC2_Print_Options before = corbel_model.print_options;

    const int views = Get_Report_Viewer_State().calls;
    EXPECT_EQ(Show_Results_Table(), 0);
    EXPECT_EQ(Get_Report_Viewer_State().calls, views + 1);
    EXPECT_EQ(Get_Report_Viewer_State().file_name, dir.file("B1_01.OLI"));
    for (int k = 0; k < EC2_PRINT_SWITCH_COUNT; ++k) EXPECT_EQ(corbel_model.print_options.switches[k], before.switches[k]);
    const std::string table = Read_File_Bytes(dir.file("B1_01.OLI"));
    EXPECT_FALSE(table.empty());

    // One combination in detail: its report differs from the table.
    EXPECT_EQ(Show_Load_Case_Report(2), 0);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_01.OLI")), table);
    for (int k = 0; k < EC2_PRINT_SWITCH_COUNT; ++k) EXPECT_EQ(corbel_model.print_options.switches[k], before.switches[k]);

    Clear_Corbel_Model(&corbel_model);
    oli_file_name.clear();
    spf_file_name.clear();
    ::unsetenv("DRAM");
}
