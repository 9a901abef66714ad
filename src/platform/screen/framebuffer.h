#pragma once
// The screen's framebuffer and its drawing primitives.
//
// The framebuffer is a cairo image surface (0x00RRGGBB pixels). Lines, rectangles,
// polygons, masks and blits are written pixel by pixel here, without anti-aliasing, so
// that inclusive corners hold exactly; cairo only draws glyphs and writes PNG files.
// Before Init_Grafik_Mode there is no framebuffer: every primitive does nothing, the
// queries answer from the state (colour, viewport, line style) as it was set.
//
// Coordinates are screen pixels, y downward. Rectangles are two inclusive corners in
// either order. Every write is clipped to the viewport (pxView, inclusive) and the screen.
#include <cstdint>

#include "platform/colours.h"  // Nearest_RGB_Color, Nearest_Color_Index
#include <cstdlib>
#include <string>
#include <vector>

extern int NPIXEL_X;  // screen width in pixels
extern int NPIXEL_Y;  // screen height in pixels

// Colour values are packed 0x00RRGGBB. Negative values are symbolic colours of the
// environment, resolved by pxFgc, pxBgc and pxQCR:
constexpr int ZAV_COLOUR_FACE = -1;         // (212, 208, 200), the face of sheets and buttons
constexpr int ZAV_COLOUR_LIGHT_EDGE = -2;   // white
constexpr int ZAV_COLOUR_SHADOW = -3;       // (128, 128, 128)
constexpr int ZAV_COLOUR_DISABLED_TEXT = -6; // (128, 128, 128), texts of what cannot be chosen
constexpr int ZAV_COLOUR_TEXT = -9;         // black, texts of what can
constexpr int ZAV_COLOUR_DARK_EDGE = -15;   // (64, 64, 64)
constexpr int ZAV_COLOUR_SKETCH_GROUND = -21; // white
// Other negative values resolve to black.

// Colour values of the library, plain writable words.
extern int BLACK_CI;
extern int WHITE_CI;
extern int BUTTON_CI;  // face colour of buttons
extern int MENUE_CI;   // ground of menus and full-screen sheets
extern int DGREY_CI;   // dark grey of inactive texts

// The colour value of an environment colour number (symbolic or plain): resolved.
int GetZAVColor(int n);
// 0x00RRGGBB of a colour value, symbolic ones resolved.
uint32_t Resolve_Colour(int colour);

// Drawing colour (foreground) and ground colour (pxCls).
void pxFgc(int colour);
int pxQFgc();
void pxBgc(int colour);
int pxQBgc();
// Red, green and blue of a colour value (symbolic ones resolved).
void pxQCR(int colour, int* red, int* green, int* blue);

void pxRect(int x1, int y1, int x2, int y2);          // filled, inclusive
void pxLine(int x1, int y1, int x2, int y2);          // both ends drawn, line style applies
void pxTkLn(int x1, int y1, int x2, int y2, int width); // thick line (width <= 1: pxLine)
void pxFill(int n, const int* x, const int* y);       // polygon, even-odd, outline included
// Fill pattern of pxFill (and pxTri): pxSUFA sets 16 rows of a 16 x 16 pattern (the low
// 16 bits of each word, bit 15 leftmost, aligned to the screen) and fills through it from
// then on; pxSFA(0) goes back to solid fills (other values keep the pattern).
void pxSUFA(const uint32_t* rows);
void pxSFA(int style);
void pxTri(int x1, int y1, int x2, int y2, int x3, int y3);
void pxPoint(int x, int y);
void pxCls();                                         // the viewport in the ground colour

// Line styles: 0 solid, 2 dashed, 4 dash-dot (strut); other values solid. The pattern
// of a style runs on from one line to the next. pxSULn sets a 32-bit user pattern
// (most significant bit first, 1 = drawn) that starts afresh with every line.
void pxSLn(int style);
void pxSULn(uint32_t pattern);

// A one-bit pattern in the drawing colour: bytes_per_row bytes a row, rows top to
// bottom, the most significant bit leftmost; clear bits leave the screen alone.
void pxMask(int x1, int y1, int x2, int y2, const void* bits, int bytes_per_row);

// Writing mode: 3 exclusive-or (every written pixel has its RGB inverted, whatever the
// colour, so that drawing twice restores the screen); any other value copies.
void pxSBop(int mode);
int pxQBop();

// The clip rectangle (viewport), inclusive; pxView normalises the corners.
void pxView(int x1, int y1, int x2, int y2);
void pxQVwp(int* x1, int* y1, int* x2, int* y2);

// Buffered drawing: pxBuff(-1) starts (or nests) buffering and returns the state before;
// pxBuff(state) ends it with that state; at the outermost end the screen is presented.
// pxFlsh presents at once.
int pxBuff(int state);
void pxFlsh();

// Saved rectangles: several may be alive at once (tip inside a drop-down, bubble and
// pop-up). Save keeps the pixels of the rectangle; restore takes the latest entry with
// the same rectangle (corners in either order), writes it back (regardless of the
// viewport) and drops it. 1 on success, 0 when there is no framebuffer or no such entry.
int Save_Screen_Rectangle(int x1, int y1, int x2, int y2);
int Restore_Screen_Rectangle(int x1, int y1, int x2, int y2);

// ---- Inside the screen library ----------------------------------------------------
struct _cairo_surface;
namespace screen {

// Calls plot(x, y) for each pixel of the line from (x1, y1) to (x2, y2), both ends
// included, in order from the first end (Bresenham's steps).
template <typename Plot>
void Line_Pixels(int x1, int y1, int x2, int y2, Plot plot)
{
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x1, y1);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

bool Framebuffer_Ready();
void Create_Framebuffer(int width, int height);
void Destroy_Framebuffer();
_cairo_surface* Surface();
uint32_t* Pixels();   // row-major, Stride() pixels a row
int Stride();

// The pixel at (x, y) (0 outside the screen or without a framebuffer).
uint32_t Pixel(int x, int y);
// The pixels of a rectangle (corners inclusive; none when x2 < x1 or y2 < y1), row
// after row; 0 where it lies outside the screen. Copied a row at a time.
std::vector<uint32_t> Copy_Rectangle(int x1, int y1, int x2, int y2);
// Writes such pixels back into the same rectangle moved by (shift, shift), cut to the
// screen and to the rectangle itself.
void Paste_Rectangle(int x1, int y1, int x2, int y2, const std::vector<uint32_t>& pixels, int shift = 0);
// Writes one pixel in the current mode (copy or exclusive-or), clipped.
void Put_Pixel(int x, int y, uint32_t rgb);
// Whether (x, y) lies inside the viewport and the screen.
bool In_Clip(int x, int y);

// Before cairo draws into the surface, and after it has drawn.
void Begin_Cairo();
void End_Cairo();

// Writes the screen into a PNG file; 0 on success.
int Write_Png(const std::string& path);

// The backend's way of showing the screen; called when the screen is to be presented
// (end of buffering, pxFlsh, before a wait blocks) and something changed since.
void Set_Present_Function(void (*present)());
void Present_If_Changed();
// Presents what changed even while buffering (before a wait blocks).
void Present_Now();
void Mark_Changed();

// Back to the state before any drawing (colours, viewport, style, saved rectangles).
void Reset_Drawing_State();

} // namespace screen
