#include "base/message_sink.h"

#include "base/alloc.h"
#include "platform/messages.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kErrorText = "^bFEHLER: %s!";
constexpr const char* kWarningText = "^bWARNUNG: %s!";
constexpr const char* kHintText = "^bHINWEIS: %s.";
// An entry holds its text, a line feed and the terminator in 500 bytes.
constexpr size_t kMaxEntryText = 498;
constexpr size_t kMaxNameLength = 199;
constexpr size_t kMaxTitleLength = 99;
// The report text's control byte, which introduces an in-band sequence in texts that
// were made for the report (report/oli_channel.h, a layer the sink does not reach).
constexpr unsigned char kControlByte = 0xCE;

struct Message_Context {
    bool taken = false;
    std::string name;
    std::vector<std::string> entries;  // each ends with the line feed it was stored with
    int symbol = -1;
};

int sink_on = 1;
int display_mode = MSG_MODE_SHOW;
int batch = 0;
Message_Context contexts[MSG_CONTEXT_COUNT];
int current_context = 0;
int list_background = -1;
// Set while a list is being built: mode 4 then adds lines to it.
bool list_being_drawn = false;
int list_check_value = 0;
Msg_Screen drawn;  // all null without the toolkit's dialogs

// Busy notice.
bool busy_shown = false;
char busy_text[256] = "";
std::chrono::steady_clock::time_point busy_drawn;

bool Valid_Index(int index) { return index >= 0 && index < MSG_CONTEXT_COUNT; }

Message_Context* Taken_Context(int index)
{
    if (!Valid_Index(index) || !contexts[index].taken) return nullptr;
    return &contexts[index];
}

// Formats at most 500 characters into buffer (MSG_MAX_TEXT + 1 bytes); a formatting
// failure leaves it empty.
void Format_Into(char* buffer, const char* format, va_list args)
{
    buffer[0] = '\0';
    if (std::vsnprintf(buffer, MSG_MAX_TEXT + 1, format, args) < 0) buffer[0] = '\0';
    buffer[MSG_MAX_TEXT] = '\0';
}

} // namespace

const char* Msg_Skip_Style_Pairs(const char* text)
{
    while (text[0] == '^') {
        if (text[1] == '\0') return text + 1;
        text += 2;
    }
    return text;
}

std::string Msg_Without_Line_Feed(const std::string& text)
{
    if (!text.empty() && text.back() == '\n') return text.substr(0, text.size() - 1);
    return text;
}

namespace {

// What a list line shows of a text with in-band report sequences (control byte, letter,
// content, control byte, letter): a coloured run ('C', 'c': colour number, blank, text)
// shows its text, every other run its content.
std::string Plain_List_Text(const std::string& text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) != kControlByte) {
            out += text[i++];
            continue;
        }
        if (i + 1 >= text.size()) break;
        const char letter = text[i + 1];
        const size_t start = i + 2;
        size_t end = text.find(static_cast<char>(kControlByte), start);
        if (end == std::string::npos) end = text.size();
        std::string content = text.substr(start, end - start);
        if (letter == 'C' || letter == 'c') {
            const size_t blank = content.find(' ');
            content = blank == std::string::npos ? std::string() : content.substr(blank + 1);
        }
        out += content;
        // Go on behind the closing control byte and its letter.
        i = end >= text.size() ? end : std::min(end + 2, text.size());
    }
    return out;
}

void Print_On_Standard_Output(const char* text)
{
    std::fputs(Msg_Skip_Style_Pairs(text), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Collect(const char* text)
{
    Message_Context* context = Taken_Context(current_context);
    if (context == nullptr) return;
    // Cut to what an entry holds first, so that a long message repeated is still
    // recognised as the one stored.
    const std::string kept(text, std::min(std::strlen(text), kMaxEntryText));
    if (kept.size() > 2) {
        for (const std::string& entry : context->entries)
            if (entry.compare(0, kept.size(), kept) == 0) return;
    }
    try {
        context->entries.push_back(kept + '\n');
    } catch (const std::bad_alloc&) {
        Abort_Out_Of_Memory();
    }
}

void Add_List_Line(const char* text)
{
    const std::string line = Msg_Without_Line_Feed(Msg_Skip_Style_Pairs(text));
    Fill_Message(Plain_List_Text(line).c_str());
}

// Routes one finished text under the display mode in effect.
void Route(const char* text)
{
    if (batch && (display_mode == MSG_MODE_SHOW || display_mode == MSG_MODE_LIST))
        display_mode = MSG_MODE_STDOUT;
    switch (display_mode) {
    case MSG_MODE_STDOUT:
        Print_On_Standard_Output(text);
        break;
    case MSG_MODE_COLLECT:
        Collect(text);
        break;
    case MSG_MODE_DROP:
        break;
    case MSG_MODE_LIST:
        // The mode stays 4 after a list was shown; a message that comes when no list is
        // being built is shown at once rather than lost.
        if (list_being_drawn)
            Add_List_Line(text);
        else
            PrintMessage(Msg_Skip_Style_Pairs(text));
        break;
    default:
        PrintMessage(Msg_Skip_Style_Pairs(text));
        break;
    }
}

// Routes the text under the given mode and puts the mode in effect back.
void Route_With_Mode(int mode, const char* text)
{
    const int old_mode = display_mode;
    Msg_Set_Mode(mode);
    Route(text);
    display_mode = old_mode;
}

// Formats the caller's text, puts it into the prefix text ("...%s...") when one is given,
// and routes it under the given mode, or without one under the mode in effect.
void Route_Formatted(std::optional<int> mode, const char* prefix_format, const char* format,
                     va_list args)
{
    if (!sink_on || format == nullptr || format[0] == '\0') return;
    char text[MSG_MAX_TEXT + 1];
    Format_Into(text, format, args);
    const char* message = text;
    char prefixed[MSG_MAX_TEXT + 1];
    if (prefix_format != nullptr) {
        std::snprintf(prefixed, sizeof prefixed, prefix_format, text);
        message = prefixed;
    }
    if (mode)
        Route_With_Mode(*mode, message);
    else
        Route(message);
}

// The prefixed messages take a negative mode for the mode in effect.
std::optional<int> Mode_Or_In_Effect(int mode)
{
    return mode < 0 ? std::nullopt : std::optional<int>(mode);
}

// The list of a context: its name as title, one line per message, and the check box
// (when a text is given) as the box's question. Sets the check-box value.
void Run_List(Message_Context& context, const char* check_text)
{
    display_mode = MSG_MODE_LIST;
    list_check_value = 0;
    if (batch) {
        // No dialog in a batch run: the messages go to standard output instead.
        display_mode = MSG_MODE_STDOUT;
        for (size_t i = 0; i < context.entries.size(); ++i) Route(context.entries[i].c_str());
        return;
    }
    if (drawn.run_list && drawn.run_list(context.name, context.entries, check_text, list_background,
                                          &list_check_value))
        return;
    Init_Message();
    Set_Message_Title(context.name.substr(0, kMaxTitleLength).c_str());
    list_being_drawn = true;
    for (size_t i = 0; i < context.entries.size(); ++i) Route(context.entries[i].c_str());
    list_being_drawn = false;
    if (check_text == nullptr) {
        Draw_Message();
        return;
    }
    Fill_Message("");
    Fill_Message(check_text);
    list_check_value = Answer_is_Yes(0) ? 1 : 0;
}

// The library message box of a context's messages (the box is not yet shown).
void Fill_Message_Box(const Message_Context& context)
{
    Init_Message();
    for (const std::string& entry : context.entries)
        Fill_Message(Msg_Without_Line_Feed(Msg_Skip_Style_Pairs(entry.c_str())).c_str());
}

}  // namespace

// ---------------------------------------------------------------------------------
// Routing

void Msg_Show(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(std::nullopt, nullptr, format, args);
    va_end(args);
}

void Msg_Show_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(mode, nullptr, format, args);
    va_end(args);
}

void Msg_Collect(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(MSG_MODE_COLLECT, nullptr, format, args);
    va_end(args);
}

void Msg_Error(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(std::nullopt, kErrorText, format, args);
    va_end(args);
}

void Msg_Warning(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(std::nullopt, kWarningText, format, args);
    va_end(args);
}

void Msg_Hint(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(std::nullopt, kHintText, format, args);
    va_end(args);
}

void Msg_Error_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(Mode_Or_In_Effect(mode), kErrorText, format, args);
    va_end(args);
}

void Msg_Warning_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(Mode_Or_In_Effect(mode), kWarningText, format, args);
    va_end(args);
}

void Msg_Hint_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Formatted(Mode_Or_In_Effect(mode), kHintText, format, args);
    va_end(args);
}

// ---------------------------------------------------------------------------------
// State

void Msg_Set_Mode(int mode) { display_mode = mode; }
void Msg_Set_Batch(int flag) { batch = flag; }
void Msg_Enable() { sink_on = 1; }
void Msg_Disable() { sink_on = 0; }
void Msg_Set_List_Background(int colour) { list_background = colour; }

// ---------------------------------------------------------------------------------
// Contexts

int Msg_Open_Context()
{
    for (int i = 0; i < MSG_CONTEXT_COUNT; ++i) {
        if (contexts[i].taken) continue;
        contexts[i] = Message_Context{};
        contexts[i].taken = true;
        current_context = i;
        return i;
    }
    return -1;
}

int Msg_Select_Context(int index)
{
    if (!Valid_Index(index)) return 2;
    if (!contexts[index].taken) return 1;
    current_context = index;
    return 0;
}

int Msg_Set_Context_Name(int index, const char* name)
{
    if (!Valid_Index(index)) return 2;
    if (!contexts[index].taken) return 1;
    const std::string text = name ? name : "";
    contexts[index].name = text.substr(0, kMaxNameLength);
    return 0;
}

int Msg_Set_Context_Symbol(int index, int symbol)
{
    if (Valid_Index(index)) contexts[index].symbol = symbol;
    return index;
}

int Msg_Context_Count(int index)
{
    const Message_Context* context = Taken_Context(index);
    return context ? static_cast<int>(context->entries.size()) : 0;
}

int Msg_Current_Count() { return Msg_Context_Count(current_context); }

void Msg_Close_Context(int index)
{
    if (!Valid_Index(index)) return;
    contexts[index] = Message_Context{};
}

// ---------------------------------------------------------------------------------
// Showing

void Msg_Show_Context(int index, int mode)
{
    if (!sink_on) return;
    Message_Context* context = Taken_Context(index);
    if (context == nullptr) return;
    display_mode = mode;
    if (mode == MSG_MODE_LIST) {
        Run_List(*context, nullptr);
    } else if (mode == MSG_MODE_STDOUT) {
        for (size_t i = 0; i < context->entries.size(); ++i) Route(context->entries[i].c_str());
    } else {
        Fill_Message_Box(*context);
        if (context->symbol > 0) Set_Message_Symbol(context->symbol);
        Draw_Message();
    }
}

void Msg_Show_Current(int mode) { Msg_Show_Context(current_context, mode); }

int Msg_Show_Current_Once()
{
    if (!sink_on) return 1;
    Message_Context* context = Taken_Context(current_context);
    if (context == nullptr) return 1;
    Run_List(*context, MSG_DEFAULT_CHECK_TEXT);
    return list_check_value ? 0 : 1;
}

int Msg_Show_Current_With_Check(const char* text)
{
    if (!sink_on) return 0;
    Message_Context* context = Taken_Context(current_context);
    if (context == nullptr) return 0;
    Run_List(*context, text ? text : MSG_DEFAULT_CHECK_TEXT);
    return list_check_value ? 1 : 0;
}

int Msg_Ask_Collected(int flag)
{
    if (!sink_on || display_mode == MSG_MODE_STDOUT) return 0;
    const Message_Context* context = Taken_Context(current_context);
    if (context == nullptr) return 0;
    Fill_Message_Box(*context);
    Set_Message_Symbol(0);
    return Answer_is_Yes(flag);
}

int Msg_Ask_Collected_Default_Yes() { return Msg_Ask_Collected(1); }
int Msg_Ask_Collected_Default_No() { return Msg_Ask_Collected(0); }

// ---------------------------------------------------------------------------------
// Plain texts for other writers

bool Msg_Current_Plain_Texts(std::vector<std::string>* texts)
{
    texts->clear();
    const Message_Context* context = Taken_Context(current_context);
    if (context == nullptr) return false;
    for (const std::string& entry : context->entries)
        texts->push_back(Msg_Without_Line_Feed(Msg_Skip_Style_Pairs(entry.c_str())));
    return true;
}

// ---------------------------------------------------------------------------------
// Busy notice

namespace {

void Show_Busy(const char* format, va_list args)
{
    if (std::vsnprintf(busy_text, sizeof busy_text, format, args) < 0) busy_text[0] = '\0';
    if (drawn.show_busy) drawn.show_busy(busy_text, !busy_shown);
    busy_shown = true;
    busy_drawn = std::chrono::steady_clock::now();
}

}  // namespace

void Msg_Set_Screen(const Msg_Screen* screen) { drawn = screen ? *screen : Msg_Screen{}; }

void Busy_Start(const char* format, ...)
{
    if (!sink_on || format == nullptr) return;
    va_list args;
    va_start(args, format);
    Show_Busy(format, args);
    va_end(args);
}

void Busy_Update(const char* format, ...)
{
    if (!sink_on || format == nullptr || !busy_shown) return;
    va_list args;
    va_start(args, format);
    Show_Busy(format, args);
    va_end(args);
}

void Busy_Stop()
{
    if (!sink_on || !busy_shown) return;
    busy_shown = false;
    if (drawn.stop_busy) drawn.stop_busy();
}

int Busy_Is_Shown() { return busy_shown ? 1 : 0; }

int Busy_Due()
{
    return busy_shown && std::chrono::steady_clock::now() - busy_drawn >= std::chrono::milliseconds(100) ? 1 : 0;
}
