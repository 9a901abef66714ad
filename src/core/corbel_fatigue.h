#pragma once
// Fatigue check of a single load corbel on a column with direct load transfer, by the
// simplified method of EN 1992-1-1 6.8.6(2) (stress range of the tie) and 6.8.7(2) (concrete
// in compression), with the reinforcement as finally designed. Every row of the second load
// table (fatigue and serviceability forces) acts on the corbel's root section; the cracked
// section's stresses give the tie's stress range, a larger tie area where the range is too
// large or the tie yields under a fatigue row, and the concrete check. The section has bars
// in the tie only: no other layer is added, so the stresses are those of the stated tie.
// The extra tie area raises the final tie area of the result summary, and the stirrups grow
// in proportion.
//
// Units: areas in cm², stresses in N/mm², forces in kN and moments in kNm towards the
// section analysis (the load table keeps N), the age t0 in days.
#include <cstdio>

struct Corbel_Model;

// EN 1992-1-1 (6.76): fcd,fat = k1 βcc(t0) fcd (1 − fck/250), fcd = αcc fck/γc (3.1.6(1))
// with the αcc of the design values (Corbel_Alpha_Cc) and γc of the position's fatigue pair
// (fcd 0 for a factor of 0.001 or less), k1 of the annex in force (its EN 1992-2 value for
// a bridge position), βcc at the age of first loading (28 days when none is given). Writes the age used when t0 is given. Null model: 0.
double Calc_Corbel_Fcd_Fat(const Corbel_Model* model, double* t0);

// Runs after the envelope of the ultimate-limit-state results (it reads and raises the
// final areas of the summary) on the corbel's material set. Sets the stress range, the
// three extra areas (-1.0: not designable), the concrete utilisation and, when the check
// fails, the summary's fatigue-failed flag. With a report stream writes the check at the
// detail level 0, 1 or 2.
// Returns 1 when the check does not apply (not a single load corbel on a column with direct
// load transfer, the check switched off, no fatigue row) or is met; 0 when it failed or
// cannot be made: one fatigue row gives no stress range, and a design that left a required
// area unknown (a combination not designed) no tie to check; the report says why.
int Check_Corbel_Fatigue(Corbel_Model* model, FILE* report, int detail_level);

// The report's note on a fatigue check that was asked for (switch on, rows entered) for a
// corbel it is not made for: the kind of corbel, the load transfer or the execution, and
// that the check is to be made separately. null when the check applies or was not asked
// for. Code page 850.
const char* Fatigue_Check_Not_Made_Note(const Corbel_Model& m);

// Why a fatigue check that applies cannot be made before any stress is sought (a single
// fatigue row), as the report's failed line says it; null otherwise. Code page 850.
const char* Fatigue_Check_Not_Possible_Reason(const Corbel_Model& m);
