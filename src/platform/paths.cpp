#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

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

namespace {

// An input stream that counts what it hands out: the whole file and the current line.
struct Bounded_Input {
    FILE* stream = nullptr;  // the stream it serves (its key in Open_Inputs)
    int fd = -1;
    bool text = true;
    long long most = INPUT_FILE_MAX;  // bytes the stream may hand out
    long long total = 0;  // bytes read (from the start, after a seek from where it went)
    long line = 0;        // bytes of the current line so far
    int error = 0;        // once set, every further read fails with it
};

// The streams open now, to answer Input_Stream_Error.
std::unordered_map<FILE*, Bounded_Input*>& Open_Inputs()
{
    static std::unordered_map<FILE*, Bounded_Input*> inputs;
    return inputs;
}

ssize_t Fail_Input(Bounded_Input& in, int error)
{
    in.error = error;
    errno = error;
    return -1;
}

ssize_t Read_Bounded(void* cookie, char* buffer, size_t size)
{
    Bounded_Input& in = *static_cast<Bounded_Input*>(cookie);
    if (in.error) return Fail_Input(in, in.error);
    ssize_t n;
    do n = ::read(in.fd, buffer, size);
    while (n < 0 && errno == EINTR);
    if (n < 0) return Fail_Input(in, errno);
    in.total += n;
    if (in.total > in.most) return Fail_Input(in, EOVERFLOW);
    if (in.text) {
        const char* p = buffer;
        const char* const end = buffer + n;
        while (p < end) {
            const char* line_end = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            in.line += (line_end ? line_end : end) - p;
            if (in.line > INPUT_LINE_MAX) return Fail_Input(in, EOVERFLOW);
            if (!line_end) break;
            in.line = 0;
            p = line_end + 1;
        }
    }
    return n;
}

int Seek_Bounded(void* cookie, off64_t* offset, int whence)
{
    Bounded_Input& in = *static_cast<Bounded_Input*>(cookie);
    const off_t at = ::lseek(in.fd, *offset, whence);
    if (at < 0) return -1;
    // Asking where the stream stands moves nothing; any real move starts counting anew.
    if (!(whence == SEEK_CUR && *offset == 0)) {
        in.total = at;
        in.line = 0;
    }
    *offset = at;
    return 0;
}

int Close_Bounded(void* cookie)
{
    Bounded_Input* in = static_cast<Bounded_Input*>(cookie);
    Open_Inputs().erase(in->stream);
    const int result = ::close(in->fd);
    delete in;
    return result;
}

bool Only_Reads(const char* mode) { return mode[0] == 'r' && !std::strchr(mode, '+'); }

} // namespace

FILE* Fopen_Input(const std::string& path, const char* mode) { return Fopen_Input_Up_To(path, mode, INPUT_FILE_MAX); }

FILE* Fopen_Input_Up_To(const std::string& path, const char* mode, long long most)
{
    if (!mode) return nullptr;
    if (!Only_Reads(mode)) return std::fopen(path.c_str(), mode);

    // Without O_NONBLOCK a pipe would keep the open waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    int refusal = 0;
    if (::fstat(fd, &info) != 0)
        refusal = errno;
    else if (S_ISDIR(info.st_mode))
        refusal = EISDIR;
    else if (!S_ISREG(info.st_mode))
        refusal = ENODEV;
    else if (info.st_size > most)
        refusal = EOVERFLOW;
    if (refusal) {
        ::close(fd);
        errno = refusal;
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    auto* in = new Bounded_Input;
    in->fd = fd;
    in->most = most;
    in->text = std::strchr(mode, 'b') == nullptr;
    cookie_io_functions_t io{};
    io.read = Read_Bounded;
    io.seek = Seek_Bounded;
    io.close = Close_Bounded;
    in->stream = ::fopencookie(in, "r", io);
    if (!in->stream) {
        const int error = errno;
        ::close(fd);
        delete in;
        errno = error;
        return nullptr;
    }
    Open_Inputs()[in->stream] = in;
    return in->stream;
}

int Input_Stream_Error(FILE* stream)
{
    const auto it = Open_Inputs().find(stream);
    return it == Open_Inputs().end() ? 0 : it->second->error;
}

int Input_Stream_Descriptor(FILE* stream)
{
    const auto it = Open_Inputs().find(stream);
    return it == Open_Inputs().end() ? -1 : it->second->fd;
}

FILE* Fopen_Mapped(const char* path, const char* mode)
{
    if (!path || !mode) return nullptr;
    return Fopen_Input(Map_Path(path), mode);
}

std::string Program_Directory()
{
    std::vector<char> path(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < path.size()) {
            const std::string exe(path.data(), static_cast<size_t>(n));
            const size_t slash = exe.rfind('/');
            return slash == std::string::npos ? std::string() : exe.substr(0, slash);
        }
        path.resize(path.size() * 2);
    }
}
