#include "platform/report_viewer.h"

namespace {
Report_Viewer_State state;
Report_Viewer_Call installed_view = nullptr;
Report_Viewer_Call installed_print = nullptr;

void Record(const char* component_path, const char* file_name)
{
    state.component_path = component_path ? component_path : "";
    state.file_name = file_name ? file_name : "";
}
} // namespace

const Report_Viewer_State& Get_Report_Viewer_State() { return state; }

void Set_Report_Viewer(Report_Viewer_Call view, Report_Viewer_Call print)
{
    installed_view = view;
    installed_print = print;
}

int Quick_OLI_View(const char* component_path, const char* file_name)
{
    ++state.calls;
    Record(component_path, file_name);
    return installed_view ? installed_view(component_path, file_name) : 0;
}

int Quick_OLI_Print(const char* component_path, const char* file_name)
{
    ++state.print_calls;
    Record(component_path, file_name);
    return installed_print ? installed_print(component_path, file_name) : 0;
}
