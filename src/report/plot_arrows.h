#pragma once
// Arrows of the drawing writer: the arrow symbol (an arrowhead with its shaft, tip at a
// point), the labelled, two-point and curved arrows built on it, the dimension line with
// an arrowhead at each end and a text on either side, and the load arrows and line loads
// at the end of this header.
//
// Each of the arrows is one group of the report graphic (records 30/31, with 52/53 while colour records
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

// ---------------------------------------------------------------------------------
// Loads. Lengths and values are drawing units. Any coordinate, length or value that is
// not a finite number draws nothing.
//
// Where the look is fixed (the load arrows and their rows) it is drawn as stated below;
// where it was left open, the simplest reading was taken: a load arrow's text is anchored
// on the side away from the arrow, a row's text box sits on the middle of the line
// through the tails, the arrows of a line load stand at the middles of its intervals
// (their heads 0.35 and 0.22 of the arrow's own length, as the axial load's arrows, whose
// shaft is the interval), and an interval whose value is 0 has no arrow.

// A load arrow pointing down on the page, its tip at (x, y) and its tail length above it
// (the length is turned where the window's y runs down the page, so that the arrow keeps
// pointing down; a negative length points up). One group: pen class 2 (" 4 2"), solid
// dash pattern, fill index 55 (0 without colour output), the shaft from the head base to
// the tail, and with colour output the filled head, 0.15 * length long and 0.075 * length
// wide on either side. A text that is not empty follows, after records " 13 0.220000" and
// " 8 6", 1.5 head lengths beyond the tail: standing on that point (anchored at its
// bottom centre; for a negative length hanging from it).
void Plot_Draw_Load_Arrow_Down(double x, double y, double length, const char* text);
// The same arrow lying horizontally, pointing in -x: tail at (x + length, y), the text
// starting 1.5 head lengths beyond it (for a negative length, ending there). The length
// is taken as given.
void Plot_Draw_Load_Arrow_Side(double x, double y, double length, const char* text);

// A row of downward load arrows (each a group of its own, without text) whose tips run
// from (x1, y1) to (x2, y2): one per 0.2 record units of the width in x, at least 2 and
// at most 1000, evenly spaced with one at each end. Then a line through their tails and,
// when the text is not empty, the text in a filled, framed box centred on that line's
// middle (Plot_Write_Sized_Label_Box with the text height). Nothing when the two x values
// lie within 1e-5.
void Plot_Draw_Uniform_Load(double x1, double y1, double x2, double y2, double length,
                            double text_height, const char* text);
// The same with the arrows' length running linearly from length1 to length2.
void Plot_Draw_Varying_Load(double x1, double y1, double x2, double y2, double length1,
                            double length2, double text_height, const char* text);

// The segment and, in each of its n = max(1, whole part of length / 300) intervals (at
// most 1000), an arrow (Plot_Draw_Arrow) over the whole interval: pointing forwards (at
// the interval's end) where the value, linear from value1 to value2, is positive at the
// interval's middle, backwards where it is negative. Heads 0.35 and 0.22 of the interval.
// Nothing for a segment without length.
void Plot_Draw_Axial_Line_Load(double x1, double y1, double x2, double y2, double value1,
                               double value2);

// The segment; the outline of the load area as the open polyline from (x1, y1) through
// the segment's ends moved by value1 and value2 (in x, in y, or at right angles to the
// segment, to its left) back to (x2, y2); and arrows (Plot_Draw_Arrow) from that outline
// to the segment, one at the middle of each of max(1, whole part of length / 200)
// intervals (at most 1000), their lengths running linearly from value1 to value2.
// Nothing for a segment without length.
void Plot_Draw_Line_Load_X(double x1, double y1, double x2, double y2, double value1,
                           double value2);
void Plot_Draw_Line_Load_Y(double x1, double y1, double x2, double y2, double value1,
                           double value2);
void Plot_Draw_Line_Load_Normal(double x1, double y1, double x2, double y2, double value1,
                                double value2);
