#pragma once
// The environment's user-interface library on Linux (the screen stand-in): set-up of
// the screen, frame and help, and every module of platform/screen/.
//
// Before Init_Grafik_Mode (never called in a refresh run) there is no screen: drawing does
// nothing, fonts and metrics work, messages go to standard error without blocking.
// Init_Grafik_Mode makes the framebuffer (ZAV_SCREEN_SIZE=WxH, default 1280x1024) and
// the backend: ZAV_SCREEN=window opens an SDL2 window (when it cannot, a line on standard
// error and the headless driver instead); otherwise the headless driver runs the script
// file ZAV_SCRIPT (unset: an empty script). See the README for the script language and
// the driver's exit codes (90 script exhausted, 91 script error, stall or time limit).
#include "platform/screen/bitmaps.h"
#include "platform/screen/editors.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/sheets.h"
#include "platform/screen/texts.h"

#include <cstdint>
#include <string>
#include <vector>

void Init_Grafik_Mode();
void Exit_Grafik_Mode();
void Init_Prop_Sheets();
void Exit_Prop_Sheets();
void ZAVSetFrameTitle(const char* title);
// The frame's size limits; the screen's size is fixed here (ZAV_SCREEN_SIZE), so they
// change nothing.
void ZAVSetMinMaxSize(int min_width, int min_height, int max_width, int max_height);
void Set_Prop_Sheet_Screen_Base(int x0, int y0, int x1, int y1);
void Init_Helpview(const char* directory, const char* help_file);
// Shows the help topic: no help viewer is installed, so a message box says so and names
// the help file and the topic (and the topic is recorded).
void Helpview(const char* topic);
// Whether the screen is a window on the desktop (not the headless driver, not without a
// screen).
bool Screen_Shows_Window();

// What the library was told, for tests.
struct Screen_State {
    bool font_ready = false;
    bool graphics_on = false;
    bool sheets_on = false;
    std::string frame_title;
    std::string help_file;  // directory and file as given to Init_Helpview
    std::vector<std::string> help_topics;  // every topic shown, in order
    int mouse_range[4] = {0, 0, 0, 0};
    int mouse_position[2] = {0, 0};
    int sheet_base[4] = {0, 0, 0, 0};
};
const Screen_State& Get_Screen_State();

// For tests: a headless screen of the given size fed with the script text (as if it
// were the file ZAV_SCRIPT); the pixel at a point (0x00RRGGBB); back to no screen at
// all (sheets, saved rectangles, fonts, keys and pointer state forgotten).
void Screen_Start_For_Tests(const std::string& script, int width = 640, int height = 480);
uint32_t Screen_Pixel_For_Tests(int x, int y);
void Screen_Reset_For_Tests();
