#include "platform/report_viewer.h"

namespace {
Report_Viewer_State state;
}

const Report_Viewer_State& Get_Report_Viewer_State() { return state; }

int Quick_OLI_View(const char* component_path, const char* file_name)
{
    ++state.calls;
    state.component_path = component_path ? component_path : "";
    state.file_name = file_name ? file_name : "";
    return 0;
}
