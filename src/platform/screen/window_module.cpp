// Loading of the window module: SDL2 and the display libraries are read only by a run
// that asks for a window.
#include "platform/screen/backend.h"

#include "platform/paths.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace screen {
namespace {

constexpr const char* MODULE_FILE = "corbel-window.so";
constexpr const char* ENTRY = "Corbel_Make_Window_Backend";

std::unique_ptr<Backend> No_Window(const char* reason)
{
    Tell_No_Window(reason);
    return nullptr;
}

bool Set(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

void Tell_No_Window(const char* reason)
{
    std::fprintf(stderr, "corbel: kein Fenster (%s); weiter ohne Bildschirm.\n", reason ? reason : "?");
}

// Without a display (neither DISPLAY nor WAYLAND_DISPLAY) no window can be seen, and the
// module and SDL2 are not even read; a driver asked for by name in SDL_VIDEODRIVER is
// left to SDL.
std::unique_ptr<Backend> Load_Window_Backend(int width, int height)
{
    if (!Set("SDL_VIDEODRIVER") && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY"))
        return No_Window("keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt");
    static void* module = nullptr;
    if (!module) {
        const std::string directory = Program_Directory();
        const std::string file = (directory.empty() ? std::string(".") : directory) + "/" + MODULE_FILE;
        module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) return No_Window(::dlerror());
    }
    using Make = Backend* (*)(int, int);
    const auto make = reinterpret_cast<Make>(::dlsym(module, ENTRY));
    if (!make) return No_Window(::dlerror());
    return std::unique_ptr<Backend>(make(width, height));
}

} // namespace screen
