#pragma once
// The input echo of the corbel report: the part of "Eingabeprotokoll" that restates the
// position's input (cross-section and geometry, materials with their design values,
// partial factors, design parameters, load tables, durability and cover).
#include <cstdio>
#include <string>

struct Corbel_Model;

// Level handed to every heading of the corbel report (1 at the top of a report). The
// corbel calculation raises and lowers it; the echo and the results table only read it.
extern int report_heading_level;

// Writes the input echo inside the open "Eingabeprotokoll" heading and ends its own text
// block. detail_level is the effective detail level of the report (0 minimal, 1 standard,
// 2 detailed). The only field written in the model is the cover-failed flag of the
// result summary, set when a cover check of the durability section fails. Nothing for a
// null model or stream.
void Write_Corbel_Input_Echo(Corbel_Model* model, FILE* report, int detail_level);

// The cover checks of the echo's durability section without writing: sets the cover-failed
// flag when one fails (with the exposure classes switched on; else nothing). Null: nothing.
void Judge_Corbel_Durability(Corbel_Model* model);

// "Betonbrücken: <chosen steel> nicht zugelassen, bemessen mit <bridge steel>" (code page
// 850) when the data check put the bridge steel in place of the steel a bridge position
// chose; "" otherwise.
std::string Bridge_Steel_Line(const Corbel_Model& model);
