#pragma once
// Flags the main sheet's pages and the main loop share: the pages read whether the
// results in the model belong to its current input and set the one-shot requests of their
// buttons; the main loop serves and clears the requests and keeps the validity.

// Non-zero while the results in corbel_model belong to its current input.
extern int results_valid;

// Set to 1 by the system sheet's buttons "Daten exportieren" and "Daten importieren".
extern int export_request;
extern int import_request;
