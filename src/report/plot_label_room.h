#pragma once
// Labels clear of lines. A graphic whose labels are to stay clear is drawn twice: first
// into memory, where Plot_Find_Label_Moves reads its records back, then for real, with
// each text moved by what the first drawing found (Plot_Set_Label_Moves).
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
// keypad anchor and larger font put it on the plan; both places must be clear.
#include <string>
#include <vector>

struct Plot_Label_Move {
    double dx = 0.0, dy = 0.0;  // record units
};

// The move of each text of the graphic block's records (from its head on), in writing order.
std::vector<Plot_Label_Move> Plot_Find_Label_Moves(const std::string& records);

// From now on the n-th text written moves by moves[n] (texts beyond the list do not move),
// until Plot_Clear_Label_Moves.
void Plot_Set_Label_Moves(std::vector<Plot_Label_Move> moves);
void Plot_Clear_Label_Moves();

// The move of the text about to be written, counting it; no move while none are set.
Plot_Label_Move Plot_Next_Label_Move();
