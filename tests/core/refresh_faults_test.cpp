// Refresh runs of the built program under faults of the files around it: a drawing or a
// report that cannot be written or replaced, a file-size limit, inputs that never end, two
// runs of one position at once, control bytes in the position's title, ids with folders
// or too long, signals, closed standard streams, links, a damaged installation.
#include "edited_input.h"
#include "file_size_limit.h"
#include "test_support.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::string OLD_REPORT = "alter Bericht";
const std::string OLD_DRAWING = "alte Zeichnung";

// A folder with the example position 1 (report B1_01.OLI, drawing B10001.SPF).
class RefreshFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Write_File_Bytes(Input(), Example(1)));
        ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.TXT"), "1.01:Konsole\n"));
    }
    static std::string Example(int n)
    {
        return Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_0" + std::to_string(n) + ".INP");
    }
    std::string Input() const { return dir_.file("B1_01.INP"); }
    std::string Report() const { return dir_.file("B1_01.OLI"); }
    std::string Drawing() const { return dir_.file("B10001.SPF"); }

    static std::string Installation() { return CORBEL_SOURCE_DIR "/data"; }
    std::vector<std::string> Env(const std::string& exec = Installation()) const
    {
        return {"EXEC=" + exec, "ZAV_PRIVAT_DATAPATH=" + dir_.path(), "DRAM=" + dir_.path()};
    }
    // The run ends within 20 seconds or is killed (exit code -1). SIGXFSZ and the ending
    // signals as a shell leaves them, whatever this process set or inherited (a test
    // started in the background ignores SIGINT).
    static void Bounded_Child()
    {
        for (int signal : {SIGXFSZ, SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
        ::alarm(20);
    }
    Run_Result Refresh(std::function<void()> in_child = Bounded_Child) const
    {
        return Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(), in_child);
    }
    Started_Program Start_Refresh(std::function<void()> in_child = Bounded_Child) const
    {
        return Start_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(), in_child);
    }
    void Put_Old_Pair() const
    {
        for (const std::string& path : {Report(), Drawing()}) std::remove(path.c_str());
        ASSERT_TRUE(Write_File_Bytes(Report(), OLD_REPORT));
        ASSERT_TRUE(Write_File_Bytes(Drawing(), OLD_DRAWING));
    }
    int Temporary_Files() const
    {
        int count = 0;
        for (const std::string& name : Folder_Names(dir_.path())) count += Has(name, ".tmp") ? 1 : 0;
        return count;
    }
    // No temporary file is left in the folder.
    void Expect_No_Extra_File() const { EXPECT_EQ(Temporary_Files(), 0) << dir_.path(); }

    // A run whose calls of one kind strace makes fail or interrupts (the fault as strace's
    // inject= takes it); with an empty fault the run is only traced.
    Run_Result Refresh_Traced(const std::string& call, const std::string& fault) const
    {
        std::vector<std::string> env = Env();
        env.push_back("ASAN_OPTIONS=detect_leaks=0");  // the leak check cannot run under a tracer
        std::vector<std::string> args = {"-f", "-qq", "-o", "/dev/null", "-e", "trace=" + call};
        if (!fault.empty()) args.insert(args.end(), {"-e", "inject=" + call + ":" + fault});
        args.insert(args.end(), {CORBEL_EXE, "B1", "0", "1", "1", "-refresh"});
        return Run_Program(STRACE, args, dir_.path(), env, Bounded_Child);
    }
    bool Can_Trace() const { return File_Exists(STRACE) && Refresh_Traced("unlink", "").err == ""; }
    static constexpr const char* STRACE = "/usr/bin/strace";

    Temp_Dir dir_;
};

} // namespace

// Report and drawing replace their old files together or not at all, and whichever could
// not be written is said with its name and the reason (texts as UTF-8 on standard error).
TEST_F(RefreshFaults, ReportAndDrawingAreReplacedOnlyTogether)
{
    Run_Result r = Refresh();
    ASSERT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "");
    const std::string report = Read_File_Bytes(Report()), drawing = Read_File_Bytes(Drawing());
    ASSERT_TRUE(Has(drawing, "*EOI\n"));

    // The drawing's name is a folder, or leads to a full disk: the old report stays.
    ASSERT_TRUE(Write_File_Bytes(Report(), OLD_REPORT));
    std::remove(Drawing().c_str());
    ASSERT_EQ(::mkdir(Drawing().c_str(), 0755), 0);
    r = Refresh();
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, "Die Zeichnung B10001.SPF kann nicht geschrieben werden: der Name bezeichnet einen "
                           "Ordner.\n"))
        << r.err;
    EXPECT_TRUE(Has(r.err, "Die Druckliste B1_01.OLI bleibt, wie sie war")) << r.err;
    EXPECT_EQ(Read_File_Bytes(Report()), OLD_REPORT);
    ::rmdir(Drawing().c_str());
    ASSERT_EQ(::symlink("/dev/full", Drawing().c_str()), 0);
    r = Refresh();
    EXPECT_TRUE(Has(r.err, "kann nicht geschrieben werden: kein Speicherplatz mehr auf dem Datentr\xC3\xA4ger.\n"))
        << r.err;
    EXPECT_EQ(Read_File_Bytes(Report()), OLD_REPORT);

    // The report leads to a full disk: the old drawing stays.
    Put_Old_Pair();
    std::remove(Report().c_str());
    ASSERT_EQ(::symlink("/dev/full", Report().c_str()), 0);
    r = Refresh();
    EXPECT_TRUE(Has(r.err, "Die Druckliste B1_01.OLI konnte nicht vollst\xC3\xA4ndig geschrieben werden: kein "
                           "Speicherplatz mehr auf dem Datentr\xC3\xA4ger.\n"))
        << r.err;
    EXPECT_EQ(Read_File_Bytes(Drawing()), OLD_DRAWING);

    // A file-size limit between the two sizes: the run is not killed, the report's write
    // fails with EFBIG, both old files stay and no temporary file is left.
    Put_Old_Pair();
    const rlim_t limit = (std::min(report.size(), drawing.size()) + std::max(report.size(), drawing.size())) / 2;
    r = Refresh([limit] {
        Bounded_Child();
        struct rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
    });
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, "geschrieben werden: die Datei wird zu gro\xC3\x9F.\n")) << r.err;
    EXPECT_EQ(Read_File_Bytes(Report()), OLD_REPORT);
    EXPECT_EQ(Read_File_Bytes(Drawing()), OLD_DRAWING);
    Expect_No_Extra_File();

    // Both whole: both replaced.
    EXPECT_EQ(Refresh().err, "");
    EXPECT_EQ(Read_File_Bytes(Report()), report);
    EXPECT_EQ(Read_File_Bytes(Drawing()), drawing);
}

// An input that never ends, or is far too long to be a position, ends the run at once with
// the read error; the old report stays.
TEST_F(RefreshFaults, EndlessInputsEndTheRunAtOnce)
{
    ASSERT_TRUE(Write_File_Bytes(Report(), OLD_REPORT));
    const std::string reason_not_a_file = "kann nicht gelesen werden: der Name bezeichnet keine gew\xC3\xB6hnliche Datei.";
    std::remove(Input().c_str());
    ASSERT_EQ(::symlink("/dev/zero", Input().c_str()), 0);
    Run_Result r = Refresh();
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, reason_not_a_file)) << r.err;

    std::remove(Input().c_str());
    ASSERT_EQ(::mkfifo(Input().c_str(), 0644), 0);
    r = Refresh();
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, reason_not_a_file)) << r.err;

    // A line of more than 64 KiB after a valid position.
    std::remove(Input().c_str());
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(1) + std::string(70000, '7') + "\n"));
    r = Refresh();
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, "kann nicht gelesen werden: die Datei ist besch\xC3\xA4" "digt")) << r.err;
    EXPECT_EQ(Read_File_Bytes(Report()), OLD_REPORT);
}

// A damaged annex file never changes the design unsaid: an older annex list far too long
// is not converted; the German file of the installation cut in half still gives the German
// values; a damaged user annex is refused for "Deutschland", which the report then names.
// Each is one line on standard error; nothing goes to standard output.
TEST_F(RefreshFaults, DamagedAnnexFilesNeverChangeTheDesignUnsaid)
{
    std::string list;
    for (int i = 0; i < 5000; ++i) list += "#NAD\n 5 \xAE" "A\xAF\n";
    ASSERT_TRUE(Write_File_Bytes(dir_.file("NADs-EC2.DEF"), list));
    Run_Result r = Refresh();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Die \xC3\xA4ltere Liste der nationalen Anh\xC3\xA4nge " + dir_.file("NADs-EC2.DEF") +
                         " ist besch\xC3\xA4" "digt (mehr als 200 Anh\xC3\xA4nge): sie wird nicht \xC3\xBC" "bernommen.\n");
    EXPECT_EQ(Folder_Names(dir_.file("NADS")), std::set<std::string>{});
    const std::string sound = Read_File_Bytes(Report());
    ASSERT_TRUE(Has(sound, ", NA: Deutschland\n"));

    Temp_Dir data;
    const std::string germany = Read_File_Bytes(CORBEL_SOURCE_DIR "/data/NAD/Deutschland.NAD");
    ASSERT_TRUE(std::filesystem::create_directory(data.file("NAD")));
    ASSERT_TRUE(Write_File_Bytes(data.file("NAD/Deutschland.NAD"), germany.substr(0, germany.size() / 2)));
    std::vector<std::string> env = Env();
    env.push_back("DATA=" + data.path());
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env, Bounded_Child);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Has(r.err, "Die Datei des nationalen Anhangs " + data.file("NAD/Deutschland.NAD") +
                               " ist besch\xC3\xA4" "digt: der Teil EC2 ist nicht lesbar, die Teile EC3, EC5, EC6 und EC9 fehlen; "
                               "es gelten die "
                               "eingebauten Werte von \"Deutschland\".\n"))
        << r.err;
    EXPECT_TRUE(Read_File_Bytes(Report()) == sound);

    // A data folder that cannot be searched (a link in a circle, a name too long for the
    // file system): the annex file is named with the reason, the built-in values apply.
    const std::string loop = dir_.file("kreis");
    ASSERT_EQ(::symlink("kreis", loop.c_str()), 0);
    const std::pair<std::string, std::string> folders[] = {
        {loop, "zu viele Verweise in Folge (ein Verweis zeigt im Kreis)"},
        {dir_.file(std::string(300, 'D')), "der Name ist zu lang"}};
    for (const auto& [folder, reason] : folders) {
        env = Env();
        env.push_back("DATA=" + folder);
        r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env, Bounded_Child);
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.err, "Die Datei des nationalen Anhangs " + folder + "/NAD/Deutschland.NAD kann nicht gelesen werden: " +
                             reason + "; es gelten die eingebauten Werte von \"Deutschland\".\n");
        EXPECT_TRUE(Read_File_Bytes(Report()) == sound);
    }
    ::unlink(loop.c_str());

    // A user annex of the German rules whose sections are lost.
    std::string input = Example(1);
    input.replace(input.find("\xAE" "Deutschland\xAF"), 13, "\xAE" "Schweden\xAF");
    ASSERT_TRUE(Write_File_Bytes(Input(), input));
    ASSERT_TRUE(Write_File_Bytes(dir_.file("NADS/1.NAD"), "NAD/Version 1\n\n 7 \xAE" "Schweden\xAF 1\n"));
    r = Refresh();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Has(r.err, "Der nationale Anhang \"Schweden\" wird nicht verwendet: die Datei " +
                               dir_.file("NADS/1.NAD") + " ist besch\xC3\xA4" "digt: die Teile EC0, EC2, EC3, EC5, EC6 und EC9 fehlen"))
        << r.err;
    EXPECT_TRUE(Has(r.err, "; es gelten die Werte von \"Deutschland\".\n")) << r.err;
    EXPECT_TRUE(Read_File_Bytes(Report()) == sound);
}

// The folder of the user's annexes: a link in a circle in its place is said with that
// reason; a folder that cannot be read (strace refuses its opening) hides the position's
// annex, which is then said to be unreadable, not missing.
TEST_F(RefreshFaults, TheUserAnnexFoldersFirstFailureIsSaid)
{
    const std::string folder = dir_.file("NADS");
    ASSERT_EQ(::symlink("NADS", folder.c_str()), 0);
    EXPECT_TRUE(Has(Refresh().err, "Der Ordner der eigenen nationalen Anh\xC3\xA4nge " + folder +
                                       " kann nicht angelegt werden: zu viele Verweise in Folge (ein Verweis zeigt "
                                       "im Kreis).\n"));
    ::unlink(folder.c_str());

    if (!Can_Trace()) GTEST_SKIP() << "no strace, or no tracing allowed here";
    std::string input = Example(1);
    input.replace(input.find("\xAE" "Deutschland\xAF"), 13, "\xAE" "Meins\xAF");
    ASSERT_TRUE(Write_File_Bytes(Input(), input));
    std::vector<std::string> env = Env();
    env.push_back("ASAN_OPTIONS=detect_leaks=0");
    const Run_Result r = Run_Program(STRACE, {"-f", "-qq", "-o", "/dev/null", "-P", folder, "-P", folder + "/", "-e",
                                              "trace=openat", "-e", "inject=openat:error=EACCES", CORBEL_EXE, "B1", "0",
                                              "1", "1", "-refresh"},
                                     dir_.path(), env, Bounded_Child);
    EXPECT_TRUE(Has(r.err, "Der Ordner der eigenen nationalen Anh\xC3\xA4nge " + folder +
                               " kann nicht gelesen werden: keine Berechtigung; seine Anh\xC3\xA4nge werden in der "
                               "Liste der nationalen Anh\xC3\xA4nge nicht aufgef\xC3\xBChrt.\n"
                               "Nationaler Anhang \"Meins\" kann nicht gelesen werden, es gilt \"Deutschland\".\n"))
        << r.err;
}

// Runs of one position started while another holds it wait for it before they read the
// input: the report and drawing on the disk always come from the input as it stands when
// the last run ends, and nothing else is left in the folder. An input replaced by a rename
// meanwhile (as the editor saves it) is followed, and so is its holder.
TEST_F(RefreshFaults, ConcurrentRunsOfOnePositionFollowEachOther)
{
    // The pairs of the two inputs, one run each.
    Run_Result r = Refresh();
    const std::string report_1 = Read_File_Bytes(Report()), drawing_1 = Read_File_Bytes(Drawing());
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(2)));
    r = Refresh();
    const std::string report_2 = Read_File_Bytes(Report()), drawing_2 = Read_File_Bytes(Drawing());
    ASSERT_NE(report_1, report_2);
    ASSERT_NE(drawing_1, drawing_2);

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Put_Old_Pair();
        // Another writer holds the position: the runs wait before they read.
        ASSERT_TRUE(Write_File_Bytes(Input(), Example(1)));
        const int held = ::open(Input().c_str(), O_RDONLY | O_CLOEXEC);  // not the runs' to keep
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        Started_Program first = Start_Refresh();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_TRUE(Write_File_Bytes(Input(), Example(2)));  // the same file, new content
        Started_Program second = Start_Refresh();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(Read_File_Bytes(Report()), OLD_REPORT);
        EXPECT_EQ(Read_File_Bytes(Drawing()), OLD_DRAWING);
        ::close(held);

        EXPECT_EQ(Wait_Program(first).exit_code, 1);
        EXPECT_EQ(Wait_Program(second).exit_code, 1);
        EXPECT_EQ(Read_File_Bytes(Report()), report_2);
        EXPECT_EQ(Read_File_Bytes(Drawing()), drawing_2);
        Expect_No_Extra_File();
    }

    // The held input is replaced by a new file, which a writer holds in turn.
    Put_Old_Pair();
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(1)));
    const int held = ::open(Input().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    Started_Program run = Start_Refresh();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(Write_File_Bytes(dir_.file("neu"), Example(2)));
    const int held_new = ::open(dir_.file("neu").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held_new, LOCK_EX), 0);
    ASSERT_EQ(std::rename(dir_.file("neu").c_str(), Input().c_str()), 0);
    ::close(held);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(Read_File_Bytes(Report()) == OLD_REPORT);
    ::close(held_new);
    EXPECT_EQ(Wait_Program(run).exit_code, 1);
    EXPECT_EQ(Read_File_Bytes(Report()), report_2);
    EXPECT_EQ(Read_File_Bytes(Drawing()), drawing_2);
    Expect_No_Extra_File();
}

// An input replaced by a rename from outside while a run works has a lock of its own: a
// second run writes the new input's pair meanwhile, and the first, stopped with its files
// written, then puts nothing in place and says why.
TEST_F(RefreshFaults, ARunWhoseInputWasReplacedPutsNothingInPlace)
{
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(2)));
    Refresh();
    const std::string report_2 = Read_File_Bytes(Report()), drawing_2 = Read_File_Bytes(Drawing());
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(1)));
    std::vector<std::string> env = Env();
    env.push_back("CORBEL_TEST_STOP_BEFORE_PAIR=1");
    Started_Program first = Start_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env, Bounded_Child);
    siginfo_t state{};
    ::waitid(P_PID, static_cast<id_t>(first.pid), &state, WSTOPPED | WEXITED | WNOWAIT);
    ASSERT_TRUE(Write_File_Bytes(dir_.file("neu"), Example(2)));
    ASSERT_EQ(std::rename(dir_.file("neu").c_str(), Input().c_str()), 0);
    EXPECT_EQ(Refresh().err, "");
    ::kill(first.pid, SIGCONT);
    const Run_Result r = Wait_Program(first);
    EXPECT_EQ(r.err, "Die Eingabedatei B1_01.INP wurde w\xC3\xA4hrend des Laufs durch eine andere Datei ersetzt: "
                     "Druckliste und Zeichnung dieses Laufs werden nicht abgelegt.\n");
    EXPECT_EQ(Read_File_Bytes(Report()), report_2);
    EXPECT_EQ(Read_File_Bytes(Drawing()), drawing_2);
    Expect_No_Extra_File();
}

// A run (A) slowed down by strace at the file it puts in place, while its input is replaced
// by a rename from outside and a second run (B) on the new input writes its pair: A puts
// nothing in place and says why, and B's pair stays whole. Without earlier files A's
// report goes into a place that B fills meanwhile; on a file system that cannot trade
// names (renameat2 refused) A's old drawing waits aside while B removes leftovers.
TEST_F(RefreshFaults, ARunSlowedAtItsRenamesLeavesTheOtherRunsPair)
{
    if (!Can_Trace()) GTEST_SKIP() << "no strace, or no tracing allowed here";
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(2)));
    ASSERT_EQ(Refresh().err, "");
    const std::string report_2 = Read_File_Bytes(Report()), drawing_2 = Read_File_Bytes(Drawing());
    const std::string delay = ":delay_enter=2000000";
    // The report is the second file of the pair; whichever call puts a file into an empty
    // place is slowed (a rename, a rename that does not replace, a link).
    struct Case {
        bool old_pair;
        std::vector<std::string> tracing;
        bool wait_for_drawing;  // A waits once its drawing is there, else while it is gone
    } const cases[] = {
        {false, {"-e", "inject=rename" + delay + ":when=2", "-e", "inject=renameat2" + delay + ":when=4"}, true},
        {true,
         {"-e", "inject=renameat2:error=EINVAL", "-e", "inject=rename" + delay + ":when=2", "-e",
          "inject=link" + delay + ":when=1"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.old_pair);
        for (const std::string& path : {Report(), Drawing()}) std::remove(path.c_str());
        if (c.old_pair) Put_Old_Pair();
        ASSERT_TRUE(Write_File_Bytes(Input(), Example(1)));
        std::vector<std::string> args = {"-f", "-qq", "-o", "/dev/null", "-e", "trace=rename,renameat2,link"};
        args.insert(args.end(), c.tracing.begin(), c.tracing.end());
        args.insert(args.end(), {CORBEL_EXE, "B1", "0", "1", "1", "-refresh"});
        std::vector<std::string> env = Env();
        env.push_back("ASAN_OPTIONS=detect_leaks=0");
        Started_Program first = Start_Program(STRACE, args, dir_.path(), env, Bounded_Child);
        for (int i = 0; i < 1000 && File_Exists(Drawing()) != c.wait_for_drawing; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Whatever A keeps under a temporary name meanwhile is locked.
        for (const std::string& name : Folder_Names(dir_.path())) {
            const int fd = Has(name, ".tmp") ? ::open(dir_.file(name).c_str(), O_RDONLY | O_CLOEXEC) : -1;
            if (fd < 0) continue;
            EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0) << name;
            ::close(fd);
        }
        ASSERT_TRUE(Write_File_Bytes(dir_.file("neu"), Example(2)));
        ASSERT_EQ(std::rename(dir_.file("neu").c_str(), Input().c_str()), 0);
        EXPECT_EQ(Refresh().err, "");
        EXPECT_EQ(Wait_Program(first).err, "Die Eingabedatei B1_01.INP wurde w\xC3\xA4hrend des Laufs durch eine andere "
                                           "Datei ersetzt: Druckliste und Zeichnung dieses Laufs werden nicht abgelegt.\n");
        EXPECT_TRUE(Read_File_Bytes(Report()) == report_2);
        EXPECT_TRUE(Read_File_Bytes(Drawing()) == drawing_2);
        Expect_No_Extra_File();
    }
}

// Control bytes of the position's title become blanks in the report's contents line and
// the drawing's title.
TEST_F(RefreshFaults, TitleControlBytes)
{
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.TXT"), "1.01:A\x1B[1mB\x07" "C\xCE" "BD\rE\n"));
    Run_Result r = Refresh();
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Has(Read_File_Bytes(Report()), "#CONTENTS\n POS. 1.01: A [1mB C BD E\n"));
    EXPECT_TRUE(Has(Read_File_Bytes(Drawing()), "\n1.01: A [1mB C BD E, L\x84ngsschnitt\n"));
}

namespace {

// Example 1 with n rows in its load table (used where the address sanitizer bounds memory).
[[maybe_unused]] std::string Example_With_Rows(const std::string& example, int n)
{
    const size_t start = example.find("\n 0 4\n");
    const size_t end = example.find("\n 2\n", start);
    std::string rows;
    for (int i = 0; i < n; ++i)
        rows += "\n Lk~" + std::to_string(i) + "\n " + std::to_string(50000 + 10 * i) + ".0 " +
                std::to_string(300000 + 100 * i) + ".0";
    return example.substr(0, start) + "\n 0 " + std::to_string(n) + rows + example.substr(end);
}

} // namespace

// The second rename of the pair fails (a shared folder with the sticky bit, the old report
// a colleague's): the drawing already put in place gets its old file back, and both the
// report that could not be replaced and the drawing that stays are said.
TEST_F(RefreshFaults, PairStaysInStepWhenTheSecondRenameFails)
{
    if (::geteuid() != 0) GTEST_SKIP() << "a colleague's file needs a second user";
    Put_Old_Pair();
    const uid_t colleague = 65534;  // we run as nobody, the report stays root's
    ASSERT_EQ(::chmod(dir_.path().c_str(), 01777), 0);
    ASSERT_EQ(::chmod(Report().c_str(), 0666), 0);
    ASSERT_EQ(::chown(Drawing().c_str(), colleague, colleague), 0);
    const Run_Result r = Refresh([colleague] {
        Bounded_Child();
        if (::setgid(colleague) != 0 || ::setuid(colleague) != 0) _exit(126);
    });
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, "Die Druckliste B1_01.OLI konnte nicht vollst\xC3\xA4ndig geschrieben werden: keine "
                           "Berechtigung.\n"))
        << r.err;
    EXPECT_TRUE(Has(r.err, "Die Zeichnung B10001.SPF bleibt, wie sie war: sie wird nur zusammen mit ihrer "
                           "Druckliste ersetzt.\n"))
        << r.err;
    EXPECT_EQ(Read_File_Bytes(Report()), OLD_REPORT);
    EXPECT_EQ(Read_File_Bytes(Drawing()), OLD_DRAWING);
    Expect_No_Extra_File();
}

// A report without a drawing (here of a position the data check refuses) takes the old
// drawing of the earlier design away in the same step; when the report cannot be written,
// the old drawing stays with the old report.
TEST_F(RefreshFaults, AReportWithoutDrawingTakesTheOldDrawingAway)
{
    ASSERT_EQ(Refresh().err, "");
    ASSERT_TRUE(File_Exists(Drawing()));
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(5)));
    Run_Result r = Refresh();
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Has(Read_File_Bytes(Report()), "Fehler in den Eingabedaten"));
    EXPECT_FALSE(File_Exists(Drawing()));

    Put_Old_Pair();
    std::remove(Report().c_str());
    ASSERT_EQ(::symlink("/dev/full", Report().c_str()), 0);
    r = Refresh();
    EXPECT_TRUE(Has(r.err, "Die alte Zeichnung B10001.SPF bleibt, wie sie war")) << r.err;
    EXPECT_EQ(Read_File_Bytes(Drawing()), OLD_DRAWING);
    Expect_No_Extra_File();

    // A refused support corbel, whose input protocol draws the graphic, writes no drawing
    // either: with an old one it goes, without one none is made.
    std::remove(Report().c_str());
    ASSERT_TRUE(Write_File_Bytes(Input(), Edited_Input(Example(2), [](Corbel_Model& m) { m.d1k = 20.0; })));
    for (bool old_pair : {true, false}) {
        if (old_pair) Put_Old_Pair();
        r = Refresh();
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(Has(Read_File_Bytes(Report()), "Fehler in den Eingabedaten"));
        EXPECT_FALSE(File_Exists(Drawing())) << old_pair;
        Expect_No_Extra_File();
    }
}

// Single system calls made to fail (strace injects the fault): a removal of the old
// drawing's temporary file, and the report's rename where no old files stood, which
// withdraws the new drawing. Each file that stays or goes unasked is named with the reason.
TEST_F(RefreshFaults, FailedRemovalOrRenameNamesTheDrawing)
{
    if (!Can_Trace()) GTEST_SKIP() << "no strace, or no tracing allowed here";

    // A refused position: its old drawing goes aside, and so does the old report until the
    // run has made sure that its input is still the one beside them; neither can be
    // removed there.
    Put_Old_Pair();
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(5)));
    Run_Result r = Refresh_Traced("unlink", "error=EPERM");
    const std::regex said("Die alte Zeichnung B10001\\.SPF\\.tmp\\w{6} kann nicht entfernt werden: keine Berechtigung\\.\n"
                          "Die alte Druckliste B1_01\\.OLI\\.tmp\\w{6} kann nicht entfernt werden: keine Berechtigung\\.\n");
    EXPECT_TRUE(std::regex_match(r.err, said)) << r.err;
    EXPECT_EQ(Temporary_Files(), 2);
    EXPECT_FALSE(File_Exists(Drawing()));

    // No old files; the report's rename, the second of the pair, fails.
    for (const std::string& path : {Report(), Drawing()}) std::remove(path.c_str());
    ASSERT_TRUE(Write_File_Bytes(Input(), Example(1)));
    r = Refresh_Traced("renameat2", "error=EACCES:when=4");  // each file: an exchange, then a rename
    EXPECT_EQ(r.err, "Die Druckliste B1_01.OLI konnte nicht vollst\xC3\xA4ndig geschrieben werden: keine "
                     "Berechtigung.\nDie Zeichnung B10001.SPF wird nicht angelegt: sie entsteht nur zusammen mit "
                     "ihrer Druckliste.\n");
    EXPECT_FALSE(File_Exists(Report()));
    EXPECT_FALSE(File_Exists(Drawing()));
    Expect_No_Extra_File();
}

// An input that is a link leading nowhere or in a circle is a position that cannot be
// read, not an empty one: the report and drawing of its last design stay.
TEST_F(RefreshFaults, AnInputLinkThatLeadsNowhereKeepsThePair)
{
    ASSERT_EQ(Refresh().err, "");
    const std::string report = Read_File_Bytes(Report());
    ASSERT_EQ(::symlink(dir_.file("fehlt/B1_01.INP").c_str(), dir_.file("weg").c_str()), 0);
    ASSERT_EQ(::symlink("kreis", dir_.file("kreis").c_str()), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"weg", "sie ist ein Verweis auf eine Datei, die nicht vorhanden ist"},
        {"kreis", "zu viele Verweise in Folge (ein Verweis zeigt im Kreis)"}};
    for (const auto& [target, reason] : cases) {
        std::remove(Input().c_str());
        ASSERT_EQ(::symlink(target.c_str(), Input().c_str()), 0);
        const Run_Result r = Refresh();
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.err, "Die Eingabedatei B1_01.INP kann nicht ge\xC3\xB6" "ffnet werden: " + reason + ".\n");
        EXPECT_EQ(Read_File_Bytes(Report()), report);
        EXPECT_TRUE(File_Exists(Drawing()));
    }
}

// Ids with a folder take the position text beside the position's files; an id too long for
// a file name is said with the real name and reason, and nothing is written.
TEST_F(RefreshFaults, IdsWithFoldersAndOverlongIds)
{
    ASSERT_EQ(::mkdir(dir_.file("sub").c_str(), 0755), 0);
    ASSERT_TRUE(Write_File_Bytes(dir_.file("sub/B1_01.INP"), Example(1)));
    ASSERT_TRUE(Write_File_Bytes(dir_.file("sub/B1_01.TXT"), "2.02:im Unterordner\n"));
    for (const std::string& id : {std::string("sub\\B1"), dir_.file("sub/B1")}) {
        std::remove(dir_.file("sub/B1_01.OLI").c_str());
        const Run_Result r = Run_Program(CORBEL_EXE, {id, "0", "1", "1", "-refresh"}, dir_.path(), Env());
        EXPECT_EQ(r.err, "") << id;
        EXPECT_TRUE(Has(Read_File_Bytes(dir_.file("sub/B1_01.OLI")), "#CONTENTS\n POS. 2.02: im Unterordner\n"))
            << id;
    }

    const std::set<std::string> before = Folder_Names(dir_.path());
    for (size_t length : {249, 300}) {
        const std::string id(length, 'K');
        const Run_Result r = Run_Program(CORBEL_EXE, {id, "0", "1", "1", "-refresh"}, dir_.path(), Env());
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.err, "Die Eingabedatei " + id + "_01.INP kann nicht gelesen werden: der Name ist zu lang.\n");
    }
    EXPECT_EQ(Folder_Names(dir_.path()), before);
}

// A run ended by SIGTERM, SIGINT or SIGHUP while it writes removes its temporary files;
// after SIGKILL they stay until the next run of the position removes them. Standard
// streams closed at the start are /dev/null while the run writes.
TEST_F(RefreshFaults, InterruptedRunsLeaveNoTemporaryFiles)
{
    // Stopped by its own request with both temporary files written, so that the signal
    // meets a run that writes however fast or loaded the machine is.
    auto stopped_while_writing = [this](std::function<void()> in_child) {
        std::vector<std::string> env = Env();
        env.push_back("CORBEL_TEST_STOP_BEFORE_PAIR=1");
        Started_Program run =
            Start_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env, in_child);
        siginfo_t state{};
        ::waitid(P_PID, static_cast<id_t>(run.pid), &state, WSTOPPED | WEXITED | WNOWAIT);
        EXPECT_EQ(state.si_code, CLD_STOPPED);
        EXPECT_EQ(Temporary_Files(), 2);
        return run;
    };
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        Started_Program run = stopped_while_writing(Bounded_Child);
        ::kill(run.pid, signal);
        ::kill(run.pid, SIGCONT);
        EXPECT_EQ(Wait_Program(run).exit_code, -1);  // ended by the signal
        Expect_No_Extra_File();
    }

    Started_Program run = stopped_while_writing([] {
        Bounded_Child();
        for (int fd = 0; fd <= 2; ++fd) ::close(fd);
    });
    for (int fd = 0; fd <= 2; ++fd) {
        char target[64] = {};
        const std::string link = "/proc/" + std::to_string(run.pid) + "/fd/" + std::to_string(fd);
        EXPECT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0) << fd;
        EXPECT_STREQ(target, "/dev/null") << fd;
    }
    ::kill(run.pid, SIGKILL);
    Wait_Program(run);
    EXPECT_GT(Temporary_Files(), 0);
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.EXP"), "Importprotokoll"));
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01_TMP.EXP.tmpK1ll3d"), "halbe Kopie"));
    EXPECT_EQ(Refresh().err, "");
    Expect_No_Extra_File();
}

// A signal that comes while a temporary file is made (strace sends it as the run locks the
// report's temporary file, then the drawing's) waits until the file is listed for removal:
// the run ends by it and leaves nothing behind.
TEST_F(RefreshFaults, ASignalWhileATemporaryFileIsMadeLeavesNone)
{
    if (!Can_Trace()) GTEST_SKIP() << "no strace, or no tracing allowed here";
    for (const std::string when : {"2", "3"}) {
        SCOPED_TRACE(when);
        EXPECT_EQ(Refresh_Traced("flock", "signal=SIGTERM:when=" + when).exit_code, -1);
        Expect_No_Extra_File();
    }
}

// The copy of the import protocol replaces a link in its place and never writes through it
// into another folder.
TEST_F(RefreshFaults, ImportProtocolCopyReplacesALink)
{
    Temp_Dir elsewhere;
    const std::string target = elsewhere.file("fremd.txt");
    ASSERT_TRUE(Write_File_Bytes(target, "fremde Datei"));
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.EXP"), "Importprotokoll"));
    ASSERT_EQ(::symlink(target.c_str(), dir_.file("B1_01_TMP.EXP").c_str()), 0);
    EXPECT_EQ(Refresh().err, "");
    EXPECT_EQ(Read_File_Bytes(target), "fremde Datei");
    struct stat info;
    ASSERT_EQ(::lstat(dir_.file("B1_01_TMP.EXP").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(Read_File_Bytes(dir_.file("B1_01_TMP.EXP")), "Importprotokoll");
}

// The installation as the run finds it: a missing folder or version file is said (the
// report goes without the version); a missing DRAM is nothing the user must hear of, and
// nothing of it reaches standard output.
TEST_F(RefreshFaults, InstallationProblemsAreSaidOnStandardError)
{
    const std::string consequence = ": die Druckliste erh\xC3\xA4lt keine Angabe der Programmversion.\n";
    Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(dir_.file("fehlt")));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "Der Installationsordner " + dir_.file("fehlt") + " (EXEC) ist nicht vorhanden" + consequence);
    EXPECT_TRUE(Has(Read_File_Bytes(Report()), "Bemessung einer Lastkonsole"));

    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(dir_.path()));
    EXPECT_EQ(r.err, "Die Versionsdatei " + dir_.file("Q7-EC203/VERSION") + " kann nicht gelesen werden" + consequence);

    // An application number that names no program of the family is said as well.
    for (const std::string number : {"abc", "-1", "99999999999", "127x"}) {
        std::vector<std::string> env = Env();
        env.push_back("ZAV_APPLICATION_NUMBER=" + number);
        r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env);
        EXPECT_EQ(r.err, "Die Umgebungsvariable ZAV_APPLICATION_NUMBER=" + number +
                             " nennt kein Programm dieser Familie" + consequence);
    }

    std::vector<std::string> env = Env();
    env.push_back("DRAM");
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

// Memory that runs out ends a refresh run with the run's exit code 1 and the message.
TEST_F(RefreshFaults, OutOfMemoryEndsWithTheRunsExitCode)
{
#ifndef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the allocation limit is the address sanitizer's";
#else
    // A load table of more than a megabyte under an allocator that refuses such blocks.
    ASSERT_TRUE(Write_File_Bytes(Input(), Example_With_Rows(Example(1), 30000)));
    std::vector<std::string> env = Env();
    env.push_back("ASAN_OPTIONS=allocator_may_return_null=1:max_allocation_size_mb=1:detect_leaks=0");
    const Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env, Bounded_Child);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(Has(r.err, "Die Sitzung mu\xC3\x9F leider abgebrochen werden.")) << r.err;
    Expect_No_Extra_File();
#endif
}
