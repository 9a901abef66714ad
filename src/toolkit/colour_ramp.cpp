#include "toolkit/colour_ramp.h"

#include "platform/screen/framebuffer.h"

#include <algorithm>
#include <cmath>

namespace {

int To_Channel(double value)
{
    const double v = std::round(value * 255.0);  // half away from zero
    if (!(v >= 0.0)) return 0;
    return v > 255.0 ? 255 : static_cast<int>(v);
}

} // namespace

void Lighten_RGB(int* red, int* green, int* blue, double percent)
{
    const double r = *red / 255.0, g = *green / 255.0, b = *blue / 255.0;
    const double max = std::max(r, std::max(g, b)), min = std::min(r, std::min(g, b));
    const double d = max - min;
    double l = (max + min) / 2.0;
    double h = 0.0, s = 0.0;
    if (l > 0.0 && d > 0.0) {
        s = max + min > 1.0 ? d / (2.0 - max - min) : d / (max + min);
        if (r == max)
            h = g == min ? 5.0 + (max - b) / d : 1.0 - (max - g) / d;
        else if (g == max)
            h = b == min ? 1.0 + (max - r) / d : 3.0 - (max - b) / d;
        else
            h = r == min ? 3.0 + (max - g) / d : 5.0 - (max - r) / d;
        h /= 6.0;
    }
    l *= 1.0 + percent * 0.01;

    const double v = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
    double out[3] = {0.0, 0.0, 0.0};
    if (v > 0.0) {
        const double m = 2.0 * l - v;
        const double h6 = h * 6.0;
        // Pure reds come out at a whole turn: that is the first sextant again.
        const int sextant = h6 >= 0.0 && h6 < 6.0 ? static_cast<int>(h6) : 0;
        const double f = h6 - std::floor(h6);
        const double q = f * (v - m);
        switch (sextant) {
        case 0: out[0] = v; out[1] = m + q; out[2] = m; break;
        case 1: out[0] = v - q; out[1] = v; out[2] = m; break;
        case 2: out[0] = m; out[1] = v; out[2] = m + q; break;
        case 3: out[0] = m; out[1] = v - q; out[2] = v; break;
        case 4: out[0] = m + q; out[1] = m; out[2] = v; break;
        default: out[0] = v; out[1] = m; out[2] = v - q; break;
        }
    }
    *red = To_Channel(out[0]);
    *green = To_Channel(out[1]);
    *blue = To_Channel(out[2]);
}

int Lighten_Colour_Index(int colour, double percent)
{
    int r = 0, g = 0, b = 0;
    pxQCR(colour, &r, &g, &b);
    Lighten_RGB(&r, &g, &b, percent);
    return Nearest_RGB_Color(r, g, b);
}
