#pragma once
// The environment's report preview and print: Quick_OLI_View shows and Quick_OLI_Print
// prints a report file of the component. Every call is recorded (for tests) and handed to
// the viewer that the program installed at start-up (the report viewer of viewer/, which
// renders the file to PDF and PNG); with none installed nothing is shown and the result
// is 0, so that tests and refresh runs stay headless.
#include <string>

// The viewer's entry points: (component path, full name of the report file) -> result.
using Report_Viewer_Call = int (*)(const char* component_path, const char* file_name);

// Installs the viewer (either may be null: that call then shows nothing).
void Set_Report_Viewer(Report_Viewer_Call view, Report_Viewer_Call print);

// Shows the report file name (a full name) of the component at component_path; returns
// the viewer's result (0 when shown, or when no viewer is installed).
int Quick_OLI_View(const char* component_path, const char* file_name);
// Prints it; the same results.
int Quick_OLI_Print(const char* component_path, const char* file_name);

// What the stand-in was told, for tests.
struct Report_Viewer_State {
    int calls = 0;                // Quick_OLI_View
    int print_calls = 0;          // Quick_OLI_Print
    std::string component_path;  // of the last call of either
    std::string file_name;
};
const Report_Viewer_State& Get_Report_Viewer_State();
