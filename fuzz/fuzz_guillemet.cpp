// Guillemet texts: the fixed-size readers (each into a buffer of exactly the size it
// expects, so that a write past it is caught), the delimited reader at small buffer
// sizes and with other delimiters, the guillemet field of the report's text files, and
// the round trip of every text read through the writer.
#include "fuzz_support.h"

#include "base/guillemet.h"
#include "report/error_list.h"

#include <cstring>
#include <memory>

namespace {

// Cap on the reads of one pass (each read consumes at least one byte anyway).
constexpr int kMaxReads = 4096;

// Writes the text between the guillemets and reads it back with the same reader.
void Round_Trip(const char* text, int size)
{
    Fuzz_Capture out;
    if (ZXP_Write_String(out.get(), text) != 0) std::abort();
    const std::string written = out.bytes();
    Fuzz_Stream in(written);
    std::unique_ptr<char[]> back(new char[static_cast<size_t>(size)]);
    ZXP_Read_Delimited(in.get(), back.get(), size, GUILLEMET_OPEN, GUILLEMET_CLOSE);
    if (std::strcmp(back.get(), text) != 0)
        Fuzz_Fail("fuzz_guillemet", "a text does not read back", text, back.get());
}

template <typename Reader>
void Each_Read(const uint8_t* data, size_t size, int buffer_size, Reader read)
{
    Fuzz_Stream in(data, size);
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(buffer_size)]);
    for (int i = 0; i < kMaxReads && !std::feof(in.get()); ++i) read(in.get(), buffer.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    Each_Read(data, size, ZXP_STRING_SIZE, [](FILE* f, char* b) {
        if (ZXP_Read_String(f, b) > 0) Round_Trip(b, ZXP_STRING_SIZE);
    });
    Each_Read(data, size, GUILLEMET_TEXT_SIZE, [](FILE* f, char* b) {
        if (Read_Guillemet_Text(f, b) > 0) Round_Trip(b, GUILLEMET_TEXT_SIZE);
    });
    Each_Read(data, size, GUILLEMET_FIELD_SIZE, [](FILE* f, char* b) {
        if (Read_Guillemet_Field(f, b) == 0) Round_Trip(b, GUILLEMET_FIELD_SIZE);
    });

    static const int sizes[] = {1, 2, 3, 4, 5, 7, 8, 16, 100};
    static const int delimiters[][2] = {{GUILLEMET_OPEN, GUILLEMET_CLOSE}, {'"', '"'}, {'(', ')'}, {0x1AE, -1}};
    for (int buffer_size : sizes) {
        for (const auto& d : delimiters) {
            const int open = d[0], close = d[1];
            Each_Read(data, size, buffer_size, [&](FILE* f, char* b) {
                const int n = ZXP_Read_Delimited(f, b, buffer_size, open, close);
                if (n < 0 || n > buffer_size - 1 || std::strlen(b) > static_cast<size_t>(n)) std::abort();
                // Not a delimited text: the byte stays for another reader; step over it.
                if (n == 0) std::fgetc(f);
            });
        }
    }
    return 0;
}
