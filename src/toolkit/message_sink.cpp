#include "toolkit/message_sink.h"

#include "base/alloc.h"
#include "base/ui_utilities.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/form_core.h"
#include "toolkit/form_widgets.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* kDefaultCheckText = "Diesen Hinweis nicht nochmal anzeigen";
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

// The list dialog: the area being filled, the drawing position of the next line, and
// the dialog's centre (the screen centre the first time).
int list_area = -1;
int list_x = 15;
int list_y = 20;

// Busy notice.
bool busy_shown = false;
char busy_text[256] = "";

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

// The text behind its leading style pairs ('^' and one character).
const char* Skip_Style_Pairs(const char* text)
{
    while (text[0] == '^') {
        if (text[1] == '\0') return text + 1;
        text += 2;
    }
    return text;
}

// The text without one trailing line feed.
std::string Without_Line_Feed(const std::string& text)
{
    if (!text.empty() && text.back() == '\n') return text.substr(0, text.size() - 1);
    return text;
}

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
    std::fputs(Skip_Style_Pairs(text), stdout);
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
    const std::string line = Without_Line_Feed(Skip_Style_Pairs(text));
    Fill_Message(Plain_List_Text(line).c_str());
}

bool Screen_Up() { return Get_Screen_State().graphics_on; }

// Width of a label (Area_Add_Text) in a font word: the text measured without the style
// bits, + 3, + 2 more with style bits; an empty text 0 (2 with style bits).
int Label_Width(const std::string& text, int font)
{
    const bool styled = (font & 0x70000) != 0;
    if (text.empty()) return styled ? 2 : 0;
    return Get_Text_Width_In_Font(text.c_str(), font & 0xFFFF) + 3 + (styled ? 2 : 0);
}

int Add_Label(int x, int y, const std::string& text, int font, int colour)
{
    if (!text.empty()) Area_Add_Text(list_area, x, y, text.c_str(), font, colour, 0);
    return Label_Width(text, font);
}

// Width of a text with in-band report sequences as the list shows it: plain runs, the
// content of a 'B' run of 2 or more characters, and the text behind the first blank of
// a 'C' run; other runs take no room.
int Coded_Text_Width(const std::string& text, int font)
{
    int width = 0;
    size_t i = 0;
    while (i < text.size()) {
        size_t code = text.find(static_cast<char>(kControlByte), i);
        if (code == std::string::npos) code = text.size();
        if (code > i) width += Get_Text_Width_In_Font(text.substr(i, code - i).c_str(), font & 0xFFFF);
        if (code + 1 >= text.size()) break;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[code + 1])));
        const size_t start = code + 2;
        size_t end = text.find(static_cast<char>(kControlByte), start);
        if (end == std::string::npos) end = text.size();
        const std::string content = text.substr(start, end - start);
        if (letter == 'B' && content.size() >= 2) {
            width += Get_Text_Width_In_Font(content.c_str(), font & 0xFFFF);
        } else if (letter == 'C') {
            const size_t blank = content.find(' ');
            if (blank != std::string::npos && blank + 1 < content.size())
                width += Get_Text_Width_In_Font(content.substr(blank + 1).c_str(), font & 0xFFFF);
        }
        i = end >= text.size() ? end : std::min(end + 2, text.size());
    }
    return width;
}

// Draws a text with in-band sequences into the list area: plain runs as labels, a 'C'
// run's text in its colour, a 'B' run's content as a shadowed label.
void Draw_Coded_Text(int x, int y, const std::string& text, int font, int colour)
{
    size_t i = 0;
    while (i < text.size()) {
        size_t code = text.find(static_cast<char>(kControlByte), i);
        if (code == std::string::npos) code = text.size();
        if (code > i) x += Add_Label(x, y, text.substr(i, code - i), font, colour);
        if (code + 1 >= text.size()) break;
        const char letter = text[code + 1];
        const size_t start = code + 2;
        size_t end = text.find(static_cast<char>(kControlByte), start);
        if (end == std::string::npos) end = text.size();
        const std::string content = text.substr(start, end - start);
        if (letter == 'C' || letter == 'c') {
            const size_t blank = content.find(' ');
            if (blank != std::string::npos) {
                const int run_colour = static_cast<int>(std::strtol(content.c_str(), nullptr, 10));
                x += Add_Label(x, y, content.substr(blank + 1), font, run_colour);
            }
        } else if ((letter == 'B' || letter == 'b') && !content.empty()) {
            Area_Add_Text(list_area, x, y, content.c_str(), font | 0x20000, colour, 0);
            x += Get_Text_Width_In_Font(content.c_str(), font & 0xFFFF) + 5;
        }
        i = end >= text.size() ? end : std::min(end + 2, text.size());
    }
}

// One line of the list being drawn: leading style pairs choose bold (^b), the
// fixed-pitch font (^p) and a half line step (^2).
void Draw_List_Line(const char* text)
{
    int font = 0x1000;
    int step = 16;
    while (text[0] == '^') {
        if (text[1] == '\0') {
            ++text;
            break;
        }
        if (text[1] == 'b') font |= 0x10000;
        else if (text[1] == 'p') font &= ~0x1000;
        else if (text[1] == '2') step = 8;
        text += 2;
    }
    Draw_Coded_Text(list_x, list_y, Without_Line_Feed(text), font, BLACK_CI);
    list_y += step;
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
        if (list_being_drawn && list_area >= 0)
            Draw_List_Line(text);
        else if (list_being_drawn)
            Add_List_Line(text);
        else
            PrintMessage(Skip_Style_Pairs(text));
        break;
    default:
        PrintMessage(Skip_Style_Pairs(text));
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

// Formats the caller's text and puts it into the prefix text ("...%s..."); a negative
// mode routes under the mode in effect.
void Route_Prefixed(int mode, const char* prefix_format, const char* format, va_list args)
{
    if (!sink_on || format == nullptr || format[0] == '\0') return;
    char text[MSG_MAX_TEXT + 1];
    Format_Into(text, format, args);
    char message[MSG_MAX_TEXT + 1];
    std::snprintf(message, sizeof message, prefix_format, text);
    if (mode < 0)
        Route(message);
    else
        Route_With_Mode(mode, message);
}

// What the list page's build function draws: the context, the check box's text and
// where its row goes.
struct List_Page {
    Message_Context* context = nullptr;
    const char* check_text = nullptr;
    bool default_check = false;
    int content_width = 0;
    int check_width = 0;
    int ground = 0;
} list_page;

void Build_List_Page(int area, int)
{
    Form_Begin(area);
    Form_Set_Ground_Colour(list_page.ground);
    Area_Set_Background(area, list_page.ground);
    list_area = area;
    list_x = 15;
    list_y = 20;
    list_being_drawn = true;
    const Message_Context& context = *list_page.context;
    for (const std::string& entry : context.entries) Route(entry.c_str());
    list_being_drawn = false;
    if (list_page.check_text) {
        // Half away from zero.
        const int d = std::max(list_page.content_width - list_page.check_width, 0);
        const int x = (d + 1) / 2;
        Form_Set_Text_Colour(list_page.default_check ? Nearest_RGB_Color(130, 130, 130) : BLACK_CI);
        static int editable = 1;
        editable = 1;
        Form_Add_Check(x, list_y + 25, list_page.check_text, &list_check_value, &editable);
    }
    list_area = -1;
}

// The list dialog on the screen: a one-page form dialog titled with the context's name
// around the messages, the check box below them when a text is given, and the single
// button "Weiter      ". False when no area could be had (nothing shown).
bool Run_List_Dialog(Message_Context& context, const char* check_text)
{
    while (M_LEFT) Get_Mouse_Event();
    // A slot for the page's area must be free, else the caller shows a message box.
    const int probe = Area_Reserve();
    if (probe < 0) return false;
    Area_Delete(probe);

    const bool with_check = check_text != nullptr;
    const bool default_check = with_check && std::strcmp(check_text, kDefaultCheckText) == 0;
    const int count = static_cast<int>(context.entries.size());
    int widest = 0;
    for (const std::string& entry : context.entries) {
        const std::string line = Without_Line_Feed(Skip_Style_Pairs(entry.c_str()));
        if (!line.empty()) widest = std::max(widest, Coded_Text_Width(line, 0x1000) + 3);
    }
    int content_width = widest + 40;
    // The check box's row (box and label) is centred below the messages; the list is at
    // least as wide as that row and 10 pixels on either side, so that the box can always
    // be seen and ticked, however short the messages are.
    int check_width = 0;
    if (with_check) {
        check_width = std::max(245, 20 + Label_Width(default_check ? kDefaultCheckText : check_text, 0x11000));
        content_width = std::max(content_width, check_width + 20);
    }
    const bool cut = content_width > 800;
    if (cut) content_width = 800;

    static Form_Dialog dialog;
    static Form_Page page;
    static bool page_made = false;
    if (!page_made) {
        Form_Page_Defaults(1, &page);
        page_made = true;
    }
    Form_Dialog_Defaults(&dialog);
    dialog.kind = 1;
    std::snprintf(dialog.title, sizeof dialog.title, "%s", context.name.substr(0, kMaxTitleLength).c_str());
    dialog.content_height = 16 * count + (with_check ? 70 : 50);
    dialog.content_width = content_width;
    page.vslider = 1;
    page.hslider = cut ? 1 : 0;
    page.build = Build_List_Page;

    const List_Page outer = list_page;
    list_page.context = &context;
    list_page.check_text = with_check ? (default_check ? kDefaultCheckText : check_text) : nullptr;
    list_page.default_check = default_check;
    list_page.content_width = content_width;
    list_page.check_width = check_width;
    list_page.ground = list_background >= 0 ? list_background : Nearest_RGB_Color(255, 245, 220);
    list_check_value = 0;
    Form_Run_Register_Dialog(&dialog, 1, &page);
    list_page = outer;
    return true;
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
    if (Screen_Up() && Run_List_Dialog(context, check_text)) return;
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
        Fill_Message(Without_Line_Feed(Skip_Style_Pairs(entry.c_str())).c_str());
}

}  // namespace

// ---------------------------------------------------------------------------------
// Routing

void Msg_Show(const char* format, ...)
{
    if (!sink_on || format == nullptr || format[0] == '\0') return;
    char text[MSG_MAX_TEXT + 1];
    va_list args;
    va_start(args, format);
    Format_Into(text, format, args);
    va_end(args);
    Route(text);
}

void Msg_Show_With_Mode(int mode, const char* format, ...)
{
    if (!sink_on || format == nullptr || format[0] == '\0') return;
    char text[MSG_MAX_TEXT + 1];
    va_list args;
    va_start(args, format);
    Format_Into(text, format, args);
    va_end(args);
    Route_With_Mode(mode, text);
}

void Msg_Collect(const char* format, ...)
{
    if (!sink_on || format == nullptr || format[0] == '\0') return;
    char text[MSG_MAX_TEXT + 1];
    va_list args;
    va_start(args, format);
    Format_Into(text, format, args);
    va_end(args);
    Route_With_Mode(MSG_MODE_COLLECT, text);
}

void Msg_Error(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Prefixed(-1, kErrorText, format, args);
    va_end(args);
}

void Msg_Warning(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Prefixed(-1, kWarningText, format, args);
    va_end(args);
}

void Msg_Hint(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Prefixed(-1, kHintText, format, args);
    va_end(args);
}

void Msg_Error_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Prefixed(mode, kErrorText, format, args);
    va_end(args);
}

void Msg_Warning_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Prefixed(mode, kWarningText, format, args);
    va_end(args);
}

void Msg_Hint_With_Mode(int mode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Route_Prefixed(mode, kHintText, format, args);
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
    Run_List(*context, kDefaultCheckText);
    return list_check_value ? 0 : 1;
}

int Msg_Show_Current_With_Check(const char* text)
{
    if (!sink_on) return 0;
    Message_Context* context = Taken_Context(current_context);
    if (context == nullptr) return 0;
    Run_List(*context, text ? text : kDefaultCheckText);
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
        texts->push_back(Without_Line_Feed(Skip_Style_Pairs(entry.c_str())));
    return true;
}

// ---------------------------------------------------------------------------------
// Busy notice

namespace {

// The status line below the box's middle, and the text centred in it.
void Draw_Busy_Status()
{
    const int cx = NPIXEL_X / 2, cy = NPIXEL_Y / 2;
    pxFgc(GetZAVColor(-1));
    pxRect(cx - 131, cy + 47, cx + 123, cy + 59);
    pxFgc(BLACK_CI);
    const int font = Get_RFont();
    pxSFnt(0x1002);
    pxBTxt(cx, cy + 53, cx, cy + 53, busy_text, -1, 210);
    pxSFnt(font);
    pxFlsh();
}

void Show_Busy(const char* format, va_list args)
{
    if (std::vsnprintf(busy_text, sizeof busy_text, format, args) < 0) busy_text[0] = '\0';
    if (!Screen_Up()) {
        busy_shown = true;
        return;
    }
    if (!busy_shown) {
        // The status line may reach below the box: its pixels are kept apart.
        const int cx = NPIXEL_X / 2, cy = NPIXEL_Y / 2;
        Save_Screen_Rectangle(cx - 131, cy + 47, cx + 123, cy + 59);
        Init_Message();
        for (int i = 0; i < 6; ++i) Fill_Message(" ");
        Fill_Message("................... Bitte etwas Geduld ...................");
        Fill_Message(" ");
        Show_Message();
        Start_Busy_Animation(cx - 48, cy - 62);
        busy_shown = true;
    }
    Draw_Busy_Status();
}

}  // namespace

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
    if (!Screen_Up()) return;
    Stop_Busy_Animation();
    Quit_Message();
    const int cx = NPIXEL_X / 2, cy = NPIXEL_Y / 2;
    Restore_Screen_Rectangle(cx - 131, cy + 47, cx + 123, cy + 59);
    pxFlsh();
}

int Busy_Is_Shown() { return busy_shown ? 1 : 0; }
