#include "sheets/annex/nad_selection_sheet.h"
#include "core/edit_buffer_hooks.h"
#include "sheets/program/main_loop.h"
#include "core/startup.h"
#include "sheets/program/program.h"
#include "sheets/edit_buffer.h"
#include "sheets/loads_page.h"
#include "sheets/rebar_sheet.h"
#include "sheets/register_pages.h"
#include "viewer/quick_oli.h"

namespace {

// The sheets an interactive run edits the position with. A refresh run shows nothing
// and leaves these unset.
void Install_Sheet_Hooks()
{
    edit_buffer_hooks.fill = Fill_Edit_Buffer;
    edit_buffer_hooks.apply = Apply_Edit_Buffer;
    main_sheet_hooks.init_palette = Init_Screen_Palette;
    main_sheet_hooks.compose[0] = Compose_Register_Page_1;
    main_sheet_hooks.compose[1] = Compose_Register_Page_2;
    main_sheet_hooks.compose[2] = Compose_Register_Page_3;
    main_sheet_hooks.page_events[1] = Handle_Loads_Page_Events;
    main_sheet_hooks.page_events[2] = Handle_Rebar_Page_Events;
    // The annex choice's warning and selection sheets.
    Register_Annex_Sheets();
}

} // namespace

int main(int argc, char** argv)
{
    // The report preview and print of the environment are our viewer's.
    Install_Report_Viewer();
    install_interactive_hooks = Install_Sheet_Hooks;
    return Corbel_Main(argc, argv);
}
