#pragma once
// A fixture for a sheet driven by a script on a headless 1024 x 768 screen, with the
// data directory as EXEC (the sheets' bitmaps).
#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class Sheet_Script_Test : public testing::Test {
protected:
    void SetUp() override { ::setenv("EXEC", CORBEL_SOURCE_DIR "/data", 1); }
    void TearDown() override
    {
        Area_Delete_All();
        Screen_Reset_For_Tests();
        ::unsetenv("EXEC");
    }
    static void Start(const std::string& script)
    {
        Screen_Start_For_Tests(script, 1024, 768);
        Init_Prop_Sheets();
    }
};
