#pragma once
// Start-up of the program: the command line, the position's file names and the
// globals that every later step reads.
#include "base/run_globals.h"  // the globals, defined below the layers that read them

// The whole start-up of the program; the result is the exit code.
int Corbel_Main(int argc, char** argv);

// Close callback of the frame window: 32768 lets it close, 0 goes on.
int Confirm_Close();
