#pragma once
// Trace output with a switch, and a run-time measurement in 100 slots.

// Prints to standard output and flushes while the trace switch is on (initially on);
// returns the printed count, 0 while off.
int Trace_Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Set_Trace_Switch(int on);

// Switches the measurement on or off (announced through Trace_Printf); returns the
// new state.
int Set_Run_Time_Measurement(int on);
// Records the start of slot 0..99 while measuring.
void Start_Run_Time(int slot);
// Records the stop of slot 0..99 while measuring and prints the elapsed seconds with
// the label (may be null).
void Stop_Run_Time(int slot, const char* label);
