#include "base/env_tools.h"

#include "base/guillemet.h"
#include "base/run_globals.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/tools.h"

#include <cstdio>
#include <cstring>
#include <vector>

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
    int c;
    do {
        c = std::fgetc(stream);
    } while (c == ' ' || c == '\t' || c == '\n' || c == '\r');
    if (c != GUILLEMET_OPEN) return;  // consumed, as every field reader of the file does
    std::ungetc(c, stream);
    // Read to the field's own width: a path cut at a shorter buffer would name another file.
    std::vector<char> text(width);
    ZXP_Read_Delimited(stream, text.data(), static_cast<int>(width), GUILLEMET_OPEN, GUILLEMET_CLOSE);
    std::memcpy(field, text.data(), width);
}

// The box on the screen while the program waits for a tool (nothing without a screen).
class Waiting_Box {
public:
    explicit Waiting_Box(const ZAV_Tool& tool)
    {
        const Tool_Wait_Screen& screen = Get_Tool_Wait_Screen();
        shown_ = screen.open_box && screen.open_box(tool.waiting_text, tool.waiting_text_x);
    }
    ~Waiting_Box()
    {
        const Tool_Wait_Screen& screen = Get_Tool_Wait_Screen();
        if (shown_ && screen.close_box) screen.close_box();
    }
    // Lights the next square.
    void Step()
    {
        const Tool_Wait_Screen& screen = Get_Tool_Wait_Screen();
        if (shown_ && screen.step_box) screen.step_box();
    }
    Waiting_Box(const Waiting_Box&) = delete;
    Waiting_Box& operator=(const Waiting_Box&) = delete;

private:
    bool shown_ = false;
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
