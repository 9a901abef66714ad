// Scroll areas: the draw pass, the mouse-tracking wait with hover pictures, cursors and
// tips, the tip bubble and the short-key setters.
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area.h"
#include "toolkit/scroll_area_internal.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Built-in marks, two bytes a row, most significant bit leftmost.
#define ROW(w) static_cast<unsigned char>((w) >> 8), static_cast<unsigned char>((w)&0xFF)
const unsigned char check_set_bits[] = {ROW(0xFFF8), ROW(0xFFF8), ROW(0xC018), ROW(0xC058), ROW(0xC0D8),
                                        ROW(0xD1D8), ROW(0xDB98), ROW(0xDF18), ROW(0xCE18), ROW(0xC418),
                                        ROW(0xC018), ROW(0xFFF8), ROW(0xFFF8)};
const unsigned char check_clear_bits[] = {ROW(0xFFF8), ROW(0xFFF8), ROW(0xC018), ROW(0xC018), ROW(0xC018),
                                          ROW(0xC018), ROW(0xC018), ROW(0xC018), ROW(0xC018), ROW(0xC018),
                                          ROW(0xC018), ROW(0xFFF8), ROW(0xFFF8)};
const unsigned char radio_set_bits[] = {ROW(0x0F00), ROW(0x3FC0), ROW(0x70E0), ROW(0x6060),
                                        ROW(0xC630), ROW(0xCF30), ROW(0xCF30), ROW(0xC630),
                                        ROW(0x6060), ROW(0x70E0), ROW(0x3FC0), ROW(0x0F00)};
const unsigned char radio_clear_bits[] = {ROW(0x0F00), ROW(0x3FC0), ROW(0x70E0), ROW(0x6060),
                                          ROW(0xC030), ROW(0xC030), ROW(0xC030), ROW(0xC030),
                                          ROW(0x6060), ROW(0x70E0), ROW(0x3FC0), ROW(0x0F00)};
const unsigned char arrow_box_bits[] = {ROW(0xFFF8), ROW(0x8008), ROW(0x8008), ROW(0x8008), ROW(0x8008),
                                        ROW(0xBFE8), ROW(0x9FC8), ROW(0x8F88), ROW(0x8708), ROW(0x8208),
                                        ROW(0x8008), ROW(0x8008), ROW(0xFFF8)};
#undef ROW

bool colours_known = false;
int grey_colour = 0;
int black_colour = 0;
int white_colour = 0;

void Fetch_Colours()
{
    if (colours_known) return;
    grey_colour = Nearest_Color_Index(190, 190, 190);
    black_colour = Nearest_Color_Index(0, 0, 0);
    white_colour = Nearest_Color_Index(255, 255, 255);
    colours_known = true;
}

// The tip bubble: one at a time.
struct Bubble {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int shown = 0;
    bool colours_known = false;
    int ground = 0;
    int ink = 0;
} bubble;

void Text(int x, int y, const char* text, bool bold)
{
    if (!text) return;
    const int n = static_cast<int>(std::strlen(text));
    pxText(x, y, text, n);
    if (bold) pxText(x + 1, y, text, n);
}

void Draw_Text_Item(const Area_Item* p, const Scroll_Area* slot, int sx, int sy)
{
    Pop_RFont(p->font);
    if (p->x2 == 2 || p->x2 == 3) {
        int gr = 0, gg = 0, gb = 0, tr = 0, tg = 0, tb = 0;
        pxQCR(slot->background, &gr, &gg, &gb);
        pxQCR(p->colour, &tr, &tg, &tb);
        const double a = p->x2 == 2 ? 0.65 : 0.9;
        const double b = p->x2 == 2 ? 0.35 : 1.0 - 0.9;
        pxFgc(Nearest_RGB_Color(static_cast<int>(gr * a + tr * b), static_cast<int>(gg * a + tg * b),
                                static_cast<int>(gb * a + tb * b)));
        Text(sx + 1, sy, p->text, false);
    }
    pxFgc(p->colour);
    Text(sx, sy, p->text, p->x2 == 1);
    Push_RFont();
}

void Draw_Rotated_Text(const Area_Item* p, int sx, int sy)
{
    if (!p->text) return;
    const int n = static_cast<int>(std::strlen(p->text));
    Pop_RFont(p->font);
    pxFgc(p->colour);
    pxBTxt(sx, sy, sx, sy, p->text, n, p->y2);
    if (p->x2) {
        int bx = sx, by = sy;
        if (p->y2 == 256) --by;
        else if (p->y2 == 512) --bx;
        else if (p->y2 == 1024) ++by;
        else ++bx;
        pxBTxt(bx, by, bx, by, p->text, n, p->y2);
    }
    Push_RFont();
}

void Draw_Button(const Area_Item* p, int sx, int sy)
{
    const bool editable = p->editable && *p->editable;
    const int colour = editable ? p->colour : grey_colour;
    pxFgc(colour);
    Pop_RFont(p->font);
    Text(sx, sy, p->text, p->x2 != 0);
    Push_RFont();
    const bool set = p->value_ptr && (p->type == AREA_CHECK_BOX ? *p->value_ptr != 0 : *p->value_ptr == p->aux);
    const void* image = set ? p->data : p->data2.image;
    if (image) {
        Draw_TreeViewImage(image, sx - 13, sy - 3, p->colour);
    } else if (p->type == AREA_CHECK_BOX) {
        pxMask(sx - 20, sy - 10, sx - 8, sy + 2, set ? check_set_bits : check_clear_bits, 2);
    } else {
        pxMask(sx - 20, sy - 10, sx - 9, sy + 1, set ? radio_set_bits : radio_clear_bits, 2);
    }
}

void Draw_Field(const Area_Item* p, int sx, int sy)
{
    char shown[AREA_SHOWN_TEXT_SIZE];
    Pop_RFont(p->font);
    if (p->type == AREA_FLOAT_FIELD) {
        Area_Format_Number(shown, p->text, p->number ? *p->number : 0.0, p->aux);
    } else {
        const int n = std::min({static_cast<int>(std::strlen(p->text)), std::max(p->y2, 0), AREA_SHOWN_TEXT_SIZE - 1});
        std::memcpy(shown, p->text, static_cast<size_t>(n));
        shown[n] = '\0';
    }
    const int w = Raise_To_Even(Get_Text_Width_Px(shown));
    const bool editable = p->editable && *p->editable;
    const char* text = shown;
    if (editable) {
        pxFgc(white_colour);
        pxRect(sx - 6, sy - 13, sx + w + 6, sy + 5);
    } else if (p->text2) {
        Set_RFont(0x1000);
        text = p->text2;
    }
    pxFgc(p->colour);
    Text(sx, sy, text, p->x2 != 0);
    Push_RFont();
    pxFgc(editable ? black_colour : grey_colour);
    Area_Dotted_Frame(sx - 7, sy - 13, sx + w + 7, sy + 5);
}

void Draw_Choice(const Area_Item* p, int sx, int sy, int left, int top, int right, int bottom)
{
    char shown[AREA_SHOWN_TEXT_SIZE] = "";
    int colour = p->colour;
    const int index = p->value_ptr ? *p->value_ptr : 0;
    if (p->target.entries && index >= 0 && index < p->extra) {
        const Choice_Entry& e = p->target.entries[index];
        colour = e.colour;
        if (e.text) {
            const int n = std::min(static_cast<int>(std::strlen(e.text)), AREA_SHOWN_TEXT_SIZE - 1);
            std::memcpy(shown, e.text, static_cast<size_t>(n));
            shown[n] = '\0';
        }
    }
    const int w = Raise_To_Even(p->aux);
    const bool editable = p->editable && *p->editable;
    const char* text = shown;
    Pop_RFont(p->font);
    if (editable) {
        pxFgc(white_colour);
        pxRect(sx - 6, sy - 13, sx + w + 24, sy + 5);
    }
    pxFgc(colour);
    if (!editable && p->text2) {
        Set_RFont(0x1000);
        text = p->text2;
    }
    const bool clip = sx + w + 6 < right;
    if (clip) pxView(left, top, sx + w + 6, bottom);
    Text(sx, sy, text, p->x2 != 0);
    if (clip) pxView(left, top, right, bottom);
    Push_RFont();
    pxFgc(editable ? black_colour : grey_colour);
    Area_Dotted_Frame(sx - 7, sy - 13, sx + w + 25, sy + 5);
    pxMask(sx + w + 10, sy - 10, sx + w + 22, sy + 2, arrow_box_bits, 2);
}

void Picture_Choice_Size(const Area_Item* p, int* w, int* h)
{
    *w = Raise_To_Even(p->x2) + 20;
    *h = (p->y2 % 2 ? p->y2 - 1 : p->y2) + 6;
}

void Draw_Picture_Choice(const Area_Item* p, int sx, int sy)
{
    int W = 0, H = 0;
    Picture_Choice_Size(p, &W, &H);
    const bool editable = p->editable && *p->editable;
    if (editable) {
        pxFgc(white_colour);
        pxRect(sx, sy, sx + W, sy + H);
    }
    pxFgc(editable ? black_colour : grey_colour);
    Area_Dotted_Frame(sx, sy, sx + W, sy + H);
    pxMask(sx + W - 15, sy + 3, sx + W - 3, sy + 15, arrow_box_bits, 2);
    const int i = p->value_ptr ? *p->value_ptr : 0;
    const int c0 = editable ? 0 : p->x2;
    const int c1 = editable ? p->x2 : 2 * p->x2;
    pxDrawPartialTransparentDIB(p->text, c0, i * p->y2, c1, i * p->y2 + p->y2, sx + 3, sy + 3, sx + p->x2 + 2,
                                sy + p->y2 + 2, 201, -1, 255, 255, 255);
}

// One column of a bitmap button's strip: 0 inactive, 1 normal, 2 hover, 3 pressed.
void Draw_Button_Column(const Area_Item* p, int column, int sx1, int sy1, int sx2, int sy2)
{
    const int w = p->x2 - p->x1;
    const int h = p->y2 - p->y1;
    int r = 0, g = 0, b = 0;
    pxQCR(p->extra, &r, &g, &b);
    pxDrawPartialTransparentDIB(p->text, column * w, p->aux, (column + 1) * w - 1, p->aux + h - 1, sx1, sy1, sx2 - 1,
                                sy2 - 1, 201, -1, r, g, b);
}

// Whether a rectangle item lies wholly outside the visible part.
bool Outside(int x1, int y1, int x2, int y2, int scroll_x, int scroll_y, int left, int top, int right, int bottom)
{
    const int lo_x = std::min(x1, x2) - scroll_x, hi_x = std::max(x1, x2) - scroll_x;
    const int lo_y = std::min(y1, y2) - scroll_y, hi_y = std::max(y1, y2) - scroll_y;
    return lo_y + top > bottom || hi_x < 0 || hi_y < 0 || lo_x + left > right;
}

} // namespace

void Area_Dotted_Frame(int x1, int y1, int x2, int y2)
{
    pxSULn(0xAAAAAAAAu);
    pxLine(x1, y1, x2, y1);
    pxSULn(0xAAAAAAAAu);
    pxLine(x1, y2, x2, y2);
    pxSULn(0xAAAAAAAAu);
    pxLine(x1, y1, x1, y2);
    pxSULn(0xAAAAAAAAu);
    pxLine(x2, y1, x2, y2);
    pxSLn(0);
}

void Area_Draw_Button_Column(const Area_Item* p, int column, int sx1, int sy1, int sx2, int sy2)
{
    Draw_Button_Column(p, column, sx1, sy1, sx2, sy2);
}

void Area_Draw_Callback(int, int scroll_x, int scroll_y, int left, int top, int right, int bottom, void* slot)
{
    Scroll_Area* a = static_cast<Scroll_Area*>(slot);
    if (!a || a->active != 1) return;
    Area_Draw_Items(scroll_x, scroll_y, left, top, right, bottom, a);
}

void Area_Draw_Items(int scroll_x, int scroll_y, int left, int top, int right, int bottom, Scroll_Area* slot)
{
    if (!slot) return;
    Fetch_Colours();
    const int old_colour = pxQFgc();
    int vx1 = 0, vy1 = 0, vx2 = 0, vy2 = 0;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    if (slot->frame_flag) Draw_Funny_Area_to_PS(4, left - 2, top - 2, right + 2, bottom + 2, 0);
    pxView(left, top, right, bottom);
    const int state = pxBuff(-1);
    pxFgc(slot->background);
    pxRect(left, top, right, bottom);

    const int dx = left - scroll_x, dy = top - scroll_y;
    for (const Area_Item* p = slot->first_item; p; p = p->next) {
        const int sx1 = p->x1 + dx, sy1 = p->y1 + dy, sx2 = p->x2 + dx, sy2 = p->y2 + dy;
        switch (p->type) {
        case AREA_TEXT:
            if (sy1 < top || sy1 > bottom + 12 || sx1 > right) break;
            Draw_Text_Item(p, slot, sx1, sy1);
            break;
        case AREA_LINE:
            if (Outside(p->x1, p->y1, p->x2, p->y2, scroll_x, scroll_y, left, top, right, bottom)) break;
            pxFgc(p->colour);
            pxLine(sx1, sy1, sx2, sy2);
            break;
        case AREA_BITMAP: {
            int r = 0, g = 0, b = 0;
            pxQCR(p->colour, &r, &g, &b);
            if (p->aux)
                pxDrawTransparentDIB(p->text, p->x1 + left, p->y1 + top, p->x2 + left, p->y2 + top, 201, -1, r, g, b);
            else
                pxDrawTransparentDIB(p->text, sx1, sy1, sx2, sy2, 201, -1, r, g, b);
            break;
        }
        case AREA_CUSTOM:
            if (p->draw_fn) p->draw_fn(sx1, sy1, sx2, sy2, p->data);
            break;
        case AREA_MASK_PICTURE: {
            if (Outside(p->x1, p->y1, p->x2, p->y2, scroll_x, scroll_y, left, top, right, bottom)) break;
            const Area_Mask_Picture* m = static_cast<const Area_Mask_Picture*>(p->data);
            pxFgc(p->colour);
            pxMask(sx1, sy1, sx2, sy2, m->bits, m->bytes_per_row);
            break;
        }
        case AREA_ROTATED_TEXT:
            Draw_Rotated_Text(p, sx1, sy1);
            break;
        case AREA_CHECK_BOX:
        case AREA_RADIO_BUTTON:
            Draw_Button(p, sx1, sy1);
            break;
        case AREA_CLICK_TEXT:
            Pop_RFont(p->font);
            if (p->target.word && p->data2.value == *p->target.word) {
                pxFgc(p->extra);
                pxRect(sx1 - 2, sy1 - 10, sx1 + Get_Text_Width_Px(p->text) + 4, sy1 + 2);
            }
            pxFgc(p->colour);
            Text(sx1, sy1, p->text, p->x2 != 0);
            Push_RFont();
            break;
        case AREA_FLOAT_FIELD:
        case AREA_TEXT_FIELD:
            Draw_Field(p, sx1, sy1);
            break;
        case AREA_BOX:
            if (Outside(p->x1, p->y1, p->x2, p->y2, scroll_x, scroll_y, left, top, right, bottom)) break;
            pxFgc(p->colour);
            pxRect(sx1, sy1, sx2, sy2);
            break;
        case AREA_ICON:
            if (Outside(p->x1, p->y1, p->x2, p->y2, scroll_x, scroll_y, left, top, right, bottom)) break;
            Draw_TreeViewImage(p->data2.image, (p->x1 + p->x2) / 2 + left - scroll_x,
                               (p->y1 + p->y2) / 2 + top - scroll_y, p->colour);
            break;
        case AREA_CHOICE:
            Draw_Choice(p, sx1, sy1, left, top, right, bottom);
            break;
        case AREA_PICTURE_CHOICE: {
            int W = 0, H = 0;
            Picture_Choice_Size(p, &W, &H);
            if (Outside(p->x1, p->y1, p->x1 + W, p->y1 + H, scroll_x, scroll_y, left, top, right, bottom)) break;
            Draw_Picture_Choice(p, sx1, sy1);
            break;
        }
        case AREA_BITMAP_BUTTON:
            Draw_Button_Column(p, p->editable && *p->editable ? 1 : 0, sx1, sy1, sx2, sy2);
            break;
        case AREA_TEXT_BOX:
            if (p->aux) {
                pxFgc(p->editable && *p->editable ? black_colour : grey_colour);
                pxSULn(0xAAAAAAAAu);
                pxLine(sx1, sy1, sx2, sy1);
                pxLine(sx1, sy2, sx2, sy2);
                pxLine(sx1, sy1, sx1, sy2);
                pxLine(sx2, sy1, sx2, sy2);
                pxSLn(0);
            }
            Text_Box_Draw(const_cast<Area_Item*>(p), sx1, sy1, sx2, sy2);
            break;
        default:
            break;
        }
    }

    pxBuff(state);
    pxFgc(old_colour);
    pxView(vx1, vy1, vx2, vy2);
}

Area_Screen Area_Screen_Of(const Scroll_Area* a)
{
    Area_Screen s{};
    int dx = 0, dy = 0;
    Inquire_Prop_Sheet_Displacement(&dx, &dy);
    s.ax1 = a->x1 + dx;
    s.ay1 = a->y1 + dy;
    s.ax2 = a->x2 + dx;
    s.ay2 = a->y2 + dy;
    Inquire_Scrollable_Area_PS(a->handle, &s.sx0, &s.sy0);
    return s;
}

void Area_Redraw(Scroll_Area* a)
{
    if (!a || a->active != 1) return;
    const Area_Screen s = Area_Screen_Of(a);
    Area_Draw_Items(s.sx0, s.sy0, s.ax1, s.ay1, s.ax2, s.ay2, a);
}

void Area_Draw_Items(int area)
{
    Area_Redraw(Area_Slot(area));
}

// ---- Tip bubble ------------------------------------------------------------------------

void Area_Tip_Bubble(const char* text, int first_line)
{
    if (!text) return;
    if (!first_line) {
        if (bubble.shown) Restore_Screen_Rectangle(bubble.x1, bubble.y1, bubble.x2, bubble.y2);
        bubble.shown = 0;
        return;
    }
    if (bubble.shown) Area_Tip_Bubble(text, 0);
    if (!bubble.colours_known) {
        bubble.ground = Nearest_RGB_Color(255, 255, 255);
        bubble.ink = Nearest_RGB_Color(0, 0, 0);
        bubble.colours_known = true;
    }
    Pop_RFont(0x1000);
    std::vector<std::string> lines(1);
    for (const char* c = text; *c; ++c) {
        if (*c == '\n') lines.emplace_back();
        else lines.back() += *c;
    }
    int widest = 0;
    for (const std::string& line : lines) {
        int xs[4] = {0, 0, 0, 0}, ys[4] = {0, 0, 0, 0};
        pxQTxX(line.c_str(), static_cast<int>(line.size()), 0, 0, xs, ys);
        widest = std::max(widest, xs[1] - xs[0]);
    }
    const int width = widest + 10;
    const int height = static_cast<int>(lines.size()) * RFONT_HEIGHT + 5;
    int x1 = M_XPOS, y1 = M_YPOS + 20;
    int x2 = x1 + width, y2 = y1 + height;
    if (x2 >= NPIXEL_X - 8) {
        x2 = NPIXEL_X - 9;
        x1 = x2 - width;
    }
    if (y2 >= NPIXEL_Y - 8) {
        y2 = NPIXEL_Y - 9;
        y1 = y2 - height;
    }
    Save_Screen_Rectangle(x1, y1, x2, y2);
    pxFgc(bubble.ground);
    pxRect(x1, y1, x2, y2);
    pxFgc(bubble.ink);
    pxLine(x1, y1, x1, y2);
    pxLine(x2, y1, x2, y2);
    pxLine(x1, y1, x2, y1);
    pxLine(x1, y2, x2, y2);
    for (size_t k = 0; k < lines.size(); ++k)
        pxText(x1 + 5, y1 + RFONT_HEIGHT * (static_cast<int>(k) + first_line), lines[k].c_str(),
               static_cast<int>(lines[k].size()));
    Push_RFont();
    bubble.x1 = x1;
    bubble.y1 = y1;
    bubble.x2 = x2;
    bubble.y2 = y2;
    bubble.shown = 1;
}

// ---- Mouse-tracking wait -------------------------------------------------------------

namespace {

bool Any_Short_Key_On()
{
    return sheet_short_keys.jump || sheet_short_keys.help || sheet_short_keys.ok || sheet_short_keys.brk;
}

bool Short_Key_Waiting()
{
    if (!Any_Short_Key_On()) return false;
    const int k = hitkey();
    return (k == 27 && sheet_short_keys.brk) || (k == 13 && sheet_short_keys.ok) ||
           (k == ZAV_KEY_F1 && sheet_short_keys.help);
}

// The end conditions of the wait other than the tracking rectangle.
bool Wait_Ends(const Scroll_Area* a)
{
    if (M_LEFT || M_SCROLL) return true;
    if (getkeymask() == 1) return true;
    if (a->key_events && hitkey() != -1) return true;
    if (a->wait_option && M_RIGHT) return true;
    return Short_Key_Waiting();
}

bool Inside(int x, int y, int x1, int y1, int x2, int y2) { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }

bool Stopped(const Scroll_Area* a) { return a->stop_word && *a->stop_word; }

// The next message of the wait (the mask holds keys). A key that does not end the wait
// is dropped: the sheet takes no key while the pointer merely rests on it, and a key
// held in the queue would be read later by whatever asks next (a dialog's Enter taking
// an Esc pressed here).
int Track_Message(const Scroll_Area* a, int mask, ZAV_Message* record)
{
    for (;;) {
        const int kind = GetZAVMessage(mask, record);
        if (kind != ZAV_MSG_KEY || Wait_Ends(a)) return kind;
        Drop_Newest_Key();
    }
}

// Where the last tracking wait saw the pointer leave its rectangle.
int left_x = INT_MIN, left_y = INT_MIN;

} // namespace

void Area_Track_Wait(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    ZAV_Message record;
    InitZAVMessage(&record);
    if (a->stop_word) record.idle_ms = 100;

    int mask = a->stop_word ? 0x40094022 : 0x94022;
    if (a->wait_option) mask |= 8;

    auto tracked = [a] {
        const Area_Screen s = Area_Screen_Of(a);
        if (!a->zone_on) return Inside(M_XPOS, M_YPOS, s.ax1, s.ay1, s.ax2, s.ay2);
        return Inside(M_XPOS, M_YPOS, a->zone_x1 + s.ax1 - s.sx0, a->zone_y1 + s.ay1 - s.sy0,
                      a->zone_x2 + s.ax1 - s.sx0, a->zone_y2 + s.ay1 - s.sy0);
    };
    // A pointer that a wait has seen leave has nothing more to track: waiting once more
    // would take the next message (a press on a register tab or on the button bar, say)
    // away from the sheet it belongs to. So a wait ends as soon as the pointer is out,
    // also after a hover, and a wait entered with the pointer still where the previous
    // one saw it leave (a page's table handler waited first) does not wait at all.
    auto left = [] {
        left_x = M_XPOS;
        left_y = M_YPOS;
    };
    if (!tracked() && M_XPOS == left_x && M_YPOS == left_y) return;

    for (;;) {
        if (Stopped(a)) return;
        // Without a screen nothing can happen.
        if (Track_Message(a, mask, &record) == 0) return;

        const Area_Screen s = Area_Screen_Of(a);
        if (!tracked()) return left();
        if (Wait_Ends(a)) return;

        for (Area_Item* p = a->first_item; p; p = p->next) {
            const bool button = p->type == AREA_BITMAP_BUTTON && p->editable && *p->editable;
            const bool cell = p->type == AREA_CLICK_CELL && (p->aux || p->text);
            if (!button && !cell) continue;
            const int dx = s.ax1 - s.sx0, dy = s.ay1 - s.sy0;
            const int sx1 = p->x1 + dx, sy1 = p->y1 + dy, sx2 = p->x2 + dx, sy2 = p->y2 + dy;
            if (!Inside(M_XPOS, M_YPOS, sx1, sy1, sx2, sy2)) continue;

            const char* tip = nullptr;
            if (button) {
                int vx1, vy1, vx2, vy2;
                pxQVwp(&vx1, &vy1, &vx2, &vy2);
                const Area_Screen c = Area_Screen_Of(a);
                pxView(c.ax1, c.ay1, c.ax2, c.ay2);
                Draw_Button_Column(p, 2, sx1, sy1, sx2, sy2);
                pxView(vx1, vy1, vx2, vy2);
                if (p->colour) setMouseCursor(p->colour);
                tip = p->text2;
            } else {
                if (p->aux) setMouseCursor(p->aux);
                tip = p->text;
            }
            if (tip) Area_Tip_Bubble(tip, 1);

            for (;;) {
                if (Stopped(a)) break;
                if (Track_Message(a, mask, &record) == 0) break;
                if (M_LEFT || !Inside(M_XPOS, M_YPOS, sx1, sy1, sx2, sy2) ||
                    !Inside(M_XPOS, M_YPOS, s.ax1, s.ay1, s.ax2, s.ay2) || Wait_Ends(a))
                    break;
            }

            if (button) {
                if (tip) Area_Tip_Bubble(tip, 0);
                int vx1, vy1, vx2, vy2;
                pxQVwp(&vx1, &vy1, &vx2, &vy2);
                const Area_Screen c = Area_Screen_Of(a);
                pxView(c.ax1, c.ay1, c.ax2, c.ay2);
                Draw_Button_Column(p, 1, sx1, sy1, sx2, sy2);
                pxView(vx1, vy1, vx2, vy2);
                if (p->colour) setMouseCursor(0);
            } else {
                if (p->aux) setMouseCursor(0);
                if (tip) Area_Tip_Bubble(tip, 0);
            }
            // A press on the item belongs to the event handler: leaving here without it
            // would let the next wait swallow the click.
            if (M_SCROLL || getkeymask() == 1 || M_LEFT) return;
        }
        if (!tracked()) return left();
    }
}

// ---- Short keys ------------------------------------------------------------------------

namespace {

Scroll_Area* Short_Key_Slot(int area)
{
    if (static_cast<unsigned>(area) >= AREA_COUNT) return nullptr;
    return Area_Slot(area);
}

} // namespace

void Area_Set_Break_Key(int area, int value, int* target)
{
    if (Scroll_Area* a = Short_Key_Slot(area)) {
        a->esc_value = value;
        a->esc_target = target;
    }
}

void Area_Set_Ok_Key(int area, int value, int* target)
{
    if (Scroll_Area* a = Short_Key_Slot(area)) {
        a->enter_value = value;
        a->enter_target = target;
    }
}

void Area_Set_Help_Key(int area, int value, int* target)
{
    if (Scroll_Area* a = Short_Key_Slot(area)) {
        a->help_value = value;
        a->help_target = target;
    }
}

namespace area_test {
void Reset_Draw_State()
{
    colours_known = false;
    bubble = Bubble{};
}
} // namespace area_test
