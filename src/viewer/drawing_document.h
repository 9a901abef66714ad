#pragma once
// Reader of the drawing file ("%s%04d.SPF", report/drawing_file.h) and its layout on one
// A4 page.
//
// The reader takes the tables it needs (colours, pens, line types, fonts, fillings, the
// coordinate system's factor) and the entities: lines ("-line" with the "-point" that
// ends them), areas ("-area" with their contour rows; a row with a radius is a circular
// edge), texts ("-text" and the text line that follows), and accepts groups, layer and
// coordinate-system changes. Unknown entity lines are skipped and counted.
//
// What the format leaves open, decided here:
// - Paper units are centimetres: a drawing coordinate times 100 / factor of the
//   coordinate system is a length on the paper (the header's width and height are in the
//   same units). Pen widths, line-type lengths, font heights and hatch spacings are
//   millimetres.
// - The page is A4, landscape when the drawing is wider than high, with the title above
//   the drawing; the drawing is centred in the space below, scaled down (texts with it)
//   only when it does not fit.
// - Fillings: a spacing of 0.05 mm or less is a solid fill, two line families a cross
//   hatch, otherwise a hatch at the row's angle; in the colour of the filling's pen.
// - A circular edge runs counter-clockwise from its point to the next one for a positive
//   radius (clockwise for a negative one), its centre on the side the direction gives.
// - Colour 0 is black; a text's keypad anchor 7 8 9 is the top, 4 5 6 the middle, 1 2 3 the
//   baseline; a font with a slant is drawn oblique; an upside-down text is turned as in
//   report graphics (viewer/graphic_records.h).
#include "viewer/line_source.h"
#include "viewer/page_model.h"

#include <string>

// Reads drawing-file bytes and lays them out; false (nothing laid out) when the bytes
// do not begin with the drawing file's first line.
bool Lay_Out_Drawing(const std::string& bytes, Laid_Out_Document& out);

// Reads a drawing file's lines (its first line is taken to be the drawing file's) and
// lays them out. The file is read as a stream; what is kept is the drawing's points and
// entities and the page.
void Lay_Out_Drawing(Line_Source& lines, Laid_Out_Document& out);

// True when the bytes begin with the drawing file's first line.
bool Is_Drawing_File(const std::string& bytes);
