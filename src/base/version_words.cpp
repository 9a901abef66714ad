#include "base/version_words.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/environment.h"
#include "platform/paths.h"

namespace {

// The program's version text: the first line of "<EXEC>\<directory>\VERSION" without
// its line end; in every later line each '<' puts the two characters after it over the
// last two characters of that text (revision marks). False when "EXEC" is not set or
// the file cannot be opened.
bool Read_Program_Version_Text(const char* directory, std::string& text) {
    const char* exec = ZAVGetEnv("EXEC");
    if (exec == nullptr || directory == nullptr) return false;
    const std::string path = std::string(exec) + "\\" + directory + "\\VERSION";
    FILE* file = Fopen_Mapped(path.c_str(), "rb");
    if (file == nullptr) return false;

    char line[256];
    text.clear();
    if (std::fgets(line, sizeof line, file) != nullptr) {
        text = line;
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
            if (!text.empty() && text.back() == '\r') text.pop_back();
        } else if (!text.empty()) {
            text.pop_back();  // a first line without line end loses its last character
        }
    }
    while (std::fgets(line, sizeof line, file) != nullptr) {
        for (const char* mark = std::strchr(line, '<'); mark != nullptr; mark = std::strchr(mark + 1, '<')) {
            const char a = mark[1];
            const char b = a != '\0' ? mark[2] : '\0';
            auto is_text = [](char c) { return c != '\0' && c != '\n' && c != '\r'; };
            if (is_text(a) && is_text(b) && text.size() >= 2) {
                text[text.size() - 2] = a;
                text[text.size() - 1] = b;
            }
        }
    }
    std::fclose(file);
    return true;
}

}  // namespace

void Parse_Version_Word(const char* text, int* first, int* second, char suffix[4]) {
    int a = 0, b = 0;
    char separator1 = 0, separator2 = 0;
    char read_suffix[5] = "???";
    if (text != nullptr) {
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
    std::string text;
    if (Read_Program_Version_Text(directory, text)) {
        int first = 0;
        char suffix[4];
        Parse_Version_Word(text.c_str(), &first, &kept, suffix);
        (void)first;
    }
    return kept;
}
