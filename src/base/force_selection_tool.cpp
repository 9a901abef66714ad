#include "base/force_selection_tool.h"

#include "platform/environment.h"
#include "platform/file_search.h"

#include <cstdio>

int Check_Force_Selection_Tool()
{
    const char* exec = ZAVGetEnv("EXEC");
    if (!exec || !*exec) return 0;
    char path[1024];
    if (std::snprintf(path, sizeof path, "%s\\Tramovik.exe", exec) >= static_cast<int>(sizeof path)) return 0;
    return _access(path, 1) == 0 ? 1 : 0;
}
