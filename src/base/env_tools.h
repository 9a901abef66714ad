#pragma once
// The environment's own programs that this program starts and waits for: the
// component selection (Zorbitel.exe), which answers in a file, and the plan tool
// (Kestrova.exe). The way of starting a tool and waiting until its window has closed is
// shared with the import of internal forces.
#include <cstdint>
#include <string>
#include <vector>

// The answer of the component selection; one global record, overwritten by each
// selection (a text missing from an answer keeps its previous value).
struct Component_Selection {
    int32_t first;            // first number of the answer (not used)
    int32_t second;           // second number of the answer (not used)
    int32_t archive_flag;     // not 0 when the exchange file lies in an archive
    char name[40];            // the component's name
    char text2[40];           // not used
    char last_action[40];     // the component's last action
    char file_base[260];      // path and stem of the component's files (exchange file: + ".EX2")
    char text5[40];           // not used
    char text6[40];           // not used
    char archive_path[260];   // the archive holding the exchange file (with the flag only)
};
extern Component_Selection component_selection;

// One of the environment's tools (texts in code page 1252).
struct ZAV_Tool {
    const char* program_file;      // file name in the installation directory ("EXEC")
    const char* window_title;      // the title its window carries while it runs
    int title_length;              // bytes of the title compared
    const char* waiting_text;      // what the waiting box says
    int waiting_text_x;            // pixels left of the screen centre where it begins
    const char* active_message[3]; // shown when the tool runs already
};

extern const ZAV_Tool component_selection_tool;  // Zorbitel.exe
extern const ZAV_Tool plan_tool;                 // Kestrova.exe

// Starts the tool with the arguments (behind the program path) without waiting, then
// waits until its window has closed: at most 3 s for it to appear, then as long as it is
// there. Returns 1 when the tool ran; 0 when it runs already (after its three-line
// message), "EXEC" is not set, the program could not be started, or in a refresh run
// (which never waits for the user).
int Run_ZAV_Tool(const ZAV_Tool& tool, const std::vector<std::string>& args);

// Lets the user pick a component of the environment (kind: 3 for the force import) and
// reads the answer file "Zorbitel.tmp" in the temporary directory ("TEMP") into
// component_selection, then deletes the file. Null when the tool could not run, "TEMP"
// is not set or there is no answer (the user cancelled).
Component_Selection* Select_Component(int kind);

// Starts the plan tool on the file (and the second file when not null) and waits until
// it ends. 1 when the tool ran; 0 when it ran already, the installation directory cannot
// be found, the program could not be started or no file is given.
int Run_Plan_Tool(const char* file, const char* second_file);
void Edit_Plan_File(const char* file);
