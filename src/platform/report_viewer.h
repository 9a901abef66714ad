#pragma once
// Stand-in for the environment's quick report viewer, which shows a report file of the
// component in a window of its own. Headless: nothing is shown; the call is recorded.
#include <string>

// Shows the report file name (a full name) of the component at component_path. Returns
// the viewer's result: 0 here, as nothing was shown.
int Quick_OLI_View(const char* component_path, const char* file_name);

// What the stand-in was told, for tests.
struct Report_Viewer_State {
    int calls = 0;
    std::string component_path;  // of the last call
    std::string file_name;
};
const Report_Viewer_State& Get_Report_Viewer_State();
