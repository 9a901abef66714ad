#include "sheets/annex/nad_editor.h"

#include "annex/nad_choice.h"
#include "annex/nad_file.h"
#include "annex/nad_set.h"
#include "platform/codepage.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/screen/screen.h"
#include "platform/tools.h"
#include "sheets/annex/nad_display_options_sheet.h"
#include "sheets/annex/nad_ec0_sheet.h"
#include "sheets/annex/nad_ec2_sheet.h"
#include "sheets/annex/nad_ec3_sheet.h"
#include "sheets/annex/nad_ec5_sheet.h"
#include "sheets/annex/nad_ec6_ec9_sheet.h"
#include "toolkit/message_dialogs.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int CODE_AREA = 1;  // every scroll area reports its events so
constexpr int CODE_END = 2;
constexpr int CODE_OPTIONS = 3;
constexpr int CODE_NAME = 5;
constexpr int CODE_PAGE = 1000;  // + the page's index

constexpr const char* TITLE = "Anwendungsdokument";
constexpr int NAME_CAPACITY = 99;  // what an annex file's reader keeps of a name

// The pages in the order of the set file's sections.
constexpr const char* PAGE_TABS[] = {"EN 1990", "EN 1992", "EN 1993", "EN 1995", "EN 1996", "EN 1999"};
constexpr int PAGE_COUNT = 6;
constexpr int TAB_TOP = 64, TAB_BOTTOM = 86, TAB_WIDTH = 90;
constexpr int AREA_X = 20, AREA_Y = 96, AREA_WIDTH = 700;

struct Editor {
    NAD_Set set;
    int file_number = 0;   // 0: a built-in annex, which is never written over
    std::string opened;    // the set as its file held it when the editor opened
    char name[NAME_CAPACITY + 1] = {};
    int page = 0;
    int area = -1;
    int editable = 1;      // the EN 1993 page's fields point to it
};

// A box of the editor's title with those lines.
void Fill_Box(std::initializer_list<std::string> lines)
{
    Init_Message();
    Set_Message_Title(TITLE);
    for (const std::string& line : lines) Fill_Message(line.c_str());
}

void Say(std::initializer_list<std::string> lines)
{
    Fill_Box(lines);
    Draw_Message();
}

bool Ask(const char* question, int default_yes)
{
    Fill_Box({question});
    return Answer_is_Yes(default_yes) != 0;
}

// The set as the set writer writes it: what tells whether anything changed.
std::string Set_Text(const NAD_Set& set)
{
    std::string text;
    NAD_Set_Text(set, text);
    return text;
}

// The annex name between quotes, as the boxes show it (built by appending: g++ 12 warns
// falsely about the overlap of a literal added to a temporary string).
std::string Quoted(const char* name)
{
    std::string text(1, '"');
    text += name;
    text += '"';
    return text;
}

// Loads the annex of that name from the list; false (said) when it cannot be edited.
bool Open_Annex(const char* name, Editor& e)
{
    NAD_Build_List();
    const auto at = std::find(nad_list_names.begin(), nad_list_names.begin() + nad_list_count, name);
    const int k = static_cast<int>(at - nad_list_names.begin());
    if (k >= nad_list_count) {
        Say({"Das Anwendungsdokument", Quoted(name), "gibt es nicht."});
        return false;
    }
    e.file_number = nad_list_file_numbers[k];
    NAD_Reset_Set_Parts(&e.set);
    if (!NAD_Load_Set(e.file_number, k == 0 ? NAD_FILE_STANDARD : NAD_FILE_GERMANY, &e.set)) {
        // The file and what is wrong with it, so that it can be mended or removed.
        const NAD_Load_Problem& problem = NAD_Last_Load_Problem();
        if (problem.path.empty())
            Say({"Die Datei des Anwendungsdokuments", Quoted(name), "kann nicht gelesen werden."});
        else
            Say({"Das Anwendungsdokument " + Quoted(name) + " kann nicht bearbeitet werden:", "die Datei",
                 problem.path, problem.problem + "."});
        return false;
    }
    e.opened = Set_Text(e.set);
    std::snprintf(e.name, sizeof e.name, "%s", e.set.name.c_str());
    return true;
}

void Draw_Page(Editor& e)
{
    switch (e.page) {
    case 0: NAD_EC0_Sheet(e.area, &e.set.ec0, 1); break;
    case 1: NAD_EC2_Sheet(e.area, &e.set.ec2, 1); break;
    case 2: NAD_EC3_Sheet(e.area, &e.set.ec3, &e.editable); break;
    case 3: NAD_EC5_Sheet(e.area, &e.set.ec5, 1); break;
    case 4: NAD_EC6_Sheet(e.area, &e.set.ec6, 1); break;
    default: NAD_EC9_Sheet(e.area, &e.set.ec9, 1); break;
    }
}

void Show_Page(Editor& e, int page)
{
    e.page = page;
    scroll_areas[e.area].scroll_x = scroll_areas[e.area].scroll_y = 0;
    Draw_Page(e);
}

// The name as typed, without blanks around it.
std::string Typed_Name(const Editor& e)
{
    std::string name = e.name;
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

// Writes the set: a user annex into its own file, any other as the next user annex. A
// name that is missing or another annex's, and a file that cannot be written, are said
// (false); the set stays as edited.
bool Save(Editor& e)
{
    const std::string name = Typed_Name(e);
    if (name.empty()) {
        Say({"Bitte geben Sie dem Anwendungsdokument einen Namen."});
        return false;
    }
    // A name is another annex's when the list gives it to another file (a later file of
    // the same name is only a duplicate, which does not take the name from this one).
    NAD_Build_List();
    const int owner = NAD_List_File_Number(name);
    if (owner == 0) {
        Say({"\"" + name + "\" ist ein eingebautes Anwendungsdokument und wird nicht \xFC" "berschrieben.",
             "Bitte geben Sie einen neuen Namen ein."});
        return false;
    }
    if (owner > 0 && owner != e.file_number) {
        Say({"Ein Anwendungsdokument \"" + name + "\" gibt es schon.", "Bitte geben Sie einen anderen Namen ein."});
        return false;
    }
    const int n = e.file_number > 0 ? e.file_number : NAD_New_User_File_Number();
    e.set.name = name;
    if (!NAD_Save_Set(n, &e.set)) {
        const int error = errno;
        const char* dram = ZAVGetEnv("DRAM");
        const char* headline = "Das Anwendungsdokument kann nicht gespeichert werden:";
        Say({dram && *dram ? File_Failure_Message(headline, Map_Path(NAD_User_File_Path(dram, n)), error)
                           : std::string(headline) + "\nDRAM ist nicht gesetzt",
             "Die Bearbeitung geht weiter; es ist nichts verloren."});
        return false;
    }
    e.file_number = n;
    return true;
}

// "Ende": the exit code, or -1 when the editing goes on.
int End(Editor& e)
{
    NAD_Set edited = e.set;
    edited.name = Typed_Name(e);
    if (Set_Text(edited) == e.opened) return 0;
    // "Nein" drops the edits: Esc goes back to the editing instead.
    Fill_Box({"Sollen die \xC4nderungen gespeichert werden?"});
    const int answer = Answer_Yes_No_Or_Back();
    if (answer < 0) return -1;
    if (answer == 0) return 0;
    return Save(e) ? 1 : -1;
}

int Confirm_Close()
{
    if (!Ask("Bearbeitung abbrechen? Die \xC4nderungen werden nicht gespeichert.", 0)) return 0;
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return 32768;
}

void Define_Editor_Sheet(Editor& e)
{
    const int w = NPIXEL_X, h = NPIXEL_Y;
    Define_Prop_Sheet(0, 0, w - 1, h - 1, 1, 0, ("Anwendungsdokument bearbeiten: " + e.set.name).c_str(), 1, 1);
    Draw_Funny_Text_to_PS(20, 46, "Name:", 0x1000, BLACK_CI, 0);
    Add_String_to_PS(70, 32, 40, e.name, NAME_CAPACITY, CODE_NAME);
    Add_Single_Button_to_PS(w - 260, 30, 0, CODE_OPTIONS, "Darstellungsoptionen", nullptr, 0);
    Add_Single_Button_to_PS(w - 80, 30, 0, CODE_END, "Ende", nullptr, 0);
    const int reg = Add_Register_to_PS(10, TAB_TOP, w - 11, h - 11, TAB_BOTTOM);
    for (int i = 0; i < PAGE_COUNT; ++i) {
        const int x = 12 + (TAB_WIDTH + 2) * i;
        Draw_Funny_Area_to_PS(1, x, TAB_TOP, x + TAB_WIDTH, TAB_BOTTOM + 2, 0);
        Draw_Funny_Text_to_PS(x + 20, TAB_BOTTOM - 6, PAGE_TABS[i], 0x1000, BLACK_CI, 0);
        Add_Member_to_Register(reg, x, x + TAB_WIDTH, 1, CODE_PAGE + i);
    }
    Set_Selected_Register_Member(reg, CODE_PAGE + e.page);
    e.area = Area_Create(AREA_X, AREA_Y, std::min(w - 30, AREA_X + AREA_WIDTH), h - 30, 1, 1);
}

int Run_Editor(Editor& e)
{
    Define_Editor_Sheet(e);
    if (e.area < 0) return 2;
    Show_Page(e, e.page);
    Activate_Prop_Sheet();
    for (;;) {
        const int code = Edit_Prop_Sheet();
        if (code == CODE_AREA) {
            if (Area_Handle_Event(e.area)) Draw_Page(e);
        } else if (code >= CODE_PAGE && code < CODE_PAGE + PAGE_COUNT) {
            Show_Page(e, code - CODE_PAGE);
        } else if (code == CODE_OPTIONS) {
            if (NAD_Display_Options_Sheet()) Draw_Page(e);
        } else if (code == CODE_END || code == 0) {
            const int result = End(e);
            if (result >= 0) return result;
        }
    }
}

constexpr const char* USAGE = "usage: corbel-annex NAME\n"
                              "  edits the national annex of that name (as the annex list names it)\n";

} // namespace

std::string NAD_Editor_Name_Argument(const char* argument)
{
    const std::string bytes = argument ? argument : "";
    std::string converted;
    const bool high = std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return high && Utf8_To_Cp850(bytes, &converted) ? converted : bytes;
}

int NAD_Editor_Main(int argc, char** argv)
{
    if (argc != 2 || !*argv[1]) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const std::string name = NAD_Editor_Name_Argument(argv[1]);
    Init_RFont();
    Install_Message_Dialogs();
    Init_Grafik_Mode();
    Init_Prop_Sheets();
    ZAVSetFrameTitle((std::string("Anwendungsdokument ") + name).c_str());
    WHITE_CI = Nearest_Color_Index(255, 255, 255);
    Init_Mouse_Move_Restriction(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    Init_Mouse_Position(NPIXEL_X / 2, NPIXEL_Y / 2);
    Set_Prop_Sheet_Screen_Base(2, 2, NPIXEL_X - 10, NPIXEL_Y - 10);
    ZAVSetCloseFct(Confirm_Close);

    Editor e;
    const int result = Open_Annex(name.c_str(), e) ? Run_Editor(e) : 2;
    Area_Delete_All();
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return result;
}

std::string NAD_Editor_Program()
{
    const std::string directory = Program_Directory();
    return (directory.empty() ? std::string(".") : directory) + "/corbel-annex";
}

bool NAD_Run_Editor_Program(const std::string& path, const char* annex_name)
{
    struct stat st{};
    const char* missing = nullptr;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        missing = "Das Programm ist nicht installiert:";
    else if (::access(path.c_str(), X_OK) != 0)
        missing = "Das Programm ist nicht ausf\xFChrbar:";
    if (missing) {
        Say({"Der Editor der Anwendungsdokumente kann nicht gestartet werden.", missing, path});
        return false;
    }

    // The editor's own script (its headless driver would otherwise replay ours).
    std::optional<std::string> kept;
    if (const char* script = std::getenv("ZAV_SCRIPT")) kept = script;
    const char* editor_script = std::getenv("ZAV_ANNEX_SCRIPT");
    if (editor_script && *editor_script)
        ::setenv("ZAV_SCRIPT", editor_script, 1);
    else
        ::unsetenv("ZAV_SCRIPT");
    const char* argv[] = {path.c_str(), annex_name ? annex_name : "", nullptr};
    const int code = ZAVSpawnv(0, path.c_str(), argv);
    if (kept)
        ::setenv("ZAV_SCRIPT", kept->c_str(), 1);
    else
        ::unsetenv("ZAV_SCRIPT");

    if (code < 0) {
        Say({"Der Editor der Anwendungsdokumente konnte nicht gestartet werden", "oder wurde nicht normal beendet:", path});
        return false;
    }
    return true;
}
