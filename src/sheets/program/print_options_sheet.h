#pragma once
// The sheet "Ausdrucksteuerung" on which the user edits the print options of the corbel
// report, with the editor of the preliminary remarks.
#include "core/print_options_ec2.h"

// Shows the sheet until OK or break; both keep what was edited. The combination shown
// in detail (switch 10) is edited as a mode (1 governing, 0 none, 2 number n) and a
// number, stored back as 1, 0 or -n when the sheet closes; a number beyond the
// combinations of the load table (when given) is refused with the range. Returns 0.
int Edit_EC2_Print_Options(EC2_Print_Options* record, int combinations = 0);

// (Re)builds the sheet's items in the scroll area.
void Build_Print_Options_Sheet(EC2_Print_Options* record, int area);

// When the remarks button was pressed: runs the comment editor on the remarks (a text of
// fewer than 5 characters leaves none) and answers 1 (the sheet must be rebuilt). In
// every call the remarks are wrapped before their 110th character and their lines
// counted for the sheet.
int Edit_Print_Remarks(EC2_Print_Options* record);

// The sheet's memory of the combination choice, for tests: the mode and number as the
// sheet shows them, and the remarks request of its button.
struct Print_Options_Sheet_State {
    int mode = 0;           // 0 none, 1 governing combination, 2 combination number
    double number = 1.0;    // the combination number of mode 2
    int remarks_request = 0;
    int remarks_lines = 0;
    int combinations = 0;   // rows of the load table, the largest number (0: not known)
};
Print_Options_Sheet_State& Print_Options_Sheet();
// Mode and number from switch 10, and back.
void Print_Options_Choice_From_Record(const EC2_Print_Options* record);
void Print_Options_Choice_To_Record(EC2_Print_Options* record);
