#pragma once
// The compact report line of the required reinforcement areas: a heading, then the areas
// A s,h, A s,v, A s,s, A s,h1, A s,v1 (with its lever arm z3), A s,v2, A sb,v, A sb,h and,
// for one combination, the total (ΣA s,t), at most five items a line.
#include <cstdio>

struct Corbel_Model;

// Writes the line for row `row` of the model's results (summary 0), or for the model's
// result summary (row -1, summary 1). The heading is written with ": " and a tab before the
// items; an empty or null heading writes the items alone. Areas of magnitude 0.01 cm² or
// less are left out; an area below -0.1 is written as a red "Fehler". Without a stream,
// without a model, or for a row outside the result array, nothing is written.
void Write_Required_Areas_Line(Corbel_Model* model, int row, FILE* report, const char* heading,
                               int summary);

// The design forces of one row, "Bemessungsgrößen: A Ed = ..., H Ed = ..." in the unit of
// the model's unit switch (kN for 0 and 1, N for 2). Nothing without a stream or for a row
// outside the result array.
void Write_Load_Case_Forces(Corbel_Model* model, int row, FILE* report);
