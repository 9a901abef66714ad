// corbel-view INPUT [-o OUTPUT]: renders a report ("_%02d.OLI") or a drawing file
// ("%s%04d.SPF") to a PDF of all pages, or to one PNG a page when OUTPUT ends in .png.
// Without OUTPUT the PDF goes beside the input. Writes the names of the files it wrote
// on standard output; exit code 0 when rendered, 1 with a message on standard error when
// the input cannot be read, the output is the input itself or is not written, or the
// memory runs out.
#include "platform/atomic_file.h"
#include "viewer/view_file.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr const char* USAGE = "usage: corbel-view INPUT [-o OUTPUT]\n"
                              "  a PDF of all pages (by default INPUT with the extension .pdf),\n"
                              "  or one PNG a page when OUTPUT ends in .png\n";

int Usage_Error()
{
    std::fputs(USAGE, stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string input, output;
    for (int k = 1; k < argc; ++k) {
        const char* arg = argv[k];
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (std::strcmp(arg, "-o") == 0) {
            if (k + 1 >= argc || !output.empty()) return Usage_Error();
            output = argv[++k];
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return Usage_Error();
        } else if (input.empty()) {
            input = arg;
        } else {
            return Usage_Error();
        }
    }
    if (input.empty()) return Usage_Error();
    // As a refresh run: a file-size limit is a write that fails, an ending signal leaves
    // no temporary file behind.
    Fail_Writes_Beyond_File_Size_Limit();
    Remove_Temporaries_On_Signals();

    try {
        const View_Outcome outcome = Render_View_File(input, output);
        if (!outcome.ok) {
            std::fprintf(stderr, "corbel-view: %s\n", outcome.error.c_str());
            return 1;
        }
        for (const std::string& file : outcome.files) std::printf("%s\n", file.c_str());
        const std::string summary = View_Counts_Summary(outcome.counts);
        if (!summary.empty()) std::fprintf(stderr, "corbel-view: %s\n", summary.c_str());
        return 0;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "corbel-view: %s\n", View_Out_Of_Memory(input).c_str());
        return 1;
    }
}
