#include "sheets/loads_page.h"

#include "base/component_files.h"
#include "base/force_import.h"
#include "base/run_globals.h"
#include "core/corbel_model.h"
#include "sheets/program/corbel_dialogs.h"
#include "sheets/program/main_loop.h"
#include "platform/screen/screen.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/sheet_images.h"
#include "platform/screen/sheets.h"
#include "sheets/edit_buffer.h"
#include "sheets/register_pages.h"
#include "toolkit/scroll_area_internal.h"
#include "toolkit/table_editor.h"
#include "platform/messages.h"

#include "test_support.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A headless screen with one sheet and a scroll area over it, a model with defaults.
struct LoadsPage : ::testing::Test {
    int area = -1;
    std::string old_exec = std::getenv("EXEC") ? std::getenv("EXEC") : "";
    std::string old_temp = std::getenv("TEMP") ? std::getenv("TEMP") : "";
    Temp_Dir position;  // the position's files
    // The position's import protocol.
    std::string Protocol() const { return position.file(std::string("B1") + Get_File_Id_Suffix() + ".EXP"); }

    void SetUp() override { Start(""); }
    void Start(const std::string& script)
    {
        ::unsetenv("EXEC");  // no selection tool: only "Tabelle löschen" beside the tables
        Set_Component_Path((position.path() + "/B1").c_str());
        Screen_Start_For_Tests(script, 1280, 1024);
        Init_Prop_Sheets();
        Init_Screen_Palette();
        Define_Prop_Sheet(0, 0, 1279, 1023, 1, 0, "Konsole", 1, 1);
        area = Area_Create(10, 40, 1270, 1010, 0, 1);
        Activate_Prop_Sheet();
        Set_Corbel_Defaults(&corbel_model);
        results_valid = 0;  // no calculation belongs to the tables made here
        import_tool_available = -1;
    }
    void TearDown() override
    {
        for (int& h : load_table_handles) h = -1;
        for (int i = 0; i < TABLE_EDITOR_COUNT; ++i) Table_Editor_Delete(i);
        Area_Delete_All();
        Screen_Reset_For_Tests();
        Clear_Corbel_Model(&corbel_model);
        for (auto [name, old] : {std::pair{"EXEC", &old_exec}, std::pair{"TEMP", &old_temp}})
            old->empty() ? ::unsetenv(name) : ::setenv(name, old->c_str(), 1);
        Free_Import_Results();
        import_component = nullptr;
        Set_Component_Path(nullptr);
    }
    void Set_Table(int k, std::vector<std::pair<double, double>> rows)
    {
        Release_Load_Tables(&corbel_model);  // the page's tables would be read back over the model
        Alloc_Load_Table(&corbel_model, static_cast<int>(rows.size()), k);
        for (size_t i = 0; i < rows.size(); ++i) {
            corbel_model.load_table[k][i].A = rows[i].first;
            corbel_model.load_table[k][i].H = rows[i].second;
            std::snprintf(corbel_model.load_table[k][i].name, 48, "Lk %zu", i + 1);
        }
    }
    void Compose()
    {
        Area_Clear(area);
        Compose_Register_Page_2(area, 0, 0, 1250);
        Area_Update(area);
    }
    std::vector<Load_Table_Row> Rows(int k)
    {
        std::vector<Load_Table_Row> out;
        const int t = load_table_handles[k];
        for (void* d = Table_Editor_First_Row(t); d; d = Table_Editor_Next_Row(t))
            out.push_back(*static_cast<Load_Table_Row*>(d));
        return out;
    }
    int Count_Pixels(uint32_t rgb)
    {
        int n = 0;
        for (int y = 40; y < 1010; ++y)
            for (int x = 10; x < 1270; ++x) n += Screen_Pixel_For_Tests(x, y) == rgb;
        return n;
    }
};

} // namespace

TEST_F(LoadsPage, TablesShowTheModelInTheUnitAndReadBackAfterAUnitChange)
{
    Set_Table(0, {{12345.0, 500.0}, {-2000.0, 0.0}});
    corbel_model.unit_switch = LOAD_UNIT_KN_KNM;
    Compose();
    auto rows = Rows(0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_DOUBLE_EQ(rows[0].first_force, 0.5);  // H first
    EXPECT_DOUBLE_EQ(rows[0].second_force, 12.345);
    // Names: 40 characters blank-padded and terminated.
    EXPECT_EQ(std::strlen(rows[0].name), 40u);
    EXPECT_EQ(std::string(rows[0].name, 5), "Lk 1 ");

    // The switch changes: the next build reads the rows back in kN and shows them in N.
    corbel_model.unit_switch = LOAD_UNIT_N_NM;
    Compose();
    rows = Rows(0);
    EXPECT_DOUBLE_EQ(rows[0].second_force, 12345.0);
    EXPECT_DOUBLE_EQ(rows[1].second_force, -2000.0);

    // An edit in the table reaches the model when the tables are released.
    static_cast<Load_Table_Row*>(Table_Editor_First_Row(load_table_handles[0]))->first_force = 750.0;
    Release_Load_Tables(&corbel_model);
    EXPECT_EQ(load_table_handles[0], -1);
    ASSERT_EQ(corbel_model.load_count[0], 2);
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][0].H, 750.0);
    EXPECT_DOUBLE_EQ(corbel_model.load_table[0][0].A, 12345.0);
    EXPECT_EQ(std::string(corbel_model.load_table[0][1].name).substr(0, 4), "Lk 2");
}

TEST_F(LoadsPage, AnEmptiedTableReturnsWithOneZeroRow)
{
    Set_Table(0, {{1000.0, 10.0}});
    Compose();
    Table_Editor_Clear_Rows(load_table_handles[0]);
    Read_Back_Load_Table(&corbel_model.load_count[0], &corbel_model.load_table[0], 0);
    ASSERT_EQ(corbel_model.load_count[0], 1);
    EXPECT_EQ(corbel_model.load_table[0][0].A, 0.0);
    EXPECT_EQ(corbel_model.load_table[0][0].H, 0.0);
    EXPECT_STREQ(corbel_model.load_table[0][0].name, " ");
    // A model table without records reads back as one blank row.
    Release_Load_Tables(&corbel_model);
    corbel_model.load_count[0] = 0;
    Compose();
    EXPECT_EQ(Rows(0).size(), 0u);
    Release_Load_Tables(&corbel_model);
    EXPECT_EQ(corbel_model.load_count[0], 1);
}

TEST_F(LoadsPage, ImportedRowsFillLeadingEmptyRowsThenAppend)
{
    EXPECT_DOUBLE_EQ(Make_Imported_Row(1, 12.345f, 0.0f, LOAD_UNIT_N_NM).first_force, 12350.0);
    EXPECT_DOUBLE_EQ(Make_Imported_Row(1, 12.345f, -3.004f, LOAD_UNIT_KN_KNM).second_force, -3.0);
    EXPECT_EQ(std::string(Make_Imported_Row(3, 0, 0, 0).name), "Import Lk 3" + std::string(29, ' '));

    Set_Table(0, {{0.0, 0.0}});
    Compose();
    const Load_Table_Row imported[3] = {Make_Imported_Row(1, 1, 2, 0), Make_Imported_Row(2, 3, 4, 0),
                                        Make_Imported_Row(3, 5, 6, 0)};
    Merge_Imported_Rows(0, imported, 3);
    auto rows = Rows(0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].first_force, 1.0);
    EXPECT_EQ(rows[2].second_force, 6.0);

    // [filled, empty] receiving two: both after the empty row, which stays.
    Set_Table(0, {{5000.0, 0.0}, {0.0, 0.0}});
    Compose();
    Merge_Imported_Rows(0, imported, 2);
    rows = Rows(0);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].second_force, 0.0);
    EXPECT_EQ(rows[2].first_force, 1.0);
    EXPECT_EQ(rows[3].first_force, 3.0);
}

TEST_F(LoadsPage, TextRowsAreAppendedWithBoundedNames)
{
    Set_Table(0, {{1000.0, 0.0}});
    Compose();
    std::vector<char> names(3 * 41, '\0');
    std::memset(&names[41], 'N', 40);  // a label of the full width, no terminator of its own
    std::strcpy(&names[82], "Kombination 3");
    const double values[] = {1.5, 2.5, 3.0, 4.0, 5.0, 6.0};
    Append_Text_Rows(0, values, names.data(), 41, 3);
    auto rows = Rows(0);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].first_force, 1.5);
    EXPECT_EQ(rows[1].second_force, 2.5);
    EXPECT_EQ(std::string(rows[1].name), std::string(40, ' '));
    EXPECT_EQ(std::string(rows[2].name), std::string(40, 'N'));
    EXPECT_EQ(std::string(rows[3].name).substr(0, 14), "Kombination 3 ");
}

TEST_F(LoadsPage, FieldChecks)
{
    double v = 120.0;
    EXPECT_EQ(*Clamp_Percentage(&v), 100.0);
    v = -5.0;
    EXPECT_EQ(*Clamp_Percentage(&v), 0.0);
    v = 0.0;
    EXPECT_EQ(*Default_Loading_Age(&v), 28.0);
    v = 0.01;
    EXPECT_EQ(*Default_Loading_Age(&v), 0.01);
}

TEST_F(LoadsPage, ClearRequestMakesTheTableEmptyAndRemovesTheProtocol)
{
    Set_Table(0, {{1000.0, 10.0}, {2000.0, 20.0}});
    Write_File_Bytes(Protocol(), "ZAV-Export-Bauteil: R\n");
    Compose();
    // The protocol of earlier imports can be shown while there is one.
    auto protocol_button = [&] {
        for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
            if (p->type == AREA_TEXT && p->text && std::string(p->text) == "Importprotokoll anzeigen") return true;
        return false;
    };
    EXPECT_TRUE(protocol_button());
    load_table_requests[0][LOAD_REQUEST_CLEAR] = 1;
    EXPECT_EQ(Handle_Loads_Page_Events(), -1);
    EXPECT_FALSE(File_Exists(Protocol()));
    EXPECT_EQ(load_table_requests[0][LOAD_REQUEST_CLEAR], 0);
    EXPECT_EQ(Rows(0).size(), 0u);
    // Without the selection tool the import requests are dropped at the next build.
    load_table_requests[0][LOAD_REQUEST_COMPONENT] = 1;
    Compose();
    EXPECT_EQ(load_table_requests[0][LOAD_REQUEST_COMPONENT], 0);
    EXPECT_EQ(import_tool_available, 0);
    EXPECT_FALSE(protocol_button());
}

TEST_F(LoadsPage, ScreenshotOfThePage)
{
    Set_Table(0, {{12345.0, 500.0}, {2000.0, 100.0}});
    Compose();
    // The band behind "Tabelle löschen", the separator line, the table's values and the
    // sketch's load arrows.
    EXPECT_GT(Count_Pixels(0xFFFFC4), 500);
    EXPECT_GT(Count_Pixels(0xB10000), 20);
    EXPECT_GT(Count_Pixels(0x828282), 300);
    EXPECT_GT(Count_Pixels(0x0402FC), 20);
    if (const char* png = std::getenv("LOADS_PAGE_PNG")) screen::Write_Png(png);
}

namespace {
void Write_Script(const std::string& path, const std::string& body)
{
    Write_File_Bytes(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
}
} // namespace

// The whole chain: question box, component selection, selection tool, protocol.
TEST_F(LoadsPage, ComponentImportThroughTheToolsWritesTheProtocol)
{
    Temp_Dir exec, temp, work;
    Write_File_Bytes(work.file("Zorbitel.tmp"), "1 2 " + In_Guillemets("Riegel") + In_Guillemets("") +
                                                    In_Guillemets("Bemessung") + In_Guillemets("C:\\P\\R") +
                                                    In_Guillemets("") + In_Guillemets("") + " 0\n");
    Write_File_Bytes(work.file("Tramovik.res"), "V:1\n2 2\n12.345 2 1 1 " + In_Guillemets("a") + In_Guillemets("") +
                                                    "\n3 4 2 1 " + In_Guillemets("b") + In_Guillemets("") +
                                                    "\n2 Info\n" + In_Guillemets("KP 1") + " x\n");
    for (const char* tool : {"Zorbitel", "Tramovik"})
        Write_Script(exec.file(std::string(tool) + ".exe"),
                     "cp '" + work.file(std::string(tool) + (tool[0] == 'Z' ? ".tmp" : ".res")) + "' \"$TEMP/\"\n");
    for (int run = 0; run < 2; ++run) {
        Area_Delete_All();
        Screen_Reset_For_Tests();
        Start("key Enter\n");
        ::setenv("EXEC", exec.path().c_str(), 1);
        ::setenv("TEMP", temp.path().c_str(), 1);
        // The second run has no place for the protocol: the import still goes in.
        if (run == 1) Set_Component_Path((position.path() + "/nicht/da/B1").c_str());
        Set_Table(0, {{0.0, 0.0}});
        corbel_model.unit_switch = LOAD_UNIT_N_NM;
        Compose();
        load_table_requests[0][LOAD_REQUEST_COMPONENT] = 1;
        std::vector<uint32_t> before;
        for (int x = 500; x < 780; ++x) before.push_back(Screen_Pixel_For_Tests(x, 500));
        EXPECT_EQ(Handle_Loads_Page_Events(), -1);
        // The tools' waiting boxes are gone again.
        for (int x = 500; x < 780; ++x) EXPECT_EQ(Screen_Pixel_For_Tests(x, 500), before[x - 500]);
        auto rows = Rows(0);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_DOUBLE_EQ(rows[0].first_force, 12350.0);
        EXPECT_DOUBLE_EQ(rows[1].second_force, 4000.0);
        EXPECT_EQ(std::string(rows[1].name).substr(0, 10), "Import Lk ");
    }
    const std::string protocol = Read_File_Bytes(Protocol());
    EXPECT_EQ(protocol.rfind("ZAV-Export-Bauteil: Riegel (letzte Aktion: Bemessung)\nKontrollpunkt: KP 1\n"
                             "Import erfolgreich: ", 0), 0u);
    EXPECT_NE(protocol.find("\n----------------------\n"), std::string::npos);
    EXPECT_EQ(import_valid, 0);  // the sets are freed
}

// The text import: question box, file-name sheet, block "#S" appended in the unit shown.
TEST_F(LoadsPage, TextFileImportAppendsTheBlock)
{
    Write_File_Bytes(position.file("lasten.txt"), To_CRLF("#S Schnittgroessen\n12,5;3 Kombination 1\n7 8\n"));
    Area_Delete_All();
    Screen_Reset_For_Tests();
    Start("key Enter\nclick 500 518\ntext \"" + position.file("lasten.txt") + "\"\nkey Enter\nkey Enter\n");
    Set_Table(0, {{1000.0, 0.0}});
    std::strcpy(corbel_model.load_table[0][0].name, " ");  // a force without a name is a load row too
    Compose();
    load_table_requests[0][LOAD_REQUEST_TEXT] = 1;
    EXPECT_EQ(Handle_Loads_Page_Events(), -1);
    auto rows = Rows(0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].first_force, 12.5);
    EXPECT_EQ(rows[1].second_force, 3.0);
    EXPECT_EQ(std::string(rows[1].name), "Kombination 1" + std::string(27, ' '));
    EXPECT_EQ(std::string(rows[2].name), std::string(40, ' '));

    // A value beyond single precision ends the import: the rows before it are kept, and
    // the message names the line, the row, the value and the rows taken.
    Write_File_Bytes(position.file("b.txt"), "#S\n1 2\n3 4\n5 1e300\n7 8\n9 10\n");
    Area_Delete_All();
    Screen_Reset_For_Tests();
    Start("key Enter\nclick 500 518\nkey Ctrl+A\ntext \"" + position.file("b.txt") + "\"\nkey Enter\nkey Enter\n");
    Set_Table(0, {{1000.0, 0.0}});
    Compose();
    Clear_Shown_Messages();
    load_table_requests[0][LOAD_REQUEST_TEXT] = 1;
    Handle_Loads_Page_Events();
    rows = Rows(0);
    EXPECT_EQ(rows.size(), 3u);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Das Einlesen endet in Zeile 4 der Datei (Kombination 3):\n"
                                        "der Wert \"1e300\" ist zu gro\xE1.\n"
                                        "Es wurden 2 Schnittgr\x94\xE1" "enkombinationen \x81" "bernommen.");
}

// The table takes 10,000 rows: a file of exactly so many arrives whole in a new position,
// whose empty row it replaces, as in a cleared table; of 20,000 rows, imported into a
// table holding one (a name is a load row's), 9,999 arrive and the message says how many
// were left; a full table is said before any file is asked for.
TEST_F(LoadsPage, TextFileImportFillsTheTableToItsMaximumAndSaysWhatIsLeft)
{
    auto import = [&](const std::string& file, std::vector<std::pair<double, double>> table, const char* script,
                      bool clear = false) {
        Area_Delete_All();
        Screen_Reset_For_Tests();
        Start(script ? script : "key Enter\nclick 500 518\nkey Ctrl+A\ntext \"" + position.file(file) + "\"\nkey Enter\nkey Enter\n");
        Set_Table(0, std::move(table));
        Compose();
        if (clear) {
            load_table_requests[0][LOAD_REQUEST_CLEAR] = 1;
            Handle_Loads_Page_Events();
            Compose();
        }
        Clear_Shown_Messages();
        load_table_requests[0][LOAD_REQUEST_TEXT] = 1;
        Handle_Loads_Page_Events();
    };
    for (int n : {10000, 20000}) {
        std::string text = "#S\n";
        for (int i = 1; i <= n; ++i) text += std::to_string(i) + " 1 Z" + std::to_string(i) + "\n";
        Write_File_Bytes(position.file(std::to_string(n) + ".txt"), text);
    }
    import("10000.txt", {}, nullptr);
    auto rows = Rows(0);
    ASSERT_EQ(rows.size(), 10000u);
    EXPECT_EQ(rows.back().first_force, 10000.0);
    EXPECT_EQ(std::string(rows.back().name).substr(0, 7), "Z10000 ");
    EXPECT_TRUE(Shown_Messages().empty());

    import("20000.txt", {{1000.0, 0.0}}, nullptr, true);
    rows = Rows(0);
    ASSERT_EQ(rows.size(), 10000u);
    EXPECT_EQ(rows[0].first_force, 1.0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Es wurden 10000 von 20000 Schnittgr\x94\xE1" "enkombinationen \x81" "bernommen: "
                                        "die Tabelle fasst h\x94" "chstens 10000.");

    import("20000.txt", {{0.0, 0.0}}, nullptr);
    rows = Rows(0);
    ASSERT_EQ(rows.size(), 10000u);
    EXPECT_EQ(rows.back().first_force, 9999.0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Es wurden 9999 von 20000 Schnittgr\x94\xE1" "enkombinationen \x81" "bernommen: "
                                        "die Tabelle fasst h\x94" "chstens 10000 und enthielt schon 1.");

    import("", std::vector<std::pair<double, double>>(10000, {1.0, 0.0}), "");
    EXPECT_EQ(Rows(0).size(), 10000u);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Tabelle ist voll: sie fasst h\x94" "chstens 10000 Schnittgr\x94\xE1" "enkombinationen.");
}

// "Importprotokoll anzeigen": the protocol in an information box, closed with Esc.
TEST_F(LoadsPage, ProtocolRequestShowsTheProtocol)
{
    Area_Delete_All();
    Screen_Reset_For_Tests();
    Start("key Esc\n");
    Write_File_Bytes(Protocol(), "ZAV-Export-Bauteil: R (letzte Aktion: B)\nImport erfolgreich: 01.02.26 10:00\n");
    Compose();
    load_table_requests[0][LOAD_REQUEST_PROTOCOL] = 1;
    EXPECT_EQ(Handle_Loads_Page_Events(), -1);
    EXPECT_EQ(load_table_requests[0][LOAD_REQUEST_PROTOCOL], 0);
    EXPECT_EQ(Rows(0).size(), 1u);  // the table stays as it was
}

// The branches of the parameter sheet: the fatigue table of a load corbel on a column,
// the load share of indirect transfer (its fatigue table then goes back to the model).
TEST_F(LoadsPage, FatigueTableAndLoadShareBranches)
{
    corbel_model.system = SYSTEM_LOAD_CORBEL;
    corbel_model.connection = CONNECTION_COLUMN;
    corbel_model.execution = EXECUTION_SINGLE;
    corbel_model.load_transfer = LOAD_TRANSFER_DIRECT;
    corbel_model.fatigue_check = 1;
    Set_Table(1, {{3000.0, 0.0}, {1000.0, 0.0}});
    Compose();
    ASSERT_GE(load_table_handles[1], 0);
    EXPECT_EQ(Rows(1).size(), 2u);
    if (const char* png = std::getenv("LOADS_PAGE_PNG2")) screen::Write_Png(png);

    corbel_model.load_transfer = LOAD_TRANSFER_INDIRECT;
    corbel_edit_buffer.load_share_pct = 60.0;
    corbel_edit_buffer.load_share_rest_pct = 40.0;
    Compose();
    EXPECT_EQ(load_table_handles[1], -1);
    ASSERT_EQ(corbel_model.load_count[1], 2);
    EXPECT_EQ(corbel_model.load_table[1][0].A, 3000.0);
    // The horizontal force is not typed for indirect transfer: its fields are read-only.
    int editable_h = 0, fields = 0;
    for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
        if (p->type == AREA_FLOAT_FIELD && p->number == &static_cast<Load_Table_Row*>(Table_Editor_First_Row(load_table_handles[0]))->first_force) {
            ++fields;
            editable_h += *p->editable;
        }
    EXPECT_EQ(fields, 1);
    EXPECT_EQ(editable_h, 0);
    if (const char* png = std::getenv("LOADS_PAGE_PNG3")) screen::Write_Png(png);
}

// The heading over the load table: in every unit the force symbols (red) and the band's
// titles (black) stand over their own columns, H over the first number field, A over the
// second, the name's title over the name field; the band's cell bounds fall between the
// fields.
TEST_F(LoadsPage, HeadingCellsStandOverTheirColumns)
{
    Set_Table(0, {{12345.0, 500.0}});
    for (int unit = 0; unit < 3; ++unit) {
        corbel_model.unit_switch = unit;
        Compose();
        std::vector<std::pair<int, int>> fields;  // frames of the first row's fields, left to right
        std::string figure;
        int figure_x = 0, heading_x = 0;
        for (const Area_Item* p = Area_Slot(area)->first_item; p; p = p->next) {
            if (p->type == AREA_BITMAP && std::string(p->text).rfind("EC2_konlasten0_", 0) == 0 &&
                std::string(p->text) != "EC2_konlasten0_pic.bmp") {
                figure = p->text;
                figure_x = p->x1;
            }
            if (p->type == AREA_BITMAP && std::string(p->text) == "EC2_konlasten0.bmp") heading_x = p->x1;
            if ((p->type == AREA_FLOAT_FIELD || p->type == AREA_TEXT_FIELD) && fields.size() < 3) {
                const int w = p->type == AREA_FLOAT_FIELD ? Raise_To_Even(Area_Number_Width(p))
                                                          : Area_Text_Width(p->text, p->font);
                fields.push_back({p->x1 - 7, p->x1 + w + 7});
            }
        }
        ASSERT_EQ(fields.size(), 3u);
        Screen_Image image, band;
        ASSERT_TRUE(Make_Sheet_Bitmap(figure, image)) << figure;
        ASSERT_TRUE(Make_Sheet_Bitmap("EC2_konlasten0.bmp", band));
        // Runs of columns holding a pixel of the colour in the rows, as centres.
        auto centres = [&](int y1, int y2, auto match) {
            std::vector<int> out;
            int first = -1, last = -100;
            for (int x = 0; x <= image.width; ++x) {
                bool hit = false;
                for (int y = y1; y <= y2 && x < image.width; ++y) hit |= match(image.At(x, y));
                if (hit && x - last > 8) {
                    if (first >= 0) out.push_back((first + last) / 2);
                    first = x;
                }
                if (hit) last = x;
            }
            if (first >= 0) out.push_back((first + last) / 2);
            return out;
        };
        const auto symbols = centres(0, 43, [](uint32_t p) { return p == 0xB10000u; });
        const auto titles = centres(46, 63, [](uint32_t p) { return p == 0x000000u; });
        ASSERT_EQ(symbols.size(), 2u) << figure;
        ASSERT_EQ(titles.size(), 3u) << figure;
        for (size_t i = 0; i < 3; ++i) {
            if (i < 2) {
                EXPECT_GT(figure_x + symbols[i], fields[i].first) << figure << " symbol " << i;
                EXPECT_LT(figure_x + symbols[i], fields[i].second) << figure << " symbol " << i;
            }
            EXPECT_GT(figure_x + titles[i], fields[i].first) << figure << " title " << i;
            EXPECT_LT(figure_x + titles[i], fields[i].second) << figure << " title " << i;
        }
        // The band's cell bounds (grey columns through the band) lie in no field.
        for (int x = 0; x < band.width; ++x) {
            if (band.At(x, 55) != 0x808080u) continue;
            for (const auto& f : fields) EXPECT_FALSE(heading_x + x >= f.first && heading_x + x <= f.second) << x;
        }
    }
}

// The row numbers stand right-aligned left of the table and whole inside the area, up
// to the most rows a table takes; a table of fewer than ten rows stays where it was.
TEST_F(LoadsPage, RowNumbersShowWhole)
{
    for (int rows : {9, 10, 100, 10000}) {
        Set_Table(0, std::vector<std::pair<double, double>>(static_cast<size_t>(rows), {100.0, 10.0}));
        Compose();
        int numbers = 0, leftmost = 1 << 20, heading_x = -1;
        for (const Area_Item* p = Area_Slot(area)->first_item; p; p = p->next) {
            if (p->type == AREA_TEXT && p->text && std::isdigit(static_cast<unsigned char>(p->text[0])) &&
                p->text[std::strlen(p->text) - 1] == ':') {
                ++numbers;
                leftmost = std::min(leftmost, p->x1);
            }
            if (p->type == AREA_BITMAP && std::string(p->text) == "EC2_konlasten0.bmp") heading_x = p->x1;
        }
        EXPECT_EQ(numbers, rows);
        EXPECT_GE(leftmost, 0) << rows;
        if (rows == 9) {
            EXPECT_EQ(heading_x, 10);
        }
    }
}

// With online calculation a combination with a failed check is marked as one whose
// reinforcement could not be found: -1.00 in red, "nicht ok" on the governing row.
TEST_F(LoadsPage, AFailedCheckMarksItsRowLikeAFailedDesign)
{
    Set_Table(0, {{420000.0, 84000.0}, {365000.0, 73000.0}, {245000.0, 49000.0}});
    corbel_model.online_calculation = 1;
    Alloc_Load_Case_Results(&corbel_model);
    for (int i = 0; i < 3; ++i) corbel_model.results[i].Ast = 9.0 - i;
    corbel_model.results[0].failed_checks = DESIGN_CHECK_STRUT;
    corbel_model.results[2].failed_checks = DESIGN_NOT_CARRIED_OUT;
    corbel_model.summary.governing_case = 1;
    results_valid = 1;
    Compose();
    const auto rows = Rows(0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_DOUBLE_EQ(rows[0].utilisation, -1.0);
    EXPECT_DOUBLE_EQ(rows[1].utilisation, 8.0);
    EXPECT_DOUBLE_EQ(rows[2].utilisation, -1.0);
    EXPECT_EQ(rows[0].governing, 1);
}

// The utilisation column shows the calculation's values only while they belong to a
// design that ran: a load beyond the corbel's end (the data check rejects it) shows none.
TEST_F(LoadsPage, UtilisationsOnlyForADesignThatRan)
{
    Set_Table(0, {{300000.0, 0.0}});
    corbel_model.online_calculation = 1;
    Alloc_Load_Case_Results(&corbel_model);
    corbel_model.results[0].Ast = 4.5;
    results_valid = 1;
    auto utilisations = [&] {
        Compose();
        int n = 0;
        for (Area_Item* it = scroll_areas[area].first_item; it; it = it->next)
            n += it->type == AREA_FLOAT_FIELD && it->number && *it->number == 4.5;
        return n;
    };
    EXPECT_EQ(utilisations(), 1);
    corbel_model.load_a = corbel_model.lk + 5.0;
    EXPECT_EQ(utilisations(), 0);
}
