// corbel-annex NAME: the editor of the national annexes, started by the annex selection
// sheet with the chosen annex's name (sheets/annex/nad_editor.h).
#include "sheets/annex/nad_editor.h"

int main(int argc, char** argv) { return NAD_Editor_Main(argc, argv); }
