#pragma once
// A sandboxed installation for the annex report tests: "DATA", "DRAM" and "EXEC" point
// into a fresh temporary directory, the running application number is set, and the annex
// choice and the application profiles start as in a new run (and are forgotten again
// afterwards). Nothing is written outside the temporary directory.
#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex_env.h"
#include "test_support.h"

#include <filesystem>
#include <string>

class Report_Sandbox {
public:
    explicit Report_Sandbox(int application_number = 127)
        : app_env_("ZAV_APPLICATION_NUMBER", std::to_string(application_number).c_str())
    {
        for (const char* sub : {"data", "dram", "exec"}) std::filesystem::create_directories(dir_.file(sub));
        NAD_Forget_Choice();
        NAD_Forget_App_Profiles();
    }
    ~Report_Sandbox()
    {
        NAD_Forget_Choice();
        NAD_Forget_App_Profiles();
    }
    Report_Sandbox(const Report_Sandbox&) = delete;
    Report_Sandbox& operator=(const Report_Sandbox&) = delete;

    // Writes a profile "APP<number>.DEF" into a program directory below "EXEC".
    void Add_Profile(int number, const std::string& text, const std::string& program = "Q7-PROG")
    {
        std::filesystem::create_directories(dir_.file("exec/" + program));
        Write_File_Bytes(dir_.file("exec/" + program + "/APP" + std::to_string(number) + ".DEF"), text);
    }

    const Temp_Dir& dir() const { return dir_; }

private:
    Temp_Dir dir_;
    Env_Override data_env_{"DATA", dir_.file("data").c_str()};
    Env_Override dram_env_{"DRAM", dir_.file("dram").c_str()};
    Env_Override exec_env_{"EXEC", dir_.file("exec").c_str()};
    Env_Override app_env_;
};
