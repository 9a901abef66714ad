#include "core/corbel_calculation.h"
#include "core/startup.h"
#include "sheets/corbel_plot.h"
#include "sheets/section_graphic.h"
#include "viewer/quick_oli.h"

int main(int argc, char** argv)
{
    // The report's longitudinal-section graphic (and the drawing file) is drawn by the
    // sheets, a layer above the calculation that writes the report.
    section_graphic_hooks.init_plot_colours = Init_Plot_Colours;
    section_graphic_hooks.place = Place_Section_Graphic;
    section_graphic_hooks.height = Get_Section_Graphic_Height;
    // The report preview and print of the environment are our viewer's.
    Install_Report_Viewer();
    return Corbel_Main(argc, argv);
}
