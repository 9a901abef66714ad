#include "sheets/annex/nad_sheet_rows.h"

#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"
#include "toolkit/scroll_area.h"

namespace {
int always_editable = 1;
}

const NAD_Sheet_Colours& NAD_Sheet_Colour_Set()
{
    static bool made = false;
    static NAD_Sheet_Colours colours{};
    if (!made) {
        colours.cell = Nearest_RGB_Color(234, 255, 251);
        colours.band = Nearest_RGB_Color(205, 254, 244);
        colours.rule = Nearest_RGB_Color(130, 130, 130);
        made = true;
    }
    return colours;
}

int NAD_Sheet_Clause_Row(int area, int y, int height, const char* clause, const char* parameter,
                         const char* explanation)
{
    if (height != 0) {
        const int colour = NAD_Sheet_Colour_Set().cell;
        Area_Add_Box(area, 4, y, 56, y + height - 1, colour);
        Area_Add_Box(area, 200, y, 382, y + height - 1, colour);
    }
    if (clause && *clause) Area_Add_Text(area, 10, y + 13, clause, NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
    if (parameter && *parameter) Area_Add_Text(area, 67, y + 13, parameter, NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
    if (explanation && *explanation) Area_Add_Text(area, 206, y + 13, explanation, NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
    return y + height;
}

int NAD_Sheet_Head_Row(int area, int y)
{
    Area_Add_Text(area, 10, y + 13, "Kapitel", NAD_SHEET_HEAD_FONT, BLACK_CI, 0);
    Area_Add_Text(area, 67, y + 13, "Parameter", NAD_SHEET_HEAD_FONT, BLACK_CI, 0);
    Area_Add_Text(area, 206, y + 13, "Erl\x84uterung", NAD_SHEET_HEAD_FONT, BLACK_CI, 0);
    Area_Add_Line(area, 4, y + 18, 382, y + 18, NAD_Sheet_Colour_Set().rule);
    return y + 22;
}

int NAD_Sheet_Section_Head(int area, int y, const char* title, int* open)
{
    Area_Add_Box(area, 4, y, 382, y + 19, NAD_Sheet_Colour_Set().band);
    Area_Add_Check_Box(area, 46, y + 14, title, NAD_SHEET_HEAD_FONT, BLACK_CI, open, &always_editable);
    return y + 24;
}

void NAD_Sheet_Symbol(int area, int x, int y, const char* symbol, const char* subscript)
{
    Area_Add_Text(area, x, y, symbol, NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
    if (subscript && *subscript)
        Area_Add_Text(area, x + Get_Text_Width_In_Font(symbol, NAD_SHEET_TEXT_FONT) + 1, y + 3, subscript,
                      NAD_SHEET_SMALL_FONT, BLACK_CI, 0);
}
