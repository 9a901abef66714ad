#pragma once
// A small pixel canvas for drawing the installation's bitmaps in code: inclusive corners,
// no anti-aliasing, every write clipped to the picture (and to an optional clip rectangle),
// so that the drawn pixels are the same on every machine.
#include "platform/screen/bitmaps.h"
#include "platform/screen/framebuffer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace screen {

class Image_Canvas {
public:
    Image_Canvas(int width, int height, uint32_t fill)
    {
        image.width = width;
        image.height = height;
        image.pixels.assign(static_cast<size_t>(width) * height, fill);
    }
    Screen_Image image;

    void Set(int x, int y, uint32_t c)
    {
        if (x >= clip_[0] && y >= clip_[1] && x <= clip_[2] && y <= clip_[3] && x >= 0 && y >= 0 &&
            x < image.width && y < image.height)
            image.pixels[static_cast<size_t>(y) * image.width + x] = c;
    }
    uint32_t Get(int x, int y) const { return image.At(x, y); }
    void Clip(int x1, int y1, int x2, int y2)
    {
        clip_[0] = x1;
        clip_[1] = y1;
        clip_[2] = x2;
        clip_[3] = y2;
    }
    void No_Clip() { Clip(0, 0, 1 << 20, 1 << 20); }

    // Corners in either order.
    void Rect(int x1, int y1, int x2, int y2, uint32_t c)
    {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) Set(x, y, c);
    }
    void Line(int x1, int y1, int x2, int y2, uint32_t c)
    {
        Line_Pixels(x1, y1, x2, y2, [this, c](int x, int y) { Set(x, y, c); });
    }
    void Thick_Line(int x1, int y1, int x2, int y2, int width, uint32_t c)
    {
        for (int i = -(width / 2); i < width - width / 2; ++i)
            for (int j = -(width / 2); j < width - width / 2; ++j) Line(x1 + i, y1 + j, x2 + i, y2 + j, c);
    }
    // The outline of a rectangle: top and left edges light, right and bottom edges dark
    // (the dark edges own the two corners they share with the light ones).
    void Frame(int x1, int y1, int x2, int y2, uint32_t light, uint32_t dark)
    {
        Line(x1, y1, x2, y1, light);
        Line(x1, y1, x1, y2, light);
        Line(x2, y1, x2, y2, dark);
        Line(x1, y2, x2, y2, dark);
    }
    void Frame(int x1, int y1, int x2, int y2, uint32_t c) { Frame(x1, y1, x2, y2, c, c); }
    // Pixels whose centre lies within r of (cx, cy) (centre given in pixel-centre units).
    void Disc(double cx, double cy, double r, uint32_t c)
    {
        for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
            for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) Set(x, y, c);
    }
    void Ring(double cx, double cy, double r1, double r2, uint32_t c)
    {
        for (int y = static_cast<int>(cy - r2) - 1; y <= static_cast<int>(cy + r2) + 1; ++y)
            for (int x = static_cast<int>(cx - r2) - 1; x <= static_cast<int>(cx + r2) + 1; ++x) {
                const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d <= r2 * r2 && d >= r1 * r1) Set(x, y, c);
            }
    }
    // A filled polygon (even-odd scan at the rows' centres) with its outline.
    void Polygon(std::initializer_list<std::pair<int, int>> points, uint32_t c)
    {
        std::vector<std::pair<int, int>> p(points);
        int ymin = p[0].second, ymax = p[0].second;
        for (auto& q : p) {
            ymin = std::min(ymin, q.second);
            ymax = std::max(ymax, q.second);
        }
        for (int y = ymin; y <= ymax; ++y) {
            const double yc = y + 0.5;
            std::vector<double> xs;
            for (size_t i = 0; i < p.size(); ++i) {
                const auto& a = p[i];
                const auto& b = p[(i + 1) % p.size()];
                if ((a.second <= yc && b.second > yc) || (b.second <= yc && a.second > yc))
                    xs.push_back(a.first + (yc - a.second) * (b.first - a.first) / double(b.second - a.second));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2)
                for (int x = static_cast<int>(std::ceil(xs[k] - 0.5)); x < static_cast<int>(std::ceil(xs[k + 1] - 0.5));
                     ++x)
                    Set(x, y, c);
        }
        for (size_t i = 0; i < p.size(); ++i) {
            const auto& a = p[i];
            const auto& b = p[(i + 1) % p.size()];
            Line(a.first, a.second, b.first, b.second, c);
        }
    }
    // A filled triangle (even-odd scan of its three edges, spans rounded to whole pixels)
    // with its outline.
    void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t c)
    {
        const std::pair<int, int> p[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
        const int ymin = std::min({y1, y2, y3}), ymax = std::max({y1, y2, y3});
        for (int y = ymin; y <= ymax; ++y) {
            const double yc = y + 0.5;
            double xs[3];
            int n = 0;
            for (int i = 0; i < 3; ++i) {
                const auto& a = p[i];
                const auto& b = p[(i + 1) % 3];
                if ((a.second <= yc && b.second > yc) || (b.second <= yc && a.second > yc))
                    xs[n++] = a.first + (yc - a.second) * (b.first - a.first) / double(b.second - a.second);
            }
            if (n == 2) {
                const int xa = static_cast<int>(std::lround(std::min(xs[0], xs[1])));
                const int xb = static_cast<int>(std::lround(std::max(xs[0], xs[1])));
                for (int x = xa; x <= xb; ++x) Set(x, y, c);
            }
        }
        Line(x1, y1, x2, y2, c);
        Line(x2, y2, x3, y3, c);
        Line(x3, y3, x1, y1, c);
    }
    // An arrow from (x1, y1) to its head at (x2, y2), axis-parallel.
    void Arrow(int x1, int y1, int x2, int y2, uint32_t c)
    {
        Line(x1, y1, x2, y2, c);
        Line(x1 + (y1 != y2), y1 + (x1 != x2), x2 + (y1 != y2), y2 + (x1 != x2), c);
        if (x1 == x2) {
            const int s = y2 > y1 ? -1 : 1;
            Triangle(x2 - 4, y2 + 7 * s, x2 + 5, y2 + 7 * s, x2, y2, c);
        } else {
            const int s = x2 > x1 ? -1 : 1;
            Triangle(x2 + 7 * s, y2 - 4, x2 + 7 * s, y2 + 5, x2, y2, c);
        }
    }
    // Copies a part of another canvas.
    void Blit(const Image_Canvas& from, int sx, int sy, int w, int h, int dx, int dy)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Set(dx + x, dy + y, from.Get(sx + x, sy + y));
    }
    // Text of code page 850 bytes in the font (a font number of the fonts module) with its
    // base line at y, in one colour without grey pixels.
    void Text(int x, int y, const char* text, uint32_t colour, int font = 0x1000);

private:
    int clip_[4] = {0, 0, 1 << 20, 1 << 20};
};

} // namespace screen
