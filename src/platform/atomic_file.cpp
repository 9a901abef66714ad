#include "platform/atomic_file.h"

#include "platform/paths.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
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

// The stream writes through these two, so that the errno of a write or close that fails
// is kept: by the time the stream's error flag is looked at, errno tells nothing anymore.
ssize_t Atomic_File::Write_To_File(void* self, const char* bytes, size_t size)
{
    Atomic_File& file = *static_cast<Atomic_File*>(self);
    size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(file.fd_, bytes + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (file.write_error_ == 0) file.write_error_ = n < 0 ? errno : ENOSPC;
            break;
        }
        written += static_cast<size_t>(n);
    }
    // Fewer bytes than asked for mark the stream as failed.
    return static_cast<ssize_t>(written);
}

int Atomic_File::Close_File(void* self)
{
    Atomic_File& file = *static_cast<Atomic_File*>(self);
    const int fd = file.fd_;
    file.fd_ = -1;
    if (::close(fd) == 0) return 0;
    if (file.write_error_ == 0) file.write_error_ = errno;
    return -1;
}

bool Atomic_File::Open_Stream(int fd)
{
    fd_ = fd;
    cookie_io_functions_t io{};
    io.write = Write_To_File;
    io.close = Close_File;
    stream_ = ::fopencookie(this, "w", io);
    if (stream_) return true;
    error_ = errno;
    ::close(fd);
    fd_ = -1;
    return false;
}

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
            if (S_ISDIR(info.st_mode)) {
                error_ = EISDIR;
                return;
            }
            // A pipe nobody reads from is refused at once (ENXIO), not waited for.
            const int fd = ::open(destination_.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) {
                error_ = errno;
                return;
            }
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            Open_Stream(fd);
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
    if (!Open_Stream(fd)) {
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
}

Atomic_File::~Atomic_File() { Discard(); }

bool Atomic_File::Finish()
{
    if (state_ == State::finished) return true;
    if (state_ != State::open) return false;
    if (!stream_) {
        if (!error_) error_ = EBADF;
        state_ = State::failed;
        return false;
    }
    FILE* stream = stream_;
    stream_ = nullptr;
    const bool direct = temp_path_.empty();

    bool ok = true;
    auto fail = [&](int code) {
        if (ok) error_ = write_error_ ? write_error_ : code ? code : EIO;
        ok = false;
    };
    if (std::ferror(stream)) fail(EIO);
    if (std::fflush(stream) != 0) fail(errno);
    // Without the sync a crash soon after the rename can leave an empty file in place of
    // both versions on some file systems. A file system that cannot sync says EINVAL.
    if (ok && !direct && ::fsync(fd_) != 0 && errno != EINVAL) fail(errno);
    if (std::fclose(stream) != 0) fail(errno);

    if (!ok && !direct) {
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
    state_ = ok ? State::finished : State::failed;
    return ok;
}

bool Atomic_File::Install()
{
    if (state_ != State::finished) return false;
    state_ = State::done;
    if (temp_path_.empty()) return true;  // written directly
    const bool ok = std::rename(temp_path_.c_str(), destination_.c_str()) == 0;
    if (!ok) {
        error_ = errno;
        ::unlink(temp_path_.c_str());
    }
    temp_path_.clear();
    return ok;
}

bool Atomic_File::Commit() { return Finish() && Install(); }

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
    if (state_ == State::open || state_ == State::finished) state_ = State::done;
}

bool Commit_Together(Atomic_File& first, Atomic_File& second)
{
    const bool first_whole = first.Finish();
    const bool second_whole = second.Finish();
    if (!first_whole || !second_whole) {
        first.Discard();
        second.Discard();
        return false;
    }
    const bool first_in_place = first.Install();
    // Should the first rename fail, the second file must not stand beside the old first.
    if (!first_in_place) {
        second.Discard();
        return false;
    }
    return second.Install();
}

File_Lock::File_Lock(const std::string& path, int wait_seconds)
{
    if (path.empty()) return;
    // Opened without waiting for a writer (a pipe in the file's place is no file to lock).
    fd_ = ::open(Map_Path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    struct stat info;
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(wait_seconds);
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        const int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK) break;
        if (std::chrono::steady_clock::now() >= give_up) {
            timed_out_ = true;
            break;
        }
        ::usleep(20000);
    }
    ::close(fd_);
    fd_ = -1;
}

File_Lock::~File_Lock()
{
    // Closing the last descriptor of the open file releases the lock.
    if (fd_ >= 0) ::close(fd_);
}
