#include "viewer/quick_oli.h"

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
    Laid_Out_Document doc;
    std::string error;
    const std::string pdf = Default_View_Output(input);
    std::vector<std::string> pages;
    if (!Load_View_File(input, doc, error) || !Write_Pdf_File(doc, pdf, error) ||
        (with_pages && !Write_Png_Files(doc, pdf, PNG_DEFAULT_DPI, pages, error))) {
        PrintMessage(error.c_str());
        return "";
    }
    return pdf;
}

// Runs the print command with the file as its last word and waits; its exit code, or -1
// when it could not be started or did not end normally.
int Run_Print_Command(const std::string& command, const std::string& file)
{
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty()) return -1;
    words.push_back(file);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int Viewer_Quick_OLI_View(const char* /*component_path*/, const char* file_name)
{
    const std::string pdf = Render(file_name, true);
    if (pdf.empty()) return 1;
    std::printf("Bericht: %s\n", pdf.c_str());
    std::fflush(stdout);
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
        return 0;
    }
    const int code = Run_Print_Command(command, pdf);
    if (code == 0) return 0;
    const std::string message = "Der Druckbefehl \"" + std::string(command) + "\" ist fehlgeschlagen (" +
                                (code < 0 ? std::string("nicht gestartet") : "Ende mit " + std::to_string(code)) +
                                ").\nDer Bericht liegt als " + pdf + " vor.";
    PrintMessage(message.c_str());
    return 1;
}

void Install_Report_Viewer() { Set_Report_Viewer(Viewer_Quick_OLI_View, Viewer_Quick_OLI_Print); }
