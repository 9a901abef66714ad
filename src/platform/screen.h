#pragma once
// Stand-in for the environment's screen set-up, frame and help viewer. The screen layer
// proper (drawing, sheets, events) comes later; until then these calls record what they
// were told and draw nothing. Text metrics are real already (platform/fonts.h).
#include <string>

extern int NPIXEL_X;  // screen width in pixels
extern int NPIXEL_Y;  // screen height in pixels
extern int WHITE_CI;  // colour index of white, set by the program at start-up

void Init_RFont();
void Init_Grafik_Mode();
void Exit_Grafik_Mode();
void Init_Prop_Sheets();
void Exit_Prop_Sheets();
void ZAVSetFrameTitle(const char* title);
int Nearest_Color_Index(int red, int green, int blue);
void Init_Mouse_Move_Restriction(int x0, int y0, int x1, int y1);
void Init_Mouse_Position(int x, int y);
void Set_Prop_Sheet_Screen_Base(int x0, int y0, int x1, int y1);
void Init_Helpview(const char* directory, const char* help_file);
void Helpview(const char* topic);

// What the stand-in was told, for tests.
struct Screen_State {
    bool font_ready = false;
    bool graphics_on = false;
    bool sheets_on = false;
    std::string frame_title;
    std::string help_file;  // directory and file as given to Init_Helpview
    int mouse_range[4] = {0, 0, 0, 0};
    int mouse_position[2] = {0, 0};
    int sheet_base[4] = {0, 0, 0, 0};
};
const Screen_State& Get_Screen_State();
