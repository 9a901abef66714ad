#pragma once
// A sandboxed installation for the annex report tests: "DATA", "DRAM" and "EXEC" point
// into a fresh temporary directory, the running application number is set, and the annex
// choice and the application profiles start as in a new run (and are forgotten again
// afterwards). Nothing is written outside the temporary directory.
#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

class Report_Sandbox {
public:
    explicit Report_Sandbox(int application_number = 127)
    {
        for (const char* name : {"DATA", "DRAM", "EXEC", "ZAV_APPLICATION_NUMBER"}) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        for (const char* sub : {"data", "dram", "exec"}) std::filesystem::create_directories(dir_.file(sub));
        ::setenv("DATA", dir_.file("data").c_str(), 1);
        ::setenv("DRAM", dir_.file("dram").c_str(), 1);
        ::setenv("EXEC", dir_.file("exec").c_str(), 1);
        ::setenv("ZAV_APPLICATION_NUMBER", std::to_string(application_number).c_str(), 1);
        NAD_Forget_Choice();
        NAD_Forget_App_Profiles();
    }
    ~Report_Sandbox()
    {
        NAD_Forget_Choice();
        NAD_Forget_App_Profiles();
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
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
    std::map<std::string, std::optional<std::string>> saved_;
};
