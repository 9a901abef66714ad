#include "platform/tools.h"

#include "test_support.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

std::string Write_Script(const Temp_Dir& dir, const std::string& name, const std::string& body)
{
    Write_File_Bytes(dir.file(name), "#!/bin/sh\n" + body);
    ::chmod(dir.file(name).c_str(), 0755);
    return dir.file(name);
}

// Polls until the window is gone; false when it is still there after 10 s.
bool Wait_Until_Gone(const char* title, int length)
{
    for (int i = 0; i < 500 && FindZAVWindow(title, length); ++i) ZAVSleep(20);
    return !FindZAVWindow(title, length);
}

} // namespace

TEST(ToolSpawn, WindowLivesAsLongAsTheProgram)
{
    Temp_Dir dir;
    Write_Script(dir, "Kestrova.exe", "sleep 0.3\n");
    std::string path = dir.path() + "\\KESTROVA.EXE";  // Windows form, other case
    const char* argv[] = {path.c_str(), "plan.spf", nullptr};
    int pid = ZAVSpawnv(1, path.c_str(), argv);
    ASSERT_GT(pid, 0);
    EXPECT_NE(FindZAVWindow("ZAV - Planbearbeitung", 21), 0);
    EXPECT_NE(FindZAVWindow("ZAV - Planung", 10), 0);  // only the given length counts
    EXPECT_EQ(FindZAVWindow("ZAV - Bauteilauswahl", 20), 0);
    ASSERT_TRUE(Wait_Until_Gone("ZAV - Planbearbeitung", 21));
    errno = 0;  // collected: no zombie is left behind
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    const char* sh[] = {"/bin/sh", "-c", "sleep 0.2", nullptr};
    ASSERT_GT(ZAVSpawnv(1, "/bin/sh", sh), 0);
    EXPECT_NE(FindZAVWindow("sh", 2), 0);  // other programs: their file name
    EXPECT_TRUE(Wait_Until_Gone("sh", 2));
}

TEST(ToolSpawn, WaitingModeFailuresAndArgumentsAsGiven)
{
    const char* exit3[] = {"/bin/sh", "-c", "exit 3", nullptr};
    EXPECT_EQ(ZAVSpawnv(0, "/bin/sh", exit3), 3);
    const char* killed[] = {"/bin/sh", "-c", "kill -9 $$", nullptr};
    EXPECT_EQ(ZAVSpawnv(0, "/bin/sh", killed), -1);
    Temp_Dir dir;
    EXPECT_EQ(ZAVSpawnv(1, dir.file("missing.exe").c_str(), nullptr), -1);
    EXPECT_EQ(FindZAVWindow("missing.exe", 0), 0);

    // Each argument reaches the program as one word, shell characters untouched.
    std::string out = dir.file("args.txt");
    std::string script = Write_Script(dir, "echo.sh", "printf '[%s]\\n' \"$@\" > '" + out + "'\n");
    const char* argv[] = {script.c_str(), "a b", "\"q\"", "$(touch x); y", "", nullptr};
    EXPECT_EQ(ZAVSpawnv(0, script.c_str(), argv), 0);
    EXPECT_EQ(Read_File_Bytes(out), "[a b]\n[\"q\"]\n[$(touch x); y]\n[]\n");
    EXPECT_FALSE(File_Exists(dir.file("x")));
}

TEST(ToolSpawn, RunToLogRedirectsStandardOutput)
{
    Temp_Dir dir;
    std::string script = Write_Script(dir, "tool", "echo \"out $1\"\nexit $2\n");
    std::string log = dir.file("log.txt");
    Write_File_Bytes(log, "old contents\n");
    const char* ok[] = {script.c_str(), "one", "0", nullptr};
    EXPECT_EQ(Run_Program_To_Log(script.c_str(), ok, log.c_str()), 0);
    EXPECT_EQ(Read_File_Bytes(log), "out one\n");
    const char* fails[] = {script.c_str(), "two", "7", nullptr};
    EXPECT_EQ(Run_Program_To_Log(script.c_str(), fails, (dir.path() + "\\LOG.TXT").c_str()), 7);
    EXPECT_EQ(Read_File_Bytes(log), "out two\n");
    EXPECT_EQ(Run_Program_To_Log(script.c_str(), ok, dir.file("no/dir/log").c_str()), -1);
    EXPECT_EQ(Run_Program_To_Log(dir.file("none").c_str(), ok, log.c_str()), -1);
}
