#pragma once
// Shared by the tests of the part reports: a sandboxed installation directory holding
// one application profile, made current for the test's lifetime.
#include "annex/app_profiles.h"
#include "annex_env.h"
#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <string>

class Profile_Sandbox {
public:
    Profile_Sandbox() { NAD_Forget_App_Profiles(); }
    ~Profile_Sandbox() { NAD_Forget_App_Profiles(); }
    Profile_Sandbox(const Profile_Sandbox&) = delete;
    Profile_Sandbox& operator=(const Profile_Sandbox&) = delete;

    // Installs "APP<number>.DEF" with the given "#NADS" line and what follows it, and makes
    // it the running application's profile.
    void Use_Profile(int number, const std::string& nads_text) {
        std::filesystem::create_directories(exec_.file("prog"));
        Write_File_Bytes(exec_.file("prog/APP" + std::to_string(number) + ".DEF"),
                         "#NADS " + nads_text + "\n#NAME\n\xAETest\xAF\n");
        ::setenv("EXEC", exec_.path().c_str(), 1);
        ::setenv("ZAV_APPLICATION_NUMBER", std::to_string(number).c_str(), 1);
        NAD_Forget_App_Profiles();
        NAD_Scan_App_Profiles();
    }

private:
    Temp_Dir exec_;
    Env_Override exec_env_{"EXEC", nullptr};  // no profile until one is installed
    Env_Override app_env_{"ZAV_APPLICATION_NUMBER"};
};

// The lines of one "#SHOWTABLE" block whose text holds the marker, "" when none does.
inline std::string Table_Holding(const std::string& report, const std::string& marker) {
    size_t at = report.find(marker);
    if (at == std::string::npos) return "";
    size_t begin = report.rfind("#SHOWTABLE", at);
    size_t end = report.find("#END_OF_TEXT\n", at);
    if (begin == std::string::npos || end == std::string::npos) return "";
    return report.substr(begin, end + 13 - begin);
}

