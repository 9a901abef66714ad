#pragma once
// Mouse, keyboard, ticks and the clock of the screen library.
//
// Message kinds (bits of the mask of GetZAVMessage and of its result):
constexpr int ZAV_MSG_LEFT_UP = 0x1;         // left button released
constexpr int ZAV_MSG_LEFT_DOWN = 0x2;       // left button pressed
constexpr int ZAV_MSG_RIGHT_DOWN = 0x8;      // right button pressed
constexpr int ZAV_MSG_MOVE = 0x20;           // pointer moved
constexpr int ZAV_MSG_WHEEL = 0x4000;        // wheel turned
constexpr int ZAV_MSG_KEY = 0x10000;         // a key arrived
constexpr int ZAV_MSG_SHEET = 0x80000;       // a sheet event: the frame is to be closed
constexpr int ZAV_MSG_TICK = 0x40000000;     // time passed without input
//
// Keys: characters as their code page 850 bytes (13 Enter, 27 Esc, 8 Backspace, 9 Tab,
// Ctrl+A 1, Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), special keys as 256 plus the scan code
// (Shift+Tab: the Tab key's scan code):
constexpr int ZAV_KEY_SHIFT_TAB = 271;
constexpr int ZAV_KEY_F1 = 315;
constexpr int ZAV_KEY_HOME = 327;
constexpr int ZAV_KEY_UP = 328;
constexpr int ZAV_KEY_PGUP = 329;
constexpr int ZAV_KEY_LEFT = 331;
constexpr int ZAV_KEY_RIGHT = 333;
constexpr int ZAV_KEY_END = 335;
constexpr int ZAV_KEY_DOWN = 336;
constexpr int ZAV_KEY_PGDN = 337;
constexpr int ZAV_KEY_DEL = 339;
constexpr int ZAV_KEY_CTRL_END = 373;
constexpr int ZAV_KEY_CTRL_HOME = 375;

// The message record.
struct ZAV_Message {
    int kind;      // the kind delivered (one bit above), 0 after InitZAVMessage
    int x, y;      // pointer position
    int left;      // buttons held
    int right;
    int wheel;     // wheel steps of a wheel message, positive up
    int idle_ms;   // (the seventh word) a tick comes after this many milliseconds
                   // without input (0: 100)
    int key;       // the key of a key message
};

// The pointer as the program sees it. Every mouse message writes them, wanted or not;
// the program may write them too (simulated clicks), the library never relies on them.
extern int M_XPOS;
extern int M_YPOS;
extern int M_LEFT;
extern int M_RIGHT;
extern int M_SCROLL;  // wheel steps of the last mouse message, positive up

void InitZAVMessage(ZAV_Message* record);

// Waits for a message of a kind in the mask and returns that kind. Mouse messages of
// other kinds are taken in (the globals follow) and waited on; a key joins the key
// queue and ends the wait only with ZAV_MSG_KEY in the mask (a key waiting in the queue
// does not end later waits); a close request ends it with ZAV_MSG_SHEET in the mask.
// With ZAV_MSG_TICK a tick comes when the record's idle time passes without input, and
// while the timer is on (ZAVSetTimer) every 100 ms even with input. The record (may be
// null) gets the message. Without a screen: returns 0 at once.
int GetZAVMessage(int mask, ZAV_Message* record);

// Returns at once when the globals differ from the pointer's true state (then writes
// the true state into them); else waits for the next mouse message.
void Get_Mouse_Event();

// The left press that a wait just took is delivered once more by the next wait (or
// Get_Mouse_Event). An editor that a press outside its box ends leaves the press to act
// where it landed: in the next field, on a button or a register tab.
void Repeat_Left_Press();

// Whether the last left press came so soon after the one before, at about its place,
// that the two make a double click (a press repeated with Repeat_Left_Press is no new
// press).
bool Left_Press_Is_Double();

// Where the pointer was last moved to, before a confinement (Pop_Mouse_Move_Restriction)
// held it: where a press outside a confined pop-up really landed.
void Pointer_Landing(int* x, int* y);

// The key queue: getkey takes the first key (waiting for one when empty, -1 without a
// screen), hitkey shows it without taking it (-1: none).
int getkey();
int hitkey();
// Takes the newest key out of the queue again: a wait that got a key it has no use for
// (a hover) drops it, so that no later read gets it in place of its own key.
void Drop_Newest_Key();
// 1 while a close request of the frame is pending, else 0.
int getkeymask();
// Takes a pending close request: asks the close callback (ZAVSetCloseFct); when it
// answers 32768 (or there is none) the process ends with exit code 0, nothing saved.
void Serve_Close_Request();

// Mouse cursor: 0 arrow, 6 wait, 18 hand; returns the previous one.
int setMouseCursor(int id);
// The timer (ZAV_MSG_TICK every 100 ms even with input); returns the previous setting.
int ZAVSetTimer(int on);

// The pointer: put it somewhere, ask where it is (the result holds the buttons: 1 left,
// 2 right).
void msStCu(int x, int y);
int msStat(int* x, int* y);
void Save_Mouse_Position();
void Restore_Mouse_Position();
// Confinement of the pointer (inverted names, as the environment has them): Pop confines
// to a rectangle, Push lifts the last confinement. Init sets the outermost one.
void Pop_Mouse_Move_Restriction(int x1, int y1, int x2, int y2);
void Push_Mouse_Move_Restriction();
void Init_Mouse_Move_Restriction(int x0, int y0, int x1, int y1);
void Init_Mouse_Position(int x, int y);

// The library clock in seconds: with the headless driver a virtual clock moved only by
// the script's waits, ZAVSleep and Wait_Seconds; with a window or without a screen the
// monotonic clock.
double Library_Clock_Seconds();
void Wait_Seconds(double seconds);
// Lets the milliseconds pass on the library clock (declared in platform/tools.h).
void ZAVSleep(int milliseconds);

// A function run every period_ms of the library clock while the library waits or
// sleeps (null: none). For animations drawn on the main thread.
void Set_Clock_Stepper(void (*stepper)(), int period_ms);

namespace screen {
// Drops the queued keys, requests, pointer stacks and the pointer range; the pointer to (0, 0).
void Reset_Events();
// The pointer's true state.
void True_Pointer(int* x, int* y, int* left, int* right);
// A close request is pending (for the window's close button and the script).
void Request_Close();
// The outermost confinement (Init_Mouse_Move_Restriction).
void Set_Base_Confinement(int x1, int y1, int x2, int y2);
} // namespace screen
