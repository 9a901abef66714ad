#include "sheets/program/drawing_scale_sheet.h"

#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double STEP = 5.0;
constexpr double STEP_MIN = 5.0;
constexpr double SCALE_MAX = 200.0;

Sheet_Centre centre;
int editable_on = 1;

double* Clamp_Typed_Scale(double* value)
{
    *value = std::clamp(*value, 0.0, SCALE_MAX);
    return value;
}

} // namespace

int Edit_Drawing_Scale(int* scale)
{
    if (!scale || !Get_Screen_State().graphics_on) return 0;
    centre.Ensure();
    int x1 = centre.x - 78, x2 = centre.x + 77;
    int y1 = centre.y - 52, y2 = centre.y + 51;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Ma\xE1stab", 10, 1);
    Add_Single_Button_to_PS(x1 + 10, y2 - 30, 0, 9, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Single_Button_to_PS(x2 - 40, y2 - 30, 0, 8, nullptr, SYMBOLIC_OK_RASTER, 0);
    const int area = Area_Create(x1 + 8, y1 + 28, x2 - 8, y2 - 36, 0, 0);
    if (area < 0) {
        Undefine_Prop_Sheet();
        return 0;
    }
    Area_Set_Frame_Flag(area, 0);
    Area_Set_Background(area, ZAV_COLOUR_FACE);
    Activate_Prop_Sheet();

    double value = std::clamp(static_cast<double>(*scale), 0.0, SCALE_MAX);
    const int key = Nearest_RGB_Color(255, 255, 255);
    int result = 0;
    while (result == 0) {
        int step = 0;
        Area_Clear(area);
        Area_Add_Text(area, 5, 20, "Ma\xE1stab  1 :", 0x1000, BLACK_CI, 0);
        Area_Add_Float_Field(area, 86, 20, &value, "%3.0f", 0x1000, BLACK_CI, &editable_on);
        Area_Set_Item_Check(area, Clamp_Typed_Scale);
        Area_Add_Bitmap(area, "updown_but.bmp", 122, 8, 137, 25, key);
        Area_Add_Click_Cell(area, 122, 8, 137, 16, 1, &step);
        Area_Add_Click_Cell(area, 122, 17, 137, 25, 2, &step);
        Area_Update(area);

        const int code = Edit_Prop_Sheet();
        if (code == 1) {
            Area_Handle_Event(area);
            if (step == 1) value = std::clamp(value + STEP, STEP_MIN, SCALE_MAX);
            if (step == 2) value = std::clamp(value - STEP, STEP_MIN, SCALE_MAX);
        } else if (code == 8 || code == 9) {
            result = code;
        } else if (code == 0) {
            result = 9;
        }
    }
    centre.Remember(x1, y1, x2, y2);
    Area_Delete(area);
    Undefine_Prop_Sheet();
    if (result != 8) return 0;
    *scale = static_cast<int>(std::lround(value));
    return 1;
}
