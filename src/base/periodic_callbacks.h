#pragma once
// A stack of periodic callbacks for the property sheets: the sheets call one installed
// function at intervals, and a dialog that needs its own pushes it and pops it again
// when it closes, so the caller's callback comes back.
//
// The sheets belong to the screen, above this layer: while the screen is up it gives
// its install call (Set_CallSometimesFunc_to_PS, the open sheet's function) through
// Set_Periodic_Callback_Installer (platform/messages.h). Without a screen the function
// is only kept.

using Periodic_Callback = void (*)();

// Each installs the new function (none for null) and returns 0 (the sheets' install call
// gives no result of its own).
int Push_Periodic_Callback(Periodic_Callback fn);
int Pop_Periodic_Callback();
int Suspend_Periodic_Callback();
int Resume_Periodic_Callback();
int Clear_Periodic_Callbacks();

// The callback currently installed in the sheets, null for none.
Periodic_Callback Installed_Periodic_Callback();
// Number of callbacks on the stack.
int Periodic_Callback_Count();
