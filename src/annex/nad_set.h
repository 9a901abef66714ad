#pragma once
// The national annex parameter set in force.

// Start-up hook of the annex module; there is nothing to prepare at start-up.
void NAD_Startup();
