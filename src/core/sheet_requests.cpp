#include "core/sheet_requests.h"

int results_valid = 0;
int export_request = 0;
int import_request = 0;
