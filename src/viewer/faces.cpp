#include "viewer/faces.h"

#include "platform/fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <cstdio>
#include <string>
#include <unordered_map>

namespace {

constexpr int FACE_COUNT = 8;

int Index_Of(Face_Key key)
{
    return (key.family == Face_Family::Sans ? 4 : 0) + (key.bold ? 2 : 0) + (key.italic ? 1 : 0);
}

const char* const face_files[FACE_COUNT] = {
    "DejaVuSansMono.ttf", "DejaVuSansMono-Oblique.ttf", "DejaVuSansMono-Bold.ttf", "DejaVuSansMono-BoldOblique.ttf",
    "DejaVuSans.ttf",     "DejaVuSans-Oblique.ttf",     "DejaVuSans-Bold.ttf",     "DejaVuSans-BoldOblique.ttf",
};

// Decodes one UTF-8 character at text[i], advancing i; U+FFFD for a broken sequence.
char32_t Next_Code_Point(std::string_view text, size_t& i)
{
    const auto c = static_cast<unsigned char>(text[i++]);
    if (c < 0x80) return c;
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (more < 0) return 0xFFFD;
    char32_t code = c & (0x3F >> more);
    for (; more > 0; --more) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return code;
}

class Face_Store {
public:
    double Advance(Face_Key key, std::string_view utf8)
    {
        Slot& slot = Load(key);
        double width = 0.0;
        for (size_t i = 0; i < utf8.size();) {
            const char32_t c = Next_Code_Point(utf8, i);
            if (!slot.metrics) {
                width += MONO_ADVANCE_EM;
                continue;
            }
            auto found = slot.advances.find(c);
            if (found == slot.advances.end()) {
                FT_Fixed advance = 0;
                const FT_UInt glyph = FT_Get_Char_Index(slot.metrics, c);
                double em = MONO_ADVANCE_EM;
                if (FT_Get_Advance(slot.metrics, glyph, FT_LOAD_NO_SCALE, &advance) == 0 && slot.metrics->units_per_EM)
                    em = static_cast<double>(advance) / slot.metrics->units_per_EM;
                found = slot.advances.emplace(c, em).first;
            }
            width += found->second;
        }
        return width;
    }

    cairo_font_face_t* Cairo(Face_Key key) { return Load(key).cairo; }

private:
    struct Slot {
        bool tried = false;
        FT_Face metrics = nullptr;          // measured here
        FT_Face drawing = nullptr;          // handed to cairo
        cairo_font_face_t* cairo = nullptr;
        std::unordered_map<char32_t, double> advances;
    };
    FT_Library library_ = nullptr;
    bool library_tried_ = false;
    bool reported_ = false;
    Slot slots_[FACE_COUNT];

    Slot& Load(Face_Key key)
    {
        Slot& slot = slots_[Index_Of(key)];
        if (slot.tried) return slot;
        slot.tried = true;
        if (!library_tried_) {
            library_tried_ = true;
            if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
        }
        const std::string path = Font_Face_File(face_files[Index_Of(key)]);
        if (library_ && FT_New_Face(library_, path.c_str(), 0, &slot.metrics) == 0 &&
            FT_New_Face(library_, path.c_str(), 0, &slot.drawing) == 0) {
            slot.cairo = cairo_ft_font_face_create_for_ft_face(slot.drawing, 0);
        } else {
            if (slot.metrics) FT_Done_Face(slot.metrics);
            slot.metrics = nullptr;
            slot.drawing = nullptr;
            if (!reported_) {
                reported_ = true;
                std::fprintf(stderr,
                             "corbel-view: Die Schrift %s ist nicht lesbar; bitte das Debian-Paket %s "
                             "installieren.\n",
                             path.c_str(), Font_Package_Name());
            }
            slot.cairo = cairo_toy_font_face_create(key.family == Face_Family::Mono ? "monospace" : "sans-serif",
                                                    key.italic ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                                                    key.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        }
        return slot;
    }
};

Face_Store& Store()
{
    static Face_Store* store = new Face_Store;  // lives for the run: cairo keeps its faces
    return *store;
}

} // namespace

double Text_Advance_Em(Face_Key key, std::string_view utf8) { return Store().Advance(key, utf8); }

cairo_font_face_t* Cairo_Face(Face_Key key) { return Store().Cairo(key); }
