#include "base/archive.h"

#include "platform/paths.h"
#include "platform/tools.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int Extract_Archive_Member(const char* archive, const char* member, const char* target_directory)
{
    if (!archive || ::access(Map_Path(archive).c_str(), R_OK) != 0) return 1;
    if (!target_directory || ::access(Map_Path(target_directory).c_str(), W_OK) != 0) return 2;
    const char* exec = std::getenv("EXEC");
    if (!exec) return 3;
    const char* temp = std::getenv("TEMP");
    if (!temp) return 4;
    if (!member || !*member) return 5;

    // The extractor is started with an argument vector, not through a command line:
    // quotes, blanks or shell characters in a path are passed on as they are.
    std::string program = Map_Path(std::string(exec) + "\\7za");
    if (::access(program.c_str(), X_OK) != 0) {
        std::string with_extension = Map_Path(std::string(exec) + "\\7za.exe");
        if (::access(with_extension.c_str(), X_OK) == 0) program = with_extension;
    }
    const std::string archive_path = Map_Path(archive);
    const std::string output_option = "-o" + Map_Path(target_directory);
    const char* argv[] = {program.c_str(), "e", archive_path.c_str(), member,
                          output_option.c_str(), "-y", nullptr};
    const std::string log = std::string(temp) + "\\7zprot.txt";

    std::fflush(nullptr);
    int result = Run_Program_To_Log(program.c_str(), argv, log.c_str());
    // A program that could not be started or did not end normally (-1) has failed as
    // surely as one that reports an error.
    return result == 0 ? 0 : 5;
}
