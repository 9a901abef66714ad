#pragma once
// Strut-and-tie design of a corbel carried by a beam or carrying a beam (support corbel,
// load corbel on a beam, beam-end corbel) for one load combination.
//
// The procedure reads its input from a Beam_Corbel_Work record (lengths in cm, forces in
// kN) and the record's material set, writes every result back into the record (areas in
// cm², forces in kN, stresses in MN/m², angles in degrees) and writes nothing but message
// rows into the report. It keeps no state of its own: the same record gives the same
// results and messages on every run, so the caller may run it silently first and again
// with the report stream for the messages.
//
// Method classes: 0 classic strut-and-tie model, 1 "Heft 399, DAfStb", 2 "Heft 430,
// DAfStb", 3 "Heft 600, DAfStb", 4 refined strut-and-tie model, 5 "EC 2-1-1, 6.5"
// (the beam-end corbel always uses 5, designed per metre of length).
#include <cstdio>
#include <string>

struct Beam_Corbel_Work;

// Number of the older concrete grades B 15 .. B 55 of the shear-stress tables.
constexpr int OLD_GRADE_COUNT = 5;

// Shear-stress limits of the older grades (MN/m²), indexed by the old grade index 0..4
// (B 15, B 25, B 35, B 45, B 55):
//   the limit of the lever-arm rule;
//   the limit of horizontal stirrups (load close to the face, a below dk/2);
//   the limit of vertical stirrups (a above dk/2).
extern const double old_grade_tau_lever_arm[OLD_GRADE_COUNT];      // 2.0 .. 5.0
extern const double old_grade_tau_horizontal[OLD_GRADE_COUNT];     // 0.5 .. 1.25
extern const double old_grade_tau_vertical[OLD_GRADE_COUNT];       // 0.35 .. 0.8

// The composed message of the last run (text only; rebuilt for every message).
extern std::string calc_message_buffer;

// Old concrete grade for a strength fck [N/mm²]: walks the grade strengths 15, 25, 35,
// 45, 55; at the first grade whose strength + 0.001 exceeds fck returns that grade's index
// minus 1; 4 when none does. So fck 30 gives 1 (B 25), 25 gives 0, 55 gives 3, 60 gives 4,
// and fck below 15.001 gives -1 (no grade: not an index into the tables).
int Get_Old_Grade_Index(double fck);

// The same, limited to 0..4 so that it can index the grade tables: a concrete weaker than
// B 15 uses B 15, whose shear limits are the smallest (on the safe side).
int Get_Old_Grade_Table_Index(double fck);

// The shear rules ("Heft 399", "Heft 600") take the strut force from the vertical load; H
// adds to it through its moment H (aH + ak) about the tie. The vertical shear that raises
// the compared value by the same ratio as the tie force without H: H lever / a [kN], with
// the lever aH + ak and the load distance a in the same unit; 0 without H.
double H_Strut_Share(double H, double lever, double load_distance);

// Designs the corbel held in work. variant is always 1 (the partial factors are already in
// the design strengths). With a stream every message is written to it as one row " %s\n";
// every note (a message that the design report lists) adds 1 to calc_note_count.
// Returns 0 when the design was carried out (findings such as an overstressed strut are
// messages only); 1 for invalid input or a method that cannot be applied, with
// calc_note_count = 0, shear_value, As_tie_top, As_tie2, As_incl_hanger, As_hanger and
// As_tie = -1.0.
// Design strengths of zero (fcd, fyd or γc at most 0.001) fail with the message
// " Bemessung nicht möglich, Verfahren nicht anwendbar !". A null record returns 1; a record
// whose material set lacks a concrete or a steel record gets the failure results and
// returns 1 without a message.
//
// Where the rules have no finite value the procedure keeps to the safe side: a load too
// large for the compression block of "EC 2-1-1, 6.5" fails (" zk ¾ 0.0, Verfahren nicht
// anwendbar !"); "Heft 430" without a hung-up share (αA at most 0.001 kN, or no more than
// the concrete's tension term) checks no strut and gives no stirrups from the load, and
// the term 1 - R/(αA) is never taken below 0; the beam-end corbel, which has no strut angle
// of its own, gets no top tie from 0.5 A/tan θ (F_tie_top and As_tie_top stay 0).
int Design_Beam_Corbel(int variant, Beam_Corbel_Work* work, FILE* stream);
