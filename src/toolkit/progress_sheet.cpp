// The progress sheet of the message sink: up to five bars with label, status text and
// counter in a small sheet of its own, redrawn after every change.
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/colour_ramp.h"
#include "toolkit/message_dialogs.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct Bar_State {
    char text[100] = "";
    int total = 0;
    int value = 0;
};

Progress_Descriptor* open_descriptor = nullptr;
int progress_on = 1;
Bar_State bars[PROGRESS_MAX_BARS];
Sheet_Centre centre;
int sheet_area = -1;
bool sheet_defined = false;
// The bars' width as fitted when the sheet was opened (the descriptor's width may be
// -1, the default): the bars are drawn with it, so that they lie inside the sheet.
int fitted_width = 200;

int Round_Half_Away(double v) { return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5); }

int Bar_Count()
{
    return open_descriptor ? std::clamp(open_descriptor->bar_count, 0, PROGRESS_MAX_BARS) : 0;
}

// An outline in content pixels.
void Add_Frame(int area, int x1, int y1, int x2, int y2, int colour)
{
    Area_Add_Line(area, x1, y1, x2, y1, colour);
    Area_Add_Line(area, x2, y1, x2, y2, colour);
    Area_Add_Line(area, x2, y2, x1, y2, colour);
    Area_Add_Line(area, x1, y2, x1, y1, colour);
}

void Draw_Sheet()
{
    if (!open_descriptor || !progress_on || sheet_area < 0) return;
    const int area = sheet_area;
    const int w = fitted_width;
    const int black = BLACK_CI;
    const int bar_colour = Nearest_RGB_Color(0, 88, 176);
    Area_Clear(area);
    Area_Set_Background(area, Nearest_RGB_Color(233, 240, 245));
    for (int i = 0; i < Bar_Count(); ++i) {
        const Bar_State& b = bars[i];
        const int y = 30 + 47 * i;
        const bool active = b.total >= 1;
        Area_Add_Text(area, 20, y, open_descriptor->bars[i].label, 0x1000,
                      active ? black : Nearest_RGB_Color(120, 120, 120), 0);
        if (!active) {
            Area_Add_Box(area, 22, y + 9, w - 42, y + 20, Nearest_RGB_Color(225, 225, 225));
            Add_Frame(area, 20, y + 7, w - 40, y + 22, Nearest_RGB_Color(80, 80, 80));
            continue;
        }
        if (b.text[0]) {
            const int tw = Get_Text_Width_In_Font(b.text, 0x1002) + 3;
            const int cx = Round_Half_Away((w - 60) / 2.0) + 20;
            Area_Add_Text(area, cx - Round_Half_Away(tw / 2.0), y, b.text, 0x1002, black, 0);
        }
        char counter[64];
        std::snprintf(counter, sizeof counter,
                      open_descriptor->bars[i].flag == 1 ? "%d von maximal %d" : "%d von %d", b.value, b.total);
        Area_Add_Text(area, w - 40, y, counter, 0, black, 1);
        Area_Add_Box(area, 20, y + 7, w - 40, y + 22, Nearest_RGB_Color(255, 255, 225));
        Add_Frame(area, 20, y + 7, w - 40, y + 22, black);
        // The filled part never leaves its box, whatever the value.
        const double share = std::clamp(static_cast<double>(b.value) / b.total, 0.0, 1.0);
        const int x = 22 + Round_Half_Away(share * (w - 64));
        for (int k = 0; k <= 6; ++k)
            Area_Add_Box(area, 22, y + 9 + k, x, y + 20 - k,
                         k == 0 ? bar_colour : Lighten_Colour_Index(bar_colour, 10.0 * k));
    }
    Area_Update(area);
}

bool Valid_Bar(int bar) { return bar >= 0 && bar < PROGRESS_MAX_BARS; }

void Copy_Text(char* to, const char* text)
{
    std::snprintf(to, 100, "%.99s", text ? text : "");
}

} // namespace

void Progress_Init(Progress_Descriptor* d, int bar_count)
{
    if (!d) return;
    d->title[0] = '\0';
    d->text[0] = '\0';
    for (Progress_Bar_Descriptor& b : d->bars) {
        b.label[0] = '\0';
        b.total = 0;
        b.flag = 0;
    }
    d->width = -1;
    d->bar_count = std::clamp(bar_count, 0, PROGRESS_MAX_BARS);
}

void Progress_Open(Progress_Descriptor* d)
{
    if (!progress_on || !d) return;
    if (open_descriptor) Progress_Close();
    open_descriptor = d;
    for (int i = 0; i < PROGRESS_MAX_BARS; ++i) {
        bars[i].text[0] = '\0';
        bars[i].value = 0;
        bars[i].total = i < Bar_Count() ? d->bars[i].total : 0;
    }
    if (!Get_Screen_State().graphics_on) return;

    centre.Ensure();
    fitted_width = std::min(std::max(d->width, 200), NPIXEL_X - 44);
    const int h = std::min(48 * Bar_Count() + 31, NPIXEL_Y - 87);
    int x1 = centre.x - (fitted_width + 14) / 2, y1 = centre.y - (h + 42) / 2;
    int x2 = x1 + fitted_width + 14, y2 = y1 + h + 42;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    centre.x = (x1 + x2) / 2;
    centre.y = (y1 + y2) / 2;

    const int buffering = pxBuff(-1);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, d->title, 40, 1);
    sheet_defined = true;
    sheet_area = Area_Create(x1 + 14, y1 + 42, x2 - 14, y2 - 14, 0, 0);
    Activate_Prop_Sheet();
    pxBuff(buffering);
    Draw_Sheet();
}

void Progress_Close()
{
    if (sheet_area >= 0) Area_Delete(sheet_area);
    sheet_area = -1;
    if (sheet_defined) Undefine_Prop_Sheet();
    sheet_defined = false;
    open_descriptor = nullptr;
}

int Progress_Is_Open() { return open_descriptor && progress_on ? 1 : 0; }
void Progress_Enable() { progress_on = 1; }
void Progress_Disable() { progress_on = 0; }

void Progress_Set_Text(int bar, const char* text)
{
    if (!Valid_Bar(bar)) return;
    Copy_Text(bars[bar].text, text);
    Draw_Sheet();
}

void Progress_Set_Total(int bar, int total)
{
    if (!Valid_Bar(bar)) return;
    bars[bar].total = total;
    bars[bar].value = 0;
    Draw_Sheet();
}

void Progress_Step(int bar)
{
    if (!Valid_Bar(bar) || bars[bar].total < 1) return;
    ++bars[bar].value;
    Draw_Sheet();
}

void Progress_Step_Text(int bar, const char* text)
{
    if (!Valid_Bar(bar)) return;
    if (text) Copy_Text(bars[bar].text, text);
    if (bars[bar].total >= 1) ++bars[bar].value;
    Draw_Sheet();
}

void Progress_Set_Value(int bar, int value)
{
    if (!Valid_Bar(bar) || bars[bar].total < 1) return;
    bars[bar].value = value;
    Draw_Sheet();
}

int Progress_Get_Value(int bar) { return Valid_Bar(bar) ? bars[bar].value : -1; }

void Progress_Reset_Bar(int bar)
{
    if (!Valid_Bar(bar)) return;
    bars[bar].value = 0;
    bars[bar].total = -1;
    Draw_Sheet();
}
