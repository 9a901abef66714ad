#include "base/text_blocks.h"

#include "base/alloc.h"
#include "base/exchange_text.h"
#include "base/guillemet.h"

#include <cstring>
#include <initializer_list>

namespace {
constexpr char TEXT_BLOCK_NEWLINE = '\x01';
} // namespace

void Write_Text_Block(FILE* stream, const char* text)
{
    if (!stream) return;
    const size_t length = text ? std::strlen(text) : 0;
    std::fprintf(stream, "TXB%d\n", static_cast<int>(length));
    for (size_t pos = 0; pos < length;) {
        std::fputc(GUILLEMET_OPEN, stream);
        const size_t end = pos + TEXT_BLOCK_CHUNK < length ? pos + TEXT_BLOCK_CHUNK : length;
        for (; pos < end; ++pos)
            std::fputc(text[pos] == '\n' ? TEXT_BLOCK_NEWLINE : text[pos], stream);
        std::fputc(GUILLEMET_CLOSE, stream);
        std::fputc('\n', stream);
    }
}

char* Read_Text_Block(FILE* stream)
{
    if (!stream) return nullptr;
    int c;
    do {
        c = std::fgetc(stream);
    } while (c == ' ' || c == '\n' || c == '\r');
    if (c != 'T') return nullptr;
    for (char expected : {'X', 'B'}) {
        c = std::fgetc(stream);
        if (c != expected) {
            if (c != EOF) std::ungetc(c, stream);
            return nullptr;
        }
    }
    int remaining = 0;
    // A length beyond what the chunks can carry marks a damaged file: no allocation.
    if (!ZXP_Scan_Count(stream, TEXT_BLOCK_MAX_LENGTH, &remaining) || remaining < 1)
        return nullptr;

    char* text = static_cast<char*>(MEM_MALLOC(static_cast<uint32_t>(remaining) + 1));
    if (!text) return nullptr;
    size_t used = 0;
    text[0] = '\0';
    char chunk[GUILLEMET_TEXT_SIZE];
    for (int count = 0; count < TEXT_BLOCK_MAX_CHUNKS && remaining > 0; ++count) {
        // Look ahead for the next chunk; whatever follows the block stays unread.
        do {
            c = std::fgetc(stream);
        } while (c == '\t' || c == '\n' || c == '\r' || c == ' ');
        if (c != EOF) std::ungetc(c, stream);
        if (c != GUILLEMET_OPEN) break;
        int n = Read_Guillemet_Text(stream, chunk);
        if (n < 0) break;
        // A chunk holds at most 100 characters, the block no more than announced.
        if (n > TEXT_BLOCK_CHUNK) n = TEXT_BLOCK_CHUNK;
        if (n > remaining) n = remaining;
        for (int i = 0; i < n; ++i)
            text[used++] = chunk[i] == TEXT_BLOCK_NEWLINE ? '\n' : chunk[i];
        text[used] = '\0';
        remaining -= n;
    }
    // A block whose chunks are missing holds no text: no block, as for length 0, so that
    // the owner does not write a comment flag back for an empty comment.
    if (used == 0) {
        MEM_FREE(text);
        return nullptr;
    }
    return text;
}

char* Dup_String_Bounded(const char* source, int length)
{
    if (length < 0) return nullptr;
    // A missing source gives one newline, which needs two bytes even for length 0.
    const uint32_t size = static_cast<uint32_t>(length) + 1 + (!source && length == 0 ? 1 : 0);
    char* copy = static_cast<char*>(MEM_CALLOC(size, 1));
    if (!copy) return nullptr;
    if (!source) {
        copy[0] = '\n';
    } else {
        std::memcpy(copy, source, ::strnlen(source, static_cast<size_t>(length)));
    }
    return copy;
}

int Get_String_Size(const char* text) { return text ? static_cast<int>(std::strlen(text)) + 1 : 0; }

void Free_If_Set(void* block)
{
    if (block) MEM_FREE(block);
}
