// Input that would name another position's files, hang a reader or make it grow, each run
// as the programs run: refused and said, within a time limit.
#include "../annex/annex_env.h"
#include "annex/nad_choice.h"
#include "file_size_limit.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// "{dir}" in a text stands for the row's folder.
std::string In(const std::string& dir, std::string text)
{
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;) text.replace(at, 5, dir);
    return text;
}

// The installation as links into data/, with the button picture replaced by what make
// puts at the path.
std::function<void(const Temp_Dir&)> Buttons_As(const std::function<void(const std::string&)>& make)
{
    return [make](const Temp_Dir& dir) {
        std::filesystem::create_directory(dir.file("exec"));
        for (const auto& entry : std::filesystem::directory_iterator(CORBEL_SOURCE_DIR "/data"))
            if (entry.path().filename() != "Buttons.bmp")
                std::filesystem::create_symlink(entry.path(), dir.file("exec/") + entry.path().filename().string());
        make(dir.file("exec/Buttons.bmp"));
    };
}

// A position whose annex is not among the user's, with a bad entry as NADS/1.NAD.
std::function<void(const Temp_Dir&)> Annex_Entry_As(const std::function<void(const std::string&)>& make)
{
    return [make](const Temp_Dir& dir) {
        std::string input = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
        const std::string stored = "\xAE" "Deutschland\xAF";
        input.replace(input.find(stored), stored.size(), "\xAE" "Verloren\xAF");
        Write_File_Bytes(dir.file("B1_01.INP"), input);
        std::filesystem::create_directory(dir.file("NADS"));
        make(dir.file("NADS/1.NAD"));
    };
}

void Fifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }
std::function<void(const std::string&)> Link_To(const std::string& target)
{
    return [target](const std::string& path) { std::filesystem::create_symlink(target, path); };
}
void Folder(const std::string& path) { std::filesystem::create_directory(path); }
void Example_Input(const Temp_Dir& dir)
{
    Write_File_Bytes(dir.file("B1_01.INP"), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP"));
}

struct Bad_Input {
    const char* what;
    std::function<void(const Temp_Dir&)> make;
    std::vector<std::string> command;  // program and arguments
    std::vector<std::string> env;      // beside the position's environment
    int exit_code;
    std::string said;                  // a part of standard error
    bool untouched = false;            // nothing in the folder made, changed or removed
};

const std::string pos_range = "liegt au\xC3\x9F" "erhalb des Bereichs von 0 bis 9999.\n";
const std::string annex_left_out = "; sie wird in der Liste der nationalen Anh\xC3\xA4nge nicht aufgef\xC3\xBChrt und "
                                   "bleibt unver\xC3\xA4ndert.\n";

} // namespace

TEST(BadInput, IsRefusedAndSaidWithoutHangingOrGrowing)
{
    const std::vector<Bad_Input> rows{
        // A Pos-Id of more than four digits, or a negative one, would name the drawing of
        // another position (B1 with 10001 and B11 with 1 both B110001.SPF).
        {"Pos-Id 10000, refresh", Example_Input, {CORBEL_EXE, "B1", "0", "1", "10000", "-refresh"}, {}, 0,
         "Die Pos-Id \"10000\" " + pos_range, true},
        {"Pos-Id -1, refresh", Example_Input, {CORBEL_EXE, "B1", "0", "1", "-1", "-refresh"}, {}, 0,
         "Die Pos-Id \"-1\" " + pos_range, true},
        {"Pos-Id 10000, editor", Example_Input, {CORBEL_EXE, "B1", "0", "1", "10000"}, {}, 0,
         "Die Pos-Id \"10000\" " + pos_range, true},
        {"Pos-Id -1, editor", Example_Input, {CORBEL_EXE, "B1", "0", "1", "-1"}, {}, 0, "Die Pos-Id \"-1\" " + pos_range,
         true},
        // The button picture as a pipe would hang the start, as a link to an endless
        // device fill the memory: it is missing, as said at the start.
        {"Buttons.bmp a pipe", Buttons_As(Fifo), {CORBEL_EXE, "B1", "0", "1", "1"}, {"EXEC={dir}/exec"}, 90,
         "Im Installationsordner\n{dir}/exec\nfehlt die Bilddatei Buttons.bmp."},
        {"Buttons.bmp -> /dev/zero", Buttons_As(Link_To("/dev/zero")), {CORBEL_EXE, "B1", "0", "1", "1"},
         {"EXEC={dir}/exec"}, 90, "Im Installationsordner\n{dir}/exec\nfehlt die Bilddatei Buttons.bmp."},
        // A count of dash pairs near the end of an int.
        {"line type of 2^30 pairs",
         [](const Temp_Dir& dir) {
             std::filesystem::copy_file(CORBEL_SOURCE_DIR "/fuzz/regressions/fuzz_report_view/"
                                        "drawing-linetype-pairs-overflow.SPF",
                                        dir.file("B10001.SPF"));
         },
         {CORBEL_VIEW_EXE, "B10001.SPF", "-o", "z.pdf"}, {}, 0, ""},
        // An entry of the user's annexes that is no file is said as a damaged one is.
        {"NADS/1.NAD a pipe", Annex_Entry_As(Fifo), {CORBEL_EXE, "B1", "0", "1", "1", "-refresh"}, {}, 1,
         "Die Datei {dir}/NADS/1.NAD kann nicht gelesen werden: der Name bezeichnet keine gew\xC3\xB6hnliche Datei" +
             annex_left_out},
        {"NADS/1.NAD a folder", Annex_Entry_As(Folder), {CORBEL_EXE, "B1", "0", "1", "1", "-refresh"}, {}, 1,
         "Die Datei {dir}/NADS/1.NAD kann nicht gelesen werden: der Name bezeichnet einen Ordner" + annex_left_out},
        {"NADS/1.NAD a link in a circle", Annex_Entry_As(Link_To("1.NAD")),
         {CORBEL_EXE, "B1", "0", "1", "1", "-refresh"}, {}, 1,
         "Die Datei {dir}/NADS/1.NAD kann nicht gelesen werden: zu viele Verweise in Folge (ein Verweis zeigt im "
         "Kreis)" + annex_left_out},
        {"NADS/1.NAD a link to nothing", Annex_Entry_As(Link_To("weg.NAD")),
         {CORBEL_EXE, "B1", "0", "1", "1", "-refresh"}, {}, 1,
         "Die Datei {dir}/NADS/1.NAD kann nicht gelesen werden: Datei oder Ordner nicht vorhanden" + annex_left_out},
    };
    for (const Bad_Input& row : rows) {
        SCOPED_TRACE(row.what);
        Temp_Dir dir;
        row.make(dir);
        std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" CORBEL_SOURCE_DIR "/data",
                                     "DRAM=" + dir.path(), "TEMP=" + dir.path(), "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                     "ZAV_SCREEN", "ZAV_SCRIPT"};
        for (const std::string& change : row.env) env.push_back(In(dir.path(), change));
        // A hang is cut off (exit code 137), and with it a reader that grows without end.
        std::vector<std::string> args{"-s", "KILL", "20"};
        args.insert(args.end(), row.command.begin(), row.command.end());
        const std::set<std::string> before = Folder_Names(dir.path());
        const Run_Result r = Run_Program("/usr/bin/timeout", args, dir.path(), env);
        EXPECT_EQ(r.exit_code, row.exit_code) << r.err;
        EXPECT_NE(r.err.find(In(dir.path(), row.said)), std::string::npos) << r.err;
        if (row.untouched) {
            EXPECT_EQ(Folder_Names(dir.path()), before);
            EXPECT_EQ(r.out, "usage: " CORBEL_EXE " Bauteilkennung Icon-Id File-Id Pos-Id\n");
        }
        // A name that stands in the annex folder, if only as a link, is never given to a
        // new annex: a save would replace it.
        if (std::filesystem::exists(std::filesystem::symlink_status(dir.file("NADS/1.NAD")))) {
            const Env_Override dram("DRAM", dir.path().c_str());
            EXPECT_EQ(NAD_New_User_File_Number(), 2);
        }
    }
}
