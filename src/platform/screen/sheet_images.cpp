#include "platform/screen/sheet_images.h"
#include "platform/screen/image_canvas.h"
#include "platform/codepage.h"
#include "platform/fonts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace {

using screen::Image_Canvas;

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;
constexpr uint32_t FACE = 0xD4D0C8;
constexpr uint32_t LIGHT = 0xF8F8F8;  // not the white key of the sheets' pictures
constexpr uint32_t PAPER = 0xFCFCFC;
constexpr uint32_t SHADOW = 0x808080;
constexpr uint32_t DARK = 0x404040;
constexpr uint32_t CONCRETE = 0xE9E9E9;  // (233, 233, 233)
constexpr uint32_t LOAD_RED = 0xB10000;  // (177, 0, 0)
constexpr uint32_t STEEL_BLUE = 0x1E46A0;

uint32_t RGB(int r, int g, int b) { return (static_cast<uint32_t>(r) << 16) | (g << 8) | b; }

// A bevelled face with the key colour in its corners.
void Bevel(Image_Canvas& c, int x0, int y0, int w, int h, bool pressed, uint32_t face, uint32_t key)
{
    c.Rect(x0, y0, x0 + w - 1, y0 + h - 1, face);
    const uint32_t tl = pressed ? DARK : LIGHT, br = pressed ? LIGHT : DARK;
    c.Line(x0, y0, x0 + w - 1, y0, tl);
    c.Line(x0, y0, x0, y0 + h - 1, tl);
    c.Line(x0, y0 + h - 1, x0 + w - 1, y0 + h - 1, br);
    c.Line(x0 + w - 1, y0, x0 + w - 1, y0 + h - 1, br);
    if (!pressed && w > 4 && h > 4) {
        c.Line(x0 + 1, y0 + h - 2, x0 + w - 2, y0 + h - 2, SHADOW);
        c.Line(x0 + w - 2, y0 + 1, x0 + w - 2, y0 + h - 2, SHADOW);
    }
    c.Set(x0, y0, key);
    c.Set(x0 + w - 1, y0, key);
    c.Set(x0, y0 + h - 1, key);
    c.Set(x0 + w - 1, y0 + h - 1, key);
}

uint32_t Grey_Of(uint32_t c)
{
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    const int v = 150 + (r * 30 + g * 59 + b * 11) / 100 * 70 / 255;
    return RGB(v, v, v);
}

// The four columns of a bitmap button (inactive, normal, hover, pressed), each w x h at
// row y0, with a pictogram drawn by the function at the column's origin (shifted when
// pressed, grey when inactive).
template <typename Draw>
void Button_Columns(Image_Canvas& c, int y0, int w, int h, uint32_t key, Draw draw)
{
    for (int col = 0; col < 4; ++col) {
        const int x0 = col * w;
        Bevel(c, x0, y0, w, h, col == 3, col == 2 ? RGB(232, 230, 222) : FACE, key);
        Image_Canvas pic(w, h, key);
        draw(pic, w, h);
        const int shift = col == 3 ? 1 : 0;
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x) {
                const uint32_t p = pic.image.At(x, y);
                if (p == key) continue;
                c.Set(x0 + x + shift, y0 + y + shift, col == 0 ? Grey_Of(p) : p);
            }
    }
}

// ---- Small buttons ----------------------------------------------------------------------

Screen_Image Updown_But()
{
    Image_Canvas c(16, 18, WHITE);
    Bevel(c, 0, 0, 16, 9, false, FACE, WHITE);
    Bevel(c, 0, 9, 16, 9, false, FACE, WHITE);
    c.Triangle(4, 6, 11, 6, 7, 2, BLACK);   // up
    c.Triangle(4, 11, 11, 11, 7, 15, BLACK);  // down
    return c.image;
}

Screen_Image Work_But()
{
    Image_Canvas c(14, 14, WHITE);
    Bevel(c, 0, 0, 14, 14, false, FACE, WHITE);
    c.Disc(6.5, 6.5, 4.2, RGB(220, 120, 20));  // a cog wheel's body
    c.Disc(6.5, 6.5, 1.6, FACE);
    c.Rect(6, 1, 7, 2, RGB(220, 120, 20));
    c.Rect(6, 11, 7, 12, RGB(220, 120, 20));
    c.Rect(1, 6, 2, 7, RGB(220, 120, 20));
    c.Rect(11, 6, 12, 7, RGB(220, 120, 20));
    return c.image;
}

// ---- Load-table headings ------------------------------------------------------------------
// The load table's rows (x from the panel's left edge): the row icons, then the frames of
// the fields H (45 .. 124), A (127 .. 206), the name (209 .. 544) and the required area
// of the last calculation (547 .. 626). Each heading cell stands over its field: a symbol
// above the band and the quantity with its unit in the band.

constexpr int HEAD_BOUNDS[] = {5, 44, 126, 208, 546, 630};  // cell bounds of the band
constexpr int HEAD_BAND_TOP = 44, HEAD_BAND_BOTTOM = 65, HEAD_TEXT_BASE = 59;
constexpr int H_CENTRE = (HEAD_BOUNDS[1] + HEAD_BOUNDS[2]) / 2;
constexpr int A_CENTRE = (HEAD_BOUNDS[2] + HEAD_BOUNDS[3]) / 2;
constexpr int NAME_CENTRE = (HEAD_BOUNDS[3] + HEAD_BOUNDS[4]) / 2;
constexpr int RESULT_X = 544;  // where the sheet puts the result heading

void Centred_Text(Image_Canvas& c, int centre, int base, const char* text, uint32_t colour, int font = 0x1000)
{
    c.Text(centre - Font_Text_Width(text, font, Code_Page::Cp850_Symbols) / 2, base, text, colour, font);
}

Screen_Image Load_Heading()
{
    Image_Canvas c(631, 66, WHITE);
    c.Rect(HEAD_BOUNDS[0], HEAD_BAND_TOP, HEAD_BOUNDS[5], HEAD_BAND_BOTTOM, RGB(236, 236, 244));
    c.Frame(HEAD_BOUNDS[0], HEAD_BAND_TOP, HEAD_BOUNDS[5], HEAD_BAND_BOTTOM, SHADOW);
    for (int x : HEAD_BOUNDS) c.Line(x, HEAD_BAND_TOP, x, HEAD_BAND_BOTTOM, SHADOW);
    return c.image;
}

// The heading of the force columns in a unit of the unit switch (1: kN / kNm, 2: kN / kNcm,
// 3: N / Nm; the table shows forces only): the horizontal force H pointing right over its
// column, the vertical force A over its own, the name column's title. A beam-end corbel's
// forces are per metre of the beam, and its vertical force points up from below (the load
// hangs on the corbel).
Screen_Image Load_Units(int unit, bool beam)
{
    Image_Canvas c(536, 66, WHITE);
    const int mid = 24;
    c.Arrow(H_CENTRE - 18, mid, H_CENTRE + 18, mid, LOAD_RED);
    if (beam)
        c.Arrow(A_CENTRE, mid + 17, A_CENTRE, mid - 17, LOAD_RED);
    else
        c.Arrow(A_CENTRE, mid - 17, A_CENTRE, mid + 17, LOAD_RED);
    const char* force = unit == 3 ? (beam ? "N/m" : "N") : (beam ? "kN/m" : "kN");
    char text[32];
    std::snprintf(text, sizeof text, "H [%s]", force);
    Centred_Text(c, H_CENTRE, HEAD_TEXT_BASE, text, BLACK);
    std::snprintf(text, sizeof text, "A [%s]", force);
    Centred_Text(c, A_CENTRE, HEAD_TEXT_BASE, text, BLACK);
    Centred_Text(c, NAME_CENTRE, HEAD_TEXT_BASE, "Bezeichnung", BLACK);
    return c.image;
}

// The heading of the result column, shown with the online calculation: the total required
// area of each combination (per metre of the beam on a beam-end corbel).
Screen_Image Utilisation_Heading(bool beam)
{
    Image_Canvas c(84, 66, WHITE);
    const int centre = (HEAD_BOUNDS[4] + HEAD_BOUNDS[5]) / 2 - RESULT_X;
    const int w = Font_Text_Width("erf A", 0x1000, Code_Page::Cp850_Symbols);
    const int x = centre - (w + 1 + Font_Text_Width("s", 0x1002, Code_Page::Cp850_Symbols)) / 2;
    c.Text(x, 30, "erf A", STEEL_BLUE);
    c.Text(x + w + 1, 33, "s", STEEL_BLUE, 0x1002);
    Centred_Text(c, centre, HEAD_TEXT_BASE, beam ? "[cm\xFD/m]" : "[cm\xFD]", BLACK);
    return c.image;
}

// The sign picture of the design forces: a column with its corbel and the positive
// directions of the loads.
Screen_Image Load_Sign_Picture()
{
    Image_Canvas c(236, 211, WHITE);
    c.Rect(20, 0, 90, 210, CONCRETE);  // the column
    for (int y = 0; y <= 210; ++y) c.Set(20, y, DARK), c.Set(90, y, DARK);
    c.Triangle(90, 70, 90, 130, 190, 70, CONCRETE);  // the corbel
    c.Rect(90, 70, 190, 90, CONCRETE);
    c.Line(90, 70, 190, 70, DARK);
    c.Line(190, 70, 190, 90, DARK);
    c.Line(190, 90, 90, 150, DARK);
    c.Rect(140, 62, 170, 69, RGB(120, 120, 120));  // the bearing plate
    c.Arrow(155, 15, 155, 60, LOAD_RED);         // A
    c.Arrow(130, 50, 185, 50, LOAD_RED);         // H
    return c.image;
}

// ---- Component import ---------------------------------------------------------------------

Screen_Image Sni_Q7()
{
    Image_Canvas c(56, 20, WHITE);
    c.Line(4, 16, 52, 16, DARK);  // a frame: two columns and a beam
    c.Rect(8, 4, 10, 16, STEEL_BLUE);
    c.Rect(46, 4, 48, 16, STEEL_BLUE);
    c.Rect(8, 3, 48, 5, STEEL_BLUE);
    c.Arrow(28, 0, 28, 3, LOAD_RED);
    return c.image;
}

Screen_Image Sni_Import_Buttons()
{
    Image_Canvas c(4 * 51, 112, WHITE);
    Button_Columns(c, 0, 51, 33, WHITE, [](Image_Canvas& p, int, int) {  // forces from a component
        p.Rect(10, 9, 12, 25, STEEL_BLUE);
        p.Rect(38, 9, 40, 25, STEEL_BLUE);
        p.Rect(10, 8, 40, 10, STEEL_BLUE);
        p.Arrow(25, 26, 25, 14, LOAD_RED);
    });
    Button_Columns(c, 36, 51, 36, WHITE, [](Image_Canvas& p, int, int) {  // clear the table
        p.Rect(12, 8, 38, 28, PAPER);
        p.Frame(12, 8, 38, 28, DARK);
        for (int y = 13; y < 28; y += 5) p.Line(12, y, 38, y, SHADOW);
        p.Line(15, 10, 35, 26, RGB(200, 30, 30));
        p.Line(16, 10, 36, 26, RGB(200, 30, 30));
        p.Line(35, 10, 15, 26, RGB(200, 30, 30));
        p.Line(36, 10, 16, 26, RGB(200, 30, 30));
    });
    Button_Columns(c, 76, 51, 36, WHITE, [](Image_Canvas& p, int, int) {  // loads from a text file
        p.Rect(15, 5, 34, 30, PAPER);
        p.Frame(15, 5, 34, 30, DARK);
        for (int y = 10; y < 28; y += 4) p.Line(18, y, 31, y, SHADOW);
        p.Arrow(42, 18, 30, 18, LOAD_RED);
    });
    return c.image;
}

// ---- Cross-section of the reinforcement choice ------------------------------------------

// The section of a corbel with its stirrup and a layer of bars; it stands beside the two
// cover fields.
Screen_Image Cross_Section()
{
    Image_Canvas c(150, 56, WHITE);
    c.Rect(20, 6, 140, 52, CONCRETE);
    c.Frame(20, 6, 140, 52, DARK);
    c.Frame(27, 13, 133, 45, STEEL_BLUE);  // the stirrup
    for (int k = 0; k < 5; ++k) c.Disc(33.5 + 23.5 * k, 19.5, 3.5, STEEL_BLUE);  // the top layer
    return c.image;
}

// ---- The annex flags and buttons -------------------------------------------------------------

// Flags, one per code, 19 pixels apart in a 26-pixel column: three bands of colours of
// their own (horizontal or vertical), the German annex (18) in black, red and gold, the
// standard values (19) blue with a ring of stars, unknown annexes (17) white with a grey
// question mark frame.
Screen_Image Euro_Flags()
{
    Image_Canvas c(26, 19 * 20, FLAG_GROUND_RGB);
    const uint32_t palette[] = {RGB(0, 85, 164),   RGB(239, 65, 53),   RGB(255, 255, 255), RGB(0, 140, 69),
                                RGB(255, 205, 0),   RGB(206, 17, 38),   RGB(0, 122, 94),    RGB(0, 56, 147),
                                RGB(253, 218, 36),  RGB(0, 0, 0),       RGB(255, 121, 0),   RGB(105, 190, 40)};
    for (int code = 0; code < 20; ++code) {
        const int y0 = 19 * code + 2, y1 = y0 + 15;  // a row of ground above and below
        if (code == 18) {
            c.Rect(0, y0, 25, y0 + 4, BLACK);
            c.Rect(0, y0 + 5, 25, y0 + 10, RGB(221, 0, 0));
            c.Rect(0, y0 + 11, 25, y1 - 1, RGB(255, 206, 0));
        } else if (code == 19) {
            c.Rect(0, y0, 25, y1 - 1, RGB(0, 51, 153));
            for (int k = 0; k < 12; ++k) {
                const double a = k * 6.283185307179586 / 12;
                c.Set(13 + static_cast<int>(std::lround(5 * std::cos(a))), y0 + 7 + static_cast<int>(std::lround(5 * std::sin(a))),
                      RGB(255, 204, 0));
            }
        } else if (code == 17) {
            c.Rect(0, y0, 25, y1 - 1, PAPER);
            c.Frame(0, y0, 25, y1 - 1, SHADOW);
        } else {
            const uint32_t a = palette[code % 12], b = palette[(code * 5 + 2) % 12], d = palette[(code * 7 + 4) % 12];
            if (code % 2) {
                c.Rect(0, y0, 8, y1 - 1, a);
                c.Rect(9, y0, 16, y1 - 1, b == a ? PAPER : b);
                c.Rect(17, y0, 25, y1 - 1, d);
            } else {
                c.Rect(0, y0, 25, y0 + 4, a);
                c.Rect(0, y0 + 5, 25, y0 + 9, b == a ? PAPER : b);
                c.Rect(0, y0 + 10, 25, y1 - 1, d);
            }
        }
    }
    return c.image;
}

Screen_Image Nad_Buttons()
{
    const uint32_t key = NAD_BUTTON_KEY_RGB;
    Image_Canvas c(4 * 42, NAD_EDITOR_BUTTON_ROW + NAD_EDITOR_BUTTON_HEIGHT, key);
    // Row 577: the strip's label, a small band of flags.
    for (int col = 0; col < 4; ++col) {
        const int x0 = col * 42;
        c.Rect(x0 + 1, 577, x0 + 40, 584, RGB(0, 51, 153));
        for (int k = 0; k < 5; ++k) c.Rect(x0 + 4 + 8 * k, 579, x0 + 7 + 8 * k, 582, col == 0 ? SHADOW : RGB(255, 204, 0));
    }
    // Row 598: "choose an annex", a flag on its pole.
    Button_Columns(c, 598, 40, 41, key, [](Image_Canvas& p, int, int) {
        p.Rect(10, 6, 11, 35, DARK);
        p.Rect(12, 7, 31, 11, BLACK);
        p.Rect(12, 12, 31, 16, RGB(221, 0, 0));
        p.Rect(12, 17, 31, 21, RGB(255, 206, 0));
    });
    // The editor button, a pencil on a button of the size of the sheet's other buttons.
    Button_Columns(c, NAD_EDITOR_BUTTON_ROW, NAD_EDITOR_BUTTON_WIDTH, NAD_EDITOR_BUTTON_HEIGHT, key,
                   [](Image_Canvas& p, int w, int h) {
                       const int x0 = w / 2 - 5, y0 = h / 2 + 4;
                       p.Line(x0, y0, x0 + 8, y0 - 8, RGB(200, 120, 20));
                       p.Line(x0 + 1, y0, x0 + 9, y0 - 8, RGB(200, 120, 20));
                       p.Line(x0, y0 - 1, x0 + 8, y0 - 9, RGB(200, 120, 20));
                       p.Set(x0, y0, BLACK);
                   });
    return c.image;
}

// ---- Material law pictures (free material dialog, material buttons) ----------------
// Stress over strain with compression to the right: the axes, the law, and for the newer
// standards the characteristic level dashed above the design curve. Ground white (the key).

void Law_Axes(Image_Canvas& c, int x0, int y0, int x1, int y1)
{
    c.Line(x0, y0, x1, y0, DARK);  // strain axis
    c.Line(x0, y0, x0, y1, DARK);  // stress axis
    c.Triangle(x1, y0 - 3, x1 + 4, y0, x1, y0 + 3, DARK);
    c.Triangle(x0 - 3, y1, x0, y1 - 4, x0 + 3, y1, DARK);
}

void Dashed(Image_Canvas& c, int x1, int x2, int y, uint32_t colour)
{
    for (int x = x1; x <= x2; ++x)
        if ((x - x1) % 6 < 3) c.Set(x, y, colour);
}

Screen_Image Concrete_Law_Picture(bool newer)
{
    Image_Canvas c(110, 80, WHITE);
    const int x0 = 10, y0 = 70, peak = 50, end = 90, top = newer ? 28 : 20;
    Law_Axes(c, x0, y0, 102, 6);
    // Parabola to the peak strain, then constant to the ultimate strain.
    int px = x0, py = y0;
    for (int x = x0; x <= x0 + peak; ++x) {
        const double e = static_cast<double>(x - x0) / peak;
        const int y = y0 - static_cast<int>(std::lround((y0 - top) * (1.0 - (1.0 - e) * (1.0 - e))));
        c.Line(px, py, x, y, STEEL_BLUE);
        c.Line(px, py + 1, x, y + 1, STEEL_BLUE);
        px = x;
        py = y;
    }
    c.Rect(x0 + peak, top, x0 + end, top + 1, STEEL_BLUE);
    c.Line(x0 + end, top, x0 + end, y0, STEEL_BLUE);
    if (newer) Dashed(c, x0, x0 + end, top - 10, LOAD_RED);
    return c.image;
}

Screen_Image Steel_Law_Picture(bool newer)
{
    Image_Canvas c(110, 80, WHITE);
    const int x0 = 10, y0 = 70, yield_x = 22, end = 90, yield_y = 30;
    Law_Axes(c, x0, y0, 102, 6);
    c.Line(x0, y0, x0 + yield_x, yield_y, STEEL_BLUE);
    c.Line(x0 + 1, y0, x0 + yield_x + 1, yield_y, STEEL_BLUE);
    // Older rules: yielding without hardening; newer: rising to ftk at eps_uk.
    const int end_y = newer ? yield_y - 14 : yield_y;
    c.Line(x0 + yield_x, yield_y, x0 + end, end_y, STEEL_BLUE);
    c.Line(x0 + yield_x, yield_y + 1, x0 + end, end_y + 1, STEEL_BLUE);
    c.Line(x0 + end, end_y, x0 + end, y0, STEEL_BLUE);
    if (newer) Dashed(c, x0, x0 + end, end_y, LOAD_RED);
    return c.image;
}

struct Maker {
    const char* name;
    Screen_Image (*make)();
};
const Maker makers[] = {
    {"updown_but.bmp", Updown_But},
    {"work_but.bmp", Work_But},
    {"EC2_konlasten0.bmp", Load_Heading},
    {"EC2_konlasten0_1.bmp", [] { return Load_Units(1, false); }},
    {"EC2_konlasten0_2.bmp", [] { return Load_Units(2, false); }},
    {"EC2_konlasten0_3.bmp", [] { return Load_Units(3, false); }},
    {"EC2_konlasten0_1p.bmp", [] { return Load_Units(1, true); }},
    {"EC2_konlasten0_2p.bmp", [] { return Load_Units(2, true); }},
    {"EC2_konlasten0_3p.bmp", [] { return Load_Units(3, true); }},
    {"EC2_konlasten0a.bmp", [] { return Utilisation_Heading(false); }},
    {"EC2_konlasten0a_p.bmp", [] { return Utilisation_Heading(true); }},
    {"EC2_konlasten0_pic.bmp", Load_Sign_Picture},
    {"SniQ7.bmp", Sni_Q7},
    {"SniGrImportButton.bmp", Sni_Import_Buttons},
    {"ec2_quer1i.bmp", Cross_Section},
    {"NAD/EuroFlags.bmp", Euro_Flags},
    {"NAD/Buttons.bmp", Nad_Buttons},
    // Material laws.
    {"btn_mat1.bmp", [] { return Concrete_Law_Picture(false); }},
    {"btn_mat2.bmp", [] { return Steel_Law_Picture(false); }},
    {"btn_mat3.bmp", [] { return Concrete_Law_Picture(true); }},
    {"btn_mat4.bmp", [] { return Steel_Law_Picture(true); }},
};

} // namespace

const std::vector<std::string>& Sheet_Bitmap_Names()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const Maker& m : makers) n.push_back(m.name);
        return n;
    }();
    return names;
}

bool Make_Sheet_Bitmap(const std::string& name, Screen_Image& image)
{
    for (const Maker& m : makers)
        if (name == m.name) {
            image = m.make();
            return true;
        }
    return false;
}
