#include "toolkit/bar_area_sheet.h"

#include "base/numeric.h"
#include "platform/screen/screen.h"

#include <cstdio>

namespace {

constexpr int ROWS = 9;
constexpr double DIAMETERS_M[ROWS] = {0.006, 0.008, 0.010, 0.012, 0.014, 0.016, 0.020, 0.025, 0.028};
constexpr int ROW_PITCH = 22;
constexpr int CODE_CANCEL = 2;
constexpr int CODE_TAKE = 3;

double counts[ROWS] = {};
Sheet_Centre centre;

double Total()
{
    double sum = 0.0;
    for (int i = 0; i < ROWS; ++i) sum += Bar_Row_Area(DIAMETERS_M[i], counts[i]);
    return sum;
}

// The areas right of the count fields and their sum below a line.
void Draw_Areas(int x1, int y1, int x2)
{
    const int left = x1 + 120, top = y1 + 34;
    pxFgc(GetZAVColor(-1));
    pxRect(left, top, x2 - 10, top + ROWS * ROW_PITCH + 30);
    pxFgc(BLACK_CI);
    Pop_RFont(0x1000);
    char text[40];
    for (int i = 0; i < ROWS; ++i) {
        std::snprintf(text, sizeof text, "%6.2f cm\xFD", Bar_Row_Area(DIAMETERS_M[i], counts[i]) * 10000.0);
        pxText(left + 10, top + i * ROW_PITCH + 14, text, -1);
    }
    const int line_y = top + ROWS * ROW_PITCH + 4;
    pxLine(left + 5, line_y, x2 - 15, line_y);
    std::snprintf(text, sizeof text, "%6.2f cm\xFD", Total() * 10000.0);
    pxText(left + 10, line_y + 18, text, -1);
    Push_RFont();
    pxFlsh();
}

} // namespace

double Bar_Row_Area(double d, double count) { return Round_To_Decimals(d * d * count * 0.7853981633974483, 6); }

double Show_Bar_Area_Sheet()
{
    if (!Get_Screen_State().graphics_on) return -1.0;
    const int width = 260, height = 34 + ROWS * ROW_PITCH + 80;
    centre.Ensure();
    int x1 = centre.x - width / 2, y1 = centre.y - height / 2;
    int x2 = x1 + width - 1, y2 = y1 + height - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Bew.fl\x84" "che Stabstahl", 10, 1);
    for (int i = 0; i < ROWS; ++i) {
        const int y = y1 + 34 + i * ROW_PITCH;
        char label[16];
        std::snprintf(label, sizeof label, "\x9D %2.0f mm", DIAMETERS_M[i] * 1000.0);
        Draw_Funny_Text_to_PS(x1 + 12, y + 14, label, 0x1000, BLACK_CI, 0);
        Add_Float_to_PS(x1 + 70, y, 2, "%2.0f", &counts[i], 10 + i);
    }
    Add_Single_Button_to_PS(x1 + 12, y2 - 32, 0, CODE_CANCEL, "abbrechen", nullptr, 0);
    Add_Single_Button_to_PS(x2 - 90, y2 - 32, 0, CODE_TAKE, "\x81" "bernehmen", nullptr, 0);
    Activate_Prop_Sheet();
    Draw_Areas(x1, y1, x2);

    int code = 0;
    for (;;) {
        code = Edit_Prop_Sheet();
        for (double& n : counts)
            if (!(n >= 0.0)) n = 0.0;  // no negative counts
        Draw_Areas(x1, y1, x2);
        if (code == CODE_CANCEL || code == CODE_TAKE || code == 0) break;
    }
    centre.Remember(x1, y1, x2, y2);
    Undefine_Prop_Sheet();
    return code == CODE_TAKE ? Total() : -1.0;
}

void Forget_Bar_Area_Counts_For_Tests()
{
    for (double& n : counts) n = 0.0;
}
