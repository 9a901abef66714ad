#pragma once
// Screenshots of a scripted headless run ("shot NAME.png" in the script) read back for
// pixel probes: the shots go into a directory of their own while the object lives.
#include "test_support.h"

#include <cairo.h>
#include <cstdint>
#include <cstdlib>
#include <string>

class Shot_Dir {
public:
    Shot_Dir() { ::setenv("ZAV_SHOT_DIR", dir_.path().c_str(), 1); }
    ~Shot_Dir() { ::unsetenv("ZAV_SHOT_DIR"); }
    Shot_Dir(const Shot_Dir&) = delete;
    Shot_Dir& operator=(const Shot_Dir&) = delete;

    // The pixel (0x00RRGGBB) of a shot; 0xFF000000 when the shot is missing.
    uint32_t Pixel(const std::string& shot, int x, int y) const
    {
        cairo_surface_t* png = cairo_image_surface_create_from_png(dir_.file(shot).c_str());
        uint32_t result = 0xFF000000u;
        if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS && x >= 0 && y >= 0 &&
            x < cairo_image_surface_get_width(png) && y < cairo_image_surface_get_height(png)) {
            const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png));
            result = data[y * (cairo_image_surface_get_stride(png) / 4) + x] & 0xFFFFFFu;
        }
        cairo_surface_destroy(png);
        return result;
    }

    // How many pixels (0x00RRGGBB) of the rectangle (inclusive) of a shot match.
    template <class Match>
    int Count(const std::string& shot, int x1, int y1, int x2, int y2, Match match) const
    {
        cairo_surface_t* png = cairo_image_surface_create_from_png(dir_.file(shot).c_str());
        int n = 0;
        if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS) {
            const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png));
            const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
            const int stride = cairo_image_surface_get_stride(png) / 4;
            for (int y = y1 < 0 ? 0 : y1; y <= y2 && y < h; ++y)
                for (int x = x1 < 0 ? 0 : x1; x <= x2 && x < w; ++x)
                    n += match(data[y * stride + x] & 0xFFFFFFu) ? 1 : 0;
        }
        cairo_surface_destroy(png);
        return n;
    }

private:
    Temp_Dir dir_;
};
