// Scroll areas: events (clicks, fields edited in place, the text-box editor, short keys),
// scrolling, the small accessors and the text extents.
#include "platform/screen/screen.h"
#include "platform/screen/editors.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area.h"
#include "toolkit/scroll_area_internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

Text_Box_State* edited_text_box = nullptr;

namespace {

double value_before_edit = 0.0;

constexpr int PASTE_LIMIT = 5000;

bool cursor_colour_known = false;
int cursor_colour = 0;

void Wait_For_Release()
{
    while (M_LEFT) Get_Mouse_Event();
}

bool Editable(const Area_Item* p) { return p->editable && *p->editable; }

bool Is_Field(int type)
{
    return type == AREA_FLOAT_FIELD || type == AREA_TEXT_FIELD || type == AREA_CHOICE ||
           type == AREA_PICTURE_CHOICE;
}

// Width of a check box's or radio button's label for the hit test: none counts as -9.
int Button_Label_Width(const Area_Item* p)
{
    const int w = Area_Text_Width(p->text, p->font);
    return w == 0 ? -9 : w;
}

// Width of a text field's box: the edit length times the width of "X", as wide as the
// box the field is edited in.
int Text_Field_Width(const Area_Item* p) { return p->y2 * Area_Text_Width("X", p->font); }

// Width of a field for the hit test.
int Field_Hit_Width(const Area_Item* p)
{
    if (p->type == AREA_CHOICE) return p->aux + 18;
    if (p->type == AREA_TEXT_FIELD) return Text_Field_Width(p);
    return Area_Number_Width(p);
}

// Width of a field when it is brought into view.
int Field_View_Width(const Area_Item* p)
{
    switch (p->type) {
    case AREA_FLOAT_FIELD: return Raise_To_Even(Area_Number_Width(p)) + 2;
    case AREA_TEXT_FIELD: return Text_Field_Width(p);
    case AREA_CHOICE: return p->aux + 18;
    default: return p->x2 + 20;
    }
}

bool Hit(const Area_Item* p, const Area_Screen& s, int mx, int my)
{
    const int sx = s.ax1 + p->x1 - s.sx0, sy = s.ay1 + p->y1 - s.sy0;
    const int sx2 = s.ax1 + p->x2 - s.sx0, sy2 = s.ay1 + p->y2 - s.sy0;
    switch (p->type) {
    case AREA_CHECK_BOX:
    case AREA_RADIO_BUTTON: {
        if (!Editable(p)) return false;
        const int w = Button_Label_Width(p);
        return sx - 20 <= mx && mx <= sx + w && sy - 10 <= my && my <= sy + 2;
    }
    case AREA_CLICK_TEXT: {
        const int w = Area_Text_Width(p->text, p->font);
        return sx - 2 <= mx && mx <= sx + w + 2 && sy - 9 <= my && my <= sy + 2;
    }
    case AREA_FLOAT_FIELD:
    case AREA_TEXT_FIELD:
    case AREA_CHOICE: {
        if (!Editable(p) || p->y1 - s.sy0 < 12 || !(sy + 2 < s.ay2)) return false;
        const int w = Field_Hit_Width(p);
        return sx - 6 <= mx && mx <= sx + w + 6 && sy - 13 <= my && my <= sy + 5;
    }
    case AREA_PICTURE_CHOICE:
        return Editable(p) && sx <= mx && mx <= sx + p->x2 + 20 && sy <= my && my <= sy + p->y2 + 5;
    case AREA_CLICK_CELL:
    case AREA_TEXT_BOX:
        return sx <= mx && mx <= sx2 && sy <= my && my <= sy2;
    case AREA_BITMAP_BUTTON:
        return Editable(p) && sx <= mx && mx <= sx2 && sy <= my && my <= sy2;
    default:
        return false;
    }
}

// The pressed look of a bitmap button, held until the left button is released.
void Press_Bitmap_Button(const Area_Item* p, const Area_Screen& s)
{
    const int sx1 = s.ax1 + p->x1 - s.sx0, sy1 = s.ay1 + p->y1 - s.sy0;
    const int sx2 = s.ax1 + p->x2 - s.sx0, sy2 = s.ay1 + p->y2 - s.sy0;
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    pxView(s.ax1, s.ay1, s.ax2, s.ay2);
    Area_Draw_Button_Column(p, 3, sx1, sy1, sx2, sy2);
    Wait_For_Release();
    Area_Draw_Button_Column(p, 1, sx1, sy1, sx2, sy2);
    pxView(vx1, vy1, vx2, vy2);
}

// Runs the editor of one field at its screen position; 1: go on to the next field, -1:
// back to the one before (Shift+Tab), 0: stay.
int Edit_Field(Area_Item* p, const Area_Screen& s)
{
    const int sx = s.ax1 + p->x1 - s.sx0, sy = s.ay1 + p->y1 - s.sy0;
    int r = 0;
    // A list goes on to the next field only when its entry was taken with Enter: after a
    // pick with the pointer the next click or key is the user's own, not a list's.
    switch (p->type) {
    case AREA_PICTURE_CHOICE:
        r = Area_Picture_Choice_Popup(s.ay1, s.ay2, sx, sy, p) == 1;
        if (p->check_int_fn && p->value_ptr) p->check_int_fn(*p->value_ptr);
        break;
    case AREA_CHOICE:
        r = Area_Choice_Popup(sx, sy, p) == 1;
        if (p->check_int_fn && p->value_ptr) p->check_int_fn(*p->value_ptr);
        break;
    case AREA_FLOAT_FIELD:
        if (!p->number) break;
        value_before_edit = *p->number;
        r = Short_Edit_Float(sx - 8, sy - 14, p->text, p->number);
        if (p->check_fn) p->check_fn(p->number);
        break;
    case AREA_TEXT_FIELD: {
        // The editor works on a copy of at most 511 characters; a longer field keeps the
        // characters beyond the copy.
        char local[AREA_SHOWN_TEXT_SIZE];
        const int capacity = std::min(p->aux, AREA_SHOWN_TEXT_SIZE - 1);
        const int held = std::min(static_cast<int>(std::strlen(p->text)), capacity);
        std::memcpy(local, p->text, static_cast<size_t>(held));
        std::memset(local + held, 0, sizeof local - static_cast<size_t>(held));
        const int length = std::min(p->y2, capacity);
        if (length < capacity) Set_Short_Edit_Text_Scrollmode(capacity);
        r = Short_Edit_Text(sx - 8, sy - 14, local, length, 0);
        // A refused text leaves the field as it was, and the walk stops there.
        if (p->check_text_fn && std::strcmp(local, p->text) != 0 && !p->check_text_fn(local)) {
            r = 0;
            break;
        }
        const int n = std::min(static_cast<int>(std::strlen(local)), capacity);
        std::memcpy(p->text, local, static_cast<size_t>(n));
        if (p->aux <= capacity) p->text[n] = '\0';
        break;
    }
    default:
        break;
    }
    M_XPOS = sx;
    M_YPOS = sy - 8;
    return r;
}


// Scrolls the area so that the field is in view; the offsets in s follow.
void Bring_Into_View(Scroll_Area* a, const Area_Item* p, Area_Screen& s)
{
    const int w = Field_View_Width(p);
    int nx = s.sx0, ny = s.sy0;
    if (p->x1 - s.sx0 < 9) nx = p->x1 - 9;
    if (p->y1 - s.sy0 < 13) ny = p->y1 - 13;
    if (s.ax2 <= w + 5 + (s.ax1 + p->x1 - nx)) nx = s.ax1 + p->x1 + 6 + w - s.ax2;
    if (s.ay1 + p->y1 - ny + 4 >= s.ay2) ny = s.ay1 + p->y1 + 5 - s.ay2;
    nx = std::max(nx, 0);
    ny = std::max(ny, 0);
    if (nx == s.sx0 && ny == s.sy0) return;
    a->scroll_x = nx;
    a->scroll_y = ny;
    Set_Scrollable_Area_PS(a->handle, nx, ny);
    Area_Set_Slider_Activity(a);
    s.sx0 = nx;
    s.sy0 = ny;
}

// The value a field edits, to tell whether an edit changed it.
struct Field_Value {
    double number = 0;
    int index = 0;
    std::string text;
};

Field_Value Value_Of(const Area_Item* p)
{
    Field_Value v;
    if (p->type == AREA_FLOAT_FIELD && p->number) v.number = *p->number;
    else if (p->type == AREA_TEXT_FIELD && p->text) v.text = p->text;
    else if (p->value_ptr) v.index = *p->value_ptr;
    return v;
}

bool Same_Value(const Field_Value& x, const Field_Value& y)
{
    return std::memcmp(&x.number, &y.number, sizeof x.number) == 0 && x.index == y.index && x.text == y.text;
}

// Where a field's value lives: what names the field across a rebuild of the items.
const void* Value_Place(const Area_Item* p)
{
    if (p->type == AREA_FLOAT_FIELD) return p->number;
    if (p->type == AREA_TEXT_FIELD) return p->text;
    return p->value_ptr;
}

// Edits one field; as Edit_Field, where to go on. A changed value sets changed and ends
// the walk when the area's change hook asks for it; the field and the way are remembered
// for Area_Walk_On.
int Edit_And_Tell(Scroll_Area* a, Area_Item* p, const Area_Screen& s, bool& changed)
{
    const Field_Value before = Value_Of(p);
    const int r = Edit_Field(p, s);
    const bool change = !Same_Value(before, Value_Of(p));
    changed = changed || change;
    if (r && a->change_hook && change && a->change_hook() != 0) {
        a->walk_step = r;
        a->walk_from = Value_Place(p);
        a->walk_field_count = 0;
        for (const Area_Item* q = a->first_item; q; q = q->next) {
            if (q == p) a->walk_from_place = a->walk_field_count;
            if (Is_Field(q->type)) ++a->walk_field_count;
        }
        return 0;
    }
    return r;
}

// The editable field after p (step 1) or before it (step -1); null when there is none.
Area_Item* Neighbour_Field(const Scroll_Area* a, const Area_Item* p, int step)
{
    if (step > 0) {
        for (Area_Item* q = p->next; q; q = q->next)
            if (Is_Field(q->type) && Editable(q)) return q;
        return nullptr;
    }
    Area_Item* before = nullptr;
    for (Area_Item* q = a->first_item; q && q != p; q = q->next)
        if (Is_Field(q->type) && Editable(q)) before = q;
    return before;
}

// From field to field, on from p the way each edit asks (step: the way from p); true
// when a value changed.
bool Walk_From(Scroll_Area* a, Area_Item* p, Area_Screen& s, int step)
{
    bool changed = false;
    for (Area_Item* q = Neighbour_Field(a, p, step); q;) {
        Bring_Into_View(a, q, s);
        Area_Redraw(a);
        const int r = Edit_And_Tell(a, q, s, changed);
        q = r ? Neighbour_Field(a, q, r) : nullptr;
    }
    Area_Redraw(a);
    return changed;
}

int Field_Edit(Scroll_Area* a, Area_Item* p, Area_Screen s)
{
    Wait_For_Release();
    while (hitkey() != -1) getkey();
    a->walk_from_place = -1;
    bool changed = false;
    if (const int step = Edit_And_Tell(a, p, s, changed)) {
        Area_Redraw(a);
        Walk_From(a, p, s, step);
    }
    Area_Redraw(a);
    return 1;
}

// ---- The text-box editor ---------------------------------------------------------------

int Cursor_Colour()
{
    if (!cursor_colour_known) {
        cursor_colour = Nearest_RGB_Color(0, 0, 255);
        cursor_colour_known = true;
    }
    return cursor_colour;
}

void Erase_Cursor(Text_Box_State* s)
{
    if (s->cursor_x == 0) return;
    pxFgc(s->ground_colour);
    pxLine(s->cursor_x, s->cursor_y - 10, s->cursor_x, s->cursor_y + 4);
    s->cursor_x = 0;
}

void Draw_Box(Text_Box_State* s) { Text_Box_Draw(s->item, s->box_x1, s->box_y1, s->box_x2, s->box_y2); }

// Erase the cursor, repaint, scroll the cursor's line into view, draw the cursor.
void Repaint(Text_Box_State* s)
{
    Erase_Cursor(s);
    Draw_Box(s);
    Text_Box_Show_Cursor_Line(s);
    Text_Box_Draw_Cursor(s);
}

char* Last_Character(Text_Box_State* s) { return s->length > 0 ? s->text + s->length - 1 : s->text; }

bool Has_Selection(const Text_Box_State* s) { return s->sel_start != s->sel_end; }

void Clear_Selection(Text_Box_State* s) { s->sel_start = s->sel_end = nullptr; }

// Inserts one character at the cursor when there is room (capacity + 1 bytes, zero
// beyond the text).
void Insert_Character(Text_Box_State* s, char c)
{
    if (s->length >= s->capacity) return;
    char* end = s->text + s->length;
    std::memmove(s->cursor + 1, s->cursor, static_cast<size_t>(end - s->cursor));
    *s->cursor = c;
    ++s->cursor;
    ++s->length;
    s->text[s->length] = '\0';
}

void Remove_Character(Text_Box_State* s, char* at)
{
    char* end = s->text + s->length;
    if (at >= end) return;
    std::memmove(at, at + 1, static_cast<size_t>(end - at - 1));
    --s->length;
    s->text[s->length] = '\0';
}

void Copy_Selection_To_Clipboard(const Text_Box_State* s)
{
    if (!Has_Selection(s)) return;
    const size_t n = static_cast<size_t>(s->sel_end - s->sel_start);
    char* copy = static_cast<char*>(std::malloc(n + 1));
    if (!copy) return;
    std::memcpy(copy, s->sel_start, n);
    copy[n] = '\0';
    ZAVSetClipboardText(copy);
    std::free(copy);
}

void Paste(Text_Box_State* s)
{
    if (Has_Selection(s)) Text_Box_Delete_Selection(s);
    char* buffer = static_cast<char*>(std::malloc(PASTE_LIMIT + 1));
    if (!buffer) return;
    const int n = std::max(0, std::min(ZAVGetClipboardText(buffer, PASTE_LIMIT + 1), PASTE_LIMIT));
    buffer[n] = '\0';
    for (int i = 0; i < n && s->length < s->capacity; ++i) {
        char c = buffer[i];
        if (c == '\r') {
            // CR LF and a lone CR are one line break each.
            if (i + 1 < n && buffer[i + 1] == '\n') ++i;
            c = '\n';
        }
        Insert_Character(s, c);
    }
    std::free(buffer);
}

// The line that holds the cursor.
int Cursor_Line(const Text_Box_State* s)
{
    if (s->line_count < 2) return 0;
    for (int k = 0; k <= s->line_count - 2; ++k)
        if (s->cursor < s->lines[k + 1]) return k;
    return s->line_count - 1;
}

int Text_Box_Context_Menu()
{
    static const ZAV_Menu_Entry menu[] = {
        {"Sonderzeichen", 1, nullptr, Text_Box_Insert_Special_Character},
        {nullptr, 0, nullptr, nullptr},
    };
    return Menue_Manager(menu, -1, -1);
}

void Handle_Key(Text_Box_State* s, int key)
{
    switch (key) {
    case 1:  // Ctrl+A: all but the last character, the cursor on it
        s->sel_start = s->text;
        s->sel_end = Last_Character(s);
        s->cursor = s->sel_end;
        Repaint(s);
        return;
    case 3:  // Ctrl+C
        Copy_Selection_To_Clipboard(s);
        return;
    case 24:  // Ctrl+X
        if (!Has_Selection(s)) return;
        Copy_Selection_To_Clipboard(s);
        Text_Box_Delete_Selection(s);
        return;
    case 8:  // Backspace
        if (Has_Selection(s)) Text_Box_Delete_Selection(s);
        else if (s->cursor > s->text) {
            --s->cursor;
            Remove_Character(s, s->cursor);
        }
        break;
    case ZAV_KEY_DEL:
        if (Has_Selection(s)) Text_Box_Delete_Selection(s);
        else if (s->cursor < Last_Character(s)) Remove_Character(s, s->cursor);
        break;
    case 22:  // Ctrl+V
        Paste(s);
        break;
    case ZAV_KEY_HOME:
    case ZAV_KEY_END:
    case ZAV_KEY_CTRL_HOME:
    case ZAV_KEY_CTRL_END: {
        Clear_Selection(s);
        if (key == ZAV_KEY_CTRL_HOME) s->cursor = s->text;
        else if (key == ZAV_KEY_CTRL_END) s->cursor = Last_Character(s);
        else if (s->line_count < 2) s->cursor = s->text;
        else {
            const int line = Cursor_Line(s);
            if (key == ZAV_KEY_HOME) s->cursor = s->lines[line];
            else if (line + 1 < s->line_count) s->cursor = std::max(s->lines[line + 1] - 1, s->lines[line]);
        }
        Repaint(s);
        return;
    }
    case ZAV_KEY_UP: Text_Box_Move_Cursor(0, -1, s); return;
    case ZAV_KEY_DOWN: Text_Box_Move_Cursor(0, 1, s); return;
    case ZAV_KEY_PGUP: Text_Box_Move_Cursor(0, -s->visible_lines, s); return;
    case ZAV_KEY_PGDN: Text_Box_Move_Cursor(0, s->visible_lines, s); return;
    case ZAV_KEY_LEFT: Text_Box_Move_Cursor(-1, 0, s); return;
    case ZAV_KEY_RIGHT: Text_Box_Move_Cursor(1, 0, s); return;
    default:
        if (key == 13 || (key >= 32 && key <= 255)) {
            if (Has_Selection(s)) Text_Box_Delete_Selection(s);
            Insert_Character(s, key == 13 ? '\n' : static_cast<char>(key));
        }
        break;
    }
    Repaint(s);
}

// Left button down inside the box: place the cursor, select by dragging.
void Press_In_Box(Text_Box_State* s)
{
    Erase_Cursor(s);
    Text_Box_Cursor_From_Mouse(s);
    Text_Box_Draw_Cursor(s);
    char* anchor = s->cursor;
    const int x0 = M_XPOS, y0 = M_YPOS;
    bool dragging = false;
    ZAV_Message record;
    InitZAVMessage(&record);
    while (M_LEFT) {
        if (GetZAVMessage(0x40000021, &record) == 0) break;
        if (!M_LEFT) break;
        if (!dragging && std::abs(M_XPOS - x0) < 6 && std::abs(M_YPOS - y0) <= 5) continue;
        if (M_YPOS >= s->box_y2 && s->visible_lines + s->first_line < s->line_count - 2) {
            ++s->first_line;
            Draw_Box(s);
            ZAVSleep(50);
        } else if (M_YPOS <= s->box_y1 && s->first_line > 0) {
            --s->first_line;
            Draw_Box(s);
            ZAVSleep(50);
        }
        Text_Box_Cursor_From_Mouse(s);
        if (s->cursor != anchor) {
            s->sel_start = std::min(anchor, s->cursor);
            s->sel_end = std::max(anchor, s->cursor);
            Draw_Box(s);
            Text_Box_Draw_Cursor(s);
        }
        dragging = true;
    }
    if (!dragging || !Has_Selection(s)) {
        Clear_Selection(s);
        Erase_Cursor(s);
        Text_Box_Draw_Cursor(s);
        Draw_Box(s);
    }
}

int Edit_Text_Box(Scroll_Area* a, Area_Item* p, const Area_Screen& scr)
{
    Text_Box_State* s = p->data2.box;
    if (!s || !p->text) return 0;
    const int bx1 = scr.ax1 + p->x1 - scr.sx0, by1 = scr.ay1 + p->y1 - scr.sy0;
    const int bx2 = scr.ax1 + p->x2 - scr.sx0, by2 = scr.ay1 + p->y2 - scr.sy0;
    (void)a;
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    pxView(scr.ax1, scr.ay1, scr.ax2, scr.ay2);
    pxView(std::max(scr.ax1, bx1), std::max(scr.ay1, by1), std::min(scr.ax2, bx2), std::min(scr.ay2, by2));
    s->box_x1 = bx1;
    s->box_y1 = by1;
    s->box_x2 = bx2;
    s->box_y2 = by2;
    s->ground_colour = p->extra;
    s->text_colour = p->colour;
    s->text = p->text;
    s->item = p;
    s->length = static_cast<int>(std::strlen(p->text));
    if (!s->cursor || s->cursor < s->text || s->cursor > s->text + s->length) s->cursor = s->text;
    Clear_Selection(s);
    Cursor_Colour();
    edited_text_box = s;
    Pop_RFont(s->font);
    // A box that was never painted (its area inactive) has no lines to place the cursor on.
    if (s->line_count < 1) Draw_Box(s);
    Text_Box_Cursor_From_Mouse(s);
    Text_Box_Draw_Cursor(s);
    Text_Box_Draw_Gauges(s);
    GetZAVMessage(1, nullptr);

    ZAV_Message record;
    InitZAVMessage(&record);
    for (;;) {
        const int kind = GetZAVMessage(0x1400a, &record);
        if (kind == 0) break;
        if (kind == ZAV_MSG_WHEEL || M_SCROLL) {
            bool moved = false;
            if (M_SCROLL > 0 && s->first_line > 0) {
                --s->first_line;
                Text_Box_Move_Cursor(0, -1, s);
                moved = true;
            } else if (M_SCROLL < 0 && s->visible_lines + s->first_line < s->line_count - 2) {
                ++s->first_line;
                Text_Box_Move_Cursor(0, 1, s);
                moved = true;
            }
            if (moved) {
                Erase_Cursor(s);
                Draw_Box(s);
                Text_Box_Draw_Cursor(s);
            }
            M_SCROLL = 0;
        } else if (kind == ZAV_MSG_LEFT_DOWN) {
            if (M_XPOS < s->box_x1 || M_XPOS > s->box_x2 || M_YPOS < s->box_y1 || M_YPOS > s->box_y2) {
                // Leaving the box does not use up the press: it acts where it landed.
                Repeat_Left_Press();
                break;
            }
            Press_In_Box(s);
        } else if (kind == ZAV_MSG_RIGHT_DOWN) {
            Text_Box_Context_Menu();
            Erase_Cursor(s);
            Draw_Box(s);
            Text_Box_Show_Cursor_Line(s);
            Text_Box_Draw_Cursor(s);
        } else if (hitkey() != -1) {
            Handle_Key(s, getkey());
        }
        Text_Box_Draw_Gauges(s);
    }

    Erase_Cursor(s);
    s->first_line = 0;
    Clear_Selection(s);
    Draw_Box(s);
    Text_Box_Draw_Cursor(s);
    Push_RFont();
    pxView(vx1, vy1, vx2, vy2);
    edited_text_box = nullptr;
    return 0;
}

bool Any_Short_Key_On()
{
    return sheet_short_keys.jump || sheet_short_keys.help || sheet_short_keys.ok || sheet_short_keys.brk;
}

int Short_Key(Scroll_Area* a)
{
    if (!Any_Short_Key_On()) return 0;
    const int key = hitkey();
    if (key == -1) return 0;
    int value = 0;
    int* target = nullptr;
    if (key == 27 && sheet_short_keys.brk) {
        value = a->esc_value;
        target = a->esc_target;
    } else if (key == 13 && sheet_short_keys.ok) {
        value = a->enter_value;
        target = a->enter_target;
    } else if (key == ZAV_KEY_F1 && sheet_short_keys.help) {
        value = a->help_value;
        target = a->help_target;
    } else {
        return 0;
    }
    if (!target) return 0;
    *target = value;
    getkey();
    return 1;
}

} // namespace

double Area_Value_Before_Edit() { return value_before_edit; }

int Area_Walk_On(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->walk_from_place < 0) return 0;
    const int place = a->walk_from_place;
    a->walk_from_place = -1;
    Area_Item* same_value = nullptr;
    Area_Item* same_place = nullptr;
    int k = 0;
    for (Area_Item* p = a->first_item; p; p = p->next) {
        if (!Is_Field(p->type)) continue;
        if (!same_value && Value_Place(p) == a->walk_from) same_value = p;
        if (k++ == place) same_place = p;
    }
    Area_Item* from = k == a->walk_field_count ? same_place : same_value;
    if (!from) return 0;
    Area_Screen s = Area_Screen_Of(a);
    return Walk_From(a, from, s, a->walk_step) ? 1 : 0;
}

int Area_Handle_Event(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return 0;
    if (!M_LEFT) Area_Track_Wait(area);
    if (getkeymask() == 1) return 0;
    if (!M_LEFT) return Short_Key(a);

    const Area_Screen s = Area_Screen_Of(a);
    bool reset = false;
    for (Area_Item* p = a->first_item; p; p = p->next) {
        if (p->type == AREA_CLICK_TEXT && p->target.word && *p->target.word) {
            *p->target.word = 0;
            reset = true;
        }
    }

    const int mx = M_XPOS, my = M_YPOS;
    for (Area_Item* p = a->first_item; p; p = p->next) {
        if (!Hit(p, s, mx, my)) continue;
        switch (p->type) {
        case AREA_CHECK_BOX:
            if (p->value_ptr) {
                *p->value_ptr = *p->value_ptr == 0 ? 1 : 0;
                if (p->check_int_fn) p->check_int_fn(*p->value_ptr);
            }
            break;
        case AREA_RADIO_BUTTON:
            if (p->value_ptr) {
                *p->value_ptr = p->aux;
                if (p->check_int_fn) p->check_int_fn(*p->value_ptr);
            }
            break;
        case AREA_CLICK_TEXT:
            if (p->target.word) *p->target.word = static_cast<int>(p->data2.value);
            break;
        case AREA_CLICK_CELL:
            if (p->pointer_value) {
                if (p->target.pointer) *p->target.pointer = reinterpret_cast<void*>(p->data2.value);
            } else if (p->target.word) {
                *p->target.word = static_cast<int>(p->data2.value);
            }
            break;
        case AREA_BITMAP_BUTTON:
            Press_Bitmap_Button(p, s);
            if (p->value_ptr) *p->value_ptr = p->font;
            break;
        case AREA_TEXT_BOX:
            return Edit_Text_Box(a, p, s);
        default:
            return Field_Edit(a, p, s);
        }
        Area_Redraw(a);
        Wait_For_Release();
        return 1;
    }

    if (reset) Area_Redraw(a);
    Wait_For_Release();
    return reset ? 1 : 0;
}

// ---- Scrolling ---------------------------------------------------------------------------

void Area_Set_Scroll_Fraction(int area, double fx, double fy)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    if (fx >= 0 && a->hslider)
        a->scroll_x = static_cast<int>(std::min(fx, 1.0) * std::max(0, a->content_width - (a->x2 - a->x1)));
    if (fy >= 0 && a->vslider)
        a->scroll_y = static_cast<int>(std::min(fy, 1.0) * std::max(0, a->content_height - (a->y2 - a->y1)));
}

void Area_Get_Scroll_Fraction(int area, double* fx, double* fy)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    const int rx = a->content_width - (a->x2 - a->x1);
    const int ry = a->content_height - (a->y2 - a->y1);
    if (fx) *fx = a->hslider && rx > 0 ? static_cast<double>(a->scroll_x) / rx : 0.0;
    if (fy) *fy = a->vslider && ry > 0 ? static_cast<double>(a->scroll_y) / ry : 0.0;
}

void Area_Scroll_By(int area, int* dx, int* dy)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return;
    Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
    if (dx) {
        if (a->hslider) {
            const int to = std::clamp(a->scroll_x + *dx, 0, std::max(0, a->content_width - (a->x2 - a->x1)));
            *dx = to - a->scroll_x;
            a->scroll_x = to;
        } else {
            *dx = 0;
        }
    }
    if (dy) {
        if (a->vslider) {
            const int to = std::clamp(a->scroll_y + *dy, 0, std::max(0, a->content_height - (a->y2 - a->y1)));
            *dy = to - a->scroll_y;
            a->scroll_y = to;
        } else {
            *dy = 0;
        }
    }
}

void Area_Scroll_To(int area, int x1, int y1, int x2, int y2)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return;
    const int vw = a->x2 - a->x1, vh = a->y2 - a->y1;
    const int l = std::max(x1, 0), t = std::max(y1, 0);
    const int r = std::min(x2, a->content_width), b = std::min(y2, a->content_height);
    if (a->scroll_x <= l && r <= a->scroll_x + vw && a->scroll_y <= t && b <= a->scroll_y + vh) return;
    int tx = l < a->scroll_x || r - l >= vw ? l : r - vw;
    int ty = t < a->scroll_y || b - t >= vh ? t : b - vh;
    tx = std::min(std::max(tx, 0), a->content_width - vw);
    ty = std::min(std::max(ty, 0), a->content_height - vh);
    const int x0 = a->scroll_x, y0 = a->scroll_y;
    for (int i = 1; i <= 10; ++i) {
        a->scroll_x = x0 + i * (tx - x0) / 10;
        a->scroll_y = y0 + i * (ty - y0) / 10;
        Resize_Origin_of_Scrollable_Area_PS(a->handle, a->content_width, a->content_height);
        Set_Scrollable_Area_PS(a->handle, a->scroll_x, a->scroll_y);
        Area_Set_Slider_Activity(a);
        Change_Activity_PS(a->handle, 1);
        ZAVSleep(30);
    }
}

void Area_Query_Scroll(int area, int* x, int* y)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return;
    int sx = 0, sy = 0;
    Inquire_Scrollable_Area_PS(a->handle, &sx, &sy);
    if (x) *x = sx;
    if (y) *y = sy;
}

void Area_Sync_Scroll(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return;
    Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
}

void Area_Get_Origin(int area, int* x, int* y)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    int dx = 0, dy = 0;
    Inquire_Prop_Sheet_Displacement(&dx, &dy);
    if (x) *x = a->x1 + dx;
    if (y) *y = a->y1 + dy;
}

void Area_Get_Size(int area, int* w, int* h)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    if (w) *w = a->x2 - a->x1;
    if (h) *h = a->y2 - a->y1;
}

void Area_Get_Content_Size(int area, int* w, int* h)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a) return;
    if (w) *w = a->content_width;
    if (h) *h = a->content_height;
}

void Area_Track(int area)
{
    Scroll_Area* a = Area_Slot(area);
    if (!a || a->handle == AREA_RESERVED_HANDLE) return;
    Area_Track_Wait(area);
}

// ---- Text extents ----------------------------------------------------------------------

int Text_Extent_Width(const char* text, int n)
{
    if (!text || n <= 0) return 0;
    int xs[4] = {0, 0, 0, 0}, ys[4] = {0, 0, 0, 0};
    pxQTxX(text, n, 0, 0, xs, ys);
    return xs[1] - xs[0];
}

void Text_Box_Text_Extent(const char* text, int n, int x, int y, int* xs, int* ys)
{
    if (!xs || !ys) return;
    pxQTxX(text ? text : "", text ? n : 0, x, y, xs, ys);
    if (edited_text_box && edited_text_box->font == 0) {
        const int w = n > 0 ? 8 * n - 3 : 0;
        xs[0] = xs[3] = x;
        xs[1] = xs[2] = x + w;
    }
}

namespace area_test {
void Reset_Input_State()
{
    cursor_colour_known = false;
    edited_text_box = nullptr;
}
} // namespace area_test
