#pragma once
// A position input changed in the model and written again, for refresh runs of the built
// program on variants of the example positions.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "test_support.h"

// The input read into a model, changed by `edit` and written as the program's writer writes
// it; the block naming the annex is kept as it was.
inline std::string Edited_Input(const std::string& input, const std::function<void(Corbel_Model&)>& edit)
{
    File_Stream in(input);
    Corbel_Model model{};
    EXPECT_EQ(Read_Corbel_Model(in.get(), &model), 0);
    edit(model);
    File_Stream out;
    EXPECT_EQ(Write_Corbel_Model(out.get(), &model), 0);
    for (Load_Combination*& table : model.load_table)
        if (table) MEM_FREE(table);
    if (model.results) MEM_FREE(model.results);
    if (model.print_options.remarks) MEM_FREE(model.print_options.remarks);
    const size_t annex = input.find("\n\nACTIV_NADNAME");
    return out.bytes() + (annex == std::string::npos ? std::string() : input.substr(annex));
}

// The report that a refresh run of the built program writes for example position
// B1_0<example> as `edit` leaves its input; the run's exit code and output go to *run.
inline std::string Refreshed_Example_Report(int example, const std::function<void(Corbel_Model&)>& edit,
                                            Run_Result* run)
{
    const std::string stem = "B1_0" + std::to_string(example);
    const std::string input = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/" + stem + ".INP");
    Temp_Dir dir;
    EXPECT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), Edited_Input(input, edit)));
    EXPECT_TRUE(Write_File_Bytes(dir.file("B1_01.TXT"), "1.01:Konsole\n"));
    *run = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(),
                       {"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" CORBEL_SOURCE_DIR "/data", "DRAM=" + dir.path(),
                        "TEMP=" + dir.path(), "ZAV_PRIVAT_DATAPATH=" + dir.path()});
    return Read_File_Bytes(dir.file("B1_01.OLI"));
}

// One load combination A, H in kN.
struct Load {
    double A, H;
};

// Table k (0 ultimate limit state, 1 fatigue) of the model holds these combinations.
inline void Set_Loads(Corbel_Model& m, int k, const std::vector<Load>& loads)
{
    Alloc_Load_Table(&m, static_cast<int>(loads.size()), k);
    for (size_t i = 0; i < loads.size(); ++i) {
        m.load_table[k][i].A = 1000.0 * loads[i].A;
        m.load_table[k][i].H = 1000.0 * loads[i].H;
    }
}
