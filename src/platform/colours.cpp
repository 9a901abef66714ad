#include "platform/colours.h"

int Nearest_RGB_Color(int red, int green, int blue)
{
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return (clamp(red) << 16) | (clamp(green) << 8) | clamp(blue);
}

int Nearest_Color_Index(int red, int green, int blue) { return Nearest_RGB_Color(red, green, blue); }
