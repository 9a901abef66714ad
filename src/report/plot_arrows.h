#pragma once
// Arrows of the drawing writer: the arrow symbol (an arrowhead with its shaft, tip at a
// point), the labelled, two-point and curved arrows built on it, and the dimension line
// with an arrowhead at each end and a text on either side.
//
// Each is one group of the report graphic (records 30/31, with 52/53 while colour records
// are on) and, while a drawing file is open, is drawn there as well; pen, filling, line
// type, font, text angle and rotation are as before afterwards. The group saves into the
// plot state's single slot, so an arrow drawn inside a caller's group overwrites what that
// group saved. The fill index record is not scoped by the group: after a filled arrow the
// fill index 55 (0 while colour output is off) stays in force for the records that follow.
//
// None of them changes the rotation: their lines are turned by the primitives like any
// other line.

// Arrow kinds.
constexpr int PLOT_ARROW_OPEN = 0;      // shaft and two head strokes
constexpr int PLOT_ARROW_OUTLINED = 1;  // shaft and the outlined triangular head
constexpr int PLOT_ARROW_FILLED = 2;    // shaft and the filled head (fill index 55)

// Fill index of filled arrowheads.
constexpr int PLOT_ARROW_FILL_INDEX = 55;

// Arrow with its tip at (x, y), pointing in the direction angle (radians); length runs
// from tip to tail, the head is head_length long and head_width wide (drawing units).
// A filled arrow has no head while colour output is off. Any other kind draws only the
// group records.
void Plot_Draw_Arrow_Symbol(double x, double y, double angle, double length,
                            double head_length, double head_width, int kind);

// The arrow symbol and, after record 13 with the text height, the text at its tail,
// anchored so that it stands beyond the tail: left of it for an arrow pointing right
// (within pi/4 of the x axis), below it for one pointing up, right of it for one
// pointing left, above it for one pointing down (a negative angle is first raised by a
// turn).
void Plot_Draw_Labelled_Arrow(double x, double y, double angle, double length,
                              double head_length, double head_width, int kind,
                              double text_height, const char* text);

// The arrow symbol with its tip at the first point and its tail at the second.
void Plot_Draw_Arrow_Between(double x1, double y1, double x2, double y2, double head_length,
                             double head_width, int kind);

// Arc about (x, y) of radius |radius| from the start angle to the end angle (radians,
// counter-clockwise); when the text is not empty, a labelled arrow whose tail sits on the
// arc's end and which points along the arc (the end angle turned by pi/2), arrow_length
// long with a head as long and head_width wide.
void Plot_Draw_Curved_Arrow(double x, double y, double radius, double start_angle,
                            double end_angle, double arrow_length, double head_width,
                            int kind, double text_height, const char* text);

// Dimension line from (x1, y1) to (x2, y2) with an arrowhead at each end (strokes of
// 0.35 record units at 18 degrees to the line). The text stands on the left of the line
// and the second text on its right, each 0.2 record units off it, at text height 0.25;
// with an empty text the line is broken in the middle and the second text stands in the
// gap. Texts read along the line (not turned in a window whose y runs downwards).
void Plot_Draw_Dimension_Line(double x1, double y1, double x2, double y2, const char* text,
                              const char* second_text);
