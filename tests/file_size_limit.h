#pragma once
// Making a write fail on purpose: a step runs in a child process whose files may not grow
// beyond a given size (RLIMIT_FSIZE). SIGXFSZ is ignored there, so a write past the limit
// fails with EFBIG instead of killing the child.
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <functional>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The step's result (0..255) as the child's exit code; -1 when the child did not end
// normally or the limit could not be set.
inline int Run_With_File_Size_Limit(rlim_t limit, const std::function<int()>& step)
{
    std::fflush(nullptr);  // nothing buffered may be written twice
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit rl;
        if (::getrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(255);
        rl.rlim_cur = limit < rl.rlim_max ? limit : rl.rlim_max;
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(255);
        ::_exit(step() & 0xFF);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255) return -1;
    return WEXITSTATUS(status);
}

// The names in a folder (without "." and ".."), to see that no temporary file was left.
inline std::set<std::string> Folder_Names(const std::string& folder)
{
    std::set<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.insert(name);
        }
        ::closedir(d);
    }
    return names;
}
