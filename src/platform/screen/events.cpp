#include "platform/screen/events.h"

#include "platform/environment.h"
#include "platform/screen/backend.h"
#include "platform/screen/framebuffer.h"
#include "platform/tools.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <ctime>
#include <vector>

int M_XPOS = 0;
int M_YPOS = 0;
int M_LEFT = 0;
int M_RIGHT = 0;
int M_SCROLL = 0;

namespace {

constexpr int DEFAULT_IDLE_MS = 100;
constexpr int TIMER_PERIOD_MS = 100;

struct Rect {
    int x1, y1, x2, y2;
};

struct Event_State {
    int x = 0, y = 0, left = 0, right = 0;  // the pointer's true state
    std::deque<int> keys;
    bool close_pending = false;
    bool repeat_press = false;  // Repeat_Left_Press: the next raw event is that press again
    bool repeating = false;     // the press being taken is such a repeat, no new press
    int landing_x = 0, landing_y = 0;  // where the pointer was moved, before any confinement
    // The last left press, to tell a double click: its time and place.
    double last_press_ms = -1e9;
    int last_press_x = 0, last_press_y = 0;
    bool double_press = false;
    double last_input_ms = 0;
    double last_tick_ms = 0;
    bool timer_on = false;
    int cursor = 0;
    std::vector<std::pair<int, int>> saved_positions;
    Rect base_confinement{0, 0, 1 << 20, 1 << 20};
    std::vector<Rect> confinements;
};

Event_State ev;
std::unique_ptr<screen::Backend> backend;

void (*stepper)() = nullptr;
int stepper_period_ms = 100;
double stepper_due_ms = 0;

double Real_Now_Ms()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double Now_Ms() { return backend ? backend->Now_Ms() : Real_Now_Ms(); }

const Rect& Confinement() { return ev.confinements.empty() ? ev.base_confinement : ev.confinements.back(); }

void Confine(int& x, int& y)
{
    const Rect& r = Confinement();
    x = std::clamp(x, std::min(r.x1, r.x2), std::max(r.x1, r.x2));
    y = std::clamp(y, std::min(r.y1, r.y2), std::max(r.y1, r.y2));
    if (screen::Framebuffer_Ready()) {
        x = std::clamp(x, 0, NPIXEL_X - 1);
        y = std::clamp(y, 0, NPIXEL_Y - 1);
    }
}

void Write_Globals(int wheel)
{
    M_XPOS = ev.x;
    M_YPOS = ev.y;
    M_LEFT = ev.left;
    M_RIGHT = ev.right;
    M_SCROLL = wheel;
}

void Run_Stepper()
{
    if (!stepper) return;
    const double now = Now_Ms();
    if (now < stepper_due_ms) return;
    stepper_due_ms = now + stepper_period_ms;
    stepper();
}

double Stepper_Due() { return stepper ? stepper_due_ms : -1; }

void Fill(ZAV_Message* record, int kind, int key, int wheel)
{
    if (!record) return;
    record->kind = kind;
    record->x = ev.x;
    record->y = ev.y;
    record->left = ev.left;
    record->right = ev.right;
    record->wheel = wheel;
    record->key = key;
}

// A second press within the double-click time and a few pixels of the first one makes a
// double click (the time most desktops use by default).
constexpr double DOUBLE_CLICK_MS = 500;
constexpr int DOUBLE_CLICK_PIXELS = 4;

void Note_Left_Press()
{
    const double now = Now_Ms();
    ev.double_press = now - ev.last_press_ms <= DOUBLE_CLICK_MS &&
                      std::abs(ev.x - ev.last_press_x) <= DOUBLE_CLICK_PIXELS &&
                      std::abs(ev.y - ev.last_press_y) <= DOUBLE_CLICK_PIXELS;
    ev.last_press_ms = now;
    ev.last_press_x = ev.x;
    ev.last_press_y = ev.y;
}

// Takes one raw event into the state; the message kind it stands for (0 for a right
// release, which has none).
int Take(const screen::Raw_Event& e, int* key, int* wheel)
{
    *key = 0;
    *wheel = 0;
    switch (e.type) {
    case screen::Raw_Event::MOVE: {
        int x = e.x, y = e.y;
        ev.landing_x = x;
        ev.landing_y = y;
        Confine(x, y);
        ev.x = x;
        ev.y = y;
        ev.last_input_ms = Now_Ms();
        Write_Globals(0);
        return ZAV_MSG_MOVE;
    }
    case screen::Raw_Event::BUTTON:
        if (e.button == 1 && e.down && !ev.repeating) Note_Left_Press();
        ev.repeating = false;
        if (e.button == 1) ev.left = e.down ? 1 : 0;
        else ev.right = e.down ? 1 : 0;
        ev.last_input_ms = Now_Ms();
        Write_Globals(0);
        if (e.button == 1) return e.down ? ZAV_MSG_LEFT_DOWN : ZAV_MSG_LEFT_UP;
        return e.down ? ZAV_MSG_RIGHT_DOWN : 0;
    case screen::Raw_Event::WHEEL:
        ev.last_input_ms = Now_Ms();
        *wheel = e.wheel;
        Write_Globals(e.wheel);
        return ZAV_MSG_WHEEL;
    case screen::Raw_Event::KEY:
        ev.last_input_ms = Now_Ms();
        ev.keys.push_back(e.key);
        *key = e.key;
        return ZAV_MSG_KEY;
    case screen::Raw_Event::CLOSE:
        ev.close_pending = true;
        return ZAV_MSG_SHEET;
    }
    return 0;
}

bool Is_Mouse_Kind(int kind) { return kind & (ZAV_MSG_LEFT_UP | ZAV_MSG_LEFT_DOWN | ZAV_MSG_RIGHT_DOWN | ZAV_MSG_MOVE | ZAV_MSG_WHEEL); }

// One step of waiting: the next raw event, or false when the limit came first.
bool Wait_Raw(screen::Raw_Event& e, double until_ms)
{
    // Before the wait blocks, the screen shows what was drawn.
    screen::Present_Now();
    if (ev.repeat_press) {
        ev.repeat_press = false;
        ev.repeating = true;
        e = screen::Raw_Event::Button(1, true);
        return true;
    }
    const double step = Stepper_Due();
    double limit = until_ms;
    if (step >= 0 && (limit < 0 || step < limit)) limit = step;
    const bool got = backend->Wait_Event(e, limit);
    Run_Stepper();
    return got;
}

} // namespace

void InitZAVMessage(ZAV_Message* record)
{
    if (!record) return;
    *record = ZAV_Message{};
}

int GetZAVMessage(int mask, ZAV_Message* record)
{
    if (!backend) return 0;
    backend->Note_Wait();
    for (;;) {
        double tick_due = -1;
        if (mask & ZAV_MSG_TICK) {
            const int idle = record && record->idle_ms > 0 ? record->idle_ms : DEFAULT_IDLE_MS;
            tick_due = std::max(ev.last_input_ms, ev.last_tick_ms) + idle;
            if (ev.timer_on) tick_due = std::min(tick_due, ev.last_tick_ms + TIMER_PERIOD_MS);
            tick_due = std::max(tick_due, Now_Ms());
        }
        screen::Raw_Event e;
        if (!Wait_Raw(e, tick_due)) {
            if (tick_due >= 0 && Now_Ms() >= tick_due) {
                ev.last_tick_ms = Now_Ms();
                Fill(record, ZAV_MSG_TICK, 0, 0);
                return ZAV_MSG_TICK;
            }
            continue;
        }
        int key, wheel;
        const int kind = Take(e, &key, &wheel);
        if (kind & mask) {
            Fill(record, kind, key, wheel);
            return kind;
        }
    }
}

void Get_Mouse_Event()
{
    if (M_XPOS != ev.x || M_YPOS != ev.y || M_LEFT != ev.left || M_RIGHT != ev.right) {
        Write_Globals(0);
        return;
    }
    if (!backend) return;
    backend->Note_Wait();
    for (;;) {
        screen::Raw_Event e;
        if (!Wait_Raw(e, -1)) continue;
        int key, wheel;
        const int kind = Take(e, &key, &wheel);
        if (Is_Mouse_Kind(kind) || (e.type == screen::Raw_Event::BUTTON)) return;
    }
}

int getkey()
{
    if (ev.keys.empty()) {
        if (!backend) return -1;
        backend->Note_Wait();
        while (ev.keys.empty()) {
            screen::Raw_Event e;
            if (!Wait_Raw(e, -1)) continue;
            int key, wheel;
            Take(e, &key, &wheel);
        }
    }
    const int key = ev.keys.front();
    ev.keys.pop_front();
    return key;
}

void Repeat_Left_Press()
{
    if (backend && ev.left) ev.repeat_press = true;
}

bool Left_Press_Is_Double() { return ev.double_press; }

void Pointer_Landing(int* x, int* y)
{
    int px = ev.landing_x, py = ev.landing_y;
    if (screen::Framebuffer_Ready()) {
        px = std::clamp(px, 0, NPIXEL_X - 1);
        py = std::clamp(py, 0, NPIXEL_Y - 1);
    }
    if (x) *x = px;
    if (y) *y = py;
}

int hitkey() { return ev.keys.empty() ? -1 : ev.keys.front(); }

void Drop_Newest_Key()
{
    if (!ev.keys.empty()) ev.keys.pop_back();
}

int getkeymask() { return ev.close_pending ? 1 : 0; }

void Serve_Close_Request()
{
    if (!ev.close_pending) return;
    ev.close_pending = false;
    ZAV_Close_Fct callback = ZAVGetCloseFct();
    if (callback && callback() != 32768) return;
    std::fflush(nullptr);
    if (backend) backend->On_Exit();
    std::exit(0);
}

int setMouseCursor(int id)
{
    const int before = ev.cursor;
    ev.cursor = id;
    if (backend) backend->Set_Cursor(id);
    return before;
}

int ZAVSetTimer(int on)
{
    const int before = ev.timer_on ? 1 : 0;
    ev.timer_on = on != 0;
    if (ev.timer_on) ev.last_tick_ms = Now_Ms();
    return before;
}

void msStCu(int x, int y)
{
    Confine(x, y);
    ev.x = x;
    ev.y = y;
    M_XPOS = x;
    M_YPOS = y;
    if (backend) backend->Warp(x, y);
}

int msStat(int* x, int* y)
{
    if (x) *x = ev.x;
    if (y) *y = ev.y;
    return (ev.left ? 1 : 0) | (ev.right ? 2 : 0);
}

void Save_Mouse_Position() { ev.saved_positions.emplace_back(ev.x, ev.y); }

void Restore_Mouse_Position()
{
    if (ev.saved_positions.empty()) return;
    const auto [x, y] = ev.saved_positions.back();
    ev.saved_positions.pop_back();
    msStCu(x, y);
}

void Pop_Mouse_Move_Restriction(int x1, int y1, int x2, int y2)
{
    ev.confinements.push_back({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
    int x = ev.x, y = ev.y;
    Confine(x, y);
    if (x != ev.x || y != ev.y) msStCu(x, y);
}

void Push_Mouse_Move_Restriction()
{
    if (!ev.confinements.empty()) ev.confinements.pop_back();
}

double Library_Clock_Seconds() { return Now_Ms() / 1000.0; }

void Wait_Seconds(double seconds)
{
    if (!(seconds > 0)) return;
    ZAVSleep(static_cast<int>(std::lround(std::min(seconds, 1e6) * 1000.0)));
}

void screen::Sleep_On_Clock(int milliseconds)
{
    if (milliseconds <= 0) return;
    if (!backend) {
        timespec rest{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
        while (::nanosleep(&rest, &rest) != 0 && errno == EINTR) {
        }
        return;
    }
    // In slices, so that an animation keeps its pace.
    const double end = backend->Now_Ms() + milliseconds;
    for (;;) {
        const double now = backend->Now_Ms();
        if (now >= end) break;
        double slice_end = end;
        if (stepper && stepper_due_ms < slice_end) slice_end = std::max(stepper_due_ms, now);
        backend->Sleep_Ms(slice_end - now);
        Run_Stepper();
    }
}

void Set_Clock_Stepper(void (*fn)(), int period_ms)
{
    stepper = fn;
    stepper_period_ms = period_ms > 0 ? period_ms : 100;
    stepper_due_ms = Now_Ms() + stepper_period_ms;
}

namespace screen {

Backend* Current_Backend() { return backend.get(); }

void Install_Backend(std::unique_ptr<Backend> b)
{
    backend = std::move(b);
    ev.last_input_ms = ev.last_tick_ms = Now_Ms();
    if (backend) Set_Present_Function([] {
            if (backend) backend->Present();
        });
    Connect_Screen_Services(backend != nullptr);
}

void Remove_Backend()
{
    Connect_Screen_Services(false);
    Set_Present_Function(nullptr);
    backend.reset();
}

void Reset_Events()
{
    ev = Event_State{};
    ev.last_input_ms = ev.last_tick_ms = Now_Ms();
    M_XPOS = M_YPOS = M_LEFT = M_RIGHT = M_SCROLL = 0;
    stepper = nullptr;
}

void True_Pointer(int* x, int* y, int* left, int* right)
{
    if (x) *x = ev.x;
    if (y) *y = ev.y;
    if (left) *left = ev.left;
    if (right) *right = ev.right;
}

void Request_Close() { ev.close_pending = true; }

void Set_Base_Confinement(int x1, int y1, int x2, int y2)
{
    ev.base_confinement = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

} // namespace screen
