#pragma once
// Stand-in for the environment's way of starting its tools and watching their windows.
//
// There are no windows here. A program started through ZAVSpawnv counts as having one
// window from its start until it ends; its title comes from the program's file name:
//   Zorbitel.exe  "ZAV - Bauteilauswahl"         (component selection)
//   Kestrova.exe  "ZAV - Planbearbeitung"        (plan tool)
//   Tramovik.exe  "ZAV - Schnittgrößenauswahl"   (selection of internal forces, code page 1252)
// (file names compared without regard to case); any other program's window is titled with
// its file name (for example "sh"). Programs are always started from an argument vector,
// never through a shell, so no argument is ever interpreted as a command.

// Starts the program at path (Windows form allowed; it goes through Map_Path) with the
// argument list argv (argv[0] first, ended by a null entry; null gives just the path).
// Mode 0 waits for the program and returns its exit code (-1 when it could not be
// started or did not end normally). Any other mode (1: the environment's "no wait")
// returns at once with the process id, or -1 when the program could not be started.
int ZAVSpawnv(int mode, const char* path, const char* const* argv);

// Non-zero while a program started by ZAVSpawnv without waiting still runs under a window
// whose title begins with the first length bytes of title (length < 1 or beyond the
// text: the whole text). Finished programs are collected here (no zombies stay behind).
int FindZAVWindow(const char* title, int length);

// Non-zero while the program that ZAVSpawnv started without waiting under this process
// id still runs. ShowZAVProcessWindow would bring its window to the front (here the
// program has no window of ours): it answers whether the program still runs.
int CheckZAVProcess(int pid);
int ShowZAVProcessWindow(int pid, int how);

// Sleeps the given milliseconds (nothing for 0 or less) on the screen library's clock
// (the screen's sleep_ms below): without a screen the time really passes.
void ZAVSleep(int milliseconds);

// What the screen does while the program waits for a tool: given by the screen while it
// has an input driver (the scripted headless one or the window) and taken back when it
// ends. Without it nothing is shown and the time really passes.
struct Tool_Wait_Screen {
    // Lets the milliseconds pass on the screen library's clock.
    void (*sleep_ms)(int milliseconds) = nullptr;
    // The box of a waiting program: the text (its left end text_x pixels left of the
    // screen's centre) above ten squares; false when nothing could be shown.
    bool (*open_box)(const char* text, int text_x) = nullptr;
    // Lights the next square.
    void (*step_box)() = nullptr;
    // Puts the screen under the box back.
    void (*close_box)() = nullptr;
};
// Null: no screen.
void Set_Tool_Wait_Screen(const Tool_Wait_Screen* screen);
const Tool_Wait_Screen& Get_Tool_Wait_Screen();

// Runs the program (path as for ZAVSpawnv) with the argument list, its standard output
// written to the file log_path (created or replaced), and waits for it. Returns the exit
// code; -1 when the program or the log file could not be opened, or the program did not
// end normally. Stands in for running a command line with its output redirected.
int Run_Program_To_Log(const char* path, const char* const* argv, const char* log_path);
