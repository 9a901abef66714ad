#include "base/version_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/paths.h"

namespace {

constexpr size_t VERSION_TEXT_SIZE = 256;  // buffer of the version text, with terminator

struct File_Closer {
    void operator()(FILE* f) const { std::fclose(f); }
};

// One line without its line end ("\n", "\r\n" or none at the end of the file); false at
// the end of the file when nothing was read.
bool Read_Line(FILE* file, std::string& line)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

} // namespace

std::string Program_Version_Path(const char* exec, const char* directory_name)
{
    return std::string(exec) + "\\" + directory_name + "\\VERSION";
}

const char* Get_Program_Version_Text(const char* directory_name)
{
    static char version_text[VERSION_TEXT_SIZE];

    const char* exec = std::getenv("EXEC");
    if (!exec || !directory_name) return nullptr;
    std::unique_ptr<FILE, File_Closer> file(Fopen_Mapped(Program_Version_Path(exec, directory_name).c_str(), "r"));
    if (!file) return nullptr;

    // The first line is the version text; only its line end is dropped, so the text is
    // the same whether the file ends its lines with CR LF, LF or not at all.
    std::string line;
    Read_Line(file.get(), line);
    size_t length = std::min(line.size(), VERSION_TEXT_SIZE - 1);
    std::memcpy(version_text, line.data(), length);
    version_text[length] = '\0';
    length = std::strlen(version_text);  // a NUL byte in the line ends the text

    // Revision marks: "<" and two characters replace the last two characters. A mark
    // without two characters after it on its line, or a text too short, changes nothing.
    while (Read_Line(file.get(), line)) {
        for (size_t i = 0; i + 2 < line.size(); ++i) {
            if (line[i] != '<' || length < 2) continue;
            char a = line[i + 1], b = line[i + 2];
            if (a == '\r' || b == '\r' || a == '\0' || b == '\0') continue;
            version_text[length - 2] = a;
            version_text[length - 1] = b;
        }
    }
    return version_text;
}
