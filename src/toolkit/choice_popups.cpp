#include "toolkit/choice_popups.h"

#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"
#include "toolkit/scroll_area_internal.h"

#include <algorithm>

namespace {

// Rows of the patterns as 16-bit words, the first byte the left eight pixels.
constexpr unsigned short arrow_down_rows[13] = {0xFFF8, 0x8008, 0x8008, 0x8008, 0x8008, 0xBFE8, 0x9FC8,
                                                0x8F88, 0x8708, 0x8208, 0x8008, 0x8008, 0xFFF8};
constexpr unsigned short arrow_up_rows[13] = {0xFFF8, 0x8008, 0x8008, 0x8008, 0x8208, 0x8708, 0x8F88,
                                              0x9FC8, 0xBFE8, 0x8008, 0x8008, 0x8008, 0xFFF8};
constexpr unsigned short dot_rows[12] = {0x0000, 0x1F00, 0x3F80, 0x7FC0, 0x7FC0, 0x7FC0,
                                         0x7FC0, 0x7FC0, 0x3F80, 0x1F00, 0x0000, 0x0000};

struct Mask_Bytes {
    unsigned char bytes[26];
};

constexpr Mask_Bytes Bytes_Of(const unsigned short* rows, int count)
{
    Mask_Bytes m{};
    for (int i = 0; i < count; ++i) {
        m.bytes[2 * i] = static_cast<unsigned char>(rows[i] >> 8);
        m.bytes[2 * i + 1] = static_cast<unsigned char>(rows[i] & 0xFF);
    }
    return m;
}

constexpr Mask_Bytes arrow_down = Bytes_Of(arrow_down_rows, 13);
constexpr Mask_Bytes arrow_up = Bytes_Of(arrow_up_rows, 13);
constexpr Mask_Bytes dot = Bytes_Of(dot_rows, 12);

struct Colours {
    int black, ground, highlight, track, white;
};

const Colours& Popup_Colours()
{
    static const Colours c{Nearest_Color_Index(0, 0, 0), Nearest_RGB_Color(235, 255, 255),
                           Nearest_Color_Index(0, 80, 150), Nearest_RGB_Color(201, 237, 237),
                           Nearest_RGB_Color(255, 255, 255)};
    return c;
}

int Even_Down(int v) { return v - (v & 1); }

void Dotted_Frame(int x1, int y1, int x2, int y2, int colour)
{
    pxFgc(colour);
    Area_Dotted_Frame(x1, y1, x2, y2);
}

// The slider column at the right edge x2 of a list from top to bottom.
void Draw_Slider(int x2, int top, int bottom, int thumb, int thumb_pos, int column_colour)
{
    const Colours& c = Popup_Colours();
    pxFgc(column_colour);
    pxRect(x2 - 15, top + 1, x2 - 1, bottom - 1);
    pxFgc(c.black);
    pxMask(x2 - 15, top + 3, x2 - 3, top + 15, arrow_up.bytes, 2);
    pxMask(x2 - 15, bottom - 15, x2 - 3, bottom - 3, arrow_down.bytes, 2);
    pxFgc(c.track);
    pxRect(x2 - 13, top + 16, x2 - 5, bottom - 16);
    const int t0 = top + 16 + thumb_pos, t1 = t0 + thumb;
    pxFgc(column_colour);
    pxRect(x2 - 15, t0, x2 - 3, t1);
    pxFgc(c.black);
    pxLine(x2 - 15, t0, x2 - 15, t1);
    pxLine(x2 - 3, t0, x2 - 3, t1);
    pxLine(x2 - 15, t0, x2 - 3, t0);
    pxLine(x2 - 15, t1, x2 - 3, t1);
}

void Wait_For_Release()
{
    while (M_LEFT) Get_Mouse_Event();
}

// One open drop-down: its geometry, the entries shown and the slider. The two kinds
// differ only in their row height, where the pointer is put and how they paint.
class Popup {
public:
    int count = 0;
    int row = 13;          // row height
    int x1 = 0, x2 = 0, top = 0, bottom = 0, H = 0;
    int n = 0;             // rows shown
    int current = 0, first = 0;
    int thumb = 0, thumb_pos = 0;
    double step = 0;       // pixels of thumb travel per entry; 0: the thumb cannot move

    virtual ~Popup() = default;
    virtual void Paint(bool highlight) = 0;

    // Clamps the rows to what exists (at least one, at most count) and sets up the
    // slider around the current entry.
    void Set_Up(int start)
    {
        n = std::clamp(n, 1, count);
        H = row * n + 6;
        current = std::clamp(start, 0, count - 1);
        if (n < count) {
            thumb = std::max(6, n * (H - 32) / count);
            step = static_cast<double>(H - 32 - thumb) / (count - n);
            if (!(step > 0)) step = 0;  // no room for the thumb to travel
            first = std::clamp(current - n / 2, 0, count - n);
            Place_Thumb();
        } else {
            first = thumb = thumb_pos = 0;
            step = 0;
        }
    }

    void Place_Thumb() { thumb_pos = static_cast<int>(first * step + 0.5); }
    bool Has_Slider() const { return thumb != 0; }

    // The field the list was opened from, on the screen: a press on it only closes the list.
    int field_x1 = 0, field_y1 = 0, field_x2 = -1, field_y2 = -1;

    // What Run answers for a press outside the list; the button is still down then.
    static constexpr int PRESS_OUTSIDE = 3;

    // Runs the loop; 1 when the current entry was taken with Enter, 2 with a click, 0
    // when the list was left with a key or PRESS_OUTSIDE by a press beside it.
    int Run()
    {
        ZAV_Message record;
        InitZAVMessage(&record);
        for (;;) {
            const int r = GetZAVMessage(0x14022 | ZAV_MSG_SHEET, &record);
            if (r == 0) return 0;  // no screen
            if (r == ZAV_MSG_SHEET) {
                // The frame's close request is asked about while the list is open; the
                // question's buttons lie outside the list, so the pointer is let out.
                Push_Mouse_Move_Restriction();
                Serve_Close_Request();
                Pop_Mouse_Move_Restriction(x1, top, x2, bottom);
                Paint(true);
                continue;
            }
            if (r & ZAV_MSG_KEY) {
                const int k = getkey();
                if (k == ZAV_KEY_UP) current -= 1;
                else if (k == ZAV_KEY_DOWN) current += 1;
                else return k == 13 ? 1 : 0;
                current = std::clamp(current, 0, count - 1);
                if (current >= first + n) first += 1;
                if (current < first) first -= 1;
                first = std::clamp(first, 0, count - n);
                Place_Thumb();
                Paint(true);
                continue;
            }
            const int x = M_XPOS, y = M_YPOS;
            // The confinement holds a pointer that left the list on its border, so the
            // border counts as outside: a click there (or beyond, in a real window that
            // cannot confine the pointer) closes the list with nothing taken.
            const bool inside = x1 < x && x < x2 && top < y && y < bottom;
            if (!inside) {
                Paint(false);
            } else if (M_SCROLL != 0) {
                if (Has_Slider()) {
                    if (M_SCROLL < 0 && first < count - n) {
                        first += 1;
                        current += 1;
                    } else if (M_SCROLL > 0 && first > 0) {
                        first -= 1;
                        current -= 1;
                    }
                    Place_Thumb();
                    Paint(true);
                }
                M_SCROLL = 0;
            } else if (!Has_Slider() || x < x2 - 14) {
                current = std::clamp((y - top - 2) / row + first, 0, count - 1);
                Paint(true);
            } else if (M_LEFT && x < x2 - 3) {
                Slider_Press(y);
                continue;
            }
            if (M_LEFT) {
                if (!inside) return PRESS_OUTSIDE;
                Wait_For_Release();
                return 2;
            }
        }
    }

private:
    void Slider_Press(int y)
    {
        if (y <= top + 14) {
            // Up arrow: one entry every 100 ms while the button is held.
            while (M_LEFT) {
                if (first > 0) {
                    first -= 1;
                    current -= 1;
                    Place_Thumb();
                    Paint(true);
                }
                ZAVSleep(100);
                Get_Mouse_Event();
            }
            return;
        }
        if (bottom - 14 <= y && y < bottom - 3) {
            while (M_LEFT) {
                if (first < count - n) {
                    first += 1;
                    current += 1;
                    Place_Thumb();
                    Paint(true);
                }
                ZAVSleep(100);
                Get_Mouse_Event();
            }
            return;
        }
        const int t0 = top + 16 + thumb_pos;
        if (y < t0) {
            current -= first;
            first = 0;
            thumb_pos = 0;
            Paint(true);
            Wait_For_Release();
        } else if (y > t0 + thumb) {
            current += count - n - first;
            first = count - n;
            Place_Thumb();
            Paint(true);
            Wait_For_Release();
        } else if (step > 0) {
            const int y0 = y, p0 = thumb_pos;
            while (M_LEFT) {
                if (M_YPOS != y0) {
                    int f = static_cast<int>(((M_YPOS - y0 + p0) - 0.5) * (1.0 / step));
                    f = std::clamp(f, 0, count - n);
                    current += f - first;
                    first = f;
                    Place_Thumb();
                    Paint(true);
                }
                Get_Mouse_Event();
            }
        } else {
            Wait_For_Release();
        }
    }
};

class Text_Popup final : public Popup {
public:
    int text_x = 0, font = 0;
    const Choice_Entry* entries = nullptr;
    void Paint(bool highlight) override
    {
        Area_Draw_Choice_List(x1, text_x, x2 - x1, top, H, font, highlight ? current - first : -1, n, thumb,
                              thumb_pos, entries + first);
    }
};

class Picture_Popup final : public Popup {
public:
    const Area_Item* item = nullptr;
    void Paint(bool highlight) override
    {
        Area_Draw_Picture_List(x1, x2 - x1, top, H, highlight ? current : -1, first, n, thumb, thumb_pos, item);
    }
};

// Opens the pop-up over its rectangle, runs it and gives everything back.
int Open_And_Run(Popup& p, int pointer_x, int pointer_y, int* value)
{
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    pxView(p.x1, p.top, p.x2, p.bottom);
    Save_Screen_Rectangle(p.x1, p.top, p.x2, p.bottom);
    Save_Mouse_Position();
    Pop_Mouse_Move_Restriction(p.x1, p.top, p.x2, p.bottom);
    msStCu(pointer_x, pointer_y);
    p.Paint(true);
    const int result = p.Run();
    if (result == 1 || result == 2) *value = p.current;
    Restore_Screen_Rectangle(p.x1, p.top, p.x2, p.bottom);
    pxView(vx1, vy1, vx2, vy2);
    Push_Mouse_Move_Restriction();
    Restore_Mouse_Position();
    if (result != Popup::PRESS_OUTSIDE) return result;
    // A press beside the list closes it and still acts where it landed (on another
    // field, a check box, a tab or a button), as a press that ends a number field does;
    // on the list's own field it only closes the list.
    int x, y;
    Pointer_Landing(&x, &y);
    if (p.field_x1 <= x && x <= p.field_x2 && p.field_y1 <= y && y <= p.field_y2) {
        Wait_For_Release();
        return 0;
    }
    msStCu(x, y);
    Repeat_Left_Press();
    return 0;
}

} // namespace

int Area_Choice_Popup(int x, int y, Area_Item* item)
{
    if (!item || !item->value_ptr || item->extra < 1) return 0;
    Text_Popup p;
    p.count = item->extra;
    p.entries = item->target.entries;
    p.font = item->font;
    p.text_x = x;
    const int W = Raise_To_Even(item->aux) + 32;
    p.x1 = x - 7;
    p.x2 = p.x1 + W;
    const int H = 13 * p.count + 6;
    const int below = NPIXEL_Y - y;
    bool over;
    if (H < below - 30) {
        over = false;
        p.n = p.count;
    } else if (H < y - 30) {
        over = true;
        p.n = p.count;
    } else {
        // On the side with more room, as many rows as fit.
        over = below < y;
        p.n = ((over ? y : below) - 48) / 13;
    }
    p.Set_Up(*item->value_ptr);
    p.top = over ? y - p.H - 13 : y + 5;
    p.bottom = p.top + p.H;

    // The field as a click hits it.
    p.field_x1 = x - 6;
    p.field_x2 = x + item->aux + 24;
    p.field_y1 = y - 13;
    p.field_y2 = y + 5;

    pxFgc(Nearest_Color_Index(255, 0, 0));
    pxMask(p.x2 - 14, y - 9, p.x2 - 4, y + 1, dot.bytes, 2);
    return Open_And_Run(p, p.x1 + W / 2, p.top + 6 + 13 * (p.current - p.first), item->value_ptr);
}

int Area_Picture_Choice_Popup(int limit_top, int limit_bottom, int x, int y, Area_Item* item)
{
    if (!item || !item->value_ptr || item->extra < 1) return 0;
    const int pw = item->x2, ph = item->y2;
    Picture_Popup p;
    p.item = item;
    p.count = item->extra;
    p.row = ph + 4;
    const int c = p.row;
    if (c < 1) return 0;
    const int hf = Even_Down(ph) + 6;
    const int W = Raise_To_Even(pw) + 20;
    const int H = c * p.count + 6;
    const int below = (limit_bottom - y) - hf;
    const int above = y - limit_top;
    bool over;
    if (H < below - 7) {
        over = false;
        p.n = p.count;
    } else if (H < above - 15) {
        over = true;
        p.n = p.count;
    } else if (below < above - 8) {
        over = true;
        p.n = (above - 33) / c;
    } else {
        over = false;
        p.n = (below - 25) / c;
    }
    p.n = std::clamp(p.n, 1, p.count);
    if (3 * p.n < p.count) {
        // Lengthened downwards, beyond the area, when the screen has room.
        const int m = (NPIXEL_Y - y - c - 10) / c;
        if (m > p.n) {
            p.n = std::min(m, p.count / 2);
            over = false;
        }
    }
    p.x1 = x;
    p.x2 = x + W;
    p.Set_Up(*item->value_ptr);
    p.top = over ? y - p.H : y + hf;
    p.bottom = p.top + p.H;

    p.field_x1 = x;
    p.field_x2 = x + pw + 20;
    p.field_y1 = y;
    p.field_y2 = y + ph + 5;

    pxFgc(Nearest_Color_Index(255, 0, 0));
    pxMask(x + W - 14, y + 4, x + W - 4, y + 15, dot.bytes, 2);
    return Open_And_Run(p, x + W / 2, p.top + c / 2 + c * (p.current - p.first), item->value_ptr);
}

void Area_Draw_Choice_List(int x1, int text_x, int W, int top, int H, int font, int highlight, int n, int thumb,
                           int thumb_pos, const Choice_Entry* entries)
{
    const Colours& c = Popup_Colours();
    const int state = pxBuff(-1);
    const int x2 = x1 + W, bottom = top + H;
    pxFgc(c.ground);
    pxRect(x1, top, x2, bottom);
    Dotted_Frame(x1, top, x2, bottom, c.black);
    Pop_RFont(font);
    for (int i = 0; i < n && entries; ++i) {
        const int base = top + 13 + 13 * i;
        const char* text = entries[i].text ? entries[i].text : "";
        if (i == highlight) {
            pxFgc(c.highlight);
            pxRect(x1 + 2, base - 11, x2 - 2, base + 3);
            pxFgc(c.ground);
        } else {
            pxFgc(entries[i].colour);
        }
        pxText(text_x, base, text, -1);
    }
    Push_RFont();
    if (thumb) Draw_Slider(x2, top, bottom, thumb, thumb_pos, c.ground);
    pxBuff(state);
}

void Area_Draw_Picture_List(int x1, int W, int top, int H, int selected, int first, int n, int thumb,
                            int thumb_pos, const Area_Item* item)
{
    const Colours& c = Popup_Colours();
    const int state = pxBuff(-1);
    const int x2 = x1 + W, bottom = top + H;
    pxFgc(c.ground);
    pxRect(x1, top, x2, bottom);
    Dotted_Frame(x1, top, x2, bottom, c.black);
    const int pw = item->x2, ph = item->y2;
    for (int i = first; i < first + n; ++i) {
        const int r = top + (i - first) * (ph + 4);
        if (i == selected) {
            pxFgc(c.white);
            pxRect(x1 + 3, r + 3, x1 + 3 + pw, r + 3 + ph);
        }
        pxDrawPartialTransparentDIB(item->text, 0, ph * i, pw, ph * i + ph, x1 + 3, r + 3, x1 + 2 + pw,
                                    r + ph + 2, 201, -1, 255, 255, 255);
        if (i == selected) {
            pxFgc(c.highlight);
            for (int yl : {r + 1, r + 2, r + ph + 3, r + ph + 4}) pxLine(x1 + 1, yl, x1 + pw + 4, yl);
            for (int xl : {x1 + 1, x1 + 2, x1 + pw + 3, x1 + pw + 4}) pxLine(xl, r + 1, xl, r + ph + 4);
        }
    }
    if (thumb) Draw_Slider(x2, top, bottom, thumb, thumb_pos, c.white);
    pxBuff(state);
}
