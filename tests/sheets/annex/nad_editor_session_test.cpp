// The annex editor corbel-annex, headless under a script (1280 x 1024: the name field at
// (200, 40), "Ende" at (1215, 40)).
#include "file_size_limit.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

namespace {

// The editor's environment, the user's annexes and the script in dir.
std::vector<std::string> Editor_Env(const Temp_Dir& dir)
{
    return {"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" CORBEL_SOURCE_DIR "/data", "DRAM=" + dir.path(),
            "ZAV_SCRIPT=s.txt", "ZAV_SCREEN_SIZE=1280x1024", "ZAV_SCREEN"};
}

}  // namespace

// A user annex that cannot be written (a file stands where the folder of the user's
// annexes belongs) is said with the file and the reason, and the editing goes on.
TEST(AnnexEditorSession, AFailedSaveNamesTheFileAndTheReason)
{
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("NADS"), ""));
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 200 40\nkey Ctrl+A\ntext \"Neu\"\nkey Enter\n"
                                                    "click 1215 40\nanswer yes\nclose\nanswer yes\n"));
    const Run_Result r = Run_Program(CORBEL_ANNEX_EXE, {"Deutschland"}, dir.path(),
                                     Editor_Env(dir));
    EXPECT_NE(r.err.find("Das Anwendungsdokument kann nicht gespeichert werden:\n" + dir.file("NADS/1.NAD") +
                         "\nGrund: ein Teil des Pfades ist kein Ordner\n"
                         "Die Bearbeitung geht weiter; es ist nichts verloren."),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Bearbeitung abbrechen?"), std::string::npos) << r.err;
}

// A user annex whose file is damaged cannot be edited: the box names the file and what
// is wrong with it.
TEST(AnnexEditorSession, ADamagedAnnexNamesTheFileAndTheReason)
{
    Temp_Dir dir;
    const std::vector<std::string> env = Editor_Env(dir);
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 200 40\nkey Ctrl+A\ntext \"Neu\"\nkey Enter\n"
                                                    "click 1215 40\nanswer yes\n"));
    Run_Program(CORBEL_ANNEX_EXE, {"Deutschland"}, dir.path(), env);
    const std::string file = dir.file("NADS/1.NAD");
    std::string text = Read_File_Bytes(file);
    const size_t ec2 = text.find("\n\n#EC2\n"), ec3 = text.find("\n\n#EC3\n");
    ASSERT_NE(ec3, std::string::npos);
    ASSERT_TRUE(Write_File_Bytes(file, text.substr(0, ec2) + "\n\n#EC2\n 1 2\n" + text.substr(ec3)));
    const Run_Result r = Run_Program(CORBEL_ANNEX_EXE, {"Neu"}, dir.path(), env);
    EXPECT_NE(r.err.find("Das Anwendungsdokument \"Neu\" kann nicht bearbeitet werden:\ndie Datei\n" + file +
                         "\nist besch\xC3\xA4" "digt: der Teil EC2 ist nicht lesbar."),
              std::string::npos)
        << r.err;
}

// "Nein" to "Sollen die Änderungen gespeichert werden?" drops the edits, so Esc closes the
// question and the editing goes on; "Ende" again and Enter ("Ja") then save the new name.
TEST(AnnexEditorSession, EscOnTheSaveQuestionGoesBackToTheEdits)
{
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 200 40\nkey Ctrl+A\ntext \"Neu\"\nkey Enter\n"
                                                    "click 1215 40\nkey Esc\nclick 1215 40\nkey Enter\n"));
    const Run_Result r = Run_Program(CORBEL_ANNEX_EXE, {"Deutschland"}, dir.path(),
                                     Editor_Env(dir));
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("Sollen die \xC3\x84nderungen gespeichert werden? [zur\xC3\xBC" "ck]\n"
                         "Anwendungsdokument: Sollen die \xC3\x84nderungen gespeichert werden? [ja]"),
              std::string::npos)
        << r.err;
    EXPECT_NE(Read_File_Bytes(dir.file("NADS/1.NAD")).find("Neu"), std::string::npos);
}

// A signal in the middle of the save (strace sends it at the first sync) leaves no temporary
// file beside the annex; one that an editor killed otherwise left goes with the next save.
TEST(AnnexEditorSession, ASignalDuringTheSaveLeavesNoTemporaryFile)
{
    const std::string strace = "/usr/bin/strace";
    if (!File_Exists(strace)) GTEST_SKIP() << "no strace";
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 200 40\nkey Ctrl+A\ntext \"Neu\"\nkey Enter\n"
                                                    "click 1215 40\nkey Enter\n"));
    std::vector<std::string> env = Editor_Env(dir);
    env.push_back("ASAN_OPTIONS=detect_leaks=0");  // the leak check cannot run under a tracer
    const Run_Result r = Run_Program(strace, {"-f", "-qq", "-o", "/dev/null", "-e", "inject=fsync:signal=SIGHUP:when=1",
                                              CORBEL_ANNEX_EXE, "Deutschland"},
                                     dir.path(), env, [] { std::signal(SIGHUP, SIG_DFL); });
    if (r.exit_code == 1 && r.err.find("strace") != std::string::npos) GTEST_SKIP() << "no tracing allowed here";
    EXPECT_EQ(Folder_Names(dir.file("NADS")), std::set<std::string>{});
    ASSERT_TRUE(Write_File_Bytes(dir.file("NADS/1.NAD.tmpK1ll3d"), "halb gespeichert"));
    EXPECT_EQ(Run_Program(CORBEL_ANNEX_EXE, {"Deutschland"}, dir.path(), Editor_Env(dir)).exit_code, 1);
    EXPECT_EQ(Folder_Names(dir.file("NADS")), std::set<std::string>{"1.NAD"});
}

// A name with an umlaut finds its annex whether typed in a UTF-8 shell or handed over in
// code page 850 as the selection sheet does; "Ende" without a change then ends with 0.
TEST(AnnexEditorSession, AUtf8NameOnTheCommandLineFindsTheAnnex)
{
    Temp_Dir dir;
    const std::vector<std::string> env = Editor_Env(dir);
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 200 40\nkey Ctrl+A\ntext \"Deutschland B\xC3\xBCro\"\n"
                                                    "key Enter\nclick 1215 40\nanswer yes\n"));
    ASSERT_EQ(Run_Program(CORBEL_ANNEX_EXE, {"Deutschland"}, dir.path(), env).exit_code, 1);
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 1215 40\n"));
    for (const char* name : {"Deutschland B\xC3\xBCro", "Deutschland B\x81ro"}) {
        const Run_Result r = Run_Program(CORBEL_ANNEX_EXE, {name}, dir.path(), env);
        EXPECT_EQ(r.exit_code, 0) << name << r.err;
    }
}
