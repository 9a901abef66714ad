#pragma once
// The interactive life of the program: the full-screen main sheet with its register of
// three pages, the bar of seven buttons and the loop that composes the current page,
// waits for one event, acts on it and composes again. Its result is the exit code.

// The pages are drawn by the page files of the sheets; the interactive start
// registers their functions here. A page without a composer is left out of the register.
struct Main_Sheet_Hooks {
    void (*init_palette)() = nullptr;
    // Compose page k + 1 into the cleared area: (area, x0, y0, x1).
    void (*compose[3])(int area, int x0, int y0, int x1) = {nullptr, nullptr, nullptr};
    // The page's own event handler, asked first for an event inside the page: -1, 1 or
    // 2 data changed, 0 not its event (the area then handles it), anything else nothing.
    int (*page_events[3])() = {nullptr, nullptr, nullptr};
    // Stands in for the print-options sheet of the button "Druckeinstellung" (tests);
    // unset, the sheet itself is shown.
    void (*print_options)() = nullptr;
};
extern Main_Sheet_Hooks main_sheet_hooks;

// 1 after the online calculation of the current input, 0 after every change; read by the
// sheets to show results or placeholders.
extern int results_valid;
// Whether the pages show the results and their ok marks: with online calculation on, for
// the current input, and only while the data check passes and the design was not
// aborted (values of a rejected or broken-off design would read as zeros that pass).
struct Corbel_Model;
bool Results_Shown(const Corbel_Model& model);
// Whether pages 1 and 3 show the required values and their ok marks: as Results_Shown,
// and only when at least one load combination could be designed (else every required
// value is unknown, not 0; the load table's column says which rows failed) and some
// combination carries a load (else nothing is required and nothing is checked).
bool Required_Values_Shown(const Corbel_Model& model);
// Set by the system sheet's buttons "Daten exportieren" / "Daten importieren"; served
// and reset by the loop after the page was composed.
extern int export_request;
extern int import_request;

// 0 when the user ends without saving, 1 when the report was written and the input saved.
int Run_Main_Loop();

// The tabular results view and the report of one load combination, each shown in the
// viewer (the print options are as they were afterwards). 0 shown, 1 not written.
int Show_Results_Table();
int Show_Load_Case_Report(int case_number);

// Content of the question asked before more than 20 load combinations are printed.
int* Draw_Many_Load_Cases_Hint(int area, int x, int* y, void* data);

// For tests: the question was not asked yet in this run, page 1 is the current page.
void Reset_Main_Loop_State();
