#pragma once
// The program as a whole: the start-up (core/startup.h), then, unless that ended the run
// (a refresh run, a wrong command line, a missing environment), the interactive run on
// the screen.

// The whole start-up of the program; the result is the exit code.
int Corbel_Main(int argc, char** argv);

// Close callback of the frame window: 32768 lets it close, 0 goes on.
int Confirm_Close();

// Called by an interactive start (never in a refresh run) before the screen is set up:
// the program registers the sheets' hooks here (core/edit_buffer_hooks.h,
// sheets/program/main_loop.h, the annex sheets).
extern void (*install_interactive_hooks)();
