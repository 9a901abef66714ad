#pragma once
// Start-up of the program: the command line, the position's file names and the
// globals that every later step reads.
#include "base/run_globals.h"  // the globals, defined below the layers that read them

// The whole start-up of the program; the result is the exit code.
int Corbel_Main(int argc, char** argv);

// Close callback of the frame window: 32768 lets it close, 0 goes on.
int Confirm_Close();

// Called by an interactive start (never in a refresh run) before the screen is set up:
// the program registers the sheets' hooks here (core/edit_buffer_hooks.h,
// core/main_loop.h, the annex sheets).
extern void (*install_interactive_hooks)();
