#include "report/text_utils.h"

#include "base/run_globals.h"
#include "platform/messages.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

int Check_File_Version(int file_version, int program_version, int is_import)
{
    if (file_version <= program_version || file_version >= 9999) return 1;
    if (refresh_mode) return 0;
    if (is_import == 0)
        PrintMessage("!! ACHTUNG !!\nDie Eingabedatei ist aktueller als die Programmversion\n"
                     "Bitte aktualisieren Sie das Programm.");
    else
        PrintMessage("!! ACHTUNG !!\nDie Importdatei ist aktueller als die Programmversion\n"
                     "Bitte fordern Sie eine neue Programmversion an.");
    return 0;
}

int Replace_Blanks_With_Tildes(char* text)
{
    for (char* p = text; p && *p; ++p)
        if (*p == ' ') *p = '~';
    return 1;
}

int Replace_Tildes_With_Blanks(char* text)
{
    if (!text || !*text) return 0;
    bool only_tildes = true;
    for (char* p = text; *p; ++p) {
        if (*p == '~')
            *p = ' ';
        else
            only_tildes = false;
    }
    return only_tildes ? 0 : 1;
}

int Trim_Blanks(char* text)
{
    if (!text || !*text) return 0;
    size_t n = std::strlen(text);
    while (n > 0 && text[n - 1] == ' ') --n;
    text[n] = '\0';
    size_t lead = 0;
    while (lead < n && text[lead] == ' ') ++lead;
    if (lead > 0) std::memmove(text, text + lead, n - lead + 1);
    return 1;
}

void Pad_With_Blanks(char* buffer, int size)
{
    if (!buffer || size < 1) return;
    size_t width = static_cast<size_t>(size) - 1;
    size_t n = ::strnlen(buffer, width);
    if (n < width) std::memset(buffer + n, ' ', width - n);
    buffer[width] = '\0';
}

void Copy_String_Bounded(char* destination, const char* source, int size)
{
    // An empty destination is filled like any other: skipping it would silently lose
    // the source text.
    if (!destination || !source || !*source || size <= 1) return;
    size_t n = ::strnlen(source, static_cast<size_t>(size) - 1);
    std::memmove(destination, source, n);
    destination[n] = '\0';
}

char* Format_To_Static_Buffer(const char* format, ...)
{
    static char buffer[100];
    buffer[0] = '\0';
    if (!format) return buffer;
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0 || n > 99) buffer[0] = '\0';
    return buffer;
}

int Remove_All_Blanks(char* text)
{
    if (!Trim_Blanks(text)) return 0;
    char* out = text;
    for (const char* p = text; *p; ++p)
        if (*p != ' ') *out++ = *p;
    *out = '\0';
    return 1;
}

void To_Upper_Case(char* text)
{
    for (char* p = text; p && *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
}
