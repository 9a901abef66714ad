// The window backend under SDL's dummy video driver; skipped when SDL cannot start.
#include "dummy_window.h"
#include "platform/screen/screen.h"
#include "platform/screen/backend.h"

#include "platform/environment.h"
#include "test_support.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

class ScreenWindow : public testing::Test {
protected:
    void SetUp() override
    {
        std::string err;
        if (!Start_Dummy_Window("400x300", &err)) GTEST_SKIP() << "SDL cannot start here: " << err;
    }
    void TearDown() override { Screen_Reset_For_Tests(); }

    static SDL_Window* Window()
    {
        for (Uint32 id = 1; id < 100; ++id)
            if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
        return nullptr;
    }
};

TEST_F(ScreenWindow, OpensTitledAndPresents)
{
    EXPECT_EQ(NPIXEL_X, 400);
    EXPECT_EQ(NPIXEL_Y, 300);
    SDL_Window* window = Window();
    ASSERT_NE(window, nullptr);
    ZAVSetFrameTitle("Position 1: Konsole \x84");
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Position 1: Konsole \xC3\xA4");
    pxFgc(0x336699);
    pxRect(0, 0, 399, 299);
    pxFlsh();
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    ASSERT_NE(surface, nullptr);
    Uint32 pixel = 0;
    std::memcpy(&pixel, static_cast<char*>(surface->pixels) + 10 * surface->pitch + 10 * 4, 4);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    EXPECT_EQ((int(r) << 16) | (int(g) << 8) | b, 0x336699);
}

TEST_F(ScreenWindow, KeyDownAndTextInputGiveOneKey)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_a;
    SDL_PushEvent(&e);
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    std::strcpy(t.text.text, "\xC3\xA4");  // what the keyboard typed: a German letter
    SDL_PushEvent(&t);
    e.key.keysym.sym = SDLK_RETURN;
    SDL_PushEvent(&e);
    e.key.keysym.sym = SDLK_c;
    e.key.keysym.mod = KMOD_LCTRL;
    SDL_PushEvent(&e);
    e.key.keysym.sym = SDLK_TAB;
    e.key.keysym.mod = KMOD_NONE;
    SDL_PushEvent(&e);
    e.key.keysym.mod = KMOD_LSHIFT;
    SDL_PushEvent(&e);
    EXPECT_EQ(getkey(), 0x84);
    EXPECT_EQ(getkey(), 13);
    EXPECT_EQ(getkey(), 3);
    EXPECT_EQ(getkey(), 9);
    EXPECT_EQ(getkey(), ZAV_KEY_SHIFT_TAB);
    EXPECT_EQ(hitkey(), -1);
}

// One close of the last window comes from SDL as its window close event and a quit
// event right behind it: the user is asked once. A quit on its own is asked about too.
TEST_F(ScreenWindow, OneCloseAsksOnce)
{
    static int asked = 0;
    ZAVSetCloseFct([] {
        ++asked;
        return 0;  // go on editing
    });
    SDL_Window* window = Window();
    ASSERT_NE(window, nullptr);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(window);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_RETURN;
    for (const bool with_window_event : {true, false}) {
        asked = 0;
        if (with_window_event) SDL_PushEvent(&close);
        SDL_PushEvent(&quit);
        SDL_PushEvent(&key);
        ZAV_Message m;
        InitZAVMessage(&m);
        EXPECT_EQ(GetZAVMessage(ZAV_MSG_SHEET, &m), ZAV_MSG_SHEET);
        EXPECT_EQ(getkeymask(), 1);
        Serve_Close_Request();
        EXPECT_EQ(getkey(), 13);  // everything of that close has been taken in
        Serve_Close_Request();
        EXPECT_EQ(asked, 1) << with_window_event;
        EXPECT_EQ(getkeymask(), 0);
    }
    ZAVSetCloseFct(nullptr);
}

// A left button event at the point, as the window would get it.
void Push_Left_Button(Uint32 type, int x, int y)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

TEST_F(ScreenWindow, MouseAndClipboard)
{
    Push_Left_Button(SDL_MOUSEBUTTONDOWN, 40, 50);
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_DOWN, &m), ZAV_MSG_LEFT_DOWN);
    EXPECT_EQ(M_XPOS, 40);
    EXPECT_EQ(M_YPOS, 50);
    EXPECT_EQ(M_LEFT, 1);
    // Sleeping keeps the window alive without delivering anything.
    Push_Left_Button(SDL_MOUSEBUTTONUP, 40, 50);
    ZAVSleep(20);
    EXPECT_EQ(M_LEFT, 1);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_UP, &m), ZAV_MSG_LEFT_UP);
}

// A list closed by a press beside it puts the pointer back on its field and then where
// the press landed: the motions of both moves (the dummy driver sends them as the X
// server does) are the program's own, and the next press is where the pointer is.
TEST_F(ScreenWindow, EveryWarpOfTheProgramIsItsOwn)
{
    msStCu(100, 80);
    msStCu(200, 150);
    Push_Left_Button(SDL_MOUSEBUTTONDOWN, 200, 150);
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_DOWN | ZAV_MSG_MOVE, &m), ZAV_MSG_LEFT_DOWN);
    EXPECT_EQ(M_XPOS, 200);
    EXPECT_EQ(M_YPOS, 150);
}

// The window is a module beside the program, read only when a window is asked for: the
// program itself needs no SDL2, and without the module the run goes on headless.
TEST(WindowModule, ProgramNeedsNoSdlAndGoesOnHeadlessWithoutTheModule)
{
    const Run_Result libraries = Run_Program("/usr/bin/ldd", {CORBEL_EXE}, ".", {});
    ASSERT_EQ(libraries.exit_code, 0) << libraries.err;
    EXPECT_EQ(libraries.out.find("SDL"), std::string::npos) << libraries.out;

    Temp_Dir dir;
    const std::string copy = dir.file("corbel");
    std::filesystem::copy_file(CORBEL_EXE, copy);
    const Run_Result r = Run_Program(copy, {"B1", "0", "1", "1"}, dir.path(),
                                     {"EXEC=" + dir.path(), "ZAV_PRIVAT_DATAPATH=" + dir.path(),
                                      "DRAM=" + dir.path(), "ZAV_SCREEN=window", "ZAV_SCRIPT", "SDL_VIDEODRIVER=dummy"});
    EXPECT_EQ(r.exit_code, 90);  // headless without a script: its first wait ends the run
    EXPECT_EQ(r.err.find("corbel: kein Fenster ("), 0u) << r.err;
    EXPECT_NE(r.err.find("corbel-window.so"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("; weiter ohne Bildschirm.\n"), std::string::npos) << r.err;
}

#if CORBEL_TEST_X11
} // namespace

#include <SDL_syswm.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <X11/Xlib.h>

namespace {

// An X server of the test's own (Xvfb, on the display it picks) for the test's time.
class Own_X_Server {
public:
    Own_X_Server()
    {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], 3);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "640x480x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        char c;
        while (pid_ > 0 && ::poll(&p, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number_ += c;
        ::close(fds[0]);
    }
    ~Own_X_Server()
    {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    // ":N", or "" when no server started.
    std::string Name() const { return number_.empty() ? std::string() : ":" + number_; }

private:
    pid_t pid_ = -1;
    std::string number_;
};

// Opens the window on the X server, sends the window manager's request to close it (what
// Alt+F4 and the frame's close button send) and serves what arrives. 0 when the one close
// was asked about once; else the step that failed: 1 no window, 2 no X connection, 3 the
// close did not arrive, 4 the key behind it did not, 10 + n asked n times.
int Close_Once_Under(const std::string& display)
{
    ::setenv("DISPLAY", display.c_str(), 1);
    ::setenv("SDL_VIDEODRIVER", "x11", 1);
    ::setenv("ZAV_SCREEN", "window", 1);
    ::setenv("ZAV_SCREEN_SIZE", "400x300", 1);
    Screen_Reset_For_Tests();
    Init_Grafik_Mode();
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 100 && !window; ++id) window = SDL_GetWindowFromID(id);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!Screen_Shows_Window() || !window || !SDL_GetWindowWMInfo(window, &info)) return 1;
    ::Display* d = XOpenDisplay(display.c_str());
    if (!d) return 2;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = info.info.x11.window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, info.info.x11.window, False, NoEventMask, &e);
    XFlush(d);

    static int asked = 0;
    ZAVSetCloseFct([] {
        ++asked;
        return 0;  // go on editing
    });
    ZAV_Message m;
    InitZAVMessage(&m);
    m.idle_ms = 10000;
    if (GetZAVMessage(ZAV_MSG_SHEET | ZAV_MSG_TICK, &m) != ZAV_MSG_SHEET) return 3;
    Serve_Close_Request();
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_RETURN;
    SDL_PushEvent(&key);  // behind whatever that close brought
    if (GetZAVMessage(ZAV_MSG_KEY | ZAV_MSG_TICK, &m) != ZAV_MSG_KEY) return 4;
    Serve_Close_Request();
    return asked == 1 ? 0 : 10 + asked;
}

// One real close under an X server: SDL turns the request into its window close and its
// quit event; the user is asked once. The window runs in a child process (SDL's X11
// driver keeps memory past its end that the leak checker would lay at the test's door).
TEST(WindowUnderX, OneRealCloseAsksOnce)
{
    Own_X_Server x;
    if (x.Name().empty()) GTEST_SKIP() << "no Xvfb here";
    const pid_t child = ::fork();
    if (child == 0) ::_exit(Close_Once_Under(x.Name()));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

} // namespace
