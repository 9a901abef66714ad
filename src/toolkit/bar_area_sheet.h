#pragma once
// A small sheet that adds up the area of bars: one row per diameter from 6 to 28 mm with
// a count, the row's area and the sum.

// Shows the sheet "Bew.fläche Stabstahl" (centred the first time, later where it was
// left). The counts last for the run. "übernehmen" returns the total area in m², "abbrechen"
// (or no screen) -1.0.
double Show_Bar_Area_Sheet();

// The area in m² of count bars of the diameter d (m), rounded to 6 decimals, as a row of
// the sheet shows it (times 10000 in cm²).
double Bar_Row_Area(double d, double count);
// For tests: the counts back to 0, as at the start of a run.
void Forget_Bar_Area_Counts_For_Tests();
