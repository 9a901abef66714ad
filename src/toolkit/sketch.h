#pragma once
// A drawing layer for dimensioned sketches in sheets: a world-to-pixel transform with
// rotation and separate scales, lines of a chosen pixel width and dash style, dots,
// circles, rectangles, polygons, hatched bands, arrows, axis crosses, dimension lines
// with measure texts in the German manner (centimetres below one metre, a raised 5 for
// half centimetres), texts at world points, small pixel helpers for text fields, two
// pop-up button palettes and a button with an eye image. Colour lightening lives in
// toolkit/colour_ramp.h.
//
// The transform, line width and style last for the run until set again (origin 0, 0,
// angle 0, scales 1, width 1, style 0 at start). World points become pixels rounded half
// away from zero.
#include "platform/screen/sheets.h"

#include <cstdint>
#include <vector>

// ---- Transform ----------------------------------------------------------------------------

void Sketch_Set_Transform(double x0, double y0, double angle, double scale_x, double scale_y);
double Sketch_Get_Scale_X();
double Sketch_Get_Scale_Y();
// In place, unrounded: px = ((x - x0) cos a + (y - y0) sin a) sx,
// py = ((y - y0) cos a + (x0 - x) sin a) sy.
void Sketch_World_To_Pixel(double* x, double* y);
// Both given: as Sketch_World_To_Pixel; only x: x sx; only y: y sy. Returns x (0 when null).
double Sketch_Scale_To_Pixel(double* x, double* y);
void Sketch_Pixel_To_World(double* x, double* y);
double Sketch_Pixel_Distance(double x1, double y1, double x2, double y2);
// A world point as a rounded pixel point.
void Sketch_Pixel_Point(double x, double y, int* px, int* py);
void Sketch_Set_Line_Width(int width);
int Sketch_Get_Line_Width();
void Sketch_Set_Line_Style(int style);
int Sketch_Get_Line_Style();

// ---- Fill patterns (handed to pxSUFA; pxSFA(0) gives solid fills back) ----------------------

void Sketch_Use_Dot_Pattern();
void Sketch_Use_Hatch_Pattern();
void Sketch_Use_Stripe_Pattern();
// The 16 rows of the patterns, for Sketch_Fill_Band.
extern const uint32_t sketch_dot_pattern[16];
extern const uint32_t sketch_hatch_pattern[16];
extern const uint32_t sketch_stripe_pattern[16];

// ---- World drawing --------------------------------------------------------------------------

// Width 0 draws nothing, 1 a plain line; 2 or 3 with a dash style: that many one-pixel
// copies side by side, each starting its dash pattern anew; else a thick line.
void Sketch_Draw_Line(double x1, double y1, double x2, double y2);
void Sketch_Draw_Polygon(int n, const double x[], const double y[]);
void Sketch_Fill_Polygon(int n, const double x[], const double y[]);
// A quadrilateral of the width (world) along the segment, through the pattern when given.
void Sketch_Fill_Band(double x1, double y1, double x2, double y2, double width, const uint32_t* pattern);
void Sketch_Draw_Dot(double x, double y);
void Sketch_Draw_Circle(double cx, double cy, double r);
void Sketch_Fill_Circle(double cx, double cy, double r);
void Sketch_Draw_Rect(double x1, double y1, double x2, double y2);
void Sketch_Draw_Rect_Centred(double cx, double cy, double w, double h);
void Sketch_Pixel_Rect(double x1, double y1, double x2, double y2);
void Sketch_Pixel_Rect_Centred(double cx, double cy, double w, double h);
void Sketch_Erase_Rect(double x1, double y1, double x2, double y2);
// Head length and width in world units; the head never exceeds the segment.
void Sketch_Draw_Arrow(double x1, double y1, double x2, double y2, double head_length, double head_width,
                       int filled);
void Sketch_Draw_Axes(double x0, double y0, const char* label_x, const char* label_y, double length_x,
                      double length_y, double angle, double scale);
void Sketch_Draw_Axes_Ex(double x0, double y0, const char* label_x, const char* label_y, int unused_a,
                         int unused_b, double length_x, double length_y, double angle, double scale);
// The measure of a segment in metres as centimetres (below 1 m) or metres with two
// decimals, a raised "5" for half centimetres; nothing below 0.01.
void Sketch_Draw_Dimension(int mode, double x1, double y1, double x2, double y2, double offset);
// The measure texts of Sketch_Draw_Dimension (empty raised text: none); 0 when nothing is
// to be drawn.
int Sketch_Dimension_Texts(double length, char main_text[32], char raised_text[8]);
// mode 0: y1, y2 are pixels; mode 1: x1, x2 are pixels; else world points.
void Sketch_Draw_Dimension_Line(int mode, double x1, double y1, double x2, double y2, const char* main_text,
                                const char* raised_text, double offset);

// ---- Texts ----------------------------------------------------------------------------------

void Sketch_Draw_Text(double x, double y, const char* text, int font, int bold);
void Sketch_Draw_Text_Plain(double x, double y, const char* text, int font);
void Sketch_Draw_Text_Bold(double x, double y, const char* text, int font);
void Sketch_Draw_Text_Right(double x, double y, const char* text, int font);
// horizontal kind 0, 4, other; vertical kind 1, 4, other: the anchor bits of pxBTxt.
void Sketch_Draw_Text_Anchored(double x, double y, const char* text, int font, int horizontal, int vertical);
int Sketch_Text_Width(const char* text, int font);

// ---- Pixel helpers ----------------------------------------------------------------------------

void Sketch_Frame_Text_Field(int x, int y, double characters, int colour);
void Sketch_Clear_Text_Field(int x, int y, double characters);
void Sketch_Draw_Coloured_Text(int x, int y, const char* text, int font, int colour);
// Colour -6 for state -1, -1 for state 0, -9 otherwise.
void Sketch_Draw_State_Text(int x, int y, const char* text, int font, int state);

// A raster symbol of its own bits.
struct Sketch_Raster {
    ZAV_Raster raster;
    std::vector<unsigned char> bits;
};
// width x height, every bit clear; returns 0.
int Init_Blank_Raster(Sketch_Raster* raster, int width, int height);

// ---- Pop-ups and buttons ----------------------------------------------------------------------

// A row (palette) or column (list, texts beside) of n buttons w x h whose look is the
// bitmap; the sheet's top left corner at (sheet x, sheet y). -> the button 1 .. n, 99 for a
// click outside, -1 when the edit answered n + 1.
int Show_Button_Palette(int click_x, int click_y, int sheet_x, int sheet_y, const char* title, int w, int h, int n,
                        const char* const tips[], const char* bitmap);
int Show_Button_List(int click_x, int click_y, int sheet_x, int sheet_y, const char* title, int w, int h, int n,
                     const char* const texts[], const char* bitmap);
// A frameless button with an eye, tip "optische Kontrolle"; returns the button.
int Add_Optical_Check_Button(int x, int y, int code);
// The outline moving from rectangle A to rectangle B in seven frames.
void Sketch_Zoom_Rect(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2);

namespace sketch_internal {
// Transform, line width and style, remembered pop-up positions as at the start.
void Reset();
} // namespace sketch_internal
