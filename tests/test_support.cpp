#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A test that ends the process (exit(0) on a path the test did not expect) would leave
// gtest no chance to record it, and its program would end with the code the path chose:
// a passed test to ctest. While a test runs in this process, an ending is a failure.
// Death tests' children (forked, so another pid, or started again with the internal
// flag) end through exit on purpose and are left alone.
pid_t running_pid = 0;
char running_test[512];

void Fail_Early_End()
{
    if (running_pid == 0 || running_pid != ::getpid() || !GTEST_FLAG_GET(internal_run_death_test).empty())
        return;
    std::fprintf(stderr, "\n%s ended the process before it finished: failed\n", running_test);
    std::fflush(stderr);
    ::_exit(1);
}

class Early_End_Guard : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& test) override
    {
        std::snprintf(running_test, sizeof running_test, "%s.%s", test.test_suite_name(), test.name());
        running_pid = ::getpid();
    }
    void OnTestEnd(const testing::TestInfo&) override { running_pid = 0; }
};

[[maybe_unused]] const bool early_end_guarded = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new Early_End_Guard);
    std::atexit(Fail_Early_End);
    std::at_quick_exit(Fail_Early_End);
    return true;
}();

} // namespace

Temp_Dir::Temp_Dir()
{
    std::string templ = (std::filesystem::temp_directory_path() / "corbel_test_XXXXXX").string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data())) path_ = buf.data();
}

Temp_Dir::~Temp_Dir()
{
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string Read_File_Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Write_File_Bytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool File_Exists(const std::string& path) { return std::filesystem::exists(path); }

std::string Stream_Bytes(FILE* stream)
{
    if (!stream) return "";
    const long position = std::ftell(stream);
    // Seeking writes out what is buffered, also between reading and writing.
    if (position < 0 || std::fseek(stream, 0, SEEK_END) != 0) return "";
    const long end = std::ftell(stream);
    std::string bytes(end > 0 ? static_cast<size_t>(end) : 0, '\0');
    std::rewind(stream);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), stream));
    std::fseek(stream, position, SEEK_SET);
    return bytes;
}

File_Stream::File_Stream(const std::string& bytes) : stream_(std::tmpfile())
{
    if (!stream_) return;
    std::fwrite(bytes.data(), 1, bytes.size(), stream_);
    std::rewind(stream_);
}

File_Stream::~File_Stream()
{
    if (stream_) std::fclose(stream_);
}

int Count_Of(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string In_Guillemets(const std::string& text) { return "\xAE" + text + "\xAF"; }

std::string To_CRLF(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

Started_Program Start_Program(const std::string& program, const std::vector<std::string>& args,
                              const std::string& directory, const std::vector<std::string>& env_changes,
                              const std::function<void()>& in_child)
{
    Started_Program started;
    started.io = std::make_unique<Temp_Dir>();
    std::string out_file = started.io->file("out"), err_file = started.io->file("err");

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.push_back(*e);
    for (const std::string& change : env_changes) {
        std::string name = change.substr(0, change.find('='));
        std::erase_if(env, [&](const std::string& v) { return v.compare(0, name.size() + 1, name + "=") == 0; });
        if (change.find('=') != std::string::npos) env.push_back(change);
    }
    std::vector<char*> envp;
    for (std::string& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);

    std::vector<std::string> argv_s{program};
    argv_s.insert(argv_s.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_s) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::fflush(nullptr);  // nothing buffered may be written twice
    started.pid = ::fork();
    if (started.pid == 0) {
        if (!directory.empty() && ::chdir(directory.c_str()) != 0) _exit(127);
        FILE* o = std::freopen(out_file.c_str(), "w", stdout);
        FILE* e = std::freopen(err_file.c_str(), "w", stderr);
        if (!o || !e) _exit(127);
        if (in_child) in_child();
        ::execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    return started;
}

Run_Result Wait_Program(Started_Program& started)
{
    Run_Result r;
    int status = 0;
    if (started.pid > 0 && ::waitpid(started.pid, &status, 0) == started.pid && WIFEXITED(status))
        r.exit_code = WEXITSTATUS(status);
    started.pid = -1;
    if (started.io) {
        r.out = Read_File_Bytes(started.io->file("out"));
        r.err = Read_File_Bytes(started.io->file("err"));
    }
    return r;
}

Run_Result Run_Program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& directory, const std::vector<std::string>& env_changes,
                       const std::function<void()>& in_child)
{
    Started_Program started = Start_Program(program, args, directory, env_changes, in_child);
    return Wait_Program(started);
}

int Call_Main(int (*main_function)(int, char**), std::vector<std::string> args)
{
    args.insert(args.begin(), "corbel");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return main_function(static_cast<int>(args.size()), argv.data());
}
