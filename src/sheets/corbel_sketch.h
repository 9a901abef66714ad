#pragma once
// The dimensioned corbel sketch on screen, a custom-drawn item of the geometry, parameter
// and reinforcement sheets. Mode 0 draws member, corbel, plate, loads, dimensions and the
// strut-and-tie lines; mode 1 the chosen reinforcement in place of the ties, but only while
// the model's switch "Bewehrung wählen" is on (otherwise it draws as mode 0). The drawing
// reads the model and the scale cells of the edit buffer and never changes either.
#include <vector>

struct Corbel_Model;

// Draw functions for Area_Add_Custom, the model as data: mode 0 and mode 1.
void Draw_Sketch_Geometry_Cb(int x0, int y0, int x1, int y1, void* model);
void Draw_Sketch_Rebar_Cb(int x0, int y0, int x1, int y1, void* model);

// Draws into the rectangle at the scale corbel_edit_buffer.sketch_scale_x (pixels per cm).
void Draw_Corbel_Sketch(int x0, int y0, int x1, int y1, const Corbel_Model* model, int mode);

// The scale rule of the sheets: from the extents (w, h) of the mode, s = min(370 / w,
// 240 / h) and the item height trunc(h s + 60), 20 more for the anchorage row of the
// drawn reinforcement; 0 (and s 0) when either extent is below 0.001. -> the height.
int Compute_Sketch_Layout(const Corbel_Model* model, int mode, double* scale);

// Pixels the sketch needs above the member's top beyond the 10 of its layout, at scale s:
// on a load corbel at a column the corbel top lies lh + e below the member's top (e =
// m2 - hk - lh on a beam-end corbel, which a corbel deeper than its beam makes negative),
// the load arrow with its label stands 41 pixels above the load, and a bearing plate's
// dimension row takes the rectangle's top 30 pixels. The drawing starts that much lower
// in its rectangle, and the rectangle is that much higher.
int Sketch_Top_Overflow(const Corbel_Model* model, double s);

// Lays the sketch out as a sheet does: stores the scale and height into the edit buffer
// and, when the height is positive, adds the custom item from (x, y) to (x + 430,
// y + top + height), top the sketch's overflow, with the mode's draw function and
// advances y by top and height.
void Add_Corbel_Sketch(int area, const Corbel_Model* model, int mode, int x, int* y);

// Bottom of a bearing plate drawn from the edge at 0 over a thickness of px pixels: px - 5,
// but 2 when px is below 6 (a thin plate stays visible).
int Bearing_Plate_Depth_Px(int px);

// Positions of the reinforcement in the sketch, in cm from the corbel's tie face (the top of
// a load corbel, the bottom of a support corbel): the axis of main-tie layer k is cover +
// d_k / 2 + the layer offset (sum of the pitches of the pairs up to k) + the enclosing
// stirrup diameter.
double Sketch_Layer_Depth_Cm(const Corbel_Model* model, int layer);

// Distances (cm) of the legs of the vertical splitting stirrups from the corbel's face,
// first leg first; -> the number of legs written (at most max).
int Sketch_Split_Stirrup_Positions(const Corbel_Model* model, double* x, int max);

// What the last drawing left on the screen for checks of its layout: the boxes of its texts
// (x1, y1 top left, x2, y2 bottom right) and its outline and extension lines (from x1, y1
// to x2, y2), in screen pixels.
struct Sketch_Box {
    int x1, y1, x2, y2;
};
const std::vector<Sketch_Box>& Sketch_Texts();
const std::vector<Sketch_Box>& Sketch_Strokes();
