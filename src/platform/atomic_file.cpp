#include "platform/atomic_file.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The permissions fopen gives a new file: 0666 less the process's umask. The umask can
// only be read by setting it; the program has no threads that could create a file in
// between.
mode_t New_File_Mode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Room for the suffix ".tmpXXXXXX" within the usual limit of 255 bytes per name.
constexpr size_t TEMP_STEM_MAX = 240;

} // namespace

Atomic_File::Atomic_File(const char* path)
{
    if (!path || !*path) {
        error_ = EINVAL;
        return;
    }
    destination_ = Map_Path(path);

    struct stat info;
    if (::lstat(destination_.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(destination_.c_str(), nullptr)) {
            destination_ = real;
            std::free(real);
        }
    }

    mode_t mode = New_File_Mode();
    uid_t owner = 0;
    gid_t group = 0;
    bool replacing = false;
    if (::stat(destination_.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            stream_ = std::fopen(destination_.c_str(), "w");
            if (!stream_) error_ = errno;
            return;
        }
        // A file protected against writing stays protected, although the folder would
        // let us replace it.
        if (::access(destination_.c_str(), W_OK) != 0) {
            error_ = errno;
            return;
        }
        mode = info.st_mode & 07777;
        owner = info.st_uid;
        group = info.st_gid;
        replacing = true;
    }

    const size_t slash = destination_.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : destination_.substr(0, slash + 1);
    std::string stem = slash == std::string::npos ? destination_ : destination_.substr(slash + 1);
    if (stem.size() > TEMP_STEM_MAX) stem.resize(TEMP_STEM_MAX);
    const std::string pattern = folder + stem + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');

    // Close-on-exec: the environment's tools started meanwhile must not inherit it.
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    temp_path_ = name.data();
    // The file we replace keeps its owner where we may give it (fopen would have written
    // into it); mkostemp creates 0600. Failures here only leave the file stricter.
    if (replacing && (owner != ::geteuid() || group != ::getegid()) && ::fchown(fd, owner, group) != 0) {
        // the file stays ours
    }
    (void)::fchmod(fd, mode);
    stream_ = ::fdopen(fd, "w");
    if (!stream_) {
        error_ = errno;
        ::close(fd);
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
}

Atomic_File::~Atomic_File() { Discard(); }

bool Atomic_File::Commit()
{
    if (!stream_) {
        if (!error_) error_ = EBADF;
        return false;
    }
    FILE* stream = stream_;
    stream_ = nullptr;
    const bool direct = temp_path_.empty();

    bool ok = true;
    auto fail = [&](int code) {
        if (ok) error_ = code ? code : EIO;
        ok = false;
    };
    if (std::ferror(stream)) fail(EIO);
    if (std::fflush(stream) != 0) fail(errno);
    // Without the sync a crash soon after the rename can leave an empty file in place of
    // both versions on some file systems. A file system that cannot sync says EINVAL.
    if (ok && !direct && ::fsync(::fileno(stream)) != 0 && errno != EINVAL) fail(errno);
    if (std::fclose(stream) != 0) fail(errno);
    if (direct) return ok;

    if (ok && std::rename(temp_path_.c_str(), destination_.c_str()) != 0) fail(errno);
    if (!ok) ::unlink(temp_path_.c_str());
    temp_path_.clear();
    return ok;
}

void Atomic_File::Discard()
{
    if (stream_) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temp_path_.empty()) {
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
}
