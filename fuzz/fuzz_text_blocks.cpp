// Text blocks "TXB<length>" with their guillemet chunks: every block of the input, and
// the round trip of each text read through the writer.
#include "fuzz_support.h"

#include "base/text_blocks.h"

#include <cstring>

namespace {

constexpr int kMaxBlocks = 256;

void Round_Trip(const char* text)
{
    Fuzz_Capture out;
    Write_Text_Block(out.get(), text);
    const std::string written = out.bytes();
    Fuzz_Stream in(written);
    char* back = Read_Text_Block(in.get());
    const bool same = back && std::strcmp(back, text) == 0;
    if (!same) Fuzz_Fail("fuzz_text_blocks", "a text does not read back", text, back ? back : "(none)");
    Free_If_Set(back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    Fuzz_Stream in(data, size);
    for (int i = 0; i < kMaxBlocks && !std::feof(in.get()); ++i) {
        char* text = Read_Text_Block(in.get());
        if (text) {
            if (*text) Round_Trip(text);
            Free_If_Set(text);
        } else {
            // Not a block here: go on behind the next byte.
            std::fgetc(in.get());
        }
    }
    return 0;
}
