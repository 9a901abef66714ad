#pragma once
// The lines of a report or drawing file, one at a time: from bytes, or from a file read in
// pieces of a megabyte, so that the length of a file does not decide the memory its
// reading takes. LF and CR LF end a line; a line is cut at VIEW_LINE_MAX bytes (its rest
// skipped and counted). A NUL in a file ends the reading (no text).
#include <cstddef>
#include <cstdio>
#include <string>

constexpr size_t VIEW_LINE_MAX = size_t{1} << 20;

class Line_Source {
public:
    explicit Line_Source(const std::string& bytes) : bytes_(&bytes) { Fetch(); }
    explicit Line_Source(FILE* file) : file_(file) { Fetch(); }  // not closed here

    bool At_End() const { return !have_; }
    const std::string& Line() const { return line_; }
    void Advance() { Fetch(); }
    std::string Take()
    {
        std::string line = std::move(line_);
        Fetch();
        return line;
    }
    int Cut_Lines() const { return cut_; }
    // A file's read failed (its errno), or the file held a NUL: the reading ended there.
    int Read_Error() const { return error_; }
    bool Holds_Nul() const { return nul_; }

private:
    const std::string* bytes_ = nullptr;
    FILE* file_ = nullptr;
    std::string chunk_;     // bytes read from the file and not yet handed out
    size_t pos_ = 0;        // in the bytes or the chunk
    std::string line_;
    bool have_ = false;
    int cut_ = 0, error_ = 0;
    bool nul_ = false;

    bool Refill();
    void Fetch();

    static constexpr size_t CHUNK = size_t{1} << 20;
};
