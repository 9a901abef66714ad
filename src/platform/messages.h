#pragma once
// Stand-in for the environment's message boxes. Until there is a screen, a message
// is one block of lines on standard error and every yes/no question is answered
// "no" (so nothing is ever overwritten or given up on a guess). Nothing blocks.
#include <string>
#include <vector>

void Init_Message();
void Set_Message_Title(const char* title);
void Fill_Message(const char* line);
void Draw_Message();                 // OK box
int Answer_is_Yes(int default_yes);  // non-zero for yes
void PrintMessage(const char* text); // one text with OK

// Ends the process with the given exit code after writing the lines to standard error.
// Takes no heap memory: this is the way out when memory has run out. Lines are code
// page 850 bytes.
[[noreturn]] void Fatal_Message_And_Exit(const char* const* lines, int count, int exit_code);

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
