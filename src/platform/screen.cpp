#include "platform/screen.h"

int NPIXEL_X = 1280;
int NPIXEL_Y = 1024;
int WHITE_CI = 0;

namespace {
Screen_State state;
}

const Screen_State& Get_Screen_State() { return state; }

void Init_RFont() { state.font_ready = true; }
void Init_Grafik_Mode() { state.graphics_on = true; }
void Exit_Grafik_Mode() { state.graphics_on = false; }
void Init_Prop_Sheets() { state.sheets_on = true; }
void Exit_Prop_Sheets() { state.sheets_on = false; }
void ZAVSetFrameTitle(const char* title) { state.frame_title = title ? title : ""; }

int Nearest_Color_Index(int red, int green, int blue)
{
    // A 24-bit palette: the index is the colour itself.
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return (clamp(red) << 16) | (clamp(green) << 8) | clamp(blue);
}

void Init_Mouse_Move_Restriction(int x0, int y0, int x1, int y1)
{
    state.mouse_range[0] = x0;
    state.mouse_range[1] = y0;
    state.mouse_range[2] = x1;
    state.mouse_range[3] = y1;
}

void Init_Mouse_Position(int x, int y)
{
    state.mouse_position[0] = x;
    state.mouse_position[1] = y;
}

void Set_Prop_Sheet_Screen_Base(int x0, int y0, int x1, int y1)
{
    state.sheet_base[0] = x0;
    state.sheet_base[1] = y0;
    state.sheet_base[2] = x1;
    state.sheet_base[3] = y1;
}

void Init_Helpview(const char* directory, const char* help_file)
{
    state.help_file = std::string(directory ? directory : "") + "\\" + (help_file ? help_file : "");
}

void Helpview(const char*) {}
