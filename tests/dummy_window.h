#pragma once
// A window session on SDL's dummy video driver (shows nothing, takes pushed events): the
// screen library opened with ZAV_SCREEN=window. False, with SDL's reason in *error, when
// SDL cannot start here; the variables are unset again either way.
#include "platform/screen/screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline bool Start_Dummy_Window(const char* size, std::string* error = nullptr)
{
    Screen_Reset_For_Tests();
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("ZAV_SCREEN", "window", 1);
    ::setenv("ZAV_SCREEN_SIZE", size, 1);
    testing::internal::CaptureStderr();
    Init_Grafik_Mode();
    const std::string err = testing::internal::GetCapturedStderr();
    for (const char* name : {"SDL_VIDEODRIVER", "ZAV_SCREEN", "ZAV_SCREEN_SIZE"}) ::unsetenv(name);
    if (error) *error = err;
    return Screen_Shows_Window();
}
