// The program itself, headless under a script, on copies of the example positions: an
// edit on each register page saved and read back, the annex of a position that is no
// longer there, and an annex changed in the annex editor and designed with. The screen is 1280 x 1024: the register's tabs at (37, 30), (109, 30),
// (180, 30); the bar's buttons at y 27 with "Online" at x 970, the annex at 1024 and
// "Ende" at 1249.
#include "annex/nad_file.h"
#include "annex/nad_set.h"
#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "core/position_file.h"
#include "file_size_limit.h"
#include "shot_pixels.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

#define BAR_CLICK(x) "click " #x " 27\n"
const char* const END_AND_SAVE = BAR_CLICK(1249) "key Enter\n";

void Free_Model(Corbel_Model* m)
{
    for (Load_Combination*& t : m->load_table) {
        if (t) MEM_FREE(t);
        t = nullptr;
    }
    for (int& n : m->load_count) n = 0;
    if (m->results) MEM_FREE(m->results);
    m->results = nullptr;
    if (m->print_options.remarks) MEM_FREE(m->print_options.remarks);
    m->print_options.remarks = nullptr;
}

bool Read_Model(const std::string& path, Corbel_Model* m)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    const int r = Read_Corbel_Model(f, m);
    std::fclose(f);
    return r == 0;
}

std::string Model_Text(Corbel_Model* m)
{
    File_Stream f;
    Write_Corbel_Model(f.get(), m);
    return f.bytes();
}

// The part of a position file behind the body: the block naming the annex.
std::string Annex_Block(const std::string& file)
{
    const size_t at = file.find("\n\nACTIV_NADNAME\n");
    return at == std::string::npos ? std::string() : file.substr(at);
}

class ProgramSession : public testing::Test {
protected:
    Temp_Dir dir;
    Shot_Dir shots;

    std::string data = CORBEL_SOURCE_DIR "/data";  // the built-in annexes
    std::vector<std::string> more_env;

    // The input of example position B1_0<n> as the position's input.
    void Use_Example(int n)
    {
        const std::string name = "B1_0" + std::to_string(n) + ".INP";
        ASSERT_TRUE(Write_File_Bytes(dir.file(name), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/" + name)));
    }

    // tracer: a program (and its words) to run the program under.
    Started_Program Start(const std::string& script, const std::string& file_id, bool refresh = false,
                          const std::function<void()>& in_child = {}, std::vector<std::string> tracer = {})
    {
        EXPECT_TRUE(Write_File_Bytes(dir.file("s.txt"), script));
        std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" + data, "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                     "DRAM=" + dir.path(), "TEMP=" + dir.path(), "ZAV_SCRIPT=s.txt",
                                     "ZAV_SCREEN_SIZE=1280x1024", "ZAV_SCREEN"};
        env.insert(env.end(), more_env.begin(), more_env.end());
        std::vector<std::string> args{"B1", "0", file_id, "1"};
        if (refresh) args.push_back("-refresh");
        if (tracer.empty()) return Start_Program(CORBEL_EXE, args, dir.path(), env, in_child);
        env.push_back("ASAN_OPTIONS=detect_leaks=0");  // the leak check cannot run under a tracer
        const std::string program = tracer.front();
        tracer.erase(tracer.begin());
        tracer.push_back(CORBEL_EXE);
        tracer.insert(tracer.end(), args.begin(), args.end());
        return Start_Program(program, tracer, dir.path(), env, in_child);
    }
    Run_Result Run(const std::string& script, const std::string& file_id, bool refresh = false,
                   const std::function<void()>& in_child = {})
    {
        Started_Program started = Start(script, file_id, refresh, in_child);
        return Wait_Program(started);
    }
};

} // namespace

// One edit on each page of the support corbel B1/2, with the online calculation switched
// on first: page 1 h_k and the concrete class C30/37 from its pop-up; page 2 the second
// row's A, a new row and the unit N; page 3 "Bewehrung wählen", the first layer's bars and
// the vertical splitting-tension stirrups. "Ende" with saving ends with 1; the saved
// position is the original with exactly these edits (and what the program derives from
// them: the new class's concrete values, the anchorage values the calculation fills in),
// remarks and annex as they were; a refresh run on it writes the report.
TEST_F(ProgramSession, AnEditOnEachPageIsSavedAndNothingElse)
{
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_02.INP");
    Corbel_Model original{};
    {
        File_Stream in(example);
        ASSERT_EQ(Read_Corbel_Model(in.get(), &original), 0);
    }
    original.online_calculation = 0;
    original.print_options.remarks = MEM_STRDUP("Vorbemerkung zur Konsole\nzweite Zeile");
    ASSERT_EQ(original.rebar_chosen, 0);
    const std::string annex = Annex_Block(example);
    ASSERT_FALSE(annex.empty());
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_02.INP"), Model_Text(&original) + annex));
    Free_Model(&original);
    ASSERT_TRUE(Read_Model(dir.file("B1_02.INP"), &original));

    const std::string script = std::string(BAR_CLICK(970)) +
                               // page 1: h_k, the concrete class
                               "click 880 200\ntext \"45\"\nkey Enter\nclick 300 800\nwait 100\n"
                               "click 355 164\nwait 100\nclick 280 299\n"
                               // page 2: the second row's A, a new row, the unit
                               "click 109 30\nwait 200\n"
                               "click 186 502\ntext \"180\"\nkey Enter\nclick 600 900\nwait 200\n"
                               "click 42 521\nwait 200\n"
                               "click 100 524\ntext \"20\"\nkey Enter\ntext \"200\"\nkey Enter\n"
                               "text \"Neue Last\"\nkey Enter\nclick 600 900\nwait 200\n"
                               "click 855 356\nwait 100\nclick 836 400\nwait 200\n"
                               "shot loads.png\n"
                               // page 3: the choice, the first layer, the vertical stirrups
                               "click 180 30\nwait 200\nclick 25 76\nwait 200\n"
                               "click 132 285\ntext \"3\"\nkey Enter\nclick 600 900\nwait 200\n"
                               "click 108 445\ntext \"4\"\nkey Enter\nclick 600 900\nwait 200\n" +
                               END_AND_SAVE;
    Run_Result r = Run(script, "2");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    // Online: the utilisation column shows the new row's value in brown digits.
    bool brown = false;
    for (int x = 575; x < 640 && !brown; ++x) {
        const uint32_t p = shots.Pixel("loads.png", x, 524);
        const int red = static_cast<int>(p >> 16), blue = static_cast<int>(p & 0xFF);
        brown = red - blue > 60;
    }
    EXPECT_TRUE(brown);

    const std::string saved = Read_File_Bytes(dir.file("B1_02.INP"));
    EXPECT_EQ(Annex_Block(saved), annex);
    Corbel_Model read_back{};
    ASSERT_TRUE(Read_Model(dir.file("B1_02.INP"), &read_back));

    Corbel_Model& expected = original;
    expected.online_calculation = 1;
    expected.hk = 45.0;
    expected.concrete_class = 9;  // C30/37
    ASSERT_EQ(expected.load_count[0], 2);
    std::vector<Load_Combination> rows(expected.load_table[0], expected.load_table[0] + 2);
    Alloc_Load_Table(&expected, 3, 0);
    for (int i = 0; i < 2; ++i) Copy_Load_Combination(&rows[static_cast<size_t>(i)], &expected.load_table[0][i]);
    expected.load_table[0][1].A = 180000.0;
    expected.load_table[0][2].H = 20000.0;
    expected.load_table[0][2].A = 200000.0;
    std::snprintf(expected.load_table[0][2].name, sizeof expected.load_table[0][2].name, "Neue Last");
    expected.unit_switch = LOAD_UNIT_N_NM;
    expected.rebar_chosen = 1;
    expected.rebar.layer_bars[0] = 3;
    expected.rebar.group[0].count = 4;
    // Derived from the edits.
    EXPECT_EQ(read_back.fck, 30.0);
    const double* from = &read_back.fck;
    std::copy(from, from + 12, &expected.fck);
    std::copy(read_back.rebar.anchorage, read_back.rebar.anchorage + 9, expected.rebar.anchorage);

    EXPECT_EQ(Model_Text(&read_back), Model_Text(&expected));
    ASSERT_NE(read_back.print_options.remarks, nullptr);
    EXPECT_STREQ(read_back.print_options.remarks, "Vorbemerkung zur Konsole\nzweite Zeile");
    Free_Model(&read_back);
    Free_Model(&expected);

    r = Run("", "2", true);
    EXPECT_EQ(r.exit_code, 1) << r.err;
    const std::string report = Read_File_Bytes(dir.file("B1_02.OLI"));
    EXPECT_NE(report.find("Neue Last"), std::string::npos);
}

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

// Saving replaces the input only together with its report and drawing. A report that
// cannot be written (a file-size limit between the input's size and the report's, as on
// a nearly full disk) is said and nothing is replaced; the editing goes on. The save
// holds the position's lock until all three are in place.
TEST_F(ProgramSession, TheInputIsSavedOnlyWithItsReportAndUnderThePositionsLock)
{
    const std::string input = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_02.INP");
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_02.INP"), input));
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_02.OLI"), "alter Bericht"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("B10001.SPF"), "alte Zeichnung"));
    const std::string edit_and_save = std::string("click 880 200\ntext \"45\"\nkey Enter\nclick 300 800\nwait 100\n") +
                                      END_AND_SAVE;

    const rlim_t limit = input.size() + 4096;
    Run_Result r = Run(edit_and_save, "2", false, [limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
    });
    EXPECT_EQ(r.exit_code, 90) << r.err;
    EXPECT_TRUE(Has(r.err, "Die Druckliste kann nicht geschrieben werden!")) << r.err;
    EXPECT_TRUE(Has(r.err, "Die Eingabedaten sind nicht gespeichert; die Eingabedatei bleibt, wie sie war.")) << r.err;
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_02.INP")), input);
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_02.OLI")), "alter Bericht");
    EXPECT_EQ(Read_File_Bytes(dir.file("B10001.SPF")), "alte Zeichnung");
    for (const std::string& name : Folder_Names(dir.path())) EXPECT_FALSE(Has(name, ".tmp")) << name;

    // The renames slowed down (strace), and the position's lock taken again and again
    // meanwhile: whenever it can be had, input, report and drawing are all old or all new.
    const std::string strace = "/usr/bin/strace";
    if (!File_Exists(strace)) GTEST_SKIP() << "no strace";
    const std::string renames = "rename,renameat,renameat2";
    Started_Program editor = Start(edit_and_save, "2", false, {},
                                   {strace, "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + renames, "-e",
                                    "inject=" + renames + ":delay_enter=300000"});
    int observed = 0, out_of_step = 0;
    for (siginfo_t ended{}; ::waitid(P_PID, static_cast<id_t>(editor.pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                            ended.si_pid == 0;) {
        const int fd = ::open(dir.file("B1_02.INP").c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            const bool old_input = Read_File_Bytes(dir.file("B1_02.INP")) == input;
            const bool old_report = Read_File_Bytes(dir.file("B1_02.OLI")) == "alter Bericht";
            const bool old_drawing = Read_File_Bytes(dir.file("B10001.SPF")) == "alte Zeichnung";
            ++observed;
            if (old_input != old_report || old_input != old_drawing) ++out_of_step;
        }
        if (fd >= 0) ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    r = Wait_Program(editor);
    if (r.exit_code == 1 && r.err.find("strace") != std::string::npos) GTEST_SKIP() << "no tracing allowed here";
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_GT(observed, 0);
    EXPECT_EQ(out_of_step, 0);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_02.INP")), input);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_02.OLI")), "alter Bericht");
}

// The input replaced by a rename from outside while the editor saves, before its files are
// synced or after its first look and before its renames: the save is refused, as a refresh
// run's is, and the file put there from outside stays.
TEST_F(ProgramSession, ASaveWhoseInputWasReplacedMeanwhileIsRefused)
{
    const std::string outside = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_03.INP");
    for (const char* stop : {"CORBEL_TEST_STOP_BEFORE_PAIR=1", "CORBEL_TEST_STOP_BEFORE_RENAMES=1"}) {
        SCOPED_TRACE(stop);
        Use_Example(1);
        Use_Example(3);
        more_env = {stop};
        Started_Program editor =
            Start(std::string("click 880 200\ntext \"45\"\nkey Enter\nclick 300 800\nwait 100\n") + END_AND_SAVE, "1");
        siginfo_t state{};
        ::waitid(P_PID, static_cast<id_t>(editor.pid), &state, WSTOPPED | WEXITED | WNOWAIT);
        EXPECT_EQ(state.si_code, CLD_STOPPED);
        ASSERT_EQ(std::rename(dir.file("B1_03.INP").c_str(), dir.file("B1_01.INP").c_str()), 0);
        ::kill(editor.pid, SIGCONT);
        const Run_Result r = Wait_Program(editor);
        EXPECT_TRUE(Has(r.err, "durch eine andere Datei ersetzt.\nEs ist nichts gespeichert")) << r.err;
        EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.INP")), outside);
        for (const std::string& name : Folder_Names(dir.path())) EXPECT_FALSE(Has(name, ".tmp")) << name;
    }
}

// Export from one position, import into another: page 1's "Daten exportieren" on the
// beam-end load corbel B1/3 (ended without saving), "Daten importieren" on the support
// corbel B1/2, which has no bearing plate. The imported corbel keeps its support
// dimensions (nobody changed its system on the sheet) and its plate (the page's check
// boxes follow the new model), and the saved position is the exported one.
TEST_F(ProgramSession, ExportFromOnePositionImportIntoAnother)
{
    Use_Example(3);
    std::string target = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_02.INP");
    const std::string plate = " 5.000000 10.000000 20.000000\n";
    ASSERT_NE(target.find(plate), std::string::npos);
    target.replace(target.find(plate), plate.size(), " 5.000000 0.000000 20.000000\n");
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_02.INP"), target));

    // The buttons at (100, 373) and (275, 373); "beenden ohne zu speichern" at (570, 527).
    Run_Result r = Run(std::string("click 100 373\nwait 100\n") + BAR_CLICK(1249) + "click 570 527\nkey Enter\n", "3");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string exported = Read_File_Bytes(dir.file("Q7-DI2ZE#export.dat"));
    ASSERT_FALSE(exported.empty()) << r.err;
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_03.INP")), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_03.INP"));

    r = Run(std::string("click 275 373\nwait 100\nmove 300 800\nmove 310 800\n") + END_AND_SAVE, "2");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("Die Daten wurden erfolgreich importiert."), std::string::npos) << r.err;
    Corbel_Model source{}, saved{};
    ASSERT_TRUE(Read_Model(dir.file("Q7-DI2ZE#export.dat"), &source));
    ASSERT_TRUE(Read_Model(dir.file("B1_02.INP"), &saved));
    EXPECT_EQ(saved.execution, EXECUTION_BEAM_END);
    EXPECT_EQ(saved.h, 60.0);
    EXPECT_EQ(saved.beam_height, 24.0);
    EXPECT_EQ(saved.lp, 10.0);
    EXPECT_EQ(Model_Text(&saved), Model_Text(&source));
    EXPECT_EQ(Annex_Block(Read_File_Bytes(dir.file("B1_02.INP"))), Annex_Block(exported));
    Free_Model(&source);
    Free_Model(&saved);
}

// A position whose annex is no longer there: the interactive run shows the warning sheet
// (the missing name and the one used instead in yellow boxes) before the main sheet; the
// annex button then chooses another one, which the save stores. A refresh run of the same
// position shows nothing and writes its report with "Deutschland".
TEST_F(ProgramSession, MissingAnnexIsWarnedAboutInteractivelyOnly)
{
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    const std::string annex = Annex_Block(example);
    ASSERT_FALSE(annex.empty());
    const std::string body = example.substr(0, example.size() - annex.size());
    const std::string missing = body + "\n\nACTIV_NADNAME\n\xAEVerschwunden\xAF\n";
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), missing));

    // The warning sheet's OK at (756, 410); in the selection sheet "EC-Standardparameter"
    // at (600, 442) and OK at (757, 638).
    Run_Result r = Run(std::string("shot warning.png\nclick 756 410\nwait 100\n") + BAR_CLICK(1024) +
                           "wait 100\nclick 600 442\nclick 757 638\nwait 100\n" + END_AND_SAVE,
                       "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_EQ(shots.Pixel("warning.png", 640, 474), 0xE8E800u);
    const std::string saved = Read_File_Bytes(dir.file("B1_01.INP"));
    EXPECT_EQ(Annex_Block(saved), "\n\nACTIV_NADNAME\n\xAE" "EC-Standardparameter\xAF\n");

    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), missing));
    std::remove(dir.file("B1_01.OLI").c_str());
    r = Run("", "1", true);
    EXPECT_EQ(r.exit_code, 1) << r.err;
    // One line on standard error says so; nothing else is said.
    EXPECT_EQ(r.err, "Nationaler Anhang \"Verschwunden\" nicht gefunden, es gilt \"Deutschland\".\n");
    EXPECT_EQ(r.out, "");
    EXPECT_NE(Read_File_Bytes(dir.file("B1_01.OLI")).find("Deutschland"), std::string::npos);
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.INP")), missing);
}

// Values the program must not change or hide without a word, on the single load corbel
// B1/1: the column width b typed as -30 is clamped to 0 (the field check), which makes the
// data check cut the plate width bp from 20 to 0; with b typed as 30 again bp comes back
// to 20. A column depth of 1,000,000 cm and a horizontal force of 99,999,999,999 kN are
// wider than their fields: they are kept as typed.
TEST_F(ProgramSession, TypedValuesAreKeptAndACutPlateWidthComesBack)
{
    Use_Example(1);
    // Page 1: h at (900, 160), b at (1020, 160); page 2: the first row's H at (110, 520).
    auto edit = [](const char* at, const char* value) {
        return std::string("click ") + at + "\ntext \"" + value + "\"\nkey Enter\nclick 300 900\nwait 200\n";
    };
    const std::string script = "click 109 30\nwait 200\n" + edit("110 520", "99999999999") +
                               "click 37 30\nwait 200\n" + edit("1020 160", "-30") + "shot cut.png\n" +
                               edit("1020 160", "30") + edit("900 160", "1000000") + END_AND_SAVE;
    const Run_Result r = Run(script, "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    // While b was 0 the cut was said below the plate's fields (brown hint text).
    const int hint = shots.Count("cut.png", 640, 325, 1100, 360, [](uint32_t p) {
        const int r = static_cast<int>(p >> 16), g = static_cast<int>((p >> 8) & 0xFF), b = static_cast<int>(p & 0xFF);
        return r > g + 30 && g > b + 20;
    });
    EXPECT_GT(hint, 20);

    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_01.INP"), &saved));
    EXPECT_EQ(saved.b, 30.0);
    EXPECT_EQ(saved.bp, 20.0);
    EXPECT_EQ(saved.h, 1000000.0);
    ASSERT_GE(saved.load_count[0], 1);
    EXPECT_EQ(saved.load_table[0][0].H, 99999999999.0 * 1000.0);
    Free_Model(&saved);
}

// An input error of the data check (B1/5: the load stands at a = 35 cm on a corbel of
// lk = 30 cm) is said on page 1 where the results would stand, in red.
TEST_F(ProgramSession, AnInputErrorIsShownOnThePage)
{
    Use_Example(5);
    const Run_Result r = Run("wait 200\nshot page.png\n", "5");
    ASSERT_EQ(r.exit_code, 90) << r.err;
    const int red = shots.Count("page.png", 20, 620, 640, 680, [](uint32_t p) { return p == 0xFF0000u; });
    EXPECT_GT(red, 100);
}

// B1/3's flush downstand beam (b = 60 cm) is wider than twice its slab (h = 24 cm): the
// sketch is scaled to it, and nothing of it lies on the page left of the sketch's frame,
// across the line between the page's columns.
TEST_F(ProgramSession, TheSketchStaysInItsFrame)
{
    Use_Example(3);
    const Run_Result r = Run("wait 200\nshot page.png\n", "3");
    ASSERT_EQ(r.exit_code, 90) << r.err;
    // Concrete and the downstand beam's lighter grey.
    auto fill = [](uint32_t p) { return p == 0xE9E9E9u || p == 0xE0E0E0u; };
    EXPECT_GT(shots.Count("page.png", 648, 380, 1078, 560, fill), 10000);
    EXPECT_EQ(shots.Count("page.png", 560, 380, 647, 560, fill), 0);
}

// A new position (no input file) starts from the defaults: the annex's partial factors,
// a listed concrete and steel, the online calculation on; saved as such. Without a load
// page 1 says so where the results stand (brown, no red), and page 3 shows no required
// value and no mark beside the chosen ones.
TEST_F(ProgramSession, ANewPositionStartsFromTheDefaultsAndSaysThatItHasNoLoad)
{
    const Run_Result r = Run(std::string("wait 200\nshot p1.png\nclick 180 30\nwait 200\nshot p3.png\n") + END_AND_SAVE, "7");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_07.INP"), &saved));
    EXPECT_EQ(saved.online_calculation, 1);
    EXPECT_EQ(saved.safety_factors.gamma_c, 1.5);
    EXPECT_EQ(saved.safety_factors.gamma_s, 1.15);
    EXPECT_EQ(saved.concrete_class, 11);
    EXPECT_EQ(saved.steel_class[0], 3);
    for (double a : saved.rebar.anchorage) EXPECT_EQ(a, 0.0);  // no length without a load
    Free_Model(&saved);

    auto brown = [](uint32_t p) {
        const int r = static_cast<int>(p >> 16), g = static_cast<int>((p >> 8) & 0xFF), b = static_cast<int>(p & 0xFF);
        return r > g + 30 && g > b + 20;
    };
    EXPECT_GT(shots.Count("p1.png", 20, 660, 640, 680, brown), 100);  // "keine Belastung vorhanden ..."
    EXPECT_EQ(shots.Count("p1.png", 20, 620, 1250, 760, [](uint32_t p) { return p == 0xFF0000u; }), 0);
    // The marks and required values of the tie, its anchorage and its mandrels.
    EXPECT_EQ(shots.Count("p3.png", 280, 320, 470, 415, brown), 0);
}

// The first load of a new position (page 2's blank row: H 50, A 400 kN) fills the lap
// length of the main tie in the column as the design requires it; no length was fixed
// while the table was empty.
TEST_F(ProgramSession, TheFirstLoadOfANewPositionFillsTheRequiredLapLength)
{
    const Run_Result r = Run(std::string("wait 200\nclick 180 30\nwait 200\nclick 109 30\nwait 200\n"
                                         "click 104 524\ntext \"50\"\nkey Enter\ntext \"400\"\nkey Enter\n"
                                         "click 600 900\nwait 200\n") + END_AND_SAVE,
                             "8");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_08.INP"), &saved));
    ASSERT_EQ(saved.load_count[0], 1);
    EXPECT_EQ(saved.load_table[0][0].A, 400000.0);  // stored in N
    EXPECT_EQ(saved.rebar.anchorage[0], 57.8);
    Free_Model(&saved);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_08.OLI")).find("gew l\xCE\\v\xCEr = 57.8 cm  =  erf l\xCE\\v\xCEr = 57.8 cm"),
              std::string::npos);
}

// A value confirmed with Enter while the cursor walks on: on B1/5 (online) a = 20 gives
// results, and below them the report's verdict in red (the chosen tie is too small and
// its anchorage in the corbel too short); a = 35 typed with Enter is beyond the corbel,
// and while the cursor stands in the next field (h, typed as 4) the page already says the
// input error instead of the old results. Both values are saved.
TEST_F(ProgramSession, TheWalkOnAfterAChangeShowsNoOldResults)
{
    Use_Example(5);
    const std::string a = "click 880 288\nkey Ctrl+A\ntext \"";
    const Run_Result r = Run(a + "20\"\nkey Enter\nclick 300 900\nwait 200\nshot valid.png\n" + a +
                                 "35\"\nkey Enter\nshot walk.png\ntext \"4\"\nkey Enter\n" + END_AND_SAVE,
                             "5");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    auto red = [&](const char* shot, int y1, int y2) {
        return shots.Count(shot, 20, y1, 640, y2, [](uint32_t p) { return p == 0xFF0000u; });
    };
    EXPECT_EQ(red("valid.png", 620, 666), 0);   // the required areas
    EXPECT_GT(red("valid.png", 667, 690), 50);  // "Fehler bei der Bemessung !!"
    EXPECT_GT(red("walk.png", 620, 680), 100);
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_05.INP"), &saved));
    EXPECT_EQ(saved.load_a, 35.0);
    EXPECT_EQ(saved.load_height, 4.0);
    Free_Model(&saved);
}

// The annex editor, end to end: from the annex button's selection sheet its editor
// button opens "Deutschland" in corbel-annex, whose own script (the editor, 1280 x 1024:
// the tab "EN 1992" at (149, 75), gamma_c of the persistent situation at (100, 224), the
// name field at (200, 40), "Ende" at (1215, 40)) changes gamma_c to 1.6 and saves the
// annex as "Deutschland hoch". Back in the selection sheet the list shows it as row 2 at
// (600, 492); it is chosen and the position saved with it. The built-in file is as it
// was, the new file is "Deutschland" with exactly these two changes, and the refresh run
// designs with gamma_c = 1.60.
TEST_F(ProgramSession, AnAnnexChangedInTheEditorIsDesignedWith)
{
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), example));
    std::filesystem::create_directories(dir.file("data/NAD"));
    std::filesystem::copy(CORBEL_SOURCE_DIR "/data/NAD", dir.file("data/NAD"));
    data = dir.file("data");
    const std::string builtin = Read_File_Bytes(dir.file("data/NAD/Deutschland.NAD"));
    ASSERT_FALSE(builtin.empty());
    // Saving under the built-in name is refused first.
    ASSERT_TRUE(Write_File_Bytes(dir.file("annex.txt"), "click 149 75\nwait 100\nclick 100 224\ntext \"1.6\"\nkey Up\n"
                                                        "click 1215 40\nanswer yes\n"
                                                        "click 200 40\ntext \"Deutschland hoch\"\nkey Enter\n"
                                                        "click 1215 40\nanswer yes\n"));
    more_env = {"ZAV_ANNEX_SCRIPT=" + dir.file("annex.txt")};
    Run_Result r = Run(std::string(BAR_CLICK(1024)) + "wait 100\nclick 760 412\nwait 100\nshot list.png\n"
                                                      "click 600 492\nclick 757 638\nwait 100\n" + END_AND_SAVE,
                       "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("\"Deutschland\" ist ein eingebautes Anwendungsdokument"), std::string::npos) << r.err;
    EXPECT_EQ(Read_File_Bytes(dir.file("data/NAD/Deutschland.NAD")), builtin);
    EXPECT_EQ(Annex_Block(Read_File_Bytes(dir.file("B1_01.INP"))), "\n\nACTIV_NADNAME\n\xAE" "Deutschland hoch\xAF\n");
    NAD_Set expected;
    ASSERT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_GERMANY, &expected));
    expected.name = "Deutschland hoch";
    expected.ec2.gamma_c[0] = 1.6;
    File_Stream written;
    NAD_Write_Set(written.get(), &expected);
    EXPECT_EQ(Read_File_Bytes(dir.file("NADS/1.NAD")), written.bytes());

    r = Run("", "1", true);
    EXPECT_EQ(r.exit_code, 1) << r.err;
    const std::string report = Read_File_Bytes(dir.file("B1_01.OLI"));
    EXPECT_NE(report.find("Deutschland hoch (benutzerdefiniert)"), std::string::npos);
    EXPECT_NE(report.find("Beton \xC0\xCE\\c\xCEr = 1.60"), std::string::npos);
    // The strut's resistance with f_cd = alpha_cc f_ck / 1.6 (612.0 kN with 1.5).
    EXPECT_NE(report.find("V\xCE\\Rd,max\xCEr = 573.8 kN"), std::string::npos);
    EXPECT_EQ(report.find("612.0 kN"), std::string::npos);
}

namespace {

// User annex file n of the session's DRAM folder: "Deutschland" with a name and gamma_c
// of its own.
std::string Write_User_Annex(const Temp_Dir& dir, int n, const std::string& name, double gamma_c)
{
    NAD_Set set;
    EXPECT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_GERMANY, &set));
    set.name = name;
    set.ec2.gamma_c[0] = gamma_c;
    File_Stream written;
    NAD_Write_Set(written.get(), &set);
    std::filesystem::create_directories(dir.file("NADS"));
    EXPECT_TRUE(Write_File_Bytes(dir.file("NADS/" + std::to_string(n) + ".NAD"), written.bytes()));
    return written.bytes();
}

} // namespace

// A user annex chosen in the selection sheet and renamed in its editor stays chosen under
// the new name: its row (2) is marked when the editor has ended, OK applies it, and the
// position is saved and designed with it.
TEST_F(ProgramSession, AnAnnexRenamedInTheEditorStaysChosen)
{
    Use_Example(1);
    Write_User_Annex(dir, 1, "Schweden", 1.6);
    ASSERT_TRUE(Write_File_Bytes(dir.file("annex.txt"), "click 200 40\ntext \"Norwegen\"\nkey Enter\n"
                                                        "click 1215 40\nanswer yes\n"));
    more_env = {"ZAV_ANNEX_SCRIPT=" + dir.file("annex.txt")};
    Run_Result r = Run(std::string(BAR_CLICK(1024)) + "wait 100\nclick 600 492\nclick 760 412\nwait 100\n"
                                                      "shot list.png\nclick 757 638\nwait 100\n" + END_AND_SAVE,
                       "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_EQ(shots.Pixel("list.png", 509, 492), 0x000000u);
    EXPECT_EQ(shots.Pixel("list.png", 510, 492), 0xFFFFFFu);
    EXPECT_EQ(Annex_Block(Read_File_Bytes(dir.file("B1_01.INP"))), "\n\nACTIV_NADNAME\n\xAENorwegen\xAF\n");

    r = Run("", "1", true);
    const std::string report = Read_File_Bytes(dir.file("B1_01.OLI"));
    EXPECT_NE(report.find("Norwegen (benutzerdefiniert)"), std::string::npos) << r.err;
    EXPECT_NE(report.find("Beton \xC0\xCE\\c\xCEr = 1.60"), std::string::npos);
}

// Two user annex files of one name: the second is a duplicate row (3) that a click does
// not choose; the first is chosen by its row, edited and saved under its own name, into
// its own file, and designed with. The duplicate stays as it was.
TEST_F(ProgramSession, AnAnnexNamedTwiceIsChosenAndSavedByItsFirstFile)
{
    Use_Example(1);
    Write_User_Annex(dir, 1, "Schweden", 1.6);
    const std::string copy = Write_User_Annex(dir, 2, "Schweden", 1.65);
    ASSERT_TRUE(Write_File_Bytes(dir.file("annex.txt"), "click 149 75\nwait 100\nclick 100 224\ntext \"1.62\"\nkey Up\n"
                                                        "click 1215 40\nanswer yes\n"));
    more_env = {"ZAV_ANNEX_SCRIPT=" + dir.file("annex.txt")};
    Run_Result r = Run(std::string(BAR_CLICK(1024)) + "wait 100\nclick 600 517\nshot list.png\nclick 600 492\n"
                                                      "click 760 412\nwait 100\nclick 757 638\nwait 100\n" +
                           END_AND_SAVE,
                       "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_EQ(r.err.find("gibt es schon"), std::string::npos) << r.err;
    EXPECT_EQ(shots.Pixel("list.png", 509, 467), 0x000000u);  // "Deutschland" still chosen
    EXPECT_NE(shots.Pixel("list.png", 509, 517), 0x000000u);
    EXPECT_EQ(Read_File_Bytes(dir.file("NADS/2.NAD")), copy);
    EXPECT_EQ(Annex_Block(Read_File_Bytes(dir.file("B1_01.INP"))), "\n\nACTIV_NADNAME\n\xAESchweden\xAF\n");

    r = Run("", "1", true);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_01.OLI")).find("Beton \xC0\xCE\\c\xCEr = 1.62"), std::string::npos) << r.err;
}

// User annex files whose header cannot be read are said once when the list is shown and
// left as they are; the editor's new annex takes a number no file uses (and no other
// annex's name). A position whose annex is not found hears of them too (an empty file as
// empty).
TEST_F(ProgramSession, UnreadableAnnexFilesAreSaidAndKept)
{
    Use_Example(1);
    Write_User_Annex(dir, 1, "Schweden", 1.6);
    ASSERT_TRUE(Write_File_Bytes(dir.file("NADS/2.NAD"), "das ist kaputt\n"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("NADS/3.NAD"), ""));
    // Another annex's name is refused first.
    ASSERT_TRUE(Write_File_Bytes(dir.file("annex.txt"), "click 200 40\ntext \"Schweden\"\nkey Enter\n"
                                                        "click 1215 40\nanswer yes\n"
                                                        "click 200 40\ntext \"Neu\"\nkey Enter\n"
                                                        "click 1215 40\nanswer yes\n"));
    more_env = {"ZAV_ANNEX_SCRIPT=" + dir.file("annex.txt")};
    Run_Result r = Run(std::string(BAR_CLICK(1024)) + "wait 100\nclick 760 412\nwait 100\nclick 757 638\nwait 100\n" +
                           END_AND_SAVE,
                       "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_EQ(Read_File_Bytes(dir.file("NADS/2.NAD")), "das ist kaputt\n");
    EXPECT_EQ(Read_File_Bytes(dir.file("NADS/3.NAD")), "");
    EXPECT_NE(r.err.find("Ein Anwendungsdokument \"Schweden\" gibt es schon."), std::string::npos) << r.err;
    EXPECT_NE(Read_File_Bytes(dir.file("NADS/4.NAD")).find("\xAENeu\xAF"), std::string::npos);
    EXPECT_EQ(Count_Of(r.err, dir.file("NADS/2.NAD") + "\nist keine Datei eines nationalen Anhangs"), 1) << r.err;
    EXPECT_EQ(Count_Of(r.err, dir.file("NADS/3.NAD") + "\nist leer;"), 1) << r.err;

    std::string position = Read_File_Bytes(dir.file("B1_01.INP"));
    position = position.substr(0, position.find("\n\nACTIV_NADNAME")) + "\n\nACTIV_NADNAME\n\xAEVerloren\xAF\n";
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), position));
    r = Run("", "1", true);
    EXPECT_NE(r.err.find(dir.file("NADS/3.NAD") + " ist leer; sie wird"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\"Verloren\" nicht gefunden"), std::string::npos) << r.err;
}

// A click beside an open choice list closes it with the value as it was and opens no
// other list: on B1/2 the concrete list opened, the pointer over C25/30 and out of the
// list, a click beside it. "Ende" then saves at once (a list still open would have taken
// that click), and the saved concrete is the original one.
TEST_F(ProgramSession, AClickBesideAChoiceListTakesNothing)
{
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_02.INP");
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_02.INP"), example));
    const Run_Result r = Run(std::string("click 355 164\nwait 100\nmove 280 286\nwait 100\nmove 700 600\n"
                                         "wait 100\nclick 700 600\nwait 100\n") + END_AND_SAVE,
                             "2");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    Corbel_Model original{}, saved{};
    File_Stream in(example);
    ASSERT_EQ(Read_Corbel_Model(in.get(), &original), 0);
    ASSERT_TRUE(Read_Model(dir.file("B1_02.INP"), &saved));
    EXPECT_NE(original.concrete_class, 8);  // C25/30 would be no change
    EXPECT_EQ(saved.concrete_class, original.concrete_class);
    Free_Model(&original);
    Free_Model(&saved);
}

// No combination of B1/1 can be designed with A = 2000 kN in every row: page 1 says so in
// red where the results stand, and page 3 shows no required value and no mark, exactly as
// with the online calculation off (unknown required areas are not 0).
TEST_F(ProgramSession, NoDesignableCombinationShowsNoRequiredValues)
{
    std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    for (const char* a : {" 420000.000000\n", " 365000.000000\n", " 398000.000000\n", " 245000.000000\n"}) {
        ASSERT_NE(example.find(a), std::string::npos);
        example.replace(example.find(a), std::strlen(a), " 2000000.000000\n");
    }
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), example));
    const Run_Result r = Run(std::string("wait 200\nshot page1.png\nclick 180 30\nwait 200\nshot on.png\n") +
                                 BAR_CLICK(970) + "wait 200\nshot off.png\n",
                             "1");
    ASSERT_EQ(r.exit_code, 90) << r.err;
    EXPECT_GT(shots.Count("page1.png", 20, 650, 900, 700, [](uint32_t p) { return p == 0xFF0000u; }), 100);
    // The left column below the cover's heading, which the online calculation's reset
    // button puts one row (22 pixels) lower.
    auto dark = [&](const char* shot, int y) {
        return shots.Count(shot, 0, y, 780, y + 800, [](uint32_t p) {
            return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 300;
        });
    };
    EXPECT_GT(dark("on.png", 160), 1000);
    EXPECT_EQ(dark("on.png", 160), dark("off.png", 138));
}

// A '~' in a load combination's name would come back from the position file as a blank:
// the name typed with one is refused with a box and stays as it was.
TEST_F(ProgramSession, ATildeInALoadNameIsRefused)
{
    Use_Example(1);
    const Run_Result r = Run(std::string("click 109 30\nwait 200\nclick 330 521\n"
                                         "text \"A~B Test ~~ x\"\nkey Enter\nclick 300 900\nwait 200\n") +
                                 END_AND_SAVE,
                             "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("Das Zeichen \"~\" ist in der Bezeichnung einer Lastkombination nicht zul"),
              std::string::npos)
        << r.err;
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_01.INP"), &saved));
    ASSERT_EQ(saved.load_count[0], 4);
    EXPECT_STREQ(saved.load_table[0][0].name, "Eigengewicht + Nutzlast");
    Free_Model(&saved);
}

// Without DATA the annex selection sheet draws no editor button, and a click on its place
// starts no editor (whose script would leave a shot).
TEST_F(ProgramSession, WithoutDataTheAnnexEditorIsNotStarted)
{
    Use_Example(1);
    ASSERT_TRUE(Write_File_Bytes(dir.file("annex.txt"), "shot editor.png\n"));
    more_env = {"DATA", "ZAV_ANNEX_SCRIPT=" + dir.file("annex.txt")};
    const Run_Result r = Run(std::string(BAR_CLICK(1024)) + "wait 100\nclick 760 412\nwait 100\nshot sheet.png\n", "1");
    EXPECT_EQ(r.exit_code, 90) << r.err;
    EXPECT_NE(shots.Pixel("sheet.png", 0, 0), 0xFF000000u);
    EXPECT_EQ(shots.Pixel("editor.png", 0, 0), 0xFF000000u);
}

// The click after a pick from a choice list acts where it lands, as every click does: on
// B1/2 C35/45 picked from the concrete list, then h_k clicked and 50 typed; C30/37
// picked, then the check box "Lagerplatte" clicked. All three edits are saved.
TEST_F(ProgramSession, TheClickAfterAPickActsWhereItLands)
{
    Use_Example(2);
    const Run_Result r = Run(std::string("click 355 164\nwait 100\nclick 282 311\n"
                                         "click 882 199\nkey Ctrl+A\ntext \"50\"\nkey Enter\nclick 300 800\nwait 100\n"
                                         "click 355 164\nwait 100\nclick 282 298\nclick 654 265\nwait 100\n") +
                                 END_AND_SAVE,
                             "2");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_02.INP"), &saved));
    EXPECT_EQ(saved.hk, 50.0);
    EXPECT_EQ(saved.concrete_class, 9);  // C30/37
    EXPECT_EQ(saved.lp, 0.0);
    Free_Model(&saved);
}

// Clicks and keys that land where they are meant, each row on a fresh copy of the example
// (from File-Id 10 up a new position without an input file) and saved with "Ende": the
// click after a pick made with the keyboard (and after Enter in a count, which walks on
// into the open diameter list) acts where it lands; Ctrl+A after a second click, and a
// double click, make the typed text replace the field's; a negative lk is refused with a
// box and the old length stays; Shift+Tab walks back through the fields (hk, e1, d1, b),
// each change taken; the first click on "Bewehrung wählen" right after the switch to
// page 3 of a new position acts.
TEST_F(ProgramSession, ClicksAndKeysOfAnEditActWhereTheyLand)
{
    struct Case {
        int example;  // the File-Id
        const char* script;
        std::function<void(const Corbel_Model&)> check;
        const char* box = "";  // what a message box says
    };
    const Case cases[] = {
        {2, "click 355 164\nkey Down\nkey Enter\nwait 300\nclick 882 199\nkey Ctrl+A\ntext \"50\"\nkey Enter\n",
         [](const Corbel_Model& m) {
             EXPECT_EQ(m.concrete_class, 12);  // C45/55
             EXPECT_EQ(m.hk, 50.0);
         }},
        {4, "click 355 164\nkey Down\nkey Down\nkey Enter\nwait 300\nclick 690 243\nwait 200\nclick 882 243\n"
            "text \"20\"\nkey Enter\n",  // "abgeschrägt" ticked, then h'k
         [](const Corbel_Model& m) {
             EXPECT_EQ(m.concrete_class, 13);
             EXPECT_EQ(m.hk_end, 20.0);
         }},
        {4, "click 174 30\nwait 200\nclick 132 285\ntext \"3\"\nkey Enter\nwait 100\nclick 108 517\ntext \"4\"\n"
            "key Enter\n",
         [](const Corbel_Model& m) {
             EXPECT_EQ(m.rebar.layer_bars[0], 3);
             EXPECT_EQ(m.rebar.group[1].count, 4);
         }},
        {4, "click 882 221\nwait 600\nclick 882 221\nkey Ctrl+A\ntext \"45\"\nkey Enter\nclick 300 800\n"
            "click 883 160\nclick 883 160\ntext \"40\"\nkey Enter\nclick 300 800\n"
            "click 1022 221\ntext \"-30\"\nkey Enter\n",  // h_k, h, l_k
         [](const Corbel_Model& m) {
             EXPECT_EQ(m.hk, 45.0);
             EXPECT_EQ(m.h, 40.0);
             EXPECT_EQ(m.lk, 30.0);
         },
         "Der Wert -30 f\xC3\xBCr lk wird nicht \xC3\xBC" "bernommen:\nzul\xC3\xA4ssig ist Wert \xE2\x89\xA5 0.\n"
         "Der bisherige Wert 30 bleibt."},
        {1, "click 109 30\nwait 200\nclick 330 521\nwait 600\nclick 330 521\nkey Ctrl+A\ntext \"Neu\"\nkey Enter\n",
         [](const Corbel_Model& m) {
             ASSERT_GE(m.load_count[0], 1);
             EXPECT_STREQ(m.load_table[0][0].name, "Neu");
         }},
        {11, "click 882 221\nkey Ctrl+A\ntext \"45\"\nkey Shift+Tab\ntext \"14\"\nkey Shift+Tab\ntext \"5\"\n"
             "key Shift+Tab\ntext \"33\"\nkey Enter\n",  // Enter in b walks on into d1 again
         [](const Corbel_Model& m) {
             EXPECT_EQ(m.hk, 45.0);
             EXPECT_EQ(m.e1, 14.0);
             EXPECT_EQ(m.d1, 5.0);
             EXPECT_EQ(m.b, 33.0);
         }},
        {13, "click 180 30\nclick 26 75\n",  // a new position starts with it ticked
         [](const Corbel_Model& m) { EXPECT_EQ(m.rebar_chosen, 0); }},
        // An Esc with the pointer resting on the page, then on the bar, is gone: the end
        // dialog's Enter saves.
        {11, "click 882 221\nkey Ctrl+A\ntext \"45\"\nkey Enter\nclick 300 900\nmove 600 500\nkey Esc\n",
         [](const Corbel_Model& m) { EXPECT_EQ(m.hk, 45.0); }},
        {11, "move 1100 27\nwait 200\nkey Esc\n", [](const Corbel_Model&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const std::string id = (c.example < 10 ? "0" : "") + std::to_string(c.example);
        if (c.example < 10) Use_Example(c.example);
        const Run_Result r = Run(std::string(c.script) + "click 300 900\nwait 100\n" + END_AND_SAVE,
                                 std::to_string(c.example));
        ASSERT_EQ(r.exit_code, 1) << r.err;
        EXPECT_NE(r.err.find(c.box), std::string::npos) << r.err;
        Corbel_Model saved{};
        ASSERT_TRUE(Read_Model(dir.file("B1_" + id + ".INP"), &saved));
        c.check(saved);
        Free_Model(&saved);
    }
}

// Page 2 beside a load table of the most rows the program takes (10,000 on B1/1): the
// radio button "indirekt (angehängte Last)" and "Tabelle löschen" both act.
TEST_F(ProgramSession, PageTwoWorksBesideTheLargestLoadTable)
{
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    Corbel_Model m{};
    {
        File_Stream in(example);
        ASSERT_EQ(Read_Corbel_Model(in.get(), &m), 0);
    }
    Alloc_Load_Table(&m, 10000, 0);
    for (int i = 0; i < 10000; ++i) {
        m.load_table[0][i].H = 1000.0 * (1 + i % 50);
        m.load_table[0][i].A = 10000.0 * (1 + i % 40);
        std::snprintf(m.load_table[0][i].name, sizeof m.load_table[0][i].name, "LK %d", i + 1);
    }
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), Model_Text(&m) + Annex_Block(example)));
    Free_Model(&m);
    const Run_Result r = Run(std::string("click 109 30\nwait 200\nclick 746 420\nwait 200\nclick 345 97\nwait 200\n") +
                                 END_AND_SAVE,
                             "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_01.INP"), &saved));
    EXPECT_EQ(saved.load_transfer, LOAD_TRANSFER_INDIRECT);
    EXPECT_EQ(saved.load_count[0], 1);
    Free_Model(&saved);
}

// "Aktuelle Bearbeitung abbrechen?" gives the edits up on "Ja": its default is "Nein",
// framed in black, and Enter as Esc keep the edit (h_k 50 on B1/2, the close asked
// while the field is open and again afterwards), which is then saved.
TEST_F(ProgramSession, EnterAndEscOnTheCloseQuestionKeepTheEdits)
{
    Use_Example(2);
    const Run_Result r = Run(std::string("click 880 200\ntext \"50\"\nclose\nshot ask.png\nkey Enter\nkey Enter\n"
                                         "click 300 800\nwait 100\nclose\nkey Esc\nwait 100\n") +
                                 END_AND_SAVE,
                             "2");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_EQ(Count_Of(r.err, "Aktuelle Bearbeitung abbrechen? [nein]"), 2) << r.err;
    // The frame's top edge over "Nein" (right of the middle), none over "Ja".
    EXPECT_EQ(shots.Pixel("ask.png", 690, 534), 0u);
    EXPECT_NE(shots.Pixel("ask.png", 590, 534), 0u);
    Corbel_Model saved{};
    ASSERT_TRUE(Read_Model(dir.file("B1_02.INP"), &saved));
    EXPECT_EQ(saved.hk, 50.0);
    Free_Model(&saved);
}

// A signal in the middle of the save (strace sends it at the first sync) ends the editor
// with no temporary file left and the input as it was; one that an editor killed otherwise
// left goes with the next save.
TEST_F(ProgramSession, ASignalDuringTheSaveLeavesNoTemporaryFile)
{
    Use_Example(1);
    const std::string input = Read_File_Bytes(dir.file("B1_01.INP")), strace = "/usr/bin/strace";
    if (!File_Exists(strace)) GTEST_SKIP() << "no strace";
    const auto temporaries = [this] {
        const std::set<std::string> names = Folder_Names(dir.path());
        return std::count_if(names.begin(), names.end(), [](const std::string& n) { return Has(n, ".tmp"); });
    };
    for (const std::string signal : {"SIGTERM", "SIGINT", "SIGHUP"}) {
        Started_Program editor = Start(END_AND_SAVE, "1", false, [] {
            for (int s : {SIGTERM, SIGINT, SIGHUP}) std::signal(s, SIG_DFL);
        }, {strace, "-f", "-qq", "-o", "/dev/null", "-e", "inject=fsync:signal=" + signal + ":when=1"});
        const Run_Result r = Wait_Program(editor);
        if (r.exit_code == 1 && Has(r.err, "strace")) GTEST_SKIP() << "no tracing allowed here";
        EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.INP")), input) << signal;
        EXPECT_EQ(temporaries(), 0) << signal;
    }
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.OLI.tmpK1ll3d"), "halb gespeichert"));
    EXPECT_EQ(Run(END_AND_SAVE, "1").exit_code, 1);
    EXPECT_EQ(temporaries(), 0);
}

// A diameter index beyond the table (a damaged file) is named by its field; the choice
// list on page 3 shows nothing for it and keeps it, so that it is saved as it was read.
TEST_F(ProgramSession, AnUnknownDiameterIsNamedAndKept)
{
    std::string input = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    const size_t tie = input.find("\n 2 6\n");
    ASSERT_NE(tie, std::string::npos);
    input.replace(tie, 6, "\n 2 40\n");
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), input));
    const Run_Result r = Run(std::string("click 180 30\nwait 200\n") + END_AND_SAVE, "1");
    ASSERT_EQ(r.exit_code, 1) << r.err;
    EXPECT_TRUE(Has(Read_File_Bytes(dir.file("B1_01.INP")), "\n 2 40\n"));
    EXPECT_TRUE(Has(Read_File_Bytes(dir.file("B1_01.OLI")), "Fehler Hauptzugbewehrung: Durchmesser unbekannt"));
}
