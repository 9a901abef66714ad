#include "base/stdio_table.h"

#include "platform/environment.h"

#include <cstdarg>
#include <stdio.h>

namespace {

// The variadic slots forward to the runtime's v-functions, so that the library's
// calls go through the program's own runtime with their argument lists intact.
int Forward_Fscanf(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = ::vfscanf(stream, format, args);
    va_end(args);
    return result;
}

int Forward_Fprintf(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = ::vfprintf(stream, format, args);
    va_end(args);
    return result;
}

int Forward_Sscanf(const char* text, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = ::vsscanf(text, format, args);
    va_end(args);
    return result;
}

int Forward_Sprintf(char* buffer, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = ::vsprintf(buffer, format, args);
    va_end(args);
    return result;
}

} // namespace

const ZAV_Stdio_Table zav_stdio_table = {
    18,
    ::fopen,
    ::fclose,
    ::fread,
    ::fwrite,
    ::ferror,
    Forward_Fscanf,
    Forward_Fprintf,
    ::fseek,
    ::ftell,
    ::fsetpos,
    ::fgetpos,
    ::fgets,
    ::fgetc,
    ::fputs,
    ::fputc,
    ::ungetc,
    Forward_Sscanf,
    Forward_Sprintf,
};

void Register_Stdio_Table() { ZAVSetStdioFctPtr(&zav_stdio_table); }
