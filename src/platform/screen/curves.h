#pragma once
// Outline circles and elliptical arcs of the screen library, one pixel wide, solid, in
// the drawing colour. Each pixel is written once, so that in exclusive-or mode drawing
// twice restores the screen. Clipped like every primitive; nothing without a screen.

// The circle of radius r about (x, y) (a single pixel for r 0, nothing below).
void pxCrcl(int x, int y, int r);

// An arc of the ellipse with the half axes rx (along x) and ry (along y) about
// (cx, cy), from the angle at which (x1, y1) is seen from the centre to the angle of
// (x2, y2) (the points need not lie on the ellipse; angles are taken in the ellipse's
// own scale). direction 1 runs clockwise as seen on the screen, any other value
// counter-clockwise. Equal angles give the whole ellipse. Nothing for a negative half
// axis.
void pxArc(int rx, int ry, int cx, int cy, int x1, int y1, int x2, int y2, int direction);
