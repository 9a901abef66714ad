#include "toolkit/form_core.h"

#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"
#include "toolkit/ui_utilities.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

int form_editable_yes = 1;
int form_editable_no = 0;
int form_drop_int_shadows = 1;
int form_mouse_to_button = 1;
int form_cancel_request = 0;
int form_ok_request = 0;
int form_redraw_request = 0;
Form_Last_Widget form_last_widget = {0, 0, 0, 0, 0};

namespace {

constexpr int kStyleBits = 0x70000;
constexpr int kMaxLevels = 16;
constexpr int kMaxShadows = 99;  // entries of each shadow table in use at a time
constexpr int kMaxHoverAreas = 20;
constexpr int kMaxHoverCells = 100;
constexpr int kMaxTips = 100;

struct Context {
    int area = -1;
    int font = 4096;
    int text_colour = 0;
    int ground_colour = 0;
    bool colours_set = false;
    int readonly_ground = -1;
    int hover_area = -1;
    int hover_x1 = -1000, hover_y1 = -1000, hover_x2 = -1000;
    int* hover_dx = nullptr;
    int* hover_dy = nullptr;
} ctx;

struct Int_Shadow {
    int* target;
    double value;
    int level;
};
struct Clamp {
    double* target;
    double min, max;
    int level;
};
struct Unit_Scale {
    double* target;
    double factor;
    int level;
};
// Fixed tables: the areas' fields keep pointers to the shadows' values.
Int_Shadow int_shadows[kMaxShadows + 1];
int int_shadow_count = 0;
Clamp clamps[kMaxShadows + 1];
int clamp_count = 0;
Unit_Scale scales[kMaxShadows + 1];
int scale_count = 0;

struct Hover_Area {
    int escape, area, x1, y1, x2, y2;
    int* dx;
    int* dy;
};
Hover_Area hover_areas[kMaxHoverAreas];
int hover_area_count = 0;
bool hover_installed = false;

Form_Hover_Cell hover_cells[kMaxHoverCells];
int hover_cell_count = 0;
int highlighted_cell = -1;
int highlighted_rect[4] = {0, 0, 0, 0};

Form_Tip tips[kMaxTips];
int tip_count = 0;
bool tip_shown = false;
int tip_rect[4] = {0, 0, 0, 0};

struct Level {
    Form_Dialog* dialog = nullptr;
    Form_Page* pages = nullptr;
    int page_count = 0;
    int current_page = 0;
    int reg = 0;  // the register (several pages), 0: none
    std::vector<int> member;  // the register member of every page
    std::vector<int> area, escape, table, table_drawing;
};
Level levels[kMaxLevels];
int level_count = 0;

unsigned build_serial[AREA_COUNT] = {};

bool dialog_centre_set = false;
int centre_x = 0, centre_y = 0;
int dialog_origin_x = 0, dialog_origin_y = 0;
bool page_centre_set = false;
int page_centre_x = 0, page_centre_y = 0;

void Ensure_Colours()
{
    if (ctx.colours_set) return;
    ctx.text_colour = BLACK_CI;
    ctx.ground_colour = WHITE_CI;
    ctx.colours_set = true;
}

// The text or ground colour of the context, with both defaults set on first use.
int& Colour_Slot(int& slot)
{
    Ensure_Colours();
    return slot;
}

bool Active(const int* editable) { return editable == nullptr || *editable != 0; }

// Halves away from zero.
int Round_Half_Away(double v) { return static_cast<int>(v < 0.0 ? v - 0.5 : v + 0.5); }

void Refuse(const char* what)
{
    std::fprintf(stderr, "Formular: %s voll, weitere Eintraege abgewiesen\n", what);
}

// Appends the entry to a registry of at most limit entries; when it is full, says so
// (what: the registry's name) and answers false.
template <typename T>
bool Append(T* table, int& count, int limit, const std::type_identity_t<T>& entry, const char* what)
{
    if (count >= limit) {
        Refuse(what);
        return false;
    }
    table[count++] = entry;
    return true;
}

int Add_Text(int x, int y, const char* text, int font, const int* editable, int width)
{
    Ensure_Colours();
    Area_Add_Text(ctx.area, x, y, text, font, Active(editable) ? ctx.text_colour : Form_Inactive_Colour(), 0);
    return width;
}

void Drop_Scales(int level)
{
    int n = 0;
    for (int i = 0; i < scale_count; ++i) {
        if (scales[i].level == level) {
            if (scales[i].factor != 0.0) *scales[i].target /= scales[i].factor;
        } else {
            scales[n++] = scales[i];
        }
    }
    scale_count = n;
}

void Write_Back_Shadows(int level, bool drop)
{
    int n = 0;
    for (int i = 0; i < int_shadow_count; ++i) {
        if (int_shadows[i].level == level) {
            *int_shadows[i].target = Round_Half_Away(int_shadows[i].value);
            if (drop) continue;
        }
        int_shadows[n++] = int_shadows[i];
    }
    int_shadow_count = n;
}

void Drop_Clamps(int level)
{
    int n = 0;
    for (int i = 0; i < clamp_count; ++i)
        if (clamps[i].level != level) clamps[n++] = clamps[i];
    clamp_count = n;
}

int Current_Level() { return level_count; }

void Remove_Tip();

} // namespace

// ---- Context ----------------------------------------------------------------------------

void Form_Begin(int area)
{
    if (area >= 0 && area < AREA_COUNT) ++build_serial[area];
    ctx.area = area;
    ctx.font = 4096;
    ctx.text_colour = BLACK_CI;
    ctx.ground_colour = WHITE_CI;
    ctx.colours_set = true;
    // The page is built anew: a shown tip or highlighted cell gives its pixels back first
    // (the area's drawing follows).
    Remove_Tip();
    if (highlighted_cell >= 0)
        Restore_Screen_Rectangle(highlighted_rect[0], highlighted_rect[1], highlighted_rect[2], highlighted_rect[3]);
    tip_count = 0;
    hover_cell_count = 0;
    highlighted_cell = -1;
    ctx.hover_area = -1;
    ctx.hover_x1 = ctx.hover_y1 = ctx.hover_x2 = -1000;
    ctx.hover_dx = ctx.hover_dy = nullptr;
    for (int i = 0; i < hover_area_count; ++i) {
        if (hover_areas[i].area != area) continue;
        ctx.hover_area = hover_areas[i].escape;
        ctx.hover_x1 = hover_areas[i].x1;
        ctx.hover_y1 = hover_areas[i].y1;
        ctx.hover_x2 = hover_areas[i].x2;
        ctx.hover_dx = hover_areas[i].dx;
        ctx.hover_dy = hover_areas[i].dy;
    }
}

int Form_Get_Area() { return ctx.area; }
void Form_Set_Area(int area) { ctx.area = area; }
unsigned Form_Build_Serial(int area) { return area >= 0 && area < AREA_COUNT ? build_serial[area] : 0; }
void Form_Set_Font(int font) { ctx.font = font; }
int Form_Get_Font() { return ctx.font; }
void Form_Set_Text_Colour(int colour) { Colour_Slot(ctx.text_colour) = colour; }
int Form_Get_Text_Colour() { return Colour_Slot(ctx.text_colour); }
void Form_Set_Ground_Colour(int colour) { Colour_Slot(ctx.ground_colour) = colour; }
int Form_Get_Ground_Colour() { return Colour_Slot(ctx.ground_colour); }
void Form_Set_Readonly_Ground(int colour) { ctx.readonly_ground = colour; }
int Form_Get_Readonly_Ground()
{
    if (ctx.readonly_ground == -1) ctx.readonly_ground = Nearest_RGB_Color(220, 220, 220);
    return ctx.readonly_ground;
}
int Form_Inactive_Colour() { return Nearest_RGB_Color(198, 195, 198); }

void Form_Set_Last_Widget(int x1, int y1, int x2, int y2, const int* editable)
{
    form_last_widget = {x1, x2, y1, y2, editable ? *editable : 1};
}

// ---- Measuring --------------------------------------------------------------------------

int Form_Text_Width(const char* text)
{
    if (!text) return 0;
    std::string s(text);
    const char kCode = static_cast<char>(0xCE);
    auto measure = [](const std::string& t) { return t.empty() ? 0 : Get_Text_Width_Px(t.c_str()); };
    size_t pos = 0;
    int width = 0;
    while (true) {
        const size_t open = s.find(kCode, pos);
        if (open == std::string::npos) return width + measure(s.substr(pos));
        width += measure(s.substr(pos, open - pos));
        if (open + 1 >= s.size()) return width;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(s[open + 1])));
        const size_t close = s.find(kCode, open + 2);
        const std::string span = s.substr(open + 2, close == std::string::npos ? std::string::npos : close - open - 2);
        if (letter == 'B') {
            width += measure(span);
        } else if (letter == 'C') {
            const size_t blank = span.find(' ');
            if (blank != std::string::npos && blank + 1 < span.size()) width += measure(span.substr(blank + 1));
        }
        // The closing code byte carries a letter as well; what follows it is plain again.
        if (close == std::string::npos || close + 2 >= s.size()) return width;
        pos = close + 2;
    }
}

int Form_Label_Width(const char* text, int font)
{
    const int style = font & kStyleBits;
    if (!text || !*text) return style ? 2 : 0;
    Pop_RFont(font & ~kStyleBits);
    const int w = Form_Text_Width(text);
    Push_RFont();
    return w + 3 + (style ? 2 : 0);
}

// ---- Labels -----------------------------------------------------------------------------

int Form_Label(int x, int y, const char* text, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    return Add_Text(x, y, text, ctx.font, editable, Form_Label_Width(text, ctx.font));
}

int Form_Label_Printf(int x, int y, const char* format, ...)
{
    if (ctx.area < 0 || !format) return 0;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return Form_Label(x, y, text, nullptr);
}

int Form_Label_Aligned(int x, int y, const char* text, int valign, int halign, const int* editable)
{
    return Form_Label_Sub_Aligned(x, y, text, nullptr, valign, halign, editable);
}

namespace {

int Sub_Width(const char* sub, bool bold)
{
    if (!sub || !*sub) return 0;
    return Get_Text_Width_In_Font(sub, 4098) + 4 + (bold ? 2 : 0);
}

// Text in font, then the subscript in the small font behind a one-pixel gap, one lower.
int Label_With_Sub(int x, int y, const char* text, const char* sub, int font, int sub_font, const int* editable)
{
    const int w = Form_Label_Width(text, font);
    Add_Text(x, y, text, font, editable, w);
    if (!sub || !*sub) return w;
    Add_Text(x + w + 1, y + 1, sub, sub_font, editable, 0);
    return w + Sub_Width(sub, (sub_font & 0x10000) != 0);
}

} // namespace

int Form_Label_Sub_Aligned(int x, int y, const char* text, const char* sub, int valign, int halign,
                           const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    const int width = Form_Label_Width(text, ctx.font) + Sub_Width(sub, false);
    if (valign == 0) y += 9;
    else if (valign == 4) y += 5;
    if (halign == 1) x -= width;
    else if (halign == 4) x -= Round_Half_Away(width / 2.0);
    return Label_With_Sub(x, y, text, sub, ctx.font, 4098, editable);
}

int Form_Label_Centred(int y, const char* text, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    int half = 0;
    if (ctx.hover_x2 != -1000) {
        half = (ctx.hover_x2 - ctx.hover_x1) / 2;
    } else {
        int w = 0, h = 0;
        Area_Get_Size(ctx.area, &w, &h);
        half = w / 2;
    }
    const int width = Form_Label_Width(text, ctx.font);
    return Form_Label(half - width / 2, y, text, editable);
}

int Form_Label_Shadow(int x, int y, const char* text, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    const int font = ctx.font | 0x20000;
    Ensure_Colours();
    Area_Add_Text(ctx.area, x, y, text, font, Active(editable) ? ctx.text_colour : Form_Inactive_Colour(), 0);
    return Form_Label_Width(text, font);  // text width + 5, 2 when empty
}

int Form_Label_Shadow_Printf(int x, int y, const char* format, ...)
{
    if (ctx.area < 0 || !format) return 0;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return Form_Label_Shadow(x, y, text, nullptr);
}

int Form_Label_Small(int x, int y, const char* text, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    const int font = ctx.font | 2;
    return Add_Text(x, y, text, font, editable, Form_Label_Width(text, font));
}

int Form_Label_Small_Bold(int x, int y, const char* text, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    const int font = ctx.font | 2 | 0x10000;
    return Add_Text(x, y, text, font, editable, Form_Label_Width(text, font));  // text width + 5
}

int Form_Label_Click(int x, int y, const char* text, int value, int* target, const int* editable)
{
    const int w = Form_Label(x, y, text, editable);
    if (w > 0 && Active(editable) && target) {
        Area_Add_Click_Cell(ctx.area, x, y - 10, x + w, y, value, target);
        Area_Set_Click_Cursor(ctx.area, 18);
    }
    return w;
}

int Form_Label_Sub(int x, int y, const char* text, const char* sub, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    return Label_With_Sub(x, y, text, sub, 4096, 4098, editable);
}

int Form_Label_Sub_Bold(int x, int y, const char* text, const char* sub, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    return Label_With_Sub(x, y, text, sub, 0x11000, 0x11002, editable);
}

int Form_Label_Triple(int x, int y, const char* text, const char* sub, const char* sup, const int* editable)
{
    if (ctx.area < 0 || !text) return 0;
    const int w = Form_Label_Width(text, 4096);
    Add_Text(x, y, text, 4096, editable, w);
    int extra = 0;
    if (sub && *sub) {
        Add_Text(x + w + 1, y + 1, sub, 4098, editable, 0);
        extra = Sub_Width(sub, false);
    }
    if (sup && *sup) {
        Add_Text(x + w + 1, y + 1 - 5, sup, 4098, editable, 0);
        extra = std::max(extra, Sub_Width(sup, false));
    }
    return w + extra;
}

// ---- Fields -----------------------------------------------------------------------------

namespace {

// The editable word handed to the area and the text colour for a form editable word.
int* Item_Editable(const int* editable) { return editable && *editable == 1 ? &form_editable_yes : &form_editable_no; }
int Item_Colour(const int* editable)
{
    Ensure_Colours();
    if (editable && *editable != 1 && *editable != -1) return Form_Inactive_Colour();
    return ctx.text_colour;
}

} // namespace

int Form_Add_Text_Field(int x, int y, char* buffer, int* editable)
{
    if (ctx.area < 0 || !buffer) return 0;
    Area_Add_Text_Field(ctx.area, x + 7, y, buffer, ctx.font, Item_Colour(editable), Item_Editable(editable));
    const int w = 8 * static_cast<int>(std::strlen(buffer)) + 19;
    Form_Set_Last_Widget(x, y - 13, x + w, y + 5, editable);
    return w;
}

int Form_Add_Padded_Text_Field(int x, int y, char* buffer, int width, int* editable)
{
    if (ctx.area < 0 || !buffer) return 0;
    if (width > 0) {
        std::string padded(buffer);
        if (static_cast<int>(padded.size()) < width) padded.append(width - padded.size(), ' ');
        padded.resize(width);
        std::memcpy(buffer, padded.c_str(), width + 1);
    }
    return Form_Add_Text_Field(x, y, buffer, editable);
}

int Form_Add_Sized_Text_Field(int x, int y, char* buffer, int width, int length, int* editable)
{
    if (ctx.area < 0 || !buffer) return 0;
    Form_Add_Padded_Text_Field(x, y, buffer, std::max(width, length), editable);
    Area_Set_Text_Field_Length(ctx.area, length);
    const int w = 8 * length + 19;
    Form_Set_Last_Widget(x, y - 13, x + w, y + 5, editable);
    return w;
}

int Form_Add_Radio(int x, int y, const char* text, int value, int* target, int* editable)
{
    if (ctx.area < 0 || !target) return 0;
    int font = ctx.font;
    if (*target == value && editable && *editable == 1) font |= 0x10000;
    Area_Add_Radio_Button(ctx.area, x + 20, y, text ? text : "", font, Item_Colour(editable), value, target,
                          Item_Editable(editable));
    const int w = Form_Label_Width(text, font) + 20;
    Form_Set_Last_Widget(x, y - 13, x + w, y + 5, editable);
    return w;
}

int Form_Choice_Width(const char* texts, int stride, int count, int font)
{
    if (!texts || count < 1) return 33;
    int widest = 0;
    for (int i = 0; i < count; ++i) widest = std::max(widest, Form_Label_Width(texts + i * stride, font));
    return widest / 8 * 8 + 33;
}

int Form_Add_Density_Field(int x, int y, double* value, int* editable)
{
    if (ctx.area < 0 || !value) return 0;
    Form_Register_Clamp(value, 500.0, 2200.0);
    Area_Add_Float_Field(ctx.area, x + 7, y, value, "%8.1f", ctx.font & kStyleBits, Item_Colour(editable),
                         Item_Editable(editable));
    Area_Set_Item_Check(ctx.area, static_cast<Field_Check_Callback>(Form_Clamp_Check));
    Form_Set_Last_Widget(x, y - 13, x + 79, y + 5, editable);
    return 79;
}

// ---- Shadows ----------------------------------------------------------------------------

double* Form_Int_Shadow(int* target)
{
    if (!target) return nullptr;
    for (int i = 0; i < int_shadow_count; ++i) {
        if (int_shadows[i].target == target && int_shadows[i].level == Current_Level()) {
            *target = Round_Half_Away(int_shadows[i].value);
            return &int_shadows[i].value;
        }
    }
    if (!Append(int_shadows, int_shadow_count, kMaxShadows, {target, static_cast<double>(*target), Current_Level()},
                "Ganzzahlschatten"))
        return nullptr;
    return &int_shadows[int_shadow_count - 1].value;
}

void Form_Set_Int(int* target, int value)
{
    if (!target) return;
    *target = value;
    for (int i = 0; i < int_shadow_count; ++i)
        if (int_shadows[i].target == target) int_shadows[i].value = value;
}

int Form_Get_Int(int* target)
{
    for (int i = 0; i < int_shadow_count; ++i)
        if (int_shadows[i].target == target) return *target;
    return -99999999;
}

int Form_Unit_Scale(double* target, double factor)
{
    if (!target) return 0;
    for (int i = 0; i < scale_count; ++i)
        if (scales[i].target == target && scales[i].level == Current_Level()) return 1;
    if (!Append(scales, scale_count, kMaxShadows, {target, factor, Current_Level()}, "Einheitenfaktoren")) return 0;
    *target *= factor;
    return 1;
}

int Form_Register_Clamp(double* target, double min, double max)
{
    if (!target) return 0;
    for (int i = 0; i < clamp_count; ++i)
        if (clamps[i].target == target && clamps[i].level == Current_Level()) return 1;
    return Append(clamps, clamp_count, kMaxShadows, {target, min, max, Current_Level()}, "Wertgrenzen") ? 1 : 0;
}

double* Form_Clamp_Check(double* value)
{
    if (!value) return value;
    for (int i = clamp_count - 1; i >= 0; --i) {
        if (clamps[i].target != value) continue;
        *value = std::clamp(*value, clamps[i].min, clamps[i].max);
        break;
    }
    return value;
}

// ---- Dialogs ----------------------------------------------------------------------------

void Form_Dialog_Defaults(Form_Dialog* d)
{
    if (!d) return;
    std::memset(d, 0, sizeof *d);
    d->kind = 0;
    d->sheet_number = 40;
    d->content_height = 150;
    d->content_width = 200;
    d->margin_top = d->margin_bottom = d->margin_left = d->margin_right = 8;
    d->last_page = -1;
    d->preset_result = -1;
}

void Form_Page_Defaults(int count, Form_Page pages[])
{
    for (int i = 0; pages && i < count; ++i) {
        Form_Page* p = &pages[i];
        std::memset(p, 0, sizeof *p);
        p->kind = 1;
        p->caption_colour = ZAV_COLOUR_TEXT;
        p->disabled_caption_colour = ZAV_COLOUR_DISABLED_TEXT;
        p->x = p->y = p->width = p->height = -1;
        p->scroll_x = p->scroll_y = -1;
        p->table_width = -1;
        p->table_x1 = 30;
        p->table_y = 10;
    }
}

int Form_Dialog_Level() { return level_count; }
int Form_Current_Page() { return level_count > 0 ? levels[level_count - 1].current_page : -1; }

void Form_Select_Page(int page)
{
    if (level_count < 1) return;
    Level& l = levels[level_count - 1];
    if (page < 0 || page >= l.page_count) return;
    l.current_page = page;
    if (l.reg) Set_Selected_Register_Member(l.reg, 1000 + page);
}

void Form_Set_Page_Kind(int page, int kind)
{
    if (level_count < 1) return;
    Level& l = levels[level_count - 1];
    if (page >= 0 && page < l.page_count) l.pages[page].kind = kind;
}

int Form_Get_Page_Kind(int page)
{
    if (level_count < 1) return -1;
    const Level& l = levels[level_count - 1];
    return page >= 0 && page < l.page_count ? l.pages[page].kind : -1;
}

void Form_Set_Page_Table_Drawing(int page, int flag)
{
    if (level_count < 1) return;
    Level& l = levels[level_count - 1];
    if (page >= 0 && page < l.page_count) l.table_drawing[page] = flag;
}

void Form_Get_Dialog_Origin(int* x, int* y)
{
    if (x) *x = dialog_origin_x;
    if (y) *y = dialog_origin_y;
}

void Form_Request_Cancel() { form_cancel_request = 1; }
void Form_Request_OK() { form_ok_request = 1; }
void Form_Request_Redraw() { form_redraw_request = 1; }
void Form_Set_Mouse_To_Button(int flag) { form_mouse_to_button = flag; }
void Form_Mouse_To_Button_On() { form_mouse_to_button = 1; }
void Form_Mouse_To_Button_Off() { form_mouse_to_button = 0; }

int Form_Close_Checks(int level)
{
    Drop_Scales(level);
    Write_Back_Shadows(level, form_drop_int_shadows != 0);
    if (level < 1 || level > level_count) return 0;
    Level& l = levels[level - 1];
    for (int p = 0; p < l.page_count; ++p) {
        if (!l.pages[p].check) continue;
        const int r = l.pages[p].check(l.table[p]);
        if (r) return r;
    }
    return 0;
}

int Form_Check_All_Levels()
{
    form_drop_int_shadows = 0;
    int result = 0;
    for (int level = level_count; level >= 1 && !result; --level) result = Form_Close_Checks(level);
    form_drop_int_shadows = 1;
    return result;
}

namespace {

// The geometry and buttons of one running dialog.
struct Runner {
    Form_Dialog* d = nullptr;
    bool simple = false;  // the page dialog: its own geometry, codes 1 and 2
    void (*footer)(char* text) = nullptr;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int tab_width = 0, tab_top = 0, tab_bottom = 0;
    int focus = 0, help_x = 0, footer_x2 = 0;
    int cancel_code = 100, ok_code = 200;
    int dx = 0, dy = 0;
    std::vector<int> hover;  // pages that entered the hover registry
    std::vector<int> shown_kind;
};

int Visible_Pages(const Level& l)
{
    int n = 0;
    for (int i = 0; i < l.page_count; ++i) n += l.pages[i].kind != -2;
    return n;
}

void Draw_Caption(const Runner& r, const Level& l, int i, int x, bool disabled)
{
    const Form_Page& p = l.pages[i];
    const int colour = disabled ? p.disabled_caption_colour : p.caption_colour;
    if (p.label[0]) {
        Draw_Funny_Text_to_PS(x, r.tab_bottom - 18, p.label, 0x1002, colour, 2);
        Draw_Funny_Text_to_PS(x, r.tab_bottom - 6, p.name, 0x1000, colour, 2);
    } else {
        Draw_Funny_Text_to_PS(x, r.tab_bottom - 10, p.name, 0x1000, colour, 2);
    }
}

// The x of page i's tab (pages of kind -2 take none).
int Tab_X(const Runner& r, const Level& l, int i, int base)
{
    int j = 0;
    for (int k = 0; k < i; ++k) j += r.simple || l.pages[k].kind != -2;
    return base + (r.tab_width + 1) * j;
}

void Draw_Footer(const Runner& r)
{
    if (!r.footer) return;
    char text[200] = "";
    r.footer(text);
    text[sizeof text - 1] = 0;
    const int fx1 = r.help_x + 30 + r.dx, fy1 = r.y2 - 26 + r.dy, fx2 = r.footer_x2 + r.dx, fy2 = r.y2 - 9 + r.dy;
    if (fx2 <= fx1) return;
    Draw_Titled_Area(fx1, fy1, fx2, fy2, text, 209, 1, 4096, BLACK_CI, BUTTON_CI);
}

void Create_Page_Area(Runner& r, Level& l, int i, int bx1, int by1, int bx2, int by2, bool hover)
{
    Form_Page& page = l.pages[i];
    if (page.kind == -2 || !page.build) return;
    int ax1 = bx1, ay1 = by1, ax2 = bx2, ay2 = by2;
    if (page.x >= 0 && page.y >= 0 && page.width > 0 && page.height > 0) {
        ax1 = std::min(bx1 + page.x, bx2);
        ay1 = std::min(by1 + page.y, by2);
        ax2 = std::min(ax1 + page.width, bx2);
        ay2 = std::min(ay1 + page.height, by2);
    }
    l.escape[i] = Add_Escape_Area_to_PS(ax1, ay1, ax2 - 17 * (page.vslider ? 1 : 0),
                                        ay2 - 17 * (page.hslider ? 1 : 0), 1, 2000 + i);
    Set_Escape_Area_to_MouseMoveEvent(l.escape[i], 1);
    l.area[i] = Area_Create(ax1, ay1, ax2, ay2, page.hslider, page.vslider);
    if (l.area[i] < 0) return;
    Area_Set_Activity(l.area[i], 0);
    l.table_drawing[i] = 1;
    if (hover && Form_Register_Hover_Area(l.escape[i], l.area[i], ax1, ay1, ax2, ay2, &r.dx, &r.dy))
        r.hover.push_back(i);
    const int tx2 = page.table_width < 0 ? (ax2 - ax1) - 10 - 17 * (page.vslider ? 1 : 0)
                                         : page.table_x1 + page.table_width;
    l.table[i] = Table_Editor_Create(l.area[i], page.table_y, page.table_x1, tx2, 20, page.row_size,
                                     page.row_function);
}

void Build_Page(Level& l, int i)
{
    Form_Page& page = l.pages[i];
    const int area = l.area[i];
    if (area < 0) return;
    for (int pass = 0; pass < 2; ++pass) {
        Area_Clear(area);
        Form_Begin(area);
        page.build(area, l.table[i]);
        if (l.table_drawing[i]) Table_Editor_Draw(l.table[i]);
        if (page.scroll_x >= 0 || page.scroll_y >= 0) {
            Area_Update(area);
            Set_Scrollable_Area_PS(scroll_areas[area].handle, std::max(page.scroll_x, 0), std::max(page.scroll_y, 0));
            Area_Sync_Scroll(area);
            page.scroll_x = page.scroll_y = -1;
        }
        Area_Set_Activity(area, 1);
        Area_Update(area);
        Change_Activity_PS(l.escape[i], 1);
        if (!form_redraw_request) break;
        form_redraw_request = 0;
    }
}

void Deactivate_Page(Level& l, int i)
{
    if (i < 0 || i >= l.page_count || l.area[i] < 0) return;
    Area_Set_Activity(l.area[i], 0);
    Change_Activity_PS(l.escape[i], 0);
}

void Close_Level(Runner& r, Level& l, bool write_back_shadows)
{
    const int level = level_count;
    Drop_Scales(level);
    if (write_back_shadows) Write_Back_Shadows(level, form_drop_int_shadows != 0);
    Drop_Clamps(level);
    for (int p = 0; p < l.page_count; ++p) {
        if (l.area[p] < 0) continue;
        Area_Query_Scroll(l.area[p], &l.pages[p].scroll_x, &l.pages[p].scroll_y);
        Table_Editor_Delete_For_Area(l.area[p]);
        Area_Delete(l.area[p]);
    }
    for (size_t k = 0; k < r.hover.size(); ++k) Form_Unregister_Hover_Area();
}

Level& Push_Level(Form_Dialog* d, int n, Form_Page pages[])
{
    Level& l = levels[level_count++];
    l = Level();
    l.dialog = d;
    l.pages = pages;
    l.page_count = n;
    l.area.assign(n, -1);
    l.escape.assign(n, 0);
    l.table.assign(n, -1);
    l.table_drawing.assign(n, 0);
    l.member.assign(n, 0);
    return l;
}

// Buttons of the register dialogs by kind; sets the focus button and the footer's room.
void Add_Buttons(Runner& r)
{
    const Form_Dialog* d = r.d;
    const int kind = d->kind;
    const int by = r.y2 - 29;
    const int centre = (r.x1 + r.x2) / 2;
    const int ok_x = r.x2 - d->margin_right - 23;
    r.help_x = d->footer ? r.x1 + d->margin_left + 32 : centre - 23;
    r.footer_x2 = ok_x - 20;
    auto cancel_button = [&] {
        const int b = Add_Single_Button_to_PS(r.x1 + d->margin_left - 3, by, 0, 100, nullptr, SYMBOLIC_BREAK_RASTER, 0);
        Set_Comment_to_Button_PS(b, "abbrechen");
        return b;
    };
    auto help_button = [&] {
        if (!d->help_topic[0]) return 0;
        const int b = Add_Help_to_PS(r.help_x, by, d->help_topic);
        Set_Comment_to_Button_PS(b, "Hilfe");
        return b;
    };
    auto ok_button = [&] {
        const int b = Add_Single_Button_to_PS(ok_x, by, 0, 200, nullptr, SYMBOLIC_OK_RASTER, 0);
        Set_Comment_to_Button_PS(b, "best\x84tigen");
        return b;
    };
    switch (kind) {
    case 0:
    case 5:
    case 7: {
        const int c = cancel_button();
        const int h = help_button();
        const int o = kind != 7 ? ok_button() : 0;
        r.focus = kind == 5 ? o : c;
        if (!r.focus) r.focus = h;
        break;
    }
    case 9:
        help_button();
        r.focus = ok_button();
        break;
    case 1:
        r.focus = Add_Single_Button_to_PS(centre - 50, by, 0, 100, "Weiter      ", nullptr, 0);
        break;
    case 3:
    case 8:
        r.focus = Add_Single_Button_to_PS(centre - 50, kind == 8 ? r.y2 - 37 : by, 0, 200, "Weiter      ", nullptr, 0);
        break;
    case 6:
        r.focus = ok_button();
        break;
    default:
        break;  // 2 and 4: none
    }
}

} // namespace

int Form_Run_Register_Dialog(Form_Dialog* d, int n, Form_Page pages[])
{
    if (!d || !pages || n < 1) return 0;
    if (level_count >= kMaxLevels) {
        Refuse("Dialogebenen");
        return 0;
    }
    // A dialog may open while another's page is being built: its context comes back.
    const Context outer = ctx;
    Form_Hover_Callback();
    if (!dialog_centre_set) {
        centre_x = NPIXEL_X / 2;
        centre_y = NPIXEL_Y / 2;
        dialog_centre_set = true;
    }
    const int buffering = pxBuff(-1);
    Runner r;
    r.d = d;
    r.footer = d->footer;
    const int kind = d->kind;
    const bool several = n > 1;
    const int tab_row = several ? (d->tab_height > 0 ? d->tab_height : 30) : 0;
    const int band = several ? tab_row + 10 : 0;
    const int margin = several ? 10 : 0;
    const int header = (kind == 4 || kind == 8) ? 0 : 33;
    const int footer = (kind == 2 || kind == 4 || kind == 8) ? 0 : 27;
    const int number = d->sheet_number + 100 + 5 * n;
    const int w = std::min(d->content_width, NPIXEL_X - 2 * margin - d->margin_left - d->margin_right - 15) + 2 * margin;
    if (kind == 4 || kind == 8) {
        Init_Mouse_Move_Restriction(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        Set_Prop_Sheet_Screen_Base(2, 2, NPIXEL_X - 10, NPIXEL_Y - 10);
        Set_NoFrameFlag_to_Next_PropSheet();
        if (kind == 8) {
            ZAVSetMinMaxSize(NPIXEL_X, NPIXEL_Y, NPIXEL_X, NPIXEL_Y);
            pxBgc(MENUE_CI);
            pxCls();
        }
        r.x1 = 0;
        r.y1 = 0;
        r.x2 = NPIXEL_X - 1;
        r.y2 = NPIXEL_Y - 1;
        Define_Prop_Sheet(r.x1, r.y1, r.x2, r.y2, 0, 0, "", number, 1);
    } else {
        const int h = std::min(d->content_height, NPIXEL_Y - 2 * margin - tab_row - header - d->margin_top -
                                                      d->margin_bottom - footer - 30);
        const int width = d->margin_left + w + d->margin_right;
        const int height = h + band + margin + header + d->margin_top + d->margin_bottom + footer;
        r.x1 = centre_x - width / 2;
        r.y1 = centre_y - height / 2;
        r.x2 = r.x1 + width;
        r.y2 = r.y1 + height;
        Check_Prop_Sheet_Frames(&r.x1, &r.y1, &r.x2, &r.y2);
        Define_Prop_Sheet(r.x1, r.y1, r.x2, r.y2, 1, 0, d->title, number, 1);
    }
    dialog_origin_x = r.x1;
    dialog_origin_y = r.y1;

    Level& l = Push_Level(d, n, pages);
    l.current_page = std::clamp(d->last_page, 0, n - 1);
    if (several) {
        const int visible = std::max(Visible_Pages(l), 1);
        r.tab_width = d->tab_width > 0 ? d->tab_width : (w - (visible - 1)) / visible;
        r.tab_top = r.y1 + header + d->margin_top;
        r.tab_bottom = r.tab_top + tab_row;
        const int left = r.x1 + d->margin_left, right = r.x2 - d->margin_right;
        if (d->tab_bitmap[0]) {
            pxDrawTransparentDIB(d->tab_bitmap, left, r.tab_top, right, r.tab_bottom, 201, -1, 192, 192, 192);
        } else {
            for (int i = 0; i < n; ++i)
                if (pages[i].kind != -2) Draw_Caption(r, l, i, Tab_X(r, l, i, left) + 8, false);
        }
        l.reg = Add_Register_to_PS(left, r.tab_top, right, r.y2 - d->margin_bottom - footer, r.tab_bottom);
        int last_visible = -1;
        for (int i = 0; i < n; ++i)
            if (pages[i].kind != -2) last_visible = i;
        for (int i = 0; i < n; ++i) {
            if (pages[i].kind == -2) {
                l.member[i] = Add_Member_to_Register(l.reg, right, right, 0, 1000 + i);
                continue;
            }
            const int xs = Tab_X(r, l, i, left);
            const int xe = (i == last_visible && d->tab_width <= 0) ? right : xs + r.tab_width;
            l.member[i] = Add_Member_to_Register(l.reg, xs, xe, 1, 1000 + i);
        }
        // A remembered page without a tab: the first page that has one.
        if (pages[l.current_page].kind == -2)
            for (int i = 0; i < n; ++i)
                if (pages[i].kind != -2) {
                    l.current_page = i;
                    break;
                }
        if (kind != 4 && kind != 8) Set_Selected_Register_Member(l.reg, 1000 + l.current_page);
    }
    const int bx1 = r.x1 + margin + d->margin_left, by1 = r.y1 + margin + header + d->margin_top + tab_row;
    const int bx2 = r.x2 - margin - d->margin_right, by2 = r.y2 - margin - d->margin_bottom - footer;
    for (int i = 0; i < n; ++i) Create_Page_Area(r, l, i, bx1, by1, bx2, by2, kind != 1 && kind != 3);

    Add_Buttons(r);
    if (d->after_define) d->after_define(r.x1, r.y1, r.x2, r.y2);
    for (int i = 0; i < n; ++i)
        if (pages[i].after_create) pages[i].after_create(l.table[i]);
    if (form_mouse_to_button && r.focus) Move_Mouse_Cursor_to_Button_of_PS(r.focus, 0, 0);
    Activate_Prop_Sheet();
    pxBuff(buffering);
    Prop_Sheet_Displacement(&r.dx, &r.dy);

    int shown = -1;
    int result = 0;
    for (;;) {
        Draw_Footer(r);
        if (r.focus) Change_Activity_PS(r.focus, 1);
        const int cycle_buffering = pxBuff(-1);
        if (d->every_cycle) d->every_cycle(l.current_page);
        if (shown >= 0 && l.current_page != shown) {
            Deactivate_Page(l, shown);
            if (d->page_change && d->page_change(shown, l.current_page)) l.current_page = shown;
        }
        if (pages[l.current_page].kind == 0 || pages[l.current_page].kind == -2) {
            int next = shown >= 0 ? shown : 0;
            if (l.current_page == shown || shown < 0) {
                next = l.current_page;
                for (int i = 0; i < n; ++i)
                    if (pages[i].kind != 0 && pages[i].kind != -2) {
                        next = i;
                        break;
                    }
            }
            l.current_page = next;
        }
        if (l.reg) {
            Set_Selected_Register_Member(l.reg, 1000 + l.current_page);
            if (!d->tab_bitmap[0])
                for (int i = 0; i < n; ++i)
                    if (pages[i].kind == 0 && i != l.current_page)
                        Draw_Caption(r, l, i, Tab_X(r, l, i, r.x1 + d->margin_left) + 8, true);
        }
        Build_Page(l, l.current_page);
        shown = l.current_page;
        pxBuff(cycle_buffering);
        pxFlsh();

        int code;
        if (d->preset_result != -1) {
            code = d->preset_result;
            d->preset_result = -1;
        } else {
            code = Edit_Prop_Sheet();
        }
        if (code != 100 && code != 200) {
            int handled = 0;
            if (d->event) {
                Activate_Call_Allways_Function(0);
                handled = d->event(code);
                if (hover_installed) Activate_Call_Allways_Function(1);
            }
            if (!handled) {
                if (several && code >= 1000 && code <= 1999 && code - 1000 < n) {
                    l.current_page = code - 1000;
                } else if (code >= 2000 && code <= 2999 && code - 2000 < n) {
                    const int p = code - 2000;
                    if (Table_Editor_Handle_Event(l.table[p]) == 0) Area_Handle_Event(l.area[p]);
                }
            }
            if (form_cancel_request) code = 100;
            else if (form_ok_request) code = 200;
        }
        form_cancel_request = 0;
        form_ok_request = 0;
        if (code == 100) {
            centre_x += r.dx;
            centre_y += r.dy;
            if (d->cancel_check && d->cancel_check()) continue;
            result = 0;
            break;
        }
        if (code == 200) {
            centre_x += r.dx;
            centre_y += r.dy;
            if (Form_Close_Checks(level_count)) continue;
            if (d->close_check && d->close_check()) continue;
            result = 1;
            break;
        }
    }
    dialog_origin_x += r.dx;
    dialog_origin_y += r.dy;
    Close_Level(r, l, true);
    if (d->on_close) d->on_close();
    d->last_page = l.current_page;
    Undefine_Prop_Sheet();
    l = Level();
    --level_count;
    form_cancel_request = 0;
    form_ok_request = 0;
    ctx = outer;
    return result;
}

int Form_Run_Dialog(Form_Dialog* dialog, Form_Page pages[]) { return Form_Run_Register_Dialog(dialog, 1, pages); }

int Form_Run_Simple_Dialog(const char* title, int content_height, int content_width, const char* page_name,
                           void (*build)(int area, int table))
{
    Form_Dialog dialog;
    Form_Page page;
    Form_Dialog_Defaults(&dialog);
    std::snprintf(dialog.title, sizeof dialog.title, "%s", title);
    dialog.content_height = content_height;
    dialog.content_width = content_width;
    Form_Page_Defaults(1, &page);
    std::snprintf(page.name, sizeof page.name, "%s", page_name);
    page.build = build;
    return Form_Run_Dialog(&dialog, &page);
}

int Form_Run_Page_Dialog(int content_height, int content_width, const char* title, int n, Form_Page pages[],
                         void (*footer)(char* text), const char* help_topic)
{
    if (!pages || n < 1) return 0;
    if (level_count >= kMaxLevels) {
        Refuse("Dialogebenen");
        return 0;
    }
    const Context outer = ctx;
    if (!page_centre_set) {
        page_centre_x = NPIXEL_X / 2;
        page_centre_y = NPIXEL_Y / 2;
        page_centre_set = true;
    }
    const bool several = n > 1;
    const int extra = several ? 40 : 7, inset = several ? 20 : 14, tab_row = several ? 30 : 0;
    const int footer_h = several ? 35 : 30, margin = several ? 10 : 7, header = several ? 40 : 35;
    const int iw = std::min(content_width, NPIXEL_X - inset - 30);
    const int ih = std::min(content_height, NPIXEL_Y - header - footer_h - tab_row - 45);
    Runner r;
    r.simple = true;
    r.footer = footer;
    r.cancel_code = 1;
    r.ok_code = 2;
    const int width = iw + 4 * margin, height = ih + extra + margin + header + footer_h;
    r.x1 = page_centre_x - width / 2;
    r.y1 = page_centre_y - height / 2;
    r.x2 = r.x1 + width;
    r.y2 = r.y1 + height;
    Check_Prop_Sheet_Frames(&r.x1, &r.y1, &r.x2, &r.y2);
    Define_Prop_Sheet(r.x1, r.y1, r.x2, r.y2, 1, 0, title ? title : "", 140, 1);
    dialog_origin_x = r.x1;
    dialog_origin_y = r.y1;
    Form_Dialog none;
    Form_Dialog_Defaults(&none);
    r.d = &none;
    Level& l = Push_Level(nullptr, n, pages);
    l.current_page = 0;
    r.shown_kind.resize(n);
    for (int i = 0; i < n; ++i) r.shown_kind[i] = pages[i].kind;
    if (several) {
        r.tab_width = (iw + 2 * margin - (n - 1)) / n;
        r.tab_top = r.y1 + header;
        r.tab_bottom = r.tab_top + tab_row;
        for (int i = 0; i < n; ++i) Draw_Caption(r, l, i, Tab_X(r, l, i, r.x1 + margin) + 8, pages[i].kind == 0);
        l.reg = Add_Register_to_PS(r.x1 + margin, r.tab_top, r.x2 - margin, r.y2 - footer_h - margin, r.tab_bottom);
        for (int i = 0; i < n; ++i) {
            const int xs = Tab_X(r, l, i, r.x1 + margin);
            l.member[i] = Add_Member_to_Register(l.reg, xs, i == n - 1 ? r.x2 - margin : xs + r.tab_width,
                                                 pages[i].kind == 0 ? -1 : 1, 1000 + i);
        }
        Set_Selected_Register_Member(l.reg, 1000 + l.current_page);
    }
    for (int i = 0; i < n; ++i)
        Create_Page_Area(r, l, i, r.x1 + inset, r.y1 + header + tab_row + (several ? 10 : 0), r.x2 - inset,
                         r.y2 - footer_h - margin, true);
    const int by = r.y2 - 29;
    const int cancel = Add_Single_Button_to_PS(r.x1 + margin - 3, by, 0, 1, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Set_Comment_to_Button_PS(cancel, "abbrechen");
    r.help_x = footer ? r.x1 + margin + 30 : (r.x1 + r.x2) / 2 - 23;
    if (help_topic && *help_topic) Set_Comment_to_Button_PS(Add_Help_to_PS(r.help_x, by, help_topic), "Hilfe");
    const int ok = Add_Single_Button_to_PS(r.x2 - margin - 20, by, 0, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    Set_Comment_to_Button_PS(ok, "best\x84tigen");
    r.footer_x2 = r.x2 - margin - 40;
    r.focus = cancel;
    for (int i = 0; i < n; ++i)
        if (pages[i].after_create) pages[i].after_create(l.table[i]);
    if (form_mouse_to_button) Move_Mouse_Cursor_to_Button_of_PS(cancel, 0, 0);
    Activate_Prop_Sheet();
    Prop_Sheet_Displacement(&r.dx, &r.dy);

    int shown = -1;
    int result = 0;
    for (;;) {
        Draw_Footer(r);
        for (int pass = 0; pass < 2; ++pass) {
            if (several) {
                for (int i = 0; i < n; ++i)
                    if (pages[i].kind != r.shown_kind[i]) {
                        Change_Activity_PS(l.member[i], pages[i].kind == 0 ? -1 : 1);
                        r.shown_kind[i] = pages[i].kind;
                    }
                if (pages[l.current_page].kind == 0) l.current_page = l.current_page > 0 ? l.current_page - 1 : 1;
                l.current_page = std::clamp(l.current_page, 0, n - 1);
                Set_Selected_Register_Member(l.reg, 1000 + l.current_page);
                for (int i = 0; i < n; ++i)
                    if (i != l.current_page)
                        Draw_Caption(r, l, i, Tab_X(r, l, i, r.x1 + margin) + 8, pages[i].kind == 0);
            }
            if (shown >= 0 && shown != l.current_page) Deactivate_Page(l, shown);
            Build_Page(l, l.current_page);
            shown = l.current_page;
            bool changed = false;
            for (int i = 0; i < n; ++i) changed = changed || pages[i].kind != r.shown_kind[i];
            if (!several || !changed) break;
        }
        pxFlsh();
        const int code = Edit_Prop_Sheet();
        if (code == 1) {
            result = 0;
            break;
        }
        if (code == 2) {
            if (Form_Close_Checks(level_count)) continue;
            result = 1;
            break;
        }
        if (several && code >= 1000 && code <= 1999 && code - 1000 < n && pages[code - 1000].kind != 0) {
            l.current_page = code - 1000;
        } else if (code >= 2000 && code <= 2999 && code - 2000 < n) {
            const int p = code - 2000;
            if (Table_Editor_Handle_Event(l.table[p]) == 0) Area_Handle_Event(l.area[p]);
        }
    }
    page_centre_x += r.dx;
    page_centre_y += r.dy;
    Close_Level(r, l, false);
    Undefine_Prop_Sheet();
    l = Level();
    --level_count;
    ctx = outer;
    return result;
}

// ---- Hover ------------------------------------------------------------------------------

int Form_Register_Hover_Area(int escape, int area, int x1, int y1, int x2, int y2, int* dx, int* dy)
{
    if (!Append(hover_areas, hover_area_count, kMaxHoverAreas, {escape, area, x1, y1, x2, y2, dx, dy}, "Hover-Bereiche"))
        return 0;
    if (!hover_installed) {
        Define_Call_Allways_Function(Form_Hover_Callback);
        Activate_Call_Allways_Function(1);
        hover_installed = true;
    }
    return 1;
}

void Form_Unregister_Hover_Area()
{
    if (hover_area_count > 0) --hover_area_count;
    if (hover_area_count == 0 && hover_installed) {
        Activate_Call_Allways_Function(0);
        Define_Call_Allways_Function(nullptr);
        hover_installed = false;
    }
}

void Form_Activate_Hover(int on) { Activate_Call_Allways_Function(on && hover_installed ? 1 : 0); }
int Form_Hover_Installed() { return hover_installed ? 1 : 0; }
int Form_Hover_Area() { return ctx.hover_area; }

int Form_Enter_Hover_Cell(const Form_Hover_Cell& cell)
{
    return Append(hover_cells, hover_cell_count, kMaxHoverCells, cell, "Hover-Felder") ? 1 : 0;
}
int Form_Hover_Cell_Count() { return hover_cell_count; }

int Form_Enter_Tip(const Form_Tip& tip)
{
    return Append(tips, tip_count, kMaxTips, tip, "Tooltips") ? 1 : 0;
}
int Form_Tip_Count() { return tip_count; }
const Form_Tip* Form_Get_Tip(int i) { return i >= 0 && i < tip_count ? &tips[i] : nullptr; }

namespace {

// The registry entry of a hover area (its escape id), or null when it is not active.
const Hover_Area* Active_Hover_Area(int escape)
{
    for (int i = hover_area_count - 1; i >= 0; --i) {
        const Hover_Area& h = hover_areas[i];
        if (h.escape != escape) continue;
        if (h.area < 0 || h.area >= AREA_COUNT || scroll_areas[h.area].handle < 0 || scroll_areas[h.area].active != 1)
            return nullptr;
        return &h;
    }
    return nullptr;
}

// The pointer in the hover area's content pixels, and the offset from content to screen.
void Pointer_In(const Hover_Area& h, int* px, int* py, int* ox, int* oy)
{
    int sx = 0, sy = 0;
    Area_Query_Scroll(h.area, &sx, &sy);
    const int dx = h.dx ? *h.dx : 0, dy = h.dy ? *h.dy : 0;
    *ox = dx + h.x1 - sx;
    *oy = dy + h.y1 - sy;
    *px = M_XPOS - *ox;
    *py = M_YPOS - *oy;
}

void Remove_Tip()
{
    if (!tip_shown) return;
    Restore_Screen_Rectangle(tip_rect[0], tip_rect[1], tip_rect[2], tip_rect[3]);
    tip_shown = false;
}

void Draw_Cell(const Form_Hover_Cell& c, const char* image, int ox, int oy, bool hover)
{
    int r = 0, g = 0, b = 0;
    pxQCR(c.key_colour, &r, &g, &b);
    const int w = c.x2 - c.x1, h = c.y2 - c.y1;
    pxDrawPartialTransparentDIB(image, 0, 0, w, h, c.x1 + ox, c.y1 + oy, c.x2 + ox, c.y2 + oy, 201, -1, r, g,
                                b);
    if (!c.text[0]) return;
    const int font = c.font & ~0x10000;
    Pop_RFont(font);
    pxFgc(c.text_colour);
    pxText(c.text_x + ox, c.text_y + oy, c.text, -1);
    if (hover && (c.font & 0x10000)) pxText(c.text_x + ox + 1, c.text_y + oy, c.text, -1);
    Push_RFont();
}

} // namespace

void Form_Hover_Callback()
{
    const int colour = pxQFgc();
    // Tool tips.
    bool hit = false;
    for (int i = 0; i < tip_count && !hit; ++i) {
        const Form_Tip& t = tips[i];
        const Hover_Area* h = Active_Hover_Area(t.hover_area);
        if (!h) continue;
        int px, py, ox, oy;
        Pointer_In(*h, &px, &py, &ox, &oy);
        if (!(px > t.x1 && px < t.x2 && py > t.y1 && py < t.y2)) continue;
        hit = true;
        if (tip_shown) break;
        const int cx = (t.x1 + t.x2) / 2 + ox;
        const int bx1 = t.alignment == 3 ? cx - t.width : cx;
        const int by1 = t.placement == 0 ? t.y1 + oy - 5 - t.height : t.y2 + oy + 5;
        tip_rect[0] = bx1;
        tip_rect[1] = by1;
        tip_rect[2] = bx1 + t.width;
        tip_rect[3] = by1 + t.height;
        if (!Save_Screen_Rectangle(tip_rect[0], tip_rect[1], tip_rect[2], tip_rect[3])) break;
        tip_shown = true;
        pxFgc(WHITE_CI);
        pxRect(tip_rect[0], tip_rect[1], tip_rect[2], tip_rect[3]);
        pxFgc(Nearest_Color_Index(64, 64, 64));
        pxLine(tip_rect[0], tip_rect[1], tip_rect[2], tip_rect[1]);
        pxLine(tip_rect[2], tip_rect[1], tip_rect[2], tip_rect[3]);
        pxLine(tip_rect[2], tip_rect[3], tip_rect[0], tip_rect[3]);
        pxLine(tip_rect[0], tip_rect[3], tip_rect[0], tip_rect[1]);
        Pop_RFont(4096);
        for (int k = 0; k < t.lines; ++k) pxText(bx1 + 3, by1 + 12 + 12 * k, t.text[k], -1);
        Push_RFont();
    }
    if (!hit) Remove_Tip();

    // Hover cells.
    int under = -1;
    int ox = 0, oy = 0;
    for (int i = 0; i < hover_cell_count && under < 0; ++i) {
        const Form_Hover_Cell& c = hover_cells[i];
        const Hover_Area* h = Active_Hover_Area(c.hover_area);
        if (!h) continue;
        int px, py;
        Pointer_In(*h, &px, &py, &ox, &oy);
        if (px >= c.x1 && px <= c.x2 && py >= c.y1 && py <= c.y2) under = i;
    }
    if (under >= 0 && highlighted_cell < 0) {
        const Form_Hover_Cell& c = hover_cells[under];
        highlighted_rect[0] = c.x1 + ox;
        highlighted_rect[1] = c.y1 + oy;
        highlighted_rect[2] = c.x2 + ox;
        highlighted_rect[3] = c.y2 + oy;
        Save_Screen_Rectangle(highlighted_rect[0], highlighted_rect[1], highlighted_rect[2], highlighted_rect[3]);
        Draw_Cell(c, c.hover_image, ox, oy, true);
        highlighted_cell = under;
    } else if (under < 0 && highlighted_cell >= 0) {
        // The saved pixels are the cell as it was drawn; they serve for both kinds of cell.
        Restore_Screen_Rectangle(highlighted_rect[0], highlighted_rect[1], highlighted_rect[2], highlighted_rect[3]);
        highlighted_cell = -1;
    }
    pxFgc(colour);
}

namespace form_internal {
void Reset()
{
    ctx = Context();
    int_shadow_count = clamp_count = scale_count = 0;
    hover_area_count = 0;
    hover_installed = false;
    hover_cell_count = 0;
    highlighted_cell = -1;
    tip_count = 0;
    tip_shown = false;
    level_count = 0;
    dialog_centre_set = false;
    page_centre_set = false;
    form_drop_int_shadows = 1;
    form_mouse_to_button = 1;
    form_cancel_request = form_ok_request = form_redraw_request = 0;
}
} // namespace form_internal
