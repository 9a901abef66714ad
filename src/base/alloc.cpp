#include "base/alloc.h"

#include "base/run_globals.h"
#include "platform/messages.h"

#include <cstdlib>
#include <cstring>

void* Mem_Malloc(const char*, int, const char*, uint32_t size) { return std::malloc(size); }

void* Mem_Calloc(const char*, int, const char*, uint32_t count, uint32_t size)
{
    return std::calloc(count, size);
}

void* Mem_Realloc(const char*, int, const char*, void* block, uint32_t size)
{
    return std::realloc(block, size);
}

char* Mem_Strdup(const char*, int, const char*, const char* text)
{
    return text ? ::strdup(text) : nullptr;
}

void Mem_Free(const char*, int, const char*, void* block) { std::free(block); }

namespace {
// Code page 850: 0x84 = ä, 0x81 = ü, 0xE1 = ß.
const char* const out_of_memory_lines[] = {
    "Die Aktion erfordert eine Speicherkapazit\x84t, die",
    "vom Rechner zur Zeit nicht zur Verf\x81gung gestellt",
    "wird. Die Sitzung mu\xE1 leider abgebrochen werden.",
};
} // namespace

const char* const* Out_Of_Memory_Lines(int* count)
{
    if (count) *count = 3;
    return out_of_memory_lines;
}

void Abort_Out_Of_Memory()
{
    // A refresh run ends with 1 whatever happened, as the environment expects.
    Final_Box_And_Exit(out_of_memory_lines, 3, refresh_mode ? 1 : 0);
}
