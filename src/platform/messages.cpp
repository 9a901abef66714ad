#include "platform/messages.h"

#include "platform/codepage.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

Shown_Message pending;
std::vector<Shown_Message> shown;
int answer = 0;

void Show(bool question)
{
    pending.question = question;
    std::string out;
    if (!pending.title.empty()) out += Screen_Text_To_Utf8(pending.title) + ": ";
    out += Screen_Text_To_Utf8(pending.text);
    std::fprintf(stderr, "%s%s\n", out.c_str(), question ? (answer ? " [ja]" : " [nein]") : "");
    shown.push_back(pending);
    pending = Shown_Message{};
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

int Answer_is_Yes(int)
{
    Show(true);
    return answer;
}

void PrintMessage(const char* text)
{
    Init_Message();
    Fill_Message(text);
    Show(false);
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
