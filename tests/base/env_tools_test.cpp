#include "base/archive.h"
#include "base/env_tools.h"
#include "base/keyword_lines.h"
#include "core/startup.h"
#include "platform/messages.h"
#include "platform/tools.h"

#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void Write_Script(const std::string& path, const std::string& body)
{
    Write_File_Bytes(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
}

std::string Rest_Of_Line(FILE* f)
{
    std::string s;
    for (int c = std::fgetc(f); c != EOF && c != '\n'; c = std::fgetc(f)) s += static_cast<char>(c);
    return s;
}

// An installation directory "EXEC", a temporary directory "TEMP" and a work directory.
struct EnvTools : ::testing::Test {
    Temp_Dir exec, temp, work;
    std::string old_exec = std::getenv("EXEC") ? std::getenv("EXEC") : "";
    std::string old_temp = std::getenv("TEMP") ? std::getenv("TEMP") : "";
    void SetUp() override
    {
        ::setenv("EXEC", exec.path().c_str(), 1);
        ::setenv("TEMP", temp.path().c_str(), 1);
        refresh_mode = 0;
        Clear_Shown_Messages();
    }
    void TearDown() override
    {
        for (auto [name, old] : {std::pair{"EXEC", &old_exec}, std::pair{"TEMP", &old_temp}})
            old->empty() ? ::unsetenv(name) : ::setenv(name, old->c_str(), 1);
        refresh_mode = 0;
    }
    // A component selection that records its arguments and answers with the file
    // "answer" of the work directory when there is one.
    void Install_Fake_Selection()
    {
        Write_Script(exec.file("Zorbitel.exe"),
                     "printf '%s\\n' \"$@\" > '" + work.file("args") + "'\n[ -f '" + work.file("answer") +
                         "' ] && cp '" + work.file("answer") + "' \"$TEMP/Zorbitel.tmp\"\nsleep 0.2\n");
    }
};

} // namespace

TEST(KeywordLine, FindsLinesWithCrLfAndStandsBehindThem)
{
    Temp_Dir dir;
    Write_File_Bytes(dir.file("k.txt"), "V:1\r\nXMULTICUT 9\r\nMULTICUT 3\r\nRESULTS\r\n" +
                                            std::string(510, 'x') + "END 7\r\n");
    FILE* f = std::fopen(dir.file("k.txt").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    int value = -1;
    EXPECT_EQ(Find_Keyword_Line("MULTICUT", f, &value), 1);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(Rest_Of_Line(f), "RESULTS\r");
    // Each search starts from the beginning; a line without a number keeps the value.
    EXPECT_EQ(Find_Keyword_Line("V:", f, nullptr), 1);
    EXPECT_EQ(Find_Keyword_Line("RESULTS", f, &value), 1);
    EXPECT_EQ(value, 3);
    // The rest of a long line is no line of its own.
    EXPECT_EQ(Find_Keyword_Line("END", f, &value), 0);
    EXPECT_NE(std::feof(f), 0);
    EXPECT_EQ(Find_Keyword_Line(nullptr, f, &value), 0);
    std::fclose(f);
}

TEST_F(EnvTools, ArchiveExtractorArgumentVectorLogAndResultCodes)
{
    // The fake extractor lists its arguments on standard output (the log) and creates
    // the member in the directory of its -o option.
    Write_Script(exec.file("7za"), "printf '[%s]\\n' \"$@\"\necho data > \"${4#-o}/$3\"\nexit ${FAKE_7ZA_EXIT:-0}\n");
    std::filesystem::create_directories(work.file("Ziel Ordner"));
    std::string archive = work.file("Bau \"teil\" $(x);.7z");
    Write_File_Bytes(archive, "7z");
    std::string target = work.path() + "\\ziel ordner";  // Windows form, other case
    EXPECT_EQ(Extract_Archive_Member(archive.c_str(), "AAAA.EX2", target.c_str()), 0);
    EXPECT_EQ(Read_File_Bytes(temp.file("7zprot.txt")),
              "[e]\n[" + archive + "]\n[AAAA.EX2]\n[-o" + work.file("Ziel Ordner") + "]\n[-y]\n");
    EXPECT_EQ(Read_File_Bytes(work.file("Ziel Ordner/AAAA.EX2")), "data\n");

    ::setenv("FAKE_7ZA_EXIT", "2", 1);
    EXPECT_EQ(Extract_Archive_Member(archive.c_str(), "AAAA.EX2", target.c_str()), 5);
    ::unsetenv("FAKE_7ZA_EXIT");
    EXPECT_EQ(Extract_Archive_Member(work.file("none.7z").c_str(), "M", target.c_str()), 1);
    EXPECT_EQ(Extract_Archive_Member(archive.c_str(), "M", work.file("none").c_str()), 2);
    ::unsetenv("TEMP");
    EXPECT_EQ(Extract_Archive_Member(archive.c_str(), "M", target.c_str()), 4);
    ::unsetenv("EXEC");
    EXPECT_EQ(Extract_Archive_Member(archive.c_str(), "M", target.c_str()), 3);
    SetUp();
    // An extractor that cannot be started has failed, not succeeded.
    std::filesystem::remove(exec.file("7za"));
    EXPECT_EQ(Extract_Archive_Member(archive.c_str(), "AAAA.EX2", target.c_str()), 5);
}

TEST_F(EnvTools, SelectionReadsAnswerFileAndDeletesIt)
{
    Install_Fake_Selection();
    Write_File_Bytes(work.file("answer"),
                     "12 34\r\n" + In_Guillemets(std::string(60, 'N')) + "\r\n" + In_Guillemets("zwei") +
                         In_Guillemets("Bemessung") + "\t" + In_Guillemets("C:\\Proj\\B1") + " " +
                         In_Guillemets("f\xFCnf") + In_Guillemets("sechs") + "\r\n1\r\n" +
                         In_Guillemets("C:\\Proj\\arch.7z") + "\r\n");
    Component_Selection* c = Select_Component(3);
    ASSERT_EQ(c, &component_selection);
    EXPECT_EQ(Read_File_Bytes(work.file("args")), "3\n");  // the kind
    EXPECT_EQ(c->first + c->second, 46);
    EXPECT_EQ(std::string(c->name), std::string(39, 'N'));  // cut to the field
    EXPECT_STREQ(c->last_action, "Bemessung");
    EXPECT_STREQ(c->file_base, "C:\\Proj\\B1");
    EXPECT_STREQ(c->text6, "sechs");
    EXPECT_EQ(c->archive_flag, 1);
    EXPECT_STREQ(c->archive_path, "C:\\Proj\\arch.7z");
    EXPECT_FALSE(File_Exists(temp.file("Zorbitel.tmp")));

    // Flag 0 leaves the archive path empty although a text follows; a missing text
    // ('x' stands in its place) keeps the previous value; a long path is read to its
    // field's width (259 characters), not cut shorter.
    const std::string long_base = "D:\\" + std::string(255, 'B');
    Write_File_Bytes(work.file("answer"), "5 6 " + In_Guillemets("Neu") + " x" + In_Guillemets("Bem2") +
                                              In_Guillemets(long_base) + In_Guillemets("") + In_Guillemets("s") +
                                              " 0 " + In_Guillemets("D:\\other.7z"));
    c = Select_Component(3);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->file_base, long_base);
    EXPECT_STREQ(c->name, "Neu");
    EXPECT_STREQ(c->text2, "zwei");
    EXPECT_STREQ(c->text5, "");
    EXPECT_EQ(c->archive_flag, 0);
    EXPECT_STREQ(c->archive_path, "");
}

TEST_F(EnvTools, ToolFailuresRefreshRunAndToolAlreadyRunning)
{
    Install_Fake_Selection();
    EXPECT_EQ(Select_Component(3), nullptr);  // cancelled: no answer file
    std::filesystem::remove(work.file("args"));
    refresh_mode = 1;  // a refresh run starts nothing and never waits
    EXPECT_EQ(Select_Component(3), nullptr);
    EXPECT_EQ(Run_Plan_Tool("x.SPF", nullptr), 0);
    EXPECT_FALSE(File_Exists(work.file("args")));
    refresh_mode = 0;
    // A plan tool that is not installed fails at once, not after waiting.
    EXPECT_EQ(Run_Plan_Tool("x.SPF", nullptr), 0);

    Write_Script(exec.file("Kestrova.exe"), "printf '%s\\n' \"$@\" >> '" + work.file("plan") + "'\nsleep 0.2\n");
    EXPECT_EQ(Run_Plan_Tool("C:\\Pos\\B1 Plan.SPF", "zweite.SPF"), 1);
    Edit_Plan_File("einzig.SPF");
    EXPECT_EQ(Read_File_Bytes(work.file("plan")), "C:\\Pos\\B1 Plan.SPF\nzweite.SPF\neinzig.SPF\n");
    EXPECT_TRUE(Shown_Messages().empty());

    // While a plan tool runs, a second one is refused with the three-line message; the
    // component selection is another tool and still runs.
    ASSERT_GT(ZAVSpawnv(1, exec.file("Kestrova.exe").c_str(), nullptr), 0);
    EXPECT_EQ(Run_Plan_Tool("x.SPF", nullptr), 0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Das ZAV-Werkzeug zur Planbearbeitung\n"
                                        "ist bereits aktiv. Bitte schlie\xDF" "en Sie\n"
                                        "das Fenster und versuchen es erneut.");
    EXPECT_EQ(Select_Component(3), nullptr);
    EXPECT_TRUE(File_Exists(work.file("args")));
    while (FindZAVWindow("ZAV - Planbearbeitung", 21)) ZAVSleep(20);
    ::unsetenv("EXEC");
    EXPECT_EQ(Run_Plan_Tool("x.SPF", nullptr), 0);
}
