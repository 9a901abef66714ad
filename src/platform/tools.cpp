#include "platform/tools.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Tool_Window {
    std::string title;
    pid_t pid;
};

// Programs started without waiting, each with the title of its window.
std::vector<Tool_Window> open_windows;

struct Known_Tool {
    const char* file;
    const char* title;
};

const Known_Tool known_tools[] = {
    {"Zorbitel.exe", "ZAV - Bauteilauswahl"},
    {"Kestrova.exe", "ZAV - Planbearbeitung"},
    {"Tramovik.exe", "ZAV - Schnittgr\xF6\xDF" "enauswahl"},
};

std::string Window_Title_Of(const std::string& program_path)
{
    size_t slash = program_path.find_last_of('/');
    std::string file = slash == std::string::npos ? program_path : program_path.substr(slash + 1);
    for (const Known_Tool& t : known_tools)
        if (::strcasecmp(file.c_str(), t.file) == 0) return t.title;
    return file;
}

// Collects every program of the table that has ended.
void Reap_Finished()
{
    for (size_t i = 0; i < open_windows.size();) {
        int status = 0;
        pid_t r = ::waitpid(open_windows[i].pid, &status, WNOHANG);
        if (r == 0 || (r < 0 && errno == EINTR)) {
            ++i;
        } else {
            // Ended (r == pid) or no longer our child (r < 0): the window is gone.
            open_windows.erase(open_windows.begin() + static_cast<long>(i));
        }
    }
}

// The argument vector for posix_spawn: the caller's entries, or just the path.
std::vector<char*> Argument_Vector(const std::string& path, const char* const* argv)
{
    std::vector<char*> args;
    if (argv) {
        for (const char* const* a = argv; *a; ++a) args.push_back(const_cast<char*>(*a));
    }
    if (args.empty()) args.push_back(const_cast<char*>(path.c_str()));
    args.push_back(nullptr);
    return args;
}

int Wait_For_Exit(pid_t pid)
{
    int status = 0;
    for (;;) {
        pid_t r = ::waitpid(pid, &status, 0);
        if (r == pid) break;
        if (r < 0 && errno == EINTR) continue;
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t Start(const std::string& path, const char* const* argv, const posix_spawn_file_actions_t* actions)
{
    std::vector<char*> args = Argument_Vector(path, argv);
    pid_t pid = 0;
    if (::posix_spawn(&pid, path.c_str(), actions, nullptr, args.data(), environ) != 0) return -1;
    return pid;
}

} // namespace

int ZAVSpawnv(int mode, const char* path, const char* const* argv)
{
    if (!path || !*path) return -1;
    Reap_Finished();
    std::string program = Map_Path(path);
    pid_t pid = Start(program, argv, nullptr);
    if (pid < 0) return -1;
    if (mode == 0) return Wait_For_Exit(pid);
    open_windows.push_back({Window_Title_Of(program), pid});
    return static_cast<int>(pid);
}

int FindZAVWindow(const char* title, int length)
{
    if (!title) return 0;
    Reap_Finished();
    size_t n = std::strlen(title);
    if (length > 0 && static_cast<size_t>(length) < n) n = static_cast<size_t>(length);
    for (const Tool_Window& w : open_windows)
        if (w.title.compare(0, n, title, n) == 0) return 1;
    return 0;
}

int CheckZAVProcess(int pid)
{
    Reap_Finished();
    for (const Tool_Window& w : open_windows)
        if (w.pid == pid) return 1;
    return 0;
}

int ShowZAVProcessWindow(int pid, int) { return CheckZAVProcess(pid); }

int Run_Program_To_Log(const char* path, const char* const* argv, const char* log_path)
{
    if (!path || !*path || !log_path || !*log_path) return -1;
    std::string program = Map_Path(path);
    std::string log = Map_Path(log_path);
    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0) return -1;
    int result = -1;
    if (::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                           O_WRONLY | O_CREAT | O_TRUNC, 0666) == 0) {
        pid_t pid = Start(program, argv, &actions);
        if (pid >= 0) result = Wait_For_Exit(pid);
    }
    ::posix_spawn_file_actions_destroy(&actions);
    return result;
}

namespace {
Tool_Wait_Screen tool_wait_screen;  // all null without a screen
} // namespace

void Set_Tool_Wait_Screen(const Tool_Wait_Screen* screen) { tool_wait_screen = screen ? *screen : Tool_Wait_Screen{}; }

const Tool_Wait_Screen& Get_Tool_Wait_Screen() { return tool_wait_screen; }

void ZAVSleep(int milliseconds)
{
    if (milliseconds <= 0) return;
    if (tool_wait_screen.sleep_ms) {
        tool_wait_screen.sleep_ms(milliseconds);
        return;
    }
    timespec rest{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}
