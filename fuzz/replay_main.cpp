// Replays a fuzz target without the fuzzer: runs LLVMFuzzerTestOneInput over every file
// named on the command line, folders taken file by file (in name order, not recursing).
// A folder or file that does not exist is skipped, so that a target without kept
// findings needs none. Exit code 0 when every input ran; a fault the target finds ends
// the process on its own (sanitizer report or abort), and so does an input that ends the
// process through exit (code 1, as libFuzzer takes it for a fault).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// The input being replayed, while it runs; an exit then leaves the others unreplayed.
const char* running_input = nullptr;

void Fail_Early_End()
{
    if (!running_input) return;
    std::fprintf(stderr, "replay: %s ended the process before it finished: failed\n", running_input);
    std::fflush(stderr);
    ::_exit(1);
}

bool Run_File(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replay: %s\n", path.c_str());
    running_input = path.c_str();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    running_input = nullptr;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::atexit(Fail_Early_End);
    std::at_quick_exit(Fail_Early_End);
    int inputs = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry& entry : fs::directory_iterator(arg, ec))
                if (entry.is_regular_file(ec)) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const fs::path& file : files) {
                // Notes kept next to the inputs are not inputs.
                if (file.filename().string()[0] == '.' || file.extension() == ".md") continue;
                ok = Run_File(file) && ok;
                ++inputs;
            }
        } else if (fs::is_regular_file(arg, ec)) {
            ok = Run_File(arg) && ok;
            ++inputs;
        }
    }
    std::printf("replayed %d inputs\n", inputs);
    return ok ? 0 : 1;
}
