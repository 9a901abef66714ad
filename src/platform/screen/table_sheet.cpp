#include "platform/screen/table_sheet.h"

#include "platform/screen/screen.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int ROW_HEIGHT = 18;
constexpr int CODE_CLOSE = 2;

struct Lines_View {
    const std::vector<std::string>* lines;
    int ground[2];
};

void Draw_Lines(int, int scroll_x, int scroll_y, int left, int top, int right, int bottom, void* data)
{
    const Lines_View* view = static_cast<const Lines_View*>(data);
    pxView(left, top, right, bottom);
    pxFgc(view->ground[0]);
    pxRect(left, top, right, bottom);
    Pop_RFont(0x1000);
    const int first = std::max(0, scroll_y / ROW_HEIGHT);
    for (int i = first; i < static_cast<int>(view->lines->size()); ++i) {
        const int y0 = top + i * ROW_HEIGHT - scroll_y;
        if (y0 > bottom) break;
        pxFgc(view->ground[i % 2]);
        pxRect(left, y0, right, y0 + ROW_HEIGHT - 1);
        pxFgc(BLACK_CI);
        const std::string& line = (*view->lines)[i];
        pxText(left + 5 - scroll_x, y0 + 13, line.c_str(), static_cast<int>(line.size()));
    }
    Push_RFont();
    pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
}

} // namespace

void Show_Lines_Sheet(const char* title, const std::vector<std::string>& lines, int x, int y, int width, int height,
                      const int* colours)
{
    if (!Get_Screen_State().graphics_on) return;
    int x1 = x, y1 = y, x2 = x + std::max(width, 120) - 1, y2 = y + std::max(height, 120) - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Lines_View view{&lines, {WHITE_CI, Nearest_RGB_Color(240, 240, 240)}};
    if (colours) view.ground[0] = colours[0], view.ground[1] = colours[1];

    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, title ? title : "", 10, 1);
    Add_Single_Button_to_PS(x2 - 40, y2 - 33, 0, CODE_CLOSE, nullptr, SYMBOLIC_OK_RASTER, 0);
    const int ax1 = x1 + 10, ay1 = y1 + 32, ax2 = x2 - 27, ay2 = y2 - 42;
    Draw_Funny_Area_to_PS(4, ax1 - 2, ay1 - 2, ax2 + 2, ay2 + 2, 0);
    const int area = Add_Scrollable_Area_to_PS(ax1, ay1, ax2, ay2, 1, 0, 10, 10, Draw_Lines, &view, 1);
    const int slider = Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
    Set_VSlider_Speed(slider, 0.1, 0.0);
    Resize_Origin_of_Scrollable_Area_PS(area, ax2 - ax1, static_cast<int>(lines.size()) * ROW_HEIGHT);
    Activate_Prop_Sheet();
    for (;;) {
        const int code = Edit_Prop_Sheet();
        if (code == CODE_CLOSE || code == 0) break;
    }
    Undefine_Prop_Sheet();
}

void Draw_RPC_File(const char* file, int, int)
{
    static bool told = false;
    if (told) return;
    told = true;
    std::fprintf(stderr, "corbel: RPC-Bilder werden nicht gezeichnet (%s).\n", file ? file : "");
}
