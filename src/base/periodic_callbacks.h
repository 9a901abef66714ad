#pragma once
// A stack of periodic callbacks for the property sheets: the sheets call one installed
// function at intervals, and a dialog that needs its own pushes it and pops it again
// when it closes, so the caller's callback comes back.
//
// There is no screen layer yet: the function that would be installed in the sheets
// is kept here and can be asked for with Installed_Periodic_Callback().

using Periodic_Callback = void (*)();

// Each returns 0 (the sheets' install call gives no result of its own yet).
int Push_Periodic_Callback(Periodic_Callback fn);
int Pop_Periodic_Callback();
int Suspend_Periodic_Callback();
int Resume_Periodic_Callback();
int Clear_Periodic_Callbacks();

// The callback currently installed in the sheets, null for none.
Periodic_Callback Installed_Periodic_Callback();
// Number of callbacks on the stack.
int Periodic_Callback_Count();
