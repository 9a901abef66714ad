// Writes the annex set files of the two built-in annexes, "Standard.NAD" and
// "Deutschland.NAD", into a directory (the installation's NAD directory, data/NAD in the
// source tree). The files are what the program's own writer makes of its built-in annexes,
// so the shipped files and the content compiled into the program are the same bytes.
//
//   make_annex_files <directory>
#include "annex/nad_file.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s directory\n", argv[0]);
        return 2;
    }
    int failures = 0;
    for (const char* name : {NAD_FILE_STANDARD, NAD_FILE_GERMANY}) {
        std::string text;
        const std::string path = std::string(argv[1]) + "/" + name + ".NAD";
        if (!NAD_Builtin_File_Text(name, text)) {
            std::fprintf(stderr, "%s: no built-in annex %s\n", argv[0], name);
            ++failures;
            continue;
        }
        FILE* file = std::fopen(path.c_str(), "wb");
        bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
        if (file && std::fclose(file) != 0) ok = false;
        if (!ok) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            ++failures;
            continue;
        }
        std::printf("%s\n", path.c_str());
    }
    return failures ? 1 : 0;
}
