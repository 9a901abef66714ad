#pragma once
// A fixed table of 30 named plot colours for the drawing writer's fill colour.
// Until Init_Plot_Colour_Table_30 has run, every entry is unset (-1) and selecting one
// does nothing.
#include <cstdint>

constexpr int PLOT_COLOUR_COUNT_30 = 30;

struct Plot_Colour_RGB {
    int32_t red;    // 0 to 255; -1 = unset
    int32_t green;
    int32_t blue;
};

extern Plot_Colour_RGB Plot_Colour_Table_30[PLOT_COLOUR_COUNT_30];

// Indices of the named colours (set by Init_Plot_Colour_Table_30; -1 before).
extern int32_t plot_colour_black;          // 0
extern int32_t plot_colour_white;          // 1
extern int32_t plot_colour_grey;           // 2
extern int32_t plot_colour_light_red;      // 3
extern int32_t plot_colour_red;            // 4
extern int32_t plot_colour_light_blue;     // 5
extern int32_t plot_colour_blue;           // 6
extern int32_t plot_colour_dark_blue;      // 7
extern int32_t plot_colour_light_green;    // 8
extern int32_t plot_colour_dark_green;     // 9
extern int32_t plot_colour_green;          // 10
extern int32_t plot_colour_deep_green;     // 11
extern int32_t plot_colour_light_yellow;   // 12
extern int32_t plot_colour_yellow;         // 13
extern int32_t plot_colour_orange;         // 14
extern int32_t plot_colour_grey_green;     // 15
extern int32_t plot_colour_mid_blue;       // 16
extern int32_t plot_colour_bright_blue;    // 17
extern int32_t plot_colour_brown;          // 18
extern int32_t plot_colour_olive;          // 19
extern int32_t plot_colour_grey_224;       // 20
extern int32_t plot_colour_grey_192;       // 21
extern int32_t plot_colour_grey_138;       // 22
extern int32_t plot_colour_grey_106;       // 23
extern int32_t plot_colour_grey_233;       // 24
extern int32_t plot_colour_sky_blue;       // 25
extern int32_t plot_colour_steel_blue;     // 26
extern int32_t plot_colour_navy_blue;      // 27
extern int32_t plot_colour_ochre;          // 28
extern int32_t plot_colour_paper;          // 29
// Style numbers and the background colour index that go with the table.
extern int32_t plot_style_1;               // 59
extern int32_t plot_style_2;               // 26
extern int32_t plot_style_3;               // 43
extern int32_t plot_style_4;               // 34
extern int32_t plot_colour_background;     // 29 (the paper colour)

// Fills the table and the named variables.
void Init_Plot_Colour_Table_30();

// Writes the fill colour of the entry (Plot_Set_Fill_Colour_RGB) when the index lies in
// 0 to 29 and the entry is set (none of its parts negative); otherwise nothing.
void Set_Plot_Colour_30(int index);
