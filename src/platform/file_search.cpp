#include "platform/file_search.h"

#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct Find_State {
    std::vector<std::string> names;
    size_t next = 0;
};

bool Is_Separator(char c) { return c == '\\' || c == '/'; }

int Fold(char c) { return std::tolower(static_cast<unsigned char>(c)); }

bool Match_From(const char* p, const char* n)
{
    // Iterative matching with one back-track point for the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*p == '*') {
            star = p++;
            resume = n;
        } else if (*p == '?' || (*p && Fold(*p) == Fold(*n))) {
            ++p;
            ++n;
        } else if (star) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*') ++p;
    return *p == '\0';
}

} // namespace

bool Wildcard_Match(const char* pattern, const char* name)
{
    if (!pattern || !name) return false;
    if (std::strcmp(pattern, "*.*") == 0) return true;
    return Match_From(pattern, name);
}

int DOSFindFirstFile(const char* pattern, DOS_Find_Record* record)
{
    if (!record) return 1;
    DOSFindClose(record);
    if (!pattern || !*pattern) return 1;

    std::string p = pattern;
    size_t cut = p.find_last_of("\\/");
    std::string dir = cut == std::string::npos ? std::string() : p.substr(0, cut + 1);
    std::string name_pattern = cut == std::string::npos ? p : p.substr(cut + 1);
    if (name_pattern.empty()) return 1;
    std::string real_dir = dir.empty() ? std::string(".") : Map_Path(dir);
    if (real_dir.empty()) real_dir.push_back('/');

    auto* state = new Find_State;
    if (DIR* d = ::opendir(real_dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            if (!Wildcard_Match(name_pattern.c_str(), e->d_name)) continue;
            std::string full = real_dir;
            if (!Is_Separator(full.back())) full += '/';
            full += e->d_name;
            struct stat st;
            if (::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) state->names.push_back(e->d_name);
        }
        ::closedir(d);
    }
    std::sort(state->names.begin(), state->names.end());
    record->state = state;
    return DOSFindNext(record);
}

int DOSFindNext(DOS_Find_Record* record)
{
    if (!record || !record->state) return 1;
    auto* state = static_cast<Find_State*>(record->state);
    if (state->next >= state->names.size()) {
        record->name = nullptr;
        return 1;
    }
    record->name = state->names[state->next++].c_str();
    return 0;
}

void DOSFindClose(DOS_Find_Record* record)
{
    if (!record) return;
    delete static_cast<Find_State*>(record->state);
    record->state = nullptr;
    record->name = nullptr;
}

unsigned Get_Temp_File_Name(const char* dir, const char* prefix, char* buffer, size_t size)
{
    // One counter for the run: a name once handed out is not handed out again, even
    // when the caller removed the file to keep only the name.
    static unsigned counter = 0;
    if (!dir || !buffer || size == 0) return 0;
    if (counter == 0)
        counter = static_cast<unsigned>(::getpid() ^ static_cast<unsigned>(std::time(nullptr))) & 0xFFFFu;

    std::string base = dir;
    if (!base.empty() && !Is_Separator(base.back()))
        base += (std::strchr(dir, '/') && !std::strchr(dir, '\\')) ? '/' : '\\';
    base += std::string(prefix ? prefix : "").substr(0, 3);

    for (unsigned tries = 0; tries < 0xFFFFu; ++tries) {
        counter = (counter + 1) & 0xFFFFu;
        if (counter == 0) counter = 1;
        char number[8];
        std::snprintf(number, sizeof number, "%04X", counter);
        std::string name = base + number + ".TMP";
        if (name.size() >= size) return 0;
        int fd = ::open(Map_Path(name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        if (fd >= 0) {
            ::close(fd);
            std::memcpy(buffer, name.c_str(), name.size() + 1);
            return counter;
        }
        if (errno != EEXIST) return 0;
    }
    return 0;
}

char* _fullpath(char* buffer, const char* path, size_t size)
{
    if (!buffer || !path || size == 0) return nullptr;
    std::string p = path;
    std::string root;
    char sep = '/';
    if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
        // A drive: nothing to resolve it against here, so it stays the root as given.
        root = p.substr(0, 2) + "\\";
        p = p.substr(2);
        sep = '\\';
    } else if (!p.empty() && Is_Separator(p[0])) {
        root = std::string(1, p[0]);
        sep = p[0];
    } else {
        std::vector<char> cwd(4096);
        if (!::getcwd(cwd.data(), cwd.size())) return nullptr;
        p = std::string(cwd.data()) + "/" + p;
        root.assign(1, '/');
    }

    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= p.size()) {
        size_t next = p.find_first_of("\\/", pos);
        if (next == std::string::npos) next = p.size();
        std::string comp = p.substr(pos, next - pos);
        if (comp == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!comp.empty() && comp != ".") {
            parts.push_back(comp);
        }
        pos = next + 1;
    }
    std::string out = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += sep;
        out += parts[i];
    }
    if (out.size() >= size) return nullptr;
    std::memcpy(buffer, out.c_str(), out.size() + 1);
    return buffer;
}

int _access(const char* path, int mode)
{
    if (!path) return -1;
    std::string real = Map_Path(path);
    int how = F_OK;
    if (mode & 2) how |= W_OK;
    if (mode & 4) how |= R_OK;
    return ::access(real.c_str(), how) == 0 ? 0 : -1;
}

int ZAVCopyFile(const char* source, const char* destination, int fail_if_exists)
{
    if (!source || !destination) return 0;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path from = Map_Path(source), to = Map_Path(destination);
    if (!fs::is_regular_file(from, ec)) return 0;
    auto option = fail_if_exists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
    return fs::copy_file(from, to, option, ec) && !ec ? 1 : 0;
}
