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
// replaces; a file that did not exist gets what fopen would give it (0666 less the umask). A link is followed: the file it names
// is replaced and the link stays. A file we may not write is refused as fopen would
// refuse it. A destination that is not a regular file (a device, a pipe) cannot be
// replaced by a rename and is written directly instead, with the same checks.
#include <cstdio>
#include <string>

class Atomic_File {
public:
    explicit Atomic_File(const char* path);
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

    // Drops what was written (as the destructor does); the destination stays as it was.
    void Discard();

    // The errno of the step that failed (0 when none did).
    int Error() const { return error_; }
    // The destination as the file system names it (mapped, links followed).
    const std::string& Destination() const { return destination_; }

private:
    FILE* stream_ = nullptr;
    std::string destination_;
    std::string temp_path_;  // empty when writing directly (or nothing open)
    int error_ = 0;
};
