#pragma once
// Colour values as the screen and the report's colour records both take them: a plain
// 0x00RRGGBB word.

// The colour value nearest to an RGB triple (channels clamped to 0..255): exact.
int Nearest_RGB_Color(int red, int green, int blue);
int Nearest_Color_Index(int red, int green, int blue);
