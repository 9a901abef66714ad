#include "sheets/report/error_list_sheet.h"

#include "base/run_globals.h"
#include "platform/paths.h"
#include "platform/screen/screen.h"
#include "platform/screen/table_sheet.h"
#include "report/report_layout.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

int table_colours[OLI_TABLE_COLOUR_COUNT] = {15, 15, 0, 0, 7, 0};
bool colours_done = false;
bool display_done = false;
OLI_Table_Display error_display;

} // namespace

int OLITablePropSheet(const char* title, int /*mode*/, OLI_Table* table, const OLI_Table_Display* display)
{
    if (!table || !display) return 0;
    // The block's first two lines are its layout words, not rows.
    const size_t head = std::min<size_t>(2, table->lines.size());
    const std::vector<std::string> rows(table->lines.begin() + static_cast<long>(head), table->lines.end());
    Show_Lines_Sheet(title, rows, display->x, display->y, display->width, display->height, table_colours);
    return 0;
}

int getOLITableColours(int* colours)
{
    if (!colours) return 0;
    std::memcpy(colours, table_colours, sizeof table_colours);
    return 1;
}

void setOLITableColours(const int* colours)
{
    if (colours) std::memcpy(table_colours, colours, sizeof table_colours);
}

void Init_Table_Colours()
{
    if (colours_done) return;
    colours_done = true;
    int colours[OLI_TABLE_COLOUR_COUNT] = {};
    if (!getOLITableColours(colours)) return;
    colours[0] = colours[1] = Nearest_RGB_Color(240, 240, 240);
    colours[4] = BUTTON_CI;
    setOLITableColours(colours);
}

void Show_Error_List_Sheet(FILE* list)
{
    if (!list) return;
    std::fseek(list, 0, SEEK_END);
    std::fputs("#END_OF_TEXT\n", list);
    std::fflush(list);
    std::rewind(list);
    Init_Table_Colours();
    if (!display_done) {
        display_done = true;
        error_display.flags = 0x200;
        error_display.x = 5;
        error_display.y = 5;
        error_display.width = NPIXEL_X - 12;
        error_display.height = NPIXEL_Y - 12;
        error_display.half_width = (NPIXEL_X - 7) / 2;
        error_display.half_height = (NPIXEL_Y - 7) / 2;
    }
    OLI_Table* table = readOLITableFromFILE(list);
    OLITablePropSheet("Fehlermeldungen", 0, table, &error_display);
    deleteOLITable(table);
}

void Draw_Picture_Or_RPC(const char* name, int a, int b)
{
    if (!name) return;
    pxFgc(Nearest_RGB_Color(235, 245, 225));
    pxRect(7, 42, NPIXEL_X - 8, NPIXEL_Y - 8);
    const std::string bmp = Map_Path(private_data_path + "/" + name + ".BMP");
    if (FILE* f = Fopen_Input(bmp, "rb")) {
        std::fclose(f);
        pxDrawTransparentDIB(bmp.c_str(), 5, 40, NPIXEL_X - 6, NPIXEL_Y - 6, 210, -1, 255, 255, 255);
    } else {
        Draw_RPC_File(Map_Path(private_data_path + "/" + name + ".RPC").c_str(), a, b);
    }
    pxFgc(Nearest_RGB_Color(170, 170, 170));
    pxText(NPIXEL_X - 71, NPIXEL_Y - 10, name, -1);
}

