#include "annex/nad_set.h"

void NAD_Startup() {}
