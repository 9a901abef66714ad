#include "report/plot_colours.h"

#include "report/plot_state.h"

Plot_Colour_RGB Plot_Colour_Table_30[PLOT_COLOUR_COUNT_30] = {
    {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1},
    {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1},
    {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1},
    {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1},
    {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1},
    {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1},
};

int32_t plot_colour_black = -1;
int32_t plot_colour_white = -1;
int32_t plot_colour_grey = -1;
int32_t plot_colour_light_red = -1;
int32_t plot_colour_red = -1;
int32_t plot_colour_light_blue = -1;
int32_t plot_colour_blue = -1;
int32_t plot_colour_dark_blue = -1;
int32_t plot_colour_light_green = -1;
int32_t plot_colour_dark_green = -1;
int32_t plot_colour_green = -1;
int32_t plot_colour_deep_green = -1;
int32_t plot_colour_light_yellow = -1;
int32_t plot_colour_yellow = -1;
int32_t plot_colour_orange = -1;
int32_t plot_colour_grey_green = -1;
int32_t plot_colour_mid_blue = -1;
int32_t plot_colour_bright_blue = -1;
int32_t plot_colour_brown = -1;
int32_t plot_colour_olive = -1;
int32_t plot_colour_grey_224 = -1;
int32_t plot_colour_grey_192 = -1;
int32_t plot_colour_grey_138 = -1;
int32_t plot_colour_grey_106 = -1;
int32_t plot_colour_grey_233 = -1;
int32_t plot_colour_sky_blue = -1;
int32_t plot_colour_steel_blue = -1;
int32_t plot_colour_navy_blue = -1;
int32_t plot_colour_ochre = -1;
int32_t plot_colour_paper = -1;
int32_t plot_style_1 = -1;
int32_t plot_style_2 = -1;
int32_t plot_style_3 = -1;
int32_t plot_style_4 = -1;
int32_t plot_colour_background = -1;

namespace {

const Plot_Colour_RGB kColours[PLOT_COLOUR_COUNT_30] = {
    {0, 0, 0},       {255, 255, 255}, {110, 110, 110}, {255, 100, 100}, {255, 50, 50},
    {125, 125, 255}, {30, 30, 255},   {30, 30, 150},   {100, 255, 100}, {0, 98, 0},
    {30, 150, 30},   {30, 80, 30},    {255, 255, 100}, {255, 255, 50},  {185, 80, 0},
    {80, 130, 80},   {100, 100, 255}, {50, 50, 255},   {128, 64, 0},    {128, 128, 0},
    {224, 224, 224}, {192, 192, 192}, {138, 138, 138}, {106, 106, 106}, {233, 233, 233},
    {109, 167, 231}, {55, 134, 221},  {28, 92, 164},   {160, 115, 0},   {252, 250, 236},
};

}  // namespace

void Init_Plot_Colour_Table_30()
{
    for (int i = 0; i < PLOT_COLOUR_COUNT_30; ++i) Plot_Colour_Table_30[i] = kColours[i];

    int32_t* const named[PLOT_COLOUR_COUNT_30] = {
        &plot_colour_black,       &plot_colour_white,       &plot_colour_grey,
        &plot_colour_light_red,   &plot_colour_red,         &plot_colour_light_blue,
        &plot_colour_blue,        &plot_colour_dark_blue,   &plot_colour_light_green,
        &plot_colour_dark_green,  &plot_colour_green,       &plot_colour_deep_green,
        &plot_colour_light_yellow, &plot_colour_yellow,     &plot_colour_orange,
        &plot_colour_grey_green,  &plot_colour_mid_blue,    &plot_colour_bright_blue,
        &plot_colour_brown,       &plot_colour_olive,       &plot_colour_grey_224,
        &plot_colour_grey_192,    &plot_colour_grey_138,    &plot_colour_grey_106,
        &plot_colour_grey_233,    &plot_colour_sky_blue,    &plot_colour_steel_blue,
        &plot_colour_navy_blue,   &plot_colour_ochre,       &plot_colour_paper,
    };
    for (int i = 0; i < PLOT_COLOUR_COUNT_30; ++i) *named[i] = i;

    plot_style_1 = 59;
    plot_style_2 = 26;
    plot_style_3 = 43;
    plot_style_4 = 34;
    plot_colour_background = 29;
}

void Set_Plot_Colour_30(int index)
{
    // A negative index would reach before the table.
    if (index < 0 || index >= PLOT_COLOUR_COUNT_30) return;
    const Plot_Colour_RGB& c = Plot_Colour_Table_30[index];
    if (c.red < 0 || c.green < 0 || c.blue < 0) return;
    Plot_Set_Fill_Colour_RGB(c.red, c.green, c.blue);
}
