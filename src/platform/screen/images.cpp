#include "platform/screen/images.h"
#include "platform/screen/image_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

namespace {

using screen::Image_Canvas;

constexpr uint32_t BUTTON_KEY = 0xC0C0C0;  // (192, 192, 192)
constexpr uint32_t BAND_KEY = 0xDBD5CB;    // (219, 213, 203)
constexpr uint32_t FACE = 0xD4D0C8;
constexpr uint32_t LIGHT = 0xFFFFFF;
constexpr uint32_t SHADOW = 0x808080;
constexpr uint32_t DARK = 0x404040;
constexpr uint32_t BLACK = 0x000000;
constexpr uint32_t WHITE = 0xFFFFFF;

uint32_t RGB(int r, int g, int b) { return (static_cast<uint32_t>(r) << 16) | (g << 8) | b; }

// ---- A small pixel font (5 x 9 cells, letters on rows 0..6, descenders to 8) ----------

struct Glyph {
    char c;
    const char* rows[9];
};
const Glyph glyphs[] = {
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####.", ".....", "....."}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####", ".....", "....."}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####.", ".....", "....."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#", ".....", "....."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####", ".....", "....."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###.", ".....", "....."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####", ".....", "....."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#..", ".....", "....."}},
    {'y', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#", "....#", ".###."}},
    {'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####.", ".....", "....."}},
    {'t', {".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##.", ".....", "....."}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####", ".....", "....."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", ".....", "....."}},
    {'w', {".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#.", ".....", "....."}},
    {'h', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#", ".....", "....."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#", ".....", "....."}},
    {'g', {".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."}},
    {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", ".....", "....."}},
};

int Pixel_Text_Width(const char* text) { return static_cast<int>(std::strlen(text)) * 6 - 1; }

// Draws the text with its cells' top left at (x, y), each font pixel scale x scale.
void Pixel_Text(Image_Canvas& c, int x, int y, const char* text, uint32_t colour, int scale = 1)
{
    for (; *text; ++text, x += 6 * scale) {
        for (const Glyph& g : glyphs) {
            if (g.c != *text) continue;
            for (int row = 0; row < 9; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g.rows[row][col] == '#') c.Rect(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                                                        y + row * scale + scale - 1, colour);
        }
    }
}

// ---- Buttons ---------------------------------------------------------------------------

enum Button_State { NORMAL, HOVER, INACTIVE, PRESSED };

uint32_t Grey_Of(uint32_t c)
{
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    const int l = (r * 30 + g * 59 + b * 11) / 100;
    const int v = 150 + l * 70 / 255;
    return RGB(v, v, v);
}

// A pictogram drawn into a w x h box at (0, 0) of its own canvas; key = transparent.
using Pictogram = std::function<void(Image_Canvas&, int w, int h)>;

// One button image: bevelled face with the pictogram; corners in the key colour.
void Draw_Button(Image_Canvas& out, int x0, int y0, int w, int h, Button_State state, const Pictogram& picture,
                 uint32_t key)
{
    const uint32_t face = state == HOVER ? RGB(232, 230, 222) : FACE;
    out.Rect(x0, y0, x0 + w - 1, y0 + h - 1, face);
    const uint32_t tl = state == PRESSED ? DARK : LIGHT, br = state == PRESSED ? LIGHT : DARK;
    out.Line(x0 + 1, y0, x0 + w - 2, y0, tl);
    out.Line(x0, y0 + 1, x0, y0 + h - 2, tl);
    out.Line(x0 + 1, y0 + h - 1, x0 + w - 2, y0 + h - 1, br);
    out.Line(x0 + w - 1, y0 + 1, x0 + w - 1, y0 + h - 2, br);
    if (state != PRESSED) {
        out.Line(x0 + 1, y0 + h - 2, x0 + w - 2, y0 + h - 2, SHADOW);
        out.Line(x0 + w - 2, y0 + 1, x0 + w - 2, y0 + h - 2, SHADOW);
    }
    if (state == HOVER) {
        out.Line(x0 + 2, y0 + 1, x0 + w - 3, y0 + 1, RGB(51, 94, 168));
        out.Line(x0 + 2, y0 + 2, x0 + w - 3, y0 + 2, RGB(51, 94, 168));
    }
    // The four corner pixels are the key, so the button looks rounded.
    out.Set(x0, y0, key);
    out.Set(x0 + w - 1, y0, key);
    out.Set(x0, y0 + h - 1, key);
    out.Set(x0 + w - 1, y0 + h - 1, key);

    const int pw = 26, ph = 26;
    Image_Canvas pic(pw, ph, key);
    picture(pic, pw, ph);
    const int shift = state == PRESSED ? 1 : 0;
    const int px = x0 + (w - pw) / 2 + shift, py = y0 + (h - ph) / 2 + shift;
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) {
            const uint32_t c = pic.Get(x, y);
            if (c == key) continue;
            out.Set(px + x, py + y, state == INACTIVE ? Grey_Of(c) : c);
        }
}

void Page(Image_Canvas& c, int x1, int y1, int x2, int y2)
{
    c.Rect(x1, y1, x2, y2, WHITE);
    c.Line(x1, y1, x2, y1, DARK);
    c.Line(x1, y2, x2, y2, DARK);
    c.Line(x1, y1, x1, y2, DARK);
    c.Line(x2, y1, x2, y2, DARK);
}

void Page_Lines(Image_Canvas& c, int x1, int y1, int x2, int y2, uint32_t colour)
{
    for (int y = y1; y <= y2; y += 3) c.Line(x1, y, x2, y, colour);
}

const Pictogram print_picture = [](Image_Canvas& c, int, int) {
    Page(c, 7, 1, 18, 10);                          // paper going in
    Page_Lines(c, 9, 3, 16, 9, RGB(90, 90, 90));
    c.Rect(2, 10, 23, 19, RGB(90, 90, 100));        // the printer's body
    c.Line(2, 10, 23, 10, RGB(150, 150, 160));
    c.Rect(5, 13, 20, 14, BLACK);                    // the slot
    c.Set(20, 11, RGB(40, 200, 40));                 // the lamp
    Page(c, 6, 15, 19, 24);                          // paper coming out
    Page_Lines(c, 8, 18, 17, 23, RGB(90, 90, 90));
};

const Pictogram help_picture = [](Image_Canvas& c, int, int) {
    c.Disc(12.5, 12.5, 11.6, RGB(30, 90, 200));
    Pixel_Text(c, 8, 4, "?", WHITE, 2);
};

const Pictogram end_picture = [](Image_Canvas& c, int, int) {
    c.Rect(3, 1, 14, 24, RGB(120, 72, 32));          // door frame
    c.Rect(5, 3, 12, 24, RGB(170, 110, 50));         // the door
    c.Set(11, 13, RGB(250, 220, 90));                // its handle
    c.Set(11, 14, RGB(250, 220, 90));
    c.Polygon({{15, 10}, {20, 10}, {20, 6}, {25, 12}, {20, 18}, {20, 14}, {15, 14}}, RGB(200, 30, 30));
};

const Pictogram preview_picture = [](Image_Canvas& c, int, int) {
    Page(c, 2, 1, 17, 22);
    Page_Lines(c, 4, 4, 15, 20, RGB(120, 120, 120));
    c.Ring(15.5, 14.5, 5.0, 7.2, RGB(60, 60, 60));   // the lens
    c.Disc(15.5, 14.5, 4.9, RGB(200, 225, 250));
    c.Thick_Line(20, 19, 24, 23, 3, RGB(60, 60, 60)); // its handle
};

const Pictogram settings_picture = [](Image_Canvas& c, int, int) {
    Page(c, 3, 1, 18, 24);
    for (int row = 0; row < 4; ++row) {
        const int y = 5 + row * 5;
        c.Rect(6, y - 1, 8, y + 1, row == 1 ? RGB(200, 30, 30) : RGB(30, 140, 30));
        c.Line(10, y, 16, y, RGB(90, 90, 90));
    }
    c.Thick_Line(22, 4, 22, 22, 2, RGB(90, 90, 100));  // a slider beside the page
    c.Rect(20, 11, 24, 14, RGB(30, 90, 200));
};

const Pictogram annex_picture = [](Image_Canvas& c, int, int) {
    c.Rect(1, 4, 24, 21, RGB(0, 51, 153));           // a blue flag
    for (int k = 0; k < 12; ++k) {
        const double a = k * 6.283185307179586 / 12;
        const int x = 12 + static_cast<int>(std::lround(6.5 * std::cos(a)));
        const int y = 12 + static_cast<int>(std::lround(6.5 * std::sin(a)));
        c.Rect(x, y, x + 1, y + 1, RGB(255, 204, 0));
    }
};

void Bolt(Image_Canvas& c, uint32_t colour)
{
    c.Polygon({{14, 3}, {7, 14}, {12, 14}, {10, 22}, {18, 10}, {13, 10}, {15, 3}}, colour);
}

const Pictogram online_on_picture = [](Image_Canvas& c, int, int) {
    c.Disc(12.5, 12.5, 11.6, RGB(30, 160, 60));
    Bolt(c, RGB(255, 240, 80));
};

const Pictogram online_off_picture = [](Image_Canvas& c, int, int) {
    c.Disc(12.5, 12.5, 11.6, RGB(150, 150, 150));
    Bolt(c, RGB(235, 235, 235));
    c.Thick_Line(5, 5, 20, 20, 2, RGB(200, 30, 30));
};

void Register_Tab(Image_Canvas& c, int x1, int x2, int y1, int y2, const char* caption)
{
    c.Rect(x1 + 1, y1 + 1, x2 - 1, y2, FACE);
    c.Line(x1 + 2, y1, x2 - 2, y1, LIGHT);
    c.Line(x1, y1 + 2, x1, y2, LIGHT);
    c.Set(x1 + 1, y1 + 1, LIGHT);
    c.Line(x2, y1 + 2, x2, y2, DARK);
    c.Set(x2 - 1, y1 + 1, DARK);
    c.Line(x2 - 1, y1 + 2, x2 - 1, y2, SHADOW);
    const int w = Pixel_Text_Width(caption);
    Pixel_Text(c, (x1 + x2 + 1 - w) / 2, y1 + 8, caption, BLACK);
}

Screen_Image Buttons_Bmp()
{
    Image_Canvas c(642, 202, BUTTON_KEY);
    // The header band: register captions over the key colour, a title bar beside them.
    c.Rect(0, 0, 635, 47, BAND_KEY);
    Register_Tab(c, 0, 68, 18, 43, "System");
    Register_Tab(c, 69, 139, 18, 43, "Lasten");
    Register_Tab(c, 140, 210, 18, 43, "Bewehrung");
    for (int x = 216; x <= 635; ++x) {
        const double t = (x - 216) / 419.0;
        const uint32_t colour = RGB(10 + static_cast<int>(156 * t), 36 + static_cast<int>(166 * t),
                                    106 + static_cast<int>(134 * t));
        c.Line(x, 20, x, 41, colour);
    }
    Pixel_Text(c, 228, 24, "Konsole EC 2", WHITE, 1);

    struct Column {
        int x, w;
        const Pictogram* picture;
    };
    const Column columns[] = {
        {1, 42, &print_picture},      {130, 42, &help_picture},      {173, 42, &end_picture},
        {216, 42, &preview_picture},  {259, 42, &settings_picture},  {302, 42, &annex_picture},
        {345, 45, &online_on_picture}, {391, 45, &online_off_picture},
    };
    const struct {
        int y;
        Button_State state;
    } rows[] = {{51, NORMAL}, {89, HOVER}, {127, INACTIVE}, {165, PRESSED}};
    for (const Column& col : columns)
        for (const auto& row : rows) Draw_Button(c, col.x, row.y, col.w, 37, row.state, *col.picture, BUTTON_KEY);
    return c.image;
}

Screen_Image Act_But_Bmp()
{
    Image_Canvas c(14, 14, WHITE);
    c.Rect(1, 1, 12, 12, FACE);
    c.Line(1, 0, 12, 0, LIGHT);
    c.Line(0, 1, 0, 12, RGB(230, 230, 230));
    c.Line(1, 13, 12, 13, DARK);
    c.Line(13, 1, 13, 12, DARK);
    c.Line(2, 12, 12, 12, SHADOW);
    c.Line(12, 2, 12, 11, SHADOW);
    c.Polygon({{5, 3}, {10, 7}, {5, 10}}, RGB(0, 60, 160));
    return c.image;
}

Screen_Image Glory3_Bmp()
{
    Image_Canvas c(144, 108, BUTTON_KEY);
    const uint32_t colours[3] = {RGB(200, 40, 40), RGB(30, 90, 200), RGB(30, 150, 60)};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const int x0 = col * 36, y0 = row * 36;
            const int shift = col == 3 ? 1 : 0;
            const double cx = x0 + 17.5 + shift, cy = y0 + 17.5 + shift;
            uint32_t face = colours[row];
            if (col == 2) face = RGB(std::min(255, int((face >> 16) & 0xFF) + 40),
                                     std::min(255, int((face >> 8) & 0xFF) + 40), std::min(255, int(face & 0xFF) + 40));
            if (col == 0) face = Grey_Of(face);
            c.Disc(cx + 1, cy + 1, 15.6, SHADOW);  // its shadow
            c.Disc(cx, cy, 15.6, face);
            c.Ring(cx, cy, 14.6, 15.6, col == 2 ? WHITE : DARK);
            const uint32_t sign = col == 0 ? RGB(235, 235, 235) : WHITE;
            const int sx = x0 + 8 + shift, sy = y0 + 8 + shift;
            if (row == 0) {
                c.Thick_Line(sx + 2, sy + 2, sx + 17, sy + 17, 3, sign);
                c.Thick_Line(sx + 17, sy + 2, sx + 2, sy + 17, 3, sign);
            } else if (row == 1) {
                Pixel_Text(c, sx + 5, sy + 1, "?", sign, 2);
            } else {
                c.Thick_Line(sx + 2, sy + 10, sx + 7, sy + 16, 3, sign);
                c.Thick_Line(sx + 7, sy + 16, sx + 17, sy + 3, 3, sign);
            }
        }
    return c.image;
}

Screen_Image Expl_But_Bmp()
{
    Image_Canvas c(17, 17, FACE);
    c.Line(0, 0, 16, 0, LIGHT);
    c.Line(0, 0, 0, 16, LIGHT);
    c.Line(0, 16, 16, 16, DARK);
    c.Line(16, 0, 16, 16, DARK);
    c.Rect(3, 5, 7, 6, RGB(200, 160, 40));      // the folder's tab
    c.Rect(2, 6, 14, 13, RGB(240, 200, 70));    // the folder
    c.Line(2, 13, 14, 13, RGB(150, 110, 20));
    c.Line(14, 6, 14, 13, RGB(150, 110, 20));
    c.Line(3, 8, 13, 8, RGB(255, 235, 150));
    return c.image;
}

Screen_Image Anima2_Bmp()
{
    Image_Canvas c(1021, 85, FACE);
    for (int k = 0; k < 12; ++k) {
        const int x0 = 1 + 85 * k;
        const double cx = x0 + 41.5, cy = 41.5;
        for (int j = 0; j < 12; ++j) {
            const double a = j * 6.283185307179586 / 12 - 1.5707963267948966;
            const int age = (k - j + 12) % 12;  // 0: the dot lit in this frame
            const int v = age < 6 ? 40 + age * 30 : 200;
            const uint32_t colour = age < 6 ? RGB(v / 4, v / 2, 140 + v / 2) : RGB(190, 186, 178);
            c.Disc(cx + 30 * std::cos(a), cy + 30 * std::sin(a), age == 0 ? 6.0 : 5.0, colour);
        }
    }
    return c.image;
}

Screen_Image Sand_Clock_Bmp()
{
    Image_Canvas c(372, 61, BUTTON_KEY);
    const uint32_t glass = RGB(60, 60, 70), sand = RGB(220, 180, 60), wood = RGB(130, 80, 30);
    for (int k = 0; k < 12; ++k) {
        const int x0 = 31 * k;
        c.Rect(x0 + 2, 1, x0 + 28, 4, wood);
        c.Rect(x0 + 2, 56, x0 + 28, 59, wood);
        // The glass: two triangles meeting at the waist (x0 + 15, 30).
        c.Polygon({{x0 + 5, 5}, {x0 + 25, 5}, {x0 + 16, 29}, {x0 + 14, 29}}, RGB(235, 240, 250));
        c.Polygon({{x0 + 14, 31}, {x0 + 16, 31}, {x0 + 25, 55}, {x0 + 5, 55}}, RGB(235, 240, 250));
        // Sand: the upper part empties row by row, the lower one fills.
        const int upper_top = 8 + k * 2, lower_top = 54 - k * 2;
        for (int y = upper_top; y <= 28; ++y) {
            const int half = (29 - y) * 10 / 24;
            c.Line(x0 + 15 - half, y, x0 + 15 + half, y, sand);
        }
        for (int y = lower_top; y <= 54; ++y) {
            const int half = (y - 31) * 10 / 24;
            c.Line(x0 + 15 - half, y, x0 + 15 + half, y, sand);
        }
        if (k < 11) c.Line(x0 + 15, 29, x0 + 15, lower_top, sand);  // the falling stream
        c.Line(x0 + 5, 5, x0 + 14, 29, glass);
        c.Line(x0 + 25, 5, x0 + 16, 29, glass);
        c.Line(x0 + 14, 31, x0 + 5, 55, glass);
        c.Line(x0 + 16, 31, x0 + 25, 55, glass);
        c.Line(x0 + 14, 29, x0 + 14, 31, glass);
        c.Line(x0 + 16, 29, x0 + 16, 31, glass);
    }
    return c.image;
}

struct Maker {
    const char* name;
    Screen_Image (*make)();
};
const Maker makers[] = {
    {"Buttons.bmp", Buttons_Bmp},   {"act_but.bmp", Act_But_Bmp}, {"Glory3.bmp", Glory3_Bmp},
    {"expl_but.bmp", Expl_But_Bmp}, {"Anima2.bmp", Anima2_Bmp},   {"animsandclock.bmp", Sand_Clock_Bmp},
};

} // namespace

const std::vector<std::string>& Library_Bitmap_Names()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const Maker& m : makers) n.push_back(m.name);
        screen::Add_Form_Bitmap_Names(n);
        return n;
    }();
    return names;
}

bool Make_Library_Bitmap(const std::string& name, Screen_Image& image)
{
    for (const Maker& m : makers)
        if (name == m.name) {
            image = m.make();
            return true;
        }
    return screen::Make_Form_Bitmap(name, image);
}
