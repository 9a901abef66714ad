// Scroll areas: the area table, creating and rebuilding areas, the item adders and setters.
#include "toolkit/scroll_area.h"

#include "platform/screen/screen.h"
#include "platform/screen/editors.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area_internal.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

Scroll_Area scroll_areas[AREA_COUNT];
Sheet_Short_Keys sheet_short_keys = {0, 0, 0, 0};

namespace {

bool settings_read = false;
bool background_known = false;
int default_background = 0;

int Default_Background()
{
    if (!background_known) {
        default_background = Nearest_Color_Index(255, 251, 240);
        background_known = true;
    }
    return default_background;
}

// A user setting that reads as one integer; 0 when missing or not a number.
int Read_Short_Key_Setting(const char* name)
{
    char buffer[21] = {0};
    int value = 0;
    if (!ZAVGetUserString(name, buffer, sizeof buffer)) return 0;
    if (std::sscanf(buffer, "%d", &value) != 1) return 0;
    return value;
}

void Read_Settings_Once()
{
    if (settings_read) return;
    settings_read = true;
    sheet_short_keys.brk = Read_Short_Key_Setting("UseSheetBreakShortKey");
    sheet_short_keys.ok = Read_Short_Key_Setting("UseSheetOkShortKey");
    sheet_short_keys.help = Read_Short_Key_Setting("UseSheetHelpShortKey");
    sheet_short_keys.jump = Read_Short_Key_Setting("UseSheetJumpShortKey");
}

int Free_Slot()
{
    for (int i = 0; i < AREA_COUNT; ++i)
        if (scroll_areas[i].handle < 0) return i;
    std::printf("maximale Anzahl Scrollable_View_Areas erreicht\n");
    std::fflush(stdout);
    return -1;
}

// Edges, sliders and the library's area (the steps Area_Create and Area_Attach share).
void Make_Sheet_Area(int index, int x1, int y1, int x2, int y2, int hslider, int vslider)
{
    Scroll_Area& a = scroll_areas[index];
    const int right = vslider ? x2 - 17 : x2;
    const int bottom = hslider ? y2 - 17 : y2;
    a.x1 = x1;
    a.y1 = y1;
    a.x2 = right;
    a.y2 = bottom;
    a.content_width = a.content_height = 0;
    a.scroll_x = a.scroll_y = 0;
    a.active = 1;
    a.frame_flag = 1;
    a.first_item = a.last_item = nullptr;
    a.handle = Add_Scrollable_Area_to_PS(x1, y1, right, bottom, 1, 0, 10, 10, Area_Draw_Callback, &a, 1);
    a.vslider = 0;
    a.hslider = 0;
    if (vslider) {
        a.vslider = Add_VSlider_to_Scrollable_Area(a.handle, 5, 10, -1, 0);
        Set_VSlider_Speed(a.vslider, 0.1, 0.0);
    }
    if (hslider) {
        a.hslider = Add_HSlider_to_Scrollable_Area(a.handle, 5, 10, -1, 0);
        Set_HSlider_Speed(a.hslider, 0.1, 0.0);
    }
}

char* Copy_Text(const char* text)
{
    if (!text) return nullptr;
    return strdup(text);
}

void Replace_Text(char*& field, const char* text)
{
    std::free(field);
    field = Copy_Text(text);
}

void Release_Item(Area_Item* p)
{
    switch (p->type) {
    case AREA_TEXT:
    case AREA_BITMAP:
    case AREA_ROTATED_TEXT:
    case AREA_CHECK_BOX:
    case AREA_RADIO_BUTTON:
    case AREA_CLICK_TEXT:
    case AREA_CLICK_CELL:
    case AREA_PICTURE_CHOICE:
        std::free(p->text);
        break;
    case AREA_FLOAT_FIELD:
    case AREA_BITMAP_BUTTON:
        std::free(p->text2);
        std::free(p->text);
        break;
    case AREA_TEXT_FIELD:
        std::free(p->text2);
        break;
    case AREA_TEXT_BOX:
        if (p->data2.box) {
            delete[] p->data2.box->lines;
            delete p->data2.box;
        }
        break;
    default:
        break;
    }
    delete p;
}

void Raise(Scroll_Area& a, int width, int height)
{
    a.content_width = std::max(a.content_width, width);
    a.content_height = std::max(a.content_height, height);
}

// Splits the style bits off a font code: bold gives style 1; with shadows (texts only)
// 0x40000 gives 3, then 0x20000 gives 2.
int Split_Font(int& font, bool shadows)
{
    int style = 0;
    if (font & 0x10000) {
        style = 1;
        font &= ~0x10000;
    }
    if (shadows) {
        if (font & 0x40000) {
            style = 3;
            font &= ~0x40000;
        }
        if (font & 0x20000) {
            style = 2;
            font &= ~0x20000;
        }
    }
    return style;
}

// The item of the adders' common steps, or null for a bad slot or a failed allocation.
Area_Item* New_Item(int area, int type)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return nullptr;
    Area_Item* p = Area_New_Item(a);
    if (p) p->type = type;
    return p;
}

// Extent of a text-like item whose left end is x.
void Raise_For_Text(Scroll_Area& a, int x, int y, int width) { Raise(a, x + width + 10, y + 10); }

// An item spanning the corners (x1, y1) and (x2, y2).
Area_Item* New_Box_Item(int area, int type, int x1, int y1, int x2, int y2)
{
    Area_Item* p = New_Item(area, type);
    if (!p) return nullptr;
    p->x1 = x1;
    p->y1 = y1;
    p->x2 = x2;
    p->y2 = y2;
    return p;
}

// Extent of an item drawn between two corners, with the margin beyond the far one.
void Raise_Past(int area, int x1, int y1, int x2, int y2)
{
    Raise(scroll_areas[area], std::max(x1, x2) + 10, std::max(y1, y2) + 10);
}

// An item that shows a text at (x, y): the font's style bits go to x2, the plain font to font.
Area_Item* New_Text_Item(int area, int type, int x, int y, int font, int colour, bool shadows)
{
    Area_Item* p = New_Item(area, type);
    if (!p) return nullptr;
    p->x2 = Split_Font(font, shadows);
    p->x1 = x;
    p->y1 = y;
    p->font = font;
    p->colour = colour;
    return p;
}

} // namespace

Scroll_Area* Area_Slot(int area)
{
    if (area < 0 || area >= AREA_COUNT) return nullptr;
    Scroll_Area* a = &scroll_areas[area];
    return a->handle < 0 ? nullptr : a;
}

int Area_Text_Width(const char* text, int font)
{
    if (!text) return 0;
    Pop_RFont(font);
    const int w = Get_Text_Width_Px(text);
    Push_RFont();
    return w;
}

namespace {

// The parts of a number format: the text before and after its one conversion, and the
// conversion's flags and precision.
struct Number_Format {
    std::string prefix, suffix;
    bool left = false;   // "-": padded on the right
    int precision = 6;
    bool fixed = true;   // f or F; e, E, g and G give up the decimal point last
    bool found = false;
};

Number_Format Parse_Number_Format(const char* format)
{
    Number_Format f;
    const std::string s = format ? format : "";
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') continue;
        if (i + 1 < s.size() && s[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < s.size() && std::strchr("-+ 0#", s[j])) f.left |= s[j++] == '-';
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
        if (j < s.size() && s[j] == '.') {
            f.precision = 0;
            for (++j; j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])); ++j)
                f.precision = std::min(f.precision * 10 + (s[j] - '0'), 99);
        }
        while (j < s.size() && std::strchr("lL", s[j])) ++j;
        if (j >= s.size() || !std::strchr("fFeEgG", s[j])) return f;
        f.fixed = s[j] == 'f' || s[j] == 'F';
        f.prefix = s.substr(0, i);
        f.suffix = s.substr(j + 1);
        f.found = true;
        return f;
    }
    return f;
}

// The exponent form with d decimals, its exponent without "+" and leading zeros (1.5e8).
std::string Short_Exponent_Form(double value, int d)
{
    char b[64];
    std::snprintf(b, sizeof b, "%.*e", d, value);
    std::string t = b;
    const size_t e = t.find('e');
    if (e == std::string::npos) return t;
    std::string exponent = t.substr(e + 1);
    const bool minus = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
    const size_t nz = exponent.find_first_not_of('0');
    exponent = nz == std::string::npos ? "0" : exponent.substr(nz);
    return t.substr(0, e + 1) + (minus ? "-" : "") + exponent;
}

// A number that its format prints wider than the field's max_chars characters, in a form
// that fits and is true: fewer decimals, then the exponent form, else the field full of
// "#" (too narrow for any true form). Never the printed digits cut off.
std::string Fit_Number(const char* format, double value, int max_chars)
{
    const Number_Format f = Parse_Number_Format(format);
    const int room = max_chars - static_cast<int>(f.prefix.size() + f.suffix.size());
    if (!f.found || room < 1) return std::string(static_cast<size_t>(std::max(max_chars, 0)), '#');
    const auto padded = [&](const std::string& body) {
        const std::string pad(static_cast<size_t>(room) - body.size(), ' ');
        return f.prefix + (f.left ? body + pad : pad + body) + f.suffix;
    };
    char b[AREA_SHOWN_TEXT_SIZE];
    if (f.fixed && std::isfinite(value)) {
        for (int p = std::min(f.precision, 99) - 1; p >= 0; --p) {
            std::snprintf(b, sizeof b, "%.*f", p, value);
            if (static_cast<int>(std::strlen(b)) <= room) return padded(b);
        }
    }
    for (int d = std::min(room, 99); d >= 0; --d) {
        const std::string t = Short_Exponent_Form(value, d);
        if (static_cast<int>(t.size()) <= room) return padded(t);
    }
    return f.prefix + std::string(static_cast<size_t>(room), '#') + f.suffix;
}

} // namespace

int Area_Format_Number(char* out, const char* format, double value, int max_chars)
{
    // The caller's format is printed into a bounded buffer. A number wider than its field
    // takes another true form that fits (a field never shows a number cut off: "1000000."
    // of 1000000.0 or "92000000" of 920000003 would be read as another value).
    char buffer[AREA_SHOWN_TEXT_SIZE];
    std::snprintf(buffer, sizeof buffer, format ? format : "", value);
    int n = static_cast<int>(std::strlen(buffer));
    if (max_chars >= 0 && n > max_chars) {
        const std::string fitted = Fit_Number(format, value, std::min(max_chars, AREA_SHOWN_TEXT_SIZE - 1));
        n = std::min(static_cast<int>(fitted.size()), AREA_SHOWN_TEXT_SIZE - 1);
        std::memcpy(out, fitted.data(), static_cast<size_t>(n));
    } else {
        std::memcpy(out, buffer, static_cast<size_t>(n));
    }
    out[n] = '\0';
    return n;
}

int Area_Number_Width(const Area_Item* p)
{
    char shown[AREA_SHOWN_TEXT_SIZE];
    Area_Format_Number(shown, p->text, p->number ? *p->number : 0.0, p->aux);
    return Area_Text_Width(shown, p->font);
}

// ---- Areas -------------------------------------------------------------------------------

int Area_Create(int x1, int y1, int x2, int y2, int hslider, int vslider)
{
    const int background = Default_Background();
    Read_Settings_Once();
    const int index = Free_Slot();
    if (index < 0) return -1;
    Scroll_Area& a = scroll_areas[index];
    a = Scroll_Area{};
    a.background = background;
    Make_Sheet_Area(index, x1, y1, x2, y2, hslider, vslider);
    return index;
}

int Area_Reserve()
{
    const int background = Default_Background();
    const int index = Free_Slot();
    if (index < 0) return -1;
    Scroll_Area& a = scroll_areas[index];
    a = Scroll_Area{};
    a.background = background;
    a.active = 0;
    a.handle = AREA_RESERVED_HANDLE;
    return index;
}

void Area_Attach(int area, int x1, int y1, int x2, int y2, int hslider, int vslider)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle != AREA_RESERVED_HANDLE) return;
    Area_Free_Items(a);
    Make_Sheet_Area(area, x1, y1, x2, y2, hslider, vslider);
}

void Area_Clear(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    // The library's offsets are the user's scrolling; an inactive area's library offsets
    // are stale, so the slot keeps its own.
    if (a->active && a->handle != AREA_RESERVED_HANDLE) Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
    Area_Free_Items(a);
    a->content_width = 0;
    a->content_height = 0;
}

void Area_Set_Slider_Activity(Scroll_Area* a)
{
    if (a->vslider) Change_Activity_PS(a->vslider, a->content_height > a->y2 - a->y1 ? 1 : -1);
    if (a->hslider) Change_Activity_PS(a->hslider, a->content_width > a->x2 - a->x1 ? 1 : -1);
}

void Area_Update(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return;
    Resize_Origin_of_Scrollable_Area_PS(a->handle, a->content_width, a->content_height);
    Set_Scrollable_Area_PS(a->handle, a->scroll_x, a->scroll_y);
    Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
    Area_Set_Slider_Activity(a);
    Change_Activity_PS(a->handle, 1);
}

void Area_Delete(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    Area_Clear(area);
    a->handle = -1;
}

void Area_Delete_All()
{
    for (int i = 0; i < AREA_COUNT; ++i) {
        Area_Delete(i);
        scroll_areas[i].handle = -1;
    }
}

void Area_Set_Activity(int area, int state)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->active == state) return;
    a->active = state;
    if (a->handle == AREA_RESERVED_HANDLE) return;
    if (a->vslider) Change_Activity_PS(a->vslider, state);
    if (a->hslider) Change_Activity_PS(a->hslider, state);
    Change_Activity_PS(a->handle, state);
}

void Area_Reshape(int area, int x1, int y1, int x2, int y2)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    int dx = 0, dy = 0;
    Inquire_Prop_Sheet_Displacement(&dx, &dy);
    Reshape_Scrollable_Area_PS(a->handle, x1, y1, x2, y2, 5, 10, 5, 10);
    a->x1 = x1 - dx;
    a->y1 = y1 - dy;
    a->x2 = x2 - dx;
    a->y2 = y2 - dy;
}

void Area_Set_Background(int area, int colour)
{
    if (Scroll_Area* a = Area_Slot(area)) a->background = colour;
}

int Area_Get_Background(int area)
{
    Scroll_Area* a = Area_Slot(area);
    return a ? a->background : -1;
}

void Area_Set_Frame_Flag(int area, int flag)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    a->frame_flag = flag;
    Set_Scrollable_Area_PS_Frameflag(a->handle, flag);
}

void Area_Set_Key_Events(int area, int flag)
{
    if (Scroll_Area* a = Area_Slot(area)) a->key_events = flag;
}

void Area_Set_Wait_Option(int area, int flag)
{
    if (Scroll_Area* a = Area_Slot(area)) a->wait_option = flag;
}

void Area_Set_Stop_Word(int area, int* word)
{
    if (Scroll_Area* a = Area_Slot(area)) a->stop_word = word;
}

void Area_Set_Zone(int area, int x1, int y1, int x2, int y2)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    a->zone_x1 = x1;
    a->zone_y1 = y1;
    a->zone_x2 = x2;
    a->zone_y2 = y2;
    a->zone_on = 1;
}

void Area_Set_Change_Hook(int area, Area_Change_Hook hook)
{
    if (Scroll_Area* a = Area_Slot(area)) a->change_hook = hook;
}

// ---- Items ---------------------------------------------------------------------------

Area_Item* Area_New_Item(Scroll_Area* slot)
{
    if (!slot) return nullptr;
    Area_Item* p = new (std::nothrow) Area_Item;
    if (!p) return nullptr;
    if (slot->last_item) slot->last_item->next = p;
    else slot->first_item = p;
    slot->last_item = p;
    p->next = nullptr;
    return p;
}

void Area_Free_Items(Scroll_Area* slot)
{
    if (!slot) return;
    Area_Item* p = slot->first_item;
    while (p) {
        Area_Item* next = p->next;
        Release_Item(p);
        p = next;
    }
    slot->first_item = slot->last_item = nullptr;
}

void Area_Cut_At_Mark(int area, int id)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    Area_Item* before = nullptr;
    Area_Item* p = a->first_item;
    while (p && !(p->type == AREA_MARK && p->aux == id)) {
        before = p;
        p = p->next;
    }
    if (!p) return;
    while (p) {
        Area_Item* next = p->next;
        Release_Item(p);
        p = next;
    }
    if (before) before->next = nullptr;
    else a->first_item = nullptr;
    a->last_item = before;
}

void Area_Add_Text(int area, int x, int y, const char* text, int font, int colour, int align)
{
    Area_Item* p = New_Text_Item(area, AREA_TEXT, x, y, font, colour, true);
    if (!p) return;
    const int width = Area_Text_Width(text, p->font);
    if (align == 1) p->x1 -= width;
    p->text = Copy_Text(text);
    Raise_For_Text(scroll_areas[area], p->x1, y, width);
}

void Area_Add_Line(int area, int x1, int y1, int x2, int y2, int colour)
{
    Area_Item* p = New_Box_Item(area, AREA_LINE, x1, y1, x2, y2);
    if (!p) return;
    p->colour = colour;
    Raise_Past(area, x1, y1, x2, y2);
}

void Area_Add_Bitmap(int area, const char* file, int x1, int y1, int x2, int y2, int key_colour)
{
    Area_Item* p = New_Box_Item(area, AREA_BITMAP, x1, y1, x2, y2);
    if (!p) return;
    p->colour = key_colour;
    p->text = Copy_Text(file);
    p->aux = 0;
    Raise_Past(area, x1, y1, x2, y2);
}

void Area_Add_Custom(int area, int x1, int y1, int x2, int y2, void* data, Area_Draw_Function draw)
{
    Area_Item* p = New_Box_Item(area, AREA_CUSTOM, x1, y1, x2, y2);
    if (!p) return;
    p->data = data;
    p->draw_fn = draw;
    Raise_Past(area, x1, y1, x2, y2);
}

void Area_Add_Mask_Picture(int area, int x, int y, const Area_Mask_Picture* picture, int colour)
{
    if (!picture) return;
    Area_Item* p = New_Box_Item(area, AREA_MASK_PICTURE, x, y, x + picture->width - 1, y + picture->height - 1);
    if (!p) return;
    p->colour = colour;
    p->data = const_cast<Area_Mask_Picture*>(picture);
    Raise(scroll_areas[area], std::max(x + 10, x + picture->width + 9), std::max(y + 10, y + picture->height + 9));
}

void Area_Add_Rotated_Text(int area, int x, int y, const char* text, int font, int colour, int angle)
{
    Area_Item* p = New_Text_Item(area, AREA_ROTATED_TEXT, x, y, font, colour, false);
    if (!p) return;
    const int width = Area_Text_Width(text, p->font);
    p->y2 = angle == 90 ? 256 : angle == 180 ? 512 : angle == 270 ? 1024 : 0;
    p->text = Copy_Text(text);
    Raise(scroll_areas[area], p->y2 ? x + 10 : x + width + 10, p->y2 == 1024 ? y + width + 10 : y + 10);
}

namespace {

Area_Item* Add_Button(int area, int type, int x, int y, const char* label, int font, int colour, int* editable)
{
    Area_Item* p = New_Text_Item(area, type, x, y, font, colour, false);
    if (!p) return nullptr;
    p->editable = editable;
    p->text = Copy_Text(label);
    Raise_For_Text(scroll_areas[area], x, y, Area_Text_Width(label, p->font));
    return p;
}

} // namespace

void Area_Add_Check_Box(int area, int x, int y, const char* label, int font, int colour, int* value, int* editable)
{
    if (Area_Item* p = Add_Button(area, AREA_CHECK_BOX, x, y, label, font, colour, editable)) p->value_ptr = value;
}

void Area_Add_Radio_Button(int area, int x, int y, const char* label, int font, int colour, int value, int* target,
                           int* editable)
{
    if (Area_Item* p = Add_Button(area, AREA_RADIO_BUTTON, x, y, label, font, colour, editable)) {
        p->aux = value;
        p->value_ptr = target;
    }
}

void Area_Add_Click_Text(int area, int x, int y, const char* text, int font, int colour, int align,
                         int chosen_colour, int value, int* target)
{
    Area_Item* p = New_Text_Item(area, AREA_CLICK_TEXT, x, y, font, colour, false);
    if (!p) return;
    const int width = Area_Text_Width(text, p->font);
    if (align == 1) p->x1 -= width;
    p->text = Copy_Text(text);
    p->extra = chosen_colour;
    p->data2.value = value;
    p->target.word = target;
    Raise_For_Text(scroll_areas[area], p->x1, y, width);
}

void Area_Add_Float_Field(int area, int x, int y, double* value, const char* format, int font, int colour,
                          int* editable)
{
    Area_Item* p = New_Text_Item(area, AREA_FLOAT_FIELD, x, y, font, colour, false);
    if (!p) return;
    p->font &= ~0x1000;
    p->number = value;
    p->text = Copy_Text(format ? format : "");
    char shown[AREA_SHOWN_TEXT_SIZE];
    p->aux = Area_Format_Number(shown, p->text, 0.0, -1);
    p->editable = editable;
    Raise_For_Text(scroll_areas[area], x, y, Area_Number_Width(p));
}

void Area_Add_Box(int area, int x1, int y1, int x2, int y2, int colour)
{
    Area_Item* p = New_Box_Item(area, AREA_BOX, x1, y1, x2, y2);
    if (!p) return;
    p->colour = colour;
    Raise(scroll_areas[area], std::max(x1, x2), std::max(y1, y2));
}

namespace {

Area_Item* Add_Click_Cell(int area, int x1, int y1, int x2, int y2)
{
    Area_Item* p = New_Box_Item(area, AREA_CLICK_CELL, x1, y1, x2, y2);
    if (!p) return nullptr;
    p->aux = 0;
    p->text = nullptr;
    Raise(scroll_areas[area], x2 + 10, y1 + 10);
    return p;
}

} // namespace

void Area_Add_Click_Cell(int area, int x1, int y1, int x2, int y2, int value, int* target)
{
    if (Area_Item* p = Add_Click_Cell(area, x1, y1, x2, y2)) {
        p->data2.value = value;
        p->target.word = target;
    }
}

void Area_Add_Click_Cell_Ptr(int area, int x1, int y1, int x2, int y2, void* value, void** target)
{
    if (Area_Item* p = Add_Click_Cell(area, x1, y1, x2, y2)) {
        p->data2.value = reinterpret_cast<intptr_t>(value);
        p->target.pointer = target;
        p->pointer_value = true;
    }
}

void Area_Add_Mark(int area, int id)
{
    if (Area_Item* p = New_Item(area, AREA_MARK)) p->aux = id;
}

void Area_Add_Icon(int area, const void* image, int x1, int y1, int x2, int y2, int colour)
{
    Area_Item* p = New_Box_Item(area, AREA_ICON, x1, y1, x2, y2);
    if (!p) return;
    p->colour = colour;
    p->data2.image = image;
    Raise_Past(area, x1, y1, x2, y2);
}

void Area_Add_Text_Field(int area, int x, int y, char* buffer, int font, int colour, int* editable)
{
    if (!buffer) return;
    Area_Item* p = New_Text_Item(area, AREA_TEXT_FIELD, x, y, font, colour, false);
    if (!p) return;
    p->font &= ~0x1000;
    p->text = buffer;
    p->aux = static_cast<int>(std::strlen(buffer));
    p->y2 = p->aux;
    p->editable = editable;
    p->text2 = nullptr;
    Raise_For_Text(scroll_areas[area], x, y, Area_Text_Width(buffer, p->font));
}

void Area_Add_Choice(int area, int x, int y, const Choice_Entry* entries, int font, int width_chars, int count,
                     int* index, int* editable, bool keep_unknown)
{
    Area_Item* p = New_Item(area, AREA_CHOICE);
    if (!p) return;
    p->x2 = Split_Font(font, false);
    Pop_RFont(0);
    const int char_width = RFONT_SPACE + RFONT_WIDTH;
    Push_RFont();
    p->x1 = x;
    p->y1 = y;
    p->font = font;
    p->colour = width_chars;
    p->aux = width_chars * char_width;
    p->extra = count;
    p->value_ptr = index;
    p->target.entries = entries;
    p->editable = editable;
    if (index && !keep_unknown && (*index < 0 || *index >= count)) *index = 0;
    Raise(scroll_areas[area], x + p->aux + 10, y + 10);
}

void Area_Add_Picture_Choice(int area, int x, int y, const char* file, int picture_width, int picture_height,
                             int count, int spare, int* index, int* editable)
{
    Area_Item* p = New_Box_Item(area, AREA_PICTURE_CHOICE, x, y, picture_width, picture_height);
    if (!p) return;
    p->extra = count;
    p->aux = spare;
    p->value_ptr = index;
    p->editable = editable;
    p->text = Copy_Text(file);
    if (index && (*index < 0 || *index >= count)) *index = 0;
    Raise(scroll_areas[area], x + picture_width + 31, y + picture_height + 16);
}

void Area_Add_Bitmap_Button(int area, int x, int y, int w, int h, const char* file, int image_row, int key_colour,
                            int hover_cursor, const char* tip, int value, int* target, int* editable)
{
    Area_Item* p = New_Box_Item(area, AREA_BITMAP_BUTTON, x, y, x + w, y + h);
    if (!p) return;
    p->aux = image_row;
    p->extra = key_colour;
    p->colour = hover_cursor;
    p->font = value;
    p->value_ptr = target;
    p->editable = editable;
    p->text = Copy_Text(file);
    p->text2 = Copy_Text(tip);
    Raise(scroll_areas[area], std::max(p->x1, p->x2), std::max(p->y1, p->y2));
}

void Area_Add_Text_Box(int area, int x1, int y1, int x2, int y2, char* buffer, int capacity, int text_colour,
                       int ground_colour, int frame, int* editable)
{
    if (!buffer || !Area_Slot(area)) return;
    Text_Box_State* s = new (std::nothrow) Text_Box_State;
    if (!s) return;
    s->lines = new (std::nothrow) char*[50]();
    if (!s->lines) {
        delete s;
        return;
    }
    Area_Item* p = New_Box_Item(area, AREA_TEXT_BOX, x1, y1, x2, y2);
    if (!p) {
        delete[] s->lines;
        delete s;
        return;
    }
    s->line_capacity = 50;
    s->capacity = capacity;
    s->length = static_cast<int>(std::strlen(buffer));
    p->colour = text_colour;
    p->extra = ground_colour;
    p->aux = frame;
    p->editable = editable;
    p->text = buffer;
    p->data2.box = s;
    Raise(scroll_areas[area], x2 + 4, y2 + 4);
}

// ---- Setters ----------------------------------------------------------------------------

namespace {

Area_Item* Last_Item(int area)
{
    Scroll_Area* a = Area_Slot(area);
    return a ? a->last_item : nullptr;
}

} // namespace

void Area_Set_Item_Check(int area, Field_Check_Callback check)
{
    Area_Item* p = Last_Item(area);
    if (p && p->type == AREA_FLOAT_FIELD) p->check_fn = check;
}

void Area_Set_Item_Check(int area, Item_Check_Callback check)
{
    Area_Item* p = Last_Item(area);
    if (p && (p->type == AREA_CHECK_BOX || p->type == AREA_RADIO_BUTTON || p->type == AREA_CHOICE ||
              p->type == AREA_PICTURE_CHOICE))
        p->check_int_fn = check;
}

void Area_Set_Item_Check(int area, Text_Check_Callback check)
{
    Area_Item* p = Last_Item(area);
    if (p && p->type == AREA_TEXT_FIELD) p->check_text_fn = check;
}

void Area_Set_Click_Cursor(int area, int cursor)
{
    Area_Item* p = Last_Item(area);
    if (p && p->type == AREA_CLICK_CELL) p->aux = cursor;
}

void Area_Set_Click_Tip(int area, const char* text, int font, int colour, int align)
{
    Area_Item* p = Last_Item(area);
    if (!p || p->type != AREA_CLICK_CELL) return;
    Replace_Text(p->text, text);
    p->extra = (font & 0x10000 ? 1 : 0) + (align == 1 ? 16 : 0);
    p->font = font & ~0x10000;
    p->colour = colour;
}

void Area_Set_Check_Images(int area, const void* set_image, const void* clear_image)
{
    Area_Item* p = Last_Item(area);
    if (!p || (p->type != AREA_CHECK_BOX && p->type != AREA_RADIO_BUTTON)) return;
    p->data = const_cast<void*>(set_image);
    p->data2.image = clear_image;
}

void Area_Fix_Last_Bitmap(int area)
{
    Area_Item* p = Last_Item(area);
    if (p && p->type == AREA_BITMAP) p->aux = 1;
}

void Area_Set_Text_Field_Length(int area, int n)
{
    Area_Item* p = Last_Item(area);
    if (p && p->type == AREA_TEXT_FIELD) p->y2 = std::min(n, p->aux);
}

void Area_Set_Field_Idle_Text(int area, const char* text)
{
    Area_Item* p = Last_Item(area);
    if (p && (p->type == AREA_FLOAT_FIELD || p->type == AREA_TEXT_FIELD)) Replace_Text(p->text2, text);
}

void Area_Set_Text_Box_Font(int area, int font)
{
    Area_Item* p = Last_Item(area);
    if (p && p->type == AREA_TEXT_BOX && p->data2.box) p->data2.box->font = font;
}

namespace area_test {
void Reset_Settings()
{
    settings_read = false;
    background_known = false;
    sheet_short_keys = {0, 0, 0, 0};
}
} // namespace area_test
