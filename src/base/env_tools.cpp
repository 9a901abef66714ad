#include "base/env_tools.h"

#include "base/guillemet.h"
#include "base/run_globals.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/tools.h"

#include <cstdio>
#include <cstring>

Component_Selection component_selection{};

const ZAV_Tool component_selection_tool = {
    "Zorbitel.exe",
    "ZAV - Bauteilauswahl",
    20,
    "Bitte w\xE4hlen Sie ein Bauteil aus",
    110,
    {"Das ZAV-Werkzeug zur Auswahl von Bauteilen", "ist bereits aktiv. Bitte schlie\xDF" "en Sie",
     "das Fenster und versuchen es erneut."},
};

const ZAV_Tool plan_tool = {
    "Kestrova.exe",
    "ZAV - Planbearbeitung",
    21,
    "Warte auf Ende des Planerstellungsmoduls",
    130,
    {"Das ZAV-Werkzeug zur Planbearbeitung", "ist bereits aktiv. Bitte schlie\xDF" "en Sie",
     "das Fenster und versuchen es erneut."},
};

namespace {

constexpr int appear_looks = 30;     // looks for the window to appear ...
constexpr int appear_pause_ms = 100; // ... this far apart
constexpr int running_pause_ms = 120;

// Reads one guillemet text of the answer file into a field of the given width, cut to
// width - 1 characters; a missing text leaves the field as it was.
void Read_Answer_Text(FILE* stream, char* field, size_t width)
{
    char text[GUILLEMET_TEXT_SIZE];
    if (Read_Guillemet_Text(stream, text) < 0) return;
    size_t n = ::strnlen(text, width - 1);
    std::memcpy(field, text, n);
    field[n] = '\0';
}

// The box on the screen while the program waits for a tool: its text and ten squares of
// which one after the other is lit. Nothing without a screen.
class Waiting_Box {
public:
    explicit Waiting_Box(const ZAV_Tool& tool)
    {
        if (!Get_Screen_State().graphics_on) return;
        cx_ = NPIXEL_X / 2;
        cy_ = NPIXEL_Y / 2;
        x1_ = cx_ - 130, y1_ = cy_ - 30, x2_ = cx_ + 130, y2_ = cy_ + 30;
        shown_ = Save_Screen_Rectangle(x1_, y1_, x2_, y2_) != 0;
        if (!shown_) return;
        black_ = Nearest_RGB_Color(0, 0, 0);
        white_ = Nearest_RGB_Color(255, 255, 255);
        blue_ = Nearest_RGB_Color(0, 128, 255);
        pxFgc(white_);
        pxRect(x1_, y1_, x2_, y2_);
        Frame(x1_, y1_, x2_, y2_, black_);
        pxFgc(black_);
        Pop_RFont(0x1000);  // the font stack's names are the environment's, inverted
        const int n = static_cast<int>(std::strlen(tool.waiting_text));
        pxText(cx_ - tool.waiting_text_x, cy_ - 10, tool.waiting_text, n);
        pxText(cx_ - tool.waiting_text_x + 1, cy_ - 10, tool.waiting_text, n);
        Push_RFont();
        for (int i = 0; i < squares; ++i) Square(i, false);
        setMouseCursor(6);
        pxFlsh();
    }
    ~Waiting_Box()
    {
        if (!shown_) return;
        setMouseCursor(0);
        Restore_Screen_Rectangle(x1_, y1_, x2_, y2_);
        pxFlsh();
    }
    // Lights the next square.
    void Step()
    {
        if (!shown_) return;
        if (lit_ >= 0) Square(lit_, false);
        lit_ = (lit_ + 1) % squares;
        Square(lit_, true);
        pxFlsh();
    }

private:
    static constexpr int squares = 10;
    void Frame(int x1, int y1, int x2, int y2, int colour)
    {
        pxFgc(colour);
        pxLine(x1, y1, x2, y1);
        pxLine(x2, y1, x2, y2);
        pxLine(x2, y2, x1, y2);
        pxLine(x1, y2, x1, y1);
    }
    void Square(int i, bool lit)
    {
        const int x = cx_ - 110 + 23 * i;
        pxFgc(lit ? blue_ : white_);
        pxRect(x, cy_, x + 14, cy_ + 14);
        Frame(x, cy_, x + 14, cy_ + 14, lit ? black_ : blue_);
    }
    bool shown_ = false;
    int cx_ = 0, cy_ = 0, x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int black_ = 0, white_ = 0, blue_ = 0;
    int lit_ = -1;
};

} // namespace

int Run_ZAV_Tool(const ZAV_Tool& tool, const std::vector<std::string>& args)
{
    if (refresh_mode) return 0;
    if (FindZAVWindow(tool.window_title, tool.title_length)) {
        Init_Message();
        for (const char* line : tool.active_message) Fill_Message(line);
        Draw_Message();
        return 0;
    }
    const char* exec = ZAVGetEnv("EXEC");
    if (!exec) return 0;
    const std::string program = std::string(exec) + "\\" + tool.program_file;

    std::vector<const char*> argv;
    argv.push_back(program.c_str());
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);

    std::fflush(nullptr);
    // A tool that cannot be started has not run: waiting for its window would only
    // delay the failure and report it as success.
    if (ZAVSpawnv(1, program.c_str(), argv.data()) < 0) return 0;

    Waiting_Box box(tool);
    for (int look = 0; look < appear_looks && !FindZAVWindow(tool.window_title, tool.title_length);
         ++look)
        ZAVSleep(appear_pause_ms);
    while (FindZAVWindow(tool.window_title, tool.title_length)) {
        box.Step();
        ZAVSleep(running_pause_ms);
    }
    return 1;
}

Component_Selection* Select_Component(int kind)
{
    if (!Run_ZAV_Tool(component_selection_tool, {std::to_string(kind)})) return nullptr;
    const char* temp = ZAVGetEnv("TEMP");
    if (!temp) return nullptr;
    const std::string answer = Map_Path(std::string(temp) + "\\Zorbitel.tmp");
    FILE* f = Fopen_Input(answer, "r");
    if (!f) return nullptr;

    Component_Selection& c = component_selection;
    c.archive_flag = 0;
    c.archive_path[0] = '\0';
    if (std::fscanf(f, "%d", &c.first) == 1) (void)std::fscanf(f, "%d", &c.second);
    Read_Answer_Text(f, c.name, sizeof c.name);
    Read_Answer_Text(f, c.text2, sizeof c.text2);
    Read_Answer_Text(f, c.last_action, sizeof c.last_action);
    Read_Answer_Text(f, c.file_base, sizeof c.file_base);
    Read_Answer_Text(f, c.text5, sizeof c.text5);
    Read_Answer_Text(f, c.text6, sizeof c.text6);
    if (std::fscanf(f, "%d", &c.archive_flag) == 1 && c.archive_flag != 0)
        Read_Answer_Text(f, c.archive_path, sizeof c.archive_path);
    std::fclose(f);
    std::remove(answer.c_str());
    return &c;
}

int Run_Plan_Tool(const char* file, const char* second_file)
{
    if (!file) return 0;
    std::vector<std::string> args{file};
    if (second_file) args.emplace_back(second_file);
    return Run_ZAV_Tool(plan_tool, args);
}

void Edit_Plan_File(const char* file) { Run_Plan_Tool(file, nullptr); }
