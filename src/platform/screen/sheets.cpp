#include "platform/screen/sheets.h"

#include "platform/fonts.h"
#include "platform/screen/screen.h"
#include "platform/screen/backend.h"
#include "platform/screen/bitmaps.h"
#include "platform/screen/editors.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// ---- The symbolic rasters (16 x 16) ------------------------------------------------------

const unsigned char ok_bits[] = {0x00, 0x00, 0x00, 0x06, 0x00, 0x0E, 0x00, 0x1C, 0x00, 0x38, 0x00, 0x70,
                                 0x60, 0xE0, 0x71, 0xC0, 0x3B, 0x80, 0x1F, 0x00, 0x0E, 0x00, 0x04, 0x00,
                                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
const unsigned char break_bits[] = {0x00, 0x00, 0x60, 0x06, 0x70, 0x0E, 0x38, 0x1C, 0x1C, 0x38, 0x0E, 0x70,
                                    0x07, 0xE0, 0x03, 0xC0, 0x03, 0xC0, 0x07, 0xE0, 0x0E, 0x70, 0x1C, 0x38,
                                    0x38, 0x1C, 0x70, 0x0E, 0x60, 0x06, 0x00, 0x00};
const unsigned char help_bits[] = {0x00, 0x00, 0x07, 0xE0, 0x0F, 0xF0, 0x1C, 0x38, 0x18, 0x18, 0x00, 0x38,
                                   0x00, 0x70, 0x00, 0xE0, 0x01, 0xC0, 0x01, 0x80, 0x01, 0x80, 0x00, 0x00,
                                   0x01, 0x80, 0x01, 0x80, 0x00, 0x00, 0x00, 0x00};
const ZAV_Raster ok_raster{16, 16, 2, ok_bits};
const ZAV_Raster break_raster{16, 16, 2, break_bits};
const ZAV_Raster help_raster{16, 16, 2, help_bits};

constexpr int TITLE_BAR = 22;
constexpr int TITLE_COLOUR = 0x0A246A;
constexpr int SLIDER = 17;
constexpr int INACTIVE_TEXT = 0x808080;
constexpr int FIELD_HEIGHT = 20;
constexpr int TIP_DELAY_MS = 500;

enum Kind {
    BUTTON, HELP, FLOAT, STRING_FIELD, LOGICAL, ALTERNATIVE, STRINGLIST, CONNECTED_TEXT, TEXT, FRAME,
    ESCAPE, REGISTER, MEMBER, AREA, VSLIDER, HSLIDER
};

struct Element {
    int id = 0;
    Kind kind = BUTTON;
    int sheet = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // screen rectangle (hit box)
    int code = 0;
    int state = 1;   // activity: 1 active, 0 inactive, -1 off
    int action = 1;  // buttons: whether a click acts
    std::string text;     // label, topic, title
    std::string comment;  // tool-tip
    const ZAV_Raster* raster = nullptr;
    const ZAV_TreeView_Image* image = nullptr;
    std::string bitmap;   // a button's picture file (the text stands in while it is missing)
    bool flat = false;
    std::vector<uint32_t> snapped;
    // fields
    double* number = nullptr;
    std::string format;
    char* buffer = nullptr;
    int capacity = 0;
    int width_chars = 0;
    int* int_value = nullptr;
    int value = 0;
    std::vector<std::string> entries;
    std::vector<int> entry_colours;  // choice lists: each entry's text colour
    int font = 0x1000, colour = 0, mode = 0;
    int target = 0;  // connected text: its button; member: its register; slider: its area
    bool move_event = false;
    // register
    int selected = 0;
    int tab_bottom = 0;
    // area
    Scroll_Area_Draw_Function draw = nullptr;
    void* data = nullptr;
    int content_w = 0, content_h = 0, sx = 0, sy = 0;
    int frame_flag = 1;
    int vslider = 0, hslider = 0;
    double speed = 0.1;
};

struct Sheet {
    int id = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool framed = true;
    std::string title;
    bool active = false;
    int click_outside = 0;
    bool float_auto = false;
    int auto_next_after = 0;  // the number field to go on from (float auto mode),
    int auto_step = 1;        // forward (1) or back (-1)
    std::vector<int> elements;
    std::vector<uint32_t> under;  // the pixels under the sheet
    void (*sometimes)() = nullptr;
};

std::vector<Sheet> sheets;
std::map<int, Element> elements;
int next_id = 1;
bool no_frame_next = false;
void (*always_function)() = nullptr;
bool always_active = false;

struct Tip {
    bool shown = false;
    int x1, y1, x2, y2;
    int button = 0;
} tip;

Sheet* Top() { return sheets.empty() ? nullptr : &sheets.back(); }

Sheet* Sheet_Of(const Element& e)
{
    for (Sheet& s : sheets)
        if (s.id == e.sheet) return &s;
    return nullptr;
}

Element* Find(int id)
{
    auto it = elements.find(id);
    return it == elements.end() ? nullptr : &it->second;
}

Element& New_Element(Kind kind)
{
    Element e;
    e.id = next_id++;
    e.kind = kind;
    Sheet* top = Top();
    e.sheet = top ? top->id : 0;
    if (top) top->elements.push_back(e.id);
    return elements[e.id] = e;
}

// The element's rectangle, corners inclusive.
void Set_Box(Element& e, int x1, int y1, int x2, int y2)
{
    e.x1 = x1;
    e.y1 = y1;
    e.x2 = x2;
    e.y2 = y2;
}

bool Inside(const Element& e, int x, int y) { return x >= e.x1 && x <= e.x2 && y >= e.y1 && y <= e.y2; }

// Pixels of a rectangle, kept privately (a sheet's ground is not one of the shared saved
// rectangles, which the program's tips and pop-ups pair up themselves).
std::vector<uint32_t> Copy_Pixels(int x1, int y1, int x2, int y2) { return screen::Copy_Rectangle(x1, y1, x2, y2); }

void Put_Pixels(int x1, int y1, int x2, int y2, const std::vector<uint32_t>& pixels, int shift = 0)
{
    if (!screen::Framebuffer_Ready() || pixels.empty()) return;
    screen::Paste_Rectangle(x1, y1, x2, y2, pixels, shift);
}

using screen::Saved_Drawing;

// ---- Drawing the elements ------------------------------------------------------------

void Frame(int kind, int x1, int y1, int x2, int y2)
{
    auto box = [](int a, int b, int c, int d, int top_left, int bottom_right) {
        pxFgc(top_left);
        pxLine(a, b, c, b);
        pxLine(a, b, a, d);
        pxFgc(bottom_right);
        pxLine(a, d, c, d);
        pxLine(c, b, c, d);
    };
    switch (kind) {
    case 1:
        box(x1, y1, x2, y2, ZAV_COLOUR_LIGHT_EDGE, ZAV_COLOUR_DARK_EDGE);
        box(x1 + 1, y1 + 1, x2 - 1, y2 - 1, ZAV_COLOUR_FACE, ZAV_COLOUR_SHADOW);
        break;
    case 2:
        box(x1, y1, x2, y2, ZAV_COLOUR_LIGHT_EDGE, ZAV_COLOUR_DARK_EDGE);
        box(x1 + 1, y1 + 1, x2 - 1, y2 - 1, ZAV_COLOUR_LIGHT_EDGE, ZAV_COLOUR_SHADOW);
        break;
    case 3:
        box(x1, y1, x2, y2, ZAV_COLOUR_SHADOW, ZAV_COLOUR_LIGHT_EDGE);
        box(x1 + 1, y1 + 1, x2 - 1, y2 - 1, ZAV_COLOUR_LIGHT_EDGE, ZAV_COLOUR_SHADOW);
        break;
    default:  // 4 and others: sunken
        box(x1, y1, x2, y2, ZAV_COLOUR_SHADOW, ZAV_COLOUR_LIGHT_EDGE);
        box(x1 + 1, y1 + 1, x2 - 1, y2 - 1, ZAV_COLOUR_DARK_EDGE, ZAV_COLOUR_FACE);
        break;
    }
}

int Raster_Colour(const ZAV_Raster* r)
{
    if (r == &ok_raster) return 0x00A000;
    if (r == &break_raster) return 0xD00000;
    if (r == &help_raster) return 0x1E5AC8;
    return 0;
}

void Draw_Button(const Element& e, bool pressed)
{
    const bool usable = e.state == 1;
    if (!e.snapped.empty()) {
        Put_Pixels(e.x1, e.y1, e.x2, e.y2, e.snapped, pressed ? 1 : 0);
        if (pressed) {
            pxFgc(ZAV_COLOUR_DARK_EDGE);
            pxLine(e.x1, e.y1, e.x2, e.y1);
            pxLine(e.x1, e.y1, e.x1, e.y2);
        }
        return;
    }
    if (!e.bitmap.empty() && Load_Bitmap(e.bitmap.c_str())) {
        pxDrawTransparentDIB(e.bitmap.c_str(), e.x1, e.y1, e.x2, e.y2, 201, -1, -1, -1, -1);
        if (pressed) {
            pxFgc(ZAV_COLOUR_DARK_EDGE);
            pxLine(e.x1, e.y1, e.x2, e.y1);
            pxLine(e.x1, e.y1, e.x1, e.y2);
        }
        return;
    }
    pxFgc(ZAV_COLOUR_FACE);
    pxRect(e.x1, e.y1, e.x2, e.y2);
    if (!e.flat) Frame(pressed ? 4 : 1, e.x1, e.y1, e.x2, e.y2);
    const int shift = pressed ? 1 : 0;
    const int cx = (e.x1 + e.x2) / 2 + shift, cy = (e.y1 + e.y2) / 2 + shift;
    if (e.raster) {
        pxFgc(usable ? Raster_Colour(e.raster) : INACTIVE_TEXT);
        const int x = cx - e.raster->width / 2, y = cy - e.raster->height / 2;
        pxMask(x, y, x + e.raster->width - 1, y + e.raster->height - 1, e.raster->bits, e.raster->bytes_per_row);
    } else if (e.image) {
        Draw_TreeViewImage(e.image, cx, cy, usable ? -1 : INACTIVE_TEXT);
    }
    if (!e.text.empty() && !e.raster && !e.image) {
        Set_RFont(0x1000);
        pxFgc(usable ? 0 : INACTIVE_TEXT);
        pxBTxt(e.x1 + shift, e.y1 + shift, e.x2 + shift, e.y2 + shift, e.text.c_str(), -1, 0xD2);
    }
}

std::string Float_Text(const Element& e)
{
    if (!e.number) return {};
    char printed[128];
    std::snprintf(printed, sizeof printed, e.format.empty() ? "%g" : e.format.c_str(), *e.number);
    std::string text = printed;
    if (text.size() > 40) text.resize(40);
    return text;
}

void Draw_Field(const Element& e, const std::string& text, bool arrow, int colour = BLACK_CI)
{
    const bool usable = e.state == 1;
    pxFgc(usable ? 0xFFFFFF : ZAV_COLOUR_FACE);
    pxRect(e.x1 + 2, e.y1 + 2, e.x2 - 2, e.y2 - 2);
    Frame(4, e.x1, e.y1, e.x2, e.y2);
    int right = e.x2 - 2;
    if (arrow) {
        const int ax1 = e.x2 - 17, ay1 = e.y1 + 2, ay2 = e.y2 - 2;
        pxFgc(ZAV_COLOUR_FACE);
        pxRect(ax1, ay1, e.x2 - 2, ay2);
        Frame(1, ax1, ay1, e.x2 - 2, ay2);
        pxFgc(usable ? 0 : INACTIVE_TEXT);
        const int mx = (ax1 + e.x2 - 2) / 2, my = (ay1 + ay2) / 2;
        pxTri(mx - 4, my - 2, mx + 4, my - 2, mx, my + 2);
        right = ax1 - 1;
    }
    int view[4];
    pxQVwp(&view[0], &view[1], &view[2], &view[3]);
    pxView(std::max(e.x1 + 2, view[0]), std::max(e.y1 + 2, view[1]), std::min(right, view[2]),
           std::min(e.y2 - 2, view[3]));
    Set_RFont(0x1000);
    pxFgc(usable ? colour : INACTIVE_TEXT);
    pxText(e.x1 + 8, e.y1 + 14, text.c_str(), static_cast<int>(text.size()));
    pxView(view[0], view[1], view[2], view[3]);
}

void Draw_Check(const Element& e)
{
    const bool usable = e.state == 1;
    pxFgc(usable ? 0xFFFFFF : ZAV_COLOUR_FACE);
    pxRect(e.x1, e.y1, e.x2, e.y2);
    Frame(4, e.x1, e.y1, e.x2, e.y2);
    if (e.int_value && *e.int_value) {
        pxFgc(usable ? 0 : INACTIVE_TEXT);
        for (int k = 0; k < 2; ++k) {
            pxLine(e.x1 + 3, e.y1 + 6 + k, e.x1 + 5, e.y1 + 8 + k);
            pxLine(e.x1 + 5, e.y1 + 8 + k, e.x1 + 9, e.y1 + 4 + k);
        }
    }
}

void Draw_Radio(const Element& e)
{
    // Pixel by pixel from the pixels' centres: a polygon through rounded corners left the
    // ring ragged and cut on one side.
    const bool usable = e.state == 1;
    const bool set = e.int_value && *e.int_value == e.value;
    const double cx = (e.x1 + e.x2 + 1) / 2.0, cy = (e.y1 + e.y2 + 1) / 2.0;
    const double r = (e.x2 - e.x1 + 1) / 2.0;
    const int inside = usable ? 0xFFFFFF : ZAV_COLOUR_FACE;
    const int dot = usable ? 0 : INACTIVE_TEXT;
    for (int y = e.y1; y <= e.y2; ++y)
        for (int x = e.x1; x <= e.x2; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d > r) continue;
            pxFgc(d > r - 1.2 ? ZAV_COLOUR_SHADOW : set && d <= r - 3.5 ? dot : inside);
            pxPoint(x, y);
        }
}

void Draw_Text(const Element& e)
{
    Set_RFont(e.font);
    if (e.mode == 2) {
        pxFgc(0xFFFFFF);
        pxText(e.x1 + 1, e.y2 + 1, e.text.c_str(), -1);
    }
    const Element* button = e.kind == CONNECTED_TEXT ? Find(e.target) : nullptr;
    pxFgc(button && button->state != 1 ? INACTIVE_TEXT : e.colour);
    pxText(e.x1, e.y2, e.text.c_str(), -1);
    if (e.mode == 1 || (e.font & 0x10000)) pxText(e.x1 + 1, e.y2, e.text.c_str(), -1);
}

void Draw_Register(const Element& reg)
{
    // The pages' frame; its top line is left open under the selected tab, and a mark
    // lies at the tab's foot. What lay under the marks is kept from the first drawing,
    // so that a mark goes away when another tab is selected.
    const int top = reg.tab_bottom;
    Frame(1, reg.x1, top, reg.x2, reg.y2);
    const Sheet* sheet = Sheet_Of(reg);
    if (!sheet) return;
    for (int id : sheet->elements) {
        Element* m = Find(id);
        if (!m || m->kind != MEMBER || m->target != reg.id) continue;
        const int mx1 = m->x1 + 3, my1 = top - 3, mx2 = m->x2 - 3, my2 = top - 2;
        if (m->snapped.empty()) m->snapped = Copy_Pixels(mx1, my1, mx2, my2);
        else Put_Pixels(mx1, my1, mx2, my2, m->snapped);
        if (m->code != reg.selected) continue;
        pxFgc(ZAV_COLOUR_FACE);
        pxLine(m->x1 + 1, top, m->x2 - 1, top);
        pxLine(m->x1 + 1, top + 1, m->x2 - 1, top + 1);
        pxFgc(0xE07000);
        pxRect(mx1, my1, mx2, my2);
    }
}

void Slider_Geometry(const Element& area, bool vertical, int& x1, int& y1, int& x2, int& y2)
{
    if (vertical) {
        x1 = area.x2 + 1;
        x2 = area.x2 + SLIDER;
        y1 = area.y1;
        y2 = area.y2;
    } else {
        x1 = area.x1;
        x2 = area.x2;
        y1 = area.y2 + 1;
        y2 = area.y2 + SLIDER;
    }
}

// The thumb's start and length along the track (0 length: no thumb).
void Thumb(const Element& area, bool vertical, int track, int& start, int& length)
{
    const int visible = vertical ? area.y2 - area.y1 : area.x2 - area.x1;
    const int content = vertical ? area.content_h : area.content_w;
    const int offset = vertical ? area.sy : area.sx;
    if (content <= visible || track <= 8) {
        start = length = 0;
        return;
    }
    length = std::max(8, static_cast<int>(static_cast<long>(track) * visible / content));
    const int range = content - visible;
    start = static_cast<int>(static_cast<long>(track - length) * offset / range);
}

void Draw_Arrow_Box(int x1, int y1, int x2, int y2, int direction, bool usable)
{
    pxFgc(ZAV_COLOUR_FACE);
    pxRect(x1, y1, x2, y2);
    Frame(1, x1, y1, x2, y2);
    pxFgc(usable ? 0 : INACTIVE_TEXT);
    const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    switch (direction) {
    case 0: pxTri(cx - 4, cy + 2, cx + 4, cy + 2, cx, cy - 2); break;  // up
    case 1: pxTri(cx - 4, cy - 2, cx + 4, cy - 2, cx, cy + 2); break;  // down
    case 2: pxTri(cx + 2, cy - 4, cx + 2, cy + 4, cx - 2, cy); break;  // left
    default: pxTri(cx - 2, cy - 4, cx - 2, cy + 4, cx + 2, cy); break; // right
    }
}

void Draw_Slider(const Element& slider)
{
    const Element* area = Find(slider.target);
    if (!area) return;
    const bool vertical = slider.kind == VSLIDER;
    int x1, y1, x2, y2;
    Slider_Geometry(*area, vertical, x1, y1, x2, y2);
    const bool usable = slider.state == 1;
    pxFgc(usable ? 0xE8E6E0 : ZAV_COLOUR_FACE);
    pxRect(x1, y1, x2, y2);
    if (vertical) {
        Draw_Arrow_Box(x1, y1, x2, y1 + SLIDER - 1, 0, usable);
        Draw_Arrow_Box(x1, y2 - SLIDER + 1, x2, y2, 1, usable);
    } else {
        Draw_Arrow_Box(x1, y1, x1 + SLIDER - 1, y2, 2, usable);
        Draw_Arrow_Box(x2 - SLIDER + 1, y1, x2, y2, 3, usable);
    }
    if (!usable) return;
    const int track = (vertical ? y2 - y1 + 1 : x2 - x1 + 1) - 2 * SLIDER;
    int start, length;
    Thumb(*area, vertical, track, start, length);
    if (length == 0) return;
    const int t1 = (vertical ? y1 : x1) + SLIDER + start, t2 = t1 + length - 1;
    pxFgc(ZAV_COLOUR_FACE);
    if (vertical) {
        pxRect(x1, t1, x2, t2);
        Frame(1, x1, t1, x2, t2);
    } else {
        pxRect(t1, y1, t2, y2);
        Frame(1, t1, y1, t2, y2);
    }
}

void Paint_Area(Element& area)
{
    if (area.state != 1 || !area.draw) return;
    const int colour = pxQFgc(), font = Get_RFont();
    int view[4];
    pxQVwp(&view[0], &view[1], &view[2], &view[3]);
    area.draw(0, area.sx, area.sy, area.x1, area.y1, area.x2, area.y2, area.data);
    pxFgc(colour);
    pxView(view[0], view[1], view[2], view[3]);
    Set_RFont(font);
}

// Element drawing stays inside its sheet.
void Sheet_View(const Element& e)
{
    if (const Sheet* s = Sheet_Of(e)) pxView(s->x1, s->y1, s->x2, s->y2);
    else pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
}

void Draw_Element(Element& e, bool paint_areas)
{
    Saved_Drawing saved;
    Sheet_View(e);
    switch (e.kind) {
    case BUTTON:
    case HELP: Draw_Button(e, false); break;
    case FLOAT: Draw_Field(e, Float_Text(e), false); break;
    case STRING_FIELD: {
        const std::string text = e.buffer ? std::string(e.buffer) : std::string();
        Draw_Field(e, text, false);
        break;
    }
    case STRINGLIST: {
        const int i = e.int_value ? *e.int_value : -1;
        if (i >= 0 && i < static_cast<int>(e.entries.size()))
            Draw_Field(e, e.entries[i], true, e.entry_colours[i]);
        else
            Draw_Field(e, std::string(), true);
        break;
    }
    case LOGICAL: Draw_Check(e); break;
    case ALTERNATIVE: Draw_Radio(e); break;
    case CONNECTED_TEXT:
    case TEXT: Draw_Text(e); break;
    case FRAME: Frame(e.mode, e.x1, e.y1, e.x2, e.y2); break;
    case REGISTER: Draw_Register(e); break;
    case VSLIDER:
    case HSLIDER: Draw_Slider(e); break;
    case AREA:
        if (paint_areas) Paint_Area(e);
        break;
    case MEMBER:
    case ESCAPE: break;
    }
}

bool Drawn(const Element& e)
{
    const Sheet* s = Sheet_Of(e);
    return s && s->active && screen::Framebuffer_Ready();
}

void Redraw(Element& e)
{
    if (Drawn(e)) Draw_Element(e, false);
}

// ---- Tips -----------------------------------------------------------------------------------

void Hide_Tip()
{
    if (!tip.shown) return;
    Restore_Screen_Rectangle(tip.x1, tip.y1, tip.x2, tip.y2);
    tip.shown = false;
    tip.button = 0;
}

void Show_Tip(const Element& button, int x, int y)
{
    Hide_Tip();
    Saved_Drawing saved;
    Set_RFont(0x1000);
    const int w = Get_Text_Width_Px(button.comment.c_str()) + 10, h = RFONT_HEIGHT + 5;
    int x1 = x, y1 = y + 20;
    if (x1 + w >= NPIXEL_X - 8) x1 = NPIXEL_X - 9 - w;
    if (y1 + h >= NPIXEL_Y - 8) y1 = NPIXEL_Y - 9 - h;
    tip = {true, x1, y1, x1 + w, y1 + h, button.id};
    Save_Screen_Rectangle(tip.x1, tip.y1, tip.x2, tip.y2);
    pxFgc(0xFFFFE1);
    pxRect(tip.x1, tip.y1, tip.x2, tip.y2);
    pxFgc(0);
    pxLine(tip.x1, tip.y1, tip.x2, tip.y1);
    pxLine(tip.x1, tip.y2, tip.x2, tip.y2);
    pxLine(tip.x1, tip.y1, tip.x1, tip.y2);
    pxLine(tip.x2, tip.y1, tip.x2, tip.y2);
    pxText(tip.x1 + 5, tip.y1 + RFONT_HEIGHT, button.comment.c_str(), -1);
}

// ---- Hit tests and actions --------------------------------------------------------------------

bool Clickable(const Element& e)
{
    if (e.state != 1) return false;
    switch (e.kind) {
    case BUTTON:
    case HELP: return e.action != 0;
    case CONNECTED_TEXT: {
        const Element* b = Find(e.target);
        return b && b->state == 1 && b->action != 0;
    }
    case FLOAT:
    case STRING_FIELD:
    case STRINGLIST:
    case LOGICAL:
    case ALTERNATIVE:
    case MEMBER:
    case VSLIDER:
    case HSLIDER: return true;
    default: return false;
    }
}

bool Slider_Hit(const Element& s, int x, int y)
{
    const Element* area = Find(s.target);
    if (!area) return false;
    int x1, y1, x2, y2;
    Slider_Geometry(*area, s.kind == VSLIDER, x1, y1, x2, y2);
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

// The element under the point: fields, buttons, sliders first, then escape areas, then
// scrollable areas (later elements lie over earlier ones).
Element* Hit(const Sheet& s, int x, int y)
{
    for (int pass = 0; pass < 3; ++pass)
        for (auto it = s.elements.rbegin(); it != s.elements.rend(); ++it) {
            Element* e = Find(*it);
            if (!e) continue;
            if (pass == 0 && Clickable(*e) && e->kind != VSLIDER && e->kind != HSLIDER && Inside(*e, x, y)) return e;
            if (pass == 0 && Clickable(*e) && (e->kind == VSLIDER || e->kind == HSLIDER) && Slider_Hit(*e, x, y)) return e;
            if (pass == 1 && e->kind == ESCAPE && e->state == 1 && Inside(*e, x, y)) return e;
            if (pass == 2 && e->kind == AREA && e->state == 1 && Inside(*e, x, y)) return e;
        }
    return nullptr;
}

Element* Area_Under(const Sheet& s, int x, int y)
{
    for (auto it = s.elements.rbegin(); it != s.elements.rend(); ++it) {
        Element* e = Find(*it);
        if (!e || e->kind != AREA || e->state != 1) continue;
        int x2 = e->x2, y2 = e->y2;
        if (e->vslider) x2 += SLIDER;
        if (e->hslider) y2 += SLIDER;
        if (x >= e->x1 && x <= x2 && y >= e->y1 && y <= y2) return e;
    }
    return nullptr;
}

void Clamp_Offsets(Element& a)
{
    a.sx = std::clamp(a.sx, 0, std::max(0, a.content_w - (a.x2 - a.x1)));
    a.sy = std::clamp(a.sy, 0, std::max(0, a.content_h - (a.y2 - a.y1)));
}

void Redraw_Sliders(const Element& area)
{
    for (int id : {area.vslider, area.hslider})
        if (Element* s = Find(id)) Redraw(*s);
}

// Scrolls the area (of the top sheet) and repaints it through its draw function.
void Scroll_Area_By(Element& area, int dx, int dy)
{
    const int sx = area.sx, sy = area.sy;
    area.sx += dx;
    area.sy += dy;
    Clamp_Offsets(area);
    if (area.sx == sx && area.sy == sy) return;
    if (Drawn(area)) {
        Paint_Area(area);
        Redraw_Sliders(area);
    }
}

void Wheel(Element& area, int steps)
{
    const Element* v = Find(area.vslider);
    if (!v || v->state != 1) return;
    const int step = std::max(1, static_cast<int>(std::lround(v->speed * (area.y2 - area.y1))));
    Scroll_Area_By(area, 0, -steps * step);
}

void Wait_Release()
{
    while (M_LEFT) {
        if (!screen::Current_Backend()) {
            M_LEFT = 0;
            break;
        }
        Get_Mouse_Event();
    }
}

// Tracks a pressed button; true when it was released on it.
bool Track_Button(Element& b)
{
    bool in = true;
    Draw_Element(b, false);
    {
        Saved_Drawing saved;
        Draw_Button(b, true);
    }
    ZAV_Message m;
    InitZAVMessage(&m);
    for (;;) {
        const int kind = GetZAVMessage(ZAV_MSG_LEFT_UP | ZAV_MSG_MOVE, &m);
        if (kind == 0) return false;
        const bool now_in = Inside(b, m.x, m.y);
        if (now_in != in) {
            Saved_Drawing saved;
            Draw_Button(b, now_in);
            in = now_in;
        }
        if (kind == ZAV_MSG_LEFT_UP) break;
    }
    Redraw(b);
    return in;
}

void Drag_Slider(Element& slider, int x, int y)
{
    Element* area = Find(slider.target);
    if (!area) return;
    const bool vertical = slider.kind == VSLIDER;
    int x1, y1, x2, y2;
    Slider_Geometry(*area, vertical, x1, y1, x2, y2);
    const int pos = vertical ? y : x, lo = vertical ? y1 : x1, hi = vertical ? y2 : x2;
    const int visible = vertical ? area->y2 - area->y1 : area->x2 - area->x1;
    const int step = std::max(1, static_cast<int>(std::lround(slider.speed * visible)));
    auto scroll = [&](int d) { Scroll_Area_By(*area, vertical ? 0 : d, vertical ? d : 0); };
    const int track = hi - lo + 1 - 2 * SLIDER;
    int start, length;
    Thumb(*area, vertical, track, start, length);
    const int t1 = lo + SLIDER + start, t2 = t1 + length - 1;
    if (pos < lo + SLIDER || pos > hi - SLIDER || length == 0) {
        // An arrow: one step now, then one every 100 ms while the button is held.
        const int d = pos < lo + SLIDER ? -step : step;
        if (pos >= lo + SLIDER && pos <= hi - SLIDER) return;
        scroll(d);
        ZAV_Message m;
        InitZAVMessage(&m);
        m.idle_ms = 100;
        while (GetZAVMessage(ZAV_MSG_LEFT_UP | ZAV_MSG_TICK, &m) == ZAV_MSG_TICK) scroll(d);
        return;
    }
    if (pos < t1 || pos > t2) {  // the track: a page
        scroll(pos < t1 ? -visible : visible);
        Wait_Release();
        return;
    }
    // The thumb: follows the pointer.
    const int grab = pos - t1;
    const int range = (vertical ? area->content_h : area->content_w) - visible;
    ZAV_Message m;
    InitZAVMessage(&m);
    for (;;) {
        const int kind = GetZAVMessage(ZAV_MSG_LEFT_UP | ZAV_MSG_MOVE, &m);
        if (kind != ZAV_MSG_MOVE) break;
        const int p = (vertical ? m.y : m.x) - lo - SLIDER - grab;
        const int offset = track > length ? static_cast<int>(static_cast<long>(p) * range / (track - length)) : 0;
        scroll(offset - (vertical ? area->sy : area->sx));
    }
}

// The list of a choice field, opened below it (above when there is no room): a click on
// an entry or Enter takes it; Esc or a click outside leaves the index as it was.
// Returns whether the index changed.
bool Choose_From_List(Element& list)
{
    const int n = static_cast<int>(list.entries.size());
    if (n == 0 || !list.int_value || !screen::Current_Backend()) return false;
    constexpr int ROW = 16;
    Saved_Drawing saved;
    Set_RFont(0x1000);
    const int x1 = list.x1, x2 = list.x2;
    int rows = std::min(n, std::max(1, (NPIXEL_Y - 8) / ROW - 1));
    int y1 = list.y2 + 1;
    if (y1 + rows * ROW + 3 > NPIXEL_Y - 1) y1 = std::max(0, list.y1 - rows * ROW - 4);
    const int y2 = y1 + rows * ROW + 3;
    int first = std::clamp(*list.int_value - rows / 2, 0, n - rows);
    int current = std::clamp(*list.int_value, 0, n - 1);
    Save_Screen_Rectangle(x1, y1, x2, y2);
    auto paint = [&] {
        const int state = pxBuff(-1);
        screen::Draw_White_Box(x1, y1, x2, y2);
        pxView(x1 + 1, y1 + 1, x2 - 1, y2 - 1);
        for (int r = 0; r < rows; ++r) {
            const int i = first + r, top = y1 + 2 + r * ROW;
            if (i == current) {
                pxFgc(0x316AC5);
                pxRect(x1 + 2, top, x2 - 2, top + ROW - 1);
            }
            pxFgc(i == current ? 0xFFFFFF : list.entry_colours[i]);
            pxText(x1 + 6, top + 12, list.entries[i].c_str(), -1);
        }
        pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        pxBuff(state);
    };
    ZAV_Message m;
    InitZAVMessage(&m);
    int taken = -1;
    Wait_Release();
    for (;;) {
        paint();
        const int kind =
            GetZAVMessage(ZAV_MSG_MOVE | ZAV_MSG_LEFT_DOWN | ZAV_MSG_KEY | ZAV_MSG_WHEEL | ZAV_MSG_SHEET, &m);
        if (kind == 0) break;
        if (kind == ZAV_MSG_SHEET) {
            // The frame's close request is asked about while the list is open.
            Serve_Close_Request();
            continue;
        }
        const bool inside = m.x > x1 && m.x < x2 && m.y > y1 + 1 && m.y < y1 + 2 + rows * ROW;
        const int row = inside ? first + (m.y - y1 - 2) / ROW : -1;
        if (kind == ZAV_MSG_MOVE) {
            if (inside) current = row;
        } else if (kind == ZAV_MSG_WHEEL) {
            first = std::clamp(first - m.wheel, 0, n - rows);
            M_SCROLL = 0;
        } else if (kind == ZAV_MSG_LEFT_DOWN) {
            // A press beside the list closes it and still acts where it landed, unless
            // it is on the list's own field.
            const bool on_field = list.x1 <= m.x && m.x <= list.x2 && list.y1 <= m.y && m.y <= list.y2;
            if (inside) taken = row;
            if (inside || on_field) Wait_Release();
            else Repeat_Left_Press();
            break;
        } else {
            const int key = getkey();
            if (key == 27) break;
            if (key == 13) {
                taken = current;
                break;
            }
            if (key == ZAV_KEY_DOWN) current = std::min(n - 1, current + 1);
            if (key == ZAV_KEY_UP) current = std::max(0, current - 1);
            if (current < first) first = current;
            if (current >= first + rows) first = current - rows + 1;
        }
    }
    Restore_Screen_Rectangle(x1, y1, x2, y2);
    if (taken < 0 || taken == *list.int_value) return false;
    *list.int_value = taken;
    return true;
}

} // namespace

const ZAV_Raster* SYMBOLIC_OK_RASTER = &ok_raster;
const ZAV_Raster* SYMBOLIC_BREAK_RASTER = &break_raster;
const ZAV_Raster* SYMBOLIC_HELP_RASTER = &help_raster;
int CHBOX_BUTTON_LAYOUT = 1;
int RADIO_BUTTON_LAYOUT = 2;

// ---- Sheets ---------------------------------------------------------------------------------

void Set_NoFrameFlag_to_Next_PropSheet() { no_frame_next = true; }

int Define_Prop_Sheet(int x1, int y1, int x2, int y2, int frame, int /*moveable*/, const char* title, int /*number*/,
                      int /*flags*/)
{
    Hide_Tip();
    Sheet s;
    s.id = next_id++;
    s.x1 = std::min(x1, x2);
    s.y1 = std::min(y1, y2);
    s.x2 = std::max(x1, x2);
    s.y2 = std::max(y1, y2);
    s.framed = frame != 0 && !no_frame_next;
    no_frame_next = false;
    s.title = title ? title : "";
    if (screen::Framebuffer_Ready()) s.under = Copy_Pixels(s.x1, s.y1, s.x2, s.y2);
    sheets.push_back(std::move(s));
    return sheets.back().id;
}

void Activate_Prop_Sheet()
{
    Sheet* s = Top();
    if (!s) return;
    s->active = true;
    if (!screen::Framebuffer_Ready()) return;
    const int state = pxBuff(-1);
    {
        Saved_Drawing saved;
        if (s->framed) {
            pxFgc(ZAV_COLOUR_FACE);
            pxRect(s->x1, s->y1, s->x2, s->y2);
            Frame(2, s->x1, s->y1, s->x2, s->y2);
            pxFgc(TITLE_COLOUR);
            pxRect(s->x1 + 3, s->y1 + 3, s->x2 - 3, s->y1 + TITLE_BAR);
            Set_RFont(0x1000);
            pxFgc(0xFFFFFF);
            pxBTxt(s->x1 + 8, s->y1 + 3, s->x2 - 8, s->y1 + TITLE_BAR, s->title.c_str(), -1, 0xC0 | 0x10 | 0x01);
            pxBTxt(s->x1 + 9, s->y1 + 3, s->x2 - 7, s->y1 + TITLE_BAR, s->title.c_str(), -1, 0xC0 | 0x10 | 0x01);
        }
    }
    const std::vector<int> ids = s->elements;
    for (int id : ids)
        if (Element* e = Find(id)) Draw_Element(*e, true);
    pxBuff(state);
}

void Undefine_Prop_Sheet()
{
    Sheet* s = Top();
    if (!s) return;
    Hide_Tip();
    if (screen::Framebuffer_Ready()) {
        Put_Pixels(s->x1, s->y1, s->x2, s->y2, s->under);
        pxFlsh();
    }
    for (int id : s->elements) elements.erase(id);
    sheets.pop_back();
}

void Check_Prop_Sheet_Frames(int* x1, int* y1, int* x2, int* y2)
{
    if (!x1 || !y1 || !x2 || !y2) return;
    const Screen_State& st = Get_Screen_State();
    int bx1 = st.sheet_base[0], by1 = st.sheet_base[1], bx2 = st.sheet_base[2], by2 = st.sheet_base[3];
    if (bx2 <= bx1 || by2 <= by1) {
        bx1 = by1 = 0;
        bx2 = NPIXEL_X - 1;
        by2 = NPIXEL_Y - 1;
    }
    auto fit = [](int& a, int& b, int lo, int hi) {
        if (a > b) std::swap(a, b);
        if (b - a > hi - lo) {  // too large: as large as the base
            a = lo;
            b = hi;
            return;
        }
        if (a < lo) {
            b += lo - a;
            a = lo;
        }
        if (b > hi) {
            a -= b - hi;
            b = hi;
        }
    };
    fit(*x1, *x2, bx1, bx2);
    fit(*y1, *y2, by1, by2);
}

void Prop_Sheet_Displacement(int* dx, int* dy)
{
    if (dx) *dx = 0;
    if (dy) *dy = 0;
}

void Inquire_Prop_Sheet_Displacement(int* dx, int* dy) { Prop_Sheet_Displacement(dx, dy); }

void Sheet_Centre::Ensure()
{
    if (known) return;
    known = true;
    x = NPIXEL_X / 2;
    y = NPIXEL_Y / 2;
}

void Sheet_Centre::Remember(int x1, int y1, int x2, int y2)
{
    int dx = 0, dy = 0;
    Prop_Sheet_Displacement(&dx, &dy);
    x = (x1 + x2) / 2 + dx;
    y = (y1 + y2) / 2 + dy;
}

void Sheet_Centre::Follow_Move()
{
    int dx = 0, dy = 0;
    Prop_Sheet_Displacement(&dx, &dy);
    x += dx;
    y += dy;
}

void Set_ClickOutsideEvent_to_PS(int code)
{
    if (Sheet* s = Top()) s->click_outside = code;
}

void Set_Prop_Sheet_Edit_Float_Auto_Mode()
{
    if (Sheet* s = Top()) s->float_auto = true;
}

void Define_Call_Allways_Function(void (*function)()) { always_function = function; }
void Activate_Call_Allways_Function(int on) { always_active = on != 0; }

void Set_CallSometimesFunc_to_PS(void (*function)())
{
    if (Sheet* s = Top()) s->sometimes = function;
}

namespace {

// Edits a number or text field in place; 1 when the editor asked to go on (Tab, Enter),
// -1 to go back (Shift+Tab), else 0.
int Edit_Field(Element& e)
{
    Wait_Release();
    int go_on = 0;
    {
        Saved_Drawing saved;
        Set_RFont(0x1000);
        if (e.kind == FLOAT) {
            go_on = Short_Edit_Float(e.x1, e.y1, e.format.empty() ? "%g" : e.format.c_str(), e.number);
        } else {
            if (e.capacity > e.width_chars) Set_Short_Edit_Text_Scrollmode(e.capacity);
            go_on = Short_Edit_Text(e.x1, e.y1, e.buffer, std::min(e.width_chars, e.capacity), 0);
        }
    }
    Redraw(e);
    return go_on;
}

// The number field after the given one on the sheet (step 1), or before it (step -1);
// null when there is none.
Element* Neighbour_Float(const Sheet& s, int from, int step)
{
    Element* before = nullptr;
    bool seen = false;
    for (int id : s.elements) {
        Element* e = Find(id);
        if (!e) continue;
        if (id == from) {
            if (step < 0) return before;
            seen = true;
        } else if (e->kind == FLOAT && e->state == 1) {
            if (seen) return e;
            before = e;
        }
    }
    return nullptr;
}

// Remembers where the auto mode goes on from after an edit of the field.
void Note_Auto_Step(Sheet& s, const Element& e, int step)
{
    if (step == 0 || e.kind != FLOAT || !s.float_auto) return;
    s.auto_next_after = e.id;
    s.auto_step = step;
}

Element* Button_With_Raster(const Sheet& s, const ZAV_Raster* raster)
{
    for (int id : s.elements) {
        Element* e = Find(id);
        if (e && (e->kind == BUTTON || e->kind == HELP) && e->raster == raster && Clickable(*e)) return e;
    }
    return nullptr;
}

// Acts on a press at (x, y); true with the code in *code when Edit_Prop_Sheet returns.
bool Press(Sheet& s, int x, int y, int* code)
{
    Element* e = Hit(s, x, y);
    if (!e) {
        if (s.click_outside && (x < s.x1 || x > s.x2 || y < s.y1 || y > s.y2)) {
            *code = s.click_outside;
            return true;
        }
        return false;
    }
    Element* target = e;
    if (e->kind == CONNECTED_TEXT) target = Find(e->target);
    if (!target) return false;
    switch (target->kind) {
    case BUTTON:
        if (!Track_Button(*target)) return false;
        *code = target->code;
        return true;
    case HELP:
        if (Track_Button(*target)) Helpview(target->text.c_str());
        return false;
    case FLOAT:
    case STRING_FIELD:
        Note_Auto_Step(s, *target, Edit_Field(*target));
        *code = target->code;
        return true;
    case LOGICAL:
        if (target->int_value) *target->int_value = *target->int_value ? 0 : 1;
        Redraw(*target);
        Wait_Release();
        *code = target->code;
        return true;
    case ALTERNATIVE:
        if (target->int_value) *target->int_value = target->value;
        for (int id : s.elements)
            if (Element* other = Find(id); other && other->kind == ALTERNATIVE && other->int_value == target->int_value)
                Redraw(*other);
        Wait_Release();
        *code = target->code;
        return true;
    case STRINGLIST:
        Choose_From_List(*target);
        Redraw(*target);
        *code = target->code;
        return true;
    case MEMBER:
        if (Element* reg = Find(target->target)) {
            reg->selected = target->code;
            Redraw(*reg);
        }
        *code = target->code;
        return true;
    case VSLIDER:
    case HSLIDER:
        Drag_Slider(*target, x, y);
        return false;
    case ESCAPE:
    case AREA:
        *code = target->code;
        return true;
    default:
        return false;
    }
}

} // namespace

int Edit_Prop_Sheet()
{
    Sheet* top = Top();
    if (!top || !screen::Current_Backend()) return 0;
    const int sheet_id = top->id;
    auto sheet = [&]() -> Sheet* {
        for (Sheet& s : sheets)
            if (s.id == sheet_id) return &s;
        return nullptr;
    };
    // A wheel step that a wait of the program took in is carried out here.
    if (M_SCROLL != 0) {
        int px, py;
        msStat(&px, &py);
        if (Element* area = Area_Under(*top, px, py)) Wheel(*area, M_SCROLL);
        M_SCROLL = 0;
    }
    // Number fields in a row (auto mode).
    if (top->auto_next_after) {
        Element* next = Neighbour_Float(*top, top->auto_next_after, top->auto_step);
        top->auto_next_after = 0;
        if (next) {
            const int step = Edit_Field(*next);
            if (Sheet* now = sheet()) Note_Auto_Step(*now, *next, step);
            return next->code;
        }
    }
    ZAV_Message m;
    InitZAVMessage(&m);
    for (;;) {
        Sheet* s = sheet();
        if (!s) return 0;
        if (getkeymask()) {
            Hide_Tip();
            Serve_Close_Request();
            continue;
        }
        bool with_tips = false;
        for (int id : s->elements)
            if (const Element* e = Find(id); e && !e->comment.empty()) with_tips = true;
        int mask = ZAV_MSG_LEFT_DOWN | ZAV_MSG_MOVE | ZAV_MSG_WHEEL | ZAV_MSG_KEY | ZAV_MSG_SHEET;
        if (with_tips || s->sometimes) mask |= ZAV_MSG_TICK;
        m.idle_ms = with_tips && !tip.shown ? TIP_DELAY_MS : 100;
        const int kind = GetZAVMessage(mask, &m);
        if (always_active && always_function) always_function();
        s = sheet();
        if (!s) return 0;
        switch (kind) {
        case ZAV_MSG_TICK: {
            if (s->sometimes) s->sometimes();
            if (with_tips && !tip.shown)
                for (int id : s->elements)
                    if (const Element* e = Find(id); e && !e->comment.empty() && Inside(*e, m.x, m.y)) {
                        Show_Tip(*e, m.x, m.y);
                        break;
                    }
            break;
        }
        case ZAV_MSG_MOVE:
            if (tip.shown) {
                const Element* b = Find(tip.button);
                if (!b || !Inside(*b, m.x, m.y)) Hide_Tip();
            }
            for (auto it = s->elements.rbegin(); it != s->elements.rend(); ++it) {
                const Element* e = Find(*it);
                if (e && e->kind == ESCAPE && e->state == 1 && e->move_event && Inside(*e, m.x, m.y)) {
                    Hide_Tip();
                    return e->code;
                }
            }
            break;
        case ZAV_MSG_WHEEL:
            Hide_Tip();
            if (Element* area = Area_Under(*s, m.x, m.y)) Wheel(*area, m.wheel);
            M_SCROLL = 0;
            break;
        case ZAV_MSG_KEY: {
            Hide_Tip();
            const int key = getkey();
            const ZAV_Raster* raster = key == 27 ? &break_raster : key == 13 ? &ok_raster
                                                                             : key == ZAV_KEY_F1 ? &help_raster : nullptr;
            Element* b = raster ? Button_With_Raster(*s, raster) : nullptr;
            if (b && b->kind == HELP) Helpview(b->text.c_str());
            else if (b) return b->code;
            break;
        }
        case ZAV_MSG_LEFT_DOWN: {
            Hide_Tip();
            int code = 0;
            if (Press(*s, m.x, m.y, &code)) return code;
            break;
        }
        case 0:
            return 0;
        default:
            break;
        }
    }
}

// ---- Elements ------------------------------------------------------------------------------

int Add_Single_Button_to_PS(int x, int y, int /*kind*/, int code, const char* text, const void* image, int image_kind)
{
    Element& e = New_Element(BUTTON);
    e.code = code;
    e.text = text ? text : "";
    int w = 40, h = 22;
    if (image && image_kind == 2) {
        e.bitmap = static_cast<const char*>(image);
        if (const Screen_Image* picture = Load_Bitmap(e.bitmap.c_str())) {
            w = picture->width;
            h = picture->height;
        } else {
            w = std::max(22, Get_Text_Width_In_Font(e.text.c_str(), 0x1000) + 16);
        }
    } else if (image && image_kind == 1) {
        e.image = static_cast<const ZAV_TreeView_Image*>(image);
        w = e.image->width + 10;
        h = e.image->height + 8;
    } else if (image) {
        e.raster = static_cast<const ZAV_Raster*>(image);
        w = e.raster->width + 10;
        h = e.raster->height + 8;
    } else {
        w = std::max(40, Get_Text_Width_In_Font(e.text.c_str(), 0x1000) + 16);
    }
    Set_Box(e, x, y, x + w - 1, y + h - 1);
    Redraw(e);
    return e.id;
}

int Add_Help_to_PS(int x, int y, const char* topic)
{
    const int id = Add_Single_Button_to_PS(x, y, 1, 0, nullptr, &help_raster, 0);
    Element& e = *Find(id);
    e.kind = HELP;
    e.text = topic ? topic : "";
    e.comment = "Hilfe";
    return id;
}

int Add_Float_to_PS(int x, int y, int width_chars, const char* format, double* value, int code)
{
    Element& e = New_Element(FLOAT);
    e.number = value;
    e.format = format ? format : "%g";
    e.code = code;
    e.width_chars = std::max(1, width_chars);
    const int w = std::max(e.width_chars * 7, Get_Text_Width_In_Font(Float_Text(e).c_str(), 0x1000)) + 16;
    Set_Box(e, x, y, x + w, y + FIELD_HEIGHT - 1);
    Redraw(e);
    return e.id;
}

int Add_String_to_PS(int x, int y, int width_chars, char* buffer, int capacity, int code)
{
    Element& e = New_Element(STRING_FIELD);
    e.buffer = buffer;
    e.capacity = std::max(1, capacity);
    e.width_chars = std::max(1, width_chars);
    e.code = code;
    Set_Box(e, x, y, x + e.width_chars * (Get_Text_Width_In_Font("X", 0x1000) + 1) + 16, y + FIELD_HEIGHT - 1);
    Redraw(e);
    return e.id;
}

int Add_Logical_Button_to_PS(int x, int y, int code, int* value, int /*layout*/)
{
    Element& e = New_Element(LOGICAL);
    e.int_value = value;
    e.code = code;
    Set_Box(e, x, y, x + 12, y + 12);
    Redraw(e);
    return e.id;
}

int Add_Alternativ_Button_to_PS(int x, int y, int /*group*/, int code, int /*state*/, int value, int /*flags*/,
                                int /*layout*/, int* target)
{
    Element& e = New_Element(ALTERNATIVE);
    e.int_value = target;
    e.value = value;
    e.code = code;
    Set_Box(e, x, y, x + 11, y + 11);
    Redraw(e);
    return e.id;
}

int Add_Stringlist_to_PS(int x, int y, int width_chars, int count, int* index, int code)
{
    Element& e = New_Element(STRINGLIST);
    e.entries.assign(static_cast<size_t>(std::max(0, count)), std::string());
    e.entry_colours.assign(e.entries.size(), BLACK_CI);
    e.int_value = index;
    e.code = code;
    e.width_chars = std::max(1, width_chars);
    Set_Box(e, x, y, x + e.width_chars * 7 + 16 + SLIDER, y + FIELD_HEIGHT - 1);
    if (index && (*index < 0 || *index >= count)) *index = 0;
    Redraw(e);
    return e.id;
}

void Fill_Stringlist_of_PS(int list, int entry, const char* text, int colour)
{
    Element* e = Find(list);
    if (!e || e->kind != STRINGLIST || entry < 0 || entry >= static_cast<int>(e->entries.size())) return;
    e->entries[static_cast<size_t>(entry)] = text ? text : "";
    e->entry_colours[static_cast<size_t>(entry)] = colour;
    Redraw(*e);
}

int Add_Aligned_Connected_Text_to_Button_of_PS(int button, const char* text, int font, int colour, int alignment)
{
    const Element* b = Find(button);
    if (!b) return 0;
    const int bx1 = b->x1, bx2 = b->x2, by1 = b->y1, by2 = b->y2, bid = b->id;
    Element& e = New_Element(CONNECTED_TEXT);
    e.text = text ? text : "";
    e.font = font;
    e.colour = colour;
    e.target = bid;
    const int w = Get_Text_Width_In_Font(e.text.c_str(), font);
    const int base = (by1 + by2) / 2 + 4;
    e.x1 = alignment == 1 ? bx1 - 6 - w : bx2 + 6;
    e.x2 = e.x1 + w;
    e.y1 = base - Font_Line_Height(font);
    e.y2 = base;
    Redraw(e);
    return e.id;
}

namespace {
// Texts and frames given while the top sheet is being built are drawn when it is
// activated; otherwise (an active sheet, or none) they are drawn at once.
bool Record_For_Activation()
{
    const Sheet* s = Top();
    return s && !s->active;
}

// Adds a copy of the element to the top sheet, to be drawn with it.
void Keep_Element(const Element& e)
{
    Element& kept = New_Element(e.kind);
    const int id = kept.id, sheet = kept.sheet;
    kept = e;
    kept.id = id;
    kept.sheet = sheet;
}
} // namespace

void Draw_Funny_Text_to_PS(int x, int y, const char* text, int font, int colour, int mode)
{
    Element e;
    e.kind = TEXT;
    e.text = text ? text : "";
    e.font = font;
    e.colour = colour;
    e.mode = mode;
    e.x1 = x;
    e.x2 = x + Get_Text_Width_In_Font(e.text.c_str(), font);
    e.y2 = y;
    e.y1 = y - Font_Line_Height(font);
    if (Record_For_Activation()) {
        Keep_Element(e);
    } else if (screen::Framebuffer_Ready()) {
        // Drawn at once within the caller's viewport (a draw function's clip, say).
        const int colour = pxQFgc(), mode = pxQBop(), current_font = Get_RFont();
        pxSBop(0);
        Draw_Text(e);
        pxFgc(colour);
        pxSBop(mode);
        Set_RFont(current_font);
    }
}

void Draw_Funny_Area_to_PS(int kind, int x1, int y1, int x2, int y2, int /*flag*/)
{
    Element e;
    e.kind = FRAME;
    e.mode = kind;
    Set_Box(e, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (Record_For_Activation()) {
        Keep_Element(e);
    } else if (screen::Framebuffer_Ready()) {
        const int colour = pxQFgc(), mode = pxQBop();
        pxSBop(0);
        Frame(kind, e.x1, e.y1, e.x2, e.y2);
        pxFgc(colour);
        pxSBop(mode);
    }
}

int Add_Escape_Area_to_PS(int x1, int y1, int x2, int y2, int state, int code)
{
    Element& e = New_Element(ESCAPE);
    Set_Box(e, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    e.state = state ? 1 : 0;
    e.code = code;
    return e.id;
}

void Set_Escape_Area_to_MouseMoveEvent(int area, int on)
{
    if (Element* e = Find(area); e && e->kind == ESCAPE) e->move_event = on != 0;
}

int Add_Register_to_PS(int x1, int y1, int x2, int y2, int tab_bottom)
{
    Element& e = New_Element(REGISTER);
    Set_Box(e, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    e.tab_bottom = std::clamp(tab_bottom, e.y1, e.y2);
    Redraw(e);
    return e.id;
}

int Add_Member_to_Register(int reg, int x0, int x1, int state, int id)
{
    const Element* r = Find(reg);
    if (!r || r->kind != REGISTER) return 0;
    const int top = r->y1, bottom = r->tab_bottom, rid = r->id;
    Element& e = New_Element(MEMBER);
    e.target = rid;
    e.x1 = std::min(x0, x1);
    e.x2 = std::max(x0, x1);
    e.y1 = top;
    e.y2 = bottom;
    e.state = state;
    e.code = id;
    return e.id;
}

void Set_Selected_Register_Member(int reg, int id)
{
    Element* r = Find(reg);
    if (!r || r->kind != REGISTER) return;
    r->selected = id;
    Redraw(*r);
}

void Change_Activity_PS(int element, int state)
{
    Element* e = Find(element);
    if (!e) return;
    e->state = state;
    if (!Drawn(*e)) return;
    if (e->kind == AREA) {
        if (state == 1) Paint_Area(*e);
        return;
    }
    if (e->kind == REGISTER || e->kind == MEMBER || e->kind == ESCAPE) return;
    Draw_Element(*e, false);
    for (auto& [id, other] : elements)
        if (other.kind == CONNECTED_TEXT && other.target == e->id) Draw_Element(other, false);
}

void Change_Action_State_PS(int button, int state)
{
    if (Element* e = Find(button); e && (e->kind == BUTTON || e->kind == HELP)) e->action = state;
}

void Set_Comment_to_Button_PS(int button, const char* text)
{
    if (Element* e = Find(button)) e->comment = text ? text : "";
}

void Reset_Button_Frame(int button)
{
    if (Element* e = Find(button); e && (e->kind == BUTTON || e->kind == HELP)) {
        e->flat = true;
        Redraw(*e);
    }
}

void Snap_Colored_Layout_of_Single_Button(int button)
{
    Element* e = Find(button);
    if (!e || (e->kind != BUTTON && e->kind != HELP) || !screen::Framebuffer_Ready()) return;
    e->snapped = Copy_Pixels(e->x1, e->y1, e->x2, e->y2);
}

void Move_Mouse_Cursor_to_Button_of_PS(int button, int dx, int dy)
{
    if (const Element* e = Find(button)) msStCu((e->x1 + e->x2) / 2 + dx, (e->y1 + e->y2) / 2 + dy);
}

// ---- Scrollable areas --------------------------------------------------------------------

int Add_Scrollable_Area_to_PS(int x1, int y1, int x2, int y2, int frame, int, int, int,
                              Scroll_Area_Draw_Function draw, void* data, int code)
{
    Element& e = New_Element(AREA);
    Set_Box(e, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    e.frame_flag = frame;
    e.draw = draw;
    e.data = data;
    e.code = code;
    return e.id;
}

namespace {
int Add_Slider(int area, Kind kind)
{
    Element* a = Find(area);
    if (!a || a->kind != AREA) return 0;
    const int aid = a->id;
    Element& s = New_Element(kind);
    s.target = aid;
    Element* owner = Find(aid);
    (kind == VSLIDER ? owner->vslider : owner->hslider) = s.id;
    Slider_Geometry(*owner, kind == VSLIDER, s.x1, s.y1, s.x2, s.y2);
    Redraw(s);
    return s.id;
}

Element* Area(int handle)
{
    Element* e = Find(handle);
    return e && e->kind == AREA ? e : nullptr;
}
} // namespace

int Add_VSlider_to_Scrollable_Area(int area, int, int, int, int) { return Add_Slider(area, VSLIDER); }
int Add_HSlider_to_Scrollable_Area(int area, int, int, int, int) { return Add_Slider(area, HSLIDER); }

void Set_VSlider_Speed(int slider, double fraction, double)
{
    if (Element* s = Find(slider); s && s->kind == VSLIDER && fraction > 0 && fraction <= 1) s->speed = fraction;
}

void Set_HSlider_Speed(int slider, double fraction, double)
{
    if (Element* s = Find(slider); s && s->kind == HSLIDER && fraction > 0 && fraction <= 1) s->speed = fraction;
}

void Resize_Origin_of_Scrollable_Area_PS(int area, int width, int height)
{
    Element* a = Area(area);
    if (!a) return;
    a->content_w = std::max(0, width);
    a->content_h = std::max(0, height);
    Clamp_Offsets(*a);
    Redraw_Sliders(*a);
}

void Set_Scrollable_Area_PS(int area, int x, int y)
{
    Element* a = Area(area);
    if (!a) return;
    a->sx = x;
    a->sy = y;
    Clamp_Offsets(*a);
    Redraw_Sliders(*a);
}

void Inquire_Scrollable_Area_PS(int area, int* x, int* y)
{
    const Element* a = Area(area);
    if (x) *x = a ? a->sx : 0;
    if (y) *y = a ? a->sy : 0;
}

void Set_Scrollable_Area_PS_Frameflag(int area, int flag)
{
    if (Element* a = Area(area)) a->frame_flag = flag;
}

void Reshape_Scrollable_Area_PS(int area, int x1, int y1, int x2, int y2, int, int, int, int)
{
    Element* a = Area(area);
    if (!a) return;
    a->x1 = std::min(x1, x2);
    a->y1 = std::min(y1, y2);
    a->x2 = std::max(x1, x2);
    a->y2 = std::max(y1, y2);
    Clamp_Offsets(*a);
    for (int id : {a->vslider, a->hslider})
        if (Element* s = Find(id)) Slider_Geometry(*a, s->kind == VSLIDER, s->x1, s->y1, s->x2, s->y2);
}

namespace screen {

void Draw_White_Box(int x1, int y1, int x2, int y2)
{
    pxFgc(0xFFFFFF);
    pxRect(x1, y1, x2, y2);
    pxFgc(0);
    pxLine(x1, y1, x2, y1);
    pxLine(x1, y2, x2, y2);
    pxLine(x1, y1, x1, y2);
    pxLine(x2, y1, x2, y2);
}

void Reset_Sheets()
{
    sheets.clear();
    elements.clear();
    no_frame_next = false;
    always_function = nullptr;
    always_active = false;
    tip = Tip{};
}

int Sheet_Count() { return static_cast<int>(sheets.size()); }

} // namespace screen
