#pragma once
// Lighter and darker shades of a colour, for ramps such as the progress bars' filling.
//
// The colour's lightness (HLS, channels 0 to 255) is multiplied by (1 + percent / 100);
// hue and saturation stay. Percent 0 gives the colour back, negative percents darken.
// Results are kept within 0 to 255. The numbers are those of the report graphics'
// Plot_Lighten_RGB (report/plot_state.h), which this layer cannot call.

// In place; null pointers are not allowed.
void Lighten_RGB(int* red, int* green, int* blue, double percent);

// The colour value of the lightened colour of a colour value (symbolic ones resolved).
int Lighten_Colour_Index(int colour, double percent);
