// Refresh runs of the built program under faults of the files around it: a drawing or a
// report that cannot be written, a file-size limit, inputs that never end, two runs of one
// position at once, control bytes in the position's title.
#include "file_size_limit.h"
#include "test_support.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

    std::vector<std::string> Env(const std::string& exec) const
    {
        return {"EXEC=" + exec, "ZAV_PRIVAT_DATAPATH=" + dir_.path(), "DRAM=" + dir_.path()};
    }
    // The run ends within 20 seconds or is killed (exit code -1). SIGXFSZ as a shell
    // leaves it, whatever this process set.
    static void Bounded_Child()
    {
        std::signal(SIGXFSZ, SIG_DFL);
        ::alarm(20);
    }
    Run_Result Refresh(std::function<void()> in_child = Bounded_Child) const
    {
        return Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(dir_.path()), in_child);
    }
    Started_Program Start_Refresh() const
    {
        return Start_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(dir_.path()),
                             Bounded_Child);
    }
    void Put_Old_Pair() const
    {
        for (const std::string& path : {Report(), Drawing()}) std::remove(path.c_str());
        ASSERT_TRUE(Write_File_Bytes(Report(), OLD_REPORT));
        ASSERT_TRUE(Write_File_Bytes(Drawing(), OLD_DRAWING));
    }
    // No temporary file is left in the folder.
    void Expect_No_Extra_File() const
    {
        for (const std::string& name : Folder_Names(dir_.path())) EXPECT_FALSE(Has(name, ".tmp")) << name;
    }

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
    std::vector<std::string> env = Env(dir_.path());
    env.push_back("DATA=" + data.path());
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), env, Bounded_Child);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Has(r.err, "Die Datei des nationalen Anhangs " + data.file("NAD/Deutschland.NAD") +
                               " ist besch\xC3\xA4" "digt (EC2, EC3 fehlt, EC5 fehlt, EC6 fehlt, EC9 fehlt): es gelten die "
                               "eingebauten Werte von \"Deutschland\".\n"))
        << r.err;
    EXPECT_TRUE(Read_File_Bytes(Report()) == sound);

    // A user annex of the German rules whose sections are lost.
    std::string input = Example(1);
    input.replace(input.find("\xAE" "Deutschland\xAF"), 13, "\xAE" "Schweden\xAF");
    ASSERT_TRUE(Write_File_Bytes(Input(), input));
    ASSERT_TRUE(Write_File_Bytes(dir_.file("NADS/1.NAD"), "NAD/Version 1\n\n 7 \xAE" "Schweden\xAF 1\n"));
    r = Refresh();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Has(r.err, "Der nationale Anhang \"Schweden\" wird nicht verwendet: die Datei " +
                               dir_.file("NADS/1.NAD") + " ist besch\xC3\xA4" "digt (EC0 fehlt"))
        << r.err;
    EXPECT_TRUE(Has(r.err, "; es gelten die Werte von \"Deutschland\".\n")) << r.err;
    EXPECT_TRUE(Read_File_Bytes(Report()) == sound);
}

// Runs of one position started while another writes wait for it: the report and drawing
// on the disk always come from one run, and nothing else is left in the folder.
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
        // Another writer holds the position: the runs read their inputs and wait.
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
        const std::string report = Read_File_Bytes(Report()), drawing = Read_File_Bytes(Drawing());
        EXPECT_TRUE((report == report_1 && drawing == drawing_1) || (report == report_2 && drawing == drawing_2));
        Expect_No_Extra_File();
    }
}

// Control bytes of the position's title become blanks in the report's contents line and
// the drawing's title; an empty EXEC, which leaves the report without the program's
// version, is said.
TEST_F(RefreshFaults, TitleControlBytesAndAnEmptyExec)
{
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.TXT"), "1.01:A\x1B[1mB\x07" "C\xCE" "BD\rE\n"));
    Run_Result r = Refresh();
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Has(Read_File_Bytes(Report()), "#CONTENTS\n POS. 1.01: A [1mB C BD E\n"));
    EXPECT_TRUE(Has(Read_File_Bytes(Drawing()), "\n1.01: A [1mB C BD E, L\x84ngsschnitt\n"));

    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir_.path(), Env(""), Bounded_Child);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "Die Umgebungsvariable EXEC ist leer: die Druckliste erh\xC3\xA4lt keine Angabe der "
                     "Programmversion.\n");
    EXPECT_TRUE(Has(Read_File_Bytes(Report()), "#CONTENTS\n"));
}
