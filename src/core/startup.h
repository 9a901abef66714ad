#pragma once
// Start-up of the program: the command line, the position's file names and the
// globals that every later step reads, and the refresh run.
#include "base/run_globals.h"  // the globals, defined below the layers that read them

// What Start_Corbel_Run answers when the run goes on interactively.
constexpr int CORBEL_RUN_INTERACTIVE = -1;

// The start-up up to the screen: reads the command line, names the position's files,
// takes the position's title and checks the environment; a refresh run is done here
// as well. The exit code, or CORBEL_RUN_INTERACTIVE when the interactive run is to
// follow (the screen's part of the program, sheets/program/program.h).
int Start_Corbel_Run(int argc, char** argv);

// The refresh run of the position named at start-up: reads the input and, when it could
// be read, writes the report and its drawing. Its exit code, 1.
int Run_Refresh();
