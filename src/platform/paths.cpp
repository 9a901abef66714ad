#include "platform/paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.empty() ? "." : path.c_str(), &st) == 0;
}

// The entry of dir whose name equals name ignoring ASCII case, or "" when none.
std::string Find_Case_Insensitive(const std::string& dir, const std::string& name)
{
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::string Map_Path(const std::string& path)
{
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.empty() || Exists(p)) return p;

    std::string out;
    size_t pos = 0;
    if (p[0] == '/') {
        out = "/";
        pos = 1;
    }
    bool dir_exists = true;  // once a directory is missing, nothing below it can be found
    while (pos <= p.size()) {
        size_t slash = p.find('/', pos);
        if (slash == std::string::npos) slash = p.size();
        std::string comp = p.substr(pos, slash - pos);
        if (!comp.empty()) {
            std::string dir = out.empty() ? std::string() : out;
            std::string candidate = dir.empty() || dir.back() == '/' ? dir + comp : dir + "/" + comp;
            if (dir_exists && comp != "." && comp != ".." && !Exists(candidate)) {
                std::string real = Find_Case_Insensitive(dir.empty() ? "." : dir, comp);
                if (!real.empty())
                    candidate = dir.empty() || dir.back() == '/' ? dir + real : dir + "/" + real;
                else
                    dir_exists = false;
            }
            out = candidate;
        }
        if (slash == p.size()) break;
        pos = slash + 1;
    }
    if (!p.empty() && p.back() == '/' && (out.empty() || out.back() != '/')) out += '/';
    return out;
}

FILE* Fopen_Mapped(const char* path, const char* mode)
{
    if (!path || !mode) return nullptr;
    return std::fopen(Map_Path(path).c_str(), mode);
}
