#include "platform/screen/framebuffer.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <cstdlib>
#include <vector>

int NPIXEL_X = 1280;
int NPIXEL_Y = 1024;

int BLACK_CI = 0x000000;
int WHITE_CI = 0xFFFFFF;
int BUTTON_CI = 0xD4D0C8;
int MENUE_CI = 0xD4D0C8;
int DGREY_CI = 0x808080;

namespace {

struct Saved_Rectangle {
    int x1, y1, x2, y2;  // normalised, as given
    std::vector<uint32_t> pixels;  // the rectangle's pixels, clipped ones as 0
};

struct Drawing_State {
    int foreground = 0;
    int background = 0xFFFFFF;
    int view[4] = {0, 0, 1279, 1023};
    bool view_set = false;  // until pxView, the viewport is the whole screen
    int style = 0;
    uint32_t pattern = 0xFFFFFFFFu;
    bool user_pattern = false;
    int pattern_phase = 0;   // bit position of a style's pattern, carried from line to line
    bool fill_pattern_on = false;  // pxSUFA: polygons are filled through the pattern
    uint32_t fill_pattern[16] = {};
    int mode = 0;
    int buffer_depth = 0;
    std::vector<Saved_Rectangle> saved;
};

cairo_surface_t* surface = nullptr;
Drawing_State state;
bool changed = false;
void (*present_function)() = nullptr;

void Clip_Rect(int& x1, int& y1, int& x2, int& y2)
{
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    x1 = std::max({x1, vx1, 0});
    y1 = std::max({y1, vy1, 0});
    x2 = std::min({x2, vx2, NPIXEL_X - 1});
    y2 = std::min({y2, vy2, NPIXEL_Y - 1});
}

void Order(int& a, int& b)
{
    if (a > b) std::swap(a, b);
}

uint32_t Foreground() { return Resolve_Colour(state.foreground); }

// Writes a pixel known to be inside the screen and the viewport.
inline void Write(uint32_t* row, int x, uint32_t rgb)
{
    row[x] = state.mode == 3 ? (row[x] ^ 0xFFFFFFu) & 0xFFFFFFu : rgb;
}

uint32_t Style_Pattern(int style)
{
    switch (style) {
    case 2: return 0xFF00FF00u;  // 8 drawn, 8 left out
    case 4: return 0xFFFF0F00u;  // 16 drawn, 4 out, 4 drawn, 8 out
    default: return 0xFFFFFFFFu;
    }
}

// Pixel of a set of spans, written once each (so exclusive-or draws every pixel once).
class Pixel_Set {
public:
    Pixel_Set(int x1, int y1, int x2, int y2) : x1_(x1), y1_(y1), w_(x2 - x1 + 1), h_(y2 - y1 + 1)
    {
        if (w_ > 0 && h_ > 0) bits_.assign(static_cast<size_t>(w_) * static_cast<size_t>(h_), 0);
    }
    void Add(int x, int y)
    {
        x -= x1_;
        y -= y1_;
        if (x >= 0 && y >= 0 && x < w_ && y < h_) bits_[static_cast<size_t>(y) * w_ + x] = 1;
    }
    void Add_Span(int y, int xa, int xb)
    {
        for (int x = std::max(xa, x1_); x <= std::min(xb, x1_ + w_ - 1); ++x) Add(x, y);
    }
    void Paint(uint32_t rgb) const
    {
        if (!surface) return;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (bits_[static_cast<size_t>(y) * w_ + x]) screen::Put_Pixel(x + x1_, y + y1_, rgb);
    }
    // Only where the 16 x 16 pattern (screen-aligned, bit 15 leftmost) has its bit set.
    void Paint_Pattern(uint32_t rgb, const uint32_t* rows) const
    {
        if (!surface) return;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const int sx = x + x1_, sy = y + y1_;
                if (bits_[static_cast<size_t>(y) * w_ + x] && ((rows[sy & 15] >> (15 - (sx & 15))) & 1u))
                    screen::Put_Pixel(sx, sy, rgb);
            }
    }

private:
    int x1_, y1_, w_, h_;
    std::vector<unsigned char> bits_;
};

// Even-odd fill of the polygon at pixel centres, plus its outline, into the set.
void Rasterise_Polygon(int n, const int* x, const int* y, Pixel_Set& set)
{
    int ymin = y[0], ymax = y[0];
    for (int i = 1; i < n; ++i) {
        ymin = std::min(ymin, y[i]);
        ymax = std::max(ymax, y[i]);
    }
    std::vector<double> crossings;
    for (int row = ymin; row <= ymax; ++row) {
        const double yc = row + 0.5;
        crossings.clear();
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            const double ya = y[i], yb = y[j];
            if ((ya <= yc && yb > yc) || (yb <= yc && ya > yc))
                crossings.push_back(x[i] + (yc - ya) * (x[j] - x[i]) / (yb - ya));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            // Pixels whose centre x + 0.5 lies inside [a, b).
            const int xa = static_cast<int>(std::ceil(crossings[k] - 0.5));
            const int xb = static_cast<int>(std::ceil(crossings[k + 1] - 0.5)) - 1;
            set.Add_Span(row, xa, xb);
        }
    }
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        screen::Line_Pixels(x[i], y[i], x[j], y[j], [&](int px, int py) { set.Add(px, py); });
    }
}

} // namespace

uint32_t Resolve_Colour(int colour)
{
    if (colour >= 0) return static_cast<uint32_t>(colour) & 0xFFFFFFu;
    switch (colour) {
    case ZAV_COLOUR_FACE: return 0xD4D0C8u;
    case ZAV_COLOUR_LIGHT_EDGE: return 0xFFFFFFu;
    case ZAV_COLOUR_SHADOW: return 0x808080u;
    case ZAV_COLOUR_DISABLED_TEXT: return 0x808080u;
    case ZAV_COLOUR_TEXT: return 0x000000u;
    case ZAV_COLOUR_DARK_EDGE: return 0x404040u;
    case ZAV_COLOUR_SKETCH_GROUND: return 0xFFFFFFu;
    default: return 0;
    }
}

int GetZAVColor(int n) { return static_cast<int>(Resolve_Colour(n)); }

void pxFgc(int colour) { state.foreground = colour; }
int pxQFgc() { return state.foreground; }
void pxBgc(int colour) { state.background = colour; }
int pxQBgc() { return state.background; }

void pxQCR(int colour, int* red, int* green, int* blue)
{
    const uint32_t rgb = Resolve_Colour(colour);
    if (red) *red = static_cast<int>((rgb >> 16) & 0xFF);
    if (green) *green = static_cast<int>((rgb >> 8) & 0xFF);
    if (blue) *blue = static_cast<int>(rgb & 0xFF);
}

void pxRect(int x1, int y1, int x2, int y2)
{
    if (!surface) return;
    Order(x1, x2);
    Order(y1, y2);
    Clip_Rect(x1, y1, x2, y2);
    const uint32_t rgb = Foreground();
    uint32_t* pixels = screen::Pixels();
    const int stride = screen::Stride();
    for (int y = y1; y <= y2; ++y) {
        uint32_t* row = pixels + static_cast<size_t>(y) * stride;
        for (int x = x1; x <= x2; ++x) Write(row, x, rgb);
    }
    changed = true;
}

void pxCls()
{
    if (!surface) return;
    const int saved = state.foreground;
    const int mode = state.mode;
    state.foreground = state.background;
    state.mode = 0;
    pxRect(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    state.foreground = saved;
    state.mode = mode;
}

void pxLine(int x1, int y1, int x2, int y2)
{
    const uint32_t pattern = state.pattern;
    int bit = state.user_pattern ? 0 : state.pattern_phase;
    if (surface) {
        const uint32_t rgb = Foreground();
        screen::Line_Pixels(x1, y1, x2, y2, [&](int x, int y) {
            if (pattern & (0x80000000u >> bit)) screen::Put_Pixel(x, y, rgb);
            bit = (bit + 1) & 31;
        });
    }
    if (!state.user_pattern) state.pattern_phase = bit;
}

void pxPoint(int x, int y)
{
    if (surface) screen::Put_Pixel(x, y, Foreground());
}

void pxTkLn(int x1, int y1, int x2, int y2, int width)
{
    if (width <= 1) {
        pxLine(x1, y1, x2, y2);
        return;
    }
    if (!surface) return;
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0.0) {
        const int r = width / 2;
        pxRect(x1 - r, y1 - r, x1 - r + width - 1, y1 - r + width - 1);
        return;
    }
    // The band of the given width around the line, ends square.
    const double nx = -dy / len * (width - 1) / 2.0, ny = dx / len * (width - 1) / 2.0;
    const int px[4] = {static_cast<int>(std::lround(x1 + nx)), static_cast<int>(std::lround(x2 + nx)),
                       static_cast<int>(std::lround(x2 - nx)), static_cast<int>(std::lround(x1 - nx))};
    const int py[4] = {static_cast<int>(std::lround(y1 + ny)), static_cast<int>(std::lround(y2 + ny)),
                       static_cast<int>(std::lround(y2 - ny)), static_cast<int>(std::lround(y1 - ny))};
    pxFill(4, px, py);
}

void pxFill(int n, const int* x, const int* y)
{
    if (!surface || n <= 0 || !x || !y) return;
    int x1 = x[0], x2 = x[0], y1 = y[0], y2 = y[0];
    for (int i = 1; i < n; ++i) {
        x1 = std::min(x1, x[i]);
        x2 = std::max(x2, x[i]);
        y1 = std::min(y1, y[i]);
        y2 = std::max(y2, y[i]);
    }
    int cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
    Clip_Rect(cx1, cy1, cx2, cy2);
    if (cx1 > cx2 || cy1 > cy2) return;
    Pixel_Set set(cx1, cy1, cx2, cy2);
    Rasterise_Polygon(n, x, y, set);
    if (state.fill_pattern_on)
        set.Paint_Pattern(Foreground(), state.fill_pattern);
    else
        set.Paint(Foreground());
}

void pxSUFA(const uint32_t* rows)
{
    if (!rows) {
        state.fill_pattern_on = false;
        return;
    }
    std::copy(rows, rows + 16, state.fill_pattern);
    state.fill_pattern_on = true;
}

void pxSFA(int style) { state.fill_pattern_on = style != 0 && state.fill_pattern_on; }

void pxTri(int x1, int y1, int x2, int y2, int x3, int y3)
{
    const int x[3] = {x1, x2, x3}, y[3] = {y1, y2, y3};
    pxFill(3, x, y);
}

void pxSLn(int style)
{
    state.style = style;
    state.pattern = Style_Pattern(style);
    state.user_pattern = false;
    state.pattern_phase = 0;
}

void pxSULn(uint32_t pattern)
{
    state.pattern = pattern;
    state.user_pattern = true;
}

void pxMask(int x1, int y1, int x2, int y2, const void* bits, int bytes_per_row)
{
    if (!surface || !bits || bytes_per_row <= 0) return;
    Order(x1, x2);
    Order(y1, y2);
    const auto* data = static_cast<const unsigned char*>(bits);
    const uint32_t rgb = Foreground();
    const int width = std::min(x2 - x1 + 1, bytes_per_row * 8);
    for (int row = 0; row <= y2 - y1; ++row)
        for (int col = 0; col < width; ++col)
            if (data[row * bytes_per_row + col / 8] & (0x80 >> (col % 8)))
                screen::Put_Pixel(x1 + col, y1 + row, rgb);
}

void pxSBop(int mode) { state.mode = mode == 3 ? 3 : 0; }
int pxQBop() { return state.mode; }

void pxView(int x1, int y1, int x2, int y2)
{
    Order(x1, x2);
    Order(y1, y2);
    state.view[0] = x1;
    state.view[1] = y1;
    state.view[2] = x2;
    state.view[3] = y2;
    state.view_set = true;
}

void pxQVwp(int* x1, int* y1, int* x2, int* y2)
{
    const int v[4] = {state.view_set ? state.view[0] : 0, state.view_set ? state.view[1] : 0,
                      state.view_set ? state.view[2] : NPIXEL_X - 1,
                      state.view_set ? state.view[3] : NPIXEL_Y - 1};
    if (x1) *x1 = v[0];
    if (y1) *y1 = v[1];
    if (x2) *x2 = v[2];
    if (y2) *y2 = v[3];
}

int pxBuff(int state_value)
{
    const int before = state.buffer_depth;
    if (state_value < 0) {
        ++state.buffer_depth;
    } else {
        state.buffer_depth = state_value;
        if (state.buffer_depth == 0) screen::Present_If_Changed();
    }
    return before;
}

void pxFlsh()
{
    changed = false;
    if (present_function) present_function();
}

int Save_Screen_Rectangle(int x1, int y1, int x2, int y2)
{
    if (!surface) return 0;
    Order(x1, x2);
    Order(y1, y2);
    Saved_Rectangle saved{x1, y1, x2, y2, {}};
    const long w = static_cast<long>(x2) - x1 + 1, h = static_cast<long>(y2) - y1 + 1;
    if (w <= 0 || h <= 0 || w * h > 64L * 1024 * 1024) return 0;
    saved.pixels = screen::Copy_Rectangle(x1, y1, x2, y2);
    state.saved.push_back(std::move(saved));
    return 1;
}

int Restore_Screen_Rectangle(int x1, int y1, int x2, int y2)
{
    if (!surface) return 0;
    Order(x1, x2);
    Order(y1, y2);
    for (auto it = state.saved.rbegin(); it != state.saved.rend(); ++it) {
        if (it->x1 != x1 || it->y1 != y1 || it->x2 != x2 || it->y2 != y2) continue;
        screen::Paste_Rectangle(x1, y1, x2, y2, it->pixels);
        state.saved.erase(std::next(it).base());
        changed = true;
        return 1;
    }
    return 0;
}

namespace screen {

bool Framebuffer_Ready() { return surface != nullptr; }

void Create_Framebuffer(int width, int height)
{
    Destroy_Framebuffer();
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        surface = nullptr;
        return;
    }
    NPIXEL_X = width;
    NPIXEL_Y = height;
    Reset_Drawing_State();
    // A new screen starts white.
    uint32_t* pixels = Pixels();
    for (int y = 0; y < height; ++y) std::fill_n(pixels + static_cast<size_t>(y) * Stride(), width, 0xFFFFFFu);
    cairo_surface_mark_dirty(surface);
    changed = true;
}

void Destroy_Framebuffer()
{
    if (surface) cairo_surface_destroy(surface);
    surface = nullptr;
    state.saved.clear();
    present_function = nullptr;
}

_cairo_surface* Surface() { return surface; }

uint32_t* Pixels()
{
    return surface ? reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface)) : nullptr;
}

int Stride() { return surface ? cairo_image_surface_get_stride(surface) / 4 : 0; }

uint32_t Pixel(int x, int y)
{
    if (!surface || x < 0 || y < 0 || x >= NPIXEL_X || y >= NPIXEL_Y) return 0;
    return Pixels()[static_cast<size_t>(y) * Stride() + x] & 0xFFFFFFu;
}

std::vector<uint32_t> Copy_Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 < x1 || y2 < y1) return {};
    const size_t w = static_cast<size_t>(static_cast<long>(x2) - x1 + 1);
    std::vector<uint32_t> out(w * static_cast<size_t>(static_cast<long>(y2) - y1 + 1), 0);
    if (!surface) return out;
    // The part of each row that lies on the screen.
    const int cx1 = std::max(x1, 0), cx2 = std::min(x2, NPIXEL_X - 1);
    if (cx1 > cx2) return out;
    const uint32_t* pixels = Pixels();
    const size_t stride = static_cast<size_t>(Stride());
    for (int y = std::max(y1, 0); y <= std::min(y2, NPIXEL_Y - 1); ++y) {
        const uint32_t* from = pixels + static_cast<size_t>(y) * stride + cx1;
        uint32_t* to = out.data() + static_cast<size_t>(y - y1) * w + (cx1 - x1);
        for (int i = 0; i <= cx2 - cx1; ++i) to[i] = from[i] & 0xFFFFFFu;
    }
    return out;
}

void Paste_Rectangle(int x1, int y1, int x2, int y2, const std::vector<uint32_t>& pixels, int shift)
{
    const long w = static_cast<long>(x2) - x1 + 1, h = static_cast<long>(y2) - y1 + 1;
    if (!surface || w <= 0 || h <= 0 || pixels.size() < static_cast<size_t>(w * h)) return;
    // Target columns px = x + shift within the screen and not beyond x2.
    const int px1 = std::max(x1 + shift, 0), px2 = std::min({x2 + shift, x2, NPIXEL_X - 1});
    if (px1 > px2) return;
    uint32_t* data = Pixels();
    const size_t stride = static_cast<size_t>(Stride());
    for (int y = y1; y <= y2; ++y) {
        const int py = y + shift;
        if (py < 0 || py >= NPIXEL_Y || py > y2) continue;
        const uint32_t* from = pixels.data() + static_cast<size_t>(y - y1) * w + (px1 - shift - x1);
        std::memcpy(data + static_cast<size_t>(py) * stride + px1, from, static_cast<size_t>(px2 - px1 + 1) * 4);
    }
    Mark_Changed();
}

bool In_Clip(int x, int y)
{
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    return x >= 0 && y >= 0 && x < NPIXEL_X && y < NPIXEL_Y && x >= vx1 && x <= vx2 && y >= vy1 && y <= vy2;
}

void Put_Pixel(int x, int y, uint32_t rgb)
{
    if (!surface || !In_Clip(x, y)) return;
    Write(Pixels() + static_cast<size_t>(y) * Stride(), x, rgb);
    changed = true;
}

void Begin_Cairo()
{
    if (surface) cairo_surface_mark_dirty(surface);
}

void End_Cairo()
{
    if (surface) cairo_surface_flush(surface);
    changed = true;
}

int Write_Png(const std::string& path)
{
    if (!surface) return 1;
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS ? 0 : 1;
}

void Set_Present_Function(void (*present)()) { present_function = present; }

void Present_If_Changed()
{
    if (!changed || state.buffer_depth > 0) return;
    changed = false;
    if (present_function) present_function();
}

void Present_Now()
{
    if (!changed) return;
    changed = false;
    if (present_function) present_function();
}

void Mark_Changed() { changed = true; }

void Reset_Drawing_State()
{
    state = Drawing_State{};
    changed = true;
}

} // namespace screen
