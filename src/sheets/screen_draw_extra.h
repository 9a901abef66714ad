#pragma once
// Further screen drawing helpers of the corbel graphics that the corbel program itself
// does not call: the sketch's background colour, regular polygon rings, labels, arrow
// heads, arrows to a point, curved (moment) arrows, corner fillets and hinged lines.
// Pixel coordinates, y downward; angles in radians, 0 pointing right, pi/2 up; direction
// cosines are snapped to 0 and +-1 (Snap_Unit_Values) so that axis-parallel shapes come
// out exact. Colours are colour values of the screen library, negative = none.
//
// The helpers that set a colour read the drawing colour first and set it back at the
// end, except Draw_Hinged_Line, which leaves text_black and the normal font set. The
// arrow helpers set no colour: they draw in the current one.

// Stores the colour into the screen palette's sketch_background.
void Set_Sketch_Background_Colour(int colour);

// A regular polygon of n corners about (x, y) with the outer radius R; with 0 < r < R
// (or R < r < 0) a ring whose inner corners lie at radius r. Corner i at angle 2 pi i / n,
// truncated. Filled when the fill colour is not negative; the sides (outer and, for a
// ring, inner) in the outline colour with the line width when neither is negative.
// Nothing for n > 64 or n < 1.
void Draw_Regular_Polygon_Ring(int x, int y, int R, int r, int n, int fill_colour,
                               int line_width, int outline_colour);

// A text with its base line at y, starting at x, or ending there when right_align is 1
// (by its length times the font's mean character width). font_kind 1 is the small font
// (4.5 pixels a character), 2 the fixed-pitch one (8), any other the normal one (6.5).
// A colour that is not negative is used for the text only.
void Draw_Screen_Label(int x, int y, const char* text, int right_align, int colour,
                       int font_kind);

// A triangular head with its tip at (x, y), 15 pixels long and 10 wide, its base centre
// 15 pixels from the tip along (cos a, -sin a).
void Draw_Arrow_Head(int x, int y, double angle);

// A line of width 2 of length L from P0 = (x - L cos a, y + L sin a) to (x, y), with a
// head L/3 long and 2L/9 wide whose tip lies L/9 beyond P0, and the label (may be null)
// beside the tip.
void Draw_Arrow_To_Point(int x, int y, int length, const char* label, double angle);

// A curved arrow for a moment about (x, y): half an ellipse through the chord ends
// (x -+ h sin a, y -+ h cos a), h = length / 2, bulging to the side the angle points to,
// drawn two pixels strong, with a head at the first end (head flag 0: turning counter-
// clockwise) or at the second (any other flag: clockwise) and the label beside it.
void Draw_Curved_Arrow(int x, int y, int length, int head_flag, const char* label,
                       double angle);

// A corner (x, y) rounded off with radius r: the corner and nine arc points of the
// quarter circle that touches both sides, for quadrant 0 (sides running right and up),
// 1 (up and left), 2 (left and down) and 3 (down and right); other quadrants draw
// nothing. Filled when the fill colour is not negative; with a line width that is not
// negative, the two straight sides in the current colour and the arc in text_black.
void Draw_Corner_Fillet(int x, int y, int r, int quadrant, int fill_colour, int line_width);

// A line (width 1, text_black) with a hinge at each end (a white dot ringed in black of
// radius 2) and an optional label: place 0 centred above the start, 1 right of the
// line's middle, 2 centred below the middle; other places no label.
void Draw_Hinged_Line(int x1, int y1, int x2, int y2, const char* label, int place);
