#pragma once
// Helpers shared by the tests.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// A fresh empty directory under the system's temporary directory, removed with its
// contents when the object goes away.
class Temp_Dir {
public:
    Temp_Dir();
    ~Temp_Dir();
    Temp_Dir(const Temp_Dir&) = delete;
    Temp_Dir& operator=(const Temp_Dir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Whole file as bytes; "" when it cannot be read.
std::string Read_File_Bytes(const std::string& path);
// Writes the bytes, replacing the file; false on failure.
bool Write_File_Bytes(const std::string& path, const std::string& bytes);
bool File_Exists(const std::string& path);

// Everything the stream holds, what is still buffered included; the stream's position
// stays where it was. "" for a null stream or one that cannot seek.
std::string Stream_Bytes(FILE* stream);

// A temporary file holding the given bytes, open for reading and writing from its
// start; closed and removed with the object.
class File_Stream {
public:
    explicit File_Stream(const std::string& bytes = "");
    ~File_Stream();
    File_Stream(const File_Stream&) = delete;
    File_Stream& operator=(const File_Stream&) = delete;
    FILE* get() const { return stream_; }
    // The file's bytes as they stand now (see Stream_Bytes).
    std::string bytes() const { return Stream_Bytes(stream_); }

private:
    FILE* stream_ = nullptr;
};

// How often part occurs in text, overlapping occurrences included.
int Count_Of(const std::string& text, const std::string& part);

// The text enclosed in the guillemets of the files (code page 850 bytes 0xAE, 0xAF).
std::string In_Guillemets(const std::string& text);
// The text with every LF turned into CR LF.
std::string To_CRLF(const std::string& text);

// Result of running a program: exit code and what it wrote.
struct Run_Result {
    int exit_code = -1;
    std::string out;
    std::string err;
};
// Runs the program with the arguments in the directory, with the environment changes
// given as "NAME=value" (or "NAME" alone to remove it). in_child, when given, runs in the
// child just before the program starts (to set a limit or an alarm there). A program that
// did not end normally (killed by a signal) gives the exit code -1.
Run_Result Run_Program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& directory, const std::vector<std::string>& env_changes,
                       const std::function<void()>& in_child = {});

// The same, started without waiting for it; Wait_Program collects its result.
struct Started_Program {
    pid_t pid = -1;
    std::unique_ptr<Temp_Dir> io;  // where its standard output and error go
};
Started_Program Start_Program(const std::string& program, const std::vector<std::string>& args,
                              const std::string& directory, const std::vector<std::string>& env_changes,
                              const std::function<void()>& in_child = {});
Run_Result Wait_Program(Started_Program& started);

// Calls a main function in this process with "corbel" and the arguments as its command line.
int Call_Main(int (*main_function)(int, char**), std::vector<std::string> args);
