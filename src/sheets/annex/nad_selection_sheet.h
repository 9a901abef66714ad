#pragma once
// The two sheets of the annex choice: the selection sheet "Nationale Anwendungsdokumente"
// (each annex with its flag; starts the annex editor) and the warning sheet shown when a
// position names an annex that no longer exists.

// Runs the selection sheet: on OK the clicked annex is applied, on cancel the annex that
// was chosen when the sheet opened is applied again. A user annex renamed in the editor
// stays chosen under its new name. A chosen annex that is no longer listed is said; OK
// then waits for a row, and on cancel the annex that stands in for it is said.
void NAD_Run_Selection_Sheet();

// The warning sheet with the stored name and the name now in force; answers 1 when the
// user asked for the selection sheet by its button, 0 for OK.
int NAD_Run_Warning_Sheet(const char* stored_name, const char* name_in_force);

// Registers both sheets as the annex choice's screen hooks (interactive runs only; a
// refresh run keeps the silent stand-ins).
void Register_Annex_Sheets();

// The flag of the code as the list draws it: (x1, y1) is the top left corner of a
// 25 x 19 cell; nothing when "DATA" is not set (answer 0, else 1).
int NAD_Draw_List_Flag(int x1, int y1, int x2, int y2, const int* code);
// The flag of the annex in force at (x, y).
void NAD_Draw_Active_Flag(int x, int y);
// The same, as the entry of the older interface.
void NAD_Draw_Active_Flag_Alt(int x, int y);
// The flag cell of a code into the rectangle; codes from 20 on show the flag of code 17.
void NAD_Draw_Flag(int x1, int y1, int x2, int y2, int mode, int code);
