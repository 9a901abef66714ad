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

void Abort_Out_Of_Memory()
{
    // A refresh run ends with 1 whatever happened, as the environment expects.
    int count = 0;
    const char* const* lines = Out_Of_Memory_Lines(&count);
    Final_Box_And_Exit(lines, count, refresh_mode ? 1 : 0);
}
