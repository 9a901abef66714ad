#include "annex/nad_selection.h"

#include "annex/nad_set.h"
#include "platform/environment.h"
#include "platform/fonts.h"

int NAD_List_Name_Width(const std::string& name)
{
    return Font_Text_Width(name, NAD_LIST_FONT, Code_Page::Cp850);
}

std::string NAD_Shorten_List_Name(const std::string& name, int max_width)
{
    if (NAD_List_Name_Width(name) <= max_width) return name;
    std::string kept = name;
    std::string shown;
    do {
        kept.pop_back();
        shown = kept + "...";
    } while (!kept.empty() && NAD_List_Name_Width(shown) > max_width);
    return shown;
}

NAD_Flag_Rect NAD_Flag_Source_Rect(int code)
{
    // Flags are stacked 19 pixels apart, one per code.
    constexpr int FLAG_PITCH = 19;
    constexpr int FLAG_WIDTH = 26;
    if (code < 0 || code > NAD_CODE_STANDARD) code = NAD_CODE_LOCAL;
    return {0, FLAG_PITCH * code, FLAG_WIDTH - 1, FLAG_PITCH * code + FLAG_PITCH - 1};
}

std::string NAD_Flag_Bitmap_Path()
{
    const char* data = ZAVGetEnv("DATA");
    if (!data) return "";
    return std::string(data) + "\\NAD\\EuroFlags.bmp";
}
