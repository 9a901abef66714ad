#pragma once
// Text metrics of the environment's fonts, over FreeType and the DejaVu faces of Debian's
// fonts-dejavu-core. A font code names a face and a pixel size:
//   0 and 0x1001      DejaVu Sans Mono, 8-pixel cells, line height 16
//   0x1000 (normal)   DejaVu Sans 11 px, line height 14 (also every unknown code)
//   0x1002 (small)    DejaVu Sans 9 px, line height 11
//   0x1003            DejaVu Sans 12 px, line height 15
// The style bits from 0x10000 up (bold, shadows) do not change the metrics and are
// ignored. Texts are bytes of a code page, decoded here.
//
// A byte's width is its glyph's design advance at the pixel size, rounded to a whole
// pixel; a text's width is the sum over its bytes (no kerning, no hinting), so a text
// measures the same on every machine. Faces are loaded on first use; when a face cannot
// be loaded, one message on standard error names the package and every byte counts as
// one 8-pixel cell, so that the program keeps running.
#include "platform/codepage.h"

#include <array>
#include <string>
#include <string_view>

constexpr int FONT_CODE_NORMAL = 0x1000;

// Width in pixels of the bytes in the font.
int Font_Text_Width(std::string_view bytes, int font_code, Code_Page page);

// The widths in pixels of the 256 bytes in the font (byte 0 included); built once.
const std::array<int, 256>& Font_Byte_Widths(int font_code, Code_Page page);

// Distance of two text lines in pixels, and the pixel size (em height) of the face.
int Font_Line_Height(int font_code);
int Font_Pixel_Size(int font_code);

// The full file name of a face of the DejaVu installation (the directory the tests may
// have chosen), e.g. Font_Face_File("DejaVuSansMono-Bold.ttf"), for renderers that load
// the faces themselves; and the Debian package that holds them.
std::string Font_Face_File(const std::string& file_name);
const char* Font_Package_Name();

// The face file of the font (whether it exists or not).
std::string Font_Face_Path(int font_code);

// Pixels above and below the base line that the face's glyphs reach.
int Font_Ascent(int font_code);
int Font_Descent(int font_code);

// For tests: looks for the faces in another directory from now on ("" restores the
// installed one) and forgets every loaded face and width table.
void Fonts_Use_Directory_For_Tests(const std::string& directory);
