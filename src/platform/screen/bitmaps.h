#pragma once
// Bitmap files on the screen, and the small tree-view images of the dialog items.
//
// Files: uncompressed Windows bitmaps of 24 or 32 bits a pixel, or of 8 bits with a
// palette, stored bottom-up or top-down; every header field is checked against the file
// and a damaged file is refused. A name is the environment's: '\' separates folders,
// case does not matter ("Buttons.bmp" finds "buttons.bmp"), and a relative name lies
// below the installation directory "EXEC" - a name starting with "NAD\" below "DATA",
// then below "DRAM". No other place is searched. A file that is missing or refused draws
// nothing; each such name is reported once on standard error. Files are read once and
// kept.
#include <cstdint>
#include <string>
#include <vector>

// A picture in memory, 0x00RRGGBB pixels row by row from the top.
struct Screen_Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Draws the part (sx1, sy1)-(sx2, sy2) of the bitmap file into the screen rectangle
// (dx1, dy1)-(dx2, dy2), both inclusive. When the sizes differ by at most one pixel in
// each direction, the pixels are copied one to one, clipped to the smaller size; else
// the part is scaled (nearest neighbour). Pixels of exactly the key colour (red, green,
// blue; a negative channel means no key) are left out. mode and flag (201 and -1 by
// the environment's callers) are not used.
void pxDrawPartialTransparentDIB(const char* file, int sx1, int sy1, int sx2, int sy2, int dx1, int dy1,
                                 int dx2, int dy2, int mode, int flag, int red, int green, int blue);
// The whole bitmap into the rectangle.
void pxDrawTransparentDIB(const char* file, int x1, int y1, int x2, int y2, int mode, int flag, int red,
                          int green, int blue);

// A tree-view image: width x height index pixels (row by row from the top), index 0
// transparent, index k > 0 drawn in palette[k] (palette_size entries, palette[0] unused).
struct ZAV_TreeView_Image {
    int width;
    int height;
    const int* palette;
    int palette_size;
    const unsigned char* pixels;
};

// Draws the image (a ZAV_TreeView_Image) centred at (x, y): its left column at
// x - width / 2, its top row at y - height / 2. colour -1: the image's own palette;
// any other colour: every opaque pixel in that colour. Null draws nothing.
void Draw_TreeViewImage(const void* image, int x, int y, int colour);

// Reads a bitmap file's bytes; false (and the image left empty) for a damaged file.
bool Decode_Bmp(const std::string& bytes, Screen_Image& image);
// A 24-bit bottom-up bitmap file of the image.
std::string Encode_Bmp(const Screen_Image& image);

// The file a bitmap name stands for ("" when the directory it lies in is not set).
std::string Bitmap_Path(const char* name);

// The bitmap of that name as drawn (null when missing or refused).
const Screen_Image* Load_Bitmap(const char* name);

// The first of the names whose file is not there ("" when all are).
std::string First_Missing_Bitmap(const std::vector<std::string>& names);

// For tests: forgets every bitmap read and every name reported.
void Forget_Bitmaps();
