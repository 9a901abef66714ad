#pragma once
// A hung-up load carried in part by inclined bars: both design procedures make their
// concrete check once more as if the whole load hung at the top. Their work records name
// the results of that check alike.
#include "core/design_load_case.h"

// The message of a design that fails the check with the whole load (code page 850).
inline constexpr char kWholeLoadFailed[] = " Nachweis der Druckstrebe f\x81r die Gesamtlast nicht erf\x81llt !";

// A copy of w designed by design(&copy) (0 when it designed) with distribution number 1;
// *designed tells whether it was. The copy's notes are not counted as the run's.
template <class Work, class Design>
Work Design_With_Whole_Load(const Work& w, Design design, bool* designed)
{
    Work whole = w;
    whole.distribution_number = 1.0;
    const int notes = calc_note_count;
    *designed = design(&whole) == 0;
    calc_note_count = notes;
    return whole;
}

// Keeps in w the outcome of the check with the whole load (failed: its Design_Check_Bit in
// the copy). True when the design fails it: the check failed or the method found no design.
template <class Work>
bool Keep_Whole_Load_Outcome(Work* w, bool designed, unsigned failed)
{
    w->whole_load_failed = failed;
    // A method may stop after the check (the shear checks come before the lever arm that
    // it may not find): the check was made all the same.
    w->whole_load_check = designed || failed ? 1 : 2;
    return !designed || failed != 0;
}
