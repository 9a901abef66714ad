#include "toolkit/message_dialogs.h"

#include "base/message_sink.h"
#include "toolkit/ui_utilities.h"
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/form_core.h"
#include "toolkit/form_widgets.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxTitleLength = 99;
// The report text's control byte, which introduces an in-band sequence in texts that
// were made for the report (report/oli_channel.h).
constexpr unsigned char kControlByte = 0xCE;

// The list dialog: the area being filled and the drawing position of the next line.
int list_area = -1;
int list_x = 15;
int list_y = 20;
int list_check_value = 0;

bool Screen_Up() { return Get_Screen_State().graphics_on; }


// Width of a label (Area_Add_Text) in a font word: the text measured without the style
// bits, + 3, + 2 more with style bits; an empty text 0 (2 with style bits).
int Label_Width(const std::string& text, int font)
{
    const bool styled = (font & 0x70000) != 0;
    if (text.empty()) return styled ? 2 : 0;
    return Get_Text_Width_In_Font(text.c_str(), font & 0xFFFF) + 3 + (styled ? 2 : 0);
}

int Add_Label(int x, int y, const std::string& text, int font, int colour)
{
    if (!text.empty()) Area_Add_Text(list_area, x, y, text.c_str(), font, colour, 0);
    return Label_Width(text, font);
}

// Width of a text with in-band report sequences as the list shows it: plain runs, the
// content of a 'B' run of 2 or more characters, and the text behind the first blank of
// a 'C' run; other runs take no room.
int Coded_Text_Width(const std::string& text, int font)
{
    int width = 0;
    size_t i = 0;
    while (i < text.size()) {
        size_t code = text.find(static_cast<char>(kControlByte), i);
        if (code == std::string::npos) code = text.size();
        if (code > i) width += Get_Text_Width_In_Font(text.substr(i, code - i).c_str(), font & 0xFFFF);
        if (code + 1 >= text.size()) break;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[code + 1])));
        const size_t start = code + 2;
        size_t end = text.find(static_cast<char>(kControlByte), start);
        if (end == std::string::npos) end = text.size();
        const std::string content = text.substr(start, end - start);
        if (letter == 'B' && content.size() >= 2) {
            width += Get_Text_Width_In_Font(content.c_str(), font & 0xFFFF);
        } else if (letter == 'C') {
            const size_t blank = content.find(' ');
            if (blank != std::string::npos && blank + 1 < content.size())
                width += Get_Text_Width_In_Font(content.substr(blank + 1).c_str(), font & 0xFFFF);
        }
        i = end >= text.size() ? end : std::min(end + 2, text.size());
    }
    return width;
}

// Draws a text with in-band sequences into the list area: plain runs as labels, a 'C'
// run's text in its colour, a 'B' run's content as a shadowed label.
void Draw_Coded_Text(int x, int y, const std::string& text, int font, int colour)
{
    size_t i = 0;
    while (i < text.size()) {
        size_t code = text.find(static_cast<char>(kControlByte), i);
        if (code == std::string::npos) code = text.size();
        if (code > i) x += Add_Label(x, y, text.substr(i, code - i), font, colour);
        if (code + 1 >= text.size()) break;
        const char letter = text[code + 1];
        const size_t start = code + 2;
        size_t end = text.find(static_cast<char>(kControlByte), start);
        if (end == std::string::npos) end = text.size();
        const std::string content = text.substr(start, end - start);
        if (letter == 'C' || letter == 'c') {
            const size_t blank = content.find(' ');
            if (blank != std::string::npos) {
                const int run_colour = static_cast<int>(std::strtol(content.c_str(), nullptr, 10));
                x += Add_Label(x, y, content.substr(blank + 1), font, run_colour);
            }
        } else if ((letter == 'B' || letter == 'b') && !content.empty()) {
            Area_Add_Text(list_area, x, y, content.c_str(), font | 0x20000, colour, 0);
            x += Get_Text_Width_In_Font(content.c_str(), font & 0xFFFF) + 5;
        }
        i = end >= text.size() ? end : std::min(end + 2, text.size());
    }
}

// One line of the list being drawn: leading style pairs choose bold (^b), the
// fixed-pitch font (^p) and a half line step (^2).
void Draw_List_Line(const char* text)
{
    int font = 0x1000;
    int step = 16;
    while (text[0] == '^') {
        if (text[1] == '\0') {
            ++text;
            break;
        }
        if (text[1] == 'b') font |= 0x10000;
        else if (text[1] == 'p') font &= ~0x1000;
        else if (text[1] == '2') step = 8;
        text += 2;
    }
    Draw_Coded_Text(list_x, list_y, Msg_Without_Line_Feed(text), font, BLACK_CI);
    list_y += step;
}

// What the list page's build function draws: the context, the check box's text and
// where its row goes.
struct List_Page {
    const std::vector<std::string>* entries = nullptr;
    const char* check_text = nullptr;
    bool default_check = false;
    int content_width = 0;
    int check_width = 0;
    int ground = 0;
} list_page;

void Build_List_Page(int area, int)
{
    Form_Begin(area);
    Form_Set_Ground_Colour(list_page.ground);
    Area_Set_Background(area, list_page.ground);
    list_area = area;
    list_x = 15;
    list_y = 20;
    for (const std::string& entry : *list_page.entries) Draw_List_Line(entry.c_str());
    if (list_page.check_text) {
        // Half away from zero.
        const int d = std::max(list_page.content_width - list_page.check_width, 0);
        const int x = (d + 1) / 2;
        Form_Set_Text_Colour(list_page.default_check ? Nearest_RGB_Color(130, 130, 130) : BLACK_CI);
        static int editable = 1;
        editable = 1;
        Form_Add_Check(x, list_y + 25, list_page.check_text, &list_check_value, &editable);
    }
    list_area = -1;
}

// The list dialog on the screen: a one-page form dialog titled with the context's name
// around the messages, the check box below them when a text is given, and the single
// button "Weiter      ". False when no area could be had (nothing shown).
bool Run_List_Dialog(const std::string& title, const std::vector<std::string>& entries, const char* check_text,
                     int ground, int* checked)
{
    if (!Screen_Up()) return false;
    while (M_LEFT) Get_Mouse_Event();
    // A slot for the page's area must be free, else the caller shows a message box.
    const int probe = Area_Reserve();
    if (probe < 0) return false;
    Area_Delete(probe);

    const bool with_check = check_text != nullptr;
    const bool default_check = with_check && std::strcmp(check_text, MSG_DEFAULT_CHECK_TEXT) == 0;
    const int count = static_cast<int>(entries.size());
    int widest = 0;
    for (const std::string& entry : entries) {
        const std::string line = Msg_Without_Line_Feed(Msg_Skip_Style_Pairs(entry.c_str()));
        if (!line.empty()) widest = std::max(widest, Coded_Text_Width(line, 0x1000) + 3);
    }
    int content_width = widest + 40;
    // The check box's row (box and label) is centred below the messages; the list is at
    // least as wide as that row and 10 pixels on either side, so that the box can always
    // be seen and ticked, however short the messages are.
    int check_width = 0;
    if (with_check) {
        check_width = std::max(245, 20 + Label_Width(default_check ? MSG_DEFAULT_CHECK_TEXT : check_text, 0x11000));
        content_width = std::max(content_width, check_width + 20);
    }
    const bool cut = content_width > 800;
    if (cut) content_width = 800;

    static Form_Dialog dialog;
    static Form_Page page;
    static bool page_made = false;
    if (!page_made) {
        Form_Page_Defaults(1, &page);
        page_made = true;
    }
    Form_Dialog_Defaults(&dialog);
    dialog.kind = 1;
    std::snprintf(dialog.title, sizeof dialog.title, "%s", title.substr(0, kMaxTitleLength).c_str());
    dialog.content_height = 16 * count + (with_check ? 70 : 50);
    dialog.content_width = content_width;
    page.vslider = 1;
    page.hslider = cut ? 1 : 0;
    page.build = Build_List_Page;

    const List_Page outer = list_page;
    list_page.entries = &entries;
    list_page.check_text = with_check ? (default_check ? MSG_DEFAULT_CHECK_TEXT : check_text) : nullptr;
    list_page.default_check = default_check;
    list_page.content_width = content_width;
    list_page.check_width = check_width;
    list_page.ground = ground >= 0 ? ground : Nearest_RGB_Color(255, 245, 220);
    list_check_value = 0;
    Form_Run_Register_Dialog(&dialog, 1, &page);
    list_page = outer;
    *checked = list_check_value;
    return true;
}

// The status line below the box's middle, and the text centred in it.
void Draw_Busy_Status(const char* text)
{
    const int cx = NPIXEL_X / 2, cy = NPIXEL_Y / 2;
    pxFgc(GetZAVColor(-1));
    pxRect(cx - 131, cy + 47, cx + 123, cy + 59);
    pxFgc(BLACK_CI);
    const int font = Get_RFont();
    pxSFnt(0x1002);
    pxBTxt(cx, cy + 53, cx, cy + 53, text, -1, 210);
    pxSFnt(font);
    pxFlsh();
}

void Show_Busy(const char* text, bool first)
{
    if (!Screen_Up()) return;
    if (first) {
        // The status line may reach below the box: its pixels are kept apart.
        const int cx = NPIXEL_X / 2, cy = NPIXEL_Y / 2;
        Save_Screen_Rectangle(cx - 131, cy + 47, cx + 123, cy + 59);
        Init_Message();
        for (int i = 0; i < 6; ++i) Fill_Message(" ");
        Fill_Message("................... Bitte etwas Geduld ...................");
        // Two lines more than the text needs lift it in the centred box clear of the
        // status line, which would otherwise cover its lower half.
        for (int i = 0; i < 3; ++i) Fill_Message(" ");
        Show_Message();
        Start_Busy_Animation(cx - 48, cy - 62);
    } else {
        // The work does not wait, so the animation's clock does not step it: each
        // update does.
        Run_Busy_Animation();
    }
    Draw_Busy_Status(text);
}

void Stop_Busy()
{
    if (!Screen_Up()) return;
    Stop_Busy_Animation();
    Quit_Message();
    const int cx = NPIXEL_X / 2, cy = NPIXEL_Y / 2;
    Restore_Screen_Rectangle(cx - 131, cy + 47, cx + 123, cy + 59);
    pxFlsh();
}

} // namespace

void Install_Message_Dialogs()
{
    Msg_Screen screen;
    screen.run_list = Run_List_Dialog;
    screen.show_busy = Show_Busy;
    screen.stop_busy = Stop_Busy;
    Msg_Set_Screen(&screen);
}
