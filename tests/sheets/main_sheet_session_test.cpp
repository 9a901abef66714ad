// Scripted sessions of the interactive program on a copy of an example position: the
// main sheet, its button bar, the end dialog and saving. The pages are stood in for by a
// page of two number fields (the corbel depth in the model and the load share of the
// edit buffer), composed through the same hooks the sheets use.
#include "base/alloc.h"
#include "base/message_sink.h"
#include "sheets/program/corbel_dialogs.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "sheets/program/main_button_bar.h"
#include "sheets/program/main_loop.h"
#include "core/position_file.h"
#include "core/startup.h"
#include "sheets/program/program.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/report_viewer.h"
#include "platform/screen/screen.h"
#include "sheets/edit_buffer.h"
#include "sheets/register_pages.h"
#include "test_support.h"
#include "toolkit/scroll_area.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// On the 800 x 600 screen of these sessions: the bar's buttons lie at y 27 with their
// middles at x 491 (online), 545 (annex), 590 (print options), 635 (preview), 680
// (print), 725 (help), 770 (end). The depth field lies at (29, 95), the load share
// field at (29, 135). In the end dialog "beenden ohne zu speichern" is at (330, 315);
// Enter is OK and Esc break.
#define BAR_CLICK(x) "click " #x " 27\n"
const char* const CLICK_END = BAR_CLICK(770);
const char* const CLICK_PRINT_OPTIONS = BAR_CLICK(590);
const char* const CLICK_PREVIEW = BAR_CLICK(635);
// Enter leaves a number field for the next one, which a click on the empty page ends.
#define EDIT_FIELD(y, value) "click 31 " #y "\ntext \"" value "\"\nkey Enter\nclick 600 500\n"
const char* const END_WITHOUT_SAVING = BAR_CLICK(770) "click 330 315\nkey Enter\n";

int field_on = 1;
std::function<void()> on_print_options;
// Replaces the stand-in page by a real one.
void (*install_page)() = nullptr;

void Compose_Test_Page(int area, int, int, int)
{
    Area_Add_Float_Field(area, 20, 40, &corbel_model.hk, "%8.2f", 0x1000, BLACK_CI, &field_on);
    Area_Add_Float_Field(area, 20, 80, &corbel_edit_buffer.load_share_pct, "%8.2f", 0x1000, BLACK_CI, &field_on);
    Area_Set_Item_Check(area, +[](double* v) {
        Mark_Load_Share_Edited();
        return v;
    });
}

void Install_Test_Hooks()
{
    edit_buffer_hooks.fill = Fill_Edit_Buffer;
    edit_buffer_hooks.apply = Apply_Edit_Buffer;
    main_sheet_hooks.init_palette = Init_Screen_Palette;
    main_sheet_hooks.compose[0] = Compose_Test_Page;
    main_sheet_hooks.print_options = +[] {
        if (on_print_options) on_print_options();
    };
    if (install_page) install_page();
}

void Free_Model(Corbel_Model* m)
{
    for (Load_Combination*& t : m->load_table)
        if (t) MEM_FREE(t);
    if (m->results) MEM_FREE(m->results);
}

std::string Model_Text(Corbel_Model* m)
{
    File_Stream f;
    Write_Corbel_Model(f.get(), m);
    return f.bytes();
}

class MainSheetSession : public testing::Test {
protected:
    Temp_Dir dir;
    std::string input = dir.file("B1_01.INP");
    std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    std::string exec = CORBEL_SOURCE_DIR "/data";  // the installation folder

    void SetUp() override
    {
        ASSERT_FALSE(example.empty());
        ASSERT_TRUE(Write_File_Bytes(input, example));
        Clear_Shown_Messages();
    }
    void TearDown() override
    {
        on_print_options = nullptr;
        install_page = nullptr;
        edit_buffer_hooks = Edit_Buffer_Hooks{};
        main_sheet_hooks = Main_Sheet_Hooks{};
        install_interactive_hooks = nullptr;
        Screen_Reset_For_Tests();
    }

    // Runs the program on position B1/1 in the temporary directory with the script;
    // the result is Corbel_Main's.
    int Run(const std::string& script, const std::string& id = "B1", const char* size = "800x600")
    {
        const std::string script_file = dir.file("session.txt");
        EXPECT_TRUE(Write_File_Bytes(script_file, script));
        ::setenv("ZAV_SCRIPT", script_file.c_str(), 1);
        ::setenv("ZAV_SCREEN_SIZE", size, 1);
        ::setenv("ZAV_SHOT_DIR", dir.path().c_str(), 1);
        ::setenv("EXEC", exec.c_str(), 1);
        ::setenv("ZAV_PRIVAT_DATAPATH", dir.path().c_str(), 1);
        ::setenv("DRAM", dir.path().c_str(), 1);
        ::setenv("TEMP", dir.path().c_str(), 1);
        const std::string cwd = std::filesystem::current_path().string();
        std::filesystem::current_path(dir.path());

        corbel_edit_buffer = Corbel_Edit_Buffer{};
        Reset_Main_Loop_State();
        install_interactive_hooks = Install_Test_Hooks;
        std::vector<std::string> args{"corbel", id, "0", "1", "1"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int result = Corbel_Main(static_cast<int>(args.size()), argv.data());

        std::filesystem::current_path(cwd);
        for (const char* name : {"ZAV_SCRIPT", "ZAV_SCREEN_SIZE", "ZAV_SHOT_DIR", "EXEC", "ZAV_PRIVAT_DATAPATH", "DRAM",
                                 "TEMP"})
            ::unsetenv(name);
        return result;
    }

    bool Said(const std::string& text) const
    {
        for (const Shown_Message& m : Shown_Messages())
            if (m.text.find(text) != std::string::npos) return true;
        return false;
    }
};

// Open, edit the depth and the load share, "Ende" with saving: exit code 1, a fresh
// report, and the saved file reads back as the model the session ended with.
TEST_F(MainSheetSession, EditAndSaveWritesTheEditedModel)
{
    const std::string input_without_share = [&] {
        std::string s = example;
        const size_t at = s.find(" 0 2 0.600000 ");
        EXPECT_NE(at, std::string::npos);
        s.replace(at, 14, " 0 2 0.000000 ");
        return s;
    }();
    ASSERT_TRUE(Write_File_Bytes(input, input_without_share));

    EXPECT_EQ(Run(std::string(EDIT_FIELD(93, "55")) + EDIT_FIELD(133, "40") + CLICK_END + "key Enter\n"),
              1);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_01.OLI")).find("Lastkonsole"), std::string::npos);

    // The typed load share counts although the position started without one.
    EXPECT_DOUBLE_EQ(corbel_model.hk, 55.0);
    EXPECT_DOUBLE_EQ(corbel_model.load_share, 0.4);
    const std::string ended = Model_Text(&corbel_model);

    Corbel_Model read_back{};
    FILE* f = std::fopen(input.c_str(), "r");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Read_Corbel_Model(f, &read_back), 0);
    std::fclose(f);
    EXPECT_EQ(Model_Text(&read_back), ended);
    Free_Model(&read_back);
    // Nothing else changed: the original with the two edits gives the same text.
    std::string expected = input_without_share;
    expected.replace(expected.find(" 0 2 0.000000 "), 14, " 0 2 0.400000 ");
    EXPECT_EQ(Read_File_Bytes(input).substr(0, 60), expected.substr(0, 60));
}

// Ending without saving leaves the input and writes no report.
TEST_F(MainSheetSession, EndWithoutSavingTouchesNothing)
{
    EXPECT_EQ(Run(std::string(EDIT_FIELD(93, "55")) + END_WITHOUT_SAVING), 0);
    EXPECT_EQ(Read_File_Bytes(input), example);
    EXPECT_FALSE(File_Exists(dir.file("B1_01.OLI")));
}

// Each run's screen has its dialogs in its own middle: an end dialog placed on a larger
// screen before does not move this run's one.
TEST_F(MainSheetSession, DialogsOpenInTheMiddleOfEachNewScreen)
{
    // On 1280 x 1024 "Ende" lies at x 1249 and "beenden ohne zu speichern" at (570, 527).
    const char* const end_on_large_screen = "move 1249 40\nmove 1249 27\nwait 300\ndown\nup\nclick 570 527\nkey Enter\n";
    EXPECT_EQ(Run(end_on_large_screen, "B1", "1280x1024"), 0);
    EXPECT_EQ(Run(END_WITHOUT_SAVING), 0);
}

// A save that fails is said and the editing goes on; nothing is reported as saved until
// a save succeeded. The position lies in a folder that is replaced by a file during the
// session, so no temporary file can be made beside the input.
TEST_F(MainSheetSession, FailedSaveIsSaidAndTheEditingGoesOn)
{
    const std::string folder = dir.file("pos");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    input = folder + "/B1_01.INP";
    ASSERT_TRUE(Write_File_Bytes(input, example));
    int step = 0;
    on_print_options = [&] {
        if (step++ == 0) {
            std::filesystem::rename(folder, folder + ".away");
            Write_File_Bytes(folder, "no folder");
        } else {
            std::remove(folder.c_str());
            std::filesystem::rename(folder + ".away", folder);
        }
    };
    const std::string script = std::string(EDIT_FIELD(93, "55")) + CLICK_PRINT_OPTIONS + CLICK_END +
                               "key Enter\n" + CLICK_PRINT_OPTIONS + CLICK_END + "key Enter\n";
    EXPECT_EQ(Run(script, "pos/B1"), 1);
    // The box names the file and why it could not be written.
    EXPECT_TRUE(Said("Die Eingabedaten k\xF6nnen nicht gespeichert werden!\npos/B1_01.INP\n"
                     "Grund: ein Teil des Pfades ist kein Ordner"));
    EXPECT_EQ(step, 2);
    EXPECT_NE(Read_File_Bytes(input), example);
    EXPECT_NE(Read_File_Bytes(input).find(" 55.000000"), std::string::npos);
}

// A position file of a newer program cannot be read: "Ende" with saving asks before the
// defaults replace it; "no" goes back to the editing and leaves the file byte for byte.
TEST_F(MainSheetSession, UnreadableInputIsNotOverwrittenUnasked)
{
    const std::string newer = " 5" + example.substr(2);
    ASSERT_TRUE(Write_File_Bytes(input, newer));
    EXPECT_EQ(Run(std::string(CLICK_END) + "key Enter\nanswer no\n" + END_WITHOUT_SAVING), 0);
    EXPECT_TRUE(Said("Die urspr\xFCngliche Eingabedatei konnte nicht gelesen werden und wird \xFC" "berschrieben."));
    EXPECT_EQ(Read_File_Bytes(input), newer);

    Clear_Shown_Messages();
    EXPECT_EQ(Run(std::string(CLICK_END) + "key Enter\nanswer yes\n"), 1);
    EXPECT_NE(Read_File_Bytes(input), newer);
}

// A report that cannot be written is said, and the viewer is not shown an older one.
TEST_F(MainSheetSession, PreviewOfAReportThatCannotBeWritten)
{
    ASSERT_EQ(::mkdir(dir.file("B1_01.OLI").c_str(), 0755), 0);
    const int views_before = Get_Report_Viewer_State().calls;
    EXPECT_EQ(Run(std::string(CLICK_PREVIEW) + END_WITHOUT_SAVING), 0);
    EXPECT_TRUE(Said("Die Druckliste kann nicht geschrieben werden!\nB1_01.OLI\n"
                     "Grund: der Name bezeichnet einen Ordner"));
    EXPECT_EQ(Get_Report_Viewer_State().calls, views_before);
}

// "Vorschau" shows the notice "Bitte etwas Geduld" with its status line while the report
// is written and set in pages (the viewer is called with it on the screen), and takes it
// away afterwards.
TEST_F(MainSheetSession, PreviewShowsTheProgressNoticeWhileItWorks)
{
    static int shown, status_dark;
    shown = status_dark = -1;
    Set_Report_Viewer(+[](const char*, const char*) {
        shown = Busy_Is_Shown();
        status_dark = 0;
        for (int y = 300 + 48; y <= 300 + 58; ++y)  // the status line below the middle of 800 x 600
            for (int x = 400 - 60; x <= 400 + 60; ++x) status_dark += (Screen_Pixel_For_Tests(x, y) & 0x808080) == 0;
        return 0;
    }, nullptr);
    EXPECT_EQ(Run(std::string(CLICK_PREVIEW) + END_WITHOUT_SAVING), 0);
    Set_Report_Viewer(nullptr, nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_GT(status_dark, 170) << status_dark;  // "Die Seiten werden gesetzt ..." (the box alone leaves it blank)
    EXPECT_EQ(Busy_Is_Shown(), 0);
}

// A number typed longer than the editor holds (40 characters) would lose its last
// digits: it is refused with a word, and the value stays as it was.
TEST_F(MainSheetSession, ANumberLongerThanItsFieldIsRefused)
{
    EXPECT_EQ(Run(std::string(EDIT_FIELD(93, "1111111111111111111111111111111111111111111111111")) + CLICK_END +
                  "key Enter\n"),
              1);
    EXPECT_TRUE(Said("Die Eingabe ist l\xE4nger als 40 Zeichen"));
    EXPECT_EQ(Read_File_Bytes(input).find(" 1111"), std::string::npos);
    EXPECT_NE(Read_File_Bytes(input).find(" 30.000000 40.000000"), std::string::npos);  // l_k, h_k
}

// An installation folder without the pictures: the start says which folder lacks which
// file, and the bar and the register tab are plain buttons with their words, so that
// "Ende" can be seen and ends the run.
TEST_F(MainSheetSession, AnInstallationWithoutPicturesIsSaidAndStaysEndable)
{
    exec = dir.file("leer");
    ASSERT_EQ(::mkdir(exec.c_str(), 0755), 0);
    int dark_in_end = 0, dark_in_tab = 0;
    on_print_options = [&] {
        for (int y = 9; y <= 45; ++y)
            for (int x = 749; x <= 790; ++x) dark_in_end += Screen_Pixel_For_Tests(x, y) == 0;
        for (int y = 25; y <= 48; ++y)
            for (int x = 6; x <= 72; ++x) dark_in_tab += Screen_Pixel_For_Tests(x, y) == 0;
    };
    EXPECT_EQ(Run(std::string(CLICK_PRINT_OPTIONS) + END_WITHOUT_SAVING), 0);
    EXPECT_TRUE(Said("Im Installationsordner\n" + exec + "\nfehlt die Bilddatei Buttons.bmp."));
    EXPECT_GT(dark_in_end, 30);  // the frame and "Ende"
    EXPECT_GT(dark_in_tab, 30);  // the frame and "System"
}

// More than 20 load combinations to print: asked once in a run; a break writes nothing,
// the next preview prints all without asking.
TEST_F(MainSheetSession, ManyLoadCasesAreAskedAboutOnce)
{
    {
        Corbel_Model m{};
        FILE* f = std::fopen(input.c_str(), "r");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(Read_Corbel_Model(f, &m), 0);
        std::fclose(f);
        Alloc_Load_Table(&m, 21, 0);
        for (int i = 0; i < 21; ++i) {
            std::snprintf(m.load_table[0][i].name, sizeof m.load_table[0][i].name, "LK %d", i + 1);
            m.load_table[0][i].A = 50000.0 + 1000.0 * i;
            m.load_table[0][i].H = 5000.0;
        }
        m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = 1;
        File_Stream out;
        ASSERT_EQ(Write_Corbel_Model(out.get(), &m), 0);
        ASSERT_TRUE(Write_File_Bytes(input, out.bytes()));
        Free_Model(&m);
    }
    const int views_before = Get_Report_Viewer_State().calls;
    EXPECT_EQ(Run(std::string(CLICK_PREVIEW) + "key Esc\n" + CLICK_PREVIEW + END_WITHOUT_SAVING), 0);
    EXPECT_EQ(Get_Report_Viewer_State().calls, views_before + 1);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_01.OLI")).find("LK 21"), std::string::npos);
}

// After the annex button the results shown belong to another model: they are marked
// invalid (online calculation off, so nothing recalculates them). An import is designed
// at once, before the next click, when the imported model has the online calculation on
// (here a depth of 60 instead of 40). The imported model keeps its bearing plate although
// the position it replaced had none.
TEST_F(MainSheetSession, AnnexChoiceAndImportInvalidateResultsAndKeepTheImportedModel)
{
    const std::string marker = " 6.000000 15.000000 20.000000";
    ASSERT_NE(example.find(marker), std::string::npos);
    std::string without_plate = example;
    without_plate.replace(without_plate.find(marker), marker.size(), " 6.000000 0.000000 20.000000");
    ASSERT_TRUE(Write_File_Bytes(input, without_plate));
    std::string deeper = example;
    const std::string hk = " 30.000000 40.000000 0.000000";
    ASSERT_NE(deeper.find(hk), std::string::npos);
    deeper.replace(deeper.find(hk), hk.size(), " 30.000000 60.000000 0.000000");
    ASSERT_TRUE(Write_File_Bytes(Map_Path(dir.path() + "\\Q7-DI2ZE#export.dat"), deeper));

    std::vector<int> valid;
    std::vector<double> tie;
    int online_image = 0;
    int step = 0;
    on_print_options = [&] {
        valid.push_back(results_valid);
        tie.push_back(corbel_model.summary.final_As_h);
        online_image = main_button_bar.buttons[0].normal_x;
        if (++step == 4) import_request = 1;
    };
    // Online off, annex; online on (recalculated) and off again, import.
    const std::string script = std::string(BAR_CLICK(491)) + CLICK_PRINT_OPTIONS + BAR_CLICK(545) +
                               CLICK_PRINT_OPTIONS + BAR_CLICK(491) + CLICK_PRINT_OPTIONS + BAR_CLICK(491) +
                               CLICK_PRINT_OPTIONS + CLICK_PRINT_OPTIONS + CLICK_END + "key Enter\n";
    EXPECT_EQ(Run(script), 1);
    EXPECT_EQ(valid, (std::vector<int>{1, 0, 1, 1, 1}));
    EXPECT_TRUE(Said("Die Daten wurden erfolgreich importiert."));
    EXPECT_EQ(corbel_model.lp, 15.0);
    EXPECT_EQ(corbel_model.hk, 60.0);
    EXPECT_NE(Read_File_Bytes(input).find(marker), std::string::npos);
    // The tie shown after the import is the imported corbel's.
    Calculate_Corbel(&corbel_model, nullptr, 0);
    ASSERT_EQ(tie.size(), 5u);
    EXPECT_EQ(tie[4], corbel_model.summary.final_As_h);
    EXPECT_NE(tie[4], tie[3]);
    // The online button shows the imported model's switch.
    EXPECT_EQ(online_image, 345);
}

// A beam-end corbel whose system differs from the one page 1 was built with, imported:
// nobody changed its system on the sheet, so its support dimensions stay as they came.
TEST_F(MainSheetSession, ImportedBeamEndCorbelKeepsItsDimensions)
{
    const std::string beam_end = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_03.INP");
    ASSERT_TRUE(Write_File_Bytes(input, beam_end));
    std::string support = beam_end;
    ASSERT_NE(support.find("\n 0\n 11\n"), std::string::npos);
    support.replace(support.find("\n 0\n 11\n"), 8, "\n 1\n 11\n");  // the system: support corbel
    const std::string export_path = Map_Path(dir.path() + "\\Q7-DI2ZE#export.dat");
    ASSERT_TRUE(Write_File_Bytes(export_path, support));
    Corbel_Model expected{};
    FILE* f = std::fopen(export_path.c_str(), "r");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(Read_Corbel_Model(f, &expected), 0);
    std::fclose(f);

    on_print_options = [] { import_request = 1; };
    install_page = [] { main_sheet_hooks.compose[0] = Compose_Register_Page_1; };
    // The import, then a pass that builds the page again.
    EXPECT_EQ(Run(std::string(CLICK_PRINT_OPTIONS) + "move 300 300\nmove 310 300\n" + CLICK_END + "key Enter\n"), 1);
    EXPECT_EQ(corbel_model.system, SYSTEM_SUPPORT_CORBEL);
    EXPECT_EQ(corbel_model.h, expected.h);
    EXPECT_EQ(corbel_model.beam_height, expected.beam_height);
    EXPECT_NE(expected.h, expected.beam_height);
    Free_Model(&expected);
}

// The main sheet on the screen: the bar's buttons from "Buttons.bmp", the page's field.
TEST_F(MainSheetSession, ScreenShowsTheBarAndThePage)
{
    std::vector<uint32_t> probes;
    const Screen_Image* buttons = nullptr;
    on_print_options = [&] {
        buttons = Load_Bitmap("Buttons.bmp");
        probes.push_back(Screen_Pixel_For_Tests(749 + 20, 9 + 18));  // "Ende", resting image
        probes.push_back(Screen_Pixel_For_Tests(5, 300));          // sheet face left of the page
    };
    EXPECT_EQ(Run(std::string(CLICK_PRINT_OPTIONS) + END_WITHOUT_SAVING), 0);
    ASSERT_EQ(probes.size(), 2u);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(probes[0], buttons->At(173 + 20, 51 + 18));
    EXPECT_EQ(probes[1], Resolve_Colour(GetZAVColor(-1)));
}

} // namespace

namespace {

// The program on position B1/1 (a copy of the example) in the directory, headless on
// 1024 x 768 under the script, with the further environment changes; a run that hangs is
// cut off after a minute (exit code 124).
Run_Result Run_On_Example(const Temp_Dir& dir, const std::string& script, const std::vector<std::string>& more = {})
{
    EXPECT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP")));
    EXPECT_TRUE(Write_File_Bytes(dir.file("s.txt"), script));
    std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                 "DRAM=" + dir.path(), "TEMP=" + dir.path(), "ZAV_SCRIPT=s.txt",
                                 "ZAV_SCREEN_SIZE=1024x768", "ZAV_SCREEN"};
    env.insert(env.end(), more.begin(), more.end());
    return Run_Program("/usr/bin/timeout", {"60", CORBEL_EXE, "B1", "0", "1", "1"}, dir.path(), env);
}

} // namespace

// The program itself, headless under a script: the corbel depth h_k typed on page 1
// (1024 x 768), "Ende" with saving. Exit code 1; the saved input is the original with that
// edit and with the anchorage values the calculation fills in where none were given; a
// refresh run reads it and writes its report.
TEST(MainSheetProgram, EditOnPageOneAndSave)
{
    Temp_Dir dir;
    const std::string example = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP");
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.INP"), example));
    ASSERT_TRUE(Write_File_Bytes(dir.file("s.txt"), "click 750 222\ntext \"45\"\nkey Enter\nclick 300 500\n"
                                                     "move 994 40\nmove 994 27\nwait 300\ndown\nup\nkey Enter\n"));
    const std::vector<std::string> env{"EXEC=" CORBEL_SOURCE_DIR "/data", "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                       "DRAM=" + dir.path(), "TEMP=" + dir.path(), "ZAV_SCRIPT=s.txt",
                                       "ZAV_SCREEN_SIZE=1024x768", "ZAV_SCREEN"};
    Run_Result r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1) << r.err;

    const std::string saved = Read_File_Bytes(dir.file("B1_01.INP"));
    std::string expected = example;
    const std::string geometry = " 30.000000 36.000000 120.000000 6.000000 12.000000 30.000000 40.000000";
    ASSERT_NE(expected.find(geometry), std::string::npos);
    expected.replace(expected.find(geometry), geometry.size(),
                     " 30.000000 36.000000 120.000000 6.000000 12.000000 30.000000 45.000000");
    const std::string no_anchorage = " 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000\n";
    ASSERT_NE(expected.find(no_anchorage), std::string::npos);
    expected.replace(expected.find(no_anchorage), no_anchorage.size(),
                     " 57.800000 0.000000 0.000000 0.000000 5.600000 21.000000 0.000000 0.000000 0.000000\n");
    EXPECT_EQ(saved, expected);

    std::remove(dir.file("B1_01.OLI").c_str());
    r = Run_Program(CORBEL_EXE, {"B1", "0", "1", "1", "-refresh"}, dir.path(), env);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(Read_File_Bytes(dir.file("B1_01.OLI")).find("Lastkonsole"), std::string::npos);
}

// The click that ends an edit also acts where it lands, once: into the next field (h_k
// 45, Enter goes on to l_k, a click into a types 20 there), onto the register tab
// "Bewehrung" (Enter had gone on to h), onto the bar's "Ende" (after the left column's
// bars typed as 4): the end dialog opens at once and Enter saves all three edits.
TEST(MainSheetProgram, ClickThatEndsAnEditActsWhereItLands)
{
    Temp_Dir dir;
    const Run_Result r = Run_On_Example(dir, "click 750 222\ntext \"45\"\nkey Enter\n"
                                             "click 750 288\ntext \"20\"\nkey Enter\n"
                                             "click 180 36\nclick 610 430\ntext \"4\"\n"
                                             "click 994 27\nkey Enter\n");
    EXPECT_EQ(r.exit_code, 1) << r.err;
    const std::string saved = Read_File_Bytes(dir.file("B1_01.INP"));
    EXPECT_NE(saved.find(" 6.000000 12.000000 30.000000 45.000000 "), std::string::npos) << saved;
    EXPECT_NE(saved.find(" 0 2 0.600000 45.000000 20.000000 3.000000 "), std::string::npos) << saved;
    EXPECT_NE(saved.find(" 2 2 2 2 4 2 8 8 1 1 8 8\n"), std::string::npos) << saved;
}

// A single click that comes straight from elsewhere acts at once: "Vorschau" as the very
// first action, the tab "Lasten" from the hovered "Daten exportieren", "Hilfe" and the tab
// "Bewehrung" from over the load table, "Hilfe" again (its topics prove the page changes).
TEST(MainSheetProgram, StraightClickFromElsewhereActsAtOnce)
{
    Temp_Dir dir;
    const Run_Result r = Run_On_Example(dir, "click 859 27\nmove 40 373\nmove 46 373\nwait 300\nclick 110 36\n"
                                             "move 100 520\nwait 300\nclick 949 27\n"
                                             "move 100 520\nwait 300\nclick 180 36\nclick 949 27\n");
    EXPECT_EQ(r.exit_code, 90) << r.err;
    EXPECT_EQ(Count_Of(r.err, "Vorschau: der Bericht steht in"), 1) << r.err;
    EXPECT_EQ(Count_Of(r.err, "Thema ro203_register2)"), 1) << r.err;
    EXPECT_EQ(Count_Of(r.err, "Thema ro203_register3)"), 1) << r.err;
    EXPECT_EQ(Count_Of(r.err, "exportiert"), 0) << r.err;
}

// A window asked for where none can be seen (no display at all, or one that does not
// answer, so that SDL falls back to its invisible driver): a line on standard error and
// the run goes on headless, here ending at once on the empty script (a hang would be cut
// off by the timeout's 124).
TEST(MainSheetProgram, WindowWithoutDisplayRunsHeadless)
{
    Temp_Dir dir;
    for (const char* display : {"DISPLAY", "DISPLAY=:4711"}) {
        const Run_Result r = Run_On_Example(dir, "", {"ZAV_SCREEN=window", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", display});
        EXPECT_EQ(r.exit_code, 90) << display << "\n" << r.err;
        EXPECT_NE(r.err.find("corbel: kein Fenster ("), std::string::npos) << display << "\n" << r.err;
    }
}

// "Vorschau" and "Hilfe" say in a message box what became of the click (a scripted run
// writes its boxes on standard error): where the report's PDF is, that no help viewer is
// installed.
TEST(MainSheetProgram, PreviewAndHelpShowAMessageBox)
{
    Temp_Dir dir;
    const Run_Result r = Run_On_Example(dir, "click 859 27\nclick 949 27\n");
    EXPECT_EQ(r.exit_code, 90) << r.err;
    EXPECT_NE(r.err.find("Vorschau: der Bericht steht in\nB1_01.pdf\n"), std::string::npos) << r.err;
    EXPECT_TRUE(File_Exists(dir.file("B1_01.pdf")));
    EXPECT_NE(r.err.find("es ist kein Hilfeprogramm installiert.\n(Hilfedatei RUVA_127.HLP, Thema ro203_register1)"),
              std::string::npos)
        << r.err;
}

// Closing the frame asks first, also while a field is being edited: "no" goes on with the
// edit, "yes" ends with nothing saved.
TEST(MainSheetProgram, ClosingTheFrameAsksAndSavesNothing)
{
    Temp_Dir dir;
    const Run_Result r = Run_On_Example(dir, "click 750 222\ntext \"4\"\nclose\nanswer no\ntext \"5\"\nkey Enter\n"
                                             "click 300 500\nclose\nanswer yes\n");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(Count_Of(r.err, "Aktuelle Bearbeitung abbrechen?"), 2) << r.err;
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_01.INP")), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP"));
    EXPECT_FALSE(File_Exists(dir.file("B1_01.OLI")));
}
