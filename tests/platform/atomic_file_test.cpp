#include "platform/atomic_file.h"

#include "file_size_limit.h"
#include "test_support.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string OLD_BYTES = "old content\r\n\xAE" "bytes\xAF\n";

mode_t Mode_Of(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

// Writes the text into a new Atomic_File of the path and commits; 1 when Commit failed,
// 0 when it succeeded, 2 when the file did not open.
int Replace_With(const std::string& path, const std::string& text)
{
    Atomic_File file(path.c_str());
    if (!file.Stream()) return 2;
    std::fwrite(text.data(), 1, text.size(), file.Stream());
    return file.Commit() ? 0 : 1;
}

} // namespace

TEST(AtomicFile, CommitReplacesTheContentAndKeepsThePermissions)
{
    Temp_Dir dir;
    const std::string path = dir.file("B1_01.INP");
    ASSERT_TRUE(Write_File_Bytes(path, OLD_BYTES));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    // The environment's form of the name reaches the same file.
    EXPECT_EQ(Replace_With(dir.path() + "\\b1_01.inp", "new\n"), 0);
    EXPECT_EQ(Read_File_Bytes(path), "new\n");
    EXPECT_EQ(Mode_Of(path), 0640u);
    EXPECT_EQ(Folder_Names(dir.path()), std::set<std::string>{"B1_01.INP"});

    // Where we may (as root), the replaced file keeps its owner too.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
        EXPECT_EQ(Replace_With(path, "owned"), 0);
        struct stat info;
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 4322u);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
    }

    // A link keeps pointing at the file, which gets the new content.
    std::filesystem::create_directory(dir.file("real"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("real/target"), OLD_BYTES));
    std::filesystem::create_symlink(dir.file("real/target"), dir.file("link"));
    EXPECT_EQ(Replace_With(dir.file("link"), "through the link"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
    EXPECT_EQ(Read_File_Bytes(dir.file("real/target")), "through the link");
    EXPECT_EQ(Folder_Names(dir.file("real")), std::set<std::string>{"target"});
}

TEST(AtomicFile, NewFileHonoursTheUmask)
{
    Temp_Dir dir;
    const mode_t saved = ::umask(027);
    EXPECT_EQ(Replace_With(dir.file("a.NAD"), "x"), 0);
    ::umask(0);
    EXPECT_EQ(Replace_With(dir.file("b.NAD"), "x"), 0);
    ::umask(saved);
    EXPECT_EQ(Mode_Of(dir.file("a.NAD")), 0640u);
    EXPECT_EQ(Mode_Of(dir.file("b.NAD")), 0666u);
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    Temp_Dir dir;
    const std::string path = dir.file("1.NAD");
    ASSERT_TRUE(Write_File_Bytes(path, OLD_BYTES));

    // Far more than one buffer: a write itself fails on the way.
    EXPECT_EQ(Run_With_File_Size_Limit(1000, [&] { return Replace_With(path, std::string(100000, 'x')); }), 1);
    EXPECT_EQ(Read_File_Bytes(path), OLD_BYTES);
    EXPECT_EQ(Folder_Names(dir.path()), std::set<std::string>{"1.NAD"});

    // Less than one buffer: only the flush at the commit can tell.
    EXPECT_EQ(Run_With_File_Size_Limit(10, [&] { return Replace_With(path, std::string(500, 'y')); }), 1);
    EXPECT_EQ(Read_File_Bytes(path), OLD_BYTES);
    EXPECT_EQ(Folder_Names(dir.path()), std::set<std::string>{"1.NAD"});

    // The same limit lets a short content through.
    EXPECT_EQ(Run_With_File_Size_Limit(10, [&] { return Replace_With(path, "short"); }), 0);
    EXPECT_EQ(Read_File_Bytes(path), "short");
}

TEST(AtomicFile, FailedRenameAndDiscardLeaveNothingBehind)
{
    Temp_Dir dir;
    const std::string path = dir.file("export.dat");
    {
        Atomic_File file(path.c_str());
        ASSERT_NE(file.Stream(), nullptr);
        std::fputs("new", file.Stream());
        // The name is taken by a folder meanwhile: the rename cannot replace it.
        std::filesystem::create_directory(path);
        ASSERT_TRUE(Write_File_Bytes(path + "/keep", OLD_BYTES));
        EXPECT_FALSE(file.Commit());
        EXPECT_NE(file.Error(), 0);
        EXPECT_EQ(file.Stream(), nullptr);
    }
    EXPECT_EQ(Folder_Names(dir.path()), std::set<std::string>{"export.dat"});
    EXPECT_EQ(Read_File_Bytes(path + "/keep"), OLD_BYTES);

    // Without a commit the old file stays as it was.
    const std::string other = dir.file("kept.INP");
    ASSERT_TRUE(Write_File_Bytes(other, OLD_BYTES));
    {
        Atomic_File file(other.c_str());
        ASSERT_NE(file.Stream(), nullptr);
        std::fputs("abandoned", file.Stream());
    }
    EXPECT_EQ(Read_File_Bytes(other), OLD_BYTES);
    EXPECT_EQ(Folder_Names(dir.path()), (std::set<std::string>{"export.dat", "kept.INP"}));
}

TEST(AtomicFile, OpenFailures)
{
    Temp_Dir dir;
    // A missing folder: nothing opens, nothing is created, the commit fails.
    Atomic_File missing(dir.file("none/x.INP").c_str());
    EXPECT_EQ(missing.Stream(), nullptr);
    EXPECT_EQ(missing.Error(), ENOENT);
    EXPECT_FALSE(missing.Commit());
    EXPECT_TRUE(Folder_Names(dir.path()).empty());

    Atomic_File no_name(nullptr);
    EXPECT_EQ(no_name.Stream(), nullptr);
    EXPECT_FALSE(no_name.Commit());

    // A device is written directly; a full one fails at the commit.
    Atomic_File full("/dev/full");
    ASSERT_NE(full.Stream(), nullptr);
    std::fputs("x", full.Stream());
    EXPECT_FALSE(full.Commit());
    EXPECT_EQ(full.Error(), ENOSPC);

    // A write-protected file stays protected (root may write anything, as with fopen).
    if (::geteuid() != 0) {
        const std::string path = dir.file("protected.INP");
        ASSERT_TRUE(Write_File_Bytes(path, OLD_BYTES));
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        EXPECT_EQ(Replace_With(path, "new"), 2);
        EXPECT_EQ(Read_File_Bytes(path), OLD_BYTES);
    }
}

// Two files put in place together: when either was not written whole, both old files stay,
// and the one that failed keeps the errno of its failing write.
TEST(AtomicFile, PairIsReplacedTogetherOrNotAtAll)
{
    Temp_Dir dir;
    const std::string report = dir.file("B1_01.OLI"), drawing = dir.file("B10001.SPF");
    ASSERT_TRUE(Write_File_Bytes(report, OLD_BYTES));
    ASSERT_TRUE(Write_File_Bytes(drawing, OLD_BYTES));
    const auto write_pair = [&](size_t report_size, size_t drawing_size) {
        Atomic_File r(report.c_str()), d(drawing.c_str());
        if (!r.Stream() || !d.Stream()) return 9;
        std::fputs(std::string(report_size, 'r').c_str(), r.Stream());
        std::fputs(std::string(drawing_size, 'd').c_str(), d.Stream());
        if (Commit_Together(r, d)) return 0;
        return (r.Error() == EFBIG ? 1 : 0) + (d.Error() == EFBIG ? 2 : 0) + (d.Error() == 0 && r.Error() == 0 ? 4 : 0);
    };
    EXPECT_EQ(Run_With_File_Size_Limit(1000, [&] { return write_pair(5000, 10); }), 1);
    EXPECT_EQ(Run_With_File_Size_Limit(1000, [&] { return write_pair(10, 5000); }), 2);
    EXPECT_EQ(Read_File_Bytes(report), OLD_BYTES);
    EXPECT_EQ(Read_File_Bytes(drawing), OLD_BYTES);
    EXPECT_EQ(Folder_Names(dir.path()), (std::set<std::string>{"B1_01.OLI", "B10001.SPF"}));

    EXPECT_EQ(write_pair(3, 4), 0);
    EXPECT_EQ(Read_File_Bytes(report), "rrr");
    EXPECT_EQ(Read_File_Bytes(drawing), "dddd");
}

// Three files (report, drawing, and the input they come from): when the last one's rename
// fails after the other two were put in place, those two get their old files back.
TEST(AtomicFile, ThreeAreReplacedTogetherOrNotAtAll)
{
    Temp_Dir dir;
    const std::string names[3] = {dir.file("B10001.SPF"), dir.file("B1_01.OLI"), dir.file("B1_01.INP")};
    for (const std::string& name : {names[0], names[1]}) ASSERT_TRUE(Write_File_Bytes(name, OLD_BYTES));
    Atomic_File a(names[0].c_str()), b(names[1].c_str()), c(names[2].c_str());
    for (Atomic_File* f : {&a, &b, &c}) std::fputs("new", f->Stream());
    // A folder takes the last one's name meanwhile.
    ASSERT_TRUE(std::filesystem::create_directory(names[2]));
    ASSERT_TRUE(Write_File_Bytes(names[2] + "/keep", OLD_BYTES));
    EXPECT_FALSE(Commit_Together(a, b, c));
    EXPECT_EQ(c.Error(), EISDIR);
    EXPECT_EQ(Read_File_Bytes(names[0]), OLD_BYTES);
    EXPECT_EQ(Read_File_Bytes(names[1]), OLD_BYTES);
    EXPECT_EQ(Folder_Names(dir.path()), (std::set<std::string>{"B10001.SPF", "B1_01.OLI", "B1_01.INP"}));
}

// What a killed writer left beside the file is removed; the temporary file of a writer at
// work, and names of another form or of another file, stay.
TEST(AtomicFile, LeftoversOfKilledWritersAreRemovedThoseOfLiveOnesKept)
{
    Temp_Dir dir;
    const std::string path = dir.file("B1_01.OLI");
    Atomic_File live(path.c_str());
    ASSERT_NE(live.Stream(), nullptr);
    const std::set<std::string> others{"B1_01.OLI.tmpAbC12", "B1_01.OLI.tmp-bC123", "B1_02.OLI.tmpAbC123"};
    for (const std::string& name : others) ASSERT_TRUE(Write_File_Bytes(dir.file(name), "x"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.OLI.tmpAbC123"), "x"));
    const std::set<std::string> before = Folder_Names(dir.path());

    EXPECT_EQ(Remove_Leftover_Temporaries(path.c_str()), 1);
    std::set<std::string> expected = before;
    expected.erase("B1_01.OLI.tmpAbC123");
    EXPECT_EQ(Folder_Names(dir.path()), expected);
    std::fputs("neu", live.Stream());
    EXPECT_TRUE(live.Commit());
    EXPECT_EQ(Read_File_Bytes(path), "neu");
}

namespace {

int guard_calls = 0, refused_call = 0;
std::string outside_report;  // where another writer puts its report at the guard's second question

bool Refusing_Guard(Atomic_File* const*, size_t)
{
    if (++guard_calls == 2 && !outside_report.empty()) {
        EXPECT_TRUE(Write_File_Bytes(outside_report + ".x", "outside") &&
                    std::rename((outside_report + ".x").c_str(), outside_report.c_str()) == 0);
    }
    return guard_calls != refused_call;
}

} // namespace

// A guard that says no before the renames leaves both old files; one that says no after them
// puts the old files back, except where another writer has put its own meanwhile.
TEST(AtomicFile, AGuardThatRefusesLeavesTheOldFilesAndAnOutsideWritersOnes)
{
    Temp_Dir dir;
    const std::string report = dir.file("r.OLI"), drawing = dir.file("d.SPF");
    for (const bool late : {false, true}) {
        ASSERT_TRUE(Write_File_Bytes(report, "old report") && Write_File_Bytes(drawing, "old drawing"));
        guard_calls = 0;
        refused_call = late ? 2 : 1;  // the second question comes with both files in place
        outside_report = late ? report : "";
        Atomic_File d(drawing.c_str()), r(report.c_str());
        std::fputs("new", d.Stream());
        std::fputs("new", r.Stream());
        Set_Commit_Guard(Refusing_Guard);
        EXPECT_FALSE(Commit_Together(d, r));
        EXPECT_TRUE(Commit_Refused_By_Guard());
        Set_Commit_Guard(nullptr);
        EXPECT_EQ(Read_File_Bytes(report), late ? "outside" : "old report");
        EXPECT_EQ(Read_File_Bytes(drawing), "old drawing");
        EXPECT_EQ(Folder_Names(dir.path()), (std::set<std::string>{"d.SPF", "r.OLI"}));
    }
}
