#pragma once
// Replacing a file the user keeps (a position's input, an annex set, an export file)
// without ever leaving it half written: the new content goes into a temporary file in
// the destination's own folder, and only when every write, the flush and the close have
// succeeded does that file take the old one's place, by one rename. Until then the old
// file stays as it was; a failed or abandoned write removes the temporary file.
//
//     Atomic_File file(path);
//     if (!file.Stream()) return failure;          // nothing changed
//     Write_Something(file.Stream(), ...);
//     if (!file.Commit()) return failure;          // old file untouched
//
// The path is taken in the environment's form and mapped like Fopen_Mapped. The new
// file keeps the permissions (and, where we may give it, the owner) of the file it
// replaces; a file that did not exist gets what fopen would give it (0666 less the
// umask). A link is followed: the file it names is replaced and the link stays (unless
// the link itself is to be replaced, Atomic_Mode::replace_link). A file we may not write
// is refused as fopen would refuse it. A destination that is not a regular file (a
// device, a pipe) cannot be replaced by a rename and is written directly instead, with
// the same checks (a pipe without a reader is refused at once rather than waited for).
//
// Two files that belong together (a report and its drawing) are put in place together:
//
//     if (!Commit_Together(report, drawing)) ...   // neither replaced unless both whole
//
// Every failure keeps the errno of the step that failed: the write, flush, sync, close
// or rename (a full disk says ENOSPC, a file-size limit EFBIG).
//
// The temporary files are named "<destination's name>.tmpXXXXXX". Each stays locked
// (flock) while its writer lives; those of a run that was killed are removed by
// Remove_Leftover_Temporaries. A terminating signal (after Remove_Temporaries_On_Signals)
// and an exit() in the middle of writing remove the temporary files of the process.
#include <cstdio>
#include <string>
#include <sys/types.h>

class File_Lock;

enum class Atomic_Mode {
    follow_link,   // a link in the destination's place: the file it names is replaced
    replace_link,  // a link in the destination's place is replaced, what it names stays
    remove,        // nothing is written: installing removes the destination (a link
                   // itself, never what it names); a destination that is missing, or
                   // is no file or link (a folder), is left and counts as done
};

class Atomic_File {
public:
    explicit Atomic_File(const char* path, Atomic_Mode mode = Atomic_Mode::follow_link);
    // Without a successful Commit: closes and removes the temporary file.
    ~Atomic_File();
    Atomic_File(const Atomic_File&) = delete;
    Atomic_File& operator=(const Atomic_File&) = delete;

    // The stream to write the new content to; null when it could not be opened (then
    // Commit fails and nothing is changed).
    FILE* Stream() const { return stream_; }

    // Once: checks the stream's error flag, flushes, syncs and closes the temporary file,
    // then renames it over the destination. True when the destination now holds exactly what
    // was written. False when any step failed: the destination is as it was before and
    // the temporary file is gone. The stream is closed in either case.
    bool Commit();

    // The first half of Commit: flushes, syncs and closes the temporary file, which stays
    // beside the destination until Install (or is removed by Discard or the destructor).
    // True when everything was written whole; false (temporary file gone) otherwise.
    // A second call answers as the first did.
    bool Finish();
    // The second half: after a successful Finish, the temporary file takes the
    // destination's place. False when it was not finished whole or the rename failed.
    bool Install();

    // Drops what was written (as the destructor does); the destination stays as it was.
    void Discard();

    // The errno of the step that failed (0 when none did); a write that failed counts
    // before the file is finished.
    int Error() const { return error_ ? error_ : write_error_; }
    // The destination as the file system names it (mapped, links followed).
    const std::string& Destination() const { return destination_; }
    // Whether the destination now holds what was written (for a removal: is gone).
    bool Replaced() const { return replaced_; }
    bool Is_Removal() const { return mode_ == Atomic_Mode::remove; }

    // A temporary file of this one that could not be removed: its path (empty when none
    // was left), the errno of the removal, and whether it holds the destination's old file
    // (kept aside while a partner was put in place). The next run's
    // Remove_Leftover_Temporaries takes it away when it can.
    struct Left_File {
        std::string path;
        int error = 0;
        bool holds_old = false;
    };
    const Left_File& Left_Behind() const { return left_behind_; }

private:
    friend bool Commit_In_Order(Atomic_File* const* files, size_t count);
    friend bool Path_Names_A_Placed_File(const char* path, Atomic_File* const* files, size_t count,
                                         const File_Lock& replaced);
    friend void Remove_Registered_Temporaries();
    static ssize_t Write_To_File(void* self, const char* bytes, size_t size);
    static int Close_File(void* self);
    bool Open_Stream(int fd);
    int Make_Temporary(const std::string& destination);
    void Drop_Temporary(bool remove_it);
    // Removes a temporary file, or notes it in left_behind_ when it stays.
    void Remove_Temporary_File(const std::string& path);
    // The common start of both installs: refused (not finished whole), nothing left to
    // do (written directly, nothing to remove), or a rename (or removal) to do.
    enum class Install_Step { refused, nothing_left, rename };
    Install_Step Start_Install();
    // Of a pair: puts the new file in place keeping the old one aside, so that
    // Put_Back_Old can undo it until Drop_Old.
    bool Install_Keeping_Old();
    bool Placed(const std::string& kept, int old_fd);
    bool Refused(int old_fd = -1);
    // Without an exchange of names: the file in the destination's place goes under a new
    // temporary name, locked before it goes and still when it is there. False (errno) when
    // it could not go; true with `aside` empty when no file was there.
    bool Set_Old_Aside(std::string& aside, int& aside_fd);
    bool Put_Back_Old();
    void Drop_Old();
    void Release_Kept_Lock();
    // The file in the destination's place taken away when it is the one this put there:
    // it goes under a temporary name first and is looked at there; another writer's goes
    // back (into an empty place only).
    enum class Taken { ours, not_ours, failed };
    Taken Take_Ours_Out();
    // Whether the path names the file this one wrote.
    bool Is_Ours(const char* path) const;

    Atomic_Mode mode_;
    FILE* stream_ = nullptr;
    int fd_ = -1;           // behind stream_ while it is open
    int lock_fd_ = -1;      // holds the temporary file's lock until it is renamed or gone
    int write_error_ = 0;   // errno of the first write or close of the stream that failed
    enum class State { open, finished, failed, done } state_ = State::open;
    std::string destination_;
    std::string temp_path_;  // empty when writing directly (or nothing open)
    std::string kept_path_;  // where the old file waits while its partner is installed
    int kept_lock_fd_ = -1;  // holds the lock of the old file waiting there
    bool old_missing_ = false;  // installed where no file was: undone by removing it
    bool replaced_ = false;
    int error_ = 0;
    Left_File left_behind_;
    // The temporary files of the process, for the removal on a signal or exit().
    Atomic_File* next_registered_ = nullptr;
    Atomic_File* previous_registered_ = nullptr;
    pid_t owner_ = 0;
    // The temporary file's identity: once renamed, how the destination is known as ours.
    dev_t temp_device_ = 0;
    ino_t temp_inode_ = 0;
    // The identity of the old file kept aside (0 when none was).
    dev_t kept_device_ = 0;
    ino_t kept_inode_ = 0;
};

// Finishes both files, then puts both in place, the first first. When either was not
// written whole, both are discarded and both destinations stay as they were. Should the
// second rename fail after the first, the first destination gets its old file back (kept
// aside meanwhile), so that neither is replaced. True when both are in place.
// Each file keeps its own Error(): the one that failed says why; the other (discarded
// for its partner's sake) keeps 0. Replaced() tells afterwards which destination holds
// the new file: only when the old one could not be put back are the two out of step.
// Terminating signals wait until the pair is settled.
bool Commit_Together(Atomic_File& first, Atomic_File& second);

// The same for three files (a report, its drawing and the input they were computed from):
// the last is put in place after the other two, and none is replaced unless all three
// were written whole and all three renames succeed.
bool Commit_Together(Atomic_File& first, Atomic_File& second, Atomic_File& last);

// The work of both: count files finished, then put in place in their order.
bool Commit_In_Order(Atomic_File* const* files, size_t count);

// A check that the files about to be put in place still belong there (that the input
// they were computed from is still the file beside them), for the process. When one is
// set, Commit_In_Order asks it before the first rename and again once every file is in
// place; a "no" before leaves every destination as it was, a "no" after puts the old
// files back (a destination replaced meanwhile from outside is left to its writer), and
// the commit fails with every file's Error() 0. The guard is given the files, so that a
// file it watches may be one of them. Null: none.
using Commit_Guard = bool (*)(Atomic_File* const* files, size_t count);
void Set_Commit_Guard(Commit_Guard guard);
// Whether the last commit was refused by the guard.
bool Commit_Refused_By_Guard();

// Whether the path (mapped and followed) names the file one of these put in place, and that
// file took the place of the one the lock holds (not of a file put there from outside).
bool Path_Names_A_Placed_File(const char* path, Atomic_File* const* files, size_t count, const File_Lock& replaced);

// Removes the temporary files of earlier runs that were killed while writing the file of
// that path (mapped and followed as Atomic_File does): files of ours named
// "<name>.tmpXXXXXX" beside it that no living writer holds. The number removed.
int Remove_Leftover_Temporaries(const char* path);

// Removes the temporary files of the process that are still being written (as a signal
// that ends the run does; safe in a signal handler).
void Remove_Registered_Temporaries();

// From now on SIGTERM, SIGINT and SIGHUP remove the temporary files of the process
// before they end it as they would have. A signal that is ignored or has a handler of
// its own is left as it is.
void Remove_Temporaries_On_Signals();

// From now on a write beyond the file-size limit (ulimit -f) fails with EFBIG, which the
// writer says and after which its temporary file goes, instead of SIGXFSZ killing the
// program in the middle of it.
void Fail_Writes_Beyond_File_Size_Limit();

// An advisory lock (flock) on an existing file, held for the object's life, so that
// runs of the program that write the same position's files follow each other. The file
// is only opened for reading (never changed, created or kept open elsewhere). A file that
// is missing or no regular file gets no lock. Waiting is bounded: after the given number
// of seconds the lock is not taken (Held() false) and the caller goes on without it. A file
// replaced by a rename while we waited is followed: the lock held is the new file's.
class File_Lock {
public:
    File_Lock(const std::string& path, int wait_seconds);
    ~File_Lock();
    File_Lock(const File_Lock&) = delete;
    File_Lock& operator=(const File_Lock&) = delete;
    bool Held() const { return held_; }
    // Whether the path still names the file whose lock is held: a rename from outside may
    // have put another file in its place meanwhile, whose lock guards another run.
    bool Still_Names_Locked_File() const;
    // Whether the lock is held on the file of this identity.
    bool Is_Locked_File(dev_t device, ino_t inode) const;
    // True when the file is there but another holder kept the lock past the wait.
    bool Timed_Out() const { return timed_out_; }

private:
    std::string mapped_;
    int fd_ = -1;
    bool held_ = false;
    bool timed_out_ = false;
};
