#pragma once
// Report text of the design of one load combination by the column-side procedure (load
// corbel on a column, also as a beam-end corbel).
#include <cstdio>

// Writes the design held in column_corbel_work (after the procedure has run) into the
// report: section and load echo (detail level 2 and above; otherwise the design forces
// line), bearing pressure, strut checks, hanger and tie, the upper load share of indirect
// load transfer, splitting-tension stirrups, the class's closing check and the lower load
// share. beam_end is set when the model's execution is "Trägerkonsole" (load transfer 2
// counts as well): forces and areas are then per metre. The method name is the work
// record's. A null stream writes nothing. Nothing is stored.
void Write_Column_Corbel_Design(int beam_end, FILE* stream, int detail_level);
