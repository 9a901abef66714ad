#pragma once
// The message sink's dialogs on the screen (base/message_sink.h): the list of a context's
// messages and the busy notice, which the sink shows through Install_Message_Dialogs;
// and the progress sheet of up to five bars, which keeps its state and draws nothing
// without a screen.

// Gives the sink its list dialog and busy notice (for the rest of the run).
void Install_Message_Dialogs();

// ---- Progress sheet ---------------------------------------------------------------
constexpr int PROGRESS_MAX_BARS = 5;

// Filled by the caller, read by the sheet. A bar whose total is below 1 is inactive.
struct Progress_Bar_Descriptor {
    char label[200];
    int total;
    int flag;  // 1: counter "%d von maximal %d", else "%d von %d"
};
struct Progress_Descriptor {
    char title[100];
    char text[100];
    int width;      // pixels of the bars' box; -1 (the default): 200
    int bar_count;  // 1 to 5
    Progress_Bar_Descriptor bars[PROGRESS_MAX_BARS];
};

// Empties title, text and every bar; width -1; keeps the bar count (0 to 5).
void Progress_Init(Progress_Descriptor* descriptor, int bar_count);
// Opens the sheet on the descriptor (while progress is enabled): every bar at 0 with its
// total. The descriptor must stay alive until Progress_Close.
void Progress_Open(Progress_Descriptor* descriptor);
void Progress_Close();
// 1 while a descriptor is open and progress is enabled.
int Progress_Is_Open();
void Progress_Enable();
void Progress_Disable();
// One bar, 0 to 4 (others are ignored); the sheet is redrawn when open. Texts keep at
// most 99 characters. Steps and set values act on active bars only.
void Progress_Set_Text(int bar, const char* text);
void Progress_Set_Total(int bar, int total);  // and the value 0
void Progress_Step(int bar);
void Progress_Step_Text(int bar, const char* text);  // null: no new text
void Progress_Set_Value(int bar, int value);
int Progress_Get_Value(int bar);  // -1 for a bar outside 0 to 4
void Progress_Reset_Bar(int bar); // value 0, total -1
