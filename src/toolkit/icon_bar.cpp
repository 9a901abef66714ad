#include "toolkit/icon_bar.h"

#include "toolkit/ui_utilities.h"
#include "platform/screen/bitmaps.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int TRACK_MASK = ZAV_MSG_TICK | ZAV_MSG_MOVE | ZAV_MSG_LEFT_DOWN;  // 0x40000022

// The next message of the bar's tracking. Keys are dropped: the bar takes none, and a key
// held in the queue would be read later by the dialog that a button opens.
int Track_Message(ZAV_Message* msg)
{
    for (;;) {
        const int kind = GetZAVMessage(TRACK_MASK | ZAV_MSG_KEY, msg);
        if (kind != ZAV_MSG_KEY) return kind;
        Drop_Newest_Key();
    }
}

// Shared by every bar and every nesting level: at most one tool-tip and one drop-down
// are shown at a time in the whole program.
int frame_flag = 0;
struct Shown_Rect {
    bool shown = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
Shown_Rect tip;
Shown_Rect drop;

struct Box {
    int x1, y1, x2, y2;
};

Box Button_Box(const Icon_Bar* bar, const Icon_Bar_Button* b)
{
    const int x = bar->x1 + b->offset_x, y = bar->y1 + b->offset_y;
    return {x, y, x + b->width - 1, y + b->height - 1};
}

bool Inside_Inclusive(const Box& r, int x, int y) { return x >= r.x1 && x <= r.x2 && y >= r.y1 && y <= r.y2; }
bool Inside_Strict(const Box& r, int x, int y) { return x > r.x1 && x < r.x2 && y > r.y1 && y < r.y2; }
Box Bar_Box(const Icon_Bar* bar) { return {bar->x1, bar->y1, bar->x2, bar->y2}; }

void Put_Back(Shown_Rect& r)
{
    if (!r.shown) return;
    Restore_Screen_Rectangle(r.x1, r.y1, r.x2, r.y2);
    r.shown = false;
}

void Wait_For_Release()
{
    while (M_LEFT) Get_Mouse_Event();
}

void Show_Tip(const Icon_Bar_Button* b)
{
    Put_Back(tip);
    if (!b->tool_tip) return;
    static const int ground = Nearest_RGB_Color(255, 255, 255);
    Pop_RFont(0x1000);

    // n line feeds make n + 1 lines, a trailing one an empty last line.
    struct Line {
        const char* text;
        int length;
    };
    Line lines[64];
    int count = 0;
    int widest = 0;
    const char* p = b->tool_tip;
    for (;;) {
        const char* end = std::strchr(p, '\n');
        const int n = end ? static_cast<int>(end - p) : static_cast<int>(std::strlen(p));
        int xs[4], ys[4];
        pxQTxX(p, n, 0, 0, xs, ys);
        widest = std::max(widest, xs[1] - xs[0]);
        if (count < 64) lines[count++] = {p, n};
        if (!end) break;
        p = end + 1;
    }

    const int w = widest + 10, h = count * RFONT_HEIGHT + 5;
    int x1 = M_XPOS, x2 = x1 + w;
    int y1 = M_YPOS + 20, y2 = y1 + h;
    if (x2 >= NPIXEL_X - 4) {
        x2 = NPIXEL_X - 5;
        x1 = x2 - w;
    }
    if (y2 >= NPIXEL_Y - 4) {
        y2 = NPIXEL_Y - 5;
        y1 = y2 - h;
    }

    const int kept = pxQFgc();
    Save_Screen_Rectangle(x1, y1, x2, y2);
    tip = {true, x1, y1, x2, y2};
    pxFgc(ground);
    pxRect(x1, y1, x2, y2);
    pxFgc(BLACK_CI);
    pxLine(x1, y1, x1, y2);
    pxLine(x2, y1, x2, y2);
    pxLine(x1, y1, x2, y1);
    pxLine(x1, y2, x2, y2);
    for (int i = 0; i < count; ++i) pxText(x1 + 5, y1 + (i + 1) * RFONT_HEIGHT, lines[i].text, lines[i].length);
    pxFgc(kept);
    Push_RFont();
}

void Open_Drop_Down(const Icon_Bar* d, bool& pinned)
{
    static const int grey = Nearest_RGB_Color(158, 158, 158);
    Put_Back(drop);
    const int x1 = d->x1 - 7, y1 = d->y1 - 2, x2 = d->x2 + 7, y2 = d->y2 + 2;
    drop = {true, x1, y1, x2, y2};
    Save_Screen_Rectangle(x1, y1, x2, y2);
    for (int k = 1; k <= 4; ++k) {
        const int yk = y1 + (y2 - y1) * k / 4;
        pxFgc(GetZAVColor(-1));
        pxRect(x1, y1 + 1, x2, yk);
        pxFgc(-15);
        pxLine(x1 + 1, yk - 1, x2 - 1, yk - 1);
        pxLine(x2 - 1, y1 + 1, x2 - 1, yk - 1);
        pxLine(x1, y1, x2, y1);
        pxFgc(-3);
        pxLine(x1, yk, x2, yk);
        pxLine(x2, y1, x2, yk);
        pxFgc(-2);
        pxLine(x1 + 1, y1 + 1, x1 + 1, y2 - 1);
        pxFgc(grey);
        pxLine(x1 + 1, y1 + 1, x2 - 2, y1 + 1);
        pxLine(x1 + 1, y1 + 2, x2 - 2, y1 + 2);
        pxFlsh();
        Wait_Seconds(0.05);
    }
    Icon_Bar_Draw(d);
    // The pointer has a second from the opening to leave the button towards it.
    Set_Deadline(1.0);
    if (M_LEFT) {
        Wait_For_Release();
        pinned = true;
    }
}

enum class Hover_End { Left, Click, Code };

// The plain hover: ends by leaving the button or by a click.
Hover_End Plain_Hover(const Icon_Bar_Button* b, const Box& box, ZAV_Message* msg, int& last_x, int& last_y)
{
    int still = 0;
    for (;;) {
        Track_Message(msg);
        if (!Inside_Inclusive(box, M_XPOS, M_YPOS)) return Hover_End::Left;
        if (M_XPOS != last_x || M_YPOS != last_y) {
            if (M_LEFT) return Hover_End::Click;
            last_x = M_XPOS;
            last_y = M_YPOS;
            continue;
        }
        if (still == 0) Show_Tip(b);
        if (M_LEFT) return Hover_End::Click;
        ++still;
    }
}

// The drop-down hover: ends by leaving the button (the drop-down closed) or with the
// code of a button clicked in the drop-down.
Hover_End Drop_Down_Hover(const Icon_Bar_Button* b, const Box& box, ZAV_Message* msg, int& last_x, int& last_y,
                          int& code)
{
    const Icon_Bar* d = b->drop_down;
    const Box dbox = Bar_Box(d);
    bool open = false, pinned = false;
    for (;;) {
        if (open && Inside_Strict(dbox, last_x, last_y)) {
            const int c = Icon_Bar_Track(d);
            if (c != 0) {
                code = c;
                return Hover_End::Code;
            }
        }
        Track_Message(msg);
        const int x = M_XPOS, y = M_YPOS;
        if (Inside_Inclusive(box, x, y)) {
            if (!open) {
                Open_Drop_Down(d, pinned);
                open = true;
            } else if (M_LEFT) {
                Wait_For_Release();
                pinned = true;
            }
        } else if (!open) {
            return Hover_End::Left;
        } else if (pinned) {
            if (M_LEFT) return Hover_End::Left;
        } else {
            if (y < last_y || x < d->x1 - 7 || x > d->x2 + 7 || Is_Deadline_Passed())
                return Hover_End::Left;
            if (M_LEFT) {
                Wait_For_Release();
                pinned = true;
            }
        }
        last_x = x;
        last_y = y;
    }
}

constexpr int TEXT_BUTTON_FONT = 0x1002;

// Where the bar's bitmap is missing: a plain button with the words of its tool-tip, so
// that the bar can still be seen and used.
void Draw_Text_Button(const Box& r, const Icon_Bar_Button* b, int state)
{
    screen::Saved_Drawing saved;
    pxView(r.x1, r.y1, r.x2, r.y2);
    static const int white = Nearest_RGB_Color(255, 255, 255);
    static const int grey = Nearest_RGB_Color(128, 128, 128);
    const bool usable = b->enabled > 0 && state != 3;
    pxFgc(usable && state == 2 ? white : GetZAVColor(-1));
    pxRect(r.x1, r.y1, r.x2, r.y2);
    pxFgc(BLACK_CI);
    pxLine(r.x1, r.y1, r.x2, r.y1);
    pxLine(r.x1, r.y2, r.x2, r.y2);
    pxLine(r.x1, r.y1, r.x1, r.y2);
    pxLine(r.x2, r.y1, r.x2, r.y2);
    if (!b->tool_tip) return;
    // The words in as many lines as they need, each line as full as the button is wide;
    // a word may also break after a hyphen.
    Set_RFont(TEXT_BUTTON_FONT);
    const int room = r.x2 - r.x1 - 2;
    std::vector<std::string> lines;
    bool glued = false;  // the piece before ended with a hyphen
    for (const char* p = b->tool_tip; *p;) {
        if (*p == ' ' || *p == '\n') {
            ++p;
            glued = false;
            continue;
        }
        const char* end = p;
        while (*end && *end != ' ' && *end != '\n' && *end != '-') ++end;
        if (*end == '-') ++end;
        const std::string piece(p, end);
        const std::string joined = lines.empty() ? piece : lines.back() + (glued ? "" : " ") + piece;
        if (!lines.empty() && Get_Text_Width_Px(joined.c_str()) <= room)
            lines.back() = joined;
        else
            lines.push_back(piece);
        glued = piece.back() == '-';
        p = end;
    }
    // A word wider than the button shows its beginning.
    for (std::string& line : lines)
        while (line.size() > 1 && Get_Text_Width_Px(line.c_str()) > room) line.pop_back();
    const int shift = state == 4 ? 1 : 0;
    const int height = static_cast<int>(lines.size()) * RFONT_HEIGHT;
    int y = (r.y1 + r.y2) / 2 - height / 2 + shift;
    pxFgc(usable ? BLACK_CI : grey);
    for (const std::string& line : lines) {
        pxBTxt(r.x1 + shift, y, r.x2 + shift, y + RFONT_HEIGHT, line.c_str(), -1, 0xD2);
        y += RFONT_HEIGHT;
    }
}

} // namespace

void Icon_Bar_Set_Frame_Flag(int flag) { frame_flag = flag; }

int Icon_Bar_Text_Button_Width(const Icon_Bar_Button* b)
{
    if (!b || !b->tool_tip) return 0;
    // The pieces as the button breaks its words: at blanks and after a hyphen.
    int widest = 0;
    for (const char* p = b->tool_tip; *p;) {
        if (*p == ' ' || *p == '\n') {
            ++p;
            continue;
        }
        const char* end = p;
        while (*end && *end != ' ' && *end != '\n' && *end != '-') ++end;
        if (*end == '-') ++end;
        widest = std::max(widest, Get_Text_Width_In_Font(std::string(p, end).c_str(), TEXT_BUTTON_FONT));
        p = end;
    }
    return widest + 4;  // the frame lines and a pixel of air on each side
}

void Icon_Bar_Fit_Words(Icon_Bar* bar)
{
    if (!bar || !bar->buttons || Load_Bitmap(bar->bitmap_file)) return;
    int added = 0;
    for (int i = 0; i < bar->button_count; ++i) {
        Icon_Bar_Button& b = bar->buttons[i];
        b.offset_x += added;
        const int width = std::max(b.width, Icon_Bar_Text_Button_Width(&b));
        added += width - b.width;
        b.width = width;
    }
    // The bar keeps its right end and grows to the left.
    bar->x1 -= added;
}

void Icon_Bar_Draw_Button(const Icon_Bar* bar, const Icon_Bar_Button* b, int state)
{
    if (!bar || !b) return;
    const Box r = Button_Box(bar, b);
    if (!Load_Bitmap(bar->bitmap_file)) {
        Draw_Text_Button(r, b, state);
        return;
    }
    int ix, iy;
    if (b->enabled <= 0 || state == 3) {
        ix = b->inactive_x;
        iy = b->inactive_y;
    } else if (state == 4) {
        ix = b->pressed_x;
        iy = b->pressed_y;
    } else if (state == 2) {
        ix = b->hover_x;
        iy = b->hover_y;
    } else {
        ix = b->normal_x;
        iy = b->normal_y;
    }
    if (frame_flag) {
        pxFgc(GetZAVColor(-1));
        pxRect(r.x1, r.y1, r.x2, r.y2);
    }
    pxDrawPartialTransparentDIB(bar->bitmap_file, ix, iy, ix + b->width - 1, iy + b->height - 1, r.x1, r.y1, r.x2,
                                r.y2, 201, -1, 192, 192, 192);
}

void Icon_Bar_Draw(const Icon_Bar* bar)
{
    if (!bar || !bar->buttons) return;
    for (int i = 0; i < bar->button_count; ++i) Icon_Bar_Draw_Button(bar, &bar->buttons[i], 1);
}

int Icon_Bar_Track(const Icon_Bar* bar)
{
    if (!bar) return 0;
    const int old_timer = ZAVSetTimer(1);
    ZAV_Message msg;
    InitZAVMessage(&msg);
    msg.idle_ms = 100;
    int result = 0;
    const Box bar_box = Bar_Box(bar);
    auto enabled_button_under_mouse = [&]() -> const Icon_Bar_Button* {
        for (int i = 0; bar->buttons && i < bar->button_count; ++i) {
            const Icon_Bar_Button* b = &bar->buttons[i];
            if (b->enabled > 0 && Inside_Strict(Button_Box(bar, b), M_XPOS, M_YPOS)) return b;
        }
        return nullptr;
    };
    auto click = [&](const Icon_Bar_Button* b) {
        Put_Back(tip);
        Icon_Bar_Draw_Button(bar, b, 4);
        Wait_For_Release();
        Icon_Bar_Draw_Button(bar, b, 1);
        ZAVSetTimer(old_timer);
        return b->code;
    };

    // Entered with the left button already down on a plain button: that press (of a
    // pointer that was resting there, e.g. the click that ended a field's edit) is its
    // click, however short it is.
    if (M_LEFT && Inside_Inclusive(bar_box, M_XPOS, M_YPOS)) {
        const Icon_Bar_Button* b = enabled_button_under_mouse();
        if (b && !b->drop_down) return click(b);
    }

    for (;;) {
        if (!Inside_Inclusive(bar_box, M_XPOS, M_YPOS)) break;
        const int kind = Track_Message(&msg);
        const Icon_Bar_Button* hit = enabled_button_under_mouse();
        if (!hit) {
            if (M_LEFT) break;
            continue;
        }
        // The press that this wait took lands on a plain button: its click, also when the
        // move that brought the pointer here was the only message before it (a straight
        // click from elsewhere); the hover below would only see its release.
        if (kind == ZAV_MSG_LEFT_DOWN && !hit->drop_down) return click(hit);

        const Box box = Button_Box(bar, hit);
        Icon_Bar_Draw_Button(bar, hit, 2);
        int last_x = M_XPOS, last_y = M_YPOS;
        int code = 0;
        const Hover_End end = hit->drop_down ? Drop_Down_Hover(hit, box, &msg, last_x, last_y, code)
                                             : Plain_Hover(hit, box, &msg, last_x, last_y);
        if (end == Hover_End::Click) return click(hit);
        Put_Back(hit->drop_down ? drop : tip);
        Icon_Bar_Draw_Button(bar, hit, 1);
        if (end == Hover_End::Code) {
            result = code;
            break;
        }
        if (M_LEFT) break;
    }
    Wait_For_Release();
    ZAVSetTimer(old_timer);
    return result;
}
