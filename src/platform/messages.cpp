#include "platform/messages.h"

#include "platform/codepage.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

Shown_Message pending;
std::vector<Shown_Message> shown;
int answer = 0;
int symbol = -1;  // -1: the default of the box
Message_Screen drawn;  // all null without a screen

void Log(bool question, int given)
{
    std::string out;
    if (!pending.title.empty()) out += Screen_Text_To_Utf8(pending.title) + ": ";
    out += Screen_Text_To_Utf8(pending.text);
    const char* answer_text = given < 0 ? " [zur\xC3\xBC" "ck]" : given ? " [ja]" : " [nein]";
    std::fprintf(stderr, "%s%s\n", out.c_str(), question ? answer_text : "");
}

// Shows the pending message; the answer (non-zero for yes, -1 for none when esc_goes_back).
int Show(bool question, bool default_yes = true, bool esc_goes_back = false)
{
    pending.question = question;
    int given = answer;
    if (drawn.run_box) {
        const std::string title = pending.title.empty() ? (question ? "Frage" : "Hinweis") : pending.title;
        const int box_symbol = symbol >= 0 ? symbol : question ? MESSAGE_SYMBOL_QUESTION : MESSAGE_SYMBOL_NONE;
        given = drawn.run_box(title, pending.text, question, box_symbol, default_yes, esc_goes_back);
    }
    if (!drawn.run_box || (drawn.headless && drawn.headless())) Log(question, given);
    shown.push_back(pending);
    pending = Shown_Message{};
    symbol = -1;
    return given;
}

void Write_All(const char* data, size_t n)
{
    while (n > 0) {
        ssize_t w = ::write(2, data, n);
        if (w <= 0) return;
        data += w;
        n -= static_cast<size_t>(w);
    }
}

} // namespace

void Init_Message() { pending = Shown_Message{}; }

void Set_Message_Title(const char* title) { pending.title = title ? title : ""; }

void Fill_Message(const char* line)
{
    if (!pending.text.empty()) pending.text += '\n';
    pending.text += line ? line : "";
}

void Draw_Message() { Show(false); }

int Answer_is_Yes(int default_yes) { return Show(true, default_yes != 0); }

int Answer_Yes_No_Or_Back() { return Show(true, true, true); }

void PrintMessage(const char* text)
{
    Init_Message();
    Fill_Message(text);
    Show(false);
}

void Set_Message_Symbol(int box_symbol) { symbol = box_symbol; }

void Show_Message()
{
    if (drawn.show_box) {
        drawn.show_box(pending.title.empty() ? "Hinweis" : pending.title, pending.text,
                       symbol >= 0 ? symbol : MESSAGE_SYMBOL_INFORMATION);
    } else {
        Log(false, 0);
    }
    pending = Shown_Message{};
    symbol = -1;
}

void Quit_Message()
{
    if (drawn.close_box) drawn.close_box();
}

void Set_Message_Screen(const Message_Screen* screen) { drawn = screen ? *screen : Message_Screen{}; }

bool Message_Boxes_In_Window() { return drawn.run_box && !(drawn.headless && drawn.headless()); }

namespace {
// Code page 850: 0x84 = ä, 0x81 = ü, 0xE1 = ß.
const char* const out_of_memory_lines[] = {
    "Die Aktion erfordert eine Speicherkapazit\x84t, die",
    "vom Rechner zur Zeit nicht zur Verf\x81gung gestellt",
    "wird. Die Sitzung mu\xE1 leider abgebrochen werden.",
};
Periodic_Installer periodic_installer = nullptr;
}  // namespace

const char* const* Out_Of_Memory_Lines(int* count)
{
    if (count) *count = 3;
    return out_of_memory_lines;
}

void Set_Periodic_Callback_Installer(Periodic_Installer install) { periodic_installer = install; }

Periodic_Installer Screen_Periodic_Installer() { return periodic_installer; }

void Final_Box_And_Exit(const char* const* lines, int count, int exit_code)
{
    const bool shown = drawn.final_box && drawn.final_box(lines, count);
    if (shown && !(drawn.headless && drawn.headless())) std::exit(exit_code);
    Fatal_Message_And_Exit(lines, count, exit_code);
}

void Fatal_Message_And_Exit(const char* const* lines, int count, int exit_code)
{
    char buf[4];
    for (int i = 0; i < count; ++i) {
        for (const char* p = lines[i]; p && *p; ++p)
            Write_All(buf, Cp850_Byte_To_Utf8(static_cast<unsigned char>(*p), buf));
        Write_All("\n", 1);
    }
    std::exit(exit_code);
}

const std::vector<Shown_Message>& Shown_Messages() { return shown; }
void Clear_Shown_Messages() { shown.clear(); }
void Set_Message_Answer(int yes) { answer = yes; }
