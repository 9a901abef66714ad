#include "platform/screen/curves.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/screen/framebuffer.h"

namespace {

using Pixels = std::vector<std::pair<int, int>>;

void Add_Line(Pixels& out, int x1, int y1, int x2, int y2)
{
    screen::Line_Pixels(x1, y1, x2, y2, [&](int x, int y) { out.emplace_back(x, y); });
}

// Each pixel once, whatever the order the shape met it in.
void Put_Once(Pixels& pixels)
{
    std::sort(pixels.begin(), pixels.end());
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    for (const auto& p : pixels) pxPoint(p.first, p.second);
}

} // namespace

void pxCrcl(int x, int y, int r)
{
    if (r < 0) return;
    Pixels pixels;
    // Midpoint circle: one octant mirrored eight ways.
    int px = r, py = 0, err = 1 - r;
    while (px >= py) {
        const int pts[8][2] = {{px, py}, {py, px}, {-py, px}, {-px, py},
                               {-px, -py}, {-py, -px}, {py, -px}, {px, -py}};
        for (const auto& p : pts) pixels.emplace_back(x + p[0], y + p[1]);
        ++py;
        if (err < 0) {
            err += 2 * py + 1;
        } else {
            --px;
            err += 2 * (py - px) + 1;
        }
    }
    Put_Once(pixels);
}

void pxArc(int rx, int ry, int cx, int cy, int x1, int y1, int x2, int y2, int direction)
{
    if (rx < 0 || ry < 0) return;
    constexpr double kTwoPi = 6.283185307179586;
    // Angles counted counter-clockwise on the screen (y grows downward).
    auto angle_of = [&](int px, int py) {
        const double u = rx > 0 ? static_cast<double>(px - cx) / rx : 0.0;
        const double v = ry > 0 ? static_cast<double>(cy - py) / ry : 0.0;
        return (u == 0.0 && v == 0.0) ? 0.0 : std::atan2(v, u);
    };
    const double a1 = angle_of(x1, y1), a2 = angle_of(x2, y2);
    // The angle swept from the start, in (0, 2 pi] either way round.
    double sweep = direction == 1 ? a1 - a2 : a2 - a1;
    while (sweep <= 0.0) sweep += kTwoPi;
    while (sweep > kTwoPi) sweep -= kTwoPi;
    if (direction == 1) sweep = -sweep;  // clockwise on the screen: falling angles
    // Enough steps that neighbouring points lie at most about two pixels apart.
    const int steps = std::max(8, static_cast<int>(std::fabs(sweep) * std::max(rx, ry)) / 2 + 1);
    Pixels pixels;
    int last_x = 0, last_y = 0;
    for (int i = 0; i <= steps; ++i) {
        const double t = a1 + sweep * i / steps;
        const int px = cx + static_cast<int>(std::lround(rx * std::cos(t)));
        const int py = cy - static_cast<int>(std::lround(ry * std::sin(t)));
        if (i == 0)
            pixels.emplace_back(px, py);
        else
            Add_Line(pixels, last_x, last_y, px, py);
        last_x = px;
        last_y = py;
    }
    Put_Once(pixels);
}
