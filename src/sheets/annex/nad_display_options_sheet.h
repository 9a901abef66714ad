#pragma once
// The annex editor's sheet "Darstellungsoptionen": show every rule of the part sheets and
// reports, or only those of one application profile ("annex/app_profiles.h").

// Runs the sheet (profiles scanned first). After "ok" the choice is in force and the
// answer is 1; after "abbrechen" or Esc the profile flag and index are as they were when
// the sheet opened and the answer is 0. Without a screen nothing changes (0).
int NAD_Display_Options_Sheet();
