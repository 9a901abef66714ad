#include "base/utilities.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/alloc.h"
#include "base/numeric.h"
#include "base/point_arrays.h"
#include "base/run_globals.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/paths.h"

int32_t alloc_block_count = 0;
int32_t alloc_padding = 0;

namespace {

// The caller named to the allocation interface for the blocks of these wrappers.
constexpr const char* kSourceTag = "itools/pelk";
constexpr int kReallocLine = 74;
constexpr int kStrdupLine = 120;
constexpr int kFreeLine = 148;

// Ends the run when memory is exhausted. The text is written without taking memory:
// the usual message routine takes its own buffer through these wrappers, and a
// failure there would lead straight back here.
[[noreturn]] void Exit_Out_Of_Memory() {
    static const char* const lines[] = {"Speicher nicht aussreichend!"};
    Fatal_Message_And_Exit(lines, 1, refresh_mode ? 1 : 0);
}

// size + padding, or false when the sum does not fit what the allocator can be asked for.
bool Padded_Size(size_t size, uint32_t& total) {
    const uint64_t padding = static_cast<uint64_t>(alloc_padding > 0 ? alloc_padding : 0);
    if (size > UINT32_MAX || size + padding > UINT32_MAX) return false;
    total = static_cast<uint32_t>(size + padding);
    return true;
}

}  // namespace

int Write_If_Open(FILE* stream, const char* format, ...) {
    if (stream == nullptr || format == nullptr) return 0;
    va_list args;
    va_start(args, format);
    const int written = std::vfprintf(stream, format, args);
    va_end(args);
    return written;
}

void Reset_Alloc_Count() { alloc_block_count = 0; }

int Get_Alloc_Count() { return alloc_block_count; }

int Set_Alloc_Padding(int n) {
    alloc_padding = n < 0 ? 0 : n;
    return alloc_padding;
}

void Check_Alloc_Or_Exit(const void* p) {
    if (p == nullptr) Exit_Out_Of_Memory();
}

void* Realloc_Or_Exit(void* p, size_t size, int zero) {
    uint32_t total = 0;
    if (!Padded_Size(size, total)) Exit_Out_Of_Memory();
    if (total == 0) return nullptr;
    void* block = Mem_Realloc(kSourceTag, kReallocLine, "null", p, total);
    if (block == nullptr) Exit_Out_Of_Memory();
    if (zero) std::memset(block, 0, total);
    if (p == nullptr) ++alloc_block_count;
    return block;
}

void* Calloc_Counted(size_t size) { return Realloc_Or_Exit(nullptr, size, 1); }

double** Alloc_Matrix(void* p, int rows, int columns) {
    if (rows <= 0 || columns <= 0) return nullptr;
    const size_t r = static_cast<size_t>(rows);
    const size_t c = static_cast<size_t>(columns);
    if (c > SIZE_MAX / r / sizeof(double)) Exit_Out_Of_Memory();
    const size_t pointers = r * sizeof(double*);
    const size_t values = r * c * sizeof(double);
    if (values > SIZE_MAX - pointers) Exit_Out_Of_Memory();
    auto* block = static_cast<unsigned char*>(Realloc_Or_Exit(p, pointers + values, 0));
    if (p == nullptr) ++alloc_block_count;
    auto** row = reinterpret_cast<double**>(block);
    auto* first = reinterpret_cast<double*>(block + pointers);
    for (size_t i = 0; i < r; ++i) row[i] = first + i * c;
    return row;
}

char* Strdup_Counted(const char* text) {
    if (text == nullptr) return nullptr;
    char* copy = Mem_Strdup(kSourceTag, kStrdupLine, "null", text);
    if (copy == nullptr) Exit_Out_Of_Memory();
    ++alloc_block_count;
    return copy;
}

void Copy_Doubles_Alloc(int n, double** out, const double* source) {
    if (out == nullptr || n < 1) return;
    const bool fresh = *out == nullptr;
    const size_t count = static_cast<size_t>(n);
    *out = static_cast<double*>(Realloc_Or_Exit(*out, count * sizeof(double), 0));
    if (fresh) ++alloc_block_count;
    if (source != nullptr) std::memmove(*out, source, count * sizeof(double));
}

void Free_And_Null(void** p) {
    if (p == nullptr || *p == nullptr) return;
    Mem_Free(kSourceTag, kFreeLine, "null", *p);
    *p = nullptr;
    --alloc_block_count;
}

double Interpolate_Unsorted(int n, const double x[], const double y[], double x0) {
    if (n < 1 || x == nullptr || y == nullptr) return 0.0;
    if (n == 1) return y[0];

    std::vector<int> order(static_cast<size_t>(n));
    Sort_Index_By_Key(x, order.data(), n);
    // The sort leaves points with equal x in no particular order: put them back in the
    // order given so that a step in the data keeps its direction.
    for (int k = 1; k < n; ++k) {
        for (int j = k; j > 0; --j) {
            const int a = order[j - 1], b = order[j];
            if (Round_To_Decimals(x[a] - x[b], 4) != 0 || a < b) break;
            order[j - 1] = b;
            order[j] = a;
        }
    }

    int a = order[n - 2], b = order[n - 1];
    if (x0 < x[order[0]]) {
        a = order[0];
        b = order[1];
    } else {
        for (int k = 0; k + 1 < n; ++k) {
            if (x[order[k]] <= x0 && x0 <= x[order[k + 1]]) {
                a = order[k];
                b = order[k + 1];
                break;
            }
        }
    }
    if (x[a] == x[b]) {
        if (y[a] == y[b]) return y[b];
        return x0 >= 0 ? 1e100 : -1e100;
    }
    return y[a] + (x0 - x[a]) * (y[b] - y[a]) / (x[b] - x[a]);
}

int Is_Section_Program_Installed() {
    static int known = -1;
    if (known < 0) {
        known = 0;
        if (const char* exec = ZAVGetEnv("EXEC")) {
            const std::string program = std::string(exec) + "\\Q7-DRELM\\DRELM.exe";
            struct stat info {};
            known = ::stat(Map_Path(program).c_str(), &info) == 0 ? 1 : 0;
        }
    }
    return known;
}

void Trim_Right(char* text) {
    if (text == nullptr) return;
    for (size_t k = std::strlen(text); k > 0; --k) {
        char& ch = text[k - 1];
        if (ch == ' ') {
            ch = '\0';
        } else if (ch != '\n' && ch != '\0') {
            break;
        }
    }
}

char* Copy_String_Zero_Fill(char* dst, const char* src, size_t size) {
    if (dst == nullptr || src == nullptr || size == 0) return dst;
    size_t k = 0;
    for (; k + 1 < size && src[k] != '\0'; ++k) dst[k] = src[k];
    std::memset(dst + k, 0, size - k);
    return dst;
}

char* Copy_String_Pad(char* dst, const char* src, size_t width) {
    if (dst == nullptr || width == 0) return dst;
    size_t k = 0;
    if (src != nullptr) {
        for (; k < width && src[k] != '\0'; ++k) dst[k] = src[k];
    }
    for (; k < width; ++k) dst[k] = ' ';
    dst[width] = '\0';
    return dst;
}

int Replace_String_In_File(const char* path, const char* old_text, const char* new_text) {
    if (path == nullptr || old_text == nullptr || new_text == nullptr) return -1;
    FILE* in = Fopen_Mapped(path, "rb");
    if (in == nullptr) return -1;
    const size_t old_length = std::strlen(old_text);
    if (old_length == 0) {  // an empty text occurs nowhere: nothing to replace
        std::fclose(in);
        return 0;
    }
    const std::string temp_path = std::string(path) + ".tmp";
    FILE* out = Fopen_Mapped(temp_path.c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        return -1;
    }

    int replacements = 0;
    bool write_failed = false;
    std::string line;
    for (;;) {
        // One whole line of any length and any bytes, so that no occurrence is split.
        line.clear();
        int ch;
        while ((ch = std::fgetc(in)) != EOF) {
            line += static_cast<char>(ch);
            if (ch == '\n') break;
        }
        if (line.empty()) break;
        std::string replaced;
        size_t from = 0;
        for (size_t at; (at = line.find(old_text, from)) != std::string::npos; from = at + old_length) {
            replaced.append(line, from, at - from);
            replaced += new_text;
            ++replacements;
        }
        replaced.append(line, from, std::string::npos);
        if (std::fwrite(replaced.data(), 1, replaced.size(), out) != replaced.size()) {
            write_failed = true;
            break;
        }
    }
    const bool read_failed = std::ferror(in) != 0;
    std::fclose(in);
    if (std::fclose(out) != 0) write_failed = true;

    const std::string mapped_temp = Map_Path(temp_path);
    if (write_failed || read_failed) {
        std::remove(mapped_temp.c_str());
        return -1;
    }
    // Renaming over the old file replaces it in one step: at no moment is it missing.
    if (std::rename(mapped_temp.c_str(), Map_Path(path).c_str()) != 0) return -1;
    return replacements;
}

int Get_File_Time(const char* path) {
    if (path == nullptr) return -1;
    struct stat info {};
    if (::stat(Map_Path(path).c_str(), &info) != 0) return -1;
    return static_cast<int>(info.st_mtime);
}

int Stat_File(const char* path) {
    if (path != nullptr) {
        struct stat info {};
        (void)::stat(Map_Path(path).c_str(), &info);
    }
    return 1;
}
