#pragma once
// Shared by the fuzz targets: a private scratch directory for the files a reader opens by
// name, streams over the input bytes, captured writer output, and the reset of the run's
// global state before each input.
//
// Each target defines LLVMFuzzerTestOneInput. The same source is linked either with
// libFuzzer (clang, CORBEL_FUZZ) or with replay_main.cpp, which runs the target over the
// files of given folders (the regular test build).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The scratch directories of this process, made on first use below $FUZZ_TMP (else
// /tmp) and removed at a normal exit. The environment variables DATA, DRAM, TEMP, EXEC
// and ZAV_PRIVAT_DATAPATH name them; DATA/NAD holds the two built-in annex files.
struct Fuzz_Dirs {
    std::string root;
    std::string data;  // DATA
    std::string dram;  // DRAM
    std::string temp;  // TEMP
    std::string exec;  // EXEC
};
const Fuzz_Dirs& Fuzz_Setup();

// Puts the run's globals back to the state of a new run: no annex chosen, no older annex
// list read, no application profiles, no messages kept, an interactive (not refresh)
// run whose questions are answered "no", the edition switches at their start values.
// Calls Fuzz_Setup.
void Fuzz_Reset_Run();

// A read-only stream over a private copy of the bytes (also for no bytes).
class Fuzz_Stream {
public:
    Fuzz_Stream(const uint8_t* data, size_t size);
    explicit Fuzz_Stream(const std::string& bytes);
    ~Fuzz_Stream();
    Fuzz_Stream(const Fuzz_Stream&) = delete;
    Fuzz_Stream& operator=(const Fuzz_Stream&) = delete;
    FILE* get() const { return stream_; }

private:
    std::string bytes_;
    FILE* stream_ = nullptr;
};

// A stream that collects what is written into it.
class Fuzz_Capture {
public:
    Fuzz_Capture();
    ~Fuzz_Capture();
    Fuzz_Capture(const Fuzz_Capture&) = delete;
    Fuzz_Capture& operator=(const Fuzz_Capture&) = delete;
    FILE* get() const { return stream_; }
    // Closes the stream and answers what was written.
    std::string bytes();

private:
    FILE* stream_ = nullptr;
    char* buffer_ = nullptr;
    size_t size_ = 0;
    bool closed_ = false;
};

// Writes the bytes into the file (replacing it); aborts when that fails, since the
// target could not do its work.
void Fuzz_Write_File(const std::string& path, const uint8_t* data, size_t size);
void Fuzz_Write_File(const std::string& path, const std::string& bytes);
// Removes a file or a directory with its contents, if there.
void Fuzz_Remove(const std::string& path);

// A finding of a target's own check (a round trip that changed bytes): tells what and
// where on standard error and aborts, so that the fuzzer keeps the input.
[[noreturn]] void Fuzz_Fail(const char* target, const char* what, const std::string& first,
                            const std::string& second);
