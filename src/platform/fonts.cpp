#include "platform/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <cstdio>
#include <optional>
#include <utility>

namespace {

constexpr const char* INSTALLED_DIRECTORY = "/usr/share/fonts/truetype/dejavu";
constexpr const char* FONT_PACKAGE = "fonts-dejavu-core";
// The width of every byte when a face is missing: the cell of the fixed-pitch font.
constexpr int FALLBACK_CELL = 8;

enum Face_Id { SANS, SANS_MONO, FACE_COUNT };
const char* const face_files[FACE_COUNT] = {"DejaVuSans.ttf", "DejaVuSansMono.ttf"};

struct Font_Class {
    Face_Id face;
    int pixel_size;
    int line_height;
};
// At 13 pixels every glyph of the fixed-pitch face (1233 of 2048 units) rounds to 8.
constexpr Font_Class font_classes[] = {
    {SANS_MONO, 13, 16},
    {SANS, 11, 14},
    {SANS, 9, 11},
    {SANS, 12, 15},
};
constexpr int CLASS_COUNT = sizeof font_classes / sizeof font_classes[0];

int Class_Of(int font_code)
{
    switch (font_code & 0xFFFF) {
    case 0x0000:
    case 0x1001:
        return 0;
    case 0x1002:
        return 2;
    case 0x1003:
        return 3;
    default:
        return 1;
    }
}

class Font_Store {
public:
    ~Font_Store() { Forget(); }

    void Use_Directory(const std::string& directory)
    {
        Forget();
        directory_ = directory.empty() ? INSTALLED_DIRECTORY : directory;
    }

    const std::string& Directory() const { return directory_; }

    const std::array<int, 256>& Widths(int font_class, Code_Page page)
    {
        std::optional<std::array<int, 256>>& table = widths_[font_class][static_cast<int>(page)];
        if (!table) table = Build(font_classes[font_class], page);
        return *table;
    }

    std::string Path(int font_class) const { return directory_ + "/" + face_files[font_classes[font_class].face]; }

    // Ascent and descent in whole pixels (from the face's design values; without the
    // face, four fifths of the line height above the base line).
    std::pair<int, int> Extents(int font_class)
    {
        std::optional<std::pair<int, int>>& e = extents_[font_class];
        if (e) return *e;
        const Font_Class& font = font_classes[font_class];
        FT_Face face = Face(font.face);
        if (!face || face->units_per_EM == 0) {
            e = std::make_pair(font.line_height * 4 / 5, font.line_height - font.line_height * 4 / 5);
        } else {
            const long em = face->units_per_EM;
            const int ascent = static_cast<int>((2L * face->ascender * font.pixel_size + em) / (2 * em));
            const int descent = static_cast<int>((-2L * face->descender * font.pixel_size + em) / (2 * em));
            e = std::make_pair(ascent, descent);
        }
        return *e;
    }

private:
    std::string directory_ = INSTALLED_DIRECTORY;
    FT_Library library_ = nullptr;
    bool library_tried_ = false;
    FT_Face faces_[FACE_COUNT] = {};
    bool face_tried_[FACE_COUNT] = {};
    std::optional<std::array<int, 256>> widths_[CLASS_COUNT][3];
    std::optional<std::pair<int, int>> extents_[CLASS_COUNT];

    void Forget()
    {
        for (auto& per_class : widths_)
            for (auto& table : per_class) table.reset();
        for (auto& e : extents_) e.reset();
        for (int f = 0; f < FACE_COUNT; ++f) {
            if (faces_[f]) FT_Done_Face(faces_[f]);
            faces_[f] = nullptr;
            face_tried_[f] = false;
        }
        if (library_) FT_Done_FreeType(library_);
        library_ = nullptr;
        library_tried_ = false;
    }

    // The face, loaded on first use; null (after one message) when it cannot be loaded.
    FT_Face Face(Face_Id id)
    {
        if (face_tried_[id]) return faces_[id];
        face_tried_[id] = true;
        if (!library_tried_) {
            library_tried_ = true;
            if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
        }
        const std::string path = directory_ + "/" + face_files[id];
        if (!library_ || FT_New_Face(library_, path.c_str(), 0, &faces_[id]) != 0) {
            faces_[id] = nullptr;
            std::fprintf(stderr,
                         "corbel: Die Schrift %s ist nicht lesbar; bitte das Debian-Paket %s "
                         "installieren. Bis dahin gilt jedes Zeichen als %d Pixel breit.\n",
                         path.c_str(), FONT_PACKAGE, FALLBACK_CELL);
        }
        return faces_[id];
    }

    std::array<int, 256> Build(const Font_Class& font, Code_Page page)
    {
        std::array<int, 256> widths;
        widths.fill(FALLBACK_CELL);
        FT_Face face = Face(font.face);
        if (!face || face->units_per_EM == 0) return widths;
        const long em = face->units_per_EM;
        for (int byte = 0; byte < 256; ++byte) {
            // A character the face lacks takes the width of its missing-glyph box (glyph 0).
            const FT_UInt glyph = FT_Get_Char_Index(face, Code_Point(static_cast<unsigned char>(byte), page));
            FT_Fixed advance = 0;
            if (FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance) != 0) continue;
            // Design units at the pixel size, rounded half up.
            widths[byte] = static_cast<int>((2 * advance * font.pixel_size + em) / (2 * em));
        }
        return widths;
    }
};

Font_Store& Store()
{
    static Font_Store store;
    return store;
}

} // namespace

const std::array<int, 256>& Font_Byte_Widths(int font_code, Code_Page page)
{
    return Store().Widths(Class_Of(font_code), page);
}

int Font_Text_Width(std::string_view bytes, int font_code, Code_Page page)
{
    const std::array<int, 256>& widths = Font_Byte_Widths(font_code, page);
    int width = 0;
    for (unsigned char c : bytes) width += widths[c];
    return width;
}

int Font_Line_Height(int font_code) { return font_classes[Class_Of(font_code)].line_height; }
int Font_Pixel_Size(int font_code) { return font_classes[Class_Of(font_code)].pixel_size; }

std::string Font_Face_File(const std::string& file_name) { return Store().Directory() + "/" + file_name; }

const char* Font_Package_Name() { return FONT_PACKAGE; }

std::string Font_Face_Path(int font_code) { return Store().Path(Class_Of(font_code)); }
int Font_Ascent(int font_code) { return Store().Extents(Class_Of(font_code)).first; }
int Font_Descent(int font_code) { return Store().Extents(Class_Of(font_code)).second; }

void Fonts_Use_Directory_For_Tests(const std::string& directory) { Store().Use_Directory(directory); }
