#include "core/position_file.h"

#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "platform/messages.h"

#include "test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string calls;
double seen_hk = 0.0;

// The sheets' edit buffer: the apply hook brings a value the user typed into the model,
// the fill hook notes what the pages will show.
void Apply(Corbel_Model* m)
{
    calls += "A";
    m->hk = 77.0;
}
void Fill(Corbel_Model* m)
{
    calls += "F";
    seen_hk = m->hk;
}

} // namespace

TEST(ExportImportHooks, TypedValuesAreExportedAndTheImportIsShown)
{
    Temp_Dir temp;
    const char* old = std::getenv("TEMP");
    const std::string old_temp = old ? old : "";
    ::setenv("TEMP", temp.path().c_str(), 1);
    edit_buffer_hooks = {Fill, Apply};
    Set_Corbel_Defaults(&corbel_model);

    EXPECT_EQ(Export_Corbel_Data(), 0);
    EXPECT_EQ(calls, "AF");
    Set_Corbel_Defaults(&corbel_model);
    corbel_model.hk = 1.0;
    edit_buffer_hooks.apply = nullptr;
    const unsigned generation = corbel_load_generation;
    EXPECT_EQ(Import_Corbel_Data(), 0);
    EXPECT_EQ(corbel_model.hk, 77.0);
    EXPECT_EQ(seen_hk, 77.0);
    EXPECT_NE(corbel_load_generation, generation);  // the pages see a new model

    // No export file: the model stays, the pages are filled all the same.
    std::remove(temp.file("Q7-DI2ZE#export.dat").c_str());
    calls.clear();
    EXPECT_EQ(Import_Corbel_Data(), 1);
    EXPECT_EQ(calls, "F");

    edit_buffer_hooks = {};
    Clear_Shown_Messages();
    old_temp.empty() ? ::unsetenv("TEMP") : ::setenv("TEMP", old_temp.c_str(), 1);
}
