#pragma once
// An example position's input changed by a test, as the program's writer writes it.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "test_support.h"

// The input read into a model, changed, and written again; the block naming the annex is
// kept as it was.
inline std::string Changed_Example_Input(const std::string& input, const std::function<void(Corbel_Model&)>& change)
{
    File_Stream in(input);
    Corbel_Model model{};
    EXPECT_EQ(Read_Corbel_Model(in.get(), &model), 0);
    change(model);
    File_Stream out;
    EXPECT_EQ(Write_Corbel_Model(out.get(), &model), 0);
    for (Load_Combination*& table : model.load_table)
        if (table) MEM_FREE(table);
    if (model.results) MEM_FREE(model.results);
    if (model.print_options.remarks) MEM_FREE(model.print_options.remarks);
    const size_t annex = input.find("\n\nACTIV_NADNAME");
    return out.bytes() + (annex == std::string::npos ? std::string() : input.substr(annex));
}
