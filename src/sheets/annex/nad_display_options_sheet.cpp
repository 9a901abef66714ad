#include "sheets/annex/nad_display_options_sheet.h"

#include "annex/app_profiles.h"
#include "platform/screen/screen.h"

#include <algorithm>
#include <string>

namespace {

constexpr int CODE_CANCEL = 1;
constexpr int CODE_OK = 2;
constexpr int CODE_CHOICE = 3;
constexpr int SHEET_WIDTH = 320;
constexpr int PROFILE_PITCH = 18;

Sheet_Centre centre;

} // namespace

int NAD_Display_Options_Sheet()
{
    NAD_Scan_App_Profiles();
    NAD_Get_Current_App();
    if (!Get_Screen_State().graphics_on) return 0;

    // The radio buttons act on the flag and the index at once; cancel puts them back.
    const int opening_current = nad_profile_current;
    const int opening_index = nad_profile_index;

    centre.Ensure();
    const int count = static_cast<int>(nad_app_profiles.size());
    const int height = std::min(130 + PROFILE_PITCH * count, NPIXEL_Y - 59);
    int x1 = centre.x - SHEET_WIDTH / 2, x2 = x1 + SHEET_WIDTH - 1;
    int y1 = centre.y - height / 2, y2 = y1 + height - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Darstellungsoptionen", 0, 1);

    const int all = Add_Alternativ_Button_to_PS(x1 + 15, y1 + 28, 1, CODE_CHOICE, 0, 0, 0, RADIO_BUTTON_LAYOUT,
                                                &nad_profile_current);
    Add_Aligned_Connected_Text_to_Button_of_PS(all, "alle Regeln darstellen", 0x1000, BLACK_CI, 0);
    const int one = Add_Alternativ_Button_to_PS(x1 + 15, y1 + 42, 1, CODE_CHOICE, 0, 1, 0, RADIO_BUTTON_LAYOUT,
                                                &nad_profile_current);
    Add_Aligned_Connected_Text_to_Button_of_PS(one, "Darstellung optimieren f\x81r", 0x1000, BLACK_CI, 0);

    // One row per profile that fits above the buttons; without a profile there is nothing
    // to optimise for, and the sheet says so instead of offering the choice.
    const int grey = Nearest_RGB_Color(150, 150, 150);
    if (count == 0) {
        Change_Activity_PS(one, 0);
        Draw_Funny_Text_to_PS(x1 + 33, y1 + 68, "(keine Anwendungsprofile vorhanden)", 0x1000, grey, 0);
    }
    for (int k = 0; k < count && 58 + PROFILE_PITCH * (k + 1) <= height - 60; ++k) {
        const int y = y1 + 58 + PROFILE_PITCH * k;
        const int button = Add_Alternativ_Button_to_PS(x1 + 33, y, 2, CODE_CHOICE, 0, k, 0, RADIO_BUTTON_LAYOUT,
                                                       &nad_profile_index);
        Add_Aligned_Connected_Text_to_Button_of_PS(button, nad_app_profiles[k].name.c_str(), 0x1000, BLACK_CI, 0);
        const std::string service = "(" + nad_app_profiles[k].service + ")";
        Draw_Funny_Text_to_PS(x1 + 120, y + 10, service.c_str(), 0x1000, grey, 0);
    }

    const int cancel = Add_Single_Button_to_PS(x1 + 20, y2 - 45, 0, CODE_CANCEL, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Set_Comment_to_Button_PS(cancel, "abbrechen");
    const int ok = Add_Single_Button_to_PS(x2 - 60, y2 - 45, 0, CODE_OK, nullptr, SYMBOLIC_OK_RASTER, 0);
    Set_Comment_to_Button_PS(ok, "ok");
    Activate_Prop_Sheet();

    int code = 0;
    do {
        code = Edit_Prop_Sheet();
    } while (code != CODE_OK && code != CODE_CANCEL && code != 0);

    centre.Follow_Move();
    Undefine_Prop_Sheet();

    if (code == CODE_OK) {
        NAD_Apply_Display_Choice();
        return 1;
    }
    nad_profile_current = opening_current;
    nad_profile_index = opening_index;
    return 0;
}
