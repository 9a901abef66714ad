#include "sheets/program/program.h"

#include "annex/nad_set.h"
#include "core/startup.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/screen/images.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheet_images.h"
#include "sheets/program/corbel_dialogs.h"
#include "sheets/program/main_loop.h"
#include "toolkit/message_dialogs.h"

#include <cstdlib>
#include <string>
#include <vector>

void (*install_interactive_hooks)() = nullptr;

namespace {

// An installation folder without the program's pictures would leave the register tabs
// and the button bar, "Ende" included, invisible: the user is told which folder lacks
// which file (the bar's buttons and the register tabs are then drawn as plain ones).
void Tell_Missing_Pictures()
{
    std::vector<std::string> names;
    for (const auto* list : {&Library_Bitmap_Names(), &Sheet_Bitmap_Names()})
        for (const std::string& name : *list)
            if (name.compare(0, 4, "NAD/") != 0) names.push_back(name);  // below DATA, the annex's
    const std::string missing = First_Missing_Bitmap(names);
    if (missing.empty()) return;
    const char* exec = std::getenv("EXEC");
    const std::string text = std::string("Im Installationsordner\n") + (exec ? exec : "") +
                             "\nfehlt die Bilddatei " + missing +
                             ".\nBitte die Installation pr\xFC" "fen; wo ein Bild fehlt, bleibt die Stelle leer "
                             "oder zeigt nur Text.";
    Set_Message_Symbol(MESSAGE_SYMBOL_WARNING);
    PrintMessage(text.c_str());
}

} // namespace

int Corbel_Main(int argc, char** argv)
{
    const int started = Start_Corbel_Run(argc, argv);
    if (started != CORBEL_RUN_INTERACTIVE) return started;

    Init_RFont();
    Install_Message_Dialogs();
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
    Tell_Missing_Pictures();

    const int result = Run_Main_Loop();
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return result;
}

int Confirm_Close()
{
    Init_Message();
    Fill_Message("Aktuelle Bearbeitung abbrechen?");
    // "Ja" gives the edits up: Enter answers "Nein".
    if (!Answer_is_Yes(0)) return 0;
    Exit_Prop_Sheets();
    Exit_Grafik_Mode();
    return 32768;
}
