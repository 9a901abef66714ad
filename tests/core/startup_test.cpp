#include "core/startup.h"

#include "test_support.h"

#include <cstdlib>
#include <utility>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

int Run_Main(std::vector<std::string> args) { return Call_Main(Start_Corbel_Run, std::move(args)); }

const std::string usage = "usage: " CORBEL_EXE " Bauteilkennung Icon-Id File-Id Pos-Id\n";

} // namespace

// The command line as the environment hands it over, run as a separate process.
TEST(StartUp, ArgumentMatrix)
{
    Temp_Dir dir;
    const std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                       "DRAM=" + dir.path()};

    // Program name and three arguments are too few.
    Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", "1"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, usage);
    r = Run_Program(CORBEL_EXE, {}, dir.path(), env);
    EXPECT_EQ(r.out, usage);

    // A number that is not one would name another position's files: refused with the usage.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"B1", "x", "1", "1"}, {"B1", "0", "eins", "1"}, {"B1", "0", "1", ""},
             {"B1", "0", "1x", "1", "-refresh"}, {"B1", "0", "1", "0x10", "-refresh"},
             {"B1", "1abc", "1", "1", "-refresh"}}) {
        r = Run_Program(CORBEL_EXE, args, dir.path(), env);
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(r.out, usage);
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }

    // A number beyond the range of an int would be cut to another one and name another
    // position's files: refused with the usage and a word, before any file is touched.
    for (const auto& args : std::vector<std::vector<std::string>>{{"B1", "0", "4294967297", "1", "-refresh"},
                                                                   {"B1", "99999999999", "1", "1", "-refresh"},
                                                                   {"B1", "-99999999999", "1", "1", "-refresh"}}) {
        r = Run_Program(CORBEL_EXE, args, dir.path(), env);
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(r.out, usage);
        EXPECT_NE(r.err.find("\" liegt au\xC3\x9F" "erhalb des Bereichs von -2147483648 bis 2147483647.\n"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }

    // Refresh run: exit code 1, nothing on standard output.
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    // Only the first word of the fifth argument counts; later arguments are ignored.
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh now", "extra"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    // Any other word starts the interactive run: headless without a script, its first
    // wait for input ends it with the driver's code 90, nothing saved and no screenshot
    // left in the position's folder.
    for (const char* word : {"-refreshed", "-REFRESH"}) {
        r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", word}, dir.path(), env);
        EXPECT_EQ(r.exit_code, 90);
        EXPECT_FALSE(File_Exists(dir.file("B1_01.INP")));
        EXPECT_FALSE(File_Exists(dir.file("final.png")));
    }

    // Without EXEC, or with an empty one (or without a private data path), the run ends at
    // once with 0, even a refresh run, and says why on standard error.
    for (const char* exec : {"EXEC", "EXEC="})
        for (const char* refresh : {"-refresh", ""}) {
            r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", refresh}, dir.path(), {exec, "ZAV_PRIVAT_DATAPATH"});
            EXPECT_EQ(r.exit_code, 0);
            EXPECT_EQ(r.err, "Die Umgebungsvariable EXEC ist nicht gesetzt: ohne das Installationsverzeichnis endet "
                             "das Programm.\n");
        }

    // An over-long identifier and fifth argument must not hurt.
    std::string long_id(300, 'K'), long_arg = "-refresh" + std::string(5000, 'x');
    r = Run_Program(CORBEL_EXE, {long_id, "0", "1", "1", long_arg}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 90);
    r = Run_Program(CORBEL_EXE, {long_id, "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
}

TEST(StartUp, PositionFileNames)
{
    const char* exec = std::getenv("EXEC");
    std::string saved = exec ? exec : "";
    ::unsetenv("EXEC");  // names are built before the environment is checked

    EXPECT_EQ(Run_Main({"B1", "0", "7", "5"}), 0);
    EXPECT_EQ(inp_file_name, "_07.INP");
    EXPECT_EQ(oli_file_name, "_07.OLI");
    EXPECT_EQ(txt_file_name, "_07.TXT");
    EXPECT_EQ(spf_file_name, "B10005.SPF");
    EXPECT_EQ(file_id, 7);

    EXPECT_EQ(Run_Main({"C:\\Proj\\B1", "3", "123", "9999"}), 0);
    EXPECT_EQ(inp_file_name, "_123.INP");
    EXPECT_EQ(spf_file_name, "C:\\Proj\\B19999.SPF");
    EXPECT_EQ(component_id, "C:\\Proj\\B1");

    if (exec) ::setenv("EXEC", saved.c_str(), 1);
}

// A refresh run reads the position input and writes the report; a read error ends it at
// once with exit code 1, before any report, and says on standard error which file could
// not be read and why.
TEST(StartUp, RefreshRunReadsThePositionInput)
{
    Temp_Dir dir;
    const std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                       "DRAM=" + dir.path()};
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    ASSERT_FALSE(example.empty());
    const std::string report = dir.file("B1_01.OLI");

    // The shipped example, as scripts/run hands it over: a report and nothing said.
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), example));
    Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_NE(Read_File_Bytes(report).find("Bemessung einer Lastkonsole"), std::string::npos);

    // A damaged input and one of a newer program end the run at once: the report of the
    // previous run stays, and standard error names the file and the reason.
    ASSERT_TRUE(Write_File_Bytes(report, "alter Bericht"));
    const std::string damaged = example.substr(0, 300), newer = " 5" + example.substr(2);
    for (const std::string& input : {damaged, newer}) {
        ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), input));
        r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Die Eingabedatei B1_01.INP kann nicht gelesen werden: "),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(Read_File_Bytes(report), "alter Bericht");
    }
    EXPECT_NE(r.err.find("neueren Programmversion"), std::string::npos) << r.err;
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.INP")), newer);  // left as it was

    // An input that is there but is no file that can be read is no empty position.
    std::remove(dir.file("B1_01.INP").c_str());
    ASSERT_EQ(::mkdir(dir.file("B1_01.INP").c_str(), 0755), 0);
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("Die Eingabedatei"), std::string::npos) << r.err;
    EXPECT_EQ(Read_File_Bytes(report), "alter Bericht");
    ::rmdir(dir.file("B1_01.INP").c_str());

    // Without an input file the empty position goes on to the report, whose data check
    // fails; the old report is not replaced without a word.
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "Die Eingabedatei B1_01.INP ist nicht vorhanden: der Bericht einer leeren Position wird "
                     "geschrieben.\n");
    EXPECT_NE(Read_File_Bytes(report).find("Fehler in den Eingabedaten"), std::string::npos);
}

// A report that cannot be written whole is said on standard error and never left behind as
// if it were complete; the exit code stays 1.
TEST(StartUp, RefreshRunSaysWhenTheReportCannotBeWritten)
{
    Temp_Dir dir;
    const std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                       "DRAM=" + dir.path()};
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP")));

    // A full disk: the report's name leads to a device that takes nothing.
    ASSERT_EQ(::symlink("/dev/full", dir.file("B1_01.OLI").c_str()), 0);
    Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Die Druckliste"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("konnte nicht vollst\xC3\xA4ndig geschrieben werden: "), std::string::npos) << r.err;
    std::remove(dir.file("B1_01.OLI").c_str());

    // A folder that does not exist: nothing is written, and no temporary file is left.
    r = Run_Program(CORBEL_EXE, {"fehlt/B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("kann nicht angelegt werden: Datei oder Ordner nicht vorhanden."), std::string::npos)
        << r.err;

    // An earlier report survives a failed write of the new one, and no temporary file stays.
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.OLI"), "alter Bericht"));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(r.exit_code, 1);
    if (::geteuid() != 0) {  // the superuser may write into any folder
        EXPECT_NE(r.err.find("Die Druckliste"), std::string::npos) << r.err;
        EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.OLI")), "alter Bericht");
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}
