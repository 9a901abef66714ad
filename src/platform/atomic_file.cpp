#include "platform/atomic_file.h"

#include "platform/paths.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
constexpr char TEMP_MARK[] = ".tmp";
constexpr size_t TEMP_RANDOM = 6;  // the XXXXXX of mkostemp

// A path's folder with its slash ("" for none) and the name after it.
std::pair<std::string, std::string> Folder_And_Name(const std::string& path)
{
    const size_t cut = path.rfind('/') + 1;  // 0 without a slash
    return {path.substr(0, cut), path.substr(cut)};
}

// "<folder>/<name>.tmp" of a destination: the temporary files are this and six letters.
std::string Temporary_Prefix(const std::string& destination)
{
    auto [folder, stem] = Folder_And_Name(destination);
    if (stem.size() > TEMP_STEM_MAX) stem.resize(TEMP_STEM_MAX);
    return folder + stem + TEMP_MARK;
}

// A new empty file beside the destination, locked (flock) for as long as a descriptor
// of it stays open: a lock that a cleaner of leftovers took first, and the file it then
// removed, would leave us writing into a file that is gone, so such a file is made anew.
// (A file system without locks leaves the file unlocked, and no cleaner removes it.)
// The descriptor (close-on-exec: the environment's tools started meanwhile must not
// inherit it), or -1 with errno.
int Create_Locked_Temporary(const std::string& destination, std::string& name)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::string pattern = Temporary_Prefix(destination) + "XXXXXX";
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        struct stat info;
        if (::fstat(fd, &info) == 0 && info.st_nlink > 0) {
            name = pattern;
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// The signals that end a run and after which its temporary files must not stay.
constexpr int ENDING_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// Holds the ending signals back for the object's life: while the list of temporary files
// changes, and while two files are put in place together.
class Signals_Held {
public:
    Signals_Held()
    {
        sigset_t set;
        sigemptyset(&set);
        for (int signal : ENDING_SIGNALS) sigaddset(&set, signal);
        ::sigprocmask(SIG_BLOCK, &set, &saved_);
    }
    ~Signals_Held() { ::sigprocmask(SIG_SETMASK, &saved_, nullptr); }
    Signals_Held(const Signals_Held&) = delete;
    Signals_Held& operator=(const Signals_Held&) = delete;

private:
    sigset_t saved_;
};

Atomic_File* registered_head = nullptr;

void End_On_Signal(int signal)
{
    const int saved_errno = errno;
    Remove_Registered_Temporaries();
    // Ended as the signal would have ended it without us (the exit status shows it).
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    errno = saved_errno;
}

bool Temporary_Name_Of(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + TEMP_RANDOM || name.compare(0, prefix.size(), prefix) != 0) return false;
    for (size_t i = prefix.size(); i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

// The destination a path names: mapped, and a link followed unless it is to be replaced
// itself (or removed).
std::string Destination_Of(const char* path, Atomic_Mode mode)
{
    std::string destination = Map_Path(path);
    struct stat info;
    if (mode == Atomic_Mode::follow_link && ::lstat(destination.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(destination.c_str(), nullptr)) {
            destination = real;
            std::free(real);
        }
    }
    return destination;
}

bool Same_File(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The file in a place, opened and locked (flock) before it goes aside, so that it is
// locked the moment it arrives under a temporary name: another run's removal of leftovers
// must not take a file that may still have to go back. -1 for a link or a file we cannot
// read. A lock held elsewhere (the position's lock holds the input) is left to its
// holder: the file is held by a living run then too.
int Open_Locked(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

void Close_Keeping_Errno(int fd)
{
    const int error = errno;
    if (fd >= 0) ::close(fd);
    errno = error;
}

// A rename that never replaces a file: EEXIST when the name is taken. A file system that
// cannot rename so gets a second name and the first one's removal, which cannot replace
// either; only one without links as well gets a plain rename (which may replace a file
// another writer put there a moment before).
int Rename_No_Replace(const char* from, const char* to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK) return -1;
    return std::rename(from, to);
}

} // namespace

void Remove_Registered_Temporaries()
{
    // Called from a signal handler: only unlink and getpid. A forked child leaves its
    // parent's files alone.
    const pid_t self = ::getpid();
    for (Atomic_File* file = registered_head; file; file = file->next_registered_)
        if (file->owner_ == self && !file->temp_path_.empty()) ::unlink(file->temp_path_.c_str());
}

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

// The temporary file beside the destination, listed for the removal on a signal or
// exit(). Its descriptor, or -1 (error_ set).
int Atomic_File::Make_Temporary(const std::string& destination)
{
    std::string name;
    int fd = -1;
    {
        // A signal between the file's creation and its listing would end the run with the
        // file left behind: it waits until the file is listed.
        const Signals_Held held;
        fd = Create_Locked_Temporary(destination, name);
        if (fd < 0) {
            error_ = errno;
            return -1;
        }
        temp_path_ = name;
        owner_ = ::getpid();
        next_registered_ = registered_head;
        if (registered_head) registered_head->previous_registered_ = this;
        registered_head = this;
    }
    // Above the standard streams, whatever the caller left of them: a message must never
    // land in the file.
    lock_fd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    struct stat info;
    if (::fstat(fd, &info) == 0) {
        temp_device_ = info.st_dev;
        temp_inode_ = info.st_ino;
    }
    static const bool removed_at_exit = std::atexit(Remove_Registered_Temporaries) == 0;
    (void)removed_at_exit;
    return fd;
}

// Forgets the temporary file, removing it first when it is still ours to remove (not when
// it was renamed into the destination's place).
void Atomic_File::Remove_Temporary_File(const std::string& path)
{
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return;
    left_behind_ = {path, errno, path == kept_path_};
}

void Atomic_File::Drop_Temporary(bool remove_it)
{
    if (temp_path_.empty()) return;
    if (remove_it) Remove_Temporary_File(temp_path_);
    {
        const Signals_Held held;
        if (previous_registered_) previous_registered_->next_registered_ = next_registered_;
        else if (registered_head == this) registered_head = next_registered_;
        if (next_registered_) next_registered_->previous_registered_ = previous_registered_;
        next_registered_ = previous_registered_ = nullptr;
        temp_path_.clear();
    }
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
}

Atomic_File::Atomic_File(const char* path, Atomic_Mode mode) : mode_(mode)
{
    struct stat info;
    if (mode == Atomic_Mode::remove) {
        // Only a file or a link goes; what else stands there (or no name at all) is left
        // as it is. The temporary name keeps the old file while its partner is put in place.
        state_ = State::finished;
        if (!path || !*path) return;
        destination_ = Destination_Of(path, mode);
        if (::lstat(destination_.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) return;
        const int fd = Make_Temporary(destination_);
        if (fd < 0) {
            state_ = State::failed;
            return;
        }
        ::close(fd);
        return;
    }
    if (!path || !*path) {
        error_ = EINVAL;
        return;
    }
    destination_ = Destination_Of(path, mode);

    mode_t file_mode = New_File_Mode();
    uid_t owner = 0;
    gid_t group = 0;
    bool replacing = false;
    const bool link_replaced = mode == Atomic_Mode::replace_link && ::lstat(destination_.c_str(), &info) == 0 &&
                               S_ISLNK(info.st_mode);
    if (!link_replaced && ::stat(destination_.c_str(), &info) == 0) {
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
        file_mode = info.st_mode & 07777;
        owner = info.st_uid;
        group = info.st_gid;
        replacing = true;
    }

    const int fd = Make_Temporary(destination_);
    if (fd < 0) return;
    // The file we replace keeps its owner where we may give it (fopen would have written
    // into it); mkostemp creates 0600. Failures here only leave the file stricter.
    if (replacing && (owner != ::geteuid() || group != ::getegid()) && ::fchown(fd, owner, group) != 0) {
        // the file stays ours
    }
    (void)::fchmod(fd, file_mode);
    if (!Open_Stream(fd)) Drop_Temporary(true);
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

    if (!ok) Drop_Temporary(true);
    state_ = ok ? State::finished : State::failed;
    return ok;
}

Atomic_File::Install_Step Atomic_File::Start_Install()
{
    if (state_ != State::finished) return Install_Step::refused;
    state_ = State::done;
    if (!temp_path_.empty()) return Install_Step::rename;
    // Written directly, or nothing there to remove.
    replaced_ = true;
    return Install_Step::nothing_left;
}

bool Atomic_File::Install()
{
    const Install_Step step = Start_Install();
    if (step != Install_Step::rename) return step == Install_Step::nothing_left;
    const bool ok = mode_ == Atomic_Mode::remove
                        ? ::unlink(destination_.c_str()) == 0 || errno == ENOENT
                        : std::rename(temp_path_.c_str(), destination_.c_str()) == 0;
    if (!ok) error_ = errno;
    // A temporary file renamed into place is no longer ours to remove.
    Drop_Temporary(!ok || mode_ == Atomic_Mode::remove);
    replaced_ = ok;
    return ok;
}

// The new state is in place; the old file waits where `kept` says (empty: nowhere), locked
// as a temporary file being written is, so that another run's removal of leftovers does
// not take it while it may still have to go back: by the lock taken before it went aside
// (old_fd) when that is the file there, else by one taken now.
bool Atomic_File::Placed(const std::string& kept, int old_fd)
{
    kept_path_ = kept;
    replaced_ = true;
    struct stat named, held;
    if (!kept.empty() && ::lstat(kept.c_str(), &named) == 0) {
        kept_device_ = named.st_dev;
        kept_inode_ = named.st_ino;
        if (old_fd >= 0 && ::fstat(old_fd, &held) == 0 && Same_File(named, held)) {
            kept_lock_fd_ = old_fd;
            return true;
        }
        kept_lock_fd_ = ::open(kept.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (kept_lock_fd_ >= 0) ::flock(kept_lock_fd_, LOCK_EX | LOCK_NB);
    }
    if (old_fd >= 0) ::close(old_fd);
    return true;
}

// Nothing changed: the errno of the step that was refused, the temporary file gone.
bool Atomic_File::Refused(int old_fd)
{
    error_ = errno;
    if (old_fd >= 0) ::close(old_fd);
    Drop_Temporary(true);
    return false;
}

bool Atomic_File::Set_Old_Aside(std::string& aside, int& aside_fd)
{
    aside.clear();
    aside_fd = -1;
    std::string name;
    const int placeholder = Create_Locked_Temporary(destination_, name);
    if (placeholder < 0) return false;
    const int old_fd = Open_Locked(destination_);
    const bool moved = std::rename(destination_.c_str(), name.c_str()) == 0;
    const int error = errno;
    if (!moved) ::unlink(name.c_str());
    // The placeholder's lock until the old file has replaced it, the old file's from then.
    ::close(placeholder);
    if (!moved) {
        if (old_fd >= 0) ::close(old_fd);
        errno = error;
        return error == ENOENT;
    }
    aside = name;
    aside_fd = old_fd;
    return true;
}

bool Atomic_File::Install_Keeping_Old()
{
    const Install_Step step = Start_Install();
    if (step != Install_Step::rename) return step == Install_Step::nothing_left;
    const char* temp = temp_path_.c_str();
    const char* destination = destination_.c_str();
    if (mode_ == Atomic_Mode::remove) {
        // The old file waits under the temporary name.
        const int old_fd = Open_Locked(destination_);
        if (std::rename(destination, temp) == 0) return Placed(temp_path_, old_fd);
        return errno == ENOENT ? Placed("", old_fd) : Refused(old_fd);
    }
    bool exchange = true;  // until the file system says it cannot trade names
    std::string aside;     // without the exchange: where the old file waits
    int aside_fd = -1;
    // Should another writer put its file into an empty place between our look and our
    // rename, that file counts as the old one and the next attempt sets it aside.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (exchange) {
            // The two trade places: the old file waits under the temporary name.
            const int old_fd = Open_Locked(destination_);
            if (::renameat2(AT_FDCWD, temp, AT_FDCWD, destination, RENAME_EXCHANGE) == 0)
                return Placed(temp_path_, old_fd);
            Close_Keeping_Errno(old_fd);
            if (errno == EINVAL) exchange = false;
            else if (errno != ENOENT) return Refused();
        }
        if (!exchange) {
            // A file system that cannot trade names (or a rename that is not allowed): the
            // old file goes aside by a rename of its own first. Where that is refused,
            // nothing changed. A file set aside in an earlier attempt was replaced by the
            // one there now, as its writer meant.
            std::string next;
            int next_fd = -1;
            if (!Set_Old_Aside(next, next_fd)) break;
            if (!aside.empty()) {
                ::unlink(aside.c_str());
                ::close(aside_fd);
            }
            aside = next;
            aside_fd = next_fd;
        }
        // Ours only into the empty place.
        if (Rename_No_Replace(temp, destination) == 0) {
            Drop_Temporary(false);
            // No old file: undone by taking ours away.
            old_missing_ = aside.empty();
            return Placed(aside, aside_fd);
        }
        if (errno != EEXIST) break;
    }
    // Refused: the old file set aside goes back, unless another writer's file has taken its
    // place meanwhile (as it would have replaced it).
    const int error = errno;
    if (!aside.empty() && Rename_No_Replace(aside.c_str(), destination) != 0 && errno == EEXIST)
        ::unlink(aside.c_str());
    errno = error;
    return Refused(aside_fd);
}

bool Atomic_File::Is_Ours(const char* path) const
{
    struct stat info;
    return ::lstat(path, &info) == 0 && info.st_dev == temp_device_ && info.st_ino == temp_inode_;
}

Atomic_File::Taken Atomic_File::Take_Ours_Out()
{
    std::string name;
    const int placeholder = Create_Locked_Temporary(destination_, name);
    if (placeholder < 0) return Taken::failed;
    const int there_fd = Open_Locked(destination_);
    const bool moved = std::rename(destination_.c_str(), name.c_str()) == 0;
    const int error = errno;
    ::close(placeholder);
    Taken taken = Taken::not_ours;
    if (!moved) {
        ::unlink(name.c_str());
        taken = error == ENOENT ? Taken::not_ours : Taken::failed;
    } else if (Is_Ours(name.c_str())) {
        ::unlink(name.c_str());
        taken = Taken::ours;
    } else if (Rename_No_Replace(name.c_str(), destination_.c_str()) != 0 && errno == EEXIST) {
        // A third writer's file took the place meanwhile, as it would have taken this one's.
        ::unlink(name.c_str());
    }
    if (there_fd >= 0) ::close(there_fd);
    errno = error;
    return taken;
}

bool Atomic_File::Put_Back_Old()
{
    if (!replaced_) return true;
    // Another writer may have put its own file there since: that one stays (ours is gone
    // anyway). Nothing of ours is removed by name after a look at it: a file that is ours
    // is traded out, or taken out under a name of ours first and looked at there; and the
    // old file goes back only into an empty place.
    if (!kept_path_.empty()) {
        const char* kept = kept_path_.c_str();
        const char* destination = destination_.c_str();
        if (mode_ != Atomic_Mode::remove) {
            if (::renameat2(AT_FDCWD, kept, AT_FDCWD, destination, RENAME_EXCHANGE) == 0) {
                // What went aside must be the file we put there: another writer's goes
                // back, and the old file aside is dropped with ours.
                if (!Is_Ours(kept)) ::renameat2(AT_FDCWD, kept, AT_FDCWD, destination, RENAME_EXCHANGE);
                replaced_ = false;
                return true;
            }
            if (errno == EINVAL) {
                // A file system that cannot trade names.
                const Taken taken = Take_Ours_Out();
                if (taken == Taken::failed) return false;
                if (taken == Taken::not_ours) {
                    replaced_ = false;
                    return true;
                }
            } else if (errno != ENOENT) {
                return false;  // ENOENT: ours was taken away from outside
            }
        }
        if (Rename_No_Replace(kept, destination) != 0) {
            if (errno != EEXIST) return false;
            replaced_ = false;
            return true;
        }
        // The temporary name (when it kept the old file) is gone with the rename.
        if (kept_path_ == temp_path_) Drop_Temporary(false);
        kept_path_.clear();
        Release_Kept_Lock();
    } else if (old_missing_) {
        if (Take_Ours_Out() == Taken::failed) return false;
    } else if (mode_ != Atomic_Mode::remove) {
        return false;  // written directly: there is no old file to put back
    }
    replaced_ = false;
    return true;
}

void Atomic_File::Release_Kept_Lock()
{
    if (kept_lock_fd_ >= 0) ::close(kept_lock_fd_);
    kept_lock_fd_ = -1;
}

void Atomic_File::Drop_Old()
{
    // Removed while still locked: no removal of leftovers takes it on the way.
    if (!kept_path_.empty()) {
        if (kept_path_ == temp_path_)
            Drop_Temporary(true);
        else
            Remove_Temporary_File(kept_path_);
        kept_path_.clear();
    }
    Release_Kept_Lock();
}

bool Atomic_File::Commit() { return Finish() && Install(); }

void Atomic_File::Discard()
{
    if (stream_) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    Drop_Old();
    Drop_Temporary(true);
    if (state_ == State::open || state_ == State::finished) state_ = State::done;
}

namespace {

Commit_Guard commit_guard = nullptr;
bool refused_by_guard = false;

} // namespace

void Set_Commit_Guard(Commit_Guard guard)
{
    commit_guard = guard;
    refused_by_guard = false;
}

bool Commit_Refused_By_Guard() { return refused_by_guard; }

bool Path_Names_A_Placed_File(const char* path, Atomic_File* const* files, size_t count, const File_Lock& replaced)
{
    struct stat info;
    if (!path || ::stat(Map_Path(path).c_str(), &info) != 0) return false;
    for (size_t i = 0; i < count; ++i) {
        const Atomic_File& file = *files[i];
        if (file.replaced_ && file.mode_ != Atomic_Mode::remove && file.temp_inode_ == info.st_ino &&
            file.temp_device_ == info.st_dev)
            return !file.kept_path_.empty() && replaced.Is_Locked_File(file.kept_device_, file.kept_inode_);
    }
    return false;
}

bool Commit_In_Order(Atomic_File* const* files, size_t count)
{
    refused_by_guard = false;
    // Offered to the tests of runs ended from outside: stopped here, with every temporary
    // file written, the run meets their signal while it writes, however fast or loaded the
    // machine is.
    if (std::getenv("CORBEL_TEST_STOP_BEFORE_PAIR")) ::raise(SIGSTOP);
    bool whole = true;
    for (size_t i = 0; i < count; ++i) whole = files[i]->Finish() && whole;
    if (!whole) {
        for (size_t i = 0; i < count; ++i) files[i]->Discard();
        return false;
    }
    // A run ended by a signal between the renames would leave them out of step.
    const Signals_Held held;
    const Commit_Guard guard = commit_guard;
    if (guard && !guard(files, count)) {
        refused_by_guard = true;
        for (size_t i = 0; i < count; ++i) files[i]->Discard();
        return false;
    }
    // Likewise after the guard's first answer, before the first rename.
    if (std::getenv("CORBEL_TEST_STOP_BEFORE_RENAMES")) ::raise(SIGSTOP);
    size_t installed = 0;
    bool in_place = true;
    for (; installed < count; ++installed) {
        Atomic_File& file = *files[installed];
        // Under a guard every old file waits aside until the guard has had its say.
        if (!(installed + 1 < count || guard ? file.Install_Keeping_Old() : file.Install())) {
            in_place = false;
            break;
        }
    }
    if (in_place && guard && !guard(files, count)) {
        // Replaced from outside while the renames went on (they can be slow): whatever
        // another writer put in place meanwhile stays, the rest gets its old file back.
        refused_by_guard = true;
        for (size_t i = count; i-- > 0;) {
            files[i]->Put_Back_Old();
            files[i]->Drop_Old();
        }
        return false;
    }
    if (in_place) {
        if (guard) files[count - 1]->Drop_Old();
        for (size_t i = 0; i + 1 < count; ++i) files[i]->Drop_Old();
        return true;
    }
    // The ones not reached are dropped; those in place get their old files back, last
    // first (should even that fail, one keeps the new file).
    for (size_t i = installed + 1; i < count; ++i) files[i]->Discard();
    for (size_t i = installed; i-- > 0;) {
        files[i]->Put_Back_Old();
        files[i]->Drop_Old();
    }
    return false;
}

bool Commit_Together(Atomic_File& first, Atomic_File& second)
{
    Atomic_File* const files[] = {&first, &second};
    return Commit_In_Order(files, 2);
}

bool Commit_Together(Atomic_File& first, Atomic_File& second, Atomic_File& last)
{
    Atomic_File* const files[] = {&first, &second, &last};
    return Commit_In_Order(files, 3);
}

int Remove_Leftover_Temporaries(const char* path)
{
    if (!path || !*path) return 0;
    const std::string prefix = Temporary_Prefix(Destination_Of(path, Atomic_Mode::follow_link));
    const auto [folder, name_prefix] = Folder_And_Name(prefix);
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!directory) return 0;
    int removed = 0;
    const uid_t self = ::geteuid();
    while (const dirent* entry = ::readdir(directory)) {
        if (!Temporary_Name_Of(entry->d_name, name_prefix)) continue;
        const std::string candidate = folder + entry->d_name;
        const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info;
        // A writer still at work holds its lock; a colleague's file is not ours to remove.
        // The name must still name the file whose lock we took: a run may have put a file of
        // its own there since, locked.
        struct stat named;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == self &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(candidate.c_str(), &named) == 0 && Same_File(info, named) &&
            ::unlink(candidate.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(directory);
    return removed;
}

void Remove_Temporaries_On_Signals()
{
    for (int signal : ENDING_SIGNALS) {
        struct sigaction action {};
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) != 0) continue;
        // A signal the caller chose to ignore (nohup) stays ignored, and one with a handler
        // of its own (a visible window asks before it closes) keeps it: that handler does
        // not end the run in the middle of writing.
        if ((previous.sa_flags & SA_SIGINFO) || previous.sa_handler != SIG_DFL) continue;
        action.sa_handler = End_On_Signal;
        sigemptyset(&action.sa_mask);
        for (int other : ENDING_SIGNALS) sigaddset(&action.sa_mask, other);
        ::sigaction(signal, &action, nullptr);
    }
}

void Fail_Writes_Beyond_File_Size_Limit() { std::signal(SIGXFSZ, SIG_IGN); }

File_Lock::File_Lock(const std::string& path, int wait_seconds)
{
    if (path.empty()) return;
    mapped_ = Map_Path(path);
    const std::string& mapped = mapped_;
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(wait_seconds);
    for (;;) {
        // Opened without waiting for a writer (a pipe in the file's place is no file to lock).
        fd_ = ::open(mapped.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) return;
        struct stat info;
        if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) break;
        bool locked = false;
        for (;;) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                locked = true;
                break;
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
        if (!locked) break;
        // The holder we waited for may have put a new file in the old one's place: the old
        // file's lock guards nothing then, and the new one's is taken instead.
        struct stat now;
        if (::stat(mapped.c_str(), &now) != 0 || (now.st_dev == info.st_dev && now.st_ino == info.st_ino)) {
            held_ = true;
            return;
        }
        ::close(fd_);
    }
    ::close(fd_);
    fd_ = -1;
}

bool File_Lock::Is_Locked_File(dev_t device, ino_t inode) const
{
    struct stat locked;
    return held_ && ::fstat(fd_, &locked) == 0 && locked.st_dev == device && locked.st_ino == inode;
}

bool File_Lock::Still_Names_Locked_File() const
{
    struct stat locked, named;
    return held_ && ::fstat(fd_, &locked) == 0 && ::stat(mapped_.c_str(), &named) == 0 &&
           locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

File_Lock::~File_Lock()
{
    // Closing the last descriptor of the open file releases the lock.
    if (fd_ >= 0) ::close(fd_);
}
