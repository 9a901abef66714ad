#include "fuzz_support.h"

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_file.h"
#include "annex/nad_legacy.h"
#include "annex/nad_sections.h"
#include "base/rebar.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "core/startup.h"
#include "material/old_class_records.h"
#include "platform/messages.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

Fuzz_Dirs dirs;
bool set_up = false;

void Remove_Scratch()
{
    std::error_code ec;
    if (!dirs.root.empty()) std::filesystem::remove_all(dirs.root, ec);
}

std::string Make_Dir(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) {
        std::fprintf(stderr, "fuzz: cannot create %s\n", path.c_str());
        std::abort();
    }
    return path;
}

} // namespace

const Fuzz_Dirs& Fuzz_Setup()
{
    if (set_up) return dirs;
    set_up = true;
    const char* base = std::getenv("FUZZ_TMP");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/corbel-fuzz-XXXXXX";
    Make_Dir(std::filesystem::path(pattern).parent_path().string());
    if (!::mkdtemp(pattern.data())) {
        std::fprintf(stderr, "fuzz: cannot create a directory from %s\n", pattern.c_str());
        std::abort();
    }
    dirs.root = pattern;
    dirs.data = Make_Dir(dirs.root + "/data");
    Make_Dir(dirs.data + "/NAD");
    dirs.dram = Make_Dir(dirs.root + "/dram");
    dirs.temp = Make_Dir(dirs.root + "/temp");
    dirs.exec = Make_Dir(dirs.root + "/exec");
    Make_Dir(dirs.exec + "/privat");
    // The built-in annex files as the installation ships them.
    for (const char* name : {NAD_FILE_STANDARD, NAD_FILE_GERMANY}) {
        std::string text;
        if (!NAD_Builtin_File_Text(name, text)) std::abort();
        Fuzz_Write_File(dirs.data + "/NAD/" + name + ".NAD", text);
    }
    ::setenv("DATA", dirs.data.c_str(), 1);
    ::setenv("DRAM", dirs.dram.c_str(), 1);
    ::setenv("TEMP", dirs.temp.c_str(), 1);
    ::setenv("EXEC", dirs.exec.c_str(), 1);
    ::setenv("ZAV_PRIVAT_DATAPATH", (dirs.exec + "/privat").c_str(), 1);
    std::atexit(Remove_Scratch);

    // The partial factors of the material module are taken from the annex in force once
    // per run: take them from the standard choice before any input can choose another.
    Fuzz_Reset_Run();
    Get_Annex_Factor_Block();
    return dirs;
}

void Fuzz_Reset_Run()
{
    Fuzz_Setup();
    refresh_mode = 0;
    import_in_progress = 0;
    Clear_Shown_Messages();
    Set_Message_Answer(0);

    NAD_Forget_Choice();
    NAD_Legacy_Free_List();
    NAD_Forget_App_Profiles();
    nad_trace = 0;
    Set_DIN1045_1_Edition(1);
    Set_EN1992_1_2_Edition(0);
    Set_EN1993_Edition(0);

    Clear_Corbel_Model(&corbel_model);
    Init_NAD_Safety_Factors(&corbel_model.safety_factors);
    corbel_model.cover_from_exposure = 0;
    corbel_model.input_read_failed = 0;
    concrete_class_count = 31;
    steel_class_count = 11;
    bar_diameter_count = REBAR_STANDARD_COUNT;
    position_number.clear();
    position_title.clear();
}

Fuzz_Stream::Fuzz_Stream(const uint8_t* data, size_t size)
    : Fuzz_Stream(std::string(reinterpret_cast<const char*>(data), size))
{
}

Fuzz_Stream::Fuzz_Stream(const std::string& bytes) : bytes_(bytes)
{
    // fmemopen refuses a buffer of no bytes: an empty input reads from an empty file.
    stream_ = bytes_.empty() ? std::fopen("/dev/null", "r") : fmemopen(bytes_.data(), bytes_.size(), "r");
    if (!stream_) {
        std::fprintf(stderr, "fuzz: cannot open a stream over the input\n");
        std::abort();
    }
}

Fuzz_Stream::~Fuzz_Stream()
{
    if (stream_) std::fclose(stream_);
}

Fuzz_Capture::Fuzz_Capture()
{
    stream_ = open_memstream(&buffer_, &size_);
    if (!stream_) {
        std::fprintf(stderr, "fuzz: cannot open a capture stream\n");
        std::abort();
    }
}

Fuzz_Capture::~Fuzz_Capture()
{
    if (!closed_) std::fclose(stream_);
    std::free(buffer_);
}

std::string Fuzz_Capture::bytes()
{
    if (!closed_) {
        std::fclose(stream_);
        closed_ = true;
    }
    return buffer_ ? std::string(buffer_, size_) : std::string();
}

void Fuzz_Write_File(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr;
    if (f) {
        if (size > 0 && std::fwrite(data, 1, size, f) != size) ok = false;
        if (std::fclose(f) != 0) ok = false;
    }
    if (!ok) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
        std::abort();
    }
}

void Fuzz_Write_File(const std::string& path, const std::string& bytes)
{
    Fuzz_Write_File(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void Fuzz_Remove(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void Fuzz_Fail(const char* target, const char* what, const std::string& first, const std::string& second)
{
    size_t at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
    const size_t from = at > 80 ? at - 80 : 0;
    const char* format = "%s: %s (bytes differ from offset %zu)\n--- first:\n%s\n--- second:\n%s\n---\n";
    std::fprintf(stderr, format, target, what, at, first.substr(from, 240).c_str(),
                 second.substr(from, 240).c_str());
    // The fuzzer may have closed standard error: the same lines into the file it names.
    if (const char* log = std::getenv("FUZZ_FAIL_LOG")) {
        if (FILE* f = std::fopen(log, "a")) {
            std::fprintf(f, format, target, what, at, first.substr(from, 240).c_str(),
                         second.substr(from, 240).c_str());
            std::fclose(f);
        }
    }
    std::abort();
}
