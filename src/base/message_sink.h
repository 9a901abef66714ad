#pragma once
// The program-wide message sink for hints, warnings and errors.
//
// Library code reports through Msg_Show; the display mode decides what happens to a
// message:
//   0  shown at once in a message box (PrintMessage)
//   1  printed on standard output (leading "^x" style pairs left out)
//   2  collected into the current context for a later list (a repeat is stored once)
//   3  dropped
//   4  drawn into the message list that is being shown
// A formatted message holds at most 500 characters; longer texts are cut, never
// overrun. Texts handed to the sink may begin with style pairs: '^' and one character
// ("^b" bold, "^p" plain, "^2" half line step); they never reach the user as text.
//
// Contexts are ten slots (0 to 9) that collect messages until they are closed; one of
// them is current. A context can be shown as a list, printed, put into a message box,
// asked about (yes/no) or written into a design report.
//
// With a screen, the list is a dialog of its own (toolkit/message_dialogs.h): a sheet
// titled with the context's name, the messages drawn one a line (16 pixels; style pairs
// and the report's in-band colour and emphasis sequences honoured) in a scrollable area,
// an optional check box below them and the single button "Weiter      ". Without a
// screen (before Init_Grafik_Mode, in a refresh or batch run) the list is the message
// stand-in of "platform/messages.h": one box titled with the context's name, holding one
// line per message, its check box the box's yes/no question (ticked = yes); nothing
// blocks.
//
// Beside the sink stands a busy notice with a status line; without a screen it keeps its
// state and draws nothing.
//
// All operations run on the main thread.
#include <cstdio>
#include <string>
#include <vector>

// Display modes.
enum : int {
    MSG_MODE_SHOW = 0,
    MSG_MODE_STDOUT = 1,
    MSG_MODE_COLLECT = 2,
    MSG_MODE_DROP = 3,
    MSG_MODE_LIST = 4,
};

// Longest formatted message, in characters.
constexpr int MSG_MAX_TEXT = 500;
// Number of context slots.
constexpr int MSG_CONTEXT_COUNT = 10;

#if defined(__GNUC__)
#define MSG_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define MSG_PRINTF_FORMAT(f, a)
#endif

// Formats one message (printf conventions, at most 500 characters) and routes it by the
// display mode. Nothing happens while the sink is off or when the format is empty.
void Msg_Show(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);
// Routes the formatted message under the given mode, then restores the mode in effect.
void Msg_Show_With_Mode(int mode, const char* format, ...) MSG_PRINTF_FORMAT(2, 3);
// Collects the formatted message into the current context (mode 2).
void Msg_Collect(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);

// "^bFEHLER: %s!", "^bWARNUNG: %s!", "^bHINWEIS: %s." around the formatted text, routed
// under the current mode (the whole message at most 500 characters).
void Msg_Error(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);
void Msg_Warning(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);
void Msg_Hint(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);
// The same under the given mode (a negative mode: the current one); the mode in effect
// is restored afterwards.
void Msg_Error_With_Mode(int mode, const char* format, ...) MSG_PRINTF_FORMAT(2, 3);
void Msg_Warning_With_Mode(int mode, const char* format, ...) MSG_PRINTF_FORMAT(2, 3);
void Msg_Hint_With_Mode(int mode, const char* format, ...) MSG_PRINTF_FORMAT(2, 3);

// State of the sink.
void Msg_Set_Mode(int mode);
// While set, a message that finds the mode 0 or 4 switches the mode to 1 for good.
void Msg_Set_Batch(int flag);
void Msg_Enable();
void Msg_Disable();

// Contexts. Open takes the lowest free slot, empties it and makes it current (-1 when
// all ten are taken). Select and Set_Context_Name answer 2 for an index outside 0 to 9,
// 1 for a free slot, else 0. A name keeps at most 199 characters.
int Msg_Open_Context();
int Msg_Select_Context(int index);
int Msg_Set_Context_Name(int index, const char* name);
// Symbol of the context's message box (-1 none); returns the index.
int Msg_Set_Context_Symbol(int index, int symbol);
// Number of messages collected; 0 for a free slot or a bad index.
int Msg_Context_Count(int index);
int Msg_Current_Count();
// Forgets the context's name and messages and frees the slot.
void Msg_Close_Context(int index);

// Shows a context's messages: mode 4 as the list, mode 1 on standard output, any other
// mode in a message box. The display mode becomes the given mode and stays so.
// Nothing happens while the sink is off or when the slot is free.
void Msg_Show_Context(int index, int mode);
void Msg_Show_Current(int mode);
// Lists the current context with the check box "Diesen Hinweis nicht nochmal anzeigen":
// 0 when it was ticked, else 1 (also when the sink is off or the context free).
int Msg_Show_Current_Once();
// Lists the current context with a check box of the given text: 1 when it was ticked.
int Msg_Show_Current_With_Check(const char* text);
// Message box of the current context's messages with a yes/no question (flag: the
// default answer); the answer, or 0 without asking when the sink is off, the context
// free or the mode 1.
int Msg_Ask_Collected(int flag);
int Msg_Ask_Collected_Default_Yes();
int Msg_Ask_Collected_Default_No();

// The current context's messages for a writer outside the sink (the design report
// writes them with Msg_Write_Current_To_Report, report/collected_lists.h): each without
// its leading style pairs and its line feed. False, and no texts, when the current
// context is free.
bool Msg_Current_Plain_Texts(std::vector<std::string>* texts);

// A message's text behind its leading style pairs ('^' and one character), and a text
// without one trailing line feed.
const char* Msg_Skip_Style_Pairs(const char* text);
std::string Msg_Without_Line_Feed(const std::string& text);

// Background colour index of the message list (-1: the default).
void Msg_Set_List_Background(int colour);

// The check box's text of Msg_Show_Current_Once.
constexpr const char* MSG_DEFAULT_CHECK_TEXT = "Diesen Hinweis nicht nochmal anzeigen";

// The drawn side of the sink, given by the toolkit (Install_Message_Dialogs); without it
// every list is the message box and the busy notice draws nothing.
struct Msg_Screen {
    // The list dialog of the entries (each with its line feed) under the title, with a
    // check box when check_text is not null, on the ground colour (-1: the default);
    // *checked is 1 when the box was ticked. False when no dialog could be shown (no
    // screen, or no area free).
    bool (*run_list)(const std::string& title, const std::vector<std::string>& entries, const char* check_text,
                     int ground, int* checked) = nullptr;
    // The notice's box (when first) and its status line; nothing without a screen.
    void (*show_busy)(const char* text, bool first) = nullptr;
    // Takes the box away and puts back what lay under it; nothing without a screen.
    void (*stop_busy)() = nullptr;
};
// Null: none.
void Msg_Set_Screen(const Msg_Screen* screen);

// ---- Busy notice ------------------------------------------------------------------
// A box over everything ("Bitte etwas Geduld") with a status line below its middle.
// Start formats at most 255 characters and shows them (the box the first time); Update
// does the same only while the notice is shown; Stop takes the box away and puts back
// what lay under it. Nothing happens while the sink is off.
void Busy_Start(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);
void Busy_Update(const char* format, ...) MSG_PRINTF_FORMAT(1, 2);
void Busy_Stop();
int Busy_Is_Shown();
// 1 when the notice is shown and its status line was drawn 100 ms ago or more (wall
// clock): a long piece of work asks before each Busy_Update, so that the screen is
// redrawn often enough to stay alive, and not so often that drawing slows the work.
int Busy_Due();
