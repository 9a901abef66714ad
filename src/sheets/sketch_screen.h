#pragma once
// Drawing helpers of the corbel sketch on screen: regular polygons (bar sections), filled
// rectangles, load arrows and arc bands (bends of bars), drawn with the screen library's
// pixel functions. The helpers that set a colour read the drawing colour first and set it
// back at the end; the arrow sets none and draws in the current colour.
//
// The shapes are worked out by the Compute_ functions, so that they can be checked
// without a screen; the Draw_ functions draw exactly those.

// Corners of a regular polygon of n corners about (x, y): corner i at (trunc(x + r cos(2 pi
// i / n)), trunc(y + r sin(2 pi i / n))). -> n, or 0 (no corners) for n < 1 or n > 64.
int Compute_Regular_Polygon(int x, int y, int radius, int n, int* px, int* py);

// Filled (fill colour not negative) and/or outlined (neither line width nor outline colour
// negative) regular polygon; more than 64 corners draws nothing.
void Draw_Regular_Polygon(int x, int y, int radius, int n, int fill_colour, int line_width,
                          int outline_colour);

// Filled rectangle between two corners; a negative colour draws nothing.
void Fill_Screen_Rect(int x1, int y1, int x2, int y2, int colour);

// An arrow of a thick line with a triangular head, centred at (x, y). Angle 0 points right,
// pi/2 up; head flag 0 puts the head at the end the angle points to, any other value at the
// other end. An angle above pi/2 is first turned back by half turns, each flipping the head
// flag, so that pi and 0 with the other flag give the same shape.
struct Arrow_Shape {
    int x1, y1, x2, y2;        // the line (width 2)
    int tx, ty;                // tip, 5 pixels beyond the line's end
    int bx1, by1, bx2, by2;    // base corners: the head is 15 long and 10 wide
    int label_x, label_y;      // where a label starts (base line)
    int head_flag;             // after the normalisation
};
Arrow_Shape Compute_Arrow(int x, int y, int length, int head_flag, const char* label,
                          double angle);
void Draw_Arrow(int x, int y, int length, int head_flag, const char* label, double angle);

// Points of an arc about (x, y), in whole steps of 11.25 degrees from the start rounded down
// to the end rounded up: point j at t = (i0 + j) pi/16 is (x - R(r cos t), y + R(r sin t))
// (angle 0 lies left of the centre). At most 33 points (a sweep of 360 degrees); a sweep
// below 0.001 degrees gives none. -> the count.
constexpr int ARC_BAND_MAX_POINTS = 33;
int Compute_Arc_Band(int x, int y, int r, double start_deg, double sweep_deg, int* px, int* py);

// The arc as a filled segment (fill colour not negative) and/or an open polyline of the
// given width (neither line colour nor width negative).
void Draw_Arc_Band(int x, int y, int r, double start_deg, double sweep_deg, int fill_colour,
                   int line_colour, int line_width);
