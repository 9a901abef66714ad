#pragma once
// Labels clear of lines. A figure whose labels are to stay clear is drawn once, with its
// labels held: from Plot_Hold_Labels on, the graphic's records and the drawing file's
// entities are kept in memory as they are drawn. Plot_Place_Labels reads the kept records
// back, finds where each text must go, and passes what was kept on to the streams, each
// text that must move written anew at its place (Plot_Write_Label).
//
// Reading the records: the straight lines (record 1, with the width of their pen class or
// record 6), the small filled polygons (record 18 within 1 cm: arrow heads, bar sections)
// and the boxes of the texts (records 2, 3, 9 and 10: capital height by record 13, or by
// the text style of record 7; the width estimated from the report font's proportions; the
// anchor and angle as the viewer sets them). A raised text right after a text (record 3
// after record 9 or 10, only height and angle records between) moves with it. Each text,
// in writing order, whose box comes nearer than a small clearance to a line, a polygon or
// a text placed before it is moved the least distance (steps of 0.05 cm, up to 2.5 cm; at
// equal distance up, down, along, back from the text's reading, then the diagonals and
// between) at which it is clear of all of them; a text that finds no such place stays. A
// text is placed twice, where the report's viewer sets it and where the drawing file's
// keypad anchor and larger font put it on the plan; both places must be clear. Lines and
// polygon edges are sorted into a uniform grid over the room the labels may move in, and
// a place tried is measured only against those of the cells it meets whose rectangle,
// widened by their reach, meets its own; the texts placed before it by their rectangles.
#include <functional>
#include <string>
#include <vector>

struct Plot_Label_Move {
    double dx = 0.0, dy = 0.0;  // record units
};

// The move of each text of the graphic block's records (from its head on), in writing order.
std::vector<Plot_Label_Move> Plot_Find_Label_Moves(const std::string& records);

// From now on the open graphic's records and the open drawing file's entities are kept,
// until Plot_Place_Labels writes them on with each text at its place. The window's axes
// are those of the graphic begun last.
void Plot_Hold_Labels();
void Plot_Place_Labels();

// The writers of line and polygon records tell each record's values here just before they
// write the record: while labels are held, they are taken as the record gives them back
// instead of reading the record. A polygon's n points come as x, y pairs.
void Plot_Hold_Line(double x1, double y1, double x2, double y2);
void Plot_Hold_Polygon(int n, const double* values);

// Writes one text: write(move) writes it moved by move (record units; no move: where it
// was given), reading the plot state as it is now. While labels are held it may be called
// once more, with the plot state as it was, to write the text at its place.
void Plot_Write_Label(std::function<void(const Plot_Label_Move&)> write);
