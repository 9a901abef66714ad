#pragma once
// Fill index, dash styles and the colour records of the report graphic.
//
// The colour records (50 fill colour, 51 line colour, 59 to 62 colour state) are written
// only while colour records are on (Plot_Set_Colour_Sections); colours go through the HLS
// model with the state's lightness percent (Plot_Lighten_RGB, plot_state.h). The fill
// colour record itself is Plot_Set_Fill_Colour_RGB (plot_state.h).

// Fill index record " 20  n", or " 20  0" while colour output is off.
void Plot_Set_Fill_Index(int n);

// Dash pattern record " 38 count lengths 0": style 1 "0.1 0.1", 2 "0.03 0.05",
// 3 "0.28 0.05 0.04 0.05", 4 "0.01 0.28", any other solid (count 0, a blank).
void Plot_Set_Dash_Style(int style);

// Colour packed as r + 256 g + 65536 b, each channel clamped to 0 .. 255.
int Plot_Pack_RGB(int red, int green, int blue);
// The channels of a packed colour; null pointers are skipped.
void Plot_Unpack_RGB(int packed, int* red, int* green, int* blue);

// Fill colour of a packed colour (record 50 as Plot_Set_Fill_Colour_RGB).
void Plot_Set_Fill_Colour(int packed);
// Fill colour of a packed colour lightened by percent first (record 50 of the lightened
// colour, which is remembered as the last fill colour).
void Plot_Set_Fill_Colour_Shaded(int packed, double percent);

// Line colour record "51 r g b" of the packed colour shaded by the line-colour factor
// (a lightness percent); remembers the colour as the last line colour.
void Plot_Set_Line_Colour(int packed);
// The same with the channels given.
void Plot_Set_Line_Colour_RGB(int red, int green, int blue);

// Stores the lightness percent and writes the last fill colour again.
void Plot_Set_Lightness(double percent);
// Stores factor as the line-colour factor and writes the last line colour, shaded by it,
// as fill colour (record 50).
void Plot_Fill_From_Line_Colour(double factor);

// Colour-state brackets: "61", "59", "60".
void Plot_Colour_Mode_Reset();
void Plot_Colour_Mode_Begin();
void Plot_Colour_Mode_End();
// Colour-state sequence "61", "62 slot", "59", the fill index, "60"; with colour output
// off only "20 0".
void Plot_Set_Colour_Slot(int slot, int index);

// The packed colour shaded in the HLS model by factor (a lightness percent) and mapped to
// the nearest colour of the screen palette; no record.
int Plot_Shade_Palette_Colour(int packed, double factor);
int Plot_Shade_Palette_Colour_RGB(int red, int green, int blue, double factor);
