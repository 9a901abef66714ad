// The SDL2 window backend (ZAV_SCREEN=window). SDL is initialised here and nowhere else.
#include "platform/codepage.h"
#include "platform/screen/backend.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <string>

namespace screen {
namespace {

double Monotonic_Ms()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

int Special_Key(const SDL_Keysym& sym)
{
    const bool ctrl = (sym.mod & KMOD_CTRL) != 0;
    switch (sym.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return (sym.mod & KMOD_SHIFT) != 0 ? ZAV_KEY_SHIFT_TAB : 9;
    case SDLK_DELETE: return ZAV_KEY_DEL;
    case SDLK_UP: return ZAV_KEY_UP;
    case SDLK_DOWN: return ZAV_KEY_DOWN;
    case SDLK_LEFT: return ZAV_KEY_LEFT;
    case SDLK_RIGHT: return ZAV_KEY_RIGHT;
    case SDLK_HOME: return ctrl ? ZAV_KEY_CTRL_HOME : ZAV_KEY_HOME;
    case SDLK_END: return ctrl ? ZAV_KEY_CTRL_END : ZAV_KEY_END;
    case SDLK_PAGEUP: return ZAV_KEY_PGUP;
    case SDLK_PAGEDOWN: return ZAV_KEY_PGDN;
    case SDLK_F1: return ZAV_KEY_F1;
    default: break;
    }
    // Control letters come only from key-down (text input gives no character for them).
    if (ctrl && sym.sym >= SDLK_a && sym.sym <= SDLK_z) return static_cast<int>(sym.sym - SDLK_a) + 1;
    return 0;
}

// Code page 850 bytes of UTF-8 text (characters without one are dropped).
std::string Utf8_To_Cp850(const char* text)
{
    std::string out;
    if (!text) return out;
    for (size_t i = 0; text[i];) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int n = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (n < 0) {
            ++i;
            continue;
        }
        char32_t cp = n == 0 ? c : n == 1 ? (c & 0x1F) : n == 2 ? (c & 0x0F) : (c & 0x07);
        bool ok = true;
        for (int k = 1; k <= n; ++k) {
            const unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) {
                ok = false;
                n = k - 1;
                break;
            }
            cp = (cp << 6) | (d & 0x3F);
        }
        i += static_cast<size_t>(n) + 1;
        if (!ok) continue;
        if (cp == '\r') continue;
        if (const unsigned char b = Cp850_Byte_Of(cp)) out += static_cast<char>(b);
    }
    return out;
}

class Window_Backend final : public Backend {
public:
    Window_Backend(SDL_Window* window, int width, int height) : window_(window), width_(width), height_(height)
    {
        SDL_StartTextInput();
    }

    ~Window_Backend() override
    {
        for (SDL_Cursor* c : cursors_)
            if (c) SDL_FreeCursor(c);
        SDL_StopTextInput();
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
    }

    double Now_Ms() override { return Monotonic_Ms(); }

    void Sleep_Ms(double ms) override
    {
        const double end = Monotonic_Ms() + ms;
        for (;;) {
            SDL_PumpEvents();  // keeps the window alive; the events stay queued
            const double left = end - Monotonic_Ms();
            if (left <= 0) break;
            SDL_Delay(static_cast<Uint32>(std::min(left, 10.0)) + 1);
        }
    }

    bool Wait_Event(Raw_Event& event, double until_ms) override
    {
        for (;;) {
            if (!queue_.empty()) {
                event = queue_.front();
                queue_.pop_front();
                return true;
            }
            SDL_Event e;
            int got;
            if (until_ms < 0) {
                got = SDL_WaitEvent(&e);
            } else {
                const double left = until_ms - Monotonic_Ms();
                if (left <= 0) return false;
                got = SDL_WaitEventTimeout(&e, static_cast<int>(std::ceil(left)));
            }
            if (got) Translate(e);
            else if (until_ms >= 0 && Monotonic_Ms() >= until_ms) return false;
        }
    }

    void Present() override
    {
        // A long piece of work shows its progress through here without waiting for
        // events: the window answers the desktop meanwhile (its events stay queued).
        SDL_PumpEvents();
        SDL_Surface* target = SDL_GetWindowSurface(window_);
        if (!target || !Framebuffer_Ready()) return;
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(Pixels(), width_, height_, 32, Stride() * 4,
                                                                  SDL_PIXELFORMAT_RGB888);
        if (!source) return;
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurface(window_);
    }

    void Set_Title(const std::string& title) override
    {
        SDL_SetWindowTitle(window_, Screen_Text_To_Utf8(title).c_str());
    }

    void Warp(int x, int y) override
    {
        warps_.emplace_back(x, y);
        if (warps_.size() > MAX_PENDING_WARPS) warps_.pop_front();
        SDL_WarpMouseInWindow(window_, x, y);
    }

    void Set_Cursor(int id) override
    {
        const SDL_SystemCursor kind = id == 6 ? SDL_SYSTEM_CURSOR_WAIT : id == 18 ? SDL_SYSTEM_CURSOR_HAND
                                                                                    : SDL_SYSTEM_CURSOR_ARROW;
        SDL_Cursor*& cursor = cursors_[kind == SDL_SYSTEM_CURSOR_WAIT ? 1 : kind == SDL_SYSTEM_CURSOR_HAND ? 2 : 0];
        if (!cursor) cursor = SDL_CreateSystemCursor(kind);
        if (cursor) SDL_SetCursor(cursor);
    }

    bool Get_Clipboard(std::string& bytes) override
    {
        char* text = SDL_GetClipboardText();
        bytes = Utf8_To_Cp850(text);
        SDL_free(text);
        return true;
    }

    bool Set_Clipboard(const std::string& bytes) override
    {
        return SDL_SetClipboardText(Code_Page_To_Utf8(bytes, Code_Page::Cp850).c_str()) == 0;
    }

private:
    SDL_Window* window_;
    int width_, height_;
    std::deque<Raw_Event> queue_;
    // Where the program moved the pointer, oldest first, until the motions of those moves
    // come back. The program may move it twice in a row (a list puts it back on its field,
    // then where a press beside the list landed): each move is known as its own.
    static constexpr size_t MAX_PENDING_WARPS = 8;
    std::deque<std::pair<int, int>> warps_;
    SDL_Cursor* cursors_[3] = {nullptr, nullptr, nullptr};
    int last_x_ = -1, last_y_ = -1;
    bool window_closed_ = false;  // the event before was the window's close

    void Push_Move(int x, int y)
    {
        if (x == last_x_ && y == last_y_) return;
        last_x_ = x;
        last_y_ = y;
        queue_.push_back(Raw_Event::Move(x, y));
    }

    void Push_Key(int code) { queue_.push_back(Raw_Event::Key(code)); }

    void Translate(const SDL_Event& e)
    {
        // Closing the last window gives SDL's window close event and right behind it its
        // quit event: one close of the user, asked about once. A quit on its own (a
        // signal, the session ending) is a close of its own.
        const bool after_window_close = window_closed_;
        window_closed_ = false;
        switch (e.type) {
        case SDL_QUIT:
            if (!after_window_close) queue_.push_back(Raw_Event::Close());
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                queue_.push_back(Raw_Event::Close());
                window_closed_ = true;
            } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                       e.window.event == SDL_WINDOWEVENT_RESTORED) {
                Present();  // an expose only shows the screen again
            }
            break;
        case SDL_MOUSEMOTION: {
            // A warp's own motion; the warps before it are done too (a warp to where the
            // pointer already was brings none).
            const auto own = std::find(warps_.begin(), warps_.end(), std::make_pair(e.motion.x, e.motion.y));
            if (own != warps_.end()) {
                warps_.erase(warps_.begin(), own + 1);
                last_x_ = e.motion.x;
                last_y_ = e.motion.y;
                break;
            }
            Push_Move(e.motion.x, e.motion.y);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) break;
            Push_Move(e.button.x, e.button.y);
            queue_.push_back(Raw_Event::Button(e.button.button == SDL_BUTTON_LEFT ? 1 : 2, e.type == SDL_MOUSEBUTTONDOWN));
            break;
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            if (steps == 0) break;
            queue_.push_back(Raw_Event::Wheel(steps));
            break;
        }
        case SDL_KEYDOWN:
            if (const int code = Special_Key(e.key.keysym)) Push_Key(code);
            break;
        case SDL_TEXTINPUT:
            for (unsigned char b : Utf8_To_Cp850(e.text.text)) Push_Key(b);
            break;
        default:
            break;
        }
    }
};

// SDL's drivers that show nothing: a window opened on them waits for input nobody can give.
bool Invisible_Driver(const char* name)
{
    return name && (SDL_strcasecmp(name, "offscreen") == 0 || SDL_strcasecmp(name, "dummy") == 0);
}

} // namespace

// Opens the window only where it can be seen (the loader has made sure that there is a
// display, or a driver asked for by name): on a driver that SDL fell back to and that
// shows nothing, the run goes on headless. A driver asked for by name in SDL_VIDEODRIVER
// is taken as asked (the window's tests run on "dummy"); on an invisible one, SIGTERM and
// SIGINT end the run as they would without a window instead of asking a close question
// nobody sees.
std::unique_ptr<Backend> Make_Window_Backend(int width, int height)
{
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const bool driver_asked = asked && *asked;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        Tell_No_Window(("SDL: " + std::string(SDL_GetError())).c_str());
        SDL_Quit();
        return nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (Invisible_Driver(driver)) {
        if (!driver_asked) {
            Tell_No_Window(("SDL hat nur den unsichtbaren Treiber " + std::string(driver) + " gefunden").c_str());
            SDL_Quit();
            return nullptr;
        }
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
    }
    SDL_Window* window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                          SDL_WINDOW_SHOWN);
    if (!window) {
        Tell_No_Window(("SDL: " + std::string(SDL_GetError())).c_str());
        SDL_Quit();
        return nullptr;
    }
    return std::make_unique<Window_Backend>(window, width, height);
}

} // namespace screen

// The module's one entry, looked up by the screen library when it loads the module.
extern "C" screen::Backend* Corbel_Make_Window_Backend(int width, int height)
{
    return screen::Make_Window_Backend(width, height).release();
}
