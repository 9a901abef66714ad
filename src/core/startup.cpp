#include "core/startup.h"

#include "annex/nad_set.h"
#include "base/alloc.h"
#include "base/component_files.h"
#include "core/corbel_calculation.h"
#include "core/corbel_dialogs.h"
#include "core/corbel_model.h"
#include "core/main_loop.h"
#include "core/position_file.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "report/position_title.h"

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void (*install_interactive_hooks)() = nullptr;

namespace {

// One command-line number. A word that does not start with a number is refused: taking
// it as 0 would silently name the files of another position.
bool Parse_Int_Argument(const char* text, int* value)
{
    return std::sscanf(text, "%d", value) == 1;
}

// Whether the first word of the argument is "-refresh" (the rest is ignored).
bool Is_Refresh_Argument(const char* text)
{
    while (*text && std::isspace(static_cast<unsigned char>(*text))) ++text;
    static const char word[] = "-refresh";
    const size_t n = sizeof word - 1;
    return std::strncmp(text, word, n) == 0 &&
           (text[n] == '\0' || std::isspace(static_cast<unsigned char>(text[n])));
}

std::string Format_Suffix(const char* format, int number)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, format, number);
    return buf;
}

int Print_Usage(const char* program)
{
    std::printf("usage: %s Bauteilkennung Icon-Id File-Id Pos-Id\n", program ? program : "");
    return 0;
}

} // namespace

int Corbel_Main(int argc, char** argv)
{
    // A file-size limit must fail the write (EFBIG), which is said and leaves no
    // temporary file behind, instead of killing the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc <= 4) return Print_Usage(argv[0]);

    int icon_id = 0, pos_id = 0, file_number = 0;
    if (!Parse_Int_Argument(argv[2], &icon_id) || !Parse_Int_Argument(argv[3], &file_number) ||
        !Parse_Int_Argument(argv[4], &pos_id))
        return Print_Usage(argv[0]);

    component_id = argv[1];
    file_id = file_number;
    if (argc > 5 && Is_Refresh_Argument(argv[5])) refresh_mode = 1;

    Set_Component_Path(component_id.c_str());

    inp_file_name = Format_Suffix("_%02d.INP", file_id);
    oli_file_name = Format_Suffix("_%02d.OLI", file_id);
    txt_file_name = Format_Suffix("_%02d.TXT", file_id);
    spf_file_name = component_id + Format_Suffix("%04d.SPF", pos_id);

    Load_Position_Title(component_id.c_str());

    const char* exec = std::getenv("EXEC");
    if (!exec) return 0;
    const char* private_path = CurOb_Privat_Datapath();
    if (!private_path) return 0;
    private_data_path = private_path;
    // The program's version is read below EXEC; the report goes without it.
    if (!*exec && refresh_mode)
        Tell_File_Problem("Die Umgebungsvariable", "EXEC", "ist leer",
                          "die Druckliste erh\xE4lt keine Angabe der Programmversion");

    Install_Stdio_And_Mouse_Wheel();
    Init_RFont();

    // The model starts without tables and results, so that the first clearing or reading
    // frees nothing. (Only a second start-up inside one process finds blocks to give back.)
    for (int k = 0; k < 2; ++k) {
        if (corbel_model.load_table[k]) MEM_FREE(corbel_model.load_table[k]);
        corbel_model.load_table[k] = nullptr;
        corbel_model.load_count[k] = 0;
    }
    if (corbel_model.results) MEM_FREE(corbel_model.results);
    corbel_model.results = nullptr;

    if (refresh_mode) {
        // Nothing is shown: a read error ends the run here with exit code 1 (after saying
        // on standard error what could not be read); the report is written otherwise,
        // and the run ends with exit code 1 either way, as the environment expects.
        Read_Position_Input();
        Write_Corbel_Report();
        return 1;
    }

    if (install_interactive_hooks) install_interactive_hooks();
    Init_Grafik_Mode();
    Init_Prop_Sheets();
    Reset_Dialog_State();
    ZAVSetFrameTitle(("Position " + position_number + ": " + position_title).c_str());
    WHITE_CI = Nearest_Color_Index(255, 255, 255);
    Init_Mouse_Move_Restriction(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    Init_Mouse_Position(NPIXEL_X / 2, NPIXEL_Y / 2);
    Set_Prop_Sheet_Screen_Base(2, 2, NPIXEL_X - 10, NPIXEL_Y - 10);
    NAD_Startup(2);
    ZAVSetCloseFct(Confirm_Close);
    Init_Helpview(CurOb_Privat_Datapath(), "RUVA_127.HLP");

    const int result = Run_Main_Loop();
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return result;
}

int Confirm_Close()
{
    Init_Message();
    Fill_Message("Aktuelle Bearbeitung abbrechen?");
    if (!Answer_is_Yes(1)) return 0;
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return 32768;
}
