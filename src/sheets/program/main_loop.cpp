#include "sheets/program/main_loop.h"

#include "annex/nad_choice.h"
#include "base/component_files.h"
#include "base/message_sink.h"
#include "base/run_globals.h"
#include "core/corbel_calculation.h"
#include "sheets/program/corbel_dialogs.h"
#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "sheets/program/main_button_bar.h"
#include "core/position_file.h"
#include "sheets/program/print_options_sheet.h"
#include "core/safety_factors.h"
#include "report/page_head.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "platform/report_viewer.h"
#include "platform/screen/screen.h"
#include "sheets/loads_page.h"
#include "toolkit/scroll_area.h"
#include "toolkit/table_editor.h"

#include <cerrno>
#include <cstdio>
#include <string>

Main_Sheet_Hooks main_sheet_hooks;
int results_valid = 0;
int export_request = 0;
int import_request = 0;

namespace {

constexpr int EVENT_BUTTON_BAR = 1;
constexpr int EVENT_PAGE = 100;
constexpr int EVENT_REGISTER_FIRST = 10001;

constexpr int FONT_NORMAL = 0x1000;
constexpr int FONT_SECOND = 0x1002;
constexpr int FONT_BOLD = 0x11000;

const char* const TEXT_REPORT_FAILED = "Die Druckliste kann nicht geschrieben werden!";
const char* const TEXT_INPUT_KEPT = "\nDie Eingabedaten sind nicht gespeichert; die Eingabedatei bleibt, wie sie war.";
const char* const TEXT_OVERWRITE_UNREAD =
    "Die urspr\xFCngliche Eingabedatei konnte nicht gelesen werden und wird \xFC" "berschrieben. Fortfahren?";

int current_page = 1;
bool many_cases_asked = false;

// Says that the report could not be written, with its file and the reason; on saving, also
// that the input was not saved either.
void Tell_Report_Failed(bool saving = false)
{
    const char* name = Get_Component_File_Name(oli_file_name.c_str());
    std::string text = File_Failure_Message(TEXT_REPORT_FAILED, name ? name : oli_file_name, OLI_Last_Report_Error());
    if (saving) text += TEXT_INPUT_KEPT;
    PrintMessage(text.c_str());
}

bool Page_Present(int page)
{
    return page >= 1 && page <= 3 && main_sheet_hooks.compose[page - 1] != nullptr;
}

// The register's tabs, left to right.
constexpr int member_x[3][2] = {{4, 74}, {75, 145}, {146, 216}};

void Draw_Plain_Tabs()
{
    static const char* const captions[3] = {"System", "Lasten", "Bewehrung"};
    Pop_RFont(FONT_NORMAL);
    for (int p = 1; p <= 3; ++p) {
        if (!Page_Present(p)) continue;
        const int x1 = member_x[p - 1][0] + 2, x2 = member_x[p - 1][1] - 2, y1 = 25, y2 = 48;
        pxFgc(GetZAVColor(-1));
        pxRect(x1, y1, x2, y2);
        pxFgc(BLACK_CI);
        pxLine(x1, y1, x2, y1);
        pxLine(x1, y1, x1, y2);
        pxLine(x2, y1, x2, y2);
        pxBTxt(x1, y1, x2, y2, captions[p - 1], -1, 0xD2);
    }
    Push_RFont();
}

// The status lines of the notice shown while a report is written and set in pages,
// which takes a while for a large load table.
constexpr const char* kWritingReport = "Der Bericht wird geschrieben ...";
constexpr const char* kWritingPages = "Die Seiten werden gesetzt ...";

// The report as it stands, shown (2) or printed (3) by the environment's viewer. A
// report that could not be written is said, and no older report is shown in its place.
void Preview_Or_Print(int button)
{
    Apply_Edit_Buffer_Hook(&corbel_model);
    bool go_on = true;
    const int level = corbel_model.print_options.switches[EC2_PRINT_DETAIL_LEVEL];
    if ((level < 3 || level > 5) && !many_cases_asked && Count_Load_Cases(&corbel_model, 0) > 20) {
        many_cases_asked = true;
        go_on = Show_Query_Box(1, 390, 115, nullptr, nullptr, Draw_Many_Load_Cases_Hint) == 1;
    }
    Fill_Edit_Buffer_Hook(&corbel_model);
    if (!go_on) return;
    Busy_Start("%s", kWritingReport);
    if (Write_Corbel_Report() != 0) {
        Busy_Stop();
        Tell_Report_Failed();
        return;
    }
    char name[261];
    if (!Make_Component_File_Name(name, oli_file_name.c_str(), sizeof name)) {
        Busy_Stop();
        PrintMessage(File_Failure_Message(TEXT_REPORT_FAILED, oli_file_name, ENAMETOOLONG).c_str());
        return;
    }
    Busy_Update("%s", kWritingPages);
    if (button == 2)
        Quick_OLI_View(component_id.c_str(), name);
    else
        Quick_OLI_Print(component_id.c_str(), name);
    Busy_Stop();
}

// A report written with changed print options, shown in the viewer; the options are
// restored afterwards whatever happened.
int Show_Report_With(void (*set)(EC2_Print_Options*, int), int argument)
{
    EC2_Print_Options saved;
    Copy_EC2_Print_Options(&corbel_model.print_options, &saved);
    set(&corbel_model.print_options, argument);
    Busy_Start("%s", kWritingReport);
    const int r = Write_Corbel_Report();
    Copy_EC2_Print_Options(&saved, &corbel_model.print_options);
    Init_EC2_Print_Options(&saved);
    if (r != 0) {
        Busy_Stop();
        Tell_Report_Failed();
        return 1;
    }
    char name[261];
    if (!Make_Component_File_Name(name, oli_file_name.c_str(), sizeof name)) {
        Busy_Stop();
        return 1;
    }
    Busy_Update("%s", kWritingPages);
    Quick_OLI_View(component_id.c_str(), name);
    Busy_Stop();
    return 0;
}

void Set_Table_Options(EC2_Print_Options* o, int)
{
    for (int k = 0; k <= 5; ++k) o->switches[k] = 0;
    o->switches[6] = o->switches[7] = o->switches[8] = 1;
    o->switches[EC2_PRINT_DETAIL_LEVEL] = 4;
}

void Set_Case_Options(EC2_Print_Options* o, int case_number)
{
    for (int k = 0; k <= 5; ++k) o->switches[k] = 0;
    o->switches[7] = o->switches[8] = 1;
    o->switches[EC2_PRINT_DETAIL_LEVEL] = 5;
    o->switches[EC2_PRINT_DETAIL_CASE] = -case_number;
}

// A changed value ends the walk from field to field: the page shows results, marks and
// notes of the input as it was, and is rebuilt (checked and designed anew) before the
// walk goes on. Rebuilding inside the walk would free the items it walks.
int Stop_Walk_For_Rebuild()
{
    results_valid = 0;
    return 1;
}

} // namespace

void Reset_Main_Loop_State()
{
    current_page = 1;
    many_cases_asked = false;
    results_valid = 0;
    export_request = 0;
    import_request = 0;
}

bool Results_Shown(const Corbel_Model& model)
{
    return model.online_calculation && results_valid && !model.summary.fatigue_failed &&
           Corbel_Model_Errors(model, nullptr) == 0;
}

bool Required_Values_Shown(const Corbel_Model& model)
{
    return Results_Shown(model) && !model.summary.none_designed && !model.summary.no_load;
}

int Show_Results_Table()
{
    return Show_Report_With(Set_Table_Options, 0);
}

int Show_Load_Case_Report(int case_number)
{
    return Show_Report_With(Set_Case_Options, case_number);
}

int* Draw_Many_Load_Cases_Hint(int area, int x, int* y, void*)
{
    const int brown = Nearest_RGB_Color(128, 64, 0);
    const int grey = Nearest_RGB_Color(130, 130, 130);
    Area_Add_Text(area, x, *y, "Es sind insges. mehr als 20 Lastkollektive zu berechnen.", FONT_NORMAL, brown, 0);
    Area_Add_Text(area, x, *y + 22, "Sollen wirklich alle Lastkollektive ausgedruckt werden ?", FONT_BOLD, brown, 0);
    Area_Add_Text(area, x, *y + 44, "Wenn nicht, brechen Sie hier bitte ab und aktivieren in der", FONT_NORMAL,
                  brown, 0);
    Area_Add_Text(area, x, *y + 62, "'Ausdrucksteuerung' den Button f\x81r die tabellarische Ausgabe.",
                  FONT_NORMAL, brown, 0);
    Area_Add_Text(area, x, *y + 84, "Der Hinweis wird in dieser Sitzung nicht noch einmal angezeigt.", FONT_SECOND,
                  grey, 0);
    *y += 84;
    return y;
}

int Run_Main_Loop()
{
    const int X = NPIXEL_X, Y = NPIXEL_Y;

    Set_NoFrameFlag_to_Next_PropSheet();
    Define_Prop_Sheet(0, 0, X - 1, Y - 1, 0, 0, "", 120, 1);
    pxFgc(GetZAVColor(-1));
    pxRect(0, 0, X - 1, Y - 1);
    // The header (the register's tab captions) is the top of the bar's bitmap; without it
    // the tabs are plain ones with their captions.
    if (Load_Bitmap("buttons.bmp"))
        pxDrawPartialTransparentDIB("buttons.bmp", 0, 0, 635, 47, 6, 7, 641, 54, 201, -1, 219, 213, 203);
    else
        Draw_Plain_Tabs();

    if (!Page_Present(current_page))
        for (int p = 1; p <= 3; ++p)
            if (Page_Present(p)) {
                current_page = p;
                break;
            }
    const int reg = Add_Register_to_PS(4, 6, X - 6, Y - 6, 50);
    for (int p = 1; p <= 3; ++p)
        if (Page_Present(p)) Add_Member_to_Register(reg, member_x[p - 1][0], member_x[p - 1][1], 1, EVENT_REGISTER_FIRST + p - 1);
    if (Page_Present(current_page)) Set_Selected_Register_Member(reg, EVENT_REGISTER_FIRST + current_page - 1);

    Main_Button_Bar_Place(X);
    const int bar_escape = Add_Escape_Area_to_PS(main_button_bar.x1, main_button_bar.y1, X - 6, main_button_bar.y2, 1,
                                                 EVENT_BUTTON_BAR);
    Set_Escape_Area_to_MouseMoveEvent(bar_escape, 1);
    const int page_escape = Add_Escape_Area_to_PS(9, 55, X - 26, Y - 26, 1, EVENT_PAGE);
    Set_Escape_Area_to_MouseMoveEvent(page_escape, 1);
    const int area = Area_Create(9, 55, X - 14, Y - 14, 1, 1);
    Area_Set_Change_Hook(area, Stop_Walk_For_Rebuild);

    if (main_sheet_hooks.init_palette) main_sheet_hooks.init_palette();
    Read_Position_Input();
    Activate_Prop_Sheet();
    int dx = 0, dy = 0;
    Prop_Sheet_Displacement(&dx, &dy);
    Main_Button_Bar_Show_Online(corbel_model.online_calculation);

    double fraction[3][2] = {{0, 0}, {0, 0}, {0, 0}};
    int shown_page = current_page;
    auto compose = [&]() {
        Area_Clear(area);
        if (Page_Present(current_page)) main_sheet_hooks.compose[current_page - 1](area, dx, dy, X - 1);
    };

    for (;;) {
        if (corbel_model.online_calculation && !results_valid) {
            Apply_Edit_Buffer_Hook(&corbel_model);
            Calculate_Corbel(&corbel_model, nullptr, 1);
            Fill_Edit_Buffer_Hook(&corbel_model);
            results_valid = 1;
        }

        Icon_Bar_Draw(&main_button_bar);
        Area_Set_Activity(area, 1);
        compose();

        if (import_request) {
            import_request = 0;
            Import_Corbel_Data();
            // Whatever the import left, the page shows the model before it: designed and
            // built anew before anything is shown or clicked, the online button as the
            // imported model has it.
            results_valid = 0;
            Main_Button_Bar_Show_Online(corbel_model.online_calculation);
            continue;
        }
        if (export_request) {
            export_request = 0;
            Export_Corbel_Data();
        }

        // Each page keeps its own scroll position across rebuilds and page changes.
        double* f = fraction[current_page - 1];
        if (shown_page != current_page) {
            Area_Set_Scroll_Fraction(area, f[0], f[1]);
            shown_page = current_page;
        } else {
            Area_Get_Scroll_Fraction(area, &f[0], &f[1]);
            Area_Set_Scroll_Fraction(area, f[0], f[1]);
        }
        Change_Activity_PS(bar_escape, 1);
        Area_Update(area);

        // Values changed: composed once more, so that buttons take their clicks and the
        // tables their rows, before the data check sees the model.
        auto changed = [&]() {
            results_valid = 0;
            compose();
            Apply_Edit_Buffer_Hook(&corbel_model);
            Check_Corbel_Model(&corbel_model, nullptr, 0, 0);
            Fill_Edit_Buffer_Hook(&corbel_model);
        };
        if (Area_Walk_On(area)) {
            changed();
            continue;
        }

        const int code = Edit_Prop_Sheet();
        if (code >= EVENT_REGISTER_FIRST && code < EVENT_REGISTER_FIRST + 3) {
            const int page = code - EVENT_REGISTER_FIRST + 1;
            if (Page_Present(page) && page != current_page) {
                Area_Get_Scroll_Fraction(area, &f[0], &f[1]);
                current_page = page;
            }
            continue;
        }
        if (code == EVENT_PAGE) {
            int r = 0;
            if (main_sheet_hooks.page_events[current_page - 1]) r = main_sheet_hooks.page_events[current_page - 1]();
            if (r == 0 ? Area_Handle_Event(area) != 0 : (r == -1 || r == 1 || r == 2)) changed();
            continue;
        }
        if (code != EVENT_BUTTON_BAR) continue;

        const int button = Icon_Bar_Track(&main_button_bar);
        switch (button) {
        case 9:
            if (!corbel_model.online_calculation) {
                corbel_model.online_calculation = 1;
                results_valid = 0;
            } else {
                corbel_model.online_calculation = 0;
            }
            Main_Button_Bar_Show_Online(corbel_model.online_calculation);
            break;
        case 8:
            NAD_Open_Selection_Sheet();
            Fill_NAD_Safety_Factors(&corbel_model.safety_factors, 0);
            // The annex may have changed every factor the results were computed with.
            results_valid = 0;
            break;
        case 1:
            if (main_sheet_hooks.print_options)
                main_sheet_hooks.print_options();
            else
                Edit_EC2_Print_Options(&corbel_model.print_options,
                                       load_table_handles[0] >= 0 ? Table_Editor_Row_Count(load_table_handles[0])
                                                                  : corbel_model.load_count[0]);
            break;
        case 2:
        case 3:
            Preview_Or_Print(button);
            break;
        case 6: {
            static const char* const topics[3] = {"ro203_register1", "ro203_register2", "ro203_register3"};
            Helpview(topics[current_page - 1]);
            break;
        }
        case 7: {
            const int answer = Ask_End_Of_Editing();
            if (answer == 0) {
                Area_Delete(area);
                Undefine_Prop_Sheet();
                return 0;
            }
            if (answer != 1) break;
            // An input file that could not be read is not replaced unasked.
            if (corbel_model.input_read_failed) {
                Init_Message();
                Fill_Message(TEXT_OVERWRITE_UNREAD);
                if (!Answer_is_Yes(0)) break;
            }
            // Report, drawing and input are saved together or not at all. A save that
            // failed is said; the editing goes on with nothing lost.
            const int failed = Save_Position_With_Report();
            if (failed == 1) Tell_Report_Failed(true);
            if (failed) break;
            corbel_model.input_read_failed = 0;
            Area_Delete(area);
            Undefine_Prop_Sheet();
            return 1;
        }
        default:
            break;
        }
    }
}
