#pragma once
// The sheet "Ausdrucksteuerung" of the steel programs' print options.
#include "report/print_options.h"

// Shows the sheet until OK or break (both keep the edits). Switch 10 is edited as a mode
// (1 governing combination in detail, 0 none, 2 combination number n) and a number and
// stored back as 1, 0 or -n. The remarks button runs the comment editor: a text of fewer
// than 5 characters leaves no remarks. Nothing without a screen.
// The results by the environment's application number (report/print_options.h): a
// notch-point program offers "maßgebender Kerbpunkt" (level 4) after the three levels;
// the others offer "tabellarisch" (level 3, with the fatigue notch-point switch 12 and the
// load-combination choice beneath it) and "maßgebende Lastkombination" (level 4). Both
// offer the optimised table of finite-element results (switch 6) with what it holds:
// design values, and the notch point where the program gives one.
void Edit_Steel_Print_Options(Steel_Print_Options* record);

// The part both print-option sheets share, from the remarks' line count to the band
// "Ergebnisse": the graphic switch (0) with its scale, the input switches 3, 2, 1, 4 and 5;
// switch 2 is labelled "Bemessungskräfte" when design_forces is set, else
// "Materialsicherheitsbeiwerte". Answers the row of the first result item.
int Add_Print_Options_Inputs(int area, int* switches, double* scale, int remarks_lines, bool design_forces = false);

// The remarks' lines as the sheet shows their count: the line ends the wrapping counted,
// and one more for a last line that has none.
int Remark_Line_Count(const char* remarks, int line_ends);
