#include "sheets/loads_page.h"

#include "base/alloc.h"
#include "base/force_import.h"
#include "base/keyword_files.h"
#include "base/plane_geometry.h"
#include "base/utilities.h"
#include "sheets/program/corbel_dialogs.h"
#include "core/corbel_model.h"
#include "core/corbel_results.h"
#include "sheets/program/main_loop.h"
#include "platform/messages.h"
#include "platform/screen/texts.h"
#include "sheets/corbel_sketch.h"
#include "sheets/edit_buffer.h"
#include "sheets/register_pages.h"
#include "toolkit/keyword_file_sheet.h"
#include "toolkit/table_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

Load_Editor_State load_editor_state;
int load_table_handles[2] = {-1, -1};
int load_table_requests[2][4] = {};
int import_tool_available = -1;

namespace {

constexpr int max_rows = 10000;
constexpr int name_width = 41;
constexpr int name_chars = 40;

// The unit switch each live table was made with: its rows are read back in it.
int table_unit[2] = {0, 0};
// Where the tables stand, so that a cleared table is made again at its place.
int table_place_y[2] = {0, 0};
int table_place_x[2] = {0, 0};

// Set when the results view was shown while the page was drawn: writing its report read
// every live table back into the model and freed it, rows the page had just placed.
bool tables_released_while_drawn = false;

// Import question boxes: shown, values a combination, largest number of combinations.
int import_info[3] = {1, 2, max_rows};

const char* Unit_Texts[3] = {"kN / kNm ", "kN / kNcm", "N / Nm   "};

bool Is_Load_Corbel_On_Column(const Corbel_Model* m)
{
    return m->system == SYSTEM_LOAD_CORBEL && m->connection == CONNECTION_COLUMN;
}

double Display_Factor(int unit) { return unit == LOAD_UNIT_N_NM ? 1.0 : 0.001; }
double Storage_Factor(int unit) { return unit == LOAD_UNIT_N_NM ? 1.0 : 1000.0; }

// A name of at most 40 characters, blank-padded to 40, byte 40 zero: a text field over it
// edits 40 characters and never runs past the row.
void Set_Row_Name(char* name, const char* text)
{
    size_t n = text ? ::strnlen(text, name_chars) : 0;
    std::memcpy(name, text ? text : "", n);
    std::memset(name + n, ' ', name_chars - n);
    name[name_chars] = '\0';
}

// The position file stores a name's blanks as '~': a '~' of the name itself would come
// back as a blank, so it is not taken.
#define TILDE_NOT_ALLOWED                                                                  \
    "Das Zeichen \"~\" ist in der Bezeichnung einer Lastkombination nicht zul\x84ssig\n" \
    "(die Positionsdatei speichert damit Leerzeichen).\n"
const char kTildeRefused[] = TILDE_NOT_ALLOWED "Die Bezeichnung bleibt, wie sie war.";
const char kTildeReplaced[] = TILDE_NOT_ALLOWED "In den eingelesenen Bezeichnungen steht daf\x81r ein Leerzeichen.";
#undef TILDE_NOT_ALLOWED

bool Refuse_Tilde_In_Name(const char* text)
{
    if (!std::strchr(text, '~')) return true;
    PrintMessage(kTildeRefused);
    return false;
}

Load_Table_Row Blank_Row()
{
    Load_Table_Row r{};
    Set_Row_Name(r.name, "");
    return r;
}

bool Table_Live(int k) { return k >= 0 && k < 2 && load_table_handles[k] >= 0; }

int32_t* Cell(int state) { return Next_Widget_Value_Cell(state); }

// The row numbers stand right-aligned 3 pixels left of the table, which begins 5 pixels
// right of the panel: what the panel at x must move right so that the widest number of a
// table of the given rows keeps a pixel of the area's left edge free.
int Row_Number_Indent(int x, int rows)
{
    char widest[16];
    std::snprintf(widest, sizeof widest, "%d:", std::max(rows, 1));
    return std::max(0, Get_Text_Width_In_Font(widest, screen_palette.font_normal) - (x + 5 - 3) + 1);
}

void Text(int area, int x, int y, const char* text, int font = -1, int colour = -1, int align = 0)
{
    Area_Add_Text(area, x, y, text, font < 0 ? screen_palette.font_normal : font,
                  colour < 0 ? screen_palette.text_black : colour, align);
}

double* Clamp_Load_Share(double* value)
{
    Clamp_Percentage(value);
    Mark_Load_Share_Edited();
    return value;
}

// Appends one row to table k.
void Append_Row(int k, const Load_Table_Row& row) { Table_Editor_Add_Row(load_table_handles[k], &row); }

// The component import for table k: the protocol gets the component and the date.
void Import_Components(int k)
{
    FILE* protocol = Open_Export_Info_File(0, 0);
    Component_Selection* selection = nullptr;
    int n = 0;
    if (Show_Query_Box(1, 330, 140, nullptr, import_info, Draw_Component_Import_Info)) {
        selection = Select_Component(3);
        if (selection) n = Import_Beam_Cut_Results(selection, max_rows, 0x1005, 1, 12);
    }
    if (n < 1) {
        Free_Import_Results();
        if (protocol) std::fclose(protocol);
        return;
    }
    Write_If_Open(protocol, "ZAV-Export-Bauteil: %s", selection->name);
    Write_If_Open(protocol, " (letzte Aktion: %s)", selection->last_action);
    Write_If_Open(protocol, "\n");
    if (const char* check = Get_Import_Set_Checkpoint(0)) Write_If_Open(protocol, "Kontrollpunkt: %s\n", check);

    std::vector<Load_Table_Row> rows(static_cast<size_t>(std::min(n, max_rows)));
    std::vector<float> values(static_cast<size_t>(std::max(import_values_per_set, 2)));
    for (size_t i = 0; i < rows.size(); ++i) {
        std::fill(values.begin(), values.end(), 0.0f);
        Get_Import_Set_Values(static_cast<int>(i), values.data());
        rows[i] = Make_Imported_Row(static_cast<int>(i) + 1, values[0], values[1], table_unit[k]);
    }
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    if (t)
        Write_If_Open(protocol, "Import erfolgreich: %2.2d.%2.2d.%2.2d %2.2d:%2.2d\n", t->tm_mday, t->tm_mon + 1,
                      t->tm_year % 100, t->tm_hour, t->tm_min);
    Write_If_Open(protocol, "----------------------\n");
    if (protocol) std::fclose(protocol);
    Free_Import_Results();
    Merge_Imported_Rows(k, rows.data(), static_cast<int>(rows.size()));
}

// A new position and "Tabelle löschen" leave a table of one row without forces and
// without a name (before the page is built again, of none): a table that holds only
// that row holds no load. A row with a force or a name of its own is a load row.
bool Holds_Only_The_Empty_Row(int k)
{
    if (!Table_Live(k) || Table_Editor_Row_Count(load_table_handles[k]) != 1) return false;
    const auto* r = static_cast<const Load_Table_Row*>(Table_Editor_First_Row(load_table_handles[k]));
    if (!r || r->first_force != 0.0 || r->second_force != 0.0) return false;
    const size_t len = ::strnlen(r->name, name_chars);
    return std::all_of(r->name, r->name + len, [](char c) { return c == ' '; });
}

void Import_Text_File(int k)
{
    // The imported rows are appended: together with those in the table they may not pass
    // the table's maximum. A table holding only the empty row is replaced.
    const bool replace = Holds_Only_The_Empty_Row(k);
    const int present = Table_Live(k) && !replace ? Table_Editor_Row_Count(load_table_handles[k]) : 0;
    const int room = max_rows - present;
    if (room < 1) {
        char message[200];
        std::snprintf(message, sizeof message,
                      "Die Tabelle ist voll: sie fasst h\x94" "chstens %d Schnittgr\x94\xE1" "enkombinationen.",
                      max_rows);
        PrintMessage(message);
        return;
    }
    if (!Show_Query_Box(1, 390, 230, nullptr, import_info, Draw_Text_File_Import_Info)) return;
    // The reader stops one row before its capacity: one row more of room lets exactly
    // `room` rows arrive.
    std::vector<double> values(2 * static_cast<size_t>(room + 1));
    std::vector<char> names(static_cast<size_t>(room + 1) * name_width + 1, '\0');
    int rows = 0;
    Keyword_Block_Stop stop;
    Import_Keyword_Block(values.data(), &rows, 2, 2, room + 1, names.data(), name_width, 'S', &stop);
    if (rows > 0 && replace) Table_Editor_Clear_Rows(load_table_handles[k]);
    if (rows > 0) Append_Text_Rows(k, values.data(), names.data(), name_width, rows);
    if (stop.rows_beyond > 0) {
        char message[300];
        const int n = std::snprintf(message, sizeof message,
                                    "Es wurden %d von %d Schnittgr\x94\xE1" "enkombinationen \x81" "bernommen: "
                                    "die Tabelle fasst h\x94" "chstens %d",
                                    rows, rows + stop.rows_beyond, max_rows);
        if (present > 0 && n > 0 && n < static_cast<int>(sizeof message))
            std::snprintf(message + n, sizeof message - static_cast<size_t>(n), " und enthielt schon %d", present);
        std::strncat(message, ".", sizeof message - std::strlen(message) - 1);
        PrintMessage(message);
    } else if (stop.line > 0) {
        // The rows before the value are kept: say where the file has to be mended.
        char taken[80];
        if (rows == 1)
            std::snprintf(taken, sizeof taken, "Es wurde 1 Schnittgr\x94\xE1" "enkombination \x81" "bernommen.");
        else if (rows > 1)
            std::snprintf(taken, sizeof taken, "Es wurden %d Schnittgr\x94\xE1" "enkombinationen \x81" "bernommen.", rows);
        else
            std::snprintf(taken, sizeof taken, "Es wurden keine Schnittgr\x94\xE1" "enkombinationen \x81" "bernommen.");
        char message[300];
        std::snprintf(message, sizeof message,
                      "Das Einlesen endet in Zeile %d der Datei (Kombination %d):\n"
                      "der Wert \"%s\" %s.\n%s",
                      stop.line, stop.row, stop.value,
                      stop.too_large ? "ist zu gro\xE1" : "ist keine Zahl", taken);
        PrintMessage(message);
    } else if (rows < 1) {
        PrintMessage("Es wurden keine Schnittgr\x94\xE1" "enkombinationen eingelesen.\n"
                     "Bitte \x81" "berpr\x81" "fen Sie das Dateiformat.");
    }
}

void Clear_Table(int k)
{
    Table_Editor_Delete(load_table_handles[k]);
    const int t = Create_Load_Table(load_editor_state.area, table_place_y[k], table_place_x[k] + 5,
                                    table_place_x[k] + 630, 22, nullptr, k);
    load_table_handles[k] = t;
    Table_Editor_Set_Max_Rows(t, max_rows);
    Table_Editor_Draw(t);
    Open_Export_Info_File(1, 0);
}

void Show_Protocol()
{
    const int lines = Count_Export_Info_Lines();
    Show_Query_Box(-1, 700, std::max(18 * lines, 500) + 44, nullptr, nullptr, Draw_Export_Info_Lines);
}

// The buttons beside a table's heading.
void Put_Table_Buttons(int area, int x, int y, int k)
{
    int* req = load_table_requests[k];
    if (import_tool_available > 0) {
        const int key = screen_palette.white;
        const int yb = y + 35;
        // "Schnittgrößen aus <picture> Bauteil importieren <button>", each measured, so that
        // the picture stands between the words whatever their width.
        const char* before = "Schnittgr\x94\xE1" "en aus";
        const char* after = "Bauteil importieren";
        const int font = screen_palette.font_normal;
        const int picture_x = x + Get_Text_Width_In_Font(before, font) + 6;
        const int after_x = picture_x + 55 + 6;
        const int button_x = std::max(x + 245, after_x + Get_Text_Width_In_Font(after, font) + 8);
        Text(area, x, yb, before);
        Area_Add_Bitmap(area, "SniQ7.bmp", picture_x, yb - 14, picture_x + 55, yb + 4, key);
        Text(area, after_x, yb, after);
        Area_Add_Bitmap_Button(area, button_x, yb - 20, 51, 33, "SniGrImportButton.bmp", 0, key, 18,
                               "Schnittgr\x94\xE1" "enimport aus\nQ7-TORM\xFD (2D-Rahmen)\nQ7-BLIX\xFD (3D-Stabtragwerk)", 1,
                               &req[LOAD_REQUEST_COMPONENT], Cell(1));
        Text(area, x + 360, yb, "Schnittgr\x94\xE1" "en aus Text-Datei einlesen");
        Area_Add_Bitmap_Button(area, x + 595, yb - 20, 51, 36, "SniGrImportButton.bmp", 76, key, 18,
                               "Bemessungslasten\naus Text-Datei\neinlesen", 1, &req[LOAD_REQUEST_TEXT], Cell(1));
        Text(area, x + 730, yb, "Tabelle l\x94schen");
        Area_Add_Bitmap_Button(area, x + 830, yb - 20, 51, 36, "SniGrImportButton.bmp", 36, key, 18,
                               "Tabelle l\x94schen", 1, &req[LOAD_REQUEST_CLEAR], Cell(1));
    } else {
        req[LOAD_REQUEST_COMPONENT] = 0;
        req[LOAD_REQUEST_TEXT] = 0;
        Area_Add_Box(area, x + 715, y - 14, x + 840, y + 6, screen_palette.highlight_band);
        Draw_Action_Button(area, x + 740, y, &req[LOAD_REQUEST_CLEAR], "Tabelle l\x94schen", 0);
    }
    // The protocol of earlier component imports, while there is one.
    if (k == 0 && Count_Export_Info_Lines() > 0) {
        Draw_Action_Button(area, import_tool_available > 0 ? x + 360 : x + 500, y, &req[LOAD_REQUEST_PROTOCOL],
                           "Importprotokoll anzeigen", 0);
    }
}

} // namespace

double* Clamp_Percentage(double* value)
{
    if (*value < 0.0) *value = 0.0;
    if (*value > 100.0) *value = 100.0;
    return value;
}

double* Default_Loading_Age(double* value)
{
    if (*value < 0.01) *value = 28.0;
    return value;
}

int Create_Load_Table(int area, int y, int x1, int x2, int row_height, const Corbel_Model* model, int k)
{
    const int t = Table_Editor_Create(area, y, x1, x2, row_height, sizeof(Load_Table_Row), Draw_Load_Table_Row);
    if (t < 0) return t;
    const Load_Table_Row blank = Blank_Row();
    Table_Editor_Set_Template(t, &blank);
    Table_Editor_Enable(t, 4, -3, 10);
    Table_Editor_Enable(t, 1, 0, -2);
    Table_Editor_Enable(t, 2, 19, -2);
    Table_Editor_Enable(t, 3, 3, -2);
    if (k >= 0 && k < 2) table_unit[k] = model ? model->unit_switch : load_editor_state.unit_switch;
    if (!model || k < 0 || k > 1 || !model->load_table[k]) return t;

    const double factor = Display_Factor(model->unit_switch);
    const bool results = k == 0 && model->results && Results_Shown(*model);
    for (int i = 0; i < model->load_count[k]; ++i) {
        const Load_Combination& c = model->load_table[k][i];
        Load_Table_Row r = Blank_Row();
        Set_Row_Name(r.name, c.name);
        r.first_force = c.H * factor;
        r.second_force = c.A * factor;
        if (results) {
            // A combination with a failed check, or whose design could not be carried out,
            // is marked as one whose reinforcement could not be found.
            const Load_Case_Result& result = model->results[i];
            const double u = result.Ast;
            r.utilisation = u < -0.1 || result.failed_checks != 0 ? -1.0 : u;
            r.governing = model->summary.governing_case == i + 1 ? 1 : 0;
        }
        Table_Editor_Add_Row(t, &r);
    }
    return t;
}

int Draw_Load_Table_Row(int, int area, int x, int y, void* data)
{
    auto* row = static_cast<Load_Table_Row*>(data);
    const Load_Editor_State& s = load_editor_state;
    const Screen_Palette& p = screen_palette;
    const int yb = y + 10;
    Area_Add_Float_Field(area, x + 47, yb, &row->first_force, "%8.1f", p.font_normal, p.info_blue,
                         Cell(s.first_column_locked ? 0 : 1));
    Area_Add_Float_Field(area, x + 129, yb, &row->second_force, "%8.1f", p.font_normal, p.info_blue, Cell(1));
    Area_Add_Text_Field(area, x + 211, yb, row->name, p.font_normal, p.info_blue, Cell(1));
    Area_Set_Item_Check(area, Refuse_Tilde_In_Name);
    if (s.results && s.table == 0) {
        Area_Add_Float_Field(area, x + 549, yb, &row->utilisation, "%8.2f", p.font_normal,
                             row->utilisation < -0.1 ? p.warning_red : p.label_brown, Cell(0));
        if (row->governing) {
            Area_Add_Box(area, x + 626, y - 6, x + 781, y + 17, p.highlight_band);
            Draw_Action_Button(area, x + 656, yb, &load_editor_state.governing_button,
                               row->utilisation < -0.1 ? "nicht ok, Lk anzeigen" : "ma\xE1geb. Lk anzeigen", 0);
        }
    }
    return 1;
}

void Read_Back_Load_Table(int* count, Load_Combination** array, int k)
{
    if (!count || !array || !Table_Live(k)) return;
    const int t = load_table_handles[k];
    const double factor = Storage_Factor(table_unit[k]);
    if (*array) Mem_Free(__FILE__, __LINE__, "lasten_127", *array);
    const int n = std::max(1, Table_Editor_Row_Count(t));
    auto* rows = static_cast<Load_Combination*>(
        Mem_Calloc(__FILE__, __LINE__, "lasten_127", static_cast<uint32_t>(n), sizeof(Load_Combination)));
    if (!rows) Abort_Out_Of_Memory();
    for (int i = 0; i < n; ++i) std::strcpy(rows[i].name, " ");
    int i = 0;
    for (void* d = Table_Editor_First_Row(t); d && i < n; d = Table_Editor_Next_Row(t), ++i) {
        const auto* r = static_cast<const Load_Table_Row*>(d);
        rows[i].H = r->first_force * factor;
        rows[i].A = r->second_force * factor;
        const size_t len = ::strnlen(r->name, name_chars);
        std::memcpy(rows[i].name, r->name, len);
        rows[i].name[len] = '\0';
    }
    *array = rows;
    *count = n;
}

void Release_Load_Tables(Corbel_Model* model)
{
    if (!model) return;
    for (int k = 0; k < 2; ++k) {
        if (!Table_Live(k)) continue;
        Read_Back_Load_Table(&model->load_count[k], &model->load_table[k], k);
        Table_Editor_Delete(load_table_handles[k]);
        load_table_handles[k] = -1;
    }
}

void Append_Text_Rows(int k, const double* values, const char* names, int width, int rows)
{
    if (!Table_Live(k) || !values) return;
    bool tilde = false;
    for (int i = 0; i < rows; ++i) {
        Load_Table_Row r = Blank_Row();
        r.first_force = values[2 * i];
        r.second_force = values[2 * i + 1];
        if (names && width > 0) {
            char text[name_width] = "";
            std::snprintf(text, sizeof text, "%.*s", std::min(width - 1, name_chars), names + static_cast<size_t>(i) * width);
            for (char* c = std::strchr(text, '~'); c; c = std::strchr(c, '~')) {
                *c = ' ';
                tilde = true;
            }
            Set_Row_Name(r.name, text);
        }
        Append_Row(k, r);
    }
    if (tilde) PrintMessage(kTildeReplaced);
}

Load_Table_Row Make_Imported_Row(int number, float first, float second, int unit_switch)
{
    const double factor = unit_switch == LOAD_UNIT_N_NM ? 1000.0 : 1.0;
    Load_Table_Row r = Blank_Row();
    char name[32];
    std::snprintf(name, sizeof name, "Import Lk %d", number);
    Set_Row_Name(r.name, name);
    r.first_force = Round_To_Step(static_cast<double>(first), 0.01) * factor;
    r.second_force = Round_To_Step(static_cast<double>(second), 0.01) * factor;
    return r;
}

void Merge_Imported_Rows(int k, const Load_Table_Row* rows, int n)
{
    if (!Table_Live(k) || !rows) return;
    const int t = load_table_handles[k];
    int i = 0;
    for (void* d = Table_Editor_First_Row(t); d && i < n; d = Table_Editor_Next_Row(t), ++i) {
        auto* r = static_cast<Load_Table_Row*>(d);
        if (std::fabs(r->first_force) > 0.01 || std::fabs(r->second_force) > 0.01) break;
        *r = rows[i];
        r->utilisation = 0.0;
        r->governing = 0;
    }
    for (; i < n; ++i) {
        Load_Table_Row r = rows[i];
        r.utilisation = 0.0;
        r.governing = 0;
        Append_Row(k, r);
    }
}

namespace {

// What a table's request buttons ask for, in the order they are served.
struct Load_Request_Action {
    int request;
    bool needs_live_table;
    void (*act)(int table);
};
const Load_Request_Action kLoadRequestActions[] = {
    {LOAD_REQUEST_COMPONENT, true, Import_Components},
    {LOAD_REQUEST_PROTOCOL, false, [](int) { Show_Protocol(); }},
    {LOAD_REQUEST_TEXT, true, Import_Text_File},
    {LOAD_REQUEST_CLEAR, true, Clear_Table},
};

// Serves the first request a table's buttons set; whether there was one.
bool Serve_Load_Request()
{
    for (int k = 0; k < 2; ++k) {
        int* req = load_table_requests[k];
        for (const Load_Request_Action& a : kLoadRequestActions) {
            if (!req[a.request]) continue;
            req[a.request] = 0;
            if (!a.needs_live_table || Table_Live(k)) a.act(k);
            return true;
        }
    }
    return false;
}

} // namespace

int Handle_Loads_Page_Events()
{
    if (Serve_Load_Request()) return -1;
    for (int k = 0; k < 2; ++k) {
        if (!Table_Live(k)) continue;
        const int code = Table_Editor_Handle_Event(load_table_handles[k]);
        if (code > 0) return code;
    }
    // The page's buttons lie in the area: a click on one is served at once, not only
    // when the next event comes (the import's box would wait for the pointer to move).
    const int area = load_editor_state.area;
    if (area < 0 || !Area_Handle_Event(area)) return 3;
    Serve_Load_Request();
    return -1;
}

void Put_Load_Table_Panel(Corbel_Model* model, int area, int x, int* y, int width, int k)
{
    (void)width;
    if (!model || !y || k < 0 || k > 1) return;
    x += Row_Number_Indent(x, Table_Live(k) ? Table_Editor_Row_Count(load_table_handles[k]) : model->load_count[k]);
    const int y0 = *y;
    const int key = screen_palette.white;
    const bool beam_end = model->execution == EXECUTION_BEAM_END;
    Area_Add_Bitmap(area, "EC2_konlasten0.bmp", x, y0, x + 630, y0 + 65, key);
    const int unit = std::clamp(model->unit_switch, 0, 2);
    static const char* const figures[2][3] = {
        {"EC2_konlasten0_1.bmp", "EC2_konlasten0_2.bmp", "EC2_konlasten0_3.bmp"},
        {"EC2_konlasten0_1p.bmp", "EC2_konlasten0_2p.bmp", "EC2_konlasten0_3p.bmp"}};
    if (model->online_calculation && k == 0)
        Area_Add_Bitmap(area, beam_end ? "EC2_konlasten0a_p.bmp" : "EC2_konlasten0a.bmp", x + 544, y0, x + 627,
                        y0 + 65, key);
    Area_Add_Bitmap(area, figures[beam_end ? 1 : 0][unit], x, y0, x + 535, y0 + 65, key);
    // The sign picture of the forces stands right of everything beside the table (the
    // governing row's button reaches x + 786, the import buttons x + 881).
    if (k == 0) Area_Add_Bitmap(area, "EC2_konlasten0_pic.bmp", x + 950, y0, x + 1185, y0 + 210, key);

    if (Table_Live(k)) {
        Read_Back_Load_Table(&model->load_count[k], &model->load_table[k], k);
        Table_Editor_Delete(load_table_handles[k]);
        load_table_handles[k] = -1;
    }
    release_load_tables_fn = Release_Load_Tables;

    Load_Editor_State& s = load_editor_state;
    s.x = x;
    s.row_height = 22;
    s.area = area;
    s.unit_switch = model->unit_switch;
    s.results = k == 0 && Results_Shown(*model);
    s.first_column_locked = model->system == SYSTEM_LOAD_CORBEL && model->load_transfer == LOAD_TRANSFER_INDIRECT;
    s.table = k;
    s.table_y = y0 + 70;
    table_place_x[k] = x;
    table_place_y[k] = y0 + 70;

    const int t = Create_Load_Table(area, y0 + 70, x + 5, x + 630, 22, model, k);
    load_table_handles[k] = t;
    Table_Editor_Set_Max_Rows(t, max_rows);
    Table_Editor_Draw(t);
    *y = y0 + 95 + 22 * std::max(0, Table_Editor_Row_Count(t));

    if (s.governing_button) {
        s.governing_button = 0;
        Show_Results_Table();
        tables_released_while_drawn = true;
    }
}

void Draw_Parameter_Sheet(Corbel_Model* m, int area, int x, int* y, int line_step, int small_step, int width)
{
    (void)small_step;
    if (!m || !y) return;
    const Screen_Palette& p = screen_palette;
    Corbel_Edit_Buffer& b = corbel_edit_buffer;
    int32_t* on = Cell(p.cell_on);
    static const Choice_Entry methods[6] = {
        {0, "Stabwerkmodell"},   {0, "Heft 399, DAfStb"}, {0, "Heft 600, DAfStb"},
        {0, "EC 2-1-1, 6.5"},    {0, "Heft 430, DAfStb"}, {0, "Fachwerkmodell"},
    };
    static Choice_Entry method_list[6];
    static bool methods_made = false;
    if (!methods_made) {
        const int colours[6] = {p.frame_grey, p.frame_grey, p.text_black, p.text_black, p.frame_grey, p.frame_grey};
        for (int i = 0; i < 6; ++i) method_list[i] = {colours[i], methods[i].text};
        methods_made = true;
    }
    const bool column_load = Is_Load_Corbel_On_Column(m);
    const bool single = m->execution == EXECUTION_SINGLE;

    // The sketch at the top right.
    int sketch_bottom = *y - 10;
    Add_Corbel_Sketch(area, m, 0, width - 440, &sketch_bottom);

    Text(area, x, *y, "Bemessungsparameter", p.font_heading);
    *y += line_step;
    Text(area, x, *y, "Last\x81" "bertragung");
    Area_Add_Radio_Button(area, x + 200, *y, column_load ? "direkt" : "Variante 1", p.font_normal, p.text_black, 0,
                          &m->load_transfer, on);
    Area_Add_Radio_Button(area, x + 340, *y, column_load ? "indirekt (angeh\x84ngte Last)" : "Variante 2",
                          p.font_normal, p.text_black, 1, &m->load_transfer, Cell(single ? 1 : 0));
    *y += line_step;

    if (m->load_transfer == LOAD_TRANSFER_INDIRECT) {
        Text(area, x, *y, "Verteilungszahl");
        Text(area, x + 180, *y, column_load ? "Lastanteil oben" : "Lastanteil vertikal");
        Text(area, x + 338, *y, "A", -1, -1, 1);
        Text(area, x + 343, *y - 4, ".");
        Area_Add_Float_Field(area, x + 358, *y, &b.load_share_pct, "%5.1f", p.font_normal, p.info_blue, on);
        Area_Set_Item_Check(area, Clamp_Load_Share);
        Text(area, x + 415, *y, "%", -1, p.unit_text);
        *y += line_step;
        Text(area, x + 180, *y, column_load ? "Lastanteil unten" : "Lastanteil schr\x84g");
        Text(area, x + 338, *y, "A", -1, -1, 1);
        Text(area, x + 343, *y - 4, ".");
        Area_Add_Float_Field(area, x + 358, *y, &b.load_share_rest_pct, "%5.1f", p.font_normal, p.info_blue, Cell(0));
        Text(area, x + 415, *y, "%", -1, p.unit_text);
        *y += line_step;
        if (b.load_share_rest_pct > 0.01) {
            Text(area, x, *y, "Neigung der schr\x84gen Bewehrung");
            Text(area, x + 330, *y, "\xBA", -1, -1, 1);
            Area_Add_Float_Field(area, x + 350, *y, &m->inclination, "%6.1f", p.font_normal, p.info_blue, on);
            Area_Set_Item_Check(area, Clamp_Non_Negative);
            Text(area, x + 405, *y, "\xF8", -1, p.unit_text);
            *y += line_step;
        }
    }

    Text(area, x, *y, "Berechnungsverfahren");
    Area_Add_Choice(area, x + 180, *y, method_list, p.font_normal, 13, 4, &m->method, Cell(single ? 1 : 0));
    *y += line_step;

    bool skip_to_line = false;
    if (m->lp > 0.01) {
        if (column_load && m->load_transfer == LOAD_TRANSFER_INDIRECT) {
            skip_to_line = true;
        } else {
            Text(area, x, *y, "Lagerpressung");
            Text(area, x + 180, *y, "Lagerfuge");
            Area_Add_Radio_Button(area, x + 270, *y, "trocken", p.font_normal, p.text_black, 1, &m->bed_joint, on);
            Area_Add_Radio_Button(area, x + 350, *y, "Gleit-/Elastomerlager", p.font_normal, p.text_black, 0,
                                  &m->bed_joint, on);
            *y += line_step;
        }
    }
    if (!skip_to_line && column_load && single && m->load_transfer == LOAD_TRANSFER_DIRECT) {
        *y += 5;
        Area_Add_Check_Box(area, x + 20, *y, "Erm\x81" "dungsnachweis (vereinfachtes Verfahren)", p.font_normal,
                           p.text_black, &m->fatigue_check, on);
        *y += line_step;
        if (m->fatigue_check) {
            Text(area, x, *y, "Spannungsdifferenz");
            Text(area, x + 190, *y, "\xA3\xCC", -1, -1, 1);
            Text(area, x + 191, *y + 3, "s", p.font_index);
            Area_Add_Float_Field(area, x + 210, *y, &m->stress_range, "%6.1f", p.font_normal, p.info_blue, on);
            Area_Set_Item_Check(area, Clamp_Non_Negative);
            Text(area, x + 277, *y, "N/mm\xFD", -1, p.unit_text);
            *y += line_step;
            Text(area, x, *y, "Erstbelastung des Betons");
            Text(area, x + 190, *y, "t", -1, -1, 1);
            Text(area, x + 191, *y + 3, "0", p.font_index);
            Area_Add_Float_Field(area, x + 210, *y, &m->first_loading, "%6.1f", p.font_normal, p.info_blue, on);
            Area_Set_Item_Check(area, Default_Loading_Age);
            Text(area, x + 277, *y, "d", -1, p.unit_text);
            *y += line_step;
        }
    }
    if (!skip_to_line && single && (m->system == SYSTEM_SUPPORT_CORBEL || m->connection == CONNECTION_BEAM) &&
        m->method == 3) {
        Text(area, x, *y, "aus Schubbemessung");
        Text(area, x + 180, *y, "Druckstrebenwinkel");
        Area_Add_Radio_Button(area, x + 325, *y, "minimal", p.font_normal, p.text_black, 0, &m->strut_angle_mode, on);
        Area_Add_Radio_Button(area, x + 395, *y, "\xB0 =", p.font_normal, p.text_black, 1, &m->strut_angle_mode, on);
        Area_Add_Float_Field(area, x + 430, *y, &m->strut_angle, "%4.1f", p.font_normal, p.info_blue,
                             Cell(m->strut_angle_mode == 1 ? 1 : 0));
        Text(area, x + 470, *y, "\xF8", -1, p.unit_text);
        *y += line_step;
    }

    *y = std::max(*y, sketch_bottom);
    Area_Add_Line(area, x, *y, width - 10, *y, p.frame_grey);
    *y += line_step + 10;

    if (import_tool_available < 0) import_tool_available = Check_Force_Selection_Tool();
    static const Choice_Entry units[3] = {{0, Unit_Texts[0]}, {0, Unit_Texts[1]}, {0, Unit_Texts[2]}};
    static Choice_Entry unit_list[3];
    for (int i = 0; i < 3; ++i) unit_list[i] = {p.info_blue, units[i].text};
    Text(area, x + 660, *y, "Kr\x84" "fte / Momente in ");
    Area_Add_Choice(area, x + 790, *y, unit_list, p.font_normal, 7, 3, &m->unit_switch, on);
    *y += line_step;

    Text(area, x, *y, "Bemessungsschnittgr\x94\xE1" "en (GZT)", p.font_heading);
    Put_Table_Buttons(area, x, *y, 0);
    *y += import_tool_available > 0 ? 60 : line_step;
    Put_Load_Table_Panel(m, area, x, y, width, 0);

    if (column_load && single && m->load_transfer == LOAD_TRANSFER_DIRECT && m->fatigue_check) {
        *y += line_step + 10;
        Text(area, x, *y, "Bemessungsschnittgr\x94\xE1" "en (Erm\x81" "dungsnachweis, GZG)", p.font_heading);
        Put_Table_Buttons(area, x, *y, 1);
        *y += import_tool_available > 0 ? 60 : line_step;
        Put_Load_Table_Panel(m, area, x, y, width, 1);
    } else if (Table_Live(1)) {
        // The fatigue table is not shown: its rows go back into the model.
        Read_Back_Load_Table(&m->load_count[1], &m->load_table[1], 1);
        Table_Editor_Delete(load_table_handles[1]);
        load_table_handles[1] = -1;
    }
}

int* Draw_Component_Import_Info(int area, int x, int* y, void* data)
{
    const int* info = static_cast<const int*>(data);
    if (!info || !y || info[0] != 1) return nullptr;
    const Screen_Palette& p = screen_palette;
    const int c = p.label_brown;
    Text(area, x, *y, "Es werden Bemessungsschnittgr\x94\xE1" "en", p.font_heading, c);
    Text(area, x, *y + 18, "im Lasteinleitungspunkt importiert.", p.font_heading, c);
    Text(area, x, *y + 41, "Dazu muss im exportierenden Q7-Programm", -1, c);
    Text(area, x, *y + 59, "ein Schnitt festgelegt sein.", -1, c);
    char line[120];
    std::snprintf(line, sizeof line, "Es k\x94nnen maximal %d Lastkombinationen", info[2]);
    Text(area, x, *y + 82, line, -1, c);
    std::snprintf(line, sizeof line, "mit je %d Wert%s in die Tabelle \x81" "bernommen werden.", info[1],
                  info[1] == 1 ? "" : "en");
    Text(area, x, *y + 100, line, p.font_heading, c);
    *y += 100;
    return nullptr;
}

int* Draw_Text_File_Import_Info(int area, int x, int* y, void* data)
{
    const int* info = static_cast<const int*>(data);
    if (!info || !y || info[0] < 1) return nullptr;
    const Screen_Palette& p = screen_palette;
    const int c = p.label_brown;
    Text(area, x, *y, "Es werden die Bemessungsschnittgr\x94\xE1" "en", -1, c);
    Text(area, x, *y + 18, "einschl. Bezeichnung importiert.", -1, c);
    Text(area, x, *y + 41, "Sie werden von einer Textdatei im Ascii-Format eingelesen", -1, c);
    Text(area, x, *y + 59, "und an die bestehende Tabelle angeh\x84ngt.", -1, c);
    Text(area, x, *y + 81, "Die Datei muss zun\x84" "chst das Steuerwort '#S' enthalten,", p.font_heading, c);
    Text(area, x, *y + 99, "anschlie\xE1" "end werden die Einlesewerte erwartet.", -1, c);
    char line[120];
    std::snprintf(line, sizeof line, "Es k\x94nnen maximal %d Lastkombinationen", info[2]);
    Text(area, x, *y + 122, line, -1, c);
    std::snprintf(line, sizeof line, "mit genau %d Wert%s je Kombination eingelesen werden.", info[1],
                  info[1] == 1 ? "" : "en");
    Text(area, x, *y + 140, line, p.font_heading, c);
    Text(area, x, *y + 162, "Die Trennung erfolgt durch Leerzeichen oder Semikola,", -1, c);
    Text(area, x, *y + 180, "die Reihenfolge entspricht der Zahlenfolge in der Tabelle.", -1, c);
    *y += 180;
    return nullptr;
}

void Compose_Register_Page_2(int area, int x0, int y0, int x1)
{
    for (;;) {
        Reset_Widget_Value_Ring();
        int y = y0 + 25;
        Draw_Parameter_Sheet(&corbel_model, area, x0 + 10, &y, SHEET_LINE_STEP, SHEET_SMALL_STEP, x1 - x0 - 40);
        if (!tables_released_while_drawn) return;
        // The page is placed anew over tables made from the model, so that it shows and
        // edits live rows and not freed ones.
        tables_released_while_drawn = false;
        Area_Clear(area);
    }
}
