#include "platform/screen/message_boxes.h"

#include "platform/screen/backend.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace screen {
namespace {

constexpr int TITLE_HEIGHT = 22;
constexpr int MARGIN = 16;
constexpr int SYMBOL_SIZE = 32;
constexpr int BUTTON_WIDTH = 80;
constexpr int BUTTON_HEIGHT = 24;
constexpr int TITLE_COLOUR = 0x0A246A;

struct Box_Layout {
    int x1, y1, x2, y2;
    std::vector<std::string> lines;
    int buttons[2][4];  // OK/Ja, Nein
    int button_count;
    int default_button;  // the one Enter presses
};

struct Shown_Box {
    bool shown = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
Shown_Box shown_box;

// The final box: its lines, rectangle, OK button and pixels, made once.
struct Final_Box {
    const char* const* lines = nullptr;
    int count = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int ok[4] = {};
    std::vector<uint32_t> pixels;
};
Final_Box final_box;

std::vector<std::string> Split_Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

Box_Layout Lay_Out(const std::string& title, const std::string& text, Message_Box_Kind kind, int symbol,
                   bool default_yes = true)
{
    Box_Layout box{};
    box.default_button = kind == BOX_YES_NO && !default_yes ? 1 : 0;
    box.lines = Split_Lines(text);
    Pop_RFont(0x1000);
    int width = Get_Text_Width_Px(title.c_str()) + 2 * MARGIN;
    for (const std::string& line : box.lines) width = std::max(width, Get_Text_Width_Px(line.c_str()));
    const int line_height = RFONT_HEIGHT;
    Push_RFont();
    box.button_count = kind == BOX_OK ? 1 : kind == BOX_YES_NO ? 2 : 0;
    const int symbol_width = symbol > 0 ? SYMBOL_SIZE + MARGIN : 0;
    int w = std::max(width + symbol_width + 2 * MARGIN, box.button_count * (BUTTON_WIDTH + MARGIN) + MARGIN);
    int h = TITLE_HEIGHT + MARGIN + std::max(static_cast<int>(box.lines.size()) * line_height,
                                             symbol > 0 ? SYMBOL_SIZE : 0) + MARGIN;
    if (box.button_count) h += BUTTON_HEIGHT + MARGIN;
    w = std::min(w, NPIXEL_X - 4);
    h = std::min(h, NPIXEL_Y - 4);
    box.x1 = (NPIXEL_X - w) / 2;
    box.y1 = (NPIXEL_Y - h) / 2;
    box.x2 = box.x1 + w - 1;
    box.y2 = box.y1 + h - 1;
    const int row = box.y2 - MARGIN - BUTTON_HEIGHT + 1;
    const int total = box.button_count * BUTTON_WIDTH + (box.button_count - 1) * MARGIN;
    for (int i = 0; i < box.button_count; ++i) {
        const int bx = box.x1 + (w - total) / 2 + i * (BUTTON_WIDTH + MARGIN);
        box.buttons[i][0] = bx;
        box.buttons[i][1] = row;
        box.buttons[i][2] = bx + BUTTON_WIDTH - 1;
        box.buttons[i][3] = row + BUTTON_HEIGHT - 1;
    }
    return box;
}

void Raised_Frame(int x1, int y1, int x2, int y2)
{
    pxFgc(ZAV_COLOUR_LIGHT_EDGE);
    pxLine(x1, y1, x2, y1);
    pxLine(x1, y1, x1, y2);
    pxFgc(ZAV_COLOUR_DARK_EDGE);
    pxLine(x1, y2, x2, y2);
    pxLine(x2, y1, x2, y2);
    pxFgc(ZAV_COLOUR_SHADOW);
    pxLine(x1 + 1, y2 - 1, x2 - 1, y2 - 1);
    pxLine(x2 - 1, y1 + 1, x2 - 1, y2 - 1);
}

void Draw_Symbol(int symbol, int x, int y)
{
    static const int colours[] = {0, 0x1E5AC8, 0xE0B000, 0xC81E1E, 0x1E5AC8};
    static const char* const signs[] = {"", "i", "!", "x", "?"};
    if (symbol <= 0 || symbol > 4) return;
    const int r = SYMBOL_SIZE / 2;
    const int cx = x + r, cy = y + r;
    // A disc (a triangle for the warning) with the sign in white.
    pxFgc(colours[symbol]);
    if (symbol == MESSAGE_SYMBOL_WARNING) {
        pxTri(cx, y, x, y + SYMBOL_SIZE - 1, x + SYMBOL_SIZE - 1, y + SYMBOL_SIZE - 1);
    } else {
        int px[32], py[32];
        for (int k = 0; k < 32; ++k) {
            const double a = k * 6.283185307179586 / 32;
            px[k] = cx + static_cast<int>(std::lround((r - 1) * std::cos(a)));
            py[k] = cy + static_cast<int>(std::lround((r - 1) * std::sin(a)));
        }
        pxFill(32, px, py);
    }
    Pop_RFont(0x1003);
    pxFgc(symbol == MESSAGE_SYMBOL_WARNING ? 0 : 0xFFFFFF);
    pxBTxt(cx, cy + 3, cx, cy + 3, signs[symbol], 1, 0xC0 | 0x10 | 0x02);
    pxBTxt(cx + 1, cy + 3, cx + 1, cy + 3, signs[symbol], 1, 0xC0 | 0x10 | 0x02);
    Push_RFont();
}

void Draw_Button(const int* r, const char* label, bool pressed)
{
    pxFgc(ZAV_COLOUR_FACE);
    pxRect(r[0], r[1], r[2], r[3]);
    if (pressed) {
        pxFgc(ZAV_COLOUR_DARK_EDGE);
        pxLine(r[0], r[1], r[2], r[1]);
        pxLine(r[0], r[1], r[0], r[3]);
        pxFgc(ZAV_COLOUR_LIGHT_EDGE);
        pxLine(r[0], r[3], r[2], r[3]);
        pxLine(r[2], r[1], r[2], r[3]);
    } else {
        Raised_Frame(r[0], r[1], r[2], r[3]);
    }
    pxFgc(0);
    Pop_RFont(0x1000);
    pxBTxt(r[0], r[1], r[2], r[3], label, -1, 0xC0 | 0x10 | 0x02);
    Push_RFont();
}

const char* Button_Label(Message_Box_Kind kind, int i) { return kind == BOX_OK ? "OK" : i == 0 ? "Ja" : "Nein"; }

void Draw_Box(const Box_Layout& box, const std::string& title, Message_Box_Kind kind, int symbol)
{
    pxFgc(ZAV_COLOUR_FACE);
    pxRect(box.x1, box.y1, box.x2, box.y2);
    Raised_Frame(box.x1, box.y1, box.x2, box.y2);
    pxFgc(TITLE_COLOUR);
    pxRect(box.x1 + 3, box.y1 + 3, box.x2 - 3, box.y1 + TITLE_HEIGHT);
    Pop_RFont(0x1000);
    pxFgc(0xFFFFFF);
    pxBTxt(box.x1 + 8, box.y1 + 3, box.x2 - 8, box.y1 + TITLE_HEIGHT, title.c_str(), -1, 0xC0 | 0x10 | 0x01);
    const int text_x = box.x1 + MARGIN + (symbol > 0 ? SYMBOL_SIZE + MARGIN : 0);
    int y = box.y1 + TITLE_HEIGHT + MARGIN + RFONT_HEIGHT - 3;
    pxFgc(0);
    for (const std::string& line : box.lines) {
        pxText(text_x, y, line.c_str(), static_cast<int>(line.size()));
        y += RFONT_HEIGHT;
    }
    Push_RFont();
    Draw_Symbol(symbol, box.x1 + MARGIN, box.y1 + TITLE_HEIGHT + MARGIN);
    for (int i = 0; i < box.button_count; ++i) Draw_Button(box.buttons[i], Button_Label(kind, i), false);
    if (box.button_count > 0) {
        // The default button in a black frame around its own.
        const int* r = box.buttons[box.default_button];
        pxFgc(0);
        pxLine(r[0] - 1, r[1] - 1, r[2] + 1, r[1] - 1);
        pxLine(r[0] - 1, r[3] + 1, r[2] + 1, r[3] + 1);
        pxLine(r[0] - 1, r[1] - 1, r[0] - 1, r[3] + 1);
        pxLine(r[2] + 1, r[1] - 1, r[2] + 1, r[3] + 1);
    }
}

bool Inside(const int* r, int x, int y) { return x >= r[0] && x <= r[2] && y >= r[1] && y <= r[3]; }

// The answer of a button: 1 yes or OK, 0 no.
int Button_Answer(int button) { return button == 0 ? 1 : 0; }

// The user's answer in the window: a button clicked (pressed and released on it), or
// Enter (the default button) and Esc (no, OK, or none: -1).
int Ask_Interactively(const Box_Layout& box, Message_Box_Kind kind, int esc_answer)
{
    ZAV_Message msg;
    InitZAVMessage(&msg);
    int pressed = -1;
    for (;;) {
        const int got = GetZAVMessage(ZAV_MSG_LEFT_DOWN | ZAV_MSG_LEFT_UP | ZAV_MSG_KEY, &msg);
        if (got == ZAV_MSG_KEY) {
            const int key = getkey();
            if (key == 13) return Button_Answer(box.default_button);
            if (key == 27) return kind == BOX_OK ? 1 : esc_answer;
            if (kind == BOX_YES_NO && (key == 'j' || key == 'J')) return 1;
            if (kind == BOX_YES_NO && (key == 'n' || key == 'N')) return 0;
        } else if (got == ZAV_MSG_LEFT_DOWN) {
            for (int i = 0; i < box.button_count; ++i)
                if (Inside(box.buttons[i], msg.x, msg.y)) {
                    pressed = i;
                    Draw_Button(box.buttons[i], Button_Label(kind, i), true);
                }
        } else if (got == ZAV_MSG_LEFT_UP && pressed >= 0) {
            Draw_Button(box.buttons[pressed], Button_Label(kind, pressed), false);
            if (Inside(box.buttons[pressed], msg.x, msg.y)) return Button_Answer(pressed);
            pressed = -1;
        }
    }
}

} // namespace

int Run_Message_Box(const std::string& title, const std::string& text, Message_Box_Kind kind, int symbol,
                    bool default_yes, bool esc_goes_back)
{
    const int esc_answer = esc_goes_back ? -1 : 0;
    Backend* backend = Current_Backend();
    if (!backend) return 0;
    Box_Layout box = Lay_Out(title, text, kind, symbol, default_yes);
    int answer;
    {
        Saved_Drawing saved;
        Save_Screen_Rectangle(box.x1, box.y1, box.x2, box.y2);
        Draw_Box(box, title, kind, symbol);
        pxFlsh();
        if (backend->Headless()) {
            const int scripted = backend->Take_Answer(kind == BOX_YES_NO);
            if (kind == BOX_OK) {
                answer = 1;
            } else if (scripted == 0 || scripted == 1) {
                answer = scripted;
            } else if (scripted == Backend::ANSWER_ENTER || scripted == Backend::ANSWER_ESC) {
                answer = scripted == Backend::ANSWER_ENTER ? Button_Answer(box.default_button) : esc_answer;
            } else {
                std::fprintf(stderr, "corbel: keine Antwort im Skript, die Frage wird mit \"nein\" beantwortet.\n");
                answer = 0;
            }
        } else {
            answer = Ask_Interactively(box, kind, esc_answer);
        }
        Restore_Screen_Rectangle(box.x1, box.y1, box.x2, box.y2);
    }
    pxFlsh();
    return answer;
}

void Show_Box(const std::string& title, const std::string& text, int symbol)
{
    if (!Framebuffer_Ready()) return;
    Close_Shown_Box();
    Box_Layout box = Lay_Out(title, text, BOX_NONE, symbol);
    Saved_Drawing saved;
    Save_Screen_Rectangle(box.x1, box.y1, box.x2, box.y2);
    Draw_Box(box, title, BOX_NONE, symbol);
    shown_box = {true, box.x1, box.y1, box.x2, box.y2};
    pxFlsh();
}

void Prepare_Final_Box(const char* const* lines, int count)
{
    Forget_Final_Box();
    if (!lines || count < 1 || !Framebuffer_Ready()) return;
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += '\n';
        text += lines[i] ? lines[i] : "";
    }
    const std::string title = "Hinweis";
    const Box_Layout box = Lay_Out(title, text, BOX_OK, MESSAGE_SYMBOL_ERROR);
    Saved_Drawing saved;
    const std::vector<uint32_t> under = Copy_Rectangle(box.x1, box.y1, box.x2, box.y2);
    Draw_Box(box, title, BOX_OK, MESSAGE_SYMBOL_ERROR);
    final_box.pixels = Copy_Rectangle(box.x1, box.y1, box.x2, box.y2);
    Paste_Rectangle(box.x1, box.y1, box.x2, box.y2, under);
    final_box.lines = lines;
    final_box.count = count;
    final_box.x1 = box.x1, final_box.y1 = box.y1, final_box.x2 = box.x2, final_box.y2 = box.y2;
    std::copy(box.buttons[0], box.buttons[0] + 4, final_box.ok);
}

bool Show_Final_Box(const char* const* lines, int count)
{
    if (!lines || lines != final_box.lines || count != final_box.count || !Framebuffer_Ready()) return false;
    Paste_Rectangle(final_box.x1, final_box.y1, final_box.x2, final_box.y2, final_box.pixels);
    Present_Now();
    Backend* backend = Current_Backend();
    if (!backend || backend->Headless()) return true;
    // Nothing is drawn while it waits: the button does not show its press.
    ZAV_Message msg;
    InitZAVMessage(&msg);
    bool pressed = false;
    for (;;) {
        const int got = GetZAVMessage(ZAV_MSG_LEFT_DOWN | ZAV_MSG_LEFT_UP | ZAV_MSG_KEY, &msg);
        if (got == ZAV_MSG_KEY) {
            const int key = getkey();
            if (key == 13 || key == 27) return true;
        } else if (got == ZAV_MSG_LEFT_DOWN) {
            pressed = Inside(final_box.ok, msg.x, msg.y);
        } else if (got == ZAV_MSG_LEFT_UP && pressed) {
            if (Inside(final_box.ok, msg.x, msg.y)) return true;
            pressed = false;
        }
    }
}

void Forget_Final_Box() { final_box = Final_Box{}; }

void Close_Shown_Box()
{
    if (!shown_box.shown) return;
    Restore_Screen_Rectangle(shown_box.x1, shown_box.y1, shown_box.x2, shown_box.y2);
    shown_box.shown = false;
    pxFlsh();
}

} // namespace screen
