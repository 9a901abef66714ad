// A scripted session of the interactive program on page 2 (design parameters and load
// tables) of a copy of an example position: the page composed and served through the
// main loop's hooks as the interactive start registers them.
#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "sheets/program/main_loop.h"
#include "core/position_file.h"
#include "core/startup.h"
#include "sheets/program/program.h"
#include "platform/messages.h"
#include "platform/report_viewer.h"
#include "platform/screen/screen.h"
#include "sheets/edit_buffer.h"
#include "sheets/loads_page.h"
#include "sheets/register_pages.h"
#include "shot_pixels.h"
#include "test_support.h"
#include "toolkit/table_editor.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void Install_Loads_Page()
{
    edit_buffer_hooks.fill = Fill_Edit_Buffer;
    edit_buffer_hooks.apply = Apply_Edit_Buffer;
    main_sheet_hooks.init_palette = Init_Screen_Palette;
    main_sheet_hooks.compose[1] = Compose_Register_Page_2;
    main_sheet_hooks.page_events[1] = Handle_Loads_Page_Events;
}

class LoadsPageSession : public testing::Test {
protected:
    Temp_Dir dir;
    Shot_Dir shots;
    std::string input = dir.file("B1_01.INP");

    void SetUp() override
    {
        ASSERT_TRUE(Write_File_Bytes(input, Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/B1_01.INP")));
        Clear_Shown_Messages();
    }
    void TearDown() override
    {
        edit_buffer_hooks = Edit_Buffer_Hooks{};
        main_sheet_hooks = Main_Sheet_Hooks{};
        install_interactive_hooks = nullptr;
        for (int& h : load_table_handles) h = -1;
        for (int i = 0; i < TABLE_EDITOR_COUNT; ++i) Table_Editor_Delete(i);
        import_tool_available = -1;
        results_valid = 0;
        Screen_Reset_For_Tests();
    }
    int Run(const std::string& script)
    {
        const std::string script_file = dir.file("session.txt");
        EXPECT_TRUE(Write_File_Bytes(script_file, script));
        const std::vector<std::pair<const char*, std::string>> env = {
            {"ZAV_SCRIPT", script_file}, {"ZAV_SCREEN_SIZE", "1280x1024"},
            {"EXEC", CORBEL_SOURCE_DIR "/data"}, {"ZAV_PRIVAT_DATAPATH", dir.path()}, {"DRAM", dir.path()},
            {"TEMP", dir.path()}};
        for (const auto& [name, value] : env) ::setenv(name, value.c_str(), 1);
        const std::string cwd = std::filesystem::current_path().string();
        std::filesystem::current_path(dir.path());
        corbel_edit_buffer = Corbel_Edit_Buffer{};
        Reset_Main_Loop_State();
        install_interactive_hooks = Install_Loads_Page;
        std::vector<std::string> args{"corbel", "B1", "0", "1", "1"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int result = Corbel_Main(static_cast<int>(args.size()), argv.data());
        std::filesystem::current_path(cwd);
        for (const auto& e : env) ::unsetenv(e.first);
        return result;
    }
};

} // namespace

// Choose the unit N, type a vertical force in N, end with saving. On the 1280 x 1024
// screen: the unit choice at (855, 398) with "N / Nm" at (836, 442), the first row's
// vertical force at (193, 520), "Ende" in the bar at x 1249.
TEST_F(LoadsPageSession, UnitSwitchAndRowEditAreSaved)
{
    // The pick goes on to the next field; the click that ends that edit opens the row's.
    EXPECT_EQ(Run("click 855 398\nclick 836 442\n"
                  "wait 200\nclick 193 520\ntext \"500000\"\nkey Enter\nclick 600 900\n"
                  "move 1249 40\nmove 1249 27\nwait 300\ndown\nup\nkey Enter\n"),
              1);
    EXPECT_EQ(corbel_model.unit_switch, LOAD_UNIT_N_NM);
    ASSERT_EQ(corbel_model.load_count[0], 4);
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][0].A, 500000.0);  // typed in N
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][0].H, 84000.0);   // converted, not changed
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][3].A, 245000.0);

    // The saved position holds what the session ended with.
    Corbel_Model read_back{};
    FILE* f = std::fopen(input.c_str(), "r");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Read_Corbel_Model(f, &read_back), 0);
    std::fclose(f);
    EXPECT_EQ(read_back.unit_switch, LOAD_UNIT_N_NM);
    ASSERT_EQ(read_back.load_count[0], 4);
    EXPECT_DOUBLE_EQ(read_back.load_table[0][0].A, 500000.0);
    EXPECT_STREQ(read_back.load_table[0][1].name, "Eigengewicht + Schnee");
    for (Load_Combination*& t : read_back.load_table)
        if (t) MEM_FREE(t);
    if (read_back.results) MEM_FREE(read_back.results);
}

// The governing row's button (row 3 of B1/1, at (667, 566)) shows the results report; the
// page it is pressed on goes on showing and editing the rows themselves: a force typed
// into the first row afterwards is saved, the other rows are as they were.
TEST_F(LoadsPageSession, RowsStayEditableAfterTheResultsView)
{
    const int views = Get_Report_Viewer_State().calls;
    EXPECT_EQ(Run("click 667 566\nwait 200\n"
                  "click 110 520\ntext \"90\"\nkey Enter\nclick 600 900\nwait 200\n"
                  "move 1249 40\nmove 1249 27\nwait 300\ndown\nup\nkey Enter\n"),
              1);
    EXPECT_EQ(Get_Report_Viewer_State().calls, views + 1);
    ASSERT_EQ(corbel_model.load_count[0], 4);
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][0].H, 90000.0);
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][0].A, 420000.0);
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][2].H, 110000.0);
    EXPECT_STREQ(corbel_model.load_table[0][3].name, "nur Eigengewicht");
}

// With the environment's import tool installed, the text-file import button (at (639, 457))
// shows its question box at once, not when the pointer next moves: the shot taken right
// after the click has the box's title bar.
TEST_F(LoadsPageSession, TheTextImportBoxComesAtOnce)
{
    import_tool_available = 1;
    // The box's cancel button at (477, 651).
    EXPECT_EQ(Run("click 639 457\nshot box.png\nclick 477 651\nwait 100\n"
                  "move 1249 40\nmove 1249 27\nwait 300\ndown\nup\nkey Enter\n"),
              1);
    EXPECT_GT(shots.Count("box.png", 440, 358, 840, 372, [](uint32_t p) { return (p & 0xFF) > 0x50 && (p >> 16) < 0x30; }),
              1000);
}
