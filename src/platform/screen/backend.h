#pragma once
// Inside the screen library: what a backend (the scripted headless driver or the
// window) gives the event layer. One backend exists between Init_Grafik_Mode and
// Exit_Grafik_Mode.
#include <memory>
#include <string>

namespace screen {

struct Raw_Event {
    enum Type { MOVE, BUTTON, WHEEL, KEY, CLOSE } type = MOVE;
    int x = 0, y = 0;     // MOVE: the new pointer position
    int button = 0;       // BUTTON: 1 left, 2 right
    bool down = false;    // BUTTON: pressed or released
    int wheel = 0;        // WHEEL: steps, positive up
    int key = 0;          // KEY: the key code (characters as code page 850 bytes)

    static Raw_Event Move(int x, int y)
    {
        Raw_Event e;
        e.type = MOVE;
        e.x = x;
        e.y = y;
        return e;
    }
    static Raw_Event Button(int button, bool down)
    {
        Raw_Event e;
        e.type = BUTTON;
        e.button = button;
        e.down = down;
        return e;
    }
    static Raw_Event Wheel(int steps)
    {
        Raw_Event e;
        e.type = WHEEL;
        e.wheel = steps;
        return e;
    }
    static Raw_Event Key(int code)
    {
        Raw_Event e;
        e.type = KEY;
        e.key = code;
        return e;
    }
    static Raw_Event Close()
    {
        Raw_Event e;
        e.type = CLOSE;
        return e;
    }
};

class Backend {
public:
    virtual ~Backend() = default;
    // The next input event. When until_ms is not negative, waits at most until the
    // library clock reaches it and answers false then (the clock stands at until_ms).
    virtual bool Wait_Event(Raw_Event& event, double until_ms) = 0;
    // Milliseconds of the library clock.
    virtual double Now_Ms() = 0;
    // Lets the time pass without delivering input.
    virtual void Sleep_Ms(double ms) = 0;
    // Shows the framebuffer.
    virtual void Present() {}
    virtual void Set_Title(const std::string& /*title*/) {}
    virtual void Warp(int /*x*/, int /*y*/) {}
    virtual void Set_Cursor(int /*id*/) {}
    // Clipboard text (code page 850 bytes); false when the backend has none of its own.
    virtual bool Get_Clipboard(std::string& /*bytes*/) { return false; }
    virtual bool Set_Clipboard(const std::string& /*bytes*/) { return false; }
    // A message box's answer from the script, taken when the next line answers this kind
    // of box ("answer yes" or "answer no" for a question, "answer ok" for an OK box, or
    // for a question the keys "key Enter" and "key Esc"): 1 yes, 0 no, 2 ok,
    // ANSWER_ENTER, ANSWER_ESC; -1 when the next line is no such answer (it stays).
    // "shot" lines right before a question's answer are taken with it, the box shown.
    static constexpr int ANSWER_ENTER = 3, ANSWER_ESC = 4;
    virtual int Take_Answer(bool /*question*/) { return -1; }
    // Called once per waiting call of the library (stall detection of the script).
    virtual void Note_Wait() {}
    // Whether this is the scripted headless driver.
    virtual bool Headless() const { return false; }
    // The directory of screenshots ("" = working directory) and a final shot on exit.
    virtual void On_Exit() {}
};

// The backend in use, or null.
Backend* Current_Backend();
void Install_Backend(std::unique_ptr<Backend> backend);
void Remove_Backend();

// The scripted headless driver fed with the script text; name is shown in messages. An
// empty name means that no script was given: an exhausted run then writes no final.png
// (it would land in the position's folder of a run nobody scripted).
std::unique_ptr<Backend> Make_Script_Backend(const std::string& script, const std::string& name);
// The SDL2 window, inside the window module (corbel-window.so); null (after a line on
// standard error) when it cannot open.
std::unique_ptr<Backend> Make_Window_Backend(int width, int height);
// Loads the window module from the executable's directory and opens the window through
// it; null (after a line on standard error) when the module, SDL2 or the window is
// missing. The module stays loaded for the rest of the run.
std::unique_ptr<Backend> Load_Window_Backend(int width, int height);
// The line on standard error when no window opens (the module's too: it takes this from
// the program that loads it).
void Tell_No_Window(const char* reason);

// Lets the milliseconds pass on the library clock (ZAVSleep while a backend is in use).
void Sleep_On_Clock(int milliseconds);

// Gives the message boxes and the tool-waiting box of the platform layer their screen
// side (on) or takes it back, the out-of-memory box prepared with it, and the periodic
// callbacks their install call; Install_Backend and Remove_Backend call it.
void Connect_Screen_Services(bool on);

// Writes a screenshot into ZAV_SHOT_DIR (default: the working directory); 0 on success.
int Write_Shot(const std::string& file_name);

} // namespace screen
