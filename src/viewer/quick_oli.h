#pragma once
// Our report preview and print, behind the environment's Quick_OLI_View and
// Quick_OLI_Print (platform/report_viewer.h). The program installs them at start-up.
//
// Preview: the report is rendered beside itself, as "<name>.pdf" and one PNG a page
// ("<name>-<n>.png"); the PDF's name goes to standard output. In a window session the PDF
// is handed to the command that CORBEL_VIEW_COMMAND names, else to xdg-open when it is
// there (started directly, never through a shell, and not awaited). Print: the PDF is
// written the same way and, when the environment variable CORBEL_PRINT_COMMAND names a
// print command (e.g. "lp -d office"), that command is run with the PDF as its last
// argument (started directly, never through a shell; blanks separate its words) and
// awaited. Without the variable the PDF is the printout.
//
// Either says in a message box what became of the report: the PDF's name, and whether a
// viewer shows it or what the print command did.
//
// Both return 0 when done and 1 when the report could not be read or rendered, or the
// print command could not be run or failed; the reason goes to the message box.

constexpr const char* PRINT_COMMAND_VARIABLE = "CORBEL_PRINT_COMMAND";
constexpr const char* VIEW_COMMAND_VARIABLE = "CORBEL_VIEW_COMMAND";

int Viewer_Quick_OLI_View(const char* component_path, const char* file_name);
int Viewer_Quick_OLI_Print(const char* component_path, const char* file_name);

// Makes the two the environment's preview and print.
void Install_Report_Viewer();
