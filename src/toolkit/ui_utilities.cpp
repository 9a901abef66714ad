#include "toolkit/ui_utilities.h"

#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/screen/screen.h"
#include "platform/tools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

double deadline = 0.0;

// Pixels of a rectangle kept by one user (not one of the shared saved rectangles, so that
// several users never take each other's).
struct Kept_Pixels {
    int x1 = 0, y1 = 0, x2 = -1, y2 = -1;
    std::vector<uint32_t> pixels;

    void Keep(int a, int b, int c, int d)
    {
        x1 = std::min(a, c);
        y1 = std::min(b, d);
        x2 = std::max(a, c);
        y2 = std::max(b, d);
        pixels.clear();
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) pixels.push_back(screen::Pixel(x, y));
    }
    void Put_Back()
    {
        if (pixels.empty() || !screen::Framebuffer_Ready()) return;
        uint32_t* data = screen::Pixels();
        const int stride = screen::Stride();
        size_t i = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x, ++i)
                if (x >= 0 && y >= 0 && x < NPIXEL_X && y < NPIXEL_Y) data[static_cast<size_t>(y) * stride + x] = pixels[i];
        screen::Mark_Changed();
        pixels.clear();
    }
};

// Full-screen drawing in copy mode for the duration of a scope; the caller's state back after.
struct Own_Drawing {
    int colour = pxQFgc(), mode = pxQBop(), view[4];
    Own_Drawing()
    {
        pxQVwp(&view[0], &view[1], &view[2], &view[3]);
        pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        pxSBop(0);
    }
    ~Own_Drawing()
    {
        pxFgc(colour);
        pxSBop(mode);
        pxView(view[0], view[1], view[2], view[3]);
    }
};

// ---- Busy animation ----
constexpr int BUSY_SIZE = 84;
constexpr int BUSY_FRAMES = 12;
struct Busy {
    bool running = false;
    int x = 0, y = 0, frame = 0;
    Kept_Pixels under;
} busy;

// ---- Progress bars ----
constexpr int BAR_SLOTS = 6;
constexpr int BAR_HEIGHT = 16;
struct Bar {
    bool used = false;
    int x = 0, y = 0, width = 0;
    bool framed = false;
    double value = 0.0;
    Kept_Pixels under;
} bars[BAR_SLOTS];

// ---- Sand clock ----
constexpr int SAND_W = 31, SAND_H = 61, SAND_FRAMES = 12;
struct Sand {
    bool running = false;
    int x = 0, y = 0, frame = 0;
    Kept_Pixels under;
} sand;

int zoom_steps = 10;
int zoom_pause_ms = 15;
Kept_Pixels saved_rectangle;
int hit_tolerance = 3;
int viewer_pid = -1;

void Xor_Frame(int x1, int y1, int x2, int y2)
{
    pxLine(x1, y1, x2, y1);
    if (y2 != y1) pxLine(x1, y2, x2, y2);
    if (y2 - y1 > 1) {
        const int a = std::min(y1, y2) + 1, b = std::max(y1, y2) - 1;
        pxLine(x1, a, x1, b);
        if (x2 != x1) pxLine(x2, a, x2, b);
    }
}

void Draw_Sand_Frame()
{
    const int sx = SAND_W * sand.frame;
    pxDrawPartialTransparentDIB("animsandclock.bmp", sx, 0, sx + SAND_W - 1, SAND_H - 1, sand.x, sand.y,
                                sand.x + SAND_W - 1, sand.y + SAND_H - 1, 201, -1, 192, 192, 192);
}

} // namespace

void Set_Deadline(double seconds) { deadline = Library_Clock_Seconds() + seconds; }

int Is_Deadline_Passed() { return Library_Clock_Seconds() >= deadline ? 1 : 0; }

void Run_Busy_Animation()
{
    if (!busy.running) return;
    Own_Drawing own;
    const int sx = 1 + (BUSY_SIZE + 1) * busy.frame;
    pxDrawPartialTransparentDIB("Anima2.bmp", sx, 0, sx + BUSY_SIZE - 1, BUSY_SIZE - 1, busy.x, busy.y,
                                busy.x + BUSY_SIZE - 1, busy.y + BUSY_SIZE - 1, 201, -1, -1, -1, -1);
    busy.frame = (busy.frame + 1) % BUSY_FRAMES;
    pxFlsh();
}

void Start_Busy_Animation(int x, int y)
{
    Stop_Busy_Animation();
    busy.x = x < 0 ? NPIXEL_X / 2 - 41 : x;
    busy.y = y < 0 ? NPIXEL_Y / 2 - 41 : y;
    busy.frame = 0;
    busy.under.Keep(busy.x, busy.y, busy.x + BUSY_SIZE - 1, busy.y + BUSY_SIZE - 1);
    busy.running = true;
    Run_Busy_Animation();
    Set_Clock_Stepper(Run_Busy_Animation, 100);
}

void Stop_Busy_Animation()
{
    if (!busy.running) return;
    Set_Clock_Stepper(nullptr, 0);
    busy.running = false;
    busy.under.Put_Back();
    pxFlsh();
}

void Show_Bitmap_Sheet(const char* title, const char* bitmap, int width, int height)
{
    if (!screen::Framebuffer_Ready()) return;
    width = std::max(width, 60);
    height = std::max(height, 1);
    int x1 = NPIXEL_X / 2 - (width + 40) / 2, y1 = NPIXEL_Y / 2 - (height + 90) / 2;
    int x2 = x1 + width + 39, y2 = y1 + height + 89;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, title ? title : "", 0, 1);
    const int ok = Add_Single_Button_to_PS((x1 + x2) / 2 - 13, y2 - 29, 1, 1, nullptr, SYMBOLIC_OK_RASTER, 0);
    Activate_Prop_Sheet();
    {
        Own_Drawing own;
        pxDrawTransparentDIB(bitmap, x1 + 20, y1 + 32, x1 + 19 + width, y1 + 31 + height, 201, -1, -1, -1, -1);
    }
    Move_Mouse_Cursor_to_Button_of_PS(ok, 0, 0);
    while (Edit_Prop_Sheet() > 1) {
    }
    Undefine_Prop_Sheet();
}

int Create_Progress_Bar(int x, int y, int width, int framed)
{
    for (int i = 0; i < BAR_SLOTS; ++i) {
        Bar& b = bars[i];
        if (b.used) continue;
        b = Bar{};
        b.used = true;
        b.x = x;
        b.y = y;
        b.width = std::max(width, 3);
        b.framed = framed != 0;
        if (b.framed) b.under.Keep(x - 6, y - 6, x + b.width + 5, y + BAR_HEIGHT + 5);
        Draw_Progress_Bar(i);
        return i;
    }
    return -1;
}

void Set_Progress_Value(int bar, double value)
{
    if (bar < 0 || bar >= BAR_SLOTS || !bars[bar].used) return;
    bars[bar].value = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    Draw_Progress_Bar(bar);
}

void Draw_Progress_Bar(int bar)
{
    if (bar < 0 || bar >= BAR_SLOTS || !bars[bar].used || !screen::Framebuffer_Ready()) return;
    const Bar& b = bars[bar];
    Own_Drawing own;
    const int x2 = b.x + b.width - 1, y2 = b.y + BAR_HEIGHT - 1;
    if (b.framed) {
        pxFgc(Nearest_Color_Index(235, 245, 225));
        pxRect(b.x - 6, b.y - 6, x2 + 6, y2 + 6);
        pxFgc(Nearest_Color_Index(0, 0, 0));
        Xor_Frame(b.x - 6, b.y - 6, x2 + 6, y2 + 6);  // (copy mode: a plain frame)
    }
    pxFgc(Nearest_Color_Index(255, 251, 240));
    pxRect(b.x + 1, b.y + 1, x2 - 1, y2 - 1);
    const int filled = static_cast<int>(std::lround(b.value * (b.width - 2)));
    if (filled > 0) {
        const int fx2 = b.x + filled;
        pxFgc(Nearest_Color_Index(166, 202, 240));
        pxRect(b.x + 1, b.y + 1, fx2, b.y + 3);
        pxFgc(Nearest_Color_Index(113, 175, 229));
        pxRect(b.x + 1, b.y + 4, fx2, b.y + 6);
        pxFgc(Nearest_Color_Index(32, 96, 192));
        pxRect(b.x + 1, b.y + 7, fx2, b.y + 11);
        pxFgc(Nearest_Color_Index(0, 127, 207));
        pxRect(b.x + 1, b.y + 12, fx2, y2 - 1);
    }
    pxFgc(Nearest_Color_Index(32, 64, 128));
    Xor_Frame(b.x, b.y, x2, y2);
    pxFlsh();
}

void Remove_Progress_Bar(int bar)
{
    if (bar < 0 || bar >= BAR_SLOTS || !bars[bar].used) return;
    bars[bar].under.Put_Back();
    bars[bar] = Bar{};
    pxFlsh();
}

void Start_Sand_Clock(int x, int y)
{
    Stop_Sand_Clock();
    sand.x = x;
    sand.y = y;
    sand.frame = 0;
    sand.under.Keep(x, y, x + SAND_W - 1, y + SAND_H - 1);
    sand.running = true;
    Own_Drawing own;
    Draw_Sand_Frame();
    pxFlsh();
    Set_Deadline(0.05);
}

void Step_Sand_Clock()
{
    if (!sand.running || !Is_Deadline_Passed()) return;
    Own_Drawing own;
    std::vector<uint32_t> ground = sand.under.pixels;
    sand.under.Put_Back();
    sand.under.pixels = ground;
    sand.frame = (sand.frame + 1) % SAND_FRAMES;
    Draw_Sand_Frame();
    pxFlsh();
    Set_Deadline(0.05);
}

void Stop_Sand_Clock()
{
    if (!sand.running) return;
    sand.running = false;
    sand.under.Put_Back();
    pxFlsh();
}

void Set_Zoom_Animation(int steps, int pause_ms)
{
    if (steps < 0) {
        zoom_steps = 10;
        zoom_pause_ms = 15;
        return;
    }
    zoom_steps = steps;
    zoom_pause_ms = std::max(0, pause_ms);
}

void Zoom_Rectangle(int x1, int y1, int x2, int y2, int to_x1, int to_y1, int to_x2, int to_y2)
{
    Own_Drawing own;
    pxSBop(3);
    pxSLn(0);
    const int n = std::max(zoom_steps, 0);
    for (int i = 0; i <= n; ++i) {
        auto at = [&](int a, int b) { return n == 0 ? b : a + static_cast<int>(static_cast<long>(b - a) * i / n); };
        const int a = at(x1, to_x1), b = at(y1, to_y1), c = at(x2, to_x2), d = at(y2, to_y2);
        Xor_Frame(a, b, c, d);
        pxFlsh();
        ZAVSleep(zoom_pause_ms);
        Xor_Frame(a, b, c, d);
    }
    pxFlsh();
}

void Drag_Rectangle(int x, int y, int* last_x, int* last_y)
{
    int mx = M_XPOS, my = M_YPOS;
    if (screen::Framebuffer_Ready()) {
        Own_Drawing own;
        pxSBop(3);
        pxSLn(0);
        Xor_Frame(x, y, mx, my);
        pxFlsh();
        ZAV_Message m;
        InitZAVMessage(&m);
        while (M_LEFT) {
            if (GetZAVMessage(ZAV_MSG_MOVE | ZAV_MSG_LEFT_UP, &m) == 0) M_LEFT = 0;  // no input at all
            Xor_Frame(x, y, mx, my);
            mx = M_XPOS;
            my = M_YPOS;
            if (M_LEFT) Xor_Frame(x, y, mx, my);
            pxFlsh();
        }
    }
    if (last_x) *last_x = mx;
    if (last_y) *last_y = my;
}

void Save_And_Fill_Rectangle(int x1, int y1, int x2, int y2, int colour)
{
    if (!screen::Framebuffer_Ready()) return;
    saved_rectangle.Keep(x1, y1, x2, y2);
    Own_Drawing own;
    pxFgc(colour);
    pxRect(x1, y1, x2, y2);
}

void Restore_Saved_Rectangle()
{
    saved_rectangle.Put_Back();
    pxFlsh();
}

void Set_Hit_Tolerance(int pixels) { hit_tolerance = std::max(0, pixels); }
int Get_Hit_Tolerance() { return hit_tolerance; }

int Is_Near_Segment(int x, int y, int x1, int y1, int x2, int y2)
{
    const int t = hit_tolerance;
    if (x < std::min(x1, x2) - t || x > std::max(x1, x2) + t || y < std::min(y1, y2) - t ||
        y > std::max(y1, y2) + t)
        return 0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return 0;
    const double distance = std::fabs(dx * (y - y1) - dy * (x - x1)) / length;
    return distance <= t ? 1 : 0;
}

void Reset_Button(int button, int redraw, const char* comment)
{
    Reset_Button_Frame(button);
    Change_Action_State_PS(button, 1);
    if (redraw) Change_Activity_PS(button, 1);
    if (comment) Set_Comment_to_Button_PS(button, comment);
}

void Show_Image(const char* file)
{
    if (viewer_pid > 0 && CheckZAVProcess(viewer_pid)) {
        ShowZAVProcessWindow(viewer_pid, 4);
        return;
    }
    const char* exec = ZAVGetEnv("EXEC");
    if (!exec || !*exec) {
        Init_Message();
        Set_Message_Title("Installationsfehler");
        Fill_Message("Das EXEC-Verzeichnis");
        Fill_Message("ist nicht ermittelbar!");
        Draw_Message();
        return;
    }
    const std::string program = std::string(exec) + "\\VANDRILO.EXE";
    if (::access(Map_Path(program).c_str(), X_OK) != 0) {
        Init_Message();
        Set_Message_Title("Installationsproblem");
        Fill_Message("Das ZAV-Werkzeug");
        Fill_Message("- VANDRILO -");
        Fill_Message("ist nicht installiert!");
        Draw_Message();
        return;
    }
    const char* argv[] = {program.c_str(), file ? file : "", nullptr};
    viewer_pid = ZAVSpawnv(2, program.c_str(), argv);
}

void Draw_Titled_Area(int x1, int y1, int x2, int y2, const char* text, int alignment, int frame_kind, int font,
                      int text_colour, int back_colour)
{
    const int old_colour = pxQFgc();
    int vx1 = 0, vy1 = 0, vx2 = 0, vy2 = 0;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    pxView(x1, y1, x2, y2);
    if (frame_kind > 0) {
        Draw_Funny_Area_to_PS(frame_kind, x1, y1, x2, y2, 0);
        const int inset = frame_kind <= 2 ? 1 : 2;
        x1 += inset, y1 += inset, x2 -= inset, y2 -= inset;
    }
    if (back_colour != TITLED_AREA_NO_COLOUR) {
        pxFgc(back_colour);
        pxRect(x1, y1, x2, y2);
    }
    if (text && text_colour != TITLED_AREA_NO_COLOUR) {
        if (font >= 0) Pop_RFont(font);
        pxFgc(text_colour);
        pxBTxt(x1 + (frame_kind > 0 ? 3 : 0), y1, x2, y2, text, -1, alignment);
        if (font >= 0) Push_RFont();
    }
    pxFgc(old_colour);
    pxView(vx1, vy1, vx2, vy2);
    pxFlsh();
}
