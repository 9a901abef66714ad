#pragma once
// The table of stdio functions that the program hands to the environment's library at
// start-up, so that the library works on the program's open streams through the
// program's own runtime. The layout is fixed: a 32-bit count (18) and 18 function
// addresses in slot order.
#include <cstdint>
#include <cstdio>

struct ZAV_Stdio_Table {
    int32_t count;
    FILE* (*fopen_fct)(const char*, const char*);                  // slot 1
    int (*fclose_fct)(FILE*);                                      // slot 2
    size_t (*fread_fct)(void*, size_t, size_t, FILE*);             // slot 3
    size_t (*fwrite_fct)(const void*, size_t, size_t, FILE*);      // slot 4
    int (*ferror_fct)(FILE*);                                      // slot 5
    int (*fscanf_fct)(FILE*, const char*, ...);                    // slot 6
    int (*fprintf_fct)(FILE*, const char*, ...);                   // slot 7
    int (*fseek_fct)(FILE*, long, int);                            // slot 8
    long (*ftell_fct)(FILE*);                                      // slot 9
    int (*fsetpos_fct)(FILE*, const fpos_t*);                      // slot 10
    int (*fgetpos_fct)(FILE*, fpos_t*);                            // slot 11
    char* (*fgets_fct)(char*, int, FILE*);                         // slot 12
    int (*fgetc_fct)(FILE*);                                       // slot 13
    int (*fputs_fct)(const char*, FILE*);                          // slot 14
    int (*fputc_fct)(int, FILE*);                                  // slot 15
    int (*ungetc_fct)(int, FILE*);                                 // slot 16
    int (*sscanf_fct)(const char*, const char*, ...);              // slot 17
    int (*sprintf_fct)(char*, const char*, ...);                   // slot 18
};

// The program's one table, never changed.
extern const ZAV_Stdio_Table zav_stdio_table;

// Hands the table to the environment's library (ZAVSetStdioFctPtr), which publishes
// it as ZAV_STDIO_FCT. Called once at start-up, before the first report is written.
void Register_Stdio_Table();
