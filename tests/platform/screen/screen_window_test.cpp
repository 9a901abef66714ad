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
    EXPECT_EQ(getkey(), 0x84);
    EXPECT_EQ(getkey(), 13);
    EXPECT_EQ(getkey(), 3);
    EXPECT_EQ(hitkey(), -1);
}

TEST_F(ScreenWindow, CloseReachesTheCallback)
{
    static int asked = 0;
    ZAVSetCloseFct([] {
        ++asked;
        return 0;  // go on editing
    });
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_SHEET, &m), ZAV_MSG_SHEET);
    EXPECT_EQ(getkeymask(), 1);
    Serve_Close_Request();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(getkeymask(), 0);
    ZAVSetCloseFct(nullptr);
}

TEST_F(ScreenWindow, MouseAndClipboard)
{
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 40;
    e.button.y = 50;
    SDL_PushEvent(&e);
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_DOWN, &m), ZAV_MSG_LEFT_DOWN);
    EXPECT_EQ(M_XPOS, 40);
    EXPECT_EQ(M_YPOS, 50);
    EXPECT_EQ(M_LEFT, 1);
    // Sleeping keeps the window alive without delivering anything.
    e.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&e);
    ZAVSleep(20);
    EXPECT_EQ(M_LEFT, 1);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_UP, &m), ZAV_MSG_LEFT_UP);
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

} // namespace
