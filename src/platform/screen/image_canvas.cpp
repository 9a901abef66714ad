#include "platform/screen/image_canvas.h"

#include "platform/codepage.h"
#include "platform/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace screen {

void Image_Canvas::Text(int x, int y, const char* text, uint32_t colour, int font)
{
    static FT_Library library = nullptr;
    if (!library && FT_Init_FreeType(&library) != 0) return;
    FT_Face face = nullptr;
    if (FT_New_Face(library, Font_Face_Path(font).c_str(), 0, &face) != 0) return;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(Font_Pixel_Size(font)));
    const auto& widths = Font_Byte_Widths(font, Code_Page::Cp850_Symbols);
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (FT_Load_Char(face, Code_Point(*p, Code_Page::Cp850_Symbols), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
            const FT_GlyphSlot g = face->glyph;
            const FT_Bitmap& b = g->bitmap;
            for (unsigned r = 0; r < b.rows; ++r)
                for (unsigned col = 0; col < b.width; ++col)
                    if (b.buffer[r * b.pitch + col / 8] & (0x80 >> (col % 8)))
                        Set(x + g->bitmap_left + static_cast<int>(col), y - g->bitmap_top + static_cast<int>(r), colour);
        }
        x += widths[*p];
    }
    FT_Done_Face(face);
}

} // namespace screen
