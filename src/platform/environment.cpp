#include "platform/environment.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

const ZAV_Stdio_Table* ZAV_STDIO_FCT = nullptr;

namespace {
int mouse_wheel_active = 0;
ZAV_Close_Fct close_callback = nullptr;
std::string private_path;
} // namespace

const char* ZAVGetEnv(const char* name)
{
    return name ? std::getenv(name) : nullptr;
}

const char* CurOb_Privat_Datapath()
{
    if (const char* p = std::getenv("ZAV_PRIVAT_DATAPATH")) return p;
    const char* exec = std::getenv("EXEC");
    if (!exec) return nullptr;
    private_path = std::string(exec) + "\\privat";
    return private_path.c_str();
}

// The corbel program is application 127 of the environment.
constexpr int CORBEL_APPLICATION_NUMBER = 127;

int CurOb_Application_Number()
{
    const char* n = std::getenv("ZAV_APPLICATION_NUMBER");
    if (!n) return CORBEL_APPLICATION_NUMBER;
    // A value that is no whole number, or none an application can have, names no program;
    // it must not become a number of the family by accident ("127x", a value cut to int).
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(n, &end, 10);
    if (end == n || *end != '\0' || errno == ERANGE || number < 0 || number > INT_MAX) return 0;
    return static_cast<int>(number);
}

void ZAVSetStdioFctPtr(const ZAV_Stdio_Table* table) { ZAV_STDIO_FCT = table; }

int Set_MouseWheel_Activity(int on)
{
    const int before = mouse_wheel_active;
    mouse_wheel_active = on;
    return before;
}
int Get_MouseWheel_Activity() { return mouse_wheel_active; }

void ZAVSetCloseFct(ZAV_Close_Fct callback) { close_callback = callback; }
ZAV_Close_Fct ZAVGetCloseFct() { return close_callback; }
