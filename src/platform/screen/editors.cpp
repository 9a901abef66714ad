#include "platform/screen/editors.h"

#include "platform/messages.h"
#include "platform/screen/backend.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/sheets.h"
#include "platform/screen/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int LAST_SHEET_EDIT_KEY = 0;

namespace {

constexpr int MAX_FLOAT_TEXT = 40;
constexpr int BOX_HEIGHT = 19;
constexpr int TEXT_INSET = 8;
constexpr int CURSOR_COLOUR = 0x0000FF;
constexpr int SELECTION_COLOUR = 0x3399FF;

int scroll_capacity = 0;
std::string process_clipboard;

// The drawing state that an editor or a menu leaves as it found it.
struct Saved_Drawing {
    int colour, mode, view[4];
    Saved_Drawing() : colour(pxQFgc()), mode(pxQBop())
    {
        pxQVwp(&view[0], &view[1], &view[2], &view[3]);
        pxSBop(0);
        pxSLn(0);
    }
    ~Saved_Drawing()
    {
        pxFgc(colour);
        pxSBop(mode);
        pxView(view[0], view[1], view[2], view[3]);
    }
};

int Width(const std::string& text, size_t from, size_t to)
{
    if (to <= from) return 0;
    return Get_Text_Width_Px(text.substr(from, to - from).c_str());
}

// One line of text edited in a box. Returns the key that ended it: 13, 9, Shift+Tab, 27,
// Up, Down, or 0 for a press outside the box.
class Line_Editor {
public:
    Line_Editor(int x, int y, int text_width, std::string text, size_t max_length, bool (*accept)(int))
        : x_(x), y_(y), text_width_(std::max(text_width, 16)), text_(std::move(text)), max_(max_length),
          accept_(accept)
    {
        if (text_.size() > max_) text_.resize(max_);
        cursor_ = text_.size();
    }

    const std::string& Text() const { return text_; }
    // A character was typed while the text was full (and so was not taken).
    bool Overflowed() const { return overflowed_; }

    int Run()
    {
        if (!Current_Backend_Ready()) return 27;
        Saved_Drawing saved;
        const int x2 = Right(), y2 = y_ + BOX_HEIGHT;
        pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        Save_Screen_Rectangle(x_, y_, x2, y2);
        ZAV_Message m;
        InitZAVMessage(&m);
        int end = -1;
        while (end < 0) {
            Draw();
            // The frame's close request is asked about while a field is edited too; the
            // answer "no" goes on with the edit.
            const int kind = GetZAVMessage(ZAV_MSG_KEY | ZAV_MSG_LEFT_DOWN | ZAV_MSG_SHEET, &m);
            if (kind == ZAV_MSG_SHEET) {
                Serve_Close_Request();
            } else if (kind == ZAV_MSG_LEFT_DOWN) {
                if (m.x >= x_ && m.x <= x2 && m.y >= y_ && m.y <= y2) {
                    // A double click takes the whole text, so that typing replaces it;
                    // a single one places the cursor.
                    all_selected_ = Left_Press_Is_Double();
                    if (!all_selected_) Cursor_From(m.x);
                } else {
                    // The press ends the edit and still acts where it landed.
                    Repeat_Left_Press();
                    end = 0;
                }
            } else if (kind == ZAV_MSG_KEY) {
                end = Key(getkey());
            } else if (kind == 0) {
                end = 27;
            }
        }
        pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        Restore_Screen_Rectangle(x_, y_, x2, y2);
        return end;
    }

private:
    int x_, y_, text_width_;
    std::string text_;
    size_t max_;
    bool (*accept_)(int);
    size_t cursor_ = 0;
    size_t view_ = 0;  // first character shown
    bool all_selected_ = true;
    bool overflowed_ = false;

    static bool Current_Backend_Ready() { return screen::Current_Backend() && screen::Framebuffer_Ready(); }
    int Right() const { return x_ + text_width_ + 2 * TEXT_INSET; }

    void Cursor_From(int x)
    {
        size_t best = view_;
        int best_distance = 1 << 30;
        for (size_t i = view_; i <= text_.size(); ++i) {
            const int d = std::abs(x_ + TEXT_INSET + Width(text_, view_, i) - x);
            if (d < best_distance) {
                best_distance = d;
                best = i;
            }
        }
        cursor_ = best;
    }

    void Insert(int key)
    {
        if (all_selected_) {
            text_.clear();
            cursor_ = 0;
            all_selected_ = false;
        }
        if (text_.size() >= max_) {
            overflowed_ = true;
            return;
        }
        text_.insert(text_.begin() + static_cast<long>(cursor_), static_cast<char>(key));
        ++cursor_;
    }

    int Key(int key)
    {
        switch (key) {
        case 13:
        case 9:
        case ZAV_KEY_SHIFT_TAB:
        case 27:
        case ZAV_KEY_UP:
        case ZAV_KEY_DOWN:
            return key;
        case 1:  // Ctrl+A: the whole text, replaced by the next character typed
            all_selected_ = true;
            cursor_ = text_.size();
            return -1;
        case 8:
            if (all_selected_) {
                text_.clear();
                cursor_ = 0;
            } else if (cursor_ > 0) {
                text_.erase(--cursor_, 1);
            }
            break;
        case ZAV_KEY_DEL:
            if (all_selected_) {
                text_.clear();
                cursor_ = 0;
            } else if (cursor_ < text_.size()) {
                text_.erase(cursor_, 1);
            }
            break;
        case ZAV_KEY_LEFT:
            if (!all_selected_ && cursor_ > 0) --cursor_;
            break;
        case ZAV_KEY_RIGHT:
            if (cursor_ < text_.size()) ++cursor_;
            break;
        case ZAV_KEY_HOME:
        case ZAV_KEY_CTRL_HOME:
            cursor_ = 0;
            break;
        case ZAV_KEY_END:
        case ZAV_KEY_CTRL_END:
            cursor_ = text_.size();
            break;
        default:
            if (key >= 32 && key <= 255 && accept_(key)) Insert(key);
            return -1;
        }
        all_selected_ = false;
        return -1;
    }

    void Draw()
    {
        if (cursor_ < view_) view_ = cursor_;
        while (view_ < cursor_ && Width(text_, view_, cursor_) > text_width_) ++view_;
        const int x2 = Right(), y2 = y_ + BOX_HEIGHT;
        const int state = pxBuff(-1);
        pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
        screen::Draw_White_Box(x_, y_, x2, y2);
        pxView(x_ + 2, y_ + 1, x2 - 2, y2 - 1);
        const std::string shown = text_.substr(view_);
        const int tx = x_ + TEXT_INSET, base = y_ + 14;
        if (all_selected_ && !text_.empty()) {
            pxFgc(SELECTION_COLOUR);
            pxRect(tx - 1, y_ + 3, tx + Width(text_, view_, text_.size()), y2 - 3);
            pxFgc(0xFFFFFF);
        } else {
            pxFgc(0);
        }
        pxText(tx, base, shown.c_str(), static_cast<int>(shown.size()));
        if (!all_selected_) {
            const int cx = tx + Width(text_, view_, cursor_);
            pxFgc(CURSOR_COLOUR);
            pxLine(cx, y_ + 3, cx, y2 - 3);
        }
        pxBuff(state);
    }
};

bool Accept_Number(int c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ',' || c == 'e' || c == 'E' || c == ' ';
}

bool Accept_Any(int) { return true; }

// The number of the text, when the text is one finite number and nothing else.
bool Parse_Number(std::string text, double& value)
{
    std::replace(text.begin(), text.end(), ',', '.');
    const size_t a = text.find_first_not_of(' ');
    if (a == std::string::npos) return false;
    const size_t b = text.find_last_not_of(' ');
    text = text.substr(a, b - a + 1);
    for (char c : text)
        if (!Accept_Number(static_cast<unsigned char>(c)) || c == ' ') return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (!end || *end != '\0' || !std::isfinite(v)) return false;
    value = v;
    return true;
}

// What an edit ended by the key asks of a walk through the fields: 1 on to the next
// field (Enter, Tab), -1 back to the one before (Shift+Tab), 0 stay.
int Walk_Result(int end) { return end == 13 || end == 9 ? 1 : end == ZAV_KEY_SHIFT_TAB ? -1 : 0; }

std::string Trim_Right(std::string s)
{
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// ---- Pop-up lists of entries (menus and the character grid) -------------------------------

struct Popup_Geometry {
    int x1, y1, x2, y2;
};

Popup_Geometry Fit(int x, int y, int w, int h)
{
    if (x < 0 || y < 0) {
        int px, py;
        msStat(&px, &py);
        if (x < 0) x = px;
        if (y < 0) y = py;
    }
    if (x + w > NPIXEL_X - 1) x = std::max(0, NPIXEL_X - 1 - w);
    if (y + h > NPIXEL_Y - 1) y = std::max(0, NPIXEL_Y - 1 - h);
    return {x, y, x + w, y + h};
}

void Popup_Frame(const Popup_Geometry& g)
{
    pxFgc(0xFFFFFF);
    pxRect(g.x1, g.y1, g.x2, g.y2);
    pxFgc(ZAV_COLOUR_SHADOW);
    pxLine(g.x1, g.y1, g.x2, g.y1);
    pxLine(g.x1, g.y1, g.x1, g.y2);
    pxFgc(ZAV_COLOUR_DARK_EDGE);
    pxLine(g.x1, g.y2, g.x2, g.y2);
    pxLine(g.x2, g.y1, g.x2, g.y2);
}

constexpr int MENU_ROW = 20;
constexpr int HIGHLIGHT = 0x316AC5;

void Draw_Menu(const ZAV_Menu_Entry* menu, int count, const Popup_Geometry& g, int highlight)
{
    const int state = pxBuff(-1);
    Popup_Frame(g);
    Pop_RFont(0x1000);
    for (int i = 0; i < count; ++i) {
        const int top = g.y1 + 2 + i * MENU_ROW;
        if (i == highlight && menu[i].enabled) {
            pxFgc(HIGHLIGHT);
            pxRect(g.x1 + 2, top, g.x2 - 2, top + MENU_ROW - 1);
        }
        pxFgc(!menu[i].enabled ? 0xA0A0A0 : i == highlight ? 0xFFFFFF : 0);
        pxText(g.x1 + 10, top + 14, menu[i].text, -1);
        if (menu[i].submenu) {
            const int ax = g.x2 - 12, ay = top + MENU_ROW / 2;
            pxTri(ax, ay - 4, ax, ay + 4, ax + 4, ay);
        }
    }
    Push_RFont();
    pxBuff(state);
}

// The special characters: the fonts' symbols and the German letters (code page 850).
const unsigned char special_characters[] = {0x8C, 0xF2, 0xF3, 0xBA, 0xBE, 0xCB, 0xCC, 0xA3, 0xB0, 0xB2, 0xC0, 0x89,
                                            0x88, 0xF8, 0xFA, 0xFD, 0x84, 0x94, 0x81, 0x8E, 0x99, 0x9A, 0xE1};
constexpr int GRID_COLUMNS = 8;
constexpr int GRID_CELL = 26;

void Draw_Grid(const Popup_Geometry& g, int highlight)
{
    const int state = pxBuff(-1);
    Popup_Frame(g);
    Pop_RFont(0x1003);
    const int n = static_cast<int>(sizeof special_characters);
    for (int i = 0; i < n; ++i) {
        const int cx = g.x1 + 3 + (i % GRID_COLUMNS) * GRID_CELL, cy = g.y1 + 3 + (i / GRID_COLUMNS) * GRID_CELL;
        if (i == highlight) {
            pxFgc(HIGHLIGHT);
            pxRect(cx, cy, cx + GRID_CELL - 2, cy + GRID_CELL - 2);
        }
        pxFgc(i == highlight ? 0xFFFFFF : 0);
        const char text[2] = {static_cast<char>(special_characters[i]), 0};
        pxBTxt(cx, cy, cx + GRID_CELL - 2, cy + GRID_CELL - 2, text, 1, 0xD2);
    }
    Push_RFont();
    pxBuff(state);
}

std::string file_title = "Dateiname";
std::string file_filter;
std::string file_directory;

} // namespace

namespace {

// The field width of a printf format ("%6.1f" -> 6), or fallback when it gives none.
int Format_Width(const char* format, int fallback)
{
    const char* p = format ? std::strchr(format, '%') : nullptr;
    if (!p) return fallback;
    ++p;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    int width = 0;
    while (*p >= '0' && *p <= '9' && width < 100) width = width * 10 + (*p++ - '0');
    return width > 0 ? width : fallback;
}

} // namespace

int Short_Edit_Float(int x, int y, const char* format, double* value)
{
    if (!value) return 0;
    char printed[128];
    std::snprintf(printed, sizeof printed, format && *format ? format : "%g", *value);
    // A number too long for the editor is offered in its shortest exact-enough form, never
    // cut: leaving it unchanged must not change the value.
    if (std::strlen(printed) > MAX_FLOAT_TEXT) std::snprintf(printed, sizeof printed, "%.15g", *value);
    std::string text = printed;
    const size_t a = text.find_first_not_of(' ');
    text = a == std::string::npos ? std::string() : Trim_Right(text.substr(a));
    // As wide as the field the format gives (a count of "%2.0f" stands close to its word),
    // eight digits for a format without a width; a longer number scrolls in the box.
    const std::string digits(static_cast<size_t>(Format_Width(format, 8)), '0');
    const int width = std::max(Get_Text_Width_Px(printed), Get_Text_Width_Px(digits.c_str()));
    Line_Editor editor(x, y, width, text, MAX_FLOAT_TEXT, Accept_Number);
    const int end = editor.Run();
    LAST_SHEET_EDIT_KEY = end;
    // A number typed longer than the editor holds lost its last digits: taking what is
    // left would change its magnitude, so the value stays and the user is told.
    if (end != 27 && editor.Overflowed()) {
        char says[160];
        std::snprintf(says, sizeof says,
                      "Die Eingabe ist l\xE4nger als %d Zeichen und wird nicht \xFC" "bernommen;\n"
                      "der bisherige Wert bleibt.",
                      MAX_FLOAT_TEXT);
        PrintMessage(says);
        return Walk_Result(end);
    }
    // A field left as it was offered keeps its value (the offered text may be rounded by
    // the format). A text that is no number changes nothing either, and the user is told.
    double v;
    if (end != 27 && editor.Text() != text) {
        if (Parse_Number(editor.Text(), v)) {
            *value = v;
        } else {
            const std::string typed = Trim_Right(editor.Text());
            const size_t first = typed.find_first_not_of(' ');
            const std::string what =
                first == std::string::npos ? "Ein leeres Feld" : "Die Eingabe \"" + typed.substr(first) + "\"";
            PrintMessage((what + " ist keine Zahl und wird nicht \xFC" "bernommen;\nder bisherige Wert bleibt.").c_str());
        }
    }
    return Walk_Result(end);
}

void Set_Short_Edit_Text_Scrollmode(int capacity) { scroll_capacity = capacity; }

int Short_Edit_Text(int x, int y, char* buffer, int length, int /*flags*/)
{
    const int capacity = std::max(length, scroll_capacity);
    scroll_capacity = 0;
    if (!buffer || length <= 0) return 0;
    const size_t original = strnlen(buffer, static_cast<size_t>(capacity));
    std::string text = Trim_Right(std::string(buffer, original));
    // As wide as the field shows its characters, so that the box ends where the field
    // does and covers nothing beside it (a longer text scrolls).
    const int width = length * Get_Text_Width_Px("X");
    Line_Editor editor(x, y, width, text, static_cast<size_t>(capacity), Accept_Any);
    const int end = editor.Run();
    LAST_SHEET_EDIT_KEY = end;
    if (end != 27) {
        std::string out = editor.Text();
        if (out.size() < original) out.append(original - out.size(), ' ');
        std::memcpy(buffer, out.data(), out.size());
        buffer[out.size()] = '\0';
    }
    return Walk_Result(end);
}

int Menue_Manager(const ZAV_Menu_Entry* menu, int x, int y)
{
    if (!menu || !screen::Framebuffer_Ready() || !screen::Current_Backend()) return -1;
    int count = 0;
    Pop_RFont(0x1000);
    int width = 60;
    while (menu[count].text) width = std::max(width, Get_Text_Width_Px(menu[count++].text) + 36);
    Push_RFont();
    if (count == 0) return -1;
    Saved_Drawing saved;
    pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    const Popup_Geometry g = Fit(x, y, width, count * MENU_ROW + 4);
    Save_Screen_Rectangle(g.x1, g.y1, g.x2, g.y2);
    int highlight = -1;
    ZAV_Message m;
    InitZAVMessage(&m);
    int chosen = -1;
    for (bool open = true; open;) {
        Draw_Menu(menu, count, g, highlight);
        const int kind = GetZAVMessage(ZAV_MSG_MOVE | ZAV_MSG_LEFT_DOWN | ZAV_MSG_KEY, &m);
        const bool inside = m.x > g.x1 && m.x < g.x2 && m.y > g.y1 + 1 && m.y < g.y1 + 2 + count * MENU_ROW;
        const int row = inside ? (m.y - g.y1 - 2) / MENU_ROW : -1;
        if (kind == 0) break;
        if (kind == ZAV_MSG_MOVE) {
            highlight = row;
            continue;
        }
        if (kind == ZAV_MSG_KEY) {
            const int key = getkey();
            if (key == 27) break;
            if (key == ZAV_KEY_DOWN) highlight = std::min(count - 1, highlight + 1);
            if (key == ZAV_KEY_UP) highlight = std::max(0, highlight - 1);
            if (key != 13 || highlight < 0) continue;
            chosen = highlight;
        } else {  // a press
            if (!inside) break;
            chosen = row;
        }
        if (chosen < 0 || !menu[chosen].enabled) {
            chosen = -1;
            continue;
        }
        if (menu[chosen].submenu) {
            const int result = Menue_Manager(menu[chosen].submenu, g.x2 - 4, g.y1 + 2 + chosen * MENU_ROW);
            if (result != -1) {
                Restore_Screen_Rectangle(g.x1, g.y1, g.x2, g.y2);
                return result;
            }
            chosen = -1;
            continue;
        }
        open = false;
    }
    Restore_Screen_Rectangle(g.x1, g.y1, g.x2, g.y2);
    pxFlsh();
    if (chosen < 0) return -1;
    return menu[chosen].action ? menu[chosen].action() : 0;
}

int Get_UserSelected_SpecialCharacter()
{
    if (!screen::Framebuffer_Ready() || !screen::Current_Backend()) return -1;
    const int n = static_cast<int>(sizeof special_characters);
    const int rows = (n + GRID_COLUMNS - 1) / GRID_COLUMNS;
    Saved_Drawing saved;
    pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    const Popup_Geometry g = Fit(-1, -1, GRID_COLUMNS * GRID_CELL + 4, rows * GRID_CELL + 4);
    Save_Screen_Rectangle(g.x1, g.y1, g.x2, g.y2);
    int highlight = 0;
    int result = -1;
    ZAV_Message m;
    InitZAVMessage(&m);
    for (;;) {
        Draw_Grid(g, highlight);
        const int kind = GetZAVMessage(ZAV_MSG_MOVE | ZAV_MSG_LEFT_DOWN | ZAV_MSG_KEY, &m);
        if (kind == 0) break;
        const int col = (m.x - g.x1 - 3) / GRID_CELL, row = (m.y - g.y1 - 3) / GRID_CELL;
        const bool inside = m.x >= g.x1 + 3 && m.y >= g.y1 + 3 && col < GRID_COLUMNS && row < rows &&
                            row * GRID_COLUMNS + col < n;
        if (kind == ZAV_MSG_MOVE) {
            if (inside) highlight = row * GRID_COLUMNS + col;
        } else if (kind == ZAV_MSG_LEFT_DOWN) {
            if (inside) result = special_characters[row * GRID_COLUMNS + col];
            break;
        } else {
            const int key = getkey();
            if (key == 27) break;
            if (key == 13) {
                result = special_characters[highlight];
                break;
            }
            if (key == ZAV_KEY_RIGHT) highlight = std::min(n - 1, highlight + 1);
            if (key == ZAV_KEY_LEFT) highlight = std::max(0, highlight - 1);
            if (key == ZAV_KEY_DOWN) highlight = std::min(n - 1, highlight + GRID_COLUMNS);
            if (key == ZAV_KEY_UP) highlight = std::max(0, highlight - GRID_COLUMNS);
        }
    }
    Restore_Screen_Rectangle(g.x1, g.y1, g.x2, g.y2);
    pxFlsh();
    return result;
}

void ZAVSetClipboardText(const char* text)
{
    const std::string bytes = text ? text : "";
    screen::Backend* backend = screen::Current_Backend();
    if (!backend || !backend->Set_Clipboard(bytes)) process_clipboard = bytes;
}

int ZAVGetClipboardText(char* buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    std::string bytes;
    screen::Backend* backend = screen::Current_Backend();
    if (!backend || !backend->Get_Clipboard(bytes)) bytes = process_clipboard;
    const size_t n = std::min(bytes.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, bytes.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int ZAVGetUserString(const char* name, char* buffer, int size)
{
    if (!name || !buffer || size <= 0) return 0;
    const char* value = std::getenv(("ZAV_USER_" + std::string(name)).c_str());
    if (!value) return 0;
    const size_t n = std::min(std::strlen(value), static_cast<size_t>(size - 1));
    std::memcpy(buffer, value, n);
    buffer[n] = '\0';
    return 1;
}

void InitZAVGetFileNameEx(const char* title, const char* filter, const char* directory, int /*mode*/)
{
    file_title = title && *title ? title : "Dateiname";
    file_filter = filter ? filter : "";
    file_directory = directory ? directory : "";
}

int ZAVGetFileNameEx(char* name, int size)
{
    if (!name || size <= 1 || !screen::Framebuffer_Ready() || !screen::Current_Backend()) return 0;
    constexpr int FIELD = 261;
    char field[FIELD + 1];
    const std::string start = name[0] ? std::string(name) : file_directory;
    std::snprintf(field, sizeof field, "%-261.261s", start.c_str());
    int x1 = NPIXEL_X / 2 - 260, y1 = NPIXEL_Y / 2 - 60, x2 = x1 + 519, y2 = y1 + 119;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, file_title.c_str(), 0, 1);
    if (!file_filter.empty()) Draw_Funny_Text_to_PS(x1 + 12, y1 + 42, file_filter.c_str(), 0x1002, 0x404040, 0);
    Add_String_to_PS(x1 + 12, y1 + 50, 60, field, FIELD, 3);
    Add_Single_Button_to_PS(x1 + 14, y2 - 29, 1, 1, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    const int ok = Add_Single_Button_to_PS(x2 - 40, y2 - 29, 1, 2, nullptr, SYMBOLIC_OK_RASTER, 0);
    Move_Mouse_Cursor_to_Button_of_PS(ok, 0, 0);
    Activate_Prop_Sheet();
    int result;
    for (;;) {
        result = Edit_Prop_Sheet();
        if (result == 1 || result == 2 || result == 0) break;
        if (result == 3 && LAST_SHEET_EDIT_KEY == 13) {
            result = 2;
            break;
        }
    }
    Undefine_Prop_Sheet();
    if (result != 2) return 0;
    const std::string chosen = Trim_Right(field);
    const size_t n = std::min(chosen.size(), static_cast<size_t>(size - 1));
    std::memcpy(name, chosen.data(), n);
    name[n] = '\0';
    return 1;
}
