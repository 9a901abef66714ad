#include "base/guillemet.h"

namespace {

// Skips tabs, blanks and line ends (LF, and the CR of CR LF files); returns the first
// other byte, consumed, or EOF.
int Next_Non_Blank(FILE* stream)
{
    int c;
    do {
        c = std::fgetc(stream);
    } while (c == '\t' || c == '\n' || c == '\r' || c == ' ');
    return c;
}

// Reads the text after an opening byte up to the closing byte or end of file. Keeps
// at most capacity characters in buffer (terminated behind them) and drops the rest,
// so the stream always stands behind the whole text. Returns the number kept.
int Read_Text_Body(FILE* stream, char* buffer, int capacity, int close_byte)
{
    int kept = 0;
    for (;;) {
        int c = std::fgetc(stream);
        if (c == EOF || c == close_byte) break;
        if (kept < capacity) buffer[kept++] = static_cast<char>(c);
    }
    buffer[kept] = '\0';
    return kept;
}

} // namespace

int ZXP_Read_String(FILE* stream, char* buffer)
{
    if (!buffer) return 0;
    buffer[0] = '\0';
    if (!stream) return 0;
    if (Next_Non_Blank(stream) != GUILLEMET_OPEN) return 0;
    return Read_Text_Body(stream, buffer, ZXP_STRING_SIZE - 1, GUILLEMET_CLOSE);
}

int Read_Guillemet_Text(FILE* stream, char* buffer)
{
    if (!stream || !buffer) return -1;
    if (Next_Non_Blank(stream) != GUILLEMET_OPEN) return -1;
    return Read_Text_Body(stream, buffer, GUILLEMET_TEXT_SIZE - 1, GUILLEMET_CLOSE);
}

int ZXP_Read_Delimited(FILE* stream, char* buffer, int size, int open_byte, int close_byte)
{
    if (!stream || !buffer || size < 1) return -1;
    buffer[0] = '\0';
    int c;
    do {
        c = std::fgetc(stream);
    } while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f');
    if (c == EOF) return 0;
    if (c != (open_byte & 0xFF)) {
        // Not a delimited text: leave the byte for whatever reads the field instead.
        std::ungetc(c, stream);
        return 0;
    }
    return Read_Text_Body(stream, buffer, size - 1, close_byte & 0xFF);
}

int ZXP_Write_String(FILE* stream, const char* text)
{
    return ZXP_Write_Delimited(stream, text, GUILLEMET_OPEN, GUILLEMET_CLOSE);
}

int ZXP_Write_Delimited(FILE* stream, const char* text, int open_byte, int close_byte)
{
    if (!stream) return 1;
    int written = std::fprintf(stream, "%c%s%c", open_byte, text ? text : "", close_byte);
    return (written < 0 || std::ferror(stream)) ? 1 : 0;
}
