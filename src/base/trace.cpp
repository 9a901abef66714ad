#include "base/trace.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kSlots = 100;

int trace_on = 1;
int measuring = 0;
bool starts_cleared = false;
double start_ms[kSlots];
double stop_ms[kSlots];

// The processor time in milliseconds.
double Now_Ms() { return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC; }

}  // namespace

int Trace_Printf(const char* format, ...) {
    if (!trace_on || format == nullptr) return 0;
    va_list args;
    va_start(args, format);
    const int written = std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
    return written;
}

void Set_Trace_Switch(int on) { trace_on = on; }

int Set_Run_Time_Measurement(int on) {
    if (on) {
        Trace_Printf("\n>> Rechenzeitmessung aktiviert\n");
    } else if (measuring) {
        Trace_Printf("\n>> Rechenzeitmessung deaktiviert\n");
    }
    measuring = on ? 1 : 0;
    return measuring;
}

void Start_Run_Time(int slot) {
    if (!measuring || slot < 0 || slot >= kSlots) return;
    if (!starts_cleared) {
        for (double& start : start_ms) start = 0.0;
        starts_cleared = true;
    }
    start_ms[slot] = Now_Ms();
}

void Stop_Run_Time(int slot, const char* label) {
    if (!measuring || slot < 0 || slot >= kSlots) return;
    stop_ms[slot] = Now_Ms();
    const double seconds = (stop_ms[slot] - start_ms[slot]) * 0.001;
    if (label != nullptr) {
        Trace_Printf(">> Rechenzeit %2d: %10.2f sec (%s)\n", slot, seconds, label);
    } else {
        Trace_Printf(">> Rechenzeit %2d: %10.2f sec\n", slot, seconds);
    }
}
