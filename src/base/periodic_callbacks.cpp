#include "base/periodic_callbacks.h"

#include "base/utilities.h"
#include "platform/messages.h"

namespace {

constexpr int kGrowth = 10;

Periodic_Callback* stack = nullptr;
int count = 0;
int capacity = 0;
int active = 0;
Periodic_Callback installed = nullptr;

// Hands the function to the sheets (none for null).
int Install(Periodic_Callback fn) {
    installed = fn;
    if (const Periodic_Installer install = Screen_Periodic_Installer()) install(fn);
    return 0;
}

Periodic_Callback Top() { return count > 0 ? stack[count - 1] : nullptr; }

}  // namespace

int Push_Periodic_Callback(Periodic_Callback fn) {
    if (count >= capacity) {
        const int grown = capacity + kGrowth;
        stack = static_cast<Periodic_Callback*>(
            Realloc_Or_Exit(stack, static_cast<size_t>(grown) * sizeof(Periodic_Callback), 0));
        capacity = grown;
    }
    stack[count++] = fn;
    active = 1;
    return Install(fn);
}

int Pop_Periodic_Callback() {
    if (count > 0) --count;
    active = 1;
    return Install(Top());
}

int Suspend_Periodic_Callback() {
    active = 0;
    return Install(nullptr);
}

int Resume_Periodic_Callback() {
    active = 1;
    return Install(Top());
}

int Clear_Periodic_Callbacks() {
    count = 0;
    return Install(nullptr);
}

Periodic_Callback Installed_Periodic_Callback() { return installed; }

int Periodic_Callback_Count() { return count; }
