#include "report/plot_colour_records.h"

#include <algorithm>

#include "base/utilities.h"
#include "platform/colours.h"
#include "report/plot_state.h"

namespace {

FILE* Graphic() { return plot_state.plot_graphic_stream; }

bool Colour_Records() { return plot_state.colour_records != 0; }

}  // namespace

void Plot_Set_Fill_Index(int n)
{
    if (plot_state.colour_output)
        Write_If_Open(Graphic(), " 20  %d\n", n);
    else
        Write_If_Open(Graphic(), " 20  0\n");
}

void Plot_Set_Dash_Style(int style)
{
    int count;
    const char* lengths;
    switch (style) {
    case 1: count = 2; lengths = "0.1 0.1"; break;
    case 2: count = 2; lengths = "0.03 0.05"; break;
    case 3: count = 4; lengths = "0.28 0.05 0.04 0.05"; break;
    case 4: count = 2; lengths = "0.01 0.28"; break;
    default: count = 0; lengths = " "; break;
    }
    Write_If_Open(Graphic(), " 38 %d %s %d\n", count, lengths, 0);
}

int Plot_Pack_RGB(int red, int green, int blue)
{
    return std::clamp(red, 0, 255) + 256 * std::clamp(green, 0, 255) +
           65536 * std::clamp(blue, 0, 255);
}

void Plot_Unpack_RGB(int packed, int* red, int* green, int* blue)
{
    const unsigned bits = static_cast<unsigned>(packed);
    if (red) *red = static_cast<int>(bits & 0xFFu);
    if (green) *green = static_cast<int>((bits >> 8) & 0xFFu);
    if (blue) *blue = static_cast<int>((bits >> 16) & 0xFFu);
}

void Plot_Set_Fill_Colour(int packed)
{
    int r, g, b;
    Plot_Unpack_RGB(packed, &r, &g, &b);
    Plot_Set_Fill_Colour_RGB(r, g, b);
}

void Plot_Set_Fill_Colour_Shaded(int packed, double percent)
{
    int r, g, b;
    Plot_Unpack_RGB(packed, &r, &g, &b);
    Plot_Lighten_RGB(r, g, b, percent, &r, &g, &b);
    Plot_Set_Fill_Colour_RGB(r, g, b);
}

void Plot_Set_Line_Colour_RGB(int red, int green, int blue)
{
    Plot_State& s = plot_state;
    s.last_line_colour[0] = red;
    s.last_line_colour[1] = green;
    s.last_line_colour[2] = blue;
    if (!Colour_Records()) return;
    int r, g, b;
    Plot_Lighten_RGB(red, green, blue, s.line_colour_factor, &r, &g, &b);
    Write_If_Open(Graphic(), "51 %d %d %d\n", r, g, b);
}

void Plot_Set_Line_Colour(int packed)
{
    int r, g, b;
    Plot_Unpack_RGB(packed, &r, &g, &b);
    Plot_Set_Line_Colour_RGB(r, g, b);
}

void Plot_Set_Lightness(double percent)
{
    Plot_State& s = plot_state;
    s.lightness_percent = percent;
    Plot_Set_Fill_Colour_RGB(s.last_fill_colour[0], s.last_fill_colour[1], s.last_fill_colour[2]);
}

void Plot_Fill_From_Line_Colour(double factor)
{
    Plot_State& s = plot_state;
    s.line_colour_factor = factor;
    int r, g, b;
    Plot_Lighten_RGB(s.last_line_colour[0], s.last_line_colour[1], s.last_line_colour[2], factor,
                     &r, &g, &b);
    Plot_Set_Fill_Colour_RGB(r, g, b);
}

void Plot_Colour_Mode_Reset()
{
    if (Colour_Records()) Write_If_Open(Graphic(), "61\n");
}

void Plot_Colour_Mode_Begin()
{
    if (Colour_Records()) Write_If_Open(Graphic(), "59\n");
}

void Plot_Colour_Mode_End()
{
    if (Colour_Records()) Write_If_Open(Graphic(), "60\n");
}

void Plot_Set_Colour_Slot(int slot, int index)
{
    plot_state.colour_slot = slot;
    if (!plot_state.colour_output) {
        Write_If_Open(Graphic(), "20 0\n");
        return;
    }
    Plot_Colour_Mode_Reset();
    if (Colour_Records()) Write_If_Open(Graphic(), "62 %d\n", slot);
    Plot_Colour_Mode_Begin();
    Plot_Set_Fill_Index(index);
    Plot_Colour_Mode_End();
}

int Plot_Shade_Palette_Colour_RGB(int red, int green, int blue, double factor)
{
    int r, g, b;
    Plot_Lighten_RGB(red, green, blue, factor, &r, &g, &b);
    return Nearest_Color_Index(r, g, b);
}

int Plot_Shade_Palette_Colour(int packed, double factor)
{
    int r, g, b;
    Plot_Unpack_RGB(packed, &r, &g, &b);
    return Plot_Shade_Palette_Colour_RGB(r, g, b, factor);
}
