#pragma once
// The environment's message boxes. Without a screen (before Init_Grafik_Mode, and in
// every refresh run) a message is one block of lines on standard error and every yes/no
// question is answered as Set_Message_Answer says ("no" unless told otherwise, so that
// nothing is ever overwritten or given up on a guess); nothing blocks. With a screen the
// box is drawn over everything and waits for its answer (platform/screen/message_boxes.h);
// with the headless driver it is also written on standard error and recorded.
#include <string>
#include <vector>

// The drawn boxes, given by the screen while it has an input driver (the scripted
// headless one or the window) and taken back when it ends; without them every box is
// the block on standard error.
struct Message_Screen {
    // Shows the box and waits for its answer: 1 yes or OK, 0 no. A question marks the
    // answer that Enter gives: "Ja" when default_yes, else "Nein"; Esc answers "Nein",
    // or -1 (no answer) when esc_goes_back.
    int (*run_box)(const std::string& title, const std::string& text, bool question, int symbol,
                   bool default_yes, bool esc_goes_back) = nullptr;
    // A box without buttons that stays until close_box.
    void (*show_box)(const std::string& title, const std::string& text, int symbol) = nullptr;
    void (*close_box)() = nullptr;
    // Whether the driver is the scripted headless one (its boxes are logged as well).
    bool (*headless)() = nullptr;
    // The OK box of a run that cannot go on, for lines the screen prepared it for when it
    // started (laid out and drawn while memory was there): showing it takes no memory.
    // Waits for OK; false, showing nothing, for lines it was not prepared for.
    bool (*final_box)(const char* const* lines, int count) = nullptr;
};
// The symbols of the boxes (Set_Message_Symbol, Message_Screen).
constexpr int MESSAGE_SYMBOL_NONE = 0;
constexpr int MESSAGE_SYMBOL_INFORMATION = 1;
constexpr int MESSAGE_SYMBOL_WARNING = 2;
constexpr int MESSAGE_SYMBOL_ERROR = 3;
constexpr int MESSAGE_SYMBOL_QUESTION = 4;
// Null: no screen.
void Set_Message_Screen(const Message_Screen* screen);
// Whether the boxes are drawn in a window that the user sees (a screen, not the scripted
// headless driver).
bool Message_Boxes_In_Window();

void Init_Message();
void Set_Message_Title(const char* title);
void Fill_Message(const char* line);
void Draw_Message();                 // OK box
// Non-zero for yes. default_yes 0 marks "Nein" as the answer of Enter: for a question
// whose "Ja" gives up what the user has entered. Esc answers "Nein".
int Answer_is_Yes(int default_yes);
// A question whose "Nein" gives up what the user has entered: Enter answers "Ja", Esc
// closes the box without an answer, so that the caller goes back to where the user was.
// 1 yes, 0 no, -1 Esc; without a screen as Answer_is_Yes.
int Answer_Yes_No_Or_Back();
void PrintMessage(const char* text); // one text with OK
// The symbol of the next box: 0 none, 1 information, 2 warning, 3 error, 4 question
// (default: none for OK boxes, question for questions).
void Set_Message_Symbol(int symbol);
// A box without buttons that stays on the screen until Quit_Message (a notice while
// the program works); without a screen it is written on standard error.
void Show_Message();
void Quit_Message();

// Ends the process with the given exit code after writing the lines to standard error.
// Takes no heap memory: this is the way out when memory has run out. Lines are code
// page 850 bytes.
[[noreturn]] void Fatal_Message_And_Exit(const char* const* lines, int count, int exit_code);
// The same, showing the lines first in the box the screen prepared for them
// (Message_Screen::final_box) when a screen is up; they reach standard error as well
// when no user sees the box (no screen, or the scripted headless driver).
[[noreturn]] void Final_Box_And_Exit(const char* const* lines, int count, int exit_code);
// The lines (code page 850) a run ends with when memory has run out; the screen prepares
// its final box for them when it starts.
const char* const* Out_Of_Memory_Lines(int* count);

// The sheets' install call of the periodic callbacks (the open sheet's function), given by
// the screen while it is up and taken back (null) when it ends.
using Periodic_Installer = void (*)(void (*)());
void Set_Periodic_Callback_Installer(Periodic_Installer install);
Periodic_Installer Screen_Periodic_Installer();

// For tests: what the message boxes showed (bytes as given, lines joined with '\n'),
// and the answer the next questions get (0 = no).
struct Shown_Message {
    std::string title;
    std::string text;
    bool question = false;
};
const std::vector<Shown_Message>& Shown_Messages();
void Clear_Shown_Messages();
void Set_Message_Answer(int yes);
