#include "platform/screen/screen.h"

#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/screen/backend.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

Screen_State state;

constexpr int DEFAULT_WIDTH = 1280;
constexpr int DEFAULT_HEIGHT = 1024;

// "WxH" within sensible bounds; false otherwise.
bool Parse_Size(const char* text, int& width, int& height)
{
    if (!text) return false;
    int w = 0, h = 0;
    char extra = 0;
    if (std::sscanf(text, "%dx%d%c", &w, &h, &extra) != 2) return false;
    if (w < 320 || h < 240 || w > 8192 || h > 8192) return false;
    width = w;
    height = h;
    return true;
}

void Start(std::unique_ptr<screen::Backend> backend, int width, int height)
{
    screen::Create_Framebuffer(width, height);
    screen::Install_Backend(std::move(backend));
    if (screen::Current_Backend() && !state.frame_title.empty())
        screen::Current_Backend()->Set_Title(state.frame_title);
    screen::Present_Now();
    state.graphics_on = true;
}

} // namespace

const Screen_State& Get_Screen_State()
{
    state.font_ready = screen::Fonts_Ready();
    return state;
}

void Init_Grafik_Mode()
{
    int width = DEFAULT_WIDTH, height = DEFAULT_HEIGHT;
    if (const char* size = std::getenv("ZAV_SCREEN_SIZE"); size && *size && !Parse_Size(size, width, height))
        std::fprintf(stderr, "corbel: ZAV_SCREEN_SIZE=%s ist keine Gr\xC3\xB6\xC3\x9F" "e BxH; %dx%d.\n", size,
                     width, height);
    const char* kind = std::getenv("ZAV_SCREEN");
    std::unique_ptr<screen::Backend> backend;
    if (kind && std::string(kind) == "window") backend = screen::Load_Window_Backend(width, height);
    if (!backend) {
        std::string script;
        const char* file = std::getenv("ZAV_SCRIPT");
        if (file && *file) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "corbel: Skript %s nicht lesbar.\n", file);
                std::fflush(nullptr);
                std::_Exit(91);
            }
            std::ostringstream text;
            text << in.rdbuf();
            script = text.str();
        }
        backend = screen::Make_Script_Backend(script, file && *file ? file : "");
    }
    Start(std::move(backend), width, height);
    // A save that a signal ends (headless, or a window nobody sees) leaves no temporary
    // file; a visible window keeps the handler that asks before it closes.
    Remove_Temporaries_On_Signals();
}

void Exit_Grafik_Mode()
{
    screen::Reset_Sheets();
    screen::Remove_Backend();
    screen::Destroy_Framebuffer();
    state.graphics_on = false;
}

void Init_Prop_Sheets()
{
    screen::Reset_Sheets();
    state.sheets_on = true;
}

void Exit_Prop_Sheets()
{
    screen::Reset_Sheets();
    state.sheets_on = false;
}

void ZAVSetFrameTitle(const char* title)
{
    state.frame_title = title ? title : "";
    if (screen::Backend* b = screen::Current_Backend()) b->Set_Title(state.frame_title);
}

void ZAVSetMinMaxSize(int, int, int, int) {}

void Init_Mouse_Move_Restriction(int x0, int y0, int x1, int y1)
{
    state.mouse_range[0] = x0;
    state.mouse_range[1] = y0;
    state.mouse_range[2] = x1;
    state.mouse_range[3] = y1;
    screen::Set_Base_Confinement(x0, y0, x1, y1);
}

void Init_Mouse_Position(int x, int y)
{
    state.mouse_position[0] = x;
    state.mouse_position[1] = y;
    msStCu(x, y);
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

void Helpview(const char* topic)
{
    const std::string t = topic ? topic : "";
    state.help_topics.push_back(t);
    const std::string file = state.help_file.substr(state.help_file.find_last_of("\\/") + 1);
    const std::string message = "Die Hilfe kann nicht gezeigt werden: es ist kein Hilfeprogramm installiert.\n"
                                "(Hilfedatei " + file + ", Thema " + t + ")";
    PrintMessage(message.c_str());
}

bool Screen_Shows_Window()
{
    const screen::Backend* b = screen::Current_Backend();
    return b && !b->Headless();
}

void Screen_Start_For_Tests(const std::string& script, int width, int height)
{
    Screen_Reset_For_Tests();
    Start(screen::Make_Script_Backend(script, "(Test)"), width, height);
}

uint32_t Screen_Pixel_For_Tests(int x, int y) { return screen::Pixel(x, y); }

void Screen_Reset_For_Tests()
{
    Exit_Grafik_Mode();
    screen::Reset_Events();
    screen::Reset_Fonts();
    screen::Reset_Drawing_State();
    // The sheet base, pointer range and title of the program that ran before belong to
    // its screen, not to the next one (which may have another size).
    state = Screen_State{};
    NPIXEL_X = DEFAULT_WIDTH;
    NPIXEL_Y = DEFAULT_HEIGHT;
}
