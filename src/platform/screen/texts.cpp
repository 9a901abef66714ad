#include "platform/screen/texts.h"

#include "platform/codepage.h"
#include "platform/fonts.h"
#include "platform/screen/framebuffer.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

int RFONT_HEIGHT = 14;
int RFONT_WIDTH = 7;
int RFONT_SPACE = 1;

namespace {

int current_font = 0x1000;
bool fonts_ready = false;
std::vector<int> font_stack;

// A face for drawing glyphs, loaded from the font layer's file. Kept for the whole run
// (cairo holds on to faces), one per file.
struct Glyph_Face {
    FT_Face ft = nullptr;
    cairo_font_face_t* cairo = nullptr;
};

FT_Library glyph_library = nullptr;
std::map<std::string, Glyph_Face>& Glyph_Faces()
{
    static auto* faces = new std::map<std::string, Glyph_Face>;
    return *faces;
}

const Glyph_Face* Face_For(int code)
{
    const std::string path = Font_Face_Path(code);
    auto& faces = Glyph_Faces();
    auto it = faces.find(path);
    if (it != faces.end()) return it->second.cairo ? &it->second : nullptr;
    Glyph_Face& face = faces[path];
    if (!glyph_library && FT_Init_FreeType(&glyph_library) != 0) glyph_library = nullptr;
    if (glyph_library && FT_New_Face(glyph_library, path.c_str(), 0, &face.ft) == 0) {
        face.cairo = cairo_ft_font_face_create_for_ft_face(face.ft, FT_LOAD_NO_HINTING);
    } else {
        face.ft = nullptr;
    }
    return face.cairo ? &face : nullptr;
}

void Update_Metrics()
{
    RFONT_HEIGHT = Font_Line_Height(current_font);
    const int base = current_font & 0xFFFF;
    if (base == 0 || base == 0x1001) {
        RFONT_WIDTH = 7;
        RFONT_SPACE = 1;
    } else {
        RFONT_WIDTH = Font_Byte_Widths(current_font, Code_Page::Cp850_Symbols)['0'] - 1;
        RFONT_SPACE = 1;
    }
}

size_t Length(const char* text, int n)
{
    if (!text) return 0;
    if (n >= 0) return static_cast<size_t>(n);
    return std::strlen(text);
}

cairo_t* Context()
{
    static cairo_t* context = nullptr;
    static cairo_surface_t* for_surface = nullptr;
    cairo_surface_t* surface = screen::Surface();
    if (context && for_surface != surface) {
        cairo_destroy(context);
        context = nullptr;
    }
    if (!context && surface) {
        context = cairo_create(surface);
        for_surface = surface;
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(context, options);
        cairo_font_options_destroy(options);
    }
    return context;
}

// Starts drawing glyphs: cairo's state saved, the viewport as the clip, the origin at
// (x, y). Show_Glyphs ends it.
void Begin_Glyphs_At(cairo_t* cr, double x, double y)
{
    screen::Begin_Cairo();
    cairo_save(cr);
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    cairo_reset_clip(cr);
    cairo_rectangle(cr, vx1, vy1, vx2 - vx1 + 1, vy2 - vy1 + 1);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
}

// Shows the glyphs in the drawing colour and restores what Begin_Glyphs_At saved.
void Show_Glyphs(cairo_t* cr, const std::vector<cairo_glyph_t>& glyphs)
{
    const uint32_t rgb = Resolve_Colour(pxQFgc());
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr);
    screen::End_Cairo();
}

// Draws the bytes from the point (x, y) of the base line, turned by quarter turns.
void Draw_Glyphs(int x, int y, std::string_view bytes, int quarter_turns)
{
    if (!screen::Framebuffer_Ready() || bytes.empty()) return;
    const Glyph_Face* face = Face_For(current_font);
    cairo_t* cr = Context();
    if (!face || !cr) return;
    const Code_Page page = Screen_Text_Code_Page(bytes);
    const auto& widths = Font_Byte_Widths(current_font, page);

    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(bytes.size());
    int pen = 0;
    for (unsigned char c : bytes) {
        const unsigned index = FT_Get_Char_Index(face->ft, Code_Point(c, page));
        if (c >= 0x20) glyphs.push_back({index, static_cast<double>(pen), 0.0});
        pen += widths[c];
    }

    Begin_Glyphs_At(cr, x, y);
    if (quarter_turns) cairo_rotate(cr, -quarter_turns * 1.5707963267948966);
    cairo_set_font_face(cr, face->cairo);
    cairo_set_font_size(cr, Font_Pixel_Size(current_font));
    Show_Glyphs(cr, glyphs);
}

int Width_Of(std::string_view bytes, int font)
{
    return Font_Text_Width(bytes, font, Screen_Text_Code_Page(bytes));
}

} // namespace

void Init_RFont()
{
    font_stack.clear();
    Set_RFont(0x1000);
    fonts_ready = true;
    // Loads the face and its width tables now rather than at the first text.
    Font_Byte_Widths(0x1000, Code_Page::Cp850_Symbols);
}

void Set_RFont(int code)
{
    current_font = code & 0xFFFF;
    Update_Metrics();
}

void pxSFnt(int code) { Set_RFont(code); }

void Pop_RFont(int code)
{
    font_stack.push_back(current_font);
    Set_RFont(code);
}

void Push_RFont()
{
    if (font_stack.empty()) return;
    const int code = font_stack.back();
    font_stack.pop_back();
    Set_RFont(code);
}

int Get_RFont() { return current_font; }

void pxText(int x, int y, const char* text, int n)
{
    if (!text) return;
    Draw_Glyphs(x, y, std::string_view(text, Length(text, n)), 0);
}

void pxQTxX(const char* text, int n, int x, int y, int* xs, int* ys)
{
    const int width = text ? Width_Of(std::string_view(text, Length(text, n)), current_font) : 0;
    const int ascent = Font_Ascent(current_font), descent = Font_Descent(current_font);
    if (xs) {
        xs[0] = x;
        xs[1] = x + width;
        xs[2] = x + width;
        xs[3] = x;
    }
    if (ys) {
        ys[0] = y + descent;
        ys[1] = y + descent;
        ys[2] = y - ascent;
        ys[3] = y - ascent;
    }
}

namespace {

// Where a text stands in the box (x1, y1)-(x2, y2), x1 <= x2 and y1 <= y2: the anchor
// (px, py) and the base line's start from it (u along, v across the text). Without both
// bits 0xC0 in the mode, the lower left corner. T is int for pixel texts (halves cut
// towards zero) and double for vector texts.
template <typename T>
void Box_Anchor(int x1, int y1, int x2, int y2, int mode, T width, T ascent, T descent, T& px, T& py, T& u, T& v)
{
    px = x1;
    py = y2;
    u = 0;
    v = 0;
    if ((mode & 0xC0) != 0xC0) return;
    if (mode & 0x02) {
        px = (x1 + x2) / T(2);
        u = -width / T(2);
    } else if (mode & 0x04) {
        px = x2;
        u = -width;
    }
    if (mode & 0x20) {
        py = y1;
        v = ascent;
    } else if (mode & 0x10) {
        py = (y1 + y2) / T(2);
        v = (ascent - descent) / T(2);
    } else if (mode & 0x08) {
        py = y2;
        v = -descent;
    }
}

} // namespace

void pxBTxt(int x1, int y1, int x2, int y2, const char* text, int n, int mode)
{
    if (!text) return;
    const std::string_view bytes(text, Length(text, n));
    const int turns = (mode & 0x100) ? 1 : (mode & 0x200) ? 2 : (mode & 0x400) ? 3 : 0;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    int px, py, u, v;
    const bool aligned = (mode & 0xC0) == 0xC0;
    Box_Anchor(x1, y1, x2, y2, mode, aligned ? Width_Of(bytes, current_font) : 0, Font_Ascent(current_font),
               Font_Descent(current_font), px, py, u, v);
    // (u, v) turned with the text: along the base line, and towards the glyphs' feet.
    int dx = u, dy = v;
    switch (turns) {
    case 1: dx = v; dy = -u; break;
    case 2: dx = -u; dy = -v; break;
    case 3: dx = -v; dy = u; break;
    default: break;
    }
    Draw_Glyphs(px + dx, py + dy, bytes, turns);
}

namespace {

struct Vector_Text {
    double height = 0.0;
    double factor = 1.0;
    double spacing = 0.0;
    double angle = 0.0;
    double slant = 0.0;
} vector_text;

double Vector_Height()
{
    return vector_text.height > 0.0 ? vector_text.height : static_cast<double>(Font_Pixel_Size(current_font));
}

// Pen positions of the bytes (unturned pixels from the start) and the total width.
double Vector_Pens(std::string_view bytes, const Code_Page page, std::vector<double>* pens)
{
    const auto& widths = Font_Byte_Widths(current_font, page);
    const double scale = Vector_Height() / Font_Pixel_Size(current_font) * vector_text.factor;
    const double gap = vector_text.spacing * Vector_Height();
    double pen = 0.0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (pens) pens->push_back(pen);
        pen += widths[static_cast<unsigned char>(bytes[i])] * scale;
        if (i + 1 < bytes.size()) pen += gap;
    }
    return pen;
}

} // namespace

void pxChH(double height) { vector_text.height = height; }
void pxExpF(double factor) { vector_text.factor = factor > 0.0 ? factor : 1.0; }
void pxSpac(double spacing) { vector_text.spacing = spacing; }
void pxOrnt(double angle, double slant)
{
    vector_text.angle = angle;
    vector_text.slant = slant;
}

void pxQGTX(const char* text, int n, double* width, double* height)
{
    const std::string_view bytes(text ? text : "", Length(text, n));
    if (width) *width = Vector_Pens(bytes, Screen_Text_Code_Page(bytes), nullptr);
    if (height) *height = Vector_Height();
}

void pxGBTt(int x1, int y1, int x2, int y2, const char* text, int n, int mode)
{
    if (!text || !screen::Framebuffer_Ready()) return;
    const std::string_view bytes(text, Length(text, n));
    if (bytes.empty()) return;
    const Glyph_Face* face = Face_For(current_font);
    cairo_t* cr = Context();
    if (!face || !cr) return;
    const Code_Page page = Screen_Text_Code_Page(bytes);
    std::vector<double> pens;
    const double width = Vector_Pens(bytes, page, &pens);
    const double size = Vector_Height();
    const double ascent = Font_Ascent(current_font) * size / Font_Pixel_Size(current_font);
    const double descent = Font_Descent(current_font) * size / Font_Pixel_Size(current_font);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    double px, py, u, v;
    Box_Anchor(x1, y1, x2, y2, mode, width, ascent, descent, px, py, u, v);
    std::vector<cairo_glyph_t> glyphs;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20) glyphs.push_back({FT_Get_Char_Index(face->ft, Code_Point(c, page)), u + pens[i], v});
    }
    Begin_Glyphs_At(cr, px, py);
    cairo_rotate(cr, -vector_text.angle);
    cairo_set_font_face(cr, face->cairo);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, size * vector_text.factor, size);
    cairo_set_font_matrix(cr, &matrix);
    Show_Glyphs(cr, glyphs);
}

int Get_Text_Width_Px(const char* text) { return text ? Width_Of(text, current_font) : 0; }

int Get_Text_Width_In_Font(const char* text, int font) { return text ? Width_Of(text, font) : 0; }

namespace screen {
bool Fonts_Ready() { return fonts_ready; }

void Reset_Fonts()
{
    font_stack.clear();
    Set_RFont(0x1000);
    vector_text = Vector_Text{};
}
} // namespace screen
