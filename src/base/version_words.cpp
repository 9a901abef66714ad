#include "base/version_words.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/version_text.h"

void Parse_Version_Word(const char* text, int* first, int* second, char suffix[4]) {
    int a = 0, b = 0;
    char separator1 = 0, separator2 = 0;
    char read_suffix[5] = "???";
    // An empty text has no word to read: the backward scan would start before it.
    if (text != nullptr && text[0] != '\0') {
        const long length = static_cast<long>(std::strlen(text));
        long k = length - 2;
        while (k >= 0 && text[k] != ' ') --k;
        std::sscanf(text + k + 1, "%d%c%d%c%4s", &a, &separator1, &b, &separator2, read_suffix);
    }
    if (first) *first = a;
    if (second) *second = b;
    if (suffix) {
        std::memset(suffix, 0, 4);
        std::memcpy(suffix, read_suffix, std::min<size_t>(std::strlen(read_suffix), 3));
    }
}

int Compare_Version_Words(const char* a, const char* b) {
    int first_a, second_a, first_b, second_b;
    char suffix_a[4], suffix_b[4];
    Parse_Version_Word(a, &first_a, &second_a, suffix_a);
    Parse_Version_Word(b, &first_b, &second_b, suffix_b);
    if (second_a != second_b) return second_a > second_b ? 1 : -1;
    if (first_a != first_b) return first_a > first_b ? 1 : -1;
    const int by_suffix = std::strcmp(suffix_a, suffix_b);
    return by_suffix > 0 ? 1 : (by_suffix < 0 ? -1 : 0);
}

int Get_Program_Version_Number(const char* directory) {
    static int kept = 0;
    if (const char* text = Get_Program_Version_Text(directory)) {
        int first = 0;
        char suffix[4];
        Parse_Version_Word(text, &first, &kept, suffix);
        (void)first;
    }
    return kept;
}
