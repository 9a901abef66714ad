#include "viewer/quick_oli.h"

#include "base/message_sink.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/report_viewer.h"
#include "viewer/cairo_output.h"
#include "viewer/view_file.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Renders the report to its PDF (and the PNG pages for the preview); the PDF's name, or
// "" after a message.
std::string Render(const char* file_name, bool with_pages)
{
    if (!file_name || !*file_name) {
        PrintMessage("Kein Bericht angegeben.");
        return "";
    }
    const std::string input = Map_Path(file_name);
    const std::string pdf = Default_View_Output(input);
    const View_Outcome outcome = Render_View_Files(input, pdf, with_pages ? pdf : "");
    Busy_Stop();  // the work is done: what follows is said in boxes of its own
    if (!outcome.ok) {
        PrintMessage(outcome.error.c_str());
        return "";
    }
    return pdf;
}

// Starts the command (its words split at blanks) with the file as its last word,
// directly, never through a shell; false when it could not be started.
bool Start_Command(const std::string& command, const std::string& file, pid_t& pid)
{
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty()) return false;
    words.push_back(file);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
}

// Runs the print command with the file and waits; its exit code, or -1 when it could not
// be started or did not end normally.
int Run_Print_Command(const std::string& command, const std::string& file)
{
    pid_t pid = 0;
    if (!Start_Command(command, file, pid)) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Viewers started and not yet seen ending: they run beside the program, which only
// collects the ones that ended, so that none is left behind as a zombie.
std::vector<pid_t> viewers;

void Collect_Ended_Viewers()
{
    std::erase_if(viewers, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

// Hands the PDF to the desktop's viewer (a window session's): CORBEL_VIEW_COMMAND when
// set, else xdg-open when it is there. The command that was started, or "" when none.
std::string Show_In_Viewer(const std::string& pdf)
{
    Collect_Ended_Viewers();
    const char* asked = ZAVGetEnv(VIEW_COMMAND_VARIABLE);
    const std::string command = asked && *asked ? asked : "xdg-open";
    pid_t pid = 0;
    if (!Start_Command(command, pdf, pid)) return "";
    viewers.push_back(pid);
    return command;
}

} // namespace

int Viewer_Quick_OLI_View(const char* /*component_path*/, const char* file_name)
{
    const std::string pdf = Render(file_name, true);
    if (pdf.empty()) return 1;
    std::printf("Bericht: %s\n", pdf.c_str());
    std::fflush(stdout);
    const bool window = Message_Boxes_In_Window();
    const std::string viewer = window ? Show_In_Viewer(pdf) : "";
    std::string message = "Vorschau: der Bericht steht in\n" + pdf;
    if (!viewer.empty())
        message += "\nund wird mit \"" + viewer + "\" angezeigt.";
    else if (window)
        message += "\nEin Anzeigeprogramm ist nicht vorhanden (" + std::string(VIEW_COMMAND_VARIABLE) +
                   ", xdg-open).";
    PrintMessage(message.c_str());
    return 0;
}

int Viewer_Quick_OLI_Print(const char* /*component_path*/, const char* file_name)
{
    const std::string pdf = Render(file_name, false);
    if (pdf.empty()) return 1;
    const char* command = ZAVGetEnv(PRINT_COMMAND_VARIABLE);
    if (!command || !*command) {
        std::printf("Bericht zum Drucken: %s\n", pdf.c_str());
        std::fflush(stdout);
        const std::string message = "Kein Druckbefehl eingestellt (" + std::string(PRINT_COMMAND_VARIABLE) +
                                    ").\nDer Bericht liegt als " + pdf + " vor.";
        PrintMessage(message.c_str());
        return 0;
    }
    const int code = Run_Print_Command(command, pdf);
    if (code == 0) {
        const std::string message = "Der Bericht " + pdf + "\nwurde an den Druckbefehl \"" + std::string(command) +
                                    "\" \xFC" "bergeben.";
        PrintMessage(message.c_str());
        return 0;
    }
    const std::string message = "Der Druckbefehl \"" + std::string(command) + "\" ist fehlgeschlagen (" +
                                (code < 0 ? std::string("nicht gestartet") : "Ende mit " + std::to_string(code)) +
                                ").\nDer Bericht liegt als " + pdf + " vor.";
    PrintMessage(message.c_str());
    return 1;
}

void Install_Report_Viewer() { Set_Report_Viewer(Viewer_Quick_OLI_View, Viewer_Quick_OLI_Print); }
