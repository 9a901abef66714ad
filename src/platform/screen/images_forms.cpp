// The pictures of the form layer's widgets, drawn in code like the library's own
// (platform/screen/images.h lists them).
#include "platform/screen/images.h"
#include "platform/screen/image_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using screen::Image_Canvas;

uint32_t RGB(int r, int g, int b) { return (static_cast<uint32_t>(r) << 16) | (g << 8) | b; }

// A bitmap button's four columns (inactive, normal, hover, pressed) of w x h from y0.
void Button_Faces(Image_Canvas& p, int w, int h, int y0, void (*symbol)(Image_Canvas&, int x, int y, uint32_t ink))
{
    const uint32_t faces[4] = {RGB(226, 224, 220), RGB(236, 233, 216), RGB(250, 240, 200), RGB(214, 208, 196)};
    const uint32_t inks[4] = {RGB(170, 170, 170), RGB(40, 40, 40), RGB(0, 60, 140), RGB(40, 40, 40)};
    for (int k = 0; k < 4; ++k) {
        const int x0 = k * w;
        p.Rect(x0 + 1, y0 + 1, x0 + w - 2, y0 + h - 2, faces[k]);
        if (k == 3)
            p.Frame(x0, y0, x0 + w - 1, y0 + h - 1, RGB(128, 128, 128), RGB(255, 255, 255));
        else
            p.Frame(x0, y0, x0 + w - 1, y0 + h - 1, RGB(255, 255, 255), RGB(128, 128, 128));
        symbol(p, x0 + (k == 3 ? 1 : 0), y0 + (k == 3 ? 1 : 0), inks[k]);
    }
}

// The hints button: a circular arrow (switched on again) and three text-like bars.
void Hints_Symbol(Image_Canvas& p, int x, int y, uint32_t ink)
{
    for (int a = 30; a <= 330; a += 3) {
        const double r = a * 3.14159265358979 / 180.0;
        p.Set(x + 14 + static_cast<int>(std::lround(6 * std::cos(r))),
              y + 10 - static_cast<int>(std::lround(6 * std::sin(r))), ink);
    }
    p.Line(x + 19, y + 7, x + 21, y + 3, ink);
    p.Line(x + 19, y + 7, x + 15, y + 6, ink);
    for (int k = 0; k < 3; ++k) p.Rect(x + 32 + 55 * k, y + 9, x + 32 + 55 * k + 45, y + 11, ink);
}

Screen_Image Hints_Button_Bmp()
{
    Image_Canvas p(4 * 212, 21, RGB(255, 251, 240));
    Button_Faces(p, 212, 21, 0, Hints_Symbol);
    return p.image;
}

// The desk buttons: 38 x 38 cells; the row at y 250 is the browse button (a folder).
void Folder_Symbol(Image_Canvas& p, int x, int y, uint32_t ink)
{
    p.Rect(x + 8, y + 12, x + 16, y + 14, ink);
    p.Rect(x + 8, y + 14, x + 29, y + 27, RGB(240, 200, 90));
    p.Frame(x + 8, y + 14, x + 29, y + 27, ink, ink);
}

Screen_Image Desk_Buttons_Bmp()
{
    Image_Canvas p(4 * 38, 288, RGB(255, 255, 255));
    Button_Faces(p, 38, 38, 250, Folder_Symbol);
    return p.image;
}

// The background of text buttons, stretched over the button: light to darker downward.
Screen_Image Text_Button_Bg(int top, int bottom)
{
    Image_Canvas p(64, 18, RGB(255, 255, 255));
    for (int y = 0; y < 18; ++y) {
        const int v = top + (bottom - top) * y / 17;
        p.Rect(0, y, 63, y, RGB(v, v, std::min(255, v + 6)));
    }
    return p.image;
}
Screen_Image Text_Button_Bg_Bmp() { return Text_Button_Bg(250, 214); }
Screen_Image Text_Button_Bg_Ro_Bmp() { return Text_Button_Bg(255, 232); }
Screen_Image Text_Button_Bg_Inactive_Bmp() { return Text_Button_Bg(246, 236); }
Screen_Image Text_Button_Bg_Inactive_Ro_Bmp() { return Text_Button_Bg(248, 240); }

constexpr uint32_t SKETCH_KEY = 0xEFFDEE;  // (239, 253, 238)

// The axes of a law sketch from the origin (ox, oy) to x_end and y_end, with arrow heads.
void Draw_Law_Axes(Image_Canvas& p, int ox, int oy, int x_end, int y_end, uint32_t colour)
{
    p.Line(ox, oy, x_end, oy, colour);
    p.Line(ox, oy, ox, y_end, colour);
    p.Line(x_end, oy, x_end - 5, oy - 3, colour);
    p.Line(x_end, oy, x_end - 5, oy + 3, colour);
    p.Line(ox, y_end, ox - 3, y_end + 5, colour);
    p.Line(ox, y_end, ox + 3, y_end + 5, colour);
}

// The concrete's stress-strain law beside its parameters: a parabola up to eps_c2, then
// constant up to eps_c2u, with its axes.
Screen_Image Concrete_Law_Bmp()
{
    Image_Canvas p(221, 193, SKETCH_KEY);
    const uint32_t axis = RGB(0, 0, 0), law = RGB(0, 0, 200), mark = RGB(120, 120, 120);
    const int ox = 20, oy = 170;
    Draw_Law_Axes(p, ox, oy, 210, 15, axis);
    const int e2 = 110, eu = 190, top = 45;
    int px = ox, py = oy;
    for (int x = ox; x <= e2; ++x) {
        const double t = static_cast<double>(x - ox) / (e2 - ox);
        const int y = oy - static_cast<int>(std::lround((oy - top) * (1.0 - (1.0 - t) * (1.0 - t))));
        p.Line(px, py, x, y, law);
        px = x;
        py = y;
    }
    p.Line(e2, top, eu, top, law);
    for (int y = top; y < oy; y += 4) {
        p.Set(e2, y, mark);
        p.Set(eu, y, mark);
    }
    return p.image;
}

// The steel's law: straight up to f_yk, then rising to f_tk at eps_su.
Screen_Image Steel_Law_Bmp()
{
    Image_Canvas p(217, 142, SKETCH_KEY);
    const uint32_t axis = RGB(0, 0, 0), law = RGB(0, 0, 200), mark = RGB(120, 120, 120);
    const int ox = 20, oy = 125;
    Draw_Law_Axes(p, ox, oy, 206, 10, axis);
    p.Line(ox, oy, 45, 40, law);
    p.Line(45, 40, 185, 28, law);
    for (int y = 28; y < oy; y += 4) p.Set(185, y, mark);
    for (int x = ox; x < 45; x += 4) p.Set(x, 40, mark);
    return p.image;
}

struct Maker {
    const char* name;
    Screen_Image (*make)();
};
const Maker makers[] = {
    {"but_hinweise_reaktivieren.bmp", Hints_Button_Bmp},
    {"deskbuts.bmp", Desk_Buttons_Bmp},
    {"TextButtonBg.bmp", Text_Button_Bg_Bmp},
    {"TextButtonBg_ro.bmp", Text_Button_Bg_Ro_Bmp},
    {"TextButtonBgInaktive.bmp", Text_Button_Bg_Inactive_Bmp},
    {"TextButtonBgInaktive_ro.bmp", Text_Button_Bg_Inactive_Ro_Bmp},
    {"tools/bemop_fcd.bmp", Concrete_Law_Bmp},
    {"tools/bemop_fyk.bmp", Steel_Law_Bmp},
};

} // namespace

namespace screen {

void Add_Form_Bitmap_Names(std::vector<std::string>& names)
{
    for (const Maker& m : makers) names.push_back(m.name);
}

bool Make_Form_Bitmap(const std::string& name, Screen_Image& image)
{
    for (const Maker& m : makers)
        if (name == m.name) {
            image = m.make();
            return true;
        }
    return false;
}

} // namespace screen
