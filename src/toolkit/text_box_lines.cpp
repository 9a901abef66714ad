#include "toolkit/text_box_lines.h"

#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int LINE_HEIGHT = 14;

struct Colours {
    int cursor, selection, fill_gauge, position_gauge;
};

const Colours& Box_Colours()
{
    static const Colours c{Nearest_RGB_Color(0, 0, 255), Nearest_RGB_Color(153, 180, 209),
                           Nearest_RGB_Color(255, 140, 140), Nearest_RGB_Color(88, 199, 143)};
    return c;
}

// Width of the first n characters from p: the fixed cells of font 0 while such a box is
// edited, else measured in the current font.
int Width(const char* p, long n)
{
    if (n <= 0) return 0;
    if (edited_text_box && edited_text_box->font == 0) return static_cast<int>(8 * n - 3);
    int xs[4], ys[4];
    pxQTxX(p, static_cast<int>(n), 0, 0, xs, ys);
    return xs[1] - xs[0];
}

// The x offset of a cursor standing before character i of the line at p.
int Boundary(const char* p, long i) { return i >= 1 ? Width(p, i) + 2 : 2; }

// Selects the box's font for measuring, and goes back to the font before.
class Box_Font {
public:
    explicit Box_Font(const Text_Box_State* s) { Pop_RFont(s->font); }
    ~Box_Font() { Push_RFont(); }
    Box_Font(const Box_Font&) = delete;
    Box_Font& operator=(const Box_Font&) = delete;
};

void Repaint(Text_Box_State* s) { Text_Box_Draw(s->item, s->box_x1, s->box_y1, s->box_x2, s->box_y2); }

// Takes the drawn cursor line off the screen.
void Remove_Cursor(Text_Box_State* s)
{
    if (s->cursor_x != 0) {
        pxFgc(s->ground_colour);
        pxLine(s->cursor_x, s->cursor_y - 10, s->cursor_x, s->cursor_y + 4);
    }
    s->cursor_x = 0;
}

// Offset of the text's last character, the position the cursor never passes (0 for an
// empty text).
long Last_Character(const Text_Box_State* s)
{
    const char* last = s->lines[s->line_count - 1];
    const long end = (last - s->text) + static_cast<long>(std::strlen(last));
    return std::max(0L, end - 1);
}

bool Has_Lines(const Text_Box_State* s) { return s && s->text && s->lines && s->line_count >= 1; }

// The length of the line starting at p (at least one character; p not at the end).
long Line_Length(const char* p, int wrap)
{
    if (p[1] == '\0') return 1;
    if (p[1] == '\n') return 2;
    for (long m = 1;; ++m) {
        if (Width(p, m) > wrap) {
            long L = m + (p[m] == '\n' ? 1 : 0);
            // Break after the last blank at or before the breaking position, if any.
            for (long j = L; j >= 1; --j) {
                if (p[j] == ' ') return j + 1;
            }
            return L;
        }
        if (p[m + 1] == '\0') return m + 1;
        if (p[m + 1] == '\n') return m + 2;
    }
}

} // namespace

int Text_Box_Cursor_Line(const Text_Box_State* s)
{
    if (!s || s->line_count < 2) return 0;
    for (int k = 0; k <= s->line_count - 2; ++k)
        if (s->cursor < s->lines[k + 1]) return k;
    return s->line_count - 1;
}

void Text_Box_Draw(Area_Item* item, int x1, int y1, int x2, int y2)
{
    if (!item || !item->data2.box || !item->text) return;
    Text_Box_State* s = item->data2.box;
    const Colours& colours = Box_Colours();
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    pxView(std::max(vx1, x1) + 1, std::max(vy1, y1) + 1, std::min(vx2, x2) - 1, std::min(vy2, y2) - 1);
    pxFgc(item->extra);
    pxRect(x1 + 1, y1 + 1, x2 - 1, y2 - 1);
    s->visible_lines = (y2 - y1 - 22) / LINE_HEIGHT;
    pxFgc(item->colour);
    Pop_RFont(s->font);
    const int wrap = x2 - x1 - 20;
    const int x = x1 + 7;
    int d = -s->first_line;
    int yb = y1 + 16;
    char* p = item->text;
    for (int k = 0;; ++k) {
        s->lines[k] = p;
        s->line_count = k + 1;
        if (s->line_count >= s->line_capacity) {
            char** larger = new (std::nothrow) char*[static_cast<size_t>(s->line_capacity) * 4];
            // Without memory the box goes on with the lines it has: the last one holds
            // the rest of the text.
            if (!larger) break;
            std::copy(s->lines, s->lines + s->line_count, larger);
            delete[] s->lines;
            s->lines = larger;
            s->line_capacity *= 4;
        }
        if (*p == '\0') break;
        long L;
        if (*p == '\n') {
            L = 1;
            if (d >= 0) yb += LINE_HEIGHT;
        } else {
            L = Line_Length(p, wrap);
            if (d > s->visible_lines) {
                yb += LINE_HEIGHT;
            } else if (d >= 0) {
                if (s->sel_start != s->sel_end && s->sel_start <= p + L && s->sel_end >= p) {
                    const char* a = std::max<const char*>(s->sel_start, p);
                    const char* e = std::min<const char*>(s->sel_end, p + L);
                    const int fg = pxQFgc();
                    pxFgc(colours.selection);
                    pxRect(x + 1 + Width(p, a - p), yb - 10, x + Width(p, e - p) + 1, yb + 2);
                    pxFgc(fg);
                }
                pxText(x, yb, p, static_cast<int>(L - (p[L - 1] == '\n' ? 1 : 0)));
                yb += LINE_HEIGHT;
            }
        }
        d += 1;
        p += L;
    }
    s->cursor_x = 0;  // painted over
    Push_RFont();
    pxView(vx1, vy1, vx2, vy2);
}

void Text_Box_Draw_Cursor(Text_Box_State* s)
{
    if (!Has_Lines(s) || !s->cursor) return;
    Remove_Cursor(s);
    const int L = Text_Box_Cursor_Line(s);
    if (L < s->first_line || L > s->first_line + s->visible_lines) return;
    Box_Font font(s);
    const long n = s->cursor - s->lines[L];
    const int x = s->box_x1 + 7 + (n > 0 ? Width(s->lines[L], n) + 2 : 0);
    const int y = s->box_y1 + 16 + LINE_HEIGHT * (L - s->first_line);
    pxFgc(Box_Colours().cursor);
    pxLine(x, y - 10, x, y + 4);
    s->cursor_x = x;
    s->cursor_y = y;
}

void Text_Box_Cursor_From_Mouse(Text_Box_State* s)
{
    if (!Has_Lines(s)) return;
    Box_Font font(s);
    const int L = std::max(0, (M_YPOS - s->box_y1 - 7) / LINE_HEIGHT + s->first_line);
    long at;  // offset of the new cursor in the text
    if (L >= s->line_count - 1) {
        at = Last_Character(s);
    } else {
        const char* line = s->lines[L];
        const long n = s->lines[L + 1] - line;
        const long start = line - s->text;
        if (n < 1) {
            at = start + n - 1;
        } else {
            const int dx = M_XPOS - s->box_x1 - 7;
            long i = 0;
            long result;
            for (;;) {
                if (line[i] == '\0' || line[i] == '\n') {
                    result = i;
                    break;
                }
                if (dx < Boundary(line, i)) {
                    if (i == 0) result = 0;
                    else if (dx - Boundary(line, i - 1) < Boundary(line, i) - dx) result = i - 1;
                    else result = i;
                    break;
                }
                if (++i >= n) {
                    result = i;
                    break;
                }
            }
            at = start + (result >= n ? n - 1 : result);
        }
    }
    s->cursor = s->text + std::max(0L, at);
}

void Text_Box_Show_Cursor_Line(Text_Box_State* s)
{
    if (!Has_Lines(s)) return;
    const int L = Text_Box_Cursor_Line(s);
    if (s->first_line > L) {
        s->first_line = L;
        Repaint(s);
    }
    if (L - s->visible_lines > s->first_line) {
        s->first_line = L - s->visible_lines;
        Repaint(s);
    }
}

void Text_Box_Move_Cursor(int chars, int lines, Text_Box_State* s)
{
    if (!Has_Lines(s) || !s->cursor) return;
    s->sel_start = s->sel_end = nullptr;
    Remove_Cursor(s);
    Repaint(s);
    Text_Box_Draw_Cursor(s);
    long at = std::clamp(s->cursor - s->text + chars, 0L, Last_Character(s));
    s->cursor = s->text + at;
    if (lines != 0) {
        const int L = Text_Box_Cursor_Line(s);
        // From the first line nothing goes up, from the last text line nothing down.
        const bool blocked = lines < 0 ? (L == 0 || s->line_count < 2) : (L >= s->line_count - 2);
        if (!blocked) {
            Box_Font font(s);
            const int x = Width(s->lines[L], (s->text + at) - s->lines[L]);
            const int T = std::clamp(L + lines, 0, s->line_count - 1);
            const char* s0 = s->lines[T];
            // A line broken by width ends on its last character: the cursor stays in it.
            const long last = T + 1 < s->line_count ? s->lines[T + 1] - s0 - 1 : -1;
            long i = 0;
            if (s0[0] != '\0' && s0[0] != '\n') {
                for (;;) {
                    if (x <= Boundary(s0, i)) break;
                    ++i;
                    if (s0[i] == '\0' || s0[i] == '\n') break;
                    if (last >= 0 && i >= last) {
                        i = last;
                        break;
                    }
                }
            }
            at = (s0 - s->text) + i;
        }
    }
    at = std::clamp(at, 0L, Last_Character(s));
    s->cursor = s->text + at;
    Remove_Cursor(s);
    Text_Box_Show_Cursor_Line(s);
    Text_Box_Draw_Cursor(s);
}

void Text_Box_Delete_Selection(Text_Box_State* s)
{
    if (!s || !s->text || s->sel_start == s->sel_end || !s->sel_start || !s->sel_end) return;
    char* from = std::max(s->sel_start, s->sel_end);
    char* to = std::min(s->sel_start, s->sel_end);
    const size_t rest = std::strlen(from);
    std::memmove(to, from, rest);
    std::memset(to + rest, 0, static_cast<size_t>(from - to));
    s->cursor = to;
    s->sel_start = s->sel_end = nullptr;
    Remove_Cursor(s);
    Repaint(s);
    Text_Box_Show_Cursor_Line(s);
    Text_Box_Draw_Cursor(s);
    s->length = static_cast<int>(std::strlen(s->text));
}

int Text_Box_Insert_Special_Character()
{
    const int c = Get_UserSelected_SpecialCharacter();
    Text_Box_State* s = edited_text_box;
    if (c < 0 || !s || !s->text || !s->cursor) return 0;
    Text_Box_Delete_Selection(s);
    if (s->length >= s->capacity || std::strlen(s->text) >= static_cast<size_t>(s->capacity)) return 0;
    const size_t rest = std::strlen(s->cursor);
    std::memmove(s->cursor + 1, s->cursor, rest + 1);
    *s->cursor = static_cast<char>(c == 13 ? 10 : c);
    s->cursor += 1;
    s->length += 1;
    return 10;
}

void Text_Box_Draw_Gauges(Text_Box_State* s)
{
    if (!s) return;
    const Colours& colours = Box_Colours();
    // A gauge whose divisor is 0 has nothing to show.
    if (s->capacity > 0) {
        const int g = static_cast<int>(static_cast<double>(s->length) / s->capacity * (s->box_x2 - s->box_x1 - 7));
        pxFgc(colours.fill_gauge);
        pxRect(s->box_x1 + 2, s->box_y2 - 3, s->box_x1 + 2 + g, s->box_y2 - 2);
    }
    if (s->line_count > s->visible_lines && s->line_count > 1) {
        const int h = s->box_y2 - s->box_y1 - 4;
        const double lines = s->line_count - 1;
        const int ya = s->box_y1 + 2 + static_cast<int>(s->first_line / lines * h);
        const int yb = s->box_y1 + 2 + static_cast<int>((s->first_line + s->visible_lines + 1) / lines * h);
        pxFgc(colours.position_gauge);
        pxRect(s->box_x2 - 3, ya, s->box_x2 - 2, yb);
    }
}
