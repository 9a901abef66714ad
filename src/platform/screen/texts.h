#pragma once
// Fonts and texts on the screen. The metrics are those of the font layer
// (platform/fonts.h), the one set of metrics of screen, report and viewer; glyphs are
// drawn with cairo at the measured whole-pixel positions, so that a drawn text covers
// exactly its measured width (grey anti-aliasing for glyphs only).
//
// Font codes: 0 and 0x1001 the fixed-pitch font (8-pixel cells), 0x1000 the normal font
// (also every unknown code), 0x1002 the small one, 0x1003 the large one; the bits from
// 0x10000 up (bold, shadows) are stripped.
//
// Texts are bytes; a screen text is decoded as code page 850 with the environment
// font's symbols, or as code page 1252 (platform/codepage.h, Screen_Text_Code_Page).

#include "platform/screen/framebuffer.h"

// Metrics of the current font, updated with every font change: line height, the width
// of a character cell less the space between cells (fixed-pitch: 7 + 1; proportional
// fonts: the width of "0" less one), the space.
extern int RFONT_HEIGHT;
extern int RFONT_WIDTH;
extern int RFONT_SPACE;

// Loads the fonts and selects the normal font 0x1000; works without a framebuffer.
void Init_RFont();
// Inverted names, as the environment has them: Pop_RFont selects a font and keeps the
// current one on the font stack, Push_RFont goes back to the font before.
void Pop_RFont(int code);
void Push_RFont();
// Selects a font without touching the stack.
void Set_RFont(int code);
void pxSFnt(int code);
// The current font code.
int Get_RFont();

// Draws n bytes of the text (n < 0: up to its end) in the drawing colour, starting at x
// with the base line at y.
void pxText(int x, int y, const char* text, int n);

// Draws a text anchored in the box (x1, y1)-(x2, y2) (a point when both corners agree).
// mode: 0xC0 + a row bit (0x20 top, 0x10 middle, 0x08 bottom) + a column bit (0x01 left,
// 0x02 centre, 0x04 right); without the 0xC0 bits the text starts at x1 on the base line
// y2. Turned by 0x100 (90 degrees, reading upward), 0x200 (180) or 0x400 (270).
void pxBTxt(int x1, int y1, int x2, int y2, const char* text, int n, int mode);

// The corners of n bytes of the text drawn at (x, y) in the current font, lower left,
// lower right, upper right, upper left; the width is xs[1] - xs[0].
void pxQTxX(const char* text, int n, int x, int y, int* xs, int* ys);

// Width in pixels of a screen text in the current font, and in the given font; 0 for
// null. The one measuring helper of the system.
int Get_Text_Width_Px(const char* text);
int Get_Text_Width_In_Font(const char* text, int font);

namespace screen {
// The drawing state (colour, writing mode, viewport, font) that the library's own
// drawing leaves as it found it; meanwhile copy mode, solid lines, the whole screen.
struct Saved_Drawing {
    int colour, mode, view[4], font;
    Saved_Drawing() : colour(pxQFgc()), mode(pxQBop()), font(Get_RFont())
    {
        pxQVwp(&view[0], &view[1], &view[2], &view[3]);
        pxSBop(0);
        pxSLn(0);
        pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    }
    ~Saved_Drawing()
    {
        pxFgc(colour);
        pxSBop(mode);
        pxView(view[0], view[1], view[2], view[3]);
        Set_RFont(font);
    }
    Saved_Drawing(const Saved_Drawing&) = delete;
    Saved_Drawing& operator=(const Saved_Drawing&) = delete;
};

// Back to the normal font with an empty stack.
void Reset_Fonts();
// Whether Init_RFont was called.
bool Fonts_Ready();
} // namespace screen

// ---- Vector text ------------------------------------------------------------------------
// Texts of any height and direction in the current font's glyphs, for dimension texts:
// the character height in pixels (pxChH; 0 or less: the font's own size), a width factor
// (pxExpF, 1.0 at start), an extra space between characters as a fraction of the height
// (pxSpac, 0.0) and the base line's direction (pxOrnt, radians counter-clockwise on the
// screen; the slant is kept but not drawn). The settings last until set again.
void pxChH(double height);
void pxExpF(double factor);
void pxSpac(double spacing);
void pxOrnt(double angle, double slant);
// Width and height in pixels of n bytes (n < 0: to the end) with the settings, unturned.
void pxQGTX(const char* text, int n, double* width, double* height);
// Draws n bytes anchored at the box (x1, y1)-(x2, y2) by the mode bits of pxBTxt (0xC0 +
// row bit + column bit; without 0xC0 the base line starts at (x1, y2)), turned by the
// orientation about the anchor.
void pxGBTt(int x1, int y1, int x2, int y2, const char* text, int n, int mode);
