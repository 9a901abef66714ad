#pragma once
// Strut-and-tie design of the load corbel on a column (also built as a beam-end corbel) for
// one load combination.
//
// The procedure reads its input from a Column_Corbel_Work record (lengths in cm, forces in
// kN) and the record's material set, writes every result back into the record (areas in
// cm², forces in kN, stresses in MN/m², angles in degrees) and writes nothing but message
// rows into the report. It keeps no state of its own: the same record gives the same
// results and messages on every run, so the caller may run it silently first and again
// with the report stream for the messages.
//
// Method classes: 0 classic strut-and-tie model, 2 "Heft 399, DAfStb", 3 "Heft 430,
// DAfStb", 4 "Heft 600, DAfStb", 5 refined strut-and-tie model, 6 "EC 2-1-1, 6.5"
// (the beam-end corbel always uses 6).
#include <cstdio>

struct Column_Corbel_Work;

// Designs the corbel held in work. variant is always 1 (the partial factors are already in
// the design strengths). With a stream every message is written to it as one row " %s\n";
// every note (a message that the design report lists) adds 1 to calc_note_count.
// Returns 0 when the design was carried out (findings such as an overstressed strut are
// messages only); 1 for invalid input or a method that cannot be applied, with
// calc_note_count = 0 and As_tie, As_hanger, As_incl_hanger and As_stirrup = -1.0.
// A record whose material set lacks a concrete or a steel record gets the failure results
// without a message; a null record returns 1.
int Design_Column_Corbel(int variant, Column_Corbel_Work* work, FILE* stream);
