#include "core/startup.h"
#include "viewer/quick_oli.h"

int main(int argc, char** argv)
{
    // The report preview and print of the environment are our viewer's.
    Install_Report_Viewer();
    return Corbel_Main(argc, argv);
}
