#pragma once
// The one way the system's own code takes and gives back heap memory. The leading
// source-file, line and tag arguments name the caller; they do not change what the
// operations do (each behaves exactly like its standard counterpart).
#include <cstdint>

void* Mem_Malloc(const char* file, int line, const char* tag, uint32_t size);
void* Mem_Calloc(const char* file, int line, const char* tag, uint32_t count, uint32_t size);
void* Mem_Realloc(const char* file, int line, const char* tag, void* block, uint32_t size);
char* Mem_Strdup(const char* file, int line, const char* tag, const char* text);
void Mem_Free(const char* file, int line, const char* tag, void* block);

// Ends the run when memory has run out: tells the user that the session must be
// broken off and exits with code 0 (1 in a refresh run). Takes no memory itself: with a
// screen up, the lines stand in the box the screen prepared for them when it started.
[[noreturn]] void Abort_Out_Of_Memory();

// Shorthands that fill in the caller's file and line.
#define MEM_MALLOC(size) Mem_Malloc(__FILE__, __LINE__, "null", (size))
#define MEM_CALLOC(count, size) Mem_Calloc(__FILE__, __LINE__, "null", (count), (size))
#define MEM_REALLOC(block, size) Mem_Realloc(__FILE__, __LINE__, "null", (block), (size))
#define MEM_STRDUP(text) Mem_Strdup(__FILE__, __LINE__, "null", (text))
#define MEM_FREE(block) Mem_Free(__FILE__, __LINE__, "null", (block))
